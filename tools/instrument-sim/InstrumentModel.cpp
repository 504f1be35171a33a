#include "tools/instrument-sim/InstrumentModel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "tools/instrument-sim/Comparator.h"
#include "tools/instrument-sim/SimNumbers.h"
#include "tools/instrument-sim/SimWords.h"

namespace {

// Time per reading in ms for a frequency and speed (SLOW, MED, FAST). The top band also holds
// above 200 kHz: the instrument needs its time there too, though the program waits none.
double ReadingTime(double frequency, const AnsiString& speed)
{
    int col = speed == "FAST" ? 2 : speed == "MED" ? 1 : 0;
    static const double high[3] = {500, 235, 67};   // 10 kHz and above
    static const double mid[3] = {580, 225, 160};   // 120 Hz to below 10 kHz
    static const double low[3] = {580, 260, 180};   // 100 Hz to below 120 Hz
    static const double bottom[3] = {820, 440, 270}; // below 100 Hz
    if (frequency >= 10000.0)
        return high[col];
    if (frequency >= 120.0)
        return mid[col];
    if (frequency >= 100.0)
        return low[col];
    return bottom[col];
}

// "FETCH" is the long form of "FETC".
AnsiString FetchHeader(const AnsiString& header)
{
    if (header.compare(0, 5, "FETCH") == 0)
        return "FETC" + header.substr(5);
    return header;
}

// The nominal in 11 characters: five decimals, four for a negative value to make room for
// the sign. Zero has no exponent of its own, so it keeps the scale of the unit it was given in
// ("0.00000p" reads "0.00000e-12"), which the program reads back as the text it sent.
AnsiString NominalText(const TInstrumentState& s)
{
    if (s.Nominal != 0.0)
        return FormatSci(s.Nominal, s.Nominal < 0 ? 4 : 5, false);
    int p = s.NominalPower;
    return AnsiString("0.00000e") + (p < 0 ? "-" : "+") + (std::abs(p) < 10 ? "0" : "") + std::to_string(std::abs(p));
}

} // namespace

TInstrumentModel::TInstrumentModel(const TSimOptions& options) : FOptions(options)
{
    if (!FindSimModel(FOptions.Model, FModel)) {
        FOptions.Model = "ZVE";
        FindSimModel(FOptions.Model, FModel);
    }
    FDut = TDeviceUnderTest::Make(FOptions.Dut);
}

bool TInstrumentModel::SetModel(const AnsiString& token)
{
    TSimModelInfo info;
    if (!FindSimModel(token, info))
        return false;
    FModel = info;
    FOptions.Model = token;
    FState.Frequency = std::min(FState.Frequency, FModel.MaxFrequency);
    return true;
}

std::chrono::milliseconds TInstrumentModel::MeasureTime() const
{
    double perReading = ReadingTime(FState.MeasuredFunction() == sfDCR ? 1000.0 : FState.Frequency, FState.Speed);
    double ms = (perReading * FState.Averaging + FState.TrigDelay * 1000.0) * FOptions.MeasureTimeScale;
    return std::chrono::milliseconds(static_cast<long long>(std::ceil(ms)));
}

std::vector<TSimReply> TInstrumentModel::Execute(const AnsiString& received, TSimTime now)
{
    std::vector<TSimReply> replies;
    AnsiString line = received;
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.pop_back();
    size_t start = 0;
    while (start <= line.size()) {
        size_t semi = line.find(';', start);
        AnsiString text = SimTrim(line.substr(start, semi == AnsiString::npos ? AnsiString::npos : semi - start));
        start = semi == AnsiString::npos ? line.size() + 1 : semi + 1;
        if (!text.empty() && text[0] == ':')
            text = SimTrim(text.substr(1));
        if (text.empty())
            continue;
        TSegment seg;
        seg.Text = text;
        size_t blank = text.find_first_of(" \t");
        seg.Header = SimUpperCase(text.substr(0, blank));
        seg.Argument = blank == AnsiString::npos ? AnsiString() : SimTrim(text.substr(blank));
        bool known;
        if (seg.Header.back() == '?') {
            TSimReply reply;
            reply.Query = text;
            reply.ReadyAt = now;
            known = Query(seg, now, reply.Text, reply.ReadyAt);
            if (known)
                replies.push_back(reply);
        } else {
            known = Command(seg, now);
        }
        if (!known)
            ++FUnknownCount;
    }
    return replies;
}

AnsiString TInstrumentModel::Answer(const AnsiString& query, TSimTime now)
{
    auto replies = Execute(query, now);
    return replies.empty() ? AnsiString() : replies.front().Text;
}

void TInstrumentModel::FreezeRange()
{
    FState.ImpRange = SimRangeInUse(FState, FDut, false);
    FState.DcrRange = SimRangeInUse(FState, FDut, true);
}

AnsiString TInstrumentModel::LevelText(double value) const
{
    return FormatSci(value, 3, FOptions.LevelReplySigned);
}

TSimReading TInstrumentModel::MeasureNow()
{
    if (FState.AutoLcz)
        FState.AutoLczFunction = ChooseLczFunction(FDut, FState.Frequency);
    return MeasureDevice(FState, FDut, FNoise);
}

void TInstrumentModel::Trigger(TSimTime now)
{
    FTriggered = MeasureNow();
    FTriggeredReadyAt = now + MeasureTime();
    FHaveTriggered = true;
}

