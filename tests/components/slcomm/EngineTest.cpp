#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "SlcommTestSupport.h"
#include "baselib/sl_lang.h"
#include "components/slcomm/Tcomm32.h"
#include "platform/core/Clock.h"
#include "platform/serial/SerialMemoryLine.h"

using namespace CorlanComm32;

namespace {

int RunningThreads()
{
    int n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/task"))
        ++n;
    return n;
}

int CodeOf(const std::function<void()>& Fn)
{
    try {
        Fn();
    } catch (const EComm32Error& e) {
        return e.ErrorCode;
    }
    return 0;
}

// An engine on an in-memory line registered as port 21, recording its notices.
struct EngineOnLine : ::testing::Test {
    void SetUp() override
    {
        Line = TSerialMemoryLine::Create(21);
        Engine.SetPortNo(21);
        Engine.OnCommNotify = [this](TObject*, std::int32_t n) { Log.Add(n); };
    }
    std::string ReadAll(size_t Count)
    {
        std::string got;
        WaitFor([&] {
            char buf[512];
            int n = Engine.Read(buf, sizeof buf);
            got.append(buf, static_cast<size_t>(n));
            return got.size() >= Count;
        });
        return got;
    }

    std::shared_ptr<TSerialMemoryLine> Line;
    TNoticeLog Log;  // outlives the engine, whose closing still reports
    TComm32 Engine;
};

} // namespace

TEST(Engine, MissingPortLeavesNothingRunning)
{
    TComm32 e;
    e.SetPortNo(99);
    EXPECT_STREQ(e.DeviceName, "\\\\.\\COM99");
    int threads = RunningThreads();
    try {
        e.Open();
        FAIL();
    } catch (const EComm32Error& err) {
        EXPECT_EQ(err.ErrorCode, EComm32Error::ecOpenPort);
        EXPECT_EQ(err.Message(), "Cannot open COM port");
    }
    EXPECT_FALSE(e.Active());
    EXPECT_EQ(RunningThreads(), threads);
    e.Close();  // harmless
    EXPECT_EQ(EComm32Error(static_cast<EComm32Error::TErrorCode>(77)).Message(), "Unknown error");
    TAppLang::TLangType was = AppLang.LangType();
    AppLang.SetLangType(TAppLang::ltGbk);
    EXPECT_EQ(EComm32Error(EComm32Error::ecOpenPort).Message(), Utf8ToGbk("不能打开端口"));
    AppLang.SetLangType(was);
}

TEST(Engine, FlowControlAndModemCommands)
{
    TComm32 e;
    struct Case { int Set; int Read; bool Cts; bool Xon; };
    for (const Case& c : {Case{0, 0, false, false}, Case{1, 0, false, false}, Case{2, 0, false, false},
                          Case{3, 3, true, false}, Case{4, 4, false, true}, Case{5, 4, false, true},
                          Case{6, 6, true, true}, Case{9, 0, false, false}}) {
        e.fSetFCtrl(static_cast<TComm32::TFlowControl>(c.Set));
        EXPECT_EQ(e.fGetFCtrl(), c.Read) << c.Set;
        EXPECT_EQ(e.DCB.fOutxCtsFlow, c.Cts);
        EXPECT_EQ(e.DCB.fInX, c.Xon);
        EXPECT_EQ(e.DCB.fRtsControl, c.Cts ? TDCB::RTS_CONTROL_HANDSHAKE : TDCB::RTS_CONTROL_ENABLE);
    }
    e.fSetFCtrl(TComm32::fcRtsCts);
    e.AutoAnswer = 2;
    e.InitModem();
    e.ResetModem();
    char buf[64] = {};
    int n = e.OutQueue()->Out(buf, sizeof buf);
    EXPECT_EQ(std::string(buf, static_cast<size_t>(n)), "ATE0&K3S0=2\rATZ\r");
}

