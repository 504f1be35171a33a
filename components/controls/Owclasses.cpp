#include "components/controls/Owclasses.h"

#include "components/controls/Owsysutils.h"

void TOwPersistent::EndUpdate()
{
    if (FUpdateCount > 0)
        --FUpdateCount;
    Changed();
}

void TOwPersistent::Changed()
{
    if (FUpdateCount == 0)
        FireEvent(OnChange, this);
}

// ---------------------------------------------------------------- palette

TOwPaletteEx::TOwPaletteEx() = default;

void TOwPaletteEx::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TOwPaletteEx*>(Source);
    if (!src) {
        TOwPersistent::Assign(Source);
        return;
    }
    BeginUpdate();
    SetLow1(src->Low1());
    SetHigh1(src->High1());
    SetLow2(src->Low2());
    SetHigh2(src->High2());
    EndUpdate();
}

// ---------------------------------------------------------------- bevel

TOwBevel::TOwBevel() = default;

void TOwBevel::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TOwBevel*>(Source);
    if (!s) {
        TOwPersistent::Assign(Source);
        return;
    }
    BeginUpdate();
    SetBorderWidth(s->BorderWidth());
    SetBorderColor(s->BorderColor());
    SetInnerShadow(s->InnerShadow());
    SetInnerHighlight(s->InnerHighlight());
    SetInnerWidth(s->InnerWidth());
    SetInnerStyle(s->InnerStyle());
    SetInnerOutline(s->InnerOutline());
    SetInnerSpace(s->InnerSpace());
    SetInnerColor(s->InnerColor());
    SetOuterShadow(s->OuterShadow());
    SetOuterHighlight(s->OuterHighlight());
    SetOuterWidth(s->OuterWidth());
    SetOuterStyle(s->OuterStyle());
    SetOuterOutline(s->OuterOutline());
    SetOuterSpace(s->OuterSpace());
    SetOuterColor(s->OuterColor());
    SetVisible(s->Visible());
    EndUpdate();
}

void TOwBevel::GetVisibleArea(TRect& Rect) const
{
    int d = 0;
    if (FVisible) {
        d = FBorderWidth + FOuterSpace + FInnerSpace;
        if (FInnerOutline != osNone)
            ++d;
        if (FOuterOutline != osNone)
            ++d;
        if (FOuterStyle != TOwBevelStyle::bsNone)
            d += FOuterWidth;
        if (FInnerStyle != TOwBevelStyle::bsNone)
            d += FInnerWidth;
    }
    Rect = TRect(Rect.Left + d, Rect.Top + d, Rect.Right - d, Rect.Bottom - d);
}

void TOwBevel::BevelColors(TOwBevelStyle Style, TColor Shadow, TColor Highlight, TColor& TopLeft,
                           TColor& BottomRight)
{
    if (Style == TOwBevelStyle::bsRaised) {
        TopLeft = Highlight;
        BottomRight = Shadow;
    } else {
        TopLeft = Shadow;
        BottomRight = Highlight;
    }
}

void TOwBevel::Paint(TCanvas* Canvas, TRect& Rect) const
{
    if (!FVisible)
        return;
    TColor tl, br;
    if (FBorderWidth > 0)
        DrawFrame3D(Canvas, Rect, FBorderColor, FBorderColor, FBorderWidth);
    if (FOuterOutline == osOuter)
        DrawFrame3D(Canvas, Rect, clBlack, clBlack, 1);
    if (FOuterStyle != TOwBevelStyle::bsNone) {
        BevelColors(FOuterStyle, FOuterShadow, FOuterHighlight, tl, br);
        DrawFrame3D(Canvas, Rect, tl, br, FOuterWidth);
    }
    if (FOuterOutline == osInner)
        DrawFrame3D(Canvas, Rect, clBlack, clBlack, 1);
    DrawFrame3D(Canvas, Rect, FOuterColor, FOuterColor, FOuterSpace);
    if (FInnerOutline == osOuter)
        DrawFrame3D(Canvas, Rect, clBlack, clBlack, 1);
    if (FInnerStyle != TOwBevelStyle::bsNone) {
        BevelColors(FInnerStyle, FInnerShadow, FInnerHighlight, tl, br);
        DrawFrame3D(Canvas, Rect, tl, br, FInnerWidth);
    }
    if (FInnerOutline == osInner)
        DrawFrame3D(Canvas, Rect, clBlack, clBlack, 1);
    DrawFrame3D(Canvas, Rect, FInnerColor, FInnerColor, FInnerSpace);
}

// ---------------------------------------------------------------- text outline

void TOwTextOutline::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TOwTextOutline*>(Source);
    if (!s) {
        TOwPersistent::Assign(Source);
        return;
    }
    BeginUpdate();
    SetColor(s->Color());
    SetVisible(s->Visible());
    SetWidth(s->Width());
    EndUpdate();
}
