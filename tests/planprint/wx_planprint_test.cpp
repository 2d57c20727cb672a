// Planprint's window on a virtual display: menus, status panes, the preview
// drawn by GL, the Tile Setup dialog, the Move Model drag and the settings
// file. Boxes and file dialogs go to the recording backend.
#include <chrono>
#include <cmath>
#include <fstream>
#include <sstream>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/radiobut.h>
#include <wx/scrolbar.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include "planprint/command_ids.h"
#include "planprint/frame_commands.h"
#include "planprint/model_data.h"
#include "planprint/scene.h"
#include "planprint/settings.h"
#include "planprint/tile_view.h"
#include "planprint/wx_main_frame.h"
#include "planprint/wx_tile_setup_dlg.h"
#include "planprint/wx_view.h"
#include "platform/test_backend.h"
#include "platform/wx_backend.h"
#include "tests/common/save_faults.h"

namespace {

void Pump(double seconds = 0.05)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    do wxTheApp->Yield(true), wxMilliSleep(5);
    while (std::chrono::steady_clock::now() < end);
}

std::string Example(const char* name) { return std::string(TF3D_SOURCE_DIR) + "/examples/" + name; }

bool Dark(const wxImage& image, int x, int y)
{
    return image.GetRed(x, y) < 120 && image.GetGreen(x, y) < 120 && image.GetBlue(x, y) < 120;
}

class PlanprintWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::SetBackend(&backend);
        StartPlanprintState();
        frame = new CMainFrame;
        frame->Show();
        Pump(0.3);
        ASSERT_TRUE(frame->View()->Created());
    }
    void TearDown() override
    {
        frame->Destroy();
        Pump();
        DestroyModelTables();
        platform::SetBackend(nullptr);
    }
    // Where a point of the model lies in the picture (pixels, y down).
    wxPoint Pixel(float x, float y) const
    {
        const float px = (x + g_pModel->fOffsetX + g_Overlay.fViewOffsetX - g_Scene.fLeft) * g_fViewScaleX;
        const float py = (y + g_pModel->fOffsetY + g_Overlay.fViewOffsetY - g_Scene.fBottom) * g_fViewScaleY;
        return wxPoint(static_cast<int>(px), g_Scene.nHeight - 1 - static_cast<int>(py));
    }
    wxImage Picture()
    {
        wxImage image;
        EXPECT_TRUE(frame->View()->RenderFrame(&image));
        return image;
    }
    void Import(const std::string& path)
    {
        backend.ScriptFiles({path});
        frame->RunCommand(ID_FILE_IMPORT_3D);
    }

    platform::TestBackend backend;
    CMainFrame* frame = nullptr;
};

}  // namespace

TEST_F(PlanprintWindowTest, MenusToolbarAndStatusPanes)
{
    wxMenuBar* bar = frame->GetMenuBar();
    ASSERT_EQ(bar->GetMenuCount(), 4u);
    const std::pair<int, const char*> items[] = {
        {ID_FILE_IMPORT_2D, "Import Trussforge2D File ..."}, {ID_FILE_IMPORT_3D, "Import Trussforge3D File ..."},
        {ID_FILE_PRINT, "&Print...\tCtrl+P"},               {ID_FILE_TILE_SETUP, "Tile Setup ..."},
        {ID_APP_EXIT, "E&xit"},                              {ID_EDIT_MOVE_MODEL, "Move Model"},
        {ID_VIEW_REFRESH, "Refresh"},                        {ID_VIEW_SHOW_GRID_LINES, "Show Grid Lines"},
    };
    for (const auto& item : items) {
        wxMenuItem* found = bar->FindItem(item.first - 30000);
        ASSERT_NE(found, nullptr) << item.second;
        EXPECT_EQ(found->GetItemLabel(), item.second);
    }
    EXPECT_EQ(frame->GetToolBar()->GetToolsCount(), 8u + 3u);  // and three separators
    EXPECT_EQ(frame->GetStatusBar()->GetFieldsCount(), 6);

    frame->RunCommand(ID_EDIT_MOVE_MODEL);
    frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_TRUE(g_bMoveModel && bar->FindItem(ID_EDIT_MOVE_MODEL - 30000)->IsChecked());
    frame->RunCommand(ID_EDIT_MOVE_MODEL);
    frame->RunCommand(ID_VIEW_SHOW_GRID_LINES);
    frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    EXPECT_TRUE(!g_bMoveModel && !bar->FindItem(ID_EDIT_MOVE_MODEL - 30000)->IsChecked() && !g_bShowGridLines &&
                !bar->FindItem(ID_VIEW_SHOW_GRID_LINES - 30000)->IsChecked());
    EXPECT_FALSE(bar->FindItem(ID_EDIT_CUT - 30000) && bar->FindItem(ID_EDIT_CUT - 30000)->IsEnabled());

    Import(Example("metric_truss.3dd"));
    const wxPoint origin = Pixel(0, 0);
    g_nMouseX = origin.x;
    g_nMouseY = origin.y + 1;
    frame->UpdateStatusPanes();
    EXPECT_EQ(frame->GetStatusBar()->GetStatusText(2), "   CM   ");
    const wxString pane = frame->GetStatusBar()->GetStatusText(1);
    EXPECT_TRUE(pane.StartsWith("X = 05.") || pane.StartsWith("X = 04.9")) << pane;
    EXPECT_EQ(backend.mainCaption, Example("metric_truss.mwd") + " - Planprint");
}

