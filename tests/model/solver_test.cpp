#include <algorithm>
#include <cmath>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <random>
#include <vector>

#include "model/solver.h"
#include "model/tables.h"
#include "tests/common/test_env.h"
#include "tests/model/solver_reference.h"

namespace {

constexpr float kE = 400000, kG = 25000;
using Marks = std::vector<int>;
using Floats = std::vector<float>;

void SetShape(int row, float area, float j, float iy, float iz)
{
    ShapeRec& s = g_Shapes[row];
    s.area = area, s.torsionConst = j, s.inertiaYY = iy, s.inertiaZZ = iz;
}

void SetMaterial(int row, float e, float g) { g_Materials[row].youngsModulus = e, g_Materials[row].shearModulus = g; }

// held: six '0'/'1' flags TX TY TZ RX RY RZ.
int Joint(float x, float y, float z, const char* held = "000000")
{
    JointRec& j = g_Joints[++g_nJoints] = JointRec();
    j.x = x, j.y = y, j.z = z;
    for (int d = 0; d < 6; ++d) (&j.restraintTX)[d] = held[d] == '1' ? 1 : 0;
    return g_nJoints;
}

MemberRec& Member(int a, int b)
{
    MemberRec& m = g_Members[++g_nMembers] = MemberRec();
    m.jointA = static_cast<short>(a), m.jointB = static_cast<short>(b);
    return m;
}

// A member from a fixed joint at (0, 0, z0) to a tip at (x, y, z0).
MemberRec& Cantilever(float x, float y, float z0 = 0, const char* tipHeld = "000000")
{
    const int base = Joint(0, 0, z0, "111111");
    return Member(base, Joint(x, y, z0, tipHeld));
}

void PinEnds(MemberRec& m) { m.momentYY1 = m.momentZZ1 = m.momentYY2 = m.momentZZ2 = m.useTorsion = 0; }

short Solve() { return CFrameAnalysis().Run(); }

struct Near { double actual, expected, tol; };

void ExpectNear(std::initializer_list<Near> checks)
{
    int i = 0;
    for (const Near& c : checks) EXPECT_NEAR(c.actual, c.expected, c.tol) << "check " << i++;
}

// Result fields of every joint (6 each) or every member (12 each).
Floats Results(bool joints)
{
    Floats out;
    for (int i = 1; i <= (joints ? g_nJoints : g_nMembers); ++i) {
        const float* f = joints ? &g_Joints[i].dispX : g_Members[i].endForces;
        out.insert(out.end(), f, f + (joints ? 6 : 12));
    }
    return out;
}

void FillResults(float v)
{
    for (int j = 1; j <= g_nJoints; ++j) std::fill_n(&g_Joints[j].dispX, 6, v);
    for (int i = 1; i <= g_nMembers; ++i) std::fill_n(g_Members[i].endForces, 12, v);
}

bool ResultsAre(bool joints, float v) { return Results(joints) == Floats(Results(joints).size(), v); }

Marks MarkedJoints()
{
    Marks marked;
    for (int j = 1; j <= g_nJoints; ++j)
        if (g_Joints[j].mark) marked.push_back(j);
    return marked;
}

void UseKernels(bool reference, bool sse2)
{
    solver_internal::g_pfnEliminate = reference ? solver_reference::Eliminate : nullptr;
    solver_internal::g_bForceSse2 = sse2;
}

struct Outcome { short code; Floats joints, forces; Marks marks; };

// Runs the solver on a copy of the current model, with the reference or the built-in elimination.
Outcome RunCopy(bool reference, bool sse2)
{
    const std::vector<JointRec> joints(g_Joints, g_Joints + JOINT_ROWS);
    const std::vector<MemberRec> members(g_Members, g_Members + MEMBER_ROWS);
    UseKernels(reference, sse2);
    const Outcome r{Solve(), Results(true), Results(false), MarkedJoints()};
    std::copy(joints.begin(), joints.end(), g_Joints);
    std::copy(members.begin(), members.end(), g_Members);
    UseKernels(false, false);
    return r;
}

bool SameBits(const Floats& a, const Floats& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

// Shapes 1 and 2 in turn, rolls spread over -90..89.
void MixMembers(int rollStep)
{
    SetShape(2, 0.2f, 0.003f, 0.002f, 0.005f);
    for (int i = 1; i <= g_nMembers; ++i) {
        g_Members[i].shape = static_cast<short>(1 + i % 2);
        g_Members[i].rollAngle = static_cast<float>((i * rollStep) % 180 - 90);
    }
}

class SolverTest : public Tf3dTest {
protected:
    void SetUp() override
    {
        Tf3dTest::SetUp();
        UseKernels(false, false);
        SetShape(1, 0.1f, 0.002f, 0.001f, 0.001f);
        SetMaterial(1, kE, kG);
    }
    void TearDown() override { UseKernels(false, false); Tf3dTest::TearDown(); }
};

TEST_F(SolverTest, CantileverTipDeflectionAndFixedEndMoments)
{
    const float L = 10, P = 0.01f, iz = 0.001f, iy = 0.003f;
    SetShape(1, 0.1f, 0.002f, iy, iz);
    const float* f = Cantilever(L, 0).endForces;
    const JointRec& t = g_Joints[2];
    g_Joints[2].forceY = g_Joints[2].forceZ = P;
    ASSERT_EQ(Solve(), 0);
    ExpectNear({{t.dispY, P * L * L * L / (3 * kE * iz), 1e-6}, {t.rotZ, P * L * L / (2 * kE * iz), 1e-7},
                {t.dispZ, P * L * L * L / (3 * kE * iy), 1e-6}, {t.rotY, -P * L * L / (2 * kE * iy), 1e-7},
                {t.dispX, 0, 0}, {f[EF_M1ZZ], -P * L, 1e-5}, {f[EF_M1YY], P * L, 1e-5}, {f[EF_M2ZZ], 0, 1e-5},
                {f[EF_M2YY], 0, 1e-5}, {f[EF_SHEARZZ1], -P, 1e-6}, {f[EF_SHEARZZ2], P, 1e-6},
                {f[EF_SHEARYY2], P, 1e-6}});
}

TEST_F(SolverTest, PinJointedTrussForcesFollowStatics)
{
    Joint(0, 0, 0, "111111");  // triangle 8 wide and 3 high, 10 down at the apex; rotations held
    Joint(8, 0, 0, "011111");
    Joint(4, 3, 0, "001111");
    for (auto ends : {std::pair<int, int>{1, 3}, {3, 2}, {1, 2}}) PinEnds(Member(ends.first, ends.second));
    g_Joints[3].forceY = -10;
    ASSERT_EQ(Solve(), 0);
    const float diagonal = 10.0f / 2 / 0.6f, chord = diagonal * 0.8f;  // compression, tension
    // Unit-load method: sum of N n L / EA.
    const float sag = (diagonal * diagonal / 10 * 5 * 2 + chord * chord / 10 * 8) / (kE * 0.1f);
    const MemberRec* m = g_Members;
    ExpectNear({{m[1].endForces[EF_AXIAL1], diagonal, 1e-3}, {m[1].endForces[EF_AXIAL2], -diagonal, 1e-3},
                {m[2].endForces[EF_AXIAL1], diagonal, 1e-3}, {m[3].endForces[EF_AXIAL1], -chord, 1e-3},
                {g_Joints[3].dispY, -sag, 1e-6}});
    for (int i = 1; i <= 3; ++i)
        for (int e : {EF_SHEARZZ1, EF_SHEARYY1, EF_TORSION1, EF_M1YY, EF_M1ZZ, EF_M2YY, EF_M2ZZ})
            EXPECT_EQ(g_Members[i].endForces[e], 0) << "member " << i << " force " << e;
}

// Vertical (cosX = cosZ = 0) and horizontal cantilevers of Iz 0.001 and
// Iy 0.004, loaded across: a roll of 90 degrees swaps local y and z.
TEST_F(SolverTest, VerticalAndRolledMembersLocalAxes)
{
    const float L = 10, P = 0.01f, iz = 0.001f, iy = 0.004f;
    SetShape(1, 0.1f, 0.002f, iy, iz);
    // shearEnd: the local force at the tip that carries the load.
    const struct { bool vertical; float roll, inertia; int shearEnd; float sign; } cases[] = {
        {true, 0, iz, EF_SHEARZZ2, -1},  // local y = -X
        {true, 90, iy, EF_SHEARYY2, 1},  // local z = X
        {false, 90, iy, EF_SHEARYY2, -1} // local z = -Y (unrolled: the plain cantilever)
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "vertical " << c.vertical << " roll " << c.roll);
        g_nJoints = g_nMembers = 0;
        MemberRec& m = c.vertical ? Cantilever(0, L) : Cantilever(L, 0);
        m.rollAngle = c.roll;
        const JointRec& t = g_Joints[2];
        (c.vertical ? g_Joints[2].forceX : g_Joints[2].forceY) = P;
        ASSERT_EQ(Solve(), 0);
        EXPECT_TRUE(!c.vertical || (m.cosX == 0 && m.cosZ == 0 && m.cosY == 1));
        ExpectNear({{c.vertical ? t.dispX : t.dispY, P * L * L * L / (3 * kE * c.inertia), 1e-6}, {t.dispZ, 0, 1e-8},
                    {m.endForces[c.shearEnd], c.sign * P, 1e-6},
                    {m.endForces[c.shearEnd == EF_SHEARZZ2 ? EF_SHEARYY2 : EF_SHEARZZ2], 0, 1e-8}});
    }
}

TEST_F(SolverTest, MomentReleasesAndTorsionSwitch)
{
    const float L = 10, P = 0.01f, unit = P * L * L * L / (kE * 0.001f);
    // Tip rotation held: a rigid tip gives the guided cantilever PL^3/12EI, a
    // released one the plain cantilever PL^3/3EI; 0 = no stiffness.
    const struct { short yy1, yy2, zz1, zz2; float factorY, factorZ; } cases[] = {
        {1, 1, 1, 1, 1.0f / 12, 1.0f / 12}, {1, 1, 1, 0, 1.0f / 3, 1.0f / 12}, {0, 1, 1, 1, 1.0f / 12, 1.0f / 3},
        {1, 1, 0, 0, 0, 1.0f / 12},         {1, 2, 1, 1, 1.0f / 12, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.yy1 << c.yy2 << c.zz1 << c.zz2);
        g_nJoints = g_nMembers = 0;
        MemberRec& m = Cantilever(L, 0, 0, "000111");
        m.momentYY1 = c.yy1, m.momentYY2 = c.yy2, m.momentZZ1 = c.zz1, m.momentZZ2 = c.zz2;
        g_Joints[2].forceY = g_Joints[2].forceZ = P;
        const bool stable = c.factorY != 0 && c.factorZ != 0;
        ASSERT_EQ(Solve(), stable ? 0 : 1);
        EXPECT_EQ(MarkedJoints(), stable ? Marks{} : Marks{2});
        if (!stable) continue;
        ExpectNear({{g_Joints[2].dispY, c.factorY * unit, 1e-6}, {g_Joints[2].dispZ, c.factorZ * unit, 1e-6}});
        EXPECT_TRUE(c.zz2 != 0 || (m.endForces[EF_M2ZZ] == 0 && std::fabs(m.endForces[EF_M1ZZ] + P * L) < 1e-5));
    }
    // Torsion: no stiffness with the switch off, T L / G J with it on.
    for (short torsion : {0, 1}) {
        g_nJoints = g_nMembers = 0;
        Cantilever(L, 0).useTorsion = torsion;
        g_Joints[2].momentX = 0.001f;
        ASSERT_EQ(Solve(), torsion ? 0 : 1);
    }
    ExpectNear({{g_Joints[2].rotX, 0.001f * L / (kG * 0.002f), 1e-6},
                {g_Members[1].endForces[EF_TORSION2], 0.001f, 1e-7}});
}

// Local axes built independently: z0 along x cross global Y (global Z for
// a vertical member), y0 = z0 cross x, then the roll.
void LocalAxes(const MemberRec& m, float axes[3][3])
{
    const float x[3] = {m.cosX, m.cosY, m.cosZ};
    const float len = std::sqrt(x[0] * x[0] + x[2] * x[2]);
    const float z0[3] = {len == 0 ? 0 : -x[2] / len, 0, len == 0 ? 1 : x[0] / len};
    const float y0[3] = {z0[1] * x[2] - z0[2] * x[1], z0[2] * x[0] - z0[0] * x[2], z0[0] * x[1] - z0[1] * x[0]};
    const float a = m.rollAngle / 57.29578f;
    for (int i = 0; i < 3; ++i) {
        axes[0][i] = x[i];
        axes[1][i] = y0[i] * std::cos(a) + z0[i] * std::sin(a);
        axes[2][i] = -y0[i] * std::sin(a) + z0[i] * std::cos(a);
    }
}

TEST_F(SolverTest, EndForcesBalanceJointLoads)
{
    solver_reference::BuildLatticeTower(4, 4, 3, 0.3f, -0.5f, 0.2f);
    MixMembers(37);
    for (int i = 5; i <= g_nMembers; i += 5) g_Members[i].momentZZ2 = 0;
    for (int i = 7; i <= g_nMembers; i += 7) g_Members[i].momentYY1 = 0;
    g_Joints[6].momentX = 0.4f, g_Joints[7].momentY = -0.3f, g_Joints[9].momentZ = 0.25f, g_Joints[10].forceZ = -1;
    ASSERT_EQ(Solve(), 0);
    float sums[JOINT_ROWS][6] = {};
    float largest = 0;
    for (int i = 1; i <= g_nMembers; ++i) {
        const MemberRec& m = g_Members[i];
        float axes[3][3];
        LocalAxes(m, axes);
        for (int end = 0; end < 2; ++end) {
            const float* f = m.endForces + 6 * end;
            float* sum = sums[end == 0 ? m.jointA : m.jointB];
            for (int part = 0; part < 2; ++part)  // forces, then moments
                for (int g = 0; g < 3; ++g)
                    for (int l = 0; l < 3; ++l) sum[3 * part + g] += axes[l][g] * f[3 * part + l];
            for (int e = 0; e < 6; ++e) largest = std::max(largest, std::fabs(f[e]));
        }
    }
    for (int j = 5; j <= g_nJoints; ++j)
        for (int d = 0; d < 6; ++d)
            EXPECT_NEAR(sums[j][d], (&g_Joints[j].forceX)[d], 2e-4f * largest) << "joint " << j << " dof " << d;
}

TEST_F(SolverTest, EccentricityGrowsEndMoments)
{
    SetShape(1, 1, 1, 1, 1);  // compression of about 4 and a start moment of about -10
    MemberRec& m = Cantilever(1, 0);
    m.offsetY = 0.25f, m.offsetZ = 0.5f;
    g_Joints[2].forceX = -4, g_Joints[2].forceY = 6, g_Joints[2].forceZ = -10;
    ASSERT_EQ(Solve(), 0);
    float plain[12];
    std::memcpy(plain, m.endForces, sizeof plain);
    ExpectNear({{plain[EF_AXIAL1], 4, 1e-4}, {plain[EF_M1YY], -10, 1e-4}, {plain[EF_M1ZZ], -6, 1e-4}});
    g_bIncludeEccentricity = 1;
    ASSERT_EQ(Solve(), 0);
    EXPECT_EQ(m.endForces[EF_AXIAL1], plain[EF_AXIAL1]);
    // Each end moment grows away from zero by |offset x its axial force|.
    const struct { int moment, axial; float offset; } grown[] = {{EF_M1YY, EF_AXIAL1, 0.5f}, {EF_M2YY, EF_AXIAL2, 0.5f},
        {EF_M1ZZ, EF_AXIAL1, 0.25f}, {EF_M2ZZ, EF_AXIAL2, 0.25f}};
    for (const auto& g : grown) {
        const float amount = std::fabs(g.offset * plain[g.axial]), was = plain[g.moment];
        EXPECT_EQ(m.endForces[g.moment], was >= 0 ? was + amount : was - amount) << g.moment;
    }
}

TEST_F(SolverTest, UniformTestLoadsReplaceEveryLoad)
{
    for (int metric : {0, 1}) {
        g_nJoints = g_nMembers = 0;
        Cantilever(6, 2, 1);
        Member(2, Joint(9, 5, 3));
        for (int j = 2; j <= 3; ++j)
            std::fill(&g_Joints[j].forceX, &g_Joints[j].forceX + 6, metric ? 2.225f : 0.5f);
        const Outcome expected = RunCopy(false, false);
        ASSERT_EQ(expected.code, 0);
        for (int j = 2; j <= 3; ++j) {
            std::fill(&g_Joints[j].forceX, &g_Joints[j].forceX + 6, 0.0f);
            g_Joints[j].forceX = 3, g_Joints[j].windLoad = 1;
        }
        SetMetricUnits(metric);
        g_bUniformTestLoads = 1;
        EXPECT_TRUE(SameBits(RunCopy(false, false).joints, expected.joints)) << metric;
        g_bUniformTestLoads = 0;
    }
}

TEST_F(SolverTest, UnstableJointIsMarkedAndResultsKept)
{
    for (float z : {0.0f, 5.0f}) Joint(0, 0, z, "111111");
    Member(1, Joint(4, 0, 2));
    Member(2, 3);
    PinEnds(Member(3, Joint(8, 0, 2)));  // nothing holds joint 4 across the bar
    g_Joints[4].forceX = 1;
    FillResults(7);
    g_bModelFailed = g_bMemberFailed = 1;
    CFrameAnalysis a;
    EXPECT_EQ(g_bModelFailed + g_bMemberFailed, 0);
    EXPECT_EQ(a.m_nEquations, 36);
    EXPECT_EQ(a.Run(), 1);
    EXPECT_EQ(a.m_nFree, 12);
    EXPECT_EQ(MarkedJoints(), Marks{4});
    EXPECT_TRUE(ResultsAre(true, 7) && ResultsAre(false, 7));
}

TEST_F(SolverTest, DisplacementsOverLimitsMarkTheirJoints)
{
    // Three cantilevers: joint 2 bends in y, joints 4 and 6 alike in z (a tie keeps the lower joint).
    for (int k = 0; k < 3; ++k) Cantilever(10, 0, 3.0f * k);
    g_Joints[2].forceY = g_Joints[4].forceZ = g_Joints[6].forceZ = 0.01f;
    g_fDisplacementLimits[1] = g_fDisplacementLimits[2] = 0.001f;
    FillResults(7);
    EXPECT_EQ(Solve(), 2);
    EXPECT_EQ(MarkedJoints(), (Marks{2, 4}));
    EXPECT_GT(g_Joints[2].dispY, 0.001f);
    EXPECT_EQ(g_Joints[4].dispZ, g_Joints[6].dispZ);
    EXPECT_TRUE(ResultsAre(false, 7));
    g_fDisplacementLimits[1] = g_fDisplacementLimits[2] = 5;  // within the limits nothing is marked
    for (int j = 1; j <= g_nJoints; ++j) g_Joints[j].mark = 0;
    EXPECT_EQ(Solve(), 0);
    EXPECT_TRUE(MarkedJoints().empty());
    // A NaN displacement is over any limit (a NaN load reaches every sum,
    // so the first free joint holds the first NaN).
    g_Joints[4].forceX = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(Solve(), 2);
    EXPECT_TRUE(std::isnan(g_Joints[6].dispY));
    EXPECT_EQ(MarkedJoints(), Marks{2});
}

TEST_F(SolverTest, BadModelsWriteNothing)
{
    EXPECT_EQ(Solve(), 4);  // no joints at all
    Cantilever(5, 0);
    g_Joints[1].restraintRX = g_Joints[1].restraintRY = g_Joints[1].restraintRZ = 0;
    g_Joints[2].forceY = 1;
    FillResults(7);
    EXPECT_EQ(Solve(), 4);  // fewer than 6 restraints
    EXPECT_TRUE(ResultsAre(true, 7) && ResultsAre(false, 7) && MarkedJoints().empty());
    // A member naming a missing joint is an incorrect model; negated, harmless.
    g_Joints[1].restraintRX = g_Joints[1].restraintRY = g_Joints[1].restraintRZ = 1;
    Member(2, 9);
    EXPECT_EQ(Solve(), 3);
    EXPECT_TRUE(ResultsAre(true, 7));
    g_Members[2].negated = 1;
    EXPECT_EQ(Solve(), 0);
    EXPECT_EQ(std::count(g_Members[2].endForces, g_Members[2].endForces + 12, 0.0f), 12);
    // A member from a joint to itself has no direction and no finite stiffness.
    g_Members[2].negated = 0, g_Members[2].jointB = 2;
    FillResults(7);
    EXPECT_EQ(Solve(), 3);
    EXPECT_TRUE(g_Members[2].length == 0 && g_Members[2].cosX == 0);
    EXPECT_TRUE(ResultsAre(true, 7));
}

// Default and SSE2 kernels against the reference; returns the reference.
Outcome ExpectMatchesReference()
{
    const Outcome ref = RunCopy(true, false);
    for (bool sse2 : {false, true}) {
        const Outcome r = RunCopy(false, sse2);
        EXPECT_TRUE(r.code == ref.code && r.marks == ref.marks && SameBits(r.joints, ref.joints) &&
                    SameBits(r.forces, ref.forces))
            << "sse2 " << sse2 << " code " << r.code << " reference " << ref.code;
    }
    return ref;
}

// A 40-joint tower with mixed members: 216 equations, several blocks, several threads.
void BuildMixedTower()
{
    solver_reference::BuildLatticeTower(10, 4, 2.5f, 0.2f, -0.7f, 0.1f);
    MixMembers(29);
    for (int i = 1; i <= g_nMembers; ++i) g_Members[i].offsetY = 0.1f, g_Members[i].offsetZ = -0.2f;
    for (int i = 6; i <= g_nMembers; i += 6) g_Members[i].momentYY2 = 0;
    for (int i = 9; i <= g_nMembers; i += 9) g_Members[i].useTorsion = 0;
    g_Members[17].negated = 1;
    g_Joints[21].momentY = 0.3f;
    g_Joints[30].selfWeightLoad = -0.05f;
}

TEST_F(SolverTest, FastEliminationMatchesReferenceBitForBit)
{
    BuildMixedTower();
    g_bIncludeEccentricity = 1;
    EXPECT_EQ(ExpectMatchesReference().code, 0);
    g_fDisplacementLimits[0] = 1e-5f;  // code 2 writes joints only
    EXPECT_EQ(ExpectMatchesReference().code, 2);
    for (int i = g_nMembers - 8; i <= g_nMembers; ++i) PinEnds(g_Members[i]);  // unstable: code 1
    EXPECT_EQ(ExpectMatchesReference().code, 1);
}

TEST_F(SolverTest, RowExchangeMatchesReferenceBitForBit)
{
    // Joint X sits between a positive and a negative stiffness of equal
    // size and comes before its free neighbour Y: its diagonal is exactly
    // zero when its turn comes, and Y's rows below are not.
    BuildMixedTower();
    SetMaterial(2, -kE, -kG);
    const int top = g_nJoints, x = Joint(10, 22.5f, 4), y = Joint(8, 22.5f, 4);  // top at (0, 22.5, 4)
    Member(top, y);
    Member(y, x);
    Member(x, Joint(12, 22.5f, 4, "111111")).material = 2;
    g_Joints[y].forceY = 0.1f;
    solver_reference::g_nExchanges = 0;
    EXPECT_EQ(ExpectMatchesReference().code, 0);
    EXPECT_GT(solver_reference::g_nExchanges, 0);
}

TEST_F(SolverTest, OverflowingModelHaltsAsTheReferenceDoes)
{
    BuildMixedTower();
    SetMaterial(2, 3e38f, 3e38f);
    SetShape(2, 100, 100, 100, 100);
    for (int i = 30; i <= 40; ++i) g_Members[i].shape = g_Members[i].material = 2;
    const Outcome ref = RunCopy(true, false), fast = RunCopy(false, false);
    EXPECT_EQ(ref.code, 3);
    EXPECT_TRUE(fast.code == ref.code && fast.marks == ref.marks);
}

// Matrix level: random sparse matrices with exact zero pivots at block
// starts, inside blocks and at the end, compared entry by entry.
struct TestMatrix {
    int n;
    std::size_t stride;
    Floats a, b;
    TestMatrix(int n_, std::size_t stride_) : n(n_), stride(stride_), a(stride_ * n_), b(stride_ * n_)
    {
        for (int i = 0; i < n; ++i) b[stride * i + i] = 1;
    }
    float& at(int r, int c) { return a[stride * static_cast<std::size_t>(r) + static_cast<std::size_t>(c)]; }
    int Reference() { return solver_reference::Eliminate(a.data(), b.data(), n, stride); }
    int Fast(bool exact) { return solver_internal::Eliminate(a.data(), b.data(), n, stride, exact); }
};

// zeroPivots: column c zero down to the diagonal, first non-zero at row r (r < 0: all of it zero).
TestMatrix RandomMatrix(int n, unsigned seed, const std::vector<std::pair<int, int>>& zeroPivots, float scale = 1)
{
    TestMatrix m(n, static_cast<std::size_t>(n) + 3);
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> value(-1, 1);
    for (int r = 0; r < n; ++r)
        for (int c = 0; c < n; ++c)
            if (std::abs(r - c) < 9 || (r * 7 + c) % 41 == 0) m.at(r, c) = value(rng) * scale;
    for (int r = 0; r < n; ++r) m.at(r, r) += 12 * scale;
    for (auto [c, r] : zeroPivots) {
        for (int i = 0; i < n; ++i)
            if (i <= c || r < 0 || i < r) m.at(i, c) = 0;
        if (r >= 0) m.at(r, c) = 5 * scale;
    }
    return m;
}

bool SameUpToZeroSign(const TestMatrix& x, const TestMatrix& y)
{
    auto same = [](float p, float q) { return p == q || (std::isnan(p) && std::isnan(q)); };
    return std::equal(x.a.begin(), x.a.end(), y.a.begin(), same) &&
           std::equal(x.b.begin(), x.b.end(), y.b.begin(), same);
}

TEST_F(SolverTest, EliminationMatchesReferenceOnMatrices)
{
    const std::vector<std::pair<int, int>> pivots = {{0, 3}, {64, 65}, {100, 180}, {130, 131}, {298, 299}};
    for (bool sse2 : {false, true})
        for (bool exact : {false, true}) {
            SCOPED_TRACE(testing::Message() << "sse2 " << sse2 << " exact " << exact);
            TestMatrix ref = RandomMatrix(300, 11, pivots), fast = ref;
            solver_reference::g_nExchanges = 0;
            ASSERT_EQ(ref.Reference(), 0);
            EXPECT_EQ(solver_reference::g_nExchanges, 5);
            UseKernels(false, sse2);
            ASSERT_EQ(fast.Fast(exact), 0);
            EXPECT_TRUE(exact ? SameBits(ref.a, fast.a) && SameBits(ref.b, fast.b) : SameUpToZeroSign(ref, fast));
        }
    // No pivot for column 150: both stop there with the same matrices.
    TestMatrix ref = RandomMatrix(300, 5, {{40, 41}, {150, -1}}), fast = ref;
    EXPECT_EQ(ref.Reference(), 151);
    EXPECT_EQ(fast.Fast(false), 151);
    EXPECT_TRUE(SameUpToZeroSign(ref, fast));
    // Overflow: the fast path gives up, the exact sequence halts as the reference does.
    ref = RandomMatrix(200, 3, {{70, 90}}, 1e37f);
    for (int c = 0; c < 200; c += 3) ref.at(120, c) = 3e38f;
    fast = ref;
    TestMatrix exact = ref;
    const int refCode = ref.Reference();
    EXPECT_EQ(fast.Fast(false), -1);
    EXPECT_EQ(exact.Fast(true), refCode);
    EXPECT_TRUE(SameUpToZeroSign(ref, exact));
}

}  // namespace
