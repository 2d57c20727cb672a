// The overlay text lines composed from the globals, without GL.
#include <string>
#include <vector>

#include "frame/frame_globals.h"
#include "model/tables.h"
#include "tests/common/test_env.h"
#include "view/overlay.h"
#include "view/view_globals.h"

namespace {

class OverlayTest : public Tf3dTest {
protected:
    std::vector<OverlayText> Compose() { return ComposeOverlayText(projectJoint, projectMember); }

    // Line of the given position, last drawn wins; "" when none.
    std::string At(const std::vector<OverlayText>& lines, int x, int y)
    {
        std::string text;
        for (const auto& l : lines)
            if (l.x == x && l.y == y) text = l.text;
        return text;
    }

    // Joints project to (10 j, 20 j); members to (100 m, 200 m); those in
    // hiddenJoint / hiddenMember do not project.
    int hiddenJoint = 0, hiddenMember = 0;
    ProjectFn projectJoint = [this](int j, short& x, short& y) {
        if (j == hiddenJoint) return 0;
        x = static_cast<short>(10 * j);
        y = static_cast<short>(20 * j);
        return 1;
    };
    ProjectFn projectMember = [this](int m, short& x, short& y) {
        if (m == hiddenMember) return 0;
        x = static_cast<short>(100 * m);
        y = static_cast<short>(200 * m);
        return 1;
    };
};

}  // namespace

TEST_F(OverlayTest, PromptAlwaysComesFirst)
{
    auto lines = Compose();
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(10, lines[0].x);
    EXPECT_EQ(5, lines[0].y);
    EXPECT_EQ(" ->> Ready", lines[0].text);

    g_strStatusPrompt = std::string(300, 'p');  // cut to the 100-character buffer
    lines = Compose();
    EXPECT_EQ(99u, lines[0].text.size());
    EXPECT_EQ(" ->> ppp", lines[0].text.substr(0, 8));
}

TEST_F(OverlayTest, WeightLineNeedsAMemberToolAndTheSwitch)
{
    g_nJoints = 2;
    g_Joints[2].x = 10;
    g_nMembers = 1;
    g_Members[1].jointA = 1, g_Members[1].jointB = 2;
    g_Shapes[1].area = 1.728f;  // 10 in x 0.001 in^2 at 1 pcf = 0.01 lb
    g_Materials[1].density = 1;
    g_bShowModelWeight = 1;
    EXPECT_EQ("", At(Compose(), 10, 130));
    for (int* tool : {&g_bModeAddMember, &g_bModeChangeShape, &g_bModeChangeMaterial}) {
        *tool = 1;
        EXPECT_EQ(" Weight = 4.54 grams  ", At(Compose(), 10, 130));
        *tool = 0;
    }
    g_bModeAddMember = 1;
    g_bShowModelWeight = 0;
    EXPECT_EQ("", At(Compose(), 10, 130));
    g_bShowModelWeight = 1;
    SetMetricUnits(1);  // newtons
    g_Shapes[1].area = 0.001f;
    EXPECT_EQ(" Weight = 1.02 grams  ", At(Compose(), 10, 130));
    g_nMembers = 0;
    EXPECT_EQ("", At(Compose(), 10, 130));
}

