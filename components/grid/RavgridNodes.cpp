// Row nodes: a one-level outline over the hidden-row mechanism.
#include "components/grid/Ravgrid.h"
#include "components/grid/RavbaseCellProperties.h"

using namespace Ravgrid;

namespace {
constexpr int kNodeIndent = 16;
}

int TRavArodozIdad::NodeIndent(int ARow)
{
    TCellProperties* p = FNodeCount > 0 ? CellPropertiesOrNil(0, ARow) : nullptr;
    return p ? p->NodeLevel() * kNodeIndent : 0;
}

bool TRavArodozIdad::HasNodes() { return FNodeCount > 0; }

void TRavArodozIdad::AddNode(int ARow, int Span)
{
    const int d = RemapRow(ARow);
    TCellGraphic* g = CreateCellGraphic(0, d);
    g->CellType = ctNode;
    g->CellBoolean = false;
    g->CellIndex = Span;
    g->CellAngle = d;
    g->CellHAlign = haBeforeText;
    g->CellVAlign = vaCenter;
    for (int r = d; r < d + Span && r < RowCount(); ++r)
        GetCellProperties(0, r)->SetNodeLevel(1);
    if (FNodeCount == 0)
        InvalidateCol(0);
    ++FNodeCount;
    if (Col() == 0 && ColCount() > 1)
        SetCol(1);
}

void TRavArodozIdad::RemoveNode(int ARow)
{
    const int span = GetNodeSpan(ARow);
    ExpandNode(ARow);
    for (int r = ARow; r < ARow + span && r < RowCount(); ++r)
        if (TCellProperties* p = CellPropertiesOrNil(0, r))
            p->SetNodeLevel(0);
    if (RemoveCellGraphic(0, RemapRow(ARow), ctNode) && FNodeCount > 0)
        --FNodeCount;
}

namespace {

// The first node row after D, or RowCount when there is none.
int NextNode(TRavArodozIdad* g, int D)
{
    for (int r = D + 1; r < g->RowCount(); ++r)
        if (g->IsNode(r))
            return r;
    return g->RowCount();
}

} // namespace

void TRavArodozIdad::ContractNode(int ARow)
{
    HideInplaceEdit();
    const int d = RemapRow(ARow);
    TCellGraphic* g = GetCellGraphic(0, d);
    if (!g || g->CellType != ctNode || g->CellBoolean)
        return;
    g->CellBoolean = true;
    const int e = g->CellIndex > 0 ? d + g->CellIndex : NextNode(this, d);
    const int from = RemapRowInv(d) + 1;
    const int to = (e < RowCount() ? RemapRowInv(e) : RowCount() + NumHiddenRows()) - 1;
    if (from <= to)
        HideRows(from, to);
    RepaintCell(0, RemapRow(ARow));
}

void TRavArodozIdad::ExpandNode(int ARow)
{
    const int d = RemapRow(ARow);
    TCellGraphic* g = GetCellGraphic(0, d);
    if (!g || g->CellType != ctNode || !g->CellBoolean)
        return;
    g->CellBoolean = false;
    const int e = g->CellIndex <= 0 ? NextNode(this, d) : d + 1;
    const int from = RemapRowInv(d) + 1;
    const int to = (e < RowCount() ? RemapRowInv(e) : RowCount() + NumHiddenRows()) - 1;
    if (from <= to)
        UnHideRows(from, to);
    RepaintCell(0, RemapRow(ARow));
}

void TRavArodozIdad::ExpandAll()
{
    BeginUpdate();
    const int n = RowCount() + NumHiddenRows();
    for (int r = 1; r < n; ++r)
        ExpandNode(r);
    EndUpdate();
}

void TRavArodozIdad::ContractAll()
{
    BeginUpdate();
    for (int r = RowCount() + NumHiddenRows() - 1; r >= 1; --r)
        ContractNode(r);
    EndUpdate();
}

bool TRavArodozIdad::GetNodeState(int ARow)
{
    TCellGraphic* g = GetCellGraphic(0, ARow);
    return g && g->CellType == ctNode && g->CellBoolean;
}

void TRavArodozIdad::SetNodeState(int ARow, bool Contracted)
{
    if (!IsNode(ARow) || GetNodeState(ARow) == Contracted)
        return;
    if (Contracted)
        ContractNode(RemapRowInv(ARow));
    else
        ExpandNode(RemapRowInv(ARow));
}

int TRavArodozIdad::GetNodeSpan(int ARow)
{
    TCellGraphic* g = GetCellGraphic(0, ARow);
    return g && g->CellType == ctNode ? g->CellIndex : -1;
}

void TRavArodozIdad::SetNodeSpan(int ARow, int Span)
{
    TCellGraphic* g = GetCellGraphic(0, ARow);
    if (g && g->CellType == ctNode)
        g->CellIndex = Span;
}

int TRavArodozIdad::GetParentRow(int ARow)
{
    if (!HasNodes())
        return -1;
    for (int n = ARow; n >= 1; --n)
        if (IsNode(n))
            return ARow < n + GetNodeSpan(n) ? n : -1;
    return -1;
}

int TRavArodozIdad::GetNodeSpanType(int ARow)
{
    if (IsNode(ARow))
        return 0;
    if (ARow == RowCount() - FixedFooters() - 1)
        return 1;
    for (int n = ARow - 1; n >= FixedRows(); --n)
        if (IsNode(n))
            return GetNodeSpan(n) == ARow - n + 1 && !GetNodeState(n) ? 1 : 2;
    return 0;
}
