// The preview's fit, the tile view's keys, drag, scroll bars and status
// pane, the Tile Setup values and the frame's commands.
#include <sys/stat.h>

#include <cmath>

#include "planprint/frame_commands.h"
#include "planprint/tile_setup.h"
#include "planprint_test.h"

using ViewTest = PlanprintTest;

TEST_F(ViewTest, RefreshFitsTheGuidePlaneOnlyIntoAWindowWithAnArea)
{
    struct Case {
        int w, h;
        float right, top, sx, sy;
    };
    const float wide = 10 * (800.0f / 600) + 1;
    const Case cases[] = {
        {800, 600, wide, 11, 800 / wide, 600 / 11.0f},  // 800 >= trunc(600 / 10 * 7.5) = 450
        {300, 600, 8.5f, 16, 300 / 8.5f, 600 / 16.0f},  // narrower than the plane
        {0, 600, 8.5f, 16, 300 / 8.5f, 600 / 16.0f},    // minimised: the last fit stays
        {300, 0, 8.5f, 16, 300 / 8.5f, 600 / 16.0f},
    };
    for (const Case& c : cases) {
        g_Overlay.fViewOffsetX = 3;
        g_Scene.SetViewportSize(c.w, c.h);
        g_Scene.Refresh();
        g_Scene.ApplyProjection();
        EXPECT_TRUE(g_Scene.fRight == c.right && g_Scene.fTop == c.top && g_Scene.fLeft == 0) << c.w << " " << c.h;
        EXPECT_EQ(g_Overlay.fViewOffsetX, c.w > 0 && c.h > 0 ? 0.5f : 3);
        EXPECT_TRUE(g_fViewScaleX == c.sx && g_fViewScaleY == c.sy);
    }
}

TEST_F(ViewTest, KeysMoveTheModelOrPanThePicture)
{
    g_Scene.SetViewportSize(800, 600);
    g_Scene.Refresh();
    g_pModel->fOffsetX = g_pModel->fOffsetY = 1;
    for (ViewKey k : {VIEW_KEY_LEFT, VIEW_KEY_UP, VIEW_KEY_UP, VIEW_KEY_OTHER, VIEW_KEY_ESCAPE}) ViewKeyDown(k);
    EXPECT_TRUE(g_pModel->fOffsetX == 1 && g_pModel->fOffsetY == 1);  // Move Model off: never the model
    EXPECT_TRUE(g_Overlay.fViewOffsetX == 1.5f && g_Overlay.fViewOffsetY == -1.5f);
    // The thumbs follow the picture (spans of 1: a unit is 1000 steps).
    EXPECT_TRUE(g_nHScrollPos == 0 && g_nVScrollPos == 0);
    ToggleMoveModel();
    for (ViewKey k : {VIEW_KEY_RIGHT, VIEW_KEY_RIGHT, VIEW_KEY_DOWN}) ViewKeyDown(k);
    EXPECT_TRUE(g_pModel->fOffsetX == 2 && g_pModel->fOffsetY == 0.5f);
    ToggleMoveModel();
    EXPECT_EQ(g_bMoveModel, 0);
}

TEST_F(ViewTest, MoveModelDragFollowsThePointerAndSnapsToEighths)
{
    g_fViewScaleX = g_fViewScaleY = 20;  // pixels per inch
    g_pModel->fOffsetX = g_pModel->fOffsetY = 1;
    EXPECT_FALSE(ViewLeftDown(100, 100));  // Move Model off: no drag
    ToggleMoveModel();
    ASSERT_TRUE(ViewLeftDown(100, 100));
    ViewMouseMove(106, 94);  // 0.3 in right, 0.3 in up
    EXPECT_TRUE(IsDraggingModel() && std::fabs(g_pModel->fOffsetX - 1.3f) < 1e-6f &&
                std::fabs(g_pModel->fOffsetY - 1.3f) < 1e-6f);
    EXPECT_TRUE(ViewLeftUp(106, 94));
    EXPECT_TRUE(g_pModel->fOffsetX == 1.25f && g_pModel->fOffsetY == 1.25f && !IsDraggingModel());
    EXPECT_TRUE(g_nMouseX == 106 && g_nMouseY == 94);
    // Move Model turned off ends a drag in progress.
    ASSERT_TRUE(ViewLeftDown(0, 0));
    ToggleMoveModel();
    EXPECT_FALSE(IsDraggingModel());
    ViewMouseMove(400, 400);
    EXPECT_FALSE(ViewLeftUp(400, 400));
    EXPECT_EQ(g_pModel->fOffsetX, 1.25f);
}

