// The program's main window on a virtual display: start-up with and without
// a model, the menus, toolbar and commands routed through the window, and
// exit. Message boxes and file dialogs go to the recording backend.
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <wx/accel.h>
#include <wx/dialog.h>
#include <wx/menu.h>
#include <wx/aui/auibar.h>
#include <wx/utils.h>

#include "files/model_file.h"
#include "files/preferences.h"
#include "frame/command_ids.h"
#include "frame/file_commands.h"
#include "frame/menu_dialogs.h"
#include "frame/menu_table.h"
#include "frame/wx_dialogs.h"
#include "frame/wx_main_frame.h"
#include "state/frame_globals.h"
#include "tests/common/test_files.h"
#include "tests/gui_common/modal_script.h"
#include "tests/view/view_fixture.h"
#include "view/pick_dialogs.h"
#include "view/projection.h"

namespace {

namespace fs = std::filesystem;
using platform::Event;

const std::string kBridge = ExamplePath("bridge.3dd");

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
        if (!(frame = StartMainFrame(args))) return false;
        destroyed = false;
        frame->Bind(wxEVT_DESTROY, [this](wxWindowDestroyEvent& event) {
            if (event.GetEventObject() == frame) destroyed = true, frame = nullptr;
            event.Skip();
        });
        for (const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
             frames == 0 && std::chrono::steady_clock::now() < end;)
            wxTheApp->Yield(true), wxMilliSleep(5);
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
        frame->ToolBar()->UpdateWindowUI(wxUPDATE_UI_FROMIDLE);
    }
    fs::path dir;
    CMainFrame* frame = nullptr;
    bool destroyed = false;
    int frames = 0;
};

TEST_F(FrameTest, StartsWithTheBridgeExample)
{
    ASSERT_TRUE(Start({kBridge}));
    const auto boxes = backend.Boxes();  // the warning comes first and is the only box
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.rfind("This software is for educational purposes only", 0), 0u);
    EXPECT_EQ(backend.mainCaption, "bridge.3dd - Trussforge3D");
    EXPECT_TRUE(g_bHasFileName == 1 && g_bModelSaved == 1 && g_nMembers > 0);
    EXPECT_TRUE(Enabled(ID_FILE_SAVE_MODEL));  // saves back into the file it was started with
    EXPECT_EQ(g_nScreenWidth, 1280);
    EXPECT_DOUBLE_EQ(g_dCenterX, g_nWorkspaceX / 2);  // camera from the workspace (no preferences file)
    // Ten menus, Joints/Move gone although its command stays; the toolbar's buttons.
    ASSERT_EQ(frame->GetMenuBar()->GetMenuCount(), 10u);
    EXPECT_EQ(Item(ID_JOINTS_MOVE), nullptr);
    frame->RunCommand(ID_JOINTS_MOVE);
    EXPECT_EQ(g_bModeMoveJoint, 1);
    // 62-pixel buttons on a toolbar the user can float and dock at any side.
    wxAuiToolBar* bar = frame->ToolBar();
    EXPECT_EQ(bar->GetToolCount(), TOOLBAR_BUTTON_COUNT + 6);
    EXPECT_EQ(bar->GetToolRect(ToolkitItemId(ID_ANALYSIS_RUN)).GetSize(), wxSize(62, 62));
    const wxAuiPaneInfo& pane = wxAuiManager::GetManager(frame)->GetPane(bar);
    EXPECT_TRUE(pane.IsToolbar() && pane.IsFloatable() && pane.IsLeftDockable() && pane.IsBottomDockable());
    frame->RunCommand(ID_VIEW_TOOLBAR);
    EXPECT_FALSE(frame->ToolBarShown());
    frame->RunCommand(ID_VIEW_TOOLBAR);
    EXPECT_TRUE(frame->ToolBarShown());
    // Keys: the frame's own table, as the toolkit's key handler asks it, and a menu item's key.
    auto commandOfKey = [this](int key, bool ctrl, bool alt) {
        wxKeyEvent event(wxEVT_KEY_DOWN);
        event.m_keyCode = key, event.m_controlDown = ctrl, event.m_altDown = alt;
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
    for (const char* arg : {"", "nprefs"}) {
        ASSERT_TRUE(Start(*arg ? std::vector<std::string>{arg} : std::vector<std::string>{}));
        EXPECT_EQ(backend.Count(Event::Box), 1);
        EXPECT_EQ(backend.mainCaption, "Untitled - Trussforge3D");
        EXPECT_TRUE(g_bHasFileName == 0 && g_nMembers == 0 && g_bModelSaved == 1);
        EXPECT_EQ(g_bPrefsSaveAllowed, *arg ? 0 : 1);
    }
    // An unreadable file is reported after the warning and left as it is.
    const std::string bad = (dir / "broken.3dd").string();
    std::ofstream(bad) << "Trussforge3D\n4.000000\n10 10 3 2 0\n1 0 0 0\n";
    const std::string before = ReadBytes(bad);
    ASSERT_TRUE(Start({bad}));
    const auto boxes = backend.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text.rfind("This software is for educational", 0), 0u);
    EXPECT_NE(boxes[1].text.find(bad), std::string::npos);
    EXPECT_EQ(backend.mainCaption, "Untitled - Trussforge3D");
    EXPECT_EQ(g_nJoints, 0);
    EXPECT_FALSE(Enabled(ID_FILE_SAVE_MODEL));
    frame->RunCommand(ID_FILE_SAVE_MODEL);
    EXPECT_EQ(ReadBytes(bad), before);
}

