#include "components/grid/RavbaseStringGrid.h"

#include <algorithm>

#include "platform/graphics/Canvas.h"

TStringGrid::TStringGrid(TComponent* AOwner) : TCustomControl(AOwner)
{
    FColWidths.assign(size_t(FColCount), FDefaultColWidth);
    FCurrent = {FFixedCols, FFixedRows};
    FAnchor = FCurrent;
    FTopLeft = FCurrent;
    FColor = clWindow; // the cells are a window's, as in the class library
    SetTabStop(true);
    // The grid raises its own click (after a mouse selection, on cell moves), not the control's.
    SetControlStyle((ControlStyle() & ~csClickEvents) | csOpaque);
    SetBounds(Left(), Top(), 320, 120);
}

TStringGrid::~TStringGrid() = default;

void TStringGrid::SetCells(int ACol, int ARow, const AnsiString& Value)
{
    FStore.SetText(ACol, ARow, Value);
    InvalidateCell(ACol, ARow);
}

// ---------------------------------------------------------------- dimensions

void TStringGrid::SetColCount(int Value)
{
    if (Value < 1)
        Value = 1;
    if (Value == FColCount)
        return;
    const int old = FColCount;
    FColCount = Value;
    FColWidths.resize(size_t(Value), FDefaultColWidth);
    if (FFixedCols >= FColCount)
        FFixedCols = FColCount - 1;
    ClampCurrent();
    SizeChanged(old, FRowCount);
    Invalidate();
}

void TStringGrid::SetRowCount(int Value)
{
    if (Value < 1)
        Value = 1;
    if (Value == FRowCount)
        return;
    const int old = FRowCount;
    FRowCount = Value;
    // Heights of rows that left the grid are forgotten.
    FRowHeights.erase(FRowHeights.lower_bound(FRowCount), FRowHeights.end());
    if (FFixedRows >= FRowCount)
        FFixedRows = FRowCount - 1;
    ClampCurrent();
    SizeChanged(FColCount, old);
    Invalidate();
}

void TStringGrid::SetFixedCols(int Value)
{
    if (Value < 0 || Value >= FColCount)
        throw EInvalidOperation("Fixed column count must be less than column count");
    if (Value == FFixedCols)
        return;
    FFixedCols = Value;
    // The view and the current cell start again at the first scrollable column.
    FTopLeft.X = FCurrent.X = FAnchor.X = FFixedCols;
    ClampCurrent();
    Invalidate();
}

void TStringGrid::SetFixedRows(int Value)
{
    if (Value < 0 || Value >= FRowCount)
        throw EInvalidOperation("Fixed row count must be less than row count");
    if (Value == FFixedRows)
        return;
    FFixedRows = Value;
    FTopLeft.Y = FCurrent.Y = FAnchor.Y = FFixedRows;
    ClampCurrent();
    Invalidate();
}

void TStringGrid::SetDefaultColWidth(int Value)
{
    if (Value == FDefaultColWidth)
        return;
    FDefaultColWidth = Value;
    std::fill(FColWidths.begin(), FColWidths.end(), Value);
    ColWidthsChanged();
    Invalidate();
}

void TStringGrid::SetDefaultRowHeight(int Value)
{
    if (Value == FDefaultRowHeight)
        return;
    FDefaultRowHeight = Value;
    FRowHeights.clear();
    RowHeightsChanged();
    Invalidate();
}

void TStringGrid::SetDefaultRowHeightOnly(int Value)
{
    if (Value == FDefaultRowHeight)
        return;
    FDefaultRowHeight = Value;
    for (auto it = FRowHeights.begin(); it != FRowHeights.end();)
        it = it->second == Value ? FRowHeights.erase(it) : std::next(it);
    RowHeightsChanged();
    Invalidate();
}

int TStringGrid::ColWidths(int ACol) const
{
    if (ACol < 0 || ACol >= int(FColWidths.size()))
        return FDefaultColWidth;
    return FColWidths[size_t(ACol)];
}

void TStringGrid::SetColWidths(int ACol, int Value)
{
    if (ACol < 0 || ACol >= FColCount || FColWidths[size_t(ACol)] == Value)
        return;
    FColWidths[size_t(ACol)] = Value;
    ColWidthsChanged();
    Invalidate();
}

