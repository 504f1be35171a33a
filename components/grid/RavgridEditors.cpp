// The grid's editors: the in-place text editor (filters, validation keys,
// lookup, clipboard) and the editor controls' keys and value exchange.
#include "components/grid/RavgridEditors.h"

#include <algorithm>
#include <cctype>

#include "components/grid/Ravgrid.h"
#include "platform/core/StringUtils.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/Form.h"
#include "platform/win/Beep.h"

namespace {

TRavArodozIdad* GridOf(TComponent* Owner)
{
    auto* g = dynamic_cast<TRavArodozIdad*>(Owner);
    if (!g)
        throw EInvalidOperation("A grid editor needs the grid as its owner");
    return g;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The number filters shared by the in-place editor and the edit-button editor.
// Text, caret and selection are the editor's; Key becomes 0 when refused.
void NumberFilter(TEditorType Type, TCustomEdit* E, char& Key)
{
    if (Key == 8 || Key == '\t' || Key == '\r' || Key == 27)
        return;
    const AnsiString t = E->Text();
    const int ss = E->SelStart(), sl = E->SelLength();
    const auto minus = t.find('-');
    const bool minusSelected = minus != AnsiString::npos && int(minus) >= ss && int(minus) < ss + sl;
    const bool minusOk = (ss == 0 && minus == AnsiString::npos) || minusSelected;
    if (Type == edNumeric || Type == edNumericEditBtn) {
        if (IsDigit(Key) || (Key == '-' && minusOk))
            return;
        MessageBeep(0);
        Key = 0;
    } else if (Type == edPositiveNumeric) {
        if (IsDigit(Key))
            return;
        MessageBeep(0);
        Key = 0;
    } else if (Type == edFloat || Type == edFloatEditBtn) {
        if (IsDigit(Key))
            return;
        if (Key == ',' || Key == '.') {
            // A separator outside the selection blocks another one.
            AnsiString rest = t.substr(0, size_t(ss)) + t.substr(size_t(std::min<int>(ss + sl, int(t.size()))));
            if (rest.find('.') == AnsiString::npos && rest.find(',') == AnsiString::npos)
                return;
            Key = 0;
            return;
        }
        if (Key == '-') {
            if (minusOk)
                return;
            MessageBeep(0);
        }
        Key = 0;
    }
}

} // namespace

// ---------------------------------------------------------------- in-place text editor

TRavInplaceEdit::TRavInplaceEdit(TComponent* AOwner) : TInplaceEdit(AOwner) {}

TRavArodozIdad* TRavInplaceEdit::RGrid() const { return static_cast<TRavArodozIdad*>(FGrid); }

void TRavInplaceEdit::SetVAlign(bool Value)
{
    FVAlign = Value;
    SetAlignment(Value ? taRightJustify : taLeftJustify);
}

void TRavInplaceEdit::UpdateContents()
{
    TRavArodozIdad* g = RGrid();
    if (FLengthLimit == 0)
        FLengthLimit = g->MaxEditLength();
    SetPasswordChar(g->EditorType() == edPassword ? g->PasswordChar() : 0);
    FWordWrap = g->WordWrap();
    FLookupEnabled = true;
    FEdited = false;
    TInplaceEdit::UpdateContents();
    TColor color = clNone;
    g->CellEditLook(g->Col(), g->Row(), color, Font());
    SetColor(color);
}

void TRavInplaceEdit::FilterChar(char& Key, bool Keypad)
{
    TRavArodozIdad* g = RGrid();
    if (g->ExcelStyleDecimalSeparator() && Key == '.' && Keypad)
        Key = FormatSettings.DecimalSeparator;
    if (FLengthLimit > 0 && int(Text().size()) >= FLengthLimit && SelLength() == 0 && Key != 8 && Key != 27 &&
        !(Key == '\r' && g->Navigation()->AdvanceOnEnter())) {
        Key = 0;
        return;
    }
    switch (g->EditorType()) {
    case edNormal:
    case edRichEdit:
    case edPassword: break;
    case edNumeric:
    case edPositiveNumeric:
    case edFloat: NumberFilter(g->EditorType(), this, Key); break;
    case edCapital:
    case edUpperCase: Key = char(std::toupper(static_cast<unsigned char>(Key))); break;
    case edLowerCase: Key = char(std::tolower(static_cast<unsigned char>(Key))); break;
    case edMixedCase:
        if (static_cast<unsigned char>(Key) >= 32) {
            const int pos = SelStart();
            SetSelText(AnsiString(1, Key));
            SetText(ShiftCase(Text()));
            SetSelStart(pos + 1);
            Key = 0;
        }
        break;
    default: Key = 0; break;
    }
}

bool TRavInplaceEdit::ValidateOrRestore()
{
    TRavArodozIdad* g = RGrid();
    if (g->ValidateCell(Text())) {
        // The handler may have changed the value: the editor must not write its own back.
        if (Text() != g->GetCurrentCell()) {
            FFilling = true;
            SetText(g->GetCurrentCell());
            FFilling = false;
        }
        return true;
    }
    FFilling = true;
    SetText(g->GetCurrentCell());
    FFilling = false;
    SetSelStart(int(Text().size()));
    return false;
}

void TRavInplaceEdit::EditKeyDown(Word& Key, TShiftState Shift)
{
    TRavArodozIdad* g = RGrid();
    const bool ctrl = Shift & ssCtrl, shift = Shift & ssShift;
    if ((ctrl && Key == 'V') || (shift && Key == VK_INSERT)) {
        DoPaste();
        Key = 0;
        return;
    }
    if ((ctrl && Key == 'C') || (ctrl && Key == VK_INSERT)) {
        DoCopy();
        Key = 0;
        return;
    }
    if ((ctrl && Key == 'X') || (shift && Key == VK_DELETE)) {
        DoCut();
        Key = 0;
        return;
    }
    switch (Key) {
    case VK_ESCAPE:
        SetText(g->CachedText());
        FEdited = false;
        break;
    case VK_TAB:
        if (g->Options() & goTabs) {
            if (!g->ValidateCell(Text())) {
                SetText(g->GetCurrentCell());
                SetSelStart(int(Text().size()));
            }
            g->HideInplaceEdit();
            g->TabEdit(shift);
            Key = 0;
        }
        break;
    case VK_UP:
    case VK_DOWN:
        if (!ctrl && !ValidateOrRestore())
            Key = 0;
        break;
    case VK_RETURN:
        if (!ctrl && !g->Navigation()->LineFeedOnEnter() && !ValidateOrRestore())
            Key = 0;
        break;
    default: break;
    }
}

void TRavInplaceEdit::KeyDown(Word& Key, TShiftState Shift)
{
    TRavArodozIdad* g = RGrid();
    FKeypad = Key == VK_DECIMAL;
    if (Key == VK_BACK || Key == VK_DELETE)
        FLookupEnabled = false;
    else if (!(Key == VK_RETURN || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN))
        FLookupEnabled = true;
    const bool mods = Shift & (ssShift | ssCtrl | ssAlt);
    if (g->Navigation()->CursorWalkEditor() && !mods && SelLength() == 0 &&
        ((Key == VK_LEFT && SelStart() == 0) || (Key == VK_RIGHT && SelStart() >= int(Text().size())))) {
        Word k = Key;
        g->EditorKeyDown(k, Shift);
        if (k == 0) {
            Key = 0;
            return;
        }
        const TAdvanceDirection dir = g->Navigation()->AdvanceDirection();
        g->Navigation()->SetAdvanceDirection(adLeftRight);
        g->AdvanceEdit(g->Col(), g->Row(), true, true, Key == VK_RIGHT);
        g->Navigation()->SetAdvanceDirection(dir);
        Key = 0;
        return;
    }
    TInplaceEdit::KeyDown(Key, Shift);
    // A caret key the editor kept (not handed on to the grid): the user edits within the text.
    if (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_HOME || Key == VK_END)
        FEdited = true;
}

void TRavInplaceEdit::KeyPress(char& Key)
{
    FilterChar(Key, FKeypad);
    if (Key == 0)
        return;
    TRavArodozIdad* g = RGrid();
    if (Key == '\r' && !g->Navigation()->LineFeedOnEnter() && !ValidateOrRestore()) {
        Key = 0;
        return;
    }
    if (Key == 3 || Key == 22 || Key == 24) { // the clipboard short cuts went through EditKeyDown
        Key = 0;
        return;
    }
    TInplaceEdit::KeyPress(Key);
}

void TRavInplaceEdit::KeyUp(Word& Key, TShiftState Shift)
{
    TRavArodozIdad* g = RGrid();
    TInplaceEdit::KeyUp(Key, Shift);
    if (Key != VK_LEFT && Key != VK_RIGHT)
        DoChange();
    if (g->SizeWhileTyping()->Width())
        g->SizeToWidth(g->Col(), true);
    if (g->SizeWhileTyping()->Height() && g->WordWrap())
        g->AutoSizeRow(g->Row());
    if (SelStart() > 0)
        g->EditProgress(Text(), TPoint(-1, -1), SelStart());
}

void TRavInplaceEdit::Change()
{
    if (!FFilling && Visible())
        FEdited = true;
    TInplaceEdit::Change();
}

void TRavInplaceEdit::DoChange()
{
    TRavArodozIdad* g = RGrid();
    if (!FLookupEnabled || SelLength() != 0 || !g->Lookup() || g->LookupItems()->Count() == 0)
        return;
    const bool cs = g->LookupCaseSensitive();
    AnsiString prefix = Text().substr(0, size_t(SelStart()));
    if (prefix.empty())
        return;
    if (!cs)
        prefix = UpperCase(prefix);
    for (int i = 0; i < g->LookupItems()->Count(); ++i) {
        const AnsiString item = g->LookupItems()->Strings(i);
        const AnsiString cmp = cs ? item : UpperCase(item);
        if (cmp.rfind(prefix, 0) == 0) {
            const AnsiString typed = Text().substr(0, prefix.size());
            SetText(typed + item.substr(prefix.size(), 255));
            SetSelStart(int(prefix.size()));
            SetSelLength(int(Text().size() - prefix.size()));
            return;
        }
    }
}

void TRavInplaceEdit::DoCopy()
{
    bool allow = true;
    if (RGrid()->OnClipboardCopy)
        RGrid()->OnClipboardCopy(this, allow);
    if (allow)
        CopyToClipboard();
}

void TRavInplaceEdit::DoCut()
{
    bool allow = true;
    if (RGrid()->OnClipboardCut)
        RGrid()->OnClipboardCut(this, allow);
    if (allow)
        CutToClipboard();
}

void TRavInplaceEdit::DoPaste()
{
    TRavArodozIdad* g = RGrid();
    AnsiString value = Clipboard()->AsText();
    if (value.empty())
        return;
    bool allow = true;
    if (g->OnClipboardBeforePasteCell)
        g->OnClipboardBeforePasteCell(this, g->Col(), g->Row(), value, allow);
    if (!allow)
        return;
    if (FLengthLimit > 0 && int(value.size()) > FLengthLimit)
        return;
    const int ss = SelStart(), sl = SelLength();
    AnsiString t = Text();
    t.replace(size_t(std::min<int>(ss, int(t.size()))), size_t(sl), value);
    if (FLengthLimit > 0 && int(t.size()) > FLengthLimit)
        return;
    if (g->OnClipboardPaste)
        g->OnClipboardPaste(this, allow);
    if (!allow)
        return;
    bool take = true;
    switch (g->EditorType()) {
    case edNumeric:
    case edPositiveNumeric: take = IsType(t) == atNumeric && (g->EditorType() == edNumeric || t.find('-') == AnsiString::npos); break;
    case edFloat: take = IsType(t) < atString; break;
    case edMixedCase: t = ShiftCase(t); break;
    case edLowerCase: t = LowerCase(t); break;
    case edUpperCase: t = UpperCase(t); break;
    default: break;
    }
    if (take) {
        SetText(t);
        SetModified(true);
    }
    // The caret moves as though the text was pasted, whether or not it was taken.
    if (sl > 0) {
        SetSelStart(std::min<int>(ss, int(Text().size())));
        SetSelLength(int(value.size()));
    } else
        SetSelStart(std::min<int>(ss + int(value.size()), int(Text().size())));
}

void TRavInplaceEdit::DoEnter()
{
    FEdited = false;
    TInplaceEdit::DoEnter();
    TRavArodozIdad* g = RGrid();
    if (g->CaretPositioningPending())
        g->ClearCaretPositioning();
}

void TRavInplaceEdit::DoExit()
{
    TRavArodozIdad* g = RGrid();
    g->FFirstKey = 0;
    if (g->LookupHistory() && !Text().empty() && g->LookupItems()->IndexOf(Text()) < 0)
        g->LookupItems()->Add(Text());
    TInplaceEdit::DoExit();
    auto* f = GetParentForm(this);
    TWinControl* to = f ? f->ActiveControl() : nullptr;
    if (to != g) {
        g->ValidateCell(Text());
        g->FEditing = false;
        g->FEditActive = false;
        g->SelectCell(g->Col(), g->Row());
    }
    FFilling = true;
    SetText(g->GetCurrentCell());
    FFilling = false;
    g->EditProgress(Text(), TPoint(-1, -1), -1);
    g->DoneEditing();
}

void TRavInplaceEdit::DblClick()
{
    TInplaceEdit::DblClick();
    TRavArodozIdad* g = RGrid();
    if (g->OnDblClickCell)
        g->OnDblClickCell(g, g->Row(), g->Col());
}

// As a grid or spreadsheet does: a click on a cell that is not being edited selects its
// text, so that typing replaces it; a double click selects the word under the pointer (the
// text between blanks, as the edit window selects it: a number whole) and starts editing.
void TRavInplaceEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TInplaceEdit::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || RGrid()->MouseActions()->CaretPositioning())
        return;
    if (Shift & ssDouble) {
        const AnsiString t = Text();
        const int n = static_cast<int>(t.size());
        const int at = std::max(0, std::min(CharFromPos(TPoint(X, Y)), n));
        int from = at, to = at;
        while (from > 0 && !std::isspace(static_cast<unsigned char>(t[static_cast<size_t>(from) - 1])))
            --from;
        while (to < n && !std::isspace(static_cast<unsigned char>(t[static_cast<size_t>(to)])))
            ++to;
        SetSelStart(from);
        SetSelLength(to - from);
        FEdited = true;
    } else if (!FEdited) {
        SelectAll();
    }
}

