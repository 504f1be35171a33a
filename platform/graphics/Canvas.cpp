#include "platform/graphics/Canvas.h"

#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <deque>
#include <unordered_map>

#include "platform/graphics/CanvasImpl_p.h"
#include "platform/graphics/Graphic.h"

using namespace zvqt;

// ---------------------------------------------------------------- Impl

namespace {
// One painter per image at a time: canvases sharing an image (a control painting on
// its parent's surface) hand the image over by ending the other's painter.
std::unordered_map<const QImage*, TCanvas::Impl*>& ActivePainters()
{
    static std::unordered_map<const QImage*, TCanvas::Impl*> m;
    return m;
}
} // namespace

QPainter* TCanvas::Impl::P()
{
    if (external) {
        if (!external->isActive())
            return nullptr;
        if (!externalApplied) {
            external->save();
            if (clip)
                external->setClipRegion(*clip);
            external->translate(origin);
            external->scale(scale, scale);
            externalApplied = true;
        }
        return external;
    }
    if (!image || image->isNull())
        return nullptr;
    if (!painter) {
        auto& active = ActivePainters();
        auto it = active.find(image);
        if (it != active.end() && it->second != this)
            it->second->End();
        active[image] = this;
        painter = std::make_unique<QPainter>(image);
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setRenderHint(QPainter::TextAntialiasing, !mono);
        if (clip)
            painter->setClipRegion(*clip);
        painter->translate(origin);
        painter->scale(scale, scale);
    }
    return painter.get();
}

void TCanvas::Impl::End()
{
    if (external) {
        if (externalApplied && external->isActive())
            external->restore();
        externalApplied = false;
        return;
    }
    if (painter) {
        painter->end();
        painter.reset();
        auto& active = ActivePainters();
        auto it = active.find(image);
        if (it != active.end() && it->second == this)
            active.erase(it);
    }
}

void TCanvas::Impl::Reset()
{
    End();
    unitsPerInch = 0;
    scale = 1.0;
    origin = QPoint(0, 0);
    clip.reset();
    saved.clear();
}

const QFont& TCanvas::Impl::Font()
{
    if (!fontValid) {
        qfont = ToQFont(*owner->FFont);
        if (mono)
            qfont.setStyleStrategy(QFont::NoAntialias);
        fontValid = true;
    }
    return qfont;
}

QRegion TCanvas::Impl::DeviceClip() const
{
    QRegion whole(image ? image->rect() : external ? QRect(QPoint(0, 0), externalSize) : QRect());
    return clip ? whole.intersected(*clip) : whole;
}

int TCanvas::Impl::DevicePixelsPerInch() const { return external ? externalDpi : ScreenPixelsPerInch; }

QRect TCanvas::Impl::ToDevice(const QRect& logical) const
{
    if (scale == 1.0)
        return logical.translated(origin);
    const QRectF r(logical.left() * scale, logical.top() * scale, logical.width() * scale, logical.height() * scale);
    return r.toAlignedRect().translated(origin);
}

QRect TCanvas::Impl::ToLogical(const QRect& device) const
{
    const QRect d = device.translated(-origin);
    if (scale == 1.0)
        return d;
    const QRectF r(d.left() / scale, d.top() / scale, d.width() / scale, d.height() / scale);
    return r.toAlignedRect();
}

QColor TCanvas::Impl::Col(TColor c) const
{
    QColor q = ToQColor(c);
    if (mono) {
        const int lum = (q.red() * 30 + q.green() * 59 + q.blue() * 11) / 100;
        q = lum >= 128 ? QColor(255, 255, 255) : QColor(0, 0, 0);
    }
    return q;
}

QPen TCanvas::Impl::MakePen() const
{
    const TPen* p = owner->FPen.get();
    if (p->Style() == psClear)
        return QPen(Qt::NoPen);
    QPen pen(Col(p->Color()));
    pen.setWidth(std::max(1, p->Width()));
    pen.setCosmetic(p->Width() <= 1);
    switch (p->Style()) {
    case psDash: pen.setStyle(Qt::DashLine); break;
    case psDot: pen.setStyle(Qt::DotLine); break;
    case psDashDot: pen.setStyle(Qt::DashDotLine); break;
    case psDashDotDot: pen.setStyle(Qt::DashDotDotLine); break;
    default: pen.setStyle(Qt::SolidLine); break;
    }
    pen.setCapStyle(p->Width() <= 1 ? Qt::FlatCap : Qt::RoundCap);
    pen.setJoinStyle(p->Width() <= 1 ? Qt::MiterJoin : Qt::RoundJoin);
    if (p->Mode() == pmBlack)
        pen.setColor(Qt::black);
    else if (p->Mode() == pmWhite)
        pen.setColor(Qt::white);
    return pen;
}