TEST_F(EngineOnLine, OpenWriteReadClose)
{
    int opened = 0, closing = 0;
    Engine.AfterOpen = [&](TObject*) { ++opened; };
    Engine.BeforeClose = [&](TObject*) { ++closing; };
    Engine.DCB.BaudRate = 9600;
    Engine.Open();
    EXPECT_TRUE(Engine.Active());
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(Log.CountExactly(0x38), 1);
    EXPECT_EQ(Line->Line().BaudRate, 9600);
    EXPECT_TRUE(Line->Dtr());
    EXPECT_TRUE(Line->Rts());
    EXPECT_TRUE(Engine.ModemStatus() & 0x20);  // DSR of the far end
    Engine.Open();  // open already: nothing happens
    EXPECT_EQ(opened, 1);

    EXPECT_EQ(Engine.Write("hello", 5), 5);
    EXPECT_TRUE(Line->WaitReceived(5, 3000));
    EXPECT_EQ(Line->Received(), "hello");
    EXPECT_TRUE(Log.WaitWith(0x04));  // the queue ran empty

    Line->Send("world");
    EXPECT_EQ(ReadAll(5), "world");
    EXPECT_GE(Log.CountWith(0x01), 1);

    Engine.DisableWrite = true;
    EXPECT_EQ(Engine.Write("x", 1), 0);
    EXPECT_EQ(Engine.Command("AT\r"), 3);
    EXPECT_TRUE(Line->WaitReceived(3, 3000));
    EXPECT_EQ(Line->Received(), "AT\r");

    Log.Clear();
    Engine.Close();
    EXPECT_FALSE(Engine.Active());
    EXPECT_EQ(Engine.ModemStatus(), 0u);
    EXPECT_EQ(closing, 1);
    EXPECT_EQ(Log.CountExactly(0x38), 1);
    Engine.Close();
    EXPECT_EQ(Log.CountExactly(0x38), 1);
    EXPECT_EQ(closing, 1);
    EXPECT_FALSE(Line->NearOpen());

    // Bytes queued while closed wait; a new opening clears DisableWrite and sends them with the next write.
    EXPECT_EQ(Engine.Write("x", 1), 0);
    Engine.DisableWrite = false;
    Engine.Write("early", 5);
    Engine.Open();
    EXPECT_FALSE(Engine.DisableWrite);
    Engine.Write("+", 1);
    EXPECT_TRUE(Line->WaitReceived(6, 3000));
    EXPECT_EQ(Line->Received(), "early+");
    // The fixture closes the engine after this body's counters are gone.
    Engine.AfterOpen = nullptr;
    Engine.BeforeClose = nullptr;
}

TEST_F(EngineOnLine, OwnersDeviceStaysOpen)
{
    int err = 0;
    std::unique_ptr<TSerialDevice> own = Line->OpenNear(err);
    ASSERT_TRUE(own);
    Engine.Handle = own.get();
    Engine.ExternalHandle = true;
    Engine.Open();
    Line->Send("ext");
    EXPECT_EQ(ReadAll(3), "ext");
    Engine.Close();
    EXPECT_EQ(Engine.Handle, own.get());
    EXPECT_TRUE(Line->NearOpen());
    EXPECT_EQ(own->WriteSome("still", 5), 5);
    Engine.ExternalHandle = false;
    Engine.Handle = nullptr;
}

TEST_F(EngineOnLine, LineSettingsTheDeviceRefuses)
{
    struct Case { int Baud; int Bits; int Stop; };
    for (const Case& c : {Case{0, 8, 0}, Case{-9600, 8, 0}, Case{9600, 8, 1}, Case{9600, 9, 0}}) {
        Engine.DCB.BaudRate = c.Baud;
        Engine.DCB.ByteSize = static_cast<std::uint8_t>(c.Bits);
        Engine.DCB.StopBits = static_cast<std::uint8_t>(c.Stop);
        EXPECT_EQ(CodeOf([&] { Engine.Open(); }), EComm32Error::ecSetState) << c.Baud << " " << c.Bits;
        EXPECT_FALSE(Engine.Active());
        EXPECT_FALSE(Line->NearOpen());
    }
    Engine.DCB.BaudRate = 1200;
    Engine.DCB.ByteSize = 5;
    Engine.DCB.StopBits = 1;  // one and a half stop bits with five data bits
    Engine.Open();
    EXPECT_EQ(Line->Line().StopBits, TSerialStopBits::OneHalf);
}

TEST_F(EngineOnLine, ReceivedBytesAreNeverDropped)
{
    Engine.SetInQueueSize(16);
    Engine.Open();
    std::string sent;
    for (int i = 0; i < 3000; ++i)
        sent += static_cast<char>('A' + i % 26);
    Line->Send(sent);
    EXPECT_EQ(ReadAll(sent.size()), sent);
}

