#include "components/grid/Ravbase.h"

#include <algorithm>

#include "platform/graphics/Canvas.h"

TBaseGrid::TBaseGrid(TComponent* AOwner) : TStringGrid(AOwner)
{
    SetOptions(Options() | goDrawFocusSelected);
}

TBaseGrid::~TBaseGrid()
{
    // The store frees every properties object it holds, each once.
}

void TBaseGrid::SetDefaultDrawing(bool Value) { FDefaultDrawing = Value; }

void TBaseGrid::SetGridLineWidth(int Value)
{
    if (Value == FGridLineWidth)
        return;
    FGridLineWidth = Value;
    Invalidate();
}

void TBaseGrid::SetGridLineColor(TColor Value)
{
    if (Value == FGridLineColor)
        return;
    FGridLineColor = Value;
    Invalidate();
}

// ---------------------------------------------------------------- virtual questions

bool TBaseGrid::IsFixed(int, int) { return false; }
int TBaseGrid::NodeIndent(int) { return 0; }
bool TBaseGrid::HasNodes() { return false; }
void TBaseGrid::FloatFooterUpdate() {}

void TBaseGrid::DrawGridCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState)
{
    ACanvas->SetBkMode(bkTransparent);
    ACanvas->DrawText(GetCellEx(ACol, ARow), ARect, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOPREFIX);
}

void TBaseGrid::GetVisualProperties(int, int, TGridDrawState&, bool, bool, bool, TBrush*, TFont*, TAlignment&,
                                    TVAlignment&, bool&)
{
}

void TBaseGrid::GetDisplText(int ACol, int ARow, AnsiString& Value)
{
    if (OnGetDisplText)
        OnGetDisplText(this, ACol, ARow, Value);
}

// ---------------------------------------------------------------- cell text

AnsiString TBaseGrid::GetCellEx(int ACol, int ARow)
{
    int bc = ACol, br = ARow;
    IsBaseCellEx(ACol, ARow, bc, br);
    AnsiString s = Cells(bc, br);
    if (br < FDisplTextRowLimit)
        GetDisplText(bc, br, s);
    return s;
}

void TBaseGrid::GetRowEx(int ARow, std::span<std::string_view> Texts, std::span<AnsiString> Bufs)
{
    Store().TextViews(ARow, Texts);
    // Only a cell with properties can be merged; the display text is the store's unless
    // a hook is set and the row is below its limit.
    const bool hook = OnGetDisplText && ARow < FDisplTextRowLimit;
    if (!hook && !Store().RowHasProps(ARow))
        return;
    for (size_t c = 0; c < Texts.size(); ++c) {
        int bc = int(c), br = ARow;
        if (hook || !IsBaseCellEx(int(c), ARow, bc, br)) {
            Bufs[c] = GetCellEx(int(c), ARow);
            Texts[c] = Bufs[c];
        }
    }
}

void TBaseGrid::SetCellEx(int ACol, int ARow, const AnsiString& Value)
{
    if (HasCellProperties(ACol, ARow)) {
        TPoint b = BaseCell(ACol, ARow);
        Store().SetText(b.x, b.y, Value);
        RepaintCell(ACol, ARow);
    } else {
        Store().SetText(ACol, ARow, Value);
        InvalidateCell(ACol, ARow);
    }
    if (FFooterRowShown && ARow == RowCount() - 1)
        FloatFooterUpdate();
}

// ---------------------------------------------------------------- cell objects

TCellPropsPtr TBaseGrid::MakeProps(int ACol, int ARow) { return TCellPropsPtr(new TCellProperties(this, ACol, ARow)); }

TCellProperties* TBaseGrid::GetCellProperties(int ACol, int ARow)
{
    if (TCellProperties* p = Props(ACol, ARow))
        return p;
    Store().SetProps(ACol, ARow, MakeProps(ACol, ARow));
    return Props(ACol, ARow);
}

void TBaseGrid::SetCellProperties(int ACol, int ARow, TCellPropsPtr P) { Store().SetProps(ACol, ARow, std::move(P)); }

void TBaseGrid::ClearPropCell(int ACol, int ARow) { Store().SetProps(ACol, ARow, nullptr); }

void TBaseGrid::ClearPropRow(int ARow)
{
    for (int c = 0; c < ColCount(); ++c)
        ClearPropCell(c, ARow);
}

void TBaseGrid::ClearPropRect(int Col1, int Row1, int Col2, int Row2)
{
    for (int c = Col1; c <= Col2; ++c)
        for (int r = Row1; r <= Row2; ++r)
            ClearPropCell(c, r);
}

