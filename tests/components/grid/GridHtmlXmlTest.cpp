// HTML and XML export: exact documents, colours, spans, links, escaping and encodings.
#include <gtest/gtest.h>

#include "GridTestSupport.h"
#include "platform/office/XmlReader.h"
#include "tests/support/TestSupport.h"

namespace {

std::string Path(const char* Name) { return (TestDir("gridhtml") / Name).string(); }

// 3 x 3, one fixed row: a header and two data rows.
std::unique_ptr<TRavArodozIdad> Table()
{
    auto g = MakeGrid(3, 3);
    const char* texts[3][3] = {{"Freq", "Cs", "D"}, {"1000", "47 nF", ""}, {"120", "two\r\nlines", "0.5"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            g->SetCellEx(c, r, texts[r][c]);
    return g;
}

// The fixed colour (a system colour) as the RGB it stands for.
const char* const kFace = "#D4D0C8";

TEST(GridHtml, WritesAHeaderRowAndDataRowsExactly)
{
    auto g = Table();
    g->SetAlignments(0, 1, taRightJustify);
    g->SetColors(1, 1, clYellow);
    g->SetFontColors(2, 2, clRed);
    g->SetFontStyles(1, 2, fsBold | fsUnderline);
    g->HTMLSettings()->ColWidths()->Add(50);
    g->SaveToHTML(Path("t.html"));
    const AnsiString face = kFace;
    EXPECT_EQ(ReadBytes(Path("t.html")),
              "<meta charset=\"windows-1252\">\r\n" // what the bytes are written in
              "<table border=\"1\" cellspacing=\"0\" cellpadding=\"0\"  width=\"100%\">\r\n"
              "<tr>\r\n"
              "<td nowrap bgcolor=\"" + face + "\" width=50><b>Freq</b></td>\r\n"
              "<td nowrap bgcolor=\"" + face + "\"><b>Cs</b></td>\r\n"
              "<td nowrap bgcolor=\"" + face + "\"><b>D</b></td>\r\n"
              "</tr>\r\n"
              "<tr>\r\n"
              "<td nowrap align=\"right\">1000</td>\r\n"
              "<td nowrap bgcolor=\"#FFFF00\">47 nF</td>\r\n"
              "<td nowrap><br></td>\r\n"
              "</tr>\r\n"
              "<tr>\r\n"
              "<td nowrap>120</td>\r\n"
              "<td nowrap><b><u>two<br>\nlines</u></b></td>\r\n" // each CR becomes <br>
              "<td nowrap><font color=\"#FF0000\">0.5</font></td>\r\n"
              "</tr>\r\n"
              "</table>\r\n");
}

TEST(GridHtml, XhtmlSpansPrefixSuffixHeaderFooterAndAppend)
{
    auto g = MakeGrid(3, 3);
    g->SaveWithFixedCells = false;
    g->SetWordWrap(true);
    g->SetCellEx(0, 1, "m\xC3\xA9rged");
    g->MergeCells(0, 1, 2, 2);
    g->SetCellEx(2, 2, "a < b");
    g->HTMLSettings()->XHTML = true;
    g->HTMLSettings()->PrefixTag = "<p>";
    g->HTMLSettings()->SuffixTag = "</p>";
    g->HTMLSettings()->TableStyle = "class=\"t\"";
    g->HTMLSettings()->ColWidths()->Add(40);
    WriteBytes(Path("head.txt"), "<h1>Caf\xE9</h1>\r\n");
    g->HTMLSettings()->HeaderFile = Path("head.txt");
    g->HTMLSettings()->FooterFile = Path("missing-footer.txt");
    const AnsiString doc = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
                           "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"\r\n"
                           "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\r\n"
                           "<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">\r\n"
                           "<p>\r\n"
                           "<table border=\"1\" cellspacing=\"0\" cellpadding=\"0\"  class=\"t\"  width=\"100%\">\r\n"
                           "<tr>\r\n"
                           "<td colspan=\"2\" rowspan=\"2\" width=\"40\">m\xC3\xA9rged</td>\r\n" // no header row: widths here
                           "<td><br/></td>\r\n"
                           "</tr>\r\n"
                           "<tr>\r\n"
                           "<td>a &lt; b</td>\r\n"
                           "</tr>\r\n"
                           "</table>\r\n"
                           "</p>\r\n"
                           "</html>\r\n";
    g->SaveToHTML(Path("x.html"));
    EXPECT_EQ(ReadBytes(Path("x.html")), "<h1>Caf\xC3\xA9</h1>\r\n" + doc);
    g->AppendToHTML(Path("x.html"));
    EXPECT_EQ(ReadBytes(Path("x.html")), "<h1>Caf\xC3\xA9</h1>\r\n" + doc + "<h1>Caf\xC3\xA9</h1>\r\n" + doc);
    EXPECT_EQ(ErrorOf([&] { g->SaveToHTML("/nonexistent-folder/x.html"); }),
              "VEvoRaraVedad: Cannot Create file /nonexistent-folder/x.html");
}

TEST(GridHtml, LinksAndThePlainDocumentsEncoding)
{
    struct Case {
        const char* Text;
        bool Full;
        const char* Cell;
    };
    const Case cases[] = {
        {"http://example.org/a", false, "<a href=http://example.org/a>example.org/a</a>"},
        {"http://example.org/a", true, "<a href=http://example.org/a>http://example.org/a</a>"},
        {"mailto:lab@example.org", false, "<a href=mailto:lab@example.org>lab@example.org</a>"},
        {"<a href=x>y</a> http://z", false, "<a href=x>y</a> http://z"},
        {"5 \xC2\xB5" "F \xE2\x84\xA6", false, "5 \xB5" "F &#8486;"},
    };
    for (const auto& c : cases) {
        auto g = MakeGrid(1, 1, 0);
        g->SetURLShow(true);
        g->SetURLFull(c.Full);
        g->SetCellEx(0, 0, c.Text);
        g->SaveToHTML(Path("l.html"));
        const AnsiString doc = ReadBytes(Path("l.html"));
        EXPECT_NE(doc.find("<td nowrap>" + AnsiString(c.Cell) + "</td>"), AnsiString::npos) << doc;
        // The document opens by naming the code page its bytes are in.
        EXPECT_EQ(doc.rfind("<meta charset=\"windows-1252\">\r\n<table ", 0), 0u) << doc;
    }
}

// XHTML is XML: cell texts are escaped, line breaks are empty elements, attribute values are
// quoted, and a reader gets back the texts the cells hold.
TEST(GridHtml, XhtmlEscapesTextAndIsWellFormed)
{
    struct Case {
        const char* Text;
        const char* Cell; // the element as written
        const char* Read; // its character data as an XML reader gives it
    };
    const Case cases[] = {
        {"a < b & c > d", "<td nowrap=\"nowrap\">a &lt; b &amp; c &gt; d</td>", "a < b & c > d"},
        {"<b>x</b>", "<td nowrap=\"nowrap\">&lt;b&gt;x&lt;/b&gt;</td>", "<b>x</b>"},
        {"two\r\nlines", "<td nowrap=\"nowrap\">two<br/>\nlines</td>", "two\nlines"},
        {"http://e.org/?a=1&b=\"2\"",
         "<td nowrap=\"nowrap\"><a href=\"http://e.org/?a=1&amp;b=&quot;2&quot;\">e.org/?a=1&amp;b=\"2\"</a></td>", ""},
        {"caf\xC3\xA9 \xE2\x84\xA6", "<td nowrap=\"nowrap\">caf\xC3\xA9 \xE2\x84\xA6</td>", "caf\xC3\xA9 \xE2\x84\xA6"},
    };
    auto g = MakeGrid(1, int(std::size(cases)) + 1);
    g->SetURLShow(true);
    g->SetCellEx(0, 0, "T & C");
    for (size_t i = 0; i < std::size(cases); ++i)
        g->SetCellEx(0, int(i) + 1, cases[i].Text);
    g->HTMLSettings()->XHTML = true;
    g->HTMLSettings()->ColWidths()->Add(80);
    g->SaveToHTML(Path("w.html"));
    const AnsiString doc = ReadBytes(Path("w.html"));
    EXPECT_NE(doc.find("<td nowrap=\"nowrap\" bgcolor=\"" + AnsiString(kFace) + "\" width=\"80\"><b>T &amp; C</b></td>"),
              AnsiString::npos)
        << doc;
    for (const auto& c : cases)
        EXPECT_NE(doc.find(AnsiString(c.Cell) + "\r\n"), AnsiString::npos) << c.Cell << "\n" << doc;
    TXmlElement html;
    ASSERT_NO_THROW(html = ParseXml(doc)) << doc;
    const TXmlElement* table = html.Child("table");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->Children.size(), std::size(cases) + 1);
    for (size_t i = 0; i < std::size(cases); ++i) {
        const TXmlElement& td = table->Children[i + 1].Children.at(0);
        if (*cases[i].Read)
            EXPECT_EQ(td.Text, cases[i].Read);
        else
            EXPECT_EQ(td.Child("a")->Attr("href"), cases[i].Text);
    }
}

TEST(GridXml, WritesNamedOrNumberedFieldsEscapedInTheDeclaredEncoding)
{
    auto g = MakeGrid(3, 2);
    g->SetCellEx(0, 0, "Freq");
    g->SetCellEx(1, 0, "R & <C>");
    g->SetCellEx(2, 0, "it's \"5 \xC2\xB5" "F\"");
    g->SetCellEx(0, 1, "1\r\n2");
    g->SetCellEx(2, 1, "\xE2\x84\xA6");
    TStringList names;
    names.Add("a");
    names.Add("b");
    g->SaveToXML(Path("t.xml"), "list", "rec", &names);
    EXPECT_EQ(ReadBytes(Path("t.xml")), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n"
                                        "<list>\r\n"
                                        "<rec>\r\n"
                                        "<a>Freq</a>\r\n"
                                        "<b>R &amp; &lt;C&gt;</b>\r\n"
                                        "<FIELD2>it&apos;s &quot;5 \xB5" "F&quot;</FIELD2>\r\n"
                                        "</rec>\r\n"
                                        "<rec>\r\n"
                                        "<a>1\r\n2</a>\r\n"
                                        "<b></b>\r\n"
                                        "<FIELD2>&#8486;</FIELD2>\r\n"
                                        "</rec>\r\n"
                                        "</list>\r\n");
    g->SaveWithFixedCells = false;
    g->SaveToXML(Path("n.xml"), "L", "R", nullptr);
    EXPECT_EQ(ReadBytes(Path("n.xml")), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" ?>\r\n<L>\r\n<R>\r\n"
                                        "<FIELD0>1\r\n2</FIELD0>\r\n<FIELD1></FIELD1>\r\n<FIELD2>&#8486;</FIELD2>\r\n"
                                        "</R>\r\n</L>\r\n");
    EXPECT_EQ(ErrorOf([&] { g->SaveToXML("/nonexistent-folder/x.xml", "L", "R", nullptr); }),
              "VEvoRaraVedad: Cannot Create file /nonexistent-folder/x.xml");
}

} // namespace
