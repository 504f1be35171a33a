#include "components/slcomm/Tcommpkg.h"

#include <algorithm>
#include <cstring>

#include "platform/core/Clock.h"

namespace CorlanComm32 {

TCommPackageQueue::TCommPackageQueue(std::int32_t Slots, std::int32_t RecordSize) { SetQueue(Slots, RecordSize); }

TCommPackageQueue::~TCommPackageQueue() { fRemoveQueue(); }

void TCommPackageQueue::SetQueue(std::int32_t Slots, std::int32_t RecordSize)
{
    fRemoveQueue();
    FSlots = std::max(Slots, 2);
    FRecSize = std::max(RecordSize, 32);
    FStorage.assign(static_cast<size_t>(FSlots) * static_cast<size_t>(FRecSize), 0);
}

void TCommPackageQueue::fRemoveQueue()
{
    FStorage.clear();
    FStorage.shrink_to_fit();
    FRead = FWrite = 0;
}

std::int32_t TCommPackageQueue::Count() const
{
    return FStorage.empty() ? 0 : (FWrite - FRead + FSlots) % FSlots;
}

int TCommPackageQueue::In(const void* Record)
{
    if (FStorage.empty() || (FWrite + 1) % FSlots == FRead)
        return 0;
    std::memcpy(FStorage.data() + static_cast<size_t>(FWrite) * FRecSize, Record, static_cast<size_t>(FRecSize));
    FWrite = (FWrite + 1) % FSlots;
    return 1;
}

int TCommPackageQueue::Out(void* Record)
{
    if (Count() == 0)
        return 0;
    std::memcpy(Record, FStorage.data() + static_cast<size_t>(FRead) * FRecSize, static_cast<size_t>(FRecSize));
    FRead = (FRead + 1) % FSlots;
    return 1;
}

int TCommPackageQueue::Read(void* Record, std::uint32_t Index) const
{
    if (Index >= static_cast<std::uint32_t>(Count()))
        return 0;
    std::int32_t at = (FRead + static_cast<std::int32_t>(Index)) % FSlots;
    std::memcpy(Record, FStorage.data() + static_cast<size_t>(at) * FRecSize, static_cast<size_t>(FRecSize));
    return 1;
}

struct TCommPackage::TThreadState {
    std::mutex M;
    std::condition_variable Cv;
    bool Wake = false;  // auto-reset
    std::atomic<bool> Run{true};
};

struct TCommPackage::THook {
    // Threads handling a notice in the layer. The destructor waits for all but
    // its own; handlers run without this lock, so one that closes the engine
    // (joining the other workers) never waits for a worker held here.
    std::mutex M;
    std::condition_variable Cv;
    std::vector<std::thread::id> Busy;  // guarded by M
    TCommPackage* Owner = nullptr;      // guarded by M
    TCommNotifyEvent Prev;

