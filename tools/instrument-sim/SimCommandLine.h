#pragma once
// zorvane-sim's command line: the port, the instrument, and the same fault
// switches the simulator library takes, so a user can watch the program meet a
// misbehaving instrument.
#include <vector>

#include "platform/core/Types.h"
#include "tools/instrument-sim/InstrumentModel.h"
#include "tools/instrument-sim/SimFaults.h"

struct TSimCommandLine {
    int Port = 1;
    bool Verbose = false;
    bool Help = false;
    TSimOptions Options;
    TSimFaultSwitches Faults;     // each switch given is on for every reply
    TSimFaultSettings FaultSettings;
    int HangUpAfterSeconds = 0;   // 0: never
};

// False with Error (one line) for an unknown switch or a bad value.
bool ParseSimCommandLine(const std::vector<AnsiString>& Args, TSimCommandLine& Line, AnsiString& Error);

// The help text.
AnsiString SimUsage();
