// Rich text: the RTF reader and writer, and the document that shows and measures it.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/RichText.h"

namespace {

TRichTextRun MakeRun(const AnsiString& text, TFontStyles style = 0, TColor color = clNone, int offset = 0,
                 const AnsiString& font = "", int size = 0)
{
    TRichTextRun r;
    r.Text = text;
    r.Style = style;
    r.Color = color;
    r.Offset = offset;
    r.FontName = font;
    r.FontSize = size;
    return r;
}

const AnsiString kHead = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil Arial;}";

} // namespace

// The writer's output is fixed byte for byte: cells keep it as their text.
TEST(RtfWriter, WritesTheSubsetExactly)
{
    struct Case {
        const char* name;
        TRichTextContent content;
        AnsiString rtf;
    };
    const Case cases[] = {
        {"empty", {TRichTextParagraph()}, kHead + "}\r\n\\uc1\\pard\\f0\\fs20\\par\r\n}"},
        {"bold red",
         {{{MakeRun("Hello "), MakeRun("world", fsBold, clRed)}}},
         kHead + "}\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n\\uc1\\pard\\f0\\fs20 Hello \\b\\cf1 world\\par\r\n}"},
        {"fonts, sizes, offsets, paragraphs",
         {{{MakeRun("x"), MakeRun("2", 0, clNone, 40)}},
          {{MakeRun("H", fsItalic | fsUnderline, clNone, 0, "Courier New", 24),
            MakeRun("2", fsItalic | fsUnderline, clNone, -40, "Courier New", 24)}}},
         kHead + "{\\f1\\fnil Courier New;}}\r\n\\uc1\\pard\\f0\\fs20 x\\up4 2\\par\r\n"
                 "\\f1\\fs24\\i\\ul\\up0 H\\dn4 2\\par\r\n}"},
        {"escapes",
         {{{MakeRun("a\\b{c}\xC3\xA9\xE2\x82\xAC\xCE\xA9\xF0\x9F\x98\x80\tz")}}},
         kHead + "}\r\n\\uc1\\pard\\f0\\fs20 a\\\\b\\{c\\}\\'e9\\'80\\u937?\\u-10179?\\u-8704?\\tab z\\par\r\n}"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const AnsiString rtf = ContentToRtf(c.content, "Arial", 20);
        EXPECT_EQ(rtf, c.rtf);
        // Reading it back and writing again gives the same bytes.
        EXPECT_EQ(ContentToRtf(RtfToContent(rtf), "Arial", 20), rtf);
    }
}

TEST(RtfReader, ReadsFormattingOfTheSubset)
{
    const TRichTextContent c = RtfToContent(
        "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fmodern Courier New;}}"
        "{\\colortbl;\\red0\\green128\\blue0;}\r\n"
        "\\f1\\fs30\\b\\i\\ul\\cf1 A\\plain B\\super C\\nosupersub\\dn3 D\\par\r\n\\b0 E}");
    ASSERT_EQ(c.size(), 2u);
    ASSERT_EQ(c[0].Runs.size(), 4u);
    const TRichTextRun& a = c[0].Runs[0];
    EXPECT_EQ(a.Text, "A");
    EXPECT_EQ(a.FontName, "Courier New");
    EXPECT_EQ(a.FontSize, 30);
    EXPECT_EQ(a.Style, fsBold | fsItalic | fsUnderline);
    EXPECT_EQ(a.Color, RGB(0, 128, 0));
    const TRichTextRun& b = c[0].Runs[1];
    EXPECT_EQ(b.Text, "B");
    EXPECT_EQ(b.FontName, "Arial");
    EXPECT_EQ(b.FontSize, 0);
    EXPECT_EQ(b.Style, 0u);
    EXPECT_EQ(b.Color, clNone);
    EXPECT_GT(c[0].Runs[2].Offset, 0);
    EXPECT_EQ(c[0].Runs[3].Offset, -30);
    EXPECT_EQ(ContentPlainText(c), "ABCD\r\nE");
}

// Whatever comes in, the reader returns the text it can find and never fails.
TEST(RtfReader, ReadsTheRestAsText)
{
    struct Case {
        const char* rtf;
        const char* text;
    };
    const Case cases[] = {
        {"{\\rtf1 plain}", "plain"},
        {"{\\rtf1{\\fonttbl{\\f0 Arial;}}{\\*\\generator Some writer;}Hi}", "Hi"},
        {"{\\rtf1 a{\\*\\unknown {nested} stuff}b}", "ab"},
        {"{\\rtf1{\\info{\\title T}{\\author A}}{\\stylesheet{\\s0 Normal;}}x}", "x"},
        {"{\\rtf1 a\\foo123 b\\qc\\sa200 c}", "abc"},
        {"{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}}", "link"},
        {"{\\rtf1 {\\pict\\wmetafile8 0a0b0c}x}", "x"},
        {"{\\rtf1 \\bin3 {}}y}", "y"},
        {"{\\rtf1 caf\\'e9 \\'80\\'E9}", "caf\xC3\xA9 \xE2\x82\xAC\xC3\xA9"},
        {"{\\rtf1\\uc1 \\u8364?x}", "\xE2\x82\xAC" "x"},
        {"{\\rtf1\\uc2 \\u8364\\'80\\'80y}", "\xE2\x82\xAC" "y"},
        {"{\\rtf1\\uc0 \\u937 z}", "\xCE\xA9z"},
        {"{\\rtf1 \\u-10179?\\u-8704?}", "\xF0\x9F\x98\x80"},
        {"{\\rtf1 \\u-10179?z}", "\xEF\xBF\xBDz"},
        {"{\\rtf1 a\\tab b\\~c\\emdash}", "a\tb\xC2\xA0" "c\xE2\x80\x94"},
        {"{\\rtf1 a\\par b\\line c}", "a\r\nb\r\nc"},
        {"{\\rtf1 a\\par}", "a"},
        {"{\\rtf1 a\\par\\par}", "a\r\n"},
        {"{\\rtf1 a\r\nb}", "ab"},
        {"{\\rtf1 a\\\r\nb}", "a\r\nb"},
        // Malformed.
        {"{\\rtf1 abc", "abc"},
        {"{\\rtf1 a}}}b}", "ab"},
        {"{\\rtf1 a\\'", "a"},
        {"{\\rtf1 a\\'zz}", "azz"},
        {"{\\rtf1 a\\'0ab\\'0d\\'01c}", "abc"},
        {"{\\rtf1{\\fonttbl{\\f0 Ar\\'0aial;}}x}", "x"},
        {"{\\rtf1 a\\", "a"},
        {"{\\rtf1 \\u}", ""},
        {"{\\rtf1 \\u99999999999999999999?q}", "q"},
        {"{\\rtf1 \\fs-5 \\f99999999999 \\cf77 \\fs99999999 x}", "x"},
        {"{\\rtf1 \\bin99999999 abc}", ""},
        {"{\\rtf1 \\bin-4 abc}", "abc"},
        {"{\\rtf1{\\fonttbl{\\f0 Arial", ""},
        {"{\\rtf1{\\colortbl;\\red999\\green-1;}\\cf1 c}", "c"},
        {"{\\rtf1 \\abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz1 t}", "t"},
        // Not RTF at all: lines of plain text.
        {"just text\r\nline", "just text\r\nline"},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rtf);
        const TRichTextContent content = RtfToContent(c.rtf);
        EXPECT_EQ(ContentPlainText(content), c.text);
        // What was read writes out as RTF that reads back the same.
        const AnsiString w = ContentToRtf(content);
        EXPECT_EQ(ContentToRtf(RtfToContent(w)), w);
    }
}

