// Painting: the three looks of the program's tables rendered to PNG, and pixel checks.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "components/grid/Ravgrid.h"
#include "components/grid/RavgridHint.h"
#include "platform/forms/Form.h"
#include "platform/forms/Render.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "tests/support/TestOutput.h"

namespace {

// A result table as the program sets it up: black, lime bold text, a header row,
// a vertical scroll bar, numbers aligned right.
TRavArodozIdad* MakeTable(TForm* form, int cols, int rows, int left, int top, int width, int height)
{
    auto* g = new TRavArodozIdad(form);
    g->SetParent(form);
    g->SetBounds(left, top, width, height);
    g->SetColor(clBlack);
    g->Font()->SetColor(clLime);
    g->Font()->SetStyle(fsBold);
    g->SetDefaultColWidth(58);
    g->SetColCountEx(cols);
    g->SetRowCountEx(rows);
    g->SetFixedRowsEx(1);
    g->SetFixedColsEx(0);
    g->SetScrollBars(ssVertical);
    g->SetFloatFormat("%.5f");
    g->SetFixedAsButtons(true);
    g->SetAutoNumAlign(true);
    TStringList h;
    for (const char* t : {"Step", "Func", "Freq", "Value", "Unit", "Verdict", "Lo", "Hi"})
        h.Add(t);
    g->SetColumnHeaders(&h);
    for (int r = 1; r < rows; ++r) {
        g->SetInts(0, r, r);
        g->SetCellEx(1, r, r % 2 ? "Cp" : "Rs");
        g->SetFloats(2, r, 0.1 * r);
        g->SetFloats(3, r, 1.5 + r / 7.0);
        g->SetCellEx(4, r, "nF");
        g->SetCellEx(5, r, r % 3 == 0 ? "FAIL" : "PASS");
    }
    return g;
}

// The program's colouring: verdict cells green or red, the step column grey.
void ColourVerdicts(TRavArodozIdad* g)
{
    g->OnGetCellColor = [](TObject* Sender, int ARow, int ACol, TGridDrawState, TBrush* b, TFont* f) {
        auto* grid = static_cast<TRavArodozIdad*>(Sender);
        if (ARow == 0)
            return;
        if (ACol == 5) {
            const bool pass = grid->GetCellEx(5, ARow) == "PASS";
            b->SetColor(pass ? clGreen : clRed);
            f->SetColor(clWhite);
        }
    };
}

TColor PixelAt(TControl* c, int x, int y)
{
    TBitmap bmp;
    RenderControl(c, &bmp);
    return bmp.Canvas()->Pixels(x, y);
}

TPoint CellCentre(TRavArodozIdad* g, int c, int r)
{
    const TRect R = g->CellRect(c, r);
    return TPoint((R.Left + R.Right) / 2 + g->FrameWidth(), R.Top + 4 + g->FrameWidth());
}

} // namespace

TEST(GridPaint, SoftLookWithBorderAndCellColours)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 420, 220);
    TRavArodozIdad* g = MakeTable(&form, 8, 30, 8, 8, 400, 200);
    g->SetShowSelection(false);
    g->Options();
    g->SetOptions(g->Options() | goRangeSelect | goEditing);
    ColourVerdicts(g);
    g->SetColors(2, 2, clNavy); // a cell with its own colour
    ASSERT_TRUE(SaveControlToPng(&form, TestOutputPath("grid_soft_border.png")));
    // Fixed header cell in the fixed colour, verdict cells coloured by the event.
    const TPoint head = CellCentre(g, 1, 0);
    EXPECT_EQ(PixelAt(g, head.x - 12, head.y), ColorToRGB(g->FixedColor()));
    const TPoint fail = CellCentre(g, 5, 3);
    EXPECT_EQ(PixelAt(g, fail.x - 18, fail.y), clRed);
    const TPoint pass = CellCentre(g, 5, 1);
    EXPECT_EQ(PixelAt(g, pass.x - 18, pass.y), clGreen);
    const TPoint own = CellCentre(g, 2, 2);
    EXPECT_EQ(PixelAt(g, own.x + 16, own.y - 2), clNavy);
    // The soft look's outer ring takes the parent's colour, the inner one grey.
    EXPECT_EQ(PixelAt(g, 0, 50), ColorToRGB(form.Color()));
    EXPECT_EQ(PixelAt(g, 1, 50), TColorOf(0x808080));
}

