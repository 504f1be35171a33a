#pragma once
// The colours of the front-panel pictures, as 0xRRGGBB. The display colours are the
// ones the pages use for their labels, so pictures and labels match exactly.
#include <cstdint>

namespace PanelArt {

using Rgb = std::uint32_t;

constexpr Rgb Black = 0x000000;
constexpr Rgb White = 0xFFFFFF;
constexpr Rgb Lime = 0x00FF00;
constexpr Rgb Grey = 0x808080;   // inactive text; also the colour of the soft keys' surround
constexpr Rgb Navy = 0x000080;   // the navy bands of the setup and bin tables
constexpr Rgb Aqua = 0x00FFFF;   // the nominal's unit on the bin measurement page

// The panel's face colour: clBtnFace as the forms layer resolves it. The keys' corners are
// painted in it, and the power key is see-through where it shows (its Color is clBtnFace).
Rgb ButtonFace();

// Faces of the panel keys.
constexpr Rgb KeyLight = 0xF2F2F0;
constexpr Rgb KeyDark = 0x4A505A;
constexpr Rgb KeyBlue = 0x2C4A7C;
constexpr Rgb KeyCap = 0x5C6270;    // the blank soft-key cap
constexpr Rgb KeyInk = 0x141414;
constexpr Rgb PanelInk = 0x2A2E36;  // symbols printed on the panel's light parts (the warning sign)
// Legends printed straight on the dark front panel (POWER, the USB sign, the maker's name):
// light on the panel's own face, as the model and range texts beside them, so that their
// smoothed edges blend into the panel and they read as print, not as an outline.
constexpr Rgb PanelFace = 0x32363A;  // the main window paints its front panel so
constexpr Rgb PanelLegend = 0xE4E6EA;

constexpr Rgb PowerWhite = 0xF4F4F4;
constexpr Rgb PowerGreen = 0x18E048;

}  // namespace PanelArt
