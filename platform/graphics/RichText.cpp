#include "platform/graphics/RichText.h"

#include <QAbstractTextDocumentLayout>
#include <QPalette>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>
#include <algorithm>
#include <cmath>

#include "platform/graphics/CanvasImpl_p.h"
#include "platform/graphics/QtGraphics_p.h"
#include "platform/graphics/RichText_p.h"

namespace {

// What the run said itself, kept beside the shown font so that writing gives it back.
constexpr int kPropFontName = QTextFormat::UserProperty + 1;
constexpr int kPropHalfPoints = QTextFormat::UserProperty + 2;
constexpr int kPropOffset = QTextFormat::UserProperty + 3;

int PixelsOfHalfPoints(int half) { return std::max(1, int(std::lround(half * ScreenPixelsPerInch / 144.0))); }

// Raised and lowered text needs room above and below its line, as the lines of the
// control grow for it. Blocks get it as margins; the first block's top and the last
// block's bottom only count as margins of the document's frame.
void FitMargins(QTextDocument& d)
{
    QTextFrameFormat ff = d.rootFrame()->frameFormat();
    double frameTop = 0, frameBottom = 0;
    QTextCursor c(&d);
    for (QTextBlock b = d.begin(); b.isValid(); b = b.next()) {
        int up = 0, down = 0;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            if (f.hasProperty(kPropOffset)) {
                up = std::max(up, f.intProperty(kPropOffset));
                down = std::max(down, -f.intProperty(kPropOffset));
            }
        }
        const double top = std::ceil(up * ScreenPixelsPerInch / 1440.0);
        const double bottom = std::ceil(down * ScreenPixelsPerInch / 1440.0);
        if (b == d.begin())
            frameTop = top;
        if (b == d.lastBlock())
            frameBottom = bottom;
        QTextBlockFormat bf = b.blockFormat();
        if (bf.topMargin() != top || bf.bottomMargin() != bottom) {
            bf.setTopMargin(top);
            bf.setBottomMargin(bottom);
            c.setPosition(b.position());
            c.setBlockFormat(bf);
        }
    }
    if (ff.topMargin() != frameTop || ff.bottomMargin() != frameBottom) {
        ff.setTopMargin(frameTop);
        ff.setBottomMargin(frameBottom);
        d.rootFrame()->setFrameFormat(ff);
    }
}

} // namespace

namespace zvqt {

QTextCharFormat RichFormat(const TRichTextRun& Run, const AnsiString& DefaultName, int DefaultSize)
{
    const int half = Run.FontSize > 0 ? Run.FontSize : DefaultSize * 2;
    TFont f;
    f.SetName(Run.FontName.empty() ? DefaultName : Run.FontName);
    f.SetStyle(Run.Style);
    QFont q = ToQFont(f);
    q.setPixelSize(PixelsOfHalfPoints(half));
    QTextCharFormat fmt;
    fmt.setFont(q);
    if (!Run.FontName.empty())
        fmt.setProperty(kPropFontName, ToQString(Run.FontName));
    if (Run.FontSize > 0)
        fmt.setProperty(kPropHalfPoints, Run.FontSize);
    if (Run.Color != clNone)
        fmt.setForeground(ToQColor(Run.Color));
    if (Run.Offset != 0) {
        fmt.setProperty(kPropOffset, Run.Offset);
        // Raised by the offset in points, as a share of the font's size.
        fmt.setBaselineOffset(Run.Offset * 10.0 / half);
    }
    return fmt;
}

TRichTextRun RichRun(const QTextCharFormat& Format)
{
    TRichTextRun r;
    if (Format.hasProperty(kPropFontName))
        r.FontName = FromQString(Format.stringProperty(kPropFontName));
    if (Format.hasProperty(kPropHalfPoints))
        r.FontSize = Format.intProperty(kPropHalfPoints);
    if (Format.fontWeight() >= QFont::Bold)
        r.Style |= fsBold;
    if (Format.fontItalic())
        r.Style |= fsItalic;
    if (Format.fontUnderline())
        r.Style |= fsUnderline;
    if (Format.hasProperty(QTextFormat::ForegroundBrush))
        r.Color = FromQColor(Format.foreground().color());
    if (Format.hasProperty(kPropOffset))
        r.Offset = Format.intProperty(kPropOffset);
    return r;
}

} // namespace zvqt

using namespace zvqt;

