// Copy, cut, paste and smart paste of grid cells through the platform's clipboard.
#include <gtest/gtest.h>

#include "GridTestSupport.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/Form.h"
#include "platform/forms/TestInput.h"

namespace {

// A grid of Cols x Rows with one fixed row, editing on.
std::unique_ptr<TRavArodozIdad> EditGrid(int Cols, int Rows)
{
    auto g = MakeGrid(Cols, Rows, 1, 0);
    g->SetOptions(g->Options() | goEditing);
    return g;
}

// The texts of column C from row R0 to R1, joined by '|'.
std::string ColumnText(TRavArodozIdad& g, int C, int R0, int R1)
{
    std::string s;
    for (int r = R0; r <= R1; ++r)
        s += (r > R0 ? "|" : "") + g.Cells(C, r);
    return s;
}

std::string RowText(TRavArodozIdad& g, int R, int C0, int C1)
{
    std::string s;
    for (int c = C0; c <= C1; ++c)
        s += (c > C0 ? "|" : "") + g.Cells(c, R);
    return s;
}

} // namespace

TEST(GridClipboard, CopyLaysOutRowsWithTabsAndLineEnds)
{
    struct Case {
        const char* name;
        TGridRect sel;
        bool stripTags;
        bool quoteMulti;
        std::string expected;
    };
    const Case cases[] = {
        {"two by two", {0, 1, 1, 2}, false, false, "a\tb\r\nc\td\r\n"},
        {"one row has no line end", {0, 1, 1, 1}, false, false, "a\tb"},
        {"one cell", {1, 2, 1, 2}, false, false, "d"},
        {"markup kept", {2, 1, 2, 1}, false, false, "<b>bold</b>"},
        {"markup stripped", {2, 1, 2, 1}, true, false, "bold"},
        {"multi-line quoted with LF", {2, 2, 2, 2}, false, true, "\"x\ny\""},
        {"multi-line as it is", {2, 2, 2, 2}, false, false, "x\r\ny"},
    };
    for (const Case& k : cases) {
        auto g = EditGrid(3, 3);
        g->SetMultilinecells(true);
        g->SetCellEx(0, 1, "a");
        g->SetCellEx(1, 1, "b");
        g->SetCellEx(0, 2, "c");
        g->SetCellEx(1, 2, "d");
        g->SetCellEx(2, 1, "<b>bold</b>");
        g->SetCellEx(2, 2, "x\r\ny");
        g->Navigation()->SetCopyHTMLTagsToClipboard(!k.stripTags);
        g->SetClipboardQuoteMultiline(k.quoteMulti);
        g->SetSelection(k.sel);
        g->CopySelectionToClipboard();
        EXPECT_EQ(Clipboard()->AsText(), k.expected) << k.name;
        EXPECT_EQ(g->CopyOrigin(), (TPoint{k.sel.Left, k.sel.Top})) << k.name;
        EXPECT_EQ(g->LastClipOperation(), coCopy) << k.name;
    }
}

TEST(GridClipboard, CopyToClipBoardTakesTheSaveRange)
{
    auto g = EditGrid(2, 3);
    FillCoords(*g);
    g->CopyToClipBoard();
    EXPECT_EQ(Clipboard()->AsText(), "0,0\t1,0\r\n0,1\t1,1\r\n0,2\t1,2\r\n");
    g->SaveWithFixedCells = false;
    g->CopyToClipBoard();
    EXPECT_EQ(Clipboard()->AsText(), "0,1\t1,1\r\n0,2\t1,2\r\n");
}

TEST(GridClipboard, DisjunctRowSelectCopiesOnlyTheSelectedRows)
{
    auto g = EditGrid(2, 5);
    FillCoords(*g);
    g->SaveWithFixedCells = false;
    g->MouseActions()->SetDisjunctRowSelect(true);
    g->SetRowSelect(2, true);
    g->SetRowSelect(4, true);
    g->CopySelectionToClipboard();
    EXPECT_EQ(Clipboard()->AsText(), "0,2\t1,2\r\n0,4\t1,4\r\n");
    g->CutSelectionToClipboard();
    EXPECT_EQ(ColumnText(*g, 0, 1, 4), "0,1||0,3|");
}

