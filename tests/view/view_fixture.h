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
#include "state/view_globals.h"
#include "tests/common/test_env.h"
#include "tests/view/feedback.h"
#include "view/projection.h"
#include "view/renderer.h"
#include "view/wx_view.h"

// Lets pending window events and deletions run.
inline void Pump()
{
    for (int i = 0; i < 10; ++i) wxTheApp->Yield(true);
    wxTheApp->ProcessIdle();
}

inline std::string ExamplePath(const char* name) { return std::string(TF3D_SOURCE_DIR) + "/examples/" + name; }

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

// The next joint, displaced to where it is, with restraints tx ty tz rx ry rz
// as the bits of code, 32 to 1.
inline JointRec& AddJoint(float x, float y, float z, int code = 0)
{
    JointRec& j = g_Joints[++g_nJoints] = JointRec();
    j.x = j.displacedX = x, j.y = j.displacedY = y, j.z = j.displacedZ = z;
    short* r[6] = {&j.restraintTX, &j.restraintTY, &j.restraintTZ, &j.restraintRX, &j.restraintRY, &j.restraintRZ};
    for (int k = 0; k < 6; ++k) *r[k] = (code >> (5 - k)) & 1;
    return j;
}

// The next member, from joint a to b in colour (r, g, bl).
inline MemberRec& AddMember(int a, int b, float r = 0, float g = 0, float bl = 0)
{
    MemberRec& m = g_Members[++g_nMembers] = MemberRec();
    m.jointA = static_cast<short>(a), m.jointB = static_cast<short>(b);
    m.colorR = r, m.colorG = g, m.colorB = bl;
    return m;
}

class ViewTest : public Tf3dTest {
protected:
    void SetUp() override
    {
        Tf3dTest::SetUp();
        ResetDisplayListCompileCounts();
        // The view, not the frame, gets the size: a window manager adds a
        // title bar and realises the window at a few pixels before it maps it.
        frame = new wxFrame(nullptr, wxID_ANY, "view test", wxPoint(0, 0), wxDefaultSize);
        frame->SetClientSize(kViewWidth, kViewHeight);
        view = new CSpan3DView(frame);
        frame->Show();
        for (int i = 0; i < 400 && !ready; ++i) {
            Pump();
            ready = view->Created() && view->MakeCurrent() && g_nViewWidth == kViewWidth &&
                    g_nViewHeight == kViewHeight;
            if (!ready) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ASSERT_TRUE(ready) << "the view was not realised at " << kViewWidth << " x " << kViewHeight << " (it is "
                           << g_nViewWidth << " x " << g_nViewHeight << ")";
    }
    static constexpr int kViewWidth = 640, kViewHeight = 480;
    void TearDown() override
    {
        SetAfterFrameHook(nullptr);
        frame->Destroy();
        Pump();
        Tf3dTest::TearDown();
    }
    bool Capture() { return view->CaptureFrame(image); }
    // Pixel (x, y) of the captured frame, origin top left.
    void Pixel(int x, int y, int rgb[3]) const
    {
        rgb[0] = image.GetRed(x, y), rgb[1] = image.GetGreen(x, y), rgb[2] = image.GetBlue(x, y);
    }
    // Pixel at the window position of a model point; false (and -1s) off screen.
    bool PixelAt(float x, float y, float z, int rgb[3]) const
    {
        float wx, wy;
        rgb[0] = rgb[1] = rgb[2] = -1;
        if (!ProjectToWindow(x, y, z, wx, wy)) return false;
        const int px = static_cast<int>(wx), py = static_cast<int>(wy);
        if (px < 0 || py < 0 || px >= image.GetWidth() || py >= image.GetHeight()) return false;
        Pixel(px, py, rgb);
        return true;
    }
    wxFrame* frame = nullptr;
    CSpan3DView* view = nullptr;
    wxImage image;
    bool ready = false;
};
