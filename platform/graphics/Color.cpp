#include "platform/graphics/Color.h"

#include <array>
#include <cstdio>
#include <cstdlib>

#include "platform/core/Exceptions.h"

namespace {

// The classic desktop scheme, by system colour index.
constexpr std::array<TColor, 31> kSysColors = {
    RGB(212, 208, 200), // 0 scroll bar
    RGB(58, 110, 165),  // 1 desktop
    RGB(10, 36, 106),   // 2 active caption
    RGB(128, 128, 128), // 3 inactive caption
    RGB(212, 208, 200), // 4 menu
    RGB(255, 255, 255), // 5 window
    RGB(0, 0, 0),       // 6 window frame
    RGB(0, 0, 0),       // 7 menu text
    RGB(0, 0, 0),       // 8 window text
    RGB(255, 255, 255), // 9 caption text
    RGB(212, 208, 200), // 10 active border
    RGB(212, 208, 200), // 11 inactive border
    RGB(128, 128, 128), // 12 application workspace
    RGB(10, 36, 106),   // 13 highlight
    RGB(255, 255, 255), // 14 highlight text
    RGB(212, 208, 200), // 15 button face
    RGB(128, 128, 128), // 16 button shadow
    RGB(128, 128, 128), // 17 grey text
    RGB(0, 0, 0),       // 18 button text
    RGB(212, 208, 200), // 19 inactive caption text
    RGB(255, 255, 255), // 20 button highlight
    RGB(64, 64, 64),    // 21 3-D dark shadow
    RGB(212, 208, 200), // 22 3-D light
    RGB(0, 0, 0),       // 23 tool tip text
    RGB(255, 255, 225), // 24 tool tip background
    RGB(181, 181, 181), // 25 (unused)
    RGB(0, 0, 128),     // 26 hot light
    RGB(166, 202, 240), // 27 gradient active caption
    RGB(192, 192, 192), // 28 gradient inactive caption
    RGB(49, 106, 197),  // 29 menu highlight
    RGB(212, 208, 200), // 30 menu bar
};

struct NamedColor {
    TColor color;
    const char* name;
};

constexpr NamedColor kNames[] = {
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"}, {clOlive, "clOlive"},
    {clNavy, "clNavy"}, {clPurple, "clPurple"}, {clTeal, "clTeal"}, {clGray, "clGray"},
    {clSilver, "clSilver"}, {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"}, {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"}, {clCream, "clCream"},
    {clMedGray, "clMedGray"}, {clNone, "clNone"}, {clDefault, "clDefault"},
    {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"}, {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"}, {clMenu, "clMenu"}, {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"}, {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"}, {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"}, {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"}, {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"}, {clGrayText, "clGrayText"}, {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"}, {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"}, {cl3DLight, "cl3DLight"}, {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
};

bool SameIdent(const AnsiString& a, const char* b)
{
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return i == a.size() && b[i] == 0;
}

} // namespace

TColor GetSysColor(int Index)
{
    if (Index < 0 || Index >= static_cast<int>(kSysColors.size()))
        return clBlack;
    return kSysColors[static_cast<size_t>(Index)];
}

TColor ColorToRGB(TColor Color)
{
    if (Color == clNone || Color == clDefault)
        return clBlack;
    if (Color < 0)
        return GetSysColor(Color & 0xFF);
    return Color & 0x00FFFFFF;
}

AnsiString ColorToString(TColor Color)
{
    for (const auto& n : kNames)
        if (n.color == Color)
            return n.name;
    char buf[16];
    std::snprintf(buf, sizeof buf, "$%.8X", static_cast<unsigned>(Color));
    return buf;
}

TColor StringToColor(const AnsiString& S)
{
    for (const auto& n : kNames)
        if (SameIdent(S, n.name))
            return n.color;
    if (!S.empty()) {
        const bool hex = S[0] == '$';
        const char* start = S.c_str() + (hex ? 1 : 0);
        char* end = nullptr;
        long long v = std::strtoll(start, &end, hex ? 16 : 10);
        if (*start && end && *end == 0)
            return TColorOf(static_cast<std::uint32_t>(v));
    }
    throw EConvertError("'" + S + "' is not a valid integer value");
}
