#include <cstring>

#include "files/clear_model.h"
#include "model/defaults.h"
#include "model/tables.h"
#include "model/templates.h"
#include "state/view_globals.h"
#include "tests/common/test_env.h"
#include "tests/common/test_files.h"

using ClearModelTest = Tf3dTest;

TEST_F(ClearModelTest, EmptiesTheUsedRowsAndProjectFlags)
{
    ResetAllShapes(); ResetAllMaterials();
    BuildBridgeTemplate();
    JointRec& j = g_Joints[5];
    MemberRec& m = g_Members[4];
    j.forceY = -3, j.momentZ = 2, j.dispY = 0.1f, j.truckLoad = -1, j.mark = 1;
    m.endForces[EF_M2ZZ] = 5, m.intact = 0, m.outline1[7] = 1, m.negated = m.hidden = 1, m.weight = 0.5f;
    g_bBridgeProject = g_bTruckActive = g_bUseTruck = g_bTowerProject = g_bUseFan = 1;
    g_bListMembersBuilt = g_bListRuler3Built = g_bListYZGuide4Built = g_bListXYBasePlaneBuilt = g_bListTruckBuilt = 1;
    const ShapeRec shape9 = g_Shapes[9];
    // rows outside the used ones stay as they are
    g_Joints[0].x = 7, g_Joints[MAX_JOINTS + 1].x = 8;
    g_Members[0].jointA = 3, g_Members[MAX_MEMBERS + 1].jointA = 4, g_Members[MAX_MEMBERS + 1].intact = 0;
    ClearModel();
    EXPECT_EQ(g_nJoints + g_nMembers, 0);
    for (int k = 1; k <= MAX_JOINTS; ++k) {
        const JointRec& r = g_Joints[k];
        ASSERT_EQ(r.restraintTX + r.restraintTY + r.restraintTZ + r.restraintRX + r.restraintRY + r.restraintRZ, 0)
            << k;
        ASSERT_EQ(r.x + r.y + r.z, 0.0f) << k;
    }
    for (int i = 1; i <= MAX_MEMBERS; ++i) {
        const MemberRec& r = g_Members[i];
        ASSERT_EQ(r.jointA + r.jointB + r.shape + r.material + r.runner, 0) << i;
        ASSERT_EQ(r.intact, 1) << i;
        ASSERT_EQ(r.useTorsion + r.momentYY1 + r.momentZZ1 + r.momentYY2 + r.momentZZ2, 0) << i;
    }
    // a new model inherits no marks, Negate or Hide from the old rows; truck load, weight, the shape
    // table and the units stay as they were
    EXPECT_EQ(Mismatches({{j.forceY, 0}, {j.momentZ, 0}, {j.dispY, 0}, {m.endForces[EF_M2ZZ], 0}, {m.outline1[7], 0},
                          {m.rollAngle, 0}, {m.offsetZ, 0}, {m.length, 0}, {j.mark, 0}, {m.negated, 0}, {m.hidden, 0},
                          {j.truckLoad, -1}, {m.weight, 0.5f}, {g_bUnitsUS, 1}}), "");
    EXPECT_EQ(std::memcmp(&shape9, &g_Shapes[9], sizeof shape9), 0);
    EXPECT_EQ(g_bBridgeProject + g_bTruckActive + g_bUseTruck + g_bTowerProject + g_bUseFan, 0);
    EXPECT_EQ(g_bListMembersBuilt + g_bListRuler3Built + g_bListYZGuide4Built + g_bListXYBasePlaneBuilt, 0);
    EXPECT_EQ(Mismatches({{g_bListTruckBuilt, 1}, {g_Joints[0].x, 7}, {g_Joints[MAX_JOINTS + 1].x, 8},
                          {g_Members[0].jointA, 3}, {g_Members[MAX_MEMBERS + 1].jointA, 4},
                          {g_Members[MAX_MEMBERS + 1].intact, 0}}), "");
}
