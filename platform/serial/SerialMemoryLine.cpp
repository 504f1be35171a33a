#include "platform/serial/SerialMemoryLine.h"

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <iterator>
#include <algorithm>
#include <map>
#include <mutex>

struct TSerialMemoryLineState {
    mutable std::mutex mutex;
    std::condition_variable changed;
    std::deque<unsigned char> toNear, toFar;
    size_t capacity = 65536;
    // Outputs of each end: [0] near, [1] far.
    bool dtr[2] = {false, true};
    bool rts[2] = {false, true};
    bool ring = false;       // RING the near end sees
    bool carrier = false;    // carrier the near end sees, apart from the far DTR
    bool carrierSet = false; // the far end set the carrier itself
    bool brk = false;
    bool hungUp = false;
    bool nearOpen = false;
    unsigned holds = 0;
    unsigned errors = 0;
    TSerialLine line;
    int lineChanges = 0;
    bool wakePending[2] = {false, false};    // a wake that no wait of that end has taken yet
    bool outWakePending[2] = {false, false}; // the same for the waits for output room
    bool writesCancelled[2] = {false, false};
    // How often each modem line (CTS, DSR, RING, RLSD) each end sees changed.
    int lineEdges[2][4] = {};
};

namespace {

using Clock = std::chrono::steady_clock;

const unsigned kModemBits[4] = {MS_CTS_ON, MS_DSR_ON, MS_RING_ON, MS_RLSD_ON};
const unsigned kModemEvents[4] = {EV_CTS, EV_DSR, EV_RING, EV_RLSD};

// The modem lines end Side sees (under the state's mutex).
unsigned LinesSeen(const TSerialMemoryLineState& S, int Side)
{
    if (S.hungUp)
        return 0; // a hang-up reads as every line low
    const int other = 1 - Side;
    unsigned lines = 0;
    if (S.rts[other])
        lines |= MS_CTS_ON;
    if (S.dtr[other])
        lines |= MS_DSR_ON;
    if (Side == 0) {
        if (S.ring)
            lines |= MS_RING_ON;
        if (S.carrierSet ? S.carrier : S.dtr[other])
            lines |= MS_RLSD_ON;
    } else if (S.dtr[other]) {
        lines |= MS_RLSD_ON;
    }
    return lines;
}

// Runs F (under the state's mutex) and counts the line changes it makes, as a
// driver counts them, so a change undone before a wait looks is still seen.
template <typename F>
void ChangeLines(TSerialMemoryLineState& S, F f)
{
    const unsigned before[2] = {LinesSeen(S, 0), LinesSeen(S, 1)};
    f();
    for (int side = 0; side < 2; ++side) {
        const unsigned changed = before[side] ^ LinesSeen(S, side);
        for (int i = 0; i < 4; ++i)
            if (changed & kModemBits[i])
                ++S.lineEdges[side][i];
    }
    S.changed.notify_all();
}

std::mutex& RegistryMutex()
{
    static std::mutex m;
    return m;
}

std::map<int, std::weak_ptr<TSerialMemoryLine>>& Registry()
{
    static std::map<int, std::weak_ptr<TSerialMemoryLine>> r;
    return r;
}

// One end of the line. Side 0 is the near end, 1 the far end.
class TMemoryEnd : public TSerialDevice {
public:
    TMemoryEnd(std::shared_ptr<TSerialMemoryLineState> S, int Side) : FS(std::move(S)), FSide(Side)
    {
        // A fresh end starts with empty input, and line changes count from now on.
        std::lock_guard lock(FS->mutex);
        if (FSide == 0)
            FS->toNear.clear();
        FLastLines = LinesLocked();
        std::copy(std::begin(FS->lineEdges[FSide]), std::end(FS->lineEdges[FSide]), FSeenEdges);
        FS->writesCancelled[FSide] = false;
    }
    ~TMemoryEnd() override
    {
        std::lock_guard lock(FS->mutex);
        ChangeLines(*FS, [&] {
            if (FSide == 0) {
                FS->nearOpen = false;
                FS->dtr[0] = FS->rts[0] = false;
            }
        });
    }

