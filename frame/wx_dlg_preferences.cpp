// "Trussforge3D Preferences".
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>

#include "frame/dialog_ids.h"
#include "frame/preferences_editor.h"
#include "frame/wx_dialog_base.h"
#include "frame/wx_dialogs.h"

namespace {

class CDialogProgPrefs : public CEditorDialog<PreferencesEditor> {
public:
    explicit CDialogProgPrefs(wxWindow* parent) : CEditorDialog(parent, "Trussforge3D Preferences")
    {
        auto* body = new wxBoxSizer(wxVERTICAL);
        auto* top = new wxBoxSizer(wxHORIZONTAL);

        wxStaticBoxSizer* space = Group("WorkSpace Size");
        auto* spaceGrid = new wxFlexGridSizer(2, Gap(), 2 * Gap());
        LabelledEdit(spaceGrid, GroupParent(space), IDC_PREF_XMAX_LABEL, "Xmax (in)", IDC_PREF_XMAX, 5);
        LabelledEdit(spaceGrid, GroupParent(space), IDC_PREF_YMAX_LABEL, "Ymax (in)", IDC_PREF_YMAX, 5);
        LabelledEdit(spaceGrid, GroupParent(space), IDC_PREF_ZMAX_LABEL, "Zmax (in)", IDC_PREF_ZMAX, 5);
        space->Add(spaceGrid, 0, wxALL, Gap());
        top->Add(space, 0, wxEXPAND | wxRIGHT, 2 * Gap());

        wxStaticBoxSizer* speed = Group("Movement Speed");
        auto* speedGrid = new wxFlexGridSizer(2, Gap(), 2 * Gap());
        LabelledEdit(speedGrid, GroupParent(speed), IDC_PREF_ANGULAR_LABEL, "Angular (deg.)", IDC_PREF_ANGULAR, 8);
        LabelledEdit(speedGrid, GroupParent(speed), IDC_PREF_LINEAR_LABEL, "Linear (in)", IDC_PREF_LINEAR, 8);
        speed->Add(speedGrid, 0, wxALL, Gap());
        auto* right = new wxBoxSizer(wxVERTICAL);
        right->Add(speed, 0, wxEXPAND);
        right->Add(Check(this, IDC_PREF_SOUND_ON, "Sound On"), 0, wxTOP | wxLEFT, 2 * Gap());
        top->Add(right, 1, wxEXPAND);
        body->Add(top, 0, wxEXPAND);

        wxStaticBoxSizer* helpers = Group("Helper Applications and Documents");
        auto* helperGrid = new wxFlexGridSizer(3, Gap(), 2 * Gap());
        helperGrid->AddGrowableCol(1);
        const struct {
            const char* label;
            int edit, browse;
            const char* button;
        } rows[] = {
            {"Results Viewer", IDC_PREF_TEXT_VIEWER, IDC_PREF_BROWSE_TEXT_VIEWER, "Browse..."},
            {"Graphic Viewer", IDC_PREF_GRAPHIC_VIEWER, IDC_PREF_BROWSE_GRAPHIC_VIEWER, "Browse..."},
            {"Internet Browser", IDC_PREF_BROWSER, IDC_PREF_BROWSE_BROWSER, "Browse ..."},
            {"User's Manual", IDC_PREF_MANUAL, IDC_PREF_BROWSE_MANUAL, "Browse ..."},
        };
        for (const auto& r : rows) {
            LabelledEdit(helperGrid, GroupParent(helpers), wxID_ANY, r.label, r.edit, 40)->SetMaxLength(255);
            helperGrid->Add(Button(GroupParent(helpers), r.browse, r.button), 0, wxALIGN_CENTER_VERTICAL);
        }
        helpers->Add(helperGrid, 1, wxEXPAND | wxALL, Gap());
        body->Add(helpers, 0, wxEXPAND | wxTOP, 2 * Gap());

        body->Add(ButtonRow({{IDC_PREF_DEFAULT, "Default"}, {IDC_PREF_SAVE, "Save"}}), 0, wxEXPAND | wxTOP, 2 * Gap());

        OnButton(IDC_PREF_DEFAULT, [this] { m_editor.Default(); });
        OnButton(IDC_PREF_SAVE, [this] { m_editor.Save(); });
        OnButton(IDC_PREF_BROWSE_TEXT_VIEWER, [this] { m_editor.Browse(0); });
        OnButton(IDC_PREF_BROWSE_GRAPHIC_VIEWER, [this] { m_editor.Browse(1); });
        OnButton(IDC_PREF_BROWSE_BROWSER, [this] { m_editor.Browse(2); });
        OnButton(IDC_PREF_BROWSE_MANUAL, [this] { m_editor.Browse(3); });
        OnCheck(IDC_PREF_SOUND_ON, [this] { m_editor.SoundOn(); });
        OnButton(wxID_CANCEL, [this] {
            m_editor.Cancel();
            EndModal(wxID_CANCEL);
        });
        FinishModal(body);
    }
};

}  // namespace

void RunPreferences()
{
    CDialogProgPrefs dialog(DialogOwner());
    dialog.ShowModal();
}
