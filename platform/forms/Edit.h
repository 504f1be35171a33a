#pragma once
// TEdit: a one-line text field (over the toolkit's line edit). OnChange fires for every
// change of the text, by the user or by code. Setting Text clears Modified; typing sets it.
#include "platform/forms/Controls.h"

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* AOwner);

    void SetText(const AnsiString& v) override;
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v);
    bool Modified() const { return FModified; }
    void SetModified(bool v) { FModified = v; }
    char PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(char v);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase v);
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool v) { FAutoSelect = v; }
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle v);
    // Horizontal placement of the text in the field.
    TAlignment Alignment() const { return FAlignment; }
    // The parent shows through the field: its background is not painted, only the text.
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool v);
    // Room kept free of text at the left and right (the formatting rectangle of an edit
    // that hosts a button or a unit).
    void SetTextMargins(int Left, int Right);
    int TextMarginRight() const { return FMarginRight; }
    void SetAlignment(TAlignment v);

    // Selection: SelStart is the caret (0-based), SelLength the selected characters.
    int SelStart() const;
    void SetSelStart(int v);
    int SelLength() const;
    void SetSelLength(int v);
    AnsiString SelText() const;
    // Replaces the selection with v (as typing would, but OnChange follows once).
    void SetSelText(const AnsiString& v);
    void SelectAll();
    void ClearSelection();
    void Clear() { SetText(""); }
    void CopyToClipboard();
    void CutToClipboard();
    // Every paste (Ctrl+V, Shift+Insert, the context menu) comes here.
    virtual void PasteFromClipboard();
    // The character index under a client point, and the client position of a character
    // (past the end: right of the last character).
    int CharFromPos(const TPoint& P) const;
    TPoint PosFromChar(int Index) const;
    // Pixels kept free around the text inside the field (the formatting rectangle).
    TRect TextMargins() const { return FTextMargins; }
    void SetTextMargins(const TRect& Margins);

    TNotifyEvent OnChange;

    // The text typed by the user arrived (the widget layer calls it).
    void UserTextChanged(const AnsiString& v);
    void DoEnter() override;

protected:
    virtual void Change();
    void CreateWidget() override;
    void SyncWidget() override;
    bool WantsKey(Word Key, TShiftState Shift) const override;
    AnsiString ApplyCase(const AnsiString& v) const;
    void CMTextChanged() override;
    // Shows FText in the line edit when it shows another.
    void PushText();

    int FMaxLength = 0;
    bool FReadOnly = false;
    bool FModified = false;
    char FPasswordChar = 0;
    TEditCharCase FCharCase = ecNormal;
    bool FAutoSelect = true;
    TBorderStyle FBorderStyle = bsSingle;
    TAlignment FAlignment = taLeftJustify;
    bool FTransparent = false;
    int FMarginLeft = 0;
    int FMarginRight = 0;
    int FSelStart = 0;
    int FSelLength = 0;
    AnsiString FEditMask; // used by TMaskEdit
    TRect FTextMargins{0, 0, 0, 0};
};

class TEdit : public TCustomEdit {
public:
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

// TMaskEdit: an edit whose input follows EditMask ("!99/99/0000;1;_": mask, keep
// literals, blank character), with the class library's mask characters.
class TMaskEdit : public TCustomEdit {
public:
    explicit TMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
    const AnsiString& EditMask() const { return FEditMask; }
    void SetEditMask(const AnsiString& v);
    // The text with the literals and blanks of the mask.
    AnsiString EditText() const;
};

// The class library's mask turned into the toolkit's input mask (exposed for tests).
AnsiString ConvertEditMask(const AnsiString& Mask);
