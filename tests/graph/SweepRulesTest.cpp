// The sweep graph's rules that need no instrument: reading value texts, the point rule,
// the nominal text and the result file's name.
#include <gtest/gtest.h>

#include "graph/GraphPublic.h"
#include "list/ListCommon.h"

TEST(SweepRules, ValueTextsAreReadByTokens)
{
    const struct {
        const char* Text;
        bool Number;
        double Value;
        const char* Prefix;
        const char* Unit;
    } cases[] = {
        {" 1.23456 pF", true, 1.23456, "p", "F"},
        {"0.00000 pF", true, 0, "p", "F"}, // a zero reading has no leading blank
        {"-1.2345 kohm", true, -1.2345, "k", "ohm"},
        {" 950.000  ohm", true, 950, "", "ohm"},
        {" 9999.99  H", true, 9999.99, "", "H"},
        {"-179.999   d", true, -179.999, "", "d"},
        {" 0.01234   ", true, 0.01234, "", ""},
        {" 0.2500 mA", true, 0.25, "m", "A"},
        {"OVERLOAD  F", false, 0, "", "F"},
        {"OVERLOA", false, 0, "", ""},
        {"", false, 0, "", ""},
    };
    for (const auto& c : cases) {
        double v = -1;
        AnsiString prefix, unit;
        EXPECT_EQ(ParseValueText(c.Text, v, prefix, unit), c.Number) << c.Text;
        EXPECT_DOUBLE_EQ(v, c.Value) << c.Text;
        EXPECT_EQ(prefix, c.Prefix) << c.Text;
        EXPECT_EQ(unit, c.Unit) << c.Text;
    }
}

TEST(SweepRules, PointsAreEvenlySpacedFromStartToEnd)
{
    // 1.00 to 1.01 kHz in 20 points: no rounded step may carry a point beyond End.
    for (int k = 1; k <= 20; ++k) {
        const double v = SweepPointValue(1.0, 1.01, 20, k);
        EXPECT_LE(v, 1.01) << k;
        EXPECT_NEAR(v, 1.0 + (k - 1) * 0.01 / 19, 1e-12) << k;
    }
    EXPECT_EQ(SweepPointValue(1, 300, 4, 4), 300);
    EXPECT_NEAR(SweepPointValue(1, 300, 4, 2), 100.666666666, 1e-6);
    EXPECT_EQ(SweepPointValue(5, 9, 1, 1), 5);
}

TEST(SweepRules, NominalTextAsTheInstrumentTakesIt)
{
    const struct {
        int Function;
        double Value;
        int UnitPos;
        const char* Text;
    } cases[] = {
        {1, 10, 0, "10.0000p"},  // pF
        {2, 10, 1, "10.0000n"},  // nF
        {9, 0.5, 2, "500.000k"}, // Mohm sent in kohm
        {9, 2, 2, "2000.00k"},
        {9, 47, 0, "47.0000"},   // ohm: no prefix, no blank
        {6, 2, 2, "2.00000"},    // H: no prefix
        {6, 2, 3, "2000.00"},    // kH sent in H
        {5, -1.5, 1, "-1.50000m"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NominalText(c.Function, c.Value, c.UnitPos), c.Text) << c.Function << " " << c.Value;
}

TEST(SweepRules, ResultFileNameGetsItsMarker)
{
    const struct {
        const char* Chosen;
        const char* Saved;
    } cases[] = {
        {"/d/run1", "/d/run1_SweepGraphResult.txt"},
        {"/d/run1.txt", "/d/run1_SweepGraphResult.txt"},
        {"/d/run1_SweepGraphResult.txt", "/d/run1_SweepGraphResult.txt"},
        {"/d/sweepgraphresult.txt", "/d/sweepgraphresult_SweepGraphResult.txt"},
        {"/d/xSweepGraphResult", "/d/xSweepGraphResult"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SweepGraphResultName(c.Chosen), c.Saved) << c.Chosen;
}

TEST(SweepRules, HeaderFieldsAreRightAlignedAndNeverCut)
{
    EXPECT_EQ(RightAlign("ab", 5), "   ab");
    EXPECT_EQ(RightAlign("abcdef", 3), "abcdef");
}
