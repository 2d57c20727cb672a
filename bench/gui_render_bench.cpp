// Frames per second of the 3D view redrawing the largest lattice tower from
// its display lists while the camera orbits, in a 1280 x 1024 window: the
// undeformed model with the layers on at start-up, then with every layer on
// (base and guide planes, rulers, supports, loads and the analysed,
// displaced shape). Run under a virtual
// display:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/gui_render_bench

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <wx/image.h>

#include "bench/bench_view.h"
#include "frame/analysis_command.h"
#include "model/defaults.h"
#include "model/tables.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"
#include "tests/model/solver_reference.h"
#include "view/renderer.h"
#include "view/wx_view.h"

namespace {

constexpr int kLevels = 99;
constexpr int kWarmUp = 20;
constexpr int kFrames = 600;

void BuildTower()
{
    ResetModelGlobals();
    ResetAllShapes();
    ResetAllMaterials();
    solver_reference::BuildLatticeTower(kLevels, 4.0f, 1.0f, 0.05f, -0.2f, 0.02f);
    for (int i = 1; i <= g_nMembers; ++i) {
        MemberRec& m = g_Members[i];
        m.shape = 3;
        m.material = static_cast<short>(1 + i % 10);
        m.colorR = g_Materials[m.material].colorR;
        m.colorG = g_Materials[m.material].colorG;
        m.colorB = g_Materials[m.material].colorB;
    }
    g_bListMembersBuilt = 0;
}

// Camera on a circle of radius r around the tower's axis at mid height.
void Orbit(double angle, double r)
{
    const double cx = 2, cy = (kLevels - 1) / 2.0, cz = 2;
    g_dCenterX = cx, g_dCenterY = cy, g_dCenterZ = cz;
    g_dEyeX = cx + r * std::cos(angle);
    g_dEyeY = cy + 10;
    g_dEyeZ = cz + r * std::sin(angle);
}

// Orbits at each radius and prints the frame rate; false when a frame was lost.
bool MeasureOrbits(CSpan3DView* view, int& frames, const char* label)
{
    for (double radius : {140.0, 12.0}) {
        for (int i = 0; i < kWarmUp; ++i) {
            Orbit(i * 0.01, radius);
            view->RenderFrame();
        }
        frames = 0;
        const auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < kFrames; ++i) {
            Orbit(i * 2 * 3.14159265 / kFrames, radius);
            view->RenderFrame();
        }
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        std::printf("%s, orbit radius %.0f: %d frames in %.3f s, %.1f frames per second (%.2f ms per frame)\n",
                    label, radius, frames, seconds, frames / seconds, 1000 * seconds / frames);
        if (frames != kFrames) return false;
    }
    return true;
}

// Every layer on: the workspace holds the tower, the analysis has run and
// the displaced shape is shown in axial colours.
void ShowEveryLayer()
{
    g_nWorkspaceX = 24;
    g_nWorkspaceY = kLevels + 1;
    g_nWorkspaceZ = 24;
    g_fGuidePlaneX = 2, g_fGuidePlaneY = kLevels / 2.0f, g_fGuidePlaneZ = 2;
    g_bShowXYBasePlane = g_bShowXZBasePlane = g_bShowYZBasePlane = 1;
    g_bShowGuideXY = g_bShowGuideXZ = g_bShowGuideYZ = 1;
    g_bShowRulers = g_bShowSupports = g_bShowLoads = g_bShowJoints = 1;
    g_bNoAnimation = 1;
    g_bAnimateDisplacement = g_bAnimateCollapse = 0;
    g_bColorAxialStresses = 1;
    g_bColorFailedMembers = 0;
    InvalidateAllLists();
    RunTheAnalysis();
}

}  // namespace

int main(int argc, char** argv)
{
    BenchView bench(argc, argv, "render bench");
    CSpan3DView* view = bench.View();
    if (!view) return 1;

    BuildTower();
    std::printf("model: %d joints, %d members (shape %s)\n", g_nJoints, g_nMembers, g_Shapes[3].name);

    int frames = 0;
    SetAfterFrameHook([&] { ++frames; });
    ResetDisplayListCompileCounts();
    // Whole tower in view, then close enough that it fills the window.
    if (!MeasureOrbits(view, frames, "undeformed, start-up layers (joints as spheres)")) return 1;
    std::printf("members list compiled %d time(s)\n", DisplayListCompileCount(LIST_MEMBERS));

    ShowEveryLayer();
    std::printf("analysis: %s, displaced shape %s\n", g_strStatusPrompt.c_str(),
                g_bShowDisplacedShape ? "shown" : "not shown");
    if (!MeasureOrbits(view, frames, "displaced, every layer")) return 1;
    // What was measured: the share of the picture the tower covers, and the
    // last frame as an image.
    wxImage image;
    if (view->CaptureFrame(image)) {
        const int bg = static_cast<int>(g_fBackgroundR * 255);
        long covered = 0;
        const unsigned char* p = image.GetData();
        const long n = static_cast<long>(image.GetWidth()) * image.GetHeight();
        for (long i = 0; i < n; ++i, p += 3)
            if (std::abs(p[0] - bg) > 2 || std::abs(p[1] - bg) > 2 || std::abs(p[2] - bg) > 2) ++covered;
        std::printf("the scene covers %.1f%% of the picture\n", 100.0 * covered / n);
        wxImage::AddHandler(new wxPNGHandler);
        image.SaveFile("/tmp/gui_render_bench.png", wxBITMAP_TYPE_PNG);
    }

    SetAfterFrameHook(nullptr);
    return 0;
}
