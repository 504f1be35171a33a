#pragma once
// TLabel: text painted on its parent; AutoSize (on by default) fits the text.
#include "platform/forms/Controls.h"

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout v);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool v);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* v) { FFocusControl = v; }

    bool CanAutoSize(int& NewWidth, int& NewHeight) override;
    void CMTextChanged() override;
    void CMFontChanged() override;

protected:
    void Paint() override;
    // The DrawText flags of the label's text.
    unsigned TextFlags() const;
    // Fits an AutoSize label to its text.
    void AdjustBounds();

    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
    bool FTransparent = false;
    bool FShowAccelChar = true;
    TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
public:
    explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};
