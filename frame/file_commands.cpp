#include "frame/file_commands.h"

#include <cmath>
#include <filesystem>
#include <vector>

#include "files/clear_model.h"
#include "files/dxf.h"
#include "files/import_2d.h"
#include "files/model_file.h"
#include "files/preferences.h"
#include "files/report.h"
#include "frame/analysis_command.h"
#include "frame/command_ids.h"
#include "frame/tool_commands.h"
#include "frame/tool_modes.h"
#include "frame/view_commands.h"
#include "model/defaults.h"
#include "model/strength.h"
#include "model/tables.h"
#include "model/templates.h"
#include "model/undo.h"
#include "platform/platform.h"
#include "printing/tile_layout.h"
#include "state/files_globals.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"
#include "view/status_prompt.h"

const char* const kMakerHomePage = "https://www.brightbeam-software.example/";
const char* const kLatestChangesPage = "https://www.brightbeam-software.example/trussforge3d/latestchanges.html";

namespace {

namespace fs = std::filesystem;

const char* const kWarningText =
    "This software is for educational purposes only and is not intended for design of load bearing "
    "structures or other professional use.  As this software is based on engineering science theory, "
    "actual results, including failure loads, will vary due to factors such as, but not limited to, "
    "building material quality and construction techniques.  Neither Brightbeam Software Corporation, "
    "nor its owners, officers, employees or representatives shall be liable for any damages arising in "
    "connection with the use of this software.\n\nWARNING!  Actual load testing of models can be "
    "dangerous.\n\nStructural models are capable of storing large amounts of energy that can be released "
    "suddenly and without warning at or before complete model failure.  As a result, actual load testing "
    "of a model can result in the release of high velocity projectiles, falling objects and failure of "
    "the testing apparatus.  The actual load testing of any model can cause injury to participants and "
    "bystanders.\n\nDo not stand on, sit on, walk on or hang from any model. Do not attempt actual load "
    "testing of models without qualified adult supervision and proper protection against flying and "
    "falling debris.  Always wear proper eye protection.\n";

const char* const kUntitled = "Untitled";
const char* const kRecentSection = "Recent File List";

// The file of the model: its folder (with the bare name in
// g_strModelFileName), and whether Save must ask for a name first.
std::string s_modelFolder;
std::string s_modelPath;
bool s_saveNeedsName = false;
// What the model file held at the last open or save.
std::string s_savedText;
bool s_savedTextValid = false;
std::vector<std::string> s_recentFiles;
// The name in the caption: the bare file name, or an imported file's path.
std::string s_captionName = kUntitled;

// What a New took the model away from: Undo of the New gives the model its
// file back.
struct ModelFileState {
    std::string name, captionName, folder, path, savedText;
    std::string model;  // the whole model as its file would hold it
    int hasFileName = 0;
    bool saveNeedsName = false, savedTextValid = false;
};
ModelFileState s_fileBeforeNew;
unsigned s_newSnapshot = 0;  // the undo snapshot that New took, 0 for none

std::string BareName(const std::string& path) { return fs::path(path).filename().string(); }

std::string FullPath(const std::string& path)
{
    std::error_code ec;
    fs::path full = fs::absolute(fs::path(path), ec);
    return ec ? path : full.lexically_normal().string();
}

void SetCaption(const std::string& name)
{
    s_captionName = name;
    platform::SetMainCaption(name + " - Trussforge3D");
}

// The model file's text with the camera and the effective lengths that are
// not the user's left out: looking around is not a change to the model, nor
// is an analysis that works those lengths out from the members' lengths.
std::string SavedContentText()
{
    ModelTextOptions options;
    options.camera = false;
    options.computedEffectiveLengths = false;
    return ModelFileText(options);
}

// Before another model takes the place of this one: its page tiles go and
// the guide planes return to where they stand at start-up, so that neither
// lies where the next model has nothing.
void ForgetModelLayout()
{
    g_bShowTilesXY = g_bShowTilesXZ = g_bShowTilesYZ = g_bShowTilesSkew = 0;
    g_fGuidePlaneX = g_fGuidePlaneY = g_fGuidePlaneZ = 0;
}

// The model now belongs to the file at path.
void TakeFile(const std::string& path)
{
    const std::string full = FullPath(path);
    s_modelPath = full;
    s_modelFolder = fs::path(full).parent_path().string();
    s_saveNeedsName = false;
    g_strModelFileName = BareName(full);
    g_bHasFileName = 1;
    SetCaption(g_strModelFileName);
    AddToRecentFileList(full);
    MarkModelSaved();
}

// Says why a model file could not be read; the model stays as it was.
void ReportUnreadableFile(const std::string& path, const std::string& why)
{
    platform::MessageBox("The model file could not be read:\n" + path + (why.empty() ? "" : "\n" + why), g_szAppTitle,
                         platform::MB_OK | platform::MB_ICONEXCLAMATION | platform::MB_SYSTEMMODAL);
}

constexpr unsigned kExitStyle = platform::MB_ICONEXCLAMATION | platform::MB_DEFBUTTON2 | platform::MB_SYSTEMMODAL;

const char* const kCancelStopsExit = "Click CANCEL to stop exit.";
const char* const kCancelKeepsModel = "Click CANCEL to keep the current model.";

// The unsaved-changes question before the model goes; true when the user
// lets it go (or it has no unsaved changes). cancelDoes says what Cancel keeps.
bool MayDropUnsavedChanges(const char* cancelDoes)
{
    NoteModelChanges();
    return g_bModelSaved ||
           platform::MessageBox(std::string("Current Changes have not been saved!   \n") + cancelDoes, g_szAppTitle,
                                platform::MB_OKCANCEL | kExitStyle) == platform::IDOK;
}

void ReportWriteFailure(const std::string& path, platform::SaveResult result)
{
    platform::MessageBox(platform::SaveFailureText(result, path, "Access Denied!\nYour file was not saved."),
                         g_szAppTitle, platform::MB_OK | platform::MB_ICONSTOP);
}

bool AskFile(bool open, const char* ext, const char* filter, std::string& path)
{
    platform::FileDialogRequest request;
    request.open = open;
    request.defaultExt = ext;
    request.fileName = std::string("*.") + ext;
    request.filter = filter;
    return platform::FileDialog(request, path) && !path.empty();
}

void Redraw() { platform::InvalidateFrame(false); }

void InvalidateRulers() { g_bListRuler1Built = g_bListRuler2Built = g_bListRuler3Built = 0; }

void SetBackground(float r, float g, float b)
{
    g_fBackgroundR = r;
    g_fBackgroundG = g;
    g_fBackgroundB = b;
    if (g_pfnSetClearColor) g_pfnSetClearColor(r, g, b, 1.0f);
}

// Steps shared by every New command: undo snapshot, no tool, empty model,
// untitled.
void BeginNewModel()
{
    s_fileBeforeNew = {g_strModelFileName, s_captionName,  s_modelFolder,  s_modelPath, s_savedText,
                       ModelFileText(),    g_bHasFileName, s_saveNeedsName, s_savedTextValid};
    TakeUndoSnapshot();
    s_newSnapshot = UndoSnapshotNumber();
    g_bUndoAvailable = 1;
    ClearToolModes();
    EndResultsDisplay();  // the prompt too
    ForgetModelLayout();
    ClearModel();
    g_strModelFileName = kUntitled;
    SetCaption(kUntitled);
    s_saveNeedsName = true;  // Save asks where: no file named "Untitled" beside the last one
}

void BreakingForcesOff()
{
    // Both flags: the analysis reads the second, the menu the first.
    g_bFindBreakingForces = 0;
    g_bBreakingForcesActive = 0;
}

void NewEmptyModel(int metric)
{
    BeginNewModel();
    SetMetricUnits(metric);
    InvalidateRulers();
    ResetAllShapes();
    ResetAllMaterials();
    SetBackground(0.75f, 0.75f, 0.75f);
    g_bTruckActive = g_bUseTruck = g_bBridgeProject = 0;
    g_bUseFan = g_bTowerFlag2 = g_bTowerProject = 0;
    g_fOrbitAngle = g_fOrbitAngleB = 1.57f;
    g_dCenterX = 24;
    g_dCenterY = 12;
    g_dCenterZ = 12;
    g_dEyeX = 24;
    g_dEyeY = 12;
    g_dEyeZ = 67.2;
    g_bShowXYBasePlane = g_bShowXZBasePlane = g_bShowYZBasePlane = 1;
    g_bShowRulers = g_bShowLoads = g_bShowSupports = 1;
    g_bShowGuideXY = g_bShowGuideXZ = g_bShowGuideYZ = 1;
    SetWorkspaceSize(kDefaultWorkspaceX, kDefaultWorkspaceY, kDefaultWorkspaceZ);
    g_bListXZBasePlaneBuilt = 0;
    Redraw();
}

// True when program is the desktop's opener, which needs a file to open.
bool IsDesktopOpener(const std::string& program)
{
    return fs::path(program).filename() == g_szDesktopOpener;
}

void SayHelper(const std::string& text)
{
    platform::MessageBox(text, g_szAppTitle, platform::MB_OK | platform::MB_ICONEXCLAMATION);
}

void StartHelper(const std::string& program, const std::string& file, const std::string& what)
{
    if (!platform::ShellOpen(program, file)) SayHelper(what + " could not be started:\n" + program);
}

int* OutputSwitch(int commandId)
{
    switch (commandId) {
    case ID_OUT_JOINT_DATA: return &g_bOutJointData;
    case ID_OUT_MEMBER_DATA: return &g_bOutMemberData;
    case ID_OUT_MATERIAL_DATA: return &g_bOutMaterialData;
    case ID_OUT_SHAPE_DATA: return &g_bOutShapeData;
    case ID_OUT_LOAD_DATA: return &g_bOutLoadData;
    case ID_OUT_BILL_OF_MATERIALS: return &g_bOutBillOfMaterials;
    case ID_OUT_ULTIMATE_FORCES: return &g_bOutUltimateForces;
    case ID_OUT_ACTUAL_FORCES: return &g_bOutActualForces;
    case ID_OUT_STRENGTH_RATIOS: return &g_bOutStrengthRatios;
    default: return nullptr;
    }
}

bool RunCommand(int id)
{
    if (RunToolCommand(id)) return true;
    if (RunViewCommand(id)) return true;
    if (int* sw = OutputSwitch(id)) {
        *sw = !*sw;
        return true;
    }
    switch (id) {
    case ID_FILE_NEW_US_UNITS: FileNewUSCustomaryUnits(); return true;
    case ID_FILE_NEW_METRIC_UNITS: FileNewMetricUnits(); return true;
    case ID_FILE_NEW_BRIDGE_PROJECT: FileNewBridgeProject(); return true;
    case ID_FILE_NEW_TOWER_PROJECT: FileNewTowerProject(); return true;
    case ID_FILE_NEW: FileNew(); return true;
    case ID_FILE_OPEN:
    case ID_FILE_OPEN_MODEL: FileOpenModel(); return true;
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_MODEL: FileSaveModel(); return true;
    case ID_FILE_SAVE_MODEL_AS: FileSaveModelAs(); return true;
    case ID_FILE_IMPORT_2D: FileImport2DFile(); return true;
    case ID_FILE_SAVE_OUTPUT: FileSaveOutputFile(); return true;
    case ID_FILE_EXPORT_DXF: FileExportDxf(); return true;
    case ID_FILE_TILE_PORTRAIT:
    case ID_FILE_TILE_LANDSCAPE: FileTileOrientation(); return true;
    case ID_FILE_XY_TILES_SHOW: FileShowTilesXY(); return true;
    case ID_FILE_XZ_TILES_SHOW: FileShowTilesXZ(); return true;
    case ID_FILE_YZ_TILES_SHOW: FileShowTilesYZ(); return true;
    case ID_EDIT_UNDO: EditUndo(); return true;
    case ID_EDIT_COPY_TO_CLIPBOARD: EditCopyToClipboard(); return true;
    case ID_HELP_MANUAL: HelpManual(); return true;
    case ID_HELP_MAKER_WEB_SITE: HelpMakerWebSite(); return true;
    case ID_HELP_RESOURCE_SITE: HelpResourceSite(); return true;
    case ID_HELP_SHOW_WARNING: ShowWarningMessage(); return true;
    case ID_ANALYSIS_LAUNCH_FILE_VIEWER: AnalysisLaunchFileViewer(); return true;
    case ID_ANALYSIS_LAUNCH_GRAPHIC_VIEWER: AnalysisLaunchGraphicViewer(); return true;
    case ID_ANALYSIS_RUN:
        StopResultTimers();  // the last analysis's animation ends here
        RunTheAnalysis();
        return true;
    default: return false;
    }
}

}  // namespace