QBrush TCanvas::Impl::MakeBrush() const
{
    const TBrush* b = owner->FBrush.get();
    if (b->Bitmap() && !b->Bitmap()->Empty())
        return QBrush(BitmapImage(b->Bitmap()));
    const QColor c = Col(b->Color());
    switch (b->Style()) {
    case bsClear: return QBrush(Qt::NoBrush);
    case bsHorizontal: return QBrush(c, Qt::HorPattern);
    case bsVertical: return QBrush(c, Qt::VerPattern);
    case bsFDiagonal: return QBrush(c, Qt::BDiagPattern);
    case bsBDiagonal: return QBrush(c, Qt::FDiagPattern);
    case bsCross: return QBrush(c, Qt::CrossPattern);
    case bsDiagCross: return QBrush(c, Qt::DiagCrossPattern);
    default: return QBrush(c);
    }
}

bool TCanvas::Impl::ApplyPenMode(QPainter* p) const
{
    QPainter::CompositionMode m = QPainter::CompositionMode_SourceOver;
    switch (owner->FPen->Mode()) {
    case pmNop: return false;
    case pmNot: m = QPainter::RasterOp_NotDestination; break;
    case pmNotCopy: m = QPainter::RasterOp_NotSource; break;
    case pmMergePenNot: m = QPainter::RasterOp_SourceOrNotDestination; break;
    case pmMaskPenNot: m = QPainter::RasterOp_SourceAndNotDestination; break;
    case pmMergeNotPen: m = QPainter::RasterOp_NotSourceOrDestination; break;
    case pmMaskNotPen: m = QPainter::RasterOp_NotSourceAndDestination; break;
    case pmMerge: m = QPainter::RasterOp_SourceOrDestination; break;
    case pmNotMerge: m = QPainter::RasterOp_NotSourceAndNotDestination; break;
    case pmMask: m = QPainter::RasterOp_SourceAndDestination; break;
    case pmNotMask: m = QPainter::RasterOp_NotSourceOrNotDestination; break;
    case pmXor: m = QPainter::RasterOp_SourceXorDestination; break;
    case pmNotXor: m = QPainter::RasterOp_NotSourceXorDestination; break;
    default: break;
    }
    p->setCompositionMode(m);
    return true;
}

namespace {

inline QRgb Rop(TCopyMode mode, QRgb s, QRgb d)
{
    const quint32 S = s & 0xFFFFFF, D = d & 0xFFFFFF;
    quint32 r;
    switch (mode) {
    case cmSrcAnd: r = S & D; break;
    case cmSrcInvert: r = S ^ D; break;
    case cmSrcPaint: r = S | D; break;
    case cmSrcErase: r = S & ~D; break;
    case cmNotSrcCopy: r = ~S; break;
    case cmNotSrcErase: r = ~(S | D); break;
    case cmMergePaint: r = ~S | D; break;
    case cmDstInvert: r = ~D; break;
    case cmBlackness: r = 0; break;
    case cmWhiteness: r = 0xFFFFFF; break;
    default: r = S; break;
    }
    return 0xFF000000u | (r & 0xFFFFFF);
}

} // namespace

void TCanvas::Impl::Blit(const QImage& srcIn, const QRect& dest, TCopyMode mode, TColor srcBk)
{
    if (!Raster()) {
        // A vector surface has no pixels to combine with: the picture is copied.
        if (QPainter* p = P())
            p->drawImage(ToLogical(dest), srcIn);
        return;
    }
    End();
    QImage src = srcIn.format() == QImage::Format_RGB32 ? srcIn : srcIn.convertToFormat(QImage::Format_RGB32);
    if (mono) {
        // Colour to monochrome: the source background colour becomes white, the rest black.
        const QRgb bk = ToQRgb(srcBk) & 0xFFFFFF;
        for (int y = 0; y < src.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(src.scanLine(y));
            for (int x = 0; x < src.width(); ++x)
                line[x] = (line[x] & 0xFFFFFF) == bk ? 0xFFFFFFFFu : 0xFF000000u;
        }
    }
    const QRegion region = DeviceClip().intersected(dest);
    for (const QRect& r : region) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            auto* d = reinterpret_cast<QRgb*>(image->scanLine(y));
            const auto* s = reinterpret_cast<const QRgb*>(src.constScanLine(y - dest.top()));
            for (int x = r.left(); x <= r.right(); ++x)
                d[x] = Rop(mode, s[x - dest.left()], d[x]);
        }
    }
}

