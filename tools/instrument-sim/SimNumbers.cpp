#include "tools/instrument-sim/SimNumbers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

AnsiString FormatSci(double value, int decimals, bool withSign)
{
    if (!std::isfinite(value))
        value = value < 0 ? -9.99999e99 : 9.99999e99;
    if (std::fabs(value) < 1e-99)
        value = 0.0;
    if (std::fabs(value) > 9.99999e99)
        value = value < 0 ? -9.99999e99 : 9.99999e99;
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific, decimals);
    AnsiString digits(buf, res.ptr);
    AnsiString out;
    if (value < 0 && digits.find_first_not_of("0.e+-") != AnsiString::npos)
        out = "-";
    else if (withSign)
        out = "+";
    return out + digits;
}

AnsiString FormatFixed(double value, int decimals)
{
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::fixed, decimals);
    AnsiString digits(buf, res.ptr);
    bool zero = digits.find_first_not_of("0.") == AnsiString::npos;
    return (value < 0 && !zero ? "-" : "") + digits;
}

AnsiString SimUpperCase(AnsiString text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

AnsiString SimTrim(const AnsiString& text)
{
    auto first = text.find_first_not_of(" \t\r\n");
    if (first == AnsiString::npos)
        return {};
    auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

namespace {

// The power of ten of a prefix letter; false for any other character.
bool PrefixPower(char c, int& power)
{
    switch (c) {
    case 'f': power = -15; return true;
    case 'p': power = -12; return true;
    case 'n': power = -9; return true;
    case 'u': power = -6; return true;
    case 'm': power = -3; return true;
    case 'k':
    case 'K': power = 3; return true;
    case 'M': power = 6; return true;
    case 'G': power = 9; return true;
    default: return false;
    }
}

bool IsUnit(const AnsiString& text)
{
    static const char* const units[] = {"V", "A", "S", "HZ", "F", "H", "OHM"};
    AnsiString up = SimUpperCase(text);
    for (const char* u : units)
        if (up == u)
            return true;
    return false;
}

double PowerFactor(int power)
{
    switch (power) {
    case -15: return 1e-15;
    case -12: return 1e-12;
    case -9: return 1e-9;
    case -6: return 1e-6;
    case -3: return 1e-3;
    case 3: return 1e3;
    case 6: return 1e6;
    case 9: return 1e9;
    default: return 1.0;
    }
}

} // namespace

bool ParseSimNumber(const AnsiString& text, double& value, int* prefixPower)
{
    AnsiString t = SimTrim(text);
    if (t.empty())
        return false;
    const char* first = t.data();
    const char* last = t.data() + t.size();
    if (*first == '+')
        ++first;
    double v = 0.0;
    auto res = std::from_chars(first, last, v);
    if (res.ec != std::errc() || !std::isfinite(v))
        return false;
    AnsiString rest(res.ptr, last);
    int power = 0;
    if (!rest.empty() && !IsUnit(rest)) {
        if (!PrefixPower(rest[0], power))
            return false;
        AnsiString unit = rest.substr(1);
        if (!unit.empty() && !IsUnit(unit))
            return false;
    }
    value = v * PowerFactor(power);
    if (prefixPower)
        *prefixPower = power;
    return true;
}

bool ParseSimInt(const AnsiString& text, int& value)
{
    AnsiString t = SimTrim(text);
    const char* first = t.data();
    const char* last = t.data() + t.size();
    if (first != last && *first == '+')
        ++first;
    auto res = std::from_chars(first, last, value);
    return res.ec == std::errc() && res.ptr == last && first != last;
}
