// Editing the grid's cells: which editor opens on a cell, the editor controls'
// placement and write-back, the combo items, cell changes with the editing
// permission, and the validation of an edited value.
#include <algorithm>
#include <cctype>

#include "components/grid/Raghtmle.h"
#include "components/grid/Ragcheck.h"
#include "components/grid/Ravgrid.h"
#include "components/grid/RavgridRich.h"
#include "components/grid/RavgridEditors.h"
#include "platform/core/DateTime.h"
#include "platform/core/FloatConvert.h"
#include "platform/core/FormatSettings.h"
#include "platform/forms/Form.h"

namespace {

// The platform's Val: the integer read up to the first character that is no part of it.
int LeadingInt(const AnsiString& S)
{
    size_t i = 0;
    while (i < S.size() && S[i] == ' ')
        ++i;
    bool neg = false;
    if (i < S.size() && (S[i] == '-' || S[i] == '+'))
        neg = S[i++] == '-';
    long long v = 0;
    while (i < S.size() && S[i] >= '0' && S[i] <= '9' && v < 0x80000000LL)
        v = v * 10 + (S[i++] - '0');
    v = std::min<long long>(v, 0x7FFFFFFFLL);
    return int(neg ? -v : v);
}

TDateTime DateOrNow(const AnsiString& S, bool Time)
{
    TDateTime d = 0;
    if (!S.empty() && (Time ? TryStrToTime(S, d) : TryStrToDate(S, d)))
        return d;
    return Now();
}

} // namespace

// ---------------------------------------------------------------- editor controls

void TRavArodozIdad::CreateEditControls()
{
    CreateRichEdits();
    if (ComponentStateHas(csDesigning))
        return;
    auto place = [this](TWinControl* c) {
        c->SetVisible(false);
        c->SetEnabled(false);
        c->SetParent(this);
    };
    FGridCheckBox = new TGridCheckBox(this);
    FGridSpin = new TGridSpin(this);
    FGridSpin->SetBorderStyle(bsNone);
    FGridCombo = new TGridCombo(this);
    FGridDatePicker = new TGridDatePicker(this);
    FGridEditBtn = new TGridEditBtn(this);
    FGridEditBtn->SetButtonCaption("...");
    FGridEditBtn->SetBorderStyle(bsNone);
    FGridUnitEditBtn = new TGridUnitEditBtn(this);
    FGridUnitEditBtn->SetButtonCaption("...");
    FGridUnitEditBtn->SetBorderStyle(bsNone);
    FGridButton = new TGridButton(this);
    FControlEdit = new TControlEdit(this);
    FControlCombo = new TControlCombo(this);
    for (TWinControl* c : std::initializer_list<TWinControl*>{FGridCheckBox, FGridSpin, FGridCombo, FGridDatePicker,
                                                              FGridEditBtn, FGridUnitEditBtn, FGridButton,
                                                              FControlEdit, FControlCombo})
        place(c);
    FGridCombo->Items()->Assign(FComboItems.get());
    // The editors draw in the visual style exactly when the grid found it active.
    FGridCombo->IsWinXP = FThemesActive;
    FGridSpin->SetIsWinXP(FThemesActive);
    FGridEditBtn->SetIsWinXP(FThemesActive);
    FGridUnitEditBtn->SetIsWinXP(FThemesActive);
}

bool TRavArodozIdad::IsEditorControlType(TEditorType T) const
{
    switch (T) {
    case edNormal:
    case edNumeric:
    case edPositiveNumeric:
    case edFloat:
    case edCapital:
    case edMixedCase:
    case edPassword:
    case edLowerCase:
    case edUpperCase: return false;
    default: return true;
    }
}

bool TRavArodozIdad::HasStaticEdit(int ACol, int ARow)
{
    const TPoint b = BaseCell(ACol, ARow);
    const TCellType t = GetCellType(b.x, b.y);
    return t == Ravgrid::ctCheckBox || t == Ravgrid::ctDataCheckBox || t == Ravgrid::ctRadio;
}

TRavInplaceEdit* TRavArodozIdad::GetInplaceEditor() const { return static_cast<TRavInplaceEdit*>(InplaceEditor()); }

TInplaceEdit* TRavArodozIdad::CreateEditor() { return new TRavInplaceEdit(this); }

void TRavArodozIdad::SetEditLink(TEditLink* Value)
{
    if (FEditLink == Value)
        return;
    if (FEditLink)
        FEditLink->RemoveFreeNotification(this);
    FEditLink = Value;
    if (FEditLink)
        FEditLink->FreeNotification(this);
}

