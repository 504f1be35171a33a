#pragma once
// The base grid: the string grid with a properties object per cell (made on
// first need), merged cells (an area shown and edited as one cell whose text
// lives in its top-left base cell), redirected cell access through a
// display-text hook, and its own grid lines.
#include <functional>
#include <span>
#include <string_view>
#include <utility>

#include "components/grid/RavbaseCellProperties.h"
#include "components/grid/RavbaseStringGrid.h"

class TBrush;
class TFont;
class TCanvas;

using TGetDisplTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& Value)>;

class TBaseGrid : public TStringGrid {
public:
    using enum Ravbase::TVAlignment;
    explicit TBaseGrid(TComponent* AOwner);
    ~TBaseGrid() override;

    bool DefaultDrawing() const { return FDefaultDrawing; }
    void SetDefaultDrawing(bool Value);
    int GridLineWidth() const { return FGridLineWidth; }
    void SetGridLineWidth(int Value);
    TColor GridLineColor() const { return FGridLineColor; }
    void SetGridLineColor(TColor Value);
    int PaintCount() const { return FPaintCount; }
    bool FooterRowShown() const { return FFooterRowShown; }
    void SetFooterRowShown(bool Value) { FFooterRowShown = Value; }
    int DisplTextRowLimit() const { return FDisplTextRowLimit; }
    void SetDisplTextRowLimit(int Value) { FDisplTextRowLimit = Value; }

    TGetDisplTextEvent OnGetDisplText;

    // Overridable questions of the grid.
    virtual bool IsFixed(int ACol, int ARow);
    virtual int NodeIndent(int ARow);
    virtual bool HasNodes();
    virtual void DrawGridCell(TCanvas* ACanvas, int ACol, int ARow, TRect ARect, TGridDrawState AState);
    virtual void FloatFooterUpdate();
    virtual void GetVisualProperties(int ACol, int ARow, TGridDrawState& AState, bool Print, bool Select, bool Remap,
                                     TBrush* ABrush, TFont* AFont, TAlignment& HA, TVAlignment& VA, bool& WW);
    virtual void GetDisplText(int ACol, int ARow, AnsiString& Value);
    virtual void MergeCells(int ACol, int ARow, int ColSpan, int RowSpan);
    virtual void SplitCells(int ACol, int ARow);

    // Cell text: the base cell's text, through the display-text hook.
    AnsiString GetCellEx(int ACol, int ARow);
    // GetCellEx of columns 0..Texts.size()-1 of ARow, read in one pass over the row: a view
    // into the store, or into Bufs (as many) where a merged cell or the hook gives the text.
    // Valid until the grid changes. Savers of a million rows read them so.
    void GetRowEx(int ARow, std::span<std::string_view> Texts, std::span<AnsiString> Bufs);
    void SetCellEx(int ACol, int ARow, const AnsiString& Value);
    // Exactly this cell: no redirection, hook, repaint or footer update.
    AnsiString GetGridCell(int ACol, int ARow) const { return Cells(ACol, ARow); }
    void SetGridCell(int ACol, int ARow, const AnsiString& Value) { Store().SetText(ACol, ARow, Value); }

    // Cell properties, owned by the grid; each object belongs to one cell slot.
    TCellProperties* GetCellProperties(int ACol, int ARow);
    bool HasCellProperties(int ACol, int ARow) const { return Store().Props(ACol, ARow) != nullptr; }
    TCellProperties* CellPropertiesOrNil(int ACol, int ARow) const { return Store().Props(ACol, ARow); }
    // Frees the cell's object and takes Props (which may be nil) in its place.
    void SetCellProperties(int ACol, int ARow, TCellPropsPtr Props);
    void ClearPropCell(int ACol, int ARow);
    void ClearPropRow(int ARow);
    void ClearPropRect(int Col1, int Row1, int Col2, int Row2);
    void ClearProps();
    TObject* GetObjectEx(int ACol, int ARow) const;
    void SetObjectEx(int ACol, int ARow, TObject* Obj);
    TObject* GetGraphicObjectEx(int ACol, int ARow) const;
    void SetGraphicObjectEx(int ACol, int ARow, TObject* Obj);
    // The raw slot; setting it frees what it held (as SetCellProperties).
    TCellProperties* GetGridObject(int ACol, int ARow) const { return Store().Props(ACol, ARow); }
    void SetGridObject(int ACol, int ARow, TCellPropsPtr Obj) { SetCellProperties(ACol, ARow, std::move(Obj)); }
    // Empties the cell's own text and drops its properties slot.
    void NilCell(int ACol, int ARow);
    void NilRow(int ARow);
    void NilCol(int ACol);
    // Copy texts; the target gets its own copy of each properties object.
    void CopyCols(int ToCol, int FromCol);
    void CopyRows(int ToRow, int FromRow);

    // Merged cells.
    TPoint BaseCell(int ACol, int ARow) const;
    bool IsBaseCell(int ACol, int ARow) const;
    bool IsBaseCellEx(int ACol, int ARow, int& BCol, int& BRow) const;
    TPoint CellSpan(int ACol, int ARow) const;
    bool IsMergedCell(int ACol, int ARow) const;
    bool IsXMergedCell(int ACol, int ARow) const;
    bool IsYMergedCell(int ACol, int ARow) const;
    TRect FullCell(int ACol, int ARow) const;
    int MinRowSpan(int ARow) const;
    int MaxRowSpan(int ARow) const;
    bool RowSpanIdentical(int ARow1, int ARow2) const;
    bool ColSpanIdentical(int ACol1, int ACol2) const;
    void SelectBaseCell();

    // Geometry and repaint.
    TRect GetCellRect(int ACol, int ARow) const;
    TRect CellRect(int ACol, int ARow) const;
    TPoint CellSize(int ACol, int ARow) const;
    void RepaintCell(int ACol, int ARow);
    int FixedColsWidth() const;
    int FixedRowsHeight() const;
    virtual bool IsSelected(int ACol, int ARow);

protected:
    void Paint() override;
    void DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState) override;
    bool SelectCell(int ACol, int ARow) override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    bool DoMouseWheelDown(TShiftState Shift, const TPoint& MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, const TPoint& MousePos) override;
    void TopLeftChanged() override;

    // The properties object of a cell without creating one.
    TCellProperties* Props(int ACol, int ARow) const { return Store().Props(ACol, ARow); }
    TCellPropsPtr MakeProps(int ACol, int ARow);

private:
    void RepaintFixedMergedRows();
    void RepaintFixedMergedCols();

    bool FDefaultDrawing = false;
    int FGridLineWidth = 1;
    TColor FGridLineColor = TColorOf(0xC0C0C0);
    int FPaintCount = 0;
    bool FFooterRowShown = false;
    int FDisplTextRowLimit = 0;
};