TRichText::TRichText() : FImpl(std::make_unique<Impl>())
{
    FImpl->doc.setDocumentMargin(0);
    SetDefaultFont(FDefaultFontName, FDefaultFontSize);
}

TRichText::~TRichText() = default;

void TRichText::SetDefaultFont(const AnsiString& Name, int Size)
{
    const bool changed = Name != FDefaultFontName || Size != FDefaultFontSize;
    const TRichTextContent keep = changed ? Content() : TRichTextContent();
    FDefaultFontName = Name;
    FDefaultFontSize = Size > 0 ? Size : 10;
    FImpl->doc.setDefaultFont(RichFormat(TRichTextRun(), FDefaultFontName, FDefaultFontSize).font());
    if (changed)
        SetContent(keep);
}

void TRichText::SetContent(const TRichTextContent& Content)
{
    QTextDocument& d = FImpl->doc;
    d.clear();
    QTextCursor c(&d);
    const QTextCharFormat base = RichFormat(TRichTextRun(), FDefaultFontName, FDefaultFontSize);
    c.setBlockCharFormat(base);
    c.setCharFormat(base);
    bool first = true;
    for (const auto& p : Content) {
        if (!first)
            c.insertBlock(QTextBlockFormat(), p.Runs.empty() ? base : QTextCharFormat());
        first = false;
        for (const auto& r : p.Runs)
            if (!r.Text.empty())
                c.insertText(ToQString(r.Text), RichFormat(r, FDefaultFontName, FDefaultFontSize));
    }
    FitMargins(d);
    d.clearUndoRedoStacks();
    FSelStart = 0;
    FSelLength = 0;
    FTypingSet = false;
}

TRichTextContent TRichText::Content() const
{
    TRichTextContent out;
    for (QTextBlock b = FImpl->doc.begin(); b.isValid(); b = b.next()) {
        TRichTextParagraph p;
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.isValid() || f.length() == 0)
                continue;
            TRichTextRun r = RichRun(f.charFormat());
            r.Text = FromQString(f.text());
            if (!p.Runs.empty() && p.Runs.back().SameFormat(r))
                p.Runs.back().Text += r.Text;
            else
                p.Runs.push_back(std::move(r));
        }
        out.push_back(std::move(p));
    }
    if (out.empty())
        out.emplace_back();
    return out;
}

namespace {

AnsiString WithCrLf(QString s)
{
    s.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    s.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return FromQString(s);
}

} // namespace

AnsiString TRichText::PlainText() const { return WithCrLf(FImpl->doc.toPlainText()); }

void TRichText::SetPlainText(const AnsiString& Text) { SetContent(PlainTextToContent(Text)); }

int TRichText::TextLength() const { return std::max(0, FImpl->doc.characterCount() - 1); }

void TRichText::SetSelection(int Start, int Length)
{
    const int n = TextLength();
    const int start = std::clamp(Start, 0, n), length = std::clamp(Length, 0, n - start);
    if (start != FSelStart || length != FSelLength)
        FTypingSet = false;
    FSelStart = start;
    FSelLength = length;
}

AnsiString TRichText::SelText() const
{
    QTextCursor c(&FImpl->doc);
    c.setPosition(FSelStart);
    c.setPosition(FSelStart + FSelLength, QTextCursor::KeepAnchor);
    return WithCrLf(c.selectedText());
}

void TRichText::SetSelText(const AnsiString& Text)
{
    const QTextCharFormat f = RichFormat(FirstSelectedRun(), FDefaultFontName, FDefaultFontSize);
    QString t = ToQString(Text);
    t.remove(QChar('\r'));
    QTextCursor c(&FImpl->doc);
    c.setPosition(FSelStart);
    c.setPosition(FSelStart + FSelLength, QTextCursor::KeepAnchor);
    c.insertText(t, f);
    FSelStart = c.position();
    FSelLength = 0;
    FTypingSet = false;
}

TRichTextRun TRichText::FirstSelectedRun() const
{
    if (FTypingSet && FSelLength == 0)
        return FTyping;
    const int n = TextLength();
    if (n == 0)
        return TRichTextRun();
    // The format of the character before the position: the first selected one.
    const int pos = std::clamp(FSelLength > 0 ? FSelStart + 1 : std::max(FSelStart, 1), 1, n);
    QTextCursor c(&FImpl->doc);
    c.setPosition(pos);
    return RichRun(c.charFormat());
}

