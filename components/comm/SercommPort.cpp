// TSerCustomComm: open, close, transfers, status, control lines and event delivery.
#include <algorithm>
#include <cerrno>

#include "components/comm/Sercomm.h"
#include "components/comm/Serconst.h"
#include "components/comm/SercommClients.h"
#include "components/comm/SercommThreads.h"
#include "components/comm/Serdisplay.h"
#include "components/comm/Serutils.h"
#include "platform/core/Strings.h"
#include "platform/serial/SerialDevice.h"
#include "platform/serial/SerialPorts.h"

// ---------------------------------------------------------- open and close

AnsiString TSerCustomComm::GetDeviceName() const
{
    size_t at = FDeviceName.find("%d");
    if (at == AnsiString::npos)
        return FDeviceName;
    return FDeviceName.substr(0, at) + std::to_string(FPortNum) + FDeviceName.substr(at + 2);
}

void TSerCustomComm::CreateHandle()
{
    const AnsiString name = GetDeviceName();
    int err = 0;
    auto dev = OpenSerialDevice(name, err);
    if (!dev) {
        FLastError = err;
        // The name goes into the message before Error fills the code; its own '%' stay literal.
        AnsiString escaped;
        for (char c : name) {
            escaped += c;
            if (c == '%')
                escaped += '%';
        }
        auto withName = [&](const AnsiString& Msg) {
            const size_t at = Msg.find("%s");
            return Msg.substr(0, at) + escaped + Msg.substr(at + 2);
        };
        if (err == ENOENT)
            Error(withName(sDeviceNotFound));
        Error(withName(sCantOpen) + sErrorCode);
    }
    FHandle = std::move(dev);
}

void TSerCustomComm::DestroyHandle() { FHandle.reset(); }

void TSerCustomComm::Open()
{
    CheckOpen();
    JoinFinishedThreads();
    CreateHandle();
    if (!Active())
        return;
    try {
        SetDCB();
        UpdateBuffers();
        UpdateTimeouts();
        UpdateEventMask();
        CreateThreads();
    } catch (...) {
        DestroyThreads();
        DestroyHandle();
        throw;
    }
    DoOpen();
}

void TSerCustomComm::Close()
{
    if (!Active())
        return;
    GlobalLock();
    try {
        DestroyThreads();
    } catch (...) {
        GlobalUnlock();
        throw;
    }
    GlobalUnlock();
    // A direct write of another thread may wait for room: end it, and let it
    // leave the device before the device goes.
    FHandle->CancelWrites();
    {
        TSerLockGuard writer(FWriteLock);
        DestroyHandle();
    }
    DoClose();
    SerSleep(300);
}

void TSerCustomComm::DoOpen()
{
    if (!OnOpen)
        return;
    try {
        OnOpen(this);
    } catch (...) {
        SerHandleException(this);
    }
}

void TSerCustomComm::DoClose()
{
    if (OnClose && !ComponentStateHas(csDestroying))
        OnClose(this);
}

void TSerCustomComm::UpdateBuffers()
{
    // The driver's queues have fixed sizes here: there is nothing to set.
}

void TSerCustomComm::UpdateTimeouts()
{
    // Reads never wait and writes carry their own time-out: nothing to set.
}

void TSerCustomComm::UpdateEventMask()
{
    DWORD mask = 0;
    for (int e = ceBreak; e <= ceEvent2; ++e)
        if (FMonitorEvents.Contains(static_cast<TSerCommEvent>(e)))
            mask |= SerEventBits[e];
    if (!FDirectWrite)
        mask &= ~EV_TXEMPTY; // the write thread reports an empty output itself
    FEventMask = mask;
}

void TSerCustomComm::GetProperties()
{
    if (!Active())
        Error(sPortClosed);
}

// ----------------------------------------------------------------- threads