// The edit window's own caret placing and word selection give way to the above; with
// caret positioning the grid's rule places the caret instead.
bool TRavInplaceEdit::HoldsNativeMouse(int Kind, TMouseButton Button, int, int) const
{
    if (Button != mbLeft || RGrid()->MouseActions()->CaretPositioning())
        return false;
    return Kind == 3 || !FEdited;
}

// ---------------------------------------------------------------- editor controls

TGridEditorSupport::TGridEditorSupport(TComponent* AOwner) : FGrid(GridOf(AOwner)) {}

bool TGridEditorSupport::TakesKey(Word Key) const
{
    return Key == VK_RETURN || Key == VK_ESCAPE || (Key == VK_TAB && (FGrid->Options() & goTabs));
}

bool TGridEditorSupport::ExitKey(TCustomEdit* Edit, Word& Key, TShiftState Shift, bool Reload)
{
    switch (Key) {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN: break;
    default: return false;
    }
    const Word k = Key;
    Key = 0;
    const bool validated = k == VK_RETURN || k == VK_UP || k == VK_DOWN;
    if (validated && !StoreAndValidate(Edit))
        return true;
    if (Reload && (validated || k == VK_ESCAPE))
        Edit->SetText(FGrid->GetCurrentCell());
    FGrid->DoneInplaceEdit(k, Shift);
    return true;
}

