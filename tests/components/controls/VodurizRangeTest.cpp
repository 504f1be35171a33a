// The range list: reading range texts, writing them back, and the round trip.
#include <gtest/gtest.h>

#include <vector>

#include "components/controls/VodurizRange.h"

namespace {
std::vector<int> Items(const TRangeList& L)
{
    std::vector<int> v;
    for (int i = 0; i < L.Count(); ++i)
        v.push_back(L.GetInteger(i));
    return v;
}

struct ReadCase {
    const char* text;
    std::vector<int> items;
    bool ok;
};

TEST(RangeList, ReadsRangeTexts)
{
    const ReadCase cases[] = {
        {"1-5,7;9", {1, 2, 3, 4, 5, 7, 9}, true},
        {"3,1-2", {3, 1, 2}, true},
        {"5-3", {}, true},
        {"a,2", {2}, false},
        {"1-", {}, false},
        {"2,2,1-3", {2, 1, 3}, true},
        {"-2,5", {-2, 5}, true},
        {"-3--1", {-3, -2, -1}, true},
        {"-", {}, false},
        {"", {}, true},
        {"2147483646-2147483647", {2147483646, 2147483647}, true},
        {"0-2147483647,3", {3}, false}, // would hold two thousand million values
    };
    for (const ReadCase& c : cases) {
        TRangeList l;
        l.Add(42); // emptied first
        EXPECT_EQ(l.StrToList(c.text), c.ok) << c.text;
        EXPECT_EQ(Items(l), c.items) << c.text;
    }
}

TEST(RangeList, WritesSortedGroups)
{
    const std::pair<std::vector<int>, const char*> cases[] = {
        {{1, 2, 3, 4, 5, 7, 9}, "1-5,7,9"},
        {{3, 1, 2}, "1-3"},
        {{-2, 5}, "-2,5"},
        {{5, 6, 8}, "5-6,8"},
        {{-1, -3, -2, 0}, "-3-0"},
        {{}, ""},
    };
    for (const auto& [items, text] : cases) {
        TRangeList l;
        for (int v : items)
            l.Add(v);
        EXPECT_EQ(l.ToRangeStr(), text);
    }
}

TEST(RangeList, ReadsBackWhatItWrites)
{
    // Negative values once could not be read back: the dash was always taken as a range.
    const std::vector<int> lists[] = {{-5, -4, -3, 1}, {-7}, {-2, 0, 2}, {-10, -9, 3, 4, 5}};
    for (const std::vector<int>& items : lists) {
        TRangeList l;
        for (int v : items)
            l.Add(v);
        const AnsiString text = l.ToRangeStr();
        TRangeList back;
        EXPECT_TRUE(back.StrToList(text)) << text;
        EXPECT_EQ(Items(back), items) << text;
    }
}

TEST(RangeList, LongRangeReadsAtOnce)
{
    TRangeList l;
    EXPECT_TRUE(l.StrToList("1-199999,5"));
    EXPECT_EQ(l.Count(), 199999);
    EXPECT_EQ(l.GetInteger(199998), 199999);
}

TEST(RangeList, AddKeepsValuesDistinct)
{
    TRangeList l;
    l.Add(4);
    l.AddMultiple(4, 3);
    l.AddMultiple(9, 0);
    l.AddMultiple(9, -2);
    EXPECT_EQ(Items(l), (std::vector<int>{4, 5, 6}));
    EXPECT_TRUE(l.InList(5));
    EXPECT_FALSE(l.InList(7));
    l.SetInteger(0, 7);
    l.Delete(1);
    EXPECT_EQ(Items(l), (std::vector<int>{7, 6}));
    EXPECT_ANY_THROW(l.GetInteger(5));
}
} // namespace
