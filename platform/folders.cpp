#include "platform/folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace platform {

namespace {

std::string WithoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

}  // namespace

std::string RunningProgramFolder()
{
    std::vector<char> buf(4096);
    for (;;) {
        const ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size());
        if (n < 0) return std::string();
        if (static_cast<size_t>(n) < buf.size()) {
            const std::string exe(buf.data(), static_cast<size_t>(n));
            const size_t slash = exe.rfind('/');
            if (slash == std::string::npos) return std::string();
            return slash == 0 ? "/" : exe.substr(0, slash);
        }
        if (buf.size() >= (1u << 20)) return std::string();
        buf.resize(buf.size() * 2);
    }
}

std::string UserConfigFolder()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') return WithoutTrailingSlashes(xdg);
    const char* home = std::getenv("HOME");
    if (!home || !home[0]) {
        const passwd* pw = getpwuid(getuid());
        home = pw ? pw->pw_dir : nullptr;
    }
    if (!home || !home[0]) return std::string();
    const std::string base = WithoutTrailingSlashes(home);
    return (base == "/" ? base : base + "/") + ".config";
}

}  // namespace platform
