#include "panel/PanelRules.h"

#include <algorithm>
#include <cmath>

#include "platform/core/FloatConvert.h"

namespace {

constexpr int S = -1; // the selection stays

int MeasDisplayNext(int f, int d, const TCursorContext& c, bool binMeas)
{
    // Pages 1 and 4 share fields 1-7; BIN MEAS adds the comparator (8) and AUX (9).
    const int low = binMeas ? 8 : 0; // where Down from the lowest field of the left column goes
    switch (f) {
    case 0: return d == cdDown ? (c.Log ? (binMeas ? 8 : S) : 1) : d == cdRight ? 4 : S;
    case 1: return d == cdUp ? 0 : d == cdDown ? (c.Dcr ? low : 2) : d == cdRight ? 5 : S;
    case 2: return d == cdUp ? 1 : d == cdDown ? 3 : d == cdRight ? 6 : S;
    case 3: return d == cdUp ? 2 : d == cdDown ? low : d == cdRight ? 7 : S;
    case 4: return d == cdDown ? 5 : d == cdLeft ? 0 : d == cdRight && binMeas ? 8 : S;
    case 5: return d == cdUp ? 4 : d == cdDown ? 6 : d == cdLeft ? (c.Log ? S : 1) : S;
    case 6: return d == cdUp ? 5 : d == cdDown ? 7 : d == cdLeft ? (c.Log || c.Dcr ? S : 2) : S;
    case 7:
        return d == cdUp ? 6 : d == cdDown ? (binMeas ? (c.Dcr ? 8 : 9) : 0)
             : d == cdLeft ? (c.Log || c.Dcr ? S : 3) : S;
    }
    if (!binMeas)
        return S;
    switch (f) {
    case 8: return d == cdUp ? (c.Log ? 0 : c.Dcr ? 1 : 3) : d == cdDown ? 0 : d == cdRight ? (c.Dcr ? S : 9) : S;
    case 9: return d == cdUp ? 7 : d == cdDown ? 0 : d == cdLeft ? 8 : S;
    }
    return S;
}

int MeasSetupNext(int f, int d, const TCursorContext& c)
{
    if (f >= 2 && f <= 6) {
        // The left column from frequency to automatic LCZ: straight up and down, right to its twin.
        return d == cdUp ? f - 1 : d == cdDown ? f + 1 : d == cdRight ? f + 8 : S;
    }
    switch (f) {
    case 0: return d == cdDown ? 1 : S;
    case 1: return d == cdUp ? 0 : d == cdDown ? (c.Dcr ? 7 : 2) : d == cdRight ? 9 : S;
    case 7:
        return d == cdUp ? (c.Dcr ? 1 : 6) : d == cdDown ? (c.Dcr ? 0 : 8)
             : d == cdRight ? (c.Mon && !c.Dcr ? 15 : S) : S;
    case 8: return d == cdUp ? 7 : S;
    case 9: return d == cdDown ? 10 : d == cdLeft ? 1 : S;
    case 10: return d == cdUp ? 9 : d == cdDown ? 11 : d == cdLeft ? (c.Dcr ? S : 2) : S;
    case 11: return d == cdUp ? 10 : d == cdDown ? 12 : d == cdLeft ? (c.Dcr ? S : 3) : S;
    case 12: return d == cdUp ? 11 : d == cdDown ? (c.Dcr ? 7 : 13) : d == cdLeft ? (c.Dcr ? S : 4) : S;
    case 13: return d == cdUp ? 12 : d == cdDown ? 14 : d == cdLeft ? 5 : S;
    case 14: return d == cdUp ? 13 : d == cdDown ? (c.Mon ? 15 : S) : d == cdLeft ? 6 : S;
    case 15: return d == cdUp ? 14 : d == cdDown ? 8 : d == cdLeft ? 7 : S;
    }
    return S;
}

int BinSetupNext(int f, int d, const TCursorContext& c)
{
    const int n = c.Bins;
    const bool second = c.Aux && !c.Dcr;
    if (f >= 4 && f <= n + 3) {
        if (d == cdUp)
            return f - 1;
        if (d == cdDown)
            return f < n + 3 ? f + 1 : second ? 13 : 0;
        return d == cdRight ? f + 15 : S;
    }
    if (f >= 19 && f <= n + 18) {
        if (d == cdUp)
            return f == 19 ? 3 : f - 1;
        if (d == cdDown)
            return f < n + 18 ? f + 1 : second ? 28 : 0;
        return d == cdLeft ? f - 15 : S;
    }
    switch (f) {
    case 0: return d == cdDown ? 1 : d == cdRight ? 16 : S;
    case 1: return d == cdUp ? 0 : d == cdDown ? 2 : d == cdRight ? 14 : S;
    case 2: return d == cdUp ? 1 : d == cdDown ? 3 : d == cdRight ? 15 : S;
    case 3: return d == cdUp ? 2 : d == cdDown ? 4 : S;
    case 13: return d == cdUp ? (c.Aux ? n + 3 : 12) : d == cdDown ? 0 : d == cdRight ? 28 : S;
    case 14: return d == cdUp ? 0 : d == cdDown ? (c.Dcr ? 3 : 15) : d == cdLeft ? 1 : d == cdRight ? 17 : S;
    case 15: return d == cdUp ? 14 : d == cdDown ? 3 : d == cdLeft ? 2 : d == cdRight ? 18 : S;
    case 16: return d == cdDown ? (c.Dcr ? 3 : 17) : d == cdLeft ? 0 : S;
    case 17: return d == cdUp ? 16 : d == cdDown ? 15 : d == cdLeft ? 14 : S;
    case 18: return d == cdUp ? 17 : d == cdDown ? 19 : d == cdLeft ? 15 : S;
    case 28: return d == cdUp ? (c.Aux ? n + 18 : 27) : d == cdDown ? 0 : d == cdLeft ? 13 : S;
    }
    return S;
}

double Milli(double v)
{
    return double(v * 0.001L);
}

// Clamps v to the magnitude m with its sign.
double Clamp(double v, double m)
{
    return v < 0 ? -m : m;
}

bool Small(double m)
{
    return m > 0 && m < 1;
}

TCompEntry Capacitance(double v, int u)
{
    const double m = std::fabs(v);
    switch (u) {
    case 1:
        if (m > 999993000000.0)
            return {RoundHalfAway(Clamp(v, 999.994) * 100000), 4};
        if (m >= 1000) {
            v = Milli(v);
            u = 2;
            while (std::fabs(v) >= 1000 && u < 4) {
                v = Milli(v);
                ++u;
            }
        }
        break;
    case 2:
        if (m > 999994000.0)
            return {RoundHalfAway(Clamp(v, 999.994) * 100000), 4};
        if (Small(m)) {
            v *= 1000;
            u = 1;
        } else if (m >= 1000) {
            v = Milli(v);
            u = 3;
        }
        break;
    case 3:
        if (m > 999994.0)
            return {RoundHalfAway(Clamp(v, 999.994) * 100000), 4};
        if (Small(m)) {
            v *= 1000;
            u = 2;
        } else if (m >= 1000) {
            v = Milli(v);
            u = 4;
        }
        break;
    case 4:
        if (m > 100)
            return {RoundHalfAway(Clamp(v, 100) * 100000), 4};
        if (Small(m)) {
            v *= 1000;
            u = 3;
        }
        break;
    }
    return {RoundHalfAway(v * 100000), u};
}

// One row of a unit list: above Limit (or at it, when AtLimit) the value becomes +-Clamp in
// unit Top; a magnitude below 1 steps down one unit unless the unit has no smaller one.
struct TUnitRow {
    double Limit;
    bool AtLimit;
    bool SmallStep;
};

TCompEntry ByRows(double v, int u, const TUnitRow* rows, int units, double clamp, bool carryNegative,
                  bool smallSteps = true)
{
    const double m = std::fabs(v);
    const TUnitRow& r = rows[u - 1];
    if (r.AtLimit ? m >= r.Limit : m > r.Limit) {
        v = Clamp(v, clamp);
        u = units;
    } else if (smallSteps && r.SmallStep && Small(m)) {
        v *= 1000;
        --u;
    }
    while ((carryNegative ? std::fabs(v) : v) >= 1000 && u < units) {
        v = Milli(v);
        ++u;
    }
    return {RoundHalfAway(v * 100000), u};
}

const TUnitRow kInductance[] = {{9999994000.0, false, false}, {9999994.0, false, true}, {10000, false, true},
                                {10, false, true}};
const TUnitRow kResistance[] = {{100000000.0, true, false}, {100000, true, true}, {100, true, true}};
const TUnitRow kDcrNominal[] = {{9999994368.0, true, false}, {10000000.0, true, false}, {10000, true, true}};
const TUnitRow kDcrLimits[] = {{9999994368.0, true, false}, {10000000.0, true, false}, {10000, true, true},
                               {10, true, true}};

TCompEntry Limited(double v, double m)
{
    if (v > m)
        v = m;
    if (v < -m)
        v = -m;
    return {RoundHalfAway(v * 100000), 1};
}

} // namespace

