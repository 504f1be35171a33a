// Filtering rows by conditions, and finding cells by text or condition.
#include <gtest/gtest.h>

#include <vector>

#include "GridTestSupport.h"

namespace {

// Rows given as texts of columns 0.. in order (row 0 is the header).
std::unique_ptr<TRavArodozIdad> RowsGrid(const std::vector<Texts>& Rows, int FixedRows = 1, int Footers = 0)
{
    auto g = MakeGrid(int(Rows[0].size()), int(Rows.size()), FixedRows);
    g->SetFixedFooters(Footers);
    for (int r = 0; r < int(Rows.size()); ++r)
        for (int c = 0; c < int(Rows[size_t(r)].size()); ++c)
            g->SetCellEx(c, r, Rows[size_t(r)][size_t(c)]);
    return g;
}

} // namespace

TEST(GridFilter, AllConditionsMustHoldAndFixedRowsStay)
{
    auto g = RowsGrid({{"h", "n", "t"},
                       {"1", "5", "ab"},
                       {"2", "20", "ab"},
                       {"3", "30", "b"},
                       {"4", "15", "apple"},
                       {"5", "1", "zz"}},
                      1, 1);
    TFilterData* a = g->Filter()->Add();
    a->Column = 1;
    a->Condition = ">10";
    TFilterData* b = g->Filter()->Add();
    b->Column = 2;
    b->Condition = "a*";
    g->SetFilterActive(true);
    EXPECT_EQ(ColTexts(*g, 0), (Texts{"h", "2", "4", "5"}));
    EXPECT_EQ(g->NumHiddenRows(), 2);
    g->SetFilterActive(false);
    EXPECT_EQ(ColTexts(*g, 0), (Texts{"h", "1", "2", "3", "4", "5"}));
}

TEST(GridFilter, RejectedRunsHideAndTheOthersKeepTheirOrder)
{
    // Rows 3, 4, 5 and 7 fail.
    auto g = RowsGrid({{"h"}, {"1"}, {"2"}, {"x3"}, {"x4"}, {"x5"}, {"6"}, {"x7"}, {"8"}});
    g->Filter()->GetColFilter(0)->Condition = "!x*";
    g->SetFilterActive(true);
    EXPECT_EQ(ColTexts(*g, 0), (Texts{"h", "1", "2", "6", "8"}));
    for (int r : {3, 4, 5, 7})
        EXPECT_TRUE(g->IsHiddenRow(r)) << r;
    g->SetFilterActive(false);
    EXPECT_EQ(ColTexts(*g, 0), (Texts{"h", "1", "2", "x3", "x4", "x5", "6", "x7", "8"}));
}

TEST(GridFilter, RejectingEveryRowLeavesOneEmptyRowThatGoesAway)
{
    struct Case {
        int fixedRows, footers;
    };
    for (Case k : {Case{1, 0}, Case{0, 0}, Case{1, 1}, Case{2, 0}, Case{0, 1}}) {
        SCOPED_TRACE(testing::Message() << k.fixedRows << " fixed, " << k.footers << " footers");
        std::vector<Texts> rows;
        for (int r = 0; r < k.fixedRows + 3 + k.footers; ++r)
            rows.push_back({"f" + std::to_string(r)});
        for (int r = k.fixedRows; r < k.fixedRows + 3; ++r)
            rows[size_t(r)] = {"d" + std::to_string(r)};
        auto g = RowsGrid(rows, k.fixedRows, k.footers);
        const Texts before = ColTexts(*g, 0);
        g->Filter()->GetColFilter(0)->Condition = "nothing";
        g->SetFilterActive(true);
        ASSERT_EQ(g->RowCount(), k.fixedRows + k.footers + 1);
        EXPECT_EQ(g->FixedRows(), k.fixedRows);
        EXPECT_EQ(g->GetCellEx(0, k.fixedRows), "");
        if (k.footers) {
            EXPECT_EQ(g->GetCellEx(0, g->RowCount() - 1), before.back());
        }
        g->SetFilterActive(false);
        EXPECT_EQ(ColTexts(*g, 0), before);
        EXPECT_EQ(g->FixedRows(), k.fixedRows);
        EXPECT_EQ(g->NumHiddenRows(), 0);
    }
}

