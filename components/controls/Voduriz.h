#pragma once
// TVodUriz: a one-line edit whose value has a type (text, integer, fixed-point, money,
// hexadecimal, ranges, cased text, password, ...). The value is shown between a fixed
// Prefix and Suffix; focus, error, modified and disabled states have colours of their
// own; a caption label can be attached beside or above it. The rules live in
// TVodUrizModel; the control routes its keys, clipboard and focus changes through it.
#include <memory>

#include "components/controls/VodurizLookup.h"
#include "components/controls/VodurizModel.h"
#include "components/controls/VodurizRange.h"
#include "components/controls/VodurizTypes.h"
#include "platform/forms/DragDrop.h"
#include "platform/forms/Edit.h"
#include "platform/forms/Label.h"

class TVodUriz : public TCustomEdit {
public:
    explicit TVodUriz(TComponent* AOwner);
    ~TVodUriz() override;

    // The value (window text without Prefix and Suffix).
    AnsiString GetText() const { return FModel.GetText(); }
    AnsiString Text() const override { return GetText(); }
    void SetText(const AnsiString& Value) override;
    // The text as the window shows it.
    const AnsiString& WindowText() const { return FModel.WindowText(); }
    // The value as the user left it: while OnExit runs, the value before the exit's
    // reformatting (an emptied number field still empty); at any other time the value.
    AnsiString TypedText() const { return FExiting ? FTypedText : GetText(); }

    TVodUrizType EditType() const { return FModel.EditType(); }
    void SetEditType(TVodUrizType v);
    int Precision() const { return FModel.Precision(); }
    void SetPrecision(int v);
    bool Signed() const { return FModel.Signed; }
    void SetSigned(bool v) { FModel.Signed = v; }
    const AnsiString& Prefix() const { return FModel.Prefix(); }
    void SetPrefix(const AnsiString& v);
    const AnsiString& Suffix() const { return FModel.Suffix(); }
    void SetSuffix(const AnsiString& v);
    int LengthLimit() const { return FModel.LengthLimit; }
    void SetLengthLimit(int v) { FModel.LengthLimit = v; }
    bool TabOnFullLength() const { return FModel.TabOnFullLength; }
    void SetTabOnFullLength(bool v) { FModel.TabOnFullLength = v; }
    bool ReturnIsTab() const { return FModel.ReturnIsTab; }
    void SetReturnIsTab(bool v) { FModel.ReturnIsTab = v; }
    bool ExcelStyleDecimalSeparator() const { return FModel.ExcelStyleDecimalSeparator; }
    void SetExcelStyleDecimalSeparator(bool v) { FModel.ExcelStyleDecimalSeparator = v; }
    bool AutoThousandSeparator() const { return FModel.AutoThousandSeparator(); }
    void SetAutoThousandSeparator(bool v);
    const AnsiString& ValidChars() const { return FModel.ValidChars; }
    void SetValidChars(const AnsiString& v) { FModel.ValidChars = v; }
    bool CanUndo() const { return FModel.CanUndo(); }
    void SetCanUndo(bool v) { FModel.SetCanUndo(v); }
    // In a dialog Enter and Escape go on to the dialog's default and cancel buttons.
    bool InDialog() const { return FInDialog; }
    void SetInDialog(bool v) { FInDialog = v; }
    void SetMaxLength(int v);
    void SetReadOnly(bool v);
    void SetAutoSelect(bool v);

    TEditAlign EditAlign() const { return FEditAlign; }
    void SetEditAlign(TEditAlign v);
    TEditAlign FocusAlign() const { return FFocusAlign; }
    void SetFocusAlign(TEditAlign v) { FFocusAlign = v; }
    // The alignment the text is shown with now (EditAlign, or FocusAlign while focused).
    TEditAlign ShownAlign() const { return FShownAlign; }

