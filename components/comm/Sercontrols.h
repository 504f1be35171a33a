#pragma once
// Base of the component family's windowless controls: an update counter, size
// adjustment and notifications of the mouse, the font and the text.
#include "platform/forms/Controls.h"

class TSerGraphicControl : public TGraphicControl {
public:
    explicit TSerGraphicControl(TComponent* AOwner) : TGraphicControl(AOwner) {}

    bool Designing() const { return ComponentStateHas(csDesigning); }
    bool Loading() const { return ComponentStateHas(csLoading); }

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    void CMMouseEnter() override;
    void CMMouseLeave() override;
    void CMFontChanged() override;
    void CMTextChanged() override;

    // Mouse entered and left are TControl's OnMouseEnter and OnMouseLeave.
    TNotifyEvent OnFontChanged;
    TNotifyEvent OnTextChanged;

protected:
    // Repaints unless loading or inside BeginUpdate/EndUpdate.
    virtual void UpdateControlCanvas();
    virtual void UpdateControlBounds();
    virtual void AdjustControlSize();
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    virtual void FontChanged() { FireEvent(OnFontChanged, this); }
    virtual void TextChanged() { FireEvent(OnTextChanged, this); }

    void ClearClientCanvas();
    void ShowDesignFrame(TCanvas* ACanvas);

private:
    int FUpdateCount = 0;
};
