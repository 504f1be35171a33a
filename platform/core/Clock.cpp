#include "platform/core/Clock.h"

#include <mutex>

#include "platform/core/Synchronize.h"

namespace {

using steady = std::chrono::steady_clock;

struct ClockState {
    std::mutex mutex;
    double factor = 1.0;
    bool held = false;
    std::function<void(std::uint64_t)> settle;
    steady::time_point anchorReal = steady::now();
    // Program time at the anchor, in microseconds; starts at the real uptime.
    std::uint64_t anchorProgramUs =
        static_cast<std::uint64_t>(std::chrono::duration_cast<std::chrono::microseconds>(anchorReal.time_since_epoch()).count());
};

ClockState& State()
{
    static ClockState s;
    return s;
}

std::uint64_t ProgramUsLocked(ClockState& s, steady::time_point now)
{
    if (s.held)
        return s.anchorProgramUs;
    auto realUs = std::chrono::duration_cast<std::chrono::microseconds>(now - s.anchorReal).count();
    return s.anchorProgramUs + static_cast<std::uint64_t>(static_cast<double>(realUs) * s.factor);
}

} // namespace

void SetClockSpeed(double Factor)
{
    if (!(Factor > 0))
        Factor = 1.0;
    auto& s = State();
    std::lock_guard lock(s.mutex);
    auto now = steady::now();
    s.anchorProgramUs = ProgramUsLocked(s, now);
    s.anchorReal = now;
    s.factor = Factor;
}

double ClockSpeed()
{
    auto& s = State();
    std::lock_guard lock(s.mutex);
    return s.factor;
}

void AdvanceClock(std::uint64_t Milliseconds)
{
    auto& s = State();
    std::lock_guard lock(s.mutex);
    s.anchorProgramUs += Milliseconds * 1000;
}

std::uint64_t ClockMilliseconds() { return ClockMicroseconds() / 1000; }

std::uint64_t ClockMicroseconds()
{
    auto& s = State();
    std::lock_guard lock(s.mutex);
    return ProgramUsLocked(s, steady::now());
}

void HoldClock(bool Hold)
{
    auto& s = State();
    std::lock_guard lock(s.mutex);
    if (Hold == s.held)
        return;
    auto now = steady::now();
    s.anchorProgramUs = ProgramUsLocked(s, now);
    s.anchorReal = now;
    s.held = Hold;
}

void SetClockSettleHook(std::function<void(std::uint64_t)> Hook)
{
    auto& s = State();
    std::lock_guard lock(s.mutex);
    s.settle = std::move(Hook);
}

void SettleClock(std::uint64_t Milliseconds)
{
    std::function<void(std::uint64_t)> hook;
    {
        auto& s = State();
        std::lock_guard lock(s.mutex);
        hook = s.settle;
    }
    if (hook && IsMainThread())
        hook(Milliseconds);
}

steady::duration ClockWaitDuration(std::uint64_t Milliseconds)
{
    double factor = ClockSpeed();
    auto us = static_cast<double>(Milliseconds) * 1000.0 / factor;
    return std::chrono::duration_cast<steady::duration>(std::chrono::duration<double, std::micro>(us));
}
