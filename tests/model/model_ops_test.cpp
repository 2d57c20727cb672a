#include <cmath>
#include <utility>
#include <vector>

#include "model/defaults.h"
#include "model/model_ops.h"
#include "model/tables.h"
#include "state/frame_globals.h"
#include "tests/common/test_env.h"

namespace {

using Pairs = std::vector<std::pair<int, int>>;
using Values = std::vector<double>;
template <class... T> Values V(T... v) { return {static_cast<double>(v)...}; }

int AddJoint(float x, float y = 0, float z = 0)
{
    JointRec& j = g_Joints[++g_nJoints] = JointRec();
    j.x = x, j.y = y, j.z = z;
    return g_nJoints;
}

// Fresh members between these joints, after the ones there are.
void AddMembers(const Pairs& ends)
{
    for (auto [a, b] : ends) {
        MemberRec& m = g_Members[++g_nMembers] = MemberRec();
        m.jointA = static_cast<short>(a), m.jointB = static_cast<short>(b);
    }
}

// A model of joints at x = 0, 1, ... and these members.
void Model(int joints, const Pairs& ends)
{
    g_nJoints = g_nMembers = 0;
    for (int k = 0; k < joints; ++k) AddJoint(static_cast<float>(k));
    AddMembers(ends);
}

Pairs Ends()
{
    Pairs out;
    for (int i = 1; i <= g_nMembers; ++i) out.emplace_back(g_Members[i].jointA, g_Members[i].jointB);
    return out;
}

const Pairs kChain = {{1, 2}, {2, 3}, {3, 4}, {4, 5}, {1, 5}};

using ModelOpsTest = Tf3dTest;

}  // namespace

TEST_F(ModelOpsTest, DeleteJointOrMemberRenumbersInRangeOnly)
{
    Model(5, kChain);
    g_Joints[4].fileWord2 = 44;
    g_bJointResultsValid = 1;
    EXPECT_EQ(1, DeleteJoint(3));
    EXPECT_EQ(V(g_nJoints, g_bJointResultsValid, g_Joints[3].fileWord2, g_Joints[4].x), V(4, 0, 44, 4));
    EXPECT_EQ(Ends(), (Pairs{{1, 2}, {3, 4}, {1, 4}}));
    g_Members[2].shape = 7;
    g_bMemberResultsValid = 1;
    DeleteMember(1);
    EXPECT_EQ(V(g_bMemberResultsValid, g_Members[1].shape), V(0, 7));
    EXPECT_EQ(Ends(), (Pairs{{3, 4}, {1, 4}}));
    DeleteMember(2);
    EXPECT_EQ(1, g_nMembers);
    Model(0, {});  // rows out of range change nothing
    EXPECT_EQ(0, DeleteJoint(1));
    DeleteMember(1);
    EXPECT_EQ(0, g_nJoints + g_nMembers);
    Model(5, kChain);
    g_bJointResultsValid = g_bMemberResultsValid = 1;
    for (int j : {0, -1, 6, 401, 30000}) EXPECT_EQ(0, DeleteJoint(j)) << j;
    for (int i : {0, -3, 6, 901, 30000}) DeleteMember(i);
    EXPECT_EQ(V(g_nJoints, g_bJointResultsValid + g_bMemberResultsValid), V(5, 2));
    EXPECT_EQ(Ends(), kChain);
}

TEST_F(ModelOpsTest, CoincidenceUsesTruncatedThousandthGrid)
{
    AddJoint(1.0004f, 2, 3);
    AddJoint(1.0006f, 2, 3);
    EXPECT_TRUE(HasCoincidentJoints() && LastJointIsDuplicate());
    EXPECT_EQ(1, FindDuplicateJoint());
    EXPECT_EQ(V(g_Joints[1].mark, g_Joints[2].mark), V(1, 0));
    g_nJoints = 0;
    AddJoint(0.9999f);
    AddJoint(1.0f);
    EXPECT_FALSE(HasCoincidentJoints() || LastJointIsDuplicate() || FindDuplicateJoint());
    g_nJoints = 0;  // truncation goes toward zero: both sides of 0 land in cell 0
    AddJoint(-0.0004f, 5, 5);
    AddJoint(0.0004f, 5, 5);
    EXPECT_TRUE(HasCoincidentJoints());
    g_nJoints = 0;  // 65.536 apart: equal in the low 16 bits of the grid value, yet far apart.
    for (float x : {0.0f, 10.0f, 65.536f}) AddJoint(x, 1, 1);
    EXPECT_FALSE(LastJointIsDuplicate() || HasCoincidentJoints());
    AddJoint(10.0002f, 1, 1);
    EXPECT_TRUE(LastJointIsDuplicate() && FindDuplicateJoint() == 2);
    g_nJoints = 0;  // huge coordinates do not overflow the grid conversion
    AddJoint(1e30f);
    AddJoint(-1e30f);
    EXPECT_FALSE(LastJointIsDuplicate());
}

