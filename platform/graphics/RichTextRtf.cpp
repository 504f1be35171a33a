#include "platform/graphics/RichTextRtf.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstring>
#include <map>

namespace {

// Windows-1252 0x80-0x9F; the five unassigned bytes keep their own value.
const char32_t kCp1252High[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                  0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t FromCp1252(unsigned char b) { return b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : char32_t(b); }

// The Windows-1252 byte of a code point, or -1.
int ToCp1252(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return int(c);
    for (int i = 0; i < 32; ++i)
        if (kCp1252High[i] == c)
            return 0x80 + i;
    return -1;
}

void AppendUtf8(AnsiString& s, char32_t c)
{
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        c = 0xFFFD;
    if (c < 0x80)
        s += char(c);
    else if (c < 0x800) {
        s += char(0xC0 | (c >> 6));
        s += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += char(0xE0 | (c >> 12));
        s += char(0x80 | ((c >> 6) & 0x3F));
        s += char(0x80 | (c & 0x3F));
    } else {
        s += char(0xF0 | (c >> 18));
        s += char(0x80 | ((c >> 12) & 0x3F));
        s += char(0x80 | ((c >> 6) & 0x3F));
        s += char(0x80 | (c & 0x3F));
    }
}

// Code points of 8-bit text: UTF-8 when it is valid UTF-8, else Latin-1 (the rule of the
// platform's text everywhere).
std::vector<char32_t> CodePoints(const AnsiString& s)
{
    std::vector<char32_t> out;
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        const size_t follow = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : 9;
        bool ok = follow <= 3 && i + follow < s.size() + (follow == 0 ? 1 : 0);
        char32_t v = follow == 0 ? c : follow == 1 ? (c & 0x1F) : follow == 2 ? (c & 0x0F) : (c & 0x07);
        for (size_t k = 1; ok && k <= follow; ++k) {
            const auto d = static_cast<unsigned char>(s[i + k]);
            ok = (d >> 6) == 2;
            v = (v << 6) | (d & 0x3F);
        }
        if (!ok) {
            out.clear();
            for (unsigned char b : s)
                out.push_back(b);
            return out;
        }
        out.push_back(v);
        i += follow + 1;
    }
    return out;
}

// ---------------------------------------------------------------- reader

enum TDest { dText, dSkip, dFontTable, dColorTable };

struct TReadState {
    TDest Dest = dText;
    int Font = -1; // -1: the default font
    int FontSize = 0;
    TFontStyles Style = 0;
    int ColorIndex = -1;
    int Offset = 0;
    int Uc = 1; // fallback characters after \uN
};

// Groups whose content is not text of the document.
bool IsSkippedDestination(const std::string& w)
{
    static const char* const kSkip[] = {
        "stylesheet", "info",     "pict",       "object",   "header",    "footer",    "headerl",   "headerr",
        "headerf",    "footerl",  "footerr",    "footerf",  "filetbl",   "listtable", "listoverridetable",
        "rsidtbl",    "revtbl",   "generator",  "xmlnstbl", "themedata", "colorschememapping", "datastore",
        "latentstyles", "fldinst", "bkmkstart", "bkmkend",  "footnote",  "annotation", "atnid", "atnauthor",
        "falt",       "panose",   "pgdsctbl",   "nonshppict", "shp",     "private",   "template",  "comment",
        "author",     "title",    "subject",    "keywords", "operator",  "userprops", "mmathPr",   "wgrffmtfilter"};
    for (const char* s : kSkip)
        if (w == s)
            return true;
    return false;
}

class TRtfReader {
public:
    explicit TRtfReader(const AnsiString& s) : FSrc(s) {}

    TRichTextContent Read()
    {
        FContent.assign(1, TRichTextParagraph());
        FStack.push_back(TReadState());
        const size_t n = FSrc.size();
        while (FPos < n) {
            const char ch = FSrc[FPos++];
            if (ch == '{')
                OpenGroup();
            else if (ch == '}')
                CloseGroup();
            else if (ch == '\\')
                ControlWord();
            else if (ch == '\r' || ch == '\n')
                ; // line ends of the file are not text
            else
                Char(FromCp1252(static_cast<unsigned char>(ch)), true);
        }
        FlushPendingHigh();
        // A document ends its last paragraph with \par: that mark adds no empty line.
        if (FEndedWithPar && FContent.size() > 1 && FContent.back().Runs.empty())
            FContent.pop_back();
        return std::move(FContent);
    }

private:
    TReadState& St() { return FStack.back(); }

