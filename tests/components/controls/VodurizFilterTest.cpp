#include <gtest/gtest.h>

#include <vector>

#include "platform/core/FormatSettings.h"
#include "components/controls/VodurizModel.h"

namespace {
void SetSeparators(char Decimal, char Thousand)
{
    FormatSettings.DecimalSeparator = Decimal;
    FormatSettings.ThousandSeparator = Thousand;
}

struct KeyCase {
    const char* name;
    TVodUrizType type;
    int precision;
    bool isSigned;
    int lengthLimit;
    const char* prefix;
    const char* suffix;
    const char* window; // window text before
    int selStart;
    int selLength;
    const char* keys;     // characters typed in order
    const char* expected; // window text after
    int caret;            // SelStart after
};

void PrintTo(const KeyCase& c, std::ostream* os) { *os << c.name; }

struct Filter : ::testing::Test {
    TVodUrizModel m;
    std::vector<char> pressed; // characters that reached OnKeyPress
    int tabs = 0;
    void SetUp() override
    {
        SetSeparators('.', ',');
        m.OnKeyPress = [this](char& k) { pressed.push_back(k); };
        m.OnSelectNext = [this] { ++tabs; };
    }
    void TearDown() override { SetSeparators('.', ','); }
    void Configure(const KeyCase& c)
    {
        m.SetEditType(c.type);
        m.SetPrecision(c.precision);
        m.Signed = c.isSigned;
        m.LengthLimit = c.lengthLimit;
        m.SetPrefix(c.prefix);
        m.SetSuffix(c.suffix);
        m.SetWindowText(c.window);
        m.SetSelStart(c.selStart);
        m.SetSelLength(c.selLength);
    }
    void Type(const char* keys, bool ctrl = false)
    {
        for (const char* p = keys; *p; ++p) {
            char k = *p;
            m.KeyPress(k, ctrl);
            EXPECT_EQ(k, 0); // the model does the window's work itself
        }
    }
};

class KeyTable : public Filter, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyTable, Filters)
{
    const KeyCase& c = GetParam();
    Configure(c);
    Type(c.keys);
    EXPECT_EQ(m.WindowText(), c.expected);
    EXPECT_EQ(m.SelStart(), c.caret);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, KeyTable, ::testing::Values(
    // etString takes everything printable; Backspace deletes
    KeyCase{"StringTakesAll", etString, 0, false, 0, "", "", "", 0, 0, "a-1.x", "a-1.x", 5},
    KeyCase{"Backspace", etString, 0, false, 0, "", "", "abc", 3, 0, "\b", "ab", 2},
    KeyCase{"BackspaceSelection", etString, 0, false, 0, "", "", "abcd", 1, 2, "\b", "ad", 1},
    // Backspace never eats the prefix
    KeyCase{"BackspaceAtPrefix", etString, 0, false, 0, "$", "", "$12", 1, 0, "\b", "$12", 1},
    KeyCase{"BackspaceAfterPrefix", etString, 0, false, 0, "$", "", "$12", 2, 0, "\b", "$2", 1},
    // Ctrl+Enter and Enter never insert a line break
    KeyCase{"EnterInsertsNothing", etString, 0, false, 0, "", "", "ab", 2, 0, "\r", "ab", 2},
    // etNumeric: digits only; '-' refused without Signed, toggles the sign with it
    KeyCase{"NumericDigits", etNumeric, 0, false, 0, "", "", "", 0, 0, "1a2.3", "123", 3},
    KeyCase{"NumericMinusRefused", etNumeric, 0, false, 0, "", "", "12", 2, 0, "-", "12", 2},
    KeyCase{"NumericMinusToggles", etNumeric, 0, true, 0, "", "", "12", 2, 0, "-", "-12", 3},
    KeyCase{"NumericMinusToggleBack", etNumeric, 0, true, 0, "", "", "-12", 3, 0, "-", "12", 2},
    KeyCase{"NumericMinusAllSelected", etNumeric, 0, true, 0, "", "", "12", 0, 2, "-", "-", 1},
    KeyCase{"NumericMinusEmpty", etNumeric, 0, true, 0, "", "", "", 0, 0, "-5", "-5", 2},
    KeyCase{"NumericMinusWithPrefix", etNumeric, 0, true, 0, "$", " kg", "$12 kg", 2, 0, "-", "$-12 kg", 3},
    KeyCase{"NumericMinusTogglesAtStart", etNumeric, 0, true, 0, "$", "", "$-12", 1, 0, "-", "$12", 1},
    // etFloat: one decimal separator, none with Precision 0
    KeyCase{"FloatDecimal", etFloat, 2, false, 0, "", "", "5", 1, 0, ".", "5.", 2},
    KeyCase{"FloatSecondDecimalMovesCaret", etFloat, 2, false, 0, "", "", "5.", 1, 0, ".", "5.", 2},
    KeyCase{"FloatPrecision0NoDecimal", etFloat, 0, false, 0, "", "", "5", 1, 0, ".", "5", 1},
    KeyCase{"FloatLetterDropped", etFloat, 2, false, 0, "", "", "5", 1, 0, "x", "5", 1},
    KeyCase{"FloatFullDecimalsEnd", etFloat, 2, false, 0, "", "", "12.34", 5, 0, "9", "12.34", 5},
    KeyCase{"FloatFullDecimalsOverwrite", etFloat, 2, false, 0, "", "", "12.34", 4, 0, "9", "12.39", 5},
    KeyCase{"FloatLeadingDecimal", etFloat, 2, false, 0, "", "", "", 0, 0, ".5", "0.5", 3},
    KeyCase{"FloatSignToggle", etFloat, 2, true, 0, "", "", "1.50", 4, 0, "-", "-1.50", 5},
    KeyCase{"FloatSignToggleBack", etFloat, 2, true, 0, "", "", "-1.50", 5, 0, "-", "1.50", 4},
    KeyCase{"FloatMinusRefused", etFloat, 2, false, 0, "", "", "1.50", 4, 0, "-", "1.50", 4},
    // a minus that would not stand in front is refused
    KeyCase{"FloatMinusOverSelectionInside", etFloat, 2, true, 0, "", "", "12.5", 1, 1, "-", "12.5", 1},
    KeyCase{"FloatMinusOverSelectionFront", etFloat, 2, true, 0, "", "", "12.5", 0, 1, "-", "-2.5", 1},
    KeyCase{"FloatGroupAfterOneDigit", etFloat, 2, false, 0, "", "", "1,2", 3, 0, ",", "1,2", 3},
    KeyCase{"FloatGroupThreeDigitsAway", etFloat, 2, false, 0, "", "", "1,234", 5, 0, ".5", "1,234.5", 7},
    KeyCase{"FloatGroupTooClose", etFloat, 2, false, 0, "", "", "1,234", 4, 0, ".", "1,234", 4},
    // LengthLimit: no more than four digits before the decimal separator
    KeyCase{"LengthLimitInteger", etFloat, 2, false, 4, "", "", "1234.5", 2, 0, "7", "1234.5", 2},
    KeyCase{"LengthLimitDecimals", etFloat, 2, false, 4, "", "", "1234.5", 6, 0, "7", "1234.57", 7},
    KeyCase{"LengthLimitBackspaceJoins", etFloat, 2, false, 4, "", "", "1234.56", 5, 0, "\b", "1234.56", 5},
    KeyCase{"LengthLimitString", etString, 0, false, 4, "", "", "abcd", 4, 0, "e", "abcd", 4},
    // etMoney: no separator with Precision 0, groups while typing
    KeyCase{"MoneyPrecision0", etMoney, 0, false, 0, "", "", "5", 1, 0, ".", "5", 1},
    KeyCase{"MoneyLeadingDecimal", etMoney, 2, false, 0, "", "", "", 0, 0, ".", "0.", 2},
    KeyCase{"MoneyAllSelectedDecimal", etMoney, 2, false, 0, "", "", "12.50", 0, 5, ".", "0.00", 2},
    KeyCase{"MoneyGroupsWhileTyping", etMoney, 2, false, 0, "", "", "", 0, 0, "12345", "12,345", 6},
    KeyCase{"MoneyNoTypedComma", etMoney, 2, false, 0, "", "", "12", 2, 0, ",", "12", 2},
    // case types
    KeyCase{"Upper", etUppercase, 0, false, 0, "", "", "", 0, 0, "aBc1", "ABC1", 4},
    KeyCase{"Lower", etLowerCase, 0, false, 0, "", "", "", 0, 0, "aBc1", "abc1", 4},
    KeyCase{"Mixed", etMixedCase, 0, false, 0, "", "", "", 0, 0, "ronald mcdonald", "Ronald McDonald", 15},
    // etRange: separators never at the start or beside another
    KeyCase{"RangeTyped", etRange, 0, false, 0, "", "", "", 0, 0, "1-5,7", "1-5,7", 5},
    KeyCase{"RangeSeparatorAtStart", etRange, 0, false, 0, "", "", "", 0, 0, ",", "", 0},
    KeyCase{"RangeSeparatorAfterSeparator", etRange, 0, false, 0, "", "", "1,", 2, 0, ",", "1,", 2},
    KeyCase{"RangeSeparatorBeforeSeparator", etRange, 0, false, 0, "", "", "1-5", 1, 0, ",", "1-5", 1},
    KeyCase{"RangeLetter", etRange, 0, false, 0, "", "", "1", 1, 0, "a", "1", 1},
    // etHex, etAlphaNumeric, etValidChars
    KeyCase{"Hex", etHex, 0, false, 0, "", "", "", 0, 0, "1aFgZ", "1aF", 3},
    KeyCase{"HexMinusOnlyInFront", etHex, 0, false, 0, "", "", "1A", 2, 0, "-", "1A", 2},
    KeyCase{"HexMinusInFront", etHex, 0, false, 0, "", "", "1A", 0, 0, "-", "-1A", 1},
    KeyCase{"AlphaNumeric", etAlphaNumeric, 0, false, 0, "", "", "", 0, 0, "a1 _B", "a1B", 3},
    KeyCase{"Password", etPassword, 0, false, 0, "", "", "", 0, 0, "s3cr t", "s3cr t", 6}));