template <class F>
void TRichText::EditSelectedRuns(F&& Change)
{
    if (FSelLength <= 0) {
        FTyping = FirstSelectedRun();
        FTyping.Text.clear();
        Change(FTyping);
        FTypingSet = true;
        if (FImpl->typingFormat)
            FImpl->typingFormat(RichFormat(FTyping, FDefaultFontName, FDefaultFontSize));
        return;
    }
    const int s = FSelStart, e = FSelStart + FSelLength;
    struct Part {
        int from, to;
        TRichTextRun run;
    };
    std::vector<Part> parts;
    for (QTextBlock b = FImpl->doc.findBlock(s); b.isValid() && b.position() < e; b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            const int from = std::max(s, f.position()), to = std::min(e, f.position() + f.length());
            if (from < to)
                parts.push_back({from, to, RichRun(f.charFormat())});
        }
    QTextCursor c(&FImpl->doc);
    for (auto& p : parts) {
        Change(p.run);
        c.setPosition(p.from);
        c.setPosition(p.to, QTextCursor::KeepAnchor);
        c.setCharFormat(RichFormat(p.run, FDefaultFontName, FDefaultFontSize));
    }
    FitMargins(FImpl->doc);
}

AnsiString TRichText::SelFontName() const
{
    const TRichTextRun r = FirstSelectedRun();
    return r.FontName.empty() ? FDefaultFontName : r.FontName;
}

void TRichText::SetSelFontName(const AnsiString& Name)
{
    EditSelectedRuns([&](TRichTextRun& r) { r.FontName = Name; });
}

int TRichText::SelFontSize() const
{
    const TRichTextRun r = FirstSelectedRun();
    return r.FontSize > 0 ? r.FontSize / 2 : FDefaultFontSize;
}

void TRichText::SetSelFontSize(int Points)
{
    if (Points > 0)
        EditSelectedRuns([&](TRichTextRun& r) { r.FontSize = std::min(Points, 1638) * 2; });
}

TFontStyles TRichText::SelStyle() const { return FirstSelectedRun().Style; }

void TRichText::SetSelStyle(TFontStyles Style)
{
    EditSelectedRuns([&](TRichTextRun& r) { r.Style = Style & (fsBold | fsItalic | fsUnderline); });
}

TColor TRichText::SelColor() const { return FirstSelectedRun().Color; }

void TRichText::SetSelColor(TColor Color)
{
    EditSelectedRuns([&](TRichTextRun& r) { r.Color = Color; });
}

int TRichText::SelOffset() const { return FirstSelectedRun().Offset; }

void TRichText::SetSelOffset(int Twips)
{
    EditSelectedRuns([&](TRichTextRun& r) { r.Offset = std::clamp(Twips, -32760, 32760); });
}

TSize TRichText::Extent(int Width) const
{
    QTextDocument& d = FImpl->doc;
    d.setTextWidth(Width > 0 ? Width : -1);
    const QSizeF s = d.documentLayout()->documentSize();
    const int w = int(std::ceil(Width > 0 ? std::min<qreal>(d.idealWidth(), Width) : s.width()));
    return TSize{w, int(std::ceil(s.height()))};
}

void TRichText::Draw(TCanvas* Canvas, const TRect& R, TColor DefaultColor, int PixelsPerInch) const
{
    if (!Canvas || R.Width() <= 0 || R.Height() <= 0)
        return;
    QPainter* p = ImplOf(Canvas)->P();
    if (!p)
        return;
    const double scale = PixelsPerInch > 0 ? PixelsPerInch / double(ScreenPixelsPerInch) : 1.0;
    QTextDocument& d = FImpl->doc;
    d.setTextWidth(std::max(1.0, R.Width() / scale));
    p->save();
    p->setClipRect(ToQRect(R), Qt::IntersectClip);
    p->translate(R.Left, R.Top);
    p->scale(scale, scale);
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.palette.setColor(QPalette::Text, ToQColor(DefaultColor));
    ctx.clip = QRectF(0, 0, R.Width() / scale, R.Height() / scale);
    d.documentLayout()->draw(p, ctx);
    p->restore();
}

void RtfToDocument(const AnsiString& Rtf, TRichText& Document) { Document.SetContent(RtfToContent(Rtf)); }

AnsiString DocumentToRtf(const TRichText& Document)
{
    return ContentToRtf(Document.Content(), Document.DefaultFontName(), Document.DefaultFontSize() * 2);
}
