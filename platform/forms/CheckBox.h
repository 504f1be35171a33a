#pragma once
// TCheckBox and TRadioButton: a box or circle with a caption. Changing Checked (by the
// user or by code) fires OnClick; a checked radio button unchecks its siblings.
#include "platform/forms/Controls.h"

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TButtonControl : public TCustomControl {
public:
    explicit TButtonControl(TComponent* AOwner);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    // What a click or Space does.
    virtual void Toggle() = 0;
    void PaintMark(bool round, TCheckBoxState state);
    void Click() override;
    TAlignment FAlignment = taRightJustify;
    bool FClicksDisabled = false;
    bool FMouseDown = false;
};

class TCheckBox : public TButtonControl {
public:
    explicit TCheckBox(TComponent* AOwner);

    bool Checked() const { return FState == cbChecked; }
    void SetChecked(bool v) { SetState(v ? cbChecked : cbUnchecked); }
    TCheckBoxState State() const { return FState; }
    void SetState(TCheckBoxState v);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool v) { FAllowGrayed = v; }

protected:
    void Paint() override;
    void Toggle() override;
    TCheckBoxState FState = cbUnchecked;
    bool FAllowGrayed = false;
};

class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent* AOwner);

    bool Checked() const { return FChecked; }
    void SetChecked(bool v);

protected:
    void Paint() override;
    void Toggle() override;
    bool WantsKey(Word Key, TShiftState Shift) const override;
    bool FChecked = false;
};
