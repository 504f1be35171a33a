#include "components/grid/Ravutil.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/core/CodePages.h"
#include "platform/core/DateTime.h"
#include "platform/core/FormatSettings.h"
#include "platform/core/StringUtils.h"
#include "platform/core/Strings.h"

namespace {

char UpAscii(char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; }
char LoAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; }

// A whole decimal integer, as the runtime's StrToInt accepts it (optional sign, digits).
bool WholeInt(const AnsiString& s, int& v)
{
    if (s.empty())
        return false;
    size_t i = 0;
    bool neg = false;
    if (s[0] == '-' || s[0] == '+') {
        neg = s[0] == '-';
        i = 1;
    }
    if (i >= s.size())
        return false;
    long long acc = 0;
    for (; i < s.size(); ++i) {
        if (s[i] < '0' || s[i] > '9')
            return false;
        acc = acc * 10 + (s[i] - '0');
        if (acc > 0x7FFFFFFFLL + 1)
            return false;
    }
    if (neg)
        acc = -acc;
    if (acc > 0x7FFFFFFFLL || acc < -0x80000000LL)
        return false;
    v = int(acc);
    return true;
}

// s with every Mark written as a CR LF line break.
AnsiString MarksToCrLf(const AnsiString& s, char Mark)
{
    AnsiString r;
    for (char c : s) {
        if (c == Mark)
            r += "\r\n";
        else
            r += c;
    }
    return r;
}

} // namespace

int CharPos(char ch, const AnsiString& s)
{
    auto p = s.find(ch);
    return p == AnsiString::npos ? 0 : int(p) + 1;
}

int VarCharPos(char ch, const AnsiString& s, int& pos)
{
    int r = CharPos(ch, s);
    if (r > 0)
        pos = r;
    return r;
}

int VarCharPosNC(char ch, const AnsiString& s, int& pos)
{
    for (size_t i = 0; i < s.size(); ++i)
        if (UpAscii(s[i]) == ch) {
            pos = int(i) + 1;
            return pos;
        }
    return 0;
}

int VarPos(const AnsiString& sub, const AnsiString& s, int& pos)
{
    pos = Pos(sub, s);
    return pos;
}

int FIPos(const AnsiString& su, const AnsiString& s) { return Pos(UpperCase(s), su); }

char FirstChar(const std::set<char>& chars, const AnsiString& s)
{
    for (char c : s)
        if (chars.count(c))
            return c;
    return '\0';
}

int SinglePos(char ch, const AnsiString& s, int& pos)
{
    int count = 0;
    const int n = int(s.size());
    for (int i = 0; i < n; ++i) {
        if (s[i] == ch) {
            if (i == n - 1)
                break; // a run that reaches the end is never reported
            ++count;
        } else {
            if (count % 2 == 1) {
                pos = i; // 1-based position of the previous character
                return pos;
            }
            count = 0;
        }
    }
    pos = 0;
    return 0;
}

int NumSingleChar(char ch, AnsiString s)
{
    int n = 0, pos = 0;
    while (SinglePos(ch, s, pos) > 0) {
        ++n;
        s.erase(0, size_t(pos));
    }
    return n;
}

int NumChar(char ch, const AnsiString& s)
{
    int n = 0;
    for (char c : s)
        n += c == ch;
    return n;
}

AnsiString GetToken(AnsiString& s, const AnsiString& delim)
{
    auto p = s.find(delim);
    if (p == AnsiString::npos || delim.empty())
        return AnsiString();
    AnsiString r = s.substr(0, p);
    s.erase(0, p + 1);
    return r;
}

AnsiString GetNextLine(AnsiString& s, bool multiline)
{
    auto p = s.find('\r');
    if (p == AnsiString::npos) {
        AnsiString r = s;
        s.clear();
        return r;
    }
    AnsiString r = s.substr(0, p);
    if (multiline) {
        s.erase(0, p + 1);
        if (!s.empty() && s[0] == '\n')
            s.erase(0, 1);
    } else
        s.clear();
    return r;
}

int LinesInText(const AnsiString& s, bool multiline) { return multiline ? 1 + NumChar('\r', s) : 1; }

AnsiString StringListToText(const TStrings* list)
{
    AnsiString s;
    for (int i = 0; list && i < list->Count(); ++i)
        s += list->Strings(i);
    return s;
}

bool IsInGridRect(const TGridRect& r, int col, int row)
{
    return r.Left <= col && col <= r.Right && r.Top <= row && row <= r.Bottom;
}

bool NameToCell(const AnsiString& name, TPoint& point)
{
    AnsiString s = UpperCase(name);
    if (s.size() <= 3 || s[0] != 'R')
        return false;
    auto c = s.find('C', 1);
    if (c == AnsiString::npos)
        return false;
    int row = 0, col = 0;
    if (!WholeInt(s.substr(1, c - 1), row) || !WholeInt(s.substr(c + 1), col))
        return false;
    point.x = col;
    point.y = row;
    return true;
}

