#pragma once
// The system beep. Beeps are recorded so that tests can see them; on a
// terminal a bell is written to standard error.
#include <vector>

#include "platform/core/Types.h"

// uType is the MB_ICON... sound of Win32 (0 the default beep). Returns true.
bool MessageBeep(unsigned uType);
// The class library's Beep: MessageBeep(0).
void Beep();

std::vector<unsigned> RecordedBeeps();
void ClearRecordedBeeps();
