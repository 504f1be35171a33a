// Keys on the grid: typing opens the editor, Enter and Tab advance (adding rows
// at the end), Insert and Delete insert and delete rows, Home and End by row,
// the clipboard short cuts, and the editor reopening after a cursor key.
#include <algorithm>

#include "components/grid/Ravgrid.h"
#include "components/grid/RavgridEditors.h"
#include "platform/core/StringUtils.h"

namespace {

bool IsNavKey(Word Key)
{
    return Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_LEFT || Key == VK_UP ||
           Key == VK_RIGHT || Key == VK_DOWN || Key == VK_INSERT || Key == VK_DELETE;
}

bool IsArrow(Word Key) { return Key == VK_LEFT || Key == VK_UP || Key == VK_RIGHT || Key == VK_DOWN; }

} // namespace

void TRavArodozIdad::WMChar(char& Key)
{
    const TPoint b = BaseCell(RealColIndex(Col()), Row());
    const bool isStatic = HasStaticEdit(b.x, b.y);
    if (MouseActions()->RangeSelectAndEdit() && !isStatic) {
        TStringGrid::SetOptions(Options() | goEditing);
        const TRect r = CellRect(Col(), Row());
        TStringGrid::MouseDown(mbLeft, 0, r.Left + 2, r.Top + 2);
        TStringGrid::MouseUp(mbLeft, 0, r.Left + 2, r.Top + 2);
        TBaseGrid::WMChar(Key);
        return;
    }
    if (FExcelStyleDecimalSeparator && Key == '.' && FKeypadDecimal)
        Key = FormatSettings.DecimalSeparator;
    if (isStatic && Key != '\r') {
        Key = 0;
        return;
    }
    if ((Options() & goEditing) && (Key == 8 || static_cast<unsigned char>(Key) > 31)) {
        FFirstKey = Key;
        if (isStatic)
            return;
        ShowEditorChar(Key);
        Key = 0;
        return;
    }
    GridKeyPress(Key);
}

void TRavArodozIdad::GridKeyPress(char& Key)
{
    if (Key == 27) {
        if ((Options() & goEditing) && FEditing)
            RestoreCache();
    } else if (Key == '\r') {
        const TPoint b = BaseCell(RealColIndex(Col()), Row());
        if (!Focused() || HasStaticEdit(b.x, b.y)) {
            const int c = RealColIndex(Col());
            AdvanceEdit(Col(), Row(), false, false, true);
            if (HasStaticEdit(c, Row()))
                return;
        }
    } else if (!(Options() & goEditing) && Navigation()->AutoGotoWhenSorted()) {
        if (!Navigation()->AutoGotoIncremental())
            FSearchText = AnsiString(1, Key);
        else if (Key == 8) {
            if (!FSearchText.empty())
                FSearchText.pop_back();
        } else
            FSearchText += Key;
        const int hit = Search(UpperCase(FSearchText));
        if (hit != -1)
            SetRow(hit);
    }
    TBaseGrid::GridKeyPress(Key);
}

