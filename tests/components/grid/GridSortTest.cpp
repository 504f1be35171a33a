// Sorting rows: comparison styles, tie-breaks, indexed and stable sorts, and
// the grid put back as it was on every way out of a sort.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "GridTestSupport.h"
#include "components/grid/Ravobj.h"
#include "platform/forms/Form.h"
#include "platform/forms/Render.h"
#include "platform/forms/TestInput.h"
#include "tests/support/TestOutput.h"

namespace {

// Writes Values down column ACol from the first data row.
void PutCol(TRavArodozIdad& g, int ACol, const Texts& Values)
{
    for (size_t i = 0; i < Values.size(); ++i)
        g.SetCellEx(ACol, g.FixedRows() + int(i), Values[i]);
}

Texts GetCol(TRavArodozIdad& g, int ACol, int From, int To)
{
    Texts t;
    for (int r = From; r <= To; ++r)
        t.push_back(g.GetCellEx(ACol, r));
    return t;
}

// A grid of one fixed row and the values in column 1 (column 0 numbers the rows).
std::unique_ptr<TRavArodozIdad> Column1Grid(const Texts& Values, int Cols = 3)
{
    auto g = MakeGrid(Cols, int(Values.size()) + 1);
    PutCol(*g, 1, Values);
    for (int i = 0; i < int(Values.size()); ++i)
        g->SetCellEx(0, i + 1, "r" + std::to_string(i));
    g->SortSettings()->SetColumn(1);
    return g;
}

struct StyleCase {
    const char* name;
    Texts values;
    TSortStyle style; // ssAutomatic: whatever the grid decides
    AnsiString suffix;
    bool autoFormat;
    TSortDirection direction;
    bool ignoreBlanks;
    TSortBlankPosition blankPos;
    Texts expected;
};

} // namespace

TEST(GridSort, ComparisonStylesOrderTheColumn)
{
    const StyleCase cases[] = {
        {"numbers by value", {"3", "10", "2"}, ssAutomatic, "", true, sdAscending, false, blFirst, {"2", "3", "10"}},
        {"text without auto format", {"10", "2", "3"}, ssAutomatic, "", false, sdAscending, false, blFirst,
         {"10", "2", "3"}},
        {"descending", {"1", "2", "3"}, ssAutomatic, "", true, sdDescending, false, blFirst, {"3", "2", "1"}},
        {"suffix removed", {"5 kg", "40 kg", "12 kg"}, ssNumeric, " kg", true, sdAscending, false, blFirst,
         {"5 kg", "12 kg", "40 kg"}},
        {"no number counts as 0", {"abc", "5", "-1"}, ssNumeric, "", true, sdAscending, false, blFirst,
         {"-1", "abc", "5"}},
        {"empty is 0 in numbers", {"5", "", "-1"}, ssNumeric, "", true, sdAscending, false, blFirst, {"-1", "", "5"}},
        {"money", {"1,000.50", "999", "20"}, ssFinancial, "", true, sdAscending, false, blFirst,
         {"20", "999", "1,000.50"}},
        {"bytes", {"b", "a", "C"}, ssAlphaCase, "", true, sdAscending, false, blFirst, {"C", "a", "b"}},
        {"without case", {"b", "a", "C"}, ssAlphaNoCase, "", true, sdAscending, false, blFirst, {"a", "b", "C"}},
        {"markup ignored", {"<b>b</b>", "a", "<i>c</i>"}, ssHTML, "", true, sdAscending, false, blFirst,
         {"a", "<b>b</b>", "<i>c</i>"}},
        {"day first", {"02/01/2020", "01/02/2020", "15/01/2020"}, ssShortDateEU, "", true, sdAscending, false,
         blFirst, {"02/01/2020", "15/01/2020", "01/02/2020"}},
        {"month first", {"02/01/2020", "01/02/2020", "01/15/2020"}, ssShortDateUS, "", true, sdAscending, false,
         blFirst, {"01/02/2020", "01/15/2020", "02/01/2020"}},
        {"blanks last going up", {"", "2", "", "1"}, ssNumeric, "", true, sdAscending, true, blLast,
         {"1", "2", "", ""}},
        {"blanks last going down", {"", "2", "", "1"}, ssNumeric, "", true, sdDescending, true, blLast,
         {"2", "1", "", ""}},
        {"blanks first going down", {"2", "", "1"}, ssAlphabetic, "", true, sdDescending, true, blFirst,
         {"", "2", "1"}},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        auto g = Column1Grid(k.values);
        if (k.style != ssAutomatic)
            g->OnGetFormat = [&k](TObject*, int, TSortStyle& s, AnsiString&, AnsiString& suffix) {
                s = k.style;
                suffix = k.suffix;
            };
        g->SortSettings()->SetAutoFormat(k.autoFormat);
        g->SortSettings()->SetDirection(k.direction);
        g->SortSettings()->SetIgnoreBlanks(k.ignoreBlanks);
        g->SortSettings()->SetBlankPos(k.blankPos);
        g->QSort();
        EXPECT_EQ(GetCol(*g, 1, 1, g->RowCount() - 1), k.expected);
    }
}

