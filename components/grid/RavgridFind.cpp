// Finding cells: a walk over the cells column by column or row by row, either
// way, testing each against a text or a condition.
#include "components/grid/Raghtmle.h"
#include "components/grid/Ravgrid.h"
#include "components/grid/Ravutil.h"
#include "platform/core/StringUtils.h"

bool TRavArodozIdad::MatchCell(int ACol, int ARow)
{
    const TFindParams& p = FFindParams;
    const bool matchCase = p.Has(fnMatchCase);
    if (!p.Has(fnIncludeHiddenColumns))
        ACol = RemapCol(ACol);
    AnsiString s = GetCellEx(ACol, ARow);
    if (!matchCase)
        s = AnsiUpperCase(s);
    if (p.Has(fnIgnoreHTMLTags))
        s = HTMLStrip(s);
    if (p.Has(fnMatchRegular))
        return MatchStrEx(FFindText, s, matchCase);
    const size_t at = s.find(FFindText);
    bool hit = p.Has(fnMatchStart) ? at == 0 : at != AnsiString::npos;
    if (p.Has(fnMatchFull))
        hit = hit && s == FFindText;
    return hit;
}

TPoint TRavArodozIdad::Find(TPoint StartCell, const AnsiString& S, TFindParams FindParams)
{
    const TPoint none{-1, -1};
    FFindParams = FindParams;
    FFindText = FindParams.Has(fnMatchCase) ? S : AnsiUpperCase(S);
    if (ColCount() == 0 || ColCount() == FixedCols() || RowCount() == 0 || RowCount() == FixedRows())
        return none;

    int c0 = 0, c1 = ColCount() - 1, r0 = 0, r1 = RowCount() - 1;
    if (!FindParams.Has(fnIncludeFixed)) {
        c0 = FixedCols();
        c1 = ColCount() - FFixedRightCols - 1;
        r0 = FixedRows();
        r1 = RowCount() - FFixedFooters - 1;
    }
    if (FindParams.Has(fnIncludeHiddenColumns))
        c1 += FNumHiddenColumns;
    const bool back = FindParams.Has(fnBackward);
    const bool byRow = FindParams.Has(fnDirectionLeftRight);

    // Walk coordinates: 'outer' steps once an inner run is done. Column by
    // column the outer axis is the column; row by row it is the row.
    int o0 = byRow ? r0 : c0, o1 = byRow ? r1 : c1, i0 = byRow ? c0 : r0, i1 = byRow ? c1 : r1;
    // Scope: the current row or column only. The limits are set before the
    // start steps on, so a next search moves past the last find.
    auto pin = [&](int cur, bool rows) {
        if (rows == byRow)
            o0 = o1 = cur;
        else
            i0 = i1 = cur;
    };
    if (FindParams.Has(fnFindInCurrentRow))
        pin(Row(), true);
    if (FindParams.Has(fnFindInCurrentCol))
        pin(Col(), false);
    int o = byRow ? StartCell.y : StartCell.x, i = byRow ? StartCell.x : StartCell.y;
    if (StartCell.x == -1 && StartCell.y == -1) {
        o = back ? o1 : o0;
        i = back ? i1 : i0;
    } else if (!back) {
        if (i <= i1)
            ++i;
        else if (o <= o1)
            ++o;
        else {
            o = o0;
            i = i0;
        }
    } else {
        if (i >= i0)
            --i;
        else if (o >= o0)
            --o;
        else {
            o = o1;
            i = i1;
        }
    }
    const int step = back ? -1 : 1;
    for (; o >= o0 && o <= o1; o += step) {
        for (; i >= i0 && i <= i1; i += step) {
            const int c = byRow ? i : o, r = byRow ? o : i;
            if (MatchCell(c, r)) {
                FLastFound = TPoint{c, r};
                // A find in a hidden column cannot become the current cell.
                const bool hidden = FindParams.Has(fnIncludeHiddenColumns) && IsHiddenColumn(c);
                if (FindParams.Has(fnAutoGoto) && !hidden) {
                    SetRow(r);
                    SetCol(FindParams.Has(fnIncludeHiddenColumns) ? RemapColInv(c) : c);
                }
                return FLastFound;
            }
        }
        i = back ? i1 : i0;
    }
    return none;
}

TPoint TRavArodozIdad::FindFirst(const AnsiString& S, TFindParams FindParams)
{
    FLastFound = Find(TPoint{-1, -1}, S, FindParams);
    return FLastFound;
}

TPoint TRavArodozIdad::FindNext()
{
    FLastFound = Find(FLastFound, FFindText, FFindParams);
    return FLastFound;
}
