// Displaced shape in result colours, collapse picture, joints and markers.
#include "view/scene_layers.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

#include "model/tables.h"
#include "state/view_globals.h"
#include "view/gl_shapes.h"
#include "view/member_solids.h"
#include "view/renderer.h"

namespace {

void Sphere(float x, float y, float z, float radius, int slices, float red, float green, float blue)
{
    glColor3f(red, green, blue);
    glPointSize(1);
    glPushMatrix();
    glTranslatef(x, y, z);
    gluSphere(SharedQuadric(), radius, slices, slices);
    glPopMatrix();
}

bool JointInModel(int j)
{
    return j >= 1 && j <= JointCount() && j <= MAX_JOINTS;
}

float ClampedAcos(float c)
{
    return std::acos(std::min(1.0f, std::max(-1.0f, c)));
}

// Colour of member m on the displaced shape, first rule that applies.
void ResultColour(const MemberRec& m, float& red, float& green, float& blue)
{
    if (g_bAnimationRunning) {
        red = m.colorR, green = m.colorG, blue = m.colorB;
    } else if (g_bColorAxialStresses) {
        red = m.axialColorR, green = m.axialColorG, blue = m.axialColorB;
    } else if (g_bColorBendingStresses) {
        red = m.bendingColorR, green = m.bendingColorG, blue = m.bendingColorB;
    } else if (!g_bColorFailedMembers || m.intact == 1) {
        red = m.colorR, green = m.colorG, blue = m.colorB;
    } else {
        red = 1, green = 0, blue = 0;
    }
}

}  // namespace

void DrawResultMembers()
{
    if (JointCount() <= 0 || MemberCount() <= 0) return;
    CallDisplayList(LIST_RESULT_MEMBERS, g_bListResultMembersBuilt, [] {
        for (int i = 1; i <= MemberCount(); ++i) {
            int ja, jb;
            if (!MemberJoints(i, ja, jb)) continue;
            const MemberRec& m = g_Members[i];
            const JointRec& a = g_Joints[ja];
            const JointRec& b = g_Joints[jb];
            const float pa[3] = {a.displacedX, a.displacedY, a.displacedZ};
            const float pb[3] = {b.displacedX, b.displacedY, b.displacedZ};
            if (m.negated) {
                DrawColouredLine(pa, pb, 1, 0, 0);
                continue;
            }
            float red, green, blue;
            ResultColour(m, red, green, blue);
            DrawMemberSolid(m, pa, pb, red, green, blue, 0, true);
        }
    });
}

void DrawMembersAnimated(float magnification)
{
    const int members = MemberCount();
    const bool posesJoints = g_bTruckActive || g_bTowerProject;
    for (int i = 1; i <= members; ++i) {
        int ja, jb;
        if (!MemberJoints(i, ja, jb)) continue;
        MemberRec& m = g_Members[i];
        JointRec& a = g_Joints[ja];
        JointRec& b = g_Joints[jb];

        const float dx = b.x - a.x, dy = b.y - a.y, dz = b.z - a.z;
        const float length = std::sqrt(dx * dx + dy * dy + dz * dz);
        m.actualLength = length;
        m.length = length;
        if (length == 0) {
            // Coincident joints (only a file can hold such a member): no
            // direction, nothing to draw.
            m.cosX = m.cosY = m.cosZ = 0;
            continue;
        }
        m.cosX = dx / length;
        m.cosY = dy / length;
        m.cosZ = dz / length;

        // Rotations and displacements of the start joint, the turned
        // direction and the magnified start translation.
        float* s = m.displacedScratch;
        s[0] = a.rotX, s[1] = a.rotY, s[2] = a.rotZ;
        s[3] = a.dispX, s[4] = a.dispY, s[5] = a.dispZ;
        s[6] = std::cos(ClampedAcos(m.cosX) + magnification * s[0]);
        s[7] = std::cos(ClampedAcos(m.cosY) + magnification * s[1]);
        s[8] = std::cos(ClampedAcos(m.cosZ) + magnification * s[2]);
        s[9] = magnification * s[3];
        s[10] = magnification * s[4];
        s[11] = magnification * s[5];

        const float start[3] = {a.x + s[9], a.y + s[10], a.z + s[11]};
        const float end[3] = {start[0] + length * s[6], start[1] + length * s[7], start[2] + length * s[8]};
        if (posesJoints) {
            a.displacedX = start[0], a.displacedY = start[1], a.displacedZ = start[2];
            b.displacedX = end[0], b.displacedY = end[1], b.displacedZ = end[2];
        }

        float red = 1, green = 0, blue = 0;
        if (m.intact == 1 || g_bAnimationRunning) {
            red = m.colorR, green = m.colorG, blue = m.colorB;
            if (red == 0 && green == 0 && blue == 0) red = 0.35f, green = 0.35f, blue = 0.17f;
        }
        glPushMatrix();
        DrawMemberSolid(m, start, end, red, green, blue, 0, true);
        glPopMatrix();
    }
}

void DrawJoints()
{
    const int joints = JointCount();
    if (joints <= 0) return;
    CallDisplayList(LIST_JOINTS, g_bListJointsBuilt, [joints] {
        for (int j = 1; j <= joints && j <= MAX_JOINTS; ++j)
            Sphere(g_Joints[j].x, g_Joints[j].y, g_Joints[j].z, g_fJointSize, 16, 0, 0, 1);
    });
}

void DrawMarkedJoints()
{
    for (int j = 1; j <= JointCount() && j <= MAX_JOINTS; ++j) {
        const JointRec& jt = g_Joints[j];
        if (jt.mark == 1) Sphere(jt.x, jt.y, jt.z, g_fJointSize + 0.04f, 12, 1, 0, 0);
    }
}

void HighlightJoint(int joint)
{
    if (!JointInModel(joint)) return;
    const JointRec& j = g_Joints[joint];
    Sphere(j.x, j.y, j.z, g_fJointSize + 0.05f, 12, 1, 1, 0);
}

void HighlightDisplacedJoint(int joint)
{
    if (!JointInModel(joint)) return;
    const JointRec& j = g_Joints[joint];
    Sphere(j.displacedX, j.displacedY, j.displacedZ, g_fJointSize + 0.06f, 12, 1, 1, 0);
}

void DrawPointMarker(float x, float y, float z)
{
    Sphere(x, y, z, g_fJointSize + 0.04f, 12, 0, 0, 1);
}

void DrawFocusMarker()
{
    Sphere(static_cast<float>(g_dCenterX), static_cast<float>(g_dCenterY), static_cast<float>(g_dCenterZ),
           g_fJointSize + 0.06f, 12, 0, 1, 0);
}
