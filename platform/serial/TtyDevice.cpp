#include "platform/serial/TtyDevice.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <linux/serial.h>
#include <poll.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include "platform/serial/TtyBaud.h"

namespace {

// Modem lines and error counters have no wake-up of their own that a second
// descriptor could interrupt, so a wait that watches them looks this often.
constexpr int kPollSliceMs = 15;

bool NoModemLines(int err) { return err == ENOTTY || err == EINVAL; }

using Clock = std::chrono::steady_clock;

// The classic rate constants; other rates go through termios2.
speed_t StandardSpeed(int Rate)
{
    static const struct {
        int rate;
        speed_t speed;
    } table[] = {{50, B50},       {75, B75},         {110, B110},       {134, B134},       {150, B150},
                 {200, B200},     {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
                 {2400, B2400},   {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
                 {57600, B57600}, {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600}};
    for (const auto& e : table)
        if (e.rate == Rate)
            return e.speed;
    return B0;
}

// Raw line: no echo, no CR/LF translation, no signals, no flow control, reads
// that never wait, and no carrier needed.
void MakeRaw(termios& t)
{
    t.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY | INPCK |
                   IGNPAR | IUCLC | IMAXBEL);
    t.c_oflag &= ~OPOST;
    t.c_lflag &= ~(ECHO | ECHONL | ECHOE | ECHOK | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~CRTSCTS;
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
}

// What opening alone changes: the terminal's own processing (echo, line
// editing, translation, signals) goes, so bytes pass as they are; the line's
// settings (rate, frame, parity, flow control) stay as the last user left them.
void MakeTransparent(termios& t)
{
    t.c_iflag &= ~(ISTRIP | INLCR | IGNCR | ICRNL | IUCLC | IMAXBEL);
    t.c_oflag &= ~OPOST;
    t.c_lflag &= ~(ECHO | ECHONL | ECHOE | ECHOK | ICANON | ISIG | IEXTEN);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
}

int RemainingMs(Clock::time_point deadline)
{
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left < 0 ? 0 : static_cast<int>(left);
}

} // namespace

TTtyDevice::TTtyDevice(int Fd, int& Error) : FFd(Fd)
{
    FWakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    FCancelFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    FOutWakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    Error = FWakeFd < 0 || FCancelFd < 0 || FOutWakeFd < 0 ? errno : 0;
    // Arrivals wake a wait as edges: bytes reported and still unread do not keep
    // it awake, so the wait needs no time slices for them.
    FWaitFd = epoll_create1(EPOLL_CLOEXEC);
    epoll_event in{};
    in.events = EPOLLIN | EPOLLET;
    in.data.fd = FFd;
    epoll_event wake{};
    wake.events = EPOLLIN;
    wake.data.fd = FWakeFd;
    if (!Error && (FWaitFd < 0 || epoll_ctl(FWaitFd, EPOLL_CTL_ADD, FFd, &in) != 0 ||
                   epoll_ctl(FWaitFd, EPOLL_CTL_ADD, FWakeFd, &wake) != 0))
        Error = errno;
    // A line still echoing or editing lines would garble the first exchange;
    // its settings are the caller's to change (SetLine).
    termios t{};
    if (tcgetattr(FFd, &t) == 0) {
        MakeTransparent(t);
        tcsetattr(FFd, TCSANOW, &t);
    }
    // Line changes count from the open on, not from the first wait.
    int bits = 0;
    FNoLines = ioctl(FFd, TIOCMGET, &bits) != 0 && NoModemLines(errno);
    bool hasLines = false;
    if (ModemLines(FLastLines, hasLines) && hasLines)
        FLinesKnown = true;
    ModemChanges();
}

TTtyDevice::~TTtyDevice()
{
    if (FWakeFd >= 0)
        close(FWakeFd);
    if (FCancelFd >= 0)
        close(FCancelFd);
    if (FOutWakeFd >= 0)
        close(FOutWakeFd);
    if (FWaitFd >= 0)
        close(FWaitFd);
    if (FFd >= 0) {
        // The exclusive flag stays on a pseudo-terminal after close; clear it so
        // the port can be opened again by a user who is not root.
        ioctl(FFd, TIOCNXCL);
        close(FFd);
    }
}

bool TTtyDevice::HungUp() const
{
    pollfd p{FFd, 0, 0};
    return poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

bool TTtyDevice::SetLine(const TSerialLine& Line)
{
    if (Line.BaudRate <= 0 || Line.DataBits < 5 || Line.DataBits > 8)
        return Fail(EINVAL);
    if (Line.StopBits == TSerialStopBits::OneHalf && Line.DataBits != 5)
        return Fail(EINVAL); // UARTs give one and a half stop bits only with 5 data bits
    termios t{};
    if (tcgetattr(FFd, &t) != 0)
        return Fail(errno);
    MakeRaw(t);
    t.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    static const tcflag_t sizes[] = {CS5, CS6, CS7, CS8};
    t.c_cflag |= sizes[Line.DataBits - 5];
    switch (Line.Parity) {
    case TSerialParity::None: break;
    case TSerialParity::Odd: t.c_cflag |= PARENB | PARODD; break;
    case TSerialParity::Even: t.c_cflag |= PARENB; break;
    case TSerialParity::Mark: t.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case TSerialParity::Space: t.c_cflag |= PARENB | CMSPAR; break;
    }
    if (Line.StopBits != TSerialStopBits::One)
        t.c_cflag |= CSTOPB;
    if (Line.RtsCts)
        t.c_cflag |= CRTSCTS;
    if (Line.XonXoffOut)
        t.c_iflag |= IXON;
    if (Line.XonXoffIn)
        t.c_iflag |= IXOFF;
    if (Line.ParityCheck)
        t.c_iflag |= INPCK;
    t.c_cc[VSTART] = static_cast<cc_t>(Line.XonChar);
    t.c_cc[VSTOP] = static_cast<cc_t>(Line.XoffChar);
    const speed_t speed = StandardSpeed(Line.BaudRate);
    // The C library takes only the classic constants; another rate follows through termios2.
    cfsetspeed(&t, speed != B0 ? speed : B38400);
    if (tcsetattr(FFd, TCSANOW, &t) != 0)
        return Fail(errno);
    if (speed == B0 && !SetTtyAnyBaud(FFd, Line.BaudRate))
        return Fail(errno);
    return true;
}

bool TTtyDevice::GetLine(TSerialLine& Line)
{
    termios t{};
    if (tcgetattr(FFd, &t) != 0)
        return Fail(errno);
    int baud = GetTtyAnyBaud(FFd);
    if (baud < 0)
        return Fail(errno);
    Line = TSerialLine{};
    Line.BaudRate = baud;
    switch (t.c_cflag & CSIZE) {
    case CS5: Line.DataBits = 5; break;
    case CS6: Line.DataBits = 6; break;
    case CS7: Line.DataBits = 7; break;
    default: Line.DataBits = 8; break;
    }
    if (t.c_cflag & PARENB) {
        bool odd = (t.c_cflag & PARODD) != 0;
        if (t.c_cflag & CMSPAR)
            Line.Parity = odd ? TSerialParity::Mark : TSerialParity::Space;
        else
            Line.Parity = odd ? TSerialParity::Odd : TSerialParity::Even;
    }
    if (t.c_cflag & CSTOPB)
        Line.StopBits = Line.DataBits == 5 ? TSerialStopBits::OneHalf : TSerialStopBits::Two;
    Line.RtsCts = (t.c_cflag & CRTSCTS) != 0;
    Line.XonXoffOut = (t.c_iflag & IXON) != 0;
    Line.XonXoffIn = (t.c_iflag & IXOFF) != 0;
    Line.ParityCheck = (t.c_iflag & INPCK) != 0;
    Line.XonChar = static_cast<char>(t.c_cc[VSTART]);
    Line.XoffChar = static_cast<char>(t.c_cc[VSTOP]);
    return true;
}

bool TTtyDevice::SetModemBit(int Bit, bool On)
{
    if (ioctl(FFd, On ? TIOCMBIS : TIOCMBIC, &Bit) == 0)
        return true;
    if (NoModemLines(errno))
        return true; // a pseudo-terminal has no lines to set
    return Fail(errno);
}

bool TTtyDevice::SetDtr(bool On) { return SetModemBit(TIOCM_DTR, On); }
bool TTtyDevice::SetRts(bool On) { return SetModemBit(TIOCM_RTS, On); }

bool TTtyDevice::SetBreak(bool On)
{
    if (ioctl(FFd, On ? TIOCSBRK : TIOCCBRK) == 0 || NoModemLines(errno))
        return true;
    return Fail(errno);
}

bool TTtyDevice::SetXoffHold(bool Held)
{
    if (tcflow(FFd, Held ? TCOOFF : TCOON) == 0)
        return true;
    return Fail(errno);
}

bool TTtyDevice::ModemLines(unsigned& Lines, bool& HasLines)
{
    Lines = 0;
    HasLines = false;
    if (HungUp())
        return true; // a hang-up reads as every line low
    int bits = 0;
    if (ioctl(FFd, TIOCMGET, &bits) != 0) {
        if (NoModemLines(errno)) {
            Lines = MS_DSR_ON;
            return true;
        }
        if (errno == EIO)
            return true;
        return Fail(errno);
    }
    HasLines = true;
    if (bits & TIOCM_CTS)
        Lines |= MS_CTS_ON;
    if (bits & TIOCM_DSR)
        Lines |= MS_DSR_ON;
    if (bits & TIOCM_RI)
        Lines |= MS_RING_ON;
    if (bits & TIOCM_CD)
        Lines |= MS_RLSD_ON;
    return true;
}

bool TTtyDevice::ModemStatus(unsigned& Lines)
{
    bool hasLines = false;
    return ModemLines(Lines, hasLines);
}

unsigned TTtyDevice::LineErrors()
{
    if (!FHasCounters)
        return 0;
    serial_icounter_struct ic{};
    if (ioctl(FFd, TIOCGICOUNT, &ic) != 0) {
        FHasCounters = false;
        return 0;
    }
    int now[5] = {ic.frame, ic.overrun, ic.parity, ic.brk, ic.buf_overrun};
    unsigned errors = 0;
    if (FCountersKnown) {
        static const unsigned bits[5] = {CE_FRAME, CE_OVERRUN, CE_RXPARITY, CE_BREAK, CE_RXOVER};
        for (int i = 0; i < 5; ++i)
            if (now[i] != FCounters[i])
                errors |= bits[i];
    }
    for (int i = 0; i < 5; ++i)
        FCounters[i] = now[i];
    FCountersKnown = true;
    return errors;
}

// EV_ bits of the modem lines that changed since the last call, by the
// driver's change counters: a line that dropped and rose again between two
// looks still counts. 0 where the driver keeps no counters.
unsigned TTtyDevice::ModemChanges()
{
    if (!FHasCounters)
        return 0;
    serial_icounter_struct ic{};
    if (ioctl(FFd, TIOCGICOUNT, &ic) != 0)
        return 0;
    const int now[4] = {ic.cts, ic.dsr, ic.rng, ic.dcd};
    unsigned events = 0;
    if (FModemCountsKnown) {
        static const unsigned bits[4] = {EV_CTS, EV_DSR, EV_RING, EV_RLSD};
        for (int i = 0; i < 4; ++i)
            if (now[i] != FModemCounts[i])
                events |= bits[i];
    }
    for (int i = 0; i < 4; ++i)
        FModemCounts[i] = now[i];
    FModemCountsKnown = true;
    return events;
}

bool TTtyDevice::Status(TSerialStatus& S)
{
    S = TSerialStatus{};
    std::lock_guard lock(FMutex);
    S.Errors = LineErrors();
    int in = 0, out = 0;
    if (ioctl(FFd, TIOCINQ, &in) != 0 || ioctl(FFd, TIOCOUTQ, &out) != 0) {
        if (errno == EIO)
            return true; // hung up: nothing waits either way
        return Fail(errno);
    }
    S.InQueue = in;
    S.OutQueue = out;
    return true;
}

bool TTtyDevice::Purge(bool Input, bool Output)
{
    if (!Input && !Output)
        return true;
    if (tcflush(FFd, Input && Output ? TCIOFLUSH : Input ? TCIFLUSH : TCOFLUSH) != 0 && errno != EIO)
        return Fail(errno);
    if (Input) {
        std::lock_guard lock(FMutex);
        FSeenIn = 0;
    }
    return true;
}

int TTtyDevice::Read(void* Buffer, int Count)
{
    if (Count <= 0)
        return 0;
    ssize_t n = read(FFd, Buffer, static_cast<size_t>(Count));
    if (n < 0) {
        if (errno == EAGAIN || errno == EIO)
            return 0; // nothing waits; a hung-up line has nothing to give
        Fail(errno);
        return -1;
    }
    std::lock_guard lock(FMutex);
    FSeenIn = FSeenIn > n ? FSeenIn - static_cast<int>(n) : 0;
    return static_cast<int>(n);
}

int TTtyDevice::Write(const void* Data, int Count, int TimeoutMs)
{
    const auto* p = static_cast<const unsigned char*>(Data);
    const auto deadline = Clock::now() + std::chrono::milliseconds(TimeoutMs < 0 ? 0 : TimeoutMs);
    int done = 0;
    while (done < Count) {
        ssize_t n = write(FFd, p + done, static_cast<size_t>(Count - done));
        if (n > 0) {
            done += static_cast<int>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) {
            Fail(errno);
            return -1;
        }
        pollfd pf[2] = {{FFd, POLLOUT, 0}, {FCancelFd, POLLIN, 0}};
        int wait = TimeoutMs < 0 ? -1 : RemainingMs(deadline);
        const int r = wait == 0 ? 0 : poll(pf, 2, wait);
        if (r < 0 && errno == EINTR)
            continue;
        if (r == 0 || (pf[1].revents & POLLIN)) {
            // Cancel: what the driver still holds of this transfer must not go out later.
            tcflush(FFd, TCOFLUSH);
            Fail(r == 0 ? ETIMEDOUT : ECANCELED);
            return 0;
        }
        if (pf[0].revents & (POLLHUP | POLLERR | POLLNVAL)) {
            Fail(EIO);
            return -1;
        }
    }
    return Count;
}

int TTtyDevice::WriteSome(const void* Data, int Count)
{
    if (Count <= 0)
        return 0;
    ssize_t n = write(FFd, Data, static_cast<size_t>(Count));
    if (n >= 0)
        return static_cast<int>(n);
    if (errno == EAGAIN || errno == EINTR)
        return 0;
    Fail(errno);
    return -1;
}

void TTtyDevice::CancelWrites()
{
    if (FCancelFd >= 0)
        eventfd_write(FCancelFd, 1);
}

bool TTtyDevice::WaitInput(int TimeoutMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(TimeoutMs < 0 ? 0 : TimeoutMs);
    for (;;) {
        int in = 0;
        if (ioctl(FFd, TIOCINQ, &in) != 0 || HungUp())
            return false;
        if (in > 0)
            return true;
        pollfd p{FFd, POLLIN, 0};
        const int wait = TimeoutMs < 0 ? -1 : RemainingMs(deadline);
        if (wait == 0)
            return false;
        if (poll(&p, 1, wait) < 0 && errno != EINTR)
            return Fail(errno);
    }
}

bool TTtyDevice::WaitOutput(int TimeoutMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(TimeoutMs < 0 ? 0 : TimeoutMs);
    for (;;) {
        // The driver reports room once its queue has drained to a low mark, not for every byte.
        pollfd p[3] = {{FFd, POLLOUT, 0}, {FCancelFd, POLLIN, 0}, {FOutWakeFd, POLLIN, 0}};
        const int wait = TimeoutMs < 0 ? -1 : RemainingMs(deadline);
        const int r = poll(p, 3, wait);
        if (r < 0) {
            if (errno == EINTR)
                continue;
            return Fail(errno);
        }
        if (r == 0)
            return Fail(ETIMEDOUT);
        if (p[2].revents & POLLIN) {
            eventfd_t v;
            eventfd_read(FOutWakeFd, &v);
            return true;
        }
        if (p[1].revents & POLLIN)
            return Fail(ECANCELED);
        if (p[0].revents & (POLLHUP | POLLERR | POLLNVAL))
            return Fail(EIO);
        if (p[0].revents & POLLOUT)
            return true;
    }
}

void TTtyDevice::WakeOutput()
{
    if (FOutWakeFd >= 0)
        eventfd_write(FOutWakeFd, 1);
}

bool TTtyDevice::WaitEvents(unsigned Mask, unsigned& Events, int TimeoutMs)
{
    Events = 0;
    const unsigned modemMask = Mask & (EV_CTS | EV_DSR | EV_RING | EV_RLSD);
    const unsigned errorMask = Mask & (EV_ERR | EV_BREAK);
    const auto deadline = Clock::now() + std::chrono::milliseconds(TimeoutMs < 0 ? 0 : TimeoutMs);
    for (;;) {
        bool slice = false;
        {
            std::lock_guard lock(FMutex);
            if (HungUp()) {
                Events = EV_HANGUP;
                return true;
            }
            if (Mask & EV_RXCHAR) {
                int in = 0;
                if (ioctl(FFd, TIOCINQ, &in) != 0) {
                    if (errno == EIO) {
                        Events = EV_HANGUP;
                        return true;
                    }
                    return Fail(errno);
                }
                if (FSeenIn > in)
                    FSeenIn = in;
                if (in > FSeenIn) {
                    FSeenIn = in;
                    Events |= EV_RXCHAR;
                }
            }
            if (modemMask && !FNoLines) {
                unsigned lines = 0;
                bool hasLines = false;
                if (!ModemLines(lines, hasLines))
                    return false;
                if (hasLines) {
                    const unsigned counted = ModemChanges();
                    if (FLinesKnown) {
                        unsigned changed = lines ^ FLastLines;
                        if (changed & MS_CTS_ON)
                            Events |= EV_CTS;
                        if (changed & MS_DSR_ON)
                            Events |= EV_DSR;
                        if (changed & MS_RING_ON)
                            Events |= EV_RING;
                        if (changed & MS_RLSD_ON)
                            Events |= EV_RLSD;
                        Events |= counted;
                        Events &= Mask | EV_RXCHAR;
                    }
                    FLastLines = lines;
                    FLinesKnown = true;
                    slice = true;
                }
            }
            if (errorMask && FHasCounters) {
                if (!FCountersKnown)
                    LineErrors();
                serial_icounter_struct ic{};
                if (ioctl(FFd, TIOCGICOUNT, &ic) == 0) {
                    if (ic.brk != FCounters[3])
                        Events |= Mask & EV_BREAK;
                    if (ic.frame != FCounters[0] || ic.overrun != FCounters[1] || ic.parity != FCounters[2] ||
                        ic.buf_overrun != FCounters[4])
                        Events |= Mask & EV_ERR;
                    slice = true;
                } else {
                    FHasCounters = false;
                }
            }
            if (Events)
                return true;
        }
        int wait = TimeoutMs < 0 ? -1 : RemainingMs(deadline);
        if (slice && (wait < 0 || wait > kPollSliceMs))
            wait = kPollSliceMs;
        epoll_event ready[2];
        int r = epoll_wait(FWaitFd, ready, 2, wait);
        if (r < 0 && errno != EINTR)
            return Fail(errno);
        for (int i = 0; i < r; ++i)
            if (ready[i].data.fd == FWakeFd) {
                eventfd_t v;
                eventfd_read(FWakeFd, &v);
                return true;
            }
        if (TimeoutMs >= 0 && RemainingMs(deadline) == 0 && r == 0)
            return true;
    }
}

void TTtyDevice::Wake()
{
    if (FWakeFd >= 0)
        eventfd_write(FWakeFd, 1);
}
