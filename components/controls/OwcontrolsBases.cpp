#include "components/controls/OwcontrolsBases.h"

// ---------------------------------------------------------------- both kinds

template <class TBase>
void TOwControlCommon<TBase>::EndUpdate()
{
    // A stray EndUpdate must not leave the counter below zero: it would never paint again.
    if (FUpdateCount > 0)
        --FUpdateCount;
    UpdateControlCanvas();
}

template <class TBase>
void TOwControlCommon<TBase>::UpdateControlCanvas()
{
    if (Loading() || FUpdateCount != 0)
        return;
    this->Repaint();
}

template <class TBase>
void TOwControlCommon<TBase>::ClearClientCanvas()
{
    TCanvas* c = this->Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(this->Color());
    c->FillRect(this->ClientRect());
}

// The library's handlers do nothing but raise the events; MouseEnter and MouseLeave raise
// them here, so that a descendant's hot state is in place when a handler runs.
template <class TBase>
void TOwControlCommon<TBase>::CMMouseEnter()
{
    MouseEnter();
}

template <class TBase>
void TOwControlCommon<TBase>::CMMouseLeave()
{
    MouseLeave();
}

template <class TBase>
void TOwControlCommon<TBase>::CMFontChanged()
{
    TBase::CMFontChanged();
    FontChanged();
}

template <class TBase>
void TOwControlCommon<TBase>::CMTextChanged()
{
    TBase::CMTextChanged();
    TextChanged();
}

template class TOwControlCommon<TCustomControl>;
template class TOwControlCommon<TGraphicControl>;

// ---------------------------------------------------------------- custom controls

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

void TOwGraphicControl::ShowDesignFrame(TCanvas* ACanvas)
{
    if (!Designing())
        return;
    ACanvas->Pen()->SetStyle(psDot);
    ACanvas->Pen()->SetColor(clBlack);
    ACanvas->Brush()->SetStyle(bsClear);
    ACanvas->Rectangle(0, 0, Width(), Height());
}

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
