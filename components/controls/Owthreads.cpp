#include "components/controls/Owthreads.h"

#include <condition_variable>
#include <mutex>

#include "platform/core/Clock.h"
#include "platform/core/SyncObjs.h"
#include "platform/forms/Application.h"
#include "platform/forms/Timer.h"

namespace {
bool AppTerminating() { return Application && Application->Terminated(); }

// A worker that a component holds at its wait while its settings change (the stand-in for
// suspending a thread wherever it is).
class THeldWorker : public TThread {
public:
    THeldWorker() : TThread(true) {}
    // The worker stays at its wait and fires nothing until Release.
    void Hold()
    {
        std::lock_guard<std::mutex> l(FMutex);
        FHeld = true;
        FWake.SetEvent(); // a wait under way ends now
    }
    void Release()
    {
        {
            std::lock_guard<std::mutex> l(FMutex);
            FHeld = false;
        }
        FCond.notify_all();
        if (!FStarted) {
            FStarted = true;
            Start();
        }
    }
    bool Held() const
    {
        std::lock_guard<std::mutex> l(FMutex);
        return FHeld;
    }
    // Ends the worker and waits for it.
    void Stop()
    {
        Terminate();
        {
            std::lock_guard<std::mutex> l(FMutex);
            FHeld = false;
        }
        FCond.notify_all();
        FWake.SetEvent();
        if (!FStarted) {
            FStarted = true;
            Start();
        }
        WaitFor();
    }

protected:
    // Waits while held; false when the worker is to end.
    bool WaitWhileHeld()
    {
        std::unique_lock<std::mutex> l(FMutex);
        FCond.wait(l, [this] { return !FHeld || Terminated(); });
        return !Terminated();
    }
    TEvent FWake{nullptr, false, false, ""};

private:
    mutable std::mutex FMutex;
    std::condition_variable FCond;
    bool FHeld = true;
    bool FStarted = false;
};
} // namespace

// ---------------------------------------------------------------- timer worker

class TOwTimerThread : public THeldWorker {
public:
    explicit TOwTimerThread(TOwTimer* Owner) : FOwner(Owner) {}
    ~TOwTimerThread() override { Stop(); }
    std::atomic<Cardinal> Interval{1000};

protected:
    void Execute() override
    {
        while (WaitWhileHeld()) {
            const TWaitResult r = FWake.WaitFor(Interval.load());
            if (r != wrTimeout || Terminated() || AppTerminating() || Held())
                continue;
            if (FOwner->FSyncEvent)
                Synchronize([this] {
                    if (!Held())
                        FOwner->Timer();
                });
            else
                FOwner->Timer();
        }
    }

private:
    TOwTimer* FOwner;
};

TOwTimer::TOwTimer(TComponent* AOwner) : TOwComponent(AOwner) {}

TOwTimer::~TOwTimer()
{
    // No tick starts once Enabled is clear; the handler is cleared only when the worker
    // has ended, as a worker may be reading it at this moment.
    FEnabled = false;
    DestroyTimer();
    OnTimer = nullptr;
}

void TOwTimer::Timer()
{
    if (FEnabled && OnTimer)
        Application->Guard([this] { OnTimer(this); }, this);
}

void TOwTimer::SetEnabled(bool v)
{
    if (v == FEnabled)
        return;
    FEnabled = v;
    if (v)
        UpdateTimer();
}

void TOwTimer::SetInterval(Cardinal v)
{
    if (v == FInterval)
        return;
    FInterval = v;
    if (FEnabled)
        UpdateTimer();
}

void TOwTimer::SetTimerType(TOwTimerType v)
{
    if (v == FTimerType)
        return;
    DestroyTimer();
    FTimerType = v;
    if (FEnabled)
        UpdateTimer();
}

void TOwTimer::SetPriority(TThreadPriority v)
{
    if (v == FPriority)
        return;
    FPriority = v;
    if (FTimerType == ttThread && FEnabled)
        UpdateTimer();
}

void TOwTimer::Loaded()
{
    TOwComponent::Loaded();
    UpdateTimer();
}

void TOwTimer::CreateTimer()
{
    if (FTimerType == ttSystem) {
        FWindowTimer = new TTimer(this);
        FWindowTimer->SetEnabled(false);
        FWindowTimer->OnTimer = [this](TObject*) { Timer(); };
    } else {
        FThread = std::make_unique<TOwTimerThread>(this);
    }
    FCreated = true;
}

void TOwTimer::DestroyTimer()
{
    if (!FCreated)
        return;
    delete FWindowTimer;
    FWindowTimer = nullptr;
    FThread.reset(); // stops the worker and waits for it
    FCreated = false;
}

void TOwTimer::UpdateTimer()
{
    if (ComponentStateHas(csDesigning))
        return;
    if (!FCreated)
        CreateTimer();
    const bool arm = FInterval != 0 && FEnabled && OnTimer;
    if (FTimerType == ttSystem) {
        FWindowTimer->SetEnabled(false);
        if (arm) {
            FWindowTimer->SetInterval(FInterval);
            FWindowTimer->SetEnabled(true);
        }
        return;
    }
    FThread->Hold();
    FThread->Interval = FInterval;
    if (arm) {
        FThread->SetPriority(FPriority);
        FThread->Release();
    }
}

bool TOwTimer::Armed() const
{
    if (!FCreated)
        return false;
    return FTimerType == ttSystem ? FWindowTimer->Enabled() : !FThread->Held();
}

// ---------------------------------------------------------------- thread component

class TOwSystemThread : public THeldWorker {
public:
    explicit TOwSystemThread(TOwThread* Owner) : FOwner(Owner) {}
    ~TOwSystemThread() override { Stop(); }

protected:
    void Execute() override
    {
        while (WaitWhileHeld()) {
            if (!FOwner->FEnabled || AppTerminating() || Held())
                continue;
            if (FOwner->FSyncEvent)
                Synchronize([this] {
                    if (!Held())
                        FOwner->ExecuteEvent();
                });
            else
                FOwner->ExecuteEvent();
        }
    }

private:
    TOwThread* FOwner;
};

TOwThread::TOwThread(TComponent* AOwner) : TOwComponent(AOwner), FThread(std::make_unique<TOwSystemThread>(this)) {}

TOwThread::~TOwThread()
{
    // No call starts once Enabled is clear; the handler is cleared only when the worker has
    // ended, as a worker may be reading it at this moment.
    FEnabled = false;
    FThread.reset(); // ends the worker and waits for it
    OnExecute = nullptr;
}

void TOwThread::ExecuteEvent()
{
    if (FEnabled && OnExecute)
        Application->Guard([this] { OnExecute(this); }, this);
}

void TOwThread::SetEnabled(bool v)
{
    if (v == FEnabled)
        return;
    FEnabled = v;
    UpdateThreadParams();
}

void TOwThread::SetPriority(TThreadPriority v)
{
    if (v == FPriority)
        return;
    FPriority = v;
    UpdateThreadParams();
}

void TOwThread::Loaded()
{
    TOwComponent::Loaded();
    UpdateThreadParams();
}

void TOwThread::UpdateThreadParams()
{
    if (ComponentStateHas(csDesigning))
        return;
    FThread->Hold();
    if (!FEnabled)
        return;
    FThread->SetPriority(FPriority);
    FThread->Release();
}

bool TOwThread::Running() const { return !FThread->Held(); }
