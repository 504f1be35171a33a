// The commands of the instrument: each sets one part of the state, or is refused.
// Most commands choose a word, set a switch or take a number within limits: those are tables;
// the few that do more have a branch of their own.
#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "tools/instrument-sim/InstrumentModel.h"
#include "tools/instrument-sim/SimNumbers.h"
#include "tools/instrument-sim/SimWords.h"

namespace {

using S = TInstrumentState;

struct TWordCommand {
    const char* Header;
    AnsiString S::*Field;
    std::initializer_list<const char*> Words;
};

const TWordCommand kWordCommands[] = {
    {"DISP:PAGE", &S::Page, {"MEAS", "MSET", "ENLA", "BINM", "BSET", "BCO", "LIST", "CSET", "LSET", "SYST", "SINF"}},
    {"TRIG:SOUR", &S::TrigSource, {"INT", "MAN", "EXT", "BUS"}},
    {"APER:RATE", &S::Speed, {"SLOW", "MED", "FAST"}},
    {"COMP:MODE", &S::CompMode, {"ABS", "PER", "SEQ"}},
    {"COMP:BEEP", &S::Beep, {"OFF", "PASS", "FAIL"}},
    {"SYST:RES", &S::SystResult, {"FETCH", "AUTO"}},
};

struct TSwitchCommand {
    const char* Header;
    bool S::*Field;
};

const TSwitchCommand kSwitchCommands[] = {
    {"COMP:STAT", &S::CompOn},    {"COMP:AUX", &S::AuxOn},      {"SYST:SHAK", &S::SystShake},
    {"ERR:SHAK", &S::SystShake},  {"SYST:CODE", &S::SystCode},  {"ERR:CODE", &S::SystCode},
    {"SYST:KEYLOCK", &S::KeyLock},
};

struct TCountCommand {
    const char* Header;
    int S::*Field;
    int Low, High;              // refused outside
};

const TCountCommand kCountCommands[] = {
    {"APER:AVG", &S::Averaging, 1, 256},
    {"COMP:BINS", &S::Bins, 1, 9},
};

// Numbers beyond the limits are taken as the nearest limit; "MAX" and "MIN" name them.
enum class TLevelKind { None, Voltage, Current };
struct TLimitedCommand {
    const char* Header;
    double S::*Field;
    double Low, High;           // High 0: the model's highest frequency
    TLevelKind Level;           // a level command also chooses voltage or current
};

const TLimitedCommand kLimitedCommands[] = {
    {"FREQ", &S::Frequency, 10.0, 0.0, TLevelKind::None},
    {"LEV:VOLT", &S::LevelVolt, 0.01, 2.0, TLevelKind::Voltage},
    {"VOLT", &S::LevelVolt, 0.01, 2.0, TLevelKind::Voltage},
    {"LEV:CURR", &S::LevelAmp, 100e-6, 0.02, TLevelKind::Current},
    {"CURR", &S::LevelAmp, 100e-6, 0.02, TLevelKind::Current},
};

template <class T, size_t N>
const T* FindCommand(const T (&table)[N], const AnsiString& header)
{
    for (const T& c : table)
        if (header == c.Header)
            return &c;
    return nullptr;
}

}  // namespace

bool TInstrumentModel::Command(const TSegment& seg, TSimTime now)
{
    TInstrumentState& s = FState;
    const AnsiString& h = seg.Header;
    const AnsiString& arg = seg.Argument;
    const AnsiString word = SimUpperCase(arg);

    if (const auto* c = FindCommand(kWordCommands, h)) {
        if (!OneOf(word, c->Words))
            return false;
        s.*c->Field = word;
        return true;
    }
    if (const auto* c = FindCommand(kSwitchCommands, h)) {
        bool on = false;
        if (!ParseSwitch(arg, on))
            return false;
        s.*c->Field = on;
        return true;
    }
    if (const auto* c = FindCommand(kCountCommands, h)) {
        int n = 0;
        if (!ParseSimInt(arg, n) || n < c->Low || n > c->High)
            return false;
        s.*c->Field = n;
        return true;
    }
    if (const auto* c = FindCommand(kLimitedCommands, h)) {
        const double high = c->High > 0.0 ? c->High : FModel.MaxFrequency;
        double v = 0.0;
        if (word == "MAX")
            v = high;
        else if (word == "MIN")
            v = c->Low;
        else if (!ParseSimNumber(arg, v))
            return false;
        s.*c->Field = std::clamp(v, c->Low, high);
        if (c->Level != TLevelKind::None)
            s.LevelIsCurrent = c->Level == TLevelKind::Current;
        return true;
    }
    if (seg.Header.rfind("COMP:", 0) == 0)
        return ComparatorCommand(seg);
    return MeasuringCommand(seg, now);
}

