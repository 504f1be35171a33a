#include "components/controls/Owdesign.h"

#include "platform/graphics/Canvas.h"

TOwBitmapButton::TOwBitmapButton(TComponent* AOwner)
    : TOwGraphicImageControl(AOwner), FGlyph(std::make_unique<TBitmap>()), FHitMask(std::make_unique<TBitmap>())
{
    SetControlStyle((ControlStyle() | csOpaque | csReplicatable) & ~(csSetCaption | csDoubleClicks));
    SetBounds(0, 0, 50, 50);
    SetColor(clBtnFace);
    SetParentColor(false);
    FGlyph->OnChange = [this](TObject* s) { GlyphChanged(s); };
}

TOwBitmapButton::~TOwBitmapButton() { FGlyph->OnChange = nullptr; }

void TOwBitmapButton::SetGlyph(TBitmap* v)
{
    FGlyph->Assign(v); // raises the glyph's change event
    BuildHitMask();
}

void TOwBitmapButton::GlyphChanged(TObject*)
{
    AdjustImageSize();
    // The mask follows every change of the strip (a file loaded in place included), so
    // the mouse always hits the picture that is shown.
    BuildHitMask();
    UpdateControlBounds();
}

// The hit mask: white where the strip has the see-through colour the painting uses.
void TOwBitmapButton::BuildHitMask()
{
    FHitMask->Assign(FGlyph.get());
    if (!FHitMask->Empty())
        FHitMask->Mask(GetTransparentColor());
}

void TOwBitmapButton::SetNumGlyphs(TOwNumGlyphs v)
{
    if (v == FNumGlyphs || v < 1 || v > 4)
        return;
    FNumGlyphs = v;
    AdjustImageSize();
    UpdateControlBounds();
}

void TOwBitmapButton::SetVIndent(int v)
{
    if (v == FVIndent || v < 0)
        return;
    FVIndent = v;
    UpdateControlBounds();
}

void TOwBitmapButton::SetHIndent(int v)
{
    if (v == FHIndent || v < 0)
        return;
    FHIndent = v;
    UpdateControlBounds();
}

void TOwBitmapButton::SetTransparentMode(TOwTransparentMode v)
{
    if (v == FTransparentMode)
        return;
    FTransparentMode = v;
    BuildHitMask();
    UpdateControlCanvas();
}

void TOwBitmapButton::CMColorChanged()
{
    TOwGraphicImageControl::CMColorChanged();
    BuildHitMask();
}

void TOwBitmapButton::Loaded()
{
    TOwGraphicImageControl::Loaded();
    AdjustImageSize();
    BuildHitMask();
}

void TOwBitmapButton::AdjustImageSize()
{
    if (FGlyph->Empty()) {
        FFrameWidth = 0;
        FFrameHeight = 0;
        return;
    }
    FFrameWidth = FGlyph->Width() / FNumGlyphs;
    FFrameHeight = FGlyph->Height();
}

TRect TOwBitmapButton::GetImageRect(int Index) const
{
    return TRect(Index * FFrameWidth, 0, Index * FFrameWidth + FFrameWidth, FFrameHeight);
}

TRect TOwBitmapButton::DestRect() const
{
    const TRect client = ClientRect();
    int x = (client.Width() - FFrameWidth) / 2;
    int y = (client.Height() - FFrameHeight) / 2;
    if (FPressed) {
        x += FHIndent;
        y += FVIndent;
    }
    return TRect(x, y, x + FFrameWidth, y + FFrameHeight);
}

TColor TOwBitmapButton::GetTransparentColor() const
{
    if (FGlyph->Empty() || FTransparentMode == tmColor)
        return Color();
    return FGlyph->Canvas()->Pixels(0, 0);
}

bool TOwBitmapButton::CanAutoSize(int& NewWidth, int& NewHeight)
{
    NewWidth = FFrameWidth + FHIndent + 1;
    NewHeight = FFrameHeight + FVIndent + 1;
    return true;
}

bool TOwBitmapButton::InControl(int X, int Y) const
{
    const TRect d = DestRect();
    if (!d.Contains(TPoint(X, Y)))
        return false;
    if (!Transparent())
        return true;
    return ColorToRGB(FHitMask->Canvas()->Pixels(X - d.Left, Y - d.Top)) == clBlack;
}

int TOwBitmapButton::FrameIndex() const
{
    int index = 0;
    if (FMouseInside)
        index = 1;
    if (FPressed)
        index = 2;
    if (!Enabled())
        index = 3;
    if (FNumGlyphs < index + 1)
        index = 0;
    return index;
}

void TOwBitmapButton::Paint()
{
    ClearBitmapCanvas();
    if (!FGlyph->Empty()) {
        TCanvas* c = BitmapCanvas();
        // Colour first: a colour set on a clear brush makes it solid again.
        c->Brush()->SetColor(Color());
        c->Brush()->SetStyle(Transparent() ? bsClear : bsSolid);
        c->BrushCopy(DestRect(), FGlyph.get(), GetImageRect(FrameIndex()), GetTransparentColor());
    }
    ShowDesignFrame(BitmapCanvas());
    TOwGraphicImageControl::Paint();
}

void TOwBitmapButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TOwGraphicImageControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft || !InControl(X, Y))
        return;
    FTracking = true;
    FPressed = true;
    SetMouseCapture(true);
    UpdateControlCanvas();
}

void TOwBitmapButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TOwGraphicImageControl::MouseMove(Shift, X, Y);
    if (!FTracking)
        return;
    const bool inside = InControl(X, Y);
    if (inside != FPressed) {
        FPressed = inside;
        UpdateControlCanvas();
    }
}

// The class library's click on release is replaced by the picture test in MouseUp.
void TOwBitmapButton::Click()
{
    if (FFiring)
        TOwGraphicImageControl::Click();
}

void TOwBitmapButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button != mbLeft) {
        TOwGraphicImageControl::MouseUp(Button, Shift, X, Y);
        return;
    }
    SetMouseCapture(false);
    const bool fire = FTracking && FPressed;
    FPressed = false;
    FTracking = false;
    if (!fire)
        return;
    // The key is drawn up again before its click runs (a click may open a dialog).
    UpdateControlCanvas();
    if (ClientRect().Contains(TPoint(X, Y))) {
        struct Reset {
            bool& Flag;
            ~Reset() { Flag = false; }
        } reset{FFiring};
        FFiring = true;
        Click();
    }
    TOwGraphicImageControl::MouseUp(Button, Shift, X, Y);
}

void TOwBitmapButton::CMMouseEnter()
{
    TOwGraphicImageControl::CMMouseEnter();
    FMouseInside = true;
    UpdateControlCanvas();
}

void TOwBitmapButton::CMMouseLeave()
{
    TOwGraphicImageControl::CMMouseLeave();
    FMouseInside = false;
    UpdateControlCanvas();
}

void TOwBitmapButton::CMEnabledChanged()
{
    TOwGraphicImageControl::CMEnabledChanged();
    UpdateControlCanvas();
}
