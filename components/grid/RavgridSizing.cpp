// Dimensions, automatic sizing, stretching and the reactions to size changes.
#include <algorithm>
#include <cmath>

#include "components/grid/Ravgrid.h"
#include "platform/forms/Form.h"
#include "platform/graphics/Canvas.h"

void TRavArodozIdad::SetRowCountEx(int Value)
{
    SetRowCount(Value);
    if (RowCount() > 1 && FFixedRowAlways)
        SetFixedRows(1);
    SetDisplTextRowLimit(Value);
    FloatFooterUpdate();
}

void TRavArodozIdad::SetColCountEx(int Value)
{
    SetColCount(Value);
    if (ColCount() > 1 && FFixedColAlways)
        SetFixedCols(1);
    FloatFooterUpdate();
    SetBounds(Left(), Top(), Width(), Height());
}

int TRavArodozIdad::GetFixedRowsEx() const { return FixedRows() == 0 && FFixedRowAlways ? 1 : FixedRows(); }
void TRavArodozIdad::SetFixedRowsEx(int Value) { SetFixedRows(Value); }
int TRavArodozIdad::GetFixedColsEx() const { return FixedCols() == 0 && FFixedColAlways ? 1 : FixedCols(); }
void TRavArodozIdad::SetFixedColsEx(int Value) { SetFixedCols(Value); }

void TRavArodozIdad::SetFixedColWidth(int Value)
{
    for (int c = 0; c < std::max(1, FixedCols()); ++c)
        SetColWidths(c, Value);
}

void TRavArodozIdad::SetFixedRowHeight(int Value)
{
    for (int r = 0; r < std::max(1, FixedRows()); ++r)
        SetRowHeights(r, Value);
}

void TRavArodozIdad::SetDefRowHeightEx(int Value)
{
    SetDefaultRowHeight(Value);
    FFloatingFooter->SetHeight(Value);
}

void TRavArodozIdad::SetFixedFooters(int Value)
{
    FFixedFooters = Value;
    Invalidate();
}

void TRavArodozIdad::SetFixedRightCols(int Value)
{
    FFixedRightCols = Value;
    Invalidate();
}

void TRavArodozIdad::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    if (FUpdateCount == 0)
        Invalidate();
}

void TRavArodozIdad::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    if (Value)
        AutoSizeColumns(false, 10);
}

void TRavArodozIdad::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    if (FIntegralHeight && DefaultRowHeight() > 0) {
        if (VisibleColCount() + FixedCols() < ColCount())
            AHeight = AHeight - (AHeight % DefaultRowHeight()) - 1;
        else
            AHeight = AHeight + DefaultRowHeight() - (AHeight % DefaultRowHeight()) - 1 - ScrollBarSize();
    }
    TBaseGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
}

// ---------------------------------------------------------------- stretching

void TRavArodozIdad::StretchColumn(int ACol)
{
    if (ComponentStateHas(csLoading) || ColCount() == 0 || !FColumnSize->Stretch() || FInStretch)
        return;
    if (ACol == -1)
        ACol = ColCount() - 1;
    FInStretch = true;
    FStretchAllowed = false;
    const int cw = GridWidth();
    if (ColCount() == 1)
        SetColWidths(0, cw);
    else {
        long long s = 0;
        for (int c = 0; c < ColCount(); ++c)
            if (c != ACol)
                s += ColWidths(c);
        if (s < cw)
            SetColWidths(ACol, int(cw - s - 1));
    }
    FStretchAllowed = true;
    FInStretch = false;
}

// ---------------------------------------------------------------- automatic sizing

void TRavArodozIdad::SizeToWidth(int ACol, bool GrowOnly)
{
    int widest = 0;
    for (int r = 0; r < RowCount(); ++r) {
        if (IsXMergedCell(ACol, r))
            continue;
        const TPoint t = GetCellTextSize(RemapCol(ACol), r, false);
        widest = std::max(widest, t.x);
    }
    int w = 2 * GridLineWidth() + widest + FXYOffset.x + 2;
    if (GrowOnly && ColWidths(ACol) >= w)
        return;
    UpdateAutoColSize(ACol, w);
    SetColWidths(ACol, CheckLimits(w, MinColWidth, MaxColWidth));
}

