// The mouse on the grid: presses on cells, links and headers, zones and their
// selections, the wheel, middle-button panning, and closing editor controls
// when the cells scroll.
#include <algorithm>
#include <cstdlib>

#include "components/grid/Raghtmle.h"
#include "components/grid/Ravgrid.h"
#include "components/grid/RavgridEditors.h"
#include "components/grid/RavgridHint.h"
#include "components/grid/RavgridResources.h"
#include "platform/core/IntConvert.h"
#include "platform/core/StringUtils.h"
#include "platform/forms/Shell.h"
#include "platform/forms/Timer.h"

namespace {

constexpr int kWheelLines = 3;

// Only addresses the desktop opens in a viewer or mail program; never a program or file.
bool OpenableAddress(const AnsiString& A)
{
    const AnsiString u = UpperCase(A);
    for (const char* p : {"HTTP://", "HTTPS://", "MAILTO:", "FTP://"})
        if (u.rfind(p, 0) == 0)
            return true;
    return false;
}

} // namespace

void TRavArodozIdad::OpenAnchor(const AnsiString& Anchor)
{
    const AnsiString u = UpperCase(Anchor);
    const auto p = u.find("CELL://");
    if (p == AnsiString::npos) {
        if (OpenableAddress(Anchor))
            ShellOpenAddress(Anchor);
        return;
    }
    int c = -1, r = -1;
    const AnsiString name = Anchor.substr(p + 7);
    // R<row>C<col>
    const AnsiString n = UpperCase(name);
    const auto cp = n.find('C');
    if (n.size() < 4 || n[0] != 'R' || cp == AnsiString::npos)
        return;
    try {
        r = std::stoi(n.substr(1, cp - 1));
        c = std::stoi(n.substr(cp + 1));
    } catch (...) {
        return;
    }
    if (c >= 0 && r >= 0 && c < ColCount() && r < RowCount()) {
        MoveColRow(c, r, true, true);
        Click();
    }
}

bool TRavArodozIdad::MarkupClick(int ACol, int ARow, int X, int Y)
{
    const int rc = RealColIndex(ACol);
    int type = 0;
    AnsiString text = ShownCellText(rc, ARow, type);
    if (type != ttHTML)
        return false;
    const TRect R = CellRect(ACol, ARow);
    const TRect T(R.Left + FXYOffset.x, R.Top + FXYOffset.y, R.Right - 2, R.Bottom);
    TCanvas* cv = Canvas();
    cv->Font()->Assign(Font());
    AnsiString anchor, stripped, focus, id, value, ctype;
    int w = 0, h = 0, count = 0, number = -1;
    TRect ar(0, 0, 0, 0), cr(0, 0, 0, 0);
    if (!HTMLDrawEx(cv, text, T, FGridImages, X, Y, -1, -1, 1, true, false, false, false, true, false, true, false,
                    1.0, FURLColor, clNone, clNone, clGray, anchor, stripped, focus, w, h, count, number, ar, cr, id,
                    value, ctype, FPictureCache.get(), FPictureContainer, nullptr))
        return false;
    if (anchor == "ctrl" && !id.empty()) {
        // A control in the text: an open markup editor ends first.
        ControlExit(nullptr);
        FControlCell = TPoint(ACol, ARow);
        FControlId = id;
        FControlType = ctype;
        AnsiString now = value;
        if (ctype == "BUTTON") {
            FControlDown = true;
            RepaintCell(ACol, ARow);
        } else if (ctype == "CHECK") {
            now = UpperCase(value) == "TRUE" ? "FALSE" : "TRUE";
            AnsiString cell = GetCellEx(rc, ARow);
            if (SetControlValue(cell, id, now))
                SetCellEx(rc, ARow, cell);
        }
        if (OnControlClick)
            OnControlClick(this, ARow, ACol, id, ctype, now);
        if (ctype == "EDIT")
            ShowMarkupEdit(ACol, ARow, cr, value);
        else if (ctype == "COMBO")
            ShowMarkupCombo(ACol, ARow, cr, value);
        return true;
    }
    bool autoHandle = true;
    if (OnAnchorClick)
        OnAnchorClick(this, ARow, ACol, anchor, autoHandle);
    if (autoHandle)
        OpenAnchor(anchor);
    return true;
}