    TColor FocusColor() const { return FModel.FocusColor; }
    void SetFocusColor(TColor v) { FModel.FocusColor = v; }
    TColor FocusFontColor() const { return FModel.FocusFontColor; }
    void SetFocusFontColor(TColor v) { FModel.FocusFontColor = v; }
    bool FocusLabel() const { return FFocusLabel; }
    void SetFocusLabel(bool v) { FFocusLabel = v; }
    int FocusWidthInc() const { return FFocusWidthInc; }
    void SetFocusWidthInc(int v) { FFocusWidthInc = v; }
    bool FocusBorder() const { return FFocusBorder; }
    void SetFocusBorder(bool v);
    TColor FocusBorderColor() const { return FFocusBorderColor; }
    void SetFocusBorderColor(TColor v);
    TColor DisabledColor() const { return FModel.DisabledColor; }
    void SetDisabledColor(TColor v);
    TColor ErrorColor() const { return FModel.ErrorColor; }
    void SetErrorColor(TColor v) { FModel.ErrorColor = v; }
    TColor ErrorFontColor() const { return FModel.ErrorFontColor; }
    void SetErrorFontColor(TColor v) { FModel.ErrorFontColor = v; }
    bool ShowError() const { return FModel.ShowError; }
    void SetShowError(bool v) { FModel.ShowError = v; }
    int ErrorMarkerPos() const { return FErrorMarkerPos; }
    void SetErrorMarkerPos(int v);
    int ErrorMarkerLen() const { return FErrorMarkerLen; }
    void SetErrorMarkerLen(int v);
    TColor ModifiedColor() const { return FModel.ModifiedColor; }
    void SetModifiedColor(TColor v) { FModel.ModifiedColor = v; }
    bool ShowModified() const { return FModel.ShowModified; }
    void SetShowModified(bool v) { FModel.ShowModified = v; }
    bool ShowURL() const { return FModel.ShowURL; }
    void SetShowURL(bool v);
    TColor URLColor() const { return FModel.URLColor; }
    void SetURLColor(TColor v) { FModel.URLColor = v; }
    bool Flat() const { return FFlat; }
    void SetFlat(bool v);
    TColor FlatLineColor() const { return FFlatLineColor; }
    void SetFlatLineColor(TColor v);
    bool FlatParentColor() const { return FFlatParentColor; }
    void SetFlatParentColor(bool v);
    bool SoftBorder() const { return FSoftBorder; }
    void SetSoftBorder(bool v);
    bool Border3D() const { return FBorder3D; }
    void SetBorder3D(bool v);
    const AnsiString& EmptyText() const { return FEmptyText; }
    void SetEmptyText(const AnsiString& v);
    bool AutoFocus() const { return FAutoFocus; }
    void SetAutoFocus(bool v) { FAutoFocus = v; }
    // The hint shows the whole value when it is wider than the control.
    bool HintShowLargeText() const { return FHintShowLargeText; }
    void SetHintShowLargeText(bool v) { FHintShowLargeText = v; }

    // The attached caption label, made by the first LabelCaption write.
    TLabel* EditLabel() const { return FLabel; }
    AnsiString LabelCaption() const;
    void SetLabelCaption(const AnsiString& v);
    TLabelPosition LabelPosition() const { return FLabelPosition; }
    void SetLabelPosition(TLabelPosition v);
    int LabelMargin() const { return FLabelMargin; }
    void SetLabelMargin(int v);
    bool LabelTransparent() const { return FLabelTransparent; }
    void SetLabelTransparent(bool v);
    bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
    void SetLabelAlwaysEnabled(bool v);
    TFont* LabelFont() const { return FLabelFont.get(); }
    void SetLabelFont(TFont* v) { FLabelFont->Assign(v); }

    // Typed access.
    double GetFloat() const { return FModel.GetFloat(); }
    void SetFloat(double v);
    int GetInt() const { return FModel.GetInt(); }
    void SetInt(int v);
    bool GetModified() const { return FModel.GetModified(); }
    void SetModified(bool v);
    bool GetError() const { return FModel.GetError(); }
    void SetError(bool v);

    // Colour, enabled state, visibility and height as the typed edit keeps them.
    TColor GetColorEx() const { return FModel.Color(); }
    void SetColorEx(TColor v);
    void SetColor(TColor v) { SetColorEx(v); }
    bool GetEnabledEx() const { return Enabled(); }
    void SetEnabledEx(bool v);
    void SetEnabled(bool v) override { SetEnabledEx(v); }
    void SetVisible(bool v) override;
    int GetHeightEx() const { return Height(); }
    void SetHeightEx(int v);

    void SelectAll();
    // Through the same paste filter as Ctrl+V.
    void PasteFromClipboard() override;
    void SelectBeforeDecimal();
    void SelectAfterDecimal();

    // The value read into a range list (false when a part is unreadable), and a list
    // written back as the value.
    bool RangeStrToList(TRangeList* List) const;
    void ListToRangeStr(TRangeList* List);

    // Lookup list, persistence, web-address click and text drag and drop (all off by default).
    TLookupSettings* Lookup() const { return FLookup.get(); }
    void SetLookup(TLookupSettings* v) { FLookup->Assign(v); }
    TPersistence* Persistence() const { return FPersistence.get(); }
    void SetPersistence(TPersistence* v) { FPersistence->Assign(v); }
    // The pop-up of the lookup list (nullptr until first needed).
    TListHintWindow* LookupWindow() const { return FLookupWindow; }
    bool LookupShown() const;
    void UpdateLookup();
    void DoneLookup();
    virtual void LoadPersist();
    virtual void SavePersist();
    bool OleDropSource() const { return FOleDropSource; }
    void SetOleDropSource(bool v) { FOleDropSource = v; }
    bool OleDropTarget() const { return FOleDropTarget; }
    void SetOleDropTarget(bool v);
    bool DropTargetRegistered() const { return FDropTargetRegistered; }
    // A text dropped at client point P with Shift held (the drop target's work).
    void DropText(const TPoint& P, const AnsiString& S, TShiftState Shift = 0);
    // The drop caret follows the mouse during a drag over the control ((-1, -1): none).
    void DrawCaretByCursor(const TPoint& P);
    void EraseCaret();
    TPoint DropCaret() const { return FDropCaret; }