// ---------------------------------------------------------------- opening an edit

bool TRavArodozIdad::CanEditShow()
{
    if (FValidating)
        return false;
    bool result = TBaseGrid::CanEditShow();
    if (ComponentStateHas(csDesigning))
        return result;
    const TPoint b = BaseCell(RealColIndex(Col()), Row());
    if (result && !FEditActive && HasStaticEdit(b.x, b.y))
        return false;
    if (result && !FEditActive) {
        FCellCache = GetCurrentCell();
        // Watch the cell whose edit opens, wherever the cursor was put before.
        InitValidate(Col(), Row());
        FEditorType = edNormal;
        GetCellEditor(b.x, b.y, FEditorType);
        FEditActive = true;
        if (IsEditorControlType(FEditorType)) {
            const TPoint d = BaseCell(Col(), Row());
            ShowEditControl(d.x, d.y);
            return false;
        }
    }
    if (result && IsEditorControlType(FEditorType))
        return false; // the control is showing already
    if (result)
        FEditing = true;
    return result;
}

TRect TRavArodozIdad::EditorCellRect(int ACol, int ARow) { return CellRect(ACol, ARow); }

void TRavArodozIdad::CellEditLook(int ACol, int ARow, TColor& AColor, TFont* AFont)
{
    TGridDrawState st = 0;
    TBrush brush;
    TAlignment ha = taLeftJustify;
    TVAlignment va{};
    bool ww = false;
    brush.SetColor(Color());
    AFont->Assign(Font());
    GetVisualProperties(ACol, ARow, st, false, false, true, &brush, AFont, ha, va, ww);
    AColor = brush.Color();
}

