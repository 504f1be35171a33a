#include <gtest/gtest.h>

#include "components/controls/Owsysutils.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace {
TEST(Owsysutils, Numbers)
{
    EXPECT_EQ(SolveForX(50, 7), 3);
    EXPECT_EQ(SolveForY(5, 0), 0);
    EXPECT_EQ(SolveForY(1, 3), 33);
    EXPECT_EQ(Percent(1, 4), 25);
    EXPECT_EQ(Percent(1, 0), 0);
    EXPECT_EQ(MinIntVal(3, -2), -2);
    EXPECT_EQ(MaxIntVal(3, -2), 3);
    EXPECT_TRUE(InRange(5, 5, 6));
    EXPECT_FALSE(InRange(7, 5, 6));
    int v = 12;
    AdjustRange(v, 0, 10);
    EXPECT_EQ(v, 10);
    v = -1;
    AdjustRange(v, 0, 10);
    EXPECT_EQ(v, 0);
    EXPECT_EQ(WidthOf(TRect(2, 3, 12, 9)), 10);
    EXPECT_EQ(HeightOf(TRect(2, 3, 12, 9)), 6);
    EXPECT_TRUE(CompareRect(TRect(1, 2, 3, 4), TRect(1, 2, 3, 4)));
    EXPECT_FALSE(CompareRect(TRect(1, 2, 3, 4), TRect(1, 2, 3, 5)));
}

TEST(Owsysutils, Colours)
{
    EXPECT_EQ(AdjustColor(clWhite, 10), RGB(254, 254, 254));
    EXPECT_EQ(AdjustColor(clBlack, -10), RGB(1, 1, 1));
    EXPECT_EQ(AdjustColor(RGB(0, 100, 250), 0), RGB(0, 100, 250));
    EXPECT_EQ(AdjustColor(RGB(10, 100, 250), 10), RGB(20, 110, 254));
    EXPECT_EQ(Color2RGB(clRed), clRed);
    EXPECT_EQ(Color2RGB(clBtnFace), GetSysColor(COLOR_BTNFACE));
    Byte r, g, b;
    GetRGB(RGB(1, 2, 3), r, g, b);
    EXPECT_EQ(r, 1);
    EXPECT_EQ(g, 2);
    EXPECT_EQ(b, 3);
    EXPECT_EQ(ClampByte(2.5), 2); // ties to even
    EXPECT_EQ(ClampByte(3.5), 4);
    EXPECT_EQ(ClampByte(-4), 0);
    EXPECT_EQ(ClampByte(300), 255);
    EXPECT_EQ(RGBFromReals(1.4, 254.6, 0), RGB(1, 255, 0));
}

struct Paint : ::testing::Test {
    TBitmap bmp;
    TCanvas* c = nullptr;
    void SetUp() override
    {
        bmp.SetSize(60, 40);
        c = bmp.Canvas();
        c->Brush()->SetColor(clWhite);
        c->FillRect(TRect(0, 0, 60, 40));
    }
};

TEST_F(Paint, GradientExtRowsTopToBottom)
{
    DrawGradientExt(c, TRect(0, 0, 10, 10), RGB(0, 0, 0), RGB(100, 200, 250), 1, 1);
    for (int y = 0; y < 10; ++y)
        EXPECT_EQ(c->Pixels(5, y), RGB(100 * y / 10, 200 * y / 10, 250 * y / 10)) << y;
    EXPECT_EQ(c->Pixels(5, 10), clWhite);
}

TEST_F(Paint, GradientExtColumnsReachTheEndColourOutside)
{
    DrawGradientExt(c, TRect(0, 0, 10, 10), RGB(0, 0, 0), RGB(100, 100, 100), 2, 1);
    EXPECT_EQ(c->Pixels(0, 3), RGB(0, 0, 0));
    EXPECT_EQ(c->Pixels(9, 3), RGB(90, 90, 90));
    EXPECT_EQ(c->Pixels(10, 3), RGB(100, 100, 100)); // the eleventh column
    EXPECT_EQ(c->Pixels(11, 3), clWhite);
}

TEST_F(Paint, GradientExtHalfRisesAndFalls)
{
    DrawGradientExt(c, TRect(0, 0, 10, 10), RGB(0, 0, 0), RGB(100, 100, 100), 5, 1);
    EXPECT_EQ(c->Pixels(1, 0), RGB(0, 0, 0));
    EXPECT_EQ(c->Pixels(1, 4), RGB(80, 80, 80));
    EXPECT_EQ(c->Pixels(1, 5), RGB(100, 100, 100));
    EXPECT_EQ(c->Pixels(1, 6), RGB(80, 80, 80));
    EXPECT_EQ(c->Pixels(1, 10), RGB(0, 0, 0)); // below the rectangle
}

TEST_F(Paint, GradientEndsWithTheEndColour)
{
    DrawGradient(c, TRect(0, 0, 20, 10), clBlack, RGB(200, 0, 0), 1, 1);
    EXPECT_EQ(c->Pixels(0, 5), clBlack);
    EXPECT_EQ(c->Pixels(10, 5), RGB(100, 0, 0));
    EXPECT_EQ(c->Pixels(20, 5), RGB(200, 0, 0));
    DrawGradient(c, TRect(0, 20, 20, 30), clBlack, clWhite, 7, 1); // no such direction
    EXPECT_EQ(c->Pixels(5, 25), clWhite);
}

TEST_F(Paint, ShapesCentreSquares)
{
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clRed);
    DrawShape(c, stSquare, 0, 0, 40, 20);
    EXPECT_EQ(c->Pixels(10, 0), clBlack);  // square 10..30
    EXPECT_EQ(c->Pixels(9, 5), clWhite);
    EXPECT_EQ(c->Pixels(29, 19), clBlack);
    EXPECT_EQ(c->Pixels(30, 10), clWhite);
    EXPECT_EQ(c->Pixels(20, 10), clRed);
}

TEST_F(Paint, Frame3DShrinksAndColoursItsRings)
{
    TRect r(0, 0, 10, 10);
    DrawFrame3D(c, r, clRed, clBlue, 2);
    EXPECT_EQ(r, TRect(2, 2, 8, 8));
    EXPECT_EQ(c->Pixels(0, 0), clRed);
    EXPECT_EQ(c->Pixels(9, 0), clBlue);
    EXPECT_EQ(c->Pixels(0, 9), clBlue);  // the bottom line reaches the left edge
    EXPECT_EQ(c->Pixels(9, 9), clBlue);
    EXPECT_EQ(c->Pixels(1, 1), clRed);
    EXPECT_EQ(c->Pixels(2, 2), clWhite);
    TRect o(20, 0, 30, 10);
    DrawOutline3D(c, o, clRed, clBlue, 1);
    EXPECT_EQ(c->Pixels(20, 9), clRed); // the outline keeps the corner in the top colour
    EXPECT_EQ(c->Pixels(21, 9), clBlue);
}

TEST(Owsysutils, DitherPattern)
{
    auto p = CreateDitherPattern(clRed, clBlue);
    ASSERT_EQ(p->Width(), 8);
    EXPECT_EQ(p->Canvas()->Pixels(0, 0), clRed);
    EXPECT_EQ(p->Canvas()->Pixels(1, 0), clBlue);
    EXPECT_EQ(p->Canvas()->Pixels(1, 1), clRed);
    EXPECT_EQ(p->Canvas()->Pixels(7, 6), clBlue);
}
}
