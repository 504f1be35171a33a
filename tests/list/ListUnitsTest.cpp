// Units, value texts, sweep points, the header and the name rule.
#include <gtest/gtest.h>

#include "list/DataFile.h"
#include "list/ListUnits.h"
#include "platform/core/DateTime.h"

TEST(ListUnits, ValueTextsAreReadByTokens)
{
    const struct { const char* Text; bool Overload; double Value; const char* Prefix; const char* Unit; } cases[] = {
        {" 1.23456 uF", false, 1.23456, "u", "uF"},
        {"0.00000  ohm", false, 0, "", "ohm"},     // zero has no sign blank: the fixed columns misread it
        {"-12.3456 kohm", false, -12.3456, "k", "kohm"},
        {" 999.999 nF", false, 999.999, "n", "nF"},
        {"OVERLOAD  F", true, 0, "", "F"},
        {"OVERLOAD", true, 0, "", ""},
        {" 1.50000  H", false, 1.5, "", "H"},
        {" 2.00000 MOhm", false, 2, "M", "MOhm"},
    };
    for (const auto& c : cases) {
        const TValueParts p = ParseValueText(c.Text);
        EXPECT_EQ(p.Overload, c.Overload) << c.Text;
        EXPECT_DOUBLE_EQ(p.Value, c.Value) << c.Text;
        EXPECT_EQ(p.Prefix, c.Prefix) << c.Text;
        EXPECT_EQ(p.Unit, c.Unit) << c.Text;
    }
    EXPECT_TRUE(ParseValueText("   ").Empty);
}

TEST(ListUnits, NominalsAreStoredRoundedAndSentInTheInstrumentsUnit)
{
    EXPECT_EQ(StoreNominal(2.5), 25000);
    EXPECT_EQ(StoreNominal(-0.00005), -1);
    EXPECT_EQ(StoreNominal(0.00004), 0);
    EXPECT_EQ(StoreNominal(1.23456), 12346);
    EXPECT_EQ(StoreNominal(-1.23456), -12346);
    EXPECT_EQ(NominalCommandText(100000, 1, "Cs-Rs"), "10.0000n");
    EXPECT_EQ(NominalCommandText(20000, 3, "Ls-Q"), "2000.00");     // kilohenry in henry
    EXPECT_EQ(NominalCommandText(15000, 2, "R-X"), "1500.00k");     // megohm in kilohm
    EXPECT_EQ(NominalCommandText(0, 0, "Cs-D"), "0.00000p");
}

TEST(ListUnits, NominalRangesByUnitPosition)
{
    using K = TFunctionKind;
    EXPECT_TRUE(NominalInRange(100, 3, K::Capacitance));
    EXPECT_FALSE(NominalInRange(100.5, 3, K::Capacitance));
    EXPECT_TRUE(NominalInRange(10, 3, K::Inductance));
    EXPECT_FALSE(NominalInRange(10.001, 3, K::Inductance));
    EXPECT_TRUE(NominalInRange(999.9, 2, K::Capacitance));
    EXPECT_FALSE(NominalInRange(1000, 2, K::Capacitance));
    EXPECT_FALSE(NominalInRange(-1000, 2, K::Resistance));
    EXPECT_EQ(NominalRangeMessage("mF", 3, K::Capacitance), " ''Nominal'' over  range! ,  -100 mF <  Nominal  < 100 mF !");
    EXPECT_EQ(NominalFieldText(12.3), "12.3000");
    EXPECT_EQ(NominalFieldText(-5), "-5.00000");
    EXPECT_EQ(NominalFieldText(0), "0.00000");
}

TEST(ListUnits, SweepPointsAreEvenAscendingAndNeverPastTheEnd)
{
    // start + (k-1)(end-start)/(n-1), each rounded for display by its own size.
    const double expected[] = {1.000, 23.11, 45.22, 67.33, 89.44, 111.6, 133.7, 155.8, 177.9, 200.0};
    for (int k = 1; k <= 10; ++k) {
        const int d = FrequencyDecimals(SweepPointValue(1, 200, 10, k));
        EXPECT_DOUBLE_EQ(DisplayedSweepPoint(1, 200, 10, k, d), expected[k - 1]) << k;
    }
    double previous = -1;
    for (int k = 1; k <= 999; ++k) {
        const double v = DisplayedSweepPoint(0.01, 1.23456, 999, k, 3);
        EXPECT_GE(v, previous) << k;
        EXPECT_LE(v, 1.23456) << k;
        previous = v;
    }
    EXPECT_DOUBLE_EQ(SweepPointValue(5, 9, 1, 1), 5);
    EXPECT_DOUBLE_EQ(SweepPointValue(5, 9, 2, 2), 9);
    EXPECT_DOUBLE_EQ(DisplayedSweepPoint(0.01, 2, 5, 2, 2), 0.51);
}

TEST(ListUnits, LevelRangeIsTwoVoltsOrTwentyMilliamps)
{
    EXPECT_DOUBLE_EQ(LevelRange(false).Low, 0.01);
    EXPECT_DOUBLE_EQ(LevelRange(false).High, 2);
    EXPECT_DOUBLE_EQ(LevelRange(true).Low, 0.1);
    EXPECT_DOUBLE_EQ(LevelRange(true).High, 20);
    EXPECT_EQ(ModelHighestKHz("ZV-XC"), 100);
    EXPECT_EQ(ModelHighestText("ZV-A"), " 2 kHz !");
}

TEST(DataFile, HeaderHasSevenRightAlignedLines)
{
    const TDateTime when = EncodeDate(2021, 11, 25) + EncodeTime(9, 30, 15, 0);
    const AnsiString h = DataFileHeader("C:\\x_ListSetup.txt", when,
        {"Version:2.05", "Version_Date:2021/11/25", "", "ZV25110042"});
    EXPECT_EQ(h, "Date:2021/11/25\r\n"
                 "Time:09:30:15\r\n"
                 "File_Name:C:\\x_ListSetup.txt\r\n"
                 "Version:2.05\r\n"
                 "Version_Date:2021/11/25\r\n"
                 "Exe_DateTime:                   \r\n"
                 "Serial_No:ZV25110042\r\n");
    const AnsiString shortSerial = DataFileHeader("p", when, {"Version:2.05", "Version_Date:2021/11/25",
        "2021/11/25-10:00:00", "42"});
    EXPECT_NE(shortSerial.find("Exe_DateTime:2021/11/25-10:00:00\r\nSerial_No:        42\r\n"), AnsiString::npos);
    EXPECT_NE(shortSerial.find("   File_Name:p\r\n"), AnsiString::npos);
}

TEST(DataFile, NameRuleAddsTheMarkerOnce)
{
    const struct { const char* In; const char* Out; } cases[] = {
        {"abc.txt", "abc_ListSetup.txt"}, {"abc_ListSetup.txt", "abc_ListSetup.txt"},
        {"abc.dat", "abc.dat_ListSetup.txt"}, {"xListSetup", "xListSetup"}, {"abc", "abc_ListSetup.txt"}};
    for (const auto& c : cases)
        EXPECT_EQ(WithNameMarker(c.In, "ListSetup"), c.Out) << c.In;
    EXPECT_EQ(WithNameMarker("run1.txt", "ListMeasResult"), "run1_ListMeasResult.txt");
    EXPECT_TRUE(HasNameMarker("/a/xListSetup.txt", "ListSetup"));
    EXPECT_FALSE(HasNameMarker("/a/abc.txt", "ListSetup"));
}
