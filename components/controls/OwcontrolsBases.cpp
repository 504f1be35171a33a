#include "components/controls/OwcontrolsBases.h"

// ---------------------------------------------------------------- custom controls

void TOwCustomControl::EndUpdate()
{
    --FUpdateCount;
    UpdateControlCanvas();
}

void TOwCustomControl::UpdateControlCanvas()
{
    if (Loading() || FUpdateCount != 0)
        return;
    Repaint();
}

void TOwCustomControl::ClearClientCanvas()
{
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
}

void TOwCustomControl::CMMouseEnter()
{
    TCustomControl::CMMouseEnter();
    MouseEnter();
}

void TOwCustomControl::CMMouseLeave()
{
    TCustomControl::CMMouseLeave();
    MouseLeave();
}

void TOwCustomControl::CMFontChanged()
{
    TCustomControl::CMFontChanged();
    FontChanged();
}

void TOwCustomControl::CMTextChanged()
{
    TCustomControl::CMTextChanged();
    TextChanged();
}

void TOwCustomControl::MouseEnter() {}
void TOwCustomControl::MouseLeave() {}
void TOwCustomControl::FontChanged() { FireEvent(OnFontChanged, this); }
void TOwCustomControl::TextChanged() { FireEvent(OnTextChanged, this); }

TOwCustomImageControl::TOwCustomImageControl(TComponent* AOwner)
    : TOwCustomControl(AOwner), FBitmap(std::make_unique<TBitmap>())
{
}

void TOwCustomImageControl::ClearBitmapCanvas()
{
    FBitmap->SetSize(Width(), Height());
    TCanvas* c = FBitmap->Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color());
    c->FillRect(TRect(0, 0, Width(), Height()));
}

void TOwCustomImageControl::Paint()
{
    const TRect r(0, 0, Width(), Height());
    const TCopyMode mode = Canvas()->CopyMode();
    Canvas()->SetCopyMode(SRCCOPY);
    Canvas()->CopyRect(r, FBitmap->Canvas(), r);
    Canvas()->SetCopyMode(mode);
}

// ---------------------------------------------------------------- graphic controls

void TOwGraphicControl::EndUpdate()
{
    --FUpdateCount;
    UpdateControlCanvas();
}

void TOwGraphicControl::UpdateControlCanvas()
{
    if (Loading() || FUpdateCount != 0)
        return;
    Repaint();
}

void TOwGraphicControl::UpdateControlBounds()
{
    if (!AutoSize() || Align() == alClient || Align() == alCustom) {
        UpdateControlCanvas();
        return;
    }
    AdjustControlSize();
}

void TOwGraphicControl::AdjustControlSize()
{
    if (Loading())
        return;
    const TRect before = BoundsRect();
    SetBounds(Left(), Top(), Width(), Height());
    // A changed size repaints by itself.
    if (BoundsRect() == before)
        UpdateControlCanvas();
}

void TOwGraphicControl::ClearClientCanvas()
{
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
}

void TOwGraphicControl::ShowDesignFrame(TCanvas* ACanvas)
{
    if (!Designing())
        return;
    ACanvas->Pen()->SetStyle(psDot);
    ACanvas->Pen()->SetColor(clBlack);
    ACanvas->Brush()->SetStyle(bsClear);
    ACanvas->Rectangle(0, 0, Width(), Height());
}

void TOwGraphicControl::CMMouseEnter()
{
    TGraphicControl::CMMouseEnter();
    MouseEnter();
}

void TOwGraphicControl::CMMouseLeave()
{
    TGraphicControl::CMMouseLeave();
    MouseLeave();
}

void TOwGraphicControl::CMFontChanged()
{
    TGraphicControl::CMFontChanged();
    FontChanged();
}

void TOwGraphicControl::CMTextChanged()
{
    TGraphicControl::CMTextChanged();
    TextChanged();
}

void TOwGraphicControl::MouseEnter() {}
void TOwGraphicControl::MouseLeave() {}
void TOwGraphicControl::FontChanged() { FireEvent(OnFontChanged, this); }
void TOwGraphicControl::TextChanged() { FireEvent(OnTextChanged, this); }

// ---------------------------------------------------------------- image controls

TOwGraphicImageControl::TOwGraphicImageControl(TComponent* AOwner)
    : TOwGraphicControl(AOwner), FParentImage(std::make_unique<TBitmap>()), FBitmapImage(std::make_unique<TBitmap>())
{
}

TOwGraphicImageControl::~TOwGraphicImageControl() = default;

void TOwGraphicImageControl::SetTransparent(bool v)
{
    if (v == FTransparent)
        return;
    FTransparent = v;
    if (v)
        SetControlStyle(ControlStyle() & ~csOpaque);
    else
        SetControlStyle(ControlStyle() | csOpaque);
    if (Designing())
        Invalidate();
    else
        UpdateControlCanvas();
}

void TOwGraphicImageControl::ClearBitmapCanvas()
{
    FBitmapImage->SetSize(Width(), Height());
    TCanvas* c = FBitmapImage->Canvas();
    c->Brush()->SetStyle(bsSolid);
    if (!FTransparent) {
        c->Brush()->SetColor(Color());
        c->FillRect(TRect(0, 0, Width(), Height()));
        return;
    }
    if (FCaptureParent)
        CopyParentImage();
    CopyOverlayImage();
}

void TOwGraphicImageControl::CopyParentImage()
{
    // At this point the control's canvas holds what the parent painted beneath it.
    FParentImage->SetSize(Width(), Height());
    const TRect clip = Canvas()->ClipRect();
    FParentImage->Canvas()->CopyRect(clip, Canvas(), clip);
}

void TOwGraphicImageControl::CopyOverlayImage()
{
    const TRect r(0, 0, FBitmapImage->Width(), FBitmapImage->Height());
    FBitmapImage->Canvas()->SetCopyMode(SRCCOPY);
    FBitmapImage->Canvas()->CopyRect(r, FParentImage->Canvas(), r);
}

void TOwGraphicImageControl::Paint()
{
    const TRect r(0, 0, Width(), Height());
    Canvas()->SetCopyMode(SRCCOPY);
    Canvas()->CopyRect(r, FBitmapImage->Canvas(), r);
    if (FTransparent) {
        FCaptureParent = true;
        SetControlStyle(ControlStyle() & ~csOpaque);
    }
}

void TOwGraphicImageControl::UpdateControlCanvas()
{
    // A change of the control's own: repaint it alone over the parent image kept last time.
    if (!Designing() && FTransparent && !FParentImage->Empty()) {
        FCaptureParent = false;
        SetControlStyle(ControlStyle() | csOpaque);
    }
    TOwGraphicControl::UpdateControlCanvas();
}
