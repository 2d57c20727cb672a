// The overlay text lines composed from the globals, without GL.
#include <string>

#include "model/tables.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"
#include "tests/common/test_env.h"
#include "view/overlay.h"

namespace {

class OverlayTest : public Tf3dTest {
protected:
    std::vector<OverlayText> Compose() { return ComposeOverlayText(projectJoint, projectMember); }
    // Text of the line at (x, y), last drawn wins; "" when none.
    std::string At(int x, int y)
    {
        std::string text;
        for (const auto& l : Compose())
            if (l.x == x && l.y == y) text = l.text;
        return text;
    }
    // Joints project to (10 j, 20 j), members to (100 m, 200 m), except the hidden ones.
    int hiddenJoint = 0, hiddenMember = 0;
    ProjectFn projectJoint = [this](int j, short& x, short& y) {
        x = static_cast<short>(10 * j), y = static_cast<short>(20 * j);
        return j == hiddenJoint ? 0 : 1;
    };
    ProjectFn projectMember = [this](int m, short& x, short& y) {
        x = static_cast<short>(100 * m), y = static_cast<short>(200 * m);
        return m == hiddenMember ? 0 : 1;
    };
};

}  // namespace

TEST_F(OverlayTest, PromptAndWeightLines)
{
    EXPECT_EQ(1u, Compose().size());
    EXPECT_EQ(" ->> Ready", At(10, 5));
    g_strStatusPrompt = std::string(300, 'p');  // cut to the 100-character buffer
    const auto prompt = Compose();
    ASSERT_FALSE(prompt.empty());
    EXPECT_EQ(99u, prompt[0].text.size());
    // The weight needs a member tool and the switch.
    g_nJoints = 2, g_nMembers = 1;
    g_Joints[2].x = 10;
    g_Members[1].jointA = 1, g_Members[1].jointB = 2;
    g_Shapes[1].area = 1.728f, g_Materials[1].density = 1;  // 10 in x 0.001 in^2 at 1 pcf = 0.01 lb
    g_bShowModelWeight = 1;
    EXPECT_EQ("", At(10, 130));
    for (int* tool : {&g_bModeAddMember, &g_bModeChangeShape, &g_bModeChangeMaterial}) {
        *tool = 1;
        EXPECT_EQ(" Weight = 4.54 grams  ", At(10, 130));
        *tool = 0;
    }
    g_bModeAddMember = 1, g_bShowModelWeight = 0;
    EXPECT_EQ("", At(10, 130));
    g_bShowModelWeight = 1, g_Shapes[1].area = 0.001f;
    SetMetricUnits(1);
    EXPECT_EQ(" Weight = 1.02 grams  ", At(10, 130));
    g_nMembers = 0;
    EXPECT_EQ("", At(10, 130));
}

TEST_F(OverlayTest, CoordinateLinesOfTheEditingTools)
{
    g_fCursorX = 5.5f, g_fCursorY = 2, g_fCursorZ = -1;
    g_fOriginX = 1.25f, g_fOriginY = 0, g_fOriginZ = 1;
    g_fDragStartX = 4, g_fDragStartY = 2.5f, g_fDragStartZ = -1;
    const std::string delta = " dX = 1.50, dY = -0.50, dZ = 0.00   ";
    g_bModeAddMember = 1;
    EXPECT_EQ("", At(10, 50));  // no plane under the cursor
    g_bCursorOnPlane = 1;
    EXPECT_EQ("  X = 4.25, Y = 2.00, Z = -2.00  ", At(10, 50));
    EXPECT_EQ("", At(10, 90));
    g_bDraggingMember = 1;
    EXPECT_EQ(delta, At(10, 90));
    g_bShowDragDeltas = 0;
    EXPECT_EQ("", At(10, 90));
    g_bModeAddMember = g_bDraggingMember = 0;
    g_bModeSetOrigin = 1;  // absolute
    EXPECT_EQ(" Gx = 5.50, Gy = 2.00, Gz = -1.00   ", At(10, 50));
    g_bModeSetOrigin = g_bCursorOnPlane = 0;  // Add Joint shows the last point even off the planes
    g_bModeAddJoint = 1;
    EXPECT_EQ(" X = 4.25, Y = 2.00, Z = -2.00   ", At(10, 50));
    g_bShowDragDeltas = 1;
    EXPECT_EQ(delta, At(10, 90));
    // A dragged plane's line is drawn after the Add Joint line and covers it.
    g_fGuidePlaneX = 7, g_fGuidePlaneY = 3, g_fGuidePlaneZ = 2;
    const std::pair<int*, const char*> planes[] = {{&g_bDraggingPlaneXY, " XY Plane : Z = 1.00, DZ = 0.00 "},
                                                   {&g_bDraggingPlaneXZ, " XZ Plane : Y = 3.00, DY = -0.50  "},
                                                   {&g_bDraggingPlaneYZ, " YZ Plane : X = 5.75, DX = 1.50  "}};
    for (const auto& p : planes) {
        *p.first = 1;
        EXPECT_EQ(p.second, At(10, 50));
        *p.first = 0;
    }
}

TEST_F(OverlayTest, NumberAndForceLabelsWhereTheyProject)
{
    g_nJoints = g_nMembers = 3;
    for (int i = 1; i <= 3; ++i) {
        MemberRec& m = g_Members[i];
        m.jointA = 1, m.jointB = 2, m.shape = static_cast<short>(i + 3), m.material = static_cast<short>(10 - i);
    }
    g_Joints[1].forceX = -2.5f, g_Joints[2].forceY = 12.5f, g_Joints[3].forceX = 4;
    hiddenMember = 2, hiddenJoint = 3;
    g_bShowMemberNumbers = 1;
    auto lines = Compose();
    ASSERT_EQ(3u, lines.size());  // the prompt, members 1 and 3
    EXPECT_EQ("1", At(100, 200));
    EXPECT_EQ("3", lines[2].text);
    g_bShowMemberNumbers = 0, g_bShowShapeNumbers = 1;
    EXPECT_EQ("6", At(300, 600));
    g_bShowShapeNumbers = 0, g_bShowMaterialNumbers = 1;
    EXPECT_EQ("9", At(100, 200));
    g_bShowMaterialNumbers = 0, g_bShowForcesX = 1;  // joint 2 has no x force, joint 3 does not project
    EXPECT_EQ(2u, Compose().size());
    EXPECT_EQ("2.5", At(10, 20));
    g_bShowForcesX = 0, g_bShowForcesY = 1;
    EXPECT_EQ("12.5", At(20, 40));
    g_bShowForcesY = 0, g_bShowForcesZ = 1;
    EXPECT_EQ(1u, Compose().size());
}

TEST_F(OverlayTest, BreakingForceLineGrowsToTheFullLoad)
{
    g_fTotalLoadX = 2, g_fTotalLoadY = -40, g_fTotalLoadZ = 0;
    g_fMagnification = 10, g_fAnimMagnification = 5;
    g_bAnimationRunning = 1;
    const std::string full = " Fx = 2.00, Fy = -40.00, Fz = 0.00   ";
    EXPECT_EQ("", At(10, 65));
    g_bFindBreakingForces = 1;
    EXPECT_EQ(" Fx = 1.00, Fy = -20.00, Fz = 0.00   ", At(10, 65));
    g_fAnimMagnification = 35;  // the collapse goes on; the load stays
    EXPECT_EQ(full, At(10, 65));
    g_bAnimationRunning = 0;
    EXPECT_EQ("", At(10, 65));
    g_bShowDisplacedShape = 1;
    EXPECT_EQ(full, At(10, 65));
}
