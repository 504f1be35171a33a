// The exact number texts the program shows, sends and saves: the calls it
// makes, with the values it meets (signs, zero, decade carries, halves).
#include <gtest/gtest.h>

#include "platform/core/SysUtils.h"

namespace {

struct FixedCase {
    double value;
    int precision, digits;
    const char* text;
};

void ExpectFixed(const FixedCase* begin, const FixedCase* end)
{
    for (const FixedCase* c = begin; c != end; ++c)
        EXPECT_EQ(FloatToStrF(c->value, ffFixed, c->precision, c->digits), c->text)
            << c->value << " P" << c->precision << " D" << c->digits;
}

template <size_t N>
void ExpectFixed(const FixedCase (&cases)[N])
{
    ExpectFixed(cases, cases + N);
}

} // namespace

// Measured values: 7 significant digits (main) or 6 (monitor) for a positive
// value, one more for a negative one, decimals by decade of the unrounded value.
TEST(NumberText, MeasuredValuesByDecade)
{
    const FixedCase cases[] = {
        {5, 7, 5, "5.00000"},
        {1.23456, 7, 5, "1.23456"},
        {1.23456, 6, 4, "1.2346"},
        {15, 7, 4, "15.0000"},
        {123.456, 7, 3, "123.456"},
        {98.7654, 7, 4, "98.7654"},
        {-4.7, 8, 5, "-4.70000"},
        {-123.456, 8, 3, "-123.456"},
        {-0.5, 8, 5, "-0.50000"},
        {-0.5, 7, 4, "-0.5000"},
        {0, 8, 5, "0.00000"},
        {0, 7, 4, "0.0000"},
        {-0.0, 8, 5, "0.00000"},
        {1234.5, 7, 2, "1234.50"},
        {12345.6, 7, 1, "12345.6"},
        {99999.5, 7, 1, "99999.5"},
        {99999.5, 6, 0, "100000"},
        {123456.7, 7, 0, "123457"},
        {123456.7, 6, 0, "123457"},
        {-123456.7, 8, 0, "-123457"},
        // Rounding carries into the next decade; the decimals stay those chosen.
        {9.999995, 7, 5, "10.00000"},
        {-9.999995, 8, 5, "-10.00000"},
        {9.999994, 7, 5, "9.99999"},
        {99.99995, 7, 4, "100.0000"},
        {999.9995, 7, 3, "1000.000"},
        {9999.995, 7, 2, "10000.00"},
        {99999.95, 7, 1, "100000.0"},
        {-99999.95, 8, 1, "-100000.0"},
        {999.999, 6, 2, "1000.00"},
        {9.99995, 6, 4, "10.0000"},
        {999999.5, 7, 0, "1000000"},
        // Halves go away from zero, also where the nearest double lies just below.
        {0.000005, 7, 5, "0.00001"},
        {-0.000005, 8, 5, "-0.00001"},
        {0.0000049, 7, 5, "0.00000"},
        {123.455, 6, 2, "123.46"},
        {-123.455, 7, 2, "-123.46"},
        {1.00005, 7, 4, "1.0001"},
        {2.5, 7, 0, "3"},
        {-2.5, 8, 0, "-3"},
        {100000.5, 7, 0, "100001"},
        // Very small values vanish without a sign; very large ones go scientific.
        {1e-20, 7, 5, "0.00000"},
        {-1e-20, 8, 5, "0.00000"},
        {-0.000004, 8, 5, "0.00000"},
        {12345678, 7, 0, "1.234568E7"},
        {9999999.5, 7, 0, "1E7"},
        {-12345678, 8, 0, "-12345678"},
        {1e300, 7, 0, "1E300"},
    };
    ExpectFixed(cases);
}

