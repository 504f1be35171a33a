// The string grid's own scroll bars: their areas and thumbs, their painting in
// a given look and the clicks on their buttons and tracks.
#include <algorithm>

#include "components/grid/RavbaseStringGrid.h"
#include "components/grid/Ravutil.h"
#include "platform/graphics/Canvas.h"

namespace {
constexpr int kMinThumb = 8;
} // namespace

int TStringGrid::ThumbLength(bool, int) const { return std::max(kMinThumb, FScrollBarSize); }

TRect TStringGrid::VScrollRect() const
{
    if (!VScrollShown())
        return TRect();
    return TRect(GridWidth(), 0, GridWidth() + FScrollBarSize, GridHeight());
}

TRect TStringGrid::HScrollRect() const
{
    if (!HScrollShown())
        return TRect();
    return TRect(0, GridHeight(), GridWidth(), GridHeight() + FScrollBarSize);
}

TRect TStringGrid::VThumbRect() const
{
    TRect r = VScrollRect();
    if (r.IsEmpty())
        return r;
    const int track = r.Height() - 2 * FScrollBarSize;
    const int range = std::max(1, MaxTopRow() - FFixedRows);
    const int thumb = std::min(ThumbLength(true, track), track);
    const int pos = FThumbDrag == 1 ? FThumbPos : int((long long)(track - thumb) * (FTopLeft.Y - FFixedRows) / range);
    return TRect(r.Left, r.Top + FScrollBarSize + pos, r.Right, r.Top + FScrollBarSize + pos + thumb);
}

TRect TStringGrid::HThumbRect() const
{
    TRect r = HScrollRect();
    if (r.IsEmpty())
        return r;
    const int track = r.Width() - 2 * FScrollBarSize;
    const int range = std::max(1, MaxLeftCol() - FFixedCols);
    const int thumb = std::min(ThumbLength(false, track), track);
    const int pos = FThumbDrag == 2 ? FThumbPos : int((long long)(track - thumb) * (FTopLeft.X - FFixedCols) / range);
    return TRect(r.Left + FScrollBarSize + pos, r.Top, r.Left + FScrollBarSize + pos + thumb, r.Bottom);
}

void TStringGrid::DrawScrollBars() { PaintScrollBars({clScrollBar, clBtnFace, clNone, clBtnFace}); }

void TStringGrid::PaintScrollBars(const TScrollBarLook& Look)
{
    TCanvas* cv = Canvas();
    auto bar = [&](const TRect& r, const TRect& thumb, bool vertical) {
        if (r.IsEmpty())
            return;
        cv->Brush()->SetColor(Look.Track);
        cv->FillRect(r);
        const int s = FScrollBarSize;
        const TRect a1 =
            vertical ? TRect(r.Left, r.Top, r.Right, r.Top + s) : TRect(r.Left, r.Top, r.Left + s, r.Bottom);
        const TRect a2 =
            vertical ? TRect(r.Left, r.Bottom - s, r.Right, r.Bottom) : TRect(r.Right - s, r.Top, r.Right, r.Bottom);
        for (TRect a : {a1, a2, thumb}) {
            cv->Brush()->SetColor(Look.Face);
            cv->FillRect(a);
            if (Look.Frame == clNone)
                cv->DrawEdge(a, EDGE_RAISED, BF_RECT);
            else {
                cv->Brush()->SetColor(Look.Frame);
                cv->FrameRect(a);
            }
        }
        cv->Brush()->SetColor(clBtnText);
        cv->Pen()->SetColor(clBtnText);
        DrawButtonArrow(cv, a1, vertical ? arrUp : arrLeft);
        DrawButtonArrow(cv, a2, vertical ? arrDown : arrRight);
    };
    bar(VScrollRect(), VThumbRect(), true);
    bar(HScrollRect(), HThumbRect(), false);
    const TRect v = VScrollRect(), h = HScrollRect();
    if (!v.IsEmpty() && !h.IsEmpty()) {
        cv->Brush()->SetColor(Look.Corner);
        cv->FillRect(TRect(v.Left, h.Top, v.Right, h.Bottom));
    }
}

