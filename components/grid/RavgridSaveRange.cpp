// The save range: the rectangle of cells that exports and copies work on.
#include "components/grid/Ravgrid.h"

int TRavArodozIdad::GetSaveStartCol() { return FSaveWithFixedCells ? 0 : GetFixedColsEx(); }
int TRavArodozIdad::GetSaveEndCol() { return FSaveWithFixedCells ? ColCount() - 1 : ColCount() - FFixedRightCols - 1; }
int TRavArodozIdad::GetSaveStartRow() { return FSaveWithFixedCells ? 0 : GetFixedRowsEx(); }
int TRavArodozIdad::GetSaveEndRow() { return FSaveWithFixedCells ? RowCount() - 1 : RowCount() - FFixedFooters - 1; }

int TRavArodozIdad::GetSaveColCount()
{
    return FSaveWithFixedCells ? ColCount() : ColCount() - GetFixedColsEx() - FFixedRightCols;
}

int TRavArodozIdad::GetSaveRowCount()
{
    return FSaveWithFixedCells ? RowCount() : RowCount() - GetFixedRowsEx() - FFixedFooters;
}
