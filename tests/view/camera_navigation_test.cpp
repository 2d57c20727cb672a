// The camera with the mouse and the keys of the view.
#include <cmath>

#include <wx/defs.h>

#include "frame/command_ids.h"
#include "model/tables.h"
#include "state/frame_globals.h"
#include "tests/view/edit_fixture.h"

namespace {

using platform::Event;

constexpr float kQuarter = 1.5707964f;

struct Camera {
    double eye[3], centre[3];
    float angle;
};

Camera Now()
{
    return {{g_dEyeX, g_dEyeY, g_dEyeZ}, {g_dCenterX, g_dCenterY, g_dCenterZ}, g_fOrbitAngle};
}

void ExpectCamera(const Camera& want, double tolerance = 0.005)
{
    const Camera got = Now();
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(got.eye[k], want.eye[k], tolerance) << "eye " << k;
        EXPECT_NEAR(got.centre[k], want.centre[k], tolerance) << "centre " << k;
    }
    EXPECT_NEAR(got.angle, want.angle, 1e-5);
    EXPECT_EQ(g_fOrbitAngle, g_fOrbitAngleB);
}

class CameraTest : public EditViewTest {
protected:
    // Centre (20, 10, 10), eye 30 in front and 4 above, facing -z; speeds 2 and 0.1745.
    void Start()
    {
        LookAt(20, 14, 40, 20, 10, 10);
        g_fOrbitAngle = g_fOrbitAngleB = kQuarter;
        g_fLinearSpeed = 2, g_fAngularSpeed = 0.174533f;
    }
};

