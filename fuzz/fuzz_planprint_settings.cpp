// Fuzz target: any text as Planprint's stored settings, one value a line in
// the order of kSettingNames. What is read stays in range, prints, and is
// stored again as it reads back.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/planprint_fuzz.h"

namespace {

bool Length(float v) { return std::isfinite(v) && v > 0 && v <= 1000; }

std::string Stored()
{
    std::string all;
    for (const char* name : kSettingNames) all += platform::ReadSetting(kSettingsSection, name, "?") + "\n";
    return all;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::StartPlanprint();
    const std::string text(reinterpret_cast<const char*>(data), size);
    size_t at = 0;
    for (const char* name : kSettingNames) {
        if (at > text.size()) break;
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        platform::WriteSetting(kSettingsSection, name, text.substr(at, end - at));
        at = end + 1;
    }
    ReadSettings();
    if (g_nCols < 1 || g_nCols > 10 || g_nRows < 1 || g_nRows > 10) std::abort();
    if (!Length(g_fPrintablePageW) || !Length(g_fPrintablePageH) || !Length(g_fGuidePlaneX) ||
        !Length(g_fGuidePlaneY))
        std::abort();
    if ((g_nPageOrient != 1 && g_nPageOrient != 2) || (g_nPaperSize != 1 && g_nPaperSize != 3 && g_nPaperSize != 5))
        std::abort();
    if (g_bEnglishUnits == g_bSIUnits || (g_bPrintMemberNumbers & ~1) || (g_bPrintFileName & ~1)) std::abort();
    fuzz::CheckAndPrint(1);
    // Stored and read back, the values settle after one round.
    WriteSettings();
    ReadSettings();
    WriteSettings();
    const std::string once = Stored();
    ReadSettings();
    WriteSettings();
    if (Stored() != once) std::abort();
    return 0;
}
