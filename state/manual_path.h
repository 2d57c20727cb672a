// Where the user's manual lies, found from the running program.
#pragma once

#include <string>

// The manual for a program in programFolder: installed, <prefix>/bin beside
// <prefix>/share/doc/trussforge3d; run from the build folder, the copy beside
// the program. The installed place when neither holds it.
std::string ManualPathFor(const std::string& programFolder);

// The same for the running program.
const std::string& DefaultManualPath();
