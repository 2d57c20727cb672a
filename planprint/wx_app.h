// Planprint's application object: start-up (tables, stored settings, the
// main frame) and exit (settings stored, tables freed).
#pragma once

#include <wx/app.h>

class CPlanprintApp : public wxApp {
public:
    bool OnInit() override;
    int OnExit() override;
    // A toolkit assertion is written to stderr, never shown in a box.
    void OnAssertFailure(const wxChar* file, int line, const wxChar* func, const wxChar* cond,
                         const wxChar* msg) override;
};

wxDECLARE_APP(CPlanprintApp);
