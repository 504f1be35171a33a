#include "components/grid/RavbaseCellProperties.h"

#include "components/grid/Ravbase.h"

void TCellPropertiesDeleter::operator()(TCellProperties* p) const { delete p; }

TCellProperties::TCellProperties(TBaseGrid* AGrid, int ACol, int ARow)
    : FGrid(AGrid), FOwnerCol(ACol), FOwnerRow(ARow)
{
}

TCellProperties::~TCellProperties() { delete FGraphicObject; } // the grid owns the cell's graphic

void TCellProperties::RepaintOwner()
{
    if (FGrid)
        FGrid->RepaintCell(FOwnerCol, FOwnerRow);
}

void TCellProperties::SetBrushColor(TColor v)
{
    FBrushColor = v;
    RepaintOwner();
}

void TCellProperties::SetVAlignment(TVAlignment v)
{
    FVAlignment = v;
    RepaintOwner();
}

void TCellProperties::SetWordWrap(bool v)
{
    FWordWrap = v;
    RepaintOwner();
}

void TCellProperties::ApplyTo(TBrush* ABrush, TFont* AFont) const
{
    if (FBrushColor != clNone)
        ABrush->SetColor(FBrushColor);
    if (FFontColor != clNone)
        AFont->SetColor(FFontColor);
    if (FFontStyle != 0)
        AFont->SetStyle(FFontStyle);
    if (FFontSize != 0)
        AFont->SetSize(FFontSize);
    if (!FFontName.empty())
        AFont->SetName(FFontName);
}

void TCellProperties::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TCellProperties*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    FIsBaseCell = s->FIsBaseCell;
    FCellSpanX = s->FCellSpanX;
    FCellSpanY = s->FCellSpanY;
    FOwnerCol = s->FOwnerCol;
    FOwnerRow = s->FOwnerRow;
    FAlignment = s->FAlignment;
    FBorderColor = s->FBorderColor;
    FBorderWidth = s->FBorderWidth;
    FBrushColor = s->FBrushColor;
    FBrushStyle = s->FBrushStyle;
    FFontColor = s->FFontColor;
    FFontStyle = s->FFontStyle;
    FFontName = s->FFontName;
    FFontSize = s->FFontSize;
    FReadOnly = s->FReadOnly;
    FEditor = s->FEditor;
    FVAlignment = s->FVAlignment;
    SetWordWrap(s->FWordWrap);
    FNodeLevel = s->FNodeLevel;
}
