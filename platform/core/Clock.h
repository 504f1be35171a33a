#pragma once
// The platform's one clock. Every platform wait (Sleep, event and thread waits)
// and tick count goes through it, so a test can speed all of them up at once
// instead of changing the program's wait times. By default it is real time.
#include <chrono>
#include <cstdint>
#include <functional>

// Program milliseconds pass Factor times faster than real ones (1 = real time).
void SetClockSpeed(double Factor);
double ClockSpeed();
// Moves the clock forward by Milliseconds at once (tests of tick-count wrap).
void AdvanceClock(std::uint64_t Milliseconds);
// Monotonic program milliseconds (starts near the system's uptime).
std::uint64_t ClockMilliseconds();
std::uint64_t ClockMicroseconds();
// Stops program time while held (it goes on from where it stood), so that a test can let a
// simulated device catch up without the program's waits running out meanwhile.
void HoldClock(bool Hold);
// A test's settle step: while set, every timed wait of the main thread first calls it with the
// wait's length, so that what a simulated device answers within the wait is there when the wait
// ends, however fast the clock runs and however busy the machine is.
void SetClockSettleHook(std::function<void(std::uint64_t Milliseconds)> Hook);
// Calls the hook when one is set and this is the main thread.
void SettleClock(std::uint64_t Milliseconds);
// The real time to wait for Milliseconds of program time.
std::chrono::steady_clock::duration ClockWaitDuration(std::uint64_t Milliseconds);
