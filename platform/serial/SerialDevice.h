#pragma once
// A serial device opened by port number: line settings, modem lines, queues,
// non-blocking reads, writes with a time-out and a wait for line events that
// another thread can wake. Port N ("COMN") is <prefix>/dosdevices/comN when
// that link exists, else /dev/ttyS<N-1>. Every device is opened exclusively.
//
// Failures return false (or -1) and leave the error code (an errno value) in
// LastError(); SerialErrorText gives its text.
//
// Devices without modem lines (pseudo-terminals) report DSR high while open and
// take DTR/RTS requests as done. A hang-up (the device vanished, the far side
// closed) reads as DSR low and is reported by every wait from then on.
#include <memory>

#include "platform/core/Types.h"
#include "platform/serial/SerialPorts.h"

// Modem lines (GetCommModemStatus bits).
constexpr unsigned MS_CTS_ON = 0x0010;
constexpr unsigned MS_DSR_ON = 0x0020;
constexpr unsigned MS_RING_ON = 0x0040;
constexpr unsigned MS_RLSD_ON = 0x0080;

// Events a wait reports (WaitCommEvent bits), plus the hang-up of the line.
constexpr unsigned EV_RXCHAR = 0x0001;   // bytes arrived since the last report
constexpr unsigned EV_RXFLAG = 0x0002;   // never reported here
constexpr unsigned EV_TXEMPTY = 0x0004;  // never reported here
constexpr unsigned EV_CTS = 0x0008;
constexpr unsigned EV_DSR = 0x0010;
constexpr unsigned EV_RLSD = 0x0020;
constexpr unsigned EV_BREAK = 0x0040;
constexpr unsigned EV_ERR = 0x0080;
constexpr unsigned EV_RING = 0x0100;
constexpr unsigned EV_PERR = 0x0200;
constexpr unsigned EV_RX80FULL = 0x0400;
constexpr unsigned EV_EVENT1 = 0x0800;
constexpr unsigned EV_EVENT2 = 0x1000;
constexpr unsigned EV_HANGUP = 0x10000;  // not a Win32 bit: the line hung up

// Line error bits (ClearCommError).
constexpr unsigned CE_RXOVER = 0x0001;
constexpr unsigned CE_OVERRUN = 0x0002;
constexpr unsigned CE_RXPARITY = 0x0004;
constexpr unsigned CE_FRAME = 0x0008;
constexpr unsigned CE_BREAK = 0x0010;

// Hold flags of the status (COMSTAT flag word).
constexpr unsigned HOLD_CTS = 0x01;
constexpr unsigned HOLD_DSR = 0x02;
constexpr unsigned HOLD_RLSD = 0x04;
constexpr unsigned HOLD_XOFF = 0x08;
constexpr unsigned HOLD_XOFF_SENT = 0x10;

enum class TSerialParity { None, Odd, Even, Mark, Space };
enum class TSerialStopBits { One, OneHalf, Two };

struct TSerialLine {
    int BaudRate = 9600;            // any positive rate; others than the standard ones where the driver allows
    int DataBits = 8;               // 5 to 8
    TSerialParity Parity = TSerialParity::None;
    TSerialStopBits StopBits = TSerialStopBits::One;  // one and a half only with 5 data bits
    bool RtsCts = false;            // hardware handshake (Linux ties both directions together)
    bool XonXoffOut = false;        // a received XOFF stops sending
    bool XonXoffIn = false;         // XOFF/XON are sent as the input queue fills and empties
    char XonChar = 17;
    char XoffChar = 19;
    bool ParityCheck = false;       // received bytes with a wrong parity are errors
    friend bool operator==(const TSerialLine&, const TSerialLine&) = default;
};

struct TSerialStatus {
    unsigned Errors = 0;  // CE_ bits since the last status query
    unsigned Holds = 0;   // HOLD_ bits
    int InQueue = 0;      // bytes waiting to be read
    int OutQueue = 0;     // bytes not yet sent
};

class TSerialDevice {
public:
    TSerialDevice() = default;
    TSerialDevice(const TSerialDevice&) = delete;
    TSerialDevice& operator=(const TSerialDevice&) = delete;
    virtual ~TSerialDevice() = default;