// ---------------------------------------------------------------- start-up

CommandLineOptions ParseCommandLine(const std::vector<std::string>& args)
{
    CommandLineOptions options;
    for (const std::string& arg : args) {
        if (arg.empty() || arg[0] == '-') continue;
        if (arg == "nprefs")
            options.noPrefs = true;
        else
            options.startFile = arg;
        break;
    }
    return options;
}

void ApplyCommandLine(const CommandLineOptions& options)
{
    g_strStartFile = options.noPrefs ? std::string() : options.startFile;
    if (options.noPrefs) g_bPrefsSaveAllowed = 0;
}

void TakeScreenSize()
{
    int width = 0, height = 0;
    platform::ScreenSize(width, height);
    g_nScreenWidth = width;
    g_nScreenHeight = height;
    if (width > 2000) g_nLargeScreenFactor = 2;
}

void ShowWarningMessage()
{
    platform::MessageBox(kWarningText, g_szAppTitle,
                         platform::MB_OK | platform::MB_ICONINFORMATION | platform::MB_SYSTEMMODAL);
}

void FinishStartFileRead(bool ok, const std::string& why)
{
    if (g_strStartFile.empty()) return;
    EndResultsDisplay();
    g_bListSupportsBuilt = g_bListLoadsBuilt = 0;
    // Caption, saved state and Save Model, as for File/Open: a model opened
    // from the desktop saves back into its file.
    if (ok) {
        TakeFile(g_strStartFile);
    } else {
        // The new empty model stays, untitled, and no Save writes over the unread file.
        ReportUnreadableFile(g_strStartFile, why);
        s_modelPath.clear();
        s_saveNeedsName = false;
        g_strModelFileName = kUntitled;
        g_bHasFileName = 0;
        SetCaption(kUntitled);
        MarkModelSaved();
    }
    g_bModelSaved = 1;
}