// clang-format on

TEST_F(Filter, ValidChars)
{
    m.SetEditType(etValidChars);
    m.ValidChars = "xyz";
    Type("axbyc\b");
    EXPECT_EQ(m.WindowText(), "x");
}

TEST_F(Filter, EnterRaisesOnKeyPressOnce)
{
    m.SetText("ab");
    Type("\r");
    ASSERT_EQ(pressed.size(), 1u);
    EXPECT_EQ(pressed[0], '\r');
    pressed.clear();
    Type("\r", true); // Control+Enter does nothing at all
    Type("\n", true);
    EXPECT_TRUE(pressed.empty());
    EXPECT_EQ(m.WindowText(), "ab");
}

TEST_F(Filter, OnKeyPressMayDropACharacter)
{
    m.OnKeyPress = [](char& k) {
        if (k == 'x')
            k = 0;
    };
    Type("axb");
    EXPECT_EQ(m.WindowText(), "ab");
}

TEST_F(Filter, TypingSetsModified)
{
    m.SetText("1");
    EXPECT_FALSE(m.GetModified());
    m.SetSelStart(1);
    Type("2");
    EXPECT_TRUE(m.GetModified());
}

TEST_F(Filter, MaxLengthStopsTyping)
{
    m.MaxLength = 3;
    Type("abcd");
    EXPECT_EQ(m.WindowText(), "abc");
}

