// Row and column operations and cell property ownership.
#include <gtest/gtest.h>

#include "GridTestSupport.h"

TEST(GridRows, InsertRowsMovesRowsWithTheirPropertiesAndHeights)
{
    auto g = MakeGrid(3, 5);
    FillCoords(*g);
    g->SetColors(1, 2, clYellow);
    g->SetRowHeights(2, 40);
    g->InsertRows(1, 2);
    EXPECT_EQ(g->RowCount(), 7);
    EXPECT_EQ(g->GetCellEx(0, 1), "");
    EXPECT_EQ(g->GetCellEx(0, 2), "");
    EXPECT_EQ(g->GetCellEx(0, 3), "0,1");
    EXPECT_EQ(g->GetCellEx(1, 4), "1,2");
    EXPECT_EQ(g->Colors(1, 4), clYellow);
    EXPECT_EQ(g->Colors(1, 2), clNone);
    EXPECT_EQ(g->RowHeights(4), 40);
    EXPECT_EQ(g->RowHeights(1), g->DefaultRowHeight());
}

TEST(GridRows, RemoveRowsPlacesTheCurrentCell)
{
    auto g = MakeGrid(3, 6);
    FillCoords(*g);
    g->SetRow(2);
    g->RemoveRows(2, 1);
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(g->Row(), 2); // same index, still there
    EXPECT_EQ(g->GetCellEx(0, 2), "0,3");
    g->SetRow(4);
    g->RemoveRows(4, 1);
    EXPECT_EQ(g->Row(), 3); // the last data row above
    // No data row left above the footer: nothing shows selected.
    auto one = MakeGrid(3, 3);
    one->SetFixedFooters(1);
    one->RemoveRows(1, 1);
    EXPECT_EQ(one->RowCount(), 2);
    for (int c = 0; c < 3; ++c)
        for (int r = 0; r < 2; ++r)
            EXPECT_FALSE(one->IsSelected(c, r));
}

TEST(GridRows, RemovedTextsStayBeyondTheCountButAddedRowsAreEmpty)
{
    auto g = MakeGrid(2, 4);
    FillCoords(*g);
    g->SetColors(0, 1, clRed);
    g->RemoveRows(1, 1);
    EXPECT_EQ(g->GetGridCell(0, 3), "0,1");
    g->SetRowCountEx(4);
    EXPECT_EQ(g->GetCellEx(0, 3), "0,1");
    EXPECT_EQ(g->Colors(0, 3), clNone); // its properties were freed
    g->RemoveRows(1, 1);
    g->AddRow();
    EXPECT_EQ(g->RowCount(), 4);
    EXPECT_EQ(g->GetCellEx(0, 3), "");
}

TEST(GridRows, AddRowStaysAboveAVisibleFooter)
{
    auto g = MakeGrid(2, 4);
    FillCoords(*g);
    g->FloatingFooter()->SetVisible(true);
    g->AddRow();
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(g->GetCellEx(0, 4), "0,3");
    EXPECT_EQ(g->GetCellEx(0, 3), "");
}

TEST(GridRows, ClearRectEmptiesTextsAndFreesColours)
{
    auto g = MakeGrid(5, 6);
    FillCoords(*g);
    g->SetColors(2, 1, clRed);
    g->SetColors(3, 4, clBlue);
    g->SetColors(4, 4, clBlue);
    TRect changed;
    g->OnCellsChanged = [&](TObject*, const TRect& r) { changed = r; };
    g->ClearRect(2, 1, 3, 4);
    for (int c = 0; c < 5; ++c)
        for (int r = 0; r < 6; ++r) {
            const bool inside = c >= 2 && c <= 3 && r >= 1 && r <= 4;
            EXPECT_EQ(g->GetCellEx(c, r).empty(), inside) << c << "," << r;
        }
    EXPECT_FALSE(g->HasCellProperties(2, 1));
    EXPECT_FALSE(g->HasCellProperties(3, 4));
    EXPECT_EQ(g->Colors(4, 4), clBlue);
    EXPECT_EQ(changed, TRect(2, 1, 3, 4));
    g->SetKeepPropsOnClear(true);
    g->ClearRect(4, 4, 4, 4);
    EXPECT_EQ(g->Colors(4, 4), clBlue);
    // Reversed bounds do nothing.
    g->SetCellEx(0, 0, "x");
    g->ClearRect(1, 0, 0, 0);
    EXPECT_EQ(g->GetCellEx(0, 0), "x");
    // The final clear of a grid going away tells no one.
    int calls = 0;
    g->OnCellsChanged = [&calls](TObject*, const TRect&) { ++calls; };
    g.reset();
    EXPECT_EQ(calls, 0);
}

TEST(GridRows, SwapRowsKeepsEachRowsOwnColours)
{
    auto g = MakeGrid(3, 5);
    FillCoords(*g);
    g->SetColors(1, 1, clRed);
    g->SetColors(1, 3, clGreen);
    g->SwapRows(1, 3);
    EXPECT_EQ(g->GetCellEx(0, 1), "0,3");
    EXPECT_EQ(g->GetCellEx(0, 3), "0,1");
    EXPECT_EQ(g->Colors(1, 1), clGreen);
    EXPECT_EQ(g->Colors(1, 3), clRed);
    // No object is shared: changing one leaves the other.
    g->SetColors(1, 1, clAqua);
    EXPECT_EQ(g->Colors(1, 3), clRed);
    g->ClearRect(0, 1, 2, 1);
    EXPECT_EQ(g->Colors(1, 3), clRed);
}

