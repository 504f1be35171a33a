// Every setting command the program sends, with its read-back over the line: the exact reply,
// and the text the program's check makes of it.
#include <gtest/gtest.h>

#include "tests/tools/instrument-sim/ProgramReadBack.h"
#include "tests/tools/instrument-sim/SimClient.h"

namespace {

struct TRow {
    AnsiString Command{};
    AnsiString Query{};
    AnsiString Reply{};    // exact, without the LF
    AnsiString Expected{}; // what the program expects after its normalising; empty: the reply itself
    bool OwnLine = false;  // the query follows as a line of its own
    TReadBackContext Context{};  // the program's function when it sends a nominal
};

// The program's function codes the nominal rows are sent under.
constexpr int kCsD = 2, kLsRs = 7, kLsQ = 8, kRsQ = 9, kRX = 11, kDcr = 12;

std::vector<TRow> Rows()
{
    std::vector<TRow> rows;
    for (const char* page : {"MEAS", "MSET", "ENLA", "BINM", "BSET", "BCO"})
        rows.push_back({AnsiString("DISP:PAGE ") + page, "DISP:PAGE?", page, "", true});
    for (const char* f : {"Cs-Rs", "Cs-D", "Cp-Rp", "Cp-D", "Lp-Rp", "Lp-Q", "Ls-Rs", "Ls-Q", "Rs-Q", "Rp-Q", "R-X",
                          "DCR", "Z-thr", "Z-thd", "Z-D", "Z-Q"})
        rows.push_back({AnsiString("FUNC ") + f, "FUNC?", f});
    rows.insert(rows.end(), {
        {"FREQ 10.00", "FREQ?", "+1.00000e+01", "10.00"},
        {"FREQ 50.00", "FREQ?", "+5.00000e+01", "50.00"},
        {"FREQ 100.0", "FREQ?", "+1.00000e+02", "100.0"},
        {"FREQ 120.0", "FREQ?", "+1.20000e+02", "120.0"},
        {"FREQ 1.000k", "FREQ?", "+1.00000e+03", "1.000"},
        {"FREQ 2.000k", "FREQ?", "+2.00000e+03", "2.000"},
        {"FREQ 20.00k", "FREQ?", "+2.00000e+04", "20.00"},
        {"FREQ 200.0k", "FREQ?", "+2.00000e+05", "200.0"},
        {"FREQ 250.0k", "FREQ?", "+2.50000e+05", "250.0"},
        // list and sweep cells in kHz ("%.3f" in the list, two decimals below 1 kHz in the sweep)
        {"FREQ 0.010k", "FREQ?", "+1.00000e+01", "10.00"},
        {"FREQ 0.01k", "FREQ?", "+1.00000e+01", "10.00"},
        {"FREQ 0.120k", "FREQ?", "+1.20000e+02", "120.0"},
        {"FREQ 0.13k", "FREQ?", "+1.30000e+02", "130.0"},
        {"FREQ 1.005k", "FREQ?", "+1.00500e+03", "1.005"},
        {"FREQ 1.234k", "FREQ?", "+1.23400e+03", "1.234"},
        {"FREQ 12.35k", "FREQ?", "+1.23500e+04", "12.35"},
        {"FREQ 100.7k", "FREQ?", "+1.00700e+05", "100.7"},
        {"FREQ 100.000k", "FREQ?", "+1.00000e+05", "100.0"},
        {"FREQ 300.0k", "FREQ?", "+3.00000e+05", "300.0"},
        {"FREQ 60.00", "FREQ?", "+6.00000e+01", "60.00"},
        {"FREQ 50.000", "FREQ?", "+5.00000e+01", "50.00"},  // a list cell in Hz
        {"FREQ 999.000", "FREQ?", "+9.99000e+02", "999.0"},
        {"FREQ 0.500k", "FREQ?", "+5.00000e+02", "500.0"},
        {"FREQ 0.5k", "FREQ?", "+5.00000e+02", "500.0"},  // a list cell in kHz
        {"LEV:VOLT 1.00", "VOLT?", "1.000e+00", "1.00"},
        {"LEV:VOLT 1.50", "VOLT?", "1.500e+00", "1.50"},
        {"LEV:VOLT 2.00", "VOLT?", "2.000e+00", "2.00"},
        {"LEV:VOLT 500.0m", "VOLT?", "5.000e-01", "500.0"},
        {"LEV:VOLT 300.0m", "VOLT?", "3.000e-01", "300.0"},
        {"LEV:VOLT 100.0m", "VOLT?", "1.000e-01", "100.0"},
        {"LEV:VOLT 10.00m", "VOLT?", "1.000e-02", "10.00"},
        {"LEV:VOLT 1.23", "VOLT?", "1.230e+00", "1.23"},
        {"LEV:VOLT 12.34m", "VOLT?", "1.234e-02", "12.34"},
        {"LEV:VOLT 999.9m", "VOLT?", "9.999e-01", "999.9"},
        // list and sweep cells in V, as they stand
        {"LEV:VOLT 1", "VOLT?", "1.000e+00", "1.00"},
        {"LEV:VOLT 2.00", "VOLT?", "2.000e+00", "2.00"},
        {"LEV:VOLT 0.02", "VOLT?", "2.000e-02", "20.00"},
        {"LEV:VOLT 0.67", "VOLT?", "6.700e-01", "670.0"},
        {"LEV:VOLT 0.0125", "VOLT?", "1.250e-02", "12.50"},
        {"LEV:VOLT 0.50", "VOLT?", "5.000e-01", "500.0"},  // a list cell in V
        {"LEV:CURR 0.10m", "LEV:CURR?", "1.000e-04", "0.10"},
        {"LEV:CURR 0.50m", "LEV:CURR?", "5.000e-04", "0.50"},
        {"LEV:CURR 1.00m", "LEV:CURR?", "1.000e-03", "1.00"},
        {"LEV:CURR 5.00m", "LEV:CURR?", "5.000e-03", "5.00"},
        {"LEV:CURR 10.00m", "LEV:CURR?", "1.000e-02", "10.00"},
        {"LEV:CURR 0.15m", "LEV:CURR?", "1.500e-04", "0.15"},
        {"LEV:CURR 0.99m", "LEV:CURR?", "9.900e-04", "0.99"},
        {"LEV:CURR 12.34m", "LEV:CURR?", "1.234e-02", "12.34"},
        {"LEV:CURR 6.73m", "LEV:CURR?", "6.730e-03", "6.73"},  // sweep cells
        {"LEV:CURR 13.36m", "LEV:CURR?", "1.336e-02", "13.36"},
        {"LEV:CURR 20.00m", "LEV:CURR?", "2.000e-02", "20.00"},
        {"VOLT:SRES 30", "LEV:SRES?", "30"},
        {"VOLT:SRES 50", "LEV:SRES?", "50"},
        {"VOLT:SRES 100", "LEV:SRES?", "100"},
        {"FUNC:IMP:RANG 0", "FUNC:IMP:RANG?", "0"},
        {"FUNC:IMP:RANG 5", "FUNC:IMP:RANG?", "5"},
        {"FUNC:IMP:RANG 8", "FUNC:IMP:RANG?", "8"},
        {"FUNC:DCR:RANG 7", "FUNC:DCR:RANG?", "7"},
        {"FUNC:DCR:RANG 1", "FUNC:DCR:RANG?", "1"},
        {"FUNC:IMP:RANG:AUTO AUTO", "FUNC:RANG:AUTO?", "AUTO"},
        {"FUNC:IMP:RANG:AUTO NOM", "FUNC:RANG:AUTO?", "NOM"},
        {"FUNC:IMP:RANG:AUTO HOLD", "FUNC:RANG:AUTO?", "HOLD"},
        {"FUNC:IMP:AUTO ON", "FUNC:IMP:AUTO?", "ON"},
        {"FUNC:IMP:AUTO OFF", "FUNC:IMP:AUTO?", "OFF"},
        {"TRIG:SOUR INT", "TRIG:SOUR?", "INT"},
        {"TRIG:SOUR MAN", "TRIG:SOUR?", "MAN"},
        {"TRIG:SOUR EXT", "TRIG:SOUR?", "EXT"},
        {"TRIG:SOUR BUS", "TRIG:SOUR?", "BUS"},
        {"APER SLOW", "APER:RATE?", "SLOW"},
        {"APER MED", "APER:RATE?", "MED"},
        {"APER FAST", "APER:RATE?", "FAST"},
        {"APER 1", "APER:AVG?", "1"},
        {"APER 16", "APER:AVG?", "16"},
        {"APER 256", "APER:AVG?", "256"},
        {"BIAS 2.00V", "BIAS?", "+2.00"},
        {"BIAS 1.50V", "BIAS?", "+1.50"},
        {"BIAS -1.50V", "BIAS?", "-1.50"},
        {"BIAS -2.00V", "BIAS?", "-2.00"},
        {"BIAS 0.05V", "BIAS?", "+0.05"},
        {"BIAS -0.01V", "BIAS?", "-0.01"},
        {"BIAS 2.50V", "BIAS?", "+2.50"},
        {"BIAS -2.50V", "BIAS?", "-2.50"},
        {"BIAS OFF", "BIAS?", "OFF"},
        {"LEV:ALC 0", "LEV:ALC?", "OFF"},
        {"TRIG:DLY 0.500", "TRIG:DLY?", "0.500S", "", true},
        {"TRIG:DLY 1.500", "TRIG:DLY?", "1.500S", "", true},
        {"TRIG:DLY 12.345", "TRIG:DLY?", "12.345S", "", true},
        {"TRIG:DLY 60.000", "TRIG:DLY?", "60.000S", "", true},
        {"TRIG:DLY 0.001", "TRIG:DLY?", "0.001S", "", true},
        {"TRIG:DLY 0.000", "TRIG:DLY?", "0.000S", "", true},
    });
    for (const char* mon : {"FUNC:MON1", "FUNC:MON2"})
        for (const char* w : {"Z", "D", "Q", "VAC", "IAC", "ABS", "PER", "THR", "THD", "R", "X", "G", "B", "Y", "OFF"})
            rows.push_back({AnsiString(mon) + " " + w, AnsiString(mon) + "?", w});
    rows.insert(rows.end(), {
        {"COMP:STAT ON", "COMP:STAT?", "ON"},
        {"COMP:STAT OFF", "COMP:STAT?", "OFF"},
        {"COMP:MODE PER", "COMP:MODE?", "PER"},
        {"COMP:MODE SEQ", "COMP:MODE?", "SEQ"},
        {"COMP:MODE ABS", "COMP:MODE?", "ABS"},
        {"COMP:AUX ON", "COMP:AUX?", "ON"},
        {"COMP:AUX OFF", "COMP:AUX?", "OFF"},
        {"COMP:BEEP PASS", "COMP:BEEP?", "PASS"},
        {"COMP:BEEP FAIL", "COMP:BEEP?", "FAIL"},
        {"COMP:BEEP OFF", "COMP:BEEP?", "OFF"},
        {"COMP:OPEN 2", "COMP:OPEN?", "2"},
        {"COMP:OPEN 5", "COMP:OPEN?", "5"},
        {"COMP:OPEN 10", "COMP:OPEN?", "10"},
        {"COMP:OPEN 20", "COMP:OPEN?", "20"},
        {"COMP:OPEN 50", "COMP:OPEN?", "50"},
        {"COMP:OPEN OFF", "COMP:OPEN?", "OFF"},
        {"COMP:BINS 9", "COMP:BINS?", "9"},
        {"COMP:BINS 4", "COMP:BINS?", "4"},
        {"COMP:BINS 1", "COMP:BINS?", "1"},
        // the nominal: the text sent is the text expected, read back under the program's function
        {"COMP:TOL:NOM 10.0000p", "COMP:TOL:NOM?", "1.00000e-11", "10.0000p", false, {kCsD}},
        {"COMP:TOL:NOM 1.00000p", "COMP:TOL:NOM?", "1.00000e-12", "1.00000p", false, {kCsD}},
        {"COMP:TOL:NOM 4.70000n", "COMP:TOL:NOM?", "4.70000e-09", "4.70000n", false, {kCsD}},
        {"COMP:TOL:NOM 123.456n", "COMP:TOL:NOM?", "1.23456e-07", "123.456n", false, {kCsD}},
        {"COMP:TOL:NOM 999.994m", "COMP:TOL:NOM?", "9.99994e-01", "999.994m", false, {kCsD}},
        {"COMP:TOL:NOM -0.50000p", "COMP:TOL:NOM?", "-5.0000e-13", "-0.50000p", false, {kCsD}},
        {"COMP:TOL:NOM 0.00000p", "COMP:TOL:NOM?", "0.00000e-12", "0.00000p", false, {kCsD}},
        {"COMP:TOL:NOM 10.0000u", "COMP:TOL:NOM?", "1.00000e-05", "10.0000u", false, {kLsQ}},
        {"COMP:TOL:NOM 1.00000m", "COMP:TOL:NOM?", "1.00000e-03", "1.00000m", false, {kLsQ}},
        {"COMP:TOL:NOM 5000.00", "COMP:TOL:NOM?", "5.00000e+03", "5000.00", false, {kLsRs}},  // 5 kH
        {"COMP:TOL:NOM -5.00000u", "COMP:TOL:NOM?", "-5.0000e-06", "-5.00000u", false, {kLsRs}},
        {"COMP:TOL:NOM 0.00000u", "COMP:TOL:NOM?", "0.00000e-06", "0.00000u", false, {kLsRs}},
        {"COMP:TOL:NOM 10.0000", "COMP:TOL:NOM?", "1.00000e+01", "10.0000", false, {kRsQ}},
        {"COMP:TOL:NOM 2.20000k", "COMP:TOL:NOM?", "2.20000e+03", "2.20000k", false, {kRX}},
        {"COMP:TOL:NOM 500.000k", "COMP:TOL:NOM?", "5.00000e+05", "500.000k", false, {kRX}},
        {"COMP:TOL:NOM -12.5000", "COMP:TOL:NOM?", "-1.2500e+01", "-12.5000", false, {kRsQ}},
        {"COMP:TOL:NOM 0.00000", "COMP:TOL:NOM?", "0.00000e+00", "0.00000", false, {kRsQ}},
        {"COMP:TOL:NOM 10.0000m", "COMP:TOL:NOM?", "1.00000e-02", "10.0000m", false, {kDcr}},
        {"COMP:TOL:NOM 0.00000m", "COMP:TOL:NOM?", "0.00000e-03", "0.00000m", false, {kDcr}},
        {"COMP:TOL:NOM 5000.00k", "COMP:TOL:NOM?", "5.00000e+06", "5000.00k", false, {kDcr, true}},
        {"COMP:TOL:NOM 2000.00k", "COMP:TOL:NOM?", "2.00000e+06", "2000.00k", false, {kDcr, true}},
        // a megohm nominal of an R function goes out in kilohm and is read back in megohm: the
        // program has to expect "2.00000M" there (its choice); no scientific reply reads "2000.00k"
        {"COMP:TOL:NOM 2000.00k", "COMP:TOL:NOM?", "2.00000e+06", "2.00000M", false, {kRX}},
        {"SYST:SHAK OFF", "SYST:SHAK?", "OFF", "", true},
        {"SYST:CODE OFF", "SYST:CODE?", "OFF", "", true},
        {"SYST:RES fetch", "SYST:RES?", "FETCH", "", true},
    });
    return rows;
}

} // namespace

