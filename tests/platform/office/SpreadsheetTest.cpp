// Workbooks written as .xlsx and read back, cell addresses, and unreadable files.
#include <gtest/gtest.h>

#include <cstdlib>

#include "XlsxFixture.h"
#include "platform/office/Spreadsheet.h"
#include "tests/support/TestSupport.h"

namespace {

std::string Path(const char* Name) { return (TestDir("office-sheets") / Name).string(); }

TSheetCell Text(const AnsiString& s) { return TSheetCell{TSheetCell::ckText, s, 0}; }
TSheetCell Num(double v, TSheetCell::TKind k = TSheetCell::ckNumber) { return TSheetCell{k, "", v}; }

} // namespace

TEST(Spreadsheet, ColumnLettersBothWays)
{
    const struct {
        int col;
        const char* letters;
    } cases[] = {{1, "A"},   {26, "Z"},   {27, "AA"},   {28, "AB"},    {52, "AZ"},
                 {53, "BA"}, {702, "ZZ"}, {703, "AAA"}, {16384, "XFD"}};
    for (const auto& k : cases) {
        EXPECT_EQ(ColumnLetters(k.col), k.letters) << k.col;
        EXPECT_EQ(LettersToColumn(k.letters), k.col) << k.letters;
    }
    EXPECT_EQ(ColumnLetters(0), "");
    EXPECT_EQ(LettersToColumn("ab12"), 28);
    EXPECT_EQ(LettersToColumn("12"), 0);
}

TEST(Spreadsheet, RangesAndSingleCells)
{
    const struct {
        const char* range;
        bool ok;
        int l, t, r, b;
    } cases[] = {
        {"$B$3:$D$5", true, 2, 3, 4, 5}, {"A1:AB10", true, 1, 1, 28, 10}, {"C7", true, 3, 7, 3, 7},
        {"$A$1", true, 1, 1, 1, 1},      {"D5:B3", false, 0, 0, 0, 0},    {"", false, 0, 0, 0, 0},
        {"1:5", false, 0, 0, 0, 0},      {"A0", false, 0, 0, 0, 0},       {"A1:", false, 0, 0, 0, 0},
    };
    for (const auto& k : cases) {
        int l = 0, t = 0, r = 0, b = 0;
        EXPECT_EQ(ParseRange(k.range, l, t, r, b), k.ok) << k.range;
        if (k.ok) {
            EXPECT_EQ((std::vector<int>{l, t, r, b}), (std::vector<int>{k.l, k.t, k.r, k.b})) << k.range;
        }
    }
}

TEST(Spreadsheet, WorkbookRoundTripKeepsSheetsKindsAndTheActiveSheet)
{
    TWorkbook book;
    TSheet a{"Data", {}, ""};
    a.Cells[{1, 1}] = Text("Freq");
    a.Cells[{1, 2}] = Text("caf\xC3\xA9 \"1\" <&>");
    a.Cells[{2, 1}] = Num(1000.5);
    a.Cells[{2, 2}] = Text("two\nlines");
    a.Cells[{3, 3}] = Num(46052, TSheetCell::ckDate);
    a.Cells[{4, 28}] = Num(1, TSheetCell::ckBool);
    TSheet b{"Second sheet", {}, ""};
    b.Cells[{5, 2}] = Num(-0.25);
    book.Sheets = {a, b};
    book.ActiveSheet = 1;
    const std::string file = Path("round.xlsx");
    WriteXlsx(file, book);

    const TWorkbook back = ReadWorkbook(file);
    ASSERT_EQ(back.Sheets.size(), 2u);
    EXPECT_EQ(back.ActiveSheet, 1);
    EXPECT_EQ(back.Sheets[0].Name, "Data");
    EXPECT_EQ(back.Sheets[1].Name, "Second sheet");
    const TSheet& s = back.Sheets[0];
    ASSERT_EQ(s.Cells.size(), a.Cells.size());
    for (const auto& [at, cell] : a.Cells) {
        const TSheetCell& got = s.Cells.at(at);
        EXPECT_EQ(got.Kind, cell.Kind) << at.first << "," << at.second;
        EXPECT_EQ(got.Text, cell.Text) << at.first << "," << at.second;
        EXPECT_EQ(got.Number, cell.Number) << at.first << "," << at.second;
    }
    int l = 0, t = 0, r = 0, bt = 0;
    ASSERT_TRUE(UsedRange(s, l, t, r, bt));
    EXPECT_EQ((std::vector<int>{l, t, r, bt}), (std::vector<int>{1, 1, 28, 4}));
    ASSERT_TRUE(UsedRange(back.Sheets[1], l, t, r, bt));
    EXPECT_EQ((std::vector<int>{l, t, r, bt}), (std::vector<int>{2, 5, 2, 5}));
}

