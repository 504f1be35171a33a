// Typed cell access, access by real row and by sort order, and the selection services.
#include <algorithm>

#include "components/grid/Raghtmle.h"
#include "components/grid/Ravgrid.h"
#include "platform/core/DateTime.h"
#include "platform/core/Format.h"
#include "platform/core/IntConvert.h"
#include "platform/core/FloatConvert.h"
#include "platform/core/StringUtils.h"

int TRavArodozIdad::Ints(int ACol, int ARow)
{
    AnsiString s = GetCellEx(ACol, ARow);
    if (s.empty())
        s = "0";
    int v = 0;
    if (!TryStrToInt(s, v))
        throw VEvoRaraVedad("Cell does not contain integer value");
    return v;
}

void TRavArodozIdad::SetInts(int ACol, int ARow, int Value) { SetCellEx(ACol, ARow, IntToStr(Value)); }

double TRavArodozIdad::Floats(int ACol, int ARow)
{
    const AnsiString text = GetCellEx(ACol, ARow);
    AnsiString s = RemoveSeps(text);
    // An empty cell counts as 0; a text that holds no number is no zero.
    if (s.empty() && Trim(text).empty())
        s = "0";
    TFormatSettings point = FormatSettings;
    point.DecimalSeparator = '.';
    point.ThousandSeparator = ',';
    double v = 0;
    if (!TryStrToFloat(s, v, point))
        throw VEvoRaraVedad("Cell does not contain a float value");
    return v;
}

void TRavArodozIdad::SetFloats(int ACol, int ARow, double Value)
{
    SetCellEx(ACol, ARow, Format(FFloatFormat, Value));
}

TDateTime TRavArodozIdad::Dates(int ACol, int ARow) { return StrToDate(GetCellEx(ACol, ARow)); }

void TRavArodozIdad::SetDates(int ACol, int ARow, TDateTime Value)
{
    if (Value > 0 || FShowZeroDates)
        SetCellEx(ACol, ARow, DateToStr(Value));
    else
        SetCellEx(ACol, ARow, "");
}

TDateTime TRavArodozIdad::Times(int ACol, int ARow) { return StrToTime(GetCellEx(ACol, ARow)); }

void TRavArodozIdad::SetTimes(int ACol, int ARow, TDateTime Value) { SetCellEx(ACol, ARow, TimeToStr(Value)); }

AnsiString TRavArodozIdad::GetStrippedCell(int ACol, int ARow) { return HTMLStrip(GetCellEx(ACol, ARow)); }

AnsiString TRavArodozIdad::GetCtrlVal(int ACol, int ARow, const AnsiString& CtrlID)
{
    AnsiString value;
    if (!GetControlValue(GetCellEx(ACol, ARow), CtrlID, value))
        return AnsiString();
    return value;
}

void TRavArodozIdad::SetCtrlVal(int ACol, int ARow, const AnsiString& CtrlID, const AnsiString& Value)
{
    AnsiString text = GetCellEx(ACol, ARow), old;
    if (GetControlValue(text, CtrlID, old) && old != Value && SetControlValue(text, CtrlID, Value))
        SetCellEx(ACol, ARow, text);
}

AnsiString TRavArodozIdad::GetCurrentCell() { return GetCellEx(GetRealCol(), Row()); }
void TRavArodozIdad::SetCurrentCell(const AnsiString& Value) { SetCellEx(GetRealCol(), Row(), Value); }

void TRavArodozIdad::AutoNumberCol(int ACol)
{
    if (RowCount() <= 0)
        return;
    int n = 1;
    for (int r = FixedRows(); r <= RowCount() - FFixedFooters - 1; ++r)
        SetInts(ACol, r, n++);
}

void TRavArodozIdad::AutoNumberRow(int ARow)
{
    if (ColCount() <= 0)
        return;
    int n = 1;
    for (int c = FixedCols(); c <= ColCount() - FFixedRightCols - 1; ++c)
        SetInts(c, ARow, n++);
}

// ---------------------------------------------------------------- real rows

namespace {
TGridItem* FindHidden(const std::vector<std::unique_ptr<TGridItem>>& items, int ARow)
{
    for (const auto& it : items)
        if (it->Idx() == ARow)
            return it.get();
    return nullptr;
}
} // namespace

AnsiString TRavArodozIdad::GetCellsEx(int ACol, int ARow)
{
    if (TGridItem* it = FindHidden(FHiddenRows, ARow))
        return AnsiString(it->Row().Text(ACol));
    return GetCellEx(ACol, RemapRow(ARow));
}

void TRavArodozIdad::SetCellsEx(int ACol, int ARow, const AnsiString& Value)
{
    if (TGridItem* it = FindHidden(FHiddenRows, ARow)) {
        it->Row().SetText(ACol, Value);
        return;
    }
    const int r = RemapRow(ARow);
    SetCellEx(ACol, r, Value);
    const int dc = RemapColInv(ACol);
    if (dc != ACol)
        RepaintCell(dc, r);
}

