#pragma once
// Private to the platform layer: the state behind a TCanvas.
#include <QPainter>
#include <QRegion>
#include <memory>
#include <optional>
#include <vector>

#include "platform/graphics/QtGraphics_p.h"
#include "platform/graphics/ShapedLine_p.h"

struct TCanvas::Impl {
    explicit Impl(TCanvas* o) : owner(o) {}

    TCanvas* owner;
    QImage* image = nullptr;
    bool mono = false;
    QPoint origin{0, 0};
    std::optional<QRegion> clip; // device coordinates; empty optional = whole surface
    // A painter owned elsewhere (a printer's): drawn through in vector form, never ended here.
    QPainter* external = nullptr;
    QSize externalSize;
    int externalDpi = 0;
    bool externalApplied = false;
    // Logical units per device pixel, from SetUnitsPerInch (1 for device pixels).
    int unitsPerInch = 0;
    double scale = 1.0;

    struct Saved {
        QPoint origin;
        std::optional<QRegion> clip;
        std::unique_ptr<TFont> font;
        std::unique_ptr<TPen> pen;
        std::unique_ptr<TBrush> brush;
        TBkMode bkMode;
    };
    std::vector<Saved> saved;

    std::unique_ptr<QPainter> painter;
    bool fontValid = false;
    QFont qfont;

    // The painter on the image with clip and origin applied; nullptr without an image.
    QPainter* P();
    // A surface of pixels (not a vector device): pixel reads, writes and raster copies.
    bool Raster() const { return image && !image->isNull(); }
    int DevicePixelsPerInch() const;
    // Logical rectangle to device pixels and back (origin and units per inch).
    QRect ToDevice(const QRect& logical) const;
    QRect ToLogical(const QRect& device) const;
    void End();
    void Reset();
    const QFont& Font();
    // The clip region in device coordinates, cut to the image.
    QRegion DeviceClip() const;
    QColor Col(TColor c) const;
    QPen MakePen() const;
    QBrush MakeBrush() const;
    // Applies the pen mode for lines and shapes; false when nothing is to be drawn (pmNop).
    bool ApplyPenMode(QPainter* p) const;
    // Draws a shape outlined with the pen and, when Filled, filled with the brush, in the
    // pen mode, between the owner's Changing and Changed; nothing without an image.
    template <class F>
    void DrawShape(bool Filled, F&& Draw)
    {
        QPainter* p = P();
        if (!p)
            return;
        owner->Changing();
        if (ApplyPenMode(p)) {
            p->setPen(MakePen());
            p->setBrush(Filled ? MakeBrush() : QBrush(Qt::NoBrush));
            Draw(p);
        }
        owner->Changed();
    }
    // Copies src (already cut and scaled to dest's size) to device rectangle dest with a
    // raster operation. srcMono: src is a monochrome image; srcBk: its canvas background
    // (colour pixels of that colour become white on a monochrome target).
    void Blit(const QImage& src, const QRect& dest, TCopyMode mode, TColor srcBk);
    // Draws an image with see-through pixels (alpha) honouring clip and origin.
    void DrawImage(const QRect& logicalDest, const QImage& img);
    // Text drawing: BeginText opens it between the owner's Changing and Changed, in the font
    // and its colour, cut to Clip when given (nullptr without an image); TextBackground fills a
    // line's box with the brush when the background mode is opaque; EndText closes it.
    QPainter* BeginText(const QRect* Clip);
    void TextBackground(QPainter* p, const QRect& Box);
    void EndText(QPainter* p);
    // See zvqt::DrawShapedLine.
    void DrawShaped(const zvqt::TShapedLine& Line, int X, int Y, const QRect& Clip);
    void Quantise(const QRect& device);
};