int TStringGrid::RowHeights(int ARow) const
{
    auto it = FRowHeights.find(ARow);
    return it == FRowHeights.end() ? FDefaultRowHeight : it->second;
}

void TStringGrid::SetRowHeights(int ARow, int Value)
{
    if (ARow < 0 || ARow >= FRowCount || RowHeights(ARow) == Value)
        return;
    if (Value == FDefaultRowHeight)
        FRowHeights.erase(ARow);
    else
        FRowHeights[ARow] = Value;
    RowHeightsChanged();
    Invalidate();
}

void TStringGrid::SetOptions(TGridOptions Value)
{
    if (Value == FOptions)
        return;
    FOptions = Value;
    if (FOptions & goRowSelect)
        FAnchor.X = FFixedCols;
    Invalidate();
}

void TStringGrid::SetFixedColor(TColor Value)
{
    if (Value == FFixedColor)
        return;
    FFixedColor = Value;
    Invalidate();
}

void TStringGrid::SetScrollBars(TScrollStyle Value)
{
    if (Value == FScrollBars)
        return;
    FScrollBars = Value;
    Invalidate();
}

void TStringGrid::SetBorderSingle(bool Value)
{
    if (Value == FBorderSingle)
        return;
    FBorderSingle = Value;
    Invalidate();
}

void TStringGrid::SetScrollBarSize(int Value)
{
    if (Value == FScrollBarSize || Value < 0)
        return;
    FScrollBarSize = Value;
    Invalidate();
}

long long TStringGrid::ColSpanWidth(int From, int To) const
{
    long long s = 0;
    for (int c = std::max(From, 0); c < To; ++c)
        s += ColWidths(c);
    return s;
}

long long TStringGrid::RowSpanHeight(int From, int To) const
{
    if (To <= From)
        return 0;
    long long s = (long long)(To - From) * FDefaultRowHeight;
    for (auto it = FRowHeights.lower_bound(From); it != FRowHeights.end() && it->first < To; ++it)
        s += it->second - FDefaultRowHeight;
    return s;
}

void TStringGrid::ShiftRowHeights(int At, int Delta)
{
    if (Delta == 0 || FRowHeights.empty())
        return;
    std::map<int, int> moved;
    for (auto it = FRowHeights.begin(); it != FRowHeights.end();) {
        if (it->first >= At) {
            moved[it->first + Delta] = it->second;
            it = FRowHeights.erase(it);
        } else if (Delta < 0 && it->first >= At + Delta) {
            it = FRowHeights.erase(it); // rows that were removed
        } else
            ++it;
    }
    FRowHeights.insert(moved.begin(), moved.end());
}

void TStringGrid::SwapRowHeights(int A, int B)
{
    const int ha = RowHeights(A), hb = RowHeights(B);
    FRowHeights.erase(A);
    FRowHeights.erase(B);
    if (hb != FDefaultRowHeight)
        FRowHeights[A] = hb;
    if (ha != FDefaultRowHeight)
        FRowHeights[B] = ha;
}

// ---------------------------------------------------------------- scroll bars and extents

bool TStringGrid::VScrollShown() const
{
    if (FScrollBars != ssVertical && FScrollBars != ssBoth)
        return false;
    long long availH = ClientHeight();
    const long long totalH = RowSpanHeight(0, FRowCount);
    if (totalH > availH)
        return true;
    const bool hPossible = FScrollBars == ssBoth;
    if (hPossible && ColSpanWidth(0, FColCount) > ClientWidth() - FScrollBarSize)
        availH -= FScrollBarSize;
    return hPossible && ColSpanWidth(0, FColCount) > ClientWidth() && totalH > availH;
}

bool TStringGrid::HScrollShown() const
{
    if (FScrollBars != ssHorizontal && FScrollBars != ssBoth)
        return false;
    const long long availW = ClientWidth() - (VScrollShown() ? FScrollBarSize : 0);
    return ColSpanWidth(0, FColCount) > availW;
}

int TStringGrid::GridWidth() const
{
    return std::max(0, ClientWidth() - (VScrollShown() ? FScrollBarSize : 0));
}

