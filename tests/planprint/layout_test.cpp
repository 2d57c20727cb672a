// The automatic tile layout, and the model outlines it prints.
#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

#include "planprint/outline.h"
#include "planprint/tile_print.h"
#include "planprint_test.h"
#include "platform/print_device.h"

using LayoutTest = PlanprintTest;


// Model ranges (width x, height y, units) to columns, rows, orientation,
// paper and guide plane; the model always fits on the tiles.
TEST_F(LayoutTest, ChoosesTilesThatHoldTheModel)
{
    struct Case {
        float rangeX, rangeY;
        bool english;
        int cols, rows, orient, paper;
        float guideX, guideY, offsetX, offsetY;
    };
    const int P = kPortrait, L = kLandscape, LT = kPaperLetter, LG = kPaperLegal;
    const Case cases[] = {
        // the worked example: 12 x 5 in gives w = 13, h = 6
        {12, 5, true, 1, 1, L, LG, 13, 7.5f, 0.5f, 1.5f},
        {5, 5, true, 1, 1, L, LT, 10, 7.5f, 2.5f, 1.5f},
        {5, 8, true, 1, 1, P, LT, 7.5f, 10, 1.5f, 1.0f},
        {5, 13, true, 1, 2, L, LT, 10, 15, 2.5f, 1.0f},
        {5, 20, true, 1, 3, L, LT, 10, 22.5f, 2.5f, 1.5f},
        {30, 10, true, 5, 1, P, LG, 37.5f, 13, 4.0f, 1.5f},
        {38, 3, true, 4, 1, L, LT, 40, 7.5f, 1.0f, 2.5f},
        // beyond the table: a 48 in workspace, and a model taller than 30 in
        {48, 3, true, 5, 1, L, LT, 50, 7.5f, 1.0f, 2.5f},
        {60, 3, true, 7, 1, L, LT, 70, 7.5f, 5.0f, 2.5f},
        {5, 40, true, 1, 5, P, LT, 7.5f, 50, 1.5f, 5.0f},
        {100, 3, true, 10, 1, L, LT, 100, 7.5f, 0, 2.5f},
        // centimetres: the metric truss, and a 120 cm workspace
        {40, 8, false, 2, 1, L, LT, 50.8f, 19.05f, 5, 6},
        {20, 20, false, 2, 1, P, LT, 38.1f, 25.4f, 9, 3},
        {120, 120, false, 7, 5, P, LT, 133.35f, 127, 7, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rangeX << " x " << c.rangeY << (c.english ? " in" : " cm"));
        g_pModel->fRangeX = c.rangeX;
        g_pModel->fRangeY = c.rangeY;
        c.english ? g_pModel->LayoutTilesInch() : g_pModel->LayoutTilesCm();
        EXPECT_TRUE(g_nCols == c.cols && g_nRows == c.rows && g_nPageOrient == c.orient && g_nPaperSize == c.paper)
            << g_nCols << " " << g_nRows << " " << g_nPageOrient << " " << g_nPaperSize;
        EXPECT_NEAR(g_fGuidePlaneX, c.guideX, 1e-4);
        EXPECT_NEAR(g_fGuidePlaneY, c.guideY, 1e-4);
        EXPECT_TRUE(g_pModel->fOffsetX == c.offsetX && g_pModel->fOffsetY == c.offsetY)
            << g_pModel->fOffsetX << " " << g_pModel->fOffsetY;
        EXPECT_GE(g_fGuidePlaneX, std::fmin(c.rangeX + 1, 100));
        EXPECT_GE(g_fGuidePlaneY, c.rangeY + 1);
    }
}

