// The bitmap check box and radio button.
#include <algorithm>

#include "components/controls/OwclassesProps.h"
#include "components/controls/Owdesign.h"
#include "components/controls/Owsystem.h"
#include "components/controls/Owsysutils.h"
#include "platform/graphics/Canvas.h"

TOwBitmapToggle::TOwBitmapToggle(TComponent* AOwner)
    : TOwCustomImageControl(AOwner), FNumGlyphs(3), FFont3D(std::make_unique<TOwFont3D>()),
      FLink(std::make_unique<TOwChangeLink>())
{
    SetControlStyle((ControlStyle() | csSetCaption | csOpaque) & ~csDoubleClicks);
    SetBounds(0, 0, 140, 17);
    SetTabStop(false);
    FFont3D->OnChange = [this](TObject*) { Invalidate(); };
    FLink->OnChange = [this](TObject*) { CalcPaintParams(true); };
}

TOwBitmapToggle::~TOwBitmapToggle()
{
    FFont3D->OnChange = nullptr;
    if (FBitmapList)
        FBitmapList->RemoveLink(FLink.get());
}

void TOwBitmapToggle::SetFont3D(TOwFont3D* v) { FFont3D->Assign(v); }

void TOwBitmapToggle::SetBitmapList(TOwBitmapList* v)
{
    if (FBitmapList)
        FBitmapList->RemoveLink(FLink.get());
    FBitmapList = v;
    if (v) {
        v->InsertLink(FLink.get());
        v->FreeNotification(this);
    }
    CalcPaintParams(true);
}

void TOwBitmapToggle::Notification(TComponent* AComponent, TOperation Operation)
{
    TOwCustomImageControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FBitmapList) {
        FBitmapList = nullptr;
        CalcPaintParams(true);
    }
}

TBitmap* TOwBitmapToggle::ListBitmap(int Index) const
{
    return FBitmapList ? FBitmapList->GetBitmap(Index) : nullptr;
}

void TOwBitmapToggle::CalcPaintParams(bool Repaint)
{
    // The glyph area is the larger frame of the enabled and the disabled strip.
    int gw = 0, gh = 0;
    const int frames = std::max(1, FNumGlyphs);
    for (TBitmap* s : {ListBitmap(FEnabledGlyphIndex), ListBitmap(FDisabledGlyphIndex)})
        if (s) {
            gw = std::max(gw, s->Width() / frames);
            gh = std::max(gh, s->Height());
        }
    TCanvas* c = BitmapCanvas();
    c->Font()->Assign(Font());
    TPoint pos;
    CalcImageTextLayout(c, ClientRect(), TPoint(1, 1), Caption(), cfImageTextLayout[FLayout], FMargin, FSpacing,
                        TPoint(gw, gh), pos, FTextRect);
    FGlyphRect = TRect(pos.x, pos.y, pos.x + gw, pos.y + gh);
    if (Repaint)
        Invalidate();
}

void TOwBitmapToggle::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TOwCustomImageControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FFont3D)
        CalcPaintParams(true);
}

void TOwBitmapToggle::CMTextChanged()
{
    TOwCustomImageControl::CMTextChanged();
    CalcPaintParams(true);
}

void TOwBitmapToggle::CMFontChanged()
{
    TOwCustomImageControl::CMFontChanged();
    CalcPaintParams(true);
}

void TOwBitmapToggle::CMEnabledChanged()
{
    TOwCustomImageControl::CMEnabledChanged();
    Invalidate();
}

void TOwBitmapToggle::DoEnter()
{
    TOwCustomImageControl::DoEnter();
    Invalidate();
}

void TOwBitmapToggle::DoExit()
{
    TOwCustomImageControl::DoExit();
    Invalidate();
}

void TOwBitmapToggle::Paint()
{
    ClearBitmapCanvas();
    TCanvas* c = BitmapCanvas();
    const TRect client = ClientRect();
    if (TBitmap* t = ListBitmap(FTextureIndex)) {
        if (FTextureStretch)
            c->CopyRect(client, t->Canvas(), BitmapRect(t));
        else
            DrawTiledBitmap(c, client, t);
    }
    TBitmap* enabled = ListBitmap(FEnabledGlyphIndex);
    TBitmap* disabled = ListBitmap(FDisabledGlyphIndex);
    TBitmap* strip = Enabled() || !disabled ? enabled : disabled;
    const int frame = FrameIndex();
    if (strip && FNumGlyphs > 0 && frame < FNumGlyphs) {
        const int fw = strip->Width() / FNumGlyphs, fh = strip->Height();
        const int x = FGlyphRect.Left + (FGlyphRect.Width() - fw) / 2;
        const int y = FGlyphRect.Top + (FGlyphRect.Height() - fh) / 2;
        c->Brush()->SetStyle(bsClear);
        c->BrushCopy(TRect(x, y, x + fw, y + fh), strip, TRect(frame * fw, 0, frame * fw + fw, fh), FTransparentColor);
    }
    c->Font()->Assign(Font());
    FFont3D->Paint(c, FTextRect, Caption(), DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (Focused() && FFocusOffset >= 0) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(FFocusColor);
        c->FrameRect(TRect(client.Left + FFocusOffset, client.Top + FFocusOffset, client.Right - FFocusOffset,
                           client.Bottom - FFocusOffset));
    }
    TOwCustomImageControl::Paint();
}

void TOwBitmapToggle::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TOwCustomImageControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    if ((TabStop() || FocusOnAnyPress()) && CanFocus())
        SetFocus();
    FPressed = true;
}

void TOwBitmapToggle::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FPressed) {
        FPressed = false;
        if (X >= 0 && Y >= 0 && X < Width() && Y < Height())
            Activate();
    }
    TOwCustomImageControl::MouseUp(Button, Shift, X, Y);
}

void TOwBitmapToggle::KeyPress(char& Key)
{
    if (Key == ' ')
        Activate();
    TOwCustomImageControl::KeyPress(Key);
}

// ---------------------------------------------------------------- check box

TOwBitmapCheckBox::TOwBitmapCheckBox(TComponent* AOwner) : TOwBitmapToggle(AOwner) {}

void TOwBitmapCheckBox::SetState(TOwCheckBoxState v)
{
    if (v == FState)
        return;
    FState = v;
    Invalidate();
    Changed();
}

void TOwBitmapCheckBox::Toggle()
{
    switch (FState) {
    case vcbUnchecked:
        SetState(AllowGrayed ? vcbGrayed : vcbChecked);
        break;
    case vcbChecked:
        SetState(vcbUnchecked);
        break;
    case vcbGrayed:
        SetState(vcbChecked);
        break;
    }
}

// ---------------------------------------------------------------- radio button

TOwBitmapRadioButton::TOwBitmapRadioButton(TComponent* AOwner) : TOwBitmapToggle(AOwner) { SetNumGlyphsDefault(2); }

void TOwBitmapRadioButton::SetChecked(bool v)
{
    if (v == FChecked)
        return;
    FChecked = v;
    SetTabStop(v); // the checked one of a group is its tab stop
    if (v && Parent())
        for (int i = 0; i < Parent()->ControlCount(); ++i)
            if (auto* r = dynamic_cast<TOwBitmapRadioButton*>(Parent()->Controls(i)); r && r != this)
                r->SetChecked(false);
    Invalidate();
    Changed();
}

bool TOwBitmapToggle::CMDialogChar(char Key)
{
    if (!IsAccel(Key, Caption()) || !CanFocus())
        return TOwCustomImageControl::CMDialogChar(Key);
    SetFocus();
    if (AccelActivates() && Focused())
        Activate();
    return true;
}
