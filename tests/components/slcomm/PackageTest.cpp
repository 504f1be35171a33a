#include <cstring>

#include <gtest/gtest.h>

#include "SlcommTestSupport.h"
#include "components/slcomm/Tcommpkg.h"
#include "platform/core/Clock.h"
#include "platform/serial/SerialMemoryLine.h"

using namespace CorlanComm32;

namespace {

std::string Bytes(std::initializer_list<unsigned> b)
{
    std::string s;
    for (unsigned c : b)
        s += static_cast<char>(c);
    return s;
}

// A packet layer on an engine on an in-memory line (port 22).
struct PackageOnLine : ::testing::Test {
    void SetUp() override
    {
        Line = TSerialMemoryLine::Create(22);
        Engine.SetPortNo(22);
        Engine.OnCommNotify = [this](TObject*, std::int32_t n) { EngineLog.Add(n); };
        Package = std::make_unique<TCommPackage>(&Engine);
        Package->OnPackage = [this](TObject*, std::int32_t n) { PackageLog.Add(n); };
    }
    void TearDown() override
    {
        Engine.Close();
        Package.reset();
    }
    void Start(TCommPackageType Type)
    {
        Package->SetPackageType(Type);
        Engine.Open();
        Package->SetActive(true);
    }
    std::string Take(std::uint32_t Size = 8192)
    {
        std::string buf(Size, '\0');
        std::uint32_t n = Package->ReadPackage(buf.data(), Size);
        return buf.substr(0, n);
    }
    bool WaitPackets(int Count, int TimeoutMs = 3000)
    {
        return WaitFor([&] { return Package->ReceivedCount() >= Count; }, TimeoutMs);
    }

    std::shared_ptr<TSerialMemoryLine> Line;
    TNoticeLog EngineLog, PackageLog;
    TComm32 Engine;
    std::unique_ptr<TCommPackage> Package;
};

} // namespace

TEST(PackageQueue, RingOfRecords)
{
    TCommPackageQueue q(4, 8);
    EXPECT_EQ(q.RecordSize(), 32);  // raised to the minimum
    TCommPackageQueue one(1, 40);
    EXPECT_EQ(one.Slots(), 2);
    char rec[40] = "first";
    EXPECT_EQ(one.In(rec), 1);
    EXPECT_EQ(one.In(rec), 0);  // one slot stays free
    char back[40] = {};
    EXPECT_EQ(one.Read(back, 0), 1);
    EXPECT_STREQ(back, "first");
    EXPECT_EQ(one.Read(back, 1), 0);
    EXPECT_EQ(one.Out(back), 1);
    EXPECT_EQ(one.Out(back), 0);
    one.fRemoveQueue();
    EXPECT_EQ(one.In(rec), 0);
}

TEST_F(PackageOnLine, FramesGoOutEscaped)
{
    Start(cptFrameHeadTail);
    const std::string payload = Bytes({0x01, 0xEB, 0x02});
    EXPECT_EQ(Package->WritePackage(payload.data(), 3), 3u);
    EXPECT_TRUE(Line->WaitReceived(8, 3000));
    EXPECT_EQ(Line->Received(), Bytes({0xEB, 0xEB, 0x01, 0xEC, 0xEB, 0x02, 0xEE, 0xEE}));
    EXPECT_TRUE(PackageLog.WaitWith(0x04));  // nothing left to send

    // Packets leave one after the other, each whole.
    for (int i = 0; i < 5; ++i) {
        std::string p = "packet" + std::to_string(i) + Bytes({0xEE, 0xEC});
        EXPECT_GT(Package->WritePackage(p.data(), static_cast<std::uint32_t>(p.size())), 0u);
    }
    std::string wire;
    WaitFor([&] {
        wire += Line->Received();
        return wire.size() >= 5 * 15u;
    });
    std::string expected;
    for (int i = 0; i < 5; ++i)
        expected += Bytes({0xEB, 0xEB}) + "packet" + std::to_string(i) + Bytes({0xEC, 0xEE, 0xEC, 0xEC, 0xEE, 0xEE});
    EXPECT_EQ(wire, expected);
    EXPECT_EQ(Package->WritePackage(nullptr, 3), 0u);
    EXPECT_EQ(Package->WritePackage("x", 0), 0u);
}

