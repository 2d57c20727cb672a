#include "platform/wx_message_box.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include "platform/message_box_style.h"

namespace platform {

namespace {

wxArtID ArtOf(BoxIcon icon)
{
    switch (icon) {
    case BoxIcon::Stop: return wxART_ERROR;
    case BoxIcon::Question: return wxART_QUESTION;
    case BoxIcon::Exclamation: return wxART_WARNING;
    case BoxIcon::Information: return wxART_INFORMATION;
    case BoxIcon::None: break;
    }
    return wxArtID();
}

}  // namespace

CMessageBoxDialog::CMessageBoxDialog(wxWindow* parent, const wxString& text, const wxString& caption,
                                     unsigned flags)
    : wxDialog(parent, wxID_ANY, caption)
{
    const MessageBoxStyle style = MessageBoxStyleFromFlags(flags);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    const wxArtID art = ArtOf(style.icon);
    if (!art.empty()) {
        m_icon = wxArtProvider::GetBitmap(art, wxART_MESSAGE_BOX, FromDIP(wxSize(48, 48)));
        if (m_icon.IsOk()) row->Add(new wxStaticBitmap(this, wxID_ANY, m_icon), 0, wxALL, FromDIP(12));
    }
    auto* label = new wxStaticText(this, wxID_ANY, text);
    label->Wrap(GetCharWidth() * 64);
    row->Add(label, 1, wxALL | wxALIGN_CENTER_VERTICAL, FromDIP(12));

    struct Button { BoxAnswer answer; wxWindowID id; };
    static const Button kOk{BoxAnswer::Ok, wxID_OK}, kCancel{BoxAnswer::Cancel, wxID_CANCEL},
        kYes{BoxAnswer::Yes, wxID_YES}, kNo{BoxAnswer::No, wxID_NO};
    Button buttons[3] = {kOk, kCancel, kNo};
    int count = 1;
    switch (style.buttons) {
    case BoxButtons::Ok: break;
    case BoxButtons::OkCancel: count = 2; break;
    case BoxButtons::YesNo: buttons[0] = kYes, count = 2; break;
    case BoxButtons::YesNoCancel: buttons[0] = kYes, buttons[1] = kNo, buttons[2] = kCancel, count = 3; break;
    }
    if (style.buttons == BoxButtons::YesNo) buttons[1] = kNo;
    auto* bar = new wxBoxSizer(wxHORIZONTAL);
    bar->AddStretchSpacer();
    for (int i = 0; i < count; ++i) {
        const Button& b = buttons[i];
        auto* button = new wxButton(this, b.id);
        bar->Add(button, 0, wxLEFT, FromDIP(8));
        if (b.answer == style.defaultButton) {
            button->SetDefault();
            button->SetFocus();
        }
        button->Bind(wxEVT_BUTTON, [this, id = b.id](wxCommandEvent&) { EndModal(id); });
    }
    // Escape answers Cancel, or OK in a box whose only button is OK; a
    // Yes/No box must be answered with a button.
    SetEscapeId(style.buttons == BoxButtons::Ok ? wxID_OK
                : style.buttons == BoxButtons::YesNo ? wxID_NONE
                                                     : wxID_CANCEL);
    SetAffirmativeId(buttons[0].id);

    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(row, 1, wxEXPAND);
    column->Add(bar, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, FromDIP(12));
    SetSizerAndFit(column);
    CentreOnParent();
}

}  // namespace platform
