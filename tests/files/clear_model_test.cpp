#include <cstring>

#include "files/clear_model.h"
#include "model/defaults.h"
#include "model/tables.h"
#include "model/templates.h"
#include "tests/common/test_env.h"
#include "view/view_globals.h"

namespace {

class ClearModelTest : public Tf3dTest {};

}  // namespace

TEST_F(ClearModelTest, EmptiesTheTablesAndProjectFlags)
{
    ResetAllShapes();
    ResetAllMaterials();
    BuildBridgeTemplate();
    g_Joints[5].forceY = -3;
    g_Joints[5].momentZ = 2;
    g_Joints[5].dispY = 0.1f;
    g_Joints[5].truckLoad = -1;
    g_Joints[5].mark = 1;
    g_Members[4].endForces[EF_M2ZZ] = 5;
    g_Members[4].intact = 0;
    g_Members[4].outline1[7] = 1;
    g_Members[4].negated = 1;
    g_Members[4].hidden = 1;
    g_Members[4].weight = 0.5f;
    g_bBridgeProject = g_bTruckActive = g_bUseTruck = 1;
    g_bTowerProject = g_bUseFan = 1;
    g_bListMembersBuilt = g_bListRuler3Built = g_bListYZGuide4Built = g_bListXYBasePlaneBuilt = 1;
    g_bListTruckBuilt = 1;
    ShapeRec shape9 = g_Shapes[9];

    ClearModel();

    EXPECT_EQ(0, g_nJoints);
    EXPECT_EQ(0, g_nMembers);
    for (int j = 1; j <= MAX_JOINTS; ++j) {
        const JointRec& r = g_Joints[j];
        ASSERT_EQ(0, r.restraintTX + r.restraintTY + r.restraintTZ + r.restraintRX + r.restraintRY +
                         r.restraintRZ) << j;
        ASSERT_EQ(0.0f, r.x + r.y + r.z) << j;
    }
    for (int i = 1; i <= MAX_MEMBERS; ++i) {
        const MemberRec& m = g_Members[i];
        ASSERT_EQ(0, m.jointA) << i;
        ASSERT_EQ(0, m.jointB) << i;
        ASSERT_EQ(1, m.intact) << i;
        ASSERT_EQ(0, m.useTorsion + m.momentYY1 + m.momentZZ1 + m.momentYY2 + m.momentZZ2) << i;
        ASSERT_EQ(0, m.shape + m.material + m.runner) << i;
    }
    EXPECT_FLOAT_EQ(0.0f, g_Joints[5].forceY);
    EXPECT_FLOAT_EQ(0.0f, g_Joints[5].momentZ);
    EXPECT_FLOAT_EQ(0.0f, g_Joints[5].dispY);
    EXPECT_FLOAT_EQ(0.0f, g_Members[4].endForces[EF_M2ZZ]);
    EXPECT_FLOAT_EQ(0.0f, g_Members[4].outline1[7]);
    EXPECT_FLOAT_EQ(0.0f, g_Members[4].rollAngle);
    EXPECT_FLOAT_EQ(0.0f, g_Members[4].offsetZ);
    EXPECT_FLOAT_EQ(0.0f, g_Members[4].length);
    // A new model must not inherit marks, Negate or Hide from the old rows.
    EXPECT_EQ(0, g_Joints[5].mark);
    EXPECT_EQ(0, g_Members[4].negated);
    EXPECT_EQ(0, g_Members[4].hidden);
    // Left as they were.
    EXPECT_FLOAT_EQ(-1.0f, g_Joints[5].truckLoad);
    EXPECT_FLOAT_EQ(0.5f, g_Members[4].weight);
    EXPECT_EQ(0, std::memcmp(&shape9, &g_Shapes[9], sizeof shape9));
    EXPECT_EQ(1, g_bUnitsUS);

    EXPECT_EQ(0, g_bBridgeProject + g_bTruckActive + g_bUseTruck + g_bTowerProject + g_bUseFan);
    EXPECT_EQ(0, g_bListMembersBuilt + g_bListRuler3Built + g_bListYZGuide4Built + g_bListXYBasePlaneBuilt);
    EXPECT_EQ(1, g_bListTruckBuilt);
}

TEST_F(ClearModelTest, StaysInsideTheUsedRows)
{
    g_Joints[0].x = 7;
    g_Joints[401].x = 8;
    g_Members[0].jointA = 3;
    g_Members[901].jointA = 4;
    g_Members[901].intact = 0;
    ClearModel();
    EXPECT_FLOAT_EQ(7.0f, g_Joints[0].x);
    EXPECT_FLOAT_EQ(8.0f, g_Joints[401].x);
    EXPECT_EQ(3, g_Members[0].jointA);
    EXPECT_EQ(4, g_Members[901].jointA);
    EXPECT_EQ(0, g_Members[901].intact);
}
