#include "frame/wx_main_frame.h"

#include <algorithm>
#include <functional>
#include <map>
#include <memory>

#include <wx/accel.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/icon.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/aui/auibar.h>

#include "frame/analysis_command.h"
#include "frame/command_ids.h"
#include "frame/file_commands.h"
#include "frame/menu_table.h"
#include "frame/print_commands.h"
#include "frame/wx_dialog_base.h"
#include "frame/wx_dialogs.h"
#include "frame/wx_print_commands.h"
#include "frame/wx_toolbar_icons.h"
#include "platform/platform.h"
#include "platform/wx_backend.h"
#include "state/frame_globals.h"
#include "view/wx_view.h"

namespace {

// The toolbar's buttons are 62 pixels square: a 54-pixel picture in a
// 4-pixel frame.
constexpr int kToolButtonSize = 62;
constexpr int kToolIconSize = 54;

wxString FromUtf8(const char* s) { return wxString::FromUTF8(s); }

int WxId(int commandId) { return ToolkitItemId(commandId); }
int CommandIdOf(int wxId) { return CommandIdOfToolkitItem(wxId); }

const ToolbarButton* FindToolbarButton(int id)
{
    for (int i = 0; i < TOOLBAR_BUTTON_COUNT; ++i)
        if (ToolbarButtons()[i].id == id) return &ToolbarButtons()[i];
    return nullptr;
}

bool IsAcceleratorId(int id)
{
    for (int i = 0; i < AcceleratorCount(); ++i)
        if (Accelerators()[i].id == id) return true;
    return false;
}

// The About box: icon, name, build line and OK.
class CAboutDlg : public wxDialog {
public:
    explicit CAboutDlg(wxWindow* parent) : wxDialog(parent, wxID_ANY, "About Trussforge3D")
    {
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        row->Add(new wxStaticBitmap(this, wxID_ANY, MakeProgramIcon(64)), 0, wxALL, 12);
        auto* texts = new wxBoxSizer(wxVERTICAL);
        texts->Add(new wxStaticText(this, wxID_ANY, "Trussforge3D"), 0, wxBOTTOM, 6);
        texts->Add(new wxStaticText(this, wxID_ANY, "Build " __DATE__), 0);
        row->Add(texts, 1, wxALIGN_CENTER_VERTICAL | wxALL, 12);
        auto* column = new wxBoxSizer(wxVERTICAL);
        column->Add(row, 1, wxEXPAND);
        column->Add(new wxButton(this, wxID_OK, "OK"), 0, wxALIGN_RIGHT | wxALL, 10);
        SetSizerAndFit(column);
        // Wide enough for the whole title in a bold title bar beside the
        // window manager's icon and buttons.
        int title = 0, line = 0;
        const wxFont bold = GetFont().Bold();
        GetTextExtent(GetTitle(), &title, &line, nullptr, nullptr, &bold);
        SetMinSize(wxSize(std::max(GetSize().x, title + 7 * line), GetSize().y));
        SetSize(GetMinSize());
    }
};

}  // namespace

CMainFrame::CMainFrame()
    : wxFrame(nullptr, wxID_ANY, "Trussforge3D", wxPoint(0, 0), wxSize(g_nScreenWidth, g_nScreenHeight))
{
    platform::SetWxMainWindow(this);
    platform::SetMainCaption("Untitled - Trussforge3D");
    InstallDialogs(this);
    wxIcon icon;
    icon.CopyFromBitmap(MakeProgramIcon(48));
    SetIcon(icon);

    BuildMenuBar();
    Bind(wxEVT_MENU, &CMainFrame::OnCommand, this);
    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateUI, this);
    Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);

    auto* view = new CSpan3DView(this);
    if (!view->Created()) {
        view->Destroy();
        return;
    }
    m_pView = view;
    SetModelessView([shown = wxWeakRef<CSpan3DView>(view)](ViewOnScreen& screen) {
        if (!shown || !shown->IsShown()) return false;
        screen = shown->OnScreen();
        return true;
    });
    m_aui.SetManagedWindow(this);
    m_aui.AddPane(view, wxAuiPaneInfo().Name("view").CenterPane());
    BuildToolBar();
    BuildAccelerators();
    m_aui.Update();
}

CMainFrame::~CMainFrame()
{
    if (m_aui.GetManagedWindow()) m_aui.UnInit();
}

