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

namespace {

// The run of characters up to the first blank, NUL-terminated; its length,
// or kMaxNumberLength + 1 when it runs on past the limit.
std::size_t Word(const char* text, std::size_t length, char (&buffer)[kMaxNumberLength + 2])
{
    std::size_t n = 0;
    while (n < length && n <= kMaxNumberLength && !IsNumberBlank(static_cast<unsigned char>(text[n]))) {
        buffer[n] = text[n];
        ++n;
    }
    buffer[n] = '\0';
    return n;
}

}  // namespace

std::size_t ParseLongPrefix(const char* text, std::size_t length, long lo, long hi, long& value)
{
    char buffer[kMaxNumberLength + 2];
    if (Word(text, length, buffer) == 0 || CLocale() == (locale_t)0) return 0;
    char* end = nullptr;
    errno = 0;
    const long v = strtol_l(buffer, &end, 10, CLocale());
    const std::size_t taken = static_cast<std::size_t>(end - buffer);
    if (taken == 0 || taken > kMaxNumberLength || errno != 0 || v < lo || v > hi) return 0;
    value = v;
    return taken;
}

std::size_t ParseFloatPrefix(const char* text, std::size_t length, float& value)
{
    char buffer[kMaxNumberLength + 2];
    if (Word(text, length, buffer) == 0 || CLocale() == (locale_t)0) return 0;
    char* end = nullptr;
    const float v = strtof_l(buffer, &end, CLocale());
    const std::size_t taken = static_cast<std::size_t>(end - buffer);
    if (taken == 0 || taken > kMaxNumberLength || !std::isfinite(v)) return 0;
    value = v;
    return taken;
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