TEST(GridClipboard, PasteTextCountsFieldsAndKeepsInsideTheGrid)
{
    struct Case {
        const char* name;
        std::string text;
        int col, row;
        bool rowGrow, colGrow;
        int fields;
        int rowCount, colCount;
        std::string col0; // column 0, rows 1..3 after the paste (or rows to the end)
    };
    const Case cases[] = {
        {"two lines with end", "x\r\ny\r\n", 0, 1, true, true, 3, 4, 2, "x|y|"},
        {"one field", "x", 0, 1, true, true, 1, 4, 2, "x||"},
        {"LF alone ends a line too", "x\ny\n", 0, 1, true, true, 3, 4, 2, "x|y|"},
        {"lines beyond the end dropped", "p\r\nq\r\nr\r\ns\r\n", 0, 2, false, true, 5, 4, 2, "|p|q"},
        {"rows grow one per further line", "p\r\nq\r\nr\r\ns\r\n", 0, 2, true, true, 5, 6, 2, "|p|q|r|s"},
        {"columns dropped without growing", "a\tb\tc", 0, 1, true, false, 3, 4, 2, "a||"},
        {"columns grow", "a\tb\tc", 0, 1, true, true, 3, 4, 3, "a||"},
        {"start outside the grid", "a\tb\r\nc\td\r\n", 5, 9, false, false, 5, 4, 2, "||"},
        {"negative start", "a", -1, 1, true, true, 0, 4, 2, "||"},
    };
    for (const Case& k : cases) {
        auto g = EditGrid(2, 4);
        g->Navigation()->SetAllowClipboardRowGrow(k.rowGrow);
        g->Navigation()->SetAllowClipboardColGrow(k.colGrow);
        EXPECT_EQ(g->PasteText(k.col, k.row, k.text), k.fields) << k.name;
        EXPECT_EQ(g->RowCount(), k.rowCount) << k.name;
        EXPECT_EQ(g->ColCount(), k.colCount) << k.name;
        EXPECT_EQ(ColumnText(*g, 0, 1, g->RowCount() - 1), k.col0) << k.name;
    }
}

TEST(GridClipboard, PasteAsksEachCellAndRespectsEditing)
{
    auto g = EditGrid(3, 3);
    g->OnCanEditCell = [](TObject*, int, int ACol, bool& Can) { Can = ACol != 1; };
    g->OnClipboardBeforePasteCell = [](TObject*, int ACol, int, AnsiString& V, bool& Allow) {
        if (ACol == 2)
            Allow = false;
        V += "!";
    };
    g->SetCellEx(2, 1, "keep");
    g->PasteText(0, 1, "a\tb\tc");
    EXPECT_EQ(RowText(*g, 1, 0, 2), "a!||keep");

    // Read-only cells are pasted too with AllowClipboardAlways.
    g->OnClipboardBeforePasteCell = nullptr;
    g->Navigation()->SetAllowClipboardAlways(true);
    g->PasteText(0, 1, "a\tb\tc");
    EXPECT_EQ(RowText(*g, 1, 0, 2), "a|b|c");

    // Without any editing permission nothing is pasted.
    auto ro = MakeGrid(2, 2, 1, 0);
    EXPECT_EQ(ro->PasteText(0, 1, "z"), 0);
    EXPECT_EQ(ro->Cells(0, 1), "");
    ro->MouseActions()->SetRangeSelectAndEdit(true);
    EXPECT_EQ(ro->PasteText(0, 1, "z"), 1);
    EXPECT_EQ(ro->Cells(0, 1), "z");
}

