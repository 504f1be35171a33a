// The floating footer: totals of the last row, the template filled from the current
// row, and the panel painted under the grid's columns.
#include <gtest/gtest.h>

#include <vector>

#include "components/grid/RavgridFooter.h"
#include "platform/forms/Form.h"
#include "platform/forms/Render.h"
#include "platform/forms/TestInput.h"
#include "platform/forms/VirtualKeys.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "tests/components/grid/GridTestSupport.h"
#include "tests/support/TestOutput.h"

namespace {

// One fixed row, data rows holding Values in column 1, and the footer row last.
std::unique_ptr<TRavArodozIdad> FooterGrid(const std::vector<AnsiString>& Values)
{
    auto g = MakeGrid(3, int(Values.size()) + 2, 1, 0);
    for (size_t i = 0; i < Values.size(); ++i)
        g->SetCellEx(1, int(i) + 1, Values[i]);
    g->FloatingFooter()->SetVisible(true);
    return g;
}

TEST(FooterTotals, EachCalculationOverTheDataRows)
{
    struct Case {
        TColumnCalcType calc;
        std::vector<AnsiString> values;
        AnsiString shown;
    };
    const Case cases[] = {
        {acSUM, {"1.5", "2"}, "3.50"},
        {acSUM, {"1", "2", "3"}, "6.00"},
        {acAVG, {"2", "4", "6"}, "4.00"},
        {acMIN, {"5", "3", "9"}, "3.00"},
        {acMAX, {"5", "3", "9"}, "9.00"},
        {acMIN, {"-1", "", "4"}, "-1.00"},    // an empty cell counts as 0
        {acCOUNT, {"a", "b", "c"}, "3.00"},   // the number of data rows
        {acSUM, {"2", "n/a", "3"}, "5.00"},   // a text is no number: counts as 0, no error
        {acAVG, {}, "0.00"},                  // no data rows: 0, never a division by zero
        {acMAX, {}, "0.00"},
        {acNONE, {"1", "2"}, "keep"},
    };
    for (const Case& c : cases) {
        auto g = FooterGrid(c.values);
        const int last = g->RowCount() - 1;
        g->SetCellEx(1, last, "keep");
        g->FloatingFooter()->SetColumnCalc(1, c.calc);
        g->CalcFooter(-1);
        EXPECT_EQ(g->GetCellEx(1, last), c.shown) << int(c.calc) << " over " << c.values.size() << " rows";
    }
}

TEST(FooterTotals, OnlyTheLastRowStyleCalculatesAndOnlyMarkedColumns)
{
    auto g = FooterGrid({"1", "2"});
    const int last = g->RowCount() - 1;
    g->FloatingFooter()->SetColumnCalc(1, acSUM);
    g->SetCellEx(0, last, "label");
    g->SetCellEx(1, last, "");
    g->FloatingFooter()->SetFooterStyle(fsColumnPreview);
    g->DoCalcFooter(-1);
    EXPECT_EQ(g->GetCellEx(1, last), "");
    g->FloatingFooter()->SetFooterStyle(fsFixedLastRow);
    g->DoCalcFooter(0); // a column without a calculation: nothing
    EXPECT_EQ(g->GetCellEx(1, last), "");
    g->DoCalcFooter(1);
    EXPECT_EQ(g->GetCellEx(1, last), "3.00");
    EXPECT_EQ(g->GetCellEx(0, last), "label");
    g->FloatingFooter()->SetVisible(false);
    g->SetCellEx(1, 1, "10");
    g->DoCalcFooter(-1);
    EXPECT_EQ(g->GetCellEx(1, last), "3.00");
}

TEST(FooterTotals, FollowChangedCellsAndInsertedRows)
{
    auto g = FooterGrid({"1", "2"});
    g->FloatingFooter()->SetColumnCalc(1, acSUM);
    g->FloatingFooter()->SetColumnCalc(2, acCOUNT);
    g->SetCellEx(1, 1, "5");
    g->CellsChanged(TRect(1, 1, 1, 1));
    EXPECT_EQ(g->GetCellEx(1, g->RowCount() - 1), "7.00");
    g->SetCellEx(1, 2, "4");
    g->UpdateCell(1, 2);
    EXPECT_EQ(g->GetCellEx(1, g->RowCount() - 1), "9.00");
    // A row added above the footer row keeps the footer row last and counts.
    g->AddRow();
    EXPECT_EQ(g->GetCellEx(2, g->RowCount() - 1), "3.00");
    EXPECT_EQ(g->GetCellEx(1, g->RowCount() - 1), "9.00");
}

TEST(FooterTotals, FollowAValueTypedIntoACell)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 240);
    auto* g = new TRavArodozIdad(&form);
    g->SetParent(&form);
    g->SetBounds(0, 0, 380, 200);
    g->SetColCountEx(3);
    g->SetRowCountEx(4);
    g->SetFixedRowsEx(1);
    g->SetOptions(g->Options() | goEditing);
    g->SetCellEx(1, 2, "2");
    g->FloatingFooter()->SetVisible(true);
    g->FloatingFooter()->SetColumnCalc(1, acSUM);
    int validated = 0;
    g->OnCellValidate = [&](TObject*, int, int, AnsiString&, bool&) { ++validated; };
    form.Show();
    g->SetFocus();
    const TRect R = g->CellRect(1, 1);
    TestInput::Click(g, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    TestInput::TypeText(form.ActiveControl(), "5");
    TestInput::PressKeyOnForm(&form, VK_DOWN); // leaving the cell validates it
    EXPECT_EQ(validated, 1);
    EXPECT_EQ(g->GetCellEx(1, 3), "7.00");
}