void TCanvas::Impl::DrawImage(const QRect& logicalDest, const QImage& img)
{
    QPainter* p = P();
    if (!p)
        return;
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (img.size() == logicalDest.size())
        p->drawImage(logicalDest.topLeft(), img);
    else
        p->drawImage(logicalDest, img);
    if (mono)
        Quantise(logicalDest.translated(origin));
}

void TCanvas::Impl::Quantise(const QRect& device)
{
    End();
    const QRect r = device.intersected(image->rect());
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto* d = reinterpret_cast<QRgb*>(image->scanLine(y));
        for (int x = r.left(); x <= r.right(); ++x) {
            const int lum = (qRed(d[x]) * 30 + qGreen(d[x]) * 59 + qBlue(d[x]) * 11) / 100;
            d[x] = lum >= 128 ? 0xFFFFFFFFu : 0xFF000000u;
        }
    }
}

// ---------------------------------------------------------------- bridge

namespace zvqt {

void BindCanvas(TCanvas* c, QImage* image, bool monochrome)
{
    auto* impl = zvqt::ImplOf(c);
    impl->Reset();
    impl->external = nullptr;
    impl->image = image;
    impl->mono = monochrome;
    impl->fontValid = false;
}

void BindCanvasPainter(TCanvas* c, QPainter* painter, const QSize& size, int dpi)
{
    auto* impl = zvqt::ImplOf(c);
    impl->Reset();
    impl->image = nullptr;
    impl->mono = false;
    impl->external = painter;
    impl->externalSize = size;
    impl->externalDpi = dpi;
    impl->fontValid = false;
}

void FlushCanvas(TCanvas* c)
{
    if (c)
        zvqt::ImplOf(c)->End();
}

QImage* CanvasImage(TCanvas* c) { return c ? zvqt::ImplOf(c)->image : nullptr; }

void EndPaintersOn(const QImage* image)
{
    auto& active = ActivePainters();
    auto it = active.find(image);
    if (it != active.end())
        it->second->End();
}

void ShareSurface(TCanvas* dst, TCanvas* src)
{
    auto* d = zvqt::ImplOf(dst);
    auto* s = zvqt::ImplOf(src);
    s->End();
    d->Reset();
    d->image = s->image;
    d->mono = s->mono;
    d->origin = s->origin;
    d->clip = s->clip;
    d->fontValid = false;
}

void DrawImageOn(TCanvas* c, const QRect& R, const QImage& img) { zvqt::ImplOf(c)->DrawImage(R, img); }

} // namespace zvqt

// ---------------------------------------------------------------- TCanvas

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()),
      FPen(std::make_unique<TPen>()),
      FBrush(std::make_unique<TBrush>()),
      FImpl(std::make_unique<Impl>(this))
{
    FFont->OnChange = [this](TObject* s) { ToolChanged(s); };
    FPen->OnChange = [this](TObject* s) { ToolChanged(s); };
    FBrush->OnChange = [this](TObject* s) { ToolChanged(s); };
}

TCanvas::~TCanvas()
{
    FImpl->End();
}

void TCanvas::ToolChanged(TObject* Sender)
{
    if (Sender == FFont.get())
        FImpl->fontValid = false;
    if (Sender == FBrush.get())
        FBkMode = FBrush->Style() == bsClear ? bkTransparent : bkOpaque;
}

bool TCanvas::HandleAllocated() const { return FImpl->Raster() || (FImpl->external && FImpl->external->isActive()); }

TSize TCanvas::SurfaceSize() const
{
    if (!HandleAllocated())
        return TSize{};
    if (!FImpl->Raster())
        return TSize{FImpl->externalSize.width(), FImpl->externalSize.height()};
    return TSize{FImpl->image->width(), FImpl->image->height()};
}

