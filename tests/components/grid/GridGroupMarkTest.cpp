// Grouping rows under node rows, statistics over ranges, marking words in
// cells, checking cells through a checker, and bulk fills.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <vector>

#include "GridTestSupport.h"
#include "components/grid/Ragcheck.h"
#include "platform/forms/Form.h"
#include "platform/forms/Render.h"
#include "tests/support/TestOutput.h"

namespace {

} // namespace

TEST(GridGroup, GroupingMakesNodeRowsAndUngroupingBringsTheColumnBack)
{
    struct Case {
        int fixedCols, groupCol, captionCol;
    };
    for (Case k : {Case{0, 2, 1}, Case{1, 3, 2}, Case{0, 1, 1}}) {
        SCOPED_TRACE(testing::Message() << "group column " << k.groupCol);
        auto g = MakeGrid(4, 5, 1, k.fixedCols);
        const Texts keys{"A", "B", "A", "B"};
        for (int r = 1; r <= 4; ++r) {
            g->SetCellEx(k.groupCol, r, keys[size_t(r - 1)]);
            g->SetCellEx(k.groupCol == 3 ? 1 : 3, r, "v" + std::to_string(r));
        }
        g->SetCellEx(k.groupCol, 0, "Key");
        g->SetColWidths(k.groupCol, 77);
        g->Group(k.groupCol);
        EXPECT_EQ(g->GroupColumn(), k.groupCol);
        EXPECT_EQ(g->ColCount(), 3);
        EXPECT_EQ(g->RowCount(), 7);
        const Texts captions = ColTexts(*g, k.captionCol);
        EXPECT_EQ(captions[1], "A");
        EXPECT_EQ(captions[4], "B");
        for (int r : {1, 4})
            EXPECT_TRUE(g->IsNode(r)) << r;
        for (int r : {2, 3, 5, 6})
            EXPECT_FALSE(g->IsNode(r)) << r;
        EXPECT_EQ(g->Row(), 1);

        g->UnGroup();
        EXPECT_EQ(g->GroupColumn(), -1);
        EXPECT_EQ(g->ColCount(), 4);
        EXPECT_EQ(g->RowCount(), 5);
        EXPECT_EQ(ColTexts(*g, k.groupCol), (Texts{"Key", "A", "A", "B", "B"}));
        EXPECT_EQ(g->ColWidths(k.groupCol), 77);
        for (int r = 1; r <= 4; ++r)
            EXPECT_FALSE(g->IsNode(r));
    }
}

TEST(GridGroup, ColumnsThatCouldNotComeBackAreNotGrouped)
{
    auto g = MakeGrid(3, 4, 1, 1);
    FillCoords(*g);
    for (int c : {0, -2, 3, 7}) {
        g->Group(c);
        EXPECT_EQ(g->GroupColumn(), -1) << c;
        EXPECT_EQ(g->ColCount(), 3);
        EXPECT_EQ(g->RowCount(), 4);
    }
    auto plain = MakeGrid(3, 4);
    FillCoords(*plain);
    plain->SetGroupColumn(0);
    EXPECT_EQ(plain->GroupColumn(), -1);
    EXPECT_EQ(plain->GetCellEx(0, 1), "0,1");
    EXPECT_FALSE(plain->IsNode(1));
}

TEST(GridGroup, GroupCalculationsFillTheNodeRows)
{
    auto g = MakeGrid(3, 6);
    const Texts keys{"a", "b", "a", "b", "b"}, values{"1", "2", "3", "4", "6"};
    for (int r = 1; r <= 5; ++r) {
        g->SetCellEx(1, r, keys[size_t(r - 1)]);
        g->SetCellEx(2, r, values[size_t(r - 1)]);
    }
    g->Group(1); // a: 1, 3 / b: 2, 4, 6; values now in column 1
    struct Case {
        int method;
        double a, b;
    };
    for (Case k : {Case{1, 4, 12}, Case{2, 2, 4}, Case{3, 1, 2}, Case{4, 3, 6}, Case{5, 2, 3}}) {
        g->GroupCalc(1, k.method);
        EXPECT_DOUBLE_EQ(g->GetFloats(1, 1), k.a) << k.method;
        EXPECT_DOUBLE_EQ(g->GetFloats(1, 4), k.b) << k.method;
    }
    g->GroupCalc(1, 9); // no such calculation: nothing changes
    EXPECT_DOUBLE_EQ(g->GetFloats(1, 4), 3);
}

