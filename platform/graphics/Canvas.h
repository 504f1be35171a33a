#pragma once
// TCanvas: the drawing surface of a bitmap or of a control while it paints.
//
// Coordinates follow Win32: a rectangle's Right and Bottom are exclusive; Rectangle,
// Ellipse and RoundRect draw the outline inside (Left, Top)-(Right-1, Bottom-1); LineTo
// leaves out its end point. Shapes are drawn without smoothing so colours stay exact.
// Text is drawn with its top-left at the given point, over the brush colour unless the
// brush is clear (or SetBkMode(bkTransparent) was called after the last brush change).
//
// A canvas draws into an image held by its owner (a TBitmap, or the off-screen image
// of a control being painted), or in vector form onto a printer's page (no pixels to read
// back there). A canvas with no surface measures text but draws nothing.
#include <memory>
#include <mutex>
#include <vector>

#include "platform/graphics/Brush.h"
#include "platform/graphics/DrawTextFlags.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/Pen.h"

class TGraphic;
class TBitmap;

// Raster operations of CopyRect and Draw (the Win32 ternary codes).
using TCopyMode = unsigned;
constexpr TCopyMode cmBlackness = 0x00000042;
constexpr TCopyMode cmDstInvert = 0x00550009;
constexpr TCopyMode cmMergeCopy = 0x00C000CA;
constexpr TCopyMode cmMergePaint = 0x00BB0226;
constexpr TCopyMode cmNotSrcCopy = 0x00330008;
constexpr TCopyMode cmNotSrcErase = 0x001100A6;
constexpr TCopyMode cmPatCopy = 0x00F00021;
constexpr TCopyMode cmPatInvert = 0x005A0049;
constexpr TCopyMode cmPatPaint = 0x00FB0A09;
constexpr TCopyMode cmSrcAnd = 0x008800C6;
constexpr TCopyMode cmSrcCopy = 0x00CC0020;
constexpr TCopyMode cmSrcErase = 0x00440328;
constexpr TCopyMode cmSrcInvert = 0x00660046;
constexpr TCopyMode cmSrcPaint = 0x00EE0086;
constexpr TCopyMode cmWhiteness = 0x00FF0062;
// Win32 names of the same codes.
constexpr TCopyMode SRCCOPY = cmSrcCopy;
constexpr TCopyMode SRCAND = cmSrcAnd;
constexpr TCopyMode SRCINVERT = cmSrcInvert;
constexpr TCopyMode SRCPAINT = cmSrcPaint;
constexpr TCopyMode SRCERASE = cmSrcErase;
constexpr TCopyMode NOTSRCCOPY = cmNotSrcCopy;
constexpr TCopyMode DSTINVERT = cmDstInvert;
constexpr TCopyMode BLACKNESS = cmBlackness;
constexpr TCopyMode WHITENESS = cmWhiteness;
constexpr TCopyMode PATCOPY = cmPatCopy;

constexpr TColor CLR_INVALID = -1;

// Text background mode (Win32 SetBkMode).
enum TBkMode { bkTransparent = 1, bkOpaque = 2 };

