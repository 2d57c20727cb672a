// The modeless Print Tile Setup dialog: orientation, paper, rows, columns
// and the two labels, applied to the tile settings.
#pragma once

#include <functional>

#include <wx/dialog.h>

class wxCheckBox;
class wxRadioButton;
class wxSpinButton;
class wxTextCtrl;

// Control ids of the dialog.
enum TileSetupControl {
    IDC_ORIENTATION = 1004, IDC_PORTRAIT = 1005, IDC_LANDSCAPE = 1006,
    IDC_PAPER_SIZE = 1007, IDC_LETTER = 1008, IDC_LEGAL = 1009, IDC_TABLOID = 1010,
    IDC_ROWS_LABEL = 1011, IDC_ROWS = 1012, IDC_ROWS_SPIN = 1013,
    IDC_COLS_LABEL = 1014, IDC_COLS = 1015, IDC_COLS_SPIN = 1016,
    IDC_APPLY = 1017, IDC_TILE_LAYOUT = 1029,
    IDC_PRINT_FILE_NAME = 1032, IDC_PRINT_MEMBER_NUMBERS = 1033,
};

class CTileSetupDlg : public wxDialog {
public:
    // applied runs after every change of the settings (Apply and OK).
    CTileSetupDlg(wxWindow* owner, std::function<void()> applied);

    // The controls from the current settings.
    void LoadControls();
    // Apply: false, with a message, when rows or columns are out of range.
    bool ApplyControls();

    bool Show(bool show = true) override;

private:
    void OnApply(wxCommandEvent& event);
    void OnOk(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    void CloseDialog(bool applied);
    bool ReadCount(wxTextCtrl* edit, int& value);

    std::function<void()> m_applied;
    wxRadioButton* m_pPortrait;
    wxRadioButton* m_pLandscape;
    wxRadioButton* m_pLetter;
    wxRadioButton* m_pLegal;
    wxRadioButton* m_pTabloid;
    wxTextCtrl* m_pRows;
    wxTextCtrl* m_pCols;
    wxSpinButton* m_pRowsSpin;
    wxSpinButton* m_pColsSpin;
    wxCheckBox* m_pPrintFileName;
    wxCheckBox* m_pPrintMemberNumbers;
};
