#include "platform/file_dialog_filter.h"

#include <vector>

namespace platform {

std::string ChooserWildcard(const std::string& filter)
{
    std::vector<std::string> fields;
    std::string::size_type start = 0;
    while (start <= filter.size()) {
        const auto bar = filter.find('|', start);
        const auto end = bar == std::string::npos ? filter.size() : bar;
        if (end == start) break;  // "||" or the end closes the list
        fields.push_back(filter.substr(start, end - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }

    std::string out;
    for (size_t i = 0; i + 1 < fields.size(); i += 2) {
        std::string patterns;
        std::string::size_type p = 0;
        const std::string& list = fields[i + 1];
        while (p <= list.size()) {
            auto semi = list.find(';', p);
            if (semi == std::string::npos) semi = list.size();
            std::string one = list.substr(p, semi - p);
            if (one == "*.*") one = "*";
            if (!one.empty()) {
                if (!patterns.empty()) patterns += ';';
                patterns += one;
            }
            p = semi + 1;
        }
        if (patterns.empty()) continue;
        if (!out.empty()) out += '|';
        out += fields[i] + '|' + patterns;
    }
    return out.empty() ? "*" : out;
}

std::string ChooserInitialName(const std::string& fileName)
{
    return fileName.find_first_of("*?") == std::string::npos ? fileName : std::string();
}

std::string WithDefaultExtension(const std::string& path, const std::string& ext)
{
    if (ext.empty() || path.empty() || path.back() == '/') return path;
    const auto slash = path.rfind('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    // A leading dot marks a hidden file, not an extension.
    const auto dot = name.rfind('.');
    if (dot != std::string::npos && dot != 0 && dot + 1 < name.size()) return path;
    if (dot != std::string::npos && dot + 1 == name.size() && dot != 0) return path + ext;
    return path + "." + ext;
}

}  // namespace platform
