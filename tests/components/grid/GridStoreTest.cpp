// The packed cell store: texts, properties ownership and structural moves.
#include <gtest/gtest.h>

#include "components/grid/Ravbase.h"
#include "components/grid/RavbaseStore.h"

TEST(CellStore, KeepsTextsOfAnyLengthAndColumn)
{
    TCellStore s;
    EXPECT_EQ(s.Text(3, 5), "");
    s.SetText(3, 5, "abc");
    s.SetText(0, 5, std::string(300, 'x')); // a length above one byte of length prefix
    s.SetText(200, 5, "far");
    EXPECT_EQ(s.Text(3, 5), "abc");
    EXPECT_EQ(s.Text(0, 5), std::string(300, 'x'));
    EXPECT_EQ(s.Text(200, 5), "far");
    EXPECT_EQ(s.Text(1, 5), "");
    s.SetText(3, 5, "xyz"); // same length, in place
    s.SetText(0, 5, "");
    EXPECT_EQ(s.Text(3, 5), "xyz");
    EXPECT_EQ(s.Text(0, 5), "");
    EXPECT_EQ(s.Text(200, 5), "far");
    // Writing a text taken from the store itself.
    s.SetText(1, 5, s.TextView(200, 5));
    EXPECT_EQ(s.Text(1, 5), "far");
}

TEST(CellStore, RowAndColumnMovesCarryTexts)
{
    TCellStore s;
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 3; ++c)
            s.SetText(c, r, std::to_string(c * 10 + r));
    s.MoveRow(0, 3);
    EXPECT_EQ(s.Text(0, 3), "0");
    EXPECT_EQ(s.Text(0, 0), "1");
    s.SwapCols(0, 2);
    EXPECT_EQ(s.Text(2, 3), "0");
    EXPECT_EQ(s.Text(0, 3), "20");
    s.InsertCols(1, 2);
    EXPECT_EQ(s.Text(1, 3), "");
    EXPECT_EQ(s.Text(3, 3), "10");
    s.DeleteCols(1, 2);
    EXPECT_EQ(s.Text(1, 3), "10");
    s.InsertRows(1, 1);
    EXPECT_EQ(s.Text(0, 1), "");
    EXPECT_EQ(s.Text(0, 2), "22");
    s.MoveRowsToEnd(0, 2, 6);
    EXPECT_EQ(s.Text(0, 0), "22");
    EXPECT_EQ(s.Text(0, 5), "");
    EXPECT_EQ(s.Text(0, 4), "21");
}
