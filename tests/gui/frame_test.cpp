// The program's main window on a virtual display: start-up with and without
// a model, the menus, toolbar and commands routed through the window, and
// exit. Message boxes and file dialogs go to the recording backend; the
// view renders through GL.
#include <dlfcn.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <cstdlib>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <GL/gl.h>
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
#include "view/projection.h"
#include "view/view_globals.h"
#include "view/wx_view.h"

namespace {

namespace fs = std::filesystem;
using platform::Event;

const std::string kBridge = std::string(TF3D_SOURCE_DIR) + "/examples/bridge.3dd";

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
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

    template <class Done>
    static bool PumpUntil(Done done, double seconds)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        for (;;) {
            wxTheApp->Yield(true);
            if (done()) return true;
            if (std::chrono::steady_clock::now() > end) return false;
            wxMilliSleep(5);
        }
    }
    static void Pump()
    {
        for (int i = 0; i < 10; ++i) wxTheApp->Yield(true);
        wxTheApp->ProcessIdle();
    }

    // Starts the program's window as the application does; true once the
    // first frame is drawn.
    bool Start(const std::vector<std::string>& args)
    {
        frame = StartMainFrame(args);
        if (!frame) return false;
        destroyed = false;
        frame->Bind(wxEVT_DESTROY, [this](wxWindowDestroyEvent& event) {
            if (event.GetEventObject() == frame) {
                destroyed = true;
                frame = nullptr;
            }
            event.Skip();
        });
        return PumpUntil([this] { return frames > 0; }, 10);
    }

    wxMenuItem* Item(int commandId) const { return frame->GetMenuBar()->FindItem(ToolkitItemId(commandId)); }
    // The menu and toolbar states as the toolkit shows them after an update.
    void UpdateUI()
    {
        wxMenuBar* bar = frame->GetMenuBar();
        for (size_t i = 0; i < bar->GetMenuCount(); ++i) bar->GetMenu(i)->UpdateUI(frame);
        frame->GetToolBar()->UpdateWindowUI(wxUPDATE_UI_FROMIDLE);
    }
    static bool Near(int a, int b, int tolerance) { return std::abs(a - b) <= tolerance; }

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
    ASSERT_FALSE(backend.events.empty());
    auto firstBox = std::find_if(backend.events.begin(), backend.events.end(),
                                 [](const Event& e) { return e.kind == Event::Box; });
    ASSERT_NE(firstBox, backend.events.end());
    EXPECT_EQ(firstBox->text.rfind("This software is for educational purposes only", 0), 0u);
    EXPECT_EQ(firstBox->flags, platform::MB_OK | platform::MB_ICONINFORMATION | platform::MB_SYSTEMMODAL);
    EXPECT_EQ(backend.Count(Event::Box), 1);

    EXPECT_EQ(backend.mainCaption, "bridge.3dd - Trussforge3D");
    EXPECT_EQ(g_strModelFileName, "bridge.3dd");
    EXPECT_EQ(g_bHasFileName, 1);
    EXPECT_EQ(g_bModelSaved, 1);
    EXPECT_EQ(g_nScreenWidth, 1280);
    EXPECT_EQ(g_nLargeScreenFactor, 1);
    EXPECT_GT(g_nMembers, 0);

    // Initial camera from the workspace (no preferences file here).
    const int x = g_nWorkspaceX / 2, y = g_nWorkspaceY / 2, z = g_nWorkspaceZ / 2;
    EXPECT_FLOAT_EQ(g_fOrbitAngle, 1.57f);
    EXPECT_DOUBLE_EQ(g_dCenterX, x);
    EXPECT_DOUBLE_EQ(g_dCenterY, y);
    EXPECT_DOUBLE_EQ(g_dCenterZ, z);
    EXPECT_DOUBLE_EQ(g_dEyeX, x);
    EXPECT_NEAR(g_dEyeZ, z + (g_nWorkspaceY < g_nWorkspaceX ? x * 2.3 : y * 2.4), 1e-9);

    // The wait cursor was set once and the previous one put back.
    std::vector<int> cursors;
    for (const Event& e : backend.events)
        if (e.kind == Event::Cursor) cursors.push_back(e.id);
    ASSERT_GE(cursors.size(), 2u);
    EXPECT_EQ(cursors[0], platform::CURSOR_WAIT);
    EXPECT_EQ(cursors[1], platform::CURSOR_ARROW);

    // Menus: ten in order, Joints/Move gone although its command stays.
    wxMenuBar* bar = frame->GetMenuBar();
    ASSERT_EQ(bar->GetMenuCount(), 10u);
    EXPECT_EQ(bar->GetMenuLabelText(0), "File");
    EXPECT_EQ(bar->GetMenuLabelText(9), "Help");
    EXPECT_EQ(Item(ID_JOINTS_MOVE), nullptr);
    EXPECT_NE(Item(ID_JOINTS_ADD), nullptr);
    frame->RunCommand(ID_JOINTS_MOVE);
    EXPECT_EQ(g_bModeMoveJoint, 1);

    // Toolbar: fifteen buttons with their tooltips.
    wxToolBar* tools = frame->GetToolBar();
    ASSERT_NE(tools, nullptr);
    EXPECT_EQ(tools->GetToolsCount(), static_cast<size_t>(TOOLBAR_BUTTON_COUNT + 6));
    EXPECT_EQ(tools->GetToolShortHelp(ToolkitItemId(ID_GUIDES_MOVE_FOCUS)), "Set Focus to a Joint");
    EXPECT_EQ(tools->GetToolLongHelp(ToolkitItemId(ID_SUPPORTS_FIXED)), "Add support of type = 111 111");
}