// Random mixes of the tokens that trouble a reader: it returns, and its result writes
// out as RTF that reads back to the same.
TEST(RtfReader, RandomTokenSoupReadsAndWritesStably)
{
    const char* const tokens[] = {"{", "}", "\\", "\\'", "\\'e9", "\\'0a", "\\u", "\\u-1", "\\u55357?",
                                  "\\u56832 ", "\\uc5 ", "\\bin", "\\bin5 ", "\\par", "\\fonttbl", "\\colortbl",
                                  "\\red300", ";", "\\*", "\\f1 ", "\\fs", "\\cf2 ", "\\up", "\\dn-9999999999",
                                  "a", " ", "\r\n", "\xff", "\xc3", "\xed\xba\xbb", "\\pict", "\\b0", "\\ul",
                                  "\\plain", "\\tab", "\\~", "9", "-", "{\\rtf1 "};
    const unsigned n = sizeof(tokens) / sizeof(*tokens);
    unsigned seed = 12345;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    for (int i = 0; i < 3000; ++i) {
        AnsiString s = next() % 4 ? "{\\rtf1 " : "";
        for (unsigned k = next() % 40; k > 0; --k)
            s += tokens[next() % n];
        const AnsiString w = ContentToRtf(RtfToContent(s));
        ASSERT_EQ(ContentToRtf(RtfToContent(w)), w) << s;
    }
}

