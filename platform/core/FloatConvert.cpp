#include "platform/core/FloatConvert.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <vector>

#include "platform/core/Exceptions.h"

namespace {

constexpr int MaxDigits = 18;
// Significant digits a double holds for certain.
constexpr int MaxSignificant = 15;

// Value = 0.Digits x 10^Exponent; Digits has no trailing zeros and is empty for zero.
struct TFloatRec {
    int Exponent = 0;
    bool Negative = false;
    AnsiString Digits;
};

// Rounds |Value| to at most Precision significant digits and at most Decimals
// digits after the point.
TFloatRec FloatToDecimal(double Value, int Precision, int Decimals)
{
    TFloatRec r;
    r.Negative = std::signbit(Value);
    if (Value == 0)
        return r;
    // The shortest digits that read back as this double: the decimal number
    // the value was written as, so "2.675" rounds as 2.675 and not as the
    // binary 2.67499999999999982.
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(Value), std::chars_format::scientific);
    AnsiString digits;
    int exponent = 0;
    auto parse = [&](const char* end) {
        AnsiString text(static_cast<const char*>(buf), end);
        size_t e = text.find('e');
        digits = text.substr(0, 1) + (e > 2 ? text.substr(2, e - 2) : AnsiString());
        exponent = std::stoi(text.substr(e + 1)) + 1;
    };
    parse(res.ptr);

    long keep = std::min<long>(Precision, static_cast<long>(exponent) + Decimals);
    // More than 15 digits are the noise of binary arithmetic (1.00165 x 10 is
    // 10.016499999999999): when fewer are kept, round as the 15-digit decimal,
    // so that 10.0165 rounds to 10.017 like the value it stands for.
    if (digits.size() > static_cast<size_t>(MaxSignificant) && keep < MaxSignificant) {
        res = std::to_chars(buf, buf + sizeof buf, std::fabs(Value), std::chars_format::scientific, MaxSignificant - 1);
        parse(res.ptr);
        keep = std::min<long>(Precision, static_cast<long>(exponent) + Decimals);
    }
    if (keep < 0)
        return TFloatRec{0, r.Negative, {}};
    if (keep < static_cast<long>(digits.size())) {
        bool up = digits[static_cast<size_t>(keep)] >= '5';
        digits.resize(static_cast<size_t>(keep));
        if (up) {
            int i = static_cast<int>(digits.size()) - 1;
            while (i >= 0 && digits[static_cast<size_t>(i)] == '9')
                digits[static_cast<size_t>(i--)] = '0';
            if (i >= 0) {
                ++digits[static_cast<size_t>(i)];
            } else {
                digits.insert(digits.begin(), '1');
                ++exponent;
            }
        }
    }
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    if (digits.empty())
        exponent = 0;
    r.Exponent = exponent;
    r.Digits = digits;
    return r;
}

char DigitAt(const TFloatRec& r, long i) { return i >= 0 && i < static_cast<long>(r.Digits.size()) ? r.Digits[static_cast<size_t>(i)] : '0'; }

AnsiString ExponentText(int exp, bool alwaysSign, int minDigits)
{
    AnsiString d = std::to_string(std::abs(exp));
    if (static_cast<int>(d.size()) < minDigits)
        d.insert(0, static_cast<size_t>(minDigits) - d.size(), '0');
    if (exp < 0)
        return "-" + d;
    return alwaysSign ? "+" + d : d;
}

AnsiString GroupThousands(const AnsiString& intDigits, char sep)
{
    AnsiString r;
    for (size_t i = 0; i < intDigits.size(); ++i) {
        r += intDigits[i];
        size_t left = intDigits.size() - 1 - i;
        if (left > 0 && left % 3 == 0)
            r += sep;
    }
    return r;
}

AnsiString FormatGeneral(const TFloatRec& r, int Precision, int Digits, const TFormatSettings& fs)
{
    if (r.Digits.empty())
        return "0";
    AnsiString s = r.Negative ? "-" : "";
    const long n = static_cast<long>(r.Digits.size());
    if (r.Exponent > Precision || r.Exponent < -3) {
        s += r.Digits[0];
        if (n > 1) {
            s += fs.DecimalSeparator;
            s += r.Digits.substr(1);
        }
        s += 'E';
        s += ExponentText(r.Exponent - 1, false, std::clamp(Digits, 0, 4));
        return s;
    }
    if (r.Exponent <= 0) {
        s += '0';
        s += fs.DecimalSeparator;
        s.append(static_cast<size_t>(-r.Exponent), '0');
        s += r.Digits;
        return s;
    }
    for (long i = 0; i < r.Exponent; ++i)
        s += DigitAt(r, i);
    if (n > r.Exponent) {
        s += fs.DecimalSeparator;
        s += r.Digits.substr(static_cast<size_t>(r.Exponent));
    }
    return s;
}