TEST(Spreadsheet, UnreadableFilesSayWhatIsWrong)
{
    WriteBytes(Path("text.xlsx"), "just some text");
    WriteBytes(Path("zip-without-book.xlsx"), std::string("PK\x05\x06", 4) + std::string(18, '\0'));
    WriteBytes(Path("fake.xls"), std::string("\xD0\xCF\x11\xE0", 4) + std::string(600, 'x'));
    const struct {
        std::string file;
        const char* why;
    } cases[] = {
        {Path("missing.xlsx"), "file not found"},
        {Path("text.xlsx"), "not a spreadsheet file"},
        {Path("zip-without-book.xlsx"), "not a spreadsheet file"},
        {Path("fake.xls"), "not a spreadsheet file"},
    };
    for (const auto& k : cases)
        EXPECT_EQ(ErrorOf([&] { ReadWorkbook(k.file); }),
                  "ESpreadsheetError: Cannot read workbook " + k.file + ": " + k.why);
    EXPECT_EQ(ErrorOf([&] { ReadXls(Path("missing.xls")); }),
              "ESpreadsheetError: Cannot read workbook " + Path("missing.xls") + ": file not found");
}

TEST(Spreadsheet, AFailedWriteLeavesTheOldFileAsItWas)
{
    const std::string file = Path("keep.xlsx");
    WriteBytes(file, "old contents");
    TWorkbook book;
    book.Sheets = {TSheet{"bad:name", {}, ""}};
    EXPECT_EQ(ErrorOf([&] { WriteXlsx(file, book); }),
              "ESpreadsheetError: Cannot write workbook " + file + ": the sheet name \"bad:name\" cannot be used");
    EXPECT_EQ(ReadBytes(file), "old contents");
    book.Sheets = {TSheet{"ok", {}, ""}};
    book.Sheets[0].Cells[{1, 1}] = Text(std::string(40000, 'x'));
    EXPECT_NE(ErrorOf([&] { WriteXlsx(file, book); }), "no error");
    EXPECT_EQ(ReadBytes(file), "old contents");
    const std::string nowhere = Path("no-such-folder/x.xlsx");
    EXPECT_NE(ErrorOf([&] { WriteXlsx(nowhere, book); }), "no error");
}

