// Drag and drop on and out of the grid, headless through the platform's drag helpers:
// texts pasted where they land, files loaded, columns reported, cells dragged out.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "components/grid/Ragdd.h"
#include "components/grid/Ravgrid.h"
#include "components/grid/RavgridDropTarget.h"
#include "components/grid/RavobjWindows.h"
#include "platform/forms/Form.h"
#include "platform/forms/Render.h"
#include "platform/forms/TestInput.h"
#include "tests/support/TestOutput.h"
#include "tests/support/TestSupport.h"

namespace {

// A grid that records the files it is asked to load.
struct FileGrid : TRavArodozIdad {
    using TRavArodozIdad::TRavArodozIdad;
    std::vector<AnsiString> loaded;
    void LoadDroppedFile(const AnsiString& FileName, bool Workbook) override
    {
        loaded.push_back((Workbook ? "xls:" : "csv:") + FileName);
    }
};

struct DropForm {
    TForm form{nullptr};
    FileGrid* g;
    explicit DropForm(int Rows = 8)
    {
        form.SetBounds(0, 0, 420, 260);
        g = new FileGrid(&form);
        g->SetParent(&form);
        g->SetBounds(0, 0, 400, 200);
        g->SetDefaultColWidth(60);
        g->SetColCountEx(6);
        g->SetRowCountEx(Rows);
        g->SetFixedRowsEx(1);
        g->SetFixedColsEx(1);
        g->SetOptions(g->Options() | goEditing);
        g->DragDropSettings()->SetOleDropTarget(true);
        form.Show();
    }
    TPoint Centre(int c, int r) const
    {
        const TRect R = g->CellRect(c, r);
        return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    }
    int DropText(int c, int r, const AnsiString& text)
    {
        TDragData d;
        d.HasText = true;
        d.Text = text;
        const TPoint p = Centre(c, r);
        return TestInput::DropFromOutside(g, p.x, p.y, d);
    }
};

TEST(GridDrop, TextIsPastedWhereItLandsAndSelected)
{
    for (bool insert : {false, true}) {
        DropForm f;
        TRavArodozIdad* g = f.g;
        ASSERT_TRUE(g->DragDropSettings()->OleDropTargetRegistered());
        g->DragDropSettings()->SetOleInsertRows(insert);
        g->SetCellEx(2, 3, "old3");
        g->SetCellEx(2, 4, "old4");
        TGridRect dropped{-1, -1, -1, -1};
        g->OnOleDropped = [&](TObject*, TGridRect& R) { dropped = R; };
        EXPECT_EQ(f.DropText(2, 3, "a\tb\r\nc\td\r\n"), DROPEFFECT_MOVE);
        EXPECT_EQ(g->GetCellEx(2, 3), "a");
        EXPECT_EQ(g->GetCellEx(3, 3), "b");
        EXPECT_EQ(g->GetCellEx(2, 4), "c");
        EXPECT_EQ(g->GetCellEx(3, 4), "d");
        EXPECT_EQ(g->RowCount(), insert ? 10 : 8);
        EXPECT_EQ(g->GetCellEx(2, 5), insert ? "old3" : "");
        EXPECT_EQ(g->GetCellEx(2, 6), insert ? "old4" : "");
        EXPECT_EQ(dropped, (TGridRect{2, 3, 3, 4}));
        EXPECT_EQ(g->Selection(), dropped);
        EXPECT_FALSE(g->ArrowWindow(arrLeft)->Visible());
    }
}

TEST(GridDrop, RefusedDropsChangeNothing)
{
    DropForm f;
    TRavArodozIdad* g = f.g;
    g->SetCellEx(2, 3, "keep");
    std::vector<AnsiString> asked;
    g->OnOleDrop = [&](TObject*, int r, int c, const AnsiString& data, bool& allow) {
        asked.push_back(std::to_string(r) + "," + std::to_string(c) + ":" + data);
        allow = false;
    };
    TGridRect dropped{-1, -1, -1, -1};
    g->OnOleDropped = [&](TObject*, TGridRect& R) { dropped = R; };
    const TGridRect before = g->Selection();
    f.DropText(2, 3, "x\ty");
    EXPECT_EQ(asked, std::vector<AnsiString>{"3,2:x\ty"});
    EXPECT_EQ(g->GetCellEx(2, 3), "keep");
    EXPECT_EQ(g->GetCellEx(3, 3), "");
    EXPECT_EQ(dropped, before);

    // Over a header row the drop is refused before it lands; the arrows stay hidden.
    g->OnOleDrop = nullptr;
    EXPECT_EQ(f.DropText(2, 0, "h"), DROPEFFECT_NONE);
    EXPECT_EQ(g->GetCellEx(2, 0), "");
    EXPECT_FALSE(g->ArrowWindow(arrLeft)->Visible());
    // The application may refuse a position while dragging.
    g->OnOleDragOver = [](TObject*, int, int, bool& allow) { allow = false; };
    EXPECT_EQ(f.DropText(2, 3, "z"), DROPEFFECT_NONE);
    EXPECT_EQ(g->GetCellEx(2, 3), "keep");
}

TEST(GridDrop, ASingleCsvOrWorkbookFileIsLoaded)
{
    struct Case {
        std::vector<AnsiString> files;
        std::vector<AnsiString> loaded;
    };
    const Case cases[] = {
        {{"/tmp/data.csv"}, {"csv:/tmp/data.csv"}},
        {{"/tmp/DATA.CSV"}, {"csv:/tmp/DATA.CSV"}},
        {{"/tmp/book.xls"}, {"xls:/tmp/book.xls"}},
        {{"/tmp/a.csv", "/tmp/b.csv"}, {}}, // two files: ignored
        {{"/tmp/notes.txt"}, {}},
    };
    for (const Case& c : cases) {
        DropForm f;
        std::vector<AnsiString> asked;
        f.g->OnOleDrop = [&](TObject*, int r, int col, const AnsiString& data, bool&) {
            asked.push_back(std::to_string(r) + "," + std::to_string(col) + ":" + data);
        };
        TDragData d;
        d.Files = c.files;
        const TPoint p = f.Centre(2, 2);
        TestInput::DropFromOutside(f.g, p.x, p.y, d);
        EXPECT_EQ(f.g->loaded, c.loaded) << c.files[0];
        EXPECT_EQ(asked.size(), c.loaded.size());
        if (!asked.empty()) {
            EXPECT_EQ(asked[0], "-1,-1:" + c.files[0]);
        }
    }
    // Refused by the application: not loaded.
    DropForm f;
    f.g->OnOleDrop = [](TObject*, int, int, const AnsiString&, bool& allow) { allow = false; };
    TDragData d;
    d.Files = {"/tmp/data.csv"};
    TestInput::DropFromOutside(f.g, 80, 60, d);
    EXPECT_TRUE(f.g->loaded.empty());
}

TEST(GridDrop, ADroppedCsvFileFillsTheGrid)
{
    TForm form(nullptr);
    auto* g = new TRavArodozIdad(&form);
    g->SetParent(&form);
    g->SetBounds(0, 0, 300, 150);
    g->SetColCountEx(3);
    g->SetRowCountEx(3);
    g->DragDropSettings()->SetOleDropTarget(true);
    form.Show();
    const auto path = TestDir("griddrop") / "dropped.csv";
    std::ofstream(path) << "Freq,Cp\r\n100,1.5\r\n200,2.5\r\n";
    TDragData d;
    d.Files = {path.string()};
    TestInput::DropFromOutside(g, 80, 40, d);
    std::filesystem::remove(path);
    AnsiString all;
    for (int r = 0; r < g->RowCount(); ++r)
        for (int c = 0; c < g->ColCount(); ++c)
            all += g->GetCellEx(c, r) + "|";
    EXPECT_NE(all.find("Freq|Cp|"), AnsiString::npos) << all;
    EXPECT_NE(all.find("200|2.5|"), AnsiString::npos) << all;
}

TEST(GridDrop, RichTextGoesIntoOneCellWhenSwitchedOn)
{
    DropForm f;
    TDragData d;
    d.HasText = true;
    d.Text = "plain\tx";
    d.HasRTF = true;
    d.RTF = "{\\rtf1 plain}";
    const TPoint p = f.Centre(1, 2);
    f.g->DragDropSettings()->SetOleDropRTF(true);
    TestInput::DropFromOutside(f.g, p.x, p.y, d);
    EXPECT_EQ(f.g->GetCellEx(1, 2), "{\\rtf1 plain}");
    EXPECT_EQ(f.g->GetCellEx(2, 2), "");
    f.g->DragDropSettings()->SetOleDropRTF(false);
    TestInput::DropFromOutside(f.g, p.x, p.y, d);
    EXPECT_EQ(f.g->GetCellEx(1, 2), "plain");
    EXPECT_EQ(f.g->GetCellEx(2, 2), "x");
}

TEST(GridDrop, ColumnDragShowsArrowsOnlyOverDataHeaders)
{
    DropForm f;
    TRavArodozIdad* g = f.g;
    TDropTargetHandler* h = DropTargetOf(g);
    ASSERT_NE(h, nullptr);
    const TDragData col = Ragdd::TSourceDataObject("", "", 4).DragData();
    struct Case {
        int c, r;
        bool allowed;
    };
    const Case cases[] = {{2, 3, false}, {0, 0, false}, {3, 0, true}};
    for (const Case& c : cases) {
        const TPoint p = g->ClientToScreen(f.Centre(c.c, c.r));
        EXPECT_NE(h->DragEnter(col, 0, p), DROPEFFECT_NONE);
        EXPECT_EQ(h->DragOver(0, p) != DROPEFFECT_NONE, c.allowed) << c.c << "," << c.r;
        EXPECT_EQ(g->ArrowWindow(arrUp)->Visible(), c.allowed);
        EXPECT_EQ(g->ArrowWindow(arrDown)->Visible(), c.allowed);
        EXPECT_FALSE(g->ArrowWindow(arrLeft)->Visible());
        if (c.allowed) {
            const TRect R = g->CellRect(c.c, c.r);
            EXPECT_EQ(g->ArrowWindow(arrUp)->Left(), R.Left);
            EXPECT_EQ(g->ArrowWindow(arrUp)->Top(), R.Bottom);
            EXPECT_EQ(g->ArrowWindow(arrDown)->Top(), R.Top - 8);
        }
        h->DragLeave();
        EXPECT_FALSE(g->ArrowWindow(arrUp)->Visible());
    }
    // Dropped on a header: reported, nothing moved.
    std::vector<int> reported;
    g->OnOleDropCol = [&](TObject*, int r, int c, int dragged) { reported = {r, c, dragged}; };
    g->SetCellEx(3, 0, "H3");
    const TPoint p = f.Centre(3, 0);
    EXPECT_NE(TestInput::DropFromOutside(g, p.x, p.y, col), DROPEFFECT_NONE);
    EXPECT_EQ(reported, (std::vector<int>{0, 3, 4}));
    EXPECT_EQ(g->GetCellEx(3, 0), "H3");
}

TEST(GridDrop, TextDragBelowTheLastVisibleRowScrollsDown)
{
    DropForm f(40);
    TRavArodozIdad* g = f.g;
    TDropTargetHandler* h = DropTargetOf(g);
    TDragData d;
    d.HasText = true;
    d.Text = "t";
    const int below = g->TopRow() + g->VisibleRowCount();
    const int top = g->TopRow();
    const TRect R = g->CellRect(2, below);
    ASSERT_LT(R.Top, g->ClientHeight()); // partly in view
    const TPoint p = g->ClientToScreen(TPoint(R.Left + 5, R.Top + 2));
    h->DragEnter(d, 0, p);
    h->DragOver(0, p);
    EXPECT_EQ(g->TopRow(), top + 1);
    EXPECT_TRUE(g->ArrowWindow(arrLeft)->Visible());
    ASSERT_TRUE(SaveControlToPng(&f.form, TestOutputPath("grid_drop_arrow.png")));
    h->DragLeave();
    EXPECT_FALSE(g->ArrowWindow(arrLeft)->Visible());
}

// Two grids on one form: cells and columns dragged from one to the other with the mouse.
struct TwoGrids {
    DropForm target;
    TRavArodozIdad* src;
    TwoGrids()
    {
        src = new TRavArodozIdad(&target.form);
        src->SetParent(&target.form);
        src->SetBounds(0, 205, 400, 50);
        src->SetDefaultColWidth(60);
        src->SetColCountEx(4);
        src->SetRowCountEx(3);
        src->SetFixedRowsEx(1);
        src->SetFixedColsEx(0);
        src->SetOptions((src->Options() | goRangeSelect) & ~goEditing);
        src->DragDropSettings()->SetOleDropSource(true);
        for (int c = 0; c < 4; ++c) {
            src->SetCellEx(c, 0, "H" + std::to_string(c));
            src->SetCellEx(c, 1, "a" + std::to_string(c));
            src->SetCellEx(c, 2, "b" + std::to_string(c));
        }
    }
    // Presses in (c, r) of the source and moves 10 pixels right.
    void Drag(int c, int r)
    {
        const TRect R = src->CellRect(c, r);
        const int x = (R.Left + R.Right) / 2, y = (R.Top + R.Bottom) / 2;
        TestInput::MouseDown(src, x, y);
        TestInput::MouseMove(src, x + 10, y, ssLeft);
        TestInput::MouseUp(src, x + 10, y);
    }
};

TEST(GridDrag, SelectedCellsAreMovedOrCopiedToAnotherGrid)
{
    for (TShiftState shift : {TShiftState(0), TShiftState(ssCtrl)}) {
        TwoGrids t;
        t.src->SetSelection(TGridRect{1, 1, 2, 2});
        std::vector<int> stops;
        t.src->OnOleDragStop = [&](TObject*, int effect) { stops.push_back(effect); };
        const TPoint p = t.target.Centre(2, 3);
        TestInput::DropOn(t.target.g, p.x, p.y, shift);
        t.Drag(1, 1);
        EXPECT_EQ(t.target.g->GetCellEx(2, 3), "a1");
        EXPECT_EQ(t.target.g->GetCellEx(3, 4), "b2");
        const bool move = !(shift & ssCtrl);
        EXPECT_EQ(stops, std::vector<int>{move ? DROPEFFECT_MOVE : DROPEFFECT_COPY});
        // A move clears the cells it took; a copy keeps them.
        EXPECT_EQ(t.src->GetCellEx(1, 1), move ? "" : "a1");
        EXPECT_EQ(t.src->GetCellEx(2, 2), move ? "" : "b2");
        EXPECT_EQ(t.src->GetCellEx(0, 1), "a0");
    }
}

TEST(GridDrag, RefusedDragSelectsAndCancelledDragKeepsTheCells)
{
    TwoGrids t;
    t.src->SetSelection(TGridRect{1, 1, 1, 1});
    t.src->OnOleDrag = [](TObject*, int, int, const AnsiString&, bool& allow) { allow = false; };
    bool started = false;
    t.src->OnOleDragStart = [&](TObject*, int, int) { started = true; };
    t.Drag(1, 1);
    EXPECT_FALSE(started);
    t.src->OnOleDrag = nullptr;
    t.src->SetSelection(TGridRect{1, 1, 1, 1});
    TestInput::CancelNextDrag(t.target.g);
    t.Drag(1, 1);
    EXPECT_TRUE(started);
    EXPECT_EQ(t.src->GetCellEx(1, 1), "a1");
}

TEST(GridDrag, HeaderDragCarriesTheColumn)
{
    TwoGrids t;
    t.src->DragDropSettings()->SetOleColumnDragDrop(true);
    std::vector<int> reported;
    t.target.g->OnOleDropCol = [&](TObject*, int r, int c, int dragged) { reported = {r, c, dragged}; };
    std::vector<int> stops;
    t.src->OnOleDragStop = [&](TObject*, int effect) { stops.push_back(effect); };
    const TPoint p = t.target.Centre(4, 0);
    TestInput::DropOn(t.target.g, p.x, p.y);
    t.Drag(2, 0);
    EXPECT_EQ(reported, (std::vector<int>{0, 4, 2}));
    EXPECT_EQ(stops, std::vector<int>{DROPEFFECT_MOVE});
    EXPECT_FALSE(t.src->PopupButton()->Visible());
    EXPECT_EQ(t.src->GetCellEx(2, 0), "H2");
}

TEST(GridDrag, RowsMovedWithinTheGridLandAndLeaveTheirOldPlace)
{
    for (bool entire : {false, true}) {
        DropForm f(6);
        TRavArodozIdad* g = f.g;
        g->SetOptions((g->Options() | goRowSelect) & ~goEditing);
        g->Navigation()->SetAllowClipboardAlways(true);
        TDragDropSettings* s = g->DragDropSettings();
        s->SetOleDropSource(true);
        s->SetOleRemoveRows(true);
        s->SetOleInsertRows(true);
        s->SetOleEntireRows(entire);
        for (int r = 1; r < 6; ++r) {
            g->SetCellEx(0, r, "n" + std::to_string(r));
            g->SetCellEx(1, r, "r" + std::to_string(r));
            g->SetCellEx(2, r, "x" + std::to_string(r));
        }
        g->SetSelection(TGridRect{1, 4, 5, 5});
        const TPoint to = f.Centre(2, 1), from = f.Centre(2, 4);
        TestInput::DropOn(g, to.x, to.y);
        TestInput::MouseDown(g, from.x, from.y);
        TestInput::MouseMove(g, from.x + 10, from.y, ssLeft);
        TestInput::MouseUp(g, from.x + 10, from.y);
        ASSERT_EQ(g->RowCount(), 6) << entire;
        std::vector<AnsiString> col1, col0;
        for (int r = 1; r < 6; ++r) {
            col1.push_back(g->GetCellEx(1, r));
            col0.push_back(g->GetCellEx(0, r));
        }
        EXPECT_EQ(col1, (std::vector<AnsiString>{"r4", "r5", "r1", "r2", "r3"})) << entire;
        // The fixed column travels only with entire rows.
        EXPECT_EQ(col0, entire ? (std::vector<AnsiString>{"n4", "n5", "n1", "n2", "n3"})
                               : (std::vector<AnsiString>{"", "", "n1", "n2", "n3"}));
    }
}

} // namespace
