// Rich text cells: RTF in and out of the rich edits, editing in place with the formatting
// kept, the row growing while typing, painting and measuring.
#include <gtest/gtest.h>

#include <algorithm>

#include "components/grid/Ravgrid.h"
#include "components/grid/RavgridRich.h"
#include "components/grid/RavgridSettings.h"
#include "platform/forms/Edit.h"
#include "platform/forms/Form.h"
#include "platform/forms/Render.h"
#include "platform/forms/TestInput.h"
#include "platform/forms/VirtualKeys.h"
#include "platform/graphics/RichText.h"
#include "tests/support/TestOutput.h"

namespace {

const AnsiString kBoldRed = "{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red255\\green0\\blue0;}\\fs20\\b\\cf1 Bold}";

struct GridRich : ::testing::Test {
    TForm form{nullptr};
    TRavArodozIdad* g = nullptr;

    void SetUp() override
    {
        form.SetBounds(0, 0, 420, 260);
        g = new TRavArodozIdad(&form);
        g->SetParent(&form);
        g->SetBounds(0, 0, 400, 200);
        g->SetColCountEx(3);
        g->SetRowCountEx(4);
        g->SetFixedRowsEx(1);
        g->SetFixedColsEx(0);
        g->SetOptions(g->Options() | goEditing);
        g->OnGetEditorType = [](TObject*, int, int, TEditorType& E) { E = edRichEdit; };
        form.Show();
        g->SetFocus();
    }
    TWinControl* Focus() { return form.ActiveControl() ? form.ActiveControl() : &form; }
    void Press(Word Key, TShiftState Shift = 0) { TestInput::PressKeyOnForm(&form, Key, Shift); }
    void Type(const AnsiString& Text)
    {
        for (char c : Text)
            TestInput::TypeText(Focus(), AnsiString(1, c));
    }
    static TRichTextContent Cell(const AnsiString& S) { return RtfToContent(S); }
};

} // namespace

TEST_F(GridRich, CellToRichAndBackKeepsTheFormatting)
{
    g->SetCellEx(1, 1, kBoldRed);
    ZIduVavuRaro* e = g->RichEdit();
    g->CellToRich(1, 1, e);
    EXPECT_EQ(e->Text(), "Bold");
    g->RichToCell(2, 2, e);
    const AnsiString stored = g->Cells(2, 2);
    EXPECT_TRUE(IsRtfText(stored));
    const TRichTextContent c = Cell(stored);
    ASSERT_EQ(c.size(), 1u);
    ASSERT_EQ(c[0].Runs.size(), 1u);
    EXPECT_EQ(c[0].Runs[0].Style, fsBold);
    EXPECT_EQ(c[0].Runs[0].Color, clRed);
    // Stored again, the writer's own RTF comes back unchanged.
    g->CellToRich(2, 2, e);
    g->RichToCell(2, 3, e);
    EXPECT_EQ(g->Cells(2, 3), stored);
    // A plain cell loads as its text; an empty one clears the edit and stores an empty text.
    g->SetCellEx(0, 1, "plain {text}");
    g->CellToRich(0, 1, e);
    EXPECT_EQ(e->Text(), "plain {text}");
    g->CellToRich(0, 2, e);
    EXPECT_EQ(e->Text(), "");
    g->RichToCell(2, 2, e);
    EXPECT_EQ(g->Cells(2, 2), "");
}

TEST_F(GridRich, EditingKeepsTheFormattingOfTheCell)
{
    g->SetCellEx(0, 1, kBoldRed);
    int selectionChanges = 0;
    g->OnRichEditSelectionChange = [&](TObject* s) {
        EXPECT_EQ(s, g);
        ++selectionChanges;
    };
    Press(VK_F2);
    ZIduVavuRaro* e = g->InplaceRichEdit();
    ASSERT_TRUE(e->Visible());
    EXPECT_TRUE(e->Focused());
    EXPECT_EQ(e->Document()->SelLength(), 4); // all text selected
    Press(VK_END);
    EXPECT_GT(selectionChanges, 0);
    Type("er");
    ASSERT_TRUE(SaveControlToPng(&form, TestOutputPath("grid_rich_text_editing.png")));
    // The focus going back to the grid ends the edit and stores the cell.
    g->SetFocus();
    EXPECT_FALSE(e->Visible());
    const TRichTextContent c = Cell(g->Cells(0, 1));
    ASSERT_EQ(c[0].Runs.size(), 1u);
    EXPECT_EQ(c[0].Runs[0].Text, "Bolder");
    EXPECT_EQ(c[0].Runs[0].Style, fsBold);
    EXPECT_EQ(c[0].Runs[0].Color, clRed);
}