bool TGridEditorSupport::StoreAndValidate(TCustomEdit* Edit)
{
    FGrid->SetCurrentCell(Edit->Text());
    if (FGrid->ValidateCell(Edit->Text()))
        return true;
    Edit->SetText(FGrid->GetCurrentCell());
    Edit->SetSelStart(int(Edit->Text().size()));
    Edit->Invalidate();
    return false;
}

// check box

TGridCheckBox::TGridCheckBox(TComponent* AOwner) : TCheckBox(AOwner), TGridEditorSupport(AOwner) {}

bool TGridCheckBox::WantsKey(Word Key, TShiftState Shift) const
{
    return Key == VK_RETURN || Key == VK_UP || Key == VK_DOWN || Key == VK_LEFT || Key == VK_RIGHT ||
           TCheckBox::WantsKey(Key, Shift);
}

// The box toggles itself once per click and per Space (on release), as any check box does.
void TGridCheckBox::KeyDown(Word& Key, TShiftState Shift)
{
    FGrid->EditorKeyDown(Key, Shift);
    switch (Key) {
    case VK_RETURN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
        const Word k = Key;
        FGrid->HideInplaceEdit();
        if (FGrid->CanFocus())
            FGrid->SetFocus();
        if (k == VK_RETURN)
            FGrid->AdvanceEdit(FGrid->Col(), FGrid->Row(), false, true, true);
        if (k == VK_UP || k == VK_DOWN) {
            Word kk = k;
            FGrid->PassKeyDown(kk, Shift);
        }
        Key = 0;
        return;
    }
    default: break;
    }
    if (Key)
        TCheckBox::KeyDown(Key, Shift);
}

