#include "platform/graphics/Brush.h"

#include "platform/graphics/Bitmap.h"

TBrush::TBrush() = default;
TBrush::~TBrush() = default;

void TBrush::SetColor(TColor v)
{
    // Setting a colour on a clear brush makes it solid, as the class library does.
    if (v == FColor && FStyle != bsClear)
        return;
    FColor = v;
    if (FStyle == bsClear)
        FStyle = bsSolid;
    Changed();
}

void TBrush::SetStyle(TBrushStyle v)
{
    if (v == FStyle)
        return;
    FStyle = v;
    Changed();
}

void TBrush::SetBitmap(TBitmap* v)
{
    if (!v && !FBitmap)
        return;
    if (v) {
        if (!FBitmap)
            FBitmap = std::make_unique<TBitmap>();
        FBitmap->Assign(v);
    } else {
        FBitmap.reset();
    }
    Changed();
}

void TBrush::Assign(TPersistent* Source)
{
    auto* b = dynamic_cast<TBrush*>(Source);
    if (!b) {
        TGraphicsObject::Assign(Source);
        return;
    }
    FColor = b->FColor;
    FStyle = b->FStyle;
    if (b->FBitmap) {
        if (!FBitmap)
            FBitmap = std::make_unique<TBitmap>();
        FBitmap->Assign(b->FBitmap.get());
    } else {
        FBitmap.reset();
    }
    Changed();
}
