#include "platform/forms/Button.h"

#include "platform/forms/Form.h"

TButton::TButton(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = csSetCaption | csDoubleClicks | csClickEvents | csCaptureMouse | csOpaque;
    FTabStop = true;
    SetBounds(0, 0, 75, 25);
}

void TButton::SetDefault(bool v)
{
    if (v == FDefault)
        return;
    FDefault = v;
    Invalidate();
}

void TButton::Click()
{
    if (FModalResult != mrNone)
        if (TCustomForm* f = GetParentForm(this))
            f->SetModalResult(FModalResult);
    TCustomControl::Click();
}

bool TButton::CMDialogKey(Word Key, TShiftState)
{
    if (!CanFocus())
        return false;
    // The focused button is the default one while it has the focus.
    const bool active = FDefault || Focused();
    if ((Key == VK_RETURN && active) || (Key == VK_ESCAPE && FCancel)) {
        Click();
        return true;
    }
    return false;
}

void TButton::DoEnter()
{
    TCustomControl::DoEnter();
    Invalidate();
}

void TButton::DoExit()
{
    TCustomControl::DoExit();
    Invalidate();
}

void TButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        FPressed = true;
        if (CanFocus() && GetParentForm(this))
            SetFocus();
        Invalidate();
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TButton::MouseMove(TShiftState Shift, int X, int Y)
{
    if (FControlState & csLButtonDown) {
        const bool inside = ClientRect().Contains(TPoint(X, Y));
        if (inside != FPressed) {
            FPressed = inside;
            Invalidate();
        }
    }
    TCustomControl::MouseMove(Shift, X, Y);
}

void TButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && FPressed) {
        FPressed = false;
        Invalidate();
    }
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TButton::KeyDown(Word& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    if (Key == VK_SPACE) {
        FSpaceDown = true;
        FPressed = true;
        Invalidate();
    }
}

void TButton::KeyUp(Word& Key, TShiftState Shift)
{
    TCustomControl::KeyUp(Key, Shift);
    if (Key == VK_SPACE && FSpaceDown) {
        FSpaceDown = false;
        FPressed = false;
        Invalidate();
        Click();
    }
}

void TButton::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(r);
    const bool isDefault = FDefault || Focused();
    if (isDefault) {
        c->Brush()->SetColor(clWindowFrame);
        c->FrameRect(r);
        r = TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    }
    if (FPressed) {
        c->Brush()->SetColor(clBtnShadow);
        c->FrameRect(r);
    } else {
        TRect e = r;
        c->DrawEdge(e, EDGE_RAISED, BF_RECT);
    }
    c->Font()->Assign(FFont.get());
    c->Brush()->SetStyle(bsClear);
    TRect tr = ClientRect();
    if (FPressed)
        tr = TRect(tr.Left + 1, tr.Top + 1, tr.Right + 1, tr.Bottom + 1);
    if (!FEnabled) {
        TRect s(tr.Left + 1, tr.Top + 1, tr.Right + 1, tr.Bottom + 1);
        c->Font()->SetColor(clBtnHighlight);
        c->DrawText(FText, s, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        c->Font()->SetColor(clBtnShadow);
    }
    c->DrawText(FText, tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (Focused()) {
        const TRect f(4, 4, FWidth - 4, FHeight - 4);
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(clBtnFace);
        c->Font()->SetColor(clBtnText);
        c->DrawFocusRect(f);
    }
}
