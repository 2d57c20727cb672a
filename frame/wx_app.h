// The application object of TF3D: start-up, the message loop and exit.
#pragma once

#include <wx/app.h>

class CMainFrame;

class CSpan3DApp : public wxApp {
public:
    // Installs the platform backend, loads the recent-file list and starts
    // the main frame with the command line.
    bool OnInit() override;
    // Ends at once with exit code 1 when the start-up failed.
    int OnRun() override;
    // Stores the recent-file list.
    int OnExit() override;
    // A toolkit assertion is written to stderr; it never stops the program
    // with a box of its own.
    void OnAssertFailure(const wxChar* file, int line, const wxChar* func, const wxChar* cond,
                         const wxChar* msg) override;

private:
    bool m_bStartFailed = false;
};

wxDECLARE_APP(CSpan3DApp);
