#include "components/controls/Owsysutils.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

int SolveForX(int APercent, int Value) { return static_cast<int>(std::trunc(Value * APercent * 0.01)); }

int SolveForY(int Part, int Whole)
{
    if (Whole == 0)
        return 0;
    return static_cast<int>(std::trunc(Part * 100.0 / Whole));
}

int Percent(int Part, int Whole)
{
    if (Whole == 0)
        return 0;
    return static_cast<int>(std::trunc(static_cast<double>(Part) / Whole * 100));
}

int MinIntVal(int A, int B) { return A < B ? A : B; }
int MaxIntVal(int A, int B) { return A > B ? A : B; }
bool InRange(int Value, int Min, int Max) { return Min <= Value && Value <= Max; }

void AdjustRange(int& Value, int Min, int Max)
{
    if (Value < Min)
        Value = Min;
    else if (Value > Max)
        Value = Max;
}

int WidthOf(const TRect& R) { return R.Right - R.Left; }
int HeightOf(const TRect& R) { return R.Bottom - R.Top; }
bool CompareRect(const TRect& A, const TRect& B) { return A == B; }

TColor Color2RGB(TColor Color)
{
    if (Color < 0) // top bit: a system colour
        return GetSysColor(Color & 0xFF);
    return Color;
}

void GetRGB(TColor Color, Byte& Red, Byte& Green, Byte& Blue)
{
    const TColor c = Color2RGB(Color);
    Red = GetRValue(c);
    Green = GetGValue(c);
    Blue = GetBValue(c);
}

TColor AdjustColor(TColor Color, int Amount)
{
    const TColor c = ColorToRGB(Color);
    const auto move = [Amount](int channel) {
        const int sum = channel + Amount;
        if (Amount > 0)
            return sum > 255 ? 254 : sum;
        return sum < 0 ? 1 : sum;
    };
    return RGB(move(GetRValue(c)), move(GetGValue(c)), move(GetBValue(c)));
}

Byte ClampByte(double Value)
{
    const double r = std::nearbyint(Value); // ties to even in the default rounding mode
    if (r < 0)
        return 0;
    if (r > 255)
        return 255;
    return static_cast<Byte>(r);
}

TColor RGBFromReals(double Red, double Green, double Blue)
{
    return RGB(ClampByte(Red), ClampByte(Green), ClampByte(Blue));
}

void DrawGradient(TCanvas* Canvas, const TRect& Rect, TColor FromColor, TColor ToColor, int Direction, int Step)
{
    if (Step < 1 || (Direction != 0 && Direction != 1))
        return;
    const TColor c0 = Color2RGB(FromColor);
    const TColor c1 = Color2RGB(ToColor);
    const int r0 = GetRValue(c0), g0 = GetGValue(c0), b0 = GetBValue(c0);
    const int dR = GetRValue(c1) - r0, dG = GetGValue(c1) - g0, dB = GetBValue(c1) - b0;
    const int W = std::max(1, WidthOf(Rect));
    const int H = std::max(1, HeightOf(Rect));
    double r = r0, g = g0, b = b0;
    TBrush* brush = Canvas->Brush();
    brush->SetStyle(bsSolid);
    // Direction 1 runs the bands left to right, 0 top to bottom.
    const bool across = Direction == 1;
    const int length = across ? W : H;
    TRect band = across ? TRect(Rect.Left, Rect.Top, Rect.Left + Step, Rect.Top + H)
                        : TRect(Rect.Left, Rect.Top, Rect.Left + W, Rect.Top + Step);
    for (int i = 0; i <= length; i += Step) {
        brush->SetColor(RGBFromReals(r, g, b));
        Canvas->FillRect(band);
        if (across) {
            band.Left += Step;
            band.Right += Step;
        } else {
            band.Top += Step;
            band.Bottom += Step;
        }
        r += static_cast<double>(dR) / length * Step;
        g += static_cast<double>(dG) / length * Step;
        b += static_cast<double>(dB) / length * Step;
    }
}

namespace {
Byte Blend(int c1, int c2, int p, int e) { return static_cast<Byte>(c1 + (c2 - c1) * p / e); }
}

