#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
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
#include "view/view_globals.h"

namespace {

namespace fs = std::filesystem;
using platform::Event;

const std::string kBridge = std::string(TF3D_SOURCE_DIR) + "/examples/bridge.3dd";
const std::string kPratt2D = std::string(TF3D_SOURCE_DIR) + "/examples/pratt_truss.tfd";

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

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
    // Opens path through File/Open Model with a scripted dialog.
    void Open(const std::string& path)
    {
        backend.ScriptFiles({path});
        RunFrameCommand(ID_FILE_OPEN_MODEL);
    }
    std::string Copy(const std::string& from, const std::string& name)
    {
        const fs::path to = dir / name;
        fs::copy_file(from, to, fs::copy_options::overwrite_existing);
        return to.string();
    }

    fs::path dir, oldCwd;
};

// ---------------------------------------------------------------- start-up

TEST_F(FileCommandsTest, CommandLineTakesTheFirstFileOrTheExactSwitch)
{
    EXPECT_EQ(ParseCommandLine({}).startFile, "");
    EXPECT_FALSE(ParseCommandLine({}).noPrefs);

    auto o = ParseCommandLine({"-sync", "model.3dd", "other.3dd"});
    EXPECT_EQ(o.startFile, "model.3dd");
    EXPECT_FALSE(o.noPrefs);

    o = ParseCommandLine({"nprefs"});
    EXPECT_TRUE(o.noPrefs);
    ApplyCommandLine(o);
    EXPECT_EQ(g_strStartFile, "");
    EXPECT_EQ(g_bPrefsSaveAllowed, 0);

    g_bPrefsSaveAllowed = 1;
    o = ParseCommandLine({"NPrefs"});  // another letter case is a file name
    EXPECT_FALSE(o.noPrefs);
    ApplyCommandLine(o);
    EXPECT_EQ(g_strStartFile, "NPrefs");
    EXPECT_EQ(g_bPrefsSaveAllowed, 1);
}

TEST_F(FileCommandsTest, ScreenSizeAndLargeScreenFactor)
{
    backend.screenWidth = 2560;
    backend.screenHeight = 1440;
    TakeScreenSize();
    EXPECT_EQ(g_nScreenWidth, 2560);
    EXPECT_EQ(g_nScreenHeight, 1440);
    EXPECT_EQ(g_nLargeScreenFactor, 2);

    ResetFrameGlobals();
    backend.screenWidth = 2000;
    TakeScreenSize();
    EXPECT_EQ(g_nLargeScreenFactor, 1);
}

TEST_F(FileCommandsTest, InitialCameraFromTheWorkspace)
{
    SetInitialCamera();  // 48 x 24 x 24
    EXPECT_FLOAT_EQ(g_fOrbitAngle, 1.57f);
    EXPECT_FLOAT_EQ(g_fOrbitAngleB, 1.57f);
    EXPECT_DOUBLE_EQ(g_dCenterX, 24);
    EXPECT_DOUBLE_EQ(g_dCenterY, 12);
    EXPECT_DOUBLE_EQ(g_dCenterZ, 12);
    EXPECT_DOUBLE_EQ(g_dEyeX, 24);
    EXPECT_DOUBLE_EQ(g_dEyeY, 12);
    EXPECT_NEAR(g_dEyeZ, 67.2, 1e-9);

    g_nWorkspaceX = 24;
    g_nWorkspaceY = 48;
    SetInitialCamera();
    EXPECT_NEAR(g_dEyeZ, 12 + 24 * 2.4, 1e-9);

    g_nWorkspaceX = 25;  // integer halves
    g_nWorkspaceY = 25;
    g_nWorkspaceZ = 25;
    SetInitialCamera();
    EXPECT_DOUBLE_EQ(g_dCenterX, 12);
    EXPECT_NEAR(g_dEyeZ, 12 + 12 * 2.4, 1e-9);
}

TEST_F(FileCommandsTest, WarningMessageBox)
{
    RunFrameCommand(ID_HELP_SHOW_WARNING);
    auto boxes = backend.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Trussforge3D");
    EXPECT_EQ(boxes[0].flags, platform::MB_OK | platform::MB_ICONINFORMATION | platform::MB_SYSTEMMODAL);
    EXPECT_EQ(boxes[0].text.rfind("This software is for educational purposes only", 0), 0u);
    EXPECT_NE(boxes[0].text.find("\n\nWARNING!  Actual load testing of models can be dangerous.\n\n"), std::string::npos);
    const std::string tail = "debris.  Always wear proper eye protection.\n";
    EXPECT_EQ(boxes[0].text.substr(boxes[0].text.size() - tail.size()), tail);
}

