// Blank-separated numbers and whole lines of a model file held in memory.
// CR LF reads as LF, a UTF-8 byte-order mark before the first line is
// skipped; numbers are read as TF3D reads them (platform/number_text.h).
// Every read fails on a missing, malformed, out-of-range or non-finite value.
#pragma once

#include <cstddef>
#include <string>

class CTextScanner {
public:
    explicit CTextScanner(const std::string& text);

    // The rest of the current line, without its line end; a longer line is
    // cut to maxLength characters. False at the end of the text.
    bool ReadLine(std::string& line, std::size_t maxLength);
    bool ReadInt(int& value);
    bool ReadFloat(float& value);
    // Numbers as a stream's extraction reads them: numbers written into
    // fixed columns that run together ("0.000-2.500") read apart.
    bool ReadStreamInt(int& value);
    bool ReadStreamFloat(float& value);

    // The line the scanner stands on, from 1.
    int Line() const { return m_line; }

private:
    bool NextToken(const char*& token, std::size_t& length);
    void SkipBlanks();

    const std::string& m_text;
    std::size_t m_pos;
    int m_line = 1;
};
