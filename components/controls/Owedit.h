#pragma once
// Single-line edits in the look of a lit display (lime on black): the base, an edit that
// takes only listed characters, and a number edit with a range, fixed decimals, a sign
// the minus key toggles and restore on Escape.
#include <functional>

#include "platform/forms/Edit.h"

using TOwErrorEvent = std::function<void(TObject* Sender, bool& CanExit)>;

class TOwCustomEdit : public TCustomEdit {
public:
    explicit TOwCustomEdit(TComponent* AOwner);
    void SetAlignment(TAlignment v) { TCustomEdit::SetAlignment(v); }
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    void CMMouseEnter() override;
    void CMMouseLeave() override;
    void DoEnter() override;
};

class TOwStrEdit : public TOwCustomEdit {
public:
    explicit TOwStrEdit(TComponent* AOwner) : TOwCustomEdit(AOwner) {}
    const AnsiString& ValidKeys() const { return FValidKeys; }
    void SetValidKeys(const AnsiString& v);

protected:
    void KeyPress(char& Key) override;

private:
    AnsiString FValidKeys;
};

class TOwNumEdit : public TOwCustomEdit {
public:
    explicit TOwNumEdit(TComponent* AOwner) : TOwCustomEdit(AOwner) {}
    double MinValue() const { return FMinValue; }
    void SetMinValue(double v);
    double MaxValue() const { return FMaxValue; }
    void SetMaxValue(double v);
    int Decimals() const { return FDecimals; }
    void SetDecimals(int v);
    bool RestoreOnEsc = false;
    // MinValue for an empty text; a text that is no number raises EConvertError.
    double Value() const;
    void SetValue(double v);
    TOwErrorEvent OnError;
    virtual void Validate();
    void DoEnter() override;
    void DoExit() override;
    // Every paste comes here: only a text the keys could have typed gets in.
    void PasteFromClipboard() override;

protected:
    void KeyPress(char& Key) override;
    bool WantsKey(Word Key, TShiftState Shift) const override;

private:
    bool Acceptable(const AnsiString& S) const;
    double FMinValue = 0.0;
    double FMaxValue = 9999.0;
    int FDecimals = 0;
    AnsiString FSaved;
};
