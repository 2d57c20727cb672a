#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "files/files_globals.h"
#include "files/model_file.h"
#include "files/preferences.h"
#include "frame/command_ids.h"
#include "frame/file_commands.h"
#include "frame/frame_globals.h"
#include "frame/menu_table.h"
#include "model/tables.h"
#include "printing/printing_globals.h"
#include "tests/common/test_env.h"
#include "tests/common/test_files.h"
#include "view/view_globals.h"

namespace {

namespace fs = std::filesystem;
using platform::Event;

const std::string kBridge = std::string(TF3D_SOURCE_DIR) + "/examples/bridge.3dd";
const std::string kPratt2D = std::string(TF3D_SOURCE_DIR) + "/examples/pratt_truss.tfd";
const unsigned kQuestion = platform::MB_ICONEXCLAMATION | platform::MB_DEFBUTTON2 | platform::MB_SYSTEMMODAL;

class FileCommandsTest : public Tf3dTest {
protected:
    void SetUp() override
    {
        Tf3dTest::SetUp();
        ResetFileCommandState();
        dir = fs::temp_directory_path() / ("tf3d_file_commands_" + std::to_string(getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        oldCwd = fs::current_path();
        SetPreferencesProgramFolder(dir.string());  // no preferences file there
    }
    void TearDown() override
    {
        fs::current_path(oldCwd);
        SetPreferencesProgramFolder("");
        fs::remove_all(dir);
        ResetFileCommandState();
        Tf3dTest::TearDown();
    }
    void Open(const std::string& path)
    {
        backend.ScriptFiles({path});
        RunFrameCommand(ID_FILE_OPEN_MODEL);
    }
    std::string In(const std::string& name) { return (dir / name).string(); }
    void ExpectTitle(const std::string& name, int hasFileName)
    {
        EXPECT_EQ(g_strModelFileName, name);
        EXPECT_EQ(backend.mainCaption, name + " - Trussforge3D");
        EXPECT_EQ(g_bHasFileName, hasFileName);
    }
    // Untitled, empty, and Save disabled.
    void ExpectEmptyUntitled()
    {
        ExpectTitle("Untitled", 0);
        EXPECT_EQ(g_nJoints + g_nMembers, 0);
        EXPECT_EQ(ModelFilePath(), "");
        EXPECT_FALSE(CommandStateOf(ID_FILE_SAVE_MODEL).enabled);
    }

    fs::path dir, oldCwd;
};

TEST_F(FileCommandsTest, CommandLineScreenCameraAndWarning)
{
    EXPECT_EQ(ParseCommandLine({"-sync", "model.3dd", "other.3dd"}).startFile, "model.3dd");
    ApplyCommandLine(ParseCommandLine({"nprefs"}));
    EXPECT_EQ(g_strStartFile, "");
    EXPECT_EQ(g_bPrefsSaveAllowed, 0);
    g_bPrefsSaveAllowed = 1;
    ApplyCommandLine(ParseCommandLine({"NPrefs"}));  // another letter case is a file name
    EXPECT_EQ(g_strStartFile, "NPrefs");
    EXPECT_EQ(g_bPrefsSaveAllowed, 1);

    backend.screenWidth = 2560;
    backend.screenHeight = 1440;
    TakeScreenSize();
    EXPECT_EQ(g_nScreenHeight, 1440);
    EXPECT_EQ(g_nLargeScreenFactor, 2);
    ResetFrameGlobals();
    backend.screenWidth = 2000;
    TakeScreenSize();
    EXPECT_EQ(g_nLargeScreenFactor, 1);

    SetInitialCamera();  // 48 x 24 x 24
    EXPECT_FLOAT_EQ(g_fOrbitAngleB, 1.57f);
    EXPECT_DOUBLE_EQ(g_dEyeX, 24);
    EXPECT_NEAR(g_dEyeZ, 67.2, 1e-9);
    g_nWorkspaceX = g_nWorkspaceY = g_nWorkspaceZ = 25;  // integer halves
    SetInitialCamera();
    EXPECT_NEAR(g_dEyeZ, 12 + 12 * 2.4, 1e-9);

    RunFrameCommand(ID_HELP_SHOW_WARNING);
    auto boxes = backend.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].flags, platform::MB_OK | platform::MB_ICONINFORMATION | platform::MB_SYSTEMMODAL);
    EXPECT_EQ(boxes[0].text.rfind("This software is for educational purposes only", 0), 0u);
    EXPECT_NE(boxes[0].text.find("\n\nWARNING!  Actual load testing of models can be dangerous.\n\n"),
              std::string::npos);
}

TEST_F(FileCommandsTest, StartFileReadAndPreferences)
{
    std::ofstream(PreferencesFilePath()) << "Trussforge3D Preferences\nviewer\ngraphic\nbrowser\nmanual\n"
                                            "40 20 30 3.000000 0.200000\n0\n";
    g_strStartFile = kBridge;
    ASSERT_EQ(OpenModelFile(kBridge), 1);
    FinishStartFileRead(true);
    ExpectTitle("bridge.3dd", 1);
    EXPECT_EQ(ModelFilePath(), fs::path(kBridge).lexically_normal().string());
    EXPECT_EQ(RecentFiles().size(), 1u);
    FinishStartup();
    EXPECT_EQ(g_nWorkspaceX, 40);
    EXPECT_EQ(g_bSoundOn, 0);
    EXPECT_EQ(g_strBrowserPath, "browser");
    EXPECT_DOUBLE_EQ(g_dCenterX, 20);  // camera from the preferences' workspace
    NoteModelChanges();
    EXPECT_EQ(g_bModelSaved, 1);
    EXPECT_EQ(backend.Count(Event::Box), 0);

    // A start file that cannot be read: told, and the model is empty and untitled.
    const std::string bad = In("broken.3dd");
    std::ofstream(bad) << "not a model\n";
    g_strStartFile = bad;
    OpenModelFile(bad);
    FinishStartFileRead(false);
    auto boxes = backend.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find(bad), std::string::npos);
    ExpectEmptyUntitled();
    EXPECT_EQ(g_bModelSaved, 1);
}

