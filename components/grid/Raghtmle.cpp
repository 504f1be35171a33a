#include "components/grid/Raghtmle.h"

#include "platform/graphics/Canvas.h"

AnsiString HTMLStrip(const AnsiString& Text)
{
    AnsiString r;
    bool inTag = false;
    for (size_t i = 0; i < Text.size(); ++i) {
        const char c = Text[i];
        if (c == '<')
            inTag = true;
        else if (c == '>' && inTag)
            inTag = false;
        else if (!inTag)
            r += c;
    }
    return r;
}

TPoint HTMLDrawEx(TCanvas* Canvas, const AnsiString& Text, const TRect& R, TColor, bool, bool MeasureOnly,
                  bool WordWrap)
{
    const AnsiString plain = HTMLStrip(Text);
    TRect m = R;
    const unsigned flags = DT_NOPREFIX | DT_LEFT | DT_TOP | (WordWrap ? DT_WORDBREAK : 0u);
    Canvas->DrawText(plain, m, flags | DT_CALCRECT);
    if (!MeasureOnly) {
        TRect d = R;
        Canvas->DrawText(plain, d, flags);
    }
    return TPoint(m.Width(), m.Height());
}