TEST_F(FileCommandsTest, StartFileReadNamesTheModelOrLeavesItUntitled)
{
    g_strStartFile = kBridge;
    ASSERT_EQ(OpenModelFile(kBridge), 1);
    FinishStartFileRead(true);
    EXPECT_EQ(g_strModelFileName, "bridge.3dd");
    EXPECT_EQ(backend.mainCaption, "bridge.3dd - Trussforge3D");
    EXPECT_EQ(g_bHasFileName, 1);
    EXPECT_EQ(g_bModelSaved, 1);
    EXPECT_EQ(ModelFilePath(), fs::path(kBridge).lexically_normal().string());
    ASSERT_EQ(RecentFiles().size(), 1u);
    EXPECT_EQ(backend.Count(Event::Box), 0);

    // A file that cannot be read: told, and the model is empty and untitled.
    const std::string bad = (dir / "broken.3dd").string();
    std::ofstream(bad) << "not a model\n";
    g_strStartFile = bad;
    OpenModelFile(bad);
    FinishStartFileRead(false);
    auto boxes = backend.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find(bad), std::string::npos);
    EXPECT_EQ(g_strModelFileName, "Untitled");
    EXPECT_EQ(backend.mainCaption, "Untitled - Trussforge3D");
    EXPECT_EQ(g_bHasFileName, 0);
    EXPECT_EQ(g_nJoints, 0);
    EXPECT_EQ(g_nMembers, 0);
    EXPECT_EQ(ModelFilePath(), "");
    EXPECT_EQ(g_bModelSaved, 1);
}

TEST_F(FileCommandsTest, FinishStartupReadsPreferencesAfterTheModel)
{
    std::ofstream(PreferencesFilePath()) << "Trussforge3D Preferences\nviewer\ngraphic\nbrowser\nmanual\n"
                                            "40 20 30 3.000000 0.200000\n0\n";
    ASSERT_EQ(OpenModelFile(kBridge), 1);
    g_strStartFile = kBridge;
    FinishStartFileRead(true);
    FinishStartup();
    EXPECT_EQ(g_nWorkspaceX, 40);
    EXPECT_EQ(g_bSoundOn, 0);
    EXPECT_EQ(g_strBrowserPath, "browser");
    EXPECT_DOUBLE_EQ(g_dCenterX, 20);  // camera from the preferences' workspace
    EXPECT_EQ(g_bModelSaved, 1);
    NoteModelChanges();
    EXPECT_EQ(g_bModelSaved, 1);
}

// ---------------------------------------------------------------- exit

TEST_F(FileCommandsTest, ExitQuestions)
{
    MarkModelSaved();
    backend.ScriptAnswers({platform::IDNO});
    EXPECT_FALSE(ConfirmExit());
    auto boxes = backend.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Are you sure you want to exit Trussforge3D?");
    EXPECT_EQ(boxes[0].caption, "Trussforge3D");
    EXPECT_EQ(boxes[0].flags, platform::MB_YESNO | platform::MB_ICONEXCLAMATION | platform::MB_DEFBUTTON2 |
                                  platform::MB_SYSTEMMODAL);

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
    EXPECT_EQ(boxes[1].flags, platform::MB_OKCANCEL | platform::MB_ICONEXCLAMATION | platform::MB_DEFBUTTON2 |
                                  platform::MB_SYSTEMMODAL);
    EXPECT_EQ(g_nJoints, 1);

    backend.Clear();
    backend.ScriptAnswers({platform::IDYES, platform::IDOK});
    EXPECT_TRUE(ConfirmExit());
    EXPECT_EQ(backend.Count(Event::Box), 2);
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
    EXPECT_EQ(g_bModelSaved, 0);

    // Once unsaved, undoing the edit by hand does not count as saved.
    g_Joints[3].forceY = 0;
    NoteModelChanges();
    EXPECT_EQ(g_bModelSaved, 0);
}