namespace {

// The sheet as the tile printing draws it: the border, the pen, and how near
// the lines' ends come to each side, in logical units.
class SheetRecorder : public platform::PrintDC {
public:
    bool StartDoc(const std::string&) override { return true; }
    bool StartPage() override { return true; }
    bool EndPage() override { return true; }
    bool EndDoc() override { return true; }
    void AbortDoc() override {}
    std::string Error() const override { return ""; }
    platform::SheetGeometry Sheet() const override { return platform::WholeSheet(platform::kPaperLetter, {}); }
    double PointsPerUnit() const override { return 0.72; }
    void SetMapMode(platform::MapMode) override {}
    void SetWindowOrg(int, int) override {}
    void SetClipRect(int, int, int, int) override {}
    void ClearClip() override {}
    platform::PrintPen SelectPen(const platform::PrintPen& p) override { return std::exchange(pen, p); }
    platform::PrintBrush SelectBrush(const platform::PrintBrush& b) override { return b; }
    platform::PrintFont SelectFont(const platform::PrintFont& f) override { return f; }
    void MoveTo(int x, int y) override { Reach(x, y); }
    void LineTo(int x, int y) override { Reach(x, y); }
    void Rectangle(int x1, int y1, int x2, int y2) override
    {
        border[0] = std::min(x1, x2), border[1] = std::min(y1, y2);
        border[2] = std::max(x1, x2), border[3] = std::max(y1, y2);
    }
    void TextOut(int, int, const std::string&) override {}
    void DrawImage(const unsigned char*, int, int, int, int, int, int) override {}

    // The paper left white between the border and the nearest line on the
    // left, bottom, right and top, the pen's width taken off.
    int White(int side) const
    {
        const int apart = side < 2 ? ends[side] - border[side] : border[side] - ends[side];
        return apart - pen.width;
    }
    void Clear() { ends[0] = ends[1] = INT_MAX, ends[2] = ends[3] = INT_MIN; }

private:
    void Reach(int x, int y)
    {
        ends[0] = std::min(ends[0], x), ends[1] = std::min(ends[1], y);
        ends[2] = std::max(ends[2], x), ends[3] = std::max(ends[3], y);
    }
    platform::PrintPen pen;
    int border[4] = {}, ends[4] = {};
};

}  // namespace

