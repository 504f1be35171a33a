#include "platform/graphics/PngData.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>

#include "platform/core/Exceptions.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Icon.h"

namespace {

QImage ReadImage(const std::vector<Byte>& Data, const char* Format)
{
    QByteArray bytes(reinterpret_cast<const char*>(Data.data()), static_cast<qsizetype>(Data.size()));
    QBuffer buf(&bytes);
    buf.open(QIODevice::ReadOnly);
    QImageReader reader(&buf, Format);
    return reader.read();
}

std::vector<Byte> WriteImage(const QImage& Image, const char* Format)
{
    QByteArray bytes;
    QBuffer buf(&bytes);
    buf.open(QIODevice::WriteOnly);
    QImageWriter writer(&buf, Format);
    if (!writer.write(Image))
        return {};
    return std::vector<Byte>(bytes.begin(), bytes.end());
}

} // namespace

std::vector<Byte> GraphicToPng(const TGraphic* G)
{
    if (!G || G->Empty())
        return {};
    const char* format = dynamic_cast<const TIcon*>(G) ? "ICO" : "BMP";
    return WriteImage(ReadImage(G->SaveToData(), format), "PNG");
}

void PngToGraphic(const std::vector<Byte>& Data, TGraphic* G)
{
    const QImage img = ReadImage(Data, "PNG");
    if (img.isNull())
        throw EInvalidGraphic("PNG image is not valid");
    if (auto* icon = dynamic_cast<TIcon*>(G))
        icon->LoadFromData(WriteImage(img.convertToFormat(QImage::Format_ARGB32), "ICO"));
    else
        G->LoadFromData(WriteImage(img.convertToFormat(QImage::Format_RGB32), "BMP"));
}