void TRavArodozIdad::KeyDown(Word& Key, TShiftState Shift)
{
    // A key ends panning, then does what it does.
    EndPanning();
    FKeypadDecimal = Key == VK_DECIMAL;
    const TGridRect oldSel = Selection();
    const bool ctrl = Shift & ssCtrl, shift = Shift & ssShift, alt = Shift & ssAlt;
    const int oldCol = Col(), oldLeft = LeftCol();
    const int firstData = FixedRows(), lastData = RowCount() - FFixedFooters - 1;
    const int firstCol = FixedCols(), lastCol = ColCount() - FFixedRightCols - 1;
    if (Navigation()->HomeEndKey() == heFirstLastRow && (Key == VK_HOME || Key == VK_END) && !FEditorKeyDone) {
        if (Key == VK_HOME)
            SetRow(firstData);
        else
            SetRow(FloatingFooter()->Visible() && RowCount() > 2 ? RowCount() - 2 : RowCount() - 1);
        SelectBaseCell();
        Key = 0;
        return;
    }
    if (Key == VK_TAB && (Options() & goTabs) && IsMergedCell(Col(), Row())) {
        TabEdit(shift);
        Key = 0;
        return;
    }
    TBaseGrid::KeyDown(Key, Shift);
    if (Key == 0)
        return;
    if ((Key == VK_PRIOR || Key == VK_NEXT || Key == VK_UP || Key == VK_DOWN) && (Options() & goRowSelect) &&
        Navigation()->KeepHorizScroll())
        SetLeftCol(oldLeft);
    if (FSelectionRectangle && !(Selection() == oldSel))
        Invalidate();
    if (Navigation()->AllowClipboardShortCuts()) {
        Ravgrid::TClipboardEvent* ev = nullptr;
        void (TRavArodozIdad::*op)() = nullptr;
        if (ctrl && Key == 'X')
            ev = &OnClipboardCut, op = &TRavArodozIdad::CutSelectionToClipboard;
        else if (ctrl && Key == 'V')
            ev = &OnClipboardPaste, op = &TRavArodozIdad::PasteSelectionFromClipboard;
        else if (ctrl && (Key == VK_INSERT || Key == 'C'))
            ev = &OnClipboardCopy, op = &TRavArodozIdad::CopySelectionToClipboard;
        else if (shift && Key == VK_INSERT)
            ev = &OnClipboardPaste, op = &TRavArodozIdad::PasteSelectionFromClipboard;
        else if (shift && Key == VK_DELETE)
            ev = &OnClipboardCut, op = &TRavArodozIdad::CutSelectionToClipboard;
        if (ev) {
            bool allow = true;
            if (*ev)
                (*ev)(this, allow);
            if (allow)
                (this->*op)();
            return;
        }
    }
    if (Key == VK_INSERT && Navigation()->AllowInsertRow() && !ctrl && !shift && !alt) {
        bool can = true;
        if (OnCanInsertRow)
            OnCanInsertRow(this, Row(), can);
        if (!can)
            return;
        if (Navigation()->InsertPosition() == pInsertAfter) {
            DoInsertRow(Row() + 1);
            SetRow(std::min(Row() + 1, RowCount() - 1));
        } else
            DoInsertRow(Row());
        FloatFooterUpdate();
        return;
    }
    if (ctrl && Key == 'A') {
        if ((Options() & goRowSelect) && (Options() & goRangeSelect))
            SetSelection(TGridRect{FixedCols(), firstData, ColCount() - 1, lastData});
        return;
    }
    if (MouseActions()->DisjunctRowSelect()) {
        if (Key == VK_PRIOR || Key == VK_NEXT || Key == VK_END || Key == VK_HOME || IsArrow(Key)) {
            if (!shift && !ctrl)
                ClearRowSelect();
            else if (shift)
                SelectToRowSelect(true);
            else
                SetRowSelect(Row(), true);
        } else if (Key == VK_SPACE)
            SetRowSelect(Row(), !GetRowSelect(Row()));
    }
    if (Key == VK_DELETE && Navigation()->AllowDeleteRow() && !alt && lastData >= firstData) {
        bool can = true;
        if (OnCanDeleteRow)
            OnCanDeleteRow(this, Row(), can);
        if (!can)
            return;
        DoDeleteRow(Row());
        FloatFooterUpdate();
        return;
    }
    if (Key == VK_TAB && (Options() & goTabs) && FFixedRightCols > 0 && oldCol == lastCol) {
        SetRow(Row() >= lastData ? firstData : Row() + 1);
        SetCol(firstCol);
    }
}

void TRavArodozIdad::KeyUp(Word& Key, TShiftState Shift)
{
    if (IsNavKey(Key))
        FSearchText.clear();
    TBaseGrid::KeyUp(Key, Shift);
    if (Navigation()->AlwaysEdit() && (IsArrow(Key) || (Key == VK_TAB && (Options() & goTabs))) &&
        (Options() & goEditing))
        ShowInplaceEdit();
}

int TRavArodozIdad::Search(const AnsiString& Text)
{
    if (RowCount() <= 1 || ColCount() <= 1)
        return -1;
    const int col = FSortSettings->Show() ? FSortSettings->Column() : RealColIndex(1);
    for (int r = FixedRows(); r < RowCount(); ++r)
        if (UpperCase(GetCellEx(col, r).substr(0, Text.size())) == Text)
            return r;
    return -1;
}

void TRavArodozIdad::DoInsertRow(int ARow)
{
    HideInplaceEdit();
    InsertRows(ARow, 1);
    if (OnAutoInsertRow)
        OnAutoInsertRow(this, ARow);
}

void TRavArodozIdad::DoDeleteRow(int ARow)
{
    HideInplaceEdit();
    if (RowCount() - FFixedFooters - FixedRows() == 1)
        ClearRows(ARow, 1);
    else
        RemoveRows(ARow, 1);
    if (OnAutoDeleteRow)
        OnAutoDeleteRow(this, ARow);
}

