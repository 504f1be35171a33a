// Moving a row or column by its header: the application may refuse it while it
// is dragged; with EnhRowColMove the header floats under the mouse, arrows mark
// the drop place and the release moves the row or column there.
#include "components/grid/Ravgrid.h"
#include "components/grid/RavobjWindows.h"
#include "platform/forms/Screen.h"

void TRavArodozIdad::EnhancedMoveMouse(int X, int Y)
{
    const TGridState st = GridState();
    if (st != gsColMoving && st != gsRowMoving)
        return;
    const bool cols = st == gsColMoving;
    const int index = MoveIndex();
    // The base grid moves cells by display column; hidden columns keep theirs by real column,
    // so with columns hidden a column is not moved by the mouse.
    bool allow = !cols || FNumHiddenColumns == 0;
    if (allow && cols && OnColumnMove)
        OnColumnMove(this, index, allow);
    else if (!cols && OnRowMove)
        OnRowMove(this, index, allow);
    if (!allow) {
        CancelMoving();
        HideMoveArrows();
        if (FPopupButton)
            FPopupButton->SetVisible(false);
        if (Screen->Cursor() == crDrag)
            Screen->SetCursor(crDefault);
        return;
    }
    if (!FEnhRowColMove || TPoint(X, Y) == FPressPos || !FPopupButton || FFixedColSizing)
        return;
    if (!FPopupButton->Parent())
        FPopupButton->SetParent(this);
    const int w = cols ? ColWidths(index) : ColWidths(0), h = cols ? RowHeights(0) : RowHeights(index);
    FPopupButton->SetCaption(cols ? GetCellEx(RealColIndex(index), 0) : GetCellEx(0, index));
    FPopupButton->SetBounds(X - FMoveGrab.x, Y - FMoveGrab.y, w, h);
    // The arrows mark where the release would put it.
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (cols) {
        const bool data = c >= FixedCols() && c < ColCount();
        const TRect R = data ? CellRect(c, 0) : TRect();
        TArrowWindow* up = FArrows[arrUp];
        TArrowWindow* down = FArrows[arrDown];
        if (!R.IsEmpty()) {
            up->SetBounds(R.Left - 5, R.Bottom, up->Width(), up->Height());
            down->SetBounds(R.Left - 5, R.Top - 8, down->Width(), down->Height());
        }
        up->SetVisible(!R.IsEmpty());
        down->SetVisible(!R.IsEmpty());
    } else {
        const bool data = r >= FixedRows() && r < RowCount();
        const TRect R = data ? CellRect(0, r) : TRect();
        TArrowWindow* left = FArrows[arrLeft];
        TArrowWindow* right = FArrows[arrRight];
        if (!R.IsEmpty()) {
            left->SetBounds(R.Left - 10, R.Top - 5, left->Width(), left->Height());
            right->SetBounds(R.Right, R.Top - 5, right->Width(), right->Height());
        }
        left->SetVisible(!R.IsEmpty());
        right->SetVisible(!R.IsEmpty());
    }
    FPopupButton->SetEnabled(true);
    FPopupButton->SetVisible(true);
    FPopupButton->BringToFront();
    Screen->SetCursor(crDrag);
}

void TRavArodozIdad::HideMoveArrows()
{
    for (TArrowWindow* a : FArrows)
        if (a)
            a->SetVisible(false);
}

void TRavArodozIdad::EndEnhancedMove(int X, int Y)
{
    const TGridState st = GridState();
    if (!FEnhRowColMove || Screen->Cursor() != crDrag || (st != gsColMoving && st != gsRowMoving))
        return;
    Screen->SetCursor(crDefault);
    if (FPopupButton) {
        FPopupButton->SetVisible(false);
        FPopupButton->SetEnabled(false);
    }
    const int index = MoveIndex();
    CancelMoving();
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (st == gsColMoving && c >= FixedCols() && c != index)
        MoveColumn(index, c);
    else if (st == gsRowMoving && r >= FixedRows() && r != index)
        MoveRow(index, r);
}

void TRavArodozIdad::RowMoved(int FromIndex, int ToIndex)
{
    TBaseGrid::RowMoved(FromIndex, ToIndex);
    if (FMousePressed)
        FMoved = true;
}

void TRavArodozIdad::DrawMoveLine(TCanvas* ACanvas)
{
    // The arrows show the drop place.
    if (!FEnhRowColMove)
        TBaseGrid::DrawMoveLine(ACanvas);
}