TEST_F(FrameTest, TheBridgePictureMembersBackgroundAndPrompt)
{
    ASSERT_TRUE(Start({kBridge}));
    wxImage image;
    ASSERT_TRUE(frame->View()->CaptureFrame(image));
    const int w = image.GetWidth(), h = image.GetHeight();
    ASSERT_EQ(w, g_nViewWidth);
    ASSERT_GT(h, 200);

    // A corner shows the background colour.
    const int bg[3] = {static_cast<int>(g_fBackgroundR * 255), static_cast<int>(g_fBackgroundG * 255),
                       static_cast<int>(g_fBackgroundB * 255)};
    EXPECT_TRUE(Near(image.GetRed(w - 1, h - 1), bg[0], 2) && Near(image.GetGreen(w - 1, h - 1), bg[1], 2) &&
                Near(image.GetBlue(w - 1, h - 1), bg[2], 2));

    // At the projected midpoint of each member drawn on its axis (the deck
    // members are offset from theirs): the member's colour, lit (emission
    // 0.3 plus 0.4 .. 0.9 of the colour).
    int checked = 0;
    for (int m = 1; m <= g_nMembers; ++m) {
        const MemberRec& rec = g_Members[m];
        if (rec.offsetY != 0 || rec.offsetZ != 0) continue;
        short px, py;
        if (!ProjectMember(m, px, py) || px < 0 || py < 0 || px >= w || py >= h) continue;
        const float colour[3] = {rec.colorR, rec.colorG, rec.colorB};
        const int got[3] = {image.GetRed(px, py), image.GetGreen(px, py), image.GetBlue(px, py)};
        for (int c = 0; c < 3; ++c) {
            const double lo = (0.3 + 0.4 * colour[c]) * 255 - 12, hi = (0.3 + 0.9 * colour[c]) * 255 + 12;
            EXPECT_TRUE(got[c] >= lo && got[c] <= hi) << "member " << m << " at " << px << "," << py << " channel "
                                                       << c << " = " << got[c] << " colour " << colour[c];
        }
        ++checked;
    }
    EXPECT_GE(checked, 10);

    // The prompt box at (10, 5): dark text from there on, nothing above it.
    auto dark = [&](int x0, int y0, int x1, int y1) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (image.GetRed(x, y) < 60 && image.GetGreen(x, y) < 60 && image.GetBlue(x, y) < 60) return true;
        return false;
    };
    EXPECT_EQ(g_strStatusPrompt, "Ready");
    EXPECT_TRUE(dark(10, 5, 90, 5 + CSpan3DView::OverlayLineHeight()));
    EXPECT_FALSE(dark(0, 0, 90, 5));
    EXPECT_FALSE(dark(0, 5, 10, 5 + CSpan3DView::OverlayLineHeight()));
}

