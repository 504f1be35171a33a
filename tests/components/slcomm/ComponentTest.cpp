#include <gtest/gtest.h>

#include "SlcommTestSupport.h"
#include "components/slcomm/Slcomm32.h"
#include "components/slcomm/Slcommdevice.h"
#include "platform/serial/SerialMemoryLine.h"

using namespace CorlanComm32;

TEST(SLComm32, LineSettersCloseThePortOthersKeepItOpen)
{
    auto line = TSerialMemoryLine::Create(23);
    TSLComm32 c(nullptr);
    EXPECT_EQ(c.PortNo(), 2);
    EXPECT_EQ(c.Baud(), 115200);
    EXPECT_EQ(c.InBufSize(), 8192);
    EXPECT_EQ(c.HwInSize(), 1200);
    c.SetPortNo(23);
    const std::vector<std::pair<const char*, std::function<void()>>> closing = {
        {"Baud", [&] { c.SetBaud(9600); }},          {"Parity", [&] { c.SetParity(2); }},
        {"ByteSize", [&] { c.SetByteSize(7); }},     {"StopBits", [&] { c.SetStopBits(2); }},
        {"FlowControl", [&] { c.SetFlowControl(TComm32::fcRtsCts); }},
        {"PortNo", [&] { c.SetPortNo(23); }},         {"HwInSize", [&] { c.SetHwInSize(4000); }},
        {"HwOutSize", [&] { c.SetHwOutSize(4000); }},
    };
    for (const auto& [name, set] : closing) {
        c.SetActive(true);
        ASSERT_TRUE(c.Active()) << name;
        set();
        EXPECT_FALSE(c.Active()) << name;
    }
    EXPECT_EQ(line->Line().Parity, TSerialParity::Even);
    c.SetActive(true);
    c.SetAutoAnswer(3);
    c.SetDisableWrite(true);
    line->Send("kept?");
    ASSERT_TRUE(WaitFor([&] { return c.InQueue()->Count() == 5; }));
    c.SetInBufSize(10000);
    c.SetOutBufSize(9000);
    EXPECT_TRUE(c.Active());
    EXPECT_EQ(c.InQueue()->Count(), 0);  // resizing discards
    EXPECT_EQ(c.InBufSize(), 10000);
    EXPECT_TRUE(c.DisableWrite());
}

TEST(SLComm32, EventsCarryTheComponent)
{
    auto line = TSerialMemoryLine::Create(24);
    TSLComm32 c(nullptr);
    c.SetPortNo(24);
    std::atomic<TObject*> sender{nullptr};
    std::atomic<int> opened{0}, closing{0};
    c.OnCommNotify = [&](TObject* s, std::int32_t n) {
        if (n & 1)
            sender = s;
    };
    c.AfterOpen = [&](TObject* s) { opened += s == &c; };
    c.BeforeClose = [&](TObject* s) { closing += s == &c; };
    c.SetActive(true);
    line->Send("x");
    EXPECT_TRUE(WaitFor([&] { return sender.load() == &c; }));
    char b;
    EXPECT_EQ(c.Read(&b, 1), 1);
    EXPECT_EQ(c.Write("y", 1), 1);
    EXPECT_TRUE(line->WaitReceived(1, 3000));
    c.SetActive(false);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(closing, 1);
    c.SetPortNo(98);
    EXPECT_THROW(c.SetActive(true), EComm32Error);
    EXPECT_FALSE(c.Active());
}

