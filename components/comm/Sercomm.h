#pragma once
// The serial port component: opens a port by number with its line settings,
// reads and writes, watches the port on an event thread and delivers its
// events on the user-interface thread.
#include <memory>
#include <thread>
#include <vector>

#include "components/comm/Serclasses.h"
#include "components/comm/Serobjects.h"
#include "components/comm/Serprst.h"
#include "components/comm/Sertypes.h"

class TSerialDevice;
class TSerCommEventThread;
class TSerThread;
class TSerCommWriteThread;
class TSerDispatcher;
class TSerDisplay;
class TStrings;

// The status record: line error bits, then the COMSTAT flag word and queue counts.
struct TSerCommStatus {
    DWORD Errors = 0;
    DWORD Flags = 0;    // bit 0 CTS hold, 1 DSR hold, 2 RLSD hold, 3 XOFF hold, 4 XOFF sent, 5 EOF, 6 TXIM
    DWORD cbInQue = 0;
    DWORD cbOutQue = 0;
};

class TSerCustomComm : public TSerComponent {
public:
    explicit TSerCustomComm(TComponent* AOwner);
    ~TSerCustomComm() override;

    // --- state, open and close
    bool Active() const { return FHandle != nullptr; }
    void Open();
    void Close();
    AnsiString GetDeviceName() const;

    // --- transfers
    int ReadBuf(void* Buffer, int Count);
    int WriteBuf(const void* Buffer, int Count);
    bool WriteText(const AnsiString& Text);
    bool WriteChar(char C);
    bool ReadChar(char& C);
    AnsiString ReadText();

    // --- status
    TSerCommStatus GetCommStatus();
    int ReadBufUsed();
    int ReadBufFree();
    int WriteBufUsed();
    int WriteBufFree();
    bool GetComStat(int Index);
    bool GetModemStatus(int Index);
    bool ClearLineErrors();

    // --- control lines and queues
    void ToggleCommState(int Function);
    void SetDTR(bool State);
    void SetRTS(bool State);
    void SetBreak(bool State);
    void SetXon(bool State);
    void ResetDev();
    void PurgeBuffers(DWORD Flags);
    void PurgeRead();
    void PurgeWrite();
    void PurgeReadWrite();

    // Serial ports the system knows, in its own order.
    void GetComPortNames(TStrings* List);

    // --- line settings
    void SetDCB();
    void ReadDCB(const TDCB& DCB);
    void ResetPortParameters();
    // The device control block SetDCB writes for the current settings.
    TDCB BuildDCB() const;

    // --- clients
    void InsertClient(TSerDispatcher* Dispatcher);
    void RemoveClient(TSerDispatcher* Dispatcher);
    void DestroyClients();
    void EnableControls() { FControlsEnabled = true; }
    void DisableControls() { FControlsEnabled = false; }
    bool ControlsEnabled() const { return FControlsEnabled; }
    int ClientCount() const { return static_cast<int>(FClients.size()); }
    TSerDispatcher* Clients(int Index) const { return FClients.at(static_cast<size_t>(Index)); }
    bool WaitChar(int Ms);
    bool ReadCharWait(char& C, int Ms);

    void UpdateDisplay();

    // --- properties
    bool AutoOpen() const { return FAutoOpen; }
    void SetAutoOpen(bool v) { FAutoOpen = v; }
    TSerBaudrate Baudrate() const { return FBaudrate; }
    void SetBaudrate(TSerBaudrate v);
    TSerParity Parity() const { return FParity; }
    void SetParity(TSerParity v);
    TSerDatabits Databits() const { return FDatabits; }
    void SetDatabits(TSerDatabits v);
    TSerStopbits Stopbits() const { return FStopbits; }
    void SetStopbits(TSerStopbits v);
    TSerEventChars* EventChars() const { return FEventChars.get(); }
    void SetEventChars(TSerEventChars* v) { FEventChars->Assign(v); }
    TSerFlowControl* FlowControl() const { return FFlowControl.get(); }
    void SetFlowControl(TSerFlowControl* v) { FFlowControl->Assign(v); }
    TSerCommOptions Options() const { return FOptions; }
    void SetOptions(TSerCommOptions v);
    TSerPortInt PortNum() const { return FPortNum; }
    void SetPortNum(TSerPortInt v);
    const AnsiString& DeviceName() const { return FDeviceName; }
    void SetDeviceName(const AnsiString& v);
    TSerCommEvents MonitorEvents() const { return FMonitorEvents; }
    void SetMonitorEvents(TSerCommEvents v);
    TSerBuffers* Buffers() const { return FBuffers.get(); }
    void SetBuffers(TSerBuffers* v);
    TThreadPriority EventPriority() const { return FEventPriority; }
    void SetEventPriority(TThreadPriority v);
    TThreadPriority WritePriority() const { return FWritePriority; }
    void SetWritePriority(TThreadPriority v);
    bool DirectWrite() const { return FDirectWrite; }
    void SetDirectWrite(bool v);
    bool UpdateDCB() const { return FUpdateDCB; }
    void SetUpdateDCB(bool v);
    int UserBaudrate() const { return FUserBaudrate; }
    void SetUserBaudrate(int v);
    TSerDisplay* Display() const { return FDisplay; }
    void SetDisplay(TSerDisplay* v);
    AnsiString Version() const { return GetVersion(); }
    void SetVersion(const AnsiString&) {}
    static DWORD GetVersionNr();
    static AnsiString GetVersion();

