#pragma once
// Bases of the owner-drawn controls: an update counter that holds back repaints, a
// repaint on every property change, mouse enter/leave, font and text hooks, and (image
// controls) painting through an off-screen bitmap that may carry the parent's image.
#include <memory>

#include "components/controls/Owcontrols.h"
#include "platform/forms/Controls.h"
#include "platform/graphics/Bitmap.h"

// What the windowed and the windowless owner-drawn controls share.
template <class TBase>
class TOwControlCommon : public TBase {
public:
    explicit TOwControlCommon(TComponent* AOwner) : TBase(AOwner) {}
    AnsiString Version() const { return OwVersion; }
    void SetVersion(const AnsiString&) {}

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    bool Designing() const { return this->ComponentStateHas(csDesigning); }
    bool Loading() const { return this->ComponentStateHas(csLoading); }
    void ClearClientCanvas();

    TNotifyEvent OnFontChanged;
    TNotifyEvent OnTextChanged;

    void CMMouseEnter() override;
    void CMMouseLeave() override;
    void CMFontChanged() override;
    void CMTextChanged() override;

protected:
    // Repaints unless loading or inside BeginUpdate/EndUpdate.
    virtual void UpdateControlCanvas();
    // Raise OnMouseEnter / OnMouseLeave; a descendant takes its hot state before calling them.
    virtual void MouseEnter() { FireEvent(this->OnMouseEnter, this); }
    virtual void MouseLeave() { FireEvent(this->OnMouseLeave, this); }
    virtual void FontChanged() { FireEvent(OnFontChanged, this); }
    virtual void TextChanged() { FireEvent(OnTextChanged, this); }

    int FUpdateCount = 0;
};

extern template class TOwControlCommon<TCustomControl>;
extern template class TOwControlCommon<TGraphicControl>;

class TOwCustomControl : public TOwControlCommon<TCustomControl> {
public:
    using TOwControlCommon::TOwControlCommon;
};

class TOwCustomImageControl : public TOwCustomControl {
public:
    explicit TOwCustomImageControl(TComponent* AOwner);
    TCanvas* BitmapCanvas() const { return FBitmap->Canvas(); }

protected:
    void Paint() override;
    virtual void ClearBitmapCanvas();

    std::unique_ptr<TBitmap> FBitmap;
};

class TOwGraphicControl : public TOwControlCommon<TGraphicControl> {
public:
    using TOwControlCommon::TOwControlCommon;
    // The dotted frame that shows a control at design time; nothing at run time.
    void ShowDesignFrame(TCanvas* ACanvas);

protected:
    // Re-lays out an auto-sized control (its natural size), else repaints.
    virtual void UpdateControlBounds();
    virtual void AdjustControlSize();
};

class TOwGraphicImageControl : public TOwGraphicControl {
public:
    explicit TOwGraphicImageControl(TComponent* AOwner);
    ~TOwGraphicImageControl() override;

    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    TCanvas* BitmapCanvas() const { return FBitmapImage->Canvas(); }
    TBitmap* BitmapImage() const { return FBitmapImage.get(); }
    TBitmap* ParentImage() const { return FParentImage.get(); }
    bool CaptureParent() const { return FCaptureParent; }

protected:
    // Copies the off-screen image to the screen; descendants draw first, then call it.
    void Paint() override;
    void UpdateControlCanvas() override;
    // Sizes the off-screen image and fills it with Color, or with the parent's image.
    virtual void ClearBitmapCanvas();
    void CopyParentImage();
    void CopyOverlayImage();

    std::unique_ptr<TBitmap> FParentImage;
    std::unique_ptr<TBitmap> FBitmapImage;
    bool FCaptureParent = true;
    bool FTransparent = false;
};
