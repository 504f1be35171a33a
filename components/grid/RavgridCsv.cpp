// CSV export and import, with delimiter detection.
#include <algorithm>

#include "components/grid/Ravgrid.h"
#include "platform/core/StringUtils.h"

using namespace RavgridFile;

namespace {

constexpr char kCandidates[] = {',', ';', '#', '\t', '|'};

// The delimiter two lines agree on; '\0' when no candidate occurs.
char DetectDelimiter(const AnsiString& L1, const AnsiString& L2)
{
    char d = '\0';
    int best = 0;
    for (char c : kCandidates) {
        const int a = NumSingleChar(c, L1), b = NumSingleChar(c, L2);
        if (a == b && a > best) {
            d = c;
            best = a;
        }
    }
    if (best == 0)
        for (char c : kCandidates) {
            const int a = NumChar(c, L1), b = NumChar(c, L2);
            if (a == b && a > best) {
                d = c;
                best = a;
            }
        }
    if (best == 0)
        for (char c : kCandidates) {
            const int a = NumChar(c, L1), b = NumChar(c, L2);
            if (a > best || b > best) {
                d = c;
                best = std::max(a, b);
            }
        }
    return d;
}

} // namespace

void TRavArodozIdad::OutputToCSV(const AnsiString& FileName, bool Append)
{
    const char D = CSVDelimiter ? CSVDelimiter : ',';
    const int H = SaveWithHiddenColumns ? FNumHiddenColumns : 0;
    TTextWriter out;
    if (!out.Open(FileName, Append))
        throw VEvoRaraVedad("Cannot Create file " + FileName);
    // A field is quoted once when it holds the delimiter, a quote or a line
    // break, with its quotes doubled, so that every text reads back as it was.
    // A character loop: the library's search of a set looks up each character with a call.
    auto special = [D](std::string_view t) {
        return std::any_of(t.begin(), t.end(), [D](char ch) { return ch == D || ch == '"' || ch == '\r' || ch == '\n'; });
    };
    auto appendField = [&](AnsiString& Line, std::string_view t) {
        AnsiString j;
        if (CSVJavaStyle && t.find_first_of("\r\n") != std::string_view::npos) {
            for (char ch : t)
                if (ch == '\r')
                    j += '~';
                else if (ch != '\n')
                    j += ch;
            t = j;
        }
        const bool quote = CSVQuoteAll || special(t);
        if (!quote) {
            if (t.empty())
                Line += CSVJavaStyle ? "^" : CSVQuoteEmpty ? "\"\"" : "";
            else
                Line += t;
            return;
        }
        Line += '"';
        for (size_t i = 0; i < t.size(); ++i) {
            const char ch = t[i];
            if (ch == '\r') {
                // Line breaks go into the file as single LFs.
                if (i + 1 >= t.size() || t[i + 1] != '\n')
                    Line += '\n';
                continue;
            }
            if (ch == '"')
                Line += '"';
            Line += ch;
        }
        Line += '"';
    };
    TProgress progress(this);
    const int c0 = GetSaveStartCol(), c1 = GetSaveEndCol() + H;
    TSavedColumns cols(this, c0, c1);
    AnsiString line, check;
    for (int r = GetSaveStartRow(); r <= GetSaveEndRow(); ++r) {
        line.clear();
        cols.Read(r);
        for (int i = c0; i <= c1; ++i) {
            if (i > c0)
                line += D;
            std::string_view t = cols.Text(i);
            // An empty cell may still save a check box's state.
            if (t.empty()) {
                check = SaveCell(cols.Source(i), r);
                t = check;
            }
            appendField(line, t);
        }
        // Plain ASCII is the same in every code page.
        if (std::all_of(line.begin(), line.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x80; })) {
            line += "\r\n";
            out.Write(line);
        } else {
            out.Line(ToFile(line, FOemConvert));
        }
        progress.Report(r, RowCount() - 1);
    }
    out.Close();
}

