// Number texts that both programs' readers must take alike: each reader is
// checked against this one table, so TF3D and Planprint agree number for
// number on the same files.
#pragma once

#include <cfloat>
#include <cstring>
#include <string>
#include <vector>

struct AwkwardNumber {
    std::string text;
    bool read;    // false: the file is refused
    float value;  // what is read, to the bit (-0 is not 0)
};

inline std::vector<AwkwardNumber> AwkwardNumbers()
{
    return {
        {"0x1.8p1", true, 3.0f},        {"-0x10", true, -16.0f},          {"0X1P-149", true, 0x1p-149f},
        {"1e-40", true, 1e-40f},        {"8e-46", true, 0x1p-149f},       {"1e-46", true, 0.0f},
        {"1e-310", true, 0.0f},         {"-1e-310", true, -0.0f},         {"-0", true, -0.0f},
        {"+2.5", true, 2.5f},           {".5", true, 0.5f},               {"5.", true, 5.0f},
        {"1E3", true, 1000.0f},         {"00012.50", true, 12.5f},        {"3.4028235e38", true, FLT_MAX},
        {"-3.4028235e38", true, -FLT_MAX}, {"0.1000000000000000055511151231257827", true, 0.1f},
        {"16777217", true, 16777216.0f}, {"0." + std::string(498, '0') + "1", true, 0.0f},
        {"1e39", false, 0},             {"-1e39", false, 0},              {"inf", false, 0},
        {"-inf", false, 0},             {"infinity", false, 0},           {"nan", false, 0},
        {"1.5abc", false, 0},           {"1,5", false, 0},                {"--1", false, 0},
        {"+-1", false, 0},              {"0x", false, 0},                 {"1e", false, 0},
        {"0." + std::string(520, '0') + "1", false, 0},
    };
}

inline bool SameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// text with the field-th blank-separated field (from 0) of line `line` (from
// 0) replaced by value; the line end (LF or CR LF) is kept.
inline std::string WithField(std::string text, int line, int field, const std::string& value)
{
    std::size_t pos = 0;
    for (int i = 0; i < line; ++i) pos = text.find('\n', pos) + 1;
    for (int i = 0; i < field; ++i) pos = text.find(' ', pos) + 1;
    const std::size_t end = text.find_first_of(" \r\n", pos);
    return text.replace(pos, end - pos, value);
}