TEST(GridSort, EventsDecideCustomAndRawOrders)
{
    // Custom: by text length; raw: by the row's text in column 2.
    auto g = Column1Grid({"ccc", "a", "bb"});
    PutCol(*g, 2, {"1", "3", "2"});
    g->OnGetFormat = [](TObject*, int, TSortStyle& s, AnsiString&, AnsiString&) { s = ssCustom; };
    g->OnCustomCompare = [](TObject*, const AnsiString& a, const AnsiString& b, int& res) {
        res = a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
    };
    g->SortSettings()->SetFull(false);
    g->QSort();
    EXPECT_EQ(GetCol(*g, 1, 1, 3), (Texts{"a", "bb", "ccc"}));

    g->OnGetFormat = [](TObject*, int, TSortStyle& s, AnsiString&, AnsiString&) { s = ssRaw; };
    TRavArodozIdad* grid = g.get();
    g->OnRawCompare = [grid](TObject*, int, int r1, int r2, int& res) {
        res = grid->Cells(2, r1).compare(grid->Cells(2, r2));
        res = res < 0 ? -1 : (res > 0 ? 1 : 0);
    };
    g->QSort();
    EXPECT_EQ(GetCol(*g, 1, 1, 3), (Texts{"ccc", "bb", "a"}));
}

TEST(GridSort, CheckBoxesSortByState)
{
    auto g = MakeGrid(3, 4);
    g->AddCheckBox(1, 1, true, false);
    g->AddCheckBox(1, 2, false, false);
    g->AddCheckBox(1, 3, true, false);
    PutCol(*g, 2, {"a", "b", "c"});
    g->SortSettings()->SetColumn(1);
    g->QSort(); // the style comes from the first row's check box
    bool s1 = true, s2 = false, s3 = false;
    g->GetCheckBoxState(1, 1, s1);
    g->GetCheckBoxState(1, 2, s2);
    g->GetCheckBoxState(1, 3, s3);
    EXPECT_FALSE(s1);
    EXPECT_TRUE(s2);
    EXPECT_TRUE(s3);
    EXPECT_EQ(GetCol(*g, 2, 1, 3), (Texts{"b", "a", "c"}));
}

TEST(GridSort, FullBreaksTiesWithTheNextColumns)
{
    auto g = Column1Grid({"A", "B", "A", "A"}, 4);
    PutCol(*g, 2, {"x", "x", "x", "w"});
    PutCol(*g, 3, {"3", "2", "1", "9"});
    g->QSort();
    EXPECT_EQ(GetCol(*g, 1, 1, 4), (Texts{"A", "A", "A", "B"}));
    EXPECT_EQ(GetCol(*g, 2, 1, 4), (Texts{"w", "x", "x", "x"}));
    EXPECT_EQ(GetCol(*g, 3, 1, 4), (Texts{"9", "1", "3", "2"}));
}

