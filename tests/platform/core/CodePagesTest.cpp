#include <gtest/gtest.h>

#include "platform/core/CodePages.h"

namespace {

struct CodePageCase {
    const char* Utf8;
    TCodePage CP;
    const char* Bytes;
};

// The characters that differ between the pages, and what each page makes of them.
const CodePageCase kCases[] = {
    {"plain ASCII, 1,2;3", TCodePage::Windows1252, "plain ASCII, 1,2;3"},
    {"\xE2\x82\xAC 5 \xC2\xB5" "F \xC3\xA9t\xC3\xA9", TCodePage::Windows1252, "\x80 5 \xB5" "F \xE9t\xE9"},
    {"\xE2\x80\x9Cq\xE2\x80\x9D \xE2\x80\x94 \xC5\xB8", TCodePage::Windows1252, "\x93q\x94 \x97 \x9F"},
    {"\xC3\xA9t\xC3\xA9 \xC2\xB5 \xC3\x87", TCodePage::Oem850, "\x82t\x82 \xE6 \x80"},
    {"\xE2\x95\x90 \xC2\xA0", TCodePage::Oem850, "\xCD \xFF"},
    {"\xC3\xA9\xC3\xBF", TCodePage::Latin1, "\xE9\xFF"},
};

TEST(CodePagesTest, ConvertsBothWaysByTable)
{
    for (const auto& c : kCases) {
        EXPECT_EQ(Utf8ToCodePage(c.Utf8, c.CP), c.Bytes) << c.Utf8;
        EXPECT_EQ(CodePageToUtf8(c.Bytes, c.CP), c.Utf8) << c.Utf8;
    }
}

TEST(CodePagesTest, EveryByteReadsBackUnchanged)
{
    AnsiString all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    for (auto cp : {TCodePage::Windows1252, TCodePage::Oem850, TCodePage::Latin1})
        EXPECT_EQ(Utf8ToCodePage(CodePageToUtf8(all, cp), cp), all) << int(cp);
}

TEST(CodePagesTest, CharactersThePageLacksAreReplacedOrReferenced)
{
    const AnsiString omega = "R=5\xE2\x84\xA6";      // ohm sign
    const AnsiString euro = "\xE2\x82\xAC";          // not in Latin-1
    EXPECT_EQ(Utf8ToCodePage(omega, TCodePage::Windows1252), "R=5?");
    EXPECT_EQ(Utf8ToCodePage(euro, TCodePage::Latin1, TUnmappable::CharRef), "&#8364;");
    EXPECT_EQ(Utf8ToCodePage(euro, TCodePage::Oem850), "?");
}

TEST(CodePagesTest, InvalidUtf8BytesPassThrough)
{
    // A lone 8-bit byte and a cut-off sequence are kept, not lost.
    EXPECT_EQ(Utf8ToCodePage("a\xE9z", TCodePage::Windows1252), "a\xE9z");
    EXPECT_EQ(Utf8ToCodePage("a\xE2\x82", TCodePage::Windows1252), "a\xE2\x82");
}

} // namespace
