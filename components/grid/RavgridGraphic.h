#pragma once
// The one graphic a grid cell can carry beside its text (check box, bitmap, radio
// group, node button, ...). The grid owns it through the cell's properties.
#include <functional>

#include "platform/core/Component.h"
#include "platform/graphics/Color.h"

class TBitmap;
class TIcon;
class TStrings;
class TPicture;
class TFilePicture;
class TIntList;

// In a namespace: other libraries use some of the same short names.
namespace Ravgrid {
enum TCellType : unsigned char {
    ctBitmap, ctIcon, ctNone, ctImageList, ctCheckBox, ctDataCheckBox, ctRotated, ctDataImage, ctNode, ctRadio,
    ctEmpty, ctImages, ctPicture, ctFilePicture, ctValue, ctProgress, ctComment, ctButton, ctBitButton
};
enum TCellHAlign : unsigned char { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TCellVAlign : unsigned char { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
enum TStretchMode : unsigned char { noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio };
} // namespace Ravgrid
using Ravgrid::TCellHAlign;
using Ravgrid::TCellType;
using Ravgrid::TCellVAlign;
using Ravgrid::TStretchMode;

class TCellGraphic : public TPersistent {
public:
    TCellGraphic() = default;
    ~TCellGraphic() override;
    // Copies the settings, never the bitmap or caption list it refers to.
    void Assign(TPersistent* Source) override;

    void SetBitmap(TBitmap* Bitmap, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetCheckBox(bool Checked, bool Data, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetAngle(int Degrees);
    void SetButton(int Width, int Height, const AnsiString& Caption, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetBitButton(int Width, int Height, const AnsiString& Caption, TBitmap* Glyph, TCellHAlign HAlign,
                      TCellVAlign VAlign);
    void SetPicture(TPicture* Picture, bool Transparent, TStretchMode StretchMode, int Padding, TCellHAlign HAlign,
                    TCellVAlign VAlign);
    void SetFilePicture(TFilePicture* Picture, bool Transparent, TStretchMode StretchMode, int Padding,
                        TCellHAlign HAlign, TCellVAlign VAlign);
    void SetIcon(TIcon* Icon, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetDataImage(int Offset, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetImageIdx(int Index, TCellHAlign HAlign, TCellVAlign VAlign);
    // A new owned list of image indexes reporting its changes to Changed; side by side when Direction is 0.
    TIntList* SetMultiImage(int ACol, int ARow, int Direction, TCellHAlign HAlign, TCellVAlign VAlign,
                            std::function<void(TObject*, int, int)> Changed);
    // The size a picture takes in a cell of CellWidth x CellHeight by its stretch mode.
    TPoint GetPictureSize(int CellWidth, int CellHeight) const;

    TCellType CellType = Ravgrid::ctNone;
    // Bitmap (ctBitmap; the glyph of ctBitButton), TIcon, TPicture, TFilePicture, TIntList
    // of image indexes (ctImages), captions (ctRadio).
    TObject* CellObject = nullptr;
    // A progress bar's part colours.
    TColor ProgressColor = 0, ProgressRestColor = 0;
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

private:
    void SetPictureOf(TCellType Type, TObject* Picture, bool Transparent, TStretchMode StretchMode, int Padding,
                      TCellHAlign HAlign, TCellVAlign VAlign);
};