TEST_F(GridRich, TypedKeyReplacesTheCellAndUpLeavesIt)
{
    g->SetCellEx(0, 2, kBoldRed);
    g->SetRow(2);
    Type("N");
    Type("ew");
    Press(VK_UP);
    EXPECT_EQ(g->Row(), 1);
    const TRichTextContent c = Cell(g->Cells(0, 2));
    EXPECT_EQ(ContentPlainText(c), "New");
    EXPECT_EQ(c[0].Runs[0].Style, fsBold); // the first character's format carries on
}

TEST_F(GridRich, SuperscriptRaisesTheSelectionAndNormalPutsItBack)
{
    g->SetCellEx(0, 1, "x2");
    Press(VK_F2);
    ZIduVavuRaro* e = g->InplaceRichEdit();
    e->SetSelection(1, 1);
    e->SelSuperscript();
    EXPECT_EQ(e->Document()->SelOffset(), 40);
    e->SelSubscript();
    EXPECT_EQ(e->Document()->SelOffset(), -40);
    e->SelNormal();
    EXPECT_EQ(e->Document()->SelOffset(), 0);
    e->SelSuperscript();
    // With nothing selected the format goes to what is typed next.
    Press(VK_END);
    e->SelSubscript();
    EXPECT_EQ(e->Document()->SelOffset(), -40);
    Type("n");
    g->SetFocus();
    const TRichTextContent c = Cell(g->Cells(0, 1));
    ASSERT_EQ(c[0].Runs.size(), 3u);
    EXPECT_EQ(c[0].Runs[1].Text, "2");
    EXPECT_EQ(c[0].Runs[1].Offset, 40);
    EXPECT_EQ(c[0].Runs[2].Text, "n");
    EXPECT_EQ(c[0].Runs[2].Offset, -40);
}

TEST_F(GridRich, RowGrowsWhileTypingOnlyWithinTheGrid)
{
    g->SizeWhileTyping()->SetHeight(true);
    const int before = g->RowHeights(1);
    Press(VK_F2);
    Type("a");
    for (int i = 0; i < 3; ++i) {
        Press(VK_RETURN);
        Type("b");
    }
    const int grown = g->RowHeights(1);
    EXPECT_GT(grown, before);
    EXPECT_EQ(g->InplaceRichEdit()->Height(), grown - 1);
    g->SetFocus();
    EXPECT_EQ(ContentPlainText(Cell(g->Cells(0, 1))), "a\r\nb\r\nb\r\nb");
    // The last row cannot grow past the bottom of the grid.
    g->SetRow(3);
    Press(VK_F2);
    const int last = g->RowHeights(3);
    for (int i = 0; i < 12; ++i) {
        Press(VK_RETURN);
        Type("c");
    }
    EXPECT_LE(g->CellRect(0, 3).Top + g->RowHeights(3), g->ClientHeight());
    EXPECT_GE(g->RowHeights(3), last);
    // Without the setting nothing grows.
    g->SetFocus();
    g->SizeWhileTyping()->SetHeight(false);
    g->SetRow(2);
    const int fixed = g->RowHeights(2);
    Press(VK_F2);
    for (int i = 0; i < 3; ++i) {
        Press(VK_RETURN);
        Type("d");
    }
    EXPECT_EQ(g->RowHeights(2), fixed);
}

TEST_F(GridRich, MeasuresRichCellsForAutoSize)
{
    g->SetCellEx(1, 1, "{\\rtf1\\fs20 one}");
    g->SetCellEx(1, 2, "{\\rtf1\\fs20 one\\par two\\par three, the longest line}");
    g->SetCellEx(1, 3, "{\\rtf1\\fs40 one}");
    const TPoint one = g->GetCellTextSize(1, 1, false);
    const TPoint three = g->GetCellTextSize(1, 2, false);
    const TPoint big = g->GetCellTextSize(1, 3, false);
    EXPECT_GT(three.y, 2 * one.y);
    EXPECT_GT(three.x, one.x);
    EXPECT_GT(big.y, one.y);
    EXPECT_GT(big.x, one.x);
    g->AutoSizeRow(2);
    EXPECT_GE(g->RowHeights(2), three.y);
    g->AutoSizeCol(1);
    EXPECT_GE(g->ColWidths(1), three.x);
}