void TGridCheckBox::DoExit()
{
    FGrid->HideInplaceEdit();
    TCheckBox::DoExit();
}

// spin edit

TGridSpin::TGridSpin(TComponent* AOwner) : TRagSpinEdit(AOwner), TGridEditorSupport(AOwner)
{
    SetMinValue(0);
    SetMaxValue(100);
    SetIncrement(1);
}

bool TGridSpin::WantsKey(Word Key, TShiftState Shift) const
{
    return TakesKey(Key) || TRagSpinEdit::WantsKey(Key, Shift);
}

void TGridSpin::SpinEvent(bool UpDown)
{
    switch (SpinType()) {
    case sptNormal:
        if (FGrid->OnSpinClick)
            FGrid->OnSpinClick(FGrid, FGrid->Col(), FGrid->Row(), Value(), UpDown);
        break;
    case sptFloat:
        if (FGrid->OnFloatSpinClick)
            FGrid->OnFloatSpinClick(FGrid, FGrid->Col(), FGrid->Row(), FloatValue(), UpDown);
        break;
    case sptDate:
        if (FGrid->OnDateSpinClick)
            FGrid->OnDateSpinClick(FGrid, FGrid->Col(), FGrid->Row(), DateValue(), UpDown);
        break;
    case sptTime:
        if (FGrid->OnTimeSpinClick)
            FGrid->OnTimeSpinClick(FGrid, FGrid->Col(), FGrid->Row(), TimeValue(), UpDown);
        break;
    }
}

