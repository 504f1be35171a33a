#pragma once
// Words of the command set: switches and fixed choices, as the instrument reads and writes them.
#include <initializer_list>
#include <vector>

#include "platform/core/Types.h"

// True when word is one of words (exact; callers upper-case first).
bool OneOf(const AnsiString& word, std::initializer_list<const char*> words);

// "ON"/"1" and "OFF"/"0", any case; false for anything else.
bool ParseSwitch(const AnsiString& arg, bool& on);
AnsiString SwitchText(bool on);

// The arguments of "COMP:TOL:BIN 1,10.0k,20.0k", split at commas and trimmed.
std::vector<AnsiString> SplitArgs(const AnsiString& arg);
