// The grid's file readers: its own text format, CSV and its binary cell stream. The first
// byte picks the reader.
#include <memory>

#include "platform/core/Streams.h"
#include "tests/fuzz/FuzzGrid.h"
#include "tests/fuzz/FuzzSupport.h"

// The grid's own writers: its text format, CSV and the binary cell stream.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return Fuzz::WriteSeedsIfAsked([] {
        Fuzz::EnsureApplication();
        auto g = Fuzz::SampleGrid();
        TStringStream text;
        g->SaveToStream(&text);
        Fuzz::Seed("text", std::string(1, '\0') + text.DataString());
        const std::string csv = Fuzz::ScratchPath("seed.csv");
        g->SaveToCSV(csv);
        Fuzz::Seed("csv", "\x01" + Fuzz::FileBytes(csv));
        std::remove(csv.c_str());
        TStringStream bin;
        g->SaveToBinStream(&bin);
        Fuzz::Seed("binary", "\x02" + bin.DataString());
    });
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, size_t Size)
{
    TRavArodozIdad* grid = &Fuzz::TargetGrid();
    if (Size < 1)
        return 0;
    const std::string bytes = Fuzz::Bytes(Data + 1, Size - 1);
    try {
        switch (Data[0] % 4) {
        case 0: {
            TStringStream s(bytes);
            grid->LoadFromStream(&s);
            break;
        }
        case 1:
            grid->LoadFromCSV(Fuzz::AsFile(Data + 1, Size - 1, ".csv"));
            break;
        case 2: {
            TStringStream s(bytes);
            grid->LoadFromBinStream(&s);
            break;
        }
        case 3:
            grid->InputFromCSV(Fuzz::AsFile(Data + 1, Size - 1, ".csv"), true);
            break;
        }
    } catch (const Exception&) {
    }
    // Keep the grid small for the next input.
    grid->SetRowCount(2);
    grid->SetColCount(2);
    return 0;
}
