// Member Results and Joint Results (modeless) and Model Data (modal).
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "frame/dialog_ids.h"
#include "frame/results_dialogs.h"
#include "frame/wx_dialog_base.h"
#include "frame/wx_dialogs.h"
#include "model/tables.h"
#include "state/view_globals.h"

namespace {

// Wide enough for the values shown ("-12345.67").
constexpr int kValueChars = 8;

struct Field {
    int label;  // wxID_ANY when the label never changes
    const char* text;
    int edit;
    int unit;  // wxID_ANY: no unit label
    const char* unitText;
};

// A group of read-only values (no box without a caption): label, value and
// unit in each row, in as many side-by-side columns as asked.
class CResultsDialog : public CTf3dDialog {
protected:
    CResultsDialog(wxWindow* parent, const char* caption) : CTf3dDialog(parent, caption) {}

    wxSizer* Values(const char* caption, const Field* fields, int count, int columns, bool readOnly = true)
    {
        wxStaticBoxSizer* group = caption ? Group(caption) : nullptr;
        wxWindow* p = group ? GroupParent(group) : this;
        auto* grid = new wxFlexGridSizer(3 * columns, Gap(), Gap());
        for (int k = 0; k < count; ++k) {
            const Field& f = fields[k];
            grid->Add(Label(p, f.label, f.text), 0, wxALIGN_CENTER_VERTICAL);
            grid->Add(Edit(p, f.edit, kValueChars, readOnly ? wxTE_READONLY | wxTE_RIGHT : wxTE_RIGHT));
            grid->Add(Label(p, f.unit, f.unitText), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, Gap());
        }
        if (!group) return grid;
        group->Add(grid, 0, wxALL, Gap());
        return group;
    }
};

// A modeless results window: Close (also Esc and the close box) ends it,
// and it follows the tables while open.
template <class Viewer>
class CResultsWindow : public CResultsDialog {
public:
    CResultsWindow(wxWindow* parent, const char* caption) : CResultsDialog(parent, caption), m_viewer(controls_) {}
    bool Created() const { return true; }
    void ShowAgain() { Step([this] { m_viewer.ShowAgain(); }); }

protected:
    void Finish(wxSizer* body, int closeButton)
    {
        OnButton(closeButton, [this] { Close(); });
        SetEscapeId(closeButton);
        Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { Close(); });
        FollowTables([this] { return m_viewer.Refresh(); }, [this] { Close(); });
        m_viewer.Create();
        CTf3dDialog::Finish(body);
    }
    void Close()
    {
        if (Closing()) return;
        m_viewer.Close();
        CloseModeless();
    }

    Viewer m_viewer;
};