TEST(GridPaint, FlatWithSelectionRectangleAndHint)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 420, 240);
    TRavArodozIdad* g = MakeTable(&form, 8, 40, 8, 8, 400, 180);
    g->SetFlat(true);
    g->SetSelectionRectangle(true);
    g->SetSelectionColor(clAqua);
    g->SetSelectionTextColor(clBlack);
    ColourVerdicts(g);
    g->SelectRange(0, 4, 2, 4);
    g->SetShowHint(true);
    g->OnGridHint = [](TObject* Sender, int ARow, int ACol, AnsiString& h) {
        auto* grid = static_cast<TRavArodozIdad*>(Sender);
        if (ARow > 0 && ACol == 5)
            h = "Step " + grid->GetCellEx(0, ARow) + ": " + grid->GetCellEx(5, ARow);
    };
    // Rest the mouse on a verdict cell: the hint window shows the event's text.
    const TRect vr = g->CellRect(5, 6);
    g->HandleMouseMove(0, vr.Left + 5, vr.Top + 5);
    ASSERT_NE(g->HintWindow(), nullptr);
    EXPECT_TRUE(g->HintWindow()->Visible());
    EXPECT_EQ(g->HintWindow()->Caption(), "Step 6: FAIL");
    // For the picture the hint window lies on the form below its cell.
    THTMLHintWindow* hint = g->HintWindow();
    hint->SetParent(&form);
    const int hx = g->Left() + g->FrameWidth() + vr.Left, hy = g->Top() + g->FrameWidth() + vr.Bottom + 6;
    hint->SetBounds(hx, hy, hint->Width(), hint->Height());
    hint->BringToFront();
    ASSERT_TRUE(SaveControlToPng(&form, TestOutputPath("grid_flat_selection_hint.png")));

    const TPoint sel = CellCentre(g, 1, 3);
    EXPECT_EQ(PixelAt(g, sel.x + 14, sel.y), clAqua);
    const TPoint unsel = CellCentre(g, 1, 6);
    EXPECT_EQ(PixelAt(g, unsel.x + 14, unsel.y), clBlack);
    // Flat: a one-pixel frame, no soft ring.
    EXPECT_EQ(PixelAt(g, 0, 50), ColorToRGB(clWindowFrame));
}

TEST(GridPaint, FlatScrollBarLook)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 420, 220);
    TRavArodozIdad* g = MakeTable(&form, 8, 200, 8, 8, 400, 200);
    g->SetFlat(true);
    g->SetScrollType(ssFlat);
    g->SetSelectionRectangle(true);
    g->SetSelectionColor(clAqua);
    g->SetOptions(g->Options() | goRowSelect);
    ColourVerdicts(g);
    g->SelectRows(5, 1);
    g->SetTopRow(3);
    EXPECT_TRUE(g->VScrollShown());
    EXPECT_TRUE(g->FlatInitialized());
    ASSERT_TRUE(SaveControlToPng(&form, TestOutputPath("grid_flat_scrollbar.png")));
    const TRect v = g->VScrollRect();
    EXPECT_EQ(PixelAt(g, v.Left + 2 + g->FrameWidth(), v.Bottom - 30 + g->FrameWidth()), TColorOf(0xE8E8E8));
}

TEST(GridPaint, PaintingAndHitTestingFollowTheScrolledWindow)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 420, 220);
    TRavArodozIdad* g = MakeTable(&form, 8, 1001, 0, 0, 400, 200);
    g->SetTopRow(990);
    EXPECT_EQ(g->TopRow(), std::min(990, 1001 - g->VisibleRowCount()));
    const TRect r = g->CellRect(2, g->TopRow());
    int c = -1, row = -1;
    g->MouseToCell(r.Left + 3, r.Top + 3, c, row);
    EXPECT_EQ(c, 2);
    EXPECT_EQ(row, g->TopRow());
    g->MouseToCell(r.Left + 3, 5, c, row);
    EXPECT_EQ(row, 0); // the fixed header row stays on top
    EXPECT_TRUE(g->TStringGrid::CellRect(2, 5).IsEmpty()); // the visible rectangle
    // Out of view the grid's own rectangle lies above the client area.
    EXPECT_LT(g->GetCellRect(2, 5).Top, 0);
    TBitmap bmp;
    RenderControl(g, &bmp);
    EXPECT_GT(g->PaintCount(), 0);
}
