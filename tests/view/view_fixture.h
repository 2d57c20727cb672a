// A realised 3D view in a shown frame, with the recording backend, and the
// small model and camera helpers the view tests share.
#pragma once

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#include <GL/gl.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/image.h>

#include "model/tables.h"
#include "tests/common/test_env.h"
#include "view/projection.h"
#include "view/renderer.h"
#include "view/view_globals.h"
#include "view/wx_view.h"

// Lets pending window events and deletions run.
inline void Pump()
{
    for (int i = 0; i < 10; ++i) wxTheApp->Yield(true);
    wxTheApp->ProcessIdle();
}

inline std::string ExamplePath(const char* name)
{
    return std::string(TF3D_SOURCE_DIR) + "/examples/" + name;
}

inline void LookAt(double ex, double ey, double ez, double cx, double cy, double cz)
{
    g_dEyeX = ex, g_dEyeY = ey, g_dEyeZ = ez;
    g_dCenterX = cx, g_dCenterY = cy, g_dCenterZ = cz;
}

// Camera in front of the model's joints, `up` and `back` spans from their centre.
inline void FrameModel(double up, double back)
{
    float lo[3] = {1e9f, 1e9f, 1e9f}, hi[3] = {-1e9f, -1e9f, -1e9f};
    for (int j = 1; j <= g_nJoints; ++j) {
        const float p[3] = {g_Joints[j].x, g_Joints[j].y, g_Joints[j].z};
        for (int k = 0; k < 3; ++k) lo[k] = std::min(lo[k], p[k]), hi[k] = std::max(hi[k], p[k]);
    }
    const double span = std::max({hi[0] - lo[0], hi[1] - lo[1], hi[2] - lo[2]});
    const double cx = (lo[0] + hi[0]) / 2, cy = (lo[1] + hi[1]) / 2, cz = (lo[2] + hi[2]) / 2;
    LookAt(cx, cy + up * span, cz + back * span, cx, cy, cz);
}

// Planes, guides, rulers, origin, focus, joints, loads and supports off.
inline void HideScenery()
{
    g_bShowXYBasePlane = g_bShowXZBasePlane = g_bShowYZBasePlane = 0;
    g_bShowGuideXY = g_bShowGuideXZ = g_bShowGuideYZ = 0;
    g_bShowRulers = g_bShowOrigin = g_bShowFocus = 0;
    g_bShowJoints = g_bShowLoads = g_bShowSupports = 0;
}

// Joint j at (x, y, z), displaced there too.
inline JointRec& SetJoint(int j, float x, float y, float z)
{
    JointRec& r = g_Joints[j];
    r = JointRec();
    r.x = r.displacedX = x;
    r.y = r.displacedY = y;
    r.z = r.displacedZ = z;
    return r;
}

inline MemberRec& SetMember(int i, int a, int b, float r, float g, float bl)
{
    MemberRec& m = g_Members[i];
    m = MemberRec();
    m.jointA = static_cast<short>(a);
    m.jointB = static_cast<short>(b);
    m.colorR = r, m.colorG = g, m.colorB = bl;
    return m;
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
    // Pixel at the window position of a model point; false off screen.
    static bool PixelAt(const wxImage& image, float x, float y, float z, int rgb[3])
    {
        float wx, wy;
        if (!ProjectToWindow(x, y, z, wx, wy)) return false;
        const int px = static_cast<int>(wx), py = static_cast<int>(wy);
        if (px < 0 || py < 0 || px >= image.GetWidth() || py >= image.GetHeight()) return false;
        Pixel(image, px, py, rgb);
        return true;
    }

    static constexpr int kWidth = 640, kHeight = 480;
    wxFrame* frame = nullptr;
    CSpan3DView* view = nullptr;
    bool ready = false;
};