void TRavArodozIdad::AdvanceEdit(int ACol, int ARow, bool Force, bool ShowEditor, bool Forward)
{
    if (!Force && !Navigation()->AdvanceOnEnter())
        return;
    if (MouseActions()->RangeSelectAndEdit() && !(Options() & goEditing))
        TStringGrid::SetOptions(Options() | goEditing);
    const TPoint start = BaseCell(ACol, ARow);
    FFirstKey = 0;
    int c = start.x, r = start.y;
    auto lastRow = [this] { return RowCount() - FFixedFooters - 1; };
    const int firstRow = FixedRows(), firstCol = FixedCols();
    int lastCol = ColCount() - FFixedRightCols - 1;
    if (lastRow() < firstRow || lastCol < firstCol)
        return;
    // Skipping cells that cannot be edited ends after one full pass over the data cells.
    const long long pass = (long long)(lastRow() - firstRow + 1) * (lastCol - firstCol + 1);
    // A row (or column) is added at most once per advance, and only when some cell can take
    // the cursor: otherwise every wrap of the search would add one.
    bool added = false;
    auto mayAdd = [&] { return Navigation()->AdvanceInsert() && !added && AnyDataCellEditable(); };
    for (long long step = 0;; ++step) {
        if (step >= pass)
            return;
        const int span = CellSpan(c, r).x;
        if (Forward && Navigation()->AdvanceDirection() == adLeftRight) {
            if (c + span >= lastCol) {
                if (r >= lastRow()) {
                    if (mayAdd()) {
                        added = true;
                        bool can = true;
                        if (OnCanAddRow)
                            OnCanAddRow(this, can);
                        if (!can)
                            return;
                        HideInplaceEdit();
                        AddRow();
                        if (OnAutoAddRow)
                            OnAutoAddRow(this, lastRow());
                        // The handler may have changed the rows: read them again.
                        if (lastRow() < firstRow)
                            return;
                        r = std::min(r + 1, lastRow());
                        c = firstCol;
                    } else {
                        r = firstRow;
                        c = firstCol;
                    }
                } else {
                    c = firstCol;
                    ++r;
                }
            } else
                c = c + span + 1;
        } else if (Forward) {
            if (r >= lastRow()) {
                if (c + span < lastCol) {
                    r = firstRow;
                    c = c + span + 1;
                } else if (mayAdd()) {
                    added = true;
                    HideInplaceEdit();
                    InsertCols(ColCount() - FFixedRightCols, 1);
                    lastCol = ColCount() - FFixedRightCols - 1;
                    c = std::min(c + span + 1, lastCol);
                    r = firstRow;
                    if (OnAutoInsertCol)
                        OnAutoInsertCol(this, lastCol);
                } else {
                    r = firstRow;
                    c = firstCol;
                }
                Invalidate();
            } else
                ++r;
        } else if (Navigation()->AdvanceDirection() == adLeftRight) {
            if (c > firstCol)
                --c;
            else {
                c = lastCol;
                r = r > firstRow ? r - 1 : lastRow();
            }
        } else {
            if (r > firstRow)
                --r;
            else {
                r = lastRow();
                c = c > firstCol ? c - 1 : lastCol;
            }
        }
        r = std::clamp(r, firstRow, std::max(firstRow, RowCount() - 1));
        c = std::clamp(c, firstCol, std::max(firstCol, ColCount() - 1));
        if (IsEditable(RealColIndex(c), r))
            break;
    }
    bool allow = true;
    if (OnCellChanging)
        OnCellChanging(this, start.y, start.x, r, c, allow);
    FAdvancing = true;
    if (allow) {
        SetCol(c);
        SetRow(r);
    } else
        SelectCell(start.x, start.y);
    FAdvancing = false;
    const TPoint t = BaseCell(RealColIndex(c), r);
    if (ShowEditor || HasStaticEdit(t.x, t.y))
        ShowInplaceEdit();
}

bool TRavArodozIdad::AnyDataCellEditable()
{
    for (int r = FixedRows(); r <= RowCount() - FFixedFooters - 1; ++r)
        for (int c = FixedCols(); c <= ColCount() - FFixedRightCols - 1; ++c)
            if (IsEditable(RealColIndex(c), r))
                return true;
    return false;
}

void TRavArodozIdad::TabEdit(bool Backward)
{
    const int firstCol = FixedCols(), lastCol = ColCount() - FFixedRightCols - 1;
    const int firstRow = FixedRows(), lastRow = RowCount() - FFixedFooters - 1;
    int c = Col(), r = Row();
    if (!Backward) {
        if (c + CellSpan(c, r).x + 1 <= lastCol)
            c = c + CellSpan(c, r).x + 1;
        else {
            c = firstCol;
            r = r >= lastRow ? firstRow : r + 1;
        }
    } else if (c > firstCol)
        --c;
    else {
        c = lastCol;
        r = r <= firstRow ? lastRow : r - 1;
    }
    MoveColRow(c, r, true, true);
    Click();
}