TEST(GridStats, ColumnAndRowReductions)
{
    auto g = MakeGrid(5, 5);
    const Texts v{"5", "3", "9"};
    for (int i = 0; i < 3; ++i) {
        g->SetCellEx(1, i + 1, v[size_t(i)]);
        g->SetCellEx(i + 1, 4, v[size_t(i)]);
    }
    struct Case {
        const char* name;
        double got, want;
    };
    const Case cases[] = {
        {"column sum", g->ColumnSum(1, 1, 3), 17},
        {"column avg", g->ColumnAvg(1, 1, 3), 17.0 / 3},
        {"column min", g->ColumnMin(1, 1, 3), 3},
        {"column max", g->ColumnMax(1, 1, 3), 9},
        {"row sum", g->RowSum(4, 1, 3), 17},
        {"row avg", g->RowAvg(4, 1, 3), 17.0 / 3},
        {"row min is the least", g->RowMin(4, 1, 3), 3},
        {"row max is the greatest", g->RowMax(4, 1, 3), 9},
        {"empty column sum", g->ColumnSum(1, 3, 2), 0},
        {"empty column avg", g->ColumnAvg(1, 3, 2), 0},
        {"empty row avg", g->RowAvg(4, 3, 2), 0},
        {"empty min is the first cell", g->ColumnMin(1, 3, 2), 9},
    };
    for (const auto& k : cases)
        EXPECT_DOUBLE_EQ(k.got, k.want) << k.name;
}

TEST(GridMark, TagsAroundEveryOccurrenceAndBackAgain)
{
    auto g = MakeGrid(3, 3);
    g->SetCellEx(1, 1, "xabyab");
    g->HilightInCell(false, 1, 1, "ab");
    EXPECT_EQ(g->GetCellEx(1, 1), "x<hi>ab</hi>y<hi>ab</hi>");
    g->UnHilightInCell(1, 1);
    EXPECT_EQ(g->GetCellEx(1, 1), "xabyab");

    g->MarkInCol(false, false, 1, "ab");
    g->UnHilightInCol(false, 1); // the other tag stays
    EXPECT_EQ(g->GetCellEx(1, 1), "x<e>ab</e>y<e>ab</e>");
    g->UnMarkInCol(false, 1);
    EXPECT_EQ(g->GetCellEx(1, 1), "xabyab");

    EXPECT_EQ(g->HilightText(true, "AbAB", "AB"), "Ab<hi>AB</hi>");
    EXPECT_EQ(g->UnHilightText("Ab<hi>AB</hi>"), "AbAB");
    EXPECT_EQ(g->MarkText(false, "ab", "AB"), "<e>ab</e>");
    EXPECT_EQ(g->UnMarkText("<e>ab</e>"), "ab");
}

TEST(GridMark, AreasWithAndWithoutFixedCells)
{
    // One fixed row and column, one fixed right column and one footer row.
    auto make = [] {
        auto g = MakeGrid(5, 5, 1, 1);
        g->SetFixedRightCols(1);
        g->SetFixedFooters(1);
        g->TextFill(true, "w");
        return g;
    };
    auto isData = [](int c, int r) { return c >= 1 && c <= 3 && r >= 1 && r <= 3; };
    struct Case {
        const char* name;
        std::function<void(TRavArodozIdad&, bool)> act;
        AnsiString marked;
    };
    const Case cases[] = {
        {"grid", [](TRavArodozIdad& g, bool f) { g.HilightInGrid(f, false, "w"); }, "<hi>w</hi>"},
        {"row", [](TRavArodozIdad& g, bool f) { g.MarkInRow(f, false, 2, "w"); }, "<e>w</e>"},
        {"column", [](TRavArodozIdad& g, bool f) { g.HilightInCol(f, false, 2, "w"); }, "<hi>w</hi>"},
        {"fill", [](TRavArodozIdad& g, bool f) { g.TextFill(f, "z"); }, "z"},
    };
    for (const auto& k : cases)
        for (bool fixed : {false, true}) {
            auto g = make();
            k.act(*g, fixed);
            for (int r = 0; r < 5; ++r)
                for (int c = 0; c < 5; ++c) {
                    const bool inScope = (k.name == AnsiString("row") ? r == 2
                                          : k.name == AnsiString("column") ? c == 2
                                                                           : true) &&
                                         (fixed || isData(c, r));
                    EXPECT_EQ(g->GetCellEx(c, r), inScope ? k.marked : "w")
                        << k.name << (fixed ? " with fixed" : "") << " at " << c << "," << r;
                }
        }
}