AnsiString FormatExponent(const TFloatRec& r, int Precision, int Digits, const TFormatSettings& fs)
{
    AnsiString s = (r.Negative && !r.Digits.empty()) ? "-" : "";
    s += DigitAt(r, 0);
    if (Precision > 1) {
        s += fs.DecimalSeparator;
        for (long i = 1; i < Precision; ++i)
            s += DigitAt(r, i);
    }
    s += 'E';
    s += ExponentText(r.Digits.empty() ? 0 : r.Exponent - 1, true, std::clamp(Digits, 0, 4));
    return s;
}

// The unsigned fixed-point text, with or without thousand separators.
AnsiString FixedDigits(const TFloatRec& r, int Digits, bool thousands, const TFormatSettings& fs)
{
    AnsiString intPart;
    for (long i = 0; i < r.Exponent; ++i)
        intPart += DigitAt(r, i);
    if (intPart.empty())
        intPart = "0";
    AnsiString s = thousands ? GroupThousands(intPart, fs.ThousandSeparator) : intPart;
    if (Digits > 0) {
        s += fs.DecimalSeparator;
        for (long i = 0; i < Digits; ++i)
            s += DigitAt(r, r.Exponent + i);
    }
    return s;
}

AnsiString CurrencyText(const AnsiString& num, bool negative, const TFormatSettings& fs)
{
    const AnsiString& c = fs.CurrencyString;
    if (!negative) {
        switch (fs.CurrencyFormat) {
        case 1: return num + c;
        case 2: return c + " " + num;
        case 3: return num + " " + c;
        default: return c + num;
        }
    }
    switch (fs.NegCurrFormat) {
    case 1: return "-" + c + num;
    case 2: return c + "-" + num;
    case 3: return c + num + "-";
    case 4: return "(" + num + c + ")";
    case 5: return "-" + num + c;
    case 6: return num + "-" + c;
    case 7: return num + c + "-";
    case 8: return "-" + num + " " + c;
    case 9: return "-" + c + " " + num;
    case 10: return num + " " + c + "-";
    case 11: return c + " " + num + "-";
    case 12: return c + " -" + num;
    case 13: return num + "- " + c;
    case 14: return "(" + c + " " + num + ")";
    case 15: return "(" + num + " " + c + ")";
    default: return "(" + c + num + ")";
    }
}

AnsiString SpecialText(double Value)
{
    if (std::isnan(Value))
        return "NAN";
    return Value < 0 ? "-INF" : "INF";
}

// ---- FormatFloat ----

struct TFormatSection {
    AnsiString Text;
    int IntPlaces = 0;     // digit places before the point
    int MinIntDigits = 0;  // places from the first '0' up to the point
    int FracPlaces = 0;    // digit places after the point
    int LastFracZero = 0;  // 1-based index of the last '0' after the point
    bool HasPoint = false;
    bool Thousands = false;
    bool Scientific = false;
};

bool IsExponentAt(const AnsiString& f, size_t i)
{
    return (f[i] == 'E' || f[i] == 'e') && i + 1 < f.size() && (f[i + 1] == '+' || f[i + 1] == '-');
}

TFormatSection ScanSection(const AnsiString& text)
{
    TFormatSection s;
    s.Text = text;
    int firstZero = -1;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '"' || c == '\'') {
            size_t close = text.find(c, i + 1);
            i = close == AnsiString::npos ? text.size() : close;
        } else if (IsExponentAt(text, i)) {
            s.Scientific = true;
            i += 1;
            while (i + 1 < text.size() && text[i + 1] == '0')
                ++i;
        } else if (c == '0' || c == '#') {
            if (s.HasPoint) {
                ++s.FracPlaces;
                if (c == '0')
                    s.LastFracZero = s.FracPlaces;
            } else {
                if (c == '0' && firstZero < 0)
                    firstZero = s.IntPlaces;
                ++s.IntPlaces;
            }
        } else if (c == '.' && !s.HasPoint && !s.Scientific) {
            s.HasPoint = true;
        } else if (c == ',') {
            s.Thousands = true;
        }
    }
    s.MinIntDigits = firstZero < 0 ? 0 : s.IntPlaces - firstZero;
    return s;
}

std::vector<AnsiString> SplitSections(const AnsiString& f)
{
    std::vector<AnsiString> parts(1);
    for (size_t i = 0; i < f.size(); ++i) {
        char c = f[i];
        if (c == '"' || c == '\'') {
            size_t close = f.find(c, i + 1);
            size_t end = close == AnsiString::npos ? f.size() : close + 1;
            parts.back() += f.substr(i, end - i);
            i = end - 1;
        } else if (c == ';') {
            if (parts.size() == 3)
                break;
            parts.emplace_back();
        } else {
            parts.back() += c;
        }
    }
    return parts;
}