void FinishStartup()
{
    platform::TellUnreadableSettings(g_szAppTitle);
    ReadPreferencesFile();
    SetInitialCamera();
    if (g_bModelSaved) MarkModelSaved();
}

// ---------------------------------------------------------------- recent files

void LoadRecentFileList()
{
    s_recentFiles.clear();
    for (int i = 1; i <= RECENT_FILE_COUNT; ++i) {
        std::string path = platform::ReadSetting(kRecentSection, "File" + std::to_string(i), "");
        if (!path.empty()) s_recentFiles.push_back(path);
    }
}

void SaveRecentFileList()
{
    for (int i = 1; i <= RECENT_FILE_COUNT; ++i) {
        const size_t k = static_cast<size_t>(i - 1);
        const std::string key = "File" + std::to_string(i);
        // An empty entry where none is stored changes nothing.
        if (k < s_recentFiles.size())
            platform::WriteSetting(kRecentSection, key, s_recentFiles[k]);
        else if (!platform::ReadSetting(kRecentSection, key, "").empty())
            platform::WriteSetting(kRecentSection, key, "");
    }
    platform::SaveSettings(g_szAppTitle);
}

void AddToRecentFileList(const std::string& path)
{
    if (path.empty()) return;
    for (auto it = s_recentFiles.begin(); it != s_recentFiles.end(); ++it) {
        if (*it == path) {
            s_recentFiles.erase(it);
            break;
        }
    }
    s_recentFiles.insert(s_recentFiles.begin(), path);
    if (s_recentFiles.size() > static_cast<size_t>(RECENT_FILE_COUNT)) s_recentFiles.resize(RECENT_FILE_COUNT);
    SaveRecentFileList();
}

