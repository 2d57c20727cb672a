// The program under a window manager, on a display of its own: stacking and
// focus faults show only there. The boxes must lie above the main window
// they belong to and take the keys; start-up writes no toolkit warning; a
// print leaves the focus with the program beside another one.
#include <errno.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tests/common/temp_folder.h"

#include "tests/common/test_files.h"

// Last: Xlib's macros (None, Status, ...) would break the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// The file that execvp would run for name.
std::string FindProgram(const std::string& name)
{
    if (name.find('/') != std::string::npos) return name;
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    for (size_t start = 0, end; start <= dirs.size(); start = end + 1) {
        end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        const std::string dir = end > start ? dirs.substr(start, end - start) : ".";
        const std::string file = dir + "/" + name;
        if (access(file.c_str(), X_OK) == 0) return file;
    }
    return name;
}

// A child process that dies with the test, whatever ends the test. Its
// environment is the test's with env's entries put in. Everything is made
// before the fork: the child of a threaded process only closes, duplicates
// and executes.
pid_t Spawn(const std::vector<std::string>& argv, const std::vector<std::string>& env, const std::string& out,
            int keepFd = -1)
{
    const std::string program = FindProgram(argv[0]);
    std::vector<std::string> environment = env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        const std::string name = entry.substr(0, entry.find('=') + 1);
        if (std::none_of(env.begin(), env.end(), [&](const std::string& o) { return o.compare(0, name.size(), name) == 0; }))
            environment.push_back(entry);
    }
    std::vector<char*> args, envp;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (const auto& e : environment) envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    const int fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);

    const pid_t pid = fork();
    if (pid != 0) {
        if (fd >= 0) close(fd);
        return pid;
    }
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (fd >= 0) dup2(fd, STDOUT_FILENO), dup2(fd, STDERR_FILENO);
    for (int i = 3; i < 256; ++i)
        if (i != keepFd) close(i);
    execve(program.c_str(), args.data(), envp.data());
    _exit(127);
}

void Stop(pid_t& pid)
{
    if (pid <= 0) return;
    kill(pid, SIGKILL);
    while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
    pid = 0;
}

bool OnPath(const char* program)
{
    return std::system((std::string("command -v ") + program + " > /dev/null 2>&1").c_str()) == 0;
}

