#include "tools/panel-art/PanelArtPainter.h"

#include <algorithm>
#include <cmath>

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>

#include "tools/panel-art/PanelArtColours.h"
#include "tools/panel-art/PanelArtFonts.h"

namespace PanelArt {
namespace {

QColor ToColor(Rgb c)
{
    return QColor(static_cast<int>((c >> 16) & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>(c & 0xFF));
}

QColor Mix(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

// --- captions ---------------------------------------------------------------------------

struct CaptionSpec {
    QRectF Box;    // the caption is centred (or left aligned) in it
    QRectF Limit;  // the ink must not leave it
    int MaxPx;
    int MinPx;
    bool Centre;
    bool OnBottom = false;  // one line standing on the bottom of Box (room left for descenders)
};

// Where the product picture carries its name.
const QRectF ProductNamePlate(22, 22, 100, 14);

CaptionSpec SpecFor(const PanelArtEntry& e)
{
    const QRectF all(0, 0, e.Width, e.Height);
    const auto inset = [&](double dx, double dy) { return all.adjusted(dx, dy, -dx, -dy); };
    switch (e.Kind) {
    case ArtKind::KeyGlyph:
        return {inset(5, 3), inset(3, 2), 13, 8, true};
    case ArtKind::SoftKeyLabel:
    case ArtKind::SoftKeyChosen: {
        // One word reads larger; two lines share the height.
        const bool oneLine = e.Caption.find('\n') == std::string::npos;
        return {inset(4, 3), inset(2.5, 2.5), oneLine ? 12 : 11, 8, true};
    }
    case ArtKind::FieldValue:
        return {inset(4, 2), inset(1, 1), 13, 8, false};
    case ArtKind::UnitCell:
        // On a common baseline, so that pF and nF in one column are the same size.
        return {inset(2, 1), inset(1, 0.5), 12, 8, true, true};
    case ArtKind::ValueUnit:
        // The picture's top meets the capital top of the value beside it, so its text
        // stands on a baseline near the bottom, as the value's digits do.
        return {inset(3, 1), inset(1, 0.5), static_cast<int>(e.Height * 0.72), 8, false, true};
    case ArtKind::ParameterName:
        return {inset(2, 2), inset(1, 1), static_cast<int>(e.Height * 0.72), 8, true};
    case ArtKind::PanelLogo:
        return {QRectF(e.Height + 4, 2, e.Width - e.Height - 6, e.Height - 4), inset(1, 1), 17, 8, false};
    case ArtKind::AboutBanner:
        return {QRectF(76, 8, e.Width - 90, e.Height - 20), inset(1, 1), 30, 12, false};
    case ArtKind::ProductPicture:
        return {ProductNamePlate, ProductNamePlate.adjusted(-2, -2, 2, 2), 12, 8, false};
    case ArtKind::PowerCaption:
        return {inset(2, 2), inset(0.5, 0.5), 11, 8, true};
    case ArtKind::WarningSign:
        return {QRectF(e.Width / 2.0 - 5, e.Height * 0.36, 10, e.Height * 0.54),
                QRectF(e.Width / 2.0 - 6, e.Height * 0.25, 12, e.Height * 0.7), 15, 8, true};
    default:
        return {inset(2, 2), inset(1, 1), 12, 8, true};
    }
}

CaptionLayout Layout(const QStringList& lines, const CaptionSpec& spec)
{
    CaptionLayout best;
    best.Lines = lines;
    best.Limit = spec.Limit;
    for (int px = spec.MaxPx; px >= spec.MinPx; --px) {
        CaptionLayout l;
        l.Lines = lines;
        l.Limit = spec.Limit;
        l.Font = ArtFont(px);
        l.PixelSize = px;
        const QFontMetricsF fm(l.Font);
        // Lines are placed by their capital height, so that pictures of one family share
        // a baseline whatever letters they hold.
        const double cap = fm.capHeight();
        const double step = std::round(cap + px * 0.42);
        const double block = cap + step * (lines.size() - 1);
        double baseline = spec.OnBottom && lines.size() == 1
                              ? spec.Box.bottom() - std::ceil(fm.descent())
                              : std::round(spec.Box.top() + (spec.Box.height() - block) / 2 + cap);
        bool fits = true;
        for (const QString& line : lines) {
            const double advance = fm.horizontalAdvance(line);
            const double x = spec.Centre ? std::round(spec.Box.center().x() - advance / 2) : spec.Box.left();
            const QRectF ink = fm.tightBoundingRect(line).translated(x, baseline);
            if (advance > spec.Box.width() + 0.5 || !spec.Limit.contains(ink))
                fits = false;
            l.Origins.emplace_back(x, baseline);
            l.Ink = l.Ink.isNull() ? ink : l.Ink.united(ink);
            baseline += step;
        }
        l.Fits = fits;
        best = l;
        if (fits)
            break;
    }
    return best;
}

void DrawCaption(QPainter& p, const PanelArtEntry& e, const QColor& ink)
{
    const CaptionLayout l = LayoutCaption(e);
    p.setFont(l.Font);
    p.setPen(ink);
    for (qsizetype i = 0; i < l.Lines.size(); ++i)
        p.drawText(l.Origins[static_cast<std::size_t>(i)], l.Lines[i]);
}

// --- shapes -----------------------------------------------------------------------------

void FillAll(QImage& img, Rgb c)
{
    img.fill(ToColor(c));
}

void DrawKey(QPainter& p, const PanelArtEntry& e)
{
    const QColor face = ToColor(e.Face);
    const bool light = face.lightness() > 160;
    const QRectF r(0.5, 0.5, e.Width - 1, e.Height - 1);
    QLinearGradient g(0, 0, 0, e.Height);
    g.setColorAt(0, face.lighter(light ? 103 : 125));
    g.setColorAt(1, face.darker(light ? 112 : 118));
    QPainterPath path;
    path.addRoundedRect(r, 4, 4);
    p.setPen(QPen(Mix(face, Qt::black, light ? 0.55 : 0.6), 1));
    p.setBrush(g);
    p.drawPath(path);
    // A light edge along the top and a darker one at the bottom give the key its relief.
    p.setPen(QPen(QColor(255, 255, 255, light ? 230 : 80), 1));
    p.drawLine(QPointF(4, 1.5), QPointF(e.Width - 4, 1.5));
    p.setPen(QPen(QColor(0, 0, 0, light ? 45 : 70), 1));
    p.drawLine(QPointF(4, e.Height - 2.5), QPointF(e.Width - 4, e.Height - 2.5));
    if (e.Caption.empty()) {
        // The blank soft-key cap: a shallow dish in the middle.
        QLinearGradient dish(0, 5, 0, e.Height - 5);
        dish.setColorAt(0, face.darker(115));
        dish.setColorAt(1, face.lighter(112));
        p.setPen(Qt::NoPen);
        p.setBrush(dish);
        p.drawRoundedRect(QRectF(6, 5, e.Width - 12, e.Height - 10), 3, 3);
        return;
    }
    DrawCaption(p, e, ToColor(e.Ink));
}

void DrawPowerSymbol(QPainter& p, QPointF c, double radius, const QColor& ink, double width)
{
    p.setPen(QPen(ink, width, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QRectF arc(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius);
    p.drawArc(arc, 125 * 16, 290 * 16);
    p.drawLine(QPointF(c.x(), c.y() - radius - 1.5), QPointF(c.x(), c.y() - 1));
}

void DrawPowerKey(QPainter& p, const PanelArtEntry& e)
{
    const QPointF c(e.Width / 2.0, e.Height / 2.0);
    const double r = std::min(e.Width, e.Height) / 2.0 - 1;
    const QColor face = ToColor(e.Face);
    const QColor lamp = ToColor(e.Ink);

    QLinearGradient bezel(0, 0, 0, e.Height);
    bezel.setColorAt(0, QColor(164, 168, 176));
    bezel.setColorAt(1, QColor(92, 96, 104));
    p.setPen(QPen(QColor(70, 72, 78), 1));
    p.setBrush(bezel);
    p.drawEllipse(c, r, r);

    // The lamp ring: lit green while remote operation is on.
    p.setPen(QPen(lamp, 2.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r - 3.5, r - 3.5);

    QRadialGradient dome(c.x() - r * 0.3, c.y() - r * 0.35, r);
    dome.setColorAt(0, face.lighter(150));
    dome.setColorAt(1, face.darker(125));
    p.setPen(QPen(face.darker(160), 1));
    p.setBrush(dome);
    p.drawEllipse(c, r - 6, r - 6);

    DrawPowerSymbol(p, c + QPointF(0, 1), r * 0.36, lamp, 2.6);
}

void DrawSoftKeyLabel(QPainter& p, const PanelArtEntry& e)
{
    if (e.Kind == ArtKind::SoftKeyChosen) {
        p.setPen(Qt::NoPen);
        p.setBrush(ToColor(e.Face));
        p.drawRoundedRect(QRectF(1, 1, e.Width - 2, e.Height - 2), 3, 3);
    } else {
        p.setPen(QPen(ToColor(e.Face), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(1.5, 1.5, e.Width - 3, e.Height - 3), 3, 3);
    }
    DrawCaption(p, e, ToColor(e.Ink));
}

// Our maker's mark: a disc crossed by one period of a sine wave.
void DrawMark(QPainter& p, const QRectF& r, const QColor& disc, const QColor& wave)
{
    p.setPen(Qt::NoPen);
    p.setBrush(disc);
    p.drawEllipse(r);
    QPainterPath path;
    const double left = r.left() + r.width() * 0.16;
    const double right = r.right() - r.width() * 0.16;
    const double amp = r.height() * 0.2;
    for (int i = 0; i <= 48; ++i) {
        const double t = i / 48.0;
        const QPointF pt(left + (right - left) * t, r.center().y() - amp * std::sin(t * 2 * M_PI));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    p.setPen(QPen(wave, std::max(1.5, r.width() * 0.09), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
}

void DrawPanelLogo(QPainter& p, const PanelArtEntry& e)
{
    const double d = e.Height - 4;
    DrawMark(p, QRectF(2, 2, d, d), ToColor(e.Face), Qt::white);
    DrawCaption(p, e, ToColor(e.Ink));
}

void DrawAboutBanner(QPainter& p, const PanelArtEntry& e)
{
    QLinearGradient g(0, 0, e.Width, 0);
    g.setColorAt(0, ToColor(e.Paper));
    g.setColorAt(1, QColor(8, 18, 60));
    p.fillRect(QRectF(0, 0, e.Width, e.Height), g);
    p.fillRect(QRectF(0, e.Height - 3, e.Width, 3), ToColor(e.Face));
    DrawMark(p, QRectF(16, 8, 44, 44), Qt::white, ToColor(e.Paper));
    DrawCaption(p, e, ToColor(e.Ink));
}

void DrawTerminalSocket(QPainter& p, QPointF c, double r, const QColor& metal)
{
    QRadialGradient g(c.x() - r * 0.4, c.y() - r * 0.4, r * 1.6);
    g.setColorAt(0, metal.lighter(130));
    g.setColorAt(1, metal.darker(150));
    p.setPen(QPen(metal.darker(220), 1));
    p.setBrush(g);
    p.drawEllipse(c, r, r);
    // Bayonet studs on either side.
    p.setBrush(metal.darker(130));
    p.drawRect(QRectF(c.x() - r - 1.5, c.y() - 1.5, 3, 3));
    p.drawRect(QRectF(c.x() + r - 1.5, c.y() - 1.5, 3, 3));
    p.setBrush(metal.darker(200));
    p.drawEllipse(c, r * 0.62, r * 0.62);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(236, 234, 226));
    p.drawEllipse(c, r * 0.42, r * 0.42);
    p.setBrush(QColor(196, 160, 72));
    p.drawEllipse(c, r * 0.16, r * 0.16);
}

void DrawTerminal(QPainter& p, const PanelArtEntry& e)
{
    DrawTerminalSocket(p, QPointF(e.Width / 2.0, e.Height / 2.0), std::min(e.Width, e.Height) / 2.0 - 4,
                       ToColor(e.Face));
}

void DrawWarning(QPainter& p, const PanelArtEntry& e)
{
    QPolygonF tri;
    tri << QPointF(e.Width / 2.0, 1.5) << QPointF(e.Width - 1.5, e.Height - 1.5) << QPointF(1.5, e.Height - 1.5);
    p.setPen(QPen(ToColor(e.Ink), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(ToColor(e.Face));
    p.drawPolygon(tri);
    DrawCaption(p, e, ToColor(e.Ink));
}

void DrawUsb(QPainter& p, const PanelArtEntry& e)
{
    const QColor ink = ToColor(e.Ink);
    const double y = e.Height / 2.0;
    p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(7, y), QPointF(e.Width - 8, y));
    QPainterPath up;
    up.moveTo(14, y);
    up.lineTo(19, y - 5.5);
    up.lineTo(24, y - 5.5);
    p.drawPath(up);
    QPainterPath down;
    down.moveTo(17, y);
    down.lineTo(22, y + 5.5);
    down.lineTo(27, y + 5.5);
    p.drawPath(down);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawEllipse(QPointF(6, y), 3, 3);
    p.drawEllipse(QPointF(25.5, y - 5.5), 2, 2);
    p.drawRect(QRectF(26.5, y + 3.5, 4, 4));
    QPolygonF arrow;
    arrow << QPointF(e.Width - 3, y) << QPointF(e.Width - 9, y - 3.5) << QPointF(e.Width - 9, y + 3.5);
    p.drawPolygon(arrow);
}

void DrawRemote(QPainter& p, const PanelArtEntry& e)
{
    const QColor ink = ToColor(e.Ink);
    // A screen on its stand...
    p.setPen(QPen(ink, 1.4));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(2.5, 2.5, 17, 11), 1.5, 1.5);
    p.drawLine(QPointF(11, 13.5), QPointF(11, 16));
    p.drawLine(QPointF(6.5, 17), QPointF(15.5, 17));
    // ... locked by a padlock.
    p.drawArc(QRectF(22.5, 4, 6, 7), 0, 180 * 16);
    p.drawLine(QPointF(22.5, 7.5), QPointF(22.5, 9.5));
    p.drawLine(QPointF(28.5, 7.5), QPointF(28.5, 9.5));
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    p.drawRoundedRect(QRectF(21, 9.5, 9, 7.5), 1, 1);
    p.setBrush(Qt::black);
    p.drawRect(QRectF(25, 11.5, 1, 3));
}

void DrawProduct(QPainter& p, const PanelArtEntry& e)
{
    const QColor body = ToColor(e.Face);
    // Shadow on the bench.
    QRadialGradient shadow(110, 132, 100);
    shadow.setColorAt(0, QColor(0, 0, 0, 70));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(QPointF(110, 132), 104, 10);
    // Feet and case.
    p.setBrush(QColor(50, 52, 58));
    p.drawRoundedRect(QRectF(22, 120, 18, 8), 2, 2);
    p.drawRoundedRect(QRectF(180, 120, 18, 8), 2, 2);
    QLinearGradient g(0, 16, 0, 124);
    g.setColorAt(0, body.lighter(108));
    g.setColorAt(1, body.darker(112));
    p.setPen(QPen(body.darker(170), 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(12.5, 16.5, 195, 106), 6, 6);
    p.setPen(QPen(body.darker(125), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(16.5, 20.5, 187, 98), 4, 4);

    // The display: black, with a reading in lime and a row of soft-key labels.
    p.setPen(QPen(QColor(40, 42, 48), 2));
    p.setBrush(Qt::black);
    p.drawRect(QRectF(23, 38, 90, 52));
    p.setFont(ArtFont(9));
    p.setPen(ToColor(Lime));
    p.drawText(QPointF(27, 50), QStringLiteral("Cs"));
    p.drawText(QPointF(27, 63), QStringLiteral("D"));
    p.setFont(ArtFont(10));
    p.drawText(QPointF(44, 51), QStringLiteral("10.0021 nF"));
    p.drawText(QPointF(44, 64), QStringLiteral("0.00125"));
    p.setPen(QPen(ToColor(Lime), 1));
    for (int i = 0; i < 5; ++i)
        p.drawRect(QRectF(27.5 + i * 17, 76.5, 14, 9));
    // Soft keys under the display.
    p.setPen(QPen(QColor(60, 64, 72), 1));
    p.setBrush(QColor(110, 116, 128));
    for (int i = 0; i < 5; ++i)
        p.drawRoundedRect(QRectF(26.5 + i * 17, 94.5, 15, 6), 1.5, 1.5);
    // Keypad.
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) {
            p.setBrush(col == 3 ? QColor(74, 80, 90) : QColor(244, 244, 242));
            p.drawRoundedRect(QRectF(124.5 + col * 18, 40.5 + row * 12, 14, 8), 1.5, 1.5);
        }
    // Terminals and the power key.
    for (int i = 0; i < 4; ++i)
        DrawTerminalSocket(p, QPointF(32 + i * 22, 110), 6, QColor(184, 188, 196));
    p.setPen(QPen(QColor(60, 64, 72), 1));
    p.setBrush(QColor(74, 80, 90));
    p.drawEllipse(QPointF(190, 106), 7, 7);
    DrawPowerSymbol(p, QPointF(190, 106.5), 3.2, ToColor(PowerGreen), 1.4);
    DrawCaption(p, e, ToColor(Navy));
}

}  // namespace

CaptionLayout LayoutCaption(const PanelArtEntry& entry)
{
    if (entry.Caption.empty()) {
        CaptionLayout none;
        none.Limit = QRectF(0, 0, entry.Width, entry.Height);
        return none;
    }
    return Layout(QString::fromUtf8(entry.Caption.c_str()).split(QLatin1Char('\n')), SpecFor(entry));
}

QImage PaintPanelArt(const PanelArtEntry& e)
{
    QImage img(e.Width, e.Height, QImage::Format_RGB32);
    FillAll(img, e.Paper);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    switch (e.Kind) {
    case ArtKind::KeyGlyph:
        DrawKey(p, e);
        break;
    case ArtKind::PowerGlyph:
        DrawPowerKey(p, e);
        break;
    case ArtKind::SoftKeyLabel:
    case ArtKind::SoftKeyChosen:
        DrawSoftKeyLabel(p, e);
        break;
    case ArtKind::FieldValue:
    case ArtKind::UnitCell:
    case ArtKind::ValueUnit:
    case ArtKind::ParameterName:
    case ArtKind::PowerCaption:
        DrawCaption(p, e, ToColor(e.Ink));
        break;
    case ArtKind::PanelLogo:
        DrawPanelLogo(p, e);
        break;
    case ArtKind::AboutBanner:
        DrawAboutBanner(p, e);
        break;
    case ArtKind::ProductPicture:
        DrawProduct(p, e);
        break;
    case ArtKind::Terminal:
        DrawTerminal(p, e);
        break;
    case ArtKind::WarningSign:
        DrawWarning(p, e);
        break;
    case ArtKind::UsbSign:
        DrawUsb(p, e);
        break;
    case ArtKind::RemoteSign:
        DrawRemote(p, e);
        break;
    }
    p.end();
    return img;
}

}  // namespace PanelArt
