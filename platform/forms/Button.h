#pragma once
// TButton: a push button. Default: Enter on the form clicks it; Cancel: Esc does.
// A ModalResult other than mrNone closes a modal form with that result.
#include "platform/forms/Controls.h"

class TButton : public TCustomControl {
public:
    explicit TButton(TComponent* AOwner);

    bool Default() const { return FDefault; }
    void SetDefault(bool v);
    bool Cancel() const { return FCancel; }
    void SetCancel(bool v) { FCancel = v; }
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult v) { FModalResult = v; }

    void Click() override;
    bool CMDialogKey(Word Key, TShiftState Shift) override;
    void DoEnter() override;
    void DoExit() override;

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;

    bool FDefault = false;
    bool FCancel = false;
    TModalResult FModalResult = mrNone;
    bool FPressed = false;
    bool FSpaceDown = false;
};
