#pragma once
// Spreadsheet workbooks as plain values: read from .xlsx and legacy .xls files,
// written as .xlsx. Cells keep their kind, so a workbook read and written again
// keeps its numbers as numbers.
#include <map>
#include <utility>
#include <vector>

#include "platform/core/Exceptions.h"

// A file that cannot be read or written as a workbook.
ZV_EXCEPTION_CLASS(ESpreadsheetError, Exception)

struct TSheetCell {
    enum TKind { ckText, ckNumber, ckBool, ckDate, ckError };
    TKind Kind = ckText;
    AnsiString Text;   // the text of a text or error cell
    double Number = 0; // a number, 0/1, or a date as days since 30 Dec 1899
};

struct TSheet {
    AnsiString Name;
    // 1-based (row, column) of every cell that holds something.
    std::map<std::pair<int, int>, TSheetCell> Cells;
    // The used range as the file states it ("B3:D5", "A1"); empty when unknown.
    AnsiString Dimension;
};

struct TWorkbook {
    std::vector<TSheet> Sheets;
    int ActiveSheet = 0; // index into Sheets
};

// "A".."Z", "AA".., for column numbers from 1; "" for 0 and below.
AnsiString ColumnLetters(int Col);
// The number of the letters at the start of Text (upper or lower case); 0 when none.
int LettersToColumn(const AnsiString& Letters);
// The range "A1:C3" (or a single cell "B2") as first and last row and column, 1-based.
// False when it is no range.
bool ParseRange(const AnsiString& Range, int& Left, int& Top, int& Right, int& Bottom);
// The used range of a sheet: its stated dimension (widened to any cell outside it), else
// the cells it holds, also when the stated range is too large to be meant; false when empty.
bool UsedRange(const TSheet& Sheet, int& Left, int& Top, int& Right, int& Bottom);

TWorkbook ReadXlsx(const AnsiString& FileName);
TWorkbook ReadXls(const AnsiString& FileName);
// Whether the file starts as a legacy .xls workbook does.
bool IsLegacyWorkbook(const AnsiString& FileName);
// Either kind, told apart by the file's first bytes.
TWorkbook ReadWorkbook(const AnsiString& FileName);
void WriteXlsx(const AnsiString& FileName, const TWorkbook& Book);
// Writes Sheet into the workbook FileName under its name. In an .xlsx workbook only that
// sheet's part is written anew (a sheet not there yet is added and made the active one) and
// every other part keeps its bytes, so the other sheets keep their styles, widths, merged
// cells and formulas; the calculation chain, which may name the old sheet's formulas, is
// dropped for the spreadsheet program to rebuild. A missing file becomes a workbook of that
// one sheet; a legacy .xls workbook is written anew as .xlsx from its values.
void WriteWorkbookSheet(const AnsiString& FileName, const TSheet& Sheet);
