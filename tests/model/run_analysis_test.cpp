#include <algorithm>
#include <vector>

#include "model/defaults.h"
#include "model/strength.h"
#include "model/tables.h"
#include "model/templates.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"
#include "tests/model/analysis_fixture.h"

namespace {

class TemplateAnalysisTest : public RunAnalysisTest {
protected:
    // Bridge with the truck at x 18.
    void BuildBridgeProject()
    {
        Restart();
        g_bUseTruck = 1;
        BuildBridgeTemplate();
        SetDefaultViewSettings();
        OrientDeckMembers();
        FindDeckExtent();
        PlaceTruckAtStart();
        g_bTruckActive = 1;
        g_fTruckX = 18;
    }
    void BuildTowerProject(bool legs)
    {
        Restart();
        SetupTowerProject();
        g_bUseFan = g_bTowerProject = 1;
        for (int k = 1; legs && k <= 4; ++k) AddMember(k, k + 4, 9, 7);
    }
    static float Sum(float JointRec::*field)
    {
        float s = 0;
        for (int j = 1; j <= g_nJoints; ++j) s += g_Joints[j].*field;
        return s;
    }
};

TEST_F(TemplateAnalysisTest, BridgeWithTruck)
{
    BuildBridgeProject();
    Run();
    EXPECT_EQ(V(backend.Count(Event::Box), HaltCount(), g_bMemberResultsValid, g_bModelFailed,
                Sum(&JointRec::windLoad)), V(0, 0, 1, 0, 0));
    EXPECT_NEAR(Sum(&JointRec::truckLoad), -(3.5f + 7.0f), 1e-4f);  // all four wheels on the deck
    EXPECT_TRUE(g_nTruckJoint1 != 0 && g_nTruckJoint2 != 0 && Sum(&JointRec::selfWeightLoad) < 0 &&
                g_Joints[7].dispY < 0 && g_Joints[22].dispY < 0);
    // Each flat 1/8 x 3/8 chord spans 12.5 in with 1.75 and 3.5 lbs at the
    // wheels: about 7.2 in-lbs under the front wheel (x = 16.94) against
    // Sy x Fb = 9.7656e-4 x 8800 = 8.59 in-lbs.
    EXPECT_NEAR(MaxStrengthRatio(), 0.84f, 0.02f);
    // Members 6 (joints 6-7) and 20 (joints 21-22).
    EXPECT_GT(std::min(g_Members[6].governingRatios[G_MYY], g_Members[20].governingRatios[G_MYY]), 0.8f);
    EXPECT_EQ(g_strStatusPrompt, kWorked);
    EXPECT_EQ(TextsOf(Event::Sound), Texts{"IDR_WAVE_CHEERS"});
}

TEST_F(TemplateAnalysisTest, BridgeBreakingForce)
{
    float m = 0;
    for (int breaking : {0, 1}) {
        BuildBridgeProject();
        g_Joints[8].forceY = g_Joints[23].forceY = -0.5f;
        g_Joints[23].forceZ = 0.25f;
        g_bBreakingForcesActive = breaking;
        g_fTotalLoadY = 99;
        Run();
        ASSERT_EQ(HaltCount(), 0);
        if (!breaking) m = MaxStrengthRatio();
    }
    ASSERT_GT(m, 0);
    const float f = 1.0f / m + 0.0051f;
    const float scaled[][2] = {{g_Joints[8].forceY, -0.5f * f}, {g_Joints[23].forceZ, 0.25f * f},
                               {g_fTotalLoadY, -0.5f * f + -0.5f * f}, {g_fTotalLoadZ, 0.25f * f}, {g_fTotalLoadX, 0}};
    for (const auto& s : scaled) EXPECT_FLOAT_EQ(s[0], s[1]);
    EXPECT_EQ(V(g_bModelFailed + g_bMemberFailed, g_bMemberResultsValid, backend.Count(Event::Sound)), V(2, 1, 0));
    EXPECT_NEAR(MaxStrengthRatio(), 1 + 0.0051f * m, 1e-4f * (1 + m));
    EXPECT_NEAR(Sum(&JointRec::truckLoad), -10.5f, 1e-4f);  // generated loads are not scaled
    EXPECT_EQ(g_strStatusPrompt, "Ready");  // breaking force on and no halt: the prompt keeps the (cleared) tool text
}

TEST_F(TemplateAnalysisTest, TowerBareAndWithLegsUnderTheFan)
{
    BuildTowerProject(false);
    ExpectRefusal({kStrayJoints}, {kCancel});
    EXPECT_EQ(g_nJoints, 8);
    Run({kOk});  // without its feet the platform has no support
    EXPECT_EQ(V(g_nJoints, g_bHaltInadequateSupport, backend.Count(Event::SetTimer)), V(4, 1, 0));
    EXPECT_EQ(g_strStatusPrompt, ">>>> Inadequate Support - Analysis Halted! <<<<");

    BuildTowerProject(true);  // with legs under the fan
    Run();
    EXPECT_EQ(V(backend.Count(Event::Box), HaltCount(), g_bFanSpinning, g_bMemberResultsValid), V(0, 0, 1, 1));
    // Wind on the platform joints pushes the tower along +x.
    EXPECT_TRUE(g_Joints[5].windLoad > 0 && g_Joints[5].dispX > 0 && g_Joints[8].dispX > 0);
    // The legs (members 6 to 9, foot to top) carry the platform joints' vertical loads to the feet.
    float legs = 0, top = 0;
    for (int i = 6; i <= 9; ++i) legs += g_Members[i].endForces[EF_AXIAL1];
    for (int j = 5; j <= 8; ++j) top += g_Joints[j].forceY + g_Joints[j].truckLoad + g_Joints[j].selfWeightLoad;
    EXPECT_NEAR(legs, -top, 1e-3f);
    // Overturning: the windward legs 6 and 7 (feet at x = 18) pull, the
    // leeward legs (x = 22) push past their buckling load of about 5 lbs.
    for (int i = 6; i <= 9; ++i) {
        EXPECT_EQ(g_Members[i].intact, i <= 7 ? 1 : 0) << i;
        EXPECT_TRUE(i <= 7 ? g_Members[i].endForces[EF_AXIAL1] < 0 : g_Members[i].ratios1[R_A] > 1) << i;
    }
    EXPECT_EQ(g_bModelFailed + g_bMemberFailed, 2);
    EXPECT_EQ(g_strStatusPrompt, ">>>> Undersized! <<<<");
    // The collapse animation still runs; no fan, no cheers.
    EXPECT_EQ(V(backend.Count(Event::SetTimer), backend.Timers().at(0).id, backend.Count(Event::Sound)), V(1, 4, 0));
    BuildTowerProject(true);  // A tower that holds starts the fan timer instead of the cheers.
    g_fWindSpeed = 20;
    g_bAnimateCollapse = 0;
    g_nAnimInterval = 40;
    Run();
    ASSERT_EQ(g_bModelFailed, 0);
    EXPECT_EQ(g_strStatusPrompt, kWorked);
    EXPECT_EQ(V(backend.Count(Event::SetTimer), backend.Timers().at(0).id, backend.Timers().at(0).flags,
                g_bAnimationRunning, backend.Count(Event::Sound)), V(1, 5, 40, 1, 0));
}

}  // namespace
