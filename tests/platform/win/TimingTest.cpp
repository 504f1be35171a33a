#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <vector>

#include "platform/core/Clock.h"
#include "platform/win/Timing.h"

namespace {

using steady = std::chrono::steady_clock;

// Restores real time even when an assertion fails.
struct ClockSpeedScope {
    explicit ClockSpeedScope(double factor) { SetClockSpeed(factor); }
    ~ClockSpeedScope() { SetClockSpeed(1); }
};

} // namespace

TEST(Timing, SleepIsRealByDefault)
{
    auto t0 = steady::now();
    DWORD tick0 = GetTickCount();
    Sleep(60);
    auto took = steady::now() - t0;
    EXPECT_GE(took, std::chrono::milliseconds(60));
    EXPECT_GE(static_cast<DWORD>(GetTickCount() - tick0), 60u);
}

TEST(Timing, TestClockShortensSleepsAndRunsTheTickCountFaster)
{
    ClockSpeedScope fast(100);
    auto t0 = steady::now();
    DWORD tick0 = GetTickCount();
    Sleep(3000); // 30 ms of real time
    auto took = steady::now() - t0;
    EXPECT_LT(took, std::chrono::milliseconds(2000));
    EXPECT_GE(static_cast<DWORD>(GetTickCount() - tick0), 3000u);
}

TEST(Timing, TickCountWrapsAfter32Bits)
{
    DWORD now = GetTickCount();
    AdvanceClock((1ull << 32) - now - 10); // 10 ms before the wrap
    DWORD start = GetTickCount();
    std::uint64_t start64 = GetTickCount64();
    EXPECT_GT(start, 0xFFFFFF00u);
    Sleep(30);
    DWORD after = GetTickCount();
    EXPECT_LT(after, start); // wrapped
    EXPECT_GE(static_cast<DWORD>(after - start), 30u);
    EXPECT_GE(GetTickCount64() - start64, 30u);
}

TEST(Timing, HeldClockStandsStillAndTheSettleHookRunsBeforeMainThreadWaitsOnly)
{
    HoldClock(true);
    const std::uint64_t held = ClockMicroseconds();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(ClockMicroseconds(), held);
    HoldClock(false);

    std::vector<std::uint64_t> settled;
    SetClockSettleHook([&](std::uint64_t ms) { settled.push_back(ms); });
    Sleep(3);
    std::thread([] { Sleep(4); }).join(); // another thread's wait settles nothing
    Sleep(0);                             // nor does a mere yield
    SetClockSettleHook(nullptr);
    Sleep(5);
    EXPECT_EQ(settled, (std::vector<std::uint64_t>{3}));
}
