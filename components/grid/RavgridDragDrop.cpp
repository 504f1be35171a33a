// Drag and drop of the grid: its switches, the drop target that pastes dropped texts,
// rich texts and files and reports dropped columns, and the drags out of the grid.
#include "components/grid/RavgridDragDrop.h"

#include <algorithm>

#include "components/grid/Ravgrid.h"
#include "components/grid/RavgridDropTarget.h"
#include "components/grid/RavobjWindows.h"
#include "platform/core/StringUtils.h"
#include "platform/forms/Screen.h"

// ---------------------------------------------------------------- settings

TDragDropSettings::TDragDropSettings(TRavArodozIdad* AGrid) : FGrid(AGrid) {}

TDragDropSettings::~TDragDropSettings()
{
    if (FRegistered)
        RevokeDragDrop(FGrid);
}

void TDragDropSettings::SetOleDropRTF(bool Value)
{
    FOleDropRTF = Value;
    Ragdd::SetRTFAware(Value);
}

void TDragDropSettings::SetOleDropTarget(bool Value)
{
    FOleDropTarget = Value;
    if (!FGrid || FGrid->ComponentStateHas(csDesigning))
        return;
    if (Value) {
        if (!FDropTarget)
            FDropTarget = std::make_unique<TGridDropTarget>(FGrid);
        UpdateDropTarget();
        FRegistered = RegisterDragDrop(FGrid, FDropTarget.get());
    } else if (FRegistered) {
        RevokeDragDrop(FGrid);
        FRegistered = false;
    }
}

// The grid's own drop target never takes columns through the column switch; a column
// drag comes in through its text formats.
void TDragDropSettings::UpdateDropTarget()
{
    if (!FDropTarget)
        return;
    FDropTarget->AcceptText = OleAcceptText();
    FDropTarget->AcceptFiles = OleAcceptFiles();
    FDropTarget->AcceptCols = false;
}

void TDragDropSettings::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TDragDropSettings*>(Source);
    if (!s)
        return TPersistent::Assign(Source);
    FOleAcceptText = s->FOleAcceptText;
    FOleAcceptFiles = s->FOleAcceptFiles;
    FOleEntireRows = s->FOleEntireRows;
    FOleDropSource = s->FOleDropSource;
    FOleRemoveRows = s->FOleRemoveRows;
    FOleInsertRows = s->FOleInsertRows;
    FOleCopyAlways = s->FOleCopyAlways;
    FOleColumnDragDrop = s->FOleColumnDragDrop;
    SetOleDropRTF(s->FOleDropRTF);
    SetOleDropTarget(s->FOleDropTarget);
}

// ---------------------------------------------------------------- drop target

void TGridDropTarget::ShowArrows(int Direction1, int Direction2, bool Visible)
{
    for (int d : {Direction1, Direction2})
        if (d >= 0 && FGrid->ArrowWindow(d))
            FGrid->ArrowWindow(d)->SetVisible(Visible);
}

void TGridDropTarget::DragMouseMove(const TPoint& P, bool& Allowed, Ragdd::TDropFormats Formats)
{
    TRavArodozIdad& g = *FGrid;
    int c = -1, r = -1;
    g.ScreenToCell(P, c, r);
    Allowed = c >= 0 && r >= 0;
    const bool colDrag = Formats & Ragdd::FormatBit(Ragdd::dfCol);
    if (Allowed && !colDrag) {
        if (r == 0 && g.TopRow() > g.FixedRows())
            g.SetTopRow(g.TopRow() - 1);
        else if (r == g.TopRow() + g.VisibleRowCount() && r < g.RowCount())
            g.SetTopRow(g.TopRow() + 1);
    }
    if (Allowed && !colDrag && r < g.FixedRows() && !(g.RowCount() == 1 && g.FixedRowAlways()))
        Allowed = false;
    if (Allowed && colDrag && !(r < g.FixedRows() && c >= g.FixedCols()))
        Allowed = false;
    if (g.OnOleDragOver)
        g.OnOleDragOver(&g, r, c, Allowed);
    if (!Allowed) {
        ShowArrows(arrLeft, arrDown, false);
        ShowArrows(arrUp, -1, false);
        return;
    }
    if (colDrag) {
        const TRect R = g.CellRect(c, r);
        TArrowWindow* down = g.ArrowWindow(arrDown);
        TArrowWindow* up = g.ArrowWindow(arrUp);
        if (down && up) {
            down->SetBounds(R.Left, R.Top - 8, down->Width(), down->Height());
            up->SetBounds(R.Left, R.Bottom, up->Width(), up->Height());
        }
        ShowArrows(arrDown, arrUp, true);
        return;
    }
    const int row = r == 0 && g.FixedRowAlways() ? 1 : r;
    const int col = g.DragDropSettings()->OleEntireRows() ? g.FixedCols() : c;
    const TRect R = g.CellRect(col, row);
    if (TArrowWindow* left = g.ArrowWindow(arrLeft)) {
        left->SetBounds(R.Left - 10, R.Top, left->Width(), left->Height());
        left->SetVisible(true);
    }
}

