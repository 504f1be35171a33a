// The mouse on the grid as a user moves it: rows and columns moved by their headers,
// the scroll bar's thumb, the zones and their cursors, the selection's corner fill,
// node, check box and radio clicks, links, and middle-button panning.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "GridTestSupport.h"
#include "components/grid/RavgridResources.h"
#include "components/grid/RavobjWindows.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/Form.h"
#include "platform/forms/Render.h"
#include "platform/forms/Screen.h"
#include "platform/forms/TestInput.h"
#include "platform/forms/Timer.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/PngData.h"
#include "tests/support/TestOutput.h"

using namespace Ravgrid;

namespace {

class GridMouse : public ::testing::Test {
protected:
    void SetUp() override
    {
        form.SetBounds(0, 0, 420, 320);
        g = new TRavArodozIdad(&form);
        g->SetParent(&form);
        g->SetBounds(0, 0, 400, 300);
        g->SetColCountEx(5);
        g->SetRowCountEx(10);
        g->SetFixedRowsEx(1);
        g->SetFixedColsEx(1);
        FillCoords(*g);
        form.Show();
    }

    TPoint Inside(int ACol, int ARow, int DX = 10, int DY = 5) const
    {
        const TRect R = g->CellRect(ACol, ARow);
        return TPoint(R.Left + DX, R.Top + DY);
    }

    // Press at one point, move through the others, release at the last, as a user drags.
    void Drag(const std::vector<TPoint>& Path)
    {
        TestInput::MouseMove(g, Path.front().x, Path.front().y);
        TestInput::MouseDown(g, Path.front().x, Path.front().y);
        for (size_t i = 1; i < Path.size(); ++i)
            TestInput::MouseMove(g, Path[i].x, Path[i].y, ssLeft);
        TestInput::MouseUp(g, Path.back().x, Path.back().y);
    }

    TCursor CursorAt(int X, int Y)
    {
        TestInput::MouseMove(g, X, Y);
        return TestInput::ShownCursor(g);
    }

    TForm form{nullptr};
    TRavArodozIdad* g = nullptr;
};

} // namespace

// ---------------------------------------------------------------- moving rows and columns

// Dragged by its header, a column (row) lands where the mouse is released, plain or
// with the floating header; the application is asked while it is dragged, and the
// release that ends the move sorts nothing.
TEST_F(GridMouse, HeadersMoveTheirColumnOrRowWhereReleased)
{
    for (const bool enhanced : {false, true})
        for (const bool cols : {true, false}) {
            SCOPED_TRACE(std::string(enhanced ? "enhanced " : "plain ") + (cols ? "column" : "row"));
            FillCoords(*g);
            g->SetOptions(g->Options() | goColMoving | goRowMoving);
            g->SetEnhRowColMove(enhanced);
            g->SortSettings()->SetShow(true);
            std::vector<int> asked;
            int sorts = 0;
            g->OnColumnMove = [&](TObject*, int c, bool&) { asked.push_back(c); };
            g->OnRowMove = [&](TObject*, int r, bool&) { asked.push_back(r); };
            g->OnClickSort = [&](TObject*, int) { ++sorts; };
            if (cols) {
                Drag({Inside(1, 0), Inside(2, 0), Inside(3, 0)});
                EXPECT_EQ(g->GetCellEx(3, 1), "1,1");
                EXPECT_EQ(g->GetCellEx(1, 1), "2,1");
                EXPECT_EQ(g->GetCellEx(2, 4), "3,4");
            } else {
                Drag({Inside(0, 2), Inside(0, 4), Inside(0, 5)});
                EXPECT_EQ(g->GetCellEx(1, 5), "1,2");
                EXPECT_EQ(g->GetCellEx(1, 2), "1,3");
            }
            ASSERT_FALSE(asked.empty());
            EXPECT_EQ(asked.front(), cols ? 1 : 2);
            EXPECT_EQ(sorts, 0);
            EXPECT_EQ(Screen->Cursor(), crDefault);
        }
}