    void OpenGroup()
    {
        FSkipFallback = 0;
        if (int(FStack.size()) >= RtfMaxGroupDepth) {
            ++FOverflow;
            return;
        }
        FStack.push_back(FStack.back());
    }

    void CloseGroup()
    {
        FSkipFallback = 0;
        if (FOverflow > 0) {
            --FOverflow;
            return;
        }
        if (FStack.size() <= 1)
            return; // a stray closing brace
        const TDest was = St().Dest;
        FStack.pop_back();
        // A font entry ended without its semicolon.
        if (was == dFontTable && St().Dest != dFontTable)
            CommitFont();
    }

    // Reads the word after the backslash (letters, an optional signed number, one space).
    void ControlWord()
    {
        const size_t n = FSrc.size();
        if (FPos >= n)
            return;
        const char c = FSrc[FPos];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++FPos;
            ControlSymbol(c);
            return;
        }
        std::string word;
        while (FPos < n && std::isalpha(static_cast<unsigned char>(FSrc[FPos]))) {
            if (word.size() < 32)
                word += FSrc[FPos];
            ++FPos;
        }
        bool hasNum = false, neg = false;
        long long num = 0;
        if (FPos < n && FSrc[FPos] == '-' && FPos + 1 < n && std::isdigit(static_cast<unsigned char>(FSrc[FPos + 1]))) {
            neg = true;
            ++FPos;
        }
        while (FPos < n && std::isdigit(static_cast<unsigned char>(FSrc[FPos]))) {
            hasNum = true;
            if (num < 100000000000LL)
                num = num * 10 + (FSrc[FPos] - '0');
            ++FPos;
        }
        if (FPos < n && FSrc[FPos] == ' ')
            ++FPos;
        num = std::clamp(neg ? -num : num, (long long)INT_MIN, (long long)INT_MAX);
        Word(word, hasNum, int(num));
    }

    void ControlSymbol(char c)
    {
        switch (c) {
        case '\\':
        case '{':
        case '}': Char(char32_t(c), true); break;
        case '\'': {
            int v = 0, digits = 0;
            while (digits < 2 && FPos < FSrc.size() && std::isxdigit(static_cast<unsigned char>(FSrc[FPos]))) {
                const char h = char(std::tolower(static_cast<unsigned char>(FSrc[FPos++])));
                v = v * 16 + (h <= '9' ? h - '0' : h - 'a' + 10);
                ++digits;
            }
            if (digits > 0)
                Char(FromCp1252(static_cast<unsigned char>(v)), true);
            break;
        }
        case '~': Char(0xA0, true); break;
        case '_': Char('-', true); break;
        case '*': St().Dest = dSkip; break;
        case '\r':
        case '\n': Paragraph(); break;
        default: break; // \- and the rest add nothing
        }
    }

