#include "platform/forms/SpeedButton.h"

#include <algorithm>

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>())
{
    FControlStyle = csCaptureMouse | csDoubleClicks | csClickEvents | csOpaque;
    FGlyph->OnChange = [this](TObject*) { Invalidate(); };
    SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() { FGlyph->OnChange = nullptr; }

void TSpeedButton::SetGlyph(TBitmap* v)
{
    FGlyph->Assign(v);
    Invalidate();
}

void TSpeedButton::SetNumGlyphs(int v)
{
    v = std::clamp(v, 1, 4);
    if (v == FNumGlyphs)
        return;
    FNumGlyphs = v;
    Invalidate();
}

void TSpeedButton::SetTransparent(bool v)
{
    if (v == FTransparent)
        return;
    FTransparent = v;
    Invalidate();
}

void TSpeedButton::SetFlat(bool v)
{
    if (v == FFlat)
        return;
    FFlat = v;
    Invalidate();
}

void TSpeedButton::SetDown(bool v)
{
    if (FGroupIndex == 0)
        v = false;
    if (v == FDown)
        return;
    if (FDown && !v && !FAllowAllUp)
        return;
    FDown = v;
    if (v && FParent)
        for (int i = 0; i < FParent->ControlCount(); ++i)
            if (auto* b = dynamic_cast<TSpeedButton*>(FParent->Controls(i)); b && b != this && b->FGroupIndex == FGroupIndex)
                if (b->FDown) {
                    b->FDown = false;
                    b->Invalidate();
                }
    Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout v)
{
    FLayout = v;
    Invalidate();
}

void TSpeedButton::SetMargin(int v)
{
    FMargin = v;
    Invalidate();
}

void TSpeedButton::SetSpacing(int v)
{
    FSpacing = v;
    Invalidate();
}

void TSpeedButton::Click()
{
    if (FGroupIndex != 0)
        SetDown(FAllowAllUp ? !FDown : true);
    TGraphicControl::Click();
}

void TSpeedButton::CMMouseEnter()
{
    TGraphicControl::CMMouseEnter();
    FMouseInside = true;
    if (FFlat)
        Invalidate();
}

void TSpeedButton::CMMouseLeave()
{
    TGraphicControl::CMMouseLeave();
    FMouseInside = false;
    if (FFlat)
        Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && FEnabled) {
        FPressed = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(Button, Shift, X, Y);
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y)
{
    if (FControlState & csLButtonDown) {
        const bool inside = ClientRect().Contains(TPoint(X, Y));
        if (inside != FPressed) {
            FPressed = inside;
            Invalidate();
        }
    }
    TGraphicControl::MouseMove(Shift, X, Y);
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && FPressed) {
        FPressed = false;
        Invalidate();
    }
    TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void TSpeedButton::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    const bool sunk = FPressed || FDown;
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FDown && !FPressed ? cl3DLight : clBtnFace);
    if (!FTransparent || sunk)
        c->FillRect(r);
    if (!FFlat || FMouseInside || sunk) {
        TRect e = r;
        if (FFlat)
            c->DrawEdge(e, sunk ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        else
            c->DrawEdge(e, sunk ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    }
    const int off = sunk ? 1 : 0;
    int gw = 0, gh = 0;
    if (!FGlyph->Empty()) {
        gw = FGlyph->Width() / FNumGlyphs;
        gh = FGlyph->Height();
    }
    c->Font()->Assign(FFont.get());
    TRect tr(0, 0, 0, 0);
    if (!FText.empty())
        c->DrawText(FText, tr, DT_CALCRECT | DT_SINGLELINE);
    const int spacing = (gw > 0 && !FText.empty()) ? FSpacing : 0;
    int gx, gy, tx, ty;
    if (FLayout == blGlyphLeft || FLayout == blGlyphRight) {
        const int total = gw + spacing + tr.Width();
        const int start = FMargin >= 0 ? FMargin : (FWidth - total) / 2;
        gy = (FHeight - gh) / 2;
        ty = (FHeight - tr.Height()) / 2;
        if (FLayout == blGlyphLeft) {
            gx = start;
            tx = start + gw + spacing;
        } else {
            tx = start;
            gx = start + tr.Width() + spacing;
        }
    } else {
        const int total = gh + spacing + tr.Height();
        const int start = FMargin >= 0 ? FMargin : (FHeight - total) / 2;
        gx = (FWidth - gw) / 2;
        tx = (FWidth - tr.Width()) / 2;
        if (FLayout == blGlyphTop) {
            gy = start;
            ty = start + gh + spacing;
        } else {
            ty = start;
            gy = start + tr.Height() + spacing;
        }
    }
    if (gw > 0) {
        // Glyph columns: up, disabled, clicked, down.
        int index = 0;
        if (!FEnabled && FNumGlyphs > 1)
            index = 1;
        else if (FPressed && FNumGlyphs > 2)
            index = 2;
        else if (FDown && FNumGlyphs > 3)
            index = 3;
        TBitmap part;
        part.SetSize(gw, gh);
        part.Canvas()->CopyRect(TRect(0, 0, gw, gh), FGlyph->Canvas(), TRect(index * gw, 0, index * gw + gw, gh));
        part.SetTransparent(true);
        c->Draw(gx + off, gy + off, &part);
    }
    if (!FText.empty()) {
        c->Brush()->SetStyle(bsClear);
        TRect t(tx + off, ty + off, tx + off + tr.Width(), ty + off + tr.Height());
        if (!FEnabled) {
            TRect s(t.Left + 1, t.Top + 1, t.Right + 1, t.Bottom + 1);
            c->Font()->SetColor(clBtnHighlight);
            c->DrawText(FText, s, DT_SINGLELINE);
            c->Font()->SetColor(clBtnShadow);
        }
        c->DrawText(FText, t, DT_SINGLELINE);
    }
}
