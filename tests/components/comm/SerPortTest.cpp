#include <gtest/gtest.h>
#include <atomic>
#include <thread>

#include "components/comm/Sercomm.h"
#include "components/comm/Serconst.h"
#include "platform/core/Strings.h"
#include "platform/serial/SerialMemoryLine.h"
#include "tests/components/comm/CommTestSupport.h"
#include "tests/platform/serial/PtyLink.h"

namespace {

AnsiString ExpectSerError(const std::function<void()>& F)
{
    try {
        F();
    } catch (const ESerCommError& e) {
        return e.what();
    }
    ADD_FAILURE() << "no ESerCommError";
    return "";
}

} // namespace

TEST(SerCommPort, OpensAtEveryRateTheProgramOffers)
{
    TPtyLink pty(3);
    TSerComm c(nullptr);
    ConfigureAsLCRCom(c, 3);
    for (TSerBaudrate b : {br1200, br9600, br38400, br57600, br115200}) {
        c.SetBaudrate(b);
        c.Open();
        ASSERT_TRUE(c.Active());
        // The master reads the terminal's settings, which the component wrote.
        TSerialLine l;
        ASSERT_TRUE(pty.Master().GetLine(l));
        EXPECT_EQ(l.BaudRate, SerBaudrates[b]);
        EXPECT_FALSE(l.RtsCts || l.XonXoffIn || l.XonXoffOut);
        int err = 0;
        EXPECT_FALSE(OpenSerialDevice(pty.SlavePath(), err)); // held exclusively
        EXPECT_EQ(err, EBUSY);
        const AnsiString cmd = "FETC?\n";
        EXPECT_TRUE(c.WriteText(cmd));
        EXPECT_EQ(pty.Receive(cmd.size()), cmd);
        c.Close();
        EXPECT_FALSE(c.Active());
    }
}

TEST(SerCommPort, ExactBytesBothWaysAndRxCharOnTheMainThread)
{
    TPtyLink pty(4);
    TSerComm c(nullptr);
    ConfigureAsLCRCom(c, 4);
    std::vector<int> counts;
    AnsiString got;
    bool onMain = true;
    c.OnRxChar = [&](TObject* Sender, int Count) {
        EXPECT_EQ(Sender, &c);
        onMain = onMain && IsMainThread();
        counts.push_back(Count);
        got += c.ReadText();
    };
    c.Open();
    AnsiString all;
    for (int i = 0; i < 256; ++i)
        all += char(i);
    all += "DISP:PAGE MEAS\n";
    EXPECT_TRUE(c.WriteText(all));
    EXPECT_EQ(pty.Receive(all.size()), all);

    pty.Send("+1.23456E-09,+2.00000E-03\n");
    ASSERT_TRUE(PumpUntil([&] { return got.size() >= 26; }));
    EXPECT_EQ(got, "+1.23456E-09,+2.00000E-03\n");
    EXPECT_TRUE(onMain);
    ASSERT_FALSE(counts.empty());
    int sum = 0;
    for (int n : counts)
        sum += n;
    EXPECT_EQ(sum, 26); // each count is what waited at the delivery
    EXPECT_EQ(c.ReadText(), "");
}

TEST(SerCommPort, FarEndClosingDeliversDsrOnce)
{
    TPtyLink pty(5);
    TSerComm c(nullptr);
    ConfigureAsLCRCom(c, 5);
    int dsr = 0;
    c.OnDsr = [&](TObject*) {
        EXPECT_TRUE(IsMainThread());
        ++dsr;
    };
    c.Open();
    EXPECT_TRUE(c.GetModemStatus(2)); // a pseudo-terminal has DSR high while open
    pty.CloseMaster();
    ASSERT_TRUE(PumpUntil([&] { return dsr > 0; }));
    PumpFor(100);
    EXPECT_EQ(dsr, 1);
    EXPECT_FALSE(c.GetModemStatus(2)); // and low after the hang-up
    EXPECT_TRUE(c.Active());           // the port stays open until closed
    EXPECT_EQ(c.ReadText(), "");
    c.Close();
}

