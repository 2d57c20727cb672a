// Where the running program lies and where the user's settings go.
#pragma once

#include <string>

namespace platform {

// The folder that holds the running program (from /proc/self/exe), without
// a trailing '/' unless it is the root. Empty when it cannot be found.
std::string RunningProgramFolder();

// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute
// path, else .config in the home folder ($HOME, or the password entry's
// when HOME is unset or empty). Without a trailing '/' unless it is the
// root. Empty when there is no home folder.
std::string UserConfigFolder();

}  // namespace platform