int TStringGrid::GridHeight() const
{
    return std::max(0, ClientHeight() - (HScrollShown() ? FScrollBarSize : 0));
}

int TStringGrid::VisibleColCount() const
{
    long long room = GridWidth() - ColSpanWidth(0, FFixedCols);
    int n = 0;
    for (int c = FTopLeft.X; c < FColCount; ++c) {
        room -= ColWidths(c);
        if (room < 0)
            break;
        ++n;
    }
    return n;
}

int TStringGrid::VisibleRowCount() const
{
    long long room = GridHeight() - RowSpanHeight(0, FFixedRows);
    int n = 0;
    for (int r = FTopLeft.Y; r < FRowCount; ++r) {
        room -= RowHeights(r);
        if (room < 0)
            break;
        ++n;
    }
    return n;
}

int TStringGrid::MaxTopRow() const
{
    long long room = GridHeight() - RowSpanHeight(0, FFixedRows);
    int top = FRowCount;
    while (top > FFixedRows) {
        room -= RowHeights(top - 1);
        if (room < 0)
            break;
        --top;
    }
    return std::max(FFixedRows, std::min(top, FRowCount - 1));
}

int TStringGrid::MaxLeftCol() const
{
    long long room = GridWidth() - ColSpanWidth(0, FFixedCols);
    int left = FColCount;
    while (left > FFixedCols) {
        room -= ColWidths(left - 1);
        if (room < 0)
            break;
        --left;
    }
    return std::max(FFixedCols, std::min(left, FColCount - 1));
}

// ---------------------------------------------------------------- current cell and selection

void TStringGrid::ClampCurrent()
{
    auto clampTo = [](int v, int lo, int hi) { return std::max(lo, std::min(v, hi)); };
    FCurrent.X = clampTo(FCurrent.X, FFixedCols, FColCount - 1);
    FCurrent.Y = clampTo(FCurrent.Y, FFixedRows, FRowCount - 1);
    FAnchor.X = clampTo(FAnchor.X, FFixedCols, FColCount - 1);
    FAnchor.Y = clampTo(FAnchor.Y, FFixedRows, FRowCount - 1);
    FTopLeft.X = clampTo(FTopLeft.X, FFixedCols, std::max(FFixedCols, FColCount - 1));
    FTopLeft.Y = clampTo(FTopLeft.Y, FFixedRows, std::max(FFixedRows, FRowCount - 1));
}

TGridRect TStringGrid::Selection() const
{
    TGridRect r;
    r.Left = std::min(FAnchor.X, FCurrent.X);
    r.Right = std::max(FAnchor.X, FCurrent.X);
    r.Top = std::min(FAnchor.Y, FCurrent.Y);
    r.Bottom = std::max(FAnchor.Y, FCurrent.Y);
    if (FOptions & goRowSelect) {
        r.Left = FFixedCols;
        r.Right = FColCount - 1;
    }
    return r;
}

void TStringGrid::SetSelection(const TGridRect& Value)
{
    const TGridRect old = Selection();
    FAnchor = {Value.Left, Value.Top};
    FCurrent = {Value.Right, Value.Bottom};
    if (!(old == Selection()))
        Invalidate();
}

void TStringGrid::SetCol(int Value)
{
    if (Value == FCurrent.X)
        return;
    MoveCurrentTo(Value, FCurrent.Y, true, true, true);
}

void TStringGrid::SetRow(int Value)
{
    if (Value == FCurrent.Y)
        return;
    MoveCurrentTo(FCurrent.X, Value, true, true, true);
}

void TStringGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show)
{
    MoveCurrentTo(ACol, ARow, MoveAnchor, Show, false);
}

void TStringGrid::MoveCurrentTo(int ACol, int ARow, bool MoveAnchor, bool Show, bool FireClick)
{
    if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount)
        throw EInvalidOperation("Grid index out of range");
    if (!SelectCell(ACol, ARow))
        return;
    const TGridRect old = Selection();
    FCurrent = {ACol, ARow};
    if (MoveAnchor || !(FOptions & goRangeSelect))
        FAnchor = FCurrent;
    if (FOptions & goRowSelect)
        FAnchor.X = FFixedCols;
    if (!(FOptions & goAlwaysShowEditor))
        HideEditor();
    if (Show)
        ScrollInViewBase(ACol, ARow);
    if (FOptions & goAlwaysShowEditor)
        ShowEditor();
    if (!(old == Selection()))
        Invalidate();
    else
        InvalidateCell(ACol, ARow);
    if (FireClick)
        Click();
}