int TCanvas::UnitsPerInch() const { return FImpl->unitsPerInch; }

void TCanvas::SetUnitsPerInch(int v)
{
    FImpl->End();
    FImpl->unitsPerInch = std::max(v, 0);
    FImpl->scale = v > 0 ? double(FImpl->DevicePixelsPerInch()) / v : 1.0;
}

void TCanvas::MoveTo(int X, int Y) { FPenPos = TPoint(X, Y); }


namespace {

// The pixels of a one-pixel line from a towards b, b itself left out as in Win32.
QPolygon LinePixels(QPoint a, const QPoint& b)
{
    QPolygon pts;
    const int dx = std::abs(b.x() - a.x()), sx = a.x() < b.x() ? 1 : -1;
    const int dy = -std::abs(b.y() - a.y()), sy = a.y() < b.y() ? 1 : -1;
    int err = dx + dy;
    while (a != b) {
        pts << a;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            a.rx() += sx;
        }
        if (e2 <= dx) {
            err += dx;
            a.ry() += sy;
        }
    }
    return pts;
}

} // namespace

void TCanvas::LineTo(int X, int Y)
{
    const TPoint from = FPenPos;
    FPenPos = TPoint(X, Y);
    QPainter* p = FImpl->P();
    if (!p || FPen->Style() == psClear)
        return;
    Changing();
    if (FImpl->ApplyPenMode(p)) {
        p->setPen(FImpl->MakePen());
        p->setBrush(Qt::NoBrush);
        const QPoint a(from.x, from.y), b(X, Y);
        if (a != b) {
            if (FPen->Width() <= 1 && FPen->Style() == psSolid)
                p->drawPoints(LinePixels(a, b));
            else
                p->drawLine(a, b);
        }
    }
    Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2)
{
    QPainter* p = FImpl->P();
    if (!p)
        return;
    if (X2 < X1)
        std::swap(X1, X2);
    if (Y2 < Y1)
        std::swap(Y1, Y2);
    Changing();
    if (FImpl->ApplyPenMode(p)) {
        if (FBrush->Style() != bsClear)
            p->fillRect(QRect(X1, Y1, X2 - X1, Y2 - Y1), FImpl->MakeBrush());
        if (FPen->Style() != psClear && X2 - X1 >= 1 && Y2 - Y1 >= 1) {
            p->setPen(FImpl->MakePen());
            p->setBrush(Qt::NoBrush);
            const int w = std::max(1, FPen->Width());
            const int inset = FPen->Style() == psInsideFrame ? w / 2 : 0;
            if (w <= 1)
                p->drawRect(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1));
            else
                p->drawRect(QRectF(X1 + inset + 0.5, Y1 + inset + 0.5, X2 - X1 - 1 - 2 * inset,
                                   Y2 - Y1 - 1 - 2 * inset));
        }
    }
    Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3)
{
    FImpl->DrawShape(true, [&](QPainter* p) {
        p->drawRoundedRect(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1), X3 / 2.0, Y3 / 2.0);
    });
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2)
{
    FImpl->DrawShape(true, [&](QPainter* p) { p->drawEllipse(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1)); });
}

namespace {
// Qt angles (1/16 degree, counter-clockwise, 0 at three o'clock) of the rays of Arc and Pie.
void ArcAngles(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4, int& start, int& span)
{
    const double cx = (X1 + X2) / 2.0, cy = (Y1 + Y2) / 2.0;
    const double a1 = std::atan2(cy - Y3, X3 - cx) * 180.0 / M_PI;
    const double a2 = std::atan2(cy - Y4, X4 - cx) * 180.0 / M_PI;
    double s = a2 - a1;
    while (s <= 0)
        s += 360.0;
    start = static_cast<int>(std::lround(a1 * 16));
    span = static_cast<int>(std::lround(s * 16));
}
} // namespace

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
    FImpl->DrawShape(false, [&](QPainter* p) {
        int start, span;
        ArcAngles(X1, Y1, X2, Y2, X3, Y3, X4, Y4, start, span);
        p->drawArc(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1), start, span);
    });
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
    FImpl->DrawShape(true, [&](QPainter* p) {
        int start, span;
        ArcAngles(X1, Y1, X2, Y2, X3, Y3, X4, Y4, start, span);
        p->drawPie(QRect(X1, Y1, X2 - X1 - 1, Y2 - Y1 - 1), start, span);
    });
}