class CDialogMemberReview : public CResultsWindow<MemberResultsViewer> {
public:
    explicit CDialogMemberReview(wxWindow* parent) : CResultsWindow(parent, "Member Results")
    {
        auto* body = new wxBoxSizer(wxVERTICAL);
        auto* head = new wxBoxSizer(wxHORIZONTAL);
        head->Add(Label(this, wxID_ANY, "Member No."), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, Gap());
        head->Add(Edit(this, IDC_MRES_NUMBER, 6, wxTE_READONLY), 0, wxRIGHT, Gap());
        head->Add(Label(this, IDC_MRES_SENSE, "  "), 0, wxALIGN_CENTER_VERTICAL);
        body->Add(head);

        const int u = IDC_MRES_FORCE_UNIT_FIRST;
        // A row per end, forces and then moments, so that the window stays
        // small; the unit ids follow the order the viewer fills them.
        const Field actual[] = {
            {wxID_ANY, "Axial1", IDC_MRES_AXIAL1, u + 0, "lbs"},        {wxID_ANY, "Shear1 zz", IDC_MRES_SHEAR1_ZZ, u + 2, "lbs"},
            {wxID_ANY, "Shear1 yy", IDC_MRES_SHEAR1_YY, u + 3, "lbs"},  {wxID_ANY, "Axial2", IDC_MRES_AXIAL2, u + 1, "lbs"},
            {wxID_ANY, "Shear2 zz", IDC_MRES_SHEAR2_ZZ, u + 4, "lbs"},  {wxID_ANY, "Shear2 yy", IDC_MRES_SHEAR2_YY, u + 5, "lbs"},
            {wxID_ANY, "Torsion1", IDC_MRES_TORSION1, u + 6, "in-lbs"}, {wxID_ANY, "M1zz", IDC_MRES_M1ZZ, u + 8, "in-lbs"},
            {wxID_ANY, "M1yy", IDC_MRES_M1YY, u + 9, "in-lbs"},         {wxID_ANY, "Torsion2", IDC_MRES_TORSION2, u + 7, "in-lbs"},
            {wxID_ANY, "M2zz", IDC_MRES_M2ZZ, u + 10, "in-lbs"},        {wxID_ANY, "M2yy", IDC_MRES_M2YY, u + 11, "in-lbs"},
        };
        body->Add(Values("Actual Forces", actual, 12, 3), 0, wxEXPAND | wxTOP, 2 * Gap());

        const int v = IDC_MRES_ULT_UNIT_FIRST, l = IDC_MRES_LENGTH_UNIT_FIRST;
        const Field ultimate[] = {
            {wxID_ANY, "Axial T", IDC_MRES_ULT_TENSION, v + 0, "lbs"},  {wxID_ANY, "Axial C", IDC_MRES_ULT_COMPRESSION, v + 1, "lbs"},
            {wxID_ANY, "Shear", IDC_MRES_ULT_SHEAR, v + 2, "lbs"},      {wxID_ANY, "Torsion", IDC_MRES_ULT_TORSION, v + 3, "in-lbs"},
            {wxID_ANY, "Mzz", IDC_MRES_ULT_MZZ, v + 4, "in-lbs"},       {wxID_ANY, "Myy", IDC_MRES_ULT_MYY, v + 5, "in-lbs"},
        };
        const Field lengths[] = {
            {wxID_ANY, "Actual", IDC_MRES_LENGTH, l + 0, "in"},
            {wxID_ANY, "Lzz", IDC_MRES_LZZ, l + 1, "in"},
            {wxID_ANY, "Lyy", IDC_MRES_LYY, l + 2, "in"},
        };
        auto* middle = new wxBoxSizer(wxHORIZONTAL);
        middle->Add(Values("Ultimate Forces", ultimate, 6, 2), 1, wxEXPAND | wxRIGHT, 2 * Gap());
        middle->Add(Values("Lengths", lengths, 3, 1), 0, wxEXPAND);
        body->Add(middle, 0, wxEXPAND | wxTOP, 2 * Gap());

        const int s = IDC_MRES_STATUS_FIRST;
        const Field modes[] = {
            {wxID_ANY, "Axial", IDC_MRES_RATIO_AXIAL, s + 0, "OK"},    {wxID_ANY, "MomentYY", IDC_MRES_RATIO_MYY, s + 1, "OK"},
            {wxID_ANY, "MomentZZ", IDC_MRES_RATIO_MZZ, s + 2, "OK"},   {wxID_ANY, "ShearYY", IDC_MRES_RATIO_VYY, s + 3, "OK"},
            {wxID_ANY, "ShearZZ", IDC_MRES_RATIO_VZZ, s + 4, "OK"},    {wxID_ANY, "Torsion", IDC_MRES_RATIO_TORSION, s + 5, "OK"},
        };
        const Field interaction[] = {
            {wxID_ANY, "A-M", IDC_MRES_RATIO_AM, s + 6, "OK"},
            {wxID_ANY, "S-T", IDC_MRES_RATIO_ST, s + 7, "OK"},
        };
        auto* ratios = new wxBoxSizer(wxHORIZONTAL);
        ratios->Add(Values("Mode Ratios", modes, 6, 2), 1, wxEXPAND | wxRIGHT, 2 * Gap());
        ratios->Add(Values("Interaction Ratios", interaction, 2, 1), 0, wxEXPAND);
        body->Add(ratios, 0, wxEXPAND | wxTOP, 2 * Gap());

        auto* buttons = new wxBoxSizer(wxHORIZONTAL);
        buttons->Add(Button(this, IDC_MRES_PREVIOUS, "<< Previous  "), 0, wxRIGHT, Gap());
        buttons->Add(Button(this, IDC_MRES_NEXT, "Next >>"));
        buttons->AddSpacer(4 * Gap());
        buttons->AddStretchSpacer();
        buttons->Add(Button(this, IDC_MRES_CLOSE, "Close"));
        body->Add(buttons, 0, wxEXPAND | wxTOP, 2 * Gap());

        OnButton(IDC_MRES_PREVIOUS, [this] { m_viewer.Previous(); });
        OnButton(IDC_MRES_NEXT, [this] { m_viewer.Next(); });
        Finish(body, IDC_MRES_CLOSE);
    }
};