const std::vector<std::string>& RecentFiles() { return s_recentFiles; }

// ---------------------------------------------------------------- model file state

const std::string& ModelFilePath() { return s_modelPath; }

void NoteModelChanges()
{
    if (!g_bModelSaved || !s_savedTextValid) return;
    if (SavedContentText() != s_savedText) g_bModelSaved = 0;
}

void MarkModelSaved()
{
    g_bModelSaved = 1;
    s_savedText = SavedContentText();
    s_savedTextValid = true;
}

void ResetFileCommandState()
{
    s_modelFolder.clear();
    s_modelPath.clear();
    s_saveNeedsName = false;
    s_savedText.clear();
    s_savedTextValid = false;
    s_recentFiles.clear();
    s_captionName = kUntitled;
    s_fileBeforeNew = ModelFileState();
    s_newSnapshot = 0;
}

// ---------------------------------------------------------------- File/New

void FileNewUSCustomaryUnits() { NewEmptyModel(0); }

void FileNewMetricUnits() { NewEmptyModel(1); }

void FileNewBridgeProject()
{
    BeginNewModel();
    SetMetricUnits(0);
    g_bUseTruck = 1;
    InvalidateRulers();
    ResetAllShapes();
    ResetAllMaterials();
    BuildBridgeTemplate();
    SetDefaultViewSettings();
    g_bListXZBasePlaneBuilt = g_bListBridgeApproachBuilt = g_bListTruckBuilt = 0;
    OrientDeckMembers();
    FindDeckExtent();
    PlaceTruckAtStart();
    BreakingForcesOff();
    g_bShowLoads = 0;
    g_bTruckActive = 1;
    g_bBridgeProject = 1;
    g_bListLoadsBuilt = 0;
    Redraw();
}