TEST_F(FrameTest, StartsWithoutAModelOrWithTheSwitch)
{
    ASSERT_TRUE(Start({}));
    EXPECT_EQ(backend.Count(Event::Box), 1);
    EXPECT_EQ(backend.mainCaption, "Untitled - Trussforge3D");
    EXPECT_EQ(g_bPrefsSaveAllowed, 1);
    EXPECT_EQ(g_bHasFileName, 0);
    EXPECT_EQ(g_nMembers, 0);
    EXPECT_EQ(g_bModelSaved, 1);
    frame->Destroy();
    Pump();
    EXPECT_TRUE(destroyed);

    backend.Clear();
    ResetAllGlobals();
    frames = 0;
    ASSERT_TRUE(Start({"nprefs"}));
    EXPECT_EQ(g_bPrefsSaveAllowed, 0);
    EXPECT_EQ(g_strStartFile, "");
    EXPECT_EQ(backend.Count(Event::Box), 1);
    EXPECT_EQ(backend.mainCaption, "Untitled - Trussforge3D");
}

TEST_F(FrameTest, AnUnreadableStartFileIsReportedAfterTheWarning)
{
    const std::string bad = (dir / "broken.3dd").string();
    std::ofstream(bad) << "Trussforge3D\n4.000000\n10 10 3 2 0\n1 0 0 0\n";
    const std::string before = ReadAll(bad);
    ASSERT_TRUE(Start({bad}));
    auto boxes = backend.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text.rfind("This software is for educational", 0), 0u);
    EXPECT_NE(boxes[1].text.find(bad), std::string::npos);
    EXPECT_EQ(backend.mainCaption, "Untitled - Trussforge3D");
    EXPECT_EQ(g_strModelFileName, "Untitled");
    EXPECT_EQ(g_nJoints, 0);
    EXPECT_EQ(g_bHasFileName, 0);

    UpdateUI();
    EXPECT_FALSE(Item(ID_FILE_SAVE_MODEL)->IsEnabled());
    frame->RunCommand(ID_FILE_SAVE_MODEL);
    EXPECT_EQ(ReadAll(bad), before);
}

// ---------------------------------------------------------------- exit

TEST_F(FrameTest, ExitAnsweredNo)
{
    ASSERT_TRUE(Start({kBridge}));
    backend.Clear();
    backend.ScriptAnswers({platform::IDNO});
    frame->RunCommand(ID_APP_EXIT);
    Pump();
    EXPECT_FALSE(destroyed);
    auto boxes = backend.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Are you sure you want to exit Trussforge3D?");
}

TEST_F(FrameTest, ExitWithUnsavedChangesYesThenCancelKeepsTheModel)
{
    ASSERT_TRUE(Start({kBridge}));
    frame->RunCommand(ID_MEMBERS_ADD);  // a tool that edits: the model counts as changed
    EXPECT_EQ(g_bModelSaved, 0);
    const short members = g_nMembers;
    backend.Clear();
    backend.ScriptAnswers({platform::IDYES, platform::IDCANCEL});
    frame->Close();
    Pump();
    EXPECT_FALSE(destroyed);
    auto boxes = backend.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "Current Changes have not been saved!   \nClick CANCEL to stop exit.");
    EXPECT_EQ(g_nMembers, members);
}

