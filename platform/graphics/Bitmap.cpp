#include "platform/graphics/Bitmap.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <cstdint>
#include <cstdlib>

#include "platform/core/Exceptions.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/CanvasImpl_p.h"
#include "platform/graphics/Icon.h"

using namespace zvqt;

struct TBitmap::Impl {
    QImage image;
    std::unique_ptr<TCanvas> canvas;
    // The size asked for while the image is empty (one side zero), kept for the other side.
    int emptyWidth = 0, emptyHeight = 0;
};

namespace {

QImage NewImage(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

void MakeMonochrome(QImage& img)
{
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            line[x] = (line[x] & 0xFFFFFF) == 0xFFFFFF ? 0xFFFFFFFFu : 0xFF000000u;
    }
}

} // namespace

namespace zvqt {

QImage& BitmapImage(TBitmap* b)
{
    FlushCanvas(zvqt::ImplOf(b)->canvas.get());
    return zvqt::ImplOf(b)->image;
}

const QImage& BitmapImage(const TBitmap* b)
{
    FlushCanvas(zvqt::ImplOf(b)->canvas.get());
    return zvqt::ImplOf(b)->image;
}

} // namespace zvqt

TBitmap::TBitmap() : FImpl(std::make_unique<Impl>()) {}

TBitmap::~TBitmap()
{
    if (FImpl->canvas)
        FlushCanvas(FImpl->canvas.get());
}

TCanvas* TBitmap::Canvas() const
{
    if (!FImpl->canvas) {
        FImpl->canvas = std::make_unique<TCanvas>();
        BindCanvas(FImpl->canvas.get(), &FImpl->image, FPixelFormat == pf1bit);
        FImpl->canvas->OnChange = [this](TObject*) { const_cast<TBitmap*>(this)->Changed(); };
    }
    return FImpl->canvas.get();
}

bool TBitmap::Empty() const { return FImpl->image.isNull() || FImpl->image.width() == 0 || FImpl->image.height() == 0; }
int TBitmap::Width() const { return FImpl->image.isNull() ? FImpl->emptyWidth : FImpl->image.width(); }
int TBitmap::Height() const { return FImpl->image.isNull() ? FImpl->emptyHeight : FImpl->image.height(); }
void TBitmap::SetWidth(int v) { SetSize(v, Height()); }
void TBitmap::SetHeight(int v) { SetSize(Width(), v); }

void TBitmap::SetSize(int AWidth, int AHeight)
{
    AWidth = std::max(0, AWidth);
    AHeight = std::max(0, AHeight);
    if (AWidth == Width() && AHeight == Height())
        return;
    QImage& cur = BitmapImage(this);
    FImpl->emptyWidth = AWidth;
    FImpl->emptyHeight = AHeight;
    if (AWidth == 0 || AHeight == 0) {
        cur = QImage();
    } else {
        QImage img = NewImage(AWidth, AHeight);
        if (!cur.isNull()) {
            QPainter p(&img);
            p.drawImage(0, 0, cur);
        }
        cur = img;
    }
    if (FImpl->canvas)
        BindCanvas(FImpl->canvas.get(), &FImpl->image, FPixelFormat == pf1bit);
    Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat v)
{
    if (v == FPixelFormat)
        return;
    FPixelFormat = v;
    QImage& img = BitmapImage(this);
    if (v == pf1bit && !img.isNull())
        MakeMonochrome(img);
    if (FImpl->canvas)
        BindCanvas(FImpl->canvas.get(), &FImpl->image, v == pf1bit);
    Changed();
}

void TBitmap::SetMonochrome(bool v)
{
    if (v)
        SetPixelFormat(pf1bit);
    else if (FPixelFormat == pf1bit)
        SetPixelFormat(pfDevice);
}

TColor TBitmap::TransparentColor() const
{
    if (FTransparentMode == tmFixed && FTransparentColor != clDefault)
        return FTransparentColor;
    if (Empty())
        return clDefault;
    return FromQRgb(BitmapImage(this).pixel(0, Height() - 1));
}

void TBitmap::SetTransparentColor(TColor v)
{
    if (v == FTransparentColor && FTransparentMode == tmFixed)
        return;
    FTransparentColor = v;
    FTransparentMode = v == clDefault ? tmAuto : tmFixed;
    Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode v)
{
    if (v == FTransparentMode)
        return;
    if (v == tmAuto) {
        FTransparentColor = clDefault;
        FTransparentMode = tmAuto;
    } else {
        // Fixing the mode keeps the colour that was in use.
        FTransparentColor = TransparentColor();
        FTransparentMode = tmFixed;
    }
    Changed();
}

void TBitmap::Mask(TColor TransparentColor)
{
    QImage& img = BitmapImage(this);
    const QRgb key = ToQRgb(TransparentColor) & 0xFFFFFF;
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x)
            line[x] = (line[x] & 0xFFFFFF) == key ? 0xFFFFFFFFu : 0xFF000000u;
    }
    FPixelFormat = pf1bit;
    if (FImpl->canvas)
        BindCanvas(FImpl->canvas.get(), &FImpl->image, true);
    Changed();
}

