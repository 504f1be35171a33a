#pragma once
// Looking at what a drawing left in a bitmap.
#include <algorithm>

#include "platform/graphics/Bitmap.h"

// The bounding box of the pixels of Colour (empty when there are none).
inline TRect InkOf(TBitmap* B, TColor Colour)
{
    TRect r(B->Width(), B->Height(), -1, -1);
    for (int y = 0; y < B->Height(); ++y)
        for (int x = 0; x < B->Width(); ++x)
            if (B->Canvas()->Pixels(x, y) == Colour)
                r = TRect(std::min<int>(r.Left, x), std::min<int>(r.Top, y), std::max<int>(r.Right, x + 1),
                          std::max<int>(r.Bottom, y + 1));
    return r.Right < 0 ? TRect(0, 0, 0, 0) : r;
}