TEST_F(FrameTest, ExitWithUnsavedChangesYesAndOkCloses)
{
    ASSERT_TRUE(Start({kBridge}));
    g_Joints[1].x += 1;  // an edit outside any command is noticed at exit
    backend.Clear();
    backend.ScriptAnswers({platform::IDYES, platform::IDOK});
    frame->Close();
    EXPECT_EQ(backend.Count(Event::Box), 2);
    Pump();
    EXPECT_TRUE(destroyed);
}

// ---------------------------------------------------------------- commands through the window

TEST_F(FrameTest, NewModelsThroughTheMenu)
{
    ASSERT_TRUE(Start({kBridge}));
    const short joints = g_nJoints;

    frame->RunCommand(ID_FILE_NEW_US_UNITS);
    EXPECT_EQ(g_nJoints, 0);
    EXPECT_EQ(backend.mainCaption, "Untitled - Trussforge3D");
    UpdateUI();
    EXPECT_TRUE(Item(ID_FILE_NEW_US_UNITS)->IsChecked());
    EXPECT_TRUE(Item(ID_EDIT_UNDO)->IsEnabled());
    EXPECT_TRUE(Item(ID_FILE_SAVE_MODEL)->IsEnabled());  // New keeps the file name

    frame->RunCommand(ID_EDIT_UNDO);
    EXPECT_EQ(g_nJoints, joints);
    UpdateUI();
    EXPECT_FALSE(Item(ID_EDIT_UNDO)->IsEnabled());

    frame->RunCommand(ID_FILE_NEW_METRIC_UNITS);
    UpdateUI();
    EXPECT_TRUE(Item(ID_FILE_NEW_METRIC_UNITS)->IsChecked());
    EXPECT_FALSE(Item(ID_FILE_NEW_US_UNITS)->IsChecked());

    frame->RunCommand(ID_FILE_NEW_BRIDGE_PROJECT);
    EXPECT_EQ(g_nJoints, 30);
    UpdateUI();
    EXPECT_TRUE(Item(ID_FILE_NEW_BRIDGE_PROJECT)->IsChecked());
    EXPECT_TRUE(Item(ID_LOADS_USE_TRUCK)->IsEnabled());
    EXPECT_FALSE(Item(ID_OPT_FIND_BREAKING_FORCES)->IsEnabled());

    frame->RunCommand(ID_FILE_NEW_TOWER_PROJECT);
    EXPECT_EQ(g_nJoints, 8);
    UpdateUI();
    EXPECT_TRUE(Item(ID_FILE_NEW_TOWER_PROJECT)->IsChecked());
    EXPECT_FALSE(Item(ID_FILE_NEW_BRIDGE_PROJECT)->IsChecked());
    EXPECT_TRUE(Item(ID_OPT_MAGNIFY_20)->IsChecked());
    EXPECT_TRUE(Item(ID_LOADS_USE_FAN)->IsEnabled());

    // The picture follows.
    wxImage image;
    EXPECT_TRUE(frame->View()->CaptureFrame(image));
}