class CDialogJointResults : public CResultsWindow<JointResultsViewer> {
public:
    explicit CDialogJointResults(wxWindow* parent) : CResultsWindow(parent, "Joint Results")
    {
        auto* body = new wxBoxSizer(wxVERTICAL);
        auto* head = new wxBoxSizer(wxHORIZONTAL);
        head->Add(Label(this, wxID_ANY, "Joint No. "), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, Gap());
        head->Add(Edit(this, IDC_JRES_NUMBER, 6, wxTE_READONLY));
        body->Add(head);

        const int u = IDC_JRES_DISP_UNIT_FIRST;
        const Field actual[] = {
            {wxID_ANY, "X", IDC_JRES_DISP_X, u + 0, "in"},  {wxID_ANY, "XX", IDC_JRES_ROT_X, wxID_ANY, "rad"},
            {wxID_ANY, "Y", IDC_JRES_DISP_Y, u + 1, "in"},  {wxID_ANY, "YY", IDC_JRES_ROT_Y, wxID_ANY, "rad"},
            {wxID_ANY, "Z", IDC_JRES_DISP_Z, u + 2, "in"},  {wxID_ANY, "ZZ", IDC_JRES_ROT_Z, wxID_ANY, "rad"},
        };
        const int l = IDC_JRES_LIMIT_UNIT_FIRST;
        const Field limits[] = {
            {wxID_ANY, "X", IDC_JRES_LIMIT_X, l + 0, "in"},  {wxID_ANY, "XX", IDC_JRES_LIMIT_RX, wxID_ANY, "rad"},
            {wxID_ANY, "Y", IDC_JRES_LIMIT_Y, l + 1, "in"},  {wxID_ANY, "YY", IDC_JRES_LIMIT_RY, wxID_ANY, "rad"},
            {wxID_ANY, "Z", IDC_JRES_LIMIT_Z, l + 2, "in"},  {wxID_ANY, "ZZ", IDC_JRES_LIMIT_RZ, wxID_ANY, "rad"},
        };
        body->Add(Values("Actual Displacements", actual, 6, 2), 0, wxEXPAND | wxTOP, 2 * Gap());
        body->Add(Values("Displacement Limits", limits, 6, 2, false), 0, wxEXPAND | wxTOP, 2 * Gap());

        auto* buttons = new wxBoxSizer(wxHORIZONTAL);
        buttons->Add(Button(this, IDC_JRES_PREVIOUS, "<< Previous "), 0, wxRIGHT, Gap());
        buttons->Add(Button(this, IDC_JRES_NEXT, "Next >>"), 0, wxRIGHT, Gap());
        buttons->Add(Button(this, IDC_JRES_DEFAULTS, "Defaults"));
        buttons->AddSpacer(4 * Gap());
        buttons->AddStretchSpacer();
        buttons->Add(Button(this, wxID_OK, "OK"), 0, wxRIGHT, Gap());
        buttons->Add(Button(this, IDC_JRES_CLOSE, "Close"));
        body->Add(buttons, 0, wxEXPAND | wxTOP, 2 * Gap());

        OnButton(IDC_JRES_PREVIOUS, [this] { m_viewer.Previous(); });
        OnButton(IDC_JRES_NEXT, [this] { m_viewer.Next(); });
        OnButton(IDC_JRES_DEFAULTS, [this] { m_viewer.Defaults(); });
        OnButton(wxID_OK, [this] {
            if (!Closing() && m_viewer.Ok()) CloseModeless();
        });
        Finish(body, IDC_JRES_CLOSE);
    }
};

