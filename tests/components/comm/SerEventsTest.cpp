#include <gtest/gtest.h>
#include <algorithm>
#include <chrono>
#include <thread>

#include "components/comm/Sercomm.h"
#include "components/comm/SercommThreads.h"
#include "platform/core/Clock.h"
#include "platform/serial/SerialMemoryLine.h"
#include "tests/components/comm/CommTestSupport.h"
#include "tests/platform/serial/PtyLink.h"

TEST(SerCommEvents, MemoryLineDeliversDsrOnEachEdge)
{
    auto line = TSerialMemoryLine::Create(1);
    TSerComm c(nullptr);
    ConfigureAsLCRCom(c, 1);
    std::vector<bool> seen;
    c.OnDsr = [&](TObject*) {
        EXPECT_TRUE(IsMainThread());
        seen.push_back(c.GetModemStatus(2));
    };
    c.Open();
    PumpFor(30);
    for (bool on : {false, true, false, true, false}) {
        line->SetDsr(on);
        const size_t n = seen.size();
        ASSERT_TRUE(PumpUntil([&] { return seen.size() > n; })) << on;
        EXPECT_EQ(seen.back(), on);
    }
    PumpFor(50);
    EXPECT_EQ(seen.size(), 5u);
}

TEST(SerCommEvents, RxCharComesBeforeDsrAndAFailingHandlerSkipsTheRest)
{
    auto line = TSerialMemoryLine::Create(2);
    TSerComm c(nullptr);
    ConfigureAsLCRCom(c, 2);
    std::vector<AnsiString> log;
    bool failNext = false;
    c.OnRxChar = [&](TObject*, int Count) {
        log.push_back("rx" + std::to_string(Count));
        if (Count == 1) {
            // Both changes come while this delivery runs: they reach the next one together.
            line->Send("b");
            line->SetDsr(!c.GetModemStatus(2));
            // The event thread sees the line on its own time; a slow (checked) build
            // may need a while before both changes are held for the next delivery.
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        } else {
            c.ReadText();
            if (failNext)
                throw Exception("reply handler failed");
        }
    };
    c.OnDsr = [&](TObject*) { log.push_back("dsr"); };
    c.Open();
    line->Send("a");
    ASSERT_TRUE(PumpUntil([&] { return log.size() >= 3; }));
    EXPECT_EQ(log, (std::vector<AnsiString>{"rx1", "rx2", "dsr"}));

    log.clear();
    failNext = true;
    TShownExceptions shown;
    line->Send("c");
    ASSERT_TRUE(PumpUntil([&] { return log.size() >= 2; }));
    PumpFor(50);
    EXPECT_EQ(log, (std::vector<AnsiString>{"rx1", "rx2"})); // no OnDsr after the exception
    EXPECT_EQ(shown.Messages, (std::vector<AnsiString>{"reply handler failed"}));
    // The event thread goes on.
    log.clear();
    failNext = false;
    line->SetDsr(!c.GetModemStatus(2));
    ASSERT_TRUE(PumpUntil([&] { return !log.empty(); }));
    EXPECT_EQ(log.front(), "dsr");
}

TEST(SerCommEvents, HangUpOfTheMemoryLineIsOneDsrChange)
{
    TFastClock fast(20);
    // Only a component that watches DSR hears of it.
    for (bool watchDsr : {true, false}) {
        auto line = TSerialMemoryLine::Create(3);
        TSerComm c(nullptr);
        ConfigureAsLCRCom(c, 3);
        if (!watchDsr)
            c.SetMonitorEvents({ceRxChar});
        int dsr = 0;
        c.OnDsr = [&](TObject*) { ++dsr; };
        c.Open();
        line->Hangup();
        if (watchDsr) {
            ASSERT_TRUE(PumpUntil([&] { return dsr == 1; }));
        }
        PumpFor(60);
        EXPECT_EQ(dsr, watchDsr ? 1 : 0);
        EXPECT_FALSE(c.GetModemStatus(2));
        EXPECT_THROW(c.WriteText("x"), ESerCommError); // "Write error (5), Input/output error"
    }
}

TEST(SerCommEvents, CloseWhileAHandOverWaits)
{
    auto line = TSerialMemoryLine::Create(4);
    TFastClock fast(50);
    for (int i = 0; i < 20; ++i) {
        TSerComm c(nullptr);
        ConfigureAsLCRCom(c, 4);
        int rx = 0;
        c.OnRxChar = [&](TObject*, int) {
            ++rx;
            c.ReadText();
        };
        c.Open();
        line->Send("reply\n");
        // The event thread hands the arrival over; nobody pumps until Close.
        std::this_thread::sleep_for(std::chrono::milliseconds(i % 4));
        auto t0 = std::chrono::steady_clock::now();
        c.Close();
        EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(2));
        EXPECT_LE(rx, 1);
        EXPECT_FALSE(c.Active());
    }
}

