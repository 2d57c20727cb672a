// Text files in the program's conventions: numbers in the C locale whatever
// the user's locale, CR LF line ends on disk, no half-written file left behind.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include <locale.h>

// The "C" locale, for the *_l conversion functions; 0 when it cannot be made.
locale_t CLocaleC();

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

// Text file in the program's text mode: every '\n' is written as CR LF.
// A file that was not finished successfully is removed.
class CTextFileWriter {
public:
    CTextFileWriter() = default;
    ~CTextFileWriter();
    CTextFileWriter(const CTextFileWriter&) = delete;
    CTextFileWriter& operator=(const CTextFileWriter&) = delete;

    bool Create(const std::string& path);
    void Write(const char* text, std::size_t length);
    void Write(const std::string& text) { Write(text.data(), text.size()); }
    // Flushes and closes; false when any write, the flush or the close failed.
    bool Finish();

private:
    void Abandon();

    std::FILE* m_file = nullptr;
    std::string m_path;
    bool m_ok = false;
    bool m_regular = false;
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
