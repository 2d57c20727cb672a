#include <cmath>

#include "frame/frame_globals.h"
#include "model/defaults.h"
#include "model/model_ops.h"
#include "model/tables.h"
#include "tests/common/test_env.h"

namespace {

class ModelOpsTest : public Tf3dTest {
protected:
    int AddJoint(float x, float y, float z)
    {
        int j = ++g_nJoints;
        g_Joints[j].x = x;
        g_Joints[j].y = y;
        g_Joints[j].z = z;
        return j;
    }
    int AddMember(int a, int b)
    {
        int i = ++g_nMembers;
        g_Members[i].jointA = static_cast<short>(a);
        g_Members[i].jointB = static_cast<short>(b);
        return i;
    }
    void FiveJointChain()
    {
        for (int k = 0; k < 5; ++k) AddJoint(static_cast<float>(k), 0, 0);
        AddMember(1, 2);
        AddMember(2, 3);
        AddMember(3, 4);
        AddMember(4, 5);
        AddMember(1, 5);
    }
};

}  // namespace

TEST_F(ModelOpsTest, DeleteJointRemovesItsMembersAndRenumbers)
{
    FiveJointChain();
    g_Joints[4].fileWord2 = 44;
    g_bJointResultsValid = 1;
    EXPECT_EQ(1, DeleteJoint(3));
    EXPECT_EQ(4, g_nJoints);
    EXPECT_EQ(0, g_bJointResultsValid);
    EXPECT_EQ(44, g_Joints[3].fileWord2);
    EXPECT_FLOAT_EQ(4.0f, g_Joints[4].x);
    ASSERT_EQ(3, g_nMembers);
    EXPECT_EQ(1, g_Members[1].jointA);
    EXPECT_EQ(2, g_Members[1].jointB);
    EXPECT_EQ(3, g_Members[2].jointA);  // was 4-5
    EXPECT_EQ(4, g_Members[2].jointB);
    EXPECT_EQ(1, g_Members[3].jointA);  // was 1-5
    EXPECT_EQ(4, g_Members[3].jointB);
}

TEST_F(ModelOpsTest, DeleteOutOfRangeChangesNothing)
{
    EXPECT_EQ(0, DeleteJoint(1));
    EXPECT_EQ(0, g_nJoints);
    DeleteMember(1);
    EXPECT_EQ(0, g_nMembers);

    FiveJointChain();
    g_bJointResultsValid = g_bMemberResultsValid = 1;
    for (int j : {0, -1, 6, 401, 30000}) EXPECT_EQ(0, DeleteJoint(j)) << j;
    for (int i : {0, -3, 6, 901, 30000}) DeleteMember(i);
    EXPECT_EQ(5, g_nJoints);
    EXPECT_EQ(5, g_nMembers);
    EXPECT_EQ(1, g_bJointResultsValid);
    EXPECT_EQ(1, g_bMemberResultsValid);
    EXPECT_EQ(1, g_Members[5].jointA);
    EXPECT_EQ(5, g_Members[5].jointB);
    EXPECT_FLOAT_EQ(0.0f, g_Joints[1].x);
}

TEST_F(ModelOpsTest, DeleteMemberMovesLaterRowsDown)
{
    FiveJointChain();
    g_Members[3].shape = 7;
    g_bMemberResultsValid = 1;
    DeleteMember(2);
    EXPECT_EQ(4, g_nMembers);
    EXPECT_EQ(0, g_bMemberResultsValid);
    EXPECT_EQ(7, g_Members[2].shape);
    EXPECT_EQ(3, g_Members[2].jointA);
    EXPECT_EQ(1, g_Members[4].jointA);
    EXPECT_EQ(5, g_Members[4].jointB);
    DeleteMember(4);
    EXPECT_EQ(3, g_nMembers);
}

