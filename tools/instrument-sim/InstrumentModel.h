#pragma once
// The simulated instrument without any transport: it takes one received line at a time,
// executes its commands in order and returns the replies to its queries.
#include <chrono>
#include <vector>

#include "platform/core/Clock.h"
#include "platform/core/Types.h"
#include "tools/instrument-sim/DeviceUnderTest.h"
#include "tools/instrument-sim/InstrumentState.h"
#include "tools/instrument-sim/Measurement.h"
#include "tools/instrument-sim/SimModels.h"

// The instrument keeps the program's time, so that a test running the clock fast makes the
// instrument's measuring and reply pauses just as short.
struct TSimClock {
    using duration = std::chrono::microseconds;
    using rep = duration::rep;
    using period = duration::period;
    using time_point = std::chrono::time_point<TSimClock>;
    static constexpr bool is_steady = true;
    static time_point now() { return time_point(duration(static_cast<rep>(ClockMicroseconds()))); }
};
using TSimTime = TSimClock::time_point;

struct TSimOptions {
    AnsiString Model = "ZVE";           // identification token, see FindSimModel
    AnsiString Firmware = "V1.06";
    AnsiString SerialNumber = "ZV24050117";
    TDutKind Dut = TDutKind::Capacitor;
    bool LevelReplySigned = false;      // "VOLT?"/"LEV:CURR?" as "+1.000e+00" (10) instead of 9
    double MeasureTimeScale = 1.0;      // factor on the measuring time after "TRIG"
    bool RefuseAlc = false;             // "LEV:ALC 1"/"ON" is taken but ALC stays off
    bool AlcFails = false;              // "DISP:LINE?" never says "NULL" while ALC is on
};

struct TSimReply {
    AnsiString Query;                   // the query that asked, as received
    AnsiString Text;                    // without the line end
    TSimTime ReadyAt;                   // not to be sent before: a triggered reading still measuring
};

class TInstrumentModel {
public:
    explicit TInstrumentModel(const TSimOptions& options = {});

    // Executes one received line (without its LF): segments split at ";", each with an
    // optional leading ":". Commands act at once; every query gets one reply, in order.
    // Whatever is not understood is ignored and counted.
    // Under INT every fetch gets a fresh reading. "TRIG" (under any other source) takes a
    // reading that is ready after MeasureTime(); fetches show it from then on, and a fetch asked
    // before it is ready gets a ReadyAt in the future.
    std::vector<TSimReply> Execute(const AnsiString& line, TSimTime now);

    // The reply to one query as if it were asked now; empty when the query is unknown.
    AnsiString Answer(const AnsiString& query, TSimTime now);

    TInstrumentState& State() { return FState; }
    const TInstrumentState& State() const { return FState; }
    TDeviceUnderTest& Dut() { return FDut; }
    TSimNoise& Noise() { return FNoise; }
    TSimOptions& Options() { return FOptions; }
    const TSimModelInfo& ModelInfo() const { return FModel; }
    int UnknownCount() const { return FUnknownCount; }

    // Measuring time of one triggered reading: the time per reading for frequency and speed,
    // times the averaging count, plus the trigger delay (times MeasureTimeScale).
    std::chrono::milliseconds MeasureTime() const;

    // Switches to another model; false (and nothing changed) for an unknown token.
    bool SetModel(const AnsiString& token);

private:
    struct TSegment {
        AnsiString Header;      // upper case, "?" kept
        AnsiString Argument;    // as received, trimmed
        AnsiString Text;        // the segment as received
    };
    bool Command(const TSegment& seg, TSimTime now);
    bool MeasuringCommand(const TSegment& seg, TSimTime now);
    bool ComparatorCommand(const TSegment& seg);
    bool Query(const TSegment& seg, TSimTime now, AnsiString& reply, TSimTime& readyAt);
    AnsiString FetchReply(const AnsiString& header, TSimTime now, TSimTime& readyAt);
    TSimReading Reading(TSimTime now, TSimTime& readyAt);
    TSimReading MeasureNow();
    void Trigger(TSimTime now);
    void FreezeRange();
    AnsiString LevelText(double value) const;

    TSimOptions FOptions;
    TSimModelInfo FModel;
    TInstrumentState FState;
    TDeviceUnderTest FDut;
    TSimNoise FNoise;
    int FUnknownCount = 0;
    bool FHaveTriggered = false;
    TSimReading FTriggered;
    TSimTime FTriggeredReadyAt{};
};
