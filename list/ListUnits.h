#pragma once
// Units, ranges and value texts shared by the list sweep and the sweep graph.
#include <vector>

#include "platform/core/Types.h"

// ---- Function kinds ----
enum class TFunctionKind { Capacitance, Inductance, Resistance };
// By the function's number (FunctionIndex): 1-4 capacitance, 5-8 inductance, others resistance.
// An unknown name counts as capacitance, as FunctionIndex gives it 1.
TFunctionKind NominalKind(const AnsiString& Function);
// By the name itself: an unknown name counts as resistance (the setup table's rule).
TFunctionKind GridFunctionKind(const AnsiString& Function);

// ---- Unit lists ----
// The nominal units of the nominal boxes: "pF".."mF", "uH", "mH", " H", "kH", " ohm", "kohm", "Mohm".
const std::vector<AnsiString>& NominalUnits(TFunctionKind Kind);
// The limit units of the setup table and the files: as above but "KH" and "Kohm".
const std::vector<AnsiString>& LimitUnits(TFunctionKind Kind);
// The prefix letters of the positions of either list ("" for none).
const std::vector<AnsiString>& UnitPrefixes(TFunctionKind Kind);
// The secondary limit unit a function starts with: " ohm", "r", "d" or "".
AnsiString SecondLimitUnit(const AnsiString& Function);
// The secondary parameter is a resistance (Cs-Rs, Cp-Rp, Lp-Rp, Ls-Rs, R-X).
bool SecondIsResistance(const AnsiString& Function);

// ---- Nominal values: kept as the value times 10000 ----
int StoreNominal(double Value);   // rounded half away from zero
// Whether StoreNominal can keep Value (finite, and within int once scaled and rounded).
bool NominalStorable(double Value);
// The nominal as the instrument takes it: 7 significant digits and the unit's prefix;
// kilohenry goes in henry and megohm in kilohm.
AnsiString NominalCommandText(int Stored, int UnitPosition, const AnsiString& Function);
// The allowed range of a nominal in the unit at Position of Kind's list, and its message.
bool NominalInRange(double Value, int Position, TFunctionKind Kind);
AnsiString NominalRangeMessage(const AnsiString& Unit, int Position, TFunctionKind Kind);
// Fixed notation, 5 decimals below 10, 4 below 100, 3 below 1000.
AnsiString NominalFieldText(double Value);

// ---- Ranges of the test signal ----
// The model's highest test frequency in kHz (300 for a name not known).
int ModelHighestKHz(const AnsiString& ModelName);
// " 2 kHz !" ... " 300 kHz !"
AnsiString ModelHighestText(const AnsiString& ModelName);
struct TLevelRange {
    double Low;
    double High;
};
// The level range of a voltage (0.01 V to 2 V) or a current (0.1 mA to 20 mA).
TLevelRange LevelRange(bool Current);

// ---- Sweep points ----
// Point k (1-based) of N points from Start to End: Start + (k-1)(End-Start)/(N-1).
double SweepPointValue(double Start, double End, int N, int k);
// Decimals a frequency in kHz is shown with: 3 below 10, 2 below 100, else 1.
int FrequencyDecimals(double Value);
// Value rounded half away from zero to Decimals places.
double RoundDecimals(double Value, int Decimals);
// Point k rounded for display to Decimals places, never beyond End.
double DisplayedSweepPoint(double Start, double End, int N, int k, int Decimals);
// Value in fixed notation with Decimals places.
AnsiString FixedText(double Value, int Decimals);

// ---- Value texts of the readings ----
// A reading as shown: the number (or "OVERLOAD"), a blank, the prefix letter and the unit.
// It is read by tokens, so a number of any width is taken whole.
struct TValueParts {
    bool Empty = true;
    bool Overload = false;
    AnsiString Number;   // the number token, "OVERLOAD", or ""
    double Value = 0;    // 0 when empty, overloaded or no number
    AnsiString Prefix;   // "" when none
    AnsiString Unit;     // prefix and unit as written, "" when none
};
TValueParts ParseValueText(const AnsiString& Text);
// Position of a reading's prefix in Kind's list (1-based), 0 for any other letter.
int PrefixPosition(TFunctionKind Kind, const AnsiString& Prefix);
// Position of a limit unit text in Kind's limit list (1-based), 0 when not there.
int LimitUnitPosition(TFunctionKind Kind, const AnsiString& Unit);
