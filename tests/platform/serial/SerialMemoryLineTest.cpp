#include <cerrno>
#include <gtest/gtest.h>
#include <thread>

#include "platform/serial/SerialMemoryLine.h"

TEST(SerialMemoryLine, OpensAsItsPortExclusively)
{
    auto line = TSerialMemoryLine::Create(15);
    int err = 0;
    auto near = OpenSerialPort(15, err);
    ASSERT_TRUE(near);
    EXPECT_TRUE(line->NearOpen());
    EXPECT_FALSE(OpenSerialDevice("COM15", err));
    EXPECT_EQ(err, EBUSY);
    near.reset();
    EXPECT_FALSE(line->NearOpen());
    EXPECT_TRUE(OpenSerialDevice("COM15", err));
}

TEST(SerialMemoryLine, BytesSettingsAndControlLines)
{
    auto line = TSerialMemoryLine::Create(16);
    int err = 0;
    auto near = OpenSerialPort(16, err);
    ASSERT_TRUE(near);
    TSerialLine s;
    s.BaudRate = 57600;
    s.Parity = TSerialParity::Mark;
    ASSERT_TRUE(near->SetLine(s));
    EXPECT_EQ(line->Line(), s);
    EXPECT_EQ(line->LineChanges(), 1);

    EXPECT_FALSE(line->Dtr());
    near->SetDtr(true);
    near->SetRts(true);
    EXPECT_TRUE(line->Dtr());
    EXPECT_TRUE(line->Rts());
    near->SetBreak(true);
    EXPECT_TRUE(line->Break());

    ASSERT_EQ(near->Write("*IDN?\n", 6, 100), 6);
    EXPECT_EQ(line->Received(), "*IDN?\n");
    line->Send("ZVE,1.0,123,\n");
    char buf[64];
    EXPECT_EQ(near->Read(buf, sizeof buf), 13);
    EXPECT_EQ(AnsiString(buf, 13), "ZVE,1.0,123,\n");

    auto far = line->OpenFar();
    unsigned lines = 0;
    far->ModemStatus(lines);
    EXPECT_EQ(lines, MS_DSR_ON | MS_CTS_ON | MS_RLSD_ON); // the near end's DTR and RTS
}

TEST(SerialMemoryLine, EveryDsrEdgeIsAnEvent)
{
    auto line = TSerialMemoryLine::Create(17);
    int err = 0;
    auto near = OpenSerialPort(17, err);
    ASSERT_TRUE(near);
    unsigned ev = 0, lines = 0;
    near->WaitEvents(EV_DSR | EV_RXCHAR, ev, 0); // learns the lines as they are
    ASSERT_TRUE(near->ModemStatus(lines));
    EXPECT_TRUE(lines & MS_DSR_ON);
    for (bool on : {false, true, false, true}) {
        std::thread far([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            line->SetDsr(on);
        });
        ASSERT_TRUE(near->WaitEvents(EV_DSR | EV_RXCHAR, ev, 2000));
        far.join();
        EXPECT_EQ(ev, EV_DSR);
        near->ModemStatus(lines);
        EXPECT_EQ((lines & MS_DSR_ON) != 0, on);
    }
    // Lines outside the mask wake nobody.
    line->SetRing(true);
    ASSERT_TRUE(near->WaitEvents(EV_DSR, ev, 20));
    EXPECT_EQ(ev, 0u);
}

TEST(SerialMemoryLine, HangUpReadsAsDsrLow)
{
    auto line = TSerialMemoryLine::Create(18);
    int err = 0;
    auto near = OpenSerialPort(18, err);
    ASSERT_TRUE(near);
    line->Hangup();
    unsigned ev = 0, lines = MS_DSR_ON;
    ASSERT_TRUE(near->WaitEvents(EV_DSR | EV_RXCHAR, ev, 1000));
    EXPECT_EQ(ev, EV_HANGUP);
    near->ModemStatus(lines);
    EXPECT_EQ(lines, 0u);
    EXPECT_EQ(near->Write("x", 1, 10), -1);
    EXPECT_EQ(near->LastError(), EIO);
    EXPECT_FALSE(near->WaitOutput(-1)); // a writer waiting for room is not left waiting
    EXPECT_EQ(near->LastError(), EIO);
}

