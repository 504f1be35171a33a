#pragma once
// The string grid the base grid stands on: a custom control with a cell store,
// column widths and row heights, fixed rows and columns, a current cell with a
// selection anchor, scrolling by whole cells, painting of the visible cells
// through DrawCell and the standard keyboard and mouse navigation.
//
// Everything but painting and input works without a window: a grid made
// without a parent holds its cells, geometry and selection and answers every
// query; its window appears only when it is shown.
//
// Row heights are a default plus a sparse map of the rows that differ, so a
// million-row grid costs nothing per row for geometry, and every geometric
// query walks only the rows it spans (on screen: the visible ones).
#include <functional>
#include <map>
#include <vector>

#include "components/grid/RavbaseStore.h"
#include "components/grid/RavbaseTypes.h"
#include "platform/forms/Controls.h"

class TInplaceEdit;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const AnsiString& Value)>;

class TStringGrid : public TCustomControl {
public:
    explicit TStringGrid(TComponent* AOwner);
    ~TStringGrid() override;

    // Cells: exact slots; beyond the counts they keep their contents.
    AnsiString Cells(int ACol, int ARow) const { return FStore.Text(ACol, ARow); }
    void SetCells(int ACol, int ARow, const AnsiString& Value);
    TCellStore& Store() { return FStore; }
    const TCellStore& Store() const { return FStore; }

    // Dimensions.
    int ColCount() const { return FColCount; }
    void SetColCount(int Value);
    int RowCount() const { return FRowCount; }
    void SetRowCount(int Value);
    int FixedCols() const { return FFixedCols; }
    void SetFixedCols(int Value);
    int FixedRows() const { return FFixedRows; }
    void SetFixedRows(int Value);
    int DefaultColWidth() const { return FDefaultColWidth; }
    void SetDefaultColWidth(int Value);
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int Value);
    int ColWidths(int ACol) const;
    void SetColWidths(int ACol, int Value);
    int RowHeights(int ARow) const;
    void SetRowHeights(int ARow, int Value);
    TGridOptions Options() const { return FOptions; }
    void SetOptions(TGridOptions Value);
    TColor FixedColor() const { return FFixedColor; }
    void SetFixedColor(TColor Value);
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    // A one-pixel sunken frame (bsSingle) or none.
    bool BorderSingle() const { return FBorderSingle; }
    void SetBorderSingle(bool Value);

    // Current cell and selection. Setting Col or Row asks SelectCell, scrolls the
    // cell into view and raises OnClick.
    int Col() const { return FCurrent.X; }
    void SetCol(int Value);
    int Row() const { return FCurrent.Y; }
    void SetRow(int Value);
    void MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show);
    TGridRect Selection() const;
    void SetSelection(const TGridRect& Value);
    int LeftCol() const { return FTopLeft.X; }
    void SetLeftCol(int Value);
    int TopRow() const { return FTopLeft.Y; }
    void SetTopRow(int Value);
    int VisibleColCount() const;
    int VisibleRowCount() const;

    // Geometry in client coordinates. CellRect is empty for a cell out of view.
    TRect CellRect(int ACol, int ARow) const;
    void MouseToCell(int X, int Y, int& ACol, int& ARow) const;
    TGridCoord MouseCoord(int X, int Y) const;
    // The area the cells are drawn in (inside the border, beside the scroll bars).
    int GridWidth() const;
    int GridHeight() const;
    // Sums of widths of columns [From, To) and heights of rows [From, To).
    long long ColSpanWidth(int From, int To) const;
    long long RowSpanHeight(int From, int To) const;

    void InvalidateCell(int ACol, int ARow);
    void InvalidateRow(int ARow);
    void InvalidateCol(int ACol);
    void InvalidateGridRect(const TRect& R);

    // Moves a column or row with its cells (and width or height), shifting those between.
    void MoveColumn(int FromIndex, int ToIndex);
    void MoveRow(int FromIndex, int ToIndex);
    // Moves the row (column) to the end, then drops one from the count; its cells stay stored.
    virtual void DeleteColumn(int ACol);
    virtual void DeleteRow(int ARow);

    // Scroll bars as drawn inside the control (none when the cells fit).
    bool VScrollShown() const;
    bool HScrollShown() const;
    int ScrollBarSize() const { return FScrollBarSize; }
    // Scroll-bar areas in client coordinates (empty when not shown).
    TRect VScrollRect() const;
    TRect HScrollRect() const;
    // Width of the frame around the client area.
    int FrameWidth() const { return FBorderSingle ? (Ctl3DFrame() ? 2 : 1) : 0; }
    void SetScrollBarSize(int Value);

    // In-place editing (goEditing): the editor shows over the current cell on F2,
    // Enter, a typed character or a click on the current cell; moving the cell
    // hides it (unless goAlwaysShowEditor) and every change of its text is written
    // into the cell through SetEditText (OnSetEditText).
    bool EditorMode() const { return FEditorMode; }
    void SetEditorMode(bool Value);
    void ShowEditor();
    void HideEditor();
    void ShowEditorChar(char Ch);
    // Reloads an open editor from its cell.
    void InvalidateEditor();
    TInplaceEdit* InplaceEditor() const { return FInplaceEdit; }
    virtual AnsiString GetEditText(int ACol, int ARow);
    virtual void SetEditText(int ACol, int ARow, const AnsiString& Value);
    virtual int GetEditLimit() { return 0; }
    // The rectangle the editor covers for a cell (client coordinates).
    virtual TRect EditorCellRect(int ACol, int ARow) { return CellRect(ACol, ARow); }
    // The grid or a control inside it (its editor) has the focus.
    bool IsActiveControl() const;
    // A key-down typed into an editor of the grid: the grid's OnKeyDown sees it first.
    void EditorKeyDown(Word& Key, TShiftState Shift);
    // A key an editor passes on to the grid's key handling (its OnKeyDown has seen it).
    void PassKeyDown(Word& Key, TShiftState Shift);
    TGetEditEvent OnGetEditText;
    TSetEditEvent OnSetEditText;