void DrawGradientExt(TCanvas* Canvas, const TRect& Rect, TColor FromColor, TColor ToColor, int Style, int Step)
{
    const int W = WidthOf(Rect);
    const int H = HeightOf(Rect);
    if (Step < 1 || Style < 1 || Style > 6)
        return;
    Byte R1, G1, B1, R2, G2, B2;
    GetRGB(FromColor, R1, G1, B1);
    GetRGB(ToColor, R2, G2, B2);
    const auto colourAt = [&](int p, int e) {
        return RGB(Blend(R1, R2, p, e), Blend(G1, G2, p, e), Blend(B1, B2, p, e));
    };
    TBrush* brush = Canvas->Brush();
    brush->SetStyle(bsSolid);
    const auto fill = [&](const TRect& band, TColor c) {
        brush->SetColor(c);
        Canvas->FillRect(band);
    };
    switch (Style) {
    case 1: {
        if (H <= 0)
            return;
        TRect band(Rect.Left, Rect.Top, Rect.Left + W, Rect.Top + Step);
        for (int y = 0; y < H; y += Step) {
            fill(band, colourAt(y, H));
            band.Top += Step;
            band.Bottom += Step;
        }
        break;
    }
    case 2: {
        if (W <= 0)
            return;
        TRect band(Rect.Left, Rect.Top, Rect.Left + Step, Rect.Top + H);
        for (int x = 0; x <= W; x += Step) {
            fill(band, colourAt(x, W));
            band.Left += Step;
            band.Right += Step;
        }
        break;
    }
    case 3:
    case 4: {
        const int E = W + H;
        if (E <= 0)
            return;
        TPen* pen = Canvas->Pen();
        pen->SetWidth(Step);
        pen->SetStyle(psSolid);
        for (int p = 0; p <= E; p += Step) {
            pen->SetColor(colourAt(p, E));
            if (Style == 3) {
                Canvas->MoveTo(p, 0);
                Canvas->LineTo(-1, p);
            } else {
                Canvas->MoveTo(0, H - p);
                Canvas->LineTo(p, H);
            }
        }
        break;
    }
    case 5:
    case 6: {
        const bool across = Style == 6;
        const int Half = (across ? W : H) / 2;
        if (Half <= 0)
            return;
        TRect band = across ? TRect(Rect.Left, Rect.Top, Rect.Left + Step, Rect.Top + H)
                            : TRect(Rect.Left, Rect.Top, Rect.Left + W, Rect.Top + Step);
        const auto next = [&] {
            if (across) {
                band.Left += Step;
                band.Right += Step;
            } else {
                band.Top += Step;
                band.Bottom += Step;
            }
        };
        int p = 0;
        for (; p < Half; p += Step) {
            fill(band, colourAt(p, Half));
            next();
        }
        for (; p >= 0; p -= Step) {
            fill(band, colourAt(p, Half));
            next();
        }
        break;
    }
    }
}

void DrawShape(TCanvas* Canvas, TOwShapeType Shape, int X, int Y, int W, int H)
{
    if (Canvas->Pen()->Width() == 0) {
        --W;
        --H;
    }
    const int S = std::min(W, H);
    if (Shape == stSquare || Shape == stRoundSquare || Shape == stCircle) {
        X += (W - S) / 2;
        Y += (H - S) / 2;
        W = H = S;
    }
    switch (Shape) {
    case stRectangle:
    case stSquare:
        Canvas->Rectangle(X, Y, X + W, Y + H);
        break;
    case stRoundRect:
    case stRoundSquare:
        Canvas->RoundRect(X, Y, X + W, Y + H, S / 4, S / 4);
        break;
    case stEllipse:
    case stCircle:
        Canvas->Ellipse(X, Y, X + W, Y + H);
        break;
    }
}

void CalcTextBounds(TCanvas* Canvas, const TRect& Rect, TRect& TextBounds, const AnsiString& Text)
{
    TextBounds = TRect(0, 0, WidthOf(Rect), 0);
    Canvas->DrawText(Text, TextBounds, DT_CALCRECT);
    const int dx = (WidthOf(Rect) + 1 - WidthOf(TextBounds)) / 2 + Rect.Left;
    const int dy = (HeightOf(Rect) + 1 - HeightOf(TextBounds)) / 2 + Rect.Top;
    TextBounds = TRect(TextBounds.Left + dx, TextBounds.Top + dy, TextBounds.Right + dx, TextBounds.Bottom + dy);
}

void DrawButtonText(TCanvas* Canvas, const AnsiString& Text, const TRect& Rect, bool Enabled)
{
    Canvas->Brush()->SetStyle(bsClear);
    TRect r = Rect;
    if (Enabled) {
        Canvas->DrawText(Text, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        return;
    }
    TRect shifted(Rect.Left + 1, Rect.Top + 1, Rect.Right + 1, Rect.Bottom + 1);
    Canvas->Font()->SetColor(clBtnHighlight);
    Canvas->DrawText(Text, shifted, 0);
    Canvas->Font()->SetColor(clBtnShadow);
    Canvas->DrawText(Text, r, 0);
}

void ClearBitmapCanvas(const TRect& Rect, TBitmap* Bitmap, TColor Color)
{
    Bitmap->SetSize(WidthOf(Rect), HeightOf(Rect));
    TCanvas* c = Bitmap->Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color);
    c->FillRect(Rect);
}

