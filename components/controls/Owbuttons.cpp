#include "components/controls/Owbuttons.h"

#include <cctype>

#include "components/controls/Owsysutils.h"

TOwShadowButton::TOwShadowButton(TComponent* AOwner)
    : TOwGraphicImageControl(AOwner), FBrush(std::make_unique<TOwShadowBrush>()), FPen(std::make_unique<TOwShadowPen>())
{
    SetControlStyle((ControlStyle() | csOpaque) & ~csDoubleClicks);
    SetBounds(0, 0, 110, 30);
    Font()->SetColor(clWhite);
    SetParentColor(true);
    SetParentFont(false);
    FBrush->OnChange = [this](TObject* s) { ToolChanged(s); };
    FPen->OnChange = [this](TObject* s) { ToolChanged(s); };
}

TOwShadowButton::~TOwShadowButton()
{
    FBrush->OnChange = nullptr;
    FPen->OnChange = nullptr;
}

void TOwShadowButton::SetDepth(int v)
{
    if (v == FDepth || v < 3)
        return;
    FDepth = v;
    UpdateControlCanvas();
}

void TOwShadowButton::SetShadowColor(TColor v)
{
    if (v == FShadowColor)
        return;
    FShadowColor = v;
    UpdateControlCanvas();
}

void TOwShadowButton::SetShadowOutline(TColor v)
{
    if (v == FShadowOutline)
        return;
    FShadowOutline = v;
    UpdateControlCanvas();
}

void TOwShadowButton::SetStyle(TOwShadowButtonStyle v)
{
    if (v == FStyle)
        return;
    FStyle = v;
    UpdateControlCanvas();
}

void TOwShadowButton::SetDirection(TOwShadowDirection v)
{
    if (v == FDirection)
        return;
    FDirection = v;
    UpdateControlCanvas();
}

void TOwShadowButton::SetTextAlign(TOwTextAlignment v)
{
    if (v == FTextAlign)
        return;
    FTextAlign = v;
    UpdateControlCanvas();
}

void TOwShadowButton::SetDisabledTextColor(TColor v)
{
    if (v == FDisabledTextColor)
        return;
    FDisabledTextColor = v;
    UpdateControlCanvas();
}

void TOwShadowButton::AdjustBtnRect(TRect& R, int Amount) const
{
    int dx = Amount, dy = Amount;
    switch (FDirection) {
    case sdTopLeft:
        dx = -Amount;
        dy = -Amount;
        break;
    case sdTopRight:
        dy = -Amount;
        break;
    case sdBottomLeft:
        dx = -Amount;
        break;
    case sdBottomRight:
        break;
    }
    R = TRect(R.Left + dx, R.Top + dy, R.Right + dx, R.Bottom + dy);
}

void TOwShadowButton::Layout(TRect& Face, TRect& Shadow, TRect& Caption) const
{
    const int pw = FPen->Width();
    TRect r(pw, pw, Width() - pw, Height() - pw);
    switch (FDirection) {
    case sdTopLeft:
        r.Top += FDepth;
        r.Left += FDepth;
        break;
    case sdTopRight:
        r.Top += FDepth;
        r.Right -= FDepth;
        break;
    case sdBottomLeft:
        r.Left += FDepth;
        r.Bottom -= FDepth;
        break;
    case sdBottomRight:
        r.Right -= FDepth;
        r.Bottom -= FDepth;
        break;
    }
    Shadow = r;
    AdjustBtnRect(Shadow, FDepth);
    if (FPressed) {
        AdjustBtnRect(Shadow, -FDepthAdjust);
        AdjustBtnRect(r, FDepthAdjust);
    }
    Face = r;
    Caption = TRect(r.Left + pw, r.Top + pw, r.Right - pw, r.Bottom - pw);
}

void TOwShadowButton::Paint()
{
    ClearBitmapCanvas();
    DrawButton();
    TOwGraphicImageControl::Paint();
}

void TOwShadowButton::DrawButton()
{
    TCanvas* c = BitmapCanvas();
    TRect face, shadow, caption;
    Layout(face, shadow, caption);
    const TOwShapeType shape = FStyle == ssRectangle ? stRectangle : stRoundRect;

    c->Pen()->SetWidth(1);
    c->Pen()->SetColor(FShadowOutline);
    c->Pen()->SetMode(pmCopy);
    c->Pen()->SetStyle(psSolid);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FShadowColor);
    DrawShape(c, shape, shadow.Left, shadow.Top, shadow.Width(), shadow.Height());

    c->SetBrush(FBrush.get());
    c->SetPen(FPen.get());
    c->SetFont(Font());
    if (!Enabled())
        c->Font()->SetColor(FDisabledTextColor);
    DrawShape(c, shape, face.Left, face.Top, face.Width(), face.Height());

    c->Brush()->SetStyle(bsClear);
    TRect r = caption;
    c->DrawText(Caption(), r, cfTextAlign[FTextAlign] | DT_SINGLELINE);
    FFaceRect = caption;
}

void TOwShadowButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TOwGraphicImageControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !FFaceRect.Contains(TPoint(X, Y)))
        return;
    FTracking = true;
    FPressed = true;
    SetMouseCapture(true);
    UpdateControlCanvas();
}

void TOwShadowButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TOwGraphicImageControl::MouseMove(Shift, X, Y);
    if (!FTracking)
        return;
    const bool inside = FFaceRect.Contains(TPoint(X, Y));
    if (inside != FPressed) {
        FPressed = inside;
        UpdateControlCanvas();
    }
}

void TOwShadowButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        SetMouseCapture(false);
        const bool fire = FTracking && FPressed;
        FPressed = false;
        FTracking = false;
        if (fire) {
            UpdateControlCanvas();
            TOwGraphicImageControl::Click();
        }
    }
    TOwGraphicImageControl::MouseUp(Button, Shift, X, Y);
}

// The class library's click on release is replaced by the face test in MouseUp.
void TOwShadowButton::Click() {}

bool TOwShadowButton::CMDialogChar(char Key)
{
    if (!Enabled() || !IsAccel(Key, Caption()))
        return false;
    TOwGraphicImageControl::Click();
    return true;
}

void TOwShadowButton::CMEnabledChanged()
{
    TOwGraphicImageControl::CMEnabledChanged();
    UpdateControlCanvas();
}

void TOwShadowButton::CMTextChanged()
{
    TOwGraphicImageControl::CMTextChanged();
    UpdateControlCanvas();
}

void TOwShadowButton::CMFontChanged()
{
    TOwGraphicImageControl::CMFontChanged();
    BitmapCanvas()->SetFont(Font());
    UpdateControlCanvas();
}
