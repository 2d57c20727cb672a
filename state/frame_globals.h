// Program-wide state owned by the frame: tool-mode flags, status prompt,
// model file state, preferences, default member properties, label switches.
// Plain data only; no toolkit headers here.
#pragma once

#include <string>

#include "platform/platform.h"

extern const char* const g_szAppTitle;  // "Trussforge3D"
// The desktop's opener: the default helper program, which opens a document
// or web address with the program the user's desktop has chosen for it.
extern const char* const g_szDesktopOpener;  // "xdg-open"

// ---- tool modes (one set at a time) ----
extern int g_bShowTilesXY, g_bShowTilesXZ, g_bShowTilesYZ;
extern int g_bModeMoveTilesXY, g_bModeMoveTilesXZ, g_bModeMoveTilesYZ;
extern int g_bModeXYPlaneToCursor, g_bModeXYPlaneToJoint, g_bModeXYPlaneMoveJoints, g_bModeXYPlaneReplicate, g_bModeXYPlaneReplicateToJoint;
extern int g_bModeXZPlaneToCursor, g_bModeXZPlaneToJoint, g_bModeXZPlaneMoveJoints, g_bModeXZPlaneReplicate, g_bModeXZPlaneReplicateToJoint;
extern int g_bModeYZPlaneToCursor, g_bModeYZPlaneToJoint, g_bModeYZPlaneMoveJoints, g_bModeYZPlaneReplicate, g_bModeYZPlaneReplicateToJoint;
extern int g_bModeSelectJoints, g_bModeSetFocus, g_bModeAddJoint, g_bModeMoveJoint, g_bModeJointProperties, g_bModeDeleteJoint;
extern int g_bModeAddMember, g_bModeDeleteMember, g_bModeChangeShape, g_bModeChangeMaterial, g_bModePaintMember;
extern int g_bModeCopyColor, g_bModeHideMembers, g_bModeShowMembers, g_bModeMemberProperties;
extern int g_bModeNegateMember, g_bModeRestoreMember, g_bModeCopyProperties;
extern int g_bModeSplitMember10, g_bModeSplitMember20, g_bModeSplitMember30, g_bModeSplitMember40, g_bModeSplitMember50;
extern int g_bModeSplitMember60, g_bModeSplitMember70, g_bModeSplitMember80, g_bModeSplitMember90;
extern int g_bModeSupportYZRoller, g_bModeSupportXZRoller, g_bModeSupportXYRoller, g_bModeSupportZRoller;
extern int g_bModeSupportXRoller, g_bModeSupportYRoller, g_bModeSupportHinge, g_bModeSupportFixed, g_bModeDeleteSupport;
extern int g_bModeDeleteLoad, g_bModeForceX, g_bModeForceY, g_bModeForceZ;
extern int g_bShowForcesX, g_bShowForcesY, g_bShowForcesZ;
extern int g_bModeSetOrigin;
// pick results cleared with the tool modes
extern int g_bCursorOnPlane;
extern short g_nPickedMember, g_nPickedJoint;

// ---- label switches (not tool modes) ----
extern int g_bShowMemberNumbers, g_bShowShapeNumbers, g_bShowMaterialNumbers;
extern int g_bUseSplitDialog;

// ---- status prompt ----
extern std::string g_strStatusPrompt;  // "Ready" at start

// ---- model file state ----
extern std::string g_strModelFileName;  // "UNTITLED" at start
extern int g_bHasFileName;
extern std::string g_strStartFile;
extern std::string g_strOutputFilePath;  // g_szNoOutputFile until an output file is saved
extern const char* const g_szNoOutputFile;  // "NA"

// ---- screen, taken when the main frame is created ----
extern int g_nScreenWidth, g_nScreenHeight;  // 800, 600 before that
extern int g_nLargeScreenFactor;             // 2 on screens wider than 2000 pixels, else 1

// ---- cursor ----
extern platform::CursorHandle g_hWaitCursor;
extern platform::CursorHandle g_hPrevCursor;

// ---- preferences ----
extern float g_fLinearSpeed;   // inches per step
extern float g_fAngularSpeed;  // radians per step
// The speeds at start-up and as the preferences' default; the angular one
// as a U.S. model's Preferences dialog shows it, in degrees.
constexpr float kDefaultLinearSpeed = 2.0f;
constexpr float kDefaultAngularSpeed = 0.174533f;
constexpr float kDefaultAngularSpeedDegrees = 10.0f;
extern std::string g_strTextViewerPath, g_strGraphicViewerPath, g_strBrowserPath, g_strManualPath;
extern int g_bSoundOn;
extern unsigned char g_bPrefsSaveAllowed;

// ---- default member properties ----
extern short g_nDefaultShape, g_nDefaultMaterial;
extern float g_fDefaultColorR, g_fDefaultColorG, g_fDefaultColorB;
extern float g_fDefaultOffsetY, g_fDefaultOffsetZ, g_fDefaultRotation;

// ---- default joint forces of the force tools ----
extern float g_fDefaultForceX, g_fDefaultForceY, g_fDefaultForceZ;  // 1.0 each
extern int g_bDefaultForceXTranslated, g_bDefaultForceYTranslated, g_bDefaultForceZTranslated;

// ---- check mark of Loads/Tower Defaults ... ----
extern int g_bTowerDefaultsChecked;

// Restores every global above to its start-up value.
void ResetFrameGlobals();