    // Raw line: no echo, no CR/LF translation, no signals. EINVAL for a setting
    // the device cannot take.
    virtual bool SetLine(const TSerialLine& Line) = 0;
    virtual bool GetLine(TSerialLine& Line) = 0;

    virtual bool SetDtr(bool On) = 0;
    virtual bool SetRts(bool On) = 0;
    virtual bool SetBreak(bool On) = 0;
    // Sending held as if an XOFF had arrived (true), or released (false).
    virtual bool SetXoffHold(bool Held) = 0;
    // MS_ bits.
    virtual bool ModemStatus(unsigned& Lines) = 0;
    // Also clears the error bits it reports.
    virtual bool Status(TSerialStatus& Status) = 0;
    virtual bool Purge(bool Input, bool Output) = 0;

    // Up to Count of the bytes that have arrived, without waiting; 0 when none; -1 on failure.
    virtual int Read(void* Buffer, int Count) = 0;
    // Count when every byte was taken by the driver within TimeoutMs (negative: no limit).
    // 0 when the time ran out: the unsent rest is dropped, never sent later (LastError ETIMEDOUT).
    // -1 on failure.
    virtual int Write(const void* Data, int Count, int TimeoutMs) = 0;
    // As many bytes as the driver takes at once, without waiting (0 when it is full); -1 on failure.
    virtual int WriteSome(const void* Data, int Count) = 0;
    // Ends the Write another thread waits in for room (it returns 0, LastError
    // ECANCELED), and every later wait for room: the device is about to close.
    virtual void CancelWrites() = 0;

    // True when bytes wait to be read within TimeoutMs (negative: no limit);
    // false when none came or the line hung up. Leaves EV_RXCHAR to WaitEvents.
    virtual bool WaitInput(int TimeoutMs) = 0;
    // True when the driver takes more bytes within TimeoutMs (negative: no
    // limit), or when WakeOutput ended the wait; false when the time ran out
    // (LastError ETIMEDOUT), writes were cancelled (ECANCELED) or the line hung
    // up (EIO). A writer waits here for room instead of trying again and again.
    virtual bool WaitOutput(int TimeoutMs) = 0;
    // Ends a WaitOutput of another thread (or the next one, when none is waiting).
    virtual void WakeOutput() = 0;

    // Waits until one of the events in Mask happens (or the line hangs up), Wake
    // is called, or TimeoutMs passes (negative: no limit). Events gets what
    // happened; 0 when woken or timed out. EV_RXCHAR is reported once per
    // arrival, not again for bytes still unread from an earlier report. A modem
    // line that changed and changed back since the last wait is reported too.
    virtual bool WaitEvents(unsigned Mask, unsigned& Events, int TimeoutMs = -1) = 0;
    // Ends a wait of another thread (or the next one, when none is waiting).
    virtual void Wake() = 0;

    int LastError() const { return FLastError; }

protected:
    bool Fail(int Error)
    {
        FLastError = Error;
        return false;
    }
    int FLastError = 0;
};

// Opens port N (an in-memory line registered for N comes first). On failure
// returns null with Error set (ENOENT: no such device; EBUSY: in use).
std::unique_ptr<TSerialDevice> OpenSerialPort(int PortNum, int& Error);
// Opens a device by name: "COMN" (also "\\.\COMN", any case) is port N; a name
// beginning with "/" is a path. Anything else: ENOENT.
std::unique_ptr<TSerialDevice> OpenSerialDevice(const AnsiString& Name, int& Error);
// The settings a device name starts with (9600 Bd, 8 data bits, no parity, one
// stop bit, no flow control) when the device exists; false (Error) otherwise.
bool SerialDefaultLine(const AnsiString& Name, TSerialLine& Line, int& Error);

// The system's text for an error code.
AnsiString SerialErrorText(int Error);

// A pseudo-terminal pair in raw mode: the master as a device (waits report
// EV_HANGUP while no one holds the slave open) and the path of the slave.
struct TPseudoTerminal {
    std::unique_ptr<TSerialDevice> Master;
    AnsiString SlavePath;
};
// Master is null on failure (Error set).
TPseudoTerminal OpenPseudoTerminal(int& Error);
