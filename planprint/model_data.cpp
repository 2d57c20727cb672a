#include "planprint/model_data.h"

#include <algorithm>
#include <cmath>

CJoint* g_pJoints = nullptr;
CMember* g_pMembers = nullptr;
CSection* g_pSections = nullptr;
CMaterial* g_pMaterials = nullptr;
CMaterialPair* g_pMaterialPairs = nullptr;
CModelData* g_pModel = nullptr;

CJoint::CJoint()
    : x(0), y(0), z(0), nRestrainRX(0), nRestrainRY(0), nRestrainRZ(0), nRestrainTX(0), nRestrainTY(0),
      nRestrainTZ(0), fForceX(0), bTranslatedX(1), fForceY(0), bTranslatedY(1), fForceZ(0), bTranslatedZ(1),
      nPlane(0)
{
}

CMember::CMember()
    : nJointA(0), nJointB(0), nMaterial(1), nSection(1), bRunner(0), fRoll(0), bUseTorsion(0), bMomentYY1(1),
      bMomentZZ1(1), bMomentYY2(1), bMomentZZ2(1), nOffPlane(0), fColorR(0), fColorG(0), fColorB(0),
      fEffLengthYY(0), fEffLengthZZ(0), fUserEffYY(0), fUserEffZZ(0), fOffsetY(0), fOffsetZ(0), fPlaneXA(0),
      fPlaneXB(0), fPlaneYA(0), fPlaneYB(0), fHalfWidth(0), nOutlineKind(0), dAngle(0), dLength(0)
{
    for (int i = 0; i < 4; ++i) {
        nEdgeMark[i] = 1;
        nEndMark[i] = 0;
        fEdgeSlope[i] = fEdgeIntercept[i] = 0;
        fCornerX[i] = fCornerY[i] = 0;
        fEdgeMidX[i] = fEdgeMidY[i] = 0;
    }
}

// ---------------------------------------------------------------- sections

namespace {

struct StandardSection {
    const char* name;
    float height, width, area, j, iy, iz, sy, sz;
};

// English rows: square and flat balsa sticks in inches.
StandardSection EnglishRow(const char* name, float h, float w, float j)
{
    return {name, h, w, h * w, j, h * w * w * w / 12, w * h * h * h / 12, h * w * w / 6, w * h * h / 6};
}

const StandardSection kEnglishSections[] = {
    EnglishRow("Failure Spring", 0.125f, 0.125f, 3.4342e-5f), EnglishRow("3/32x3/32", 0.09375f, 0.09375f, 1.087e-5f),
    EnglishRow("1/8x1/8", 0.125f, 0.125f, 3.4342e-5f),        EnglishRow("3/16x3/16", 0.1875f, 0.1875f, 1.7386e-4f),
    EnglishRow("1/4x1/4", 0.25f, 0.25f, 5.49479e-4f),         EnglishRow("5/16x5/16", 0.3125f, 0.3125f, 1.3415e-3f),
    EnglishRow("3/8x3/8", 0.375f, 0.375f, 2.78174e-3f),       EnglishRow("1/2x1/2", 0.5f, 0.5f, 8.7917e-3f),
    EnglishRow("1/8x1/4", 0.25f, 0.125f, 1.1182e-4f),         EnglishRow("1/8x3/8", 0.375f, 0.125f, 1.9263e-4f),
    EnglishRow("1/4x1/2", 0.5f, 0.25f, 1.789e-3f),
};

const StandardSection kMetricSections[] = {
    {"NOT USED", 0.01f, 0.01f, 1e-6f, 1e-6f, 1e-6f, 1e-6f, 1e-6f, 1e-6f},
    {"3/32x3/32", 0.238125f, 0.238125f, 0.0567f, 4.524e-4f, 2.6793e-4f, 2.6793e-4f, 2.2504e-3f, 2.2504e-3f},
    {"1/8x1/8", 0.3175f, 0.3175f, 0.100806f, 1.42942e-3f, 8.4682e-4f, 8.4682e-4f, 5.33431e-3f, 5.33431e-3f},
    {"3/16x3/16", 0.47625f, 0.47625f, 0.22681f, 7.23657e-3f, 4.28717e-3f, 4.28717e-3f, 0.0180032f, 0.0180032f},
    {"1/4x1/4", 0.635f, 0.635f, 0.403225f, 0.022871f, 0.013549f, 0.013549f, 0.042675f, 0.042675f},
    {"5/16x5/16", 0.79375f, 0.79375f, 0.63004f, 0.055837f, 0.033079f, 0.033079f, 0.083349f, 0.083349f},
    {"3/8x3/8", 0.9525f, 0.9525f, 0.9072f, 0.11578f, 0.06859f, 0.06859f, 0.144035f, 0.144035f},
    {"1/2x1/2", 1.27f, 1.27f, 1.6129f, 0.36594f, 0.21677f, 0.21677f, 0.34139f, 0.34139f},
    {"1/8x1/4", 0.635f, 0.3175f, 0.20161f, 4.6543e-3f, 1.69364e-3f, 6.77456e-3f, 0.0106686f, 0.0213372f},
    {"1/8x3/8", 0.9525f, 0.3175f, 0.30242f, 8.01784e-3f, 2.54067e-3f, 0.022864f, 0.0160029f, 0.0480092f},
    {"1/4x1/2", 1.27f, 0.635f, 0.8064f, 0.074464f, 0.0270966f, 0.108395f, 0.0853435f, 0.170703f},
};

constexpr int kStandardRows = 11;

void Fill(CSection& s, const StandardSection& row)
{
    s.strName = row.name;
    s.fHeight = row.height;
    s.fWidth = row.width;
    s.nKind = 0;
    s.fArea = row.area;
    s.fJ = row.j;
    s.fIy = row.iy;
    s.fIz = row.iz;
    s.fSy = row.sy;
    s.fSz = row.sz;
    s.fSpacing = 0;
}

}  // namespace

