// Keyboard and mouse on the grid: the current cell, range selection and clicks.
#include <gtest/gtest.h>

#include "GridTestSupport.h"
#include "platform/forms/Edit.h"
#include "platform/forms/Form.h"
#include "platform/forms/TestInput.h"
#include "platform/forms/Render.h"
#include "platform/forms/TestInput.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace {

TRavArodozIdad* PlacedGrid(TForm& form, int cols, int rows)
{
    form.SetBounds(0, 0, 400, 300);
    auto* g = new TRavArodozIdad(&form);
    g->SetParent(&form);
    g->SetBounds(0, 0, 380, 260);
    g->SetColCountEx(cols);
    g->SetRowCountEx(rows);
    g->SetFixedRowsEx(1);
    g->SetFixedColsEx(0);
    return g;
}

} // namespace

TEST(GridInput, ArrowsMoveTheCurrentCellAndClick)
{
    TForm form(nullptr);
    TRavArodozIdad* g = PlacedGrid(form, 5, 50);
    int clicks = 0;
    g->OnClick = [&](TObject*) { ++clicks; };
    Word key = VK_DOWN;
    g->HandleKeyDown(key, 0);
    EXPECT_EQ(g->Row(), 2);
    key = VK_RIGHT;
    g->HandleKeyDown(key, 0);
    EXPECT_EQ(g->Col(), 1);
    EXPECT_EQ(clicks, 2);
    key = VK_UP;
    g->HandleKeyDown(key, 0);
    key = VK_UP;
    g->HandleKeyDown(key, 0); // the fixed row stops it
    EXPECT_EQ(g->Row(), 1);
    key = VK_NEXT;
    g->HandleKeyDown(key, 0);
    EXPECT_GT(g->Row(), 5);
    EXPECT_GE(g->TopRow() + g->VisibleRowCount() - 1, g->Row());
    key = VK_END;
    g->HandleKeyDown(key, ssCtrl);
    EXPECT_EQ(g->Row(), 49);
    EXPECT_EQ(g->Col(), 4);
    // Shift extends the selection with goRangeSelect.
    key = VK_UP;
    g->HandleKeyDown(key, ssShift);
    EXPECT_EQ(g->Selection(), (TGridRect{4, 48, 4, 49}));
}

// The grid wants the arrows (and Tab with goTabs) from the form, beside other
// controls and alone; without goTabs Tab moves the focus on.
TEST(GridInput, ArrowsAndTabReachAGridOnAForm)
{
    for (const bool alone : {false, true}) {
        SCOPED_TRACE(alone ? "alone" : "beside an edit");
        TForm form(nullptr);
        TRavArodozIdad* g = PlacedGrid(form, 5, 20);
        TEdit* edit = nullptr;
        if (!alone) {
            edit = new TEdit(&form);
            edit->SetParent(&form);
            edit->SetTop(270);
        }
        form.Show();
        g->SetFocus();
        TestInput::PressKey(g, VK_DOWN);
        EXPECT_EQ(g->Row(), 2);
        TestInput::PressKey(g, VK_RIGHT);
        EXPECT_EQ(g->Col(), 1);
        TestInput::PressKey(g, VK_LEFT);
        TestInput::PressKey(g, VK_UP);
        EXPECT_EQ(g->Col(), 0);
        EXPECT_EQ(g->Row(), 1);
        EXPECT_TRUE(g->Focused());
        g->SetOptions(g->Options() | goTabs);
        TestInput::PressKey(g, VK_TAB);
        EXPECT_EQ(g->Col(), 1);
        TestInput::PressKey(g, VK_TAB, ssShift);
        EXPECT_EQ(g->Col(), 0);
        EXPECT_TRUE(g->Focused());
        g->SetOptions(g->Options() & ~goTabs);
        TestInput::PressKey(g, VK_TAB);
        EXPECT_EQ(g->Col(), 0);
        if (edit) {
            EXPECT_TRUE(edit->Focused());
        }
    }
}

TEST(GridInput, ClickSelectsTheCellAndDragSelectsARange)
{
    TForm form(nullptr);
    TRavArodozIdad* g = PlacedGrid(form, 5, 20);
    int clicks = 0;
    g->OnClick = [&](TObject*) { ++clicks; };
    const TRect a = g->TStringGrid::CellRect(1, 2), b = g->TStringGrid::CellRect(3, 4);
    g->HandleMouseDown(mbLeft, 0, a.Left + 3, a.Top + 3);
    EXPECT_EQ(g->Col(), 1);
    EXPECT_EQ(g->Row(), 2);
    g->HandleMouseMove(ssLeft, b.Left + 3, b.Top + 3);
    g->HandleMouseUp(mbLeft, 0, b.Left + 3, b.Top + 3);
    EXPECT_EQ(g->Selection(), (TGridRect{1, 2, 3, 4}));
    EXPECT_EQ(clicks, 1);
    // A click on the header row does not move the current cell.
    const TRect h = g->TStringGrid::CellRect(2, 0);
    g->HandleMouseDown(mbLeft, 0, h.Left + 3, h.Top + 3);
    g->HandleMouseUp(mbLeft, 0, h.Left + 3, h.Top + 3);
    EXPECT_EQ(g->Row(), 4);
}

