// Import of the older 2D model file: a plane truss in drawing units, y down.
#include <cstdio>
#include <vector>

#include "planprint/model_data.h"
#include "planprint/reader_common.h"
#include "planprint/settings.h"
#include "planprint/text_scanner.h"
#include "platform/platform.h"

namespace {

const char* const kNot2dFile = "ERROR - Not a Trussforge File";

constexpr std::size_t kLongestLine = 79;

struct Joint2d {
    float x, y;
    int s1, s2, s3;
};

struct Member2d {
    int jointA, jointB, endCode;
    float effLength;
    int typeCode;
};

struct Load2d {
    float forceY, forceX;
};

void SetRestraints(CJoint& j, int s1, int s2, int s3)
{
    // rotations x, y, z; translations x, y, z
    int r[6] = {0, 0, 0, 0, 0, 0};
    if (s1 == 1 && s2 == 1 && s3 == 1)
        for (int& v : r) v = 1;
    else if (s1 == 0 && s2 == 1 && s3 == 1)
        r[3] = r[4] = r[5] = 1;
    else if (s1 == 0 && s2 == 1 && s3 == 0)
        r[0] = r[4] = r[5] = 1;
    else if (s1 == 0 && s2 == 0 && s3 == 1)
        r[1] = r[3] = r[5] = 1;
    j.nRestrainRX = r[0], j.nRestrainRY = r[1], j.nRestrainRZ = r[2];
    j.nRestrainTX = r[3], j.nRestrainTY = r[4], j.nRestrainTZ = r[5];
}

// Material and section rows of a member type code.
void SetRows(CMember& m, int typeCode)
{
    struct Entry {
        int code, material, section;
    };
    static const Entry kTypes[] = {
        {260, 1, 2}, {261, 4, 2}, {257, 7, 2}, {296, 1, 3}, {297, 4, 3},  {298, 7, 3},  {265, 1, 4},
        {266, 4, 4}, {267, 7, 4}, {262, 8, 1}, {279, 10, 1}, {136, 8, 2}, {280, 10, 2},
    };
    m.nMaterial = 1;
    m.nSection = 2;
    for (const Entry& e : kTypes)
        if (e.code == typeCode) {
            m.nMaterial = e.material;
            m.nSection = e.section;
        }
}

std::string Malformed(const CTextScanner& in)
{
    char text[96];
    std::snprintf(text, sizeof text, "The file is malformed or ends early at line %d.", in.Line());
    return RefusalText(kNot2dFile, text);
}

}  // namespace

