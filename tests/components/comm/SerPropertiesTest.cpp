#include <functional>
#include <gtest/gtest.h>

#include "components/comm/Sercomm.h"
#include "platform/serial/SerialMemoryLine.h"
#include "tests/components/comm/CommTestSupport.h"

TEST(SerCommProperties, Defaults)
{
    TSerComm c(nullptr);
    EXPECT_FALSE(c.Active());
    EXPECT_FALSE(c.AutoOpen());
    EXPECT_EQ(c.Baudrate(), br1200);
    EXPECT_EQ(c.Parity(), paNone);
    EXPECT_EQ(c.Databits(), db8);
    EXPECT_EQ(c.Stopbits(), sb1);
    EXPECT_TRUE(c.Options().Empty());
    EXPECT_EQ(c.PortNum(), 0);
    EXPECT_EQ(c.DeviceName(), "COM%d");
    EXPECT_EQ(c.MonitorEvents(), (TSerCommEvents{ceError, ceRxChar, ceTxEmpty}));
    EXPECT_EQ(c.EventPriority(), tpNormal);
    EXPECT_EQ(c.WritePriority(), tpHighest);
    EXPECT_FALSE(c.DirectWrite());
    EXPECT_TRUE(c.UpdateDCB());
    EXPECT_EQ(c.UserBaudrate(), 0);
    EXPECT_EQ(c.Display(), nullptr);
    EXPECT_EQ(c.Version(), "1.3.5.0");
    c.SetVersion("9.9");
    EXPECT_EQ(c.Version(), "1.3.5.0");
    EXPECT_EQ(TSerCustomComm::GetVersionNr(), 0x01030500u);

    const TSerBuffers& b = *c.Buffers();
    EXPECT_EQ(b.ReadSize(), 4096);
    EXPECT_EQ(b.WriteSize(), 2048);
    EXPECT_EQ(b.ReadTimeout(), 1000);
    EXPECT_EQ(b.WriteTimeout(), 1000);
    EXPECT_EQ(b.XonLimit(), 1024);
    EXPECT_EQ(b.XoffLimit(), 1024);
    const TSerEventChars& e = *c.EventChars();
    EXPECT_EQ(e.XonChar(), 17);
    EXPECT_EQ(e.XoffChar(), 19);
    EXPECT_EQ(e.ErrorChar(), 0);
    EXPECT_EQ(e.EventChar(), 0);
    EXPECT_EQ(e.EofChar(), 0);
    const TSerFlowControl& f = *c.FlowControl();
    EXPECT_FALSE(f.OutCtsFlow() || f.OutDsrFlow() || f.XonXoffOut() || f.XonXoffIn() || f.DsrSensitivity() ||
                 f.TxContinueOnXoff());
    EXPECT_EQ(f.ControlDtr(), dtrDisabled);
    EXPECT_EQ(f.ControlRts(), rtsDisabled);
}

TEST(SerCommProperties, RefusedWhileOpen)
{
    auto line = TSerialMemoryLine::Create(1);
    TSerComm c(nullptr);
    c.SetPortNum(1);
    c.SetDirectWrite(true);
    c.Open();
    ASSERT_TRUE(c.Active());
    TSerBuffers other;
    other.SetReadSize(100);
    const struct {
        const char* name;
        std::function<void()> change;
        std::function<bool()> unchanged;
    } cases[] = {
        {"PortNum", [&] { c.SetPortNum(2); }, [&] { return c.PortNum() == 1; }},
        {"PortNum same", [&] { c.SetPortNum(1); }, [&] { return c.PortNum() == 1; }},
        {"DeviceName", [&] { c.SetDeviceName("/dev/null"); }, [&] { return c.DeviceName() == "COM%d"; }},
        {"MonitorEvents", [&] { c.SetMonitorEvents({ceDsr}); },
         [&] { return c.MonitorEvents() == TSerCommEvents{ceError, ceRxChar, ceTxEmpty}; }},
        {"DirectWrite", [&] { c.SetDirectWrite(false); }, [&] { return c.DirectWrite(); }},
        {"UpdateDCB", [&] { c.SetUpdateDCB(false); }, [&] { return c.UpdateDCB(); }},
        {"Buffers", [&] { c.SetBuffers(&other); }, [&] { return c.Buffers()->ReadSize() == 4096; }},
        {"Open", [&] { c.Open(); }, [&] { return c.Active(); }},
    };
    for (const auto& k : cases) {
        try {
            k.change();
            ADD_FAILURE() << k.name << " was taken";
        } catch (const ESerCommError& e) {
            EXPECT_STREQ(e.what(), "Can't perform this operation while port is open") << k.name;
        }
        EXPECT_TRUE(k.unchanged()) << k.name;
        EXPECT_TRUE(c.Active()) << k.name;
    }
    // A limit of the group changed while open keeps its new value and still raises.
    for (auto change : {std::function<void()>([&] { c.Buffers()->SetXonLimit(10); }),
                        std::function<void()>([&] { c.Buffers()->SetReadSize(10); })}) {
        EXPECT_THROW(change(), ESerCommError);
    }
    EXPECT_EQ(c.Buffers()->XonLimit(), 10);
    EXPECT_EQ(c.Buffers()->ReadSize(), 10);
    // Time-outs and line settings are taken while open.
    c.Buffers()->SetReadTimeout(5);
    c.SetParity(paEven);
    c.SetEventPriority(tpLower);
    EXPECT_EQ(c.Parity(), paEven);
    c.Close();
    c.SetPortNum(0); // any value while closed
    EXPECT_EQ(c.PortNum(), 0);
}