void TBaseGrid::ClearProps() { ClearPropRect(0, 0, ColCount() - 1, RowCount() - 1); }

TObject* TBaseGrid::GetObjectEx(int ACol, int ARow) const
{
    TCellProperties* p = Props(ACol, ARow);
    return p ? p->CellObject() : nullptr;
}

void TBaseGrid::SetObjectEx(int ACol, int ARow, TObject* Obj) { GetCellProperties(ACol, ARow)->SetCellObject(Obj); }

TObject* TBaseGrid::GetGraphicObjectEx(int ACol, int ARow) const
{
    TCellProperties* p = Props(ACol, ARow);
    return p ? p->GraphicObject() : nullptr;
}

void TBaseGrid::SetGraphicObjectEx(int ACol, int ARow, TObject* Obj)
{
    GetCellProperties(ACol, ARow)->SetGraphicObject(Obj);
}

void TBaseGrid::NilCell(int ACol, int ARow)
{
    Store().SetProps(ACol, ARow, nullptr);
    SetCellEx(ACol, ARow, "");
}

void TBaseGrid::NilRow(int ARow)
{
    for (int c = 0; c < ColCount(); ++c)
        NilCell(c, ARow);
}

void TBaseGrid::NilCol(int ACol)
{
    for (int r = 0; r < RowCount(); ++r)
        NilCell(ACol, r);
}

namespace {
TCellPropsPtr CloneProps(TBaseGrid* grid, const TCellProperties* src, int ACol, int ARow)
{
    if (!src)
        return nullptr;
    TCellPropsPtr p(new TCellProperties(grid, ACol, ARow));
    p->Assign(const_cast<TCellProperties*>(src));
    p->SetCellObject(src->CellObject());
    return p;
}
} // namespace

void TBaseGrid::CopyCols(int ToCol, int FromCol)
{
    const int rows = std::max(RowCount(), Store().StoredRows());
    for (int r = 0; r < rows; ++r) {
        Store().SetText(ToCol, r, Store().TextView(FromCol, r));
        Store().SetProps(ToCol, r, CloneProps(this, Props(FromCol, r), ToCol, r));
    }
    Invalidate();
}

void TBaseGrid::CopyRows(int ToRow, int FromRow)
{
    for (int c = 0; c < ColCount(); ++c) {
        SetCellEx(c, ToRow, GetCellEx(c, FromRow));
        Store().SetProps(c, ToRow, CloneProps(this, Props(c, FromRow), c, ToRow));
    }
}

// ---------------------------------------------------------------- merged cells

void TBaseGrid::MergeCells(int ACol, int ARow, int ColSpan, int RowSpan)
{
    if (ColSpan < 1 || RowSpan < 1)
        return;
    for (int c = ACol; c < ACol + ColSpan; ++c)
        for (int r = ARow; r < ARow + RowSpan; ++r) {
            TCellProperties* p = GetCellProperties(c, r);
            const bool base = c == ACol && r == ARow;
            p->SetIsBaseCell(base);
            p->SetCellSpanX(base ? ColSpan - 1 : c - ACol);
            p->SetCellSpanY(base ? RowSpan - 1 : r - ARow);
        }
    for (int c = ACol; c < ACol + ColSpan; ++c)
        for (int r = ARow; r < ARow + RowSpan; ++r)
            RepaintCell(c, r);
}

void TBaseGrid::SplitCells(int ACol, int ARow)
{
    if (!HasCellProperties(ACol, ARow))
        return;
    TPoint b = BaseCell(ACol, ARow);
    TCellProperties* bp = Props(b.x, b.y);
    if (!bp)
        return;
    const int sx = bp->CellSpanX(), sy = bp->CellSpanY();
    if (sx < 0 || sy < 0)
        return;
    for (int c = b.x; c <= b.x + sx; ++c)
        for (int r = b.y; r <= b.y + sy; ++r) {
            if (TCellProperties* p = Props(c, r)) {
                p->SetIsBaseCell(true);
                p->SetCellSpanX(-1);
                p->SetCellSpanY(-1);
            }
        }
    for (int c = b.x; c <= b.x + sx; ++c)
        for (int r = b.y; r <= b.y + sy; ++r)
            RepaintCell(c, r);
}

TPoint TBaseGrid::BaseCell(int ACol, int ARow) const
{
    int bc = ACol, br = ARow;
    IsBaseCellEx(ACol, ARow, bc, br);
    return TPoint(bc, br);
}

