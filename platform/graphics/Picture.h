#pragma once
// TPicture: holds one graphic (a bitmap, an icon or a decoded picture), chosen by the
// file's extension when loading: ".bmp" a TBitmap, ".ico" a TIcon, ".png", ".gif",
// ".jpg", ".jpeg" a TImageFile; any other raises EInvalidGraphic
// "Unknown picture file extension (.ext)".
#include <memory>
#include <string>

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

    // Loading the file the picture holds already, unchanged on disk since (same size and
    // modification time) and the graphic untouched since, keeps the picture as it is and
    // reports no change, so that its viewers do not repaint.
    void LoadFromFile(const AnsiString& FileName);
    void SaveToFile(const AnsiString& FileName);
    void Assign(TPersistent* Source) override;

    TNotifyEvent OnChange;

private:
    void Adopt(std::unique_ptr<TGraphic> G);
    void Changed();

    std::unique_ptr<TGraphic> FGraphic;
    // The file the graphic came from and its size and modification time then; empty once
    // the graphic changed in any other way.
    AnsiString FSourceFile;
    std::string FSourceStamp;
};