// Polls check() every 50 ms for at most `seconds`.
template <class F>
bool WaitFor(double seconds, F check)
{
    const auto end = Clock::now() + std::chrono::milliseconds(static_cast<int>(seconds * 1000));
    for (;;) {
        if (check()) return true;
        if (Clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

struct Client {
    Window id = 0, transientFor = 0;
    std::string title;
    int x = 0, y = 0, w = 0, h = 0;
};

class Desktop {
public:
    explicit Desktop(const std::string& name) : d_(XOpenDisplay(name.c_str())) {}
    ~Desktop()
    {
        if (d_) XCloseDisplay(d_);
    }
    bool Open() const { return d_ != nullptr; }

    bool ManagerRunning() { return !Property(Root(), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW).empty(); }
    Window Active()
    {
        const auto w = Property(Root(), "_NET_ACTIVE_WINDOW", XA_WINDOW);
        return w.empty() ? 0 : w[0];
    }
    // The windows of a process, bottom to top.
    std::vector<Client> Stack(pid_t pid)
    {
        std::vector<Client> out;
        for (Window w : Property(Root(), "_NET_CLIENT_LIST_STACKING", XA_WINDOW)) {
            const auto owner = Property(w, "_NET_WM_PID", XA_CARDINAL);
            if (owner.empty() || static_cast<pid_t>(owner[0]) != pid) continue;
            Client c;
            c.id = w;
            char* name = nullptr;
            if (XFetchName(d_, w, &name) && name) c.title = name, XFree(name);
            XGetTransientForHint(d_, w, &c.transientFor);
            XWindowAttributes a;
            Window child;
            if (XGetWindowAttributes(d_, w, &a)) {
                XTranslateCoordinates(d_, w, a.root, 0, 0, &c.x, &c.y, &child);
                c.w = a.width, c.h = a.height;
            }
            out.push_back(c);
        }
        return out;
    }
    // Asks the window manager to close a window, as its title-bar button does.
    void Close(Window w)
    {
        XEvent e{};
        e.xclient.type = ClientMessage;
        e.xclient.window = w;
        e.xclient.message_type = XInternAtom(d_, "_NET_CLOSE_WINDOW", False);
        e.xclient.format = 32;
        e.xclient.data.l[1] = 2;  // from a pager: the user's own request
        XSendEvent(d_, Root(), False, SubstructureRedirectMask | SubstructureNotifyMask, &e);
        XFlush(d_);
    }

private:
    Window Root() const { return DefaultRootWindow(d_); }
    // A property of 32-bit items (windows, numbers).
    std::vector<unsigned long> Property(Window w, const char* name, Atom type)
    {
        Atom actual;
        int format = 0;
        unsigned long count = 0, rest;
        unsigned char* data = nullptr;
        std::vector<unsigned long> out;
        if (XGetWindowProperty(d_, w, XInternAtom(d_, name, False), 0, 4096, False, type, &actual, &format, &count,
                               &rest, &data) == Success &&
            data && format == 32) {
            const auto* items = reinterpret_cast<const unsigned long*>(data);
            out.assign(items, items + count);
        }
        if (data) XFree(data);
        return out;
    }

    Display* d_;
};

// The main window and a box of the program: the box belongs to the main
// window, lies above it, has the focus and is centred on it.
// Starts an Xvfb of the test's own (its pid in xvfb); its display name, or
// "" when it did not start.
std::string StartOwnDisplay(const std::string& home, pid_t& xvfb)
{
    int fds[2];
    if (pipe(fds) != 0) return "";
    xvfb = Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"},
                 {}, home + "/xvfb.txt", fds[1]);
    close(fds[1]);
    std::string number;
    const auto end = Clock::now() + std::chrono::seconds(10);
    for (char c = 0; c != '\n' && Clock::now() < end;) {
        pollfd p{fds[0], POLLIN, 0};
        if (poll(&p, 1, 100) > 0 && read(fds[0], &c, 1) == 1 && c != '\n') number += c;
    }
    close(fds[0]);
    return number.empty() ? "" : ":" + number;
}

// The environment of a program under test on display, with home as its
// home and configuration folder.
std::vector<std::string> ProgramEnvironment(const std::string& display, const std::string& home)
{
    return {"DISPLAY=" + display, "HOME=" + home, "XDG_CONFIG_HOME=" + home, "NO_AT_BRIDGE=1",
            "SDL_AUDIODRIVER=dummy"};
}

void ExpectBoxOnTop(const std::vector<Client>& stack, Window active, const std::string& box)
{
    auto main = std::find_if(stack.begin(), stack.end(), [](const Client& c) { return c.transientFor == 0; });
    auto top = std::find_if(stack.begin(), stack.end(), [&](const Client& c) { return c.title == box; });
    ASSERT_TRUE(main != stack.end() && top != stack.end()) << stack.size() << " windows";
    EXPECT_EQ(top->transientFor, main->id);
    EXPECT_GT(top - stack.begin(), main - stack.begin()) << "the box lies below the main window";
    EXPECT_EQ(active, top->id) << "the box has not the focus";
    EXPECT_GT(main->w, 1000);
    EXPECT_NEAR(top->x + top->w / 2, main->x + main->w / 2, main->w / 10) << "the box is not centred on the window";
}

// TF3D (and Planprint) under openbox on an Xvfb of the test's own, in a
// home folder of its own; every process started is stopped at the end.
class WindowManager : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(access(program.c_str(), X_OK), 0) << "tf3d not built";
        ASSERT_TRUE(OnPath("Xvfb") && OnPath("openbox") && OnPath("xdotool"))
            << "Xvfb, openbox and xdotool are needed (scripts/install-deps installs them)";
        h = MakeTempFolder("tf3d_wm_test");
        ASSERT_FALSE(h.empty());
    }
    void TearDown() override
    {
        for (pid_t* pid : {&tf3d, &planprint, &wm, &xvfb}) Stop(*pid);
        if (!h.empty()) fs::remove_all(h);
    }

    const std::string program = std::string(TF3D_BINARY_DIR) + "/tf3d";
    std::string h;  // the programs' home and configuration folder
    pid_t xvfb = 0, wm = 0, tf3d = 0, planprint = 0;
};

}  // namespace

