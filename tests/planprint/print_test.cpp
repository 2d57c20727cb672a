// Tiled printing through the PDF print device, measured with poppler's tools.
#include "planprint/frame_commands.h"
#include "planprint/tile_print.h"
#include "planprint/tile_setup.h"
#include "planprint_test.h"
#include "platform/print_device.h"
#include "tests/common/pdf_tools.h"

namespace {

constexpr double kPt = 72;  // points per inch

class PrintTest : public PlanprintTest {
protected:
    // Imports a model as File/Import does and prints it to a PDF.
    std::string ImportAndPrint(const std::string& model, const platform::PrintChoice& choice = {})
    {
        backend.ScriptFiles({model});
        EXPECT_TRUE(ImportModelFile3d());
        return Print(choice);
    }
    std::string Print(const platform::PrintChoice& choice = {})
    {
        const std::string pdf = folder + "/tiles.pdf";
        backend.ScriptPrintToPdf(pdf, choice);
        PrintTiles();
        return pdf;
    }
};

}  // namespace

// The tower on one portrait Legal tile, its model offset (2, 0.5) in.
TEST_F(PrintTest, TowerPrintsAtFullScaleOnItsPaper)
{
    const std::string pdf = ImportAndPrint(Example("tower.3dd"));
    const PdfInfo info = ReadPdfInfo(pdf);
    EXPECT_TRUE(info.pages == 1 && info.widthPt == 612 && info.heightPt == 1008) << info.pages;
    EXPECT_EQ(backend.printRequests[0].paper, &platform::kPaperLegal);
    EXPECT_EQ(info.title, "tower.3dd");

    const PdfRaster r = RasterisePdfPage(pdf, 1, 144);
    const double s = r.Scale();
    auto fromTop = [](double inchesUp) { return 1008 - inchesUp * kPt; };
    // The border: 0.5 in from the left, 0.51 in up, 7.5 x 12.99 in.
    int left = 0, top = 0, right = 0, bottom = 0;
    ASSERT_TRUE(r.DarkBox(0, 0, r.width - 1, r.height - 1, &left, &top, &right, &bottom));
    EXPECT_NEAR(left / s, 0.5 * kPt, 1);
    EXPECT_NEAR(right / s, 8.0 * kPt, 1);
    EXPECT_NEAR(bottom / s, fromTop(0.51), 1);
    EXPECT_NEAR(top / s, fromTop(13.5), 1);
    // Leg 6, 5/16 in wide, 12 5/16 in long: its sides at 2.34 and 2.65 in
    // (2 - 5/32 and 2 + 5/32 in, truncated to hundredths, plus the margin).
    const int row = static_cast<int>(fromTop(6) * s);
    EXPECT_NEAR(r.RunCentreInRow(row, 2.34 * kPt), 2.34 * kPt, 0.6);
    EXPECT_NEAR(r.RunCentreInRow(row, 2.65 * kPt), 2.65 * kPt, 0.6);
    const int column = static_cast<int>(2.5 * kPt * s);  // through the leg
    EXPECT_NEAR(r.RunCentreInColumn(column, fromTop(0.84)), fromTop(0.84), 0.6);
    EXPECT_NEAR(r.RunCentreInColumn(column, fromTop(13.15)), fromTop(13.15), 0.6);
    // Labels: the file path at the tile's lower left, member 6 a quarter of
    // the way up its leg (2.5 in, 4 in), nothing for members out of the plane.
    const std::vector<PdfWord> words = ReadPdfWords(pdf);
    const PdfWord path = FindPdfWord(words, Example("tower.3dd"));
    EXPECT_NEAR(path.xMin, 0.6 * kPt, 1);
    EXPECT_NEAR(path.yMin, fromTop(0.75), 3);
    const PdfWord six = FindPdfWord(words, "6");
    EXPECT_NEAR(six.xMin, 2.5 * kPt, 1);
    EXPECT_NEAR(six.yMin, fromTop(4), 3);
    EXPECT_LT(six.yMax - six.yMin, 0.2 * kPt);
    EXPECT_EQ(FindPdfWord(words, "1").page, 0);
    EXPECT_EQ(words.size(), 6u);  // the path and members 3, 6, 8, 14, 15
}

