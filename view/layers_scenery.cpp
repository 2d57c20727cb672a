// Supports, loads, truck, fan and the bridge and tower scenery.
#include "view/scene_layers.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "model/model_ops.h"
#include "model/tables.h"
#include "model/units.h"
#include "state/view_globals.h"
#include "view/gl_shapes.h"
#include "view/member_solids.h"
#include "view/renderer.h"

namespace {

bool Finite(float a, float b, float c, float d = 0)
{
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}


// Cylinder along local z from 0 to length, closed by a disk at each end.
void ClosedCylinder(float radius, float length, int slices, int stacks, int loops)
{
    gluCylinder(SharedQuadric(), radius, radius, length, slices, stacks);
    glPushMatrix();
    glTranslatef(0, 0, length);
    gluDisk(SharedQuadric(), 0, radius, slices, loops);
    glPopMatrix();
    glPushMatrix();
    glRotatef(180, 0, 1, 0);
    gluDisk(SharedQuadric(), 0, radius, slices, loops);
    glPopMatrix();
}

// ---- support glyphs ----

int RestraintCode(const JointRec& j)
{
    return 32 * (j.restraintTX != 0) + 16 * (j.restraintTY != 0) + 8 * (j.restraintTZ != 0) +
           4 * (j.restraintRX != 0) + 2 * (j.restraintRY != 0) + (j.restraintRZ != 0);
}

void Ball(const float p[3], float g)
{
    glColor3f(0.3f, 0.3f, 0.3f);
    glPushMatrix();
    glTranslatef(p[0], p[1], p[2]);
    gluSphere(SharedQuadric(), g, 16, 16);
    glPopMatrix();
}

// Roller of radius g and length 3g centred on p, along z or along x.
void Roller(const float p[3], float g, bool alongX)
{
    glColor3f(0.3f, 0.3f, 0.3f);
    glPushMatrix();
    glTranslatef(p[0], p[1], p[2]);
    if (alongX) glRotatef(90, 0, 1, 0);
    glTranslatef(0, 0, -1.5f * g);
    ClosedCylinder(g, 3 * g, 12, 2, 2);
    glPopMatrix();
}

// Green column of section 4g from a to b.
void Column(float x1, float y1, float z1, float x2, float y2, float z2, float g, float green)
{
    DrawMemberBox(x1, y1, z1, x2, y2, z2, 0, 4 * g, 4 * g, 0, green, 0);
}

// Column from the floor up to `gap` below the undeformed joint.
void ColumnBelow(const JointRec& j, float g, float gap)
{
    Column(j.x, 0, j.z, j.x, j.y - gap, j.z, g, 0.4f);
}

// Grey pyramid, apex at the joint, square base of half-side 2g at 3g below.
void Pyramid(const JointRec& j, float g)
{
    const float apex[3] = {j.x, j.y, j.z};
    const float y = j.y - 3 * g, s = 2 * g;
    const float c[4][3] = {{j.x + s, y, j.z + s}, {j.x + s, y, j.z - s}, {j.x - s, y, j.z - s}, {j.x - s, y, j.z + s}};
    for (int i = 0; i < 4; ++i) DrawShadedTriangle(apex, c[i], c[(i + 1) % 4], 0.3f, 0.3f, 0.3f);
}

// ---- arrows ----

// Square pyramid from the tip at the origin to a square of half-side s at
// height h, closed by the square (normal +y).
void ArrowPyramid(float s, float h)
{
    const float tip[3] = {0, 0, 0};
    const float c[4][3] = {{s, h, s}, {s, h, -s}, {-s, h, -s}, {-s, h, s}};
    for (int i = 0; i < 4; ++i) DrawShadedTriangle(tip, c[(i + 1) % 4], c[i], 1, 0, 0);
    glBegin(GL_QUADS);
    glNormal3f(0, 1, 0);
    for (const auto& v : c) glVertex3fv(v);
    glEnd();
}

enum Axis { AXIS_X, AXIS_Y, AXIS_Z };

// Arrow of force component f along an axis, pointing in the force's
// direction with its tip on the anchor, or its tail there when translated.
void ForceArrow(const float anchor[3], Axis axis, float f, int translated, float length)
{
    const float dir = f > 0 ? 1.0f : -1.0f;
    float tip[3] = {anchor[0], anchor[1], anchor[2]};
    if (translated) tip[axis] += dir * length;
    glPushMatrix();
    glTranslatef(tip[0], tip[1], tip[2]);
    // Turn the arrow's body (+y) to the side opposite to the force.
    if (axis == AXIS_X)
        glRotatef(90 * dir, 0, 0, 1);
    else if (axis == AXIS_Y)
        glRotatef(dir > 0 ? 180.0f : 0.0f, 0, 0, 1);
    else
        glRotatef(-90 * dir, 1, 0, 0);
    DrawArrow(length);
    glPopMatrix();
}

// ---- truck, fan, tank ----

// The truck, front bumper at the origin, body along -x; u scales every
// dimension (1 inch model, 2.54 cm model).
void TruckModel(float u)
{
    glColor3f(0.2f, 0.2f, 0.2f);
    for (float axle : {-1.0625f, -5.3125f})
        for (float inner : {0.875f, -1.1875f}) {
            glPushMatrix();
            glTranslatef(axle * u, 0.625f * u, inner * u);
            ClosedCylinder(0.625f * u, 0.3125f * u, 12, 12, 12);
            glPopMatrix();
        }

    glColor3f(0.973f, 0.733f, 0.082f);
    DrawAxisBox(-7 * u, 0, 0.625f * u, 1.375f * u, -0.875f * u, 0.875f * u);
    glColor3f(0.5f, 0, 0);
    DrawAxisBox(-7.125f * u, -1.375f * u, 1.375f * u, 4.375f * u, -u, u);

    // Cab: the profile (counter-clockwise seen from +z) extruded across.
    glColor3f(0.973f, 0.733f, 0.082f);
    const float px[4] = {0, -0.625f * u, -1.375f * u, -1.375f * u};
    const float py[4] = {1.375f * u, 2.125f * u, 2.125f * u, 1.375f * u};
    const float normal[4][3] = {{0.7071f, 0.7071f, 0}, {0, 1, 0}, {-1, 0, 0}, {0, -1, 0}};
    const float zn = -0.875f * u, zp = 0.875f * u;
    glBegin(GL_QUADS);
    glNormal3f(0, 0, 1);
    for (int i = 0; i < 4; ++i) glVertex3f(px[i], py[i], zp);
    glNormal3f(0, 0, -1);
    for (int i = 3; i >= 0; --i) glVertex3f(px[i], py[i], zn);
    for (int i = 0; i < 4; ++i) {
        const int k = (i + 1) % 4;
        glNormal3fv(normal[i]);
        glVertex3f(px[i], py[i], zn);
        glVertex3f(px[k], py[k], zn);
        glVertex3f(px[k], py[k], zp);
        glVertex3f(px[i], py[i], zp);
    }
    glEnd();
}

// Radius of the fan's duct: it fits in the workspace's YZ base plane.
int FanRadius()
{
    return std::min(g_nWorkspaceY / 2 - 1, g_nWorkspaceZ / 2 - 1);
}

// Fan along local +z: duct and back disk.
void FanHousing()
{
    const int r = FanRadius();
    if (r < 1) return;  // no room for a fan
    GLUquadric* q = SharedQuadric();
    glColor3f(1, 0, 0);
    gluCylinder(q, r, r, 1.5, 24, 6);
    gluQuadricOrientation(q, GLU_INSIDE);
    gluCylinder(q, r - 0.1, r - 0.1, 1.5, 24, 6);
    gluQuadricOrientation(q, GLU_OUTSIDE);

    glColor3f(0, 0, 0);
    glPushMatrix();
    glTranslatef(0, 0, 0.1f);
    gluDisk(q, 0, r, 12, 12);
    glPopMatrix();
}

// The fan's hub and four blades at rotor angle 0.
void FanRotor()
{
    const int r = FanRadius();
    if (r < 1) return;
    glColor3f(1, 0, 0);
    gluCylinder(SharedQuadric(), r / 7.0, 0, 2.5, 24, 6);
    glPushMatrix();
    glRotatef(-90, 0, 1, 0);  // blade frame: x along the axis
    glColor3f(1, 1, 0);
    for (int k = 0; k < 4; ++k) {
        glBegin(GL_TRIANGLES);
        glNormal3f(1, 0, 0);
        glVertex3f(0.75f, 0, 0);
        glVertex3f(0.375f, 0.306f * r, 0.846f * r);
        glVertex3f(1.125f, -0.306f * r, 0.846f * r);
        glEnd();
        glRotatef(90, 1, 0, 0);
    }
    glPopMatrix();
}

void TankModel()
{
    glColor3f(1, 0, 0);
    glPushMatrix();
    glRotatef(-90, 1, 0, 0);  // upright
    gluCylinder(SharedQuadric(), 2, 2, 5.5, 12, 12);
    glTranslatef(0, 0, 5.5f);
    gluDisk(SharedQuadric(), 0, 2, 12, 2);
    glPopMatrix();
    DrawRectMember(-2.75f, -0.375f, 0, 2.75f, -0.375f, 0, 0, 0.75f, 5.5f, 0.6f, 0.6f, 0.6f, 0, 0);
}

}  // namespace

