#include <gtest/gtest.h>

#include "platform/core/FormatSettings.h"
#include "components/controls/VodurizLabel.h"
#include "components/controls/VodurizModel.h"

namespace {
void SetSeparators(char Decimal, char Thousand)
{
    FormatSettings.DecimalSeparator = Decimal;
    FormatSettings.ThousandSeparator = Thousand;
}

struct Model : ::testing::Test {
    TVodUrizModel m;
    int changes = 0;
    void SetUp() override
    {
        SetSeparators('.', ',');
        m.OnChange = [this] { ++changes; };
    }
    void TearDown() override { SetSeparators('.', ','); }
};

struct FormatCase {
    TVodUrizType type;
    int precision;
    const char* prefix;
    const char* suffix;
    const char* written;
    const char* window; // what the window shows
    const char* value;  // what GetText gives back
};

class SetTextTable : public Model, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(SetTextTable, FormatsByTypeAndPrecision)
{
    const FormatCase& c = GetParam();
    m.SetEditType(c.type);
    m.SetPrecision(c.precision);
    m.SetPrefix(c.prefix);
    m.SetSuffix(c.suffix);
    m.SetText(c.written);
    EXPECT_EQ(m.WindowText(), c.window);
    EXPECT_EQ(m.GetText(), c.value);
    EXPECT_FALSE(m.GetModified());
}

INSTANTIATE_TEST_SUITE_P(
    Table, SetTextTable,
    ::testing::Values(FormatCase{etNumeric, 0, "", "", "", "0", "0"},
                      FormatCase{etFloat, 0, "", "", "", "0", "0"},
                      FormatCase{etMoney, 0, "", "", "", "0", "0"},
                      FormatCase{etHex, 0, "", "", "", "0", "0"},
                      FormatCase{etString, 0, "", "", "", "", ""},
                      FormatCase{etString, 0, "$", " kg", "", "$ kg", ""},
                      FormatCase{etNumeric, 0, "$", " kg", "", "$0 kg", "0"},
                      FormatCase{etFloat, 3, "", "", "2.5", "2.500", "2.500"},
                      FormatCase{etFloat, 2, "", "", "2", "2.00", "2.00"},
                      FormatCase{etFloat, 2, "", "", "abc", "0.00", "0.00"},
                      FormatCase{etFloat, 3, "", " V", "-1.23456", "-1.235 V", "-1.235"},
                      FormatCase{etMoney, 2, "", "", "1234.5", "1,234.50", "1,234.50"},
                      FormatCase{etMoney, 2, "", "", "1,234,567", "1,234,567.00", "1,234,567.00"},
                      FormatCase{etString, 3, "", "", "2.5", "2.5", "2.5"},
                      FormatCase{etNumeric, 0, "", "", "12", "12", "12"},
                      FormatCase{etHex, 0, "0x", "", "ff", "0xFF", "FF"},
                      FormatCase{etFloat, 0, "", "", "1.5", "1.5", "1.5"}));

TEST_F(Model, PrecisionIsIgnoredByTypesWithoutDecimals)
{
    m.SetEditType(etNumeric);
    m.SetPrecision(3);
    EXPECT_EQ(m.Precision(), 0);
    m.SetEditType(etFloat);
    m.SetText("2.5");
    m.SetPrecision(3);
    EXPECT_EQ(m.Precision(), 3);
    EXPECT_EQ(m.GetText(), "2.500");
    m.SetPrecision(1);
    EXPECT_EQ(m.GetText(), "2.5");
}

TEST_F(Model, ChangingTheTypeReplacesAnImpossibleValueByZero)
{
    m.SetText("1.5");
    m.SetEditType(etNumeric);
    EXPECT_EQ(m.GetText(), "0");
    m.SetEditType(etString);
    m.SetText("hello");
    m.SetEditType(etFloat);
    EXPECT_EQ(m.GetText(), "0");
    m.SetEditType(etString);
    m.SetText("AB");
    m.SetEditType(etHex);
    EXPECT_EQ(m.GetText(), "AB");
    m.SetEditType(etPassword);
    EXPECT_EQ(m.PasswordChar(), '*');
    EXPECT_FALSE(m.CanUndo());
    m.SetEditType(etString);
    EXPECT_EQ(m.PasswordChar(), 0);
}

TEST_F(Model, AffixesWrapTheValue)
{
    m.SetText("12");
    m.SetPrefix("$");
    EXPECT_EQ(m.WindowText(), "$12");
    m.SetSuffix(" kg");
    EXPECT_EQ(m.WindowText(), "$12 kg");
    EXPECT_EQ(m.GetText(), "12");
    m.SetPrefix("EUR ");
    EXPECT_EQ(m.WindowText(), "EUR 12 kg");
    EXPECT_EQ(m.GetText(), "12");
}

TEST_F(Model, GetTextRemovesOnlyAffixesThatAreThere)
{
    m.SetPrefix("$");
    m.SetSuffix(" V");
    m.SetText("12");
    // The user destroyed the suffix: the digits stay the value.
    m.SetWindowText("$12");
    EXPECT_EQ(m.GetText(), "12");
    m.SetWindowText("12 V");
    EXPECT_EQ(m.GetText(), "12");
    m.SetWindowText("$12 V");
    EXPECT_EQ(m.GetText(), "12");
}

TEST_F(Model, TypedAccessorsRoundTrip)
{
    m.SetEditType(etHex);
    m.SetText("ff");
    EXPECT_EQ(m.GetText(), "FF");
    EXPECT_EQ(m.GetInt(), 255);
    m.SetText("-1");
    EXPECT_EQ(m.GetInt(), 1);
    m.SetInt(255);
    EXPECT_EQ(m.GetText(), "FF");
    m.SetFloat(16.9);
    EXPECT_EQ(m.GetText(), "10");

    m.SetEditType(etFloat);
    m.SetPrecision(2);
    m.SetFloat(3.14159);
    EXPECT_EQ(m.GetText(), "3.14");
    EXPECT_DOUBLE_EQ(m.GetFloat(), 3.14);
    EXPECT_TRUE(m.GetModified());
    m.SetInt(7);
    EXPECT_EQ(m.GetText(), "7.00");
    EXPECT_EQ(m.GetInt(), 7);

    m.SetEditType(etString);
    m.SetPrecision(3);
    m.SetFloat(2.5);
    EXPECT_EQ(m.GetText(), "2.500");
    EXPECT_DOUBLE_EQ(m.GetFloat(), 2.5);
    m.SetInt(5); // not written for text
    EXPECT_EQ(m.GetText(), "2.500");
    EXPECT_EQ(m.GetInt(), 0);
}

TEST_F(Model, NumericSetFloatWritesNoGroupsSoGetIntReadsItBack)
{
    m.SetEditType(etNumeric);
    m.SetFloat(1234567);
    EXPECT_EQ(m.GetText(), "1234567");
    EXPECT_EQ(m.GetInt(), 1234567);
    m.SetFloat(-4321);
    EXPECT_EQ(m.GetInt(), -4321);
}

TEST_F(Model, MoneyGroupsThousands)
{
    m.SetEditType(etMoney);
    m.SetPrecision(2);
    m.SetFloat(1234567.891);
    EXPECT_EQ(m.GetText(), "1,234,567.89");
    EXPECT_DOUBLE_EQ(m.GetFloat(), 1234567.89);
    EXPECT_EQ(m.GetInt(), 1234567);
    m.SetInt(-5000);
    EXPECT_EQ(m.GetText(), "-5,000.00");
    m.SetWindowText("12345.");
    EXPECT_DOUBLE_EQ(m.GetFloat(), 12345);
}

TEST_F(Model, MoneyWithoutAutoSeparatorsStaysUngrouped)
{
    m.SetEditType(etMoney);
    m.SetAutoThousandSeparator(false);
    m.SetWindowText("1234567");
    m.AutoSeparators();
    EXPECT_EQ(m.GetText(), "1234567");
    m.SetAutoThousandSeparator(true);
    EXPECT_EQ(m.GetText(), "1,234,567");
}

TEST_F(Model, AutoSeparatorsKeepsTheCaretAndReportsOneChange)
{
    m.SetEditType(etMoney);
    m.SetWindowText("12345");
    m.SetSelStart(5);
    changes = 0;
    m.AutoSeparators();
    EXPECT_EQ(m.GetText(), "12,345");
    EXPECT_EQ(m.SelStart(), 6);
    EXPECT_EQ(changes, 0); // the regrouping write is not a change of the user's
    // An unchanged text leaves nothing pending that could swallow the next change.
    m.AutoSeparators();
    EXPECT_FALSE(m.SkipNextChange());
    m.SetWindowText("12,3456");
    EXPECT_EQ(changes, 1);
}

TEST_F(Model, VersionlessStateDefaults)
{
    EXPECT_EQ(m.EditType(), etString);
    EXPECT_EQ(m.Precision(), 0);
    EXPECT_TRUE(m.CanUndo());
    EXPECT_TRUE(m.AutoThousandSeparator());
    EXPECT_EQ(m.FocusColor, clNone);
    EXPECT_EQ(m.FocusFontColor, clWindowText);
    EXPECT_EQ(m.DisabledColor, clSilver);
    EXPECT_EQ(m.ErrorColor, clRed);
    EXPECT_EQ(m.ErrorFontColor, clWhite);
}

TEST_F(Model, TestURL)
{
    const struct {
        const char* text;
        bool url;
    } cases[] = {{"www.example.org", true}, {"WWW.Example.org", true}, {"http://x", true},
                 {"ftp://y", true},         {"@home", false},           {"me@example.org", true},
                 {"plain", false},          {"", false}};
    for (const auto& c : cases) {
        m.SetText(c.text);
        EXPECT_EQ(m.TestURL(), c.url) << c.text;
    }
}

// ------------------------------------------------------------ colours

TEST_F(Model, FocusColoursComeAndGo)
{
    m.SetColorEx(clWhite);
    m.SetFontColor(clBlack);
    m.Init();
    m.FocusColor = clYellow;
    m.FocusFontColor = clBlue;
    m.FocusGained();
    EXPECT_EQ(m.Color(), clYellow);
    EXPECT_EQ(m.FontColor(), clBlue);
    EXPECT_TRUE(m.FocusLost());
    EXPECT_EQ(m.Color(), clWhite);
    EXPECT_EQ(m.FontColor(), clBlack);
    // An error state that is not shown does not keep the focus colour.
    m.SetError(true);
    m.FocusGained();
    m.FocusLost();
    EXPECT_EQ(m.Color(), clWhite);
}

TEST_F(Model, FocusColourNoneChangesNothing)
{
    m.SetColorEx(clAqua);
    m.SetFontColor(clMaroon);
    m.Init();
    m.FocusColor = clNone;
    m.FocusFontColor = clNone;
    m.FocusGained();
    EXPECT_EQ(m.Color(), clAqua);
    EXPECT_EQ(m.FontColor(), clMaroon);
    m.FocusLost();
    EXPECT_EQ(m.Color(), clAqua);
}

TEST_F(Model, ErrorColoursWhileInvalid)
{
    m.SetColorEx(clWhite);
    m.SetFontColor(clBlack);
    m.Init();
    m.ShowError = true;
    m.OnValueValidate = [](TObject*, const AnsiString& v, bool& ok) { ok = v != "bad"; };
    m.SetText("bad");
    EXPECT_TRUE(m.GetError());
    EXPECT_EQ(m.Color(), clRed);
    EXPECT_EQ(m.FontColor(), clWhite);
    // Leaving the control keeps the error look and reports the value invalid.
    m.FocusGained();
    EXPECT_FALSE(m.FocusLost());
    EXPECT_EQ(m.Color(), clRed);
    m.SetText("good");
    EXPECT_FALSE(m.GetError());
    EXPECT_EQ(m.Color(), clWhite);
    EXPECT_EQ(m.FontColor(), clBlack);
}

TEST_F(Model, ErrorClearedWhileFocusedShowsTheFocusColours)
{
    m.SetColorEx(clWhite);
    m.Init();
    m.FocusColor = clYellow;
    m.ShowError = true;
    m.OnValueValidate = [](TObject*, const AnsiString& v, bool& ok) { ok = v != "x"; };
    m.FocusGained();
    m.SetText("x");
    EXPECT_EQ(m.Color(), clRed);
    m.SetText("y");
    EXPECT_EQ(m.Color(), clYellow);
    EXPECT_EQ(m.FontColor(), clWindowText);
    // Without focus colours the error look still goes away.
    m.FocusColor = clNone;
    m.FocusFontColor = clNone;
    m.SetText("x");
    m.SetText("y");
    EXPECT_EQ(m.Color(), clWhite);
    EXPECT_EQ(m.FontColor(), clWindowText);
}

TEST_F(Model, ModifiedColour)
{
    m.SetFontColor(clBlack);
    m.Init();
    m.ShowModified = true;
    m.SetModified(true);
    EXPECT_EQ(m.FontColor(), clHighlight);
    m.SetModified(false);
    EXPECT_EQ(m.FontColor(), clBlack);
    m.ReadOnly = true;
    m.SetModified(true);
    EXPECT_FALSE(m.GetModified());
}

TEST_F(Model, DisabledColourRemembersTheNormalOne)
{
    m.SetColorEx(clAqua);
    m.SetEnabledEx(false);
    EXPECT_EQ(m.Color(), clSilver);
    EXPECT_EQ(m.NormalColor(), clAqua);
    m.SetEnabledEx(false);
    EXPECT_EQ(m.Color(), clSilver);
    m.SetEnabledEx(true);
    EXPECT_EQ(m.Color(), clAqua);
}

// ------------------------------------------------------------ exit reformatting

struct ExitCase {
    TVodUrizType type;
    int precision;
    const char* typed; // window text when the focus leaves
    const char* value;
};

class ExitTable : public Model, public ::testing::WithParamInterface<ExitCase> {};

TEST_P(ExitTable, ReformatsBeforeOnExit)
{
    m.SetEditType(GetParam().type);
    m.SetPrecision(GetParam().precision);
    m.FocusGained();
    m.SetWindowText(GetParam().typed);
    m.FocusLost();
    EXPECT_EQ(m.GetText(), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Table, ExitTable,
                         ::testing::Values(ExitCase{etFloat, 3, "", "0.000"}, ExitCase{etFloat, 3, "2.5", "2.500"},
                                           ExitCase{etFloat, 2, "-", "0.00"}, ExitCase{etFloat, 2, "1.", "1.00"},
                                           ExitCase{etFloat, 0, "", "0"}, ExitCase{etFloat, 0, "1.25", "1.25"},
                                           ExitCase{etNumeric, 0, "", "0"}, ExitCase{etNumeric, 0, "42", "42"},
                                           ExitCase{etMoney, 2, "1234", "1,234.00"},
                                           ExitCase{etString, 3, "", ""}, ExitCase{etString, 3, "abc", "abc"}));

TEST_F(Model, ExitReformattingKeepsTheModifiedState)
{
    m.SetEditType(etFloat);
    m.SetPrecision(2);
    m.SetText("1");
    m.FocusGained();
    m.SetWindowText("3.1");
    EXPECT_FALSE(m.GetModified());
    m.FocusLost();
    EXPECT_EQ(m.GetText(), "3.10");
    EXPECT_FALSE(m.GetModified());
}

TEST_F(Model, FocusSelectsTheValue)
{
    m.SetPrefix("$");
    m.SetSuffix(" kg");
    m.SetText("12");
    m.FocusGained();
    EXPECT_EQ(m.SelStart(), 1);
    EXPECT_EQ(m.SelLength(), 2);
    m.FocusLost();
    m.AutoSelect = false;
    m.SetEditType(etFloat);
    m.SetSuffix("");
    m.SetText("12.5");
    m.FocusGained();
    EXPECT_EQ(m.SelStart(), 3); // before the decimal separator
    EXPECT_EQ(m.SelLength(), 0);
}
}

namespace {
TEST(VodurizLabel, PlacesTheLabelAroundTheControl)
{
    const TRect control(100, 50, 180, 74); // height 24
    const TSize label{40, 13};
    EXPECT_EQ(PlaceLabel(lpLeftCenter, control, 24, label, 40, 4), TPoint(56, 55));
    EXPECT_EQ(PlaceLabel(lpTopLeft, control, 24, label, 40, 4), TPoint(100, 33));
    EXPECT_EQ(PlaceLabel(lpLeftTop, control, 24, label, 40, 4), TPoint(56, 50));
    EXPECT_EQ(PlaceLabel(lpLeftBottom, control, 24, label, 40, 4), TPoint(56, 61));
    EXPECT_EQ(PlaceLabel(lpBottomLeft, control, 24, label, 40, 4), TPoint(100, 78));
    EXPECT_EQ(PlaceLabel(lpLeftCenterLeft, control, 24, label, 40, 4), TPoint(96, 55));
    // A label wider than the control is centred over it.
    EXPECT_EQ(PlaceLabel(lpTopCenter, control, 24, TSize{120, 13}, 120, 4), TPoint(80, 33));
    EXPECT_EQ(PlaceLabel(lpBottomCenter, control, 24, TSize{20, 13}, 20, 4), TPoint(130, 78));
}
}
