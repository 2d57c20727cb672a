// Default Forces, Axle Loads, Tower Defaults, Intensity and the pixel-format
// information.
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "frame/dialog_ids.h"
#include "frame/settings_dialogs.h"
#include "frame/wx_dialog_base.h"
#include "frame/wx_dialogs.h"

namespace {

constexpr int kValueChars = 10;

class LoadDialog : public CEditorDialog<DefaultForcesEditor> {
public:
    explicit LoadDialog(wxWindow* parent) : CEditorDialog(parent, "Default Forces")
    {
        auto* body = new wxBoxSizer(wxVERTICAL);
        const struct {
            const char* caption;
            int group, label, edit, translated;
        } axes[] = {
            {"Force X", IDC_FORCE_X_GROUP, IDC_FORCE_X_LABEL, IDC_FORCE_X, IDC_FORCE_X_TRANSLATED},
            {"Force Y", IDC_FORCE_Y_GROUP, IDC_FORCE_Y_LABEL, IDC_FORCE_Y, IDC_FORCE_Y_TRANSLATED},
            {"Force Z", IDC_FORCE_Z_GROUP, IDC_FORCE_Z_LABEL, IDC_FORCE_Z, IDC_FORCE_Z_TRANSLATED},
        };
        for (int k = 0; k < 3; ++k) {
            const auto& a = axes[k];
            wxStaticBoxSizer* group = Group(a.caption, a.group);
            auto* row = new wxFlexGridSizer(3, Gap(), 2 * Gap());
            LabelledEdit(row, GroupParent(group), a.label, "Magnitude (pounds) :", a.edit, kValueChars);
            row->Add(Check(GroupParent(group), a.translated, "Translated"), 0, wxALIGN_CENTER_VERTICAL);
            group->Add(row, 0, wxALL, Gap());
            body->Add(group, 0, wxEXPAND | (k ? wxTOP : 0), Gap());
            OnCheck(a.translated, [this, k] { m_editor.TranslatedClicked(k); });
        }
        body->Add(OkCancel(), 0, wxEXPAND | wxTOP, 2 * Gap());
        FinishModal(body);
    }
};

class CDialogTruckDefaults : public CEditorDialog<AxleLoadsEditor> {
public:
    explicit CDialogTruckDefaults(wxWindow* parent) : CEditorDialog(parent, "Axle Loads")
    {
        auto* body = new wxBoxSizer(wxVERTICAL);
        auto* grid = new wxFlexGridSizer(2, Gap(), 2 * Gap());
        LabelledEdit(grid, this, IDC_AXLE_FRONT_LABEL, "Front Axle Load (lbs):", IDC_AXLE_FRONT, kValueChars);
        LabelledEdit(grid, this, IDC_AXLE_REAR_LABEL, "Rear Axle Load (lbs):", IDC_AXLE_REAR, kValueChars);
        body->Add(grid);
        body->Add(ButtonRow({{IDC_AXLE_DEFAULT, "Default"}}), 0, wxEXPAND | wxTOP, 2 * Gap());
        OnButton(IDC_AXLE_DEFAULT, [this] { m_editor.Default(); });
        FinishModal(body);
    }
};

class DialogFanSettings : public CEditorDialog<TowerDefaultsEditor> {
public:
    explicit DialogFanSettings(wxWindow* parent) : CEditorDialog(parent, "Tower Defaults")
    {
        auto* body = new wxBoxSizer(wxVERTICAL);
        auto* grid = new wxFlexGridSizer(2, Gap(), 2 * Gap());
        LabelledEdit(grid, this, IDC_TOWER_WIND_LABEL, "Wind Speed (mph):", IDC_TOWER_WIND, kValueChars);
        body->Add(grid);
        body->Add(Check(this, IDC_TOWER_EMPTY_TANK, "Empty Tank"), 0, wxTOP, 2 * Gap());
        body->Add(Check(this, IDC_TOWER_REVERSE_WIND, "Reverse Wind Direction"), 0, wxTOP, Gap());
        body->Add(OkCancel(), 0, wxEXPAND | wxTOP, 2 * Gap());
        FinishModal(body);
    }
};

class CDialogIntensity : public CEditorDialog<IntensityEditor> {
public:
    CDialogIntensity(wxWindow* parent, short percent) : CEditorDialog(parent, "Intensity", percent)
    {
        auto* body = new wxBoxSizer(wxVERTICAL);
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        auto* slider = new wxSlider(this, IDC_INTENSITY_SLIDER, percent, 0, 100, wxDefaultPosition,
                                    wxSize(30 * GetCharWidth(), -1), wxSL_HORIZONTAL | wxSL_AUTOTICKS);
        slider->SetTickFreq(10);
        row->Add(slider, 1, wxEXPAND | wxRIGHT, 2 * Gap());
        row->Add(Label(this, IDC_INTENSITY_LABEL, "100 "), 0, wxALIGN_CENTER_VERTICAL);
        body->Add(row, 0, wxEXPAND);
        body->Add(OkCancel(), 0, wxEXPAND | wxTOP, 2 * Gap());
        Bind(wxEVT_SLIDER, [this](wxCommandEvent&) { Step([this] { m_editor.Moved(); }); }, IDC_INTENSITY_SLIDER);
        FinishModal(body);
    }
};

class CDialogPixelFormat : public CEditorDialog<PixelFormatViewer> {
public:
    explicit CDialogPixelFormat(wxWindow* parent) : CEditorDialog(parent, "Opengl Pixel Format")
    {
        auto* body = new wxBoxSizer(wxHORIZONTAL);
        wxStaticBoxSizer* flags = Group("dwFlags");
        const struct {
            int id;
            const char* text;
        } checks[] = {
            {IDC_PFD_DRAW_TO_WINDOW, "DRAW_TO_WINDOW"},   {IDC_PFD_DRAW_TO_BITMAP, "DRAW_TO_BITMAP"},
            {IDC_PFD_SUPPORT_GDI, "SUPPORT_GDI"},         {IDC_PFD_SUPPORT_OPENGL, "SUPPORT_OPENGL"},
            {IDC_PFD_GENERIC_FORMAT, "GENERIC_FORMAT"},   {IDC_PFD_GENERIC_ACCELERATED, "GENERIC_ACCELERATED"},
            {IDC_PFD_DOUBLEBUFFER, "DOUBLEBUFFER"},       {IDC_PFD_NEED_PALETTE, "NEED_PALETTE"},
            {IDC_PFD_NEED_SYSTEM_PALETTE, "NEED_SYSTEM_PALETTE"},
        };
        for (const auto& c : checks) flags->Add(Check(GroupParent(flags), c.id, c.text), 0, wxALL, Gap() / 2);
        body->Add(flags, 0, wxEXPAND | wxRIGHT, 2 * Gap());

        auto* right = new wxBoxSizer(wxVERTICAL);
        wxStaticBoxSizer* type = Group("iPixelType");
        type->Add(new wxRadioButton(GroupParent(type), IDC_PFD_RGBA, "RGBA", wxDefaultPosition, wxDefaultSize,
                                    wxRB_GROUP), 0, wxALL, Gap() / 2);
        type->Add(new wxRadioButton(GroupParent(type), IDC_PFD_COLOR_INDEX, "Color Index"), 0, wxALL, Gap() / 2);
        right->Add(type, 0, wxEXPAND);
        auto* bits = new wxFlexGridSizer(2, Gap(), 2 * Gap());
        LabelledEdit(bits, this, wxID_ANY, "ColorBits: ", IDC_PFD_COLOR_BITS, 4);
        LabelledEdit(bits, this, wxID_ANY, "DepthBits: ", IDC_PFD_DEPTH_BITS, 4);
        right->Add(bits, 0, wxTOP, 2 * Gap());
        right->AddStretchSpacer();
        right->Add(OkCancel(true, false), 0, wxEXPAND | wxTOP, 2 * Gap());
        body->Add(right, 0, wxEXPAND);
        FinishModal(body);
    }
};

}  // namespace

bool RunDefaultForces()
{
    LoadDialog dialog(DialogOwner());
    return dialog.ShowModal() == wxID_OK;
}

bool RunAxleLoads()
{
    CDialogTruckDefaults dialog(DialogOwner());
    return dialog.ShowModal() == wxID_OK;
}

bool RunTowerDefaults()
{
    DialogFanSettings dialog(DialogOwner());
    return dialog.ShowModal() == wxID_OK;
}

bool RunIntensity(short& percent)
{
    CDialogIntensity dialog(DialogOwner(), percent);
    if (dialog.ShowModal() != wxID_OK) return false;
    percent = dialog.editor().Percent();
    return true;
}

void RunPixelFormat()
{
    CDialogPixelFormat dialog(DialogOwner());
    dialog.ShowModal();
}
