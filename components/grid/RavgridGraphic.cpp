#include "components/grid/RavgridGraphic.h"

#include "platform/core/Strings.h"
#include "platform/graphics/Bitmap.h"

using namespace Ravgrid;

TCellGraphic::~TCellGraphic()
{
    // An object the grid made (or read from a file) is the grid's, whatever kind it is.
    if (CellCreated)
        delete CellObject;
}

void TCellGraphic::Assign(TPersistent* Source)
{
    auto* s = dynamic_cast<TCellGraphic*>(Source);
    if (!s) {
        TPersistent::Assign(Source);
        return;
    }
    CellType = s->CellType;
    CellVAlign = s->CellVAlign;
    CellHAlign = s->CellHAlign;
    CellIndex = s->CellIndex;
    CellTransparent = s->CellTransparent;
    CellValue = s->CellValue;
    CellAngle = s->CellAngle;
    CellBoolean = s->CellBoolean;
    CellErrFrom = s->CellErrFrom;
    CellErrLen = s->CellErrLen;
    CellText = s->CellText;
    CellCreated = s->CellCreated;
}

void TCellGraphic::SetBitmap(TBitmap* Bitmap, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign)
{
    CellType = ctBitmap;
    CellObject = Bitmap;
    CellTransparent = Transparent;
    CellHAlign = HAlign;
    CellVAlign = VAlign;
}

void TCellGraphic::SetCheckBox(bool Checked, bool Data, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign)
{
    CellType = Data ? ctDataCheckBox : ctCheckBox;
    CellBoolean = Checked;
    CellTransparent = Transparent;
    CellHAlign = HAlign;
    CellVAlign = VAlign;
}

void TCellGraphic::SetAngle(int Degrees)
{
    CellType = ctRotated;
    while (Degrees < 0)
        Degrees += 360;
    while (Degrees > 360)
        Degrees -= 360;
    CellAngle = Degrees;
}
