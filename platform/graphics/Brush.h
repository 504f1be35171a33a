#pragma once
// TBrush: how areas are filled. Style bsClear fills nothing and makes text
// backgrounds see-through.
#include <memory>

#include "platform/graphics/Color.h"
#include "platform/graphics/GraphicsObject.h"

class TBitmap;

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
public:
    TBrush();
    ~TBrush() override;

    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TBrushStyle Style() const { return FStyle; }
    void SetStyle(TBrushStyle v);
    // A pattern bitmap (tiled) replaces the colour while set; the brush keeps a copy.
    TBitmap* Bitmap() const { return FBitmap.get(); }
    void SetBitmap(TBitmap* v);

    void Assign(TPersistent* Source) override;

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    std::unique_ptr<TBitmap> FBitmap;
};
