// HTML export: one table of the grid's cells with alignment, merged areas,
// colours and font styles.
#include "components/grid/Ravgrid.h"
#include "platform/core/CodePages.h"
#include "platform/core/IntConvert.h"

using namespace RavgridFile;

namespace {

const char kQ = '"';

AnsiString Quoted(const AnsiString& S) { return kQ + S + kQ; }

// XHTML text is text: & < > escaped, each CR an empty line-break element.
AnsiString XhtmlText(const AnsiString& S)
{
    AnsiString r;
    for (char c : S) {
        switch (c) {
        case '&': r += "&amp;"; break;
        case '<': r += "&lt;"; break;
        case '>': r += "&gt;"; break;
        case '\r': r += "<br/>"; break;
        default: r += c;
        }
    }
    return r;
}

AnsiString XhtmlAttr(const AnsiString& S)
{
    AnsiString r;
    for (char c : S)
        r += c == '"' ? AnsiString("&quot;") : c == '\r' ? AnsiString("&#13;") : XhtmlText(AnsiString(1, c));
    return r;
}

// Web and mail addresses become links; the second conversion starts from the text as it was.
// Plain HTML takes the text as markup; XHTML escapes it and quotes the address.
AnsiString Links(const AnsiString& Text, bool Full, bool Xhtml)
{
    auto text = [&](const AnsiString& S) { return Xhtml ? XhtmlText(S) : S; };
    auto href = [&](const AnsiString& S) { return Xhtml ? Quoted(XhtmlAttr(S)) : S; };
    if (Text.find("</") != AnsiString::npos)
        return text(Text);
    AnsiString r = text(Text);
    if (const size_t p = Text.find("://"); p != AnsiString::npos)
        r = "<a href=" + href(Text) + ">" + text(Full ? Text : Text.substr(p + 3, 255)) + "</a>";
    if (const size_t p = Text.find("mailto:"); p != AnsiString::npos)
        r = "<a href=" + href(Text) + ">" + text(Full ? Text : Text.substr(p + 7)) + "</a>";
    return r;
}

} // namespace