TEST_F(WindowManager, BoxesLieAboveTheMainWindowAndStartUpWarnsNothing)
{

    // A display of its own: the manager must not rearrange other tests' windows.
    const std::string display = StartOwnDisplay(h, xvfb);
    ASSERT_FALSE(display.empty()) << "Xvfb did not start";
    const std::vector<std::string> env = ProgramEnvironment(display, h);
    {
        Desktop screen(display);
        ASSERT_TRUE(screen.Open());
        wm = Spawn({"openbox", "--sm-disable"}, env, h + "/openbox.txt");
        ASSERT_TRUE(WaitFor(10, [&] { return screen.ManagerRunning(); })) << "openbox did not start";

        // The start-up warning over the main window, once the manager has
        // settled (a loaded machine may take a while).
        tf3d = Spawn({program, std::string(TF3D_SOURCE_DIR) + "/examples/tower.3dd"}, env, h + "/stderr.txt");
        auto twoWindows = [&] { return screen.Stack(tf3d).size() == 2; };
        auto boxOnTop = [&] {
            const auto stack = screen.Stack(tf3d);
            return stack.size() == 2 && stack[1].transientFor == stack[0].id && screen.Active() == stack[1].id;
        };
        EXPECT_TRUE(WaitFor(30, twoWindows));
        WaitFor(5, boxOnTop);
        ExpectBoxOnTop(screen.Stack(tf3d), screen.Active(), "Trussforge3D");

        // Enter answers it; closing the window then asks in a box above it.
        std::system(("DISPLAY=" + display + " xdotool key Return").c_str());
        EXPECT_TRUE(WaitFor(10, [&] { return screen.Stack(tf3d).size() == 1; }));
        const auto alone = screen.Stack(tf3d);
        if (alone.size() == 1) screen.Close(alone[0].id);
        EXPECT_TRUE(WaitFor(10, twoWindows));
        WaitFor(5, boxOnTop);
        ExpectBoxOnTop(screen.Stack(tf3d), screen.Active(), "Trussforge3D");
        Stop(tf3d);

        // Planprint's window comes up as quietly.
        planprint = Spawn({std::string(TF3D_BINARY_DIR) + "/planprint"}, env, h + "/planprint.txt");
        EXPECT_TRUE(WaitFor(30, [&] { return screen.Stack(planprint).size() == 1; }));

        // Beside Planprint, TF3D prints its picture over a PDF that is there
        // already: the print dialog asks to replace it, and once it is gone
        // the focus is TF3D's again.
        auto key = [&](const std::string& keys) { std::system(("DISPLAY=" + display + " xdotool key " + keys).c_str()); };
        const std::string pdf = h + "/output.pdf";  // the dialog's file in the program's folder
        WriteBytes(pdf, "old");
        tf3d = Spawn({"sh", "-c", "cd '" + h + "' && exec '" + program + "' '" + TF3D_SOURCE_DIR + "/examples/bridge.3dd'"},
                     env, h + "/print.txt");
        EXPECT_TRUE(WaitFor(30, twoWindows));
        WaitFor(5, boxOnTop);
        key("Return");
        ASSERT_TRUE(WaitFor(10, [&] { return screen.Stack(tf3d).size() == 1; }));
        const Window main = screen.Stack(tf3d)[0].id;
        ASSERT_TRUE(WaitFor(10, [&] { return screen.Active() == main; }));
        key("ctrl+p");
        ASSERT_TRUE(WaitFor(10, twoWindows)) << "no print dialog";
        // "Print to File" is listed a moment after the dialog shows.
        bool asked = false;
        for (int i = 0; i < 20 && !asked; ++i) {
            key("Down alt+p");
            asked = WaitFor(0.5, [&] { return screen.Stack(tf3d).size() == 3; });
        }
        ASSERT_TRUE(asked) << "no question about the file that is there";
        key("alt+r");
        EXPECT_TRUE(WaitFor(20, [&] { return screen.Stack(tf3d).size() == 1 && ReadBytes(pdf).rfind("%PDF", 0) == 0; }));
        if (!WaitFor(5, [&] { return screen.Active() == main; })) {
            const auto other = screen.Stack(planprint);
            ADD_FAILURE() << "the focus went to "
                          << (!other.empty() && screen.Active() == other[0].id ? "Planprint" : "another window");
        }
    }
    Stop(tf3d);
    Stop(planprint);
    for (const char* log : {"/stderr.txt", "/planprint.txt"}) {
        const std::string errors = ReadBytes(h + log);
        for (const char* warning : {"CRITICAL", "WARNING", "assert"})
            EXPECT_EQ(errors.find(warning), std::string::npos) << log << ": " << errors;
    }
}

