#pragma once
// Helpers of the second serial library's tests: waiting for a condition, a
// recorder of notices, and a pseudo-terminal linked as a port number.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/serial/SerialDevice.h"
#include "platform/serial/SerialPorts.h"
#include "tests/support/PtyReader.h"

// Polls Done until it holds or TimeoutMs passed: for states that announce
// themselves by no event (queue counts, bytes read by the test itself).
inline bool WaitFor(const std::function<bool()>& Done, int TimeoutMs = 3000)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
    while (!Done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Notices as they arrive, from any thread; a test waits on their arrival.
class TNoticeLog {
public:
    void Add(int Notice)
    {
        std::lock_guard g(FLock);
        FNotices.push_back(Notice);
        FArrived.notify_all();
    }
    // Waits until Count notices carry all of Bits (WaitWith) or are exactly Value (WaitExactly).
    bool WaitWith(int Bits, int Count = 1, int TimeoutMs = 3000)
    {
        return WaitUntil([&] { return CountLocked([&](int v) { return (v & Bits) == Bits; }) >= Count; }, TimeoutMs);
    }
    bool WaitExactly(int Value, int Count = 1, int TimeoutMs = 3000)
    {
        return WaitUntil([&] { return CountLocked([&](int v) { return v == Value; }) >= Count; }, TimeoutMs);
    }
    std::vector<int> All()
    {
        std::lock_guard g(FLock);
        return FNotices;
    }
    int CountWith(int Bits)
    {
        std::lock_guard g(FLock);
        return CountLocked([&](int v) { return (v & Bits) == Bits; });
    }
    int CountExactly(int Value)
    {
        std::lock_guard g(FLock);
        return CountLocked([&](int v) { return v == Value; });
    }
    void Clear()
    {
        std::lock_guard g(FLock);
        FNotices.clear();
    }

private:
    template <typename Match>
    int CountLocked(Match M) const
    {
        int n = 0;
        for (int v : FNotices)
            n += M(v);
        return n;
    }
    template <typename Done>
    bool WaitUntil(Done D, int TimeoutMs)
    {
        std::unique_lock g(FLock);
        return FArrived.wait_for(g, std::chrono::milliseconds(TimeoutMs), D);
    }

    std::mutex FLock;
    std::condition_variable FArrived;
    std::vector<int> FNotices;
};

// A pseudo-terminal whose slave side is port Port (<prefix>/dosdevices/comPort).
struct TPtyPort {
    explicit TPtyPort(int APort) : Port(APort)
    {
        int err = 0;
        Pty = OpenPseudoTerminal(err);
        LinkSerialPort(Port, Pty.SlavePath);
    }
    ~TPtyPort() { UnlinkSerialPort(Port, Pty.SlavePath); }
    // Everything the master side has received within TimeoutMs, up to Count bytes.
    std::string Receive(size_t Count, int TimeoutMs = 3000)
    {
        return ReadCountFromMaster(*Pty.Master, Count, TimeoutMs);
    }
    void Send(const std::string& Bytes) { Pty.Master->Write(Bytes.data(), static_cast<int>(Bytes.size()), 3000); }

    int Port;
    TPseudoTerminal Pty;
};
