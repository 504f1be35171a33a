// The grid's cell graphic kinds beyond check boxes, bitmaps and radio groups: icons,
// image-list images, pictures, progress bars, comments, markers, buttons, rotated text.
#include <algorithm>
#include <cmath>

#include "components/grid/Raghtmle.h"
#include "components/grid/Ravgrid.h"
#include "components/grid/Ravobj.h"
#include "platform/core/IntConvert.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Icon.h"
#include "platform/graphics/ImageList.h"
#include "platform/graphics/Picture.h"

using namespace Ravgrid;

void TRavArodozIdad::SetImages(TImageList* Value)
{
    FGridImages = Value;
    if (Value)
        Value->FreeNotification(this);
}

void TRavArodozIdad::SetPictureContainer(TPictureContainer* Value)
{
    FPictureContainer = Value;
    if (Value)
        Value->FreeNotification(this);
    Invalidate();
}

TPicture* TRavArodozIdad::CreatePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode,
                                        int Padding, TCellHAlign HAlign, TCellVAlign VAlign)
{
    auto* p = new TPicture;
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetPicture(p, Transparent, StretchMode, Padding, HAlign, VAlign);
    g->CellCreated = true;
    return p;
}

void TRavArodozIdad::AddPicture(int ACol, int ARow, TPicture* Picture, bool Transparent, TStretchMode StretchMode,
                                int Padding, TCellHAlign HAlign, TCellVAlign VAlign)
{
    CreateCellGraphic(ACol, ARow)->SetPicture(Picture, Transparent, StretchMode, Padding, HAlign, VAlign);
    RepaintCell(ACol, ARow);
}

TPicture* TRavArodozIdad::GetPicture(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctPicture ? dynamic_cast<TPicture*>(g->CellObject) : nullptr;
}

TFilePicture* TRavArodozIdad::CreateFilePicture(int ACol, int ARow, bool Transparent, TStretchMode StretchMode,
                                                int Padding, TCellHAlign HAlign, TCellVAlign VAlign)
{
    auto* p = new TFilePicture;
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetFilePicture(p, Transparent, StretchMode, Padding, HAlign, VAlign);
    g->CellCreated = true;
    return p;
}

void TRavArodozIdad::AddFilePicture(int ACol, int ARow, TFilePicture* Picture, bool Transparent,
                                    TStretchMode StretchMode, int Padding, TCellHAlign HAlign, TCellVAlign VAlign)
{
    CreateCellGraphic(ACol, ARow)->SetFilePicture(Picture, Transparent, StretchMode, Padding, HAlign, VAlign);
    RepaintCell(ACol, ARow);
}

TFilePicture* TRavArodozIdad::GetFilePicture(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctFilePicture ? dynamic_cast<TFilePicture*>(g->CellObject) : nullptr;
}

TIcon* TRavArodozIdad::CreateIcon(int ACol, int ARow, TCellHAlign HAlign, TCellVAlign VAlign)
{
    auto* i = new TIcon;
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetIcon(i, HAlign, VAlign);
    g->CellCreated = true;
    return i;
}

void TRavArodozIdad::AddIcon(int ACol, int ARow, TIcon* Icon, TCellHAlign HAlign, TCellVAlign VAlign)
{
    CreateCellGraphic(ACol, ARow)->SetIcon(Icon, HAlign, VAlign);
    RepaintCell(ACol, ARow);
}

void TRavArodozIdad::AddProgress(int ACol, int ARow, TColor FillColor, TColor RestColor)
{
    AddProgressEx(ACol, ARow, FillColor, static_cast<TColor>(ColorToRGB(FillColor) ^ 0xFFFFFF), RestColor,
                  static_cast<TColor>(ColorToRGB(RestColor) ^ 0xFFFFFF));
    GetCellGraphic(ACol, ARow)->CellBoolean = false;
}

void TRavArodozIdad::AddProgressEx(int ACol, int ARow, TColor FillColor, TColor FillTextColor, TColor RestColor,
                                   TColor RestTextColor)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctProgress;
    g->ProgressColor = FillColor;
    g->ProgressRestColor = RestColor;
    g->CellIndex = static_cast<int>(FillTextColor);
    g->CellAngle = static_cast<int>(RestTextColor);
    g->CellBoolean = true;
    g->CellHAlign = haLeft;
    g->CellVAlign = vaTop;
    RepaintCell(ACol, ARow);
}

void TRavArodozIdad::AddComment(int ACol, int ARow, const AnsiString& Text)
{
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->CellType = ctComment;
    g->CellText = Text;
    RepaintCell(ACol, ARow);
}

