#include <cmath>
#include <utility>
#include <vector>

#include "model/defaults.h"
#include "model/model_ops.h"
#include "model/tables.h"
#include "model/templates.h"
#include "tests/common/test_env.h"
#include "view/view_globals.h"

namespace {

std::vector<float> g_clearCalls;

void RecordClearColor(float r, float g, float b, float a)
{
    g_clearCalls.assign({r, g, b, a});
}

class TemplatesTest : public Tf3dTest {
protected:
    void SetUp() override
    {
        Tf3dTest::SetUp();
        ResetAllShapes();
        ResetAllMaterials();
        g_clearCalls.clear();
        g_pfnSetClearColor = nullptr;
    }
    void TearDown() override
    {
        g_pfnSetClearColor = nullptr;
        Tf3dTest::TearDown();
    }
    void BridgeProject()
    {
        BuildBridgeTemplate();
        SetDefaultViewSettings();
        OrientDeckMembers();
        FindDeckExtent();
        PlaceTruckAtStart();
    }
};

void ExpectRestraints(int j, int tx, int ty, int tz, int rx, int ry, int rz)
{
    const JointRec& r = g_Joints[j];
    EXPECT_EQ(tx, r.restraintTX) << j;
    EXPECT_EQ(ty, r.restraintTY) << j;
    EXPECT_EQ(tz, r.restraintTZ) << j;
    EXPECT_EQ(rx, r.restraintRX) << j;
    EXPECT_EQ(ry, r.restraintRY) << j;
    EXPECT_EQ(rz, r.restraintRZ) << j;
}

}  // namespace

TEST_F(TemplatesTest, BridgeTemplateGeometry)
{
    g_bListMembersBuilt = g_bListJointsBuilt = g_bListXZGuideBuilt = 1;
    BuildBridgeTemplate();
    ASSERT_EQ(30, g_nJoints);
    ASSERT_EQ(41, g_nMembers);
    for (int j = 1; j <= 30; ++j) EXPECT_FLOAT_EQ(6.0f, g_Joints[j].y) << j;
    EXPECT_FLOAT_EQ(11.75f, g_Joints[1].x);
    EXPECT_FLOAT_EQ(12.0f, g_Joints[2].x);
    EXPECT_FLOAT_EQ(24.0f, g_Joints[14].x);
    EXPECT_FLOAT_EQ(24.25f, g_Joints[15].x);
    EXPECT_FLOAT_EQ(13.0f, g_Joints[15].z);
    EXPECT_FLOAT_EQ(11.75f, g_Joints[16].x);
    EXPECT_FLOAT_EQ(11.0f, g_Joints[16].z);
    EXPECT_FLOAT_EQ(18.0f, g_Joints[23].x);
    EXPECT_FLOAT_EQ(24.25f, g_Joints[30].x);
    ExpectRestraints(1, 1, 1, 1, 0, 0, 0);
    ExpectRestraints(16, 1, 1, 1, 0, 0, 0);
    ExpectRestraints(8, 0, 0, 0, 0, 0, 0);
    ExpectRestraints(15, 0, 1, 1, 1, 0, 0);
    ExpectRestraints(30, 0, 1, 1, 1, 0, 0);

    const MemberRec& deck = g_Members[15];
    EXPECT_EQ(16, deck.jointA);
    EXPECT_EQ(17, deck.jointB);
    EXPECT_EQ(9, deck.shape);
    EXPECT_EQ(7, deck.material);
    EXPECT_EQ(1, deck.runner);
    EXPECT_FLOAT_EQ(90.0f, deck.rollAngle);
    EXPECT_FLOAT_EQ(-0.125f, deck.offsetZ);
    EXPECT_FLOAT_EQ(0.25f, deck.actualLength);
    EXPECT_FLOAT_EQ(0.25f, deck.effLengthYY);
    EXPECT_EQ(30, g_Members[28].jointB);
    const MemberRec& cross = g_Members[41];
    EXPECT_EQ(14, cross.jointA);
    EXPECT_EQ(29, cross.jointB);
    EXPECT_EQ(2, cross.shape);
    EXPECT_EQ(0, cross.runner);
    EXPECT_FLOAT_EQ(0.0f, cross.rollAngle);
    EXPECT_FLOAT_EQ(2.0f, cross.actualLength);
    EXPECT_FLOAT_EQ(2.0f, cross.effLengthZZ);
    EXPECT_EQ(g_Materials[7].colorR, cross.colorR);
    EXPECT_EQ(g_Materials[7].colorB, cross.colorB);
    EXPECT_FALSE(HasDuplicateMember());
    EXPECT_FALSE(HasUnconnectedJoint());

    EXPECT_FLOAT_EQ(0.1f, g_fJointSize);
    EXPECT_EQ(36, g_nWorkspaceX);
    EXPECT_EQ(12, g_nWorkspaceY);
    EXPECT_EQ(24, g_nWorkspaceZ);
    EXPECT_EQ(0, g_bListMembersBuilt);
    EXPECT_EQ(0, g_bListJointsBuilt);
    EXPECT_EQ(0, g_bListXZGuideBuilt);
}