void* TBitmap::ScanLine(int Row)
{
    if (Row < 0 || Row >= Height())
        throw EInvalidGraphicOperation("Scan line index out of range");
    return BitmapImage(this).scanLine(Row);
}

void TBitmap::Changed() { TGraphic::Changed(); }

void TBitmap::Assign(TPersistent* Source)
{
    if (Source == this)
        return;
    if (!Source) {
        BitmapImage(this) = QImage();
        FImpl->emptyWidth = FImpl->emptyHeight = 0;
        if (FImpl->canvas)
            BindCanvas(FImpl->canvas.get(), &FImpl->image, FPixelFormat == pf1bit);
        Changed();
        return;
    }
    if (auto* b = dynamic_cast<TBitmap*>(Source)) {
        QImage copy = BitmapImage(b).copy();
        BitmapImage(this) = copy;
        FImpl->emptyWidth = b->FImpl->emptyWidth;
        FImpl->emptyHeight = b->FImpl->emptyHeight;
        FPixelFormat = b->FPixelFormat;
        FTransparentMode = b->FTransparentMode;
        FTransparentColor = b->FTransparentColor;
        TGraphic::SetTransparent(b->Transparent());
        if (FImpl->canvas)
            BindCanvas(FImpl->canvas.get(), &FImpl->image, FPixelFormat == pf1bit);
        Changed();
        return;
    }
    if (auto* g = dynamic_cast<TGraphic*>(Source)) {
        // Another kind of picture is drawn onto a bitmap of its size.
        QImage img = NewImage(std::max(0, g->Width()), std::max(0, g->Height()));
        BitmapImage(this) = g->Empty() ? QImage() : img;
        FImpl->emptyWidth = std::max(0, g->Width());
        FImpl->emptyHeight = std::max(0, g->Height());
        if (FImpl->canvas)
            BindCanvas(FImpl->canvas.get(), &FImpl->image, FPixelFormat == pf1bit);
        if (!g->Empty())
            Canvas()->Draw(0, 0, g);
        Changed();
        return;
    }
    TGraphic::Assign(Source);
}

namespace {

std::uint32_t Get32(const std::vector<Byte>& v, size_t at)
{
    return v[at] | (v[at + 1] << 8) | (v[at + 2] << 16) | (static_cast<std::uint32_t>(v[at + 3]) << 24);
}

// Whether the header is sane and the file holds every pixel row it promises (uncompressed
// rows only; compressed data is checked by the reader). Hostile sizes are refused before
// any arithmetic on them.
bool PixelRowsComplete(const std::vector<Byte>& Data)
{
    if (Data.size() < 30)
        return false;
    const std::uint32_t headerSize = Get32(Data, 14);
    std::uint64_t width, height;
    unsigned bits, compression = 0;
    if (headerSize == 12) {
        width = Data[18] | (Data[19] << 8);
        height = Data[20] | (Data[21] << 8);
        bits = Data[24] | (Data[25] << 8);
    } else {
        if (Data.size() < 34)
            return false;
        const std::int32_t w = static_cast<std::int32_t>(Get32(Data, 18));
        const std::int32_t h = static_cast<std::int32_t>(Get32(Data, 22));
        // Rows run bottom-up or, with a negative height, top-down; the width is never negative.
        if (w <= 0 || h == 0 || h == INT32_MIN)
            return false;
        width = static_cast<std::uint64_t>(w);
        height = static_cast<std::uint64_t>(h < 0 ? -h : h);
        bits = Data[28] | (Data[29] << 8);
        compression = Get32(Data, 30);
    }
    if (bits == 0 || bits > 32)
        return false;
    if (compression != 0 && compression != 3) // BI_RGB, BI_BITFIELDS
        return true;
    // At most 2^31 pixels of 32 bits: a row fits 2^34 bytes, so nothing below overflows.
    const std::uint64_t rowBytes = (width * bits + 31) / 32 * 4;
    const std::uint64_t offset = Get32(Data, 10);
    if (rowBytes == 0 || offset > Data.size())
        return false;
    return height <= (Data.size() - offset) / rowBytes;
}

} // namespace