void TGridSpin::UpClick(TObject* Sender)
{
    TRagSpinEdit::UpClick(Sender);
    SpinEvent(true);
}

void TGridSpin::DownClick(TObject* Sender)
{
    TRagSpinEdit::DownClick(Sender);
    SpinEvent(false);
}

void TGridSpin::KeyDown(Word& Key, TShiftState Shift)
{
    FGrid->EditorKeyDown(Key, Shift);
    if (SpinType() == sptNormal) {
        if (Key == VK_PRIOR && Value() + Increment() <= MaxValue())
            SetValue(Value() + Increment());
        else if (Key == VK_NEXT && Value() - Increment() >= MinValue())
            SetValue(Value() - Increment());
        else if (Key == VK_END)
            SetValue(MinValue());
        else if (Key == VK_HOME)
            SetValue(MaxValue());
    } else if (SpinType() == sptFloat) {
        if (Key == VK_PRIOR && FloatValue() + IncrementFloat() <= MaxFloatValue())
            SetFloatValue(FloatValue() + IncrementFloat());
        else if (Key == VK_NEXT && FloatValue() - IncrementFloat() >= MinFloatValue())
            SetFloatValue(FloatValue() - IncrementFloat());
        else if (Key == VK_END)
            SetFloatValue(MinFloatValue());
        else if (Key == VK_HOME)
            SetFloatValue(MaxFloatValue());
    }
    if (FGrid->OnSpinClick && (Key == VK_PRIOR || Key == VK_HOME || Key == VK_NEXT || Key == VK_END))
        FGrid->OnSpinClick(FGrid, FGrid->Col(), FGrid->Row(), Value(), Key == VK_PRIOR || Key == VK_HOME);
    if (Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE) {
        if (Key != VK_ESCAPE && !StoreAndValidate(this)) {
            Key = 0;
            return;
        }
        if (Key == VK_ESCAPE)
            SetText(FGrid->GetCurrentCell());
        const Word k = Key;
        Key = 0;
        FGrid->DoneInplaceEdit(k, Shift);
        return;
    }
    if (Key)
        TRagSpinEdit::KeyDown(Key, Shift);
}

void TGridSpin::KeyPress(char& Key)
{
    if (Key == '\t' || Key == '\r') {
        Key = 0;
        return;
    }
    TRagSpinEdit::KeyPress(Key);
}

void TGridSpin::DoExit()
{
    FGrid->HideInplaceEdit();
    TRagSpinEdit::DoExit();
}

// combo box

TGridCombo::TGridCombo(TComponent* AOwner) : TRAGComboBox(AOwner), TGridEditorSupport(AOwner)
{
    SetButtonWidth(16);
}

bool TGridCombo::WantsKey(Word Key, TShiftState Shift) const
{
    return TakesKey(Key) || TRAGComboBox::WantsKey(Key, Shift);
}

void TGridCombo::Select()
{
    FSelecting = true;
    TRAGComboBox::Select();
    FSelecting = false;
    FGrid->ComboSelChange();
}

void TGridCombo::Change()
{
    TRAGComboBox::Change();
    // Typed text (the list style has none); a chosen item is reported once, by Select.
    if (Style() != csDropDownList && !FSelecting) {
        DoChange();
        FGrid->ComboEditChange();
    }
}

void TGridCombo::WheelStep(int Delta)
{
    const int i = ItemIndex();
    if (Delta < 0 && i + 1 < Items()->Count())
        SetItemIndex(i + 1);
    else if (Delta > 0 && i > 0)
        SetItemIndex(i - 1);
    const int n = ItemIndex();
    const AnsiString s = n >= 0 ? Items()->Strings(n) : AnsiString();
    TObject* o = n >= 0 ? Items()->Objects(n) : nullptr;
    if (FGrid->OnComboChange)
        FGrid->OnComboChange(this, FGrid->Col(), FGrid->Row(), n, s);
    if (FGrid->OnComboObjectChange)
        FGrid->OnComboObjectChange(this, FGrid->Col(), FGrid->Row(), n, s, o);
}

