#pragma once
// Pictures kept as PNG bytes inside other files.
#include <vector>

#include "platform/core/Types.h"

class TGraphic;

// The graphic's pixels as PNG bytes; empty for an empty graphic.
std::vector<Byte> GraphicToPng(const TGraphic* G);
// Fills a bitmap or an icon from PNG bytes; EInvalidGraphic "PNG image is not valid" when they are none.
void PngToGraphic(const std::vector<Byte>& Data, TGraphic* G);
