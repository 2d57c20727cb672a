// Joint Properties and Member Properties (modeless), Default Member
// Properties and "Create Joint in Member" (modal).
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "frame/dialog_ids.h"
#include "frame/property_dialogs.h"
#include "frame/wx_dialog_base.h"
#include "frame/wx_dialogs.h"
#include "model/tables.h"
#include "state/frame_globals.h"
#include "state/view_globals.h"

namespace {

constexpr int kNumberChars = 6;
constexpr int kValueChars = 10;

// A modeless property dialog: Enter shows the row typed, OK and Cancel
// (also Esc and the close box) end it, and it follows the tables while open.
template <class Editor>
class CPropertyDialog : public CEditorDialog<Editor> {
public:
    CPropertyDialog(wxWindow* parent, const char* caption) : CEditorDialog<Editor>(parent, caption) {}
    bool Created() const { return m_created; }
    // Shown again by a pick: the picked row, and the Properties tool stays on.
    void ShowAgain()
    {
        this->Step([this] { this->m_editor.ShowForPick(); });
    }

protected:
    // The buttons of the dialog (OK and Cancel last), its hidden default
    // button "H" that Enter presses, and the editor's first row.
    void Finish(wxSizer* body, std::initializer_list<std::pair<int, const char*>> buttons, int hidden)
    {
        Editor& e = this->m_editor;
        wxButton* h = this->Button(this, hidden, "H");
        h->Hide();
        body->Add(h);
        body->Add(this->ButtonRow(buttons), 0, wxEXPAND | wxTOP, 2 * this->Gap());
        this->OnButton(hidden, [&e] { e.ShowTyped(); });
        this->Bind(wxEVT_TEXT_ENTER, [this, &e](wxCommandEvent&) { this->Step([&e] { e.ShowTyped(); }); });
        this->OnButton(wxID_OK, [this, &e] {
            if (e.Ok()) this->CloseModeless();
        });
        this->OnButton(wxID_CANCEL, [this, &e] {
            e.Cancel();
            this->CloseModeless();
        });
        this->FollowTables([&e] { return e.Refresh(); },
                           [this, &e] {
                               e.Cancel();
                               this->CloseModeless();
                           });
        m_created = e.Create();
        CTf3dDialog::Finish(body);
    }

private:
    bool m_created = false;
};

class CJointDialog : public CPropertyDialog<JointPropertiesEditor> {
public:
    explicit CJointDialog(wxWindow* parent) : CPropertyDialog(parent, "Joint Properties")
    {
        const long enter = wxTE_PROCESS_ENTER;
        auto* body = new wxBoxSizer(wxVERTICAL);
        auto* number = new wxBoxSizer(wxHORIZONTAL);
        number->Add(Label(this, wxID_ANY, "Joint No. "), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, Gap());
        number->Add(Edit(this, IDC_JNT_NUMBER, kNumberChars, enter));
        number->AddStretchSpacer();
        number->Add(Check(this, IDC_JNT_SELECTED, "Selected"), 0, wxALIGN_CENTER_VERTICAL);
        body->Add(number, 0, wxEXPAND);

        auto* groups = new wxBoxSizer(wxHORIZONTAL);
        wxStaticBoxSizer* coords = Group("Coordinates");
        auto* coordGrid = new wxFlexGridSizer(2, Gap(), 2 * Gap());
        LabelledEdit(coordGrid, GroupParent(coords), IDC_JNT_X_LABEL, "X (in.)", IDC_JNT_X, kValueChars, enter);
        LabelledEdit(coordGrid, GroupParent(coords), IDC_JNT_Y_LABEL, "Y (in.)", IDC_JNT_Y, kValueChars, enter);
        LabelledEdit(coordGrid, GroupParent(coords), IDC_JNT_Z_LABEL, "Z (in.)", IDC_JNT_Z, kValueChars, enter);
        coords->Add(coordGrid, 0, wxALL, Gap());
        groups->Add(coords, 0, wxEXPAND | wxRIGHT, 2 * Gap());

        wxStaticBoxSizer* supports = Group("Supports", IDC_JNT_SUPPORTS_GROUP);
        auto* supportGrid = new wxGridSizer(3, Gap(), 2 * Gap());
        const struct {
            int id;
            const char* text;
        } restraints[] = {{IDC_JNT_TX, "TX"}, {IDC_JNT_TY, "TY"}, {IDC_JNT_TZ, "TZ"},
                          {IDC_JNT_RX, "RX"}, {IDC_JNT_RY, "RY"}, {IDC_JNT_RZ, "RZ"}};
        for (const auto& r : restraints) supportGrid->Add(Check(GroupParent(supports), r.id, r.text));
        supports->Add(supportGrid, 0, wxALL, Gap());
        groups->Add(supports, 0, wxEXPAND | wxRIGHT, 2 * Gap());

        wxStaticBoxSizer* forces = Group("Forces");
        auto* forceGrid = new wxFlexGridSizer(3, Gap(), 2 * Gap());
        const struct {
            int label, edit, trans;
            const char* text;
        } forceRows[] = {{IDC_JNT_FORCE_X_LABEL, IDC_JNT_FORCE_X, IDC_JNT_TRANS_X, "X (lbs)"},
                         {IDC_JNT_FORCE_Y_LABEL, IDC_JNT_FORCE_Y, IDC_JNT_TRANS_Y, "Y (lbs)"},
                         {IDC_JNT_FORCE_Z_LABEL, IDC_JNT_FORCE_Z, IDC_JNT_TRANS_Z, "Z (lbs)"}};
        for (const auto& r : forceRows) {
            LabelledEdit(forceGrid, GroupParent(forces), r.label, r.text, r.edit, kValueChars, enter);
            forceGrid->Add(Check(GroupParent(forces), r.trans, "Trans."), 0, wxALIGN_CENTER_VERTICAL);
        }
        forces->Add(forceGrid, 0, wxALL, Gap());
        groups->Add(forces, 0, wxEXPAND);
        body->Add(groups, 0, wxTOP, 2 * Gap());

        JointPropertiesEditor& e = editor();
        OnButton(IDC_JNT_PREVIOUS, [&e] { e.Previous(); });
        OnButton(IDC_JNT_NEXT, [&e] { e.Next(); });
        OnButton(IDC_JNT_ADD_JOINT, [&e] { e.AddJoint(); });
        OnButton(IDC_JNT_APPLY, [&e] { e.Apply(); });
        Finish(body,
               {{IDC_JNT_PREVIOUS, " << Previous "}, {IDC_JNT_NEXT, "Next >>"}, {IDC_JNT_ADD_JOINT, "Add Joint"},
                {IDC_JNT_APPLY, "Apply"}},
               IDC_JNT_H);
    }
};

class CDialogMemberProp : public CPropertyDialog<MemberPropertiesEditor> {
public:
    explicit CDialogMemberProp(wxWindow* parent) : CPropertyDialog(parent, "Member Properties")
    {
        const long enter = wxTE_PROCESS_ENTER;
        auto* body = new wxBoxSizer(wxVERTICAL);
        auto* head = new wxBoxSizer(wxHORIZONTAL);
        head->Add(Label(this, wxID_ANY, "Member No."), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, Gap());
        head->Add(Edit(this, IDC_MEM_NUMBER, kNumberChars, enter), 0, wxRIGHT, 4 * Gap());
        head->Add(Label(this, wxID_ANY, "Start Jt."), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, Gap());
        head->Add(Edit(this, IDC_MEM_START_JOINT, 5, wxTE_READONLY), 0, wxRIGHT, 2 * Gap());
        head->Add(Label(this, wxID_ANY, "End Jt."), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, Gap());
        head->Add(Edit(this, IDC_MEM_END_JOINT, 5, wxTE_READONLY));
        body->Add(head, 0, wxEXPAND);

        auto* middle = new wxBoxSizer(wxHORIZONTAL);
        auto* lengths = new wxFlexGridSizer(3, Gap(), 2 * Gap());
        LabelledEdit(lengths, this, IDC_MEM_EFF_ZZ_LABEL, "Eff. Length zz (in)", IDC_MEM_EFF_ZZ, kValueChars, enter);
        lengths->Add(Check(this, IDC_MEM_UD_ZZ, "UD"), 0, wxALIGN_CENTER_VERTICAL);
        LabelledEdit(lengths, this, IDC_MEM_EFF_YY_LABEL, "Eff. Length yy (in)", IDC_MEM_EFF_YY, kValueChars, enter);
        lengths->Add(Check(this, IDC_MEM_UD_YY, "UD"), 0, wxALIGN_CENTER_VERTICAL);
        LabelledEdit(lengths, this, IDC_MEM_ACTUAL_LENGTH_LABEL, "Actual Length (in)", IDC_MEM_ACTUAL_LENGTH,
                     kValueChars, wxTE_READONLY);
        lengths->AddSpacer(0);
        LabelledEdit(lengths, this, wxID_ANY, "Roll Angle", IDC_MEM_ROLL, kValueChars, enter);
        lengths->Add(Label(this, IDC_MEM_ROLL_UNIT, "Degree"), 0, wxALIGN_CENTER_VERTICAL);
        LabelledEdit(lengths, this, IDC_MEM_OFFSET_Y_LABEL, "Offset y (in) :", IDC_MEM_OFFSET_Y, kValueChars, enter);
        lengths->AddSpacer(0);
        LabelledEdit(lengths, this, IDC_MEM_OFFSET_Z_LABEL, "Offset z (in) :", IDC_MEM_OFFSET_Z, kValueChars, enter);
        lengths->AddSpacer(0);
        middle->Add(lengths, 0, wxRIGHT, 4 * Gap());

        auto* fixity = new wxBoxSizer(wxVERTICAL);
        wxStaticBoxSizer* start = Group("Start Joint", IDC_MEM_START_MOMENTS_GROUP);
        start->Add(Check(GroupParent(start), IDC_MEM_MYY1, "Myy"), 0, wxALL, Gap());
        start->Add(Check(GroupParent(start), IDC_MEM_MZZ1, "Mzz"), 0, wxALL, Gap());
        fixity->Add(start, 0, wxEXPAND);
        wxStaticBoxSizer* end = Group("End Joint", IDC_MEM_END_MOMENTS_GROUP);
        end->Add(Check(GroupParent(end), IDC_MEM_MYY2, "Myy"), 0, wxALL, Gap());
        end->Add(Check(GroupParent(end), IDC_MEM_MZZ2, "Mzz"), 0, wxALL, Gap());
        fixity->Add(end, 0, wxEXPAND | wxTOP, Gap());
        fixity->Add(Check(this, IDC_MEM_USE_TORSION, "Use Torsion"), 0, wxTOP, Gap());
        middle->Add(fixity, 0, wxRIGHT, 4 * Gap());

        auto* flags = new wxBoxSizer(wxVERTICAL);
        flags->Add(Check(this, IDC_MEM_HIDE, "Hide"), 0, wxBOTTOM, Gap());
        flags->Add(Check(this, IDC_MEM_NEGATE, "Negate"), 0, wxBOTTOM, Gap());
        flags->Add(Check(this, IDC_MEM_RUNNER, "Runner"));
        middle->Add(flags);
        body->Add(middle, 0, wxTOP, 2 * Gap());

        auto* combos = new wxFlexGridSizer(2, Gap(), 2 * Gap());
        combos->AddGrowableCol(1);
        combos->Add(Label(this, wxID_ANY, "Shape"), 0, wxALIGN_CENTER_VERTICAL);
        combos->Add(new wxChoice(this, IDC_MEM_SHAPE), 1, wxEXPAND);
        combos->Add(Label(this, wxID_ANY, "Material"), 0, wxALIGN_CENTER_VERTICAL);
        combos->Add(new wxChoice(this, IDC_MEM_MATERIAL), 1, wxEXPAND);
        body->Add(combos, 0, wxEXPAND | wxTOP, 2 * Gap());

        MemberPropertiesEditor& e = editor();
        OnButton(IDC_MEM_PREVIOUS, [&e] { e.Previous(); });
        OnButton(IDC_MEM_NEXT, [&e] { e.Next(); });
        OnButton(IDC_MEM_APPLY, [&e] { e.Apply(); });
        OnChoice(IDC_MEM_SHAPE, [&e] { e.ShapeChanged(); });
        OnChoice(IDC_MEM_MATERIAL, [&e] { e.MaterialChanged(); });
        Finish(body, {{IDC_MEM_PREVIOUS, "<< Previous "}, {IDC_MEM_NEXT, "Next >>"}, {IDC_MEM_APPLY, "Apply"}},
               IDC_MEM_H);
    }
};

class CDialogDefaultMemb : public CEditorDialog<DefaultMemberEditor> {
public:
    explicit CDialogDefaultMemb(wxWindow* parent) : CEditorDialog(parent, "Default Member Properties")
    {
        auto* body = new wxBoxSizer(wxVERTICAL);
        auto* grid = new wxFlexGridSizer(3, Gap(), 2 * Gap());
        grid->AddGrowableCol(1);
        grid->Add(Label(this, wxID_ANY, "Material : "), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(new wxChoice(this, IDC_DEF_MATERIAL), 1, wxEXPAND);
        grid->Add(Label(this, IDC_DEF_MATERIAL_ROW, "10"), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(Label(this, wxID_ANY, "Shape : "), 0, wxALIGN_CENTER_VERTICAL);
        grid->Add(new wxChoice(this, IDC_DEF_SHAPE), 1, wxEXPAND);
        grid->Add(Label(this, IDC_DEF_SHAPE_ROW, "10"), 0, wxALIGN_CENTER_VERTICAL);
        body->Add(grid, 0, wxEXPAND);
        auto* values = new wxFlexGridSizer(2, Gap(), 2 * Gap());
        LabelledEdit(values, this, wxID_ANY, "Rotation (deg) : ", IDC_DEF_ROTATION, kValueChars);
        LabelledEdit(values, this, wxID_ANY, "Offset Y (in.) : ", IDC_DEF_OFFSET_Y, kValueChars);
        LabelledEdit(values, this, wxID_ANY, "Offset Z (in.) : ", IDC_DEF_OFFSET_Z, kValueChars);
        body->Add(values, 0, wxTOP, 2 * Gap());
        body->Add(ButtonRow({{IDC_DEF_RESET, "Reset"}}), 0, wxEXPAND | wxTOP, 2 * Gap());
        OnChoice(IDC_DEF_MATERIAL, [this] { m_editor.SelectionChanged(); });
        OnChoice(IDC_DEF_SHAPE, [this] { m_editor.SelectionChanged(); });
        OnButton(IDC_DEF_RESET, [this] { m_editor.Reset(); });
        FinishModal(body);
    }
};

class CDialogConnToMemb : public CEditorDialog<SplitPercentEditor> {
public:
    CDialogConnToMemb(wxWindow* parent, float fraction) : CEditorDialog(parent, "Create Joint in Member", fraction)
    {
        auto* body = new wxBoxSizer(wxVERTICAL);
        auto* row = new wxFlexGridSizer(2, Gap(), 2 * Gap());
        LabelledEdit(row, this, wxID_ANY, "Create Joint At (%):", IDC_SPLIT_PERCENT, 8);
        body->Add(row);
        body->Add(OkCancel(), 0, wxEXPAND | wxTOP, 2 * Gap());
        FinishModal(body);
    }
};

wxWeakRef<CJointDialog> s_jointDialog;
wxWeakRef<CDialogMemberProp> s_memberDialog;

}  // namespace

void ShowJointProperties() { ShowModeless(s_jointDialog, g_bJointDialogOpen, DialogOwner()); }

void ShowMemberProperties() { ShowModeless(s_memberDialog, g_bMemberDialogOpen, DialogOwner()); }

wxDialog* JointPropertiesWindow() { return s_jointDialog.get(); }

wxDialog* MemberPropertiesWindow() { return s_memberDialog.get(); }

void RunDefaultMember()
{
    CDialogDefaultMemb dialog(DialogOwner());
    dialog.ShowModal();
}

bool RunSplitPercent(float& fraction)
{
    CDialogConnToMemb dialog(DialogOwner(), fraction);
    if (dialog.ShowModal() != wxID_OK) return false;
    fraction = dialog.editor().Fraction();
    return true;
}
