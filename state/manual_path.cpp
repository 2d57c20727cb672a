#include "state/manual_path.h"

#include <filesystem>
#include <system_error>

#include "platform/folders.h"

// Set by the build: the install layout relative to the prefix.
#ifndef TF3D_INSTALL_BINDIR
#define TF3D_INSTALL_BINDIR "bin"
#endif
#ifndef TF3D_INSTALL_DOCDIR
#define TF3D_INSTALL_DOCDIR "share/doc/trussforge3d"
#endif

namespace {

namespace fs = std::filesystem;

const char* const kManualName = "manual.html";

bool IsFile(const fs::path& p)
{
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

}  // namespace

std::string ManualPathFor(const std::string& programFolder)
{
    fs::path folder = fs::path(programFolder).lexically_normal();
    if (folder.filename().empty()) folder = folder.parent_path();
    const fs::path bin = TF3D_INSTALL_BINDIR, doc = TF3D_INSTALL_DOCDIR;
    // <prefix>/bin/tf3d: the prefix is the folder above bin.
    fs::path prefix = folder;
    if (bin.is_relative())
        for (auto it = bin.begin(); it != bin.end() && !it->empty(); ++it) prefix = prefix.parent_path();
    const fs::path installed = (doc.is_absolute() ? doc : prefix / doc) / kManualName;
    if (IsFile(installed)) return installed.string();
    // The build folder holds a copy beside the programs.
    if (IsFile(folder / kManualName)) return (folder / kManualName).string();
    return installed.string();
}

const std::string& DefaultManualPath()
{
    static const std::string path = ManualPathFor(platform::RunningProgramFolder());
    return path;
}
