// The mouse moving over the grid: header drags that extend a row or column
// selection, the zones a press would act in and their cursors, the hand and
// the anchor events over links, and the sizing hint.
#include <algorithm>
#include <cstdlib>

#include "components/grid/Ravgrid.h"
#include "components/grid/RavgridHint.h"
#include "components/grid/RavgridResources.h"
#include "platform/core/IntConvert.h"
#include "platform/core/StringUtils.h"

using namespace Ravgrid;

int TRavArodozIdad::ZoneAt(int X, int Y)
{
    if (Navigation()->AllowSmartClipboard() && FSelectionResizer && FSelectionRectangle) {
        const TGridRect s = Selection();
        const TRect cr = CellRect(s.Right, s.Bottom);
        if (!cr.IsEmpty() && X >= cr.Right - 4 && X < cr.Right && Y >= cr.Bottom - 4 && Y < cr.Bottom)
            return 5;
    }
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c < 0 || r < 0)
        return 0;
    const bool headerRow = r < FixedRows(), headerCol = c < FixedCols();
    if (headerRow && headerCol && MouseActions()->AllSelect())
        return 3;
    if (headerRow && !headerCol && MouseActions()->ColSelect() && !InSizeZone(X, Y))
        return 1;
    if (headerCol && !headerRow && MouseActions()->RowSelect() && !InSizeZone(X, Y))
        return 2;
    return 0;
}

TCursor TRavArodozIdad::CursorAt(int X, int Y)
{
    const TGridState st = GridState();
    if (FMouseZone && st != gsColSizing && st != gsRowSizing)
        return FMouseZone == 1 ? crSelectCol : FMouseZone == 2 ? crSelectRow : crSelectAll;
    if (FFixedColSizeZone || FFixedColSizing)
        return crHSplit;
    return TBaseGrid::CursorAt(X, Y);
}

bool TRavArodozIdad::LinkMouseMove(int X, int Y)
{
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    bool hand = false;
    AnsiString anchor;
    if (c >= 0 && r >= 0) {
        const AnsiString text = GetCellEx(RealColIndex(c), r);
        const bool markup = TextType(text, EnableHTML()) == ttHTML;
        hand = URLShow() && !markup && IsURL(text);
        if (markup && MarkupAnchorAt(c, r, X, Y, anchor))
            hand = true;
    }
    if (!anchor.empty() && anchor != FLastAnchor) {
        FLastAnchor = anchor;
        if (OnAnchorEnter)
            OnAnchorEnter(this, r, c, anchor);
    } else if (anchor.empty() && !FLastAnchor.empty()) {
        const AnsiString left = FLastAnchor;
        FLastAnchor.clear();
        if (OnAnchorExit)
            OnAnchorExit(this, r, c, left);
    }
    if (hand && Cursor() != crHandPoint)
        TControl::SetCursor(crHandPoint);
    return hand;
}

void TRavArodozIdad::ZoneMouseMove(TShiftState, int X, int Y)
{
    FLastMouseScreen = ClientToScreen(TPoint(X, Y));
    if (SizingLine() >= 0 && (FHintShowSizing || ComponentStateHas(csDesigning))) {
        const int n = SizingLine();
        const AnsiString text = SizingCols() ? "cw=<b>" + IntToStr(ColWidths(n)) + "</b>"
                                             : "rh=<b>" + IntToStr(RowHeights(n)) + "</b>";
        const TRect cell = SizingCols() ? CellRect(n, 0) : CellRect(0, n);
        if (!FSizingHint)
            FSizingHint = new THTMLHintWindow(this);
        FSizingHint->SetColor(FHintColor);
        const TRect hr = FSizingHint->CalcHintRect(200, text);
        const TPoint at = ClientToScreen(TPoint(cell.Left, cell.Top));
        FSizingHint->ActivateHint(TRect(at.x, at.y, at.x + hr.Width(), at.y + hr.Height()), text);
        return;
    }
    if (!ComponentStateHas(csDesigning)) {
        int c = -1, r = -1;
        MouseToCell(X, Y, c, r);
        FFixedColSizeZone = MouseActions()->SizeFixedCol() && FixedCols() > 0 && c >= 0 && r >= 0 &&
                            std::abs(X - ColWidths(0)) < 3;
    }
    if (FFixedColSizing) {
        FFixedColLine = X;
        Invalidate();
    }
    if (!FPanning && !ComponentStateHas(csDesigning)) {
        FMouseZone = ZoneAt(X, Y);
        // Zones 1 to 3 and links set the cursor; elsewhere the grid's own comes back.
        const bool link = LinkMouseMove(X, Y);
        if (!link && (FMouseZone < 1 || FMouseZone > 3) && Cursor() != FOldCursor)
            TControl::SetCursor(FOldCursor);
    }
    if (FMousePressed && MouseActions()->RangeSelectAndEdit())
        TStringGrid::SetOptions(Options() & ~goEditing);
    if (!FMousePressed || FSelectAnchor < 0)
        return;
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (FSelectZone == 2 && r >= 0) {
        const int to = std::max(FixedRows(), r);
        SetSelection(TGridRect{FixedCols(), std::min(FSelectAnchor, to), ColCount() - 1, std::max(FSelectAnchor, to)});
    } else if (FSelectZone == 1 && c >= 0) {
        const int to = std::max(FixedCols(), c);
        SetSelection(TGridRect{std::min(FSelectAnchor, to), FixedRows(), std::max(FSelectAnchor, to), RowCount() - 1});
    }
}
