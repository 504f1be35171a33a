// Canvas utilities: text effects, dot rasters, dot-matrix bitmaps, tiles, glyph strips,
// recolouring, string splitting, and nothing drawn for empty sizes.
#include <gtest/gtest.h>

#include <algorithm>

#include "components/controls/Owsysutils.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "tests/support/TestOutput.h"
#include "tests/support/Pixels.h"

namespace {

std::unique_ptr<TBitmap> Filled(int w, int h, TColor c)
{
    auto b = std::make_unique<TBitmap>();
    b->SetSize(w, h);
    b->Canvas()->Brush()->SetColor(c);
    b->Canvas()->FillRect(TRect(0, 0, w, h));
    return b;
}

TEST(CanvasUtils, StrParamAndGlyphRects)
{
    AnsiString s = "a,bb,c";
    EXPECT_EQ(GetStrParam(s, ','), "a");
    EXPECT_EQ(s, "bb,c");
    AnsiString one = "whole";
    EXPECT_EQ(GetStrParam(one, ','), "whole");
    EXPECT_EQ(one, "");
    auto strip = Filled(64, 16, clRed);
    const std::pair<std::pair<int, int>, TRect> cases[] = {
        {{2, 4}, TRect(32, 0, 48, 16)},
        {{0, 1}, TRect(0, 0, 64, 16)},
        {{3, 0}, TRect(0, 0, 64, 16)},
    };
    for (const auto& [ic, r] : cases) {
        const TRect g = GlyphRect(strip.get(), ic.first, ic.second);
        EXPECT_EQ(g.Left, r.Left);
        EXPECT_EQ(g.Right, r.Right);
        EXPECT_EQ(g.Bottom, r.Bottom);
    }
}

TEST(CanvasUtils, OutlinedTextOfWidthZeroDrawsOnceInTheFontColour)
{
    auto b = Filled(60, 20, clWhite);
    b->Canvas()->Font()->SetColor(clBlue);
    DrawOutlinedText(b->Canvas(), 5, 2, "Hi", clRed, 0);
    bool blue = false, red = false;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x) {
            blue |= b->Canvas()->Pixels(x, y) == clBlue;
            red |= b->Canvas()->Pixels(x, y) == clRed;
        }
    EXPECT_TRUE(blue);
    EXPECT_FALSE(red);
    EXPECT_EQ(b->Canvas()->Font()->Color(), clBlue);
}

TEST(CanvasUtils, LcdMakesOneDotPerPixel)
{
    auto src = Filled(10, 5, clRed);
    src->Canvas()->SetPixels(0, 0, clBlack);
    TBitmap lcd;
    BitmapToLCD(&lcd, src.get(), clLime, clNavy, 2, 1);
    EXPECT_EQ(lcd.Width(), 30);
    EXPECT_EQ(lcd.Height(), 15);
    EXPECT_EQ(lcd.Canvas()->Pixels(0, 0), clBlack); // the dots show the picture
    EXPECT_EQ(lcd.Canvas()->Pixels(4, 4), clRed);
    EXPECT_EQ(lcd.Canvas()->Pixels(2, 0), clNavy); // the gaps the back colour
    EXPECT_TRUE(lcd.SaveToData().size() > 0);
}

TEST(CanvasUtils, RasterAndTilesCoverTheRectangle)
{
    auto b = Filled(20, 20, clWhite);
    DrawRasterPattern(b->Canvas(), TRect(0, 0, 10, 10), clBlack, clYellow, 1, 1);
    EXPECT_EQ(b->Canvas()->Pixels(0, 0), clBlack);
    EXPECT_EQ(b->Canvas()->Pixels(1, 0), clYellow);
    EXPECT_EQ(b->Canvas()->Pixels(12, 12), clWhite); // outside the rectangle
    auto tile = Filled(3, 3, clRed);
    DrawTiledBitmap(b->Canvas(), TRect(10, 10, 20, 20), tile.get());
    EXPECT_EQ(b->Canvas()->Pixels(19, 19), clRed);
    ChangeBitmapColor(b.get(), clRed, clLime);
    EXPECT_EQ(b->Canvas()->Pixels(19, 19), clLime);
}

TEST(CanvasUtils, EmptySizesDrawNothingAndEnd)
{
    // A zero pitch or an empty bitmap once divided by zero or looped for ever.
    auto b = Filled(10, 10, clWhite);
    TBitmap empty;
    DrawTiledBitmap(b->Canvas(), TRect(0, 0, 10, 10), &empty);
    DrawRasterPattern(b->Canvas(), TRect(0, 0, 10, 10), clBlack, clRed, 0, 0);
    DrawRasterPattern(b->Canvas(), TRect(0, 0, 10, 10), clBlack, clRed, -3, 1);
    DrawRasterPattern(b->Canvas(), TRect(0, 0, 0, 10), clBlack, clRed, 1, 1);
    StretchPaintOnRasterPattern(b->Canvas(), TRect(0, 0, 10, 10), &empty, clBlack, clRed, 1, 1);
    StretchPaintOnText(b->Canvas(), TRect(0, 0, 0, 0), 0, 0, "x", b.get(), 0);
    TBitmap lcd;
    BitmapToLCD(&lcd, &empty, clBlack, clRed, 2, 1);
    BitmapToLCD(&lcd, b.get(), clBlack, clRed, 0, 0);
    EXPECT_TRUE(lcd.Empty());
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            ASSERT_EQ(b->Canvas()->Pixels(x, y), clWhite);
    DrawGradient(b->Canvas(), TRect(0, 0, 10, 10), clRed, clBlue, 0, 0);
    DrawGradientExt(b->Canvas(), TRect(0, 0, 0, 0), clRed, clBlue, 5, 1);
    EXPECT_EQ(b->Canvas()->Pixels(5, 5), clWhite);
}

