#pragma once
// The comparator: sorts a reading into a bin by the limits and judges it.
#include "platform/core/Types.h"

struct TInstrumentState;
struct TSimReading;

// Fills Bin, Aux and Judgement of the reading from the comparator settings.
// ABS and SEQ compare the primary value with each bin's low and high limit, PER its deviation
// from the nominal in percent; the first bin (1 up to the number of bins) that holds it wins,
// else "OUT ". With an open limit set, a reading that the limit marks as an open fixture
// (a capacitance below that percentage of the nominal, any other value above nominal x 100 /
// limit, or an overload) gives "OPEN". AUX compares the secondary value with the secondary
// limits while AUX is on ("AUX-OK" while it is off). The judgement is "OK" for a bin whose AUX
// passed, "NG" otherwise.
void JudgeReading(const TInstrumentState& state, TSimReading& reading);

// The comparator field of a fetch reply: 14 characters (bin, AUX, judgement), or 7 without the
// AUX part in DCR form.
AnsiString ComparatorField(const TSimReading& reading);