void TRavArodozIdad::ShowMarkupEdit(int, int, const TRect& R, const AnsiString& Value)
{
    TControlEdit* e = FControlEdit;
    if (!e)
        return;
    e->SetBorderStyle(bsNone);
    e->SetBounds(R.Left + 3, R.Top + 5, R.Width() - 4, R.Height() - 4);
    e->SetText(Value);
    FControlEditor = e;
    e->SetEnabled(true);
    e->SetVisible(true);
    e->BringToFront();
    e->SetFocus();
}

void TRavArodozIdad::ShowMarkupCombo(int ACol, int ARow, const TRect& R, const AnsiString& Value)
{
    TControlCombo* cb = FControlCombo;
    if (!cb)
        return;
    bool edit = true;
    int dropCount = 8;
    TStringList values;
    if (OnControlComboList)
        OnControlComboList(this, ARow, ACol, FControlId, FControlType, Value, &values, edit, dropCount);
    cb->SetDroppedDown(false);
    cb->Items()->Assign(&values);
    cb->SetStyle(edit ? csDropDown : csDropDownList);
    cb->SetItemIndex(cb->Items()->IndexOf(Value));
    if (edit)
        cb->SetText(Value);
    // The list shows DropCount lines; the field keeps the control's height.
    cb->SetDropDownCount(std::max(1, dropCount));
    cb->SetBounds(R.Left + 3, R.Top + 5, R.Width() - 4, R.Height() - 4);
    FControlEditor = cb;
    cb->SetEnabled(true);
    cb->SetVisible(true);
    cb->BringToFront();
    cb->SetFocus();
    cb->SetDroppedDown(true);
}

void TRavArodozIdad::ControlExit(TObject* Sender)
{
    TWinControl* ed = FControlEditor;
    if (!ed || (Sender && Sender != ed))
        return;
    FControlEditor = nullptr;
    const bool hadFocus = ed->Focused();
    if (ed == FControlCombo)
        FControlCombo->SetDroppedDown(false);
    const AnsiString value = ed->Text();
    const int c = FControlCell.x, r = FControlCell.y;
    if (c >= 0 && r >= 0 && c < ColCount() && r < RowCount()) {
        const int rc = RealColIndex(c);
        AnsiString cell = GetCellEx(rc, r);
        if (SetControlValue(cell, FControlId, value))
            SetCellEx(rc, r, cell);
    }
    ed->SetVisible(false);
    ed->SetEnabled(false);
    if (hadFocus && CanFocus())
        SetFocus();
    if (OnControlEditDone)
        OnControlEditDone(this, r, c, FControlId, FControlType, value);
}

void TRavArodozIdad::ReleaseMarkupButton()
{
    if (!FControlDown)
        return;
    FControlDown = false;
    if (FControlCell.x >= 0 && FControlCell.y >= 0 && FControlCell.x < ColCount() && FControlCell.y < RowCount())
        RepaintCell(FControlCell.x, FControlCell.y);
}

void TRavArodozIdad::LeftDoubleClick(TShiftState Shift, int X, int Y)
{
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (r == 0 && c >= 0 && (Options() & goColSizing)) {
        const TRect cr = CellRect(c, r);
        int sized = -1;
        if (std::abs(X - cr.Left) < 4 && c - 1 >= FixedCols())
            sized = c - 1;
        else if (std::abs(X - cr.Right) < 4 && c >= FixedCols())
            sized = c;
        if (sized >= 0) {
            bool allow = true;
            if (OnColumnSize)
                OnColumnSize(this, sized, allow);
            if (allow)
                AutoSizeCol(sized);
            return;
        }
    }
    TBaseGrid::MouseDown(mbLeft, Shift, X, Y);
    if (OnDblClickCell)
        OnDblClickCell(this, r, c);
    if (MouseActions()->RangeSelectAndEdit()) {
        TStringGrid::SetOptions(Options() | goEditing);
        TStringGrid::MouseDown(mbLeft, Shift & ~ssDouble, X, Y);
    }
}