void TRavArodozIdad::ShowEditControl(int ACol, int ARow)
{
    FEditing = true;
    const TRect r = CellRect(ACol, ARow);
    const int w = r.Width() - 1, h = r.Height() - 1;
    TColor color = clNone;
    TFont font;
    CellEditLook(ACol, ARow, color, &font);
    const AnsiString text = GetEditText(ACol, ARow);
    TWinControl* shown = nullptr;
    switch (FEditorType) {
    case edSpinEdit:
    case edFloatSpinEdit:
    case edTimeSpinEdit:
    case edDateSpinEdit:
        FGridSpin->SetBounds(r.Left, r.Top, w, h);
        FGridSpin->SetColor(color);
        if (FEditorType == edSpinEdit) {
            FGridSpin->SetSpinType(sptNormal);
            FGridSpin->SetValue(LeadingInt(text));
        } else if (FEditorType == edFloatSpinEdit) {
            FGridSpin->SetSpinType(sptFloat);
            double v = 0;
            FGridSpin->SetFloatValue(TryStrToFloat(RemoveSeps(text), v) ? v : 0.0);
        } else if (FEditorType == edTimeSpinEdit) {
            FGridSpin->SetSpinType(sptTime);
            FGridSpin->SetText(text);
        } else {
            FGridSpin->SetDateValue(DateOrNow(text, false));
            FGridSpin->SetSpinType(sptDate);
        }
        shown = FGridSpin;
        break;
    case edComboEdit:
    case edComboList: {
        FGridCombo->SetBounds(r.Left, r.Top, 0, 0);
        FGridCombo->SetDroppedDown(false);
        if (FEditorType == edComboEdit)
            FGridCombo->SetStyle(csDropDown);
        else {
            FGridCombo->SetStyle(csDropDownList);
            FGridCombo->SetDropDownCount(8);
        }
        FGridCombo->SetBounds(r.Left, r.Top, w, h);
        if (FEditorType == edComboList) {
            int idx = FGridCombo->Items()->IndexOf(GetCellEx(RealColIndex(ACol), ARow));
            if (idx < 0)
                idx = FComboIdx >= 0 ? FComboIdx : 0;
            FGridCombo->SetItemIndex(idx);
        } else
            FGridCombo->SetText(text);
        FGridCombo->SetColor(color);
        FGridCombo->SetFlat(Look() == glSoft || Look() == glQSW);
        FGridCombo->SetEtched(Look() == glSoft || Look() == glQSW);
        if (Navigation()->AutoComboDropSize())
            FGridCombo->SizeDropDownWidth();
        shown = FGridCombo;
        break;
    }
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
        FGridEditBtn->SetBounds(r.Left, r.Top, w, h);
        FGridEditBtn->SetText(text);
        FGridEditBtn->SetMaxLength(GetEditLimit());
        FGridEditBtn->SetColor(color);
        shown = FGridEditBtn;
        break;
    case edCheckBox:
        FGridCheckBox->SetBounds(r.Left, r.Top, w, h);
        FGridCheckBox->SetCaption(text);
        FGridCheckBox->SetState(cbUnchecked);
        shown = FGridCheckBox;
        break;
    case edDateEdit:
    case edDateEditUpDown:
    case edTimeEdit:
        if (FEditorType == edTimeEdit) {
            FGridDatePicker->SetTime(DateOrNow(text, true));
            FGridDatePicker->SetKind(dtkTime);
        } else {
            FGridDatePicker->SetDate(DateOrNow(text, false));
            FGridDatePicker->SetKind(dtkDate);
        }
        FGridDatePicker->SetBounds(r.Left, r.Top, w, h);
        FGridDatePicker->SetColor(color);
        shown = FGridDatePicker;
        break;
    case edButton:
        FGridButton->SetBounds(r.Left - 1, r.Top - 1, w + 2, h + 2);
        FGridButton->SetCaption(text);
        shown = FGridButton;
        break;
    case edUnitEditBtn: {
        FGridUnitEditBtn->SetBounds(r.Left, r.Top, w, h);
        FGridUnitEditBtn->SetMaxLength(GetEditLimit());
        // The value is the leading number as typed; the unit is the rest, unchanged.
        size_t n = 0;
        while (n < text.size() && ((text[n] >= '0' && text[n] <= '9') || text[n] == ',' || text[n] == '-' ||
                                   text[n] == '.'))
            ++n;
        FGridUnitEditBtn->SetText(text.substr(0, n));
        FGridUnitEditBtn->SetUnitID(text.substr(n));
        FGridUnitEditBtn->SetColor(color);
        shown = FGridUnitEditBtn;
        break;
    }
    case edCustom:
        if (FEditLink) {
            FEditLink->FGrid = this;
            FEditLink->FEditCol = RealColIndex(ACol);
            FEditLink->FEditRow = ARow;
            if (FEditLink->EditStyle == esPopup) {
                if (FEditLink->AutoPopupWidth)
                    FEditLink->PopupWidth = r.Width();
                auto* f = new TForm(FEditLink);
                f->SetBorderStyle(bsNone);
                const TPoint p = ClientToScreen(TPoint(r.Left, r.Top));
                f->SetBounds(p.x, p.y, FEditLink->PopupWidth, FEditLink->PopupHeight);
                TEditLink* link = FEditLink;
                f->OnDeactivate = [link](TObject* s) { link->FormExit(s); };
                FEditLink->FPopupForm = f;
                f->Show();
                FEditLink->CreateEditor(f);
                FEditLink->SetRect(TRect(0, 0, FEditLink->PopupWidth, FEditLink->PopupHeight));
            } else {
                FEditLink->CreateEditor(this);
                FEditLink->SetRect(r);
            }
            FEditLink->SetVisible(true);
            FEditLink->SetCellProps(color, &font);
            FEditLink->SetProperties();
            if (OnGetEditorProp)
                OnGetEditorProp(this, RealColIndex(ACol), ARow, FEditLink);
            FEditLink->SetEditorValue(text);
            FEditLink->SetFocus(true);
        }
        break;
    case edRichEdit:
        ShowRichEditor(ACol, ARow, r, color);
        shown = FInplaceRichEdit;
        break;
    default: break;
    }
    if (shown) {
        shown->SetEnabled(true);
        shown->SetVisible(true);
        shown->BringToFront();
        if (shown->CanFocus())
            shown->SetFocus();
        if (shown == FGridCombo && MouseActions()->DirectComboDrop())
            FGridCombo->SetDroppedDown(true);
        if (shown == FInplaceRichEdit)
            RichEditorShown();
    }
    // The character that opened the editor goes on to the text editors among the controls.
    const char first = FFirstKey;
    FFirstKey = 0;
    if (first && shown && (shown == FGridSpin || shown == FGridEditBtn || shown == FGridUnitEditBtn)) {
        auto* e = static_cast<TCustomEdit*>(shown);
        const char k = first;
        if (k == 8)
            e->SetSelText("");
        else {
            e->SelectAll();
            char typed = k;
            if (shown == FGridSpin && !FGridSpin->IsValidChar(typed))
                typed = 0;
            if (typed)
                e->SetSelText(AnsiString(1, typed));
        }
    } else if (first && shown == FGridCombo && FEditorType == edComboEdit) {
        FGridCombo->SetText(AnsiString(1, first));
        ComboEditChange();
    } else if (first && shown == FGridCombo) {
        // A letter typed on a list picks the first item that starts with it, as the list does.
        const char up = char(std::toupper(static_cast<unsigned char>(first)));
        for (int i = 0; i < FGridCombo->Items()->Count(); ++i) {
            const AnsiString& item = FGridCombo->Items()->Strings(i);
            if (!item.empty() && std::toupper(static_cast<unsigned char>(item[0])) == up) {
                FGridCombo->SetItemIndex(i);
                ComboSelChange();
                break;
            }
        }
    }
}