class CDialogModelData : public CResultsDialog {
public:
    explicit CDialogModelData(wxWindow* parent) : CResultsDialog(parent, "Model Data")
    {
        auto* body = new wxBoxSizer(wxVERTICAL);
        const Field weight[] = {
            {wxID_ANY, "", IDC_MDATA_LBS, wxID_ANY, "lbs"},
            {wxID_ANY, "", IDC_MDATA_GRAMS, wxID_ANY, "grams"},
        };
        const Field counts[] = {
            {wxID_ANY, "No. of Joints", IDC_MDATA_JOINTS, wxID_ANY, ""},
            {wxID_ANY, "No. of Members", IDC_MDATA_MEMBERS, wxID_ANY, ""},
        };
        const int d = IDC_MDATA_DEFLECTION_UNIT_FIRST, t = IDC_MDATA_LOAD_UNIT_FIRST;
        const Field deflection[] = {
            {wxID_ANY, "X", IDC_MDATA_DEFLECTION_X, d + 0, "in"},
            {wxID_ANY, "Y", IDC_MDATA_DEFLECTION_Y, d + 1, "in"},
            {wxID_ANY, "Z", IDC_MDATA_DEFLECTION_Z, d + 2, "in"},
        };
        const Field load[] = {
            {wxID_ANY, "X", IDC_MDATA_LOAD_X, t + 0, "lbs"},
            {wxID_ANY, "Y", IDC_MDATA_LOAD_Y, t + 1, "lbs"},
            {wxID_ANY, "Z", IDC_MDATA_LOAD_Z, t + 2, "lbs"},
        };
        auto* top = new wxBoxSizer(wxHORIZONTAL);
        top->Add(Values("Model Weight", weight, 2, 1), 0, wxEXPAND | wxRIGHT, 2 * Gap());
        top->Add(Values(nullptr, counts, 2, 1), 0, wxALIGN_CENTER_VERTICAL);
        body->Add(top, 0, wxEXPAND);
        auto* bottom = new wxBoxSizer(wxHORIZONTAL);
        bottom->Add(Values("Max. Deflection", deflection, 3, 1), 0, wxEXPAND | wxRIGHT, 2 * Gap());
        bottom->Add(Values("Total Load", load, 3, 1), 0, wxEXPAND);
        body->Add(bottom, 0, wxEXPAND | wxTOP, 2 * Gap());
        body->Add(OkCancel(true, false, "Close"), 0, wxEXPAND | wxTOP, 2 * Gap());
        FillModelData(controls_);
        Finish(body);
    }
};

wxWeakRef<CDialogMemberReview> s_memberResults;
wxWeakRef<CDialogJointResults> s_jointResults;

}  // namespace

void ShowMemberResults() { ShowModeless(s_memberResults, g_bMemberResultsDlgShown, DialogOwner()); }

void ShowJointResults() { ShowModeless(s_jointResults, g_bJointResultsDlgShown, DialogOwner()); }

wxDialog* MemberResultsWindow() { return s_memberResults.get(); }

wxDialog* JointResultsWindow() { return s_jointResults.get(); }

void RunModelData()
{
    CDialogModelData dialog(DialogOwner());
    dialog.ShowModal();
}
