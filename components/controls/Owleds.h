#pragma once
// TOwUserLed: a small box drawn as an optional outline, a bevel and a vertical colour
// gradient between two palette colours chosen by Active; or drawn by OnDraw.
#include <functional>
#include <memory>

#include "components/controls/Owclasses.h"
#include "components/controls/OwcontrolsBases.h"

using TOwUserLedDrawEvent = std::function<void(TObject* Sender, TCanvas* Canvas, const TRect& Rect)>;

class TOwUserLed : public TOwGraphicControl {
public:
    explicit TOwUserLed(TComponent* AOwner);
    ~TOwUserLed() override;

    TOwBevel* Bevel() const { return FBevel.get(); }
    void SetBevel(TOwBevel* v) { FBevel->Assign(v); }
    TOwPaletteEx* PaletteEx() const { return FPaletteEx.get(); }
    void SetPaletteEx(TOwPaletteEx* v) { FPaletteEx->Assign(v); }
    bool Active() const { return FActive; }
    void SetActive(bool v);
    TColor OutlineColor() const { return FOutlineColor; }
    void SetOutlineColor(TColor v);
    int OutlineWidth() const { return FOutlineWidth; }
    void SetOutlineWidth(int v);
    TOwDrawStyle DrawStyle() const { return FDrawStyle; }
    void SetDrawStyle(TOwDrawStyle v);

    TNotifyEvent OnChange;
    TOwUserLedDrawEvent OnDraw;

    void CMEnabledChanged() override;

protected:
    void Paint() override;
    virtual void Change();

private:
    std::unique_ptr<TOwBevel> FBevel;
    std::unique_ptr<TOwPaletteEx> FPaletteEx;
    bool FActive = false;
    TColor FOutlineColor = clBlack;
    int FOutlineWidth = 0;
    TOwDrawStyle FDrawStyle = dsNormal;
};

class TOwPalette;

// The serial display has its own ltRounded/ltRectangle: these live in the library's scope.
namespace Owcontrols {
enum TOwLedType { ltRounded, ltRectangle, ltLargeRect, ltCustom };
}
using Owcontrols::TOwLedType;

// A lamp drawn from a two-frame picture (off on the left half, on on the right) with a
// caption beside, above or below it. The built-in pictures are recoloured to Palette.
class TOwCustomLed : public TOwGraphicImageControl {
public:
    using enum Owcontrols::TOwLedType;
    explicit TOwCustomLed(TComponent* AOwner);
    ~TOwCustomLed() override;

    bool Active() const { return FActive; }
    void SetActive(bool v);
    TOwLedType LedType() const { return FLedType; }
    void SetLedType(TOwLedType v);
    TOwPalette* Palette() const { return FPalette.get(); }
    void SetPalette(TOwPalette* v);
    TBitmap* Glyphs() const { return FGlyphs.get(); }
    void SetGlyphs(TBitmap* v) { FGlyphs->Assign(v); }
    int Spacing() const { return FSpacing; }
    void SetSpacing(int v);
    int Margin() const { return FMargin; }
    void SetMargin(int v);
    TOwImageTextLayout Layout() const { return FLayout; }
    void SetLayout(TOwImageTextLayout v);
    // The current two-frame picture after recolouring.
    TBitmap* LedImage() const { return FLedImage.get(); }
    TRect ImageRect() const { return FImageRect; }
    TRect TextRect() const { return FTextRect; }
    TNotifyEvent OnChange;

    void CMTextChanged() override;
    // The system colours changed: the picture is made again.
    void CMSysColorChange() { LoadBitmaps(); }

protected:
    void Paint() override;
    virtual void LoadBitmaps();
    virtual void Changed() { FireEvent(OnChange, this); }

private:
    void CalcPaintParams();
    bool FActive = false;
    TOwLedType FLedType = ltRounded;
    std::unique_ptr<TOwPalette> FPalette;
    std::unique_ptr<TBitmap> FGlyphs;
    std::unique_ptr<TBitmap> FLedImage;
    int FSpacing = 5;
    int FMargin = -1;
    TOwImageTextLayout FLayout = ImageLeft;
    TRect FImageRect{0, 0, 0, 0};
    TRect FTextRect{0, 0, 0, 0};
};

class TOwLed : public TOwCustomLed {
public:
    using TOwCustomLed::TOwCustomLed;
};

// The built-in two-frame lamp pictures: maroon lamp (off) and red lamp (on) on black.
std::unique_ptr<TBitmap> LedPicture(TOwLedType Type);
