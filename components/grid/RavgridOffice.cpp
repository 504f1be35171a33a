// Exchange of cells with spreadsheet workbooks, word-processor documents (a
// rich-text table) and database tables.
#include <cstdio>
#include <fstream>

#include "components/grid/Ravgrid.h"
#include "components/grid/Ravutil.h"
#include "platform/core/DateTime.h"
#include "platform/core/FileUtils.h"
#include "platform/core/FloatConvert.h"
#include "platform/forms/Screen.h"
#include "platform/office/Database.h"
#include "platform/office/Spreadsheet.h"

namespace {

// The hourglass for the length of one exchange; the screen's cursor comes back on every path.
class TBusyCursor {
public:
    TBusyCursor() : FOld(Screen ? Screen->Cursor() : crDefault)
    {
        if (Screen)
            Screen->SetCursor(crHourGlass);
    }
    ~TBusyCursor()
    {
        if (Screen)
            Screen->SetCursor(FOld);
    }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

private:
    TCursor FOld;
};

AnsiString CellText(const TSheetCell& C)
{
    switch (C.Kind) {
    case TSheetCell::ckNumber: return FloatToStr(C.Number);
    case TSheetCell::ckDate: return C.Number >= 0 && C.Number < 1 ? TimeToStr(C.Number) : DateTimeToStr(C.Number);
    case TSheetCell::ckBool: return C.Number != 0 ? "True" : "False";
    default: return C.Text;
    }
}

// The sheet of that name (a later one of the same name wins); nullptr when none.
TSheet* FindSheet(TWorkbook& Book, const AnsiString& Name)
{
    TSheet* found = nullptr;
    for (TSheet& s : Book.Sheets)
        if (s.Name == Name)
            found = &s;
    return found;
}

// Rich text of a cell: the special characters escaped, line breaks as line
// breaks, and every character beyond ASCII as its Unicode number.
AnsiString RtfText(const AnsiString& S)
{
    AnsiString r;
    for (size_t i = 0; i < S.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(S[i]);
        if (c == '\\' || c == '{' || c == '}') {
            r += '\\';
            r += char(c);
        } else if (c == '\r') {
            if (i + 1 < S.size() && S[i + 1] == '\n')
                ++i;
            r += "\\line ";
        } else if (c == '\n')
            r += "\\line ";
        else if (c == '\t')
            r += "\\tab ";
        else if (c < 0x80)
            r += char(c);
        else {
            // UTF-8 to a code point; a broken sequence counts as one '?'.
            int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
            unsigned cp = extra == 3 ? c & 0x07u : extra == 2 ? c & 0x0Fu : c & 0x1Fu;
            bool ok = extra > 0 && i + size_t(extra) < S.size();
            for (int k = 1; ok && k <= extra; ++k) {
                const unsigned char n = static_cast<unsigned char>(S[i + size_t(k)]);
                if ((n & 0xC0) != 0x80)
                    ok = false;
                else
                    cp = (cp << 6) | (n & 0x3Fu);
            }
            if (!ok) {
                r += '?';
                continue;
            }
            i += size_t(extra);
            auto unit = [&](unsigned u) { r += "\\u" + std::to_string(int(short(u))) + "?"; };
            if (cp > 0xFFFF) {
                cp -= 0x10000;
                unit(0xD800 + (cp >> 10));
                unit(0xDC00 + (cp & 0x3FF));
            } else
                unit(cp);
        }
    }
    return r;
}

} // namespace

void TRavArodozIdad::LoadFromXLS(const AnsiString& FileName) { LoadXLS(FileName, ""); }
void TRavArodozIdad::LoadFromXLSSheet(const AnsiString& FileName, const AnsiString& SheetName)
{
    LoadXLS(FileName, SheetName);
}
void TRavArodozIdad::SaveToXLS(const AnsiString& FileName) { SaveXLS(FileName, ""); }
void TRavArodozIdad::SaveToXLSSheet(const AnsiString& FileName, const AnsiString& SheetName)
{
    SaveXLS(FileName, SheetName);
}

void TRavArodozIdad::LoadXLS(const AnsiString& FileName, const AnsiString& SheetName)
{
    TBusyCursor busy;
    TWorkbook book = ReadWorkbook(FileName);
    const TSheet* sheet = &book.Sheets[size_t(book.ActiveSheet)];
    if (!SheetName.empty()) {
        sheet = FindSheet(book, SheetName);
        if (!sheet)
            throw VEvoRaraVedad("Worksheet " + SheetName + " not found");
    }
    int left = 1, top = 1, right = 1, bottom = 1;
    // An empty sheet reads as its one empty cell.
    UsedRange(*sheet, left, top, right, bottom);
    const int co = SaveWithFixedCells ? 0 : FixedCols();
    const int ro = SaveWithFixedCells ? 0 : FixedRows();
    // Never fewer than the fixed cells and one more: the grid cannot be smaller.
    SetColCountEx(std::max(right - left + 1 + co, FixedCols() + 1));
    SetRowCountEx(std::max(bottom - top + 1 + ro, FixedRows() + 1));
    for (const auto& [at, cell] : sheet->Cells) {
        if (cell.Kind == TSheetCell::ckError)
            continue; // error values leave the cell as it was
        const int c = at.second - left + co, r = at.first - top + ro;
        if (c >= co && c < ColCount() && r >= ro && r < RowCount())
            SetCellEx(c, r, CellText(cell));
    }
    CellsChanged(TRect(0, 0, ColCount(), RowCount()));
    CellsLoaded();
}

