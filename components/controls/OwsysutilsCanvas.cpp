// Canvas utilities of the owner-drawn controls: text effects, dot rasters, masks and bitmaps.
#include <algorithm>

#include "components/controls/Owsysutils.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

void SetCanvasTextAngle(TCanvas* Canvas, int Angle) { Canvas->Font()->SetOrientation((Angle % 65536) * 10); }

void CanvasTextOutAngle(TCanvas* Canvas, int X, int Y, int Angle, const AnsiString& Text)
{
    const int old = Canvas->Font()->Orientation();
    SetCanvasTextAngle(Canvas, Angle);
    Canvas->TextOut(X, Y, Text);
    Canvas->Font()->SetOrientation(old);
}

TSize GetTextSize(TCanvas* Canvas, const AnsiString& Text)
{
    TRect r(0, 0, 0, 0);
    Canvas->DrawText(Text, r, DT_CALCRECT);
    return TSize{r.Width(), r.Height()};
}

namespace {
// Draws Text at (X, Y) in Color with a clear brush.
void TextIn(TCanvas* Canvas, int X, int Y, const AnsiString& Text, TColor Color)
{
    Canvas->Font()->SetColor(Color);
    Canvas->TextOut(X, Y, Text);
}
} // namespace

void Draw3DText(TCanvas* Canvas, int X, int Y, const AnsiString& Text, TColor FirstColor, TColor SecondColor)
{
    Canvas->Brush()->SetStyle(bsClear);
    const TColor own = Canvas->Font()->Color();
    TextIn(Canvas, X + 1, Y + 1, Text, SecondColor);
    TextIn(Canvas, X - 1, Y - 1, Text, FirstColor);
    TextIn(Canvas, X, Y, Text, own);
}

void DrawShadowTextExt(TCanvas* Canvas, int X, int Y, const AnsiString& Text, TColor ShadowColor, int DX, int DY)
{
    Canvas->Brush()->SetStyle(bsClear);
    const TColor own = Canvas->Font()->Color();
    TextIn(Canvas, X + DX, Y + DY, Text, ShadowColor);
    TextIn(Canvas, X, Y, Text, own);
}

void DrawOutlinedText(TCanvas* Canvas, int X, int Y, const AnsiString& Text, TColor Color, int Width)
{
    const TColor own = Canvas->Font()->Color();
    Canvas->Brush()->SetStyle(bsClear);
    for (int i = 1; i <= Width; ++i) {
        TextIn(Canvas, X + i, Y + i, Text, Color);
        TextIn(Canvas, X - i, Y + i, Text, Color);
        TextIn(Canvas, X - i, Y - i, Text, Color);
        TextIn(Canvas, X + i, Y - i, Text, Color);
    }
    TextIn(Canvas, X, Y, Text, own);
}

namespace {
// Work holds Picture where Mask is black and keeps its own pixels where it is white.
void PaintThroughMask(TBitmap* Work, TBitmap* Mask, TGraphic* Picture)
{
    const TRect all(0, 0, Work->Width(), Work->Height());
    TBitmap stretched;
    stretched.SetSize(all.Width(), all.Height());
    stretched.Canvas()->StretchDraw(all, Picture);
    TCanvas* c = Work->Canvas();
    c->SetCopyMode(SRCINVERT);
    c->CopyRect(all, stretched.Canvas(), all);
    c->SetCopyMode(SRCAND);
    c->CopyRect(all, Mask->Canvas(), all);
    c->SetCopyMode(SRCINVERT);
    c->CopyRect(all, stretched.Canvas(), all);
    c->SetCopyMode(SRCCOPY);
}

bool Drawable(const TRect& Rect) { return Rect.Width() > 0 && Rect.Height() > 0; }
} // namespace

void StretchPaintOnText(TCanvas* Canvas, const TRect& Rect, int X, int Y, const AnsiString& Text, TGraphic* Picture,
                        int Angle)
{
    if (!Drawable(Rect) || !Picture || Picture->Empty())
        return;
    const int w = Rect.Width(), h = Rect.Height();
    TBitmap mask;
    mask.SetSize(w, h);
    mask.Canvas()->Brush()->SetColor(clWhite);
    mask.Canvas()->FillRect(TRect(0, 0, w, h));
    mask.Canvas()->Font()->Assign(Canvas->Font());
    mask.Canvas()->Font()->SetColor(clBlack);
    mask.Canvas()->Brush()->SetStyle(bsClear);
    SetCanvasTextAngle(mask.Canvas(), Angle);
    mask.Canvas()->TextOut(X, Y, Text);
    TBitmap work;
    work.SetSize(w, h);
    work.Canvas()->CopyRect(TRect(0, 0, w, h), Canvas, TRect(0, 0, w, h));
    PaintThroughMask(&work, &mask, Picture);
    Canvas->Draw(0, 0, &work);
}

