// Canvas drawing keeps the Win32 pixel rules and exact colours.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Frame3D.h"
#include "platform/graphics/ImageList.h"

namespace {

struct CanvasFixture : ::testing::Test {
    TBitmap bmp;
    TCanvas* c = nullptr;
    void SetUp() override
    {
        bmp.SetSize(20, 20);
        c = bmp.Canvas();
        c->Brush()->SetColor(clWhite);
        c->FillRect(TRect(0, 0, 20, 20));
    }
    int Count(TColor col)
    {
        int n = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x)
                n += c->Pixels(x, y) == col;
        return n;
    }
};

} // namespace

TEST(Colors, SystemColoursComeFromTheFixedTable)
{
    EXPECT_EQ(ColorToRGB(clBtnFace), RGB(212, 208, 200));
    EXPECT_EQ(ColorToRGB(clWindow), clWhite);
    EXPECT_EQ(ColorToRGB(clBtnShadow), clGray);
    EXPECT_EQ(ColorToRGB(clHighlight), RGB(10, 36, 106));
    EXPECT_EQ(ColorToRGB(TColorOf(0xFFFF00)), clAqua);
    EXPECT_EQ(clNone, TColorOf(0x1FFFFFFF));
    EXPECT_EQ(clBtnFace, TColorOf(0x8000000F));
    EXPECT_EQ(StringToColor("clLime"), clLime);
    EXPECT_EQ(ColorToString(clRed), "clRed");
    EXPECT_EQ(StringToColor("$00808080"), clGray);
}

TEST(Fonts, PointsAndPixelsAtNinetySixDots)
{
    TFont f;
    EXPECT_EQ(f.Size(), 8);
    EXPECT_EQ(f.Height(), -11);
    f.SetSize(12);
    EXPECT_EQ(f.Height(), -16);
    int changes = 0;
    f.OnChange = [&](TObject*) { ++changes; };
    f.SetStyle(fsBold | fsItalic);
    f.SetStyle(fsBold | fsItalic);
    EXPECT_EQ(changes, 1);
}

TEST_F(CanvasFixture, RectangleOutlinesInsideAndFillsWithTheBrush)
{
    c->Pen()->SetColor(clBlack);
    c->Brush()->SetColor(clRed);
    c->Rectangle(2, 2, 6, 6);
    EXPECT_EQ(c->Pixels(2, 2), clBlack);
    EXPECT_EQ(c->Pixels(5, 5), clBlack);
    EXPECT_EQ(c->Pixels(3, 3), clRed);
    EXPECT_EQ(c->Pixels(4, 4), clRed);
    EXPECT_EQ(c->Pixels(6, 6), clWhite);
    EXPECT_EQ(Count(clBlack), 12);
    EXPECT_EQ(Count(clRed), 4);
}

TEST_F(CanvasFixture, LineToLeavesOutTheEndPoint)
{
    c->Pen()->SetColor(clBlue);
    c->MoveTo(1, 1);
    c->LineTo(6, 1);
    EXPECT_EQ(c->Pixels(1, 1), clBlue);
    EXPECT_EQ(c->Pixels(5, 1), clBlue);
    EXPECT_EQ(c->Pixels(6, 1), clWhite);
    c->LineTo(6, 4);
    EXPECT_EQ(c->Pixels(6, 1), clBlue);
    EXPECT_EQ(c->Pixels(6, 4), clWhite);
    EXPECT_EQ(c->PenPos(), TPoint(6, 4));
    EXPECT_EQ(Count(clBlue), 8);
}

TEST_F(CanvasFixture, FillAndFrameRectAreExact)
{
    c->Brush()->SetColor(clLime);
    c->FillRect(TRect(1, 1, 4, 3));
    EXPECT_EQ(Count(clLime), 6);
    c->Brush()->SetColor(clNavy);
    c->FrameRect(TRect(10, 10, 15, 13));
    EXPECT_EQ(Count(clNavy), 12);
    EXPECT_EQ(c->Pixels(12, 11), clWhite);
}

TEST_F(CanvasFixture, PixelsOutsideTheSurfaceOrClipAreInvalid)
{
    EXPECT_EQ(c->Pixels(-1, 0), CLR_INVALID);
    EXPECT_EQ(c->Pixels(20, 0), CLR_INVALID);
    c->SetClipRect(TRect(5, 5, 10, 10));
    EXPECT_EQ(c->Pixels(2, 2), CLR_INVALID);
    c->Brush()->SetColor(clRed);
    c->FillRect(TRect(0, 0, 20, 20));
    c->ResetClip();
    EXPECT_EQ(Count(clRed), 25);
    EXPECT_EQ(c->ClipRect(), TRect(0, 0, 20, 20));
}

TEST_F(CanvasFixture, ViewportOriginMovesDrawingAndClipRect)
{
    c->SetViewportOrg(TPoint(5, 5));
    c->IntersectClipRect(TRect(0, 0, 4, 4));
    EXPECT_EQ(c->ClipRect(), TRect(0, 0, 4, 4));
    c->Brush()->SetColor(clRed);
    c->FillRect(TRect(-5, -5, 10, 10));
    c->SetViewportOrg(TPoint(0, 0));
    c->ResetClip();
    EXPECT_EQ(Count(clRed), 16);
    EXPECT_EQ(c->Pixels(5, 5), clRed);
    EXPECT_EQ(c->Pixels(9, 9), clWhite);
}

