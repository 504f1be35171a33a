// A list setup file opened from disk.
#include <memory>

#include "list/ListPublic.h"
#include "main/Lcr.h"
#include "platform/win/Paths.h"
#include "components/grid/Ravgrid.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tools/panel-art/PanelArtInstall.h"

// A setup file and a result file as the program saves them.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return Fuzz::WriteSeedsIfAsked([] {
        Fuzz::EnsureApplication();
        PanelArt::InstallPanelArt(ZorvanePrefix());
        auto form = std::make_unique<TLCRForm>(nullptr);
        TRavArodozIdad* s = form->ListSetupGrid;
        const char* step[18] = {"1", "Cs-Rs", "Freq(kHz)", "1.000", "Level(V)", "1.00", "Both", "SEQ", "", "nF",
            "90.0000", "110.000", "", " ohm", "0.00000", "5.00000", "ABS", "OFF"};
        s->SetRowCountEx(3);
        for (int r = 1; r <= 2; ++r)
            for (int c = 0; c < 18; ++c)
                s->SetCellEx(c, r, step[c]);
        form->StepNominal[1] = 25000;
        const std::string setup = Fuzz::ScratchPath("seed_ListSetup.txt");
        WriteListSetupFile(setup);
        Fuzz::Seed("setup", Fuzz::FileBytes(setup));
        const std::string result = Fuzz::ScratchPath("seed_ListMeasResult.txt");
        WriteListMeasResultFile(result);
        Fuzz::Seed("result", Fuzz::FileBytes(result));
        std::remove(setup.c_str());
        std::remove(result.c_str());
    });
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, size_t Size)
{
    static std::unique_ptr<TLCRForm> form = [] {
        Fuzz::EnsureApplication();
        PanelArt::InstallPanelArt(ZorvanePrefix());
        return std::make_unique<TLCRForm>(nullptr);
    }();
    try {
        ReadListSetupFile(Fuzz::AsFile(Data, Size, "_ListSetup.txt"));
    } catch (const Exception&) {
    }
    return 0;
}
