// Building and editing a model with the mouse in a real view: clicks and
// drags at the window points of grid points and joints.
#include <cmath>

#include "frame/analysis_command.h"
#include "frame/command_ids.h"
#include "model/model_ops.h"
#include "model/tables.h"
#include "model/undo.h"
#include "state/frame_globals.h"
#include "state/printing_globals.h"
#include "tests/view/edit_fixture.h"
#include "view/member_split.h"
#include "view/pick_dialogs.h"
#include "view/picking.h"

namespace {

using platform::Event;

float Restraints(const JointRec& j)
{
    return j.restraintTX * 32 + j.restraintTY * 16 + j.restraintTZ * 8 + j.restraintRX * 4 + j.restraintRY * 2 +
           j.restraintRZ;
}

TEST_F(EditViewTest, BuildsATrussByClicksAndDragsAndAnalysesIt)
{
    Tool(ID_JOINTS_ADD);
    const float points[5][2] = {{10, 6}, {18, 6}, {26, 6}, {14, 10}, {22, 10}};
    for (const auto& p : points) Click(At(p[0], p[1], 12));
    ASSERT_EQ(g_nJoints, 5);
    for (int j = 1; j <= 5; ++j) {
        const JointRec& jt = g_Joints[j];
        EXPECT_TRUE(jt.x == points[j - 1][0] && jt.y == points[j - 1][1] && jt.z == 12) << j;
        EXPECT_EQ(Restraints(jt), 0);
    }
    Click(AtJoint(2));  // a grid point that holds a joint: dropped again, silently
    EXPECT_EQ(g_nJoints, 5);

    Tool(ID_MEMBERS_ADD);
    const int pairs[7][2] = {{1, 2}, {2, 3}, {1, 4}, {4, 2}, {2, 5}, {5, 3}, {4, 5}};
    for (const auto& p : pairs) Drag(AtJoint(p[0]), AtJoint(p[1]));
    ASSERT_EQ(g_nMembers, 7);
    for (int i = 1; i <= 7; ++i) {
        const MemberRec& m = g_Members[i];
        EXPECT_TRUE(m.jointA == pairs[i - 1][0] && m.jointB == pairs[i - 1][1]) << i;
        EXPECT_TRUE(m.shape == g_nDefaultShape && m.material == g_nDefaultMaterial && m.useTorsion == 1);
        EXPECT_FLOAT_EQ(m.actualLength, MemberLength(i));
    }
    EXPECT_FALSE(view->HasCapture());

    Tool(ID_SUPPORTS_FIXED);
    Click(AtJoint(1));
    Click(AtJoint(3));
    g_fDefaultForceY = -2;
    Tool(ID_LOADS_FORCE_Y);
    Click(AtJoint(2));
    EXPECT_EQ(V(Restraints(g_Joints[1]), Restraints(g_Joints[3]), Restraints(g_Joints[2])), V(63, 63, 0));
    EXPECT_EQ(g_Joints[2].forceY, -2);
    EXPECT_TRUE(backend.Boxes().empty());

    RunTheAnalysis();
    EXPECT_EQ(V(g_bHaltUnstable, g_bHaltInadequateSupport, g_bMemberResultsValid), V(0, 0, 1));
    EXPECT_LT(g_Joints[2].dispY, 0);
    // The truss is symmetric about joint 2: both halves of the bottom chord carry the same force.
    const float left = g_Members[1].endForces[EF_AXIAL1], right = g_Members[2].endForces[EF_AXIAL1];
    EXPECT_NEAR(std::fabs(left), std::fabs(right), 1e-3 * std::fabs(left) + 1e-6);

    // A full table whose last joint lies on an earlier one: a click on the
    // grid adds nothing, drops nothing and gives only the limit message.
    Tool(ID_JOINTS_ADD);
    while (g_nJoints < MAX_JOINTS - 1) AddJoint(40, 20, g_nJoints * 0.05f);
    AddJoint(10, 6, 12);  // on joint 1
    backend.Clear();
    Click(At(30, 16, 12));
    EXPECT_EQ(V(g_nJoints, g_nMembers), V(MAX_JOINTS, 7));
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Maximum Number of Joints = 400\n"});
}

TEST_F(EditViewTest, AMemberDragEndsOnAnotherJointOnly)
{
    AddJoint(10, 6, 12);
    AddJoint(18, 6, 12);
    Tool(ID_MEMBERS_ADD);
    const wxPoint start = AtJoint(1);
    const struct {
        wxPoint end;
        int members;
        const char* box;
    } drags[] = {
        {start, 0, "Operation Halted!\nThis action would create a zero length member."},
        {At(14, 16, 12), 0, nullptr},  // empty space
        {AtJoint(2), 1, nullptr},
    };
    for (const auto& d : drags) {
        backend.Clear();
        Drag(start, d.end);
        EXPECT_EQ(g_nMembers, d.members);
        EXPECT_EQ(BoxTexts(), d.box ? std::vector<std::string>{d.box} : std::vector<std::string>{});
        EXPECT_TRUE(!g_bDraggingMember && !view->HasCapture());
    }
}

// The XY plane dragged along z over the floor (the XZ base plane); the
// camera stands in the YZ base plane, so that plane shows only as a line.
TEST_F(EditViewTest, PlaneMovesThatWouldDuplicateJointsPutEverythingBack)
{
    LookAt(0, 20, 40, 20, 0, 12);
    const struct {
        int tool;
        float toZ;
        int joints;
        float markedZ, planeZ;
        bool halted;
        bool lastMarked;  // the last joint marked too
        float lastZ;      // where the last joint is afterwards
    } cases[] = {
        {ID_GUIDES_XY_MOVE_JOINTS_AND_PLANE, 14, 2, 12, 12, true, false, 14},
        {ID_GUIDES_XY_REPLICATE_AND_MOVE, 14, 2, 12, 12, true, false, 14},
        {ID_GUIDES_XY_MOVE_JOINTS_AND_PLANE, 16, 2, 16, 16, false, false, 14},
        {ID_GUIDES_XY_REPLICATE_AND_MOVE, 16, 3, 12, 16, false, false, 16},
        {ID_GUIDES_XY_MOVE_JOINTS_AND_PLANE, 16, 2, 16, 16, false, true, 18},
        {ID_GUIDES_XY_REPLICATE_AND_MOVE, 16, 4, 12, 16, false, true, 18},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.toZ << (c.lastMarked ? " last marked" : ""));
        g_nJoints = 0;
        AddJoint(10, 6, 12).mark = 1;
        AddJoint(10, 6, 14).mark = c.lastMarked;
        g_fGuidePlaneZ = 12;
        backend.Clear();
        Tool(c.tool);
        Send(wxEVT_LEFT_DOWN, At(20, 0, 12));
        EXPECT_TRUE(view->HasCapture());
        Move(At(20, 0, c.toZ));
        EXPECT_EQ(g_fGuidePlaneZ, c.toZ);  // the plane follows the mouse
        Send(wxEVT_LEFT_UP, At(20, 0, c.toZ));
        EXPECT_EQ(V(g_nJoints, g_Joints[1].z, g_fGuidePlaneZ, g_bDraggingPlaneXY), V(c.joints, c.markedZ, c.planeZ, 0));
        EXPECT_EQ(g_Joints[g_nJoints].z, c.lastZ);
        EXPECT_EQ(backend.Count(Event::Beep), c.halted ? 1 : 0);
        EXPECT_EQ(BoxTexts(), c.halted ? std::vector<std::string>{kDuplicateJoint} : std::vector<std::string>{});
        if (c.joints == 3) {
            EXPECT_EQ(V(g_Joints[3].x, g_Joints[3].z, Restraints(g_Joints[3])), V(10, 16, 0));
        }
        EXPECT_EQ(g_bModeXYPlaneMoveJoints + g_bModeXYPlaneReplicate, 0);  // one drag per tool choice
        EXPECT_EQ(g_strStatusPrompt, "Ready");                              // and the prompt says so
    }

