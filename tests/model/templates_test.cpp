#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "model/defaults.h"
#include "model/model_ops.h"
#include "model/tables.h"
#include "model/templates.h"
#include "tests/common/test_env.h"
#include "view/view_globals.h"

namespace {

using Pair = std::pair<int, int>;
const std::vector<float> kGreen = {0.0f, 0.7f, 0.35f, 1.0f};
std::vector<float> g_clearCalls;

void RecordClearColor(float r, float g, float b, float a)
{
    g_clearCalls.assign({r, g, b, a});
}

// Restraint flags TX TY TZ RX RY RZ as a string of digits.
std::string Restraints(int j)
{
    const JointRec& r = g_Joints[j];
    std::string s;
    for (short f : {r.restraintTX, r.restraintTY, r.restraintTZ, r.restraintRX, r.restraintRY, r.restraintRZ})
        s += static_cast<char>('0' + f);
    return s;
}

Pair Ends(int i)
{
    return {g_Members[i].jointA, g_Members[i].jointB};
}

class TemplatesTest : public Tf3dTest {
protected:
    void SetUp() override
    {
        Tf3dTest::SetUp();
        ResetAllShapes();
        ResetAllMaterials();
        g_clearCalls.clear();
        g_pfnSetClearColor = RecordClearColor;
    }
    void TearDown() override
    {
        g_pfnSetClearColor = nullptr;
        Tf3dTest::TearDown();
    }
    static void PlaceTruck()
    {
        OrientDeckMembers();
        FindDeckExtent();
        PlaceTruckAtStart();
    }
};

}  // namespace

TEST_F(TemplatesTest, BridgeTemplate)
{
    g_bListMembersBuilt = g_bListJointsBuilt = g_bListXZGuideBuilt = 1;
    BuildBridgeTemplate();
    ASSERT_EQ(30, g_nJoints);
    ASSERT_EQ(41, g_nMembers);
    for (int j = 1; j <= 30; ++j) EXPECT_FLOAT_EQ(6.0f, g_Joints[j].y) << j;
    EXPECT_FLOAT_EQ(24.25f, g_Joints[15].x);
    EXPECT_FLOAT_EQ(11.0f, g_Joints[16].z);
    EXPECT_EQ("111000", Restraints(16));
    EXPECT_EQ("000000", Restraints(8));
    EXPECT_EQ("011100", Restraints(30));
    const MemberRec& deck = g_Members[15];
    EXPECT_EQ(Pair(16, 17), Ends(15));
    EXPECT_EQ(1, deck.runner);
    EXPECT_FLOAT_EQ(90.0f, deck.rollAngle);
    EXPECT_FLOAT_EQ(-0.125f, deck.offsetZ);
    EXPECT_FLOAT_EQ(0.25f, deck.effLengthYY);
    EXPECT_EQ(Pair(14, 29), Ends(41));
    EXPECT_FLOAT_EQ(2.0f, g_Members[41].actualLength);
    EXPECT_FALSE(HasDuplicateMember());
    EXPECT_FALSE(HasUnconnectedJoint());
    EXPECT_FLOAT_EQ(0.1f, g_fJointSize);
    EXPECT_EQ(0, g_bListMembersBuilt + g_bListJointsBuilt + g_bListXZGuideBuilt);

    // An existing model is left alone; the truck minimum is set anyway.
    g_nJoints = 0;
    g_nMembers = 1;
    g_fJointSize = 0.25f;
    g_fTruckMinX = 3;
    BuildBridgeTemplate();
    EXPECT_FLOAT_EQ(12.0f, g_fTruckMinX);
    EXPECT_EQ(0, g_nJoints);
    EXPECT_FLOAT_EQ(0.25f, g_fJointSize);

    // The project view: green background, XZ base plane only, magnified 2.
    g_bListXYGuide1Built = 1;
    SetDefaultViewSettings();
    EXPECT_EQ(kGreen, g_clearCalls);
    EXPECT_EQ(0, g_bShowXYBasePlane + g_bShowYZBasePlane + g_bShowRulers + g_bShowGuideXY + g_bListXYGuide1Built);
    EXPECT_EQ(1, g_bShowXZBasePlane);
    EXPECT_FLOAT_EQ(2.0f, g_fMagnification);
    EXPECT_DOUBLE_EQ(-3.25, g_dEyeX);
}

