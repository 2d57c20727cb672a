#include "planprint/tile_setup.h"

#include <cerrno>
#include <cstdlib>

#include "planprint/scene.h"
#include "planprint/settings.h"
#include "planprint/units.h"

TileSetupValues CurrentTileSetup()
{
    TileSetupValues v;
    v.orient = g_nPageOrient == kPortrait ? kPortrait : kLandscape;
    v.paper = g_nPaperSize == kPaperLetter || g_nPaperSize == kPaperLegal ? g_nPaperSize : kPaperTabloid;
    v.rows = g_nRows;
    v.cols = g_nCols;
    v.printFileName = g_bPrintFileName;
    v.printMemberNumbers = g_bPrintMemberNumbers;
    return v;
}

void ApplyTileSetup(const TileSetupValues& values)
{
    g_nPageOrient = values.orient == kPortrait ? kPortrait : kLandscape;
    // A portrait tile on the paper, inches.
    float w = 10, h = 16;
    g_nPaperSize = kPaperTabloid;
    if (values.paper == kPaperLetter || values.paper == kPaperLegal) {
        g_nPaperSize = values.paper;
        w = 7.5f;
        h = values.paper == kPaperLetter ? 10.0f : 13.0f;
    }
    const float unit = g_bSIUnits ? kCentimetresPerInchF : 1.0f;
    g_fPrintablePageW = w * unit;
    g_fPrintablePageH = h * unit;
    g_nRows = values.rows;
    g_nCols = values.cols;
    g_bPrintFileName = values.printFileName;
    g_bPrintMemberNumbers = values.printMemberNumbers;

    const bool portrait = g_nPageOrient == kPortrait;
    g_fGuidePlaneX = g_nCols * (portrait ? w : h) * unit;
    g_fGuidePlaneY = g_nRows * (portrait ? h : w) * unit;
    g_Scene.Refresh();
    g_Scene.ApplyProjection();
}

bool ParseTileCount(const std::string& text, int& value, std::string& message)
{
    const char* start = text.c_str();
    while (*start == ' ') ++start;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(start, &end, 10);
    while (end && *end == ' ') ++end;
    if (end == start || *end != '\0' || errno != 0) {
        message = "Please enter an integer.";
        return false;
    }
    if (v < 1 || v > 10) {
        message = "Please enter an integer between 1 and 10.";
        return false;
    }
    value = static_cast<int>(v);
    return true;
}
