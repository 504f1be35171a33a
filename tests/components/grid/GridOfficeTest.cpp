// The grid's cells exchanged with workbooks, rich-text documents and database files.
#include <gtest/gtest.h>

#include "GridTestSupport.h"
#include "tests/platform/office/XlsxFixture.h"
#include "platform/office/Database.h"
#include "platform/office/Spreadsheet.h"
#include "tests/support/TestSupport.h"

namespace {

std::string Path(const char* Name) { return (TestDir("grid-office") / Name).string(); }

std::string Cells(TRavArodozIdad& g)
{
    std::string s;
    for (int r = 0; r < g.RowCount(); ++r) {
        for (int c = 0; c < g.ColCount(); ++c)
            s += (c ? "|" : "") + g.Cells(c, r);
        s += "\n";
    }
    return s;
}

// A one-sheet workbook file holding the given cells.
void WriteSheet(const std::string& File, const std::map<std::pair<int, int>, TSheetCell>& Cells,
                const AnsiString& Name = "Sheet1")
{
    TWorkbook book;
    book.Sheets.push_back(TSheet{Name, Cells, ""});
    WriteXlsx(File, book);
}

TSheetCell T(const AnsiString& s) { return TSheetCell{TSheetCell::ckText, s, 0}; }

} // namespace

TEST(GridOffice, WorkbookRoundTripWithAndWithoutFixedCells)
{
    for (bool withFixed : {true, false}) {
        auto g = MakeGrid(3, 3, 1, 1);
        g->SetMultilinecells(true);
        FillCoords(*g);
        g->SetCellEx(2, 2, "two\r\nlines");
        g->SaveWithFixedCells = withFixed;
        const std::string file = Path(withFixed ? "fixed.xlsx" : "data.xlsx");
        g->SaveToXLS(file);

        // Line breaks go out as single LFs.
        const TWorkbook book = ReadWorkbook(file);
        ASSERT_EQ(book.Sheets.size(), 1u);
        const auto& cells = book.Sheets[0].Cells;
        EXPECT_EQ(cells.at({withFixed ? 3 : 2, withFixed ? 3 : 2}).Text, "two\nlines");
        EXPECT_EQ(cells.size(), withFixed ? 9u : 4u);

        auto h = MakeGrid(2, 2, 1, 1);
        h->SaveWithFixedCells = withFixed;
        h->LoadFromXLS(file);
        EXPECT_EQ(h->ColCount(), 3);
        EXPECT_EQ(h->RowCount(), 3);
        EXPECT_EQ(Cells(*h),
                  withFixed ? "0,0|1,0|2,0\n0,1|1,1|2,1\n0,2|1,2|two\nlines\n" : "||\n|1,1|2,1\n|1,2|two\nlines\n")
            << withFixed;
    }
}

TEST(GridOffice, TheUsedRangeSizesTheGrid)
{
    struct Case {
        const char* name;
        std::map<std::pair<int, int>, TSheetCell> cells;
        int cols, rows;
        std::string firstRow;
    };
    const Case cases[] = {
        {"B3:D5 read as 3 x 3", {{{3, 2}, T("tl")}, {{5, 4}, T("br")}}, 3, 3, "tl||"},
        {"one cell is 1 x 1", {{{3, 2}, T("only")}}, 1, 1, "only"},
        {"28 columns from A", {{{1, 1}, T("a")}, {{1, 28}, T("ab")}}, 28, 1, "a||"},
        {"52 columns from A", {{{1, 1}, T("a")}, {{2, 52}, T("az")}}, 52, 2, "a||"},
        {"an empty sheet is one empty cell", {}, 1, 1, ""},
    };
    for (const Case& k : cases) {
        const std::string file = Path("range.xlsx");
        WriteSheet(file, k.cells);
        auto g = MakeGrid(5, 5, 0, 0);
        g->SetCellEx(0, 0, "old");
        g->LoadFromXLS(file);
        EXPECT_EQ(g->ColCount(), k.cols) << k.name;
        EXPECT_EQ(g->RowCount(), k.rows) << k.name;
        std::string row0 = g->Cells(0, 0);
        for (int c = 1; c < std::min(3, g->ColCount()); ++c)
            row0 += "|" + g->Cells(c, 0);
        EXPECT_EQ(row0, k.name == std::string("an empty sheet is one empty cell") ? "old" : k.firstRow) << k.name;
    }
    auto g = MakeGrid(2, 2, 0, 0);
    WriteSheet(Path("wide.xlsx"), {{{1, 1}, T("a")}, {{1, 28}, T("AB1")}});
    g->LoadFromXLS(Path("wide.xlsx"));
    EXPECT_EQ(g->Cells(27, 0), "AB1");
}

