// The program's main window on a virtual display: start-up with and without
// a model, the menus, toolbar and commands routed through the window, and
// exit. Message boxes and file dialogs go to the recording backend.
#include <dlfcn.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <wx/accel.h>
#include <wx/app.h>
#include <wx/menu.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include "files/model_file.h"
#include "files/preferences.h"
#include "frame/command_ids.h"
#include "frame/file_commands.h"
#include "frame/frame_globals.h"
#include "frame/menu_table.h"
#include "frame/wx_main_frame.h"
#include "model/tables.h"
#include "tests/common/test_env.h"
#include "view/view_globals.h"
#include "view/wx_view.h"

namespace {

namespace fs = std::filesystem;
using platform::Event;

const std::string kBridge = std::string(TF3D_SOURCE_DIR) + "/examples/bridge.3dd";

std::string ReadAll(const std::string& path)
{
    std::stringstream s;
    s << std::ifstream(path, std::ios::binary).rdbuf();
    return s.str();
}

void Pump()
{
    for (int i = 0; i < 10; ++i) wxTheApp->Yield(true);
    wxTheApp->ProcessIdle();
}

class FrameTest : public Tf3dTest {
protected:
    void SetUp() override
    {
        Tf3dTest::SetUp();
        ResetFileCommandState();
        dir = fs::temp_directory_path() / ("tf3d_frame_test_" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        SetPreferencesProgramFolder(dir.string());  // no preferences file
        SetAfterFrameHook([this] { ++frames; });
    }
    void TearDown() override
    {
        SetAfterFrameHook(nullptr);
        if (frame) frame->Destroy();
        Pump();
        SetPreferencesProgramFolder("");
        fs::remove_all(dir);
        ResetFileCommandState();
        Tf3dTest::TearDown();
    }

    // Starts the program's window afresh as the application does; true once
    // the first frame is drawn.
    bool Start(const std::vector<std::string>& args)
    {
        if (frame) frame->Destroy();
        Pump();
        ResetAllGlobals();
        backend.Clear();
        frames = 0;
        frame = StartMainFrame(args);
        if (!frame) return false;
        destroyed = false;
        frame->Bind(wxEVT_DESTROY, [this](wxWindowDestroyEvent& event) {
            if (event.GetEventObject() == frame) destroyed = true, frame = nullptr;
            event.Skip();
        });
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (frames == 0 && std::chrono::steady_clock::now() < end) {
            wxTheApp->Yield(true);
            wxMilliSleep(5);
        }
        return frames > 0;
    }

    wxMenuItem* Item(int commandId) const { return frame->GetMenuBar()->FindItem(ToolkitItemId(commandId)); }
    // Whether a menu item is enabled or checked after an update of the menus and toolbar.
    bool Enabled(int commandId) { return UpdateUI(), Item(commandId)->IsEnabled(); }
    bool Checked(int commandId) { return UpdateUI(), Item(commandId)->IsChecked(); }
    void UpdateUI()
    {
        wxMenuBar* bar = frame->GetMenuBar();
        for (size_t i = 0; i < bar->GetMenuCount(); ++i) bar->GetMenu(i)->UpdateUI(frame);
        frame->GetToolBar()->UpdateWindowUI(wxUPDATE_UI_FROMIDLE);
    }

    fs::path dir;
    CMainFrame* frame = nullptr;
    bool destroyed = false;
    int frames = 0;
};

// ---------------------------------------------------------------- start-up

TEST_F(FrameTest, StartsWithTheBridgeExample)
{
    ASSERT_TRUE(Start({kBridge}));
    // The warning comes first and is the only box.
    const auto boxes = backend.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.rfind("This software is for educational purposes only", 0), 0u);
    EXPECT_EQ(boxes[0].flags, platform::MB_OK | platform::MB_ICONINFORMATION | platform::MB_SYSTEMMODAL);
    EXPECT_EQ(backend.mainCaption, "bridge.3dd - Trussforge3D");
    EXPECT_EQ(g_strModelFileName, "bridge.3dd");
    EXPECT_EQ(g_bHasFileName, 1);
    EXPECT_EQ(g_bModelSaved, 1);
    EXPECT_GT(g_nMembers, 0);
    EXPECT_EQ(g_nScreenWidth, 1280);

    // Initial camera from the workspace (no preferences file here).
    const int x = g_nWorkspaceX / 2, y = g_nWorkspaceY / 2, z = g_nWorkspaceZ / 2;
    EXPECT_FLOAT_EQ(g_fOrbitAngle, 1.57f);
    EXPECT_DOUBLE_EQ(g_dCenterX, x);
    EXPECT_DOUBLE_EQ(g_dCenterY, y);
    EXPECT_DOUBLE_EQ(g_dCenterZ, z);
    EXPECT_DOUBLE_EQ(g_dEyeX, x);
    EXPECT_NEAR(g_dEyeZ, z + (g_nWorkspaceY < g_nWorkspaceX ? x * 2.3 : y * 2.4), 1e-9);

