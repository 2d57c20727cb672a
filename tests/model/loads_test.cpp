#include <cmath>
#include <vector>

#include "model/defaults.h"
#include "model/loads.h"
#include "model/model_ops.h"
#include "model/tables.h"
#include "model/templates.h"
#include "tests/common/test_env.h"

namespace {

using Values = std::vector<double>;
template <class... T> Values V(T... v) { return {static_cast<double>(v)...}; }

float Sum(float JointRec::*field)
{
    float s = 0;
    for (int j = 1; j <= g_nJoints; ++j) s += g_Joints[j].*field;
    return s;
}

// One field of joints first..last.
Values Field(float JointRec::*field, int first, int last)
{
    Values out;
    for (int j = first; j <= last; ++j) out.push_back(g_Joints[j].*field);
    return out;
}

void AddJoints(std::initializer_list<Values> xyz)
{
    for (const Values& p : xyz) {
        JointRec& j = g_Joints[++g_nJoints];
        j.x = static_cast<float>(p[0]), j.y = static_cast<float>(p[1]), j.z = static_cast<float>(p[2]);
    }
}

MemberRec& AddMember(int a, int b, short shape)
{
    MemberRec& m = g_Members[++g_nMembers];
    m.jointA = static_cast<short>(a), m.jointB = static_cast<short>(b), m.shape = shape, m.material = 7;
    return m;
}

class LoadsTest : public Tf3dTest {
protected:
    void SetUp() override { Tf3dTest::SetUp(); ResetAllShapes(); ResetAllMaterials(); }
};

}  // namespace

TEST_F(LoadsTest, TruckWheelsOnTheBridgeDeck)
{
    BuildBridgeTemplate();
    OrientDeckMembers();
    FindDeckExtent();
    PlaceTruckAtStart();
    g_fTruckX = 12;  // at the minimum: not on the bridge
    EXPECT_EQ(0, ApplyTruckLoads());
    EXPECT_FLOAT_EQ(0.0f, Sum(&JointRec::truckLoad));
    // Wheel tracks at z 13 and 10.9375; front axle exactly over joints 7 and
    // 22, rear at 12.75. A wheel at a joint's x loads only the member that
    // starts there; the rear wheels sit three quarters of the way from x 12 to 13.
    g_fTruckX = 18.0625f;
    EXPECT_EQ(1, ApplyTruckLoads());
    EXPECT_EQ(Field(&JointRec::truckLoad, 1, 8), V(0, -0.875, -2.625, 0, 0, 0, -1.75, 0));
    EXPECT_EQ(Field(&JointRec::truckLoad, 17, 18), V(-0.875, -2.625));
    EXPECT_EQ(V(g_Joints[22].truckLoad, Sum(&JointRec::truckLoad), g_nTruckJoint1, g_nTruckJoint2),
              V(-1.75, -10.5, 8, 2));
    // A wheel off the runner track is lost, and the truck joints of the last placement with it.
    for (int j = 1; j <= g_nJoints; ++j) g_Joints[j].truckLoad = 0;  // as the analysis clears them
    g_fTruckX = 20.5f;
    g_fTruckZ = 12.46875f;  // tracks at 13.5 (just off the z 13 deck) and 11.4375
    EXPECT_EQ(1, ApplyTruckLoads());
    EXPECT_EQ(Field(&JointRec::truckLoad, 1, 15), Values(15, 0));
    EXPECT_EQ(V(Sum(&JointRec::truckLoad), g_nTruckJoint1 + g_nTruckJoint2), V(-5.25, 0));
}

TEST_F(LoadsTest, TruckSkipsVerticalAndReversedRunners)
{
    AddJoints({{10, 0, 0}, {10, 5, 0}, {20, 0, 0}});
    AddMember(1, 2, 2).runner = 1;  // no x extent
    AddMember(3, 1, 2).runner = 1;  // runs in -x
    g_fTruckX = 16;
    g_fTruckZ = 0;
    EXPECT_EQ(1, ApplyTruckLoads());
    EXPECT_FLOAT_EQ(0.0f, Sum(&JointRec::truckLoad));
    g_Members[2].jointA = 1, g_Members[2].jointB = 3;
    g_fTruckZ = -1.03125f;  // one track on the member's line
    ApplyTruckLoads();
    EXPECT_FLOAT_EQ(-0.5f * 3.5f - 0.5f * 7.0f, Sum(&JointRec::truckLoad));
}