    // The platform event bits the component waits for (valid while open).
    DWORD EventMask() const { return FEventMask; }
    // The running threads, for their priorities; null when there is none.
    TSerCommEventThread* EventThread() const { return FEventThread.get(); }
    TSerCommWriteThread* WriteThread() const { return FWriteThread.get(); }

    TNotifyEvent OnOpen;
    TNotifyEvent OnClose;
    TNotifyEvent OnCts;
    TNotifyEvent OnDsr;
    TNotifyEvent OnRlsd;
    TNotifyEvent OnRing;
    TNotifyEvent OnBreak;
    TSerCommErrorEvent OnError;
    TSerCommRxCharEvent OnRxChar;
    TSerCommRxBufEvent OnRxBuf;
    TNotifyEvent OnRxFlag;
    TNotifyEvent OnTxEmpty;
    TNotifyEvent OnPErr;
    TNotifyEvent OnRx80Full;
    TNotifyEvent OnEvent1;
    TNotifyEvent OnEvent2;

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    virtual void CreateHandle();
    virtual void CreateThreads();
    virtual void HandleDataEvent();
    virtual void HandleLineEvent(DWORD EventMask);
    virtual void WriteEvents(DWORD EventMask);
    virtual void WriteBuffer(PSerData Data, int Count);

    void DestroyHandle();
    void DestroyThreads();
    void DoOpen();
    void DoClose();
    void UpdateBuffers();
    void UpdateTimeouts();
    void UpdateEventMask();
    void GetProperties();

    // Raises ESerCommError with Msg, its "%d" and "%s" filled with the last platform error.
    [[noreturn]] void Error(const AnsiString& Msg);
    void Watch(bool Condition, const AnsiString& Msg);
    void CheckOpen();

    void WriteLock() { FWriteLock.Acquire(); }
    void WriteUnlock() { FWriteLock.Release(); }
    void GlobalLock() { FGlobalLock.Acquire(); }
    void GlobalUnlock() { FGlobalLock.Release(); }

    // The open device; null while closed.
    TSerialDevice* Device() const { return FHandle.get(); }

private:
    friend class TSerCommEventThread;
    friend class TSerCommWriteThread;

    void BuffersChanged(TObject* Sender);
    void EventCharsChanged(TObject* Sender);
    void FlowControlChanged(TObject* Sender);
    // Remembers the device's error code for Error; returns Ok.
    bool Platform(bool Ok);
    // Runs on the window's thread for each delivery the event thread posted. The
    // event thread does not wait for it, so it can be stopped and joined from here.
    void DoEvent(DWORD EventMask);
    // Runs on the window's thread for the write thread's reports.
    void DoLineEvent(TSerThread* From, DWORD EventMask);
    void JoinFinishedThreads();

    std::unique_ptr<TSerialDevice> FHandle;
    TSerCriticalSection FWriteLock;
    TSerCriticalSection FGlobalLock;
    std::unique_ptr<TSerCommEventThread> FEventThread;
    std::unique_ptr<TSerCommWriteThread> FWriteThread;
    // Write threads told to stop from inside their own report: they end once it
    // returns and are joined later.
    std::vector<std::unique_ptr<TSerCommWriteThread>> FEndingWriteThreads;
    DWORD FEventMask = 0;
    int FLastError = 0;
    std::vector<TSerThread*> FDelivering; // write threads whose report runs on the window's thread now

    bool FAutoOpen = false;
    TSerPortInt FPortNum = 0;
    AnsiString FDeviceName = "COM%d";
    TSerCommEvents FMonitorEvents{ceError, ceRxChar, ceTxEmpty};
    std::unique_ptr<TSerBuffers> FBuffers;
    TThreadPriority FEventPriority = tpNormal;
    TThreadPriority FWritePriority = tpHighest;
    bool FDirectWrite = false;
    bool FControlsEnabled = true;
    std::vector<TSerDispatcher*> FClients;

    TSerBaudrate FBaudrate = br1200;
    TSerParity FParity = paNone;
    TSerDatabits FDatabits = db8;
    TSerStopbits FStopbits = sb1;
    TSerCommOptions FOptions;
    std::unique_ptr<TSerFlowControl> FFlowControl;
    std::unique_ptr<TSerEventChars> FEventChars;
    bool FUpdateDCB = true;
    int FUserBaudrate = 0;
    TSerDisplay* FDisplay = nullptr;
};

// Publishes the properties; no operations of its own.
class TSerComm : public TSerCustomComm {
public:
    using TSerCustomComm::TSerCustomComm;
    AnsiString ClassName() const override { return "TSerComm"; }
};