TEST_F(GridMouse, ARefusedMoveLeavesTheColumnsAndPressAndReleaseMoveNothing)
{
    g->SetOptions(g->Options() | goColMoving);
    for (const bool enhanced : {false, true}) {
        g->SetEnhRowColMove(enhanced);
        g->OnColumnMove = [](TObject*, int, bool& Allow) { Allow = false; };
        Drag({Inside(1, 0), Inside(2, 0), Inside(3, 0)});
        EXPECT_EQ(g->GetCellEx(1, 1), "1,1");
        EXPECT_EQ(g->GetCellEx(3, 1), "3,1");
        EXPECT_FALSE(g->PopupButton()->Visible());
        g->OnColumnMove = nullptr;
        Drag({Inside(2, 0), Inside(2, 0, 14, 6)});
        EXPECT_EQ(g->GetCellEx(2, 1), "2,1");
    }
    // With a column hidden no column moves: the cells stay with their columns.
    g->HideColumns(1, 1);
    Drag({Inside(1, 0), Inside(2, 0), Inside(3, 0)});
    EXPECT_EQ(ColTexts(*g, 1)[1], "1,1");
    EXPECT_EQ(ColTexts(*g, 2)[1], "2,1");
    EXPECT_EQ(ColTexts(*g, 4)[1], "4,1");
}

// While a column is dragged with EnhRowColMove its header floats under the mouse where
// it was grabbed, two arrows point at the left edge of the column under the mouse, and
// the screen shows the drag cursor; the release puts everything away.
TEST_F(GridMouse, EnhancedMoveFloatsTheHeaderWithArrowsAtTheDropPlace)
{
    g->SetOptions(g->Options() | goColMoving | goRowMoving);
    // A plain move marks the drop place with a bar on the column's far edge.
    const TPoint grab = Inside(1, 0);
    TestInput::MouseMove(g, grab.x, grab.y);
    TestInput::MouseDown(g, grab.x, grab.y);
    TestInput::MouseMove(g, Inside(3, 0).x, grab.y, ssLeft);
    EXPECT_FALSE(g->PopupButton()->Visible());
    TBitmap plain;
    RenderControl(g, &plain);
    const int f = g->FrameWidth();
    EXPECT_EQ(plain.Canvas()->Pixels(g->CellRect(3, 0).Right + f, g->CellRect(3, 4).Top + 5 + f), clBlack);
    ASSERT_TRUE(SaveControlToPng(&form, TestOutputPath("grid_plain_column_move.png")));
    TestInput::MouseUp(g, grab.x, grab.y);
    EXPECT_EQ(g->GetCellEx(1, 1), "1,1"); // released where it was grabbed: it stays

    g->SetEnhRowColMove(true);
    g->SetCellEx(1, 0, "Freq");
    const TPoint from = Inside(1, 0, 12, 6), to = Inside(3, 0, 20, 9);
    TestInput::MouseMove(g, from.x, from.y);
    TestInput::MouseDown(g, from.x, from.y);
    TestInput::MouseMove(g, to.x, to.y, ssLeft);
    TPopupButton* image = g->PopupButton();
    const TRect h3 = g->CellRect(3, 0);
    EXPECT_TRUE(image->Visible());
    EXPECT_EQ(image->Caption(), "Freq");
    EXPECT_EQ(image->BoundsRect(), TRect(to.x - 12, to.y - 6, to.x - 12 + g->ColWidths(1), to.y - 6 + g->RowHeights(0)));
    TArrowWindow* up = g->ArrowWindow(arrUp);
    TArrowWindow* down = g->ArrowWindow(arrDown);
    EXPECT_TRUE(up->Visible());
    EXPECT_TRUE(down->Visible());
    EXPECT_EQ(TPoint(up->Left(), up->Top()), TPoint(h3.Left - 5, h3.Bottom));
    EXPECT_EQ(TPoint(down->Left(), down->Top()), TPoint(h3.Left - 5, h3.Top - 8));
    EXPECT_EQ(Screen->Cursor(), crDrag);
    ASSERT_TRUE(SaveControlToPng(&form, TestOutputPath("grid_enhanced_column_move.png")));
    // Over the fixed column there is no drop place: the arrows go.
    TestInput::MouseMove(g, 5, to.y, ssLeft);
    EXPECT_FALSE(up->Visible());
    TestInput::MouseMove(g, to.x, to.y, ssLeft);
    TestInput::MouseUp(g, to.x, to.y);
    EXPECT_FALSE(image->Visible());
    EXPECT_FALSE(up->Visible());
    EXPECT_FALSE(down->Visible());
    EXPECT_EQ(Screen->Cursor(), crDefault);
    EXPECT_EQ(g->GetCellEx(3, 0), "Freq");

    // Rows: the arrows stand either side of the row header, 5 pixels above its top.
    const TPoint r2 = Inside(0, 2), r6 = Inside(0, 6);
    TestInput::MouseMove(g, r2.x, r2.y);
    TestInput::MouseDown(g, r2.x, r2.y);
    TestInput::MouseMove(g, r6.x, r6.y, ssLeft);
    const TRect h6 = g->CellRect(0, 6);
    TArrowWindow* left = g->ArrowWindow(arrLeft);
    TArrowWindow* right = g->ArrowWindow(arrRight);
    EXPECT_TRUE(left->Visible() && right->Visible());
    EXPECT_EQ(TPoint(left->Left(), left->Top()), TPoint(h6.Left - 10, h6.Top - 5));
    EXPECT_EQ(TPoint(right->Left(), right->Top()), TPoint(h6.Right, h6.Top - 5));
    EXPECT_EQ(g->PopupButton()->Caption(), "0,2");
    ASSERT_TRUE(SaveControlToPng(&form, TestOutputPath("grid_enhanced_row_move.png")));
    TestInput::MouseUp(g, r6.x, r6.y);
    EXPECT_EQ(g->GetCellEx(0, 6), "0,2");
}