bool TRavArodozIdad::IsComment(int ACol, int ARow, AnsiString& Text)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctComment)
        return false;
    Text = g->CellText;
    return true;
}

void TRavArodozIdad::AddMarker(int ACol, int ARow, int Start, int Length)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g) {
        g = CreateCellGraphic(ACol, ARow);
        g->CellType = ctEmpty;
    }
    g->CellErrFrom = static_cast<short>(Start);
    g->CellErrLen = static_cast<short>(Length);
    RepaintCell(ACol, ARow);
}

void TRavArodozIdad::RemoveMarker(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return;
    if (g->CellType == ctEmpty)
        FreeCellGraphic(ACol, ARow);
    else {
        g->CellErrFrom = g->CellErrLen = 0;
        RepaintCell(ACol, ARow);
    }
}

void TRavArodozIdad::GetMarker(int ACol, int ARow, int& Start, int& Length)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    Start = g ? g->CellErrFrom : 0;
    Length = g ? g->CellErrLen : 0;
}

void TRavArodozIdad::AddButton(int ACol, int ARow, int Width, int Height, const AnsiString& Caption,
                               TCellHAlign HAlign, TCellVAlign VAlign)
{
    CreateCellGraphic(ACol, ARow)->SetButton(Width, Height, Caption, HAlign, VAlign);
    RepaintCell(ACol, ARow);
}

void TRavArodozIdad::AddBitButton(int ACol, int ARow, int Width, int Height, const AnsiString& Caption,
                                  TBitmap* Glyph, TCellHAlign HAlign, TCellVAlign VAlign)
{
    CreateCellGraphic(ACol, ARow)->SetBitButton(Width, Height, Caption, Glyph, HAlign, VAlign);
    RepaintCell(ACol, ARow);
}

TBitmap* TRavArodozIdad::CreateBitButton(int ACol, int ARow, int Width, int Height, const AnsiString& Caption,
                                         TCellHAlign HAlign, TCellVAlign VAlign)
{
    auto* glyph = new TBitmap;
    TCellGraphic* g = CreateCellGraphic(ACol, ARow);
    g->SetBitButton(Width, Height, Caption, glyph, HAlign, VAlign);
    g->CellCreated = true;
    return glyph;
}

bool TRavArodozIdad::RemoveButton(int ACol, int ARow)
{
    return RemoveCellGraphic(ACol, ARow, ctButton) || RemoveCellGraphic(ACol, ARow, ctBitButton);
}

void TRavArodozIdad::PushButton(int ACol, int ARow, bool Down)
{
    TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow);
    if (!g || (g->CellType != ctButton && g->CellType != ctBitButton))
        return;
    g->CellBoolean = Down;
    RepaintCell(ACol, ARow);
}

bool TRavArodozIdad::HasButton(int ACol, int ARow)
{
    const TPoint b = BaseCell(ACol, ARow);
    const TCellType t = GetCellType(b.x, b.y);
    return t == ctButton || t == ctBitButton;
}

bool TRavArodozIdad::HasDataCheckBox(int ACol, int ARow)
{
    const TPoint b = BaseCell(ACol, ARow);
    return GetCellType(b.x, b.y) == ctDataCheckBox;
}

TRect TRavArodozIdad::ButtonRect(int ACol, int ARow)
{
    const TRect cr = CellRect(ACol, ARow);
    TCellGraphic* g = GetCellGraphic(RealColIndex(ACol), ARow);
    if (!g || (g->CellType != ctButton && g->CellType != ctBitButton))
        return TRect(0, 0, 0, 0);
    const int offset = static_cast<int>(g->CellValue);
    TRect r(cr.Left + (offset & 0xFFFF), cr.Top + (offset >> 16), 0, 0);
    r.Right = r.Left + (g->CellIndex & 0xFFFF);
    r.Bottom = r.Top + g->CellIndex / 65536;
    if (g->CellVAlign == vaFull) {
        r.Top = cr.Top;
        r.Bottom = cr.Bottom;
    }
    if (g->CellHAlign == haFull) {
        r.Left = cr.Left;
        r.Right = cr.Right;
    }
    return r;
}

bool TRavArodozIdad::GetImageIdx(int ACol, int ARow, int& Index)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!FGridImages || !g || g->CellType != ctImageList)
        return false;
    Index = g->CellIndex;
    return true;
}

void TRavArodozIdad::AddImageIdx(int ACol, int ARow, int Index, TCellHAlign HAlign, TCellVAlign VAlign)
{
    if (!FGridImages)
        return;
    CreateCellGraphic(ACol, ARow)->SetImageIdx(Index, HAlign, VAlign);
    RepaintCell(ACol, ARow);
}

