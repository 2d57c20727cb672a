#include "view/status_prompt.h"

#include "model/tables.h"
#include "state/frame_globals.h"

namespace {

struct PromptEntry {
    const int* flag;
    const char* text;
};

// First set flag wins.
const PromptEntry kPrompts[] = {
    {&g_bModeAddMember, "Add Member -> Click on a Joint -> Drag -> Release on a different Joint"},
    {&g_bModeSetFocus, "Set Focus -> Click a Joint"},
    {&g_bModeSetOrigin, "Set Origin -> Click on a Guide Plane"},
    {&g_bModeAddJoint, "Add Joint -> Click on a Guide Plane"},
    {&g_bModeDeleteJoint, "Delete Joint -> Click a Joint"},
    {&g_bModeMoveJoint, "Move Joint -> Click a Joint"},
    {&g_bModeSplitMember10, "Split Member @ 10% -> Click a Member"},
    {&g_bModeSplitMember20, "Split Member @ 20% -> Click a Member"},
    {&g_bModeSplitMember30, "Split Member @ 30% -> Click a Member"},
    {&g_bModeSplitMember40, "Split Member @ 40% -> Click a Member"},
    {&g_bModeSplitMember50, "Split Member @ 50% -> Click a Member"},
    {&g_bModeSplitMember60, "Split Member @ 60% -> Click a Member"},
    {&g_bModeSplitMember70, "Split Member @ 70% -> Click a Member"},
    {&g_bModeSplitMember80, "Split Member @ 80% -> Click a Member"},
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
    {&g_bModeSupportXZRoller, "Add Support -> Click a Joint"},
    {&g_bModeSupportXYRoller, "Add Support -> Click a Joint"},
    {&g_bModeSupportZRoller, "Add Support -> Click a Joint"},
    {&g_bModeSupportXRoller, "Add Support -> Click a Joint"},
    {&g_bModeSupportYRoller, "Add Support -> Click a Joint"},
    {&g_bModeSupportHinge, "Add Support -> Click a Joint"},
    {&g_bModeSupportFixed, "Add Support -> Click a Joint"},
    {&g_bModeDeleteSupport, "Delete Support -> Click a Joint"},
    {&g_bModeForceX, "Add Force X -> Click a Joint"},
    {&g_bModeForceY, "Add Force Y -> Click a Joint"},
    {&g_bModeForceZ, "Add Force Z -> Click a Joint"},
    {&g_bModeDeleteLoad, "Delete Load(s) -> Click Joint(s)"},
    {&g_bModeSelectJoints, "Select Joint(s) -> Click Joint(s)"},
};

}  // namespace

const char* ToolPromptText()
{
    for (const PromptEntry& e : kPrompts)
        if (*e.flag) return e.text;
    return "Ready";
}

void UpdateStatusPrompt()
{
    const char* text = ToolPromptText();
    const bool ra = g_bResultsAvailable != 0;
    const bool mf = g_bModelFailed != 0;
    const bool bf = g_bBreakingForcesActive != 0;

    if (ra && !mf) {
        text = ">>>> It Worked! <<<<";
    } else if (bf && !mf) {
        text = " Force magnitude(s) set to breaking ! ";
    } else if (ra && mf) {
        if (g_bHaltLargeDisplacements)
            text = ">>>> Large Displacements - Analysis Halted! <<<<";
        else if (g_bHaltUnstable)
            text = ">>>> Structure Unstable - Analysis Halted! <<<<";
        else if (g_bHaltInadequateSupport)
            text = ">>>> Inadequate Support - Analysis Halted! <<<<";
        else if (g_bHaltIncorrectModel)
            text = ">>>> Incorrect Model - Analysis Halted! <<<<";
        else if (!bf)
            text = ">>>> Undersized! <<<<";
    }
    g_strStatusPrompt = text;
}
