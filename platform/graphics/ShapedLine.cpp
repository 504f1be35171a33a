#include "platform/graphics/ShapedLine_p.h"

#include <QFontMetrics>
#include <QTextOption>

#include "platform/graphics/QtGraphics_p.h"

namespace zvqt {

TShapedLine::TShapedLine(const AnsiString& Text, const TFont& Font) : FLayout(ToQString(Text), ToQFont(Font))
{
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    FLayout.setTextOption(option);
    // The glyphs stay with the layout for the paint instead of being shaped again.
    FLayout.setCacheEnabled(true);
    FLayout.beginLayout();
    const QTextLine line = FLayout.createLine();
    FLayout.endLayout();
    FAscent = line.isValid() ? line.ascent() : 0;
    FWidth = line.isValid() ? qRound(line.horizontalAdvance()) : 0;
    FHeight = QFontMetrics(FLayout.font()).height();
}

int TShapedLine::XOf(int Pos) const
{
    const QTextLine line = FLayout.lineAt(0);
    return line.isValid() ? qRound(line.cursorToX(Pos)) : 0;
}

void TShapedLine::Draw(QPainter* P, const QPoint& Baseline) const
{
    FLayout.draw(P, QPointF(Baseline.x(), Baseline.y() - FAscent));
}

} // namespace zvqt