TEST_F(FileCommandsTest, ExitQuestions)
{
    MarkModelSaved();
    backend.ScriptAnswers({platform::IDNO});
    EXPECT_FALSE(ConfirmExit());
    auto boxes = backend.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Are you sure you want to exit Trussforge3D?");
    EXPECT_EQ(boxes[0].caption, "Trussforge3D");
    EXPECT_EQ(boxes[0].flags, platform::MB_YESNO | kQuestion);

    backend.Clear();
    backend.ScriptAnswers({platform::IDYES});
    EXPECT_TRUE(ConfirmExit());  // saved: one question only
    EXPECT_EQ(backend.Count(Event::Box), 1);

    // An edit made anywhere (here straight into the tables) is noticed.
    g_Joints[1].x = 3;
    g_nJoints = 1;
    backend.Clear();
    backend.ScriptAnswers({platform::IDYES, platform::IDCANCEL});
    EXPECT_FALSE(ConfirmExit());
    boxes = backend.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, "Current Changes have not been saved!   \nClick CANCEL to stop exit.");
    EXPECT_EQ(boxes[1].flags, platform::MB_OKCANCEL | kQuestion);

    backend.ScriptAnswers({platform::IDYES, platform::IDOK});
    EXPECT_TRUE(ConfirmExit());
}

TEST_F(FileCommandsTest, LookingAroundIsNotAChangeButEditingIs)
{
    ASSERT_EQ(OpenModelFile(kBridge), 1);
    MarkModelSaved();
    g_dEyeX += 5;
    g_fOrbitAngle += 1;
    NoteModelChanges();
    EXPECT_EQ(g_bModelSaved, 1);
    RunFrameCommand(ID_OUT_JOINT_DATA);  // saved with the model
    EXPECT_EQ(g_bModelSaved, 0);

    MarkModelSaved();
    g_Joints[3].forceY = -10;
    NoteModelChanges();
    g_Joints[3].forceY = 0;  // undoing by hand does not count as saved
    NoteModelChanges();
    EXPECT_EQ(g_bModelSaved, 0);

    g_nWorkspaceX = 100;  // the writer clamps; the text must not change the global
    ModelFileText();
    EXPECT_EQ(g_nWorkspaceX, 100);
}