TEST_F(LoadsTest, WindOnProjectedLengthAndExposedSize)
{
    AddJoints({{0, 0, 0}, {0, 10, 0}, {5, 0, 0}});
    MemberRec& m = AddMember(1, 2, 2);  // 10 long in y, height 0.125
    EXPECT_EQ(0, ApplyWindLoads(0));
    EXPECT_FLOAT_EQ(0.0f, g_Joints[1].windLoad);
    EXPECT_EQ(1, ApplyWindLoads(75));
    const float f = g_Joints[1].windLoad;  // 75^2 x 0.00256 x 2.03 psf on 0.125 x 10 in, half per end
    EXPECT_NEAR(0.126875, f, 1e-6);
    EXPECT_FLOAT_EQ(f, g_Joints[2].windLoad);
    g_Joints[2].windLoad = 0;  // reversed, negated, hidden and rolled members: width 0.125 of shape 9
    g_bReverseWind = 1;
    m.shape = 9;
    m.negated = m.hidden = 1;
    m.rollAngle = 0.5f;
    ApplyWindLoads(75);
    EXPECT_FLOAT_EQ(-f, g_Joints[2].windLoad);
    m.rollAngle = 0;
    ApplyWindLoads(75);
    EXPECT_NEAR(-f - 3 * f, g_Joints[2].windLoad, 1e-6);  // height 0.375
    g_nMembers = 0;  // A member along x has no projected length.
    AddMember(1, 3, 7);
    ApplyWindLoads(75);
    EXPECT_FLOAT_EQ(0.0f, g_Joints[3].windLoad);
}

TEST_F(LoadsTest, FanLoadsOnTheTowerTop)
{
    // Three runs: wind 75, then reversed with an empty tank, then no wind.
    // F1 = 0.99, F2 = 0.3375: d = -0.4489453125, e = 0.331875, tank 0.68 (empty 0.1175).
    const float d = 0.4489453f, e = 0.331875f;
    const struct {
        int reverse, empty;
        float wind, truck[4], side;
    } runs[] = {{0, 0, 75, {-d - 0.68f, -d - 0.68f, d - 0.68f, d - 0.68f}, e},
                {1, 1, 75, {d - 0.1175f, d - 0.1175f, -d - 0.1175f, -d - 0.1175f}, -e},
                {0, 0, 0, {-0.68f, -0.68f, -0.68f, -0.68f}, 0}};
    SetupTowerProject();
    for (const auto& r : runs) {
        SCOPED_TRACE(r.wind * 10 + r.empty);
        for (int j = 5; j <= 8; ++j) g_Joints[j].truckLoad = g_Joints[j].windLoad = 0;
        g_bReverseWind = r.reverse, g_bEmptyTank = r.empty;
        ApplyFanJointLoads(r.wind);
        for (int j = 5; j <= 8; ++j) {
            EXPECT_NEAR(r.truck[j - 5], g_Joints[j].truckLoad, 1e-6) << j;
            EXPECT_NEAR(r.side, g_Joints[j].windLoad, 1e-6) << j;
        }
        EXPECT_EQ(Field(&JointRec::truckLoad, 1, 4), Values(4, 0));
    }
}

TEST_F(LoadsTest, SelfWeight)
{
    AddJoints({{0, 0, 0}, {10, 0, 0}, {10, 5, 0}});
    AddMember(1, 2, 2);
    AddMember(2, 3, 2);
    UpdateMemberWeights();
    const double w1 = 24.0 * 10 * 0.015625 / 1728, w2 = 24.0 * 5 * 0.015625 / 1728;
    EXPECT_NEAR(w1, g_Members[1].weight, 1e-8);
    EXPECT_FLOAT_EQ(10.0f, g_Members[1].actualLength);
    EXPECT_NEAR(-0.5 * w1, g_Joints[1].selfWeightLoad, 1e-8);
    EXPECT_NEAR(-0.5 * (w1 + w2), g_Joints[2].selfWeightLoad, 1e-8);
    EXPECT_NEAR(w1 + w2, TotalWeight(), 1e-7);
    g_nJoints = g_nMembers = 0;  // metric, switched off, with a user effective length
    SetMetricUnits(1);
    ResetAllShapes();
    ResetAllMaterials();
    AddJoints({{0, 0, 0}, {0, 20, 0}});
    MemberRec& m = AddMember(1, 2, 4);
    m.userEffZZ = 1, m.effLengthZZ = 7;
    g_bIncludeSelfWeight = 0;
    g_Joints[1].selfWeightLoad = 3;
    UpdateMemberWeights();
    EXPECT_NEAR(0.0037718 * 20 * 0.403225, m.weight, 1e-7);
    EXPECT_EQ(V(g_Joints[1].selfWeightLoad, m.effLengthZZ, m.effLengthYY), V(0, 7, 20));
}

TEST_F(LoadsTest, GeneratorsSurviveBadMemberRows)
{
    AddJoints({{0, 0, 0}, {0, 10, 0}});
    AddMember(1, 2, 2);
    MemberRec& bad = AddMember(1, 2, 2);
    bad.jointB = 30000, bad.shape = 400, bad.material = -1, bad.runner = 1;
    g_fTruckX = 30;
    ApplyTruckLoads();
    ApplyWindLoads(75);
    UpdateMemberWeights();
    EXPECT_FLOAT_EQ(0.0f, bad.weight);
}
