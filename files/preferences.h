// The preferences file "Prefs.TF3": where it lives and its reader.
#pragma once

#include <string>

// Full path of the preferences file. It lies in the program's own folder when
// that folder is writable, else in "trussforge3d" under the user's
// configuration folder ($XDG_CONFIG_HOME, or ~/.config). The reader and the
// writer both ask here.
std::string PreferencesFilePath();

// Creates the folder that PreferencesFilePath() names, when missing.
// Returns true when it exists afterwards.
bool MakePreferencesFolder();

// Replaces the program's folder (found through /proc/self/exe) by folder;
// an empty string restores the real one.
void SetPreferencesProgramFolder(const std::string& folder);

// Loads paths, workspace size, movement speeds and the sound switch from the
// preferences file. Without a file the speeds and the workspace take their
// defaults and the result is 0. A value missing from the file, malformed, or
// unusable (a workspace size outside 1..32767, a speed that is not finite)
// keeps the value the global already holds; then the result is 0 too.
// Returns 1 when the whole file was read with sound values.
int ReadPreferencesFile();
// The same from a file of another name.
int ReadPreferencesFrom(const std::string& path);
