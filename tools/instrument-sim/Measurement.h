#pragma once
// One reading of the simulated instrument: the device's impedance turned into the values of the
// current function and monitors, in the range the range mode picks.
#include <random>

#include "tools/instrument-sim/DeviceUnderTest.h"
#include "tools/instrument-sim/InstrumentState.h"

// A value whose exponent is +13 or more reads as OVERLOAD on the program's side.
constexpr double kSimOverload = 9.9e37;

struct TSimReading {
    bool Dcr = false;
    double Primary = 0.0;
    double Secondary = 0.0;
    double Monitor1 = 0.0;
    double Monitor2 = 0.0;
    bool Overload = false;      // the device lies outside the range in use
    int Range = 0;              // range number used
    bool AlcRegulating = true;  // false when ALC is on and the source cannot reach the level
    int Function = sfCpD;       // the function measured
    AnsiString Bin;             // comparator field parts: "BIN1".."BIN9", "OUT ", "OPEN"
    AnsiString Aux;             // "AUX-OK" or "AUX-NG"
    AnsiString Judgement;       // "OK" or "NG"
};

struct TSimNoise {
    double Level = 1.0;         // 1 = the instrument's usual scatter, 0 = exact values
    std::mt19937 Engine{20241};
};

// Highest open-circuit voltage of the generator; ALC fails when it would need more.
constexpr double kSimMaxSourceVolt = 2.5;

// The range the range mode puts in use for the device: the nearest range under AUTO, the range
// of the nominal under NOM (the nearest one while the nominal is 0), the set one otherwise.
int SimRangeInUse(const TInstrumentState& state, const TDeviceUnderTest& dut, bool dcr);

// Measures the device with the instrument's settings. Picks the range of the range mode; the
// range in use is returned in the reading (the caller keeps it for AUTO and range queries).
TSimReading MeasureDevice(const TInstrumentState& state, const TDeviceUnderTest& dut, TSimNoise& noise);

// The automatic LCZ choice for a device: Cp-D for a capacitance, Ls-Q for an inductance,
// Rs-Q for a resistance.
int ChooseLczFunction(const TDeviceUnderTest& dut, double frequency);