TEST(GridInput, MergedAreaIsPaintedOnceAndHiddenColumnsAreSkipped)
{
    TForm form(nullptr);
    TRavArodozIdad* g = PlacedGrid(form, 5, 6);
    g->SetColor(clWhite);
    g->SetCellEx(1, 1, "merged");
    g->MergeCells(1, 1, 2, 2);
    g->SetColors(1, 1, clYellow);
    g->SetCellEx(2, 3, "hidden");
    g->SetColors(2, 3, clRed);
    g->HideColumn(2);
    TBitmap bmp;
    RenderControl(g, &bmp);
    const int f = g->FrameWidth();
    // The area covers its four cells in the base cell's colour.
    const TRect area = g->CellRect(1, 1);
    EXPECT_EQ(area, TRect(g->GetCellRect(1, 1).Left, g->GetCellRect(1, 1).Top, g->GetCellRect(2, 2).Right,
                          g->GetCellRect(2, 2).Bottom));
    EXPECT_EQ(bmp.Canvas()->Pixels(area.Right - 4 + f, area.Bottom - 4 + f), clYellow);
    // Display column 2 now shows real column 3: no red there.
    const TRect d2 = g->TStringGrid::CellRect(2, 3);
    EXPECT_EQ(bmp.Canvas()->Pixels(d2.Left + 4 + f, d2.Bottom - 4 + f), clWhite);
}

TEST(GridInput, SizingWithTheOwnerForm)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    int formResizes = 0;
    form.OnResize = [&](TObject*) { ++formResizes; };
    {
        auto* g = new TRavArodozIdad(&form);
        g->SetParent(&form);
        g->SetBounds(0, 0, 200, 100);
        g->SetSizeWithForm(true);
        form.SetBounds(0, 0, 500, 300);
        EXPECT_EQ(g->Width(), 300);
        EXPECT_EQ(g->Height(), 100);
        EXPECT_EQ(formResizes, 1); // the form's own handler still runs
        delete g;
    }
    // The form's handler is given back when the grid goes.
    form.SetBounds(0, 0, 520, 300);
    EXPECT_EQ(formResizes, 2);
}

TEST(GridInput, ScrollHintsNameTheRowOrColumnTheThumbBrings)
{
    TForm form(nullptr);
    TRavArodozIdad* g = PlacedGrid(form, 20, 3);
    g->SetFixedColsEx(1);
    for (int c = 0; c < 20; ++c)
        g->SetColWidths(c, 60);
    g->SetBounds(0, 0, 6 * 60 + 4 + g->ScrollBarSize(), 200); // one fixed and five whole columns
    ASSERT_EQ(g->VisibleColCount(), 5);
    EXPECT_EQ(g->ScrollHintText(false, 64), "");
    g->SetScrollHints(shHorizontal);
    EXPECT_EQ(g->ScrollHintText(false, 64), "Col : 8");
    g->OnScrollHint = [](TObject*, int n, AnsiString& h) { h = "column " + std::to_string(n); };
    EXPECT_EQ(g->ScrollHintText(false, 127), "column 15");
    EXPECT_EQ(g->ScrollHintText(true, 64), "");
}

// With ScrollSynch the grid follows a dragged thumb to the row its scroll hint names.
TEST(GridInput, ScrollSynchFollowsTheThumbToTheHintedRow)
{
    TForm form(nullptr);
    TRavArodozIdad* g = PlacedGrid(form, 3, 500);
    const int visible = g->VisibleRowCount();
    g->SetRowCountEx(visible + 1 + 127); // a row for every thumb step
    g->SetScrollSynch(true);
    g->SetScrollHints(shVertical);
    int hinted = -1;
    g->OnScrollHint = [&](TObject*, int n, AnsiString&) { hinted = n; };
    form.Show();
    // At the top the thumb lies right below the bar's up arrow.
    const int x = g->ClientWidth() - g->ScrollBarSize() / 2, y = g->ScrollBarSize() + 2;
    TestInput::MouseDown(g, x, y);
    for (int dy : {7, 40, 95, 1000}) {
        TestInput::MouseMove(g, x, y + dy, ssLeft);
        EXPECT_EQ(g->TopRow(), hinted) << dy;
    }
    EXPECT_EQ(g->TopRow(), g->RowCount() - visible);
    TestInput::MouseUp(g, x, y + 1000);
}

