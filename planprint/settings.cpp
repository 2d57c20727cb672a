#include "planprint/settings.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "planprint/program.h"
#include "platform/platform.h"

int g_nCols;
int g_nRows;
float g_fPrintablePageW;
float g_fPrintablePageH;
float g_fGuidePlaneX;
float g_fGuidePlaneY;
int g_nPageOrient;
int g_nPaperSize;
int g_bPrintMemberNumbers;
int g_bPrintFileName;
int g_bEnglishUnits;
int g_bSIUnits;
int g_bModeDesign;
int g_bModeDetail;

const char* const kSettingsSection = "software/Brightbeam Software Corporation/Planprint/Settings";

namespace {

// Stored lengths beyond this (model units) are not from this program.
constexpr float kLongestLength = 1000;

bool ReadNumber(StoredSetting setting, long& value)
{
    const std::string text = platform::ReadSetting(kSettingsSection, kSettingNames[setting], "");
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < INT_MIN || v > INT_MAX) return false;
    value = v;
    return true;
}

int ReadInt(StoredSetting setting, int fallback, int low, int high)
{
    long v;
    if (!ReadNumber(setting, v)) return fallback;
    return v < low ? low : v > high ? high : static_cast<int>(v);
}

float ReadLength(StoredSetting setting, float fallback)
{
    long v;
    if (!ReadNumber(setting, v) || v <= 0 || v * 0.1f > kLongestLength) return fallback;
    return static_cast<float>(v) * 0.1f;
}

int ReadFlag(StoredSetting setting, int fallback)
{
    long v;
    if (!ReadNumber(setting, v)) return fallback;
    return v != 0;
}

void WriteInt(StoredSetting setting, long value)
{
    platform::WriteSetting(kSettingsSection, kSettingNames[setting], std::to_string(value));
}

// Tenths, truncated toward zero.
void WriteLength(StoredSetting setting, float value)
{
    WriteInt(setting, static_cast<long>(static_cast<double>(value) * 10));
}

}  // namespace

void SetEnglishUnits(bool english)
{
    g_bEnglishUnits = english ? 1 : 0;
    g_bSIUnits = english ? 0 : 1;
}

void ResetSettingsGlobals()
{
    g_nCols = 1;
    g_nRows = 1;
    g_fPrintablePageW = 7.5f;
    g_fPrintablePageH = 10;
    g_fGuidePlaneX = 7.5f;
    g_fGuidePlaneY = 10;
    g_nPageOrient = kPortrait;
    g_nPaperSize = kPaperLetter;
    g_bPrintMemberNumbers = 1;
    g_bPrintFileName = 1;
    SetEnglishUnits(true);
    g_bModeDesign = 0;
    g_bModeDetail = 1;
}

void ReadSettings()
{
    ResetSettingsGlobals();
    // Rows and columns outside 1..10 would leave no tile or divide by zero.
    g_nCols = ReadInt(SETTING_COLS, 1, 1, 10);
    g_nRows = ReadInt(SETTING_ROWS, 1, 1, 10);
    g_fPrintablePageW = ReadLength(SETTING_PRINTABLE_PAGE_W, 7.5f);
    g_fPrintablePageH = ReadLength(SETTING_PRINTABLE_PAGE_H, 10);
    g_fGuidePlaneX = ReadLength(SETTING_GUIDE_PLANE_X, 7.5f);
    g_fGuidePlaneY = ReadLength(SETTING_GUIDE_PLANE_Y, 10);
    int orient = ReadInt(SETTING_PAGE_ORIENT, kPortrait, INT_MIN, INT_MAX);
    g_nPageOrient = orient == kLandscape ? kLandscape : kPortrait;
    int paper = ReadInt(SETTING_PAPER_SIZE, kPaperLetter, INT_MIN, INT_MAX);
    g_nPaperSize = (paper == kPaperLegal || paper == kPaperTabloid) ? paper : kPaperLetter;
    g_bPrintMemberNumbers = ReadFlag(SETTING_PRINT_MEMBER_NUMBERS, 1);
    g_bPrintFileName = ReadFlag(SETTING_PRINT_FILE_NAME, 1);
    SetEnglishUnits(ReadFlag(SETTING_ENGLISH_UNITS, 1) != 0);
}

void WriteSettings()
{
    WriteInt(SETTING_COLS, g_nCols);
    WriteInt(SETTING_ROWS, g_nRows);
    WriteLength(SETTING_PRINTABLE_PAGE_W, g_fPrintablePageW);
    WriteLength(SETTING_PRINTABLE_PAGE_H, g_fPrintablePageH);
    WriteLength(SETTING_GUIDE_PLANE_X, g_fGuidePlaneX);
    WriteLength(SETTING_GUIDE_PLANE_Y, g_fGuidePlaneY);
    WriteInt(SETTING_PAGE_ORIENT, g_nPageOrient);
    WriteInt(SETTING_PAPER_SIZE, g_nPaperSize);
    WriteInt(SETTING_PRINT_MEMBER_NUMBERS, g_bPrintMemberNumbers);
    WriteInt(SETTING_PRINT_FILE_NAME, g_bPrintFileName);
    WriteInt(SETTING_ENGLISH_UNITS, g_bEnglishUnits ? 1 : 0);
    platform::SaveSettings(kPlanprintTitle);
}