    // Ten menus, Joints/Move gone although its command stays; the toolbar's buttons.
    ASSERT_EQ(frame->GetMenuBar()->GetMenuCount(), 10u);
    EXPECT_EQ(Item(ID_JOINTS_MOVE), nullptr);
    frame->RunCommand(ID_JOINTS_MOVE);
    EXPECT_EQ(g_bModeMoveJoint, 1);
    EXPECT_EQ(frame->GetToolBar()->GetToolsCount(), static_cast<size_t>(TOOLBAR_BUTTON_COUNT + 6));

    // Keys: the frame's own table, as the toolkit's key handler asks it, and a menu item's key.
    auto commandOfKey = [this](int key, bool ctrl, bool alt) {
        wxKeyEvent event(wxEVT_KEY_DOWN);
        event.m_keyCode = key;
        event.m_controlDown = ctrl;
        event.m_altDown = alt;
        const int item = frame->GetAcceleratorTable()->GetCommand(event);
        return item < 0 ? -1 : CommandIdOfToolkitItem(item);
    };
    EXPECT_EQ(commandOfKey('N', true, false), ID_FILE_NEW);
    EXPECT_EQ(commandOfKey(WXK_BACK, false, true), ID_EDIT_UNDO);
    EXPECT_EQ(commandOfKey('Q', true, false), -1);
    std::unique_ptr<wxAcceleratorEntry> accel(Item(ID_FILE_SAVE_MODEL)->GetAccel());
    EXPECT_TRUE(accel && accel->GetFlags() == wxACCEL_CTRL && accel->GetKeyCode() == 'S');
}

TEST_F(FrameTest, StartsWithoutAModelWithTheSwitchOrWithAnUnreadableFile)
{
    ASSERT_TRUE(Start({}));
    EXPECT_EQ(backend.Count(Event::Box), 1);
    EXPECT_EQ(backend.mainCaption, "Untitled - Trussforge3D");
    EXPECT_EQ(g_bPrefsSaveAllowed, 1);
    EXPECT_EQ(g_bHasFileName, 0);
    EXPECT_EQ(g_nMembers, 0);
    EXPECT_EQ(g_bModelSaved, 1);

    ASSERT_TRUE(Start({"nprefs"}));
    EXPECT_EQ(g_bPrefsSaveAllowed, 0);
    EXPECT_EQ(g_strStartFile, "");
    EXPECT_EQ(backend.Count(Event::Box), 1);
    EXPECT_EQ(backend.mainCaption, "Untitled - Trussforge3D");

    // An unreadable file is reported after the warning and left as it is.
    const std::string bad = (dir / "broken.3dd").string();
    std::ofstream(bad) << "Trussforge3D\n4.000000\n10 10 3 2 0\n1 0 0 0\n";
    const std::string before = ReadAll(bad);
    ASSERT_TRUE(Start({bad}));
    const auto boxes = backend.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text.rfind("This software is for educational", 0), 0u);
    EXPECT_NE(boxes[1].text.find(bad), std::string::npos);
    EXPECT_EQ(backend.mainCaption, "Untitled - Trussforge3D");
    EXPECT_EQ(g_strModelFileName, "Untitled");
    EXPECT_EQ(g_nJoints, 0);
    EXPECT_FALSE(Enabled(ID_FILE_SAVE_MODEL));
    frame->RunCommand(ID_FILE_SAVE_MODEL);
    EXPECT_EQ(ReadAll(bad), before);
}

// ---------------------------------------------------------------- exit

