// Workspace planes, guide sheets, rulers and page tiles, read back as
// pixels at projected points and as geometry in feedback mode.
#include <cstdlib>

#include "state/frame_globals.h"
#include "state/printing_globals.h"
#include "tests/view/view_fixture.h"
#include "view/scene_layers.h"

namespace {

FbPrims Fb(const std::function<void()>& draw) { return Feedback(draw, 300); }

// Line end points inside a box.
int In(const FbPrims& prims, float x0, float x1, float y0, float y1, float z0 = -1e3f, float z1 = 1e3f)
{
    int n = 0;
    for (const auto& p : prims)
        for (const auto& v : p.vertices)
            n += IsLine(p) && v.x >= x0 && v.x <= x1 && v.y >= y0 && v.y <= y1 && v.z >= z0 && v.z <= z1;
    return n;
}

int Outlines(const FbPrims& prims) { return static_cast<int>(std::count_if(prims.begin(), prims.end(), IsLine)) / 4; }

bool DarkRed(const int p[3]) { return p[0] > p[1] + 50 && std::abs(p[1] - p[2]) < 10; }
bool Grey(const int p[3]) { return std::abs(p[0] - p[1]) < 4 && std::abs(p[1] - p[2]) < 4; }

class WorkspaceLayersTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        if (!ready) return;
        HideScenery();
        g_bShowUndeformed = 0;
        // The first frame after the GL set-up may light its first sheet
        // wrongly; draw one before measuring anything.
        ShowAll(1);
        view->RenderFrame();
        ShowAll(0);
        InvalidateAllLists();
        ResetDisplayListCompileCounts();
    }
    static void ShowAll(int on)
    {
        g_bShowXYBasePlane = g_bShowXZBasePlane = g_bShowYZBasePlane = on;
        g_bShowGuideXY = g_bShowGuideXZ = g_bShowGuideYZ = on;
        g_bShowRulers = g_bShowOrigin = on;
    }
    static void Background(float grey)
    {
        g_fBackgroundR = g_fBackgroundG = g_fBackgroundB = grey;
        g_pfnSetClearColor(grey, grey, grey, 1);
    }
    // Captures a frame and reads the pixel at a model point.
    void Shot(float x, float y, float z, int rgb[3])
    {
        EXPECT_TRUE(Capture());
        PixelAt(x, y, z, rgb);
    }
    // Pixels within radius of a model point's projection that pass test.
    int Near(float x, float y, float z, int radius, bool (*test)(const int*)) const
    {
        float wx, wy;
        int n = 0, p[3];
        if (!ProjectToWindow(x, y, z, wx, wy)) return -1;
        for (int py = int(wy) - radius; py <= int(wy) + radius; ++py)
            for (int px = int(wx) - radius; px <= int(wx) + radius; ++px)
                n += px >= 0 && py >= 0 && px < image.GetWidth() && py < image.GetHeight() && (Pixel(px, py, p), test(p));
        return n;
    }
};

}  // namespace

TEST_F(WorkspaceLayersTest, BasePlanesAreWhiteAndTheFloorIsWaterUnderATruck)
{
    Background(0.2f);
    g_bShowXYBasePlane = g_bShowXZBasePlane = g_bShowYZBasePlane = 1;
    LookAt(70, 45, 75, 24, 12, 12);
    int yz[3], xy[3], xz[3];
    Shot(0, 12, 12, yz);
    PixelAt(24, 12, 0, xy);
    PixelAt(24, 0, 12, xz);
    for (const int* p : {yz, xy, xz}) EXPECT_TRUE(Grey(p) && p[0] > 150) << p[0] << " " << p[1] << " " << p[2];
    g_bTruckActive = 1, g_bListXZBasePlaneBuilt = 0;  // the truck switch rebuilds the floor list only
    int water[3], wall[3];
    Shot(24, 0, 12, water);
    PixelAt(0, 12, 12, wall);
    EXPECT_TRUE(water[2] > water[0] + 60 && std::abs(water[0] - water[1]) < 10) << water[0] << " " << water[2];
    EXPECT_EQ(yz[0], wall[0]);
    EXPECT_EQ(2, DisplayListCompileCount(LIST_XZ_BASE_PLANE));
    EXPECT_EQ(1, DisplayListCompileCount(LIST_XY_BASE_PLANE));
    g_bShowXZBasePlane = g_bShowYZBasePlane = 0;  // one-sided: from behind the XY plane shows the background
    LookAt(24, 12, -60, 24, 12, 12);
    Shot(24, 12, 0, wall);
    EXPECT_EQ(51, wall[0]);
}

