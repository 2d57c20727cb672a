#include "planprint/wx_main_frame.h"

#include <wx/accel.h>
#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/dcmemory.h>
#include <wx/dialog.h>
#include <wx/icon.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/scrolbar.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include "planprint/command_ids.h"
#include "planprint/frame_commands.h"
#include "planprint/tile_print.h"
#include "planprint/tile_view.h"
#include "planprint/wx_program_icon.h"
#include "planprint/wx_tile_setup_dlg.h"
#include "planprint/wx_view.h"
#include "platform/platform.h"
#include "platform/wx_backend.h"

namespace {

// The toolkit takes ids below 0x7fff: every command goes to it shifted.
constexpr int kIdShift = 30000;
int WxId(int command) { return command - kIdShift; }
int CommandOf(int wxId) { return wxId + kIdShift; }

enum StatusPane { PANE_MESSAGE, PANE_COORDINATES, PANE_UNIT, PANE_CAPS, PANE_NUM, PANE_SCROLL, PANE_COUNT };

struct ToolButton {
    int id;
    wxArtID art;
    const char* tip;
    const char* help;
    bool separatorBefore;
};

const ToolButton kToolButtons[] = {
    {ID_FILE_NEW, wxART_NEW, "New", "Create a new document", false},
    {ID_FILE_OPEN, wxART_FILE_OPEN, "Open", "Open an existing document", false},
    {ID_FILE_SAVE, wxART_FILE_SAVE, "Save", "Save the active document", false},
    {ID_EDIT_CUT, wxART_CUT, "Cut", "Cut the selection and put it on the Clipboard", true},
    {ID_EDIT_COPY, wxART_COPY, "Copy", "Copy the selection and put it on the Clipboard", false},
    {ID_EDIT_PASTE, wxART_PASTE, "Paste", "Insert Clipboard contents", false},
    {ID_FILE_PRINT, wxART_PRINT, "Print", "Print the active document", true},
    {ID_APP_ABOUT, wxART_HELP, "About", "Display program information, version number and copyright", true},
};

// A toolbar picture from the desktop's icon theme, or a plain tile with the
// tool's initial where the theme has none.
wxBitmap ToolBitmap(const ToolButton& b)
{
    wxBitmap bitmap = wxArtProvider::GetBitmap(b.art, wxART_TOOLBAR, wxSize(16, 16));
    if (bitmap.IsOk()) return bitmap;
    bitmap.Create(16, 15, 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxLIGHT_GREY_BRUSH);
    dc.Clear();
    dc.SetPen(*wxBLACK_PEN);
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(0, 0, 16, 15);
    dc.DrawText(wxString(b.tip[0]), 4, 0);
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

// The About box's picture: a model outlined over four page tiles.
wxBitmap AboutPicture()
{
    wxBitmap bitmap(160, 120, 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(wxBrush(wxColour(0, 128, 0)));
    dc.Clear();
    dc.SetBrush(*wxWHITE_BRUSH);
    dc.SetPen(*wxBLACK_PEN);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 2; ++c) dc.DrawRectangle(10 + c * 70, 10 + r * 50, 70, 50);
    dc.SetPen(wxPen(*wxBLACK, 2));
    const wxPoint bottom[] = {{25, 90}, {55, 90}, {85, 90}, {115, 90}, {145, 90}};
    const wxPoint top[] = {{55, 45}, {85, 45}, {115, 45}};
    dc.DrawLine(bottom[0], bottom[4]);
    dc.DrawLine(top[0], top[2]);
    for (int i = 0; i < 3; ++i) {
        dc.DrawLine(bottom[i], top[i]);
        dc.DrawLine(bottom[i + 1], top[i]);
        dc.DrawLine(bottom[i + 2], top[i]);
    }
    dc.SelectObject(wxNullBitmap);
    return bitmap;
}

}  // namespace

CMainFrame::CMainFrame() : wxFrame(nullptr, wxID_ANY, "Untitled - Planprint")
{
    int width = 0, height = 0;
    platform::ScreenSize(width, height);
    SetSize(0, 0, width, height);
    platform::SetWxMainWindow(this);
    wxIcon icon;
    icon.CopyFromBitmap(MakePlanprintIcon(48));
    SetIcon(icon);

    BuildMenuBar();
    BuildToolBar();
    BuildStatusBar();

    // The view fills the client area beside and above its scroll bars.
    auto* client = new wxPanel(this);
    auto* hbar = new wxScrollBar(client, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSB_HORIZONTAL);
    auto* vbar = new wxScrollBar(client, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSB_VERTICAL);
    m_pView = new COGLView(client, hbar, vbar);
    auto* grid = new wxFlexGridSizer(2, 2, 0, 0);
    grid->AddGrowableCol(0);
    grid->AddGrowableRow(0);
    grid->Add(m_pView, 1, wxEXPAND);
    grid->Add(vbar, 0, wxEXPAND);
    grid->Add(hbar, 0, wxEXPAND);
    grid->AddSpacer(0);
    client->SetSizer(grid);

    std::vector<wxAcceleratorEntry> keys = {
        {wxACCEL_CTRL, 'N', WxId(ID_FILE_NEW)},        {wxACCEL_CTRL, 'O', WxId(ID_FILE_OPEN)},
        {wxACCEL_CTRL, 'S', WxId(ID_FILE_SAVE)},       {wxACCEL_CTRL, 'P', WxId(ID_FILE_PRINT)},
        {wxACCEL_CTRL, 'Z', WxId(ID_EDIT_UNDO)},       {wxACCEL_ALT, WXK_BACK, WxId(ID_EDIT_UNDO)},
        {wxACCEL_CTRL, 'X', WxId(ID_EDIT_CUT)},        {wxACCEL_SHIFT, WXK_DELETE, WxId(ID_EDIT_CUT)},
        {wxACCEL_CTRL, 'C', WxId(ID_EDIT_COPY)},       {wxACCEL_CTRL, WXK_INSERT, WxId(ID_EDIT_COPY)},
        {wxACCEL_CTRL, 'V', WxId(ID_EDIT_PASTE)},      {wxACCEL_SHIFT, WXK_INSERT, WxId(ID_EDIT_PASTE)},
    };
    SetAcceleratorTable(wxAcceleratorTable(static_cast<int>(keys.size()), keys.data()));

    Bind(wxEVT_MENU, &CMainFrame::OnCommand, this);
    Bind(wxEVT_TOOL, &CMainFrame::OnCommand, this);
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateUI, this);
    Bind(wxEVT_IDLE, &CMainFrame::OnIdle, this);
    m_pView->SetFocus();
}