TEST_F(FileCommandsTest, ModelFileTextIsWhatSaveWrites)
{
    ASSERT_EQ(OpenModelFile(kBridge), 1);
    const std::string path = (dir / "copy.3dd").string();
    const short x = g_nWorkspaceX;
    g_nWorkspaceX = 100;  // the writer clamps; the text must not change the global
    const std::string text = ModelFileText();
    EXPECT_EQ(g_nWorkspaceX, 100);
    ASSERT_EQ(WriteModelFile(path), 1);
    EXPECT_EQ(text, ReadAll(path));
    g_nWorkspaceX = x;
}

// ---------------------------------------------------------------- New

TEST_F(FileCommandsTest, NewUSAndMetricModels)
{
    ASSERT_EQ(OpenModelFile(kBridge), 1);
    const short joints = g_nJoints, members = g_nMembers;
    g_bHasFileName = 1;
    g_bShowRulers = 0;
    SetMetricUnits(1);

    RunFrameCommand(ID_FILE_NEW_US_UNITS);
    EXPECT_EQ(g_nJoints, 0);
    EXPECT_EQ(g_nMembers, 0);
    EXPECT_EQ(g_bUnitsUS, 1);
    EXPECT_EQ(g_bMetricUnits, 0);
    EXPECT_EQ(g_strModelFileName, "Untitled");
    EXPECT_EQ(backend.mainCaption, "Untitled - Trussforge3D");
    EXPECT_EQ(g_bUndoAvailable, 1);
    EXPECT_EQ(g_bModelSaved, 0);
    EXPECT_EQ(g_bHasFileName, 1);  // New keeps Save enabled
    EXPECT_EQ(g_bShowRulers, 1);
    EXPECT_EQ(g_bTruckActive + g_bUseTruck + g_bBridgeProject + g_bUseFan + g_bTowerProject + g_bTowerFlag2, 0);
    EXPECT_FLOAT_EQ(g_fBackgroundR, 0.75f);
    EXPECT_EQ(g_nWorkspaceX, 48);
    EXPECT_NEAR(g_dEyeZ, 67.2, 1e-9);

    // Undo brings the joints and members back.
    RunFrameCommand(ID_EDIT_UNDO);
    EXPECT_EQ(g_nJoints, joints);
    EXPECT_EQ(g_nMembers, members);
    EXPECT_EQ(g_bUndoAvailable, 0);

    RunFrameCommand(ID_FILE_NEW_METRIC_UNITS);
    EXPECT_EQ(g_bMetricUnits, 1);
    EXPECT_EQ(g_bUnitsUS, 0);
    EXPECT_EQ(g_nWorkspaceZ, 24);
    EXPECT_EQ(g_nJoints, 0);
}

TEST_F(FileCommandsTest, NewBridgeAndTowerProjects)
{
    g_bFindBreakingForces = g_bBreakingForcesActive = 1;
    SetMetricUnits(1);
    RunFrameCommand(ID_FILE_NEW_BRIDGE_PROJECT);
    EXPECT_EQ(g_nJoints, 30);
    EXPECT_EQ(g_nMembers, 41);
    EXPECT_EQ(g_bUnitsUS, 1);
    EXPECT_EQ(g_bTruckActive, 1);
    EXPECT_EQ(g_bUseTruck, 1);
    EXPECT_EQ(g_bBridgeProject, 1);
    EXPECT_EQ(g_bShowLoads, 0);
    EXPECT_EQ(g_bFindBreakingForces, 0);
    EXPECT_EQ(g_bBreakingForcesActive, 0);
    EXPECT_FLOAT_EQ(g_fTruckX, 11.75f);
    EXPECT_FLOAT_EQ(g_fTruckZ, 11.96875f);
    EXPECT_EQ(g_nWorkspaceX, 36);
    EXPECT_EQ(g_strModelFileName, "Untitled");

    RunFrameCommand(ID_FILE_NEW_TOWER_PROJECT);
    EXPECT_EQ(g_nJoints, 8);
    EXPECT_EQ(g_nMembers, 5);
    EXPECT_EQ(g_bTowerProject, 1);
    EXPECT_EQ(g_bUseFan, 1);
    EXPECT_EQ(g_bTowerFlag2, 1);
    EXPECT_EQ(g_bTruckActive, 0);
    EXPECT_EQ(g_bBridgeProject, 0);
    EXPECT_FLOAT_EQ(g_fMagnification, 20);
    EXPECT_EQ(g_bMagnify20, 1);
    EXPECT_EQ(g_bMagnify2 + g_bMagnify10 + g_bMagnifyNone + g_bMagnify5 + g_bMagnify50 + g_bMagnify100, 0);
    EXPECT_EQ(g_bShowLoads, 0);

    // Ctrl+N: empty and untitled, settings kept.
    g_nJoints = 8;
    RunFrameCommand(ID_FILE_NEW);
    EXPECT_EQ(g_nJoints, 0);
    EXPECT_EQ(g_bTowerProject, 0);  // cleared with the model
    EXPECT_FLOAT_EQ(g_fMagnification, 20);
    EXPECT_EQ(g_strModelFileName, "Untitled");
}

