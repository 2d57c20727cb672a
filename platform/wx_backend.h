// The platform services on wxWidgets.
#pragma once

#include <string>

class wxFrame;
class wxWindow;

namespace platform {

// Installs a fresh wx backend as the platform backend (settings are read
// again from the settings file, $XDG_CONFIG_HOME/<settingsName>.conf, or
// ~/.config/<settingsName>.conf). Call after the toolkit has started.
void InstallWxBackend(const std::string& settingsName = "trussforge3d");

// Plays the program's sound clips; without a player the program is silent.
// After a sound, releaseWhenSilent (when given) is called every half second
// until it returns true: the player frees its device once nothing sounds.
void SetWxSoundPlayer(void (*play)(const std::string& name), bool (*releaseWhenSilent)() = nullptr);

// The program's main window (owner of boxes and dialogs, caption, clipboard
// copy) and its 3D view (owner of the view timers). Either may be nullptr;
// a window that is destroyed is forgotten by itself.
void SetWxMainWindow(wxFrame* frame);
void SetWxViewWindow(wxWindow* view);

// Shows a top-level window at its own size and runs the toolkit's events
// until it is on the screen (at most timeoutMs), so that a box shown next
// is centred on it and stacked above it.
void ShowOnScreen(wxWindow* topLevel, int timeoutMs = 3000);

}  // namespace platform