TEST_F(FrameTest, ExitAsksAndHonoursTheAnswers)
{
    const struct {
        int edit;  // 0 none, 1 a tool that edits, 2 an edit outside any command
        std::vector<int> answers;
        bool closes;
    } cases[] = {
        {0, {platform::IDNO}, false},
        {1, {platform::IDYES, platform::IDCANCEL}, false},
        {2, {platform::IDYES, platform::IDOK}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.edit);
        ASSERT_TRUE(Start({kBridge}));
        if (c.edit == 1) frame->RunCommand(ID_MEMBERS_ADD);
        if (c.edit == 2) g_Joints[1].x += 1;
        const short members = g_nMembers;
        backend.Clear();
        backend.answers.assign(c.answers.begin(), c.answers.end());
        if (c.edit)
            frame->Close();
        else
            frame->RunCommand(ID_APP_EXIT);
        Pump();
        EXPECT_EQ(destroyed, c.closes);
        const auto boxes = backend.Boxes();
        ASSERT_EQ(boxes.size(), c.answers.size());
        EXPECT_EQ(boxes[0].text, "Are you sure you want to exit Trussforge3D?");
        EXPECT_EQ(boxes.back().text, boxes.size() > 1 ? "Current Changes have not been saved!   \nClick CANCEL to stop exit."
                                                      : "Are you sure you want to exit Trussforge3D?");
        EXPECT_TRUE(c.closes || g_nMembers == members);
    }
}

TEST_F(FrameTest, NewModelsThroughTheMenu)
{
    ASSERT_TRUE(Start({kBridge}));
    const short joints = g_nJoints;
    frame->RunCommand(ID_FILE_NEW_US_UNITS);
    EXPECT_EQ(g_nJoints, 0);
    EXPECT_EQ(backend.mainCaption, "Untitled - Trussforge3D");
    EXPECT_TRUE(Checked(ID_FILE_NEW_US_UNITS));
    EXPECT_TRUE(Enabled(ID_FILE_SAVE_MODEL));  // a file was opened: New leaves Save Model on
    ASSERT_TRUE(Enabled(ID_EDIT_UNDO));
    frame->RunCommand(ID_EDIT_UNDO);
    EXPECT_EQ(g_nJoints, joints);
    EXPECT_FALSE(Enabled(ID_EDIT_UNDO));
    frame->RunCommand(ID_FILE_NEW_METRIC_UNITS);
    EXPECT_TRUE(Checked(ID_FILE_NEW_METRIC_UNITS) && !Checked(ID_FILE_NEW_US_UNITS));
    frame->RunCommand(ID_FILE_NEW_BRIDGE_PROJECT);
    EXPECT_EQ(g_nJoints, 30);
    EXPECT_TRUE(Checked(ID_FILE_NEW_BRIDGE_PROJECT) && Enabled(ID_LOADS_USE_TRUCK));
    EXPECT_FALSE(Enabled(ID_OPT_FIND_BREAKING_FORCES));
    frame->RunCommand(ID_FILE_NEW_TOWER_PROJECT);
    EXPECT_EQ(g_nJoints, 8);
    EXPECT_TRUE(!Checked(ID_FILE_NEW_BRIDGE_PROJECT) && Checked(ID_OPT_MAGNIFY_20) && Enabled(ID_LOADS_USE_FAN));
    wxImage image;
    EXPECT_TRUE(frame->View()->CaptureFrame(image));
}