// A hidden row keeps its cells' properties objects; its user objects are read
// and written through them, so no user object ever takes a properties slot.
TObject* TRavArodozIdad::GetObjectsEx(int ACol, int ARow)
{
    if (TGridItem* it = FindHidden(FHiddenRows, ARow)) {
        TCellProperties* p = it->Row().Props(ACol);
        return p ? p->CellObject() : nullptr;
    }
    return GetObjectEx(ACol, RemapRow(ARow));
}

void TRavArodozIdad::SetObjectsEx(int ACol, int ARow, TObject* Value)
{
    if (TGridItem* it = FindHidden(FHiddenRows, ARow)) {
        TCellProperties* p = it->Row().Props(ACol);
        if (!p) {
            it->Row().SetProps(ACol, MakeProps(ACol, ARow));
            p = it->Row().Props(ACol);
        }
        p->SetCellObject(Value);
        return;
    }
    SetObjectEx(ACol, RemapRow(ARow), Value);
}

int TRavArodozIdad::SortedRowIndex(int ARow)
{
    int r = ARow;
    if (ARow >= 0 && ARow < FSortCrossRef->Count())
        r = FSortCrossRef->GetInteger(ARow);
    return RemapRowInv(r);
}

int TRavArodozIdad::UnSortedRowIndex(int ARow)
{
    if (FSortCrossRef->Count() == 0)
        return ARow;
    const int i = FSortCrossRef->IndexOf(ARow);
    return i < 0 ? FSortCrossRef->Count() : i;
}

AnsiString TRavArodozIdad::GetUnSortedCell(int ACol, int ARow)
{
    if (ARow > FSortCrossRef->Count())
        return GetCellEx(ACol, ARow);
    const int i = FSortCrossRef->IndexOf(ARow);
    return GetCellEx(ACol, i < 0 ? FSortCrossRef->Count() : i);
}

void TRavArodozIdad::SetUnSortedCell(int ACol, int ARow, const AnsiString& Value)
{
    if (ARow > FSortCrossRef->Count()) {
        SetCellEx(ACol, ARow, Value);
        return;
    }
    const int i = FSortCrossRef->IndexOf(ARow);
    SetCellEx(ACol, i < 0 ? FSortCrossRef->Count() : i, Value);
}

// ---------------------------------------------------------------- selection

void TRavArodozIdad::SelectRange(int FromCol, int ToCol, int FromRow, int ToRow)
{
    SetSelection(TGridRect{FromCol, FromRow, ToCol, ToRow});
    // The range's corner is the current cell now: keep it in view, as a move by the keys does,
    // so that a row the program walks through never runs below the visible rows.
    if (ToCol >= 0 && ToRow >= 0 && ToCol < ColCount() && ToRow < RowCount())
        ScrollInViewBase(ToCol, ToRow);
}

void TRavArodozIdad::SelectRows(int ARow, int Count)
{
    if (!FMouseActions->DisjunctRowSelect()) {
        SetSelection(TGridRect{FixedCols(), ARow, ColCount() - 1, ARow + Count - 1});
        return;
    }
    for (int r = ARow; r < ARow + Count && r < RowCount(); ++r)
        SetRowSelect(r, true);
}

void TRavArodozIdad::SelectCols(int ACol, int Count)
{
    SetSelection(TGridRect{ACol, FixedRows(), ACol + Count - 1, RowCount() - 1});
}

bool TRavArodozIdad::GetRowSelect(int ARow)
{
    if (ARow < 0 || ARow >= RowCount())
        throw VEvoRaraVedad("Invalid Row accessed");
    if (size_t(ARow) >= FRowSelect.size())
        FRowSelect.resize(size_t(ARow) + 1, 0);
    return FRowSelect[size_t(ARow)] != 0;
}

void TRavArodozIdad::SetRowSelect(int ARow, bool Value)
{
    if (ARow < 0 || ARow >= RowCount())
        throw VEvoRaraVedad("Invalid Row accessed");
    if (size_t(ARow) >= FRowSelect.size())
        FRowSelect.resize(size_t(ARow) + 1, 0);
    if ((FRowSelect[size_t(ARow)] != 0) == Value)
        return;
    FRowSelect[size_t(ARow)] = Value ? 1 : 0;
    RepaintRow(ARow);
}

bool TRavArodozIdad::RowFlagged(int ARow) const
{
    return size_t(ARow) < FRowSelect.size() && FRowSelect[size_t(ARow)];
}

void TRavArodozIdad::ClearRowSelect()
{
    for (size_t i = 0; i < FRowSelect.size(); ++i)
        if (FRowSelect[i]) {
            FRowSelect[i] = 0;
            RepaintRow(int(i));
        }
}

