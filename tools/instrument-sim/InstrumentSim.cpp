#include "tools/instrument-sim/InstrumentSim.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "platform/core/Exceptions.h"
#include "platform/serial/SerialDevice.h"
#include "platform/serial/SerialMemoryLine.h"
#include "platform/serial/SerialPorts.h"

namespace {

// How long one write may wait for room before its rest is dropped, as a cable would lose it.
constexpr int kWriteTimeoutMs = 200;

} // namespace

AnsiString EscapeSimText(const AnsiString& text)
{
    AnsiString out;
    for (unsigned char c : text) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c < 0x20 || c >= 0x7f) {
            static const char hex[] = "0123456789ABCDEF";
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        } else
            out += static_cast<char>(c);
    }
    return out;
}

TInstrumentSim::TInstrumentSim(const TSimOptions& options) : FModel(options) {}

TInstrumentSim::~TInstrumentSim()
{
    Stop();
}

void TInstrumentSim::Start()
{
    if (FThread.joinable())
        return;
    int error = 0;
    TPseudoTerminal pty = OpenPseudoTerminal(error);
    if (!pty.Master)
        throw EOSError("Simulator: no pseudo-terminal: " + SerialErrorText(error));
    int hold = ::open(pty.SlavePath.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (hold < 0)
        throw EOSError("Simulator: cannot open " + pty.SlavePath + ": " + SerialErrorText(errno));
    {
        std::lock_guard<std::mutex> lock(FLock);
        FDevice = std::move(pty.Master);
        FSlaveHold = hold;
        FSlavePath = pty.SlavePath;
    }
    Launch();
}

void TInstrumentSim::StartAsPort(int port)
{
    Start();
    try {
        LinkSerialPort(port, SlavePath());
    } catch (...) {
        Stop();
        throw;
    }
    std::lock_guard<std::mutex> lock(FLock);
    FPort = port;
    FPortLink = SerialPortLinkPath(port);
}

AnsiString TInstrumentSim::PortLink() const
{
    std::lock_guard<std::mutex> lock(FLock);
    return FPortLink;
}

void TInstrumentSim::StartOnMemoryLine(int portNum)
{
    if (FThread.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(FLock);
        FMemoryLine = TSerialMemoryLine::Create(portNum);
        FDevice = FMemoryLine->OpenFar();
        FSlavePath.clear();
    }
    Launch();
}

void TInstrumentSim::Launch()
{
    {
        std::lock_guard<std::mutex> lock(FLock);
        FStop = false;
        FHangUpRequested = FHungUp = false;
        FOutput.clear();
        FInput.clear();
        FSkipLine = false;
    }
    FThread = std::thread([this] { Run(); });
}

void TInstrumentSim::Stop()
{
    if (FSettling) {
        SetClockSettleHook(nullptr);
        FSettling = false;
    }
    if (!FThread.joinable())
        return;
    {
        std::lock_guard<std::mutex> lock(FLock);
        FStop = true;
        FChanged.notify_all();
    }
    WakeThread();
    FThread.join();
    std::lock_guard<std::mutex> lock(FLock);
    if (!FPortLink.empty())
        UnlinkSerialPort(FPort, FSlavePath);
    FPortLink.clear();
    CloseLine();
    FMemoryLine.reset();
}

bool TInstrumentSim::Running() const
{
    return FThread.joinable();
}

AnsiString TInstrumentSim::SlavePath() const
{
    std::lock_guard<std::mutex> lock(FLock);
    return FSlavePath;
}

void TInstrumentSim::WakeThread()
{
    std::lock_guard<std::mutex> lock(FLock);
    if (FDevice)
        FDevice->Wake();
    FChanged.notify_all();
}

// Called with FLock held, by the simulator's thread or after it ended.
void TInstrumentSim::CloseLine()
{
    if (FMemoryLine && FDevice)
        FMemoryLine->Hangup();
    FDevice.reset();
    if (FSlaveHold >= 0)
        ::close(FSlaveHold);
    FSlaveHold = -1;
}

std::vector<TSimLineRecord> TInstrumentSim::Transcript() const
{
    std::lock_guard<std::mutex> lock(FLock);
    return {FTranscript.begin(), FTranscript.end()};
}

std::vector<AnsiString> TInstrumentSim::Lines() const
{
    std::lock_guard<std::mutex> lock(FLock);
    std::vector<AnsiString> lines;
    for (const auto& r : FTranscript)
        lines.push_back(r.Text);
    return lines;
}

size_t TInstrumentSim::LineCount() const
{
    std::lock_guard<std::mutex> lock(FLock);
    return FTranscriptDropped + FTranscript.size();
}

void TInstrumentSim::ClearTranscript()
{
    std::lock_guard<std::mutex> lock(FLock);
    FTranscript.clear();
    FTranscriptDropped = 0;
}

bool TInstrumentSim::WaitForLine(const AnsiString& text, int timeoutMs, size_t from) const
{
    std::unique_lock<std::mutex> lock(FLock);
    return FChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        for (size_t i = from > FTranscriptDropped ? from - FTranscriptDropped : 0; i < FTranscript.size(); ++i)
            if (FTranscript[i].Text == text)
                return true;
        return false;
    });
}

