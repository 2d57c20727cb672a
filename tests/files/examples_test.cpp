// The example models in examples/ open and analyse as a user would expect.
#include <string>

#include "files/clear_model.h"
#include "files/import_2d.h"
#include "files/model_file.h"
#include "frame/analysis_command.h"
#include "model/tables.h"
#include "state/frame_globals.h"
#include "tests/common/test_env.h"
#include "tests/common/test_files.h"

namespace {

class ExamplesTest : public Tf3dTest {
protected:
    void Open(const char* name, bool import = false)
    {
        const std::string path = std::string(TF3D_SOURCE_DIR) + "/examples/" + name;
        ClearModel();
        ASSERT_EQ(import ? Import2DModelFile(path) : OpenModelFile(path), 1);
    }
    // Runs the analysis, which must ask nothing, and counts the cheers played so far.
    void Run()
    {
        RunTheAnalysis();
        EXPECT_EQ(backend.Count(platform::Event::Box), 0);
        cheers = 0;
        for (const auto& e : backend.Sounds()) cheers += e.text == "IDR_WAVE_CHEERS";
    }
    int cheers = 0;
};

TEST_F(ExamplesTest, BridgeOpensWithTheTruckOnTheDeckAndPasses)
{
    Open("bridge.3dd");
    EXPECT_EQ(Mismatches({{g_nJoints, 30}, {g_nMembers, 41}, {g_bBridgeProject, 1}, {g_bTruckActive, 1}}), "");
    EXPECT_EQ(Mismatches({{g_Joints[1].x, 11.75f}, {g_fTruckX, 17.0625f}}), "");  // where the project puts them
    Run();
    EXPECT_EQ(Mismatches({{g_bModelFailed, 0}, {g_bMemberResultsValid, 1}, {cheers, 1}}), "");
    EXPECT_EQ(g_strStatusPrompt, ">>>> It Worked! <<<<");
    // Both axles stand on the deck: the joints carry the whole truck.
    double truck = 0;
    for (int j = 1; j <= g_nJoints; ++j) truck += g_Joints[j].truckLoad;
    EXPECT_NEAR(truck, -(g_fFrontAxleLoad + g_fRearAxleLoad), 1e-5);
    EXPECT_TRUE(g_nTruckJoint1 != 0 && g_nTruckJoint2 != 0);
}

TEST_F(ExamplesTest, TowerOpensAsAFanProjectAndIsAnalysed)
{
    Open("tower.3dd");
    EXPECT_EQ(Mismatches({{g_bTowerProject, 1}, {g_bUseFan, 1}, {g_bUnitsUS, 1}}), "");
    Run();
    EXPECT_EQ(g_bHaltUnstable + g_bHaltLargeDisplacements + g_bHaltIncorrectModel + g_bHaltInadequateSupport, 0);
    EXPECT_EQ(Mismatches({{g_bMemberResultsValid, 1}, {g_bModelFailed, 0}, {cheers, 0}}), "");
    // the fan spins (timer 5) instead of the cheers
    ASSERT_FALSE(backend.Timers().empty());
    EXPECT_EQ(backend.Timers().back().id, 5);
}

TEST_F(ExamplesTest, MetricTrussAndTwoDimensionalTrussPass)
{
    Open("metric_truss.3dd");
    EXPECT_EQ(Mismatches({{g_bMetricUnits, 1}, {g_bUnitsUS, 0}, {g_Shapes[1].metricRow, 1}}), "");
    Run();
    EXPECT_EQ(Mismatches({{g_bModelFailed, 0}, {cheers, 1}}), "");
    Open("pratt_truss.tfd", true);
    EXPECT_EQ(Mismatches({{g_nJoints, 13}, {g_nMembers, 23}, {g_Joints[7].x, 12}}), "");
    Run();
    EXPECT_EQ(g_bModelFailed, 0);
}

}  // namespace