TEST_F(PlanprintWindowTest, PreviewShowsTilesGridAndOutlinesAtTheirPlace)
{
    Import(Example("metric_truss.3dd"));
    ASSERT_EQ(g_pModel->nMembers, 15);
    wxImage image = Picture();
    ASSERT_TRUE(image.IsOk());
    ASSERT_EQ(image.GetWidth(), g_Scene.nWidth);
    // Green around the guide plane, white on it.
    EXPECT_TRUE(image.GetRed(2, 2) == 0 && image.GetGreen(2, 2) == 128 && image.GetBlue(2, 2) == 0);
    const wxPoint inside = Pixel(-1.9f, -1.9f);
    EXPECT_TRUE(image.GetRed(inside.x, inside.y) > 200 && image.GetBlue(inside.x, inside.y) > 200);
    // The lower edge of chord 1 (from 0 to 10 cm, 0.635 cm deep) and its end,
    // away from the grid's lines.
    const wxPoint edge = Pixel(5.5f, -0.3175f), below = Pixel(5.5f, -0.9f), left = Pixel(-0.3175f, 0.2f);
    bool found = false;
    for (int dy = -1; dy <= 1; ++dy) found = found || Dark(image, edge.x, edge.y + dy);
    EXPECT_TRUE(found) << "no outline at " << edge.x << ", " << edge.y;
    found = false;
    for (int dx = -1; dx <= 1; ++dx) found = found || Dark(image, left.x + dx, left.y);
    EXPECT_TRUE(found) << "no outline end at " << left.x << ", " << left.y;
    EXPECT_FALSE(Dark(image, below.x, below.y));
    // The border between the two tiles, 25.4 cm from the plane's left edge.
    const float tileEdge = 25.4f - g_pModel->fOffsetX;
    found = false;
    for (int dx = -1; dx <= 1; ++dx) found = found || Dark(image, Pixel(tileEdge, 10).x + dx, Pixel(tileEdge, 10).y);
    EXPECT_TRUE(found);
    // A grid line 1 cm from the plane's left edge: grey, gone when the grid is off.
    const wxPoint grid = Pixel(1 - g_pModel->fOffsetX, 12);
    int grey = 255;
    for (int dx = -1; dx <= 1; ++dx) grey = std::min(grey, static_cast<int>(image.GetRed(grid.x + dx, grid.y)));
    EXPECT_LT(grey, 250);
    frame->RunCommand(ID_VIEW_SHOW_GRID_LINES);
    image = Picture();
    for (int dx = -1; dx <= 1; ++dx) EXPECT_EQ(image.GetRed(grid.x + dx, grid.y), 255);
}

