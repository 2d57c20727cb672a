// The 3D view of the window benchmarks: a realised 1280 x 1024 view in a
// frame of its own, with the recording platform backend (nothing blocks).
// Run the benchmarks under a virtual display.
#pragma once

#include <cstdio>
#include <cstdlib>

#include <GL/gl.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <wx/log.h>

#include "platform/test_backend.h"
#include "state/view_globals.h"
#include "view/wx_view.h"

// Lets pending window events run.
inline void PumpBenchEvents()
{
    for (int i = 0; i < 10; ++i) wxTheApp->Yield(true);
}

class BenchView {
public:
    // Starts the toolkit and shows the view; View() is nullptr (with the
    // reason on stderr) when that fails.
    BenchView(int argc, char** argv, const char* title)
    {
        setenv("NO_AT_BRIDGE", "1", 0);
        wxApp::SetInstance(new wxApp);
        if (!wxEntryStart(argc, argv)) {
            std::fprintf(stderr, "cannot start the toolkit (no display?)\n");
            return;
        }
        m_started = true;
        wxTheApp->CallOnInit();
        delete wxLog::SetActiveTarget(new wxLogStderr);
        platform::SetBackend(&m_backend);
        m_frame = new wxFrame(nullptr, wxID_ANY, title, wxPoint(0, 0), wxSize(1280, 1024));
        auto* view = new CSpan3DView(m_frame);
        if (!view->Created()) return;
        m_frame->Show();
        for (int i = 0; i < 400 && !(view->MakeCurrent() && g_nViewWidth > 0); ++i) PumpBenchEvents();
        if (!view->MakeCurrent()) {
            std::fprintf(stderr, "the view was not realised\n");
            return;
        }
        m_view = view;
        std::printf("renderer: %s, %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                    reinterpret_cast<const char*>(glGetString(GL_VERSION)));
        std::printf("view: %d x %d pixels\n", g_nViewWidth, g_nViewHeight);
    }
    ~BenchView()
    {
        if (!m_started) return;
        if (m_frame) m_frame->Destroy();
        PumpBenchEvents();
        platform::SetBackend(nullptr);
        wxEntryCleanup();
    }
    CSpan3DView* View() const { return m_view; }

private:
    platform::TestBackend m_backend;
    wxFrame* m_frame = nullptr;
    CSpan3DView* m_view = nullptr;
    bool m_started = false;
};
