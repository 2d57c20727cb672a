#include <cmath>
#include <utility>
#include <vector>

#include "frame/frame_globals.h"
#include "model/defaults.h"
#include "model/model_ops.h"
#include "model/tables.h"
#include "tests/common/test_env.h"

namespace {

int AddJoint(float x, float y = 0, float z = 0)
{
    JointRec& j = g_Joints[++g_nJoints];
    j.x = x, j.y = y, j.z = z;
    return g_nJoints;
}

int AddMember(int a, int b)
{
    g_Members[++g_nMembers].jointA = static_cast<short>(a);
    g_Members[g_nMembers].jointB = static_cast<short>(b);
    return g_nMembers;
}

using Pairs = std::vector<std::pair<int, int>>;

Pairs Ends()
{
    Pairs out;
    for (int i = 1; i <= g_nMembers; ++i) out.emplace_back(g_Members[i].jointA, g_Members[i].jointB);
    return out;
}

// Joints at x = 0..4, members 1-2, 2-3, 3-4, 4-5, 1-5.
void FiveJointChain()
{
    for (int k = 0; k < 5; ++k) AddJoint(static_cast<float>(k));
    for (auto [a, b] : Pairs{{1, 2}, {2, 3}, {3, 4}, {4, 5}, {1, 5}}) AddMember(a, b);
}

using ModelOpsTest = Tf3dTest;

}  // namespace

TEST_F(ModelOpsTest, DeleteJointOrMemberRenumbers)
{
    FiveJointChain();
    g_Joints[4].fileWord2 = 44;
    g_bJointResultsValid = 1;
    EXPECT_EQ(1, DeleteJoint(3));
    EXPECT_EQ(4, g_nJoints);
    EXPECT_EQ(0, g_bJointResultsValid);
    EXPECT_EQ(44, g_Joints[3].fileWord2);
    EXPECT_FLOAT_EQ(4.0f, g_Joints[4].x);
    EXPECT_EQ(Ends(), (Pairs{{1, 2}, {3, 4}, {1, 4}}));

    g_Members[2].shape = 7;
    g_bMemberResultsValid = 1;
    DeleteMember(1);
    EXPECT_EQ(0, g_bMemberResultsValid);
    EXPECT_EQ(7, g_Members[1].shape);
    EXPECT_EQ(Ends(), (Pairs{{3, 4}, {1, 4}}));
    DeleteMember(2);
    EXPECT_EQ(1, g_nMembers);
}

TEST_F(ModelOpsTest, DeleteOutOfRangeChangesNothing)
{
    EXPECT_EQ(0, DeleteJoint(1));
    DeleteMember(1);
    EXPECT_EQ(0, g_nJoints + g_nMembers);

    FiveJointChain();
    g_bJointResultsValid = g_bMemberResultsValid = 1;
    for (int j : {0, -1, 6, 401, 30000}) EXPECT_EQ(0, DeleteJoint(j)) << j;
    for (int i : {0, -3, 6, 901, 30000}) DeleteMember(i);
    EXPECT_EQ(5, g_nJoints);
    EXPECT_EQ(Ends(), (Pairs{{1, 2}, {2, 3}, {3, 4}, {4, 5}, {1, 5}}));
    EXPECT_EQ(2, g_bJointResultsValid + g_bMemberResultsValid);
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
    AddJoint(0.9999f);
    AddJoint(1.0f);
    EXPECT_FALSE(HasCoincidentJoints());
    EXPECT_FALSE(LastJointIsDuplicate());
    EXPECT_EQ(0, FindDuplicateJoint());

    // Truncation goes toward zero: both sides of 0 land in cell 0.
    g_nJoints = 0;
    AddJoint(-0.0004f, 5, 5);
    AddJoint(0.0004f, 5, 5);
    EXPECT_TRUE(HasCoincidentJoints());

    // 65.536 apart: equal in the low 16 bits of the grid value, yet far apart.
    g_nJoints = 0;
    for (float x : {0.0f, 10.0f, 65.536f}) AddJoint(x, 1, 1);
    EXPECT_FALSE(LastJointIsDuplicate());
    EXPECT_FALSE(HasCoincidentJoints());
    AddJoint(10.0002f, 1, 1);
    EXPECT_TRUE(LastJointIsDuplicate());
    EXPECT_EQ(2, FindDuplicateJoint());

    // Huge coordinates do not overflow the grid conversion.
    g_nJoints = 0;
    AddJoint(1e30f);
    AddJoint(-1e30f);
    EXPECT_FALSE(LastJointIsDuplicate());
}