TEST_F(WorkspaceLayersTest, GuideSheetBlendsItsColourWithWhatLiesBehind)
{
    LookAt(24, 12, 60, 24, 12, 0);
    g_bShowXYBasePlane = 1;  // the lit white of a +Z sheet, read from the opaque base plane
    int white[3], p[3];
    Shot(10.5f, 5.5f, 0, white);
    ASSERT_TRUE(Grey(white));
    g_bShowXYBasePlane = 0, g_bShowGuideXY = 1;
    g_fGuidePlaneX = 20, g_fGuidePlaneY = 10, g_fGuidePlaneZ = 4;
    auto expectBlend = [&](float alpha, const int sheet[3]) {
        for (float bg : {0.0f, 1.0f}) {
            Background(bg);
            EXPECT_TRUE(Capture());
            for (float y : {5.5f, 15.5f}) {  // lower quarters come from one list, upper ones from another
                PixelAt(30.5f, y, 4, p);
                for (int c = 0; c < 3; ++c)
                    EXPECT_NEAR(alpha * sheet[c] + (1 - alpha) * bg * 255, p[c], 3) << alpha << " " << c << " " << bg;
            }
        }
    };
    expectBlend(0.9f, white);
    g_bGuidePlaneHalfAlpha = 1, g_bListXYGuide1Built = g_bListXYGuide2Built = 0;  // cyan at 0.5, red emission
    const int cyan[3] = {77, white[1], white[2]};
    expectBlend(0.5f, cyan);
    // The YZ sheet is cyan at 0.5 whatever the switch says.
    g_bShowGuideXY = g_bGuidePlaneHalfAlpha = 0, g_bShowGuideYZ = 1;
    LookAt(60, 12, 12, 0, 12, 12);
    Background(0);
    Shot(20, 5.5f, 2.5f, p);
    EXPECT_TRUE(std::abs(38 - p[0]) <= 3 && p[1] > p[0] + 30 && std::abs(p[1] - p[2]) <= 2) << p[0] << " " << p[1];
}

TEST_F(WorkspaceLayersTest, ListsAreReplayedUntilTheirFlagIsCleared)
{
    ShowAll(1);
    g_fGuidePlaneX = 12, g_fGuidePlaneY = 6, g_fGuidePlaneZ = 8;
    g_bShowTilesXZ = 1, g_nTilesAcrossXZ = 3, g_nTilesDownXZ = 2;
    LookAt(58.6, 35, 53.4, 22.3, 12, 12);
    Capture();
    view->RenderFrame();
    const int lists[] = {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 14, 18, 19};
    for (int id : lists) EXPECT_EQ(1, DisplayListCompileCount(id)) << "list " << id;
    g_bListXYGuide2Built = 0;
    view->RenderFrame();
    for (int id : lists) EXPECT_EQ(id == LIST_XY_GUIDE_2 ? 2 : 1, DisplayListCompileCount(id)) << "list " << id;
    ShowAll(0);
    g_bShowGuideXY = 1;  // a guide plane's own offset lies outside its list
    LookAt(24, 12, 60, 24, 12, 0);
    Background(0);
    int before[3], after[3];
    Shot(10.5f, 3.5f, 8, before);
    g_fGuidePlaneZ = 2;
    Shot(10.5f, 3.5f, 2, after);
    EXPECT_GT(after[0], 100);
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(before[c], after[c], 2);
    EXPECT_EQ(1, DisplayListCompileCount(LIST_XY_GUIDE_1));
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
}