void TSerCustomComm::CreateThreads()
{
    if (FEventMask != 0) {
        FEventThread = std::make_unique<TSerCommEventThread>(this, FHandle.get(), FEventMask);
        FEventThread->SetPriority(FEventPriority);
        FEventThread->Start();
    }
    if (!FDirectWrite) {
        FWriteThread = std::make_unique<TSerCommWriteThread>(this, FHandle.get(), FBuffers->WriteSize());
        FWriteThread->SetPriority(FWritePriority);
        FWriteThread->Start();
    }
}

void TSerCustomComm::DestroyThreads()
{
    // The event thread never waits for its deliveries: it ends even when this
    // runs inside one of them.
    if (FEventThread) {
        FEventThread->StopThread();
        FEventThread->WaitFor();
        FEventThread.reset();
    }
    // The write thread waits for its reports: one whose report is running on
    // this thread right now cannot end before it returns, so it is only told to
    // stop and joined later.
    if (!FWriteThread)
        return;
    FWriteThread->StopThread();
    if (std::find(FDelivering.begin(), FDelivering.end(), FWriteThread.get()) != FDelivering.end()) {
        FEndingWriteThreads.push_back(std::move(FWriteThread));
        return;
    }
    FWriteThread->WaitFor();
    FWriteThread.reset();
}

void TSerCustomComm::JoinFinishedThreads()
{
    for (auto it = FEndingWriteThreads.begin(); it != FEndingWriteThreads.end();) {
        if (std::find(FDelivering.begin(), FDelivering.end(), it->get()) != FDelivering.end()) {
            ++it;
            continue;
        }
        (*it)->WaitFor();
        it = FEndingWriteThreads.erase(it);
    }
    if (ComponentStateHas(csDestroying)) {
        // Destroyed from inside a report: those threads end on their own once
        // it returns; their objects are left to them.
        for (auto& t : FEndingWriteThreads)
            (void)t.release();
    }
}

// -------------------------------------------------------------- delivery

void TSerCustomComm::DoEvent(DWORD EventMask)
{
    try {
        UpdateDisplay();
        if (EventMask & EV_RXCHAR) {
            HandleDataEvent();
            EventMask &= ~EV_RXCHAR;
        }
        if (EventMask)
            HandleLineEvent(EventMask);
    } catch (...) {
        SerHandleException(this);
    }
}

void TSerCustomComm::DoLineEvent(TSerThread* From, DWORD EventMask)
{
    // The write thread's reports get the same guard as the event thread's.
    FDelivering.push_back(From);
    try {
        HandleLineEvent(EventMask);
    } catch (...) {
        SerHandleException(this);
    }
    FDelivering.pop_back();
}

void TSerCustomComm::UpdateDisplay()
{
    if (FDisplay)
        FDisplay->UpdateDisplay(this);
}

void TSerCustomComm::HandleDataEvent()
{
    const int count = ReadBufUsed();
    if (count <= 0)
        return;
    if (!FClients.empty()) {
        std::vector<Byte> block(static_cast<size_t>(count));
        const int n = ReadBuf(block.data(), count);
        WriteBuffer(block.data(), n);
    } else if (OnRxChar) {
        OnRxChar(this, count);
    }
}

void TSerCustomComm::HandleLineEvent(DWORD EventMask)
{
    auto on = [EventMask](DWORD bit) { return (EventMask & bit) > 0; };
    if (on(EV_ERR))
        ClearLineErrors();
    if (!FClients.empty())
        WriteEvents(EventMask);
    const struct {
        DWORD bit;
        TNotifyEvent TSerCustomComm::*handler;
    } order[] = {{EV_RXFLAG, &TSerCustomComm::OnRxFlag},     {EV_CTS, &TSerCustomComm::OnCts},
                 {EV_DSR, &TSerCustomComm::OnDsr},           {EV_RING, &TSerCustomComm::OnRing},
                 {EV_RLSD, &TSerCustomComm::OnRlsd},         {EV_TXEMPTY, &TSerCustomComm::OnTxEmpty},
                 {EV_BREAK, &TSerCustomComm::OnBreak},       {EV_PERR, &TSerCustomComm::OnPErr},
                 {EV_RX80FULL, &TSerCustomComm::OnRx80Full}, {EV_EVENT1, &TSerCustomComm::OnEvent1},
                 {EV_EVENT2, &TSerCustomComm::OnEvent2}};
    for (const auto& e : order)
        if (on(e.bit) && this->*e.handler)
            (this->*e.handler)(this);
}