TEST_F(EngineOnLine, PurgedBytesNeverGoOutLater)
{
    Line->SetCapacity(10);
    Engine.Open();
    std::string data(2000, 'p');
    EXPECT_EQ(Engine.Write(data.data(), 2000), 2000);
    EXPECT_TRUE(Line->WaitReceived(10, 3000));
    Engine.PurgeWrite(false);
    Engine.Write("Z", 1);
    std::string got;
    WaitFor([&] {
        got += Line->Received();
        return !got.empty() && got.back() == 'Z';
    });
    ASSERT_FALSE(got.empty());
    EXPECT_EQ(got.back(), 'Z');
    EXPECT_LE(got.size(), 11u);  // what the line held before the purge, then Z
    EXPECT_EQ(Engine.OutQueue()->Count(), 0);

    Line->Send("old");
    ASSERT_TRUE(WaitFor([&] { return Engine.InQueue()->Count() == 3; }));
    Engine.PurgeRead(false);
    EXPECT_EQ(Engine.InQueue()->Count(), 0);
    Line->Send("new");
    EXPECT_EQ(ReadAll(3), "new");
}

namespace {

// A device that counts the write attempts made on it, passing everything on.
class TCountingDevice : public TSerialDevice {
public:
    explicit TCountingDevice(TSerialDevice& Dev) : D(Dev) {}
    std::atomic<int> WriteTries{0};

    bool SetLine(const TSerialLine& L) override { return D.SetLine(L); }
    bool GetLine(TSerialLine& L) override { return D.GetLine(L); }
    bool SetDtr(bool On) override { return D.SetDtr(On); }
    bool SetRts(bool On) override { return D.SetRts(On); }
    bool SetBreak(bool On) override { return D.SetBreak(On); }
    bool SetXoffHold(bool Held) override { return D.SetXoffHold(Held); }
    bool ModemStatus(unsigned& Lines) override { return D.ModemStatus(Lines); }
    bool Status(TSerialStatus& S) override { return D.Status(S); }
    bool Purge(bool In, bool Out) override { return D.Purge(In, Out); }
    int Read(void* Buffer, int Count) override { return D.Read(Buffer, Count); }
    int Write(const void* Data, int Count, int TimeoutMs) override { return D.Write(Data, Count, TimeoutMs); }
    int WriteSome(const void* Data, int Count) override
    {
        ++WriteTries;
        return D.WriteSome(Data, Count);
    }
    void CancelWrites() override { D.CancelWrites(); }
    bool WaitInput(int TimeoutMs) override { return D.WaitInput(TimeoutMs); }
    bool WaitOutput(int TimeoutMs) override { return D.WaitOutput(TimeoutMs); }
    void WakeOutput() override { D.WakeOutput(); }
    bool WaitEvents(unsigned Mask, unsigned& Events, int TimeoutMs) override
    {
        return D.WaitEvents(Mask, Events, TimeoutMs);
    }
    void Wake() override { D.Wake(); }

private:
    TSerialDevice& D;
};

} // namespace

// More than the driver takes at once goes out as the far end makes room: the
// transmit thread waits for room instead of trying again and again meanwhile.
TEST_F(EngineOnLine, WriteLargerThanTheDriverWaitsForRoom)
{
    constexpr int kRoom = 16, kDrains = 6;
    Line->SetCapacity(kRoom);
    int err = 0;
    std::unique_ptr<TSerialDevice> near = Line->OpenNear(err);
    ASSERT_TRUE(near);
    TCountingDevice counting(*near);
    Engine.Handle = &counting;
    Engine.ExternalHandle = true;
    Engine.Open();
    const std::string data(kRoom * kDrains, 'w');
    EXPECT_EQ(Engine.Write(data.data(), static_cast<std::int32_t>(data.size())),
              static_cast<std::int32_t>(data.size()));
    std::string got;
    for (int i = 0; i < kDrains && got.size() < data.size(); ++i) {
        ASSERT_TRUE(Line->WaitReceived(kRoom, 3000)) << i;
        // A slow far end: a thread that tried again every few milliseconds would try many times meanwhile.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        got += Line->Received();
    }
    EXPECT_EQ(got, data);
    ASSERT_TRUE(Log.WaitExactly(EV_TXEMPTY));
    // One try that fills the driver and one that finds it full, for each time the far end made room.
    EXPECT_LE(counting.WriteTries.load(), 2 * kDrains + 2);
    Engine.Close();
    Engine.ExternalHandle = false;
    Engine.Handle = nullptr;
}

TEST_F(EngineOnLine, QueueResizeWhileOpen)
{
    Engine.Open();
    Line->Send("abc");
    ASSERT_TRUE(WaitFor([&] { return Engine.InQueue()->Count() == 3; }));
    Engine.SetInQueueSize(4096);  // discards what waited
    EXPECT_EQ(Engine.InQueue()->Count(), 0);
    EXPECT_EQ(Engine.InQueue()->BufSize(), 4096);
    Line->Send("def");
    EXPECT_EQ(ReadAll(3), "def");
    Engine.SetOutQueueSize(64);
    Engine.Write("ghi", 3);
    EXPECT_TRUE(Line->WaitReceived(3, 3000));
    EXPECT_EQ(Line->Received(), "ghi");
}

