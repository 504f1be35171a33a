// Painting: the three looks of the program's tables rendered to PNG, and pixel checks.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "components/grid/Ravgrid.h"
#include "components/grid/RavgridHint.h"
#include "platform/forms/Form.h"
#include "platform/forms/HintWindow.h"
#include "platform/forms/Panel.h"
#include "platform/forms/TestInput.h"
#include "platform/forms/Render.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "tests/support/TestOutput.h"

using enum Ravbase::TVAlignment;

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

// UseHTMLHints shows the hint of any control of the application in the markup hint
// window, and gives the desktop's tool tip back when switched off.
TEST(GridPaint, UseHTMLHintsReachesEveryControl)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 200);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(10, 10, 100, 50);
    panel->SetHint("<b>Bias</b> on");
    panel->SetShowHint(true);
    auto* g = new TRavArodozIdad(&form);
    g->SetParent(&form);
    g->SetBounds(10, 80, 200, 100);
    form.Show();
    EXPECT_FALSE(g->UseHTMLHints());
    g->SetUseHTMLHints(true);
    EXPECT_TRUE(g->UseHTMLHints());
    TestInput::RestMouse(panel, 20, 20);
    auto* shown = dynamic_cast<THTMLHintWindow*>(ApplicationHintWindow());
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->Visible());
    EXPECT_EQ(shown->Caption(), "<b>Bias</b> on");
    TBitmap plain;
    plain.Canvas()->Font()->Assign(shown->Font());
    EXPECT_LT(shown->TextWidth(), plain.Canvas()->TextWidth("<b>Bias</b> on")); // the tags are not shown
    g->SetUseHTMLHints(false);
    EXPECT_EQ(ApplicationHintWindow(), nullptr);
    TestInput::RestMouse(panel, 20, 20);
    EXPECT_EQ(ApplicationHintWindow(), nullptr);
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

namespace {

// Counts the pixels of one colour inside a cell's text area.
int CountColour(TRavArodozIdad* g, int c, int r, TColor colour)
{
    TBitmap bmp;
    RenderControl(g, &bmp);
    const TRect R = g->CellRect(c, r);
    const int f = g->FrameWidth();
    const TColor want = ColorToRGB(colour);
    int n = 0;
    for (int y = R.Top + 2; y < R.Bottom - 2; ++y)
        for (int x = R.Left + 2; x < R.Right - 2; ++x)
            n += bmp.Canvas()->Pixels(x + f, y + f) == want;
    return n;
}

} // namespace

// A selected row shows its text in SelectionTextColor (the class library's
// highlight text by default); the cell's own font colour is not kept.
TEST(GridPaint, SelectedRowTextTakesSelectionTextColor)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 420, 220);
    TRavArodozIdad* g = MakeTable(&form, 8, 20, 8, 8, 400, 200);
    g->SetFlat(true);
    g->SetSelectionColor(clAqua);
    g->SetOptions(g->Options() | goRowSelect);
    g->SetRow(5);
    struct Case {
        TColor textColour, expected;
    } cases[] = {{clHighlightText, clHighlightText}, {clNavy, clNavy}, {clNone, clLime}};
    for (const Case& k : cases) {
        g->SetSelectionTextColor(k.textColour);
        EXPECT_GT(CountColour(g, 3, 5, k.expected), 3) << std::hex << k.textColour;
        if (k.expected != clLime) {
            EXPECT_EQ(CountColour(g, 3, 5, clLime), 0);
        }
        EXPECT_GT(CountColour(g, 3, 5, clAqua), 100);
        // An unselected row keeps the grid's lime text on black.
        EXPECT_GT(CountColour(g, 3, 6, clLime), 3);
    }
    // With the focus the current cell is drawn selected too (the grid sets
    // goDrawFocusSelected); without that option it keeps its own text colour.
    g->SetSelectionTextColor(clHighlightText);
    form.Show();
    g->SetFocus();
    ASSERT_TRUE(g->Focused());
    g->SetCol(3);
    ASSERT_TRUE(g->Options() & goDrawFocusSelected);
    EXPECT_EQ(CountColour(g, 3, 5, clLime), 0);
    EXPECT_GT(CountColour(g, 3, 5, clHighlightText), 3);
    g->SetOptions(g->Options() & ~goDrawFocusSelected);
    EXPECT_GT(CountColour(g, 3, 5, clLime), 3);
    EXPECT_GT(CountColour(g, 3, 5, clAqua), 100);
    EXPECT_EQ(CountColour(g, 2, 5, clLime), 0);
}

