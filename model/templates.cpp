#include "model/templates.h"

#include "model/model_ops.h"
#include "model/tables.h"
#include "state/view_globals.h"

namespace {

bool JointInTable(int j) { return j >= 0 && j < JOINT_ROWS; }

void SetBackground(float r, float g, float b)
{
    g_fBackgroundR = r;
    g_fBackgroundG = g;
    g_fBackgroundB = b;
    if (g_pfnSetClearColor) g_pfnSetClearColor(r, g, b, 1.0f);
}

void SetJoint(int j, float x, float y, float z, short tx, short ty, short tz, short rx, short ry, short rz)
{
    JointRec& jt = g_Joints[j];
    jt.x = x;
    jt.y = y;
    jt.z = z;
    jt.restraintTX = tx;
    jt.restraintTY = ty;
    jt.restraintTZ = tz;
    jt.restraintRX = rx;
    jt.restraintRY = ry;
    jt.restraintRZ = rz;
}

// Joints must already be in place: the lengths are taken from them.
void SetMember(int i, int a, int b, short shape, short runner, float roll, float offsetZ)
{
    const short material = 7;
    MemberRec& m = g_Members[i];
    m.jointA = static_cast<short>(a);
    m.jointB = static_cast<short>(b);
    m.shape = shape;
    m.material = material;
    m.runner = runner;
    m.rollAngle = roll;
    m.offsetY = 0;
    m.offsetZ = offsetZ;
    m.colorR = g_Materials[material].colorR;
    m.colorG = g_Materials[material].colorG;
    m.colorB = g_Materials[material].colorB;
    m.negated = 0;
    m.hidden = 0;
    m.useTorsion = m.momentYY1 = m.momentZZ1 = m.momentYY2 = m.momentZZ2 = 1;
    m.userEffYY = 0;
    m.userEffZZ = 0;
    m.actualLength = MemberLength(i);
    m.effLengthYY = m.actualLength;
    m.effLengthZZ = m.actualLength;
}

void BuildBridge()
{
    const float y = 6;
    for (int side = 0; side < 2; ++side) {
        const int first = side * 15 + 1;  // 1 or 16
        const float z = side == 0 ? 13.0f : 11.0f;
        SetJoint(first, 11.75f, y, z, 1, 1, 1, 0, 0, 0);
        for (int k = 1; k <= 13; ++k)
            SetJoint(first + k, static_cast<float>(11 + k), y, z, 0, 0, 0, 0, 0, 0);
        SetJoint(first + 14, 24.25f, y, z, 0, 1, 1, 1, 0, 0);
    }
    g_nJoints = 30;

    for (int k = 1; k <= 14; ++k) SetMember(k, k, k + 1, 9, 1, 90, -0.125f);
    for (int k = 15; k <= 28; ++k) SetMember(k, k + 1, k + 2, 9, 1, 90, -0.125f);
    for (int k = 2; k <= 14; ++k) SetMember(27 + k, k, k + 15, 2, 0, 0, 0);
    g_nMembers = 41;
}

}  // namespace

void SetDefaultViewSettings()
{
    g_fDirectLightR = g_fDirectLightG = g_fDirectLightB = 0.5f;
    g_fAmbientLightR = g_fAmbientLightG = g_fAmbientLightB = 0.4f;
    SetBackground(0.0f, 0.7f, 0.35f);
    g_bShowXYBasePlane = 0;
    g_bShowYZBasePlane = 0;
    g_bShowRulers = 0;
    g_bShowGuideXY = g_bShowGuideXZ = g_bShowGuideYZ = 0;
    InvalidateGuideLists();
    SetMagnificationRadio(2);
    g_fOrbitAngle = g_fOrbitAngleB = 0.697f;
    g_dEyeX = -3.25; g_dEyeY = 12; g_dEyeZ = 30;
    g_dCenterX = 17; g_dCenterY = 6; g_dCenterZ = 13;
    g_fGuidePlaneZ = 13;
}

void BuildBridgeTemplate()
{
    g_fTruckMinX = 12;
    if (g_nJoints != 0 || g_nMembers != 0) return;
    BuildBridge();
    g_fJointSize = 0.1f;
    InvalidateModelAndGuideLists();
    SetWorkspaceSize(36, 12, 24);
}

void OrientDeckMembers()
{
    int m = MemberCount();
    for (int i = 1; i <= m; ++i) {
        MemberRec& mem = g_Members[i];
        if (mem.runner != 1) continue;
        if (!JointInTable(mem.jointA) || !JointInTable(mem.jointB)) continue;
        if (g_Joints[mem.jointB].x < g_Joints[mem.jointA].x) {
            short t = mem.jointA;
            mem.jointA = mem.jointB;
            mem.jointB = t;
        }
    }
}