TEST(GridOffice, ValuesBecomeTextsAndErrorsLeaveCellsAlone)
{
    const std::string file = Path("kinds.xlsx");
    WriteXlsxParts(
        file,
        "<row r=\"1\"><c r=\"A1\"><v>1234.5</v></c><c r=\"B1\" t=\"b\"><v>1</v></c>"
        "<c r=\"C1\" t=\"e\"><v>#DIV/0!</v></c><c r=\"D1\" s=\"1\"><v>46052</v></c>"
        "<c r=\"E1\" s=\"1\"><v>0.5</v></c></row>",
        "A1:F1",
        {{"xl/styles.xml", "<styleSheet><cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"14\"/></cellXfs></styleSheet>"}});
    auto g = MakeGrid(6, 1, 0, 0);
    g->SetCellEx(2, 0, "kept");
    g->SetCellEx(5, 0, "empty keeps");
    g->LoadFromXLS(file);
    EXPECT_EQ(Cells(*g), "1234.5|True|kept|1/30/2026|12:00:00 PM|empty keeps\n");
}

TEST(GridOffice, SavingIntoANamedSheetKeepsTheRestOfTheWorkbook)
{
    const std::string file = Path("book.xlsx");
    TWorkbook book;
    book.Sheets.push_back(TSheet{"Notes", {{{1, 1}, T("keep me")}}, ""});
    book.Sheets.push_back(TSheet{"Run", {{{1, 1}, T("old")}, {{9, 9}, T("outside")}}, ""});
    WriteXlsx(file, book);

    auto g = MakeGrid(2, 2, 0, 0);
    g->SetCellEx(0, 0, "new");
    g->SetCellEx(1, 1, "x");
    g->SaveToXLSSheet(file, "Run");
    g->SaveToXLSSheet(file, "Added");
    const TWorkbook back = ReadWorkbook(file);
    ASSERT_EQ(back.Sheets.size(), 3u);
    EXPECT_EQ(back.Sheets[0].Cells.at({1, 1}).Text, "keep me");
    EXPECT_EQ(back.Sheets[1].Cells.at({1, 1}).Text, "new");
    EXPECT_EQ(back.Sheets[1].Cells.at({9, 9}).Text, "outside");
    EXPECT_EQ(back.Sheets[1].Cells.count({1, 2}), 0u);
    EXPECT_EQ(back.Sheets[2].Name, "Added");
    EXPECT_EQ(back.ActiveSheet, 2);

    auto h = MakeGrid(1, 1, 0, 0);
    h->LoadFromXLSSheet(file, "Notes");
    EXPECT_EQ(Cells(*h), "keep me\n");
    h->LoadFromXLS(file); // the active sheet
    EXPECT_EQ(Cells(*h), "new|\n|x\n");
}

namespace {

std::string Member(const std::string& File, const char* Name)
{
    int err = 0;
    zip_t* z = zip_open(File.c_str(), ZIP_RDONLY, &err);
    if (!z)
        return "<no archive>";
    std::string out = "<missing>";
    zip_stat_t st;
    if (zip_stat(z, Name, 0, &st) == 0) {
        out.assign(size_t(st.size), '\0');
        zip_file_t* f = zip_fopen(z, Name, 0);
        if (!f || zip_fread(f, out.data(), st.size) != zip_int64_t(st.size))
            out = "<unreadable>";
        if (f)
            zip_fclose(f);
    }
    zip_discard(z);
    return out;
}

} // namespace