// A frame of sticks on every width and height, printed: on every sheet at
// least 1 mm of paper lies between the outlines and each side of the border
// that is an edge of the whole layout, and every joint lies half a unit or
// more inside the tiled area; both orientations come up in each sweep.
TEST_F(LayoutTest, EveryStickLiesOnTheTilesWithRoomToSpare)
{
    struct Sweep {
        bool english;
        float stick, fixed, upTo, step;
    };
    const Sweep sweeps[] = {{false, 0.635f, 18, 110, 0.1f}, {false, 1.27f, 18, 110, 0.1f},
                            {true, 0.25f, 7, 45, 0.05f},    {true, 1.5f, 7, 45, 0.05f}};
    g_pModel->nJoints = 4, g_pModel->nMembers = 5;
    g_pSections[2].fHeight = 0;
    const int ends[6][2] = {{}, {1, 2}, {2, 3}, {3, 4}, {4, 1}, {1, 3}};
    for (int k = 1; k <= 5; ++k) {
        g_pMembers[k] = CMember();
        g_pMembers[k].nJointA = ends[k][0], g_pMembers[k].nJointB = ends[k][1], g_pMembers[k].nSection = 2;
    }
    SheetRecorder sheet;
    int failures = 0;
    for (const Sweep& s : sweeps) {
        const double mm = s.english ? 1 / 0.254 : 10;  // logical units
        bool orientSeen[3] = {};
        for (int across = 0; across < 2; ++across)
            for (float v = 0; v <= s.upTo && failures < 5; v += s.step) {
                const float w = across ? v : s.fixed, h = across ? s.fixed : v;
                const float xy[5][2] = {{}, {0, 0}, {w, 0}, {w, h}, {0, h}};
                for (int j = 1; j <= 4; ++j) g_pJoints[j].x = xy[j][0], g_pJoints[j].y = xy[j][1];
                g_pSections[2].fHeight = s.stick;
                for (int k = 1; k <= 5; ++k) ComputeMemberOutline(k);
                g_pModel->fRangeX = w, g_pModel->fRangeY = h;
                SetEnglishUnits(s.english);
                s.english ? g_pModel->LayoutTilesInch() : g_pModel->LayoutTilesCm();
                const float ox = g_pModel->fOffsetX, oy = g_pModel->fOffsetY;
                const bool portrait = g_nPageOrient == kPortrait;
                orientSeen[g_nPageOrient] = true;
                bool ok = ox >= 0.5f && oy >= 0.5f && w + ox <= g_fGuidePlaneX - 0.5f && h + oy <= g_fGuidePlaneY - 0.5f;
                int white[4] = {INT_MAX, INT_MAX, INT_MAX, INT_MAX};
                for (int page = 1; page <= TilePageCount(); ++page) {
                    sheet.Clear();
                    PrintTilePage(sheet, page);
                    const int c = g_nPrintCol, r = g_nPrintRow, cols = g_nCols, rows = g_nRows;
                    // Which sides of this sheet are edges of the layout: left,
                    // bottom, right, top (landscape: model x runs down the sheet).
                    const bool outer[4] = {portrait ? c == 1 : r == 1, portrait ? r == 1 : c == cols,
                                           portrait ? c == cols : r == rows, portrait ? r == rows : c == 1};
                    for (int side = 0; side < 4; ++side)
                        if (outer[side]) white[side] = std::min(white[side], sheet.White(side));
                }
                for (int side : white) ok = ok && side >= mm;
                if (!ok) {
                    ++failures;
                    ADD_FAILURE() << w << " x " << h << (s.english ? " in" : " cm") << ", sticks " << s.stick
                                  << ": offset " << ox << ", " << oy << " on " << g_fGuidePlaneX << " x "
                                  << g_fGuidePlaneY << (portrait ? " portrait" : " landscape") << "; paper left white "
                                  << white[0] << ", " << white[1] << ", " << white[2] << ", " << white[3]
                                  << " units on the sheets' left, bottom, right and top";
                }
            }
        EXPECT_TRUE(failures > 0 || (orientSeen[kPortrait] && orientSeen[kLandscape])) << s.stick;
    }
}

namespace {

// One member between two joints in section 2 of a table whose height is 2h.
const CMember& Outline(float x1, float y1, float x2, float y2, float h)
{
    g_pModel->nJoints = 2;
    g_pModel->nMembers = 1;
    g_pJoints[1].x = x1, g_pJoints[1].y = y1;
    g_pJoints[2].x = x2, g_pJoints[2].y = y2;
    g_pSections[2].fHeight = 2 * h;
    CMember& m = g_pMembers[1];
    m.nJointA = 1, m.nJointB = 2, m.nSection = 2;
    ComputeMemberOutline(1);
    ComputeEdgeMidpoints(1);
    return m;
}

}  // namespace

