// Cell alignment and text metrics.
#include <algorithm>

#include "components/grid/Raghtmle.h"
#include "components/grid/Ravgrid.h"
#include "platform/graphics/Canvas.h"

Word TRavArodozIdad::GetCellAlignment(int ACol, int ARow)
{
    TVAlignment va = FVAlignment;
    TAlignment ha = taLeftJustify;
    if (FAutoNumAlign) {
        AnsiString t = GetCellEx(ACol, ARow);
        if (!t.empty() && t[0] == '=')
            t = CalcCell(ACol, ARow);
        const int k = IsType(t);
        if (k == atNumeric || k == atFloat)
            ha = taRightJustify;
    }
    if (TCellProperties* p = Props(ACol, ARow))
        ha = p->Alignment();
    GetCellAlign(ACol, ARow, ha, va);
    return Word(unsigned(ha) | (unsigned(va) << 8));
}

TPoint TRavArodozIdad::GetCellTextSize(int ACol, int ARow, bool AWordWrap)
{
    TCanvas* cv = Canvas();
    TGridDrawState st = 0;
    TAlignment ha = taLeftJustify;
    TVAlignment va = vtaTop;
    bool ww = false;
    const int dc = RemapColInv(ACol);
    GetVisualProperties(dc, ARow, st, false, false, false, cv->Brush(), cv->Font(), ha, va, ww);
    // Measured as painted: the zoom enlarges every cell's font.
    if (FZoom != 0)
        cv->Font()->SetSize(cv->Font()->Size() + FZoom);
    AnsiString text = GetCellEx(ACol, ARow);
    const int type = TextType(text, FEnableHTML);
    if (type == ttHTML) {
        const TPoint m = HTMLDrawEx(cv, text, TRect(0, 0, 65535, 65535), FURLColor, true, true, !FEnhTextSize,
                                    FGridImages, FPictureCache.get(), FPictureContainer);
        return m;
    }
    if (type == ttRTF)
        return RichTextSize(ACol, ARow, AWordWrap);
    if (AWordWrap) {
        TRect r = CellRect(dc, ARow);
        cv->DrawText(text, r, DT_CALCRECT | DT_WORDBREAK);
        return TPoint(r.Width() + 2 * FXYOffset.x, r.Height() + 2 * FXYOffset.y);
    }
    int widest = 0, lines = 0;
    AnsiString rest = text;
    do {
        AnsiString line = GetNextLine(rest, FMultilinecells);
        if (type == ttPlain && FURLShow && !FURLFull)
            StripURLProtocol(line);
        widest = std::max(widest, cv->TextWidth(line) + 2 * FXYOffset.x);
        ++lines;
    } while (!rest.empty());
    return TPoint(widest, cv->TextHeight("gh") * lines + 2 * FXYOffset.y);
}

int TRavArodozIdad::MaxLinesInGrid()
{
    if (ColCount() <= 0 || RowCount() <= 0 || !FMultilinecells)
        return 1;
    int m = 1;
    for (int r = 0; r < RowCount(); ++r)
        for (int c = 0; c < ColCount(); ++c)
            m = std::max(m, LinesInText(GetCellEx(RemapCol(c), r), true));
    return m;
}

int TRavArodozIdad::MaxLinesInRow(int ARow)
{
    if (ColCount() <= 0 || !FMultilinecells)
        return 1;
    int m = 1;
    for (int c = 0; c < ColCount(); ++c)
        m = std::max(m, LinesInText(GetCellEx(RemapCol(c), ARow), true));
    return m;
}

int TRavArodozIdad::MaxCharsInCol(int ACol)
{
    int m = 0;
    for (int r = 0; r < RowCount(); ++r) {
        AnsiString rest = SaveCell(ACol, r);
        do {
            // Characters, not bytes: a UTF-8 character is one character of a text file.
            const AnsiString line = GetNextLine(rest, FMultilinecells);
            m = std::max(m, int(std::count_if(line.begin(), line.end(),
                                              [](char ch) { return (static_cast<unsigned char>(ch) & 0xC0) != 0x80; })));
        } while (!rest.empty());
    }
    return m;
}