// Dragging a header past the grid's right edge brings the next column into view, one
// step per move; over the fixed column the columns scroll back.
TEST_F(GridMouse, MovingPastTheEdgesScrollsTheColumns)
{
    g->SetColCountEx(20);
    for (int c = 0; c < 20; ++c)
        g->SetColWidths(c, 60);
    g->SetOptions(g->Options() | goColMoving);
    const TPoint from = Inside(2, 0);
    TestInput::MouseMove(g, from.x, from.y);
    TestInput::MouseDown(g, from.x, from.y);
    const int beyond = g->GridWidth() + 5;
    TestInput::MouseMove(g, beyond, from.y, ssLeft);
    TestInput::MouseMove(g, beyond, from.y, ssLeft);
    EXPECT_EQ(g->LeftCol(), 3);
    TestInput::MouseMove(g, 10, from.y, ssLeft);
    EXPECT_EQ(g->LeftCol(), 2);
    TestInput::MouseUp(g, 10, from.y);
    EXPECT_EQ(g->GetCellEx(2, 1), "2,1"); // dropped on the first column in view: its own place
}

// ---------------------------------------------------------------- the thumb

// The cells follow a dragged thumb with goThumbTracking; without, they jump at the release.
TEST_F(GridMouse, TheCellsFollowTheThumbOnlyWithThumbTracking)
{
    g->SetRowCountEx(200);
    for (const bool tracking : {false, true}) {
        SCOPED_TRACE(tracking ? "tracking" : "not tracking");
        g->SetTopRow(1);
        g->SetOptions(tracking ? g->Options() | goThumbTracking : g->Options() & ~goThumbTracking);
        const TRect v = g->VScrollRect();
        const int x = v.Left + 4, y = v.Top + g->ScrollBarSize() + 3;
        TestInput::MouseDown(g, x, y);
        TestInput::MouseMove(g, x, y + 80, ssLeft);
        if (tracking)
            EXPECT_GT(g->TopRow(), 1);
        else
            EXPECT_EQ(g->TopRow(), 1);
        TestInput::MouseUp(g, x, y + 80);
        EXPECT_GT(g->TopRow(), 20);
    }
}

// ---------------------------------------------------------------- zones and cursors

