#include "platform/core/IntConvert.h"

#include <limits>

#include "platform/core/Exceptions.h"

namespace {

// Reads an integer; returns the index of the first character not read, and
// whether a complete, in-range number stood before it.
bool ScanInt(const AnsiString& S, Int64 Min, Int64 Max, Int64& Value, size_t& Stop)
{
    size_t i = 0;
    while (i < S.size() && S[i] == ' ')
        ++i;
    bool negative = false;
    if (i < S.size() && (S[i] == '+' || S[i] == '-'))
        negative = S[i++] == '-';
    int base = 10;
    if (i < S.size() && S[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < S.size() && S[i] == '0' && (S[i + 1] == 'x' || S[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    unsigned long long acc = 0;
    const unsigned long long limit = negative ? static_cast<unsigned long long>(-(Min + 1)) + 1
                                              : static_cast<unsigned long long>(Max);
    bool any = false;
    for (; i < S.size(); ++i) {
        char c = S[i];
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            break;
        // Hexadecimal may fill all bits (the class library reads $FFFFFFFF as -1).
        unsigned long long cap = base == 16 && !negative ? (Max == std::numeric_limits<int>::max() ? 0xFFFFFFFFull : ~0ull)
                                                         : limit;
        if (acc > (cap - static_cast<unsigned long long>(d)) / static_cast<unsigned long long>(base)) {
            Stop = i;
            return false;
        }
        acc = acc * static_cast<unsigned long long>(base) + static_cast<unsigned long long>(d);
        any = true;
    }
    Stop = i;
    if (!any)
        return false;
    if (base == 16 && !negative && Max == std::numeric_limits<int>::max())
        Value = static_cast<Int64>(static_cast<int>(static_cast<unsigned>(acc)));
    else if (base == 16 && !negative)
        Value = static_cast<Int64>(acc);
    else
        Value = negative ? static_cast<Int64>(0 - acc) : static_cast<Int64>(acc);
    return true;
}

[[noreturn]] void InvalidInteger(const AnsiString& S)
{
    throw EConvertError("'" + S + "' is not a valid integer value");
}

} // namespace

AnsiString IntToStr(int Value) { return std::to_string(Value); }
AnsiString IntToStr(Int64 Value) { return std::to_string(Value); }

AnsiString IntToHex(Int64 Value, int Digits)
{
    static const char hex[] = "0123456789ABCDEF";
    auto u = static_cast<unsigned long long>(Value);
    AnsiString r;
    do {
        r.insert(r.begin(), hex[u & 0xF]);
        u >>= 4;
    } while (u != 0);
    if (static_cast<int>(r.size()) < Digits)
        r.insert(0, static_cast<size_t>(Digits) - r.size(), '0');
    return r;
}

AnsiString IntToHex(int Value, int Digits) { return IntToHex(static_cast<Int64>(static_cast<unsigned>(Value)), Digits); }

bool TryStrToInt(const AnsiString& S, int& Value)
{
    Int64 v = 0;
    size_t stop = 0;
    if (!ScanInt(S, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), v, stop) || stop != S.size())
        return false;
    Value = static_cast<int>(v);
    return true;
}

bool TryStrToInt64(const AnsiString& S, Int64& Value)
{
    Int64 v = 0;
    size_t stop = 0;
    if (!ScanInt(S, std::numeric_limits<Int64>::min(), std::numeric_limits<Int64>::max(), v, stop) || stop != S.size())
        return false;
    Value = v;
    return true;
}

int StrToInt(const AnsiString& S)
{
    int v = 0;
    if (!TryStrToInt(S, v))
        InvalidInteger(S);
    return v;
}

Int64 StrToInt64(const AnsiString& S)
{
    Int64 v = 0;
    if (!TryStrToInt64(S, v))
        InvalidInteger(S);
    return v;
}

int StrToIntDef(const AnsiString& S, int Default)
{
    int v = 0;
    return TryStrToInt(S, v) ? v : Default;
}

Int64 StrToInt64Def(const AnsiString& S, Int64 Default)
{
    Int64 v = 0;
    return TryStrToInt64(S, v) ? v : Default;
}

void Val(const AnsiString& S, int& Value, int& Code)
{
    Int64 v = 0;
    size_t stop = 0;
    bool ok = ScanInt(S, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), v, stop);
    // On a bad character the value read before it is kept.
    Value = ok ? static_cast<int>(v) : 0;
    Code = ok && stop == S.size() ? 0 : static_cast<int>(stop) + 1;
}