void TCanvas::Polygon(const std::vector<TPoint>& Points) { Polygon(Points.data(), static_cast<int>(Points.size())); }

void TCanvas::Polygon(const TPoint* Points, int Count)
{
    if (Count <= 0)
        return;
    FImpl->DrawShape(true, [&](QPainter* p) {
        QPolygon poly;
        for (int i = 0; i < Count; ++i)
            poly << QPoint(Points[i].x, Points[i].y);
        p->drawPolygon(poly);
    });
}

void TCanvas::Polyline(const std::vector<TPoint>& Points) { Polyline(Points.data(), static_cast<int>(Points.size())); }

void TCanvas::Polyline(const TPoint* Points, int Count)
{
    if (Count <= 0)
        return;
    // Drawn as Win32 does: segments that leave out the last point; the pen position stays.
    const TPoint keep = FPenPos;
    FPenPos = Points[0];
    for (int i = 1; i < Count; ++i)
        LineTo(Points[i].x, Points[i].y);
    FPenPos = keep;
}

void TCanvas::FillRect(const TRect& R)
{
    QPainter* p = FImpl->P();
    if (!p || FBrush->Style() == bsClear || R.IsEmpty())
        return;
    Changing();
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->fillRect(ToQRect(R), FImpl->MakeBrush());
    Changed();
}

void TCanvas::FrameRect(const TRect& R)
{
    QPainter* p = FImpl->P();
    if (!p || R.IsEmpty())
        return;
    Changing();
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    const QBrush b = FImpl->MakeBrush();
    p->fillRect(QRect(R.Left, R.Top, R.Width(), 1), b);
    p->fillRect(QRect(R.Left, R.Bottom - 1, R.Width(), 1), b);
    p->fillRect(QRect(R.Left, R.Top, 1, R.Height()), b);
    p->fillRect(QRect(R.Right - 1, R.Top, 1, R.Height()), b);
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& R)
{
    if (!FImpl->Raster() || R.IsEmpty())
        return;
    Changing();
    FImpl->End();
    QImage& img = *FImpl->image;
    const QRegion clip = FImpl->DeviceClip();
    const QRect d = ToQRect(R).translated(FImpl->origin);
    auto invert = [&](int x, int y) {
        if (((x + y) & 1) == 0 && clip.contains(QPoint(x, y))) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            line[x] = 0xFF000000u | (~line[x] & 0xFFFFFF);
        }
    };
    for (int x = d.left(); x <= d.right(); ++x) {
        invert(x, d.top());
        if (d.bottom() != d.top())
            invert(x, d.bottom());
    }
    for (int y = d.top() + 1; y < d.bottom(); ++y) {
        invert(d.left(), y);
        if (d.right() != d.left())
            invert(d.right(), y);
    }
    Changed();
}

void TCanvas::DrawEdge(TRect& R, unsigned Edge, unsigned Flags)
{
    QPainter* p = FImpl->P();
    if (!p)
        return;
    Changing();
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    TRect r = R;
    auto ring = [&](TColor topLeft, TColor bottomRight) {
        const QColor tl = FImpl->Col(topLeft), br = FImpl->Col(bottomRight);
        if (r.IsEmpty())
            return;
        if (Flags & BF_LEFT)
            p->fillRect(QRect(r.Left, r.Top, 1, r.Height()), tl);
        if (Flags & BF_TOP)
            p->fillRect(QRect(r.Left, r.Top, r.Width(), 1), tl);
        if (Flags & BF_RIGHT)
            p->fillRect(QRect(r.Right - 1, r.Top, 1, r.Height()), br);
        if (Flags & BF_BOTTOM)
            p->fillRect(QRect(r.Left, r.Bottom - 1, r.Width(), 1), br);
        if (Flags & BF_LEFT)
            ++r.Left;
        if (Flags & BF_TOP)
            ++r.Top;
        if (Flags & BF_RIGHT)
            --r.Right;
        if (Flags & BF_BOTTOM)
            --r.Bottom;
    };
    const bool mono = Flags & (BF_MONO | BF_FLAT);
    if (Edge & BDR_OUTER) {
        if (mono)
            ring(Flags & BF_MONO ? clWindowFrame : clBtnShadow, Flags & BF_MONO ? clWindowFrame : clBtnShadow);
        else if (Edge & BDR_RAISEDOUTER)
            ring(cl3DLight, cl3DDkShadow);
        else
            ring(clBtnShadow, clBtnHighlight);
    }
    if (Edge & BDR_INNER) {
        if (mono)
            ring(Flags & BF_MONO ? clWindow : clBtnFace, Flags & BF_MONO ? clWindow : clBtnFace);
        else if (Edge & BDR_RAISEDINNER)
            ring(clBtnHighlight, clBtnShadow);
        else
            ring(cl3DDkShadow, cl3DLight);
    }
    if ((Flags & BF_MIDDLE) && !r.IsEmpty())
        p->fillRect(ToQRect(r), FImpl->Col(Flags & BF_MONO ? clWindow : clBtnFace));
    if (Flags & BF_ADJUST)
        R = r;
    Changed();
}

