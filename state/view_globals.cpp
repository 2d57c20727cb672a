#include "state/view_globals.h"

int g_bListMembersBuilt, g_bListYZBasePlaneBuilt, g_bListXYBasePlaneBuilt, g_bListXZBasePlaneBuilt;
int g_bListXYGuide1Built, g_bListXYGuide2Built, g_bListXZGuideBuilt;
int g_bListYZGuide1Built, g_bListYZGuide2Built, g_bListYZGuide3Built, g_bListYZGuide4Built;
int g_bListRuler1Built, g_bListSupportsBuilt, g_bListRuler2Built, g_bListResultMembersBuilt;
int g_bListJointsBuilt, g_bListLoadsBuilt, g_bListRuler3Built, g_bListOriginBuilt;
int g_bListTruckBuilt, g_bListFanBuilt, g_bListBridgeApproachBuilt, g_bListTankBuilt, g_bListTowerBaseBuilt;

double g_dEyeX = 0, g_dEyeY = 0, g_dEyeZ = 30;
double g_dCenterX = 0, g_dCenterY = 0, g_dCenterZ = 0;
double g_dUpY = 1.0;
float g_fOrbitAngle = 0, g_fOrbitAngleB = 0;
const double g_dFieldOfView = 45.0, g_dNearPlane = 2.0, g_dFarPlane = 500.0;

float g_fDirectLightR = 0.5f, g_fDirectLightG = 0.5f, g_fDirectLightB = 0.5f;
float g_fAmbientLightR = 0.4f, g_fAmbientLightG = 0.4f, g_fAmbientLightB = 0.4f;
float g_fBackgroundR = 0.75f, g_fBackgroundG = 0.75f, g_fBackgroundB = 0.75f;
void (*g_pfnSetClearColor)(float r, float g, float b, float a) = nullptr;

int g_bShowJoints = 1, g_bShowLoads = 1, g_bShowSupports = 1;
int g_bShowXYBasePlane = 1, g_bShowXZBasePlane = 1, g_bShowYZBasePlane = 1;
int g_bShowRulers = 1, g_bShowOrigin = 0, g_bShowFocus = 0, g_bShowModelWeight = 0;
int g_bShowGuideXY = 1, g_bShowGuideXZ = 1, g_bShowGuideYZ = 1;
int g_bGuideGridXY = 1, g_bGuideGridXZ = 1, g_bGuideGridYZ = 1;
int g_bAdvancedOptions = 1;
int g_bHighlightDeck = 0;
int g_bShowHoverMemberNumber = 0;

short g_nWorkspaceX = kDefaultWorkspaceX, g_nWorkspaceY = kDefaultWorkspaceY, g_nWorkspaceZ = kDefaultWorkspaceZ;
float g_fGuidePlaneX = 0, g_fGuidePlaneY = 0, g_fGuidePlaneZ = 0;
float g_fOriginX = 0, g_fOriginY = 0, g_fOriginZ = 0;
float g_fJointSize = 0.25f;
int g_bJointSizeSmall = 0, g_bJointSizeDefault = 1, g_bJointSizeLarge = 0;

float g_fMagnification = 10;
int g_bMagnifyNone = 0, g_bMagnify2 = 0, g_bMagnify5 = 0, g_bMagnify10 = 1, g_bMagnify20 = 0, g_bMagnify50 = 0, g_bMagnify100 = 0;
float g_fAnimMagnification = 0;
int g_nAnimInterval = 10;
int g_bAnimSpeedFast = 1, g_bAnimSpeed50 = 0, g_bAnimSpeedMedium = 0, g_bAnimSpeed500 = 0, g_bAnimSpeedSlow = 0;
int g_bNoAnimation = 0, g_bAnimateDisplacement = 0, g_bAnimateCollapse = 1;
int g_bColorAxialStresses = 0, g_bColorBendingStresses = 0, g_bColorFailedMembers = 1;
int g_bAnimationRunning = 0;
int g_bCrackSoundPending = 0;
int g_bFanSpinning = 0;
float g_fFanAngle = 0;
int g_bShowUndeformed = 1, g_bShowDisplacedShape = 0, g_bShowCollapse = 0;

int g_bRendering = 0;
int g_nViewWidth = 0, g_nViewHeight = 0;
unsigned int g_nListBase = 0;

const PixelFormatRequest g_pfdView = {40, 1, PFD_DOUBLEBUFFER | PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL,
                                      PFD_TYPE_RGBA, 16, 16};
int g_bPfdDoubleBuffer, g_bPfdDrawToWindow, g_bPfdDrawToBitmap, g_bPfdSupportGdi, g_bPfdSupportOpenGL;
int g_bPfdGenericFormat, g_bPfdNeedPalette, g_bPfdNeedSystemPalette, g_bPfdGenericAccelerated;
unsigned char g_nPfdColorBits, g_nPfdDepthBits;
int g_bPfdTypeRgba;