TEST(SerCommEvents, CloseFromInsideItsOwnDelivery)
{
    auto line = TSerialMemoryLine::Create(5);
    TFastClock fast(50);
    TSerComm c(nullptr);
    ConfigureAsLCRCom(c, 5);
    const int threads = ThreadBaseline();
    int dsr = 0;
    c.OnDsr = [&](TObject*) {
        ++dsr;
        c.Close(); // the instrument went off line: the handler closes the port
    };
    for (int i = 0; i < 5; ++i) {
        c.Open();
        line->SetDsr(i % 2 == 1);
        ASSERT_TRUE(PumpUntil([&] { return dsr == i + 1 && !c.Active(); }));
    }
    c.Open(); // joins the threads that ended after their delivery
    c.Close();
    EXPECT_TRUE(PumpUntil([&] { return RunningThreads() <= threads; }));
}

TEST(SerCommEvents, WriteThreadSendsAndReportsTxEmpty)
{
    auto line = TSerialMemoryLine::Create(6);
    TSerComm c(nullptr);
    c.SetPortNum(6);
    int txEmpty = 0;
    c.OnTxEmpty = [&](TObject*) {
        EXPECT_TRUE(IsMainThread());
        ++txEmpty;
    };
    c.Open();
    ASSERT_NE(c.WriteThread(), nullptr);
    EXPECT_EQ(c.EventMask() & EV_TXEMPTY, 0u); // the write thread reports it
    EXPECT_TRUE(c.WriteText("FREQ 1000\n"));
    ASSERT_TRUE(PumpUntil([&] { return txEmpty == 1; }));
    EXPECT_EQ(line->Received(), "FREQ 1000\n");
    PumpFor(30);
    EXPECT_EQ(txEmpty, 1);
    EXPECT_EQ(c.WriteBufUsed(), 0);
    EXPECT_EQ(c.WriteBufFree(), 2048);
}

TEST(SerCommEvents, WriteThreadBufferLimit)
{
    auto line = TSerialMemoryLine::Create(7);
    line->SetCapacity(0); // the driver takes nothing
    TSerComm c(nullptr);
    c.SetPortNum(7);
    c.Buffers()->SetWriteTimeout(40);
    c.Open();
    AnsiString big(3000, 'x');
    auto t0 = std::chrono::steady_clock::now();
    try {
        c.WriteText(big);
        ADD_FAILURE();
    } catch (const ESerCommError& e) {
        EXPECT_STREQ(e.what(), "Output buffer is full. Please check comm status.");
    }
    EXPECT_GE(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(40));
    EXPECT_EQ(c.WriteBufUsed(), 0); // nothing of the refused block
    EXPECT_TRUE(c.WriteText(AnsiString(2048, 'y'))); // exactly the free room
    EXPECT_EQ(c.WriteBufFree(), 0);
    c.PurgeWrite();
    EXPECT_EQ(c.WriteBufUsed(), 0);
    c.Close();
}

TEST(SerCommEvents, PurgedBytesNeverGoOutLater)
{
    auto line = TSerialMemoryLine::Create(9);
    line->SetCapacity(8); // the driver takes a few bytes at a time
    TSerComm c(nullptr);
    c.SetPortNum(9);
    c.Open();
    for (int i = 0; i < 100; ++i) {
        EXPECT_TRUE(c.WriteText(AnsiString(64, char('a' + i % 26))));
        // The thread is sending (its OnTxEmpty of the last purge needs the main thread).
        ASSERT_TRUE(PumpUntil([&] { return line->WaitReceived(1, 0); })) << i;
        line->Received();
        c.PurgeWrite();
        EXPECT_EQ(c.WriteBufUsed(), 0) << i;
        line->Received(); // what the driver held before the purge
        PumpFor(3);
        ASSERT_EQ(line->Received(), "") << i;
    }
    EXPECT_TRUE(c.WriteText("OK\n"));
    ASSERT_TRUE(line->WaitReceived(3, 1000));
    EXPECT_EQ(line->Received(), "OK\n");
}

TEST(SerCommEvents, WriteThreadHandlerExceptionIsCaught)
{
    auto line = TSerialMemoryLine::Create(8);
    TShownExceptions shown;
    TSerComm c(nullptr);
    c.SetPortNum(8);
    int txEmpty = 0;
    c.OnTxEmpty = [&](TObject*) {
        ++txEmpty;
        throw Exception("TxEmpty handler failed");
    };
    c.Open();
    EXPECT_TRUE(c.WriteText("A\n"));
    ASSERT_TRUE(PumpUntil([&] { return txEmpty == 1; }));
    // The write thread lives on.
    EXPECT_TRUE(c.WriteText("B\n"));
    ASSERT_TRUE(PumpUntil([&] { return txEmpty == 2; }));
    EXPECT_EQ(line->Received(), "A\nB\n");
    EXPECT_EQ(shown.Messages.size(), 2u); // shown like the event thread's, not ending the thread
}

