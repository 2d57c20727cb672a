// Start-up time of TF3D: from process start to the first finished frame of
// the 3D view with the bridge example on the command line. Run it on the
// display to measure, e.g.
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/gui_startup_bench [model]
// Each run is a fresh process (the bench starts itself five times); the
// educational-use warning is answered as soon as it opens.
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/display.h>
#include <wx/modalhook.h>

#include "frame/file_commands.h"
#include "frame/wx_main_frame.h"
#include "platform/wx_backend.h"
#include "view/wx_view.h"

namespace {

constexpr int kRuns = 5;

// Milliseconds since this process was started by the kernel.
double MsSinceProcessStart()
{
    std::ifstream stat("/proc/self/stat");
    std::string line;
    std::getline(stat, line);
    const size_t close = line.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(line.substr(close + 2));
    std::string field;
    // Field 3 (state) comes first after the name; start time is field 22.
    for (int i = 3; i < 22 && fields >> field; ++i) {
    }
    unsigned long long startTicks = 0;
    if (!(fields >> startTicks)) return -1;
    timespec now;
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double nowMs = now.tv_sec * 1000.0 + now.tv_nsec / 1e6;
    return nowMs - startTicks * 1000.0 / sysconf(_SC_CLK_TCK);
}

double MsSince(const timespec& start)
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (now.tv_sec - start.tv_sec) * 1000.0 + (now.tv_nsec - start.tv_nsec) / 1e6;
}

timespec g_mainEntered;
std::string g_model;

class AnswerAtOnce : public wxModalDialogHook {
protected:
    int Enter(wxDialog*) override { return wxID_OK; }
    void Exit(wxDialog*) override {}
};

class BenchApp : public wxApp {
public:
    bool OnInit() override
    {
        m_hook.Register();
        platform::InstallWxBackend();
        SetAfterFrameHook([this] { FirstFrame(); });
        m_frame = StartMainFrame({g_model});
        if (!m_frame) {
            std::fprintf(stderr, "the main window could not be created\n");
            return false;
        }
        return true;
    }
    int OnExit() override
    {
        m_hook.Unregister();
        return wxApp::OnExit();
    }

private:
    void FirstFrame()
    {
        if (m_done) return;
        m_done = true;
        const double fromStart = MsSinceProcessStart();
        const double fromMain = MsSince(g_mainEntered);
        const wxRect screen = wxDisplay(0u).GetGeometry();
        std::printf("%.1f %.1f %dx%d\n", fromStart, fromMain, screen.width, screen.height);
        std::fflush(stdout);
        SetAfterFrameHook(nullptr);
        CallAfter([this] {
            if (m_frame) m_frame->Destroy();
            m_frame = nullptr;
            ExitMainLoop();
        });
    }

    AnswerAtOnce m_hook;
    CMainFrame* m_frame = nullptr;
    bool m_done = false;
};

std::string DefaultModel(const char* argv0)
{
    if (access("examples/bridge.3dd", R_OK) == 0) return "examples/bridge.3dd";
    char exe[4096];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    std::string dir = n > 0 ? std::string(exe, static_cast<size_t>(n)) : std::string(argv0);
    dir = dir.substr(0, dir.rfind('/'));
    return dir + "/../examples/bridge.3dd";
}

int RunOnce(char** argv)
{
    wxApp::SetInstance(new BenchApp);
    int wxArgc = 1;  // the toolkit sees no arguments of ours
    return wxEntry(wxArgc, argv);
}

// Starts this program again for one measured run; its output line.
std::string MeasureInChild(const char* self)
{
    int fds[2];
    if (pipe(fds) != 0) return "";
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        execl(self, self, "--once", g_model.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string out;
    char buffer[256];
    ssize_t n;
    while ((n = read(fds[0], buffer, sizeof buffer)) > 0) out.append(buffer, static_cast<size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return out;
}

}  // namespace

int main(int argc, char** argv)
{
    clock_gettime(CLOCK_MONOTONIC, &g_mainEntered);
    if (argc >= 2 && std::strcmp(argv[1], "--once") == 0) {
        g_model = argc >= 3 ? argv[2] : DefaultModel(argv[0]);
        return RunOnce(argv);
    }
    g_model = argc >= 2 ? argv[1] : DefaultModel(argv[0]);

    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return 1;
    self[n] = '\0';

    std::printf("TF3D start-up with %s: process start to the first finished frame\n", g_model.c_str());
    std::vector<double> fromStart;
    for (int run = 1; run <= kRuns; ++run) {
        const std::string line = MeasureInChild(self);
        double start = 0, main = 0;
        char size[64] = "";
        if (std::sscanf(line.c_str(), "%lf %lf %63s", &start, &main, size) != 3) {
            std::printf("run %d: no frame (%s)\n", run, line.c_str());
            continue;
        }
        std::printf("run %d: %7.1f ms from process start (%7.1f ms from main), screen %s\n", run, start, main, size);
        fromStart.push_back(start);
    }
    if (fromStart.empty()) return 1;
    std::sort(fromStart.begin(), fromStart.end());
    std::printf("median %.1f ms, best %.1f ms (target 1000 ms)\n", fromStart[fromStart.size() / 2], fromStart.front());
    return 0;
}
