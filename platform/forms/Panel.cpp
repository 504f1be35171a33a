#include "platform/forms/Panel.h"

#include "platform/graphics/Frame3D.h"

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption | csOpaque | csDoubleClicks
        | csReplicatable;
    SetBounds(0, 0, 185, 41);
}

void TCustomPanel::SetBevelOuter(TBevelCut v)
{
    if (v == FBevelOuter)
        return;
    FBevelOuter = v;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut v)
{
    if (v == FBevelInner)
        return;
    FBevelInner = v;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int v)
{
    if (v == FBevelWidth)
        return;
    FBevelWidth = v;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle v)
{
    if (v == FBorderStyle)
        return;
    FBorderStyle = v;
    Realign();
    Invalidate();
}

void TCustomPanel::SetAlignment(TAlignment v)
{
    if (v == FAlignment)
        return;
    FAlignment = v;
    Invalidate();
}

TRect TCustomPanel::ClientRect() const { return TWinControl::ClientRect(); }

void TCustomPanel::AlignControls(TControl* AControl, TRect& Rect)
{
    // Aligned children stay inside the bevels.
    int bevel = FBorderWidth;
    if (FBevelOuter != bvNone)
        bevel += FBevelWidth;
    if (FBevelInner != bvNone)
        bevel += FBevelWidth;
    const TRect cr = ClientRect();
    Rect = TRect(cr.Left + bevel, cr.Top + bevel, cr.Right - bevel, cr.Bottom - bevel);
    TCustomControl::AlignControls(AControl, Rect);
}

void TCustomPanel::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    auto colors = [](TBevelCut b, TColor& top, TColor& bottom) {
        top = b == bvLowered ? clBtnShadow : clBtnHighlight;
        bottom = b == bvLowered ? clBtnHighlight : clBtnShadow;
    };
    TColor top, bottom;
    if (FBevelOuter != bvNone) {
        colors(FBevelOuter, top, bottom);
        if (FBevelOuter == bvSpace)
            top = bottom = FColor;
        Frame3D(c, r, top, bottom, FBevelWidth);
    }
    Frame3D(c, r, FColor, FColor, FBorderWidth);
    if (FBevelInner != bvNone) {
        colors(FBevelInner, top, bottom);
        if (FBevelInner == bvSpace)
            top = bottom = FColor;
        Frame3D(c, r, top, bottom, FBevelWidth);
    }
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FColor);
    c->FillRect(r);
    if (!FText.empty()) {
        c->Brush()->SetStyle(bsClear);
        c->Font()->Assign(FFont.get());
        unsigned flags = DT_VCENTER | DT_SINGLELINE | DT_EXPANDTABS;
        flags |= FAlignment == taCenter ? DT_CENTER : FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT;
        c->DrawText(FText, r, flags);
    }
}