// Over a header that selects its column, row or all, over the selection's corner and
// over a line to size, the cursor says what a press would do.
TEST_F(GridMouse, ZonesShowTheirCursors)
{
    g->SetOptions(g->Options() | goColSizing);
    g->MouseActions()->SetColSelect(true);
    g->MouseActions()->SetRowSelect(true);
    g->MouseActions()->SetAllSelect(true);
    g->Navigation()->SetAllowSmartClipboard(true);
    g->SetSelectionRectangle(true);
    g->SetSelectionResizer(true);
    g->SetSelection(TGridRect{1, 1, 2, 3});
    const TRect corner = g->CellRect(2, 3), h2 = g->CellRect(2, 0);
    const struct {
        const char* Where;
        TPoint At;
        TCursor Shown;
    } cases[] = {
        {"column header", Inside(2, 0, 20, 5), crSelectCol},
        {"row header", Inside(0, 4), crSelectRow},
        {"corner cell", Inside(0, 0), crSelectAll},
        {"selection corner", TPoint(corner.Right - 2, corner.Bottom - 2), crSelectAll},
        {"inside the selection", TPoint(corner.Right - 8, corner.Bottom - 8), crDefault},
        {"data cell", Inside(3, 6), crDefault},
        {"column line", TPoint(h2.Right - 1, h2.Top + 5), crHSplit},
    };
    for (const auto& k : cases)
        EXPECT_EQ(CursorAt(k.At.x, k.At.y), k.Shown) << k.Where;
    // Every cursor of the grid has a picture whose hot spot lies on it; a sheet of them to look at.
    const TCursor own[] = {crSelectRow, crSelectCol,  crSelectAll,    crPanNone,     crPanDown,    crPanLeft,
                           crPanRight,  crPanUp,      crPanUpRight,   crPanUpLeft,   crPanDownRight, crPanDownLeft};
    TBitmap sheet;
    sheet.SetSize(34 * int(std::size(own)), 34);
    for (size_t i = 0; i < std::size(own); ++i) {
        TPoint hot;
        TBitmap* image = const_cast<TBitmap*>(Screen->CursorImage(own[i], hot));
        ASSERT_NE(image, nullptr) << own[i];
        EXPECT_TRUE(TRect(0, 0, image->Width(), image->Height()).Contains(hot)) << own[i];
        sheet.Canvas()->Draw(34 * int(i) + 1, 1, image);
    }
    const std::vector<Byte> png = GraphicToPng(&sheet);
    std::ofstream(TestOutputPath("grid_cursors.png"), std::ios::binary)
        .write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    // Without the mouse actions the headers are plain again.
    g->MouseActions()->SetColSelect(false);
    EXPECT_EQ(CursorAt(Inside(2, 0, 20, 5).x, Inside(2, 0, 20, 5).y), crDefault);
}

// With SizeFixedCol the fixed column's right edge sizes it from any row.
TEST_F(GridMouse, TheFixedColumnSizesFromAnyRowWithSizeFixedCol)
{
    const int w = g->ColWidths(0);
    const int y = Inside(0, 5).y;
    EXPECT_EQ(CursorAt(w - 1, y), crDefault);
    Drag({TPoint(w - 1, y), TPoint(w + 40, y)});
    EXPECT_EQ(g->ColWidths(0), w);
    g->MouseActions()->SetSizeFixedCol(true);
    EXPECT_EQ(CursorAt(w - 1, y), crHSplit);
    EXPECT_EQ(CursorAt(w - 5, y), crDefault);
    const int row = g->Row();
    Drag({TPoint(w - 1, y), TPoint(w + 20, y + 30), TPoint(w + 40, y)});
    EXPECT_EQ(g->ColWidths(0), w + 40);
    EXPECT_EQ(g->Row(), row); // the press sized, it selected nothing
}

