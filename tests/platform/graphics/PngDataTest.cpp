#include <gtest/gtest.h>

#include "platform/core/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/PngData.h"

namespace {

TEST(PngData, BitmapPixelsGoThroughPngUnchanged)
{
    TBitmap b;
    b.SetSize(3, 2);
    b.Canvas()->SetPixels(0, 0, clRed);
    b.Canvas()->SetPixels(2, 1, TColorOf(0x123456));
    const std::vector<Byte> png = GraphicToPng(&b);
    ASSERT_GT(png.size(), 8u);
    EXPECT_EQ(std::string(png.begin() + 1, png.begin() + 4), "PNG");
    TBitmap back;
    PngToGraphic(png, &back);
    EXPECT_EQ(back.Width(), 3);
    EXPECT_EQ(back.Height(), 2);
    EXPECT_EQ(back.Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(back.Canvas()->Pixels(2, 1), TColorOf(0x123456));
}

TEST(PngData, EmptyGraphicsGiveNoBytesAndOtherBytesAreRefused)
{
    TBitmap empty;
    EXPECT_TRUE(GraphicToPng(&empty).empty());
    TBitmap b;
    EXPECT_THROW(PngToGraphic({'B', 'M', 1, 2, 3}, &b), EInvalidGraphic);
}

} // namespace
