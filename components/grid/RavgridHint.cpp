// Cell hints: what the hint over a cell says and where it shows, and the hint window.
#include "components/grid/RavgridHint.h"

#include <algorithm>
#include <cmath>

#include "components/grid/Raghtmle.h"
#include "components/grid/Ravgrid.h"
#include "components/grid/Ravutil.h"
#include "platform/forms/Screen.h"

THTMLHintWindow::THTMLHintWindow(TComponent* AOwner) : THintWindow(AOwner)
{
    SetColor(clInfoBk);
    SetVisible(false);
}

TRect THTMLHintWindow::CalcHintRect(int MaxWidth, const AnsiString& Hint)
{
    Canvas()->Font()->Assign(Font());
    const TPoint m = HTMLDrawEx(Canvas(), Hint, TRect(0, 0, MaxWidth, 4096), clBlue, false, true, true);
    return TRect(0, 0, m.x, m.y);
}

void THTMLHintWindow::ActivateHint(const TRect& Rect, const AnsiString& Hint)
{
    SetCaption(Hint);
    const TRect m = CalcHintRect(1008, Hint);
    FTextWidth = m.Width();
    FTextHeight = m.Height();
    int x = Rect.Left, y = Rect.Top;
    const int w = FTextWidth + 16, h = FTextHeight + 4;
    if (Screen) {
        if (x + w > Screen->Width())
            x = Screen->Width() - w - 2;
        if (y + h > Screen->Height())
            y = Screen->Height() - h - 2;
    }
    SetBounds(x, y, w, h);
    SetVisible(true);
    Invalidate();
}

void THTMLHintWindow::ReleaseHint() { SetVisible(false); }

void THTMLHintWindow::Paint()
{
    TCanvas* cv = Canvas();
    const TRect r(0, 0, Width(), Height());
    cv->Brush()->SetColor(Color());
    cv->FillRect(r);
    cv->Pen()->SetWidth(1);
    cv->Pen()->SetColor(cl3DLight);
    cv->MoveTo(r.Left, r.Bottom - 2);
    cv->LineTo(r.Left, r.Top);
    cv->LineTo(r.Right - 1, r.Top);
    cv->Pen()->SetColor(cl3DDkShadow);
    cv->MoveTo(r.Left, r.Bottom - 1);
    cv->LineTo(r.Right - 1, r.Bottom - 1);
    cv->LineTo(r.Right - 1, r.Top - 1);
    const int top = (r.Height() - FTextHeight) / 2;
    TRect t(r.Left + 4, top, r.Right - 4, top + FTextHeight + 8);
    cv->Font()->Assign(Font());
    cv->SetBkMode(bkTransparent);
    HTMLDrawEx(cv, Caption(), t, clBlue, false, false, false);
}

// ---------------------------------------------------------------- the grid's side

bool TRavArodozIdad::CellHintAt(int X, int Y, AnsiString& HintStr, TPoint& HintPos)
{
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c < 0 || r < 0)
        return false;
    const TRect R = CellRect(c, r);
    const int rc = RemapCol(c);
    const AnsiString t = GetCellEx(rc, r);
    // RTF is no text for people: a rich cell's hint shows the text the cell shows.
    auto cellHint = [&] {
        return TextType(t, false) == ttRTF ? RichPlainText(rc, r) : FHTMLHint ? t : GetStrippedCell(rc, r);
    };
    AnsiString anchor;
    if (FAnchorHint && TextType(t, EnableHTML()) == ttHTML && MarkupAnchorAt(c, r, X, Y, anchor)) {
        if (OnAnchorHint)
            OnAnchorHint(this, r, rc, anchor);
        HintStr = anchor;
    }
    AnsiString comment;
    if (IsComment(rc, r, comment)) {
        HintStr = comment;
        HintPos = TPoint(R.Right, R.Top);
    } else
        HintPos = TPoint(R.Left, R.Bottom + 6);
    const bool dataCell = c >= FixedCols() && r >= FixedRows() &&
                          c < ColCount() - FFixedRightCols && r < RowCount() - FFixedFooters;
    if (FHintShowCells && dataCell) {
        HintPos.y = R.Top;
        HintStr = cellHint();
    }
    if (FHintShowLargeText && dataCell && GetCellTextSize(rc, r, false).x > ColWidths(c)) {
        HintPos.y = R.Top;
        HintStr = cellHint();
    }
    GetCellHint(c, r, HintStr);
    return true;
}

void TRavArodozIdad::ScreenToCell(const TPoint& ScreenPoint, int& ACol, int& ARow)
{
    const TPoint p = ScreenToClient(ScreenPoint);
    MouseToCell(p.x, p.y, ACol, ARow);
}

bool TRavArodozIdad::InSizeZone(int X, int Y)
{
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c < 0 || r < 0)
        return false;
    const TRect R = CellRect(c, r);
    bool result = false;
    if (r <= GetFixedRowsEx() && (Options() & goColSizing))
        result = std::abs(X - R.Left) < 4 || std::abs(X - R.Right) < 4;
    if (c <= GetFixedColsEx() && (Options() & goRowSizing))
        result = std::abs(Y - R.Top) < 4 || std::abs(Y - R.Bottom) < 4;
    return result;
}

