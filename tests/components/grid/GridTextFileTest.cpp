// The grid's own text format: exact bytes, round trips, the save range, and
// malformed files.
#include <gtest/gtest.h>

#include <filesystem>

#include "GridTestSupport.h"
#include "platform/core/Streams.h"
#include "platform/core/Synchronize.h"
#include "tests/support/TestSupport.h"

namespace {

std::string Path(const char* Name) { return (TestDir("gridtextfile") / Name).string(); }

// Column 0..2, rows 0..2 with one fixed row: a header, a comma text, a two-line text, a non-ASCII text.
std::unique_ptr<TRavArodozIdad> SampleGrid()
{
    auto g = MakeGrid(3, 3);
    g->SetCellEx(0, 0, "Name");
    g->SetCellEx(1, 0, "Value");
    g->SetCellEx(0, 1, "a,b");
    g->SetCellEx(1, 1, "x\r\ny");
    g->SetCellEx(2, 2, "5 \xC2\xB5" "F");
    g->SetColWidths(1, 80);
    return g;
}

const char* const kSampleFile = "3,3\r\n"
                                "cw 0,64\r\ncw 1,80\r\ncw 2,64\r\n"
                                "0,0,Name\r\n1,0,Value\r\n0,1,a,b\r\n1,1,x\t\by\r\n2,2,5 \xB5" "F\r\n";

TEST(GridTextFile, SavesHeaderWidthsAndNonEmptyCellsExactly)
{
    auto g = SampleGrid();
    g->SaveToFile(Path("sample.txt"));
    EXPECT_EQ(ReadBytes(Path("sample.txt")), kSampleFile);
}

TEST(GridTextFile, LoadsBackTextsWidthsAndLinesAsMultilinecellsSays)
{
    WriteBytes(Path("in.txt"), kSampleFile);
    for (bool multi : {true, false}) {
        auto g = MakeGrid(2, 2);
        g->SetMultilinecells(multi);
        g->LoadFromFile(Path("in.txt"));
        EXPECT_EQ(g->ColCount(), 3);
        EXPECT_EQ(g->RowCount(), 3);
        EXPECT_EQ(g->ColWidths(1), 80);
        EXPECT_EQ(g->Cells(0, 1), "a,b");
        EXPECT_EQ(g->Cells(1, 1), multi ? "x\r\ny" : "x");
        EXPECT_EQ(g->Cells(2, 2), "5 \xC2\xB5" "F");
    }
}

TEST(GridTextFile, WithoutFixedCellsTheHeaderCountsDataRowsAndLoadingAddsTheFixedRowBack)
{
    auto g = SampleGrid();
    g->SaveWithFixedCells = false;
    g->SaveToFile(Path("data.txt"));
    EXPECT_EQ(ReadBytes(Path("data.txt")), "3,2\r\ncw 0,64\r\ncw 1,80\r\ncw 2,64\r\n"
                                           "0,1,a,b\r\n1,1,x\t\by\r\n2,2,5 \xB5" "F\r\n");
    auto h = MakeGrid(2, 2);
    h->SaveWithFixedCells = false;
    h->SetMultilinecells(true);
    h->LoadFromFile(Path("data.txt"));
    EXPECT_EQ(h->RowCount(), 3);
    EXPECT_EQ(h->Cells(1, 1), "x\r\ny");
}

TEST(GridTextFile, HiddenColumnsAreSavedOnlyWhenAsked)
{
    auto g = MakeGrid(3, 2, 0);
    g->SetCellEx(0, 0, "a");
    g->SetCellEx(1, 0, "b");
    g->SetCellEx(2, 0, "c");
    g->HideColumn(1);
    g->SaveToFile(Path("shown.txt"));
    EXPECT_EQ(ReadBytes(Path("shown.txt")), "2,2\r\ncw 0,64\r\ncw 1,64\r\n0,0,a\r\n1,0,c\r\n");
    g->SaveWithHiddenColumns = true;
    g->SaveToFile(Path("all.txt"));
    EXPECT_EQ(ReadBytes(Path("all.txt")), "3,2\r\ncw 0,64\r\ncw 1,64\r\ncw 2,64\r\n0,0,a\r\n1,0,b\r\n2,0,c\r\n");
}

TEST(GridTextFile, MalformedFilesGiveTheMessagesOrAreReadLeniently)
{
    struct Case {
        const char* Bytes;
        const char* Error; // nullptr: loads
    };
    const Case cases[] = {
        {"", "File contains no data or corrupt file "},
        {"0,4\r\n", "File contains no data or corrupt file "},
        {"-3,2\r\n", "File contains no data or corrupt file "},
        {"2000000000,2\r\n", "File contains no data or corrupt file "}, // more columns than the file could describe
        {"2,2\r\ncw 9,10\r\ncw -1,10\r\n5,5,outside\r\n-1,0,neg\r\nzz\r\n1,1,in\r\n", nullptr},
        {"2x,2junk\r\n1,1,in", nullptr},
    };
    for (const auto& c : cases) {
        WriteBytes(Path("bad.txt"), c.Bytes);
        auto g = MakeGrid(2, 2);
        const AnsiString err = ErrorOf([&] { g->LoadFromFile(Path("bad.txt")); });
        if (c.Error) {
            EXPECT_EQ(err, "VEvoRaraVedad: " + AnsiString(c.Error) + Path("bad.txt")) << c.Bytes;
        } else {
            EXPECT_EQ(err, "no error") << c.Bytes;
            EXPECT_EQ(g->Cells(1, 1), "in") << c.Bytes;
        }
    }
    auto g = MakeGrid(2, 2);
    EXPECT_EQ(ErrorOf([&] { g->LoadFromFile(Path("missing.txt")); }),
              "VEvoRaraVedad: Cannot open file " + Path("missing.txt"));
    EXPECT_EQ(ErrorOf([&] { g->SaveToFile("/nonexistent-folder/x.txt"); }),
              "VEvoRaraVedad: Cannot Create /nonexistent-folder/x.txt");
}

TEST(GridTextFile, AHeaderClaimingRowsNoFileOfItsSizeHoldsLeavesTheGridAsItWas)
{
    const char* claim = "2,1000000000\r\ncw 0,64\r\ncw 1,64\r\n1,1,x\r\n";
    WriteBytes(Path("rows.txt"), claim);
    auto g = MakeGrid(2, 3);
    g->SetCellEx(1, 2, "mine");
    EXPECT_EQ(ErrorOf([&] { g->LoadFromFile(Path("rows.txt")); }),
              "VEvoRaraVedad: File contains no data or corrupt file " + Path("rows.txt"));
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->Cells(1, 2), "mine");

