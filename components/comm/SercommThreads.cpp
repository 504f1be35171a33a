#include "components/comm/SercommThreads.h"

#include <chrono>
#include <cstring>

#include "components/comm/Sercomm.h"
#include "components/comm/Serutils.h"
#include "platform/core/Clock.h"
#include "platform/core/Synchronize.h"
#include "platform/serial/SerialDevice.h"

// ------------------------------------------------------------ TSerCommBuffer

int TSerCommBuffer::Write(const void* Data, int N)
{
    std::memcpy(FData.data() + FCount, Data, static_cast<size_t>(N));
    FCount += N;
    return N;
}

void TSerCommBuffer::Peek(void* Target, int N) const { std::memcpy(Target, FData.data(), static_cast<size_t>(N)); }

int TSerCommBuffer::Read(void* Target, int N)
{
    Peek(Target, N);
    return Remove(N);
}

int TSerCommBuffer::Remove(int N)
{
    if (N > FCount)
        N = FCount;
    std::memmove(FData.data(), FData.data() + N, static_cast<size_t>(FCount - N));
    FCount -= N;
    return N;
}

// ------------------------------------------------------- TSerCommEventThread

TSerCommEventThread::TSerCommEventThread(TSerCustomComm* Owner, TSerialDevice* Device, DWORD Mask)
    : FOwner(Owner), FDevice(Device), FMask(Mask)
{
}

TSerCommEventThread::~TSerCommEventThread()
{
    // StopThread has woken the device's wait already; the device may be gone now.
    Terminate();
    FWakeEvent.SetEvent();
    WaitFor();
}

void TSerCommEventThread::StopThread()
{
    // On the window's thread: what was posted and has not run yet is not for a closed port.
    FDeliveries->Closed = true;
    Terminate();
    FWakeEvent.SetEvent();
    FDevice->Wake();
}

void TSerCommEventThread::Execute()
{
    while (!Terminated()) {
        unsigned events = 0;
        bool ok = FDevice->WaitEvents(FMask, events, -1);
        if (Terminated())
            break;
        if (!ok || (events & EV_HANGUP)) {
            // The line is gone (the device vanished, the far side hung up). The
            // program must see the instrument go off line: it arrives as one
            // change of DSR, when DSR is watched at all; then nothing more comes
            // until the port is closed.
            Deliver((EV_DSR | (events & EV_RXCHAR)) & FMask);
            FWakeEvent.WaitFor(INFINITE);
            break;
        }
        if (events)
            Deliver(events);
    }
}

void TSerCommEventThread::Deliver(DWORD Events)
{
    if (Terminated())
        return;
    // Posted rather than waited for, so the thread is back at the line at once
    // and nothing wakes it when the delivery ends. Deliveries still run one at
    // a time: what comes while one is out is held and follows it together.
    {
        std::lock_guard lock(FDeliveries->Mutex);
        if (FDeliveries->Out) {
            FDeliveries->Held |= Events;
            return;
        }
        FDeliveries->Out = true;
    }
    Post(FDeliveries, FOwner, Events);
}

void TSerCommEventThread::Post(const std::shared_ptr<TDeliveries>& Deliveries, TSerCustomComm* Owner, DWORD Events)
{
    QueueOnMainThread([Deliveries, Owner, Events] {
        if (Deliveries->Closed)
            return;
        Owner->DoEvent(Events);
        if (Deliveries->Closed)
            return; // closed by its own handler
        DWORD held = 0;
        {
            std::lock_guard lock(Deliveries->Mutex);
            held = Deliveries->Held;
            Deliveries->Held = 0;
            Deliveries->Out = held != 0;
        }
        if (held)
            Post(Deliveries, Owner, held);
    });
}

// ------------------------------------------------------- TSerCommWriteThread

TSerCommWriteThread::TSerCommWriteThread(TSerCustomComm* Owner, TSerialDevice* Device, int Capacity)
    : FOwner(Owner), FDevice(Device), FBuffer(Capacity)
{
}

TSerCommWriteThread::~TSerCommWriteThread()
{
    // StopThread has woken the device's wait already; the device may be gone now.
    Terminate();
    Signal(FStop);
    WaitFor();
}

void TSerCommWriteThread::Signal(bool& Flag)
{
    {
        std::lock_guard lock(FMutex);
        Flag = true;
    }
    FChanged.notify_all();
}

void TSerCommWriteThread::StopThread()
{
    Terminate();
    Signal(FStop);
    FDevice->WakeOutput();
}

