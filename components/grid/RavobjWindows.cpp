#include "components/grid/RavobjWindows.h"

#include "platform/graphics/Canvas.h"

TArrowWindow::TArrowWindow(TComponent* AOwner, TArrowDirection Direction)
    : TCustomControl(AOwner), FDirection(Direction)
{
    switch (Direction) {
    case arrUp: FOutline = {{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}}; break;
    case arrDown: FOutline = {{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}}; break;
    case arrLeft: FOutline = {{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}}; break;
    case arrRight: FOutline = {{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}}; break;
    }
    if (auto* parent = dynamic_cast<TWinControl*>(AOwner))
        SetParent(parent);
    SetColor(clLime);
    SetVisible(false);
    SetBounds(0, 0, 11, 11);
}

// Without window regions the outline is painted: the arrow in lime, the rest
// of the small window in the parent's colour.
void TArrowWindow::Paint()
{
    TCanvas* cv = Canvas();
    cv->Brush()->SetColor(Parent() ? Parent()->Color() : clBtnFace);
    cv->FillRect(TRect(0, 0, Width(), Height()));
    cv->Brush()->SetColor(Color());
    cv->Pen()->SetColor(Color());
    cv->Polygon(FOutline);
}

TPopupButton::TPopupButton(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetColor(clBtnFace);
    SetEnabled(false);
    SetVisible(false);
}

void TPopupButton::SetFlat(bool Value)
{
    if (Value == FFlat)
        return;
    FFlat = Value;
    Invalidate();
}

void TPopupButton::Paint()
{
    TCanvas* cv = Canvas();
    TRect r(0, 0, Width(), Height());
    cv->Brush()->SetColor(Color());
    cv->FillRect(r);
    if (!FFlat) {
        cv->Pen()->SetColor(clWhite);
        cv->MoveTo(r.Left, r.Bottom - 1);
        cv->LineTo(r.Left, r.Top);
        cv->LineTo(r.Right - 1, r.Top);
        cv->Pen()->SetColor(TColorOf(0x808080));
        cv->LineTo(r.Right - 1, r.Bottom - 1);
        cv->LineTo(r.Left, r.Bottom - 1);
    }
    cv->Font()->Assign(Font());
    cv->SetBkMode(bkTransparent);
    cv->DrawText(Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}
