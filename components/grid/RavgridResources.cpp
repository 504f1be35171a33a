// The grid's resource pictures, drawn once on first use.
#include "components/grid/RavgridResources.h"

#include <cmath>
#include <map>
#include <memory>

#include "platform/forms/Screen.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace Ravgrid {
namespace {

constexpr TColor kClear = TColorOf(0xFF00FF); // the transparent colour of the cursors and glyphs

std::unique_ptr<TBitmap> Blank(int Size, TColor Back)
{
    auto b = std::make_unique<TBitmap>();
    b->SetSize(Size, Size);
    b->Canvas()->Brush()->SetColor(Back);
    b->Canvas()->FillRect(TRect(0, 0, Size, Size));
    return b;
}

// A filled arrow from (X, Y) in direction (DX, DY): a shaft of Length and a head.
void Arrow(TCanvas* cv, double X, double Y, double DX, double DY, double Length, double Head)
{
    const double n = std::hypot(DX, DY);
    const double ux = DX / n, uy = DY / n, px = -uy, py = ux;
    auto at = [&](double along, double across) {
        return TPoint(int(std::lround(X + ux * along + px * across)), int(std::lround(Y + uy * along + py * across)));
    };
    const double shaft = Length - Head, w = Head / 3.0;
    cv->Polygon({at(0, -w / 2), at(shaft, -w / 2), at(shaft, -Head / 1.4), at(Length, 0), at(shaft, Head / 1.4),
                 at(shaft, w / 2), at(0, w / 2)});
}

// A triangle pointing in direction (DX, DY) at distance Dist from (X, Y).
void Tip(TCanvas* cv, int X, int Y, int DX, int DY, int Dist, int Size)
{
    const int cx = X + DX * Dist, cy = Y + DY * Dist;
    const int px = -DY, py = DX;
    cv->Polygon({TPoint(cx + DX * Size, cy + DY * Size), TPoint(cx + px * Size, cy + py * Size),
                 TPoint(cx - px * Size, cy - py * Size)});
}

std::unique_ptr<TBitmap> FilterGlyph()
{
    auto b = Blank(16, kClear);
    TCanvas* cv = b->Canvas();
    cv->Pen()->SetColor(clBlack);
    cv->Brush()->SetColor(TColorOf(0x808080));
    cv->Polygon({TPoint(3, 4), TPoint(12, 4), TPoint(9, 8), TPoint(9, 12), TPoint(6, 12), TPoint(6, 8)});
    return b;
}

// The focus mark: a grey disc with the directions panning follows.
std::unique_ptr<TBitmap> FocusMark(bool Horizontal, bool Vertical)
{
    auto b = Blank(32, clWhite);
    TCanvas* cv = b->Canvas();
    cv->Pen()->SetColor(clBlack);
    cv->Brush()->SetColor(TColorOf(0xE0E0E0));
    cv->Ellipse(2, 2, 30, 30);
    cv->Brush()->SetColor(clBlack);
    cv->Ellipse(14, 14, 18, 18);
    if (Vertical) {
        Tip(cv, 16, 16, 0, -1, 8, 4);
        Tip(cv, 16, 16, 0, 1, 8, 4);
    }
    if (Horizontal) {
        Tip(cv, 16, 16, -1, 0, 8, 4);
        Tip(cv, 16, 16, 1, 0, 8, 4);
    }
    return b;
}

struct TCursorPicture {
    std::unique_ptr<TBitmap> Image;
    TPoint Hot;
};

// Zone cursors: a black arrow outlined in white, its tip the hot spot.
TCursorPicture ZoneCursor(int DX, int DY)
{
    auto b = Blank(32, kClear);
    TCanvas* cv = b->Canvas();
    cv->Pen()->SetColor(clWhite);
    cv->Brush()->SetColor(clBlack);
    const double len = DX && DY ? 17.0 : 15.0;
    const double n = std::hypot(double(DX), double(DY));
    const double tipX = 16 + DX / n * len / 2, tipY = 16 + DY / n * len / 2;
    Arrow(cv, tipX - DX / n * len, tipY - DY / n * len, DX, DY, len, 7);
    return {std::move(b), TPoint(int(std::lround(tipX)), int(std::lround(tipY)))};
}

// Panning cursors: the focus disc in small, with an arrow toward the way the cells go.
TCursorPicture PanCursor(int DX, int DY)
{
    auto b = Blank(32, kClear);
    TCanvas* cv = b->Canvas();
    cv->Pen()->SetColor(clWhite);
    cv->Brush()->SetColor(clBlack);
    cv->Ellipse(12, 12, 20, 20);
    if (DX || DY)
        Arrow(cv, 16 + DX * 4, 16 + DY * 4, DX, DY, 11, 6);
    else {
        Tip(cv, 16, 16, 0, -1, 7, 3);
        Tip(cv, 16, 16, 0, 1, 7, 3);
        Tip(cv, 16, 16, -1, 0, 7, 3);
        Tip(cv, 16, 16, 1, 0, 7, 3);
    }
    return {std::move(b), TPoint(16, 16)};
}

} // namespace

TBitmap* GridBitmap(const AnsiString& Name)
{
    static std::map<AnsiString, std::unique_ptr<TBitmap>> made;
    if (auto it = made.find(Name); it != made.end())
        return it->second.get();
    std::unique_ptr<TBitmap> b;
    if (Name == "RAGFILT")
        b = FilterGlyph();
    else if (Name == "INTLI1")
        b = FocusMark(true, true);
    else if (Name == "INTLI2")
        b = FocusMark(true, false);
    else if (Name == "INTLI3")
        b = FocusMark(false, true);
    else
        return nullptr;
    return (made[Name] = std::move(b)).get();
}

void RegisterGridCursors()
{
    static const bool done = TScreen::AddInitialization([](TScreen* S) {
        auto put = [S](TCursor Index, const TCursorPicture& P) {
            P.Image->SetTransparentColor(kClear);
            S->SetCursorImage(Index, P.Image.get(), P.Hot.x, P.Hot.y);
        };
        put(crSelectRow, ZoneCursor(1, 0));
        put(crSelectCol, ZoneCursor(0, 1));
        put(crSelectAll, ZoneCursor(1, 1));
        const struct {
            TCursor Index;
            int DX, DY;
        } pans[] = {{crPanNone, 0, 0},   {crPanDown, 0, 1},     {crPanLeft, -1, 0},      {crPanRight, 1, 0},
                    {crPanUp, 0, -1},    {crPanUpRight, 1, -1}, {crPanUpLeft, -1, -1},   {crPanDownRight, 1, 1},
                    {crPanDownLeft, -1, 1}};
        for (const auto& p : pans)
            put(p.Index, PanCursor(p.DX, p.DY));
    });
    (void)done;
}

} // namespace Ravgrid
