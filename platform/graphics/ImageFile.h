#pragma once
// Pictures in the common file formats, decoded by the platform: BMP, PNG, GIF (its
// first image), JPEG and ICO. Metafiles are not decoded.
#include <memory>

#include "platform/graphics/Graphic.h"

class TBitmap;

namespace zvqt {
struct ImplAccess;
}

class TImageFile : public TGraphic {
public:
    TImageFile();
    ~TImageFile() override;

    bool Empty() const override;
    int Width() const override;
    int Height() const override;
    // A decoded picture keeps its size.
    void SetWidth(int) override {}
    void SetHeight(int) override {}

    void Assign(TPersistent* Source) override;
    // Raises EInvalidGraphic "Could not load image. Invalid format" for bytes of no known format.
    void LoadFromData(const std::vector<Byte>& Data) override;
    // The picture as PNG.
    std::vector<Byte> SaveToData() const override;
    void DrawOn(TCanvas* ACanvas, const TRect& R) override;
    // Copies the pixels into Bitmap (see-through parts become white).
    void ToBitmap(TBitmap* Bitmap) const;

    struct Impl;

private:
    friend struct zvqt::ImplAccess;
    Impl* ImplPtr() const { return FImpl.get(); }
    std::unique_ptr<Impl> FImpl;
};

// "png", "gif", "jpeg", "bmp", "ico" for bytes the platform can decode, else "".
AnsiString ImageFormatOf(const std::vector<Byte>& Data);
// A bitmap encoded as a file of Format ("BMP", "PNG", "JPG", "JPEG", "ICO"); raises
// EInvalidGraphic for a format the platform cannot write.
std::vector<Byte> EncodeBitmap(const TBitmap* Bitmap, const AnsiString& Format);
