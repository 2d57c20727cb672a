#include "platform/shell_command.h"

#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

bool IsExecutableFile(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

bool Exists(const std::string& path)
{
    struct stat st;
    return !path.empty() && stat(path.c_str(), &st) == 0;
}

// "scheme:..." with a scheme of at least two letters (a drive letter "c:" is not one).
bool IsAddress(const std::string& s)
{
    const auto colon = s.find(':');
    if (colon == std::string::npos || colon < 2) return false;
    for (size_t i = 0; i < colon; ++i) {
        const char c = s[i];
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'));
        if (!ok) return false;
    }
    return true;
}

}  // namespace

std::string FindExecutable(const std::string& program, const std::string& searchPath)
{
    if (program.empty()) return "";
    if (program.find('/') != std::string::npos) return IsExecutableFile(program) ? program : "";
    std::string::size_type start = 0;
    while (start <= searchPath.size()) {
        auto colon = searchPath.find(':', start);
        if (colon == std::string::npos) colon = searchPath.size();
        const std::string dir = searchPath.substr(start, colon - start);
        // An empty entry means the current folder, which we never search.
        if (!dir.empty()) {
            const std::string candidate = dir + (dir.back() == '/' ? "" : "/") + program;
            if (IsExecutableFile(candidate)) return candidate;
        }
        start = colon + 1;
    }
    return "";
}

std::vector<std::string> ShellOpenCommand(const std::string& program, const std::string& parameters,
                                          const std::string& searchPath)
{
    const std::string runnable = FindExecutable(program, searchPath);
    if (!runnable.empty()) {
        std::vector<std::string> argv{runnable};
        if (!parameters.empty()) argv.push_back(parameters);
        return argv;
    }
    std::string target;
    if (!parameters.empty())
        target = parameters;
    else if (IsAddress(program) || Exists(program))
        target = program;
    if (target.empty()) return {};
    if (target[0] == '-') target = "./" + target;  // a file name, never an option
    const std::string opener = FindExecutable("xdg-open", searchPath);
    if (opener.empty()) return {};
    return {opener, target};
}

}  // namespace platform