void TGridDropTarget::DragMouseLeave()
{
    ShowArrows(arrDown, arrUp, false);
    ShowArrows(arrLeft, -1, false);
}

void TGridDropTarget::DropText(const TPoint& P, const AnsiString& Text)
{
    TRavArodozIdad& g = *FGrid;
    TDragDropSettings* s = g.DragDropSettings();
    int c = -1, r = -1;
    g.ScreenToCell(P, c, r);
    const TPoint size = g.PasteSize(Text);
    const int cols = size.x, rows = size.y;
    const bool rowSelect = g.Options() & goRowSelect;
    if (rowSelect)
        c = s->OleEntireRows() ? 0 : g.FixedCols();
    bool allow = true;
    if (g.OnOleDrop)
        g.OnOleDrop(&g, r, c, Text, allow);
    TGridRect sel = g.Selection();
    if (allow && c >= 0 && r >= 0) {
        TGridRect src = g.OleDragRect();
        if (s->OleRemoveRows() && src.Top >= 0 && src.Top >= r) {
            src.Top += rows;
            src.Bottom += rows;
            g.SetOleDragRect(src);
        }
        if (r == 0 && g.FixedRowAlways() && g.RowCount() == 1)
            r = 1;
        if (s->OleInsertRows() && rows > 0) {
            const int top = g.TopRow();
            g.InsertRows(r, rows);
            g.SetTopRow(top > g.FixedRows() ? top + 1 : top);
        }
        g.PasteText(c, r, Text);
        sel.Left = std::max(c, g.FixedCols());
        sel.Top = r;
        sel.Right = rowSelect ? sel.Left + cols - g.FixedCols() : sel.Left + cols - 1;
        sel.Bottom = r + rows - 1;
        // Kept inside the grid: a drop near the edge pastes only what fits.
        sel.Right = std::clamp(sel.Right, sel.Left, g.ColCount() - 1);
        sel.Bottom = std::clamp(sel.Bottom, sel.Top, g.RowCount() - 1);
        if (sel.Left < g.ColCount() && sel.Top < g.RowCount())
            g.SetSelection(sel);
        sel = g.Selection();
    }
    ShowArrows(arrLeft, arrDown, false);
    if (g.PopupButton())
        g.PopupButton()->SetVisible(false);
    if (g.OnOleDropped)
        g.OnOleDropped(&g, sel);
}

void TGridDropTarget::DropRTF(const TPoint& P, const AnsiString& RTF)
{
    TRavArodozIdad& g = *FGrid;
    int c = -1, r = -1;
    g.ScreenToCell(P, c, r);
    bool allow = true;
    if (g.OnOleDrop)
        g.OnOleDrop(&g, r, c, RTF, allow);
    if (allow && c >= 0 && r >= 0)
        g.SetCellEx(g.RealColIndex(c), r, RTF);
    ShowArrows(arrLeft, arrDown, false);
}

void TGridDropTarget::DropFiles(const TPoint&, TStrings* Files)
{
    TRavArodozIdad& g = *FGrid;
    if (Files->Count() == 1) {
        const AnsiString name = Files->Strings(0);
        const AnsiString upper = UpperCase(name);
        bool allow = true;
        if (upper.find(".CSV") != AnsiString::npos) {
            if (g.OnOleDrop)
                g.OnOleDrop(&g, -1, -1, name, allow);
            if (allow)
                g.LoadDroppedFile(name, false);
        }
        if (upper.find(".XLS") != AnsiString::npos) {
            if (g.OnOleDrop)
                g.OnOleDrop(&g, -1, -1, name, allow);
            if (allow)
                g.LoadDroppedFile(name, true);
        }
    }
    ShowArrows(arrLeft, arrDown, false);
}