// --------------------------------------------------------------- transfers

int TSerCustomComm::ReadBuf(void* Buffer, int Count)
{
    if (!Active())
        return 0;
    TSerLockGuard lock(FGlobalLock);
    const int n = FHandle->Read(Buffer, Count);
    if (n < 0) {
        Platform(false);
        Error(sReadError);
    }
    return n;
}

int TSerCustomComm::WriteBuf(const void* Buffer, int Count)
{
    if (FDirectWrite) {
        // Close takes this lock before it lets the device go.
        TSerLockGuard lock(FWriteLock);
        if (!Active())
            return 0;
        const int n = FHandle->Write(Buffer, Count, FBuffers->WriteTimeout());
        if (n < 0) {
            Platform(false);
            Error(sWriteError);
        }
        return n; // 0 when the time ran out or the port closed: the transfer was cancelled
    }
    if (!Active())
        return 0;
    if (!FWriteThread || !FWriteThread->WriteData(Buffer, Count, FBuffers->WriteTimeout()))
        Error(sOutputFull);
    return Count;
}

bool TSerCustomComm::WriteText(const AnsiString& Text)
{
    return WriteBuf(Text.data(), static_cast<int>(Text.size())) == static_cast<int>(Text.size());
}

bool TSerCustomComm::WriteChar(char C) { return WriteBuf(&C, 1) == 1; }

bool TSerCustomComm::ReadChar(char& C) { return ReadBuf(&C, 1) == 1; }

AnsiString TSerCustomComm::ReadText()
{
    const int count = ReadBufUsed();
    if (count <= 0)
        return AnsiString();
    AnsiString s(static_cast<size_t>(count), '\0');
    const int n = ReadBuf(s.data(), count);
    s.resize(static_cast<size_t>(n > 0 ? n : 0));
    return s;
}

// ------------------------------------------------------------------ status

TSerCommStatus TSerCustomComm::GetCommStatus()
{
    TSerLockGuard lock(FGlobalLock);
    TSerCommStatus st;
    if (Active()) {
        TSerialStatus s;
        Watch(Platform(FHandle->Status(s)), sStatistics);
        st.Errors = s.Errors;
        st.Flags = s.Holds;
        st.cbInQue = static_cast<DWORD>(s.InQueue);
        st.cbOutQue = static_cast<DWORD>(s.OutQueue);
    }
    return st;
}

int TSerCustomComm::ReadBufUsed()
{
    if (!Active())
        return 0;
    return static_cast<int>(GetCommStatus().cbInQue);
}

int TSerCustomComm::ReadBufFree()
{
    if (!Active())
        return 0;
    return FBuffers->ReadSize() - static_cast<int>(GetCommStatus().cbInQue);
}

int TSerCustomComm::WriteBufUsed()
{
    if (!Active())
        return 0;
    if (FDirectWrite)
        return static_cast<int>(GetCommStatus().cbOutQue);
    TSerLockGuard lock(FWriteLock);
    return FWriteThread ? FWriteThread->BufferCount() : 0;
}

int TSerCustomComm::WriteBufFree()
{
    if (!Active())
        return 0;
    if (FDirectWrite)
        return FBuffers->WriteSize() - static_cast<int>(GetCommStatus().cbOutQue);
    TSerLockGuard lock(FWriteLock);
    return FWriteThread ? FWriteThread->BufferCapacity() - FWriteThread->BufferCount() : 0;
}

