// Numbers of the model files as both programs read them: one blank-separated
// token at a time, in the C conventions whatever the user's locale, so that
// TF3D and Planprint take the same files with the same numbers.
#pragma once

#include <cstddef>
#include <string>

namespace platform {

// The longest number token a reader takes.
constexpr std::size_t kMaxNumberLength = 512;

// The characters that separate numbers: those of isspace in the C locale.
inline bool IsNumberBlank(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// The whole token as a number, as strtol (base 10), strtof and strtod take
// it: an optional sign, decimal or hexadecimal floats, a value below the
// float range read as its nearest float (0 for 1e-310). False, with value
// unchanged, for an empty or too long token, characters after the number,
// an integer outside lo..hi, or a value that is not finite (inf, nan, or
// beyond the type's range).
bool ParseLong(const char* text, std::size_t length, long lo, long hi, long& value);
bool ParseFloat(const char* text, std::size_t length, float& value);
bool ParseDouble(const char* text, std::size_t length, double& value);

// The number at the start of text (length characters, the first not a
// blank) as scanf's "%d" and "%f" take it from a stream: the longest prefix
// that is a number, read as above, so that numbers written into fixed columns
// that run together ("0.000-2.500") read apart. The count of characters
// taken, or 0 (value unchanged) when no number starts there, it is out of
// range or not finite, or it runs on past kMaxNumberLength.
std::size_t ParseLongPrefix(const char* text, std::size_t length, long lo, long hi, long& value);
std::size_t ParseFloatPrefix(const char* text, std::size_t length, float& value);

// "3.0", "5.0", "3.25": a model file's version as a user would write it.
std::string VersionText(float version);

// A UTF-8 byte-order mark that an editor put before a file's first line.
constexpr const char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";
// The length of the byte-order mark at the start of text, or 0.
std::size_t ByteOrderMarkLength(const std::string& text);

}  // namespace platform
