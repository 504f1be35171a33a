#pragma once
// TPicture: holds one graphic (a bitmap, an icon or a decoded picture), chosen by the
// file's extension when loading: ".bmp" a TBitmap, ".ico" a TIcon, ".png", ".gif",
// ".jpg", ".jpeg" a TImageFile; any other raises EInvalidGraphic
// "Unknown picture file extension (.ext)".
#include <memory>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Icon.h"

class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;

    // Nullptr when empty.
    TGraphic* Graphic() const { return FGraphic.get(); }
    // Holds a copy of the given graphic (nullptr empties the picture).
    void SetGraphic(TGraphic* v);
    // The graphic as a bitmap; an empty bitmap replaces a graphic of another kind.
    TBitmap* Bitmap();
    void SetBitmap(TBitmap* v) { SetGraphic(v); }
    TIcon* Icon();
    void SetIcon(TIcon* v) { SetGraphic(v); }

    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }

    void LoadFromFile(const AnsiString& FileName);
    void SaveToFile(const AnsiString& FileName);
    void Assign(TPersistent* Source) override;

    TNotifyEvent OnChange;

private:
    void Adopt(std::unique_ptr<TGraphic> G);
    void Changed();

    std::unique_ptr<TGraphic> FGraphic;
};
