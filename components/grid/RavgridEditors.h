#pragma once
// The editors of TRavArodozIdad: the in-place text editor with its per-type
// character and paste filters, the editor controls the grid lays over a cell
// (check box, spin edit, combo box, date picker, edit with button, value and
// unit edit, push button) and the application's custom editor link.
#include "components/grid/RavbaseInplace.h"
#include "components/grid/RavbaseTypes.h"
#include "components/grid/Ragcombo.h"
#include "components/grid/Ragedit.h"
#include "components/grid/Ragspin.h"
#include "platform/forms/Button.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/DateTimePicker.h"
#include "platform/forms/Edit.h"

class TRavArodozIdad;
class TCustomForm;

class TRavInplaceEdit : public TInplaceEdit {
public:
    explicit TRavInplaceEdit(TComponent* AOwner);
    int LengthLimit() const { return FLengthLimit; }
    void SetLengthLimit(int v) { FLengthLimit = v; }
    bool VAlign() const { return FVAlign; }
    void SetVAlign(bool Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value) { FWordWrap = Value; }
    void UpdateContents() override;
    // The clipboard as WM_COPY, WM_CUT and WM_PASTE reach the editor: the
    // application may veto, and pasted text passes the type's filter.
    void DoCopy();
    void DoCut();
    void DoPaste();
    // The context menu's paste comes here too.
    void PasteFromClipboard() override { DoPaste(); }
    // The typed-character filter of the current editor type; Key becomes 0 when refused.
    void FilterChar(char& Key, bool Keypad = false);

protected:
    void EditKeyDown(Word& Key, TShiftState Shift) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void DoEnter() override;
    void DoExit() override;
    void Change() override;
    void DblClick() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool HoldsNativeMouse(int Kind, TMouseButton Button, int X, int Y) const override;
    void DoChange();

private:
    TRavArodozIdad* RGrid() const;
    bool ValidateOrRestore();
    // The text was typed into, or the caret moved with the keys, since the editor took the
    // cell: until then the editor stands for the cell, whose text a click selects whole.
    bool FEdited = false;
    int FLengthLimit = 0;
    bool FVAlign = false;
    bool FWordWrap = false;
    bool FLookupEnabled = true;
    bool FKeypad = false; // the last key-down was the keypad's decimal key
};

// The exit-key handling the editor controls share (spin, combo, edit buttons).
class TGridEditorSupport {
public:
    explicit TGridEditorSupport(TComponent* AOwner);
    TRavArodozIdad* Grid() const { return FGrid; }

protected:
    // Stores Text into the current cell and validates it; false (and Text restored) when refused.
    bool StoreAndValidate(TCustomEdit* Edit);
    // Keys the control takes from the form: Enter, Escape, and Tab with goTabs.
    bool TakesKey(Word Key) const;
    // The exit keys of the edit-button controls (Enter, Up and Down validated, Escape
    // reloads); false for any other key. Reload takes the cell's text back after validating.
    bool ExitKey(TCustomEdit* Edit, Word& Key, TShiftState Shift, bool Reload);
    TRavArodozIdad* FGrid;
};

class TGridCheckBox : public TCheckBox, public TGridEditorSupport {
public:
    explicit TGridCheckBox(TComponent* AOwner);

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    bool WantsKey(Word Key, TShiftState Shift) const override;
    void DoExit() override;
};

class TGridSpin : public TRagSpinEdit, public TGridEditorSupport {
public:
    explicit TGridSpin(TComponent* AOwner);
    void UpClick(TObject* Sender) override;
    void DownClick(TObject* Sender) override;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    bool WantsKey(Word Key, TShiftState Shift) const override;
    void DoExit() override;

private:
    void SpinEvent(bool UpDown);
};

