// The print dialog and printer jobs of the toolkit backend: the system's
// print dialog (GTK's, as wx shows it on this platform), a job on the chosen
// printer drawn with cairo, or a PDF file when the dialog's "Print to File"
// is chosen, and a progress box with a Cancel button.
#pragma once

#include <memory>
#include <string>

#include "platform/print_device.h"

class wxWindow;

namespace platform {

// Shows the dialog over parent (may be nullptr). True with the target when
// the user confirms. A wxModalDialogHook may answer it in place of the user.
bool ShowSystemPrintDialog(wxWindow* parent, const PrintDialogRequest& request, PrintTarget& target);

std::unique_ptr<PrintProgress> ShowPrintProgress(wxWindow* parent, const std::string& jobName);

}  // namespace platform
