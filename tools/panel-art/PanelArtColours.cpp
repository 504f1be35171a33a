#include "tools/panel-art/PanelArtColours.h"

#include "platform/graphics/Color.h"

namespace PanelArt {

Rgb ButtonFace()
{
    const TColor c = ColorToRGB(clBtnFace);
    return (static_cast<Rgb>(GetRValue(c)) << 16) | (static_cast<Rgb>(GetGValue(c)) << 8) | GetBValue(c);
}

}  // namespace PanelArt