TEST_F(FrameTest, OpenSaveAndSaveAsThroughFileDialogs)
{
    ASSERT_TRUE(Start({}));
    EXPECT_FALSE(Enabled(ID_FILE_SAVE_MODEL));
    const std::string copy = (dir / "mine.3dd").string(), other = (dir / "other.3dd").string();
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
    EXPECT_EQ(ReadBytes(copy), ModelFileText());  // with the new force
    backend.ScriptFiles({other});
    frame->RunCommand(ID_FILE_SAVE_MODEL_AS);
    EXPECT_EQ(backend.mainCaption, "other.3dd - Trussforge3D");
    EXPECT_EQ(ReadBytes(other), ModelFileText());
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
    EXPECT_TRUE(frame->ToolBar()->GetToolToggled(ToolkitItemId(ID_SUPPORTS_FIXED)) &&
                !frame->ToolBar()->GetToolToggled(ToolkitItemId(ID_SUPPORTS_HINGE)));
    EXPECT_EQ(g_strStatusPrompt, "Add Support -> Click a Joint");
    backend.Clear();
    g_bUseFan = 0;
    frame->RunCommand(ID_ANALYSIS_RUN);
    EXPECT_TRUE(g_bModeSupportFixed == 0 && g_bModelFailed == 0);  // the analysis clears the tools
    EXPECT_EQ(g_strStatusPrompt, ">>>> It Worked! <<<<");
    ASSERT_EQ(backend.Sounds().size(), 1u);
    EXPECT_EQ(backend.Sounds()[0].text, "IDR_WAVE_CHEERS");
    EXPECT_TRUE(Enabled(ID_ANALYSIS_MEMBER_RESULTS));
}

TEST_F(FrameTest, MenuChecksAndEnablesFollowTheCommands)
{
    ASSERT_TRUE(Start({kBridge}));
    EXPECT_TRUE(g_MenuDialogs.editMaterials && g_PickDialogs.showJointProperties);  // the frame installs the dialogs
    const struct {
        int id;
        int* flag;
    } toggles[] = {{ID_VIEW_RULERS, &g_bShowRulers}, {ID_VIEW_JOINTS, &g_bShowJoints},
                   {ID_GUIDES_XZ_SHOW, &g_bShowGuideXZ}, {ID_OPT_CONSIDER_TORSION, &g_bConsiderTorsion}};
    for (const auto& t : toggles) {
        const bool before = Checked(t.id);
        EXPECT_EQ(before, *t.flag != 0) << t.id;
        frame->RunCommand(t.id);
        EXPECT_EQ(Checked(t.id), !before) << t.id;
    }
    UpdateUI();
    EXPECT_EQ(frame->ToolBar()->GetToolToggled(ToolkitItemId(ID_GUIDES_XZ_SHOW)), g_bShowGuideXZ != 0);
    frame->RunCommand(ID_OPT_MAGNIFY_5);
    EXPECT_TRUE(Checked(ID_OPT_MAGNIFY_5) && !Checked(ID_OPT_MAGNIFY_10));
    frame->RunCommand(ID_VIEW_ADVANCED_OPTIONS);
    EXPECT_FALSE(Enabled(ID_MEMBERS_EDIT_MATERIALS) || Enabled(ID_MEMBERS_RESET_FIXITIES));
    EXPECT_EQ(Enabled(ID_LOADS_USE_TRUCK), g_bBridgeProject != 0);
    EXPECT_EQ(Enabled(ID_OPT_FIND_BREAKING_FORCES), g_bTruckActive == 0);
    // Updating the menus and toolbar repaints nothing.
    backend.events.clear();
    UpdateUI();
    EXPECT_EQ(backend.Count(Event::InvalidateFrame) + backend.Count(Event::InvalidateView), 0);
}

// Member Results and the property dialogs open inside the view by its
// edges, and open again where the user moved them.
TEST_F(FrameTest, ModelessDialogsOpenBesideTheViewAndWhereTheyWereLeft)
{
    ASSERT_TRUE(Start({kBridge}));
    g_nPickedMember = 4;
    const wxRect view(frame->View()->GetScreenPosition(), frame->View()->GetSize());
    wxPoint moved(100, 200);
    for (int pass = 0; pass < 2; ++pass) {
        g_PickDialogs.showMemberProperties();
        frame->RunCommand(ID_ANALYSIS_MEMBER_RESULTS);
        const wxRect properties = MemberPropertiesWindow()->GetScreenRect();
        for (wxDialog* d : {MemberPropertiesWindow(), MemberResultsWindow()}) {
            ASSERT_TRUE(d && d->IsShown());
            const wxRect r = d->GetScreenRect();
            if (pass == 0) {
                EXPECT_TRUE(view.Contains(r)) << d->GetTitle();
                // The first at the top right, the second beside it, not over it.
                if (d == MemberPropertiesWindow())
                    EXPECT_TRUE(view.GetRight() - r.GetRight() < 30 && r.y - view.y < 30) << d->GetTitle();
                else
                    EXPECT_FALSE(r.Intersects(properties));
                d->Move(moved);
            } else {
                EXPECT_EQ(r.GetPosition(), moved) << d->GetTitle();
            }
            moved.y += 50;
        }
        g_PickDialogs.showMemberProperties();  // a pick while it is open keeps it where it is
        EXPECT_EQ(MemberPropertiesWindow()->GetScreenRect().GetPosition(), wxPoint(100, 200));
        MemberPropertiesWindow()->Close();
        MemberResultsWindow()->Close();
        Pump();
        ASSERT_TRUE(MemberPropertiesWindow() == nullptr && MemberResultsWindow() == nullptr);
        moved = wxPoint(100, 200);
    }
}