TEST_F(FrameTest, ExitAsksAndHonoursTheAnswers)
{
    const struct {
        int edit;  // 0 none, 1 a tool that edits, 2 an edit outside any command
        int first, second;
        bool closes;
    } cases[] = {
        {0, platform::IDNO, 0, false},
        {1, platform::IDYES, platform::IDCANCEL, false},
        {2, platform::IDYES, platform::IDOK, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        ASSERT_TRUE(Start({kBridge}));
        if (c.edit == 1) frame->RunCommand(ID_MEMBERS_ADD);
        if (c.edit == 2) g_Joints[1].x += 1;
        const short members = g_nMembers;
        backend.Clear();
        if (c.second)
            backend.ScriptAnswers({c.first, c.second});
        else
            backend.ScriptAnswers({c.first});
        if (c.edit)
            frame->Close();
        else
            frame->RunCommand(ID_APP_EXIT);
        Pump();
        EXPECT_EQ(destroyed, c.closes);
        const auto boxes = backend.Boxes();
        ASSERT_EQ(boxes.size(), c.second ? 2u : 1u);
        EXPECT_EQ(boxes[0].text, "Are you sure you want to exit Trussforge3D?");
        if (c.second) {
            EXPECT_EQ(boxes[1].text, "Current Changes have not been saved!   \nClick CANCEL to stop exit.");
        }
        if (!c.closes) {
            EXPECT_EQ(g_nMembers, members);
        }
    }
}

// ---------------------------------------------------------------- commands through the window

TEST_F(FrameTest, NewModelsThroughTheMenu)
{
    ASSERT_TRUE(Start({kBridge}));
    const short joints = g_nJoints;
    frame->RunCommand(ID_FILE_NEW_US_UNITS);
    EXPECT_EQ(g_nJoints, 0);
    EXPECT_EQ(backend.mainCaption, "Untitled - Trussforge3D");
    EXPECT_TRUE(Checked(ID_FILE_NEW_US_UNITS));
    EXPECT_TRUE(Enabled(ID_FILE_SAVE_MODEL));  // New keeps the file name
    ASSERT_TRUE(Enabled(ID_EDIT_UNDO));
    frame->RunCommand(ID_EDIT_UNDO);
    EXPECT_EQ(g_nJoints, joints);
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));

    frame->RunCommand(ID_FILE_NEW_METRIC_UNITS);
    EXPECT_TRUE(Checked(ID_FILE_NEW_METRIC_UNITS));
    EXPECT_FALSE(Checked(ID_FILE_NEW_US_UNITS));
    frame->RunCommand(ID_FILE_NEW_BRIDGE_PROJECT);
    EXPECT_EQ(g_nJoints, 30);
    EXPECT_TRUE(Checked(ID_FILE_NEW_BRIDGE_PROJECT));
    EXPECT_TRUE(Enabled(ID_LOADS_USE_TRUCK));
    EXPECT_FALSE(Enabled(ID_OPT_FIND_BREAKING_FORCES));
    frame->RunCommand(ID_FILE_NEW_TOWER_PROJECT);
    EXPECT_EQ(g_nJoints, 8);
    EXPECT_FALSE(Checked(ID_FILE_NEW_BRIDGE_PROJECT));
    EXPECT_TRUE(Checked(ID_OPT_MAGNIFY_20));
    EXPECT_TRUE(Enabled(ID_LOADS_USE_FAN));
    wxImage image;
    EXPECT_TRUE(frame->View()->CaptureFrame(image));
}

TEST_F(FrameTest, OpenSaveAndSaveAsThroughFileDialogs)
{
    ASSERT_TRUE(Start({}));
    EXPECT_FALSE(Enabled(ID_FILE_SAVE_MODEL));
    const std::string copy = (dir / "mine.3dd").string();
    fs::copy_file(kBridge, copy);
    backend.ScriptFiles({copy});
    frame->RunCommand(ID_FILE_OPEN_MODEL);
    EXPECT_EQ(backend.mainCaption, "mine.3dd - Trussforge3D");
    EXPECT_GT(g_nMembers, 0);
    EXPECT_TRUE(Enabled(ID_FILE_SAVE_MODEL));

    g_Joints[2].forceY = -3;
    frame->RunCommand(ID_SUPPORTS_FIXED);  // takes the snapshot: unsaved
    EXPECT_EQ(g_bModelSaved, 0);
    frame->RunCommand(ID_FILE_SAVE_MODEL);  // the model itself, never an empty file
    EXPECT_EQ(g_bModelSaved, 1);
    EXPECT_EQ(ReadAll(copy), ModelFileText());
    EXPECT_NE(ReadAll(copy).find("-3.000000"), std::string::npos);

    const std::string other = (dir / "other.3dd").string();
    backend.ScriptFiles({other});
    frame->RunCommand(ID_FILE_SAVE_MODEL_AS);
    EXPECT_EQ(backend.mainCaption, "other.3dd - Trussforge3D");
    EXPECT_EQ(ReadAll(other), ModelFileText());

    // A failed save: the writer's message; name and state unchanged.
    frame->RunCommand(ID_MEMBERS_DELETE);
    backend.Clear();
    backend.ScriptFiles({(dir / "nowhere" / "x.3dd").string()});
    frame->RunCommand(ID_FILE_SAVE_MODEL_AS);
    ASSERT_EQ(backend.Count(Event::Box), 1);
    EXPECT_EQ(backend.Boxes()[0].text, "Access Denied!\nYour file was not saved.");
    EXPECT_EQ(g_strModelFileName, "other.3dd");
    EXPECT_EQ(g_bModelSaved, 0);
}