    bool SetLine(const TSerialLine& Line) override
    {
        if (Line.BaudRate <= 0 || Line.DataBits < 5 || Line.DataBits > 8 ||
            (Line.StopBits == TSerialStopBits::OneHalf && Line.DataBits != 5))
            return Fail(EINVAL);
        std::lock_guard lock(FS->mutex);
        if (FSide == 0) {
            FS->line = Line;
            ++FS->lineChanges;
        }
        return true;
    }
    bool GetLine(TSerialLine& Line) override
    {
        std::lock_guard lock(FS->mutex);
        Line = FS->line;
        return true;
    }
    bool SetDtr(bool On) override { return SetOut(FS->dtr, On); }
    bool SetRts(bool On) override { return SetOut(FS->rts, On); }
    bool SetBreak(bool On) override
    {
        std::lock_guard lock(FS->mutex);
        if (FS->hungUp)
            return Fail(EIO);
        FS->brk = On;
        return true;
    }
    bool SetXoffHold(bool Held) override
    {
        std::lock_guard lock(FS->mutex);
        if (FSide == 0)
            FS->holds = Held ? (FS->holds | HOLD_XOFF) : (FS->holds & ~HOLD_XOFF);
        return true;
    }
    bool ModemStatus(unsigned& Lines) override
    {
        std::lock_guard lock(FS->mutex);
        Lines = LinesLocked();
        return true;
    }
    bool Status(TSerialStatus& S) override
    {
        std::lock_guard lock(FS->mutex);
        S = TSerialStatus{};
        if (FSide == 0) {
            S.Errors = FS->errors;
            FS->errors = 0;
            S.Holds = FS->holds;
        }
        if (!FS->hungUp)
            S.InQueue = static_cast<int>(In().size());
        S.OutQueue = 0;
        return true;
    }
    bool Purge(bool Input, bool Output) override
    {
        std::lock_guard lock(FS->mutex);
        if (Input) {
            In().clear();
            FSeenIn = 0;
        }
        if (Output)
            Out().clear();
        FS->changed.notify_all();
        return true;
    }
    int Read(void* Buffer, int Count) override
    {
        std::lock_guard lock(FS->mutex);
        if (FS->hungUp || Count <= 0)
            return 0;
        auto& q = In();
        int n = static_cast<int>(std::min<size_t>(q.size(), static_cast<size_t>(Count)));
        auto* p = static_cast<unsigned char*>(Buffer);
        for (int i = 0; i < n; ++i) {
            p[i] = q.front();
            q.pop_front();
        }
        FSeenIn = FSeenIn > n ? FSeenIn - n : 0;
        FS->changed.notify_all();
        return n;
    }
    int Write(const void* Data, int Count, int TimeoutMs) override
    {
        const auto* p = static_cast<const unsigned char*>(Data);
        const auto deadline = Clock::now() + std::chrono::milliseconds(TimeoutMs < 0 ? 0 : TimeoutMs);
        std::unique_lock lock(FS->mutex);
        auto& q = Out();
        const size_t cap = OutCapacity();
        int done = 0;
        while (done < Count) {
            if (FS->hungUp) {
                Fail(EIO);
                return -1;
            }
            while (done < Count && q.size() < cap)
                q.push_back(p[done++]);
            FS->changed.notify_all();
            if (done == Count)
                break;
            bool room = true;
            auto ready = [&] { return FS->hungUp || FS->writesCancelled[FSide] || q.size() < cap; };
            if (TimeoutMs < 0)
                FS->changed.wait(lock, ready);
            else
                room = FS->changed.wait_until(lock, deadline, ready);
            if (!room || FS->writesCancelled[FSide]) {
                // Cancel: take back what of this transfer still waits in the queue.
                size_t queued = std::min<size_t>(q.size(), static_cast<size_t>(done));
                q.erase(q.end() - static_cast<std::ptrdiff_t>(queued), q.end());
                Fail(room ? ECANCELED : ETIMEDOUT);
                return 0;
            }
        }
        return Count;
    }
    int WriteSome(const void* Data, int Count) override
    {
        const auto* p = static_cast<const unsigned char*>(Data);
        std::lock_guard lock(FS->mutex);
        if (FS->hungUp) {
            Fail(EIO);
            return -1;
        }
        auto& q = Out();
        const size_t cap = OutCapacity();
        int done = 0;
        while (done < Count && q.size() < cap)
            q.push_back(p[done++]);
        FS->changed.notify_all();
        return done;
    }
    void CancelWrites() override
    {
        std::lock_guard lock(FS->mutex);
        FS->writesCancelled[FSide] = true;
        FS->changed.notify_all();
    }
    bool WaitInput(int TimeoutMs) override
    {
        std::unique_lock lock(FS->mutex);
        auto ready = [&] { return FS->hungUp || !In().empty(); };
        if (TimeoutMs < 0)
            FS->changed.wait(lock, ready);
        else
            FS->changed.wait_for(lock, std::chrono::milliseconds(TimeoutMs), ready);
        return !FS->hungUp && !In().empty();
    }
    bool WaitOutput(int TimeoutMs) override
    {
        std::unique_lock lock(FS->mutex);
        auto& q = Out();
        const size_t cap = OutCapacity();
        bool woken = false;
        auto ready = [&] {
            woken = FS->outWakePending[FSide];
            FS->outWakePending[FSide] = false;
            return woken || FS->hungUp || FS->writesCancelled[FSide] || q.size() < cap;
        };
        if (TimeoutMs < 0)
            FS->changed.wait(lock, ready);
        else if (!FS->changed.wait_for(lock, std::chrono::milliseconds(TimeoutMs), ready))
            return Fail(ETIMEDOUT);
        if (woken)
            return true;
        if (FS->hungUp)
            return Fail(EIO);
        if (FS->writesCancelled[FSide])
            return Fail(ECANCELED);
        return true;
    }
    void WakeOutput() override
    {
        std::lock_guard lock(FS->mutex);
        FS->outWakePending[FSide] = true;
        FS->changed.notify_all();
    }
    bool WaitEvents(unsigned Mask, unsigned& Events, int TimeoutMs) override
    {
        Events = 0;
        const auto deadline = Clock::now() + std::chrono::milliseconds(TimeoutMs < 0 ? 0 : TimeoutMs);
        std::unique_lock lock(FS->mutex);
        auto check = [&] {
            if (FS->hungUp) {
                Events = EV_HANGUP;
                return true;
            }
            int in = static_cast<int>(In().size());
            if (FSeenIn > in)
                FSeenIn = in;
            if ((Mask & EV_RXCHAR) && in > FSeenIn) {
                FSeenIn = in;
                Events |= EV_RXCHAR;
            }
            // Levels and change counts: a line that changed and changed back counts too.
            const unsigned lines = LinesLocked();
            const unsigned changed = lines ^ FLastLines;
            for (int i = 0; i < 4; ++i) {
                const int edges = FS->lineEdges[FSide][i];
                if ((changed & kModemBits[i]) || edges != FSeenEdges[i])
                    Events |= Mask & kModemEvents[i];
                // Changes outside the mask are not kept for a later wait.
                FSeenEdges[i] = edges;
            }
            FLastLines = lines;
            if (Events != 0)
                return true;
            // A wake given before this wait began counts too, as the device's would.
            const bool woken = FS->wakePending[FSide];
            FS->wakePending[FSide] = false;
            return woken;
        };
        if (TimeoutMs < 0)
            FS->changed.wait(lock, check);
        else
            FS->changed.wait_until(lock, deadline, check);
        return true;
    }
    void Wake() override
    {
        std::lock_guard lock(FS->mutex);
        FS->wakePending[FSide] = true;
        FS->changed.notify_all();
    }

private:
    std::deque<unsigned char>& In() { return FSide == 0 ? FS->toNear : FS->toFar; }
    std::deque<unsigned char>& Out() { return FSide == 0 ? FS->toFar : FS->toNear; }
    // Far-end writes are never limited: the far end stands for the instrument.
    size_t OutCapacity() const { return FSide == 0 ? FS->capacity : static_cast<size_t>(-1); }
    bool SetOut(bool* lines, bool On)
    {
        std::lock_guard lock(FS->mutex);
        if (FS->hungUp)
            return Fail(EIO);
        ChangeLines(*FS, [&] { lines[FSide] = On; });
        return true;
    }
    unsigned LinesLocked() const { return LinesSeen(*FS, FSide); }

