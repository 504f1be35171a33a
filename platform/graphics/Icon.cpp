#include "platform/graphics/Icon.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>

#include "platform/core/Exceptions.h"
#include "platform/graphics/CanvasImpl_p.h"

using namespace zvqt;

struct TIcon::Impl {
    QImage image; // ARGB32 premultiplied
};

namespace zvqt {
const QImage& IconImage(const TIcon* i) { return zvqt::ImplOf(i)->image; }
} // namespace zvqt

TIcon::TIcon() : FImpl(std::make_unique<Impl>()) { SetTransparent(true); }
TIcon::~TIcon() = default;

bool TIcon::Empty() const { return FImpl->image.isNull(); }
int TIcon::Width() const { return FImpl->image.isNull() ? 0 : FImpl->image.width(); }
int TIcon::Height() const { return FImpl->image.isNull() ? 0 : FImpl->image.height(); }

void TIcon::SetWidth(int) { throw EInvalidGraphicOperation("Cannot change the size of an icon"); }
void TIcon::SetHeight(int) { throw EInvalidGraphicOperation("Cannot change the size of an icon"); }

void TIcon::Assign(TPersistent* Source)
{
    if (Source == this)
        return;
    if (!Source) {
        FImpl->image = QImage();
        Changed();
        return;
    }
    if (auto* i = dynamic_cast<TIcon*>(Source)) {
        FImpl->image = i->FImpl->image;
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

void TIcon::LoadFromData(const std::vector<Byte>& Data)
{
    QByteArray bytes(reinterpret_cast<const char*>(Data.data()), static_cast<qsizetype>(Data.size()));
    QBuffer buf(&bytes);
    buf.open(QIODevice::ReadOnly);
    QImageReader reader(&buf, "ICO");
    QImage img = reader.read();
    if (img.isNull())
        throw EInvalidGraphic("Icon image is not valid");
    FImpl->image = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Changed();
}

std::vector<Byte> TIcon::SaveToData() const
{
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    QImageWriter writer(&buf, "ICO");
    if (FImpl->image.isNull() || !writer.write(FImpl->image))
        throw EInvalidGraphicOperation("Cannot save an empty icon");
    return std::vector<Byte>(bytes.begin(), bytes.end());
}

void TIcon::DrawOn(TCanvas* ACanvas, const TRect& R)
{
    if (Empty() || !ACanvas)
        return;
    zvqt::ImplOf(ACanvas)->DrawImage(ToQRect(R), FImpl->image);
}