TEST_F(ModelOpsTest, CoincidenceUsesTruncatedThousandthGrid)
{
    AddJoint(1.0004f, 2, 3);
    AddJoint(1.0006f, 2, 3);
    EXPECT_TRUE(HasCoincidentJoints());
    EXPECT_TRUE(LastJointIsDuplicate());
    EXPECT_EQ(1, FindDuplicateJoint());
    EXPECT_EQ(1, g_Joints[1].mark);
    EXPECT_EQ(0, g_Joints[2].mark);

    g_nJoints = 0;
    AddJoint(0.9999f, 0, 0);
    AddJoint(1.0f, 0, 0);
    EXPECT_FALSE(HasCoincidentJoints());
    EXPECT_FALSE(LastJointIsDuplicate());
    EXPECT_EQ(0, FindDuplicateJoint());

    // Truncation goes toward zero: both sides of 0 land in cell 0.
    g_nJoints = 0;
    AddJoint(-0.0004f, 5, 5);
    AddJoint(0.0004f, 5, 5);
    EXPECT_TRUE(HasCoincidentJoints());
}

TEST_F(ModelOpsTest, DuplicateCheckOnlyMatchesTheSameCell)
{
    // 65.536 apart: equal in the low 16 bits of the grid value, yet far apart.
    AddJoint(0, 1, 1);
    AddJoint(10, 1, 1);
    AddJoint(65.536f, 1, 1);
    EXPECT_FALSE(LastJointIsDuplicate());
    EXPECT_FALSE(HasCoincidentJoints());
    AddJoint(10.0002f, 1, 1);
    EXPECT_TRUE(LastJointIsDuplicate());
    EXPECT_EQ(2, FindDuplicateJoint());
    // Huge coordinates do not overflow the grid conversion.
    g_nJoints = 0;
    AddJoint(1e30f, 0, 0);
    AddJoint(-1e30f, 0, 0);
    EXPECT_FALSE(LastJointIsDuplicate());
}

TEST_F(ModelOpsTest, DuplicateMembersKeepTheLowestNumbered)
{
    for (int k = 0; k < 8; ++k) AddJoint(static_cast<float>(k), 0, 0);
    AddMember(1, 2);
    AddMember(2, 7);
    AddMember(7, 2);
    AddMember(3, 4);
    AddMember(2, 7);
    g_Members[2].shape = 5;
    EXPECT_TRUE(HasDuplicateMember());
    EXPECT_EQ(5, FindDuplicateMember());  // highest copy of the first member that has copies
    RemoveDuplicateMembers();
    EXPECT_FALSE(HasDuplicateMember());
    ASSERT_EQ(3, g_nMembers);
    EXPECT_EQ(5, g_Members[2].shape);
    EXPECT_EQ(2, g_Members[2].jointA);
    EXPECT_EQ(7, g_Members[2].jointB);
    EXPECT_EQ(3, g_Members[3].jointA);
    EXPECT_EQ(0, FindDuplicateMember());
}

TEST_F(ModelOpsTest, ZeroLengthMembersAtOrBelowOneTenThousandth)
{
    AddJoint(0, 0, 0);
    AddJoint(3, 4, 12);
    AddJoint(0.0001f, 0, 0);
    AddMember(1, 2);
    AddMember(1, 3);
    AddMember(2, 1);
    EXPECT_TRUE(ComputeMemberLengths());
    EXPECT_FLOAT_EQ(13.0f, g_Members[1].length);
    EXPECT_EQ(2, FindZeroLengthMember());
    RemoveZeroLengthMembers();
    EXPECT_EQ(2, g_nMembers);
    EXPECT_EQ(0, FindZeroLengthMember());
    EXPECT_FALSE(ComputeMemberLengths());

    EXPECT_FLOAT_EQ(13.0f, MemberLength(1));
    EXPECT_FLOAT_EQ(std::sqrt(160.0f), MemberLengthYZ(1));
}

TEST_F(ModelOpsTest, UnconnectedJointsAreRemovedLowestFirst)
{
    for (int k = 0; k < 6; ++k) AddJoint(static_cast<float>(k), 0, 0);
    AddMember(2, 4);
    AddMember(4, 6);
    EXPECT_TRUE(HasUnconnectedJoint());
    EXPECT_EQ(1, FindUnconnectedJoint());
    RemoveUnconnectedJoints();
    EXPECT_FALSE(HasUnconnectedJoint());
    ASSERT_EQ(3, g_nJoints);
    EXPECT_FLOAT_EQ(1.0f, g_Joints[1].x);
    EXPECT_FLOAT_EQ(5.0f, g_Joints[3].x);
    EXPECT_EQ(1, g_Members[1].jointA);
    EXPECT_EQ(2, g_Members[1].jointB);
    EXPECT_EQ(3, g_Members[2].jointB);

    g_nMembers = 0;
    RemoveUnconnectedJoints();
    EXPECT_EQ(0, g_nJoints);
}

