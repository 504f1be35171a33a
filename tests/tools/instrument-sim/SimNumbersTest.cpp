#include <gtest/gtest.h>

#include "tools/instrument-sim/SimNumbers.h"

TEST(SimNumbers, ScientificFormsHaveTheirFixedLengths)
{
    struct Case {
        double value;
        int decimals;
        bool sign;
        const char* text;
    } cases[] = {
        {1000.0, 5, true, "+1.00000e+03"},   // FREQ? and fetch fields: 12 characters
        {50.0, 5, true, "+5.00000e+01"},
        {-4.7e-9, 5, true, "-4.70000e-09"},
        {0.0, 5, true, "+0.00000e+00"},
        {9.9e37, 5, true, "+9.90000e+37"},
        {1e-120, 5, true, "+0.00000e+00"},   // beyond two exponent digits: zero
        {1e120, 5, true, "+9.99999e+99"},
        {999999.6, 5, true, "+1.00000e+06"}, // rounding carries into the exponent
        {1.0, 3, false, "1.000e+00"},        // levels: 9 characters
        {1.0, 3, true, "+1.000e+00"},        // or 10
        {1e-11, 5, false, "1.00000e-11"},    // nominal: 11 characters
        {-1e-11, 4, false, "-1.0000e-11"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatSci(c.value, c.decimals, c.sign), c.text) << c.value;
}

TEST(SimNumbers, FixedTexts)
{
    EXPECT_EQ(FormatFixed(0.5, 3), "0.500");
    EXPECT_EQ(FormatFixed(60.0, 3), "60.000");
    EXPECT_EQ(FormatFixed(-1.5, 2), "-1.50");
    EXPECT_EQ(FormatFixed(-0.0001, 2), "0.00");
}

TEST(SimNumbers, ParsesTheProgramsNumberTexts)
{
    struct Case {
        const char* text;
        double value;
        int power;  // of the prefix letter
    } cases[] = {
        {"1.000k", 1000.0, 3}, {"250.0k", 250000.0, 3}, {"50.00", 50.0, 0},   {"300.0m", 0.3, -3},
        {"0.10m", 0.0001, -3}, {"10.0000p", 1e-11, -12}, {"2000.00k", 2e6, 3}, {"-5.00000", -5.0, 0},
        {"2.00V", 2.0, 0},     {"-1.50V", -1.5, 0},      {"1.500", 1.5, 0},    {"1.5S", 1.5, 0},
        {"100n", 1e-7, -9},    {"2.5M", 2.5e6, 6},       {"+3", 3.0, 0},       {"1e3", 1000.0, 0},
        {"5mA", 0.005, -3},    {" 7 ", 7.0, 0},          {"0.00000u", 0.0, -6},
    };
    for (const auto& c : cases) {
        double v = 0.0;
        int power = 99;
        ASSERT_TRUE(ParseSimNumber(c.text, v, &power)) << c.text;
        EXPECT_NEAR(v, c.value, std::abs(c.value) * 1e-12) << c.text;
        EXPECT_EQ(power, c.power) << c.text;
    }
}

TEST(SimNumbers, RefusesWhatIsNoNumber)
{
    for (const char* text : {"", "k", "abc", "1.0x", "1.0kk", "1,5", "--1", "1.0 k"}) {
        double v = 0.0;
        EXPECT_FALSE(ParseSimNumber(text, v)) << text;
    }
    int n = 0;
    EXPECT_TRUE(ParseSimInt("256", n));
    EXPECT_EQ(n, 256);
    EXPECT_FALSE(ParseSimInt("2.5", n));
    EXPECT_FALSE(ParseSimInt("", n));
}
