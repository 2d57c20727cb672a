// File, locale and comparison helpers shared by the tests.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/resource.h>

#include <algorithm>
#include <clocale>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "model/tables.h"
#include "state/frame_globals.h"
#include "tests/common/temp_folder.h"

inline std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// The same text with every "\n" written as CR LF.
inline std::string ToCrlf(const std::string& lf)
{
    std::string out;
    for (char c : lf) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

// Pieces between line ends; nothing after the last line end is no line.
inline std::vector<std::string> SplitLines(const std::string& text, const std::string& end = "\n")
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t pos; (pos = text.find(end, start)) != std::string::npos; start = pos + end.size())
        lines.push_back(text.substr(start, pos - start));
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

// Lines of a file that must end every line, unless lastOpen the last one too, with CR LF.
inline std::vector<std::string> CrlfLines(const std::string& path, bool lastOpen = false)
{
    const std::string bytes = ReadBytes(path);
    const bool ended = bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0;
    EXPECT_TRUE(ended || lastOpen) << "no line end at the end of " << path;
    auto lines = SplitLines(bytes, "\r\n");
    for (const std::string& line : lines) EXPECT_EQ(line.find('\n'), std::string::npos) << "bare line feed";
    return lines;
}

// expected[i] must be actual[at + i].
inline void ExpectLinesAt(const std::vector<std::string>& actual, size_t at, const std::vector<std::string>& expected)
{
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(at + i < actual.size() ? actual[at + i] : "<none>", expected[i]) << "line " << at + i + 1;
}

inline void ExpectSameLines(const std::vector<std::string>& actual, const std::vector<std::string>& expected)
{
    ExpectLinesAt(actual, 0, expected);
    EXPECT_EQ(actual.size(), expected.size());
}

// Pairs of {actual, expected}, compared exactly; the disagreeing ones by position, or "".
inline std::string Mismatches(std::initializer_list<std::pair<double, double>> pairs)
{
    std::ostringstream out;
    out.precision(10);
    int i = 0;
    for (const auto& p : pairs) {
        if (!(p.first == p.second)) out << "#" << i << ": " << p.first << " is not " << p.second << "; ";
        ++i;
    }
    return out.str();
}

// A locale that writes a decimal comma, in force while this lives; ok is false when none is installed.
struct CommaLocale {
    std::string saved = setlocale(LC_ALL, nullptr);
    bool ok = false;
    CommaLocale()
    {
        char probe[8] = "";
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "de_DE"})
            if (setlocale(LC_ALL, name)) break;
        snprintf(probe, sizeof probe, "%.1f", 1.5);
        ok = std::string(probe) == "1,5";
    }
    ~CommaLocale() { setlocale(LC_ALL, saved.c_str()); }
};

// Runs f while files may grow to at most bytes.
template <class F>
auto WithFileSizeLimit(rlim_t bytes, F f)
{
    rlimit old{};
    EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto handler = signal(SIGXFSZ, SIG_IGN);
    const rlimit small{bytes, old.rlim_max};
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    auto result = f();
    setrlimit(RLIMIT_FSIZE, &old);
    signal(SIGXFSZ, handler);
    return result;
}

// What the rest of the program relies on after any read of a model, good or bad.
inline void ExpectConsistentModel()
{
    auto in = [](int v, int low, int high) { return v >= low && v <= high; };
    ASSERT_TRUE(in(g_nJoints, 0, MAX_JOINTS) && in(g_nMembers, 0, MAX_MEMBERS)) << g_nJoints << " " << g_nMembers;
    for (int i = 1; i <= g_nMembers; ++i) {
        const MemberRec& m = g_Members[i];
        ASSERT_TRUE(in(m.jointA, 1, g_nJoints) && in(m.jointB, 1, g_nJoints) && in(m.shape, 1, USER_TABLE_ROWS) &&
                    in(m.material, 1, USER_TABLE_ROWS))
            << "member " << i;
    }
    ASSERT_TRUE(in(g_nDefaultShape, 1, USER_TABLE_ROWS) && in(g_nDefaultMaterial, 1, USER_TABLE_ROWS));
    for (int r = 0; r < TABLE_ROWS; ++r)  // every name ends inside its field
        ASSERT_TRUE(memchr(g_Shapes[r].name, 0, sizeof g_Shapes[r].name) &&
                    memchr(g_Materials[r].name, 0, sizeof g_Materials[r].name))
            << "row " << r;
}