void TCanvas::FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle)
{
    if (!FImpl->Raster() || FBrush->Style() == bsClear)
        return;
    Changing();
    FImpl->End();
    QImage& img = *FImpl->image;
    const QRegion clip = FImpl->DeviceClip();
    const QPoint start = QPoint(X, Y) + FImpl->origin;
    if (!clip.contains(start)) {
        Changed();
        return;
    }
    const QRgb target = ToQRgb(Color) & 0xFFFFFF;
    const QRgb fill = FImpl->Col(FBrush->Color()).rgb() | 0xFF000000u;
    const QRgb startColor = img.pixel(start) & 0xFFFFFF;
    auto inside = [&](const QPoint& pt) {
        const QRgb c = img.pixel(pt) & 0xFFFFFF;
        return FillStyle == fsSurface ? c == target : c != target;
    };
    if (!inside(start) || (startColor == (fill & 0xFFFFFF))) {
        Changed();
        return;
    }
    std::vector<bool> seen(static_cast<size_t>(img.width()) * static_cast<size_t>(img.height()), false);
    std::deque<QPoint> todo{start};
    while (!todo.empty()) {
        const QPoint pt = todo.front();
        todo.pop_front();
        if (!img.rect().contains(pt) || !clip.contains(pt))
            continue;
        const size_t idx = static_cast<size_t>(pt.y()) * static_cast<size_t>(img.width()) + static_cast<size_t>(pt.x());
        if (seen[idx] || !inside(pt))
            continue;
        seen[idx] = true;
        img.setPixel(pt, fill);
        todo.emplace_back(pt.x() + 1, pt.y());
        todo.emplace_back(pt.x() - 1, pt.y());
        todo.emplace_back(pt.x(), pt.y() + 1);
        todo.emplace_back(pt.x(), pt.y() - 1);
    }
    Changed();
}

// ---------------------------------------------------------------- pictures

void TCanvas::Draw(int X, int Y, TGraphic* Graphic)
{
    if (!Graphic || Graphic->Empty())
        return;
    Changing();
    Graphic->DrawOn(this, TRect(X, Y, X + Graphic->Width(), Y + Graphic->Height()));
    Changed();
}

