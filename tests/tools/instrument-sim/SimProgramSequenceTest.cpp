// The program's own sequences, line by line as it writes them: every verified setting has to
// read back as the program expects at the first write, nothing else may come back, and every
// line has to be understood.
#include <gtest/gtest.h>

#include "tests/tools/instrument-sim/ProgramReadBack.h"
#include "tests/tools/instrument-sim/SimClient.h"

namespace {

// The program's side of the exchange, without its waits: the instrument answers at once.
class TProgramSide {
public:
    explicit TProgramSide(TSimClient& client) : C(client) {}

    // SendAndVerify up to its first compare: the command joined to its query, or followed by
    // the query as a line of its own.
    void Verify(const AnsiString& command, const AnsiString& query, const AnsiString& expected,
                const TReadBackContext& ctx = {})
    {
        if (OwnLineQuery(query)) {
            Write(command);
            Write(query);
        } else {
            Write(command + ";:" + query);
        }
        EXPECT_EQ(ProgramReadBack(Reply(), query, ctx), expected) << "after " << Sent.back();
    }

    // SendCommand without a read-back: nothing may come back.
    void Write(const AnsiString& line)
    {
        EXPECT_EQ(C.ReadFor(0), "") << "unasked bytes before " << line;
        C.Send(line);
        Sent.push_back(line);
    }

    // A query whose reply the program reads without comparing it.
    AnsiString Ask(const AnsiString& query)
    {
        Write(query);
        return Reply();
    }

    // The fetch of one polling tick: the reply must have the length the program accepts.
    void Fetch(const AnsiString& query, size_t length)
    {
        AnsiString reply = Ask(query);
        EXPECT_EQ(reply.size() + 1, length) << query << " -> " << reply;
    }

    std::vector<AnsiString> Sent;

private:
    AnsiString Reply()
    {
        AnsiString reply = C.ReadLine();
        EXPECT_TRUE(!reply.empty() && reply.back() == '\n') << "no reply to " << Sent.back();
        if (!reply.empty() && reply.back() == '\n')
            reply.pop_back();
        EXPECT_EQ(reply.find_first_of("\r\n"), AnsiString::npos) << reply;
        return reply;
    }

    TSimClient& C;
};

constexpr int kCsRs = 1, kCsD = 2, kDcr = 12, kZthr = 13;

void Connect(TProgramSide& p)
{
    EXPECT_EQ(p.Ask("*IDN?"), "ZVE,V1.06,ZV24050117,");
    p.Verify("SYST:SHAK OFF", "SYST:SHAK?", "OFF");
    p.Verify("SYST:CODE OFF", "SYST:CODE?", "OFF");
    p.Verify("SYST:RES fetch", "SYST:RES?", "FETCH");
}

void PowerOn(TProgramSide& p)
{
    p.Verify("DISP:PAGE MEAS", "DISP:PAGE?", "MEAS");
    p.Verify("TRIG:SOUR BUS", "TRIG:SOUR?", "BUS");
    p.Verify("FREQ 1.000k", "FREQ?", "1.000");
    p.Verify("FUNC:IMP:AUTO OFF", "FUNC:IMP:AUTO?", "OFF");
    p.Verify("LEV:ALC 0", "LEV:ALC?", "OFF");
    p.Verify("FUNC Cs-D", "FUNC?", "Cs-D");
    p.Verify("COMP:TOL:NOM 10.0000p", "COMP:TOL:NOM?", "10.0000p", {kCsD});
    p.Verify("LEV:VOLT 1.00", "VOLT?", "1.00");
    p.Verify("FUNC:IMP:RANG:AUTO AUTO", "FUNC:RANG:AUTO?", "AUTO");
    p.Verify("APER SLOW", "APER:RATE?", "SLOW");
    p.Verify("VOLT:SRES 100", "LEV:SRES?", "100");
    p.Verify("BIAS OFF", "BIAS?", "OFF");
    p.Verify("TRIG:DLY 0.000", "TRIG:DLY?", "0.000S");
    p.Verify("APER 1", "APER:AVG?", "1");
    p.Verify("FUNC:MON1 OFF", "FUNC:MON1?", "OFF");
    p.Verify("FUNC:MON2 OFF", "FUNC:MON2?", "OFF");
    p.Verify("COMP:TOL:NOM 10.0000p", "COMP:TOL:NOM?", "10.0000p", {kCsD});
    p.Verify("COMP:STAT ON", "COMP:STAT?", "ON");
    p.Verify("COMP:MODE ABS", "COMP:MODE?", "ABS");
    for (const char* line : {"COMP:TOL:BIN 1,0.00000p,0.00000p", "COMP:TOL:BIN 1,0.00000p,0.00000p",
                             "COMP:SLIM 0.00000,0.00000", "COMP:SLIM 0.00000,0.00000"})
        p.Write(line);
    p.Verify("COMP:BINS 1", "COMP:BINS?", "1");
    p.Verify("COMP:AUX ON", "COMP:AUX?", "ON");
    p.Verify("COMP:BEEP OFF", "COMP:BEEP?", "OFF");
    p.Verify("TRIG:SOUR INT", "TRIG:SOUR?", "INT");
    p.Verify("DISP:PAGE MEAS", "DISP:PAGE?", "MEAS");
}

} // namespace