void FindDeckExtent()
{
    int m = MemberCount();
    bool started = false;
    for (int i = 1; i <= m; ++i) {
        const MemberRec& mem = g_Members[i];
        if (mem.runner != 1) continue;
        if (!JointInTable(mem.jointA) || !JointInTable(mem.jointB)) continue;
        const float xA = g_Joints[mem.jointA].x;
        const float xB = g_Joints[mem.jointB].x;
        if (!started) {
            started = true;
            g_nDeckFirstMember = static_cast<short>(i);
            g_nDeckFirstJoint = mem.jointA;
            g_fDeckMinX = g_fDeckMaxX = xA;
        }
        if (xA < g_fDeckMinX) {
            g_fDeckMinX = xA;
            g_nDeckFirstMember = static_cast<short>(i);
            g_nDeckFirstJoint = mem.jointA;
        }
        if (xB > g_fDeckMaxX) g_fDeckMaxX = xB;
    }
}

void PlaceTruckAtStart()
{
    const int j = JointInTable(g_nDeckFirstJoint) ? g_nDeckFirstJoint : 0;
    const int m = (g_nDeckFirstMember >= 0 && g_nDeckFirstMember < MEMBER_ROWS) ? g_nDeckFirstMember : 0;
    const JointRec& jt = g_Joints[j];
    const MemberRec& mem = g_Members[m];

    if (g_bMetricUnits) {
        g_fTruckX = static_cast<float>(g_fDeckMinX + 13.49375);
        g_fTruckZ = static_cast<float>(jt.z - 2.61938);
    } else {
        // The rear axle (5.3125 behind the truck's x) on the deck's start, as
        // the metric rule's 13.49375 cm puts it.
        g_fTruckX = g_fDeckMinX + 5.3125f;
        g_fTruckZ = jt.z - 1.03125f;
    }

    const int s = (mem.shape >= 0 && mem.shape < TABLE_ROWS) ? mem.shape : 0;
    const ShapeRec& shape = g_Shapes[s];
    if (mem.rollAngle == 90.0f)
        g_fTruckY = shape.width * 0.5f + jt.y - mem.offsetZ;
    else
        g_fTruckY = shape.height * 0.5f + jt.y + mem.offsetY;
}

void SetupTowerProject()
{
    g_fDirectLightR = g_fDirectLightG = g_fDirectLightB = 0.5f;
    SetBackground(0.0f, 0.7f, 0.35f);
    g_bShowXYBasePlane = 0;
    g_bShowXZBasePlane = 1;
    g_bShowYZBasePlane = 1;
    g_bShowRulers = 0;
    g_bShowGuideXY = g_bShowGuideXZ = g_bShowGuideYZ = 0;
    InvalidateGuideLists();
    g_fAmbientLightR = g_fAmbientLightG = g_fAmbientLightB = 0.4f;
    g_fOrbitAngle = g_fOrbitAngleB = 1.57f;
    g_dEyeX = 24; g_dEyeY = 12; g_dEyeZ = 64;
    g_dCenterX = 24; g_dCenterY = 12; g_dCenterZ = 9;
    // Keep the radio group in step with the value (the model file stores the group).
    SetMagnificationRadio(20);

    SetJoint(1, 18, 1.25f, 12, 1, 1, 1, 0, 0, 0);
    SetJoint(2, 18, 1.25f, 8, 1, 1, 1, 0, 0, 0);
    SetJoint(3, 22, 1.25f, 12, 1, 1, 1, 0, 0, 0);
    SetJoint(4, 22, 1.25f, 8, 1, 1, 1, 0, 0, 0);
    SetJoint(5, 18, 13.25f, 12, 0, 0, 0, 0, 0, 0);
    SetJoint(6, 18, 13.25f, 8, 0, 0, 0, 0, 0, 0);
    SetJoint(7, 22, 13.25f, 12, 0, 0, 0, 0, 0, 0);
    SetJoint(8, 22, 13.25f, 8, 0, 0, 0, 0, 0, 0);

    SetMember(1, 5, 6, 9, 0, 0, 0);
    SetMember(2, 7, 8, 9, 0, 0, 0);
    SetMember(3, 5, 7, 9, 0, 0, 0);
    SetMember(4, 6, 8, 9, 0, 0, 0);
    SetMember(5, 5, 8, 9, 0, 0, 0);
    g_nMembers = 5;
    g_nJoints = 8;
}
