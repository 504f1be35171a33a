// Cell graphics: the store, sizes, check boxes and radio groups.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "GridTestSupport.h"
#include "platform/core/Strings.h"
#include "platform/forms/Form.h"
#include "platform/forms/Render.h"
#include "platform/forms/TestInput.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "tests/support/TestOutput.h"

using namespace Ravgrid;

TEST(GridGraphics, StoreCreatesReplacesAndFrees)
{
    auto g = MakeGrid(3, 4);
    EXPECT_EQ(g->GetCellType(1, 1), ctEmpty);
    EXPECT_EQ(g->GetCellGraphicSize(1, 1), TPoint(0, 0));
    EXPECT_FALSE(g->FreeCellGraphic(1, 1));

    TBitmap* b = g->CreateBitmap(1, 1, false, haLeft, vaTop);
    b->SetSize(16, 16);
    EXPECT_EQ(g->GetCellType(1, 1), ctBitmap);
    EXPECT_EQ(g->GetCellEx(1, 1), ""); // the text stays empty
    EXPECT_EQ(g->GetBitmap(1, 1), b);
    EXPECT_FALSE(g->RemoveCellGraphic(1, 1, ctIcon)); // another type stays
    EXPECT_EQ(g->GetCellType(1, 1), ctBitmap);
    g->AddCheckBox(1, 1, true, false); // replaces (and frees) the bitmap
    EXPECT_EQ(g->GetCellType(1, 1), ctCheckBox);
    EXPECT_EQ(g->GetBitmap(1, 1), nullptr);
    EXPECT_TRUE(g->RemoveCheckBox(1, 1));
    EXPECT_EQ(g->GetCellType(1, 1), ctEmpty);

    // Clearing the cells frees what they hold.
    g->CreateRadio(2, 2, 0, 0)->Add("a");
    g->ClearProps();
    EXPECT_EQ(g->GetCellType(2, 2), ctEmpty);
}

TEST(GridGraphics, SizesFollowPlacement)
{
    auto g = MakeGrid(3, 4);
    TBitmap bmp;
    bmp.SetSize(16, 12);
    g->SetCellEx(1, 1, "text");
    g->AddBitmap(1, 1, &bmp, false, haLeft, vaTop);
    EXPECT_EQ(g->GetCellGraphicSize(1, 1), TPoint(0, 12)); // drawn under the text
    g->AddBitmap(1, 1, &bmp, false, haBeforeText, vaTop);
    EXPECT_EQ(g->GetCellGraphicSize(1, 1), TPoint(16, 12));

    g->AddCheckBox(1, 2, false, false);
    const int check = g->ControlLook()->CheckSize();
    EXPECT_EQ(g->GetCellGraphicSize(1, 2), TPoint(check, check));

    TStrings* items = g->CreateRadio(2, 1, 0, -1);
    items->Add("low");
    items->Add("medium");
    items->Add("high");
    TCanvas* cv = g->Canvas();
    const int gh = cv->TextHeight("gh");
    EXPECT_EQ(g->GetCellGraphicSize(2, 1), TPoint(cv->TextWidth("medium") + 12, 3 * gh));
    TStrings* side = g->CreateRadio(2, 2, 1, 0);
    side->Add("A");
    side->Add("B");
    EXPECT_EQ(g->GetCellGraphicSize(2, 2), TPoint(cv->TextWidth("A") + cv->TextWidth("B") + 24, gh));
}

TEST(GridGraphics, CheckBoxStates)
{
    auto g = MakeGrid(3, 4);
    bool state = true;
    EXPECT_FALSE(g->GetCheckBoxState(1, 1, state));
    EXPECT_TRUE(state); // untouched
    g->AddCheckBox(1, 1, false, false);
    EXPECT_TRUE(g->ToggleCheckBox(1, 1));
    ASSERT_TRUE(g->GetCheckBoxState(1, 1, state));
    EXPECT_TRUE(state);

    // A data check box keeps its state in the cell text.
    g->AddCheckBox(2, 1, false, true);
    g->SetCellEx(2, 1, g->GetCheckFalse(2, 1));
    EXPECT_TRUE(g->SetCheckBoxState(2, 1, true));
    EXPECT_EQ(g->GetCellEx(2, 1), g->GetCheckTrue(2, 1));
    EXPECT_TRUE(g->ToggleCheck(2, 1, false));
    ASSERT_TRUE(g->GetCheckBoxState(2, 1, state));
    EXPECT_FALSE(state);
    EXPECT_FALSE(g->ToggleCheck(1, 2, false)); // no check box there
}

