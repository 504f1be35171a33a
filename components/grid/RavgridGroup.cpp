// Grouping a column into one level of node rows, group calculations, and the
// column and row statistics.
#include <algorithm>

#include "components/grid/Ravgrid.h"

namespace {
// The column the group captions go to: the first one after the fixed ones, or
// the next when that is the grouped column itself.
int CaptionColumn(int FixedCols, int GroupCol)
{
    const int c = FixedCols + 1;
    return c == GroupCol ? c + 1 : c;
}

// Keeps the update lock balanced on every way out.
struct TUpdateLock {
    explicit TUpdateLock(TRavArodozIdad& G) : g(G) { g.BeginUpdate(); }
    ~TUpdateLock() { g.EndUpdate(); }
    TRavArodozIdad& g;
};
} // namespace

void TRavArodozIdad::SetGroupColumn(int Value)
{
    if (Value == -1)
        UnGroup();
    else if (Value > 0)
        Group(Value);
}

void TRavArodozIdad::Group(int ACol)
{
    // Column 0 carries the node buttons and could never be brought back.
    if (ACol < FixedCols() || ACol <= 0 || ACol >= ColCount())
        return;
    if (FGroupColumn > 0)
        UnGroup();
    TUpdateLock lock(*this);
    FGroupColumn = ACol;
    FGroupColWidth = ColWidths(ACol);
    FGroupColHeader = FixedRows() > 0 ? GetCellEx(ACol, 0) : AnsiString();
    const int caption = CaptionColumn(FixedCols(), ACol);

    FSortSettings->SetColumn(ACol);
    QSort();

    // Footer rows are no group's members.
    AnsiString prev("\xFF\xFE");
    int node = -1;
    int r = FixedRows();
    while (r < RowCount() - FFixedFooters) {
        const AnsiString v = GetCellEx(ACol, r);
        if (v == prev) {
            ++r;
            continue;
        }
        if (node >= 0)
            AddNode(node, r - node);
        InsertRows(r, 1);
        SetCellEx(caption, r, v);
        node = r;
        prev = v;
        r += 2; // past the new node row and the row that moved down
    }
    if (node >= 0)
        AddNode(node, RowCount() - FFixedFooters - node);
    RemoveCols(ACol, 1);
    if (FixedRows() < RowCount())
        MoveColRow(Col(), FixedRows(), true, false);
}

void TRavArodozIdad::UnGroup()
{
    if (FGroupColumn <= 0)
        return;
    TUpdateLock lock(*this);
    ExpandAll();
    InsertCols(FGroupColumn, 1);
    SetColWidths(FGroupColumn, FGroupColWidth);
    if (FixedRows() > 0)
        SetCellEx(FGroupColumn, 0, FGroupColHeader);
    const int caption = CaptionColumn(FixedCols(), FGroupColumn);
    AnsiString value;
    int r = FixedRows();
    while (r < RowCount() - FFixedFooters) {
        if (IsNode(r)) {
            value = GetCellEx(caption, r);
            RemoveNode(r);
            ClearPropCell(0, r);
            RemoveRows(r, 1);
        } else {
            SetCellEx(FGroupColumn, r, value);
            ++r;
        }
    }
    FGroupColumn = -1;
}

void TRavArodozIdad::GroupCalc(int ACol, int Method)
{
    if (Method < 1 || Method > 5)
        return;
    const int last = RowCount() - FFixedFooters - 1;
    int r = FixedRows();
    while (r <= last) {
        if (!IsNode(r)) {
            ++r;
            continue;
        }
        int next = r + 1;
        while (next <= last && !IsNode(next))
            ++next;
        const int from = r + 1, to = next - 1;
        double v = 0;
        switch (Method) {
        case 1: v = ColumnSum(ACol, from, to); break;
        case 2: v = ColumnAvg(ACol, from, to); break;
        case 3: v = ColumnMin(ACol, from, to); break;
        case 4: v = ColumnMax(ACol, from, to); break;
        default: v = to - from + 1; break;
        }
        SetFloats(ACol, r, v);
        r = next;
    }
}

// ---------------------------------------------------------------- reductions

namespace {
template <class Read> double Sum(int From, int To, Read read)
{
    double s = 0;
    for (int k = From; k <= To; ++k)
        s += read(k);
    return s;
}

// The first cell starts; a later one replaces it when Better says so. An
// empty range gives the first cell alone.
template <class Read, class Better> double Extreme(int From, int To, Read read, Better better)
{
    double v = read(From);
    for (int k = From + 1; k <= To; ++k)
        if (const double x = read(k); better(x, v))
            v = x;
    return v;
}
} // namespace

double TRavArodozIdad::ColumnSum(int ACol, int FromRow, int ToRow)
{
    return Sum(FromRow, ToRow, [&](int r) { return GetFloats(ACol, r); });
}

double TRavArodozIdad::ColumnAvg(int ACol, int FromRow, int ToRow)
{
    // An empty range averages to 0 rather than dividing by zero.
    return ToRow < FromRow ? 0.0 : ColumnSum(ACol, FromRow, ToRow) / (ToRow - FromRow + 1);
}

double TRavArodozIdad::ColumnMin(int ACol, int FromRow, int ToRow)
{
    return Extreme(FromRow, ToRow, [&](int r) { return GetFloats(ACol, r); }, std::less<double>());
}

double TRavArodozIdad::ColumnMax(int ACol, int FromRow, int ToRow)
{
    return Extreme(FromRow, ToRow, [&](int r) { return GetFloats(ACol, r); }, std::greater<double>());
}

double TRavArodozIdad::RowSum(int ARow, int FromCol, int ToCol)
{
    return Sum(FromCol, ToCol, [&](int c) { return GetFloats(c, ARow); });
}

double TRavArodozIdad::RowAvg(int ARow, int FromCol, int ToCol)
{
    return ToCol < FromCol ? 0.0 : RowSum(ARow, FromCol, ToCol) / (ToCol - FromCol + 1);
}

double TRavArodozIdad::RowMin(int ARow, int FromCol, int ToCol)
{
    return Extreme(FromCol, ToCol, [&](int c) { return GetFloats(c, ARow); }, std::less<double>());
}

double TRavArodozIdad::RowMax(int ARow, int FromCol, int ToCol)
{
    return Extreme(FromCol, ToCol, [&](int c) { return GetFloats(c, ARow); }, std::greater<double>());
}
