// The simulator on a line, as the program meets it: identification, framing, the transcript,
// opening the port again and again, and going off line.
#include <gtest/gtest.h>

#include "platform/serial/SerialMemoryLine.h"
#include "platform/win/Paths.h"
#include "tests/tools/instrument-sim/SimClient.h"

namespace {

// The identification reply split as the program splits it: each field only when a comma follows.
struct TIdent {
    AnsiString Model, Firmware, Serial;
};

TIdent SplitIdent(const AnsiString& reply)
{
    TIdent id;
    size_t c1 = reply.find(',');
    if (c1 == AnsiString::npos)
        return id;
    id.Model = reply.substr(0, c1);
    size_t c2 = reply.find(',', c1 + 1);
    if (c2 == AnsiString::npos)
        return id;
    id.Firmware = reply.substr(c1 + 1, c2 - c1 - 1);
    size_t c3 = reply.find(',', c2 + 1);
    if (c3 != AnsiString::npos)
        id.Serial = reply.substr(c2 + 1, c3 - c2 - 1);
    return id;
}

} // namespace

TEST(SimLine, IdentifiesAsEachModel)
{
    for (const char* model : {"ZVA", "ZVC", "ZVE", "ZV-XB", "ZV-XE"}) {
        TLinkedSim s(1, TSimOptions{.Model = model});
        TSimClient c(1);
        ASSERT_TRUE(c.IsOpen());
        TIdent id = SplitIdent(c.Query("*IDN?"));
        EXPECT_EQ(id.Model, model);
        EXPECT_EQ(id.Firmware, "V1.06");
        EXPECT_EQ(id.Serial, "ZV24050117");
    }
}

TEST(SimLine, TheModelsHighestFrequencyHolds)
{
    struct Case {
        const char* model;
        const char* top;
    } cases[] = {{"ZVA", "+2.00000e+03"},  {"ZVB", "+2.00000e+04"}, {"ZV-XC", "+1.00000e+05"},
                 {"ZVD", "+2.00000e+05"}, {"ZV-XE", "+3.00000e+05"}};
    for (const auto& k : cases) {
        TLinkedSim s(1, TSimOptions{.Model = k.model});
        TSimClient c(1);
        EXPECT_EQ(c.Query("FREQ 300.0k;:FREQ?"), k.top) << k.model;
    }
}

TEST(SimLine, NoEchoAndNoReplyToCommands)
{
    TLinkedSim s(1);
    TSimClient c(1);
    c.Send("FREQ 10.00k");
    c.Send("COMP:TOL:BIN 1,10.0000k,2000.00k");
    c.Send("SYST:KEYLOCK OFF");
    ASSERT_TRUE(s.Sim.WaitForLine("SYST:KEYLOCK OFF", 2000));
    EXPECT_EQ(c.ReadFor(100), "");
    EXPECT_EQ(c.Query("FREQ?"), "+1.00000e+04");
    EXPECT_EQ(s.Sim.State().BinHigh[1], 2e6);
}

TEST(SimLine, TranscriptHoldsEveryLineInOrderWithItsTime)
{
    TLinkedSim s(1);
    TSimClient c(1);
    auto before = TSimClock::now();
    c.Send("DISP:PAGE MEAS");
    c.Send("DISP:PAGE?");
    c.Send("FUNC Cs-D;:FUNC?");
    ASSERT_TRUE(s.Sim.WaitForLineCount(3, 2000));
    auto t = s.Sim.Transcript();
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[0].Text, "DISP:PAGE MEAS");
    EXPECT_EQ(t[1].Text, "DISP:PAGE?");
    EXPECT_EQ(t[2].Text, "FUNC Cs-D;:FUNC?");
    EXPECT_LE(before, t[0].Time);
    EXPECT_LE(t[0].Time, t[1].Time);
    EXPECT_LE(t[1].Time, t[2].Time);
    EXPECT_TRUE(s.Sim.WaitForLine("DISP:PAGE?", 0));
    EXPECT_FALSE(s.Sim.WaitForLine("DISP:PAGE?", 0, 2));
    EXPECT_FALSE(s.Sim.WaitForLine("FREQ?", 20));
    s.Sim.ClearTranscript();
    EXPECT_EQ(s.Sim.LineCount(), 0u);
}

