// The toolkit side of TF3D's dialogs: controls found by id for the dialogs'
// logic, and a dialog base with the layout helpers every dialog uses. Sizes
// come from the font, so the dialogs stay readable at any font size.
#pragma once

#include <functional>

#include <wx/dialog.h>

#include "frame/dialog_controls.h"

class wxFlexGridSizer;
class wxSizer;
class wxStaticBoxSizer;
class wxStaticText;
class wxTextCtrl;
class wxCheckBox;
class wxButton;

class WxDialogControls : public DialogControls {
public:
    explicit WxDialogControls(wxWindow* dialog) : dialog_(dialog) {}
    std::string Text(int id) const override;
    void SetText(int id, const std::string& text) override;
    bool Checked(int id) const override;
    void SetChecked(int id, bool on) override;
    void SetChoices(int id, const std::vector<std::string>& items) override;
    int Selection(int id) const override;
    void SetSelection(int id, int index) override;
    int SliderPos(int id) const override;
    void SetSliderPos(int id, int pos) override;
    void Enable(int id, bool on) override;
    void Show(int id, bool on) override;
    void SetReadOnly(int id, bool on) override;
    void Focus(int id) override;
    void SetSwatch(int id, unsigned char r, unsigned char g, unsigned char b) override;

    // The control of a dialog id (ids 1 and 2 also find OK and Cancel).
    wxWindow* Find(int id) const;
    // Set when a label or a shown control changed: the layout must follow.
    bool layoutChanged = false;

private:
    wxWindow* dialog_;
};

class CTf3dDialog : public wxDialog {
public:
    DialogControls& Controls() { return controls_; }
    // A modeless dialog that has closed: hidden, and destroyed when the
    // toolkit is idle.
    bool Closing() const { return m_closing; }

protected:
    CTf3dDialog(wxWindow* parent, const char* caption);

    // Controls; parent is the dialog or a group's box.
    wxTextCtrl* Edit(wxWindow* parent, int id, int chars = 10, long style = 0);
    wxStaticText* Label(wxWindow* parent, int id, const char* text);
    wxCheckBox* Check(wxWindow* parent, int id, const char* text);
    wxButton* Button(wxWindow* parent, int id, const char* text);
    // A group box; its controls take GroupParent(group) as their parent.
    wxStaticBoxSizer* Group(const char* caption, int id = -1);
    static wxWindow* GroupParent(wxStaticBoxSizer* group);
    // A label and edit in two columns of grid.
    wxTextCtrl* LabelledEdit(wxFlexGridSizer* grid, wxWindow* parent, int labelId, const char* label, int editId,
                             int chars = 10, long style = 0);
    // OK and Cancel (either may be left out), right-aligned.
    wxSizer* OkCancel(bool ok = true, bool cancel = true, const char* okText = "OK");
    // Lays the body out with the dialog's margins and fits the dialog.
    void Finish(wxSizer* body);

    // Runs a handler for a button, check box, list or slider of that id.
    void OnButton(int id, std::function<void()> handler);
    void OnCheck(int id, std::function<void()> handler);
    void OnChoice(int id, std::function<void()> handler);
    // Follows changed labels and shown controls: grows the dialog when needed.
    void Relayout();
    // Runs a step of the dialog's logic, then follows its layout changes.
    void Step(const std::function<void()>& step);

    int Gap() const;  // the space between controls, from the font
    // A modeless dialog ends: hidden at once, destroyed when idle.
    void CloseModeless();

    WxDialogControls controls_;

private:
    bool m_closing = false;
};