// Automatic sizing measures the text as it is painted, zoom included.
TEST(GridPaint, AutoSizeFollowsTheZoom)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 420, 220);
    TRavArodozIdad* g = MakeTable(&form, 8, 6, 8, 8, 400, 200);
    g->SetCellEx(1, 2, "a rather long cell text");
    g->AutoSizeCol(1);
    const int plain = g->ColWidths(1);
    const TPoint before = g->GetCellTextSize(1, 2, false);
    g->Zoom(6);
    const TPoint after = g->GetCellTextSize(1, 2, false);
    EXPECT_GT(after.x, before.x + 20);
    EXPECT_GT(after.y, before.y);
    g->AutoSizeCol(1);
    EXPECT_GE(g->ColWidths(1), plain + 20);
}

namespace {

// A bitmap of two vertical stripes: red columns 0..4, blue 5..9.
void StripeBitmap(TBitmap* b)
{
    b->SetSize(10, 10);
    b->Canvas()->Brush()->SetColor(clRed);
    b->Canvas()->FillRect(TRect(0, 0, 5, 10));
    b->Canvas()->Brush()->SetColor(clBlue);
    b->Canvas()->FillRect(TRect(5, 0, 10, 10));
}

} // namespace

// The background bitmap shows in the cells of its class, tiled across the cells
// or at one place, but never under a cell painted selected.
TEST(GridPaint, BackgroundBitmapTilesAndStaysOutOfTheSelection)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 420, 220);
    TRavArodozIdad* g = MakeTable(&form, 8, 20, 8, 8, 400, 200);
    g->SetDefaultColWidth(53); // 53 mod 10 = 3: each column starts the stripes elsewhere
    g->SelectRange(4, 4, 3, 3);
    for (int c = 1; c <= 3; ++c)
        g->SetCellEx(c, 2, ""); // room to see the tiles
    TBitmap stripes;
    StripeBitmap(&stripes);
    g->BackGround()->SetBitmap(&stripes);
    TBitmap bmp;
    RenderControl(g, &bmp);
    ASSERT_TRUE(SaveControlToPng(g, TestOutputPath("grid_background_tiles.png")));
    const int f = g->FrameWidth();
    auto at = [&](int x, int y) { return bmp.Canvas()->Pixels(x + f, y + f); };
    // Tiles start one pixel left of and above the cell rectangle inside the lines.
    for (int c : {1, 2, 3}) {
        const TRect R = g->CellRect(c, 2);
        const int x0 = R.Left, offset = int((53LL * c) % 10);
        for (int dx = 0; dx < 10; ++dx)
            EXPECT_EQ(at(x0 + dx, R.Top + 8), ((offset + dx) % 10) < 5 ? clRed : clBlue) << c << " " << dx;
    }
    const TRect head = g->CellRect(2, 0);
    EXPECT_EQ(at(head.Left + 6, head.Top + 4), ColorToRGB(g->FixedColor())); // bcNormal: not in fixed cells
    const TRect sel = g->CellRect(4, 3);
    EXPECT_EQ(at(sel.Left + 3, sel.Top + 3), ColorToRGB(clHighlight));

    // Fixed display: only where the bitmap lies, in fixed cells too with bcAll.
    g->BackGround()->SetDisplay(bdFixed);
    g->BackGround()->SetCells(bcAll);
    g->BackGround()->SetLeft(3);
    g->BackGround()->SetTop(3);
    RenderControl(g, &bmp);
    EXPECT_EQ(at(4, 4), clRed);
    EXPECT_EQ(at(10, 10), clBlue);
    const TRect far = g->CellRect(3, 4);
    EXPECT_EQ(at(far.Left + 5, far.Top + 5), clBlack);
}