TEST_F(ViewTest, ScrollBarsPanWithinTheirRange)
{
    // A guide plane larger than the window: spans of 20 and 30 units (trunc(50 + 1 - 30.94), trunc(49 + 2 - 21)).
    g_fGuidePlaneX = 50;
    g_fGuidePlaneY = 49;
    InitViewExtents();
    EXPECT_TRUE(g_nHScrollSpan == 20 && g_nVScrollSpan == 30);
    struct Case {
        ScrollCode code;
        int thumb, h, v;
    };
    const Case cases[] = {
        {SCROLL_LINE_DOWN, 0, 50, 1000},     {SCROLL_PAGE_DOWN, 0, 400, 1000}, {SCROLL_THUMB_TRACK, 720, 720, 720},
        {SCROLL_THUMB_POSITION, 5, 720, 720}, {SCROLL_OTHER, 5, 720, 720},      {SCROLL_PAGE_UP, 0, 370, 489},
        {SCROLL_LINE_UP, 0, 320, 456},       {SCROLL_THUMB_TRACK, 2000, 1000, 1000},
    };
    for (const Case& c : cases) {
        ViewHScroll(c.code, c.thumb);
        ViewVScroll(c.code, c.thumb);
        EXPECT_TRUE(g_nHScrollPos == c.h && g_nVScrollPos == c.v) << g_nHScrollPos << " " << g_nVScrollPos;
    }
    EXPECT_FLOAT_EQ(g_Overlay.fViewOffsetX, 0.5f - 20);
    EXPECT_FLOAT_EQ(g_Overlay.fViewOffsetY, 0.5f);
    // SI steps are 2.54 times larger.
    SetEnglishUnits(false);
    ViewHScroll(SCROLL_THUMB_TRACK, 0);
    ViewHScroll(SCROLL_LINE_DOWN, 0);
    EXPECT_EQ(g_nHScrollPos, 127);
    // A plane smaller than the window: spans count as 1.
    g_fGuidePlaneX = g_fGuidePlaneY = 5;
    UpdateScrollSpans();
    EXPECT_TRUE(g_nHScrollSpan == 1 && g_nVScrollSpan == 1);
    ViewVScroll(SCROLL_LINE_UP, 0);
    EXPECT_EQ(g_nVScrollPos, 0);
}

TEST_F(ViewTest, CoordinatePaneShowsThePointerOnTheGuidePlane)
{
    g_Scene.nHeight = 600;
    g_Overlay.fViewOffsetX = g_Overlay.fViewOffsetY = 0.5f;
    struct Case {
        float scale;
        int x, y;
        bool english;
        const char* text;
    };
    const Case cases[] = {
        {20, 10, 570, true, "X = 00.000, Y = 01.000 "},
        {20, 0, 600, true, "X = -0.500, Y = -0.500 "},  // -0.5 stays -0.5
        {16, 170, 433, true, "X = 10.125, Y = 10.000 "},
        {16, 170, 433, false, "X = 10.100, Y = 09.900 "},
    };
    for (const Case& c : cases) {
        g_fViewScaleX = g_fViewScaleY = c.scale;
        SetEnglishUnits(c.english);
        ViewMouseMove(c.x, c.y);
        EXPECT_EQ(CoordinatePaneText(), c.text);
        EXPECT_EQ(UnitPaneText(), c.english ? "   IN   " : "   CM   ");
    }
}

TEST_F(ViewTest, TileSetupSetsTilesAndGuidePlane)
{
    struct Case {
        TileSetupValues v;
        bool english;
        float pageW, pageH, guideX, guideY;
        int paper;
    };
    const Case cases[] = {
        {{kLandscape, kPaperLegal, 3, 2, 1, 0}, true, 7.5f, 13, 26, 22.5f, kPaperLegal},
        {{kLandscape, kPaperLegal, 3, 2, 1, 0}, false, 19.05f, 33.02f, 66.04f, 57.15f, kPaperLegal},
        {{kPortrait, kPaperTabloid, 1, 2, 0, 1}, true, 10, 16, 20, 16, kPaperTabloid},
        {{kPortrait, 2, 1, 1, 0, 0}, true, 10, 16, 10, 16, kPaperTabloid},
    };
    for (const Case& c : cases) {
        SetEnglishUnits(c.english);
        ApplyTileSetup(c.v);
        EXPECT_NEAR(g_fPrintablePageW, c.pageW, 1e-4);
        EXPECT_NEAR(g_fPrintablePageH, c.pageH, 1e-4);
        EXPECT_NEAR(g_fGuidePlaneX, c.guideX, 1e-4);
        EXPECT_NEAR(g_fGuidePlaneY, c.guideY, 1e-4);
        EXPECT_TRUE(g_nPaperSize == c.paper && g_nRows == c.v.rows && g_nCols == c.v.cols &&
                    g_nPageOrient == c.v.orient && g_bPrintFileName == c.v.printFileName &&
                    g_bPrintMemberNumbers == c.v.printMemberNumbers);
    }
    // A stored paper code the dialog does not know shows as Tabloid.
    g_nPaperSize = 2;
    EXPECT_EQ(CurrentTileSetup().paper, kPaperTabloid);

    struct Typed {
        const char* text;
        bool ok;
        const char* message;
    };
    const Typed typed[] = {{"10", true, ""},  {" 3 ", true, ""},
                           {"0", false, "Please enter an integer between 1 and 10."},
                           {"11", false, "Please enter an integer between 1 and 10."},
                           {"", false, "Please enter an integer."},  {"2x", false, "Please enter an integer."}};
    for (const Typed& t : typed) {
        int value = 0;
        std::string message;
        EXPECT_EQ(ParseTileCount(t.text, value, message), t.ok) << t.text;
        EXPECT_EQ(message, t.message) << t.text;
    }
}

