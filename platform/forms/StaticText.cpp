#include "platform/forms/StaticText.h"

#include "platform/forms/FormsImpl_p.h"

TStaticText::TStaticText(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csOpaque | csReplicatable | csDoubleClicks;
    FParentColor = true;
    FAutoSize = true;
    FWidth = 65;
    FHeight = 17;
}

void TStaticText::SetAlignment(TAlignment v)
{
    if (v == FAlignment)
        return;
    FAlignment = v;
    Invalidate();
}

void TStaticText::SetBorderStyle(TStaticBorderStyle v)
{
    if (v == FBorderStyle)
        return;
    FBorderStyle = v;
    AdjustSize();
    Invalidate();
}

void TStaticText::SetShowAccelChar(bool v)
{
    if (v == FShowAccelChar)
        return;
    FShowAccelChar = v;
    Invalidate();
}

void TStaticText::SetTransparent(bool v)
{
    if (v == FTransparent)
        return;
    FTransparent = v;
    zvforms::SetSeeThrough(this, v);
    Invalidate();
}

bool TStaticText::CanAutoSize(int& NewWidth, int& NewHeight)
{
    // The class library measures the caption as one line and adds four border widths
    // each way, whatever the border style.
    // A display refreshed many times a second often shows the same text again: measure only
    // a text or font not measured last.
    if (!FMeasured.Font || FMeasured.Text != FText || !FMeasured.Font->SameAs(*FFont)) {
        TCanvas measure;
        measure.Font()->Assign(FFont.get());
        if (!FMeasured.Font)
            FMeasured.Font = std::make_unique<TFont>();
        FMeasured.Font->Assign(FFont.get());
        FMeasured.Text = FText;
        FMeasured.Width = measure.TextWidth(FText) + 4;
        FMeasured.Height = measure.TextHeight("0") + 4;
    }
    NewWidth = FMeasured.Width;
    NewHeight = FMeasured.Height;
    return true;
}

void TStaticText::CMTextChanged()
{
    TCustomControl::CMTextChanged();
    AdjustSize();
}

void TStaticText::CMFontChanged()
{
    TCustomControl::CMFontChanged();
    AdjustSize();
}

void TStaticText::PaintNonClient(TCanvas* Canvas)
{
    if (FBorderStyle == sbsNone)
        return;
    TRect r(0, 0, FWidth, FHeight);
    if (FBorderStyle == sbsSunken)
        Canvas->DrawEdge(r, BDR_SUNKENOUTER, BF_RECT);
    else {
        Canvas->Brush()->SetColor(clWindowFrame);
        Canvas->FrameRect(r);
    }
}

void TStaticText::Paint()
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
    unsigned flags = DT_EXPANDTABS | (FShowAccelChar ? 0u : unsigned(DT_NOPREFIX));
    flags |= FAlignment == taCenter ? DT_CENTER : FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT;
    if (!FEnabled)
        c->Font()->SetColor(clGrayText);
    c->DrawText(FText, r, flags);
}