// While updates are locked no cell paints; the first unlock of the last lock paints again.
TEST(GridPaint, LockedGridPaintsNoCells)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 420, 220);
    TRavArodozIdad* g = MakeTable(&form, 8, 20, 8, 8, 400, 200);
    TBitmap bmp;
    g->BeginUpdate();
    g->BeginUpdate();
    g->EndUpdate();
    const int before = g->PaintCount();
    RenderControl(g, &bmp);
    EXPECT_EQ(g->PaintCount(), before);
    g->EndUpdate();
    RenderControl(g, &bmp);
    EXPECT_EQ(g->PaintCount(), before + 1);
}

// Order of precedence of a cell's colours: own colour over the grid colour and
// bands, the fixed colour over both, then the own colour again and the event,
// and the selection last.
TEST(GridPaint, CellColourPrecedence)
{
    TForm form(nullptr);
    auto* g = new TRavArodozIdad(&form);
    g->SetColCountEx(4);
    g->SetRowCountEx(6);
    g->SetFixedRowsEx(1);
    g->SetFixedColsEx(1);
    g->SetColor(clWhite);
    g->SetFixedColor(clSilver);
    g->Font()->SetColor(clLime);
    g->SetSelectionColor(clAqua);
    g->SetSelectionTextColor(clNavy);
    g->Bands()->SetPrimaryColor(clYellow);
    g->Bands()->SetSecondaryColor(clOlive);
    g->Bands()->SetActive(true);
    g->SetColors(2, 0, clPurple); // fixed cell with its own colour
    g->SetColors(2, 2, clTeal);   // data cell with its own colour
    g->SetColors(3, 0, clPurple); // fixed, own colour, event
    g->OnGetCellColor = [](TObject*, int ARow, int ACol, TGridDrawState, TBrush* b, TFont* f) {
        if (ACol == 3 && (ARow == 0 || ARow == 2)) {
            b->SetColor(clRed);
            f->SetColor(clWhite);
        }
    };
    g->SelectRange(2, 3, 2, 2);
    const struct {
        int col, row;
        bool select;
        TColor brush, font;
    } cases[] = {
        {1, 0, true, clSilver, g->FixedFont()->Color()},
        {2, 0, true, clPurple, g->FixedFont()->Color()},
        {3, 0, true, clRed, clWhite},
        {1, 3, true, clYellow, clLime}, // bands in the data area only
        {0, 3, true, clSilver, g->FixedFont()->Color()},
        {2, 2, false, clTeal, clLime},
        {3, 2, false, clRed, clWhite},
        {2, 2, true, clAqua, clNavy},
        {3, 2, true, clAqua, clNavy},
    };
    for (const auto& k : cases) {
        TBrush b;
        TFont f;
        TGridDrawState st = 0;
        TAlignment ha = taLeftJustify;
        TVAlignment va = vtaTop;
        bool ww = false;
        g->GetVisualProperties(k.col, k.row, st, false, k.select, true, &b, &f, ha, va, ww);
        EXPECT_EQ(b.Color(), k.brush) << k.col << "," << k.row << " select " << k.select;
        EXPECT_EQ(f.Color(), k.font) << k.col << "," << k.row << " select " << k.select;
    }
}

namespace {

// Text pixels (the font colour) in a horizontal band of a cell.
int TextPixelsInBand(TRavArodozIdad* g, int c, int r, int fromY, int toY)
{
    TBitmap bmp;
    RenderControl(g, &bmp);
    const TRect R = g->CellRect(c, r);
    const int f = g->FrameWidth();
    int n = 0;
    for (int y = R.Top + fromY; y < R.Top + toY; ++y)
        for (int x = R.Left + 1; x < R.Right - 1; ++x)
            n += bmp.Canvas()->Pixels(x + f, y + f) == clLime;
    return n;
}

} // namespace

