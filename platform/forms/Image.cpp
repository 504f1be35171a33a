#include "platform/forms/Image.h"

#include <algorithm>

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>())
{
    FControlStyle |= csReplicatable;
    FPicture->OnChange = [this](TObject*) { PictureChanged(); };
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage() { FPicture->OnChange = nullptr; }

void TImage::PictureChanged()
{
    if (FPicture->Graphic())
        FPicture->Graphic()->SetTransparent(FTransparent || dynamic_cast<TIcon*>(FPicture->Graphic()));
    if (FAutoSize && FPicture->Width() > 0 && FPicture->Height() > 0)
        SetBounds(FLeft, FTop, FPicture->Width(), FPicture->Height());
    Invalidate();
}

void TImage::SetStretch(bool v)
{
    if (v == FStretch)
        return;
    FStretch = v;
    Invalidate();
}

void TImage::SetCenter(bool v)
{
    if (v == FCenter)
        return;
    FCenter = v;
    Invalidate();
}

void TImage::SetProportional(bool v)
{
    if (v == FProportional)
        return;
    FProportional = v;
    Invalidate();
}

void TImage::SetTransparent(bool v)
{
    if (v == FTransparent)
        return;
    FTransparent = v;
    PictureChanged();
}

TCanvas* TImage::Canvas()
{
    if (!FPicture->Graphic()) {
        TBitmap* b = FPicture->Bitmap();
        b->SetSize(FWidth, FHeight);
    }
    return FPicture->Bitmap()->Canvas();
}

bool TImage::CanAutoSize(int& NewWidth, int& NewHeight)
{
    if (FPicture->Width() <= 0 || FPicture->Height() <= 0)
        return false;
    NewWidth = FPicture->Width();
    NewHeight = FPicture->Height();
    return true;
}

TRect TImage::DestRect() const
{
    int w = FPicture->Width(), h = FPicture->Height();
    const int cw = FWidth, ch = FHeight;
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional && w > 0 && h > 0) {
            const double xr = static_cast<double>(cw) / w, yr = static_cast<double>(ch) / h;
            const double r = std::min(xr, yr);
            w = static_cast<int>(w * r);
            h = static_cast<int>(h * r);
        } else {
            w = cw;
            h = ch;
        }
    }
    int x = 0, y = 0;
    if (FCenter) {
        x = (cw - w) / 2;
        y = (ch - h) / 2;
    }
    return TRect(x, y, x + w, y + h);
}

void TImage::Paint()
{
    TGraphic* g = FPicture->Graphic();
    if (!g || g->Empty())
        return;
    TGraphicControl::Canvas()->StretchDraw(DestRect(), g);
}