TEST_F(ModelOpsTest, DuplicateZeroLengthAndStrayRemoval)
{
    // Duplicates: the lowest-numbered copy stays.
    for (int k = 0; k < 8; ++k) AddJoint(static_cast<float>(k));
    for (auto [a, b] : Pairs{{1, 2}, {2, 7}, {7, 2}, {3, 4}, {2, 7}}) AddMember(a, b);
    g_Members[2].shape = 5;
    EXPECT_TRUE(HasDuplicateMember());
    EXPECT_EQ(5, FindDuplicateMember());  // highest copy of the first member that has copies
    RemoveDuplicateMembers();
    EXPECT_FALSE(HasDuplicateMember());
    EXPECT_EQ(0, FindDuplicateMember());
    EXPECT_EQ(Ends(), (Pairs{{1, 2}, {2, 7}, {3, 4}}));
    EXPECT_EQ(5, g_Members[2].shape);

    // Zero length: at or below one ten-thousandth.
    g_nJoints = g_nMembers = 0;
    AddJoint(0);
    AddJoint(3, 4, 12);
    AddJoint(0.0001f);
    for (auto [a, b] : Pairs{{1, 2}, {1, 3}, {2, 1}}) AddMember(a, b);
    EXPECT_TRUE(ComputeMemberLengths());
    EXPECT_FLOAT_EQ(13.0f, g_Members[1].length);
    EXPECT_EQ(2, FindZeroLengthMember());
    RemoveZeroLengthMembers();
    EXPECT_EQ(2, g_nMembers);
    EXPECT_EQ(0, FindZeroLengthMember());
    EXPECT_FALSE(ComputeMemberLengths());
    EXPECT_FLOAT_EQ(13.0f, MemberLength(1));
    EXPECT_FLOAT_EQ(std::sqrt(160.0f), MemberLengthYZ(1));

    // Stray joints go lowest first, members follow the renumbering.
    g_nJoints = g_nMembers = 0;
    for (int k = 0; k < 6; ++k) AddJoint(static_cast<float>(k));
    AddMember(2, 4);
    AddMember(4, 6);
    EXPECT_TRUE(HasUnconnectedJoint());
    EXPECT_EQ(1, FindUnconnectedJoint());
    RemoveUnconnectedJoints();
    EXPECT_FALSE(HasUnconnectedJoint());
    ASSERT_EQ(3, g_nJoints);
    EXPECT_FLOAT_EQ(5.0f, g_Joints[3].x);
    EXPECT_EQ(Ends(), (Pairs{{1, 2}, {2, 3}}));
    g_nMembers = 0;
    RemoveUnconnectedJoints();
    EXPECT_EQ(0, g_nJoints);
}

TEST_F(ModelOpsTest, SectionCheckLastFailingTestWins)
{
    ResetAllShapes();
    ResetAllMaterials();
    EXPECT_EQ(0, CheckSectionProperties());
    AddJoint(0);
    AddJoint(1);
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

    // Rows outside the tables fail.
    g_nMembers = 1;
    g_Members[1] = MemberRec();
    g_Members[1].jointA = 1, g_Members[1].jointB = 2;
    g_Members[1].shape = 300;
    EXPECT_NE(0, CheckSectionProperties());
    g_Members[1].shape = 1;
    g_Members[1].material = -2;
    EXPECT_NE(0, CheckSectionProperties());
}

TEST_F(ModelOpsTest, SectionCheckUnitMismatch)
{
    AddJoint(0);
    AddJoint(1);
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

TEST_F(ModelOpsTest, TableLimits)
{
    // The messages themselves are checked with Run the Analysis.
    g_nMembers = MAX_MEMBERS - 1;
    g_nJoints = MAX_JOINTS - 1;
    EXPECT_EQ(1, CheckMemberLimit());
    EXPECT_EQ(1, CheckJointLimit());
    EXPECT_EQ(0, backend.Count(platform::Event::Box));
    g_nMembers = MAX_MEMBERS;
    g_nJoints = MAX_JOINTS;
    EXPECT_EQ(0, CheckMemberLimit());
    EXPECT_EQ(0, CheckJointLimit());
    EXPECT_EQ(2, backend.Count(platform::Event::Box));

    // Replication needs room for every marked joint.
    g_nJoints = MAX_JOINTS - 1;
    g_Joints[10].mark = g_Joints[20].mark = 1;
    EXPECT_FALSE(CanReplicateMarkedJoints());
    g_nJoints = MAX_JOINTS - 3;
    EXPECT_TRUE(CanReplicateMarkedJoints());
    ClearJointMarks();
    EXPECT_EQ(0, g_Joints[10].mark + g_Joints[20].mark);
}

TEST_F(ModelOpsTest, MaxDisplacementsAndLoadArrowScale)
{
    const float d[3][3] = {{2, -2, 0.5f}, {-3, 2, 0.25f}, {1, 0, 0.75f}};
    for (const auto& row : d) {
        JointRec& j = g_Joints[AddJoint(0)];
        j.dispX = row[0], j.dispY = row[1], j.dispZ = row[2];
    }
    FindMaxDisplacements();
    EXPECT_FLOAT_EQ(0.0f, g_fMaxDisplacementX);  // no members
    AddMember(1, 2);
    FindMaxDisplacements();
    EXPECT_FLOAT_EQ(-3.0f, g_fMaxDisplacementX);
    EXPECT_FLOAT_EQ(-2.0f, g_fMaxDisplacementY);  // tie: the smallest
    EXPECT_FLOAT_EQ(0.75f, g_fMaxDisplacementZ);

    // Arrow scale ignores generated loads.
    EXPECT_FLOAT_EQ(1.0f, LoadArrowScale());
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
