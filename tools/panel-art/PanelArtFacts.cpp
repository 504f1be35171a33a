#include "tools/panel-art/PanelArtFacts.h"

#include <QFontMetrics>
#include <QImage>
#include <QString>

#include "tools/panel-art/BmpFile.h"
#include "tools/panel-art/PanelArtPainter.h"

namespace PanelArt {
namespace {

ArtRect ToArtRect(const QRectF& r)
{
    return ArtRect{r.left(), r.top(), r.width(), r.height()};
}

}  // namespace

std::vector<std::uint8_t> DrawPanelArtFile(const PanelArtEntry& entry)
{
    return EncodeBmp24(PaintPanelArt(entry));
}

CaptionFacts DescribeCaption(const PanelArtEntry& entry)
{
    const CaptionLayout l = LayoutCaption(entry);
    CaptionFacts facts;
    facts.Fits = l.Fits;
    facts.PixelSize = l.PixelSize;
    facts.Limit = ToArtRect(l.Limit);
    facts.Ink = ToArtRect(l.Ink);
    const QFontMetrics fm(l.Font);
    for (const QString& line : l.Lines)
        for (const char32_t c : line.toUcs4()) {
            ++facts.CharactersLookedUp;
            if (!fm.inFontUcs4(c))
                facts.MissingGlyphs.push_back(c);
        }
    return facts;
}

ImageSize ReadPngSize(const std::string& path)
{
    const QImage image(QString::fromStdString(path), "PNG");
    if (image.isNull())
        return ImageSize{};
    return ImageSize{image.width(), image.height()};
}

}  // namespace PanelArt
