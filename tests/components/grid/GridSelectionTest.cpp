// Selection: ranges, rows, columns, the disjunct row and cell selections and the selected text.
#include <gtest/gtest.h>

#include "GridTestSupport.h"

TEST(GridSelection, SelectRangeTakesBothColumnsFirstAndDoesNotClick)
{
    auto g = MakeGrid(6, 8);
    int clicks = 0;
    g->OnClick = [&](TObject*) { ++clicks; };
    g->SelectRange(1, 3, 2, 4);
    const TGridRect s = g->Selection();
    EXPECT_EQ(s, (TGridRect{1, 2, 3, 4}));
    for (int c = 0; c < 6; ++c)
        for (int r = 0; r < 8; ++r)
            EXPECT_EQ(g->IsSelected(c, r), c >= 1 && c <= 3 && r >= 2 && r <= 4) << c << "," << r;
    EXPECT_EQ(clicks, 0);
    // The program's start-up selection: columns 0..10 of row 1 of a 12-column result table.
    auto m = MakeGrid(12, 2);
    m->SelectRange(0, 10, 1, 1);
    EXPECT_EQ(m->Selection(), (TGridRect{0, 1, 10, 1}));
}

TEST(GridSelection, SelectRangeKeepsTheCurrentRowInView)
{
    auto g = MakeGrid(3, 200);
    g->SetBounds(0, 0, 200, 120);
    const auto shown = [&](int Row) { return Row >= g->TopRow() && Row < g->TopRow() + g->VisibleRowCount(); };
    // A run walking down the rows, as the list result table does.
    for (int r = 1; r < 200; ++r) {
        g->SelectRange(0, 2, r, r);
        ASSERT_TRUE(shown(r)) << r;
    }
    EXPECT_GT(g->TopRow(), 150);
    // Back to the first row after the table was cleared for a new run.
    g->SelectRange(0, 2, 1, 1);
    EXPECT_EQ(g->TopRow(), 1);
    // A corner outside the cells (a hidden selection) moves nothing.
    const int top = g->TopRow();
    g->SelectRange(3, 3, 200, 200);
    EXPECT_EQ(g->TopRow(), top);
}

TEST(GridSelection, SelectRowsAndColumns)
{
    auto g = MakeGrid(5, 10, 1, 1);
    g->SelectRows(3, 2);
    EXPECT_EQ(g->Selection(), (TGridRect{1, 3, 4, 4}));
    g->SelectCols(2, 2);
    EXPECT_EQ(g->Selection(), (TGridRect{2, 1, 3, 9}));
    EXPECT_FALSE(g->IsSelected(0, 5)); // fixed column
    EXPECT_FALSE(g->IsSelected(2, 0)); // fixed row
}

TEST(GridSelection, DisjunctRowsMarkRowsWithoutTouchingTheRange)
{
    auto g = MakeGrid(4, 10);
    g->MouseActions()->SetDisjunctRowSelect(true);
    g->SelectRange(1, 1, 1, 1);
    g->SelectRows(3, 2);
    g->SetRowSelect(7, true);
    EXPECT_EQ(g->Selection(), (TGridRect{1, 1, 1, 1}));
    EXPECT_TRUE(g->GetRowSelect(3));
    EXPECT_TRUE(g->GetRowSelect(4));
    EXPECT_FALSE(g->GetRowSelect(5));
    EXPECT_EQ(g->RowSelectCount(), 3);
    EXPECT_TRUE(g->IsSelected(2, 4));
    EXPECT_FALSE(g->IsSelected(1, 1));
    try {
        g->GetRowSelect(10);
        ADD_FAILURE();
    } catch (const VEvoRaraVedad& e) {
        EXPECT_EQ(e.Message(), "Invalid Row accessed");
    }
    EXPECT_THROW(g->SetRowSelect(-1, true), VEvoRaraVedad);
    g->SelectRange(0, 3, 5, 6);
    g->SelectToRowSelect(true);
    EXPECT_FALSE(g->GetRowSelect(3));
    EXPECT_TRUE(g->GetRowSelect(5));
    EXPECT_TRUE(g->GetRowSelect(6));
    g->ClearRowSelect();
    EXPECT_EQ(g->RowSelectCount(), 0);
}

TEST(GridSelection, DisjunctCellsKeepTheirOrder)
{
    auto g = MakeGrid(5, 5);
    g->SetSelectedCells(2, 3, true);
    g->SetSelectedCells(1, 4, true);
    g->SetSelectedCells(2, 3, true); // already in: unchanged
    ASSERT_EQ(g->SelectedCellsCount(), 2);
    EXPECT_EQ(g->SelectedCell(0), TPoint(2, 3));
    EXPECT_EQ(g->SelectedCell(1), TPoint(1, 4));
    g->SetSelectedCells(2, 3, false);
    EXPECT_FALSE(g->GetSelectedCells(2, 3));
    g->ClearSelectedCells();
    EXPECT_EQ(g->SelectedCellsCount(), 0);
}

TEST(GridSelection, DisjunctCellsBeyondSixteenBitsComeBackAsStored)
{
    auto g = MakeGrid(5, 80000);
    g->SetSelectedCells(3, 70000, true);
    g->SetSelectedCells(70000, 2, true);
    EXPECT_EQ(g->SelectedCell(0), TPoint(3, 70000));
    EXPECT_EQ(g->SelectedCell(1), TPoint(70000, 2));
    EXPECT_TRUE(g->GetSelectedCells(3, 70000));
    EXPECT_FALSE(g->GetSelectedCells(3, 4464));
}

TEST(GridSelection, SelectedTextAndHiddenSelection)
{
    auto g = MakeGrid(4, 4);
    g->SetCellEx(1, 1, "a");
    g->SetCellEx(2, 1, "b");
    g->SetCellEx(1, 2, "c");
    g->SetCellEx(2, 2, "d");
    g->SelectRange(1, 2, 1, 2);
    EXPECT_EQ(g->SelectedText(), "a\tb\r\nc\td\r\n");
    g->HideSelection();
    EXPECT_FALSE(g->IsSelected(1, 1));
    g->UnHideSelection();
    EXPECT_EQ(g->Selection(), (TGridRect{1, 1, 2, 2}));
}

TEST(GridSelection, CurrentCellMovesClickOnlyOnChange)
{
    auto g = MakeGrid(5, 30);
    int clicks = 0;
    g->OnClick = [&](TObject*) { ++clicks; };
    g->SetRow(20);
    EXPECT_EQ(g->Row(), 20);
    EXPECT_EQ(clicks, 1);
    EXPECT_LE(g->TopRow(), 20);
    EXPECT_GE(g->TopRow() + g->VisibleRowCount() - 1, 20); // scrolled into view
    g->SetRow(20);
    EXPECT_EQ(clicks, 1);
    g->SetCol(3);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(g->GetRealRow(), 20);
    EXPECT_EQ(g->GetRealCol(), 3);
}
