#include "view/renderer.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "model/model_ops.h"
#include "model/tables.h"
#include "model/units.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"
#include "view/member_solids.h"
#include "view/scene_layers.h"

namespace {

int s_compileCount[LIST_RESERVED_COUNT + 1];

bool JointInModel(int j)
{
    return j >= 1 && j <= g_nJoints && j <= MAX_JOINTS;
}

// Driver's-eye camera behind the truck cab; takes effect on the next paint.
void FollowTruck(bool collapse)
{
    const float a = g_fTruckTilt / kTruckDegreesPerRadianF;
    const float rise = collapse ? std::sin(a) : std::tan(a);
    g_dEyeX = g_fTruckDisplacedX - 0.75f;
    g_dEyeY = g_fTruckDisplacedY + 1.8125f;
    g_dCenterX = g_fTruckDisplacedX + 5.25f;
    g_dCenterY = g_fTruckDisplacedY - 0.1875f + 6 * rise;
}

// Truck pose in the collapse display from the two deck joints under it.
void PoseTruckOnDeck()
{
    if (!JointInModel(g_nTruckJoint1) || !JointInModel(g_nTruckJoint2)) {
        PlaceTruckUndisplaced();
        return;
    }
    const JointRec& j1 = g_Joints[g_nTruckJoint1];
    const JointRec& j2 = g_Joints[g_nTruckJoint2];
    float dx = j1.displacedX - j2.displacedX;
    if (dx == 0) dx = 0.1f;
    const float dy = j1.displacedY - j2.displacedY;
    g_fTruckDisplacedX = j2.displacedX + 5.3125f;
    g_fTruckDisplacedY = j2.displacedY + 0.1875f;
    g_fTruckDisplacedZ = j2.displacedZ - 1.03125f;
    g_fTruckTilt = std::atan(dy / dx) * kTruckDegreesPerRadianF;
}

void DrawRubberBandMember()
{
    const int s = g_nDefaultShape;
    if (s < 0 || s >= TABLE_ROWS) return;
    DrawMemberBox(g_fDragStartX, g_fDragStartY, g_fDragStartZ, g_fCursorX, g_fCursorY, g_fCursorZ, 0,
                  g_Shapes[s].height, g_Shapes[s].width, g_fDefaultColorR, g_fDefaultColorG, g_fDefaultColorB);
}

void DrawGuidePlanes()
{
    const float gx = g_fGuidePlaneX, gy = g_fGuidePlaneY, gz = g_fGuidePlaneZ;
    // Interleaved so the translucent sheets blend acceptably without sorting.
    if (g_bShowGuideYZ) DrawGuideYZPart1(gx);
    if (g_bShowGuideXY) DrawGuideXYPart1(gz);
    if (g_bShowGuideYZ) DrawGuideYZPart2(gx);
    if (g_bShowGuideXZ) DrawGuideXZ(gy);
    if (g_bShowGuideYZ) DrawGuideYZPart3(gx);
    if (g_bShowGuideXY) DrawGuideXYPart2(gz);
    if (g_bShowGuideYZ) DrawGuideYZPart4(gx);
}

void DrawTiles()
{
    if (g_bShowTilesSkew == 1) DrawPageTiles(TILES_SKEW, g_fGuidePlaneX, g_bUnitsUS ? 0 : 1, 0);
    if (g_bShowTilesXY) DrawPageTiles(TILES_XY, g_fGuidePlaneZ, g_bMetricUnits, g_bTileLandscape);
    if (g_bShowTilesXZ) DrawPageTiles(TILES_XZ, g_fGuidePlaneY, g_bMetricUnits, g_bTileLandscape);
    if (g_bShowTilesYZ) DrawPageTiles(TILES_YZ, g_fGuidePlaneX, g_bMetricUnits, g_bTileLandscape);
}

void DrawHighlights()
{
    if (g_nPickedJoint != 0) {
        if (g_bShowDisplacedShape)
            HighlightDisplacedJoint(g_nPickedJoint);
        else
            HighlightJoint(g_nPickedJoint);
    }
    if (g_nPickedMember != 0) {
        if (g_bShowDisplacedShape) {
            HighlightDisplacedMember(g_nPickedMember);
        } else {
            HighlightMember(g_nPickedMember);
            int a, b;
            if (g_bMemberDialogOpen && MemberJoints(g_nPickedMember, a, b)) HighlightJoint(a);
        }
    }
}

}  // namespace