TEST_F(ModelOpsTest, SectionCheckLastFailingTestWins)
{
    ResetAllShapes();
    ResetAllMaterials();
    EXPECT_EQ(0, CheckSectionProperties());
    AddJoint(0, 0, 0);
    AddJoint(1, 0, 0);
    AddMember(1, 2);
    AddMember(1, 2);
    g_Members[1].shape = 2;
    g_Members[2].shape = 3;
    EXPECT_EQ(0, CheckSectionProperties());

    // Within a member the material tests come after the shape tests.
    g_Shapes[2].area = 0;
    EXPECT_EQ(3, CheckSectionProperties());
    g_Materials[1].density = 1e-9f;
    EXPECT_EQ(11, CheckSectionProperties());
    // A later member overrides an earlier one.
    g_Materials[1].density = 12;
    g_Members[2].material = 4;
    g_Materials[4].ultShearStress = 0;
    g_Shapes[2].area = 0.015625f;
    g_Shapes[3].modulusZZ = 0;
    EXPECT_EQ(15, CheckSectionProperties());
    g_Members[2].material = 1;
    EXPECT_EQ(8, CheckSectionProperties());

    // Height above 1.27 is the last test: it beats every earlier failure.
    g_Shapes[3].modulusZZ = 0.001f;
    g_Members[1].material = 4;
    g_Shapes[3].height = 1.3f;
    g_Shapes[3].area = 0;
    EXPECT_EQ(99, CheckSectionProperties());
    g_Shapes[3].height = 1.27f;
    EXPECT_EQ(3, CheckSectionProperties());
    g_Shapes[3].area = 1;
    EXPECT_EQ(15, CheckSectionProperties());
}

TEST_F(ModelOpsTest, SectionCheckUnitMismatch)
{
    AddJoint(0, 0, 0);
    AddJoint(1, 0, 0);
    AddMember(1, 2);
    SetMetricUnits(1);
    ResetAllShapes();
    ResetAllMaterials();
    EXPECT_EQ(0, CheckSectionProperties());
    ResetMaterialUS(1);
    EXPECT_EQ(22, CheckSectionProperties());
    ResetShapeUS(1);
    EXPECT_EQ(22, CheckSectionProperties());
    ResetMaterialMetric(1);
    EXPECT_EQ(20, CheckSectionProperties());

    SetMetricUnits(0);
    ResetAllShapes();
    ResetAllMaterials();
    ResetMaterialMetric(1);
    EXPECT_EQ(23, CheckSectionProperties());
    ResetMaterialUS(1);
    ResetShapeMetric(1);
    EXPECT_EQ(21, CheckSectionProperties());
}

TEST_F(ModelOpsTest, SectionCheckRejectsRowsOutsideTheTables)
{
    ResetAllShapes();
    ResetAllMaterials();
    AddJoint(0, 0, 0);
    AddJoint(1, 0, 0);
    AddMember(1, 2);
    g_Members[1].shape = 300;
    EXPECT_NE(0, CheckSectionProperties());
    g_Members[1].shape = 1;
    g_Members[1].material = -2;
    EXPECT_NE(0, CheckSectionProperties());
}

TEST_F(ModelOpsTest, LimitChecksShowTheirMessage)
{
    g_nMembers = 899;
    g_nJoints = 399;
    EXPECT_EQ(1, CheckMemberLimit());
    EXPECT_EQ(1, CheckJointLimit());
    EXPECT_EQ(0, backend.Count(platform::Event::Box));

    g_nMembers = 900;
    g_nJoints = 400;
    EXPECT_EQ(0, CheckMemberLimit());
    EXPECT_EQ(0, CheckJointLimit());
    auto boxes = backend.Boxes();
    ASSERT_EQ(2u, boxes.size());
    const unsigned flags = platform::MB_OK | platform::MB_ICONINFORMATION | platform::MB_SYSTEMMODAL;
    EXPECT_EQ("Maximum Number of Members = MAX_MEMBERS\n", boxes[0].text);
    EXPECT_EQ("Maximum Number of Joints = MAX_JOINTS\n", boxes[1].text);
    for (const auto& b : boxes) {
        EXPECT_EQ("Trussforge3D", b.caption);
        EXPECT_EQ(flags, b.flags);
    }
}

