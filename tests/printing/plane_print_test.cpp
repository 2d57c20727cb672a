#include "printing/plane_print.h"

#include <unistd.h>

#include <array>
#include <cmath>

#include "files/clear_model.h"
#include "files/model_file.h"
#include "frame/file_commands.h"
#include "frame/print_commands.h"
#include "model/tables.h"
#include "state/frame_globals.h"
#include "state/printing_globals.h"
#include "state/view_globals.h"
#include "tests/common/pdf_tools.h"
#include "tests/common/test_env.h"
#include "tests/common/test_files.h"

using platform::Event;

namespace {

class PlanePrintTest : public Tf3dTest {
protected:
    TempFolder dir{"plane_print"};
    const std::string pdf = dir / "plane.pdf";

    void SetUp() override
    {
        Tf3dTest::SetUp();
        g_nJoints = g_nMembers = 0;
        g_fGuidePlaneX = g_fGuidePlaneY = g_fGuidePlaneZ = 0;
        Shape(1, 0.25f, 0.25f, 0);
    }
    static void Shape(int row, float width, float height, float spacing)
    {
        g_Shapes[row].width = width, g_Shapes[row].height = height, g_Shapes[row].spacing = spacing;
    }
    int Joint(float x, float y, float z, short mark = 0)
    {
        JointRec& j = g_Joints[++g_nJoints] = JointRec();
        j.x = x, j.y = y, j.z = z, j.mark = mark;
        return g_nJoints;
    }
    int Bar(int a, int b, short shape = 1, float roll = 0)
    {
        MemberRec& m = g_Members[++g_nMembers] = MemberRec();
        m.jointA = a, m.jointB = b, m.shape = shape, m.rollAngle = roll;
        return g_nMembers;
    }
    // Runs a print that the dialog sends to the PDF file.
    PdfInfo Print(void (*print)(), const platform::PrintChoice& choice = {})
    {
        unlink(pdf.c_str());
        backend.ScriptPrintToPdf(pdf, choice);
        print();
        return ReadPdfInfo(pdf);
    }
    // A page point in device points, from the page frame's origin.
    static std::array<double, 2> Device(int x, int y, bool cm = false)
    {
        return cm ? std::array<double, 2>{(x + 190) * 72 / 254.0, (2616 - y) * 72 / 254.0}
                  : std::array<double, 2>{(x + 75) * 0.72, (1030 - y) * 0.72};
    }
    // A joint cross: all four arms dark 1.5 pt from its centre (to within a point across them).
    static bool CrossAt(const PdfRaster& r, std::array<double, 2> p)
    {
        const double s = r.Scale();
        auto dark = [&](double dx, double dy) {
            for (double d = -1; d <= 1; d += 0.5)
                if (r.Dark(int((p[0] + dx + (dx ? 0 : d)) * s), int((p[1] + dy + (dy ? 0 : d)) * s))) return true;
            return false;
        };
        return dark(-1.5, 0) && dark(1.5, 0) && dark(0, -1.5) && dark(0, 1.5);
    }
    std::string LastBox() const { return backend.Boxes().empty() ? "" : backend.Boxes().back().text; }

