#include "platform/graphics/ImageFile.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

#include "platform/core/Exceptions.h"
#include "platform/core/StringUtils.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/CanvasImpl_p.h"
#include "platform/graphics/Icon.h"

using namespace zvqt;

struct TImageFile::Impl {
    QImage image; // ARGB32 premultiplied
};

namespace {

QByteArray Bytes(const std::vector<Byte>& Data)
{
    return QByteArray(reinterpret_cast<const char*>(Data.data()), static_cast<qsizetype>(Data.size()));
}

} // namespace

TImageFile::TImageFile() : FImpl(std::make_unique<Impl>()) {}
TImageFile::~TImageFile() = default;

bool TImageFile::Empty() const { return FImpl->image.isNull(); }
int TImageFile::Width() const { return FImpl->image.isNull() ? 0 : FImpl->image.width(); }
int TImageFile::Height() const { return FImpl->image.isNull() ? 0 : FImpl->image.height(); }

void TImageFile::Assign(TPersistent* Source)
{
    if (Source == this)
        return;
    if (!Source)
        FImpl->image = QImage();
    else if (auto* i = dynamic_cast<TImageFile*>(Source))
        FImpl->image = i->FImpl->image;
    else if (auto* b = dynamic_cast<TBitmap*>(Source))
        FImpl->image = BitmapImage(b).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    else if (auto* c = dynamic_cast<TIcon*>(Source))
        FImpl->image = IconImage(c);
    else {
        TGraphic::Assign(Source);
        return;
    }
    Changed();
}

void TImageFile::LoadFromData(const std::vector<Byte>& Data)
{
    QByteArray bytes = Bytes(Data);
    QBuffer buf(&bytes);
    buf.open(QIODevice::ReadOnly);
    QImageReader reader(&buf);
    QImage img = reader.read();
    if (img.isNull())
        throw EInvalidGraphic("Could not load image. Invalid format");
    FImpl->image = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Changed();
}

std::vector<Byte> TImageFile::SaveToData() const
{
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    if (FImpl->image.isNull() || !FImpl->image.save(&buf, "PNG"))
        throw EInvalidGraphicOperation("Cannot save an empty picture");
    return std::vector<Byte>(bytes.begin(), bytes.end());
}

void TImageFile::DrawOn(TCanvas* ACanvas, const TRect& R)
{
    if (Empty() || !ACanvas)
        return;
    ImplOf(ACanvas)->DrawImage(ToQRect(R), FImpl->image);
}

void TImageFile::ToBitmap(TBitmap* Bitmap) const
{
    if (!Bitmap)
        return;
    Bitmap->SetSize(Width(), Height());
    if (Empty())
        return;
    QImage& dst = BitmapImage(Bitmap);
    dst.fill(Qt::white);
    QPainter p(&dst);
    p.drawImage(0, 0, FImpl->image);
    p.end();
    Bitmap->Changed();
}

AnsiString ImageFormatOf(const std::vector<Byte>& Data)
{
    QByteArray bytes = Bytes(Data);
    QBuffer buf(&bytes);
    buf.open(QIODevice::ReadOnly);
    const QByteArray f = QImageReader::imageFormat(&buf).toLower();
    for (const char* known : {"png", "gif", "jpeg", "bmp", "ico"})
        if (f == known)
            return known;
    if (f == "jpg")
        return "jpeg";
    return {};
}

std::vector<Byte> EncodeBitmap(const TBitmap* Bitmap, const AnsiString& Format)
{
    const AnsiString f = UpperCase(Format);
    if (!Bitmap || (f != "BMP" && f != "PNG" && f != "JPG" && f != "JPEG" && f != "ICO"))
        throw EInvalidGraphic("Cannot write pictures of format " + Format);
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    QImageWriter writer(&buf, QByteArray(f == "JPG" ? "JPEG" : f.c_str()));
    if (f == "JPG" || f == "JPEG")
        writer.setQuality(100);
    if (!writer.write(BitmapImage(Bitmap)))
        throw EInvalidGraphic("Cannot write the picture as " + Format);
    return std::vector<Byte>(bytes.begin(), bytes.end());
}