// ---------------------------------------------------------------- open and save

TEST_F(FileCommandsTest, OpenThroughTheDialog)
{
    Open(kBridge);
    ASSERT_EQ(backend.fileRequests.size(), 1u);
    const auto& r = backend.fileRequests[0];
    EXPECT_TRUE(r.open);
    EXPECT_EQ(r.defaultExt, "3dd");
    EXPECT_EQ(r.fileName, "*.3dd");
    EXPECT_EQ(r.filter, "Trussforge 3D Files (*.3dd)|*.3dd|All Files (*.*)|*.*||");
    EXPECT_EQ(g_strModelFileName, "bridge.3dd");
    EXPECT_EQ(backend.mainCaption, "bridge.3dd - Trussforge3D");
    EXPECT_EQ(g_bHasFileName, 1);
    EXPECT_EQ(g_bModelSaved, 1);
    EXPECT_GT(g_nMembers, 0);
    EXPECT_EQ(backend.Count(Event::Box), 0);

    // Cancel changes nothing.
    const short members = g_nMembers;
    backend.Clear();
    Open("");
    EXPECT_EQ(g_nMembers, members);
    EXPECT_EQ(backend.Count(Event::Caption), 0);
}

TEST_F(FileCommandsTest, FailedOpenIsReportedAndCannotBeSavedOver)
{
    const std::string bad = (dir / "broken.3dd").string();
    std::ofstream(bad) << "Trussforge3D\n4.000000\n10 10 5 4\n";  // ends early
    const std::string before = ReadAll(bad);
    Open(kBridge);
    backend.Clear();
    Open(bad);
    ASSERT_EQ(backend.Count(Event::Box), 1);
    EXPECT_EQ(g_strModelFileName, "Untitled");
    EXPECT_EQ(backend.mainCaption, "Untitled - Trussforge3D");
    EXPECT_EQ(g_bHasFileName, 0);
    EXPECT_EQ(g_nJoints, 0);
    EXPECT_EQ(g_nMembers, 0);

    backend.Clear();
    RunFrameCommand(ID_FILE_SAVE_MODEL);  // disabled, and does nothing by key
    EXPECT_EQ(backend.Count(Event::FileDialog), 0);
    EXPECT_EQ(ReadAll(bad), before);
    EXPECT_FALSE(fs::exists(dir / "Untitled"));
}

TEST_F(FileCommandsTest, SaveWritesWhereTheFileCameFrom)
{
    const std::string path = Copy(kBridge, "mine.3dd");
    Open(path);
    fs::current_path(fs::temp_directory_path());
    g_Joints[2].forceY = -7;
    NoteModelChanges();
    EXPECT_EQ(g_bModelSaved, 0);

    g_bModeAddJoint = 1;
    RunFrameCommand(ID_FILE_SAVE);  // Ctrl+S is File/Save Model
    EXPECT_EQ(g_bModelSaved, 1);
    EXPECT_EQ(g_bModeAddJoint, 0);  // tools cleared
    EXPECT_EQ(ReadAll(path), ModelFileText());
    EXPECT_NE(ReadAll(path).find("-7.000000"), std::string::npos);
    EXPECT_EQ(backend.Count(Event::FileDialog), 1);  // the open only
    EXPECT_FALSE(fs::exists(fs::temp_directory_path() / "mine.3dd"));

    // After New the model is saved as "Untitled" beside it.
    RunFrameCommand(ID_FILE_NEW_US_UNITS);
    RunFrameCommand(ID_FILE_SAVE_MODEL);
    EXPECT_TRUE(fs::exists(dir / "Untitled"));
    EXPECT_EQ(g_bModelSaved, 1);
}