TEST(GridSort, FixedRowsAndFootersStayInPlace)
{
    auto g = Column1Grid({"3", "1", "2", "total"});
    g->SetFixedFooters(1);
    g->SetCellEx(1, 0, "head");
    g->QSort();
    EXPECT_EQ(GetCol(*g, 1, 0, 4), (Texts{"head", "1", "2", "3", "total"}));

    // Only fixed rows: nothing moves, nothing breaks.
    auto empty = MakeGrid(3, 2, 1);
    empty->SetFixedFooters(1);
    empty->SetCellEx(1, 0, "b");
    empty->SetCellEx(1, 1, "a");
    empty->QSort();
    empty->SortByColumn(1);
    empty->SortIndexes()->AddIndex(1, true);
    empty->QSortIndexed();
    EXPECT_EQ(GetCol(*empty, 1, 0, 1), (Texts{"b", "a"}));
    EXPECT_EQ(empty->RowCount(), 2);
}

TEST(GridSort, WholeRowsMoveWithPropertiesHeightsHiddenColumnsAndCrossReference)
{
    auto g = Column1Grid({"c", "a", "b"}, 4);
    PutCol(*g, 3, {"hidden c", "hidden a", "hidden b"});
    g->SetColors(2, 1, clRed);
    g->SetRowHeights(1, 40);
    g->HideColumn(3);
    g->InitSortXRef();
    const int width = g->ColWidths(2);
    g->QSort();
    EXPECT_EQ(GetCol(*g, 1, 1, 3), (Texts{"a", "b", "c"}));
    EXPECT_EQ(g->Colors(2, 3), clRed);
    EXPECT_EQ(g->Colors(2, 1), clNone);
    EXPECT_EQ(g->RowHeights(3), 40);
    EXPECT_EQ(g->SortIndex()->GetInteger(1), 2); // row 1 now holds what was row 2
    EXPECT_EQ(g->SortedRowIndex(3), 1);
    EXPECT_EQ(g->ColCount(), 3);
    EXPECT_EQ(g->ColWidths(2), width);
    g->UnHideColumn(3);
    EXPECT_EQ(GetCol(*g, 3, 1, 3), (Texts{"hidden a", "hidden b", "hidden c"}));
}

TEST(GridSort, IndexedSortFollowsEachEntrysDirection)
{
    auto g = MakeGrid(3, 6);
    PutCol(*g, 2, {"b", "a", "b", "a", "b"});
    PutCol(*g, 0, {"1", "2", "3", "4", "5"});
    g->SortIndexes()->AddIndex(2, true);
    g->SortIndexes()->AddIndex(0, false);
    g->QSortIndexed();
    EXPECT_EQ(GetCol(*g, 2, 1, 5), (Texts{"a", "a", "b", "b", "b"}));
    EXPECT_EQ(GetCol(*g, 0, 1, 5), (Texts{"4", "2", "5", "3", "1"}));
    EXPECT_EQ(g->SortIndexes()->Count(), 2); // the index list stays

    g->SortIndexes()->Clear();
    try {
        g->QSortIndexed();
        FAIL() << "an empty index list sorted";
    } catch (const VEvoRaraVedad& e) {
        EXPECT_STREQ(e.what(), "No indexes specified for indexed sort");
    }
    EXPECT_FALSE(g->GetLockFlag());
}

TEST(GridSort, ExchangeSortKeepsTheOrderOfEqualRows)
{
    for (TSortDirection d : {sdAscending, sdDescending}) {
        auto g = Column1Grid({"2", "1", "2", "1", "3"});
        PutCol(*g, 2, {"a", "b", "c", "d", "e"});
        g->SortSettings()->SetDirection(d);
        g->SortByColumn(1);
        if (d == sdAscending)
            EXPECT_EQ(GetCol(*g, 2, 1, 5), (Texts{"b", "d", "a", "c", "e"}));
        else
            EXPECT_EQ(GetCol(*g, 2, 1, 5), (Texts{"e", "a", "c", "b", "d"}));
    }
}

