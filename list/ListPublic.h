#pragma once
// What the instrument link calls of the list sweep.
#include "platform/core/Types.h"

void RunListStep(int Step);
// "Default", "Start", "Terminate", "OK" or "Step".
void SetListMeasState(const AnsiString& State);
void CompareListStep(int Step);