// Setter numbers: "at most N significant digits, D decimals"; digits beyond the
// precision are written as zeros.
TEST(NumberText, SetterNumbersKeepAtMostTheirSignificantDigits)
{
    const FixedCase cases[] = {
        // Frequency, precision 5.
        {1, 5, 3, "1.000"},
        {50, 5, 2, "50.00"},
        {250, 5, 1, "250.0"},
        {1.5, 5, 3, "1.500"},
        {12.346, 5, 2, "12.35"},
        {99.995, 5, 2, "100.00"},
        {0.5, 5, 3, "0.500"},
        {9.9996, 5, 3, "10.000"},
        {123.456, 5, 1, "123.5"},
        {300, 5, 1, "300.0"},
        // Level in V (precision 4 below 10), mV, mA.
        {1, 4, 2, "1.00"},
        {1.5, 4, 2, "1.50"},
        {9.995, 4, 2, "10.00"},
        {1.23456, 4, 2, "1.23"},
        {10, 5, 2, "10.00"},
        {100, 5, 1, "100.0"},
        {300, 5, 1, "300.0"},
        {0.1, 5, 2, "0.10"},
        {20, 5, 2, "20.00"},
        // Bias in V, trigger delay in s.
        {2, 5, 2, "2.00"},
        {-1.5, 5, 2, "-1.50"},
        {-2.5, 5, 2, "-2.50"},
        {0.5, 5, 3, "0.500"},
        {12.345, 6, 3, "12.345"},
        {60, 6, 3, "60.000"},
        // Precision smaller than the decimals asked for.
        {123.456, 4, 2, "123.50"},
        {12.3456, 5, 4, "12.3460"},
        {-123.456, 4, 2, "-123.50"},
        {0.0012345, 4, 5, "0.00123"},
    };
    ExpectFixed(cases);
}

// A sweep step is rounded by writing it with five significant digits and
// reading the text back.
TEST(NumberText, StepRoundingReadsBack)
{
    struct Case {
        double start, end;
        int points, digits;
        const char* text;
        double value;
    };
    const Case cases[] = {
        {1, 300, 4, 3, "99.667", 99.667},
        {0.01, 2, 3, 3, "0.995", 0.995},
        {1, 2, 4, 2, "0.33", 0.33},
        {-1, 1, 4, 3, "0.667", 0.667},
        {1, -1, 4, 3, "-0.667", -0.667},
        {0, 1000, 7, 3, "166.670", 166.67},
        {0, 1e-7, 2, 3, "0.000", 0},
    };
    for (const auto& c : cases) {
        double step = (c.end - c.start) / (c.points - 1);
        AnsiString text = FloatToStrF(step, ffFixed, 5, c.digits);
        EXPECT_EQ(text, c.text) << c.start << ".." << c.end;
        EXPECT_DOUBLE_EQ(StrToFloat(text), c.value) << text;
    }
}

