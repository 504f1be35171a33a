// The binary cell format: exact header bytes, round trips of texts,
// properties and graphics, pasting at a point, and damaged streams.
#include <gtest/gtest.h>

#include "GridTestSupport.h"
#include "platform/core/Streams.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "tests/support/TestSupport.h"

namespace {

std::string Path(const char* Name) { return (TestDir("gridbinary") / Name).string(); }

AnsiString Bytes(TMemoryStream& ms) { return AnsiString(static_cast<const char*>(ms.Memory()), size_t(ms.Size())); }

TEST(GridBinaryFile, AnEmptyGridIsTheHeaderAloneAndGivesItsShapeToAnother)
{
    auto g = MakeGrid(2, 2);
    g->SetColWidths(1, 70);
    TMemoryStream ms;
    g->SaveToBinStream(&ms);
    const AnsiString expected = AnsiString("ZGR1\x0BTGridPropIO", 16) + "\x08" "ColCount" + AnsiString("\x01\x02\0\0\0", 5) +
                                "\x08" "RowCount" + AnsiString("\x01\x02\0\0\0", 5) + "\x09" "ColWidths" +
                                AnsiString("\x02\x05\0\0\0", 5) + "64,70" + "\x0A" "RowHeights" +
                                AnsiString("\x02\x05\0\0\0", 5) + "21,21" + "\x08" "FullGrid\x04" + AnsiString(1, '\0');
    EXPECT_EQ(Bytes(ms), expected);

    auto h = MakeGrid(5, 6);
    h->SetCellEx(3, 3, "old");
    ms.SetPosition(0);
    h->LoadFromBinStream(&ms);
    EXPECT_EQ(h->ColCount(), 2);
    EXPECT_EQ(h->RowCount(), 2);
    EXPECT_EQ(h->ColWidths(1), 70);
    EXPECT_EQ(h->Cells(3, 3), "");
}

TEST(GridBinaryFile, RoundTripsTextsPropertiesAndGraphicsAsIndependentCopies)
{
    auto g = MakeGrid(4, 40002);
    g->SetCellEx(0, 1, "text");
    g->SetColors(1, 1, clYellow);
    g->SetFontStyles(1, 1, fsBold | fsItalic);
    g->SetAlignments(2, 1, taRightJustify);
    g->SetCellEx(2, 1, "5 \xC2\xB5" "F");
    TBitmap* own = g->CreateBitmap(3, 1, true, Ravgrid::haLeft, Ravgrid::vaTop);
    own->SetSize(2, 2);
    own->Canvas()->SetPixels(1, 1, clRed);
    TBitmap callers;
    callers.SetSize(1, 1);
    g->AddBitmap(3, 2, &callers, false, Ravgrid::haLeft, Ravgrid::vaTop);
    g->AddCheckBox(0, 2, true, false);
    TStrings* items = g->CreateRadio(1, 2, 0, 1);
    items->Add("one");
    items->Add("two");
    g->SetCellEx(1, 40001, "far row"); // beyond 16-bit indexes

    const auto path = (TestDir("gridbin") / "grid.bin").string();
    g->SaveToBinFile(path);
    auto h = MakeGrid(1, 2);
    h->LoadFromBinFile(path);
    EXPECT_EQ(h->RowCount(), 40002);
    EXPECT_EQ(h->Cells(0, 1), "text");
    EXPECT_EQ(h->Cells(2, 1), "5 \xC2\xB5" "F");
    EXPECT_EQ(h->Cells(1, 40001), "far row");
    EXPECT_EQ(h->Colors(1, 1), clYellow);
    EXPECT_EQ(h->FontStyles(1, 1), fsBold | fsItalic);
    EXPECT_EQ(h->Alignments(2, 1), taRightJustify);
    TBitmap* copy = h->GetBitmap(3, 1);
    ASSERT_NE(copy, nullptr);
    EXPECT_NE(copy, own);
    EXPECT_EQ(copy->Canvas()->Pixels(1, 1), clRed);
    EXPECT_EQ(h->GetCellType(3, 2), Ravgrid::ctEmpty); // the caller's bitmap is not stored
    EXPECT_TRUE(h->HasCheckBox(0, 2));
    bool state = false;
    EXPECT_TRUE(h->GetCheckBoxState(0, 2, state));
    EXPECT_TRUE(state);
    ASSERT_NE(h->GetRadioStrings(1, 2), nullptr);
    EXPECT_EQ(h->GetRadioStrings(1, 2)->Count(), 2);
    int idx = -1;
    EXPECT_TRUE(h->GetRadioIdx(1, 2, idx));
    EXPECT_EQ(idx, 1);
}

TEST(GridBinaryFile, APartLandsAtThePointAndWhatFallsOutsideIsSkipped)
{
    auto g = MakeGrid(6, 6);
    FillCoords(*g);
    TMemoryStream ms;
    g->SaveRectToBinStream(TRect(1, 1, 2, 2), &ms);
    struct Case {
        TPoint At;
        std::vector<std::pair<TPoint, const char*>> Expect;
    };
    const Case cases[] = {
        {TPoint(3, 3), {{TPoint(3, 3), "1,1"}, {TPoint(4, 4), "2,2"}, {TPoint(3, 4), "1,2"}}},
        {TPoint(4, 4), {{TPoint(4, 4), "1,1"}}}, // the rest lies outside the 4 x 5 grid
        {TPoint(-1, -1), {{TPoint(0, 0), "2,2"}}},
    };
    for (const auto& c : cases) {
        auto h = MakeGrid(5, 5);
        ms.SetPosition(0);
        h->LoadAtPointFromBinStream(c.At, &ms);
        EXPECT_EQ(h->ColCount(), 5);
        for (const auto& [p, text] : c.Expect)
            EXPECT_EQ(h->Cells(p.x, p.y), text) << c.At.x;
    }
    // A whole grid goes back to its own origin whatever point it is given.
    TMemoryStream whole;
    g->SaveToBinStream(&whole);
    whole.SetPosition(0);
    auto h = MakeGrid(2, 2);
    h->LoadAtPointFromBinStream(TPoint(3, 3), &whole);
    EXPECT_EQ(h->Cells(0, 0), "0,0");
    EXPECT_EQ(h->Cells(5, 5), "5,5");
}

TEST(GridBinaryFile, DamagedStreamsRaiseReadErrorsAndKeepWhatWasRead)
{
    auto g = MakeGrid(3, 3);
    FillCoords(*g);
    TMemoryStream ms;
    g->SaveToBinStream(&ms);
    const AnsiString all = Bytes(ms);
    struct Case {
        AnsiString Bytes;
        const char* ErrorStart;
    };
    const Case cases[] = {
        {all.substr(0, all.size() - 3), "EReadError"},
        {"XXXX" + all.substr(4), "EReadError: Invalid stream format"},
        {all.substr(0, 4) + "\x0BTGridCellIO" + all.substr(16), "EReadError: Expected record TGridPropIO"},
        {AnsiString("ZGR1\x0BTGridPropIO\x05" "Bogus\x03", 23) + AnsiString(1, '\0'), "EReadError: Error reading TGridPropIO.Bogus"},
        {AnsiString("ZGR1\x0BTGridPropIO\x08" "ColCount\x01\x02\0\0\0\x08" "RowCount\x01\x02\0\0\0\x08" "FullGrid\x04", 54) +
             AnsiString(1, '\0'),
         "EListError"},
    };
    for (const auto& c : cases) {
        TStringStream in(c.Bytes);
        auto h = MakeGrid(4, 4);
        const AnsiString err = ErrorOf([&] { h->LoadFromBinStream(&in); });
        EXPECT_TRUE(err.starts_with(c.ErrorStart)) << err;
    }
}

TEST(GridBinaryFile, AFileThatBreaksOffLeavesTheUsersCellsAsTheyWere)
{
    auto g = MakeGrid(3, 3);
    FillCoords(*g);
    g->SetColors(1, 1, clAqua);
    g->SaveToBinFile(Path("whole.bin"));
    const std::string all = ReadBytes(Path("whole.bin"));
    WriteBytes(Path("cut.bin"), all.substr(0, all.size() - 1));
    auto h = MakeGrid(4, 5);
    h->SetCellEx(3, 4, "mine");
    h->SetColWidths(0, 90);
    EXPECT_TRUE(ErrorOf([&] { h->LoadFromBinFile(Path("cut.bin")); }).starts_with("EReadError"));
    EXPECT_EQ(h->ColCount(), 4);
    EXPECT_EQ(h->RowCount(), 5);
    EXPECT_EQ(h->ColWidths(0), 90);
    EXPECT_EQ(h->Cells(3, 4), "mine");
    EXPECT_EQ(h->Cells(0, 0), "");
    // The same cut pasted at a point writes nothing either.
    TStringStream cut(AnsiString(all.substr(0, all.size() - 1)));
    EXPECT_TRUE(ErrorOf([&] { h->LoadAtPointFromBinStream(TPoint(1, 1), &cut); }).starts_with("EReadError"));
    EXPECT_EQ(h->Cells(1, 1), "");
    EXPECT_EQ(h->Cells(0, 0), "");
}

TEST(GridBinaryFile, EveryCutOrFlippedByteEndsInAnErrorOrALoadNeverACrash)
{
    auto g = MakeGrid(3, 3);
    FillCoords(*g);
    g->SetColors(1, 1, clAqua);
    g->AddCheckBox(2, 2, true, false);
    TMemoryStream ms;
    g->SaveToBinStream(&ms);
    const AnsiString all = Bytes(ms);
    for (size_t n = 0; n <= all.size(); ++n) {
        TStringStream in(all.substr(0, n));
        auto h = MakeGrid(4, 4);
        const AnsiString err = ErrorOf([&] { h->LoadFromBinStream(&in); });
        EXPECT_TRUE(err == "no error" || err.starts_with("E")) << n << ": " << err;
    }
    for (size_t i = 0; i < all.size(); ++i) {
        AnsiString bad = all;
        bad[i] = char(bad[i] ^ 0xA5);
        TStringStream in(bad);
        auto h = MakeGrid(4, 4);
        const AnsiString err = ErrorOf([&] { h->LoadFromBinStream(&in); });
        EXPECT_TRUE(err == "no error" || err.starts_with("E")) << i << ": " << err;
    }
}

TEST(GridBinaryFile, NodeRowsAreCountedAfterLoading)
{
    auto g = MakeGrid(2, 6);
    g->AddNode(1, 2);
    g->AddNode(3, 2);
    TMemoryStream ms;
    g->SaveToBinStream(&ms);
    ms.SetPosition(0);
    auto h = MakeGrid(2, 2);
    h->LoadFromBinStream(&ms);
    EXPECT_TRUE(h->IsNode(1));
    EXPECT_TRUE(h->IsNode(3));
    EXPECT_TRUE(h->HasNodes());
}

} // namespace
