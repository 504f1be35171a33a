// The switch button with its indicator LED.
#include "components/controls/OwclassesProps.h"
#include "components/controls/Owbuttons.h"
#include "components/controls/Owsysutils.h"
#include "platform/graphics/Canvas.h"

TOwPowerButton::TOwPowerButton(TComponent* AOwner) : TOwCustomImageControl(AOwner), FPalette(std::make_unique<TOwPalette>())
{
    SetControlStyle(csCaptureMouse | csClickEvents | csSetCaption | csOpaque | csReplicatable);
    SetBounds(0, 0, 125, 25);
    SetColor(clBtnFace);
    SetParentColor(false);
    SetTabStop(false);
    FPalette->OnChange = [this](TObject*) { Invalidate(); };
    CalcPaintParams(false);
}

TOwPowerButton::~TOwPowerButton() { FPalette->OnChange = nullptr; }

void TOwPowerButton::SetActive(bool v)
{
    if (v == FActive)
        return;
    FActive = v;
    Invalidate();
}

void TOwPowerButton::SetPalette(TOwPalette* v) { FPalette->Assign(v); }

void TOwPowerButton::CalcPaintParams(bool Repaint)
{
    TCanvas* c = BitmapCanvas();
    c->Font()->Assign(Font());
    const int inset = FBevelWidth + FOutlineWidth;
    const TRect client = ClientRect();
    const TRect r(client.Left + inset, client.Top + inset, client.Right - inset, client.Bottom - inset);
    TPoint pos;
    CalcImageTextLayout(c, r, TPoint(0, 0), Caption(), cfImageTextLayout[FLayout], FMargin, FSpacing,
                        TPoint(FLedWidth, FLedHeight), pos, FTextRect);
    FLedRect = TRect(pos.x, pos.y, pos.x + FLedWidth, pos.y + FLedHeight);
    if (Repaint)
        Invalidate();
}

void TOwPowerButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    TOwCustomImageControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FPalette)
        CalcPaintParams(true);
}

void TOwPowerButton::CMTextChanged()
{
    TOwCustomImageControl::CMTextChanged();
    CalcPaintParams(true);
}

void TOwPowerButton::CMFontChanged()
{
    TOwCustomImageControl::CMFontChanged();
    CalcPaintParams(true);
}

void TOwPowerButton::CMEnabledChanged()
{
    TOwCustomImageControl::CMEnabledChanged();
    Invalidate();
}

void TOwPowerButton::DoEnter()
{
    TOwCustomImageControl::DoEnter();
    Invalidate();
}

void TOwPowerButton::DoExit()
{
    TOwCustomImageControl::DoExit();
    Invalidate();
}

void TOwPowerButton::Paint()
{
    ClearBitmapCanvas();
    TCanvas* c = BitmapCanvas();
    TRect r = ClientRect();
    const TColor outline = Focused() ? FFocusColor : FOutlineColor;
    DrawFrame3D(c, r, outline, outline, FOutlineWidth);
    if (FDown) {
        r = ClientRect();
        DrawFrame3D(c, r, FOutlineColor, FHighlightColor, FOutlineWidth);
        DrawFrame3D(c, r, FShadowColor, FOutlineColor, FBevelWidth);
    } else {
        DrawFrame3D(c, r, FHighlightColor, FShadowColor, FBevelWidth);
    }
    TRect led = FLedRect;
    DrawFrame3D(c, led, FShadowColor, FHighlightColor, 1);
    DrawFrame3D(c, led, clBlack, clBlack, 1);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Enabled() ? FPalette->GetColors(FActive ? 1 : 0) : Color());
    c->FillRect(led);
    c->Font()->Assign(Font());
    c->Brush()->SetStyle(bsClear);
    DrawButtonText(c, Caption(), FTextRect, Enabled());
    TOwCustomImageControl::Paint();
}

void TOwPowerButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        FHeld = true;
        FDown = true;
        Invalidate();
        if (TabStop() && CanFocus())
            SetFocus();
    }
    TOwCustomImageControl::MouseDown(Button, Shift, X, Y);
}

void TOwPowerButton::MouseEnter()
{
    if (FHeld)
        FDown = true;
    Invalidate();
    TOwCustomImageControl::MouseEnter();
}

void TOwPowerButton::MouseLeave()
{
    if (FHeld)
        FDown = false;
    Invalidate();
    TOwCustomImageControl::MouseLeave();
}

void TOwPowerButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    FHeld = false;
    bool click = false;
    // Dragged off with the capture held: the release outside does not toggle.
    if (FDown && (X < 0 || Y < 0 || X >= Width() || Y >= Height()))
        FDown = false;
    if (FDown) {
        FDown = false;
        SetActive(!FActive);
        click = true;
    }
    TOwCustomImageControl::MouseUp(Button, Shift, X, Y);
    if (click)
        FireEvent(OnClick, this);
}

void TOwPowerButton::KeyDown(Word& Key, TShiftState Shift)
{
    TOwCustomImageControl::KeyDown(Key, Shift);
    if (Key == VK_SPACE) {
        FDown = true;
        Invalidate();
    }
}

void TOwPowerButton::KeyUp(Word& Key, TShiftState Shift)
{
    TOwCustomImageControl::KeyUp(Key, Shift);
    if (Key == VK_SPACE) {
        SetMouseCapture(false);
        FDown = false;
        SetActive(!FActive);
        FireEvent(OnClick, this);
    }
}

// The accelerator clicks without toggling.
bool TOwPowerButton::CMDialogChar(char Key)
{
    if (!Enabled() || !IsAccel(Key, Caption()))
        return TOwCustomImageControl::CMDialogChar(Key);
    FireEvent(OnClick, this);
    return true;
}
