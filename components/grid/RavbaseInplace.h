#pragma once
// The base grid's in-place editor: a one-line edit the grid lays over its current
// cell. Every change of its text goes to the grid at once (SetEditText); the keys
// that move the cursor go on to the grid's key handling, and every key-down reaches
// the grid's OnKeyDown before the editor acts on it.
#include "platform/forms/Edit.h"

class TStringGrid;

class TInplaceEdit : public TCustomEdit {
public:
    explicit TInplaceEdit(TComponent* AOwner);

    TStringGrid* Grid() const { return FGrid; }
    // Takes the text and length limit of the grid's current cell.
    virtual void UpdateContents();
    // Places the editor over R (the grid's client coordinates) and shows it.
    void Move(const TRect& R);
    // Hides the editor; the grid takes the focus back when the editor had it.
    void Hide();
    // A character as though typed into the editor (the grid's first key).
    void TypeChar(char Ch);

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(char& Key) override;
    bool WantsKey(Word Key, TShiftState Shift) const override;
    void Change() override;
    // Keys a descendant handles before the base's forwarding (its message level).
    virtual void EditKeyDown(Word& Key, TShiftState Shift);
    // Hands the key to the grid's key handling and consumes it.
    void SendToParent(Word& Key, TShiftState Shift);

    TStringGrid* FGrid;
    bool FFilling = false; // the text is being set from the cell
};