void TRavArodozIdad::InputFromCSV(const AnsiString& FileName, bool Insert)
{
    const int FC = SaveWithFixedCells ? 0 : GetFixedColsEx();
    const int FR = SaveWithFixedCells ? 0 : GetFixedRowsEx();
    AnsiString data;
    if (!ReadAll(FileName, data))
        throw VEvoRaraVedad("Cannot open file " + FileName);
    TLineReader in(std::move(data));

    int P = FR;
    const bool footer = FFloatingFooter->Visible();
    std::vector<AnsiString> footerTexts;
    if (Insert) {
        P = RowCount();
        if (footer && RowCount() > 0) {
            for (int c = 0; c < ColCount(); ++c) {
                footerTexts.push_back(Cells(c, RowCount() - 1));
                SetGridCell(c, RowCount() - 1, "");
            }
            P = RowCount() - 1;
        }
    }

    const char saved = CSVDelimiter;
    char D = saved;
    if (D == '\0') {
        AnsiString l1, l2;
        in.Next(l1);
        in.Next(l2);
        D = DetectDelimiter(l1, l2);
        in.SetPos(0);
    }
    TProgress progress(this);
    long long N = 0;
    if (progress.Wanted()) {
        AnsiString skip;
        while (in.Next(skip))
            ++N;
        in.SetPos(0);
        SetRowCountEx(Insert ? RowCount() + int(N) : FR + int(N) + FFixedFooters);
    }

    auto nextLine = [&](AnsiString& s) {
        if (!in.Next(s))
            return false;
        s = FromFile(s, FOemConvert);
        return true;
    };
    auto lineBreaks = [&](AnsiString& f) {
        if (CSVJavaStyle) {
            if (f.find('~') != AnsiString::npos)
                f = StringReplace(f, "~", "\r\n", rfReplaceAll);
        } else if (f.find('\n') != AnsiString::npos) {
            f = StringReplace(f, "\n", "\r\n", rfReplaceAll);
        }
    };
    int k = FC;
    auto put = [&](AnsiString f) {
        lineBreaks(f);
        if (k + 1 > ColCount())
            SetColCountEx(k + 1);
        SetGridCell(k, P, f);
        ++k;
    };
    // Once a quoted field found no closing quote up to the end of the file, none later will.
    bool noCloseAhead = false;
    long long linesRead = 0;
    AnsiString line;
    while (nextLine(line)) {
        ++linesRead;
        k = FC;
        if (P >= RowCount() - FFixedFooters)
            SetRowCountEx(P + 1000);
        size_t pos = 0;
        while (true) {
            if (pos >= line.size())
                break; // an empty remainder writes nothing
            if (line[pos] == '"') {
                // A quoted field: doubled quotes are one quote; it may go on over line ends.
                AnsiString f;
                const size_t startLine = in.Pos();
                const long long linesAtStart = linesRead;
                AnsiString firstLine; // kept once the field runs over its line
                const size_t firstPos = pos;
                size_t i = pos + 1;
                bool closed = false;
                while (true) {
                    const size_t q = line.find('"', i);
                    if (q == AnsiString::npos) {
                        f.append(line, i, AnsiString::npos);
                        AnsiString more;
                        if (noCloseAhead || !nextLine(more))
                            break;
                        ++linesRead;
                        f += '\n';
                        if (firstLine.empty())
                            firstLine = std::move(line);
                        line = std::move(more);
                        i = 0;
                        continue;
                    }
                    f.append(line, i, q - i);
                    if (q + 1 < line.size() && line[q + 1] == '"') {
                        f += '"';
                        i = q + 2;
                        continue;
                    }
                    i = q + 1;
                    closed = true;
                    break;
                }
                if (!closed) {
                    // No closing quote: the field takes the rest of its own line.
                    noCloseAhead = true;
                    in.SetPos(startLine);
                    linesRead = linesAtStart;
                    if (!firstLine.empty())
                        line = std::move(firstLine);
                    f = DoubleToSingleChar('"', line.substr(firstPos + 1));
                    put(f);
                    break;
                }
                put(f);
                const size_t d = D == '\0' ? AnsiString::npos : line.find(D, i);
                if (d == AnsiString::npos)
                    break; // text after the closing quote is not part of the field
                pos = d + 1;
                continue;
            }
            const size_t d = D == '\0' ? AnsiString::npos : line.find(D, pos);
            if (d == AnsiString::npos) {
                put(line.substr(pos));
                break;
            }
            put(line.substr(pos, d - pos));
            pos = d + 1;
        }
        ++P;
        progress.Report(linesRead, N);
    }
    SetRowCountEx(P + FFixedFooters);
    if (footer && RowCount() > 0)
        for (int c = 0; c < ColCount(); ++c)
            SetGridCell(c, RowCount() - 1, c < int(footerTexts.size()) ? footerTexts[size_t(c)] : AnsiString());
    CSVDelimiter = saved;
    CellsChanged(TRect(0, 0, ColCount(), RowCount()));
    CellsLoaded();
    Invalidate();
}
