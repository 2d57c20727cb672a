// TF3D's one top-level window: the 3D view, the toolbar, the menu bar and
// the routing of every command to its handler.
#pragma once

#include <string>
#include <vector>

#include <wx/aui/framemanager.h>
#include <wx/frame.h>

class CSpan3DView;
class wxAuiToolBar;
class wxMenu;

class CMainFrame : public wxFrame {
public:
    // Fills the screen, creates the view (which reads g_strStartFile), the
    // menu bar and the toolbar.
    CMainFrame();
    ~CMainFrame() override;

    // False when the view could not set up OpenGL (it has said why).
    bool Created() const { return m_pView != nullptr; }
    CSpan3DView* View() const { return m_pView; }
    // The toolbar: docked at the top, floated or docked at any side by the user.
    wxAuiToolBar* ToolBar() const { return m_pToolBar; }
    bool ToolBarShown();
    // The tools that do not fit on the toolbar, check tools included, as
    // its overflow button offers them.
    wxMenu* ToolBarOverflowMenu() const;

    // The start-up steps after the window is shown: warning, wait cursor,
    // Joints/Move removed, the start file's outcome, preferences and the
    // initial camera.
    void FinishCreation();

    // Runs a command as the menu, toolbar or accelerator would.
    void RunCommand(int commandId);

private:
    void BuildMenuBar();
    void BuildToolBar();
    void BuildAccelerators();
    void ShowAboutBox();
    void ToggleToolBar();
    bool IsCheckItem(int commandId) const;

    void OnCommand(wxCommandEvent& event);
    void OnUpdateUI(wxUpdateUIEvent& event);
    void OnClose(wxCloseEvent& event);

    CSpan3DView* m_pView = nullptr;
    wxAuiToolBar* m_pToolBar = nullptr;
    wxAuiManager m_aui;
};

// Program start-up once the toolkit runs: reads the command line (the
// arguments after the program name), creates, shows and finishes the main
// frame. nullptr when the view could not be created; the frame is then
// already on its way out.
CMainFrame* StartMainFrame(const std::vector<std::string>& args);
