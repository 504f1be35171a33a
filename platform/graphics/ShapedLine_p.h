#pragma once
// Private to the platform layer: a line of text shaped once, then measured, located and
// drawn from the same glyphs. Shaping a line costs about as much as drawing it; a display
// refreshed many times a second measures, locates and draws each new text.
#include <QFont>
#include <QTextLayout>

#include "platform/graphics/Canvas.h"

namespace zvqt {

class TShapedLine {
public:
    TShapedLine(const AnsiString& Text, const TFont& Font);
    TShapedLine(const TShapedLine&) = delete;
    TShapedLine& operator=(const TShapedLine&) = delete;

    // As TCanvas::TextWidth and TextHeight measure the text.
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Where character Pos starts, from the line's left end.
    int XOf(int Pos) const;
    // Draws with the left end of the baseline at Baseline, in the painter's pen.
    void Draw(QPainter* P, const QPoint& Baseline) const;

private:
    QTextLayout FLayout;
    qreal FAscent = 0;
    int FWidth = 0, FHeight = 0;
};

// Draws Line with its top left at X, Y as DrawText draws one line of plain text: in the
// canvas's font colour, on its brush when opaque, cut to Clip.
void DrawShapedLine(TCanvas* C, const TShapedLine& Line, int X, int Y, const TRect& Clip);

} // namespace zvqt