TEST(SimSettings, EveryCommandReadsBackInItsExactForm)
{
    TLinkedSim s(1);
    TSimClient c(1);
    ASSERT_TRUE(c.IsOpen());
    for (const TRow& row : Rows()) {
        SCOPED_TRACE(row.Command);
        AnsiString reply;
        if (row.OwnLine) {
            c.Send(row.Command);
            reply = c.Query(row.Query);
        } else {
            reply = c.Query(row.Command + ";:" + row.Query);
        }
        EXPECT_EQ(reply, row.Reply);
        EXPECT_EQ(reply.size(), row.Reply.size());
        EXPECT_EQ(ProgramReadBack(reply, row.Query, row.Context), row.Expected.empty() ? row.Reply : row.Expected);
        EXPECT_EQ(row.OwnLine, OwnLineQuery(row.Query));
    }
    TInstrumentState st = s.Sim.State();
    EXPECT_EQ(st.Frequency, 500.0);
    EXPECT_TRUE(st.LevelIsCurrent);
    EXPECT_DOUBLE_EQ(st.LevelAmp, 0.02);
    EXPECT_DOUBLE_EQ(st.LevelVolt, 0.5);
    EXPECT_EQ(st.Monitor1, smOff);
    EXPECT_FALSE(st.SystShake);
    EXPECT_EQ(st.SystResult, "FETCH");
}