CSection::CSection() { Fill(*this, kEnglishSections[0]); }

void CSection::SetStandard(int index)
{
    if (index >= 0 && index < kStandardRows) Fill(*this, kEnglishSections[index]);
}

void CSection::SetStandardMetric(int index)
{
    if (index >= 0 && index < kStandardRows) Fill(*this, kMetricSections[index]);
}

void LoadStandardSections()
{
    for (int i = 1; i <= 10; ++i) g_pSections[i].SetStandard(i);
}

void LoadStandardSectionsMetric()
{
    for (int i = 1; i <= 10; ++i) g_pSections[i].SetStandardMetric(i);
}

// ---------------------------------------------------------------- materials

namespace {

constexpr double kPcfPerNcm3 = 6363.347;  // N/cm3 to pcf
constexpr double kPsiToNcm2 = 0.6895;     // psi to N/cm2

struct Strengths {
    double e, g, tension, compression, bending, shear, r, gr, b;
};

// The fits for light woods, density d in pcf.
Strengths LightFit(double d)
{
    Strengths s;
    s.e = 1515.15 * d * d + 13030.3 * d + 3636.36;
    s.g = 606.06 * d * d + 5212.12 * d + 1454.54;
    s.tension = 10.2904 * d * d - 20.53 * d - 33.636;
    s.compression = 4.60859 * d * d + 38.1061 * d - 17.273;
    s.bending = 10.8586 * d * d + 117.273 * d - 67.273;
    s.shear = 17.3524 * d - 7.2571;
    s.r = 0.88235295 - (d - 4) * 3.844675e-5;
    s.gr = 0.6862745 - (d - 4) * 5.7670128e-5;
    s.b = 0.39215687 - (d - 4) * 7.6893506e-5;
    return s;
}

// The fits for heavy woods, density d in pcf.
Strengths HeavyFit(double d)
{
    Strengths s;
    s.e = 411.523 * d * d + 18518.5 * d;
    s.g = 164.609 * d * d + 7407.41 * d;
    s.tension = 4.01234 * d * d + 80.5556 * d;
    s.compression = 4.32099 * d * d + 5.55556 * d;
    s.bending = -192970.3125 / (1 - 454.691 * std::exp(-0.09014413 * d));
    s.shear = -1.01852 * d * d + 64.1667 * d;
    s.r = 0.98039216 - (d - 5) * 4.960871e-5;
    s.gr = 0.5882353 - (d - 5) * 3.7206533e-5;
    s.b = 0.19607843 - (d - 5) * 2.4804356e-5;
    return s;
}

void Store(CMaterial& m, float density, const Strengths& s, double stressScale)
{
    m.fDensity = density;
    m.fE = static_cast<float>(s.e);
    m.fG = static_cast<float>(s.g);
    m.fUltTension = static_cast<float>(s.tension * stressScale);
    m.fUltCompression = static_cast<float>(s.compression * stressScale);
    m.fUltBending = static_cast<float>(s.bending * stressScale);
    m.fUltShear = static_cast<float>(s.shear * stressScale);
    m.fColorR = static_cast<float>(s.r);
    m.fColorG = static_cast<float>(s.gr);
    m.fColorB = static_cast<float>(s.b);
}

}  // namespace

