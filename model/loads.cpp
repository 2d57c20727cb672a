#include "model/loads.h"

#include <cmath>

#include "model/model_ops.h"
#include "model/tables.h"
#include "model/units.h"

namespace {

bool JointInTable(int j) { return j >= 0 && j < JOINT_ROWS; }

const ShapeRec* ShapeOf(const MemberRec& m)
{
    return (m.shape >= 0 && m.shape < TABLE_ROWS) ? &g_Shapes[m.shape] : nullptr;
}

const MaterialRec* MaterialOf(const MemberRec& m)
{
    return (m.material >= 0 && m.material < TABLE_ROWS) ? &g_Materials[m.material] : nullptr;
}

}  // namespace

int ApplyTruckLoads()
{
    if (!(g_fTruckX > g_fTruckMinX)) return 0;

    const float frontX = g_fTruckX - 1.0625f;
    const float rearX = g_fTruckX - 5.3125f;
    const float leftZ = g_fTruckZ + 1.03125f;
    const float rightZ = g_fTruckZ - 1.03125f;
    const float frontP = static_cast<float>(-0.5 * g_fFrontAxleLoad);
    const float rearP = static_cast<float>(-0.5 * g_fRearAxleLoad);

    struct Wheel { float x, z, p; };
    const Wheel wheels[4] = {
        {frontX, leftZ, frontP}, {frontX, rightZ, frontP}, {rearX, leftZ, rearP}, {rearX, rightZ, rearP}};

    // Joints of an earlier position must not place the truck.
    g_nTruckJoint1 = g_nTruckJoint2 = 0;
    int m = MemberCount();
    for (int i = 1; i <= m; ++i) {
        const MemberRec& mem = g_Members[i];
        if (mem.runner != 1) continue;
        if (!JointInTable(mem.jointA) || !JointInTable(mem.jointB)) continue;
        JointRec& a = g_Joints[mem.jointA];
        JointRec& b = g_Joints[mem.jointB];
        const float xA = a.x, xB = b.x, zA = a.z;
        const float span = xB - xA;
        if (span == 0.0f) continue;

        for (int w = 0; w < 4; ++w) {
            const Wheel& wh = wheels[w];
            if (!(xA <= wh.x && wh.x < xB)) continue;
            if (!(zA - 0.5f < wh.z && wh.z < zA + 0.5f)) continue;
            float t = (wh.x - xA) / span;
            a.truckLoad += (1.0f - t) * wh.p;
            b.truckLoad += t * wh.p;
            if (w == 0) g_nTruckJoint1 = mem.jointB;
            if (w == 2) g_nTruckJoint2 = mem.jointA;
        }
    }
    return 1;
}

int ApplyWindLoads(float windSpeed)
{
    if (windSpeed == 0.0f) return 0;

    const double q = static_cast<float>(g_fWindSpeed * (g_fWindSpeed * 0.00256)) * 2.03;
    int m = MemberCount();
    for (int i = 1; i <= m; ++i) {
        const MemberRec& mem = g_Members[i];
        const ShapeRec* shape = ShapeOf(mem);
        if (!shape || !JointInTable(mem.jointA) || !JointInTable(mem.jointB)) continue;
        const float lyz = MemberLengthYZ(i);
        const float s = (mem.rollAngle == 0.0f) ? shape->height : shape->width;
        const float f = static_cast<float>(s * (q * lyz) / 144) * 0.5f;
        if (g_bReverseWind) {
            g_Joints[mem.jointA].windLoad -= f;
            g_Joints[mem.jointB].windLoad -= f;
        } else {
            g_Joints[mem.jointA].windLoad += f;
            g_Joints[mem.jointB].windLoad += f;
        }
    }
    return 1;
}

void ApplyFanJointLoads(float windSpeed)
{
    const double v2 = static_cast<double>(windSpeed) * windSpeed;
    const float f1 = static_cast<float>(0.001152 * v2 * 5.5 * 4 / 144);
    const float f2 = static_cast<float>(0.002304 * v2 * 5 * 0.75 / 144);
    const float d = static_cast<float>(-(f1 * 3.5 * 0.25 * 0.5) - (f2 * 0.375 * 0.25 * 0.5));
    const float e = static_cast<float>((f1 + f2) * 0.25);

    const float sign = g_bReverseWind ? -1.0f : 1.0f;
    g_Joints[5].truckLoad += sign * d;
    g_Joints[6].truckLoad += sign * d;
    g_Joints[7].truckLoad -= sign * d;
    g_Joints[8].truckLoad -= sign * d;
    for (int j = 5; j <= 8; ++j) g_Joints[j].windLoad += sign * e;

    const double tank = (g_bEmptyTank ? 0.0 : 2.25) + 0.47;
    for (int j = 5; j <= 8; ++j) g_Joints[j].truckLoad = static_cast<float>(g_Joints[j].truckLoad - tank * 0.25);
}

void UpdateMemberWeights()
{
    int m = MemberCount();
    for (int i = 1; i <= m; ++i) {
        MemberRec& mem = g_Members[i];
        mem.actualLength = MemberLength(i);
        if (!mem.userEffYY) mem.effLengthYY = mem.actualLength;
        if (!mem.userEffZZ) mem.effLengthZZ = mem.actualLength;
    }

    for (int i = 1; i <= m; ++i) {
        MemberRec& mem = g_Members[i];
        const ShapeRec* shape = ShapeOf(mem);
        const MaterialRec* mat = MaterialOf(mem);
        if (!shape || !mat) {
            mem.weight = 0;
            continue;
        }
        const float area = g_bUnitsUS ? shape->area / kCubicInchesPerCubicFoot : shape->area;
        mem.weight = mat->density * (mem.actualLength * area);
    }

    int n = JointCount();
    for (int j = 1; j <= n; ++j) {
        JointRec& jt = g_Joints[j];
        jt.selfWeightLoad = 0;
        if (!g_bIncludeSelfWeight) continue;
        for (int i = 1; i <= m; ++i) {
            const MemberRec& mem = g_Members[i];
            if (mem.jointA == j || mem.jointB == j) jt.selfWeightLoad -= 0.5f * mem.weight;
        }
    }
}
