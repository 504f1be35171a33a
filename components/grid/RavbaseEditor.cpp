// The base grid's in-place editing: the editor, its keys, and the grid's editor mode.
#include <algorithm>

#include "components/grid/RavbaseInplace.h"
#include "components/grid/RavbaseStringGrid.h"
#include "platform/forms/Form.h"

// ---------------------------------------------------------------- the editor

TInplaceEdit::TInplaceEdit(TComponent* AOwner) : TCustomEdit(AOwner), FGrid(dynamic_cast<TStringGrid*>(AOwner))
{
    FVisible = false;
    FTabStop = false;
    FBorderStyle = bsNone;
    FAutoSelect = true;
}

void TInplaceEdit::UpdateContents()
{
    FFilling = true;
    SetMaxLength(FGrid->GetEditLimit());
    SetText(FGrid->GetEditText(FGrid->Col(), FGrid->Row()));
    FFilling = false;
    SelectAll();
}

void TInplaceEdit::Move(const TRect& R)
{
    SetBounds(R.Left, R.Top, std::max(0, R.Width() - 1), std::max(0, R.Height() - 1));
    if (!Visible())
        Show();
    BringToFront();
}

void TInplaceEdit::Hide()
{
    if (!Visible())
        return;
    const bool hadFocus = Focused();
    SetVisible(false);
    if (hadFocus && FGrid->CanFocus())
        FGrid->SetFocus();
}

void TInplaceEdit::TypeChar(char Ch)
{
    char k = Ch;
    KeyPress(k);
    if (k == 0)
        return;
    if (k == 8) {
        if (SelLength() > 0)
            SetSelText("");
        else if (SelStart() > 0) {
            SetSelStart(SelStart() - 1);
            SetSelLength(1);
            SetSelText("");
        }
    } else if (static_cast<unsigned char>(k) >= 32) {
        if (MaxLength() > 0 && int(Text().size()) - SelLength() >= MaxLength())
            return;
        SetSelText(AnsiString(1, k));
    }
}

bool TInplaceEdit::WantsKey(Word Key, TShiftState Shift) const
{
    switch (Key) {
    case VK_RETURN:
    case VK_ESCAPE: return true;
    case VK_TAB: return FGrid && (FGrid->Options() & goTabs);
    default: return TCustomEdit::WantsKey(Key, Shift);
    }
}

void TInplaceEdit::SendToParent(Word& Key, TShiftState Shift)
{
    FGrid->PassKeyDown(Key, Shift);
    Key = 0;
}

void TInplaceEdit::EditKeyDown(Word&, TShiftState) {}

void TInplaceEdit::KeyDown(Word& Key, TShiftState Shift)
{
    FGrid->EditorKeyDown(Key, Shift);
    if (Key)
        EditKeyDown(Key, Shift);
    const bool ctrl = Shift & ssCtrl;
    const int len = static_cast<int>(Text().size());
    // Left and right leave the cell only at the text's edge while the editor always shows.
    const bool atEdge = (FGrid->Options() & goAlwaysShowEditor) && SelLength() == 0 &&
                        ((Key == VK_LEFT || Key == VK_HOME) ? SelStart() == 0 : SelStart() >= len);
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_ESCAPE: SendToParent(Key, Shift); break;
    case VK_INSERT:
        if (!(Shift & (ssShift | ssCtrl | ssAlt)))
            SendToParent(Key, Shift);
        break;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_HOME:
    case VK_END:
        if (ctrl || atEdge)
            SendToParent(Key, Shift);
        break;
    case VK_TAB:
        if (!(Shift & ssAlt))
            SendToParent(Key, Shift);
        break;
    case VK_DELETE:
        if (ctrl)
            SendToParent(Key, Shift);
        break;
    default: break;
    }
    if (Key)
        TCustomEdit::KeyDown(Key, Shift);
}

void TInplaceEdit::KeyPress(char& Key)
{
    FGrid->GridKeyPress(Key);
    switch (Key) {
    case '\t':
    case 27:
    case '\r': Key = 0; break;
    default: break;
    }
    if (Key)
        TCustomEdit::KeyPress(Key);
}

void TInplaceEdit::Change()
{
    if (!FFilling && Visible())
        FGrid->UpdateText();
    TCustomEdit::Change();
}

// ---------------------------------------------------------------- the grid's editor mode