    // What the last print of a plane left off its pages: the joints of the
    // slab whose cross is not drawn whole on any page, and the members of the
    // slab whose number is on no page ("" when all are there).
    std::string MissingFromPages(PlaneKind plane, float slab = 0.5f)
    {
        const PdfInfo info = ReadPdfInfo(pdf);
        PlanePageMap map;
        map.plane = plane;
        map.landscape = g_bTileLandscape != 0;
        int down = 1;
        switch (plane) {
        case PLANE_XY:
            map.origin1 = g_fTilesXYOriginX, map.origin2 = g_fTilesXYOriginY;
            map.across = g_nTilesAcrossXY, down = g_nTilesDownXY;
            break;
        case PLANE_XZ:
            map.origin1 = g_fTilesXZOriginX, map.origin2 = g_fTilesXZOriginZ;
            map.across = g_nTilesAcrossXZ, down = g_nTilesDownXZ;
            break;
        default:
            map.origin1 = g_fTilesYZOriginZ, map.origin2 = g_fTilesYZOriginY;
            map.across = g_nTilesAcrossYZ, down = g_nTilesDownYZ;
            break;
        }
        map.width = g_bMetricUnits ? 1778 : 700, map.height = g_bMetricUnits ? 2540 : 1000;
        if (info.pages != map.across * down) return "pages " + std::to_string(info.pages);
        std::vector<PdfRaster> pages;
        for (int p = 1; p <= info.pages; ++p) pages.push_back(RasterisePdfPage(pdf, p, 144));
        const std::vector<PdfWord> words = ReadPdfWords(pdf);
        auto inSlab = [&](int j) {
            const JointRec& r = g_Joints[j];
            return plane == PLANE_XY   ? std::fabs(r.z - g_fGuidePlaneZ) < slab
                   : plane == PLANE_XZ ? std::fabs(r.y - g_fGuidePlaneY) < slab
                                       : std::fabs(r.x - g_fGuidePlaneX) < slab;
        };
        std::string missing;
        for (int j = 1; j <= g_nJoints; ++j) {
            if (!inSlab(j)) continue;
            float u, v;
            PlaneCoordinates(plane, g_Joints[j], &u, &v);
            bool found = false;
            for (int p = 0; p < info.pages && !found; ++p) {
                int x, y;
                MapToPage(map, u, v, p / down + 1, p % down + 1, &x, &y);
                found = x >= 12 && y >= 12 && x <= map.width - 12 && y <= map.height - 12 &&
                        CrossAt(pages[p], Device(x, y, g_bMetricUnits));
            }
            if (!found) missing += " joint " + std::to_string(j);
        }
        for (int m = 1; m <= g_nMembers; ++m)
            if (inSlab(g_Members[m].jointA) && inSlab(g_Members[m].jointB) &&
                FindPdfWord(words, std::to_string(m)).page == 0)
                missing += " member " + std::to_string(m);
        return missing;
    }
};

}  // namespace

TEST(PlanePageMap, PlanesTurnAndTruncate)
{
    const struct {
        PlaneKind plane;
        bool landscape;
        float u, v;
        int column, row, x, y;
    } cases[] = {
        {PLANE_XY, false, 3, 4, 1, 1, 200, 200},   {PLANE_XZ, false, 3, 4, 1, 1, 200, 800},
        {PLANE_YZ, false, 3, 4, 1, 1, 500, 200},   {PLANE_SKEW_YZ, false, 3, 4, 1, 1, 500, 200},
        {PLANE_XY, true, 3, 4, 3, 1, 500, 200},    {PLANE_XZ, true, 3, 4, 1, 1, 200, 200},
        {PLANE_YZ, true, 3, 4, 3, 1, 500, 800},    {PLANE_XY, false, 9.5f, 14.5f, 2, 2, 150, 250},
        {PLANE_XY, false, 1.0049f, 1.995f, 1, 1, 0, 0},  // 0.49 and -0.5 are cut toward zero
    };
    for (const auto& c : cases) {
        PlanePageMap map;
        map.plane = c.plane, map.landscape = c.landscape, map.origin1 = 1, map.origin2 = 2, map.across = 3;
        int x = -1, y = -1;
        MapToPage(map, c.u, c.v, c.column, c.row, &x, &y);
        EXPECT_EQ((std::array<int, 2>{x, y}), (std::array<int, 2>{c.x, c.y}))
            << "plane " << c.plane << " landscape " << c.landscape << " page " << c.column << "," << c.row;
    }
}