TEST_F(TemplatesTest, TruckStartsAtTheDeckStart)
{
    BuildBridgeTemplate();
    PlaceTruck();
    EXPECT_EQ(1, g_nDeckFirstMember);
    EXPECT_EQ(1, g_nDeckFirstJoint);
    EXPECT_FLOAT_EQ(11.75f, g_fDeckMinX);
    EXPECT_FLOAT_EQ(24.25f, g_fDeckMaxX);
    EXPECT_FLOAT_EQ(11.75f, g_fTruckX);
    EXPECT_FLOAT_EQ(11.96875f, g_fTruckZ);
    EXPECT_FLOAT_EQ(6.0f + 0.5f * 0.125f + 0.125f, g_fTruckY);  // half the width of a deck rolled 90

    // Not rolled 90: half the shape height, plus the offset.
    g_Members[1].rollAngle = 45;
    g_Members[1].offsetY = 0.5f;
    PlaceTruck();
    EXPECT_FLOAT_EQ(0.5f * 0.375f + 6.0f + 0.5f, g_fTruckY);

    // Metric: centimetre offsets on the same inch model.
    g_nJoints = g_nMembers = 0;
    SetMetricUnits(1);
    ResetAllShapes();
    BuildBridgeTemplate();
    PlaceTruck();
    EXPECT_FLOAT_EQ(11.75f + 13.49375f, g_fTruckX);
    EXPECT_FLOAT_EQ(13.0f - 2.61938f, g_fTruckZ);
    EXPECT_FLOAT_EQ(6.0f + 0.5f * 0.3175f + 0.125f, g_fTruckY);
}

TEST_F(TemplatesTest, DeckOrientationAndExtent)
{
    BuildBridgeTemplate();
    std::swap(g_Members[3].jointA, g_Members[3].jointB);    // deck drawn right to left
    std::swap(g_Members[30].jointA, g_Members[30].jointB);  // cross member, never turned
    OrientDeckMembers();
    EXPECT_EQ(Pair(3, 4), Ends(3));
    EXPECT_EQ(18, g_Members[30].jointA);

    // A later runner reaching further left becomes the deck start.
    g_Joints[++g_nJoints] = g_Joints[16];
    g_Joints[g_nJoints].x = 10;
    g_Members[++g_nMembers] = g_Members[15];
    g_Members[g_nMembers].jointA = g_nJoints;
    g_Members[g_nMembers].jointB = 16;
    FindDeckExtent();
    EXPECT_EQ(42, g_nDeckFirstMember);
    EXPECT_EQ(31, g_nDeckFirstJoint);
    EXPECT_FLOAT_EQ(10.0f, g_fDeckMinX);

    // Without runners the old values stay.
    for (int i = 1; i <= g_nMembers; ++i) g_Members[i].runner = 0;
    g_nDeckFirstMember = 7;
    g_fDeckMinX = -1;
    FindDeckExtent();
    EXPECT_EQ(7, g_nDeckFirstMember);
    EXPECT_FLOAT_EQ(-1.0f, g_fDeckMinX);
    // Corrupt deck globals are not followed outside the tables.
    g_nDeckFirstMember = -4;
    g_nDeckFirstJoint = 30000;
    PlaceTruckAtStart();
}

TEST_F(TemplatesTest, TowerProject)
{
    g_nJoints = 20;  // written over without a check
    g_nMembers = 12;
    g_bShowXZBasePlane = 0;
    SetupTowerProject();
    ASSERT_EQ(8, g_nJoints);
    ASSERT_EQ(5, g_nMembers);
    EXPECT_FLOAT_EQ(22.0f, g_Joints[4].x);
    EXPECT_FLOAT_EQ(13.25f, g_Joints[5].y);
    EXPECT_EQ("111000", Restraints(2));
    EXPECT_EQ("000000", Restraints(7));
    EXPECT_EQ(Pair(5, 8), Ends(5));
    EXPECT_FLOAT_EQ(std::sqrt(32.0f), g_Members[5].actualLength);
    EXPECT_FLOAT_EQ(4.0f, g_Members[1].effLengthYY);

    EXPECT_EQ(kGreen, g_clearCalls);
    EXPECT_EQ(0, g_bShowXYBasePlane);
    EXPECT_EQ(2, g_bShowXZBasePlane + g_bShowYZBasePlane);
    EXPECT_FLOAT_EQ(1.57f, g_fOrbitAngle);
    EXPECT_FLOAT_EQ(20.0f, g_fMagnification);
    EXPECT_EQ(1, g_bMagnify20);
}
