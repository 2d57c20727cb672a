// What "open this program or document" runs on a desktop without a shell
// association table.
#pragma once

#include <string>
#include <vector>

namespace platform {

// Full path of an executable regular file: program itself when it holds a
// '/', else the first match on the ':'-separated search path. "" when none.
std::string FindExecutable(const std::string& program, const std::string& searchPath);

// The argument vector that opens program with parameters (argv[0] a full
// path), or an empty vector when nothing can be started:
// - a runnable program gets the parameters as one argument, when not empty;
// - otherwise the parameters (a web address for a browser that is not
//   installed), or else the program itself when it is a web address or an
//   existing file, go to xdg-open.
std::vector<std::string> ShellOpenCommand(const std::string& program, const std::string& parameters,
                                          const std::string& searchPath);

}  // namespace platform
