#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "components/comm/Serobjects.h"
#include "components/comm/Serutils.h"
#include "platform/forms/Timer.h"
#include "platform/serial/SerialMemoryLine.h"
#include "tests/platform/serial/PtyLink.h"

TEST(StrCtrl, CaretNotation)
{
    const struct {
        const char* in;
        std::string out;
    } cases[] = {
        {"AT^M", std::string("AT\r")},
        {"^a^Z", std::string("\x01\x1a")},
        {"^1", "^1"},
        {"abc^", "abc"},
        {"", ""},
        {"a^^b", "a^b"},     // a doubled caret is the caret itself
        {"^^^M", "^\r"},
        {"x^^", "x^"},
        {"^@", "^@"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StrCtrl(c.in), c.out) << c.in;
}

TEST(SerTimer, ExpiresStrictlyAfterItsIntervalAcrossTheWrap)
{
    TSerTimeEvent t{0xFFFFFFF6u, 100}; // started 10 ms before the counter wraps
    EXPECT_FALSE(TimerExpiredAt(t, 0xFFFFFFF6u));
    EXPECT_FALSE(TimerExpiredAt(t, 0xFFFFFFF6u + 100u)); // 100 ms: not yet
    EXPECT_TRUE(TimerExpiredAt(t, 0xFFFFFFF6u + 101u));  // wrapped to 91
    TSerTimeEvent zero{500, 0};
    EXPECT_FALSE(TimerExpiredAt(zero, 500));
    EXPECT_TRUE(TimerExpiredAt(zero, 501));
    InitTimer(zero, 0);
    EXPECT_TRUE(SysDelay(3, false));
    EXPECT_TRUE(TimerExpired(zero));
}

TEST(SerUtils, SysDelayLetsWindowEventsRun)
{
    TTimer timer(nullptr);
    timer.SetInterval(5);
    int ticks = 0;
    timer.OnTimer = [&](TObject*) { ++ticks; };
    EXPECT_TRUE(SysDelay(80, true));
    EXPECT_GT(ticks, 0);
    ticks = 0;
    SysDelay(30, false); // without the flag the window's thread only waits
    EXPECT_EQ(ticks, 0);
}

TEST(SerUtils, SmallRoutines)
{
    EXPECT_EQ(MinInteger(3, -2), -2);
    EXPECT_EQ(CN('\0'), ' ');
    EXPECT_EQ(CN('A'), 'A');
    EXPECT_TRUE(BitOn(0x80, 0x90));
    EXPECT_FALSE(BitOn(0x80, 0x10));
    EXPECT_FALSE(BitOn(int(0x80000000u), int(0x80000000u))); // sign bit: not above 0
    EXPECT_TRUE(BitOff(0x80, 0x10));
    EXPECT_EQ(AddPathSlash(""), "");
    EXPECT_EQ(AddPathSlash("C:\\data"), "C:\\data\\");
    EXPECT_EQ(AddPathSlash("C:\\data\\"), "C:\\data\\");
    EXPECT_EQ(AddPathSlash("/tmp/data"), "/tmp/data/");
    EXPECT_EQ(GetFileSize("/no/such/file"), -1);
}

TEST(SerUtils, FilesAndUniqueNames)
{
    namespace fs = std::filesystem;
    fs::path dir = TPtyLink::Prefix() / "serutils"; // the test program's own folder
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "data.txt") << "12345";
    std::ofstream(dir / "data-1.txt") << "x";
    EXPECT_EQ(GetFileSize((dir / "data.txt").string()), 5);
    EXPECT_EQ(CreateUniqueFileName((dir / "data.txt").string()), (dir / "data-2.txt").string());
    EXPECT_EQ(CreateUniqueFileName((dir / "other.txt").string()), (dir / "other.txt").string());
    // The extension's text also inside the name: the name is still the one given.
    EXPECT_EQ(CreateUniqueFileName((dir / "a.txt.b.txt").string()), (dir / "a.txt.b.txt").string());
    std::ofstream(dir / "a.txt.b.txt") << "x";
    EXPECT_EQ(CreateUniqueFileName((dir / "a.txt.b.txt").string()), (dir / "a.txt.b-1.txt").string());
    // A folder is no file to measure, and its name is taken.
    fs::create_directories(dir / "run");
    EXPECT_EQ(GetFileSize((dir / "run").string()), -1);
    EXPECT_EQ(CreateUniqueFileName((dir / "run").string()), (dir / "run-1").string());
    fs::remove_all(dir);
}

TEST(SerUtils, PortState)
{
    TPtyLink pty(11);
    EXPECT_EQ(GetPortState(11), 1);
    int err = 0;
    auto held = OpenSerialPort(11, err);
    ASSERT_TRUE(held);
    EXPECT_EQ(GetPortState(11), 0); // in use
    std::filesystem::remove(SerialPortLinkPath(13).c_str());
    EXPECT_EQ(GetPortState(13), 2); // /dev/ttyS12 does not exist here
}

TEST(SerObjects, EventsAndLock)
{
    TSerWaitEvent manual;
    EXPECT_EQ(manual.WaitFor(5), wrTimeout);
    manual.SetEvent();
    EXPECT_EQ(manual.WaitFor(0), wrSignaled);
    EXPECT_EQ(manual.WaitFor(0), wrSignaled); // stays set
    manual.ResetEvent();
    EXPECT_EQ(manual.WaitFor(0), wrTimeout);

    TSerEvent autoReset(nullptr, false, true, "");
    EXPECT_EQ(autoReset.WaitFor(0), wrSignaled);
    EXPECT_EQ(autoReset.WaitFor(0), wrTimeout);

    TSerEvent fromThread(nullptr, false, false, "");
    std::thread t([&] { fromThread.SetEvent(); });
    EXPECT_EQ(fromThread.WaitFor(INFINITE), wrSignaled);
    t.join();

    TSerCriticalSection cs;
    cs.Enter();
    cs.Acquire(); // the holder may take it again
    cs.Release();
    cs.Leave();
}