TEST(SerCommProperties, LCRComControlBlock)
{
    TSerComm c(nullptr);
    ConfigureAsLCRCom(c);
    TDCB d = c.BuildDCB();
    EXPECT_EQ(d.BaudRate, 9600u);
    EXPECT_EQ(d.ByteSize, 8);
    EXPECT_EQ(d.Parity, 0);
    EXPECT_EQ(d.StopBits, 0);
    EXPECT_EQ(d.Flags, 0x1011u);
    EXPECT_EQ(d.XonLim, 1024);
    EXPECT_EQ(d.XoffLim, 1024);
    EXPECT_EQ(d.XonChar, 17);
    EXPECT_EQ(d.XoffChar, 19);
    EXPECT_EQ(d.ErrorChar, 0);
    EXPECT_EQ(d.EofChar, 0);
    EXPECT_EQ(d.EvtChar, 0);

    auto line = TSerialMemoryLine::Create(2);
    c.SetPortNum(2);
    c.Open();
    TSerialLine l = line->Line();
    EXPECT_EQ(l.BaudRate, 9600);
    EXPECT_EQ(l.DataBits, 8);
    EXPECT_EQ(l.Parity, TSerialParity::None);
    EXPECT_EQ(l.StopBits, TSerialStopBits::One);
    EXPECT_FALSE(l.RtsCts || l.XonXoffIn || l.XonXoffOut);
    EXPECT_TRUE(line->Dtr());
    EXPECT_TRUE(line->Rts());
    EXPECT_EQ(c.EventMask(), 0x0011u);
}