TEST(GridOffice, SavingIntoANamedSheetReplacesOnlyThatSheetsPart)
{
    const std::string file = Path("styled.xlsx");
    const std::string ns = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";
    const std::string notes = "<?xml version=\"1.0\"?><worksheet " + ns +
        "><cols><col min=\"1\" max=\"1\" width=\"30\" customWidth=\"1\"/></cols><sheetData><row r=\"1\">"
        "<c r=\"A1\" s=\"1\"><v>2</v></c><c r=\"B1\"><f>A1*2</f><v>4</v></c></row></sheetData>"
        "<mergeCells count=\"1\"><mergeCell ref=\"C1:D1\"/></mergeCells></worksheet>";
    const std::string styles = "<styleSheet " + ns + "><cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"10\"/></cellXfs></styleSheet>";
    WriteZip(file,
             {{"[Content_Types].xml",
               "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
               "<Override PartName=\"/xl/calcChain.xml\" ContentType=\"application/vnd.openxmlformats-officedocument."
               "spreadsheetml.calcChain+xml\"/></Types>"},
              {"xl/workbook.xml",
               "<workbook " + ns + " xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
               "<bookViews><workbookView activeTab=\"0\"/></bookViews><sheets>"
               "<sheet name=\"Notes\" sheetId=\"1\" r:id=\"rId1\"/><sheet name=\"Run\" sheetId=\"2\" r:id=\"rId2\"/>"
               "</sheets></workbook>"},
              {"xl/_rels/workbook.xml.rels",
               "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
               "<Relationship Id=\"rId1\" Type=\"worksheet\" Target=\"worksheets/sheet1.xml\"/>"
               "<Relationship Id=\"rId2\" Type=\"worksheet\" Target=\"worksheets/sheet2.xml\"/>"
               "<Relationship Id=\"rId3\" Type=\"calcChain\" Target=\"calcChain.xml\"/></Relationships>"},
              {"xl/worksheets/sheet1.xml", notes},
              {"xl/worksheets/sheet2.xml", "<worksheet " + ns + "><sheetData><row r=\"9\"><c r=\"I9\" t=\"inlineStr\">"
                                           "<is><t>outside</t></is></c></row></sheetData></worksheet>"},
              {"xl/styles.xml", styles},
              {"xl/calcChain.xml", "<calcChain " + ns + "><c r=\"B1\" i=\"1\"/></calcChain>"}});

    auto g = MakeGrid(2, 2, 0, 0);
    g->SetCellEx(0, 0, "new & <odd>");
    g->SetCellEx(1, 1, "x");
    g->SaveToXLSSheet(file, "Run");
    EXPECT_EQ(Member(file, "xl/worksheets/sheet1.xml"), notes);
    EXPECT_EQ(Member(file, "xl/styles.xml"), styles);
    EXPECT_EQ(Member(file, "xl/calcChain.xml"), "<missing>");
    TWorkbook back = ReadWorkbook(file);
    ASSERT_EQ(back.Sheets.size(), 2u);
    EXPECT_EQ(back.Sheets[0].Cells.at({1, 2}).Number, 4); // the formula's sheet as it was
    EXPECT_EQ(back.Sheets[1].Cells.at({1, 1}).Text, "new & <odd>");
    EXPECT_EQ(back.Sheets[1].Cells.at({2, 2}).Text, "x");
    EXPECT_EQ(back.Sheets[1].Cells.at({9, 9}).Text, "outside");
    EXPECT_EQ(back.ActiveSheet, 0);

    g->SaveToXLSSheet(file, "Added");
    EXPECT_EQ(Member(file, "xl/worksheets/sheet1.xml"), notes);
    back = ReadWorkbook(file);
    ASSERT_EQ(back.Sheets.size(), 3u);
    EXPECT_EQ(back.Sheets[2].Name, "Added");
    EXPECT_EQ(back.Sheets[2].Cells.at({2, 2}).Text, "x");
    EXPECT_EQ(back.ActiveSheet, 2);
    auto h = MakeGrid(1, 1, 0, 0);
    h->LoadFromXLS(file);
    EXPECT_EQ(Cells(*h), "new & <odd>|\n|x\n");
}

