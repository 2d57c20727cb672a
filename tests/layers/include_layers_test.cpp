// The source folders are layers: a file includes only its own folder and the
// layers below it. This reads every include of the programs' sources.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// TF3D's layers, lowest first.
const std::vector<std::string> kLayers = {"platform", "state", "model", "files", "printing", "view", "frame"};
// Planprint stands on the platform alone.
const std::string kPlanprint = "planprint";

// The folders a file of `layer` may include.
std::vector<std::string> Allowed(const std::string& layer)
{
    if (layer == kPlanprint) return {kPlanprint, "platform"};
    const auto it = std::find(kLayers.begin(), kLayers.end(), layer);
    return std::vector<std::string>(kLayers.begin(), it + 1);
}

std::string Join(const std::vector<std::string>& v)
{
    std::string s;
    for (const std::string& x : v) s += (s.empty() ? "" : ", ") + x;
    return s;
}

struct Include {
    std::string file;  // relative to the source root
    int line;
    std::string target;  // relative to the source root
};

// Every quoted include of every source file under the layer folders.
std::vector<Include> ReadIncludes(const fs::path& root)
{
    static const std::regex kInclude(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::vector<std::string> folders = kLayers;
    folders.push_back(kPlanprint);
    std::vector<Include> out;
    for (const std::string& folder : folders) {
        for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
            const std::string ext = entry.path().extension().string();
            if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
            const std::string file = entry.path().lexically_relative(root).generic_string();
            std::ifstream in(entry.path());
            std::string text;
            for (int n = 1; std::getline(in, text); ++n) {
                std::smatch m;
                if (!std::regex_search(text, m, kInclude)) continue;
                std::string target = m[1];
                // A bare or relative name is looked up beside the file first.
                const fs::path beside = (entry.path().parent_path() / target).lexically_normal();
                if (target.find('/') == std::string::npos || target.rfind("..", 0) == 0 ||
                    fs::exists(beside))
                    target = beside.lexically_relative(root).generic_string();
                out.push_back({file, n, target});
            }
        }
    }
    return out;
}

std::string TopFolder(const std::string& path) { return path.substr(0, path.find('/')); }

TEST(IncludeLayers, EveryIncludePointsDownOrWithinItsFolder)
{
    const std::vector<Include> includes = ReadIncludes(TF3D_SOURCE_DIR);
    ASSERT_GT(includes.size(), 100u) << "the sources were not found under " << TF3D_SOURCE_DIR;
    for (const Include& inc : includes) {
        const std::string from = TopFolder(inc.file);
        const std::string to = TopFolder(inc.target);
        const std::vector<std::string> allowed = Allowed(from);
        if (std::find(allowed.begin(), allowed.end(), to) != allowed.end()) continue;
        ADD_FAILURE() << inc.file << ":" << inc.line << ": layer " << from << " includes " << inc.target << " of "
                      << (to == inc.target ? "no layer" : "layer " + to) << "; " << from << " may include only "
                      << Join(allowed);
    }
}

}  // namespace