void TRavArodozIdad::SizeToHeight(int ARow, bool GrowOnly)
{
    int tallest = 0;
    for (int c = 0; c < ColCount(); ++c) {
        if (IsYMergedCell(c, ARow))
            continue;
        tallest = std::max(tallest, GetCellTextSize(RemapCol(c), ARow, FWordWrap).y);
    }
    const int h = 2 * GridLineWidth() + tallest + FXYOffset.y;
    if (GrowOnly && RowHeights(ARow) >= h)
        return;
    SetRowHeights(ARow, CheckLimits(h, MinRowHeight, MaxRowHeight));
}

void TRavArodozIdad::AutoSizeColumns(bool DoFixed, int Extra)
{
    for (int c = DoFixed ? 0 : FixedCols(); c < ColCount(); ++c) {
        AutoSizeCol(c);
        if (Extra != 0)
            SetColWidths(c, ColWidths(c) + Extra);
    }
}

void TRavArodozIdad::AutoSizeRows(bool DoFixed, int Extra)
{
    if (RowCount() <= 0)
        return;
    for (int r = DoFixed ? 0 : FixedRows(); r < RowCount(); ++r) {
        if (FWordWrap) {
            AutoSizeRow(r);
            SetRowHeights(r, RowHeights(r) + Extra);
        } else
            SizeToLines(r, MaxLinesInRow(r), Extra);
    }
}

void TRavArodozIdad::SizeToLines(int ARow, int Lines, int Extra)
{
    Canvas()->Font()->Assign(Font());
    const int h = Canvas()->TextHeight("gh");
    SetRowHeights(ARow, CheckLimits(Extra + Lines * (h + h / 4), MinRowHeight, MaxRowHeight));
}

void TRavArodozIdad::AutoSizeCells(bool DoFixed, int ExtraX, int ExtraY)
{
    BeginUpdate();
    for (int c = DoFixed ? 0 : FixedCols(); c < ColCount(); ++c) {
        int running = FAutoSizeGrowOnly ? ColWidths(c) : 0;
        for (int r = DoFixed ? 0 : FixedRows(); r < RowCount(); ++r) {
            const TPoint t = GetCellTextSize(RemapCol(c), r, FWordWrap);
            const int w = t.x + ExtraX, h = t.y + ExtraY;
            if (!IsXMergedCell(c, r) && w > running) {
                const int lim = CheckLimits(w, MinColWidth, MaxColWidth);
                if (lim > running) {
                    SetColWidths(c, lim);
                    running = lim;
                }
            }
            if (!IsYMergedCell(c, r) && h > RowHeights(r)) {
                const int lim = CheckLimits(h, MinRowHeight, MaxRowHeight);
                if (lim > RowHeights(r))
                    SetRowHeights(r, lim);
            }
        }
    }
    EndUpdate();
}

void TRavArodozIdad::UpdateColSize(int ACol, int& AWidth)
{
    if (OnUpdateColumnSize)
        OnUpdateColumnSize(this, ACol, AWidth);
}

void TRavArodozIdad::UpdateAutoColSize(int ACol, int& AWidth)
{
    if (OnUpdateColumnSize)
        OnUpdateColumnSize(this, ACol, AWidth);
}

void TRavArodozIdad::UpdateColHeaders() {}

// ---------------------------------------------------------------- reactions

void TRavArodozIdad::SizeChanged(int OldColCount, int OldRowCount)
{
    if (FColumnSize && FColumnSize->Stretch())
        StretchColumn(FColumnSize->StretchColumn());
    TBaseGrid::SizeChanged(OldColCount, OldRowCount);
    UpdateScrollPages();
    if (FFixedFooters > 0 || FFixedRightCols > 0)
        Invalidate();
}

void TRavArodozIdad::ColWidthsChanged()
{
    if (FStretchAllowed && FColumnSize && FColumnSize->Stretch())
        StretchColumn(FColumnSize->StretchColumn());
    TBaseGrid::ColWidthsChanged();
    UpdateScrollPages();
}