void FileNewTowerProject()
{
    BeginNewModel();
    SetupTowerProject();
    SetMetricUnits(0);
    g_bUseFan = 1;
    g_bTowerFlag2 = 1;
    g_bTowerProject = 1;
    InvalidateRulers();
    ResetAllShapes();
    ResetAllMaterials();
    g_bListXZBasePlaneBuilt = g_bListFanBuilt = 0;
    BreakingForcesOff();
    g_bShowLoads = 0;
    g_bListLoadsBuilt = 0;
    SetMagnificationRadio(20);
    Redraw();
}

void FileNew()
{
    BeginNewModel();
    UpdateStatusPrompt();
    Redraw();
}

// ---------------------------------------------------------------- open and save

void FileOpenModel()
{
    if (!MayDropUnsavedChanges(kCancelKeepsModel)) return;
    std::string path;
    if (!AskFile(true, "3dd", "Trussforge 3D Files (*.3dd)|*.3dd|All Files (*.*)|*.*||", path)) return;
    // The file is read and checked whole first: a refused one leaves the
    // model, its name, the undo and the view as they were.
    CPendingModel model;
    std::string why;
    if (!ReadModelFile(path, model, why)) {
        ReportUnreadableFile(path, why);
        return;
    }
    g_strModelFileName = BareName(path);
    SetCaption(g_strModelFileName);
    EndResultsDisplay();
    ForgetModelLayout();
    ClearModel();
    g_bUndoAvailable = 0;  // no snapshot of the model before belongs to this file
    model.Apply();
    g_bListSupportsBuilt = g_bListLoadsBuilt = 0;
    TakeFile(path);
    UpdateStatusPrompt();
    Redraw();
}

void FileSaveModel()
{
    if (!g_bHasFileName) return;
    if (s_saveNeedsName || s_modelFolder.empty()) {
        FileSaveModelAs();
        return;
    }
    const std::string path = (fs::path(s_modelFolder) / g_strModelFileName).string();
    if (WriteModelFile(path)) TakeFile(path);
    ClearToolModes();
    UpdateStatusPrompt();
    Redraw();
}

void FileSaveModelAs()
{
    std::string path;
    if (!AskFile(false, "3dd", "Trussforge3D Files (*.3dd)|*.3dd|All Files (*.*)|*.*||", path)) return;
    // The name changes only with a file written under it.
    if (WriteModelFile(path)) TakeFile(path);
    UpdateStatusPrompt();
    Redraw();
}

