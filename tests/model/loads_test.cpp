#include <cmath>

#include "model/defaults.h"
#include "model/loads.h"
#include "model/model_ops.h"
#include "model/tables.h"
#include "model/templates.h"
#include "tests/common/test_env.h"

namespace {

class LoadsTest : public Tf3dTest {
protected:
    void SetUp() override
    {
        Tf3dTest::SetUp();
        ResetAllShapes();
        ResetAllMaterials();
    }
    void Bridge()
    {
        BuildBridgeTemplate();
        OrientDeckMembers();
        FindDeckExtent();
        PlaceTruckAtStart();
    }
    float TruckLoadSum() const
    {
        float s = 0;
        for (int j = 1; j <= g_nJoints; ++j) s += g_Joints[j].truckLoad;
        return s;
    }
    int AddJoint(float x, float y, float z)
    {
        int j = ++g_nJoints;
        g_Joints[j].x = x;
        g_Joints[j].y = y;
        g_Joints[j].z = z;
        return j;
    }
    int AddMember(int a, int b, short shape)
    {
        int i = ++g_nMembers;
        g_Members[i].jointA = static_cast<short>(a);
        g_Members[i].jointB = static_cast<short>(b);
        g_Members[i].shape = shape;
        g_Members[i].material = 7;
        return i;
    }
};

}  // namespace

TEST_F(LoadsTest, TruckAtTheMinimumIsNotOnTheBridge)
{
    Bridge();
    g_fTruckX = 12;
    EXPECT_EQ(0, ApplyTruckLoads());
    EXPECT_FLOAT_EQ(0.0f, TruckLoadSum());
}

TEST_F(LoadsTest, WheelsShareTheirLoadBetweenDeckJoints)
{
    Bridge();
    ASSERT_FLOAT_EQ(11.96875f, g_fTruckZ);  // wheel tracks at z 13 and 10.9375
    g_fTruckX = 18.0625f;                   // front axle exactly over joints 7 and 22, rear at 12.75
    EXPECT_EQ(1, ApplyTruckLoads());
    // A wheel at a joint's x loads only the member that starts there.
    EXPECT_FLOAT_EQ(-1.75f, g_Joints[7].truckLoad);
    EXPECT_FLOAT_EQ(0.0f, g_Joints[8].truckLoad);
    EXPECT_FLOAT_EQ(0.0f, g_Joints[6].truckLoad);
    EXPECT_FLOAT_EQ(-1.75f, g_Joints[22].truckLoad);
    // Rear wheels three quarters of the way from x 12 to x 13.
    EXPECT_FLOAT_EQ(-0.875f, g_Joints[2].truckLoad);
    EXPECT_FLOAT_EQ(-2.625f, g_Joints[3].truckLoad);
    EXPECT_FLOAT_EQ(-0.875f, g_Joints[17].truckLoad);
    EXPECT_FLOAT_EQ(-2.625f, g_Joints[18].truckLoad);
    EXPECT_FLOAT_EQ(-10.5f, TruckLoadSum());
    EXPECT_EQ(8, g_nTruckJoint1);
    EXPECT_EQ(2, g_nTruckJoint2);
}

TEST_F(LoadsTest, WheelOffTheRunnerTrackIsLost)
{
    Bridge();
    g_fTruckX = 20.5f;
    g_fTruckZ = 12.46875f;  // tracks at 13.5 (just off the z 13 deck) and 11.4375
    EXPECT_EQ(1, ApplyTruckLoads());
    for (int j = 1; j <= 15; ++j) EXPECT_FLOAT_EQ(0.0f, g_Joints[j].truckLoad) << j;
    EXPECT_FLOAT_EQ(-5.25f, TruckLoadSum());
    EXPECT_EQ(0, g_nTruckJoint1);
    EXPECT_EQ(0, g_nTruckJoint2);
}

TEST_F(LoadsTest, TruckSkipsVerticalAndReversedRunners)
{
    AddJoint(10, 0, 0);
    AddJoint(10, 5, 0);
    AddJoint(20, 0, 0);
    AddMember(1, 2, 2);  // no x extent
    AddMember(3, 1, 2);  // runs in -x
    g_Members[1].runner = g_Members[2].runner = 1;
    g_fTruckX = 16;
    g_fTruckZ = 0;
    EXPECT_EQ(1, ApplyTruckLoads());
    EXPECT_FLOAT_EQ(0.0f, TruckLoadSum());
    g_Members[2].jointA = 1;
    g_Members[2].jointB = 3;
    g_fTruckZ = -1.03125f;  // one track on the member's line
    ApplyTruckLoads();
    EXPECT_FLOAT_EQ(-0.5f * 3.5f - 0.5f * 7.0f, TruckLoadSum());
}

