// Per-cell questions (answered from the settings, then by the application's
// events) and the per-cell appearance properties.
#include <algorithm>

#include "components/grid/Ravgrid.h"

void TRavArodozIdad::GetCellColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (FActiveCellShow) {
        const int dc = RemapColInv(ACol);
        if ((dc == 0 && ARow == Row() && FixedCols() > 0) || (ARow == 0 && dc == Col() && FixedRows() > 0)) {
            AFont->Assign(FActiveCellFont.get());
            ABrush->SetColor(FActiveCellColor);
        }
    }
    if (TCellProperties* p = Props(ACol, ARow))
        p->ApplyTo(ABrush, AFont);
    if (OnGetCellColor)
        OnGetCellColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TRavArodozIdad::GetCellPrintColor(int ACol, int ARow, TGridDrawState AState, TBrush* ABrush, TFont* AFont)
{
    if (OnGetCellPrintColor)
        OnGetCellPrintColor(this, ARow, ACol, AState, ABrush, AFont);
}

void TRavArodozIdad::GetCellBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders)
{
    if (OnGetCellBorder)
        OnGetCellBorder(this, ARow, ACol, APen, Borders);
}

void TRavArodozIdad::GetCellPrintBorder(int ACol, int ARow, TPen* APen, TCellBorders& Borders)
{
    if (OnGetCellPrintBorder)
        OnGetCellPrintBorder(this, ARow, ACol, APen, Borders);
}

void TRavArodozIdad::GetCellAlign(int ACol, int ARow, TAlignment& HAlign, TVAlignment& VAlign)
{
    if (OnGetAlignment)
        OnGetAlignment(this, ARow, ACol, HAlign, VAlign);
}

void TRavArodozIdad::GetColFormat(int ACol, TSortStyle& AStyle, AnsiString& Prefix, AnsiString& Suffix)
{
    if (OnGetFormat)
        OnGetFormat(this, ACol, AStyle, Prefix, Suffix);
}

void TRavArodozIdad::GetCellEditor(int ACol, int ARow, TEditorType& AEditor)
{
    if (OnGetEditorType)
        OnGetEditorType(this, ACol, ARow, AEditor);
}

void TRavArodozIdad::GetCellFixed(int ACol, int ARow, bool& IsFixed)
{
    IsFixed = IsFixed || (FFixedRowAlways && ARow == 0 && RowCount() == 1) ||
              (FFixedColAlways && ACol == 0 && ColCount() == 1) || ACol < FixedCols() || ARow < FixedRows();
    if (!IsFixed && OnIsFixedCell)
        OnIsFixedCell(this, ARow, ACol, IsFixed);
}

void TRavArodozIdad::GetCellReadOnly(int ACol, int ARow, bool& CanEdit)
{
    if (OnCanEditCell)
        OnCanEditCell(this, ARow, ACol, CanEdit);
}

void TRavArodozIdad::GetCellPassword(int ACol, int ARow, bool& IsPassword)
{
    if (OnIsPasswordCell)
        OnIsPasswordCell(this, ARow, ACol, IsPassword);
}

AnsiString TRavArodozIdad::GetCheckTrue(int ACol, int ARow)
{
    AnsiString v = FCheckTrue;
    if (OnGetCheckTrue)
        OnGetCheckTrue(this, ACol, ARow, v);
    return v;
}

AnsiString TRavArodozIdad::GetCheckFalse(int ACol, int ARow)
{
    AnsiString v = FCheckFalse;
    if (OnGetCheckFalse)
        OnGetCheckFalse(this, ACol, ARow, v);
    return v;
}

void TRavArodozIdad::GetCellHint(int ACol, int ARow, AnsiString& Hint)
{
    if (OnGridHint)
        OnGridHint(this, ARow, ACol, Hint);
}

bool TRavArodozIdad::GetFilter(int) { return false; }

bool TRavArodozIdad::IsPassword(int ACol, int ARow)
{
    bool p = false;
    GetCellPassword(ACol, ARow, p);
    return p;
}

// The fixed question of the editing layer: fixed positions and the "always" options,
// then the application's answer.
bool TRavArodozIdad::IsFixed(int ACol, int ARow)
{
    bool f = false;
    GetCellFixed(ACol, ARow, f);
    return f;
}

// ---------------------------------------------------------------- per-cell appearance

TColor TRavArodozIdad::Colors(int ACol, int ARow) const
{
    TCellProperties* p = Props(ACol, ARow);
    return p ? p->BrushColor() : clNone;
}

void TRavArodozIdad::SetColors(int ACol, int ARow, TColor Value)
{
    GetCellProperties(ACol, ARow)->SetBrushColor(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

TColor TRavArodozIdad::FontColors(int ACol, int ARow) const
{
    TCellProperties* p = Props(ACol, ARow);
    return p ? p->FontColor() : clNone;
}

void TRavArodozIdad::SetFontColors(int ACol, int ARow, TColor Value)
{
    GetCellProperties(ACol, ARow)->SetFontColor(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

TFontStyles TRavArodozIdad::FontStyles(int ACol, int ARow) const
{
    TCellProperties* p = Props(ACol, ARow);
    return p ? p->FontStyle() : 0;
}

void TRavArodozIdad::SetFontStyles(int ACol, int ARow, TFontStyles Value)
{
    GetCellProperties(ACol, ARow)->SetFontStyle(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

int TRavArodozIdad::FontSizes(int ACol, int ARow) const
{
    TCellProperties* p = Props(ACol, ARow);
    return p ? p->FontSize() : 0;
}

void TRavArodozIdad::SetFontSizes(int ACol, int ARow, int Value)
{
    GetCellProperties(ACol, ARow)->SetFontSize(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

AnsiString TRavArodozIdad::FontNames(int ACol, int ARow) const
{
    TCellProperties* p = Props(ACol, ARow);
    return p ? p->FontName() : AnsiString();
}

void TRavArodozIdad::SetFontNames(int ACol, int ARow, const AnsiString& Value)
{
    GetCellProperties(ACol, ARow)->SetFontName(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

TAlignment TRavArodozIdad::Alignments(int ACol, int ARow) const
{
    TCellProperties* p = Props(ACol, ARow);
    return p ? p->Alignment() : taLeftJustify;
}

void TRavArodozIdad::SetAlignments(int ACol, int ARow, TAlignment Value)
{
    GetCellProperties(ACol, ARow)->SetAlignment(Value);
    RepaintCell(DisplColIndex(ACol), ARow);
}

void TRavArodozIdad::SetCursorEx(TCursor Value)
{
    SetCursor(Value);
    FOldCursor = Value;
}

void TRavArodozIdad::Zoom(int Step)
{
    if (FZoom + Step < -10 || FZoom + Step > 10)
        return;
    FZoom += Step;
    BeginUpdate();
    for (int c = 0; c < ColCount(); ++c)
        if (ColWidths(c) + Step > 0)
            SetColWidths(c, ColWidths(c) + Step);
    // Rows at the default height follow the default; the rows that differ follow on their own.
    std::vector<std::pair<int, int>> ex(RowHeightExceptions().begin(), RowHeightExceptions().end());
    if (DefaultRowHeight() + Step > 0)
        SetDefaultRowHeightOnly(DefaultRowHeight() + Step);
    for (auto [r, h] : ex)
        SetRowHeights(r, h + Step > 0 ? h + Step : h);
    EndUpdate();
}
