// A realised 3D view in a shown frame, with the recording backend.
#pragma once

#include <chrono>
#include <string>
#include <thread>

#include <GL/gl.h>
#include <wx/app.h>
#include <wx/frame.h>

#include "tests/common/test_env.h"
#include "view/renderer.h"
#include "view/view_globals.h"
#include "view/wx_view.h"

// Lets pending window events and deletions run.
inline void Pump()
{
    for (int i = 0; i < 10; ++i) wxTheApp->Yield(true);
    wxTheApp->ProcessIdle();
}

class ViewTest : public Tf3dTest {
protected:
    void SetUp() override
    {
        Tf3dTest::SetUp();
        ResetDisplayListCompileCounts();
        frame = new wxFrame(nullptr, wxID_ANY, "view test", wxPoint(0, 0), wxSize(kWidth, kHeight));
        view = new CSpan3DView(frame);
        frame->Show();
        for (int i = 0; i < 400 && !ready; ++i) {
            Pump();
            ready = view->Created() && view->MakeCurrent() && g_nViewWidth > 0;
            if (!ready) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ASSERT_TRUE(ready) << "the view was not realised";
    }
    void TearDown() override
    {
        SetAfterFrameHook(nullptr);
        frame->Destroy();
        Pump();
        Tf3dTest::TearDown();
    }
    // Pixel (x, y) of a captured frame, origin top left.
    static void Pixel(const wxImage& image, int x, int y, int rgb[3])
    {
        rgb[0] = image.GetRed(x, y);
        rgb[1] = image.GetGreen(x, y);
        rgb[2] = image.GetBlue(x, y);
    }

    static constexpr int kWidth = 640, kHeight = 480;
    wxFrame* frame = nullptr;
    CSpan3DView* view = nullptr;
    bool ready = false;
};

inline std::string ExamplePath(const char* name)
{
    return std::string(TF3D_SOURCE_DIR) + "/examples/" + name;
}
