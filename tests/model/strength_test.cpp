#include <algorithm>
#include <cmath>
#include <vector>

#include "model/strength.h"
#include "model/tables.h"
#include "tests/common/test_env.h"

namespace {

using Values = std::vector<double>;
template <class... T> Values V(T... v) { return {static_cast<double>(v)...}; }

// One member with the given capacities, everything else zero.
MemberRec& AddMember(float tension = 10, float compression = 10, float bend = 10, float shear = 10, float torsion = 10)
{
    MemberRec& m = g_Members[++g_nMembers] = MemberRec();
    m.ultTension = tension, m.ultCompression = compression, m.ultBendZZ = m.ultBendYY = bend;
    m.ultShear = shear, m.ultTorsion = torsion;
    return m;
}

// Axial or bending colour of member i in 0..255 steps, to a hundredth.
Values Colour(int i, bool axial = true)
{
    const float* c = axial ? &g_Members[i].axialColorR : &g_Members[i].bendingColorR;
    return V(std::round(c[0] * 25500) / 100, std::round(c[1] * 25500) / 100, std::round(c[2] * 25500) / 100);
}

using StrengthTest = Tf3dTest;

TEST_F(StrengthTest, UltimateForcesAndBuckling)
{
    ShapeRec& s = g_Shapes[1];  // shape 1: 0.25 x 0.5 stick, ry = 1, rz = 2; material 1: round numbers
    s.area = 0.125f, s.width = 0.25f, s.height = 0.5f;
    s.inertiaYY = 0.125f, s.inertiaZZ = 0.5f, s.modulusYY = 0.02f, s.modulusZZ = 0.04f;
    MaterialRec& mat = g_Materials[1];
    mat.youngsModulus = 400000, mat.ultTensionStress = 2000, mat.ultCompressionStress = 1000;
    mat.ultBendingStress = 3000, mat.ultShearStress = 200;
    const float k = g_fPi * g_fPi * mat.youngsModulus;
    const float cc = std::sqrt(k / mat.ultCompressionStress);  // about 62.8
    for (float l : {2.0f, cc, 2 * cc, cc * 0.99f, 2.0f, 2.0f}) g_Members[++g_nMembers].length = l;
    g_Members[5].userEffZZ = 1, g_Members[5].effLengthZZ = 200.0f;  // lambda 200 / rz = 100 > Cc
    g_Members[6].effLengthYY = 500.0f;  // without its user flag: ignored
    ComputeUltimateForces();
    const MemberRec& m = g_Members[1];
    const float want[][2] = {{m.ultTension, 250}, {m.ultCompression, 125}, {m.ultBendZZ, 120}, {m.ultBendYY, 60},
                             {m.ultShear, 200.0f * 0.125f * 0.667f},
                             {m.ultTorsion, 0.21f * 0.25f * 0.5f * 0.5f * 200.0f},
                             // At lambda == Cc the Euler value is taken; it equals A x Fc there.
                             {g_Members[2].ultCompression, 0.125f * k / (cc * cc)}, {g_Members[4].ultCompression, 125},
                             {g_Members[5].ultCompression, 0.125f * k / (100.0f * 100.0f)},
                             {g_Members[6].ultCompression, 125}};
    for (const auto& w : want) EXPECT_FLOAT_EQ(w[0], w[1]) << &w - want;
    EXPECT_NEAR(g_Members[2].ultCompression, 125.0f, 1e-3f);
    EXPECT_NEAR(g_Members[3].ultCompression, 125.0f / 4, 1e-3f);
}

TEST_F(StrengthTest, RatiosKeepSignsAndFillBothEnds)
{
    MemberRec& m = AddMember(10, 10, 4, 2, 5);
    const float f[12] = {0, 1, -0.5f, 2, -2, 3, 0, -1, 0.5f, -2, 1, -3};
    std::copy(f, f + 12, m.endForces);
    MemberRec& comp = AddMember(20);  // axial sense per end: compression positive at the start, negative at the end
    comp.endForces[EF_AXIAL1] = 5, comp.endForces[EF_AXIAL2] = -5;
    MemberRec& tens = AddMember(20);
    tens.endForces[EF_AXIAL1] = -5, tens.endForces[EF_AXIAL2] = 5;
    ComputeStrengthRatios();
    // By R_ index; VT is the larger signed shear plus T.
    const float r1[] = {0, 0.75f, -0.5f, 0.5f, -0.25f, 0.4f, 1.25f, 0.5f + 0.4f};
    const float r2[] = {0, -0.75f, 0.25f, -0.5f, 0.25f, -0.4f, 0, 0.25f - 0.4f};
    // Governing (by G_ index): larger magnitude of either end, T and A from the start.
    const float g[] = {0, 0.5f, 0.75f, 0.25f, 0.5f, 0.4f, 0.5f + 0.75f, 0.4f + 0.25f + 0.5f};
    for (int i = 1; i < 8; ++i) {
        EXPECT_FLOAT_EQ(m.ratios1[i], r1[i]) << i;
        EXPECT_TRUE(i == R_AM || std::fabs(m.ratios2[i] - r2[i]) < 1e-6f) << i;
        EXPECT_FLOAT_EQ(m.governingRatios[i], g[i]) << i;
    }
    EXPECT_EQ(m.intact, 0);  // AM1 = 1.25 with axial and bending considered
    EXPECT_EQ(V(comp.ratios1[R_A], comp.ratios2[R_A], tens.ratios1[R_A], tens.ratios2[R_A], comp.governingRatios[G_A]),
              V(0.5, -0.5, -0.25, 0.25, 0.5));
}

TEST_F(StrengthTest, ConsiderOptionsDecideFailure)
{
    MemberRec& m = AddMember();
    m.endForces[EF_M1ZZ] = 30;  // bending ratio 3 only
    m.intact = 0;
    g_bConsiderBending = 0;
    ComputeStrengthRatios();
    EXPECT_EQ(V(m.intact, g_bMemberFailed, m.governingRatios[G_MZZ]), V(1, 0, 3));
    g_bConsiderBending = 1;
    ComputeStrengthRatios();
    EXPECT_EQ(V(m.intact, g_bMemberFailed), V(0, 1));
    m.endForces[EF_M1ZZ] = 0;  // the failure flag is never cleared here
    ComputeStrengthRatios();
    EXPECT_EQ(V(m.intact, g_bMemberFailed), V(1, 1));
    // Axial 0.6 plus bending 0.6: AM fails only with both options on.
    m.endForces[EF_AXIAL1] = m.endForces[EF_M1YY] = 6;
    ComputeStrengthRatios();
    EXPECT_FLOAT_EQ(m.ratios1[R_AM], 1.2f);
    EXPECT_EQ(m.intact, 0);
    g_bConsiderBending = 0;
    ComputeStrengthRatios();
    EXPECT_EQ(m.intact, 1);
    // Shear and torsion: opposite signs cancel in VT, same signs add past 1
    // though each passes, exactly 1 passes, torsion alone over 1 fails.
    g_nMembers = 0;
    g_bConsiderAxial = g_bConsiderBending = 0;
    g_bConsiderShear = g_bConsiderTorsion = 1;
    MemberRec& cancel = AddMember();
    cancel.endForces[EF_SHEARYY1] = 9, cancel.endForces[EF_TORSION1] = -9;
    MemberRec& add = AddMember();
    add.endForces[EF_SHEARZZ2] = add.endForces[EF_TORSION2] = 6;
    AddMember().endForces[EF_TORSION1] = 10;
    AddMember().endForces[EF_TORSION2] = -11;
    ComputeStrengthRatios();
    EXPECT_FLOAT_EQ(cancel.ratios1[R_VT], 0.0f);
    EXPECT_FLOAT_EQ(add.ratios2[R_VT], 1.2f);
    EXPECT_EQ(V(g_Members[1].intact, g_Members[2].intact, g_Members[3].intact, g_Members[4].intact), V(1, 0, 1, 0));
    g_bConsiderTorsion = 0;  // without torsion the combined VT check is off as well
    ComputeStrengthRatios();
    EXPECT_EQ(V(g_Members[1].intact, g_Members[2].intact, g_Members[3].intact, g_Members[4].intact), V(1, 1, 1, 1));
}

TEST_F(StrengthTest, MaxStrengthRatioOverEnabledKinds)
{
    EXPECT_FLOAT_EQ(MaxStrengthRatio(), 1.0f);  // no members
    MemberRec& m = AddMember();
    EXPECT_FLOAT_EQ(MaxStrengthRatio(), 0.0f);  // all ratios 0
    m.ratios2[R_A] = -0.3f, m.ratios1[R_MYY] = 0.2f, m.ratios2[R_VYY] = -0.7f;
    m.ratios1[R_T] = 0.6f, m.ratios1[R_AM] = 0.5f, m.ratios2[R_VT] = -0.9f;
    EXPECT_FLOAT_EQ(MaxStrengthRatio(), 0.5f);  // axial and bending: A, M and AM
    g_bConsiderBending = 0;
    EXPECT_FLOAT_EQ(MaxStrengthRatio(), 0.3f);
    g_bConsiderShear = 1;
    EXPECT_FLOAT_EQ(MaxStrengthRatio(), 0.7f);
    g_bConsiderTorsion = 1;
    EXPECT_FLOAT_EQ(MaxStrengthRatio(), 0.9f);
    g_bConsiderAxial = g_bConsiderShear = 0;
    EXPECT_FLOAT_EQ(MaxStrengthRatio(), 0.6f);
}

TEST_F(StrengthTest, ScaleLoadsToFailureScalesForcesAndResultsOnly)
{
    g_nJoints = 1;
    JointRec& j = g_Joints[1];
    j.forceX = 1, j.forceY = -2, j.forceZ = 4, j.momentX = 3;
    j.dispX = j.dispY = j.dispZ = 1;
    j.rotX = j.rotY = j.rotZ = -1;
    j.selfWeightLoad = j.windLoad = j.truckLoad = 5;
    MemberRec& m = AddMember();
    std::fill(m.endForces, m.endForces + 12, 2.0f);
    for (float bad : {0.0f, -1.0f, NAN}) ScaleLoadsToFailure(bad);  // no factor: nothing changes
    EXPECT_EQ(V(j.forceY, m.endForces[0]), V(-2, 2));
    ScaleLoadsToFailure(0.5f);
    const float f = 1.0f / 0.5f + 0.0051f;
    for (float v : {j.forceX, -j.forceY / 2, j.forceZ / 4, j.dispZ, -j.rotY}) EXPECT_FLOAT_EQ(v, f);
    for (float ef : m.endForces) EXPECT_FLOAT_EQ(ef, 2 * f);
    // Moments, generated loads and capacities stay.
    EXPECT_EQ(V(j.momentX, j.selfWeightLoad + j.windLoad + j.truckLoad, m.ultTension), V(3, 15, 10));
}

TEST_F(StrengthTest, ColourBands)
{
    // Axial: most tensioned, half that, most compressed, a quarter that, unloaded.
    for (float a : {8.0f, 4.0f, -6.0f, -1.5f, 0.0f}) {
        MemberRec& m = AddMember(10, 10, 16);
        m.endForces[EF_AXIAL1] = -a, m.endForces[EF_AXIAL2] = a;
    }
    g_Members[1].endForces[EF_M2YY] = -16;  // bending: the largest (h = 1), h = 0.375 exactly (band 0.25), none
    g_Members[2].endForces[EF_M1ZZ] = 6;
    g_Members[3].bendingColorR = 0.5f;  // h = 0 keeps its colour
    ComputeStrengthRatios();
    ComputeResultColors();
    // d = 0.5 for member 2, 0.25 for member 4.
    const Values axial[] = {{0, 0, 255}, {100, 100, 255}, {0, 255, 0}, {150, 255, 150}, {255, 255, 255}};
    for (int i = 1; i <= 5; ++i) EXPECT_EQ(Colour(i), axial[i - 1]) << i;
    EXPECT_EQ(Colour(1, false), V(0, 0, 255));
    EXPECT_EQ(Colour(2, false), V(212, 213, 236));
    EXPECT_FLOAT_EQ(g_Members[3].bendingColorR, 0.5f);
    // With no bending anywhere no bending colour changes.
    g_Members[1].endForces[EF_M2YY] = g_Members[2].endForces[EF_M1ZZ] = 0;
    ComputeStrengthRatios();
    ComputeResultColors();
    EXPECT_EQ(Colour(2, false), V(212, 213, 236));
    g_nMembers = 0;  // no members, no work
    g_Members[1].axialColorR = 0.25f, g_Members[1].ultTension = 0;
    ComputeUltimateForces();
    ComputeStrengthRatios();
    ComputeResultColors();
    EXPECT_EQ(V(g_Members[1].axialColorR, g_Members[1].ultTension), V(0.25, 0));
}

}  // namespace
