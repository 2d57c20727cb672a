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
// Clears the valid flags of the lists drawn to the workspace size: the
// base planes, the rulers and the guide sheets.
void InvalidateWorkspaceLists();
// Sets the workspace size; a change clears those lists.
void SetWorkspaceSize(short x, short y, short z);
// Camera from the workspace size: centre in the middle, eye in front.
void SetInitialCamera();
// Clears the valid flags of every model list (members, result members,
// joints, loads, supports) and of the guide-plane lists.
void InvalidateModelAndGuideLists();
// Clears the valid flags of the lists a result animation redraws: fan,
// truck, tank, members, result members, joints, loads and supports.
void InvalidateAnimationLists();

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
extern int g_bShowHoverMemberNumber;

// ---- workspace, guide planes, joint size ----
extern short g_nWorkspaceX, g_nWorkspaceY, g_nWorkspaceZ;
// The workspace at start-up, after File/New and as the preferences' default.
constexpr short kDefaultWorkspaceX = 48, kDefaultWorkspaceY = 24, kDefaultWorkspaceZ = 24;
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

// Clears the valid flag of every display list (a new GL context holds none).
void InvalidateAllLists();

// ---- view window and drawing pass ----
extern int g_bRendering;                 // 1 while the GL part of a drawing pass runs
extern int g_nViewWidth, g_nViewHeight;  // client size in pixels, stored by every resize
extern unsigned int g_nListBase;         // first of the 27 reserved display-list names

// The requested pixel format and its mirror for the pixel-format dialog.
enum : unsigned {
    PFD_DOUBLEBUFFER = 0x1, PFD_DRAW_TO_WINDOW = 0x4, PFD_DRAW_TO_BITMAP = 0x8, PFD_SUPPORT_GDI = 0x10,
    PFD_SUPPORT_OPENGL = 0x20, PFD_GENERIC_FORMAT = 0x40, PFD_NEED_PALETTE = 0x80,
    PFD_NEED_SYSTEM_PALETTE = 0x100, PFD_GENERIC_ACCELERATED = 0x1000
};
enum : unsigned char { PFD_TYPE_RGBA = 0, PFD_TYPE_COLORINDEX = 1 };
struct PixelFormatRequest {
    unsigned short size;
    unsigned short version;
    unsigned flags;
    unsigned char pixelType;
    unsigned char colorBits;
    unsigned char depthBits;
};
extern const PixelFormatRequest g_pfdView;  // double buffer, window, GL; RGBA; 16 colour, 16 depth bits
extern int g_bPfdDoubleBuffer, g_bPfdDrawToWindow, g_bPfdDrawToBitmap, g_bPfdSupportGdi, g_bPfdSupportOpenGL;
extern int g_bPfdGenericFormat, g_bPfdNeedPalette, g_bPfdNeedSystemPalette, g_bPfdGenericAccelerated;
extern unsigned char g_nPfdColorBits, g_nPfdDepthBits;
extern int g_bPfdTypeRgba;

// ---- cursor point and drags (picking and mouse editing) ----
extern float g_fCursorX, g_fCursorY, g_fCursorZ;          // last grid point picked
extern float g_fDragStartX, g_fDragStartY, g_fDragStartZ;  // start point of the current drag
extern int g_bDraggingMember;
extern int g_bDraggingPlaneXY, g_bDraggingPlaneXZ, g_bDraggingPlaneYZ;
extern int g_bShowDragDeltas;  // the dX/dY/dZ line of Add Member and Add Joint
extern short g_nDragStartJoint;  // start joint of the Add Member drag
extern float g_fSplitToolFraction;  // fraction of the fixed-percentage split tools (0.1 .. 0.9)
extern float g_fSplitFraction;      // fraction along a member of a split at a fraction

// ---- camera navigation with the mouse and keys ----
extern int g_bOrbitDragging;                            // a right-button orbit drag is under way
extern float g_fOrbitPressX, g_fOrbitPressY;            // window point of the right-button press
extern float g_fOrbitStartAngle, g_fOrbitStartAngleB;   // both orbit angles at the press
extern float g_bOrbitLockHorizontal, g_bOrbitLockVertical;  // the axis the first movement chose
extern float g_fOrbitFirstDX, g_fOrbitFirstDY;          // the movement that chose it
extern float g_fMouseX, g_fMouseY;                      // last mouse position
extern int g_bZoomGestureArmed;                         // key 'Z' armed one left-drag zoom
extern short g_nZoomPressX;                             // window x of that gesture's press
// A stored camera (keys Ctrl+1..3 store, 1..3 restore).
struct CameraSlot {
    float angleB, angle;
    double eyeX, eyeY, eyeZ, centerX, centerY, centerZ;
};
extern CameraSlot g_CameraSlots[3];
extern int g_bCameraSlotsTaken;  // the slots hold the camera of the first key press

// ---- camera rides the truck; page tiles ----
extern int g_bFollowTruckCamera;
extern int g_bShowTilesSkew;
extern int g_bTilePortrait;   // page tiles: the pair is always one of each
extern int g_bTileLandscape;

// ---- open flags of the modeless dialogs (the renderer and the picks look at them) ----
extern int g_bMemberDialogOpen;
extern int g_bMemberResultsDlgShown;
extern int g_bJointDialogOpen;
extern int g_bJointResultsDlgShown;

// ---- guide sheets (workspace layers) ----
extern int g_bGuidePlaneHalfAlpha;  // XY sheet cyan at alpha 0.5 instead of white at 0.9

// ---- load arrows (scenery layers) ----
extern float g_fArrowMaxLength, g_fArrowMinLength;  // written by DrawLoads from the joint size

// Restores every global above to its start-up value.
void ResetViewGlobals();