// A press on the selection's corner and a drag widen the selection; the release fills it
// from what it held (two numbers continue as a series).
TEST_F(GridMouse, DraggingTheSelectionsCornerFillsIt)
{
    g->Navigation()->SetAllowSmartClipboard(true);
    g->SetSelectionRectangle(true);
    g->SetSelectionResizer(true);
    g->SetCellEx(2, 1, "1");
    g->SetCellEx(2, 2, "2");
    g->SetSelection(TGridRect{2, 1, 2, 2});
    const TRect corner = g->CellRect(2, 2);
    Drag({TPoint(corner.Right - 2, corner.Bottom - 2), Inside(2, 4), Inside(2, 5)});
    EXPECT_EQ(g->Selection(), (TGridRect{2, 1, 2, 5}));
    EXPECT_EQ(ColTexts(*g, 2), (Texts{"2,0", "1", "2", "3", "4", "5", "2,6", "2,7", "2,8", "2,9"}));
}

// ---------------------------------------------------------------- clicks

// A click on a node row's first cell contracts or expands it and says so; the row
// becomes current, and a click in column 0 of another row does nothing more.
TEST_F(GridMouse, ANodeClickContractsOrExpandsAndSaysSo)
{
    g->SetFixedColsEx(0);
    g->AddNode(1, 3);
    std::vector<std::string> ev;
    g->OnContractNode = [&](TObject*, int r, int real) { ev.push_back("contract " + std::to_string(r) + "," + std::to_string(real)); };
    g->OnExpandNode = [&](TObject*, int r, int real) { ev.push_back("expand " + std::to_string(r) + "," + std::to_string(real)); };
    g->MoveColRow(2, 5, true, true);
    const TPoint node = Inside(0, 1, 8, 10);
    TestInput::Click(g, node.x, node.y);
    EXPECT_EQ(g->RowCount(), 8);
    EXPECT_EQ(g->Row(), 1);
    TestInput::Click(g, node.x, node.y);
    EXPECT_EQ(g->RowCount(), 10);
    EXPECT_EQ(ev, (std::vector<std::string>{"contract 1,1", "expand 1,1"}));
    const TPoint plain = Inside(0, 6);
    TestInput::Click(g, plain.x, plain.y);
    EXPECT_EQ(g->Row(), 1);
    EXPECT_EQ(g->Col(), 2);
}

// The release of a click on a check box or a radio group reports the state it left.
TEST_F(GridMouse, ReleasesOnCheckBoxesAndRadioGroupsAreReported)
{
    g->SetOptions(g->Options() | goEditing);
    g->AddCheckBox(1, 2, false, false);
    TStringList items;
    items.Add("a");
    items.Add("b");
    g->AddRadio(2, 3, 0, 0, &items);
    g->SetRowHeights(3, 50);
    std::vector<std::string> ev;
    g->OnCheckBoxClick = [&](TObject*, int c, int r, bool s) { ev.push_back("check " + std::to_string(c) + "," + std::to_string(r) + (s ? " on" : " off")); };
    g->OnCheckBoxMouseUp = [&](TObject*, int c, int r, bool s) { ev.push_back("check up " + std::to_string(c) + "," + std::to_string(r) + (s ? " on" : " off")); };
    g->OnRadioClick = [&](TObject*, int c, int r, int i) { ev.push_back("radio " + std::to_string(c) + "," + std::to_string(r) + " " + std::to_string(i)); };
    g->OnRadioMouseUp = [&](TObject*, int c, int r, int i) { ev.push_back("radio up " + std::to_string(c) + "," + std::to_string(r) + " " + std::to_string(i)); };
    const TPoint box = Inside(1, 2, 8, 10);
    TestInput::Click(g, box.x, box.y);
    TCanvas* cv = g->Canvas();
    cv->Font()->Assign(g->Font());
    const int item = std::max({16, g->ControlLook()->RadioSize(), cv->TextHeight("gh")});
    const TPoint second = Inside(2, 3, 8, 2 + item + item / 2);
    TestInput::Click(g, second.x, second.y);
    EXPECT_EQ(ev, (std::vector<std::string>{"check 1,2 on", "check up 1,2 on", "radio 2,3 1", "radio up 2,3 1"}));
}

// ---------------------------------------------------------------- links

