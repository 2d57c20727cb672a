// Memory of the 3D view while the tower's fan turns: the process's resident
// and heap sizes over many ticks of the fan timer, with a frame drawn after
// each tick, and for comparison ticks alone and frames alone. A turning fan
// must not make the program grow. Run under a virtual display:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/gui_fan_memory_bench [steps [tower.3dd]]

#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench/bench_view.h"
#include "files/clear_model.h"
#include "files/model_file.h"
#include "model/tables.h"
#include "state/view_globals.h"
#include "view/animation.h"
#include "view/renderer.h"
#include "view/wx_view.h"

namespace {

long ResidentKb()
{
    std::ifstream in("/proc/self/status");
    std::string key;
    long value = 0;
    while (in >> key) {
        if (key == "VmRSS:") {
            in >> value;
            return value;
        }
        in.ignore(1 << 16, '\n');
    }
    return 0;
}

long HeapBytes()
{
    const struct mallinfo2 m = mallinfo2();
    return static_cast<long>(m.uordblks + m.hblkhd);
}

// Runs `ticks` steps after a warm-up and prints the growth per step.
void Measure(const char* label, int ticks, bool tick, bool frame, CSpan3DView* view)
{
    // The recording backend would keep every invalidation the ticks ask for.
    platform::TestBackend backend;
    platform::SetBackend(&backend);
    auto step = [&] {
        backend.events.clear();
        if (tick) OnAnimationTimer(TIMER_FAN);
        if (frame) view->RenderFrame();
    };
    for (int i = 0; i < 500; ++i) step();
    const long rss0 = ResidentKb(), heap0 = HeapBytes();
    for (int i = 0; i < ticks; ++i) step();
    const long rss1 = ResidentKb(), heap1 = HeapBytes();
    std::printf("%-22s %6d steps: resident %+7ld kB, heap %+9ld bytes (%+.1f bytes per step)\n", label, ticks,
                rss1 - rss0, heap1 - heap0, static_cast<double>(heap1 - heap0) / ticks);
    platform::SetBackend(nullptr);
}

}  // namespace

int main(int argc, char** argv)
{
    const int ticks = argc > 1 ? std::atoi(argv[1]) : 5000;
    BenchView bench(1, argv, "fan memory bench");
    CSpan3DView* view = bench.View();
    if (!view) return 1;
    std::string tower = argc > 2 ? argv[2] : "";
    if (tower.empty()) {  // the example beside the build folder
        char exe[4096];
        const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
        const std::string self = n > 0 ? std::string(exe, static_cast<size_t>(n)) : std::string(argv[0]);
        tower = self.substr(0, self.rfind('/')) + "/../examples/tower.3dd";
    }
    ClearModel();
    if (OpenModelFile(tower) != 1) {
        std::fprintf(stderr, "cannot read %s\n", tower.c_str());
        return 1;
    }
    g_bUseFan = 1;
    Measure("fan ticks and frames", ticks, true, true, view);
    Measure("fan ticks alone", ticks, true, false, view);
    Measure("frames alone", ticks, false, true, view);
    return 0;
}