TEST_F(CanvasFixture, FocusRectAndInvertCopiesUndoThemselves)
{
    c->Brush()->SetColor(clRed);
    c->FillRect(TRect(0, 0, 10, 10));
    TBitmap before;
    before.Assign(&bmp);
    c->DrawFocusRect(TRect(1, 1, 9, 9));
    EXPECT_NE(Count(clRed), 100 + 0 - 0);
    c->DrawFocusRect(TRect(1, 1, 9, 9));
    TBitmap pattern;
    pattern.SetSize(20, 20);
    pattern.Canvas()->Brush()->SetColor(clAqua);
    pattern.Canvas()->FillRect(TRect(0, 0, 20, 20));
    c->SetCopyMode(cmSrcInvert);
    c->CopyRect(TRect(0, 0, 20, 20), pattern.Canvas(), TRect(0, 0, 20, 20));
    EXPECT_EQ(c->Pixels(0, 0), TColorOf(0x0000FF ^ 0xFFFF00));
    c->CopyRect(TRect(0, 0, 20, 20), pattern.Canvas(), TRect(0, 0, 20, 20));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(c->Pixels(x, y), before.Canvas()->Pixels(x, y)) << x << "," << y;
}

TEST_F(CanvasFixture, SourceAndKeepsOnlyCommonBits)
{
    c->Brush()->SetColor(clYellow);
    c->FillRect(TRect(0, 0, 20, 20));
    TBitmap mask;
    mask.SetSize(20, 20);
    mask.Canvas()->Brush()->SetColor(clBlack);
    mask.Canvas()->FillRect(TRect(0, 0, 10, 20));
    c->SetCopyMode(cmSrcAnd);
    c->CopyRect(TRect(0, 0, 20, 20), mask.Canvas(), TRect(0, 0, 20, 20));
    EXPECT_EQ(c->Pixels(2, 2), clBlack);
    EXPECT_EQ(c->Pixels(15, 2), clYellow);
}

TEST_F(CanvasFixture, TransparentBitmapLeavesOutItsBottomLeftColour)
{
    TBitmap sprite;
    sprite.SetSize(4, 4);
    sprite.Canvas()->Brush()->SetColor(clFuchsia);
    sprite.Canvas()->FillRect(TRect(0, 0, 4, 4));
    sprite.Canvas()->Brush()->SetColor(clGreen);
    sprite.Canvas()->FillRect(TRect(1, 1, 3, 3));
    EXPECT_EQ(sprite.TransparentColor(), clFuchsia);
    sprite.SetTransparent(true);
    c->Draw(2, 2, &sprite);
    EXPECT_EQ(c->Pixels(2, 2), clWhite);
    EXPECT_EQ(c->Pixels(3, 3), clGreen);
    EXPECT_EQ(Count(clFuchsia), 0);
    sprite.SetTransparentColor(clGreen);
    EXPECT_EQ(sprite.TransparentMode(), tmFixed);
    c->Draw(10, 10, &sprite);
    EXPECT_EQ(c->Pixels(10, 10), clFuchsia);
    EXPECT_EQ(c->Pixels(11, 11), clWhite);
}

TEST_F(CanvasFixture, MaskTurnsTheKeyColourWhiteAndTheRestBlack)
{
    c->Brush()->SetColor(clRed);
    c->FillRect(TRect(0, 0, 5, 5));
    bmp.Mask(clWhite);
    EXPECT_TRUE(bmp.Monochrome());
    EXPECT_EQ(c->Pixels(1, 1), clBlack);
    EXPECT_EQ(c->Pixels(10, 10), clWhite);
}

TEST_F(CanvasFixture, Frame3DShrinksTheRectangleByItsWidth)
{
    TRect r(0, 0, 10, 10);
    Frame3D(c, r, clWhite, clGray, 2);
    EXPECT_EQ(r, TRect(2, 2, 8, 8));
    TRect one(10, 10, 14, 14);
    Frame3D(c, one, clRed, clBlue, 1);
    EXPECT_EQ(c->Pixels(10, 10), clRed);
    EXPECT_EQ(c->Pixels(13, 10), clBlue); // top-right corner belongs to the bottom colour
    EXPECT_EQ(c->Pixels(10, 13), clBlue);
    EXPECT_EQ(c->Pixels(13, 13), clBlue);
}