void TBitmap::LoadFromData(const std::vector<Byte>& Data)
{
    if (!PixelRowsComplete(Data))
        throw EInvalidGraphic("Bitmap image is not valid");
    QByteArray bytes(reinterpret_cast<const char*>(Data.data()), static_cast<qsizetype>(Data.size()));
    QBuffer buf(&bytes);
    buf.open(QIODevice::ReadOnly);
    QImageReader reader(&buf, "BMP");
    QImage img = reader.read();
    if (img.isNull() || Data.size() < 2 || Data[0] != 'B' || Data[1] != 'M')
        throw EInvalidGraphic("Bitmap image is not valid");
    const int depth = img.depth();
    TPixelFormat pf = depth == 1 ? pf1bit : depth <= 4 ? pf4bit : depth == 8 ? pf8bit : pf24bit;
    if (Data.size() >= 30) {
        const int bits = Data[28] | (Data[29] << 8);
        pf = bits == 1 ? pf1bit : bits == 4 ? pf4bit : bits == 8 ? pf8bit : bits == 16 ? pf16bit
            : bits == 32 ? pf32bit : pf24bit;
    }
    QImage rgb = img.convertToFormat(QImage::Format_RGB32);
    BitmapImage(this) = rgb;
    FPixelFormat = pf;
    if (FImpl->canvas)
        BindCanvas(FImpl->canvas.get(), &FImpl->image, pf == pf1bit);
    Changed();
}

namespace {

void Put16(std::vector<Byte>& v, size_t at, unsigned x)
{
    v[at] = static_cast<Byte>(x & 0xFF);
    v[at + 1] = static_cast<Byte>((x >> 8) & 0xFF);
}
void Put32(std::vector<Byte>& v, size_t at, std::uint32_t x)
{
    for (int i = 0; i < 4; ++i)
        v[at + static_cast<size_t>(i)] = static_cast<Byte>((x >> (8 * i)) & 0xFF);
}

} // namespace

std::vector<Byte> TBitmap::SaveToData() const
{
    // A bottom-up Windows bitmap with a 40-byte header: 1 bit with a black and white
    // palette for monochrome bitmaps, else 24 bits (32 for pf32bit).
    const QImage& img = BitmapImage(this);
    const int w = Width(), h = Height();
    const int bits = FPixelFormat == pf1bit ? 1 : FPixelFormat == pf32bit ? 32 : 24;
    const int paletteSize = bits == 1 ? 8 : 0;
    const size_t stride = static_cast<size_t>(((w * bits + 31) / 32) * 4);
    const size_t offset = 14 + 40 + static_cast<size_t>(paletteSize);
    std::vector<Byte> out(offset + stride * static_cast<size_t>(h), 0);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<std::uint32_t>(out.size()));
    Put32(out, 10, static_cast<std::uint32_t>(offset));
    Put32(out, 14, 40);
    Put32(out, 18, static_cast<std::uint32_t>(w));
    Put32(out, 22, static_cast<std::uint32_t>(h));
    Put16(out, 26, 1);
    Put16(out, 28, static_cast<unsigned>(bits));
    Put32(out, 34, static_cast<std::uint32_t>(stride * static_cast<size_t>(h)));
    Put32(out, 38, 3780); // 96 dpi
    Put32(out, 42, 3780);
    if (bits == 1) {
        Put32(out, 46, 2);
        Put32(out, 54, 0x00000000);
        Put32(out, 58, 0x00FFFFFF);
    }
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        Byte* row = out.data() + offset + stride * static_cast<size_t>(h - 1 - y);
        for (int x = 0; x < w; ++x) {
            const QRgb p = line[x];
            if (bits == 1) {
                if ((p & 0xFFFFFF) == 0xFFFFFF)
                    row[x / 8] = static_cast<Byte>(row[x / 8] | (0x80 >> (x % 8)));
            } else if (bits == 24) {
                row[x * 3] = static_cast<Byte>(qBlue(p));
                row[x * 3 + 1] = static_cast<Byte>(qGreen(p));
                row[x * 3 + 2] = static_cast<Byte>(qRed(p));
            } else {
                row[x * 4] = static_cast<Byte>(qBlue(p));
                row[x * 4 + 1] = static_cast<Byte>(qGreen(p));
                row[x * 4 + 2] = static_cast<Byte>(qRed(p));
                row[x * 4 + 3] = 0;
            }
        }
    }
    return out;
}

void TBitmap::DrawOn(TCanvas* ACanvas, const TRect& R)
{
    if (Empty() || !ACanvas || R.IsEmpty())
        return;
    auto* ci = zvqt::ImplOf(ACanvas);
    const QImage& img = BitmapImage(this);
    if (Transparent()) {
        QImage a = img.convertToFormat(QImage::Format_ARGB32);
        const QRgb key = ToQRgb(TransparentColor()) & 0xFFFFFF;
        for (int y = 0; y < a.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(a.scanLine(y));
            for (int x = 0; x < a.width(); ++x)
                if ((line[x] & 0xFFFFFF) == key)
                    line[x] = 0;
        }
        ci->DrawImage(ToQRect(R), a);
        return;
    }
    if (ACanvas->CopyMode() == cmSrcCopy && !ci->mono) {
        ci->DrawImage(ToQRect(R), img);
        return;
    }
    QImage part = img;
    if (part.size() != QSize(R.Width(), R.Height()))
        part = part.scaled(R.Width(), R.Height(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    ci->Blit(part, ci->ToDevice(ToQRect(R)), ACanvas->CopyMode(),
             FImpl->canvas ? FImpl->canvas->Brush()->Color() : clWhite);
}
