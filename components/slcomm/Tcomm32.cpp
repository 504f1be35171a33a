#include "components/slcomm/Tcomm32.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "platform/core/Clock.h"
#include "platform/serial/SerialDevice.h"

namespace CorlanComm32 {

const char* const Fmt_COMn = "\\\\.\\COM%d";
const char* const Fmt_InitModem = "ATE0&K%dS0=%d\r";
const char* const Str_ResetModem = "ATZ\r";

namespace {

constexpr unsigned kRxMask = EV_RXCHAR | EV_RXFLAG | EV_CTS | EV_DSR | EV_RLSD | EV_ERR | EV_RX80FULL;
// The engine whose worker the calling thread is (null on other threads).
thread_local const void* tWorkerOf = nullptr;

bool LineFromDCB(const TDCB& D, TSerialLine& L)
{
    if (D.BaudRate <= 0)
        return false;  // no such rate
    L.BaudRate = D.BaudRate;
    L.DataBits = D.ByteSize;
    L.Parity = static_cast<TSerialParity>(D.Parity <= 4 ? D.Parity : 0);
    L.StopBits = D.StopBits == 1 ? TSerialStopBits::OneHalf
                 : D.StopBits == 2 ? TSerialStopBits::Two
                                   : TSerialStopBits::One;
    L.RtsCts = D.fOutxCtsFlow || D.fRtsControl == TDCB::RTS_CONTROL_HANDSHAKE;
    L.XonXoffOut = D.fOutX;
    L.XonXoffIn = D.fInX;
    L.XonChar = D.XonChar;
    L.XoffChar = D.XoffChar;
    L.ParityCheck = D.fParity;
    return D.Parity <= 4 && D.StopBits <= 2;
}

} // namespace

// What the worker threads of one opening share. Each opening has its own, so
// a worker that called Close from its callback (and is not joined) only sees
// its own cleared run flags once the callback returns.
struct TComm32::TSession {
    std::mutex M;
    std::condition_variable Cv;
    std::atomic<bool> RxRun{true}, TxRun{true}, TimerRun{true};
    bool WriteRequest = false;  // guarded by M
    std::atomic<bool> RxBlocked{false};  // bytes wait in the driver for room in InQueue
    std::thread Rx, Tx, Timer;
    TSerialDevice* Dev = nullptr;
    // The transmit thread's chunk (touched under the engine's FTxLock).
    std::uint8_t Chunk[256] = {};
    int ChunkLen = 0;
    int ChunkSent = 0;
    std::uint64_t ChunkPurges = 0;
};

TComm32::TComm32()
{
    std::snprintf(DeviceName, sizeof DeviceName, Fmt_COMn, PortNo);
    FInQueue = std::make_unique<TCommQueue>(8192);
    FOutQueue = std::make_unique<TCommQueue>(8192);
}

TComm32::~TComm32()
{
    try {
        Close();
    } catch (const Exception&) {
    }
}

void TComm32::SetPortNo(std::int32_t No)
{
    PortNo = No;
    std::snprintf(DeviceName, sizeof DeviceName, Fmt_COMn, PortNo);
}

TComm32::TFlowControl TComm32::fGetFCtrl() const
{
    if (DCB.fOutxCtsFlow && DCB.fOutX)
        return fcRtsCtsXonXoff;
    if (DCB.fOutxCtsFlow)
        return fcRtsCts;
    if (DCB.fOutX)
        return fcXonXoff;
    return fcNone;
}

void TComm32::fSetFCtrl(TFlowControl Value)
{
    Close();
    bool cts = Value == fcRtsCts || Value == fcRtsCtsXonXoff;
    bool xon = Value == fcXonXoff || Value == fcTranXonXoff || Value == fcRtsCtsXonXoff;
    DCB.fRtsControl = cts ? TDCB::RTS_CONTROL_HANDSHAKE : TDCB::RTS_CONTROL_ENABLE;
    DCB.fOutxCtsFlow = cts;
    DCB.fOutX = xon;
    DCB.fInX = xon;
    DCB.fDtrControl = TDCB::DTR_CONTROL_ENABLE;
    DCB.fOutxDsrFlow = false;
}

void TComm32::SetInQueueSize(std::int32_t Size)
{
    // The receive thread puts bytes in only under FRxLock: holding it pauses that end.
    std::lock_guard g(FRxLock);
    ++FRxPurges;
    FInQueue->SetBufSize(Size);
}

void TComm32::SetOutQueueSize(std::int32_t Size)
{
    std::lock_guard g(FTxLock);
    ++FTxPurges;  // the chunk in hand goes with the queue's content
    FOutQueue->SetBufSize(Size);
}

void TComm32::Open()
{
    if (Active())
        return;
    FRingCount = 0;
    int code = 0;
    if (!FInQueue->HasStorage())
        code = EComm32Error::ecReadBuffer;
    else if (!FOutQueue->HasStorage())
        code = EComm32Error::ecWriteBuffer;
    if (!code && !ExternalHandle) {
        int err = 0;
        FOwnDevice = OpenSerialDevice(DeviceName, err);
        Handle = FOwnDevice.get();
        if (!Handle)
            code = EComm32Error::ecOpenPort;
    }
    if (!code && ExternalHandle && !Handle)
        code = EComm32Error::ecOpenPort;
    // The driver's own queue sizes cannot be chosen here: HwInSize and HwOutSize are kept only.
    if (!code && !ExternalHandle) {
        TSerialLine line;
        if (!LineFromDCB(DCB, line) || !Handle->SetLine(line))
            code = EComm32Error::ecSetState;
        else {
            Handle->SetDtr(DCB.fDtrControl != TDCB::DTR_CONTROL_DISABLE);
            Handle->SetRts(DCB.fRtsControl != TDCB::RTS_CONTROL_DISABLE);
        }
    } else if (!code) {
        TSerialLine line;
        if (!Handle->GetLine(line))
            code = EComm32Error::ecGetState;
        else if (!Handle->SetLine(line))
            code = EComm32Error::ecSetState;
    }
    if (!code) {
        auto s = std::make_shared<TSession>();
        s->Dev = Handle;
        FSession.store(s);
        // Stack sizes and priorities of the other system are not asked for here.
        try {
            s->Rx = std::thread(&TComm32::_ReadThread, this, s);
        } catch (const std::system_error&) {
            s->RxRun = false;
            code = EComm32Error::ecReadThread;
        }
        if (!code) {
            try {
                s->Timer = std::thread(&TComm32::_TimerThread, this, s);
            } catch (const std::system_error&) {
                s->TimerRun = false;
                code = EComm32Error::ecReadThread;
            }
        }
        if (!code) {
            try {
                s->Tx = std::thread(&TComm32::_WriteThread, this, s);
            } catch (const std::system_error&) {
                s->TxRun = false;
                code = EComm32Error::ecWriteThread;
            }
        }
    }
    if (code) {
        try {
            Close();
        } catch (const EComm32Error&) {
        }
        throw EComm32Error(static_cast<EComm32Error::TErrorCode>(code));
    }
    FActive = true;
    DisableWrite = false;
    ReadModemLines();
    CommNotify(0x0038);
    CommAfterOpen();
}

void TComm32::Close()
{
    std::unique_lock closing(FCloseLock, std::defer_lock);
    if (tWorkerOf == this) {
        // From a worker's callback: a Close under way on another thread joins
        // this worker once the callback returns, so it must not be waited for.
        if (!closing.try_lock())
            return;
    } else {
        closing.lock();
    }
    if (Active())
        CommBeforeClose();
    if (std::shared_ptr<TSession> s = Session()) {
        {
            std::lock_guard g(s->M);
            s->RxRun = false;
            s->TxRun = false;
            s->TimerRun = false;
            s->Cv.notify_all();
        }
        // Out of their waits on the device; a wait not yet begun ends at once.
        if (s->Dev) {
            s->Dev->Wake();
            s->Dev->WakeOutput();
        }
        // Each worker is joined, however long the callback it is in takes;
        // the caller itself, when it is one, ends when its callback returns.
        const std::thread::id self = std::this_thread::get_id();
        for (std::thread* t : {&s->Rx, &s->Tx, &s->Timer}) {
            if (!t->joinable())
                continue;
            if (t->get_id() == self)
                t->detach();
            else
                t->join();
        }
        FSession.store(nullptr);
    }
    if (!ExternalHandle) {
        FOwnDevice.reset();
        Handle = nullptr;
    }
    if (Active()) {
        FActive = false;
        FModemStatus = 0;
        CommNotify(0x0038);
    }
}

std::int32_t TComm32::Read(void* Buffer, std::int32_t Size)
{
    std::int32_t n = FInQueue->Out(Buffer, Size);
    // Room again: the receive thread takes what waits in the driver.
    if (n > 0)
        if (std::shared_ptr<TSession> s = Session(); s && s->RxBlocked && s->Dev)
            s->Dev->Wake();
    return n;
}

std::int32_t TComm32::Write(const void* Buffer, std::int32_t Size)
{
    if (DisableWrite)
        return 0;
    std::int32_t n = FOutQueue->In(Buffer, Size);
    if (std::shared_ptr<TSession> s = Session()) {
        std::lock_guard g(s->M);
        s->WriteRequest = true;
        s->Cv.notify_all();
    }
    return n;
}

std::int32_t TComm32::Command(const char* Text)
{
    std::int32_t n = Text ? FOutQueue->In(Text, static_cast<std::int32_t>(std::strlen(Text))) : 0;
    if (std::shared_ptr<TSession> s = Session()) {
        std::lock_guard g(s->M);
        s->WriteRequest = true;
        s->Cv.notify_all();
    }
    return n;
}

void TComm32::PurgeRead(bool /*Abort*/)
{
    if (!Active() || !Handle)
        return;
    std::lock_guard g(FRxLock);
    Handle->Purge(true, false);
    FInQueue->Skip(FInQueue->Count());
    ++FRxPurges;
}

void TComm32::PurgeWrite(bool /*Abort*/)
{
    if (!Active() || !Handle)
        return;
    std::lock_guard g(FTxLock);
    Handle->Purge(false, true);
    // The transmit thread moves this end only under FTxLock, so the owner may empty it here.
    FOutQueue->Skip(FOutQueue->Count());
    ++FTxPurges;
}

void TComm32::ResetModem() { Command(Str_ResetModem); }

void TComm32::InitModem()
{
    char buf[64];
    std::snprintf(buf, sizeof buf, Fmt_InitModem, static_cast<int>(fGetFCtrl()), static_cast<int>(AutoAnswer));
    Command(buf);
}

void TComm32::CommNotify(std::int32_t NotifyType)
{
    // A copy: the handler may free the engine, and with it OnCommNotify.
    TCommNotifyEvent handler = OnCommNotify;
    if (!handler)
        return;
    try {
        handler(this, NotifyType);
    } catch (...) {
        // A handler cannot stop a worker thread.
    }
}

void TComm32::CommAfterOpen()
{
    if (!AfterOpen)
        return;
    try {
        AfterOpen(this);
    } catch (...) {
    }
}

void TComm32::CommBeforeClose()
{
    if (!BeforeClose)
        return;
    try {
        BeforeClose(this);
    } catch (...) {
    }
}

void TComm32::ReadModemLines()
{
    unsigned lines = 0;
    if (Handle && Handle->ModemStatus(lines))
        FModemStatus = lines;
}

bool TComm32::DrainDevice(TSession& S)
{
    std::uint8_t buf[2048];
    for (;;) {
        std::int32_t room;
        std::uint64_t purges;
        {
            std::lock_guard g(FRxLock);
            room = FInQueue->Room();
            purges = FRxPurges;
        }
        if (room <= 0) {
            // Bytes that do not fit stay with the driver until the owner reads.
            S.RxBlocked = true;
            return true;
        }
        int want = std::min<int>(room, sizeof buf);
        int n = S.Dev->Read(buf, want);
        if (n <= 0) {
            S.RxBlocked = false;
            return n == 0;
        }
        {
            std::lock_guard g(FRxLock);
            if (purges == FRxPurges)  // not purged while the bytes were in hand
                FInQueue->In(buf, n);
        }
        if (n < want) {
            S.RxBlocked = false;
            return true;
        }
    }
}

void TComm32::_ReadThread(std::shared_ptr<TSession> S)
{
    tWorkerOf = this;
    bool hungUp = false;
    while (S->RxRun) {
        unsigned ev = 0;
        if (hungUp) {
            // A hung-up line reports on every wait: look again only now and then.
            std::unique_lock g(S->M);
            S->Cv.wait_for(g, ClockWaitDuration(100), [&] { return !S->RxRun; });
            g.unlock();
            if (!S->RxRun || !S->Dev->WaitEvents(kRxMask, ev, 0) || (ev & EV_HANGUP))
                continue;
            hungUp = false;
        } else if (!S->Dev->WaitEvents(kRxMask, ev, -1)) {
            std::unique_lock g(S->M);
            S->Cv.wait_for(g, ClockWaitDuration(50), [&] { return !S->RxRun; });
            continue;
        }
        if (!S->RxRun)
            break;
        if (ev == 0) {
            if (S->RxBlocked)
                DrainDevice(*S);
            continue;
        }
        std::uint32_t notify = ev & 0xFFFF;
        if (ev & EV_HANGUP) {
            hungUp = true;
            notify |= EV_DSR | EV_RLSD;
        }
        if (ev & EV_RXCHAR)
            DrainDevice(*S);
        if (notify & (EV_CTS | EV_DSR | EV_RLSD)) {
            unsigned lines = 0;
            if (S->Dev->ModemStatus(lines))
                FModemStatus = lines;
            if (notify & EV_RLSD)
                FRingCount = 0;
        }
        if (ev & EV_ERR) {
            TSerialStatus st;
            S->Dev->Status(st);
        }
        CommNotify(static_cast<std::int32_t>(notify));
    }
}

bool TComm32::SendSome(TSession& S)
{
    for (;;) {
        std::lock_guard g(FTxLock);
        if (S.ChunkPurges != FTxPurges) {
            S.ChunkLen = S.ChunkSent = 0;  // purged: the rest of the chunk never goes out
            S.ChunkPurges = FTxPurges;
        }
        if (S.ChunkSent >= S.ChunkLen) {
            S.ChunkLen = FOutQueue->Out(S.Chunk, sizeof S.Chunk);
            S.ChunkSent = 0;
            if (S.ChunkLen == 0)
                return false;
        }
        int w = S.Dev->WriteSome(S.Chunk + S.ChunkSent, S.ChunkLen - S.ChunkSent);
        if (w <= 0)
            return true;  // the driver is full (or failed): the rest goes at the next try
        S.ChunkSent += w;
    }
}

void TComm32::_WriteThread(std::shared_ptr<TSession> S)
{
    tWorkerOf = this;
    bool pending = false;
    while (S->TxRun) {
        // Bytes in hand wait until the driver takes more (Close ends that wait); else a write is awaited.
        if (pending && !S->Dev->WaitOutput(-1)) {
            // The line hung up: try again only now and then.
            std::unique_lock g(S->M);
            S->Cv.wait_for(g, ClockWaitDuration(100), [&] { return !S->TxRun.load(); });
        }
        {
            std::unique_lock g(S->M);
            if (!pending)
                S->Cv.wait(g, [&] { return !S->TxRun || S->WriteRequest; });
            S->WriteRequest = false;
        }
        if (!S->TxRun)
            break;
        bool sent = false;
        {
            std::lock_guard g(FTxLock);
            sent = S->ChunkLen > 0 || FOutQueue->Count() > 0;
        }
        pending = SendSome(*S);
        // The line's driver takes the bytes at once: the queue running empty is the transmit-empty event.
        if (sent && !pending && S->TxRun)
            CommNotify(EV_TXEMPTY);
    }
}

void TComm32::_TimerThread(std::shared_ptr<TSession> S)
{
    tWorkerOf = this;
    while (S->TimerRun) {
        {
            std::unique_lock g(S->M);
            if (S->Cv.wait_for(g, ClockWaitDuration(static_cast<std::uint64_t>(std::max(TimerInterval.load(), 1))),
                               [&] { return !S->TimerRun; }))
                break;
        }
        fmsgCommTimer();
    }
}

void TComm32::fmsgCommTimer()
{
    unsigned lines = 0;
    if (!Handle || !Handle->ModemStatus(lines))
        return;  // lines unknown: nothing to report this tick
    std::uint32_t old = FModemStatus;
    if ((lines ^ old) & MS_RLSD_ON) {
        FModemStatus = (old & ~MS_RLSD_ON) | (lines & MS_RLSD_ON);
        const std::shared_ptr<TSession> s = Session();
        CommNotify(EV_RLSD);
        if (s && !s->TimerRun)
            return;  // closed by the handler: the engine may be gone
    }
    if (FRingCount < RingRest) {
        ++FRingCount;
        return;
    }
    if (!(FModemStatus & MS_RLSD_ON) && (lines & MS_RING_ON)) {
        FRingCount = 0;
        CommNotify(EV_RING);
    }
}

} // namespace CorlanComm32