// Each setting and the control block and line it makes.
TEST(SerCommProperties, SettingsMakeTheirLine)
{
    auto line = TSerialMemoryLine::Create(3);
    TSerComm c(nullptr);
    c.SetPortNum(3);
    c.SetDirectWrite(true);
    c.Open();
    const struct {
        const char* name;
        std::function<void()> set;
        std::function<bool(const TDCB&)> dcb;
        std::function<bool(const TSerialLine&)> applied;
    } cases[] = {
        {"br115200", [&] { c.SetBaudrate(br115200); }, [](const TDCB& d) { return d.BaudRate == 115200; },
         [](const TSerialLine& l) { return l.BaudRate == 115200; }},
        {"br256000", [&] { c.SetBaudrate(br256000); }, [](const TDCB& d) { return d.BaudRate == 256000; },
         [](const TSerialLine& l) { return l.BaudRate == 256000; }},
        {"UserBaudrate", [&] { c.SetUserBaudrate(250000); }, [](const TDCB& d) { return d.BaudRate == 250000; },
         [](const TSerialLine& l) { return l.BaudRate == 250000; }},
        {"paOdd", [&] { c.SetParity(paOdd); }, [](const TDCB& d) { return d.Parity == 1; },
         [](const TSerialLine& l) { return l.Parity == TSerialParity::Odd; }},
        {"paMark", [&] { c.SetParity(paMark); }, [](const TDCB& d) { return d.Parity == 3; },
         [](const TSerialLine& l) { return l.Parity == TSerialParity::Mark; }},
        {"paSpace", [&] { c.SetParity(paSpace); }, [](const TDCB& d) { return d.Parity == 4; },
         [](const TSerialLine& l) { return l.Parity == TSerialParity::Space; }},
        {"db7", [&] { c.SetDatabits(db7); }, [](const TDCB& d) { return d.ByteSize == 7; },
         [](const TSerialLine& l) { return l.DataBits == 7; }},
        {"sb2", [&] { c.SetStopbits(sb2); }, [](const TDCB& d) { return d.StopBits == 2; },
         [](const TSerialLine& l) { return l.StopBits == TSerialStopBits::Two; }},
        {"OutCtsFlow", [&] { c.FlowControl()->SetOutCtsFlow(true); },
         [](const TDCB& d) { return (d.Flags & 0x0004) != 0; }, [](const TSerialLine& l) { return l.RtsCts; }},
        {"XonXoffOut", [&] { c.FlowControl()->SetXonXoffOut(true); },
         [](const TDCB& d) { return (d.Flags & 0x0100) != 0; }, [](const TSerialLine& l) { return l.XonXoffOut; }},
        {"XonXoffIn", [&] { c.FlowControl()->SetXonXoffIn(true); },
         [](const TDCB& d) { return (d.Flags & 0x0200) != 0; }, [](const TSerialLine& l) { return l.XonXoffIn; }},
        {"XonChar", [&] { c.EventChars()->SetXonChar(1); }, [](const TDCB& d) { return d.XonChar == 1; },
         [](const TSerialLine& l) { return l.XonChar == 1; }},
        {"coParityCheck", [&] { c.SetOptions({coParityCheck}); },
         [](const TDCB& d) { return (d.Flags & 0x0002) != 0; }, [](const TSerialLine& l) { return l.ParityCheck; }},
        {"coNullStrip", [&] { c.SetOptions({coNullStrip, coErrorChar}); },
         [](const TDCB& d) { return (d.Flags & 0x0C02) == 0x0C00; }, [](const TSerialLine& l) { return !l.ParityCheck; }},
        {"DsrSensitivity", [&] { c.FlowControl()->SetDsrSensitivity(true); },
         [](const TDCB& d) { return (d.Flags & 0x0040) != 0; }, [](const TSerialLine&) { return true; }},
        {"TxContinueOnXoff", [&] { c.FlowControl()->SetTxContinueOnXoff(true); },
         [](const TDCB& d) { return (d.Flags & 0x0080) != 0; }, [](const TSerialLine&) { return true; }},
        {"rtsToggle", [&] { c.FlowControl()->SetControlRts(rtsToggle); },
         [](const TDCB& d) { return (d.Flags & 0x3000) == 0x3000; }, [](const TSerialLine&) { return true; }},
        {"dtrHandshake", [&] { c.FlowControl()->SetControlDtr(dtrHandshake); },
         [](const TDCB& d) { return (d.Flags & 0x0030) == 0x0020; }, [](const TSerialLine&) { return true; }},
    };
    for (const auto& k : cases) {
        const int before = line->LineChanges();
        k.set();
        EXPECT_TRUE(k.dcb(c.BuildDCB())) << k.name;
        EXPECT_TRUE(k.applied(line->Line())) << k.name;
        EXPECT_EQ(line->LineChanges(), before + 1) << k.name << ": written once, at once";
    }
    EXPECT_EQ(c.BuildDCB().Flags & 0x4000, 0u); // never abort on error
}

TEST(SerCommProperties, BaudrateRules)
{
    auto line = TSerialMemoryLine::Create(4);
    TSerComm c(nullptr);
    c.SetPortNum(4);
    c.SetDirectWrite(true);
    c.Open();
    int n = line->LineChanges();
    c.SetBaudrate(br1200); // the current value: nothing written
    EXPECT_EQ(line->LineChanges(), n);
    c.SetUserBaudrate(250000);
    EXPECT_EQ(c.Baudrate(), brUser);
    EXPECT_EQ(line->Line().BaudRate, 250000);
    c.SetBaudrate(br57600);
    EXPECT_EQ(c.UserBaudrate(), 0);
    EXPECT_EQ(line->Line().BaudRate, 57600);
    c.Close();
    c.SetUserBaudrate(0);
    c.SetBaudrate(brUser);
    EXPECT_EQ(c.BuildDCB().BaudRate, 0u);
    // A block the device refuses during Open leaves the port closed.
    try {
        c.Open();
        ADD_FAILURE();
    } catch (const ESerCommError& e) {
        EXPECT_EQ(AnsiString(e.what()), "Error writing dcb (22), Invalid argument");
    }
    EXPECT_FALSE(c.Active());
    EXPECT_FALSE(line->NearOpen());
    // Refused by the device: the component's error, the property keeps its value.
    c.SetBaudrate(br9600);
    c.Open();
    EXPECT_THROW(c.SetBaudrate(brUser), ESerCommError);
    try {
        c.SetDatabits(db4);
        ADD_FAILURE();
    } catch (const ESerCommError& e) {
        EXPECT_EQ(AnsiString(e.what()), "Error writing dcb (22), Invalid argument");
    }
    EXPECT_EQ(c.Databits(), db4);
    EXPECT_TRUE(c.Active());
}

TEST(SerCommProperties, UpdateDCBFalseLeavesTheDevice)
{
    auto line = TSerialMemoryLine::Create(5);
    TSerComm c(nullptr);
    c.SetPortNum(5);
    c.SetUpdateDCB(false);
    c.Open();
    c.SetParity(paEven);
    EXPECT_EQ(line->LineChanges(), 0);
}

