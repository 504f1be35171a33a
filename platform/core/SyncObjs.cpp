#include "platform/core/SyncObjs.h"

#include "platform/core/Clock.h"

TEvent::TEvent(void*, bool ManualReset, bool InitialState, const AnsiString&)
    : FManualReset(ManualReset), FSignaled(InitialState)
{
}

TEvent::TEvent(bool ManualReset) : FManualReset(ManualReset), FSignaled(false) {}

TWaitResult TEvent::WaitFor(Cardinal Timeout)
{
    std::unique_lock lock(FMutex);
    auto ready = [&] { return FSignaled; };
    if (Timeout == INFINITE) {
        FCond.wait(lock, ready);
    } else if (!FCond.wait_for(lock, ClockWaitDuration(Timeout), ready)) {
        return wrTimeout;
    }
    if (!FManualReset)
        FSignaled = false;
    return wrSignaled;
}

void TEvent::SetEvent()
{
    {
        std::lock_guard lock(FMutex);
        FSignaled = true;
    }
    if (FManualReset)
        FCond.notify_all();
    else
        FCond.notify_one();
}

void TEvent::ResetEvent()
{
    std::lock_guard lock(FMutex);
    FSignaled = false;
}