int Max(int a, int b) { return a > b ? a : b; }
int Min(int a, int b) { return a < b ? a : b; }

int CheckLimits(int value, int min, int max)
{
    if (min == max)
        return value;
    if (value > max)
        return max;
    if (value < min)
        return min;
    return value;
}

AnsiString RectString(const TRect& r)
{
    return "[" + std::to_string(r.Left) + ":" + std::to_string(r.Top) + "][" + std::to_string(r.Right) + ":" +
           std::to_string(r.Bottom) + "]";
}

void LineFeedsToCSV(AnsiString& s)
{
    AnsiString r;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')
            continue;
        r += s[i];
    }
    s = "\"" + r + "\"";
}

void CSVToLineFeeds(AnsiString& s)
{
    if (s.find('\n') == AnsiString::npos)
        return;
    s = MarksToCrLf(s, '\n');
}

void LineFeedsToJava(AnsiString& s)
{
    AnsiString r;
    for (char c : s) {
        if (c == '\r')
            r += '~';
        else if (c != '\n')
            r += c;
    }
    s = r;
}

void JavaToLineFeeds(AnsiString& s) { s = MarksToCrLf(s, '~'); }

AnsiString LineFeedsToXLS(const AnsiString& s)
{
    AnsiString r;
    for (char c : s)
        if (c != '\r')
            r += c;
    return r;
}

AnsiString LfToFile(const AnsiString& s)
{
    if (s.find('\r') == AnsiString::npos)
        return s;
    AnsiString r = s;
    for (char& c : r) {
        if (c == '\r')
            c = '\t';
        else if (c == '\n')
            c = '\b';
    }
    return r;
}

AnsiString FileToLf(const AnsiString& s, bool multiline)
{
    if (s.find('\b') == AnsiString::npos)
        return s;
    AnsiString r = s;
    for (char& c : r) {
        if (c == '\t')
            c = '\r';
        else if (c == '\b')
            c = '\n';
    }
    if (multiline)
        return r;
    return GetNextLine(r, false);
}

AnsiString LFToCLF(const AnsiString& s)
{
    AnsiString r;
    for (char c : s) {
        if (c == '\r')
            r += "\\n";
        else if (c != '\n')
            r += c;
    }
    return r;
}

AnsiString CLFToLF(const AnsiString& s)
{
    AnsiString r;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 1 < s.size() && s[i + 1] == 'n') {
            r += '\r';
            ++i;
        } else
            r += s[i];
    }
    return r;
}

AnsiString HTMLLineBreaks(const AnsiString& s)
{
    AnsiString r;
    for (char c : s) {
        if (c == '\r')
            r += "<br>";
        else
            r += c;
    }
    return r;
}

AnsiString DoubleToSingleChar(char ch, const AnsiString& s)
{
    if (s.find(ch) == AnsiString::npos)
        return s;
    AnsiString r;
    for (size_t i = 0; i < s.size(); ++i) {
        if (i > 0 && s[i] == ch && s[i - 1] == ch)
            continue;
        r += s[i];
    }
    return r;
}

void StringToPassword(AnsiString& s, char ch)
{
    for (char& c : s)
        c = ch;
}

void StringToOem(AnsiString& s) { s = Utf8ToCodePage(s, TCodePage::Oem850); }
void OemToString(AnsiString& s) { s = CodePageToUtf8(s, TCodePage::Oem850); }

int TextType(const AnsiString& s0, bool html)
{
    AnsiString s = s0 + " ";
    if (s.size() > 1) {
        if (s[0] == '=')
            return ttFormula;
        if (s.compare(0, 2, "{\\") == 0)
            return ttRTF;
        if (html && (s.find("</") != AnsiString::npos || s.find("<B") != AnsiString::npos ||
                     s.find("<I") != AnsiString::npos))
            return ttHTML;
    }
    return ttPlain;
}

int IsType(const AnsiString& s)
{
    if (s.empty())
        return atString;
    const char ts = FormatSettings.ThousandSeparator, ds = FormatSettings.DecimalSeparator;
    bool isInt = true, isFloat = true;
    int lastThousand = -1, decs = 0, minus = 0;
    for (int i = 0; i < int(s.size()); ++i) {
        const char c = s[i];
        const bool digitOrMinus = c == '-' || (c >= '0' && c <= '9');
        if (!digitOrMinus)
            isInt = false;
        if (!digitOrMinus && c != ts && c != ds)
            isFloat = false;
        if (c == ts) {
            // positions counted from 1, as the runtime counts them
            if ((i + 1) - lastThousand < 3)
                isFloat = false;
            lastThousand = i + 1;
        }
        if (c == ds)
            ++decs;
        if (c == '-')
            ++minus;
    }
    if (minus > 1 || decs > 1)
        return atString;
    if (isInt)
        return atNumeric;
    if (isFloat)
        return atFloat;
    return atString;
}