void TRavArodozIdad::HideEditControl(int ACol, int ARow)
{
    FFirstKey = 0;
    const int c = RealColIndex(ACol);
    TWinControl* ctl = nullptr;
    switch (FEditorType) {
    case edSpinEdit:
    case edTimeSpinEdit:
        UpdateEditingCell(c, ARow, FGridSpin->Text());
        ctl = FGridSpin;
        break;
    case edFloatSpinEdit:
        SetFloats(c, ARow, FGridSpin->FloatValue());
        ctl = FGridSpin;
        break;
    case edDateSpinEdit:
        SetDates(c, ARow, FGridSpin->DateValue());
        ctl = FGridSpin;
        break;
    case edComboEdit:
    case edComboList:
        if (FEditActive)
            UpdateEditingCell(c, ARow, FGridCombo->Text());
        ctl = FGridCombo;
        break;
    case edEditBtn:
    case edNumericEditBtn:
    case edFloatEditBtn:
        UpdateEditingCell(c, ARow, FGridEditBtn->Text());
        ctl = FGridEditBtn;
        break;
    case edDateEdit:
    case edDateEditUpDown:
        UpdateEditingCell(c, ARow, DateToStr(FGridDatePicker->Date()));
        ctl = FGridDatePicker;
        break;
    case edTimeEdit:
        UpdateEditingCell(c, ARow, TimeToStr(FGridDatePicker->Time()));
        ctl = FGridDatePicker;
        break;
    case edUnitEditBtn:
        UpdateEditingCell(c, ARow, FGridUnitEditBtn->Text() + FGridUnitEditBtn->UnitID());
        ctl = FGridUnitEditBtn;
        break;
    case edCheckBox: ctl = FGridCheckBox; break;
    case edButton: ctl = FGridButton; break;
    case edRichEdit:
        RichToCell(c, ARow, FInplaceRichEdit);
        ctl = FInplaceRichEdit;
        break;
    case edCustom:
        if (FEditLink && FEditLink->EditStyle != esPopup)
            FEditLink->SetVisible(false);
        break;
    default: break;
    }
    if (ctl && ctl->Visible()) {
        // Focus back first, so that it never leaves the grid.
        if (ctl->Focused() && CanFocus())
            SetFocus();
        ctl->SetEnabled(false);
        ctl->SetVisible(false);
    }
    FEditActive = false;
    // The text editor reports the end of its edit when it loses the focus.
    if (IsEditorControlType(FEditorType))
        DoneEditing();
}

// The text editor closed on its own (Enter, Escape, a move): the edit of the cell is over.
void TRavArodozIdad::EditorHidden()
{
    if (!IsEditorControlType(FEditorType))
        FEditActive = false;
}

void TRavArodozIdad::ShowCellEdit()
{
    // As F2 on the grid: the base grid opens the editor.
    Word k = VK_F2;
    KeyDown(k, 0);
}

void TRavArodozIdad::ShowInplaceEdit()
{
    const TPoint b = BaseCell(RealColIndex(Col()), Row());
    if (HasStaticEdit(b.x, b.y))
        return;
    ShowEditor();
}

void TRavArodozIdad::HideInplaceEdit()
{
    // Hiding a focused control moves the focus, whose exit comes back here: once is enough.
    if (!FEditActive || FHidingEdit)
        return;
    FHidingEdit = true;
    HideEditor();
    HideEditControl(Col(), Row());
    FEditActive = false;
    FHidingEdit = false;
    SelectCell(Col(), Row());
}

void TRavArodozIdad::DoneInplaceEdit(Word Key, TShiftState Shift)
{
    FEndingEdit = true;
    HideInplaceEdit();
    if (Key == VK_TAB || Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN) {
        Word k = Key;
        PassKeyDown(k, Shift);
    }
    const bool always = Navigation()->AlwaysEdit();
    Navigation()->SetAlwaysEdit(false);
    if (CanFocus() && !Focused())
        SetFocus();
    if (Key == VK_RETURN)
        AdvanceEdit(Col(), Row(), false, true, true);
    Navigation()->SetAlwaysEdit(always);
    FEndingEdit = false;
}

