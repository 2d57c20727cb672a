#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "files/model_file.h"
#include "files/preferences.h"
#include "frame/command_ids.h"
#include "frame/file_commands.h"
#include "frame/menu_table.h"
#include "frame/print_commands.h"
#include "model/tables.h"
#include "platform/safe_file.h"
#include "state/files_globals.h"
#include "state/frame_globals.h"
#include "state/manual_path.h"
#include "state/printing_globals.h"
#include "state/view_globals.h"
#include "tests/common/save_faults.h"
#include "tests/common/test_env.h"
#include "tests/common/test_files.h"

namespace {

namespace fs = std::filesystem;
using platform::Event;
using Values = std::vector<double>;
using Texts = std::vector<std::string>;
template <class... T> Values V(T... v) { return {static_cast<double>(v)...}; }

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
    // Runs a command on a fresh record, with the paths the file dialogs return.
    void Command(int id, std::initializer_list<std::string> files = {})
    {
        backend.Clear();
        backend.ScriptFiles(files);
        RunFrameCommand(id);
    }
    void Open(const std::string& path) { Command(ID_FILE_OPEN_MODEL, {path}); }
    bool Exit(std::initializer_list<int> a) { backend.Clear(); backend.ScriptAnswers(a); return ConfirmExit(); }
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
    EXPECT_TRUE(g_strStartFile.empty() && g_bPrefsSaveAllowed == 0);
    g_bPrefsSaveAllowed = 1;
    ApplyCommandLine(ParseCommandLine({"NPrefs"}));  // another letter case is a file name
    EXPECT_TRUE(g_strStartFile == "NPrefs" && g_bPrefsSaveAllowed == 1) << g_strStartFile;
    backend.screenWidth = 2560, backend.screenHeight = 1440;
    TakeScreenSize();
    EXPECT_EQ(V(g_nScreenHeight, g_nLargeScreenFactor), V(1440, 2));
    ResetFrameGlobals();
    backend.screenWidth = 2000;
    TakeScreenSize();
    EXPECT_EQ(g_nLargeScreenFactor, 1);
    SetInitialCamera();  // 48 x 24 x 24
    EXPECT_EQ(V(g_fOrbitAngleB, g_dEyeX), V(1.57f, 24));
    EXPECT_NEAR(g_dEyeZ, 67.2, 1e-9);
    g_nWorkspaceX = g_nWorkspaceY = g_nWorkspaceZ = 25;  // integer halves
    SetInitialCamera();
    EXPECT_NEAR(g_dEyeZ, 12 + 12 * 2.4, 1e-9);
    Command(ID_HELP_SHOW_WARNING);
    ASSERT_EQ(backend.Count(Event::Box), 1);
    const Event box = backend.Boxes()[0];
    EXPECT_EQ(box.flags, platform::MB_OK | platform::MB_ICONINFORMATION | platform::MB_SYSTEMMODAL);
    EXPECT_EQ(box.text.rfind("This software is for educational purposes only", 0), 0u);
    EXPECT_NE(box.text.find("\n\nWARNING!  Actual load testing of models can be dangerous.\n\n"), std::string::npos);
}

TEST_F(FileCommandsTest, StartFileReadAndPreferences)
{
    std::ofstream(PreferencesFilePath()) << "Trussforge3D Preferences\nviewer\ngraphic\nbrowser\nmanual\n"
                                            "40 20 30 3.000000 0.200000\n0\n";
    const std::string start = In("start.3dd");
    fs::copy_file(kBridge, start);
    g_strStartFile = start;
    ASSERT_EQ(OpenModelFile(start), 1);
    FinishStartFileRead(true);
    ExpectTitle("start.3dd", 1);  // as after File/Open: Save Model saves into it
    EXPECT_EQ(ModelFilePath(), fs::path(start).lexically_normal().string());
    EXPECT_EQ(RecentFiles().size(), 1u);
    g_bListXZBasePlaneBuilt = g_bListRuler1Built = g_bListXYGuide1Built = 1;
    FinishStartup();
    // The preferences' workspace is drawn, not the file's.
    EXPECT_EQ(V(g_bListXZBasePlaneBuilt, g_bListRuler1Built, g_bListXYGuide1Built), V(0, 0, 0));
    EXPECT_EQ(g_strBrowserPath, "browser");
    NoteModelChanges();
    // The camera follows the preferences' workspace; no messages.
    EXPECT_EQ(V(g_nWorkspaceX, g_bSoundOn, g_dCenterX, g_bModelSaved, backend.Count(Event::Box)), V(40, 0, 20, 1, 0));
    g_Joints[2].forceY = -7;
    Command(ID_FILE_SAVE_MODEL);
    EXPECT_EQ(V(backend.Count(Event::FileDialog), g_bModelSaved), V(0, 1));
    EXPECT_NE(ReadBytes(start).find("-7.000000"), std::string::npos);
    // A start file that cannot be read: told why, and the new model stays empty and untitled.
    ResetAllGlobals();
    ResetFileCommandState();
    const std::string bad = In("broken.3dd");
    std::ofstream(bad) << "not a model\n";
    g_strStartFile = bad;
    std::string why;
    EXPECT_EQ(OpenModelFile(bad, &why), 0);
    FinishStartFileRead(false, why);
    ASSERT_EQ(backend.Count(Event::Box), 1);
    EXPECT_EQ(backend.Boxes()[0].text,
              "The model file could not be read:\n" + bad + "\nThe file is malformed or ends early at line 2.");
    ExpectEmptyUntitled();
    EXPECT_EQ(g_bModelSaved, 1);
}