int NextCursorField(int Page, int Field, int Direction, const TCursorContext& C)
{
    switch (Page) {
    case 1: return MeasDisplayNext(Field, Direction, C, false);
    case 2: return MeasSetupNext(Field, Direction, C);
    case 4: return MeasDisplayNext(Field, Direction, C, true);
    case 5: return BinSetupNext(Field, Direction, C);
    case 6:
        if (Field == 0 && Direction == cdDown)
            return 1;
        return Field == 1 && Direction == cdUp ? 0 : S;
    case 3:
    case 7:
    case 8:
    case 9: return Field;
    }
    return S;
}

TCompEntry ConvertCompEntry(double V, int Unit, int Function, int Field, int Mode, int Page)
{
    const bool limit = (Field >= 4 && Field <= 13) || (Field >= 19 && Field <= 28);
    const bool secondary = Field == 13 || Field == 28;
    if (Page == 5 && Mode == 2 && limit)
        return Limited(V, 1000);
    if (Page == 5 && secondary && (Mode == 1 || Mode == 3)) {
        switch (Function) {
        case 2: case 4: case 15: return Limited(V, 10);
        case 6: case 8: case 9: case 10: case 16: return Limited(V, 100000);
        case 13: return Limited(V, 3.14159);
        case 14: return Limited(V, 180);
        case 1: case 3: case 5: case 7: case 11: return ByRows(V, Unit, kResistance, 3, 100, true, false);
        default: return {RoundHalfAway(V * 100000), Unit};
        }
    }
    if (Function >= 1 && Function <= 4)
        return Capacitance(V, Unit);
    if (Function >= 5 && Function <= 8)
        return ByRows(V, Unit, kInductance, 4, 10, false);
    if (Function == 12)
        return Field == 14 || Field == 15 ? ByRows(V, Unit, kDcrNominal, 3, 10000, false)
                                          : ByRows(V, Unit, kDcrLimits, 4, 10, false);
    if (Function >= 9 && Function <= 16)
        return ByRows(V, Unit, kResistance, 3, 100, false);
    return {RoundHalfAway(V * 100000), Unit};
}

Int64 RoundHalfAway(double V)
{
    // Limited before the conversion: a double beyond the integer's range has no defined result.
    constexpr double kLimit = 9.0e18;
    return static_cast<Int64>(std::clamp(V < 0 ? V - 0.5 : V + 0.5, -kLimit, kLimit));
}

AnsiString FixedText(double V, int Precision, int Decimals)
{
    return FloatToStrF(V, ffFixed, Precision, Decimals);
}

AnsiString CompValueText(double V)
{
    const double m = std::fabs(V);
    const int d = m < 10 ? 5 : m < 100 ? 4 : m < 1000 ? 3 : m < 10000 ? 2 : m < 100000 ? 1 : 0;
    return FixedText(V, 15, d);
}