    // Replicating onto a joint: the copy would lie on joint 2, so nothing stays.
    g_nJoints = 2, g_fGuidePlaneZ = 12;
    Tool(ID_GUIDES_XY_REPLICATE_TO_JOINT);
    backend.Clear();
    Click(AtJoint(2));
    EXPECT_EQ(V(g_nJoints, g_fGuidePlaneZ, g_bModeXYPlaneReplicateToJoint), V(2, 12, 0));
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{kDuplicateJoint});
    // Plane to Joint moves the plane: its sheets are drawn again.
    Tool(ID_GUIDES_XY_PLANE_TO_JOINT);
    g_bListXYGuide1Built = g_bListYZGuide1Built = 1;
    Click(AtJoint(2));
    EXPECT_EQ(V(g_fGuidePlaneZ, g_bModeXYPlaneToJoint, g_bListXYGuide1Built, g_bListYZGuide1Built), V(14, 0, 0, 0));
    EXPECT_EQ(g_strStatusPrompt, "Ready");
    g_fGuidePlaneZ = 12;
    // No room for the copies: the limit message, and the plane stays or goes back.
    while (g_nJoints < MAX_JOINTS - 1) AddJoint(40, 20, 1 + g_nJoints * 0.05f);
    for (int tool : {ID_GUIDES_XY_REPLICATE_TO_JOINT, ID_GUIDES_XY_REPLICATE_AND_MOVE}) {
        backend.Clear();
        Tool(tool);
        if (tool == ID_GUIDES_XY_REPLICATE_TO_JOINT)
            Click(AtJoint(2));
        else
            Drag(At(20, 0, 12), At(20, 0, 16));
        EXPECT_EQ(V(g_nJoints, g_fGuidePlaneZ), V(MAX_JOINTS - 1, 12));
        EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Maximum Number of Joints = 400\n"});
    }
}

