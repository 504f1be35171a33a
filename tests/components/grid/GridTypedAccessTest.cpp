// Typed views on the cell texts and automatic numbering.
#include <gtest/gtest.h>

#include "GridTestSupport.h"
#include "platform/core/DateTime.h"
#include "platform/core/Format.h"
#include "platform/core/FormatSettings.h"

namespace {
struct SettingsGuard {
    TFormatSettings saved = FormatSettings;
    ~SettingsGuard() { FormatSettings = saved; }
};
} // namespace

TEST(GridTyped, NewGridDefaults)
{
    TRavArodozIdad g(nullptr);
    EXPECT_EQ(g.FloatFormat(), "%.2f");
    EXPECT_EQ(g.DefaultRowHeight(), 21);
    EXPECT_EQ(g.Look(), glSoft);
    EXPECT_TRUE(g.ShowSelection());
    EXPECT_EQ(g.Font()->Name(), "Tahoma");
    EXPECT_EQ(g.FixedFont()->Name(), "Tahoma");
    EXPECT_EQ(g.NumHiddenColumns(), 0);
    EXPECT_EQ(g.GetVersionString(), "2.3.0.1 June, 2002");
    EXPECT_EQ(g.GetVersionNr(), 0x02030001);
    EXPECT_EQ(g.SelectionColor(), clHighlight);
    EXPECT_EQ(g.CheckTrue(), "Y");
    EXPECT_EQ(g.GetCheckTrue(1, 1), "Y");
}

struct FloatWrite {
    const char* format;
    double value;
    const char* text;
};

TEST(GridTyped, FloatsWriteWithFloatFormat)
{
    auto g = MakeGrid(4, 4);
    const FloatWrite cases[] = {{"%.5f", 1.5, "1.50000"},   {"%.2f", 100.0 / 3, "33.33"}, {"%.3f", -0.0125, "-0.013"},
                                {"%.1f", 0.05, "0.1"},      {"%.0f", 2.5, "3"},           {"%.5f", 12345.678901, "12345.67890"},
                                {"%.2e", 1234.5, "1.2E+003"}};
    for (const auto& c : cases) {
        g->SetFloatFormat(c.format);
        g->SetFloats(1, 1, c.value);
        EXPECT_EQ(g->GetCellEx(1, 1), c.text) << c.format << " " << c.value;
    }
}

TEST(GridTyped, FloatsWriteWithTheProgramsDecimalSeparator)
{
    SettingsGuard s;
    auto g = MakeGrid(2, 2);
    FormatSettings.DecimalSeparator = ',';
    FormatSettings.ThousandSeparator = '.';
    g->SetFloats(1, 1, 1.5);
    EXPECT_EQ(g->GetCellEx(1, 1), "1,50");
    EXPECT_DOUBLE_EQ(g->Floats(1, 1), 1.5);
}

struct FloatRead {
    const char* text;
    double value;
};

TEST(GridTyped, FloatsReadThroughSeparatorRemoval)
{
    SettingsGuard s;
    FormatSettings.ThousandSeparator = ',';
    FormatSettings.DecimalSeparator = '.';
    auto g = MakeGrid(4, 4);
    const FloatRead cases[] = {{"", 0},          {"1.5", 1.5},         {"1,234.5", 1234.5}, {"(2.5)", -2.5},
                               {"$ 12", 12},     {"-0.00001", -1e-5}, {" 7 ", 7},          {"3.3 kHz", 3.3}};
    for (const auto& c : cases) {
        g->SetCellEx(2, 2, c.text);
        EXPECT_DOUBLE_EQ(g->Floats(2, 2), c.value) << c.text;
    }
    // A text without any number is an error, not a zero.
    for (const char* bad : {"abc", "1.2.3", "--", "kHz"}) {
        g->SetCellEx(2, 2, bad);
        try {
            g->Floats(2, 2);
            ADD_FAILURE() << bad;
        } catch (const VEvoRaraVedad& e) {
            EXPECT_EQ(e.Message(), "Cell does not contain a float value");
        }
        EXPECT_EQ(g->GetCellEx(2, 2), bad); // the cell is unchanged
    }
}

TEST(GridTyped, IntsReadAndWrite)
{
    auto g = MakeGrid(3, 3);
    g->SetInts(1, 1, -42);
    EXPECT_EQ(g->GetCellEx(1, 1), "-42");
    EXPECT_EQ(g->Ints(1, 1), -42);
    g->SetCellEx(1, 1, "");
    EXPECT_EQ(g->Ints(1, 1), 0);
    g->SetCellEx(1, 1, "12a");
    try {
        g->Ints(1, 1);
        ADD_FAILURE();
    } catch (const VEvoRaraVedad& e) {
        EXPECT_EQ(e.Message(), "Cell does not contain integer value");
    }
}