TEST_F(WorkspaceLayersTest, PageTilesOutlineTheLayoutInDarkRed)
{
    LookAt(12, 8, 40, 12, 8, 0);
    g_bShowXYBasePlane = g_bShowTilesXY = 1, g_fGuidePlaneZ = 4;
    g_fTilesXYOriginX = 3, g_fTilesXYOriginY = 2, g_nTilesAcrossXY = 2, g_nTilesDownXY = 1;
    ASSERT_TRUE(Capture());
    EXPECT_GT(Near(3.05f, 2.05f, 4.05f, 1, DarkRed), 0);    // first page's corner
    EXPECT_GT(Near(16.95f, 11.95f, 4.05f, 1, DarkRed), 0);  // last page's far corner
    EXPECT_EQ(0, Near(6.5f, 7, 4.05f, 2, DarkRed));         // inside a page
    EXPECT_EQ(0, Near(20.5f, 7, 4.05f, 2, DarkRed));        // beyond the grid
    g_nTilesAcrossXY = 0;
    ASSERT_TRUE(Capture());
    EXPECT_EQ(0, Near(12, 8, 4.05f, 300, DarkRed));
    // Portrait US pages 7 x 10 less a 0.05 margin; metric landscape on XZ;
    // YZ z first, then y.
    g_fTilesXYOriginX = 0.7f, g_fTilesXYOriginY = 0, g_nTilesAcrossXY = 3, g_nTilesDownXY = 2;
    const auto xy = Fb([] { DrawPageTiles(TILES_XY, 5, 0, 0); });
    EXPECT_EQ(6, Outlines(xy));
    ExpectBox(BoxOf(xy), {0.75f, 21.65f, 0.05f, 19.95f, 5.05f, 5.05f}, 2e-3f);
    g_fTilesXZOriginX = 1, g_fTilesXZOriginZ = 2, g_nTilesAcrossXZ = 1, g_nTilesDownXZ = 2;
    ExpectBox(BoxOf(Fb([] { DrawPageTiles(TILES_XZ, 3, 1, 1); })),
              {1.05f, 1 + 2 * 25.4f - 0.05f, 3.05f, 3.05f, 2.05f, 2 + 17.78f - 0.05f}, 2e-3f);
    g_fTilesYZOriginZ = 4, g_fTilesYZOriginY = 1, g_nTilesAcrossYZ = 2, g_nTilesDownYZ = 1;
    ExpectBox(BoxOf(Fb([] { DrawPageTiles(TILES_YZ, 6, 0, 0); })), {6.05f, 6.05f, 1.05f, 10.95f, 4.05f, 17.95f},
              2e-3f);
    // Drawn by the renderer with the three guide planes apart, each plane's
    // tiles and guide sheet lie in that plane, at its own guide plane.
    g_fGuidePlaneX = 20, g_fGuidePlaneY = 6, g_fGuidePlaneZ = 10, g_fSkewPlaneAngle = 0;
    g_bShowXYBasePlane = g_bShowTilesXY = 0;
    LookAt(0, 0, 0, 0, 0, -1);  // the model's own axes
    const struct {
        const char* name;
        int* tiles;
        int* guide;
        int normal;  // the axis across the plane
        float at;
    } planes[] = {
        {"XY", &g_bShowTilesXY, &g_bShowGuideXY, 2, 10},
        {"XZ", &g_bShowTilesXZ, &g_bShowGuideXZ, 1, 6},
        {"YZ", &g_bShowTilesYZ, &g_bShowGuideYZ, 0, 20},
        {"skewed YZ", &g_bShowTilesSkew, nullptr, 0, 20},
    };
    for (const auto& p : planes) {
        SCOPED_TRACE(p.name);
        *p.tiles = 1;
        const FbBox tiles = BoxOf(Fb([] { RenderScene(); }));
        *p.tiles = 0;
        ASSERT_GT(tiles.count, 0);
        EXPECT_NEAR(tiles.lo[p.normal], p.at + 0.05f, 2e-3f);
        EXPECT_NEAR(tiles.hi[p.normal], p.at + 0.05f, 2e-3f);
        if (!p.guide) continue;
        *p.guide = 1;
        FbPrims sheets = Fb([] { RenderScene(); });
        *p.guide = 0;
        sheets.erase(std::remove_if(sheets.begin(), sheets.end(),
                                    [](const FbPrimitive& q) { return q.token != GL_POLYGON_TOKEN; }),
                     sheets.end());
        const FbBox sheet = BoxOf(sheets);
        ASSERT_GT(sheet.count, 0);
        EXPECT_NEAR(sheet.lo[p.normal], p.at, 2e-3f);
        EXPECT_NEAR(sheet.hi[p.normal], p.at, 0.05f + 2e-3f);  // a quarter of the XZ sheet is lifted off
    }
    // No pages, no outlines; an absurd count is cut at 256 pages an axis.
    g_nTilesAcrossXY = -3;
    EXPECT_EQ(0, Outlines(Fb([] { DrawPageTiles(TILES_XY, 0, 1, 1); })));
    g_fTilesXZOriginX = g_fTilesXZOriginZ = 0, g_nTilesAcrossXZ = 32767, g_nTilesDownXZ = 1;
    EXPECT_EQ(256, Outlines(Fb([] {
                  glScalef(0.1f, 0.1f, 0.1f);
                  DrawPageTiles(TILES_XZ, 0, 0, 0);
              })));
}

