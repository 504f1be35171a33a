#pragma once
// TPanel: a container with bevels and a centred caption.
#include "platform/forms/Controls.h"

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
using TPanelBevel = TBevelCut;

class TCustomPanel : public TCustomControl {
public:
    explicit TCustomPanel(TComponent* AOwner);

    TBevelCut BevelOuter() const { return FBevelOuter; }
    void SetBevelOuter(TBevelCut v);
    TBevelCut BevelInner() const { return FBevelInner; }
    void SetBevelInner(TBevelCut v);
    int BevelWidth() const { return FBevelWidth; }
    void SetBevelWidth(int v);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);

    TRect ClientRect() const override;

protected:
    void Paint() override;
    int NonClientWidth() const override { return FBorderStyle == bsSingle ? (FCtl3D ? 2 : 1) : 0; }
    void AlignControls(TControl* AControl, TRect& Rect) override;

    TBevelCut FBevelOuter = bvRaised;
    TBevelCut FBevelInner = bvNone;
    int FBevelWidth = 1;
    TBorderStyle FBorderStyle = bsNone;
    TAlignment FAlignment = taCenter;
};

class TPanel : public TCustomPanel {
public:
    explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};