TFloatRec RoundForSection(double Value, const TFormatSection& s)
{
    if (s.Scientific)
        return FloatToDecimal(Value, std::clamp(s.IntPlaces + s.FracPlaces, 1, MaxDigits), 9999);
    return FloatToDecimal(Value, MaxDigits, s.FracPlaces);
}

AnsiString ApplySection(const TFormatSection& s, const TFloatRec& r, bool withSign, const TFormatSettings& fs)
{
    // Digits of the integer part, the fraction places and the exponent.
    AnsiString intDigits, fracDigits;
    int sciExponent = 0;
    if (s.Scientific) {
        int intCount = s.IntPlaces;
        if (r.Digits.empty()) {
            intDigits = intCount > 0 ? "0" : "";
        } else {
            sciExponent = r.Exponent - intCount;
            for (long i = 0; i < intCount; ++i)
                intDigits += DigitAt(r, i);
            for (long i = 0; i < s.FracPlaces; ++i)
                fracDigits += DigitAt(r, intCount + i);
        }
        if (fracDigits.empty())
            fracDigits.assign(static_cast<size_t>(s.FracPlaces), '0');
    } else {
        for (long i = 0; i < r.Exponent; ++i)
            intDigits += DigitAt(r, i);
        for (long i = 0; i < s.FracPlaces; ++i)
            fracDigits += DigitAt(r, r.Exponent + i);
    }
    while (intDigits.size() > 1 && intDigits[0] == '0' && static_cast<int>(intDigits.size()) > s.MinIntDigits)
        intDigits.erase(0, 1);
    if (intDigits == "0" && s.MinIntDigits == 0 && !s.Scientific)
        intDigits.clear();
    if (static_cast<int>(intDigits.size()) < s.MinIntDigits)
        intDigits.insert(0, static_cast<size_t>(s.MinIntDigits) - intDigits.size(), '0');

    // Fraction places beyond the last '0' show only up to the last non-zero digit.
    int fracShown = s.LastFracZero;
    for (int i = static_cast<int>(fracDigits.size()); i > fracShown; --i)
        if (fracDigits[static_cast<size_t>(i - 1)] != '0') {
            fracShown = i;
            break;
        }

    AnsiString out = withSign ? "-" : "";
    const AnsiString& f = s.Text;
    const long intLen = static_cast<long>(intDigits.size());
    int intPlace = 0, fracPlace = 0;
    bool afterPoint = false;
    auto emitIntDigit = [&](long index) {
        out += intDigits[static_cast<size_t>(index)];
        long left = intLen - 1 - index;
        if (s.Thousands && left > 0 && left % 3 == 0)
            out += fs.ThousandSeparator;
    };
    for (size_t i = 0; i < f.size(); ++i) {
        char c = f[i];
        if (c == '"' || c == '\'') {
            size_t close = f.find(c, i + 1);
            size_t end = close == AnsiString::npos ? f.size() : close;
            out += f.substr(i + 1, end - i - 1);
            i = end;
        } else if (IsExponentAt(f, i)) {
            out += c;
            bool alwaysSign = f[i + 1] == '+';
            ++i;
            int minDigits = 0;
            while (i + 1 < f.size() && f[i + 1] == '0') {
                ++i;
                ++minDigits;
            }
            out += ExponentText(sciExponent, alwaysSign, std::min(minDigits, 4));
        } else if ((c == '0' || c == '#') && !afterPoint) {
            long index = intLen - s.IntPlaces + intPlace; // right-aligned digits
            if (intPlace == 0)
                for (long k = 0; k < index; ++k)
                    emitIntDigit(k); // digits beyond the places go in front
            if (index >= 0)
                emitIntDigit(index);
            ++intPlace;
        } else if ((c == '0' || c == '#') && afterPoint) {
            if (fracPlace < fracShown)
                out += fracDigits[static_cast<size_t>(fracPlace)];
            ++fracPlace;
        } else if (c == '.' && !afterPoint && s.HasPoint) {
            if (intPlace == 0)
                for (long k = 0; k < intLen; ++k)
                    emitIntDigit(k);
            afterPoint = true;
            if (fracShown > 0)
                out += fs.DecimalSeparator;
        } else if (c == ',') {
            // only switches thousand separators on
        } else {
            out += c;
        }
    }
    return out;
}

