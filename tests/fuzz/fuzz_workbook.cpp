// A workbook file (zipped XML or the binary format) read into the grid; the first byte
// picks the extension.
#include <memory>

#include "tests/fuzz/FuzzGrid.h"
#include "tests/fuzz/FuzzSupport.h"

// The grid saved as a workbook.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return Fuzz::WriteSeedsIfAsked([] {
        Fuzz::EnsureApplication();
        const std::string book = Fuzz::ScratchPath("seed.xlsx");
        Fuzz::SampleGrid()->SaveToXLS(book);
        Fuzz::Seed("xlsx", std::string(1, '\0') + Fuzz::FileBytes(book));
        std::remove(book.c_str());
    });
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, size_t Size)
{
    TRavArodozIdad* grid = &Fuzz::TargetGrid();
    if (Size < 1)
        return 0;
    try {
        grid->LoadFromXLS(Fuzz::AsFile(Data + 1, Size - 1, Data[0] % 2 ? ".xls" : ".xlsx"));
    } catch (const Exception&) {
    }
    grid->SetRowCount(2);
    grid->SetColCount(2);
    return 0;
}
