#include "components/grid/RavgridGraphic.h"

#include <algorithm>
#include <cmath>

#include "platform/core/Strings.h"
#include "components/grid/Ravobj.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/Picture.h"

using namespace Ravgrid;

TCellGraphic::~TCellGraphic()
{
    // An object the grid made (or read from a file) is the grid's, whatever kind it is;
    // a list of image indexes always is.
    if (CellCreated || CellType == ctImages)
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
    ProgressColor = s->ProgressColor;
    ProgressRestColor = s->ProgressRestColor;
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

void TCellGraphic::SetButton(int Width, int Height, const AnsiString& Caption, TCellHAlign HAlign,
                             TCellVAlign VAlign)
{
    CellType = ctButton;
    CellIndex = (Width & 0xFFFF) | (Height << 16);
    CellText = Caption;
    CellBoolean = false;
    CellHAlign = HAlign;
    CellVAlign = VAlign;
}

void TCellGraphic::SetBitButton(int Width, int Height, const AnsiString& Caption, TBitmap* Glyph,
                                TCellHAlign HAlign, TCellVAlign VAlign)
{
    SetButton(Width, Height, Caption, HAlign, VAlign);
    CellType = ctBitButton;
    CellObject = Glyph;
}

void TCellGraphic::SetPictureOf(TCellType Type, TObject* Picture, bool Transparent, TStretchMode StretchMode,
                                int Padding, TCellHAlign HAlign, TCellVAlign VAlign)
{
    CellType = Type;
    CellObject = Picture;
    CellTransparent = Transparent;
    CellAngle = StretchMode;
    CellIndex = Padding;
    CellHAlign = HAlign;
    CellVAlign = VAlign;
}

void TCellGraphic::SetPicture(TPicture* Picture, bool Transparent, TStretchMode StretchMode, int Padding,
                              TCellHAlign HAlign, TCellVAlign VAlign)
{
    SetPictureOf(Ravgrid::ctPicture, Picture, Transparent, StretchMode, Padding, HAlign, VAlign);
}

void TCellGraphic::SetFilePicture(TFilePicture* Picture, bool Transparent, TStretchMode StretchMode, int Padding,
                                  TCellHAlign HAlign, TCellVAlign VAlign)
{
    SetPictureOf(Ravgrid::ctFilePicture, Picture, Transparent, StretchMode, Padding, HAlign, VAlign);
}

void TCellGraphic::SetIcon(TIcon* Icon, TCellHAlign HAlign, TCellVAlign VAlign)
{
    CellType = ctIcon;
    CellObject = Icon;
    CellHAlign = HAlign;
    CellVAlign = VAlign;
}

void TCellGraphic::SetDataImage(int Offset, TCellHAlign HAlign, TCellVAlign VAlign)
{
    CellType = ctDataImage;
    CellIndex = Offset;
    CellHAlign = HAlign;
    CellVAlign = VAlign;
}

void TCellGraphic::SetImageIdx(int Index, TCellHAlign HAlign, TCellVAlign VAlign)
{
    CellType = ctImageList;
    CellIndex = Index;
    CellHAlign = HAlign;
    CellVAlign = VAlign;
}

TIntList* TCellGraphic::SetMultiImage(int ACol, int ARow, int Direction, TCellHAlign HAlign, TCellVAlign VAlign,
                                      std::function<void(TObject*, int, int)> Changed)
{
    auto* list = new TIntList(ACol, ARow);
    list->OnChange = std::move(Changed);
    CellType = ctImages;
    CellObject = list;
    CellBoolean = Direction == 0;
    CellHAlign = HAlign;
    CellVAlign = VAlign;
    return list;
}

TPoint TCellGraphic::GetPictureSize(int CellWidth, int CellHeight) const
{
    int w = 0, h = 0;
    if (CellType == ctPicture) {
        if (auto* p = dynamic_cast<TPicture*>(CellObject)) {
            w = p->Width();
            h = p->Height();
        }
    } else if (CellType == ctFilePicture) {
        if (auto* p = dynamic_cast<TFilePicture*>(CellObject)) {
            w = p->Width();
            h = p->Height();
        }
    } else
        return TPoint(0, 0);
    const int a = CellWidth - CellIndex, b = CellHeight - CellIndex;
    auto aspect = [&](bool capped) {
        double rx = w < 1 || h < 1 ? 1.0 : static_cast<double>(a) / w;
        double ry = w < 1 || h < 1 ? 1.0 : static_cast<double>(b) / h;
        if (capped) {
            rx = std::min(rx, 1.0);
            ry = std::min(ry, 1.0);
        }
        if (rx >= ry)
            return TPoint(static_cast<int>(std::lround(w * ry)), capped ? static_cast<int>(std::lround(h * ry)) : b);
        return TPoint(capped ? static_cast<int>(std::lround(w * rx)) : a, static_cast<int>(std::lround(h * rx)));
    };
    const bool fits = w <= a && h <= b;
    switch (static_cast<TStretchMode>(CellAngle)) {
    case Ravgrid::Stretch:
        return TPoint(a, b);
    case Ravgrid::StretchWithAspectRatio:
        return aspect(false);
    case Ravgrid::Shrink:
        return fits ? TPoint(w, h) : TPoint(a, b);
    case Ravgrid::ShrinkWithAspectRatio:
        return fits ? TPoint(w, h) : aspect(true);
    default:
        return TPoint(w, h);
    }
}
