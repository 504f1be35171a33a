// Moving a row or column by dragging its header: the drop place follows the
// mouse, the cells scroll when the mouse passes the fixed area or the grid's
// edge, and the release moves the row or column there.
#include <algorithm>

#include "components/grid/RavbaseStringGrid.h"
#include "platform/graphics/Canvas.h"

TGridState TStringGrid::GridState() const
{
    if (FSizingLine >= 0)
        return FSizingCols ? gsColSizing : gsRowSizing;
    if (FMoving)
        return FMoving == 2 ? gsColMoving : gsRowMoving;
    return FSelecting ? gsSelecting : gsNormal;
}

bool TStringGrid::BeginMoving(int X, int Y)
{
    const TGridCoord c = MouseCoord(X, Y);
    if (c.X < 0 || c.Y < 0)
        return false;
    if (c.Y < FFixedRows && c.X >= FFixedCols && (FOptions & goColMoving)) {
        FMoving = 2;
        FMoveIndex = c.X;
    } else if (c.X < FFixedCols && c.Y >= FFixedRows && (FOptions & goRowMoving)) {
        FMoving = 1;
        FMoveIndex = c.Y;
    } else
        return false;
    FMovePos = FMoveIndex;
    SetMouseCapture(true);
    return true;
}

void TStringGrid::TrackMoving(int X, int Y, bool Scroll)
{
    const bool cols = FMoving == 2;
    // Past the fixed area or the grid's edge the cells scroll by one.
    if (Scroll && cols) {
        if (X < ColSpanWidth(0, FFixedCols) && FTopLeft.X > FFixedCols)
            SetLeftCol(FTopLeft.X - 1);
        else if (X >= GridWidth() && FTopLeft.X < MaxLeftCol())
            SetLeftCol(FTopLeft.X + 1);
    } else if (Scroll) {
        if (Y < RowSpanHeight(0, FFixedRows) && FTopLeft.Y > FFixedRows)
            SetTopRow(FTopLeft.Y - 1);
        else if (Y >= GridHeight() && FTopLeft.Y < MaxTopRow())
            SetTopRow(FTopLeft.Y + 1);
    }
    // The drop place: the data column (row) under the mouse, the first or last one in view beyond.
    const int count = cols ? FColCount : FRowCount, fixed = cols ? FFixedCols : FFixedRows;
    const int first = cols ? FTopLeft.X : FTopLeft.Y;
    const int last = std::min(count - 1, first + std::max(1, cols ? VisibleColCount() : VisibleRowCount()) - 1);
    const int along = cols ? X : Y;
    const int extent = cols ? GridWidth() : GridHeight();
    const TGridCoord c = cols ? MouseCoord(std::clamp(X, 0, extent - 1), 0) : MouseCoord(0, std::clamp(Y, 0, extent - 1));
    int to = cols ? c.X : c.Y;
    if (along >= extent || to < 0)
        to = last;
    else if (to < fixed)
        to = first;
    if (to != FMovePos) {
        FMovePos = to;
        Invalidate();
    }
}

void TStringGrid::EndMoving()
{
    const bool cols = FMoving == 2;
    const int from = FMoveIndex, to = FMovePos;
    CancelMoving();
    if (from != to) {
        if (cols)
            MoveColumn(from, to);
        else
            MoveRow(from, to);
    }
}

void TStringGrid::BeginSelecting()
{
    FSelecting = true;
    SetMouseCapture(true);
}

void TStringGrid::CancelMoving()
{
    if (!FMoving)
        return;
    FMoving = 0;
    SetMouseCapture(false);
    Invalidate();
}

// A bar on the edge where the moved row or column would come in.
void TStringGrid::DrawMoveLine(TCanvas* cv)
{
    const bool cols = FMoving == 2;
    const int at = cols ? int(ColSpanWidth(0, FFixedCols) + ColSpanWidth(FTopLeft.X, FMovePos) +
                             (FMovePos > FMoveIndex ? ColWidths(FMovePos) : 0))
                        : int(RowSpanHeight(0, FFixedRows) + RowSpanHeight(FTopLeft.Y, FMovePos) +
                             (FMovePos > FMoveIndex ? RowHeights(FMovePos) : 0));
    cv->Brush()->SetColor(clBlack);
    cv->Brush()->SetStyle(bsSolid);
    if (cols)
        cv->FillRect(TRect(at - 1, 0, at + 2, GridHeight()));
    else
        cv->FillRect(TRect(0, at - 1, GridWidth(), at + 2));
}
