#include "planprint/wx_tile_setup_dlg.h"

#include <string>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/spinbutt.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "planprint/program.h"
#include "planprint/settings.h"
#include "planprint/tile_setup.h"
#include "planprint/tile_view.h"
#include "platform/platform.h"

namespace {

// A number edit with its up-down control, 1 to 10.
wxSizer* CountRow(wxWindow* parent, wxWindow* box, int labelId, const char* label, wxTextCtrl*& edit, int editId,
                  wxSpinButton*& spin, int spinId)
{
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(box, labelId, label), 1, wxALIGN_CENTER_VERTICAL);
    edit = new wxTextCtrl(box, editId, "1", wxDefaultPosition, parent->FromDIP(wxSize(48, -1)));
    spin = new wxSpinButton(box, spinId, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL | wxSP_ARROW_KEYS);
    spin->SetRange(1, 10);
    row->Add(edit, 0, wxALIGN_CENTER_VERTICAL);
    row->Add(spin, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 2);
    // The spin steps the number in its edit.
    spin->Bind(wxEVT_SPIN, [edit](wxSpinEvent& e) { edit->ChangeValue(std::to_string(e.GetPosition())); });
    edit->Bind(wxEVT_TEXT, [edit, spin](wxCommandEvent&) {
        long v;
        if (edit->GetValue().ToLong(&v) && v >= 1 && v <= 10) spin->SetValue(static_cast<int>(v));
    });
    return row;
}

}  // namespace

CTileSetupDlg::CTileSetupDlg(wxWindow* owner, std::function<void()> applied)
    : wxDialog(owner, wxID_ANY, "Print Tile Setup"), m_applied(std::move(applied))
{
    auto* orientation = new wxStaticBoxSizer(new wxStaticBox(this, IDC_ORIENTATION, "Orientation"), wxVERTICAL);
    m_pPortrait = new wxRadioButton(orientation->GetStaticBox(), IDC_PORTRAIT, "Portrait", wxDefaultPosition,
                                    wxDefaultSize, wxRB_GROUP);
    m_pLandscape = new wxRadioButton(orientation->GetStaticBox(), IDC_LANDSCAPE, "Landscape");
    orientation->Add(m_pPortrait, 0, wxALL, 3);
    orientation->Add(m_pLandscape, 0, wxALL, 3);

    auto* paper = new wxStaticBoxSizer(new wxStaticBox(this, IDC_PAPER_SIZE, "Paper Size"), wxVERTICAL);
    m_pLetter = new wxRadioButton(paper->GetStaticBox(), IDC_LETTER, "Letter ( 8.5x11 )", wxDefaultPosition,
                                  wxDefaultSize, wxRB_GROUP);
    m_pLegal = new wxRadioButton(paper->GetStaticBox(), IDC_LEGAL, "Legal ( 8.5x14 )");
    m_pTabloid = new wxRadioButton(paper->GetStaticBox(), IDC_TABLOID, "Tabloid ( 11x17 )");
    for (wxRadioButton* b : {m_pLetter, m_pLegal, m_pTabloid}) paper->Add(b, 0, wxALL, 3);

    auto* layout = new wxStaticBoxSizer(new wxStaticBox(this, IDC_TILE_LAYOUT, "Tile Layout"), wxVERTICAL);
    wxWindow* box = layout->GetStaticBox();
    layout->Add(CountRow(this, box, IDC_ROWS_LABEL, "Rows : ", m_pRows, IDC_ROWS, m_pRowsSpin, IDC_ROWS_SPIN), 0,
                wxEXPAND | wxALL, 3);
    layout->Add(CountRow(this, box, IDC_COLS_LABEL, "Columns : ", m_pCols, IDC_COLS, m_pColsSpin, IDC_COLS_SPIN), 0,
                wxEXPAND | wxALL, 3);

    m_pPrintFileName = new wxCheckBox(this, IDC_PRINT_FILE_NAME, "Print File Name");
    m_pPrintMemberNumbers = new wxCheckBox(this, IDC_PRINT_MEMBER_NUMBERS, "Print Member Numbers");

    auto* left = new wxBoxSizer(wxVERTICAL);
    left->Add(orientation, 0, wxEXPAND | wxBOTTOM, 6);
    left->Add(paper, 0, wxEXPAND);
    auto* right = new wxBoxSizer(wxVERTICAL);
    right->Add(layout, 0, wxEXPAND | wxBOTTOM, 6);
    right->Add(m_pPrintFileName, 0, wxALL, 3);
    right->Add(m_pPrintMemberNumbers, 0, wxALL, 3);
    auto* columns = new wxBoxSizer(wxHORIZONTAL);
    columns->Add(left, 1, wxEXPAND | wxRIGHT, 8);
    columns->Add(right, 1, wxEXPAND);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* ok = new wxButton(this, wxID_OK, "OK");
    buttons->Add(ok, 0, wxRIGHT, 6);
    buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0, wxRIGHT, 6);
    buttons->Add(new wxButton(this, IDC_APPLY, "Apply"));
    ok->SetDefault();

    auto* all = new wxBoxSizer(wxVERTICAL);
    all->Add(columns, 1, wxEXPAND | wxALL, 10);
    all->Add(buttons, 0, wxALIGN_RIGHT | wxLEFT | wxRIGHT | wxBOTTOM, 10);
    SetSizerAndFit(all);

    Bind(wxEVT_BUTTON, &CTileSetupDlg::OnApply, this, IDC_APPLY);
    Bind(wxEVT_BUTTON, &CTileSetupDlg::OnOk, this, wxID_OK);
    Bind(wxEVT_BUTTON, &CTileSetupDlg::OnCancel, this, wxID_CANCEL);
    Bind(wxEVT_CLOSE_WINDOW, &CTileSetupDlg::OnClose, this);
    LoadControls();
}