void TRavArodozIdad::AddDataImage(int ACol, int ARow, int Offset, TCellHAlign HAlign, TCellVAlign VAlign)
{
    if (!FGridImages)
        return;
    CreateCellGraphic(ACol, ARow)->SetDataImage(Offset, HAlign, VAlign);
    RepaintCell(ACol, ARow);
}

void TRavArodozIdad::AddMultiImage(int ACol, int ARow, int Direction, TCellHAlign HAlign, TCellVAlign VAlign)
{
    if (!FGridImages)
        return;
    CreateCellGraphic(ACol, ARow)->SetMultiImage(ACol, ARow, Direction, HAlign, VAlign,
                                                 [this](TObject*, int c, int r) { RepaintCell(c, r); });
    RepaintCell(ACol, ARow);
}

TIntList* TRavArodozIdad::GetCellImages(int ACol, int ARow)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctImages ? dynamic_cast<TIntList*>(g->CellObject) : nullptr;
}

int TRavArodozIdad::GetCellImageIdx(int ACol, int ARow)
{
    // Bitmap and icon cells have no image index either.
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    return g && g->CellType == ctImageList ? g->CellIndex : -1;
}

void TRavArodozIdad::AddRotated(int ACol, int ARow, int Degrees, const AnsiString& Text)
{
    CreateCellGraphic(ACol, ARow)->SetAngle(Degrees);
    SetCellEx(ACol, ARow, Text);
    RepaintCell(ACol, ARow);
}

void TRavArodozIdad::SetRotated(int ACol, int ARow, int Degrees)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return;
    g->SetAngle(Degrees);
    RepaintCell(ACol, ARow);
}

bool TRavArodozIdad::IsRotated(int ACol, int ARow, int& Degrees)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g || g->CellType != ctRotated)
        return false;
    Degrees = g->CellAngle;
    return true;
}

TCellGraphic* TRavArodozIdad::GetGraphicDetails(int ACol, int ARow, int& W, int& H, bool& DrawText,
                                                TCellHAlign& HA, TCellVAlign& VA)
{
    W = H = 0;
    DrawText = true;
    HA = haLeft;
    VA = vaTop;
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return nullptr;
    switch (g->CellType) {
    case ctBitmap:
        if (auto* b = dynamic_cast<TBitmap*>(g->CellObject)) {
            W = b->Width();
            H = b->Height();
        }
        break;
    case ctIcon:
        if (auto* i = dynamic_cast<TIcon*>(g->CellObject)) {
            W = i->Width();
            H = i->Height();
        }
        break;
    case ctImageList:
    case ctDataImage:
        if (FGridImages) {
            W = FGridImages->Width();
            H = FGridImages->Height();
        }
        DrawText = !(g->CellType == ctDataImage && FGridImages);
        break;
    case ctCheckBox:
    case ctDataCheckBox:
        W = H = ControlLook()->CheckSize();
        DrawText = g->CellType == ctCheckBox;
        break;
    case ctImages:
        if (auto* l = dynamic_cast<TIntList*>(g->CellObject); l && FGridImages) {
            W = FGridImages->Width() * (g->CellBoolean ? l->Count() : 1);
            H = FGridImages->Height() * (g->CellBoolean ? 1 : l->Count());
        }
        break;
    case ctPicture:
    case ctFilePicture: {
        const TRect R = CellRect(ACol, ARow);
        const TPoint s = g->GetPictureSize(R.Width(), R.Height());
        W = s.x;
        H = s.y;
        break;
    }
    case ctButton:
    case ctBitButton:
        W = g->CellIndex & 0xFFFF;
        H = g->CellIndex / 65536;
        break;
    case ctRotated:
    case ctRadio:
    case ctProgress:
        DrawText = false;
        break;
    default:
        break;
    }
    HA = g->CellHAlign;
    VA = g->CellVAlign;
    return g;
}

namespace {

// Rounds a half to the even neighbour, as printing sizes are rounded.
int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

} // namespace

