#include "platform/forms/CheckBox.h"

#include "platform/forms/Form.h"

TButtonControl::TButtonControl(TComponent* AOwner) : TCustomControl(AOwner)
{
    // A click toggles the mark; the change of the mark fires OnClick.
    FControlStyle = csSetCaption | csDoubleClicks | csCaptureMouse | csOpaque;
    FTabStop = true;
    FParentColor = true;
}

void TButtonControl::SetAlignment(TAlignment v)
{
    if (v == FAlignment)
        return;
    FAlignment = v;
    Invalidate();
}

void TButtonControl::Click()
{
    if (!FClicksDisabled)
        TCustomControl::Click();
}

void TButtonControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        FMouseDown = true;
        if (CanFocus() && GetParentForm(this))
            SetFocus();
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TButtonControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const bool toggle = Button == mbLeft && FMouseDown && ClientRect().Contains(TPoint(X, Y));
    if (Button == mbLeft)
        FMouseDown = false;
    if (toggle)
        Toggle();
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TButtonControl::KeyUp(Word& Key, TShiftState Shift)
{
    TCustomControl::KeyUp(Key, Shift);
    if (Key == VK_SPACE)
        Toggle();
}

void TButtonControl::PaintMark(bool round, TCheckBoxState state)
{
    TCanvas* c = Canvas();
    const TRect cr = ClientRect();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FColor);
    c->FillRect(cr);
    const int size = 13;
    const int top = (cr.Height() - size) / 2;
    const int left = FAlignment == taRightJustify ? 0 : cr.Width() - size;
    TRect box(left, top, left + size, top + size);
    if (!round) {
        TRect e = box;
        c->DrawEdge(e, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
        c->Brush()->SetColor(FEnabled && state != cbGrayed ? clWindow : clBtnFace);
        c->FillRect(e);
        if (state != cbUnchecked) {
            // The classic tick: a 7-pixel wide, 3-pixel thick hook.
            c->Brush()->SetColor(FEnabled && state == cbChecked ? clWindowText : clGrayText);
            const int x = e.Left + 1, y = e.Top + 3;
            for (int i = 0; i < 7; ++i) {
                const int yy = i < 3 ? y + 2 + i : y + 4 - (i - 2);
                c->FillRect(TRect(x + i, yy, x + i + 1, yy + 3));
            }
        }
    } else {
        c->Pen()->SetWidth(1);
        c->Pen()->SetColor(clBtnShadow);
        c->Brush()->SetColor(FEnabled ? clWindow : clBtnFace);
        c->Ellipse(box.Left, box.Top, box.Right - 1, box.Bottom - 1);
        c->Brush()->SetStyle(bsClear);
        c->Pen()->SetColor(clBtnHighlight);
        c->Arc(box.Left, box.Top, box.Right, box.Bottom, box.Right, box.Top, box.Left, box.Bottom);
        c->Pen()->SetColor(cl3DDkShadow);
        c->Arc(box.Left + 1, box.Top + 1, box.Right - 2, box.Bottom - 2, box.Left, box.Bottom, box.Right, box.Top);
        if (state == cbChecked) {
            c->Brush()->SetStyle(bsSolid);
            c->Brush()->SetColor(FEnabled ? clWindowText : clGrayText);
            c->Pen()->SetColor(FEnabled ? clWindowText : clGrayText);
            c->Ellipse(box.Left + 4, box.Top + 4, box.Left + 9, box.Top + 9);
        }
    }
    c->Font()->Assign(FFont.get());
    if (!FEnabled)
        c->Font()->SetColor(clGrayText);
    c->Brush()->SetStyle(bsClear);
    TRect tr = FAlignment == taRightJustify ? TRect(size + 4, 0, cr.Right, cr.Bottom) : TRect(0, 0, cr.Right - size - 4, cr.Bottom);
    TRect calc = tr;
    c->DrawText(FText, calc, DT_SINGLELINE | DT_CALCRECT);
    c->DrawText(FText, tr, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (Focused() && !FText.empty()) {
        const int th = calc.Height();
        const TRect f(tr.Left - 1, (cr.Height() - th) / 2 - 1, tr.Left + calc.Width() + 1, (cr.Height() - th) / 2 + th + 1);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(FColor);
        c->Font()->SetColor(clBtnText);
        c->DrawFocusRect(f);
    }
}

TCheckBox::TCheckBox(TComponent* AOwner) : TButtonControl(AOwner) { SetBounds(0, 0, 97, 17); }

void TCheckBox::SetState(TCheckBoxState v)
{
    if (v == FState)
        return;
    FState = v;
    Invalidate();
    Click();
}

void TCheckBox::Toggle()
{
    switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TCheckBox::Paint() { PaintMark(false, FState); }

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) { SetBounds(0, 0, 113, 17); }

void TRadioButton::SetChecked(bool v)
{
    if (v == FChecked)
        return;
    FChecked = v;
    FTabStop = v;
    Invalidate();
    if (v) {
        if (FParent)
            for (int i = 0; i < FParent->ControlCount(); ++i)
                if (auto* r = dynamic_cast<TRadioButton*>(FParent->Controls(i)); r && r != this)
                    r->SetChecked(false);
        Click();
    }
}

void TRadioButton::Toggle() { SetChecked(true); }

bool TRadioButton::WantsKey(Word Key, TShiftState Shift) const { return TButtonControl::WantsKey(Key, Shift); }

void TRadioButton::Paint() { PaintMark(true, FChecked ? cbChecked : cbUnchecked); }
