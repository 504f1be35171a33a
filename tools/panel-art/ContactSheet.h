#pragma once
// The whole set on one sheet, grouped by naming rule, each picture at full size with its
// file name under it.
#include <QImage>

namespace PanelArt {

// Needs a PanelArtApplication alive.
QImage RenderContactSheet();

}  // namespace PanelArt
