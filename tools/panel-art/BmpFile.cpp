#include "tools/panel-art/BmpFile.h"

#include <fstream>

#include <QImage>

#include "platform/core/Exceptions.h"

namespace PanelArt {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v)
{
    out[at] = static_cast<std::uint8_t>(v & 0xFF);
    out[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
}

void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v)
{
    Put16(out, at, v & 0xFFFF);
    Put16(out, at + 2, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp24(const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const std::uint32_t w = static_cast<std::uint32_t>(rgb.width());
    const std::uint32_t h = static_cast<std::uint32_t>(rgb.height());
    const std::uint32_t stride = (w * 3 + 3) & ~3u;
    const std::uint32_t headerSize = 14 + 40;
    const std::uint32_t dataSize = stride * h;

    std::vector<std::uint8_t> out(headerSize + dataSize, 0);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, headerSize + dataSize);
    Put32(out, 10, headerSize);
    Put32(out, 14, 40);        // BITMAPINFOHEADER
    Put32(out, 18, w);
    Put32(out, 22, h);         // positive: rows bottom-up
    Put16(out, 26, 1);         // planes
    Put16(out, 28, 24);        // bits per pixel
    Put32(out, 30, 0);         // BI_RGB
    Put32(out, 34, dataSize);
    Put32(out, 38, 3780);      // 96 dots per inch
    Put32(out, 42, 3780);

    for (std::uint32_t y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(static_cast<int>(h - 1 - y)));
        std::uint8_t* row = out.data() + headerSize + y * stride;
        for (std::uint32_t x = 0; x < w; ++x) {
            row[x * 3] = static_cast<std::uint8_t>(qBlue(line[x]));
            row[x * 3 + 1] = static_cast<std::uint8_t>(qGreen(line[x]));
            row[x * 3 + 2] = static_cast<std::uint8_t>(qRed(line[x]));
        }
    }
    return out;
}

void WriteBmp24(const QImage& image, const std::string& path)
{
    const std::vector<std::uint8_t> bytes = EncodeBmp24(image);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file)
        throw EFCreateError("Cannot create file " + path);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file)
        throw EFCreateError("Cannot write file " + path);
}

}  // namespace PanelArt
