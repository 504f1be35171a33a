#include "platform/graphics/QtGraphics_p.h"

#include <cctype>
#include <vector>

#include "platform/core/StringUtils.h"

namespace zvqt {

QColor ToQColor(TColor c)
{
    const TColor v = ColorToRGB(c);
    return QColor(GetRValue(v), GetGValue(v), GetBValue(v));
}

TColor FromQColor(const QColor& c) { return RGB(c.red(), c.green(), c.blue()); }

namespace {
bool IsValidUtf8(const AnsiString& s)
{
    size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        const size_t follow = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : 9;
        if (follow > 3 || i + follow >= s.size() + (follow == 0 ? 1 : 0))
            return false; // not a lead byte, or the sequence runs past the end
        for (size_t k = 1; k <= follow; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2)
                return false;
        i += follow + 1;
    }
    return true;
}

} // namespace

QString ToQString(const AnsiString& s)
{
    if (IsValidUtf8(s))
        return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
    return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

AnsiString FromQString(const QString& s)
{
    const QByteArray b = s.toUtf8();
    return AnsiString(b.constData(), static_cast<size_t>(b.size()));
}

namespace {

QFont MakeQFont(const TFont& f)
{
    // The Windows face names map onto the installed families by kind.
    const AnsiString name = LowerCase(f.Name());
    QFont q;
    if (name.find("courier") != AnsiString::npos || name.find("console") != AnsiString::npos
        || name.find("fixedsys") != AnsiString::npos || name == "terminal" || name.find("mono") != AnsiString::npos
        || f.Pitch() == fpFixed) {
        q.setFamily("DejaVu Sans Mono");
        q.setStyleHint(QFont::TypeWriter);
    } else if (name.find("times") != AnsiString::npos || name.find("serif") != AnsiString::npos
               || name.find("roman") != AnsiString::npos || name.find("georgia") != AnsiString::npos) {
        if (name.find("sans") != AnsiString::npos) {
            q.setFamily("DejaVu Sans");
        } else {
            q.setFamily("DejaVu Serif");
            q.setStyleHint(QFont::Serif);
        }
    } else {
        q.setFamily("DejaVu Sans");
        q.setStyleHint(QFont::SansSerif);
    }
    int px = f.Height() < 0 ? -f.Height() : f.Height() * 4 / 5;
    if (px <= 0)
        px = 11;
    q.setPixelSize(px);
    q.setBold(f.Style() & fsBold);
    q.setItalic(f.Style() & fsItalic);
    q.setUnderline(f.Style() & fsUnderline);
    q.setStrikeOut(f.Style() & fsStrikeOut);
    q.setKerning(false);
    q.setHintingPreference(QFont::PreferFullHinting);
    return q;
}

} // namespace

QFont ToQFont(const TFont& f)
{
    // Copies of one QFont share the font engine it found; a QFont made anew looks the engine
    // up again on each measure and paint. A program uses a handful of fonts.
    struct TMade {
        AnsiString Name;
        int Height;
        TFontStyles Style;
        TFontPitch Pitch;
        QFont Font;
    };
    thread_local std::vector<TMade> made;
    for (const TMade& m : made)
        if (m.Height == f.Height() && m.Style == f.Style() && m.Pitch == f.Pitch() && m.Name == f.Name())
            return m.Font;
    if (made.size() >= 64)
        made.erase(made.begin());
    made.push_back({f.Name(), f.Height(), f.Style(), f.Pitch(), MakeQFont(f)});
    return made.back().Font;
}

} // namespace zvqt
