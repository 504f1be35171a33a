// The integer list, the sort index list and the file picture.
#include <gtest/gtest.h>

#include "components/grid/Ravobj.h"
#include "components/grid/RavobjWindows.h"

TEST(IntList, TextFormAndChangeNotification)
{
    TIntList l(4, 7);
    int calls = 0, col = -1, row = -1;
    l.OnChange = [&](TObject*, int c, int r) {
        ++calls;
        col = c;
        row = r;
    };
    l.Add(3);
    l.Add(-1);
    l.Add(20);
    EXPECT_EQ(l.GetStrValue(), "3,-1,20");
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(col, 4);
    EXPECT_EQ(row, 7);
    l.SetInteger(1, 5);
    l.Delete(0);
    EXPECT_EQ(calls, 5);
    l.SetStrValue("7, 8");
    EXPECT_EQ(l.Count(), 2);
    EXPECT_EQ(l[0], 7);
    EXPECT_EQ(l[1], 8);
    l.SetStrValue("");
    EXPECT_EQ(l.Count(), 0);
    EXPECT_THROW(l.SetStrValue("1,x"), EConvertError);
    EXPECT_THROW(l.GetInteger(5), EListError);
}

TEST(SortIndexList, DescendingBitAndToggle)
{
    TSortIndexList l;
    l.AddIndex(4, false);
    EXPECT_EQ(unsigned(l[0]), 0x80000004u);
    EXPECT_EQ(l.FindIndex(4), 0);
    EXPECT_EQ(l.FindIndex(5), -1);
    l.ToggleIndex(4);
    EXPECT_EQ(l[0], 4);
    l.ToggleIndex(9); // absent: nothing
    EXPECT_EQ(l.Count(), 1);
}

TEST(FilePicture, EmptyNameDrawsNothingAndMissingFileFails)
{
    TFilePicture p;
    p.DrawPicture(nullptr, TRect(0, 0, 10, 10));
    EXPECT_THROW(p.SetFilename("/nonexistent/Verdict.BMP"), Exception);
    // The name is kept as given, case included.
    EXPECT_EQ(p.Filename(), "/nonexistent/Verdict.BMP");
}

TEST(ArrowWindow, OutlinesPointTheirWay)
{
    TArrowWindow up(nullptr, arrUp), right(nullptr, arrRight);
    ASSERT_EQ(up.Outline().size(), 7u);
    EXPECT_EQ(up.Outline()[0], TPoint(5, 0)); // the tip on top
    EXPECT_EQ(right.Outline()[0], TPoint(0, 5)); // placed right of its target, pointing left
    EXPECT_FALSE(up.Visible());
    EXPECT_EQ(up.Color(), clLime);
    TPopupButton b(nullptr);
    EXPECT_FALSE(b.Enabled());
    EXPECT_EQ(b.Color(), clBtnFace);
}
