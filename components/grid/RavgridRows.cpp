// Row and column operations: insert, remove, clear, swap, move, merge along a line, search.
#include <algorithm>
#include <functional>
#include <set>

#include "components/grid/Ravgrid.h"
#include "platform/core/StringUtils.h"

void TRavArodozIdad::InsertRows(int ARow, int Count)
{
    if (Count <= 0 || ARow < 0)
        return;
    const int old = RowCount();
    SetRowCountEx(old + Count);
    // The rows from ARow move down over the slots just below the old count;
    // stored rows further down stay where they are.
    Store().DeleteRows(old, Count);
    Store().InsertRows(ARow, Count);
    ShiftRowHeights(ARow, Count);
    Invalidate();
    CalcFooter(-1);
}

void TRavArodozIdad::AddRow()
{
    if (FFloatingFooter->Visible())
        InsertRows(RowCount() - 1, 1);
    else
        InsertRows(RowCount(), 1);
}

void TRavArodozIdad::RemoveRows(int ARow, int Count)
{
    if (Count <= 0 || ARow < 0 || ARow >= RowCount())
        return;
    Count = std::min(Count, RowCount() - ARow);
    // Every properties object of the removed rows (hidden columns included) is freed here, once.
    for (int r = ARow; r < ARow + Count; ++r)
        for (int c = 0, n = ColCount() + FNumHiddenColumns; c < n; ++c)
            Store().SetProps(c, r, nullptr);
    IRemoveRows(ARow, Count);
}

// As removing one row at a time: the rows go past the end, their texts stay
// stored there; heights and row-selection flags follow, the count drops.
void TRavArodozIdad::DropRows(int ARow, int Count)
{
    Store().MoveRowsToEnd(ARow, Count, RowCount());
    ShiftRowHeights(ARow + Count, -Count);
    if (FMouseActions->DisjunctRowSelect())
        for (int k = 0; k < Count; ++k)
            if (size_t(ARow) < FRowSelect.size())
                FRowSelect.erase(FRowSelect.begin() + ARow);
    SetRowCount(RowCount() - Count);
}

void TRavArodozIdad::IRemoveRows(int ARow, int Count)
{
    if (ARow > RowCount() || Count <= 0)
        return;
    Count = std::min(Count, RowCount() - ARow);
    if (Count <= 0)
        return;
    const int oldRow = Row(), oldTop = TopRow();
    BeginUpdate();
    DropRows(ARow, Count);
    if (oldRow < RowCount() - FFixedFooters) {
        MoveColRow(Col(), std::max(oldRow, FixedRows()), true, false);
        SetTopRow(oldTop);
    } else if (RowCount() - FFixedFooters - 1 >= FixedRows())
        MoveColRow(Col(), RowCount() - FFixedFooters - 1, true, true);
    else
        HideSelection();
    EndUpdate();
    CellsChanged(TRect(0, ARow, ColCount() - 1, ARow + Count));
    if (TopRow() >= RowCount() - 1)
        SetTopRow(RowCount() - 1);
}

void TRavArodozIdad::RemoveRowsEx(int ARow, int Count)
{
    if (Count <= 0 || ARow < 0 || ARow >= RowCount())
        return;
    Count = std::min(Count, RowCount() - ARow);
    const int oldRow = Row(), oldTop = TopRow();
    BeginUpdate();
    DropRows(ARow, Count);
    if (oldRow < RowCount()) {
        MoveColRow(Col(), std::max(oldRow, FixedRows()), true, false);
        SetTopRow(oldTop);
    } else if (FixedRows() < RowCount()) {
        MoveColRow(Col(), FixedRows(), true, false);
        SetTopRow(FixedRows());
    }
    EndUpdate();
    CellsChanged(TRect(0, ARow, ColCount() - 1, ARow + Count));
}

void TRavArodozIdad::ClearRows(int ARow, int Count)
{
    if (RowCount() <= 0 || ColCount() <= 0 || Count <= 0)
        return;
    ClearRect(0, ARow, ColCount() + FNumHiddenColumns - 1, ARow + Count - 1);
}

