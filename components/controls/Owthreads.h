#pragma once
// A periodic timer firing from a worker thread of its own (or a window timer), and a
// component that runs its OnExecute over and over on a worker thread. A worker that is
// held (disabled or unarmed) waits at its wait and never fires.
#include <atomic>
#include <memory>

#include "components/controls/OwcontrolsComponents.h"
#include "platform/core/Threads.h"

class TTimer;
class TOwTimer;
class TOwThread;

enum TOwTimerType { ttThread = 0, ttSystem = 1 };

class TOwTimerThread;
class TOwSystemThread;

class TOwTimer : public TOwComponent {
public:
    explicit TOwTimer(TComponent* AOwner);
    ~TOwTimer() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    Cardinal Interval() const { return FInterval; }
    void SetInterval(Cardinal v);
    TOwTimerType TimerType() const { return FTimerType; }
    void SetTimerType(TOwTimerType v);
    TThreadPriority Priority() const { return FPriority; }
    void SetPriority(TThreadPriority v);
    bool SyncEvent() const { return FSyncEvent; }
    void SetSyncEvent(bool v) { FSyncEvent = v; }
    TNotifyEvent OnTimer;
    // True while the mechanism (worker or window timer) is there and armed.
    bool Armed() const;

    // One tick: OnTimer while Enabled; an exception goes to the application's handler.
    virtual void Timer();

protected:
    void Loaded() override;

private:
    friend class TOwTimerThread;
    void UpdateTimer();
    void CreateTimer();
    void DestroyTimer();
    std::atomic<bool> FEnabled{true};
    Cardinal FInterval = 1000;
    std::atomic<bool> FSyncEvent{true};
    TOwTimerType FTimerType = ttThread;
    TThreadPriority FPriority = tpNormal;
    bool FCreated = false;
    std::unique_ptr<TOwTimerThread> FThread;
    TTimer* FWindowTimer = nullptr; // owned as a component
};

class TOwThread : public TOwComponent {
public:
    explicit TOwThread(TComponent* AOwner);
    ~TOwThread() override;

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    TThreadPriority Priority() const { return FPriority; }
    void SetPriority(TThreadPriority v);
    bool SyncEvent() const { return FSyncEvent; }
    void SetSyncEvent(bool v) { FSyncEvent = v; }
    TNotifyEvent OnExecute;
    bool Running() const;

protected:
    void Loaded() override;

private:
    friend class TOwSystemThread;
    void ExecuteEvent();
    void UpdateThreadParams();
    std::atomic<bool> FEnabled{true};
    std::atomic<bool> FSyncEvent{true};
    TThreadPriority FPriority = tpNormal;
    std::unique_ptr<TOwSystemThread> FThread;
};
