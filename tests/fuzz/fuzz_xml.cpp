// The XML reader the workbook reader builds on.
#include "platform/office/XmlReader.h"
#include "tests/fuzz/FuzzGrid.h"
#include "tests/fuzz/FuzzSupport.h"

// The grid's XML file.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return Fuzz::WriteSeedsIfAsked([] {
        Fuzz::EnsureApplication();
        TStringList fields;
        fields.Add("First");
        fields.Add("Second");
        const std::string xml = Fuzz::ScratchPath("seed.xml");
        Fuzz::SampleGrid()->SaveToXML(xml, "List", "Record", &fields);
        Fuzz::Seed("grid", Fuzz::FileBytes(xml));
        std::remove(xml.c_str());
    });
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, size_t Size)
{
    try {
        const TXmlElement root = ParseXml(Fuzz::Bytes(Data, Size));
        (void)root.Attr("r");
    } catch (const Exception&) {
    }
    return 0;
}
