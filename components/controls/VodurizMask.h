#pragma once
// TRavMaskEdit: the masked edit with the typed edit's look and feel: an attached caption
// label, focus colours, a flat or 3D border, a modified colour, a disabled colour,
// Escape undo, Enter as Tab and a move to the next control once the mask is complete.
#include <functional>
#include <memory>

#include "components/controls/VodurizTypes.h"
#include "platform/forms/Edit.h"
#include "platform/forms/Label.h"

using TMaskCompleteEvent = std::function<void(TObject* Sender, const AnsiString& Value, bool& Accept)>;

class TRavMaskEdit : public TMaskEdit {
public:
    explicit TRavMaskEdit(TComponent* AOwner);
    ~TRavMaskEdit() override;

    bool AutoFocus = false;
    bool AutoTab = true;
    bool ReturnIsTab = true;
    bool CanUndo = false;
    bool SelectFirstChar = false;
    TAlignment Alignment() const { return TCustomEdit::Alignment(); }
    void SetAlignment(TAlignment v) { TCustomEdit::SetAlignment(v); }
    TColor FocusColor = clWindow;
    TColor FocusFontColor = clBlack;
    TColor ModifiedColor = clRed;
    bool ShowModified = false;
    TColor DisabledColor() const { return FDisabledColor; }
    void SetDisabledColor(TColor v);

    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    TColor FlatLineColor() const { return FFlatLineColor; }
    void SetFlatLineColor(TColor v);
    bool FlatParentColor() const { return FFlatParentColor; }
    void SetFlatParentColor(bool v);
    bool SoftBorder() const { return FSoftBorder; }
    void SetSoftBorder(bool v);
    bool FocusBorder = false;
    // Stored only: it shows at the next paint.
    bool Border3D() const { return FBorder3D; }
    void SetBorder3D(bool v) { FBorder3D = v; }

    TLabel* EditLabel() const { return FLabel; }
    AnsiString LabelCaption() const { return FLabel ? FLabel->Caption() : AnsiString(); }
    void SetLabelCaption(const AnsiString& v);
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition v);
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int v);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool v);
    bool LabelAlwaysEnabled = false;
    TFont* LabelFont() const { return FLabelFont.get(); }
    void SetLabelFont(TFont* v);

    TColor GetColorEx() const { return Color(); }
    void SetColorEx(TColor v);
    void SetEnabledEx(bool v);
    void SetEnabled(bool v) override { SetEnabledEx(v); }
    void SetVisible(bool v) override;
    bool GetModified() const { return Modified(); }
    void SetModified(bool v);

    virtual unsigned GetVersionNr() const;
    AnsiString Version() const;
    void SetVersion(const AnsiString&) {}

    TMaskCompleteEvent OnMaskComplete;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void SetParent(TWinControl* AParent) override;
    void DoEnter() override;
    void DoExit() override;
    void CMMouseEnter() override;
    void CMMouseLeave() override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    bool WantsKey(Word Key, TShiftState Shift) const override;
    void PaintOverlay(TCanvas* Canvas) override;
    void Loaded() override;

private:
    bool Loading() const { return ComponentStateHas(csLoading); }
    void SelectNextLater();
    void PlaceLabel();

    TLabel* FLabel = nullptr; // owned as a component
    TColor FNormalColor = clWindow;
    TColor FLoadedColor = clWindow;
    TColor FNormalFontColor = clWindowText;
    AnsiString FFocusText;
    bool FMouseInside = false;
    TBorderStyle FSavedBorderStyle = bsSingle;
    TColor FDisabledColor = clSilver;
    bool FFlat = false;
    TColor FFlatLineColor = clBlack;
    bool FFlatParentColor = true;
    bool FSoftBorder = false;
    bool FBorder3D = false;
    TLabelPosition FLabelPosition = lpLeftTop;
    int FLabelMargin = 4;
    bool FLabelTransparent = false;
    std::unique_ptr<TFont> FLabelFont;
    bool FSettingColours = false;
    std::shared_ptr<int> FAlive = std::make_shared<int>(0);
};