TEST(GridFilter, ColumnFilterIsMadeOnceAndProgressEndsAtHundred)
{
    auto g = RowsGrid({{"h"}, {"a"}, {"b"}, {"c"}});
    TFilterData* f = g->Filter()->GetColFilter(0);
    EXPECT_EQ(g->Filter()->GetColFilter(0), f);
    EXPECT_EQ(g->Filter()->Count(), 1);
    f->Condition = "b";
    std::vector<int> progress;
    g->OnFilterProgress = [&progress](TObject*, short p) { progress.push_back(p); };
    g->SetFilterActive(true);
    EXPECT_EQ(progress, (std::vector<int>{33, 67, 100}));
    EXPECT_EQ(ColTexts(*g, 0), (Texts{"h", "b"}));

    auto none = RowsGrid({{"h"}, {"f"}}, 1, 1);
    none->Filter()->GetColFilter(0)->Condition = "b";
    progress.clear();
    none->OnFilterProgress = [&progress](TObject*, short p) { progress.push_back(p); };
    none->SetFilterActive(true);
    EXPECT_TRUE(progress.empty());
}

namespace {
// Cells (2, 3) cab and (1, 5) abc in a 4 x 7 grid with one fixed row.
std::unique_ptr<TRavArodozIdad> FindGrid()
{
    auto g = MakeGrid(4, 7);
    g->SetCellEx(2, 3, "cab");
    g->SetCellEx(1, 5, "abc");
    return g;
}
} // namespace

TEST(GridFind, WalkOrderDecidesTheFirstFind)
{
    struct Case {
        TFindParams params;
        TPoint expected;
    };
    const Case cases[] = {
        {{}, {1, 5}},
        {{fnDirectionLeftRight}, {2, 3}},
        {{fnMatchStart}, {1, 5}},
        {{fnMatchStart, fnDirectionLeftRight}, {1, 5}},
        {{fnBackward}, {2, 3}},
        {{fnBackward, fnDirectionLeftRight}, {1, 5}},
    };
    for (const auto& k : cases) {
        auto g = FindGrid();
        const TPoint p = g->FindFirst("ab", k.params);
        EXPECT_EQ(p.x, k.expected.x) << k.params.Bits;
        EXPECT_EQ(p.y, k.expected.y) << k.params.Bits;
    }
}

TEST(GridFind, FindNextRunsOutThenStartsAgain)
{
    auto g = FindGrid();
    EXPECT_EQ(g->FindFirst("ab", {}), (TPoint{1, 5}));
    EXPECT_EQ(g->FindNext(), (TPoint{2, 3}));
    EXPECT_EQ(g->FindNext(), (TPoint{-1, -1}));
    EXPECT_EQ(g->FindNext(), (TPoint{1, 5}));
}

TEST(GridFind, MatchOptions)
{
    struct Case {
        const char* cell;
        const char* text;
        TFindParams params;
        bool found;
    };
    const Case cases[] = {
        {"ab", "AB", {fnMatchFull}, true},
        {"abc", "ab", {fnMatchFull}, false},
        {"ab", "AB", {fnMatchCase}, false},
        {"xAB", "AB", {fnMatchCase}, true},
        {"xab", "ab", {fnMatchStart}, false},
        {"7", ">5", {fnMatchRegular}, true},
        {"3", ">5", {fnMatchRegular}, false},
        {"<b>a</b>b", "ab", {fnIgnoreHTMLTags}, true},
        {"<b>a</b>b", "ab", {}, false},
    };
    for (const auto& k : cases) {
        auto g = MakeGrid(3, 3);
        g->SetCellEx(1, 2, k.cell);
        const TPoint p = g->FindFirst(k.text, k.params);
        EXPECT_EQ(p.x >= 0, k.found) << k.cell << " / " << k.text;
    }
}

