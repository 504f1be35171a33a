#include <cerrno>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <thread>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include "platform/serial/SerialDevice.h"
#include "platform/serial/SerialMemoryLine.h"
#include "platform/serial/TtyDevice.h"
#include "tests/platform/serial/PtyLink.h"

namespace {

std::unique_ptr<TSerialDevice> Open(int Port)
{
    int err = 0;
    auto dev = OpenSerialPort(Port, err);
    EXPECT_TRUE(dev) << "port " << Port << ": " << SerialErrorText(err);
    return dev;
}

AnsiString AllBytes()
{
    AnsiString s;
    for (int i = 0; i < 256; ++i)
        s += char(i);
    return s;
}

} // namespace

TEST(SerialPort, OpensTheLinkInThePrefix)
{
    TPtyLink pty(7);
    EXPECT_EQ(SerialLinkDir(), (TPtyLink::Prefix() / "dosdevices").string());
    auto dev = Open(7);
    ASSERT_TRUE(dev);
    ASSERT_EQ(dev->Write("x", 1, 100), 1);
    EXPECT_EQ(pty.Receive(1), "x");
    int err = 0;
    EXPECT_FALSE(OpenSerialPort(0, err));
    EXPECT_EQ(err, ENOENT);
}

TEST(SerialPort, MissingAndBusyDevice)
{
    int err = 0;
    TPtyLink::Prefix();
    LinkSerialPort(18, "/dev/zv-no-such-device");
    EXPECT_FALSE(OpenSerialPort(18, err));
    EXPECT_EQ(err, ENOENT);
    UnlinkSerialPort(18, "/dev/zv-no-such-device");
    EXPECT_FALSE(OpenSerialDevice("LPT1", err));
    EXPECT_EQ(err, ENOENT);

    TPtyLink pty(3);
    auto first = Open(3);
    ASSERT_TRUE(first);
    EXPECT_FALSE(OpenSerialPort(3, err));
    EXPECT_EQ(err, EBUSY);
    EXPECT_FALSE(OpenSerialDevice("\\\\.\\COM3", err));
    EXPECT_EQ(err, EBUSY);
    first.reset();
    EXPECT_TRUE(OpenSerialDevice("com3", err)) << SerialErrorText(err);
}

TEST(SerialPort, LineSettingsRoundTrip)
{
    TPtyLink pty(4);
    auto dev = Open(4);
    ASSERT_TRUE(dev);
    struct Case {
        int baud, bits;
        TSerialParity parity;
        TSerialStopBits stop;
        bool rtscts, xout, xin;
    };
    const Case cases[] = {
        {1200, 8, TSerialParity::None, TSerialStopBits::One, false, false, false},
        {9600, 8, TSerialParity::None, TSerialStopBits::One, false, false, false},
        {38400, 7, TSerialParity::Even, TSerialStopBits::Two, false, false, false},
        {57600, 7, TSerialParity::Odd, TSerialStopBits::One, true, false, false},
        {115200, 6, TSerialParity::Mark, TSerialStopBits::One, false, true, false},
        {110, 5, TSerialParity::Space, TSerialStopBits::OneHalf, false, false, true},
        {256000, 8, TSerialParity::None, TSerialStopBits::Two, false, true, true},
        {250000, 8, TSerialParity::None, TSerialStopBits::One, false, false, false},
        {14400, 8, TSerialParity::Even, TSerialStopBits::One, false, false, false},
    };
    for (const auto& c : cases) {
        TSerialLine line;
        line.BaudRate = c.baud;
        line.DataBits = c.bits;
        line.Parity = c.parity;
        line.StopBits = c.stop;
        line.RtsCts = c.rtscts;
        line.XonXoffOut = c.xout;
        line.XonXoffIn = c.xin;
        line.XonChar = 0x11;
        line.XoffChar = 0x13;
        ASSERT_TRUE(dev->SetLine(line)) << c.baud << ": " << SerialErrorText(dev->LastError());
        TSerialLine back;
        ASSERT_TRUE(dev->GetLine(back));
        // A pseudo-terminal always carries 8 data bits without parity.
        back.DataBits = line.DataBits;
        back.Parity = line.Parity;
        if (line.StopBits == TSerialStopBits::OneHalf && back.StopBits == TSerialStopBits::Two)
            back.StopBits = TSerialStopBits::OneHalf;
        back.ParityCheck = line.ParityCheck;
        EXPECT_EQ(back, line) << c.baud;
    }
}