TEST_F(Filter, TabOnFullLength)
{
    m.SetEditType(etNumeric);
    m.LengthLimit = 4;
    m.TabOnFullLength = true;
    m.SetWindowText("");
    Type("123");
    EXPECT_EQ(tabs, 0);
    Type("4");
    EXPECT_EQ(tabs, 1);
    EXPECT_EQ(m.WindowText(), "1234");
}

TEST_F(Filter, ExcelStyleKeypadDecimal)
{
    SetSeparators(',', ' ');
    m.SetEditType(etFloat);
    m.SetPrecision(2);
    m.ExcelStyleDecimalSeparator = true;
    m.SetWindowText("1");
    m.SetSelStart(1);
    char k = '.';
    m.KeyPress(k, false, false); // main keyboard '.': neither locale separator
    EXPECT_EQ(m.WindowText(), "1");
    k = '.';
    m.KeyPress(k, false, true); // keypad decimal key
    EXPECT_EQ(m.WindowText(), "1,");
}

TEST_F(Filter, EscapeUndoRestoresTheValueOfFocus)
{
    m.SetText("12");
    m.FocusGained();
    m.SetSelStart(2);
    Type("34");
    EXPECT_TRUE(m.EscapeUndo());
    EXPECT_EQ(m.GetText(), "12");
    EXPECT_EQ(m.SelLength(), 2);
    EXPECT_FALSE(m.GetModified());
    m.SetCanUndo(false);
    EXPECT_FALSE(m.EscapeUndo());
    pressed.clear();
    Type("\x1b"); // reaches the base
    ASSERT_EQ(pressed.size(), 1u);
    EXPECT_EQ(pressed[0], 27);
}