TEST_F(PackageOnLine, ReceiverStateMachine)
{
    Start(cptFrameHeadTail);
    struct Case { std::string Wire; std::vector<std::string> Packets; };
    const Case cases[] = {
        {Bytes({0xEB, 0xEB, 0x01, 0xEC, 0xEE, 0x02, 0xEE, 0xEE}), {Bytes({0x01, 0xEE, 0x02})}},
        {"junk" + Bytes({0xEE, 0xEE}), {}},                                                  // no head
        {Bytes({0xEB, 0xEB, 'a', 'b', 0xEB, 'c', 0xEE, 0xEE}), {"c"}},                       // a head restarts
        {Bytes({0xEC, 0xEB, 'x', 0xEE}), {}},                                                 // escaped head outside
        {Bytes({0xEB, 0xEB, 0xEE, 0xEE}), {""}},                                              // empty payload
        {Bytes({0xEB, 0xEB, 'p', 0xEE, 0xEE, 0xEB, 0xEB, 'q', 0xEE, 0xEE}), {"p", "q"}},
    };
    for (const Case& c : cases) {
        Line->Send(c.Wire);
        if (!c.Packets.empty())
            ASSERT_TRUE(WaitPackets(static_cast<int>(c.Packets.size())));
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
        std::vector<std::string> got;
        while (Package->ReceivedCount() > 0)
            got.push_back(Take());
        EXPECT_EQ(got, c.Packets);
    }
    // A packet split over several arrivals is one packet.
    Line->Send(Bytes({0xEB, 0xEB, 's', 'p'}));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(Package->ReceivedCount(), 0);
    Line->Send(Bytes({'l', 'i', 't', 0xEE, 0xEE}));
    ASSERT_TRUE(WaitPackets(1));
    EXPECT_EQ(Package->ReadPackage(nullptr, 0), 5u);  // the size, the packet stays
    EXPECT_EQ(Take(3), "spl");                        // cut to the buffer; the rest is gone
    EXPECT_EQ(Package->ReceivedCount(), 0);
    EXPECT_GE(PackageLog.CountWith(0x01), 1);
    // The engine's own notices still reach its previous callback, unchanged.
    EXPECT_GE(EngineLog.CountWith(0x01), 1);
}

TEST_F(PackageOnLine, SizesAndFullQueues)
{
    Package->SetPackageSize(16);
    Package->SetQueueSize(4);
    Start(cptFrameHeadTail);
    std::string big(26, 'b');
    EXPECT_EQ(Package->WritePackage(big.data(), 26), 16u);  // cut to PackageSize
    EXPECT_TRUE(Line->WaitReceived(20, 3000));
    EXPECT_EQ(Line->Received(), Bytes({0xEB, 0xEB}) + std::string(16, 'b') + Bytes({0xEE, 0xEE}));

    Line->Send(Bytes({0xEB, 0xEB}) + std::string(26, 'r') + Bytes({0xEE, 0xEE}));
    ASSERT_TRUE(WaitPackets(1));
    EXPECT_EQ(Take(), std::string(16, 'r'));
    for (int i = 0; i < 5; ++i)
        Line->Send(Bytes({0xEB, 0xEB, static_cast<unsigned>('0' + i), 0xEE, 0xEE}));
    ASSERT_TRUE(WaitPackets(3));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(Package->ReceivedCount(), 3);  // four slots hold three; the rest is dropped
    EXPECT_EQ(Take(), "0");
}

TEST_F(PackageOnLine, CompatibleRecords)
{
    Start(cptCompatiblePkg);
    struct { std::uint32_t Count; char Data[60]; } rec{5, "hello"};
    EXPECT_EQ(Package->WritePackage(&rec, sizeof rec), 1u);
    EXPECT_TRUE(Line->WaitReceived(9, 3000));
    EXPECT_EQ(Line->Received(), Bytes({0xEB, 0xEB}) + "hello" + Bytes({0xEE, 0xEE}));
    // A count beyond the caller's record is cut to it.
    rec.Count = 1000;
    EXPECT_EQ(Package->WritePackage(&rec, 4 + 7), 1u);
    EXPECT_TRUE(Line->WaitReceived(11, 3000));
    EXPECT_EQ(Line->Received(), Bytes({0xEB, 0xEB}) + std::string("hello\0\0", 7) + Bytes({0xEE, 0xEE}));
    EXPECT_EQ(Package->WritePackage(&rec, 3), 0u);

    Line->Send(Bytes({0xEB, 0xEB}) + "record" + Bytes({0xEE, 0xEE}));
    ASSERT_TRUE(WaitPackets(1));
    EXPECT_EQ(Package->ReadPackage(nullptr, 0), 1u);
    struct { std::uint32_t Count; char Data[4]; } small{};
    EXPECT_EQ(Package->ReadPackage(&small, sizeof small), 1u);  // cut to the caller's record
    EXPECT_EQ(small.Count, 4u);
    EXPECT_EQ(std::string(small.Data, 4), "reco");
}