    void Word(const std::string& w, bool hasNum, int num)
    {
        TReadState& s = St();
        const bool on = !hasNum || num != 0;
        if (w != "par")
            FEndedWithPar = false;
        if (w == "bin") {
            // Binary data: its bytes are no RTF at all.
            const size_t skip = hasNum && num > 0 ? size_t(num) : 0;
            FPos = std::min(FSrc.size(), FPos + skip);
            return;
        }
        if (w == "fonttbl") {
            s.Dest = dFontTable;
            return;
        }
        if (w == "colortbl") {
            s.Dest = dColorTable;
            FColorDefined = false;
            FRed = FGreen = FBlue = 0;
            return;
        }
        if (IsSkippedDestination(w)) {
            s.Dest = dSkip;
            return;
        }
        if (s.Dest == dSkip)
            return;
        if (s.Dest == dFontTable) {
            if (w == "f" && hasNum) {
                CommitFont();
                FFontIndex = num;
            }
            return;
        }
        if (s.Dest == dColorTable) {
            const int v = std::clamp(num, 0, 255);
            if (w == "red")
                FRed = v, FColorDefined = true;
            else if (w == "green")
                FGreen = v, FColorDefined = true;
            else if (w == "blue")
                FBlue = v, FColorDefined = true;
            return;
        }
        if (w == "par" || w == "line") {
            Paragraph();
            FEndedWithPar = w == "par";
        } else if (w == "tab")
            Char('\t', false);
        else if (w == "u" && hasNum) {
            // A 16-bit unit, written signed or not; anything else is no character.
            if (num >= -32768 && num <= 65535)
                Char(char32_t(num < 0 ? num + 65536 : num), false);
            FSkipFallback = s.Uc;
        } else if (w == "uc" && hasNum)
            s.Uc = std::clamp(num, 0, 10);
        else if (w == "deff" && hasNum)
            FDefaultFont = num;
        else if (w == "plain") {
            s.Font = -1;
            s.FontSize = 0;
            s.Style = 0;
            s.ColorIndex = -1;
            s.Offset = 0;
        } else if (w == "f" && hasNum)
            s.Font = num;
        else if (w == "fs" && hasNum)
            s.FontSize = num > 0 ? std::min(num, 3276) : 0;
        else if (w == "b")
            s.Style = on ? s.Style | fsBold : s.Style & ~fsBold;
        else if (w == "i")
            s.Style = on ? s.Style | fsItalic : s.Style & ~fsItalic;
        else if (w == "ul" || w == "uld" || w == "uldb" || w == "ulw" || w == "uldash" || w == "ulth"
                 || w == "ulwave")
            s.Style = on ? s.Style | fsUnderline : s.Style & ~fsUnderline;
        else if (w == "ulnone")
            s.Style &= ~fsUnderline;
        else if (w == "cf" && hasNum)
            s.ColorIndex = num;
        else if (w == "up")
            s.Offset = std::clamp(hasNum ? num : 6, -3276, 3276) * 10;
        else if (w == "dn")
            s.Offset = -std::clamp(hasNum ? num : 6, -3276, 3276) * 10;
        else if (w == "super")
            s.Offset = 60;
        else if (w == "sub")
            s.Offset = -60;
        else if (w == "nosupersub")
            s.Offset = 0;
        else if (w == "emdash")
            Char(0x2014, false);
        else if (w == "endash")
            Char(0x2013, false);
        else if (w == "bullet")
            Char(0x2022, false);
        else if (w == "lquote")
            Char(0x2018, false);
        else if (w == "rquote")
            Char(0x2019, false);
        else if (w == "ldblquote")
            Char(0x201C, false);
        else if (w == "rdblquote")
            Char(0x201D, false);
        // every other word changes nothing we keep
    }

    void CommitFont()
    {
        if (FFontIndex >= 0) {
            AnsiString name = FFontName;
            while (!name.empty() && name.back() == ' ')
                name.pop_back();
            while (!name.empty() && name.front() == ' ')
                name.erase(0, 1);
            FFonts[FFontIndex] = name;
        }
        FFontIndex = -1;
        FFontName.clear();
    }

    // A character of text; Fallback: it may be the stand-in of a preceding \uN.
    void Char(char32_t c, bool Fallback)
    {
        FEndedWithPar = false;
        if (Fallback && FSkipFallback > 0) {
            --FSkipFallback;
            return;
        }
        FSkipFallback = 0;
        if (c < 0x20 && c != '\t')
            return; // line breaks are paragraphs, other control characters no text
        TReadState& s = St();
        switch (s.Dest) {
        case dSkip: return;
        case dFontTable:
            if (c == ';')
                CommitFont();
            else if (FFontName.size() < 256)
                AppendUtf8(FFontName, c);
            return;
        case dColorTable:
            if (c == ';') {
                FColors.push_back(FColorDefined ? RGB(FRed, FGreen, FBlue) : clNone);
                FColorDefined = false;
                FRed = FGreen = FBlue = 0;
            }
            return;
        case dText: break;
        }
        // UTF-16 pairs written as two \uN.
        if (c >= 0xD800 && c <= 0xDBFF) {
            FlushPendingHigh();
            FPendingHigh = c;
            return;
        }
        if (c >= 0xDC00 && c <= 0xDFFF && FPendingHigh) {
            c = 0x10000 + ((FPendingHigh - 0xD800) << 10) + (c - 0xDC00);
            FPendingHigh = 0;
        } else
            FlushPendingHigh();
        Append(c);
    }

