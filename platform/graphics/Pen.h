#pragma once
// TPen: how lines and shape outlines are drawn.
#include "platform/graphics/Color.h"
#include "platform/graphics/GraphicsObject.h"

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

// How the pen's colour combines with what is already there (the Win32 raster operations).
enum TPenMode {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
    pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};

class TPen : public TGraphicsObject {
public:
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    // Width 0 draws like 1, as in Win32.
    int Width() const { return FWidth; }
    void SetWidth(int v);
    TPenStyle Style() const { return FStyle; }
    void SetStyle(TPenStyle v);
    TPenMode Mode() const { return FMode; }
    void SetMode(TPenMode v);

    void Assign(TPersistent* Source) override;

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};