void TStringGrid::ScrollInViewBase(int ACol, int ARow)
{
    int left = FTopLeft.X, top = FTopLeft.Y;
    if (ACol >= FFixedCols) {
        if (ACol < left)
            left = ACol;
        else {
            // walk left from ACol until the columns no longer fit
            long long room = GridWidth() - ColSpanWidth(0, FFixedCols) - ColWidths(ACol);
            int l = ACol;
            while (l > FFixedCols && room - ColWidths(l - 1) >= 0 && l > left) {
                room -= ColWidths(l - 1);
                --l;
            }
            if (l > left)
                left = l;
        }
    }
    if (ARow >= FFixedRows) {
        if (ARow < top)
            top = ARow;
        else {
            long long room = GridHeight() - RowSpanHeight(0, FFixedRows) - RowHeights(ARow);
            int t = ARow;
            while (t > FFixedRows && room - RowHeights(t - 1) >= 0 && t > top) {
                room -= RowHeights(t - 1);
                --t;
            }
            if (t > top)
                top = t;
        }
    }
    DoSetTopLeft(left, top);
}

void TStringGrid::DoSetTopLeft(int ALeft, int ATop)
{
    // The view never scrolls past the point where the last row (column) shows at the bottom (right).
    ALeft = std::max(FFixedCols, std::min(ALeft, MaxLeftCol()));
    ATop = std::max(FFixedRows, std::min(ATop, MaxTopRow()));
    if (ALeft == FTopLeft.X && ATop == FTopLeft.Y)
        return;
    FTopLeft = {ALeft, ATop};
    Invalidate();
    if (FEditorMode)
        UpdateEdit();
    TopLeftChanged();
}

void TStringGrid::SetLeftCol(int Value) { DoSetTopLeft(Value, FTopLeft.Y); }
void TStringGrid::SetTopRow(int Value) { DoSetTopLeft(FTopLeft.X, Value); }

// ---------------------------------------------------------------- geometry

TRect TStringGrid::CellRect(int ACol, int ARow) const
{
    if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount)
        return TRect();
    long long x, y;
    if (ACol < FFixedCols)
        x = ColSpanWidth(0, ACol);
    else if (ACol < FTopLeft.X)
        return TRect();
    else
        x = ColSpanWidth(0, FFixedCols) + ColSpanWidth(FTopLeft.X, ACol);
    if (ARow < FFixedRows)
        y = RowSpanHeight(0, ARow);
    else if (ARow < FTopLeft.Y)
        return TRect();
    else
        y = RowSpanHeight(0, FFixedRows) + RowSpanHeight(FTopLeft.Y, ARow);
    if (x >= GridWidth() || y >= GridHeight())
        return TRect();
    return TRect(int(x), int(y), int(x) + ColWidths(ACol), int(y) + RowHeights(ARow));
}

TGridCoord TStringGrid::MouseCoord(int X, int Y) const
{
    TGridCoord r{-1, -1};
    if (X < 0 || Y < 0 || X >= GridWidth() || Y >= GridHeight())
        return r;
    long long x = 0;
    for (int c = 0; c < FColCount; ++c) {
        if (c == FFixedCols)
            c = std::max(c, FTopLeft.X);
        if (c >= FColCount)
            break;
        x += ColWidths(c);
        if (X < x) {
            r.X = c;
            break;
        }
    }
    long long y = 0;
    for (int rr = 0; rr < FRowCount; ++rr) {
        if (rr == FFixedRows)
            rr = std::max(rr, FTopLeft.Y);
        if (rr >= FRowCount)
            break;
        y += RowHeights(rr);
        if (Y < y) {
            r.Y = rr;
            break;
        }
    }
    if (r.X < 0 || r.Y < 0)
        return TGridCoord{-1, -1};
    return r;
}