void CMainFrame::BuildMenuBar()
{
    auto* bar = new wxMenuBar;
    std::map<std::string, wxMenu*> menus;
    for (int i = 0; i < TopMenuCount(); ++i) menus[TopMenus()[i]] = new wxMenu;

    // A submenu is made where its first item appears.
    std::function<wxMenu*(const std::string&)> menuOf = [&](const std::string& path) -> wxMenu* {
        auto found = menus.find(path);
        if (found != menus.end()) return found->second;
        const size_t slash = path.rfind('/');
        wxMenu* parent = menuOf(path.substr(0, slash));
        auto* menu = new wxMenu;
        parent->AppendSubMenu(menu, wxString::FromUTF8(path.substr(slash + 1)));
        menus[path] = menu;
        return menu;
    };

    for (int i = 0; i < MenuEntryCount(); ++i) {
        const MenuEntry& e = MenuEntries()[i];
        wxMenu* menu = menuOf(e.menu);
        switch (e.kind) {
        case MenuKind::Separator: menu->AppendSeparator(); break;
        case MenuKind::Check: menu->AppendCheckItem(WxId(e.id), FromUtf8(e.text), FromUtf8(e.help)); break;
        case MenuKind::Normal: menu->Append(WxId(e.id), FromUtf8(e.text), FromUtf8(e.help)); break;
        }
    }
    for (int i = 0; i < TopMenuCount(); ++i) bar->Append(menus[TopMenus()[i]], wxString("&") + TopMenus()[i]);
    SetMenuBar(bar);
}

void CMainFrame::BuildToolBar()
{
    m_pToolBar = new wxAuiToolBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                  wxAUI_TB_DEFAULT_STYLE | wxAUI_TB_GRIPPER | wxAUI_TB_PLAIN_BACKGROUND |
                                      wxAUI_TB_OVERFLOW);
    m_pToolBar->SetToolBitmapSize(wxSize(kToolIconSize, kToolIconSize));
    m_pToolBar->SetToolPacking(0);
    m_pToolBar->SetToolBorderPadding((kToolButtonSize - kToolIconSize) / 2);
    for (int i = 0; i < TOOLBAR_BUTTON_COUNT; ++i) {
        const ToolbarButton& b = ToolbarButtons()[i];
        if (b.separatorBefore) m_pToolBar->AddSeparator();
        m_pToolBar->AddTool(WxId(b.id), wxEmptyString, MakeToolbarIcon(b.id, kToolIconSize), wxNullBitmap,
                            b.checkable ? wxITEM_CHECK : wxITEM_NORMAL, FromUtf8(b.tooltip), FromUtf8(b.flyBy),
                            nullptr);
    }
    m_pToolBar->Realize();
    // The toolkit's own overflow menu leaves out check tools (the supports).
    m_pToolBar->Bind(wxEVT_AUITOOLBAR_OVERFLOW_CLICK, [this](wxAuiToolBarEvent& event) {
        std::unique_ptr<wxMenu> menu(ToolBarOverflowMenu());
        m_pToolBar->PopupMenu(menu.get(), event.GetClickPoint().x, m_pToolBar->GetClientSize().y);
    });
    m_aui.AddPane(m_pToolBar, wxAuiPaneInfo()
                                  .Name("toolbar")
                                  .Caption("Toolbar")
                                  .ToolbarPane()
                                  .Top()
                                  .Gripper()
                                  .Floatable()
                                  .Dockable()
                                  .LeftDockable()
                                  .RightDockable()
                                  .TopDockable()
                                  .BottomDockable());
}

wxMenu* CMainFrame::ToolBarOverflowMenu() const
{
    auto* menu = new wxMenu;
    if (!m_pToolBar) return menu;
    bool separator = false;
    for (int i = 0; i < static_cast<int>(m_pToolBar->GetToolCount()); ++i) {
        const wxAuiToolBarItem* tool = m_pToolBar->FindToolByIndex(i);
        if (!tool || m_pToolBar->GetToolFitsByIndex(i)) continue;
        if (tool->GetKind() == wxITEM_SEPARATOR) {
            separator = menu->GetMenuItemCount() > 0;
            continue;
        }
        if (separator) menu->AppendSeparator();
        separator = false;
        // Checks and enables come from the frame's update handler.
        // Text only: a bitmap set on an item of a menu not yet shown asserts
        // in the toolkit.
        if (tool->GetKind() == wxITEM_CHECK)
            menu->AppendCheckItem(tool->GetId(), tool->GetShortHelp());
        else
            menu->Append(tool->GetId(), tool->GetShortHelp());
    }
    return menu;
}