TEST(GridOffice, ExchangeErrorsAreReportedAndChangeNothing)
{
    const std::string file = Path("err.xlsx");
    WriteSheet(file, {{{1, 1}, T("v")}});
    auto g = MakeGrid(2, 2, 0, 0);
    g->SetCellEx(0, 0, "mine");
    EXPECT_EQ(ErrorOf([&] { g->LoadFromXLSSheet(file, "Nope"); }), "VEvoRaraVedad: Worksheet Nope not found");
    EXPECT_EQ(ErrorOf([&] { g->LoadFromXLS(Path("none.xlsx")); }),
              "ESpreadsheetError: Cannot read workbook " + Path("none.xlsx") + ": file not found");
    // A workbook that cannot be read is not overwritten by saving a sheet into it.
    WriteBytes(Path("broken.xlsx"), "broken");
    EXPECT_EQ(ErrorOf([&] { g->SaveToXLSSheet(Path("broken.xlsx"), "S"); }),
              "ESpreadsheetError: Cannot read workbook " + Path("broken.xlsx") + ": not a spreadsheet file");
    EXPECT_EQ(ReadBytes(Path("broken.xlsx")), "broken");
    EXPECT_EQ(ErrorOf([&] { g->LoadFromMDBTable(Path("none.mdb"), "T"); }),
              "EDatabaseError: Cannot read database " + Path("none.mdb") + ": file not found");
    EXPECT_EQ(ErrorOf([&] { g->LoadFromMDBSQL(Path("none.mdb"), "SELECT * FROM T"); }),
              "EDatabaseError: Cannot read database " + Path("none.mdb") + ": file not found");
    EXPECT_EQ(Cells(*g), "mine|\n|\n");
}

// A sheet or table name is data: quotes, semicolons and markup characters reach the
// workbook as they are and find the same sheet again; a name a workbook cannot hold is
// refused and the file left as it was; a database table name is never turned into a query
// (no database file can be written here, so only the refusal before the name is used shows).
TEST(GridOffice, HostileSheetAndTableNamesArePassedAsTheyAre)
{
    const std::string file = Path("names.xlsx");
    WriteSheet(file, {{{1, 1}, T("first")}}, "First");
    const char* kept[] = {"T'; DROP TABLE x; --", "a\"b\" & <c>", "Q'1;2"};
    for (const char* name : kept) {
        SCOPED_TRACE(name);
        auto g = MakeGrid(1, 1, 0, 0);
        g->SetCellEx(0, 0, name);
        g->SaveToXLSSheet(file, name);
        const TWorkbook back = ReadWorkbook(file);
        EXPECT_EQ(back.Sheets.back().Name, name);
        EXPECT_EQ(back.Sheets.front().Name, "First");
        auto h = MakeGrid(1, 1, 0, 0);
        h->LoadFromXLSSheet(file, name);
        EXPECT_EQ(Cells(*h), std::string(name) + "\n");
    }
    const std::string before = ReadBytes(file);
    for (const char* name : {"x]; y", "a/b", "what?", "'quoted'"}) {
        SCOPED_TRACE(name);
        auto g = MakeGrid(1, 1, 0, 0);
        EXPECT_EQ(ErrorOf([&] { g->SaveToXLSSheet(file, name); }),
                  "ESpreadsheetError: Cannot write workbook " + file + ": the sheet name \"" + name +
                      "\" cannot be used");
        EXPECT_EQ(ReadBytes(file), before);
    }
    WriteBytes(Path("text.mdb"), std::string(8192, 'x'));
    auto g = MakeGrid(2, 2, 0, 0);
    g->SetCellEx(0, 0, "mine");
    EXPECT_EQ(ErrorOf([&] { g->LoadFromMDBTable(Path("text.mdb"), "T; DROP TABLE T; --"); }),
              "EDatabaseError: Cannot read database " + Path("text.mdb") + ": not a database file");
    EXPECT_EQ(Cells(*g), "mine|\n|\n");
}