    void FlushPendingHigh()
    {
        if (FPendingHigh) {
            FPendingHigh = 0;
            Append(0xFFFD);
        }
    }

    void Append(char32_t c)
    {
        const TReadState& s = St();
        TRichTextRun fmt;
        const int font = s.Font >= 0 ? s.Font : FDefaultFont;
        const auto f = FFonts.find(font);
        fmt.FontName = f != FFonts.end() ? f->second : AnsiString();
        fmt.FontSize = s.FontSize;
        fmt.Style = s.Style;
        fmt.Color = s.ColorIndex >= 0 && s.ColorIndex < int(FColors.size()) ? FColors[size_t(s.ColorIndex)] : clNone;
        fmt.Offset = s.Offset;
        auto& runs = FContent.back().Runs;
        if (runs.empty() || !runs.back().SameFormat(fmt))
            runs.push_back(fmt);
        AppendUtf8(runs.back().Text, c);
    }

    void Paragraph()
    {
        FSkipFallback = 0;
        FlushPendingHigh();
        if (St().Dest == dText)
            FContent.emplace_back();
    }

    const AnsiString& FSrc;
    size_t FPos = 0;
    std::vector<TReadState> FStack;
    int FOverflow = 0;
    TRichTextContent FContent;
    std::map<int, AnsiString> FFonts;
    int FDefaultFont = 0;
    int FFontIndex = -1;
    AnsiString FFontName;
    std::vector<TColor> FColors;
    bool FColorDefined = false;
    int FRed = 0, FGreen = 0, FBlue = 0;
    int FSkipFallback = 0;
    char32_t FPendingHigh = 0;
    bool FEndedWithPar = false;
};

// ---------------------------------------------------------------- writer

void AppendEscaped(AnsiString& out, const AnsiString& text)
{
    static const char* const kHex = "0123456789abcdef";
    for (char32_t c : CodePoints(text)) {
        if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
            c = 0xFFFD; // no character
        if (c == '\\' || c == '{' || c == '}') {
            out += '\\';
            out += char(c);
        } else if (c == '\t')
            out += "\\tab ";
        else if (c == '\n')
            out += "\\par ";
        else if (c < 0x20)
            ; // other control characters are no text
        else if (c < 0x7F)
            out += char(c);
        else if (const int b = ToCp1252(c); b >= 0) {
            out += "\\'";
            out += kHex[b >> 4];
            out += kHex[b & 15];
        } else {
            // UTF-16 units as signed 16-bit numbers, each with "?" for readers without Unicode.
            auto unit = [&out](unsigned u) { out += "\\u" + std::to_string(int(short(u))) + "?"; };
            if (c > 0xFFFF) {
                const unsigned v = unsigned(c) - 0x10000;
                unit(0xD800 + (v >> 10));
                unit(0xDC00 + (v & 0x3FF));
            } else
                unit(unsigned(c));
        }
    }
}

} // namespace

bool IsRtfText(const AnsiString& S) { return S.size() >= 2 && S[0] == '{' && S[1] == '\\'; }

TRichTextContent RtfToContent(const AnsiString& Rtf)
{
    if (!IsRtfText(Rtf))
        return PlainTextToContent(Rtf);
    return TRtfReader(Rtf).Read();
}

