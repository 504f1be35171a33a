// A cell's HTML markup, measured and drawn as the grid paints it, and stripped to text.
#include <memory>

#include "components/grid/Raghtmle.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "tests/fuzz/FuzzGrid.h"
#include "tests/fuzz/FuzzSupport.h"

// The grid's HTML page, and cell markup of the tags the grid draws.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return Fuzz::WriteSeedsIfAsked([] {
        Fuzz::EnsureApplication();
        const std::string page = Fuzz::ScratchPath("seed.html");
        Fuzz::SampleGrid()->SaveToHTML(page);
        Fuzz::Seed("page", Fuzz::FileBytes(page));
        std::remove(page.c_str());
        Fuzz::Seed("cell", "<font color=\"red\" size=\"3\">A<sup>2</sup></font><br><a href=\"x\">link</a> &lt;&gt;"
            "<ul><li>one</li></ul><control type=\"check\" id=\"c\" value=\"TRUE\">");
    });
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, size_t Size)
{
    static std::unique_ptr<TBitmap> bitmap = [] {
        Fuzz::EnsureApplication();
        auto b = std::make_unique<TBitmap>();
        b->SetSize(200, 60);
        return b;
    }();
    const AnsiString markup = Fuzz::Bytes(Data, Size);
    try {
        HTMLDrawEx(bitmap->Canvas(), markup, TRect(0, 0, 200, 60), clBlue, false, true);
        HTMLDrawEx(bitmap->Canvas(), markup, TRect(0, 0, 200, 60), clBlue, true, false, false);
        HTMLStrip(markup);
        DecodeLtGt(markup);
    } catch (const Exception&) {
    }
    return 0;
}