namespace zvqt {
struct ImplAccess;
}

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;

    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* v) { FFont->Assign(v); }
    TPen* Pen() const { return FPen.get(); }
    void SetPen(TPen* v) { FPen->Assign(v); }
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(TBrush* v) { FBrush->Assign(v); }

    TPoint PenPos() const { return FPenPos; }
    void SetPenPos(const TPoint& p) { FPenPos = p; }
    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode v) { FCopyMode = v; }
    // Follows the brush (clear brush: transparent) until set otherwise.
    TBkMode BkMode() const { return FBkMode; }
    void SetBkMode(TBkMode v) { FBkMode = v; }

    // Lines and shapes.
    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
    // Counter-clockwise from the ray towards (X3, Y3) to the ray towards (X4, Y4).
    void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Polygon(const std::vector<TPoint>& Points);
    void Polygon(const TPoint* Points, int Count);
    void Polyline(const std::vector<TPoint>& Points);
    void Polyline(const TPoint* Points, int Count);
    // Fills with the brush; no outline.
    void FillRect(const TRect& R);
    // A one-pixel frame in the brush colour.
    void FrameRect(const TRect& R);
    // Inverts every other pixel of the frame; drawing it twice removes it.
    void DrawFocusRect(const TRect& R);
    // The 3-D edges of Win32 DrawEdge in the system colours; BF_ADJUST shrinks R.
    void DrawEdge(TRect& R, unsigned Edge, unsigned Flags);
    // Fills the area of colour Color (fsSurface) or bounded by Color (fsBorder) around (X, Y).
    enum TFillStyle { fsSurface, fsBorder };
    void FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle);

    // Text.
    void TextOut(int X, int Y, const AnsiString& Text);
    // Text at (X, Y) clipped to Rect; a brush that is not clear fills Rect first.
    void TextRect(const TRect& Rect, int X, int Y, const AnsiString& Text);
    // Win32 DrawText: lays Text out in R by Flags (DT_ values); with DT_CALCRECT it only
    // measures and sets R's Right and Bottom. Returns the height of the text.
    int DrawText(const AnsiString& Text, TRect& R, unsigned Flags);
    int TextWidth(const AnsiString& Text);
    int TextHeight(const AnsiString& Text);
    TSize TextExtent(const AnsiString& Text);

    // Pictures.
    void Draw(int X, int Y, TGraphic* Graphic);
    void StretchDraw(const TRect& R, TGraphic* Graphic);
    // Copies Source's rectangle into Dest here (scaled when the sizes differ) with CopyMode.
    void CopyRect(const TRect& Dest, TCanvas* Source, const TRect& SourceRect);
    // Copies a bitmap's rectangle, pixels of Color replaced by the brush (see-through
    // when the brush is clear).
    void BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color);

    // Pixels; reading outside the surface or the clip gives CLR_INVALID (-1), writing there does nothing.
    TColor Pixels(int X, int Y) const;
    void SetPixels(int X, int Y, TColor Color);

    // Clipping and origin. ClipRect is in the canvas's own (logical) coordinates.
    TRect ClipRect() const;
    // Restricts drawing to R (logical coordinates) within the current clip.
    void IntersectClipRect(const TRect& R);
    // Restricts drawing to R alone (logical coordinates); an empty R draws nothing.
    void SetClipRect(const TRect& R);
    // Restricts drawing to the union of the rectangles (a simple region).
    void SetClipRegion(const std::vector<TRect>& Rects);
    // Drawing reaches the whole surface again.
    void ResetClip();
    // Logical (0, 0) lies at device point Origin (Win32 SetViewportOrgEx).
    TPoint ViewportOrg() const;
    void SetViewportOrg(const TPoint& Origin);
    // Logical units per inch (0: device pixels, the default). Drawing, clips and text are
    // scaled by the surface's pixels per inch over it (Win32's metric mapping, y still
    // growing downwards); pixel reads and writes stay in device pixels.
    int UnitsPerInch() const;
    void SetUnitsPerInch(int v);
    // Saves and restores clip, origin, pen, brush, font and background mode.
    void SaveDC();
    void RestoreDC();

    // Serialises drawing from several threads (the class library's canvas lock).
    void Lock();
    bool TryLock();
    void Unlock();
    int LockCount() const { return FLockCount; }

    // True when the canvas has a surface to draw on.
    bool HandleAllocated() const;
    // Size of the surface in device pixels (0 x 0 without one).
    TSize SurfaceSize() const;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    struct Impl;

protected:
    virtual void Changing() { FireEvent(OnChanging, this); }
    virtual void Changed() { FireEvent(OnChange, this); }

private:
    // The platform reaches it through zvqt::ImplOf.
    friend struct zvqt::ImplAccess;
    Impl* ImplPtr() const { return FImpl.get(); }
    friend struct Impl;
    void ToolChanged(TObject* Sender);

    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    std::unique_ptr<Impl> FImpl;
    TPoint FPenPos;
    TCopyMode FCopyMode = cmSrcCopy;
    TBkMode FBkMode = bkOpaque;
    std::recursive_mutex FLock;
    int FLockCount = 0;
};
