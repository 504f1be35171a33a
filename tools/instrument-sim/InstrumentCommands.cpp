// The commands of the instrument: each sets one part of the state, or is refused.
#include <algorithm>
#include <cmath>

#include "tools/instrument-sim/InstrumentModel.h"
#include "tools/instrument-sim/SimNumbers.h"
#include "tools/instrument-sim/SimWords.h"

bool TInstrumentModel::Command(const TSegment& seg, TSimTime now)
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
    if (h == "DISP:PAGE") {
        if (!OneOf(word, {"MEAS", "MSET", "ENLA", "BINM", "BSET", "BCO", "LIST", "CSET", "LSET", "SYST", "SINF"}))
            return false;
        s.Page = word;
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
    if (h == "FREQ") {
        if (word == "MAX")
            v = FModel.MaxFrequency;
        else if (word == "MIN")
            v = 10.0;
        else if (!ParseSimNumber(arg, v))
            return false;
        s.Frequency = std::clamp(v, 10.0, FModel.MaxFrequency);
        return true;
    }
    if (h == "LEV:VOLT" || h == "VOLT") {
        if (word == "MAX")
            v = 2.0;
        else if (word == "MIN")
            v = 0.01;
        else if (!ParseSimNumber(arg, v))
            return false;
        s.LevelVolt = std::clamp(v, 0.01, 2.0);
        s.LevelIsCurrent = false;
        return true;
    }
    if (h == "LEV:CURR" || h == "CURR") {
        if (word == "MAX")
            v = 0.02;
        else if (word == "MIN")
            v = 100e-6;
        else if (!ParseSimNumber(arg, v))
            return false;
        s.LevelAmp = std::clamp(v, 100e-6, 0.02);
        s.LevelIsCurrent = true;
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
    if (h == "TRIG:SOUR") {
        if (!OneOf(word, {"INT", "MAN", "EXT", "BUS"}))
            return false;
        s.TrigSource = word;
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
    if (h == "APER:AVG") {
        if (!ParseSimInt(arg, n) || n < 1 || n > 256)
            return false;
        s.Averaging = n;
        return true;
    }
    if (h == "APER:RATE") {
        if (!OneOf(word, {"SLOW", "MED", "FAST"}))
            return false;
        s.Speed = word;
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
    if (h == "COMP:STAT" || h == "COMP:AUX") {
        if (!ParseSwitch(arg, on))
            return false;
        (h == "COMP:STAT" ? s.CompOn : s.AuxOn) = on;
        return true;
    }
    if (h == "COMP:MODE") {
        if (!OneOf(word, {"ABS", "PER", "SEQ"}))
            return false;
        s.CompMode = word;
        return true;
    }
    if (h == "COMP:BEEP") {
        if (!OneOf(word, {"OFF", "PASS", "FAIL"}))
            return false;
        s.Beep = word;
        return true;
    }
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
    if (h == "COMP:BINS") {
        if (!ParseSimInt(arg, n) || n < 1 || n > 9)
            return false;
        s.Bins = n;
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
    if (h == "SYST:SHAK" || h == "ERR:SHAK" || h == "SYST:CODE" || h == "ERR:CODE" || h == "SYST:KEYLOCK") {
        if (!ParseSwitch(arg, on))
            return false;
        if (h == "SYST:KEYLOCK")
            s.KeyLock = on;
        else
            (h.find("SHAK") != AnsiString::npos ? s.SystShake : s.SystCode) = on;
        return true;
    }
    if (h == "SYST:RES") {
        if (!OneOf(word, {"FETCH", "AUTO"}))
            return false;
        s.SystResult = word;
        return true;
    }
    return false;
}
