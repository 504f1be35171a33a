// What every export and copy writes for a cell: the text, or an empty check-box
// cell's state as the grid's check texts.
#include <gtest/gtest.h>

#include <functional>

#include "GridTestSupport.h"
#include "components/grid/Ravobj.h"
#include "platform/core/Streams.h"
#include "platform/forms/Clipboard.h"
#include "platform/office/Spreadsheet.h"
#include "tests/support/TestSupport.h"

namespace {

std::string Path(const char* Name) { return (TestDir("gridexport") / Name).string(); }

TEST(GridExport, EmptyCheckBoxCellsExportTheirState)
{
    auto g = MakeGrid(3, 2, 0);
    g->SetCellEx(0, 0, "a");
    g->AddCheckBox(1, 0, true, false);
    g->AddCheckBox(2, 0, false, false);
    g->AddCheckBox(0, 1, true, false);
    g->SetCellEx(0, 1, "labelled"); // a check box with a text exports the text
    g->SetCheckTrue("CHECKED");
    g->SetCheckFalse("CLEARED");
    EXPECT_EQ(g->SaveCell(1, 0), "CHECKED");
    EXPECT_EQ(g->SaveCell(2, 0), "CLEARED");
    EXPECT_EQ(g->SaveCell(0, 1), "labelled");
    EXPECT_EQ(g->SaveCell(1, 1), "");

    const struct {
        const char* name;
        std::function<std::string()> written;
    } exports[] = {
        {"CSV", [&] { g->SaveToCSV(Path("c.csv")); return ReadBytes(Path("c.csv")); }},
        {"fixed width",
         [&] {
             TIntList widths(0, 0);
             g->SaveToFixed(Path("f.txt"), &widths);
             return ReadBytes(Path("f.txt"));
         }},
        {"plain text", [&] { g->SaveToASCII(Path("a.txt")); return ReadBytes(Path("a.txt")); }},
        {"HTML", [&] { g->SaveToHTML(Path("h.html")); return ReadBytes(Path("h.html")); }},
        {"XML", [&] { g->SaveToXML(Path("x.xml"), "list", "rec", nullptr); return ReadBytes(Path("x.xml")); }},
        {"document", [&] { g->SaveToDOC(Path("d.rtf")); return ReadBytes(Path("d.rtf")); }},
        {"stream",
         [&] {
             TMemoryStream m;
             g->SaveToStream(&m);
             return std::string(static_cast<const char*>(m.Memory()), size_t(m.Size()));
         }},
        {"clipboard",
         [&] {
             g->CopyToClipBoard();
             return std::string(Clipboard()->AsText());
         }},
        {"workbook",
         [&] {
             g->SaveToXLS(Path("w.xlsx"));
             const TWorkbook b = ReadWorkbook(Path("w.xlsx"));
             std::string all;
             for (const auto& [at, cell] : b.Sheets[0].Cells)
                 all += cell.Text + " ";
             return all;
         }},
    };
    for (const auto& e : exports) {
        const std::string w = e.written();
        EXPECT_NE(w.find("CHECKED"), std::string::npos) << e.name << ": " << w;
        EXPECT_NE(w.find("CLEARED"), std::string::npos) << e.name << ": " << w;
    }
}

} // namespace
