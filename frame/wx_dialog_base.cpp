#include "frame/wx_dialog_base.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "frame/dialog_ids.h"

namespace {

// Where the user left each modeless dialog, by caption, for this run.
std::map<std::string, wxPoint> s_modelessPlaces;
// The main window's view, where modeless dialogs open.
std::function<bool(ViewOnScreen&)> s_modelessView;

wxString Wx(const std::string& s) { return wxString::FromUTF8(s.c_str()); }
wxString Wx(const char* s) { return wxString::FromUTF8(s); }
std::string Utf8(const wxString& s) { return std::string(s.utf8_str()); }

}  // namespace

// ---------------------------------------------------------------- controls by id

wxWindow* WxDialogControls::Find(int id) const
{
    wxWindow* w = dialog_->FindWindow(id);
    if (!w && id == IDC_OK) w = dialog_->FindWindow(wxID_OK);
    if (!w && id == IDC_CANCEL) w = dialog_->FindWindow(wxID_CANCEL);
    return w;
}

std::string WxDialogControls::Text(int id) const
{
    wxWindow* w = Find(id);
    if (auto* t = dynamic_cast<wxTextCtrl*>(w)) return Utf8(t->GetValue());
    if (auto* c = dynamic_cast<wxChoice*>(w)) return Utf8(c->GetStringSelection());
    if (auto* c = dynamic_cast<wxControl*>(w)) return Utf8(c->GetLabelText());
    return std::string();
}

void WxDialogControls::SetText(int id, const std::string& text)
{
    wxWindow* w = Find(id);
    if (auto* t = dynamic_cast<wxTextCtrl*>(w)) {
        t->ChangeValue(Wx(text));
    } else if (auto* c = dynamic_cast<wxControl*>(w)) {
        if (c->GetLabelText() == Wx(text)) return;
        c->SetLabelText(Wx(text));
        layoutChanged = true;
    }
}

bool WxDialogControls::Checked(int id) const
{
    wxWindow* w = Find(id);
    if (auto* c = dynamic_cast<wxCheckBox*>(w)) return c->GetValue();
    if (auto* r = dynamic_cast<wxRadioButton*>(w)) return r->GetValue();
    return false;
}

void WxDialogControls::SetChecked(int id, bool on)
{
    wxWindow* w = Find(id);
    if (auto* c = dynamic_cast<wxCheckBox*>(w)) c->SetValue(on);
    if (auto* r = dynamic_cast<wxRadioButton*>(w)) r->SetValue(on);
}

void WxDialogControls::SetChoices(int id, const std::vector<std::string>& items)
{
    auto* c = dynamic_cast<wxChoice*>(Find(id));
    if (!c) return;
    wxArrayString list;
    for (const std::string& s : items) list.Add(Wx(s));
    c->Set(list);
    layoutChanged = true;
}

int WxDialogControls::Selection(int id) const
{
    auto* c = dynamic_cast<wxChoice*>(Find(id));
    const int sel = c ? c->GetSelection() : wxNOT_FOUND;
    return sel == wxNOT_FOUND ? -1 : sel;
}

void WxDialogControls::SetSelection(int id, int index)
{
    auto* c = dynamic_cast<wxChoice*>(Find(id));
    if (c) c->SetSelection(index >= 0 && index < static_cast<int>(c->GetCount()) ? index : wxNOT_FOUND);
}

int WxDialogControls::SliderPos(int id) const
{
    auto* s = dynamic_cast<wxSlider*>(Find(id));
    return s ? s->GetValue() : 0;
}

void WxDialogControls::SetSliderPos(int id, int pos)
{
    if (auto* s = dynamic_cast<wxSlider*>(Find(id))) s->SetValue(pos);
}

void WxDialogControls::Enable(int id, bool on)
{
    if (wxWindow* w = Find(id)) w->Enable(on);
}

void WxDialogControls::Show(int id, bool on)
{
    wxWindow* w = Find(id);
    if (!w || w->IsShown() == on) return;
    w->Show(on);
    layoutChanged = true;
}

void WxDialogControls::SetReadOnly(int id, bool on)
{
    if (auto* t = dynamic_cast<wxTextCtrl*>(Find(id))) t->SetEditable(!on);
}

