#include "platform/core/CodePages.h"

#include <array>
#include <cstdint>

namespace {

// Characters of the bytes 0x80..0x9F in Windows-1252; its five unassigned bytes
// keep the C1 control of the same value, so every byte reads back unchanged.
constexpr std::array<char32_t, 32> kWin1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// Characters of the bytes 0x80..0xFF in code page 850.
constexpr std::array<char32_t, 128> kOem850High = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE,
    0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9, 0x00FF, 0x00D6,
    0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA,
    0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB, 0x2591, 0x2592, 0x2593, 0x2502,
    0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514,
    0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3, 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550,
    0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C,
    0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580, 0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6,
    0x00A7, 0x00F7, 0x00B8, 0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0};

char32_t ByteToChar(unsigned char b, TCodePage CP)
{
    if (b < 0x80)
        return b;
    switch (CP) {
    case TCodePage::Windows1252:
        return b < 0xA0 ? kWin1252High[b - 0x80] : char32_t(b);
    case TCodePage::Oem850:
        return kOem850High[b - 0x80];
    case TCodePage::Latin1:
        break;
    }
    return b;
}

// The byte of a character in the code page; -1 when it has none.
int CharToByte(char32_t c, TCodePage CP)
{
    if (c < 0x80)
        return int(c);
    switch (CP) {
    case TCodePage::Windows1252:
        if (c >= 0xA0 && c <= 0xFF)
            return int(c);
        for (int i = 0; i < 32; ++i)
            if (kWin1252High[i] == c)
                return 0x80 + i;
        return -1;
    case TCodePage::Oem850:
        for (int i = 0; i < 128; ++i)
            if (kOem850High[i] == c)
                return 0x80 + i;
        return -1;
    case TCodePage::Latin1:
        return c <= 0xFF ? int(c) : -1;
    }
    return -1;
}

void AppendUtf8(AnsiString& out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 sequence at i; returns its length, 0 when it is not valid.
size_t DecodeUtf8(const AnsiString& s, size_t i, char32_t& c)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    size_t n = 0;
    char32_t min = 0;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        n = 2;
        c = b0 & 0x1F;
        min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        n = 3;
        c = b0 & 0x0F;
        min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        n = 4;
        c = b0 & 0x07;
        min = 0x10000;
    } else {
        return 0;
    }
    if (i + n > s.size())
        return 0;
    for (size_t k = 1; k < n; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (b & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return 0;
    return n;
}

bool IsAscii(const AnsiString& s)
{
    for (const char ch : s)
        if (static_cast<unsigned char>(ch) >= 0x80)
            return false;
    return true;
}

} // namespace

AnsiString Utf8ToCodePage(const AnsiString& S, TCodePage CP, TUnmappable How)
{
    if (IsAscii(S))
        return S;
    AnsiString out;
    out.reserve(S.size());
    for (size_t i = 0; i < S.size();) {
        const auto b = static_cast<unsigned char>(S[i]);
        if (b < 0x80) {
            out += char(b);
            ++i;
            continue;
        }
        char32_t c = 0;
        const size_t n = DecodeUtf8(S, i, c);
        if (n == 0) {
            out += char(b);
            ++i;
            continue;
        }
        i += n;
        const int mapped = CharToByte(c, CP);
        if (mapped >= 0)
            out += char(mapped);
        else if (How == TUnmappable::CharRef)
            out += "&#" + std::to_string(std::uint32_t(c)) + ";";
        else
            out += '?';
    }
    return out;
}

AnsiString CodePageToUtf8(const AnsiString& S, TCodePage CP)
{
    if (IsAscii(S))
        return S;
    AnsiString out;
    out.reserve(S.size() + S.size() / 4);
    for (const char ch : S)
        AppendUtf8(out, ByteToChar(static_cast<unsigned char>(ch), CP));
    return out;
}

namespace {

bool DecodeUtf16(const AnsiString& Bytes, bool BigEndian, AnsiString& Text)
{
    if (Bytes.size() % 2 != 0)
        return false;
    auto unit = [&](size_t at) -> char32_t {
        const auto a = static_cast<unsigned char>(Bytes[at]), b = static_cast<unsigned char>(Bytes[at + 1]);
        return BigEndian ? char32_t(a << 8 | b) : char32_t(b << 8 | a);
    };
    Text.clear();
    for (size_t i = 2; i < Bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c < 0xDC00 && i + 3 < Bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low < 0xDC00 || low >= 0xE000)
                return false;
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c < 0xE000) {
            return false;
        }
        AppendUtf8(Text, c);
    }
    return true;
}

} // namespace

bool DecodeMarkedText(const AnsiString& Bytes, AnsiString& Text, TTextMark& Mark)
{
    bool ok = true;
    if (Bytes.starts_with("\xEF\xBB\xBF")) {
        Mark = TTextMark::Utf8;
        Text = Bytes.substr(3);
    } else if (Bytes.starts_with("\xFF\xFE")) {
        Mark = TTextMark::Utf16LE;
        ok = DecodeUtf16(Bytes, false, Text);
    } else if (Bytes.starts_with("\xFE\xFF")) {
        Mark = TTextMark::Utf16BE;
        ok = DecodeUtf16(Bytes, true, Text);
    } else {
        Mark = TTextMark::None;
        Text = Bytes;
    }
    return ok && Text.find('\0') == AnsiString::npos;
}

AnsiString EncodeMarkedText(const AnsiString& Text, TTextMark Mark)
{
    if (Mark == TTextMark::None)
        return Text;
    if (Mark == TTextMark::Utf8)
        return "\xEF\xBB\xBF" + Text;
    const bool big = Mark == TTextMark::Utf16BE;
    AnsiString out;
    out.reserve(2 * Text.size() + 2);
    auto put = [&](char32_t u) {
        const char hi = char(u >> 8), lo = char(u & 0xFF);
        out += big ? hi : lo;
        out += big ? lo : hi;
    };
    put(0xFEFF);
    for (size_t i = 0; i < Text.size();) {
        char32_t c = 0;
        const size_t n = DecodeUtf8(Text, i, c);
        if (n == 0)
            c = ByteToChar(static_cast<unsigned char>(Text[i]), TCodePage::Windows1252);
        i += n ? n : 1;
        if (c >= 0x10000) {
            put(0xD800 + ((c - 0x10000) >> 10));
            put(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            put(c);
        }
    }
    return out;
}
