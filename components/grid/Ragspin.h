#pragma once
// The spin edit: a one-line edit holding an integer, a float, a date or a time,
// with an up/down button pair whose arrows repeat while held.
#include "platform/core/DateTime.h"
#include "platform/forms/Edit.h"
#include "platform/forms/SpeedButton.h"

class TTimer;

enum TButtonDirection { bdLeft, bdRight, bdUp, bdDown };
enum TTimeBtnStateBit : unsigned { tbFocusRect = 1u << 0, tbAllowTimer = 1u << 1 };
using TTimeBtnState = unsigned;
enum TSpinDirection { spVertical, spHorizontal };
enum TRagSpinType { sptNormal, sptFloat, sptDate, sptTime };

// A speed button that repeats its click while held: after 400 ms, then every 100 ms.
class TRavTimerSpeedButton : public TSpeedButton {
public:
    explicit TRavTimerSpeedButton(TComponent* AOwner);
    TTimeBtnState TimeBtnState() const { return FTimeBtnState; }
    void SetTimeBtnState(TTimeBtnState v) { FTimeBtnState = v; }
    TButtonDirection ButtonDirection() const { return FDirection; }
    void SetButtonDirection(TButtonDirection v);
    void SetIsWinXP(bool v) { FIsWinXP = v; }
    // The repeat timer (nullptr until the first press).
    TTimer* RepeatTimer() const { return FRepeatTimer; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    void TimerExpired();
    TTimer* FRepeatTimer = nullptr;
    TTimeBtnState FTimeBtnState = 0;
    TButtonDirection FDirection = bdUp;
    bool FIsWinXP = false;
};

class TRagSpinButton : public TWinControl {
public:
    explicit TRagSpinButton(TComponent* AOwner);
    TRavTimerSpeedButton* UpButton() const { return FUpButton; }
    TRavTimerSpeedButton* DownButton() const { return FDownButton; }
    // Transparent buttons show the pair's own background (its Color) through their faces.
    void SetButtonsTransparent(bool v);
    TRavTimerSpeedButton* FocusedButton() const { return FFocusedButton; }
    TBitmap* UpGlyph() const { return FUpButton->Glyph(); }
    void SetUpGlyph(TBitmap* Value);
    TBitmap* DownGlyph() const { return FDownButton->Glyph(); }
    void SetDownGlyph(TBitmap* Value);
    int UpNumGlyphs() const { return FUpButton->NumGlyphs(); }
    void SetUpNumGlyphs(int v) { FUpButton->SetNumGlyphs(v); }
    int DownNumGlyphs() const { return FDownButton->NumGlyphs(); }
    void SetDownNumGlyphs(int v) { FDownButton->SetNumGlyphs(v); }
    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection Value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);
    void SetIsWinXP(bool Value);
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

    TNotifyEvent OnUpClick;
    TNotifyEvent OnDownClick;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    bool WantsKey(Word Key, TShiftState Shift) const override;
    void DoEnter() override;
    void DoExit() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    TRavTimerSpeedButton* CreateButton();
    void BtnClick(TObject* Sender);
    void BtnMouseDown(TObject* Sender, TMouseButton Button);
    void SetFocusBtn(TRavTimerSpeedButton* Btn);
    void FitButtons(int& W, int& H);
    TRavTimerSpeedButton* FUpButton = nullptr;
    TRavTimerSpeedButton* FDownButton = nullptr;
    TRavTimerSpeedButton* FFocusedButton = nullptr;
    TWinControl* FFocusControl = nullptr;
    TSpinDirection FDirection = spVertical;
    bool FIsWinXP = false;
};

class TRagSpinEdit : public TCustomEdit {
public:
    explicit TRagSpinEdit(TComponent* AOwner);

    int Value() const;
    void SetValue(int v);
    double FloatValue() const;
    void SetFloatValue(double v);
    TDateTime DateValue() const;
    void SetDateValue(TDateTime v);
    TDateTime TimeValue() const;
    void SetTimeValue(TDateTime v);
    int CheckValue(int v) const;
    double CheckFloatValue(double v) const;
    TDateTime CheckDateValue(TDateTime v) const;

    int MinValue() const { return FMinValue; }
    void SetMinValue(int v) { FMinValue = v; }
    int MaxValue() const { return FMaxValue; }
    void SetMaxValue(int v) { FMaxValue = v; }
    double MinFloatValue() const { return FMinFloatValue; }
    void SetMinFloatValue(double v) { FMinFloatValue = v; }
    double MaxFloatValue() const { return FMaxFloatValue; }
    void SetMaxFloatValue(double v) { FMaxFloatValue = v; }
    TDateTime MinDateValue() const { return FMinDateValue; }
    void SetMinDateValue(TDateTime v) { FMinDateValue = v; }
    TDateTime MaxDateValue() const { return FMaxDateValue; }
    void SetMaxDateValue(TDateTime v) { FMaxDateValue = v; }
    int Increment() const { return FIncrement; }
    void SetIncrement(int v) { FIncrement = v; }
    double IncrementFloat() const { return FIncrementFloat; }
    void SetIncrementFloat(double v) { FIncrementFloat = v; }
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool v) { FEditorEnabled = v; }
    TSpinDirection Direction() const { return FDirection; }
    void SetDirection(TSpinDirection v);
    TRagSpinType SpinType() const { return FSpinType; }
    void SetSpinType(TRagSpinType v);
    int Precision() const { return FPrecision; }
    void SetPrecision(int v);
    bool ReturnIsTab() const { return FReturnIsTab; }
    void SetReturnIsTab(bool v) { FReturnIsTab = v; }
    bool SpinFlat() const { return FSpinFlat; }
    void SetSpinFlat(bool v);
    bool SpinTransparent() const { return FSpinTransparent; }
    void SetSpinTransparent(bool v);
    void SetIsWinXP(bool v);
    TRagSpinButton* Button() const { return FButton; }

    virtual void UpClick(TObject* Sender);
    virtual void DownClick(TObject* Sender);
    // The character filter of typing; may change Key.
    virtual bool IsValidChar(char& Key);
    // Clipboard, passed on only while the text may be edited.
    void PasteFromClipboard() override;
    void CutToClipboard();

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    bool WantsKey(Word Key, TShiftState Shift) const override;
    void DoEnter() override;
    void DoExit() override;
    void BoundsChanged() override;
    // The message-level arrows: Up and Down step and never reach KeyDown.
    bool StepKey(Word Key);
    void Step(int Dir);

private:
    int FMinValue = 0;
    int FMaxValue = 100;
    double FMinFloatValue = 0.0;
    double FMaxFloatValue = 100.0;
    TDateTime FMinDateValue = 0;
    TDateTime FMaxDateValue = 0;
    TDateTime FStoredDate = 0;
    TDateTime FStoredTime = 0;
    int FIncrement = 1;
    double FIncrementFloat = 0.0;
    TRagSpinButton* FButton = nullptr;
    bool FEditorEnabled = true;
    TSpinDirection FDirection = spVertical;
    TRagSpinType FSpinType = sptNormal;
    int FPrecision = 0;
    bool FReturnIsTab = false;
    bool FIsWinXP = false;
    bool FSpinFlat = false;
    bool FSpinTransparent = false;
};