TEST_F(FileCommandsTest, ExitQuestions)
{
    MarkModelSaved();
    EXPECT_FALSE(Exit({platform::IDNO}));
    ASSERT_EQ(backend.Count(Event::Box), 1);
    const Event box = backend.Boxes()[0];
    EXPECT_EQ((Texts{box.text, box.caption}), (Texts{"Are you sure you want to exit Trussforge3D?", "Trussforge3D"}));
    EXPECT_EQ(box.flags, platform::MB_YESNO | kQuestion);
    EXPECT_TRUE(Exit({platform::IDYES}));  // saved: one question only
    EXPECT_EQ(backend.Count(Event::Box), 1);
    g_Joints[1].x = 3, g_nJoints = 1;  // an edit made anywhere (here straight into the tables) is noticed
    EXPECT_FALSE(Exit({platform::IDYES, platform::IDCANCEL}));
    ASSERT_EQ(backend.Count(Event::Box), 2);
    EXPECT_EQ(backend.Boxes()[1].text, "Current Changes have not been saved!   \nClick CANCEL to stop exit.");
    EXPECT_EQ(backend.Boxes()[1].flags, platform::MB_OKCANCEL | kQuestion);
    EXPECT_TRUE(Exit({platform::IDYES, platform::IDOK}));
}

TEST_F(FileCommandsTest, LookingAroundIsNotAChangeButEditingIs)
{
    // Nor is an analysis, which works out the effective lengths the file left 0.
    ASSERT_EQ(OpenModelFile(std::string(TF3D_SOURCE_DIR) + "/examples/tower.3dd"), 1);
    MarkModelSaved();
    RunFrameCommand(ID_ANALYSIS_RUN);
    NoteModelChanges();
    EXPECT_EQ(g_bModelSaved, 1);
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
    // An effective length the user set is part of the model.
    MemberRec& member = g_Members[2];
    member.userEffYY = member.userEffZZ = 1;
    for (float* length : {&member.effLengthYY, &member.effLengthZZ}) {
        MarkModelSaved();
        *length += 2;
        NoteModelChanges();
        EXPECT_EQ(g_bModelSaved, 0);
    }
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
    RunFrameCommand(ID_LOADS_FORCE_Y);
    RunFrameCommand(ID_FILE_NEW_US_UNITS);
    ExpectTitle("Untitled", 1);  // new keeps Save enabled
    // A new model starts without a tool, and the prompt says so.
    EXPECT_TRUE(!CommandStateOf(ID_LOADS_FORCE_Y).checked && g_strStatusPrompt == "Ready") << g_strStatusPrompt;
    EXPECT_EQ(V(g_nJoints + g_nMembers, g_bUnitsUS, g_bMetricUnits, g_bUndoAvailable, g_bModelSaved, g_bShowRulers,
                g_fBackgroundR, g_nWorkspaceX), V(0, 1, 0, 1, 0, 1, 0.75f, 48));
    EXPECT_EQ(g_bTruckActive + g_bUseTruck + g_bBridgeProject + g_bUseFan + g_bTowerProject + g_bTowerFlag2, 0);
    RunFrameCommand(ID_EDIT_UNDO);  // brings the joints and members back
    EXPECT_EQ(V(g_nJoints, g_nMembers, g_bUndoAvailable), V(joints, members, 0));
    RunFrameCommand(ID_EDIT_UNDO);  // nothing more to undo
    EXPECT_EQ(g_nJoints, joints);
    RunFrameCommand(ID_FILE_NEW_METRIC_UNITS);
    EXPECT_EQ(V(g_bMetricUnits, g_bUnitsUS, g_nJoints), V(1, 0, 0));
    g_bFindBreakingForces = g_bBreakingForcesActive = 1;
    RunFrameCommand(ID_FILE_NEW_BRIDGE_PROJECT);
    EXPECT_EQ(V(g_nJoints, g_nMembers, g_bUnitsUS, g_bTruckActive + g_bUseTruck + g_bBridgeProject, g_fTruckZ,
                g_nWorkspaceX, g_bShowLoads + g_bFindBreakingForces + g_bBreakingForcesActive),
              V(30, 41, 1, 3, 11.96875f, 36, 0));
    RunFrameCommand(ID_FILE_NEW_TOWER_PROJECT);
    EXPECT_EQ(V(g_nJoints, g_nMembers, g_bTowerProject + g_bUseFan + g_bTowerFlag2,
                g_bTruckActive + g_bBridgeProject + g_bShowLoads, g_fMagnification), V(8, 5, 3, 0, 20));
    EXPECT_TRUE(CommandStateOf(ID_OPT_MAGNIFY_20).checked && !CommandStateOf(ID_OPT_MAGNIFY_10).checked);
    RunFrameCommand(ID_FILE_NEW);  // ctrl+N: empty and untitled, settings kept
    EXPECT_EQ(V(g_nJoints, g_bTowerProject, g_fMagnification), V(0, 0, 20));
    EXPECT_EQ(g_strModelFileName, "Untitled");
}