std::unique_ptr<TBitmap> CreateDitherPattern(TColor Color1, TColor Color2)
{
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetSize(8, 8);
    TCanvas* c = bmp->Canvas();
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(Color2);
    c->FillRect(TRect(0, 0, 8, 8));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            if ((x % 2) == (y % 2))
                c->SetPixels(x, y, Color1);
    return bmp;
}

void CalcImageTextLayout(TCanvas* Canvas, const TRect& Client, const TPoint& Offset, const AnsiString& Caption,
                         int Layout, int Margin, int Spacing, const TPoint& GlyphSize, TPoint& GlyphPos,
                         TRect& TextBounds)
{
    const TPoint ClientSize(WidthOf(Client), HeightOf(Client));
    TPoint TextSize;
    if (!Caption.empty()) {
        TextBounds = TRect(0, 0, WidthOf(Client), 0);
        Canvas->DrawText(Caption, TextBounds, DT_CALCRECT);
        TextSize = TPoint(WidthOf(TextBounds), HeightOf(TextBounds));
    } else {
        TextBounds = TRect(0, 0, 0, 0);
    }
    TPoint TextPos;
    const bool beside = Layout == 1 || Layout == 2;
    if (beside) {
        GlyphPos.y = (ClientSize.y - GlyphSize.y + 1) / 2;
        TextPos.y = (ClientSize.y - TextSize.y + 1) / 2;
    } else {
        GlyphPos.x = (ClientSize.x - GlyphSize.x + 1) / 2;
        TextPos.x = (ClientSize.x - TextSize.x + 1) / 2;
    }
    if (TextSize.x == 0 || GlyphSize.x == 0)
        Spacing = 0;
    const int client = beside ? ClientSize.x : ClientSize.y;
    const int glyph = beside ? GlyphSize.x : GlyphSize.y;
    const int text = beside ? TextSize.x : TextSize.y;
    if (Margin == -1 && Spacing == -1) {
        Margin = (client - (glyph + text)) / 3;
        Spacing = Margin;
    } else if (Margin == -1) {
        Margin = (client - (glyph + Spacing + text) + 1) / 2;
    } else if (Spacing == -1) {
        Spacing = (client - (Margin + glyph) - text) / 2;
    }
    switch (Layout) {
    case 1:
        GlyphPos.x = Margin;
        TextPos.x = GlyphPos.x + GlyphSize.x + Spacing;
        break;
    case 2:
        GlyphPos.x = ClientSize.x - Margin - GlyphSize.x;
        TextPos.x = GlyphPos.x - Spacing - TextSize.x;
        break;
    case 3:
        GlyphPos.y = Margin;
        TextPos.y = GlyphPos.y + GlyphSize.y + Spacing;
        break;
    case 4:
        GlyphPos.y = ClientSize.y - Margin - GlyphSize.y;
        TextPos.y = GlyphPos.y - Spacing - TextSize.y;
        break;
    default:
        break;
    }
    GlyphPos.x += Client.Left + Offset.x;
    GlyphPos.y += Client.Top + Offset.y;
    const int dx = TextPos.x + Client.Left + Offset.x;
    const int dy = TextPos.y + Client.Top + Offset.y;
    TextBounds = TRect(TextBounds.Left + dx, TextBounds.Top + dy, TextBounds.Right + dx, TextBounds.Bottom + dy);
}

namespace {
// One ring per unit of Width: the top-left colour on the left and top sides, the
// bottom-right colour on the right and bottom sides (the bottom side running under the
// left one, except for an outline). Filled as one-pixel bands, the pixels of the lines.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width, bool Outline)
{
    TBrush* brush = Canvas->Brush();
    const TBrushStyle style = brush->Style();
    const TColor color = brush->Color();
    brush->SetStyle(bsSolid);
    int l = Rect.Left, t = Rect.Top, r = Rect.Right - 1, b = Rect.Bottom - 1;
    while (Width > 0) {
        --Width;
        brush->SetColor(TopColor);
        Canvas->FillRect(TRect(l, t, l + 1, b + 1));
        Canvas->FillRect(TRect(l, t, r, t + 1));
        brush->SetColor(BottomColor);
        Canvas->FillRect(TRect(r, t, r + 1, b + 1));
        Canvas->FillRect(TRect(Outline ? l + 1 : l, b, r, b + 1));
        ++l;
        ++t;
        --r;
        --b;
    }
    Rect = TRect(l, t, r + 1, b + 1);
    brush->SetColor(color);
    brush->SetStyle(style);
}
}

void DrawOutline3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width)
{
    Frame3D(Canvas, Rect, TopColor, BottomColor, Width, true);
}

void DrawFrame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width)
{
    Frame3D(Canvas, Rect, TopColor, BottomColor, Width, false);
}
