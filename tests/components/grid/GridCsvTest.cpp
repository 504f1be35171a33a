// CSV export and import: exact bytes, quoting, delimiter detection, malformed files.
#include <gtest/gtest.h>

#include "GridTestSupport.h"
#include "tests/support/TestSupport.h"

namespace {

std::string Path(const char* Name) { return (TestDir("gridcsv") / Name).string(); }

// One data row of the given texts below an empty fixed row, saved without the fixed row.
AnsiString CsvOf(const std::vector<AnsiString>& Texts, const std::function<void(TRavArodozIdad&)>& Setup = {})
{
    auto g = MakeGrid(int(Texts.size()), 2);
    for (size_t c = 0; c < Texts.size(); ++c)
        g->SetCellEx(int(c), 1, Texts[c]);
    g->SaveWithFixedCells = false;
    if (Setup)
        Setup(*g);
    g->SaveToCSV(Path("out.csv"));
    return ReadBytes(Path("out.csv"));
}

TEST(GridCsv, WritesFieldsQuotedOnlyWhereNeeded)
{
    struct Case {
        std::vector<AnsiString> Texts;
        std::function<void(TRavArodozIdad&)> Setup;
        const char* Bytes;
    };
    const Case cases[] = {
        {{"a", "12.5", "x y"}, {}, "a,12.5,x y\r\n"},
        {{"a,b", "say \"hi\"", "two\r\nlines"}, {}, "\"a,b\",\"say \"\"hi\"\"\",\"two\nlines\"\r\n"},
        {{"", "b"}, {}, "\"\",b\r\n"},
        {{"", "b"}, [](TRavArodozIdad& g) { g.CSVQuoteEmpty = false; }, ",b\r\n"},
        {{"", "b"}, [](TRavArodozIdad& g) { g.CSVJavaStyle = true; }, "^,b\r\n"},
        {{"two\r\nlines", "c"}, [](TRavArodozIdad& g) { g.CSVJavaStyle = true; }, "two~lines,c\r\n"},
        // Quoted once, also when every field is quoted.
        {{"a;b", "c"}, [](TRavArodozIdad& g) { g.CSVQuoteAll = true; g.CSVDelimiter = ';'; },
         "\"a;b\";\"c\"\r\n"},
        {{"a,b", "c"}, [](TRavArodozIdad& g) { g.CSVDelimiter = ';'; }, "a,b;c\r\n"},
        {{"5 \xC2\xB5" "F", "\xE2\x82\xAC"}, {}, "5 \xB5" "F,\x80\r\n"},
        {{"\xC3\xA9"}, [](TRavArodozIdad& g) { g.SetOemConvert(true); }, "\x82\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CsvOf(c.Texts, c.Setup), c.Bytes) << c.Bytes;
}

TEST(GridCsv, SavesTheRangeWithFixedRowAndAppends)
{
    auto g = MakeGrid(2, 3);
    FillCoords(*g);
    g->CSVDelimiter = ';';
    g->SaveToCSV(Path("range.csv"));
    EXPECT_EQ(ReadBytes(Path("range.csv")), "0,0;1,0\r\n0,1;1,1\r\n0,2;1,2\r\n");
    g->SaveWithFixedCells = false;
    g->AppendToCSV(Path("range.csv"));
    EXPECT_EQ(ReadBytes(Path("range.csv")), "0,0;1,0\r\n0,1;1,1\r\n0,2;1,2\r\n0,1;1,1\r\n0,2;1,2\r\n");
    EXPECT_EQ(ErrorOf([&] { g->SaveToCSV("/nonexistent-folder/x.csv"); }),
              "VEvoRaraVedad: Cannot Create file /nonexistent-folder/x.csv");
}

// The cells of row Row from column 0 up to ColCount, joined by "|".
AnsiString RowText(TRavArodozIdad& g, int Row)
{
    AnsiString s;
    for (int c = 0; c < g.ColCount(); ++c)
        s += (c ? "|" : "") + g.Cells(c, Row);
    return s;
}

TEST(GridCsv, ReadsFieldsQuotesAndLineBreaks)
{
    struct Case {
        const char* Bytes;
        const char* Row1; // row 1 of a 3-column grid after loading (file row 0 goes to row 1)
    };
    const Case cases[] = {
        {"a,\"b,c\"\r\n", "a|b,c|"},
        {"\"x\"\"y\",z\n", "x\"y|z|"},
        {"a,b\"\"c,d\r\n", "a|b\"\"c|d"},
        {"a,b,\r\n", "a|b|"},
        {"\"two\nlines\",next\r\n", "two\r\nlines|next|"},
        {"\"over\r\nlines\",tail\r\n", "over\r\nlines|tail|"},
        {"\"q\" junk,after\r\n", "q|after|"},
        {"5 \xB5" "F,\x80\r\n", "5 \xC2\xB5" "F|\xE2\x82\xAC|"},
        // No closing quote anywhere: the field takes the rest of its line, the next line is the next row.
        {"a,\"open,b\r\nc,d\r\n", "a|open,b|"},
    };
    for (const auto& c : cases) {
        WriteBytes(Path("in.csv"), c.Bytes);
        auto g = MakeGrid(3, 2);
        g->SaveWithFixedCells = false;
        g->LoadFromCSV(Path("in.csv"));
        EXPECT_EQ(RowText(*g, 1), c.Row1) << c.Bytes;
        EXPECT_EQ(g->CSVDelimiter, '\0');
    }
    WriteBytes(Path("open.csv"), "a,\"open,b\r\nc,d\r\n");
    auto g = MakeGrid(3, 2);
    g->SaveWithFixedCells = false;
    g->LoadFromCSV(Path("open.csv"));
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(RowText(*g, 2), "c|d|");
}

TEST(GridCsv, DetectsTheDelimiterFromTheFirstTwoLines)
{
    struct Case {
        const char* Bytes;
        int Cols; // columns the first line gives
    };
    const Case cases[] = {
        {"a;b;c\r\n1;2;3\r\n", 3},     // equal single counts
        {"x,y|z\r\n", 2},              // one line: the first candidate that occurs
        {"a\tb\r\nc\td\r\n", 2},       // tab
        {"a|b|c|d\r\n1|2|3|4\r\n", 4}, // bar
        {"a;b,c;d\r\n1;2,3;4\r\n", 3}, // the candidate with more agreeing single counts wins
        {"plain\r\ntext\r\n", 1},      // no candidate: one field per line
    };
    for (const auto& c : cases) {
        WriteBytes(Path("det.csv"), c.Bytes);
        auto g = MakeGrid(1, 1, 0);
        g->LoadFromCSV(Path("det.csv"));
        EXPECT_EQ(g->ColCount(), c.Cols) << c.Bytes;
    }
}

TEST(GridCsv, RoundTripsAwkwardTexts)
{
    const std::vector<AnsiString> texts = {"a,b", "say \"hi\"", "two\r\nlines", "", "\"", "x;y", "5 \xC2\xB5" "F"};
    for (bool quoteAll : {false, true}) {
        auto g = MakeGrid(int(texts.size()), 3, 0);
        for (size_t c = 0; c < texts.size(); ++c) {
            g->SetCellEx(int(c), 0, texts[c]);
            g->SetCellEx(int(c), 2, "r2");
        }
        g->CSVQuoteAll = quoteAll;
        g->SaveToCSV(Path("rt.csv"));
        auto h = MakeGrid(1, 1, 0);
        h->LoadFromCSV(Path("rt.csv"));
        ASSERT_EQ(h->ColCount(), int(texts.size()));
        EXPECT_EQ(h->RowCount(), 3);
        for (size_t c = 0; c < texts.size(); ++c)
            EXPECT_EQ(h->Cells(int(c), 0), texts[c]) << c;
        EXPECT_EQ(h->Cells(0, 2), "r2");
    }
}

TEST(GridCsv, LoadReplacesRowsInsertAppendsThemAndColumnsOnlyGrow)
{
    WriteBytes(Path("two.csv"), "a,b\r\nc,d\r\n");
    auto g = MakeGrid(4, 5);
    g->SaveWithFixedCells = false;
    g->SetCellEx(3, 1, "keep");
    g->LoadFromCSV(Path("two.csv"));
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->ColCount(), 4);
    EXPECT_EQ(RowText(*g, 1), "a|b||keep");
    g->InsertFromCSV(Path("two.csv"));
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(RowText(*g, 4), "c|d||");
}

TEST(GridCsv, InsertKeepsTheFloatingFooterRowLast)
{
    WriteBytes(Path("two.csv"), "a,b\r\nc,d\r\n");
    auto g = MakeGrid(2, 3);
    g->FloatingFooter()->SetVisible(true);
    g->SetCellEx(0, 1, "data");
    g->SetCellEx(0, 2, "sum");
    g->InsertFromCSV(Path("two.csv"));
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(RowText(*g, 1), "data|");
    EXPECT_EQ(RowText(*g, 2), "a|b");
    EXPECT_EQ(RowText(*g, 3), "c|d");
    EXPECT_EQ(RowText(*g, 4), "sum|");
}

TEST(GridCsv, RowsGrowInThousandsAndEndAtTheLineCount)
{
    AnsiString big;
    for (int i = 0; i < 2500; ++i)
        big += std::to_string(i) + ",x\r\n";
    WriteBytes(Path("big.csv"), big);
    auto g = MakeGrid(2, 2);
    g->SaveWithFixedCells = false;
    g->SetFixedFooters(0);
    std::vector<int> seen;
    g->OnCellsChanged = [&](TObject*, const TRect&) { seen.push_back(g->RowCount()); };
    g->LoadFromCSV(Path("big.csv"));
    EXPECT_EQ(g->RowCount(), 1 + 2500);
    EXPECT_EQ(g->Cells(0, 2500), "2499");
    EXPECT_EQ(seen, std::vector<int>({2501}));
}

TEST(GridCsv, ProgressReachesHundredAndMissingFilesSayWhich)
{
    WriteBytes(Path("p.csv"), "1\r\n2\r\n3\r\n4\r\n");
    auto g = MakeGrid(1, 2, 0);
    std::vector<int> seen;
    g->OnFileProgress = [&](TObject*, short p) { seen.push_back(p); };
    g->LoadFromCSV(Path("p.csv"));
    EXPECT_EQ(seen, std::vector<int>({25, 50, 75, 100}));
    EXPECT_EQ(g->RowCount(), 4);
    EXPECT_EQ(ErrorOf([&] { g->LoadFromCSV(Path("none.csv")); }), "VEvoRaraVedad: Cannot open file " + Path("none.csv"));
    EXPECT_EQ(g->RowCount(), 4);
}

} // namespace
