#pragma once
// Every setting of the simulated instrument, as the command set reads and writes it.
#include <array>

#include "platform/core/Types.h"

// Measurement functions, numbered as the program numbers them.
enum TSimFunction {
    sfCsRs = 1, sfCsD, sfCpRp, sfCpD, sfLpRp, sfLpQ, sfLsRs, sfLsQ,
    sfRsQ, sfRpQ, sfRX, sfDCR, sfZthr, sfZthd, sfZD, sfZQ
};
constexpr int kSimFunctionCount = 16;

// Monitor parameters, numbered as the program numbers them (0 = OFF).
enum TSimMonitor {
    smOff = 0, smZ, smD, smQ, smVac, smIac, smAbs, smPer, smThr, smThd, smR, smX, smG, smB, smY
};
constexpr int kSimMonitorCount = 15;

// The word of a function ("Cs-Rs" .. "Z-Q", exact case) or monitor ("OFF" .. "Y").
AnsiString SimFunctionWord(int function);
AnsiString SimMonitorWord(int monitor);
// Case-insensitive look-up; 0 when unknown (functions) or -1 (monitors).
int FindSimFunction(const AnsiString& word);
int FindSimMonitor(const AnsiString& word);

// Range numbers 0-8 of the impedance ranges and of the DCR ranges, in ohm.
double SimImpRangeOhm(int range);
double SimDcrRangeOhm(int range);

struct TInstrumentState {
    AnsiString Page = "MEAS";
    int Function = sfCpD;
    double Frequency = 1000.0;          // Hz
    bool LevelIsCurrent = false;        // the last level command was LEV:CURR
    double LevelVolt = 1.0;             // V
    double LevelAmp = 0.01;             // A
    int SourceRes = 100;                // ohm: 30, 50 or 100
    AnsiString RangeMode = "AUTO";      // AUTO, NOM, HOLD, or OFF for a fixed range
    int ImpRange = 5;                   // fixed or held impedance range
    int DcrRange = 5;                   // fixed or held DCR range
    bool AutoLcz = false;
    int AutoLczFunction = sfCpD;        // the function automatic LCZ chose last
    AnsiString TrigSource = "INT";      // INT, MAN, EXT, BUS
    AnsiString Speed = "SLOW";          // SLOW, MED, FAST
    int Averaging = 1;                  // 1-256
    double Bias = 0.0;                  // V; 0 = OFF
    bool Alc = false;
    double TrigDelay = 0.0;             // s, 0-60
    int Monitor1 = smOff;
    int Monitor2 = smOff;

    bool CompOn = false;
    AnsiString CompMode = "ABS";        // ABS, PER, SEQ
    bool AuxOn = false;
    AnsiString Beep = "OFF";            // OFF, PASS, FAIL
    int OpenLimit = 0;                  // percent; 0 = OFF
    int Bins = 1;                       // 1-9
    double Nominal = 0.0;               // F, H or ohm
    int NominalPower = 0;               // power of ten of the prefix it was set with
    std::array<double, 10> BinLow{};    // bins 1-9 (entry 0 unused); base units, or percent in PER
    std::array<double, 10> BinHigh{};
    double SecondaryLow = 0.0;
    double SecondaryHigh = 0.0;

    bool SystShake = true;
    bool SystCode = true;
    AnsiString SystResult = "AUTO";     // FETCH or AUTO
    bool KeyLock = false;

    // The function the instrument measures now: the chosen one while automatic LCZ is on.
    int MeasuredFunction() const { return AutoLcz ? AutoLczFunction : Function; }
};
