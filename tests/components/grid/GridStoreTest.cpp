// The packed cell store: texts, properties ownership and structural moves.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "components/grid/Ravbase.h"
#include "components/grid/RavbaseStore.h"
#include "GridTestSupport.h"

TEST(CellStore, KeepsTextsOfAnyLengthAndColumn)
{
    TCellStore s;
    EXPECT_EQ(s.Text(3, 5), "");
    s.SetText(3, 5, "abc");
    s.SetText(0, 5, std::string(300, 'x')); // a length above one byte of length prefix
    s.SetText(200, 5, "far");
    EXPECT_EQ(s.Text(3, 5), "abc");
    EXPECT_EQ(s.Text(0, 5), std::string(300, 'x'));
    EXPECT_EQ(s.Text(200, 5), "far");
    EXPECT_EQ(s.Text(1, 5), "");
    s.SetText(3, 5, "xyz"); // same length, in place
    s.SetText(0, 5, "");
    EXPECT_EQ(s.Text(3, 5), "xyz");
    EXPECT_EQ(s.Text(0, 5), "");
    EXPECT_EQ(s.Text(200, 5), "far");
    // Writing a text taken from the store itself.
    s.SetText(1, 5, s.TextView(200, 5));
    EXPECT_EQ(s.Text(1, 5), "far");
}

TEST(CellStore, RowAndColumnMovesCarryTexts)
{
    TCellStore s;
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 3; ++c)
            s.SetText(c, r, std::to_string(c * 10 + r));
    s.MoveRow(0, 3);
    EXPECT_EQ(s.Text(0, 3), "0");
    EXPECT_EQ(s.Text(0, 0), "1");
    s.SwapCols(0, 2);
    EXPECT_EQ(s.Text(2, 3), "0");
    EXPECT_EQ(s.Text(0, 3), "20");
    s.InsertCols(1, 2);
    EXPECT_EQ(s.Text(1, 3), "");
    EXPECT_EQ(s.Text(3, 3), "10");
    s.DeleteCols(1, 2);
    EXPECT_EQ(s.Text(1, 3), "10");
    s.InsertRows(1, 1);
    EXPECT_EQ(s.Text(0, 1), "");
    EXPECT_EQ(s.Text(0, 2), "22");
    s.MoveRowsToEnd(0, 2, 6);
    EXPECT_EQ(s.Text(0, 0), "22");
    EXPECT_EQ(s.Text(0, 5), "");
    EXPECT_EQ(s.Text(0, 4), "21");
}

// Row operations at both ends and in the middle, many times over so that the
// rows wrap around the ring, agree with a plain list of the same rows.
TEST(CellStore, RowOperationsAgreeWithAPlainList)
{
    TCellStore s;
    std::vector<std::string> ref;
    int next = 0;
    auto put = [&](size_t r) {
        ref[r] = "r" + std::to_string(next++);
        s.SetText(1, int(r), ref[r]);
    };
    ref.resize(40);
    for (size_t r = 0; r < ref.size(); ++r)
        put(r);
    struct Op {
        char kind; // i insert, d delete, m move, e move to end
        int where; // 0 first, 1 middle, 2 near the end
        int count;
    };
    const Op ops[] = {{'i', 0, 1}, {'d', 0, 1}, {'i', 1, 3}, {'d', 1, 2}, {'i', 2, 1}, {'d', 2, 1},
                      {'m', 0, 1}, {'m', 2, 1}, {'e', 0, 2}, {'e', 1, 3}, {'i', 0, 5}, {'d', 0, 4}};
    for (int round = 0; round < 30; ++round)
        for (const Op& op : ops) {
            const int n = int(ref.size());
            const int at = op.where == 0 ? 0 : op.where == 1 ? n / 2 : n - op.count;
            switch (op.kind) {
            case 'i':
                s.InsertRows(at, op.count);
                ref.insert(ref.begin() + at, size_t(op.count), std::string());
                for (int k = 0; k < op.count; ++k)
                    put(size_t(at + k));
                break;
            case 'd':
                s.DeleteRows(at, op.count);
                ref.erase(ref.begin() + at, ref.begin() + at + op.count);
                break;
            case 'm': {
                const int to = n - 1 - at;
                s.MoveRow(at, to);
                std::string v = ref[size_t(at)];
                ref.erase(ref.begin() + at);
                ref.insert(ref.begin() + to, v);
                break;
            }
            case 'e':
                s.MoveRowsToEnd(at, op.count, n);
                std::rotate(ref.begin() + at, ref.begin() + at + op.count, ref.end());
                break;
            }
            ASSERT_EQ(s.StoredRows(), int(ref.size()));
            for (size_t r = 0; r < ref.size(); ++r)
                ASSERT_EQ(s.Text(1, int(r)), ref[r]) << "round " << round << " op " << op.kind << " row " << r;
        }
}

// Savers read a row at a time; what they read must be what cell-by-cell reading gives,
// whatever merges, hooks or unstored cells the row has.
TEST(GridRowRead, GivesWhatReadingEachCellGives)
{
    struct Case {
        const char* Name;
        std::function<void(TRavArodozIdad&)> SetUp;
    };
    const Case cases[] = {
        {"plain", [](TRavArodozIdad&) {}},
        {"merged", [](TRavArodozIdad& g) { g.MergeCells(1, 1, 2, 2); }},
        {"colored cells", [](TRavArodozIdad& g) { g.GetCellProperties(3, 2)->SetBrushColor(clRed); }},
        {"display hook", [](TRavArodozIdad& g) {
             g.OnGetDisplText = [](TObject*, int c, int r, AnsiString& v) { v = "<" + v + ">" + std::to_string(c + r); };
         }},
        {"short rows", [](TRavArodozIdad& g) {
             g.SetCellEx(4, 2, "");
             g.SetCellEx(3, 2, "");
         }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.Name);
        auto g = MakeGrid(5, 4);
        FillCoords(*g);
        k.SetUp(*g);
        // One column past the grid and a row past the store read as empty, as cells do.
        for (int r = 0; r <= 5; ++r) {
            std::vector<std::string_view> texts(6);
            std::vector<AnsiString> bufs(6);
            g->GetRowEx(r, texts, bufs);
            for (int c = 0; c < 6; ++c)
                EXPECT_EQ(texts[size_t(c)], g->GetCellEx(c, r)) << "cell " << c << "," << r;
        }
    }
}
