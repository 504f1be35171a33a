// Fixed-width data files and the plain text listing of the grid.
#include "components/grid/Ravgrid.h"
#include "platform/core/StringUtils.h"
#include "platform/forms/Screen.h"

using namespace RavgridFile;

void TRavArodozIdad::SaveToFixed(const AnsiString& FileName, TIntList* ColWidths)
{
    TTextWriter out;
    if (!out.Open(FileName, false))
        throw VEvoRaraVedad("Cannot Create file " + FileName);
    const int c0 = GetSaveStartCol(), c1 = GetSaveEndCol();
    for (int c = c0; c <= c1; ++c)
        if (c - c0 >= ColWidths->Count())
            ColWidths->Add(MaxCharsInCol(c) + 1);
    AnsiString line;
    for (int r = GetSaveStartRow(); r <= GetSaveEndRow(); ++r) {
        line.clear();
        for (int c = c0; c <= c1; ++c) {
            const size_t w = size_t(std::max(0, ColWidths->GetInteger(c - c0)));
            AnsiString s = ToFile(SaveCell(c, r));
            s.resize(w, ' ');
            line += s;
        }
        out.Line(line);
    }
    out.Close();
}

void TRavArodozIdad::LoadFromFixed(const AnsiString& FileName, TIntList* Positions)
{
    AnsiString data;
    if (!ReadAll(FileName, data))
        throw VEvoRaraVedad("File " + FileName + " not found");
    TLineReader in(std::move(data));
    const int n = Positions->Count();
    if (n >= 2)
        SetColCountEx(FixedCols() + n - 1);
    const int c0 = GetSaveStartCol();
    int row = GetSaveStartRow();
    AnsiString line;
    while (in.Next(line)) {
        if (row >= RowCount())
            SetRowCountEx(row + 1);
        for (int k = 1; k < n; ++k) {
            const int from = Positions->GetInteger(k - 1), len = Positions->GetInteger(k) - from;
            AnsiString field;
            if (from >= 1 && len > 0 && size_t(from) <= line.size())
                field = line.substr(size_t(from - 1), size_t(len));
            if (c0 + k - 1 < ColCount())
                SetCellEx(c0 + k - 1, row, Trim(FromFile(field)));
        }
        ++row;
    }
    CellsChanged(TRect(0, 0, ColCount(), RowCount()));
    CellsLoaded();
}

void TRavArodozIdad::SaveToASCII(const AnsiString& FileName)
{
    // The hourglass shows while the listing is written, and goes also on an error.
    struct THourGlass {
        THourGlass()
        {
            if (Screen)
                Screen->SetCursor(crHourGlass);
        }
        ~THourGlass()
        {
            if (Screen)
                Screen->SetCursor(crDefault);
        }
    } busy;
    TTextWriter out;
    if (!out.Open(FileName, false))
        throw VEvoRaraVedad("Cannot Create file " + FileName);
    // One full width per column, however many columns and however long their texts.
    std::vector<int> widths(size_t(std::max(0, ColCount())));
    std::vector<int> starts(widths.size());
    for (int c = 0, at = 0; c < ColCount(); ++c) {
        widths[size_t(c)] = MaxCharsInCol(RemapCol(c));
        starts[size_t(c)] = at;
        at += widths[size_t(c)] + 1;
    }
    auto align = [](AnsiString s, int width, TAlignment a) {
        if (a == taRightJustify && int(s.size()) < width)
            s.insert(0, size_t(width) - s.size(), ' ');
        else if (a == taCenter)
            while (int(s.size()) < width)
                s = " " + s + " ";
        return s;
    };
    AnsiString main;
    std::vector<AnsiString> extra;
    for (int r = 0; r < RowCount(); ++r) {
        main.clear();
        extra.clear();
        for (int c = 0; c < ColCount(); ++c) {
            const int w = widths[size_t(c)];
            const auto a = TAlignment(GetCellAlignment(RemapCol(c), r) & 0xFF);
            AnsiString rest = SaveCell(RemapCol(c), r);
            AnsiString piece = align(ToFile(GetNextLine(rest, FMultilinecells)), w, a);
            main += piece;
            if (int(piece.size()) <= w)
                main.append(size_t(w) - piece.size() + 1, ' ');
            for (size_t i = 0; FMultilinecells && !rest.empty(); ++i) {
                if (extra.size() <= i)
                    extra.emplace_back();
                AnsiString& x = extra[i];
                if (int(x.size()) < starts[size_t(c)])
                    x.append(size_t(starts[size_t(c)]) - x.size(), ' ');
                x += align(ToFile(GetNextLine(rest, true)), w, a);
            }
        }
        out.Line(main);
        for (const AnsiString& x : extra)
            out.Line(x);
    }
    out.Close();
}