    std::shared_ptr<TSerialMemoryLineState> FS;
    int FSide;
    // Touched only under FS->mutex.
    int FSeenIn = 0;
    unsigned FLastLines = 0;
    int FSeenEdges[4] = {};
};

} // namespace

TSerialMemoryLine::TSerialMemoryLine(int PortNum) : FState(std::make_shared<TSerialMemoryLineState>()), FPortNum(PortNum)
{
}

std::shared_ptr<TSerialMemoryLine> TSerialMemoryLine::Create(int PortNum)
{
    std::shared_ptr<TSerialMemoryLine> line(new TSerialMemoryLine(PortNum));
    if (PortNum != 0) {
        std::lock_guard lock(RegistryMutex());
        Registry()[PortNum] = line;
    }
    return line;
}

TSerialMemoryLine::~TSerialMemoryLine()
{
    if (FPortNum != 0) {
        std::lock_guard lock(RegistryMutex());
        auto it = Registry().find(FPortNum);
        if (it != Registry().end() && it->second.expired())
            Registry().erase(it);
    }
    // An end still open sees the line go away as a hang-up.
    std::lock_guard lock(FState->mutex);
    ChangeLines(*FState, [&] { FState->hungUp = true; });
}

std::unique_ptr<TSerialDevice> TSerialMemoryLine::OpenNear(int& Error)
{
    {
        std::lock_guard lock(FState->mutex);
        if (FState->nearOpen) {
            Error = EBUSY;
            return nullptr;
        }
        FState->nearOpen = true;
    }
    Error = 0;
    return std::make_unique<TMemoryEnd>(FState, 0);
}

