// State of the 3D view shared with the rest of the program: display-list
// valid flags, camera, lighting, display switches, workspace, animation.
// Plain data only; no GL or toolkit headers here.
#pragma once

// ---- display-list valid flags (0 = rebuild on the next drawing pass) ----
extern int g_bListMembersBuilt;         // 1
extern int g_bListYZBasePlaneBuilt;     // 2
extern int g_bListXYBasePlaneBuilt;     // 3
extern int g_bListXZBasePlaneBuilt;     // 4
extern int g_bListXYGuide1Built;        // 5
extern int g_bListXYGuide2Built;        // 6
extern int g_bListXZGuideBuilt;         // 7
extern int g_bListYZGuide1Built;        // 8
extern int g_bListYZGuide2Built;        // 9
extern int g_bListYZGuide3Built;        // 10
extern int g_bListYZGuide4Built;        // 11
extern int g_bListRuler1Built;          // 12
extern int g_bListSupportsBuilt;        // 13
extern int g_bListRuler2Built;          // 14
extern int g_bListResultMembersBuilt;   // 15
extern int g_bListJointsBuilt;          // 16
extern int g_bListLoadsBuilt;           // 17
extern int g_bListRuler3Built;          // 18
extern int g_bListOriginBuilt;          // 19
extern int g_bListTruckBuilt;           // 21
extern int g_bListFanBuilt;             // 22
extern int g_bListBridgeApproachBuilt;  // 23
extern int g_bListTankBuilt;            // 25
extern int g_bListTowerBaseBuilt;       // 26

// Clears the valid flags of the guide-plane lists (5..11).
void InvalidateGuideLists();
// Clears the valid flags of every model list (members, result members,
// joints, loads, supports) and of the guide-plane lists.
void InvalidateModelAndGuideLists();

// ---- camera ----
extern double g_dEyeX, g_dEyeY, g_dEyeZ;
extern double g_dCenterX, g_dCenterY, g_dCenterZ;
extern double g_dUpY;
extern float g_fOrbitAngle, g_fOrbitAngleB;
extern const double g_dFieldOfView, g_dNearPlane, g_dFarPlane;

// ---- lighting and background ----
extern float g_fDirectLightR, g_fDirectLightG, g_fDirectLightB;
extern float g_fAmbientLightR, g_fAmbientLightG, g_fAmbientLightB;
extern float g_fBackgroundR, g_fBackgroundG, g_fBackgroundB;
// Passes a clear colour to the graphics library at once; null when no
// context is attached (headless runs and tests).
extern void (*g_pfnSetClearColor)(float r, float g, float b, float a);

// ---- display switches ----
extern int g_bShowJoints, g_bShowLoads, g_bShowSupports;
extern int g_bShowXYBasePlane, g_bShowXZBasePlane, g_bShowYZBasePlane;
extern int g_bShowRulers, g_bShowOrigin, g_bShowFocus, g_bShowModelWeight;
extern int g_bShowGuideXY, g_bShowGuideXZ, g_bShowGuideYZ;
extern int g_bGuideGridXY, g_bGuideGridXZ, g_bGuideGridYZ;
extern int g_bAdvancedOptions;
extern int g_bHighlightDeck;

// ---- workspace, guide planes, joint size ----
extern short g_nWorkspaceX, g_nWorkspaceY, g_nWorkspaceZ;
extern float g_fGuidePlaneX, g_fGuidePlaneY, g_fGuidePlaneZ;
extern float g_fOriginX, g_fOriginY, g_fOriginZ;
extern float g_fJointSize;
extern int g_bJointSizeSmall, g_bJointSizeDefault, g_bJointSizeLarge;

// ---- results display and animation ----
extern float g_fMagnification;
extern int g_bMagnifyNone, g_bMagnify2, g_bMagnify5, g_bMagnify10, g_bMagnify20, g_bMagnify50, g_bMagnify100;
extern float g_fAnimMagnification;
extern int g_nAnimInterval;
extern int g_bAnimSpeedFast, g_bAnimSpeed50, g_bAnimSpeedMedium, g_bAnimSpeed500, g_bAnimSpeedSlow;
extern int g_bNoAnimation, g_bAnimateDisplacement, g_bAnimateCollapse;
extern int g_bColorAxialStresses, g_bColorBendingStresses, g_bColorFailedMembers;
extern int g_bAnimationRunning;
extern int g_bCrackSoundPending;
extern int g_bFanSpinning;
extern float g_fFanAngle;
extern int g_bShowUndeformed, g_bShowDisplacedShape, g_bShowCollapse;

// Sets the magnification radio group to the item of value m (1, 2, 5, 10,
// 20, 50 or 100) and g_fMagnification to m.
void SetMagnificationRadio(float m);

// View timer ids.
enum { TIMER_ANIMATE_DISPLACEMENT = 3, TIMER_ANIMATE_COLLAPSE = 4, TIMER_FAN = 5 };

// Restores every global above to its start-up value.
void ResetViewGlobals();