TEST(GridClipboard, CopyAndPasteRoundTripThroughTheClipboard)
{
    auto src = EditGrid(3, 3);
    src->SetMultilinecells(true);
    src->SetClipboardQuoteMultiline(true);
    src->SetCellEx(0, 1, "1.5");
    src->SetCellEx(1, 1, "two\r\nlines");
    src->SetCellEx(2, 1, "");
    src->SetCellEx(0, 2, "tab-free");
    src->SetCellEx(1, 2, "x");
    src->SetCellEx(2, 2, "end");
    src->SetSelection(TGridRect{0, 1, 2, 2});
    src->CutSelectionToClipboard();
    EXPECT_EQ(src->LastClipOperation(), coCut);
    EXPECT_EQ(RowText(*src, 1, 0, 2), "||");

    auto dst = EditGrid(4, 4);
    dst->SetClipboardQuoteMultiline(true);
    TGridRect notified{};
    dst->OnCellsChanged = [&](TObject*, const TRect& R) { notified = TGridRect{R.Left, R.Top, R.Right, R.Bottom}; };
    dst->SetSelection(TGridRect{1, 2, 1, 2});
    dst->PasteSelectionFromClipboard();
    EXPECT_EQ(RowText(*dst, 2, 1, 3), "1.5|two\r\nlines|");
    EXPECT_EQ(RowText(*dst, 3, 1, 3), "tab-free|x|end");
    EXPECT_EQ(notified, (TGridRect{1, 2, 3, 3}));
}

TEST(GridClipboard, CutEmptiesOnlyEditableCellsUnlessAlways)
{
    for (bool always : {false, true}) {
        auto g = EditGrid(2, 3);
        FillCoords(*g);
        g->OnCanEditCell = [](TObject*, int, int ACol, bool& Can) { Can = ACol == 0; };
        g->Navigation()->SetAllowClipboardAlways(always);
        g->CutToClipboard();
        EXPECT_EQ(Clipboard()->AsText(), "0,0\t1,0\r\n0,1\t1,1\r\n0,2\t1,2\r\n");
        // The fixed row is never editable, so only AllowClipboardAlways clears it.
        EXPECT_EQ(RowText(*g, 0, 0, 1), always ? "|" : "0,0|1,0") << always;
        EXPECT_EQ(RowText(*g, 1, 0, 1), always ? "|" : "|1,1") << always;
    }
}

TEST(GridClipboard, SmartPasteFillsTheSelection)
{
    struct Case {
        const char* name;
        std::string clip;
        TGridRect sel;
        std::string expected; // the selection's cells, column by column
    };
    const Case cases[] = {
        {"one value repeats", "1", {0, 1, 0, 10}, "1|1|1|1|1|1|1|1|1|1"},
        {"integer series", "1\r\n3\r\n", {0, 1, 0, 10}, "1|3|5|7|9|11|13|15|17|19"},
        {"falling series", "10\r\n7\r\n", {0, 1, 0, 4}, "10|7|4|1"},
        {"series along a row", "1\t2", {0, 1, 3, 1}, "1|2|3|4"},
        {"float series", "0.5\r\n0.75\r\n", {0, 1, 0, 4}, "0.50|0.75|1.00|1.25"},
        {"pattern of texts", "a\r\nb\r\n", {0, 1, 0, 5}, "a|b|a|b|a"},
        {"pattern of three", "a\r\nb\r\nc\r\n", {0, 1, 0, 7}, "a|b|c|a|b|c|a"},
        {"pattern without line end", "a\r\nb", {0, 1, 0, 4}, "a|b|a|b"},
        {"pattern along a row", "x\ty", {0, 1, 4, 1}, "x|y|x|y|x"},
        {"decimal with a text falls back to the pattern", "1.5\r\nabc\r\n", {0, 1, 0, 4}, "1.5|abc|1.5|abc"},
        {"date series", "1/30/2026\r\n1/31/2026\r\n", {0, 1, 0, 3}, "1/30/2026|1/31/2026|2/1/2026"},
        {"month series", "1/15/2026\r\n2/15/2026\r\n", {0, 1, 0, 4}, "1/15/2026|2/15/2026|3/15/2026|4/15/2026"},
        {"broken dates fall back to the pattern", "1/x\r\n2/y\r\n", {0, 1, 0, 4}, "1/x|2/y|1/x|2/y"},
    };
    for (const Case& k : cases) {
        auto g = EditGrid(5, 12);
        g->Navigation()->SetAllowSmartClipboard(true);
        Clipboard()->SetAsText(k.clip);
        g->SetSelection(k.sel);
        g->PasteSelectionFromClipboard();
        std::string got;
        for (int c = k.sel.Left; c <= k.sel.Right; ++c)
            for (int r = k.sel.Top; r <= k.sel.Bottom; ++r)
                got += (got.empty() && c == k.sel.Left && r == k.sel.Top ? "" : "|") + g->Cells(c, r);
        EXPECT_EQ(got, k.expected) << k.name;
        // Never beyond the selection.
        EXPECT_EQ(g->Cells(k.sel.Left, k.sel.Bottom + 1), "") << k.name;
    }
}

