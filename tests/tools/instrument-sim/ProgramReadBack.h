#pragma once
// What the program makes of a read-back reply before it compares it with the text it expects:
// the scientific replies of "FREQ?", "VOLT?", "LEV:CURR?" and "COMP:TOL:NOM?" turned into the
// setters' own number texts, then every reply but "FUNC?" and "COMP:TOL:NOM?" upper-cased.
// Written from the program's rules, not from the simulator's code, so that a reply the program
// would refuse shows up here.
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "platform/core/Types.h"
#include "tools/instrument-sim/SimNumbers.h"

// The program's view when it sends a nominal: its function code (1-16), and whether the
// cursor stands on a nominal field while DCR is measured (its megohm-to-kilohm rule).
struct TReadBackContext {
    int Function = 2;
    bool DcrNominalField = false;
};

namespace readback {

// Rounds to `precision` significant digits first, as the program's fixed float format does,
// then writes `decimals` decimals, halves away from zero.
inline AnsiString Fixed(double v, int precision, int decimals)
{
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, precision - 1);
    double rounded = std::strtod(AnsiString(buf, res.ptr).c_str(), nullptr);
    double scale = std::pow(10.0, decimals);
    return FormatFixed(std::round(rounded * scale) / scale, decimals);
}

// The program's seven-digit value text, without its leading blank.
inline AnsiString Significant7(double v)
{
    double m = std::fabs(v);
    int d = m < 10 ? 5 : m < 100 ? 4 : m < 1000 ? 3 : m < 10000 ? 2 : m < 100000 ? 1 : 0;
    return Fixed(v, v > 0 ? 7 : 8, d);
}

inline void Split(const AnsiString& reply, double& mantissa, int& exponent)
{
    size_t e = reply.rfind('e');
    mantissa = std::strtod(reply.substr(0, e).c_str(), nullptr);
    exponent = std::atoi(reply.substr(e + 1, 3).c_str());
}

inline AnsiString FreqOrLevel(const AnsiString& reply, bool freq, bool milliAmp)
{
    double m = 0;
    int x = 0;
    Split(reply, m, x);
    double scale = x >= 0 ? std::pow(10.0, x)
                 : (x == -1 || x == -2) ? std::pow(10.0, x + 3)
                 : (x == -4 || x == -5) ? std::pow(10.0, x + 6)
                 : 1.0;
    double v = scale * m;
    if (v >= 1000)
        v *= 0.001;
    else if (milliAmp && v > 20)
        v *= 0.001;
    if (freq)
        return Fixed(v, 5, v < 10 ? 3 : v >= 100 ? 1 : 2);
    return v < 10 ? Fixed(v, 4, 2) : Fixed(v, 5, v >= 100 ? 1 : 2);
}

inline AnsiString Nominal(const AnsiString& reply, const TReadBackContext& ctx)
{
    double v = 0;
    int x = 0;
    Split(reply, v, x);
    if (x >= 0) {
        if (x == 1 || x == 2) { v /= std::pow(10.0, 3 - x); x = 3; }
        else if (x == 4 || x == 5) { v /= std::pow(10.0, 6 - x); x = 6; }
        else if (x == 7 || x == 8) { v /= std::pow(10.0, 9 - x); x = 9; }
        else if (x >= 10) v = 0;
        if (x > 0 && ((v > 0 && v < 1) || (v < 0 && v > -1))) { v *= 1000; x -= 3; }
    } else {
        for (int base : {-3, -6, -9, -12, -15})
            if (x == base + 2 || x == base + 1) { v *= std::pow(10.0, x - base); x = base; break; }
        if (x < 0 && ((v > 0 && v < 1) || (v < 0 && v > -1))) { v *= 0.001; x += 3; }
    }
    AnsiString prefix;
    switch (x) {
    case 3: prefix = "k"; break;
    case 6: prefix = "M"; break;
    case 9: prefix = "G"; break;
    case -3: prefix = "m"; break;
    case -6: prefix = "u"; break;
    case -9: prefix = "n"; break;
    case -12: prefix = "p"; break;
    case -15: prefix = "f"; break;
    default: break;
    }
    const int f = ctx.Function;
    if (f >= 1 && f <= 4 && prefix == "f") { prefix = "p"; v *= 0.001; }
    else if (f >= 5 && f <= 8 && prefix == "k") { prefix = ""; v *= 1000; }
    else if (f >= 9) {
        if (prefix == "G") { prefix = "M"; v *= 1000; }
        else if (prefix == "M") { if (f == 12 && ctx.DcrNominalField) { prefix = "k"; v *= 1000; } }
        else if (prefix == "m") { if (f != 12) { prefix = ""; v *= 0.001; } }
        else if (prefix == "n") { prefix = "m"; v *= 0.000001; }
    }
    return Significant7(v) + prefix;
}

} // namespace readback

// The reply of the first read, as the program compares it.
inline AnsiString ProgramReadBack(const AnsiString& reply, const AnsiString& query, const TReadBackContext& ctx = {})
{
    AnsiString r = reply;
    if (!r.empty()) {
        if (query == "FREQ?" && r.size() == 12)
            r = readback::FreqOrLevel(r, true, false);
        else if ((query == "VOLT?" || query == "LEV:CURR?") && (r.size() == 9 || r.size() == 10))
            r = readback::FreqOrLevel(r, false, query == "LEV:CURR?");
        else if (query == "COMP:TOL:NOM?" && r.size() == 11)
            r = readback::Nominal(r, ctx);
    }
    if (query != "FUNC?" && query != "COMP:TOL:NOM?")
        r = SimUpperCase(r);
    return r;
}

// The queries the program sends as a line of their own, after their command.
inline bool OwnLineQuery(const AnsiString& query)
{
    return query == "DISP:PAGE?" || query == "TRIG:DLY?" || query == "SYST:SHAK?" || query == "SYST:CODE?" ||
           query == "SYST:RES?";
}