TEST(FooterTemplate, FillsColumnTagsFromTheCurrentRow)
{
    auto g = MakeGrid(4, 4, 1, 0);
    g->SetCellEx(2, 2, "15");
    g->SetCellEx(0, 2, "R7");
    g->SetRow(2);
    struct Case {
        AnsiString in, out;
    };
    const Case cases[] = {
        {"Total: <#2> pcs", "Total: 15 pcs"},
        {"<#0>/<#2>", "R7/15"},
        {"a<#x>b", "ab"},           // no number: the tag disappears
        {"a<# 2 >b", "a15b"},
        {"a<#9>b", "ab"},           // no such column
        {"a<#-1>b", "ab"},
        {"<b><#2></b>", "<b>15</b>"}, // other markup stays
        {"x<#2", "x<#2"},           // unclosed: the rest as it stands
        {"<#2>y<#1", "15y<#1"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(g->FooterPanel()->HTMLColReplace(c.in), c.out) << c.in;
}

TEST(FooterPanel, ShownAndSizedByTheSettings)
{
    auto g = MakeGrid(3, 5, 1, 0);
    TFooterPanel* p = g->FooterPanel();
    ASSERT_NE(p, nullptr);
    EXPECT_FALSE(p->Visible());
    g->SetDefRowHeightEx(24);
    g->FloatingFooter()->SetVisible(true);
    EXPECT_TRUE(p->Visible());
    EXPECT_EQ(p->Height(), 23);
    EXPECT_EQ(g->FixedFooters(), 1);
    g->FloatingFooter()->SetVisible(false);
    EXPECT_EQ(p->Height(), 0);
    EXPECT_EQ(g->FixedFooters(), 0);
    EXPECT_THROW(TFooterPanel(nullptr), VEvoRaraVedad);
}

// A results table with a totals footer, rendered as a user sees it.
struct FooterForm {
    TForm form{nullptr};
    TRavArodozIdad* g;
    FooterForm()
    {
        form.SetBounds(0, 0, 340, 240);
        g = new TRavArodozIdad(&form);
        g->SetParent(&form);
        g->SetBounds(8, 8, 320, 180);
        g->SetDefaultColWidth(70);
        g->SetColCountEx(6);
        g->SetRowCountEx(12);
        g->SetFixedRowsEx(1);
        g->SetFixedColsEx(1);
        g->SetFixedColWidth(40);
        TStringList h;
        for (const char* t : {"#", "Freq", "Cp", "D", "Verdict"})
            h.Add(t);
        g->SetColumnHeaders(&h);
        for (int r = 1; r < 11; ++r) {
            g->SetInts(0, r, r);
            g->SetInts(1, r, 100 * r);
            g->SetFloats(2, r, 1.5 + r / 4.0);
            g->SetFloats(3, r, 0.01 * r);
            g->SetCellEx(4, r, r % 4 ? "PASS" : "FAIL");
        }
        g->FloatingFooter()->SetVisible(true);
        g->SetCellEx(0, 11, "Tot");
        g->FloatingFooter()->SetColumnCalc(2, acSUM);
        g->FloatingFooter()->SetColumnCalc(3, acAVG);
        g->FloatingFooter()->SetColumnCalc(4, acCOUNT);
        g->CalcFooter(-1);
        form.Show();
    }
};

TEST(FooterPanel, PaintsTheLastRowUnderItsColumns)
{
    FooterForm f;
    TRavArodozIdad* g = f.g;
    EXPECT_EQ(g->GetCellEx(2, 11), "28.75");
    ASSERT_TRUE(SaveControlToPng(&f.form, TestOutputPath("grid_footer_totals.png")));
    TFooterPanel* p = g->FooterPanel();
    EXPECT_EQ(p->FooterWidth(), 40 + 5 * 70);
    TBitmap bmp;
    RenderControl(p, &bmp);
    // Cells of the footer row drawn as fixed cells (not the white of data cells), with
    // the total's text in the Cp column and nothing in the Freq column (each line of
    // the background compared with its own start: fixed cells may be shaded).
    const TColor back = bmp.Canvas()->Pixels(40 + 70 + 3, p->Height() / 2);
    EXPECT_NE(back, ColorToRGB(clWhite));
    auto inked = [&](int left) {
        for (int x = left + 2; x < left + 68; ++x)
            for (int y = 2; y < p->Height() - 2; ++y)
                if (bmp.Canvas()->Pixels(x, y) != bmp.Canvas()->Pixels(left + 3, y))
                    return true;
        return false;
    };
    EXPECT_TRUE(inked(40 + 70));
    EXPECT_FALSE(inked(40));
    // Scrolled right, the footer follows the columns.
    g->SetLeftCol(3);
    EXPECT_EQ(p->FooterWidth(), 40 + 3 * 70);
    ASSERT_TRUE(SaveControlToPng(&f.form, TestOutputPath("grid_footer_scrolled.png")));
    TBitmap after;
    RenderControl(p, &after);
    EXPECT_EQ(after.Canvas()->Pixels(40 + 3 * 70 + 20, p->Height() / 2), ColorToRGB(g->Color()));
}

TEST(FooterPanel, PaintsTheTemplateAndTheColumnPreview)
{
    FooterForm f;
    TRavArodozIdad* g = f.g;
    g->SetRow(3);
    g->FloatingFooter()->SetFooterStyle(fsCustomPreview);
    g->FloatingFooter()->SetColor(clInfoBk);
    g->FloatingFooter()->SetCustomTemplate("Row <b><#0></b>: <font color=\"clRed\"><#4></font> at <#1> Hz");
    ASSERT_TRUE(SaveControlToPng(&f.form, TestOutputPath("grid_footer_template.png")));
    TBitmap bmp;
    RenderControl(g->FooterPanel(), &bmp);
    EXPECT_EQ(bmp.Canvas()->Pixels(300, 4), ColorToRGB(clInfoBk));
    g->FloatingFooter()->SetFooterStyle(fsColumnPreview);
    g->FloatingFooter()->SetColumn(1);
    ASSERT_TRUE(SaveControlToPng(&f.form, TestOutputPath("grid_footer_preview.png")));
}

} // namespace