// Member Results moved by the user under the window manager: shown again
// (the menu while it is open) and opened again after the manager's close
// button, it is where the user left it.
TEST_F(WindowManager, AMovedResultsWindowOpensAgainWhereItWasLeft)
{

    // A display of its own: the manager must not rearrange other tests' windows.
    const std::string display = StartOwnDisplay(h, xvfb);
    ASSERT_FALSE(display.empty()) << "Xvfb did not start";
    const std::vector<std::string> env = ProgramEnvironment(display, h);
    Desktop screen(display);
    ASSERT_TRUE(screen.Open());
    wm = Spawn({"openbox", "--sm-disable"}, env, h + "/openbox.txt");
    ASSERT_TRUE(WaitFor(10, [&] { return screen.ManagerRunning(); })) << "openbox did not start";
    tf3d = Spawn({program, std::string(TF3D_SOURCE_DIR) + "/examples/bridge.3dd"}, env, h + "/stderr.txt");
    ASSERT_TRUE(WaitFor(30, [&] { return screen.Stack(tf3d).size() == 2; })) << "no start-up box";
    auto xdotool = [&](const std::string& args) { std::system(("DISPLAY=" + display + " xdotool " + args).c_str()); };
    auto results = [&] {
        for (const Client& c : screen.Stack(tf3d))
            if (c.title == "Member Results") return c;
        return Client();
    };
    auto mainWindow = [&] {
        for (const Client& c : screen.Stack(tf3d))
            if (c.transientFor == 0) return c.id;
        return Window(0);
    };
    // Analysis/Run the Analysis!, then Analysis/MemberResults ..., from the keyboard.
    auto menu = [&](const std::string& keys) {
        WaitFor(5, [&] { return screen.Active() == mainWindow(); });
        xdotool("key alt+a");
        xdotool("key " + keys);
    };
    xdotool("key Return");
    ASSERT_TRUE(WaitFor(10, [&] { return screen.Stack(tf3d).size() == 1; }));
    menu("Return");
    menu("Down Down Down Down Return");
    ASSERT_TRUE(WaitFor(10, [&] { return results().id != 0; })) << "Member Results did not open";
    const Client first = results();
    xdotool("windowmove " + std::to_string(first.id) + " 150 330");
    ASSERT_TRUE(WaitFor(10, [&] { return results().x != first.x || results().y != first.y; })) << "not moved";
    const Client moved = results();
    xdotool("windowactivate " + std::to_string(mainWindow()));
    menu("Down Down Down Down Return");  // shown again while open
    ASSERT_TRUE(WaitFor(10, [&] { return screen.Active() == results().id; }));
    EXPECT_EQ(results().x, moved.x);
    EXPECT_EQ(results().y, moved.y);
    screen.Close(results().id);
    ASSERT_TRUE(WaitFor(10, [&] { return results().id == 0; })) << "Member Results did not close";
    menu("Down Down Down Down Return");  // a new window, where the last one was left
    ASSERT_TRUE(WaitFor(10, [&] { return results().id != 0 && results().id != moved.id; }));
    WaitFor(5, [&] { return results().x == moved.x && results().y == moved.y; });
    EXPECT_EQ(results().x, moved.x);
    EXPECT_EQ(results().y, moved.y);
}
