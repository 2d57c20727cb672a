#include "frame/tool_commands.h"

#include "frame/command_ids.h"
#include "frame/tool_modes.h"
#include "model/model_ops.h"
#include "model/tables.h"
#include "model/undo.h"
#include "platform/platform.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"
#include "view/status_prompt.h"

namespace {

constexpr unsigned kNone = 0;
constexpr unsigned kAddMember =
    TOOL_MEMBER_LIMIT | TOOL_MODEL_UNSAVED | TOOL_MATERIAL_COLOR | TOOL_RESULTS_OFF | TOOL_MEMBER_LISTS;
constexpr unsigned kForce = TOOL_MEMBER_LISTS | TOOL_RESULTS_OFF;
constexpr unsigned kSplit = TOOL_TOGGLE;

const ToolCommand kToolCommands[] = {
    {ID_JOINTS_SELECT, "Joints/Select a Joint", &g_bModeSelectJoints, false, kNone, nullptr},
    {ID_JOINTS_ADD, "Joints/Add", &g_bModeAddJoint, true, TOOL_JOINT_LIMIT | TOOL_RESULTS_OFF, &g_bShowJoints},
    {ID_JOINTS_MOVE, "Joints/Move", &g_bModeMoveJoint, false, kNone, nullptr},
    {ID_JOINTS_DELETE, "Joints/Delete", &g_bModeDeleteJoint, true, TOOL_SNAPSHOT_LAST, nullptr},
    {ID_JOINTS_PROPERTIES, "Joints/Properties ...", &g_bModeJointProperties, false, kNone, nullptr},

    {ID_GUIDES_MOVE_FOCUS, "Guides/Move Focus", &g_bModeSetFocus, false, kNone, nullptr},
    {ID_GUIDES_MOVE_ORIGIN, "Guides/Move Origin", &g_bModeSetOrigin, false, kNone, &g_bShowOrigin},

    {ID_GUIDES_XY_PLANE_TO_CURSOR, "Guides/XY GuidePlane/Move Plane to Cursor", &g_bModeXYPlaneToCursor, false, kNone, nullptr},
    {ID_GUIDES_XY_PLANE_TO_JOINT, "Guides/XY GuidePlane/Move Plane to Joint", &g_bModeXYPlaneToJoint, false, kNone, nullptr},
    {ID_GUIDES_XY_MOVE_JOINTS_AND_PLANE, "Guides/XY GuidePlane/Move Joint(s) and Plane", &g_bModeXYPlaneMoveJoints, true, kNone, nullptr},
    {ID_GUIDES_XY_REPLICATE_AND_MOVE, "Guides/XY GuidePlane/Replicate Joint(s) and Move Plane", &g_bModeXYPlaneReplicate, true, kNone, nullptr},
    {ID_GUIDES_XY_REPLICATE_TO_JOINT, "Guides/XY GuidePlane/Replicate Joint(s) and Move Plane to Joint", &g_bModeXYPlaneReplicateToJoint, true, kNone, nullptr},

    {ID_GUIDES_XZ_PLANE_TO_CURSOR, "Guides/XZ GuidePlane/Move Plane to Cursor", &g_bModeXZPlaneToCursor, false, kNone, nullptr},
    {ID_GUIDES_XZ_PLANE_TO_JOINT, "Guides/XZ GuidePlane/Move Plane to Joint", &g_bModeXZPlaneToJoint, false, kNone, nullptr},
    {ID_GUIDES_XZ_MOVE_JOINTS_AND_PLANE, "Guides/XZ GuidePlane/Move Joint(s) and Plane", &g_bModeXZPlaneMoveJoints, true, kNone, nullptr},
    {ID_GUIDES_XZ_REPLICATE_AND_MOVE, "Guides/XZ GuidePlane/Replicate Joint(s) and Move Plane", &g_bModeXZPlaneReplicate, true, kNone, nullptr},
    {ID_GUIDES_XZ_REPLICATE_TO_JOINT, "Guides/XZ GuidePlane/Replicate Joint(s) and Move Plane to Joint", &g_bModeXZPlaneReplicateToJoint, true, kNone, nullptr},

    {ID_GUIDES_YZ_PLANE_TO_CURSOR, "Guides/YZ GuidePlane/Move Plane to Cursor", &g_bModeYZPlaneToCursor, false, kNone, nullptr},
    {ID_GUIDES_YZ_PLANE_TO_JOINT, "Guides/YZ GuidePlane/Move Plane to Joint", &g_bModeYZPlaneToJoint, false, kNone, nullptr},
    {ID_GUIDES_YZ_MOVE_JOINTS_AND_PLANE, "Guides/YZ GuidePlane/Move Joint(s) and Plane", &g_bModeYZPlaneMoveJoints, true, kNone, nullptr},
    {ID_GUIDES_YZ_REPLICATE_AND_MOVE, "Guides/YZ GuidePlane/Replicate Joint(s) and Move Plane", &g_bModeYZPlaneReplicate, true, kNone, nullptr},
    {ID_GUIDES_YZ_REPLICATE_TO_JOINT, "Guides/YZ GuidePlane/Replicate Joint(s) and Move Plane to Joint", &g_bModeYZPlaneReplicateToJoint, true, kNone, nullptr},

    {ID_MEMBERS_ADD, "Members/Add", &g_bModeAddMember, true, kAddMember, nullptr},
    {ID_MEMBERS_DELETE, "Members/Delete", &g_bModeDeleteMember, true, kNone, nullptr},
    {ID_MEMBERS_CHANGE_SHAPE, "Members/Change Shape", &g_bModeChangeShape, true, kNone, nullptr},
    {ID_MEMBERS_CHANGE_MATERIAL, "Members/Change Material", &g_bModeChangeMaterial, true, kNone, nullptr},
    {ID_MEMBERS_COLOR_PAINT, "Members/Color/Paint Member", &g_bModePaintMember, true, kNone, nullptr},
    {ID_MEMBERS_COLOR_COPY, "Members/Color/Copy Color", &g_bModeCopyColor, false, kNone, nullptr},
    {ID_MEMBERS_HIDE, "Members/Hide", &g_bModeHideMembers, false, kNone, nullptr},
    {ID_MEMBERS_SHOW, "Members/Show", &g_bModeShowMembers, false, kNone, nullptr},
    {ID_MEMBERS_PROPERTIES, "Members/Properties ...", &g_bModeMemberProperties, false, kNone, nullptr},
    {ID_MEMBERS_NEGATE, "Members/Negate", &g_bModeNegateMember, false, kNone, nullptr},
    {ID_MEMBERS_RESTORE, "Members/Restore", &g_bModeRestoreMember, false, kNone, nullptr},
    {ID_MEMBERS_COPY_PROPERTIES, "Members/Copy Properties", &g_bModeCopyProperties, true, kNone, nullptr},

    {ID_MEMBERS_SPLIT_10, "Split Member @ 10%", &g_bModeSplitMember10, true, kSplit, nullptr},
    {ID_MEMBERS_SPLIT_20, "Split Member @ 20%", &g_bModeSplitMember20, true, kSplit, nullptr},
    {ID_MEMBERS_SPLIT_30, "Split Member @ 30%", &g_bModeSplitMember30, true, kSplit, nullptr},
    {ID_MEMBERS_SPLIT_40, "Split Member @ 40%", &g_bModeSplitMember40, true, kSplit, nullptr},
    {ID_MEMBERS_SPLIT_50, "Split Member @ 50%", &g_bModeSplitMember50, true, kSplit, nullptr},
    {ID_MEMBERS_SPLIT_60, "Split Member @ 60%", &g_bModeSplitMember60, true, kSplit, nullptr},
    {ID_MEMBERS_SPLIT_70, "Split Member @ 70%", &g_bModeSplitMember70, true, kSplit, nullptr},
    {ID_MEMBERS_SPLIT_80, "Split Member @ 80%", &g_bModeSplitMember80, true, kSplit, nullptr},
    {ID_MEMBERS_SPLIT_90, "Split Member @ 90%", &g_bModeSplitMember90, true, kSplit, nullptr},

    {ID_SUPPORTS_YZ_ROLLER, "Supports/YZ Roller (right)", &g_bModeSupportYZRoller, false, kNone, nullptr},
    {ID_SUPPORTS_XY_ROLLER, "Supports/XY Roller", &g_bModeSupportXYRoller, true, kNone, nullptr},
    {ID_SUPPORTS_XZ_ROLLER, "Supports/XZ Roller", &g_bModeSupportXZRoller, true, kNone, nullptr},
    {ID_SUPPORTS_X_ROLLER, "Supports/X Roller", &g_bModeSupportXRoller, true, kNone, nullptr},
    {ID_SUPPORTS_Y_ROLLER, "Supports/Y Roller (right)", &g_bModeSupportYRoller, true, kNone, nullptr},
    {ID_SUPPORTS_Z_ROLLER, "Supports/Z Roller", &g_bModeSupportZRoller, true, kNone, nullptr},
    {ID_SUPPORTS_HINGE, "Supports/Universal Hinge", &g_bModeSupportHinge, true, kNone, nullptr},
    {ID_SUPPORTS_FIXED, "Supports/Fixed", &g_bModeSupportFixed, true, kNone, nullptr},
    {ID_SUPPORTS_DELETE, "Supports/Delete", &g_bModeDeleteSupport, true, kNone, nullptr},

    {ID_LOADS_FORCE_X, "Loads/Add/Change Force X", &g_bModeForceX, true, kForce, &g_bShowForcesX},
    {ID_LOADS_FORCE_Y, "Loads/Add/Change Force Y", &g_bModeForceY, true, kForce, &g_bShowForcesY},
    {ID_LOADS_FORCE_Z, "Loads/Add/Change Force Z", &g_bModeForceZ, true, kForce, &g_bShowForcesZ},
    {ID_LOADS_DELETE_FORCE, "Loads/Delete Force", &g_bModeDeleteLoad, false, kNone, nullptr},

    {ID_FILE_XY_TILES_MOVE, "File/XY Plane Tiles/Move Tiles", &g_bModeMoveTilesXY, false, kNone, &g_bShowTilesXY},
    {ID_FILE_XZ_TILES_MOVE, "File/XZ Plane Tiles/Move Tiles", &g_bModeMoveTilesXZ, false, kNone, &g_bShowTilesXZ},
    {ID_FILE_YZ_TILES_MOVE, "File/YZ Plane Tiles/Move Tiles", &g_bModeMoveTilesYZ, false, kNone, &g_bShowTilesYZ},
};

constexpr int kToolCommandCount = static_cast<int>(sizeof(kToolCommands) / sizeof(kToolCommands[0]));

void TakeToolSnapshot()
{
    TakeUndoSnapshot();
    g_bUndoAvailable = 1;
}

// Step 4: the tool's own flag and its extras.
void SetTool(const ToolCommand& cmd, int flagValue)
{
    *cmd.flag = flagValue;
    if (cmd.alsoSet) *cmd.alsoSet = 1;
    if (cmd.extras & TOOL_MODEL_UNSAVED) g_bModelSaved = 0;
    if (cmd.extras & TOOL_MATERIAL_COLOR) {
        const int row = g_nDefaultMaterial;
        if (row >= 0 && row < TABLE_ROWS) {
            g_fDefaultColorR = g_Materials[row].colorR;
            g_fDefaultColorG = g_Materials[row].colorG;
            g_fDefaultColorB = g_Materials[row].colorB;
        }
    }
    if (cmd.extras & TOOL_RESULTS_OFF) {
        g_bShowUndeformed = 1;
        g_bShowDisplacedShape = 0;
    }
    if (cmd.extras & TOOL_MEMBER_LISTS) {
        g_bListMembersBuilt = 0;
        g_bListResultMembersBuilt = 0;
    }
    // Split Member @ 10% .. 90%: the fraction the tool splits at.
    if (cmd.id >= ID_MEMBERS_SPLIT_10 && cmd.id <= ID_MEMBERS_SPLIT_90)
        g_fSplitToolFraction = static_cast<float>(cmd.id - ID_MEMBERS_SPLIT_10 + 1) / 10;
}

}  // namespace