float g_fCursorX = 0, g_fCursorY = 0, g_fCursorZ = 0;
float g_fDragStartX = 0, g_fDragStartY = 0, g_fDragStartZ = 0;
int g_bDraggingMember = 0;
int g_bDraggingPlaneXY = 0, g_bDraggingPlaneXZ = 0, g_bDraggingPlaneYZ = 0;
int g_bShowDragDeltas = 1;
short g_nDragStartJoint = 0;
float g_fSplitToolFraction = 0.5f;
float g_fSplitFraction = 0.5f;

int g_bOrbitDragging = 0;
float g_fOrbitPressX = 0, g_fOrbitPressY = 0;
float g_fOrbitStartAngle = 0, g_fOrbitStartAngleB = 0;
float g_bOrbitLockHorizontal = 0, g_bOrbitLockVertical = 0;
float g_fOrbitFirstDX = 0, g_fOrbitFirstDY = 0;
float g_fMouseX = 0, g_fMouseY = 0;
int g_bZoomGestureArmed = 0;
short g_nZoomPressX = 0;
CameraSlot g_CameraSlots[3];
int g_bCameraSlotsTaken = 0;

int g_bFollowTruckCamera = 0;
int g_bShowTilesSkew = 0;
int g_bTilePortrait = 1;
int g_bTileLandscape = 0;

int g_bMemberDialogOpen = 0;
int g_bMemberResultsDlgShown = 0;
int g_bJointDialogOpen = 0;
int g_bJointResultsDlgShown = 0;

int g_bGuidePlaneHalfAlpha = 0;

// ---- load arrows (scenery layers) ----
float g_fArrowMaxLength = 0, g_fArrowMinLength = 0;

void InvalidateGuideLists()
{
    g_bListXYGuide1Built = g_bListXYGuide2Built = g_bListXZGuideBuilt = 0;
    g_bListYZGuide1Built = g_bListYZGuide2Built = g_bListYZGuide3Built = g_bListYZGuide4Built = 0;
}

void InvalidateWorkspaceLists()
{
    g_bListYZBasePlaneBuilt = g_bListXYBasePlaneBuilt = g_bListXZBasePlaneBuilt = 0;
    g_bListRuler1Built = g_bListRuler2Built = g_bListRuler3Built = 0;
    InvalidateGuideLists();  // the sheets span the workspace
}

void SetWorkspaceSize(short x, short y, short z)
{
    if (x == g_nWorkspaceX && y == g_nWorkspaceY && z == g_nWorkspaceZ) return;
    g_nWorkspaceX = x;
    g_nWorkspaceY = y;
    g_nWorkspaceZ = z;
    InvalidateWorkspaceLists();
}

void SetInitialCamera()
{
    const int x = g_nWorkspaceX / 2, y = g_nWorkspaceY / 2, z = g_nWorkspaceZ / 2;
    g_fOrbitAngle = g_fOrbitAngleB = 1.57f;
    g_dCenterX = x;
    g_dCenterY = y;
    g_dCenterZ = z;
    g_dEyeX = x;
    g_dEyeY = y;
    g_dEyeZ = z + (g_nWorkspaceY < g_nWorkspaceX ? x * 2.3 : y * 2.4);
}

void InvalidateModelAndGuideLists()
{
    g_bListMembersBuilt = g_bListResultMembersBuilt = g_bListJointsBuilt = 0;
    g_bListLoadsBuilt = g_bListSupportsBuilt = 0;
    InvalidateGuideLists();
}

void InvalidateAnimationLists()
{
    g_bListFanBuilt = g_bListTruckBuilt = g_bListTankBuilt = 0;
    g_bListMembersBuilt = g_bListResultMembersBuilt = g_bListJointsBuilt = 0;
    g_bListLoadsBuilt = g_bListSupportsBuilt = 0;
}

void SetMagnificationRadio(float m)
{
    g_bMagnifyNone = (m == 1);
    g_bMagnify2 = (m == 2);
    g_bMagnify5 = (m == 5);
    g_bMagnify10 = (m == 10);
    g_bMagnify20 = (m == 20);
    g_bMagnify50 = (m == 50);
    g_bMagnify100 = (m == 100);
    g_fMagnification = m;
}

void InvalidateAllLists()
{
    int* lists[] = {&g_bListMembersBuilt, &g_bListYZBasePlaneBuilt, &g_bListXYBasePlaneBuilt,
                    &g_bListXZBasePlaneBuilt, &g_bListXYGuide1Built, &g_bListXYGuide2Built,
                    &g_bListXZGuideBuilt, &g_bListYZGuide1Built, &g_bListYZGuide2Built,
                    &g_bListYZGuide3Built, &g_bListYZGuide4Built, &g_bListRuler1Built,
                    &g_bListSupportsBuilt, &g_bListRuler2Built, &g_bListResultMembersBuilt,
                    &g_bListJointsBuilt, &g_bListLoadsBuilt, &g_bListRuler3Built, &g_bListOriginBuilt,
                    &g_bListTruckBuilt, &g_bListFanBuilt, &g_bListBridgeApproachBuilt,
                    &g_bListTankBuilt, &g_bListTowerBaseBuilt};
    for (int* f : lists) *f = 0;
}

