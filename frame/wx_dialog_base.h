// The toolkit side of TF3D's dialogs: controls found by id for the dialogs'
// logic, and a dialog base with the layout helpers every dialog uses. Sizes
// come from the font, so the dialogs stay readable at any font size.
#pragma once

#include <functional>
#include <initializer_list>
#include <utility>

#include <type_traits>

#include <wx/dialog.h>
#include <wx/weakref.h>

#include "frame/dialog_controls.h"
#include "view/wx_view_on_screen.h"

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
    bool Closing() const { return closing_; }
    // Where a new modeless dialog opens: where the user last moved one with
    // its caption during this run, else inside the main window's 3D view by
    // one of its edges, where it hides least of the model and of the
    // program's other open modeless dialogs (the top right when all are
    // alike).
    void PlaceModeless();

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
    // A row of buttons on the left and OK and Cancel on the right.
    wxSizer* ButtonRow(std::initializer_list<std::pair<int, const char*>> left);
    // A modeless dialog follows the tables whenever the program is idle:
    // refresh says whether anything is left to show, else close runs.
    void FollowTables(std::function<bool()> refresh, std::function<void()> close);

    int Gap() const;  // the space between controls, from the font
    // A modeless dialog ends: hidden at once, destroyed when idle; the next
    // one with its caption opens where this one was.
    void CloseModeless();

    WxDialogControls controls_;

private:
    bool closing_ = false;
    wxPoint placedAt_ = wxDefaultPosition;  // where PlaceModeless put it
};

// A new main window: modeless dialogs open beside its view again.
void ForgetModelessPlaces();
// Where modeless dialogs open: view tells where the main window's 3D view
// lies on the screen and what it shows there, false while none is shown.
void SetModelessView(std::function<bool(ViewOnScreen&)> view);

// A dialog over one editor of the dialogs' logic.
template <class Editor>
class CEditorDialog : public CTf3dDialog {
public:
    template <class... Args>
    CEditorDialog(wxWindow* parent, const char* caption, Args&&... args)
        : CTf3dDialog(parent, caption), m_editor(controls_, std::forward<Args>(args)...)
    {
    }
    Editor& editor() { return m_editor; }

protected:
    // A modal dialog: OK ends it once the editor has taken the values; the
    // editor shows its first values and the body is laid out.
    void FinishModal(wxSizer* body)
    {
        OnButton(wxID_OK, [this] {
            if (m_editor.Ok()) EndModal(wxID_OK);
        });
        m_editor.Init();
        Finish(body);
    }

    Editor m_editor;
};

// Shows a modeless dialog of the program: hidden when it is shown (it shows
// again where it was), created when none exists (or the one there is
// closing), then shown again, which loads the picked joint or member;
// openFlag := 1. The dialog class has Created() and ShowAgain().
template <class Dialog>
void ShowModeless(wxWeakRef<Dialog>& slot, int& openFlag, wxWindow* owner)
{
    if (slot && !slot->Closing()) {
        slot->Hide();
    } else {
        auto* dialog = new Dialog(owner);
        if (!dialog->Created()) {
            dialog->Destroy();
            return;
        }
        slot = dialog;
        dialog->PlaceModeless();
    }
    slot->ShowAgain();
    slot->Show();
    slot->Raise();
    openFlag = 1;
}