TEST_F(FrameTest, ToolbarShowsTheToolAndRunsTheAnalysis)
{
    ASSERT_TRUE(Start({kBridge}));
    frame->RunCommand(ID_SUPPORTS_FIXED);
    UpdateUI();
    EXPECT_TRUE(frame->GetToolBar()->GetToolState(ToolkitItemId(ID_SUPPORTS_FIXED)));
    EXPECT_FALSE(frame->GetToolBar()->GetToolState(ToolkitItemId(ID_SUPPORTS_HINGE)));
    EXPECT_EQ(g_strStatusPrompt, "Add Support -> Click a Joint");

    backend.Clear();
    g_bUseFan = 0;
    frame->RunCommand(ID_ANALYSIS_RUN);
    EXPECT_EQ(g_bModeSupportFixed, 0);  // the analysis clears the tools
    EXPECT_EQ(g_bModelFailed, 0);
    EXPECT_EQ(g_strStatusPrompt, ">>>> It Worked! <<<<");
    const auto sounds = backend.Sounds();
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds[0].text, "IDR_WAVE_CHEERS");
    EXPECT_TRUE(Enabled(ID_ANALYSIS_MEMBER_RESULTS));
}

// ---------------------------------------------------------------- a display without OpenGL

// The program on a display without GLX: the view's two boxes (answered with
// Return through the XTest extension, loaded at run time), then it ends by
// itself with exit code 1: no toolkit assert, no hang.
TEST(FrameStartup, WithoutOpenGLTheProgramSaysSoAndEnds)
{
    const std::string program = std::string(TF3D_BINARY_DIR) + "/tf3d";
    if (access(program.c_str(), X_OK) != 0) GTEST_SKIP() << "tf3d not built";
    if (std::system("command -v Xvfb > /dev/null 2>&1") != 0) GTEST_SKIP() << "no Xvfb";
    const fs::path home = fs::temp_directory_path() / ("tf3d_noglx_" + std::to_string(getpid()));
    fs::create_directories(home);

    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    const pid_t server = fork();
    ASSERT_GE(server, 0);
    if (server == 0) {
        close(fds[0]);
        const std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "800x600x24", "-extension", "GLX",
               "-nolisten", "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string display = ":";
    char ch;
    while (read(fds[0], &ch, 1) == 1 && ch != '\n') display += ch;
    close(fds[0]);
    ASSERT_GT(display.size(), 1u) << "the virtual display did not start";

    const fs::path errors = home / "stderr.txt";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setenv("DISPLAY", display.c_str(), 1);
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", home.c_str(), 1);
        setenv("NO_AT_BRIDGE", "1", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        if (!freopen(errors.c_str(), "w", stderr)) _exit(126);
        execl(program.c_str(), program.c_str(), kBridge.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }

    void* x11 = dlopen("libX11.so.6", RTLD_NOW);
    void* xtst = dlopen("libXtst.so.6", RTLD_NOW);
    auto fn = [](void* lib, const char* name) { return lib ? dlsym(lib, name) : nullptr; };
    auto open = reinterpret_cast<void* (*)(const char*)>(fn(x11, "XOpenDisplay"));
    auto closeDisplay = reinterpret_cast<int (*)(void*)>(fn(x11, "XCloseDisplay"));
    auto flush = reinterpret_cast<int (*)(void*)>(fn(x11, "XFlush"));
    auto keycode = reinterpret_cast<unsigned char (*)(void*, unsigned long)>(fn(x11, "XKeysymToKeycode"));
    auto motion = reinterpret_cast<int (*)(void*, int, int, int, unsigned long)>(fn(xtst, "XTestFakeMotionEvent"));
    auto key = reinterpret_cast<int (*)(void*, unsigned, int, unsigned long)>(fn(xtst, "XTestFakeKeyEvent"));
    void* x = open && closeDisplay && flush && keycode && motion && key ? open(display.c_str()) : nullptr;
    int status = 0, presses = 0;
    bool ended = false;
    for (const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
         !ended && std::chrono::steady_clock::now() < end;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        ended = waitpid(child, &status, WNOHANG) == child;
        if (!ended && x) {  // Return with the pointer on the box, which opens at the top left
            motion(x, 0, 40, 20, 0);
            key(x, keycode(x, 0xff0d), 1, 0);
            key(x, keycode(x, 0xff0d), 0, 0);
            flush(x);
            ++presses;
        }
    }
    if (x) closeDisplay(x);
    if (xtst) dlclose(xtst);
    if (x11) dlclose(x11);
    if (!ended) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
    }
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);
    const std::string stderrText = ReadAll(errors.string());
    fs::remove_all(home);

    ASSERT_TRUE(ended) << "the program did not end; presses: " << presses;
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1);
    EXPECT_GE(presses, 2);  // the reason and the error code
    EXPECT_EQ(stderrText.find("assert"), std::string::npos) << stderrText;
}

}  // namespace
