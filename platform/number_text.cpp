#include "platform/number_text.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <locale.h>

namespace platform {

namespace {

locale_t CLocale()
{
    static const locale_t s_locale = newlocale(LC_ALL_MASK, "C", (locale_t)0);
    return s_locale;
}

// The token NUL-terminated; false when it cannot be a number.
bool Terminated(const char* text, std::size_t length, char (&buffer)[kMaxNumberLength + 1])
{
    if (length == 0 || length > kMaxNumberLength || CLocale() == (locale_t)0) return false;
    std::memcpy(buffer, text, length);
    buffer[length] = '\0';
    // strto* skip leading blanks; a token has none.
    return !IsNumberBlank(static_cast<unsigned char>(buffer[0]));
}

}  // namespace

bool ParseLong(const char* text, std::size_t length, long lo, long hi, long& value)
{
    char buffer[kMaxNumberLength + 1];
    if (!Terminated(text, length, buffer)) return false;
    char* end = nullptr;
    errno = 0;
    const long v = strtol_l(buffer, &end, 10, CLocale());
    if (errno != 0 || end != buffer + length || v < lo || v > hi) return false;
    value = v;
    return true;
}

bool ParseFloat(const char* text, std::size_t length, float& value)
{
    char buffer[kMaxNumberLength + 1];
    if (!Terminated(text, length, buffer)) return false;
    char* end = nullptr;
    const float v = strtof_l(buffer, &end, CLocale());
    if (end != buffer + length || !std::isfinite(v)) return false;
    value = v;
    return true;
}

bool ParseDouble(const char* text, std::size_t length, double& value)
{
    char buffer[kMaxNumberLength + 1];
    if (!Terminated(text, length, buffer)) return false;
    char* end = nullptr;
    const double v = strtod_l(buffer, &end, CLocale());
    if (end != buffer + length || !std::isfinite(v)) return false;
    value = v;
    return true;
}

std::string VersionText(float version)
{
    char text[48];
    std::snprintf(text, sizeof text, "%.6g", static_cast<double>(version));
    std::string s = text;
    if (s.find_first_of(".e") == std::string::npos) s += ".0";
    return s;
}

std::size_t ByteOrderMarkLength(const std::string& text)
{
    const std::size_t n = sizeof kUtf8ByteOrderMark - 1;
    return text.compare(0, n, kUtf8ByteOrderMark) == 0 ? n : 0;
}

}  // namespace platform