    TCommPackage* Enter()
    {
        std::lock_guard g(M);
        if (Owner)
            Busy.push_back(std::this_thread::get_id());
        return Owner;
    }
    void Leave()
    {
        std::lock_guard g(M);
        Busy.erase(std::find(Busy.begin(), Busy.end(), std::this_thread::get_id()));
        Cv.notify_all();
    }
};

TCommPackage::TCommPackage(TComm32* Comm)
    : FComm(Comm), FHook(std::make_shared<THook>()), FThreadState(std::make_shared<TThreadState>())
{
    Rebuild();
    FThread = std::thread(&TCommPackage::_TimerThread, this, FThreadState);
    FHook->Owner = this;
    FHook->Prev = FComm->OnCommNotify;
    FComm->OnCommNotify = [hook = FHook](TObject* Sender, std::int32_t NotifyType) {
        if (TCommPackage* owner = hook->Enter()) {
            struct TLeave {
                THook& H;
                ~TLeave() { H.Leave(); }
            } leave{*hook};
            owner->fNewCommNotify(Sender, NotifyType);
        } else if (hook->Prev) {
            hook->Prev(Sender, NotifyType);
        }
    };
}

TCommPackage::~TCommPackage()
{
    {
        // Waits for notices being handled on other threads (not for this one's own).
        std::unique_lock g(FHook->M);
        FHook->Owner = nullptr;
        const std::thread::id self = std::this_thread::get_id();
        FHook->Cv.wait(g, [&] {
            return std::all_of(FHook->Busy.begin(), FHook->Busy.end(), [&](std::thread::id t) { return t == self; });
        });
    }
    // The engine's callback is replaced only while no engine thread can be calling it.
    if (!FComm->Active())
        FComm->OnCommNotify = FHook->Prev;
    {
        std::lock_guard g(FThreadState->M);
        FThreadState->Run = false;
        FThreadState->Wake = true;
        FThreadState->Cv.notify_all();
    }
    // Joined, so no thread ever uses the freed layer; from its own callback it ends on return.
    if (FThread.get_id() == std::this_thread::get_id())
        FThread.detach();
    else if (FThread.joinable())
        FThread.join();
}

void TCommPackage::Rebuild()
{
    std::int32_t rec = static_cast<std::int32_t>(RecordBytes());
    FRecvQueue = std::make_unique<TCommPackageQueue>(static_cast<std::int32_t>(FQueueSize), rec);
    FSendQueue = std::make_unique<TCommPackageQueue>(static_cast<std::int32_t>(FQueueSize), rec);
    size_t records = std::max<size_t>(RecordBytes(), static_cast<size_t>(FRecvQueue->RecordSize()));
    FRecv.assign(records, 0);
    FSend.assign(records, 0);
    FFrame.assign(2 * static_cast<size_t>(FPackageSize) + 4, 0);
    FFrameCount = 0;
}

void TCommPackage::Wake()
{
    std::lock_guard g(FThreadState->M);
    FThreadState->Wake = true;
    FThreadState->Cv.notify_all();
}

bool TCommPackage::Active() const
{
    std::lock_guard g(FLock);
    return FActive;
}

void TCommPackage::Deactivate()
{
    FActive = false;
    FInFrame = FEscape = false;
    FWritePos = 0;
    RecvCount() = 0;
    FFrameCount = 0;
    FRecvQueue->Clear();
    FSendQueue->Clear();
}

void TCommPackage::fSetActive(bool Value)
{
    {
        std::lock_guard g(FLock);
        Deactivate();
        FActive = Value;
    }
    Wake();
}

void TCommPackage::fSetQSize(std::uint32_t Value)
{
    {
        std::lock_guard g(FLock);
        Deactivate();
        FQueueSize = Value;
        std::int32_t rec = FRecvQueue->RecordSize();
        FRecvQueue->SetQueue(static_cast<std::int32_t>(Value), rec);
        FSendQueue->SetQueue(static_cast<std::int32_t>(Value), rec);
    }
    Wake();
}

void TCommPackage::fSetPkgSz(std::uint32_t Value)
{
    {
        std::lock_guard g(FLock);
        Deactivate();
        FPackageSize = Value;
        Rebuild();
    }
    Wake();
}

void TCommPackage::fSetPkgType(TCommPackageType Value)
{
    {
        std::lock_guard g(FLock);
        Deactivate();
        FPackageType = Value;
    }
    Wake();
}

void TCommPackage::fSetPkgInterval(std::uint32_t Value)
{
    {
        std::lock_guard g(FLock);
        FPackageInterval = Value;
    }
    Wake();
}

std::uint8_t TCommPackage::FrameHead() const
{
    std::lock_guard g(FLock);
    return FFrameHead;
}
std::uint8_t TCommPackage::FrameTail() const
{
    std::lock_guard g(FLock);
    return FFrameTail;
}
std::uint8_t TCommPackage::FrameCtrl() const
{
    std::lock_guard g(FLock);
    return FFrameCtrl;
}
void TCommPackage::SetFrameHead(std::uint8_t Value)
{
    std::lock_guard g(FLock);
    FFrameHead = Value;
}
void TCommPackage::SetFrameTail(std::uint8_t Value)
{
    std::lock_guard g(FLock);
    FFrameTail = Value;
}
void TCommPackage::SetFrameCtrl(std::uint8_t Value)
{
    std::lock_guard g(FLock);
    FFrameCtrl = Value;
}

std::int32_t TCommPackage::ReceivedCount() const
{
    std::lock_guard g(FLock);
    return FRecvQueue->Count();
}

std::int32_t TCommPackage::SendingCount() const
{
    std::lock_guard g(FLock);
    return FSendQueue->Count();
}

std::uint32_t TCommPackage::ReadPackage(void* Buffer, std::uint32_t Size)
{
    std::lock_guard g(FLock);
    if (!FActive || FRecvQueue->Count() == 0)
        return 0;
    std::vector<std::uint8_t> rec(static_cast<size_t>(FRecvQueue->RecordSize()));
    FRecvQueue->Read(rec.data(), 0);
    std::uint32_t count;
    std::memcpy(&count, rec.data(), sizeof count);
    if (!Buffer || Size == 0)
        return FPackageType == cptCompatiblePkg ? 1 : count;
    if (FPackageType == cptCompatiblePkg) {
        if (Size < PackageHeadBytes)
            return 0;
        FRecvQueue->Out(rec.data());
        std::uint32_t n = std::min(count, Size - PackageHeadBytes);
        std::memcpy(Buffer, &n, sizeof n);
        std::memcpy(static_cast<std::uint8_t*>(Buffer) + PackageHeadBytes, rec.data() + PackageHeadBytes, n);
        return 1;
    }
    FRecvQueue->Out(rec.data());
    std::uint32_t n = std::min(count, Size);
    std::memcpy(Buffer, rec.data() + PackageHeadBytes, n);
    return n;
}

std::uint32_t TCommPackage::WritePackage(const void* Buffer, std::uint32_t Size)
{
    std::lock_guard g(FLock);
    if (!FActive || !Buffer)
        return 0;
    std::vector<std::uint8_t> rec(static_cast<size_t>(FSendQueue->RecordSize()), 0);
    std::uint32_t result;
    if (FPackageType == cptCompatiblePkg) {
        if (Size < PackageHeadBytes)
            return 0;
        std::uint32_t count;
        std::memcpy(&count, Buffer, sizeof count);
        count = std::min({count, Size - PackageHeadBytes, FPackageSize});
        std::memcpy(rec.data(), &count, sizeof count);
        std::memcpy(rec.data() + PackageHeadBytes, static_cast<const std::uint8_t*>(Buffer) + PackageHeadBytes,
                    count);
        result = 1;
    } else {
        if (Size == 0)
            return 0;
        std::uint32_t count = std::min(Size, FPackageSize);
        std::memcpy(rec.data(), &count, sizeof count);
        std::memcpy(rec.data() + PackageHeadBytes, Buffer, count);
        result = count;
    }
    if (!FSendQueue->In(rec.data()))
        return 0;
    _WritePackage();
    return result;
}

void TCommPackage::PurgeRead()
{
    std::lock_guard g(FLock);
    if (!FActive)
        return;
    FComm->PurgeRead(false);
    FRecvQueue->Clear();
}

void TCommPackage::PurgeWrite()
{
    std::lock_guard g(FLock);
    if (!FActive)
        return;
    FSendQueue->Clear();
    FComm->PurgeWrite(false);
}

void TCommPackage::CallNotify(std::int32_t NotifyType)
{
    // A copy: the handler may free the layer, and with it OnPackage.
    TCommNotifyEvent handler = OnPackage;
    if (!handler)
        return;
    try {
        handler(this, NotifyType);
    } catch (...) {
    }
}

void TCommPackage::fNewCommNotify(TObject* Sender, std::int32_t NotifyType)
{
    std::shared_ptr<THook> hook = FHook;  // outlives the layer should a handler free it
    std::int32_t mask = 0;
    {
        std::lock_guard g(FLock);
        if (FActive) {
            mask = NotifyType & ~0x0005;
            if ((NotifyType & 0x0001) && FPackageType != cptFrameTimeout) {
                _ReadHeadTailPackage();
                if (FRecvQueue->Count() > 0)
                    mask |= 0x0001;
            }
            if (NotifyType & 0x0004) {
                _WritePackage();
                if (FSendQueue->Count() == 0)
                    mask |= 0x0004;
            }
        }
    }
    // Handlers run without the lock: they may read and write packets.
    if (mask)
        CallNotify(mask);
    if (hook->Prev)
        hook->Prev(Sender, NotifyType);
}

void TCommPackage::_ReadHeadTailPackage()
{
    std::uint8_t buf[2048];
    for (;;) {
        std::int32_t n = FComm->Read(buf, sizeof buf);
        if (n <= 0)
            return;
        for (std::int32_t i = 0; i < n; ++i) {
            std::uint8_t b = buf[i];
            std::uint32_t& count = RecvCount();
            if (!FEscape && b == FFrameHead) {
                count = 0;
                FInFrame = true;
            } else if (FInFrame && FEscape) {
                if (count < FPackageSize)
                    FRecv[PackageHeadBytes + count++] = b;
                FEscape = false;
            } else if (FInFrame && b == FFrameCtrl) {
                FEscape = true;
            } else if (FInFrame && b == FFrameTail) {
                FRecvQueue->In(FRecv.data());  // lost when the queue is full
                count = 0;
                FInFrame = false;
            } else if (FInFrame) {
                if (count < FPackageSize)
                    FRecv[PackageHeadBytes + count++] = b;
                FEscape = false;
            } else {
                FEscape = !FEscape && b == FFrameCtrl;
            }
        }
    }
}

bool TCommPackage::_ReadTimeoutPackage()
{
    std::uint8_t buf[2048];
    bool any = false;
    for (;;) {
        std::int32_t n = FComm->Read(buf, sizeof buf);
        if (n <= 0)
            return any;
        any = true;
        std::uint32_t& count = RecvCount();
        std::uint32_t take = std::min<std::uint32_t>(static_cast<std::uint32_t>(n), FPackageSize - count);
        std::memcpy(FRecv.data() + PackageHeadBytes + count, buf, take);
        count += take;
    }
}

void TCommPackage::_EncodePackage()
{
    std::uint32_t count;
    std::memcpy(&count, FSend.data(), sizeof count);
    std::uint32_t n = std::min(count, FPackageSize);
    std::uint32_t k = 0;
    FFrame[k++] = FFrameHead;
    FFrame[k++] = FFrameHead;
    for (std::uint32_t i = 0; i < n; ++i) {
        std::uint8_t b = FSend[PackageHeadBytes + i];
        if (b == FFrameHead || b == FFrameTail || b == FFrameCtrl)
            FFrame[k++] = FFrameCtrl;
        FFrame[k++] = b;
    }
    FFrame[k++] = FFrameTail;
    FFrame[k++] = FFrameTail;
    FFrameCount = k;
}

void TCommPackage::_WritePackage()
{
    if (FWritePos < FFrameCount) {
        FWritePos += static_cast<std::uint32_t>(
            FComm->Write(FFrame.data() + FWritePos, static_cast<std::int32_t>(FFrameCount - FWritePos)));
        return;
    }
    if (FSendQueue->Count() == 0)
        return;
    FSendQueue->Out(FSend.data());
    if (FPackageType == cptFrameTimeout) {
        std::uint32_t count;
        std::memcpy(&count, FSend.data(), sizeof count);
        count = std::min(count, FPackageSize);
        std::memcpy(FFrame.data(), FSend.data() + PackageHeadBytes, count);
        FFrameCount = count;
    } else {
        _EncodePackage();
    }
    FWritePos = static_cast<std::uint32_t>(FComm->Write(FFrame.data(), static_cast<std::int32_t>(FFrameCount)));
}

void TCommPackage::_TimerThread(std::shared_ptr<TThreadState> S)
{
    for (;;) {
        std::uint32_t interval;
        bool timeout;
        {
            std::lock_guard g(FLock);
            interval = FPackageInterval;
            timeout = FPackageType == cptFrameTimeout;
        }
        {
            std::unique_lock w(S->M);
            if (timeout)
                S->Cv.wait_for(w, ClockWaitDuration(std::max<std::uint32_t>(interval, 1)), [&] { return S->Wake; });
            else
                S->Cv.wait(w, [&] { return S->Wake; });
            S->Wake = false;
            if (!S->Run)
                return;
        }
        bool notify = false;
        {
            std::lock_guard g(FLock);
            if (FPackageType == cptFrameTimeout && FActive) {
                bool read = _ReadTimeoutPackage();
                if (!read && RecvCount() > 0) {
                    FRecvQueue->In(FRecv.data());  // lost when the queue is full
                    RecvCount() = 0;
                    notify = true;
                }
            }
        }
        if (notify)
            CallNotify(0x0001);
        if (!S->Run)
            return;  // the layer may be gone: freed by the handler
    }
}

} // namespace CorlanComm32