void FileImport2DFile()
{
    if (!MayDropUnsavedChanges(kCancelKeepsModel)) return;
    std::string path;
    if (!AskFile(true, "tfd", "Trussforge 2D Files (*.tfd)|*.tfd|All Files (*.*)|*.*||", path)) return;
    const std::string full = FullPath(path);
    CPendingModel model;
    std::string why;
    if (!Read2DModelFile(full, model, why)) {
        ReportUnreadableFile(full, why);
        return;
    }
    g_strModelFileName = BareName(full);
    SetCaption(full);
    EndResultsDisplay();
    ForgetModelLayout();
    ClearModel();
    g_bUndoAvailable = 0;  // no snapshot of the model before belongs to this file
    model.Apply();
    g_fGuidePlaneZ = k2DImportPlaneZ;
    // Saving goes to a new 3D file; the 2D file stays as it is.
    s_modelFolder = fs::path(full).parent_path().string();
    s_modelPath.clear();
    s_saveNeedsName = true;
    g_bListMembersBuilt = g_bListResultMembersBuilt = g_bListJointsBuilt = 0;
    Redraw();
}

void FileSaveOutputFile()
{
    if (g_nMembers <= 0) return;
    std::string path;
    if (!AskFile(false, "txt", "Trussforge3D Output Files (*.txt)|*.txt|All Files (*.*)|*.*||", path)) return;
    const int n = g_nMembers < MEMBER_ROWS ? g_nMembers : MEMBER_ROWS - 1;
    for (int i = 1; i <= n; ++i) {
        MemberRec& m = g_Members[i];
        if (m.jointA < 1 || m.jointA >= JOINT_ROWS || m.jointB < 1 || m.jointB >= JOINT_ROWS) continue;
        const JointRec& a = g_Joints[m.jointA];
        const JointRec& b = g_Joints[m.jointB];
        const float dx = b.x - a.x, dy = b.y - a.y, dz = b.z - a.z;
        m.length = std::sqrt(dx * dx + dy * dy + dz * dz);
    }
    ComputeUltimateForces();
    g_strOutputFilePath = FullPath(path);
    const platform::SaveResult result = WriteOutputFile(g_strOutputFilePath);
    if (result != platform::SaveResult::Saved) ReportWriteFailure(g_strOutputFilePath, result);
}

void FileExportDxf()
{
    if (g_nMembers <= 0) return;
    std::string path;
    if (!AskFile(false, "dxf", "DXF Files (*.dxf)|*.dxf|All Files (*.*)|*.*||", path)) return;
    const platform::SaveResult result = WriteDxfFile(path);
    if (result != platform::SaveResult::Saved) ReportWriteFailure(path, result);
    UpdateStatusPrompt();
    Redraw();
}

// ---------------------------------------------------------------- page tiles

void FileTileOrientation()
{
    const int landscape = g_bTileLandscape ? 0 : 1;
    g_bTileLandscape = landscape;
    g_bTilePortrait = !landscape;
    // Shown tiles are what the plane prints: lay them out for the new orientation.
    if (g_bShowTilesXY) ComputePlaneTiles(TILE_PLANE_XY);
    if (g_bShowTilesXZ) ComputePlaneTiles(TILE_PLANE_XZ);
    if (g_bShowTilesYZ) ComputePlaneTiles(TILE_PLANE_YZ);
    Redraw();
}

namespace {

void ShowTiles(TilePlane plane, int& showFlag)
{
    ClearToolModes();
    ComputePlaneTiles(plane);
    showFlag = 1;
}

}  // namespace

void FileShowTilesXY()
{
    ShowTiles(TILE_PLANE_XY, g_bShowTilesXY);
    UpdateStatusPrompt();
    Redraw();
}

void FileShowTilesXZ()
{
    ShowTiles(TILE_PLANE_XZ, g_bShowTilesXZ);
    UpdateStatusPrompt();
    Redraw();
}

void FileShowTilesYZ()
{
    ShowTiles(TILE_PLANE_YZ, g_bShowTilesYZ);
    UpdateStatusPrompt();
    Redraw();
}

// ---------------------------------------------------------------- Edit, Help, helpers

