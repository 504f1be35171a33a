// Hidden columns (kept in place, mapped out of the display) and hidden rows (cut out and kept).
#include <algorithm>

#include "components/grid/Ravgrid.h"

namespace {
constexpr int kHideableCols = 512;
}

void TRavArodozIdad::RebuildColMap()
{
    FDisplToReal.clear();
    if (FNumHiddenColumns == 0)
        return;
    for (int j = 0; j < kHideableCols + 1; ++j)
        if (FVisibleCols[size_t(j)])
            FDisplToReal.push_back(j);
}

int TRavArodozIdad::RemapCol(int ACol) const
{
    if (ACol >= kHideableCols || FNumHiddenColumns == 0 || ACol < 0)
        return ACol;
    return ACol < int(FDisplToReal.size()) ? FDisplToReal[size_t(ACol)] : 0;
}

int TRavArodozIdad::RemapColInv(int ACol) const
{
    if (FNumHiddenColumns == 0)
        return ACol;
    int hidden = 0;
    for (int j = 0; j < ACol && j <= kHideableCols; ++j)
        hidden += !FVisibleCols[size_t(j)];
    return ACol - hidden;
}

int TRavArodozIdad::RemapRow(int ARow) const
{
    int n = 0;
    for (const auto& it : FHiddenRows)
        n += it->Idx() < ARow;
    return ARow - n;
}

int TRavArodozIdad::RemapRowInv(int ARow) const
{
    if (FHiddenRows.empty())
        return ARow;
    std::vector<int> idx;
    idx.reserve(FHiddenRows.size());
    for (const auto& it : FHiddenRows)
        idx.push_back(it->Idx());
    std::sort(idx.begin(), idx.end());
    int r = ARow;
    for (int h : idx)
        if (h <= r)
            ++r;
    return r;
}

bool TRavArodozIdad::IsHiddenColumn(int ACol) const
{
    return ACol >= 0 && ACol < kHideableCols && !FVisibleCols[size_t(ACol)];
}

bool TRavArodozIdad::GetVisibleCol(int ACol) const
{
    return ACol < 0 || ACol > kHideableCols || FVisibleCols[size_t(ACol)];
}

void TRavArodozIdad::SetVisibleCol(int ACol, bool Value)
{
    if (ACol < 0 || ACol >= kHideableCols)
        return;
    FVisibleCols[size_t(ACol)] = Value;
    RebuildColMap();
}

int TRavArodozIdad::GetAllColWidths(int ACol) const
{
    if (ACol < 0 || ACol >= kHideableCols)
        return ColWidths(RemapColInv(ACol));
    return FAllColWidths[size_t(ACol)];
}

void TRavArodozIdad::SetAllColWidths(int ACol, int Value)
{
    if (ACol >= 0 && ACol < kHideableCols)
        FAllColWidths[size_t(ACol)] = Value;
    if (!IsHiddenColumn(ACol))
        SetColWidths(RemapColInv(ACol), Value);
}

void TRavArodozIdad::HideColumns(int FromCol, int ToCol)
{
    HideInplaceEditor();
    for (int c = std::max(0, FromCol); c <= ToCol && c < kHideableCols; ++c) {
        if (!FVisibleCols[size_t(c)] || c >= ColCount() + FNumHiddenColumns || ColCount() <= 1)
            continue;
        const int d = RemapColInv(c);
        FAllColWidths[size_t(c)] = ColWidths(d);
        for (int k = d; k < ColCount() - 1; ++k)
            SetColWidths(k, ColWidths(k + 1));
        ++FNumHiddenColumns;
        FVisibleCols[size_t(c)] = false;
        RebuildColMap();
        SetColCountEx(ColCount() - 1);
    }
    Invalidate();
}