TEST(SerCommPort, MissingDeviceGivesTheComponentsError)
{
    TSerComm c(nullptr);
    std::filesystem::create_directories(SerialLinkDir());
    std::filesystem::remove(std::filesystem::path(SerialLinkDir()) / "com7");
    c.SetPortNum(7);
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(ExpectSerError([&] { c.Open(); }), "Specified device not found (COM7).");
    EXPECT_FALSE(c.Active());
    c.SetPortNum(0);
    EXPECT_EQ(ExpectSerError([&] { c.Open(); }), "Specified device not found (COM0).");
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(2));
}

TEST(SerCommPort, BusyDeviceGivesTheComponentsError)
{
    TPtyLink pty(6);
    int err = 0;
    auto other = OpenSerialPort(6, err); // another program holds the port
    ASSERT_TRUE(other);
    TSerComm c(nullptr);
    ConfigureAsLCRCom(c, 6);
    EXPECT_EQ(ExpectSerError([&] { c.Open(); }),
              "Can't open specified device COM6 (Error 16, Device or resource busy)");
    EXPECT_FALSE(c.Active());
    other.reset();
    c.Open();
    EXPECT_TRUE(c.Active());
}

TEST(SerCommPort, ClosedPortAnswersQuietly)
{
    TSerComm c(nullptr);
    int closes = 0;
    c.OnClose = [&](TObject*) { ++closes; };
    auto t0 = std::chrono::steady_clock::now();
    c.Close(); // nothing to close: no event, no pause
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(100));
    EXPECT_EQ(closes, 0);
    EXPECT_EQ(c.ReadText(), "");
    EXPECT_EQ(c.ReadBufUsed(), 0);
    EXPECT_FALSE(c.GetModemStatus(2));
    EXPECT_FALSE(c.GetComStat(1));
    EXPECT_FALSE(c.WriteText("x"));
    EXPECT_TRUE(c.WriteText(""));
    EXPECT_EQ(c.WriteBufFree(), 0);
    c.SetDTR(true); // no line to change
    EXPECT_NO_THROW(c.PurgeRead());
    EXPECT_NO_THROW(c.SetBreak(true));
    EXPECT_NO_THROW(c.SetRTS(true));
    c.FlowControl()->SetControlDtr(dtrHandshake);
    EXPECT_EQ(ExpectSerError([&] { c.SetDTR(true); }),
              "DTR line updates not allowed when flowcontrol is set to Handshake.");
    c.FlowControl()->SetControlRts(rtsToggle);
    EXPECT_EQ(ExpectSerError([&] { c.SetRTS(false); }),
              "RTS line updates not allowed when flowcontrol is set to Handshake or Toggle.");
}

