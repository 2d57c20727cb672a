#include <string>
#include <utility>
#include <vector>

#include "frame/command_ids.h"
#include "frame/tool_commands.h"
#include "frame/tool_modes.h"
#include "model/tables.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"
#include "tests/common/test_env.h"
#include "view/status_prompt.h"

namespace {

using platform::Event;
using Values = std::vector<double>;
template <class... T> Values V(T... v) { return {static_cast<double>(v)...}; }

// Set flags among the flags of the tool command table.
int SetToolCount()
{
    int n = 0;
    for (int k = 0; k < ToolCommandCount(); ++k) n += *ToolCommands()[k].flag != 0;
    return n;
}

std::string Prompt()
{
    UpdateStatusPrompt();
    return g_strStatusPrompt;
}

using ToolModesTest = Tf3dTest;

TEST_F(ToolModesTest, ClearToolModesClearsToolsDisplaysAndPicksButNotLabels)
{
    for (int k = 0; k < ToolCommandCount(); ++k) *ToolCommands()[k].flag = 1;
    g_bShowTilesXY = g_bShowTilesXZ = g_bShowTilesYZ = 1;
    g_bShowForcesX = g_bShowForcesY = g_bShowForcesZ = g_bCursorOnPlane = 1;
    g_nPickedJoint = 3, g_nPickedMember = 4;
    g_bShowMemberNumbers = g_bShowShapeNumbers = g_bShowMaterialNumbers = g_bUseSplitDialog = g_bShowOrigin = 1;
    g_strStatusPrompt = "Custom";
    ClearToolModes();
    EXPECT_EQ(V(SetToolCount(), g_bShowTilesXY + g_bShowTilesXZ + g_bShowTilesYZ,
                g_bShowForcesX + g_bShowForcesY + g_bShowForcesZ, g_bCursorOnPlane + g_nPickedJoint + g_nPickedMember,
                g_bShowMemberNumbers + g_bShowShapeNumbers + g_bShowMaterialNumbers + g_bUseSplitDialog + g_bShowOrigin,
                backend.events.size()), V(0, 0, 0, 0, 5, 0));
    EXPECT_EQ(g_strStatusPrompt, "Custom");
}

// Each flag of the prompt gives its own text; the order among them is checked
// where it decides: the first and the last row, labels among tools, a row in
// the middle against its neighbours.
TEST_F(ToolModesTest, PromptTextsAndTheirPriority)
{
    std::vector<std::pair<int*, std::string>> texts = {
        {&g_bModeSelectJoints, "Select Joint(s) -> Click Joint(s)"},
        {&g_bModeAddJoint, "Add Joint -> Click on a Guide Plane"},
        {&g_bModeMoveJoint, "Move Joint -> Click a Joint"},
        {&g_bModeDeleteJoint, "Delete Joint -> Click a Joint"},
        {&g_bModeJointProperties, "Show Joint Properties -> Click a Joint"},
        {&g_bModeSetFocus, "Set Focus -> Click a Joint"},
        {&g_bModeSetOrigin, "Set Origin -> Click on a Guide Plane"},
        {&g_bModeXYPlaneToCursor, "Move XY Guide Plane -> Click on XZ or YZ Base Plane"},
        {&g_bModeXZPlaneToCursor, "Move XZ Guide Plane -> Click on XY or YZ Base Plane"},
        {&g_bModeYZPlaneToCursor, "Move YZ Guide Plane -> Click on XY or XZ Base Plane"},
        {&g_bModeXYPlaneToJoint, "Move XY Guide Plane to a Joint -> Click a Joint"},
        {&g_bModeXZPlaneToJoint, "Move XZ Guide Plane to a Joint -> Click a Joint"},
        {&g_bModeYZPlaneToJoint, "Move YZ Guide Plane to a Joint -> Click a Joint"},
        {&g_bModeXYPlaneReplicate, "Move XY Guide Plane and Replicate Selected Joints"},
        {&g_bModeXZPlaneReplicate, "Move XZ Guide Plane and Replicate Selected Joints"},
        {&g_bModeYZPlaneReplicate, "Move YZ Guide Plane and Replicate Selected Joints"},
        {&g_bModeAddMember, "Add Member -> Click on a Joint -> Drag -> Release on a different Joint"},
        {&g_bModeDeleteMember, "Delete Member -> Click a Member"},
        {&g_bModeChangeShape, "Change Member Shape -> Click on a Member"},
        {&g_bModeChangeMaterial, "Change Member Material -> Click on a Member"},
        {&g_bModePaintMember, "Change Member Color -> Click a Member"},
        {&g_bModeHideMembers, "Hide Member(s) -> Click Member(s)"},
        {&g_bModeShowMembers, "Show Member(s) -> Click Member(s)"},
        {&g_bModeMemberProperties, "Show Member Properties -> Click a Member"},
        {&g_bModeCopyProperties, "Copy Member Properties -> Click a Member"},
        {&g_bShowShapeNumbers, "Show Shape Numbers"},
        {&g_bShowMaterialNumbers, "Show Material Numbers"},
        {&g_bModeDeleteSupport, "Delete Support -> Click a Joint"},
        {&g_bModeForceX, "Add Force X -> Click a Joint"},
        {&g_bModeForceY, "Add Force Y -> Click a Joint"},
        {&g_bModeForceZ, "Add Force Z -> Click a Joint"},
        {&g_bModeDeleteLoad, "Delete Load(s) -> Click Joint(s)"},
    };
    for (int* f : {&g_bModeSupportYZRoller, &g_bModeSupportXZRoller, &g_bModeSupportXYRoller, &g_bModeSupportZRoller,
                   &g_bModeSupportXRoller, &g_bModeSupportYRoller, &g_bModeSupportHinge, &g_bModeSupportFixed})
        texts.push_back({f, "Add Support -> Click a Joint"});
    int* const splits[] = {&g_bModeSplitMember10, &g_bModeSplitMember20, &g_bModeSplitMember30,
                           &g_bModeSplitMember40, &g_bModeSplitMember50, &g_bModeSplitMember60,
                           &g_bModeSplitMember70, &g_bModeSplitMember80, &g_bModeSplitMember90};
    for (int k = 0; k < 9; ++k)
        texts.push_back({splits[k], "Split Member @ " + std::to_string(10 * (k + 1)) + "% -> Click a Member"});
    const auto textOf = [&](const int* flag) {
        for (const auto& [f, text] : texts)
            if (f == flag) return text;
        return std::string("(not a prompt flag)");
    };
    const auto only = [&](std::initializer_list<int*> set) {
        for (const auto& row : texts) *row.first = 0;
        for (int* f : set) *f = 1;
        return Prompt();
    };

    // Tools without a text of their own.
    for (int* f : {&g_bModeXYPlaneMoveJoints, &g_bModeXZPlaneMoveJoints, &g_bModeYZPlaneMoveJoints,
                   &g_bModeXYPlaneReplicateToJoint, &g_bModeXZPlaneReplicateToJoint, &g_bModeYZPlaneReplicateToJoint,
                   &g_bModeNegateMember, &g_bModeRestoreMember, &g_bModeCopyColor, &g_bModeMoveTilesXY,
                   &g_bModeMoveTilesXZ, &g_bModeMoveTilesYZ, &g_bShowMemberNumbers})
        *f = 1;
    EXPECT_EQ(only({}), "Ready");

    for (const auto& [flag, text] : texts) EXPECT_EQ(only({flag}), text) << "alone";

    // Add Member wins over everything; Select Joints gives way to every other row.
    for (const auto& row : texts) *row.first = 1;
    EXPECT_EQ(Prompt(), textOf(&g_bModeAddMember));
    for (const auto& [flag, text] : texts) {
        if (flag == &g_bModeSelectJoints) continue;
        EXPECT_EQ(only({&g_bModeSelectJoints, flag}), text) << "over Select";
    }

    // Pairs set together: the first of each wins.
    const std::pair<int*, int*> wins[] = {
        {&g_bShowMaterialNumbers, &g_bModeDeleteMember}, {&g_bModeChangeMaterial, &g_bShowMaterialNumbers},
        {&g_bShowShapeNumbers, &g_bModeSupportFixed},     {&g_bModeSplitMember90, &g_bModeJointProperties},
        {&g_bModeJointProperties, &g_bModeHideMembers},   {&g_bModeMoveJoint, &g_bModeSplitMember10},
        {&g_bModeYZPlaneToJoint, &g_bModeSupportYZRoller}, {&g_bModeDeleteSupport, &g_bModeForceX}};
    for (const auto& [higher, lower] : wins) EXPECT_EQ(only({lower, higher}), textOf(higher)) << textOf(lower);
}

TEST_F(ToolModesTest, OutcomeOverridesTheToolText)
{
    g_bModeAddJoint = 1;
    const std::string tool = "Add Joint -> Click on a Guide Plane";
    g_bResultsAvailable = 1;
    EXPECT_EQ(Prompt(), ">>>> It Worked! <<<<");
    g_bBreakingForcesActive = 1;
    EXPECT_EQ(Prompt(), ">>>> It Worked! <<<<");
    g_bResultsAvailable = 0;
    EXPECT_EQ(Prompt(), " Force magnitude(s) set to breaking ! ");
    g_bModelFailed = 1;  // A failed model shows its outcome only while results are available.
    EXPECT_EQ(Prompt(), tool);
    g_bResultsAvailable = 1;
    EXPECT_EQ(Prompt(), tool);  // breaking force on, no halt: tool text
    g_bBreakingForcesActive = 0;
    EXPECT_EQ(Prompt(), ">>>> Undersized! <<<<");
    const std::pair<int*, const char*> halts[] = {
        {&g_bHaltIncorrectModel, ">>>> Incorrect Model - Analysis Halted! <<<<"},
        {&g_bHaltInadequateSupport, ">>>> Inadequate Support - Analysis Halted! <<<<"},
        {&g_bHaltUnstable, ">>>> Structure Unstable - Analysis Halted! <<<<"},
        {&g_bHaltLargeDisplacements, ">>>> Large Displacements - Analysis Halted! <<<<"}};
    for (auto [flag, text] : halts) {  // each wins over the ones before
        *flag = 1;
        EXPECT_EQ(Prompt(), text);
    }
    g_bBreakingForcesActive = 1;
    EXPECT_EQ(Prompt(), ">>>> Large Displacements - Analysis Halted! <<<<");
    g_bResultsAvailable = 0;
    EXPECT_EQ(Prompt(), tool);
}

TEST_F(ToolModesTest, EveryToolCommandLeavesExactlyItsOwnFlag)
{
    g_nJoints = 2, g_nMembers = 1;
    for (int k = 0; k < ToolCommandCount(); ++k) {
        const ToolCommand& cmd = ToolCommands()[k];
        ClearToolModes();
        g_bModeSelectJoints = 1;  // some other tool is active
        if (cmd.flag == &g_bModeSelectJoints) g_bModeAddMember = 1;
        if (cmd.alsoSet) *cmd.alsoSet = 0;
        backend.Clear();
        ASSERT_TRUE(RunToolCommand(cmd.id)) << cmd.menuPath;
        EXPECT_EQ(V(*cmd.flag, SetToolCount(), !cmd.alsoSet || *cmd.alsoSet == 1), V(1, 1, 1)) << cmd.menuPath;
        // The last step redraws without erasing.
        const bool redrawn = !backend.events.empty() && backend.events.back().kind == Event::InvalidateFrame &&
                             backend.events.back().flags == 0;
        EXPECT_TRUE(redrawn) << cmd.menuPath;
    }
    backend.Clear();  // unknown ids do nothing
    EXPECT_FALSE(RunToolCommand(0) || RunToolCommand(32772) || FindToolCommand(12345));
    EXPECT_TRUE(backend.events.empty());
}

TEST_F(ToolModesTest, EditingToolsTakeTheUndoSnapshot)
{
    g_nJoints = 3;
    g_Joints[2].x = 7;
    ASSERT_EQ(g_bModelSaved, 1);
    for (int id : {ID_SUPPORTS_YZ_ROLLER, ID_JOINTS_SELECT, ID_MEMBERS_HIDE}) RunToolCommand(id);
    // The YZ roller is the support tool without a snapshot.
    EXPECT_EQ(V(g_bUndoAvailable, g_bModelSaved, g_nUndoJoints), V(0, 1, 0));
    RunToolCommand(ID_JOINTS_DELETE);
    EXPECT_EQ(V(g_bUndoAvailable, g_bModelSaved, g_nUndoJoints), V(1, 0, 3));
    g_Joints[2].x = 9;  // taken once per choice of tool: later edits are not in it
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
    ASSERT_EQ(backend.Count(Event::Box), 1);
    EXPECT_EQ(backend.Boxes()[0].text, "Maximum Number of Joints = 400\n");
    EXPECT_EQ(V(g_bModeAddJoint, g_bModeSelectJoints, g_bUndoAvailable, backend.Count(Event::InvalidateFrame)),
              V(0, 1, 0, 0));
    EXPECT_EQ(g_strStatusPrompt, "Before");
    backend.Clear();
    g_nJoints = 10, g_nMembers = MAX_MEMBERS;
    RunToolCommand(ID_MEMBERS_ADD);
    ASSERT_EQ(backend.Count(Event::Box), 1);
    EXPECT_EQ(backend.Boxes()[0].text, "Maximum Number of Members = 900\n");
    EXPECT_EQ(V(g_bModeAddMember, g_bModelSaved), V(0, 1));
    backend.Clear();
    g_nMembers = MAX_MEMBERS - 1;  // one below the limit there is room
    RunToolCommand(ID_MEMBERS_ADD);
    EXPECT_TRUE(g_bModeAddMember == 1 && backend.Boxes().empty());
}

TEST_F(ToolModesTest, AddAndForceToolExtras)
{
    g_bShowUndeformed = 0, g_bShowDisplacedShape = 1;
    RunToolCommand(ID_JOINTS_ADD);
    EXPECT_EQ(V(g_bShowUndeformed, g_bShowDisplacedShape), V(1, 0));
    g_Materials[g_nDefaultMaterial].colorB = 0.75f;
    g_bShowUndeformed = 0;
    g_bShowDisplacedShape = g_bListMembersBuilt = g_bListResultMembersBuilt = 1;
    RunToolCommand(ID_MEMBERS_ADD);
    EXPECT_EQ(V(g_bModelSaved, g_fDefaultColorB, g_bShowUndeformed,
                g_bShowDisplacedShape + g_bListMembersBuilt + g_bListResultMembersBuilt), V(0, 0.75, 1, 0));
    g_nDefaultMaterial = 40;  // a row outside the table leaves the colour alone
    RunToolCommand(ID_MEMBERS_ADD);
    EXPECT_EQ(V(g_fDefaultColorB, g_bModeAddMember), V(0.75, 1));
    RunToolCommand(ID_LOADS_FORCE_X);  // force tools show only their own forces
    g_bListMembersBuilt = 1;
    RunToolCommand(ID_LOADS_FORCE_Z);
    EXPECT_EQ(V(g_bShowForcesX + g_bListMembersBuilt, g_bShowForcesZ), V(0, 1));
    RunToolCommand(ID_FILE_YZ_TILES_MOVE);
    EXPECT_EQ(g_bShowForcesZ, 0);
}

TEST_F(ToolModesTest, SplitCommandsToggleAndToolsWithoutTextEndThePromptOfTheToolBefore)
{
    RunToolCommand(ID_MEMBERS_SPLIT_30);
    EXPECT_EQ(V(g_bModeSplitMember30, g_bUndoAvailable), V(1, 1));
    EXPECT_EQ(g_strStatusPrompt, "Split Member @ 30% -> Click a Member");
    RunToolCommand(ID_MEMBERS_SPLIT_50);
    EXPECT_EQ(V(g_bModeSplitMember30, g_bModeSplitMember50), V(0, 1));
    RunToolCommand(ID_MEMBERS_SPLIT_50);
    EXPECT_TRUE(SetToolCount() == 0 && g_strStatusPrompt == "Ready") << g_strStatusPrompt;
    for (int id : {ID_MEMBERS_NEGATE, ID_MEMBERS_RESTORE, ID_MEMBERS_COLOR_COPY, ID_GUIDES_XY_REPLICATE_TO_JOINT,
                   ID_GUIDES_XZ_REPLICATE_TO_JOINT, ID_GUIDES_YZ_REPLICATE_TO_JOINT}) {
        RunToolCommand(ID_JOINTS_SELECT);
        ASSERT_EQ(g_strStatusPrompt, "Select Joint(s) -> Click Joint(s)");
        RunToolCommand(id);
        EXPECT_EQ(V(g_bModeSelectJoints, SetToolCount()), V(0, 1)) << id;
        EXPECT_EQ(g_strStatusPrompt, "Ready") << id;
    }
}

}  // namespace
