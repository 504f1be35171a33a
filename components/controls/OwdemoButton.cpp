// The bevelled texture button.
#include "components/controls/OwclassesProps.h"
#include "components/controls/Owbuttons.h"
#include "components/controls/Owsysutils.h"
#include "platform/graphics/Canvas.h"

TOwDemoButton::TOwDemoButton(TComponent* AOwner)
    : TOwCustomImageControl(AOwner), FBitmap(std::make_unique<TBitmap>()), FFontEnter(std::make_unique<TFont>()),
      FFontLeave(std::make_unique<TFont>()), FFont3D(std::make_unique<TOwFont3D>())
{
    SetControlStyle((ControlStyle() | csOpaque) & ~csDoubleClicks);
    SetBounds(0, 0, 150, 25);
    SetColor(clBtnFace);
    SetParentColor(false);
    for (TFont* f : {FFontEnter.get(), FFontLeave.get()}) {
        f->SetName("Arial");
        f->SetSize(12);
        f->SetStyle(fsBold);
    }
    FFontEnter->SetColor(clRed);
    FFontLeave->SetColor(clBlack);
    auto repaint = [this](TObject*) { Invalidate(); };
    FBitmap->OnChange = repaint;
    FFontEnter->OnChange = repaint;
    FFontLeave->OnChange = repaint;
    FFont3D->OnChange = repaint;
}

TOwDemoButton::~TOwDemoButton()
{
    FBitmap->OnChange = nullptr;
    FFontEnter->OnChange = nullptr;
    FFontLeave->OnChange = nullptr;
    FFont3D->OnChange = nullptr;
}

void TOwDemoButton::SetFont3D(TOwFont3D* v) { FFont3D->Assign(v); }

void TOwDemoButton::CMTextChanged()
{
    TOwCustomImageControl::CMTextChanged();
    Invalidate();
}

void TOwDemoButton::CMEnabledChanged()
{
    TOwCustomImageControl::CMEnabledChanged();
    Invalidate();
}

void TOwDemoButton::DoEnter()
{
    TOwCustomImageControl::DoEnter();
    Invalidate();
}

void TOwDemoButton::DoExit()
{
    TOwCustomImageControl::DoExit();
    Invalidate();
}

void TOwDemoButton::MouseEnter()
{
    TOwCustomImageControl::MouseEnter();
    FHot = true;
    Invalidate();
}

void TOwDemoButton::MouseLeave()
{
    TOwCustomImageControl::MouseLeave();
    FHot = false;
    Invalidate();
}

void TOwDemoButton::DoMouseDown(int X, int Y)
{
    if (!Inside(X, Y))
        return;
    FTracking = true;
    FDown = true;
    SetMouseCapture(true);
    if (TabStop() && CanFocus())
        SetFocus();
    Invalidate();
}

void TOwDemoButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TOwCustomImageControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft)
        DoMouseDown(X, Y);
}

void TOwDemoButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TOwCustomImageControl::MouseMove(Shift, X, Y);
    if (FTracking && Inside(X, Y) != FDown) {
        FDown = !FDown;
        Invalidate();
    }
}

void TOwDemoButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        SetMouseCapture(false);
        const bool fire = FTracking && FDown && Inside(X, Y);
        FDown = false;
        FTracking = false;
        if (fire) {
            Invalidate();
            FireEvent(OnClick, this);
        }
    }
    TOwCustomImageControl::MouseUp(Button, Shift, X, Y);
}

void TOwDemoButton::KeyDown(Word& Key, TShiftState Shift)
{
    TOwCustomImageControl::KeyDown(Key, Shift);
    if (!FDown && Key == VK_SPACE)
        DoMouseDown(0, 0);
}

void TOwDemoButton::KeyUp(Word& Key, TShiftState Shift)
{
    TOwCustomImageControl::KeyUp(Key, Shift);
    if (Key != VK_SPACE)
        return;
    SetMouseCapture(false);
    if (FTracking && FDown) {
        FDown = false;
        Invalidate();
        FireEvent(OnClick, this);
    }
    FTracking = false;
}

void TOwDemoButton::Paint()
{
    ClearBitmapCanvas();
    TCanvas* c = BitmapCanvas();
    TRect r = ClientRect();
    if (!FBitmap->Empty()) {
        const TRect t = FDown ? TRect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1) : r;
        DrawTiledBitmap(c, t, FBitmap.get());
    }
    r = ClientRect();
    const TColor outline = Focused() ? FFocusColor : FOutlineColor;
    DrawFrame3D(c, r, outline, outline, FOutlineWidth);
    if (FDown)
        DrawFrame3D(c, r, FShadowColor, FHighlightColor, FBevelWidth);
    else if (!FFlat || FHot)
        DrawFrame3D(c, r, FHighlightColor, FShadowColor, FBevelWidth);
    else
        r = TRect(r.Left + FBevelWidth, r.Top + FBevelWidth, r.Right - FBevelWidth, r.Bottom - FBevelWidth);
    c->Font()->Assign(FHot && Enabled() ? FFontEnter.get() : FFontLeave.get());
    if (!Enabled())
        c->Font()->SetColor(FDisabledTextColor);
    c->Brush()->SetStyle(bsClear);
    if (FDown)
        r = TRect(r.Left + 1, r.Top + 1, r.Right + 1, r.Bottom + 1);
    FFont3D->Paint(c, r, Caption(), cfTextAlign[FTextAlignment] | DT_SINGLELINE);
    TOwCustomImageControl::Paint();
}

bool TOwDemoButton::CMDialogChar(char Key)
{
    if (!Enabled() || !IsAccel(Key, Caption()))
        return TOwCustomImageControl::CMDialogChar(Key);
    FireEvent(OnClick, this);
    return true;
}
