// Planprint's tile settings: the globals the frame, the tile view, the
// printing, the Tile Setup dialog and the preview share, and their storage
// between runs.
#pragma once

// Paper codes.
constexpr int kPaperLetter = 1;
constexpr int kPaperTabloid = 3;
constexpr int kPaperLegal = 5;

constexpr int kPortrait = 1;
constexpr int kLandscape = 2;

extern int g_nCols;
extern int g_nRows;
extern float g_fPrintablePageW;  // one tile on the paper, model units
extern float g_fPrintablePageH;
extern float g_fGuidePlaneX;     // the whole tiled area, model units
extern float g_fGuidePlaneY;
extern int g_nPageOrient;
extern int g_nPaperSize;
extern int g_bPrintMemberNumbers;
extern int g_bPrintFileName;
extern int g_bEnglishUnits;  // each the inverse of the other
extern int g_bSIUnits;
extern int g_bModeDesign;
extern int g_bModeDetail;

// The settings' place in the configuration file.
extern const char* const kSettingsSection;

// The stored settings, in the order they are written, and their keys.
enum StoredSetting {
    SETTING_COLS,
    SETTING_ROWS,
    SETTING_PRINTABLE_PAGE_W,
    SETTING_PRINTABLE_PAGE_H,
    SETTING_GUIDE_PLANE_X,
    SETTING_GUIDE_PLANE_Y,
    SETTING_PAGE_ORIENT,
    SETTING_PAPER_SIZE,
    SETTING_PRINT_MEMBER_NUMBERS,
    SETTING_PRINT_FILE_NAME,
    SETTING_ENGLISH_UNITS,
    SETTING_COUNT
};
inline constexpr const char* kSettingNames[] = {"Cols", "Rows", "PrintablePageW", "PrintablePageH", "GuidePlaneX",
                                                "GuidePlaneY", "PageOrient", "PaperSize", "PrintMemberNumbersOnTiles",
                                                "PrintFileNameOnTiles", "EnglishUnits"};
static_assert(sizeof kSettingNames / sizeof kSettingNames[0] == SETTING_COUNT, "one key for each stored setting");

// Start-up values, before the stored settings are read.
void ResetSettingsGlobals();

// Reads the stored settings; a value that is missing, unreadable or out of
// range takes its default. Lengths are stored in tenths of the unit.
void ReadSettings();
// Stores the settings in the settings file, whole; a failure is told in a box.
void WriteSettings();

void SetEnglishUnits(bool english);
