// The bitmap LED: a two-frame lamp picture with a caption.
#include "components/controls/OwclassesProps.h"
#include "components/controls/Owleds.h"
#include "components/controls/Owsysutils.h"
#include "platform/graphics/Canvas.h"

using namespace Owcontrols;

std::unique_ptr<TBitmap> LedPicture(TOwLedType Type)
{
    // Frame sizes of the three pictures: a round lamp and two bars.
    const int w = Type == ltRectangle ? 10 : Type == ltLargeRect ? 17 : 9;
    const int h = Type == ltRectangle ? 5 : Type == ltLargeRect ? 7 : 9;
    auto b = std::make_unique<TBitmap>();
    b->SetSize(2 * w, h);
    TCanvas* c = b->Canvas();
    c->Brush()->SetColor(clBlack);
    c->FillRect(TRect(0, 0, 2 * w, h));
    for (int frame = 0; frame < 2; ++frame) {
        const int x0 = frame * w;
        const TColor lamp = frame == 0 ? clMaroon : clRed;
        c->Brush()->SetColor(lamp);
        c->Pen()->SetColor(lamp);
        if (Type == ltRounded)
            c->Ellipse(x0 + 1, 1, x0 + w - 1, h - 1);
        else
            c->FillRect(TRect(x0 + 1, 1, x0 + w - 1, h - 1));
        // The highlight of the glass.
        c->SetPixels(x0 + 3, 2, frame == 0 ? clGray : clWhite);
        c->SetPixels(x0 + 2, 3, clSilver);
    }
    return b;
}

TOwCustomLed::TOwCustomLed(TComponent* AOwner)
    : TOwGraphicImageControl(AOwner), FPalette(std::make_unique<TOwPalette>()), FGlyphs(std::make_unique<TBitmap>()),
      FLedImage(std::make_unique<TBitmap>())
{
    SetControlStyle((ControlStyle() | csOpaque | csReplicatable | csClickEvents) & ~(csSetCaption | csDoubleClicks));
    SetBounds(0, 0, 25, 25);
    SetParentColor(false);
    SetColor(clBlack);
    Font()->SetColor(clWhite);
    FPalette->SetLow(clMaroon);
    FPalette->SetHigh(clRed);
    FPalette->OnChange = [this](TObject*) {
        LoadBitmaps();
        UpdateControlCanvas();
    };
    FGlyphs->OnChange = [this](TObject*) {
        LoadBitmaps();
        UpdateControlCanvas();
    };
    LoadBitmaps();
}

TOwCustomLed::~TOwCustomLed()
{
    FPalette->OnChange = nullptr;
    FGlyphs->OnChange = nullptr;
}

void TOwCustomLed::LoadBitmaps()
{
    if (FLedType == ltCustom) {
        FLedImage->Assign(FGlyphs.get());
        return;
    }
    FLedImage->Assign(LedPicture(FLedType).get());
    FPalette->ToBMP(FLedImage.get(), clMaroon, clRed);
}

void TOwCustomLed::SetActive(bool v)
{
    if (v == FActive)
        return;
    FActive = v;
    UpdateControlCanvas();
    Changed();
}

void TOwCustomLed::SetLedType(TOwLedType v)
{
    if (v == FLedType)
        return;
    FLedType = v;
    LoadBitmaps();
    UpdateControlCanvas();
}

void TOwCustomLed::SetPalette(TOwPalette* v) { FPalette->Assign(v); }

void TOwCustomLed::SetSpacing(int v)
{
    if (v == FSpacing)
        return;
    FSpacing = v;
    UpdateControlCanvas();
}

void TOwCustomLed::SetMargin(int v)
{
    if (v == FMargin)
        return;
    FMargin = v;
    UpdateControlCanvas();
}

void TOwCustomLed::SetLayout(TOwImageTextLayout v)
{
    if (v == FLayout)
        return;
    FLayout = v;
    UpdateControlCanvas();
}

void TOwCustomLed::CMTextChanged()
{
    TOwGraphicImageControl::CMTextChanged();
    Invalidate();
}

void TOwCustomLed::CalcPaintParams()
{
    TCanvas* c = BitmapCanvas();
    c->Font()->Assign(Font());
    const TPoint glyph(FLedImage->Width() / 2, FLedImage->Height());
    TPoint pos;
    CalcImageTextLayout(c, ClientRect(), TPoint(0, 0), Caption(), cfImageTextLayout[FLayout], FMargin, FSpacing, glyph,
                        pos, FTextRect);
    FImageRect = TRect(pos.x, pos.y, pos.x + glyph.x, pos.y + glyph.y);
}

void TOwCustomLed::Paint()
{
    ClearBitmapCanvas();
    CalcPaintParams();
    TCanvas* c = BitmapCanvas();
    const int half = FLedImage->Width() / 2;
    if (half > 0) {
        const TRect source(FActive ? half : 0, 0, (FActive ? half : 0) + half, FLedImage->Height());
        c->Brush()->SetStyle(bsClear);
        c->BrushCopy(FImageRect, FLedImage.get(), source, FLedType == ltCustom ? Color() : clBlack);
    }
    c->Font()->Assign(Font());
    c->Brush()->SetStyle(bsClear);
    TRect t = FTextRect;
    c->DrawText(Caption(), t, DT_SINGLELINE | DT_VCENTER);
    TOwGraphicImageControl::Paint();
}
