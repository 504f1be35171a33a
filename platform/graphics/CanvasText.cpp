// The canvas's text: measuring, TextOut, TextRect and DrawText with its layout flags.
#include "platform/graphics/Canvas.h"

#include <QFontMetrics>
#include <algorithm>

#include "platform/graphics/CanvasImpl_p.h"

using namespace zvqt;

int TCanvas::TextWidth(const AnsiString& Text) { return TextExtent(Text).cx; }

int TCanvas::TextHeight(const AnsiString&)
{
    // The line height of the font, whatever the text: nothing to lay out.
    return QFontMetrics(FImpl->Font()).height();
}

TSize TCanvas::TextExtent(const AnsiString& Text)
{
    QFontMetrics fm(FImpl->Font());
    return TSize{fm.horizontalAdvance(ToQString(Text)), fm.height()};
}

namespace {

void DrawRotated(QPainter* p, const QFont& f, int orientation, int x, int y, const QString& s)
{
    QFontMetrics fm(f);
    p->save();
    p->translate(x, y);
    p->rotate(-orientation / 10.0);
    p->drawText(QPoint(0, fm.ascent()), s);
    p->restore();
}

} // namespace

void TCanvas::TextOut(int X, int Y, const AnsiString& Text)
{
    QPainter* p = FImpl->P();
    const QString s = ToQString(Text);
    const QFont& f = FImpl->Font();
    QFontMetrics fm(f);
    const int w = fm.horizontalAdvance(s);
    if (p) {
        Changing();
        p->setCompositionMode(QPainter::CompositionMode_SourceOver);
        p->setFont(f);
        if (FFont->Orientation() != 0) {
            p->setPen(FImpl->Col(FFont->Color()));
            DrawRotated(p, f, FFont->Orientation(), X, Y, s);
        } else {
            if (FBkMode == bkOpaque)
                p->fillRect(QRect(X, Y, w, fm.height()), FImpl->Col(FBrush->Color()));
            p->setPen(FImpl->Col(FFont->Color()));
            p->drawText(QPoint(X, Y + fm.ascent()), s);
        }
        Changed();
    }
    FPenPos = TPoint(X + w, Y);
}

void TCanvas::TextRect(const TRect& Rect, int X, int Y, const AnsiString& Text)
{
    QPainter* p = FImpl->P();
    if (!p)
        return;
    Changing();
    p->save();
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    p->setClipRect(ToQRect(Rect), Qt::IntersectClip);
    if (FBrush->Style() != bsClear)
        p->fillRect(ToQRect(Rect), FImpl->Col(FBrush->Color()));
    const QFont& f = FImpl->Font();
    QFontMetrics fm(f);
    p->setFont(f);
    p->setPen(FImpl->Col(FFont->Color()));
    p->drawText(QPoint(X, Y + fm.ascent()), ToQString(Text));
    p->restore();
    Changed();
}

namespace {

struct TextLine {
    QString text;
    int width = 0;
};

QString StripPrefix(const QString& s)
{
    QString r;
    r.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        if (s[i] == '&') {
            if (i + 1 < s.size() && s[i + 1] == '&') {
                r += '&';
                ++i;
            }
            continue;
        }
        r += s[i];
    }
    return r;
}

QString ExpandTabs(const QString& s)
{
    QString r;
    for (QChar c : s) {
        if (c == '\t') {
            const qsizetype n = 8 - (r.size() % 8);
            r += QString(n, ' ');
        } else {
            r += c;
        }
    }
    return r;
}

// Breaks one paragraph at blanks so that each line fits Width; a word longer than
// the width stays whole on its own line.
void WrapInto(const QString& para, int width, const QFontMetrics& fm, std::vector<TextLine>& out)
{
    if (para.isEmpty()) {
        out.push_back({});
        return;
    }
    qsizetype pos = 0;
    while (pos < para.size()) {
        qsizetype lineEnd = pos, lastBreak = -1;
        while (lineEnd < para.size()) {
            const qsizetype next = lineEnd + 1;
            if (fm.horizontalAdvance(para.mid(pos, next - pos).trimmed()) > width && lineEnd > pos)
                break;
            if (para[lineEnd] == ' ')
                lastBreak = lineEnd;
            lineEnd = next;
        }
        if (lineEnd < para.size() && lastBreak > pos)
            lineEnd = lastBreak;
        else if (lineEnd < para.size() && lastBreak < 0) {
            // no blank: run on to the end of the word
            while (lineEnd < para.size() && para[lineEnd] != ' ')
                ++lineEnd;
        }
        QString text = para.mid(pos, lineEnd - pos);
        while (text.endsWith(' '))
            text.chop(1);
        out.push_back({text, fm.horizontalAdvance(text)});
        pos = lineEnd;
        while (pos < para.size() && para[pos] == ' ')
            ++pos;
    }
}

