// Hidden columns and rows and the two index spaces.
#include <gtest/gtest.h>

#include "GridTestSupport.h"

TEST(GridHidden, ColumnMappingBothWays)
{
    auto g = MakeGrid(6, 3);
    FillCoords(*g);
    g->HideColumn(1);
    g->HideColumn(3);
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(g->NumHiddenColumns(), 2);
    const int displToReal[] = {0, 2, 4, 5};
    for (int d = 0; d < 4; ++d)
        EXPECT_EQ(g->RemapCol(d), displToReal[d]);
    EXPECT_EQ(g->RemapColInv(2), 1);
    EXPECT_EQ(g->RemapColInv(5), 3);
    // The data stays at its real column.
    EXPECT_EQ(g->GetCellEx(3, 1), "3,1");
    EXPECT_TRUE(g->IsHiddenColumn(3));
    EXPECT_FALSE(g->IsHiddenColumn(600));
    EXPECT_EQ(g->RemapCol(700), 700);
}

TEST(GridHidden, UnhidingAColumnRestoresItsWidth)
{
    auto g = MakeGrid(4, 3);
    g->SetColWidths(1, 77);
    g->SetColWidths(2, 55);
    g->HideColumn(1);
    EXPECT_EQ(g->ColWidths(1), 55);
    EXPECT_EQ(g->GetAllColWidths(1), 77);
    g->UnHideColumn(1);
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(g->ColWidths(1), 77);
    EXPECT_EQ(g->ColWidths(2), 55);
}

TEST(GridHidden, TheLastColumnCannotBeHidden)
{
    auto g = MakeGrid(1, 3);
    g->HideColumn(0);
    EXPECT_EQ(g->ColCount(), 1);
    EXPECT_EQ(g->NumHiddenColumns(), 0);
    auto h = MakeGrid(3, 3);
    EXPECT_EQ(h->RemapCol(5), 5);
}

TEST(GridHidden, HiddenRowsAreCutOutAndComeBackWithTheirProperties)
{
    auto g = MakeGrid(3, 10);
    FillCoords(*g);
    g->SetColors(1, 3, clRed);
    g->HideRows(2, 3);
    EXPECT_EQ(g->RowCount(), 8);
    EXPECT_EQ(g->NumHiddenRows(), 2);
    EXPECT_EQ(g->RemapRow(5), 3);
    EXPECT_EQ(g->RemapRowInv(3), 5);
    EXPECT_EQ(g->GetCellEx(0, 2), "0,4");
    EXPECT_EQ(g->GetCellsEx(0, 3), "0,3");
    EXPECT_EQ(g->GetCellsEx(0, 5), "0,5");
    ASSERT_NE(g->HiddenRow(3), nullptr);
    EXPECT_EQ(g->HiddenRow(3)->Strings(1), "1,3");
    EXPECT_EQ(g->HiddenRow(4), nullptr);
    g->SetRow(4);
    EXPECT_EQ(g->GetRealRow(), 6);
    g->UnHideRowsAll();
    EXPECT_EQ(g->RowCount(), 10);
    EXPECT_EQ(g->NumHiddenRows(), 0);
    for (int r = 0; r < 10; ++r)
        EXPECT_EQ(g->GetCellEx(2, r), "2," + std::to_string(r));
    EXPECT_EQ(g->Colors(1, 3), clRed);
}

TEST(GridHidden, HidingARangeThatHoldsAHiddenRowHidesExactlyTheRowsAsked)
{
    auto g = MakeGrid(2, 10);
    FillCoords(*g);
    g->HideRow(4);
    g->HideRows(3, 6);
    EXPECT_EQ(g->NumHiddenRows(), 4);
    EXPECT_EQ(g->RowCount(), 6);
    for (int r : {3, 4, 5, 6})
        EXPECT_TRUE(g->IsHiddenRow(r)) << r;
    const char* shown[] = {"0,0", "0,1", "0,2", "0,7", "0,8", "0,9"};
    for (int d = 0; d < 6; ++d)
        EXPECT_EQ(g->GetCellEx(0, d), shown[d]);
    // A range whose first row is hidden already changes nothing.
    g->HideRows(6, 8);
    EXPECT_EQ(g->NumHiddenRows(), 4);
    EXPECT_EQ(g->RowCount(), 6);
    // Rows past the end are not there to hide; showing all again adds none.
    g->HideRows(9, 12);
    EXPECT_EQ(g->NumHiddenRows(), 5);
    EXPECT_EQ(g->RowCount(), 5);
    g->UnHideRowsAll();
    EXPECT_EQ(g->RowCount(), 10);
    for (int r = 0; r < 10; ++r)
        EXPECT_EQ(g->GetCellEx(1, r), "1," + std::to_string(r));
}

TEST(GridHidden, ARowShownAfterTheGridShrankComesBackAtTheEnd)
{
    auto g = MakeGrid(2, 10);
    FillCoords(*g);
    g->HideRow(8);
    g->RemoveRows(1, 5);
    ASSERT_EQ(g->RowCount(), 4);
    g->UnHideRow(8);
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(g->GetCellEx(1, 4), "1,8");
}

TEST(GridHidden, HiddenRowValuesAreWrittenInPlace)
{
    auto g = MakeGrid(2, 6);
    FillCoords(*g);
    g->HideRow(2);
    g->SetCellsEx(1, 2, "changed");
    g->SetCellsEx(1, 4, "visible");
    EXPECT_EQ(g->GetCellEx(1, 3), "visible");
    TObject marker;
    g->SetObjectsEx(0, 2, &marker);
    EXPECT_EQ(g->GetObjectsEx(0, 2), &marker);
    g->UnHideRow(2);
    EXPECT_EQ(g->GetCellEx(1, 2), "changed");
    EXPECT_EQ(g->GetObjectEx(0, 2), &marker);
}

TEST(GridHidden, RowOperationsCarryCellsOfHiddenColumns)
{
    auto g = MakeGrid(4, 5);
    FillCoords(*g);
    g->HideColumn(2);
    g->InsertRows(1, 2);
    EXPECT_EQ(g->GetCellEx(2, 3), "2,1");
    EXPECT_EQ(g->GetCellEx(2, 1), "");
    g->UnHideColumn(2);
    EXPECT_EQ(g->GetCellEx(2, 6), "2,4");
}

// Removing or merging columns while one is hidden keeps every real column's cells.
TEST(GridHidden, RemovingColumnsKeepsTheLastRealColumn)
{
    struct Case {
        bool merge;
        const char* col3;
    } cases[] = {{false, "4,2"}, {true, "4,2"}};
    for (const auto& k : cases) {
        auto g = MakeGrid(5, 3);
        FillCoords(*g);
        g->HideColumn(1);
        if (k.merge)
            g->MergeCols(2, 3);
        else
            g->RemoveCols(3, 1);
        g->UnHideColumn(1);
        ASSERT_EQ(g->ColCount(), 4) << k.merge;
        EXPECT_EQ(g->GetCellEx(1, 2), "1,2") << k.merge;
        EXPECT_EQ(g->GetCellEx(3, 2), k.col3) << k.merge;
    }
}
