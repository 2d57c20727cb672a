#include "state/frame_globals.h"

#include "state/manual_path.h"

const char* const g_szAppTitle = "Trussforge3D";
const char* const g_szDesktopOpener = "xdg-open";

int g_bShowTilesXY, g_bShowTilesXZ, g_bShowTilesYZ;
int g_bModeMoveTilesXY, g_bModeMoveTilesXZ, g_bModeMoveTilesYZ;
int g_bModeXYPlaneToCursor, g_bModeXYPlaneToJoint, g_bModeXYPlaneMoveJoints, g_bModeXYPlaneReplicate, g_bModeXYPlaneReplicateToJoint;
int g_bModeXZPlaneToCursor, g_bModeXZPlaneToJoint, g_bModeXZPlaneMoveJoints, g_bModeXZPlaneReplicate, g_bModeXZPlaneReplicateToJoint;
int g_bModeYZPlaneToCursor, g_bModeYZPlaneToJoint, g_bModeYZPlaneMoveJoints, g_bModeYZPlaneReplicate, g_bModeYZPlaneReplicateToJoint;
int g_bModeSelectJoints, g_bModeSetFocus, g_bModeAddJoint, g_bModeMoveJoint, g_bModeJointProperties, g_bModeDeleteJoint;
int g_bModeAddMember, g_bModeDeleteMember, g_bModeChangeShape, g_bModeChangeMaterial, g_bModePaintMember;
int g_bModeCopyColor, g_bModeHideMembers, g_bModeShowMembers, g_bModeMemberProperties;
int g_bModeNegateMember, g_bModeRestoreMember, g_bModeCopyProperties;
int g_bModeSplitMember10, g_bModeSplitMember20, g_bModeSplitMember30, g_bModeSplitMember40, g_bModeSplitMember50;
int g_bModeSplitMember60, g_bModeSplitMember70, g_bModeSplitMember80, g_bModeSplitMember90;
int g_bModeSupportYZRoller, g_bModeSupportXZRoller, g_bModeSupportXYRoller, g_bModeSupportZRoller;
int g_bModeSupportXRoller, g_bModeSupportYRoller, g_bModeSupportHinge, g_bModeSupportFixed, g_bModeDeleteSupport;
int g_bModeDeleteLoad, g_bModeForceX, g_bModeForceY, g_bModeForceZ;
int g_bShowForcesX, g_bShowForcesY, g_bShowForcesZ;
int g_bModeSetOrigin;
int g_bCursorOnPlane;
short g_nPickedMember, g_nPickedJoint;

int g_bShowMemberNumbers, g_bShowShapeNumbers, g_bShowMaterialNumbers;
int g_bUseSplitDialog;

std::string g_strStatusPrompt = "Ready";

std::string g_strModelFileName = "UNTITLED";
int g_bHasFileName = 0;
std::string g_strStartFile;
const char* const g_szNoOutputFile = "NA";
std::string g_strOutputFilePath = g_szNoOutputFile;

int g_nScreenWidth = 800, g_nScreenHeight = 600;
int g_nLargeScreenFactor = 1;

platform::CursorHandle g_hWaitCursor = platform::CURSOR_WAIT;
platform::CursorHandle g_hPrevCursor = platform::CURSOR_ARROW;

float g_fLinearSpeed = kDefaultLinearSpeed;
float g_fAngularSpeed = kDefaultAngularSpeed;
std::string g_strTextViewerPath = g_szDesktopOpener;
std::string g_strGraphicViewerPath;  // none chosen: the opener has no picture to open
std::string g_strBrowserPath = g_szDesktopOpener;
std::string g_strManualPath = DefaultManualPath();
int g_bSoundOn = 1;
unsigned char g_bPrefsSaveAllowed = 1;

short g_nDefaultShape = 2, g_nDefaultMaterial = 4;
float g_fDefaultColorR = 0, g_fDefaultColorG = 0, g_fDefaultColorB = 0;
float g_fDefaultOffsetY = 0, g_fDefaultOffsetZ = 0, g_fDefaultRotation = 0;
float g_fDefaultForceX = 1.0f, g_fDefaultForceY = 1.0f, g_fDefaultForceZ = 1.0f;
int g_bDefaultForceXTranslated = 0, g_bDefaultForceYTranslated = 0, g_bDefaultForceZTranslated = 0;

