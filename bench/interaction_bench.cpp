// Time of the picks behind a mouse move in a 1280 x 1024 view:
// - a move in Add Joint mode on the 48 x 24 x 24 workspace with the three
//   guide planes shown: a member pick and up to three grid picks (18,721
//   points on the XY and XZ planes, 9,409 on YZ), over a sweep of window
//   points from the workspace to the empty sky around it;
// - a member pick on the largest lattice tower (396 joints, 900 members),
//   at the window points of its members and between them.
// Run under a virtual display:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/interaction_bench

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>


#include "bench/bench_view.h"
#include "model/defaults.h"
#include "model/tables.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"
#include "tests/model/solver_reference.h"
#include "view/mouse_editing.h"
#include "view/picking.h"
#include "view/projection.h"

namespace {

constexpr int kLevels = 99;

struct Timing {
    double mean = 0, median = 0, max = 0;
    int samples = 0;
};

double Millis(const std::function<void()>& op)
{
    const auto t0 = std::chrono::steady_clock::now();
    op();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

// Times op at every point, after one pass over them all.
Timing Measure(const std::vector<wxPoint>& points, const std::function<void(wxPoint)>& op)
{
    for (const wxPoint& p : points) op(p);
    std::vector<double> ms;
    for (const wxPoint& p : points) {
        const auto t0 = std::chrono::steady_clock::now();
        op(p);
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    Timing t;
    t.samples = static_cast<int>(ms.size());
    for (double v : ms) t.mean += v / ms.size();
    std::sort(ms.begin(), ms.end());
    t.median = ms[ms.size() / 2];
    t.max = ms.back();
    return t;
}

void Print(const char* what, const Timing& t)
{
    std::printf("%s: mean %.2f ms, median %.2f ms, max %.2f ms (%d points)\n", what, t.mean, t.median, t.max,
                t.samples);
}

std::vector<wxPoint> Sweep(int step)
{
    std::vector<wxPoint> points;
    for (int y = step / 2; y < g_nViewHeight; y += step)
        for (int x = step / 2; x < g_nViewWidth; x += step) points.push_back(wxPoint(x, y));
    return points;
}

void BuildTower()
{
    ResetModelGlobals();
    ResetAllShapes();
    ResetAllMaterials();
    solver_reference::BuildLatticeTower(kLevels, 4.0f, 1.0f, 0.05f, -0.2f, 0.02f);
    for (int i = 1; i <= g_nMembers; ++i) g_Members[i].shape = 3;
}

}  // namespace

int main(int argc, char** argv)
{
    BenchView bench(argc, argv, "interaction bench");
    if (!bench.View()) return 1;

    // Add Joint on an empty model, seen from the start-up camera.
    ResetModelGlobals();
    SetInitialCamera();
    g_fGuidePlaneX = 12, g_fGuidePlaneY = 6, g_fGuidePlaneZ = 12;
    g_bModeAddJoint = 1;
    const std::vector<wxPoint> sweep = Sweep(40);
    // The first selection pass that draws a candidate also sets the
    // rasteriser's selection path up, once per run.
    const wxPoint middle(g_nViewWidth / 2, g_nViewHeight / 2);
    std::printf("first Add Joint mouse move on a grid (one-time set-up): %.2f ms\n",
                Millis([&] { EditOnMouseMove(middle.x, middle.y); }));
    const Timing move = Measure(sweep, [](wxPoint p) { EditOnMouseMove(p.x, p.y); });
    int hits = 0;
    for (const wxPoint& p : sweep) EditOnMouseMove(p.x, p.y), hits += g_bCursorOnPlane;
    std::printf("workspace %d x %d x %d, guide planes at x %g, y %g, z %g; %d of %d points on a guide grid\n",
                g_nWorkspaceX, g_nWorkspaceY, g_nWorkspaceZ, g_fGuidePlaneX, g_fGuidePlaneY, g_fGuidePlaneZ, hits,
                static_cast<int>(sweep.size()));
    Print("Add Joint mouse move", move);
    // The costliest move: a point off every guide plane, so all three grids are searched.
    const Timing miss = Measure(std::vector<wxPoint>(200, wxPoint(4, 4)), [](wxPoint p) { EditOnMouseMove(p.x, p.y); });
    Print("Add Joint mouse move missing every grid", miss);
    g_bModeAddJoint = 0;

    // Member picks on the lattice tower, whole tower in view.
    BuildTower();
    g_dCenterX = 2, g_dCenterY = (kLevels - 1) / 2.0, g_dCenterZ = 2;
    g_dEyeX = 60, g_dEyeY = g_dCenterY + 10, g_dEyeZ = 130;
    std::vector<wxPoint> onMembers;
    for (int i = 1; i <= g_nMembers; i += 3) {
        short x, y;
        if (ProjectMember(i, x, y)) onMembers.push_back(wxPoint(x, y));
    }
    const Timing member = Measure(onMembers, [](wxPoint p) { PickMember(p.x, p.y); });
    int found = 0;
    for (const wxPoint& p : onMembers) found += PickMember(p.x, p.y) != 0;
    std::printf("tower: %d joints, %d members; %d of %d points picked a member\n", g_nJoints, g_nMembers, found,
                static_cast<int>(onMembers.size()));
    Print("member pick on the tower", member);
    Print("member pick over the whole view", Measure(Sweep(40), [](wxPoint p) { PickMember(p.x, p.y); }));
    return 0;
}
