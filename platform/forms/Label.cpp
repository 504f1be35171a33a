#include "platform/forms/Label.h"

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle |= csOpaque | csReplicatable;
    FParentColor = true;
    FWidth = 65;
    FHeight = 17;
    FAutoSize = true;
}

void TCustomLabel::SetAlignment(TAlignment v)
{
    if (v == FAlignment)
        return;
    FAlignment = v;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout v)
{
    if (v == FLayout)
        return;
    FLayout = v;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool v)
{
    if (v == FWordWrap)
        return;
    FWordWrap = v;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool v)
{
    if (v == FTransparent)
        return;
    FTransparent = v;
    if (v)
        FControlStyle &= ~csOpaque;
    else
        FControlStyle |= csOpaque;
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool v)
{
    if (v == FShowAccelChar)
        return;
    FShowAccelChar = v;
    AdjustBounds();
    Invalidate();
}

unsigned TCustomLabel::TextFlags() const
{
    unsigned f = DT_EXPANDTABS;
    if (FWordWrap)
        f |= DT_WORDBREAK;
    if (!FShowAccelChar)
        f |= DT_NOPREFIX;
    f |= FAlignment == taCenter ? DT_CENTER : FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT;
    return f;
}

bool TCustomLabel::CanAutoSize(int& NewWidth, int& NewHeight)
{
    TCanvas measure;
    measure.Font()->Assign(FFont.get());
    TRect r(0, 0, FWordWrap ? NewWidth : 0, 0);
    const AnsiString text = FText.empty() ? AnsiString(" ") : FText;
    measure.DrawText(text, r, TextFlags() | DT_CALCRECT);
    NewWidth = FWordWrap ? NewWidth : r.Width();
    NewHeight = r.Height();
    return true;
}

void TCustomLabel::AdjustBounds()
{
    if (!FAutoSize)
        return;
    int w = FWidth, h = FHeight;
    CanAutoSize(w, h);
    // A right-aligned label keeps its right edge; all others keep their left edge.
    const int left = FAlignment == taRightJustify ? FLeft + FWidth - w : FLeft;
    SetBounds(left, FTop, w, h);
}

void TCustomLabel::CMTextChanged()
{
    TGraphicControl::CMTextChanged();
    AdjustBounds();
}

void TCustomLabel::CMFontChanged()
{
    TGraphicControl::CMFontChanged();
    AdjustBounds();
}

void TCustomLabel::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    if (!FTransparent) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(FColor);
        c->FillRect(r);
    }
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(FFont.get());
    unsigned flags = TextFlags();
    if (FLayout != tlTop) {
        TRect calc = r;
        c->DrawText(FText, calc, flags | DT_CALCRECT);
        const int dy = FLayout == tlBottom ? r.Height() - calc.Height() : (r.Height() - calc.Height()) / 2;
        r.Top += dy;
    }
    if (!FEnabled) {
        TRect s(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
        c->Font()->SetColor(clBtnHighlight);
        c->DrawText(FText, s, flags);
        c->Font()->SetColor(clBtnShadow);
    }
    c->DrawText(FText, r, flags);
}
