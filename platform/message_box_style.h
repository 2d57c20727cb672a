// Message box flags in toolkit-neutral terms: which buttons, which icon and
// which button Enter presses, and the ID result of the button that was used.
#pragma once

#include "platform/platform.h"

namespace platform {

enum class BoxButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class BoxIcon { None, Stop, Question, Exclamation, Information };
enum class BoxAnswer { Ok, Cancel, Yes, No };

struct MessageBoxStyle {
    BoxButtons buttons = BoxButtons::Ok;
    BoxIcon icon = BoxIcon::None;
    BoxAnswer defaultButton = BoxAnswer::Ok;
};

// Unknown button types show a plain OK box; MB_DEFBUTTON2/3 name a button
// only when the box has that many.
MessageBoxStyle MessageBoxStyleFromFlags(unsigned flags);

// IDOK/IDCANCEL/IDYES/IDNO for the answer. A box closed without a button
// (answer Cancel where it has no Cancel button) counts as OK for an OK box
// and as No for a Yes/No box.
int MessageBoxResult(unsigned flags, BoxAnswer answer);

}  // namespace platform
