#pragma once
// Helpers of the serial component tests: the main window's port set-up, pumping the main thread's hand-overs
// and counting the process's descriptors and threads.
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>
#include <vector>

#include "components/comm/Sercomm.h"
#include "platform/forms/Application.h"

#include "platform/core/Clock.h"
#include "platform/core/Synchronize.h"

// LCRCom as the main window's form configures it.
inline void ConfigureAsLCRCom(TSerComm& c)
{
    c.SetBaudrate(br9600);
    c.FlowControl()->SetControlDtr(dtrEnabled);
    c.FlowControl()->SetControlRts(rtsEnabled);
    c.SetMonitorEvents({ceDsr, ceRxChar});
    c.SetDirectWrite(true);
}

// The same on port Port.
inline void ConfigureAsLCRCom(TSerComm& c, int Port)
{
    ConfigureAsLCRCom(c);
    c.SetPortNum(Port);
}

// Runs the hand-overs of worker threads until Done() or TimeoutMs passed.
inline bool PumpUntil(const std::function<bool()>& Done, int TimeoutMs = 2000)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
    while (!Done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        CheckSynchronize(2);
    }
    return true;
}

// Runs hand-overs for a while (to see that nothing more arrives).
inline void PumpFor(int Ms)
{
    PumpUntil([] { return false; }, Ms);
}

inline int CountEntries(const char* Dir)
{
    int n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(Dir))
        ++n;
    return n;
}
inline int OpenDescriptors() { return CountEntries("/proc/self/fd"); }
inline int RunningThreads() { return CountEntries("/proc/self/task"); }
// The count to compare later counts with. A checked build's runtime starts a thread of its
// own when the program starts its first: one thread started and joined here brings that
// about before the count is taken.
inline int ThreadBaseline()
{
    std::thread([] {}).join();
    return RunningThreads();
}

// Runs the platform clock faster for a scope (the pause after each close).
class TFastClock {
public:
    explicit TFastClock(double Factor) { SetClockSpeed(Factor); }
    ~TFastClock() { SetClockSpeed(1); }
    TFastClock(const TFastClock&) = delete;
    TFastClock& operator=(const TFastClock&) = delete;
};

// Records what the application's exception handling was given, for a scope.
class TShownExceptions {
public:
    TShownExceptions()
    {
        Application->OnException = [this](TObject*, Exception* E) { Messages.push_back(E->Message()); };
    }
    ~TShownExceptions() { Application->OnException = nullptr; }
    TShownExceptions(const TShownExceptions&) = delete;
    TShownExceptions& operator=(const TShownExceptions&) = delete;
    std::vector<AnsiString> Messages;
};