TEST_F(FileCommandsTest, ReplacingTheModelEndsTheResultsDisplay)
{
    const std::string tower = std::string(TF3D_SOURCE_DIR) + "/examples/tower.3dd";
    const std::string tfd = In("pratt.tfd");
    fs::copy_file(kPratt2D, tfd);
    const struct { int id; std::string file; } commands[] = {
        {ID_FILE_NEW_US_UNITS, ""}, {ID_FILE_NEW_METRIC_UNITS, ""}, {ID_FILE_NEW_BRIDGE_PROJECT, ""},
        {ID_FILE_NEW_TOWER_PROJECT, ""}, {ID_FILE_NEW, ""}, {ID_FILE_OPEN_MODEL, kBridge}, {ID_FILE_IMPORT_2D, tfd}};
    for (const auto& c : commands) {
        SCOPED_TRACE(c.id);
        ASSERT_EQ(OpenModelFile(tower), 1);
        g_bNoAnimation = 1, g_bAnimateDisplacement = g_bAnimateCollapse = 0;
        RunFrameCommand(ID_ANALYSIS_RUN);
        ASSERT_TRUE(g_bShowDisplacedShape && g_bMemberResultsValid && g_bFanSpinning);
        // The old model's page tiles and guide planes go with it.
        g_bShowTilesXY = g_bShowTilesXZ = g_bShowTilesYZ = g_bShowTilesSkew = 1;
        g_fGuidePlaneX = 40, g_fGuidePlaneY = 20;
        MarkModelSaved();
        Command(c.id, {c.file});
        EXPECT_EQ(V(g_bShowDisplacedShape, g_bShowUndeformed, g_bMemberResultsValid, g_bJointResultsValid,
                    g_bModelFailed, g_bAnimationRunning, g_bFanSpinning, g_bListMembersBuilt, g_bListTruckBuilt),
                  V(0, 1, 0, 0, 0, 0, 0, 0, 0));
        EXPECT_EQ(V(g_bShowTilesXY, g_bShowTilesXZ, g_bShowTilesYZ, g_bShowTilesSkew), V(0, 0, 0, 0));
        EXPECT_EQ(V(g_fGuidePlaneX, g_fGuidePlaneY), V(0, 0));
        EXPECT_NE(g_strStatusPrompt, ">>>> It Worked! <<<<");
        std::vector<int> killed;
        for (const Event& e : backend.events)
            if (e.kind == Event::KillTimer) killed.push_back(e.id);
        EXPECT_EQ(killed, (std::vector<int>{3, 4, 5}));
    }
    // The imported model stands in the XY guide plane: its print finds it.
    backend.Clear();
    RunPrintCommand(ID_FILE_PRINT_XY_PLANE);
    EXPECT_EQ(V(backend.Count(Event::Box), backend.Count(Event::PrintDialog)), V(0, 1));
    // An undo ends the results display when it changes the model, not otherwise.
    for (float move : {0.0f, 0.5f}) {
        ASSERT_EQ(OpenModelFile(tower), 1);
        g_bNoAnimation = 1, g_bAnimateDisplacement = g_bAnimateCollapse = 0;
        RunFrameCommand(ID_JOINTS_ADD);  // takes the undo snapshot
        g_Joints[5].x += move;
        RunFrameCommand(ID_ANALYSIS_RUN);
        ASSERT_TRUE(g_bShowDisplacedShape && g_bMemberResultsValid);
        RunFrameCommand(ID_EDIT_UNDO);
        EXPECT_EQ(V(g_bShowDisplacedShape, g_bMemberResultsValid), V(move == 0, move == 0));
    }
}

TEST_F(FileCommandsTest, OpenAndImportAskBeforeDroppingUnsavedChanges)
{
    const std::string tfd = In("pratt.tfd");
    fs::copy_file(kPratt2D, tfd);
    for (int id : {ID_FILE_OPEN_MODEL, ID_FILE_IMPORT_2D}) {
        ASSERT_EQ(OpenModelFile(kBridge), 1);
        MarkModelSaved();
        const float saved = g_Joints[3].forceY;
        g_Joints[3].forceY = -10;  // unsaved
        backend.Clear();
        backend.ScriptAnswers({platform::IDCANCEL});
        RunFrameCommand(id);  // Cancel: no dialog, the model stays
        ASSERT_EQ(backend.Count(Event::Box), 1);
        EXPECT_EQ(backend.Boxes()[0].text,
                  "Current Changes have not been saved!   \nClick CANCEL to keep the current model.");
        EXPECT_EQ(V(backend.Count(Event::FileDialog), g_Joints[3].forceY, g_nMembers), V(0, -10, 41));
        backend.Clear();
        backend.ScriptAnswers({platform::IDOK});
        backend.ScriptFiles({id == ID_FILE_OPEN_MODEL ? kBridge : tfd});
        RunFrameCommand(id);
        EXPECT_EQ(backend.Count(Event::FileDialog), 1);
        EXPECT_NE(g_Joints[3].forceY, -10);
        if (id == ID_FILE_OPEN_MODEL) {
            EXPECT_EQ(g_Joints[3].forceY, saved);
        }
    }
    MarkModelSaved();
    Open(kBridge);  // saved: no question
    EXPECT_EQ(V(backend.Count(Event::Box), backend.Count(Event::FileDialog)), V(0, 1));
}

TEST_F(FileCommandsTest, BridgeFileAndUnitUndoLeaveAModelTheAnalysisTakes)
{
    // Opening a bridge turns the breaking-force search off in both its flags.
    g_bFindBreakingForces = g_bBreakingForcesActive = 1;
    Open(kBridge);
    EXPECT_EQ(V(g_bFindBreakingForces, g_bBreakingForcesActive), V(0, 0));
    // A metric New undone brings back the U.S. model with its U.S. tables.
    RunFrameCommand(ID_FILE_NEW_METRIC_UNITS);
    RunFrameCommand(ID_EDIT_UNDO);
    backend.Clear();
    RunFrameCommand(ID_ANALYSIS_RUN);
    EXPECT_EQ(V(backend.Count(Event::Box), g_bUnitsUS, g_Shapes[9].metricRow, g_bMemberResultsValid), V(0, 1, 0, 1));
}