void CTileSetupDlg::LoadControls()
{
    const TileSetupValues v = CurrentTileSetup();
    (v.orient == kPortrait ? m_pPortrait : m_pLandscape)->SetValue(true);
    (v.paper == kPaperLetter ? m_pLetter : v.paper == kPaperLegal ? m_pLegal : m_pTabloid)->SetValue(true);
    m_pRows->ChangeValue(std::to_string(v.rows));
    m_pCols->ChangeValue(std::to_string(v.cols));
    m_pRowsSpin->SetValue(v.rows);
    m_pColsSpin->SetValue(v.cols);
    m_pPrintFileName->SetValue(v.printFileName != 0);
    m_pPrintMemberNumbers->SetValue(v.printMemberNumbers != 0);
}

bool CTileSetupDlg::ReadCount(wxTextCtrl* edit, int& value)
{
    std::string message;
    if (ParseTileCount(edit->GetValue().ToStdString(), value, message)) return true;
    platform::MessageBox(message, kPlanprintTitle, platform::MB_OK | platform::MB_ICONEXCLAMATION);
    edit->SetFocus();
    edit->SelectAll();
    return false;
}

bool CTileSetupDlg::ApplyControls()
{
    TileSetupValues v;
    if (!ReadCount(m_pRows, v.rows) || !ReadCount(m_pCols, v.cols)) return false;
    v.orient = m_pPortrait->GetValue() ? kPortrait : kLandscape;
    v.paper = m_pLetter->GetValue() ? kPaperLetter : m_pLegal->GetValue() ? kPaperLegal : kPaperTabloid;
    v.printFileName = m_pPrintFileName->GetValue();
    v.printMemberNumbers = m_pPrintMemberNumbers->GetValue();
    ApplyTileSetup(v);
    platform::InvalidateFrame(false);
    if (m_applied) m_applied();
    return true;
}

bool CTileSetupDlg::Show(bool show)
{
    // Whatever changed the settings meanwhile shows.
    if (show) LoadControls();
    return wxDialog::Show(show);
}

void CTileSetupDlg::OnApply(wxCommandEvent&)
{
    if (ApplyControls()) LoadControls();
}

void CTileSetupDlg::OnOk(wxCommandEvent&)
{
    if (ApplyControls()) CloseDialog(true);
}

void CTileSetupDlg::OnCancel(wxCommandEvent&) { CloseDialog(false); }

void CTileSetupDlg::OnClose(wxCloseEvent&) { CloseDialog(false); }

void CTileSetupDlg::CloseDialog(bool applied)
{
    if (!applied) platform::InvalidateFrame(false);
    g_bTileSetupOpen = 0;
    Hide();
}
