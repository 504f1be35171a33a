#pragma once
// A grid made the way the program's tables are made, for the model tests.
#include <memory>
#include <vector>

#include "components/grid/Ravgrid.h"

inline std::unique_ptr<TRavArodozIdad> MakeGrid(int Cols, int Rows, int FixedRows = 1, int FixedCols = 0)
{
    auto g = std::make_unique<TRavArodozIdad>(nullptr);
    g->SetColCountEx(Cols);
    g->SetRowCountEx(Rows);
    g->SetFixedRowsEx(FixedRows);
    g->SetFixedColsEx(FixedCols);
    return g;
}

// Fills every cell (c, r) of the counts with "c,r".
inline void FillCoords(TRavArodozIdad& g)
{
    for (int r = 0; r < g.RowCount(); ++r)
        for (int c = 0; c < g.ColCount(); ++c)
            g.SetCellEx(c, r, std::to_string(c) + "," + std::to_string(r));
}

using Texts = std::vector<AnsiString>;

// The texts of column ACol, row 0 first.
inline Texts ColTexts(TRavArodozIdad& g, int ACol)
{
    Texts t;
    for (int r = 0; r < g.RowCount(); ++r)
        t.push_back(g.GetCellEx(ACol, r));
    return t;
}
