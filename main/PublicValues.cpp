// Measured values: the instrument's number fields as display texts, their units and
// unit pictures, and the names and prefixes of functions and monitors.
#include <cmath>

#include "main/Lcr.h"
#include "main/Public.h"
#include "platform/core/FloatConvert.h"
#include "platform/core/IntConvert.h"
#include "platform/core/StringUtils.h"

AnsiString FormatSignificant(double Value, int Digits)
{
    const int r = Digits == 6 ? 1 : 0;
    const int precision = Digits == 6 ? 6 : 7;
    const double size = std::fabs(Value);
    int decimals = 0;
    if (size < 10)
        decimals = 5 - r;
    else if (size < 100)
        decimals = 4 - r;
    else if (size < 1000)
        decimals = 3 - r;
    else if (size < 10000)
        decimals = 2 - r;
    else if (size < 100000)
        decimals = std::max(1 - r, 0);
    if (Value > 0)
        return " " + FloatToStrF(Value, ffFixed, precision, decimals);
    return FloatToStrF(Value, ffFixed, precision + 1, decimals);
}

namespace {

double Pow10(int k)
{
    double f = 1;
    for (int i = 0; i < k; ++i)
        f *= 10;
    return f;
}

} // namespace

bool ParseReplyField(const AnsiString& Field, double& Mantissa, int& Exponent)
{
    const auto e = Field.find('e');
    if (e == AnsiString::npos)
        return false;
    return TryStrToFloat(Field.substr(0, e), Mantissa) && TryStrToInt(Field.substr(e + 1, 3), Exponent);
}

AnsiString PrefixOfPower(int Power)
{
    switch (Power) {
    case 3: return "k";
    case 6: return "M";
    case 9: return "G";
    case -3: return "m";
    case -6: return "u";
    case -9: return "n";
    case -12: return "p";
    case -15: return "f";
    default: return "";
    }
}

AnsiString FormatReplyValue(const AnsiString& Field, int Digits)
{
    double m = 0;
    int d = 0;
    if (!ParseReplyField(Field, m, d))
        throw EConvertError("'" + Field + "' is not a valid floating point value");
    if (d >= 13)
        return "OVERLOAD  ";
    double f = m;
    int e = d;
    if (d == 10 || d == 11) { f = m / Pow10(12 - d); e = 12; }
    else if (d == 7 || d == 8) { f = m / Pow10(9 - d); e = 9; }
    else if (d == 4 || d == 5) { f = m / Pow10(6 - d); e = 6; }
    else if (d == 1 || d == 2) { f = m / Pow10(3 - d); e = 3; }
    else if (d == -1 || d == -2) { f = m * Pow10(d + 3); e = -3; }
    else if (d == -4 || d == -5) { f = m * Pow10(d + 6); e = -6; }
    else if (d == -7 || d == -8) { f = m * Pow10(d + 9); e = -9; }
    else if (d == -10 || d == -11) { f = m * Pow10(d + 12); e = -12; }
    else if (d == -13 || d == -14) { f = m * Pow10(d + 15); e = -15; }
    if (e > 0 && f != 0 && std::fabs(f) < 1) {
        f *= 1000;
        e -= 3;
    } else if (e < 0 && f != 0 && std::fabs(f) < 1) {
        f *= 0.001;
        e += 3;
    }
    const AnsiString letter = PrefixOfPower(e);
    return FormatSignificant(f, Digits) + (letter.empty() ? "  " : " " + letter);
}

int FunctionIndex(const AnsiString& Name)
{
    static const char* const names[] = {"Cs-Rs", "Cs-D", "Cp-Rp", "Cp-D", "Lp-Rp", "Lp-Q", "Ls-Rs", "Ls-Q",
        "Rs-Q", "Rp-Q", "R-X", "DCR", "Z-thr", "Z-thd", "Z-D", "Z-Q"};
    if (Name == "Z_theta_r")
        return 13;
    if (Name == "Z_theta_d")
        return 14;
    for (int i = 0; i < 16; ++i)
        if (Name == names[i])
            return i + 1;
    return 1;
}

int MonitorIndex(const AnsiString& Name)
{
    static const char* const names[] = {"OFF", "Z", "D", "Q", "Vac", "Iac", "ABS", "REL", "Theta_r", "Theta_d",
        "R", "X", "G", "B", "Y"};
    for (int i = 0; i < 15; ++i)
        if (Name == names[i])
            return i;
    return 0;
}

int PrefixExponent(const AnsiString& Prefix)
{
    if (Prefix == "k") return 1;
    if (Prefix == "M") return 2;
    if (Prefix == "m") return -1;
    if (Prefix == "u") return -2;
    if (Prefix == "n") return -3;
    if (Prefix == "p") return -4;
    return 0;
}