TEST(GridMark, RandomFillStaysBelowTheLimit)
{
    auto g = MakeGrid(6, 30);
    g->RandomFill(false, 10);
    std::set<AnsiString> seen;
    for (int r = 1; r < 30; ++r)
        for (int c = 0; c < 6; ++c)
            seen.insert(g->GetCellEx(c, r));
    for (const auto& s : seen)
        EXPECT_TRUE(s.size() == 1 && s[0] >= '0' && s[0] <= '9') << s;
    EXPECT_GT(seen.size(), 1u);
    EXPECT_EQ(g->GetCellEx(0, 0), "");
}

TEST(GridCheck, CheckerCorrectsAndReports)
{
    auto g = MakeGrid(3, 3);
    g->SetCellEx(1, 1, "hello. world");
    g->SetCellEx(2, 2, "Fine.");
    EXPECT_TRUE(g->CheckGrid(false)); // no checker: nothing changes
    EXPECT_EQ(g->GetCellEx(1, 1), "hello. world");

    auto owned = std::make_unique<TCapitalCheck>(nullptr);
    TCapitalCheck* checker = owned.get();
    checker->UseCorrect = true;
    checker->GotoCell = true;
    g->SetCellChecker(checker);
    g->SetRow(2);
    g->SetCol(2);
    EXPECT_FALSE(g->CheckGrid(false));
    EXPECT_EQ(g->GetCellEx(1, 1), "Hello. World");
    EXPECT_EQ(g->GetCellEx(2, 2), "Fine.");
    EXPECT_EQ(g->Row(), 2); // back where it was
    EXPECT_EQ(g->Col(), 2);
    EXPECT_TRUE(g->CheckCell(1, 1)); // already right now
    EXPECT_TRUE(g->CheckRow(false, 2));

    owned.reset(); // the grid lets go of it
    EXPECT_EQ(g->CellChecker(), nullptr);
    EXPECT_TRUE(g->CheckCol(false, 1));
}

// For looking at: a grouped table with group sums, a highlighted word and an
// error-marked one.
TEST(GridGroup, GroupedAndMarkedTableRenders)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 340, 300);
    auto* g = new TRavArodozIdad(&form);
    g->SetParent(&form);
    g->SetBounds(4, 4, 330, 290);
    g->SetColCountEx(4);
    g->SetRowCountEx(6);
    g->SetFixedColsEx(0);
    const Texts head{"", "Note", "Kind", "Value"}, kind{"R", "C", "R", "C", "R"}, value{"10", "4.7", "2.2", "1", "5"};
    for (int c = 0; c < 4; ++c)
        g->SetCellEx(c, 0, head[size_t(c)]);
    for (int r = 1; r < 6; ++r) {
        g->SetCellEx(0, r, "row" + std::to_string(r));
        g->SetCellEx(1, r, r % 2 ? "ok" : "check");
        g->SetCellEx(2, r, kind[size_t(r - 1)] == "R" ? "resistor" : "capacitor");
        g->SetCellEx(3, r, value[size_t(r - 1)]);
    }
    g->SetColWidths(0, 110);
    g->SetColWidths(1, 100);
    g->Group(2); // captions go to column 1, the values move to column 2
    g->GroupSum(2);
    g->HilightInCol(false, false, 0, "row2");
    g->MarkInCol(false, false, 0, "row4");
    EXPECT_EQ(g->GetCellEx(1, 1), "capacitor");
    EXPECT_EQ(g->GetCellEx(2, 1), "5.70");
    EXPECT_EQ(g->GetCellEx(1, 4), "resistor");
    EXPECT_EQ(g->GetCellEx(2, 4), "17.20");
    ASSERT_TRUE(SaveControlToPng(&form, TestOutputPath("grid_grouped_marked.png")));
}
