// Temporary folders of the tests, in the system's temporary folder ($TMPDIR
// or /tmp).
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

#include <gtest/gtest.h>

// A new folder whose name starts with prefix, or "" when none can be made.
inline std::string MakeTempFolder(const std::string& prefix)
{
    std::error_code ec;
    std::string pattern = (std::filesystem::temp_directory_path(ec) / (prefix + "_XXXXXX")).string();
    if (ec) pattern = "/tmp/" + prefix + "_XXXXXX";
    return mkdtemp(&pattern[0]) ? pattern : std::string();
}

// A new temporary folder, removed with its contents.
struct TempFolder {
    std::string path;
    explicit TempFolder(const std::string& prefix) : path(MakeTempFolder(prefix))
    {
        EXPECT_FALSE(path.empty()) << "no temporary folder";
    }
    ~TempFolder()
    {
        std::error_code ec;
        if (!path.empty()) std::filesystem::remove_all(path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    std::string operator/(const std::string& name) const { return path + "/" + name; }
};