TEST(GridSort, NormalCellsOnlyKeepsTheFixedColumn)
{
    auto g = MakeGrid(3, 4, 1, 1);
    PutCol(*g, 0, {"1", "2", "3"});
    PutCol(*g, 1, {"c", "a", "b"});
    g->SortSettings()->SetNormalCellsOnly(true);
    g->SortSettings()->SetColumn(1);
    g->QSort();
    EXPECT_EQ(GetCol(*g, 0, 1, 3), (Texts{"1", "2", "3"}));
    EXPECT_EQ(GetCol(*g, 1, 1, 3), (Texts{"a", "b", "c"}));
}

TEST(GridSort, AHandlerThatThrowsLeavesTheGridAsItWas)
{
    auto g = Column1Grid({"5", "3", "9", "1", "7"}, 4);
    g->HideColumn(2);
    g->SortSettings()->SetNormalCellsOnly(true);
    g->SetFixedCols(1);
    g->SetDisplTextRowLimit(3);
    const int rows = g->RowCount(), cols = g->ColCount(), width = g->ColWidths(cols - 1);
    int calls = 0;
    g->OnGetFormat = [&calls](TObject*, int, TSortStyle& s, AnsiString&, AnsiString&) {
        s = ssCustom;
        if (++calls == 4)
            throw Exception("handler failed");
    };
    for (auto sort : {&TRavArodozIdad::QSort, &TRavArodozIdad::QSortGroup}) {
        calls = 0;
        g->AddNode(1, 0);
        EXPECT_THROW((g.get()->*sort)(), Exception);
        g->RemoveNode(1);
        EXPECT_EQ(g->RowCount(), rows);
        EXPECT_EQ(g->ColCount(), cols);
        EXPECT_EQ(g->ColWidths(cols - 1), width);
        EXPECT_EQ(g->DisplTextRowLimit(), 3);
        EXPECT_FALSE(g->GetLockFlag());
        EXPECT_EQ(GetCol(*g, 0, 1, 5), (Texts{"r0", "r1", "r2", "r3", "r4"}));
        Texts all = GetCol(*g, 1, 1, 5);
        std::sort(all.begin(), all.end());
        EXPECT_EQ(all, (Texts{"1", "3", "5", "7", "9"})); // no row lost or doubled
    }
}

TEST(GridSort, CurrentRowFollowsItsRowWhenAsked)
{
    auto g = Column1Grid({"c", "a", "b"});
    g->SetRow(1); // holds c
    g->QSort();
    EXPECT_EQ(g->Row(), 1);
    g->Navigation()->SetMoveRowOnSort(true);
    g->SetRow(1); // now holds a
    g->SortSettings()->SetDirection(sdDescending);
    g->QSort();
    EXPECT_EQ(g->GetCellEx(1, g->Row()), "a");
    EXPECT_EQ(g->Row(), 3);
}

TEST(GridSort, GroupSortKeepsEachGroupToItself)
{
    auto g = Column1Grid({"", "3", "1", "2", "", "b", "a"});
    g->AddNode(1, 4);
    g->AddNode(5, 3);
    g->QSortGroup();
    EXPECT_EQ(GetCol(*g, 1, 1, 7), (Texts{"", "1", "2", "3", "", "a", "b"}));
    EXPECT_TRUE(g->IsNode(1));
    EXPECT_TRUE(g->IsNode(5));
}

TEST(GridSort, SortRowMustBeAFixedRow)
{
    auto g = MakeGrid(3, 4, 2);
    g->SortSettings()->SetRow(1);
    try {
        g->SortSettings()->SetRow(2);
        FAIL() << "a data row became the sort row";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Sort row should be smaller than number of fixed rows");
    }
    EXPECT_EQ(g->SortSettings()->Row(), 1);
}