TEST(GridRows, CopiedRowsOwnTheirCopies)
{
    auto g = MakeGrid(3, 4);
    FillCoords(*g);
    g->SetColors(2, 1, clRed);
    g->CopyRows(2, 1);
    EXPECT_EQ(g->GetCellEx(2, 2), "2,1");
    EXPECT_EQ(g->Colors(2, 2), clRed);
    EXPECT_NE(g->GetCellProperties(2, 2), g->GetCellProperties(2, 1));
    g->ClearRect(0, 1, 2, 1);
    EXPECT_EQ(g->Colors(2, 2), clRed);
    g->CopyCols(0, 2);
    EXPECT_EQ(g->Colors(0, 2), clRed);
    g->RemoveCols(2, 1);
    EXPECT_EQ(g->Colors(0, 2), clRed);
}

TEST(GridRows, MoveRowAndColumnShiftThoseBetween)
{
    auto g = MakeGrid(4, 5);
    FillCoords(*g);
    g->SetRowHeights(1, 33);
    g->MoveRow(1, 3);
    EXPECT_EQ(g->GetCellEx(0, 1), "0,2");
    EXPECT_EQ(g->GetCellEx(0, 2), "0,3");
    EXPECT_EQ(g->GetCellEx(0, 3), "0,1");
    EXPECT_EQ(g->RowHeights(3), 33);
    EXPECT_EQ(g->RowHeights(1), g->DefaultRowHeight());
    g->SetColWidths(0, 90);
    g->MoveColumn(0, 2);
    EXPECT_EQ(g->GetCellEx(2, 4), "0,4");
    EXPECT_EQ(g->GetCellEx(0, 4), "1,4");
    EXPECT_EQ(g->ColWidths(2), 90);
    g->SwapColumns(0, 3);
    EXPECT_EQ(g->GetCellEx(0, 4), "3,4");
    EXPECT_EQ(g->GetCellEx(3, 4), "1,4");
}

TEST(GridRows, InsertAndRemoveColumns)
{
    auto g = MakeGrid(4, 3);
    FillCoords(*g);
    g->SetColors(2, 1, clRed);
    g->InsertCols(1, 2);
    EXPECT_EQ(g->ColCount(), 6);
    EXPECT_EQ(g->GetCellEx(3, 1), "1,1");
    EXPECT_EQ(g->GetCellEx(1, 1), "");
    EXPECT_EQ(g->Colors(4, 1), clRed);
    g->RemoveCols(1, 2);
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(g->GetCellEx(1, 1), "1,1");
    EXPECT_EQ(g->Colors(2, 1), clRed);
    EXPECT_EQ(g->GetGridCell(4, 1), "");
    g->MergeCols(0, 1);
    EXPECT_EQ(g->ColCount(), 3);
    EXPECT_EQ(g->GetCellEx(0, 2), "0,2 1,2");
    EXPECT_EQ(g->GetCellEx(0, 0), "0,0"); // fixed row untouched
    // A count past the last column removes the columns up to it, no more.
    g->RemoveCols(2, 10);
    EXPECT_EQ(g->ColCount(), 2);
    EXPECT_EQ(g->GetCellEx(1, 1), "2,1");
}

TEST(GridRows, MergedAreasAndMergingAlongAColumn)
{
    auto g = MakeGrid(5, 6);
    g->SetCellEx(1, 1, "base");
    g->MergeCells(1, 1, 3, 2);
    EXPECT_EQ(g->GetCellEx(3, 2), "base");
    g->SetCellEx(2, 2, "new");
    EXPECT_EQ(g->GetGridCell(1, 1), "new");
    EXPECT_EQ(g->CellSpan(3, 2), TPoint(2, 1));
    EXPECT_EQ(g->CellSpan(0, 0), TPoint(0, 0));
    EXPECT_TRUE(g->IsMergedCell(1, 1));
    EXPECT_FALSE(g->IsBaseCell(2, 1));
    EXPECT_EQ(g->BaseCell(3, 2), TPoint(1, 1));
    g->SetColors(2, 2, clRed);
    g->SplitCells(3, 2);
    EXPECT_EQ(g->CellSpan(3, 2), TPoint(0, 0));
    EXPECT_EQ(g->GetCellEx(3, 2), "");
    EXPECT_EQ(g->Colors(2, 2), clRed);

    auto m = MakeGrid(2, 5);
    const char* texts[] = {"A", "A", "B", "B"};
    for (int r = 1; r <= 4; ++r)
        m->SetCellEx(0, r, texts[r - 1]);
    m->MergedColumns()->Add(0);
    EXPECT_EQ(m->CellSpan(0, 1), TPoint(0, 1));
    EXPECT_EQ(m->CellSpan(0, 4), TPoint(0, 1));
    EXPECT_EQ(m->BaseCell(0, 4), TPoint(0, 3));
    m->MergedColumns()->Clear();
    EXPECT_FALSE(m->IsMergedCell(0, 1));
}

TEST(GridRows, RemoveDuplicatesAndIsCell)
{
    auto g = MakeGrid(2, 6);
    const char* texts[] = {"x", "y", "x", "z", "y"};
    for (int r = 1; r <= 5; ++r)
        g->SetCellEx(1, r, texts[r - 1]);
    g->RemoveDuplicates(1, true);
    EXPECT_EQ(g->RowCount(), 4);
    EXPECT_EQ(g->GetCellEx(1, 3), "z");
    int c = -1, r = -1;
    ASSERT_TRUE(g->IsCell("z", c, r));
    EXPECT_EQ(TPoint(c, r), TPoint(1, 3));
    EXPECT_FALSE(g->IsCell("Z", c, r));
}