std::unique_ptr<TSerialDevice> TSerialMemoryLine::OpenFar() { return std::make_unique<TMemoryEnd>(FState, 1); }

void TSerialMemoryLine::Send(const AnsiString& Bytes)
{
    std::lock_guard lock(FState->mutex);
    FState->toNear.insert(FState->toNear.end(), Bytes.begin(), Bytes.end());
    FState->changed.notify_all();
}

AnsiString TSerialMemoryLine::Received()
{
    std::lock_guard lock(FState->mutex);
    AnsiString s(FState->toFar.begin(), FState->toFar.end());
    FState->toFar.clear();
    FState->changed.notify_all();
    return s;
}

bool TSerialMemoryLine::WaitReceived(size_t Count, int TimeoutMs)
{
    std::unique_lock lock(FState->mutex);
    return FState->changed.wait_for(lock, std::chrono::milliseconds(TimeoutMs),
                                    [&] { return FState->toFar.size() >= Count; });
}

namespace {
template <typename F>
void Change(TSerialMemoryLineState& s, F f)
{
    std::lock_guard lock(s.mutex);
    ChangeLines(s, f);
}
} // namespace

void TSerialMemoryLine::SetDsr(bool On) { Change(*FState, [&] { FState->dtr[1] = On; }); }
void TSerialMemoryLine::SetCts(bool On) { Change(*FState, [&] { FState->rts[1] = On; }); }
void TSerialMemoryLine::SetRing(bool On) { Change(*FState, [&] { FState->ring = On; }); }
void TSerialMemoryLine::SetCarrier(bool On)
{
    Change(*FState, [&] {
        FState->carrier = On;
        FState->carrierSet = true;
    });
}
void TSerialMemoryLine::SetHolds(unsigned Holds) { Change(*FState, [&] { FState->holds = Holds; }); }
void TSerialMemoryLine::SetErrors(unsigned Errors) { Change(*FState, [&] { FState->errors |= Errors; }); }
void TSerialMemoryLine::Hangup() { Change(*FState, [&] { FState->hungUp = true; }); }
void TSerialMemoryLine::SetCapacity(size_t Bytes) { Change(*FState, [&] { FState->capacity = Bytes; }); }

bool TSerialMemoryLine::NearOpen() const
{
    std::lock_guard lock(FState->mutex);
    return FState->nearOpen;
}
bool TSerialMemoryLine::Dtr() const
{
    std::lock_guard lock(FState->mutex);
    return FState->dtr[0];
}
bool TSerialMemoryLine::Rts() const
{
    std::lock_guard lock(FState->mutex);
    return FState->rts[0];
}
bool TSerialMemoryLine::Break() const
{
    std::lock_guard lock(FState->mutex);
    return FState->brk;
}
TSerialLine TSerialMemoryLine::Line() const
{
    std::lock_guard lock(FState->mutex);
    return FState->line;
}
int TSerialMemoryLine::LineChanges() const
{
    std::lock_guard lock(FState->mutex);
    return FState->lineChanges;
}

std::unique_ptr<TSerialDevice> OpenRegisteredMemoryLine(int PortNum, int& Error, bool& Found)
{
    std::shared_ptr<TSerialMemoryLine> line;
    {
        std::lock_guard lock(RegistryMutex());
        auto it = Registry().find(PortNum);
        if (it != Registry().end())
            line = it->second.lock();
    }
    Found = line != nullptr;
    if (!line)
        return nullptr;
    return line->OpenNear(Error);
}

bool MemoryLineRegistered(int PortNum)
{
    std::lock_guard lock(RegistryMutex());
    auto it = Registry().find(PortNum);
    return it != Registry().end() && !it->second.expired();
}