void CMaterial::SetFromDensity(float d)
{
    d = std::clamp(d, 4.0f, 24.0f);
    Store(*this, d, LightFit(d), 1);
}

void CMaterial::SetFromDensityHeavy(float d)
{
    d = std::clamp(d, 5.0f, 36.0f);
    Store(*this, d, HeavyFit(d), 1);
}

void CMaterialPair::SetMetricFromDensity(float d)
{
    d = std::clamp(d, 0.0006286f, 0.0037716f);
    const double b = d * kPcfPerNcm3;
    Strengths s = LightFit(b);
    // The moduli's constant terms are converted on their own.
    s.e = (1515.15 * b * b + 13030.3 * b) * kPsiToNcm2 + 2507.2703;
    s.g = (606.06 * b * b + 5212.12 * b) * kPsiToNcm2 + 1002.90533;
    Store(si, d, s, kPsiToNcm2);
}

void CMaterialPair::SetMetricFromDensityHeavy(float d)
{
    d = std::clamp(d, 0.00078575f, 0.0056574f);
    const double b = d * kPcfPerNcm3;
    Strengths s = HeavyFit(b);
    s.e *= kPsiToNcm2;
    s.g *= kPsiToNcm2;
    Store(si, d, s, kPsiToNcm2);
}

void LoadDefaultMaterials()
{
    const float light[] = {12, 14, 16, 18, 20, 22, 24};
    const float heavy[] = {26, 28, 30};
    const float lightSi[] = {0.0018858f, 0.0022001f, 0.0025144f, 0.0028287f, 0.003143f, 0.0034573f, 0.0037716f};
    const float heavySi[] = {0.0040859f, 0.0044002f, 0.0047145f};
    for (int i = 0; i < 7; ++i) {
        g_pMaterials[i + 1].SetFromDensity(light[i]);
        g_pMaterialPairs[i + 1].SetMetricFromDensity(lightSi[i]);
    }
    for (int i = 0; i < 3; ++i) {
        g_pMaterials[i + 8].SetFromDensityHeavy(heavy[i]);
        g_pMaterialPairs[i + 8].SetMetricFromDensityHeavy(heavySi[i]);
    }
}

// ---------------------------------------------------------------- tables

void DestroyModelTables()
{
    delete[] g_pMaterials;
    delete[] g_pMaterialPairs;
    delete[] g_pSections;
    delete g_pModel;
    delete[] g_pJoints;
    delete[] g_pMembers;
    g_pMaterials = nullptr;
    g_pMaterialPairs = nullptr;
    g_pSections = nullptr;
    g_pModel = nullptr;
    g_pJoints = nullptr;
    g_pMembers = nullptr;
}

void CreateModelTables()
{
    DestroyModelTables();
    g_pMaterials = new CMaterial[kTableRows];
    g_pMaterialPairs = new CMaterialPair[kTableRows];
    g_pSections = new CSection[kTableRows];
    g_pModel = new CModelData;
    g_pJoints = new CJoint[kJointRows];
    g_pMembers = new CMember[kMemberRows];
    LoadDefaultMaterials();
    LoadStandardSections();
}

float RoundTo(float x, int n)
{
    return static_cast<float>(std::floor(static_cast<double>(n) * x + 0.5) / n);
}
