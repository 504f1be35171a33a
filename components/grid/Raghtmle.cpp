#include "components/grid/Raghtmle.h"

#include <algorithm>
#include <cctype>

#include "platform/core/Exceptions.h"
#include "platform/core/StringUtils.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/DrawTextFlags.h"
#include "platform/graphics/ImageList.h"

// ---- text functions ----

namespace {

AnsiString Upper(AnsiString s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// 0-based find ignoring case; npos when absent.
size_t IFind(const AnsiString& sub, const AnsiString& s, size_t from = 0)
{
    return Upper(s).find(Upper(sub), from);
}

// Replaces every occurrence of find (ignoring case), left to right, not rescanning replacements.
AnsiString IReplaceAll(const AnsiString& s, const AnsiString& find, const AnsiString& repl)
{
    return StringReplace(s, find, repl, rfReplaceAll | rfIgnoreCase);
}

// The text between the first pair of double quotes after Name in s ("" when absent).
AnsiString AttrValue(const AnsiString& s, const AnsiString& name, bool ignoreCase = true)
{
    const size_t p = ignoreCase ? IFind(name, s) : s.find(name);
    if (p == AnsiString::npos)
        return {};
    const size_t q1 = s.find('"', p + name.size());
    if (q1 == AnsiString::npos)
        return {};
    const size_t q2 = s.find('"', q1 + 1);
    if (q2 == AnsiString::npos)
        return {};
    return s.substr(q1 + 1, q2 - q1 - 1);
}

} // namespace

int IPos(const AnsiString& Sub, const AnsiString& s)
{
    const size_t p = IFind(Sub, s);
    return p == AnsiString::npos ? 0 : static_cast<int>(p) + 1;
}

int IVarPos(const AnsiString& Sub, const AnsiString& s, int& Pos)
{
    const size_t p = Upper(s).find(Sub);
    Pos = p == AnsiString::npos ? 0 : static_cast<int>(p) + 1;
    return Pos;
}

int IStrToInt(const AnsiString& s)
{
    size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    bool neg = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        neg = s[i++] == '-';
    int base = 10;
    if (i < s.size() && s[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    long long v = 0;
    for (; i < s.size(); ++i) {
        const int c = std::toupper(static_cast<unsigned char>(s[i]));
        int d;
        if (c >= '0' && c <= '9')
            d = c - '0';
        else if (base == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        else
            break;
        v = v * base + d;
        if (v > 0x7FFFFFFF)
            v = 0x7FFFFFFF; // a runaway number stays an int
    }
    return static_cast<int>(neg ? -v : v);
}

bool TagReplace(const AnsiString& Find, const AnsiString& Replacement, AnsiString& s)
{
    const size_t p = IFind(Find, s);
    if (p == AnsiString::npos)
        return false;
    s.replace(p, Find.size(), Replacement);
    return true;
}

AnsiString UnwrapHashTag(const AnsiString& s)
{
    AnsiString r = s;
    const size_t p = r.find("<#");
    if (p == AnsiString::npos)
        return r;
    r.erase(p, 1);
    const size_t q = r.find('>', p);
    if (q != AnsiString::npos)
        r.erase(q, 1);
    return r;
}

AnsiString CRLFToBR(const AnsiString& s, bool Convert)
{
    AnsiString r;
    for (char c : s) {
        if (c == '\r') {
            if (Convert)
                r += "<BR>";
        } else if (c != '\n')
            r += c;
    }
    return r;
}

AnsiString DecodeLtGt(const AnsiString& s) { return IReplaceAll(IReplaceAll(s, "&lt;", "<"), "&gt;", ">"); }

AnsiString EncodeLtGt(const AnsiString& s)
{
    return StringReplace(StringReplace(s, "<", "&lt;", rfReplaceAll), ">", "&gt;", rfReplaceAll);
}

void ParseControlTag(const AnsiString& Tag, AnsiString& Type, AnsiString& ID, AnsiString& Width,
                     AnsiString& Value)
{
    Type = Upper(AttrValue(Tag, "TYPE="));
    Width = AttrValue(Tag, "WIDTH=");
    ID = AttrValue(Tag, "ID=");
    Value = DecodeLtGt(AttrValue(Tag, "VALUE="));
}

namespace {

// Finds the first control tag whose ID is exactly ID: start of its "<" and one past its ">".
bool FindControl(const AnsiString& Markup, const AnsiString& ID, size_t& start, size_t& end)
{
    size_t from = 0;
    for (;;) {
        const size_t p = IFind("<CONTROL ", Markup, from);
        if (p == AnsiString::npos)
            return false;
        const size_t q = Markup.find('>', p);
        const size_t e = q == AnsiString::npos ? Markup.size() : q + 1;
        AnsiString type, id, width, value;
        ParseControlTag(Markup.substr(p, e - p), type, id, width, value);
        if (id == ID) {
            start = p;
            end = e;
            return true;
        }
        from = e;
    }
}

} // namespace

bool GetControlValue(const AnsiString& Markup, const AnsiString& ID, AnsiString& Value)
{
    size_t p, e;
    if (!FindControl(Markup, ID, p, e))
        return false;
    AnsiString type, id, width;
    ParseControlTag(Markup.substr(p, e - p), type, id, width, Value);
    return true;
}

bool SetControlValue(AnsiString& Markup, const AnsiString& ID, const AnsiString& Value)
{
    size_t p, e;
    if (!FindControl(Markup, ID, p, e))
        return false;
    AnsiString type, id, width, old;
    ParseControlTag(Markup.substr(p, e - p), type, id, width, old);
    const AnsiString tag = "<CONTROL ID=\"" + ID + "\" VALUE=\"" + EncodeLtGt(Value) + "\" WIDTH=\"" + width +
                           "\" TYPE=\"" + type + "\">";
    Markup = Markup.substr(0, p) + tag + Markup.substr(e);
    return true;
}

AnsiString HTMLStrip(const AnsiString& Text)
{
    const AnsiString s = IReplaceAll(IReplaceAll(Text, "<BR>", "\r\n"), "<HR>", "\r\n");
    AnsiString r;
    size_t i = 0;
    while (i < s.size()) {
        const size_t lt = s.find('<', i);
        if (lt == AnsiString::npos) {
            r += s.substr(i);
            break;
        }
        const size_t gt = s.find('>', lt);
        if (gt == AnsiString::npos) {
            r += s.substr(i);
            break;
        }
        r += s.substr(i, lt - i);
        i = gt + 1;
    }
    return r;
}

namespace Raghtmle {

AnsiString RemoveTags(const AnsiString& s)
{
    AnsiString r;
    size_t i = 0;
    while (i < s.size()) {
        const size_t lt = s.find('<', i);
        const size_t gt = lt == AnsiString::npos ? AnsiString::npos : s.find('>', lt);
        if (gt == AnsiString::npos) {
            r += s.substr(i);
            break;
        }
        r += s.substr(i, lt - i);
        i = gt + 1;
    }
    return r;
}

int TextPosToTagPos(const AnsiString& s, int n)
{
    int visible = 0;
    size_t i = 0;
    size_t tagStart = AnsiString::npos; // start of the tags directly before i
    while (i < s.size()) {
        if (s[i] == '<') {
            const size_t gt = s.find('>', i);
            if (gt != AnsiString::npos) {
                if (tagStart == AnsiString::npos)
                    tagStart = i;
                i = gt + 1;
                continue;
            }
        }
        ++visible;
        if (visible == n)
            return static_cast<int>(tagStart == AnsiString::npos ? i : tagStart) + 1;
        tagStart = AnsiString::npos;
        ++i;
    }
    return n == visible + 1 ? static_cast<int>(s.size()) + 1 : 0;
}

int FindTextFrom(const AnsiString& Text, const AnsiString& VisibleText, int Offset, int& Position,
                 bool CaseSensitive)
{
    Position = 0;
    if (Offset < 0 || static_cast<size_t>(Offset) > VisibleText.size() || Text.empty())
        return 0;
    const AnsiString hay = VisibleText.substr(static_cast<size_t>(Offset));
    const size_t p = CaseSensitive ? hay.find(Text) : Upper(hay).find(Upper(Text));
    if (p == AnsiString::npos)
        return 0;
    Position = Offset + static_cast<int>(p) + 1;
    return Position;
}

} // namespace Raghtmle

AnsiString HiLight(const AnsiString& s, const AnsiString& Text, const AnsiString& Tag, bool CaseSensitive)
{
    AnsiString r = s;
    if (Text.empty())
        return r;
    const AnsiString v = Raghtmle::RemoveTags(s);
    const int len = static_cast<int>(Text.size());
    int offset = 0, p = 0;
    while (Raghtmle::FindTextFrom(Text, v, offset, p, CaseSensitive) > 0) {
        offset = p - 1 + len;
        const int a = Raghtmle::TextPosToTagPos(r, p);
        if (a > 0)
            r.insert(static_cast<size_t>(a - 1), "<" + Tag + ">");
        const int b = Raghtmle::TextPosToTagPos(r, p + len);
        if (b > 0)
            r.insert(static_cast<size_t>(b - 1), "</" + Tag + ">");
    }
    return r;
}

AnsiString UnHiLight(const AnsiString& s, const AnsiString& Tag)
{
    AnsiString r = s;
    const AnsiString open = "<" + Upper(Tag) + ">", close = "</" + Upper(Tag) + ">";
    while (TagReplace(open, "", r)) {
    }
    while (TagReplace(close, "", r)) {
    }
    return r;
}

// ---- colours ----

int HexPairValue(const AnsiString& s)
{
    if (s.size() < 2)
        return 0;
    auto digit = [](char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return 0;
    };
    return digit(s[0]) * 16 + digit(s[1]);
}

TColor HexToColor(const AnsiString& s)
{
    const AnsiString u = Upper(s);
    auto pair = [&](size_t at) { return at < u.size() ? HexPairValue(u.substr(at, 2)) : 0; };
    return static_cast<TColor>(pair(1) | (pair(3) << 8) | (pair(5) << 16));
}

TColor TextToColor(const AnsiString& s)
{
    static const char* const names[] = {
        "clred", "clblack", "clblue", "clgreen", "claqua", "clyellow", "clfuchsia", "clwhite",
        "cllime", "clsilver", "clgray", "clolive", "clnavy", "clpurple", "clteal", "clmaroon",
        "clbackground", "clactivecaption", "clinactivecaption", "clmenu", "clwindow", "clwindowframe",
        "clmenutext", "clwindowtext", "clcaptiontext", "clactiveborder", "clinactiveborder", "clappworkspace",
        "clhighlight", "clhighlighttext", "clbtnface", "clbtnshadow", "clgraytext", "clbtntext",
        "clinactivecaptiontext", "clbtnhighlight", "cl3ddkshadow", "cl3dlight", "clinfotext", "clinfobk"};
    static const TColor fixed[] = {0x0000FF, 0, 0xFF0000, 0x008000, 0xFFFF00, 0x00FFFF, 0xFF00FF, 0xFFFFFF,
                                   0x00FF00, 0xC0C0C0, 0x808080, 0x008080, 0x800000, 0x800080, 0x808000, 0x000080};
    const AnsiString l = LowerCase(s);
    for (int i = 0; i < 40; ++i)
        if (l == names[i])
            return i < 16 ? fixed[i] : static_cast<TColor>(0x80000001u + static_cast<unsigned>(i - 16));
    return 0;
}
