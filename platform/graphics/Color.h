#pragma once
// Colours as the class library keeps them: 0x00BBGGRR (red in the low byte), or a
// system colour: the top bit set and the system colour index in the low byte.
// System colours resolve through one fixed table of the classic desktop values,
// never through the Qt style, so drawings and see-through colours are the same
// on every machine.
#include <cstdint>

#include "platform/core/Types.h"

using TColor = std::int32_t;

constexpr TColor TColorOf(std::uint32_t v) { return static_cast<TColor>(v); }

constexpr TColor RGB(int r, int g, int b)
{
    return TColorOf((static_cast<std::uint32_t>(r) & 0xFF) | ((static_cast<std::uint32_t>(g) & 0xFF) << 8)
                    | ((static_cast<std::uint32_t>(b) & 0xFF) << 16));
}
constexpr Byte GetRValue(TColor c) { return static_cast<Byte>(c & 0xFF); }
constexpr Byte GetGValue(TColor c) { return static_cast<Byte>((c >> 8) & 0xFF); }
constexpr Byte GetBValue(TColor c) { return static_cast<Byte>((c >> 16) & 0xFF); }

// System colour indexes (the Win32 COLOR_ numbers).
enum TSysColorIndex : int {
    COLOR_SCROLLBAR = 0,
    COLOR_BACKGROUND = 1,
    COLOR_ACTIVECAPTION = 2,
    COLOR_INACTIVECAPTION = 3,
    COLOR_MENU = 4,
    COLOR_WINDOW = 5,
    COLOR_WINDOWFRAME = 6,
    COLOR_MENUTEXT = 7,
    COLOR_WINDOWTEXT = 8,
    COLOR_CAPTIONTEXT = 9,
    COLOR_ACTIVEBORDER = 10,
    COLOR_INACTIVEBORDER = 11,
    COLOR_APPWORKSPACE = 12,
    COLOR_HIGHLIGHT = 13,
    COLOR_HIGHLIGHTTEXT = 14,
    COLOR_BTNFACE = 15,
    COLOR_BTNSHADOW = 16,
    COLOR_GRAYTEXT = 17,
    COLOR_BTNTEXT = 18,
    COLOR_INACTIVECAPTIONTEXT = 19,
    COLOR_BTNHIGHLIGHT = 20,
    COLOR_3DDKSHADOW = 21,
    COLOR_3DLIGHT = 22,
    COLOR_INFOTEXT = 23,
    COLOR_INFOBK = 24,
    COLOR_HOTLIGHT = 26,
    COLOR_GRADIENTACTIVECAPTION = 27,
    COLOR_GRADIENTINACTIVECAPTION = 28,
};

constexpr TColor SysColor(int index) { return TColorOf(0x80000000u | static_cast<std::uint32_t>(index)); }

// Plain colours.
constexpr TColor clBlack = TColorOf(0x000000);
constexpr TColor clMaroon = TColorOf(0x000080);
constexpr TColor clGreen = TColorOf(0x008000);
constexpr TColor clOlive = TColorOf(0x008080);
constexpr TColor clNavy = TColorOf(0x800000);
constexpr TColor clPurple = TColorOf(0x800080);
constexpr TColor clTeal = TColorOf(0x808000);
constexpr TColor clGray = TColorOf(0x808080);
constexpr TColor clSilver = TColorOf(0xC0C0C0);
constexpr TColor clRed = TColorOf(0x0000FF);
constexpr TColor clLime = TColorOf(0x00FF00);
constexpr TColor clYellow = TColorOf(0x00FFFF);
constexpr TColor clBlue = TColorOf(0xFF0000);
constexpr TColor clFuchsia = TColorOf(0xFF00FF);
constexpr TColor clAqua = TColorOf(0xFFFF00);
constexpr TColor clWhite = TColorOf(0xFFFFFF);
constexpr TColor clLtGray = TColorOf(0xC0C0C0);
constexpr TColor clDkGray = TColorOf(0x808080);
constexpr TColor clMoneyGreen = TColorOf(0xC0DCC0);
constexpr TColor clSkyBlue = TColorOf(0xF0CAA6);
constexpr TColor clCream = TColorOf(0xF0FBFF);
constexpr TColor clMedGray = TColorOf(0xA4A0A0);

// "No colour" and "the default colour" markers; never painted as such.
constexpr TColor clNone = TColorOf(0x1FFFFFFF);
constexpr TColor clDefault = TColorOf(0x20000000);

// System colours.
constexpr TColor clScrollBar = SysColor(COLOR_SCROLLBAR);
constexpr TColor clBackground = SysColor(COLOR_BACKGROUND);
constexpr TColor clActiveCaption = SysColor(COLOR_ACTIVECAPTION);
constexpr TColor clInactiveCaption = SysColor(COLOR_INACTIVECAPTION);
constexpr TColor clMenu = SysColor(COLOR_MENU);
constexpr TColor clWindow = SysColor(COLOR_WINDOW);
constexpr TColor clWindowFrame = SysColor(COLOR_WINDOWFRAME);
constexpr TColor clMenuText = SysColor(COLOR_MENUTEXT);
constexpr TColor clWindowText = SysColor(COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = SysColor(COLOR_CAPTIONTEXT);
constexpr TColor clActiveBorder = SysColor(COLOR_ACTIVEBORDER);
constexpr TColor clInactiveBorder = SysColor(COLOR_INACTIVEBORDER);
constexpr TColor clAppWorkSpace = SysColor(COLOR_APPWORKSPACE);
constexpr TColor clHighlight = SysColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SysColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = SysColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SysColor(COLOR_BTNSHADOW);
constexpr TColor clGrayText = SysColor(COLOR_GRAYTEXT);
constexpr TColor clBtnText = SysColor(COLOR_BTNTEXT);
constexpr TColor clInactiveCaptionText = SysColor(COLOR_INACTIVECAPTIONTEXT);
constexpr TColor clBtnHighlight = SysColor(COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = SysColor(COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = SysColor(COLOR_3DLIGHT);
constexpr TColor clInfoText = SysColor(COLOR_INFOTEXT);
constexpr TColor clInfoBk = SysColor(COLOR_INFOBK);
constexpr TColor clHotLight = SysColor(COLOR_HOTLIGHT);
constexpr TColor clGradientActiveCaption = SysColor(COLOR_GRADIENTACTIVECAPTION);
constexpr TColor clGradientInactiveCaption = SysColor(COLOR_GRADIENTINACTIVECAPTION);

// The classic value of a system colour index (0..30); black for an unknown index.
TColor GetSysColor(int Index);

// A system colour becomes its table value; clNone and clDefault become black;
// a plain colour is returned as it is (the top byte cleared).
TColor ColorToRGB(TColor Color);

// "clRed" for the named colours, else "$00BBGGRR"; the reverse accepts both forms
// and plain decimal, raising EConvertError otherwise.
AnsiString ColorToString(TColor Color);
TColor StringToColor(const AnsiString& S);