void TStringGrid::MouseToCell(int X, int Y, int& ACol, int& ARow) const
{
    TGridCoord c = MouseCoord(X, Y);
    ACol = c.X;
    ARow = c.Y;
}

// The platform repaints whole windows; a cell change repaints the grid, which
// costs what the visible cells cost.
void TStringGrid::InvalidateGridRect(const TRect& R)
{
    if (!R.IsEmpty())
        Invalidate();
}

void TStringGrid::InvalidateCell(int ACol, int ARow)
{
    if (HandleAllocated()) // without a window nothing is on screen to repaint
        InvalidateGridRect(CellRect(ACol, ARow));
}

void TStringGrid::InvalidateRow(int ARow)
{
    TRect r = CellRect(0, ARow);
    if (!r.IsEmpty())
        Invalidate();
}

void TStringGrid::InvalidateCol(int ACol)
{
    TRect r = CellRect(ACol, 0);
    if (!r.IsEmpty())
        Invalidate();
}

// ---------------------------------------------------------------- structure

void TStringGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex >= FColCount || ToIndex >= FColCount)
        return;
    FStore.MoveCol(FromIndex, ToIndex);
    const int w = FColWidths[size_t(FromIndex)];
    FColWidths.erase(FColWidths.begin() + FromIndex);
    FColWidths.insert(FColWidths.begin() + ToIndex, w);
    ColumnMoved(FromIndex, ToIndex);
    Invalidate();
}

void TStringGrid::MoveRow(int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex || FromIndex < 0 || ToIndex < 0 || FromIndex >= FRowCount || ToIndex >= FRowCount)
        return;
    FStore.MoveRow(FromIndex, ToIndex);
    const int lo = std::min(FromIndex, ToIndex), hi = std::max(FromIndex, ToIndex);
    std::vector<std::pair<int, int>> moved;
    for (auto it = FRowHeights.lower_bound(lo); it != FRowHeights.end() && it->first <= hi;) {
        const int k = it->first;
        const int to = k == FromIndex ? ToIndex : (FromIndex < ToIndex ? k - 1 : k + 1);
        moved.emplace_back(to, it->second);
        it = FRowHeights.erase(it);
    }
    FRowHeights.insert(moved.begin(), moved.end());
    RowMoved(FromIndex, ToIndex);
    Invalidate();
}

void TStringGrid::DeleteColumn(int ACol)
{
    MoveColumn(ACol, FColCount - 1);
    SetColCount(FColCount - 1);
}

void TStringGrid::DeleteRow(int ARow)
{
    MoveRow(ARow, FRowCount - 1);
    SetRowCount(FRowCount - 1);
}

// ---------------------------------------------------------------- hooks

void TStringGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    TCanvas* c = Canvas();
    c->Brush()->SetColor((AState & gdFixed) ? FFixedColor : Color());
    c->FillRect(ARect);
    c->TextRect(ARect, ARect.Left + 2, ARect.Top + 2, Cells(ACol, ARow));
}

bool TStringGrid::SelectCell(int, int) { return true; }
void TStringGrid::ThumbTracking(bool, int) {}
void TStringGrid::ThumbReleased(bool) {}
void TStringGrid::TopLeftChanged() {}
void TStringGrid::SizeChanged(int, int) {}
void TStringGrid::ColWidthsChanged() {}
void TStringGrid::RowHeightsChanged() {}
void TStringGrid::ColumnMoved(int, int) {}
void TStringGrid::RowMoved(int, int) {}

// ---------------------------------------------------------------- painting