void TRavArodozIdad::UnHideColumns(int FromCol, int ToCol)
{
    HideInplaceEditor();
    for (int c = std::max(0, FromCol); c <= ToCol && c < kHideableCols; ++c) {
        if (FVisibleCols[size_t(c)])
            continue;
        --FNumHiddenColumns;
        FVisibleCols[size_t(c)] = true;
        RebuildColMap();
        SetColCountEx(ColCount() + 1);
        const int d = RemapColInv(c);
        for (int k = ColCount() - 1; k > d; --k)
            SetColWidths(k, ColWidths(k - 1));
        SetColWidths(d, FAllColWidths[size_t(c)]);
    }
    Invalidate();
}

void TRavArodozIdad::UnHideColumnsAll() { UnHideColumns(0, ColCount() + FNumHiddenColumns); }

bool TRavArodozIdad::IsHiddenRow(int ARow) const
{
    for (const auto& it : FHiddenRows)
        if (it->Idx() == ARow)
            return true;
    return false;
}

TStrings* TRavArodozIdad::HiddenRow(int ARow)
{
    for (const auto& it : FHiddenRows)
        if (it->Idx() == ARow)
            return it->Items();
    return nullptr;
}

// Hides exactly the rows of the range that are not hidden yet; they are taken
// out as consecutive display rows (hidden rows are not displayed), whole rows
// with all real columns and their properties, by the given removal. A range
// whose first row is already hidden changes nothing.
void TRavArodozIdad::HideRowsBy(int FromRow, int ToRow, void (TRavArodozIdad::*Remove)(int, int))
{
    if (IsHiddenRow(FromRow))
        return;
    std::vector<int> rows;
    for (int r = std::max(0, FromRow); r <= ToRow; ++r)
        if (!IsHiddenRow(r) && RemapRow(r) < RowCount()) // rows past the grid's end are not there to hide
            rows.push_back(r);
    if (rows.empty())
        return;
    const int D = RemapRow(rows.front());
    for (size_t k = 0; k < rows.size(); ++k)
        FHiddenRows.push_back(std::make_unique<TGridItem>(rows[k], Store().TakeRow(D + int(k))));
    (this->*Remove)(D, int(rows.size()));
}

void TRavArodozIdad::HideRows(int FromRow, int ToRow)
{
    HideRowsBy(FromRow, ToRow, &TRavArodozIdad::IRemoveRows);
}

void TRavArodozIdad::HideRowsEx(int FromRow, int ToRow)
{
    HideRowsBy(FromRow, ToRow, &TRavArodozIdad::RemoveRowsEx);
}

void TRavArodozIdad::UnHideRow(int ARow) { UnHideRows(ARow, ARow); }

void TRavArodozIdad::UnHideRows(int FromRow, int ToRow)
{
    if (!IsHiddenRow(FromRow))
        return;
    std::vector<std::unique_ptr<TGridItem>> run;
    for (auto it = FHiddenRows.begin(); it != FHiddenRows.end();) {
        if ((*it)->Idx() >= FromRow && (*it)->Idx() <= ToRow) {
            run.push_back(std::move(*it));
            it = FHiddenRows.erase(it);
        } else
            ++it;
    }
    std::sort(run.begin(), run.end(), [](const auto& a, const auto& b) { return a->Idx() < b->Idx(); });
    // Each row goes back at its display position, counted against the rows still
    // hidden; when the grid has since shrunk below it, at the end.
    for (auto& item : run) {
        const int d = std::min(RemapRow(item->Idx()), RowCount());
        InsertRows(d, 1);
        Store().PutRow(d, std::move(item->Row()));
    }
    Invalidate();
}

void TRavArodozIdad::UnHideRowsAll()
{
    while (!FHiddenRows.empty()) {
        int first = FHiddenRows.front()->Idx(), last = first;
        for (size_t i = 1; i < FHiddenRows.size() && FHiddenRows[i]->Idx() == last + 1; ++i)
            last = FHiddenRows[i]->Idx();
        UnHideRows(first, last);
    }
}
