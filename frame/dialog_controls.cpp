#include "frame/dialog_controls.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "files/text_io.h"
#include "platform/platform.h"
#include "state/frame_globals.h"

namespace {

std::string Trimmed(const std::string& s)
{
    const size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return std::string();
    const size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

// A decimal number in the C locale, the whole text; no words (inf, nan)
// and no hexadecimal forms.
bool ParseDecimal(const std::string& text, double& out)
{
    const std::string t = Trimmed(text);
    if (t.empty()) return false;
    for (char ch : t)
        if (!((ch >= '0' && ch <= '9') || ch == '.' || ch == 'e' || ch == 'E' || ch == '+' || ch == '-'))
            return false;
    if (!CLocaleC()) return false;
    char* end = nullptr;
    errno = 0;
    const double v = strtod_l(t.c_str(), &end, CLocaleC());
    if (end != t.c_str() + t.size() || !std::isfinite(v)) return false;
    out = v;
    return true;
}

bool ParseWhole(const std::string& text, long& out)
{
    const std::string t = Trimmed(text);
    if (t.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long v = std::strtol(t.c_str(), &end, 10);
    if (end != t.c_str() + t.size() || errno == ERANGE) return false;
    out = v;
    return true;
}

void Tell(const std::string& text)
{
    platform::MessageBox(text, g_szAppTitle, platform::MB_OK | platform::MB_ICONEXCLAMATION);
}

}  // namespace

std::string FormatNumber(double value) { return RoundTripText(static_cast<float>(value), 'g', 6); }

std::string FormatInteger(long value) { return std::to_string(value); }

float CutDecimals(float value, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    const double scaled = std::trunc(static_cast<double>(value) * scale);
    // A small negative value cut to nothing shows as 0, not -0.
    return scaled == 0 ? 0.0f : static_cast<float>(scaled / scale);
}

std::string TruncateText(const std::string& text, size_t maxBytes)
{
    if (text.size() <= maxBytes) return text;
    size_t n = maxBytes;
    // Step back over continuation bytes of a UTF-8 character.
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
    return text.substr(0, n);
}

std::string RangeMessage(double min, double max, bool integer)
{
    return std::string(integer ? "Please enter an integer between " : "Please enter a number between ") +
           FormatNumber(min) + " and " + FormatNumber(max) + ".";
}

std::string NotANumberMessage(bool integer)
{
    return integer ? "Please enter an integer." : "Please enter a number.";
}

bool DataExchange::ReadNumber(int id, bool integer, double min, double max, bool ranged, double& out)
{
    if (!ok_) return false;
    const std::string text = c_.Text(id);
    bool parsed;
    if (integer) {
        long v = 0;
        parsed = ParseWhole(text, v);
        out = static_cast<double>(v);
    } else {
        parsed = ParseDecimal(text, out);
        // A number too large for a float cannot be stored.
        if (parsed && std::fabs(out) > 3.4e38) parsed = false;
        if (parsed) out = static_cast<float>(out);
    }
    std::string why;
    if (!parsed)
        why = NotANumberMessage(integer);
    else if (ranged) {
        // Floats are checked as floats, so the limits themselves are accepted.
        const double lo = integer ? min : static_cast<float>(min), hi = integer ? max : static_cast<float>(max);
        if (out < lo || out > hi) why = RangeMessage(min, max, integer);
    }
    if (why.empty()) return true;
    ok_ = false;
    Tell(why);
    c_.Focus(id);
    return false;
}

void DataExchange::Float(int id, float& value, double min, double max)
{
    if (!save_) {
        c_.SetText(id, FormatNumber(value));
        return;
    }
    double v;
    if (ReadNumber(id, false, min, max, true, v)) writes_.push_back([&value, v] { value = static_cast<float>(v); });
}

void DataExchange::Float(int id, float& value)
{
    if (!save_) {
        c_.SetText(id, FormatNumber(value));
        return;
    }
    double v;
    if (ReadNumber(id, false, 0, 0, false, v)) writes_.push_back([&value, v] { value = static_cast<float>(v); });
}

void DataExchange::Short(int id, short& value, int min, int max)
{
    if (!save_) {
        c_.SetText(id, FormatInteger(value));
        return;
    }
    double v;
    if (ReadNumber(id, true, min, max, true, v)) writes_.push_back([&value, v] { value = static_cast<short>(v); });
}

void DataExchange::Text(int id, std::string& value, size_t maxBytes)
{
    if (!save_) {
        c_.SetText(id, value);
        return;
    }
    if (!ok_) return;
    const std::string text = c_.Text(id);
    if (text.size() > maxBytes) {
        ok_ = false;
        Tell("Enter no more than " + std::to_string(maxBytes) + " characters.");
        c_.Focus(id);
        return;
    }
    writes_.push_back([&value, text] { value = text; });
}

void DataExchange::Check(int id, int& value)
{
    if (!save_) {
        c_.SetChecked(id, value != 0);
        return;
    }
    const bool on = c_.Checked(id);
    writes_.push_back([&value, on] { value = on ? 1 : 0; });
}

bool DataExchange::Commit()
{
    if (ok_)
        for (auto& w : writes_) w();
    writes_.clear();
    return ok_;
}
