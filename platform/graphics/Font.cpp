#include "platform/graphics/Font.h"

#include <cmath>

namespace {
int MulDivRound(int a, int b, int c)
{
    return static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}
} // namespace

TFont::TFont() = default;

void TFont::SetName(const AnsiString& v)
{
    if (v == FName || v.empty())
        return;
    FName = v;
    Changed();
}

int TFont::Size() const { return -MulDivRound(FHeight, 72, ScreenPixelsPerInch); }

void TFont::SetSize(int v) { SetHeight(-MulDivRound(v, ScreenPixelsPerInch, 72)); }

void TFont::SetHeight(int v)
{
    if (v == FHeight)
        return;
    FHeight = v;
    Changed();
}

void TFont::SetColor(TColor v)
{
    if (v == FColor)
        return;
    FColor = v;
    Changed();
}

void TFont::SetStyle(TFontStyles v)
{
    if (v == FStyle)
        return;
    FStyle = v;
    Changed();
}

void TFont::SetPitch(TFontPitch v)
{
    if (v == FPitch)
        return;
    FPitch = v;
    Changed();
}

void TFont::SetCharset(int v)
{
    if (v == FCharset)
        return;
    FCharset = v;
    Changed();
}

void TFont::SetOrientation(int v)
{
    if (v == FOrientation)
        return;
    FOrientation = v;
    Changed();
}

bool TFont::SameAs(const TFont& o) const
{
    return FName == o.FName && FHeight == o.FHeight && FColor == o.FColor && FStyle == o.FStyle
        && FPitch == o.FPitch && FCharset == o.FCharset && FOrientation == o.FOrientation;
}

void TFont::Assign(TPersistent* Source)
{
    auto* f = dynamic_cast<TFont*>(Source);
    if (!f) {
        TGraphicsObject::Assign(Source);
        return;
    }
    if (SameAs(*f))
        return;
    FName = f->FName;
    FHeight = f->FHeight;
    FColor = f->FColor;
    FStyle = f->FStyle;
    FPitch = f->FPitch;
    FCharset = f->FCharset;
    FOrientation = f->FOrientation;
    Changed();
}