// Over a markup link the hand shows and the grid says which link the mouse entered and
// left; between links the grid's own cursor is back.
TEST_F(GridMouse, LinksShowTheHandAndReportEnterAndExit)
{
    g->SetColWidths(1, 300);
    const AnsiString before = "<a href=\"one\">One</a> plain words ";
    g->SetCellEx(1, 2, before + "<a href=\"two\">Two</a>");
    std::vector<std::string> ev;
    g->OnAnchorEnter = [&](TObject*, int r, int c, const AnsiString& a) { ev.push_back("enter " + a + " " + std::to_string(c) + "," + std::to_string(r)); };
    g->OnAnchorExit = [&](TObject*, int, int, const AnsiString& a) { ev.push_back("exit " + a); };
    TCanvas* cv = g->Canvas();
    cv->Font()->Assign(g->Font());
    const TRect R = g->CellRect(1, 2);
    const int y = R.Top + 2 + cv->TextHeight("gh") / 2;
    const int one = R.Left + 2 + cv->TextWidth("On");
    const int plain = R.Left + 2 + cv->TextWidth("One plain wo");
    const int two = R.Left + 2 + cv->TextWidth("One plain words T");
    EXPECT_EQ(CursorAt(one, y), crHandPoint);
    EXPECT_EQ(CursorAt(plain, y), crDefault);
    EXPECT_EQ(CursorAt(two, y), crHandPoint);
    EXPECT_EQ(CursorAt(R.Left + 10, g->CellRect(1, 5).Top + 5), crDefault);
    EXPECT_EQ(ev, (std::vector<std::string>{"enter one 1,2", "exit one", "enter two 1,2", "exit two"}));
}

// ---------------------------------------------------------------- panning

// The middle button pans: the focus mark shows where it was pressed, the cursor points
// the way the cells go, and a key ends it (and then does what it does).
TEST_F(GridMouse, PanningShowsTheFocusMarkAndDirectionAndAKeyEndsIt)
{
    g->SetRowCountEx(60);
    g->SetColCountEx(30);
    g->SetIntelliPan(ipBoth);
    g->MoveColRow(2, 10, true, true);
    const TPoint focus(150, 120);
    TestInput::MouseDown(g, focus.x, focus.y, mbMiddle);
    ASSERT_TRUE(g->Panning());
    EXPECT_EQ(TestInput::ShownCursor(g), crPanNone);
    TBitmap shot;
    RenderControl(g, &shot);
    // The mark's centre dot, in the rendering's co-ordinates (the frame around the cells).
    const int f = g->FrameWidth();
    EXPECT_EQ(shot.Canvas()->Pixels(focus.x + 16 + f, focus.y + 16 + f), clBlack);
    ASSERT_TRUE(SaveControlToPng(g, TestOutputPath("grid_panning_focus_mark.png")));
    const struct {
        TPoint At;
        TCursor Shown;
    } steps[] = {
        {{focus.x + 60, focus.y}, crPanRight},      {{focus.x - 60, focus.y}, crPanLeft},
        {{focus.x, focus.y + 60}, crPanDown},       {{focus.x, focus.y - 60}, crPanUp},
        {{focus.x + 60, focus.y + 60}, crPanDownRight}, {{focus.x - 60, focus.y - 60}, crPanUpLeft},
        {{focus.x + 60, focus.y - 60}, crPanUpRight},   {{focus.x - 60, focus.y + 60}, crPanDownLeft},
        {{focus.x + 3, focus.y - 3}, crPanNone},
    };
    for (const auto& s : steps) {
        TestInput::MouseMove(g, s.At.x, s.At.y);
        g->PanTimer()->Tick();
        EXPECT_EQ(TestInput::ShownCursor(g), s.Shown) << s.At.x << "," << s.At.y;
    }
    const int row = g->Row();
    TestInput::PressKey(g, VK_DOWN);
    EXPECT_FALSE(g->Panning());
    EXPECT_EQ(g->Row(), row + 1);
    EXPECT_EQ(TestInput::ShownCursor(g), crDefault);
    RenderControl(g, &shot);
    EXPECT_NE(shot.Canvas()->Pixels(focus.x + 16 + f, focus.y + 16 + f), clBlack);
}