TEST(GridGraphics, RadioGroups)
{
    auto g = MakeGrid(3, 4);
    TStringList items;
    items.Add("one");
    items.Add("two");
    items.Add("three");
    g->AddRadio(1, 1, 0, 2, &items);
    EXPECT_TRUE(g->IsRadio(1, 1));
    EXPECT_EQ(g->GetRadioStrings(1, 1), &items);
    int idx = -5;
    ASSERT_TRUE(g->GetRadioIdx(1, 1, idx));
    EXPECT_EQ(idx, 2);
    EXPECT_TRUE(g->ToggleRadio(1, 1, false)); // past the last item: the first
    ASSERT_TRUE(g->GetRadioIdx(1, 1, idx));
    EXPECT_EQ(idx, 0);
    EXPECT_EQ(g->GetCellEx(1, 1), "one");

    g->AddCheckBox(2, 1, true, false);
    EXPECT_FALSE(g->SetRadioIdx(2, 1, 1));
    bool state = false;
    ASSERT_TRUE(g->GetCheckBoxState(2, 1, state));
    EXPECT_TRUE(state);
    EXPECT_FALSE(g->RemoveRadio(2, 1));
    EXPECT_TRUE(g->RemoveRadio(1, 1)); // the caller's list is not freed
    EXPECT_EQ(items.Count(), 3);
}

TEST(GridGraphics, DrawnAndClicked)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 460, 200);
    auto* g = new TRavArodozIdad(&form);
    g->SetParent(&form);
    g->SetBounds(4, 4, 450, 190);
    g->SetColCountEx(3);
    g->SetRowCountEx(3);
    g->SetColWidths(0, 120);
    g->SetColWidths(1, 120);
    g->SetColWidths(2, 200);
    g->SetRowHeights(1, 60);
    g->SetCellEx(0, 0, "check");
    g->SetCellEx(1, 0, "radio");
    g->SetCellEx(2, 0, "bitmap");
    g->SetCellEx(0, 1, "enabled");
    g->AddCheckBox(0, 1, false, false);
    TStrings* range = g->CreateRadio(1, 1, 0, 0);
    range->Add("auto");
    range->Add("hold");
    range->Add("fixed");
    TStrings* speed = g->CreateRadio(1, 2, 1, -1);
    speed->Add("slow");
    speed->Add("fast");
    g->SetCellEx(1, 2, "fast");
    TBitmap* b = g->CreateBitmap(2, 1, false, haBeforeText, vaCenter);
    b->SetSize(16, 16);
    b->Canvas()->Brush()->SetColor(clTeal);
    b->Canvas()->FillRect(TRect(0, 0, 16, 16));
    g->SetCellEx(2, 1, "after the bitmap");
    int radioClicks = 0;
    g->OnRadioClick = [&](TObject*, int, int, int) { ++radioClicks; };

    const TRect rc = g->CellRect(0, 1);
    TestInput::Click(g, rc.Left + 8, (rc.Top + rc.Bottom) / 2);
    bool state = false;
    ASSERT_TRUE(g->GetCheckBoxState(0, 1, state));
    EXPECT_TRUE(state);

    // The third stacked item.
    const TRect rr = g->CellRect(1, 1);
    const int lh = g->Canvas()->TextHeight("gh");
    TestInput::Click(g, rr.Left + 6, rr.Top + 2 + 2 * lh + lh / 2);
    int idx = -1;
    ASSERT_TRUE(g->GetRadioIdx(1, 1, idx));
    EXPECT_EQ(idx, 2);
    EXPECT_EQ(g->GetCellEx(1, 1), "fixed");
    EXPECT_EQ(radioClicks, 1);

    // A read-only cell ignores the click.
    g->OnCanEditCell = [](TObject*, int, int, bool& CanEdit) { CanEdit = false; };
    TestInput::Click(g, rc.Left + 8, (rc.Top + rc.Bottom) / 2);
    ASSERT_TRUE(g->GetCheckBoxState(0, 1, state));
    EXPECT_TRUE(state);

    ASSERT_TRUE(SaveControlToPng(&form, TestOutputPath("grid_graphics.png")));
    TBitmap shot;
    RenderControl(g, &shot);
    const TRect rb = g->CellRect(2, 1);
    EXPECT_EQ(shot.Canvas()->Pixels(rb.Left + 8 + g->FrameWidth(), (rb.Top + rb.Bottom) / 2 + g->FrameWidth()),
              clTeal);
}

TEST(GridNodes, ContractAndExpandHideTheOwnedRows)
{
    auto g = MakeGrid(2, 8);
    FillCoords(*g);
    g->AddNode(1, 3); // owns rows 1..3
    g->AddNode(4, 0); // owns rows up to the next node: all the rest
    EXPECT_TRUE(g->HasNodes());
    EXPECT_EQ(g->NodeIndent(2), 16);
    EXPECT_EQ(g->NodeIndent(6), 0); // under a span-0 node no level is set
    EXPECT_EQ(g->GetNodeSpanType(2), 2);
    EXPECT_EQ(g->GetNodeSpanType(3), 1);
    EXPECT_EQ(g->GetParentRow(3), 1);
    EXPECT_EQ(g->GetParentRow(5), -1);

    g->ContractNode(1);
    EXPECT_EQ(g->RowCount(), 6);
    EXPECT_EQ(g->NumHiddenRows(), 2);
    EXPECT_TRUE(g->GetNodeState(1));
    EXPECT_EQ(g->GetCellEx(1, 2), "1,4"); // the next node moved up
    EXPECT_EQ(g->RemapRowInv(2), 4);
    EXPECT_TRUE(g->IsNode(2));
    g->ContractNode(4); // real row 4, display row 2: up to the end
    EXPECT_EQ(g->RowCount(), 3);

    g->ExpandAll();
    EXPECT_EQ(g->RowCount(), 8);
    for (int r = 0; r < 8; ++r)
        EXPECT_EQ(g->GetCellEx(1, r), "1," + std::to_string(r));
    EXPECT_FALSE(g->GetNodeState(1));

    g->RemoveNode(1);
    EXPECT_FALSE(g->IsNode(1));
    EXPECT_EQ(g->NodeIndent(2), 0);
    g->RemoveNode(4);
    EXPECT_FALSE(g->HasNodes());
    EXPECT_EQ(g->GetNodeSpan(4), -1);
}