int g_bTowerDefaultsChecked = 0;

void ResetFrameGlobals()
{
    int* modes[] = {
        &g_bShowTilesXY, &g_bShowTilesXZ, &g_bShowTilesYZ,
        &g_bModeMoveTilesXY, &g_bModeMoveTilesXZ, &g_bModeMoveTilesYZ,
        &g_bModeXYPlaneToCursor, &g_bModeXYPlaneToJoint, &g_bModeXYPlaneMoveJoints, &g_bModeXYPlaneReplicate, &g_bModeXYPlaneReplicateToJoint,
        &g_bModeXZPlaneToCursor, &g_bModeXZPlaneToJoint, &g_bModeXZPlaneMoveJoints, &g_bModeXZPlaneReplicate, &g_bModeXZPlaneReplicateToJoint,
        &g_bModeYZPlaneToCursor, &g_bModeYZPlaneToJoint, &g_bModeYZPlaneMoveJoints, &g_bModeYZPlaneReplicate, &g_bModeYZPlaneReplicateToJoint,
        &g_bModeSelectJoints, &g_bModeSetFocus, &g_bModeAddJoint, &g_bModeMoveJoint, &g_bModeJointProperties, &g_bModeDeleteJoint,
        &g_bModeAddMember, &g_bModeDeleteMember, &g_bModeChangeShape, &g_bModeChangeMaterial, &g_bModePaintMember,
        &g_bModeCopyColor, &g_bModeHideMembers, &g_bModeShowMembers, &g_bModeMemberProperties,
        &g_bModeNegateMember, &g_bModeRestoreMember, &g_bModeCopyProperties,
        &g_bModeSplitMember10, &g_bModeSplitMember20, &g_bModeSplitMember30, &g_bModeSplitMember40, &g_bModeSplitMember50,
        &g_bModeSplitMember60, &g_bModeSplitMember70, &g_bModeSplitMember80, &g_bModeSplitMember90,
        &g_bModeSupportYZRoller, &g_bModeSupportXZRoller, &g_bModeSupportXYRoller, &g_bModeSupportZRoller,
        &g_bModeSupportXRoller, &g_bModeSupportYRoller, &g_bModeSupportHinge, &g_bModeSupportFixed, &g_bModeDeleteSupport,
        &g_bModeDeleteLoad, &g_bModeForceX, &g_bModeForceY, &g_bModeForceZ,
        &g_bShowForcesX, &g_bShowForcesY, &g_bShowForcesZ,
        &g_bModeSetOrigin, &g_bCursorOnPlane,
        &g_bShowMemberNumbers, &g_bShowShapeNumbers, &g_bShowMaterialNumbers, &g_bUseSplitDialog};
    for (int* f : modes) *f = 0;
    g_nPickedMember = g_nPickedJoint = 0;

    g_strStatusPrompt = "Ready";
    g_strModelFileName = "UNTITLED";
    g_bHasFileName = 0;
    g_strStartFile.clear();
    g_strOutputFilePath = g_szNoOutputFile;
    g_nScreenWidth = 800;
    g_nScreenHeight = 600;
    g_nLargeScreenFactor = 1;
    g_hWaitCursor = platform::CURSOR_WAIT;
    g_hPrevCursor = platform::CURSOR_ARROW;

    g_fLinearSpeed = kDefaultLinearSpeed;
    g_fAngularSpeed = kDefaultAngularSpeed;
    g_strTextViewerPath = g_szDesktopOpener;
    g_strGraphicViewerPath.clear();
    g_strBrowserPath = g_szDesktopOpener;
    g_strManualPath = DefaultManualPath();
    g_bSoundOn = 1;
    g_bPrefsSaveAllowed = 1;

    g_nDefaultShape = 2; g_nDefaultMaterial = 4;
    g_fDefaultColorR = g_fDefaultColorG = g_fDefaultColorB = 0;
    g_fDefaultOffsetY = g_fDefaultOffsetZ = g_fDefaultRotation = 0;
    g_fDefaultForceX = g_fDefaultForceY = g_fDefaultForceZ = 1.0f;
    g_bDefaultForceXTranslated = g_bDefaultForceYTranslated = g_bDefaultForceZTranslated = 0;
    g_bTowerDefaultsChecked = 0;
}