bool TInstrumentSim::WaitForLineCount(size_t count, int timeoutMs) const
{
    std::unique_lock<std::mutex> lock(FLock);
    return FChanged.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return FTranscriptDropped + FTranscript.size() >= count; });
}

TInstrumentState TInstrumentSim::State() const
{
    std::lock_guard<std::mutex> lock(FLock);
    return FModel.State();
}

void TInstrumentSim::Modify(const std::function<void(TInstrumentModel&)>& change)
{
    std::lock_guard<std::mutex> lock(FLock);
    change(FModel);
}

void TInstrumentSim::SetFault(TSimFault fault, int count)
{
    std::lock_guard<std::mutex> lock(FLock);
    FFaults[fault] = count;
}

void TInstrumentSim::ClearFault(TSimFault fault)
{
    SetFault(fault, 0);
}

void TInstrumentSim::ClearFaults()
{
    std::lock_guard<std::mutex> lock(FLock);
    FFaults = TSimFaultSwitches();
}

void TInstrumentSim::SetFaultSettings(const TSimFaultSettings& settings)
{
    std::lock_guard<std::mutex> lock(FLock);
    FFaultSettings = settings;
}

void TInstrumentSim::SendRaw(const AnsiString& bytes)
{
    {
        std::lock_guard<std::mutex> lock(FLock);
        QueueOutput(TSimClock::now(), 0, bytes);
    }
    WakeThread();
}

void TInstrumentSim::HangUp()
{
    std::unique_lock<std::mutex> lock(FLock);
    if (!FThread.joinable()) {
        CloseLine();
        FHungUp = true;
        return;
    }
    FHangUpRequested = true;
    if (FDevice)
        FDevice->Wake();
    FChanged.notify_all();
    FChanged.wait(lock, [this] { return FHungUp || FStop; });
}

bool TInstrumentSim::HungUp() const
{
    std::lock_guard<std::mutex> lock(FLock);
    return FHungUp;
}

bool TInstrumentSim::SetDsr(bool on)
{
    std::lock_guard<std::mutex> lock(FLock);
    if (!FMemoryLine || FHungUp)
        return false;
    FMemoryLine->SetDsr(on);
    return true;
}

// Called with FLock held. Keeps the output in order: nothing goes out before what was queued
// earlier.
void TInstrumentSim::QueueOutput(TSimTime ready, int pauseMs, const AnsiString& bytes)
{
    TSimTime due = std::max(ready, FLastDue) + std::chrono::milliseconds(pauseMs);
    FLastDue = due;
    FOutput.push_back({due, bytes});
}

// Called with FLock held.
void TInstrumentSim::TakeLine(const AnsiString& line, std::vector<AnsiString>& log)
{
    TSimTime now = TSimClock::now();
    AnsiString text = line;
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    FTranscript.push_back({now, text});
    if (FTranscript.size() > kSimTranscriptLines) {
        FTranscript.pop_front();
        ++FTranscriptDropped;
    }
    log.push_back("<< " + EscapeSimText(line));
    for (const TSimReply& reply : FModel.Execute(text, now)) {
        AnsiString unasked;
        if (FaultApplies(TSimFault::UnaskedReply, reply.Query, FFaults, FFaultSettings))
            unasked = FModel.Answer(FFaultSettings.UnaskedQuery, now);
        TSimTime ready = reply.ReadyAt;
        for (const TSimChunk& chunk : ShapeReply(reply.Query, reply.Text, unasked, FFaults, FFaultSettings)) {
            QueueOutput(ready, chunk.PauseMs, chunk.Bytes);
            ready = FLastDue;
        }
    }
}

// Called with FLock held.
void TInstrumentSim::TakeInput(const char* data, size_t size, std::vector<AnsiString>& log)
{
    FInput.append(data, size);
    size_t lf;
    while ((lf = FInput.find('\n')) != AnsiString::npos) {
        AnsiString line = FInput.substr(0, lf);
        FInput.erase(0, lf + 1);
        if (FSkipLine || line.size() > kSimMaxLine) {
            // Its head is gone already (or it is too long): no part of it is a command.
            FSkipLine = false;
            log.push_back("<< (over-long line dropped)");
            continue;
        }
        TakeLine(line, log);
    }
    if (FInput.size() > kSimMaxLine) {
        // Garbage without line feeds must not grow the input without end.
        FInput.clear();
        FSkipLine = true;
    }
}