// The breaking-force search scales the user's forces: one Undo gives back
// exactly those of before the run, and no more.
TEST_F(FileCommandsTest, ABreakingForceRunIsAnUndoStepOfItsOwn)
{
    const std::string truss = std::string(TF3D_SOURCE_DIR) + "/examples/metric_truss.3dd";
    auto forces = [] {
        Values f;
        for (int j = 1; j <= g_nJoints; ++j)
            f.insert(f.end(), {g_Joints[j].forceX, g_Joints[j].forceY, g_Joints[j].forceZ});
        return f;
    };
    for (bool editFirst : {true, false}) {
        SCOPED_TRACE(editFirst ? "supports set before the run" : "saved model");
        Open(truss);
        g_bNoAnimation = 1, g_bAnimateDisplacement = g_bAnimateCollapse = 0;
        g_bFindBreakingForces = g_bBreakingForcesActive = 1;  // saved with the model
        MarkModelSaved();
        if (editFirst) {
            RunFrameCommand(ID_SUPPORTS_HINGE);  // takes the undo snapshot
            g_Joints[3].restraintTY = 1;
        }
        const Values before = forces();
        const short held = g_Joints[3].restraintTY;
        RunFrameCommand(ID_ANALYSIS_RUN);
        ASSERT_TRUE(g_bShowDisplacedShape && g_bMemberResultsValid && g_bModelFailed);
        ASSERT_NE(forces(), before);
        EXPECT_EQ(V(g_bUndoAvailable, g_bModelSaved), V(1, 0));
        int failed = 0;
        for (int i = 1; i <= g_nMembers; ++i) failed += !g_Members[i].intact;
        ASSERT_GT(failed, 0);
        RunFrameCommand(ID_EDIT_UNDO);
        for (int i = 1; i <= g_nMembers; ++i) EXPECT_EQ(g_Members[i].intact, 1) << i;  // drawn red no more
        EXPECT_EQ(forces(), before);
        EXPECT_EQ(V(g_Joints[3].restraintTY, g_bUndoAvailable, g_bModelSaved), V(held, 0, !editFirst));
        EXPECT_EQ(V(g_bShowDisplacedShape, g_bShowUndeformed, g_bModelFailed, g_bMemberResultsValid,
                    g_bJointResultsValid, g_bListMembersBuilt), V(0, 1, 0, 0, 0, 0));
        EXPECT_EQ(g_strStatusPrompt, " Force magnitude(s) set to breaking ! ");  // the option is still on
    }
}

// Undo of a New gives the model back with its file; a snapshot that spans an
// Open or Import gives nothing back.
TEST_F(FileCommandsTest, UndoOfNewGivesBackTheFileUndoOfNothingElseDoes)
{
    const std::string path = In("mine.3dd"), tfd = In("pratt.tfd");
    fs::copy_file(std::string(TF3D_SOURCE_DIR) + "/examples/metric_truss.3dd", path);
    fs::copy_file(kPratt2D, tfd);
    MarkModelSaved();  // as at start
    RunFrameCommand(ID_FILE_NEW);  // the model of the start comes back as it was
    RunFrameCommand(ID_EDIT_UNDO);
    EXPECT_EQ(V(g_strModelFileName == "UNTITLED", g_bHasFileName, g_bModelSaved), V(1, 0, 1));
    EXPECT_EQ(backend.mainCaption, "Untitled - Trussforge3D");
    // A New saved under another name gives back the first file, and a change unsaved in it stays unsaved.
    for (float change : {0.0f, -8.0f}) {
        Open(path);
        g_fGuidePlaneX = g_fGuidePlaneY = g_fGuidePlaneZ = 0;
        Command(ID_FILE_SAVE_MODEL);
        const float force = g_Joints[3].forceY += change;
        RunFrameCommand(ID_FILE_NEW);
        Command(ID_FILE_SAVE_MODEL_AS, {In("other.3dd")});
        Command(ID_EDIT_UNDO);
        ExpectTitle("mine.3dd", 1);
        EXPECT_EQ(V(g_Joints[3].forceY, g_bModelSaved), V(force, change == 0));
    }
    // Every New is undone whole: the model with its project, loads and view settings, in its file.
    const std::string bridge = In("bridge.3dd");
    fs::copy_file(kBridge, bridge);
    for (const std::string& file : {path, bridge}) {
        for (int id : {ID_FILE_NEW, ID_FILE_NEW_US_UNITS, ID_FILE_NEW_METRIC_UNITS, ID_FILE_NEW_BRIDGE_PROJECT,
                       ID_FILE_NEW_TOWER_PROJECT}) {
            SCOPED_TRACE(file + " " + std::to_string(id));
            MarkModelSaved();  // no question before the Open
            Open(file);
            const std::string text = ModelFileText();
            RunFrameCommand(id);
            ExpectTitle("Untitled", 1);
            Command(ID_EDIT_UNDO);
            ExpectTitle(fs::path(file).filename().string(), 1);
            EXPECT_EQ(ModelFilePath(), fs::path(file).lexically_normal().string());
            EXPECT_EQ(ModelFileText(), text);
            EXPECT_EQ(g_bModelSaved, 1);  // as the file holds it
            g_Joints[3].forceY = -9;
            Command(ID_FILE_SAVE_MODEL);  // back into its file, without asking
            EXPECT_EQ(V(backend.Count(Event::FileDialog), g_bModelSaved), V(0, 1));
            EXPECT_NE(ReadBytes(file).find("-9.000000"), std::string::npos);
            EXPECT_FALSE(fs::exists(dir / "Untitled"));
        }
    }
    // An imported model comes back with its path in the caption, and Save still asks for a 3D file
    // (the new model's Save As notwithstanding).
    MarkModelSaved();
    const std::string tfdText = ReadBytes(tfd);
    Command(ID_FILE_IMPORT_2D, {tfd});
    RunFrameCommand(ID_FILE_NEW_US_UNITS);
    Command(ID_FILE_SAVE_MODEL_AS, {In("new.3dd")});
    Command(ID_EDIT_UNDO);
    EXPECT_EQ(backend.mainCaption, fs::path(tfd).lexically_normal().string() + " - Trussforge3D");
    Command(ID_FILE_SAVE_MODEL);
    EXPECT_EQ(V(backend.Count(Event::FileDialog), ReadBytes(tfd) == tfdText), V(1, 1));
    // A tool's snapshot after the New is the one Undo takes back: the name stays.
    MarkModelSaved();
    Open(path);
    RunFrameCommand(ID_FILE_NEW);
    RunFrameCommand(ID_JOINTS_ADD);
    g_Joints[++g_nJoints].x = 2;
    RunFrameCommand(ID_EDIT_UNDO);
    ExpectTitle("Untitled", 1);
    EXPECT_EQ(V(g_nJoints, g_nMembers), V(0, 0));
    // Opening or importing another model leaves nothing of the one before to undo.
    for (int id : {ID_FILE_OPEN_MODEL, ID_FILE_IMPORT_2D}) {
        MarkModelSaved();
        Open(path);
        const short joints = g_nJoints;
        RunFrameCommand(ID_JOINTS_ADD);
        g_Joints[++g_nJoints].x = 2;
        MarkModelSaved();
        Command(id, {id == ID_FILE_OPEN_MODEL ? kBridge : tfd});  // not the truss's joint count
        const short opened = g_nJoints;
        EXPECT_FALSE(CommandStateOf(ID_EDIT_UNDO).enabled);
        Command(ID_EDIT_UNDO);
        EXPECT_TRUE(g_nJoints == opened && opened != joints) << g_nJoints;
    }
}

