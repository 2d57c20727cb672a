#include "view/member_solids.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "model/tables.h"
#include "model/units.h"
#include "state/view_globals.h"
#include "view/gl_shapes.h"
#include "view/renderer.h"

namespace {

float ClampedAcos(float c)
{
    return std::acos(std::min(1.0f, std::max(-1.0f, c))) * kDegreesPerRadian;
}


// Member frame of the four member solids: local x along the member from 0
// to L, y across the height, z across the width. False (nothing pushed)
// for a zero length.
bool PushMemberFrame(float x1, float y1, float z1, float x2, float y2, float z2, float roll, float offsetY,
                     float offsetZ, float& length)
{
    const float dx = x2 - x1, dy = y2 - y1, dz = z2 - z1;
    length = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (length == 0) return false;
    const float h = std::sqrt(dx * dx + dz * dz);
    float yaw = 0;
    if (h != 0) {
        yaw = -ClampedAcos(dx / h);
        if (dz < 0) yaw = -yaw;
    }
    float pitch = ClampedAcos(h / length);
    if (dy < 0) pitch = -pitch;
    glPushMatrix();
    glTranslatef(x1, y1, z1);
    glRotatef(yaw, 0, 1, 0);
    glRotatef(pitch, 0, 0, 1);
    glRotatef(roll, 1, 0, 0);
    glTranslatef(0, offsetY, offsetZ);
    return true;
}

// Open rod of the given radius along local x from 0 to length, its axis at
// z = axisZ; with caps a disk closes each end.
void Rod(float radius, float length, float axisZ, bool caps)
{
    glPushMatrix();
    glTranslatef(0, 0, axisZ);
    glRotatef(90, 0, 1, 0);
    gluCylinder(SharedQuadric(), radius, radius, length, 18, 4);
    if (caps) {
        glPushMatrix();
        glTranslatef(0, 0, length);
        gluDisk(SharedQuadric(), 0, radius, 12, 2);
        glPopMatrix();
        glPushMatrix();
        glRotatef(180, 0, 1, 0);
        gluDisk(SharedQuadric(), 0, radius, 12, 2);
        glPopMatrix();
    }
    glPopMatrix();
}

void Sphere(const float c[3], float radius)
{
    glPointSize(1);
    glPushMatrix();
    glTranslatef(c[0], c[1], c[2]);
    gluSphere(SharedQuadric(), radius, 12, 12);
    glPopMatrix();
}

void JointPoint(const JointRec& j, float p[3])
{
    p[0] = j.x;
    p[1] = j.y;
    p[2] = j.z;
}

void DisplacedPoint(const JointRec& j, float p[3])
{
    p[0] = j.displacedX;
    p[1] = j.displacedY;
    p[2] = j.displacedZ;
}

void Highlight(int m, bool displaced)
{
    int a, b;
    if (!MemberJoints(m, a, b)) return;
    float pa[3], pb[3];
    if (displaced) {
        DisplacedPoint(g_Joints[a], pa);
        DisplacedPoint(g_Joints[b], pb);
    } else {
        JointPoint(g_Joints[a], pa);
        JointPoint(g_Joints[b], pb);
    }
    DrawMemberSolid(g_Members[m], pa, pb, 1, 1, 0, 0.02f, false);
    if (g_bMemberResultsDlgShown) {
        glColor3f(0, 1, 0);
        Sphere(pa, g_fJointSize + (displaced ? 0.06f : 0.05f));
    }
}

}  // namespace

void DrawShadedTriangle(const float p[3], const float q[3], const float r[3], float red, float green, float blue)
{
    const float u[3] = {r[0] - q[0], r[1] - q[1], r[2] - q[2]};
    const float v[3] = {p[0] - q[0], p[1] - q[1], p[2] - q[2]};
    float n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
    const float len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
    if (len != 0) {
        n[0] /= len;
        n[1] /= len;
        n[2] /= len;
    }
    glColor3f(red, green, blue);
    glBegin(GL_TRIANGLES);
    glNormal3fv(n);
    glVertex3fv(p);
    glVertex3fv(q);
    glVertex3fv(r);
    glEnd();
}

void DrawMemberBox(float x1, float y1, float z1, float x2, float y2, float z2, float roll, float height,
                   float width, float red, float green, float blue)
{
    const float dx = x2 - x1, dy = y2 - y1, dz = z2 - z1;
    const float length = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (length == 0) return;
    const float h = std::sqrt(dx * dx + dy * dy);
    float azimuth = 0;
    if (h != 0) {
        azimuth = ClampedAcos(dx / h);
        if (dy < 0) azimuth = -azimuth;
    }
    float elevation = -ClampedAcos(h / length);
    if (dz < 0) elevation = -elevation;
    glColor3f(red, green, blue);
    glPushMatrix();
    glTranslatef(x1, y1, z1);
    glRotatef(azimuth, 0, 0, 1);
    glRotatef(elevation, 0, 1, 0);
    glRotatef(roll, 1, 0, 0);
    // The unit box scaled by (length, height, width), with unscaled normals.
    DrawAxisBox(0, length, -height / 2, height / 2, -width / 2, width / 2);
    glPopMatrix();
}