TEST_F(WorkspaceLayersTest, RulerNumbersRunFromTenToNinetyEight)
{
    g_nWorkspaceX = 120;
    const float zl = g_nWorkspaceZ + 0.05f;
    const auto x = Fb([] { DrawRulerX(2); });
    // Numbers sit in the band y -1.75 .. -1.25, left of their tick.
    for (int n = 12; n <= 96; n += 12) EXPECT_GT(In(x, n - 0.81f, n - 0.14f, -1.76f, -1.24f, zl - 0.01f, zl + 0.01f), 4) << n;
    EXPECT_EQ(0, In(x, 97, 200, -1.76f, -1.24f));
    EXPECT_EQ(0, In(x, 2.6f, 11.1f, -1.76f, -1.24f));
    // The label follows a rebuild for new units.
    g_nWorkspaceX = 48, g_bListRuler1Built = 0;
    auto label = [] { return In(Fb([] { DrawRulerX(2); }), 1.49f, 2.56f, -1.76f, -1.24f); };
    const int inches = label();
    g_bUnitsUS = 0, g_bMetricUnits = 1;
    EXPECT_EQ(inches, label());
    g_bListRuler1Built = 0;
    const int cm = label();
    EXPECT_TRUE(inches > 0 && cm > 0 && inches != cm);
    // Y: numbers at x -1.35 under their tick. Z: at y -1.65 on the right edge, along Z.
    EXPECT_GT(In(Fb([] { DrawRulerY(1.5f); }), -1.36f, -0.69f, 23.34f, 23.86f), 4);
    EXPECT_GT(In(Fb([] { DrawRulerZ(2); }), 48.04f, 48.06f, -1.66f, -1.14f, 23.19f, 23.86f), 4);
    EXPECT_FALSE(Fb([] { DrawRulerChar('7', 0.5f); }).empty());  // unknown characters draw nothing
    for (char c : {'A', ' ', '\0', '-'}) EXPECT_TRUE(Fb([c] { DrawRulerChar(c, 0.5f); }).empty()) << c;
}

// A hang would be ended by the test's time limit.
TEST_F(WorkspaceLayersTest, OutlandishWorkspaceSizesDraw)
{
    ShowAll(1);
    g_nWorkspaceX = g_nWorkspaceY = g_nWorkspaceZ = 32767;  // read unchecked from a file
    Capture();
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
    g_nWorkspaceX = g_nWorkspaceY = g_nWorkspaceZ = -5;
    InvalidateAllLists();
    Capture();
    EXPECT_EQ(static_cast<GLenum>(GL_NO_ERROR), glGetError());
}
