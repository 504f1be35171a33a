#pragma once
// The platform's one clock. Every platform wait (Sleep, event and thread waits)
// and tick count goes through it, so a test can speed all of them up at once
// instead of changing the program's wait times. By default it is real time.
#include <chrono>
#include <cstdint>

// Program milliseconds pass Factor times faster than real ones (1 = real time).
void SetClockSpeed(double Factor);
double ClockSpeed();
// Moves the clock forward by Milliseconds at once (tests of tick-count wrap).
void AdvanceClock(std::uint64_t Milliseconds);
// Monotonic program milliseconds (starts near the system's uptime).
std::uint64_t ClockMilliseconds();
// The real time to wait for Milliseconds of program time.
std::chrono::steady_clock::duration ClockWaitDuration(std::uint64_t Milliseconds);
