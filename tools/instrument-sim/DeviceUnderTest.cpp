#include "tools/instrument-sim/DeviceUnderTest.h"

#include <cmath>
#include <limits>
#include <numbers>

std::complex<double> TDeviceUnderTest::Impedance(double frequency) const
{
    const double w = 2.0 * std::numbers::pi * frequency;
    const std::complex<double> j(0.0, 1.0);
    switch (Kind) {
    case TDutKind::Capacitor: {
        // Series resistance in front of the capacitance with its leakage across it.
        std::complex<double> yc = j * w * Capacitance + 1.0 / Leakage;
        return Resistance + 1.0 / yc;
    }
    case TDutKind::Inductor:
        return Resistance + j * w * Inductance;
    case TDutKind::Resistor:
        return Resistance + j * w * Inductance;
    case TDutKind::Open:
        return 1.0 / (j * w * Capacitance + 1.0 / Leakage);
    }
    return {};
}

double TDeviceUnderTest::DcResistance() const
{
    switch (Kind) {
    case TDutKind::Inductor:
    case TDutKind::Resistor:
        return Resistance;
    case TDutKind::Capacitor:
        return Resistance + Leakage;
    case TDutKind::Open:
        return Leakage;
    }
    return std::numeric_limits<double>::infinity();
}

TDeviceUnderTest TDeviceUnderTest::Make(TDutKind kind)
{
    TDeviceUnderTest d;
    d.Kind = kind;
    switch (kind) {
    case TDutKind::Capacitor:
        break;
    case TDutKind::Inductor:
        d.Resistance = 1.5;
        break;
    case TDutKind::Resistor:
        d.Resistance = 1000.0;
        d.Inductance = 2e-6;
        break;
    case TDutKind::Open:
        d.Capacitance = 0.5e-12;
        break;
    }
    return d;
}

bool ParseDutKind(const AnsiString& name, TDutKind& kind)
{
    if (name == "cap")
        kind = TDutKind::Capacitor;
    else if (name == "ind")
        kind = TDutKind::Inductor;
    else if (name == "res")
        kind = TDutKind::Resistor;
    else if (name == "open")
        kind = TDutKind::Open;
    else
        return false;
    return true;
}