TEST_F(FileCommandsTest, SaveAsAndAFailedSaveAs)
{
    Open(kBridge);
    const std::string to = (dir / "renamed.3dd").string();
    backend.ScriptFiles({to});
    RunFrameCommand(ID_FILE_SAVE_MODEL_AS);
    const auto& r = backend.fileRequests.back();
    EXPECT_FALSE(r.open);
    EXPECT_EQ(r.filter, "Trussforge3D Files (*.3dd)|*.3dd|All Files (*.*)|*.*||");
    EXPECT_EQ(g_strModelFileName, "renamed.3dd");
    EXPECT_EQ(backend.mainCaption, "renamed.3dd - Trussforge3D");
    EXPECT_EQ(ReadAll(to), ModelFileText());
    EXPECT_EQ(RecentFiles().front(), to);

    // A folder that does not exist: the writer's message, nothing renamed.
    g_Joints[1].x += 1;
    NoteModelChanges();
    backend.Clear();
    backend.ScriptFiles({(dir / "missing" / "x.3dd").string()});
    RunFrameCommand(ID_FILE_SAVE_MODEL_AS);
    auto boxes = backend.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Access Denied!\nYour file was not saved.");
    EXPECT_EQ(g_strModelFileName, "renamed.3dd");
    EXPECT_EQ(g_bModelSaved, 0);
    EXPECT_EQ(ModelFilePath(), to);
}

TEST_F(FileCommandsTest, ImportThen2DFileIsNeverOverwritten)
{
    const std::string tfd = Copy(kPratt2D, "pratt.tfd");
    const std::string before = ReadAll(tfd);
    MarkModelSaved();
    g_bHasFileName = 1;
    backend.ScriptFiles({tfd});
    RunFrameCommand(ID_FILE_IMPORT_2D);
    const auto& r = backend.fileRequests.back();
    EXPECT_EQ(r.filter, "Trussforge 2D Files (*.tfd)|*.tfd|All Files (*.*)|*.*||");
    EXPECT_EQ(r.defaultExt, "tfd");
    EXPECT_EQ(g_strModelFileName, "pratt.tfd");
    EXPECT_EQ(backend.mainCaption, fs::path(tfd).lexically_normal().string() + " - Trussforge3D");
    EXPECT_GT(g_nMembers, 0);
    EXPECT_EQ(g_bModelSaved, 0);  // not saved as a 3D model yet

    // Save asks for a name; cancelling writes nothing.
    backend.Clear();
    RunFrameCommand(ID_FILE_SAVE_MODEL);
    ASSERT_EQ(backend.fileRequests.size(), 1u);
    EXPECT_FALSE(backend.fileRequests[0].open);
    EXPECT_EQ(ReadAll(tfd), before);

    const std::string to = (dir / "pratt.3dd").string();
    backend.ScriptFiles({to});
    RunFrameCommand(ID_FILE_SAVE_MODEL);
    EXPECT_EQ(ReadAll(tfd), before);
    EXPECT_EQ(ReadAll(to), ModelFileText());
    EXPECT_EQ(g_strModelFileName, "pratt.3dd");

    // Afterwards Save writes the 3D file without asking.
    backend.Clear();
    RunFrameCommand(ID_FILE_SAVE_MODEL);
    EXPECT_EQ(backend.Count(Event::FileDialog), 0);
}

TEST_F(FileCommandsTest, OutputFileAndDxfNeedMembers)
{
    RunFrameCommand(ID_FILE_SAVE_OUTPUT);
    RunFrameCommand(ID_FILE_EXPORT_DXF);
    EXPECT_EQ(backend.Count(Event::FileDialog), 0);

    Open(kBridge);
    const std::string out = (dir / "report.txt").string();
    const std::string dxf = (dir / "front.dxf").string();
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

    backend.ScriptFiles({(dir / "no" / "report.txt").string()});
    RunFrameCommand(ID_FILE_SAVE_OUTPUT);
    EXPECT_EQ(backend.Count(Event::Box), 1);
}