// Many rows in the shapes that break partition sorts: random with repeats,
// already sorted, reversed and all equal. The result must be the keys in order.
TEST(GridSort, LargeInputsOfEveryShapeComeOutOrdered)
{
    constexpr int n = 20000;
    std::mt19937 gen(7);
    std::vector<std::vector<int>> shapes(4, std::vector<int>(n));
    for (int i = 0; i < n; ++i) {
        shapes[0][size_t(i)] = int(gen() % 500);
        shapes[1][size_t(i)] = i;
        shapes[2][size_t(i)] = n - i;
        shapes[3][size_t(i)] = 42;
    }
    for (const auto& keys : shapes) {
        auto g = MakeGrid(2, n + 1);
        for (int i = 0; i < n; ++i)
            g->SetCellEx(1, i + 1, std::to_string(keys[size_t(i)]));
        g->SortSettings()->SetColumn(1);
        g->QSort();
        std::vector<int> want = keys;
        std::sort(want.begin(), want.end());
        bool ordered = true;
        for (int i = 0; i < n && ordered; ++i)
            ordered = g->GetCellEx(1, i + 1) == std::to_string(want[size_t(i)]);
        EXPECT_TRUE(ordered);
    }
}

// The sort column read once up front must order rows exactly as comparing
// cell by cell does (forced here by a display-text handler that changes nothing).
TEST(GridSort, ReadingKeysOnceOrdersAsComparingCellsDoes)
{
    const Texts pool{"3", "10", "-2.5", "", "abc", "Abc", "1e3", "02/03/2020", "x", "7", "", "3"};
    std::mt19937 gen(3);
    for (TSortStyle style : {ssAutomatic, ssNumeric, ssAlphaNoCase, ssAlphabetic})
        for (bool blanks : {false, true})
            for (TSortDirection d : {sdAscending, sdDescending}) {
                Texts values, tags;
                for (int i = 0; i < 60; ++i) {
                    values.push_back(pool[gen() % pool.size()]);
                    tags.push_back(std::to_string(gen() % 5));
                }
                Texts results[2];
                for (int pass = 0; pass < 2; ++pass) {
                    auto g = Column1Grid(values);
                    PutCol(*g, 2, tags);
                    if (pass == 1)
                        g->OnGetDisplText = [](TObject*, int, int, AnsiString&) {};
                    g->OnGetFormat = [style](TObject*, int, TSortStyle& s, AnsiString&, AnsiString&) { s = style; };
                    g->SortSettings()->SetIgnoreBlanks(blanks);
                    g->SortSettings()->SetDirection(d);
                    g->QSort();
                    results[pass] = GetCol(*g, 0, 1, 60); // the rows' own numbers
                }
                EXPECT_EQ(results[0], results[1]) << "style " << style << (blanks ? " blanks" : "") << " dir " << d;
            }
}

TEST(GridSort, RangeSortAndSingleSteps)
{
    auto g = Column1Grid({"9", "5", "3", "1", "0"});
    g->QuickSort(1, 2, 4); // rows 2..4 only
    EXPECT_EQ(GetCol(*g, 1, 1, 5), (Texts{"9", "1", "3", "5", "0"}));
    EXPECT_EQ(g->RowCount(), 6);

    struct Case {
        Texts a, b; // columns 1 and 2 of rows 1 and 2
        bool swapped;
    };
    const Case cases[] = {
        {{"2", "1"}, {"x", "y"}, true},
        {{"1", "2"}, {"y", "x"}, false},
        {{"1", "1"}, {"y", "x"}, true}, // tie: the next column decides
        {{"1", "1"}, {"x", "x"}, false},
    };
    for (const auto& k : cases) {
        auto s = Column1Grid(k.a);
        PutCol(*s, 2, k.b);
        EXPECT_EQ(s->SortLine(1, 1, 2), k.swapped);
        EXPECT_EQ(s->GetCellEx(0, 1), k.swapped ? "r1" : "r0");
    }
}

