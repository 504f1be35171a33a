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

double PrefixFactor(char c, bool& known)
{
    known = true;
    switch (c) {
    case 'f': return 1e-15;
    case 'p': return 1e-12;
    case 'n': return 1e-9;
    case 'u': return 1e-6;
    case 'm': return 1e-3;
    case 'k':
    case 'K': return 1e3;
    case 'M': return 1e6;
    case 'G': return 1e9;
    default: known = false; return 1.0;
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

} // namespace

bool ParseSimNumber(const AnsiString& text, double& value)
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
    if (rest.empty() || IsUnit(rest)) {
        value = v;
        return true;
    }
    bool known = false;
    double factor = PrefixFactor(rest[0], known);
    if (!known)
        return false;
    AnsiString unit = rest.substr(1);
    if (!unit.empty() && !IsUnit(unit))
        return false;
    value = v * factor;
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