void TInstrumentSim::Log(const std::vector<AnsiString>& lines)
{
    if (OnLog)
        for (const auto& l : lines)
            OnLog(l);
}

void TInstrumentSim::Run()
{
    char buf[1024];
    while (true) {
        std::vector<AnsiString> log;
        int timeoutMs = 1000;
        TSerialDevice* dev = nullptr;
        {
            std::unique_lock<std::mutex> lock(FLock);
            if (FStop)
                break;
            if (FHangUpRequested && !FHungUp) {
                CloseLine();
                FOutput.clear();
                FInput.clear();
                FHungUp = true;
                FChanged.notify_all();
            }
            if (!FDevice) {
                FChanged.wait(lock, [this] { return FStop; });
                continue;
            }
            dev = FDevice.get();
            if (!FOutput.empty()) {
                const TSimTime now = TSimClock::now();
                const TSimTime due = FOutput.front().Due;
                long long ms = 0;
                if (due > now && due > FHorizon) {
                    const auto programMs = std::chrono::ceil<std::chrono::milliseconds>(due - now).count();
                    ms = std::chrono::ceil<std::chrono::milliseconds>(
                        ClockWaitDuration(static_cast<std::uint64_t>(programMs))).count();
                }
                timeoutMs = static_cast<int>(std::clamp<long long>(ms, 0, 1000));
            }
            FActive = false;
            FChanged.notify_all();
        }

        unsigned events = 0;
        if (timeoutMs > 0)
            dev->WaitEvents(EV_RXCHAR, events, timeoutMs);
        {
            std::lock_guard<std::mutex> lock(FLock);
            FActive = true;
        }
        if (events & EV_HANGUP) {
            // Nobody at the other end for now: look again a little later.
            std::unique_lock<std::mutex> lock(FLock);
            FChanged.wait_for(lock, std::chrono::milliseconds(20), [this] { return FStop || FHangUpRequested; });
            continue;
        }

        int n;
        while ((n = dev->Read(buf, sizeof buf)) > 0) {
            std::lock_guard<std::mutex> lock(FLock);
            TakeInput(buf, static_cast<size_t>(n), log);
            FChanged.notify_all();
        }

        std::vector<AnsiString> due;
        {
            std::lock_guard<std::mutex> lock(FLock);
            const TSimTime now = std::max(TSimClock::now(), FHorizon);
            while (!FOutput.empty() && FOutput.front().Due <= now) {
                due.push_back(FOutput.front().Bytes);
                FOutput.pop_front();
            }
        }
        for (const AnsiString& bytes : due) {
            if (OnSend)
                OnSend(bytes);
            int sent = dev->Write(bytes.data(), static_cast<int>(bytes.size()), kWriteTimeoutMs);
            log.push_back((sent == static_cast<int>(bytes.size()) ? ">> " : ">> (lost) ") + EscapeSimText(bytes));
        }
        Log(log);
    }
}

bool TInstrumentSim::Settle(int horizonMs, int timeoutMs)
{
    std::unique_lock<std::mutex> lock(FLock);
    if (!FThread.joinable() || !FDevice || FHungUp)
        return true;
    FHorizon = TSimClock::now() + std::chrono::milliseconds(horizonMs);
    FDevice->Wake();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    bool settled = false;
    while (!settled && !FStop) {
        TSerialStatus status;
        const bool unread = FDevice->Status(status) && status.InQueue > 0;
        settled = !FActive && !unread && (FOutput.empty() || FOutput.front().Due > FHorizon);
        if (!settled && FChanged.wait_until(lock, std::min(deadline, std::chrono::steady_clock::now() +
                                                                         std::chrono::microseconds(200))) ==
                            std::cv_status::timeout &&
            std::chrono::steady_clock::now() >= deadline)
            break;
    }
    FHorizon = {};
    return settled;
}

void TInstrumentSim::SettleBeforeProgramWaits(std::function<int()> pendingWrites)
{
    FSettling = true;
    SetClockSettleHook([this, pendingWrites](std::uint64_t ms) {
        HoldClock(true);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (pendingWrites && pendingWrites() > 0 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        Settle(static_cast<int>(std::min<std::uint64_t>(ms, 60000)), 2000);
        HoldClock(false);
    });
}
