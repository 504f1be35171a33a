#include <gtest/gtest.h>

#include "platform/office/XmlReader.h"
#include "tests/support/TestSupport.h"

TEST(XmlReader, ReadsElementsAttributesAndTextWithoutPrefixes)
{
    const TXmlElement root =
        ParseXml("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                 "<w:book xmlns:w=\"urn:a\" xmlns:r=\"urn:b\"><sheet name=\"S &amp; T\" r:id=\"rId1\"/>"
                 "<t>caf\xC3\xA9 &lt;1&gt;</t><t/></w:book>");
    EXPECT_EQ(root.Name, "book");
    ASSERT_EQ(root.Children.size(), 3u);
    EXPECT_EQ(root.Children[0].Attr("name"), "S & T");
    EXPECT_EQ(root.Children[0].Attr("id"), "rId1");
    EXPECT_FALSE(root.Children[0].HasAttr("missing"));
    EXPECT_EQ(root.Child("t")->Text, "caf\xC3\xA9 <1>");
    EXPECT_EQ(root.Child("none"), nullptr);
}

TEST(XmlReader, MalformedDocumentsRaiseWithTheirLine)
{
    const struct {
        const char* xml;
        const char* error;
    } cases[] = {
        {"<a><b></a>", "EXmlError: XML error at line 1: "},
        {"<a>\n<b x=1/></a>", "EXmlError: XML error at line 2: "},
        {"", "EXmlError: XML error"},
        {"<a/><b/>", "EXmlError: XML error"},
    };
    for (const auto& k : cases) {
        const AnsiString e = ErrorOf([&] { ParseXml(k.xml); });
        EXPECT_EQ(e.substr(0, std::string(k.error).size()), k.error) << k.xml << " gave " << e;
    }
}
