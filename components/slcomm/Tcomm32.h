#pragma once
// The port and modem engine of the second serial library: one port, a queue of
// received bytes and one of bytes to send, and three worker threads while the
// port is open (receive, transmit, modem-line timer). Everything it sees is
// reported through OnCommNotify with the communication-event bits.
//
// On this system the port is a device of platform/serial ("\\.\COMN" is port
// N). Driver queue sizes are accepted and ignored; line settings the device
// cannot take (one and a half stop bits with more than five data bits, a baud
// rate of zero or below) make Open fail with "Cannot set COM port parameters".
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/core/Component.h"
#include "platform/core/Exceptions.h"

class TSerialDevice;
class TStringList;

namespace CorlanComm32 {

class EComm32Error : public Exception {
public:
    enum TErrorCode : std::uint8_t {
        ecOutOfMemory = 1, ecReadBuffer, ecWriteBuffer, ecOpenPort, ecSetMask, ecSetBufferSize,
        ecGetState, ecSetState, ecReadEvent, ecWriteEvent, ecReadThread, ecWriteThread,
        ecCloseReadThread, ecCloseWriteThread,
    };
    explicit EComm32Error(TErrorCode Code);
    const char* ClassName() const override { return "EComm32Error"; }
    TErrorCode ErrorCode;
};

// A ring of bytes for one producer thread and one consumer thread: In moves
// only WritePos and Out only ReadPos, each after its bytes are copied.
class TCommQueue {
public:
    explicit TCommQueue(std::int32_t Size);
    virtual ~TCommQueue();
    TCommQueue(const TCommQueue&) = delete;
    TCommQueue& operator=(const TCommQueue&) = delete;

    std::int32_t BufSize() const { return FBufSize; }
    // Empties the queue; must not run while another thread transfers.
    void SetBufSize(std::int32_t Size) { fSetBufSize(Size); }
    void fSetBufSize(std::int32_t Size);

    std::int32_t In(const std::uint8_t* Byte);
    std::int32_t In(const void* Data, std::int32_t Length);
    std::int32_t Out(std::uint8_t* Byte);
    std::int32_t Out(void* Data, std::int32_t Length);
    // Consumer side: drops up to Length of the oldest bytes; returns how many.
    std::int32_t Skip(std::int32_t Length);
    std::int32_t Count() const;
    std::int32_t Room() const;
    bool HasStorage() const { return FBuffer != nullptr; }
    std::int32_t ReadPos() const { return FReadPos.load(); }
    std::int32_t WritePos() const { return FWritePos.load(); }

private:
    std::int32_t FBufSize;
    std::atomic<std::int32_t> FReadPos{0};
    std::atomic<std::int32_t> FWritePos{0};
    std::uint8_t* FBuffer = nullptr;
};

// The serial ports of this system as "COM1", "COM2", ... in ascending order.
class TCommSerialPortInfo {
public:
    TCommSerialPortInfo();
    virtual ~TCommSerialPortInfo();
    void Refresh();
    void ListFromSystem();
    static int PortNo(const AnsiString& Name);
    static AnsiString PortName(int No);
    static int PortListSortCompare(TStringList* List, int I, int J);

    std::unique_ptr<TStringList> Ports;
    bool FromSystem = false;
};

// The line settings handed to the device on open (the other system's device control block).
struct TDCB {
    static constexpr std::uint8_t DTR_CONTROL_DISABLE = 0, DTR_CONTROL_ENABLE = 1, DTR_CONTROL_HANDSHAKE = 2;
    static constexpr std::uint8_t RTS_CONTROL_DISABLE = 0, RTS_CONTROL_ENABLE = 1, RTS_CONTROL_HANDSHAKE = 2;
    std::uint32_t DCBlength = 28;
    std::int32_t BaudRate = 115200;
    bool fBinary = true;
    bool fParity = false;
    bool fOutxCtsFlow = false;
    bool fOutxDsrFlow = false;
    std::uint8_t fDtrControl = DTR_CONTROL_ENABLE;
    bool fDsrSensitivity = false;
    bool fTXContinueOnXoff = false;
    bool fOutX = false;
    bool fInX = false;
    bool fErrorChar = false;
    bool fNull = false;
    std::uint8_t fRtsControl = RTS_CONTROL_ENABLE;
    bool fAbortOnError = false;
    std::uint16_t XonLim = 2048;
    std::uint16_t XoffLim = 512;
    std::uint8_t ByteSize = 8;
    std::uint8_t Parity = 0;    // 0 none, 1 odd, 2 even, 3 mark, 4 space
    std::uint8_t StopBits = 0;  // 0 one, 1 one and a half, 2 two
    char XonChar = 0x11;
    char XoffChar = 0x13;
    char ErrorChar = 0;
    char EofChar = 0;
    char EvtChar = 0;
};

extern const char* const Fmt_COMn;        // "\\.\COM%d"
extern const char* const Fmt_InitModem;   // "ATE0&K%dS0=%d\r"
extern const char* const Str_ResetModem;  // "ATZ\r"

using TCommNotifyEvent = std::function<void(TObject* Sender, std::int32_t NotifyType)>;

class TComm32 : public TObject {
public:
    enum TFlowControl : std::uint8_t { fcNone = 0, fcRtsCts = 3, fcXonXoff = 4, fcTranXonXoff = 5, fcRtsCtsXonXoff = 6 };

