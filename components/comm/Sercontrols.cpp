#include "components/comm/Sercontrols.h"

#include "platform/graphics/Brush.h"
#include "platform/graphics/Pen.h"

void TSerGraphicControl::EndUpdate()
{
    // A stray EndUpdate must not leave the counter below zero: it would never paint again.
    if (FUpdateCount > 0)
        --FUpdateCount;
    UpdateControlCanvas();
}

void TSerGraphicControl::UpdateControlCanvas()
{
    if (!Loading() && FUpdateCount == 0)
        Repaint();
}

void TSerGraphicControl::UpdateControlBounds()
{
    const TAlign a = Align();
    if (AutoSize() && (a == alNone || a == alTop || a == alBottom || a == alLeft || a == alRight)) {
        const TRect before = BoundsRect();
        if (!Loading())
            SetBounds(Left(), Top(), Width(), Height()); // lets a descendant correct the size
        if (BoundsRect() == before)
            UpdateControlCanvas(); // a change has repainted already
    } else {
        UpdateControlCanvas();
    }
}

void TSerGraphicControl::AdjustControlSize()
{
    const TRect before = BoundsRect();
    if (Loading())
        return;
    SetBounds(Left(), Top(), Width(), Height());
    if (BoundsRect() == before)
        UpdateControlCanvas();
}

void TSerGraphicControl::ClearClientCanvas()
{
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
}

void TSerGraphicControl::ShowDesignFrame(TCanvas* ACanvas)
{
    if (!Designing())
        return;
    ACanvas->Pen()->SetStyle(psDot);
    ACanvas->Pen()->SetColor(clBlack);
    ACanvas->Brush()->SetStyle(bsClear);
    ACanvas->Rectangle(0, 0, Width(), Height());
}

void TSerGraphicControl::CMMouseEnter()
{
    TGraphicControl::CMMouseEnter();
    MouseEnter();
}

void TSerGraphicControl::CMMouseLeave()
{
    TGraphicControl::CMMouseLeave();
    MouseLeave();
}

void TSerGraphicControl::CMFontChanged()
{
    TGraphicControl::CMFontChanged();
    FontChanged();
}

void TSerGraphicControl::CMTextChanged()
{
    TGraphicControl::CMTextChanged();
    TextChanged();
}