TEST(RtfReader, DeepNestingIsBounded)
{
    const int n = 200000;
    const AnsiString balanced = "{\\rtf1 " + AnsiString(n, '{') + "\\b deep" + AnsiString(n, '}') + " end}";
    const TRichTextContent c = RtfToContent(balanced);
    EXPECT_EQ(ContentPlainText(c), "deep end");
    EXPECT_EQ(c[0].Runs.back().Style, 0u); // the bold group closed again
    EXPECT_EQ(ContentPlainText(RtfToContent("{\\rtf1 x" + AnsiString(n, '{'))), "x");
    EXPECT_EQ(ContentPlainText(RtfToContent("{\\rtf1 x" + AnsiString(n, '}') + "y")), "xy");
}

// ---------------------------------------------------------------- the document

TEST(RichTextDocument, KeepsRtfThroughTheDocument)
{
    const TRichTextContent content = {
        {{MakeRun("Vo", fsBold, clBlue, 0, "Arial", 20), MakeRun("ut", 0, clNone, -40, "Arial", 20),
          MakeRun(" = 1 V", fsItalic | fsUnderline, RGB(0, 128, 0), 0, "Courier New", 28)}},
        {},
        {{MakeRun("x", 0, clNone, 40, "Arial", 20)}},
    };
    const AnsiString rtf = ContentToRtf(content, "Arial", 20);
    TRichText d;
    RtfToDocument(rtf, d);
    EXPECT_EQ(d.PlainText(), "Vout = 1 V\r\n\r\nx");
    EXPECT_EQ(DocumentToRtf(d), rtf);
}

TEST(RichTextDocument, SelectionAttributes)
{
    TRichText d;
    d.SetPlainText("H2O");
    d.SetSelection(1, 1);
    EXPECT_EQ(d.SelText(), "2");
    d.SetSelOffset(-40);
    EXPECT_EQ(d.SelOffset(), -40);
    d.SetSelOffset(40);
    EXPECT_EQ(d.SelOffset(), 40);
    d.SetSelOffset(0);
    EXPECT_EQ(d.SelOffset(), 0);
    d.SelectAll();
    EXPECT_EQ(d.SelLength(), 3);
    d.SetSelStyle(fsBold);
    d.SetSelColor(clRed);
    d.SetSelFontSize(14);
    d.SetSelFontName("Courier New");
    d.SetSelection(2, 0);
    EXPECT_EQ(d.SelStyle(), fsBold);
    EXPECT_EQ(d.SelColor(), clRed);
    EXPECT_EQ(d.SelFontSize(), 14);
    EXPECT_EQ(d.SelFontName(), "Courier New");
    // At the caret the format waits for the next text.
    d.SetSelection(3, 0);
    d.SetSelStyle(fsItalic);
    EXPECT_EQ(d.SelStyle(), fsItalic);
    d.SetSelText("+");
    EXPECT_EQ(d.PlainText(), "H2O+");
    EXPECT_EQ(d.Content()[0].Runs.back().Text, "+");
    EXPECT_EQ(d.Content()[0].Runs.back().Style, fsItalic);
    // Out-of-range selections are cut to the text.
    d.SetSelection(10, 5);
    EXPECT_EQ(d.SelStart(), 4);
    EXPECT_EQ(d.SelLength(), 0);
}

