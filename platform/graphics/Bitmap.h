#pragma once
// TBitmap: an image in memory with a canvas to draw on; reads and writes Windows BMP files.
// Pixels are kept as 32-bit B, G, R, unused bytes; PixelFormat says how the picture is
// saved (pf1bit, pf4bit, pf8bit with a palette; pf24bit, pfDevice: 24 bits; pf32bit) and
// pf1bit (or Monochrome) also keeps every pixel black or white.
// A transparent bitmap is drawn without the pixels of its TransparentColor: with
// TransparentMode tmAuto that is the colour of the bottom-left pixel.
#include <memory>

#include "platform/graphics/Color.h"
#include "platform/graphics/Graphic.h"

class TCanvas;

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

namespace zvqt {
struct ImplAccess;
}

class TBitmap : public TGraphic {
public:
    TBitmap();
    ~TBitmap() override;

    TCanvas* Canvas() const;

    bool Empty() const override;
    int Width() const override;
    int Height() const override;
    void SetWidth(int v) override;
    void SetHeight(int v) override;
    // Keeps the pixels of the overlapping part; new pixels are white.
    void SetSize(int AWidth, int AHeight);

    TPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TPixelFormat v);
    bool Monochrome() const { return FPixelFormat == pf1bit; }
    void SetMonochrome(bool v);

    TColor TransparentColor() const;
    // Setting a colour switches TransparentMode to tmFixed.
    void SetTransparentColor(TColor v);
    TTransparentMode TransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode v);

    // Turns the bitmap into a monochrome mask: pixels of TransparentColor white, all others black.
    void Mask(TColor TransparentColor);

    // Row Row's pixels: Width() 32-bit values, bytes B, G, R, unused. Valid until the
    // bitmap's size changes; call Changed-causing methods (or Modified) after writing.
    void* ScanLine(int Row);

    void Assign(TPersistent* Source) override;
    void LoadFromData(const std::vector<Byte>& Data) override;
    std::vector<Byte> SaveToData() const override;
    void DrawOn(TCanvas* ACanvas, const TRect& R) override;

    // Sends OnChange (the class library does so after drawing on the canvas).
    void Changed() override;

    struct Impl;

private:
    // The platform reaches it through zvqt::ImplOf.
    friend struct zvqt::ImplAccess;
    Impl* ImplPtr() const { return FImpl.get(); }
    std::unique_ptr<Impl> FImpl;
    TPixelFormat FPixelFormat = pfDevice;
    TTransparentMode FTransparentMode = tmAuto;
    TColor FTransparentColor = clDefault;
};