TEST_F(FileCommandsTest, ARefusedOpenSaysWhyAndKeepsTheModel)
{
    Open(kBridge);
    ASSERT_EQ(backend.fileRequests.size(), 1u);
    const auto& r = backend.fileRequests[0];
    EXPECT_TRUE(r.open);
    EXPECT_EQ((Texts{r.defaultExt, r.fileName, r.filter}),
              (Texts{"3dd", "*.3dd", "Trussforge 3D Files (*.3dd)|*.3dd|All Files (*.*)|*.*||"}));
    ExpectTitle("bridge.3dd", 1);
    const short members = g_nMembers;
    EXPECT_TRUE(g_bModelSaved == 1 && members > 0);
    Open("");  // cancel changes nothing
    EXPECT_EQ(V(g_nMembers, backend.Count(Event::Caption)), V(members, 0));
    // An edit that can be undone, with results and tiles on view.
    RunFrameCommand(ID_ANALYSIS_RUN);
    RunFrameCommand(ID_FILE_XY_TILES_SHOW);
    g_Joints[3].x += 0.5f;
    g_bUndoAvailable = 1;
    NoteModelChanges();
    ASSERT_EQ(g_bModelSaved, 0);
    const std::string model = ModelFileText(), path = ModelFilePath();
    const auto recent = RecentFiles();
    const int results = g_bMemberResultsValid;

    const std::string cut = In("cut.3dd"), fifo = In("pipe.3dd");
    std::ofstream(cut) << "Trussforge3D\r\n4.000000\r\n10 10 5 4\r\n";  // ends early
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::pair<std::string, std::string> refused[] = {
        {cut, "The file is malformed or ends early at line 4."},
        {dir.string(), "It is a folder."},
        {fifo, "It is a pipe, not a file."},
        {"/dev/zero", "It is a device, not a file."},
        {In("missing.3dd"), "No such file or directory."}};
    for (const auto& [file, why] : refused) {
        SCOPED_TRACE(file);
        backend.Clear();
        backend.ScriptAnswers({platform::IDOK});  // the changes may go
        backend.ScriptFiles({file});
        RunFrameCommand(ID_FILE_OPEN_MODEL);
        ASSERT_GE(backend.Count(Event::Box), 1);
        EXPECT_EQ(backend.Boxes().back().text, "The model file could not be read:\n" + file + "\n" + why);
        EXPECT_EQ(backend.Count(Event::Caption), 0);
        EXPECT_EQ(V(g_strModelFileName == "bridge.3dd", g_bHasFileName), V(1, 1));
        EXPECT_EQ((Texts{ModelFileText(), ModelFilePath()}), (Texts{model, path}));
        EXPECT_EQ(V(g_bModelSaved, g_bUndoAvailable, g_bShowTilesXY, g_bMemberResultsValid), V(0, 1, 1, results));
        EXPECT_EQ(RecentFiles(), recent);
        EXPECT_TRUE(CommandStateOf(ID_FILE_SAVE_MODEL).enabled);
    }
    EXPECT_EQ(ReadBytes(cut), "Trussforge3D\r\n4.000000\r\n10 10 5 4\r\n");
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
    Command(ID_FILE_SAVE);  // ctrl+S is File/Save Model
    EXPECT_EQ(V(g_bModelSaved, g_bModeAddJoint, backend.Count(Event::FileDialog)), V(1, 0, 0));  // tools cleared
    EXPECT_EQ(ReadBytes(path), ModelFileText());
    EXPECT_NE(ReadBytes(path).find("-7.000000"), std::string::npos);
    EXPECT_FALSE(fs::exists(fs::temp_directory_path() / "mine.3dd"));
    // After New, Save asks where: a second New saved the same way would
    // overwrite the first model's file without a word.
    RunFrameCommand(ID_FILE_NEW_US_UNITS);
    Command(ID_FILE_SAVE_MODEL, {In("new.3dd")});
    EXPECT_EQ(V(backend.Count(Event::FileDialog), fs::exists(dir / "Untitled"), g_bModelSaved), V(1, 0, 1));
    ExpectTitle("new.3dd", 1);
}