TEST(GridSortClick, HeaderClicksSortAndTurnTheDirection)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 320, 240);
    auto* g = new TRavArodozIdad(&form);
    g->SetParent(&form);
    g->SetBounds(4, 4, 300, 220);
    g->SetColCountEx(3);
    g->SetRowCountEx(4);
    g->SetOptions(g->Options() | goColSizing);
    PutCol(*g, 1, {"b", "c", "a"});
    PutCol(*g, 2, {"2", "1", "3"});
    g->SetCellEx(1, 0, "Part");
    g->SetCellEx(2, 0, "Value");
    g->SortSettings()->SetShow(true);
    int clicked = -1;
    g->OnClickSort = [&clicked](TObject*, int c) { clicked = c; };
    auto header = [g](int c) {
        const TRect r = g->CellRect(c, 0);
        return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    };
    auto click = [g](TPoint p, TShiftState shift = 0) {
        TestInput::MouseDown(g, p.x, p.y, mbLeft, shift);
        TestInput::MouseUp(g, p.x, p.y, mbLeft, shift);
    };
    click(header(1));
    EXPECT_EQ(GetCol(*g, 1, 1, 3), (Texts{"a", "b", "c"}));
    EXPECT_EQ(clicked, 1);
    click(header(1));
    EXPECT_EQ(GetCol(*g, 1, 1, 3), (Texts{"c", "b", "a"}));
    click(header(2));
    EXPECT_EQ(GetCol(*g, 2, 1, 3), (Texts{"1", "2", "3"}));
    ASSERT_TRUE(SaveControlToPng(&form, TestOutputPath("grid_sort_mark.png")));

    // A release on a column border, a data row, or a refusal: no sort.
    const TRect r1 = g->CellRect(1, 0);
    click(TPoint{r1.Right - 1, (r1.Top + r1.Bottom) / 2});
    click(TPoint{header(1).x, (g->CellRect(1, 1).Top + g->CellRect(1, 1).Bottom) / 2});
    g->OnCanSort = [](TObject*, int, bool& DoSort) { DoSort = false; };
    click(header(1));
    EXPECT_EQ(GetCol(*g, 2, 1, 3), (Texts{"1", "2", "3"}));
    g->OnCanSort = nullptr;

    // Several columns: a shift click adds a column to the index list.
    g->SortSettings()->SetIndexShow(true);
    PutCol(*g, 1, {"x", "y", "x"});
    PutCol(*g, 2, {"1", "2", "3"});
    click(header(1));
    click(header(2), ssShift);
    click(header(2), ssShift); // and turns it round
    EXPECT_EQ(g->SortIndexes()->Count(), 2);
    EXPECT_EQ(GetCol(*g, 1, 1, 3), (Texts{"x", "x", "y"}));
    EXPECT_EQ(GetCol(*g, 2, 1, 3), (Texts{"3", "1", "2"}));
    ASSERT_TRUE(SaveControlToPng(&form, TestOutputPath("grid_sort_marks_indexed.png")));
}

TEST(GridSort, SortColumnAndIndexesFollowAMovedColumn)
{
    struct Case {
        int from, to, sortCol, expected;
    };
    for (Case k : {Case{1, 3, 1, 3}, Case{1, 3, 2, 1}, Case{3, 1, 1, 2}, Case{3, 1, 0, 0}, Case{2, 3, 1, 1}}) {
        auto g = MakeGrid(5, 3);
        g->SortSettings()->SetColumn(k.sortCol);
        g->SortIndexes()->AddIndex(k.sortCol, false);
        g->MoveColumn(k.from, k.to);
        EXPECT_EQ(g->SortSettings()->Column(), k.expected) << k.from << "->" << k.to << " of " << k.sortCol;
        EXPECT_EQ(g->SortIndexes()->FindIndex(k.expected), 0);
        EXPECT_NE(unsigned(g->SortIndexes()->GetInteger(0)) & 0x80000000u, 0u); // still descending
    }
}