void DrawSupportGlyph(int joint)
{
    if (joint < 1 || joint > JointCount()) return;
    const JointRec& j = g_Joints[joint];
    const float g = g_fJointSize + 0.04f;
    float p[3] = {j.x, j.y, j.z};
    if (g_bShowDisplacedShape) p[0] = j.displacedX, p[1] = j.displacedY, p[2] = j.displacedZ;
    const float y0 = j.y;
    const bool markers = !g_bShowCollapse;

    switch (RestraintCode(j)) {
    case 0:
        break;
    case 8:
        if (markers) Ball(p, g);
        Column(p[0], p[1] - y0, p[2] - 3 * g, p[0], p[1] + 2 * g, p[2] - 3 * g, g, 0.4f);
        break;
    case 16:
        if (markers) Ball(p, g);
        ColumnBelow(j, g, g);
        break;
    case 32:
        if (markers) Ball(p, g);
        Column(p[0] - 3 * g, p[1] - y0, p[2], p[0] - 3 * g, p[1] + 2 * g, p[2], g, 0.4f);
        break;
    case 28:
        if (markers) Roller(p, g, false);
        ColumnBelow(j, g, g);
        break;
    case 42:
        if (markers) Roller(p, g, false);
        Column(j.x - 3 * g, 0, j.z, j.x - 3 * g, j.y + 3 * g, j.z, g, 0.4f);
        break;
    case 49:
        if (markers) Roller(p, g, true);
        ColumnBelow(j, g, g);
        break;
    case 56:
        Pyramid(j, g);
        ColumnBelow(j, g, 3 * g);
        break;
    case 63:
        Column(j.x, 0, j.z, j.x, j.y + 2 * g, j.z, g, 0.3f);
        break;
    default:
        if (markers)
            DrawMemberBox(j.x - 1.5f * g, j.y, j.z, j.x + 1.5f * g, j.y, j.z, 0, 3 * g, 3 * g, 0.3f, 0.3f, 0.3f);
        ColumnBelow(j, g, 1.5f * g);
        break;
    }
}

