// Wildcard and condition matching of cell texts (filter and search).
#include <cstdlib>
#include <cstring>

#include "components/grid/Ravutil.h"
#include "platform/core/DateTime.h"
#include "platform/core/FormatSettings.h"
#include "platform/core/StringUtils.h"

namespace {

bool WholeNumber(const AnsiString& s, int& v)
{
    if (s.empty())
        return false;
    char* end = nullptr;
    long r = std::strtol(s.c_str(), &end, 10);
    if (*end != '\0' || s[0] == ' ')
        return false;
    v = int(r);
    return true;
}

// A whole text as a floating-point number, point as decimal separator.
bool AsFloat(const AnsiString& s, double& v)
{
    if (s.empty())
        return false;
    size_t i = 0;
    if (s[i] == '+' || s[i] == '-')
        ++i;
    bool digits = false;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
        ++i;
        digits = true;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            ++i;
            digits = true;
        }
    }
    if (digits && i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        size_t k = j;
        while (k < s.size() && s[k] >= '0' && s[k] <= '9')
            ++k;
        if (k > j)
            i = k;
    }
    if (!digits || i != s.size())
        return false;
    v = std::strtod(s.c_str(), nullptr);
    return true;
}

// A date in the locale's field order; the year is used as written.
bool AsDate(const AnsiString& s, TDateTime& d)
{
    const AnsiString fmt = UpperCase(FormatSettings.ShortDateFormat);
    const int pd = Pos("D", fmt), pm = Pos("M", fmt), py = Pos("Y", fmt);
    const char sep = FormatSettings.DateSeparator;
    auto p1 = s.find(sep);
    if (p1 == AnsiString::npos)
        return false;
    auto p2 = s.find(sep, p1 + 1);
    if (p2 == AnsiString::npos)
        return false;
    int f[3];
    if (!WholeNumber(s.substr(0, p1), f[0]) || !WholeNumber(s.substr(p1 + 1, p2 - p1 - 1), f[1]) ||
        !WholeNumber(s.substr(p2 + 1), f[2]))
        return false;
    // rank of each letter in the format: 0 first, 1 middle, 2 last
    auto rank = [&](int p) { return (p > pd) + (p > pm) + (p > py); };
    const int day = f[rank(pd)], month = f[rank(pm)], year = f[rank(py)];
    if (day >= 32 || month > 12)
        return false;
    return year >= 1 && year <= 9999 && TryEncodeDate(Word(year), Word(month), Word(day), d);
}

// Operand after the first c: '=' makes it inclusive; blanks skipped; up to blank, '&', '|' or end.
bool Operand(const AnsiString& cond, char c, AnsiString& op, bool& inclusive)
{
    auto p = cond.find(c);
    if (p == AnsiString::npos)
        return false;
    ++p;
    inclusive = p < cond.size() && cond[p] == '=';
    if (inclusive)
        ++p;
    while (p < cond.size() && cond[p] == ' ')
        ++p;
    op.clear();
    while (p < cond.size() && cond[p] != ' ' && cond[p] != '&' && cond[p] != '|' && op.size() < 255)
        op += cond[p++];
    return true;
}

// -1, 0, 1 comparing value with operand: number, else date, else bytes (at most 255).
int Compare(const AnsiString& value, const AnsiString& op)
{
    double a = 0, b = 0;
    if (AsFloat(value, a) && AsFloat(op, b))
        return a < b ? -1 : a > b ? 1 : 0;
    TDateTime da = 0, db = 0;
    if (AsDate(value, da) && AsDate(op, db))
        return da < db ? -1 : da > db ? 1 : 0;
    int r = std::strncmp(value.c_str(), op.c_str(), 255);
    return r < 0 ? -1 : r > 0 ? 1 : 0;
}

