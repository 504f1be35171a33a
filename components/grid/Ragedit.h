#pragma once
// The grid's edit-with-button controls: a plain edit with an embedded button,
// and the value-and-unit edit whose button offers a menu of units.
#include <memory>

#include "platform/core/Strings.h"
#include "platform/forms/Edit.h"
#include "platform/forms/SpeedButton.h"

class TPopupMenu;

namespace Ravbase {

// A speed button drawn flat, as a push button, or in the visual style. The
// controls library has a button of the same name: each library keeps its own.
class TRavSpeedButton : public TSpeedButton {
public:
    using TSpeedButton::TSpeedButton;
    bool IsWinXP = false;
    bool Hot() const { return FHot; }
    void CMMouseEnter() override;
    void CMMouseLeave() override;

protected:
    void Paint() override;

private:
    bool FHot = false;
};

} // namespace Ravbase

class TRagEditButton : public TWinControl {
public:
    explicit TRagEditButton(TComponent* AOwner);
    Ravbase::TRavSpeedButton* Button() const { return FButton; }
    TWinControl* FocusControl = nullptr;
    TNotifyEvent OnClick;
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

private:
    Ravbase::TRavSpeedButton* FButton;
    bool FFlat = false;
};

class TRagEditBtn : public TCustomEdit {
public:
    explicit TRagEditBtn(TComponent* AOwner);
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int Value);
    bool EditorEnabled() const { return FEditorEnabled; }
    void SetEditorEnabled(bool v) { FEditorEnabled = v; }
    bool RightAlign() const { return FRightAlign; }
    void SetRightAlign(bool Value);
    const AnsiString& ButtonCaption() const { return FButton->Button()->Caption(); }
    void SetButtonCaption(const AnsiString& v) { FButton->Button()->SetCaption(v); }
    void SetIsWinXP(bool v) { FButton->Button()->IsWinXP = v; }
    TRagEditButton* ButtonHost() const { return FButton; }
    int UnitSize() const { return FUnitSize; }
    virtual void BtnClick(TObject* Sender);
    void PasteFromClipboard() override;
    void CutToClipboard();

    TNotifyEvent OnClickBtn;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void DoEnter() override;
    void BoundsChanged() override;
    // Width kept for a unit between the text and the button.
    virtual int UnitRoom() const { return FUnitSize; }
    int FUnitSize = 0;
    TRagEditButton* FButton;

private:
    bool FRightAlign = false;
    bool FEditorEnabled = true;
    int FButtonWidth = 18;
};

class TRagUnitEditBtn : public TRagEditBtn {
public:
    explicit TRagUnitEditBtn(TComponent* AOwner);
    TStrings* Units() const { return FUnits.get(); }
    void SetUnits(TStrings* Value);
    const AnsiString& UnitID() const { return FUnitID; }
    void SetUnitID(const AnsiString& Value);
    int UnitSpace() const { return FUnitSize; }
    void SetUnitSpace(int Value);
    void BtnClick(TObject* Sender) override;
    // The unit menu's command: item Id (1-based) becomes the unit.
    void UnitCommand(int Id);

protected:
    void PaintOverlay(TCanvas* Canvas) override;
    // UnitSpace, widened when the unit's text needs more.
    int UnitRoom() const override;

private:
    std::unique_ptr<TStringList> FUnits;
    AnsiString FUnitID;
    TPopupMenu* FMenu = nullptr; // owned as a component
};