TEST_F(GridRich, PaintsRichCellsAndSelectedTextReadsTheirText)
{
    g->SetColor(clWhite);
    g->SetColWidths(1, 150);
    g->SetCellEx(0, 1, "plain");
    g->SetCellEx(1, 1,
                 "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0"
                 "\\blue255;}\\fs20 V\\dn4 out\\up0  = \\b\\cf1 1.5\\b0\\cf2\\i\\ul  mV\\i0\\ulnone\\f1  x\\up6 2}");
    g->SetCellEx(1, 2, kBoldRed);
    g->SetCellEx(1, 3, "{\\rtf1\\fs20 two\\par lines}");
    g->AutoSizeRow(1);
    g->AutoSizeRow(3);
    g->SetRow(3); // the current cell is no longer the red one
    TBitmap bmp;
    RenderControl(g, &bmp);
    const TRect r = g->CellRect(1, 2);
    int red = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            const TColor p = bmp.Canvas()->Pixels(x, y);
            red += GetRValue(p) > 200 && GetGValue(p) < 90 && GetBValue(p) < 90;
        }
    EXPECT_GT(red, 5);
    ASSERT_TRUE(SaveControlToPng(&form, TestOutputPath("grid_rich_text.png")));
    // A selected rich cell shows its text in the selection text colour.
    g->SetSelection(TGridRect{1, 2, 1, 2});
    g->SetSelectionTextColor(clLime);
    RenderControl(g, &bmp);
    int lime = 0;
    red = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x) {
            const TColor p = bmp.Canvas()->Pixels(x, y);
            lime += GetGValue(p) > 200 && GetRValue(p) < 90 && GetBValue(p) < 90;
            red += GetRValue(p) > 200 && GetGValue(p) < 90 && GetBValue(p) < 90;
        }
    EXPECT_GT(lime, 5);
    EXPECT_EQ(red, 0);
    EXPECT_EQ(g->SelectedText(), "Bold\r\n");
}

// Hints and the selection's text show what a rich cell shows, never its RTF.
TEST_F(GridRich, HintsAndSelectedTextReadTheTextOfRichCells)
{
    g->SetCellEx(1, 1, "{\\rtf1\\b Vout\\b0  \\{1\\}\\par second}");
    g->SetCellEx(2, 1, "<b>markup</b>");
    g->SetHintShowCells(true);
    for (bool html : {false, true}) {
        g->SetHTMLHint(html);
        const TRect r = g->CellRect(1, 1);
        AnsiString hint;
        TPoint pos;
        ASSERT_TRUE(g->CellHintAt(r.Left + 3, r.Top + 3, hint, pos));
        EXPECT_EQ(hint, "Vout {1}\r\nsecond");
    }
    g->SetSelection(TGridRect{1, 1, 2, 1});
    EXPECT_EQ(g->SelectedText(), "Vout {1}\r\nsecond\t<b>markup</b>\r\n");
}

// Printed, a rich cell shows its formatted text (never its RTF) at the page's scale.
TEST_F(GridRich, PrintsRichCellsFormatted)
{
    g->SetCellEx(1, 1, "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\fs40\\cf1\\b RED}");
    TBitmap page;
    page.SetSize(600, 800);
    g->PrintPreview(page.Canvas(), TRect(0, 0, 600, 800));
    int red = 0, top = 800, bottom = -1;
    for (int y = 0; y < 800; ++y)
        for (int x = 0; x < 600; ++x) {
            const TColor p = page.Canvas()->Pixels(x, y);
            if (GetRValue(p) > 200 && GetGValue(p) < 90 && GetBValue(p) < 90) {
                ++red;
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    EXPECT_GT(red, 20);
    // The row is as tall as the text: 20-point capitals on the page's scale, not cut off.
    EXPECT_GE(bottom - top + 1, 12);
}