TEST_F(EngineOnLine, CloseFromItsOwnCallback)
{
    std::atomic<bool> closed{false};
    Engine.OnCommNotify = [&](TObject*, std::int32_t n) {
        if ((n & 0x01) && !closed) {
            Engine.Close();
            closed = true;
        }
    };
    Engine.Open();
    Line->Send("bye");
    EXPECT_TRUE(WaitFor([&] { return closed.load(); }));
    EXPECT_FALSE(Engine.Active());
    EXPECT_FALSE(Line->NearOpen());
    Engine.OnCommNotify = nullptr;
    Engine.Open();  // opens again with threads of its own
    EXPECT_TRUE(Engine.Active());
}

// A worker held in a slow callback when the owner closes: Close waits until the
// callback is done and no worker calls back once it returned, so the engine
// may be freed at once.
TEST_F(EngineOnLine, CloseWaitsForASlowCallback)
{
    auto engine = std::make_unique<TComm32>();
    engine->SetPortNo(21);
    std::mutex m;
    std::condition_variable cv;
    bool entered = false, closing = false;
    std::atomic<bool> finished{false}, closeReturned{false};
    std::atomic<int> lateCalls{0};
    const std::thread::id owner = std::this_thread::get_id();
    engine->BeforeClose = [&](TObject*) {
        std::lock_guard g(m);
        closing = true;
        cv.notify_all();
    };
    engine->OnCommNotify = [&](TObject* Sender, std::int32_t n) {
        if (std::this_thread::get_id() == owner)
            return;  // the owner's own open and close notices
        if (closeReturned)
            ++lateCalls;
        if (!(n & EV_RXCHAR) || finished)
            return;
        std::unique_lock g(m);
        entered = true;
        cv.notify_all();
        cv.wait(g, [&] { return closing; });
        g.unlock();
        // Longer than any fixed wait a Close could give up after.
        std::this_thread::sleep_for(std::chrono::milliseconds(700));
        char buf[8];
        static_cast<TComm32*>(Sender)->Read(buf, sizeof buf);  // the engine is still there
        if (closeReturned)
            ++lateCalls;
        finished = true;
    };
    engine->Open();
    Line->Send("slow");
    {
        std::unique_lock g(m);
        ASSERT_TRUE(cv.wait_for(g, std::chrono::seconds(3), [&] { return entered; }));
    }
    EXPECT_NO_THROW(engine->Close());
    closeReturned = true;
    EXPECT_TRUE(finished);
    EXPECT_FALSE(engine->Active());
    engine.reset();  // a worker still running would use freed memory here
    Line->Send("more");
    EXPECT_EQ(lateCalls.load(), 0);
}

TEST_F(EngineOnLine, LineChangesAndRings)
{
    SetClockSpeed(20);
    Engine.Open();
    Line->SetCarrier(true);
    EXPECT_TRUE(Log.WaitWith(0x20));
    EXPECT_TRUE(WaitFor([&] { return Engine.ModemStatus() & 0x80; }));
    Line->SetRing(true);  // no ring while the carrier is on
    Line->SetCarrier(false);
    EXPECT_TRUE(Log.WaitExactly(0x100, 1, 5000));
    Line->Hangup();
    EXPECT_TRUE(Log.WaitWith(0x10));
    EXPECT_TRUE(WaitFor([&] { return !(Engine.ModemStatus() & 0x20); }));
    Engine.Close();
    SetClockSpeed(1);
}

TEST(EngineOnPty, EchoOverAPseudoTerminal)
{
    TPtyPort pty(7);
    TComm32 e;
    e.SetPortNo(7);
    e.Open();
    std::string block;
    for (int i = 0; i < 10000; ++i)
        block += static_cast<char>(i * 13);
    EXPECT_EQ(e.Write(block.data(), static_cast<int>(block.size())), 8191);  // what fits the queue
    EXPECT_EQ(pty.Receive(8191), block.substr(0, 8191));
    pty.Send("answer");
    std::string got;
    WaitFor([&] {
        char buf[64];
        int n = e.Read(buf, sizeof buf);
        got.append(buf, static_cast<size_t>(n));
        return got.size() >= 6;
    });
    EXPECT_EQ(got, "answer");
    e.Close();
}