TEST(SimProgramSequence, ConnectAndPowerOnReadBackAtTheFirstWrite)
{
    TLinkedSim s(2);
    TSimClient c(2);
    ASSERT_TRUE(c.IsOpen());
    TProgramSide p(c);
    Connect(p);
    PowerOn(p);
    p.Fetch("FETC:IMP?", 67);  // comparator on
    p.Fetch("FETC:IMP?", 67);
    EXPECT_EQ(p.Ask("FUNC:IMP:RANG?").size(), 1u);  // the range query of an AUTO range

    EXPECT_EQ(s.Sim.Lines(), p.Sent);
    s.Sim.Modify([](TInstrumentModel& m) { EXPECT_EQ(m.UnknownCount(), 0); });
    EXPECT_EQ(c.ReadFor(50), "");
}

TEST(SimProgramSequence, SettingsKeysListAndSweepReadBackAtTheFirstWrite)
{
    TLinkedSim s(2, TSimOptions{.MeasureTimeScale = 0.1});
    TSimClient c(2);
    ASSERT_TRUE(c.IsOpen());
    TProgramSide p(c);
    Connect(p);
    PowerOn(p);

    // page keys
    for (const char* page : {"MSET", "BINM", "BSET", "BCO", "ENLA", "MEAS"})
        p.Verify(AnsiString("DISP:PAGE ") + page, "DISP:PAGE?", page);

    // the setters of the setup page
    p.Verify("FREQ 50.00", "FREQ?", "50.00");
    p.Verify("FREQ 250.0k", "FREQ?", "250.0");
    p.Verify("FREQ 1.000k", "FREQ?", "1.000");
    p.Verify("LEV:VOLT 300.0m", "VOLT?", "300.0");
    p.Verify("LEV:CURR 20.00m", "LEV:CURR?", "20.00");
    p.Verify("LEV:CURR 0.10m", "LEV:CURR?", "0.10");
    p.Verify("BIAS -1.50V", "BIAS?", "-1.50");
    p.Verify("BIAS 2.00V", "BIAS?", "+2.00");
    p.Verify("TRIG:DLY 0.500", "TRIG:DLY?", "0.500S");
    p.Verify("TRIG:DLY 0.000", "TRIG:DLY?", "0.000S");
    p.Verify("APER 16", "APER:AVG?", "16");
    p.Verify("APER 1", "APER:AVG?", "1");
    p.Verify("APER FAST", "APER:RATE?", "FAST");
    p.Verify("VOLT:SRES 30", "LEV:SRES?", "30");
    p.Verify("FUNC:IMP:RANG 3", "FUNC:IMP:RANG?", "3");
    p.Verify("FUNC:IMP:RANG:AUTO HOLD", "FUNC:RANG:AUTO?", "HOLD");
    p.Verify("FUNC:IMP:RANG:AUTO NOM", "FUNC:RANG:AUTO?", "NOM");
    p.Verify("FUNC:IMP:RANG:AUTO AUTO", "FUNC:RANG:AUTO?", "AUTO");
    p.Verify("FUNC:MON1 ABS", "FUNC:MON1?", "ABS");
    p.Verify("FUNC:MON2 VAC", "FUNC:MON2?", "VAC");
    p.Verify("COMP:MODE PER", "COMP:MODE?", "PER");
    for (const char* line : {"COMP:TOL:BIN 1,-5.00000,5.00000", "COMP:TOL:BIN 1,-5.00000,5.00000",
                             "COMP:SLIM 0.00000,0.00000", "COMP:SLIM 0.00000,0.00000"})
        p.Write(line);
    p.Verify("COMP:OPEN 10", "COMP:OPEN?", "10");
    p.Verify("COMP:BEEP FAIL", "COMP:BEEP?", "FAIL");
    p.Verify("COMP:BINS 9", "COMP:BINS?", "9");
    p.Verify("COMP:TOL:NOM 4.70000n", "COMP:TOL:NOM?", "4.70000n", {kCsD});
    p.Verify("COMP:TOL:NOM 0.00000p", "COMP:TOL:NOM?", "0.00000p", {kCsD});
    p.Fetch("FETC:IMP?", 67);
    p.Fetch("FETC?", 41);  // the bin measurement page

    // DCR and back: the layout change sends both monitors again, then the function and nominal
    p.Verify("FUNC DCR", "FUNC?", "DCR");
    p.Verify("COMP:TOL:NOM 10.0000m", "COMP:TOL:NOM?", "10.0000m", {kDcr});
    p.Verify("FUNC:DCR:RANG 7", "FUNC:DCR:RANG?", "7");
    p.Fetch("FETC:IMP?", 21);
    p.Verify("COMP:STAT OFF", "COMP:STAT?", "OFF");
    p.Fetch("FETC:IMP?", 13);
    p.Verify("COMP:STAT ON", "COMP:STAT?", "ON");
    p.Verify("FUNC:MON1 OFF", "FUNC:MON1?", "OFF");
    p.Verify("FUNC:MON2 OFF", "FUNC:MON2?", "OFF");
    p.Verify("FUNC Cs-Rs", "FUNC?", "Cs-Rs");
    p.Verify("COMP:TOL:NOM 10.0000p", "COMP:TOL:NOM?", "10.0000p", {kCsRs});
    p.Verify("FUNC:IMP:RANG:AUTO AUTO", "FUNC:RANG:AUTO?", "AUTO");

    // ALC: its own loop, then the level redraw asks for the ALC state
    p.Write("LEV:ALC 1");
    EXPECT_EQ(SimUpperCase(p.Ask("LEV:ALC?")), "ON");
    EXPECT_EQ(p.Ask("DISP:LINE?"), "NULL");
    p.Verify("LEV:VOLT 1.00", "VOLT?", "1.00");
    EXPECT_EQ(p.Ask("DISP:LINE?"), "NULL");
    p.Verify("LEV:ALC 0", "LEV:ALC?", "OFF");

    // automatic LCZ: the function query of the cycle and of the setter names a known function
    p.Verify("FUNC:IMP:AUTO ON", "FUNC:IMP:AUTO?", "ON");
    AnsiString chosen = p.Ask("FUNC?");
    EXPECT_TRUE(chosen == "Cp-D" || chosen == "Cs-D" || chosen == "Ls-Q" || chosen == "Rs-Q") << chosen;
    p.Fetch("FETC:IMP?", 67);
    EXPECT_EQ(p.Ask("FUNC?"), chosen);

    // TRIG key under MAN, then one fetch of the triggered reading
    p.Verify("TRIG:SOUR MAN", "TRIG:SOUR?", "MAN");
    p.Write("TRIG:SOUR BUS");
    p.Write("TRIG");
    p.Write("TRIG:SOUR MAN");
    p.Fetch("FETC:IMP?", 67);

    // entering a list tab: the neutral state, without read-back
    for (const char* line : {"TRIG:SOUR BUS", "FUNC Cs-Rs", "FUNC:MON1 OFF", "FUNC:MON2 OFF", "FUNC:IMP:RANG:AUTO AUTO"})
        p.Write(line);

    // list steps: all settings at step 1, the changed ones after, then TRIG and the fetch
    p.Verify("FUNC Cs-Rs", "FUNC?", "Cs-Rs");
    p.Verify("FUNC:MON1 ABS", "FUNC:MON1?", "ABS");
    p.Verify("FUNC:MON2 THD", "FUNC:MON2?", "THD");
    p.Verify("COMP:TOL:NOM 10.0000n", "COMP:TOL:NOM?", "10.0000n", {kCsRs});
    p.Verify("FREQ 1.000k", "FREQ?", "1.000");
    p.Verify("LEV:VOLT 1.00", "VOLT?", "1.00");
    p.Write("TRIG");
    p.Fetch("FETC:IMP?", 67);
    p.Verify("FREQ 0.500k", "FREQ?", "500.0");
    p.Verify("LEV:CURR 0.10m", "LEV:CURR?", "0.10");
    p.Write("TRIG");
    p.Fetch("FETC:IMP?", 67);
    p.Verify("FUNC Z-thr", "FUNC?", "Z-thr");
    p.Verify("FUNC:MON1 PER", "FUNC:MON1?", "PER");
    p.Verify("COMP:TOL:NOM 2.20000k", "COMP:TOL:NOM?", "2.20000k", {kZthr});
    p.Verify("FREQ 100.000k", "FREQ?", "100.0");
    p.Verify("LEV:VOLT 0.50", "VOLT?", "500.0");
    p.Write("TRIG");
    p.Fetch("FETC:IMP?", 67);
    p.Verify("FUNC DCR", "FUNC?", "DCR");
    p.Write("TRIG");
    p.Fetch("FETC:IMP?", 21);

    // sweep points: the first sends function, monitors and nominal; every point its changes
    p.Verify("FUNC Z-thr", "FUNC?", "Z-thr");
    p.Verify("FUNC:MON1 ABS", "FUNC:MON1?", "ABS");
    p.Verify("FUNC:MON2 OFF", "FUNC:MON2?", "OFF");
    p.Verify("COMP:TOL:NOM 500.000k", "COMP:TOL:NOM?", "500.000k", {kZthr});
    p.Verify("FREQ 0.01k", "FREQ?", "10.00");
    p.Verify("LEV:VOLT 10.00m", "VOLT?", "10.00");
    p.Write("TRIG");
    p.Fetch("FETC:IMP?", 67);
    p.Verify("FREQ 100.7k", "FREQ?", "100.7");
    p.Verify("LEV:CURR 6.73m", "LEV:CURR?", "6.73");
    p.Write("TRIG");
    p.Fetch("FETC:IMP?", 67);

    // Main View: the saved setup again
    p.Verify("FUNC:IMP:AUTO OFF", "FUNC:IMP:AUTO?", "OFF");
    p.Verify("FUNC Cs-D", "FUNC?", "Cs-D");
    p.Verify("COMP:TOL:NOM 10.0000p", "COMP:TOL:NOM?", "10.0000p", {kCsD});
    p.Verify("FUNC:MON1 OFF", "FUNC:MON1?", "OFF");
    p.Verify("FUNC:MON2 OFF", "FUNC:MON2?", "OFF");
    p.Verify("FREQ 1.000k", "FREQ?", "1.000");
    p.Verify("LEV:VOLT 1.00", "VOLT?", "1.00");
    p.Verify("LEV:ALC 0", "LEV:ALC?", "OFF");
    p.Verify("FUNC:IMP:RANG:AUTO AUTO", "FUNC:RANG:AUTO?", "AUTO");
    p.Verify("APER SLOW", "APER:RATE?", "SLOW");
    p.Verify("TRIG:SOUR INT", "TRIG:SOUR?", "INT");
    p.Fetch("FETC:IMP?", 67);

    // POWER off, then the program's close
    p.Verify("DISP:PAGE MEAS", "DISP:PAGE?", "MEAS");
    p.Write("SYST:KEYLOCK OFF");
    p.Write("DISP:PAGE MEAS");
    p.Write("SYST:KEYLOCK OFF");

    ASSERT_TRUE(s.Sim.WaitForLineCount(p.Sent.size(), 2000));
    EXPECT_EQ(s.Sim.Lines(), p.Sent);
    s.Sim.Modify([](TInstrumentModel& m) { EXPECT_EQ(m.UnknownCount(), 0); });
    EXPECT_EQ(c.ReadFor(50), "");
}