void CallDisplayList(int id, int& built, const std::function<void()>& draw)
{
    if (!built) {
        // Compiled without executing and then replayed, so a translucent
        // layer is not blended twice on the frame that compiles it.
        glNewList(id, GL_COMPILE);
        built = 1;
        if (id >= 0 && id <= LIST_RESERVED_COUNT) ++s_compileCount[id];
        draw();
        glEndList();
    }
    glCallList(id);
}

void CompileArrowHeadList()
{
    glNewList(LIST_ARROW_HEAD, GL_COMPILE);
    glBegin(GL_TRIANGLES);
    glNormal3f(1, 0, 0);
    glVertex3f(0, 0, 0);
    glVertex3f(-0.25f, -1, 0);
    glVertex3f(0.25f, -1, 0);
    glEnd();
    glEndList();
    ++s_compileCount[LIST_ARROW_HEAD];
}

int DisplayListCompileCount(int id)
{
    return id >= 0 && id <= LIST_RESERVED_COUNT ? s_compileCount[id] : 0;
}

void ResetDisplayListCompileCounts()
{
    for (int& n : s_compileCount) n = 0;
}

void RenderScene()
{
    glClear(GL_COLOR_BUFFER_BIT);
    glClear(GL_DEPTH_BUFFER_BIT);

    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(g_dEyeX, g_dEyeY, g_dEyeZ, g_dCenterX, g_dCenterY, g_dCenterZ, 0, 1, 0);

    if (g_bShowYZBasePlane) DrawBasePlaneYZ();
    if (g_bShowXYBasePlane) DrawBasePlaneXY();
    if (g_bShowXZBasePlane) DrawBasePlaneXZ();

    // The rotor stands where the last tick of any timer turned it: timer 5
    // turns it on after the growth has ended, and a stopped fan stays put.
    if (g_bUseFan) DrawFan(g_bReverseWind ? -g_fFanAngle : g_fFanAngle);

    if (g_bShowJoints && !g_bShowDisplacedShape && !g_bShowCollapse) DrawJoints();

    if (g_bShowUndeformed) {
        DrawMembers();
        if (g_bTruckActive) DrawTruck(g_fTruckX, g_fTruckY, g_fTruckZ, 0);
        if (g_bTowerProject) DrawTank(20, 14, 10, 0);
    }

    if (g_bShowDisplacedShape) {
        DrawResultMembers();
        if (g_bTruckActive) DrawTruck(g_fTruckDisplacedX, g_fTruckDisplacedY, g_fTruckDisplacedZ, g_fTruckTilt);
        if (g_bFollowTruckCamera) FollowTruck(false);
        if (g_bTowerProject) DrawTankOnDisplacedTower(0);
    }

    if (g_bShowCollapse) {
        DrawMembersAnimated(g_fAnimMagnification);
        PoseTruckOnDeck();
        if (g_bUseTruck) DrawTruck(g_fTruckDisplacedX, g_fTruckDisplacedY, g_fTruckDisplacedZ, g_fTruckTilt);
        if (g_bTowerProject) DrawTankOnDisplacedTower(1);
        if (g_bFollowTruckCamera) FollowTruck(true);
    }

    if (g_bModeSetOrigin) DrawPointMarker(g_fCursorX, g_fCursorY, g_fCursorZ);
    if (g_bModeAddJoint) DrawPointMarker(g_fCursorX, g_fCursorY, g_fCursorZ);

    if (g_bDraggingMember) DrawRubberBandMember();

    if (g_bShowLoads && !g_bShowCollapse) DrawLoads();

    if (g_bShowSupports) {
        if (g_bTruckActive)
            DrawBridgeApproaches();
        else if (g_bTowerProject)
            DrawTowerBase();
        else
            DrawSupports();
    }

    DrawGuideIntersections();
    DrawGuidePlanes();
    DrawTiles();
    DrawHighlights();

    if (g_bShowRulers) {
        DrawRulerX(2.0f);
        DrawRulerY(1.5f);
        DrawRulerZ(2.0f);
        DrawRulerCursorMarks(g_fCursorX, g_fCursorY, g_fCursorZ);
    }
    if (g_bShowUndeformed) DrawMarkedJoints();
    if (g_bShowOrigin) DrawOriginAxes();
    if (g_bShowFocus) DrawFocusMarker();
}
