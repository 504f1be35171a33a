#include <gtest/gtest.h>

#include "platform/core/FormatSettings.h"
#include "components/controls/VodurizNumbers.h"

namespace {
void SetSeparators(char Decimal, char Thousand)
{
    FormatSettings.DecimalSeparator = Decimal;
    FormatSettings.ThousandSeparator = Thousand;
}

struct Separators : ::testing::Test {
    void SetUp() override { SetSeparators('.', ','); }
    void TearDown() override { SetSeparators('.', ','); }
};

struct ClassCase {
    const char* text;
    int expected;
};

class NumberClassTest : public Separators, public ::testing::WithParamInterface<ClassCase> {};

TEST_P(NumberClassTest, Classifies)
{
    EXPECT_EQ(NumberClass(GetParam().text), GetParam().expected) << "'" << GetParam().text << "'";
}

INSTANTIATE_TEST_SUITE_P(Table, NumberClassTest,
                         ::testing::Values(ClassCase{"12", ncInteger}, ClassCase{"1.5", ncFloat},
                                           ClassCase{"1,234", ncFloat}, ClassCase{"1,2,3", ncNone},
                                           ClassCase{"1.2.3", ncNone}, ClassCase{"AB", ncHex},
                                           ClassCase{"1f", ncHex}, ClassCase{"1-2-3", ncNone},
                                           ClassCase{"", ncNone}, ClassCase{",12", ncNone},
                                           ClassCase{"-12", ncInteger}, ClassCase{"-1.5", ncFloat},
                                           ClassCase{"--1", ncNone}, ClassCase{"abc x", ncNone},
                                           // a sign stands only in front
                                           ClassCase{"1-2", ncNone}, ClassCase{"12-", ncNone},
                                           ClassCase{"1.5-", ncNone}, ClassCase{"A-1", ncNone}));

TEST_F(Separators, ClassificationFollowsTheLocaleSeparators)
{
    SetSeparators(',', '.');
    EXPECT_EQ(NumberClass("1,5"), ncFloat);
    EXPECT_EQ(NumberClass("1.234,5"), ncFloat);
    EXPECT_EQ(NumberClass("1,5,5"), ncNone);  // two decimal separators
    EXPECT_EQ(NumberClass("1.2.3"), ncNone);  // groups too close
}

TEST_F(Separators, EStrToFloatDropsGroupsAndNeverThrows)
{
    EXPECT_DOUBLE_EQ(EStrToFloat("1,234.5"), 1234.5);
    EXPECT_DOUBLE_EQ(EStrToFloat("-2.25"), -2.25);
    EXPECT_DOUBLE_EQ(EStrToFloat("abc"), 0);
    EXPECT_DOUBLE_EQ(EStrToFloat(""), 0);
    SetSeparators(',', '.');
    EXPECT_DOUBLE_EQ(EStrToFloat("1.234,5"), 1234.5);
    EXPECT_DOUBLE_EQ(EStrToFloat("1,5"), 1.5);
}

TEST(VodurizNumbers, HexValueWeighsFromTheRight)
{
    EXPECT_EQ(HexValue("ff"), 255);
    EXPECT_EQ(HexValue("FF"), 255);
    EXPECT_EQ(HexValue("-1"), 1); // the minus counts 0
    EXPECT_EQ(HexValue("10"), 16);
    EXPECT_EQ(HexValue("FFFFFFFF"), -1);
    EXPECT_EQ(HexValue("1FFFFFFFF"), -1); // wraps at 32 bits
}

TEST(VodurizNumbers, MixedCaseNames)
{
    EXPECT_EQ(MixedCase("ronald mcdonald iii"), "Ronald McDonald III");
    EXPECT_EQ(MixedCase("JOHN SMITH"), "John Smith");
    EXPECT_EQ(MixedCase("macarthur"), "MacArthur");
    EXPECT_EQ(MixedCase("henry ii"), "Henry II");
    EXPECT_EQ(MixedCase("o'neil-smith/jones"), "O'neil-Smith/Jones");
    EXPECT_EQ(MixedCase(""), "");
}

TEST_F(Separators, FixedLengthCountsTheIntegerPart)
{
    EXPECT_EQ(FixedLength("1234.5"), 5);
    EXPECT_EQ(FixedLength("1,234.5"), 5);
    EXPECT_EQ(FixedLength("12"), 3);
    EXPECT_EQ(FixedLength(""), 1);
}

TEST(VodurizNumbers, RuntimeReadersTakeTheLeadingNumber)
{
    EXPECT_DOUBLE_EQ(ValFloat("2.5"), 2.5);
    EXPECT_DOUBLE_EQ(ValFloat("2.5 V"), 2.5);
    EXPECT_DOUBLE_EQ(ValFloat("-1e3"), -1000);
    EXPECT_DOUBLE_EQ(ValFloat("x"), 0);
    EXPECT_EQ(ValInt("12"), 12);
    EXPECT_EQ(ValInt("-7"), -7);
    EXPECT_EQ(ValInt("1.9"), 1);
    EXPECT_EQ(ValInt("1,234"), 1);
}

TEST_F(Separators, FormatPatternsOfTheEdit)
{
    EXPECT_EQ(FormatDecimals(2.5, 3, 'f'), "2.500");
    EXPECT_EQ(FormatDecimals(1234.5, 2, 'n'), "1,234.50");
    SetSeparators(',', '.');
    EXPECT_EQ(FormatDecimals(1.5, 2, 'f'), "1,50");
    EXPECT_EQ(FormatDecimals(1234.5, 2, 'n'), "1.234,50");
}
}