void DrawRectMember(float x1, float y1, float z1, float x2, float y2, float z2, float roll, float height,
                    float width, float red, float green, float blue, float offsetY, float offsetZ)
{
    float length;
    glColor3f(red, green, blue);
    if (!PushMemberFrame(x1, y1, z1, x2, y2, z2, roll, offsetY, offsetZ, length)) return;
    DrawAxisBox(0, length, -height / 2, height / 2, -width / 2, width / 2);
    glPopMatrix();
}

void DrawRoundMember(float x1, float y1, float z1, float x2, float y2, float z2, float roll, float height,
                     float /*width*/, float red, float green, float blue, float offsetY, float offsetZ)
{
    float length;
    glColor3f(red, green, blue);
    glPointSize(1);
    glLineWidth(1);
    if (!PushMemberFrame(x1, y1, z1, x2, y2, z2, roll, offsetY, offsetZ, length)) return;
    Rod(height / 2, length, 0, false);
    glPopMatrix();
}

void DrawDoubleRectMember(float x1, float y1, float z1, float x2, float y2, float z2, float roll, float height,
                          float width, float red, float green, float blue, float spacing, float offsetY,
                          float offsetZ)
{
    float length;
    glColor3f(red, green, blue);
    if (!PushMemberFrame(x1, y1, z1, x2, y2, z2, roll, offsetY, offsetZ, length)) return;
    const float inner = spacing / 2, outer = spacing / 2 + width;
    DrawAxisBox(0, length, -height / 2, height / 2, inner, outer);
    DrawAxisBox(0, length, -height / 2, height / 2, -outer, -inner);
    glPopMatrix();
}

void DrawDoubleRoundMember(float x1, float y1, float z1, float x2, float y2, float z2, float roll, float height,
                           float /*width*/, float red, float green, float blue, float spacing, float offsetY,
                           float offsetZ)
{
    float length;
    glColor3f(red, green, blue);
    if (!PushMemberFrame(x1, y1, z1, x2, y2, z2, roll, offsetY, offsetZ, length)) return;
    const float axis = height / 2 + spacing / 2;
    Rod(height / 2, length, axis, true);
    Rod(height / 2, length, -axis, true);
    glPopMatrix();
}

void DrawMemberSolid(const MemberRec& m, const float a[3], const float b[3], float red, float green, float blue,
                     float grow, bool thinAsLine)
{
    if (m.shape < 0 || m.shape >= TABLE_ROWS) return;
    const ShapeRec& s = g_Shapes[m.shape];
    const float h = s.height + grow, w = s.width + grow;
    if (s.spacing != 0) {
        if (s.sectionKind != 0)
            DrawDoubleRoundMember(a[0], a[1], a[2], b[0], b[1], b[2], m.rollAngle, h, w, red, green, blue, s.spacing,
                                  m.offsetY, m.offsetZ);
        else
            DrawDoubleRectMember(a[0], a[1], a[2], b[0], b[1], b[2], m.rollAngle, h, w, red, green, blue, s.spacing,
                                 m.offsetY, m.offsetZ);
    } else if (thinAsLine && s.height <= 0.03f) {
        DrawColouredLine(a, b, red, green, blue);
    } else if (s.sectionKind != 0) {
        DrawRoundMember(a[0], a[1], a[2], b[0], b[1], b[2], m.rollAngle, h, w, red, green, blue, m.offsetY,
                        m.offsetZ);
    } else {
        DrawRectMember(a[0], a[1], a[2], b[0], b[1], b[2], m.rollAngle, h, w, red, green, blue, m.offsetY,
                       m.offsetZ);
    }
}

bool MemberJoints(int i, int& jointA, int& jointB)
{
    if (i < 1 || i > g_nMembers || i > MAX_MEMBERS) return false;
    const int limit = std::min<int>(g_nJoints, MAX_JOINTS);
    jointA = g_Members[i].jointA;
    jointB = g_Members[i].jointB;
    return jointA >= 1 && jointA <= limit && jointB >= 1 && jointB <= limit;
}

void DrawMembers()
{
    if (g_nJoints <= 0 || g_nMembers <= 0) return;
    CallDisplayList(LIST_MEMBERS, g_bListMembersBuilt, [] {
        for (int i = 1; i <= g_nMembers && i <= MAX_MEMBERS; ++i) {
            int ja, jb;
            if (!MemberJoints(i, ja, jb)) continue;
            const MemberRec& m = g_Members[i];
            float a[3], b[3];
            JointPoint(g_Joints[ja], a);
            JointPoint(g_Joints[jb], b);
            float red = m.colorR, green = m.colorG, blue = m.colorB;
            if (m.intact != 1) red = 1, green = 0, blue = 0;
            if (g_bHighlightDeck && m.runner == 1) red = 1, green = 0.25f, blue = 1;
            if (m.negated)
                DrawColouredLine(a, b, 1, 0, 0);
            else if (m.hidden)
                DrawColouredLine(a, b, 0, 0, 0);
            else
                DrawMemberSolid(m, a, b, red, green, blue, 0, true);
        }
    });
}

void HighlightMember(int m)
{
    Highlight(m, false);
}

void HighlightDisplacedMember(int m)
{
    Highlight(m, true);
}