TEST_F(PlanePrintTest, PagesByUnitsAndOrientationColumnByColumnWithinTheChosenRange)
{
    const struct {
        float x0, y0, x1, y1;
        int metric, landscape, pages;
    } cases[] = {
        {1, 1, 5, 5, 0, 0, 1},         {1.2f, 0.3f, 15.7f, 9.9f, 0, 0, 6},  // 3 x 2
        {1.2f, 0.3f, 15.7f, 9.9f, 0, 1, 4}, {1, 1, 30, 20, 1, 0, 2}, {1, 1, 30, 20, 1, 1, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x1 << " x " << c.y1 << " metric " << c.metric << " landscape "
                                        << c.landscape);
        g_nJoints = g_nMembers = 0;
        Bar(Joint(c.x0, c.y0, 0), Joint(c.x1, c.y1, 0));
        SetMetricUnits(c.metric);
        g_bTileLandscape = c.landscape, g_bTilePortrait = !c.landscape;
        const PdfInfo info = Print(FilePrintXYPlane);
        EXPECT_EQ(info.pages, c.pages);
        EXPECT_EQ(info.title, "Structure in the XY Plane");
        EXPECT_NEAR(info.widthPt, 612, 0.01);
        EXPECT_NEAR(info.heightPt, 792, 0.01);
    }
    // In the 3 x 2 print, member 2 lies in the second column's lower page: the third page.
    SetMetricUnits(0);
    g_bTileLandscape = 0, g_bTilePortrait = 1;
    g_nJoints = g_nMembers = 0;
    Bar(Joint(1.2f, 0.3f, 0), Joint(15.7f, 9.9f, 0));
    Bar(Joint(9, 2, 0), Joint(11, 2, 0));
    Print(FilePrintXYPlane);
    EXPECT_EQ(FindPdfWord(ReadPdfWords(pdf), "2").page, 3);
    EXPECT_EQ(Print(FilePrintXYPlane, {{{3, 3}}, 2, true, false}).pages, 2);
    EXPECT_EQ(FindPdfWord(ReadPdfWords(pdf), "2", 2).page, 2);
}

TEST_F(PlanePrintTest, FrameCrossesNumbersAndOutlinesAtFullScale)
{
    Bar(Joint(1, 1, 0), Joint(3, 2, 0));            // member 1
    Joint(5, 8, 0);                                  // a joint alone: a cross
    Bar(2, Joint(3, 2, 5));                          // member 2 leaves the slab: no number, no outline
    Bar(Joint(1, 4, 0), Joint(1.75f, 4, 0));        // member 3: an outline 1 in long
    ASSERT_EQ(Print(PrintPlaneXYInchPortrait).pages, 1);
    const PdfRaster r = RasterisePdfPage(pdf, 1, 144);
    // Page origin (0.5, 0.5): the frame's edges, the lone joint at (450, 750).
    EXPECT_NEAR(r.RunCentreInRow(600, 54), 54, 0.4);
    EXPECT_NEAR(r.RunCentreInRow(600, 558), 558, 0.4);
    EXPECT_NEAR(r.RunCentreInColumn(600, 21.6), 21.6, 0.4);
    EXPECT_NEAR(r.RunCentreInColumn(600, 741.6), 741.6, 0.4);
    EXPECT_TRUE(CrossAt(r, Device(450, 750)));
    int left = 0, top = 0, right = 0, bottom = 0;
    ASSERT_TRUE(r.DarkBox(730, 380, 786, 426, &left, &top, &right, &bottom));
    EXPECT_NEAR((right + 1 - left) / 2.0, 24 * 0.72 + 0.72, 0.6);  // arms of 0.12 in, pen 0.01 in
    EXPECT_NEAR((left + right + 1) / 4.0, 378, 0.4);
    EXPECT_TRUE(CrossAt(r, Device(250, 150)));  // joint 2 keeps its cross
    // Member 1's number 0.1 in right of and below its middle (150, 100); none for member 2.
    const std::vector<PdfWord> words = ReadPdfWords(pdf);
    const PdfWord one = FindPdfWord(words, "1");
    EXPECT_NEAR(one.xMin, Device(160, 90)[0], 1);
    EXPECT_NEAR(one.yMin, Device(160, 90)[1], 1.5);
    EXPECT_EQ(FindPdfWord(words, "2").page, 0);
    EXPECT_EQ(FindPdfWord(words, "3").page, 1);
    // The outline's ends at 37 and 137: 72 pt apart.
    EXPECT_NEAR(r.RunCentreInRow(988, 152.64) - r.RunCentreInRow(988, 80.64), 72, 0.4);

    // Metric: an outline 10 cm long between 75 and 1075.
    SetMetricUnits(1);
    g_nJoints = g_nMembers = 0;
    Shape(1, 0.5f, 0.5f, 0);
    Bar(Joint(2, 2, 0), Joint(11.5f, 2, 0));
    ASSERT_EQ(Print(FilePrintXYPlane).pages, 1);
    const PdfRaster m = RasterisePdfPage(pdf, 1, 144);
    EXPECT_NEAR(m.RunCentreInRow(707 * 2, Device(1075, 0, true)[0]) - m.RunCentreInRow(707 * 2, Device(75, 0, true)[0]),
                283.46, 0.4);
}

