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

bool ReadNumber(const char* name, long& value)
{
    const std::string text = platform::ReadSetting(kSettingsSection, name, "");
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < INT_MIN || v > INT_MAX) return false;
    value = v;
    return true;
}

int ReadInt(const char* name, int fallback, int low, int high)
{
    long v;
    if (!ReadNumber(name, v)) return fallback;
    return v < low ? low : v > high ? high : static_cast<int>(v);
}

float ReadLength(const char* name, float fallback)
{
    long v;
    if (!ReadNumber(name, v) || v <= 0 || v * 0.1f > kLongestLength) return fallback;
    return static_cast<float>(v) * 0.1f;
}

int ReadFlag(const char* name, int fallback)
{
    long v;
    if (!ReadNumber(name, v)) return fallback;
    return v != 0;
}

void WriteInt(const char* name, long value) { platform::WriteSetting(kSettingsSection, name, std::to_string(value)); }

// Tenths, truncated toward zero.
void WriteLength(const char* name, float value) { WriteInt(name, static_cast<long>(static_cast<double>(value) * 10)); }

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
    g_nCols = ReadInt("Cols", 1, 1, 10);
    g_nRows = ReadInt("Rows", 1, 1, 10);
    g_fPrintablePageW = ReadLength("PrintablePageW", 7.5f);
    g_fPrintablePageH = ReadLength("PrintablePageH", 10);
    g_fGuidePlaneX = ReadLength("GuidePlaneX", 7.5f);
    g_fGuidePlaneY = ReadLength("GuidePlaneY", 10);
    int orient = ReadInt("PageOrient", kPortrait, INT_MIN, INT_MAX);
    g_nPageOrient = orient == kLandscape ? kLandscape : kPortrait;
    int paper = ReadInt("PaperSize", kPaperLetter, INT_MIN, INT_MAX);
    g_nPaperSize = (paper == kPaperLegal || paper == kPaperTabloid) ? paper : kPaperLetter;
    g_bPrintMemberNumbers = ReadFlag("PrintMemberNumbersOnTiles", 1);
    g_bPrintFileName = ReadFlag("PrintFileNameOnTiles", 1);
    SetEnglishUnits(ReadFlag("EnglishUnits", 1) != 0);
}

void WriteSettings()
{
    WriteInt("Cols", g_nCols);
    WriteInt("Rows", g_nRows);
    WriteLength("PrintablePageW", g_fPrintablePageW);
    WriteLength("PrintablePageH", g_fPrintablePageH);
    WriteLength("GuidePlaneX", g_fGuidePlaneX);
    WriteLength("GuidePlaneY", g_fGuidePlaneY);
    WriteInt("PageOrient", g_nPageOrient);
    WriteInt("PaperSize", g_nPaperSize);
    WriteInt("PrintMemberNumbersOnTiles", g_bPrintMemberNumbers);
    WriteInt("PrintFileNameOnTiles", g_bPrintFileName);
    WriteInt("EnglishUnits", g_bEnglishUnits ? 1 : 0);
    platform::SaveSettings(kPlanprintTitle);
}
