// Per-cell questions and their events, alignment, headers, sizing and update locking.
#include <gtest/gtest.h>

#include "GridTestSupport.h"
#include "platform/forms/Form.h"
#include "platform/forms/Timer.h"

using enum Ravbase::TVAlignment;

TEST(GridAppearance, ColourQuestionAppliesPropertiesThenTheEvent)
{
    auto g = MakeGrid(4, 4);
    TBrush brush;
    TFont font;
    brush.SetColor(clWhite);
    g->SetColors(2, 1, clYellow);
    g->SetFontColors(2, 1, clRed);
    g->SetFontStyles(2, 1, fsBold);
    g->GetCellColor(2, 1, 0, &brush, &font);
    EXPECT_EQ(brush.Color(), clYellow);
    EXPECT_EQ(font.Color(), clRed);
    EXPECT_EQ(font.Style(), TFontStyles(fsBold));
    int seenRow = -1, seenCol = -1;
    g->OnGetCellColor = [&](TObject*, int ARow, int ACol, TGridDrawState, TBrush* b, TFont*) {
        seenRow = ARow;
        seenCol = ACol;
        b->SetColor(clLime);
    };
    g->GetCellColor(2, 1, 0, &brush, &font);
    EXPECT_EQ(brush.Color(), clLime);
    EXPECT_EQ(seenRow, 1); // the event passes the row first
    EXPECT_EQ(seenCol, 2);
}

TEST(GridAppearance, ReadingAppearanceCreatesNoProperties)
{
    auto g = MakeGrid(4, 4);
    EXPECT_EQ(g->Colors(1, 1), clNone);
    EXPECT_EQ(g->FontColors(1, 1), clNone);
    EXPECT_EQ(g->FontSizes(1, 1), 0);
    EXPECT_EQ(g->FontNames(1, 1), "");
    EXPECT_EQ(g->Alignments(1, 1), taLeftJustify);
    EXPECT_FALSE(g->HasCellProperties(1, 1));
    EXPECT_EQ(g->GetObjectEx(1, 1), nullptr);
    EXPECT_FALSE(g->HasCellProperties(1, 1));
}

TEST(GridAppearance, VisualPropertiesOfFixedSelectedAndBandedCells)
{
    auto g = MakeGrid(4, 8);
    g->SetColor(clBlack);
    g->SetSelectionColor(clAqua);
    TBrush brush;
    TFont font;
    TAlignment ha;
    TVAlignment va;
    bool ww = false;
    auto visual = [&](int c, int r, TGridDrawState& st) {
        g->GetVisualProperties(c, r, st, false, true, true, &brush, &font, ha, va, ww);
        return brush.Color();
    };
    TGridDrawState st = 0;
    EXPECT_EQ(visual(1, 0, st), g->FixedColor());
    EXPECT_TRUE(st & gdFixed);
    // A fixed cell with its own colour ends with that colour.
    g->SetColors(2, 0, clRed);
    st = 0;
    EXPECT_EQ(visual(2, 0, st), clRed);
    st = 0;
    EXPECT_EQ(visual(1, 3, st), clBlack);
    g->SelectRange(1, 1, 3, 3);
    st = 0;
    EXPECT_EQ(visual(1, 3, st), clAqua);
    EXPECT_TRUE(st & gdSelected);
    g->SetShowSelection(false);
    st = 0;
    EXPECT_EQ(visual(1, 3, st), clBlack);
    g->Bands()->SetActive(true);
    g->Bands()->SetPrimaryColor(clYellow);
    g->Bands()->SetSecondaryColor(clWhite);
    g->Bands()->SetPrimaryLength(2);
    const TColor expected[] = {clYellow, clYellow, clWhite, clYellow, clYellow, clWhite};
    for (int r = 1; r <= 6; ++r) {
        st = 0;
        EXPECT_EQ(visual(2, r, st), expected[r - 1]) << r;
    }
    st = 0;
    EXPECT_EQ(visual(3, 0, st), g->FixedColor()); // bands never colour fixed rows
}

TEST(GridAppearance, AlignmentFromNumbersPropertiesAndTheEvent)
{
    auto g = MakeGrid(4, 4);
    g->SetAutoNumAlign(true);
    g->SetCellEx(1, 1, "12");
    g->SetCellEx(2, 1, "1,000.5");
    g->SetCellEx(3, 1, "12a");
    EXPECT_EQ(g->GetCellAlignment(1, 1) & 0xFF, taRightJustify);
    EXPECT_EQ(g->GetCellAlignment(2, 1) & 0xFF, taRightJustify);
    EXPECT_EQ(g->GetCellAlignment(3, 1) & 0xFF, taLeftJustify);
    g->SetColors(1, 1, clRed); // a cell with properties takes their alignment
    EXPECT_EQ(g->GetCellAlignment(1, 1) & 0xFF, taLeftJustify);
    g->SetVAlignment(vtaCenter);
    EXPECT_EQ(g->GetCellAlignment(3, 1) >> 8, vtaCenter);
    g->OnGetAlignment = [](TObject*, int ARow, int, TAlignment& h, TVAlignment&) {
        if (ARow == 1)
            h = taCenter;
    };
    EXPECT_EQ(g->GetCellAlignment(1, 1) & 0xFF, taCenter);
}