// The program on a display without GLX: the view's two boxes (answered with
// Return, the pointer on the box in the middle of the screen), then it ends by itself
// with exit code 1: no toolkit assert, no hang.
TEST(FrameStartup, WithoutOpenGLTheProgramSaysSoAndEnds)
{
    const std::string program = std::string(TF3D_BINARY_DIR) + "/tf3d";
    if (access(program.c_str(), X_OK) != 0) GTEST_SKIP() << "tf3d not built";
    if (std::system("command -v xvfb-run xdotool > /dev/null 2>&1") != 0) GTEST_SKIP() << "no xvfb-run or xdotool";
    const fs::path home = fs::temp_directory_path() / ("tf3d_noglx_" + std::to_string(getpid()));
    fs::create_directories(home);
    const std::string h = home.string();
    const std::string script = "cd " + h + " || exit; (HOME=" + h + " XDG_CONFIG_HOME=" + h +
                               " NO_AT_BRIDGE=1 SDL_AUDIODRIVER=dummy " + program + " " + kBridge +
                               " 2> stderr.txt & echo $! > pid; wait $!; echo $? > status) & "
                               "for i in $(seq 40); do sleep 0.7; [ -s status ] && break; "
                               "xdotool mousemove 400 300 key Return && echo >> presses; done; "
                               "[ -s status ] || kill -9 $(cat pid); wait";
    std::system(("xvfb-run -a -s '-screen 0 800x600x24 -extension GLX -nolisten tcp' sh -c '" + script +
                 "' > /dev/null 2>&1").c_str());
    const std::string status = ReadBytes(h + "/status"), presses = ReadBytes(h + "/presses"),
                      errors = ReadBytes(h + "/stderr.txt");
    fs::remove_all(home);
    EXPECT_EQ(status, "1\n") << "exit status; presses: " << presses.size();
    EXPECT_GE(presses.size(), 2u);  // the reason and the error code
    EXPECT_EQ(errors.find("assert"), std::string::npos) << errors;
}

}  // namespace

// Small faults users saw: the About box's title cut in the title bar, and
// the last toolbar buttons out of reach in a narrow window.
TEST_F(FrameTest, AboutTitleFitsAndEveryToolStaysWithinReach)
{
    ASSERT_TRUE(Start({kBridge}));
    bool shown = false;
    SetModalScript([&](wxDialog* d) {
        shown = true;
        // The whole title in bold, beside a window manager's icon and three
        // buttons about a line and a half wide each.
        int title = 0, line = 0;
        const wxFont bold = d->GetFont().Bold();
        d->GetTextExtent(d->GetTitle(), &title, &line, nullptr, nullptr, &bold);
        EXPECT_EQ(d->GetTitle(), "About Trussforge3D");
        EXPECT_GE(d->GetSize().x, title + 6 * line);
        d->EndModal(wxID_OK);
    });
    frame->RunCommand(ID_APP_ABOUT);
    SetModalScript(nullptr);
    EXPECT_TRUE(shown);

    // Tools that do not fit are in the overflow button's menu, which stays in the window.
    for (int width : {1280, 900, 600}) {
        frame->SetSize(width, 700);
        Pump();
        wxAuiToolBar* bar = frame->ToolBar();
        static int asserts;  // the toolkit's asserts while the menu is built
        asserts = 0;
        wxAssertHandler_t previous = wxSetAssertHandler(
            [](const wxString&, int, const wxString&, const wxString&, const wxString&) { ++asserts; });
        std::unique_ptr<wxMenu> overflow(frame->ToolBarOverflowMenu());
        wxSetAssertHandler(previous);
        EXPECT_EQ(asserts, 0) << width;
        const wxRect window(frame->GetClientSize());
        const wxRect barRect = bar->GetRect();
        int fitting = 0;
        for (size_t i = 0; i < bar->GetToolCount(); ++i) {
            if (bar->FindToolByIndex(static_cast<int>(i))->GetKind() == wxITEM_SEPARATOR) continue;
            const wxRect tool = bar->GetToolRect(bar->FindToolByIndex(static_cast<int>(i))->GetId());
            const bool fits = bar->GetToolFitsByIndex(static_cast<int>(i)) &&
                              window.Contains(wxRect(tool.GetPosition() + barRect.GetPosition(), tool.GetSize()));
            fitting += fits;
            const wxMenuItem* item = overflow->FindItem(bar->FindToolByIndex(static_cast<int>(i))->GetId());
            EXPECT_TRUE(fits != (item != nullptr)) << width << ": tool " << i;
            EXPECT_TRUE(fits || bar->GetOverflowVisible()) << width << ": tool " << i;
        }
        EXPECT_TRUE(window.Contains(barRect)) << width << ": the toolbar reaches " << barRect.GetRight();
        if (width == 1280) { EXPECT_EQ(fitting, 15); }
        EXPECT_GT(fitting, width / 100) << width;
    }
}

