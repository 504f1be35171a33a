// The save range: the rectangle of cells that exports and copies work on.
#include "components/grid/Ravgrid.h"

int TRavArodozIdad::GetSaveStartCol() { return SaveWithFixedCells ? 0 : GetFixedColsEx(); }
int TRavArodozIdad::GetSaveEndCol() { return SaveWithFixedCells ? ColCount() - 1 : ColCount() - FFixedRightCols - 1; }
int TRavArodozIdad::GetSaveStartRow() { return SaveWithFixedCells ? 0 : GetFixedRowsEx(); }
int TRavArodozIdad::GetSaveEndRow() { return SaveWithFixedCells ? RowCount() - 1 : RowCount() - FFixedFooters - 1; }

int TRavArodozIdad::GetSaveColCount()
{
    return SaveWithFixedCells ? ColCount() : ColCount() - GetFixedColsEx() - FFixedRightCols;
}

int TRavArodozIdad::GetSaveRowCount()
{
    return SaveWithFixedCells ? RowCount() : RowCount() - GetFixedRowsEx() - FFixedFooters;
}