CMainFrame::~CMainFrame() = default;

void CMainFrame::BuildMenuBar()
{
    auto* file = new wxMenu;
    file->Append(WxId(ID_FILE_IMPORT_2D), "Import Trussforge2D File ...", "Import a Trussforge 2D model file");
    file->Append(WxId(ID_FILE_IMPORT_3D), "Import Trussforge3D File ...", "Import a Trussforge3D model file");
    file->AppendSeparator();
    file->Append(WxId(ID_FILE_PRINT), "&Print...\tCtrl+P", "Print the tiles");
    file->Append(WxId(ID_FILE_TILE_SETUP), "Tile Setup ...", "Choose the tiles, the paper and the labels");
    file->AppendSeparator();
    file->Append(WxId(ID_APP_EXIT), "E&xit", "Quit the application");
    auto* edit = new wxMenu;
    edit->AppendCheckItem(WxId(ID_EDIT_MOVE_MODEL), "Move Model", "Slide the model over the tiles");
    auto* view = new wxMenu;
    view->AppendCheckItem(WxId(ID_VIEW_TOOLBAR), "&Toolbar", "Show or hide the toolbar");
    view->AppendCheckItem(WxId(ID_VIEW_STATUS_BAR), "&Status Bar", "Show or hide the status bar");
    view->AppendSeparator();
    view->Append(WxId(ID_VIEW_REFRESH), "Refresh", "Draw the picture again");
    view->AppendCheckItem(WxId(ID_VIEW_SHOW_GRID_LINES), "Show Grid Lines", "Show or hide the grid");
    auto* help = new wxMenu;
    help->Append(WxId(ID_APP_ABOUT), "&About Planprint...", "Display program information");
    auto* bar = new wxMenuBar;
    bar->Append(file, "&File");
    bar->Append(edit, "&Edit");
    bar->Append(view, "&View");
    bar->Append(help, "&Help");
    SetMenuBar(bar);
}

void CMainFrame::BuildToolBar()
{
    wxToolBar* toolbar = CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT);
    toolbar->SetToolBitmapSize(wxSize(16, 16));
    for (const ToolButton& b : kToolButtons) {
        if (b.separatorBefore) toolbar->AddSeparator();
        toolbar->AddTool(WxId(b.id), b.tip, ToolBitmap(b), wxNullBitmap, wxITEM_NORMAL, b.tip, b.help);
    }
    toolbar->Realize();
}

void CMainFrame::BuildStatusBar()
{
    wxStatusBar* status = CreateStatusBar(PANE_COUNT);
    const int coordinates = std::max(176, status->GetTextExtent("X = 00.000, Y = 00.000 ").x + 16);
    const int unit = std::max(32, status->GetTextExtent("   IN   ").x + 8);
    const int lock = status->GetTextExtent("SCRL").x + 16;
    const int widths[PANE_COUNT] = {-1, coordinates, unit, lock, lock, lock};
    status->SetStatusWidths(PANE_COUNT, widths);
    SetStatusText("Ready", PANE_MESSAGE);
    SetStatusText("X=0", PANE_COORDINATES);
    SetStatusText(UnitPaneText(), PANE_UNIT);
}

