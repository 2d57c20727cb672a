// Times the frame solver and the whole Run the Analysis on the largest
// lattice tower the tables allow (396 joints, 4 fixed).

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "frame/analysis_command.h"
#include "model/defaults.h"
#include "model/solver.h"
#include "model/tables.h"
#include "platform/test_backend.h"
#include "tests/model/solver_reference.h"

namespace {



constexpr int kLevels = 99;
constexpr int kRuns = 7;

void BuildModel()
{
    ResetModelGlobals();
    ResetAllShapes();
    ResetAllMaterials();
    solver_reference::BuildLatticeTower(kLevels, 4.0f, 1.0f, 0.05f, -0.2f, 0.02f);
    for (int i = 1; i <= g_nMembers; ++i) {
        g_Members[i].shape = 3;
        g_Members[i].material = 1;
        g_Members[i].effLengthYY = g_Members[i].effLengthZZ = 0;
    }
}

double Seconds(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Reference elimination for one comparison run; gives up (code 1) when the
// first steps project more than a minute.
bool g_referenceSkipped = false;
double g_referenceProjected = 0;

int TimedReference(float* a, float* b, int n, std::size_t stride)
{
    const auto t0 = std::chrono::steady_clock::now();
    constexpr int kProbe = 24;
    for (int l = 0; l < n; ++l) {
        const int r = solver_reference::Step(a, b, n, stride, l);
        if (r != 0) return r;
        if (l + 1 == kProbe) {
            g_referenceProjected = Seconds(t0) / kProbe * n;
            if (g_referenceProjected > 60.0) {
                g_referenceSkipped = true;
                return 1;
            }
        }
    }
    return 0;
}

}  // namespace

int main()
{
    platform::TestBackend backend;  // records, never blocks
    platform::SetBackend(&backend);

    BuildModel();
    std::printf("model: %d joints, %d members\n", g_nJoints, g_nMembers);

    std::vector<double> solveTimes;
    short code = -1;
    int nFree = 0;
    for (int run = 0; run < kRuns; ++run) {
        BuildModel();
        const auto t0 = std::chrono::steady_clock::now();
        CFrameAnalysis analysis;
        code = analysis.Run();
        solveTimes.push_back(Seconds(t0));
        nFree = analysis.m_nFree;
    }
    std::printf("free equations: %d\n", nFree);
    std::printf("CFrameAnalysis::Run: median %.4f s over %d runs (min %.4f, max %.4f), code %d\n",
                Median(solveTimes), kRuns, *std::min_element(solveTimes.begin(), solveTimes.end()),
                *std::max_element(solveTimes.begin(), solveTimes.end()), code);

    std::vector<double> runTimes;
    for (int run = 0; run < kRuns; ++run) {
        BuildModel();
        const auto t0 = std::chrono::steady_clock::now();
        RunTheAnalysis();
        runTimes.push_back(Seconds(t0));
    }
    std::printf("RunTheAnalysis: median %.4f s over %d runs (min %.4f, max %.4f), halts %d%d%d%d, boxes %d\n",
                Median(runTimes), kRuns, *std::min_element(runTimes.begin(), runTimes.end()),
                *std::max_element(runTimes.begin(), runTimes.end()), g_bHaltUnstable, g_bHaltLargeDisplacements,
                g_bHaltIncorrectModel, g_bHaltInadequateSupport, backend.Count(platform::Event::Box));

    // Results of the fast elimination, to compare with the reference run.
    BuildModel();
    CFrameAnalysis fast;
    fast.Run();
    std::vector<JointRec> fastJoints(g_Joints, g_Joints + JOINT_ROWS);
    std::vector<MemberRec> fastMembers(g_Members, g_Members + MEMBER_ROWS);

    BuildModel();
    solver_internal::g_pfnEliminate = TimedReference;
    const auto t0 = std::chrono::steady_clock::now();
    CFrameAnalysis reference;
    const short refCode = reference.Run();
    const double refTime = Seconds(t0);
    solver_internal::g_pfnEliminate = nullptr;
    if (g_referenceSkipped)
        std::printf("plain reference elimination: skipped (projected %.1f s)\n", g_referenceProjected);
    else {
        bool same = true;
        for (int j = 1; j <= g_nJoints; ++j)
            same = same && std::memcmp(&fastJoints[j].dispX, &g_Joints[j].dispX, 6 * sizeof(float)) == 0;
        for (int i = 1; i <= g_nMembers; ++i)
            same = same && std::memcmp(fastMembers[i].endForces, g_Members[i].endForces, sizeof(float) * 12) == 0;
        std::printf("plain reference elimination (whole Run, once): %.3f s, code %d, results %s\n", refTime, refCode,
                    same ? "bit-identical" : "DIFFERENT");
    }

    platform::SetBackend(nullptr);
    return 0;
}
