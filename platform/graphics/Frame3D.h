#pragma once
// Frame3D: Width rings of a 3-D frame, TopColor on the top and left, BottomColor on the
// bottom and right; Rect comes back shrunk by Width on every side.
#include "platform/graphics/Canvas.h"

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width);