TEST(SlCommDevice, EnumeratedSettings)
{
    TSlCommDevice d(nullptr);
    using D = TSlCustomCommDevice;
    d.SetBaud(D::br56000);
    EXPECT_EQ(d.Engine()->DCB.BaudRate, 56000);
    EXPECT_EQ(d.Baud(), D::br56000);
    d.SetBaud(static_cast<D::TBaudRate>(20));
    EXPECT_EQ(d.Engine()->DCB.BaudRate, 115200);
    d.Engine()->DCB.BaudRate = 12345;
    EXPECT_EQ(d.Baud(), D::br115200);
    d.SetFlowControl(D::fcTranXonXoff);
    EXPECT_EQ(d.FlowControl(), D::fcXonXoff);
    d.SetFlowControl(D::fcRtsCtsXonXoff);
    EXPECT_EQ(d.FlowControl(), D::fcRtsCtsXonXoff);
    d.SetByteSize(300);
    EXPECT_EQ(d.ByteSize(), 255);
    d.SetAutoAnswer(-5);
    EXPECT_EQ(d.AutoAnswer(), 0);
    d.SetParity(static_cast<D::TParity>(9));
    EXPECT_EQ(d.Parity(), D::ptNoParity);
    d.SetStopBits(D::sbTwoStopBit);
    EXPECT_EQ(d.StopBits(), D::sbTwoStopBit);
    d.Engine()->DCB.StopBits = 7;
    EXPECT_EQ(d.StopBits(), D::sbOneStopBit);
    EXPECT_EQ(d.QueueSize(), 16);
    EXPECT_EQ(d.PackageSize(), 4096);
    EXPECT_EQ(d.PackageInterval(), 50);
    EXPECT_EQ(d.FrameSettings()->FrameHead(), 0xEB);
    TSlCommDevice other(nullptr);
    other.FrameSettings()->SetFrameHead(0x55);
    other.FrameSettings()->SetFrameTail(0x56);
    other.FrameSettings()->SetFrameCtrl(0x57);
    d.SetFrameSettings(other.FrameSettings());
    EXPECT_EQ(d.Package()->FrameHead(), 0x55);
    EXPECT_EQ(d.Package()->FrameCtrl(), 0x57);
    EXPECT_EQ(d.EscapeCommFunction(5), 0u);  // inactive: nothing
}

TEST(SlCommDevice, PacketsOnAndOffAndTheOrderOfNotices)
{
    auto line = TSerialMemoryLine::Create(25);
    TSlCommDevice d(nullptr);
    d.SetPortNo(25);
    d.SetPackageType(cptFrameHeadTail);
    TNoticeLog order;  // 1: OnPackage, 2: OnCommNotify, each times 0x38 seen
    d.OnPackage = [&](TObject*, std::int32_t n) {
        if (n == 0x38)
            order.Add(1);
    };
    d.OnCommNotify = [&](TObject*, std::int32_t n) {
        if (n == 0x38)
            order.Add(2);
    };
    d.SetActive(true);
    EXPECT_FALSE(d.Package()->Active());
    EXPECT_EQ(order.All(), std::vector<int>{2});
    d.SetUsePackage(true);  // no reopening
    EXPECT_TRUE(d.Package()->Active());
    EXPECT_TRUE(d.Active());
    EXPECT_EQ(line->LineChanges(), 1);

    EXPECT_EQ(d.WritePackage("abc", 3u), 3u);
    EXPECT_FALSE(d.WritePackage("abc"));  // a record needs its size
    EXPECT_TRUE(line->WaitReceived(7, 3000));
    line->Received();
    line->Send("\xEB\xEB" "in\xEE\xEE");
    ASSERT_TRUE(WaitFor([&] { return d.ReadPackage(static_cast<void*>(nullptr)); }));
    char buf[8] = {};
    EXPECT_EQ(d.ReadPackage(buf, 8u), 2u);
    EXPECT_STREQ(buf, "in");

    // The device reads CTS and carrier as bits 1 and 8.
    line->SetCarrier(true);
    line->SetDsr(false);
    ASSERT_TRUE(WaitFor([&] { return d.ModemStatus() == 9; }));
    EXPECT_EQ(d.EscapeCommFunction(6), 1u);
    EXPECT_FALSE(line->Dtr());

    order.Clear();
    d.SetPackageType(cptFrameTimeout);
    EXPECT_FALSE(d.Active());
    EXPECT_NE(d.Handle(), nullptr);
    d.SetActive(true);
    EXPECT_TRUE(d.Active());
    d.SetActive(false);
    EXPECT_EQ(order.All(), (std::vector<int>{1, 2}));  // closing reaches OnPackage first
    d.SetUsePackage(false);
    d.SetActive(true);
    EXPECT_FALSE(d.Package()->Active());
}