TEST_F(FileCommandsTest, NewModelsAndProjects)
{
    ASSERT_EQ(OpenModelFile(kBridge), 1);
    const short joints = g_nJoints, members = g_nMembers;
    g_bHasFileName = 1;
    g_bShowRulers = 0;
    SetMetricUnits(1);

    RunFrameCommand(ID_FILE_NEW_US_UNITS);
    EXPECT_EQ(g_nJoints + g_nMembers, 0);
    EXPECT_EQ(g_bUnitsUS, 1);
    EXPECT_EQ(g_bMetricUnits, 0);
    ExpectTitle("Untitled", 1);  // New keeps Save enabled
    EXPECT_EQ(g_bUndoAvailable, 1);
    EXPECT_EQ(g_bModelSaved, 0);
    EXPECT_EQ(g_bShowRulers, 1);
    EXPECT_EQ(g_bTruckActive + g_bUseTruck + g_bBridgeProject + g_bUseFan + g_bTowerProject + g_bTowerFlag2, 0);
    EXPECT_FLOAT_EQ(g_fBackgroundR, 0.75f);
    EXPECT_EQ(g_nWorkspaceX, 48);

    RunFrameCommand(ID_EDIT_UNDO);  // brings the joints and members back
    EXPECT_EQ(g_nJoints, joints);
    EXPECT_EQ(g_nMembers, members);
    EXPECT_EQ(g_bUndoAvailable, 0);
    RunFrameCommand(ID_EDIT_UNDO);  // nothing more to undo
    EXPECT_EQ(g_nJoints, joints);

    RunFrameCommand(ID_FILE_NEW_METRIC_UNITS);
    EXPECT_EQ(g_bMetricUnits, 1);
    EXPECT_EQ(g_bUnitsUS, 0);
    EXPECT_EQ(g_nJoints, 0);

    g_bFindBreakingForces = g_bBreakingForcesActive = 1;
    RunFrameCommand(ID_FILE_NEW_BRIDGE_PROJECT);
    EXPECT_EQ(g_nJoints, 30);
    EXPECT_EQ(g_nMembers, 41);
    EXPECT_EQ(g_bUnitsUS, 1);
    EXPECT_EQ(g_bTruckActive + g_bUseTruck + g_bBridgeProject, 3);
    EXPECT_EQ(g_bShowLoads + g_bFindBreakingForces + g_bBreakingForcesActive, 0);
    EXPECT_FLOAT_EQ(g_fTruckZ, 11.96875f);
    EXPECT_EQ(g_nWorkspaceX, 36);

    RunFrameCommand(ID_FILE_NEW_TOWER_PROJECT);
    EXPECT_EQ(g_nJoints, 8);
    EXPECT_EQ(g_nMembers, 5);
    EXPECT_EQ(g_bTowerProject + g_bUseFan + g_bTowerFlag2, 3);
    EXPECT_EQ(g_bTruckActive + g_bBridgeProject + g_bShowLoads, 0);
    EXPECT_FLOAT_EQ(g_fMagnification, 20);
    EXPECT_TRUE(CommandStateOf(ID_OPT_MAGNIFY_20).checked);
    EXPECT_FALSE(CommandStateOf(ID_OPT_MAGNIFY_10).checked);

    RunFrameCommand(ID_FILE_NEW);  // Ctrl+N: empty and untitled, settings kept
    EXPECT_EQ(g_nJoints, 0);
    EXPECT_EQ(g_bTowerProject, 0);
    EXPECT_FLOAT_EQ(g_fMagnification, 20);
    EXPECT_EQ(g_strModelFileName, "Untitled");
}