    virtual unsigned GetVersionNr() const;
    AnsiString GetVersion() const;
    void SetVersion(const AnsiString&) {}

    // The rules behind the control (tests and the later edit family read it).
    const TVodUrizModel& Model() const { return FModel; }

    TValueValidateEvent OnValueValidate;
    TClipboardEvent OnClipboardCopy;
    TClipboardEvent OnClipboardCut;
    TClipboardEvent OnClipboardPaste;
    TNotifyEvent OnLabelClick;
    TNotifyEvent OnLabelDblClick;
    TLookupSelectEvent OnLookupSelect;
    TLookupIndexSelectEvent OnLookupIndexSelect;
    TURLClickEvent OnURLClick;

    void SetParent(TWinControl* AParent) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void DoEnter() override;
    void DoExit() override;
    void CMFontChanged() override;
    void CMColorChanged() override;
    void CMMouseEnter() override;
    void CMMouseLeave() override;
    void CMParentFontChanged() override;
    void CMHintShow(AnsiString& HintStr, const TPoint& CursorPos, bool& CanShow) override;

protected:
    // Expires with the edit (for calls posted to run later).
    std::weak_ptr<int> AliveToken() const { return FAlive; }
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool HoldsNativeMouse(int Kind, TMouseButton Button, int X, int Y) const override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool WantsKey(Word Key, TShiftState Shift) const override;
    void Change() override;
    void PaintOverlay(TCanvas* Canvas) override;
    void Loaded() override;
    virtual bool DoValidate(const AnsiString& Value);
    virtual void ValidateEvent(const AnsiString& Value, bool& IsValid);
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool Designing() const { return ComponentStateHas(csDesigning); }
    bool Loading() const { return ComponentStateHas(csLoading); }
    void Init();
    void PullFromWindow();
    void PushToWindow();
    void ApplyColours();
    void ApplyAlign(TEditAlign Align);
    void UpdateLabel();
    void PaintEdit(TCanvas* Canvas);
    void DrawControlBorder(TCanvas* Canvas);
    void DrawErrorLines(TCanvas* Canvas);
    bool LookupKeyDown(Word& Key);
    void HideLookup();
    void LookupLostFocus();
    void StartDrag();
    bool PressInSelection(int X, int Y) const;
    void SetCaretByCursor(const TPoint& P);

    TVodUrizModel FModel;
    bool FExiting = false;
    AnsiString FTypedText;
    bool FPushing = false;
    bool FApplyingColours = false;
    bool FKeypadDecimal = false;
    TShiftState FShift = 0;
    TEditAlign FEditAlign = eaLeft;
    TEditAlign FFocusAlign = eaDefault;
    TEditAlign FShownAlign = eaLeft;
    TEditAlign FSavedEditAlign = eaLeft;
    bool FAlignChanging = false;
    bool FFocusLabel = false;
    int FFocusWidthInc = 0;
    bool FFocusBorder = false;
    TColor FFocusBorderColor = clNone;
    int FErrorMarkerPos = 0;
    int FErrorMarkerLen = 0;
    bool FFlat = false;
    TColor FFlatLineColor = clBlack;
    bool FFlatParentColor = true;
    bool FSoftBorder = false;
    bool FBorder3D = false;
    TBorderStyle FSavedBorderStyle = bsSingle;
    AnsiString FEmptyText;
    bool FAutoFocus = false;
    bool FHintShowLargeText = false;
    bool FMouseInside = false;
    TLabel* FLabel = nullptr; // owned as a component
    TLabelPosition FLabelPosition = lpLeftTop;
    int FLabelMargin = 4;
    bool FLabelTransparent = false;
    bool FLabelAlwaysEnabled = false;
    std::unique_ptr<TFont> FLabelFont;
    int FLoadedHeight = 0;
    std::unique_ptr<TLookupSettings> FLookup;
    std::unique_ptr<TPersistence> FPersistence;
    TListHintWindow* FLookupWindow = nullptr; // owned as a component
    bool FOleDropSource = false;
    bool FOleDropTarget = false;
    bool FDropTargetRegistered = false;
    bool FDragArmed = false;
    bool FInDialog = false;
    bool FLookupTookReturn = false; // the Enter's character must not reopen the list
    bool FDraggingFromSelf = false;
    bool FSelfDropRefused = false;
    TPoint FDropCaret{-1, -1};
    std::unique_ptr<TDropTargetHandler> FDropTarget;
    std::shared_ptr<int> FAlive = std::make_shared<int>(0); // expires with the edit
};
