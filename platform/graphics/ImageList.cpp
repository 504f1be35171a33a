#include "platform/graphics/ImageList.h"

#include "platform/graphics/CanvasImpl_p.h"

using namespace zvqt;

struct TImageList::Entry {
    QImage image; // ARGB32: see-through pixels have alpha 0
};

TImageList::TImageList(TComponent* AOwner) : TComponent(AOwner) {}
TImageList::~TImageList() = default;

void TImageList::SetWidth(int v)
{
    if (v == FWidth || v <= 0)
        return;
    FWidth = v;
    Clear();
}

void TImageList::SetHeight(int v)
{
    if (v == FHeight || v <= 0)
        return;
    FHeight = v;
    Clear();
}

void TImageList::CheckIndex(int Index) const
{
    if (Index < 0 || Index >= Count())
        throw EInvalidOperation("Invalid image list index");
}

int TImageList::Add(TBitmap* Image, TBitmap* Mask)
{
    if (!Image || Image->Empty())
        return -1;
    QImage a = BitmapImage(Image).convertToFormat(QImage::Format_ARGB32);
    if (Mask && !Mask->Empty()) {
        const QImage& m = BitmapImage(Mask);
        for (int y = 0; y < a.height() && y < m.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(a.scanLine(y));
            for (int x = 0; x < a.width() && x < m.width(); ++x)
                if ((m.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF)
                    line[x] = 0;
        }
    }
    const int first = Count();
    const int n = std::max(1, a.width() / FWidth);
    for (int i = 0; i < n; ++i) {
        auto e = std::make_unique<Entry>();
        e->image = QImage(FWidth, FHeight, QImage::Format_ARGB32);
        e->image.fill(0);
        QPainter p(&e->image);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(0, 0, a, i * FWidth, 0, FWidth, FHeight);
        p.end();
        FImages.push_back(std::move(e));
    }
    FireEvent(OnChange, this);
    return first;
}

int TImageList::AddMasked(TBitmap* Image, TColor MaskColor)
{
    if (!Image || Image->Empty())
        return -1;
    TBitmap mask;
    mask.Assign(Image);
    mask.Mask(MaskColor == clDefault ? Image->TransparentColor() : MaskColor);
    return Add(Image, &mask);
}

void TImageList::Delete(int Index)
{
    CheckIndex(Index);
    FImages.erase(FImages.begin() + Index);
    FireEvent(OnChange, this);
}

void TImageList::Clear()
{
    if (FImages.empty())
        return;
    FImages.clear();
    FireEvent(OnChange, this);
}

void TImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled)
{
    if (!Canvas || Index < 0 || Index >= Count())
        return;
    QImage img = FImages[static_cast<size_t>(Index)]->image;
    if (!Enabled) {
        // Disabled: the shape in the shadow colour.
        const QRgb shadow = ToQRgb(clBtnShadow);
        for (int y = 0; y < img.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < img.width(); ++x)
                if (qAlpha(line[x]) != 0)
                    line[x] = shadow;
        }
    }
    zvqt::ImplOf(Canvas)->DrawImage(QRect(X, Y, FWidth, FHeight), img);
}

void TImageList::GetBitmap(int Index, TBitmap* Image)
{
    CheckIndex(Index);
    if (!Image)
        return;
    Image->SetSize(FWidth, FHeight);
    QImage& dst = BitmapImage(Image);
    dst.fill(Qt::white);
    QPainter p(&dst);
    p.drawImage(0, 0, FImages[static_cast<size_t>(Index)]->image);
    p.end();
    Image->Changed();
}
