#include <cmath>

#include "model/strength.h"
#include "model/tables.h"
#include "tests/common/test_env.h"

namespace {

class StrengthTest : public Tf3dTest {
protected:
    // One member with the given capacities, everything else zero.
    MemberRec& AddMember(float tension, float compression, float bend, float shear, float torsion)
    {
        ++g_nMembers;
        MemberRec& m = g_Members[g_nMembers];
        m.ultTension = tension;
        m.ultCompression = compression;
        m.ultBendZZ = bend;
        m.ultBendYY = bend;
        m.ultShear = shear;
        m.ultTorsion = torsion;
        return m;
    }
    MemberRec& AddUnitMember() { return AddMember(10, 10, 10, 10, 10); }

    static void ExpectColor(const MemberRec& m, int r, int g, int b, bool axial = true)
    {
        const float cr = axial ? m.axialColorR : m.bendingColorR;
        const float cg = axial ? m.axialColorG : m.bendingColorG;
        const float cb = axial ? m.axialColorB : m.bendingColorB;
        EXPECT_FLOAT_EQ(cr, r / 255.0f);
        EXPECT_FLOAT_EQ(cg, g / 255.0f);
        EXPECT_FLOAT_EQ(cb, b / 255.0f);
    }
};

// Shape 1: 0.25 x 0.5 stick; material 1: simple round numbers.
void SetUpSection()
{
    ShapeRec& s = g_Shapes[1];
    s.area = 0.125f;
    s.width = 0.25f;
    s.height = 0.5f;
    s.inertiaYY = 0.125f;  // ry = 1
    s.inertiaZZ = 0.5f;    // rz = 2
    s.modulusYY = 0.02f;
    s.modulusZZ = 0.04f;
    MaterialRec& mat = g_Materials[1];
    mat.youngsModulus = 400000.0f;
    mat.ultTensionStress = 2000.0f;
    mat.ultCompressionStress = 1000.0f;
    mat.ultBendingStress = 3000.0f;
    mat.ultShearStress = 200.0f;
}

TEST_F(StrengthTest, CapacitiesOfAStockyMember)
{
    SetUpSection();
    g_nMembers = 1;
    g_Members[1].length = 2.0f;  // lambda = 2 / ry = 2, far below Cc
    ComputeUltimateForces();
    const MemberRec& m = g_Members[1];
    EXPECT_FLOAT_EQ(m.ultTension, 250.0f);
    EXPECT_FLOAT_EQ(m.ultCompression, 125.0f);
    EXPECT_FLOAT_EQ(m.ultBendZZ, 120.0f);
    EXPECT_FLOAT_EQ(m.ultBendYY, 60.0f);
    EXPECT_FLOAT_EQ(m.ultShear, 200.0f * 0.125f * 0.667f);
    EXPECT_FLOAT_EQ(m.ultTorsion, 0.21f * 0.25f * 0.5f * 0.5f * 200.0f);
}

TEST_F(StrengthTest, CompressionBucklesAtAndBeyondLimitSlenderness)
{
    SetUpSection();
    const float k = g_fPi * g_fPi * g_Materials[1].youngsModulus;
    const float cc = std::sqrt(k / g_Materials[1].ultCompressionStress);  // about 62.8
    g_nMembers = 3;
    g_Members[1].length = cc;         // lambda == Cc (ry = 1 governs)
    g_Members[2].length = 2 * cc;     // twice as slender
    g_Members[3].length = cc * 0.99f; // just stocky
    ComputeUltimateForces();

    // At lambda == Cc the Euler value is taken; it equals A x Fc there.
    EXPECT_FLOAT_EQ(g_Members[1].ultCompression, 0.125f * k / (cc * cc));
    EXPECT_NEAR(g_Members[1].ultCompression, 125.0f, 1e-3f);
    EXPECT_NEAR(g_Members[2].ultCompression, 125.0f / 4, 1e-3f);
    EXPECT_FLOAT_EQ(g_Members[3].ultCompression, 125.0f);
}

TEST_F(StrengthTest, UserEffectiveLengthsReplaceTheAnalysisLength)
{
    SetUpSection();
    const float k = g_fPi * g_fPi * g_Materials[1].youngsModulus;
    g_nMembers = 2;
    // About zz (rz = 2) a user length of 200 gives lambda 100 > Cc.
    g_Members[1].length = 2.0f;
    g_Members[1].userEffZZ = 1;
    g_Members[1].effLengthZZ = 200.0f;
    // An effective length without its user flag is ignored.
    g_Members[2].length = 2.0f;
    g_Members[2].userEffYY = 0;
    g_Members[2].effLengthYY = 500.0f;
    ComputeUltimateForces();
    EXPECT_FLOAT_EQ(g_Members[1].ultCompression, 0.125f * k / (100.0f * 100.0f));
    EXPECT_FLOAT_EQ(g_Members[2].ultCompression, 125.0f);
}

TEST_F(StrengthTest, AxialRatioSignsFollowEachEndsCompressionSense)
{
    MemberRec& comp = AddMember(20, 10, 10, 10, 10);
    comp.endForces[EF_AXIAL1] = 5;   // compression at the start
    comp.endForces[EF_AXIAL2] = -5;  // compression at the end
    MemberRec& tens = AddMember(20, 10, 10, 10, 10);
    tens.endForces[EF_AXIAL1] = -5;
    tens.endForces[EF_AXIAL2] = 5;
    ComputeStrengthRatios();

    EXPECT_FLOAT_EQ(comp.ratios1[R_A], 0.5f);
    EXPECT_FLOAT_EQ(comp.ratios2[R_A], -0.5f);
    EXPECT_FLOAT_EQ(tens.ratios1[R_A], -0.25f);
    EXPECT_FLOAT_EQ(tens.ratios2[R_A], 0.25f);
    EXPECT_FLOAT_EQ(comp.governingRatios[G_A], 0.5f);
}

TEST_F(StrengthTest, RatiosKeepSignsAndFillBothEnds)
{
    MemberRec& m = AddMember(10, 10, 4, 2, 5);
    const float f[12] = {0, 1, -0.5f, 2, -2, 3, 0, -1, 0.5f, -2, 1, -3};
    for (int k = 0; k < 12; ++k) m.endForces[k] = f[k];
    ComputeStrengthRatios();

    EXPECT_FLOAT_EQ(m.ratios1[R_MZZ], 0.75f);
    EXPECT_FLOAT_EQ(m.ratios1[R_MYY], -0.5f);
    EXPECT_FLOAT_EQ(m.ratios1[R_VZZ], 0.5f);
    EXPECT_FLOAT_EQ(m.ratios1[R_VYY], -0.25f);
    EXPECT_FLOAT_EQ(m.ratios1[R_T], 0.4f);
    EXPECT_FLOAT_EQ(m.ratios1[R_AM], 1.25f);
    EXPECT_FLOAT_EQ(m.ratios1[R_VT], 0.5f + 0.4f);  // larger signed shear + T
    EXPECT_FLOAT_EQ(m.ratios2[R_MZZ], -0.75f);
    EXPECT_FLOAT_EQ(m.ratios2[R_MYY], 0.25f);
    EXPECT_FLOAT_EQ(m.ratios2[R_VZZ], -0.5f);
    EXPECT_FLOAT_EQ(m.ratios2[R_VYY], 0.25f);
    EXPECT_FLOAT_EQ(m.ratios2[R_T], -0.4f);
    EXPECT_FLOAT_EQ(m.ratios2[R_VT], 0.25f - 0.4f);

    // Governing: larger magnitude of either end, T and A from the start.
    EXPECT_FLOAT_EQ(m.governingRatios[G_MYY], 0.5f);
    EXPECT_FLOAT_EQ(m.governingRatios[G_MZZ], 0.75f);
    EXPECT_FLOAT_EQ(m.governingRatios[G_VYY], 0.25f);
    EXPECT_FLOAT_EQ(m.governingRatios[G_VZZ], 0.5f);
    EXPECT_FLOAT_EQ(m.governingRatios[G_T], 0.4f);
    EXPECT_FLOAT_EQ(m.governingRatios[G_AM], 0.5f + 0.75f);
    EXPECT_FLOAT_EQ(m.governingRatios[G_VT], 0.4f + 0.25f + 0.5f);
    EXPECT_EQ(m.intact, 0);  // AM1 = 1.25 with axial and bending considered
}

TEST_F(StrengthTest, ConsiderOptionsDecideFailure)
{
    // Bending ratio 3 only.
    MemberRec& m = AddUnitMember();
    m.endForces[EF_M1ZZ] = 30;
    m.intact = 0;

    g_bConsiderAxial = 1;
    g_bConsiderBending = 0;
    ComputeStrengthRatios();
    EXPECT_EQ(m.intact, 1);
    EXPECT_EQ(g_bMemberFailed, 0);
    EXPECT_FLOAT_EQ(m.governingRatios[G_MZZ], 3.0f);

    g_bConsiderBending = 1;
    ComputeStrengthRatios();
    EXPECT_EQ(m.intact, 0);
    EXPECT_EQ(g_bMemberFailed, 1);

    // The failure flag is never cleared here.
    m.endForces[EF_M1ZZ] = 0;
    ComputeStrengthRatios();
    EXPECT_EQ(m.intact, 1);
    EXPECT_EQ(g_bMemberFailed, 1);

    // Axial 0.6 plus bending 0.6: AM fails only with both options on.
    m.endForces[EF_AXIAL1] = 6;
    m.endForces[EF_M1YY] = 6;
    ComputeStrengthRatios();
    EXPECT_FLOAT_EQ(m.ratios1[R_AM], 1.2f);
    EXPECT_EQ(m.intact, 0);
    g_bConsiderBending = 0;
    ComputeStrengthRatios();
    EXPECT_EQ(m.intact, 1);
}

TEST_F(StrengthTest, ShearTorsionAndCombinedChecks)
{
    g_bConsiderAxial = g_bConsiderBending = 0;
    g_bConsiderShear = g_bConsiderTorsion = 1;

    // Opposite shear and torsion cancel in VT.
    MemberRec& cancel = AddUnitMember();
    cancel.endForces[EF_SHEARYY1] = 9;
    cancel.endForces[EF_TORSION1] = -9;
    // Same signs add up past 1 although each passes.
    MemberRec& add = AddUnitMember();
    add.endForces[EF_SHEARZZ2] = 6;
    add.endForces[EF_TORSION2] = 6;
    // A ratio of exactly 1 passes.
    MemberRec& exact = AddUnitMember();
    exact.endForces[EF_TORSION1] = 10;
    // Torsion alone over 1.
    MemberRec& twist = AddUnitMember();
    twist.endForces[EF_TORSION2] = -11;
    ComputeStrengthRatios();

    EXPECT_FLOAT_EQ(cancel.ratios1[R_VT], 0.0f);
    EXPECT_EQ(cancel.intact, 1);
    EXPECT_FLOAT_EQ(add.ratios2[R_VT], 1.2f);
    EXPECT_EQ(add.intact, 0);
    EXPECT_EQ(exact.intact, 1);
    EXPECT_EQ(twist.intact, 0);

    // Without torsion the combined VT check is off as well.
    g_bConsiderTorsion = 0;
    ComputeStrengthRatios();
    EXPECT_EQ(add.intact, 1);
    EXPECT_EQ(twist.intact, 1);
}

TEST_F(StrengthTest, MaxStrengthRatioOverEnabledKinds)
{
    EXPECT_FLOAT_EQ(MaxStrengthRatio(), 1.0f);  // no members

    MemberRec& m = AddUnitMember();
    EXPECT_FLOAT_EQ(MaxStrengthRatio(), 0.0f);  // all ratios 0

    m.ratios2[R_A] = -0.3f;
    m.ratios1[R_MYY] = 0.2f;
    m.ratios2[R_VYY] = -0.7f;
    m.ratios1[R_T] = 0.6f;
    m.ratios1[R_AM] = 0.5f;
    m.ratios2[R_VT] = -0.9f;
    // Axial and bending (defaults): A, M and AM.
    EXPECT_FLOAT_EQ(MaxStrengthRatio(), 0.5f);
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
    j.forceX = 1;
    j.forceY = -2;
    j.forceZ = 4;
    j.dispX = j.dispY = j.dispZ = 1;
    j.rotX = j.rotY = j.rotZ = -1;
    j.momentX = 3;
    j.selfWeightLoad = j.windLoad = j.truckLoad = 5;
    MemberRec& m = AddUnitMember();
    for (float& f : m.endForces) f = 2;

    ScaleLoadsToFailure(0.5f);
    const float f = 1.0f / 0.5f + 0.0051f;  // 2.0051
    EXPECT_FLOAT_EQ(j.forceX, f);
    EXPECT_FLOAT_EQ(j.forceY, -2 * f);
    EXPECT_FLOAT_EQ(j.forceZ, 4 * f);
    EXPECT_FLOAT_EQ(j.dispZ, f);
    EXPECT_FLOAT_EQ(j.rotY, -f);
    for (float ef : m.endForces) EXPECT_FLOAT_EQ(ef, 2 * f);
    EXPECT_FLOAT_EQ(j.momentX, 3);
    EXPECT_FLOAT_EQ(j.selfWeightLoad, 5);
    EXPECT_FLOAT_EQ(j.windLoad, 5);
    EXPECT_FLOAT_EQ(j.truckLoad, 5);
    EXPECT_FLOAT_EQ(m.ultTension, 10);
}

TEST_F(StrengthTest, ScaledForcesBringTheWorstMemberJustPastFailure)
{
    MemberRec& a = AddUnitMember();
    a.endForces[EF_AXIAL1] = -4;
    a.endForces[EF_AXIAL2] = 4;
    MemberRec& b = AddUnitMember();
    b.endForces[EF_AXIAL1] = 2;
    b.endForces[EF_AXIAL2] = -2;
    ComputeStrengthRatios();
    const float m = MaxStrengthRatio();
    EXPECT_FLOAT_EQ(m, 0.4f);
    ScaleLoadsToFailure(m);
    ComputeStrengthRatios();
    EXPECT_NEAR(MaxStrengthRatio(), 1.0f + 0.0051f * 0.4f, 1e-5f);
    EXPECT_EQ(a.intact, 0);
    EXPECT_EQ(b.intact, 1);
}

TEST_F(StrengthTest, ScaleLoadsToFailureIgnoresARatioWithoutAFactor)
{
    g_nJoints = 1;
    g_Joints[1].forceY = -3;
    AddUnitMember().endForces[0] = 1;
    ScaleLoadsToFailure(0.0f);
    ScaleLoadsToFailure(-1.0f);
    ScaleLoadsToFailure(NAN);
    EXPECT_FLOAT_EQ(g_Joints[1].forceY, -3);
    EXPECT_FLOAT_EQ(g_Members[1].endForces[0], 1);
}

TEST_F(StrengthTest, AxialColourBands)
{
    // Most tensioned, half as tensioned, most compressed, a quarter as
    // compressed, unloaded.
    const float axial2[] = {8, 4, -6, -1.5f, 0};
    for (float a : axial2) {
        MemberRec& m = AddUnitMember();
        m.endForces[EF_AXIAL1] = -a;
        m.endForces[EF_AXIAL2] = a;
    }
    ComputeStrengthRatios();
    ComputeResultColors();
    ExpectColor(g_Members[1], 0, 0, 255);
    ExpectColor(g_Members[2], 100, 100, 255);  // d = 0.5
    ExpectColor(g_Members[3], 0, 255, 0);
    ExpectColor(g_Members[4], 150, 255, 150);  // d = 0.25
    ExpectColor(g_Members[5], 255, 255, 255);
}

TEST_F(StrengthTest, BendingColourBandsAndNoBending)
{
    MemberRec& a = AddMember(10, 10, 16, 10, 10);
    a.endForces[EF_M2YY] = -16;  // the largest: h = 1
    MemberRec& b = AddMember(10, 10, 16, 10, 10);
    b.endForces[EF_M1ZZ] = 6;    // h = 0.375 exactly: band 0.25
    MemberRec& c = AddUnitMember();
    c.bendingColorR = 0.5f;     // h = 0 keeps its colour
    ComputeStrengthRatios();
    ComputeResultColors();
    ExpectColor(a, 0, 0, 255, false);
    ExpectColor(b, 212, 213, 236, false);
    EXPECT_FLOAT_EQ(c.bendingColorR, 0.5f);

    // With no bending anywhere no bending colour changes.
    a.endForces[EF_M2YY] = 0;
    b.endForces[EF_M1ZZ] = 0;
    ComputeStrengthRatios();
    ComputeResultColors();
    ExpectColor(a, 0, 0, 255, false);
    ExpectColor(b, 212, 213, 236, false);
}

TEST_F(StrengthTest, NoMembersNoWork)
{
    g_Members[1].axialColorR = 0.25f;
    ComputeUltimateForces();
    ComputeStrengthRatios();
    ComputeResultColors();
    EXPECT_FLOAT_EQ(g_Members[1].axialColorR, 0.25f);
    EXPECT_FLOAT_EQ(g_Members[1].ultTension, 0);
}

}  // namespace
