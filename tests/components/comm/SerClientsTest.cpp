#include <gtest/gtest.h>

#include "components/comm/SercommClients.h"
#include "platform/serial/SerialMemoryLine.h"
#include "tests/components/comm/CommTestSupport.h"

namespace {

class TRecordingClient : public TSerCommComponent {
public:
    using TSerCommComponent::TSerCommComponent;
    void DataChanged(PSerData Data, int Count) override { Data_ += AnsiString(reinterpret_cast<const char*>(Data), size_t(Count)); }
    void LineChanged(DWORD EventMask) override { Lines.push_back(EventMask); }
    AnsiString Data_;
    std::vector<DWORD> Lines;
};

} // namespace

TEST(SerCommClients, ClientsTakeTheDataInsteadOfRxChar)
{
    auto line = TSerialMemoryLine::Create(1);
    TSerComm c(nullptr);
    c.SetPortNum(1);
    c.SetMonitorEvents({ceRxChar, ceDsr});
    c.SetDirectWrite(true);
    TRecordingClient a(nullptr), b(nullptr);
    a.SetComm(&c);
    b.SetComm(&c);
    EXPECT_EQ(c.ClientCount(), 2);
    int rxChar = 0;
    AnsiString rxBuf;
    int dsr = 0;
    c.OnRxChar = [&](TObject*, int) { ++rxChar; };
    c.OnRxBuf = [&](TObject*, PSerData Data, int Count) { rxBuf += AnsiString(reinterpret_cast<const char*>(Data), size_t(Count)); };
    c.OnDsr = [&](TObject*) { ++dsr; };
    c.Open();
    line->Send("hello");
    ASSERT_TRUE(PumpUntil([&] { return rxBuf == "hello"; }));
    EXPECT_EQ(a.Data_, "hello");
    EXPECT_EQ(b.Data_, "hello");
    EXPECT_EQ(rxChar, 0);
    EXPECT_EQ(c.ReadBufUsed(), 0); // read out of the driver

    b.SetActive(false);
    c.DisableControls();
    line->Send("x");
    line->SetDsr(false);
    ASSERT_TRUE(PumpUntil([&] { return rxBuf == "hellox" && dsr == 1; }));
    EXPECT_EQ(a.Data_, "hello"); // controls disabled: no client gets anything
    EXPECT_TRUE(a.Lines.empty());
    c.EnableControls();
    line->SetDsr(true);
    ASSERT_TRUE(PumpUntil([&] { return dsr == 2; }));
    EXPECT_EQ(a.Lines, (std::vector<DWORD>{EV_DSR}));
    EXPECT_TRUE(b.Lines.empty()); // not active

    // Through the dispatcher.
    EXPECT_TRUE(a.Dispatcher()->WriteText("OK\n"));
    EXPECT_EQ(line->Received(), "OK\n");
    a.SetComm(&c); // moves to the end
    EXPECT_EQ(c.Clients(1), a.Dispatcher());
}

TEST(SerCommClients, DetachingBothWays)
{
    auto c = std::make_unique<TSerComm>(nullptr);
    {
        TRecordingClient a(nullptr);
        a.SetComm(c.get());
        EXPECT_EQ(c->ClientCount(), 1);
    }
    EXPECT_EQ(c->ClientCount(), 0); // a freed client left the list

    TComponent owner(nullptr);
    auto* comm = new TSerComm(&owner);
    auto* client = new TRecordingClient(&owner);
    client->SetComm(comm);
    delete comm; // the component goes first
    EXPECT_EQ(client->Comm(), nullptr);
    EXPECT_EQ(client->Dispatcher()->Comm(), nullptr);
    EXPECT_FALSE(client->Dispatcher()->WriteText("x"));

    // Without a common owner nobody tells the client; it still lets go cleanly.
    auto lone = std::make_unique<TSerComm>(nullptr);
    TRecordingClient b(nullptr);
    b.SetComm(lone.get());
    lone.reset();
    EXPECT_EQ(b.Comm(), nullptr);
    b.SetComm(c.get()); // never reaches back into the destroyed component
    EXPECT_EQ(b.Comm(), c.get());
    EXPECT_EQ(c->ClientCount(), 1);
}

TEST(SerCommClients, WaitChar)
{
    auto line = TSerialMemoryLine::Create(2);
    TSerComm c(nullptr);
    c.SetPortNum(2);
    c.SetDirectWrite(true);
    c.SetMonitorEvents({});
    EXPECT_FALSE(c.WaitChar(20)); // closed: waits and says no
    c.Open();
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_FALSE(c.WaitChar(60));
    EXPECT_GE(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(55));
    char ch = 0;
    EXPECT_FALSE(c.ReadCharWait(ch, 10));
    line->Send("Z");
    t0 = std::chrono::steady_clock::now();
    EXPECT_TRUE(c.WaitChar(500));
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(400));
    EXPECT_TRUE(c.ReadCharWait(ch, 10));
    EXPECT_EQ(ch, 'Z');
}

TEST(SerCommClients, WaitCharWaitsOnTheDeviceWithoutAThread)
{
    auto line = TSerialMemoryLine::Create(3);
    TSerComm c(nullptr);
    c.SetPortNum(3);
    c.SetDirectWrite(true);
    c.SetMonitorEvents({});
    c.Open();
    const int before = ThreadBaseline();
    int during = 0;
    std::thread far([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50)); // let the wait begin
        during = RunningThreads();
        line->Send("Z");
    });
    EXPECT_TRUE(c.WaitChar(10000));
    far.join();
    EXPECT_EQ(during, before + 1); // this test's own sender, nothing else
    char ch = 0;
    EXPECT_TRUE(c.ReadChar(ch));
    EXPECT_EQ(ch, 'Z');
}