void DrawSupports()
{
    const int n = JointCount();
    if (n == 0) return;
    CallDisplayList(LIST_SUPPORTS, g_bListSupportsBuilt, [n] {
        for (int j = 1; j <= n; ++j)
            if (RestraintCode(g_Joints[j]) != 0) DrawSupportGlyph(j);
    });
}

void DrawArrow(float length)
{
    ArrowPyramid(0.0369f * length, length);
    ArrowPyramid(0.0615f * length, length / 2);
    glColor3f(0, 0, 0);
}

void DrawLoads()
{
    const int n = JointCount();
    if (n == 0) return;
    g_fArrowMaxLength = 12.5f * g_fJointSize;
    g_fArrowMinLength = 4 * g_fJointSize;
    CallDisplayList(LIST_LOADS, g_bListLoadsBuilt, [n] {
        const float k = LoadArrowScale() * g_fArrowMaxLength;
        auto length = [k](float f) {
            const float len = k * std::fabs(f);
            return std::isfinite(len) && len > g_fArrowMinLength ? len : g_fArrowMinLength;
        };
        for (int i = 1; i <= n; ++i) {
            const JointRec& j = g_Joints[i];
            float anchor[3] = {j.x, j.y, j.z};
            if (g_bShowDisplacedShape) anchor[0] = j.displacedX, anchor[1] = j.displacedY, anchor[2] = j.displacedZ;
            if (j.forceX != 0) ForceArrow(anchor, AXIS_X, j.forceX, j.translatedX, length(j.forceX));
            if (j.forceY != 0 && !g_bTruckActive) ForceArrow(anchor, AXIS_Y, j.forceY, j.translatedY, length(j.forceY));
            if (j.forceZ != 0) ForceArrow(anchor, AXIS_Z, j.forceZ, j.translatedZ, length(j.forceZ));
        }
    });
}