bool TBaseGrid::IsBaseCell(int ACol, int ARow) const
{
    TCellProperties* p = Props(ACol, ARow);
    return !p || p->IsBaseCell();
}

bool TBaseGrid::IsBaseCellEx(int ACol, int ARow, int& BCol, int& BRow) const
{
    BCol = ACol;
    BRow = ARow;
    TCellProperties* p = Props(ACol, ARow);
    if (!p || p->IsBaseCell())
        return true;
    if (p->CellSpanX() != -1 && p->CellSpanY() != -1) {
        BCol = ACol - p->CellSpanX();
        BRow = ARow - p->CellSpanY();
    }
    return false;
}

TPoint TBaseGrid::CellSpan(int ACol, int ARow) const
{
    TCellProperties* p = Props(ACol, ARow);
    if (!p || p->CellSpanX() == -1 || p->CellSpanY() == -1)
        return TPoint(0, 0);
    TPoint b = BaseCell(ACol, ARow);
    TCellProperties* bp = Props(b.x, b.y);
    if (!bp)
        return TPoint(0, 0);
    return TPoint(bp->CellSpanX(), bp->CellSpanY());
}

bool TBaseGrid::IsMergedCell(int ACol, int ARow) const
{
    TCellProperties* p = Props(ACol, ARow);
    return p && (p->CellSpanX() > 0 || p->CellSpanY() > 0);
}

bool TBaseGrid::IsXMergedCell(int ACol, int ARow) const
{
    if (!Props(ACol, ARow))
        return false;
    TPoint b = BaseCell(ACol, ARow);
    TCellProperties* bp = Props(b.x, b.y);
    return bp && bp->CellSpanX() > 0;
}

bool TBaseGrid::IsYMergedCell(int ACol, int ARow) const
{
    if (!Props(ACol, ARow))
        return false;
    TPoint b = BaseCell(ACol, ARow);
    TCellProperties* bp = Props(b.x, b.y);
    return bp && bp->CellSpanY() > 0;
}

TRect TBaseGrid::FullCell(int ACol, int ARow) const
{
    TPoint b = BaseCell(ACol, ARow);
    TPoint s = CellSpan(ACol, ARow);
    return TRect(b.x, b.y, b.x + s.x, b.y + s.y);
}

int TBaseGrid::MinRowSpan(int ARow) const
{
    int m = RowCount();
    for (int c = 0; c < ColCount(); ++c) {
        const int s = CellSpan(c, ARow).y;
        if (s > 0 && s < m)
            m = s;
    }
    return m;
}

int TBaseGrid::MaxRowSpan(int ARow) const
{
    int m = 0;
    for (int c = 0; c < ColCount(); ++c)
        m = std::max(m, CellSpan(c, ARow).y);
    return m;
}

bool TBaseGrid::RowSpanIdentical(int ARow1, int ARow2) const
{
    bool matched = false;
    for (int c = 0; c < ColCount(); ++c) {
        if (CellSpan(c, ARow1).y > 0 && CellSpan(c, ARow2).y > 0) {
            if (BaseCell(c, ARow1).y != BaseCell(c, ARow2).y)
                return false;
            matched = true;
        }
    }
    return matched;
}

bool TBaseGrid::ColSpanIdentical(int ACol1, int ACol2) const
{
    for (int r = 0; r < RowCount(); ++r) {
        const TPoint s1 = CellSpan(ACol1, r), s2 = CellSpan(ACol2, r);
        if (s1.x > 0 && s2.x > 0) {
            if (BaseCell(ACol1, r).x != BaseCell(ACol2, r).x)
                return false;
        } else if (s1.x != s2.x)
            return false;
    }
    return true;
}

void TBaseGrid::SelectBaseCell()
{
    if (!HasCellProperties(Col(), Row()))
        return;
    TPoint b = BaseCell(Col(), Row());
    if (b.x != Col() || b.y != Row())
        MoveColRow(std::max(b.x, FixedCols()), std::max(b.y, FixedRows()), true, true);
}

// ---------------------------------------------------------------- geometry