TEST(GridTyped, DatesAndTimes)
{
    SettingsGuard s;
    FormatSettings.ShortDateFormat = "MM/dd/yyyy";
    FormatSettings.DateSeparator = '/';
    FormatSettings.LongTimeFormat = "hh:mm:ss";
    auto g = MakeGrid(3, 3);
    const TDateTime d = EncodeDate(2002, 6, 15);
    g->SetDates(1, 1, d);
    EXPECT_EQ(g->GetCellEx(1, 1), "06/15/2002");
    EXPECT_EQ(g->Dates(1, 1), d);
    // A four-digit year is read as written.
    g->SetCellEx(1, 1, "01/02/1905");
    EXPECT_EQ(g->Dates(1, 1), EncodeDate(1905, 1, 2));
    for (const char* impossible : {"13/45/2002", "13/45/99"}) {
        g->SetCellEx(1, 1, impossible);
        EXPECT_THROW(g->Dates(1, 1), EConvertError) << impossible;
    }
    g->SetShowZeroDates(false);
    g->SetDates(1, 1, 0);
    EXPECT_EQ(g->GetCellEx(1, 1), "");
    g->SetShowZeroDates(true);
    g->SetDates(1, 1, 0);
    EXPECT_EQ(g->GetCellEx(1, 1), "12/30/1899");

    g->SetTimes(2, 1, (13 * 3600 + 4 * 60 + 5) / 86400.0);
    EXPECT_EQ(g->GetCellEx(2, 1), "13:04:05");
    EXPECT_NEAR(g->Times(2, 1), (13 * 3600 + 4 * 60 + 5) / 86400.0, 1e-9);
    g->SetCellEx(2, 1, "25:00:00");
    EXPECT_THROW(g->Times(2, 1), EConvertError);
}

TEST(GridTyped, AutoNumberingSkipsHeaderAndFooterRows)
{
    auto g = MakeGrid(3, 5);
    g->SetFixedFooters(1);
    g->AutoNumberCol(0);
    EXPECT_EQ(g->GetCellEx(0, 0), "");
    EXPECT_EQ(g->GetCellEx(0, 1), "1");
    EXPECT_EQ(g->GetCellEx(0, 2), "2");
    EXPECT_EQ(g->GetCellEx(0, 3), "3");
    EXPECT_EQ(g->GetCellEx(0, 4), "");
    auto h = MakeGrid(5, 2, 1, 1);
    h->AutoNumberRow(1);
    EXPECT_EQ(h->GetCellEx(0, 1), "");
    EXPECT_EQ(h->GetCellEx(1, 1), "1");
    EXPECT_EQ(h->GetCellEx(4, 1), "4");
}

TEST(GridTyped, CellsBeyondTheRowCountKeepTheirText)
{
    auto g = MakeGrid(3, 3);
    g->SetCellEx(1, 2, "kept");
    g->SetRowCountEx(2);
    EXPECT_EQ(g->GetCellEx(1, 2), "kept");
    g->SetRowCountEx(3);
    EXPECT_EQ(g->GetCellEx(1, 2), "kept");
}

TEST(GridTyped, DisplayTextHookAppliesBelowTheRowLimit)
{
    auto g = MakeGrid(3, 4);
    g->SetCellEx(1, 1, "raw");
    g->SetCellEx(1, 3, "raw");
    int hookCol = -1;
    g->OnGetDisplText = [&](TObject*, int c, int, AnsiString& v) {
        hookCol = c;
        v = "shown:" + v;
    };
    EXPECT_EQ(g->GetCellEx(1, 1), "shown:raw");
    EXPECT_EQ(hookCol, 1);
    g->SetDisplTextRowLimit(2);
    EXPECT_EQ(g->GetCellEx(1, 3), "raw");
    EXPECT_EQ(g->GetGridCell(1, 1), "raw");
}

// Markup form controls are read and set by their id; the cell is written only for a new value.
TEST(GridTyped, MarkupControlValuesByID)
{
    auto g = MakeGrid(2, 2);
    const AnsiString cell = "Gain <CONTROL TYPE=\"EDIT\" WIDTH=\"40\" ID=\"g1\" VALUE=\"5\"> dB";
    g->SetCellEx(1, 1, cell);
    EXPECT_EQ(g->GetCtrlVal(1, 1, "g1"), "5");
    EXPECT_EQ(g->GetCtrlVal(1, 1, "nope"), "");
    EXPECT_EQ(g->GetCtrlVal(0, 1, "g1"), "");
    g->SetCtrlVal(1, 1, "g1", "5");
    EXPECT_EQ(g->GetCellEx(1, 1), cell); // the same value: the text as written stays
    g->SetCtrlVal(1, 1, "nope", "9");
    EXPECT_EQ(g->GetCellEx(1, 1), cell);
    g->SetCtrlVal(1, 1, "g1", "7");
    EXPECT_EQ(g->GetCtrlVal(1, 1, "g1"), "7");
    EXPECT_EQ(g->GetCellEx(1, 1).substr(0, 5), "Gain ");
    EXPECT_EQ(g->GetCellEx(1, 1).substr(g->GetCellEx(1, 1).size() - 3), " dB");
}