bool TGridCombo::DoMouseWheelDown(TShiftState, const TPoint&)
{
    WheelStep(-1);
    return true;
}

bool TGridCombo::DoMouseWheelUp(TShiftState, const TPoint&)
{
    WheelStep(1);
    return true;
}

void TGridCombo::KeyDown(Word& Key, TShiftState Shift)
{
    FGrid->EditorKeyDown(Key, Shift);
    FLookAhead = Key != VK_BACK && Key != VK_DELETE;
    const bool list = Style() == csDropDownList || DroppedDown();
    const bool exitKey = list ? (Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_LEFT ||
                                 Key == VK_RIGHT)
                              : (Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR ||
                                 Key == VK_NEXT || Key == VK_END || Key == VK_UP || Key == VK_DOWN);
    if (!exitKey) {
        if (Key)
            TRAGComboBox::KeyDown(Key, Shift);
        return;
    }
    Word k = Key;
    Key = 0;
    if (k == VK_ESCAPE) {
        SetText(FGrid->GetCurrentCell());
        SetItemIndex(Items()->IndexOf(FGrid->GetCurrentCell()));
    }
    if (k == VK_RETURN || k == VK_UP || k == VK_DOWN) {
        FGrid->SetCurrentCell(Text());
        if (!FGrid->ValidateCell(Text())) {
            SetText(FGrid->GetCurrentCell());
            Invalidate();
            return;
        }
        SetText(FGrid->GetCurrentCell());
    }
    if (list) {
        FGrid->HideInplaceEdit();
        if (k == VK_LEFT || k == VK_RIGHT) {
            Word kk = k;
            FGrid->PassKeyDown(kk, Shift);
            k = 0;
        }
    } else if (k == VK_DOWN && (Shift & ssAlt)) {
        SetDroppedDown(true);
        return;
    }
    FGrid->DoneInplaceEdit(k, Shift);
}

void TGridCombo::KeyUp(Word& Key, TShiftState Shift)
{
    if (Key != VK_RETURN)
        TRAGComboBox::KeyUp(Key, Shift);
    DoChange();
}

void TGridCombo::KeyPress(char& Key)
{
    if (Key == '\t' || Key == '\r') {
        Key = 0;
        return;
    }
    TRAGComboBox::KeyPress(Key);
}

void TGridCombo::DoChange()
{
    if (!FLookAhead || !FGrid->Lookup() || Style() == csDropDownList)
        return;
    const bool cs = FGrid->LookupCaseSensitive();
    AnsiString prefix = Text();
    if (prefix.empty())
        return;
    if (!cs)
        prefix = UpperCase(prefix);
    for (int i = 0; i < Items()->Count(); ++i) {
        const AnsiString item = Items()->Strings(i);
        if ((cs ? item : UpperCase(item)).rfind(prefix, 0) == 0) {
            const AnsiString typed = Text();
            SetItemIndex(i);
            SetText(typed + item.substr(prefix.size(), 255));
            return;
        }
    }
}

void TGridCombo::SizeDropDownWidth()
{
    int w = Width();
    const bool scrolled = Items()->Count() > DropDownCount();
    TCanvas* cv = FGrid->Canvas();
    for (int i = 0; i < Items()->Count(); ++i) {
        const int t = cv->TextWidth(Items()->Strings(i));
        if (scrolled) {
            if (w - 25 < t)
                w = t + 25;
        } else if (w - 5 < t)
            w = t + 8;
    }
    SetDropWidth(w);
}

void TGridCombo::DoExit()
{
    if (FGrid->LookupHistory() && !Text().empty() && Items()->IndexOf(Text()) < 0)
        Items()->Add(Text());
    FGrid->HideInplaceEdit();
    TRAGComboBox::DoExit();
}

// editors of markup EDIT and COMBO controls

template <class Base>
TMarkupControlEditor<Base>::TMarkupControlEditor(TComponent* AOwner) : Base(AOwner), FGrid(GridOf(AOwner))
{
}

template <class Base>
bool TMarkupControlEditor<Base>::WantsKey(Word Key, TShiftState Shift) const
{
    return Key == VK_RETURN || Base::WantsKey(Key, Shift);
}

template <class Base>
void TMarkupControlEditor<Base>::KeyPress(char& Key)
{
    Base::KeyPress(Key);
    if (Key == '\r') {
        Key = 0;
        FGrid->ControlExit(this);
    }
}

template <class Base>
void TMarkupControlEditor<Base>::DoExit()
{
    FGrid->ControlExit(this);
    Base::DoExit();
}

template class TMarkupControlEditor<TEdit>;
template class TMarkupControlEditor<TRAGComboBox>;

// date picker