TEST_F(FileCommandsTest, SaveAsAndAFailedSaveAs)
{
    Open(kBridge);
    const std::string to = In("renamed.3dd");
    Command(ID_FILE_SAVE_MODEL_AS, {to});
    ASSERT_EQ(backend.fileRequests.size(), 1u);
    EXPECT_FALSE(backend.fileRequests[0].open);
    EXPECT_EQ(backend.fileRequests[0].filter, "Trussforge3D Files (*.3dd)|*.3dd|All Files (*.*)|*.*||");
    ExpectTitle("renamed.3dd", 1);
    EXPECT_EQ((Texts{ReadBytes(to), RecentFiles().front()}), (Texts{ModelFileText(), to}));
    g_Joints[1].x += 1;  // A folder that does not exist: the writer's message, nothing renamed.
    NoteModelChanges();
    Command(ID_FILE_SAVE_MODEL_AS, {In("missing/x.3dd")});
    ASSERT_EQ(backend.Count(Event::Box), 1);
    EXPECT_EQ((Texts{backend.Boxes()[0].text, g_strModelFileName, ModelFilePath()}),
              (Texts{"Access Denied!\nYour file was not saved.", "renamed.3dd", to}));
    EXPECT_EQ(g_bModelSaved, 0);
}

// A file with a second link is written in place: a failed close puts the
// old text back, and only when that fails too is the file called damaged.
TEST_F(FileCommandsTest, AFailedSaveOfEveryKindSaysWhatBecameOfTheFile)
{
    Open(kBridge);
    const std::string other = In("other");
    for (int id : {ID_FILE_SAVE_MODEL_AS, ID_FILE_SAVE_OUTPUT, ID_FILE_EXPORT_DXF}) {
        for (bool restoreFails : {false, true}) {
            const std::string path = In("saved." + std::to_string(id));
            SCOPED_TRACE(path + (restoreFails ? " restore fails" : ""));
            fs::remove(path), fs::remove(other);
            WriteBytes(path, "old text\n");
            fs::create_hard_link(path, other);
            {
                SaveFaults faults = restoreFails ? SaveFaults{{SaveCall::Close, 1}, {SaveCall::Write, 2}}
                                                 : SaveFaults{{SaveCall::Close, 1}};
                Command(id, {path});
                EXPECT_TRUE(faults.AllHit());
            }
            ASSERT_EQ(backend.Count(Event::Box), 1);
            EXPECT_EQ(backend.Boxes()[0].text, restoreFails ? platform::MayBeDamagedText(path)
                                                            : "Access Denied!\nYour file was not saved.");
            EXPECT_TRUE(restoreFails || ReadBytes(other) == "old text\n");
        }
    }
}

TEST_F(FileCommandsTest, Imported2DFileIsNeverOverwritten)
{
    const std::string tfd = In("pratt.tfd"), to = In("pratt.3dd");
    fs::copy_file(kPratt2D, tfd);
    const std::string before = ReadBytes(tfd);
    MarkModelSaved();
    g_bHasFileName = 1;
    Command(ID_FILE_IMPORT_2D, {tfd});
    EXPECT_EQ((Texts{backend.fileRequests.at(0).filter, backend.fileRequests[0].defaultExt, g_strModelFileName,
                     backend.mainCaption}),
              (Texts{"Trussforge 2D Files (*.tfd)|*.tfd|All Files (*.*)|*.*||", "tfd", "pratt.tfd",
                     fs::path(tfd).lexically_normal().string() + " - Trussforge3D"}));
    EXPECT_TRUE(g_nMembers > 0 && g_bModelSaved == 0);  // not saved as a 3D model yet
    Command(ID_FILE_SAVE_MODEL);  // asks for a name; cancelling writes nothing
    ASSERT_EQ(backend.fileRequests.size(), 1u);
    EXPECT_FALSE(backend.fileRequests[0].open);
    EXPECT_EQ(ReadBytes(tfd), before);
    Command(ID_FILE_SAVE_MODEL, {to});
    EXPECT_EQ((Texts{ReadBytes(tfd), ReadBytes(to), g_strModelFileName}),
              (Texts{before, ModelFileText(), "pratt.3dd"}));
    Command(ID_FILE_SAVE_MODEL);  // afterwards without asking
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
    EXPECT_EQ((Texts{backend.fileRequests.at(1).filter, backend.fileRequests.at(2).filter, g_strOutputFilePath}),
              (Texts{"Trussforge3D Output Files (*.txt)|*.txt|All Files (*.*)|*.*||",
                     "DXF Files (*.dxf)|*.dxf|All Files (*.*)|*.*||", out}));
    EXPECT_TRUE(fs::file_size(out) > 0 && fs::file_size(dxf) > 0);
    const JointRec &a = g_Joints[g_Members[1].jointA], &b = g_Joints[g_Members[1].jointB];
    EXPECT_NEAR(g_Members[1].length, std::hypot(b.x - a.x, b.y - a.y, b.z - a.z), 1e-5);
    EXPECT_EQ(backend.Count(Event::Box), 0);
    Command(ID_FILE_SAVE_OUTPUT, {In("no/report.txt")});
    EXPECT_EQ(backend.Count(Event::Box), 1);
    backend.Clear();  // a section switch flips and redraws nothing
    EXPECT_TRUE(RunFrameCommand(ID_OUT_STRENGTH_RATIOS));
    EXPECT_EQ(V(g_bOutStrengthRatios, g_bOutActualForces, backend.Count(Event::InvalidateFrame)), V(0, 1, 0));
}

