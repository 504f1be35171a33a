#include "platform/forms/StaticText.h"

#include <QFontMetrics>

#include "platform/forms/FormsImpl_p.h"
#include "platform/graphics/QtGraphics_p.h"
#include "platform/graphics/ShapedLine_p.h"

TStaticText::TStaticText(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = csCaptureMouse | csClickEvents | csSetCaption | csOpaque | csReplicatable | csDoubleClicks;
    FParentColor = true;
    FAutoSize = true;
    FWidth = 65;
    FHeight = 17;
}

void TStaticText::SetAlignment(TAlignment v)
{
    if (v == FAlignment)
        return;
    FAlignment = v;
    Invalidate();
}

void TStaticText::SetBorderStyle(TStaticBorderStyle v)
{
    if (v == FBorderStyle)
        return;
    FBorderStyle = v;
    AdjustSize();
    Invalidate();
}

void TStaticText::SetShowAccelChar(bool v)
{
    if (v == FShowAccelChar)
        return;
    FShowAccelChar = v;
    Invalidate();
}

void TStaticText::SetTransparent(bool v)
{
    if (v == FTransparent)
        return;
    FTransparent = v;
    zvforms::SetSeeThrough(this, v);
    Invalidate();
}

bool TStaticText::CanAutoSize(int& NewWidth, int& NewHeight)
{
    // The class library measures the caption as one line and adds four border widths
    // each way, whatever the border style.
    // A display refreshed many times a second often shows the same text again: measure only
    // a text or font not measured last.
    if (!MeasuredAsShown()) {
        if (!FMeasured.Font)
            FMeasured.Font = std::make_unique<TFont>();
        FMeasured.Font->Assign(FFont.get());
        FMeasured.Text = FText;
        FMeasured.Line = std::make_shared<const zvqt::TShapedLine>(FText, *FFont);
        FMeasured.Width = FMeasured.Line->Width() + 4;
        FMeasured.Height = FMeasured.Line->Height() + 4;
    }
    NewWidth = FMeasured.Width;
    NewHeight = FMeasured.Height;
    return true;
}

namespace {

// One line of plain printable characters, drawn as it stands (no accelerator, no tab).
bool PlainLine(const AnsiString& Text, bool AccelChar)
{
    for (char c : Text)
        if (c < ' ' || c > '~' || (AccelChar && c == '&'))
            return false;
    return true;
}

} // namespace

void TStaticText::CMTextChanged()
{
    // Off the screen (a page not shown) nobody sees the size: it is worked out when the
    // control shows, not for every text a display refreshed many times a second gets.
    if (FAutoSize && HandleAllocated() && !zvforms::ImplOf(this)->widget->isVisible()) {
        FSizeWhenShown = true;
        SyncWidget();
        return;
    }
    // A display refreshed many times a second mostly changes a few characters at the end of
    // its text: the picture of the characters before them stays, so only the rest is painted.
    const AnsiString before = FMeasured.Text;
    const int beforeWidth = FMeasured.Width, width = FWidth, height = FHeight;
    const bool measured = FAutoSize && FMeasured.Font && FMeasured.Font->SameAs(*FFont);
    AdjustSize();
    if (measured && FWidth == width && FHeight == height && HandleAllocated() && zvforms::ImplOf(this)->widget->isVisible())
        InvalidateClientRect(ChangedTextPart(before, beforeWidth));
    else
        Invalidate();
    if (HandleAllocated())
        SyncWidget();
}

TRect TStaticText::ChangedTextPart(const AnsiString& Before, int BeforeWidth) const
{
    const TRect all = ClientRect();
    // Centred or right-aligned text starts elsewhere when its width changed.
    if (!PlainLine(Before, FShowAccelChar) || !PlainLine(FText, FShowAccelChar) ||
        (FAlignment != taLeftJustify && BeforeWidth != FMeasured.Width))
        return all;
    size_t same = 0;
    while (same < Before.size() && same < FText.size() && Before[same] == FText[same])
        ++same;
    // Two characters back: a ligature or a kerning pair with a changed character can move or
    // reshape the two before it.
    same = same > 2 ? same - 2 : 0;
    if (same == 0)
        return all;
    const QFontMetrics fm(zvqt::ToQFont(*FFont));
    int x = TextLeft(all, FMeasured.Line->Width()) + FMeasured.Line->XOf(static_cast<int>(same));
    // What a glyph can reach left of its place: its bearing, a kerning pair, the smoothing.
    x -= std::max(0, -fm.minLeftBearing()) + fm.height() / 8 + 1;
    if (x <= all.Left)
        return all;
    return TRect(x, all.Top, all.Right, all.Bottom);
}

bool TStaticText::MeasuredAsShown() const
{
    return FMeasured.Font && FMeasured.Text == FText && FMeasured.Font->SameAs(*FFont);
}

int TStaticText::TextLeft(const TRect& R, int TextWidth) const
{
    return FAlignment == taCenter ? R.Left + (R.Width() - TextWidth) / 2 : FAlignment == taRightJustify ? R.Right - TextWidth : R.Left;
}

void TStaticText::WindowShown()
{
    if (!FSizeWhenShown)
        return;
    FSizeWhenShown = false;
    AdjustSize();
    Invalidate();
}

void TStaticText::CMFontChanged()
{
    TCustomControl::CMFontChanged();
    AdjustSize();
}

void TStaticText::PaintNonClient(TCanvas* Canvas)
{
    if (FBorderStyle == sbsNone)
        return;
    TRect r(0, 0, FWidth, FHeight);
    if (FBorderStyle == sbsSunken)
        Canvas->DrawEdge(r, BDR_SUNKENOUTER, BF_RECT);
    else {
        Canvas->Brush()->SetColor(clWindowFrame);
        Canvas->FrameRect(r);
    }
}

void TStaticText::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    if (!FTransparent) {
        c->Brush()->SetStyle(bsSolid);
        c->Brush()->SetColor(FColor);
        c->FillRect(r);
    }
    c->Brush()->SetStyle(bsClear);
    c->Font()->Assign(FFont.get());
    unsigned flags = DT_EXPANDTABS | (FShowAccelChar ? 0u : unsigned(DT_NOPREFIX));
    flags |= FAlignment == taCenter ? DT_CENTER : FAlignment == taRightJustify ? DT_RIGHT : DT_LEFT;
    if (!FEnabled)
        c->Font()->SetColor(clGrayText);
    // A plain line measured for the size is drawn from the glyphs the measure shaped.
    if (MeasuredAsShown() && PlainLine(FText, FShowAccelChar)) {
        zvqt::DrawShapedLine(c, *FMeasured.Line, TextLeft(r, FMeasured.Line->Width()), r.Top, r);
        return;
    }
    c->DrawText(FText, r, flags);
}
