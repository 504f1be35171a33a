#pragma once
// The part on the simulated instrument's test leads.
#include <complex>

#include "platform/core/Types.h"

enum class TDutKind { Capacitor, Inductor, Resistor, Open };

struct TDeviceUnderTest {
    TDutKind Kind = TDutKind::Capacitor;
    double Capacitance = 100e-9;    // F (capacitor), stray capacitance of an open
    double Inductance = 1e-3;       // H (inductor), series inductance of a resistor's leads
    double Resistance = 2.0;        // ohm: series resistance of a capacitor or inductor; the resistor
    double Leakage = 1e11;          // ohm: parallel resistance of a capacitor or an open

    // Impedance at a test frequency in Hz.
    std::complex<double> Impedance(double frequency) const;
    // Resistance at direct current; infinity when no current flows.
    double DcResistance() const;

    // The defaults of each kind: 100 nF with 2 ohm, 1 mH with 1.5 ohm, 1 kohm with 2 uH of
    // lead inductance, and an open with 0.5 pF of stray capacitance.
    static TDeviceUnderTest Make(TDutKind kind);
};

// "cap", "ind", "res", "open"; false for anything else.
bool ParseDutKind(const AnsiString& name, TDutKind& kind);