TEST(SimSettings, AlcSwitchOnLoopAndItsRefusal)
{
    TLinkedSim s(1);
    TSimClient c(1);
    c.Send("LEV:ALC 1");
    EXPECT_EQ(c.Query("LEV:ALC?"), "ON");
    EXPECT_TRUE(s.Sim.State().Alc);
    EXPECT_EQ(c.Query("DISP:LINE?"), "NULL");
    c.Send("LEV:ALC 0");

    s.Sim.Modify([](TInstrumentModel& m) { m.Options().RefuseAlc = true; });
    for (int i = 0; i < 5; ++i) {
        c.Send(i == 0 ? "LEV:ALC 1" : "LEV:ALC ON");
        EXPECT_EQ(c.Query("LEV:ALC?"), "OFF");
    }
    s.Sim.Modify([](TInstrumentModel& m) {
        m.Options().RefuseAlc = false;
        m.Options().AlcFails = true;
    });
    c.Send("LEV:ALC ON");
    EXPECT_NE(c.Query("DISP:LINE?"), "NULL");
}

TEST(SimSettings, TenCharacterLevelsWhenAsked)
{
    TLinkedSim s(1, TSimOptions{.LevelReplySigned = true});
    TSimClient c(1);
    EXPECT_EQ(c.Query("LEV:VOLT 1.00;:VOLT?"), "+1.000e+00");
    EXPECT_EQ(c.Query("LEV:CURR 0.10m;:LEV:CURR?"), "+1.000e-04");
}