TEST(Spreadsheet, ReadsWhatOtherProgramsWrite)
{
    const std::string file = Path("foreign.xlsx");
    WriteXlsxParts(
        file,
        "<row r=\"2\"><c r=\"B2\" t=\"s\"><v>1</v></c><c t=\"inlineStr\"><is><t>inline</t></is></c>"
        "<c r=\"E2\" t=\"e\"><v>#DIV/0!</v></c><c r=\"F2\" s=\"1\"><v>46052.5</v></c>"
        "<c r=\"G2\" s=\"2\"><v>7</v></c><c r=\"H2\" t=\"str\"><f>A1</f><v>calc</v></c>"
        "<c r=\"I2\" s=\"1\"/><c r=\"J2\" t=\"s\"><v>99</v></c></row>"
        "<row><c r=\"A3\" t=\"b\"><v>0</v></c></row>",
        "B2:J3",
        {{"xl/sharedStrings.xml",
          "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><si><t>zero</t></si>"
          "<si><r><t>ri</t></r><r><t>ch</t></r><rPh><t>x</t></rPh></si></sst>"},
         {"xl/styles.xml",
          "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
          "<numFmts><numFmt numFmtId=\"164\" formatCode=\"[Red]&quot;d&quot;0.00\"/></numFmts>"
          "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"22\"/><xf numFmtId=\"164\"/></cellXfs></styleSheet>"}});
    const TWorkbook book = ReadXlsx(file);
    ASSERT_EQ(book.Sheets.size(), 1u);
    const TSheet& s = book.Sheets[0];
    EXPECT_EQ(s.Name, "Only");
    EXPECT_EQ(s.Dimension, "B2:J3");
    const struct {
        int row, col;
        TSheetCell::TKind kind;
        const char* text;
        double number;
    } cases[] = {
        {2, 2, TSheetCell::ckText, "rich", 0},     {2, 3, TSheetCell::ckText, "inline", 0},
        {2, 5, TSheetCell::ckError, "#DIV/0!", 0}, {2, 6, TSheetCell::ckDate, "", 46052.5},
        {2, 7, TSheetCell::ckNumber, "", 7},       {2, 8, TSheetCell::ckText, "calc", 0},
        {3, 1, TSheetCell::ckBool, "", 0},
    };
    for (const auto& k : cases) {
        ASSERT_EQ(s.Cells.count({k.row, k.col}), 1u) << k.row << "," << k.col;
        const TSheetCell& c = s.Cells.at({k.row, k.col});
        EXPECT_EQ(c.Kind, k.kind) << k.row << "," << k.col;
        EXPECT_EQ(c.Text, k.text) << k.row << "," << k.col;
        EXPECT_EQ(c.Number, k.number) << k.row << "," << k.col;
    }
    // The formatted empty cell and the string index out of range hold nothing.
    EXPECT_EQ(s.Cells.size(), 7u);
    int l = 0, t = 0, r = 0, b = 0;
    ASSERT_TRUE(UsedRange(s, l, t, r, b));
    EXPECT_EQ((std::vector<int>{l, t, r, b}), (std::vector<int>{1, 2, 10, 3})); // widened to A3

    WriteXlsxParts(file, "<row r=\"1\"><c r=\"A1\"><v>1</v></c>", "A1");
    EXPECT_EQ(
        ErrorOf([&] { ReadXlsx(file); }).substr(0, 60),
        ("ESpreadsheetError: Cannot read workbook " + file + ": xl/worksheets/sheet1.xml: XML error").substr(0, 60));
}

// A legacy workbook written by another program (python3-xlwt): two sheets, texts, numbers,
// a date, a Boolean and an empty cell.
bool WriteLegacyWorkbook(const std::string& File)
{
    const std::string script = Path("write_xls.py");
    WriteBytes(script, "import sys, datetime, xlwt\n"
                       "b = xlwt.Workbook(encoding='utf-8')\n"
                       "s = b.add_sheet('Readings')\n"
                       "s.write(0, 0, 'Part')\n"
                       "s.write(0, 1, 'C (\u00b5F)')\n"
                       "s.write(1, 0, 'R1')\n"
                       "s.write(1, 1, 4.7)\n"
                       "s.write(2, 0, 'R2')\n"
                       "s.write(2, 1, 10)\n"
                       "s.write(3, 2, True)\n"
                       "s.write(4, 3, datetime.date(2024, 1, 2), xlwt.easyxf(num_format_str='yyyy-mm-dd'))\n"
                       "t = b.add_sheet('Notes')\n"
                       "t.write(1, 1, 'second sheet')\n"
                       "b.save(sys.argv[1])\n");
    return std::system(("/usr/bin/python3 " + script + " " + File + " 2>/dev/null").c_str()) == 0;
}