QString ElideEnd(const QString& s, int width, const QFontMetrics& fm)
{
    if (fm.horizontalAdvance(s) <= width)
        return s;
    QString base = s;
    while (!base.isEmpty() && fm.horizontalAdvance(base + "...") > width)
        base.chop(1);
    return base + "...";
}

} // namespace

QPainter* TCanvas::Impl::BeginText(const QRect* Clip)
{
    QPainter* p = P();
    if (!p)
        return nullptr;
    owner->Changing();
    p->save();
    p->setCompositionMode(QPainter::CompositionMode_SourceOver);
    if (Clip)
        p->setClipRect(*Clip, Qt::IntersectClip);
    p->setFont(Font());
    p->setPen(Col(owner->FFont->Color()));
    return p;
}

void TCanvas::Impl::TextBackground(QPainter* p, const QRect& Box)
{
    if (owner->FBkMode == bkOpaque && Box.width() > 0)
        p->fillRect(Box, Col(owner->FBrush->Color()));
}

void TCanvas::Impl::EndText(QPainter* p)
{
    p->restore();
    owner->Changed();
}

void TCanvas::Impl::DrawShaped(const TShapedLine& Line, int X, int Y, const QRect& Clip)
{
    QPainter* p = BeginText(&Clip);
    if (!p)
        return;
    TextBackground(p, QRect(X, Y, Line.Width(), Line.Height()));
    Line.Draw(p, QPoint(X, Y + QFontMetrics(Font()).ascent()));
    EndText(p);
}

namespace zvqt {

void DrawShapedLine(TCanvas* C, const TShapedLine& Line, int X, int Y, const TRect& Clip)
{
    ImplOf(C)->DrawShaped(Line, X, Y, ToQRect(Clip));
}

} // namespace zvqt

int TCanvas::DrawText(const AnsiString& Text, TRect& R, unsigned Flags)
{
    const QFont& f = FImpl->Font();
    QFontMetrics fm(f);
    QString s = ToQString(Text);
    if (!(Flags & DT_NOPREFIX))
        s = StripPrefix(s);
    if (Flags & DT_EXPANDTABS)
        s = ExpandTabs(s);
    const int lineH = fm.height();
    // Left-aligned text on a clear background is drawn without measuring it first.
    const bool measure = (Flags & (DT_CALCRECT | DT_END_ELLIPSIS | DT_CENTER | DT_RIGHT)) || FBkMode == bkOpaque;
    auto width = [&](const QString& line) { return measure ? fm.horizontalAdvance(line) : 0; };

    std::vector<TextLine> lines;
    if (Flags & DT_SINGLELINE) {
        s.remove('\r');
        s.remove('\n');
        lines.push_back({s, width(s)});
    } else {
        QString norm = s;
        norm.replace("\r\n", "\n");
        norm.replace('\r', '\n');
        const QStringList paras = norm.split('\n');
        for (const QString& para : paras) {
            if (Flags & DT_WORDBREAK)
                WrapInto(para, R.Width(), fm, lines);
            else
                lines.push_back({para, width(para)});
        }
    }
    if (Text.empty())
        lines.clear();
    if ((Flags & DT_END_ELLIPSIS) && !(Flags & DT_CALCRECT))
        for (auto& l : lines)
            if (l.width > R.Width()) {
                l.text = ElideEnd(l.text, R.Width(), fm);
                l.width = fm.horizontalAdvance(l.text);
            }

    int maxW = 0;
    for (const auto& l : lines)
        maxW = std::max(maxW, l.width);
    const int totalH = static_cast<int>(lines.size()) * lineH;

    if (Flags & DT_CALCRECT) {
        if ((Flags & DT_WORDBREAK) && !(Flags & DT_SINGLELINE))
            R.Right = R.Left + std::max(R.Width(), maxW);
        else
            R.Right = R.Left + maxW;
        R.Bottom = R.Top + totalH;
        return totalH;
    }

    int y = R.Top;
    if (Flags & DT_SINGLELINE) {
        if (Flags & DT_VCENTER)
            y = R.Top + (R.Height() - lineH) / 2;
        else if (Flags & DT_BOTTOM)
            y = R.Bottom - lineH;
    }
    const QRect clip = ToQRect(R);
    QPainter* p = lines.empty() ? nullptr : FImpl->BeginText(Flags & DT_NOCLIP ? nullptr : &clip);
    if (p) {
        int ly = y;
        for (const auto& l : lines) {
            int x = R.Left;
            if (Flags & DT_CENTER)
                x = R.Left + (R.Width() - l.width) / 2;
            else if (Flags & DT_RIGHT)
                x = R.Right - l.width;
            FImpl->TextBackground(p, QRect(x, ly, l.width, lineH));
            p->drawText(QPoint(x, ly + fm.ascent()), l.text);
            ly += lineH;
        }
        FImpl->EndText(p);
    }
    if (Flags & (DT_VCENTER | DT_BOTTOM))
        return y - R.Top + totalH;
    return totalH;
}
