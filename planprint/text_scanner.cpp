#include "planprint/text_scanner.h"

#include <climits>

#include "platform/number_text.h"

namespace {

bool IsBlank(char c) { return platform::IsNumberBlank(static_cast<unsigned char>(c)); }

}  // namespace

CTextScanner::CTextScanner(const std::string& text) : m_text(text), m_pos(platform::ByteOrderMarkLength(text)) {}

bool CTextScanner::ReadLine(std::string& line, std::size_t maxLength)
{
    if (m_pos >= m_text.size()) return false;
    std::size_t end = m_text.find('\n', m_pos);
    const bool ended = end != std::string::npos;
    if (!ended) end = m_text.size();
    std::size_t length = end - m_pos;
    if (length > 0 && m_text[m_pos + length - 1] == '\r') --length;
    line = m_text.substr(m_pos, length < maxLength ? length : maxLength);
    m_pos = ended ? end + 1 : end;
    if (ended) ++m_line;
    return true;
}

void CTextScanner::SkipBlanks()
{
    while (m_pos < m_text.size() && IsBlank(m_text[m_pos])) {
        if (m_text[m_pos] == '\n') ++m_line;
        ++m_pos;
    }
}

bool CTextScanner::NextToken(const char*& token, std::size_t& length)
{
    SkipBlanks();
    const std::size_t start = m_pos;
    while (m_pos < m_text.size() && !IsBlank(m_text[m_pos])) ++m_pos;
    token = m_text.data() + start;
    length = m_pos - start;
    return length > 0;
}

bool CTextScanner::ReadInt(int& value)
{
    const char* token;
    std::size_t length;
    long v;
    if (!NextToken(token, length) || !platform::ParseLong(token, length, INT_MIN, INT_MAX, v)) return false;
    value = static_cast<int>(v);
    return true;
}

bool CTextScanner::ReadFloat(float& value)
{
    const char* token;
    std::size_t length;
    return NextToken(token, length) && platform::ParseFloat(token, length, value);
}

bool CTextScanner::ReadStreamInt(int& value)
{
    SkipBlanks();
    long v = 0;
    const std::size_t n = platform::ParseLongPrefix(m_text.data() + m_pos, m_text.size() - m_pos, INT_MIN, INT_MAX, v);
    if (n == 0) return false;
    m_pos += n;
    value = static_cast<int>(v);
    return true;
}

bool CTextScanner::ReadStreamFloat(float& value)
{
    SkipBlanks();
    const std::size_t n = platform::ParseFloatPrefix(m_text.data() + m_pos, m_text.size() - m_pos, value);
    m_pos += n;
    return n > 0;
}