bool TStringGrid::ScrollBarMouse(int X, int Y, bool Down)
{
    const TPoint p(X, Y);
    TRect v = VScrollRect();
    if (!v.IsEmpty() && v.Contains(p)) {
        if (!Down)
            return true;
        TRect t = VThumbRect();
        const int page = std::max(1, VisibleRowCount());
        if (Y < v.Top + FScrollBarSize)
            SetTopRow(FTopLeft.Y - 1);
        else if (Y >= v.Bottom - FScrollBarSize)
            SetTopRow(std::min(MaxTopRow(), FTopLeft.Y + 1));
        else if (Y < t.Top)
            SetTopRow(FTopLeft.Y - page);
        else if (Y >= t.Bottom)
            SetTopRow(std::min(MaxTopRow(), FTopLeft.Y + page));
        else {
            FThumbGrab = Y - t.Top;
            FThumbPos = t.Top - v.Top - FScrollBarSize;
            FThumbDrag = 1;
            SetMouseCapture(true);
        }
        return true;
    }
    TRect h = HScrollRect();
    if (!h.IsEmpty() && h.Contains(p)) {
        if (!Down)
            return true;
        TRect t = HThumbRect();
        const int page = std::max(1, VisibleColCount());
        if (X < h.Left + FScrollBarSize)
            SetLeftCol(FTopLeft.X - 1);
        else if (X >= h.Right - FScrollBarSize)
            SetLeftCol(std::min(MaxLeftCol(), FTopLeft.X + 1));
        else if (X < t.Left)
            SetLeftCol(FTopLeft.X - page);
        else if (X >= t.Right)
            SetLeftCol(std::min(MaxLeftCol(), FTopLeft.X + page));
        else {
            FThumbGrab = X - t.Left;
            FThumbPos = t.Left - h.Left - FScrollBarSize;
            FThumbDrag = 2;
            SetMouseCapture(true);
        }
        return true;
    }
    return false;
}

// The thumb follows the mouse; the cells follow it with goThumbTracking, else at the release.
void TStringGrid::ThumbDragTo(int X, int Y)
{
    const bool vertical = FThumbDrag == 1;
    const TRect bar = vertical ? VScrollRect() : HScrollRect();
    const TRect t = vertical ? VThumbRect() : HThumbRect();
    const int track = vertical ? bar.Height() - 2 * FScrollBarSize - t.Height()
                               : bar.Width() - 2 * FScrollBarSize - t.Width();
    if (track <= 0)
        return;
    const int at = vertical ? Y - bar.Top : X - bar.Left;
    FThumbPos = std::max(0, std::min(track, at - FThumbGrab - FScrollBarSize));
    ThumbTracking(vertical, int((long long)FThumbPos * 127 / track));
    if (FOptions & goThumbTracking)
        ScrollToThumb(vertical, track);
    else
        Invalidate();
}

void TStringGrid::ThumbDragEnd()
{
    const bool vertical = FThumbDrag == 1;
    const TRect bar = vertical ? VScrollRect() : HScrollRect();
    const TRect t = vertical ? VThumbRect() : HThumbRect();
    const int track = vertical ? bar.Height() - 2 * FScrollBarSize - t.Height()
                               : bar.Width() - 2 * FScrollBarSize - t.Width();
    if (track > 0)
        ScrollToThumb(vertical, track);
    FThumbDrag = 0;
    SetMouseCapture(false);
    Invalidate();
    ThumbReleased(vertical);
}

void TStringGrid::ScrollToThumb(bool Vertical, int Track)
{
    if (Vertical)
        SetTopRow(FFixedRows + int((long long)FThumbPos * (MaxTopRow() - FFixedRows) / Track));
    else
        SetLeftCol(FFixedCols + int((long long)FThumbPos * (MaxLeftCol() - FFixedCols) / Track));
}