void TRavArodozIdad::DoneEditing()
{
    if (OnEditingDone)
        OnEditingDone(this);
}

void TRavArodozIdad::UpdateEditingCell(int ACol, int ARow, const AnsiString& Value) { SetCellEx(ACol, ARow, Value); }

void TRavArodozIdad::RestoreCache() { SetCellEx(RealColIndex(Col()), Row(), FCellCache); }

AnsiString TRavArodozIdad::GetEditText(int ACol, int ARow)
{
    const int c = RealColIndex(ACol);
    if (TRavInplaceEdit* e = GetInplaceEditor())
        e->SetVAlign((GetCellAlignment(c, ARow) & 0xFF) == taRightJustify);
    AnsiString v = TBaseGrid::GetEditText(c, ARow);
    if (!FEditWithTags)
        v = HTMLStrip(v);
    return v;
}

void TRavArodozIdad::SetEditText(int ACol, int ARow, const AnsiString& Value)
{
    TBaseGrid::SetEditText(RealColIndex(ACol), ARow, Value);
}

void TRavArodozIdad::EllipsClick(const AnsiString& S, AnsiString& Result)
{
    AnsiString s = S;
    if (OnEllipsClick)
        OnEllipsClick(this, RealColIndex(Col()), Row(), s);
    Result = s;
}

void TRavArodozIdad::EditProgress(const AnsiString&, const TPoint&, int) {}

// ---------------------------------------------------------------- combo items

TStrings* TRavArodozIdad::ComboItems() const { return FGridCombo ? FGridCombo->Items() : FComboItems.get(); }

void TRavArodozIdad::ClearComboString() { ComboItems()->Clear(); }

int TRavArodozIdad::AddComboString(const AnsiString& S) { return ComboItems()->Add(S); }

void TRavArodozIdad::AddComboStringObject(const AnsiString& S, TObject* AObject)
{
    ComboItems()->AddObject(S, AObject);
}

bool TRavArodozIdad::RemoveComboString(const AnsiString& S)
{
    const int i = ComboItems()->IndexOf(S);
    if (i < 0)
        return false;
    ComboItems()->Delete(i);
    return true;
}

bool TRavArodozIdad::SetComboSelectionString(const AnsiString& S)
{
    const int i = ComboItems()->IndexOf(S);
    if (i < 0)
        return false;
    FComboIdx = i;
    return true;
}

int TRavArodozIdad::GetComboCount() const { return ComboItems()->Count(); }

void TRavArodozIdad::ComboSelChange()
{
    const int i = FGridCombo->ItemIndex();
    const AnsiString s = i >= 0 ? FGridCombo->Items()->Strings(i) : AnsiString();
    TObject* o = i >= 0 ? FGridCombo->Items()->Objects(i) : nullptr;
    if (OnComboChange)
        OnComboChange(this, Col(), Row(), i, s);
    if (OnComboObjectChange)
        OnComboObjectChange(this, Col(), Row(), i, s, o);
}

void TRavArodozIdad::ComboEditChange()
{
    if (OnComboChange)
        OnComboChange(this, Col(), Row(), -1, FGridCombo->Text());
}

// ---------------------------------------------------------------- selecting a cell

bool TRavArodozIdad::IsEditable(int ACol, int ARow)
{
    if (!(Options() & goEditing) && !MouseActions()->RangeSelectAndEdit() && !FEditingSwitchedOff)
        return false;
    bool canEdit = true;
    GetCellReadOnly(ACol, ARow, canEdit);
    bool fixed = false;
    GetCellFixed(ACol, ARow, fixed);
    return canEdit && !fixed;
}

