#include "tools/instrument-sim/InstrumentState.h"

#include "tools/instrument-sim/SimNumbers.h"

namespace {

const char* const kFunctionWords[kSimFunctionCount] = {
    "Cs-Rs", "Cs-D", "Cp-Rp", "Cp-D", "Lp-Rp", "Lp-Q", "Ls-Rs", "Ls-Q",
    "Rs-Q", "Rp-Q", "R-X", "DCR", "Z-thr", "Z-thd", "Z-D", "Z-Q"};

const char* const kMonitorWords[kSimMonitorCount] = {
    "OFF", "Z", "D", "Q", "VAC", "IAC", "ABS", "PER", "THR", "THD", "R", "X", "G", "B", "Y"};

const double kImpRangeOhm[9] = {100e3, 30e3, 10e3, 3e3, 1e3, 300, 100, 30, 10};
const double kDcrRangeOhm[9] = {100e3, 30e3, 10e3, 3e3, 1e3, 300, 100, 10, 1};

} // namespace

AnsiString SimFunctionWord(int function)
{
    return function >= 1 && function <= kSimFunctionCount ? kFunctionWords[function - 1] : "";
}

AnsiString SimMonitorWord(int monitor)
{
    return monitor >= 0 && monitor < kSimMonitorCount ? kMonitorWords[monitor] : "";
}

int FindSimFunction(const AnsiString& word)
{
    AnsiString up = SimUpperCase(word);
    for (int i = 0; i < kSimFunctionCount; ++i)
        if (SimUpperCase(kFunctionWords[i]) == up)
            return i + 1;
    return 0;
}

int FindSimMonitor(const AnsiString& word)
{
    AnsiString up = SimUpperCase(word);
    for (int i = 0; i < kSimMonitorCount; ++i)
        if (kMonitorWords[i] == up)
            return i;
    return -1;
}

double SimImpRangeOhm(int range)
{
    return range >= 0 && range <= 8 ? kImpRangeOhm[range] : kImpRangeOhm[0];
}

double SimDcrRangeOhm(int range)
{
    return range >= 0 && range <= 8 ? kDcrRangeOhm[range] : kDcrRangeOhm[0];
}