void ResetViewGlobals()
{
    InvalidateAllLists();

    g_dEyeX = 0; g_dEyeY = 0; g_dEyeZ = 30;
    g_dCenterX = g_dCenterY = g_dCenterZ = 0;
    g_dUpY = 1.0;
    g_fOrbitAngle = g_fOrbitAngleB = 0;

    g_fDirectLightR = g_fDirectLightG = g_fDirectLightB = 0.5f;
    g_fAmbientLightR = g_fAmbientLightG = g_fAmbientLightB = 0.4f;
    g_fBackgroundR = g_fBackgroundG = g_fBackgroundB = 0.75f;

    g_bShowJoints = g_bShowLoads = g_bShowSupports = 1;
    g_bShowXYBasePlane = g_bShowXZBasePlane = g_bShowYZBasePlane = 1;
    g_bShowRulers = 1; g_bShowOrigin = 0; g_bShowFocus = 0; g_bShowModelWeight = 0;
    g_bShowGuideXY = g_bShowGuideXZ = g_bShowGuideYZ = 1;
    g_bGuideGridXY = g_bGuideGridXZ = g_bGuideGridYZ = 1;
    g_bAdvancedOptions = 1;
    g_bHighlightDeck = 0;
    g_bShowHoverMemberNumber = 0;

    g_nWorkspaceX = kDefaultWorkspaceX; g_nWorkspaceY = kDefaultWorkspaceY; g_nWorkspaceZ = kDefaultWorkspaceZ;
    g_fGuidePlaneX = g_fGuidePlaneY = g_fGuidePlaneZ = 0;
    g_fOriginX = g_fOriginY = g_fOriginZ = 0;
    g_fJointSize = 0.25f;
    g_bJointSizeSmall = 0; g_bJointSizeDefault = 1; g_bJointSizeLarge = 0;

    SetMagnificationRadio(10);
    g_fAnimMagnification = 0;
    g_nAnimInterval = 10;
    g_bAnimSpeedFast = 1; g_bAnimSpeed50 = g_bAnimSpeedMedium = g_bAnimSpeed500 = g_bAnimSpeedSlow = 0;
    g_bNoAnimation = 0; g_bAnimateDisplacement = 0; g_bAnimateCollapse = 1;
    g_bColorAxialStresses = 0; g_bColorBendingStresses = 0; g_bColorFailedMembers = 1;
    g_bAnimationRunning = g_bCrackSoundPending = g_bFanSpinning = 0;
    g_fFanAngle = 0;
    g_bShowUndeformed = 1; g_bShowDisplacedShape = 0; g_bShowCollapse = 0;

    g_bRendering = 0;
    g_nViewWidth = g_nViewHeight = 0;
    g_nListBase = 0;
    g_bPfdDoubleBuffer = g_bPfdDrawToWindow = g_bPfdDrawToBitmap = g_bPfdSupportGdi = g_bPfdSupportOpenGL = 0;
    g_bPfdGenericFormat = g_bPfdNeedPalette = g_bPfdNeedSystemPalette = g_bPfdGenericAccelerated = 0;
    g_nPfdColorBits = g_nPfdDepthBits = 0;
    g_bPfdTypeRgba = 0;

    g_fCursorX = g_fCursorY = g_fCursorZ = 0;
    g_fDragStartX = g_fDragStartY = g_fDragStartZ = 0;
    g_bDraggingMember = 0;
    g_bDraggingPlaneXY = g_bDraggingPlaneXZ = g_bDraggingPlaneYZ = 0;
    g_bShowDragDeltas = 1;
    g_nDragStartJoint = 0;
    g_fSplitToolFraction = g_fSplitFraction = 0.5f;

    g_bOrbitDragging = 0;
    g_fOrbitPressX = g_fOrbitPressY = 0;
    g_fOrbitStartAngle = g_fOrbitStartAngleB = 0;
    g_bOrbitLockHorizontal = g_bOrbitLockVertical = 0;
    g_fOrbitFirstDX = g_fOrbitFirstDY = 0;
    g_fMouseX = g_fMouseY = 0;
    g_bZoomGestureArmed = 0;
    g_nZoomPressX = 0;
    for (CameraSlot& slot : g_CameraSlots) slot = CameraSlot();
    g_bCameraSlotsTaken = 0;

    g_bFollowTruckCamera = 0;
    g_bShowTilesSkew = 0;
    g_bTilePortrait = 1;
    g_bTileLandscape = 0;

    g_bMemberDialogOpen = 0;
    g_bMemberResultsDlgShown = 0;
    g_bJointDialogOpen = 0;
    g_bJointResultsDlgShown = 0;

    g_bGuidePlaneHalfAlpha = 0;

    g_fArrowMaxLength = g_fArrowMinLength = 0;
}
