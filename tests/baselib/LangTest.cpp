#include <cstdlib>

#include <gtest/gtest.h>

#include "baselib/sl_lang.h"

namespace {

TAppLang MakeForLocale(const char* Locale)
{
    setenv("LC_ALL", Locale, 1);
    TAppLang lang;  // the language id is read once, at construction
    unsetenv("LC_ALL");
    return lang;
}

std::string Bytes(std::initializer_list<unsigned> b)
{
    std::string s;
    for (unsigned c : b)
        s += static_cast<char>(c);
    return s;
}

} // namespace

TEST(Lang, DetectionFromTheSystemLanguage)
{
    struct Case { const char* Locale; TAppLang::TLangType Type; int Charset; int Size; };
    const Case cases[] = {
        {"zh_CN.GBK", TAppLang::ltGbk, 134, 9},  {"zh_TW.Big5", TAppLang::ltBig5, 136, 9},
        {"zh_SG", TAppLang::ltGbk, 134, 9},      {"zh_HK", TAppLang::ltBig5, 136, 9},
        {"en_US.UTF-8", TAppLang::ltAnsi, 0, 8},
    };
    for (const Case& c : cases) {
        TAppLang l = MakeForLocale(c.Locale);
        EXPECT_EQ(l.LangType(), c.Type) << c.Locale;
        EXPECT_EQ(l.Charset(), c.Charset) << c.Locale;
        EXPECT_EQ(l.FontSize(), c.Size) << c.Locale;
        EXPECT_EQ(l.DetectType(), TAppLang::dtAuto);
        EXPECT_TRUE(l.CvtBig5());
    }
    TAppLang en = MakeForLocale("en_US");
    EXPECT_EQ(en.FontName(), "MS Sans Serif");
    EXPECT_EQ(en.fGetPdxLangDrv(), "ascii");
    TAppLang cn = MakeForLocale("zh_CN");
    EXPECT_EQ(cn.FontName(), Bytes({0xCB, 0xCE, 0xCC, 0xE5}));
    EXPECT_EQ(cn.fGetPdxLangDrv(), "china");
    TAppLang tw = MakeForLocale("zh_TW");
    EXPECT_EQ(tw.FontName(), Bytes({0xB2, 0xD3, 0xA9, 0xFA, 0xC5, 0xE9}));
    EXPECT_EQ(tw.fGetPdxLangDrv(), "taiwan");
}

TEST(Lang, SettersFollowTheTypeRules)
{
    TAppLang l = MakeForLocale("en_US");
    l.SetCharset(128);
    EXPECT_EQ(l.LangType(), TAppLang::ltAnsi);
    EXPECT_EQ(l.Charset(), 128);
    EXPECT_EQ(l.DetectType(), TAppLang::dtManual);
    l.SetFontName("Mine");
    l.SetFontSize(20);
    l.SetCharset(136);
    EXPECT_EQ(l.LangType(), TAppLang::ltBig5);
    EXPECT_EQ(l.FontName(), "Mine");  // the font is not touched by the charset
    EXPECT_EQ(l.FontSize(), 20);
    l.SetLangType(TAppLang::ltGbk);
    EXPECT_EQ(l.Charset(), 134);
    EXPECT_EQ(l.FontSize(), 9);
    EXPECT_EQ(l._fGetMinFontSize(), 9);
    l.SetFontName("Mine");
    l.SetDetectType(TAppLang::dtManual);  // keeps the type, resets the font
    EXPECT_EQ(l.LangType(), TAppLang::ltGbk);
    EXPECT_EQ(l.FontName(), TAppLang::Str_SongTi);
    l.SetLangType(static_cast<TAppLang::TLangType>(7));  // anything else is ANSI
    EXPECT_EQ(l.Charset(), 0);
    EXPECT_EQ(l.FontName(), "MS Sans Serif");
    EXPECT_EQ(l._fGetMinFontSize(), 8);
}

TEST(Lang, FromGbkConvertsOnlyForBig5)
{
    const std::string gbkXiMing = Bytes({0xBC, 0x9A, 0xC3, 0xF7, 0xF3, 0x77});  // 細明體 in GBK
    const std::string big5XiMing = Bytes({0xB2, 0xD3, 0xA9, 0xFA, 0xC5, 0xE9});
    TAppLang l = MakeForLocale("en_US");
    EXPECT_EQ(l.FromGBK(gbkXiMing), gbkXiMing);
    l.SetLangType(TAppLang::ltGbk);
    EXPECT_EQ(l.FromGBK(gbkXiMing), gbkXiMing);
    l.SetLangType(TAppLang::ltBig5);
    l.SetCvtBig5(false);
    EXPECT_EQ(l.FromGBK(gbkXiMing), gbkXiMing);
    l.SetCvtBig5(true);
    EXPECT_EQ(l.FromGBK(gbkXiMing), big5XiMing);
    EXPECT_EQ(l.FromGBK("a" + gbkXiMing + "z"), "a" + big5XiMing + "z");
    EXPECT_EQ(l.FromGBK(""), "");

    // Bytes that are no GBK pair pass unchanged and keep the length.
    struct Case { std::string In; std::string Out; };
    const Case cases[] = {
        {Bytes({'a', 0x81}), Bytes({'a', 0x81})},                 // lone lead at the end
        {Bytes({0xB2, 0xFF, 'x'}), Bytes({0xB2, 0xFF, 'x'})},     // trail 0xFF
        {Bytes({0xB2, 0x3F}), Bytes({0xB2, 0x3F})},               // trail below 0x40
        {Bytes({0x80, 0xFF, 0x7F}), Bytes({0x80, 0xFF, 0x7F})},
        // a lead followed by a non-trail: the next byte is looked at on its own
        {Bytes({0xC3, 0x20, 0xC3, 0xF7}), Bytes({0xC3, 0x20, 0xA9, 0xFA})},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(l.FromGBK(c.In), c.Out);
        EXPECT_EQ(l.FromGBK(c.In).size(), c.In.size());
    }
}

TEST(Lang, TableIndexAndGeneratedTable)
{
    EXPECT_EQ(TAppLang::_fGBK_No(0x81, 0x40), 0);
    EXPECT_EQ(TAppLang::_fGBK_No(0xFE, 0xFE), 24065);
    EXPECT_EQ(TAppLang::_fGBK_No(0x82, 0x40), 191);
    EXPECT_EQ(TAppLang::_fGBK_No(0x10, 0x10), 0);
    // GBK 0xC3F7 (明) is BIG5 0xA9FA: low byte 0xA9 with its top bit inverted.
    EXPECT_EQ(GB2BIG5_TAB[TAppLang::_fGBK_No(0xC3, 0xF7)], 0xFA29);
}

TEST(Lang, MessagesInTheChosenLanguage)
{
    TAppLang::TLangType was = AppLang.LangType();
    AppLang.SetLangType(TAppLang::ltAnsi);
    EXPECT_EQ(LangText("Unknown error", "未知错误", "未知錯誤"), "Unknown error");
    AppLang.SetLangType(TAppLang::ltGbk);
    EXPECT_EQ(LangText("Unknown error", "未知错误", "未知錯誤"), Bytes({0xCE, 0xB4, 0xD6, 0xAA, 0xB4, 0xED, 0xCE, 0xF3}));
    AppLang.SetLangType(TAppLang::ltBig5);
    EXPECT_EQ(LangText("x", "y", "明"), Bytes({0xA9, 0xFA}));
    AppLang.SetLangType(was);
}
