// The platform services on wxWidgets, with SDL for sound.
#pragma once

class wxFrame;
class wxWindow;

namespace platform {

// Installs a fresh wx backend as the platform backend (settings are read
// again from the settings file). Call after the toolkit has started.
void InstallWxBackend();

// The program's main window (owner of boxes and dialogs, caption, clipboard
// copy) and its 3D view (owner of the view timers). Either may be nullptr;
// a window that is destroyed is forgotten by itself.
void SetWxMainWindow(wxFrame* frame);
void SetWxViewWindow(wxWindow* view);

}  // namespace platform
