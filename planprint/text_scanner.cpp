#include "planprint/text_scanner.h"

#include <charconv>
#include <cmath>
#include <type_traits>

namespace {

constexpr std::size_t kLongestNumber = 64;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

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

bool CTextScanner::NextToken(std::string& token)
{
    while (m_pos < m_text.size() && IsBlank(m_text[m_pos])) {
        if (m_text[m_pos] == '\n') ++m_line;
        ++m_pos;
    }
    const std::size_t start = m_pos;
    while (m_pos < m_text.size() && !IsBlank(m_text[m_pos])) ++m_pos;
    if (m_pos == start || m_pos - start > kLongestNumber) return false;
    token.assign(m_text, start, m_pos - start);
    // A leading plus sign is allowed, as in the C library's scanning.
    if (token[0] == '+' && token.size() > 1 && token[1] != '-' && token[1] != '+') token.erase(0, 1);
    return true;
}

template <class T>
bool CTextScanner::ReadNumber(T& value)
{
    std::string token;
    if (!NextToken(token)) return false;
    T v{};
    const auto result = std::from_chars(token.data(), token.data() + token.size(), v);
    if (result.ec != std::errc() || result.ptr != token.data() + token.size()) return false;
    if constexpr (std::is_floating_point_v<T>)
        if (!std::isfinite(v)) return false;
    value = v;
    return true;
}

bool CTextScanner::ReadInt(int& value) { return ReadNumber(value); }

bool CTextScanner::ReadFloat(float& value) { return ReadNumber(value); }
