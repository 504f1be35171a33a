// Text in the code pages the program reads and writes, marked text files, and the base
// library's GBK to BIG5 conversion.
#include "baselib/sl_lang.h"
#include "platform/core/CodePages.h"
#include "tests/fuzz/FuzzSupport.h"

// Text in each code page and encoding the program writes.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return Fuzz::WriteSeedsIfAsked([] {
        const std::string text = "Caf\xC3\xA9 \xE2\x82\xAC 10\xC2\xB0 \xE6\x97\xA5 \xF0\x9F\x98\x80";
        Fuzz::Seed("cp1252", Utf8ToCodePage(text, TCodePage::Windows1252));
        Fuzz::Seed("oem850", Utf8ToCodePage(text, TCodePage::Oem850));
        Fuzz::Seed("utf16le", EncodeMarkedText(text, TTextMark::Utf16LE));
        Fuzz::Seed("utf8bom", EncodeMarkedText(text, TTextMark::Utf8));
        Fuzz::Seed("gbk", Utf8ToGbk("\xE4\xB8\xAD\xE6\x96\x87"));
    });
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, size_t Size)
{
    const AnsiString bytes = Fuzz::Bytes(Data, Size);
    for (TCodePage cp : {TCodePage::Windows1252, TCodePage::Oem850, TCodePage::Latin1}) {
        const AnsiString utf8 = CodePageToUtf8(bytes, cp);
        // Every byte has a character, and each comes back as it was.
        if (Utf8ToCodePage(utf8, cp) != bytes && cp != TCodePage::Latin1)
            __builtin_trap();
        (void)Utf8ToCodePage(bytes, cp, TUnmappable::CharRef);
    }
    AnsiString text;
    TTextMark mark;
    if (DecodeMarkedText(bytes, text, mark))
        (void)EncodeMarkedText(text, mark);
    (void)AppLang.FromGBK(bytes);
    (void)Utf8ToGbk(bytes);
    return 0;
}