void DrawTruck(float x, float y, float z, float tilt)
{
    const float raise = 5.3125f * std::tan(tilt / kTruckDegreesPerRadianF);
    if (!Finite(x, y, z, raise)) return;
    glPushMatrix();
    glTranslatef(x, y + raise, z);
    glRotatef(tilt, 0, 0, 1);
    CallDisplayList(LIST_TRUCK, g_bListTruckBuilt, [] { TruckModel(g_bMetricUnits ? kCentimetresPerInch : 1.0f); });
    glPopMatrix();
}

void DrawFan(float angle)
{
    if (!std::isfinite(angle)) angle = 0;
    glPushMatrix();
    glTranslatef(0, g_nWorkspaceY / 2, g_nWorkspaceZ / 2);
    glRotatef(90, 0, 1, 0);
    // The rotor turns outside its list, so a turning fan compiles nothing:
    // the GL driver keeps some memory of every list compiled again.
    int rotorBuilt = g_bListFanBuilt;
    CallDisplayList(LIST_FAN, g_bListFanBuilt, FanHousing);
    glRotatef(angle, 0, 0, 1);
    CallDisplayList(LIST_FAN_ROTOR, rotorBuilt, FanRotor);
    glPopMatrix();
}

void DrawBridgeApproaches()
{
    CallDisplayList(LIST_BRIDGE_APPROACH, g_bListBridgeApproachBuilt, [] {
        const float road = g_fTruckY, seat = road - 0.375f;
        const float z0 = g_fTruckZ - 2.75f, z1 = g_fTruckZ + 2.75f;
        const float lo = g_fDeckMinX, hi = g_fDeckMaxX;
        glColor3f(0.4f, 0.4f, 0.4f);
        DrawAxisBox(2, lo, 0, road, z0, z1);
        DrawAxisBox(lo, lo + 0.25f, 0, seat, z0, z1);
        DrawAxisBox(hi - 0.25f, hi, 0, seat, z0, z1);
        DrawAxisBox(hi, hi + 12, 0, road, z0, z1);
        glColor3f(0.6196f, 0.402f, 0.1314f);
        DrawAxisBox(lo, lo + 0.25f, road - 0.357f, road - 0.25f, 10, 14);
        DrawAxisBox(hi - 0.25f, hi, road - 0.357f, road - 0.25f, 10, 14);
    });
}

void DrawTank(float x, float y, float z, float tilt)
{
    if (!Finite(x, y, z, tilt)) return;
    glPushMatrix();
    glTranslatef(x, y, z);
    glRotatef(tilt, 0, 0, 1);
    CallDisplayList(LIST_TANK, g_bListTankBuilt, TankModel);
    glPopMatrix();
}

void DrawTankOnDisplacedTower(int collapse)
{
    if (JointCount() < 7) {
        DrawTank(20, 14, 10, 0);
        return;
    }
    const JointRec& j5 = g_Joints[5];
    const JointRec& j6 = g_Joints[6];
    const JointRec& j7 = g_Joints[7];
    const float lower = collapse ? std::fabs(j7.displacedX - j7.x) / 2 : 0.0f;
    const float x = (j5.displacedX + j7.displacedX) / 2;
    const float y = (j5.displacedY + j7.displacedY) / 2 + 0.75f - lower;
    const float z = (j5.displacedZ + j6.displacedZ) / 2;
    const float dy = j7.displacedY - j5.displacedY, dx = j7.displacedX - j5.displacedX;
    const float tilt = dy == 0 ? 0.0f : std::atan2(dy, dx) * kDegreesPerRadian;
    DrawTank(x, y, z, tilt);
}

void DrawTowerBase()
{
    glPushMatrix();
    glTranslatef(20, 0.375f, 10);
    CallDisplayList(LIST_TOWER_BASE, g_bListTowerBaseBuilt, [] {
        DrawRectMember(-12, 0.375f, 0, 12, 0.375f, 0, 0, 0.75f, 9.25f, 0.6f, 0.6f, 0.6f, 0, 0);
    });
    glPopMatrix();
}