TEST(GridClipboard, SmartPasteSkipsReadOnlyCells)
{
    auto g = EditGrid(2, 8);
    g->Navigation()->SetAllowSmartClipboard(true);
    g->OnCanEditCell = [](TObject*, int ARow, int, bool& Can) { Can = ARow != 4; };
    g->SetCellEx(0, 4, "locked");
    Clipboard()->SetAsText("1\r\n2\r\n");
    g->SetSelection(TGridRect{0, 1, 0, 6});
    g->PasteSelectionFromClipboard();
    EXPECT_EQ(ColumnText(*g, 0, 1, 6), "1|2|3|locked|5|6");
}

TEST(GridClipboard, RichTextGoesAlongWithTheTextAndIsPreferredOnPaste)
{
    auto g = EditGrid(2, 3);
    g->Navigation()->SetAllowRTFClipboard(true);
    const AnsiString rtf = "{\\rtf1 bold}";
    g->SetCellEx(0, 1, rtf);
    g->SetCellEx(1, 1, "plain");
    g->SetSelection(TGridRect{0, 1, 1, 1});
    g->CopySelectionToClipboard();
    // The text format holds the rich cell's plain text.
    EXPECT_EQ(Clipboard()->AsText(), "bold\tplain");
    g->SetSelection(TGridRect{1, 2, 1, 2});
    EXPECT_EQ(g->PasteFunc(1, 2), 0);
    EXPECT_EQ(g->Cells(1, 2), rtf);
    // Without the switch the plain text is pasted.
    g->Navigation()->SetAllowRTFClipboard(false);
    EXPECT_EQ(g->PasteFunc(0, 2), 2);
    EXPECT_EQ(RowText(*g, 2, 0, 1), "bold|plain");
}

TEST(GridClipboard, PasteSizeCountsColumnsAndEndedLines)
{
    auto g = EditGrid(2, 2);
    EXPECT_EQ(g->PasteSize("a\tb\r\nc\r\n"), (TPoint{2, 2}));
    EXPECT_EQ(g->PasteSize("a\tb\tc"), (TPoint{3, 1}));
    EXPECT_EQ(g->PasteSize(""), (TPoint{0, 0}));
}

TEST(GridClipboard, ShortCutKeysRunTheOperationsUnlessRefused)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    auto* g = new TRavArodozIdad(&form);
    g->SetParent(&form);
    g->SetBounds(0, 0, 380, 260);
    g->SetColCountEx(3);
    g->SetRowCountEx(4);
    g->SetOptions(g->Options() | goEditing);
    g->Navigation()->SetAllowClipboardShortCuts(true);
    form.Show();
    g->SetFocus();
    g->SetCellEx(1, 1, "v");
    g->SetSelection(TGridRect{1, 1, 1, 1});
    Clipboard()->SetAsText("");
    TestInput::PressKey(g, 'C', ssCtrl);
    EXPECT_EQ(Clipboard()->AsText(), "v");

    g->SetSelection(TGridRect{2, 2, 2, 2});
    bool allowPaste = false;
    g->OnClipboardPaste = [&](TObject*, bool& Allow) { Allow = allowPaste; };
    TestInput::PressKey(g, 'V', ssCtrl);
    EXPECT_EQ(g->Cells(2, 2), "");
    allowPaste = true;
    TestInput::PressKey(g, VK_INSERT, ssShift);
    EXPECT_EQ(g->Cells(2, 2), "v");

    g->SetSelection(TGridRect{1, 1, 1, 1});
    TestInput::PressKey(g, 'X', ssCtrl);
    EXPECT_EQ(g->Cells(1, 1), "");
    EXPECT_EQ(Clipboard()->AsText(), "v");
}

TEST(GridClipboard, CopySkipsHiddenColumnsAndStripsTheRightCell)
{
    auto g = EditGrid(4, 2);
    g->Navigation()->SetCopyHTMLTagsToClipboard(false);
    g->SetCellEx(0, 1, "a");
    g->SetCellEx(1, 1, "hidden");
    g->SetCellEx(2, 1, "<i>c</i>");
    g->SetCellEx(3, 1, "d");
    g->HideColumn(1);
    g->SetSelection(TGridRect{0, 1, 2, 1});
    g->CopySelectionToClipboard();
    EXPECT_EQ(Clipboard()->AsText(), "a\tc\td");
}

