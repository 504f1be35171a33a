#pragma once
// Types of the serial port component: its settings enumerations, the event
// set, the device control block it writes, and its error class.
#include <cstdint>
#include <functional>
#include <initializer_list>

#include "platform/core/Events.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Threads.h"
#include "platform/core/Types.h"

ZV_EXCEPTION_CLASS(ESerCommError, Exception)

enum TSerBaudrate {
    brUser, br110, br300, br600, br1200, br2400, br4800, br9600, br14400, br19200, br38400, br56000,
    br57600, br115200, br128000, br256000
};
enum TSerParity { paNone, paOdd, paEven, paMark, paSpace };
enum TSerDatabits { db4, db5, db6, db7, db8 };
enum TSerStopbits { sb1, sb15, sb2 };
enum TSerCommOption { coErrorChar, coNullStrip, coParityCheck };
enum TSerControlDtr { dtrDisabled, dtrEnabled, dtrHandshake };
enum TSerControlRts { rtsDisabled, rtsEnabled, rtsHandshake, rtsToggle };
enum TSerCommEvent {
    ceBreak, ceCts, ceDsr, ceError, ceRing, ceRlsd, ceRxChar, ceRxFlag, ceTxEmpty, cePErr, ceRx80Full,
    ceEvent1, ceEvent2
};

// A set of a small enumeration, as the class library's sets.
template <typename E>
class TSerSet {
public:
    constexpr TSerSet() = default;
    constexpr TSerSet(std::initializer_list<E> Members)
    {
        for (E m : Members)
            FBits |= Bit(m);
    }
    constexpr bool Contains(E m) const { return (FBits & Bit(m)) != 0; }
    constexpr bool Empty() const { return FBits == 0; }
    constexpr TSerSet& operator+=(E m)
    {
        FBits |= Bit(m);
        return *this;
    }
    constexpr TSerSet& operator-=(E m)
    {
        FBits &= ~Bit(m);
        return *this;
    }
    constexpr std::uint32_t Bits() const { return FBits; }
    friend constexpr bool operator==(const TSerSet&, const TSerSet&) = default;

private:
    static constexpr std::uint32_t Bit(E m) { return 1u << static_cast<unsigned>(m); }
    std::uint32_t FBits = 0;
};

using TSerCommOptions = TSerSet<TSerCommOption>;
using TSerCommEvents = TSerSet<TSerCommEvent>;

using TSerPortInt = std::int32_t;
using TSerIntW = std::int32_t;

// Received bytes handed to OnRxBuf and the clients: up to 32768 bytes.
using PSerData = const Byte*;

using TSerCommErrorEvent = std::function<void(TObject* Sender, int Errors)>;
using TSerCommRxCharEvent = std::function<void(TObject* Sender, int Count)>;
using TSerCommRxBufEvent = std::function<void(TObject* Sender, PSerData Data, int Count)>;

// The device control block the component writes (the Win32 DCB record).
struct TDCB {
    DWORD DCBlength = 28;
    DWORD BaudRate = 0;
    DWORD Flags = 0;
    Word wReserved = 0;
    Word XonLim = 0;
    Word XoffLim = 0;
    Byte ByteSize = 0;
    Byte Parity = 0;
    Byte StopBits = 0;
    char XonChar = 0;
    char XoffChar = 0;
    char ErrorChar = 0;
    char EofChar = 0;
    char EvtChar = 0;
    Word wReserved1 = 0;
    friend bool operator==(const TDCB&, const TDCB&) = default;
};

// Flag bits of TDCB::Flags.
constexpr DWORD fBinary = 0x0001;
constexpr DWORD fParity = 0x0002;
constexpr DWORD fOutxCtsFlow = 0x0004;
constexpr DWORD fOutxDsrFlow = 0x0008;
constexpr DWORD fDtrControlMask = 0x0030;
constexpr int fDtrControlShift = 4;
constexpr DWORD fDsrSensitivity = 0x0040;
constexpr DWORD fTXContinueOnXoff = 0x0080;
constexpr DWORD fOutX = 0x0100;
constexpr DWORD fInX = 0x0200;
constexpr DWORD fErrorChar = 0x0400;
constexpr DWORD fNull = 0x0800;
constexpr DWORD fRtsControlMask = 0x3000;
constexpr int fRtsControlShift = 12;
constexpr DWORD fAbortOnError = 0x4000;

// EscapeCommFunction codes and PurgeComm flags.
constexpr int SETXOFF = 1;
constexpr int SETXON = 2;
constexpr int SETRTS = 3;
constexpr int CLRRTS = 4;
constexpr int SETDTR = 5;
constexpr int CLRDTR = 6;
constexpr int RESETDEV = 7;
constexpr int SETBREAK = 8;
constexpr int CLRBREAK = 9;

constexpr DWORD PURGE_TXABORT = 0x01;
constexpr DWORD PURGE_RXABORT = 0x02;
constexpr DWORD PURGE_TXCLEAR = 0x04;
constexpr DWORD PURGE_RXCLEAR = 0x08;
