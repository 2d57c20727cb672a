// Text files in the program's conventions: numbers in the C locale whatever
// the user's locale, CR LF line ends on disk, a file's whole text saved at once.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include <locale.h>

#include "platform/safe_file.h"

// The "C" locale, for the *_l conversion functions; 0 when it cannot be made.
locale_t CLocaleC();

// v as printf's conversion 'f' or 'g' writes it in the C locale, with at
// least the given precision and as much more as it takes to read back as the
// same float (an infinity or NaN as printf writes it).
std::string RoundTripText(float v, char conversion, int precision);

// Makes numbers and dates use the "C" conventions on this thread for the
// lifetime of the object, whatever the user's locale.
class CLocaleScopeC {
public:
    CLocaleScopeC();
    ~CLocaleScopeC();
    CLocaleScopeC(const CLocaleScopeC&) = delete;
    CLocaleScopeC& operator=(const CLocaleScopeC&) = delete;

private:
    locale_t m_previous = (locale_t)0;
};

// Text file in the program's text mode: every '\n' is written as CR LF. The
// text is gathered in memory and saved whole by Finish (platform::SafeSaveFile).
// A failed save keeps the previous file, except one written in place whose
// overwritten bytes could not be put back: Finish then says MayBeDamaged.
class CTextFileWriter {
public:
    // Refuses a target that is a directory, FIFO or device.
    bool Create(const std::string& path);
    void Write(const char* text, std::size_t length);
    void Write(const std::string& text) { Write(text.data(), text.size()); }
    // Saves the text; NotSaved when nothing was created or the save failed
    // (MayBeDamaged as above).
    platform::SaveResult Finish();

private:
    std::string m_path;
    std::string m_text;
    bool m_open = false;
};

// The largest file a reader takes.
constexpr std::size_t kMaxReadFileBytes = 64u << 20;

// A whole regular file read into memory, then read back through stdio. A
// FIFO, device or directory, or a file over the bound, is refused at once
// instead of blocking or running on for ever.
class CReadFile {
public:
    CReadFile() = default;
    ~CReadFile();
    CReadFile(const CReadFile&) = delete;
    CReadFile& operator=(const CReadFile&) = delete;

    bool Open(const std::string& path, std::size_t maxBytes = kMaxReadFileBytes);
    std::FILE* File() const { return m_file; }

private:
    std::string m_bytes;
    std::FILE* m_file = nullptr;
};

// Blank-separated numbers and whole lines of a file read through stdio; CR LF
// reads as LF. Numbers are read as Planprint reads them
// (platform/number_text.h). Every number read fails on a missing,
// malformed, out-of-range or non-finite value instead of leaving a stale one
// behind.
class CNumberScanner {
public:
    explicit CNumberScanner(std::FILE* file) : m_file(file) {}

    // Skips the rest of the line; false at the end of the file or when more
    // than maxLength characters come first.
    bool SkipLine(std::size_t maxLength);
    // The line end right after a number, then the whole next line (blanks
    // kept) as a name of at most maxLength characters.
    bool ReadNameLine(char* name, std::size_t size, std::size_t maxLength);
    // True when only blanks are left.
    bool AtEnd();

    bool ReadShort(short& v);
    bool ReadInt(int& v);
    bool ReadFloat(float& v);
    bool ReadDouble(double& v);

    // The line the scanner stands on, from 1: after a failed number read,
    // the line of the token that was refused (or the end of the file).
    int Line() const { return m_line; }

private:
    static constexpr int kNone = -2;

    int Get();
    void Unget(int c) { m_pushed = c; }
    bool NextToken();
    bool ReadLong(long& v, long lo, long hi);

    std::FILE* m_file;
    int m_pushed = kNone;
    int m_line = 1;
    std::string m_token;
};

// Closes a stdio file when it goes out of scope.
class CFileCloser {
public:
    explicit CFileCloser(std::FILE* f) : m_file(f) {}
    ~CFileCloser() { std::fclose(m_file); }
    CFileCloser(const CFileCloser&) = delete;
    CFileCloser& operator=(const CFileCloser&) = delete;

private:
    std::FILE* m_file;
};
