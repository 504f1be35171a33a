#pragma once
// The typed edit with a small button inside its right edge (click or F4 raises
// OnClickBtn), the unit edit that adds a unit text and a pop-up of units on the button,
// and their pieces: the edit's speed button and the windowed host that holds it.
#include <functional>
#include <memory>

#include "components/controls/Voduriz.h"
#include "platform/forms/Menus.h"
#include "platform/forms/SpeedButton.h"

enum TButtonStyle { bsButton = 0, bsDropDown = 1 };

class TEditButton;
class TVodUrizBtn;

// A speed button drawn as a flat, raised or etched button (the themed look needs the
// visual-styles library, which this platform does not have).
class TRavSpeedButton : public TSpeedButton {
public:
    explicit TRavSpeedButton(TComponent* AOwner);
    bool Etched() const { return FEtched; }
    void SetEtched(bool v);
    // Stored only: the drawing does not change with it.
    bool Focused() const { return FFocused; }
    void SetFocused(bool v);
    // Marks the button up: the themed look then never shows it pressed (the classic look,
    // the only one here, does).
    void SetUp() { FUp = true; }
    bool Up() const { return FUp; }
    bool Hot() const { return FHot; }
    bool Pressed() const { return FPressed; }
    // Where the drop-down style draws its arrow when the button has no glyph or caption.
    TRect ArrowRect() const;
    void CMMouseEnter() override;
    void CMMouseLeave() override;

protected:
    void Paint() override;

private:
    // The edit the host of this button serves (nullptr when not hosted).
    TVodUrizBtn* OwningEdit() const;
    void PaintButton();
    void PaintDropDown();
    bool FEtched = false;
    bool FFocused = false;
    bool FHot = false;
    bool FUp = false;
    bool FUseVisualStyles = false;
};

// The windowed host of one speed button; its width follows ButtonWidth.
class TEditButton : public TWinControl {
public:
    explicit TEditButton(TComponent* AOwner);
    TRavSpeedButton* Button() const { return FButton; }
    TBitmap* Glyph() const { return FButton->Glyph(); }
    void SetGlyph(TBitmap* v) { FButton->SetGlyph(v); }
    AnsiString ButtonCaption() const { return FButton->Caption(); }
    void SetButtonCaption(const AnsiString& v) { FButton->SetCaption(v); }
    int NumGlyphs() const { return FButton->NumGlyphs(); }
    void SetNumGlyphs(int v) { FButton->SetNumGlyphs(v); }
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* v);
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int v);
    void Setup() { FButton->SetUp(); }
    // Called on a click of the button (the owning edit's BtnClick).
    TNotifyEvent OnClickCallback;

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Loaded() override;

private:
    void BtnMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    TRavSpeedButton* FButton;
    TWinControl* FFocusControl = nullptr;
    int FButtonWidth = 16;
};

class TVodUrizBtn : public TVodUriz {
public:
    explicit TVodUrizBtn(TComponent* AOwner);

    TButtonStyle ButtonStyle() const { return FButtonStyle; }
    void SetButtonStyle(TButtonStyle v);
    int ButtonWidth() const { return FButtonHost ? FButtonHost->ButtonWidth() : 17; }
    void SetButtonWidth(int v);
    const AnsiString& ButtonHint() const { return FButtonHint; }
    void SetButtonHint(const AnsiString& v);
    AnsiString ButtonCaption() const { return FButtonHost->ButtonCaption(); }
    void SetButtonCaption(const AnsiString& v) { FButtonHost->SetButtonCaption(v); }
    TBitmap* Glyph() const { return FButtonHost->Glyph(); }
    void SetGlyph(TBitmap* v) { FButtonHost->SetGlyph(v); }
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool v) { FEditorEnabled = v; }
    bool Flat() const { return FBtnFlat; }
    void SetFlat(bool v);
    bool Etched() const { return FEtched; }
    void SetEtched(bool v);
    TEditButton* ButtonHost() const { return FButtonHost; }
    // Pixels between the text and the button (the unit text's place).
    int UnitSize() const { return FUnitSize; }
    // Right edge of the text: the client width less the button, the unit place and 4.
    int TextRight() const;

    unsigned GetVersionNr() const override;
    TNotifyEvent OnClickBtn;

    virtual void BtnClick(TObject* Sender);
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void CMMouseEnter() override;
    void CMMouseLeave() override;
    void DoEnter() override;
    void DoExit() override;
    void CMFontChanged() override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void Loaded() override;
    void ResizeControl();
    void SetEditRect();
    int GetMinHeight() const;
    int FUnitSize = 0;

private:
    void UpdateBorders();
    TEditButton* FButtonHost;
    bool FEditorEnabled = true;
    AnsiString FButtonHint;
    bool FBtnFlat = false;
    bool FEtched = false;
    bool FHot = false;
    TButtonStyle FButtonStyle = bsButton;
    bool FLayingOut = false;
};

using TUnitChangeEvent = std::function<void(TObject* Sender, const AnsiString& NewUnit)>;

class TUnitVodUrizBtn : public TVodUrizBtn {
public:
    explicit TUnitVodUrizBtn(TComponent* AOwner);
    ~TUnitVodUrizBtn() override;
    TStringList* Units() const { return FUnits.get(); }
    void SetUnits(TStrings* v)
    {
        if (v)
            FUnits->Assign(v);
    }
    const AnsiString& UnitID() const { return FUnitID; }
    void SetUnitID(const AnsiString& v);
    int UnitSpace() const { return FUnitSize; }
    void SetUnitSpace(int v);
    // The pop-up of units while it is open (for the user's choice).
    TPopupMenu* UnitMenu() const { return FMenu; }
    TUnitChangeEvent OnUnitChanged;

    void BtnClick(TObject* Sender) override;

protected:
    void PaintOverlay(TCanvas* Canvas) override;

private:
    std::unique_ptr<TStringList> FUnits;
    AnsiString FUnitID;
    TPopupMenu* FMenu = nullptr; // owned as a component
};