TEST_F(PlanprintWindowTest, TileSetupReloadsAndKeepsBadCountsOpen)
{
    frame->RunCommand(ID_FILE_TILE_SETUP);
    CTileSetupDlg* dialog = frame->TileSetupDialog();
    ASSERT_TRUE(dialog && dialog->IsShown() && g_bTileSetupOpen);
    auto* rows = wxDynamicCast(dialog->FindWindow(IDC_ROWS), wxTextCtrl);
    auto* cols = wxDynamicCast(dialog->FindWindow(IDC_COLS), wxTextCtrl);
    ASSERT_TRUE(rows && cols);
    EXPECT_EQ(rows->GetValue(), "1");
    // An import lays out new tiles; the open dialog shows them.
    Import(Example("tower.3dd"));
    EXPECT_TRUE(g_nPaperSize == kPaperLegal && wxDynamicCast(dialog->FindWindow(IDC_LEGAL), wxRadioButton)->GetValue());
    rows->SetValue("11");
    wxCommandEvent apply(wxEVT_BUTTON, IDC_APPLY);
    dialog->ProcessWindowEvent(apply);
    ASSERT_EQ(backend.Boxes().size(), 1u);
    EXPECT_EQ(backend.Boxes()[0].text, "Please enter an integer between 1 and 10.");
    EXPECT_TRUE(dialog->IsShown() && g_nRows == 1);
    rows->SetValue("2");
    cols->SetValue("3");
    dialog->ProcessWindowEvent(apply);
    EXPECT_TRUE(g_nRows == 2 && g_nCols == 3 && g_fGuidePlaneX == 22.5f && g_fGuidePlaneY == 26 && dialog->IsShown());
    // Cancel keeps what Apply did; the command shows the same dialog again.
    wxCommandEvent cancel(wxEVT_BUTTON, wxID_CANCEL);
    dialog->ProcessWindowEvent(cancel);
    EXPECT_TRUE(!dialog->IsShown() && !g_bTileSetupOpen && g_nRows == 2);
    frame->RunCommand(ID_FILE_TILE_SETUP);
    frame->RunCommand(ID_FILE_TILE_SETUP);
    EXPECT_TRUE(frame->TileSetupDialog() == dialog && dialog->IsShown() && cols->GetValue() == "3");
    wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
    dialog->ProcessWindowEvent(ok);
    EXPECT_FALSE(dialog->IsShown() || g_bTileSetupOpen);
}

TEST_F(PlanprintWindowTest, MoveModelDragEndsWhenReleasedOutsideTheView)
{
    Import(Example("tower.3dd"));
    frame->RunCommand(ID_EDIT_MOVE_MODEL);
    const float x0 = g_pModel->fOffsetX, y0 = g_pModel->fOffsetY;
    COGLView* view = frame->View();
    frame->Raise();
    Pump(0.2);
    wxUIActionSimulator sim;
    const wxPoint start = view->ClientToScreen(wxPoint(view->GetClientSize().x / 2, view->GetClientSize().y / 2));
    sim.MouseMove(start);
    Pump(0.1);
    sim.MouseDown();
    Pump(0.1);
    ASSERT_TRUE(IsDraggingModel());
    // Released below the view, over the status bar.
    const wxPoint end = frame->GetStatusBar()->GetScreenPosition() + wxPoint(40, 5);
    sim.MouseMove(end);
    Pump(0.1);
    sim.MouseUp();
    Pump(0.2);
    EXPECT_FALSE(IsDraggingModel());
    EXPECT_FALSE(view->HasCapture());
    EXPECT_LT(g_pModel->fOffsetY, y0 - 1);
    EXPECT_EQ(g_pModel->fOffsetX * 8, std::floor(g_pModel->fOffsetX * 8));
    EXPECT_EQ(g_pModel->fOffsetY * 8, std::floor(g_pModel->fOffsetY * 8));
    EXPECT_NEAR(g_pModel->fOffsetX, x0 + (end.x - start.x) / g_fViewScaleX, 0.13);
}

TEST(PlanprintSettingsFile, WrittenAtExitIntoTheConfigurationFolder)
{
    platform::InstallWxBackend("planprint");
    StartPlanprintState();
    // Every value apart from the others, each to come back into its own global.
    g_nCols = 4, g_nRows = 6, g_fPrintablePageW = 6.5f, g_fPrintablePageH = 11;
    g_fGuidePlaneX = 26, g_fGuidePlaneY = 66, g_nPageOrient = kLandscape, g_nPaperSize = kPaperTabloid;
    g_bPrintMemberNumbers = 0, g_bPrintFileName = 1;
    SetEnglishUnits(false);
    EndPlanprintState();
    const char* folder = std::getenv("XDG_CONFIG_HOME");
    ASSERT_NE(folder, nullptr);
    std::ifstream in(std::string(folder) + "/planprint.conf");
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("/Planprint/Settings]\nCols=4\n"), std::string::npos);
    EXPECT_NE(text.str().find("Cols=4"), std::string::npos);
    EXPECT_NE(text.str().find("PrintablePageW=65"), std::string::npos);
    platform::InstallWxBackend("planprint");
    StartPlanprintState();
    EXPECT_TRUE(g_nCols == 4 && g_nRows == 6 && g_fPrintablePageW == 6.5f && g_fPrintablePageH == 11 &&
                g_fGuidePlaneX == 26 && g_fGuidePlaneY == 66 && g_nPageOrient == kLandscape &&
                g_nPaperSize == kPaperTabloid && g_bPrintMemberNumbers == 0 && g_bPrintFileName == 1 && g_bSIUnits);
    {
        // Nothing changed: the file is not written again.
        SaveFaults count{};
        EndPlanprintState();
        EXPECT_EQ(count.Calls(SaveCall::Write), 0);
    }
    platform::SetBackend(nullptr);
}