bool TStringGrid::IsActiveControl() const
{
    auto* f = GetParentForm(const_cast<TStringGrid*>(this));
    if (!f)
        return Focused();
    TWinControl* a = f->ActiveControl();
    return a && (a == this || ContainsControl(a));
}

bool TStringGrid::CanEditShow()
{
    return (FOptions & (goRowSelect | goEditing)) == goEditing && FEditorMode &&
           !ComponentStateHas(csDesigning) && HandleAllocated() &&
           ((FOptions & goAlwaysShowEditor) || IsActiveControl());
}

TInplaceEdit* TStringGrid::CreateEditor() { return new TInplaceEdit(this); }

AnsiString TStringGrid::GetEditText(int ACol, int ARow)
{
    AnsiString v = Cells(ACol, ARow);
    if (OnGetEditText)
        OnGetEditText(this, ACol, ARow, v);
    return v;
}

void TStringGrid::SetEditText(int ACol, int ARow, const AnsiString& Value)
{
    if (Value != Cells(ACol, ARow))
        SetCells(ACol, ARow, Value);
    if (OnSetEditText)
        OnSetEditText(this, ACol, ARow, Value);
}

void TStringGrid::UpdateText()
{
    if (FInplaceEdit && FInplaceCol >= 0 && FInplaceRow >= 0)
        SetEditText(FInplaceCol, FInplaceRow, FInplaceEdit->Text());
}

void TStringGrid::UpdateEdit()
{
    if (!CanEditShow())
        return;
    if (!FInplaceEdit) {
        FInplaceEdit = CreateEditor();
        FInplaceEdit->SetParent(this);
    }
    const bool moved = FInplaceCol != FCurrent.X || FInplaceRow != FCurrent.Y || !FInplaceEdit->Visible();
    if (moved) {
        FInplaceCol = -1; // no write-back while the new cell's text is filled in
        FInplaceEdit->UpdateContents();
        FInplaceCol = FCurrent.X;
        FInplaceRow = FCurrent.Y;
    }
    const TRect r = EditorCellRect(FCurrent.X, FCurrent.Y);
    if (r.Width() <= 0 || r.Height() <= 0) {
        FInplaceEdit->Hide();
        return;
    }
    FInplaceEdit->Move(r);
    if (IsActiveControl() && FInplaceEdit->CanFocus() && !FInplaceEdit->Focused())
        FInplaceEdit->SetFocus();
}

void TStringGrid::HideEdit()
{
    if (!FInplaceEdit)
        return;
    const bool shown = FInplaceEdit->Visible();
    if (shown)
        UpdateText();
    FInplaceCol = FInplaceRow = -1;
    FInplaceEdit->Hide();
    if (shown)
        EditorHidden();
}

void TStringGrid::SetEditorMode(bool Value)
{
    if (Value)
        ShowEditor();
    else
        HideEditor();
}

void TStringGrid::ShowEditor()
{
    FEditorMode = true;
    UpdateEdit();
}

void TStringGrid::HideEditor()
{
    FEditorMode = false;
    HideEdit();
}

void TStringGrid::ShowEditorChar(char Ch)
{
    ShowEditor();
    if (FInplaceEdit && FInplaceEdit->Visible())
        FInplaceEdit->TypeChar(Ch);
}

void TStringGrid::InvalidateEditor()
{
    FInplaceCol = FInplaceRow = -1;
    if (FEditorMode)
        UpdateEdit();
}

void TStringGrid::EditorKeyDown(Word& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
}

void TStringGrid::PassKeyDown(Word& Key, TShiftState Shift)
{
    const bool was = FEditorKeyDone;
    FEditorKeyDone = true;
    KeyDown(Key, Shift);
    FEditorKeyDone = was;
}

void TStringGrid::KeyPress(char& Key) { WMChar(Key); }

void TStringGrid::WMChar(char& Key)
{
    if ((FOptions & goEditing) && (Key == 8 || static_cast<unsigned char>(Key) >= 32)) {
        ShowEditorChar(Key);
        Key = 0;
        return;
    }
    GridKeyPress(Key);
}

void TStringGrid::GridKeyPress(char& Key)
{
    TCustomControl::KeyPress(Key);
    if (!(FOptions & goAlwaysShowEditor) && Key == '\r') {
        if (FEditorMode)
            HideEditor();
        else
            ShowEditor();
        Key = 0;
    }
}
