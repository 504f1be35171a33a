#pragma once
// TComboBox and TListBox over the toolkit's controls. A combo box's OnChange fires only
// for the user's change (typing, or choosing an item when OnSelect is not set); setting
// ItemIndex or Text by code fires nothing. A list box's OnClick fires when the user
// selects an item.
#include <memory>

#include "platform/core/Strings.h"
#include "platform/forms/Controls.h"

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TCustomComboBox : public TWinControl {
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* v) { FItems->Assign(v); }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int v);
    AnsiString Text() const override { return FText; }
    void SetText(const AnsiString& v) override;
    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle v);
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int v);
    bool Sorted() const { return FItems->Sorted(); }
    void SetSorted(bool v) { FItems->SetSorted(v); }
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int v);
    bool DroppedDown() const;
    void SetDroppedDown(bool v);
    void Clear();

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    // The user chose item Index / typed Text (the widget layer calls these).
    void UserSelected(int Index);
    void UserTyped(const AnsiString& Text);

protected:
    virtual void Change();
    virtual void Select();
    void CreateWidget() override;
    void SyncWidget() override;
    bool WantsKey(Word Key, TShiftState Shift) const override;
    void ItemsChanged();

    std::unique_ptr<TStringList> FItems;
    int FItemIndex = -1;
    TComboBoxStyle FStyle = csDropDown;
    int FDropDownCount = 8;
    int FMaxLength = 0;
};

class TComboBox : public TCustomComboBox {
public:
    explicit TComboBox(TComponent* AOwner) : TCustomComboBox(AOwner) {}
};

class TCustomListBox : public TWinControl {
public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* v) { FItems->Assign(v); }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int v);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool v);
    bool Selected(int Index) const;
    void SetSelected(int Index, bool v);
    int SelCount() const;
    bool Sorted() const { return FItems->Sorted(); }
    void SetSorted(bool v) { FItems->SetSorted(v); }
    int TopIndex() const { return FTopIndex; }
    void SetTopIndex(int v);
    int ItemHeight() const;
    void Clear() { FItems->Clear(); }
    // The item at client point Pos, -1 when none.
    int ItemAtPos(const TPoint& Pos, bool Existing) const;

    void UserSelected(int Index);

protected:
    void CreateWidget() override;
    void SyncWidget() override;
    bool WantsKey(Word Key, TShiftState Shift) const override;
    void ItemsChanged();

    std::unique_ptr<TStringList> FItems;
    std::vector<bool> FSelected;
    int FItemIndex = -1;
    int FTopIndex = 0;
    bool FMultiSelect = false;
};

class TListBox : public TCustomListBox {
public:
    explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
};