bool ParseFloat(const AnsiString& S, double& Value, char decimalSep)
{
    size_t i = 0, n = S.size();
    while (i < n && S[i] == ' ')
        ++i;
    while (n > i && S[n - 1] == ' ')
        --n;
    AnsiString t;
    if (i < n && (S[i] == '+' || S[i] == '-')) {
        if (S[i] == '-')
            t += '-';
        ++i;
    }
    int mantissaDigits = 0;
    while (i < n && S[i] >= '0' && S[i] <= '9') {
        t += S[i++];
        ++mantissaDigits;
    }
    if (i < n && S[i] == decimalSep) {
        t += '.';
        ++i;
        while (i < n && S[i] >= '0' && S[i] <= '9') {
            t += S[i++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < n && (S[i] == 'e' || S[i] == 'E')) {
        t += 'e';
        ++i;
        if (i < n && (S[i] == '+' || S[i] == '-'))
            t += S[i++];
        int expDigits = 0;
        while (i < n && S[i] >= '0' && S[i] <= '9') {
            t += S[i++];
            ++expDigits;
        }
        if (expDigits == 0)
            return false;
    }
    if (i != n)
        return false;
    double v = 0;
    auto res = std::from_chars(t.data(), t.data() + t.size(), v);
    if (res.ec != std::errc() || res.ptr != t.data() + t.size())
        return false;
    Value = v;
    return true;
}

} // namespace

AnsiString FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits, const TFormatSettings& Settings)
{
    if (!std::isfinite(Value))
        return SpecialText(Value);
    Precision = std::clamp(Precision, 1, MaxDigits);
    switch (Format) {
    case ffGeneral:
        return FormatGeneral(FloatToDecimal(Value, Precision, 9999), Precision, Digits, Settings);
    case ffExponent:
        return FormatExponent(FloatToDecimal(Value, Precision, 9999), Precision, Digits, Settings);
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
        Digits = std::clamp(Digits, 0, MaxDigits);
        TFloatRec r = FloatToDecimal(Value, Precision, Digits);
        if (r.Exponent > Precision)
            return FormatGeneral(r, Precision, Digits, Settings);
        bool negative = r.Negative && !r.Digits.empty();
        AnsiString num = FixedDigits(r, Digits, Format != ffFixed, Settings);
        if (Format == ffCurrency)
            return CurrencyText(num, negative, Settings);
        return negative ? "-" + num : num;
    }
    }
    return AnsiString();
}

AnsiString FloatToStrF(double Value, TFloatFormat Format, int Precision, int Digits)
{
    return FloatToStrF(Value, Format, Precision, Digits, FormatSettings);
}

AnsiString FloatToStr(double Value, const TFormatSettings& Settings) { return FloatToStrF(Value, ffGeneral, 15, 0, Settings); }
AnsiString FloatToStr(double Value) { return FloatToStr(Value, FormatSettings); }

AnsiString FormatFloat(const AnsiString& Format, double Value, const TFormatSettings& Settings)
{
    if (!std::isfinite(Value))
        return SpecialText(Value);
    std::vector<AnsiString> parts = SplitSections(Format);
    // The value rounded as the positive section asks picks the section; an
    // empty section falls back to the positive one, an empty positive one to
    // the general format.
    TFormatSection first = ScanSection(parts[0]);
    TFloatRec r = RoundForSection(Value, first);
    bool negative = r.Negative && !r.Digits.empty();
    if (r.Digits.empty() && parts.size() >= 3 && !parts[2].empty())
        return ApplySection(ScanSection(parts[2]), r, false, Settings);
    if (negative && parts.size() >= 2 && !parts[1].empty()) {
        TFormatSection neg = ScanSection(parts[1]);
        return ApplySection(neg, RoundForSection(Value, neg), false, Settings);
    }
    if (parts[0].empty())
        return FloatToStr(Value, Settings);
    return ApplySection(first, r, negative, Settings);
}

AnsiString FormatFloat(const AnsiString& Format, double Value) { return FormatFloat(Format, Value, FormatSettings); }

bool TryStrToFloat(const AnsiString& S, double& Value, const TFormatSettings& Settings)
{
    return ParseFloat(S, Value, Settings.DecimalSeparator);
}

bool TryStrToFloat(const AnsiString& S, double& Value) { return TryStrToFloat(S, Value, FormatSettings); }

double StrToFloat(const AnsiString& S, const TFormatSettings& Settings)
{
    double v = 0;
    if (!TryStrToFloat(S, v, Settings))
        throw EConvertError("'" + S + "' is not a valid floating point value");
    return v;
}

double StrToFloat(const AnsiString& S) { return StrToFloat(S, FormatSettings); }

double StrToFloatDef(const AnsiString& S, double Default)
{
    double v = 0;
    return TryStrToFloat(S, v) ? v : Default;
}
