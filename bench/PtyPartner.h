#pragma once
// A pseudo-terminal whose slave side is serial port N, and a thread on the master side that
// swallows (counting), echoes, or answers every line with a fixed reply line.
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>

#include "platform/serial/SerialDevice.h"
#include "platform/serial/SerialPorts.h"

class TPtyPartner {
public:
    enum TMode { Swallow, Echo, Answer };

    TPtyPartner(int Port, TMode Mode, std::string Reply = {}) : FPort(Port), FMode(Mode), FReply(std::move(Reply))
    {
        if (!std::getenv("ZORVANE_PREFIX")) {
            std::string prefix = std::filesystem::temp_directory_path() / ("zv-bench-" + std::to_string(getpid()));
            setenv("ZORVANE_PREFIX", prefix.c_str(), 1);
        }
        int err = 0;
        FPty = OpenPseudoTerminal(err);
        LinkSerialPort(FPort, FPty.SlavePath);
        FThread = std::thread([this] { Run(); });
    }
    ~TPtyPartner()
    {
        FStop = true;
        FPty.Master->Wake();
        FThread.join();
        UnlinkSerialPort(FPort, FPty.SlavePath);
    }
    const std::string& SlavePath() const { return FPty.SlavePath; }
    std::uint64_t Received() const { return FReceived.load(); }

private:
    void Run()
    {
        char buf[65536];
        while (!FStop) {
            unsigned ev = 0;
            FPty.Master->WaitEvents(EV_RXCHAR, ev, 50);
            for (;;) {
                int n = FPty.Master->Read(buf, sizeof buf);
                if (n <= 0)
                    break;
                FReceived += static_cast<std::uint64_t>(n);
                if (FMode == Echo)
                    FPty.Master->Write(buf, n, 1000);
                else if (FMode == Answer)
                    for (int i = 0; i < n; ++i)
                        if (buf[i] == '\n')
                            FPty.Master->Write(FReply.data(), static_cast<int>(FReply.size()), 1000);
            }
        }
    }
    int FPort;
    TMode FMode;
    std::string FReply;
    TPseudoTerminal FPty;
    std::thread FThread;
    std::atomic<bool> FStop{false};
    std::atomic<std::uint64_t> FReceived{0};
};

// The slave side opened raw and non-blocking, as a bare termios program does it.
inline int OpenRawSlave(const std::string& Path)
{
    int fd = open(Path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios t{};
    tcgetattr(fd, &t);
    cfmakeraw(&t);
    cfsetspeed(&t, B115200);
    tcsetattr(fd, TCSANOW, &t);
    return fd;
}

inline void WaitFd(int Fd, short Events)
{
    pollfd p{Fd, Events, 0};
    poll(&p, 1, 1000);
}