void TRavArodozIdad::SwapRows(int ARow1, int ARow2)
{
    if (ARow1 == ARow2)
        return;
    // Each row keeps its own properties objects: ownership moves with the row.
    Store().SwapRows(ARow1, ARow2);
    SwapRowHeights(ARow1, ARow2);
    RepaintRow(ARow1);
    RepaintRow(ARow2);
}

void TRavArodozIdad::SortSwapRows(int ARow1, int ARow2)
{
    ++FSortSwaps;
    // The sort follows the current row as it moves.
    if (FSortTrackedRow == ARow1)
        FSortTrackedRow = ARow2;
    else if (FSortTrackedRow == ARow2)
        FSortTrackedRow = ARow1;
    if (ARow1 >= 0 && ARow2 >= 0 && ARow1 < FSortCrossRef->Count() && ARow2 < FSortCrossRef->Count()) {
        const int a = FSortCrossRef->GetInteger(ARow1), b = FSortCrossRef->GetInteger(ARow2);
        FSortCrossRef->SetInteger(ARow1, b);
        FSortCrossRef->SetInteger(ARow2, a);
    }
    if (FSortSettings->SingleColumn()) {
        // Only the sort column's cells change places, texts as stored.
        const int c = FSortSettings->Column();
        const AnsiString t1 = Cells(c, ARow1), t2 = Cells(c, ARow2);
        Store().SetText(c, ARow1, t2);
        Store().SetText(c, ARow2, t1);
        TCellPropsPtr p1 = Store().TakeProps(c, ARow1);
        Store().SetProps(c, ARow1, Store().TakeProps(c, ARow2));
        Store().SetProps(c, ARow2, std::move(p1));
        return;
    }
    Store().SwapRows(ARow1, ARow2);
    if (RowHeights(ARow1) != RowHeights(ARow2))
        SwapRowHeights(ARow1, ARow2);
    if (FMouseActions->DisjunctRowSelect() && FNavigation->MoveRowOnSort()) {
        const size_t need = size_t(std::max(ARow1, ARow2)) + 1;
        if (FRowSelect.size() < need)
            FRowSelect.resize(need, 0);
        std::swap(FRowSelect[size_t(ARow1)], FRowSelect[size_t(ARow2)]);
    }
}

void TRavArodozIdad::RemoveDuplicates(int ACol, bool CaseSensitive)
{
    const int c = RemapCol(ACol);
    BeginUpdate();
    std::set<AnsiString> seen;
    int r = FixedRows();
    while (r < RowCount() - FFixedFooters) {
        AnsiString t = GetCellEx(c, r);
        AnsiString key = CaseSensitive ? t : UpperCase(t);
        if (seen.count(key))
            RemoveRows(r, 1);
        else {
            seen.insert(key);
            ++r;
        }
    }
    EndUpdate();
}

// Walks the rows below the fixed ones (up to the footers when BeforeFooters) and
// hands each row whose selection flag is Flagged to TakeOut, which removes or
// hides it so that the next row moves up into its place.
void TRavArodozIdad::TakeOutRowsByFlag(bool Flagged, bool BeforeFooters, const std::function<void(int)>& TakeOut)
{
    BeginUpdate();
    int r = FixedRows();
    while (r < RowCount() - (BeforeFooters ? FFixedFooters : 0)) {
        if (RowFlagged(r) == Flagged)
            TakeOut(r);
        else
            ++r;
    }
    EndUpdate();
}

void TRavArodozIdad::RemoveSelectedRows()
{
    TakeOutRowsByFlag(true, true, [this](int r) { RemoveRows(r, 1); });
}

void TRavArodozIdad::RemoveUnSelectedRows()
{
    TakeOutRowsByFlag(false, true, [this](int r) { RemoveRows(r, 1); });
}

void TRavArodozIdad::HideSelectedRows()
{
    TakeOutRowsByFlag(true, false, [this](int r) {
        FRowSelect[size_t(r)] = 0;
        HideRow(RemapRowInv(r));
    });
}

void TRavArodozIdad::HideUnSelectedRows()
{
    TakeOutRowsByFlag(false, false, [this](int r) { HideRow(RemapRowInv(r)); });
}

// ---------------------------------------------------------------- columns

