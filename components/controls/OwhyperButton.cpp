// The hot-tracking flat button.
#include "components/controls/Owbuttons.h"
#include "components/controls/Owsysutils.h"
#include "platform/graphics/Canvas.h"

TOwHyperButton::TOwHyperButton(TComponent* AOwner) : TOwGraphicImageControl(AOwner), FGlyph(std::make_unique<TBitmap>())
{
    SetControlStyle((ControlStyle() | csSetCaption | csOpaque) & ~csDoubleClicks);
    SetBounds(0, 0, 100, 25);
    SetParentFont(false);
    FGlyph->OnChange = [this](TObject*) { UpdateControlCanvas(); };
}

TOwHyperButton::~TOwHyperButton() { FGlyph->OnChange = nullptr; }

void TOwHyperButton::CMTextChanged()
{
    TOwGraphicImageControl::CMTextChanged();
    Invalidate();
}

void TOwHyperButton::CMEnabledChanged()
{
    TOwGraphicImageControl::CMEnabledChanged();
    Invalidate();
}

void TOwHyperButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        FHeld = true;
        FDown = true;
        Invalidate();
    }
    TOwGraphicImageControl::MouseDown(Button, Shift, X, Y);
}

void TOwHyperButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FHeld = false;
    bool click = false;
    if (FDown) {
        FDown = false;
        Invalidate();
        click = true;
    }
    TOwGraphicImageControl::MouseUp(Button, Shift, X, Y);
    if (click)
        FireEvent(OnClick, this);
}

void TOwHyperButton::MouseEnter()
{
    FHot = true;
    if (FHeld)
        FDown = true;
    Invalidate();
    TOwGraphicImageControl::MouseEnter();
}

void TOwHyperButton::MouseLeave()
{
    FHot = false;
    if (FHeld)
        FDown = false;
    Invalidate();
    TOwGraphicImageControl::MouseLeave();
}

void TOwHyperButton::CalcPaintParams()
{
    const TRect client = ClientRect();
    const TRect r(client.Left + 1, client.Top + 1, client.Right - 1, client.Bottom - 1);
    const TPoint glyph(FGlyph->Width(), FGlyph->Height());
    TCanvas* c = BitmapCanvas();
    c->Font()->Assign(Font());
    TPoint pos;
    CalcImageTextLayout(c, r, TPoint(1, 1), Caption(), cfImageTextLayout[FLayout], FMargin, FSpacing, glyph, pos,
                        FTextRect);
    if (FGlyph->Empty())
        FTextRect = TRect(FTextRect.Left, FTextRect.Top - 1, FTextRect.Right, FTextRect.Bottom - 1);
    FGlyphRect = TRect(pos.x, pos.y, pos.x + glyph.x, pos.y + glyph.y);
}

void TOwHyperButton::Paint()
{
    CalcPaintParams();
    ClearBitmapCanvas();
    TCanvas* c = BitmapCanvas();
    const bool live = Enabled() || DisabledAnimate;
    const bool hot = FHot && live;
    if (hot) {
        c->Pen()->SetColor(FColorEnter);
        c->Brush()->SetColor(FColorEnter);
        c->Brush()->SetStyle(bsSolid);
    } else {
        c->Pen()->SetColor(FBorderColor);
        c->Brush()->SetColor(FColorLeave);
        c->Brush()->SetStyle(bsClear);
    }
    c->Rectangle(0, 0, Width(), Height());
    TRect r = ClientRect();
    if (hot || FDown)
        DrawFrame3D(c, r, FDown ? FBorderShadow : FBorderHighlight, FDown ? FBorderHighlight : FBorderShadow, 1);
    TRect text = FTextRect, glyph = FGlyphRect;
    if (FDown) {
        text = TRect(text.Left + 1, text.Top + 1, text.Right + 1, text.Bottom + 1);
        glyph = TRect(glyph.Left + 1, glyph.Top + 1, glyph.Right + 1, glyph.Bottom + 1);
    }
    c->Brush()->SetStyle(bsClear);
    if (!Enabled())
        c->Font()->SetColor(DisabledText);
    c->DrawText(Caption(), text, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    if (!FGlyph->Empty()) {
        c->Brush()->SetStyle(bsClear);
        c->BrushCopy(glyph, FGlyph.get(), BitmapRect(FGlyph.get()), FGlyph->TransparentColor());
    }
    TOwGraphicImageControl::Paint();
}