void TRavArodozIdad::RowHeightsChanged()
{
    TBaseGrid::RowHeightsChanged();
    UpdateScrollPages();
}

void TRavArodozIdad::GridResize(TObject* Sender)
{
    if (ComponentStateHas(csDesigning))
        return;
    if (auto* form = dynamic_cast<TCustomForm*>(Sender); form && FSizeWithForm) {
        const int w = Width() + form->Width() - FFormWidth;
        const int h = Height() + form->Height() - FFormHeight;
        if (w > 0 && h > 0) {
            SetBounds(Left(), Top(), w, h);
            FFormWidth = form->Width();
            FFormHeight = form->Height();
        }
    }
    if (FFormHadResize && FFormOldResize) {
        try {
            FFormOldResize(Sender);
        } catch (...) {
        }
    }
    if (FColumnSize->Stretch())
        StretchColumn(FColumnSize->StretchColumn());
}

void TRavArodozIdad::RegisterNotifier(TGridChangeNotifier* ANotifier)
{
    if (std::find(FNotifiers.begin(), FNotifiers.end(), ANotifier) == FNotifiers.end())
        FNotifiers.push_back(ANotifier);
}

void TRavArodozIdad::UnRegisterNotifier(TGridChangeNotifier* ANotifier)
{
    FNotifiers.erase(std::remove(FNotifiers.begin(), FNotifiers.end(), ANotifier), FNotifiers.end());
}

// ---------------------------------------------------------------- headers and column merging

void TRavArodozIdad::SetColumnHeaders(TStrings* Value)
{
    FColumnHeaders->BeginUpdate();
    FColumnHeaders->Assign(Value);
    if (FixedRows() > 0)
        ClearColumnHeaders();
    FColumnHeaders->EndUpdate();
    ShowColumnHeaders();
}

void TRavArodozIdad::ColHeaderChanged(TObject*)
{
    UpdateColHeaders();
    ShowColumnHeaders();
}

void TRavArodozIdad::ShowColumnHeaders()
{
    if (FixedRows() <= 0)
        return;
    for (int i = 0; i < FColumnHeaders->Count() && i < ColCount(); ++i)
        SetCellEx(i, 0, CLFToLF(FColumnHeaders->Strings(i)));
}

void TRavArodozIdad::ClearColumnHeaders()
{
    for (int i = 0; i < ColCount(); ++i)
        SetCellEx(i, 0, "");
}

void TRavArodozIdad::SetRowHeaders(TStrings* Value)
{
    FRowHeaders->BeginUpdate();
    FRowHeaders->Assign(Value);
    if (ComponentStateHas(csDesigning) && FixedCols() > 0)
        ClearRowHeaders();
    FRowHeaders->EndUpdate();
}

void TRavArodozIdad::RowHeaderChanged(TObject*) { ShowRowHeaders(); }

void TRavArodozIdad::ShowRowHeaders()
{
    if (FixedCols() <= 0)
        return;
    for (int i = 0; i < FRowHeaders->Count() && i < RowCount(); ++i)
        SetCellEx(0, i, CLFToLF(FRowHeaders->Strings(i)));
}

void TRavArodozIdad::ClearRowHeaders()
{
    for (int i = 0; i < RowCount(); ++i)
        SetCellEx(0, i, "");
}

void TRavArodozIdad::SetLookupItems(TStrings* Value)
{
    if (Value)
        FLookupItems->Assign(Value);
}

void TRavArodozIdad::ApplyColumnMerge()
{
    for (int i = 0; i < FMergedColumns->Count(); ++i)
        MergeColumnCells(FMergedColumns->GetInteger(i), i == 0);
}

void TRavArodozIdad::UndoColumnMerge()
{
    for (int c = 0; c < ColCount(); ++c)
        SplitColumnCells(c);
}

void TRavArodozIdad::MergedColumnsChanged(TObject*, int, int)
{
    UndoColumnMerge();
    ApplyColumnMerge();
}