void EditUndo()
{
    if (!g_bUndoAvailable) return;
    const std::string before = SavedContentText();
    const bool undoesNew = s_newSnapshot != 0 && s_newSnapshot == UndoSnapshotNumber();
    CPendingModel model;
    std::string why;
    if (undoesNew && ReadModelText(s_fileBeforeNew.model, model, why)) {
        // The model before the New comes back whole: its project, loads and
        // view settings too, not only the tables of the snapshot.
        ForgetModelLayout();
        ClearModel();
        model.Apply();
    } else {
        RestoreUndoSnapshot();
    }
    g_bUndoAvailable = 0;
    if (undoesNew) {
        const ModelFileState& f = s_fileBeforeNew;
        g_strModelFileName = f.name;
        g_bHasFileName = f.hasFileName;
        s_modelFolder = f.folder;
        s_modelPath = f.path;
        s_saveNeedsName = f.saveNeedsName;
        s_savedText = f.savedText;
        s_savedTextValid = f.savedTextValid;
        SetCaption(f.captionName);
    }
    s_newSnapshot = 0;
    // Saved again when the model is back as its file holds it.
    const std::string after = SavedContentText();
    if (s_savedTextValid) g_bModelSaved = after == s_savedText;
    // Results of the model undone are no results of this one.
    if (after != before) EndResultsDisplay();
    g_bListMembersBuilt = g_bListJointsBuilt = g_bListLoadsBuilt = g_bListSupportsBuilt = 0;
    UpdateStatusPrompt();
    Redraw();
}

void EditCopyToClipboard() { (void)platform::CopyMainWindowToClipboard(); }

namespace {

// A Help document or page that cannot be opened is reported.
void OpenHelp(const std::string& program, const std::string& parameters, const std::string& what)
{
    if (platform::ShellOpen(program, parameters)) return;
    platform::MessageBox(what + " could not be opened:\n" + (parameters.empty() ? program : parameters), g_szAppTitle,
                         platform::MB_OK | platform::MB_ICONEXCLAMATION);
}

}  // namespace

void HelpManual() { OpenHelp(g_strManualPath, "", "The Trussforge3D Manual"); }

void HelpMakerWebSite() { OpenHelp(g_strBrowserPath, kMakerHomePage, "The web page"); }

void HelpResourceSite() { OpenHelp(g_strBrowserPath, kLatestChangesPage, "The web page"); }

void AnalysisLaunchFileViewer()
{
    ClearToolModes();
    // The desktop's opener shows the last output file; a program of the user's own starts by itself.
    std::error_code ec;
    if (!IsDesktopOpener(g_strTextViewerPath))
        StartHelper(g_strTextViewerPath, "", "The Results Viewer");
    else if (g_strOutputFilePath.empty() || g_strOutputFilePath == g_szNoOutputFile)
        SayHelper("No output file has been saved yet.\nFile/Save Output File writes one.");
    else if (!fs::is_regular_file(g_strOutputFilePath, ec))
        SayHelper("The output file could not be found:\n" + g_strOutputFilePath);
    else
        StartHelper(g_strTextViewerPath, g_strOutputFilePath, "The Results Viewer");
    UpdateStatusPrompt();
    Redraw();
}

void AnalysisLaunchGraphicViewer()
{
    ClearToolModes();
    // Blank, or the desktop's opener, which would have no picture to open: none chosen.
    const bool blank = g_strGraphicViewerPath.find_first_not_of(" \t") == std::string::npos;
    if (blank || IsDesktopOpener(g_strGraphicViewerPath))
        SayHelper("No graphic program has been chosen.\nChoose one as the Graphic Viewer in Edit/Preferences.");
    else
        StartHelper(g_strGraphicViewerPath, "", "The Graphic Viewer");
    UpdateStatusPrompt();
    Redraw();
}

bool RunFrameCommand(int commandId)
{
    const bool handled = RunCommand(commandId);
    if (handled) NoteModelChanges();
    return handled;
}

// ---------------------------------------------------------------- exit

bool ConfirmExit()
{
    NoteModelChanges();
    if (platform::MessageBox("Are you sure you want to exit Trussforge3D?", g_szAppTitle,
                             platform::MB_YESNO | kExitStyle) != platform::IDYES)
        return false;
    if (!MayDropUnsavedChanges(kCancelStopsExit)) return false;
    StopResultTimers();
    return true;
}
