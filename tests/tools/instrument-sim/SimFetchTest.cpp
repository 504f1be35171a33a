// Fetch replies over the line: lengths and columns for every instrument state, the comparator
// field, OVERLOAD, and the measuring time after "TRIG".
#include <gtest/gtest.h>

#include "tests/tools/instrument-sim/SimClient.h"

namespace {

bool IsNumberField(const AnsiString& f)
{
    if (f.size() != 12 || (f[0] != '+' && f[0] != '-') || f[2] != '.' || f[8] != 'e')
        return false;
    return f.find_first_not_of("0123456789+-.e") == AnsiString::npos;
}

int Exponent(const AnsiString& field)
{
    return std::stoi(field.substr(9, 3));
}

} // namespace

TEST(SimFetch, RepliesHaveTheLengthsAndColumnsOfEachState)
{
    struct Case {
        const char* setup;
        const char* query;
        size_t length;          // with the LF
        std::vector<int> fields; // 1-based columns of number fields
        int comparator;          // 1-based column of the comparator field, 0 for none
        size_t comparatorLength;
    } cases[] = {
        {"FUNC Cs-D;:COMP:STAT ON", "FETC?", 41, {1, 14}, 27, 14},
        {"COMP:STAT OFF", "FETC?", 26, {1, 14}, 0, 0},
        {"COMP:STAT ON", "FETC:IMP?", 67, {1, 14, 27, 40}, 53, 14},
        {"COMP:STAT OFF", "FETC:IMP?", 52, {1, 14, 27, 40}, 0, 0},
        {"FUNC:MON1 Z;:FUNC:MON2 VAC;:COMP:STAT ON", "FETC:IMP?", 67, {1, 14, 27, 40}, 53, 14},
        {"FUNC DCR;:COMP:STAT ON", "FETC?", 21, {1}, 14, 7},
        {"COMP:STAT ON", "FETC:IMP?", 21, {1}, 14, 7},
        {"COMP:STAT OFF", "FETC?", 13, {1}, 0, 0},
        {"COMP:STAT OFF", "FETC:IMP?", 13, {1}, 0, 0},
        {"FUNC R-X;:FUNC:MON1 D", "FETC:MON1?", 13, {1}, 0, 0},
        {"FUNC:MON2 IAC;:COMP:STAT ON", "FETC:MON2?", 13, {1}, 0, 0},
        {"FUNC:MON1 OFF", "FETC:MON1?", 13, {1}, 0, 0},
    };
    TLinkedSim s(1, TSimOptions{.Dut = TDutKind::Resistor});
    TSimClient c(1);
    for (const auto& k : cases) {
        SCOPED_TRACE(std::string(k.setup) + " / " + k.query);
        c.Send(k.setup);
        c.Send(k.query);
        AnsiString reply = c.ReadLine();
        EXPECT_EQ(reply.size(), k.length) << reply;
        ASSERT_EQ(reply.back(), '\n');
        for (int col : k.fields)
            EXPECT_TRUE(IsNumberField(reply.substr(col - 1, 12))) << col << ": " << reply;
        if (k.comparator) {
            AnsiString comp = reply.substr(k.comparator - 1, k.comparatorLength);
            EXPECT_TRUE(comp.substr(0, 3) == "BIN" || comp.substr(0, 4) == "OUT " || comp.substr(0, 4) == "OPEN") << comp;
            if (k.comparatorLength == 14) {
                EXPECT_TRUE(comp.substr(5, 6) == "AUX-OK" || comp.substr(5, 6) == "AUX-NG") << comp;
            }
        }
    }
}

TEST(SimFetch, MonitorValuesLineUpInTheirColumns)
{
    TLinkedSim s(1, TSimOptions{.Dut = TDutKind::Resistor});
    s.Sim.Modify([](TInstrumentModel& m) { m.Noise().Level = 0.0; });
    TSimClient c(1);
    c.Send("FUNC R-X;:FUNC:MON1 Z;:FUNC:MON2 VAC;:COMP:STAT OFF;:LEV:VOLT 1.00;:VOLT:SRES 100");
    AnsiString reply = c.Query("FETC:IMP?");
    ASSERT_EQ(reply.size(), 51u);
    EXPECT_EQ(reply.substr(0, 12), "+1.00000e+03");           // R of 1 kohm
    EXPECT_EQ(reply.substr(26, 12), "+1.00000e+03");          // |Z|
    EXPECT_EQ(reply.substr(39, 5), "+9.09");          // 1 V over 1 kohm behind 100 ohm
    EXPECT_EQ(c.Query("FETC:MON1?"), "+1.00000e+03");
}