void TCanvas::StretchDraw(const TRect& R, TGraphic* Graphic)
{
    if (!Graphic || Graphic->Empty())
        return;
    Changing();
    Graphic->DrawOn(this, R);
    Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect)
{
    if (!HandleAllocated() || !Source || !Source->FImpl->Raster() || Dest.IsEmpty() || SourceRect.IsEmpty())
        return;
    Changing();
    Source->FImpl->End();
    FImpl->End();
    const QRect srcDev = ToQRect(SourceRect).translated(Source->FImpl->origin);
    QImage part = Source->FImpl->image->copy(srcDev).convertToFormat(QImage::Format_RGB32);
    if (part.size() != QSize(Dest.Width(), Dest.Height()))
        part = part.scaled(Dest.Width(), Dest.Height(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    FImpl->Blit(part, FImpl->ToDevice(ToQRect(Dest)), FCopyMode, Source->FBrush->Color());
    Changed();
}

void TCanvas::BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color)
{
    if (!HandleAllocated() || !Bitmap || Bitmap->Empty() || Dest.IsEmpty())
        return;
    Changing();
    QImage part = BitmapImage(Bitmap).copy(ToQRect(Source)).convertToFormat(QImage::Format_ARGB32);
    if (part.size() != QSize(Dest.Width(), Dest.Height()))
        part = part.scaled(Dest.Width(), Dest.Height(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const QRgb key = ToQRgb(Color) & 0xFFFFFF;
    const bool clear = FBrush->Style() == bsClear;
    const QRgb repl = FImpl->Col(FBrush->Color()).rgb() | 0xFF000000u;
    for (int y = 0; y < part.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(part.scanLine(y));
        for (int x = 0; x < part.width(); ++x)
            if ((line[x] & 0xFFFFFF) == key)
                line[x] = clear ? 0u : repl;
    }
    FImpl->DrawImage(ToQRect(Dest), part);
    Changed();
}

TColor TCanvas::Pixels(int X, int Y) const
{
    if (!FImpl->Raster())
        return CLR_INVALID;
    FImpl->End();
    const QPoint d = QPoint(X, Y) + FImpl->origin;
    if (!FImpl->DeviceClip().contains(d))
        return CLR_INVALID;
    return FromQRgb(FImpl->image->pixel(d));
}

void TCanvas::SetPixels(int X, int Y, TColor Color)
{
    if (!FImpl->Raster())
        return;
    FImpl->End();
    const QPoint d = QPoint(X, Y) + FImpl->origin;
    if (!FImpl->DeviceClip().contains(d))
        return;
    Changing();
    FImpl->image->setPixel(d, FImpl->Col(Color).rgb() | 0xFF000000u);
    Changed();
}

// ---------------------------------------------------------------- clip and origin

TRect TCanvas::ClipRect() const
{
    if (!HandleAllocated())
        return TRect();
    return FromQRect(FImpl->ToLogical(FImpl->DeviceClip().boundingRect()));
}

void TCanvas::IntersectClipRect(const TRect& R)
{
    FImpl->End();
    const QRegion r(FImpl->ToDevice(ToQRect(R)));
    FImpl->clip = FImpl->clip ? FImpl->clip->intersected(r) : r;
}

void TCanvas::SetClipRect(const TRect& R)
{
    FImpl->End();
    FImpl->clip = QRegion(FImpl->ToDevice(ToQRect(R)));
}

void TCanvas::SetClipRegion(const std::vector<TRect>& Rects)
{
    FImpl->End();
    QRegion r;
    for (const auto& rc : Rects)
        r += FImpl->ToDevice(ToQRect(rc));
    FImpl->clip = r;
}

void TCanvas::ResetClip()
{
    FImpl->End();
    FImpl->clip.reset();
}

TPoint TCanvas::ViewportOrg() const { return TPoint(FImpl->origin.x(), FImpl->origin.y()); }

void TCanvas::SetViewportOrg(const TPoint& Origin)
{
    FImpl->End();
    FImpl->origin = QPoint(Origin.x, Origin.y);
}

void TCanvas::SaveDC()
{
    Impl::Saved s;
    s.origin = FImpl->origin;
    s.clip = FImpl->clip;
    s.font = std::make_unique<TFont>();
    s.font->Assign(FFont.get());
    s.pen = std::make_unique<TPen>();
    s.pen->Assign(FPen.get());
    s.brush = std::make_unique<TBrush>();
    s.brush->Assign(FBrush.get());
    s.bkMode = FBkMode;
    FImpl->saved.push_back(std::move(s));
}

void TCanvas::RestoreDC()
{
    if (FImpl->saved.empty())
        return;
    Impl::Saved s = std::move(FImpl->saved.back());
    FImpl->saved.pop_back();
    FImpl->End();
    FImpl->origin = s.origin;
    FImpl->clip = s.clip;
    FFont->Assign(s.font.get());
    FPen->Assign(s.pen.get());
    FBrush->Assign(s.brush.get());
    FBkMode = s.bkMode;
}

// ---------------------------------------------------------------- locking

void TCanvas::Lock()
{
    FLock.lock();
    ++FLockCount;
}

bool TCanvas::TryLock()
{
    if (!FLock.try_lock())
        return false;
    ++FLockCount;
    return true;
}

void TCanvas::Unlock()
{
    if (FLockCount <= 0)
        return;
    --FLockCount;
    FLock.unlock();
}