// The metric truss on two landscape Letter tiles: model x runs down the
// sheet, the labels inside the tile.
TEST_F(PrintTest, LandscapeTilesInCentimetres)
{
    const std::string pdf = ImportAndPrint(Example("metric_truss.3dd"));
    const PdfInfo info = ReadPdfInfo(pdf);
    EXPECT_TRUE(info.pages == 2 && info.widthPt == 612 && info.heightPt == 792);
    // Lines 0.1 mm wide show at 288 dots per inch.
    const double mm = kPt / 25.4;
    for (int page = 1; page <= 2; ++page) {
        const PdfRaster r = RasterisePdfPage(pdf, page, 288);
        int left = 0, top = 0, right = 0, bottom = 0;
        ASSERT_TRUE(r.DarkBox(0, 0, r.width - 1, r.height - 1, &left, &top, &right, &bottom));
        EXPECT_NEAR(left / r.Scale(), 12.7 * mm, 0.5) << page;             // 127 units
        EXPECT_NEAR(right / r.Scale(), (12.7 + 190.4) * mm, 0.5) << page;  // 19.05 cm, in whole tenths of a mm
        // The lower edge (129 units) where no member crosses it.
        const int column = static_cast<int>(30 * mm * r.Scale());
        EXPECT_NEAR(r.RunCentreInColumn(column, 792 - 12.9 * mm), 792 - 12.9 * mm, 0.5) << page;
    }
    // Chord 1 of page 1, from model (0, 0) to (10, 0) at offset (5, 6) cm,
    // 0.635 cm deep: across the sheet from 69.5 to 75.8 mm (hundredths of a
    // cm, truncated), along it from 254 mm down.
    const PdfRaster r = RasterisePdfPage(pdf, 1, 288);
    const int row = static_cast<int>((792 - 166.7 * mm) * r.Scale());
    EXPECT_NEAR(r.RunCentreInRow(row, 69.5 * mm), 69.5 * mm, 0.5);
    EXPECT_NEAR(r.RunCentreInRow(row, 75.8 * mm), 75.8 * mm, 0.5);
    // Its label runs down the sheet from near the top of the tile.
    const std::vector<PdfWord> words = ReadPdfWords(pdf);
    const PdfWord path = FindPdfWord(words, Example("metric_truss.3dd"), 1);
    ASSERT_EQ(path.page, 1);
    EXPECT_GT(path.yMax - path.yMin, 5 * (path.xMax - path.xMin));
    EXPECT_GT(path.xMin, 12.7 * mm);
    EXPECT_GT(path.yMin, 792 - (12.7 + 254) * mm);
    EXPECT_LT(path.yMax, 792 - 12.7 * mm);
    // Members 1 to 3 of the lower chord start on page 1; 4 starts on page 2.
    EXPECT_EQ(FindPdfWord(words, "1").page, 1);
    EXPECT_EQ(FindPdfWord(words, "4").page, 2);
}

