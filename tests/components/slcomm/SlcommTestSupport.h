#pragma once
// Helpers of the second serial library's tests: waiting for a condition, a
// recorder of notices, and a pseudo-terminal linked as a port number.
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/serial/SerialDevice.h"
#include "platform/serial/SerialPorts.h"

// Polls Done until it holds or TimeoutMs passed.
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

// Notices as they arrive, from any thread.
class TNoticeLog {
public:
    void Add(int Notice)
    {
        std::lock_guard g(FLock);
        FNotices.push_back(Notice);
    }
    std::vector<int> All()
    {
        std::lock_guard g(FLock);
        return FNotices;
    }
    int CountWith(int Bits)
    {
        std::lock_guard g(FLock);
        int n = 0;
        for (int v : FNotices)
            n += (v & Bits) == Bits;
        return n;
    }
    int CountExactly(int Value)
    {
        std::lock_guard g(FLock);
        int n = 0;
        for (int v : FNotices)
            n += v == Value;
        return n;
    }
    void Clear()
    {
        std::lock_guard g(FLock);
        FNotices.clear();
    }

private:
    std::mutex FLock;
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
        std::string got;
        WaitFor(
            [&] {
                char buf[4096];
                int n = Pty.Master->Read(buf, sizeof buf);
                if (n > 0)
                    got.append(buf, static_cast<size_t>(n));
                return got.size() >= Count;
            },
            TimeoutMs);
        return got;
    }
    void Send(const std::string& Bytes) { Pty.Master->Write(Bytes.data(), static_cast<int>(Bytes.size()), 3000); }

    int Port;
    TPseudoTerminal Pty;
};