TGridDatePicker::TGridDatePicker(TComponent* AOwner) : TDateTimePicker(AOwner), TGridEditorSupport(AOwner) {}

void TGridDatePicker::KeyDown(Word& Key, TShiftState Shift)
{
    FGrid->EditorKeyDown(Key, Shift);
    if (Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END) {
        if (Key == VK_ESCAPE) {
            TDateTime d = 0;
            const AnsiString t = FGrid->GetCurrentCell();
            const bool ok = Kind() == dtkTime ? TryStrToTime(t, d) : TryStrToDate(t, d);
            if (Kind() == dtkTime)
                SetTime(ok ? d : Now());
            else
                SetDate(ok ? d : Now());
        }
        if (!DroppedDown) {
            const Word k = Key;
            Key = 0;
            FGrid->DoneInplaceEdit(k, Shift);
            return;
        }
    }
    if (Key)
        TDateTimePicker::KeyDown(Key, Shift);
}

void TGridDatePicker::DoExit()
{
    FGrid->HideInplaceEdit();
    TDateTimePicker::DoExit();
}

// edit with button

TGridEditBtn::TGridEditBtn(TComponent* AOwner) : TRagEditBtn(AOwner), TGridEditorSupport(AOwner)
{
    OnClickBtn = [this](TObject* s) { ExtClick(s); };
}

bool TGridEditBtn::WantsKey(Word Key, TShiftState Shift) const
{
    return TakesKey(Key) || TRagEditBtn::WantsKey(Key, Shift);
}

void TGridEditBtn::ExtClick(TObject*)
{
    AnsiString r;
    FGrid->EllipsClick(Text(), r);
    SetText(r);
    SelectAll();
    Invalidate();
}

void TGridEditBtn::KeyPress(char& Key)
{
    if (Key == '\r') {
        Key = 0;
        return;
    }
    const TEditorType t = FGrid->EditorType();
    if (t == edNumericEditBtn || t == edFloatEditBtn)
        NumberFilter(t, this, Key);
    else if (t != edEditBtn)
        Key = 0;
    if (Key)
        TRagEditBtn::KeyPress(Key);
}

void TGridEditBtn::KeyDown(Word& Key, TShiftState Shift)
{
    FGrid->EditorKeyDown(Key, Shift);
    if (Shift & ssCtrl) {
        if (Key)
            TRagEditBtn::KeyDown(Key, Shift);
        return;
    }
    if (ExitKey(this, Key, Shift, true))
        return;
    if (Key)
        TRagEditBtn::KeyDown(Key, Shift);
}

void TGridEditBtn::DoExit()
{
    FGrid->HideInplaceEdit();
    TRagEditBtn::DoExit();
}

// value and unit edit

TGridUnitEditBtn::TGridUnitEditBtn(TComponent* AOwner) : TRagUnitEditBtn(AOwner), TGridEditorSupport(AOwner) {}

bool TGridUnitEditBtn::WantsKey(Word Key, TShiftState Shift) const
{
    return TakesKey(Key) || TRagUnitEditBtn::WantsKey(Key, Shift);
}

void TGridUnitEditBtn::KeyPress(char& Key)
{
    if (Key == '\r') {
        Key = 0;
        return;
    }
    TRagUnitEditBtn::KeyPress(Key);
}

void TGridUnitEditBtn::KeyDown(Word& Key, TShiftState Shift)
{
    FGrid->EditorKeyDown(Key, Shift);
    // The value alone is stored and validated; the unit stays as it is.
    if (ExitKey(this, Key, Shift, false))
        return;
    if (Key)
        TRagUnitEditBtn::KeyDown(Key, Shift);
}

void TGridUnitEditBtn::DoExit()
{
    FGrid->HideInplaceEdit();
    TRagUnitEditBtn::DoExit();
}

// push button

TGridButton::TGridButton(TComponent* AOwner) : TButton(AOwner), TGridEditorSupport(AOwner) {}

void TGridButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        AnsiString r;
        FGrid->EllipsClick(Caption(), r);
        SetCaption(r);
    }
    TButton::MouseUp(Button, Shift, X, Y);
}

void TGridButton::KeyDown(Word& Key, TShiftState Shift)
{
    FGrid->EditorKeyDown(Key, Shift);
    if (Key == VK_ESCAPE) {
        SetVisible(false);
        SetEnabled(false);
        FGrid->HideInplaceEdit();
        if (FGrid->CanFocus())
            FGrid->SetFocus();
        FGrid->RestoreCache();
        Key = 0;
        return;
    }
    if (Key)
        TButton::KeyDown(Key, Shift);
}