TSimReading TInstrumentModel::Reading(TSimTime now, TSimTime& readyAt)
{
    // Under INT the instrument measures continuously: every fetch gets a fresh reading. Under
    // the other sources it shows the last triggered one, and a fetch asked while that reading
    // is still being measured is answered when it is done.
    // A change of function since the trigger shows a fresh reading, so that the reply always
    // has the shape of the function in use.
    readyAt = now;
    if (FState.TrigSource == "INT" || !FHaveTriggered || FTriggered.Function != FState.MeasuredFunction())
        return MeasureNow();
    readyAt = std::max(now, FTriggeredReadyAt);
    return FTriggered;
}

AnsiString TInstrumentModel::FetchReply(const AnsiString& h, TSimTime now, TSimTime& readyAt)
{
    TSimReading r = Reading(now, readyAt);
    auto field = [](double x) { return FormatSci(x, 5, true); };
    if (h == "FETC:MON1?")
        return field(r.Monitor1);
    if (h == "FETC:MON2?")
        return field(r.Monitor2);
    AnsiString text = field(r.Primary);
    if (r.Dcr) {
        if (h != "FETC:MAIN?" && FState.CompOn)
            text += "," + ComparatorField(r);
        return text;
    }
    text += "," + field(r.Secondary);
    if (h == "FETC:IMP?")
        text += "," + field(r.Monitor1) + "," + field(r.Monitor2);
    if (h != "FETC:MAIN?" && FState.CompOn)
        text += "," + ComparatorField(r);
    return text;
}

bool TInstrumentModel::Query(const TSegment& seg, TSimTime now, AnsiString& reply, TSimTime& readyAt)
{
    TInstrumentState& s = FState;
    const AnsiString h = FetchHeader(seg.Header);

    if (h == "FETC?" || h == "FETC:IMP?" || h == "FETC:MAIN?" || h == "FETC:MON1?" || h == "FETC:MON2?") {
        reply = FetchReply(h, now, readyAt);
        return true;
    }
    if (h == "*IDN?")
        reply = FOptions.Model + "," + FOptions.Firmware + "," + FOptions.SerialNumber + ",";
    else if (h == "DISP:PAGE?")
        reply = s.Page;
    else if (h == "DISP:LINE?")
        reply = s.Alc && (FOptions.AlcFails || !MeasureNow().AlcRegulating) ? "ALC UNREG" : "NULL";
    else if (h == "FUNC?") {
        if (s.AutoLcz)
            s.AutoLczFunction = ChooseLczFunction(FDut, s.Frequency);
        reply = SimFunctionWord(s.MeasuredFunction());
    } else if (h == "FUNC:IMP:RANG?")
        reply = std::to_string(SimRangeInUse(s, FDut, false));
    else if (h == "FUNC:DCR:RANG?")
        reply = std::to_string(SimRangeInUse(s, FDut, true));
    else if (h == "FUNC:RANG:AUTO?" || h == "FUNC:IMP:RANG:AUTO?")
        reply = s.RangeMode;
    else if (h == "FUNC:IMP:AUTO?")
        reply = SwitchText(s.AutoLcz);
    else if (h == "FUNC:MON1?")
        reply = SimMonitorWord(s.Monitor1);
    else if (h == "FUNC:MON2?")
        reply = SimMonitorWord(s.Monitor2);
    else if (h == "FREQ?")
        reply = FormatSci(s.Frequency, 5, true);
    else if (h == "VOLT?" || h == "LEV:VOLT?")
        reply = LevelText(s.LevelVolt);
    else if (h == "LEV:CURR?" || h == "CURR?")
        reply = LevelText(s.LevelAmp);
    else if (h == "LEV:SRES?" || h == "VOLT:SRES?")
        reply = std::to_string(s.SourceRes);
    else if (h == "LEV:ALC?")
        reply = SwitchText(s.Alc);
    else if (h == "TRIG:SOUR?")
        reply = s.TrigSource;
    else if (h == "TRIG:DLY?")
        reply = FormatFixed(s.TrigDelay, 3) + "S";
    else if (h == "APER:RATE?" || h == "APER?")
        reply = s.Speed;
    else if (h == "APER:AVG?")
        reply = std::to_string(s.Averaging);
    else if (h == "BIAS?")
        reply = s.Bias == 0.0 ? AnsiString("OFF") : (s.Bias > 0 ? "+" : "") + FormatFixed(s.Bias, 2);
    else if (h == "COMP:STAT?")
        reply = SwitchText(s.CompOn);
    else if (h == "COMP:AUX?")
        reply = SwitchText(s.AuxOn);
    else if (h == "COMP:MODE?")
        reply = s.CompMode;
    else if (h == "COMP:BEEP?")
        reply = s.Beep;
    else if (h == "COMP:OPEN?")
        reply = s.OpenLimit == 0 ? AnsiString("OFF") : std::to_string(s.OpenLimit);
    else if (h == "COMP:BINS?")
        reply = std::to_string(s.Bins);
    else if (h == "COMP:TOL:NOM?")
        reply = NominalText(s);
    else if (h == "COMP:TOL:BIN?") {
        int n = 0;
        if (!ParseSimInt(seg.Argument, n) || n < 1 || n > 9)
            return false;
        reply = FormatSci(s.BinLow[n], 5, true) + "," + FormatSci(s.BinHigh[n], 5, true);
    } else if (h == "COMP:SLIM?")
        reply = FormatSci(s.SecondaryLow, 5, true) + "," + FormatSci(s.SecondaryHigh, 5, true);
    else if (h == "SYST:SHAK?" || h == "ERR:SHAK?")
        reply = SwitchText(s.SystShake);
    else if (h == "SYST:CODE?" || h == "ERR:CODE?")
        reply = SwitchText(s.SystCode);
    else if (h == "SYST:RES?")
        reply = s.SystResult;
    else if (h == "SYST:KEYLOCK?")
        reply = SwitchText(s.KeyLock);
    else
        return false;
    return true;
}