TEST_F(ModelOpsTest, DuplicateZeroLengthAndStrayRemoval)
{
    Model(8, {{1, 2}, {2, 7}, {7, 2}, {3, 4}, {2, 7}});  // duplicates: the lowest-numbered copy stays
    g_Members[2].shape = 5;
    // Found: the highest copy of the first member that has copies.
    EXPECT_EQ(V(HasDuplicateMember(), FindDuplicateMember()), V(1, 5));
    RemoveDuplicateMembers();
    EXPECT_EQ(V(HasDuplicateMember(), FindDuplicateMember(), g_Members[2].shape), V(0, 0, 5));
    EXPECT_EQ(Ends(), (Pairs{{1, 2}, {2, 7}, {3, 4}}));
    g_nJoints = g_nMembers = 0;  // zero length: at or below one ten-thousandth
    AddJoint(0);
    AddJoint(3, 4, 12);
    AddJoint(0.0001f);
    AddMembers({{1, 2}, {1, 3}, {2, 1}});
    EXPECT_TRUE(ComputeMemberLengths());
    EXPECT_EQ(V(g_Members[1].length, FindZeroLengthMember()), V(13, 2));
    RemoveZeroLengthMembers();
    EXPECT_EQ(V(g_nMembers, FindZeroLengthMember()), V(2, 0));
    EXPECT_FALSE(ComputeMemberLengths());
    EXPECT_FLOAT_EQ(13.0f, MemberLength(1));
    EXPECT_FLOAT_EQ(std::sqrt(160.0f), MemberLengthYZ(1));
    Model(6, {{2, 4}, {4, 6}});  // stray joints go lowest first, members follow the renumbering
    EXPECT_EQ(V(HasUnconnectedJoint(), FindUnconnectedJoint()), V(1, 1));
    RemoveUnconnectedJoints();
    EXPECT_EQ(V(HasUnconnectedJoint(), g_nJoints, g_Joints[3].x), V(0, 3, 5));
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
    Model(2, {{1, 2}, {1, 2}});
    g_Members[1].shape = 2, g_Members[2].shape = 3;
    // Each edit in turn and the code that follows it (-1: any failure).
    const struct { void (*edit)(); int code; } steps[] = {
        {[] {}, 0},
        // Within a member the material tests come after the shape tests.
        {[] { g_Shapes[2].area = 0; }, 3},
        {[] { g_Materials[1].density = 1e-9f; }, 11},
        // A later member overrides an earlier one.
        {[] {
             g_Materials[1].density = 12, g_Members[2].material = 4, g_Materials[4].ultShearStress = 0;
             g_Shapes[2].area = 0.015625f, g_Shapes[3].modulusZZ = 0;
         },
         15},
        {[] { g_Members[2].material = 1; }, 8},
        // Height above 1.27 is the last test: it beats every earlier failure.
        {[] {
             g_Shapes[3].modulusZZ = 0.001f, g_Members[1].material = 4;
             g_Shapes[3].height = 1.3f, g_Shapes[3].area = 0;
         },
         99},
        {[] { g_Shapes[3].height = 1.27f; }, 3},
        {[] { g_Shapes[3].area = 1; }, 15},
        // Rows outside the tables.
        {[] { Model(2, {{1, 2}}), g_Members[1].shape = 300; }, -1},
        {[] { g_Members[1].shape = 1, g_Members[1].material = -2; }, -1},
        // Rows of the other unit system.
        {[] { g_Members[1].material = 1, SetMetricUnits(1), ResetAllShapes(), ResetAllMaterials(); }, 0},
        {[] { ResetMaterialUS(1); }, 22},
        {[] { ResetShapeUS(1); }, 22},
        {[] { ResetMaterialMetric(1); }, 20},
        {[] { SetMetricUnits(0), ResetAllShapes(), ResetAllMaterials(), ResetMaterialMetric(1); }, 23},
        {[] { ResetMaterialUS(1), ResetShapeMetric(1); }, 21},
    };
    for (const auto& step : steps) {
        step.edit();
        const int code = CheckSectionProperties();
        EXPECT_EQ(step.code, step.code < 0 && code != 0 ? -1 : code) << "step " << &step - steps;
    }
}