void TRavArodozIdad::LeftButtonDown(TShiftState Shift, int X, int Y)
{
    if (Shift & ssDouble) {
        LeftDoubleClick(Shift, X, Y);
        return;
    }
    FMousePressed = true;
    if (ZoneAt(X, Y) == 5) {
        // The selection's corner: dragging it widens the selection, which the release fills
        // with the copied selection.
        const TGridRect sel = Selection();
        CopySelectionToClipboard();
        FPastePending = true;
        BeginSelecting();
        SetSelection(sel);
        return;
    }
    FSearchText.clear();
    FPressedButton = TPoint(-1, -1);
    FPressPos = TPoint(X, Y);
    int c = -1, r = -1;
    MouseToCell(X, Y, c, r);
    if (c < 0 || r < 0) {
        HideInplaceEdit();
        TBaseGrid::MouseDown(mbLeft, Shift, X, Y);
        return;
    }
    const TPoint b = BaseCell(c, r);
    c = b.x;
    r = b.y;
    if (MouseActions()->CaretPositioning())
        FCaretPositioning = true;
    if (FFixedColSizeZone && MouseActions()->SizeFixedCol()) {
        // The right edge of the fixed column: the press sizes it, from any row.
        FFixedColSizing = true;
        FFixedColLine = X;
        SetMouseCapture(true);
        Invalidate();
        return;
    }
    if (c < FixedCols() || r < FixedRows() || IsFixed(c, r))
        HideInplaceEdit();
    if (c >= ColCount() || r >= RowCount()) {
        TBaseGrid::MouseDown(mbLeft, Shift, X, Y);
        return;
    }
    if (MouseActions()->DisjunctRowSelect() && r >= FixedRows() && !(Shift & ssCtrl))
        ClearRowSelect();
    // Links: a web address in a cell with URLShow.
    const AnsiString text = GetCellEx(RealColIndex(c), r);
    if (URLShow() && IsURL(text) && r >= FixedRows()) {
        bool autoHandle = true;
        if (OnAnchorClick)
            OnAnchorClick(this, r, c, text, autoHandle);
        if (autoHandle)
            OpenAnchor(text);
        return;
    }
    if (r >= FixedRows() && (GraphicClick(c, r, X, Y) || MarkupClick(c, r, X, Y)))
        return;
    // Column 0 holds the nodes' buttons.
    if (c == 0 && r >= FixedRows() && HasNodes())
        return;
    // A press that may start a drag keeps the selection: the base grid does not see it.
    if (OleDragCandidate(c, r, X)) {
        if (OnClickCell)
            OnClickCell(this, r, c);
        return;
    }
    // Header clicks select whole rows or columns.
    const TRect pressed = CellRect(c, r);
    FMoveGrab = TPoint(X - pressed.Left, Y - pressed.Top);
    if (Options() & goRangeSelect) {
        const int zone = ZoneAt(X, Y);
        const bool cornerZone = zone == 3, rowZone = zone == 2, colZone = zone == 1;
        if (cornerZone || rowZone || colZone) {
            if (CanFocus() && !Focused())
                SetFocus();
            if (cornerZone)
                SetSelection(TGridRect{FixedCols(), FixedRows(), ColCount() - 1, RowCount() - 1});
            else if (rowZone) {
                SetSelection(TGridRect{FixedCols(), r, ColCount() - 1, r});
                FSelectAnchor = r;
            } else {
                SetSelection(TGridRect{c, FixedRows(), c, RowCount() - 1});
                FSelectAnchor = c;
            }
            FSelectZone = cornerZone ? 3 : rowZone ? 2 : 1;
            return;
        }
    }
    bool canEdit = (Options() & goEditing) || MouseActions()->RangeSelectAndEdit();
    GetCellReadOnly(RealColIndex(c), r, canEdit);
    const bool dataCell = c >= FixedCols() && r >= FixedRows();
    if (MouseActions()->DirectEdit() && dataCell && canEdit) {
        if (CanFocus() && !Focused())
            SetFocus();
        HideEditor();
    }
    const TGridRect sel = Selection();
    const bool wasCurrent = sel.Left == c && sel.Right == c && sel.Top == r && sel.Bottom == r && Col() == c &&
                            Row() == r;
    if (IsFixed(c, r)) {
        // Header lines still size and move: the base grid sees the press.
        TBaseGrid::MouseDown(mbLeft, Shift, X, Y);
        if (OnClickCell)
            OnClickCell(this, r, c);
        return;
    }
    const bool always = Navigation()->AlwaysEdit();
    Navigation()->SetAlwaysEdit(false);
    TBaseGrid::MouseDown(mbLeft, Shift, X, Y);
    Navigation()->SetAlwaysEdit(always);
    if (Navigation()->KeepHorizScroll() && (Options() & goRowSelect))
        SetLeftCol(FixedCols());
    if (OnClickCell)
        OnClickCell(this, r, c);
    if (OnCellValidate)
        InitValidate(Col(), Row());
    if (IsMergedCell(c, r)) {
        SelectBaseCell();
        if (wasCurrent && canEdit)
            ShowInplaceEdit();
    }
    const TRect cr = CellRect(c, r);
    if (dataCell && canEdit && !HasStaticEdit(RealColIndex(c), r) &&
        ((MouseActions()->DirectEdit() && X > cr.Left + 3 && X < cr.Right - 3) || (always && !wasCurrent)))
        ShowInplaceEdit();
}

