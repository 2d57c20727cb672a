#include "planprint/tile_print.h"

#include <cmath>
#include <string>

#include "planprint/model_data.h"
#include "planprint/program.h"
#include "planprint/settings.h"
#include "planprint/tile_view.h"
#include "planprint/units.h"
#include "platform/platform.h"
#include "platform/print_device.h"

namespace {

// Logical units of the sheet (0.01 in or 0.1 mm) per half inch, and the
// whole layout's mapping of a model point to the sheet of the tile printed.
struct SheetMapping {
    float k;  // 1 in English, 2.54 in SI: k x 50 is half an inch
    bool portrait;

    void Map(float x, float y, int& px, int& py) const
    {
        const float margin = k * 50;
        if (portrait) {
            px = static_cast<int>(margin + x - g_fTileOriginX);
            py = static_cast<int>(margin + y - g_fTileOriginY);
        } else {
            // A quarter turn clockwise: model x runs down the sheet.
            px = static_cast<int>(margin + y - g_fTileOriginY);
            py = static_cast<int>(margin + g_fTileOriginX - x);
        }
    }
};

// The logical origin at the sheet's bottom-left corner, y upward.
void PlaceOrigin(platform::PrintDC& dc)
{
    const platform::SheetGeometry sheet = dc.Sheet();
    const double unit = dc.PointsPerUnit();
    dc.SetWindowOrg(static_cast<int>(std::lround(sheet.printableLeft / unit)),
                    static_cast<int>(std::lround((sheet.sheetHeight - sheet.printableTop) / unit)));
}

std::string JobName()
{
    const std::string& path = g_strPrintFilePath;
    return path.empty() ? std::string(kPlanprintTitle) : path.substr(path.rfind('/') + 1);
}

}  // namespace

int TilePageCount() { return g_nCols * g_nRows; }

const platform::Paper& TilePaper()
{
    if (g_nPaperSize == kPaperTabloid) return platform::kPaperTabloid;
    if (g_nPaperSize == kPaperLegal) return platform::kPaperLegal;
    return platform::kPaperLetter;
}

void BeginTilePrinting()
{
    g_nPrintPageCounter = 0;
    g_nPrintCol = g_nPrintRow = 0;
    g_fTileOriginX = g_fTileOriginY = 0;
}

void PrintTilePage(platform::PrintDC& dc, int page)
{
    dc.SetMapMode(g_bEnglishUnits ? platform::MapMode::LoEnglish : platform::MapMode::LoMetric);
    PlaceOrigin(dc);

    const SheetMapping map{g_bEnglishUnits ? 1.0f : kCentimetresPerInchF, g_nPageOrient == kPortrait};
    const float k = map.k;
    const float margin = k * 50;  // rounded to a float first: 127 in SI
    const float w = g_fPrintablePageW * 100, h = g_fPrintablePageH * 100;
    ++g_nPrintPageCounter;
    // The page's own tile, so that a range of pages prints their tiles.
    const int cols = g_nCols > 0 ? g_nCols : 1;
    g_nPrintCol = page % cols == 0 ? cols : page % cols;
    g_nPrintRow = (page + cols - 1) / cols;
    if (map.portrait) {
        g_fTileOriginX = (g_nPrintCol - 1) * w;
        g_fTileOriginY = (g_nPrintRow - 1) * h;
    } else {
        g_fTileOriginX = g_nPrintCol * h;  // the tile's far edge in model x
        g_fTileOriginY = (g_nPrintRow - 1) * w;
    }

    const platform::PrintBrush oldBrush = dc.SelectBrush(platform::PrintBrush{{255, 255, 255}, false});
    const platform::PrintPen oldPen = dc.SelectPen(platform::PrintPen{1, {0, 0, 0}});
    // The clip reaches a little beyond the border so that it prints whole.
    dc.SetClipRect(static_cast<int>(margin), static_cast<int>(h + margin), static_cast<int>(w + k * 51),
                   static_cast<int>(k * 49));
    dc.Rectangle(static_cast<int>(margin), static_cast<int>(k * 51), static_cast<int>(w + margin),
                 static_cast<int>(h + margin));

    // Labels in a fixed-pitch font 0.16 in high; in landscape they run down
    // the sheet, along model x, inside the tile.
    platform::PrintFont font;
    font.height = static_cast<int>(k * 16);
    font.escapement = map.portrait ? 0 : -900;
    font.face = "Monospace";
    const platform::PrintFont oldFont = dc.SelectFont(font);
    if (g_bPrintFileName) {
        if (map.portrait)
            dc.TextOut(static_cast<int>(k * 60), static_cast<int>(k * 75), g_strPrintFilePath);
        else
            dc.TextOut(static_cast<int>(k * 75), static_cast<int>(h + margin - 25), g_strPrintFilePath);
    }

    const float ox = g_pModel->fOffsetX, oy = g_pModel->fOffsetY;
    for (int i = 1; i <= g_pModel->nMembers; ++i) {
        const CMember& m = g_pMembers[i];
        if (m.nOffPlane != 0) continue;
        int px[4], py[4];
        for (int c = 0; c < 4; ++c) {
            const float x = static_cast<float>(static_cast<int>((m.fCornerX[c] + ox) * 100));
            const float y = static_cast<float>(static_cast<int>((m.fCornerY[c] + oy) * 100));
            map.Map(x, y, px[c], py[c]);
        }
        for (int c = 0; c < 4; ++c) {
            dc.MoveTo(px[c], py[c]);
            dc.LineTo(px[(c + 1) % 4], py[(c + 1) % 4]);
        }
    }
    if (g_bPrintMemberNumbers) {
        for (int i = 1; i <= g_pModel->nMembers; ++i) {
            const CMember& m = g_pMembers[i];
            if (m.nOffPlane != 0) continue;
            // A quarter of the way from the first end to the second.
            const float ax = (m.fPlaneXA + ox) * 100, ay = (m.fPlaneYA + oy) * 100;
            const float bx = (m.fPlaneXB + ox) * 100, by = (m.fPlaneYB + oy) * 100;
            const float lx = static_cast<float>(static_cast<int>(ax + (bx - ax) / 4));
            const float ly = static_cast<float>(static_cast<int>(ay + (by - ay) / 4));
            int px, py;
            map.Map(lx, ly, px, py);
            dc.TextOut(px, py, std::to_string(i));
        }
    }
    dc.SelectFont(oldFont);
    dc.SelectPen(oldPen);
    dc.SelectBrush(oldBrush);
    dc.ClearClip();
}

void PrintTiles()
{
    platform::PrintDialogRequest request;
    request.jobName = JobName();
    request.paper = &TilePaper();
    // The sheet always stands upright; landscape tiles turn on it.
    request.orientation = platform::Orientation::Portrait;
    platform::PrintTarget target;
    if (!platform::PrintDialog(request, target)) return;
    BeginTilePrinting();
    const platform::PrintOutcome outcome = platform::RunPrintJob(
        target, request.jobName, TilePageCount(), [](platform::PrintDC& dc, int page) { PrintTilePage(dc, page); });
    std::string why;
    if (outcome.status == platform::PrintStatus::Failed)
        why = outcome.error;
    else if (outcome.status == platform::PrintStatus::NoPageInRange)
        why = "The pages chosen hold no tile: the layout has " + std::to_string(TilePageCount()) + " pages.";
    if (!why.empty())
        platform::MessageBox(why, kPlanprintTitle, platform::MB_OK | platform::MB_ICONEXCLAMATION);
}
