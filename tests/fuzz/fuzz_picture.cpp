// Picture files by extension (bitmap, icon, PNG, GIF, JPEG), the first byte picking it.
#include "platform/graphics/Picture.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/ImageFile.h"
#include "platform/graphics/PngData.h"
#include "tests/fuzz/FuzzSupport.h"

// A bitmap written as each picture format the program writes.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return Fuzz::WriteSeedsIfAsked([] {
        Fuzz::EnsureApplication();
        TBitmap b;
        b.SetSize(7, 5);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 7; ++x)
                b.Canvas()->SetPixels(x, y, TColorOf(static_cast<unsigned>(x * 40 + y * 1000)));
        const auto bytes = [](const std::vector<Byte>& v) { return std::string(v.begin(), v.end()); };
        Fuzz::Seed("bmp", std::string(1, '\0') + bytes(b.SaveToData()));
        Fuzz::Seed("ico", "\x01" + bytes(EncodeBitmap(&b, "ICO")));
        Fuzz::Seed("png", "\x02" + bytes(GraphicToPng(&b)));
        Fuzz::Seed("jpg", "\x04" + bytes(EncodeBitmap(&b, "JPG")));
        b.SetPixelFormat(pf1bit);
        Fuzz::Seed("mono", std::string(1, '\0') + bytes(b.SaveToData()));
    });
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, size_t Size)
{
    static const bool ready = [] {
        Fuzz::EnsureApplication();
        return true;
    }();
    (void)ready;
    if (Size < 1)
        return 0;
    static const char* const extensions[] = {".bmp", ".ico", ".png", ".gif", ".jpg"};
    TPicture picture;
    try {
        picture.LoadFromFile(Fuzz::AsFile(Data + 1, Size - 1, extensions[Data[0] % 5]));
    } catch (const Exception&) {
    }
    return 0;
}
