#include <string>
#include <utility>
#include <vector>

#include "frame/command_ids.h"
#include "frame/frame_globals.h"
#include "frame/tool_commands.h"
#include "frame/tool_modes.h"
#include "model/tables.h"
#include "tests/common/test_env.h"
#include "view/view_globals.h"

namespace {

using platform::Event;

// Every flag that selects a tool (display switches excluded).
std::vector<int*> ToolFlags()
{
    return {&g_bModeMoveTilesXY, &g_bModeMoveTilesXZ, &g_bModeMoveTilesYZ,
            &g_bModeXYPlaneToCursor, &g_bModeXYPlaneToJoint, &g_bModeXYPlaneMoveJoints,
            &g_bModeXYPlaneReplicate, &g_bModeXYPlaneReplicateToJoint,
            &g_bModeXZPlaneToCursor, &g_bModeXZPlaneToJoint, &g_bModeXZPlaneMoveJoints,
            &g_bModeXZPlaneReplicate, &g_bModeXZPlaneReplicateToJoint,
            &g_bModeYZPlaneToCursor, &g_bModeYZPlaneToJoint, &g_bModeYZPlaneMoveJoints,
            &g_bModeYZPlaneReplicate, &g_bModeYZPlaneReplicateToJoint,
            &g_bModeSelectJoints, &g_bModeSetFocus, &g_bModeAddJoint, &g_bModeMoveJoint,
            &g_bModeJointProperties, &g_bModeDeleteJoint,
            &g_bModeAddMember, &g_bModeDeleteMember, &g_bModeChangeShape, &g_bModeChangeMaterial,
            &g_bModePaintMember, &g_bModeCopyColor, &g_bModeHideMembers, &g_bModeShowMembers,
            &g_bModeMemberProperties, &g_bModeNegateMember, &g_bModeRestoreMember,
            &g_bModeCopyProperties,
            &g_bModeSplitMember10, &g_bModeSplitMember20, &g_bModeSplitMember30,
            &g_bModeSplitMember40, &g_bModeSplitMember50, &g_bModeSplitMember60,
            &g_bModeSplitMember70, &g_bModeSplitMember80, &g_bModeSplitMember90,
            &g_bModeSupportYZRoller, &g_bModeSupportXZRoller, &g_bModeSupportXYRoller,
            &g_bModeSupportZRoller, &g_bModeSupportXRoller, &g_bModeSupportYRoller,
            &g_bModeSupportHinge, &g_bModeSupportFixed, &g_bModeDeleteSupport,
            &g_bModeDeleteLoad, &g_bModeForceX, &g_bModeForceY, &g_bModeForceZ,
            &g_bModeSetOrigin};
}

int SetToolCount()
{
    int n = 0;
    for (int* f : ToolFlags()) n += *f != 0;
    return n;
}

class ToolModesTest : public Tf3dTest {};

TEST_F(ToolModesTest, ClearToolModesClearsToolsDisplaysAndPicksButNotLabels)
{
    for (int* f : ToolFlags()) *f = 1;
    g_bShowTilesXY = g_bShowTilesXZ = g_bShowTilesYZ = 1;
    g_bShowForcesX = g_bShowForcesY = g_bShowForcesZ = 1;
    g_bCursorOnPlane = 1;
    g_nPickedJoint = 3;
    g_nPickedMember = 4;
    g_bShowMemberNumbers = g_bShowShapeNumbers = g_bShowMaterialNumbers = 1;
    g_bUseSplitDialog = 1;
    g_bShowOrigin = 1;
    g_strStatusPrompt = "Custom";

    ClearToolModes();

    EXPECT_EQ(SetToolCount(), 0);
    EXPECT_EQ(g_bShowTilesXY + g_bShowTilesXZ + g_bShowTilesYZ, 0);
    EXPECT_EQ(g_bShowForcesX + g_bShowForcesY + g_bShowForcesZ, 0);
    EXPECT_EQ(g_bCursorOnPlane, 0);
    EXPECT_EQ(g_nPickedJoint, 0);
    EXPECT_EQ(g_nPickedMember, 0);
    EXPECT_EQ(g_bShowMemberNumbers + g_bShowShapeNumbers + g_bShowMaterialNumbers, 3);
    EXPECT_EQ(g_bUseSplitDialog, 1);
    EXPECT_EQ(g_bShowOrigin, 1);
    EXPECT_EQ(g_strStatusPrompt, "Custom");
    EXPECT_TRUE(backend.events.empty());
}

TEST_F(ToolModesTest, PromptTextOfEachTool)
{
    const std::vector<std::pair<int*, std::string>> cases = {
        {&g_bModeAddMember, "Add Member -> Click on a Joint -> Drag -> Release on a different Joint"},
        {&g_bModeSetFocus, "Set Focus -> Click a Joint"},
        {&g_bModeSetOrigin, "Set Origin -> Click on a Guide Plane"},
        {&g_bModeAddJoint, "Add Joint -> Click on a Guide Plane"},
        {&g_bModeDeleteJoint, "Delete Joint -> Click a Joint"},
        {&g_bModeMoveJoint, "Move Joint -> Click a Joint"},
        {&g_bModeSplitMember10, "Split Member @ 10% -> Click a Member"},
        {&g_bModeSplitMember70, "Split Member @ 70% -> Click a Member"},
        {&g_bModeSplitMember90, "Split Member @ 90% -> Click a Member"},
        {&g_bModeJointProperties, "Show Joint Properties -> Click a Joint"},
        {&g_bModeHideMembers, "Hide Member(s) -> Click Member(s)"},
        {&g_bModeShowMembers, "Show Member(s) -> Click Member(s)"},
        {&g_bModeChangeShape, "Change Member Shape -> Click on a Member"},
        {&g_bModeChangeMaterial, "Change Member Material -> Click on a Member"},
        {&g_bShowMaterialNumbers, "Show Material Numbers"},
        {&g_bModeDeleteMember, "Delete Member -> Click a Member"},
        {&g_bModePaintMember, "Change Member Color -> Click a Member"},
        {&g_bShowShapeNumbers, "Show Shape Numbers"},
        {&g_bModeMemberProperties, "Show Member Properties -> Click a Member"},
        {&g_bModeCopyProperties, "Copy Member Properties -> Click a Member"},
        {&g_bModeXYPlaneToCursor, "Move XY Guide Plane -> Click on XZ or YZ Base Plane"},
        {&g_bModeXZPlaneToCursor, "Move XZ Guide Plane -> Click on XY or YZ Base Plane"},
        {&g_bModeYZPlaneToCursor, "Move YZ Guide Plane -> Click on XY or XZ Base Plane"},
        {&g_bModeXYPlaneReplicate, "Move XY Guide Plane and Replicate Selected Joints"},
        {&g_bModeXZPlaneReplicate, "Move XZ Guide Plane and Replicate Selected Joints"},
        {&g_bModeYZPlaneReplicate, "Move YZ Guide Plane and Replicate Selected Joints"},
        {&g_bModeXYPlaneToJoint, "Move XY Guide Plane to a Joint -> Click a Joint"},
        {&g_bModeXZPlaneToJoint, "Move XZ Guide Plane to a Joint -> Click a Joint"},
        {&g_bModeYZPlaneToJoint, "Move YZ Guide Plane to a Joint -> Click a Joint"},
        {&g_bModeSupportYZRoller, "Add Support -> Click a Joint"},
        {&g_bModeSupportHinge, "Add Support -> Click a Joint"},
        {&g_bModeSupportFixed, "Add Support -> Click a Joint"},
        {&g_bModeDeleteSupport, "Delete Support -> Click a Joint"},
        {&g_bModeForceX, "Add Force X -> Click a Joint"},
        {&g_bModeForceY, "Add Force Y -> Click a Joint"},
        {&g_bModeForceZ, "Add Force Z -> Click a Joint"},
        {&g_bModeDeleteLoad, "Delete Load(s) -> Click Joint(s)"},
        {&g_bModeSelectJoints, "Select Joint(s) -> Click Joint(s)"},
        // Tools without a text of their own.
        {&g_bModeXYPlaneMoveJoints, "Ready"},
        {&g_bModeYZPlaneReplicateToJoint, "Ready"},
        {&g_bModeNegateMember, "Ready"},
        {&g_bModeRestoreMember, "Ready"},
        {&g_bModeCopyColor, "Ready"},
        {&g_bModeMoveTilesXZ, "Ready"},
        {&g_bShowMemberNumbers, "Ready"},
    };
    UpdateStatusPrompt();
    EXPECT_EQ(g_strStatusPrompt, "Ready");
    for (const auto& [flag, text] : cases) {
        *flag = 1;
        UpdateStatusPrompt();
        EXPECT_EQ(g_strStatusPrompt, text);
        *flag = 0;
    }
}

TEST_F(ToolModesTest, PromptPriorityOrder)
{
    g_bModeSelectJoints = 1;
    g_bModeSupportFixed = 1;
    UpdateStatusPrompt();
    EXPECT_EQ(g_strStatusPrompt, "Add Support -> Click a Joint");
    g_bModeSplitMember50 = 1;
    g_bModeMoveJoint = 1;
    UpdateStatusPrompt();
    EXPECT_EQ(g_strStatusPrompt, "Move Joint -> Click a Joint");
    g_bModeAddMember = 1;
    UpdateStatusPrompt();
    EXPECT_EQ(g_strStatusPrompt,
              "Add Member -> Click on a Joint -> Drag -> Release on a different Joint");
}

TEST_F(ToolModesTest, OutcomeOverridesTheToolText)
{
    g_bModeAddJoint = 1;
    const std::string tool = "Add Joint -> Click on a Guide Plane";
    auto prompt = [] {
        UpdateStatusPrompt();
        return g_strStatusPrompt;
    };

    g_bResultsAvailable = 1;
    EXPECT_EQ(prompt(), ">>>> It Worked! <<<<");
    g_bBreakingForcesActive = 1;
    EXPECT_EQ(prompt(), ">>>> It Worked! <<<<");
    g_bResultsAvailable = 0;
    EXPECT_EQ(prompt(), " Force magnitude(s) set to breaking ! ");

    // A failed model shows its outcome only while results are available.
    g_bModelFailed = 1;
    EXPECT_EQ(prompt(), tool);
    g_bResultsAvailable = 1;
    EXPECT_EQ(prompt(), tool);  // breaking force on, no halt: tool text
    g_bBreakingForcesActive = 0;
    EXPECT_EQ(prompt(), ">>>> Undersized! <<<<");

    g_bHaltIncorrectModel = 1;
    EXPECT_EQ(prompt(), ">>>> Incorrect Model - Analysis Halted! <<<<");
    g_bHaltInadequateSupport = 1;
    EXPECT_EQ(prompt(), ">>>> Inadequate Support - Analysis Halted! <<<<");
    g_bHaltUnstable = 1;
    EXPECT_EQ(prompt(), ">>>> Structure Unstable - Analysis Halted! <<<<");
    g_bHaltLargeDisplacements = 1;
    EXPECT_EQ(prompt(), ">>>> Large Displacements - Analysis Halted! <<<<");
    g_bBreakingForcesActive = 1;
    EXPECT_EQ(prompt(), ">>>> Large Displacements - Analysis Halted! <<<<");

    g_bResultsAvailable = 0;
    EXPECT_EQ(prompt(), tool);
}

TEST_F(ToolModesTest, EveryToolCommandLeavesExactlyItsOwnFlag)
{
    g_nJoints = 2;
    g_nMembers = 1;
    for (int k = 0; k < ToolCommandCount(); ++k) {
        const ToolCommand& cmd = ToolCommands()[k];
        ClearToolModes();
        g_bModeSelectJoints = 1;  // some other tool is active
        if (cmd.flag == &g_bModeSelectJoints) g_bModeAddMember = 1;
        backend.Clear();
        ASSERT_TRUE(RunToolCommand(cmd.id)) << cmd.menuPath;
        EXPECT_EQ(*cmd.flag, 1) << cmd.menuPath;
        if (!(cmd.extras & TOOL_NO_PROMPT)) {
            // The last step redraws without erasing.
            ASSERT_FALSE(backend.events.empty()) << cmd.menuPath;
            EXPECT_EQ(backend.events.back().kind, Event::InvalidateFrame) << cmd.menuPath;
            EXPECT_EQ(backend.events.back().flags, 0u) << cmd.menuPath;
        }
        EXPECT_EQ(SetToolCount(), 1) << cmd.menuPath;
        if (cmd.alsoSet) {
            EXPECT_EQ(*cmd.alsoSet, 1) << cmd.menuPath;
        }
    }
}

TEST_F(ToolModesTest, UnknownCommandIdDoesNothing)
{
    g_bModeAddJoint = 1;
    EXPECT_FALSE(RunToolCommand(0));
    EXPECT_FALSE(RunToolCommand(32772));
    EXPECT_EQ(g_bModeAddJoint, 1);
    EXPECT_TRUE(backend.events.empty());
    EXPECT_EQ(FindToolCommand(12345), nullptr);
}

TEST_F(ToolModesTest, EditingToolsTakeTheUndoSnapshot)
{
    g_nJoints = 3;
    g_Joints[2].x = 7;
    g_nMembers = 0;
    ASSERT_EQ(g_bModelSaved, 1);

    RunToolCommand(ID_SUPPORTS_YZ_ROLLER);  // the support tool without a snapshot
    RunToolCommand(ID_JOINTS_SELECT);
    RunToolCommand(ID_MEMBERS_HIDE);
    EXPECT_EQ(g_bUndoAvailable, 0);
    EXPECT_EQ(g_bModelSaved, 1);
    EXPECT_EQ(g_nUndoJoints, 0);

    RunToolCommand(ID_JOINTS_DELETE);
    EXPECT_EQ(g_bUndoAvailable, 1);
    EXPECT_EQ(g_bModelSaved, 0);
    EXPECT_EQ(g_nUndoJoints, 3);
    EXPECT_FLOAT_EQ(g_UndoJoints[2].x, 7);

    // The snapshot is taken once per choice of tool: later edits are not in it.
    g_Joints[2].x = 9;
    EXPECT_FLOAT_EQ(g_UndoJoints[2].x, 7);
    RunToolCommand(ID_SUPPORTS_XY_ROLLER);
    EXPECT_FLOAT_EQ(g_UndoJoints[2].x, 9);
}

TEST_F(ToolModesTest, LimitRefusalEndsTheCommand)
{
    g_bModeSelectJoints = 1;
    g_nJoints = MAX_JOINTS;
    g_strStatusPrompt = "Before";
    EXPECT_TRUE(RunToolCommand(ID_JOINTS_ADD));
    ASSERT_EQ(backend.Boxes().size(), 1u);
    EXPECT_EQ(backend.Boxes()[0].text, "Maximum Number of Joints = MAX_JOINTS\n");
    EXPECT_EQ(g_bModeAddJoint, 0);
    EXPECT_EQ(g_bModeSelectJoints, 1);
    EXPECT_EQ(g_bUndoAvailable, 0);
    EXPECT_EQ(g_strStatusPrompt, "Before");
    EXPECT_EQ(backend.Count(Event::InvalidateFrame), 0);

    backend.Clear();
    g_nJoints = 10;
    g_nMembers = MAX_MEMBERS;
    g_bModelSaved = 1;
    RunToolCommand(ID_MEMBERS_ADD);
    ASSERT_EQ(backend.Boxes().size(), 1u);
    EXPECT_EQ(backend.Boxes()[0].text, "Maximum Number of Members = MAX_MEMBERS\n");
    EXPECT_EQ(g_bModeAddMember, 0);
    EXPECT_EQ(g_bModelSaved, 1);

    // One below the limits there is room.
    backend.Clear();
    g_nMembers = MAX_MEMBERS - 1;
    RunToolCommand(ID_MEMBERS_ADD);
    EXPECT_EQ(g_bModeAddMember, 1);
    EXPECT_TRUE(backend.Boxes().empty());
}

TEST_F(ToolModesTest, AddToolExtras)
{
    g_bShowJoints = 0;
    g_bShowUndeformed = 0;
    g_bShowDisplacedShape = 1;
    RunToolCommand(ID_JOINTS_ADD);
    EXPECT_EQ(g_bShowJoints, 1);
    EXPECT_EQ(g_bShowUndeformed, 1);
    EXPECT_EQ(g_bShowDisplacedShape, 0);

    g_Materials[g_nDefaultMaterial].colorR = 0.25f;
    g_Materials[g_nDefaultMaterial].colorG = 0.5f;
    g_Materials[g_nDefaultMaterial].colorB = 0.75f;
    g_bShowUndeformed = 0;
    g_bShowDisplacedShape = 1;
    g_bListMembersBuilt = g_bListResultMembersBuilt = 1;
    RunToolCommand(ID_MEMBERS_ADD);
    EXPECT_EQ(g_bModelSaved, 0);
    EXPECT_FLOAT_EQ(g_fDefaultColorR, 0.25f);
    EXPECT_FLOAT_EQ(g_fDefaultColorG, 0.5f);
    EXPECT_FLOAT_EQ(g_fDefaultColorB, 0.75f);
    EXPECT_EQ(g_bShowUndeformed, 1);
    EXPECT_EQ(g_bShowDisplacedShape, 0);
    EXPECT_EQ(g_bListMembersBuilt + g_bListResultMembersBuilt, 0);

    // A default material row outside the table leaves the colour alone.
    g_nDefaultMaterial = 40;
    g_fDefaultColorR = 0.125f;
    RunToolCommand(ID_MEMBERS_ADD);
    EXPECT_FLOAT_EQ(g_fDefaultColorR, 0.125f);
    EXPECT_EQ(g_bModeAddMember, 1);
}

TEST_F(ToolModesTest, ForceToolsShowOnlyTheirOwnForces)
{
    RunToolCommand(ID_LOADS_FORCE_X);
    EXPECT_EQ(g_bShowForcesX, 1);
    g_bListMembersBuilt = 1;
    RunToolCommand(ID_LOADS_FORCE_Z);
    EXPECT_EQ(g_bShowForcesX, 0);
    EXPECT_EQ(g_bShowForcesZ, 1);
    EXPECT_EQ(g_bListMembersBuilt, 0);
    EXPECT_EQ(g_strStatusPrompt, "Add Force Z -> Click a Joint");

    RunToolCommand(ID_FILE_YZ_TILES_MOVE);
    EXPECT_EQ(g_bShowForcesZ, 0);
    EXPECT_EQ(g_bShowTilesYZ, 1);
    EXPECT_EQ(g_bModeMoveTilesYZ, 1);
    EXPECT_EQ(g_strStatusPrompt, "Ready");

    g_bShowOrigin = 0;
    RunToolCommand(ID_GUIDES_MOVE_ORIGIN);
    EXPECT_EQ(g_bShowOrigin, 1);
}

TEST_F(ToolModesTest, SplitCommandsToggle)
{
    RunToolCommand(ID_MEMBERS_SPLIT_30);
    EXPECT_EQ(g_bModeSplitMember30, 1);
    EXPECT_EQ(g_strStatusPrompt, "Split Member @ 30% -> Click a Member");
    EXPECT_EQ(g_bUndoAvailable, 1);

    RunToolCommand(ID_MEMBERS_SPLIT_50);
    EXPECT_EQ(g_bModeSplitMember30, 0);
    EXPECT_EQ(g_bModeSplitMember50, 1);

    RunToolCommand(ID_MEMBERS_SPLIT_50);
    EXPECT_EQ(SetToolCount(), 0);
    EXPECT_EQ(g_strStatusPrompt, "Ready");
}

TEST_F(ToolModesTest, SomeToolsNeitherPromptNorRedraw)
{
    const int silent[] = {ID_MEMBERS_NEGATE, ID_MEMBERS_RESTORE, ID_MEMBERS_COLOR_COPY,
                          ID_GUIDES_XY_REPLICATE_TO_JOINT, ID_GUIDES_XZ_REPLICATE_TO_JOINT,
                          ID_GUIDES_YZ_REPLICATE_TO_JOINT};
    for (int id : silent) {
        RunToolCommand(ID_JOINTS_SELECT);
        ASSERT_EQ(g_strStatusPrompt, "Select Joint(s) -> Click Joint(s)");
        backend.Clear();
        RunToolCommand(id);
        EXPECT_EQ(g_bModeSelectJoints, 0) << id;
        EXPECT_EQ(SetToolCount(), 1) << id;
        EXPECT_EQ(g_strStatusPrompt, "Select Joint(s) -> Click Joint(s)") << id;
        EXPECT_EQ(backend.Count(Event::InvalidateFrame), 0) << id;
    }
}

TEST_F(ToolModesTest, LabelSwitchesAndBreakingForceInThePrompt)
{
    g_bShowMaterialNumbers = 1;
    RunToolCommand(ID_MEMBERS_DELETE);
    EXPECT_EQ(g_strStatusPrompt, "Show Material Numbers");

    g_bShowMaterialNumbers = 0;
    g_bShowShapeNumbers = 1;
    RunToolCommand(ID_SUPPORTS_FIXED);
    EXPECT_EQ(g_strStatusPrompt, "Show Shape Numbers");

    g_bShowShapeNumbers = 0;
    g_bBreakingForcesActive = 1;
    RunToolCommand(ID_JOINTS_ADD);
    EXPECT_EQ(g_strStatusPrompt, " Force magnitude(s) set to breaking ! ");
}

}  // namespace