TEST_F(CanvasFixture, DrawTextMeasuresLikeTheTextExtent)
{
    const AnsiString s = "Freq(kHz)";
    TRect r(0, 0, 0, 0);
    const int h = c->DrawText(s, r, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(r.Width(), c->TextWidth(s));
    EXPECT_EQ(r.Height(), c->TextHeight(s));
    EXPECT_EQ(h, r.Height());
    TRect two(0, 0, 0, 0);
    c->DrawText("Line 1\r\nLine 2", two, DT_CALCRECT);
    EXPECT_EQ(two.Height(), 2 * c->TextHeight("L"));
    TRect wrap(0, 0, c->TextWidth("Sure to"), 0);
    c->DrawText("Sure to quit ?", wrap, DT_CALCRECT | DT_WORDBREAK);
    EXPECT_EQ(wrap.Height(), 2 * c->TextHeight("S"));
    TRect pre(0, 0, 0, 0);
    c->DrawText("&Setting", pre, DT_CALCRECT);
    EXPECT_EQ(pre.Width(), c->TextWidth("Setting"));
}

TEST(CanvasText, DrawTextPlacesTheLineByItsAlignmentAndFillsOnlyBehindIt)
{
    struct Case {
        unsigned Align;
        bool Opaque;
    };
    const Case cases[] = {{DT_LEFT, false}, {DT_CENTER, false}, {DT_RIGHT, false},
                          {DT_LEFT, true},  {DT_CENTER, true},  {DT_RIGHT, true}};
    for (const Case& k : cases) {
        SCOPED_TRACE(std::to_string(k.Align) + (k.Opaque ? " opaque" : " clear"));
        TBitmap b;
        b.SetSize(120, 30);
        TCanvas* c = b.Canvas();
        c->Brush()->SetColor(clWhite);
        c->FillRect(TRect(0, 0, 120, 30));
        c->Font()->SetColor(clBlack);
        if (k.Opaque)
            c->Brush()->SetColor(clYellow);
        else
            c->Brush()->SetStyle(bsClear);
        const AnsiString text = "MWM";
        const int w = c->TextWidth(text);
        TRect r(0, 0, 120, 30);
        c->DrawText(text, r, k.Align | DT_SINGLELINE);
        // The columns that took ink, and those the background fill took.
        int inkFrom = 120, inkTo = -1, fillFrom = 120, fillTo = -1;
        for (int x = 0; x < 120; ++x)
            for (int y = 0; y < 30; ++y) {
                const TColor p = c->Pixels(x, y);
                if (p == clYellow) {
                    fillFrom = std::min(fillFrom, x);
                    fillTo = std::max(fillTo, x);
                } else if (p != clWhite) {
                    inkFrom = std::min(inkFrom, x);
                    inkTo = std::max(inkTo, x);
                }
            }
        ASSERT_GE(inkTo, 0);
        const int left = k.Align == DT_CENTER ? (120 - w) / 2 : k.Align == DT_RIGHT ? 120 - w : 0;
        EXPECT_GE(inkFrom, left - 1);
        EXPECT_LE(inkTo, left + w);
        EXPECT_LE(inkFrom, left + 3);
        if (k.Opaque) {
            EXPECT_EQ(fillFrom, left);
            EXPECT_EQ(fillTo, left + w - 1);
        } else {
            EXPECT_EQ(fillTo, -1);
        }
    }
}

TEST_F(CanvasFixture, TextOutMovesThePenAndHonoursTheBrush)
{
    c->Font()->SetColor(clBlack);
    c->Brush()->SetColor(clYellow);
    c->TextOut(0, 0, "W");
    EXPECT_EQ(c->PenPos(), TPoint(c->TextWidth("W"), 0));
    EXPECT_GT(Count(clYellow), 0);
    c->Brush()->SetColor(clWhite);
    c->FillRect(TRect(0, 0, 20, 20));
    c->Brush()->SetStyle(bsClear);
    c->TextOut(0, 0, "W");
    EXPECT_EQ(Count(clYellow), 0);
    c->Brush()->SetColor(clRed); // a colour on a clear brush makes it solid again
    EXPECT_EQ(c->Brush()->Style(), bsSolid);
}

TEST_F(CanvasFixture, ImageListDrawsItsImagesSeeThrough)
{
    TImageList list(nullptr);
    list.SetWidth(4);
    list.SetHeight(4);
    TBitmap strip;
    strip.SetSize(8, 4);
    strip.Canvas()->Brush()->SetColor(clFuchsia);
    strip.Canvas()->FillRect(TRect(0, 0, 8, 4));
    strip.Canvas()->Brush()->SetColor(clRed);
    strip.Canvas()->FillRect(TRect(1, 1, 3, 3));
    strip.Canvas()->Brush()->SetColor(clBlue);
    strip.Canvas()->FillRect(TRect(5, 1, 7, 3));
    EXPECT_EQ(list.AddMasked(&strip, clFuchsia), 0);
    EXPECT_EQ(list.Count(), 2);
    list.Draw(c, 0, 0, 1);
    EXPECT_EQ(c->Pixels(1, 1), clBlue);
    EXPECT_EQ(c->Pixels(0, 0), clWhite);
}

TEST(Text, EightBitTextMeasuresAsLatin1WhenNotUtf8)
{
    TCanvas c;
    // "°C" as UTF-8 and as a Latin-1 byte: both one degree sign.
    EXPECT_EQ(c.TextWidth("\xC2\xB0" "C"), c.TextWidth("\xB0" "C"));
    EXPECT_GT(c.TextWidth("\xB0"), 0);
}