void TRavArodozIdad::OutputToHTML(const AnsiString& FileName, bool Append)
{
    THTMLSettings& hs = *FHTMLSettings;
    const int FC = SaveWithFixedCells ? 0 : FixedCols();
    const int FR = SaveWithFixedCells ? 0 : FixedRows();
    // XHTML attributes all have quoted values.
    const AnsiString nowrap = FWordWrap ? "" : hs.XHTML ? " nowrap=\"nowrap\"" : " nowrap";
    std::vector<AnsiString> lines;
    // Plain HTML is written as Windows-1252 and says so where an XHTML document has its declaration.
    if (!hs.XHTML)
        lines.push_back("<meta charset=\"windows-1252\">");
    if (hs.XHTML) {
        lines.push_back("<?xml version=\"1.0\" encoding=\"UTF-8\"?>");
        lines.push_back("<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"");
        lines.push_back("\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">");
        lines.push_back("<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">");
    }
    if (!hs.PrefixTag.empty())
        lines.push_back(hs.PrefixTag);
    lines.push_back("<table border=" + Quoted(IntToStr(hs.BorderSize)) + " cellspacing=" +
                    Quoted(IntToStr(hs.CellSpacing)) + " cellpadding=" + Quoted(IntToStr(hs.CellPadding)) + " " +
                    (hs.TableStyle.empty() ? AnsiString() : " " + hs.TableStyle + " ") + " width=" +
                    Quoted(IntToStr(hs.Width) + "%") + ">");
    auto cellText = [&](int c, int r, const char* empty) {
        const AnsiString raw = SaveCell(RemapCol(c), r);
        AnsiString t = hs.XHTML ? raw : HTMLLineBreaks(raw);
        if (FURLShow)
            t = Links(t, FURLFull, hs.XHTML);
        else if (hs.XHTML)
            t = XhtmlText(t);
        return t.empty() ? AnsiString(empty) : t;
    };
    auto alignOf = [&](int c, int r, const AnsiString& text) {
        if (text.empty())
            return AnsiString();
        switch (TAlignment(GetCellAlignment(RemapCol(c), r) & 0xFF)) {
        case taRightJustify:
            return " align=" + Quoted("right");
        case taCenter:
            return " align=" + Quoted("center");
        default:
            return AnsiString();
        }
    };
    auto widthOf = [&](int index) {
        if (index < 0 || index >= hs.ColWidths()->Count())
            return AnsiString();
        const AnsiString w = IntToStr(hs.ColWidths()->GetInteger(index));
        return " width=" + (hs.XHTML ? Quoted(w) : w);
    };
    const bool header = FixedRows() > 0 && SaveWithFixedCells;
    if (header) {
        lines.push_back("<tr>");
        for (int c = FC; c < ColCount(); ++c) {
            if (!IsBaseCell(c, 0))
                continue;
            const AnsiString raw = SaveCell(RemapCol(c), 0);
            const AnsiString text = cellText(c, 0, "<br>");
            const TPoint span = CellSpan(c, 0);
            lines.push_back("<td" + nowrap + alignOf(c, 0, raw) + " bgcolor=" + Quoted("#" + HTMLColor(FixedColor())) +
                            widthOf(c) + (span.x > 0 ? " colspan=" + Quoted(IntToStr(span.x + 1)) : AnsiString()) +
                            "><b>" + text + "</b></td>");
        }
        lines.push_back("</tr>");
    }
    TBrush brush;
    TFont font;
    for (int r = header ? 1 : FR; r < RowCount(); ++r) {
        lines.push_back("<tr>");
        for (int c = FC; c < ColCount(); ++c) {
            if (!IsBaseCell(c, r))
                continue;
            const AnsiString raw = SaveCell(RemapCol(c), r);
            const AnsiString text = cellText(c, r, hs.XHTML ? "<br/>" : "<br>");
            const TPoint span = CellSpan(c, r);
            AnsiString spanAttr;
            if (span.x > 0)
                spanAttr += " colspan=" + Quoted(IntToStr(span.x + 1));
            if (span.y > 0)
                spanAttr += " rowspan=" + Quoted(IntToStr(span.y + 1));
            // Colours as painting gives them; what equals the grid's plain colours is no colour of the cell.
            TGridDrawState state = 0;
            TAlignment ha = taLeftJustify;
            TVAlignment va = vtaTop;
            bool ww = false;
            GetVisualProperties(c, r, state, false, false, true, &brush, &font, ha, va, ww);
            const bool fixed = r < FixedRows() || c < FixedCols();
            AnsiString bg = fixed ? " bgcolor=" + Quoted("#" + HTMLColor(FixedColor())) : AnsiString();
            AnsiString fontOpen, fontClose;
            if (hs.SaveColor) {
                if (brush.Color() != (fixed ? FixedColor() : Color()))
                    bg = " bgcolor=" + Quoted("#" + HTMLColor(brush.Color()));
                if (font.Color() != (fixed ? FixedFont()->Color() : Font()->Color())) {
                    fontOpen = "<font color=" + Quoted("#" + HTMLColor(font.Color())) + ">";
                    fontClose = "</font>";
                }
            }
            AnsiString styleOpen, styleClose;
            if (hs.SaveFonts) {
                const TFontStyles st = font.Style();
                if (st & fsBold) {
                    styleOpen += "<b>";
                    styleClose = "</b>" + styleClose;
                }
                if (st & fsItalic) {
                    styleOpen += "<i>";
                    styleClose = "</i>" + styleClose;
                }
                if (st & fsUnderline) {
                    styleOpen += "<u>";
                    styleClose = "</u>" + styleClose;
                }
            }
            lines.push_back("<td" + spanAttr + nowrap + alignOf(c, r, raw) + bg + (header ? AnsiString() : widthOf(c - FC)) +
                            ">" + fontOpen + styleOpen + text + styleClose + fontClose + "</td>");
        }
        lines.push_back("</tr>");
    }
    lines.push_back("</table>");
    if (!hs.SuffixTag.empty())
        lines.push_back(hs.SuffixTag);
    if (hs.XHTML)
        lines.push_back("</html>");

    TTextWriter out;
    if (!out.Open(FileName, Append))
        throw VEvoRaraVedad("Cannot Create file " + FileName);
    // XHTML says it is UTF-8 and is; plain HTML is 8-bit, with references for what that lacks.
    auto encode = [&](const AnsiString& s) {
        return hs.XHTML ? s : Utf8ToCodePage(s, TCodePage::Windows1252, TUnmappable::CharRef);
    };
    auto copyFile = [&](const AnsiString& Name) {
        AnsiString data;
        if (Name.empty() || !ReadAll(Name, data))
            return;
        TLineReader in(std::move(data));
        AnsiString line;
        while (in.Next(line))
            out.Line(encode(FromFile(line)));
    };
    copyFile(hs.HeaderFile);
    for (const AnsiString& l : lines)
        out.Line(encode(l));
    copyFile(hs.FooterFile);
    out.Close();
}