TEST_F(OverlayTest, CoordinateLinesOfTheEditingTools)
{
    g_fCursorX = 5.5f, g_fCursorY = 2, g_fCursorZ = -1;
    g_fOriginX = 1.25f, g_fOriginY = 0, g_fOriginZ = 1;
    g_fDragStartX = 4, g_fDragStartY = 2.5f, g_fDragStartZ = -1;

    g_bModeAddMember = 1;
    EXPECT_EQ("", At(Compose(), 10, 50));  // no plane under the cursor
    g_bCursorOnPlane = 1;
    EXPECT_EQ("  X = 4.25, Y = 2.00, Z = -2.00  ", At(Compose(), 10, 50));
    EXPECT_EQ("", At(Compose(), 10, 90));
    g_bDraggingMember = 1;
    EXPECT_EQ(" dX = 1.50, dY = -0.50, dZ = 0.00   ", At(Compose(), 10, 90));
    g_bShowDragDeltas = 0;
    EXPECT_EQ("", At(Compose(), 10, 90));
    g_bModeAddMember = g_bDraggingMember = 0;

    g_bModeSetOrigin = 1;  // absolute
    EXPECT_EQ(" Gx = 5.50, Gy = 2.00, Gz = -1.00   ", At(Compose(), 10, 50));
    g_bModeSetOrigin = 0;

    g_bCursorOnPlane = 0;  // Add Joint shows the last point even off the planes
    g_bModeAddJoint = 1;
    EXPECT_EQ(" X = 4.25, Y = 2.00, Z = -2.00   ", At(Compose(), 10, 50));
    EXPECT_EQ("", At(Compose(), 10, 90));
    g_bShowDragDeltas = 1;
    EXPECT_EQ(" dX = 1.50, dY = -0.50, dZ = 0.00   ", At(Compose(), 10, 90));
    g_bModeAddJoint = 0;

    g_fGuidePlaneX = 7, g_fGuidePlaneY = 3, g_fGuidePlaneZ = 2;
    g_bDraggingPlaneXY = 1;
    EXPECT_EQ(" XY Plane : Z = 1.00, DZ = 0.00 ", At(Compose(), 10, 50));
    g_bDraggingPlaneXY = 0, g_bDraggingPlaneXZ = 1;
    EXPECT_EQ(" XZ Plane : Y = 3.00, DY = -0.50  ", At(Compose(), 10, 50));
    g_bDraggingPlaneXZ = 0, g_bDraggingPlaneYZ = 1;
    EXPECT_EQ(" YZ Plane : X = 5.75, DX = 1.50  ", At(Compose(), 10, 50));

    // The plane line is drawn after the Add Joint line and covers it.
    g_bModeAddJoint = 1;
    EXPECT_EQ(" YZ Plane : X = 5.75, DX = 1.50  ", At(Compose(), 10, 50));
}

TEST_F(OverlayTest, NumberAndForceLabelsWhereTheyProject)
{
    g_nJoints = 3;
    g_nMembers = 3;
    for (int i = 1; i <= 3; ++i) {
        g_Members[i].jointA = 1, g_Members[i].jointB = 2;
        g_Members[i].shape = static_cast<short>(i + 3);
        g_Members[i].material = static_cast<short>(10 - i);
    }
    g_Joints[1].forceX = -2.5f;
    g_Joints[2].forceY = 12.5f;
    g_Joints[3].forceX = 4;
    hiddenMember = 2;
    hiddenJoint = 3;

    g_bShowMemberNumbers = 1;
    auto lines = Compose();
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ("1", lines[1].text);
    EXPECT_EQ(100, lines[1].x);
    EXPECT_EQ(200, lines[1].y);
    EXPECT_EQ("3", lines[2].text);
    g_bShowMemberNumbers = 0;

    g_bShowShapeNumbers = 1;
    EXPECT_EQ("6", At(Compose(), 300, 600));
    g_bShowShapeNumbers = 0, g_bShowMaterialNumbers = 1;
    EXPECT_EQ("9", At(Compose(), 100, 200));
    g_bShowMaterialNumbers = 0;

    g_bShowForcesX = 1;
    lines = Compose();
    ASSERT_EQ(2u, lines.size());  // joint 2 has no x force, joint 3 does not project
    EXPECT_EQ("2.5", lines[1].text);
    EXPECT_EQ(10, lines[1].x);
    g_bShowForcesX = 0, g_bShowForcesY = 1;
    EXPECT_EQ("12.5", At(Compose(), 20, 40));
    g_bShowForcesY = 0, g_bShowForcesZ = 1;
    EXPECT_EQ(1u, Compose().size());
}

TEST_F(OverlayTest, BreakingForceLineGrowsToTheFullLoad)
{
    g_fTotalLoadX = 2, g_fTotalLoadY = -40, g_fTotalLoadZ = 0;
    g_fMagnification = 10;
    g_fAnimMagnification = 5;
    g_bAnimationRunning = 1;
    EXPECT_EQ("", At(Compose(), 10, 65));
    g_bFindBreakingForces = 1;
    EXPECT_EQ(" Fx = 1.00, Fy = -20.00, Fz = 0.00   ", At(Compose(), 10, 65));
    g_fAnimMagnification = 10;
    EXPECT_EQ(" Fx = 2.00, Fy = -40.00, Fz = 0.00   ", At(Compose(), 10, 65));
    g_fAnimMagnification = 35;  // the collapse goes on; the load stays
    EXPECT_EQ(" Fx = 2.00, Fy = -40.00, Fz = 0.00   ", At(Compose(), 10, 65));
    g_bAnimationRunning = 0;
    EXPECT_EQ("", At(Compose(), 10, 65));
    g_bShowDisplacedShape = 1;
    EXPECT_EQ(" Fx = 2.00, Fy = -40.00, Fz = 0.00   ", At(Compose(), 10, 65));
}
