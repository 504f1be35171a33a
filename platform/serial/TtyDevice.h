#pragma once
// A terminal device (serial port or pseudo-terminal) behind TSerialDevice.
#include <mutex>

#include "platform/serial/SerialDevice.h"

class TTtyDevice : public TSerialDevice {
public:
    // Takes ownership of Fd (opened non-blocking); Error is set when the
    // wake-up descriptor cannot be made (the device is then unusable).
    TTtyDevice(int Fd, int& Error);
    ~TTtyDevice() override;

    bool SetLine(const TSerialLine& Line) override;
    bool GetLine(TSerialLine& Line) override;
    bool SetDtr(bool On) override;
    bool SetRts(bool On) override;
    bool SetBreak(bool On) override;
    bool SetXoffHold(bool Held) override;
    bool ModemStatus(unsigned& Lines) override;
    bool Status(TSerialStatus& Status) override;
    bool Purge(bool Input, bool Output) override;
    int Read(void* Buffer, int Count) override;
    int Write(const void* Data, int Count, int TimeoutMs) override;
    int WriteSome(const void* Data, int Count) override;
    void CancelWrites() override;
    bool WaitInput(int TimeoutMs) override;
    bool WaitOutput(int TimeoutMs) override;
    void WakeOutput() override;
    bool WaitEvents(unsigned Mask, unsigned& Events, int TimeoutMs) override;
    void Wake() override;

private:
    bool HungUp() const;
    bool ModemLines(unsigned& Lines, bool& HasLines);
    unsigned LineErrors();
    bool SetModemBit(int Bit, bool On);
    unsigned ModemChanges();

    int FFd = -1;
    int FWakeFd = -1;
    int FWaitFd = -1;           // epoll set: arrivals on FFd (edge-triggered) and FWakeFd
    int FCancelFd = -1;         // readable once writes are cancelled; never read
    int FOutWakeFd = -1;        // ends a wait for output room
    bool FNoLines = false;      // a pseudo-terminal: no modem lines to watch, ever
    std::mutex FMutex;          // the fields below: the waiting thread and the callers share them
    int FSeenIn = 0;            // bytes already reported by EV_RXCHAR and not yet read
    unsigned FLastLines = 0;    // modem lines at the last wait
    bool FLinesKnown = false;
    bool FHasCounters = true;   // the driver keeps error counters (TIOCGICOUNT)
    int FCounters[5] = {};      // frame, overrun, parity, brk, buf_overrun at the last query
    bool FCountersKnown = false;
    int FModemCounts[4] = {};   // cts, dsr, rng, dcd changes at the last wait
    bool FModemCountsKnown = false;
};