TRect TBaseGrid::GetCellRect(int ACol, int ARow) const
{
    long long x, y;
    if (ACol < FixedCols())
        x = ColSpanWidth(0, ACol);
    else if (ACol >= LeftCol())
        x = ColSpanWidth(0, FixedCols()) + ColSpanWidth(LeftCol(), ACol);
    else
        x = ColSpanWidth(0, FixedCols()) - ColSpanWidth(ACol, LeftCol());
    if (ARow < FixedRows())
        y = RowSpanHeight(0, ARow);
    else if (ARow >= TopRow())
        y = RowSpanHeight(0, FixedRows()) + RowSpanHeight(TopRow(), ARow);
    else
        y = RowSpanHeight(0, FixedRows()) - RowSpanHeight(ARow, TopRow());
    return TRect(int(x), int(y), int(x) + ColWidths(ACol), int(y) + RowHeights(ARow));
}

TRect TBaseGrid::CellRect(int ACol, int ARow) const
{
    TCellProperties* p = Props(ACol, ARow);
    if (!p || (p->IsBaseCell() && p->CellSpanX() <= 0 && p->CellSpanY() <= 0))
        return GetCellRect(ACol, ARow);
    TPoint b = BaseCell(ACol, ARow);
    TPoint s = CellSpan(ACol, ARow);
    TRect r1 = GetCellRect(b.x, b.y);
    TRect r2 = GetCellRect(b.x + s.x, b.y + s.y);
    return TRect(std::min(r1.Left, r2.Left), std::min(r1.Top, r2.Top), std::max(r1.Right, r2.Right),
                 std::max(r1.Bottom, r2.Bottom));
}

TPoint TBaseGrid::CellSize(int ACol, int ARow) const
{
    TRect r = CellRect(ACol, ARow);
    return TPoint(r.Width(), r.Height());
}

void TBaseGrid::RepaintCell(int ACol, int ARow)
{
    if (HandleAllocated())
        InvalidateGridRect(CellRect(ACol, ARow));
}

int TBaseGrid::FixedColsWidth() const { return int(ColSpanWidth(0, FixedCols())); }
int TBaseGrid::FixedRowsHeight() const { return int(RowSpanHeight(0, FixedRows())); }

bool TBaseGrid::IsSelected(int ACol, int ARow)
{
    if (IsInGridRect(Selection(), ACol, ARow))
        return true;
    TCellProperties* p = Props(ACol, ARow);
    if (p && !(p->CellSpanX() == 0 && p->CellSpanY() == 0)) {
        TPoint b = BaseCell(ACol, ARow);
        TPoint s = CellSpan(ACol, ARow);
        return Col() >= b.x && Col() <= b.x + s.x && Row() >= b.y && Row() <= b.y + s.y;
    }
    return false;
}

// ---------------------------------------------------------------- painting

void TBaseGrid::Paint()
{
    // Counted first: a merged area is drawn once per paint, by the first of its
    // cells met whose base cell's stamp differs from this count (new stamps are 0).
    ++FPaintCount;
    TStringGrid::Paint();
}

void TBaseGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    TCanvas* cv = Canvas();
    if (FFooterRowShown && ARow == RowCount() - 1) {
        cv->Brush()->SetColor(Color());
        cv->Pen()->SetColor(Color());
        cv->FillRect(ARect);
        return;
    }
    int bc = ACol, br = ARow;
    if (!IsBaseCellEx(ACol, ARow, bc, br)) {
        TCellProperties* bp = Props(bc, br);
        if (!bp || bp->PaintStamp() == FPaintCount)
            return;
        bp->SetPaintStamp(FPaintCount);
        DrawCell(bc, br, ARect, AState);
        return;
    }
    if (IsFixed(ACol, ARow)) {
        AState |= gdFixed;
        AState &= ~gdSelected;
    }
    TRect r = CellRect(ACol, ARow);
    const bool nonFixedCol = ACol >= FixedCols(), nonFixedRow = ARow >= FixedRows();
    const int W = nonFixedCol ? FixedColsWidth() : 0;
    const int H = nonFixedRow ? FixedRowsHeight() : 0;
    bool clipped = false;
    if ((nonFixedCol && FixedCols() > 0 && r.Left < W) || (nonFixedRow && FixedRows() > 0 && r.Top < H)) {
        cv->SaveDC();
        cv->IntersectClipRect(TRect(W, H, GridWidth(), GridHeight()));
        clipped = true;
    }
    const bool fixed = AState & gdFixed;
    cv->Pen()->SetWidth(1);
    cv->Font()->Assign(Font());
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = false;
    GetVisualProperties(ACol, ARow, AState, false, true, true, cv->Brush(), cv->Font(), ha, va, ww);
    cv->Brush()->SetStyle(bsSolid);
    cv->FillRect(r);

    int half;
    if (fixed) {
        cv->Pen()->SetColor(TColorOf(0x808080));
        cv->Pen()->SetWidth(1);
        half = 1;
    } else {
        if (FGridLineWidth > 0)
            cv->Pen()->SetColor(FGridLineColor);
        cv->Pen()->SetWidth(std::max(1, FGridLineWidth));
        half = (FGridLineWidth + 1) / 2;
    }
    if (ACol == 0 && nonFixedRow)
        r.Left += NodeIndent(ARow);
    const TGridOptions o = Options();
    const bool lines = fixed || FGridLineWidth > 0;
    if (lines && ((!fixed && (o & goHorzLine)) || (fixed && (o & goFixedHorzLine))) && !(bc == 0 && HasNodes())) {
        cv->MoveTo(r.Left - half + 1, r.Bottom - half);
        cv->LineTo(r.Right - half, r.Bottom - half);
    }
    if (lines && ((!fixed && (o & goVertLine)) || (fixed && (o & goFixedVertLine)))) {
        cv->MoveTo(r.Right - half, r.Bottom - half);
        cv->LineTo(r.Right - half, r.Top - half);
    }
    const int shrink = fixed ? 1 : FGridLineWidth;
    r = TRect(r.Left + shrink, r.Top + shrink, r.Right - shrink, r.Bottom - shrink);
    DrawGridCell(cv, ACol, ARow, r, AState);
    if (clipped)
        cv->RestoreDC();
}

