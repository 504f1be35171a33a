#pragma once
// TGroupBox: an etched frame with its caption at the top left; TRadioGroup: a group box
// of radio buttons made from Items. Setting ItemIndex (by the user or by code) fires OnClick.
#include <memory>
#include <vector>

#include "platform/core/Strings.h"
#include "platform/forms/CheckBox.h"

class TCustomGroupBox : public TCustomControl {
public:
    explicit TCustomGroupBox(TComponent* AOwner);

protected:
    void Paint() override;
    void AlignControls(TControl* AControl, TRect& Rect) override;
};

class TGroupBox : public TCustomGroupBox {
public:
    explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
};

class TRadioGroup : public TCustomGroupBox {
public:
    explicit TRadioGroup(TComponent* AOwner);
    ~TRadioGroup() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* v) { FItems->Assign(v); }
    int ItemIndex() const { return FItemIndex; }
    void SetItemIndex(int v);
    int Columns() const { return FColumns; }
    void SetColumns(int v);
    // The radio button of item Index.
    TRadioButton* Buttons(int Index) const { return FButtons.at(static_cast<size_t>(Index)); }

    void BoundsChanged() override;
    void CMFontChanged() override;
    void SetEnabled(bool v) override;

private:
    void ItemsChanged();
    void ArrangeButtons();
    void ButtonClicked(TRadioButton* B);

    std::unique_ptr<TStringList> FItems;
    std::vector<TRadioButton*> FButtons;
    int FItemIndex = -1;
    int FColumns = 1;
    bool FUpdating = false;
};