// Word wrap breaks a long text into the lines below; the vertical alignment
// moves a single line to the middle or the bottom of a tall row.
TEST(GridPaint, WordWrapAndVerticalAlignment)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 420, 220);
    TRavArodozIdad* g = MakeTable(&form, 8, 6, 8, 8, 400, 200);
    g->SetRowHeights(2, 66);
    g->SetCellEx(1, 2, "alpha beta gamma delta");
    g->SetColWidths(1, 100); // two lines when wrapped
    g->Canvas()->Font()->Assign(g->Font());
    const int line = g->Canvas()->TextHeight("hg");
    const struct {
        bool wrap;
        TVAlignment va;
        bool top, middle, bottom;
    } cases[] = {
        {false, vtaTop, true, false, false},
        {true, vtaTop, true, true, false},
        {false, vtaCenter, false, true, false},
        {false, vtaBottom, false, false, true},
    };
    for (const auto& k : cases) {
        g->SetWordWrap(k.wrap);
        g->SetVAlignment(k.va);
        EXPECT_EQ(TextPixelsInBand(g, 1, 2, 2, 2 + line) > 0, k.top) << k.wrap << " " << int(k.va);
        EXPECT_EQ(TextPixelsInBand(g, 1, 2, 33 - line / 2, 33 + line / 2) > 0, k.middle) << k.wrap << " " << int(k.va);
        EXPECT_EQ(TextPixelsInBand(g, 1, 2, 66 - line, 66) > 0, k.bottom) << k.wrap << " " << int(k.va);
    }
}

// A link in a selected cell takes SelectionTextColor; clNone keeps the link colour.
TEST(GridPaint, SelectedLinkColour)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 420, 220);
    TRavArodozIdad* g = MakeTable(&form, 8, 20, 8, 8, 400, 200);
    g->SetColWidths(1, 150);
    g->SetURLShow(true);
    g->SetURLColor(clRed);
    g->SetCellEx(1, 4, "http://example.org");
    g->SetSelectionColor(clAqua);
    g->SelectRange(1, 1, 4, 4);
    g->SetSelectionTextColor(clNavy);
    EXPECT_GT(CountColour(g, 1, 4, clNavy), 10);
    g->SetSelectionTextColor(clNone);
    EXPECT_GT(CountColour(g, 1, 4, clRed), 10);
    EXPECT_EQ(CountColour(g, 1, 4, clWhite), 0);
}

// Without a selection colour a selected cell is painted in the system highlight.
TEST(GridPaint, SelectionColorNoneShowsHighlight)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 420, 220);
    TRavArodozIdad* g = MakeTable(&form, 8, 20, 8, 8, 400, 200);
    g->SelectRange(2, 2, 3, 3);
    g->SetSelectionColor(clNone);
    EXPECT_GT(CountColour(g, 2, 3, clHighlight), 100);
    EXPECT_EQ(CountColour(g, 2, 4, clHighlight), 0);
}

// The four looks of the fixed cells, side by side in one picture.
TEST(GridPaint, FixedCellLooks)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 420, 300);
    const TGridLook looks[] = {glStandard, glSoft, glClassic, glQSW};
    TRavArodozIdad* grids[4];
    for (int i = 0; i < 4; ++i) {
        grids[i] = MakeTable(&form, 4, 3, 8, 8 + 70 * i, 400, 66);
        grids[i]->SetFixedColsEx(1);
        grids[i]->SetScrollBars(ssNone);
        grids[i]->SetLook(looks[i]);
    }
    ASSERT_TRUE(SaveControlToPng(&form, TestOutputPath("grid_fixed_looks.png")));
    // Soft: a white line along the top of a header cell, a dark one at its bottom.
    const TRect h = grids[1]->CellRect(2, 0);
    const int f = grids[1]->FrameWidth();
    EXPECT_EQ(PixelAt(grids[1], h.Left + 10 + f, h.Top + f), clWhite);
    EXPECT_EQ(PixelAt(grids[1], h.Left + 10 + f, h.Bottom - 1 + f), ColorToRGB(DarkenColor(grids[1]->FixedColor())));
    // QSW: the header starts with the first gradient colour.
    const TRect q = grids[3]->CellRect(2, 0);
    EXPECT_EQ(PixelAt(grids[3], q.Left + 10 + f, q.Top + 2 + f), ColorToRGB(grids[3]->QSWGradFrom()));
}