TEST_F(PackageOnLine, QuietLineEndsAPacket)
{
    Package->SetPackageInterval(30);
    Start(cptFrameTimeout);
    Line->Send("first");
    ASSERT_TRUE(WaitPackets(1));
    Line->Send("second");
    ASSERT_TRUE(WaitPackets(2));
    EXPECT_EQ(Take(), "first");
    EXPECT_EQ(Take(), "second");
    EXPECT_GE(PackageLog.CountExactly(0x01), 2);

    // Bytes that keep coming within the interval stay one packet.
    Package->SetPackageInterval(400);
    Package->SetActive(true);
    for (int i = 0; i < 5; ++i) {
        Line->Send("x");
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_TRUE(WaitPackets(1));
    EXPECT_EQ(Take(), "xxxxx");

    EXPECT_EQ(Package->WritePackage("raw", 3), 3u);  // unframed on the wire
    EXPECT_TRUE(Line->WaitReceived(3, 3000));
    EXPECT_EQ(Line->Received(), "raw");
}

TEST_F(PackageOnLine, SettingsDeactivateAndPurge)
{
    Start(cptFrameHeadTail);
    Line->Send(Bytes({0xEB, 0xEB, 'k', 0xEE, 0xEE}));
    ASSERT_TRUE(WaitPackets(1));
    Package->SetQueueSize(8);
    EXPECT_FALSE(Package->Active());
    EXPECT_EQ(Package->ReceivedCount(), 0);
    EXPECT_EQ(Package->ReadPackage(nullptr, 0), 0u);
    EXPECT_EQ(Package->WritePackage("x", 1), 0u);  // inactive: nothing
    Package->SetActive(true);
    Package->SetPackageType(cptCompatiblePkg);
    EXPECT_FALSE(Package->Active());
    Package->SetActive(true);
    Package->SetPackageSize(64);
    EXPECT_FALSE(Package->Active());
    Package->SetPackageInterval(10);  // does not deactivate
    Package->SetActive(true);
    Package->SetPackageInterval(10);
    EXPECT_TRUE(Package->Active());

    Line->Send(Bytes({0xEB, 0xEB, 'o', 0xEE, 0xEE}));
    ASSERT_TRUE(WaitPackets(1));
    Package->PurgeRead();
    EXPECT_EQ(Package->ReceivedCount(), 0);

    Line->SetCapacity(4);
    std::string big(60, 'w');
    struct { std::uint32_t Count; char Data[64]; } rec{60, {}};
    std::memcpy(rec.Data, big.data(), 60);
    for (int i = 0; i < 3; ++i)
        Package->WritePackage(&rec, sizeof rec);
    Package->PurgeWrite();
    EXPECT_EQ(Package->SendingCount(), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    Line->SetCapacity(65536);
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    // Purged packets never go out; at most the frame that was on its way.
    EXPECT_LE(Line->Received().size(), 64u + 4u);
}

TEST_F(PackageOnLine, CloseWhileBusy)
{
    Start(cptFrameHeadTail);
    std::atomic<bool> stop{false};
    std::thread sender([&] {
        while (!stop) {
            Line->Send(Bytes({0xEB, 0xEB, 'b', 'u', 's', 'y', 0xEE, 0xEE}));
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    });
    for (int round = 0; round < 20; ++round) {
        Package->WritePackage("out", 3);
        std::string buf(16, '\0');
        Package->ReadPackage(buf.data(), 16);
        if (round % 5 == 4) {
            Engine.Close();
            Engine.Open();
            Package->SetActive(true);
        }
    }
    stop = true;
    sender.join();
    Engine.Close();
    EXPECT_FALSE(Engine.Active());
}

TEST(PackageOnPty, FramedExchangeOverAPseudoTerminal)
{
    TPtyPort pty(8);
    TComm32 engine;
    engine.SetPortNo(8);
    engine.SetOutQueueSize(1000);  // the frame goes out over several rounds of the queue
    TCommPackage package(&engine);
    package.SetPackageType(cptFrameHeadTail);
    engine.Open();
    package.SetActive(true);
    std::string payload;
    for (int i = 0; i < 3000; ++i)
        payload += static_cast<char>(i);
    EXPECT_EQ(package.WritePackage(payload.data(), static_cast<std::uint32_t>(payload.size())), 3000u);
    std::string expected = Bytes({0xEB, 0xEB});
    for (char c : payload) {
        auto b = static_cast<unsigned char>(c);
        if (b == 0xEB || b == 0xEE || b == 0xEC)
            expected += static_cast<char>(0xEC);
        expected += c;
    }
    expected += Bytes({0xEE, 0xEE});
    std::string frame = pty.Receive(expected.size());
    EXPECT_EQ(frame, expected);
    pty.Send(expected.substr(0, 1000));
    pty.Send(expected.substr(1000));
    ASSERT_TRUE(WaitFor([&] { return package.ReceivedCount() == 1; }));
    std::string got(4096, '\0');
    got.resize(package.ReadPackage(got.data(), 4096));
    EXPECT_EQ(got, payload);
    engine.Close();
}

TEST(PackageLifetime, FreedFromItsOwnHandler)
{
    auto line = TSerialMemoryLine::Create(26);
    TComm32 engine;
    engine.SetPortNo(26);
    auto* package = new TCommPackage(&engine);
    package->SetPackageType(cptFrameTimeout);
    package->SetPackageInterval(10);
    std::atomic<bool> freed{false};
    package->OnPackage = [&](TObject* Sender, std::int32_t n) {
        if ((n & 1) && !freed) {
            delete static_cast<TCommPackage*>(Sender);
            freed = true;
        }
    };
    engine.Open();
    package->SetActive(true);
    line->Send("bye");
    EXPECT_TRUE(WaitFor([&] { return freed.load(); }));
    // The engine has its own callback back and goes on without the layer.
    line->Send("raw");
    std::string got;
    EXPECT_TRUE(WaitFor([&] {
        char b[8];
        got.append(b, static_cast<size_t>(engine.Read(b, sizeof b)));
        return got.find("raw") != std::string::npos;
    }));
    engine.Close();
}
