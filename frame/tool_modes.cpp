#include "frame/tool_modes.h"

#include "state/frame_globals.h"

namespace {

int* const kToolModeFlags[] = {
    &g_bShowTilesXY, &g_bShowTilesXZ, &g_bShowTilesYZ,
    &g_bModeMoveTilesXY, &g_bModeMoveTilesXZ, &g_bModeMoveTilesYZ,
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
    &g_bShowForcesX, &g_bShowForcesY, &g_bShowForcesZ,
    &g_bModeSetOrigin,
    &g_bCursorOnPlane};

}  // namespace

void ClearToolModes()
{
    for (int* f : kToolModeFlags) *f = 0;
    g_nPickedMember = 0;
    g_nPickedJoint = 0;
}