void TRavArodozIdad::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft) {
        FMoved = false;
        if (FSizingHint)
            FSizingHint->ReleaseHint();
        ReleaseMarkupButton();
        FOleDragPending = false;
        FSelectAnchor = -1;
        FSelectZone = 0;
        HideMoveArrows();
        if (FFixedColSizing) {
            FFixedColSizing = false;
            SetMouseCapture(false);
            SetColWidths(0, std::max(1, X));
            Invalidate();
        }
        // An enhanced move ends here; the base grid then sees a release with nothing under way.
        EndEnhancedMove(X, Y);
        if (FPressedButton.x >= 0) {
            const TPoint p = FPressedButton;
            FPressedButton = TPoint(-1, -1);
            PushButton(p.x, p.y, false);
            if (OnButtonClick)
                OnButtonClick(this, p.x, p.y);
        }
    }
    if (MouseActions()->DisjunctCellSelect()) {
        int c = -1, r = -1;
        MouseToCell(X, Y, c, r);
        if (c >= 0 && r >= 0 && !IsFixed(RealColIndex(c), r)) {
            const int rc = RealColIndex(c);
            if (Shift & ssCtrl)
                SetSelectedCells(rc, r, !GetSelectedCells(rc, r));
            else {
                for (int i = 0; i < SelectedCellsCount(); ++i)
                    RepaintCell(DisplColIndex(SelectedCell(i).x), SelectedCell(i).y);
                ClearSelectedCells();
                SetSelectedCells(rc, r, true);
            }
            RepaintCell(c, r);
        }
    }
    TBaseGrid::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft && FPastePending) {
        FPastePending = false;
        // The fill writes whether or not the cells are open to editing.
        const TGridOptions o = Options();
        TStringGrid::SetOptions(o | goEditing);
        PasteSelectionFromClipboard();
        TStringGrid::SetOptions(o);
    } else if (Button == mbLeft)
        SortClick(Shift, X, Y);
    if (Button == mbLeft)
        FMousePressed = false;
    if (Button == mbRight) {
        int c = -1, r = -1;
        MouseToCell(X, Y, c, r);
        if (OnRightClickCell)
            OnRightClickCell(this, r, c);
        if (c >= 0 && r >= 0 && URLShow() && URLEdit() && IsURL(GetCellEx(RealColIndex(c), r))) {
            MoveColRow(c, r, true, true);
            ShowEditor();
        }
    }
}

// ---------------------------------------------------------------- wheel and panning

bool TRavArodozIdad::WheelStep(int Delta, TShiftState Shift)
{
    if (FPanning)
        return true;
    if ((Shift & ssCtrl) && FIntelliZoom) {
        Zoom(Delta < 0 ? kWheelLines : -kWheelLines);
        return true;
    }
    if (!FEnableWheel)
        return false;
    if (FFixedRowAlways && RowCount() == 1)
        return true;
    const int firstRow = FixedRows(), lastRow = RowCount() - FFixedFooters - 1;
    int target = Delta < 0 ? Row() + kWheelLines : Row() - kWheelLines;
    target = std::clamp(target, firstRow, std::max(firstRow, lastRow));
    int c = std::clamp(Col(), FixedCols(), ColCount() - 1);
    if (target >= 0 && target < RowCount() && (target != Row() || c != Col())) {
        const int left = LeftCol();
        BeginUpdate();
        MoveColRow(c, target, true, true);
        if ((Options() & goRowSelect) && Navigation()->KeepHorizScroll())
            SetLeftCol(left);
        EndUpdate();
    }
    return false;
}

