// Filtering: rows whose cells fail the filter conditions are hidden, and come
// back when the filter is switched off.
#include <cmath>

#include "components/grid/Ravgrid.h"
#include "components/grid/Ravutil.h"
#include "platform/core/IntConvert.h"

void TFilterData::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TFilterData*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    Column = s->Column;
    Condition = s->Condition;
    CaseSensitive = s->CaseSensitive;
}

void TFilter::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TFilter*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    if (s == this)
        return;
    FItems.clear();
    for (const auto& it : s->FItems)
        Add()->Assign(it.get());
}

TFilterData* TFilter::Add()
{
    FItems.push_back(std::make_unique<TFilterData>());
    return FItems.back().get();
}

TFilterData* TFilter::Insert(int) { return Add(); }

TFilterData* TFilter::Items(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
    return FItems[size_t(Index)].get();
}

void TFilter::SetItems(int Index, TFilterData* Value) { Items(Index)->Assign(Value); }

void TFilter::Delete(int Index)
{
    Items(Index);
    FItems.erase(FItems.begin() + Index);
}

TFilterData* TFilter::GetColFilter(int Column)
{
    for (const auto& it : FItems)
        if (it->Column == Column)
            return it.get();
    TFilterData* d = Add();
    d->Column = Column;
    return d;
}

bool TRavArodozIdad::MatchFilter(int ARow)
{
    for (int i = 0; i < FFilter->Count(); ++i) {
        const TFilterData* d = FFilter->Items(i);
        if (!MatchStrEx(d->Condition, GetCellEx(d->Column, ARow), d->CaseSensitive))
            return false;
    }
    return true;
}

void TRavArodozIdad::FilterRow(int ARow)
{
    if (!MatchFilter(ARow))
        HideRow(RemapRowInv(ARow));
}

void TRavArodozIdad::ApplyFilter()
{
    const int first = FixedRows();
    const int total = RowCount() - FFixedFooters - first;
    int counter = 0;
    bool open = false;
    int runDispl = 0, runFirst = 0, runLast = 0;
    for (int r = first; r < RowCount() - FFixedFooters; ++r) {
        if (!MatchFilter(r)) {
            if (!open) {
                open = true;
                runDispl = r;
                runFirst = runLast = RemapRowInv(r);
            } else
                runLast = RemapRowInv(r); // a row hidden before may sit inside the run
        } else if (open) {
            // The accepted row moves up to where the run began.
            HideRows(runFirst, runLast);
            open = false;
            r = runDispl;
        }
        ++counter;
        if (OnFilterProgress && total > 0)
            OnFilterProgress(this, short(std::nearbyint(100.0 * counter / total)));
    }
    if (open)
        HideRows(runFirst, runLast);
}

void TRavArodozIdad::SetFilterActive(bool Value)
{
    if (Value == FFilterActive)
        return;
    FFilterActive = Value;
    if (Value) {
        FFilterFixedRows = FixedRows();
        FFilterAddedRow = false;
        const int dataRows = RowCount() - FFilterFixedRows - FFixedFooters;
        const int hiddenBefore = NumHiddenRows();
        BeginUpdate();
        try {
            ApplyFilter();
        } catch (...) {
            EndUpdate();
            throw;
        }
        EndUpdate();
        // Every data row rejected: one empty data row stays under the fixed
        // rows. A grid never has fewer than one row, so without fixed rows
        // and footers that row is already there.
        if (dataRows > 0 && NumHiddenRows() - hiddenBefore == dataRows && !FFixedRowAlways) {
            if (RowCount() == FFilterFixedRows + FFixedFooters)
                InsertRows(FFilterFixedRows, 1);
            FFilterAddedRow = true;
            if (FixedRows() != FFilterFixedRows && FFilterFixedRows < RowCount())
                SetFixedRows(FFilterFixedRows);
        }
        return;
    }
    BeginUpdate();
    try {
        const bool placeholder = FFilterAddedRow && RowCount() == FFilterFixedRows + FFixedFooters + 1;
        if (placeholder && RowCount() > 1)
            RemoveRows(FFilterFixedRows, 1);
        UnHideRowsAll();
        // The only row left could not go before the others came back: it is
        // now below them.
        if (placeholder && NumHiddenRows() == 0 && RowCount() > FFilterFixedRows + FFixedFooters + 1 &&
            FFilterFixedRows + FFixedFooters == 0)
            RemoveRows(RowCount() - 1, 1);
        FFilterAddedRow = false;
        if (FixedRows() != FFilterFixedRows && FFilterFixedRows < RowCount())
            SetFixedRows(FFilterFixedRows);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}