TEST_F(PlanePrintTest, DoubledMembersPrintTwoSticksOrEdgeOnTheirLongEdges)
{
    Shape(2, 0.25f, 0.25f, 0.5f);
    Bar(Joint(1, 3, 0), Joint(5, 3, 0), 2, 45);  // side by side: edges at y 2.5, 2.75, 3.25, 3.5
    Bar(Joint(1, 6, 0), Joint(5, 6, 0), 2, 0);   // edge-on: y 5.875 and 6.125
    ASSERT_EQ(Print(PrintPlaneXYInchPortrait).pages, 1);
    const PdfRaster r = RasterisePdfPage(pdf, 1, 144);
    auto runsBetween = [&](float v0, float v1) {  // dark runs down the column at x = 2.5
        const int x = int(Device(200, 0)[0] * 2), from = int(Device(0, int((v1 - 2.5f) * 100))[1] * 2),
                  to = int(Device(0, int((v0 - 2.5f) * 100))[1] * 2);
        int runs = 0;
        for (int y = from; y <= to; ++y) runs += r.Dark(x, y) && !r.Dark(x, y - 1);
        return runs;
    };
    EXPECT_EQ(runsBetween(2.3f, 3.7f), 4);
    EXPECT_EQ(runsBetween(5.7f, 6.3f), 2);
}

TEST_F(PlanePrintTest, SkewedPlaneNeedsThreeMarkedJointsAndPrintsTheirSkewCoordinates)
{
    Bar(Joint(0, 2, 1, 1), Joint(3, 2, 2, 1));
    Joint(0, 0, 2);  // not marked: skew coordinate 2 at z 2, but no cross
    EXPECT_FALSE(PrintMarkedSkewPlane());
    EXPECT_EQ(backend.Count(Event::PrintDialog) + backend.Count(Event::Box), 0);
    Joint(6, 2, 3, 1);  // level joints: the skew coordinate is y + the distance along x
    unlink(pdf.c_str());
    backend.ScriptPrintToPdf(pdf);
    EXPECT_TRUE(PrintMarkedSkewPlane());
    EXPECT_EQ(g_bShowTilesSkew, 1);
    EXPECT_EQ(backend.printRequests.back().jobName, "Structure in the Skewed YZ Plane");
    ASSERT_EQ(ReadPdfInfo(pdf).pages, 1);
    // Origin (0.5, 1.5); z runs to the left: (z, skew) (1, 2), (2, 5), (3, 8).
    const PdfRaster r = RasterisePdfPage(pdf, 1, 144);
    for (auto p : {Device(650, 50), Device(550, 350), Device(450, 650)}) EXPECT_TRUE(CrossAt(r, p));
    EXPECT_FALSE(CrossAt(r, Device(550, 50)));
    // The next press only hides the tiles.
    EXPECT_TRUE(PrintMarkedSkewPlane());
    EXPECT_EQ(g_bShowTilesSkew, 0);
    EXPECT_EQ(backend.Count(Event::PrintDialog), 1);
    // Marked joints on one line along z fix no plane: said, nothing printed.
    for (int i = 1; i <= g_nJoints; ++i) g_Joints[i].x = g_Joints[i].y = 4;
    EXPECT_FALSE(PrintMarkedSkewPlane());
    EXPECT_NE(LastBox().find("fix no skewed plane"), std::string::npos);
    EXPECT_EQ(backend.Count(Event::PrintDialog), 1);
}