bool TRavArodozIdad::DoMouseWheelDown(TShiftState Shift, const TPoint& MousePos)
{
    if (WheelStep(-1, Shift))
        return true;
    const int left = LeftCol();
    const bool keep = (Options() & goRowSelect) && Navigation()->KeepHorizScroll();
    const bool r = TBaseGrid::DoMouseWheelDown(Shift, MousePos);
    if (keep)
        SetLeftCol(left);
    return r;
}

bool TRavArodozIdad::DoMouseWheelUp(TShiftState Shift, const TPoint& MousePos)
{
    if (WheelStep(1, Shift))
        return true;
    const int left = LeftCol();
    const bool keep = (Options() & goRowSelect) && Navigation()->KeepHorizScroll();
    const bool r = TBaseGrid::DoMouseWheelUp(Shift, MousePos);
    if (keep)
        SetLeftCol(left);
    return r;
}

void TRavArodozIdad::MiddleButtonDown(int X, int Y)
{
    if (FPanning) {
        EndPanning();
        return;
    }
    if (FIntelliPan == ipNone || RowCount() <= FixedRows())
        return;
    FPanOldCursor = Cursor();
    ShowPanCursor(0, 0);
    FPanning = true;
    FPanFocus = TPoint(X, Y);
    if (!FPanTimer) {
        FPanTimer = new TTimer(this);
        FPanTimer->OnTimer = [this](TObject*) { PanTimerTick(); };
    }
    FPanTimer->SetInterval(10);
    FPanTimer->SetEnabled(true);
    SetMouseCapture(true);
    FPanShowHint = ShowHint();
    SetShowHint(false);
    Invalidate();
}

void TRavArodozIdad::ShowPanCursor(int DX, int DY)
{
    static const TCursor cursors[3][3] = {{Ravgrid::crPanUpLeft, Ravgrid::crPanLeft, Ravgrid::crPanDownLeft},
                                          {Ravgrid::crPanUp, Ravgrid::crPanNone, Ravgrid::crPanDown},
                                          {Ravgrid::crPanUpRight, Ravgrid::crPanRight, Ravgrid::crPanDownRight}};
    TControl::SetCursor(cursors[DX + 1][DY + 1]);
}

void TRavArodozIdad::DrawIntelliFocusPoint(TCanvas* cv)
{
    const char* name = FIntelliPan == ipVertical ? "INTLI3" : FIntelliPan == ipHorizontal ? "INTLI2" : "INTLI1";
    TBitmap* mark = Ravgrid::GridBitmap(name);
    DrawBitmapTransp(cv, mark, clWhite, TRect(FPanFocus.x, FPanFocus.y, FPanFocus.x + mark->Width(),
                                                FPanFocus.y + mark->Height()));
}

void TRavArodozIdad::EndPanning()
{
    if (!FPanning)
        return;
    SetMouseCapture(false);
    if (FPanTimer)
        FPanTimer->SetEnabled(false);
    TControl::SetCursor(FPanOldCursor);
    SetShowHint(FPanShowHint);
    FPanning = false;
    Invalidate();
}

void TRavArodozIdad::PanTimerTick()
{
    if (!FPanning)
        return;
    const TPoint p = ScreenToClient(FLastMouseScreen);
    int dx = p.x < FPanFocus.x - 5 ? -1 : p.x > FPanFocus.x + 5 ? 1 : 0;
    int dy = p.y < FPanFocus.y - 5 ? -1 : p.y > FPanFocus.y + 5 ? 1 : 0;
    if (FIntelliPan == ipHorizontal)
        dy = 0;
    if (FIntelliPan == ipVertical)
        dx = 0;
    FPanDirection = TPoint(dx, dy);
    const int firstRow = FixedRows(), lastRow = RowCount() - 1;
    const int firstCol = FixedCols(), lastCol = ColCount() - 1;
    int c = std::clamp(Col(), firstCol, lastCol), r = std::clamp(Row(), firstRow, lastRow);
    if ((dx < 0 && c > firstCol) || (dx > 0 && c < lastCol))
        c += dx;
    if ((dy < 0 && r > firstRow) || (dy > 0 && r < lastRow))
        r += dy;
    if (c != Col() || r != Row())
        MoveColRow(c, r, true, true);
    ShowPanCursor(dx, dy);
}

void TRavArodozIdad::TopLeftChanged()
{
    TBaseGrid::TopLeftChanged();
    UpdateFooter();
    // An editor control does not scroll with the cells.
    if (FEditActive && FEditorType != edNormal)
        HideInplaceEdit();
    ControlExit(nullptr);
}