float s_dialogFraction = 0;  // what the split question answers: -1 cancels
int s_questions = 0;         // how often it was asked

TEST_F(EditViewTest, SplitsAtTheCursorAtAFractionAndRefusals)
{
    enum Way { CURSOR, TOOL_20, DIALOG };
    const struct {
        Way way;
        float clickX;          // along the member, at y 6
        float dialogFraction;  // 0: no question asked
        float extraJointX;     // a joint of its own on the member; 0 for none
        bool full;             // the joint table is full
        float farEndX;         // the second end: at x 20, or off the screen
        float newX;            // 0: no split
        const char* box;
    } cases[] = {
        {CURSOR, 13, 0, 0, false, 20, 13, nullptr},
        {TOOL_20, 17, 0, 0, false, 20, 12, nullptr},
        {DIALOG, 16, 0, 0, false, 20, 16, nullptr},
        {DIALOG, 16, 0.5f, 0, false, 20, 15, nullptr},
        {DIALOG, 16, -1, 0, false, 20, 0, nullptr},
        {DIALOG, 16, 0.5f, 15, false, 20, 0, kDuplicateJoint},
        {TOOL_20, 17, 0, 12, false, 20, 0, kDuplicateJoint},
        {CURSOR, 10.03f, 0, 0, false, 20, 0, kBothEnds},  // within 1 % of the end
        {DIALOG, 10.03f, 0, 0, false, 20, 0, kBothEnds},
        {CURSOR, 13, 0, 0, true, 20, 0, "Maximum Number of Joints = 400\n"},
        {DIALOG, 13, 0.5f, 0, false, 500, 0, kBothEnds},  // an end off the screen: no question
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.way << " " << c.clickX << " " << c.dialogFraction);
        g_nJoints = g_nMembers = 0;
        AddJoint(c.farEndX, 6, 12);
        AddJoint(10, 6, 12);  // the first end: the smaller x
        MemberRec& m = AddMember(1, 2, 0.5f, 0.25f, 0);
        m.shape = 3, m.material = 2, m.rollAngle = 30;
        if (c.extraJointX) AddJoint(c.extraJointX, 6, 12);
        g_bUseSplitDialog = c.way == DIALOG;
        s_dialogFraction = c.dialogFraction;
        s_questions = 0;
        g_PickDialogs.askSplitFraction = c.dialogFraction == 0 ? nullptr : +[](float& f) {
            ++s_questions;
            if (s_dialogFraction < 0) return false;
            f = s_dialogFraction;
            return true;
        };
        Tool(c.way == TOOL_20 ? ID_MEMBERS_SPLIT_20 : ID_JOINTS_ADD);
        while (c.full && g_nJoints < MAX_JOINTS) AddJoint(40, 20, g_nJoints * 0.05f);
        const short joints = g_nJoints;
        backend.Clear();
        Click(At(c.clickX, 6, 12));
        g_PickDialogs.askSplitFraction = nullptr;
        EXPECT_EQ(BoxTexts(), c.box ? std::vector<std::string>{c.box} : std::vector<std::string>{});
        EXPECT_EQ(s_questions, c.dialogFraction != 0 && c.box != kBothEnds ? 1 : 0);
        if (c.newX == 0) {
            EXPECT_EQ(V(g_nJoints, g_nMembers, g_Members[1].jointA), V(joints, 1, 1));
            // Add Joint keeps the member picked for the next click.
            if (c.way != TOOL_20) { EXPECT_EQ(g_nPickedMember, 1); }
            continue;
        }
        ASSERT_EQ(V(g_nJoints, g_nMembers), V(joints + 1, 2));
        EXPECT_NEAR(g_Joints[3].x, c.newX, 0.06);
        EXPECT_EQ(V(g_Joints[3].y, g_Joints[3].z, Restraints(g_Joints[3])), V(6, 12, 0));
        for (int i = 1; i <= 2; ++i) {
            const MemberRec& part = g_Members[i];
            EXPECT_EQ(V(part.shape, part.material, part.rollAngle, part.colorR, part.momentZZ2), V(3, 2, 30, 0.5, 1));
        }
        EXPECT_EQ(V(g_Members[1].jointA, g_Members[1].jointB, g_Members[2].jointA, g_Members[2].jointB),
                  V(2, 3, 3, 1));
    }

    // The fraction runs from the end with the smaller x; with equal x from
    // the smaller y; with equal x and y from jointB.
    const struct {
        float a[3], b[3];
        float splitY, splitZ;  // where 20 % lies
        int first;
    } ends[] = {
        {{10, 14, 12}, {10, 6, 12}, 7.6f, 12, 2},
        {{10, 6, 12}, {10, 14, 12}, 7.6f, 12, 1},
        {{10, 6, 4}, {10, 6, 12}, 6, 10.4f, 2},
        {{10, 6, 12}, {10, 6, 4}, 6, 5.6f, 2},
    };
    for (const auto& e : ends) {
        g_nJoints = g_nMembers = 0;
        AddJoint(e.a[0], e.a[1], e.a[2]);
        AddJoint(e.b[0], e.b[1], e.b[2]);
        AddMember(1, 2);
        g_fSplitFraction = 0.2f;
        ASSERT_EQ(SplitMemberAtFraction(1), 1);
        EXPECT_NEAR(g_Joints[3].y, e.splitY, 1e-5);
        EXPECT_NEAR(g_Joints[3].z, e.splitZ, 1e-5);
        EXPECT_EQ(V(g_Members[1].jointA, g_Members[1].jointB, g_Members[2].jointA, g_Members[2].jointB),
                  V(e.first, 3, 3, 3 - e.first));
    }
}