namespace {
// An application's grid whose third column is filtered.
class FilteredGrid : public TRavArodozIdad {
public:
    using TRavArodozIdad::TRavArodozIdad;
    bool GetFilter(int ACol) override { return ACol == 2; }
};
} // namespace

// Node rows with ShowTree draw the outline's lines in the indent: to the middle of
// every row, on down past a middle child, and no further than the middle of a last
// child. A filtered column's header shows its button in its right 16 pixels, and its
// text stops short of it.
TEST(GridPaint, TreeLinesAndFilterButton)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 340, 230);
    auto* g = new FilteredGrid(&form);
    g->SetParent(&form);
    g->SetBounds(0, 0, 320, 200);
    g->SetColor(clWhite);
    g->SetColCountEx(3);
    g->SetRowCountEx(8);
    g->SetFixedRowsEx(1);
    g->SetFixedColsEx(0);
    g->SetColWidths(0, 90);
    g->SetColWidths(2, 100);
    g->SetScrollBars(ssNone);
    g->SetCellEx(2, 0, "WWWWWWWWWWWWWW");
    g->AddNode(1, 3);
    g->AddNode(4, 3);
    for (int r = 1; r < 7; ++r)
        g->SetCellEx(0, r, r == 1 || r == 4 ? "Group" : "Item " + std::to_string(r));
    g->CellNode()->SetShowTree(true);
    ASSERT_TRUE(SaveControlToPng(&form, TestOutputPath("grid_tree_lines_filter.png")));
    TBitmap shot;
    RenderControl(g, &shot);
    const int f = g->FrameWidth();
    // The line's dots, a pixel either side of where it runs.
    auto silverBetween = [&](int x, int y1, int y2) {
        for (int y = y1; y < y2; ++y)
            for (int dx = -1; dx <= 1; ++dx)
                if (shot.Canvas()->Pixels(x + dx + f, y + f) == TColorOf(0xC0C0C0))
                    return true;
        return false;
    };
    const TRect middle = g->CellRect(0, 2), last = g->CellRect(0, 3);
    const int lineX = middle.Left + 16 - 8;
    const int mid = (middle.Top + middle.Bottom) / 2;
    EXPECT_TRUE(silverBetween(lineX, middle.Top, mid));
    EXPECT_TRUE(silverBetween(lineX, mid + 1, middle.Bottom)); // a middle child's line goes on down
    EXPECT_TRUE(silverBetween(lineX, last.Top, (last.Top + last.Bottom) / 2));
    EXPECT_FALSE(silverBetween(lineX, (last.Top + last.Bottom) / 2 + 2, last.Bottom - 1)); // the last stops
    // Without ShowTree no line.
    g->CellNode()->SetShowTree(false);
    RenderControl(g, &shot);
    EXPECT_FALSE(silverBetween(lineX, middle.Top, middle.Bottom));

    // The filter button: its outline in the header's right 16 pixels, no text under it.
    const TRect h = g->CellRect(2, 0), plain = g->CellRect(1, 0);
    const int top = h.Top + std::max(0, (h.Height() - 16) / 2);
    EXPECT_EQ(shot.Canvas()->Pixels(h.Right - 16 + 7 + f, top + 4 + f), clBlack);
    auto darkIn = [&](const TRect& R) {
        for (int y = R.Top; y < R.Bottom; ++y)
            for (int x = R.Left; x < R.Right; ++x) {
                const TColor c = shot.Canvas()->Pixels(x + f, y + f);
                if (GetRValue(c) < 0x60 && GetGValue(c) < 0x60 && GetBValue(c) < 0x60)
                    return true;
            }
        return false;
    };
    EXPECT_TRUE(darkIn(TRect(h.Left + 4, h.Top + 3, h.Left + 30, h.Bottom - 3))); // the text is there
    EXPECT_FALSE(darkIn(TRect(h.Right - 18, h.Top + 3, h.Right - 15, h.Bottom - 3)));
    EXPECT_FALSE(darkIn(TRect(plain.Right - 16 + 3, top + 4, plain.Right - 16 + 13, top + 12)));
}
