// The main window's three tables. Kept apart from the owner-drawn controls, whose
// alignment names the grid library uses for its own.
#include "components/grid/Ravgrid.h"
#include "main/Lcr.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/Panel.h"

namespace {

TRavArodozIdad* Grid(TComponent* Owner, TWinControl* Parent, const char* Name, int L, int T, int W, int H, int Cols)
{
    auto* g = new TRavArodozIdad(Owner);
    g->SetName(Name);
    g->SetParent(Parent);
    g->SetBounds(L, T, W, H);
    g->SetColCount(Cols);
    return g;
}

} // namespace

void TLCRForm::CreateGrids()
{
    ListMeasGrid = Grid(this, MeasResultPan, "ListMeasGrid", 0, 0, 848, 376, 12);
    ListSetupGrid = Grid(this, ListSetupGroup, "ListSetupGrid", 6, 18, 848, 376, 18);
    SweepResultGrid = Grid(this, SweepResultTab, "SweepResultGrid", 0, 0, 850, 370, 8);
}
