// Painting of one cell: colours, fonts and alignment, background bitmap, text, borders, the
// frames of the looks, the selection rectangle, the focus rectangle; the
// frame of the soft looks and the styled scroll bars.
#include <algorithm>
#include <cmath>

#include "components/grid/Raghtmle.h"
#include "components/grid/Ravgrid.h"
#include "components/grid/Ravutil.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace {

constexpr unsigned kWrapFlags[2] = {DT_SINGLELINE, DT_WORDBREAK | DT_EDITCONTROL};
constexpr unsigned kHAlignFlags[3] = {DT_LEFT, DT_RIGHT, DT_CENTER};
constexpr unsigned kVAlignFlags[3] = {DT_TOP, DT_VCENTER, DT_BOTTOM};

void Line(TCanvas* cv, int x1, int y1, int x2, int y2)
{
    cv->MoveTo(x1, y1);
    cv->LineTo(x2, y2);
}

} // namespace

void TRavArodozIdad::GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select,
                                         bool Remap, TBrush* ABrush, TFont* AFont, TAlignment& HA, TVAlignment& VA,
                                         bool&)
{
    const int rc = Remap ? RemapCol(ACol) : ACol;
    const bool fixedPos = ACol < FixedCols() || ARow < FixedRows();
    // 1. font
    AFont->Assign(fixedPos ? FFixedFont.get() : Font());
    // 2, 3. the cell's own colours and font
    ABrush->SetColor(clNone);
    if (TCellProperties* p = Props(rc, ARow))
        p->ApplyTo(ABrush, AFont);
    // 4. grid colour and bands
    if (ABrush->Color() == clNone) {
        ABrush->SetColor(Color());
        if (FBands->Active() && (FBands->Print() == Print || !Print) && ACol >= FixedCols() &&
            ACol < ColCount() + FNumHiddenColumns - FFixedRightCols && ARow >= FixedRows() &&
            ARow < RowCount() - FFixedFooters) {
            const int total = std::max(1, FBands->TotalLength());
            ABrush->SetColor((ARow - FixedRows()) % total < FBands->PrimaryLength() ? FBands->PrimaryColor()
                                                                                   : FBands->SecondaryColor());
        }
    }
    // 5. fixed cells
    const bool fixed = IsFixed(ACol, ARow) || fixedPos;
    if (fixed && !Print) {
        ABrush->SetColor(FixedColor());
        AFont->SetColor(FFixedFont->Color());
        AState |= gdFixed;
    }
    // 6. the cell's colour question
    if (Print)
        GetCellPrintColor(rc, ARow, AState, ABrush, AFont);
    else
        GetCellColor(rc, ARow, AState, ABrush, AFont);
    // 7. selection
    auto paintSelected = [&]() {
        if (FSelectionColor != clNone)
            ABrush->SetColor(FSelectionColor);
        if (FSelectionTextColor != clNone)
            AFont->SetColor(FSelectionTextColor);
    };
    if (FMouseActions->DisjunctRowSelect()) {
        if (!fixedPos && !fixed && !Print && Select && FShowSelection && RowFlagged(ARow)) {
            paintSelected();
            AState = gdSelected;
        }
    } else if (!Print && Select && FShowSelection && !fixed && IsSelected(ACol, ARow)) {
        paintSelected();
        AState |= gdSelected;
    }
    // 8. disjunct cells
    if (FMouseActions->DisjunctCellSelect() && GetSelectedCells(ACol, ARow)) {
        paintSelected();
        AState |= gdSelected;
    }
    // 9. alignment
    const Word a = GetCellAlignment(rc, ARow);
    HA = TAlignment(a & 0xFF);
    VA = TVAlignment(a >> 8);
}