TEST_F(EditViewTest, APickReturnsTheLowestNumberNotTheNearest)
{
    LookAt(10, 6, 60, 10, 6, 0);
    for (float first : {0.0f, 20.0f}) {
        g_nJoints = g_nMembers = 0;
        AddJoint(10, 6, first);
        AddJoint(10, 6, 20 - first);
        const wxPoint p = At(10, 6, 0);
        EXPECT_EQ(PickJoint(p.x, p.y), 1) << first;
        // Two members across the same point, the lower number first whatever its depth.
        AddJoint(6, 6, first), AddJoint(14, 6, first), AddJoint(10, 2, 20 - first), AddJoint(10, 10, 20 - first);
        AddMember(3, 4), AddMember(5, 6);
        EXPECT_EQ(PickMember(p.x, p.y), 1);
        g_Members[1].hidden = 1;  // a hidden member counts only in the Show Members tool
        EXPECT_EQ(PickMember(p.x, p.y), 2);
        g_bModeShowMembers = 1;
        EXPECT_EQ(PickMember(p.x, p.y), 1);
        g_bModeShowMembers = 0;
    }
    EXPECT_EQ(PickJoint(5, 5), 0);
    // Picks leave the view's own projection loaded.
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_PROJECTION);
    const wxPoint again = At(10, 6, 0);
    EXPECT_TRUE(std::abs(again.x - g_nViewWidth / 2) <= 1 && std::abs(again.y - g_nViewHeight / 2) <= 1);
}

