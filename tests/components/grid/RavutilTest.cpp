// Text, number, date and matching functions of the grid library.
#include <gtest/gtest.h>

#include "components/grid/Ravutil.h"
#include "platform/core/DateTime.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FormatSettings.h"
#include "platform/core/Strings.h"

namespace {

struct SettingsGuard {
    TFormatSettings saved = FormatSettings;
    ~SettingsGuard() { FormatSettings = saved; }
};

} // namespace

TEST(RavutilScan, SinglePosSkipsDoubledRunsAndIgnoresARunAtTheEnd)
{
    int pos = -1;
    EXPECT_EQ(SinglePos('"', "a\"\"b\"c", pos), 5);
    EXPECT_EQ(pos, 5);
    EXPECT_EQ(SinglePos('"', "ab\"", pos), 0);
    EXPECT_EQ(pos, 0);
    EXPECT_EQ(NumSingleChar('"', "\"a\",\"b\",x"), 4);
}

TEST(RavutilScan, NameToCellAndLimits)
{
    TPoint p;
    ASSERT_TRUE(NameToCell("r12c3", p));
    EXPECT_EQ(p, TPoint(3, 12));
    EXPECT_FALSE(NameToCell("R1C", p));
    EXPECT_FALSE(NameToCell("RC", p));
    EXPECT_FALSE(NameToCell("R1Cx", p));
    EXPECT_EQ(CheckLimits(50, 0, 0), 50);
    EXPECT_EQ(CheckLimits(50, 0, 10), 10);
    EXPECT_EQ(CheckLimits(-5, 0, 10), 0);
    EXPECT_EQ(RectString(TRect(1, 2, 3, 4)), "[1:2][3:4]");
}

TEST(RavutilScan, TokensAndLines)
{
    AnsiString s = "a;b;c";
    EXPECT_EQ(GetToken(s, ";"), "a");
    EXPECT_EQ(s, "b;c");
    AnsiString none = "abc";
    EXPECT_EQ(GetToken(none, ";"), "");
    EXPECT_EQ(none, "abc");
    AnsiString m = "one\r\ntwo\rthree";
    EXPECT_EQ(GetNextLine(m, true), "one");
    EXPECT_EQ(m, "two\rthree");
    AnsiString single = "one\r\ntwo";
    EXPECT_EQ(GetNextLine(single, false), "one");
    EXPECT_EQ(single, "");
    EXPECT_EQ(LinesInText("a\rb\rc", true), 3);
    EXPECT_EQ(LinesInText("a\rb\rc", false), 1);
    TStringList list;
    EXPECT_EQ(StringListToText(&list), "");
    list.Add("ab");
    list.Add("");
    list.Add("c d");
    EXPECT_EQ(StringListToText(&list), "abc d");
}

TEST(RavutilEscape, LineBreakConversions)
{
    AnsiString csv = "a\r\nb";
    LineFeedsToCSV(csv);
    EXPECT_EQ(csv, "\"a\nb\"");
    AnsiString back = "a\nb";
    CSVToLineFeeds(back);
    EXPECT_EQ(back, "a\r\nb");
    EXPECT_EQ(CLFToLF(LFToCLF("x\r\ny")), "x\ry");
    EXPECT_EQ(CLFToLF("Freq\\n(kHz)"), "Freq\r(kHz)");
    EXPECT_EQ(DoubleToSingleChar('"', "a\"\"b\"\"\"c"), "a\"b\"c");
    EXPECT_EQ(HTMLLineBreaks("a\r\nb"), "a<br>\nb");
    EXPECT_EQ(FileToLf(LfToFile("a\r\nb"), true), "a\r\nb");
    EXPECT_EQ(FileToLf(LfToFile("a\r\nb"), false), "a");
    AnsiString j = "a\r\nb";
    LineFeedsToJava(j);
    EXPECT_EQ(j, "a~b");
    JavaToLineFeeds(j);
    EXPECT_EQ(j, "a\r\nb");
}

TEST(RavutilClassify, TextTypeAndColours)
{
    EXPECT_EQ(TextType("=A1+B1", true), ttFormula);
    EXPECT_EQ(TextType("{\\rtf1 x}", false), ttRTF);
    EXPECT_EQ(TextType("<B>x</B>", false), ttPlain);
    EXPECT_EQ(TextType("<B>x</B>", true), ttHTML);
    EXPECT_EQ(HTMLColor(255), "FF0000");
    EXPECT_EQ(HTMLColor(16711680), "0000FF");
    EXPECT_EQ(HTMLColor(clWindow), "FFFFFF"); // a system colour as the RGB it stands for
    EXPECT_EQ(DarkenColor(clWhite), RGB(127, 127, 127));
    const TColor face = ColorToRGB(clBtnFace);
    EXPECT_EQ(DarkenColor(clBtnFace), RGB(GetRValue(face) / 2, GetGValue(face) / 2, GetBValue(face) / 2));
}

struct IsTypeCase {
    const char* text;
    int type;
};

