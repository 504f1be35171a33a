#pragma once
// The component's own synchronisation objects: event objects with timed waits
// and a re-entrant lock, over the platform's.
#include <memory>

#include "platform/core/Component.h"
#include "platform/core/SyncObjs.h"

// wrSignaled, wrTimeout, wrAbandoned, wrError.
using TSerEventWaitResult = TWaitResult;

// Owns a platform object and releases it when destroyed; keeps the error code
// of the last failed wait.
class TSerHandleObject : public TObject {
public:
    int ErrorCode() const { return FError; }

protected:
    int FError = 0;
};

class TSerEvent : public TSerHandleObject {
public:
    TSerEvent(void* EventAttributes, bool ManualReset, bool InitialState, const AnsiString& Name)
        : FEvent(EventAttributes, ManualReset, InitialState, Name)
    {
    }
    // Timeout in milliseconds; INFINITE waits without limit.
    TSerEventWaitResult WaitFor(Cardinal Timeout)
    {
        TSerEventWaitResult r = FEvent.WaitFor(Timeout);
        if (r == wrError)
            FError = FEvent.LastError();
        return r;
    }
    void SetEvent() { FEvent.SetEvent(); }
    void ResetEvent() { FEvent.ResetEvent(); }

private:
    TEvent FEvent;
};

// Manual reset, initially clear, unnamed.
class TSerWaitEvent : public TSerEvent {
public:
    TSerWaitEvent() : TSerEvent(nullptr, true, false, AnsiString()) {}
};

// A lock the thread that holds it may take again (each take needs its release).
class TSerCriticalSection : public TObject {
public:
    void Acquire() { FLock.Acquire(); }
    void Release() { FLock.Release(); }
    void Enter() { Acquire(); }
    void Leave() { Release(); }

private:
    TCriticalSection FLock;
};

// Holds a TSerCriticalSection for a scope.
class TSerLockGuard {
public:
    explicit TSerLockGuard(TSerCriticalSection& Lock) : FLock(Lock) { FLock.Acquire(); }
    ~TSerLockGuard() { FLock.Release(); }
    TSerLockGuard(const TSerLockGuard&) = delete;
    TSerLockGuard& operator=(const TSerLockGuard&) = delete;

private:
    TSerCriticalSection& FLock;
};