void DrawRasterPattern(TCanvas* Canvas, const TRect& Rect, TColor DotColor, TColor BackColor, int DotSize, int Gap)
{
    const int pitch = DotSize + Gap;
    if (!Drawable(Rect) || DotSize < 1 || Gap < 0 || pitch < 1)
        return;
    const int side = pitch * 20;
    TBitmap tile;
    tile.SetSize(side, side);
    TCanvas* t = tile.Canvas();
    t->Brush()->SetColor(BackColor);
    t->FillRect(TRect(0, 0, side, side));
    t->Brush()->SetColor(DotColor);
    for (int x = 0; x <= side; x += pitch)
        for (int y = 0; y <= side; y += pitch)
            t->FillRect(TRect(x, y, x + DotSize, y + DotSize));
    Canvas->SetClipRect(Rect);
    for (int x = Rect.Left; x < Rect.Right; x += side)
        for (int y = Rect.Top; y < Rect.Bottom; y += side)
            Canvas->Draw(x, y, &tile);
    Canvas->ResetClip();
}

void StretchPaintOnRasterPattern(TCanvas* Canvas, const TRect& Rect, TGraphic* Picture, TColor DotColor,
                                 TColor BackColor, int DotSize, int Gap)
{
    if (!Drawable(Rect) || !Picture || Picture->Empty() || DotSize < 1 || Gap < 0)
        return;
    const int w = Rect.Width(), h = Rect.Height();
    const TRect all(0, 0, w, h);
    TBitmap mask, work;
    mask.SetSize(w, h);
    work.SetSize(w, h);
    DrawRasterPattern(mask.Canvas(), all, clBlack, clWhite, DotSize, Gap);
    DrawRasterPattern(work.Canvas(), all, DotColor, BackColor, DotSize, Gap);
    PaintThroughMask(&work, &mask, Picture);
    Canvas->Draw(0, 0, &work);
}

void BitmapToLCD(TBitmap* Dest, TBitmap* Source, TColor DotColor, TColor BackColor, int DotSize, int Gap)
{
    const int pitch = DotSize + Gap;
    if (!Source || Source->Empty() || DotSize < 1 || Gap < 0)
        return;
    const int w = Source->Width() * pitch, h = Source->Height() * pitch;
    Dest->SetSize(w, h);
    StretchPaintOnRasterPattern(Dest->Canvas(), TRect(0, 0, w, h), Source, DotColor, BackColor, DotSize, Gap);
}

void DrawTiledBitmap(TCanvas* Canvas, const TRect& Rect, TBitmap* Bitmap)
{
    if (!Bitmap || Bitmap->Width() < 1 || Bitmap->Height() < 1)
        return;
    for (int x = Rect.Left; x < Rect.Right; x += Bitmap->Width())
        for (int y = Rect.Top; y < Rect.Bottom; y += Bitmap->Height())
            Canvas->Draw(x, y, Bitmap);
}

TRect BitmapRect(TBitmap* Bitmap) { return TRect(0, 0, Bitmap->Width(), Bitmap->Height()); }

TRect GlyphRect(TBitmap* Bitmap, int Index, int Count)
{
    if (Count <= 1)
        return BitmapRect(Bitmap);
    const int w = Bitmap->Width() / Count;
    return TRect(Index * w, 0, Index * w + w, Bitmap->Height());
}

void ChangeBitmapColor(TBitmap* Bitmap, TColor FromColor, TColor ToColor)
{
    TCanvas* c = Bitmap->Canvas();
    const TColor from = ColorToRGB(FromColor), to = ColorToRGB(ToColor);
    for (int y = 0; y < Bitmap->Height(); ++y)
        for (int x = 0; x < Bitmap->Width(); ++x)
            if (c->Pixels(x, y) == from)
                c->SetPixels(x, y, to);
}

void DrawBitmap(TCanvas* Canvas, const TRect& Rect, TBitmap* Bitmap, const TRect& SourceRect, bool Transparent,
                TColor TransparentColor)
{
    if (Transparent) {
        Canvas->Brush()->SetStyle(bsClear);
        Canvas->BrushCopy(Rect, Bitmap, SourceRect, TransparentColor);
    } else {
        Canvas->Brush()->SetStyle(bsSolid);
        Canvas->StretchDraw(Rect, Bitmap);
    }
}

AnsiString GetStrParam(AnsiString& S, char Delimiter)
{
    const size_t p = S.find(Delimiter);
    AnsiString r;
    if (p == AnsiString::npos) {
        r = S;
        S.clear();
    } else {
        r = S.substr(0, p);
        S.erase(0, p + 1);
    }
    return r;
}