void CMainFrame::UpdateStatusPanes()
{
    wxStatusBar* status = GetStatusBar();
    if (!status) return;
    auto set = [status](int pane, const wxString& text) {
        if (status->GetStatusText(pane) != text) status->SetStatusText(text, pane);
    };
    set(PANE_COORDINATES, CoordinatePaneText());
    set(PANE_UNIT, UnitPaneText());
    set(PANE_CAPS, wxGetKeyState(WXK_CAPITAL) ? "CAP" : "");
    set(PANE_NUM, wxGetKeyState(WXK_NUMLOCK) ? "NUM" : "");
    set(PANE_SCROLL, wxGetKeyState(WXK_SCROLL) ? "SCRL" : "");
}

void CMainFrame::RunCommand(int commandId)
{
    wxCommandEvent event(wxEVT_MENU, WxId(commandId));
    event.SetEventObject(this);
    ProcessWindowEvent(event);
}

void CMainFrame::OnCommand(wxCommandEvent& event)
{
    switch (CommandOf(event.GetId())) {
    case ID_FILE_IMPORT_2D:
        ImportModelFile2d();
        AfterImport();
        break;
    case ID_FILE_IMPORT_3D:
        ImportModelFile3d();
        AfterImport();
        break;
    case ID_FILE_PRINT: Print(); break;
    case ID_FILE_TILE_SETUP: ShowTileSetup(); break;
    case ID_APP_EXIT: Close(); break;
    case ID_EDIT_MOVE_MODEL:
        ToggleMoveModel();
        m_pView->ReleaseDrag();
        break;
    case ID_VIEW_REFRESH: RefreshProjection(); break;
    case ID_VIEW_SHOW_GRID_LINES: ToggleShowGridLines(); break;
    case ID_VIEW_TOOLBAR:
        GetToolBar()->Show(!GetToolBar()->IsShown());
        SendSizeEvent();
        break;
    case ID_VIEW_STATUS_BAR:
        GetStatusBar()->Show(!GetStatusBar()->IsShown());
        SendSizeEvent();
        break;
    case ID_APP_ABOUT: ShowAboutBox(); break;
    case ID_FILE_NEW: DocumentNew(); break;
    case ID_FILE_OPEN: DocumentOpen(); break;
    case ID_FILE_SAVE: DocumentSave(); break;
    default: event.Skip(); break;
    }
}

void CMainFrame::OnUpdateUI(wxUpdateUIEvent& event)
{
    switch (CommandOf(event.GetId())) {
    case ID_EDIT_MOVE_MODEL: event.Check(g_bMoveModel != 0); break;
    case ID_VIEW_SHOW_GRID_LINES: event.Check(g_bShowGridLines != 0); break;
    case ID_VIEW_TOOLBAR: event.Check(GetToolBar() && GetToolBar()->IsShown()); break;
    case ID_VIEW_STATUS_BAR: event.Check(GetStatusBar() && GetStatusBar()->IsShown()); break;
    case ID_EDIT_CUT:
    case ID_EDIT_COPY:
    case ID_EDIT_PASTE:
    case ID_EDIT_UNDO: event.Enable(false); break;
    default: event.Skip(); break;
    }
}

void CMainFrame::OnIdle(wxIdleEvent& event)
{
    UpdateStatusPanes();
    event.Skip();
}

void CMainFrame::AfterImport()
{
    m_pView->SyncScrollBars();
    m_pView->Refresh(false);
    if (m_pTileSetup && g_bTileSetupOpen) m_pTileSetup->LoadControls();
}

void CMainFrame::ShowTileSetup()
{
    if (m_pTileSetup && g_bTileSetupOpen) m_pTileSetup->Hide();
    if (!m_pTileSetup)
        m_pTileSetup = new CTileSetupDlg(this, [this] {
            m_pView->SyncScrollBars();
            m_pView->Refresh(false);
        });
    m_pTileSetup->Show();
    m_pTileSetup->Raise();
    g_bTileSetupOpen = 1;
}

void CMainFrame::ShowAboutBox()
{
    wxDialog about(this, wxID_ANY, "About");
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(new wxStaticBitmap(&about, wxID_ANY, AboutPicture()), 0, wxALL, 12);
    column->Add(new wxButton(&about, wxID_OK, "OK"), 0, wxALIGN_CENTER | wxBOTTOM, 12);
    about.SetSizerAndFit(column);
    about.ShowModal();
}

void CMainFrame::Print() { PrintTiles(); }