TEST(SimLine, PortCanBeOpenedAndClosedManyTimes)
{
    TLinkedSim s(1);
    for (int i = 0; i < 20; ++i) {
        TSimClient c(1);
        ASSERT_TRUE(c.IsOpen()) << "opening " << i;
        ASSERT_TRUE(c.Device().Purge(true, false));
        EXPECT_EQ(c.Query("*IDN?"), "ZVE,V1.06,ZV24050117,");
        if (i % 2) {
            // Close with a reply waiting unread.
            c.Send("FETC?");
            TSerialStatus st;
            auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
            while (c.Device().Status(st) && st.InQueue == 0 && std::chrono::steady_clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            EXPECT_GT(st.InQueue, 0);
        }
    }
}

TEST(SimLine, BytesSentOfItsOwnAccord)
{
    TLinkedSim s(1);
    TSimClient c(1);
    s.Sim.SendRaw("NOISE\n");
    EXPECT_EQ(c.ReadLine(), "NOISE\n");
}

TEST(SimLine, HangingUpThePseudoTerminalDropsTheLine)
{
    TLinkedSim s(1);
    TSimClient c(1);
    unsigned lines = 0;
    ASSERT_TRUE(c.Device().ModemStatus(lines));
    EXPECT_TRUE(lines & MS_DSR_ON);
    s.Sim.HangUp();
    EXPECT_TRUE(s.Sim.HungUp());
    unsigned events = 0;
    ASSERT_TRUE(c.Device().WaitEvents(EV_RXCHAR | EV_DSR, events, 2000));
    EXPECT_TRUE(events & EV_HANGUP);
    ASSERT_TRUE(c.Device().ModemStatus(lines));
    EXPECT_FALSE(lines & MS_DSR_ON);
    // Nothing answers any more.
    char q[] = "*IDN?\n";
    c.Device().Write(q, 6, 100);
    EXPECT_EQ(c.ReadFor(50), "");
}

TEST(SimLine, InMemoryLineAnswersAndDropsDsr)
{
    TInstrumentSim sim(TSimOptions{.Model = "ZVB"});
    sim.StartOnMemoryLine(2);
    {
        TSimClient c(2);
        ASSERT_TRUE(c.IsOpen());
        EXPECT_EQ(c.Query("*IDN?"), "ZVB,V1.06,ZV24050117,");
        unsigned lines = 0;
        ASSERT_TRUE(c.Device().ModemStatus(lines));
        EXPECT_TRUE(lines & MS_DSR_ON);
        EXPECT_TRUE(sim.MemoryLine()->Dtr());

        ASSERT_TRUE(sim.SetDsr(false));
        unsigned events = 0;
        ASSERT_TRUE(c.Device().WaitEvents(EV_DSR, events, 2000));
        EXPECT_TRUE(events & EV_DSR);
        ASSERT_TRUE(c.Device().ModemStatus(lines));
        EXPECT_FALSE(lines & MS_DSR_ON);
        ASSERT_TRUE(sim.SetDsr(true));
        ASSERT_TRUE(c.Device().WaitEvents(EV_DSR, events, 2000));
        EXPECT_TRUE(events & EV_DSR);
        EXPECT_EQ(c.Query("FUNC?"), "Cp-D");  // still answering

        sim.HangUp();
        ASSERT_TRUE(c.Device().WaitEvents(EV_RXCHAR | EV_DSR, events, 2000));
        EXPECT_TRUE(events & EV_HANGUP);
    }
    sim.Stop();
    int error = 0;
    bool found = true;
    OpenRegisteredMemoryLine(2, error, found);
    EXPECT_FALSE(found);  // the line is gone with the simulator
}

TEST(SimLine, LimitLinesWhileAFetchReplyIsPendingLoseNothing)
{
    TLinkedSim s(1);
    TSimClient c(1);
    c.Send("TRIG:SOUR BUS;:APER FAST;:FREQ 20.00k;:COMP:STAT OFF");
    c.Send("TRIG");
    c.Send("FETC?");
    c.Send("COMP:TOL:BIN 1,10.0000n,200.000n");
    c.Send("COMP:SLIM 0.00000,5.00000");
    AnsiString reply = c.ReadLine();
    EXPECT_EQ(reply.size(), 26u) << reply;
    ASSERT_TRUE(s.Sim.WaitForLine("COMP:SLIM 0.00000,5.00000", 2000));
    auto st = s.Sim.State();
    EXPECT_DOUBLE_EQ(st.BinLow[1], 10e-9);
    EXPECT_DOUBLE_EQ(st.SecondaryHigh, 5.0);
    EXPECT_EQ(c.ReadFor(50), "");  // one reply, no more
}

TEST(SimLine, LogShowsEachExchange)
{
    EnsureTestPrefix();
    std::vector<AnsiString> log;
    TInstrumentSim sim;
    sim.OnLog = [&](const AnsiString& l) { log.push_back(l); };  // read only after Stop
    sim.StartAsPort(1);
    {
        TSimClient c(1);
        c.Query("DISP:PAGE?");
    }
    sim.Stop();
    EXPECT_EQ(log, (std::vector<AnsiString>{"<< DISP:PAGE?", ">> MEAS\\n"}));
}

TEST(SimLine, PortLinkLastsUntilStop)
{
    EnsureTestPrefix();
    AnsiString link;
    {
        TLinkedSim s(4);
        link = s.Sim.PortLink();
        EXPECT_EQ(link, SerialPortLinkPath(4));
        EXPECT_EQ(SerialDevicePath(4), link);
        TSimClient c(4);
        EXPECT_EQ(c.Query("DISP:PAGE?"), "MEAS");
    }
    EXPECT_NE(SerialDevicePath(4), link);  // gone: port 4 is the plain device again
}

TEST(SimLine, OverLongLineIsDroppedWhole)
{
    TLinkedSim s(1);
    TSimClient c(1);
    // Garbage longer than any line, then its line feed, then a real query.
    c.Send(AnsiString(kSimMaxLine + 100, 'x') + "FREQ 10.00k");
    EXPECT_NE(c.Query("FREQ?"), "+1.00000e+04"); // the tail did not become a command
    EXPECT_EQ(s.Sim.Lines(), (std::vector<AnsiString>{"FREQ?"}));
}

TEST(SimLine, TranscriptKeepsTheLatestLinesOnly)
{
    TInstrumentSim sim;
    sim.StartOnMemoryLine(31);
    int err = 0;
    auto program = OpenSerialPort(31, err);
    ASSERT_TRUE(program);
    AnsiString many;
    const size_t total = kSimTranscriptLines + 5;
    for (size_t i = 0; i < total; ++i)
        many += "*CLS\n";
    many = many.substr(0, many.size() - 5) + "FREQ?\n";
    ASSERT_EQ(program->Write(many.data(), int(many.size()), 5000), int(many.size()));
    ASSERT_TRUE(sim.WaitForLineCount(total, 10000));
    const auto lines = sim.Lines();
    EXPECT_EQ(lines.size(), kSimTranscriptLines);
    EXPECT_EQ(lines.back(), "FREQ?");
    EXPECT_EQ(sim.LineCount(), total);
    EXPECT_TRUE(sim.WaitForLine("FREQ?", 0, total - 1));
}

// With the clock held, settling hands over exactly the replies due within the coming wait:
// a slow reply stays back until a wait long enough for it.
TEST(SimLine, SettleSendsWhatIsDueWithinTheWaitOnly)
{
    TInstrumentSim sim;
    sim.StartOnMemoryLine(32);
    int err = 0;
    auto program = OpenSerialPort(32, err);
    ASSERT_TRUE(program);
    auto pending = [&] {
        TSerialStatus s;
        return program->Status(s) ? s.InQueue : -1;
    };
    sim.SetFaultSettings(TSimFaultSettings{.SlowMs = 300});
    HoldClock(true);
    const AnsiString q = "FREQ?\n";
    ASSERT_EQ(program->Write(q.data(), int(q.size()), 1000), int(q.size()));
    EXPECT_TRUE(sim.Settle(50, 2000));
    EXPECT_EQ(pending(), 13); // "+1.00000e+03\n"
    char buf[64];
    program->Read(buf, sizeof buf);

    sim.SetFault(TSimFault::Slow, 1);
    ASSERT_EQ(program->Write(q.data(), int(q.size()), 1000), int(q.size()));
    EXPECT_TRUE(sim.Settle(50, 2000));
    EXPECT_EQ(pending(), 0);
    EXPECT_TRUE(sim.Settle(400, 2000));
    EXPECT_EQ(pending(), 13);
    HoldClock(false);
}