void TRavArodozIdad::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OleDragMove(Shift, X, Y))
        return;
    if (!ComponentStateHas(csDesigning))
        EnhancedMoveMouse(X, Y);
    TBaseGrid::MouseMove(Shift, X, Y);
    ZoneMouseMove(Shift, X, Y);
    FMousePos = TPoint(X, Y);
    FMouseInside = true;
    if (!ShowHint())
        return;
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (TPoint(c, r) == FLastHintCell)
        return;
    FLastHintCell = TPoint(c, r);
    ShowCellHint(X, Y);
}

void TRavArodozIdad::ShowCellHint(int X, int Y)
{
    AnsiString hint = Hint();
    TPoint pos;
    if (!CellHintAt(X, Y, hint, pos) || hint.empty()) {
        if (FHintWindow)
            FHintWindow->ReleaseHint();
        return;
    }
    if (!FHintWindow) {
        FHintWindow = new THTMLHintWindow(this);
        FHintWindow->Font()->Assign(Font());
        FHintWindow->Font()->SetColor(clInfoText);
    }
    FHintWindow->SetColor(FHintColor);
    const TPoint s = ClientToScreen(pos);
    FHintWindow->ActivateHint(TRect(s.x, s.y, s.x, s.y), hint);
}

void TRavArodozIdad::CMMouseLeave()
{
    TBaseGrid::CMMouseLeave();
    FMouseInside = false;
    FLastHintCell = TPoint(-1, -1);
    if (FHintWindow)
        FHintWindow->ReleaseHint();
}

void TRavArodozIdad::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (FHintWindow)
        FHintWindow->ReleaseHint();
    if (FPanning && (Button == mbLeft || Button == mbRight)) {
        EndPanning();
    }
    if (Button == mbLeft)
        LeftButtonDown(Shift, X, Y);
    else if (Button == mbMiddle)
        MiddleButtonDown(X, Y);
    else
        TBaseGrid::MouseDown(Button, Shift, X, Y);
}

void TRavArodozIdad::SetUseHTMLHints(bool Value)
{
    FUseHTMLHints = Value;
    // Every control of the application shows its hint as markup, or the desktop's way again.
    if (Value)
        SetHintWindowClass([](TComponent* AOwner) -> THintWindow* { return new THTMLHintWindow(AOwner); });
    else
        SetHintWindowClass(nullptr);
}

// ---------------------------------------------------------------- scroll hints

// The row (column) a thumb at Position (0-127) brings to the top (left).
int TRavArodozIdad::ThumbCell(bool Vertical, int Position) const
{
    // MulDiv: the product over 127, rounded.
    auto mulDiv = [](int a, int b) { return int(std::lround(double(a) * b / 127.0)); };
    return Vertical ? mulDiv(Position, RowCount() - VisibleRowCount() - FixedRows()) + FixedRows()
                    : mulDiv(Position, ColCount() - VisibleColCount() - FixedCols()) + FixedCols();
}

AnsiString TRavArodozIdad::ScrollHintText(bool Vertical, int Position)
{
    const bool wanted = Vertical ? (FScrollHints == shVertical || FScrollHints == shBoth)
                                 : (FScrollHints == shHorizontal || FScrollHints == shBoth);
    if (!wanted)
        return AnsiString();
    const int n = ThumbCell(Vertical, Position);
    AnsiString text = (Vertical ? "Row : " : "Col : ") + std::to_string(n);
    if (OnScrollHint)
        OnScrollHint(this, n, text);
    return text;
}

void TRavArodozIdad::ThumbTracking(bool Vertical, int Position)
{
    // The grid follows the dragged thumb to the row or column its hint names.
    if (FScrollSynch) {
        if (Vertical)
            SetTopRow(std::max(FixedRows(), ThumbCell(true, Position)));
        else
            SetLeftCol(std::max(FixedCols(), ThumbCell(false, Position)));
    }
    const AnsiString text = ScrollHintText(Vertical, Position);
    if (text.empty())
        return;
    if (!FScrollHintWindow) {
        FScrollHintWindow = new THTMLHintWindow(this);
        FScrollHintWindow->Font()->Assign(Font());
        FScrollHintWindow->Font()->SetColor(clInfoText);
    }
    FScrollHintWindow->SetColor(FHintColor);
    const TRect m = FScrollHintWindow->CalcHintRect(100, text);
    const TPoint s = ClientToScreen(FMousePos);
    FScrollHintWindow->ActivateHint(TRect(s.x + 10 + m.Left, s.y + m.Top, s.x + 10 + m.Right, s.y + m.Bottom), text);
}

void TRavArodozIdad::ThumbReleased(bool)
{
    if (FScrollHintWindow)
        FScrollHintWindow->ReleaseHint();
}