// ------------------------------------------------------------ key-down

TEST_F(Filter, AffixesFenceTheCaret)
{
    m.SetPrefix("$");
    m.SetSuffix(" kg");
    m.SetText("12");
    Word k;
    m.SetSelStart(5);
    k = VK_HOME;
    m.KeyDown(k, false, false);
    EXPECT_EQ(k, 0);
    EXPECT_EQ(m.SelStart(), 1); // after '$'
    k = VK_LEFT;
    m.KeyDown(k, false, false); // at the start: nothing
    EXPECT_EQ(m.SelStart(), 1);
    k = VK_END;
    m.KeyDown(k, false, false);
    EXPECT_EQ(m.SelStart(), 3); // before " kg"
    k = VK_RIGHT;
    m.KeyDown(k, false, false); // at the end: nothing
    EXPECT_EQ(m.SelStart(), 3);
    k = VK_LEFT;
    m.KeyDown(k, false, false);
    EXPECT_EQ(m.SelStart(), 2);
    k = VK_HOME;
    m.KeyDown(k, true, false); // Shift+Home selects the value
    EXPECT_EQ(m.SelStart(), 1);
    EXPECT_EQ(m.SelLength(), 2);
    m.SetSelStart(3);
    k = VK_DELETE;
    m.KeyDown(k, false, false); // Delete at the value's end never eats the suffix
    EXPECT_EQ(m.WindowText(), "$12 kg");
    m.SetSelStart(1);
    k = VK_DELETE;
    m.KeyDown(k, false, false);
    EXPECT_EQ(m.WindowText(), "$2 kg");
    EXPECT_TRUE(m.GetModified());
}

TEST_F(Filter, DeleteRespectsTheLengthLimit)
{
    m.SetEditType(etFloat);
    m.SetPrecision(2);
    m.LengthLimit = 4;
    m.SetWindowText("1234.56");
    m.SetSelStart(4);
    Word k = VK_DELETE;
    m.KeyDown(k, false, false);
    EXPECT_EQ(k, 0);
    EXPECT_EQ(m.WindowText(), "1234.56");
    m.SetSelStart(5);
    k = VK_DELETE;
    m.KeyDown(k, false, false);
    EXPECT_EQ(m.WindowText(), "1234.6");
}

TEST_F(Filter, KeyDownEventSeesOtherKeys)
{
    std::vector<Word> seen;
    m.OnKeyDown = [&](Word& k) { seen.push_back(k); };
    Word k = VK_RETURN;
    m.KeyDown(k, false, false);
    k = VK_DELETE;
    m.KeyDown(k, false, false);
    EXPECT_EQ(seen, (std::vector<Word>{VK_RETURN, VK_DELETE}));
}

TEST_F(Filter, ReturnIsTab)
{
    m.ReturnIsTab = true;
    Word k = VK_RETURN;
    m.KeyDown(k, false, false);
    EXPECT_EQ(k, VK_TAB);
    EXPECT_EQ(tabs, 1);
}

// ------------------------------------------------------------ paste

struct PasteCase {
    const char* name;
    TVodUrizType type;
    int precision;
    bool isSigned;
    const char* before;
    int selStart;
    int selLength;
    const char* clip;
    const char* after;
};

void PrintTo(const PasteCase& c, std::ostream* os) { *os << c.name; }

class PasteTable : public Filter, public ::testing::WithParamInterface<PasteCase> {};

