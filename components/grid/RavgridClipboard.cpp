// Copy, cut and paste of cells through the clipboard, and the smart paste that
// fills a selection from the pasted values.
#include <cmath>

#include "components/grid/Ravgrid.h"
#include "components/grid/RavgridFiles.h"
#include "components/grid/Ravutil.h"
#include "platform/core/DateTime.h"
#include "platform/core/FloatConvert.h"
#include "platform/core/Format.h"
#include "platform/core/FormatSettings.h"
#include "platform/core/IntConvert.h"
#include "platform/core/Streams.h"
#include "platform/forms/Clipboard.h"

namespace {

Word RTFFormat() { return RegisterClipboardFormat("Rich Text Format"); }
Word CellsFormat() { return RegisterClipboardFormat("TRavArodozIdad Cells"); }

// The lines of a clipboard text: cut at CR, an LF right after it skipped. Texts
// from this system's other programs end their lines with a lone LF, which ends
// a line too, except inside a quoted multi-line field (Quoted).
std::vector<AnsiString> ClipLines(const AnsiString& Text, bool Quoted)
{
    std::vector<AnsiString> lines;
    AnsiString cur;
    bool inQuote = false;
    for (size_t i = 0; i < Text.size(); ++i) {
        const char ch = Text[i];
        if (Quoted && ch == '"')
            inQuote = !inQuote;
        if (ch == '\r' || (ch == '\n' && !inQuote)) {
            lines.push_back(cur);
            cur.clear();
            inQuote = false;
            if (ch == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n')
                ++i;
        } else
            cur += ch;
    }
    lines.push_back(cur); // the (possibly empty) last line
    return lines;
}

std::vector<AnsiString> ClipFields(const AnsiString& Line)
{
    std::vector<AnsiString> fields;
    size_t start = 0;
    for (;;) {
        const size_t tab = Line.find('\t', start);
        if (tab == AnsiString::npos) {
            fields.push_back(Line.substr(start));
            return fields;
        }
        fields.push_back(Line.substr(start, tab - start));
        start = tab + 1;
    }
}

bool HasChar(const AnsiString& s, char c) { return s.find(c) != AnsiString::npos; }

} // namespace

void TRavArodozIdad::CopyFunc(int ALeft, int ATop, int ARight, int ABottom, bool SelectedRowsOnly)
{
    FCopyOrigin = TPoint{ALeft, ATop};
    AnsiString text;
    for (int r = ATop; r <= ABottom; ++r) {
        if (SelectedRowsOnly && MouseActions()->DisjunctRowSelect() && !GetRowSelect(r))
            continue;
        AnsiString line;
        for (int c = ALeft; c <= ARight; ++c) {
            AnsiString s = SaveCell(RemapCol(c), r);
            if (!Navigation()->CopyHTMLTagsToClipboard()) {
                if (s.find("</") != AnsiString::npos)
                    s = GetStrippedCell(RemapCol(c), r);
            } else if (s.find("{\\") != AnsiString::npos)
                s = RichPlainText(RemapCol(c), r);
            if (LinesInText(s, FMultilinecells) > 1 && FClipboardQuoteMultiline)
                LineFeedsToCSV(s);
            if (c > ALeft)
                line += '\t';
            line += s;
        }
        text += line;
        if (ABottom > ATop)
            text += "\r\n";
    }
    Clipboard()->Open();
    Clipboard()->Clear();
    Clipboard()->SetAsText(text);
    if (Navigation()->AllowRTFClipboard())
        CopyRTFFunc(ALeft, ATop);
    if (Navigation()->AllowFmtClipboard())
        CopyBinFunc(ALeft, ATop, ARight, ABottom);
    Clipboard()->Close();
}

void TRavArodozIdad::CopyRTFFunc(int ACol, int ARow)
{
    const AnsiString s = GetCellEx(ACol, ARow);
    if (s.find("{\\") == AnsiString::npos)
        return;
    // Zero-terminated, as the format is read back.
    Clipboard()->SetBuffer(RTFFormat(), s.c_str(), int(s.size()) + 1);
}

void TRavArodozIdad::CopyBinFunc(int ALeft, int ATop, int ARight, int ABottom)
{
    TMemoryStream m;
    SaveRectToBinStream(TRect(ALeft, ATop, ARight, ABottom), &m);
    Clipboard()->SetBuffer(CellsFormat(), m.Memory(), int(m.Size()));
}

void TRavArodozIdad::CopyToClipBoard()
{
    CopyFunc(GetSaveStartCol(), GetSaveStartRow(), GetSaveEndCol(), GetSaveEndRow(), false);
    FLastClipOperation = coCopy;
}

void TRavArodozIdad::CopySelectionToClipboard()
{
    if (MouseActions()->DisjunctRowSelect())
        CopyFunc(GetSaveStartCol(), GetSaveStartRow(), GetSaveEndCol(), GetSaveEndRow(), true);
    else {
        const TGridRect s = Selection();
        CopyFunc(s.Left, s.Top, s.Right, s.Bottom, false);
    }
    FLastClipOperation = coCopy;
}

void TRavArodozIdad::CutToClipboard()
{
    CopyToClipBoard();
    const bool always = Navigation()->AllowClipboardAlways();
    for (int r = GetSaveStartRow(); r <= GetSaveEndRow(); ++r)
        for (int c = GetSaveStartCol(); c <= GetSaveEndCol(); ++c)
            if (always || IsEditable(c, r))
                SetCellEx(c, r, "");
    FLastClipOperation = coCut;
}

void TRavArodozIdad::CutSelectionToClipboard()
{
    CopySelectionToClipboard();
    if (MouseActions()->DisjunctRowSelect()) {
        for (int r = FixedRows(); r < RowCount(); ++r)
            if (GetRowSelect(r))
                ClearRows(r, 1);
    } else {
        const TGridRect s = Selection();
        const bool always = Navigation()->AllowClipboardAlways();
        for (int r = s.Top; r <= s.Bottom; ++r)
            for (int c = s.Left; c <= s.Right; ++c)
                if (always || IsEditable(c, r))
                    SetCellEx(c, r, "");
        if (Navigation()->AllowFmtClipboard())
            ClearPropRect(s.Left, s.Top, s.Right, s.Bottom);
    }
    FLastClipOperation = coCut;
}

void TRavArodozIdad::PasteFromClipboard() { PasteFunc(GetSaveStartCol(), GetSaveStartRow()); }

void TRavArodozIdad::PasteSelectionFromClipboard()
{
    const TGridRect s = Selection();
    const int n = PasteFunc(s.Left, s.Top);
    if (Navigation()->AllowSmartClipboard() && n > 0)
        SmartPaste(n, Clipboard()->AsText());
}

int TRavArodozIdad::PasteFunc(int ACol, int ARow)
{
    if (Navigation()->AllowFmtClipboard() && Clipboard()->HasFormat(CellsFormat())) {
        const std::vector<Byte> b = Clipboard()->GetBuffer(CellsFormat());
        TMemoryStream m;
        m.Write(b.data(), int(b.size()));
        m.SetPosition(0);
        LoadAtPointFromBinStream(TPoint{ACol, ARow}, &m);
        m.SetPosition(0);
        const TPoint size = RavgridFile::BinStreamSize(&m);
        PasteNotify(FCopyOrigin, TGridRect{ACol, ARow, ACol + size.x - 1, ARow + size.y - 1}, FLastClipOperation);
        return 0;
    }
    if (Navigation()->AllowRTFClipboard() && Clipboard()->HasFormat(RTFFormat())) {
        const std::vector<Byte> b = Clipboard()->GetBuffer(RTFFormat());
        size_t len = 0;
        while (len < b.size() && b[len] != 0)
            ++len;
        if (IsEditable(ACol, ARow))
            SetCellEx(ACol, ARow, AnsiString(reinterpret_cast<const char*>(b.data()), len));
        return 0;
    }
    if (Clipboard()->HasFormat(CF_TEXT))
        return PasteText(ACol, ARow, Clipboard()->AsText());
    return 0;
}

void TRavArodozIdad::PasteInCell(int ACol, int ARow, const AnsiString& Value) { SetCellEx(ACol, ARow, Value); }

void TRavArodozIdad::PasteNotify(const TPoint&, const TGridRect&, TClipOperation) {}

int TRavArodozIdad::PasteText(int ACol, int ARow, const AnsiString& Text)
{
    if (ACol < 0 || ARow < 0)
        return 0;
    const bool always = Navigation()->AllowClipboardAlways();
    if (!(Options() & goEditing) && !always && !MouseActions()->RangeSelectAndEdit())
        return 0;
    const std::vector<AnsiString> lines = ClipLines(Text, FClipboardQuoteMultiline);
    int fields = 0, row = ARow, lastCol = ACol, lastRow = ARow;
    for (size_t li = 0; li < lines.size(); ++li) {
        const bool lastLine = li + 1 == lines.size();
        const std::vector<AnsiString> parts = ClipFields(lines[li]);
        for (size_t fi = 0; fi < parts.size(); ++fi) {
            ++fields;
            AnsiString v = parts[fi];
            if (FClipboardQuoteMultiline && HasChar(v, '\n')) {
                if (!v.empty() && v[0] == '"')
                    v.erase(0, 1);
                const size_t q = v.find('"');
                if (q != AnsiString::npos && q + 1 == v.size())
                    v.erase(q, 1);
                CSVToLineFeeds(v);
            }
            const int col = ACol + int(fi);
            if (Navigation()->AllowClipboardColGrow() && ColCount() < col + 1)
                SetColCountEx(col + 1);
            if (lastLine && fi + 1 == parts.size() && v.empty())
                continue;
            // Never outside the grid, whatever the text holds.
            if (col >= ColCount() || row >= RowCount())
                continue;
            lastCol = std::max(lastCol, col);
            lastRow = std::max(lastRow, row);
            if (!always && !IsEditable(col, row))
                continue;
            bool allow = true;
            if (OnClipboardBeforePasteCell)
                OnClipboardBeforePasteCell(this, col, row, v, allow);
            if (allow)
                PasteInCell(col, row, v);
        }
        ++row;
        if (row == RowCount() && li + 2 <= lines.size() && Navigation()->AllowClipboardRowGrow()) {
            // Only for a further line that holds something.
            const bool more = li + 2 < lines.size() || !lines[li + 1].empty();
            if (more)
                SetRowCountEx(RowCount() + 1);
        }
    }
    const TGridRect pasted{ACol, ARow, lastCol, lastRow};
    PasteNotify(FCopyOrigin, pasted, FLastClipOperation);
    CellsChanged(TRect(ACol, ARow, lastCol, lastRow));
    return fields;
}

TPoint TRavArodozIdad::PasteSize(const AnsiString& Text)
{
    const std::vector<AnsiString> lines = ClipLines(Text, FClipboardQuoteMultiline);
    int cols = 0;
    for (const AnsiString& l : lines)
        cols = std::max(cols, int(ClipFields(l).size()));
    int rows = int(lines.size()) - 1; // lines that end with a CR
    if (rows < 1 && !Text.empty())
        rows = 1;
    if (Text.empty())
        cols = 0;
    return TPoint{cols, rows};
}

void TRavArodozIdad::SmartPaste(int Fields, const AnsiString& Text)
{
    const TGridRect s = Selection();
    const bool always = Navigation()->AllowClipboardAlways();
    auto writable = [&](int c, int r) { return always || IsEditable(c, r); };
    // Every cell of the selection, column by column and, inside, row by row.
    auto walk = [&](const std::function<void(int, int)>& Cell) {
        for (int c = s.Left; c <= s.Right; ++c)
            for (int r = s.Top; r <= s.Bottom; ++r)
                Cell(c, r);
    };
    if (Fields == 1) {
        if (s.Left == s.Right && s.Top == s.Bottom)
            return;
        const AnsiString v = GetCellEx(s.Left, s.Top);
        walk([&](int c, int r) {
            if (writable(c, r))
                SetCellEx(c, r, v);
        });
        return;
    }
    const bool isRow = s.Top == s.Bottom;
    if (!isRow && s.Left != s.Right)
        return;
    const AnsiString t1 = GetCellEx(s.Left, s.Top);
    const AnsiString t2 = isRow ? GetCellEx(s.Left + 1, s.Top) : GetCellEx(s.Left, s.Top + 1);

    // The pattern's length is what the paste laid down (its columns in a row, its lines in a column).
    auto repeatPattern = [&]() {
        std::vector<AnsiString> lines = ClipLines(Text, FClipboardQuoteMultiline);
        if (lines.size() > 1 && lines.back().empty())
            lines.pop_back();
        const int period = isRow ? PasteSize(Text).x : int(lines.size());
        if (period < 1)
            return;
        if (isRow) {
            for (int c = s.Left + period; c <= s.Right; ++c)
                if (writable(c, s.Top))
                    SetCellEx(c, s.Top, GetCellEx(c - period, s.Top));
        } else {
            for (int r = s.Top + period; r <= s.Bottom; ++r)
                if (writable(s.Left, r))
                    SetCellEx(s.Left, r, GetCellEx(s.Left, r - period));
        }
    };

    const TFormatSettings& fs = FormatSettings;
    auto dateLike = [&](const AnsiString& t) { return HasChar(t, fs.DateSeparator) || HasChar(t, fs.TimeSeparator); };
    if (dateLike(t1) && dateLike(t2)) {
        TDateTime d1 = 0, d2 = 0;
        const bool asDate = HasChar(t1, fs.DateSeparator);
        bool ok = false;
        try {
            d1 = StrToDateTime(t1);
            d2 = StrToDateTime(t2);
            ok = true;
        } catch (const EConvertError&) {
        }
        if (!ok)
            return repeatPattern();
        Word y1 = 0, m1 = 0, dd1 = 0, y2 = 0, m2 = 0, dd2 = 0;
        DecodeDate(d1, y1, m1, dd1);
        DecodeDate(d2, y2, m2, dd2);
        const Word years = Word(y2 - y1), months = Word(m2 - m1), days = Word(dd2 - dd1);
        const TDateTime step = d2 - d1;
        TDateTime cur = d1;
        walk([&](int c, int r) {
            if (writable(c, r))
                SetCellEx(c, r, asDate ? DateToStr(cur) : TimeToStr(cur));
            cur = GetNextDate(cur, years, months, days, step);
        });
        return;
    }
    const bool decimal = HasChar(t1, fs.DecimalSeparator) || HasChar(t2, fs.DecimalSeparator);
    int v1 = 0, v2 = 0;
    if (!decimal && TryStrToInt(t1, v1) && TryStrToInt(t2, v2)) {
        const long long step = (long long)v2 - v1;
        long long cur = v1;
        walk([&](int c, int r) {
            if (writable(c, r))
                SetInts(c, r, int(cur));
            cur += step;
        });
        return;
    }
    double f1 = 0, f2 = 0;
    // A text that is no number repeats as a pattern rather than failing half way.
    if (!decimal || !TryStrToFloat(t1, f1) || !TryStrToFloat(t2, f2))
        return repeatPattern();
    const double step = f2 - f1;
    int i = 0;
    walk([&](int c, int r) {
        if (writable(c, r))
            SetCellEx(c, r, Format(FFloatFormat, {f1 + step * i}));
        ++i;
    });
}