// A rectangular frame of thick sticks whose tiles leave little room: on the
// sheet every outline keeps 1 mm or more from the tile border on each side.
TEST_F(PrintTest, ThickSticksKeepClearOfTheBorder)
{
    struct Case {
        const char* name;
        bool english;
        float width, height, stick;
        int orient;
    };
    const Case cases[] = {
        // 1 in sticks: the outline reaches as far beyond the joints as half
        // an inch, the margin the joints keep anyway
        {"inch.3dd", true, 6.34f, 8.84f, 1, kPortrait},
        // 1/2 in sticks in centimetres, on a landscape tile
        {"cm.3dd", false, 23.8f, 17.45f, 1.27f, kLandscape},
    };
    g_bPrintFileName = g_bPrintMemberNumbers = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        char text[1024];
        std::snprintf(text, sizeof text,
                      "Trussforge3D\n4.000000\n1 1 4 4 %d\n"
                      "1 0 0 0 0 0 0 0 0 0 0 0\n2 %g 0 0 0 0 0 0 0 0 0 0\n"
                      "3 %g %g 0 0 0 0 0 0 0 0 0\n4 0 %g 0 0 0 0 0 0 0 0 0\n"
                      "1 1 2 0 0 0 0 0 0 1 1 0 0 1 1 1 1 1 0.5 0.5 0.5\n"
                      "2 2 3 0 0 0 0 0 0 1 1 0 0 1 1 1 1 1 0.5 0.5 0.5\n"
                      "3 3 4 0 0 0 0 0 0 1 1 0 0 1 1 1 1 1 0.5 0.5 0.5\n"
                      "4 4 1 0 0 0 0 0 0 1 1 0 0 1 1 1 1 1 0.5 0.5 0.5\n"
                      "1 0 0 0 0 0 0 0 0 0\n2 0 0 0 0 0 0 0 0 0\n3 0 0 0 0 0 0 0 0 0\n4 0 0 0 0 0 0 0 0 0\n"
                      "1\nThick\n0 0 %g %g 1\n0 0 0 0 0 0\n"
                      "1\nWood\n0.5 0.5 0.5\n0 1 1 1\n1 1 1 1\n",
                      c.english ? 0 : 1, c.width, c.width, c.height, c.height, c.stick, c.stick);
        const std::string pdf = ImportAndPrint(Write(c.name, text));
        ASSERT_EQ(ReadPdfInfo(pdf).pages, 1);
        EXPECT_EQ(g_nPageOrient, c.orient);
        // The import outlined the sticks before laying the tiles out for them.
        for (int k = 1; k <= 4; ++k)
            for (int i = 0; i < 4; ++i) {
                const float x = g_pMembers[k].fCornerX[i] + g_pModel->fOffsetX;
                const float y = g_pMembers[k].fCornerY[i] + g_pModel->fOffsetY;
                EXPECT_TRUE(x > 0 && y > 0 && x < g_fGuidePlaneX && y < g_fGuidePlaneY)
                    << "member " << k << ", corner " << i + 1 << " at " << x << ", " << y;
            }
        const PdfRaster r = RasterisePdfPage(pdf, 1, 288);
        int left = 0, top = 0, right = 0, bottom = 0;
        ASSERT_TRUE(r.DarkBox(0, 0, r.width - 1, r.height - 1, &left, &top, &right, &bottom));
        // From the middle of the tile out to each side the lines crossed are
        // the stick's inner edge, its outer edge and the border: the first
        // and last pixel of each.
        const int steps[4][2] = {{-1, 0}, {0, -1}, {1, 0}, {0, 1}};
        const double mm = kPt / 25.4 * r.Scale();
        for (const auto& step : steps) {
            std::vector<std::pair<int, int>> runs;
            int at = 0, from = -1;
            for (int x = (left + right) / 2, y = (top + bottom) / 2; x >= 0 && y >= 0 && x < r.width && y < r.height;
                 x += step[0], y += step[1], ++at) {
                if (r.Dark(x, y) && from < 0) from = at;
                if (!r.Dark(x, y) && from >= 0) runs.push_back({from, at - 1}), from = -1;
            }
            ASSERT_EQ(runs.size(), 3u) << step[0] << " " << step[1];
            // 1 mm of paper (to a pixel) between the outline and the border.
            EXPECT_GE(runs[2].first - runs[1].second - 1, mm - 1) << step[0] << " " << step[1];
            // The stick whole: its two edges a stick's width apart.
            const double unit = c.english ? kPt : kPt / 2.54;
            EXPECT_NEAR(runs[1].first - runs[0].first, c.stick * unit * r.Scale(), 2) << step[0] << " " << step[1];
        }
        backend.Clear();
    }
}

TEST_F(PrintTest, PageRangesPrintTheirOwnTiles)
{
    platform::PrintChoice second;
    second.ranges = {{2, 2}};
    const std::string pdf = ImportAndPrint(Example("metric_truss.3dd"), second);
    EXPECT_EQ(ReadPdfInfo(pdf).pages, 1);
    const std::vector<PdfWord> words = ReadPdfWords(pdf);
    EXPECT_EQ(FindPdfWord(words, "4").page, 1);
    EXPECT_EQ(FindPdfWord(words, "1").page, 0);
    EXPECT_TRUE(g_nPrintCol == 2 && g_nPrintRow == 1 && g_nPrintPageCounter == 1);
    // A range beyond the layout prints nothing and says so.
    second.ranges = {{5, 9}};
    Print(second);
    ASSERT_EQ(backend.Boxes().size(), 1u);
    EXPECT_EQ(backend.Boxes()[0].text, "The pages chosen hold no tile: the layout has 2 pages.");
}