TEST_F(ModelOpsTest, ReplicationNeedsRoomForEveryMarkedJoint)
{
    g_nJoints = 399;
    g_Joints[10].mark = 1;
    g_Joints[20].mark = 1;
    EXPECT_FALSE(CanReplicateMarkedJoints());
    g_nJoints = 397;
    EXPECT_TRUE(CanReplicateMarkedJoints());
    ClearJointMarks();
    EXPECT_EQ(0, g_Joints[10].mark);
    EXPECT_EQ(0, g_Joints[20].mark);
}

TEST_F(ModelOpsTest, MaxDisplacementsTakeTheLargerMagnitude)
{
    AddJoint(0, 0, 0);
    AddJoint(1, 0, 0);
    AddJoint(2, 0, 0);
    g_Joints[1].dispX = 2; g_Joints[2].dispX = -3; g_Joints[3].dispX = 1;
    g_Joints[1].dispY = -2; g_Joints[2].dispY = 2; g_Joints[3].dispY = 0;
    g_Joints[1].dispZ = 0.5f; g_Joints[2].dispZ = 0.25f; g_Joints[3].dispZ = 0.75f;
    FindMaxDisplacements();
    EXPECT_FLOAT_EQ(0.0f, g_fMaxDisplacementX);  // no members
    AddMember(1, 2);
    FindMaxDisplacements();
    EXPECT_FLOAT_EQ(-3.0f, g_fMaxDisplacementX);
    EXPECT_FLOAT_EQ(-2.0f, g_fMaxDisplacementY);  // tie: the smallest
    EXPECT_FLOAT_EQ(0.75f, g_fMaxDisplacementZ);
}

TEST_F(ModelOpsTest, LoadArrowScaleIgnoresGeneratedLoads)
{
    EXPECT_FLOAT_EQ(1.0f, LoadArrowScale());
    AddJoint(0, 0, 0);
    AddJoint(1, 0, 0);
    g_Joints[1].truckLoad = -100;
    g_Joints[1].selfWeightLoad = -50;
    EXPECT_FLOAT_EQ(1.0f, LoadArrowScale());
    g_Joints[1].forceY = 2;
    g_Joints[2].forceZ = -4;
    EXPECT_FLOAT_EQ(0.25f, LoadArrowScale());
}

TEST_F(ModelOpsTest, DisplacedShapeAndTruckOnTheDeck)
{
    AddJoint(10, 6, 13);
    AddJoint(14, 6, 13);
    g_Joints[1].dispY = -0.5f;
    g_Joints[2].dispY = -0.25f;
    g_Joints[2].dispX = 0.125f;
    g_fTruckTilt = 7;
    ComputeDisplacedShape(2);
    EXPECT_FLOAT_EQ(5.0f, g_Joints[1].displacedY);
    EXPECT_FLOAT_EQ(14.25f, g_Joints[2].displacedX);
    EXPECT_FLOAT_EQ(13.0f, g_Joints[2].displacedZ);
    EXPECT_FLOAT_EQ(7.0f, g_fTruckTilt);  // no truck joints: nothing placed

    g_nTruckJoint1 = 2;
    g_nTruckJoint2 = 1;
    ComputeDisplacedShape(2);
    EXPECT_FLOAT_EQ(15.3125f, g_fTruckDisplacedX);
    EXPECT_FLOAT_EQ(5.1875f, g_fTruckDisplacedY);
    EXPECT_FLOAT_EQ(11.96875f, g_fTruckDisplacedZ);
    EXPECT_NEAR(std::atan(0.5 / 4.25) * 57.296, g_fTruckTilt, 1e-4);

    // Stale truck joints outside the table are not followed.
    g_nTruckJoint1 = 30000;
    g_nTruckJoint2 = -5;
    ComputeDisplacedShape(1);
}