TPoint TRavArodozIdad::GetPrintGraphicSize(int ACol, int ARow, int CellWidth, int CellHeight, double Factor)
{
    TCellGraphic* g = GetCellGraphic(ACol, ARow);
    if (!g)
        return TPoint(0, 0);
    switch (g->CellType) {
    case ctBitmap:
        if (auto* b = dynamic_cast<TBitmap*>(g->CellObject))
            return TPoint(b->Width(), b->Height());
        return TPoint(0, 0);
    case ctIcon:
        if (auto* i = dynamic_cast<TIcon*>(g->CellObject))
            return TPoint(i->Width(), i->Height());
        return TPoint(0, 0);
    case ctPicture:
    case ctFilePicture: {
        const TPoint s = g->GetPictureSize(CellWidth, CellHeight);
        const double f = Factor != 0 ? Factor : 1.0;
        return TPoint(RoundEven(s.x / f), RoundEven(s.y / f));
    }
    default:
        break;
    }
    // The rest needs the same room as on screen, before any full-cell stretching.
    const TCellHAlign ha = g->CellHAlign;
    const TCellVAlign va = g->CellVAlign;
    g->CellHAlign = ha == haFull ? haLeft : ha;
    g->CellVAlign = va == vaFull ? vaTop : va;
    const TPoint s = GetCellGraphicSize(ACol, ARow);
    g->CellHAlign = ha;
    g->CellVAlign = va;
    return s;
}

void TRavArodozIdad::CalcTextPos(TRect& R, int Angle, const AnsiString& Text, TAlignment HA, TVAlignment VA,
                                 TCanvas* Measure)
{
    TCanvas* cv = Measure ? Measure : Canvas();
    const int w = cv->TextWidth(Text), h = cv->TextHeight(Text);
    R.Right -= 2;
    R.Bottom -= 2;
    const double a = Angle * 3.14159265358979323846 / 180.0;
    auto part = [](double v) { return std::abs(static_cast<int>(v)); };
    const int cw = part(std::cos(a) * w), sh = part(std::sin(a) * h), sw = part(std::sin(a) * w),
              ch = part(std::cos(a) * h);
    const int vc = (R.Top + ch + sw - R.Bottom) / 2;
    const int q = Angle <= 90 ? 1 : Angle <= 180 ? 2 : Angle <= 270 ? 3 : 4;
    const int L = R.Left, T = R.Top, Rt = R.Right, B = R.Bottom;
    int x = L, y = T;
    static constexpr int hl = 0, hr = 1, hc = 2;
    const int h3 = HA == taRightJustify ? hr : HA == taCenter ? hc : hl;
    switch (q) {
    case 1:
        x = h3 == hl ? L : h3 == hr ? Rt - cw - sh : L + (Rt - L - sh - cw) / 2;
        y = VA == Ravbase::vtaTop ? T + sw : VA == Ravbase::vtaCenter ? T + sw - vc : B - ch;
        break;
    case 2:
        x = h3 == hl ? L + cw : h3 == hr ? Rt - sh : Rt - (Rt + sh - L - cw) / 2;
        y = VA == Ravbase::vtaTop ? T + sw + ch : VA == Ravbase::vtaCenter ? T + sw + ch - vc : B;
        break;
    case 3:
        x = h3 == hl ? L + sh + cw : h3 == hr ? Rt : Rt - (Rt - L - sh - cw) / 2;
        y = VA == Ravbase::vtaTop ? T + ch : VA == Ravbase::vtaCenter ? T + ch - vc : B - sw;
        break;
    default:
        x = h3 == hl ? L + sh : h3 == hr ? Rt - cw : L + (Rt + sh - L - cw) / 2;
        y = VA == Ravbase::vtaTop ? T : VA == Ravbase::vtaCenter ? T - vc : B - ch - sw;
        break;
    }
    R.Left = x - XYOffset().x;
    R.Top = y - XYOffset().y;
}

bool TRavArodozIdad::MarkupAnchorAt(int ACol, int ARow, int X, int Y, AnsiString& Anchor)
{
    const AnsiString text = GetCellEx(RemapCol(ACol), ARow);
    const TRect R = CellRect(ACol, ARow);
    TCanvas* cv = Canvas();
    cv->Font()->Assign(Font());
    AnsiString anchor, stripped, focus, id, value, type;
    int w = 0, h = 0, count = 0, number = -1;
    TRect ar(0, 0, 0, 0), cr(0, 0, 0, 0);
    const TRect T(R.Left + XYOffset().x, R.Top + XYOffset().y, R.Right - 2, R.Bottom);
    if (!HTMLDrawEx(cv, text, T, FGridImages, X, Y, -1, -1, 1, true, false, false, false, true, false, !FEnhTextSize,
                    false, 1.0, FURLColor, clNone, clNone, clGray, anchor, stripped, focus, w, h, count, number, ar, cr,
                    id, value, type, FPictureCache.get(), FPictureContainer, nullptr) ||
        anchor == "ctrl")
        return false;
    Anchor = anchor;
    return true;
}