TEST(SerialPort, RefusesWhatNoDeviceCanDo)
{
    TPtyLink pty(4);
    auto dev = Open(4);
    ASSERT_TRUE(dev);
    TSerialLine bad[4];
    bad[0].DataBits = 4;
    bad[1].StopBits = TSerialStopBits::OneHalf; // with 8 data bits
    bad[2].BaudRate = 0;                        // would hang the line up
    bad[3].DataBits = 9;
    for (auto& line : bad) {
        EXPECT_FALSE(dev->SetLine(line));
        EXPECT_EQ(dev->LastError(), EINVAL);
    }
}

TEST(SerialPort, RawBytesBothWays)
{
    TPtyLink pty(5);
    auto dev = Open(5);
    ASSERT_TRUE(dev);
    ASSERT_TRUE(dev->SetLine(TSerialLine{}));
    const AnsiString all = AllBytes() + "AT\r\nFETC?\n";
    ASSERT_EQ(dev->Write(all.data(), int(all.size()), 1000), int(all.size()));
    EXPECT_EQ(pty.Receive(all.size()), all); // no CR/LF translation, no XON/XOFF taken out
    pty.Send(all);
    EXPECT_EQ(ReadCount(*dev, all.size()), all); // no echo, nothing translated
    char c;
    EXPECT_EQ(dev->Read(&c, 1), 0); // nothing more, no waiting
    EXPECT_EQ(pty.Receive(1, 50), ""); // nothing echoed back
}

TEST(SerialPort, PseudoTerminalHasDsrAndTakesModemRequests)
{
    TPtyLink pty(6);
    auto dev = Open(6);
    ASSERT_TRUE(dev);
    unsigned lines = 0;
    ASSERT_TRUE(dev->ModemStatus(lines));
    EXPECT_TRUE(lines & MS_DSR_ON);
    EXPECT_TRUE(dev->SetDtr(true));
    EXPECT_TRUE(dev->SetRts(false));
    EXPECT_TRUE(dev->SetBreak(false));
    EXPECT_TRUE(dev->Purge(true, true));
}

TEST(SerialPort, WaitReportsArrivalOnceAndHangUp)
{
    TPtyLink pty(8);
    auto dev = Open(8);
    ASSERT_TRUE(dev);
    dev->SetLine(TSerialLine{});
    unsigned ev = 0;
    ASSERT_TRUE(dev->WaitEvents(EV_RXCHAR | EV_DSR, ev, 30));
    EXPECT_EQ(ev, 0u);

    pty.Send("12345");
    ASSERT_TRUE(dev->WaitEvents(EV_RXCHAR | EV_DSR, ev, 2000));
    EXPECT_EQ(ev, EV_RXCHAR);
    TSerialStatus st;
    ASSERT_TRUE(dev->Status(st));
    EXPECT_EQ(st.InQueue, 5);
    // Still unread: not reported again.
    ASSERT_TRUE(dev->WaitEvents(EV_RXCHAR | EV_DSR, ev, 60));
    EXPECT_EQ(ev, 0u);
    pty.Send("6");
    ASSERT_TRUE(dev->WaitEvents(EV_RXCHAR | EV_DSR, ev, 2000));
    EXPECT_EQ(ev, EV_RXCHAR);
    EXPECT_EQ(ReadCount(*dev, 6), "123456");

    pty.CloseMaster();
    ASSERT_TRUE(dev->WaitEvents(EV_RXCHAR | EV_DSR, ev, 2000));
    EXPECT_EQ(ev, EV_HANGUP);
    unsigned lines = MS_DSR_ON;
    ASSERT_TRUE(dev->ModemStatus(lines));
    EXPECT_EQ(lines & MS_DSR_ON, 0u); // a hang-up reads as DSR low
    ASSERT_TRUE(dev->Status(st));
    EXPECT_EQ(st.InQueue, 0);
    char c;
    EXPECT_EQ(dev->Read(&c, 1), 0);
    EXPECT_EQ(dev->Write("x", 1, 100), -1);
    EXPECT_FALSE(dev->WaitOutput(-1)); // a writer waiting for room is not left waiting
    EXPECT_EQ(dev->LastError(), EIO);
}