TEST(GridFind, ScopeLimitsAndGoingToTheFind)
{
    auto g = MakeGrid(4, 5, 1, 1);
    g->SetFixedFooters(1);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c)
            g->SetCellEx(c, r, "k");
    // Fixed cells only with the option.
    int found = 0;
    for (TPoint p = g->FindFirst("k", {}); p.x >= 0; p = g->FindNext()) {
        EXPECT_GE(p.x, 1);
        EXPECT_GE(p.y, 1);
        EXPECT_LE(p.y, 3);
        ++found;
    }
    EXPECT_EQ(found, 9);
    found = 0;
    for (TPoint p = g->FindFirst("k", {fnIncludeFixed}); p.x >= 0; p = g->FindNext())
        ++found;
    EXPECT_EQ(found, 20);
    // The current row only, every step.
    g->SetRow(2);
    found = 0;
    for (TPoint p = g->FindFirst("k", {fnFindInCurrentRow}); p.x >= 0 && found < 10; p = g->FindNext()) {
        EXPECT_EQ(p.y, 2);
        ++found;
    }
    EXPECT_EQ(found, 3);
    // Going there.
    g->SetCellEx(3, 3, "target");
    g->FindFirst("TARGET", {fnAutoGoto});
    EXPECT_EQ(g->Row(), 3);
    EXPECT_EQ(g->Col(), 3);
}

TEST(GridFind, HiddenColumnsOnlyWhenAsked)
{
    auto g = MakeGrid(4, 3);
    g->SetCellEx(2, 1, "secret");
    g->HideColumn(2);
    EXPECT_EQ(g->FindFirst("secret", {}).x, -1);
    EXPECT_EQ(g->FindFirst("secret", {fnIncludeHiddenColumns}), (TPoint{2, 1}));
    // Going to a find: a hidden one stays put, a visible one by its shown column.
    g->SetCellEx(3, 2, "shown");
    EXPECT_NO_THROW(g->FindFirst("secret", {fnIncludeHiddenColumns, fnAutoGoto}));
    EXPECT_EQ(g->FindFirst("shown", {fnIncludeHiddenColumns, fnAutoGoto}), (TPoint{3, 2}));
    EXPECT_EQ(g->Row(), 2);
    EXPECT_EQ(g->Col(), 2);
}

TEST(GridFind, SearchTakesAnUpperCaseStart)
{
    auto g = RowsGrid({{"h", "name"}, {"1", "xyz"}, {"2", "abc"}});
    EXPECT_EQ(g->Search("AB"), 2);
    EXPECT_EQ(g->Search("ab"), -1);
    g->SortSettings()->SetShow(true);
    g->SortSettings()->SetColumn(0);
    EXPECT_EQ(g->Search("2"), 2);
}

TEST(GridFilter, FilterRowHidesOneRejectedRow)
{
    auto g = RowsGrid({{"h"}, {"a"}, {"b"}, {"c"}});
    g->Filter()->GetColFilter(0)->Condition = "!b";
    g->FilterRow(1);
    g->FilterRow(2);
    EXPECT_EQ(ColTexts(*g, 0), (Texts{"h", "a", "c"}));
    EXPECT_TRUE(g->IsHiddenRow(2));
}

TEST(GridFilter, ARowHiddenBeforeInsideARunStaysHiddenAndTheRunIsWhole)
{
    auto g = RowsGrid({{"h"}, {"1"}, {"x2"}, {"x3"}, {"x4"}, {"5"}});
    g->HideRow(3);
    g->Filter()->GetColFilter(0)->Condition = "!x*";
    g->SetFilterActive(true);
    EXPECT_EQ(ColTexts(*g, 0), (Texts{"h", "1", "5"}));
    g->SetFilterActive(false);
    EXPECT_EQ(ColTexts(*g, 0), (Texts{"h", "1", "x2", "x3", "x4", "5"}));
}
