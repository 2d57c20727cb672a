#include "files/text_io.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/number_text.h"
#include "platform/safe_file.h"

locale_t CLocaleC()
{
    static const locale_t s_cLocale = newlocale(LC_ALL_MASK, "C", (locale_t)0);
    return s_cLocale;
}

std::string RoundTripText(float v, char conversion, int precision)
{
    CLocaleScopeC c;
    const char format[] = {'%', '.', '*', conversion == 'g' ? 'g' : 'f', 0};
    char text[128];
    for (int p = precision;; ++p) {
        snprintf(text, sizeof text, format, p, static_cast<double>(v));
        // The model readers take a float directly, the dialogs through a double:
        // both must agree (the shortest text of 0x1.5c87fap-84, 7.038531e-26,
        // reads through a double as the next float).
        if (!std::isfinite(v) || p >= 60 ||
            (std::strtof(text, nullptr) == v && static_cast<float>(std::strtod(text, nullptr)) == v))
            return text;
    }
}

CLocaleScopeC::CLocaleScopeC()
{
    if (CLocaleC() != (locale_t)0) m_previous = uselocale(CLocaleC());
}

CLocaleScopeC::~CLocaleScopeC()
{
    if (m_previous != (locale_t)0) uselocale(m_previous);
}

bool CTextFileWriter::Create(const std::string& path)
{
    m_path = path;
    m_text.clear();
    m_open = !path.empty() && !platform::IsSpecialFile(path);
    return m_open;
}

void CTextFileWriter::Write(const char* text, std::size_t length)
{
    if (!m_open) return;
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] == '\n') m_text += '\r';
        m_text += text[i];
    }
}

platform::SaveResult CTextFileWriter::Finish()
{
    if (!m_open) return platform::SaveResult::NotSaved;
    m_open = false;
    const platform::SaveResult result = platform::SafeSaveFile(m_path, m_text);
    m_text.clear();
    return result;
}

CReadFile::~CReadFile()
{
    if (m_file) std::fclose(m_file);
}

bool CReadFile::Open(const std::string& path, std::size_t maxBytes)
{
    if (m_file) std::fclose(m_file);
    m_file = nullptr;
    if (!platform::ReadRegularFile(path, maxBytes, m_bytes)) return false;
    // fmemopen cannot take an empty buffer: an empty file reads as /dev/null.
    m_file = m_bytes.empty() ? std::fopen("/dev/null", "rb") : fmemopen(&m_bytes[0], m_bytes.size(), "rb");
    return m_file != nullptr;
}

int CNumberScanner::Get()
{
    int c;
    if (m_pushed != kNone) {
        c = m_pushed;
        m_pushed = kNone;
    } else {
        c = std::getc(m_file);
        if (c == '\r') {
            const int d = std::getc(m_file);
            if (d == '\n')
                c = '\n';
            else if (d != EOF)
                std::ungetc(d, m_file);
        }
    }
    if (c == '\n') ++m_line;
    return c;
}

bool CNumberScanner::SkipLine(std::size_t maxLength)
{
    for (std::size_t n = 0;; ++n) {
        const int c = Get();
        if (c == '\n') return true;
        if (c == EOF || n >= maxLength) return false;
    }
}

bool CNumberScanner::ReadNameLine(char* name, std::size_t size, std::size_t maxLength)
{
    if (Get() == EOF) return false;  // the line end after the row number
    std::size_t n = 0;
    for (;;) {
        const int c = Get();
        if (c == '\n') break;
        if (c == EOF || n >= maxLength || n + 1 >= size) return false;
        name[n++] = static_cast<char>(c);
    }
    name[n] = '\0';
    return true;
}

bool CNumberScanner::AtEnd()
{
    int c;
    do c = Get();
    while (platform::IsNumberBlank(c));
    if (c == EOF) return true;
    Unget(c);
    return false;
}

bool CNumberScanner::NextToken()
{
    int c;
    do c = Get();
    while (platform::IsNumberBlank(c));
    m_token.clear();
    while (c != EOF && !platform::IsNumberBlank(c)) {
        if (m_token.size() > platform::kMaxNumberLength) return false;
        m_token += static_cast<char>(c);
        c = Get();
    }
    // The blank after a number stays in the stream (a name line follows a row number).
    if (c != EOF) {
        if (c == '\n') --m_line;
        Unget(c);
    }
    return !m_token.empty();
}

bool CNumberScanner::ReadLong(long& v, long lo, long hi)
{
    return NextToken() && platform::ParseLong(m_token.data(), m_token.size(), lo, hi, v);
}

bool CNumberScanner::ReadShort(short& v)
{
    long t;
    if (!ReadLong(t, SHRT_MIN, SHRT_MAX)) return false;
    v = static_cast<short>(t);
    return true;
}

bool CNumberScanner::ReadInt(int& v)
{
    long t;
    if (!ReadLong(t, INT_MIN, INT_MAX)) return false;
    v = static_cast<int>(t);
    return true;
}

bool CNumberScanner::ReadFloat(float& v) { return NextToken() && platform::ParseFloat(m_token.data(), m_token.size(), v); }

bool CNumberScanner::ReadDouble(double& v)
{
    return NextToken() && platform::ParseDouble(m_token.data(), m_token.size(), v);
}
