#pragma once
// The one graphic a grid cell can carry beside its text (check box, bitmap, radio
// group, node button, ...). The grid owns it through the cell's properties.
#include "platform/core/Component.h"

class TBitmap;
class TStrings;

// In a namespace: other libraries use some of the same short names.
namespace Ravgrid {
enum TCellType : unsigned char {
    ctBitmap, ctIcon, ctNone, ctImageList, ctCheckBox, ctDataCheckBox, ctRotated, ctDataImage, ctNode, ctRadio,
    ctEmpty, ctImages, ctPicture, ctFilePicture, ctValue, ctProgress, ctComment, ctButton, ctBitButton
};
enum TCellHAlign : unsigned char { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TCellVAlign : unsigned char { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
} // namespace Ravgrid
using Ravgrid::TCellHAlign;
using Ravgrid::TCellType;
using Ravgrid::TCellVAlign;

class TCellGraphic : public TPersistent {
public:
    TCellGraphic() = default;
    ~TCellGraphic() override;
    // Copies the settings, never the bitmap or caption list it refers to.
    void Assign(TPersistent* Source) override;

    void SetBitmap(TBitmap* Bitmap, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetCheckBox(bool Checked, bool Data, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetAngle(int Degrees);

    TCellType CellType = Ravgrid::ctNone;
    TObject* CellObject = nullptr; // bitmap of ctBitmap, captions of ctRadio
    TCellVAlign CellVAlign = Ravgrid::vaTop;
    TCellHAlign CellHAlign = Ravgrid::haLeft;
    int CellIndex = 0;
    bool CellTransparent = false;
    bool CellCreated = false;
    bool CellBoolean = false;
    int CellAngle = 0;
    double CellValue = 0;
    short CellErrFrom = 0, CellErrLen = 0;
    AnsiString CellText;
};