// Bytes reported and left unread neither keep a wait awake nor hide what comes during it.
TEST(SerialPort, ArrivalDuringAWaitIsReportedWhileEarlierBytesStayUnread)
{
    TPtyLink pty(29);
    auto dev = Open(29);
    ASSERT_TRUE(dev);
    dev->SetLine(TSerialLine{});
    unsigned ev = 0;
    pty.Send("1");
    ASSERT_TRUE(dev->WaitEvents(EV_RXCHAR | EV_DSR, ev, 2000));
    ASSERT_EQ(ev, EV_RXCHAR);
    for (const char* more : {"2", "34"}) {
        std::thread sender([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(30));
            pty.Send(more);
        });
        ASSERT_TRUE(dev->WaitEvents(EV_RXCHAR | EV_DSR, ev, 5000));
        sender.join();
        EXPECT_EQ(ev, EV_RXCHAR) << more;
    }
    EXPECT_EQ(ReadCount(*dev, 4), "1234");
    std::thread closer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        pty.CloseMaster();
    });
    ASSERT_TRUE(dev->WaitEvents(EV_RXCHAR | EV_DSR, ev, 5000));
    closer.join();
    EXPECT_EQ(ev, EV_HANGUP);
}

TEST(SerialPort, WakeEndsAWaitOfAnotherThread)
{
    TPtyLink pty(9);
    auto dev = Open(9);
    ASSERT_TRUE(dev);
    for (int i = 0; i < 20; ++i) {
        unsigned ev = 99;
        bool ok = false;
        std::thread waiter([&] { ok = dev->WaitEvents(EV_RXCHAR | EV_DSR, ev, -1); });
        if (i % 2)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        dev->Wake();
        waiter.join();
        EXPECT_TRUE(ok);
        EXPECT_EQ(ev, 0u);
    }
}

TEST(SerialPort, TimedOutWriteIsCancelled)
{
    TPtyLink pty(10);
    auto dev = Open(10);
    ASSERT_TRUE(dev);
    dev->SetLine(TSerialLine{});
    // The far end reads nothing, so the queues fill up.
    AnsiString big(1 << 20, 'x');
    auto t0 = std::chrono::steady_clock::now();
    EXPECT_EQ(dev->Write(big.data(), int(big.size()), 100), 0);
    EXPECT_EQ(dev->LastError(), ETIMEDOUT);
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(5));
    // The far end may hold what it took before the time ran out, but nothing of
    // the cancelled transfer follows the next line.
    ASSERT_EQ(dev->Write("OK\n", 3, 1000), 3);
    AnsiString got = pty.Receive(big.size() + 3, 300);
    ASSERT_GE(got.size(), 3u);
    EXPECT_EQ(got.substr(got.size() - 3), "OK\n");
    EXPECT_LT(got.size(), big.size());
    EXPECT_EQ(got.find_first_not_of('x'), got.size() - 3);
}

TEST(SerialPort, LineSettingsAreRawAtEveryRateOffered)
{
    TPtyLink pty(13);
    // A device over a descriptor of our own, whose duplicate shows what the driver holds.
    int fd = open(pty.SlavePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    const int view = dup(fd);
    int err = 0;
    TTtyDevice dev(fd, err);
    ASSERT_EQ(err, 0);
    const struct {
        int rate;
        speed_t speed;
    } rates[] = {{1200, B1200}, {9600, B9600}, {38400, B38400}, {57600, B57600}, {115200, B115200}};
    for (const auto& r : rates) {
        TSerialLine line;
        line.BaudRate = r.rate;
        ASSERT_TRUE(dev.SetLine(line)) << r.rate;
        termios t{};
        ASSERT_EQ(tcgetattr(view, &t), 0);
        EXPECT_EQ(cfgetospeed(&t), r.speed) << r.rate;
        EXPECT_EQ(cfgetispeed(&t), r.speed) << r.rate;
        EXPECT_EQ(t.c_lflag & (ECHO | ECHONL | ICANON | ISIG | IEXTEN), 0u) << r.rate;
        EXPECT_EQ(t.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP | IXON | IXOFF | BRKINT | PARMRK), 0u) << r.rate;
        EXPECT_EQ(t.c_oflag & OPOST, 0u) << r.rate;
        EXPECT_EQ(t.c_cflag & (CLOCAL | CREAD), tcflag_t(CLOCAL | CREAD)) << r.rate; // no carrier needed
        EXPECT_EQ(t.c_cc[VMIN], 0) << r.rate;
        EXPECT_EQ(t.c_cc[VTIME], 0) << r.rate;
        TSerialLine back;
        ASSERT_TRUE(dev.GetLine(back));
        EXPECT_EQ(back.BaudRate, r.rate);
    }
    close(view);
}

