#include "tools/panel-art/ContactSheet.h"

#include <algorithm>
#include <string>
#include <vector>

#include <QFontMetrics>
#include <QPainter>

#include "tools/panel-art/PanelArtFonts.h"
#include "tools/panel-art/PanelArtPainter.h"
#include "tools/panel-art/PanelArtTable.h"

namespace PanelArt {
namespace {

constexpr int SheetWidth = 1400;
constexpr int Margin = 16;
constexpr int Gap = 12;
const QColor Backdrop(64, 68, 76);
const QColor Outline(150, 154, 162);
const QColor NameInk(236, 236, 236);

struct Cell {
    const PanelArtEntry* Entry;
    QImage Picture;
    int Width;
    int Height;
};

struct Section {
    std::string Title;
    std::vector<Cell> Cells;
};

std::vector<Section> Sections(const QFontMetrics& nameMetrics)
{
    std::vector<Section> sections;
    for (const PanelArtEntry& e : PanelArtTable()) {
        auto it = std::find_if(sections.begin(), sections.end(),
                               [&](const Section& s) { return s.Title == e.Family; });
        if (it == sections.end()) {
            sections.push_back(Section{e.Family, {}});
            it = sections.end() - 1;
        }
        const int nameWidth = nameMetrics.horizontalAdvance(QString::fromStdString(e.Name));
        it->Cells.push_back(Cell{&e, PaintPanelArt(e), std::max(e.Width + 2, nameWidth),
                                 e.Height + 2 + 4 + nameMetrics.height()});
    }
    return sections;
}

// Lays the cells out in rows; with draw set it also paints them. Returns the height used.
int Flow(QPainter* p, const std::vector<Section>& sections, const QFont& titleFont, const QFont& nameFont)
{
    const QFontMetrics titleMetrics(titleFont);
    const QFontMetrics nameMetrics(nameFont);
    int y = Margin;
    for (const Section& s : sections) {
        if (p) {
            p->setFont(titleFont);
            p->setPen(NameInk);
            p->drawText(Margin, y + titleMetrics.ascent(),
                        QString::fromStdString(s.Title + " (" + std::to_string(s.Cells.size()) + ")"));
        }
        y += titleMetrics.height() + 6;
        int x = Margin;
        int rowHeight = 0;
        for (const Cell& c : s.Cells) {
            if (x > Margin && x + c.Width > SheetWidth - Margin) {
                x = Margin;
                y += rowHeight + Gap;
                rowHeight = 0;
            }
            if (p) {
                p->setPen(Outline);
                p->setBrush(Qt::NoBrush);
                p->drawRect(x, y, c.Entry->Width + 1, c.Entry->Height + 1);
                p->drawImage(x + 1, y + 1, c.Picture);
                p->setFont(nameFont);
                p->setPen(NameInk);
                p->drawText(x, y + c.Entry->Height + 2 + 4 + nameMetrics.ascent(),
                            QString::fromStdString(c.Entry->Name));
            }
            x += c.Width + Gap;
            rowHeight = std::max(rowHeight, c.Height);
        }
        y += rowHeight + Gap + 10;
    }
    return y + Margin;
}

}  // namespace

QImage RenderContactSheet()
{
    const QFont titleFont = ArtFont(14, true);
    const QFont nameFont = ArtFont(11, false);
    const std::vector<Section> sections = Sections(QFontMetrics(nameFont));
    const int height = Flow(nullptr, sections, titleFont, nameFont);
    QImage sheet(SheetWidth, height, QImage::Format_RGB32);
    sheet.fill(Backdrop);
    QPainter p(&sheet);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    Flow(&p, sections, titleFont, nameFont);
    p.end();
    return sheet;
}

}  // namespace PanelArt
