#include "model/defaults.h"
#include "model/model_ops.h"
#include "model/tables.h"
#include "model/undo.h"
#include "tests/common/test_env.h"

namespace {

// Joints at x = 1..4 (TY free), members k-(k+1) of shape k+1, material k+4.
class UndoTest : public Tf3dTest {
protected:
    void SetUp() override
    {
        Tf3dTest::SetUp();
        for (int k = 1; k <= 4; ++k) {
            g_Joints[k].x = static_cast<float>(k);
            g_Joints[k].restraintTY = 0;
        }
        for (int k = 1; k <= 3; ++k) {
            MemberRec& m = g_Members[k];
            m.jointA = static_cast<short>(k);
            m.jointB = static_cast<short>(k + 1);
            m.shape = static_cast<short>(k + 1);
            m.material = static_cast<short>(k + 4);
        }
        g_nJoints = 4;
        g_nMembers = 3;
    }
};

}  // namespace

TEST_F(UndoTest, SnapshotMarksTheModelChangedAndRestoresTwice)
{
    g_bModelSaved = 1;
    TakeUndoSnapshot();
    EXPECT_EQ(0, g_bModelSaved);
    g_Joints[++g_nJoints].x = 50;
    g_Members[1].shape = 10;
    g_bModelSaved = 1;
    RestoreUndoSnapshot();
    EXPECT_EQ(1, g_bModelSaved);
    EXPECT_EQ(4, g_nJoints);
    EXPECT_EQ(2, g_Members[1].shape);
    g_Members[1].shape = 10;
    g_nMembers = 0;
    RestoreUndoSnapshot();
    EXPECT_EQ(3, g_nMembers);
    EXPECT_EQ(2, g_Members[1].shape);
}

TEST_F(UndoTest, DeletedRowsComeBackWithTheirPropertiesNotResults)
{
    MemberRec& m2 = g_Members[2];
    m2.momentZZ2 = 0;
    m2.negated = m2.runner = m2.userEffZZ = 1;
    m2.offsetZ = -0.5f;
    m2.rollAngle = 30;
    m2.effLengthZZ = 3.5f;
    g_Members[3].endForces[EF_AXIAL1] = 42;
    g_Members[3].intact = 0;
    TakeUndoSnapshot();
    DeleteMember(2);
    ASSERT_EQ(2, g_nMembers);
    RestoreUndoSnapshot();
    ASSERT_EQ(3, g_nMembers);
    const MemberRec& r = g_Members[2];
    EXPECT_EQ(2, r.jointA);
    EXPECT_EQ(3, r.jointB);
    EXPECT_EQ(3, r.shape);
    EXPECT_EQ(6, r.material);
    EXPECT_EQ(0, r.momentZZ2);
    EXPECT_EQ(1, r.momentYY1);
    EXPECT_EQ(3, r.negated + r.runner + r.userEffZZ);
    EXPECT_FLOAT_EQ(-0.5f, r.offsetZ);
    EXPECT_FLOAT_EQ(30.0f, r.rollAngle);
    EXPECT_FLOAT_EQ(3.5f, r.effLengthZZ);
    // Results are not part of the snapshot: row 2 keeps what member 3 moved into it.
    EXPECT_FLOAT_EQ(42.0f, r.endForces[EF_AXIAL1]);
    EXPECT_EQ(0, r.intact);

    // Joints come back with their members, but not their moments.
    JointRec& j = g_Joints[3];
    j.forceY = -5;
    j.mark = 1;
    j.momentZ = 11;
    g_Joints[4].momentX = 22;
    TakeUndoSnapshot();
    DeleteJoint(3);
    EXPECT_EQ(1, g_nMembers);
    RestoreUndoSnapshot();
    EXPECT_EQ(4, g_nJoints);
    EXPECT_EQ(3, g_nMembers);
    EXPECT_FLOAT_EQ(3.0f, j.x);
    EXPECT_FLOAT_EQ(-5.0f, j.forceY);
    EXPECT_EQ(1, j.mark);
    EXPECT_EQ(0, j.restraintTY);
    EXPECT_EQ(1, j.restraintTX);
    // Row 3 holds old joint 4's moment after the delete; the restore leaves it.
    EXPECT_FLOAT_EQ(22.0f, j.momentX);
    EXPECT_FLOAT_EQ(0.0f, j.momentZ);
    EXPECT_EQ(4, g_Members[3].jointB);
}

TEST_F(UndoTest, UnitFlagsRestoredShapesAndMaterialsNot)
{
    ResetAllShapes();
    ResetAllMaterials();
    TakeUndoSnapshot();
    SetMetricUnits(1);
    ResetAllShapes();
    g_Materials[2].density = 99;
    RestoreUndoSnapshot();
    EXPECT_EQ(0, g_bMetricUnits);
    EXPECT_EQ(1, g_bUnitsUS);
    EXPECT_EQ(1, g_Shapes[1].metricRow);
    EXPECT_FLOAT_EQ(99.0f, g_Materials[2].density);
}

TEST_F(UndoTest, CorruptCountsStayInsideTheTables)
{
    g_nJoints = 30000;
    g_nMembers = -7;
    TakeUndoSnapshot();
    RestoreUndoSnapshot();
    EXPECT_EQ(30000, g_nJoints);
    EXPECT_EQ(-7, g_nMembers);
}