TEST(SerialMemoryLine, FullQueueTimesOutAndCancels)
{
    auto line = TSerialMemoryLine::Create(19);
    line->SetCapacity(8);
    int err = 0;
    auto near = OpenSerialPort(19, err);
    ASSERT_TRUE(near);
    ASSERT_EQ(near->Write("abc", 3, 10), 3);
    EXPECT_EQ(near->Write("0123456789", 10, 30), 0);
    EXPECT_EQ(near->LastError(), ETIMEDOUT);
    EXPECT_EQ(line->Received(), "abc"); // nothing of the cancelled block
}

TEST(SerialMemoryLine, StatusReportsHoldsAndErrorsOnce)
{
    auto line = TSerialMemoryLine::Create(20);
    int err = 0;
    auto near = OpenSerialPort(20, err);
    ASSERT_TRUE(near);
    line->SetHolds(HOLD_CTS | HOLD_XOFF);
    line->SetErrors(CE_FRAME);
    line->Send("xy");
    TSerialStatus st;
    ASSERT_TRUE(near->Status(st));
    EXPECT_EQ(st.Holds, HOLD_CTS | HOLD_XOFF);
    EXPECT_EQ(st.Errors, CE_FRAME);
    EXPECT_EQ(st.InQueue, 2);
    ASSERT_TRUE(near->Status(st));
    EXPECT_EQ(st.Errors, 0u);
}

TEST(SerialMemoryLine, LineThatChangedAndChangedBackIsAnEvent)
{
    auto line = TSerialMemoryLine::Create(20);
    int err = 0;
    auto near = OpenSerialPort(20, err);
    ASSERT_TRUE(near);
    unsigned ev = 0;
    // Both changes happen before the wait looks (as during a delivery of the
    // component's event thread): the levels agree, the change count does not.
    line->SetDsr(false);
    line->SetDsr(true);
    ASSERT_TRUE(near->WaitEvents(EV_DSR | EV_CTS, ev, 1000));
    EXPECT_EQ(ev, EV_DSR);
    ASSERT_TRUE(near->WaitEvents(EV_DSR | EV_CTS, ev, 10));
    EXPECT_EQ(ev, 0u); // reported once
}

TEST(SerialMemoryLine, CancelledWriteReturnsAtOnce)
{
    auto line = TSerialMemoryLine::Create(21);
    line->SetCapacity(4);
    int err = 0;
    auto near = OpenSerialPort(21, err);
    ASSERT_TRUE(near);
    int written = 1;
    std::thread writer([&] { written = near->Write("0123456789", 10, -1); });
    ASSERT_TRUE(line->WaitReceived(4, 2000)); // the writer waits for room now
    near->CancelWrites();
    writer.join();
    EXPECT_EQ(written, 0);
    EXPECT_EQ(near->LastError(), ECANCELED);
    EXPECT_EQ(near->Write("0123456789", 10, -1), 0); // and every later wait for room
}

TEST(SerialMemoryLine, WaitInputSeesBytesThatWaitOrArrive)
{
    auto line = TSerialMemoryLine::Create(22);
    int err = 0;
    auto near = OpenSerialPort(22, err);
    ASSERT_TRUE(near);
    EXPECT_FALSE(near->WaitInput(10));
    std::thread far([&] { line->Send("Z"); });
    EXPECT_TRUE(near->WaitInput(-1));
    far.join();
    unsigned ev = 0;
    ASSERT_TRUE(near->WaitEvents(EV_RXCHAR, ev, 10));
    EXPECT_EQ(ev, EV_RXCHAR); // the wait took no report away
    EXPECT_TRUE(near->WaitInput(0));
    line->Hangup();
    EXPECT_FALSE(near->WaitInput(-1));
}
