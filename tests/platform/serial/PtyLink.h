#pragma once
// A pseudo-terminal reached as port N through the <prefix>/dosdevices/comN link,
// as the simulator and a user's link provide it.
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <gtest/gtest.h>

#include "platform/serial/SerialDevice.h"
#include "tests/support/PtyReader.h"

class TPtyLink {
public:
    explicit TPtyLink(int PortNum) : FPort(PortNum)
    {
        int err = 0;
        FPty = OpenPseudoTerminal(err);
        EXPECT_TRUE(FPty.Master) << SerialErrorText(err);
        LinkSerialPort(PortNum, FPty.SlavePath);
    }
    ~TPtyLink() { UnlinkSerialPort(FPort, FPty.SlavePath); }

    static std::filesystem::path Prefix()
    {
        const char* p = std::getenv("ZORVANE_PREFIX");
        if (!p || !*p) {
            // Run by hand: a prefix of our own.
            setenv("ZORVANE_PREFIX", "/tmp/zv-serial-test-prefix", 1);
            p = std::getenv("ZORVANE_PREFIX");
        }
        return p;
    }

    TSerialDevice& Master() { return *FPty.Master; }
    const AnsiString& SlavePath() const { return FPty.SlavePath; }
    int Port() const { return FPort; }
    // Closing the far end hangs up the near one.
    void CloseMaster() { FPty.Master.reset(); }

    void Send(const AnsiString& s) { ASSERT_EQ(Master().Write(s.data(), int(s.size()), 1000), int(s.size())); }
    // Reads until Count bytes came or TimeoutMs passed.
    AnsiString Receive(size_t Count, int TimeoutMs = 2000) { return ReadCountFromMaster(Master(), Count, TimeoutMs); }

private:
    int FPort;
    TPseudoTerminal FPty;
};
