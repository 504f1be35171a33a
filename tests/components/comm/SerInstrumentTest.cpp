// The component against the simulated instrument, opened as the main window opens LCRCom.
#include <gtest/gtest.h>

#include "components/comm/Sercomm.h"
#include "platform/core/Synchronize.h"
#include "tests/components/comm/CommTestSupport.h"
#include "tools/instrument-sim/InstrumentSim.h"

TEST(SerCommInstrument, IdentificationAndHangUpOfTheSimulatedInstrument)
{
    TSimOptions options;
    options.Model = "ZVC";
    options.Firmware = "V2.03";
    options.SerialNumber = "ZV25110042";
    TInstrumentSim sim(options);
    sim.StartAsPort(17);

    TSerComm c(nullptr);
    ConfigureAsLCRCom(c);
    AnsiString reply;
    int rxChars = 0;
    int dsr = 0;
    bool onMain = true;
    c.OnRxChar = [&](TObject* Sender, int Count) {
        EXPECT_EQ(Sender, &c);
        EXPECT_GT(Count, 0);
        onMain = onMain && IsMainThread();
        ++rxChars;
        reply += c.ReadText();
    };
    c.OnDsr = [&](TObject*) {
        onMain = onMain && IsMainThread();
        ++dsr;
    };

    // The Ok button: the rate first, then the port number, open, DTR and then RTS raised.
    c.SetBaudrate(br115200);
    c.SetPortNum(17);
    c.Open();
    c.SetDTR(true);
    c.SetRTS(true);
    ASSERT_TRUE(c.Active());

    ASSERT_TRUE(c.WriteText("*IDN?\n"));
    ASSERT_TRUE(PumpUntil([&] { return reply.find('\n') != AnsiString::npos; }, 5000)) << reply;
    EXPECT_EQ(reply, "ZVC,V2.03,ZV25110042,\n");
    EXPECT_GE(rxChars, 1);
    EXPECT_EQ(sim.Lines(), std::vector<AnsiString>{"*IDN?"});
    EXPECT_EQ(dsr, 0);

    sim.HangUp();
    ASSERT_TRUE(PumpUntil([&] { return dsr > 0; }, 5000));
    PumpFor(150);
    EXPECT_EQ(dsr, 1);
    EXPECT_TRUE(onMain);
    EXPECT_FALSE(c.GetModemStatus(2)); // the instrument is off line
    EXPECT_TRUE(c.Active());           // the port stays open until the program closes it
    c.Close();
    EXPECT_FALSE(c.Active());
}