TEST_F(CameraTest, EveryKeyMovesTheCameraAsItShould)
{
    const double sw = 30 * std::sin(0.174533), cw = 30 * std::cos(0.174533);
    const struct {
        int key;
        Camera want;
    } cases[] = {
        {WXK_LEFT, {{20 - sw, 14, 10 + cw}, {20, 10, 10}, kQuarter - 0.174533f}},
        {WXK_RIGHT, {{20 + sw, 14, 10 + cw}, {20, 10, 10}, kQuarter + 0.174533f}},
        {WXK_UP, {{20, 14, 38}, {20, 10, 10}, kQuarter}},
        {WXK_DOWN, {{20, 14, 42}, {20, 10, 10}, kQuarter}},
        {WXK_NUMPAD8, {{20, 16, 40}, {20, 12, 10}, kQuarter}},
        {'D', {{20, 16, 40}, {20, 12, 10}, kQuarter}},
        {WXK_NUMPAD2, {{20, 12, 40}, {20, 8, 10}, kQuarter}},
        {'U', {{20, 12, 40}, {20, 8, 10}, kQuarter}},
        {WXK_NUMPAD5, {{20, 14, 40}, {20, 14, 10}, kQuarter}},
        {WXK_NUMPAD9, {{20, 14, 40}, {22, 10, 10}, kQuarter}},
        {WXK_NUMPAD7, {{20, 14, 40}, {18, 10, 10}, kQuarter}},
        {WXK_NUMPAD1, {{20, 14, 40}, {20, 8, 10}, kQuarter}},
        {WXK_NUMPAD3, {{20, 14, 40}, {20, 12, 10}, kQuarter}},
        {WXK_NUMPAD4, {{18, 14, 40}, {18, 10, 10}, kQuarter}},
        {'.', {{18, 14, 40}, {18, 10, 10}, kQuarter}},
        {WXK_NUMPAD6, {{22, 14, 40}, {22, 10, 10}, kQuarter}},
        {',', {{22, 14, 40}, {22, 10, 10}, kQuarter}},
        {WXK_NUMPAD_ADD, {{20, 16, 40}, {20, 10, 10}, kQuarter}},
        {'=', {{20, 16, 40}, {20, 10, 10}, kQuarter}},
        {WXK_NUMPAD_SUBTRACT, {{20, 12, 40}, {20, 10, 10}, kQuarter}},
        {'-', {{20, 12, 40}, {20, 10, 10}, kQuarter}},
        {WXK_NUMPAD_DIVIDE, {{20, 14 - 4.0 / 14, 38}, {20, 10, 10}, kQuarter}},
        {'/', {{20, 14 - 4.0 / 14, 38}, {20, 10, 10}, kQuarter}},
        {WXK_NUMPAD_MULTIPLY, {{20, 14 + 4.0 / 16, 42}, {20, 10, 10}, kQuarter}},
        {'8', {{20, 14 + 4.0 / 16, 42}, {20, 10, 10}, kQuarter}},
        {WXK_F1, {{24, 12, 12 + 24 * 2.3}, {24, 12, 12}, 1.57f}},
        {'Q', {{24, 12, 12 + 24 * 2.3}, {24, 12, 12}, 1.57f}},
        {WXK_F2, {{-30, 12, 10}, {22, 12, 10}, 0}},
        {WXK_F3, {{20, 50, 14}, {20, 0, 12}, 1.57f}},
        {WXK_F4, {{19, -25, 23}, {19, 12, 12}, 1.57f}},
        {WXK_F5, {{58.6, 35, 53.4}, {22.3, 12, 12}, 2.29f}},
        {WXK_F6, {{-25, 12, 14}, {36, 12, 14}, 0}},
        {WXK_F7, {{20, 12, -36}, {20, 12, 24}, 4.77f}},
        {WXK_F8, {{22, 12, 83}, {22, 12, 12}, 1.57f}},
        {WXK_F9, {{35.3, 16, 29.9}, {20.8, 9, 13.3}, 2.29f}},
        {WXK_F10, {{35.3, 16, 29.9}, {20.8, 9, 13.3}, 2.29f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        Start();
        g_bFollowTruckCamera = 1;
        Key(c.key);
        ExpectCamera(c.want);
        const bool preset = (c.key >= WXK_F1 && c.key <= WXK_F12) || c.key == 'Q';
        EXPECT_EQ(g_bFollowTruckCamera, preset ? 0 : 1);
    }
    // At any orbit angle the slide goes across the line of sight, by the
    // linear speed: 4 to the left, 6 to the right.
    for (float angle : {0.5f, 2.5f})
        for (int side : {-1, 1}) {
            Start();
            g_fOrbitAngle = g_fOrbitAngleB = angle;
            Key(side < 0 ? WXK_NUMPAD4 : WXK_NUMPAD6);
            const double dx = side * 2 * std::sin(angle), dz = side * 2 * std::cos(angle);
            ExpectCamera({{20 + dx, 14, 40 + dz}, {20 + dx, 10, 10 + dz}, angle});
        }
    // Close to the centre the Up arrow carries the centre forward too.
    Start();
    g_dEyeZ = 16;
    Key(WXK_UP);
    ExpectCamera({{20, 14, 14}, {20, 10, 8}, kQuarter});
}

TEST_F(CameraTest, StoredViewsDriverViewAndSwitches)
{
    Start();
    const Camera first = Now();
    Key(WXK_F5);  // the first key press
    Key('3');     // never stored: the camera of the first key press
    ExpectCamera(first, 0);
    Camera stored[3];
    for (int k = 0; k < 3; ++k) {
        Key(WXK_F2 + k);
        Key('1' + k, true);
        stored[k] = Now();
    }
    for (int k = 0; k < 3; ++k) {
        Key(WXK_F8);
        Key('1' + k);
        ExpectCamera(stored[k], 0);
    }

    g_fTruckX = 17, g_fTruckY = 4;
    Key('T');
    ExpectCamera({{16.25, 5.8125, 12}, {22.25, 3.8125, 12}, 0});
    EXPECT_EQ(g_bFollowTruckCamera, 1);
    Key('T');
    ExpectCamera({{24, 12, 12 + 24 * 2.3}, {24, 12, 12}, 1.57f});
    EXPECT_EQ(g_bFollowTruckCamera, 0);

    Key(WXK_F12);
    EXPECT_EQ(V(g_bShowXYBasePlane, g_bShowRulers, g_bShowJoints, g_bShowLoads, g_bShowGuideXY, g_bShowSupports),
              V(0, 0, 0, 0, 0, 1));
    Key(WXK_F11);
    EXPECT_EQ(V(g_bShowYZBasePlane, g_bShowXZBasePlane, g_bShowGuideXZ, g_bShowGuideYZ, g_bShowJoints),
              V(1, 1, 1, 1, 1));
    g_bListXYGuide1Built = g_bListXYGuide2Built = g_bListXZGuideBuilt = 1;
    Key('G');
    EXPECT_EQ(V(g_bGuidePlaneHalfAlpha, g_bListXYGuide1Built, g_bListXYGuide2Built, g_bListXZGuideBuilt),
              V(1, 0, 0, 1));
    Key('S');
    Key('S', true);  // Ctrl+S belongs to File/Save Model
    EXPECT_EQ(g_bUniformTestLoads, 1);
    Key('Z');
    EXPECT_EQ(g_bZoomGestureArmed, 1);

    // 'P': tiles of the skewed plane through three marked joints; again hides them.
    for (int j = 0; j < 3; ++j) AddJoint(10 + 4 * j, 2 + 3 * j, 12).mark = j < 2 ? 1 : 0;
    AddMember(1, 2);
    Key('P');
    EXPECT_EQ(g_bShowTilesSkew, 0);  // two marked joints: nothing
    g_Joints[3].mark = 1;
    Key('P');
    EXPECT_EQ(g_bShowTilesSkew, 1);
    EXPECT_EQ(backend.printRequests.size(), 1u);  // the print dialog was asked for
    Key('P');
    EXPECT_EQ(g_bShowTilesSkew, 0);
    EXPECT_EQ(backend.printRequests.size(), 1u);
}

TEST_F(CameraTest, EscapeEndsDragsAndPlaneToolsButNotOtherTools)
{
    AddJoint(10, 6, 12);
    AddJoint(18, 6, 12).mark = 1;
    Tool(ID_MEMBERS_ADD);
    Move(AtJoint(1));
    Send(wxEVT_LEFT_DOWN, AtJoint(1));
    ASSERT_TRUE(g_bDraggingMember && view->HasCapture());
    Key(WXK_ESCAPE);
    EXPECT_TRUE(!g_bDraggingMember && !view->HasCapture() && g_bModeAddMember);
    Send(wxEVT_LEFT_UP, AtJoint(1));
    EXPECT_EQ(V(g_nMembers, backend.Count(Event::Box)), V(0, 0));

    // A Move Joints drag put back: the plane and the joint it carried.
    LookAt(0, 20, 40, 20, 0, 12);
    Tool(ID_GUIDES_XY_MOVE_JOINTS_AND_PLANE);
    Send(wxEVT_LEFT_DOWN, At(20, 0, 12));
    Move(At(20, 0, 15));
    ASSERT_EQ(V(g_fGuidePlaneZ, g_Joints[2].z), V(15, 15));
    g_strStatusPrompt = "something";
    backend.Clear();
    Key(WXK_ESCAPE);
    EXPECT_EQ(V(g_fGuidePlaneZ, g_Joints[2].z, g_bDraggingPlaneXY, g_bModeXYPlaneMoveJoints), V(12, 12, 0, 0));
    EXPECT_EQ(g_strStatusPrompt, "Ready");
    EXPECT_EQ(backend.Count(Event::Beep), 1);

    // Other tools stay on but lose what the cursor picked; Set Origin ends.
    AddMember(1, 2);
    const struct {
        int tool;
        wxPoint at;
        int* flag;
        int stays;
    } tools[] = {
        {ID_JOINTS_DELETE, AtJoint(1), &g_bModeDeleteJoint, 1},
        {ID_MEMBERS_HIDE, At(14, 6, 12), &g_bModeHideMembers, 1},
        {ID_GUIDES_MOVE_ORIGIN, AtJoint(1), &g_bModeSetOrigin, 0},
    };
    for (const auto& t : tools) {
        Tool(t.tool);
        Move(t.at);
        ASSERT_NE(g_nPickedJoint + g_nPickedMember, 0) << t.tool;
        Key(WXK_ESCAPE);
        EXPECT_EQ(V(*t.flag, g_nPickedJoint, g_nPickedMember), V(t.stays, 0, 0)) << t.tool;
    }
    Tool(ID_JOINTS_DELETE);
    Key(WXK_ESCAPE);
    EXPECT_EQ(g_strStatusPrompt, "Delete Joint -> Click a Joint");  // the tool still in force
}

TEST_F(CameraTest, MouseOrbitWheelDoubleClickAndZoomGesture)
{
    g_nScreenWidth = 1000, g_nScreenHeight = 800;
    // A drag that starts mostly downward stays a vertical orbit when it goes sideways.
    Start();
    Send(wxEVT_RIGHT_DOWN, wxPoint(100, 100));
    Move(wxPoint(101, 140));
    Move(wxPoint(400, 200));
    const float delta = 100.0f / 400 * 1.5708f;
    const double r = std::hypot(4.0, 30.0);
    EXPECT_TRUE(g_bOrbitLockVertical == 1 && g_bOrbitLockHorizontal == 0);
    ExpectCamera({{20, 10 - std::cos(kQuarter - delta) * r, 10 + std::sin(kQuarter - delta) * r}, {20, 10, 10},
                  kQuarter - delta});
    Send(wxEVT_RIGHT_UP, wxPoint(400, 200));
    EXPECT_TRUE(!g_bOrbitDragging && !view->HasCapture());
    // Sideways first: half the screen width turns a quarter.
    Start();
    Send(wxEVT_RIGHT_DOWN, wxPoint(100, 100));
    Move(wxPoint(600, 101));
    ExpectCamera({{20 - std::cos(kQuarter - 1.5708f) * 30, 14, 10 + std::sin(kQuarter - 1.5708f) * 30},
                  {20, 10, 10}, kQuarter - 1.5708f});
    Send(wxEVT_RIGHT_UP, wxPoint(600, 101));

    // The wheel: away from the user dollies in, but never within 2 of the centre.
    Start();
    Send(wxEVT_MOUSEWHEEL, wxPoint(10, 10), -120);
    ExpectCamera({{20, 14 + 4.0 / 16, 42}, {20, 10, 10}, kQuarter});
    Start();
    g_dEyeZ = 13;
    Send(wxEVT_MOUSEWHEEL, wxPoint(10, 10), 120);
    ExpectCamera({{20, 14, 13}, {20, 10, 10}, kQuarter});

    // A double click on a joint takes the centre there and ends Set Focus.
    Start();
    AddJoint(16, 8, 10);
    Tool(ID_GUIDES_MOVE_FOCUS);
    Send(wxEVT_LEFT_DCLICK, AtJoint(1));
    EXPECT_EQ(V(g_dCenterX, g_dCenterY, g_dCenterZ, g_bModeSetFocus, g_nPickedJoint), V(16, 8, 10, 0, 0));
    EXPECT_EQ(g_strStatusPrompt, "Ready");

    // Zoom gesture: a drag over half the view brings the eye to half its
    // distance. Its press and release are the gesture's only: the tool on
    // acts at the next click.
    Start();
    Tool(ID_JOINTS_ADD);
    const wxPoint press = At(14, 8, 12);
    Key('Z');
    Send(wxEVT_LEFT_DOWN, press);
    EXPECT_EQ(g_nZoomPressX, press.x);
    Send(wxEVT_LEFT_UP, wxPoint(press.x + g_nViewWidth / 2, press.y));
    EXPECT_EQ(V(g_bZoomGestureArmed, g_nJoints, g_bModeAddJoint), V(0, 1, 1));
    EXPECT_NEAR(g_dEyeZ, 10 + 30.0 * (g_nViewWidth / 2) / g_nViewWidth, 1e-3);
    EXPECT_NEAR(g_dEyeY, 14 - 4 / (g_dEyeZ - 10) * 2, 1e-3);
    Click(At(14, 8, 12));
    EXPECT_EQ(g_nJoints, 2);
}

}  // namespace
