// Rich text as the memo and the grid's rich cells read it.
#include "platform/graphics/RichTextRtf.h"
#include "tests/fuzz/FuzzSupport.h"

// Formatted text as the rich text writer puts it.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return Fuzz::WriteSeedsIfAsked([] {
        TRichTextContent content = PlainTextToContent("First line\nSecond \\ {line}");
        content[0].Runs[0].Style = fsBold;
        content[0].Runs[0].Color = clRed;
        content[0].Runs[0].FontSize = 32;
        content[0].Runs[0].Offset = 60;
        TRichTextRun extra;
        extra.Text = "caf\xC3\xA9 \xE6\x97\xA5";
        extra.FontName = "Courier New";
        content[0].Runs.push_back(extra);
        Fuzz::Seed("doc", ContentToRtf(content));
    });
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, size_t Size)
{
    try {
        const TRichTextContent content = RtfToContent(Fuzz::Bytes(Data, Size));
        (void)ContentPlainText(content);
        (void)ContentToRtf(content);
    } catch (const Exception&) {
    }
    return 0;
}
