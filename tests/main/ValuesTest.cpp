// Number fields as display texts, their units and pictures, names and prefixes.
#include "tests/main/MainTestSupport.h"

TEST(ReplyValues, SignificantDigitsByMagnitude)
{
    const struct { double Value; int Digits; const char* Text; } cases[] = {
        {5, 7, " 5.00000"}, {5, 6, " 5.0000"}, {10, 7, " 10.0000"}, {10, 6, " 10.000"}, {-10, 7, "-10.0000"},
        {-10, 6, "-10.000"}, {-0.5, 7, "-0.50000"}, {-0.5, 6, "-0.5000"}, {99999.5, 7, " 99999.5"},
        {99999.5, 6, " 100000"}, {123456.7, 7, " 123457"}, {123456.7, 6, " 123457"}, {0, 7, "0.00000"},
        {0, 6, "0.0000"}, {1.000005, 7, " 1.00001"}, {-1.000005, 7, "-1.00001"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatSignificant(c.Value, c.Digits), c.Text) << c.Value << " / " << c.Digits;
}

TEST(ReplyValues, FieldsScaledToEngineeringPrefixes)
{
    const struct { const char* Field; int Digits; const char* Text; } cases[] = {
        {"+1.23456e+03", 7, " 1.23456 k"}, {"+1.23456e+03", 6, " 1.2346 k"}, {"+1.50000e+01", 7, " 15.0000  "},
        {"+1.23456e+02", 6, " 123.46  "}, {"+1.23456e-01", 7, " 123.456 m"}, {"-4.70000e-09", 7, "-4.70000 n"},
        {"-1.23456e+05", 7, "-123.456 k"}, {"+9.87654e+10", 7, " 98.7654 G"}, {"+2.50000e-15", 7, " 2.50000 f"},
        {"+0.00000e+00", 7, "0.00000  "}, {"+0.00000e+00", 6, "0.0000  "}, {"+0.00000e+01", 7, "0.00000 k"},
        {"+1.00000e+13", 7, "OVERLOAD  "}, {"+9.90000e+37", 6, "OVERLOAD  "}, {"+9.99999e+02", 6, " 1000.00  "},
        {"+4.70000e-12", 7, " 4.70000 p"}, {"+1.00000e+06", 7, " 1.00000 M"}};
    for (const auto& c : cases)
        EXPECT_EQ(FormatReplyValue(c.Field, c.Digits), c.Text) << c.Field;
}

TEST(ReplyValues, NamesAndPrefixes)
{
    EXPECT_EQ(FunctionIndex("Cs-Rs"), 1);
    EXPECT_EQ(FunctionIndex("Z_theta_r"), 13);
    EXPECT_EQ(FunctionIndex("Z-thd"), 14);
    EXPECT_EQ(FunctionIndex("DCR"), 12);
    EXPECT_EQ(FunctionIndex(""), 1);
    EXPECT_EQ(FunctionIndex("LP-Q"), 1);
    EXPECT_EQ(MonitorIndex("Vac"), 4);
    EXPECT_EQ(MonitorIndex("VAC"), 0);
    EXPECT_EQ(MonitorIndex("Y"), 14);
    const struct { const char* Prefix; int Exponent; } prefixes[] = {
        {" ", 0}, {"k", 1}, {"M", 2}, {"m", -1}, {"u", -2}, {"n", -3}, {"p", -4}, {"G", 0}, {"f", 0}, {"", 0}};
    for (const auto& p : prefixes)
        EXPECT_EQ(PrefixExponent(p.Prefix), p.Exponent) << p.Prefix;
    const struct { int Function; const char* Prefix; const char* Part; int Index; } units[] = {
        {13, " ", "Primary", 1}, {2, "k", "Second", 0}, {1, "m", "Primary", 4}, {6, "k", "Primary", 4},
        {6, " ", "Primary", 3}, {7, "M", "Second", 3}, {11, "K", "Second", 0}};
    for (const auto& u : units)
        EXPECT_EQ(UnitPrefixIndex(u.Function, u.Prefix, u.Part), u.Index) << u.Function << u.Prefix << u.Part;
}

TEST(ReplyValues, NumericReplyCharacters)
{
    EXPECT_TRUE(IsNumericReply(""));
    EXPECT_TRUE(IsNumericReply("+1.23456e-03"));
    EXPECT_FALSE(IsNumericReply("+1.23456E-03"));
    EXPECT_FALSE(IsNumericReply("+1.23456e-0 "));
}

TEST(ReplyValues, UnitStepMovesValuesIntoTheDisplaysUnits)
{
    using K = TValueKind;
    const struct { K Kind; int F; int M; const char* D; const char* Text; const char* Number; const char* Picture; } cases[] = {
        {K::Primary, 1, 0, " 4.70000 p", " 4.70000 pF", " 4.70000", "FuncUnitC_pF.bmp"},
        {K::Primary, 1, 0, " 520.000 f", " 0.52000 pF", " 0.52000", "FuncUnitC_pF.bmp"},
        {K::Primary, 2, 0, " 999.999 m", " 999.999 mF", " 999.999", "FuncUnitC_mF.bmp"},
        {K::Primary, 2, 0, "OVERLOAD  ", "OVERLOAD  F", "OVERLOAD", "FuncUnitF.bmp"},
        {K::Primary, 6, 0, " 12.0000 k", "OVERLOAD  H", "OVERLOAD", "FuncUnitL_H.bmp"},
        {K::Primary, 6, 0, " 9.99999 k", " 9999.99  H", " 9999.99", "FuncUnitL_H.bmp"},
        {K::Primary, 6, 0, " 1.00000 M", "OVERLOAD  H", "OVERLOAD", "FuncUnitL_H.bmp"},
        {K::Primary, 9, 0, " 150.000 M", "OVERLOAD  ohm", "OVERLOAD", "FuncUnitohm_ohm.bmp"},
        {K::Primary, 9, 0, " 99.9999 M", " 99.9999 Mohm", " 99.9999", "FuncUnitohm_M.bmp"},
        {K::Primary, 9, 0, " 1.50000 G", "OVERLOAD  ohm", "OVERLOAD", "FuncUnitohm_ohm.bmp"},
        {K::Primary, 9, 0, " 1.50000 m", " 0.00150  ohm", " 0.00150", "FuncUnitohm_ohm.bmp"},
        {K::Secondary, 14, 0, " 180.000  ", "OVERLOAD   d", "OVERLOAD", "FuncUnit8d_0.bmp"},
        {K::Secondary, 14, 0, "-179.999  ", "-179.999   d", "-179.999", "FuncUnit8d_0.bmp"},
        {K::Secondary, 13, 0, " 3.14160  ", "OVERLOAD   r", "OVERLOAD", "FuncUnit8r_r.bmp"},
        {K::Secondary, 13, 0, "OVERLOAD  ", "OVERLOAD   r ", "OVERLOAD", "FuncUnit8r_r.bmp"},
        {K::Secondary, 6, 0, " 150.000 k", "OVERLOAD   ", "OVERLOAD", ""},
        {K::Secondary, 2, 0, " 12.3400 m", " 0.01234   ", " 0.01234", ""},
        {K::Secondary, 2, 0, " 5.00000 p", " 5.00000 p ", " 5.00000", ""},
        {K::Monitor, 4, 3, " 100.00 k", "OVERLOAD   ", "OVERLOAD", ""},
        {K::Monitor, 4, 5, " 250.00 u", " 0.2500 mA", " 0.2500", "MonUnitIac_mA.bmp"},
        {K::Monitor, 4, 13, " 5.0000 n", " 0.0050 uS", " 0.0050", "MonUnitBG_uS.bmp"},
        // Negative conductances keep their value.
        {K::Monitor, 4, 13, "-5.0000 n", "-0.0050 uS", "-0.0050", "MonUnitBG_uS.bmp"},
        {K::Monitor, 4, 12, "-250.00 p", "-0.0003 uS", "-0.0003", "MonUnitBG_uS.bmp"},
        {K::Monitor, 4, 14, "-5.0000 f", "-0.0000 uS", "-0.0000", "MonUnitBG_uS.bmp"},
        {K::Monitor, 4, 0, " 1.0000 k", " 1.0000 k", " 1.0000", ""}};
    for (const auto& c : cases) {
        const TValueUnit u = ApplyValueUnit(c.Kind, c.F, c.M, c.D);
        EXPECT_EQ(u.Text, c.Text) << c.D << " F" << c.F << " M" << c.M;
        EXPECT_EQ(u.Number, c.Number) << c.D;
        EXPECT_EQ(u.Picture, c.Picture) << c.D;
    }
}
