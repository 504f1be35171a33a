// Windows bitmap files: what TBitmap writes loads back pixel for pixel; missing and
// foreign files raise the class library's errors.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>

#include "platform/core/Streams.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Picture.h"

#include "tests/support/TestSupport.h"

namespace {

std::string TestPath(const std::string& name) { return (TestDir("bitmaps") / name).string(); }

void Noise(TBitmap& b, int w, int h, unsigned seed)
{
    b.SetSize(w, h);
    std::mt19937 rng(seed);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.Canvas()->SetPixels(x, y, TColorOf(rng() & 0xFFFFFF));
}

void ExpectSamePixels(TBitmap& a, TBitmap& b)
{
    ASSERT_EQ(a.Width(), b.Width());
    ASSERT_EQ(a.Height(), b.Height());
    int diffs = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.Canvas()->Pixels(x, y) != b.Canvas()->Pixels(x, y))
                ++diffs;
    EXPECT_EQ(diffs, 0);
}

} // namespace

TEST(BitmapFile, WrittenBitmapLoadsBackPixelIdentical)
{
    // Odd widths exercise the 4-byte row padding.
    for (int w : {1, 3, 17, 64}) {
        TBitmap src;
        Noise(src, w, 7, static_cast<unsigned>(w));
        const std::string path = TestPath("roundtrip" + std::to_string(w) + ".bmp");
        src.SaveToFile(path);
        TBitmap back;
        back.LoadFromFile(path);
        ExpectSamePixels(src, back);
    }
}

TEST(BitmapFile, HeaderIsABottomUp24BitWindowsBitmap)
{
    TBitmap b;
    b.SetSize(3, 2);
    b.Canvas()->SetPixels(0, 0, clRed);
    const auto data = b.SaveToData();
    ASSERT_GE(data.size(), 54u);
    auto u32 = [&](size_t at) { return data[at] | data[at + 1] << 8 | data[at + 2] << 16 | data[at + 3] << 24; };
    EXPECT_EQ(data[0], 'B');
    EXPECT_EQ(data[1], 'M');
    EXPECT_EQ(u32(2), data.size());
    EXPECT_EQ(u32(10), 54u);
    EXPECT_EQ(u32(14), 40u);
    EXPECT_EQ(u32(18), 3u);
    EXPECT_EQ(u32(22), 2u); // positive: bottom-up
    EXPECT_EQ(data[28], 24);
    EXPECT_EQ(data.size(), 54u + 2 * 12u); // rows of 9 bytes padded to 12
    // Top-left pixel is in the last row of the file, stored blue, green, red.
    EXPECT_EQ(data[54 + 12 + 0], 0);
    EXPECT_EQ(data[54 + 12 + 1], 0);
    EXPECT_EQ(data[54 + 12 + 2], 255);
}

TEST(BitmapFile, MonochromeBitmapRoundTrips)
{
    TBitmap src;
    src.SetSize(13, 5);
    src.Canvas()->Brush()->SetColor(clWhite);
    src.Canvas()->FillRect(TRect(0, 0, 13, 5));
    src.Canvas()->Brush()->SetColor(clBlack);
    src.Canvas()->FillRect(TRect(2, 1, 9, 3));
    src.SetMonochrome(true);
    const std::string path = TestPath("mono.bmp");
    src.SaveToFile(path);
    TBitmap back;
    back.LoadFromFile(path);
    EXPECT_TRUE(back.Monochrome());
    ExpectSamePixels(src, back);
}

TEST(BitmapFile, StreamRoundTrip)
{
    TBitmap src;
    Noise(src, 9, 4, 7);
    TMemoryStream ms;
    src.SaveToStream(&ms);
    ms.SetPosition(0);
    TBitmap back;
    back.LoadFromStream(&ms);
    ExpectSamePixels(src, back);
}

TEST(BitmapFile, MissingFileRaisesEFOpenError)
{
    const std::string path = TestPath("no-such-dir/missing.bmp");
    TBitmap b;
    try {
        b.LoadFromFile(path);
        FAIL() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"" + path + "\". No such file or directory");
    }
    TPicture p;
    EXPECT_THROW(p.LoadFromFile(path), EFOpenError);
}

TEST(BitmapFile, ForeignFilesRaiseInvalidGraphic)
{
    const std::string path = TestPath("not-a-bitmap.bmp");
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fputs("hello", f);
    std::fclose(f);
    TBitmap b;
    EXPECT_THROW(b.LoadFromFile(path), EInvalidGraphic);
    TPicture p;
    try {
        p.LoadFromFile(TestPath("picture.xyz"));
        FAIL() << "no exception";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Unknown picture file extension (.xyz)");
    }
}

TEST(BitmapFile, PictureLoadsABitmapByExtension)
{
    TBitmap src;
    Noise(src, 5, 5, 3);
    const std::string path = TestPath("Panel.BMP");
    src.SaveToFile(path);
    TPicture p;
    int changes = 0;
    p.OnChange = [&](TObject*) { ++changes; };
    p.LoadFromFile(path);
    ASSERT_NE(dynamic_cast<TBitmap*>(p.Graphic()), nullptr);
    EXPECT_EQ(p.Width(), 5);
    EXPECT_GE(changes, 1);
    ExpectSamePixels(src, *p.Bitmap());
}