// Member Results and Joint Results after an analysis of the bridge and of
// the tower, opened one after the other: each of the size of its content,
// small enough for both to lie side by side, inside the view, over none of
// the model's joints and not over each other.
TEST_F(FrameTest, ResultsWindowsHideNeitherTheModelNorEachOther)
{
    for (const char* model : {"bridge.3dd", "tower.3dd"}) {
        ASSERT_TRUE(Start({ExamplePath(model)}));
        frame->RunCommand(ID_ANALYSIS_RUN);
        Pump();
        // Joint Results alone first: the place the program chose then is no
        // place the user chose, and it opens clear of Member Results next.
        frame->RunCommand(ID_ANALYSIS_JOINT_RESULTS);
        ASSERT_TRUE(JointResultsWindow());
        JointResultsWindow()->Close();
        Pump();
        frame->RunCommand(ID_ANALYSIS_MEMBER_RESULTS);
        frame->RunCommand(ID_ANALYSIS_JOINT_RESULTS);
        wxDialog* member = MemberResultsWindow();
        wxDialog* joint = JointResultsWindow();
        ASSERT_TRUE(member && joint && member->IsShown() && joint->IsShown()) << model;
        const wxRect view(frame->View()->GetScreenPosition(), frame->View()->GetSize());
        ASSERT_TRUE(frame->View()->MakeCurrent());
        std::vector<wxPoint> joints;
        for (int j = 1; j <= g_nJoints; ++j) {
            const JointRec& p = g_Joints[j];
            const bool d = g_bShowDisplacedShape != 0;
            float x, y;
            if (ProjectToWindow(d ? p.displacedX : p.x, d ? p.displacedY : p.y, d ? p.displacedZ : p.z, x, y))
                joints.emplace_back(view.x + static_cast<int>(x), view.y + static_cast<int>(y));
        }
        EXPECT_GE(joints.size(), 8u) << model;
        long long covered = 0;
        // The start of the prompt at the view's top left stays readable.
        const wxRect prompt(view.x + 10, view.y + 5, 120, CSpan3DView::OverlayLineHeight());
        for (wxDialog* d : {member, joint}) {
            const wxRect r = d->GetScreenRect();
            EXPECT_FALSE(r.Intersects(prompt)) << model << " " << d->GetTitle() << " hides the prompt";
            EXPECT_EQ(r.GetSize(), d->GetSizer()->ComputeFittingWindowSize(d)) << model << " " << d->GetTitle();
            EXPECT_LE(r.height, view.height * 6 / 10) << model << " " << d->GetTitle();
            EXPECT_TRUE(view.Contains(r)) << model << " " << d->GetTitle();
            int hidden = 0;
            for (const wxPoint& p : joints) hidden += r.Contains(p);
            EXPECT_EQ(hidden, 0) << model << " " << d->GetTitle() << " hides joints";
            covered += static_cast<long long>(r.width) * r.height;
        }
        EXPECT_LE(member->GetSize().x + joint->GetSize().x, view.width - 30) << model;
        EXPECT_FALSE(member->GetScreenRect().Intersects(joint->GetScreenRect())) << model;
        EXPECT_LT(covered, static_cast<long long>(view.width) * view.height / 2) << model;
        member->Close();
        joint->Close();
        Pump();
    }
}
