// Timer phase: setting Enabled to its current value keeps the running count; a changed
// Interval restarts it. The bounds are wide; they separate "kept" from "restarted".
#include <gtest/gtest.h>

#include <chrono>

#include "platform/forms/TestInput.h"
#include "platform/forms/Timer.h"

namespace {
using Clock = std::chrono::steady_clock;

int MsSince(Clock::time_point t)
{
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count());
}

// Runs the loop until the timer ticks; returns the time of the tick from Start.
int FirstTickAfter(TTimer& t, Clock::time_point Start)
{
    int at = -1;
    t.OnTimer = [&](TObject*) {
        if (at < 0)
            at = MsSince(Start);
    };
    while (at < 0 && MsSince(Start) < 3000)
        TestInput::RunFor(2);
    t.SetEnabled(false);
    return at;
}
} // namespace

TEST(Timer, EnabledSetAgainKeepsThePhase)
{
    TTimer t(nullptr);
    t.SetInterval(400);
    const auto start = Clock::now();
    TestInput::RunFor(200);
    t.SetEnabled(true); // already enabled: no restart
    const int at = FirstTickAfter(t, start);
    ASSERT_GE(at, 0);
    EXPECT_LT(at, 595) << "the timer was restarted"; // a restart ticks at 600 at the earliest
}

TEST(Timer, ChangedIntervalRestartsTheCount)
{
    TTimer t(nullptr);
    t.SetInterval(400);
    TestInput::RunFor(200);
    const auto restart = Clock::now();
    t.SetInterval(401);
    const int at = FirstTickAfter(t, restart);
    ASSERT_GE(at, 0);
    EXPECT_GE(at, 350) << "the old count went on";
}

TEST(Timer, DisabledTimerDoesNotTickAndZeroIntervalStops)
{
    TTimer t(nullptr);
    t.SetInterval(5);
    int ticks = 0;
    t.OnTimer = [&](TObject*) { ++ticks; };
    t.SetEnabled(false);
    TestInput::RunFor(40);
    EXPECT_EQ(ticks, 0);
    t.SetEnabled(true);
    t.SetInterval(0);
    TestInput::RunFor(40);
    EXPECT_EQ(ticks, 0);
}

TEST(Timer, TicksAreNotQueuedWhileTheLoopIsBlocked)
{
    TTimer t(nullptr);
    t.SetInterval(10);
    int ticks = 0;
    t.OnTimer = [&](TObject*) { ++ticks; };
    // Block the thread for about ten intervals, then let the loop run briefly.
    const auto until = Clock::now() + std::chrono::milliseconds(100);
    while (Clock::now() < until) {
    }
    TestInput::ProcessEvents();
    TestInput::ProcessEvents();
    t.SetEnabled(false);
    EXPECT_LE(ticks, 1);
}
