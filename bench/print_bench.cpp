// Times the full-scale XY plane print to a PDF file: the largest lattice
// tower the tables allow (396 joints; the XY plane through its front face)
// and the bridge example. Prints pages, time and file size.
//   print_bench [folder]   keeps the PDF files in folder
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/model_file.h"
#include "model/defaults.h"
#include "model/tables.h"
#include "platform/test_backend.h"
#include "printing/plane_print.h"
#include "state/printing_globals.h"
#include "state/view_globals.h"
#include "tests/model/solver_reference.h"

namespace {

constexpr int kRuns = 7;

void BuildLattice()
{
    ResetModelGlobals();
    ResetAllShapes();
    ResetAllMaterials();
    solver_reference::BuildLatticeTower(99, 4.0f, 1.0f, 0.05f, -0.2f, 0.02f);
    for (int i = 1; i <= g_nMembers; ++i) g_Members[i].shape = 3;
    g_fGuidePlaneZ = 0;
}

bool LoadBridge()
{
    ResetModelGlobals();
    std::string source = __FILE__;
    source = source.substr(0, source.rfind('/'));
    return OpenModelFile(source + "/../examples/bridge.3dd") == 1;
}

long FileSize(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 ? static_cast<long>(st.st_size) : -1;
}

void Measure(const char* name, void (*build)(), platform::TestBackend& backend, const std::string& pdf)
{
    std::vector<double> times;
    int joints = 0;
    for (int run = 0; run < kRuns; ++run) {
        build();
        ResetPrintingGlobals();
        joints = g_nJoints;
        unlink(pdf.c_str());
        backend.ScriptPrintToPdf(pdf);
        const auto t0 = std::chrono::steady_clock::now();
        PrintPlaneXYInchPortrait();
        times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(times.begin(), times.end());
    std::printf("%s: %d joints, %d members, %d x %d pages, median %.3f s over %d runs (min %.3f, max %.3f), "
                "%ld bytes, messages %d\n",
                name, joints, g_nMembers, g_nTilesAcrossXY, g_nTilesDownXY, times[kRuns / 2], kRuns, times.front(),
                times.back(), FileSize(pdf), backend.Count(platform::Event::Box));
}

}  // namespace

int main(int argc, char** argv)
{
    platform::TestBackend backend;  // answers the print dialog with a PDF file
    platform::SetBackend(&backend);
    char scratch[] = "/tmp/print_bench_XXXXXX";
    const bool keep = argc > 1;
    const std::string folder = keep ? argv[1] : (mkdtemp(scratch) ? scratch : "/tmp");

    Measure("lattice tower, XY plane", BuildLattice, backend, folder + "/lattice_xy.pdf");
    if (LoadBridge())
        Measure("bridge example, XY plane", [] { LoadBridge(); }, backend, folder + "/bridge_xy.pdf");
    else
        std::printf("bridge example: not readable\n");

    if (!keep) {
        unlink((folder + "/lattice_xy.pdf").c_str());
        unlink((folder + "/bridge_xy.pdf").c_str());
        rmdir(folder.c_str());
    }
    platform::SetBackend(nullptr);
    return 0;
}
