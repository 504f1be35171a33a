#pragma once
// The models of the family as the simulator presents them.
#include "platform/core/Types.h"

struct TSimModelInfo {
    AnsiString Token;       // the model field of the identification reply, e.g. "ZVE" or "ZV-XE"
    double MaxFrequency;    // highest test frequency in Hz
};

// Accepts the tokens "ZVA".."ZVE", "ZV-A".."ZV-E" and "ZV-XA".."ZV-XE" (exact case).
// False for anything else.
bool FindSimModel(const AnsiString& token, TSimModelInfo& info);

// Every token FindSimModel accepts, for help texts.
AnsiString SimModelList();
