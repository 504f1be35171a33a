#include "platform/win/Timing.h"

#include <thread>

#include "platform/core/Clock.h"

void Sleep(DWORD Milliseconds)
{
    if (Milliseconds == 0)
        std::this_thread::yield();
    else {
        SettleClock(Milliseconds);
        std::this_thread::sleep_for(ClockWaitDuration(Milliseconds));
    }
}

DWORD GetTickCount() { return static_cast<DWORD>(ClockMilliseconds()); }

std::uint64_t GetTickCount64() { return ClockMilliseconds(); }