TEST(RavutilClassify, IsTypeWithCommaThousandsAndPointDecimals)
{
    SettingsGuard g;
    FormatSettings.ThousandSeparator = ',';
    FormatSettings.DecimalSeparator = '.';
    const IsTypeCase cases[] = {{"1,000.5", atFloat}, {"12", atNumeric}, {"1.2.3", atString}, {"--1", atString},
                                {"-", atNumeric},     {"12a", atString}, {"", atString},       {",5", atString},
                                {"-3.25", atFloat}};
    for (const auto& c : cases)
        EXPECT_EQ(IsType(c.text), c.type) << c.text;
}

TEST(RavutilClassify, RemoveSepsAndShiftCase)
{
    SettingsGuard g;
    FormatSettings.ThousandSeparator = ',';
    FormatSettings.DecimalSeparator = '.';
    EXPECT_EQ(RemoveSeps("(1,234.50)"), "-1234.50");
    EXPECT_EQ(RemoveSeps("$ 12"), "12");
    EXPECT_EQ(RemoveSeps("  -7.5 V"), "-7.5");
    EXPECT_EQ(ShiftCase("o'neil-smith"), "O'Neil-Smith");
    EXPECT_EQ(ShiftCase("john mcdonald"), "John McDonald");
    EXPECT_EQ(ShiftCase("henry iii"), "Henry III");
}

TEST(RavutilDates, ShortDatesWithTwoAndFourDigitYears)
{
    EXPECT_EQ(StrToShortdateUS("12/31/99"), EncodeDate(1999, 12, 31));
    EXPECT_EQ(StrToShortDateEU("31.12.05"), EncodeDate(2005, 12, 31));
    EXPECT_EQ(StrToShortdateUS("2002"), 0);
    // A year written with four digits is read as written, not shifted by a century.
    EXPECT_EQ(StrToShortdateUS("3/15/2002"), EncodeDate(2002, 3, 15));
    EXPECT_EQ(StrToShortDateEU("15-03-1998"), EncodeDate(1998, 3, 15));
    EXPECT_THROW(StrToShortdateUS("2/30/02"), EConvertError);
    // An impossible date is an error for the caller, never a silent "no date".
    EXPECT_THROW(StrToShortdateUS("13/45/99"), EConvertError);
    EXPECT_THROW(StrToShortDateEU("13/45/99"), EConvertError);
}

TEST(RavutilDates, NextDate)
{
    const TDateTime d = EncodeDate(2002, 1, 31);
    EXPECT_EQ(GetNextDate(d, 0, 0, 5, 0), d + 5);
    EXPECT_EQ(GetNextDate(d, 2, 0, 0, 0), EncodeDate(2004, 1, 31));
    EXPECT_EQ(GetNextDate(EncodeDate(2002, 1, 15), 0, 65535, 0, 0), EncodeDate(2001, 12, 15));
    EXPECT_EQ(GetNextDate(EncodeDate(2002, 12, 15), 0, 1, 0, 0), EncodeDate(2003, 1, 15));
    EXPECT_EQ(GetNextDate(d, 1, 1, 0, 7.5), d + 7.5);
}

struct MatchCase {
    const char* condition;
    const char* value;
    bool result;
};

TEST(RavutilMatch, ConditionsAndWildcards)
{
    SettingsGuard g;
    FormatSettings.ShortDateFormat = "d.M.yyyy";
    FormatSettings.DateSeparator = '.';
    const MatchCase cases[] = {
        {">5 & <10", "7", true},   {">5 & <10", "10", false}, {">=10", "10", true},     {"a*;b*", "beta", true},
        {"a*&*z", "abz", true},    {"a*&*z", "abc", false},   {"x|y&z", "x", false},    {">5", "10", true},
        {">10", "9", false},       {">ab", "abc", true},      {">1.2.2002", "15.3.2002", true},
        {"*", "", true},           {"*", "anything", true},   {"?", "", false},         {"a?c", "abc", true},
        {"a?c", "ac", false},      {"!a*", "bcd", true},      {"!a*", "abc", false},    {"", "", true},
        {"", "x", false},          {"<5", "3", true},         {"<=5", "5", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchStrEx(c.condition, c.value, true), c.result) << c.condition << " on " << c.value;
    EXPECT_TRUE(MatchStr("a*", "ABC", false));
    EXPECT_FALSE(MatchStr("a*", "ABC", true));
}

// Several stars: the answers of the plain wildcard, found without trying every
// split (twenty stars against thirty characters used to take seconds).
TEST(RavutilMatch, ManyStarsMatchLikeTheWildcard)
{
    const MatchCase cases[] = {
        {"*a*b*c", "xxaxxbxxc", true},
        {"*a*b*c", "xxaxxcxxb", false},
        {"a*b?d*", "axxbcdyy", true},
        {"a*b?d*", "axxbdyy", false},
        {"**a**", "a", true},
        {"*?*?*", "a", false},
        {"*ab*ab", "abxab", true},
        {"*ab*ab", "abab", true},
        {"*ab*ab", "aba", false},
        {"*x!*", "ax", false},
        {"*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
        {"*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MatchStr(c.condition, c.value, true), c.result) << c.condition << " on " << c.value;
        EXPECT_EQ(Matches(c.condition, c.value), c.result) << c.condition << " on " << c.value;
    }
}