void TStringGrid::Paint()
{
    TCanvas* cv = Canvas();
    const int gw = GridWidth(), gh = GridHeight();
    const TGridRect sel = Selection();
    const bool focused = Focused();

    cv->SaveDC();
    cv->IntersectClipRect(TRect(0, 0, gw, gh));
    long long y = 0;
    int maxX = 0;
    for (int r = 0; r < FRowCount && y < gh; ++r) {
        if (r == FFixedRows)
            r = std::max(r, FTopLeft.Y);
        if (r >= FRowCount)
            break;
        const int h = RowHeights(r);
        long long x = 0;
        for (int c = 0; c < FColCount && x < gw; ++c) {
            if (c == FFixedCols)
                c = std::max(c, FTopLeft.X);
            if (c >= FColCount)
                break;
            const int w = ColWidths(c);
            TGridDrawState st = 0;
            if (c < FFixedCols || r < FFixedRows)
                st |= gdFixed;
            else {
                if (IsInGridRect(sel, c, r))
                    st |= gdSelected;
                if (focused && c == FCurrent.X && r == FCurrent.Y)
                    st |= gdFocused;
            }
            if (w > 0 && h > 0)
                DrawCell(c, r, TRect(int(x), int(y), int(x) + w, int(y) + h), st);
            x += w;
        }
        maxX = std::max<int>(maxX, int(x));
        y += h;
    }
    // What the cells do not cover shows the grid's colour.
    cv->Brush()->SetColor(Color());
    cv->Brush()->SetStyle(bsSolid);
    if (maxX < gw)
        cv->FillRect(TRect(maxX, 0, gw, gh));
    if (y < gh)
        cv->FillRect(TRect(0, int(y), gw, gh));
    if (FMoving && FMovePos != FMoveIndex)
        DrawMoveLine(cv);
    cv->RestoreDC();

    DrawScrollBars();
}

void TStringGrid::PaintNonClient(TCanvas* cv)
{
    DrawFrame(cv);
}

void TStringGrid::DrawFrame(TCanvas* cv)
{
    if (!FBorderSingle)
        return;
    TRect r(0, 0, Width(), Height());
    if (Ctl3DFrame())
        cv->DrawEdge(r, EDGE_SUNKEN, BF_RECT);
    else {
        cv->Brush()->SetColor(clWindowFrame);
        cv->FrameRect(r);
    }
}

// ---------------------------------------------------------------- input

void TStringGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft)
        return;
    if (CanFocus() && !Focused())
        SetFocus();
    if (ScrollBarMouse(X, Y, true))
        return;
    if (BeginLineSizing(X, Y) || BeginMoving(X, Y))
        return;
    TGridCoord c = MouseCoord(X, Y);
    if (c.X < FFixedCols || c.Y < FFixedRows)
        return;
    const bool extend = (Shift & ssShift) && (FOptions & goRangeSelect);
    if (c == FCurrent && !extend && (FOptions & goEditing) && !(Shift & ssDouble)) {
        ShowEditor();
        return;
    }
    MoveCurrentTo(c.X, c.Y, !extend, true, false);
    FSelecting = true;
    SetMouseCapture(true);
}

void TStringGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (FThumbDrag) {
        ThumbDragTo(X, Y);
        return;
    }
    if (FSizingLine >= 0) {
        TrackLineSizing(X, Y);
        return;
    }
    if (FMoving) {
        TrackMoving(X, Y, true);
        return;
    }
    if (!FSelecting || !(FOptions & goRangeSelect))
        return;
    TGridCoord c = MouseCoord(X, Y);
    if (c.X >= FFixedCols && c.Y >= FFixedRows && !(c == FCurrent))
        MoveCurrentTo(c.X, c.Y, false, true, false);
}

void TStringGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (FThumbDrag) {
        ThumbDragEnd();
        return;
    }
    if (FSizingLine >= 0) {
        TrackLineSizing(X, Y);
        FSizingLine = -1;
        SetMouseCapture(false);
        return;
    }
    if (FMoving) {
        TrackMoving(X, Y, false);
        EndMoving();
        return;
    }
    if (FSelecting) {
        FSelecting = false;
        SetMouseCapture(false);
        Click();
    }
}

namespace {
constexpr int kSizingZone = 3; // pixels either side of a line that grab it
}

int TStringGrid::SizingLineAt(int X, int Y, bool& Cols) const
{
    const TGridCoord c = MouseCoord(X, Y);
    if (c.X < 0 || c.Y < 0)
        return -1;
    const TRect R = CellRect(c.X, c.Y);
    // The line grabbed is the one after the cell, or the one before it (after the previous cell).
    auto grab = [&](bool cols, int near, int pos, int start, int end) {
        Cols = cols;
        if (end - pos <= kSizingZone)
            return near;
        if (pos - start <= kSizingZone && start > 0) {
            const TGridCoord p = cols ? MouseCoord(start - 1, Y) : MouseCoord(X, start - 1);
            return cols ? p.X : p.Y;
        }
        return -1;
    };
    if (c.Y < FFixedRows && (FOptions & goColSizing)) {
        const int line = grab(true, c.X, X, R.Left, R.Right);
        if (line >= 0)
            return line;
    }
    if (c.X < FFixedCols && (FOptions & goRowSizing))
        return grab(false, c.Y, Y, R.Top, R.Bottom);
    return -1;
}

