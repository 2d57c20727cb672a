#include "files/text_io.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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
        // Readers take a float directly or through a double: both must agree.
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