    TStringStream stream(claim);
    EXPECT_TRUE(ErrorOf([&] { g->LoadFromStream(&stream); }).starts_with("EConvertError"));
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->Cells(1, 2), "mine");

    // An empty grid of many rows is written in a few bytes and still reads back.
    auto big = MakeGrid(2, 5000);
    big->SaveToFile(Path("empty.txt"));
    auto back = MakeGrid(2, 2);
    back->LoadFromFile(Path("empty.txt"));
    EXPECT_EQ(back->RowCount(), 5000);
}

// A save that fails midway (here its progress handler raises) leaves the file that was
// there whole, and no part-written file beside it.
TEST(GridTextFile, AFailedSaveLeavesTheOldFileWhole)
{
    const struct { const char* Name; void (TRavArodozIdad::*Save)(const AnsiString&); } writers[] = {
        {"old.txt", &TRavArodozIdad::SaveToFile},
        {"old.csv", &TRavArodozIdad::SaveToCSV},
    };
    for (const auto& w : writers) {
        SCOPED_TRACE(w.Name);
        WriteBytes(Path(w.Name), "the old file");
        auto g = MakeGrid(3, 50);
        g->SetCellEx(1, 1, "new");
        g->OnFileProgress = [](TObject*, short Percent) {
            if (Percent >= 50)
                throw Exception("stopped");
        };
        EXPECT_EQ(ErrorOf([&] { ((*g).*w.Save)(Path(w.Name)); }), "Exception: stopped");
        EXPECT_EQ(ReadBytes(Path(w.Name)), "the old file");
        EXPECT_FALSE(std::filesystem::exists(Path(w.Name) + ".saving"));
        g->OnFileProgress = nullptr;
        ((*g).*w.Save)(Path(w.Name));
        EXPECT_NE(ReadBytes(Path(w.Name)).find("new"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(Path(w.Name) + ".saving"));
    }
}

TEST(GridTextFile, LoadingRunsNoOtherHandlersMidway)
{
    WriteBytes(Path("mid.txt"), kSampleFile);
    auto g = MakeGrid(2, 2);
    bool queuedRan = false, ranMidway = false;
    QueueOnMainThread([&] { queuedRan = true; });
    g->OnFileProgress = [&](TObject*, short) { ranMidway = ranMidway || queuedRan; };
    g->LoadFromFile(Path("mid.txt"));
    EXPECT_FALSE(ranMidway);
}

TEST(GridTextFile, ProgressCountsRowsAndNeverDividesByZero)
{
    auto g = MakeGrid(2, 1, 0);
    std::vector<int> seen;
    g->OnFileProgress = [&](TObject*, short p) { seen.push_back(p); };
    g->SaveToFile(Path("one.txt"));
    EXPECT_EQ(seen, std::vector<int>({0}));
    auto h = MakeGrid(2, 5, 0);
    h->OnFileProgress = g->OnFileProgress;
    seen.clear();
    h->SaveToFile(Path("five.txt"));
    EXPECT_EQ(seen, std::vector<int>({0, 25, 50, 75, 100}));
}

TEST(GridTextFile, StreamWritesRelativeIndexesAndReadsBack)
{
    auto g = SampleGrid();
    g->SaveWithFixedCells = false;
    TMemoryStream ms;
    g->SaveToStream(&ms);
    const AnsiString bytes(static_cast<const char*>(ms.Memory()), size_t(ms.Size()));
    EXPECT_EQ(bytes, "3,2\r\ncw 0,64\r\ncw 1,80\r\ncw 2,64\r\n0,0,a,b\r\n1,0,x\t\by\r\n2,1,5 \xB5" "F\r\n");
    auto h = MakeGrid(2, 2);
    h->SaveWithFixedCells = false;
    h->SetMultilinecells(true);
    ms.SetPosition(0);
    h->LoadFromStream(&ms);
    EXPECT_EQ(h->ColCount(), 3);
    EXPECT_EQ(h->RowCount(), 3);
    EXPECT_EQ(h->ColWidths(1), 80);
    EXPECT_EQ(h->Cells(0, 1), "a,b");
    EXPECT_EQ(h->Cells(1, 1), "x\r\ny");
    EXPECT_EQ(h->Cells(2, 2), "5 \xC2\xB5" "F");
}

TEST(GridTextFile, StreamSkipsCellsOutsideTheGridAndRejectsBadNumbers)
{
    TStringStream outside("2,2\r\ncw 7,10\r\n9,9,far\r\n-1,0,neg\r\n1,1,in\r\n");
    auto g = MakeGrid(1, 1, 0);
    EXPECT_EQ(ErrorOf([&] { g->LoadFromStream(&outside); }), "no error");
    EXPECT_EQ(g->Cells(1, 1), "in");
    EXPECT_EQ(g->Cells(9, 9), "");

    TStringStream bad("2,2\r\n1,1,in\r\nx,0,bad\r\n");
    auto h = MakeGrid(1, 1, 0);
    EXPECT_TRUE(ErrorOf([&] { h->LoadFromStream(&bad); }).starts_with("EConvertError"));
    EXPECT_EQ(h->Cells(1, 1), "in"); // what was read before stays
}

} // namespace
