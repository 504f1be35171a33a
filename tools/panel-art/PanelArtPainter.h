#pragma once
// Draws one picture of the table.
#include <vector>

#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QStringList>

#include "tools/panel-art/PanelArtTable.h"

namespace PanelArt {

// Where a picture's caption goes: the largest font size at which every line fits.
struct CaptionLayout {
    QStringList Lines;
    QFont Font;
    int PixelSize = 0;
    std::vector<QPointF> Origins;  // baseline start of each line
    QRectF Limit;                  // the ink must stay inside it (inside the frame, if any)
    QRectF Ink;                    // the ink of all lines together
    bool Fits = true;
};

// Needs a PanelArtApplication alive. An empty caption gives no lines.
CaptionLayout LayoutCaption(const PanelArtEntry& entry);

// Needs a PanelArtApplication alive. The picture is entry.Width x entry.Height.
QImage PaintPanelArt(const PanelArtEntry& entry);

}  // namespace PanelArt