TEST(SerCommPort, StatusAndControlLinesOnTheMemoryLine)
{
    auto line = TSerialMemoryLine::Create(8);
    TSerComm c(nullptr);
    ConfigureAsLCRCom(c, 8);
    int opens = 0, closes = 0;
    c.OnOpen = [&](TObject*) { ++opens; };
    c.OnClose = [&](TObject*) { ++closes; };
    c.Open();
    EXPECT_EQ(opens, 1);
    EXPECT_TRUE(line->Dtr());
    c.SetDTR(false);
    EXPECT_FALSE(line->Dtr());
    c.SetBaudrate(br38400); // the rewritten block raises DTR again
    EXPECT_TRUE(line->Dtr());
    c.SetRTS(false);
    EXPECT_FALSE(line->Rts());
    c.SetBreak(true);
    EXPECT_TRUE(line->Break());
    c.SetBreak(false);

    line->SetCts(false);
    line->SetRing(true);
    EXPECT_FALSE(c.GetModemStatus(1));
    EXPECT_TRUE(c.GetModemStatus(2));
    EXPECT_TRUE(c.GetModemStatus(3));
    EXPECT_FALSE(c.GetModemStatus(0));
    EXPECT_FALSE(c.GetModemStatus(5));
    line->SetHolds(HOLD_DSR | HOLD_XOFF_SENT);
    EXPECT_FALSE(c.GetComStat(1));
    EXPECT_TRUE(c.GetComStat(2));
    EXPECT_TRUE(c.GetComStat(5));
    EXPECT_FALSE(c.GetComStat(0));
    EXPECT_FALSE(c.GetComStat(9));

    line->Send("123456789012");
    EXPECT_EQ(c.ReadBufUsed(), 12);
    EXPECT_EQ(c.ReadBufFree(), 4096 - 12);
    EXPECT_EQ(c.ReadText(), "123456789012");
    line->Send("xyz");
    c.PurgeRead();
    EXPECT_EQ(c.ReadBufUsed(), 0);

    TShownExceptions shown;
    int errors = 0;
    c.OnError = [&](TObject*, int Errors) {
        errors = Errors;
        throw Exception("handler failed"); // shown, ClearLineErrors still answers
    };
    line->SetErrors(CE_FRAME);
    c.GetCommStatus(); // a status query consumes the pending error
    EXPECT_FALSE(c.ClearLineErrors());
    line->SetErrors(CE_OVERRUN);
    EXPECT_TRUE(c.ClearLineErrors());
    EXPECT_EQ(errors, int(CE_OVERRUN));
    EXPECT_EQ(shown.Messages, (std::vector<AnsiString>{"handler failed"}));

    auto t0 = std::chrono::steady_clock::now();
    c.Close();
    EXPECT_GE(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(300));
    EXPECT_EQ(closes, 1);
    EXPECT_FALSE(line->NearOpen());
}

TEST(SerCommPort, TimedOutWriteIsCancelled)
{
    auto line = TSerialMemoryLine::Create(9);
    line->SetCapacity(16);
    TSerComm c(nullptr);
    ConfigureAsLCRCom(c, 9);
    c.Buffers()->SetWriteTimeout(50);
    c.Open();
    EXPECT_TRUE(c.WriteText("*IDN?\n"));
    EXPECT_FALSE(c.WriteText("COMP:TOL:BIN 1,-1.00000,+1.00000\n")); // no room in time
    EXPECT_EQ(line->Received(), "*IDN?\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    EXPECT_EQ(line->Received(), ""); // nothing of it went out later
    EXPECT_TRUE(c.WriteText("TRIG\n"));
    EXPECT_EQ(line->Received(), "TRIG\n");
}

TEST(SerCommPort, PortListHasTheLinkedPorts)
{
    TPtyLink a(2), b(12);
    TSerComm c(nullptr);
    TStringList list;
    list.Add("old");
    c.GetComPortNames(&list);
    EXPECT_EQ(list.IndexOf("old"), -1);
    EXPECT_GE(list.IndexOf("COM2"), 0);
    EXPECT_GT(list.IndexOf("COM12"), list.IndexOf("COM2"));
}

TEST(SerCommPort, ClosingWhileADirectWriteWaitsEndsTheWriteFirst)
{
    auto line = TSerialMemoryLine::Create(15);
    line->SetCapacity(4);
    TSerComm c(nullptr);
    ConfigureAsLCRCom(c, 15);
    c.Buffers()->SetWriteTimeout(60000);
    c.Open();
    std::atomic<bool> returned{false};
    int written = -1;
    std::thread writer([&] {
        written = c.WriteBuf("0123456789", 10); // waits for room that never comes
        returned = true;
    });
    ASSERT_TRUE(line->WaitReceived(4, 2000));
    {
        TFastClock fast(100); // the pause after closing
        c.Close();
    }
    // The writer has left the device before the device went.
    EXPECT_TRUE(returned);
    writer.join();
    EXPECT_EQ(written, 0);
    EXPECT_FALSE(c.WriteText("x")); // closed: nothing is written
}
