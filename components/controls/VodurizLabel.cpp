#include "components/controls/VodurizLabel.h"

#include "platform/graphics/Canvas.h"

TPoint PlaceLabel(TLabelPosition Position, const TRect& Bounds, int Height, const TSize& LabelSize,
                  int CaptionWidth, int Margin)
{
    const int left = Bounds.Left, top = Bounds.Top, width = Bounds.Width();
    const int lh = LabelSize.cy, lw = LabelSize.cx;
    const int centredTop = top + (Height - lh) / 2;
    const int centredLeft = left + (width - lw) / 2;
    switch (Position) {
    case lpLeftTop:
        return TPoint(left - CaptionWidth - Margin, top);
    case lpLeftCenter:
        return TPoint(left - CaptionWidth - Margin, centredTop);
    case lpLeftBottom:
        return TPoint(left - CaptionWidth - Margin, top + Height - lh);
    case lpTopLeft:
        return TPoint(left, top - lh - Margin);
    case lpBottomLeft:
        return TPoint(left, top + Height + Margin);
    case lpLeftTopLeft:
        return TPoint(left - Margin, top);
    case lpLeftCenterLeft:
        return TPoint(left - Margin, centredTop);
    case lpLeftBottomLeft:
        return TPoint(left - Margin, top + Height - lh);
    case lpTopCenter:
        return TPoint(centredLeft, top - lh - Margin);
    case lpBottomCenter:
        return TPoint(centredLeft, top + Height + Margin);
    }
    return TPoint(left, top);
}

void DrawEditBorder(TCanvas* Canvas, int W, int H, bool Sunken, TColor FrameColor)
{
    TRect r(0, 0, W, H);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(Sunken ? clBtnFace : FrameColor);
    if (Sunken) {
        Canvas->DrawEdge(r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    } else {
        Canvas->FrameRect(r);
        r = TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    }
    Canvas->FrameRect(r);
}
