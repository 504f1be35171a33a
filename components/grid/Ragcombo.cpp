#include "components/grid/Ragcombo.h"

#include "components/grid/Ravutil.h"
#include "platform/forms/Screen.h"
#include "platform/graphics/Canvas.h"

namespace {
constexpr int kSystemVScrollWidth = 16;
}

TRAGCustomCombo::TRAGCustomCombo(TComponent* AOwner) : TCustomComboBox(AOwner)
{
    FButtonWidth = kSystemVScrollWidth + 2;
    FOldColor = Color();
    FOldParentColor = ParentColor();
    SetCtl3D(false);
}

void TRAGCustomCombo::SetFlat(bool Value)
{
    if (Value == FFlat)
        return;
    FFlat = Value;
    SetCtl3D(!Value);
    Invalidate();
}

void TRAGCustomCombo::SetEtched(bool Value)
{
    if (Value == FEtched)
        return;
    FEtched = Value;
    Invalidate();
}

void TRAGCustomCombo::SetButtonWidth(int Value)
{
    if (Value < 14 || Value > 32)
        return;
    FButtonWidth = Value;
    Invalidate();
}

void TRAGCustomCombo::SetDropWidth(int Value) { FDropWidth = Value; }

bool TRAGCustomCombo::Is3DBorderControl() const
{
    const bool active = Screen && Screen->ActiveControl() == this;
    return !ComponentStateHas(csDesigning) && (FMouseInControl || active) && FFocusBorder;
}

bool TRAGCustomCombo::Is3DBorderButton() const
{
    if (ComponentStateHas(csDesigning))
        return Enabled();
    return FMouseInControl || (Screen && Screen->ActiveControl() == this);
}

void TRAGCustomCombo::CMMouseEnter()
{
    TCustomComboBox::CMMouseEnter();
    if (!FMouseInControl && Enabled()) {
        FMouseInControl = true;
        Invalidate();
    }
    if (FAutoFocus && CanFocus())
        SetFocus();
}

void TRAGCustomCombo::CMMouseLeave()
{
    TCustomComboBox::CMMouseLeave();
    if (FMouseInControl && Enabled()) {
        FMouseInControl = false;
        Invalidate();
    }
}

void TRAGCustomCombo::CMEnabledChanged()
{
    if (FFlat) {
        if (Enabled()) {
            SetParentColor(FOldParentColor);
            SetColor(FOldColor);
        } else {
            FOldParentColor = ParentColor();
            FOldColor = Color();
            SetParentColor(true);
        }
    }
    TCustomComboBox::CMEnabledChanged();
}

void TRAGCustomCombo::DoEnter()
{
    TCustomComboBox::DoEnter();
    Invalidate();
}

void TRAGCustomCombo::DoExit()
{
    TCustomComboBox::DoExit();
    Invalidate();
}

int TRAGCustomCombo::NonClientWidth() const { return FFlat ? 0 : TCustomComboBox::NonClientWidth(); }

void TRAGCustomCombo::PaintOverlay(TCanvas* ACanvas)
{
    if (!FFlat) {
        TCustomComboBox::PaintOverlay(ACanvas);
        return;
    }
    DrawControlBorder(ACanvas);
    if (Style() != csSimple) {
        PaintDropButton(ACanvas);
        DrawButtonBorder(ACanvas);
    }
}

void TRAGCustomCombo::PaintDropButton(TCanvas* cv)
{
    // The classic flat combo button: a face with the drop arrow (no visual styles here).
    TRect r(Width() - FButtonWidth + 1, 1, Width() - 1, Height() - 1);
    cv->Brush()->SetColor(clBtnFace);
    cv->FillRect(r);
    cv->Brush()->SetColor(clBtnText);
    cv->Pen()->SetColor(clBtnText);
    DrawButtonArrow(cv, r, arrDown);
}

void TRAGCustomCombo::DrawControlBorder(TCanvas* cv)
{
    const TColor outer = Is3DBorderControl() ? clBtnFace : (Parent() ? Parent()->Color() : Color());
    TRect r(0, 0, Width(), Height());
    if (Is3DBorderControl())
        cv->DrawEdge(r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    else {
        cv->Brush()->SetColor(outer);
        cv->FrameRect(r);
        r = TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    }
    cv->Brush()->SetColor(outer);
    cv->FrameRect(r);
    r = TRect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    cv->Brush()->SetColor(Color());
    cv->FrameRect(r);
}

void TRAGCustomCombo::DrawButtonBorder(TCanvas* cv)
{
    TRect r(Width() - FButtonWidth - 2 + 2, 2, Width() - 2, Height() - 2);
    if (Is3DBorderButton())
        cv->DrawEdge(r, FEtched ? EDGE_ETCHED : EDGE_RAISED, BF_RECT | (DroppedDown() ? unsigned(BF_FLAT) : 0u));
    else {
        cv->Brush()->SetColor(clBtnFace);
        cv->FrameRect(TRect(r.Left, r.Top + 1, r.Right - 1, r.Bottom - 1));
    }
}