// The grid writes its numbers through "%.Nf"; values of every sign and size.
TEST(NumberText, GridFloatFormats)
{
    struct Case {
        const char* format;
        double value;
        const char* text;
    };
    const Case cases[] = {
        {"%.5f", 0, "0.00000"},
        {"%.5f", 0.5, "0.50000"},
        {"%.5f", -0.5, "-0.50000"},
        {"%.5f", 9.999995, "10.00000"},
        {"%.5f", 123456.7, "123456.70000"},
        {"%.5f", 1e-9, "0.00000"},
        {"%.5f", -1e-9, "0.00000"},
        {"%.4f", 12.5, "12.5000"},
        {"%.4f", -12.34565, "-12.3457"},
        {"%.3f", 1.0005, "1.001"},
        {"%.3f", 1, "1.000"},
        {"%.2f", 0.01, "0.01"},
        {"%.2f", 0.1, "0.10"},
        {"%.2f", 2.675, "2.68"},
        {"%.2f", -2.675, "-2.68"},
        {"%.1f", 99999.95, "100000.0"},
        {"%.1f", -0.05, "-0.1"},
        {"%.0f", -123456.5, "-123457"},
        {"%.0f", 0.5, "1"},
        {"%.0f", 0.49, "0"},
        {"%.3f", 1e15, "1000000000000000.000"},
        {"%.2f", 1e20, "1E20"},
        {"%f", 3.14159, "3.14"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Format(c.format, {c.value}), c.text) << c.format << " of " << c.value;
}

// Other Format specifiers the program uses for labels, commands and records.
TEST(NumberText, FormatWidthsSignsAndExponents)
{
    EXPECT_EQ(Format("%d", {-42}), "-42");
    EXPECT_EQ(Format("%d", {0}), "0");
    EXPECT_EQ(Format("%5d", {123456}), "123456"); // never cut
    EXPECT_EQ(Format("%.3d", {-5}), "-005");
    EXPECT_EQ(Format("%d", {Int64{1} << 40}), "1099511627776");
    EXPECT_EQ(Format("%s", {"(null)"}), "(null)");
    EXPECT_EQ(Format("%10s", {"OVERLOAD"}), "  OVERLOAD");
    EXPECT_EQ(Format("%-10s|", {"OVERLOAD"}), "OVERLOAD  |");
    EXPECT_EQ(Format("%6s", {"Z_theta_r"}), "Z_theta_r");
    EXPECT_EQ(Format("%13s%19s", {"Exe_DateTime:", ""}), "Exe_DateTime:" + AnsiString(19, ' '));
    EXPECT_EQ(Format("%10s %15s %6s", {"1", "123.456", "k"}), "         1         123.456      k");
    EXPECT_EQ(Format("%10.5f", {-3.14159265}), "  -3.14159");
    EXPECT_EQ(Format("%10.5f", {9.999995}), "  10.00000");
    EXPECT_EQ(Format("%-10.3f|", {1.5}), "1.500     |");
    EXPECT_EQ(Format("%.3f", {-0.0005}), "-0.001");
    EXPECT_EQ(Format("%e", {-0.00012345}), "-1.23450000000000E-004");
    EXPECT_EQ(Format("%e", {0.0}), "0.00000000000000E+000");
    EXPECT_EQ(Format("%.3e", {9.9996}), "1.00E+001");
    EXPECT_EQ(Format("%.4e", {123456789.0}), "1.235E+008");
    EXPECT_EQ(Format("%g", {0.00001}), "1E-005");
    EXPECT_EQ(Format("%g", {123.456}), "123.456");
}

// Format patterns of FormatFloat with the fixed and scientific forms.
TEST(NumberText, FormatFloatPatterns)
{
    struct Case {
        const char* format;
        double value;
        const char* text;
    };
    const Case cases[] = {
        {"0.00000", 9.999995, "10.00000"},
        {"0.00000", -9.999995, "-10.00000"},
        {"0.00000", 0, "0.00000"},
        {"0.00000", -0.000004, "0.00000"},
        {"0.00000", 1e-300, "0.00000"},
        {"0.00000", 123456.7, "123456.70000"},
        {"#0.000", 0.5, "0.500"},
        {"#0.000", -0.0005, "-0.001"},
        {"#0.000", 1234.5678, "1234.568"},
        {"#0.000", 2.0005, "2.001"},
        {"0.0E+00", 1234, "1.2E+03"},
        {"0.0E+00", -1234, "-1.2E+03"},
        {"0.0E+00", 0.00012345, "1.2E-04"},
        {"0.0E+00", 9.96, "1.0E+01"},
        {"0.0E+00", 0, "0.0E+00"},
        {"0.0E+00", 1.25e-100, "1.3E-100"},
        {"0.00E-0", 0.5, "5.00E-1"},
        {"0.00E-0", 50, "5.00E1"},
        {";(0.00)", -1.5, "(1.50)"},
        {";(0.00)", 1.5, "1.5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatFloat(c.format, c.value), c.text) << c.format << " of " << c.value;
}

// Reading numbers: blanks around them are allowed, only the settings' decimal
// separator is taken and no thousand separators.
TEST(NumberText, StrToFloatAndStrToIntAsTheProgramReads)
{
    struct Good {
        const char* text;
        double value;
    };
    const Good good[] = {{"  1.5", 1.5},          {"1.5  ", 1.5},       {"  -0.00001  ", -0.00001},
                         {"+1.23456e-01", 0.123456}, {"-4.70000E-09", -4.7e-9}, {"1.23456", 1.23456},
                         {"100000", 100000},     {"0.01", 0.01},       {"-0", 0}};
    for (const auto& g : good)
        EXPECT_DOUBLE_EQ(StrToFloat(g.text), g.value) << g.text;
    for (const char* bad : {"1,5", "1,234.5", "1.5 V", "1. 5", "- 1", "1.5e", "0x10", "$10", "\t"})
        EXPECT_THROW(StrToFloat(bad), EConvertError) << bad;
    EXPECT_EQ(StrToInt("  25"), 25);
    EXPECT_EQ(StrToInt("-12346"), -12346);
    EXPECT_EQ(StrToInt("+7"), 7);
    for (const char* bad : {"1.0", "1e3", "", " ", "12a", "- 1"})
        EXPECT_THROW(StrToInt(bad), EConvertError) << bad;
    EXPECT_EQ(IntToStr(-2147483647 - 1), "-2147483648");
    EXPECT_EQ(IntToStr(0), "0");
}

// A six-digit reply mantissa shown with five significant digits is often an
// exact half; after the scaling by powers of ten it must still round away
// from zero, whatever noise the binary arithmetic left in the double.
TEST(NumberText, ScaledReplyHalvesRoundAwayFromZero)
{
    struct Scaling {
        double (*apply)(double);
        int power; // the exact value is the mantissa times 10^power
    };
    const Scaling scalings[] = {
        {[](double m) { return m; }, 0},
        {[](double m) { return m * 10; }, 1},
        {[](double m) { return m * 100; }, 2},
        {[](double m) { return m / 100 * 1000; }, 1},
        {[](double m) { return m / 10 * 1000; }, 2},
    };
    int failures = 0;
    for (Int64 k = 100005; k < 1000000 && failures < 5; k += 10) {
        const double mantissa = StrToFloat(IntToStr(k / 100000) + "." + Format("%.5d", {static_cast<int>(k % 100000)}));
        for (const auto& s : scalings) {
            // The exact decimal k x 10^(power - 5) rounded half away from zero to
            // the decimals of its decade (4, 3 or 2) has the digits of k / 10.
            const int decimals = 4 - s.power;
            const Int64 scaled = (k + 5) / 10;
            AnsiString digits = IntToStr(scaled);
            AnsiString expected = digits.substr(0, digits.size() - static_cast<size_t>(decimals)) + "." +
                                  digits.substr(digits.size() - static_cast<size_t>(decimals));
            const double value = s.apply(mantissa);
            const AnsiString positive = FloatToStrF(value, ffFixed, 6, decimals);
            const AnsiString negative = FloatToStrF(-value, ffFixed, 7, decimals);
            if (positive != expected || negative != "-" + expected) {
                ++failures;
                ADD_FAILURE() << "mantissa " << k << " scaled 10^" << s.power << ": " << positive << " / " << negative
                              << ", expected " << expected;
            }
        }
    }
}

// Comparator values are stored in 1e-5 units and shown from n x 1e-5 with the
// decimals of their decade: a fifth decimal of 5 rounds away from zero.
TEST(NumberText, StoredValuesRoundHalvesAwayFromZero)
{
    struct Decade {
        Int64 from, to;
        int decimals;
    };
    const Decade decades[] = {{1000005, 9999995, 4}, {10000050, 99999950, 3}, {100000500, 999999500, 2}};
    int failures = 0;
    for (const auto& d : decades) {
        Int64 unit = 1;
        for (int i = d.decimals; i < 5; ++i)
            unit *= 10;
        for (Int64 n = d.from; n <= d.to && failures < 5; n += unit * 37) {
            // Round half away from zero in whole units of the last decimal kept.
            AnsiString digits = IntToStr((n + unit / 2) / unit);
            AnsiString expected = digits.substr(0, digits.size() - static_cast<size_t>(d.decimals)) + "." +
                                  digits.substr(digits.size() - static_cast<size_t>(d.decimals));
            const double value = static_cast<double>(n) * 1e-5;
            const AnsiString positive = FloatToStrF(value, ffFixed, 7, d.decimals);
            const AnsiString negative = FloatToStrF(-value, ffFixed, 8, d.decimals);
            if (positive != expected || negative != "-" + expected) {
                ++failures;
                ADD_FAILURE() << n << ": " << positive << " / " << negative << ", expected " << expected;
            }
        }
    }
}
