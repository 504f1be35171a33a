#include "components/controls/Owdisplay.h"

#include "components/controls/Owsysutils.h"
#include "platform/graphics/Canvas.h"

TOwDisplayBevel::TOwDisplayBevel()
{
    SetInnerShadow(clBlack);
    SetInnerHighlight(clBlack);
    SetInnerWidth(4);
    SetInnerStyle(TOwBevelStyle::bsLowered);
    SetInnerSpace(1);
    SetInnerColor(clBlack);
    SetOuterShadow(clSilver);
    SetOuterHighlight(clGray);
    SetOuterWidth(4);
    SetOuterStyle(TOwBevelStyle::bsLowered);
    SetOuterOutline(osOuter);
    SetOuterSpace(1);
    SetOuterColor(clSilver);
}

void DrawDisplayShadow(TCanvas* Canvas, TRect Rect, TColor Color1, TColor Color2, int Width, TOwShadowLayout Layout)
{
    if (Width <= 0)
        return;
    const int L0 = Rect.Left, T0 = Rect.Top, R0 = Rect.Right, B0 = Rect.Bottom;
    Byte r1, g1, b1, r2, g2, b2;
    GetRGB(Color1, r1, g1, b1);
    GetRGB(Color2, r2, g2, b2);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetStyle(psSolid);
    for (int i = 0; i < Width; ++i) {
        auto step = [&](int c1, int c2) { return static_cast<Byte>(c1 + i * (c2 - c1) / Width); };
        Canvas->Pen()->SetColor(RGB(step(r1, r2), step(g1, g2), step(b1, b2)));
        const int L = Rect.Left, T = Rect.Top, R = Rect.Right, B = Rect.Bottom;
        TPoint p[3];
        switch (Layout) {
        case soTopLeft:
            p[0] = {L, B0 - 1}, p[1] = {L, T}, p[2] = {R0, T};
            break;
        case soTopRight:
            p[0] = {L0, T}, p[1] = {R - 1, T}, p[2] = {R - 1, B0};
            break;
        case soBottomLeft:
            p[0] = {L, T0}, p[1] = {L, B - 1}, p[2] = {R0, B - 1};
            break;
        case soBottomRight:
            p[0] = {L0, B - 1}, p[1] = {R - 1, B - 1}, p[2] = {R - 1, T0 - 1};
            break;
        }
        Canvas->MoveTo(p[0].x, p[0].y);
        Canvas->LineTo(p[1].x, p[1].y);
        Canvas->LineTo(p[2].x, p[2].y);
        Rect = TRect(L + 1, T + 1, R - 1, B - 1);
    }
}

TOwDisplay::TOwDisplay(TComponent* AOwner) : TOwCustomControl(AOwner), FBevel(std::make_unique<TOwDisplayBevel>())
{
    SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csOpaque | csDoubleClicks | csReplicatable);
    SetBounds(0, 0, 150, 100);
    SetColor(8165509);
    SetParentColor(false);
    FBevel->OnChange = [this](TObject*) {
        Realign();
        UpdateControlCanvas();
    };
}

TOwDisplay::~TOwDisplay() { FBevel->OnChange = nullptr; }

void TOwDisplay::SetShadowWidth(int v)
{
    if (v == FShadowWidth)
        return;
    FShadowWidth = v;
    UpdateControlCanvas();
}

void TOwDisplay::SetShadowColor1(TColor v)
{
    if (v == FShadowColor1)
        return;
    FShadowColor1 = v;
    UpdateControlCanvas();
}

void TOwDisplay::SetShadowColor2(TColor v)
{
    if (v == FShadowColor2)
        return;
    FShadowColor2 = v;
    UpdateControlCanvas();
}

void TOwDisplay::SetShadowLayout(TOwShadowLayout v)
{
    if (v == FShadowLayout)
        return;
    FShadowLayout = v;
    UpdateControlCanvas();
}

void TOwDisplay::AlignControls(TControl* AControl, TRect& Rect)
{
    FBevel->GetVisibleArea(Rect); // aligned children sit inside the bevel
    TOwCustomControl::AlignControls(AControl, Rect);
}

void TOwDisplay::BoundsChanged()
{
    TOwCustomControl::BoundsChanged();
    Invalidate();
}

void TOwDisplay::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(r);
    FBevel->Paint(c, r);
    DrawDisplayShadow(c, r, FShadowColor1, FShadowColor2, FShadowWidth, FShadowLayout);
}
