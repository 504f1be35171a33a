// Rows added to and taken from a node's children.
#include "components/grid/RavbaseCellProperties.h"
#include "components/grid/Ravgrid.h"

// Kept hidden rows follow by their real index: only those at or after the changed
// row move, also when rows above the parent are hidden.
void TRavArodozIdad::InsertChildRow(int ARow)
{
    int R = RemapRow(ARow);
    const int P = GetParentRow(R);
    if (P >= 0) {
        SetNodeSpan(P, GetNodeSpan(P) + 1);
        ExpandNode(RemapRowInv(P));
        R = RemapRow(ARow);
    }
    InsertRows(R, 1);
    if (P >= 0)
        GetCellProperties(0, R)->SetNodeLevel(1);
    for (auto& h : FHiddenRows)
        if (h->Idx() >= ARow)
            h->SetIdx(h->Idx() + 1);
}

void TRavArodozIdad::RemoveChildRow(int ARow)
{
    int R = RemapRow(ARow);
    const int P = GetParentRow(R);
    if (P >= 0) {
        if (GetNodeSpan(P) > 1)
            SetNodeSpan(P, GetNodeSpan(P) - 1);
        ExpandNode(RemapRowInv(P));
        R = RemapRow(ARow);
    }
    // A node row taken away no longer counts as a node.
    if (IsNode(R) && FNodeCount > 0)
        --FNodeCount;
    RemoveRows(R, 1);
    for (auto& h : FHiddenRows)
        if (h->Idx() > ARow)
            h->SetIdx(h->Idx() - 1);
}