bool TRavArodozIdad::SelectCell(int ACol, int ARow)
{
    if (FloatingFooter()->Visible() && FloatingFooter()->FooterStyle() == fsFixedLastRow && ARow == RowCount() - 1 &&
        RowCount() > FixedRows() + 1)
        return false;
    if (ACol < 0 || ARow < 0)
        return false;
    bool allow = true;
    if (!FAdvancing) {
        if (ARow != Row() && OnRowChanging)
            OnRowChanging(this, Row(), ARow, allow);
        if (ACol != Col() && OnColChanging)
            OnColChanging(this, Col(), ACol, allow);
        if ((ARow != Row() || ACol != Col()) && OnCellChanging)
            OnCellChanging(this, Row(), Col(), ARow, ACol, allow);
    }
    if (ACol == 0 && HasNodes() && !(Options() & goRowSelect))
        return false;
    if (!allow)
        return false;
    const int oldCol = Col(), oldRow = Row();
    AnsiString text = GetCellEx(RealColIndex(ACol), ARow);
    if (!HasStaticEdit(RealColIndex(ACol), ARow)) {
        bool canEdit = (Options() & goEditing) || FEditingSwitchedOff;
        GetCellReadOnly(RealColIndex(ACol), ARow, canEdit);
        if (canEdit) {
            FEditingSwitchedOff = false;
            if (!(Options() & goEditing)) {
                InitValidate(ACol, ARow);
                TStringGrid::SetOptions(Options() | goEditing);
            }
            if (FEditing && !(ACol == oldCol && ARow == oldRow)) {
                HideInplaceEdit();
                text = GetCellEx(RealColIndex(ACol), ARow);
            }
        } else if (Options() & goEditing) {
            FEditingSwitchedOff = true;
            TStringGrid::SetOptions(Options() & ~goEditing);
        }
    }
    bool result;
    TRavInplaceEdit* ed = GetInplaceEditor();
    if (FEditing && !(ed && ed->Focused())) {
        result = ValidateCell(GetCurrentCell()) && TBaseGrid::SelectCell(ACol, ARow);
    } else if (IsFixed(ACol, ARow))
        result = false;
    else
        result = TBaseGrid::SelectCell(ACol, ARow);
    if (!RowIndicator()->Empty() && FixedCols() > 0) {
        RepaintCell(0, oldRow);
        RepaintCell(0, ARow);
    }
    if (ActiveCellShow()) {
        RepaintCell(oldCol, 0);
        RepaintCell(ACol, 0);
        RepaintCell(0, oldRow);
        RepaintCell(0, ARow);
    }
    FCellCache = text;
    return result;
}

// ---------------------------------------------------------------- validation

void TRavArodozIdad::InitValidate(int ACol, int ARow)
{
    FValidateCell = TPoint(ACol, ARow);
    FValidateStart = GetCellEx(RealColIndex(ACol), ARow);
}

bool TRavArodozIdad::ValidateCell(const AnsiString& Value)
{
    if (!FEditing || FValidating)
        return true;
    FEditing = false;
    FValidating = true;
    bool valid = true;
    const int col = RealColIndex(FValidateCell.x), row = FValidateCell.y;
    if (Value != FValidateStart) {
        UpdateCell(col, row);
        AnsiString text = Value;
        if (FCellChecker && FCellChecker->AutoCorrect)
            text = FCellChecker->Correct(col, row, text);
        const AnsiString offered = text;
        if (OnCellValidate)
            OnCellValidate(this, col, row, text, valid);
        const bool replaced = text != offered;
        if (FCellChecker && FCellChecker->AutoMarkError)
            text = FCellChecker->MarkError(col, row, text);
        CellsChanged(TRect(col, row, col, row));
        if (valid) {
            SetCellEx(col, row, text);
            // The totals follow the value as written, also one the handler changed.
            CalcFooter(col);
        } else {
            SetCellEx(col, row, replaced ? text : FValidateStart);
            if (FValidateCell.x != Col())
                InvalidateEditor();
            if (FValidateCell.x != Col() || FValidateCell.y != Row()) {
                FAdvancing = true;
                MoveColRow(FValidateCell.x, FValidateCell.y, true, true);
                FAdvancing = false;
            }
            FValidating = false;
            FEditing = true;
            ShowInplaceEdit();
        }
        FValidateStart = GetCellEx(col, row);
    }
    InitValidate(Col(), Row());
    FValidating = false;
    return valid;
}

// ---------------------------------------------------------------- focus

void TRavArodozIdad::DoEnter()
{
    if (FEndingEdit)
        return;
    TBaseGrid::DoEnter();
    SelectCell(Col(), Row());
    InitValidate(Col(), Row());
    // The editor reopens when the grid gets the focus back with AlwaysEdit.
    if (Navigation()->AlwaysEdit() && FEditorType == edNormal && !FEditActive)
        ShowInplaceEdit();
}

void TRavArodozIdad::DoExit()
{
    TBaseGrid::DoExit();
    ReleaseMarkupButton();
}

void TRavArodozIdad::Click()
{
    TBaseGrid::Click();
    InitValidate(Col(), Row());
}
