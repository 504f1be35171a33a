#pragma once
// What can be learnt about the drawn pictures only from the drawing library itself (the
// fonts, the drawn bytes, the contact sheet's decoding), told in plain types so that
// code without Qt can check it.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/panel-art/PanelArtTable.h"

namespace PanelArt {

// A picture drawn and encoded byte for byte as its file. Needs a PanelArtApplication alive.
std::vector<std::uint8_t> DrawPanelArtFile(const PanelArtEntry& entry);

// A rectangle in picture coordinates; edges may fall between pixels.
struct ArtRect {
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
};

// Where a caption was laid out and whether its font can draw it.
struct CaptionFacts {
    bool Fits = true;
    int PixelSize = 0;
    ArtRect Limit;                        // the ink must stay inside it
    ArtRect Ink;                          // the ink of all lines together
    int CharactersLookedUp = 0;           // every character of every line
    std::vector<char32_t> MissingGlyphs;  // characters the caption's font has no glyph for
};

// Needs a PanelArtApplication alive. An empty caption gives no lines.
CaptionFacts DescribeCaption(const PanelArtEntry& entry);

// The size of a PNG file, decoded whole; both 0 when it is missing or no readable PNG.
struct ImageSize {
    int Width = 0;
    int Height = 0;
};
ImageSize ReadPngSize(const std::string& path);

}  // namespace PanelArt