const ToolCommand* ToolCommands() { return kToolCommands; }

int ToolCommandCount() { return kToolCommandCount; }

const ToolCommand* FindToolCommand(int commandId)
{
    for (const ToolCommand& cmd : kToolCommands)
        if (cmd.id == commandId) return &cmd;
    return nullptr;
}

bool RunToolCommand(int commandId)
{
    const ToolCommand* found = FindToolCommand(commandId);
    if (!found) return false;
    const ToolCommand& cmd = *found;

    if ((cmd.extras & TOOL_JOINT_LIMIT) && !CheckJointLimit()) return true;
    if ((cmd.extras & TOOL_MEMBER_LIMIT) && !CheckMemberLimit()) return true;

    const int newValue = (cmd.extras & TOOL_TOGGLE) ? !*cmd.flag : 1;
    const bool snapshotFirst = cmd.undoSnapshot && !(cmd.extras & TOOL_SNAPSHOT_LAST);
    if (snapshotFirst) TakeToolSnapshot();
    ClearToolModes();
    SetTool(cmd, newValue);
    if (cmd.undoSnapshot && !snapshotFirst) TakeToolSnapshot();

    // Every tool, even one without a text of its own, replaces the prompt
    // of the tool before.
    UpdateStatusPrompt();
    platform::InvalidateFrame(false);
    return true;
}
