// Legacy .xls workbooks, read through the FreeXL library.
#include <freexl.h>

#include <cstdio>
#include <memory>

#include "platform/core/DateTime.h"
#include "platform/office/Spreadsheet.h"

namespace {

struct TXlsCloser {
    void operator()(const void* h) const { freexl_close(h); }
};

AnsiString Fail(const AnsiString& FileName, const AnsiString& Why)
{
    return "Cannot read workbook " + FileName + ": " + Why;
}

// "YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS" or "HH:MM:SS" as days since 30 Dec 1899.
bool XlsDate(int Type, const char* Text, double& Value)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    TDateTime date = 0, time = 0;
    if (Type == FREEXL_CELL_TIME) {
        if (std::sscanf(Text, "%d:%d:%d", &h, &mi, &s) != 3)
            return false;
    } else if (Type == FREEXL_CELL_DATE) {
        if (std::sscanf(Text, "%d-%d-%d", &y, &mo, &d) != 3)
            return false;
    } else if (std::sscanf(Text, "%d-%d-%d %d:%d:%d", &y, &mo, &d, &h, &mi, &s) != 6)
        return false;
    if (Type != FREEXL_CELL_TIME && !TryEncodeDate(Word(y), Word(mo), Word(d), date))
        return false;
    if (!TryEncodeTime(Word(h), Word(mi), Word(s), 0, time))
        return false;
    Value = date + time;
    return true;
}

} // namespace

TWorkbook ReadXls(const AnsiString& FileName)
{
    const void* raw = nullptr;
    const int rc = freexl_open(FileName.c_str(), &raw);
    std::unique_ptr<const void, TXlsCloser> h(raw);
    if (rc != FREEXL_OK)
        throw ESpreadsheetError(
            Fail(FileName, rc == FREEXL_FILE_NOT_FOUND ? "file not found" : "not a spreadsheet file"));
    unsigned int count = 0;
    if (freexl_get_info(raw, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK || count == 0)
        throw ESpreadsheetError(Fail(FileName, "the workbook has no sheets"));
    TWorkbook book;
    for (unsigned short i = 0; i < count; ++i) {
        TSheet sheet;
        const char* name = nullptr;
        if (freexl_get_worksheet_name(raw, i, &name) == FREEXL_OK && name)
            sheet.Name = name;
        unsigned int rows = 0;
        unsigned short cols = 0;
        if (freexl_select_active_worksheet(raw, i) != FREEXL_OK ||
            freexl_worksheet_dimensions(raw, &rows, &cols) != FREEXL_OK)
            throw ESpreadsheetError(Fail(FileName, "damaged sheet " + sheet.Name));
        for (unsigned int r = 0; r < rows; ++r)
            for (unsigned short c = 0; c < cols; ++c) {
                FreeXL_CellValue v;
                if (freexl_get_cell_value(raw, r, c, &v) != FREEXL_OK)
                    throw ESpreadsheetError(Fail(FileName, "damaged sheet " + sheet.Name));
                TSheetCell cell;
                switch (v.type) {
                case FREEXL_CELL_INT:
                    cell.Kind = TSheetCell::ckNumber;
                    cell.Number = v.value.int_value;
                    break;
                case FREEXL_CELL_DOUBLE:
                    cell.Kind = TSheetCell::ckNumber;
                    cell.Number = v.value.double_value;
                    break;
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_SST_TEXT: cell.Text = v.value.text_value ? v.value.text_value : ""; break;
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                case FREEXL_CELL_TIME:
                    if (v.value.text_value && XlsDate(v.type, v.value.text_value, cell.Number))
                        cell.Kind = TSheetCell::ckDate;
                    else
                        cell.Text = v.value.text_value ? v.value.text_value : "";
                    break;
                default: continue;
                }
                sheet.Cells[{int(r) + 1, int(c) + 1}] = std::move(cell);
            }
        book.Sheets.push_back(std::move(sheet));
    }
    return book;
}