AnsiString ContentToRtf(const TRichTextContent& Content, const AnsiString& DefaultFont, int DefaultSize)
{
    if (DefaultSize <= 0)
        DefaultSize = RtfDefaultFontSize;
    std::vector<AnsiString> fonts{DefaultFont};
    std::vector<TColor> colors;
    for (const auto& p : Content)
        for (const auto& r : p.Runs) {
            if (!r.FontName.empty() && std::find(fonts.begin(), fonts.end(), r.FontName) == fonts.end())
                fonts.push_back(r.FontName);
            const TColor c = r.Color == clNone ? clNone : ColorToRGB(r.Color);
            if (c != clNone && std::find(colors.begin(), colors.end(), c) == colors.end())
                colors.push_back(c);
        }
    AnsiString out = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
    for (size_t i = 0; i < fonts.size(); ++i) {
        AnsiString name = fonts[i];
        name.erase(std::remove(name.begin(), name.end(), ';'), name.end());
        out += "{\\f" + std::to_string(i) + "\\fnil ";
        AppendEscaped(out, name);
        out += ";}";
    }
    out += "}\r\n";
    if (!colors.empty()) {
        out += "{\\colortbl ;";
        for (TColor c : colors)
            out += "\\red" + std::to_string(GetRValue(c)) + "\\green" + std::to_string(GetGValue(c)) + "\\blue"
                   + std::to_string(GetBValue(c)) + ";";
        out += "}\r\n";
    }
    out += "\\uc1\\pard\\f0\\fs" + std::to_string(DefaultSize);
    bool pendingWord = true; // a control word was written last: text needs a delimiter
    int font = 0, size = DefaultSize, color = 0, offset = 0;
    TFontStyles style = 0;
    auto word = [&](const AnsiString& w) {
        out += w;
        pendingWord = true;
    };
    for (const auto& p : Content) {
        for (const auto& r : p.Runs) {
            if (r.Text.empty())
                continue;
            const int f = r.FontName.empty()
                              ? 0
                              : int(std::find(fonts.begin(), fonts.end(), r.FontName) - fonts.begin());
            if (f != font)
                word("\\f" + std::to_string(font = f));
            const int sz = r.FontSize > 0 ? r.FontSize : DefaultSize;
            if (sz != size)
                word("\\fs" + std::to_string(size = sz));
            const TFontStyles st = r.Style & (fsBold | fsItalic | fsUnderline);
            if ((st ^ style) & fsBold)
                word(st & fsBold ? "\\b" : "\\b0");
            if ((st ^ style) & fsItalic)
                word(st & fsItalic ? "\\i" : "\\i0");
            if ((st ^ style) & fsUnderline)
                word(st & fsUnderline ? "\\ul" : "\\ulnone");
            style = st;
            const TColor rc = r.Color == clNone ? clNone : ColorToRGB(r.Color);
            const int ci = rc == clNone ? 0 : int(std::find(colors.begin(), colors.end(), rc) - colors.begin()) + 1;
            if (ci != color)
                word("\\cf" + std::to_string(color = ci));
            // \up and \dn count half points; the model keeps twips.
            const int off = r.Offset / 10;
            if (off != offset) {
                offset = off;
                word(off > 0 ? "\\up" + std::to_string(off) : off < 0 ? "\\dn" + std::to_string(-off) : "\\up0");
            }
            if (pendingWord)
                out += ' ';
            pendingWord = false;
            AppendEscaped(out, r.Text);
        }
        out += "\\par\r\n";
        pendingWord = false;
    }
    out += "}";
    return out;
}

AnsiString ContentPlainText(const TRichTextContent& Content)
{
    AnsiString out;
    for (size_t i = 0; i < Content.size(); ++i) {
        if (i)
            out += "\r\n";
        for (const auto& r : Content[i].Runs)
            out += r.Text;
    }
    return out;
}

TRichTextContent PlainTextToContent(const AnsiString& Text)
{
    TRichTextContent c;
    c.emplace_back();
    for (size_t i = 0; i < Text.size(); ++i) {
        const char ch = Text[i];
        if (ch == '\r' || ch == '\n') {
            if (ch == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n')
                ++i;
            c.emplace_back();
            continue;
        }
        auto& runs = c.back().Runs;
        if (runs.empty())
            runs.emplace_back();
        runs.back().Text += ch;
    }
    return c;
}
