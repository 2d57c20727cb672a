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

// What the Preferences dialog accepts. Its fields show the speeds in the
// model's units: the angular speed in degrees (U.S.) or radians (metric),
// the linear speed in inches or centimetres; the globals hold radians and
// inches. A workspace side above the largest for the model's units is
// taken as that largest.
constexpr int kWorkspaceMin = 12;
constexpr int kWorkspaceMax = 150;
constexpr int kWorkspaceLargestUS = 48;
constexpr int kWorkspaceLargestMetric = 120;
constexpr double kAngularSpeedShownMin = 0.01;
constexpr double kAngularSpeedShownMax = 360;
constexpr double kLinearSpeedShownMin = 0;
constexpr double kLinearSpeedShownMax = 72;

// The largest workspace side for the model's units (g_bUnitsUS).
int LargestWorkspace();

// Loads paths, workspace size, movement speeds and the sound switch from the
// preferences file. Without a file the speeds and the workspace take their
// defaults and the result is 0. Sizes and speeds are brought within what the
// Preferences dialog accepts for the model's units. A value missing from the
// file, malformed, or unusable (a speed that is not finite) keeps the value
// the global already holds; then the result is 0 too. Returns 1 when the
// whole file was read with sound values.
int ReadPreferencesFile();
// The same from a file of another name.
int ReadPreferencesFrom(const std::string& path);