TEST_F(FileCommandsTest, OpenAndAFailedOpenThatCannotBeSavedOver)
{
    Open(kBridge);
    ASSERT_EQ(backend.fileRequests.size(), 1u);
    const auto& r = backend.fileRequests[0];
    EXPECT_TRUE(r.open);
    EXPECT_EQ(r.defaultExt, "3dd");
    EXPECT_EQ(r.fileName, "*.3dd");
    EXPECT_EQ(r.filter, "Trussforge 3D Files (*.3dd)|*.3dd|All Files (*.*)|*.*||");
    ExpectTitle("bridge.3dd", 1);
    EXPECT_EQ(g_bModelSaved, 1);
    const short members = g_nMembers;
    EXPECT_GT(members, 0);

    backend.Clear();
    Open("");  // cancel changes nothing
    EXPECT_EQ(g_nMembers, members);
    EXPECT_EQ(backend.Count(Event::Caption), 0);

    const std::string bad = In("broken.3dd");
    std::ofstream(bad) << "Trussforge3D\n4.000000\n10 10 5 4\n";  // ends early
    const std::string before = ReadBytes(bad);
    Open(bad);
    EXPECT_EQ(backend.Count(Event::Box), 1);
    ExpectEmptyUntitled();

    backend.Clear();
    RunFrameCommand(ID_FILE_SAVE_MODEL);  // disabled, and does nothing by key
    EXPECT_EQ(backend.Count(Event::FileDialog), 0);
    EXPECT_EQ(ReadBytes(bad), before);
    EXPECT_FALSE(fs::exists(dir / "Untitled"));
}

TEST_F(FileCommandsTest, SaveWritesWhereTheFileCameFrom)
{
    const std::string path = In("mine.3dd");
    fs::copy_file(kBridge, path);
    Open(path);
    fs::current_path(fs::temp_directory_path());
    g_Joints[2].forceY = -7;
    NoteModelChanges();
    EXPECT_EQ(g_bModelSaved, 0);

    g_bModeAddJoint = 1;
    RunFrameCommand(ID_FILE_SAVE);  // Ctrl+S is File/Save Model
    EXPECT_EQ(g_bModelSaved, 1);
    EXPECT_EQ(g_bModeAddJoint, 0);  // tools cleared
    EXPECT_EQ(ReadBytes(path), ModelFileText());
    EXPECT_NE(ReadBytes(path).find("-7.000000"), std::string::npos);
    EXPECT_EQ(backend.Count(Event::FileDialog), 1);  // the open only
    EXPECT_FALSE(fs::exists(fs::temp_directory_path() / "mine.3dd"));

    RunFrameCommand(ID_FILE_NEW_US_UNITS);  // after New it is saved as "Untitled" beside it
    RunFrameCommand(ID_FILE_SAVE_MODEL);
    EXPECT_TRUE(fs::exists(dir / "Untitled"));
    EXPECT_EQ(g_bModelSaved, 1);
}

TEST_F(FileCommandsTest, SaveAsAndAFailedSaveAs)
{
    Open(kBridge);
    const std::string to = In("renamed.3dd");
    backend.ScriptFiles({to});
    RunFrameCommand(ID_FILE_SAVE_MODEL_AS);
    EXPECT_FALSE(backend.fileRequests.back().open);
    EXPECT_EQ(backend.fileRequests.back().filter, "Trussforge3D Files (*.3dd)|*.3dd|All Files (*.*)|*.*||");
    ExpectTitle("renamed.3dd", 1);
    EXPECT_EQ(ReadBytes(to), ModelFileText());
    EXPECT_EQ(RecentFiles().front(), to);

    // A folder that does not exist: the writer's message, nothing renamed.
    g_Joints[1].x += 1;
    NoteModelChanges();
    backend.Clear();
    backend.ScriptFiles({In("missing/x.3dd")});
    RunFrameCommand(ID_FILE_SAVE_MODEL_AS);
    auto boxes = backend.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Access Denied!\nYour file was not saved.");
    EXPECT_EQ(g_strModelFileName, "renamed.3dd");
    EXPECT_EQ(g_bModelSaved, 0);
    EXPECT_EQ(ModelFilePath(), to);
}