TEST_F(PlanePrintTest, PagesShownSlabsEmptyPlanesFailuresAndCancel)
{
    Bar(Joint(1, 1, 0), Joint(5, 5, 0));
    // Shown tiles are printed as they are (here two across); hidden ones are laid out again.
    g_bShowTilesXY = 1, g_nTilesAcrossXY = 2, g_fTilesXYOriginX = -2;
    PdfRaster r;
    EXPECT_EQ(Print(PrintPlaneXYInchPortrait).pages, 2);
    EXPECT_TRUE(CrossAt(r = RasterisePdfPage(pdf, 1, 144), Device(300, 100)));
    g_bShowTilesXY = 0;
    EXPECT_EQ(Print(PrintPlaneXYInchPortrait).pages, 1);
    EXPECT_TRUE(CrossAt(r = RasterisePdfPage(pdf, 1, 144), Device(50, 50)));

    // The metric portrait print takes the 0.5 cm slab its pages are laid out from.
    SetMetricUnits(1);
    for (float z : {0.4f, 1.0f}) {
        g_Joints[2].z = z;
        Print(PrintPlaneXYCmPortrait);
        EXPECT_EQ(CrossAt(RasterisePdfPage(pdf, 1, 144), Device(500, 500, true)), z < 0.5f) << z;
    }

    // No joint in the plane: said, no dialog.
    g_fGuidePlaneZ = 20;
    Print(PrintPlaneXYCmLandscape);
    EXPECT_EQ(LastBox(), "No joint lies within 1.5 cm of the XY guide plane.\nNothing was printed.");
    EXPECT_EQ(backend.Count(Event::PrintDialog), 4);
    backend.printAnswers.clear();
    g_fGuidePlaneZ = 0;

    // A failed job is reported; a cancelled one is not.
    backend.ScriptPrintToPdf(dir / "no/such/folder.pdf");
    PrintPlaneXYCmLandscape();
    EXPECT_EQ(LastBox().rfind("Printing failed.\n", 0), 0u) << LastBox();
    const int boxes = backend.Count(Event::Box);
    backend.cancelPrintBeforeSheet = 0;
    Print(PrintPlaneXYCmLandscape);
    EXPECT_EQ(backend.Count(Event::Box), boxes);
    EXPECT_NE(access(pdf.c_str(), F_OK), 0);
}

// Each example's XY plane prints every joint and member of it, in portrait
// and, with its tiles shown, after a switch to landscape.
TEST_F(PlanePrintTest, EveryExampleXYPlanePrintsItsMembersInBothOrientations)
{
    for (const char* name : {"bridge.3dd", "tower.3dd", "metric_truss.3dd"}) {
        SCOPED_TRACE(name);
        ClearModel();
        ASSERT_EQ(OpenModelFile(std::string(TF3D_SOURCE_DIR) + "/examples/" + name), 1);
        int inPlane = 0;
        for (int m = 1; m <= g_nMembers; ++m)
            inPlane += std::fabs(g_Joints[g_Members[m].jointA].z - g_fGuidePlaneZ) < 0.5f &&
                       std::fabs(g_Joints[g_Members[m].jointB].z - g_fGuidePlaneZ) < 0.5f;
        EXPECT_GE(inPlane, 4);
        FileShowTilesXY();
        for (int flip = 0; flip < 2; ++flip) {
            SCOPED_TRACE(g_bTileLandscape ? "landscape" : "portrait");
            if (Print(FilePrintXYPlane).pages == 0) ADD_FAILURE() << LastBox();
            EXPECT_EQ(MissingFromPages(PLANE_XY), "");
            FileTileOrientation();
        }
    }
}

TEST_F(PlanePrintTest, JointsAtTheOriginPrintWholeCrossesAndSticks)
{
    const int origin = Joint(0, 0, 0);
    Bar(origin, Joint(4, 0, 0));
    Bar(origin, Joint(0, 3, 0));
    for (int landscape : {1, 0}) {
        g_bTileLandscape = landscape, g_bTilePortrait = !landscape;
        Print(FilePrintXYPlane);
        EXPECT_EQ(MissingFromPages(PLANE_XY), "") << landscape;
    }
    // Inside the frame, left of member 1's number, the drawing starts at the
    // sticks' outer edges, 1/8 in beyond the joints: 0.375 in from the frame.
    const PdfRaster r = RasterisePdfPage(pdf, 1, 144);
    const std::array<double, 2> low = Device(0, 0), high = Device(250, 1000);
    int left = 0, top = 0, right = 0, bottom = 0;
    ASSERT_TRUE(r.DarkBox(int(low[0] * 2) + 3, int(high[1] * 2) + 3, int(high[0] * 2), int(low[1] * 2) - 3, &left,
                          &top, &right, &bottom));
    EXPECT_NEAR(left / 2.0, Device(37, 0)[0], 0.8);
    EXPECT_NEAR(bottom / 2.0, Device(0, 37)[1], 0.8);
}