bool TStringGrid::BeginLineSizing(int X, int Y)
{
    bool cols = false;
    FSizingLine = SizingLineAt(X, Y, cols);
    if (FSizingLine < 0)
        return false;
    FSizingCols = cols;
    // The size follows the mouse from where the line was grabbed.
    FSizingOrigin = (cols ? X : Y) - (cols ? ColWidths(FSizingLine) : RowHeights(FSizingLine));
    SetMouseCapture(true);
    return true;
}

TCursor TStringGrid::CursorAt(int X, int Y)
{
    bool cols = false;
    if (SizingLineAt(X, Y, cols) >= 0)
        return cols ? crHSplit : crVSplit;
    return TCustomControl::CursorAt(X, Y);
}

void TStringGrid::TrackLineSizing(int X, int Y)
{
    const int size = std::max(1, (FSizingCols ? X : Y) - FSizingOrigin);
    if (FSizingCols)
        SetColWidths(FSizingLine, size);
    else
        SetRowHeights(FSizingLine, size);
}

bool TStringGrid::DoMouseWheelDown(TShiftState Shift, const TPoint& MousePos)
{
    if (TCustomControl::DoMouseWheelDown(Shift, MousePos))
        return true;
    if (FCurrent.Y < FRowCount - 1)
        SetRow(FCurrent.Y + 1);
    return true;
}

bool TStringGrid::DoMouseWheelUp(TShiftState Shift, const TPoint& MousePos)
{
    if (TCustomControl::DoMouseWheelUp(Shift, MousePos))
        return true;
    if (FCurrent.Y > FFixedRows)
        SetRow(FCurrent.Y - 1);
    return true;
}

bool TStringGrid::WantsKey(Word Key, TShiftState Shift) const
{
    switch (Key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: return true;
    case VK_TAB: return (FOptions & goTabs) && !(Shift & ssCtrl);
    default: return TCustomControl::WantsKey(Key, Shift);
    }
}

void TStringGrid::KeyDown(Word& Key, TShiftState Shift)
{
    if (!FEditorKeyDone)
        TCustomControl::KeyDown(Key, Shift);
    if (Key == 0)
        return;
    if (Key == VK_F2) {
        ShowEditor();
        return;
    }
    if (Key == VK_ESCAPE) {
        HideEditor();
        return;
    }
    int c = FCurrent.X, r = FCurrent.Y;
    const int page = std::max(1, VisibleRowCount());
    const bool ctrl = Shift & ssCtrl;
    switch (Key) {
    case VK_UP: --r; break;
    case VK_DOWN: ++r; break;
    case VK_LEFT: --c; break;
    case VK_RIGHT: ++c; break;
    case VK_PRIOR: r -= page; break;
    case VK_NEXT: r += page; break;
    case VK_HOME:
        if (ctrl)
            r = FFixedRows;
        c = FFixedCols;
        break;
    case VK_END:
        if (ctrl)
            r = FRowCount - 1;
        c = FColCount - 1;
        break;
    case VK_TAB:
        if (!(FOptions & goTabs))
            return;
        if (Shift & ssShift) {
            if (--c < FFixedCols) {
                c = FColCount - 1;
                --r;
            }
        } else if (++c >= FColCount) {
            c = FFixedCols;
            ++r;
        }
        break;
    default:
        return;
    }
    c = std::max(FFixedCols, std::min(c, FColCount - 1));
    r = std::max(FFixedRows, std::min(r, FRowCount - 1));
    if (c == FCurrent.X && r == FCurrent.Y)
        return;
    const bool extend = (Shift & ssShift) && (FOptions & goRangeSelect) && Key != VK_TAB;
    MoveCurrentTo(c, r, !extend, true, true);
}