void TRavArodozIdad::InsertCols(int ACol, int Count)
{
    if (Count <= 0 || ACol < 0)
        return;
    const int lastReal = ColCount() + FNumHiddenColumns; // one past the last real column
    SetColCountEx(ColCount() + Count);
    Store().DeleteCols(lastReal, Count);
    Store().InsertCols(ACol, Count);
    const int d = RemapColInv(ACol);
    for (int k = ColCount() - 1; k >= d + Count; --k)
        SetColWidths(k, ColWidths(k - Count));
    for (int k = d; k < d + Count && k < ColCount(); ++k)
        SetColWidths(k, DefaultColWidth());
    if (FNumHiddenColumns > 0) {
        for (int j = std::min(511, lastReal + Count - 1); j >= ACol + Count; --j)
            FVisibleCols[size_t(j)] = FVisibleCols[size_t(j - Count)];
        for (int j = ACol; j < ACol + Count && j < 512; ++j)
            FVisibleCols[size_t(j)] = true;
        RebuildColMap();
    }
    Invalidate();
}

void TRavArodozIdad::ClearCols(int ACol, int Count)
{
    if (RowCount() <= 0 || ColCount() <= 0 || Count <= 0)
        return;
    ClearRect(ACol, 0, ACol + Count - 1, RowCount() - 1);
}

void TRavArodozIdad::RemoveCols(int ACol, int Count)
{
    if (Count <= 0 || ACol < 0 || ACol >= ColCount())
        return;
    // Only the columns that exist go; the ones left of ACol stay.
    Count = std::min(Count, ColCount() - ACol);
    ClearCols(ACol, Count);
    const int old = ColCount();
    const int lastReal = old + FNumHiddenColumns; // one past the last real column
    Store().DeleteCols(ACol, Count);
    Store().InsertCols(std::max(ACol, lastReal - Count), Count); // slots past the real columns end up empty
    for (int i = ACol; i < old - Count; ++i)
        SetColWidths(i, ColWidths(i + Count));
    if (FNumHiddenColumns > 0) {
        for (int j = ACol; j + Count < 512; ++j)
            FVisibleCols[size_t(j)] = FVisibleCols[size_t(j + Count)];
        RebuildColMap();
    }
    SetColCountEx(std::max(1, old - Count));
    CellsChanged(TRect(ACol, 0, ACol + Count, RowCount() - 1));
}

void TRavArodozIdad::SwapColumns(int ACol1, int ACol2)
{
    if (ACol1 == ACol2)
        return;
    Store().SwapCols(ACol1, ACol2);
    const int w1 = ColWidths(ACol1), w2 = ColWidths(ACol2);
    SetColWidths(ACol1, w2);
    SetColWidths(ACol2, w1);
    Invalidate();
}

void TRavArodozIdad::MergeCols(int ACol1, int ACol2)
{
    for (int r = FixedRows(); r < RowCount(); ++r)
        SetCellEx(ACol1, r, Trim(GetCellEx(ACol1, r)) + " " + GetCellEx(ACol2, r));
    RemoveCols(ACol2, 1);
}

// ---------------------------------------------------------------- clearing

void TRavArodozIdad::ClearRect(int ACol1, int ARow1, int ACol2, int ARow2)
{
    if (ACol2 < ACol1 || ARow2 < ARow1)
        return;
    // Rows past the stored ones hold nothing; a row without properties objects
    // (or whose objects go anyway) is cleared in one step, not cell by cell.
    const int last = std::min(ARow2, Store().StoredRows() - 1);
    for (int r = std::max(ARow1, 0); r <= last; ++r) {
        TStoreRow& row = Store().Row(r);
        if (!FKeepPropsOnClear)
            row.ClearProps(ACol1, ACol2);
        if (!row.HasAnyProps()) {
            row.ClearTexts(ACol1, ACol2);
            continue;
        }
        for (int c = ACol1; c <= ACol2; ++c)
            if (!Store().TextView(c, r).empty())
                SetCellEx(c, r, ""); // a merged cell clears its base cell
    }
    Invalidate();
    if (FooterRowShown() && ARow1 <= RowCount() - 1 && RowCount() - 1 <= ARow2)
        FloatFooterUpdate();
    CellsChanged(TRect(ACol1, ARow1, ACol2, ARow2));
}