int UnitPrefixIndex(int Function, const AnsiString& Prefix, const AnsiString& Part)
{
    const char* list = nullptr; // the kind's prefixes in unit order
    if (Part == "Primary") {
        if (Function >= 1 && Function <= 4)
            list = "pnum";
        else if (Function >= 5 && Function <= 8)
            list = "um k";
        else
            list = " kM";
    } else if (Function == 1 || Function == 3 || Function == 5 || Function == 7 || Function == 11) {
        list = " kM";
    }
    if (!list || Prefix.size() != 1)
        return 0;
    for (int i = 0; list[i]; ++i)
        if (list[i] == Prefix[0])
            return i + 1;
    return 0;
}

AnsiString NormalizeDecimalText(const AnsiString& Text)
{
    if (Text.empty())
        return "0";
    if (!LCRForm || !LCRForm->DecimalComma)
        return Text;
    return Trim(StringReplace(Text, ",", ".", rfReplaceAll));
}

// ---- The unit step ----

namespace {

struct TUnitStep {
    AnsiString D, T, B;
    double v = 0;
    char P = ' ';
    int n = 7;
    bool Overload() const { return T == "OVERLOAD"; }
    void Set(const AnsiString& tail) { D = T + tail; }
    void Replace(double value, const AnsiString& tail)
    {
        T = FormatSignificant(value, n);
        D = T + tail;
    }
    void Ovl(const AnsiString& tail = "  ")
    {
        T = "OVERLOAD";
        D = T + tail;
    }
};

struct TPictures { const char *Base, *p, *n, *u, *m; };

void Capacitance(TUnitStep& s, const TPictures& pic, const AnsiString& ovlTail)
{
    if (s.Overload()) { s.Set("  "); s.B = pic.Base; }
    else if (s.P == 'p') s.B = pic.p;
    else if (s.P == 'n') s.B = pic.n;
    else if (s.P == 'u') s.B = pic.u;
    else if (s.P == 'm' && s.v >= 10000) { s.Ovl(ovlTail); s.B = pic.Base; }
    else if (s.P == 'm') s.B = pic.m;
    else if (s.P == 'f') { s.Replace(s.v * 0.001, " p"); s.B = pic.p; }
    else s.B = pic.Base;
    s.D += "F";
}

void Resistance(TUnitStep& s, bool monitor)
{
    const char* ohm = monitor ? "MonUnitohm_ohm.bmp" : "FuncUnitohm_ohm.bmp";
    const char* K = monitor ? "MonUnitohm_K.bmp" : "FuncUnitohm_K.bmp";
    const char* M = monitor ? "MonUnitohm_M.bmp" : "FuncUnitohm_M.bmp";
    s.B = ohm;
    if (s.Overload()) s.Set("  ");
    else if (s.P == ' ') {}
    else if (s.P == 'k') s.B = K;
    else if (s.P == 'M' && s.v >= 100) s.Ovl();
    else if (s.P == 'M') s.B = M;
    else if (s.P == 'G' && s.v * 1000 >= 100) s.Ovl();
    else if (s.P == 'G') { s.Replace(s.v * 1000, " M"); s.B = M; }
    else if (s.P == 'm') s.Replace(s.v * 0.001, "  ");
    else if (s.P == 'u') s.Replace(s.v * 0.000001, "  ");
    s.D += "ohm";
}

// The primary value has a kilohenry picture; a monitor's megahenry value goes into henry.
void Inductance(TUnitStep& s, bool monitor)
{
    const char* H = monitor ? "MonUnitL_H.bmp" : "FuncUnitL_H.bmp";
    const char* uH = monitor ? "MonUnitL_uH.bmp" : "FuncUnitL_uH.bmp";
    const char* mH = monitor ? "MonUnitL_mH.bmp" : "FuncUnitL_mH.bmp";
    s.B = H;
    if (s.Overload()) s.Set("  ");
    else if (s.P == 'n') { s.Replace(s.v * 0.001, " u"); s.B = uH; }
    else if (s.P == 'u') s.B = uH;
    else if (s.P == 'm') s.B = mH;
    else if (s.P == ' ') {}
    else if (s.P == 'k' && s.v * 1000 >= 10000) s.Ovl();
    else if (s.P == 'k') s.Replace(s.v * 1000, "  ");
    else if (s.P == 'M' && s.v * 1000 >= 10) s.Ovl();
    else if (s.P == 'M' && monitor) s.Replace(s.v * 1000000, "  ");
    else if (s.P == 'M') { s.Replace(s.v * 1000, " k"); s.B = "FuncUnitL_KH.bmp"; }
    s.D += "H";
}

double ScaledToUnit(double v, char P)
{
    switch (P) {
    case 'k': return v * 1000;
    case 'M': return v * 1000000;
    case 'G': return v * 1000000000;
    case 'm': return v * 0.001;
    case 'u': return v * 0.000001;
    default: return v;
    }
}

bool PassesLimit(double v, int code, bool monitor)
{
    if (monitor) {
        switch (code) {
        case 2: return v >= 10;
        case 3: return v >= 100000;
        case 7: return v > 999999 || v < -999999;
        case 8: return v > 3.14159 || v < -3.14159;
        case 9: return v >= 180 || v <= -180;
        default: return false;
        }
    }
    switch (code) {
    case 2: case 4: case 15: return v >= 10;
    case 6: case 8: case 9: case 10: case 16: return v >= 100000;
    case 13: return v > 3.14159 || v < -3.14159;
    case 14: return v >= 180 || v <= -180;
    default: return false;
    }
}

// D, Q, phase and the other unit-less or plain-unit values.
void PlainValue(TUnitStep& s, int code, bool monitor)
{
    if (s.Overload()) {
        s.Set("  ");
        return;
    }
    const bool scaled = monitor ? (s.P == 'k' || s.P == 'M' || s.P == 'G' || s.P == 'm' || s.P == 'u' || s.P == ' ')
                                : (s.P == 'k' || s.P == 'M' || s.P == 'm' || s.P == 'u' || s.P == ' ');
    if (!scaled)
        return;
    const double v = ScaledToUnit(s.v, s.P);
    if (PassesLimit(v, code, monitor))
        s.Ovl();
    else
        s.Replace(v, "  ");
}

void Conductance(TUnitStep& s)
{
    s.B = "MonUnitBG_S.bmp";
    if (s.Overload()) s.Set("  ");
    else if (s.P == 'n' || s.P == 'p' || s.P == 'f') {
        const double w = s.v * (s.P == 'n' ? 0.001 : s.P == 'p' ? 0.000001 : 0.000000001);
        // Negative values below the display's resolution keep their sign; larger ones their value.
        if (std::fabs(w) >= 0.00001)
            s.T = FormatSignificant(w, 6);
        else
            s.T = w < 0 ? "-0.0000" : "+0.0000";
        s.Set(" u");
        s.B = "MonUnitBG_uS.bmp";
    }
    else if (s.P == 'u') s.B = "MonUnitBG_uS.bmp";
    else if (s.P == 'm') s.B = "MonUnitBG_mS.bmp";
    else if (s.v >= 1000) s.Ovl();
    s.D += "S";
}

} // namespace

