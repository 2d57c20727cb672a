#include "model/run_analysis.h"

#include <cmath>

#include "model/loads.h"
#include "model/solver.h"
#include "model/strength.h"
#include "model/tables.h"
#include "model/undo.h"

namespace {

void ClearGeneratedLoads()
{
    for (int j = 1; j <= JointCount(); ++j) {
        JointRec& jt = g_Joints[j];
        jt.selfWeightLoad = 0;
        jt.windLoad = 0;
        jt.truckLoad = 0;
        jt.extraLoadZ = 0;
    }
}

void SumAppliedForces()
{
    for (int j = 1; j <= JointCount(); ++j) {
        g_fTotalLoadX += g_Joints[j].forceX;
        g_fTotalLoadY += g_Joints[j].forceY;
        g_fTotalLoadZ += g_Joints[j].forceZ;
    }
}

void SetHaltFlags(short code)
{
    g_bHaltUnstable = code == 1;
    g_bHaltLargeDisplacements = code == 2;
    g_bHaltIncorrectModel = code == 3;
    g_bHaltInadequateSupport = code == 4;
}

bool ResultsAreFinite()
{
    for (int j = 1; j <= JointCount(); ++j) {
        const JointRec& jt = g_Joints[j];
        const float v[] = {jt.forceX, jt.forceY, jt.forceZ, jt.dispX, jt.dispY, jt.dispZ, jt.rotX, jt.rotY, jt.rotZ};
        for (float x : v)
            if (!std::isfinite(x)) return false;
    }
    for (int i = 1; i <= MemberCount(); ++i) {
        const MemberRec& m = g_Members[i];
        for (float x : m.endForces)
            if (!std::isfinite(x)) return false;
        for (float x : m.ratios1)
            if (!std::isfinite(x)) return false;
        for (float x : m.ratios2)
            if (!std::isfinite(x)) return false;
    }
    return true;
}

}  // namespace

bool HasAppliedForce()
{
    for (int j = 1; j <= JointCount(); ++j) {
        const JointRec& jt = g_Joints[j];
        if (jt.forceX != 0 || jt.forceY != 0 || jt.forceZ != 0) return true;
    }
    return false;
}

bool AnalysisHalted()
{
    return g_bHaltUnstable || g_bHaltLargeDisplacements || g_bHaltIncorrectModel ||
           g_bHaltInadequateSupport;
}

bool ApplyAnalysisLoads()
{
    ClearGeneratedLoads();
    if (g_bTruckActive && ApplyTruckLoads() == 0) return false;
    if (g_bUseFan) {
        ApplyWindLoads(g_fWindSpeed);
        ApplyFanJointLoads(g_fWindSpeed);
    }
    UpdateMemberWeights();
    ComputeUltimateForces();
    return true;
}

void AnalyseModel()
{
    CFrameAnalysis analysis;
    const short code = analysis.Run();

    SetHaltFlags(code);
    g_bModelFailed = code != 0;

    for (int i = 1; i <= MemberCount(); ++i) g_Members[i].intact = 1;

    if (code == 0) {
        ComputeStrengthRatios();
        if (g_bMemberFailed) g_bModelFailed = 1;

        // After a solver halt there are no ratios of this run, so nothing is
        // scaled.
        if (g_bBreakingForcesActive) {
            const float m = MaxStrengthRatio();
            if (BreakingForceFactor(m) != 0) {
                // The scaled forces stay in the model: one Undo gives back
                // those of before the run.
                TakeUndoSnapshot();
                g_bUndoAvailable = 1;
                ScaleLoadsToFailure(m);
                g_bModelFailed = 1;
                ComputeStrengthRatios();
                if (g_bMemberFailed) g_bModelFailed = 1;
                SumAppliedForces();
            }
        }
    }

    // Numbers that overflowed are no results: the solver's rule for a
    // displacement that is not a number.
    if (code == 0 && !ResultsAreFinite()) {
        SetHaltFlags(2);
        g_bModelFailed = 1;
    }

    if (!AnalysisHalted()) ComputeResultColors();
}
