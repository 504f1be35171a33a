#pragma once
// Per-cell properties, made only when a cell first needs one. A merged area is
// encoded in the spans of its cells (see TBaseGrid).
#include "components/grid/RavbaseTypes.h"
#include "platform/core/Component.h"
#include "platform/graphics/Brush.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Font.h"

class TBaseGrid;

class TCellProperties : public TPersistent {
public:
    using enum Ravbase::TVAlignment;
    TCellProperties(TBaseGrid* AGrid, int ACol, int ARow);
    ~TCellProperties() override;

    void Assign(TPersistent* Source) override;
    // Lays the cell's own colours and font over a brush and font; what the cell
    // leaves unset (clNone, 0, empty) keeps theirs.
    void ApplyTo(TBrush* ABrush, TFont* AFont) const;

    TBaseGrid* Grid() const { return FGrid; }
    int OwnerCol() const { return FOwnerCol; }
    void SetOwnerCol(int v) { FOwnerCol = v; }
    int OwnerRow() const { return FOwnerRow; }
    void SetOwnerRow(int v) { FOwnerRow = v; }
    TObject* CellObject() const { return FCellObject; }
    void SetCellObject(TObject* v) { FCellObject = v; }
    // The cell's graphic; made and freed by the grid's graphic calls.
    TObject* GraphicObject() const { return FGraphicObject; }
    void SetGraphicObject(TObject* v) { FGraphicObject = v; }
    TBrushStyle BrushStyle() const { return FBrushStyle; }
    void SetBrushStyle(TBrushStyle v) { FBrushStyle = v; }
    TColor BrushColor() const { return FBrushColor; }
    void SetBrushColor(TColor v);
    int FontSize() const { return FFontSize; }
    void SetFontSize(int v) { FFontSize = v; }
    TColor FontColor() const { return FFontColor; }
    void SetFontColor(TColor v) { FFontColor = v; }
    TFontStyles FontStyle() const { return FFontStyle; }
    void SetFontStyle(TFontStyles v) { FFontStyle = v; }
    int CellSpanY() const { return FCellSpanY; }
    void SetCellSpanY(int v) { FCellSpanY = v; }
    int CellSpanX() const { return FCellSpanX; }
    void SetCellSpanX(int v) { FCellSpanX = v; }
    int BorderWidth() const { return FBorderWidth; }
    void SetBorderWidth(int v) { FBorderWidth = v; }
    TColor BorderColor() const { return FBorderColor; }
    void SetBorderColor(TColor v) { FBorderColor = v; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment v) { FAlignment = v; }
    TVAlignment VAlignment() const { return FVAlignment; }
    void SetVAlignment(TVAlignment v);
    int PaintStamp() const { return FPaintStamp; }
    void SetPaintStamp(int v) { FPaintStamp = v; }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    bool IsBaseCell() const { return FIsBaseCell; }
    void SetIsBaseCell(bool v) { FIsBaseCell = v; }
    TColumnCalcType FooterCalc() const { return FFooterCalc; }
    void SetFooterCalc(TColumnCalcType v) { FFooterCalc = v; }
    int NodeLevel() const { return FNodeLevel; }
    void SetNodeLevel(int v) { FNodeLevel = v; }
    TEditorType Editor() const { return FEditor; }
    void SetEditor(TEditorType v) { FEditor = v; }
    const AnsiString& FontName() const { return FFontName; }
    void SetFontName(const AnsiString& v) { FFontName = v; }
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool v) { FReadOnly = v; }

private:
    void RepaintOwner();

    TBaseGrid* FGrid;
    int FOwnerCol;
    int FOwnerRow;
    TObject* FCellObject = nullptr;
    TObject* FGraphicObject = nullptr;
    TBrushStyle FBrushStyle = bsSolid;
    TColor FBrushColor = clNone;
    int FFontSize = 0;
    TColor FFontColor = clNone;
    TFontStyles FFontStyle = 0;
    int FCellSpanY = -1;
    int FCellSpanX = -1;
    int FBorderWidth = 0;
    TColor FBorderColor = clBlack;
    TAlignment FAlignment = taLeftJustify;
    TVAlignment FVAlignment = vtaTop;
    int FPaintStamp = 0;
    bool FWordWrap = false;
    bool FIsBaseCell = true;
    TColumnCalcType FFooterCalc = acNONE;
    int FNodeLevel = 0;
    TEditorType FEditor = edNormal;
    AnsiString FFontName;
    bool FReadOnly = false;
};