bool CMainFrame::ToolBarShown()
{
    return m_pToolBar && m_aui.GetPane(m_pToolBar).IsShown();
}

void CMainFrame::BuildAccelerators()
{
    std::vector<wxAcceleratorEntry> entries;
    for (int i = 0; i < AcceleratorCount(); ++i) {
        const Accelerator& a = Accelerators()[i];
        int flags = 0;
        if (a.modifiers & ACCEL_CTRL) flags |= wxACCEL_CTRL;
        if (a.modifiers & ACCEL_ALT) flags |= wxACCEL_ALT;
        if (a.modifiers & ACCEL_SHIFT) flags |= wxACCEL_SHIFT;
        const int key = a.key == KEY_BACKSPACE ? WXK_BACK : a.key;
        entries.emplace_back(flags, key, WxId(a.id));
    }
    SetAcceleratorTable(wxAcceleratorTable(static_cast<int>(entries.size()), entries.data()));
}

void CMainFrame::FinishCreation()
{
    ShowWarningMessage();

    g_hPrevCursor = platform::SetCursor(g_hWaitCursor);
    platform::SetCursor(g_hPrevCursor);

    // Joints/Move leaves the menu; its command stays.
    wxMenu* owner = nullptr;
    if (GetMenuBar() && GetMenuBar()->FindItem(WxId(ID_JOINTS_MOVE), &owner) && owner)
        owner->Destroy(WxId(ID_JOINTS_MOVE));

    if (m_pView->StartFileResult() >= 0)
        FinishStartFileRead(m_pView->StartFileResult() == 1, m_pView->StartFileRefusal());
    FinishStartup();
    platform::InvalidateFrame(false);
    m_pView->Refresh(false);
    m_pView->SetFocus();  // the view's keys work at once
}

bool CMainFrame::IsCheckItem(int commandId) const
{
    if (const MenuEntry* e = FindMenuEntry(commandId)) return e->kind == MenuKind::Check;
    if (const ToolbarButton* b = FindToolbarButton(commandId)) return b->checkable;
    return false;
}

void CMainFrame::RunCommand(int commandId)
{
    wxCommandEvent event(wxEVT_MENU, WxId(commandId));
    event.SetEventObject(this);
    ProcessWindowEvent(event);
}

void CMainFrame::OnCommand(wxCommandEvent& event)
{
    const int id = CommandIdOf(event.GetId());
    switch (id) {
    case ID_APP_EXIT: Close(); return;
    case ID_APP_ABOUT: ShowAboutBox(); return;
    case ID_VIEW_TOOLBAR: ToggleToolBar(); return;
    case ID_FILE_PRINT: PrintViewPicture(m_pView); return;
    default: break;
    }
    if (RunPrintCommand(id)) return;
    if (RunFrameCommand(id)) return;
    // Commands of the menus that are not built yet do nothing.
    if (!FindMenuEntry(id) && !FindToolbarButton(id) && !IsAcceleratorId(id)) event.Skip();
}

void CMainFrame::OnUpdateUI(wxUpdateUIEvent& event)
{
    const int id = CommandIdOf(event.GetId());
    if (id == ID_VIEW_TOOLBAR) {
        event.Check(ToolBarShown());
        return;
    }
    if (!FindMenuEntry(id) && !FindToolbarButton(id)) {
        event.Skip();
        return;
    }
    const CommandState state = CommandStateOf(id);
    event.Enable(state.enabled);
    if (IsCheckItem(id)) event.Check(state.checked);
}

void CMainFrame::OnClose(wxCloseEvent& event)
{
    if (event.CanVeto() && !ConfirmExit()) {
        event.Veto();
        return;
    }
    StopResultTimers();
    platform::SetCursor(g_hPrevCursor);
    Destroy();
}

void CMainFrame::ShowAboutBox()
{
    CAboutDlg dialog(this);
    dialog.ShowModal();
}

void CMainFrame::ToggleToolBar()
{
    if (!m_pToolBar) return;
    wxAuiPaneInfo& pane = m_aui.GetPane(m_pToolBar);
    pane.Show(!pane.IsShown());
    m_aui.Update();
}

CMainFrame* StartMainFrame(const std::vector<std::string>& args)
{
    ApplyCommandLine(ParseCommandLine(args));
    TakeScreenSize();
    auto* frame = new CMainFrame;
    if (!frame->Created()) {
        frame->Destroy();
        return nullptr;
    }
    platform::ShowOnScreen(frame);
    frame->FinishCreation();
    return frame;
}