TEST_F(EditViewTest, ToolsActOnTheClickedMemberOnly)
{
    AddJoint(10, 6, 12), AddJoint(18, 6, 12), AddJoint(10, 14, 12), AddJoint(18, 14, 12);
    AddMember(1, 2), AddMember(3, 4);
    const wxPoint onMember1 = At(14, 6, 12);
    const struct {
        int tool;
        short before, after;
    } negations[] = {{ID_MEMBERS_NEGATE, 0, 1}, {ID_MEMBERS_RESTORE, 1, 0}};
    for (const auto& n : negations) {
        g_Members[1].negated = g_Members[2].negated = n.before;
        Tool(n.tool);
        Click(onMember1);
        Click(onMember1);  // the tool stays on
        EXPECT_EQ(V(g_Members[1].negated, g_Members[2].negated), V(n.after, n.before)) << n.tool;
    }
    // The property tools take the undo snapshot at the pick: what the dialog
    // then stores is undone to the values of that moment.
    for (int k : {1, 2}) {
        Tool(k == 1 ? ID_JOINTS_PROPERTIES : ID_MEMBERS_PROPERTIES);
        g_bUndoAvailable = 0;
        g_Joints[1].forceY = g_Members[1].rollAngle = static_cast<float>(k);
        Click(k == 1 ? AtJoint(1) : onMember1);
        EXPECT_EQ(g_bUndoAvailable, 1);
        g_Joints[1].forceY = g_Members[1].rollAngle = 45;
        RestoreUndoSnapshot();
        EXPECT_EQ(V(g_nMembers, g_Joints[1].forceY, g_Members[1].rollAngle), V(2, k, k));
    }
}

// The page-tile corner of a plane goes to the grid point clicked; the first
// in-plane coordinate of the YZ tiles is z.
TEST_F(EditViewTest, MoveTilesTakesTheClickedGridPoint)
{
    g_fGuidePlaneX = 10, g_fGuidePlaneY = 2;
    const struct {
        int tool;
        int* guide;
        double eyeX, eyeY, eyeZ;
        float x, y, z;
        float *first, *second;
        float wantFirst, wantSecond;
    } cases[] = {
        {ID_FILE_XY_TILES_MOVE, &g_bShowGuideXY, 20, 10, 50, 14, 7, 12, &g_fTilesXYOriginX, &g_fTilesXYOriginY, 14, 7},
        {ID_FILE_XZ_TILES_MOVE, &g_bShowGuideXZ, 20, 40, 30, 14, 2, 9, &g_fTilesXZOriginX, &g_fTilesXZOriginZ, 14, 9},
        {ID_FILE_YZ_TILES_MOVE, &g_bShowGuideYZ, 50, 10, 12, 10, 7, 9, &g_fTilesYZOriginZ, &g_fTilesYZOriginY, 9, 7},
    };
    for (const auto& c : cases) {
        g_bShowGuideXY = g_bShowGuideXZ = g_bShowGuideYZ = 0;
        *c.guide = 1;
        LookAt(c.eyeX, c.eyeY, c.eyeZ, c.x, c.y, c.z);
        Tool(c.tool);
        *c.first = *c.second = -1;
        Click(At(c.x, c.y, c.z));
        EXPECT_EQ(V(*c.first, *c.second), V(c.wantFirst, c.wantSecond)) << c.tool;
    }
}

// While the displaced shape is shown the results dialogs pick joints and
// members where they are drawn.
TEST_F(EditViewTest, ResultsPicksFollowTheShapeShown)
{
    AddJoint(10, 6, 12).displacedY = 10;
    AddJoint(18, 6, 12).displacedY = 10;
    AddMember(1, 2);
    const struct {
        int displaced;
        float y;  // where the click is
        short hit;
    } cases[] = {{1, 10, 1}, {1, 6, 0}, {0, 6, 1}, {0, 10, 0}};
    for (const auto& c : cases) {
        g_bShowDisplacedShape = c.displaced, g_bShowUndeformed = !c.displaced;
        g_bMemberResultsDlgShown = 1, g_bJointResultsDlgShown = 0;
        Click(At(14, c.y, 12));
        const short member = g_nPickedMember;
        g_bMemberResultsDlgShown = 0, g_bJointResultsDlgShown = 1;
        Click(At(10, c.y, 12));
        EXPECT_EQ(V(member, g_nPickedJoint), V(c.hit, c.hit)) << c.displaced << " " << c.y;
    }
}

