// Planprint with the largest model TF3D saves (400 joints, 900 members, a
// 45.6 in square lattice in its front plane): the import time, and frames per
// second of the preview redrawn while the picture pans, in Planprint's
// window, and the time to print it to a PDF over 10 x 10 tiles. Run under a
// virtual display:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/planprint_bench

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include <GL/gl.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>

#include "planprint/frame_commands.h"
#include "planprint/model_data.h"
#include "planprint/scene.h"
#include "planprint/settings.h"
#include "planprint/tile_print.h"
#include "planprint/tile_setup.h"
#include "planprint/tile_view.h"
#include "planprint/wx_main_frame.h"
#include "planprint/wx_view.h"
#include "platform/test_backend.h"

namespace {

constexpr int kSide = 20;          // joints along each side
constexpr double kSpacing = 2.4;  // inches
constexpr int kImports = 50;
constexpr int kWarmUp = 20;
constexpr int kFrames = 600;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// A TF3D model file of kSide x kSide joints with 900 members: the grid's
// lines and 140 diagonals.
std::string LatticeFile()
{
    std::string f = "Trussforge3D\r\n4.000000\r\n";
    char line[256];
    int members = 0;
    std::string memberLines;
    auto member = [&](int a, int b) {
        std::snprintf(line, sizeof line,
                      "%d %d %d 0.000000 0.000000 0 0 0.000000 0.000000 3 1 0 0.000000 1 1 1 1 1 0.9 0.8 0.5\r\n",
                      ++members, a, b);
        memberLines += line;
    };
    auto joint = [](int i, int j) { return j * kSide + i + 1; };
    for (int j = 0; j < kSide; ++j)
        for (int i = 0; i + 1 < kSide; ++i) member(joint(i, j), joint(i + 1, j));
    for (int j = 0; j + 1 < kSide; ++j)
        for (int i = 0; i < kSide; ++i) member(joint(i, j), joint(i, j + 1));
    for (int j = 0; j + 1 < kSide && members < 900; ++j)
        for (int i = 0; i + 1 < kSide && members < 900; i += 2) member(joint(i, j), joint(i + 1, j + 1));
    std::snprintf(line, sizeof line, "10 10 %d %d 0\r\n", kSide * kSide, members);
    f += line;
    for (int j = 0; j < kSide; ++j)
        for (int i = 0; i < kSide; ++i) {
            std::snprintf(line, sizeof line, "%d %f %f 12.000000 0 0 0 0 0 0 0 0\r\n", joint(i, j), 1 + i * kSpacing,
                          1 + j * kSpacing);
            f += line;
        }
    f += memberLines;
    for (int k = 1; k <= kSide * kSide; ++k) {
        std::snprintf(line, sizeof line, "%d 0.000000 0.000000 0.000000 0.000000 -1.000000 0.000000 0 1 0\r\n", k);
        f += line;
    }
    for (int r = 1; r <= 10; ++r) {
        std::snprintf(line, sizeof line, "%d\r\nStick %d\r\n0 0 0.187500 0.187500 0.035156\r\n"
                                         "0.00017386000 0.00010300000 0.00010300000 0.0010986300 0.0010986300 0.000000\r\n",
                      r, r);
        f += line;
    }
    for (int r = 1; r <= 10; ++r) {
        std::snprintf(line, sizeof line, "%d\r\nBalsa %d\r\n0.9 0.8 0.5\r\n0 378181.5 151272.6 12.0\r\n"
                                         "1202.4 845.0 2904.9 200.97\r\n",
                      r, r);
        f += line;
    }
    return f;
}

void Pump()
{
    for (int i = 0; i < 10; ++i) wxTheApp->Yield(true);
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("NO_AT_BRIDGE", "1", 0);
    char config[] = "/tmp/planprint_bench_XXXXXX";
    if (!mkdtemp(config)) return 1;
    setenv("XDG_CONFIG_HOME", config, 1);
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "cannot start the toolkit (no display?)\n");
        return 1;
    }
    wxTheApp->CallOnInit();
    delete wxLog::SetActiveTarget(new wxLogStderr);
    platform::TestBackend backend;  // records, never blocks
    platform::SetBackend(&backend);
    StartPlanprintState();

    const std::string path = std::string(config) + "/lattice.3dd";
    std::ofstream(path, std::ios::binary) << LatticeFile();

    // Import: best and mean of repeated reads of the whole file.
    double best = 1e9, total = 0;
    for (int i = 0; i < kImports; ++i) {
        const auto t0 = Clock::now();
        if (g_pModel->Read3dFile(path) != 1) {
            std::fprintf(stderr, "the model was refused\n");
            return 1;
        }
        const double s = Seconds(t0);
        best = std::min(best, s);
        total += s;
    }
    int outlined = 0;
    for (int k = 1; k <= g_pModel->nMembers; ++k) outlined += g_pMembers[k].nOffPlane == 0;
    std::printf("model: %d joints, %d members (%d outlined), %.1f x %.1f in on %d x %d tiles\n", g_pModel->nJoints,
                g_pModel->nMembers, outlined, g_pModel->fRangeX, g_pModel->fRangeY, g_nCols, g_nRows);
    std::printf("import: best %.2f ms, mean %.2f ms over %d reads (target: under 50 ms)\n", best * 1000,
                total / kImports * 1000, kImports);

    auto* frame = new CMainFrame;
    frame->Show();
    COGLView* view = frame->View();
    for (int i = 0; i < 400 && !(view->RenderFrame() && g_Scene.nWidth > 0); ++i) Pump();
    g_pModel->Read3dFile(path);  // fitted to the window now shown
    view->SyncScrollBars();
    std::printf("renderer: %s, %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
                reinterpret_cast<const char*>(glGetString(GL_VERSION)));
    std::printf("preview: %d x %d pixels, guide plane %.1f x %.1f in\n", g_Scene.nWidth, g_Scene.nHeight,
                g_fGuidePlaneX, g_fGuidePlaneY);

    // Panning as the arrow keys do: left and right across the plane.
    for (int i = 0; i < kWarmUp; ++i) view->RenderFrame();
    const auto t0 = Clock::now();
    for (int i = 0; i < kFrames; ++i) {
        ViewKeyDown((i / 30) % 2 ? VIEW_KEY_RIGHT : VIEW_KEY_LEFT);
        if (!view->RenderFrame()) {
            std::fprintf(stderr, "a frame was lost\n");
            return 1;
        }
    }
    const double seconds = Seconds(t0);
    std::printf("panning: %d frames in %.3f s, %.1f frames per second (target: at least 60)\n", kFrames, seconds,
                kFrames / seconds);

    // Printed to a PDF over 10 x 10 portrait Letter tiles, as File/Print does.
    ApplyTileSetup({kPortrait, kPaperLetter, 10, 10, 1, 1});
    const std::string pdf = std::string(config) + "/tiles.pdf";
    backend.ScriptPrintToPdf(pdf);
    const auto p0 = Clock::now();
    PrintTiles();
    const double printSeconds = Seconds(p0);
    std::ifstream printed(pdf, std::ios::binary | std::ios::ate);
    std::printf("print: %d tiles to PDF in %.3f s, %ld bytes (target: under 2 s)\n", TilePageCount(), printSeconds,
                static_cast<long>(printed.tellg()));
    if (!backend.Boxes().empty()) std::printf("print failed: %s\n", backend.Boxes()[0].text.c_str());
    std::remove(pdf.c_str());

    frame->Destroy();
    Pump();
    DestroyModelTables();
    platform::SetBackend(nullptr);
    wxEntryCleanup();
    std::remove(path.c_str());
    rmdir(config);
    return 0;
}