TEST_F(ModelOpsTest, TableLimits)
{
    g_nJoints = MAX_JOINTS - 1;  // the limit messages are checked with Run the Analysis and the add tools
    EXPECT_EQ(1, CheckJointLimit());
    // Replication needs room for every marked joint, the last one too.
    g_nJoints = MAX_JOINTS - 2;
    g_Joints[10].mark = g_Joints[MAX_JOINTS - 2].mark = 1;
    EXPECT_FALSE(CanReplicateMarkedJoints());
    g_nJoints = MAX_JOINTS - 3;
    g_Joints[MAX_JOINTS - 3].mark = 1;
    EXPECT_TRUE(CanReplicateMarkedJoints());
    ClearJointMarks();
    EXPECT_EQ(0, g_Joints[10].mark + g_Joints[MAX_JOINTS - 3].mark);
}

TEST_F(ModelOpsTest, DisplacementsArrowScaleAndTruckOnTheDeck)
{
    const float d[3][3] = {{2, -2, 0.5f}, {-3, 2, 0.25f}, {1, 0, 0.75f}};
    for (const auto& row : d) std::copy(row, row + 3, &g_Joints[AddJoint(0)].dispX);
    FindMaxDisplacements();
    EXPECT_FLOAT_EQ(0.0f, g_fMaxDisplacementX);  // no members
    AddMembers({{1, 2}});
    FindMaxDisplacements();
    // On a tie in y the smaller value.
    EXPECT_EQ(V(g_fMaxDisplacementX, g_fMaxDisplacementY, g_fMaxDisplacementZ), V(-3, -2, 0.75f));
    EXPECT_FLOAT_EQ(1.0f, LoadArrowScale());  // arrow scale ignores generated loads
    g_Joints[1].truckLoad = -100, g_Joints[1].selfWeightLoad = -50;
    EXPECT_FLOAT_EQ(1.0f, LoadArrowScale());
    g_Joints[1].forceY = 2, g_Joints[2].forceZ = -4;
    EXPECT_FLOAT_EQ(0.25f, LoadArrowScale());

    Model(0, {});  // the displaced shape, and the truck on its deck joints
    AddJoint(10, 6, 13);
    AddJoint(14, 6, 13);
    g_Joints[1].dispY = -0.5f;
    g_Joints[2].dispY = -0.25f, g_Joints[2].dispX = 0.125f;
    g_fTruckTilt = 7, g_fTruckX = 17, g_fTruckY = 6.5f, g_fTruckZ = 12;
    ComputeDisplacedShape(2);
    // No wheel on the deck: the truck stays where it stood, level.
    EXPECT_EQ(V(g_Joints[1].displacedY, g_Joints[2].displacedX, g_Joints[2].displacedZ, g_fTruckTilt),
              V(5, 14.25, 13, 0));
    EXPECT_EQ(V(g_fTruckDisplacedX, g_fTruckDisplacedY, g_fTruckDisplacedZ), V(17, 6.5, 12));
    g_nTruckJoint1 = 2, g_nTruckJoint2 = 1;
    ComputeDisplacedShape(2);
    EXPECT_EQ(V(g_fTruckDisplacedX, g_fTruckDisplacedY, g_fTruckDisplacedZ), V(15.3125, 5.1875, 11.96875));
    EXPECT_NEAR(std::atan(0.5 / 4.25) * 57.296, g_fTruckTilt, 1e-4);
    g_nTruckJoint1 = 30000, g_nTruckJoint2 = -5;  // stale truck joints outside the table are not followed
    ComputeDisplacedShape(1);
}
