#include "model/strength.h"

#include <cmath>

#include "model/tables.h"

namespace {

bool ValidRow(int row) { return row >= 0 && row < TABLE_ROWS; }

// Row counts bounded by the table sizes.

float Larger(float a, float b) { return a > b ? a : b; }

float Ratio(float force, float capacity) { return force / capacity; }

struct Rgb {
    float threshold;
    int r, g, b;
};

// Colour bands: the last band whose threshold the value exceeds wins.
const Rgb kTensionBands[] = {
    {0.0f, 200, 200, 255}, {0.2f, 150, 150, 255}, {0.4f, 100, 100, 255},
    {0.6f, 50, 50, 255},   {0.8f, 0, 0, 255}};
const Rgb kCompressionBands[] = {
    {0.0f, 200, 255, 200}, {0.2f, 150, 255, 150}, {0.4f, 100, 255, 100},
    {0.6f, 50, 255, 50},   {0.8f, 0, 255, 0}};
const Rgb kBendingBands[] = {
    {0.0f, 255, 255, 255},   {0.125f, 231, 231, 241}, {0.25f, 212, 213, 236},
    {0.375f, 183, 184, 235}, {0.5f, 154, 156, 236},   {0.625f, 119, 122, 237},
    {0.75f, 72, 72, 244},    {0.875f, 0, 0, 255}};

template <size_t N>
void ApplyBands(const Rgb (&bands)[N], float value, float& r, float& g, float& b)
{
    for (const Rgb& band : bands) {
        if (value > band.threshold) {
            r = band.r / 255.0f;
            g = band.g / 255.0f;
            b = band.b / 255.0f;
        }
    }
}

float MaxBendingRatio(const MemberRec& m)
{
    float h = std::fabs(m.ratios1[R_MZZ]);
    h = Larger(h, std::fabs(m.ratios1[R_MYY]));
    h = Larger(h, std::fabs(m.ratios2[R_MZZ]));
    h = Larger(h, std::fabs(m.ratios2[R_MYY]));
    return h;
}

}  // namespace

void ComputeUltimateForces()
{
    for (int i = 1; i <= MemberCount(); ++i) {
        MemberRec& m = g_Members[i];
        if (!ValidRow(m.shape) || !ValidRow(m.material)) {
            m.ultTension = m.ultCompression = m.ultBendZZ = m.ultBendYY = 0;
            m.ultShear = m.ultTorsion = 0;
            continue;
        }
        const ShapeRec& s = g_Shapes[m.shape];
        const MaterialRec& mat = g_Materials[m.material];

        const float A = s.area;
        const float ry = std::sqrt(s.inertiaYY / A);
        const float rz = std::sqrt(s.inertiaZZ / A);
        const float slenderZZ = (m.userEffZZ ? m.effLengthZZ : m.length) / rz;
        const float slenderYY = (m.userEffYY ? m.effLengthYY : m.length) / ry;
        const float lambda = Larger(slenderZZ, slenderYY);

        const float k = g_fPi * g_fPi * mat.youngsModulus;
        const float Cc = std::sqrt(k / mat.ultCompressionStress);

        m.ultTension = A * mat.ultTensionStress;
        if (Cc > lambda)
            m.ultCompression = A * mat.ultCompressionStress;
        else
            m.ultCompression = A * k / (lambda * lambda);
        m.ultBendZZ = s.modulusZZ * mat.ultBendingStress;
        m.ultBendYY = s.modulusYY * mat.ultBendingStress;
        m.ultShear = mat.ultShearStress * (A * 0.667f);
        m.ultTorsion = mat.ultShearStress * (s.width * (s.height * (s.height * 0.21f)));
    }
}