TEST(BitmapFile, FailedLoadKeepsThePreviousPicture)
{
    TBitmap src;
    Noise(src, 6, 6, 11);
    TPicture p;
    p.SetGraphic(&src);
    TBitmap b;
    b.Assign(&src);
    EXPECT_THROW(p.LoadFromFile(TestPath("missing-key.bmp")), EFOpenError);
    EXPECT_THROW(b.LoadFromFile(TestPath("missing-key.bmp")), EFOpenError);
    ASSERT_NE(p.Graphic(), nullptr);
    ExpectSamePixels(src, *p.Bitmap());
    ExpectSamePixels(src, b);
}

TEST(BitmapFile, TruncatedPixelDataRaisesInvalidGraphic)
{
    TBitmap src;
    Noise(src, 9, 6, 5);
    const std::vector<Byte> whole = src.SaveToData();
    // Header intact, pixel rows cut short: one byte, one row, all rows missing.
    const size_t row = (9 * 3 + 3) / 4 * 4;
    for (size_t cut : {size_t(1), row, 6 * row}) {
        std::vector<Byte> part(whole.begin(), whole.end() - static_cast<std::ptrdiff_t>(cut));
        TBitmap b;
        EXPECT_THROW(b.LoadFromData(part), EInvalidGraphic) << cut;
    }
    TBitmap ok;
    ok.LoadFromData(whole);
    ExpectSamePixels(src, ok);
}

// Sizes no real file has, chosen so that checking them naively overflows: refused with
// the loader's error before anything is computed from them.
TEST(BitmapFile, HostileHeaderSizesRaiseInvalidGraphic)
{
    TBitmap src;
    Noise(src, 4, 4, 7);
    const std::vector<Byte> whole = src.SaveToData();
    const struct { std::uint32_t Width, Height; unsigned Bits; } headers[] = {
        {0x7FFFFFFF, 0x7FFFFFFF, 32}, // rows times row size beyond 64 bits
        {0x80000000, 4, 24},          // the smallest int as width
        {4, 0x80000000, 24},          // and as height
        {0xFFFFFFFF, 4, 24},          // negative width
        {0, 4, 24},
        {4, 0, 24},
        {4, 4, 0},
        {4, 4, 0xFFFF},
    };
    for (const auto& h : headers) {
        std::vector<Byte> data = whole;
        for (int i = 0; i < 4; ++i) {
            data[18 + static_cast<size_t>(i)] = static_cast<Byte>(h.Width >> (8 * i));
            data[22 + static_cast<size_t>(i)] = static_cast<Byte>(h.Height >> (8 * i));
        }
        data[28] = static_cast<Byte>(h.Bits & 0xFF);
        data[29] = static_cast<Byte>(h.Bits >> 8);
        TBitmap b;
        try {
            b.LoadFromData(data);
            ADD_FAILURE() << "loaded " << h.Width << "x" << h.Height << "x" << h.Bits;
        } catch (const EInvalidGraphic& e) {
            EXPECT_EQ(e.Message(), "Bitmap image is not valid") << h.Width << "x" << h.Height << "x" << h.Bits;
        }
    }
    // A top-down file (negative height) still loads.
    std::vector<Byte> topDown = whole;
    for (int i = 0; i < 4; ++i)
        topDown[22 + static_cast<size_t>(i)] = static_cast<Byte>(static_cast<std::uint32_t>(-4) >> (8 * i));
    TBitmap b;
    b.LoadFromData(topDown);
    EXPECT_EQ(b.Height(), 4);
}

TEST(BitmapSize, EachDimensionIsKeptWhileTheOtherIsZero)
{
    TBitmap b;
    b.SetWidth(7);
    EXPECT_EQ(b.Width(), 7);
    EXPECT_TRUE(b.Empty());
    b.SetHeight(5);
    EXPECT_EQ(b.Width(), 7);
    EXPECT_EQ(b.Height(), 5);
    EXPECT_FALSE(b.Empty());
    b.SetHeight(0);
    EXPECT_EQ(b.Width(), 7);
    b.SetHeight(3);
    EXPECT_EQ(b.Height(), 3);
    TBitmap copy;
    b.SetWidth(0);
    copy.Assign(&b);
    EXPECT_EQ(copy.Height(), 3);
    EXPECT_EQ(copy.Width(), 0);
}

// A display that loads its picture file on every update must not repaint for a file that
// did not change, yet must show a file that did, and undo drawing done on the picture.
TEST(BitmapFile, PictureReloadsOnlyWhatChanged)
{
    TBitmap first, second;
    Noise(first, 4, 4, 21);
    Noise(second, 4, 4, 22);
    const std::string path = TestPath("Unit.bmp");
    first.SaveToFile(path);
    TPicture p;
    int changes = 0;
    p.OnChange = [&](TObject*) { ++changes; };
    p.LoadFromFile(path);
    const int afterFirst = changes;
    p.LoadFromFile(path);
    EXPECT_EQ(changes, afterFirst) << "the same unchanged file";

    second.SaveToFile(path);
    std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) + std::chrono::seconds(1));
    p.LoadFromFile(path);
    EXPECT_GT(changes, afterFirst) << "the file was rewritten";
    ExpectSamePixels(second, *p.Bitmap());

    const TColor was = second.Canvas()->Pixels(0, 0);
    p.Bitmap()->Canvas()->SetPixels(0, 0, was == clRed ? clBlue : clRed);
    p.LoadFromFile(path);
    ExpectSamePixels(second, *p.Bitmap());

    TPicture other;
    other.LoadFromFile(path);
    p.Assign(&other);
    const int afterAssign = changes;
    p.LoadFromFile(path);
    EXPECT_GT(changes, afterAssign) << "a picture assigned from elsewhere is not the file's";
}
