// The grid's colour arithmetic and small drawing aids.
#include <algorithm>
#include <vector>

#include "components/grid/Ravutil.h"
#include "components/grid/RavgridResources.h"
#include "platform/forms/Controls.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

TColor DarkenColor(TColor c)
{
    const TColor v = ColorToRGB(c);
    return RGB(GetRValue(v) >> 1, GetGValue(v) >> 1, GetBValue(v) >> 1);
}

void DrawBitmapTransp(TCanvas* Canvas, TBitmap* bmp, TColor bkcolor, const TRect& r)
{
    if (!bmp || bmp->Empty())
        return;
    const TColor transparent = bmp->Canvas()->Pixels(0, 0);
    TBrush saved;
    saved.Assign(Canvas->Brush());
    Canvas->Brush()->SetColor(bkcolor);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->BrushCopy(TRect(r.Left, r.Top, r.Left + bmp->Width(), r.Top + bmp->Height()), bmp,
                      TRect(0, 0, bmp->Width(), bmp->Height()), transparent);
    Canvas->SetBrush(&saved);
}

// A resource the grid does not carry draws nothing.
void DrawBitmapResourceTransp(TCanvas* Canvas, TColor bkcolor, const TRect& r, const AnsiString& ResName)
{
    DrawBitmapTransp(Canvas, Ravgrid::GridBitmap(ResName), bkcolor, r);
}

void DrawErrorLines(TWinControl*, TCanvas* Canvas, const AnsiString& Text, const TRect& r, int VOffset,
                    int FirstChar, int CharCount)
{
    if (!Canvas)
        return;
    const int n = int(Text.size());
    auto posOf = [&](int ch) {
        // pixel x of character ch (0-based) on the single line; past the end: end + 4
        if (ch >= n)
            return Canvas->TextWidth(Text) + 4;
        return Canvas->TextWidth(Text.substr(0, size_t(std::max(0, ch))));
    };
    const int first = FirstChar;
    const int last = first + CharCount - 1;
    const int x1 = posOf(first);
    const int x2 = last >= n ? Canvas->TextWidth(Text) + 4 : posOf(last);
    const int y = r.Top + Canvas->TextHeight("gh");
    TPen saved;
    saved.Assign(Canvas->Pen());
    Canvas->Pen()->SetColor(clRed);
    Canvas->Pen()->SetWidth(2);
    int x = r.Left + x1;
    bool up = false;
    Canvas->MoveTo(x, y + VOffset + 3);
    do {
        x += 3;
        Canvas->LineTo(x, y + VOffset + (up ? 3 : 0));
        up = !up;
    } while (x - 3 <= r.Left + x2);
    Canvas->SetPen(&saved);
}

void DrawButtonArrow(TCanvas* Canvas, const TRect& r, TArrowDirection Direction)
{
    const int cx = (r.Left + r.Right) / 2, cy = (r.Top + r.Bottom) / 2;
    std::vector<TPoint> p;
    switch (Direction) {
    case arrUp: p = {{cx - 3, cy + 1}, {cx + 3, cy + 1}, {cx, cy - 2}}; break;
    case arrDown: p = {{cx - 3, cy - 1}, {cx + 3, cy - 1}, {cx, cy + 2}}; break;
    case arrLeft: p = {{cx + 1, cy - 3}, {cx + 1, cy + 3}, {cx - 2, cy}}; break;
    case arrRight: p = {{cx - 1, cy - 3}, {cx - 1, cy + 3}, {cx + 2, cy}}; break;
    }
    Canvas->Polygon(p);
}