// Shown tiles that leave some of the plane off their pages: the user lays
// them out again, prints the pages shown or prints nothing.
TEST_F(PlanePrintTest, ShownPagesThatCutThePlaneOfferANewLayout)
{
    const std::string kXZQuestion =
        "Part of the XZ plane lies outside the page tiles shown: 4 joints and 4 members would be cut from the "
        "print, wholly or in part.\n\nYes: lay the tiles out again to hold the plane, then print.\nNo: print the "
        "pages shown.\nCancel: print nothing.";
    auto square = [&](float x, float y, float z, float side) {
        const int a = Joint(x, y, z), b = Joint(x + side, y, z), c = Joint(x + side, y, z + 4), d = Joint(x, y, z + 4);
        Bar(a, b), Bar(b, c), Bar(c, d), Bar(d, a);
    };
    square(2, 0, 2, 6);
    square(20, 10, 12, 10);
    FileShowTilesXZ();  // one page from (1.5, 1.5) around the square at y = 0
    const std::array<float, 2> shownOrigin = {g_fTilesXZOriginX, g_fTilesXZOriginZ};
    g_fGuidePlaneY = 10;

    backend.ScriptAnswers({platform::IDCANCEL});
    EXPECT_EQ(Print(FilePrintXZPlane).pages, 0);
    ASSERT_EQ(backend.Count(Event::Box), 1);
    EXPECT_EQ(LastBox(), kXZQuestion);
    EXPECT_EQ(backend.Boxes().back().caption, g_szAppTitle);
    EXPECT_EQ(backend.Boxes().back().flags, platform::MB_YESNOCANCEL | platform::MB_ICONQUESTION);
    EXPECT_EQ(backend.Count(Event::PrintDialog), 0);

    backend.ScriptAnswers({platform::IDNO});
    EXPECT_EQ(Print(FilePrintXZPlane).pages, 1);
    EXPECT_EQ(LastBox(), kXZQuestion);
    EXPECT_EQ((std::array<float, 2>{g_fTilesXZOriginX, g_fTilesXZOriginZ}), shownOrigin);
    EXPECT_EQ(MissingFromPages(PLANE_XZ), " joint 5 joint 6 joint 7 joint 8 member 5 member 6 member 7 member 8");

    backend.ScriptAnswers({platform::IDYES});
    const int invalidated = backend.Count(Event::InvalidateFrame);
    EXPECT_EQ(Print(FilePrintXZPlane).pages, 2);
    EXPECT_EQ((std::array<float, 2>{g_fTilesXZOriginX, g_fTilesXZOriginZ}), (std::array<float, 2>{19.5f, 11.5f}));
    EXPECT_EQ(backend.Count(Event::InvalidateFrame), invalidated + 1);
    EXPECT_EQ(MissingFromPages(PLANE_XZ), "");
    Print(FilePrintXZPlane);  // the pages now hold the plane: no question
    EXPECT_EQ(backend.Count(Event::Box), 3);

    // Crosses inside, but a stick's end or a number off the grid. A stick
    // thicker than a new layout's margin asks nothing: no layout holds it.
    const struct {
        float x0, y0, x1, y1, height;
        bool asked;
    } members[] = {
        {0.2f, 5, 3, 5, 0.5f, true},        // the stick's left end reaches x = -0.05
        {6.85f, 2, 6.85f, 4, 0.25f, true},  // its number runs past x = 7
        {3, 1, 3, 5, 0.25f, false},
        {0.2f, 5, 3, 5, 1.5f, false},
    };
    g_fGuidePlaneY = 0;
    for (const auto& c : members) {
        SCOPED_TRACE(testing::Message() << c.x0 << ", " << c.y0 << " height " << c.height);
        g_nJoints = g_nMembers = 0;
        Shape(1, 0.25f, c.height, 0);
        Bar(Joint(c.x0, c.y0, 0), Joint(c.x1, c.y1, 0));
        g_bShowTilesXY = 1, g_fTilesXYOriginX = g_fTilesXYOriginY = 0, g_nTilesAcrossXY = g_nTilesDownXY = 1;
        const int boxes = backend.Count(Event::Box);
        backend.ScriptAnswers({platform::IDNO});
        EXPECT_EQ(Print(FilePrintXYPlane).pages, 1);
        EXPECT_EQ(backend.Count(Event::Box) - boxes, c.asked ? 1 : 0);
        if (c.asked) { EXPECT_NE(LastBox().find(": 1 member would be cut"), std::string::npos) << LastBox(); }
        backend.answers.clear();
    }
}
