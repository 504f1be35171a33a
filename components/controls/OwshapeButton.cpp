// The bitmap-shaped button.
#include <vector>

#include "components/controls/OwclassesProps.h"
#include "components/controls/Owbuttons.h"
#include "components/controls/Owsysutils.h"
#include "platform/core/Streams.h"
#include "platform/graphics/Canvas.h"

namespace {
struct TOffset {
    int dx, dy;
};
// The rim rings: one bevel pixel just outside the shape, one black pixel outside that.
const std::vector<TOffset> kRing[2][2] = {
    {{{1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}}, {{-1, 0}, {-1, -1}, {0, -1}}},
    {{{2, -2}, {2, -1}, {2, 0}, {2, 1}, {2, 2}, {1, 2}, {0, 2}, {-1, 2}, {-2, 2}},
     {{-2, 1}, {-2, 0}, {-2, -1}, {-2, -2}, {-1, -2}, {0, -2}, {1, -2}}},
};

// Which pixels of B are on the shape (not the transparent colour).
std::vector<bool> ShapeOf(TBitmap* B, TColor Transparent)
{
    const int w = B->Width(), h = B->Height();
    std::vector<bool> m(static_cast<size_t>(w * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            m[static_cast<size_t>(y * w + x)] = B->Canvas()->Pixels(x, y) != Transparent;
    return m;
}
} // namespace

void Create3DBitmap(TBitmap* Source, bool Pressed, TBitmap* Dest)
{
    if (!Source || !Dest || Source->Empty())
        return;
    const int w = Source->Width(), h = Source->Height();
    const TColor transparent = ColorToRGB(Source->TransparentColor());
    Dest->SetSize(w, h);
    Dest->Canvas()->CopyRect(TRect(0, 0, w, h), Source->Canvas(), TRect(0, 0, w, h));
    const std::vector<bool> source = ShapeOf(Source, transparent);
    for (int ring = 0; ring < 2; ++ring) {
        // The ring grows around the shape as it stands after the inner ring.
        const std::vector<bool> work = ShapeOf(Dest, transparent);
        for (int side = 0; side < 2; ++side) {
            if (Pressed && ring == 1 && side == 0)
                continue; // a pressed button has no outer rim at its bottom-right
            const bool topLeft = side == 1;
            const TColor colour = ring == 1 ? clBlack : ColorToRGB(Pressed != topLeft ? clBtnHighlight : clBtnShadow);
            std::vector<std::pair<int, int>> edge;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    if (work[static_cast<size_t>(y * w + x)])
                        continue;
                    for (const TOffset& o : kRing[ring][side]) {
                        const int sx = x - o.dx, sy = y - o.dy;
                        if (sx >= 0 && sy >= 0 && sx < w && sy < h && source[static_cast<size_t>(sy * w + sx)]) {
                            edge.emplace_back(x, y);
                            break;
                        }
                    }
                }
            for (const auto& [x, y] : edge)
                Dest->Canvas()->SetPixels(x, y, colour);
        }
    }
}

TOwShapeBtn::TOwShapeBtn(TComponent* AOwner)
    : TOwGraphicImageControl(AOwner), FBitmap(std::make_unique<TBitmap>()), FUp(std::make_unique<TBitmap>()),
      FDown(std::make_unique<TBitmap>()), FMask(std::make_unique<TBitmap>())
{
    SetBounds(0, 0, 50, 50);
    SetControlStyle((ControlStyle() | csCaptureMouse | csOpaque) & ~csDoubleClicks);
    SetColor(clBtnFace);
    SetParentColor(false);
    SetParentFont(true);
    SetTransparent(false);
    FBitmap->OnChange = [this](TObject*) { BitmapChanged(); };
}

TOwShapeBtn::~TOwShapeBtn() { FBitmap->OnChange = nullptr; }

void TOwShapeBtn::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    // The button always has its bitmap's size.
    if (FBitmap && !FBitmap->Empty() && !Loading()) {
        AWidth = FBitmap->Width();
        AHeight = FBitmap->Height();
    }
    TOwGraphicImageControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TOwShapeBtn::BitmapChanged()
{
    SetBounds(Left(), Top(), Width(), Height());
    if (Loading())
        return;
    if (FBitmap->Empty()) {
        FUp->Assign(nullptr);
        FDown->Assign(nullptr);
    } else {
        Create3DBitmap(FBitmap.get(), false, FUp.get());
        Create3DBitmap(FBitmap.get(), true, FDown.get());
        CreateMaskBitmap();
    }
    Invalidate();
}

void TOwShapeBtn::CreateMaskBitmap()
{
    if (FBitmap->Empty())
        return;
    FMask->Assign(FBitmap.get());
    FMask->Mask(FBitmap->TransparentColor());
}

bool TOwShapeBtn::PtInMask(int X, int Y) const
{
    if (FMask->Empty() || X < 0 || Y < 0 || X >= FMask->Width() || Y >= FMask->Height())
        return false;
    return ColorToRGB(FMask->Canvas()->Pixels(X, Y)) == 0;
}

void TOwShapeBtn::Loaded()
{
    TOwGraphicImageControl::Loaded();
    CreateMaskBitmap();
}

void TOwShapeBtn::ReadBitmapData(TStream* Stream)
{
    ReadBitmapRecord(Stream, FUp.get());
    ReadBitmapRecord(Stream, FDown.get());
}

void TOwShapeBtn::WriteBitmapData(TStream* Stream)
{
    FUp->SaveToStream(Stream);
    FDown->SaveToStream(Stream);
}

void TOwShapeBtn::CMTextChanged()
{
    TOwGraphicImageControl::CMTextChanged();
    Invalidate();
}

void TOwShapeBtn::CMFontChanged()
{
    TOwGraphicImageControl::CMFontChanged();
    Invalidate();
}

void TOwShapeBtn::Paint()
{
    ClearBitmapCanvas();
    TCanvas* c = BitmapCanvas();
    TBitmap* image = FIsDown ? FDown.get() : FUp.get();
    const int shift = FIsDown ? 1 : 0;
    if (!image->Empty()) {
        c->Brush()->SetStyle(Transparent() ? bsClear : bsSolid);
        c->Brush()->SetColor(Color());
        c->BrushCopy(TRect(shift, shift, Width() + shift, Height() + shift), image, BitmapRect(image), Color());
    }
    if (!Caption().empty()) {
        TRect r(shift, shift, Width() + shift, Height() + shift);
        c->Font()->Assign(Font());
        c->Brush()->SetStyle(bsClear);
        c->DrawText(Caption(), r, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    }
    ShowDesignFrame(c);
    TOwGraphicImageControl::Paint();
}

void TOwShapeBtn::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == mbLeft && Enabled() && PtInMask(X, Y)) {
        FHeld = true;
        FIsDown = true;
        Invalidate();
    }
    TOwGraphicImageControl::MouseDown(Button, Shift, X, Y);
}

void TOwShapeBtn::MouseMove(TShiftState Shift, int X, int Y)
{
    const bool down = FHeld && PtInMask(X, Y);
    if (down != FIsDown) {
        FIsDown = down;
        Invalidate();
    }
    TOwGraphicImageControl::MouseMove(Shift, X, Y);
}

void TOwShapeBtn::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    bool click = false;
    if (FHeld) {
        click = PtInMask(X, Y);
        FHeld = false;
        FIsDown = false;
        Invalidate();
    }
    TOwGraphicImageControl::MouseUp(Button, Shift, X, Y);
    if (click)
        FireEvent(OnClick, this);
}

bool TOwShapeBtn::CMDialogChar(char Key)
{
    if (!Enabled() || !IsAccel(Key, Caption()))
        return TOwGraphicImageControl::CMDialogChar(Key);
    FireEvent(OnClick, this);
    return true;
}