// The largest coordinates and shape a reader takes still convert to whole
// hundredths on every tile (the sanitized build checks the conversions).
TEST_F(PrintTest, ModelAtThePrintableLimitPrints)
{
    const std::string model = Write("far.3dd",
                                    "Trussforge3D\n4.000000\n1 1 2 1 0\n"
                                    "1 -1000000 -1000000 1000000 0 0 0 0 0 0 0 0\n"
                                    "2 1000000 1000000 1000000 0 0 0 0 0 0 0 0\n"
                                    "1 1 2 0 0 0 0 0 0 1 1 0 0 1 1 1 1 1 0.5 0.5 0.5\n"
                                    "1 0 0 0 0 0 0 0 0 0\n2 0 0 0 0 0 0 0 0 0\n"
                                    "1\nHuge\n0 0 -1000000 1 1\n0 0 0 0 0 0\n"
                                    "1\nWood\n0.5 0.5 0.5\n0 1 1 1\n1 1 1 1\n");
    g_bPrintMemberNumbers = 1;
    const std::string pdf = ImportAndPrint(model, {{{1, 1}, {55, 55}, {100, 100}}});
    EXPECT_TRUE(g_nCols == 10 && g_nRows == 10 && backend.Boxes().empty());
    EXPECT_EQ(ReadPdfInfo(pdf).pages, 3);
}

TEST_F(PrintTest, TileOriginsAndPaperCodes)
{
    std::unique_ptr<platform::PrintDC> dc =
        platform::CreatePdfPrintDC(folder + "/one.pdf", platform::kPaperLegal, platform::Orientation::Portrait);
    BeginTilePrinting();
    // Two by two portrait Letter tiles: along a row first; page 3 starts the second row.
    ApplyTileSetup({kPortrait, kPaperLetter, 2, 2, 0, 0});
    const int tiles[5][2] = {{}, {1, 1}, {2, 1}, {1, 2}, {2, 2}};
    for (int page = 1; page <= 4; ++page) {
        PrintTilePage(*dc, page);
        EXPECT_TRUE(g_nPrintCol == tiles[page][0] && g_nPrintRow == tiles[page][1]) << page;
    }
    EXPECT_TRUE(g_fTileOriginX == 750 && g_fTileOriginY == 1000 && g_nPrintPageCounter == 4);
    // Landscape, one column: the origin is the tile's far edge in model x.
    ApplyTileSetup({kLandscape, kPaperLegal, 1, 1, 0, 0});
    PrintTilePage(*dc, 1);
    EXPECT_TRUE(g_fTileOriginX == 1300 && g_fTileOriginY == 0);
    // Tabloid and an unknown code: their paper.
    g_nPaperSize = kPaperTabloid;
    EXPECT_EQ(&TilePaper(), &platform::kPaperTabloid);
    g_nPaperSize = 2;
    EXPECT_EQ(&TilePaper(), &platform::kPaperLetter);
}

TEST_F(PrintTest, WithoutAModelBordersOnlyAndFailuresSayWhy)
{
    const std::string pdf = Print();
    EXPECT_EQ(ReadPdfInfo(pdf).pages, 1);
    EXPECT_TRUE(ReadPdfWords(pdf).empty());
    const PdfRaster r = RasterisePdfPage(pdf, 1, 72);
    int left = 0, top = 0, right = 0, bottom = 0;
    EXPECT_TRUE(r.DarkBox(0, 0, r.width - 1, r.height - 1, &left, &top, &right, &bottom) && left == 36);
    // A PDF that cannot be written: the job fails with a box that says why.
    backend.ScriptPrintToPdf(folder + "/no/such/folder/tiles.pdf");
    PrintTiles();
    ASSERT_EQ(backend.Boxes().size(), 1u);
    EXPECT_FALSE(backend.Boxes()[0].text.empty());
    // Cancelled in the dialog: nothing.
    backend.Clear();
    PrintTiles();
    EXPECT_TRUE(backend.Boxes().empty());
}