TEST(SerCommProperties, GroupsNotifyAndCopy)
{
    TSerFlowControl f;
    int notified = 0;
    f.OnChange = [&](TObject*) { ++notified; };
    f.EndUpdate(); // without BeginUpdate: notifies all the same
    EXPECT_EQ(notified, 1);
    f.SetOutCtsFlow(false); // unchanged
    EXPECT_EQ(notified, 1);
    TSerFlowControl src;
    src.SetControlDtr(dtrEnabled);
    src.SetXonXoffIn(true);
    f.Assign(&src);
    EXPECT_EQ(notified, 2); // one for the whole copy
    EXPECT_EQ(f.ControlDtr(), dtrEnabled);
    EXPECT_TRUE(f.XonXoffIn());
    TSerBuffers b;
    EXPECT_THROW(f.Assign(&b), EConvertError);

    TSerEventChars e;
    int chars = 0;
    e.OnChange = [&](TObject*) { ++chars; };
    e.SetEofChar(26);
    e.SetEofChar(26); // notifies also unchanged
    EXPECT_EQ(chars, 2);
    EXPECT_EQ(e.EofChar(), 26);
    EXPECT_EQ(e.EventChar(), 0);

    TSerComm c(nullptr);
    c.EventChars()->SetEofChar(26);
    EXPECT_EQ(c.BuildDCB().EofChar, 26);
    EXPECT_EQ(c.BuildDCB().EvtChar, 0);

    // The component's event chars rewrite an open port even when unchanged.
    auto line = TSerialMemoryLine::Create(6);
    c.SetPortNum(6);
    c.Open();
    int n = line->LineChanges();
    c.EventChars()->SetXonChar(c.EventChars()->XonChar());
    EXPECT_EQ(line->LineChanges(), n + 1);
}

TEST(SerCommProperties, ReadDCB)
{
    TSerComm c(nullptr);
    TDCB d;
    d.BaudRate = 250000;
    d.ByteSize = 9;
    d.Parity = 7;
    d.StopBits = 1;
    d.Flags = 0x3000 | 0x0004 | 0x0800;
    d.XonChar = 5;
    d.EofChar = 26;
    d.XonLim = 100;
    c.ReadDCB(d);
    EXPECT_EQ(c.Baudrate(), brUser);
    EXPECT_EQ(c.UserBaudrate(), 250000);
    EXPECT_EQ(c.Databits(), db8);
    EXPECT_EQ(c.Parity(), paNone);
    EXPECT_EQ(c.Stopbits(), sb15);
    EXPECT_EQ(c.FlowControl()->ControlRts(), rtsToggle);
    EXPECT_EQ(c.FlowControl()->ControlDtr(), dtrDisabled);
    EXPECT_TRUE(c.FlowControl()->OutCtsFlow());
    EXPECT_EQ(c.Options(), (TSerCommOptions{coNullStrip}));
    EXPECT_EQ(c.EventChars()->XonChar(), 5);
    EXPECT_EQ(c.EventChars()->EofChar(), 26);
    EXPECT_EQ(c.Buffers()->XonLimit(), 100);
    d.BaudRate = 38400;
    d.Flags = 0x0030;
    c.ReadDCB(d);
    EXPECT_EQ(c.Baudrate(), br38400);
    EXPECT_EQ(c.UserBaudrate(), 0);
    EXPECT_EQ(c.FlowControl()->ControlDtr(), dtrEnabled); // 3 reads as enabled
}

TEST(SerCommProperties, ResetPortParameters)
{
    TSerComm c(nullptr);
    c.SetPortNum(19);
    std::filesystem::remove(std::filesystem::path(SerialLinkDir()) / "com19");
    try {
        c.ResetPortParameters();
        ADD_FAILURE();
    } catch (const ESerCommError& e) {
        EXPECT_STREQ(e.what(), "Error reading default port parameters.");
    }
    auto line = TSerialMemoryLine::Create(19);
    c.SetBaudrate(br115200);
    c.ResetPortParameters();
    EXPECT_EQ(c.Baudrate(), br9600);
    EXPECT_EQ(c.FlowControl()->ControlDtr(), dtrEnabled);
    EXPECT_EQ(c.FlowControl()->ControlRts(), rtsEnabled);
}

TEST(SerCommProperties, AutoOpenOpensOnceLoaded)
{
    auto line = TSerialMemoryLine::Create(7);
    TComponent form(nullptr);
    auto* c = new TSerComm(&form);
    form.BeginLoading();
    c->SetPortNum(7);
    c->SetAutoOpen(true);
    EXPECT_FALSE(c->Active());
    form.EndLoading(); // Loaded opens the port
    EXPECT_TRUE(c->Active());

    TSerComm designed(nullptr);
    designed.SetDesigning(true);
    designed.BeginLoading();
    designed.SetPortNum(8);
    designed.SetAutoOpen(true);
    designed.EndLoading(); // not while designing
    EXPECT_FALSE(designed.Active());
}