void WxDialogControls::Focus(int id)
{
    wxWindow* w = Find(id);
    if (!w) return;
    w->SetFocus();
    if (auto* t = dynamic_cast<wxTextCtrl*>(w)) t->SelectAll();
}

void WxDialogControls::SetSwatch(int id, unsigned char r, unsigned char g, unsigned char b)
{
    if (wxWindow* w = Find(id)) {
        w->SetBackgroundColour(wxColour(r, g, b));
        w->Refresh();
    }
}

// ---------------------------------------------------------------- dialog base

CTf3dDialog::CTf3dDialog(wxWindow* parent, const char* caption)
    : wxDialog(parent, wxID_ANY, Wx(caption), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      controls_(this)
{
}

int CTf3dDialog::Gap() const { return wxSizerFlags::GetDefaultBorder(); }

wxTextCtrl* CTf3dDialog::Edit(wxWindow* parent, int id, int chars, long style)
{
    auto* edit = new wxTextCtrl(parent, id, wxEmptyString, wxDefaultPosition, wxDefaultSize, style);
    const int width = edit->GetTextExtent(wxString('0', chars)).x + 4 * Gap();
    edit->SetMinSize(wxSize(width, -1));
    return edit;
}

wxStaticText* CTf3dDialog::Label(wxWindow* parent, int id, const char* text)
{
    auto* label = new wxStaticText(parent, id, wxEmptyString);
    label->SetLabelText(Wx(text));
    return label;
}

wxCheckBox* CTf3dDialog::Check(wxWindow* parent, int id, const char* text)
{
    return new wxCheckBox(parent, id, Wx(text));
}

wxButton* CTf3dDialog::Button(wxWindow* parent, int id, const char* text)
{
    auto* button = new wxButton(parent, id, wxEmptyString);
    button->SetLabelText(Wx(text));
    return button;
}

wxStaticBoxSizer* CTf3dDialog::Group(const char* caption, int id)
{
    return new wxStaticBoxSizer(new wxStaticBox(this, id, Wx(caption)), wxVERTICAL);
}

wxWindow* CTf3dDialog::GroupParent(wxStaticBoxSizer* group) { return group->GetStaticBox(); }

wxTextCtrl* CTf3dDialog::LabelledEdit(wxFlexGridSizer* grid, wxWindow* parent, int labelId, const char* label,
                                      int editId, int chars, long style)
{
    grid->Add(Label(parent, labelId, label), 0, wxALIGN_CENTER_VERTICAL);
    wxTextCtrl* edit = Edit(parent, editId, chars, style);
    grid->Add(edit, 1, wxEXPAND | wxALIGN_CENTER_VERTICAL);
    return edit;
}

wxSizer* CTf3dDialog::OkCancel(bool ok, bool cancel, const char* okText)
{
    auto* buttons = new wxStdDialogButtonSizer;
    if (ok) {
        wxButton* b = Button(this, wxID_OK, okText);
        b->SetDefault();
        buttons->AddButton(b);
    }
    if (cancel) buttons->AddButton(Button(this, wxID_CANCEL, "Cancel"));
    buttons->Realize();
    return buttons;
}

void CTf3dDialog::Finish(wxSizer* body)
{
    auto* outer = new wxBoxSizer(wxVERTICAL);
    outer->Add(body, 1, wxEXPAND | wxALL, 2 * Gap());
    SetSizerAndFit(outer);
    controls_.layoutChanged = false;
    CentreOnParent();
}

void CTf3dDialog::OnButton(int id, std::function<void()> handler)
{
    Bind(wxEVT_BUTTON, [this, handler](wxCommandEvent&) { Step(handler); }, id);
}

void CTf3dDialog::OnCheck(int id, std::function<void()> handler)
{
    Bind(wxEVT_CHECKBOX, [this, handler](wxCommandEvent&) { Step(handler); }, id);
}

void CTf3dDialog::OnChoice(int id, std::function<void()> handler)
{
    Bind(wxEVT_CHOICE, [this, handler](wxCommandEvent&) { Step(handler); }, id);
}

void CTf3dDialog::Relayout()
{
    if (!controls_.layoutChanged || !GetSizer()) return;
    controls_.layoutChanged = false;
    const wxSize best = GetSizer()->ComputeFittingWindowSize(this);
    const wxSize now = GetSize();
    SetMinSize(wxDefaultSize);
    SetSize(wxSize(std::max(best.x, now.x), std::max(best.y, now.y)));
    SetMinSize(best);
    Layout();
}

void CTf3dDialog::Step(const std::function<void()>& step)
{
    step();
    Relayout();
}

wxSizer* CTf3dDialog::ButtonRow(std::initializer_list<std::pair<int, const char*>> left)
{
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    for (const auto& b : left) row->Add(Button(this, b.first, b.second), 0, wxRIGHT, Gap());
    row->AddSpacer(3 * Gap());
    row->AddStretchSpacer();
    row->Add(OkCancel());
    return row;
}

void CTf3dDialog::FollowTables(std::function<bool()> refresh, std::function<void()> close)
{
    Bind(wxEVT_IDLE, [this, refresh, close](wxIdleEvent& event) {
        event.Skip();
        if (Closing()) return;
        bool alive = true;
        Step([&alive, &refresh] { alive = refresh(); });
        if (!alive) close();
    });
}

void ForgetModelessPlaces() { s_modelessPlaces.clear(); }

void SetModelessView(std::function<bool(ViewOnScreen&)> view) { s_modelessView = std::move(view); }

namespace {

long long OverlapArea(const wxRect& a, const wxRect& b)
{
    const wxRect both = a.Intersect(b);
    return both.IsEmpty() ? 0 : static_cast<long long>(both.width) * both.height;
}

}  // namespace

void CTf3dDialog::PlaceModeless()
{
    const auto known = s_modelessPlaces.find(Utf8(GetTitle()));
    if (known != s_modelessPlaces.end()) {
        Move(known->second);
        placedAt_ = GetPosition();
        return;
    }
    wxWindow* owner = GetParent();
    if (!owner) return;
    ViewOnScreen view;
    if (!s_modelessView || !s_modelessView(view)) return;
    const wxRect& area = view.area;
    const int gap = 2 * Gap();
    // What it should not hide: the model (with room for its joints and
    // sticks) and the program's other open modeless dialogs, the most.
    wxRect model = view.model;
    if (!model.IsEmpty()) model.Inflate(2 * gap);
    // Nor the texts over the picture: the prompt and the status lines at
    // its top left (a row of places lies below them), and any labels.
    int textBottom = 0;
    for (const wxRect& text : view.texts)
        if (text.x - area.x < 2 * text.height) textBottom = std::max(textBottom, text.y - area.y + text.height);
    std::vector<wxRect> others;
    for (wxWindow* child : owner->GetChildren()) {
        auto* dialog = dynamic_cast<CTf3dDialog*>(child);
        if (dialog && dialog != this && dialog->IsShown() && !dialog->Closing()) others.push_back(dialog->GetScreenRect());
    }
    // Along the view's edges, the top right first.
    const wxSize size = GetSize();
    const int left = area.x + gap, right = std::max(left, area.GetRight() + 1 - size.x - gap);
    const int top = area.y + gap, bottom = std::max(top, area.GetBottom() + 1 - size.y - gap);
    const int centre = (left + right) / 2, middle = (top + bottom) / 2;
    const int belowTexts = std::min(bottom, area.y + textBottom + gap);
    const wxPoint candidates[] = {{right, top},        {left, top},        {right, belowTexts}, {left, belowTexts},
                                  {right, bottom},     {left, bottom},     {centre, top},       {centre, belowTexts},
                                  {centre, bottom},    {right, middle},    {left, middle}};
    wxPoint best = candidates[0];
    long long bestCost = -1;
    for (const wxPoint& at : candidates) {
        const wxRect placed(at, size);
        long long cost = model.IsEmpty() ? 0 : OverlapArea(placed, model);
        for (const wxRect& text : view.texts) cost += OverlapArea(placed, text);
        for (const wxRect& other : others) cost += 4 * OverlapArea(placed, other);
        if (bestCost < 0 || cost < bestCost) best = at, bestCost = cost;
    }
    Move(best);
    placedAt_ = GetPosition();
}

void CTf3dDialog::CloseModeless()
{
    // Only a place the user chose is kept: one the program chose is chosen
    // again next time, clear of what is open then.
    if (!closing_ && IsShown() && GetPosition() != placedAt_) s_modelessPlaces[Utf8(GetTitle())] = GetPosition();
    closing_ = true;
    Hide();
    Destroy();
}
