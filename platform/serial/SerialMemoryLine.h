#pragma once
// An in-memory serial line for tests: two ends wired like a null-modem cable.
// The near end is what opening the line's port number gives (while the line
// exists); the far end is the instrument's side. The far end can raise and drop
// the near end's DSR, CTS, RING and carrier lines and hang the line up; it sees
// the near end's DTR and RTS and the line settings last applied.
#include <memory>

#include "platform/serial/SerialDevice.h"

struct TSerialMemoryLineState;

class TSerialMemoryLine {
public:
    // A line registered as port PortNum (0: reachable only through OpenNear).
    // The near end starts with DSR and CTS high, RING and carrier low.
    static std::shared_ptr<TSerialMemoryLine> Create(int PortNum = 0);
    ~TSerialMemoryLine();
    TSerialMemoryLine(const TSerialMemoryLine&) = delete;
    TSerialMemoryLine& operator=(const TSerialMemoryLine&) = delete;

    // The near end (exclusive: null with EBUSY while it is open already).
    std::unique_ptr<TSerialDevice> OpenNear(int& Error);
    // The far end as a device: its writes reach the near end; its DTR is the
    // near end's DSR (and carrier), its RTS the near end's CTS.
    std::unique_ptr<TSerialDevice> OpenFar();

    // Far-end shortcuts.
    void Send(const AnsiString& Bytes);
    AnsiString Received();  // takes everything the near end sent so far
    bool WaitReceived(size_t Count, int TimeoutMs);  // until at least Count bytes wait
    void SetDsr(bool On);
    void SetCts(bool On);
    void SetRing(bool On);
    void SetCarrier(bool On);
    void SetHolds(unsigned Holds);   // HOLD_ bits the near end's status reports
    void SetErrors(unsigned Errors); // CE_ bits the next status query of the near end reports
    void Hangup();                   // the near end sees a hang-up (DSR low)
    // Room of the queue towards the far end (default 65536): a full queue makes
    // the near end's writes wait.
    void SetCapacity(size_t Bytes);

    bool NearOpen() const;
    bool Dtr() const;
    bool Rts() const;
    bool Break() const;
    TSerialLine Line() const;       // the settings the near end applied last
    int LineChanges() const;        // how often the near end applied settings

    int PortNum() const { return FPortNum; }

private:
    explicit TSerialMemoryLine(int PortNum);
    std::shared_ptr<TSerialMemoryLineState> FState;
    int FPortNum = 0;
};

// The near end of the line registered as PortNum; Found false (and null) when none is.
std::unique_ptr<TSerialDevice> OpenRegisteredMemoryLine(int PortNum, int& Error, bool& Found);
bool MemoryLineRegistered(int PortNum);
