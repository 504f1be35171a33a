#include "platform/forms/ControlStyle_p.h"

#include <QImage>
#include <QPainter>
#include <QPaintDevice>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <map>
#include <tuple>

namespace zvforms {
namespace {

class TControlStyle : public QProxyStyle {
public:
    explicit TControlStyle(QStyle* Base) : QProxyStyle(Base) {}

    void drawPrimitive(PrimitiveElement pe, const QStyleOption* opt, QPainter* p, const QWidget* w) const override
    {
        const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(opt);
        if (pe != PE_FrameLineEdit || !frame || !p->device() || opt->rect.isEmpty())
            return QProxyStyle::drawPrimitive(pe, opt, p, w);
        const qreal ratio = p->device()->devicePixelRatio();
        const Key key{opt->rect.width(), opt->rect.height(), static_cast<int>(opt->state), frame->lineWidth,
                      frame->midLineWidth, static_cast<int>(frame->features), frame->frameShape,
                      opt->palette.cacheKey(), ratio, opt->direction};
        auto it = FFrames.find(key);
        if (it == FFrames.end()) {
            // Pictures of palettes long replaced are of no use: the cache starts again.
            if (FFrames.size() >= 64)
                FFrames.clear();
            QImage picture((opt->rect.size() * ratio), QImage::Format_ARGB32_Premultiplied);
            picture.setDevicePixelRatio(ratio);
            picture.fill(Qt::transparent);
            QStyleOptionFrame at(*frame);
            at.rect.moveTo(0, 0);
            {
                QPainter pp(&picture);
                QProxyStyle::drawPrimitive(pe, &at, &pp, w);
            }
            it = FFrames.emplace(key, std::move(picture)).first;
        }
        p->drawImage(opt->rect.topLeft(), it->second);
    }

private:
    using Key = std::tuple<int, int, int, int, int, int, int, qint64, qreal, int>;
    mutable std::map<Key, QImage> FFrames;
};

} // namespace

QStyle* NewControlStyle()
{
    QStyle* base = QStyleFactory::create("Windows");
    return base ? new TControlStyle(base) : nullptr;
}

} // namespace zvforms
