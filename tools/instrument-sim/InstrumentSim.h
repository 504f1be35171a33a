#pragma once
// One simulated instrument on its own thread, at the far end of a serial line: the master side
// of a pseudo-terminal (the program opens SlavePath(), or port N through a dosdevices link), or
// the far end of an in-memory line registered as port N. It records every line it received,
// can be waited on, shows its settings and takes fault switches.
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/core/Types.h"
#include "tools/instrument-sim/InstrumentModel.h"
#include "tools/instrument-sim/SimFaults.h"

class TSerialDevice;
class TSerialMemoryLine;

// The transcript keeps this many of the latest lines, so a long run cannot grow it without end.
constexpr size_t kSimTranscriptLines = 10000;
// A line longer than this is dropped whole, up to and with its line feed.
constexpr size_t kSimMaxLine = 4096;

struct TSimLineRecord {
    TSimTime Time;      // when its line feed arrived
    AnsiString Text;    // without the line end
};

class TInstrumentSim {
public:
    explicit TInstrumentSim(const TSimOptions& options = {});
    ~TInstrumentSim();
    TInstrumentSim(const TInstrumentSim&) = delete;
    TInstrumentSim& operator=(const TInstrumentSim&) = delete;

    // Opens a pseudo-terminal and starts answering on it; throws EOSError when none can be had.
    // The simulator keeps the slave side open itself, so that the program may open and close
    // the port as often as it likes.
    void Start();
    // Start, and point port N at it: <prefix>/dosdevices/comN links to the slave side until
    // Stop. Throws EOSError when the link cannot be made (nothing is left running then).
    void StartAsPort(int port);
    // The link StartAsPort made; empty otherwise.
    AnsiString PortLink() const;
    // Starts answering at the far end of an in-memory line registered as port portNum: the
    // program's OpenSerialPort(portNum) reaches it while the simulator runs.
    void StartOnMemoryLine(int portNum);
    // Stops the thread and closes the line. Also done by the destructor.
    void Stop();
    bool Running() const;
    // The device the program opens, e.g. "/dev/pts/7"; empty on an in-memory line.
    AnsiString SlavePath() const;
    // The in-memory line, or null on a pseudo-terminal.
    std::shared_ptr<TSerialMemoryLine> MemoryLine() const { return FMemoryLine; }

    // The lines received since the start or the last ClearTranscript, in order: the latest
    // kSimTranscriptLines of them.
    std::vector<TSimLineRecord> Transcript() const;
    std::vector<AnsiString> Lines() const;
    // How many lines were received since the start or the last ClearTranscript (all of them,
    // also those the transcript no longer holds).
    size_t LineCount() const;
    void ClearTranscript();
    // Waits until a line equal to `text` has been received as line number `from` (counted
    // like LineCount) or later, among those the transcript holds; false after timeoutMs.
    bool WaitForLine(const AnsiString& text, int timeoutMs, size_t from = 0) const;
    // Waits until at least `count` lines have been received.
    bool WaitForLineCount(size_t count, int timeoutMs) const;
    // Waits until everything the line brought in has been taken and every reply due within
    // `horizonMs` of program time from now has been sent (sent early if need be); false after
    // timeoutMs of real time. Tests call it with the clock held, before each wait of the program.
    bool Settle(int horizonMs, int timeoutMs);
    // Makes every timed wait of the program's main thread settle this instrument first, with
    // the clock held, so a test can run the program's waits on a fast clock and still get
    // exactly the replies that are due within each wait. pendingWrites says how many bytes the
    // program has yet to hand to the line. Undone by Stop.
    void SettleBeforeProgramWaits(std::function<int()> pendingWrites);

    // A copy of every setting, and a way to change the instrument (settings, device, options,
    // noise) between exchanges. The change runs under the simulator's lock: it must not call
    // back into the simulator.
    TInstrumentState State() const;
    void Modify(const std::function<void(TInstrumentModel&)>& change);

    // Fault switches: count -1 for every reply until cleared, N for the next N replies.
    void SetFault(TSimFault fault, int count = -1);
    void ClearFault(TSimFault fault);
    void ClearFaults();
    void SetFaultSettings(const TSimFaultSettings& settings);

    // Writes bytes to the line now, as if the instrument sent them of its own accord.
    void SendRaw(const AnsiString& bytes);
    // The far end hangs up: a pseudo-terminal is closed, an in-memory line hung up. The
    // program's side sees the hang-up (the serial layer reports it as DSR low); the simulator
    // stays silent from then on.
    void HangUp();
    bool HungUp() const;
    // The DSR line the program sees, on an in-memory line (false on a pseudo-terminal, which
    // has no modem lines).
    bool SetDsr(bool on);

    // Called from the simulator's thread with "<< line" for each line received and
    // ">> bytes" for each piece sent (line ends and other control characters escaped).
    // Set it before Start.
    std::function<void(const AnsiString&)> OnLog;
    // Called from the simulator's thread with each piece just before it goes onto the line
    // (a timing probe: the log comes after the whole pass). Set it before Start.
    std::function<void(const AnsiString&)> OnSend;

private:
    struct TOutput {
        TSimTime Due;
        AnsiString Bytes;
    };
    void Launch();
    void Run();
    void TakeInput(const char* data, size_t size, std::vector<AnsiString>& log);
    void TakeLine(const AnsiString& line, std::vector<AnsiString>& log);
    void QueueOutput(TSimTime ready, int pauseMs, const AnsiString& bytes);
    void Log(const std::vector<AnsiString>& lines);
    void CloseLine();
    void WakeThread();

    mutable std::mutex FLock;
    mutable std::condition_variable FChanged;
    TInstrumentModel FModel;
    std::unique_ptr<TSerialDevice> FDevice;     // our end of the line
    int FSlaveHold = -1;                        // the pseudo-terminal's slave, held open
    std::shared_ptr<TSerialMemoryLine> FMemoryLine;
    AnsiString FSlavePath;
    AnsiString FPortLink;
    int FPort = 0;                              // the port FPortLink makes
    std::deque<TSimLineRecord> FTranscript;
    size_t FTranscriptDropped = 0;              // lines received and no longer held
    TSimFaultSwitches FFaults;
    TSimFaultSettings FFaultSettings;
    std::deque<TOutput> FOutput;
    TSimTime FLastDue{};
    AnsiString FInput;
    bool FSkipLine = false;                     // inside an over-long line, until its line feed
    bool FStop = false;
    bool FHangUpRequested = false;
    bool FHungUp = false;
    bool FSettling = false;                     // our hook is the clock's settle hook
    bool FActive = false;                       // the thread is between waits
    TSimTime FHorizon{};                        // replies due up to here go out now
    std::thread FThread;
};

// Shows control characters of a line readably: "\r", "\n", "\xNN".
AnsiString EscapeSimText(const AnsiString& text);