TEST(RichTextDocument, ExtentFollowsLinesAndWidth)
{
    TRichText d;
    d.SetPlainText("one");
    const TSize one = d.Extent(0);
    d.SetPlainText("one\r\ntwo\r\nthree three three");
    const TSize three = d.Extent(0);
    EXPECT_GT(one.cx, 0);
    EXPECT_GE(three.cy, 3 * one.cy - 1);
    EXPECT_GT(three.cx, one.cx);
    // Wrapped at a narrow width it grows taller, never wider than asked.
    const TSize narrow = d.Extent(three.cx / 2);
    EXPECT_LE(narrow.cx, three.cx / 2);
    EXPECT_GT(narrow.cy, three.cy);
}

TEST(RichTextDocument, DrawsRunsInTheirColoursInsideTheRect)
{
    TBitmap b;
    b.SetSize(120, 40);
    b.Canvas()->Brush()->SetColor(clWhite);
    b.Canvas()->FillRect(TRect(0, 0, 120, 40));
    TRichText d;
    RtfToDocument("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\fs28 AAA\\cf1\\b RRR}", d);
    d.Draw(b.Canvas(), TRect(10, 5, 110, 35), clBlack);
    int red = 0, dark = 0, outside = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 120; ++x) {
            const TColor p = b.Canvas()->Pixels(x, y);
            const bool inside = x >= 10 && x < 110 && y >= 5 && y < 35;
            if (p != clWhite && !inside)
                ++outside;
            if (GetRValue(p) > 200 && GetGValue(p) < 80 && GetBValue(p) < 80)
                ++red;
            if (GetRValue(p) < 80 && GetGValue(p) < 80 && GetBValue(p) < 80)
                ++dark;
        }
    EXPECT_GT(red, 10);
    EXPECT_GT(dark, 10);
    EXPECT_EQ(outside, 0);
}

// Raised and lowered text gets room of its own: it is never cut off at the top or the
// bottom of what was measured for it.
TEST(RichTextDocument, RaisedAndLoweredTextFitsItsExtent)
{
    TRichText plain, raised, lowered;
    RtfToDocument("{\\rtf1\\fs40 2}", plain);
    RtfToDocument("{\\rtf1\\fs40\\up12 2}", raised);
    RtfToDocument("{\\rtf1\\fs40\\dn12 2}", lowered);
    EXPECT_GE(raised.Extent(0).cy, plain.Extent(0).cy + 8);
    EXPECT_GE(lowered.Extent(0).cy, plain.Extent(0).cy + 8);
    for (TRichText* d : {&raised, &lowered}) {
        TBitmap b;
        b.SetSize(60, 100);
        b.Canvas()->Brush()->SetColor(clWhite);
        b.Canvas()->FillRect(TRect(0, 0, 60, 100));
        const TSize e = d->Extent(0);
        d->Draw(b.Canvas(), TRect(0, 20, 60, 20 + e.cy), clBlack);
        int top = 100, bottom = -1;
        for (int y = 0; y < 100; ++y)
            for (int x = 0; x < 60; ++x)
                if (b.Canvas()->Pixels(x, y) != clWhite) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        EXPECT_GT(top, 20);
        EXPECT_LT(bottom, 20 + e.cy - 1);
    }
}
