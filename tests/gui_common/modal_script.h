// Window tests drive a modal dialog from inside its modal loop: the script
// runs once the dialog is up; a dialog the script leaves open is cancelled.
#pragma once

#include <functional>

class wxDialog;

void SetModalScript(std::function<void(wxDialog*)> script);