void TRavArodozIdad::DrawGridCell(TCanvas* cv, int ACol, int ARow, TRect ARect, TGridDrawState AState)
{
    const bool ctl3D = !FFlat;
    const int rc = RemapCol(ACol);
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = false;
    GetVisualProperties(ACol, ARow, AState, false, false, true, cv->Brush(), cv->Font(), ha, va, ww);
    // Without a selection colour a selected cell shows the system's highlight.
    if ((AState & gdSelected) && !(AState & gdFocused) && FSelectionColor == clNone) {
        cv->Brush()->SetColor(clHighlight);
        cv->FillRect(ARect);
    }
    if (FZoom != 0)
        cv->Font()->SetSize(cv->Font()->Size() + FZoom);
    TRect R = ARect;
    int indicator = 0;
    if (rc == 0 && ARow == Row() && FixedCols() > 0 && !FRowIndicator->Empty()) {
        DrawBitmapTransp(cv, FRowIndicator.get(), FixedColor(), R);
        indicator = FRowIndicator->Width();
        R.Left += indicator;
    }
    const TColor savedBrush = cv->Brush()->Color(), savedFont = cv->Font()->Color();
    const bool fixed = IsFixed(ACol, ARow) || ACol < FixedCols() || ARow < FixedRows();
    if (fixed && FLook == glQSW && !FFlat)
        DrawCellGradient(cv, FQSWGradFrom, FQSWGradTo, 10, false, R);

    DrawTreeLines(cv, rc, ARow, R);
    DrawCellText(cv, ACol, ARow, R, AState, ha, va, savedBrush, savedFont);
    DrawSortMark(cv, ACol, ARow, R, ha, va);

    cv->Brush()->SetColor(savedBrush);
    cv->Font()->SetColor(savedFont);
    R = TRect(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
    DrawCellBorders(cv, rc, ARow, R);
    R.Left -= indicator;

    if (fixed && ctl3D) {
        const TColor dark = DarkenColor(FixedColor());
        cv->Pen()->SetWidth(1);
        if (FLook == glClassic) {
            TRect e = R;
            cv->DrawEdge(e, BDR_RAISEDINNER, BF_LEFT);
            e = R;
            cv->DrawEdge(e, BDR_RAISEDINNER, BF_TOP);
            e = R;
            cv->DrawEdge(e, EDGE_RAISED, BF_RIGHT | BF_BOTTOM);
            cv->Pen()->SetColor(clBlack);
            Line(cv, R.Right - 1, R.Top, R.Right - 1, R.Bottom - 1);
            cv->LineTo(R.Left - 1, R.Bottom - 1);
        } else if (FLook == glQSW || FLook == glSoft) {
            TRect q(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom);
            const bool horz = FLook == glQSW || (Options() & goFixedHorzLine);
            if (horz) {
                cv->Pen()->SetColor(dark);
                Line(cv, q.Left, q.Bottom - 1, q.Right - 1, q.Bottom - 1);
                cv->Pen()->SetColor(clWhite);
                Line(cv, q.Right, q.Top + 1, q.Left + 1, q.Top + 1);
                cv->LineTo(q.Left + 1, q.Bottom - 1);
            }
            if (FLook == glSoft && (Options() & goFixedVertLine)) {
                cv->Pen()->SetColor(dark);
                Line(cv, q.Right - 2, q.Top, q.Right - 2, q.Bottom - 1);
                cv->Pen()->SetColor(clWhite);
                Line(cv, q.Right - 1, q.Top, q.Right - 1, q.Bottom - 1);
            }
        }
    }
    if (FFixedRightCols > 0 && ColCount() + FNumHiddenColumns - rc <= FFixedRightCols && FLook != glClassic &&
        !ctl3D) {
        cv->Pen()->SetColor(clBlack);
        cv->Pen()->SetWidth(1);
        if (Options() & goFixedHorzLine) {
            Line(cv, R.Left - 1, R.Top - 1, R.Right + 1, R.Top - 1);
            Line(cv, R.Left - 1, R.Bottom, R.Right + 1, R.Bottom);
        }
        if (Options() & goFixedVertLine) {
            Line(cv, R.Left - 1, R.Top - 1, R.Left - 1, R.Bottom + 1);
            Line(cv, R.Right, R.Top - 1, R.Right, R.Bottom + 1);
        }
    }
    if (OnDrawCell)
        OnDrawCell(this, rc, ARow, TRect(R.Left + 1, R.Top + 1, R.Right - GridLineWidth(), R.Bottom - GridLineWidth()),
                   AState);
    if (OnCustomCellDraw)
        OnCustomCellDraw(this, cv, rc, ARow, AState, R, false);
    if (!FHideFocusRect && !(Options() & goRowSelect) && Focused()) {
        const TPoint b = BaseCell(ACol, ARow);
        if (b.x == Col() && b.y == Row()) {
            const int g = GridLineWidth() - 1;
            TRect f(R.Left - g, R.Top - g, R.Right + g - 1, R.Bottom + g - 1);
            cv->DrawFocusRect(f);
        }
    }
}

// The brush and font for a selected cell; gives the colour links are drawn in.
TColor TRavArodozIdad::SelectedCellColors(TCanvas* cv, int ACol, int ARow, TGridDrawState AState, TColor SavedBrush,
                                          TColor SavedFont)
{
    TColor urlColor = FURLColor;
    const bool rowSel = (Options() & goRowSelect) && ACol >= FixedCols() && RowFlagged(ARow);
    if (((AState & gdSelected) || rowSel) && (!(AState & gdFocused) || (Options() & goDrawFocusSelected))) {
        if (FShowSelection) {
            if (FSelectionColor != clNone)
                cv->Brush()->SetColor(FSelectionColor);
            // clNone leaves the colours as they are, links included.
            if (FSelectionTextColor != clNone) {
                cv->Font()->SetColor(FSelectionTextColor);
                urlColor = FSelectionTextColor;
            }
        } else if (!Focused()) {
            cv->Brush()->SetColor(SavedBrush);
            cv->Font()->SetColor(SavedFont);
            urlColor = FURLColor;
        }
    }
    return urlColor;
}

// The text as shown: formulas calculated, passwords masked.
AnsiString TRavArodozIdad::ShownCellText(int RealCol, int ARow, int& Type)
{
    AnsiString text = GetCellEx(RealCol, ARow);
    Type = TextType(text, FEnableHTML);
    if (Type == ttFormula)
        text = CalcCell(RealCol, ARow);
    if (IsPassword(RealCol, ARow))
        StringToPassword(text, FPasswordChar);
    return text;
}

void TRavArodozIdad::DrawCellBackGround(TCanvas* cv, int ACol, int ARow, const TRect& R, TGridDrawState AState)
{
    if (FBackGround->Bitmap()->Empty())
        return;
    const TBackGroundCells cells = FBackGround->Cells();
    const bool classMatches = (AState & gdFixed) ? cells != bcNormal : cells != bcFixed;
    const bool paintedSelected =
        FShowSelection && (AState & gdSelected) && (!(AState & gdFocused) || (Options() & goDrawFocusSelected));
    if (!classMatches || paintedSelected)
        return;
    if (FBackGround->Display() == bdFixed)
        DrawBackGroundFixed(cv, R);
    else
        DrawBackGroundTile(cv, ACol, ARow, R);
}

// The edges of the selection that pass through this cell, and the resizer at its corner.
void TRavArodozIdad::DrawSelectionEdges(TCanvas* cv, int ACol, int ARow, const TRect& R)
{
    if (!FSelectionRectangle || !IsInGridRect(Selection(), ACol, ARow))
        return;
    const TGridRect s = Selection();
    const int glw = GridLineWidth();
    const TColor oldPen = cv->Pen()->Color();
    cv->Pen()->SetColor(FSelectionRectangleColor);
    cv->Pen()->SetWidth(2);
    if (ACol == s.Left)
        Line(cv, R.Left - glw + 1, R.Bottom - 1, R.Left - glw + 1, R.Top - glw + 1);
    if (ACol == s.Right)
        Line(cv, R.Right - 1, R.Bottom - 1, R.Right - 1, R.Top - glw + 1);
    if (ARow == s.Top)
        Line(cv, R.Left - glw + 1, R.Top - glw + 1, R.Right - 1, R.Top - glw + 1);
    if (ARow == s.Bottom)
        Line(cv, R.Left - glw + 1, R.Bottom - 1, R.Right - 1, R.Bottom - 1);
    if (FSelectionResizer && ACol == s.Right && ARow == s.Bottom) {
        const TRect cr = CellRect(ACol, ARow);
        cv->Brush()->SetColor(FSelectionRectangleColor);
        cv->FillRect(TRect(R.Right - 4, R.Bottom - 4, cr.Right, cr.Bottom));
    }
    cv->Pen()->SetWidth(1);
    cv->Pen()->SetColor(oldPen);
}

// Plain text: one line (ellipsis when asked) or several, aligned; links underlined.
void TRavArodozIdad::DrawPlainCellText(TCanvas* cv, AnsiString text, TRect T, TAlignment ha, TVAlignment va,
                                       TColor urlColor)
{
    const bool oneLine = LinesInText(text, FMultilinecells) == 1 && !FWordWrap;
    unsigned flags = DT_EXPANDTABS | DT_NOPREFIX;
    if (oneLine) {
        AnsiString rest = text;
        text = GetNextLine(rest, false);
        flags |= DT_SINGLELINE;
        if (FEnhTextSize)
            flags |= DT_END_ELLIPSIS;
    } else
        flags |= DT_EDITCONTROL;
    flags |= FWordWrap ? kWrapFlags[1] : (FMultilinecells ? 0u : kWrapFlags[0]);
    flags |= kHAlignFlags[ha] | kVAlignFlags[va];
    const bool url = FURLShow && IsURL(text);
    if (url) {
        if (!FURLFull)
            StripURLProtocol(text);
        cv->Font()->SetStyle(cv->Font()->Style() | fsUnderline);
        cv->Font()->SetColor(urlColor);
    }
    cv->DrawText(text, T, flags);
    if (url)
        cv->Font()->SetStyle(cv->Font()->Style() & ~fsUnderline);
}

void TRavArodozIdad::DrawCellText(TCanvas* cv, int ACol, int ARow, TRect R, TGridDrawState AState, TAlignment ha,
                                  TVAlignment va, TColor SavedBrush, TColor SavedFont)
{
    const int rc = RemapCol(ACol);
    TColor urlColor = SelectedCellColors(cv, ACol, ARow, AState, SavedBrush, SavedFont);
    int type = 0;
    const AnsiString text = ShownCellText(rc, ARow, type);

    const bool dataCell = ACol >= FixedCols() && ARow >= FixedRows();
    if (dataCell && FMouseActions->DisjunctRowSelect() && !RowFlagged(ARow)) {
        urlColor = FURLColor;
        cv->Brush()->SetColor(Color());
        cv->Font()->SetColor(Font()->Color());
        GetCellColor(rc, ARow, AState, cv->Brush(), cv->Font());
    }
    DrawCellBackGround(cv, ACol, ARow, R, AState);
    DrawSelectionEdges(cv, ACol, ARow, R);
    // A filtered column's header shows the filter button; its text keeps clear of it.
    const bool filterButton = ARow == 0 && GetFilter(rc);
    if (filterButton) {
        const int top = R.Top + std::max(0, (R.Height() - 16) / 2);
        DrawBitmapResourceTransp(cv, FixedColor(), TRect(R.Right - 16, top, R.Right, top + 16), "RAGFILT");
    }

    TRect T(R.Left + FXYOffset.x, R.Top + FXYOffset.y, R.Right - 2, R.Bottom);
    if (filterButton)
        T.Right -= type == ttHTML ? 18 : 16;
    cv->SetBkMode(bkTransparent);
    bool drawText = true;
    T.Left += DrawCellGraphic(cv, R, rc, ARow, ha, drawText);
    if (!drawText)
        return;
    if (type == ttHTML && FControlDown && FControlCell == TPoint(ACol, ARow)) {
        // The markup button under the press is drawn pressed.
        AnsiString anchor, stripped, focus, id, value, ctype;
        int w = 0, h = 0, count = 0, number = -1;
        TRect ar(0, 0, 0, 0), cr(0, 0, 0, 0);
        HTMLDrawEx(cv, text, T, FGridImages, FPressPos.x, FPressPos.y, -1, -1, 1, false, false, false, false,
                   FBlinkPhase, false, true, true, 1.0, urlColor, clNone, clNone, clGray, anchor, stripped, focus, w,
                   h, count, number, ar, cr, id, value, ctype, FPictureCache.get(), FPictureContainer, nullptr);
    } else if (type == ttHTML)
        HTMLDrawEx(cv, text, T, urlColor, FBlinkPhase, false, true, FGridImages, FPictureCache.get(),
                   FPictureContainer);
    else if (type == ttRTF)
        DrawRichCellText(cv, rc, ARow, T, AState);
    else {
        DrawPlainCellText(cv, text, T, ha, va, urlColor);
        int start = 0, length = 0;
        GetMarker(rc, ARow, start, length);
        if (start > 0)
            DrawErrorLines(this, cv, text, T, 0, start - 1, length);
    }
}

// The outline's lines in the indent of column 0: to the row's middle, and on down past
// a row that is not the last of its node.
void TRavArodozIdad::DrawTreeLines(TCanvas* cv, int RealCol, int ARow, const TRect& R)
{
    if (!HasNodes() || RealCol != 0 || ARow < FixedRows() || !FCellNode->ShowTree())
        return;
    const int mid = R.Top + R.Height() / 2, x = R.Left - 8;
    cv->Pen()->SetColor(TColorOf(0xC0C0C0));
    cv->Pen()->SetWidth(1);
    cv->Pen()->SetStyle(psDot);
    Line(cv, x, mid, R.Left, mid);
    const int span = GetNodeSpanType(ARow);
    if (span == 1)
        Line(cv, x, R.Top, x, mid);
    else if (span == 2)
        Line(cv, x, R.Top, x, R.Bottom + 4);
    cv->Pen()->SetStyle(psSolid);
}

void TRavArodozIdad::DrawCellBorders(TCanvas* cv, int ACol, int ARow, TRect R)
{
    TPen saved;
    saved.Assign(cv->Pen());
    TCellBorders borders = 0;
    GetCellBorder(ACol, ARow, cv->Pen(), borders);
    TPen l, t, r, b;
    l.Assign(cv->Pen());
    t.Assign(cv->Pen());
    r.Assign(cv->Pen());
    b.Assign(cv->Pen());
    if (OnGetCellBorderProp)
        OnGetCellBorderProp(this, ARow, ACol, &l, &t, &r, &b);
    const int s = (cv->Pen()->Width() + 1) / 2;
    R = TRect(R.Left + s, R.Top + s, R.Right - s, R.Bottom - s);
    if (borders & cbLeft) {
        cv->SetPen(&l);
        Line(cv, R.Left, R.Top, R.Left, R.Bottom);
    }
    if (borders & cbRight) {
        cv->SetPen(&r);
        Line(cv, R.Right - 1, R.Top, R.Right - 1, R.Bottom);
    }
    if (borders & cbTop) {
        cv->SetPen(&t);
        Line(cv, R.Left, R.Top, R.Right, R.Top);
    }
    if (borders & cbBottom) {
        cv->SetPen(&b);
        Line(cv, R.Left, R.Bottom - 1, R.Right, R.Bottom - 1);
    }
    cv->SetPen(&saved);
}

// The bitmap lies at a fixed place in the client area; each cell shows the part it covers.
void TRavArodozIdad::DrawBackGroundFixed(TCanvas* cv, const TRect& R)
{
    TBitmap* b = FBackGround->Bitmap();
    const TRect br(FBackGround->Left(), FBackGround->Top(), FBackGround->Left() + b->Width(),
                   FBackGround->Top() + b->Height());
    const TRect d(std::max(R.Left, br.Left), std::max(R.Top, br.Top), std::min(R.Right, br.Right),
                  std::min(R.Bottom, br.Bottom));
    if (d.Left < d.Right && d.Top < d.Bottom)
        cv->CopyRect(d, b->Canvas(), TRect(d.Left - br.Left, d.Top - br.Top, d.Right - br.Left, d.Bottom - br.Top));
    cv->SetBkMode(bkTransparent);
}

// Tiles continue from cell to cell: the offset is the extent of the columns and rows before the cell.
void TRavArodozIdad::DrawBackGroundTile(TCanvas* cv, int ACol, int ARow, const TRect& R)
{
    TBitmap* b = FBackGround->Bitmap();
    const int bw = b->Width(), bh = b->Height();
    if (bw <= 0 || bh <= 0)
        return;
    const bool fromZero = FBackGround->Cells() != bcNormal;
    long long xo = 0, yo = 0;
    for (int c = fromZero ? 0 : FixedCols(); c < ACol; ++c)
        xo += ColWidths(c);
    for (int r = fromZero ? 0 : FixedRows(); r < ARow; ++r)
        yo += RowHeights(r);
    int sy = int(yo % bh);
    for (int y = R.Top - 1; y < R.Bottom; sy = 0) {
        const int h = std::min(bh - sy, R.Bottom - y);
        int sx = int(xo % bw);
        for (int x = R.Left - 1; x < R.Right; sx = 0) {
            const int w = std::min(bw - sx, R.Right - x);
            cv->CopyRect(TRect(x, y, x + w, y + h), b->Canvas(), TRect(sx, sy, sx + w, sy + h));
            x += w;
        }
        y += h;
    }
    cv->SetBkMode(bkTransparent);
}

void TRavArodozIdad::DrawCellGradient(TCanvas* cv, TColor From, TColor To, int Steps, bool Horizontal,
                                      const TRect& R)
{
    if (Steps == 0)
        Steps = 1;
    const TColor f = ColorToRGB(From), t = ColorToRGB(To);
    const double step = double(Horizontal ? R.Width() : R.Height()) / Steps;
    for (int i = 0; i < Steps; ++i) {
        auto ch = [&](int a, int b) { return a + int(std::lround(double(i) * (b - a) / Steps)); };
        const TColor c = RGB(ch(GetRValue(f), GetRValue(t)), ch(GetGValue(f), GetGValue(t)),
                             ch(GetBValue(f), GetBValue(t)));
        cv->Pen()->SetColor(c);
        cv->Brush()->SetColor(c);
        const int start = int(std::lround(i * step)) + (Horizontal ? R.Left : R.Top);
        const int end = start + int(std::lround(step)) + 1;
        if (Horizontal)
            cv->Rectangle(start, R.Top, end, R.Bottom);
        else
            cv->Rectangle(R.Left, start, R.Right, end);
    }
}

void TRavArodozIdad::Paint()
{
    if (FUpdateCount > 0)
        return;
    Canvas()->Pen()->SetStyle(psSolid);
    TBaseGrid::Paint();
    if (FPanning)
        DrawIntelliFocusPoint(Canvas());
    if (FFixedColSizing)
        DrawSizingLine(FFixedColLine);
    Canvas()->Pen()->SetColor(clBlack);
}

bool TRavArodozIdad::Ctl3DFrame() const { return !FFlat; }

void TRavArodozIdad::DrawFrame(TCanvas* cv)
{
    TBaseGrid::DrawFrame(cv);
    if (FUpdateCount > 0)
        return;
    if ((FLook == glSoft || FLook == glQSW) && BorderSingle() && !FFlat) {
        const int w = Width(), h = Height();
        cv->Pen()->SetColor(TColorOf(0x808080));
        cv->Pen()->SetWidth(1);
        cv->MoveTo(1, h);
        cv->LineTo(1, 1);
        cv->LineTo(w - 2, 1);
        cv->LineTo(w - 2, h - 2);
        cv->LineTo(1, h - 2);
        if (Parent()) {
            cv->Brush()->SetColor(Parent()->Color());
            cv->FrameRect(TRect(0, 0, w, h));
        }
    }
}

void TRavArodozIdad::DrawSizingLine(int X)
{
    TCanvas* cv = Canvas();
    TPen saved;
    saved.Assign(cv->Pen());
    cv->Pen()->SetStyle(psDot);
    cv->Pen()->SetMode(pmXor);
    cv->Pen()->SetColor(clWhite);
    const TRect last = CellRect(0, RowCount() - 1);
    Line(cv, X, 0, X, std::max(Height(), last.Bottom));
    cv->SetPen(&saved);
}

// ---------------------------------------------------------------- scroll bars

void TRavArodozIdad::SetScrollType(TScrollType Value)
{
    if (Value == FScrollType)
        return;
    FScrollType = Value;
    FFlatInitialized = Value != ssNormal || FScrollProportional;
    SetScrollBarSize(FFlatInitialized ? FScrollWidth : 16);
    UpdateScrollPages();
    Invalidate();
}

void TRavArodozIdad::SetScrollColor(TColor Value)
{
    FScrollColor = Value;
    Invalidate();
}

void TRavArodozIdad::SetScrollWidth(int Value)
{
    FScrollWidth = Value;
    if (FFlatInitialized)
        SetScrollBarSize(Value);
}

void TRavArodozIdad::SetScrollProportional(bool Value)
{
    FScrollProportional = Value;
    FFlatInitialized = FScrollType != ssNormal || Value;
    if (!Value && FScrollType == ssNormal)
        FScrollPageV = FScrollPageH = 0;
    UpdateScrollPages();
    Invalidate();
}

void TRavArodozIdad::UpdateScrollPages()
{
    if (!FFlatInitialized || !FScrollProportional) {
        FScrollPageV = FScrollPageH = 0;
        return;
    }
    FScrollPageV = RowCount() > 0 ? int(std::lround(VisibleRowCount() * 128.0 / RowCount())) : 0;
    long long total = ColSpanWidth(0, ColCount());
    if (total == 0)
        total = 1;
    FScrollPageH = int(std::lround(Width() * 128.0 / double(total)));
}

int TRavArodozIdad::ThumbLength(bool Vertical, int Track) const
{
    const int page = Vertical ? FScrollPageV : FScrollPageH;
    if (FFlatInitialized && FScrollProportional && page > 0)
        return std::max(8, int((long long)Track * std::min(page, 128) / 128));
    return TBaseGrid::ThumbLength(Vertical, Track);
}

void TRavArodozIdad::DrawScrollBars()
{
    if (FScrollType == ssNormal) {
        TBaseGrid::DrawScrollBars();
        return;
    }
    const TColor back = FScrollColor != clNone ? FScrollColor : TColorOf(0xE8E8E8);
    const bool encarta = FScrollType == ssEncarta;
    PaintScrollBars({back, encarta ? TColorOf(0xF0E0D0) : clBtnFace, encarta ? TColorOf(0xC08060) : clBtnShadow, back});
}

// ---------------------------------------------------------------- hooks of later parts

// Row nodes are not built yet: no row has a node, so column 0 is not indented.