AnsiString RemoveSeps(const AnsiString& s0)
{
    if (s0.empty())
        return AnsiString();
    AnsiString s = s0;
    while (!s.empty() && s.front() == ' ')
        s.erase(0, 1);
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    const char ts = FormatSettings.ThousandSeparator, ds = FormatSettings.DecimalSeparator;
    bool neg = s.size() >= 1 && s.front() == '(' && s.back() == ')';
    while (s.size() >= 2 && !((s[0] >= '0' && s[0] <= '9') || s[0] == ts || s[0] == ds)) {
        if (s[0] == '-')
            neg = true;
        s.erase(0, 1);
    }
    AnsiString r;
    for (char c : s) {
        if (c == ts)
            continue;
        if (c == ds)
            r += '.';
        else if (c == '-' || c == '.' || (c >= '0' && c <= '9'))
            r += c;
        else
            break;
    }
    if (neg)
        r = "-" + r;
    return r;
}

AnsiString FixDecimalSeparator(const AnsiString& s)
{
    if (FormatSettings.DecimalSeparator != ',')
        return s;
    AnsiString r = s;
    auto p = r.find(',');
    if (p != AnsiString::npos)
        r[p] = '.';
    return r;
}

namespace {

TDateTime ShortDate(const AnsiString& s, bool us)
{
    char sep = s.find('/') != AnsiString::npos ? '/' : s.find('.') != AnsiString::npos ? '.' : '-';
    auto p1 = s.find(sep);
    if (p1 == AnsiString::npos)
        return 0;
    auto p2 = s.find(sep, p1 + 1);
    if (p2 == AnsiString::npos)
        return 0;
    int a = 0, b = 0, y = 0;
    if (!WholeInt(s.substr(0, p1), a) || !WholeInt(s.substr(p1 + 1, p2 - p1 - 1), b) ||
        !WholeInt(s.substr(p2 + 1), y))
        return 0;
    // A two-digit year: 0..25 lie in this century, the rest in the last one.
    // A year written with more digits is taken as written.
    if (s.size() - p2 - 1 > 2)
        ;
    else if (y >= 0 && y <= 25)
        y += 2000;
    else
        y = Word(y + 1900);
    return us ? EncodeDate(Word(y), Word(a), Word(b)) : EncodeDate(Word(y), Word(b), Word(a));
}

} // namespace

TDateTime StrToShortdateUS(const AnsiString& s) { return ShortDate(s, true); }
TDateTime StrToShortDateEU(const AnsiString& s) { return ShortDate(s, false); }

TDateTime GetNextDate(TDateTime d, Word years, Word months, Word days, TDateTime step)
{
    if (days != 0 && years == 0 && months == 0)
        return d + days;
    Word y = 0, m = 0, dd = 0;
    if (years != 0 && months == 0 && days == 0) {
        DecodeDate(d, y, m, dd);
        return EncodeDate(Word(y + years), m, dd) + (d - std::floor(d));
    }
    if (months != 0 && years == 0 && days == 0) {
        DecodeDate(d, y, m, dd);
        Word sum = Word(m + months);
        if (sum == 0) {
            sum = 12;
            --y;
        } else if (sum > 12) {
            sum -= 12;
            ++y;
        }
        return EncodeDate(y, sum, dd) + (d - std::floor(d));
    }
    return d + step;
}

AnsiString ShiftCase(const AnsiString& s)
{
    AnsiString r;
    bool cap = true;
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == ' ' || c == '\'' || c == ',' || c == '-' || c == '.') {
            cap = true;
            r += c;
        } else if (cap) {
            r += UpAscii(c);
            cap = false;
        } else
            r += LoAscii(c);
        const int pos = int(i) + 1;
        auto mc = r.find(" Mc");
        if (r == "Mc")
            cap = true;
        else if (mc != AnsiString::npos && pos == int(mc) + 1 + 2 && pos > 2)
            cap = true;
        else if (pos >= int(s.size()) - 2) {
            if ((r.size() >= 2 && r.compare(r.size() - 2, 2, " I") == 0) ||
                (r.size() >= 3 && r.compare(r.size() - 3, 3, " II") == 0))
                cap = true;
        }
    }
    return r;
}

bool IsURL(const AnsiString& s)
{
    return s.find("://") != AnsiString::npos || s.find("mailto:") != AnsiString::npos;
}

void StripURLProtocol(AnsiString& s)
{
    auto p = s.find("://");
    if (p != AnsiString::npos) {
        s.erase(0, p + 3);
        return;
    }
    p = s.find("mailto:");
    if (p != AnsiString::npos)
        s.erase(0, p + 7);
}

AnsiString HTMLColor(TColor c)
{
    static const char* hex = "0123456789ABCDEF";
    // A system colour is written as the RGB value it stands for.
    const unsigned v = unsigned(ColorToRGB(c));
    AnsiString r;
    for (int shift : {0, 8, 16}) {
        unsigned b = (v >> shift) & 0xFF;
        r += hex[b >> 4];
        r += hex[b & 15];
    }
    return r;
}
