// Fixed-width files and the plain text listing: exact layouts and reading back.
#include <gtest/gtest.h>

#include "GridTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

std::string Path(const char* Name) { return (TestDir("gridfixed") / Name).string(); }

std::unique_ptr<TRavArodozIdad> Table()
{
    auto g = MakeGrid(3, 3);
    const char* texts[3][3] = {{"Freq", "Cs", "D"}, {"1000", "47.1 nF", "0.012"}, {"120", "\xC2\xB5" "F x", ""}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            g->SetCellEx(c, r, texts[r][c]);
    return g;
}

TEST(GridFixedText, SaveToFixedCutsAndPadsAndFillsMissingWidths)
{
    auto g = Table();
    TIntList widths(0, 0);
    widths.Add(3); // cut
    g->SaveToFixed(Path("fixed.txt"), &widths);
    EXPECT_EQ(widths.GetStrValue(), "3,8,6"); // longest text + 1, in characters
    EXPECT_EQ(ReadBytes(Path("fixed.txt")), "FreCs      D     \r\n"
                                            "10047.1 nF 0.012 \r\n"
                                            "120\xB5" "F x          \r\n");
    const AnsiString first = ReadBytes(Path("fixed.txt"));
    g->SaveToFixed(Path("fixed2.txt"), &widths);
    EXPECT_EQ(ReadBytes(Path("fixed2.txt")), first);
    EXPECT_EQ(ErrorOf([&] { g->SaveToFixed("/nonexistent-folder/f.txt", &widths); }),
              "VEvoRaraVedad: Cannot Create file /nonexistent-folder/f.txt");
}

TEST(GridFixedText, LoadFromFixedReadsFieldsByPositionAndGrowsRowsOneByOne)
{
    WriteBytes(Path("in.txt"), "abcd 12345xyz\r\n  e    6\r\nab\r\nq\xB5" "rs 1\n");
    auto g = MakeGrid(5, 2);
    g->SetCellEx(4, 1, "keep");
    TIntList pos(0, 0);
    for (int p : {1, 6, 11})
        pos.Add(p);
    g->LoadFromFixed(Path("in.txt"), &pos);
    EXPECT_EQ(g->ColCount(), 0 + 2);
    EXPECT_EQ(g->RowCount(), 4);
    struct Cell {
        int C, R;
        const char* Text;
    };
    const Cell cells[] = {{0, 0, "abcd"}, {1, 0, "12345"}, {0, 1, "e"}, {1, 1, "6"}, {0, 2, "ab"}, {1, 2, ""},
                          {0, 3, "q\xC2\xB5" "rs"}, {1, 3, "1"}};
    for (const auto& c : cells)
        EXPECT_EQ(g->Cells(c.C, c.R), c.Text) << c.C << "," << c.R;
    // Positions out of order, before the line or past it give empty fields, never a fault.
    for (const char* odd : {"5,2,8", "-3,4", "100,200", "1"}) {
        TIntList p(0, 0);
        p.SetStrValue(odd);
        auto h = MakeGrid(3, 2);
        EXPECT_EQ(ErrorOf([&] { h->LoadFromFixed(Path("in.txt"), &p); }), "no error") << odd;
    }
    EXPECT_EQ(ErrorOf([&] { g->LoadFromFixed(Path("none.txt"), &pos); }),
              "VEvoRaraVedad: File " + Path("none.txt") + " not found");
}

TEST(GridFixedText, WidthsWrittenArePositionsToReadBack)
{
    auto g = Table();
    TIntList widths(0, 0);
    g->SaveToFixed(Path("rt.txt"), &widths);
    TIntList pos(0, 0);
    pos.Add(1);
    for (int i = 0; i < widths.Count(); ++i)
        pos.Add(pos.GetInteger(i) + widths.GetInteger(i));
    auto h = MakeGrid(1, 2, 1, 0);
    h->LoadFromFixed(Path("rt.txt"), &pos);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(h->Cells(c, r), g->Cells(c, r)) << c << "," << r;
}

TEST(GridFixedText, AsciiListingAlignsColumnsAndContinuesMultiLineCells)
{
    auto g = MakeGrid(3, 3);
    g->SetCellEx(0, 0, "Name");
    g->SetCellEx(1, 0, "Value");
    g->SetCellEx(2, 0, "Note");
    g->SetCellEx(0, 1, "R");
    g->SetCellEx(1, 1, "12");
    g->SetCellEx(2, 1, "ok");
    g->SetCellEx(0, 2, "C");
    g->SetCellEx(1, 2, "4700");
    g->SetCellEx(2, 2, "line1\r\nline2\r\nline3");
    g->SetAlignments(1, 1, taRightJustify);
    g->SetAlignments(1, 2, taCenter);
    g->SetMultilinecells(true);
    g->SaveToASCII(Path("list.txt"));
    EXPECT_EQ(ReadBytes(Path("list.txt")), "Name Value Note  \r\n"
                                           "R       12 ok    \r\n"
                                           "C     4700 line1 \r\n" // centred: one blank each side, one longer than the width
                                           "           line2\r\n"
                                           "           line3\r\n");
}

TEST(GridFixedText, AsciiListingKeepsFullWidthsForManyWideColumns)
{
    // More than 513 columns and texts longer than 255 characters: every column keeps its whole width.
    auto g = MakeGrid(600, 1, 0);
    const AnsiString wide(300, 'w');
    g->SetCellEx(599, 0, wide);
    g->SetCellEx(598, 0, "x");
    g->SaveToASCII(Path("wide.txt"));
    const AnsiString expected = AnsiString(598, ' ') + "x " + wide + " \r\n";
    EXPECT_EQ(ReadBytes(Path("wide.txt")), expected);
}

} // namespace