// '*' any run, '?' any one character, the rest as written. One backtrack
// point: on a mismatch the last star takes one more character, so the cost is
// at most the product of the two lengths.
bool Glob(const char* pat, const char* val)
{
    const char* starPat = nullptr;
    const char* starVal = nullptr;
    while (*val) {
        if (*pat == '*') {
            while (*pat == '*')
                ++pat;
            starPat = pat;
            starVal = val;
        } else if (*pat && (*pat == '?' || *pat == *val)) {
            ++pat;
            ++val;
        } else if (starPat) {
            pat = starPat;
            val = ++starVal;
        } else
            return false;
    }
    while (*pat == '*')
        ++pat;
    return *pat == '\0';
}

bool Wildcard(const char* pat, const char* val)
{
    bool negate = false;
    bool result = true;
    while (true) {
        if (*pat == '!') {
            negate = true;
            ++pat;
            continue;
        }
        if (*pat == '\0') {
            result = *val == '\0';
            break;
        }
        if (*pat == '*' && !std::strpbrk(pat, "<>!")) {
            // A plain wildcard from here on: the rest of the condition holds no
            // comparison or negation that a match of a tail would apply.
            result = Glob(pat, val);
            break;
        }
        if (*pat == '*') {
            while (*pat == '*')
                ++pat;
            const size_t n = std::strlen(val);
            result = false;
            for (size_t k = 0; k <= n; ++k)
                if (Matches(pat, val + (n - k))) {
                    result = true;
                    break;
                }
            break;
        }
        if (*val == '\0') {
            result = false;
            break;
        }
        if (*pat != '?' && *pat != *val) {
            result = false;
            break;
        }
        ++pat;
        ++val;
    }
    return negate ? !result : result;
}

} // namespace

bool Matches(const char* condition, const char* value)
{
    const AnsiString cond = condition;
    const AnsiString val = value;
    bool greater = true, less = true;
    bool hasGreater = false, hasLess = false;
    AnsiString op;
    bool incl = false;
    if (Operand(cond, '>', op, incl)) {
        hasGreater = true;
        const int c = Compare(val, op);
        greater = incl ? c >= 0 : c > 0;
    }
    if (Operand(cond, '<', op, incl)) {
        hasLess = true;
        const int c = Compare(val, op);
        less = incl ? c <= 0 : c < 0;
    }
    const bool hasNot = cond.find('!') != AnsiString::npos;
    const bool presentGreater = hasGreater || hasNot;
    const bool presentLess = hasLess || hasNot;
    if (cond.find('^') != AnsiString::npos && (presentGreater || presentLess))
        return less || greater;
    if (cond.find('&') != AnsiString::npos && presentGreater && presentLess)
        return less && greater;
    if (hasGreater && greater)
        return true;
    if (hasLess && less)
        return true;
    return Wildcard(condition, value);
}

bool MatchStr(const AnsiString& condition, const AnsiString& value, bool caseSensitive)
{
    if (caseSensitive)
        return Matches(condition.c_str(), value.c_str());
    return Matches(AnsiUpperCase(condition).c_str(), AnsiUpperCase(value).c_str());
}

bool MatchStrEx(const AnsiString& condition, const AnsiString& value, bool caseSensitive)
{
    AnsiString s = condition;
    while (!s.empty() && s.front() == ' ')
        s.erase(0, 1);
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    for (const char* ops : {"&", ";", "^", "|"}) {
        const AnsiString before = AnsiString(" ") + ops;
        size_t p;
        while ((p = s.find(before)) != AnsiString::npos)
            s.erase(p, 1);
    }
    for (const char* ops : {"&", ";", "^", "|"}) {
        const AnsiString after = AnsiString(ops) + " ";
        size_t p;
        while ((p = s.find(after)) != AnsiString::npos)
            s.erase(p + 1, 1);
    }
    bool result = false;
    char pending = 0; // operator before the current piece; 0 for the first
    AnsiString piece;
    auto fold = [&]() {
        const bool m = MatchStr(piece, value, caseSensitive);
        if (pending == 0)
            result = m;
        else if (pending == '&')
            result = result && m;
        else
            result = result || m;
    };
    for (char c : s) {
        if (c == '&' || c == ';' || c == '^' || c == '|') {
            fold();
            pending = c;
            piece.clear();
        } else
            piece += c;
    }
    fold();
    return result;
}
