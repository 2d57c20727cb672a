// The program's message box: the text wrapped to a readable width beside the
// theme's information, question, warning or error picture, and the buttons
// the box flags ask for, Enter pressing the default one.
#pragma once

#include <string>

#include <wx/dialog.h>

namespace platform {

class CMessageBoxDialog : public wxDialog {
public:
    CMessageBoxDialog(wxWindow* parent, const wxString& text, const wxString& caption, unsigned flags);
    // The picture shown, or a null bitmap for a box without an icon.
    const wxBitmap& IconBitmap() const { return m_icon; }

private:
    wxBitmap m_icon;
};

}  // namespace platform
