#include <vector>

#include "model/defaults.h"
#include "model/model_ops.h"
#include "model/tables.h"
#include "model/undo.h"
#include "tests/common/test_env.h"

namespace {

using Values = std::vector<double>;
template <class... T> Values V(T... v) { return {static_cast<double>(v)...}; }

// Joints at x = 1..4 (TY free), members k-(k+1) of shape k+1, material k+4.
class UndoTest : public Tf3dTest {
protected:
    void SetUp() override
    {
        Tf3dTest::SetUp();
        for (int k = 1; k <= 4; ++k) g_Joints[k].x = static_cast<float>(k), g_Joints[k].restraintTY = 0;
        for (int k = 1; k <= 3; ++k) {
            MemberRec& m = g_Members[k];
            m.jointA = static_cast<short>(k), m.jointB = static_cast<short>(k + 1);
            m.shape = static_cast<short>(k + 1), m.material = static_cast<short>(k + 4);
        }
        g_nJoints = 4;
        g_nMembers = 3;
    }
};

}  // namespace

TEST_F(UndoTest, SnapshotRestoresTheModelTwiceWithItsUnitsAndTables)
{
    g_bModelSaved = 1;
    TakeUndoSnapshot();
    EXPECT_EQ(0, g_bModelSaved);
    g_Joints[++g_nJoints].x = 50;
    g_Members[1].shape = 10;
    g_bModelSaved = 1;
    RestoreUndoSnapshot();
    EXPECT_EQ(V(g_bModelSaved, g_nJoints, g_Members[1].shape), V(1, 4, 2));
    g_Members[1].shape = 10;
    g_nMembers = 0;
    RestoreUndoSnapshot();
    EXPECT_EQ(V(g_nMembers, g_Members[1].shape), V(3, 2));
    // The shape and material rows come back within one unit system and with
    // the other one.
    ResetAllShapes();
    ResetAllMaterials();
    const float density = g_Materials[2].density;
    TakeUndoSnapshot();
    g_Materials[2].density = 99;
    g_Shapes[1].name[0] = '#';
    RestoreUndoSnapshot();
    EXPECT_EQ(V(g_Materials[2].density, g_Shapes[1].name[0]), V(density, '3'));
    TakeUndoSnapshot();
    SetMetricUnits(1);
    ResetAllShapes();
    ResetAllMaterials();
    RestoreUndoSnapshot();
    EXPECT_EQ(V(g_bMetricUnits, g_bUnitsUS, g_Shapes[1].metricRow, g_Materials[2].metricRow, g_Materials[2].density),
              V(0, 1, 0, 0, density));
    g_nJoints = 30000, g_nMembers = -7;  // corrupt counts stay inside the tables
    TakeUndoSnapshot();
    RestoreUndoSnapshot();
    EXPECT_EQ(V(g_nJoints, g_nMembers), V(30000, -7));
}

TEST_F(UndoTest, DeletedRowsComeBackWithTheirPropertiesNotResults)
{
    MemberRec& m2 = g_Members[2];
    m2.momentZZ2 = 0;
    m2.negated = m2.runner = m2.userEffZZ = 1;
    m2.offsetZ = -0.5f, m2.rollAngle = 30, m2.effLengthZZ = 3.5f;
    g_Members[3].endForces[EF_AXIAL1] = 42;
    g_Members[3].intact = 0;
    TakeUndoSnapshot();
    DeleteMember(2);
    ASSERT_EQ(2, g_nMembers);
    RestoreUndoSnapshot();
    ASSERT_EQ(3, g_nMembers);
    const MemberRec& r = g_Members[2];
    // Results are not part of the snapshot: row 2 keeps what member 3 moved into it.
    EXPECT_EQ(V(r.jointA, r.jointB, r.shape, r.material, r.momentZZ2, r.momentYY1, r.negated + r.runner + r.userEffZZ,
                r.offsetZ, r.rollAngle, r.effLengthZZ, r.endForces[EF_AXIAL1], r.intact),
              V(2, 3, 3, 6, 0, 1, 3, -0.5, 30, 3.5, 42, 0));
    JointRec& j = g_Joints[3];  // joints come back with their members, but not their moments
    j.forceY = -5, j.mark = 1, j.momentZ = 11;
    g_Joints[4].momentX = 22;
    TakeUndoSnapshot();
    DeleteJoint(3);
    EXPECT_EQ(1, g_nMembers);
    RestoreUndoSnapshot();
    // Row 3 holds old joint 4's moment after the delete; the restore leaves it.
    EXPECT_EQ(V(g_nJoints, g_nMembers, j.x, j.forceY, j.mark, j.restraintTY, j.restraintTX, j.momentX, j.momentZ,
                g_Members[3].jointB), V(4, 3, 3, -5, 1, 0, 1, 22, 0, 4));
}
