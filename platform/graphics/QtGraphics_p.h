#pragma once
// Private to the platform layer (graphics and forms sources only): the bridge between
// the canvas classes and Qt. Never include this from code above platform/.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QString>
#include <optional>
#include <vector>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/Icon.h"

namespace zvqt {

// The Qt side of a canvas, bitmap or icon.
struct ImplAccess {
    template <class T>
    static typename T::Impl* Of(const T* o) { return o->ImplPtr(); }
};
template <class T>
typename T::Impl* ImplOf(const T* o) { return ImplAccess::Of(o); }

QColor ToQColor(TColor c);
TColor FromQColor(const QColor& c);
inline TColor FromQRgb(QRgb p) { return RGB(qRed(p), qGreen(p), qBlue(p)); }
inline QRgb ToQRgb(TColor c)
{
    const TColor v = ColorToRGB(c);
    return qRgb(GetRValue(v), GetGValue(v), GetBValue(v));
}
// 8-bit text to Qt: UTF-8 when it is valid UTF-8, else Latin-1.
QString ToQString(const AnsiString& s);
AnsiString FromQString(const QString& s);
QFont ToQFont(const TFont& f);
inline QRect ToQRect(const TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }
inline TRect FromQRect(const QRect& r) { return TRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height()); }

// The image a bitmap keeps (RGB32). Ends any painting on it first.
QImage& BitmapImage(TBitmap* b);
const QImage& BitmapImage(const TBitmap* b);
// The image an icon keeps (ARGB32, premultiplied).
const QImage& IconImage(const TIcon* i);

// Points a canvas at an image it does not own (nullptr detaches it). Clip, origin and the
// saved states are reset. Monochrome surfaces keep every pixel black or white.
void BindCanvas(TCanvas* c, QImage* image, bool monochrome = false);
// Points a canvas at a painter owned elsewhere (a printer's), drawn through in vector form;
// size and dpi are the device's. The canvas never ends that painter.
void BindCanvasPainter(TCanvas* c, QPainter* painter, const QSize& size, int dpi);
// Ends the painter the canvas may keep open on its image (before the image is read,
// copied or resized).
void FlushCanvas(TCanvas* c);
QImage* CanvasImage(TCanvas* c);
// Ends whatever painter a canvas keeps open on image (before it is read or copied).
void EndPaintersOn(const QImage* image);
// Points dst at src's image with src's origin and clip (a control painting on its
// parent's surface); Unshare detaches it again.
void ShareSurface(TCanvas* dst, TCanvas* src);
// Draws an image into a canvas at logical rectangle R (clip and origin apply).
void DrawImageOn(TCanvas* c, const QRect& R, const QImage& img);

} // namespace zvqt