TEST(SimFetch, BinJudgementFollowsTheLimits)
{
    TLinkedSim s(1);  // 100 nF with 2 ohm
    TSimClient c(1);
    c.Send("FUNC Cs-Rs;:COMP:STAT ON;:COMP:MODE ABS;:COMP:BINS 3;:COMP:AUX ON");
    c.Send("COMP:TOL:BIN 1,10.0000n,50.0000n");
    c.Send("COMP:TOL:BIN 2,95.0000n,105.000n");
    c.Send("COMP:TOL:BIN 3,90.0000n,110.000n");
    c.Send("COMP:SLIM 0.00000,5.00000");
    EXPECT_EQ(c.Query("FETC?").substr(26), "BIN2,AUX-OK,OK");
    c.Send("COMP:SLIM 0.00000,1.00000");
    EXPECT_EQ(c.Query("FETC?").substr(26), "BIN2,AUX-NG,NG");
    c.Send("COMP:TOL:BIN 2,101.000n,105.000n");
    EXPECT_EQ(c.Query("FETC:IMP?").substr(52), "BIN3,AUX-NG,NG");
    c.Send("COMP:BINS 2;:COMP:AUX OFF");
    EXPECT_EQ(c.Query("FETC:IMP?").substr(52), "OUT ,AUX-OK,NG");
    c.Send("COMP:MODE PER;:COMP:TOL:NOM 100.000n;:COMP:TOL:BIN 1,-1.00000,1.00000");
    EXPECT_EQ(c.Query("FETC?").substr(26), "BIN1,AUX-OK,OK");
    c.Send("COMP:OPEN 10;:COMP:TOL:NOM 10.0000u");
    EXPECT_EQ(c.Query("FETC?").substr(26, 4), "OPEN");
}

TEST(SimFetch, OverloadOutsideTheRange)
{
    TLinkedSim s(1, TSimOptions{.Dut = TDutKind::Open});
    TSimClient c(1);
    c.Send("FUNC Cp-D;:FUNC:MON1 Z;:COMP:STAT ON;:FREQ 1.000k");
    AnsiString reply = c.Query("FETC:IMP?");
    ASSERT_EQ(reply.size(), 66u);
    EXPECT_GE(Exponent(reply.substr(0, 12)), 13);
    EXPECT_GE(Exponent(reply.substr(13, 12)), 13);
    EXPECT_GE(Exponent(reply.substr(26, 12)), 13);
    EXPECT_TRUE(IsNumberField(reply.substr(0, 12)));
    EXPECT_EQ(reply.substr(52, 4), "OUT ");
    // At 100 kHz the open's 0.5 pF is 3 Mohm: in range.
    c.Send("FREQ 100.0k");
    reply = c.Query("FETC:IMP?");
    EXPECT_LT(Exponent(reply.substr(0, 12)), 13);
    EXPECT_NEAR(std::stod(reply.substr(0, 12)), 0.5e-12, 0.005e-12) << reply;

    // A fixed range far too low overloads too.
    c.Send("FREQ 1.000k;:FUNC:IMP:RANG 8");
    s.Sim.Modify([](TInstrumentModel& m) { m.Dut() = TDeviceUnderTest::Make(TDutKind::Capacitor); });
    EXPECT_GE(Exponent(c.Query("FETC?").substr(0, 12)), 13);
    c.Send("FUNC:IMP:RANG:AUTO AUTO");
    EXPECT_LT(Exponent(c.Query("FETC?").substr(0, 12)), 13);
}

TEST(SimFetch, MeasuringTimeAfterTrigger)
{
    TLinkedSim s(1);
    TSimClient c(1);
    // 20 kHz FAST: 67 ms a reading, 3 readings, 100 ms delay: 301 ms.
    c.Send("TRIG:SOUR BUS;:FREQ 20.00k;:APER FAST;:APER 3;:TRIG:DLY 0.100");
    auto sent = std::chrono::steady_clock::now();
    c.Send("TRIG");
    c.Send("FETC?");
    AnsiString reply = c.ReadLine(5000);
    EXPECT_GE(std::chrono::steady_clock::now() - sent, std::chrono::milliseconds(301));
    EXPECT_EQ(reply.size(), 26u);
    // Once measured, the reading stays until the next trigger.
    EXPECT_EQ(c.Query("FETC?") + "\n", reply);

    // Slower at a low frequency and speed: 10 Hz SLOW is 820 ms a reading.
    sent = std::chrono::steady_clock::now();
    c.Send("FREQ 10.00;:APER SLOW;:APER 1;:TRIG:DLY 0.000;:TRIG");
    c.Send("FETC:IMP?");
    EXPECT_EQ(c.ReadLine(5000).size(), 52u);
    EXPECT_GE(std::chrono::steady_clock::now() - sent, std::chrono::milliseconds(820));
}