TEST(CanvasUtils, PictureThroughTextAndRasterMasks)
{
    auto b = Filled(120, 40, clWhite);
    auto pic = Filled(10, 10, clRed);
    b->Canvas()->Font()->SetSize(20);
    b->Canvas()->Font()->SetStyle(fsBold);
    StretchPaintOnText(b->Canvas(), TRect(0, 0, 120, 40), 4, 2, "LCR", pic.get(), 0);
    int red = 0, white = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) {
            red += b->Canvas()->Pixels(x, y) == clRed;
            white += b->Canvas()->Pixels(x, y) == clWhite;
        }
    EXPECT_GT(red, 50);    // the letters show the picture
    EXPECT_GT(white, red); // the rest the background
    Draw3DText(b->Canvas(), 80, 5, "3D", clWhite, clGray);
    b->SaveToFile(TestOutputPath("controls_canvas_text.bmp"));
}


TEST(CanvasUtils, RotatedShadowedAndMeasuredText)
{
    // Rotated text: upright it runs across, at 90 degrees upward from its point, at 270
    // downward; the canvas keeps its own angle afterwards, SetCanvasTextAngle changes it.
    struct Turn {
        int angle;
        bool across;
        bool aboveY;
    };
    const Turn turns[] = {{0, true, false}, {90, false, true}, {270, false, false}};
    for (const Turn& t : turns) {
        auto b = Filled(120, 120, clWhite);
        b->Canvas()->Font()->SetColor(clBlack);
        b->Canvas()->Font()->SetSize(12);
        b->Canvas()->Brush()->SetStyle(bsClear);
        CanvasTextOutAngle(b->Canvas(), 60, 60, t.angle, "WWWWW");
        EXPECT_EQ(b->Canvas()->Font()->Orientation(), 0) << t.angle;
        const TRect ink = InkOf(b.get(), clBlack);
        EXPECT_EQ(ink.Width() > ink.Height(), t.across) << t.angle;
        if (!t.across) {
            EXPECT_EQ(ink.Bottom <= 61, t.aboveY) << t.angle;
        }
    }
    TBitmap c;
    SetCanvasTextAngle(c.Canvas(), 45);
    EXPECT_EQ(c.Canvas()->Font()->Orientation(), 450);

    // GetTextSize measures as DrawText does: one line, or one line per line break.
    auto m = Filled(10, 10, clWhite);
    const TSize one = GetTextSize(m->Canvas(), "Hello");
    EXPECT_EQ(one.cx, m->Canvas()->TextWidth("Hello"));
    EXPECT_EQ(one.cy, m->Canvas()->TextHeight("Hello"));
    const TSize two = GetTextSize(m->Canvas(), "Hi\nthere");
    EXPECT_EQ(two.cx, m->Canvas()->TextWidth("there"));
    EXPECT_EQ(two.cy, 2 * one.cy);

    // The shadow at (DX, DY) in its colour under the text in the font's own; the background stays.
    struct Shadow {
        int dx, dy;
    };
    for (const Shadow& sh : {Shadow{3, 2}, Shadow{-2, -3}}) {
        auto b = Filled(80, 40, clYellow);
        b->Canvas()->Font()->SetColor(clBlue);
        b->Canvas()->Brush()->SetStyle(bsSolid);
        DrawShadowTextExt(b->Canvas(), 20, 10, "Ab", clGray, sh.dx, sh.dy);
        const TRect text = InkOf(b.get(), clBlue), shade = InkOf(b.get(), clGray);
        ASSERT_GT(text.Width(), 0);
        ASSERT_GT(shade.Width(), 0);
        // The shadow sticks out past the text on the side it is moved to.
        EXPECT_EQ(sh.dx > 0 ? shade.Right - text.Right : shade.Left - text.Left, sh.dx);
        EXPECT_EQ(sh.dy > 0 ? shade.Bottom - text.Bottom : shade.Top - text.Top, sh.dy);
        EXPECT_EQ(b->Canvas()->Pixels(0, 0), clYellow);
        EXPECT_EQ(b->Canvas()->Font()->Color(), clBlue);
    }
}

TEST(CanvasUtils, DrawBitmapCopiesThroughItsSeeThroughColourOrStretches)
{
    // A 4 x 2 source: left half red with an olive (see-through) corner, right half blue.
    auto src = Filled(4, 2, clRed);
    src->Canvas()->Brush()->SetColor(clBlue);
    src->Canvas()->FillRect(TRect(2, 0, 4, 2));
    src->Canvas()->SetPixels(0, 0, clOlive);
    EXPECT_EQ(BitmapRect(src.get()).Right, 4);
    EXPECT_EQ(BitmapRect(src.get()).Bottom, 2);
    struct Case {
        bool transparent;
        TPoint at;
        TColor colour;
    };
    // Into (10, 10, 30, 30): transparent copies the left half (2 x 2) enlarged; opaque
    // stretches the whole bitmap and ignores the source rectangle.
    const Case cases[] = {
        {true, {12, 12}, clWhite},  {true, {25, 15}, clRed},  {true, {15, 25}, clRed},   {true, {5, 5}, clWhite},
        {false, {12, 12}, clOlive}, {false, {15, 25}, clRed}, {false, {25, 15}, clBlue}, {false, {31, 20}, clWhite},
    };
    for (const Case& c : cases) {
        auto b = Filled(40, 40, clWhite);
        DrawBitmap(b->Canvas(), TRect(10, 10, 30, 30), src.get(), TRect(0, 0, 2, 2), c.transparent, clOlive);
        EXPECT_EQ(b->Canvas()->Pixels(c.at.x, c.at.y), c.colour) << c.transparent << " at " << c.at.x << "," << c.at.y;
    }
}

} // namespace