TEST_F(FileCommandsTest, Imported2DFileIsNeverOverwritten)
{
    const std::string tfd = In("pratt.tfd");
    fs::copy_file(kPratt2D, tfd);
    const std::string before = ReadBytes(tfd);
    MarkModelSaved();
    g_bHasFileName = 1;
    backend.ScriptFiles({tfd});
    RunFrameCommand(ID_FILE_IMPORT_2D);
    EXPECT_EQ(backend.fileRequests.back().filter, "Trussforge 2D Files (*.tfd)|*.tfd|All Files (*.*)|*.*||");
    EXPECT_EQ(backend.fileRequests.back().defaultExt, "tfd");
    EXPECT_EQ(g_strModelFileName, "pratt.tfd");
    EXPECT_EQ(backend.mainCaption, fs::path(tfd).lexically_normal().string() + " - Trussforge3D");
    EXPECT_GT(g_nMembers, 0);
    EXPECT_EQ(g_bModelSaved, 0);  // not saved as a 3D model yet

    backend.Clear();
    RunFrameCommand(ID_FILE_SAVE_MODEL);  // asks for a name; cancelling writes nothing
    ASSERT_EQ(backend.fileRequests.size(), 1u);
    EXPECT_FALSE(backend.fileRequests[0].open);
    EXPECT_EQ(ReadBytes(tfd), before);

    const std::string to = In("pratt.3dd");
    backend.ScriptFiles({to});
    RunFrameCommand(ID_FILE_SAVE_MODEL);
    EXPECT_EQ(ReadBytes(tfd), before);
    EXPECT_EQ(ReadBytes(to), ModelFileText());
    EXPECT_EQ(g_strModelFileName, "pratt.3dd");

    backend.Clear();
    RunFrameCommand(ID_FILE_SAVE_MODEL);  // afterwards without asking
    EXPECT_EQ(backend.Count(Event::FileDialog), 0);
}

TEST_F(FileCommandsTest, OutputFileAndDxfNeedMembers)
{
    RunFrameCommand(ID_FILE_SAVE_OUTPUT);
    RunFrameCommand(ID_FILE_EXPORT_DXF);
    EXPECT_EQ(backend.Count(Event::FileDialog), 0);

    Open(kBridge);
    const std::string out = In("report.txt"), dxf = In("front.dxf");
    backend.ScriptFiles({out, dxf});
    RunFrameCommand(ID_FILE_SAVE_OUTPUT);
    RunFrameCommand(ID_FILE_EXPORT_DXF);
    EXPECT_EQ(backend.fileRequests[1].filter, "Trussforge3D Output Files (*.txt)|*.txt|All Files (*.*)|*.*||");
    EXPECT_EQ(backend.fileRequests[2].filter, "DXF Files (*.dxf)|*.dxf|All Files (*.*)|*.*||");
    EXPECT_EQ(g_strOutputFilePath, out);
    EXPECT_GT(fs::file_size(out), 0u);
    EXPECT_GT(fs::file_size(dxf), 0u);
    const JointRec& a = g_Joints[g_Members[1].jointA];
    const JointRec& b = g_Joints[g_Members[1].jointB];
    EXPECT_NEAR(g_Members[1].length, std::hypot(b.x - a.x, b.y - a.y, b.z - a.z), 1e-5);
    EXPECT_EQ(backend.Count(Event::Box), 0);

    backend.ScriptFiles({In("no/report.txt")});
    RunFrameCommand(ID_FILE_SAVE_OUTPUT);
    EXPECT_EQ(backend.Count(Event::Box), 1);

    backend.Clear();  // a section switch flips and redraws nothing
    EXPECT_TRUE(RunFrameCommand(ID_OUT_STRENGTH_RATIOS));
    EXPECT_EQ(g_bOutStrengthRatios, 0);
    EXPECT_EQ(g_bOutActualForces, 1);
    EXPECT_EQ(backend.Count(Event::InvalidateFrame), 0);
}