TEST_F(TemplatesTest, BridgeTemplateLeavesAnExistingModel)
{
    g_nMembers = 1;
    g_fTruckMinX = 3;
    g_nWorkspaceX = 48;
    BuildBridgeTemplate();
    EXPECT_FLOAT_EQ(12.0f, g_fTruckMinX);
    EXPECT_EQ(0, g_nJoints);
    EXPECT_EQ(1, g_nMembers);
    EXPECT_EQ(48, g_nWorkspaceX);
    EXPECT_FLOAT_EQ(0.25f, g_fJointSize);
}

TEST_F(TemplatesTest, TruckStartsAtTheDeckStart)
{
    BridgeProject();
    EXPECT_EQ(1, g_nDeckFirstMember);
    EXPECT_EQ(1, g_nDeckFirstJoint);
    EXPECT_FLOAT_EQ(11.75f, g_fDeckMinX);
    EXPECT_FLOAT_EQ(24.25f, g_fDeckMaxX);
    EXPECT_FLOAT_EQ(11.75f, g_fTruckX);
    EXPECT_FLOAT_EQ(11.96875f, g_fTruckZ);
    EXPECT_FLOAT_EQ(6.0f + 0.5f * g_Shapes[9].width + 0.125f, g_fTruckY);
    EXPECT_FLOAT_EQ(6.1875f, g_fTruckY);
}

TEST_F(TemplatesTest, MetricTruckUsesCentimetreOffsets)
{
    SetMetricUnits(1);
    ResetAllShapes();
    ResetAllMaterials();
    BridgeProject();
    EXPECT_FLOAT_EQ(11.75f, g_Joints[1].x);
    EXPECT_FLOAT_EQ(11.75f + 13.49375f, g_fTruckX);
    EXPECT_FLOAT_EQ(13.0f - 2.61938f, g_fTruckZ);
    EXPECT_FLOAT_EQ(6.0f + 0.5f * 0.3175f + 0.125f, g_fTruckY);
}

TEST_F(TemplatesTest, TruckHeightUsesShapeHeightUnlessRolled90)
{
    BuildBridgeTemplate();
    g_Members[1].rollAngle = 45;
    g_Members[1].offsetY = 0.5f;
    FindDeckExtent();
    PlaceTruckAtStart();
    EXPECT_FLOAT_EQ(0.5f * 0.375f + 6.0f + 0.5f, g_fTruckY);
}

TEST_F(TemplatesTest, DeckOrientationAndExtent)
{
    BuildBridgeTemplate();
    std::swap(g_Members[3].jointA, g_Members[3].jointB);    // deck drawn right to left
    std::swap(g_Members[30].jointA, g_Members[30].jointB);  // cross member, never turned
    OrientDeckMembers();
    EXPECT_EQ(3, g_Members[3].jointA);
    EXPECT_EQ(4, g_Members[3].jointB);
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
    EXPECT_FLOAT_EQ(24.25f, g_fDeckMaxX);
}

TEST_F(TemplatesTest, DeckExtentWithoutRunnersKeepsOldValues)
{
    BuildBridgeTemplate();
    for (int i = 1; i <= g_nMembers; ++i) g_Members[i].runner = 0;
    g_nDeckFirstMember = 7;
    g_nDeckFirstJoint = 8;
    g_fDeckMinX = -1;
    g_fDeckMaxX = -2;
    FindDeckExtent();
    EXPECT_EQ(7, g_nDeckFirstMember);
    EXPECT_EQ(8, g_nDeckFirstJoint);
    EXPECT_FLOAT_EQ(-1.0f, g_fDeckMinX);
    EXPECT_FLOAT_EQ(-2.0f, g_fDeckMaxX);
    // Corrupt deck globals are not followed outside the tables.
    g_nDeckFirstMember = -4;
    g_nDeckFirstJoint = 30000;
    PlaceTruckAtStart();
}