int CModelData::Read2dFile(const std::string& path)
{
    std::string text;
    if (!ReadModelFileText(path, text)) return 0;
    CTextScanner in(text);
    std::string title;
    if (!in.ReadLine(title, kLongestLine + 1) || (title != "TRUSSFORGE DATA FILE" && title != "Trussforge v1.62 - DATA FILE"))
        return RefuseModelFile(kNot2dFile);

    // Everything is read and checked before the model changes.
    int memberCount, jointCount, unused, scaleCode;
    if (!in.ReadStreamInt(memberCount) || !in.ReadStreamInt(jointCount) || !in.ReadStreamInt(unused) || !in.ReadStreamInt(unused) ||
        !in.ReadStreamInt(scaleCode))
        return RefuseModelFile(Malformed(in));
    float multiplier;
    bool english;
    switch (scaleCode) {
    case 117: english = true, multiplier = 1; break;
    case 118: english = true, multiplier = 2; break;
    case 156: english = false, multiplier = 1; break;
    case 157: english = false, multiplier = 2; break;
    default: return 0;
    }
    const float divisor = english ? 40.0f : 16.0f;
    if (memberCount == 0 || jointCount == 0) return 0;
    if (memberCount < 0 || jointCount < 0) return RefuseModelFile(Malformed(in));
    char why[96] = "";
    if (jointCount > kMaxJoints)
        std::snprintf(why, sizeof why, "The model has more than %d joints.", kMaxJoints);
    else if (memberCount > kMaxMembers)
        std::snprintf(why, sizeof why, "The model has more than %d members.", kMaxMembers);
    if (why[0]) return RefuseModelFile(RefusalText(kNot2dFile, why));

    std::vector<Joint2d> joints(jointCount);
    for (Joint2d& j : joints) {
        int index;
        if (!in.ReadStreamInt(index) || !in.ReadStreamFloat(j.x) || !in.ReadStreamFloat(j.y) || !in.ReadStreamInt(j.s1) ||
            !in.ReadStreamInt(j.s2) || !in.ReadStreamInt(j.s3))
            return RefuseModelFile(Malformed(in));
    }
    std::vector<Member2d> members(memberCount);
    for (int k = 1; k <= memberCount; ++k) {
        Member2d& m = members[k - 1];
        int index;
        float first;
        if (!in.ReadStreamInt(index) || !in.ReadStreamInt(m.jointA) || !in.ReadStreamInt(m.jointB) || !in.ReadStreamInt(m.endCode) ||
            !in.ReadStreamFloat(first) || !in.ReadStreamFloat(m.effLength) || !in.ReadStreamInt(m.typeCode))
            return RefuseModelFile(Malformed(in));
        if (m.jointA < 1 || m.jointA > jointCount || m.jointB < 1 || m.jointB > jointCount) {
            std::snprintf(why, sizeof why, "Member %d refers to a missing joint.", k);
            return RefuseModelFile(RefusalText(kNot2dFile, why));
        }
    }
    std::vector<Load2d> loads(jointCount);
    for (Load2d& l : loads) {
        int index, number;
        float first;
        if (!in.ReadStreamInt(index) || !in.ReadStreamInt(number) || !in.ReadStreamFloat(first) || !in.ReadStreamFloat(l.forceY) ||
            !in.ReadStreamFloat(l.forceX))
            return RefuseModelFile(Malformed(in));
    }

    // The file's y grows downwards.
    float yMax = 0;
    for (const Joint2d& j : joints)
        if (j.y > yMax) yMax = j.y;
    for (int k = 1; k <= jointCount; ++k) {
        Joint2d& j = joints[k - 1];
        j.y = yMax - j.y;
        j.x = j.x * multiplier / divisor;
        j.y = j.y * multiplier / divisor;
        const std::string far = FarJointText(k, j.x, j.y, 0);
        if (!far.empty()) return RefuseModelFile(RefusalText(kNot2dFile, far));
    }

    nMembers = memberCount;
    nJoints = jointCount;
    bEnglish = english ? 1 : 0;
    for (int k = 1; k <= nJoints; ++k) {
        CJoint& j = g_pJoints[k];
        j.x = joints[k - 1].x;
        j.y = joints[k - 1].y;
        j.z = 0;
        SetRestraints(j, joints[k - 1].s1, joints[k - 1].s2, joints[k - 1].s3);
        j.nPlane = 0;
    }
    SetEnglishUnits(english);
    if (english)
        LoadStandardSections();
    else
        LoadStandardSectionsMetric();

    for (int k = 1; k <= nMembers; ++k) {
        const Member2d& src = members[k - 1];
        CMember& m = g_pMembers[k];
        m.nJointA = src.jointA;
        m.nJointB = src.jointB;
        SetRows(m, src.typeCode);
        m.bRunner = 0;
        m.fRoll = 0;
        m.bUseTorsion = 1;
        m.bMomentYY1 = 1;
        m.bMomentYY2 = 1;
        switch (src.endCode) {
        case 1: m.bMomentZZ1 = 0, m.bMomentZZ2 = 1; break;
        case 2: m.bMomentZZ1 = 1, m.bMomentZZ2 = 0; break;
        case 3: m.bMomentZZ1 = 0, m.bMomentZZ2 = 0; break;
        default: m.bMomentZZ1 = 1, m.bMomentZZ2 = 1; break;
        }
        m.nOffPlane = 0;
        const CMaterial& material = g_pMaterials[m.nMaterial];
        m.fColorR = material.fColorR;
        m.fColorG = material.fColorG;
        m.fColorB = material.fColorB;
        m.fEffLengthYY = src.effLength;
        m.fUserEffYY = src.effLength != 0 ? 1.0f : 0.0f;
        m.fEffLengthZZ = m.fUserEffZZ = m.fOffsetY = m.fOffsetZ = 0;
    }
    for (int k = 1; k <= nJoints; ++k) {
        CJoint& j = g_pJoints[k];
        j.fForceY = loads[k - 1].forceY;
        j.fForceX = loads[k - 1].forceX;
        if (j.fForceY != 0) j.bTranslatedY = 1;
        if (j.fForceX != 0) j.bTranslatedX = 1;
    }

    NormalizeModel2d();
    FinishImport();
    return 1;
}

void CModelData::NormalizeModel2d()
{
    fMaxX = fMinX = g_pJoints[1].x;
    fMaxY = fMinY = g_pJoints[1].y;
    for (int k = 2; k <= nJoints; ++k) {
        const CJoint& j = g_pJoints[k];
        if (j.x > fMaxX) fMaxX = j.x;
        if (j.x < fMinX) fMinX = j.x;
        if (j.y > fMaxY) fMaxY = j.y;
        if (j.y < fMinY) fMinY = j.y;
    }
    fRangeX = fMaxX - fMinX;
    fRangeY = fMaxY - fMinY;
    fOffsetX = fOffsetY = 0.5f;
    for (int k = 1; k <= nJoints; ++k) {
        g_pJoints[k].x -= fMinX;
        g_pJoints[k].y -= fMinY;
    }
}