    TComm32();
    ~TComm32() override;

    virtual std::int32_t Read(void* Buffer, std::int32_t Size);
    virtual std::int32_t Write(const void* Buffer, std::int32_t Size);
    virtual std::int32_t Command(const char* Text);
    virtual void PurgeRead(bool Abort);
    virtual void PurgeWrite(bool Abort);
    virtual void ResetModem();
    virtual void InitModem();
    virtual void Open();
    // Wakes the worker threads and joins them, however long a callback they
    // are in takes: once Close returns no worker uses the engine. A worker
    // that calls Close from its own callback is not waited for; it ends
    // without touching the engine when its callback returns (so the callback
    // may free the engine).
    virtual void Close();
    virtual void CommNotify(std::int32_t NotifyType);
    virtual void CommAfterOpen();
    virtual void CommBeforeClose();
    virtual void fmsgCommTimer();

    TFlowControl fGetFCtrl() const;
    void fSetFCtrl(TFlowControl Value);

    void SetPortNo(std::int32_t No);
    // Resize a queue; while the port is open the worker on the other end is
    // held off for the time. EComm32Error 1 when memory runs out.
    void SetInQueueSize(std::int32_t Size);
    void SetOutQueueSize(std::int32_t Size);

    bool Active() const { return FActive.load(); }
    std::uint32_t ModemStatus() const { return FModemStatus.load(); }
    TCommQueue* InQueue() const { return FInQueue.get(); }
    TCommQueue* OutQueue() const { return FOutQueue.get(); }

    // The device while open: the engine's own, or the owner's with ExternalHandle.
    TSerialDevice* Handle = nullptr;
    TDCB DCB;
    bool ExternalHandle = false;
    std::atomic<bool> DisableWrite{false};
    std::int32_t PortNo = 2;
    char DeviceName[32] = {};
    std::int32_t HwInSize = 1200;
    std::int32_t HwOutSize = 1200;
    std::uint8_t AutoAnswer = 0;
    TCommNotifyEvent OnCommNotify;
    TNotifyEvent AfterOpen;
    TNotifyEvent BeforeClose;
    std::atomic<std::int32_t> TimerInterval{200};  // read by the timer thread
    std::uint32_t RingRest = 15;

private:
    struct TSession;
    void _ReadThread(std::shared_ptr<TSession> S);
    void _WriteThread(std::shared_ptr<TSession> S);
    void _TimerThread(std::shared_ptr<TSession> S);
    std::shared_ptr<TSession> Session() const { return FSession.load(); }
    bool DrainDevice(TSession& S);
    bool SendSome(TSession& S);
    void ReadModemLines();

    std::atomic<bool> FActive{false};
    std::atomic<std::uint32_t> FModemStatus{0};
    std::atomic<std::uint32_t> FRingCount{0};
    std::unique_ptr<TCommQueue> FInQueue;
    std::unique_ptr<TCommQueue> FOutQueue;
    std::unique_ptr<TSerialDevice> FOwnDevice;
    // Replaced by the owner on open and close, read by the packet layer's thread too.
    std::atomic<std::shared_ptr<TSession>> FSession;
    // One Close at a time; a worker's Close gives way to one already joining it.
    std::recursive_mutex FCloseLock;
    // The receive thread puts bytes in and the owner purges under FRxLock; the
    // transmit thread takes bytes out and the owner purges under FTxLock.
    std::mutex FRxLock;
    std::mutex FTxLock;
    std::uint64_t FTxPurges = 0;  // guarded by FTxLock
    std::uint64_t FRxPurges = 0;  // guarded by FRxLock
};

} // namespace CorlanComm32