TEST_F(TemplatesTest, BridgeViewSettings)
{
    g_pfnSetClearColor = RecordClearColor;
    g_bListXYGuide1Built = g_bListYZGuide4Built = 1;
    g_bShowXZBasePlane = 1;
    SetDefaultViewSettings();
    EXPECT_FLOAT_EQ(0.7f, g_fBackgroundG);
    EXPECT_EQ((std::vector<float>{0.0f, 0.7f, 0.35f, 1.0f}), g_clearCalls);
    EXPECT_FLOAT_EQ(0.4f, g_fAmbientLightB);
    EXPECT_FLOAT_EQ(0.5f, g_fDirectLightR);
    EXPECT_EQ(0, g_bShowXYBasePlane);
    EXPECT_EQ(0, g_bShowYZBasePlane);
    EXPECT_EQ(1, g_bShowXZBasePlane);
    EXPECT_EQ(0, g_bShowRulers);
    EXPECT_EQ(0, g_bShowGuideXY + g_bShowGuideXZ + g_bShowGuideYZ);
    EXPECT_EQ(0, g_bListXYGuide1Built + g_bListYZGuide4Built);
    EXPECT_EQ(1, g_bMagnify2);
    EXPECT_EQ(0, g_bMagnify10);
    EXPECT_FLOAT_EQ(2.0f, g_fMagnification);
    EXPECT_FLOAT_EQ(0.697f, g_fOrbitAngleB);
    EXPECT_DOUBLE_EQ(-3.25, g_dEyeX);
    EXPECT_DOUBLE_EQ(30.0, g_dEyeZ);
    EXPECT_DOUBLE_EQ(17.0, g_dCenterX);
    EXPECT_DOUBLE_EQ(6.0, g_dCenterY);
    EXPECT_FLOAT_EQ(13.0f, g_fGuidePlaneZ);
}

TEST_F(TemplatesTest, TowerProject)
{
    g_pfnSetClearColor = RecordClearColor;
    g_nJoints = 20;  // written over without a check
    g_nMembers = 12;
    g_bShowXZBasePlane = 0;
    SetupTowerProject();
    ASSERT_EQ(8, g_nJoints);
    ASSERT_EQ(5, g_nMembers);
    EXPECT_FLOAT_EQ(22.0f, g_Joints[4].x);
    EXPECT_FLOAT_EQ(1.25f, g_Joints[4].y);
    EXPECT_FLOAT_EQ(8.0f, g_Joints[4].z);
    EXPECT_FLOAT_EQ(13.25f, g_Joints[5].y);
    ExpectRestraints(2, 1, 1, 1, 0, 0, 0);
    ExpectRestraints(7, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(5, g_Members[5].jointA);
    EXPECT_EQ(8, g_Members[5].jointB);
    EXPECT_EQ(9, g_Members[5].shape);
    EXPECT_EQ(7, g_Members[5].material);
    EXPECT_FLOAT_EQ(std::sqrt(32.0f), g_Members[5].actualLength);
    EXPECT_FLOAT_EQ(4.0f, g_Members[1].effLengthYY);

    EXPECT_EQ((std::vector<float>{0.0f, 0.7f, 0.35f, 1.0f}), g_clearCalls);
    EXPECT_EQ(0, g_bShowXYBasePlane);
    EXPECT_EQ(1, g_bShowXZBasePlane);
    EXPECT_EQ(1, g_bShowYZBasePlane);
    EXPECT_FLOAT_EQ(1.57f, g_fOrbitAngle);
    EXPECT_DOUBLE_EQ(64.0, g_dEyeZ);
    EXPECT_DOUBLE_EQ(9.0, g_dCenterZ);
    EXPECT_FLOAT_EQ(20.0f, g_fMagnification);
    EXPECT_EQ(1, g_bMagnify20);
    EXPECT_EQ(0, g_bMagnify10);
}