TEST_F(FrameTest, OpenSaveAndSaveAsThroughFileDialogs)
{
    ASSERT_TRUE(Start({}));
    UpdateUI();
    EXPECT_FALSE(Item(ID_FILE_SAVE_MODEL)->IsEnabled());

    const std::string copy = (dir / "mine.3dd").string();
    fs::copy_file(kBridge, copy);
    backend.ScriptFiles({copy});
    frame->RunCommand(ID_FILE_OPEN_MODEL);
    EXPECT_EQ(backend.mainCaption, "mine.3dd - Trussforge3D");
    EXPECT_GT(g_nMembers, 0);
    UpdateUI();
    EXPECT_TRUE(Item(ID_FILE_SAVE_MODEL)->IsEnabled());

    frame->RunCommand(ID_SUPPORTS_FIXED);  // takes the snapshot: unsaved
    EXPECT_EQ(g_bModelSaved, 0);
    frame->RunCommand(ID_FILE_SAVE_MODEL);
    EXPECT_EQ(g_bModelSaved, 1);
    EXPECT_EQ(ReadAll(copy), ModelFileText());

    const std::string other = (dir / "other.3dd").string();
    backend.ScriptFiles({other});
    frame->RunCommand(ID_FILE_SAVE_MODEL_AS);
    EXPECT_EQ(backend.mainCaption, "other.3dd - Trussforge3D");
    EXPECT_TRUE(fs::exists(other));

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

TEST_F(FrameTest, ToolbarButtonsShowTheirToolAndRunTheAnalysis)
{
    ASSERT_TRUE(Start({kBridge}));
    frame->RunCommand(ID_SUPPORTS_FIXED);
    UpdateUI();
    wxToolBar* tools = frame->GetToolBar();
    EXPECT_TRUE(tools->GetToolState(ToolkitItemId(ID_SUPPORTS_FIXED)));
    EXPECT_FALSE(tools->GetToolState(ToolkitItemId(ID_SUPPORTS_HINGE)));
    EXPECT_TRUE(tools->GetToolState(ToolkitItemId(ID_GUIDES_XY_SHOW)) == (g_bShowGuideXY != 0));
    EXPECT_EQ(g_strStatusPrompt, "Add Support -> Click a Joint");

    // Run the Analysis! from the toolbar on the bridge example.
    frame->RunCommand(ID_SUPPORTS_HINGE);
    backend.Clear();
    g_bUseFan = 0;
    frame->RunCommand(ID_ANALYSIS_RUN);
    EXPECT_EQ(g_bModeSupportHinge, 0);  // the analysis clears the tools
    EXPECT_EQ(g_bModelFailed, 0);
    EXPECT_EQ(g_strStatusPrompt, ">>>> It Worked! <<<<");
    auto sounds = backend.Sounds();
    ASSERT_EQ(sounds.size(), 1u);
    EXPECT_EQ(sounds[0].text, "IDR_WAVE_CHEERS");
    EXPECT_EQ(g_bMemberResultsValid, 1);
    UpdateUI();
    EXPECT_TRUE(Item(ID_ANALYSIS_MEMBER_RESULTS)->IsEnabled());
}

// The keys the toolkit turns into commands: the frame's own table (checked
// the way the toolkit's key handler asks it) and the menu items' keys.
TEST_F(FrameTest, KeyboardAcceleratorsReachTheFileCommands)
{
    const std::string copy = (dir / "keys.3dd").string();
    fs::copy_file(kBridge, copy);
    ASSERT_TRUE(Start({copy}));

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

    auto menuKey = [this](int commandId, int key) {
        std::unique_ptr<wxAcceleratorEntry> accel(Item(commandId)->GetAccel());
        return accel && accel->GetFlags() == wxACCEL_CTRL && accel->GetKeyCode() == key;
    };
    EXPECT_TRUE(menuKey(ID_FILE_OPEN_MODEL, 'O'));
    EXPECT_TRUE(menuKey(ID_FILE_SAVE_MODEL, 'S'));
    EXPECT_TRUE(menuKey(ID_EDIT_UNDO, 'Z'));

    // What those keys run: Ctrl+S writes the model itself, never an empty
    // file; Ctrl+N makes a new model and Alt+Backspace undoes it.
    g_Joints[2].forceY = -3;
    frame->RunCommand(ID_SUPPORTS_FIXED);
    frame->RunCommand(ID_FILE_SAVE_MODEL);
    EXPECT_EQ(g_bModelSaved, 1);
    EXPECT_EQ(ReadAll(copy), ModelFileText());
    EXPECT_NE(ReadAll(copy).find("-3.000000"), std::string::npos);
    const short joints = g_nJoints;
    frame->RunCommand(ID_FILE_NEW);
    EXPECT_EQ(g_nJoints, 0);
    EXPECT_EQ(g_strModelFileName, "Untitled");
    frame->RunCommand(ID_EDIT_UNDO);
    EXPECT_EQ(g_nJoints, joints);
}

TEST_F(FrameTest, ToolbarCanBeHiddenAndShown)
{
    ASSERT_TRUE(Start({}));
    wxToolBar* tools = frame->GetToolBar();
    UpdateUI();
    EXPECT_TRUE(Item(ID_VIEW_TOOLBAR)->IsChecked());
    frame->RunCommand(ID_VIEW_TOOLBAR);
    Pump();
    EXPECT_FALSE(tools->IsShown());
    UpdateUI();
    EXPECT_FALSE(Item(ID_VIEW_TOOLBAR)->IsChecked());
    frame->RunCommand(ID_VIEW_TOOLBAR);
    EXPECT_TRUE(tools->IsShown());
}

// ---------------------------------------------------------------- a display without OpenGL

// Presses keys on another X display through the XTest extension (loaded at
// run time, so the tests need no X libraries of their own).
class CRemoteKeyboard {
public:
    explicit CRemoteKeyboard(const std::string& display)
    {
        m_x11 = dlopen("libX11.so.6", RTLD_NOW);
        m_xtst = dlopen("libXtst.so.6", RTLD_NOW);
        if (!m_x11 || !m_xtst) return;
        m_open = reinterpret_cast<void* (*)(const char*)>(dlsym(m_x11, "XOpenDisplay"));
        m_close = reinterpret_cast<int (*)(void*)>(dlsym(m_x11, "XCloseDisplay"));
        m_flush = reinterpret_cast<int (*)(void*)>(dlsym(m_x11, "XFlush"));
        m_keycode = reinterpret_cast<unsigned char (*)(void*, unsigned long)>(dlsym(m_x11, "XKeysymToKeycode"));
        m_motion = reinterpret_cast<int (*)(void*, int, int, int, unsigned long)>(dlsym(m_xtst, "XTestFakeMotionEvent"));
        m_key = reinterpret_cast<int (*)(void*, unsigned, int, unsigned long)>(dlsym(m_xtst, "XTestFakeKeyEvent"));
        if (m_open && m_close && m_flush && m_keycode && m_motion && m_key) m_display = m_open(display.c_str());
    }
    ~CRemoteKeyboard()
    {
        if (m_display) m_close(m_display);
        if (m_xtst) dlclose(m_xtst);
        if (m_x11) dlclose(m_x11);
    }
    bool Ok() const { return m_display != nullptr; }
    // Return with the pointer at (x, y): answers the box that lies there.
    void PressReturnAt(int x, int y)
    {
        m_motion(m_display, 0, x, y, 0);
        const unsigned code = m_keycode(m_display, 0xff0d);
        m_key(m_display, code, 1, 0);
        m_key(m_display, code, 0, 0);
        m_flush(m_display);
    }

private:
    void* m_x11 = nullptr;
    void* m_xtst = nullptr;
    void* m_display = nullptr;
    void* (*m_open)(const char*) = nullptr;
    int (*m_close)(void*) = nullptr;
    int (*m_flush)(void*) = nullptr;
    unsigned char (*m_keycode)(void*, unsigned long) = nullptr;
    int (*m_motion)(void*, int, int, int, unsigned long) = nullptr;
    int (*m_key)(void*, unsigned, int, unsigned long) = nullptr;
};

// The program on a display without GLX: the view's two boxes, then the
// program ends by itself with exit code 1 (no toolkit box, no hang).
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
    std::string number;
    char ch;
    while (read(fds[0], &ch, 1) == 1 && ch != '\n') number += ch;
    close(fds[0]);
    ASSERT_FALSE(number.empty()) << "the virtual display did not start";
    const std::string display = ":" + number;

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

    int status = 0;
    int presses = 0;
    bool ended = false;
    {
        CRemoteKeyboard keyboard(display);
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(700));
            if (waitpid(child, &status, WNOHANG) == child) {
                ended = true;
                break;
            }
            if (keyboard.Ok()) {
                keyboard.PressReturnAt(40, 20);  // the boxes open at the top left
                ++presses;
            }
        }
    }
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