TValueUnit ApplyValueUnit(TValueKind Kind, int F, int M, const AnsiString& Display)
{
    TUnitStep s;
    s.D = Display;
    s.P = Display.empty() ? ' ' : Display.back();
    const bool monitor = Kind == TValueKind::Monitor;
    s.n = monitor ? 6 : 7;
    s.T = Display.substr(0, monitor ? 7 : 8);
    if (monitor && s.T == "OVERLOA")
        s.T = "OVERLOAD";
    if (!s.Overload())
        s.v = StrToFloatDef(Trim(s.T), 0);

    static const TPictures funcC{"FuncUnitF.bmp", "FuncUnitC_pF.bmp", "FuncUnitC_nF.bmp", "FuncUnitC_uF.bmp",
        "FuncUnitC_mF.bmp"};
    static const TPictures monC{"MonUnitC_F.bmp", "MonUnitC_pF.bmp", "MonUnitC_nF.bmp", "MonUnitC_uF.bmp",
        "MonUnitC_mF.bmp"};
    const bool capacitance = (F >= 1 && F <= 4) || F == 17;
    const bool inductance = F >= 5 && F <= 8;

    if (Kind == TValueKind::Primary) {
        if (capacitance)
            Capacitance(s, funcC, "  ");
        else if (inductance)
            Inductance(s, false);
        else
            Resistance(s, false);
    } else if (Kind == TValueKind::Secondary) {
        if (F == 1 || F == 3 || F == 5 || F == 7 || F == 11) {
            Resistance(s, false);
        } else if (F == 0 || F == 12 || F == 17 || F > 17 || F < 0) {
            // no secondary value of its own
        } else {
            const bool overloadIn = s.Overload();
            PlainValue(s, F, false);
            if (F == 13) { s.D += " r"; s.B = "FuncUnit8r_r.bmp"; }
            else if (F == 14) { s.D += " d"; s.B = "FuncUnit8d_0.bmp"; }
            if (overloadIn || (F != 13 && F != 14))
                s.D += " ";
        }
    } else {
        switch (M) {
        case 1: case 10: case 11: Resistance(s, true); break;
        case 5:
            s.B = "MonUnitIac_A.bmp";
            if (s.Overload()) s.Set("  ");
            else if (s.P == 'u') { s.Replace(s.v * 0.001, " m"); s.B = "MonUnitIac_mA.bmp"; }
            else if (s.P == 'm') s.B = "MonUnitIac_mA.bmp";
            s.D += "A";
            break;
        case 6:
            if (capacitance) Capacitance(s, monC, " ");
            else if (inductance) Inductance(s, true);
            else Resistance(s, true);
            break;
        case 12: case 13: case 14: Conductance(s); break;
        case 2: case 3: case 4: case 7: case 8: case 9:
            PlainValue(s, M, true);
            if (M == 4) { s.D += "V"; s.B = "MonUnitVac_V.bmp"; }
            else if (M == 7) { s.D += "%"; s.B = "MonUnitREL.bmp"; }
            else if (M == 8) { s.D += "r"; s.B = "MonUnit8r_r.bmp"; }
            else if (M == 9) { s.D += "d"; s.B = "MonUnit8d_0.bmp"; }
            else s.D += " ";
            break;
        default: break;
        }
    }
    return {s.D, s.T, s.B};
}