TEST_F(LoadsTest, WindOnProjectedLengthAndExposedSize)
{
    AddJoint(0, 0, 0);
    AddJoint(0, 10, 0);
    AddJoint(5, 0, 0);
    AddMember(1, 2, 2);  // 10 long in y, height 0.125
    EXPECT_EQ(0, ApplyWindLoads(0));
    EXPECT_FLOAT_EQ(0.0f, g_Joints[1].windLoad);
    const double q = static_cast<float>(75 * (75 * 0.00256)) * 2.03;
    const float f = static_cast<float>(0.125 * (q * 10) / 144) * 0.5f;
    EXPECT_EQ(1, ApplyWindLoads(75));
    EXPECT_FLOAT_EQ(f, g_Joints[1].windLoad);
    EXPECT_FLOAT_EQ(f, g_Joints[2].windLoad);
    EXPECT_NEAR(0.126875, g_Joints[1].windLoad, 1e-6);

    // Reversed, negated, hidden and rolled members: width 0.125 of shape 9.
    for (int j = 1; j <= 3; ++j) g_Joints[j].windLoad = 0;
    g_bReverseWind = 1;
    g_Members[1].shape = 9;
    g_Members[1].negated = 1;
    g_Members[1].hidden = 1;
    g_Members[1].rollAngle = 0.5f;
    ApplyWindLoads(75);
    EXPECT_FLOAT_EQ(-f, g_Joints[2].windLoad);
    g_Members[1].rollAngle = 0;
    ApplyWindLoads(75);
    EXPECT_NEAR(-f - 3 * f, g_Joints[2].windLoad, 1e-6);  // height 0.375

    // A member along x has no projected length.
    for (int j = 1; j <= 3; ++j) g_Joints[j].windLoad = 0;
    g_nMembers = 0;
    AddMember(1, 3, 7);
    ApplyWindLoads(75);
    EXPECT_FLOAT_EQ(0.0f, g_Joints[3].windLoad);
}

TEST_F(LoadsTest, FanLoadsOnTheTowerTop)
{
    SetupTowerProject();
    ApplyFanJointLoads(75);
    // F1 = 0.99, F2 = 0.3375: d = -0.4489453125, e = 0.331875, tank 0.68.
    EXPECT_NEAR(-0.4489453 - 0.68, g_Joints[5].truckLoad, 1e-6);
    EXPECT_NEAR(-0.4489453 - 0.68, g_Joints[6].truckLoad, 1e-6);
    EXPECT_NEAR(0.4489453 - 0.68, g_Joints[7].truckLoad, 1e-6);
    EXPECT_NEAR(0.4489453 - 0.68, g_Joints[8].truckLoad, 1e-6);
    for (int j = 5; j <= 8; ++j) EXPECT_NEAR(0.331875, g_Joints[j].windLoad, 1e-6) << j;
    for (int j = 1; j <= 4; ++j) EXPECT_FLOAT_EQ(0.0f, g_Joints[j].truckLoad) << j;
}

TEST_F(LoadsTest, FanReversedAndEmptyTank)
{
    SetupTowerProject();
    g_bReverseWind = 1;
    g_bEmptyTank = 1;
    ApplyFanJointLoads(75);
    EXPECT_NEAR(0.4489453 - 0.1175, g_Joints[5].truckLoad, 1e-6);
    EXPECT_NEAR(-0.4489453 - 0.1175, g_Joints[8].truckLoad, 1e-6);
    EXPECT_NEAR(-0.331875, g_Joints[6].windLoad, 1e-6);

    for (int j = 5; j <= 8; ++j) g_Joints[j].truckLoad = g_Joints[j].windLoad = 0;
    g_bEmptyTank = 0;
    ApplyFanJointLoads(0);  // still the tank weight
    for (int j = 5; j <= 8; ++j) {
        EXPECT_FLOAT_EQ(-0.68f, g_Joints[j].truckLoad) << j;
        EXPECT_FLOAT_EQ(0.0f, g_Joints[j].windLoad) << j;
    }
}

TEST_F(LoadsTest, SelfWeightInUSUnits)
{
    AddJoint(0, 0, 0);
    AddJoint(10, 0, 0);
    AddJoint(10, 5, 0);
    AddMember(1, 2, 2);
    AddMember(2, 3, 2);
    UpdateMemberWeights();
    const double w1 = 24.0 * 10 * 0.015625 / 1728;
    const double w2 = 24.0 * 5 * 0.015625 / 1728;
    EXPECT_NEAR(w1, g_Members[1].weight, 1e-8);
    EXPECT_FLOAT_EQ(10.0f, g_Members[1].actualLength);
    EXPECT_FLOAT_EQ(5.0f, g_Members[2].effLengthYY);
    EXPECT_NEAR(-0.5 * w1, g_Joints[1].selfWeightLoad, 1e-8);
    EXPECT_NEAR(-0.5 * (w1 + w2), g_Joints[2].selfWeightLoad, 1e-8);
    EXPECT_NEAR(w1 + w2, TotalWeight(), 1e-7);
}

TEST_F(LoadsTest, SelfWeightInMetricUnitsAndSwitchedOff)
{
    SetMetricUnits(1);
    ResetAllShapes();
    ResetAllMaterials();
    AddJoint(0, 0, 0);
    AddJoint(0, 20, 0);
    AddMember(1, 2, 4);
    g_Members[1].userEffZZ = 1;
    g_Members[1].effLengthZZ = 7;
    g_bIncludeSelfWeight = 0;
    g_Joints[1].selfWeightLoad = 3;
    UpdateMemberWeights();
    EXPECT_NEAR(0.0037718 * 20 * 0.403225, g_Members[1].weight, 1e-7);
    EXPECT_FLOAT_EQ(0.0f, g_Joints[1].selfWeightLoad);
    EXPECT_FLOAT_EQ(7.0f, g_Members[1].effLengthZZ);
    EXPECT_FLOAT_EQ(20.0f, g_Members[1].effLengthYY);
}

TEST_F(LoadsTest, GeneratorsSurviveBadMemberRows)
{
    AddJoint(0, 0, 0);
    AddJoint(0, 10, 0);
    AddMember(1, 2, 2);
    AddMember(1, 2, 2);
    g_Members[2].jointB = 30000;
    g_Members[2].shape = 400;
    g_Members[2].material = -1;
    g_Members[2].runner = 1;
    g_fTruckX = 30;
    ApplyTruckLoads();
    ApplyWindLoads(75);
    UpdateMemberWeights();
    EXPECT_FLOAT_EQ(0.0f, g_Members[2].weight);
}