TEST(SerCommEvents, PrioritiesReachTheRunningThreads)
{
    auto line = TSerialMemoryLine::Create(9);
    TSerComm c(nullptr);
    c.SetPortNum(9);
    c.SetEventPriority(tpLower);
    c.Open();
    ASSERT_NE(c.EventThread(), nullptr);
    EXPECT_EQ(c.EventThread()->Priority(), tpLower);
    EXPECT_EQ(c.WriteThread()->Priority(), tpHighest);
    c.SetEventPriority(tpHigher);
    c.SetWritePriority(tpNormal);
    EXPECT_EQ(c.EventThread()->Priority(), tpHigher);
    EXPECT_EQ(c.WriteThread()->Priority(), tpNormal);
}

TEST(SerCommEvents, NoEventsNoEventThread)
{
    auto line = TSerialMemoryLine::Create(10);
    TSerComm c(nullptr);
    c.SetPortNum(10);
    c.SetMonitorEvents({ceTxEmpty});
    c.Open();
    EXPECT_EQ(c.EventThread(), nullptr);
    EXPECT_NE(c.WriteThread(), nullptr);
}

// Open, traffic both ways and close, many times: nothing hangs, nothing leaks.
TEST(SerCommEvents, TwoHundredCycles)
{
    TPtyLink pty(12);
    TFastClock fast(100); // the pause after each close
    const int fds = OpenDescriptors();
    const int threads = ThreadBaseline();
    const auto t0 = std::chrono::steady_clock::now();
    TSerComm c(nullptr);
    ConfigureAsLCRCom(c, 12);
    AnsiString got;
    c.OnRxChar = [&](TObject*, int) { got += c.ReadText(); };
    for (int i = 0; i < 200; ++i) {
        got.clear();
        c.SetBaudrate(i % 2 ? br115200 : br9600);
        c.Open();
        const AnsiString cmd = "*IDN?" + std::to_string(i) + "\n";
        ASSERT_TRUE(c.WriteText(cmd));
        ASSERT_EQ(pty.Receive(cmd.size()), cmd) << i;
        const AnsiString reply = "ZVE,1.0," + std::to_string(i) + ",\n";
        pty.Send(reply);
        ASSERT_TRUE(PumpUntil([&] { return got.size() >= reply.size(); })) << i;
        ASSERT_EQ(got, reply);
        if (i % 3 == 0)
            pty.Send("late\n"); // arriving while the port closes
        c.Close();
        ASSERT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(20)) << "cycle " << i;
    }
    EXPECT_EQ(OpenDescriptors(), fds);
    EXPECT_TRUE(PumpUntil([&] { return RunningThreads() == threads; }));
}

TEST(SerCommEvents, DsrThatDropsAndReturnsDuringADeliveryIsReported)
{
    auto line = TSerialMemoryLine::Create(14);
    TSerComm c(nullptr);
    ConfigureAsLCRCom(c, 14);
    int dsr = 0;
    c.OnRxChar = [&](TObject*, int) {
        c.ReadText();
        // The instrument blinks off and on while the program handles its data.
        line->SetDsr(false);
        line->SetDsr(true);
    };
    c.OnDsr = [&](TObject*) { ++dsr; };
    c.Open();
    line->Send("+1.00000E+03\n");
    EXPECT_TRUE(PumpUntil([&] { return dsr > 0; }));
    EXPECT_TRUE(c.GetModemStatus(2)); // DSR high again
}

// A handler that runs the window's loop (as the program's fixed waits do) while more comes:
// what came is delivered after it returns, never inside it.
TEST(SerCommEvents, AHandlerThatRunsTheLoopGetsNoNestedDelivery)
{
    auto line = TSerialMemoryLine::Create(16);
    TSerComm c(nullptr);
    ConfigureAsLCRCom(c, 16);
    int depth = 0, deepest = 0;
    std::vector<AnsiString> got;
    c.OnRxChar = [&](TObject*, int) {
        deepest = std::max(deepest, ++depth);
        got.push_back(c.ReadText());
        if (got.size() == 1) {
            line->Send("b");
            line->SetDsr(false);
            PumpFor(100);
        }
        --depth;
    };
    int dsr = 0;
    c.OnDsr = [&](TObject*) { ++dsr; };
    c.Open();
    line->Send("a");
    ASSERT_TRUE(PumpUntil([&] { return dsr == 1; }));
    EXPECT_EQ(deepest, 1);
    EXPECT_EQ(got, (std::vector<AnsiString>{"a", "b"}));
}

// What the event thread handed over and the window's thread has not run when the port closes
// is not delivered later, when the component may be gone.
TEST(SerCommEvents, NothingIsDeliveredAfterClose)
{
    auto line = TSerialMemoryLine::Create(17);
    TFastClock fast(50);
    for (int i = 0; i < 10; ++i) {
        int rx = 0, atClose = 0;
        {
            TSerComm c(nullptr);
            ConfigureAsLCRCom(c, 17);
            c.OnRxChar = [&](TObject*, int) {
                ++rx;
                c.ReadText();
            };
            c.Open();
            line->Send("reply\n");
            std::this_thread::sleep_for(std::chrono::milliseconds(20)); // handed over, not run
            c.Close();
            atClose = rx;
        }
        PumpFor(20);
        EXPECT_EQ(rx, atClose) << i;
    }
}
