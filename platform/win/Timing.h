#pragma once
// Sleep and the tick counts of Win32, on the platform clock
// (platform/core/Clock.h), which a test may speed up.
#include "platform/core/Types.h"

// Blocks the calling thread for Milliseconds of clock time; 0 gives up the time slice.
void Sleep(DWORD Milliseconds);
// Milliseconds of clock time, wrapping after about 49.7 days.
DWORD GetTickCount();
std::uint64_t GetTickCount64();
