// The thread-based and window timers and the thread component, on the fast test clock.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "components/controls/Owthreads.h"
#include "platform/core/Clock.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Synchronize.h"
#include "platform/forms/Application.h"
#include "platform/forms/TestInput.h"

namespace {

// Runs queued calls and the loop until Done or a generous real-time guard (no timing claim).
template <class F>
bool PumpUntil(F Done)
{
    const auto guard = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!Done() && std::chrono::steady_clock::now() < guard) {
        CheckSynchronize(5);
        TestInput::ProcessEvents();
    }
    return Done();
}

struct FastClock : ::testing::Test {
    void SetUp() override { SetClockSpeed(50); }
    void TearDown() override { SetClockSpeed(1); }
};

TEST_F(FastClock, ThreadTimerFiresOnTheUserInterfaceThread)
{
    // The counters outlive the timer, whose worker may still be ticking as the test ends.
    std::atomic<int> ticks{0};
    std::atomic<bool> onMain{true};
    std::atomic<int> offMain{0};
    const auto main = std::this_thread::get_id();
    TOwTimer t(nullptr);
    t.SetInterval(500);
    t.OnTimer = [&](TObject*) {
        onMain = onMain && std::this_thread::get_id() == main;
        ++ticks;
    };
    EXPECT_FALSE(t.Armed()); // assigning OnTimer alone starts nothing
    t.BeginLoading();
    t.EndLoading();
    EXPECT_TRUE(t.Armed());
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
    EXPECT_TRUE(onMain);
    // Without SyncEvent the worker runs it. The handler changes while the ticks still
    // come to this thread: a worker ticking on its own may be calling it at any moment.
    t.OnTimer = [&](TObject*) {
        if (std::this_thread::get_id() != main)
            ++offMain;
    };
    t.SetSyncEvent(false);
    EXPECT_TRUE(PumpUntil([&] { return offMain >= 2; }));
}

TEST_F(FastClock, ArmedOnlyWithIntervalEnabledAndHandler)
{
    TOwTimer t(nullptr);
    int ticks = 0;
    t.OnTimer = [&](TObject*) { ++ticks; };
    t.SetInterval(0);
    EXPECT_FALSE(t.Armed());
    t.SetInterval(200);
    EXPECT_TRUE(t.Armed());
    t.SetEnabled(false);
    t.Timer(); // a tick while disabled is dropped
    EXPECT_EQ(ticks, 0);
    t.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 1; }));
    // Switching to the window timer stops the worker and arms a window timer.
    t.SetTimerType(ttSystem);
    EXPECT_TRUE(t.Armed());
    const int before = ticks;
    EXPECT_TRUE(PumpUntil([&] { return ticks >= before + 2; }));
}

TEST_F(FastClock, RaisingHandlerIsReportedAndTheTimerGoesOn)
{
    TOwTimer t(nullptr);
    int ticks = 0, reported = 0;
    auto old = Application->OnException;
    Application->OnException = [&](TObject*, Exception*) { ++reported; };
    t.OnTimer = [&](TObject*) {
        ++ticks;
        throw Exception("tick failed");
    };
    t.SetInterval(100);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }));
    EXPECT_GE(reported, 2);
    Application->OnException = old;
}

TEST_F(FastClock, DestroyingARunningTimerWaitsForItsWorker)
{
    std::atomic<int> ticks{0};
    {
        TOwTimer t(nullptr);
        t.SetSyncEvent(false);
        t.OnTimer = [&](TObject*) { ++ticks; };
        t.SetInterval(50);
        EXPECT_TRUE(PumpUntil([&] { return ticks >= 1; }));
    }
    const int after = ticks;
    for (int i = 0; i < 20; ++i)
        CheckSynchronize(1);
    EXPECT_EQ(ticks, after); // nothing fires once the destructor has begun
}

TEST_F(FastClock, ThreadComponentRunsWhileEnabled)
{
    TOwThread th(nullptr);
    std::atomic<int> runs{0};
    th.OnExecute = [&](TObject*) { ++runs; };
    EXPECT_FALSE(th.Running());
    th.BeginLoading();
    th.EndLoading();
    EXPECT_TRUE(th.Running());
    EXPECT_TRUE(PumpUntil([&] { return runs >= 5; }));
    th.SetEnabled(false);
    EXPECT_FALSE(th.Running());
}

// Counts the calls until Stable pumps in a row bring none (no timing claim: only "stopped").
template <class Count>
int SettledCount(Count Calls)
{
    int last = Calls(), quiet = 0;
    const auto guard = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (quiet < 50 && std::chrono::steady_clock::now() < guard) {
        CheckSynchronize(2);
        TestInput::ProcessEvents();
        const int now = Calls();
        quiet = now == last ? quiet + 1 : 0;
        last = now;
    }
    return last;
}

TEST_F(FastClock, HeldWorkersStopFiringAndResumeWhenReleased)
{
    // Held at its wait, a worker fires nothing more: with SyncEvent not even a call it had
    // already queued; without it at most the call under way when it was held.
    for (const bool sync : {true, false}) {
        TOwThread th(nullptr);
        th.SetSyncEvent(sync);
        std::atomic<int> runs{0};
        th.OnExecute = [&](TObject*) { ++runs; };
        th.BeginLoading();
        th.EndLoading();
        EXPECT_TRUE(PumpUntil([&] { return runs >= 5; }));
        th.SetEnabled(false);
        const int atHold = runs;
        EXPECT_FALSE(th.Running());
        const int settled = SettledCount([&] { return runs.load(); });
        EXPECT_LE(settled, atHold + (sync ? 0 : 1)) << "sync " << sync;
        th.SetEnabled(true);
        EXPECT_TRUE(th.Running());
        EXPECT_TRUE(PumpUntil([&] { return runs >= settled + 3; })) << "sync " << sync;
    }
    // The timer's worker, unarmed by an interval of 0, waits and fires nothing; armed again,
    // it ticks at the new interval.
    TOwTimer t(nullptr);
    std::atomic<int> ticks{0};
    t.OnTimer = [&](TObject*) { ++ticks; };
    t.SetInterval(50);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 2; }));
    t.SetInterval(0);
    const int atHold = ticks;
    EXPECT_FALSE(t.Armed());
    EXPECT_EQ(SettledCount([&] { return ticks.load(); }), atHold);
    t.SetInterval(100);
    EXPECT_TRUE(t.Armed());
    EXPECT_TRUE(PumpUntil([&] { return ticks >= atHold + 2; }));
}

} // namespace
