// Cell checkers: the base leaves texts alone; the capital checker starts sentences.
#include <gtest/gtest.h>

#include "components/grid/Ragcheck.h"

TEST(CellChecker, CapitalsStartSentences)
{
    TCapitalCheck check(nullptr);
    const struct {
        const char* in;
        const char* out;
    } cases[] = {{"this is it. yes! ok? fine", "This is it. Yes! Ok? Fine"},
                 {"a.  b", "A.  b"}, // two blanks do not count
                 {"a.b", "A.b"},
                 {"", ""},
                 {"1. x", "1. X"}};
    for (const auto& c : cases)
        EXPECT_EQ(check.Correct(0, 0, c.in), c.out) << c.in;
}

TEST(CellChecker, BaseAndTextFunctions)
{
    TRavArodozIdadCheck base(nullptr);
    EXPECT_EQ(base.Correct(1, 2, "teh text"), "teh text");
    EXPECT_EQ(base.MarkError(1, 2, "teh text"), "teh text");
    EXPECT_EQ(TRavArodozIdadCheck::ReplaceOnce("aXbXc", "X", "Y"), "aYbXc");
    EXPECT_EQ(TRavArodozIdadCheck::ReplaceOnce("abc", "X", "Y"), "abc");
    EXPECT_EQ(TRavArodozIdadCheck::HiLight("a<B>ab</B>", "ab", "E", true), "a<E><B>ab</B></E>");
    // After a line break the marks still land on the word.
    EXPECT_EQ(TRavArodozIdadCheck::HiLight("x<BR>ab", "ab", "E", true), "x<E><BR>ab</E>");
}