// A wake given while no one waits ends the next wait, on every kind of device.
TEST(SerialPort, WakeBeforeTheWaitIsNotLost)
{
    TPtyLink pty(14);
    auto tty = Open(14);
    ASSERT_TRUE(tty);
    auto line = TSerialMemoryLine::Create(28);
    auto memory = Open(28);
    ASSERT_TRUE(memory);
    for (TSerialDevice* dev : {tty.get(), memory.get()}) {
        dev->Wake();
        unsigned ev = 99;
        auto t0 = std::chrono::steady_clock::now();
        ASSERT_TRUE(dev->WaitEvents(EV_RXCHAR | EV_DSR, ev, 10000));
        EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(5)) << "wake-up lost";
        EXPECT_EQ(ev, 0u);
        // Used up: the following wait runs its time.
        ASSERT_TRUE(dev->WaitEvents(EV_RXCHAR | EV_DSR, ev, 30));
        EXPECT_EQ(ev, 0u);
        // Woken from another thread while it waits without limit.
        std::thread waker([dev] {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            dev->Wake();
        });
        ASSERT_TRUE(dev->WaitEvents(EV_RXCHAR | EV_DSR, ev, -1));
        waker.join();
    }
}

// A writer waits on the device for room: until the far end takes bytes, a wake,
// or the time runs out; a cancel ends every wait. On every kind of device.
TEST(SerialPort, WaitOutputWaitsForRoom)
{
    TPtyLink pty(15);
    auto tty = Open(15);
    ASSERT_TRUE(tty);
    auto line = TSerialMemoryLine::Create(29);
    line->SetCapacity(8);
    auto memory = Open(29);
    ASSERT_TRUE(memory);
    const AnsiString block(4096, 'r');
    struct Case {
        TSerialDevice* dev;
        std::function<void()> drainFarEnd;
    };
    const Case cases[] = {
        {tty.get(),
         [&] {
             char buf[4096];
             while (pty.Master().Read(buf, sizeof buf) > 0) {}
         }},
        {memory.get(), [&] { line->Received(); }},
    };
    for (const Case& c : cases) {
        TSerialDevice* dev = c.dev;
        EXPECT_TRUE(dev->WaitOutput(0)); // an empty driver has room
        // Filled until no room appears for a while (the far end reads nothing).
        int filled = 0;
        while (dev->WaitOutput(50))
            while (const int n = dev->WriteSome(block.data(), int(block.size())))
                filled += n;
        EXPECT_GT(filled, 0);
        EXPECT_EQ(dev->LastError(), ETIMEDOUT);

        // A wake given while no one waits ends the next wait; then it is used up.
        dev->WakeOutput();
        auto t0 = std::chrono::steady_clock::now();
        EXPECT_TRUE(dev->WaitOutput(10000));
        EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(5)) << "wake-up lost";
        EXPECT_FALSE(dev->WaitOutput(30));
        // Woken from another thread while it waits without limit.
        std::thread waker([dev] {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            dev->WakeOutput();
        });
        EXPECT_TRUE(dev->WaitOutput(-1));
        waker.join();
        // The far end takes the bytes: room again.
        std::thread far([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
            c.drainFarEnd();
        });
        EXPECT_TRUE(dev->WaitOutput(-1));
        far.join();
        EXPECT_GT(dev->WriteSome("x", 1), 0);

        dev->CancelWrites();
        EXPECT_FALSE(dev->WaitOutput(-1));
        EXPECT_EQ(dev->LastError(), ECANCELED);
    }
}