TEST(GridAppearance, FixedEditorPasswordHintAndCheckQuestions)
{
    auto g = MakeGrid(3, 1, 0, 0);
    g->SetFixedRowAlways(true);
    int asked = 0;
    g->OnIsFixedCell = [&](TObject*, int, int, bool&) { ++asked; };
    bool fixed = false;
    g->GetCellFixed(1, 0, fixed);
    EXPECT_TRUE(fixed);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(g->GetFixedRowsEx(), 1);
    g->SetRowCountEx(3);
    EXPECT_EQ(g->FixedRows(), 1);

    g->OnGetEditorType = [](TObject*, int ACol, int, TEditorType& e) {
        if (ACol == 1)
            e = edComboList;
    };
    TEditorType e = edNormal;
    g->GetCellEditor(1, 2, e);
    EXPECT_EQ(e, edComboList);
    g->OnCanEditCell = [](TObject*, int ARow, int, bool& can) { can = ARow != 2; };
    bool can = true;
    g->GetCellReadOnly(1, 2, can);
    EXPECT_FALSE(can);
    g->OnGridHint = [](TObject*, int ARow, int ACol, AnsiString& h) {
        h = "r" + std::to_string(ARow) + "c" + std::to_string(ACol);
    };
    AnsiString h;
    g->GetCellHint(2, 1, h);
    EXPECT_EQ(h, "r1c2");
    g->OnGetCheckTrue = [](TObject*, int, int, AnsiString& v) { v = "yes"; };
    EXPECT_EQ(g->GetCheckTrue(0, 0), "yes");
    EXPECT_EQ(g->GetCheckFalse(0, 0), "N");
}

TEST(GridAppearance, ColumnHeadersFillTheFixedRow)
{
    auto g = MakeGrid(2, 3);
    TStringList h;
    h.Add("Step");
    h.Add("Function");
    h.Add("Ignored");
    g->SetColumnHeaders(&h);
    EXPECT_EQ(g->GetCellEx(0, 0), "Step");
    EXPECT_EQ(g->GetCellEx(1, 0), "Function");
    EXPECT_EQ(g->GetGridCell(2, 0), "");
    g->ColumnHeaders()->SetStrings(1, "Freq\\n(kHz)");
    EXPECT_EQ(g->GetCellEx(1, 0), "Freq\r(kHz)");
    auto noFixed = MakeGrid(2, 3, 0, 0);
    TStringList rh;
    rh.Add("R0");
    noFixed->SetRowHeaders(&rh);
    EXPECT_EQ(noFixed->GetCellEx(0, 0), "");
}

TEST(GridAppearance, ZoomStaysWithinTenSteps)
{
    auto g = MakeGrid(3, 3);
    const int w = g->ColWidths(1);
    g->Zoom(5);
    g->Zoom(5);
    g->Zoom(1);
    EXPECT_EQ(g->ZoomLevel(), 10);
    EXPECT_EQ(g->ColWidths(1), w + 10);
}

TEST(GridAppearance, UpdateLockingCounts)
{
    auto g = MakeGrid(3, 3);
    g->BeginUpdate();
    g->BeginUpdate();
    g->EndUpdate();
    EXPECT_TRUE(g->GetLockFlag());
    g->EndUpdate();
    EXPECT_FALSE(g->GetLockFlag());
    g->EndUpdate();
    EXPECT_FALSE(g->GetLockFlag());
}

TEST(GridAppearance, StretchAndLineSizing)
{
    auto g = MakeGrid(3, 3);
    g->SetBorderSingle(false);
    g->SetScrollBars(ssNone);
    g->SetBounds(0, 0, 200, 100);
    g->SetColWidths(0, 50);
    g->SetColWidths(1, 60);
    g->SetColWidths(2, 40);
    g->ColumnSize()->SetStretch(true);
    EXPECT_EQ(g->ColWidths(2), 89);
}

// Grids freed in the order they were made leave the form's resize chain whole.
TEST(GridAppearance, FormResizeChainSurvivesGridsFreedInCreationOrder)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    int userCalls = 0;
    form.OnResize = [&](TObject*) { ++userCalls; };
    auto* first = new TRavArodozIdad(&form);
    auto* second = new TRavArodozIdad(&form);
    second->SetParent(&form);
    second->SetBounds(0, 0, 200, 100);
    second->SetSizeWithForm(true);
    delete first;
    form.SetBounds(0, 0, 450, 330);
    EXPECT_EQ(userCalls, 1);
    EXPECT_EQ(second->Width(), 250); // the later grid still follows the form
    delete second;
    form.SetBounds(0, 0, 400, 300);
    EXPECT_EQ(userCalls, 2);
}

// The grid's tick serves hovering and blinking only; a grid with neither (every table of
// the program) keeps no timer running that would wake the window's loop for nothing.
TEST(GridAppearance, TickRunsOnlyWhileHoveringOrBlinking)
{
    auto g = MakeGrid(4, 4);
    auto running = [&] {
        int n = 0;
        for (int i = 0; i < g->ComponentCount(); ++i)
            if (auto* t = dynamic_cast<TTimer*>(g->Components(i)); t && t->Enabled())
                ++n;
        return n;
    };
    EXPECT_EQ(running(), 0);
    const struct {
        bool hovering, blink;
        int running;
    } cases[] = {{true, false, 1}, {true, true, 1}, {false, true, 1}, {false, false, 0}};
    for (const auto& c : cases) {
        g->SetHovering(c.hovering);
        g->SetEnableBlink(c.blink);
        EXPECT_EQ(running(), c.running) << c.hovering << c.blink;
    }
}
