// Planprint's main window: menu, toolbar, status bar with the pointer
// coordinates and the unit, the view with its scroll bars, and the
// commands.
#pragma once

#include <string>

#include <wx/frame.h>

class COGLView;
class CTileSetupDlg;

class CMainFrame : public wxFrame {
public:
    CMainFrame();
    ~CMainFrame() override;

    COGLView* View() const { return m_pView; }
    CTileSetupDlg* TileSetupDialog() const { return m_pTileSetup; }

    // Runs a command as the menu, toolbar or accelerator would.
    void RunCommand(int commandId);
    // The status panes for the pointer and the unit, as on idle.
    void UpdateStatusPanes();

private:
    void BuildMenuBar();
    void BuildToolBar();
    void BuildStatusBar();
    void ShowTileSetup();
    void ShowAboutBox();
    void AfterImport();
    void Print();

    void OnCommand(wxCommandEvent& event);
    void OnUpdateUI(wxUpdateUIEvent& event);
    void OnIdle(wxIdleEvent& event);

    COGLView* m_pView = nullptr;
    CTileSetupDlg* m_pTileSetup = nullptr;
};
