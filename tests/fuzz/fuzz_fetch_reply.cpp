// A fetch reply off the line, as the program takes it apart for the display and the log,
// for each kind of fetch query.
#include <memory>

#include "main/Lcr.h"
#include "main/Public.h"
#include "platform/win/Paths.h"
#include "tools/instrument-sim/SimNumbers.h"
#include "tests/fuzz/FuzzSupport.h"
#include "tools/panel-art/PanelArtInstall.h"

// Replies as the simulated instrument writes them, for each query.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    return Fuzz::WriteSeedsIfAsked([] {
        const double values[][4] = {{1.00008e-7, 1.25677e-3, 1591.42, 0.997953}, {-2.5e3, 0, 9.9e37, -1e-15}};
        int n = 0;
        for (const auto& v : values)
            for (int query = 0; query < 5; ++query) {
                std::string reply(1, static_cast<char>(query | 0x10));
                for (int i = 0; i < 4; ++i)
                    reply += (i ? "," : "") + FormatSci(v[i], 5, true);
                Fuzz::Seed("reply" + std::to_string(n++), reply + "\n");
            }
    });
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, size_t Size)
{
    static std::unique_ptr<TLCRForm> form = [] {
        Fuzz::EnsureApplication();
        PanelArt::InstallPanelArt(ZorvanePrefix());
        return std::make_unique<TLCRForm>(nullptr);
    }();
    if (Size < 1)
        return 0;
    // The first byte picks the query the reply answers and the page that shows it.
    static const char* const queries[] = {"FETC?", "FETC:IMP?", "FETC:MON1?", "FETC:MON2?", "FETC:SMON?"};
    form->LastCommand = queries[Data[0] % 5];
    form->PageId = 1 + (Data[0] >> 4) % 9;
    form->MeasFunction = (Data[0] >> 3) % 14;
    try {
        ProcessFetchReply(Fuzz::Bytes(Data + 1, Size - 1));
    } catch (const Exception&) {
    }
    return 0;
}