TEST(Spreadsheet, ReadsLegacyWorkbooksAnotherProgramWrote)
{
    const std::string file = Path("legacy.xls");
    if (!WriteLegacyWorkbook(file))
        GTEST_SKIP() << "python3-xlwt is not installed (scripts/setup.sh installs it): no legacy workbook to read";
    const TWorkbook book = ReadWorkbook(file);
    ASSERT_EQ(book.Sheets.size(), 2u);
    EXPECT_EQ(book.Sheets[0].Name, "Readings");
    EXPECT_EQ(book.Sheets[1].Name, "Notes");
    const TSheet& s = book.Sheets[0];
    const struct {
        int row, col;
        TSheetCell::TKind kind;
        const char* text;
        double number;
    } cases[] = {
        {1, 1, TSheetCell::ckText, "Part", 0},      {1, 2, TSheetCell::ckText, "C (\xC2\xB5" "F)", 0},
        {2, 2, TSheetCell::ckNumber, "", 4.7},      {3, 1, TSheetCell::ckText, "R2", 0},
        {3, 2, TSheetCell::ckNumber, "", 10},       {5, 4, TSheetCell::ckDate, "", 45293},
    };
    for (const auto& k : cases) {
        ASSERT_EQ(s.Cells.count({k.row, k.col}), 1u) << k.row << "," << k.col;
        const TSheetCell& c = s.Cells.at({k.row, k.col});
        EXPECT_EQ(c.Kind, k.kind) << k.row << "," << k.col;
        EXPECT_EQ(c.Text, k.text) << k.row << "," << k.col;
        EXPECT_NEAR(c.Number, k.number, 1e-9) << k.row << "," << k.col;
    }
    EXPECT_EQ(s.Cells.count({1, 3}), 0u); // an empty cell holds nothing
    int l = 0, t = 0, r = 0, b = 0;
    ASSERT_TRUE(UsedRange(s, l, t, r, b));
    EXPECT_EQ((std::vector<int>{l, t, r, b}), (std::vector<int>{1, 1, 4, 5}));
    EXPECT_EQ(book.Sheets[1].Cells.at({2, 2}).Text, "second sheet");
}

TEST(Spreadsheet, IsoDateCellsAreReadAsDates)
{
    const struct {
        const char* value;
        TSheetCell::TKind kind;
        double number;
        const char* text;
    } cases[] = {
        {"2024-01-02", TSheetCell::ckDate, 45293, ""},
        {"2024-01-02T12:00:00", TSheetCell::ckDate, 45293.5, ""},
        {"2024-01-02T06:00:00Z", TSheetCell::ckDate, 45293.25, ""},
        {"1899-12-31", TSheetCell::ckDate, 1, ""},
        {"18:00", TSheetCell::ckDate, 0.75, ""},
        {"2024-13-40", TSheetCell::ckText, 0, "2024-13-40"},
        {"soon", TSheetCell::ckText, 0, "soon"},
    };
    const std::string file = Path("dates.xlsx");
    for (const auto& k : cases) {
        WriteXlsxParts(file, std::string("<row r=\"1\"><c r=\"A1\" t=\"d\"><v>") + k.value + "</v></c></row>");
        const TWorkbook book = ReadXlsx(file);
        ASSERT_EQ(book.Sheets[0].Cells.count({1, 1}), 1u) << k.value;
        const TSheetCell& c = book.Sheets[0].Cells.at({1, 1});
        EXPECT_EQ(c.Kind, k.kind) << k.value;
        EXPECT_NEAR(c.Number, k.number, 1e-9) << k.value;
        EXPECT_EQ(c.Text, k.text) << k.value;
    }
}

TEST(Spreadsheet, UsedRangeOfStatedAndHeldCells)
{
    const struct {
        const char* name;
        const char* dimension;
        std::vector<std::pair<int, int>> cells;
        bool ok;
        std::vector<int> range; // left, top, right, bottom
    } cases[] = {
        {"stated", "B3:D5", {{3, 2}}, true, {2, 3, 4, 5}},
        {"stated, widened to a cell outside", "B3:D5", {{7, 1}}, true, {1, 3, 4, 7}},
        {"nothing stated", "", {{2, 3}, {4, 1}}, true, {1, 2, 3, 4}},
        {"the whole sheet stated", "A1:XFD1048576", {{2, 2}, {3, 4}}, true, {2, 2, 4, 3}},
        {"empty", "", {}, false, {}},
        {"unreadable statement", "nonsense", {{1, 1}}, true, {1, 1, 1, 1}},
    };
    for (const auto& k : cases) {
        TSheet s{"S", {}, k.dimension};
        for (const auto& at : k.cells)
            s.Cells[at] = Text("x");
        int l = 0, t = 0, r = 0, b = 0;
        ASSERT_EQ(UsedRange(s, l, t, r, b), k.ok) << k.name;
        if (k.ok) {
            EXPECT_EQ((std::vector<int>{l, t, r, b}), k.range) << k.name;
        }
    }
}