// A command that changes the tables under a tool (undo, open, new, delete)
// leaves no stale number behind.
TEST_F(EditViewTest, NumbersChangedUnderAToolAreDropped)
{
    for (int k = 0; k < 3; ++k) AddJoint(10 + 4 * k, 6, 12).mark = 1;
    Tool(ID_JOINTS_MOVE);
    Click(AtJoint(2));
    ASSERT_EQ(g_nPickedJoint, 2);
    Move(At(30, 16, 12));
    EXPECT_EQ(g_nPickedJoint, 2);  // kept for the highlight
    DeleteJoint(1);                // row 2 now holds another joint
    Move(At(30, 16, 12));
    EXPECT_EQ(g_nPickedJoint, 0);

    Tool(ID_MEMBERS_ADD);
    Move(AtJoint(1));
    Send(wxEVT_LEFT_DOWN, AtJoint(1));
    ASSERT_EQ(g_bDraggingMember, 1);
    const wxPoint end = AtJoint(2);
    g_nJoints = 0;  // a new model
    AddJoint(30, 16, 12).mark = 1, AddJoint(34, 16, 12);
    Move(end);
    Send(wxEVT_LEFT_UP, end);
    EXPECT_EQ(V(g_nMembers, g_bDraggingMember, backend.Count(Event::Box)), V(0, 0, 0));

    LookAt(0, 20, 40, 20, 0, 12);
    Tool(ID_GUIDES_XY_MOVE_JOINTS_AND_PLANE);
    Send(wxEVT_LEFT_DOWN, At(20, 0, 12));
    AddJoint(5, 5, 5);  // a command added a joint
    Move(At(20, 0, 15));
    Send(wxEVT_LEFT_UP, At(20, 0, 15));
    EXPECT_EQ(V(g_fGuidePlaneZ, g_bDraggingPlaneXY, g_Joints[1].z), V(12, 0, 12));  // nothing moved
    EXPECT_FALSE(view->HasCapture());
}

// Every tool that changes what the model file saves leaves the model unsaved.
TEST_F(EditViewTest, SupportAndLoadToolsSetTheirValues)
{
    const struct {
        int tool;
        int restraints;  // -1: a load tool
    } cases[] = {
        {ID_SUPPORTS_XY_ROLLER, 8},  {ID_SUPPORTS_XZ_ROLLER, 16}, {ID_SUPPORTS_YZ_ROLLER, 32},
        {ID_SUPPORTS_X_ROLLER, 28},  {ID_SUPPORTS_Y_ROLLER, 42},  {ID_SUPPORTS_Z_ROLLER, 49},
        {ID_SUPPORTS_HINGE, 56},     {ID_SUPPORTS_FIXED, 63},     {ID_SUPPORTS_DELETE, 0},
        {ID_LOADS_DELETE_FORCE, -1}, {ID_LOADS_FORCE_Z, -1},
    };
    AddJoint(10, 6, 12, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tool);
        g_Joints[1].forceX = 3, g_Joints[1].translatedX = 1;
        g_bModelSaved = 1;
        Tool(c.tool);
        g_bListLoadsBuilt = g_bListSupportsBuilt = 1;
        Click(AtJoint(1));
        if (c.restraints >= 0) {
            EXPECT_EQ(Restraints(g_Joints[1]), c.restraints);
        }
        EXPECT_EQ(g_bModelSaved, 0);
        EXPECT_EQ(c.restraints >= 0 ? g_bListSupportsBuilt : g_bListLoadsBuilt, 0);
    }
    EXPECT_EQ(V(g_Joints[1].forceX, g_Joints[1].translatedX, g_Joints[1].forceZ), V(3, 1, 1));
    Tool(ID_LOADS_DELETE_FORCE);
    Click(AtJoint(1));
    EXPECT_EQ(V(g_Joints[1].forceX, g_Joints[1].translatedX, g_Joints[1].forceZ), V(0, 0, 0));
    // Force tools clear the loads list even on a miss; a miss changes nothing else.
    Tool(ID_LOADS_FORCE_X);
    g_bListLoadsBuilt = 1;
    Click(At(30, 16, 12));
    EXPECT_EQ(V(g_bListLoadsBuilt, g_nJoints, g_Joints[1].forceX), V(0, 1, 0));
}

}  // namespace
