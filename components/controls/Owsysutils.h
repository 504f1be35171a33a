#pragma once
// Drawing routines of the owner-drawn controls: integer geometry, colour channel
// arithmetic, gradients, shapes, centred text, the image-and-caption layout and 3-D frames.
#include <memory>

#include "platform/core/Types.h"
#include "platform/graphics/Color.h"

class TCanvas;
class TBitmap;

enum TOwShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

// Geometry and numbers.
int SolveForX(int APercent, int Value);
int SolveForY(int Part, int Whole);
// Part / Whole * 100, truncated; 0 for a Whole of 0.
int Percent(int Part, int Whole);
int MinIntVal(int A, int B);
int MaxIntVal(int A, int B);
bool InRange(int Value, int Min, int Max);
void AdjustRange(int& Value, int Min, int Max);
int WidthOf(const TRect& R);
int HeightOf(const TRect& R);
bool CompareRect(const TRect& A, const TRect& B);

// Colour.
TColor Color2RGB(TColor Color);
void GetRGB(TColor Color, Byte& Red, Byte& Green, Byte& Blue);
TColor AdjustColor(TColor Color, int Amount);
Byte ClampByte(double Value);
TColor RGBFromReals(double Red, double Green, double Blue);

// Painting. Gradients with a Step below 1 or an empty extent paint nothing.
void DrawGradient(TCanvas* Canvas, const TRect& Rect, TColor FromColor, TColor ToColor, int Direction, int Step);
void DrawGradientExt(TCanvas* Canvas, const TRect& Rect, TColor FromColor, TColor ToColor, int Style, int Step);
void DrawShape(TCanvas* Canvas, TOwShapeType Shape, int X, int Y, int W, int H);
void CalcTextBounds(TCanvas* Canvas, const TRect& Rect, TRect& TextBounds, const AnsiString& Text);
void DrawButtonText(TCanvas* Canvas, const AnsiString& Text, const TRect& Rect, bool Enabled);
void ClearBitmapCanvas(const TRect& Rect, TBitmap* Bitmap, TColor Color);
std::unique_ptr<TBitmap> CreateDitherPattern(TColor Color1, TColor Color2);
void CalcImageTextLayout(TCanvas* Canvas, const TRect& Client, const TPoint& Offset, const AnsiString& Caption,
                         int Layout, int Margin, int Spacing, const TPoint& GlyphSize, TPoint& GlyphPos,
                         TRect& TextBounds);
void DrawOutline3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width);
void DrawFrame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width);