TEST_F(FileCommandsTest, HelperProgramsClipboardAndUnknownIds)
{
    // The defaults: the desktop's opener, and the manual that lies beside the program.
    EXPECT_TRUE(fs::is_regular_file(g_strManualPath));
    const std::string report = In("report.txt");
    auto launches = [&](std::initializer_list<int> ids, bool starts = true) {
        backend.Clear();
        backend.shellResult = starts;
        for (int id : ids) RunFrameCommand(id);
        Texts shell;  // program and parameters of each launch, and the boxes
        for (const auto& e : backend.events)
            if (e.kind == Event::ShellOpen || e.kind == Event::Box)
                shell.insert(shell.end(), {e.text, e.kind == Event::Box ? "box" : e.caption});
        return shell;
    };
    g_bModeAddMember = 1;
    EXPECT_EQ(launches({ID_HELP_MANUAL, ID_HELP_MAKER_WEB_SITE, ID_HELP_RESOURCE_SITE,
                        ID_ANALYSIS_LAUNCH_FILE_VIEWER, ID_ANALYSIS_LAUNCH_GRAPHIC_VIEWER}),
              (Texts{g_strManualPath, "", "xdg-open", kMakerHomePage, "xdg-open", kLatestChangesPage,
                     "No output file has been saved yet.\nFile/Save Output File writes one.", "box",
                     "No graphic program has been chosen.\nChoose one as the Graphic Viewer in Edit/Preferences.",
                     "box"}));
    EXPECT_NE(std::string(kLatestChangesPage).find("/trussforge3d/latestchanges.html"), std::string::npos);
    EXPECT_EQ(g_bModeAddMember, 0);  // the launches clear the tools
    // The opener shows the last output file; the user's own programs start as they are.
    Open(kBridge);
    backend.ScriptFiles({report});
    RunFrameCommand(ID_FILE_SAVE_OUTPUT);
    g_strGraphicViewerPath = "/usr/bin/gimp";
    EXPECT_EQ(launches({ID_ANALYSIS_LAUNCH_FILE_VIEWER, ID_ANALYSIS_LAUNCH_GRAPHIC_VIEWER}),
              (Texts{"xdg-open", report, "/usr/bin/gimp", ""}));
    fs::remove(report);
    EXPECT_EQ(launches({ID_ANALYSIS_LAUNCH_FILE_VIEWER}), (Texts{"The output file could not be found:\n" + report, "box"}));
    g_strTextViewerPath = "my viewer";  // a helper that does not start says so
    EXPECT_EQ(launches({ID_ANALYSIS_LAUNCH_FILE_VIEWER, ID_ANALYSIS_LAUNCH_GRAPHIC_VIEWER}, false),
              (Texts{"my viewer", "", "The Results Viewer could not be started:\nmy viewer", "box", "/usr/bin/gimp",
                     "", "The Graphic Viewer could not be started:\n/usr/bin/gimp", "box"}));
    backend.Clear();
    backend.shellResult = false;
    RunFrameCommand(ID_EDIT_COPY_TO_CLIPBOARD);
    EXPECT_EQ(V(backend.Count(Event::Box), backend.Count(Event::Clipboard)), V(0, 1));
    for (int id : {ID_HELP_MANUAL, ID_HELP_MAKER_WEB_SITE, ID_HELP_RESOURCE_SITE}) RunFrameCommand(id);
    const auto boxes = backend.Boxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "The Trussforge3D Manual could not be opened:\n" + g_strManualPath);
    EXPECT_EQ(boxes[2].text, std::string("The web page could not be opened:\n") + kLatestChangesPage);
    EXPECT_FALSE(RunFrameCommand(ID_APP_EXIT) || RunFrameCommand(0));
    EXPECT_TRUE(RunFrameCommand(ID_SUPPORTS_FIXED) && g_bModeSupportFixed == 1);
}