int TRavArodozIdad::RowSelectCount() const { return int(std::count(FRowSelect.begin(), FRowSelect.end(), 1)); }

void TRavArodozIdad::SelectToRowSelect(bool ClearOthers)
{
    const TGridRect s = Selection();
    for (int r = FixedRows(); r < RowCount(); ++r) {
        const bool inSel = r >= s.Top && r <= s.Bottom;
        if (ClearOthers)
            SetRowSelect(r, inSel);
        else if (inSel)
            SetRowSelect(r, true);
    }
}

bool TRavArodozIdad::IsSelected(int ACol, int ARow)
{
    if (ARow < FixedRows() || ACol < FixedCols())
        return false;
    if (FMouseActions->DisjunctRowSelect())
        return RowFlagged(ARow);
    return IsInGridRect(Selection(), ACol, ARow);
}

bool TRavArodozIdad::GetSelectedCells(int ACol, int ARow) const
{
    return std::find(FSelectedCells.begin(), FSelectedCells.end(), TPoint(ACol, ARow)) != FSelectedCells.end();
}

void TRavArodozIdad::SetSelectedCells(int ACol, int ARow, bool Value)
{
    const auto i = std::find(FSelectedCells.begin(), FSelectedCells.end(), TPoint(ACol, ARow));
    if ((i != FSelectedCells.end()) == Value)
        return;
    if (Value)
        FSelectedCells.emplace_back(ACol, ARow);
    else
        FSelectedCells.erase(i);
    RepaintCell(ACol, ARow);
}

TPoint TRavArodozIdad::SelectedCell(int Index) const
{
    if (Index < 0 || size_t(Index) >= FSelectedCells.size())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return FSelectedCells[size_t(Index)];
}

void TRavArodozIdad::ClearSelectedCells()
{
    FSelectedCells.clear();
    Invalidate();
}

AnsiString TRavArodozIdad::SelectedText()
{
    const TGridRect s = Selection();
    const bool entireRows = (Options() & goRowSelect) && FDragDropSettings->OleEntireRows();
    const int c1 = entireRows ? 0 : s.Left, c2 = entireRows ? ColCount() - 1 : s.Right;
    std::vector<int> rows;
    if (FMouseActions->DisjunctRowSelect()) {
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (RowFlagged(r))
                rows.push_back(r);
    } else
        for (int r = s.Top; r <= s.Bottom; ++r)
            rows.push_back(r);
    AnsiString out;
    for (int r : rows) {
        for (int c = c1; c <= c2; ++c) {
            AnsiString t = GetCellEx(c, r);
            if (t.find("{\\") != AnsiString::npos)
                t = RichPlainText(c, r);
            if (c > c1)
                out += '\t';
            out += t;
        }
        out += "\r\n";
    }
    return out;
}

void TRavArodozIdad::HideSelection()
{
    FHiddenSelection = Selection();
    SetSelection(TGridRect{ColCount(), RowCount(), ColCount(), RowCount()});
}

void TRavArodozIdad::UnHideSelection() { SetSelection(FHiddenSelection); }

void TRavArodozIdad::ScrollInView(int ACol, int ARow)
{
    if (ACol >= ColCount() || ARow >= RowCount())
        return;
    int left = LeftCol(), top = TopRow();
    if (ACol < LeftCol() || ACol > LeftCol() + VisibleColCount() - 1) {
        SetCol(ACol);
        left = std::max(FixedCols(), ACol - VisibleColCount() / 2);
    }
    if (ARow < TopRow() || ARow > TopRow() + VisibleRowCount() - 1) {
        SetRow(ARow);
        top = std::max(FixedRows(), ARow - VisibleRowCount() / 2);
    }
    left = std::min(left, ColCount() - VisibleColCount() + 1);
    top = std::min(top, RowCount() - VisibleRowCount() + 1);
    SetLeftCol(left);
    SetTopRow(top);
}

void TRavArodozIdad::RepaintRect(const TRect& R)
{
    TRect a = CellRect(R.Left, R.Top), b = CellRect(R.Right, R.Bottom);
    if (a.IsEmpty() || b.IsEmpty()) {
        Invalidate();
        return;
    }
    TStringGrid::InvalidateGridRect(TRect(std::min(a.Left, b.Left), std::min(a.Top, b.Top),
                                          std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)));
}

void TRavArodozIdad::InvalidateGridRect(const TGridRect& R)
{
    TRect a = CellRect(R.Left, R.Top), b = CellRect(R.Right, R.Bottom);
    TStringGrid::InvalidateGridRect(TRect(std::min(a.Left, b.Left), std::min(a.Top, b.Top),
                                          std::max(a.Right, b.Right), std::max(a.Bottom, b.Bottom)));
}
