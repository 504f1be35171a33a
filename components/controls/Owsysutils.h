#pragma once
// Drawing routines of the owner-drawn controls: integer geometry, colour channel
// arithmetic, gradients, shapes, centred text, the image-and-caption layout and 3-D frames.
#include <memory>

#include "platform/core/Types.h"
#include "platform/graphics/Color.h"

class TCanvas;
class TBitmap;
class TGraphic;
class TComponent;
class TControl;
class TWinControl;

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

// Canvas utilities. Zero or negative sizes, an empty bitmap and a dot pitch below 1 draw
// nothing (no division by zero, no endless loop).
// Paints what lies under Control: its parent's background and the parent's graphic
// controls below it.
void CopyParentImage(TControl* Control, TCanvas* Dest);
// The topmost windowed owner of the chain of windowed owners (nullptr when the direct
// owner is not windowed).
TWinControl* GetOwnerControl(TComponent* Component);
void SetCanvasTextAngle(TCanvas* Canvas, int Angle);
void CanvasTextOutAngle(TCanvas* Canvas, int X, int Y, int Angle, const AnsiString& Text);
TSize GetTextSize(TCanvas* Canvas, const AnsiString& Text);
void Draw3DText(TCanvas* Canvas, int X, int Y, const AnsiString& Text, TColor FirstColor, TColor SecondColor);
void DrawShadowTextExt(TCanvas* Canvas, int X, int Y, const AnsiString& Text, TColor ShadowColor, int DX, int DY);
void DrawOutlinedText(TCanvas* Canvas, int X, int Y, const AnsiString& Text, TColor Color, int Width);
void StretchPaintOnText(TCanvas* Canvas, const TRect& Rect, int X, int Y, const AnsiString& Text, TGraphic* Picture,
                        int Angle);
void DrawRasterPattern(TCanvas* Canvas, const TRect& Rect, TColor DotColor, TColor BackColor, int DotSize, int Gap);
void StretchPaintOnRasterPattern(TCanvas* Canvas, const TRect& Rect, TGraphic* Picture, TColor DotColor,
                                 TColor BackColor, int DotSize, int Gap);
void BitmapToLCD(TBitmap* Dest, TBitmap* Source, TColor DotColor, TColor BackColor, int DotSize, int Gap);
void DrawTiledBitmap(TCanvas* Canvas, const TRect& Rect, TBitmap* Bitmap);
TRect BitmapRect(TBitmap* Bitmap);
TRect GlyphRect(TBitmap* Bitmap, int Index, int Count);
void ChangeBitmapColor(TBitmap* Bitmap, TColor FromColor, TColor ToColor);
void DrawBitmap(TCanvas* Canvas, const TRect& Rect, TBitmap* Bitmap, const TRect& SourceRect, bool Transparent,
                TColor TransparentColor);
// The text before the first Delimiter, taken off S with the Delimiter (all of S when none).
AnsiString GetStrParam(AnsiString& S, char Delimiter);
