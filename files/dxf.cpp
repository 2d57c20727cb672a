#include "files/dxf.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "files/report.h"
#include "model/tables.h"

namespace {

enum Orientation { KIND_VERTICAL = 9, KIND_HORIZONTAL = 0 };

struct DxfMember {
    short joint1 = 0, joint2 = 0;
    float x1 = 0, y1 = 0, z1 = 0;
    float x2 = 0, y2 = 0, z2 = 0;
    int kind = 0;
    float slope = 0;
    float halfHeight = 0;
    int inPlane = 0;
    float corners[8] = {};  // (u, v) of c1..c4
};

bool ValidJoint(int j)
{
    const int count = JointCount();
    return j >= 1 && j <= count;
}

float ShapeHeight(short shape)
{
    static const ShapeRec s_none;
    return shape >= 0 && shape < TABLE_ROWS ? g_Shapes[shape].height : s_none.height;
}

// Orders the ends (first end at the smaller x, or the smaller y for a
// vertical member) and classifies the member.
void Classify(DxfMember& d, const JointRec& a, const JointRec& b, short ja, short jb)
{
    bool aFirst;
    if (a.x == b.x) {
        d.kind = KIND_VERTICAL;
        aFirst = !(a.y > b.y);
    } else {
        aFirst = a.x < b.x;
        if (a.y == b.y) {
            d.kind = KIND_HORIZONTAL;
        } else {
            d.slope = (b.y - a.y) / (b.x - a.x);
            if (d.slope >= 1)
                d.kind = 2;
            else if (d.slope >= 0)
                d.kind = 1;
            else if (d.slope > -1)
                d.kind = -1;
            else
                d.kind = -2;
        }
    }
    const JointRec& p = aFirst ? a : b;
    const JointRec& q = aFirst ? b : a;
    d.joint1 = aFirst ? ja : jb;
    d.joint2 = aFirst ? jb : ja;
    d.x1 = p.x; d.y1 = p.y; d.z1 = p.z;
    d.x2 = q.x; d.y2 = q.y; d.z2 = q.z;
}

void ComputeCorners(DxfMember& d)
{
    const float h = d.halfHeight;
    float* c = d.corners;
    if (d.kind == KIND_VERTICAL) {
        c[0] = d.x1 - h; c[1] = d.y1;
        c[2] = d.x1 + h; c[3] = d.y1;
        c[4] = d.x2 + h; c[5] = d.y2;
        c[6] = d.x2 - h; c[7] = d.y2;
    } else if (d.kind == KIND_HORIZONTAL) {
        c[0] = d.x1; c[1] = d.y1 + h;
        c[2] = d.x1; c[3] = d.y1 - h;
        c[4] = d.x2; c[5] = d.y2 - h;
        c[6] = d.x2; c[7] = d.y2 + h;
    } else {
        const float dx = d.x2 - d.x1;
        const float dy = d.y2 - d.y1;
        const float len = std::sqrt(dx * dx + dy * dy);
        const float cs = dx / len;
        const float sn = dy / len;
        c[0] = d.x1 - h * sn; c[1] = d.y1 + h * cs;
        c[2] = d.x1 + h * sn; c[3] = d.y1 - h * cs;
        c[4] = d.x2 + h * sn; c[5] = d.y2 - h * cs;
        c[6] = d.x2 - h * sn; c[7] = d.y2 + h * cs;
    }
}

void AppendCoord(std::string& out, float value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%f\n", value);
    out += text;
}

void AppendLine(std::string& out, float u1, float v1, float u2, float v2)
{
    out += "0\nLINE\n8\nMODEL\n10\n";
    AppendCoord(out, u1);
    out += "20\n";
    AppendCoord(out, v1);
    out += "30\n";
    AppendCoord(out, 0.0f);
    out += "11\n";
    AppendCoord(out, u2);
    out += "21\n";
    AppendCoord(out, v2);
    out += "31\n";
    AppendCoord(out, 0.0f);
}

}  // namespace

platform::SaveResult WriteDxfFile(const std::string& path)
{
    CLocaleScopeC cLocale;

    const int nJoints = JointCount();
    const int nMembers = MemberCount();

    float zMax = -999;
    for (int j = 1; j <= nJoints; ++j) {
        if (g_Joints[j].z > zMax) zMax = g_Joints[j].z;
    }
    const float slabLow = zMax - 0.4f;
    const float slabHigh = zMax + 0.4f;

    std::vector<DxfMember> members(nMembers > 0 ? nMembers + 1 : 1);
    for (int i = 1; i <= nMembers; ++i) {
        const MemberRec& m = g_Members[i];
        DxfMember& d = members[i];
        if (!ValidJoint(m.jointA) || !ValidJoint(m.jointB)) continue;
        const JointRec& a = g_Joints[m.jointA];
        const JointRec& b = g_Joints[m.jointB];
        d.inPlane = a.z > slabLow && a.z < slabHigh && b.z > slabLow && b.z < slabHigh;
        if (!d.inPlane) continue;
        Classify(d, a, b, m.jointA, m.jointB);
        d.halfHeight = 0.5f * ShapeHeight(m.shape);
        ComputeCorners(d);
    }

    CTextFileWriter file;
    if (!file.Create(path)) return platform::SaveResult::NotSaved;

    std::string out;
    out += "0\nSECTION\n2\nHEADER\n";
    out += "9\n$INSUNITS\n70\n";
    out += g_bMetricUnits ? "5\n" : "1\n";
    out += "0\nENDSEC\n";
    out += "0\nSECTION\n2\nTABLES\n0\nENDSEC\n";
    out += "0\nSECTION\n2\nBLOCKS\n0\nENDSEC\n";
    out += "0\nSECTION\n2\nENTITIES\n";
    for (int i = 1; i <= nMembers; ++i) {
        const DxfMember& d = members[i];
        if (!d.inPlane) continue;
        const float* c = d.corners;
        AppendLine(out, c[0], c[1], c[2], c[3]);
        AppendLine(out, c[2], c[3], c[4], c[5]);
        AppendLine(out, c[4], c[5], c[6], c[7]);
        AppendLine(out, c[6], c[7], c[0], c[1]);
    }
    out += "0\nENDSEC\n0\nEOF\n";
    file.Write(out);
    return file.Finish();
}