// ---------------------------------------------------------------- navigation

bool TBaseGrid::SelectCell(int ACol, int ARow)
{
    RepaintCell(Col(), Row());
    const bool ok = TStringGrid::SelectCell(ACol, ARow);
    RepaintCell(ACol, ARow);
    return ok;
}

void TBaseGrid::KeyDown(Word& Key, TShiftState Shift)
{
    if (Key == VK_NEXT && FFooterRowShown && RowCount() > 1 &&
        TopRow() + VisibleRowCount() - FixedRows() == RowCount() - 1)
        MoveColRow(Col(), RowCount() - 2, true, true);
    if (HasCellProperties(Col(), Row())) {
        TPoint b = BaseCell(Col(), Row());
        TCellProperties* bp = Props(b.x, b.y);
        if (bp && Key == VK_RIGHT && b.x + bp->CellSpanX() >= Col() && Col() < ColCount() - 1 &&
            b.x < ColCount() - 1)
            FCurrent.X = std::min(ColCount() - 1, b.x + std::max(0, bp->CellSpanX()));
        if (bp && Key == VK_DOWN && b.y + bp->CellSpanY() >= Row() && Row() < RowCount() - 1 &&
            b.y < RowCount() - 1)
            FCurrent.Y = std::min(RowCount() - 1, b.y + std::max(0, bp->CellSpanY()));
    }
    TStringGrid::KeyDown(Key, Shift);
    SelectBaseCell();
}

bool TBaseGrid::DoMouseWheelDown(TShiftState Shift, const TPoint& MousePos)
{
    const bool r = TStringGrid::DoMouseWheelDown(Shift, MousePos);
    if (FFooterRowShown && Row() - TopRow() >= VisibleRowCount() - FixedRows() && Row() != RowCount() - 1)
        SetTopRow(TopRow() + 1);
    SelectBaseCell();
    return r;
}

bool TBaseGrid::DoMouseWheelUp(TShiftState Shift, const TPoint& MousePos)
{
    const bool r = TStringGrid::DoMouseWheelUp(Shift, MousePos);
    SelectBaseCell();
    return r;
}

void TBaseGrid::TopLeftChanged()
{
    TStringGrid::TopLeftChanged();
    RepaintFixedMergedRows();
    RepaintFixedMergedCols();
}

void TBaseGrid::RepaintFixedMergedRows()
{
    if (FixedCols() <= 0)
        return;
    for (int c = 0; c < FixedCols(); ++c)
        for (int r = TopRow(); r <= TopRow() + VisibleRowCount() && r < RowCount(); ++r)
            if (IsMergedCell(c, r))
                RepaintCell(c, r);
}

void TBaseGrid::RepaintFixedMergedCols()
{
    if (FixedRows() <= 0)
        return;
    for (int r = 0; r < FixedRows(); ++r)
        for (int c = LeftCol(); c <= LeftCol() + VisibleColCount() && c < ColCount(); ++c)
            if (IsMergedCell(c, r))
                RepaintCell(c, r);
}
