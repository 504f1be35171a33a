#pragma once
// What the instrument link calls of the front panel.
#include "platform/core/Types.h"

// "Now" draws CursorField selected, "Before" draws PrevCursorField unselected.
void HighlightField(const AnsiString& State);
// 1 counting on, 2 counting off, 5 reset.
void ShowBinCounts(int Action);
// Saves or sends again the measurement setup when a list or sweep page is entered or left.
void StoreOrRestoreMeasSetup();
// Sends the function code (1-17) and lays the pages out for it.
void SetFunction(int Code);