void TGridButton::KeyUp(Word& Key, TShiftState Shift)
{
    if (Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN) {
        SetVisible(false);
        SetEnabled(false);
        FGrid->HideInplaceEdit();
        if (FGrid->CanFocus())
            FGrid->SetFocus();
        Word k = Key;
        FGrid->PassKeyDown(k, Shift);
        Key = 0;
        return;
    }
    if (Key == VK_SPACE) {
        AnsiString r;
        FGrid->EllipsClick(Caption(), r);
        SetCaption(r);
        Invalidate();
    }
    TButton::KeyUp(Key, Shift);
}

// ---------------------------------------------------------------- edit link

TEditLink::TEditLink(TComponent* AOwner) : TComponent(AOwner) {}

TEditLink::~TEditLink() = default;

void TEditLink::CreateEditor(TWinControl*) {}

void TEditLink::SetCellProps(TColor, TFont*) {}

void TEditLink::SetEditorValue(const AnsiString&) {}

void TEditLink::SetRect(const TRect& R)
{
    TWinControl* c = GetEditControl();
    if (!c || !FGrid)
        return;
    const int lw = FGrid->GridLineWidth();
    c->SetBounds(R.Left, R.Top, R.Width() - lw, R.Height() - lw);
}

void TEditLink::SetVisible(bool Value)
{
    if (TWinControl* c = GetEditControl())
        c->SetVisible(Value);
}

void TEditLink::SetFocus(bool Value)
{
    if (Value) {
        if (TWinControl* c = GetEditControl(); c && c->CanFocus())
            c->SetFocus();
    } else if (FGrid && FGrid->CanFocus())
        FGrid->SetFocus();
}

void TEditLink::EditKeyDown(TObject*, Word& Key, TShiftState Shift)
{
    if (!FGrid)
        return;
    FGrid->EditorKeyDown(Key, Shift);
    bool exitKey = false;
    switch (Key) {
    case VK_TAB: exitKey = true; break;
    case VK_RETURN: exitKey = !WantKeyReturn; break;
    case VK_ESCAPE: exitKey = !WantKeyEscape; break;
    case VK_PRIOR:
    case VK_NEXT: exitKey = !WantKeyPriorNext; break;
    case VK_END: exitKey = !WantKeyHomeEnd; break;
    case VK_LEFT:
    case VK_RIGHT: exitKey = !WantKeyLeftRight; break;
    case VK_UP:
    case VK_DOWN: exitKey = !WantKeyUpDown; break;
    default: break;
    }
    if (!exitKey)
        return;
    // The text from before the edit, taken before the focus moves: leaving the control may
    // store its value and refill the cache with it.
    const AnsiString before = FGrid->CachedText();
    if (Key == VK_ESCAPE)
        SetEditorValue(before);
    FForcedExit = true;
    if (FGrid->CanFocus())
        FGrid->SetFocus();
    FForcedExit = false;
    if (Key == VK_ESCAPE)
        FGrid->SetCellEx(FEditCol, FEditRow, before);
    else
        SetCellValue(GetEditorValue());
    FGrid->HideInplaceEdit();
    if (Key == VK_RETURN) {
        FGrid->AdvanceEdit(FGrid->Col(), FGrid->Row(), false, true, true);
        Key = 0;
    } else if (Key == VK_UP || Key == VK_DOWN) {
        Word k = Key;
        FGrid->PassKeyDown(k, Shift);
        Key = 0;
    }
}

void TEditLink::EditExit(TObject*)
{
    HideEditor();
    if (EditStyle == esPopup && FPopupForm) {
        FPopupForm->Release();
        FPopupForm = nullptr;
    }
}

void TEditLink::FormExit(TObject*)
{
    if (!FGrid)
        return;
    if (TRavInplaceEdit* e = FGrid->GetInplaceEditor())
        e->SetText(GetEditorValue());
    if (FForcedExit)
        SetCellValue(GetEditorValue());
    else
        EditExit(this);
}

void TEditLink::HideEditor()
{
    if (!FGrid)
        return;
    SetCellValue(GetEditorValue());
    FGrid->HideInplaceEdit();
    if (TWinControl* c = GetEditControl())
        c->SetVisible(false);
}

AnsiString TEditLink::GetCellValue() { return FGrid ? FGrid->GetCellEx(FGrid->RealColIndex(FGrid->Col()), FGrid->Row()) : AnsiString(); }

void TEditLink::SetCellValue(const AnsiString& S)
{
    if (FGrid)
        FGrid->UpdateEditingCell(FGrid->RealColIndex(FGrid->Col()), FGrid->Row(), S);
}

TWinControl* TEditLink::GetParent()
{
    if (EditStyle == esPopup && FPopupForm)
        return FPopupForm;
    return FGrid;
}
