#pragma once
// Number texts of the instrument's wire format. Formatting and parsing never use the C
// library's locale: the simulator runs inside the program's tests, where Qt sets one.
#include "platform/core/Types.h"

// "+1.23456e+03": sign, one digit, point, `decimals` digits, "e", sign, two digits.
// Values beyond the two-digit exponent are limited to +-9.99999e+99; tiny ones become 0.
AnsiString FormatSci(double value, int decimals, bool withSign);

// Fixed point with `decimals` decimals, a "-" for negative values, never a "+".
AnsiString FormatFixed(double value, int decimals);

// Reads a number as the program and the terminal send it: an optional sign, digits with an
// optional point and exponent, an optional prefix letter (f p n u m k K M G; "m" milli, "M" mega)
// and an optional unit (V, A, S, Hz, F, H, ohm; any case). False when anything else follows.
// `prefixPower`, when given, receives the power of ten of the prefix letter (0 without one).
bool ParseSimNumber(const AnsiString& text, double& value, int* prefixPower = nullptr);

// Whole numbers only ("8", "+2", "256").
bool ParseSimInt(const AnsiString& text, int& value);

// ASCII only: the instrument knows no other characters.
AnsiString SimUpperCase(AnsiString text);
AnsiString SimTrim(const AnsiString& text);