bool TSerCustomComm::GetComStat(int Index)
{
    if (Index < 1 || Index > 8)
        return false;
    return (GetCommStatus().Flags & (1u << (Index - 1))) != 0;
}

bool TSerCustomComm::GetModemStatus(int Index)
{
    if (!Active() || Index < 1 || Index > 4)
        return false;
    unsigned lines = 0;
    Watch(Platform(FHandle->ModemStatus(lines)), sModemState);
    return (lines & (MS_CTS_ON << (Index - 1))) != 0;
}

bool TSerCustomComm::ClearLineErrors()
{
    const DWORD errors = GetCommStatus().Errors;
    if (errors == 0)
        return false;
    if (OnError) {
        try {
            OnError(this, static_cast<int>(errors));
        } catch (...) {
            SerHandleException(this);
        }
    }
    return true;
}

// -------------------------------------------------- control lines and queues

void TSerCustomComm::ToggleCommState(int Function)
{
    if (!Active())
        return;
    bool ok = true;
    switch (Function) {
    case SETXOFF: ok = FHandle->SetXoffHold(true); break;
    case SETXON: ok = FHandle->SetXoffHold(false); break;
    case SETRTS: ok = FHandle->SetRts(true); break;
    case CLRRTS: ok = FHandle->SetRts(false); break;
    case SETDTR: ok = FHandle->SetDtr(true); break;
    case CLRDTR: ok = FHandle->SetDtr(false); break;
    case RESETDEV: break; // printer reset: nothing on a serial line
    case SETBREAK: ok = FHandle->SetBreak(true); break;
    case CLRBREAK: ok = FHandle->SetBreak(false); break;
    default:
        FLastError = EINVAL;
        Error(sCommFunction);
    }
    Watch(Platform(ok), sCommFunction);
}

void TSerCustomComm::SetDTR(bool State)
{
    if (FFlowControl->ControlDtr() == dtrHandshake)
        throw ESerCommError(sDtrHandshake);
    ToggleCommState(State ? SETDTR : CLRDTR);
}

void TSerCustomComm::SetRTS(bool State)
{
    if (FFlowControl->ControlRts() == rtsHandshake || FFlowControl->ControlRts() == rtsToggle)
        throw ESerCommError(sRtsHandshake);
    ToggleCommState(State ? SETRTS : CLRRTS);
}

void TSerCustomComm::SetBreak(bool State) { ToggleCommState(State ? SETBREAK : CLRBREAK); }
void TSerCustomComm::SetXon(bool State) { ToggleCommState(State ? SETXON : SETXOFF); }
void TSerCustomComm::ResetDev() { ToggleCommState(RESETDEV); }

void TSerCustomComm::PurgeBuffers(DWORD Flags)
{
    if (!Active())
        return;
    TSerLockGuard lock(FGlobalLock);
    if (Flags != (PURGE_RXABORT | PURGE_RXCLEAR) && FWriteThread)
        FWriteThread->PurgeWrite();
    const bool input = (Flags & (PURGE_RXABORT | PURGE_RXCLEAR)) != 0;
    const bool output = (Flags & (PURGE_TXABORT | PURGE_TXCLEAR)) != 0;
    Watch(Platform(FHandle->Purge(input, output)), sClearBuffers);
}

void TSerCustomComm::PurgeRead() { PurgeBuffers(PURGE_RXABORT | PURGE_RXCLEAR); }
void TSerCustomComm::PurgeWrite() { PurgeBuffers(PURGE_TXABORT | PURGE_TXCLEAR); }
void TSerCustomComm::PurgeReadWrite()
{
    PurgeBuffers(PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
}

// --------------------------------------------------------------- port list

void TSerCustomComm::GetComPortNames(TStrings* List)
{
    List->Clear();
    for (int n : SerialPortNumbers())
        List->Add(SerialPortName(n));
}