// The measuring commands that do more than set one field.
bool TInstrumentModel::MeasuringCommand(const TSegment& seg, TSimTime now)
{
    TInstrumentState& s = FState;
    const AnsiString& h = seg.Header;
    const AnsiString& arg = seg.Argument;
    const AnsiString word = SimUpperCase(arg);
    double v = 0.0;
    int n = 0;
    bool on = false;

    if (h == "TRIG" || h == "*TRG") {
        if (s.TrigSource != "INT")
            Trigger(now);
        return true;
    }
    if (h == "FUNC") {
        int f = FindSimFunction(arg);
        if (f == 0)
            return false;
        s.Function = f;
        s.AutoLcz = false;  // choosing a function ends the automatic choice
        return true;
    }
    if (h == "FUNC:IMP:RANG" || h == "FUNC:DCR:RANG") {
        if (!ParseSimInt(arg, n) || n < 0 || n > 8)
            return false;
        FreezeRange();
        (h == "FUNC:IMP:RANG" ? s.ImpRange : s.DcrRange) = n;
        s.RangeMode = "OFF";
        return true;
    }
    if (h == "FUNC:IMP:RANG:AUTO" || h == "FUNC:RANG:AUTO") {
        if (!OneOf(word, {"AUTO", "NOM", "HOLD", "OFF"}))
            return false;
        if (word == "HOLD" || word == "OFF")
            FreezeRange();
        s.RangeMode = word;
        return true;
    }
    if (h == "FUNC:IMP:AUTO") {
        if (!ParseSwitch(arg, on))
            return false;
        s.AutoLcz = on;
        if (on)
            s.AutoLczFunction = ChooseLczFunction(FDut, s.Frequency);
        return true;
    }
    if (h == "FUNC:MON1" || h == "FUNC:MON2") {
        int m = FindSimMonitor(arg);
        if (m < 0)
            return false;
        (h == "FUNC:MON1" ? s.Monitor1 : s.Monitor2) = m;
        return true;
    }
    if (h == "VOLT:SRES" || h == "LEV:SRES") {
        if (!ParseSimInt(arg, n) || (n != 30 && n != 50 && n != 100))
            return false;
        s.SourceRes = n;
        return true;
    }
    if (h == "LEV:ALC") {
        if (!ParseSwitch(arg, on))
            return false;
        s.Alc = on && !FOptions.RefuseAlc;
        return true;
    }
    if (h == "TRIG:DLY") {
        if (!ParseSimNumber(arg, v) || v < 0.0)
            return false;
        s.TrigDelay = std::min(v, 60.0);
        return true;
    }
    if (h == "APER") {
        if (OneOf(word, {"SLOW", "MED", "FAST"})) {
            s.Speed = word;
            return true;
        }
        if (!ParseSimInt(arg, n) || n < 1 || n > 256)
            return false;
        s.Averaging = n;
        return true;
    }
    if (h == "BIAS") {
        if (word == "OFF") {
            s.Bias = 0.0;
            return true;
        }
        if (!ParseSimNumber(arg, v) || std::fabs(v) > 10.0)
            return false;
        s.Bias = std::round(v * 100.0) / 100.0;
        return true;
    }
    return false;
}

// The comparator's limits.
bool TInstrumentModel::ComparatorCommand(const TSegment& seg)
{
    TInstrumentState& s = FState;
    const AnsiString& h = seg.Header;
    const AnsiString& arg = seg.Argument;
    const AnsiString word = SimUpperCase(arg);
    double v = 0.0;
    int n = 0;

    if (h == "COMP:OPEN") {
        if (word == "OFF") {
            s.OpenLimit = 0;
            return true;
        }
        if (!ParseSimInt(arg, n) || !(n == 2 || n == 5 || n == 10 || n == 20 || n == 50))
            return false;
        s.OpenLimit = n;
        return true;
    }
    if (h == "COMP:TOL:NOM") {
        if (!ParseSimNumber(arg, v, &n))
            return false;
        s.Nominal = v;
        s.NominalPower = n;
        return true;
    }
    if (h == "COMP:TOL:BIN") {
        auto parts = SplitArgs(arg);
        double lo = 0.0, hi = 0.0;
        if (parts.size() != 3 || !ParseSimInt(parts[0], n) || n < 1 || n > 9 ||
            !ParseSimNumber(parts[1], lo) || !ParseSimNumber(parts[2], hi))
            return false;
        s.BinLow[n] = lo;
        s.BinHigh[n] = hi;
        return true;
    }
    if (h == "COMP:SLIM") {
        auto parts = SplitArgs(arg);
        double lo = 0.0, hi = 0.0;
        if (parts.size() != 2 || !ParseSimNumber(parts[0], lo) || !ParseSimNumber(parts[1], hi))
            return false;
        s.SecondaryLow = lo;
        s.SecondaryHigh = hi;
        return true;
    }
    return false;
}