TEST_F(FileCommandsTest, OutputSectionSwitchesFlip)
{
    const int ids[] = {ID_OUT_JOINT_DATA, ID_OUT_MEMBER_DATA, ID_OUT_MATERIAL_DATA,
                       ID_OUT_SHAPE_DATA, ID_OUT_LOAD_DATA, ID_OUT_BILL_OF_MATERIALS,
                       ID_OUT_ULTIMATE_FORCES, ID_OUT_ACTUAL_FORCES, ID_OUT_STRENGTH_RATIOS};
    int* sw[] = {&g_bOutJointData, &g_bOutMemberData, &g_bOutMaterialData,
                 &g_bOutShapeData, &g_bOutLoadData, &g_bOutBillOfMaterials,
                 &g_bOutUltimateForces, &g_bOutActualForces, &g_bOutStrengthRatios};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(*sw[i], 1);
        EXPECT_TRUE(RunFrameCommand(ids[i]));
        EXPECT_EQ(*sw[i], 0);
        for (int k = 0; k < 9; ++k) {
            if (k != i) {
                EXPECT_EQ(*sw[k], 1);
            }
        }
        RunFrameCommand(ids[i]);
    }
    EXPECT_EQ(backend.Count(Event::InvalidateFrame), 0);
}

// ---------------------------------------------------------------- helpers, clipboard, recent files

TEST_F(FileCommandsTest, HelperProgramsAndPages)
{
    g_bModeAddMember = 1;
    RunFrameCommand(ID_HELP_MANUAL);
    RunFrameCommand(ID_HELP_MAKER_WEB_SITE);
    RunFrameCommand(ID_HELP_RESOURCE_SITE);
    RunFrameCommand(ID_ANALYSIS_LAUNCH_FILE_VIEWER);
    RunFrameCommand(ID_ANALYSIS_LAUNCH_GRAPHIC_VIEWER);
    auto starts = backend.events;
    std::vector<Event> shell;
    for (const auto& e : starts)
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

    // A helper that does not start shows nothing.
    backend.Clear();
    backend.shellResult = false;
    RunFrameCommand(ID_HELP_MANUAL);
    EXPECT_EQ(backend.Count(Event::Box), 0);

    RunFrameCommand(ID_EDIT_COPY_TO_CLIPBOARD);
    EXPECT_EQ(backend.Count(Event::Clipboard), 1);
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
    EXPECT_EQ(backend.settings["Recent File List/File1"], "/b.3dd");
    EXPECT_EQ(backend.settings["Recent File List/File4"], "/c.3dd");

    ResetFileCommandState();
    LoadRecentFileList();
    EXPECT_EQ(RecentFiles(), expect);
}

TEST_F(FileCommandsTest, UndoOnlyWhenAvailableAndUnknownIdsAreNotHandled)
{
    ASSERT_EQ(OpenModelFile(kBridge), 1);
    const short joints = g_nJoints;
    RunFrameCommand(ID_EDIT_UNDO);  // nothing to undo
    EXPECT_EQ(g_nJoints, joints);
    EXPECT_FALSE(RunFrameCommand(ID_VIEW_REFRESH_SCREEN));
    EXPECT_FALSE(RunFrameCommand(0));
    EXPECT_TRUE(RunFrameCommand(ID_SUPPORTS_FIXED));
    EXPECT_EQ(g_bModeSupportFixed, 1);
}

}  // namespace

TEST_F(FileCommandsTest, TileOrientationFlipsWhicheverItemIsChosen)
{
    EXPECT_TRUE(CommandStateOf(ID_FILE_TILE_PORTRAIT).checked);
    RunFrameCommand(ID_FILE_TILE_PORTRAIT);  // the checked item switches to the other
    EXPECT_EQ(g_bTileLandscape, 1);
    EXPECT_EQ(g_bTilePortrait, 0);
    EXPECT_TRUE(CommandStateOf(ID_FILE_TILE_LANDSCAPE).checked);
    RunFrameCommand(ID_FILE_TILE_PORTRAIT);
    EXPECT_EQ(g_bTileLandscape, 0);
    EXPECT_EQ(g_bTilePortrait, 1);
}

TEST_F(FileCommandsTest, ShowTilesLaysOutThePlaneAndShowsIt)
{
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
