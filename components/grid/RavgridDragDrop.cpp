#include "components/grid/RavgridDragDrop.h"

void TDragDropSettings::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TDragDropSettings*>(Source);
    if (!s)
        return TPersistent::Assign(Source);
    FOleAcceptText = s->FOleAcceptText;
    FOleEntireRows = s->FOleEntireRows;
    FOleDropSource = s->FOleDropSource;
    FOleRemoveRows = s->FOleRemoveRows;
    FOleAcceptFiles = s->FOleAcceptFiles;
    FOleInsertRows = s->FOleInsertRows;
    FOleCopyAlways = s->FOleCopyAlways;
    FOleColumnDragDrop = s->FOleColumnDragDrop;
    SetOleDropRTF(s->FOleDropRTF);
    SetOleDropTarget(s->FOleDropTarget);
}