void TRavArodozIdad::SaveXLS(const AnsiString& FileName, const AnsiString& SheetName)
{
    TBusyCursor busy;
    TSheet sheet{SheetName.empty() ? AnsiString("Sheet1") : SheetName, {}, ""};
    // Cells of a named sheet outside the written range stay; one that cannot be read is left alone.
    if (!SheetName.empty() && FileExists(FileName)) {
        TWorkbook book = ReadWorkbook(FileName);
        if (TSheet* old = FindSheet(book, SheetName))
            sheet.Cells = std::move(old->Cells);
    }
    const int fc = SaveWithFixedCells ? 0 : FixedCols();
    const int fr = SaveWithFixedCells ? 0 : FixedRows();
    const int cols = ColCount() - fc, rows = RowCount() - fr;
    // The written range replaces what the sheet held there.
    for (auto it = sheet.Cells.begin(); it != sheet.Cells.end();)
        it = it->first.first <= rows && it->first.second <= cols ? sheet.Cells.erase(it) : std::next(it);
    for (int r = fr; r < RowCount(); ++r)
        for (int c = fc; c < ColCount(); ++c) {
            const AnsiString s = LineFeedsToXLS(SaveCell(RemapCol(c), r));
            if (!s.empty())
                sheet.Cells[{r - fr + 1, c - fc + 1}] = TSheetCell{TSheetCell::ckText, s, 0};
        }
    if (SheetName.empty()) {
        TWorkbook book;
        book.Sheets.push_back(std::move(sheet));
        WriteXlsx(FileName, book);
    } else
        // Only this sheet is written: the workbook's other sheets keep their styles and formulas.
        WriteWorkbookSheet(FileName, sheet);
}

void TRavArodozIdad::SaveToDOC(const AnsiString& FileName)
{
    TBusyCursor busy;
    AnsiString rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20\r\n";
    AnsiString cells;
    int x = 0;
    for (int c = 0; c < ColCount(); ++c) {
        x += std::max(1, ColWidths(c)) * 15; // twips
        cells += "\\clbrdrt\\brdrs\\clbrdrl\\brdrs\\clbrdrb\\brdrs\\clbrdrr\\brdrs\\cellx" + std::to_string(x);
    }
    for (int r = 0; r < RowCount(); ++r) {
        rtf += "\\trowd\\trgaph108" + cells + "\r\n";
        for (int c = 0; c < ColCount(); ++c) {
            const TAlignment a = TAlignment(GetCellAlignment(c, r) & 0xFF);
            rtf += AnsiString("\\pard\\intbl") +
                (a == taRightJustify ? "\\qr"
                     : a == taCenter ? "\\qc"
                                     : "\\ql") +
                " " + RtfText(SaveCell(RemapCol(c), r)) + "\\cell\r\n";
        }
        rtf += "\\row\r\n";
    }
    rtf += "}\r\n";
    const AnsiString temp = FileName + ".part";
    {
        std::ofstream f(temp, std::ios::binary | std::ios::trunc);
        f.write(rtf.data(), std::streamsize(rtf.size()));
        f.close();
        if (!f) {
            std::remove(temp.c_str());
            throw VEvoRaraVedad("Cannot write document " + FileName);
        }
    }
    if (std::rename(temp.c_str(), FileName.c_str()) != 0) {
        std::remove(temp.c_str());
        throw VEvoRaraVedad("Cannot write document " + FileName);
    }
}

void TRavArodozIdad::LoadFromMDBTable(const AnsiString& FileName, const AnsiString& Table)
{
    LoadRecords(ReadDbTable(FileName, Table));
}

void TRavArodozIdad::LoadFromMDBSQL(const AnsiString& FileName, const AnsiString& Sql)
{
    LoadRecords(ReadDbQuery(FileName, Sql));
}

void TRavArodozIdad::LoadRecords(const TDbRecords& Records)
{
    const int n = int(Records.Fields.size());
    SetColCountEx(FixedCols() + n);
    if (FixedRows() > 0)
        for (int i = 0; i < n; ++i)
            SetCellEx(FixedCols() + i, FixedRows() - 1, Records.Fields[size_t(i)]);
    if (!Records.Rows.empty())
        SetRowCountEx(FixedRows() + int(Records.Rows.size()));
    int row = FixedRows();
    for (const std::vector<AnsiString>& rec : Records.Rows) {
        if (row >= RowCount())
            SetRowCountEx(row + 1);
        for (int i = 0; i < n; ++i)
            SetCellEx(FixedCols() + i, row, i < int(rec.size()) ? rec[size_t(i)] : AnsiString());
        ++row;
    }
}
