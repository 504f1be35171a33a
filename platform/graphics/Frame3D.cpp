#include "platform/graphics/Frame3D.h"

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width)
{
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetStyle(psSolid);
    --Rect.Bottom;
    --Rect.Right;
    while (Width > 0) {
        --Width;
        Canvas->Pen()->SetColor(TopColor);
        const TPoint a[3] = {TPoint(Rect.Left, Rect.Bottom), TPoint(Rect.Left, Rect.Top), TPoint(Rect.Right, Rect.Top)};
        Canvas->Polyline(a, 3);
        Canvas->Pen()->SetColor(BottomColor);
        const TPoint b[3] = {TPoint(Rect.Right, Rect.Top), TPoint(Rect.Right, Rect.Bottom), TPoint(Rect.Left - 1, Rect.Bottom)};
        Canvas->Polyline(b, 3);
        ++Rect.Left;
        ++Rect.Top;
        --Rect.Right;
        --Rect.Bottom;
    }
    ++Rect.Bottom;
    ++Rect.Right;
}
