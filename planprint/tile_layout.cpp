// The automatic tile layout: columns, rows, paper and orientation that hold
// the imported model, and the model centred on the tiles with room for the
// sticks' outlines on every side.
#include <algorithm>
#include <cmath>

#include "planprint/model_data.h"
#include "planprint/settings.h"
#include "planprint/units.h"

namespace {

struct HeightStep {
    double over;  // inches
    int orient, paper, rows;
};

// Each later true test overrides the earlier ones.
const HeightStep kHeightSteps[] = {
    {7.5, kPortrait, kPaperLetter, 1}, {10, kPortrait, kPaperLegal, 1},   {13, kLandscape, kPaperLetter, 2},
    {15, kPortrait, kPaperLetter, 2},  {20, kLandscape, kPaperLetter, 3}, {22.5, kPortrait, kPaperLegal, 2},
    {26, kPortrait, kPaperLetter, 3},
};

const double kPortraitColumnSteps[] = {7.5, 15, 22.5, 30, 37.5, 45};  // 2 to 7 columns

struct ColumnStep {
    double over;
    int cols, paper;
};

const ColumnStep kLandscapeColumnSteps[] = {
    {10, 1, kPaperLegal}, {13, 2, kPaperLetter}, {20, 2, kPaperLegal}, {26, 3, kPaperLetter},
    {30, 3, kPaperLegal}, {36, 4, kPaperLetter}, {40, 4, kPaperLetter},
};

constexpr int kMostTiles = 10;

// The model's offset on the tiles: centred to the nearest 1/roundTo, or
// centred exactly where that would leave less than margin on one side.
float CentredOffset(float tiles, float range, float margin, int roundTo)
{
    const float slack = tiles - range;
    const float offset = RoundTo(slack / 2, roundTo);
    return offset >= margin && slack - offset >= margin ? offset : slack / 2;
}

}  // namespace

float CModelData::OutlineOverhang() const
{
    float overhang = 0;
    for (int k = 1; k <= nMembers; ++k) {
        const CMember& m = g_pMembers[k];
        if (m.nOffPlane != 0) continue;
        for (int c = 0; c < 4; ++c)
            overhang = std::max({overhang, -m.fCornerX[c], m.fCornerX[c] - fRangeX, -m.fCornerY[c],
                                 m.fCornerY[c] - fRangeY});
    }
    return overhang;
}

void CModelData::LayoutTilesInch() { LayoutTiles(1.0, 2); }

void CModelData::LayoutTilesCm() { LayoutTiles(kCentimetresPerInch, 1); }

// unit: model units per inch; the offsets are rounded to 1/roundTo.
void CModelData::LayoutTiles(double unit, int roundTo)
{
    auto length = [unit](double inches) { return static_cast<float>(inches * unit); };
    const float w = fRangeX + 1, h = fRangeY + 1;
    int cols = 1, rows = 1, orient = kLandscape, paper = kPaperLetter;
    for (const HeightStep& s : kHeightSteps)
        if (h > length(s.over)) orient = s.orient, paper = s.paper, rows = s.rows;
    if (orient == kPortrait) {
        for (int i = 0; i < 6; ++i)
            if (w > length(kPortraitColumnSteps[i])) cols = i + 2;
    } else {
        for (const ColumnStep& s : kLandscapeColumnSteps)
            if (w > length(s.over)) cols = s.cols, paper = s.paper;
    }
    const float pageW = length(7.5), pageH = length(paper == kPaperLegal ? 13 : 10);
    const float tileX = orient == kPortrait ? pageW : pageH;
    const float tileY = orient == kPortrait ? pageH : pageW;
    // Half a unit on every side, or what the sticks' outlines reach beyond
    // the joints and a clearance; a model the table's tiles do not hold so
    // gets more tiles. The clearance leaves 1 mm of paper between an outline
    // and the tile border; beyond the millimetre come the 0.01 in by which
    // the lower border line lies inside the tile, and 3/100 of a unit for
    // the lines' widths and the print's cut to whole hundredths.
    const float clearance = length(1 / kMillimetresPerInch + 0.01) + 0.03f;
    const float margin = std::max(0.5f, OutlineOverhang() + clearance);
    while (cols < kMostTiles && cols * tileX < fRangeX + 2 * margin) ++cols;
    while (rows < kMostTiles && rows * tileY < fRangeY + 2 * margin) ++rows;

    g_nCols = cols;
    g_nRows = rows;
    g_nPageOrient = orient;
    g_nPaperSize = paper;
    g_fPrintablePageW = pageW;
    g_fPrintablePageH = pageH;
    g_fGuidePlaneX = cols * tileX;
    g_fGuidePlaneY = rows * tileY;
    fOffsetX = CentredOffset(g_fGuidePlaneX, fRangeX, margin, roundTo);
    fOffsetY = CentredOffset(g_fGuidePlaneY, fRangeY, margin, roundTo);
}