TEST(GridNodes, ClickOnTheButtonContracts)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 260);
    auto* g = new TRavArodozIdad(&form);
    g->SetParent(&form);
    g->SetBounds(4, 4, 290, 250);
    g->SetColCountEx(2);
    g->SetRowCountEx(6);
    g->SetFixedColsEx(0);
    for (int r = 1; r < 6; ++r)
        g->SetCellEx(0, r, "row " + std::to_string(r));
    g->AddNode(1, 3);
    g->AddNode(4, 2);
    g->ContractNode(4);
    ASSERT_TRUE(SaveControlToPng(&form, TestOutputPath("grid_nodes.png")));
    const TRect r = g->CellRect(0, 1);
    TestInput::Click(g, r.Left + 6, (r.Top + r.Bottom) / 2);
    EXPECT_TRUE(g->GetNodeState(1));
    EXPECT_EQ(g->GetCellEx(0, 2), "row 4");
    TestInput::Click(g, r.Left + 6, (r.Top + r.Bottom) / 2);
    EXPECT_FALSE(g->GetNodeState(1));
    EXPECT_EQ(g->GetCellEx(0, 2), "row 2");
}

namespace {

// Column 1 of every row, hidden rows shown again first.
std::vector<AnsiString> AllTexts(TRavArodozIdad& g)
{
    g.ExpandAll();
    g.UnHideRowsAll();
    std::vector<AnsiString> t;
    for (int r = 0; r < g.RowCount(); ++r)
        t.push_back(g.GetCellEx(1, r));
    return t;
}

} // namespace

TEST(GridNodes, ChildRowsJoinAndLeaveTheirNode)
{
    struct Case {
        const char* name;
        std::function<void(TRavArodozIdad&)> act;
        std::vector<AnsiString> texts; // after showing every row
        int span;                      // of the node
        int nodeRow = 4;
    };
    const Case cases[] = {
        {"inserted under an expanded node",
         [](TRavArodozIdad& g) {
             g.InsertChildRow(5);
             EXPECT_EQ(g.NodeIndent(5), 16);
             EXPECT_EQ(g.GetParentRow(5), 4);
         },
         {"1,0", "1,1", "1,2", "1,3", "1,4", "", "1,5", "1,6", "1,7"}, 4},
        {"inserted under a contracted node: it opens",
         [](TRavArodozIdad& g) {
             g.ContractNode(4);
             g.InsertChildRow(5);
             EXPECT_FALSE(g.GetNodeState(4));
         },
         {"1,0", "1,1", "1,2", "1,3", "1,4", "", "1,5", "1,6", "1,7"}, 4},
        {"hidden rows above the parent stay in place",
         [](TRavArodozIdad& g) {
             g.HideRows(2, 3);
             g.InsertChildRow(5);
         },
         {"1,0", "1,1", "1,2", "1,3", "1,4", "", "1,5", "1,6", "1,7"}, 4},
        {"hidden rows below follow",
         [](TRavArodozIdad& g) {
             g.HideRow(7);
             g.InsertChildRow(5);
         },
         {"1,0", "1,1", "1,2", "1,3", "1,4", "", "1,5", "1,6", "1,7"}, 4},
        {"removed from its node",
         [](TRavArodozIdad& g) {
             g.HideRows(2, 3);
             g.HideRow(7);
             g.RemoveChildRow(5);
         },
         {"1,0", "1,1", "1,2", "1,3", "1,4", "1,6", "1,7"}, 2},
        {"without a parent", [](TRavArodozIdad& g) {
             g.HideRow(7);
             g.InsertChildRow(2);
             EXPECT_EQ(g.NodeIndent(2), 0);
         },
         {"1,0", "1,1", "", "1,2", "1,3", "1,4", "1,5", "1,6", "1,7"}, 3, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto g = MakeGrid(2, 8);
        FillCoords(*g);
        g->AddNode(4, 3); // rows 4..6
        c.act(*g);
        EXPECT_EQ(AllTexts(*g), c.texts);
        EXPECT_EQ(g->GetNodeSpan(c.nodeRow), c.span);
    }
}