void ComputeStrengthRatios()
{
    for (int i = 1; i <= MemberCount(); ++i) {
        MemberRec& m = g_Members[i];
        const float* f = m.endForces;
        float* r1 = m.ratios1;
        float* r2 = m.ratios2;

        // Start joint: positive axial force is compression.
        r1[R_A] = f[EF_AXIAL1] > 0 ? Ratio(f[EF_AXIAL1], m.ultCompression)
                                   : Ratio(f[EF_AXIAL1], m.ultTension);
        r1[R_MZZ] = Ratio(f[EF_M1ZZ], m.ultBendZZ);
        r1[R_MYY] = Ratio(f[EF_M1YY], m.ultBendYY);
        r1[R_VZZ] = Ratio(f[EF_SHEARZZ1], m.ultShear);
        r1[R_VYY] = Ratio(f[EF_SHEARYY1], m.ultShear);
        r1[R_T] = Ratio(f[EF_TORSION1], m.ultTorsion);
        r1[R_AM] = std::fabs(r1[R_A]) + std::fabs(r1[R_MYY]) + std::fabs(r1[R_MZZ]);
        r1[R_VT] = Larger(r1[R_VYY], r1[R_VZZ]) + r1[R_T];

        // End joint: negative axial force is compression.
        r2[R_A] = f[EF_AXIAL2] < 0 ? Ratio(f[EF_AXIAL2], m.ultCompression)
                                   : Ratio(f[EF_AXIAL2], m.ultTension);
        r2[R_MZZ] = Ratio(f[EF_M2ZZ], m.ultBendZZ);
        r2[R_MYY] = Ratio(f[EF_M2YY], m.ultBendYY);
        r2[R_VZZ] = Ratio(f[EF_SHEARZZ2], m.ultShear);
        r2[R_VYY] = Ratio(f[EF_SHEARYY2], m.ultShear);
        r2[R_T] = Ratio(f[EF_TORSION2], m.ultTorsion);
        r2[R_AM] = std::fabs(r2[R_A]) + std::fabs(r2[R_MYY]) + std::fabs(r2[R_MZZ]);
        r2[R_VT] = Larger(r2[R_VYY], r2[R_VZZ]) + r2[R_T];

        auto over = [](float v) { return std::fabs(v) > 1.0f; };
        bool failed = false;
        if (g_bConsiderAxial && (over(r1[R_A]) || over(r2[R_A]))) failed = true;
        if (g_bConsiderBending &&
            (over(r1[R_MZZ]) || over(r1[R_MYY]) || over(r2[R_MZZ]) || over(r2[R_MYY])))
            failed = true;
        if (g_bConsiderShear &&
            (over(r1[R_VZZ]) || over(r1[R_VYY]) || over(r2[R_VZZ]) || over(r2[R_VYY])))
            failed = true;
        if (g_bConsiderTorsion && (over(r1[R_T]) || over(r2[R_T]))) failed = true;
        if (g_bConsiderAxial && g_bConsiderBending && (over(r1[R_AM]) || over(r2[R_AM])))
            failed = true;
        if (g_bConsiderShear && g_bConsiderTorsion && (over(r1[R_VT]) || over(r2[R_VT])))
            failed = true;
        m.intact = failed ? 0 : 1;
        if (failed) g_bMemberFailed = 1;

        float* g = m.governingRatios;
        g[G_A] = std::fabs(r1[R_A]);
        g[G_MYY] = Larger(std::fabs(r1[R_MYY]), std::fabs(r2[R_MYY]));
        g[G_MZZ] = Larger(std::fabs(r1[R_MZZ]), std::fabs(r2[R_MZZ]));
        g[G_VYY] = Larger(std::fabs(r1[R_VYY]), std::fabs(r2[R_VYY]));
        g[G_VZZ] = Larger(std::fabs(r1[R_VZZ]), std::fabs(r2[R_VZZ]));
        g[G_T] = std::fabs(r1[R_T]);
        g[G_AM] = g[G_A] + g[G_MYY] + g[G_MZZ];
        g[G_VT] = g[G_T] + g[G_VYY] + g[G_VZZ];
    }
}

