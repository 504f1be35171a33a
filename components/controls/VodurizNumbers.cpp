#include "components/controls/VodurizNumbers.h"

#include <cstdlib>

#include "platform/core/FloatConvert.h"
#include "platform/core/Format.h"
#include "platform/core/FormatSettings.h"
#include "platform/core/IntConvert.h"
#include "platform/core/StringUtils.h"

int NumberClass(const AnsiString& S)
{
    if (S.empty())
        return ncNone;
    const char dec = FormatSettings.DecimalSeparator;
    const char thou = FormatSettings.ThousandSeparator;
    bool isInt = true, isFloat = true, isHex = true;
    int decimals = 0, minuses = 0;
    int lastThou = -1;
    for (size_t i = 0; i < S.size(); ++i) {
        const char c = S[i];
        const int pos = static_cast<int>(i) + 1;
        const bool digit = c >= '0' && c <= '9';
        if (!(c == '-' || digit))
            isInt = false;
        if (!(c == ',' || c == '-' || c == '.' || digit))
            isFloat = false;
        if (c == thou) {
            if (pos - lastThou < 3)
                isFloat = false;
            lastThou = pos;
        }
        if (!(c == '-' || digit || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f')))
            isHex = false;
        if (c == dec)
            ++decimals;
        if (c == '-') {
            ++minuses;
            // A sign stands in front of the number or nowhere.
            if (i != 0)
                return ncNone;
        }
    }
    int result = ncNone;
    if (isHex && !isInt)
        result = ncHex;
    if (isInt)
        result = ncInteger;
    else if (isFloat)
        result = ncFloat;
    if (minuses > 1 || decimals > 1)
        result = ncNone;
    return result;
}

AnsiString WithoutThousands(const AnsiString& S)
{
    AnsiString s;
    const char thou = FormatSettings.ThousandSeparator;
    for (char c : S)
        if (c != thou)
            s += c;
    return s;
}

double EStrToFloat(const AnsiString& S)
{
    double v = 0;
    return TryStrToFloat(WithoutThousands(S), v) ? v : 0;
}

std::int32_t HexValue(const AnsiString& S)
{
    std::uint32_t sum = 0;
    std::uint32_t weight = 1;
    for (size_t i = S.size(); i-- > 0;) {
        const char c = S[i];
        std::uint32_t d = 0;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        sum += d * weight;
        weight *= 16;
    }
    return static_cast<std::int32_t>(sum);
}

AnsiString MixedCase(const AnsiString& S)
{
    static const AnsiString separators = " \"$()*,-./:[\\]";
    AnsiString t = S;
    const int n = static_cast<int>(t.size());
    bool capitalise = true;
    for (int i = 0; i < n; ++i) {
        char& c = t[i];
        if (separators.find(c) != AnsiString::npos) {
            capitalise = true;
        } else if (capitalise) {
            c = AnsiUpperCase(AnsiString(1, c))[0];
            capitalise = false;
        } else if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c + 32);
        }
        const int pos = i + 1; // 1-based, as the rule is told
        const AnsiString head = t.substr(0, pos);
        if (head == "Mc" || head == "Mac")
            capitalise = true;
        const int mc = Pos(" Mc", t);
        if (mc > 0 && mc + 2 == pos && pos > 2)
            capitalise = true;
        if (pos >= n - 2) {
            if (pos >= 2 && t.compare(pos - 2, 2, " I") == 0)
                capitalise = true;
            if (pos >= 3 && t.compare(pos - 3, 3, " II") == 0)
                capitalise = true;
        }
    }
    return t;
}

int FixedLength(const AnsiString& S)
{
    const AnsiString s = WithoutThousands(S);
    const size_t p = s.find(FormatSettings.DecimalSeparator);
    return p == AnsiString::npos ? static_cast<int>(s.size()) + 1 : static_cast<int>(p) + 1;
}

double ValFloat(const AnsiString& S)
{
    // Leading blanks, sign, digits, '.', digits, exponent: the number that stands first.
    size_t i = 0;
    while (i < S.size() && S[i] == ' ')
        ++i;
    AnsiString num;
    if (i < S.size() && (S[i] == '-' || S[i] == '+'))
        num += S[i++];
    while (i < S.size() && S[i] >= '0' && S[i] <= '9')
        num += S[i++];
    if (i < S.size() && S[i] == '.') {
        num += S[i++];
        while (i < S.size() && S[i] >= '0' && S[i] <= '9')
            num += S[i++];
    }
    if (i + 1 < S.size() && (S[i] == 'e' || S[i] == 'E')) {
        size_t j = i + 1;
        AnsiString e = "e";
        if (S[j] == '-' || S[j] == '+')
            e += S[j++];
        if (j < S.size() && S[j] >= '0' && S[j] <= '9') {
            while (j < S.size() && S[j] >= '0' && S[j] <= '9')
                e += S[j++];
            num += e;
        }
    }
    if (num.empty() || num == "-" || num == "+")
        return 0;
    return std::strtod(num.c_str(), nullptr);
}

std::int32_t ValInt(const AnsiString& S)
{
    int value = 0, code = 0;
    Val(S, value, code);
    return value;
}

AnsiString FormatDecimals(double Value, int Decimals, char Type)
{
    return Format("%." + IntToStr(Decimals) + Type, {Value});
}