TEST_F(ViewTest, ImportTitlesTheWindowOnlyWhenAModelIsTaken)
{
    struct Case {
        const char* path;
        const char* ext;
        const char* title;
    };
    const Case cases[] = {
        {"/m/bridge.3dd", "mwd", "/m/bridge.mwd - Planprint"},
        {"/m/old.tfd", "tfu", "/m/old.tfu - Planprint"},
        {"/m/model", "mwd", "/m/model.mwd - Planprint"},
        {"/m.d/model", "mwd", "/m.d/model.mwd - Planprint"},
        {"/m/a.b.c", "tfu", "/m/a.b.tfu - Planprint"},
        {"/m/.hidden", "mwd", "/m/.hidden.mwd - Planprint"},
    };
    for (const Case& c : cases) EXPECT_EQ(ImportTitle(c.path, c.ext), c.title);

    const std::string tower = Example("tower.3dd");
    backend.ScriptFiles({tower, Write("bad.3dd", "Trussforge3D\n9.0\n"), ""});
    EXPECT_TRUE(ImportModelFile3d());
    EXPECT_EQ(backend.fileRequests[0].filter, "Trussforge (3D) Files (*.3dd)|*.3dd|All Files (*.*)|*.*||");
    EXPECT_TRUE(g_strPrintFilePath == tower && backend.mainCaption == ImportTitle(tower, "mwd"));
    EXPECT_FALSE(ImportModelFile3d());  // refused: title and path stay
    EXPECT_FALSE(ImportModelFile2d());  // cancelled
    EXPECT_EQ(backend.fileRequests[2].defaultExt, "tfd");
    EXPECT_TRUE(g_strPrintFilePath == tower && backend.mainCaption == ImportTitle(tower, "mwd"));
}

TEST_F(ViewTest, DocumentCommandsNeverWriteOverAFile)
{
    const std::string model = Write("model.3dd", "Trussforge3D\n4.000000\n");
    const std::string fresh = folder + "/fresh.ppd";
    backend.ScriptFiles({model, fresh, model});
    DocumentOpen();
    EXPECT_EQ(backend.mainCaption, "model.3dd - Planprint");
    DocumentSave();  // the named document: the file stays
    DocumentNew();
    EXPECT_EQ(backend.mainCaption, "Untitled - Planprint");
    DocumentSave();  // a new name: an empty file
    EXPECT_TRUE(std::filesystem::exists(fresh) && std::filesystem::file_size(fresh) == 0);
    ASSERT_EQ(g_pModel->Read3dFile(Example("tower.3dd")), 1);
    DocumentSave();  // onto its own file, a model loaded: empty again, without a question or a box
    EXPECT_TRUE(std::filesystem::exists(fresh) && std::filesystem::file_size(fresh) == 0);
    EXPECT_TRUE(backend.fileRequests.size() == 2u && backend.Boxes().size() == 1u);
    EXPECT_EQ(backend.mainCaption, "fresh.ppd - Planprint");
    DocumentNew();
    DocumentSave();  // saved as the model: it stays
    std::ifstream in(model);
    std::string first;
    std::getline(in, first);
    EXPECT_EQ(first, "Trussforge3D");
    EXPECT_EQ(backend.Boxes().size(), 2u);
    EXPECT_EQ(backend.mainCaption, "model.3dd - Planprint");
    // A pipe or a device is refused, said, and does not name the document.
    const std::string pipe = folder + "/pipe.ppd";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    for (const std::string& special : {pipe, std::string("/dev/full")}) {
        backend.Clear();
        backend.ScriptFiles({special});
        DocumentNew();
        DocumentSave();
        ASSERT_EQ(backend.Boxes().size(), 1u) << special;
        EXPECT_EQ(backend.Boxes()[0].text,
                  special.substr(special.rfind('/') + 1) + " could not be saved: not a regular file.");
        EXPECT_EQ(backend.mainCaption, "Untitled - Planprint");
    }
    EXPECT_EQ(std::filesystem::status(pipe).type(), std::filesystem::file_type::fifo);
}