void TGridDropTarget::DropCol(const TPoint& P, int Col)
{
    if (!(DropFormats() & Ragdd::FormatBit(Ragdd::dfCol)))
        return;
    TRavArodozIdad& g = *FGrid;
    ShowArrows(arrDown, arrUp, false);
    if (g.PopupButton())
        g.PopupButton()->SetVisible(false);
    int c = -1, r = -1;
    g.ScreenToCell(P, c, r);
    if (g.OnOleDropCol)
        g.OnOleDropCol(&g, r, c, Col);
}

// ---------------------------------------------------------------- drag source

void TGridDropSource::CurrentEffect(int Effect)
{
    if (Effect == DROPEFFECT_COPY || Effect == DROPEFFECT_MOVE)
        FLastEffect = Effect;
}

// The header image follows the cursor: its left at the cursor's x, its bottom at its y.
void TGridDropSource::QueryDrag()
{
    TPopupButton* b = FGrid->PopupButton();
    if (!b || !b->Visible())
        return;
    const TPoint p = FGrid->ScreenToClient(GetCursorPos());
    b->SetBounds(p.x, p.y - b->Height(), b->Width(), b->Height());
}

// ---------------------------------------------------------------- the grid's side

void TRavArodozIdad::LoadDroppedFile(const AnsiString& FileName, bool Workbook)
{
    if (Workbook)
        LoadFromXLS(FileName);
    else
        LoadFromCSV(FileName);
}

bool TRavArodozIdad::OleDragCandidate(int ACol, int ARow, int X)
{
    const TDragDropSettings* s = FDragDropSettings.get();
    if (!s->OleDropSource() || (Options() & goEditing) || MouseActions()->ColSelect() || MouseActions()->AllSelect())
        return false;
    if (!IsSelected(ACol, ARow) && ARow >= FixedRows())
        return false;
    const TRect R = CellRect(ACol, ARow);
    if ((Options() & goColSizing) && (X < R.Left + 4 || X > R.Right - 4))
        return false;
    FOleDragPending = true;
    return true;
}

bool TRavArodozIdad::OleDragMove(TShiftState Shift, int X, int Y)
{
    if (!FOleDragPending || !FDragDropSettings->OleDropSource())
        return false;
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c < 0 || r < 0 || (std::abs(X - FPressPos.x) <= 3 && std::abs(Y - FPressPos.y) <= 3))
        return false;
    FOleDragPending = false;
    const int col = RealColIndex(c);
    bool allow = true;
    if (OnOleDrag)
        OnOleDrag(this, r, col, GetCellEx(col, r), allow);
    if (!allow) {
        // The press turns into a range selection.
        TBaseGrid::MouseDown(mbLeft, Shift, FPressPos.x, FPressPos.y);
        return false;
    }
    // The drag takes the button's release: no release reaches the grid afterwards.
    FMousePressed = false;
    TGridDropSource source(this);
    if (OnOleDragStart)
        OnOleDragStart(this, r, col);
    int effect = DROPEFFECT_NONE;
    const int allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    if (r < FixedRows() && FDragDropSettings->OleColumnDragDrop()) {
        if (FPopupButton) {
            if (!FPopupButton->Parent())
                FPopupButton->SetParent(this);
            FPopupButton->SetCaption(GetCellEx(col, 0));
            FPopupButton->SetBounds(X, Y - RowHeights(0), ColWidths(c), RowHeights(0));
            FPopupButton->SetVisible(true);
        }
        const HRESULT res = Ragdd::StartColDoDragDrop(this, &source, col, allowed, effect);
        if (res != DRAGDROP_S_CANCEL && OnOleDragStop)
            OnOleDragStop(this, effect);
        if (FPopupButton)
            FPopupButton->SetVisible(false);
        for (int d : {int(arrUp), int(arrDown)})
            if (FArrows[d])
                FArrows[d]->SetVisible(false);
        return true;
    }
    FOleDragRect = Selection();
    const HRESULT res = Ragdd::StartTextDoDragDrop(this, &source, SelectedText(), GetCellEx(col, r), allowed, effect);
    if (res == DRAGDROP_S_CANCEL)
        return true;
    const TGridRect R = FOleDragRect;
    if (effect == DROPEFFECT_MOVE) {
        if (FDragDropSettings->OleRemoveRows() && (Options() & goRowSelect)) {
            if (MouseActions()->DisjunctRowSelect())
                RemoveSelectedRows();
            else
                RemoveRows(R.Top, R.Bottom - R.Top + 1);
        } else if (!FDragDropSettings->OleCopyAlways())
            ClearRect(R.Left, R.Top, R.Right, R.Bottom);
    }
    if (OnOleDragStop)
        OnOleDragStop(this, effect);
    return true;
}
