#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "model/defaults.h"
#include "model/model_ops.h"
#include "model/tables.h"
#include "model/templates.h"
#include "state/view_globals.h"
#include "tests/common/test_env.h"

namespace {

using Values = std::vector<double>;
template <class... T> Values V(T... v) { return {static_cast<double>(v)...}; }

const std::vector<float> kGreen = {0.0f, 0.7f, 0.35f, 1.0f};
std::vector<float> g_clearCalls;

// Restraint flags TX TY TZ RX RY RZ of each joint named, as digits.
std::string Restraints(std::initializer_list<int> joints)
{
    std::string s;
    for (int j : joints) {
        for (int d = 0; d < 6; ++d) s += static_cast<char>('0' + (&g_Joints[j].restraintTX)[d]);
        s += ' ';
    }
    return s;
}

class TemplatesTest : public Tf3dTest {
protected:
    void SetUp() override
    {
        Tf3dTest::SetUp();
        ResetAllShapes();
        ResetAllMaterials();
        g_clearCalls.clear();
        g_pfnSetClearColor = [](float r, float g, float b, float a) { g_clearCalls.assign({r, g, b, a}); };
    }
    void TearDown() override { g_pfnSetClearColor = nullptr; Tf3dTest::TearDown(); }
    static void PlaceTruck() { OrientDeckMembers(); FindDeckExtent(); PlaceTruckAtStart(); }
};

}  // namespace

TEST_F(TemplatesTest, BridgeTemplate)
{
    g_bListMembersBuilt = g_bListJointsBuilt = g_bListXZGuideBuilt = 1;
    BuildBridgeTemplate();
    ASSERT_EQ(V(g_nJoints, g_nMembers), V(30, 41));
    for (int j = 1; j <= 30; ++j) EXPECT_FLOAT_EQ(6.0f, g_Joints[j].y) << j;
    EXPECT_EQ(Restraints({16, 8, 30}), "111000 000000 011100 ");
    const MemberRec& deck = g_Members[15];
    EXPECT_EQ(V(g_Members[15].jointA, g_Members[15].jointB), V(16, 17));
    EXPECT_EQ(V(deck.runner, deck.rollAngle, deck.offsetZ, deck.effLengthYY), V(1, 90, -0.125, 0.25));
    EXPECT_EQ(V(g_Members[41].jointA, g_Members[41].jointB, g_Members[41].actualLength), V(14, 29, 2));
    EXPECT_FALSE(HasDuplicateMember() || HasUnconnectedJoint());
    EXPECT_EQ(V(g_fJointSize, g_bListMembersBuilt + g_bListJointsBuilt + g_bListXZGuideBuilt), V(0.1f, 0));
    g_nJoints = 0;  // an existing model is left alone; the truck minimum is set anyway
    g_nMembers = 1;
    g_fJointSize = 0.25f;
    g_fTruckMinX = 3;
    BuildBridgeTemplate();
    EXPECT_EQ(V(g_fTruckMinX, g_nJoints, g_fJointSize), V(12, 0, 0.25));
    g_bListXYGuide1Built = 1;  // the project view: green background, XZ base plane only, magnified 2
    SetDefaultViewSettings();
    EXPECT_EQ(kGreen, g_clearCalls);
    EXPECT_EQ(0, g_bShowXYBasePlane + g_bShowYZBasePlane + g_bShowRulers + g_bShowGuideXY + g_bListXYGuide1Built);
    EXPECT_EQ(V(g_bShowXZBasePlane, g_fMagnification, g_dEyeX), V(1, 2, -3.25));
}

TEST_F(TemplatesTest, TruckStartsAtTheDeckStart)
{
    BuildBridgeTemplate();
    PlaceTruck();
    EXPECT_EQ(V(g_nDeckFirstMember, g_nDeckFirstJoint, g_fDeckMinX, g_fDeckMaxX, g_fTruckX, g_fTruckZ),
              V(1, 1, 11.75, 24.25, 17.0625, 11.96875));  // rear axle on the deck's start
    EXPECT_FLOAT_EQ(6.0f + 0.5f * 0.125f + 0.125f, g_fTruckY);  // half the width of a deck rolled 90
    g_Members[1].rollAngle = 45, g_Members[1].offsetY = 0.5f;  // not rolled 90: half the shape height, plus the offset
    PlaceTruck();
    EXPECT_FLOAT_EQ(0.5f * 0.375f + 6.0f + 0.5f, g_fTruckY);
    g_nJoints = g_nMembers = 0;  // metric: centimetre offsets on the same inch model
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
    EXPECT_EQ(V(g_Members[3].jointA, g_Members[3].jointB, g_Members[30].jointA), V(3, 4, 18));
    g_Joints[++g_nJoints] = g_Joints[16];  // A later runner reaching further left becomes the deck start.
    g_Joints[g_nJoints].x = 10;
    g_Members[++g_nMembers] = g_Members[15];
    g_Members[g_nMembers].jointA = g_nJoints, g_Members[g_nMembers].jointB = 16;
    FindDeckExtent();
    EXPECT_EQ(V(g_nDeckFirstMember, g_nDeckFirstJoint, g_fDeckMinX), V(42, 31, 10));
    // Without runners the old values stay.
    for (int i = 1; i <= g_nMembers; ++i) g_Members[i].runner = 0;
    g_nDeckFirstMember = 7;
    g_fDeckMinX = -1;
    FindDeckExtent();
    EXPECT_EQ(V(g_nDeckFirstMember, g_fDeckMinX), V(7, -1));
    g_nDeckFirstMember = -4, g_nDeckFirstJoint = 30000;  // corrupt deck globals are not followed outside the tables
    PlaceTruckAtStart();
}

TEST_F(TemplatesTest, TowerProject)
{
    g_nJoints = 20;  // written over without a check
    g_nMembers = 12;
    g_bShowXZBasePlane = 0;
    SetupTowerProject();
    ASSERT_EQ(V(g_nJoints, g_nMembers), V(8, 5));
    EXPECT_EQ(V(g_Joints[4].x, g_Joints[5].y, g_Members[1].effLengthYY), V(22, 13.25, 4));
    EXPECT_EQ(Restraints({2, 7}), "111000 000000 ");
    EXPECT_EQ(V(g_Members[5].jointA, g_Members[5].jointB), V(5, 8));
    EXPECT_FLOAT_EQ(std::sqrt(32.0f), g_Members[5].actualLength);
    EXPECT_EQ(kGreen, g_clearCalls);
    EXPECT_EQ(V(g_bShowXYBasePlane, g_bShowXZBasePlane + g_bShowYZBasePlane, g_fMagnification, g_bMagnify20),
              V(0, 2, 20, 1));
    EXPECT_FLOAT_EQ(1.57f, g_fOrbitAngle);
}
