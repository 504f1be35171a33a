#pragma once
// Locks and event objects of the class library.
#include <condition_variable>
#include <mutex>

#include "platform/core/Component.h"

enum TWaitResult { wrSignaled, wrTimeout, wrAbandoned, wrError };

// A wait without time limit.
constexpr Cardinal INFINITE = 0xFFFFFFFFu;

class TSynchroObject : public TObject {
public:
    virtual void Acquire() {}
    virtual void Release() {}
};

// Re-entrant: the holding thread may enter again (each Enter needs its Leave).
class TCriticalSection : public TSynchroObject {
public:
    void Acquire() override { FLock.lock(); }
    void Release() override { FLock.unlock(); }
    void Enter() { Acquire(); }
    void Leave() { Release(); }
    bool TryEnter() { return FLock.try_lock(); }

private:
    std::recursive_mutex FLock;
};

// A manual-reset event stays signalled until ResetEvent; an auto-reset one
// releases one waiter and clears itself. Names are accepted and not shared
// between processes. Timeouts pass on the platform clock (platform/core/Clock.h).
class TEvent : public TSynchroObject {
public:
    TEvent(void* EventAttributes, bool ManualReset, bool InitialState, const AnsiString& Name);
    explicit TEvent(bool ManualReset = true);
    TWaitResult WaitFor(Cardinal Timeout = INFINITE);
    void SetEvent();
    void ResetEvent();
    void Acquire() override { WaitFor(INFINITE); }
    void Release() override {}
    // The error of a failed wait (0 here: waits do not fail).
    int LastError() const { return 0; }

private:
    std::mutex FMutex;
    std::condition_variable FCond;
    bool FManualReset;
    bool FSignaled;
};

// A manual-reset event that starts clear.
class TSimpleEvent : public TEvent {
public:
    TSimpleEvent() : TEvent(nullptr, true, false, AnsiString()) {}
};
