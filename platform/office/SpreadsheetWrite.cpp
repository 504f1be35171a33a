// .xlsx workbooks written through libxlsxwriter, into a temporary file that
// replaces the target only when the whole workbook was written.
#include <xlsxwriter.h>

#include <cmath>
#include <cstdio>
#include <unistd.h>

#include "platform/office/Spreadsheet.h"
#include "platform/office/XlsxPackage_p.h"

namespace XlsxPackage {

AnsiString WriteFailure(const AnsiString& FileName, const AnsiString& Why)
{
    return "Cannot write workbook " + FileName + ": " + Why;
}

AnsiString TemporaryPath(const AnsiString& FileName) { return FileName + ".part" + std::to_string(getpid()); }

void ReplaceWithTemporary(const AnsiString& Temp, const AnsiString& FileName)
{
    if (std::rename(Temp.c_str(), FileName.c_str()) != 0) {
        std::remove(Temp.c_str());
        throw ESpreadsheetError(WriteFailure(FileName, "the file cannot be replaced"));
    }
}

} // namespace XlsxPackage

namespace {

constexpr auto Fail = XlsxPackage::WriteFailure;

} // namespace

void WriteXlsx(const AnsiString& FileName, const TWorkbook& Book)
{
    if (Book.Sheets.empty())
        throw ESpreadsheetError(Fail(FileName, "the workbook has no sheets"));
    const AnsiString temp = XlsxPackage::TemporaryPath(FileName);
    lxw_workbook* wb = workbook_new(temp.c_str());
    if (!wb)
        throw ESpreadsheetError(Fail(FileName, "out of memory"));
    AnsiString failure;
    lxw_format* dateFormat = workbook_add_format(wb);
    format_set_num_format(dateFormat, "yyyy-mm-dd hh:mm:ss");
    lxw_format* dayFormat = workbook_add_format(wb);
    format_set_num_format(dayFormat, "yyyy-mm-dd");
    for (size_t i = 0; i < Book.Sheets.size() && failure.empty(); ++i) {
        const TSheet& s = Book.Sheets[i];
        if (workbook_validate_sheet_name(wb, s.Name.c_str()) != LXW_NO_ERROR) {
            failure = "the sheet name \"" + s.Name + "\" cannot be used";
            break;
        }
        lxw_worksheet* ws = workbook_add_worksheet(wb, s.Name.c_str());
        if (!ws) {
            failure = "the sheet name \"" + s.Name + "\" cannot be used";
            break;
        }
        if (int(i) == Book.ActiveSheet)
            worksheet_activate(ws);
        for (const auto& [at, cell] : s.Cells) {
            const lxw_row_t r = lxw_row_t(at.first - 1);
            const lxw_col_t c = lxw_col_t(at.second - 1);
            lxw_error e = LXW_NO_ERROR;
            switch (cell.Kind) {
            case TSheetCell::ckNumber: e = worksheet_write_number(ws, r, c, cell.Number, nullptr); break;
            case TSheetCell::ckDate:
                e = worksheet_write_number(ws, r, c, cell.Number,
                                           cell.Number == std::floor(cell.Number) ? dayFormat : dateFormat);
                break;
            case TSheetCell::ckBool: e = worksheet_write_boolean(ws, r, c, cell.Number != 0, nullptr); break;
            case TSheetCell::ckText:
            case TSheetCell::ckError: e = worksheet_write_string(ws, r, c, cell.Text.c_str(), nullptr); break;
            }
            if (e != LXW_NO_ERROR) {
                failure = "cell " + ColumnLetters(at.second) + std::to_string(at.first) + ": " + lxw_strerror(e);
                break;
            }
        }
    }
    const lxw_error closed = workbook_close(wb); // writes the file and frees the workbook
    if (failure.empty() && closed != LXW_NO_ERROR)
        failure = lxw_strerror(closed);
    if (!failure.empty()) {
        std::remove(temp.c_str());
        throw ESpreadsheetError(Fail(FileName, failure));
    }
    XlsxPackage::ReplaceWithTemporary(temp, FileName);
}