TEST_P(PasteTable, Pastes)
{
    const PasteCase& c = GetParam();
    m.SetEditType(c.type);
    m.SetPrecision(c.precision);
    m.Signed = c.isSigned;
    m.SetWindowText(c.before);
    m.SetSelStart(c.selStart);
    m.SetSelLength(c.selLength);
    m.Paste(c.clip);
    EXPECT_EQ(m.WindowText(), c.after);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Table, PasteTable, ::testing::Values(
    PasteCase{"StringAtCaret", etString, 0, false, "ad", 1, 0, "bc", "abcd"},
    PasteCase{"StringOverSelection", etString, 0, false, "axxd", 1, 2, "bc", "abcd"},
    PasteCase{"NumericText", etNumeric, 0, false, "12", 2, 0, "abc", "12"},
    PasteCase{"NumericDigits", etNumeric, 0, false, "12", 2, 0, "34", "1234"},
    PasteCase{"NumericMinusUnsigned", etNumeric, 0, false, "12", 0, 0, "-", "12"},
    PasteCase{"NumericMinusSigned", etNumeric, 0, true, "12", 0, 0, "-", "-12"},
    PasteCase{"NumericMinusInside", etNumeric, 0, true, "12", 1, 0, "-", "12"},
    PasteCase{"FloatReformats", etFloat, 2, false, "", 0, 0, "1.5", "1.50"},
    PasteCase{"FloatPrecision0Decimal", etFloat, 0, false, "1", 1, 0, ".5", "1"},
    PasteCase{"FloatNotANumber", etFloat, 2, false, "1.00", 4, 0, "x", "1.00"},
    PasteCase{"MoneyReformats", etMoney, 2, false, "", 0, 0, "1234.5", "1,234.50"},
    PasteCase{"Upper", etUppercase, 0, false, "A", 1, 0, "bc", "ABC"},
    PasteCase{"Lower", etLowerCase, 0, false, "a", 1, 0, "BC", "abc"},
    PasteCase{"Mixed", etMixedCase, 0, false, "", 0, 0, "JOHN SMITH", "John Smith"},
    PasteCase{"AlphaNumericRefused", etAlphaNumeric, 0, false, "", 0, 0, "A-1", ""},
    PasteCase{"AlphaNumericAccepted", etAlphaNumeric, 0, false, "", 0, 0, "Ab12", "Ab12"},
    PasteCase{"RangeNever", etRange, 0, false, "1", 1, 0, ",2", "1"},
    PasteCase{"HexNever", etHex, 0, false, "A", 1, 0, "B", "A"}));
// clang-format on

TEST_F(Filter, PasteWithDecimalComma)
{
    SetSeparators(',', '.');
    m.SetEditType(etFloat);
    m.SetPrecision(2);
    m.SetWindowText("");
    m.Paste("1,5");
    EXPECT_EQ(m.WindowText(), "1,50");
}

TEST_F(Filter, PasteEventMayRefuseAndMaxLengthLimits)
{
    m.OnClipboardPaste = [](TObject*, const AnsiString& v, bool& allow) { allow = v != "no"; };
    m.Paste("no");
    EXPECT_EQ(m.WindowText(), "");
    m.Paste("yes");
    EXPECT_EQ(m.WindowText(), "yes");
    EXPECT_EQ(m.SelStart(), 3);
    m.MaxLength = 4;
    m.Paste("12");
    EXPECT_EQ(m.WindowText(), "yes");
    m.ReadOnly = true;
    m.MaxLength = 0;
    m.Paste("z");
    EXPECT_EQ(m.WindowText(), "yes");
}

TEST_F(Filter, CopyAndCutAskTheirEvents)
{
    m.SetPrefix("$");
    m.SetText("1234");
    m.SetSelStart(2);
    m.SetSelLength(2);
    AnsiString seen;
    m.OnClipboardCut = [&](TObject*, const AnsiString& v, bool& allow) {
        seen = v;
        allow = false;
    };
    AnsiString clip;
    EXPECT_FALSE(m.Cut(clip));
    EXPECT_EQ(seen, "23");
    EXPECT_EQ(m.WindowText(), "$1234");
    m.OnClipboardCut = nullptr;
    EXPECT_TRUE(m.Cut(clip));
    EXPECT_EQ(clip, "23");
    EXPECT_EQ(m.WindowText(), "$14");
}
}
