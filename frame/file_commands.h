// The main frame's File, Edit and Help commands, the helper programs, and the
// start-up and exit steps that need no window. Everything goes through the
// platform layer, so all of it runs headless.
#pragma once

#include <string>
#include <vector>

// ---- web pages of the Help menu ----
extern const char* const kMakerHomePage;
extern const char* const kLatestChangesPage;

// ---- start-up ----
struct CommandLineOptions {
    std::string startFile;  // model file to open, "" for none
    bool noPrefs = false;   // "nprefs": new model, preferences cannot be saved
};
// Reads the arguments after the program name: the first one that is not an
// option ("-...") is the model file; "nprefs" (exactly) is the switch.
CommandLineOptions ParseCommandLine(const std::vector<std::string>& args);
// g_strStartFile and g_bPrefsSaveAllowed from the options.
void ApplyCommandLine(const CommandLineOptions& options);

// g_nScreenWidth, g_nScreenHeight and g_nLargeScreenFactor from the screen.
void TakeScreenSize();
// The educational-use warning (also Help/Show Warning Message ...).
void ShowWarningMessage();
// After the view has read the start file: ok names the model after the file;
// a refused file is reported with why and leaves the new, untitled model.
void FinishStartFileRead(bool ok, const std::string& why = "");
// The last start-up steps of the frame: preferences, initial camera, and the
// saved state of what the model is now.
void FinishStartup();

// ---- recent-file list (4 entries, in the settings under "Recent File List") ----
constexpr int RECENT_FILE_COUNT = 4;
void LoadRecentFileList();
// Writes the list to the settings file, and says so in a box when that fails.
void SaveRecentFileList();
void AddToRecentFileList(const std::string& path);
const std::vector<std::string>& RecentFiles();

// ---- model file state ----
// Full path of the model's file, "" when it has none.
const std::string& ModelFilePath();
// Marks the model unsaved when what the model file would hold has changed
// since the last open or save. Cheap enough to run after every command.
void NoteModelChanges();
// The model as it is now counts as saved.
void MarkModelSaved();
// Forgets the file, the saved text and the recent files (tests).
void ResetFileCommandState();

// ---- commands ----
void FileNewUSCustomaryUnits();
void FileNewMetricUnits();
void FileNewBridgeProject();
void FileNewTowerProject();
void FileNew();
void FileOpenModel();
void FileSaveModel();
void FileSaveModelAs();
void FileImport2DFile();
void FileSaveOutputFile();
void FileExportDxf();
// File/Tile Orientation: either item flips the portrait/landscape pair; the
// tiles on view are laid out again for the new orientation.
void FileTileOrientation();
// File/XY, XZ, YZ Plane Tiles/Show Tiles: lay out that plane's pages and show them.
void FileShowTilesXY();
void FileShowTilesXZ();
void FileShowTilesYZ();
void EditUndo();
void EditCopyToClipboard();
void HelpManual();
void HelpMakerWebSite();
void HelpResourceSite();
void AnalysisLaunchFileViewer();
void AnalysisLaunchGraphicViewer();

// Runs a menu, toolbar or accelerator command that needs no window of its
// own: the commands above, the Include in Output File switches, the tools
// and Run the Analysis. Afterwards checks the model for unsaved changes.
// False when the id is not one of these.
bool RunFrameCommand(int commandId);

// The two exit questions; true when the program may close.
bool ConfirmExit();