// Installed under any prefix, the manual lies in <prefix>/share/doc; run
// from the build folder, beside the program.
TEST_F(FileCommandsTest, ManualIsFoundBesideTheProgram)
{
    const fs::path doc = dir / "prefix/share/doc/trussforge3d/manual.html";
    fs::create_directories(doc.parent_path());
    fs::create_directories(dir / "prefix/bin");
    fs::create_directories(dir / "built");
    WriteBytes(doc.string(), "<html></html>");
    WriteBytes((dir / "built/manual.html").string(), "<html></html>");
    EXPECT_EQ(ManualPathFor((dir / "prefix/bin").string()), doc.string());
    EXPECT_EQ(ManualPathFor((dir / "prefix/bin/").string()), doc.string());
    EXPECT_EQ(ManualPathFor((dir / "other/bin").string()), (dir / "other/share/doc/trussforge3d/manual.html").string());
    EXPECT_EQ(ManualPathFor((dir / "built").string()), (dir / "built/manual.html").string());
    // These tests run from the build folder, which holds a copy of the manual and its pictures.
    const std::string built = std::string(TF3D_BINARY_DIR) + "/manual.html";
    EXPECT_EQ(DefaultManualPath(), built);
    EXPECT_EQ(ReadBytes(built), ReadBytes(std::string(TF3D_SOURCE_DIR) + "/docs/manual.html"));
    EXPECT_TRUE(fs::is_regular_file(std::string(TF3D_BINARY_DIR) + "/images/main-window.png"));
}

TEST_F(FileCommandsTest, RecentFileListKeepsTheLastFour)
{
    backend.settings["Recent File List/File1"] = "/a.3dd";
    backend.settings["Recent File List/File2"] = "/b.3dd";
    LoadRecentFileList();
    ASSERT_EQ(RecentFiles().size(), 2u);
    SaveRecentFileList();  // as at exit: no empty entries where none were
    EXPECT_EQ(backend.settings.size(), 2u);
    backend.settingsSaves = 0;
    for (const char* p : {"/c.3dd", "/d.3dd", "/e.3dd", "/b.3dd"}) AddToRecentFileList(p);
    const Texts expect = {"/b.3dd", "/e.3dd", "/d.3dd", "/c.3dd"};
    EXPECT_EQ(RecentFiles(), expect);
    EXPECT_EQ(backend.settings["Recent File List/File4"], "/c.3dd");
    EXPECT_EQ(backend.settingsSaves, 4);  // once per change, the whole file
    ResetFileCommandState();
    LoadRecentFileList();
    EXPECT_EQ(RecentFiles(), expect);
    backend.settingsSaveResult = platform::SaveResult::NotSaved;
    AddToRecentFileList("/f.3dd");
    ASSERT_EQ(backend.Boxes().size(), 1u);
    EXPECT_EQ(backend.Boxes()[0].text, "The settings could not be saved to\n/test/settings.conf\nwrite failed: Input/output error");
    EXPECT_EQ(backend.Boxes()[0].caption, "Trussforge3D");
    // A settings file that could not be read is told once, at start, and
    // never saved over.
    backend.Clear();
    backend.settingsReadFailure = "it is a folder";
    FinishStartup();
    AddToRecentFileList("/g.3dd");
    SaveRecentFileList();
    ASSERT_EQ(backend.Boxes().size(), 1u);
    EXPECT_EQ(backend.Boxes()[0].text, "The settings file\n/test/settings.conf\ncould not be read (it is a folder).\nIt is "
                                       "left as it is: this session starts with the default settings and does not save them.");
    EXPECT_EQ(backend.Boxes()[0].flags, platform::MB_OK | platform::MB_ICONEXCLAMATION);
    EXPECT_EQ(backend.settingsSaves, 0);
}

TEST_F(FileCommandsTest, TileOrientationAndShowTiles)
{
    EXPECT_TRUE(CommandStateOf(ID_FILE_TILE_PORTRAIT).checked);
    RunFrameCommand(ID_FILE_TILE_PORTRAIT);  // the checked item switches to the other
    EXPECT_EQ(V(g_bTileLandscape, g_bTilePortrait, CommandStateOf(ID_FILE_TILE_LANDSCAPE).checked), V(1, 0, 1));
    RunFrameCommand(ID_FILE_TILE_PORTRAIT);
    EXPECT_EQ(g_bTilePortrait, 1);
    ASSERT_EQ(OpenModelFile(kBridge), 1);  // deck at y = 6 in the XZ plane
    g_fGuidePlaneY = 6;
    // Show Tiles ends the tool in force, and the prompt says so.
    for (int show : {ID_FILE_XY_TILES_SHOW, ID_FILE_YZ_TILES_SHOW, ID_FILE_XZ_TILES_SHOW}) {
        RunFrameCommand(ID_JOINTS_ADD);
        ASSERT_EQ(g_strStatusPrompt, "Add Joint -> Click on a Guide Plane");
        RunFrameCommand(show);
        EXPECT_EQ(g_strStatusPrompt, "Ready") << show;
    }
    // Deck x 11.75..24.25, z 11..13: origin (11.25, 10.5), ranges 13.5 x 3 inches.
    EXPECT_EQ(V(g_bModeAddJoint, g_bShowTilesXZ, g_fTilesXZOriginX, g_fTilesXZOriginZ, g_nTilesAcrossXZ,
                g_nTilesDownXZ), V(0, 1, 11.25f, 10.5f, 2, 1));
    RunFrameCommand(ID_FILE_TILE_LANDSCAPE);
    RunFrameCommand(ID_FILE_XZ_TILES_SHOW);
    EXPECT_EQ(V(g_nTilesAcrossXZ, g_nTilesDownXZ), V(1, 2));
    EXPECT_TRUE(RunFrameCommand(ID_FILE_YZ_TILES_MOVE));  // the drag tool shows its plane's tiles
    EXPECT_EQ(V(g_bModeMoveTilesYZ, g_bShowTilesYZ), V(1, 1));
}

}  // namespace