class TGridCombo : public TRAGComboBox, public TGridEditorSupport {
public:
    explicit TGridCombo(TComponent* AOwner);
    void SizeDropDownWidth();
    // A choice of the user (list click, keys on the closed list): the grid's combo change.
    void Select() override;

protected:
    void Change() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    bool WantsKey(Word Key, TShiftState Shift) const override;
    void DoExit() override;
    bool DoMouseWheelDown(TShiftState Shift, const TPoint& MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, const TPoint& MousePos) override;

private:
    void WheelStep(int Delta);
    void DoChange();
    bool FLookAhead = true;
    bool FSelecting = false;
};

class TGridDatePicker : public TDateTimePicker, public TGridEditorSupport {
public:
    explicit TGridDatePicker(TComponent* AOwner);
    bool DroppedDown = false;

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void DoExit() override;
};

class TGridEditBtn : public TRagEditBtn, public TGridEditorSupport {
public:
    explicit TGridEditBtn(TComponent* AOwner);
    void ExtClick(TObject* Sender);

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    bool WantsKey(Word Key, TShiftState Shift) const override;
    void DoExit() override;
};

class TGridUnitEditBtn : public TRagUnitEditBtn, public TGridEditorSupport {
public:
    explicit TGridUnitEditBtn(TComponent* AOwner);
    // What is typed before the unit.
    AnsiString ValueText() const { return Text(); }

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    bool WantsKey(Word Key, TShiftState Shift) const override;
    void DoExit() override;
};

class TGridButton : public TButton, public TGridEditorSupport {
public:
    explicit TGridButton(TComponent* AOwner);

protected:
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
};

// The editors of EDIT and COMBO controls in markup cells: Enter or leaving ends the edit,
// and the grid writes the text back into the control (ControlExit).
template <class Base>
class TMarkupControlEditor : public Base {
public:
    explicit TMarkupControlEditor(TComponent* AOwner);

protected:
    void KeyPress(char& Key) override;
    bool WantsKey(Word Key, TShiftState Shift) const override;
    void DoExit() override;

private:
    TRavArodozIdad* FGrid;
};

class TControlEdit : public TMarkupControlEditor<TEdit> {
public:
    using TMarkupControlEditor<TEdit>::TMarkupControlEditor;
};

class TControlCombo : public TMarkupControlEditor<TRAGComboBox> {
public:
    using TMarkupControlEditor<TRAGComboBox>::TMarkupControlEditor;
};

enum TEditStyle { esInplace, esPopup };

// An application's own cell editor: the grid shows it for edCustom cells.
class TEditLink : public TComponent {
public:
    explicit TEditLink(TComponent* AOwner);
    ~TEditLink() override;

    bool WantKeyLeftRight = false;
    bool WantKeyUpDown = false;
    bool WantKeyHomeEnd = false;
    bool WantKeyPriorNext = false;
    bool WantKeyReturn = false;
    bool WantKeyEscape = false;
    TEditStyle EditStyle = esInplace;
    int PopupWidth = 0;
    int PopupHeight = 0;
    int Tag = 0;
    bool AutoPopupWidth = false;

    TRavArodozIdad* Grid() const { return FGrid; }
    TCustomForm* PopupForm() const { return FPopupForm; }
    virtual void EditKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    virtual TWinControl* GetEditControl() { return nullptr; }
    virtual void CreateEditor(TWinControl* AParent);
    virtual void DestroyEditor() {}
    virtual void SetFocus(bool Value);
    virtual void SetRect(const TRect& R);
    virtual void SetVisible(bool Value);
    virtual void SetProperties() {}
    virtual void SetCellProps(TColor AColor, TFont* AFont);
    virtual AnsiString GetEditorValue() { return AnsiString(); }
    virtual void SetEditorValue(const AnsiString& S);
    void EditExit(TObject* Sender);
    void FormExit(TObject* Sender);
    void HideEditor();
    AnsiString GetCellValue();
    void SetCellValue(const AnsiString& S);
    TWinControl* GetParent();

private:
    friend class TRavArodozIdad;
    TRavArodozIdad* FGrid = nullptr;
    TCustomForm* FPopupForm = nullptr;
    bool FForcedExit = false;
    int FEditCol = -1, FEditRow = -1;
};