TEST_F(LayoutTest, OutlineCornersFromTheMembersDirection)
{
    struct Case {
        float x1, y1, x2, y2, h;
        int kind;
        double length, angle;
        float cx[4], cy[4];
    };
    const double half = static_cast<float>(M_PI) / 2.0;
    const Case cases[] = {
        // horizontal: the printed stick is 4.25 long
        {0, 0, 4, 0, 0.125f, 2, 4, 0, {-0.125f, -0.125f, 4.125f, 4.125f}, {0.125f, -0.125f, -0.125f, 0.125f}},
        // vertical, ordered bottom first
        {2, 5, 2, 1, 0.25f, 1, 4, half, {1.75f, 2.25f, 2.25f, 1.75f}, {0.75f, 0.75f, 5.25f, 5.25f}},
        // rising 3-4-5: E2 = (3.3, 4.4), 6 long and 1 wide
        {0, 0, 3, 4, 0.5f, 3, 5, std::atan(4.0 / 3), {-0.7f, 0.1f, 3.7f, 2.9f}, {-0.1f, -0.7f, 4.1f, 4.7f}},
        // the same member given from its other end
        {3, 4, 0, 0, 0.5f, 3, 5, std::atan(4.0 / 3), {-0.7f, 0.1f, 3.7f, 2.9f}, {-0.1f, -0.7f, 4.1f, 4.7f}},
        // falling
        {0, 4, 3, 0, 0.5f, 4, 5, std::atan(-4.0 / 3), {0.1f, -0.7f, 2.9f, 3.7f}, {4.7f, 4.1f, -0.7f, -0.1f}},
        // coinciding ends: a square of side 2h
        {1, 1, 1, 1, 0.5f, 1, 0, half, {0.5f, 1.5f, 1.5f, 0.5f}, {0.5f, 0.5f, 1.5f, 1.5f}},
        // nearly vertical: the corners stay half a width from the ends
        {0, 0, 1e-6f, 10, 0.125f, 3, 10, std::atan(1e7), {-0.125f, 0.125f, 0.125f, -0.125f},
         {-0.125f, -0.125f, 10.125f, 10.125f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "(" << c.x1 << ", " << c.y1 << ") to (" << c.x2 << ", " << c.y2 << ")");
        const CMember& m = Outline(c.x1, c.y1, c.x2, c.y2, c.h);
        EXPECT_EQ(m.nOutlineKind, c.kind);
        EXPECT_NEAR(m.dLength, c.length, 1e-5);
        EXPECT_NEAR(m.dAngle, c.angle, 1e-6);
        EXPECT_EQ(m.fHalfWidth, c.h);
        for (int i = 0; i < 4; ++i) {
            EXPECT_NEAR(m.fCornerX[i], c.cx[i], 1e-5) << "corner " << i + 1;
            EXPECT_NEAR(m.fCornerY[i], c.cy[i], 1e-5) << "corner " << i + 1;
            const int j = (i + 1) % 4;
            EXPECT_NEAR(m.fEdgeMidX[i], (c.cx[i] + c.cx[j]) / 2, 1e-5);
        }
    }
    // The 3-4-5 member's edges: its ends across it (slope -3/4), its sides along it.
    const CMember& m = Outline(0, 0, 3, 4, 0.5f);
    EXPECT_NEAR(m.fEdgeSlope[0], -0.75, 1e-6);
    EXPECT_NEAR(m.fEdgeSlope[1], 4.0 / 3, 1e-6);
    EXPECT_NEAR(m.fEdgeIntercept[2], 4.4 + 0.75 * 3.3, 1e-5);  // through E2
    EXPECT_NEAR(m.fEdgeIntercept[3], 4.7 - 4.0 / 3 * 2.9, 1e-5);  // through corner 4
    // Axis-parallel edges keep their constant coordinate.
    const CMember& v = Outline(2, 5, 2, 1, 0.25f);
    EXPECT_TRUE(v.fEdgeIntercept[0] == 0.75f && v.fEdgeIntercept[1] == 2.25f && v.fEdgeIntercept[2] == 5.25f &&
                v.fEdgeIntercept[3] == 1.75f && v.fEdgeSlope[1] == 0);
}

TEST_F(LayoutTest, MembersOutOfThePlaneKeepTheirOutlineAndSelectionClears)
{
    const CMember& m = Outline(0, 0, 4, 0, 0.125f);
    g_pMembers[1].nOffPlane = 2;
    Outline(0, 0, 9, 9, 0.5f);
    EXPECT_TRUE(m.nOutlineKind == 2 && m.fCornerX[2] == 4.125f && m.fPlaneXB == 4);
    g_pMembers[1].nEndMark[1] = 2;
    g_pMembers[1].nEndMark[2] = 1;
    ClearEndSelection();
    EXPECT_TRUE(m.nEndMark[0] == 0 && m.nEndMark[1] == 1 && m.nEndMark[2] == 1);
}
