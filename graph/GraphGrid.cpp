// The sweep point table's layout (its cells are centred by the handler the list grids share).
#include "components/grid/Ravgrid.h"
#include "graph/GraphPublic.h"

void SetUpSweepResultGrid(TRavArodozIdad* g)
{
    g->SetColCount(8);
    g->SetFixedRows(1);
    g->SetFixedCols(0);
    g->SetOptions(g->Options() | goRowSelect);
    static const int widths[8] = {48, 96, 96, 96, 130, 130, 130, 128};
    static const char* const titles[8] = {"Step", "Function", "Freq(kHz)", "Level(V)", "Primary", "Second",
        "Monitor(1)_OFF", "Monitor(2)_OFF"};
    for (int c = 0; c < 8; ++c) {
        g->SetColWidths(c, widths[c]);
        g->SetCellEx(c, 0, titles[c]);
    }
}
