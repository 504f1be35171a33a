#include "platform/core/StringUtils.h"

#include <algorithm>

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char Upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }

int Sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

} // namespace

AnsiString Trim(const AnsiString& S) { return AnsiString(TrimView(S)); }

std::string_view TrimLeftView(std::string_view S)
{
    while (!S.empty() && IsTrimmed(S.front()))
        S.remove_prefix(1);
    return S;
}

std::string_view TrimView(std::string_view S)
{
    S = TrimLeftView(S);
    while (!S.empty() && IsTrimmed(S.back()))
        S.remove_suffix(1);
    return S;
}

AnsiString TrimLeft(const AnsiString& S) { return AnsiString(TrimLeftView(S)); }

AnsiString TrimRight(const AnsiString& S)
{
    size_t n = S.size();
    while (n > 0 && IsTrimmed(S[n - 1]))
        --n;
    return S.substr(0, n);
}

AnsiString UpperCase(const AnsiString& S)
{
    AnsiString r = S;
    std::transform(r.begin(), r.end(), r.begin(), Upper);
    return r;
}

AnsiString LowerCase(const AnsiString& S)
{
    AnsiString r = S;
    std::transform(r.begin(), r.end(), r.begin(), Lower);
    return r;
}

AnsiString AnsiUpperCase(const AnsiString& S) { return UpperCase(S); }
AnsiString AnsiLowerCase(const AnsiString& S) { return LowerCase(S); }

int CompareStr(const AnsiString& S1, const AnsiString& S2) { return Sign(S1.compare(S2)); }

int CompareText(const AnsiString& S1, const AnsiString& S2)
{
    size_t n = std::min(S1.size(), S2.size());
    for (size_t i = 0; i < n; ++i) {
        auto a = static_cast<unsigned char>(Lower(S1[i]));
        auto b = static_cast<unsigned char>(Lower(S2[i]));
        if (a != b)
            return a < b ? -1 : 1;
    }
    return S1.size() == S2.size() ? 0 : (S1.size() < S2.size() ? -1 : 1);
}

bool SameText(const AnsiString& S1, const AnsiString& S2) { return S1.size() == S2.size() && CompareText(S1, S2) == 0; }
int AnsiCompareStr(const AnsiString& S1, const AnsiString& S2)
{
    // Letters first, case second: a, A, b, B (the user's sort order, the same in every locale).
    if (const int byText = CompareText(S1, S2); byText != 0)
        return byText;
    for (size_t i = 0; i < S1.size(); ++i)
        if (S1[i] != S2[i])
            return Lower(S1[i]) == S1[i] ? -1 : 1;
    return 0;
}
int AnsiCompareText(const AnsiString& S1, const AnsiString& S2) { return CompareText(S1, S2); }
bool AnsiSameText(const AnsiString& S1, const AnsiString& S2) { return SameText(S1, S2); }

int Pos(const AnsiString& Sub, const AnsiString& S)
{
    if (Sub.empty())
        return 0;
    size_t p = S.find(Sub);
    return p == AnsiString::npos ? 0 : static_cast<int>(p) + 1;
}

int AnsiPos(const AnsiString& Sub, const AnsiString& S) { return Pos(Sub, S); }

AnsiString Copy(const AnsiString& S, int Index, int Count)
{
    if (Index < 1)
        Index = 1;
    if (Count <= 0 || static_cast<size_t>(Index) > S.size())
        return AnsiString();
    return S.substr(static_cast<size_t>(Index - 1), static_cast<size_t>(Count));
}

AnsiString StringReplace(const AnsiString& S, const AnsiString& OldPattern, const AnsiString& NewPattern,
                         TReplaceFlags Flags)
{
    if (OldPattern.empty())
        return S;
    const bool ignoreCase = (Flags & rfIgnoreCase) != 0;
    const AnsiString hay = ignoreCase ? UpperCase(S) : S;
    const AnsiString needle = ignoreCase ? UpperCase(OldPattern) : OldPattern;
    AnsiString result;
    size_t from = 0;
    while (true) {
        size_t p = hay.find(needle, from);
        if (p == AnsiString::npos)
            break;
        result.append(S, from, p - from);
        result += NewPattern;
        from = p + needle.size();
        if (!(Flags & rfReplaceAll))
            break;
    }
    result.append(S, from, AnsiString::npos);
    return result;
}

AnsiString QuotedStr(const AnsiString& S) { return AnsiQuotedStr(S, '\''); }

AnsiString AnsiQuotedStr(const AnsiString& S, char Quote)
{
    AnsiString r(1, Quote);
    for (char c : S) {
        r += c;
        if (c == Quote)
            r += Quote;
    }
    r += Quote;
    return r;
}

AnsiString AnsiExtractQuotedStr(const AnsiString& S, size_t& Pos, char Quote)
{
    if (Pos >= S.size() || S[Pos] != Quote)
        return AnsiString();
    ++Pos;
    AnsiString r;
    while (Pos < S.size()) {
        if (S[Pos] == Quote) {
            if (Pos + 1 < S.size() && S[Pos + 1] == Quote) {
                r += Quote;
                Pos += 2;
                continue;
            }
            ++Pos;
            break;
        }
        r += S[Pos++];
    }
    return r;
}

AnsiString AnsiDequotedStr(const AnsiString& S, char Quote)
{
    size_t p = 0;
    AnsiString r = AnsiExtractQuotedStr(S, p, Quote);
    // Not a complete quoted text: the class library gives the input back.
    if (p == 0 || p != S.size() || S.size() < 2 || S.back() != Quote)
        return S;
    return r;
}

AnsiString StringOfChar(char Ch, int Count) { return Count > 0 ? AnsiString(static_cast<size_t>(Count), Ch) : AnsiString(); }

std::vector<AnsiString> SplitTextLines(const AnsiString& S)
{
    std::vector<AnsiString> lines;
    size_t p = 0;
    while (p < S.size()) {
        const size_t start = p;
        while (p < S.size() && S[p] != '\n' && S[p] != '\r')
            ++p;
        lines.push_back(S.substr(start, p - start));
        if (p < S.size() && S[p] == '\r')
            ++p;
        if (p < S.size() && S[p] == '\n')
            ++p;
    }
    return lines;
}