TEST(GridOffice, TheDocumentIsARichTextTableOfTheWholeGrid)
{
    auto g = MakeGrid(2, 2, 1, 0);
    g->SetColWidths(0, 10);
    g->SetColWidths(1, 20);
    g->SetCellEx(0, 0, "Freq");
    g->SetCellEx(1, 0, "a{b}\\c");
    g->SetCellEx(0, 1, "caf\xC3\xA9\r\nline");
    g->SetCellEx(1, 1, "1.5");
    g->OnGetAlignment = [](TObject*, int ARow, int ACol, TAlignment& H, TVAlignment&) {
        if (ARow == 1 && ACol == 1)
            H = taRightJustify;
        if (ARow == 0 && ACol == 0)
            H = taCenter;
    };
    const std::string file = Path("table.doc");
    g->SaveToDOC(file);
    const std::string cellx = "\\clbrdrt\\brdrs\\clbrdrl\\brdrs\\clbrdrb\\brdrs\\clbrdrr\\brdrs\\cellx150"
                              "\\clbrdrt\\brdrs\\clbrdrl\\brdrs\\clbrdrb\\brdrs\\clbrdrr\\brdrs\\cellx450";
    EXPECT_EQ(ReadBytes(file),
              "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\\f0\\fs20\r\n"
              "\\trowd\\trgaph108" +
                  cellx +
                  "\r\n"
                  "\\pard\\intbl\\qc Freq\\cell\r\n"
                  "\\pard\\intbl\\ql a\\{b\\}\\\\c\\cell\r\n"
                  "\\row\r\n"
                  "\\trowd\\trgaph108" +
                  cellx +
                  "\r\n"
                  "\\pard\\intbl\\ql caf\\u233?\\line line\\cell\r\n"
                  "\\pard\\intbl\\qr 1.5\\cell\r\n"
                  "\\row\r\n"
                  "}\r\n");
    EXPECT_EQ(ErrorOf([&] { g->SaveToDOC(Path("no-folder/x.doc")); }),
              "VEvoRaraVedad: Cannot write document " + Path("no-folder/x.doc"));
}

TEST(GridOffice, AOneCellSheetStillLeavesTheFixedCellsAndOneMore)
{
    WriteSheet(Path("one.xlsx"), {{{1, 1}, T("v")}});
    auto g = MakeGrid(3, 3, 1, 1);
    g->LoadFromXLS(Path("one.xlsx"));
    EXPECT_EQ(g->ColCount(), 2);
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->Cells(0, 0), "v");
}

namespace {

// The records of a database read, laid into the grid as a table read would.
struct RecordsGrid : TRavArodozIdad {
    using TRavArodozIdad::LoadRecords;
    using TRavArodozIdad::TRavArodozIdad;
};

} // namespace

TEST(GridOffice, DatabaseRecordsFillTheGridBelowTheirFieldNames)
{
    struct Case {
        const char* name;
        int fixedRows, fixedCols, rows;
        TDbRecords records;
        std::string expected;
    };
    const Case cases[] = {
        {"names in the fixed row", 1, 0, 2, {{"F", "G"}, {{"1", "a"}, {"2", ""}}}, "F|G\n1|a\n2|\n"},
        {"no records keeps the rows", 1, 0, 3, {{"F"}, {}}, "F\nold\nold\n"},
        {"without fixed rows no names", 0, 0, 1, {{"F"}, {{"x"}, {"y"}}}, "x\ny\n"},
        {"after the fixed columns", 1, 1, 2, {{"F"}, {{"x"}}}, "|F\n|x\n"},
        {"a short record empties the rest", 1, 0, 2, {{"F", "G"}, {{"x"}}}, "F|G\nx|\n"},
    };
    for (const Case& k : cases) {
        RecordsGrid g(nullptr);
        g.SetColCountEx(2);
        g.SetRowCountEx(k.rows);
        g.SetFixedRowsEx(k.fixedRows);
        g.SetFixedColsEx(k.fixedCols);
        for (int r = k.fixedRows; r < k.rows; ++r)
            g.SetCellEx(k.fixedCols, r, "old");
        g.LoadRecords(k.records);
        EXPECT_EQ(Cells(g), k.expected) << k.name;
    }
}