void TRavArodozIdad::ClearNormalCells()
{
    if (RowCount() <= 0 || ColCount() <= 0)
        return;
    ClearRect(FixedCols(), FixedRows(), ColCount() + FNumHiddenColumns - FFixedRightCols - 1,
              RowCount() - FFixedFooters - 1);
}

void TRavArodozIdad::ClearSelection()
{
    if (FMouseActions->DisjunctRowSelect()) {
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (RowFlagged(r))
                ClearRows(r, 1);
        return;
    }
    const TGridRect s = Selection();
    ClearRect(s.Left, s.Top, s.Right, s.Bottom);
}

void TRavArodozIdad::Clear()
{
    if (RowCount() > 0 && ColCount() > 0)
        ClearRect(0, 0, ColCount() + FNumHiddenColumns - 1, RowCount() - 1);
}

// ---------------------------------------------------------------- merging along a column or row

void TRavArodozIdad::MergeColumnCells(int ACol, bool IgnoreSpans)
{
    int start = FixedRows(), len = 1;
    const int last = RowCount() - FFixedFooters - 1;
    for (int r = FixedRows() + 1; r <= last; ++r) {
        if (GetCellEx(ACol, r) == GetCellEx(ACol, r - 1) && (IgnoreSpans || RowSpanIdentical(r, r - 1)))
            ++len;
        else {
            MergeCells(ACol, start, 1, len);
            start = r;
            len = 1;
        }
    }
    if (len > 1)
        MergeCells(ACol, start, 1, len);
}

void TRavArodozIdad::MergeRowCells(int ARow, bool IgnoreSpans)
{
    int start = FixedCols(), len = 1;
    const int last = ColCount() - FFixedRightCols - 1;
    for (int c = FixedCols() + 1; c <= last; ++c) {
        if (GetCellEx(c, ARow) == GetCellEx(c - 1, ARow) && (IgnoreSpans || ColSpanIdentical(c, c - 1)))
            ++len;
        else {
            MergeCells(start, ARow, len, 1);
            start = c;
            len = 1;
        }
    }
    if (len > 1)
        MergeCells(start, ARow, len, 1);
}

void TRavArodozIdad::SplitColumnCells(int ACol)
{
    int r = FixedRows();
    while (r < RowCount() - FFixedFooters - 1) {
        if (IsMergedCell(ACol, r)) {
            const int span = CellSpan(ACol, r).y;
            SplitCells(ACol, r);
            r += span + 1;
        } else
            ++r;
    }
}

void TRavArodozIdad::SplitRowCells(int ARow)
{
    int c = FixedCols();
    while (c < ColCount() - FFixedRightCols - 1) {
        if (IsMergedCell(c, ARow)) {
            const int span = CellSpan(c, ARow).x;
            SplitCells(c, ARow);
            c += span + 1;
        } else
            ++c;
    }
}

void TRavArodozIdad::SplitAllCells()
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (IsMergedCell(c, r))
                SplitCells(c, r);
}

bool TRavArodozIdad::IsCell(const AnsiString& Value, int& ACol, int& ARow)
{
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            if (Store().TextView(c, r) == Value) {
                ACol = c;
                ARow = r;
                return true;
            }
    return false;
}

// ---------------------------------------------------------------- change notification

void TRavArodozIdad::CellsChanged(const TRect& R)
{
    for (TGridChangeNotifier* n : FNotifiers)
        n->CellsChanged(R);
    if (OnCellsChanged)
        OnCellsChanged(this, R);
    CalcFooter(-1);
}

void TRavArodozIdad::UpdateCell(int ACol, int) { CalcFooter(ACol); }

// Formulas are the editing layer's; a formula cell shows its text until then.
AnsiString TRavArodozIdad::CalcCell(int ACol, int ARow) { return GetCellEx(ACol, ARow); }
AnsiString TRavArodozIdad::SaveCell(int ACol, int ARow)
{
    const AnsiString s = GetCellEx(ACol, ARow);
    if (!s.empty())
        return s;
    // An empty cell with a check box exports its state, or the state would be lost.
    const TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (g && g->CellType == Ravgrid::ctCheckBox)
        return g->CellBoolean ? GetCheckTrue(ACol, ARow) : GetCheckFalse(ACol, ARow);
    return s;
}
