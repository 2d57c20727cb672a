// "Edit Material" and "Edit Shapes".
#include <wx/button.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "frame/dialog_ids.h"
#include "frame/table_editors.h"
#include "frame/wx_dialog_base.h"
#include "frame/wx_dialogs.h"

namespace {

// Room for the longest unit label of either unit system.
constexpr int kNameChars = 30;
constexpr int kValueChars = 12;

// An editor of ten table rows: paging, copy and paste, defaults.
template <class Editor>
class CTableDialog : public CEditorDialog<Editor> {
protected:
    using Base = CEditorDialog<Editor>;
    CTableDialog(wxWindow* parent, const char* caption) : Base(parent, caption) {}

    wxSizer* Paging(int previous, int next, int reset, const char* resetText, int copy, int paste)
    {
        auto* grid = new wxGridSizer(3, this->Gap(), this->Gap());
        const std::pair<int, const char*> buttons[] = {
            {previous, "<< Previous"}, {next, "Next >>"}, {reset, resetText}, {copy, "Copy"}, {paste, "Paste"}};
        for (const auto& b : buttons) grid->Add(this->Button(this, b.first, b.second), 0, wxEXPAND);
        Editor& e = this->m_editor;
        this->OnButton(previous, [&e] { e.Previous(); });
        this->OnButton(next, [&e] { e.Next(); });
        this->OnButton(reset, [&e] { e.Default(); });
        this->OnButton(copy, [&e] { e.Copy(); });
        this->OnButton(paste, [&e] { e.Paste(); });
        return grid;
    }
};

class CDialogEditMaterial : public CTableDialog<MaterialEditor> {
public:
    explicit CDialogEditMaterial(wxWindow* parent) : CTableDialog(parent, "Edit Material")
    {
        auto* body = new wxBoxSizer(wxVERTICAL);
        auto* head = new wxFlexGridSizer(2, Gap(), 2 * Gap());
        head->AddGrowableCol(1);
        head->Add(Label(this, IDC_MAT_NO_LABEL, "Material No."), 0, wxALIGN_CENTER_VERTICAL);
        head->Add(Label(this, IDC_MAT_ROW, "10 - Not Used"), 0, wxALIGN_CENTER_VERTICAL);
        LabelledEdit(head, this, IDC_MAT_NAME_LABEL, "Material Name", IDC_MAT_NAME, kNameChars)->SetMaxLength(50);
        head->Add(Button(this, IDC_MAT_CHANGE_COLOR, "Change Color"), 0, wxALIGN_CENTER_VERTICAL);
        auto* swatch = new wxPanel(this, IDC_MAT_SWATCH, wxDefaultPosition,
                                   wxSize(-1, 2 * GetCharHeight()), wxBORDER_SUNKEN);
        head->Add(swatch, 1, wxEXPAND);
        body->Add(head, 0, wxEXPAND);

        auto* wood = new wxBoxSizer(wxHORIZONTAL);
        wood->Add(Button(this, IDC_MAT_BALSA, "Balsa"), 0, wxRIGHT, Gap());
        wood->Add(Button(this, IDC_MAT_BASS, "Bass"));
        body->Add(wood, 0, wxTOP, 2 * Gap());

        auto* values = new wxFlexGridSizer(2, Gap(), 2 * Gap());
        values->AddGrowableCol(1);
        const struct {
            int label, edit;
            const char* text;
        } rows[] = {
            {IDC_MAT_DENSITY_LABEL, IDC_MAT_DENSITY, "Density*g (N/cm^3)"},
            {IDC_MAT_E_LABEL, IDC_MAT_E, "Young's Modulus (E) (N/cm^2)"},
            {IDC_MAT_G_LABEL, IDC_MAT_G, "Shear Modulus (G) (N/cm^2)"},
            {IDC_MAT_TENSION_LABEL, IDC_MAT_TENSION, "Ultimate Tensile Stress (N/cm^2)"},
            {IDC_MAT_COMPRESSION_LABEL, IDC_MAT_COMPRESSION, "Ultimate Compression Stress (N/cm^2)"},
            {IDC_MAT_BENDING_LABEL, IDC_MAT_BENDING, "Ultimate Bending Stress (N/cm^2)"},
            {IDC_MAT_SHEAR_LABEL, IDC_MAT_SHEAR, "Ultimate Shear Stress (N/cm^2)"},
        };
        for (const auto& r : rows) LabelledEdit(values, this, r.label, r.text, r.edit, kValueChars);
        body->Add(values, 0, wxEXPAND | wxTOP, 2 * Gap());

        body->Add(Paging(IDC_MAT_PREVIOUS, IDC_MAT_NEXT, IDC_MAT_DEFAULT, "Default Properties", IDC_MAT_COPY,
                         IDC_MAT_PASTE),
                  0, wxEXPAND | wxTOP, 2 * Gap());
        body->Add(OkCancel(), 0, wxEXPAND | wxTOP, 2 * Gap());

        OnButton(IDC_MAT_BALSA, [this] { m_editor.Balsa(); });
        OnButton(IDC_MAT_BASS, [this] { m_editor.Bass(); });
        OnButton(IDC_MAT_CHANGE_COLOR, [this] { m_editor.ChangeColour(); });
        FinishModal(body);
    }
};

class CDialogEditShape : public CTableDialog<ShapeEditor> {
public:
    explicit CDialogEditShape(wxWindow* parent) : CTableDialog(parent, "Edit Shapes")
    {
        auto* body = new wxBoxSizer(wxVERTICAL);
        auto* head = new wxFlexGridSizer(2, Gap(), 2 * Gap());
        head->AddGrowableCol(1);
        head->Add(Label(this, IDC_SHP_NO_LABEL, "Shape No."), 0, wxALIGN_CENTER_VERTICAL);
        head->Add(Label(this, IDC_SHP_ROW, "10 - Unused"), 0, wxALIGN_CENTER_VERTICAL);
        LabelledEdit(head, this, IDC_SHP_NAME_LABEL, "Shape Name", IDC_SHP_NAME, kNameChars)->SetMaxLength(50);
        body->Add(head, 0, wxEXPAND);

        auto* columns = new wxBoxSizer(wxHORIZONTAL);
        auto* size = new wxFlexGridSizer(2, Gap(), 2 * Gap());
        LabelledEdit(size, this, IDC_SHP_HEIGHT_LABEL, "Height (cm.)", IDC_SHP_HEIGHT, kValueChars);
        LabelledEdit(size, this, IDC_SHP_WIDTH_LABEL, "Width (cm.)", IDC_SHP_WIDTH, kValueChars);
        LabelledEdit(size, this, IDC_SHP_SEPARATION_LABEL, "Separation\nDistance (cm.)", IDC_SHP_SEPARATION,
                     kValueChars);
        auto* left = new wxBoxSizer(wxVERTICAL);
        left->Add(size);
        left->Add(Button(this, IDC_SHP_RECTANGULAR, "Rectangular Section"), 0, wxEXPAND | wxTOP, 2 * Gap());
        left->Add(Button(this, IDC_SHP_CIRCULAR, "Circular Section"), 0, wxEXPAND | wxTOP, Gap());
        left->Add(Label(this, IDC_SHP_SECTION_LABEL, "Rectangular cross section"), 0, wxTOP, Gap());
        columns->Add(left, 0, wxRIGHT, 4 * Gap());

        auto* props = new wxFlexGridSizer(2, Gap(), 2 * Gap());
        const struct {
            int label, edit;
            const char* text;
        } rows[] = {
            {IDC_SHP_AREA_LABEL, IDC_SHP_AREA, "Area (cm^2)"}, {IDC_SHP_IX_LABEL, IDC_SHP_IX, "Ix (cm^4)"},
            {IDC_SHP_IY_LABEL, IDC_SHP_IY, "Iy (cm^4)"},       {IDC_SHP_IZ_LABEL, IDC_SHP_IZ, "Iz (cm^4)"},
            {IDC_SHP_SY_LABEL, IDC_SHP_SY, "Sy (in.^3)"},      {IDC_SHP_SZ_LABEL, IDC_SHP_SZ, "Sz (in.^3)"},
        };
        for (const auto& r : rows) LabelledEdit(props, this, r.label, r.text, r.edit, kValueChars);
        columns->Add(props);
        body->Add(columns, 0, wxTOP, 2 * Gap());

        body->Add(Paging(IDC_SHP_PREVIOUS, IDC_SHP_NEXT, IDC_SHP_DEFAULT, "Default", IDC_SHP_COPY, IDC_SHP_PASTE), 0,
                  wxEXPAND | wxTOP, 2 * Gap());
        body->Add(OkCancel(), 0, wxEXPAND | wxTOP, 2 * Gap());

        OnButton(IDC_SHP_RECTANGULAR, [this] { m_editor.Section(false); });
        OnButton(IDC_SHP_CIRCULAR, [this] { m_editor.Section(true); });
        FinishModal(body);
    }
};

}  // namespace

void RunMaterialEditor()
{
    CDialogEditMaterial dialog(DialogOwner());
    dialog.ShowModal();
}

void RunShapeEditor()
{
    CDialogEditShape dialog(DialogOwner());
    dialog.ShowModal();
}