protected:
    friend class TInplaceEdit;
    virtual bool CanEditShow();
    virtual TInplaceEdit* CreateEditor();
    // Shows (or moves) the editor when CanEditShow allows; hides the editor.
    void UpdateEdit();
    void HideEdit();
    // The editor's text goes into the cell it was opened on.
    void UpdateText();
    // The editor was hidden (its text written back).
    virtual void EditorHidden() {}
    // What the pressed left button does: selecting, sizing or moving.
    TGridState GridState() const;
    // Moving rows (columns) by their headers (goRowMoving, goColMoving): the row
    // (column) whose header was pressed and the place it would drop at now.
    int MoveIndex() const { return FMoveIndex; }
    int MovePos() const { return FMovePos; }
    // Ends a move without moving anything.
    void CancelMoving();
    // The pressed left button goes on selecting from the selection's anchor as the mouse moves.
    void BeginSelecting();
    // Marks the drop place of a move under way; a descendant may show it otherwise.
    virtual void DrawMoveLine(TCanvas* ACanvas);
    // The column (SizingCols) or row whose line the mouse is dragging, -1 when none.
    int SizingLine() const { return FSizingLine; }
    bool SizingCols() const { return FSizingCols; }
    // A character on the grid's own window: opens the editor with it (goEditing),
    // else the grid's key press.
    virtual void WMChar(char& Key);
    // The grid's key press (also for characters typed in its editor): OnKeyPress,
    // then Enter opens or closes the editor.
    virtual void GridKeyPress(char& Key);
    void KeyPress(char& Key) override;

    // Hooks of the grid.
    virtual void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState);
    virtual bool SelectCell(int ACol, int ARow);
    virtual void TopLeftChanged();
    virtual void SizeChanged(int OldColCount, int OldRowCount);
    virtual void ColWidthsChanged();
    virtual void RowHeightsChanged();
    virtual void ColumnMoved(int FromIndex, int ToIndex);
    virtual void RowMoved(int FromIndex, int ToIndex);
    // A scroll bar's thumb is being dragged (the view follows it); Position 0..127.
    virtual void ThumbTracking(bool Vertical, int Position);
    virtual void ThumbReleased(bool Vertical);
    // Paints the scroll bars' area; the grid look may override.
    virtual void DrawScrollBars();
    // Colours of painted scroll bars: the track, the buttons and thumb, their
    // outline (clNone: a raised 3-D edge) and the corner between two bars.
    struct TScrollBarLook {
        TColor Track;
        TColor Face;
        TColor Frame;
        TColor Corner;
    };
    void PaintScrollBars(const TScrollBarLook& Look);
    // The frame around the cells: a sunken 3-D edge (two pixels) or a plain line.
    virtual bool Ctl3DFrame() const { return true; }
    virtual void DrawFrame(TCanvas* ACanvas);
    int NonClientWidth() const override { return FrameWidth(); }
    void PaintNonClient(TCanvas* ACanvas) override;
    // Length of a scroll bar's thumb on a track of the given length.
    virtual int ThumbLength(bool Vertical, int Track) const;

    void Paint() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    // The cursor keys and, with goTabs, Tab move the current cell, not the form's focus.
    bool WantsKey(Word Key, TShiftState Shift) const override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // The split cursor over a line that a press would grab.
    TCursor CursorAt(int X, int Y) override;
    bool DoMouseWheelDown(TShiftState Shift, const TPoint& MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, const TPoint& MousePos) override;

    // Row and column bookkeeping for the descendants' structural operations:
    // heights (widths) move with their rows (columns).
    void ShiftRowHeights(int At, int Delta);
    // Changes the default height and keeps the rows that differ from it.
    void SetDefaultRowHeightOnly(int Value);
    void SwapRowHeights(int A, int B);
    // The sparse exceptions of the row heights, for a descendant's scaling.
    const std::map<int, int>& RowHeightExceptions() const { return FRowHeights; }

    TRect VThumbRect() const;
    TRect HThumbRect() const;
    int MaxTopRow() const;
    int MaxLeftCol() const;
    // Scrolls as little as a move by the keys does, so that the cell is shown.
    void ScrollInViewBase(int ACol, int ARow);

    TGridCoord FCurrent;
    TGridCoord FAnchor;
    TGridCoord FTopLeft;

