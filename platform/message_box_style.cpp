#include "platform/message_box_style.h"

namespace platform {

MessageBoxStyle MessageBoxStyleFromFlags(unsigned flags)
{
    MessageBoxStyle style;
    const bool second = (flags & MB_DEFBUTTON2) != 0;
    const bool third = (flags & MB_DEFBUTTON3) != 0;
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
        style.buttons = BoxButtons::OkCancel;
        style.defaultButton = second ? BoxAnswer::Cancel : BoxAnswer::Ok;
        break;
    case MB_YESNO:
        style.buttons = BoxButtons::YesNo;
        style.defaultButton = second ? BoxAnswer::No : BoxAnswer::Yes;
        break;
    case MB_YESNOCANCEL:
        style.buttons = BoxButtons::YesNoCancel;
        style.defaultButton = third ? BoxAnswer::Cancel : second ? BoxAnswer::No : BoxAnswer::Yes;
        break;
    default:
        style.buttons = BoxButtons::Ok;
        style.defaultButton = BoxAnswer::Ok;
        break;
    }
    switch (flags & MB_ICONMASK) {
    case MB_ICONSTOP: style.icon = BoxIcon::Stop; break;
    case MB_ICONQUESTION: style.icon = BoxIcon::Question; break;
    case MB_ICONEXCLAMATION: style.icon = BoxIcon::Exclamation; break;
    case MB_ICONINFORMATION: style.icon = BoxIcon::Information; break;
    default: style.icon = BoxIcon::None; break;
    }
    return style;
}

int MessageBoxResult(unsigned flags, BoxAnswer answer)
{
    const BoxButtons buttons = MessageBoxStyleFromFlags(flags).buttons;
    switch (answer) {
    case BoxAnswer::Yes: return buttons == BoxButtons::Ok || buttons == BoxButtons::OkCancel ? IDOK : IDYES;
    case BoxAnswer::No: return buttons == BoxButtons::Ok ? IDOK : buttons == BoxButtons::OkCancel ? IDCANCEL : IDNO;
    case BoxAnswer::Cancel:
        if (buttons == BoxButtons::Ok) return IDOK;
        if (buttons == BoxButtons::YesNo) return IDNO;
        return IDCANCEL;
    case BoxAnswer::Ok:
    default:
        return buttons == BoxButtons::YesNo || buttons == BoxButtons::YesNoCancel ? IDYES : IDOK;
    }
}

}  // namespace platform
