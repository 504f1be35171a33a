// Every setting command the program sends, with its read-back over the line: the exact reply,
// and the text the program's check makes of it.
#include <cmath>

#include <gtest/gtest.h>

#include "tests/tools/instrument-sim/SimClient.h"
#include "tools/instrument-sim/SimNumbers.h"

namespace {

// What the program does to a frequency or level reply before it compares.
AnsiString NormaliseFreqOrLevel(const AnsiString& reply, bool freq, bool milliAmp)
{
    size_t e = reply.rfind('e');
    double mantissa = std::stod(reply.substr(0, e));
    int exponent = std::stoi(reply.substr(e + 1, 3));
    double scale = 1.0;
    if (exponent >= 0)
        scale = std::pow(10.0, exponent);
    else if (exponent == -1 || exponent == -2)
        scale = std::pow(10.0, exponent + 3);
    else if (exponent == -4 || exponent == -5)
        scale = std::pow(10.0, exponent + 6);
    double v = scale * mantissa;
    if (v >= 1000.0)
        v *= 0.001;
    else if (milliAmp && v > 20.0)
        v *= 0.001;
    int decimals = v < 10.0 ? (freq ? 3 : 2) : v >= 100.0 ? 1 : 2;
    return FormatFixed(v, decimals);
}

struct TRow {
    AnsiString Command{};
    AnsiString Query{};
    AnsiString Reply{};    // exact, without the LF
    AnsiString Expected{}; // what the program expects after its normalising; empty: the reply itself
    bool OwnLine = false;  // the query follows as a line of its own
};

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
        {"FREQ 0.5k", "FREQ?", "+5.00000e+02", "500.0"},  // a list cell in kHz
        {"LEV:VOLT 1.00", "VOLT?", "1.000e+00", "1.00"},
        {"LEV:VOLT 1.50", "VOLT?", "1.500e+00", "1.50"},
        {"LEV:VOLT 2.00", "VOLT?", "2.000e+00", "2.00"},
        {"LEV:VOLT 500.0m", "VOLT?", "5.000e-01", "500.0"},
        {"LEV:VOLT 300.0m", "VOLT?", "3.000e-01", "300.0"},
        {"LEV:VOLT 100.0m", "VOLT?", "1.000e-01", "100.0"},
        {"LEV:VOLT 10.00m", "VOLT?", "1.000e-02", "10.00"},
        {"LEV:VOLT 0.50", "VOLT?", "5.000e-01", "500.0"},  // a list cell in V
        {"LEV:CURR 0.10m", "LEV:CURR?", "1.000e-04", "0.10"},
        {"LEV:CURR 0.50m", "LEV:CURR?", "5.000e-04", "0.50"},
        {"LEV:CURR 1.00m", "LEV:CURR?", "1.000e-03", "1.00"},
        {"LEV:CURR 5.00m", "LEV:CURR?", "5.000e-03", "5.00"},
        {"LEV:CURR 10.00m", "LEV:CURR?", "1.000e-02", "10.00"},
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
        {"BIAS OFF", "BIAS?", "OFF"},
        {"LEV:ALC 0", "LEV:ALC?", "OFF"},
        {"TRIG:DLY 0.500", "TRIG:DLY?", "0.500S", "", true},
        {"TRIG:DLY 1.500", "TRIG:DLY?", "1.500S", "", true},
        {"TRIG:DLY 12.345", "TRIG:DLY?", "12.345S", "", true},
        {"TRIG:DLY 60.000", "TRIG:DLY?", "60.000S", "", true},
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
        {"COMP:TOL:NOM 10.0000p", "COMP:TOL:NOM?", "1.00000e-11"},
        {"COMP:TOL:NOM 1.00000m", "COMP:TOL:NOM?", "1.00000e-03"},
        {"COMP:TOL:NOM 5000.00", "COMP:TOL:NOM?", "5.00000e+03"},
        {"COMP:TOL:NOM 2000.00k", "COMP:TOL:NOM?", "2.00000e+06"},
        {"COMP:TOL:NOM 123.456n", "COMP:TOL:NOM?", "1.23456e-07"},
        {"COMP:TOL:NOM -12.5000", "COMP:TOL:NOM?", "-1.2500e+01"},
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
        if (!row.Expected.empty()) {
            EXPECT_EQ(NormaliseFreqOrLevel(reply, row.Query == "FREQ?", row.Query == "LEV:CURR?"), row.Expected);
        }
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