bool TSerCommWriteThread::WriteData(const void* Data, int Count, int TimeoutMs)
{
    const auto deadline =
        std::chrono::steady_clock::now() + ClockWaitDuration(static_cast<std::uint64_t>(TimeoutMs < 0 ? 0 : TimeoutMs));
    for (;;) {
        unsigned room = 0;
        FOwner->WriteLock();
        if (FBuffer.Count() + Count <= FBuffer.Capacity()) {
            FBuffer.Write(Data, Count);
            Signal(FData);
            FOwner->WriteUnlock();
            return true;
        }
        {
            std::lock_guard lock(FMutex);
            room = FRoomMade;
        }
        FOwner->WriteUnlock();
        // Until the thread sends or purges something (or stops), nothing changes.
        std::unique_lock lock(FMutex);
        if (!FChanged.wait_until(lock, deadline, [&] { return FRoomMade != room || FStop; }) || FStop)
            return false;
    }
}

bool TSerCommWriteThread::PurgeWrite()
{
    std::unique_lock lock(FMutex);
    FPurgeAck = false;
    FPurgeRequest = true;
    FChanged.notify_all();
    FDevice->WakeOutput(); // the thread may wait for room in the driver
    bool acked = FChanged.wait_for(lock, std::chrono::milliseconds(2000), [this] { return FPurgeAck; });
    lock.unlock();
    if (acked) {
        FOwner->WriteLock();
        FBuffer.Clear();
        FOwner->WriteUnlock();
    }
    return acked;
}

void TSerCommWriteThread::Execute()
{
    enum { Stop, Purge, Data } what;
    bool purge = false;
    while (!Terminated()) {
        {
            std::unique_lock lock(FMutex);
            FChanged.wait(lock, [this] { return FStop || FPurgeRequest || FData; });
            if (FStop) {
                Terminate();
                break;
            }
            purge = FPurgeRequest;
        }
        if (purge) {
            AcknowledgePurge();
            continue;
        }
        FOwner->WriteLock();
        const int n = FBuffer.Count();
        const Byte* p = FBuffer.DataPtr();
        FOwner->WriteUnlock();

        // Bytes go out as the driver takes them; stop and purge requests end the pass.
        int sent = 0;
        what = Data;
        bool failed = false;
        while (sent < n) {
            int k = FDevice->WriteSome(p + sent, n - sent);
            if (k < 0) {
                failed = true;
                break;
            }
            sent += k;
            if (sent == n)
                break;
            // The driver is full: wait until it takes more (StopThread and PurgeWrite end the wait).
            const bool room = FDevice->WaitOutput(-1);
            {
                std::lock_guard lock(FMutex);
                if (FStop) {
                    what = Stop;
                    break;
                }
                purge = FPurgeRequest;
            }
            if (purge) {
                AcknowledgePurge();
                what = Purge;
                break;
            }
            if (!room) {
                failed = true; // the line hung up
                break;
            }
        }
        if (what == Stop) {
            Terminate();
            break;
        }
        if (what == Purge)
            continue;
        if (failed) {
            DoWriteError();
            // The bytes stay buffered for the next pass; a dead line is not hammered.
            std::unique_lock lock(FMutex);
            FChanged.wait_for(lock, std::chrono::milliseconds(100), [this] { return FStop || FPurgeRequest; });
            continue;
        }
        bool emptied = false;
        FOwner->WriteLock();
        FBuffer.Remove(sent);
        {
            std::lock_guard lock(FMutex);
            FData = FBuffer.Count() > 0;
            emptied = !FData;
            ++FRoomMade;
        }
        FOwner->WriteUnlock();
        FChanged.notify_all();
        if (emptied)
            DoTxEmpty();
    }
}

// Called without FMutex held (the write lock comes first everywhere).
void TSerCommWriteThread::AcknowledgePurge()
{
    // Emptied before the acknowledgement: a pass that starts before PurgeWrite
    // clears the buffer itself must not send, or later remove, purged bytes.
    FOwner->WriteLock();
    FBuffer.Clear();
    FOwner->WriteUnlock();
    {
        std::lock_guard lock(FMutex);
        FPurgeRequest = false;
        FPurgeAck = true;
        ++FRoomMade;
    }
    FChanged.notify_all();
}

void TSerCommWriteThread::DoTxEmpty()
{
    Synchronize([this] { FOwner->DoLineEvent(this, EV_TXEMPTY); });
}

void TSerCommWriteThread::DoWriteError()
{
    Synchronize([this] { FOwner->DoLineEvent(this, EV_ERR); });
}
