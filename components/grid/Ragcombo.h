#pragma once
// The grid's combo box: the class library's combo box with a flat look. The
// 3-D frame is replaced by a thin border that shows a sunken edge only while
// the mouse is over the control or it has the focus, and the drop-down button
// is drawn by the control itself.
#include "platform/forms/ComboBox.h"

class TRAGCustomCombo : public TCustomComboBox {
public:
    explicit TRAGCustomCombo(TComponent* AOwner);

    bool AutoFocus() const { return FAutoFocus; }
    void SetAutoFocus(bool Value) { FAutoFocus = Value; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool Etched() const { return FEtched; }
    void SetEtched(bool Value);
    // Accepted from 14 to 32 pixels.
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int Value);
    bool FocusBorder() const { return FFocusBorder; }
    void SetFocusBorder(bool Value) { FFocusBorder = Value; }
    // Width of the dropped list (0: as wide as the control).
    int DropWidth() const { return FDropWidth; }
    void SetDropWidth(int Value);
    // Draw the drop button with the visual styles; the owner sets it when they are active.
    bool IsWinXP = false;

    bool MouseInControl() const { return FMouseInControl; }
    bool Is3DBorderControl() const;
    bool Is3DBorderButton() const;

    void CMMouseEnter() override;
    void CMMouseLeave() override;
    void CMEnabledChanged() override;
    void DoEnter() override;
    void DoExit() override;

protected:
    int NonClientWidth() const override;
    // The flat look is drawn over the native picture, covering its frame and button.
    void PaintOverlay(TCanvas* ACanvas) override;

private:
    void DrawControlBorder(TCanvas* ACanvas);
    void DrawButtonBorder(TCanvas* ACanvas);
    void PaintDropButton(TCanvas* ACanvas);

    bool FAutoFocus = false;
    bool FFlat = true;
    bool FEtched = false;
    TColor FOldColor;
    bool FOldParentColor;
    int FButtonWidth;
    bool FFocusBorder = false;
    bool FMouseInControl = false;
    int FDropWidth = 0;
};

class TRAGComboBox : public TRAGCustomCombo {
public:
    using TRAGCustomCombo::TRAGCustomCombo;
};