float MaxStrengthRatio()
{
    if (g_nMembers == 0) return 1.0f;
    float m = 0;
    auto take = [&m](float v) { m = Larger(m, std::fabs(v)); };
    for (int i = 1; i <= MemberCount(); ++i) {
        const float* r1 = g_Members[i].ratios1;
        const float* r2 = g_Members[i].ratios2;
        if (g_bConsiderAxial) {
            take(r1[R_A]);
            take(r2[R_A]);
        }
        if (g_bConsiderBending) {
            take(r1[R_MZZ]);
            take(r1[R_MYY]);
            take(r2[R_MZZ]);
            take(r2[R_MYY]);
        }
        if (g_bConsiderShear) {
            take(r1[R_VZZ]);
            take(r1[R_VYY]);
            take(r2[R_VZZ]);
            take(r2[R_VYY]);
        }
        if (g_bConsiderTorsion) {
            take(r1[R_T]);
            take(r2[R_T]);
        }
        if (g_bConsiderAxial && g_bConsiderBending) {
            take(r1[R_AM]);
            take(r2[R_AM]);
        }
        if (g_bConsiderShear && g_bConsiderTorsion) {
            take(r1[R_VT]);
            take(r2[R_VT]);
        }
    }
    return m;
}

float BreakingForceFactor(float m)
{
    // A zero, negative or undefined ratio has no breaking factor; scaling by
    // infinity would wreck the loads and results.
    if (!(m > 0) || !std::isfinite(m)) return 0;
    const float f = 1.0f / m + 0.0051f;
    return std::isfinite(f) ? f : 0;  // a ratio so small that 1/m overflows has none
}

bool ScaleLoadsToFailure(float m)
{
    const float f = BreakingForceFactor(m);
    if (f == 0) return false;
    for (int j = 1; j <= JointCount(); ++j) {
        JointRec& jt = g_Joints[j];
        jt.forceX *= f;
        jt.forceY *= f;
        jt.forceZ *= f;
        jt.dispX *= f;
        jt.dispY *= f;
        jt.dispZ *= f;
        jt.rotX *= f;
        jt.rotY *= f;
        jt.rotZ *= f;
    }
    for (int i = 1; i <= MemberCount(); ++i)
        for (float& ef : g_Members[i].endForces) ef *= f;
    return true;
}

void ComputeResultColors()
{
    if (g_nMembers <= 0) return;

    float amin = 0, amax = 0;
    for (int i = 1; i <= MemberCount(); ++i) {
        const float a2 = g_Members[i].ratios2[R_A];
        if (a2 < amin) amin = a2;
        if (a2 > amax) amax = a2;
    }
    for (int i = 1; i <= MemberCount(); ++i) {
        MemberRec& m = g_Members[i];
        const float a2 = m.ratios2[R_A];
        if (a2 > 0) {
            const float d = std::fabs(m.endForces[EF_AXIAL1] / m.ultTension / amax);
            ApplyBands(kTensionBands, d, m.axialColorR, m.axialColorG, m.axialColorB);
        } else if (a2 < 0) {
            const float d = std::fabs(m.endForces[EF_AXIAL1] / m.ultCompression / amin);
            ApplyBands(kCompressionBands, d, m.axialColorR, m.axialColorG, m.axialColorB);
        } else if (a2 == 0) {
            m.axialColorR = m.axialColorG = m.axialColorB = 1.0f;
        }
    }

    float c = 0;
    for (int i = 1; i <= MemberCount(); ++i) c = Larger(c, MaxBendingRatio(g_Members[i]));
    if (c == 0) return;
    for (int i = 1; i <= MemberCount(); ++i) {
        MemberRec& m = g_Members[i];
        const float h = MaxBendingRatio(m) / c;
        ApplyBands(kBendingBands, h, m.bendingColorR, m.bendingColorG, m.bendingColorB);
    }
}
