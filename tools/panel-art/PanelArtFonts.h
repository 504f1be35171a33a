#pragma once
// The fonts of the pictures: DejaVu, loaded from its files by PanelArtApplication.
#include <QFont>

namespace PanelArt {

// DejaVu Sans, bold or regular, at a size in pixels; no fallback to other fonts.
// Needs a PanelArtApplication alive.
QFont ArtFont(int pixelSize, bool bold = true);

}  // namespace PanelArt
