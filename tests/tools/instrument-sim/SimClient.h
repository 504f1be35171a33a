#pragma once
// The program's side of the line in these tests: port N opened through the serial layer
// exactly as the program opens it (9600 Bd, 8N1, DTR and RTS raised), lines written with a
// single LF, replies read as they arrive.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>

#include <gtest/gtest.h>

#include "platform/serial/SerialDevice.h"
#include "tests/support/PtyReader.h"
#include "tools/instrument-sim/InstrumentSim.h"

// A prefix of our own when a test program is run by hand, outside CTest.
inline void EnsureTestPrefix()
{
    const char* p = std::getenv("ZORVANE_PREFIX");
    if (!p || !*p)
        setenv("ZORVANE_PREFIX", "/tmp/zv-instrument-sim-test-prefix", 1);
}

class TSimClient {
public:
    explicit TSimClient(int port)
    {
        int error = 0;
        FDevice = OpenSerialPort(port, error);
        if (!FDevice) {
            ADD_FAILURE() << "cannot open port " << port << ": " << SerialErrorText(error);
            return;
        }
        TSerialLine line;
        line.BaudRate = 9600;
        EXPECT_TRUE(FDevice->SetLine(line));
        EXPECT_TRUE(FDevice->SetDtr(true));
        EXPECT_TRUE(FDevice->SetRts(true));
    }

    bool IsOpen() const { return FDevice != nullptr; }
    TSerialDevice& Device() { return *FDevice; }
    void Close() { FDevice.reset(); }

    void Send(const AnsiString& line)
    {
        AnsiString bytes = line + "\n";
        ASSERT_EQ(FDevice->Write(bytes.data(), static_cast<int>(bytes.size()), 1000), static_cast<int>(bytes.size()));
    }

    // Everything that arrives until a LF ends it (kept) or timeoutMs passes.
    AnsiString ReadLine(int timeoutMs = 2000)
    {
        return ReadUntil([](const AnsiString& s) { return !s.empty() && s.back() == '\n'; }, timeoutMs);
    }

    // Everything that arrives within ms (for "nothing comes" and fault checks).
    AnsiString ReadFor(int ms)
    {
        return ReadUntil([](const AnsiString&) { return false; }, ms);
    }

    // Sends a line and returns its reply without the LF; fails the test when none comes.
    AnsiString Query(const AnsiString& line, int timeoutMs = 2000)
    {
        Send(line);
        AnsiString reply = ReadLine(timeoutMs);
        EXPECT_TRUE(!reply.empty() && reply.back() == '\n') << "no complete reply to " << line << ": " << reply;
        if (!reply.empty() && reply.back() == '\n')
            reply.pop_back();
        return reply;
    }

    template <typename Done>
    AnsiString ReadUntil(Done done, int timeoutMs)
    {
        return ::ReadUntil(*FDevice, done, timeoutMs);
    }

private:
    std::unique_ptr<TSerialDevice> FDevice;
};

// A simulator on a pseudo-terminal, linked as port N under the test's prefix.
class TLinkedSim {
public:
    explicit TLinkedSim(int port, const TSimOptions& options = {}) : Sim(options)
    {
        EnsureTestPrefix();
        Sim.StartAsPort(port);
    }

    TInstrumentSim Sim;
};