private:
    void ClampCurrent();
    void DoSetTopLeft(int ALeft, int ATop);
    void MoveCurrentTo(int ACol, int ARow, bool MoveAnchor, bool Show, bool FireClick);
    bool ScrollBarMouse(int X, int Y, bool Down);
    void ThumbDragTo(int X, int Y);
    void ThumbDragEnd();
    void ScrollToThumb(bool Vertical, int Track);
    // Sizing a column (row) by dragging the line after it in the fixed row (column).
    // The column (Cols) or row whose line a press at (X, Y) grabs; -1 none.
    int SizingLineAt(int X, int Y, bool& Cols) const;
    bool BeginLineSizing(int X, int Y);
    void TrackLineSizing(int X, int Y);
    // A press on a header with goColMoving (goRowMoving) starts moving its column (row).
    bool BeginMoving(int X, int Y);
    // The drop place follows the mouse; with Scroll, past an edge the cells scroll first.
    void TrackMoving(int X, int Y, bool Scroll);
    void EndMoving();

    TCellStore FStore;
    int FColCount = 5;
    int FRowCount = 5;
    int FFixedCols = 1;
    int FFixedRows = 1;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    std::vector<int> FColWidths;  // one per display column
    std::map<int, int> FRowHeights; // rows whose height is not the default
    TGridOptions FOptions = goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect;
    TColor FFixedColor = clBtnFace;
    TScrollStyle FScrollBars = ssBoth;
    bool FBorderSingle = true;
    int FScrollBarSize = 16;
    bool FSelecting = false;
    int FThumbDrag = 0; // 1 vertical, 2 horizontal
    int FThumbGrab = 0;
    int FThumbPos = 0; // the dragged thumb's offset in its track
    int FSizingLine = -1;     // the column or row being sized, -1 none
    bool FSizingCols = false;
    int FMoving = 0;          // 0 none, 1 a row, 2 a column
    int FMoveIndex = -1;
    int FMovePos = -1;
    int FSizingOrigin = 0;    // mouse position less the size when the line was grabbed
    TInplaceEdit* FInplaceEdit = nullptr; // owned as a component
    bool FEditorMode = false;
    int FInplaceCol = -1, FInplaceRow = -1;

protected:
    bool FEditorKeyDone = false; // OnKeyDown already raised by the editor
};
