#include "tools/instrument-sim/Comparator.h"

#include <cmath>

#include "tools/instrument-sim/InstrumentState.h"
#include "tools/instrument-sim/Measurement.h"

namespace {

bool IsOpen(const TInstrumentState& s, const TSimReading& r)
{
    if (s.OpenLimit <= 0)
        return false;
    if (r.Overload)
        return true;
    double nom = std::fabs(s.Nominal);
    if (nom == 0.0)
        return false;
    double p = std::fabs(r.Primary);
    if (r.Function >= sfCsRs && r.Function <= sfCpD)
        return p < nom * s.OpenLimit / 100.0;
    return p > nom * 100.0 / s.OpenLimit;
}

AnsiString FindBin(const TInstrumentState& s, const TSimReading& r)
{
    if (r.Overload)
        return "OUT ";
    double x = r.Primary;
    if (s.CompMode == "PER") {
        if (s.Nominal == 0.0)
            return "OUT ";
        x = (r.Primary - s.Nominal) / std::fabs(s.Nominal) * 100.0;
    }
    for (int bin = 1; bin <= s.Bins && bin <= 9; ++bin)
        if (x >= s.BinLow[bin] && x <= s.BinHigh[bin])
            return "BIN" + std::to_string(bin);
    return "OUT ";
}

} // namespace

void JudgeReading(const TInstrumentState& s, TSimReading& r)
{
    r.Bin = IsOpen(s, r) ? "OPEN" : FindBin(s, r);
    bool auxOk = true;
    if (s.AuxOn && !r.Dcr)
        auxOk = !r.Overload && r.Secondary >= s.SecondaryLow && r.Secondary <= s.SecondaryHigh;
    r.Aux = auxOk ? "AUX-OK" : "AUX-NG";
    r.Judgement = r.Bin.compare(0, 3, "BIN") == 0 && auxOk ? "OK" : "NG";
}

AnsiString ComparatorField(const TSimReading& r)
{
    if (r.Dcr)
        return r.Bin + "," + r.Judgement;
    return r.Bin + "," + r.Aux + "," + r.Judgement;
}