TEST_F(FileCommandsTest, HelperProgramsClipboardAndUnknownIds)
{
    g_bModeAddMember = 1;
    for (int id : {ID_HELP_MANUAL, ID_HELP_MAKER_WEB_SITE, ID_HELP_RESOURCE_SITE, ID_ANALYSIS_LAUNCH_FILE_VIEWER,
                   ID_ANALYSIS_LAUNCH_GRAPHIC_VIEWER})
        RunFrameCommand(id);
    std::vector<Event> shell;
    for (const auto& e : backend.events)
        if (e.kind == Event::ShellOpen) shell.push_back(e);
    ASSERT_EQ(shell.size(), 5u);
    EXPECT_EQ(shell[0].text, "c:\\Trussforge3D\\docs\\manual.html");
    EXPECT_EQ(shell[0].caption, "");
    EXPECT_EQ(shell[1].text, "Iexplorer.exe");
    EXPECT_EQ(shell[1].caption, kMakerHomePage);
    EXPECT_EQ(shell[2].caption, kLatestChangesPage);
    EXPECT_NE(std::string(kLatestChangesPage).find("/trussforge3d/latestchanges.html"), std::string::npos);
    EXPECT_EQ(shell[3].text, "wordpad.exe");
    EXPECT_EQ(shell[4].text, "PBRUSH.EXE");
    EXPECT_EQ(g_bModeAddMember, 0);  // the launches clear the tools

    backend.Clear();
    backend.shellResult = false;  // a helper that does not start shows nothing
    RunFrameCommand(ID_HELP_MANUAL);
    EXPECT_EQ(backend.Count(Event::Box), 0);
    RunFrameCommand(ID_EDIT_COPY_TO_CLIPBOARD);
    EXPECT_EQ(backend.Count(Event::Clipboard), 1);

    EXPECT_FALSE(RunFrameCommand(ID_VIEW_REFRESH_SCREEN));
    EXPECT_FALSE(RunFrameCommand(0));
    EXPECT_TRUE(RunFrameCommand(ID_SUPPORTS_FIXED));
    EXPECT_EQ(g_bModeSupportFixed, 1);
}

TEST_F(FileCommandsTest, RecentFileListKeepsTheLastFour)
{
    backend.settings["Recent File List/File1"] = "/a.3dd";
    backend.settings["Recent File List/File2"] = "/b.3dd";
    LoadRecentFileList();
    ASSERT_EQ(RecentFiles().size(), 2u);
    for (const char* p : {"/c.3dd", "/d.3dd", "/e.3dd", "/b.3dd"}) AddToRecentFileList(p);
    const std::vector<std::string> expect = {"/b.3dd", "/e.3dd", "/d.3dd", "/c.3dd"};
    EXPECT_EQ(RecentFiles(), expect);
    EXPECT_EQ(backend.settings["Recent File List/File4"], "/c.3dd");
    ResetFileCommandState();
    LoadRecentFileList();
    EXPECT_EQ(RecentFiles(), expect);
}

TEST_F(FileCommandsTest, TileOrientationAndShowTiles)
{
    EXPECT_TRUE(CommandStateOf(ID_FILE_TILE_PORTRAIT).checked);
    RunFrameCommand(ID_FILE_TILE_PORTRAIT);  // the checked item switches to the other
    EXPECT_EQ(g_bTileLandscape, 1);
    EXPECT_EQ(g_bTilePortrait, 0);
    EXPECT_TRUE(CommandStateOf(ID_FILE_TILE_LANDSCAPE).checked);
    RunFrameCommand(ID_FILE_TILE_PORTRAIT);
    EXPECT_EQ(g_bTilePortrait, 1);

    ASSERT_EQ(OpenModelFile(kBridge), 1);  // deck at y = 6 in the XZ plane
    g_fGuidePlaneY = 6;
    g_bModeAddJoint = 1;
    RunFrameCommand(ID_FILE_XZ_TILES_SHOW);
    EXPECT_EQ(g_bModeAddJoint, 0);
    EXPECT_EQ(g_bShowTilesXZ, 1);
    // Deck x 17.75..30.25, z 11..13: origin (17.25, 10.5), ranges 13.5 x 3 inches.
    EXPECT_FLOAT_EQ(g_fTilesXZOriginX, 17.25f);
    EXPECT_FLOAT_EQ(g_fTilesXZOriginZ, 10.5f);
    EXPECT_EQ(g_nTilesAcrossXZ, 2);
    EXPECT_EQ(g_nTilesDownXZ, 1);
    RunFrameCommand(ID_FILE_TILE_LANDSCAPE);
    RunFrameCommand(ID_FILE_XZ_TILES_SHOW);
    EXPECT_EQ(g_nTilesAcrossXZ, 1);
    EXPECT_EQ(g_nTilesDownXZ, 2);

    EXPECT_TRUE(RunFrameCommand(ID_FILE_YZ_TILES_MOVE));  // the drag tool shows its plane's tiles
    EXPECT_EQ(g_bModeMoveTilesYZ, 1);
    EXPECT_EQ(g_bShowTilesYZ, 1);
}

}  // namespace
