// "Trussforge3D Preferences": workspace size, movement speeds, helper
// programs and documents, sounds; and the preferences file it saves.
#pragma once

#include <string>

#include "frame/dialog_controls.h"
#include "platform/safe_file.h"

// The text of the preferences file for the current preferences.
std::string PreferencesFileText();
// Writes the preferences file.
platform::SaveResult SavePreferencesFile(std::string* why = nullptr);

class PreferencesEditor {
public:
    explicit PreferencesEditor(DialogControls& controls);
    void Init();
    bool Ok();      // true: the dialog may close
    void Cancel();
    void Save();
    void Default();
    // Which: 0 results viewer, 1 graphic viewer, 2 internet browser, 3 manual.
    void Browse(int which);
    void SoundOn();

private:
    bool Exchange(bool save);
    bool Apply();
    void InvalidateWorkspaceLists();

    DialogControls& c_;
    std::string paths_[4];
    short workspace_[3] = {};
    float angular_ = 0, linear_ = 0;
    float shownAngular_ = 0, shownLinear_ = 0;  // as last shown or applied
    int sound_ = 0;
};
