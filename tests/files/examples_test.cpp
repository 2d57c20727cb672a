// The example models in examples/ open and analyse as a user would expect.
#include <string>

#include "files/clear_model.h"
#include "files/import_2d.h"
#include "files/model_file.h"
#include "frame/frame_globals.h"
#include "model/run_analysis.h"
#include "model/tables.h"
#include "tests/common/test_env.h"

namespace {

std::string Example(const char* name) { return std::string(TF3D_SOURCE_DIR) + "/examples/" + name; }

class ExamplesTest : public Tf3dTest {
protected:
    int CheersCount() const
    {
        int n = 0;
        for (const auto& e : backend.Sounds()) n += e.text == "IDR_WAVE_CHEERS";
        return n;
    }
};

TEST_F(ExamplesTest, BridgeOpensWithTheTruckOnTheDeckAndPasses)
{
    ClearModel();
    ASSERT_EQ(OpenModelFile(Example("bridge.3dd")), 1);
    EXPECT_EQ(g_nJoints, 30);
    EXPECT_EQ(g_nMembers, 41);
    EXPECT_EQ(g_bBridgeProject, 1);
    EXPECT_EQ(g_bTruckActive, 1);
    EXPECT_GT(g_fTruckX, g_fTruckMinX);

    RunTheAnalysis();
    EXPECT_EQ(g_bModelFailed, 0);
    EXPECT_EQ(g_bMemberResultsValid, 1);
    EXPECT_EQ(backend.Count(platform::Event::Box), 0);
    EXPECT_EQ(CheersCount(), 1);
    EXPECT_EQ(g_strStatusPrompt, ">>>> It Worked! <<<<");
}

TEST_F(ExamplesTest, TowerOpensAsAFanProjectAndIsAnalysed)
{
    ClearModel();
    ASSERT_EQ(OpenModelFile(Example("tower.3dd")), 1);
    EXPECT_EQ(g_bTowerProject, 1);
    EXPECT_EQ(g_bUseFan, 1);
    EXPECT_EQ(g_bUnitsUS, 1);

    RunTheAnalysis();
    EXPECT_EQ(backend.Count(platform::Event::Box), 0);
    EXPECT_EQ(g_bHaltUnstable + g_bHaltLargeDisplacements + g_bHaltIncorrectModel + g_bHaltInadequateSupport, 0);
    EXPECT_EQ(g_bMemberResultsValid, 1);
    EXPECT_EQ(g_bModelFailed, 0);
    // The fan spins (timer 5) before the cheers.
    ASSERT_FALSE(backend.Timers().empty());
    EXPECT_EQ(backend.Timers().back().id, 5);
    EXPECT_EQ(CheersCount(), 0);
}

TEST_F(ExamplesTest, MetricTrussOpensInMetricUnitsAndPasses)
{
    ClearModel();
    ASSERT_EQ(OpenModelFile(Example("metric_truss.3dd")), 1);
    EXPECT_EQ(g_bMetricUnits, 1);
    EXPECT_EQ(g_bUnitsUS, 0);
    EXPECT_EQ(g_Shapes[1].metricRow, 1);

    RunTheAnalysis();
    EXPECT_EQ(backend.Count(platform::Event::Box), 0);
    EXPECT_EQ(g_bModelFailed, 0);
    EXPECT_EQ(CheersCount(), 1);
}

TEST_F(ExamplesTest, TwoDimensionalTrussImportsAndPasses)
{
    ClearModel();
    ASSERT_EQ(Import2DModelFile(Example("pratt_truss.tfd")), 1);
    EXPECT_EQ(g_nJoints, 13);
    EXPECT_EQ(g_nMembers, 23);
    EXPECT_FLOAT_EQ(g_Joints[7].x, 12.0f);

    RunTheAnalysis();
    EXPECT_EQ(backend.Count(platform::Event::Box), 0);
    EXPECT_EQ(g_bModelFailed, 0);
}

}  // namespace