namespace {

struct NotifyGrid : TRavArodozIdad {
    using TRavArodozIdad::TRavArodozIdad;
    std::vector<TGridRect> pasted;
    void PasteNotify(const TPoint&, const TGridRect& R, TClipOperation) override { pasted.push_back(R); }
};

} // namespace

TEST(GridClipboard, TheGridsOwnFormatCarriesCellsAndTheirLook)
{
    auto src = EditGrid(3, 3);
    src->Navigation()->SetAllowFmtClipboard(true);
    src->SetCellEx(0, 1, "a");
    src->SetCellEx(1, 2, "d");
    src->SetColors(1, 2, clYellow);
    src->SetSelection(TGridRect{0, 1, 1, 2});
    src->CopySelectionToClipboard();
    EXPECT_EQ(Clipboard()->AsText(), "a\t\r\n\td\r\n");

    NotifyGrid dst(nullptr);
    dst.SetColCountEx(3);
    dst.SetRowCountEx(3);
    dst.SetOptions(dst.Options() | goEditing);
    dst.Navigation()->SetAllowFmtClipboard(true);
    dst.SetSelection(TGridRect{1, 1, 1, 1});
    EXPECT_EQ(dst.PasteFunc(1, 1), 0);
    EXPECT_EQ(dst.Cells(1, 1), "a");
    EXPECT_EQ(dst.Cells(2, 2), "d");
    EXPECT_EQ(dst.Colors(2, 2), clYellow);
    ASSERT_EQ(dst.pasted.size(), 1u);
    EXPECT_EQ(dst.pasted[0], (TGridRect{1, 1, 2, 2}));

    // Pasted near the edge, cells that fall outside are never written.
    EXPECT_EQ(dst.PasteFunc(2, 2), 0);
    EXPECT_EQ(dst.ColCount(), 3);
    EXPECT_EQ(dst.RowCount(), 3);

    // Without the switch the text is pasted.
    dst.Navigation()->SetAllowFmtClipboard(false);
    EXPECT_EQ(dst.PasteFunc(0, 0), 5);
}

TEST(GridClipboard, AWholeGridInTheOwnFormatReplacesTheTargetGrid)
{
    auto src = EditGrid(2, 2);
    src->Navigation()->SetAllowFmtClipboard(true);
    FillCoords(*src);
    src->CopyToClipBoard();
    auto dst = EditGrid(4, 5);
    dst->Navigation()->SetAllowFmtClipboard(true);
    dst->SetCellEx(3, 4, "gone");
    dst->PasteFromClipboard();
    EXPECT_EQ(dst->ColCount(), 2);
    EXPECT_EQ(dst->RowCount(), 2);
    EXPECT_EQ(RowText(*dst, 1, 0, 1), "0,1|1,1");
}

TEST(GridClipboard, CuttingTheSelectionInTheOwnFormatRemovesTheCellsLook)
{
    auto g = EditGrid(2, 3);
    g->Navigation()->SetAllowFmtClipboard(true);
    g->SetCellEx(0, 1, "x");
    g->SetColors(0, 1, clRed);
    g->SetSelection(TGridRect{0, 1, 0, 1});
    g->CutSelectionToClipboard();
    EXPECT_EQ(g->Cells(0, 1), "");
    EXPECT_FALSE(g->HasCellProperties(0, 1));
}

TEST(GridClipboard, QuotedMultiLineFieldsKeepTheirLineBreaksWhateverEndsTheLines)
{
    for (const char* text : {"\"two\nlines\"\tx\r\nnext\r\n", "\"two\nlines\"\tx\nnext\n"}) {
        auto g = EditGrid(2, 4);
        g->SetClipboardQuoteMultiline(true);
        EXPECT_EQ(g->PasteText(0, 1, text), 4) << text;
        EXPECT_EQ(RowText(*g, 1, 0, 1), "two\r\nlines|x") << text;
        EXPECT_EQ(g->Cells(0, 2), "next") << text;
    }
}