// Dragging the line after a header cell sizes that column (row), the way a user does it.
TEST(GridInput, DraggingAHeaderLineSizesTheColumnOrRow)
{
    TForm form(nullptr);
    TRavArodozIdad* g = PlacedGrid(form, 5, 20);
    g->SetFixedColsEx(1);
    g->SetOptions(g->Options() | goColSizing | goRowSizing);
    form.Show();
    const TRect c1 = g->TStringGrid::CellRect(1, 0);
    TestInput::MouseDown(g, c1.Right - 1, c1.Top + 5);
    TestInput::MouseMove(g, c1.Right + 29, c1.Top + 5, ssLeft);
    TestInput::MouseUp(g, c1.Right + 29, c1.Top + 5);
    EXPECT_EQ(g->ColWidths(1), c1.Width() + 30);
    EXPECT_EQ(g->Row(), 1); // sizing is no click on a cell
    const TRect r3 = g->TStringGrid::CellRect(0, 3);
    TestInput::MouseDown(g, r3.Left + 5, r3.Top + 1); // the line above row 3 belongs to row 2
    TestInput::MouseMove(g, r3.Left + 5, r3.Top + 11, ssLeft);
    TestInput::MouseUp(g, r3.Left + 5, r3.Top + 11);
    EXPECT_EQ(g->RowHeights(2), r3.Height() + 10);
    // Without the options the same drag selects instead.
    g->SetOptions(g->Options() & ~(goColSizing | goRowSizing));
    const int w = g->ColWidths(2);
    const TRect c2 = g->TStringGrid::CellRect(2, 0);
    TestInput::MouseDown(g, c2.Right - 1, c2.Top + 5);
    TestInput::MouseMove(g, c2.Right + 20, c2.Top + 5, ssLeft);
    TestInput::MouseUp(g, c2.Right + 20, c2.Top + 5);
    EXPECT_EQ(g->ColWidths(2), w);
}

// Over a line a press would grab, the mouse shows the split cursor; elsewhere the grid's own.
TEST(GridInput, TheCursorShowsWhereALineCanBeDragged)
{
    TForm form(nullptr);
    TRavArodozIdad* g = PlacedGrid(form, 5, 20);
    g->SetFixedColsEx(1);
    g->SetCursorEx(crHandPoint);
    form.Show();
    const TRect c1 = g->TStringGrid::CellRect(1, 0);
    const TRect r3 = g->TStringGrid::CellRect(0, 3);
    const TRect d = g->TStringGrid::CellRect(2, 3);
    struct Case {
        TGridOptions Options;
        int X, Y;
        TCursor Shown;
    } cases[] = {
        {goColSizing | goRowSizing, c1.Right - 1, c1.Top + 5, crHSplit},  // column line in the header
        {goColSizing | goRowSizing, r3.Left + 5, r3.Top + 1, crVSplit},   // row line in the fixed column
        {goColSizing | goRowSizing, c1.Left + c1.Width() / 2, c1.Top + 5, crHandPoint},
        {goColSizing | goRowSizing, d.Right - 1, d.Top + 5, crHandPoint}, // data cells size nothing
        {goRowSizing, c1.Right - 1, c1.Top + 5, crHandPoint},
        {goColSizing, r3.Left + 5, r3.Top + 1, crHandPoint},
    };
    const TGridOptions base = g->Options() & ~(goColSizing | goRowSizing);
    for (const Case& k : cases) {
        g->SetOptions(base | k.Options);
        TestInput::MouseMove(g, k.X, k.Y);
        EXPECT_EQ(TestInput::ShownCursor(g), k.Shown) << k.X << "," << k.Y;
    }
    // While a line is dragged the split cursor stays, also where the mouse leaves the line.
    g->SetOptions(base | goColSizing);
    TestInput::MouseMove(g, c1.Right - 1, c1.Top + 5);
    TestInput::MouseDown(g, c1.Right - 1, c1.Top + 5);
    TestInput::MouseMove(g, c1.Right + 29, d.Top + 5, ssLeft);
    EXPECT_EQ(TestInput::ShownCursor(g), crHSplit);
    TestInput::MouseUp(g, c1.Right + 29, d.Top + 5);
}

// The very first paint already shows a merged area whose base cell is scrolled away.
TEST(GridInput, FirstPaintShowsAMergedAreaWhoseBaseIsScrolledAway)
{
    TForm form(nullptr);
    TRavArodozIdad* g = PlacedGrid(form, 5, 40);
    g->SetColor(clWhite);
    g->MergeCells(1, 1, 1, 5);
    g->SetColors(1, 1, clYellow);
    g->SetTopRow(3);
    TBitmap bmp;
    RenderControl(g, &bmp);
    const int f = g->FrameWidth();
    const TRect shown = g->TStringGrid::CellRect(1, 4);
    EXPECT_EQ(bmp.Canvas()->Pixels(shown.Left + 4 + f, shown.Top + 4 + f), clYellow);
}
