#include "files/text_io.h"

#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

locale_t CLocaleC()
{
    static const locale_t s_cLocale = newlocale(LC_ALL_MASK, "C", (locale_t)0);
    return s_cLocale;
}

CLocaleScopeC::CLocaleScopeC()
{
    if (CLocaleC() != (locale_t)0) m_previous = uselocale(CLocaleC());
}

CLocaleScopeC::~CLocaleScopeC()
{
    if (m_previous != (locale_t)0) uselocale(m_previous);
}

CTextFileWriter::~CTextFileWriter()
{
    if (m_file) Abandon();
}

bool CTextFileWriter::Create(const std::string& path)
{
    if (m_file) Abandon();
    m_file = std::fopen(path.c_str(), "wb");
    if (!m_file) return false;
    m_path = path;
    m_ok = true;
    struct stat st;
    m_regular = fstat(fileno(m_file), &st) == 0 && S_ISREG(st.st_mode);
    return true;
}

void CTextFileWriter::Write(const char* text, std::size_t length)
{
    if (!m_file || !m_ok) return;
    std::size_t start = 0;
    for (std::size_t i = 0; i < length && m_ok; ++i) {
        if (text[i] != '\n') continue;
        if (i > start && std::fwrite(text + start, 1, i - start, m_file) != i - start) m_ok = false;
        if (m_ok && std::fwrite("\r\n", 1, 2, m_file) != 2) m_ok = false;
        start = i + 1;
    }
    if (m_ok && start < length && std::fwrite(text + start, 1, length - start, m_file) != length - start)
        m_ok = false;
}

bool CTextFileWriter::Finish()
{
    if (!m_file) return false;
    if (m_ok && std::fflush(m_file) != 0) m_ok = false;
    if (m_ok && std::ferror(m_file)) m_ok = false;
    if (!m_ok) {
        Abandon();
        return false;
    }
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    if (!closed && m_regular) std::remove(m_path.c_str());
    return closed;
}

void CTextFileWriter::Abandon()
{
    std::fclose(m_file);
    m_file = nullptr;
    // Only a regular file is removed: never a device or other special file.
    if (m_regular) std::remove(m_path.c_str());
    m_ok = false;
}
