// The instrument model alone: command parsing, settings, query forms, triggered readings.
#include <gtest/gtest.h>

#include "tools/instrument-sim/InstrumentModel.h"

namespace {

const TSimTime t0{};

std::vector<AnsiString> Replies(TInstrumentModel& m, const AnsiString& line, TSimTime now = t0)
{
    std::vector<AnsiString> texts;
    for (const auto& r : m.Execute(line, now))
        texts.push_back(r.Text);
    return texts;
}

TSimTime At(int ms)
{
    return t0 + std::chrono::milliseconds(ms);
}

} // namespace

TEST(InstrumentModel, JoinedCommandsRunInOrderAndEachQueryGetsOneReply)
{
    TInstrumentModel m;
    EXPECT_EQ(Replies(m, "FREQ 1.000k;:FREQ 2.000k;:FREQ?"), std::vector<AnsiString>{"+2.00000e+03"});
    EXPECT_EQ(Replies(m, "FUNC Cs-D;:FUNC?;:FUNC R-X;:FUNC?"), (std::vector<AnsiString>{"Cs-D", "R-X"}));
    EXPECT_EQ(Replies(m, ":TRIG:SOUR BUS; :APER FAST"), std::vector<AnsiString>{});
    EXPECT_EQ(m.State().TrigSource, "BUS");
    EXPECT_EQ(m.State().Speed, "FAST");
}

TEST(InstrumentModel, CommandsGetNoReplyAndUnknownTextIsIgnored)
{
    TInstrumentModel m;
    EXPECT_TRUE(Replies(m, "FREQ 10.00k").empty());
    EXPECT_TRUE(Replies(m, "HELLO").empty());
    EXPECT_TRUE(Replies(m, "FUNC Cx-Q").empty());
    EXPECT_TRUE(Replies(m, "WHAT?").empty());
    EXPECT_EQ(m.UnknownCount(), 3);
    EXPECT_EQ(m.State().Frequency, 10000.0);
    EXPECT_EQ(m.State().Function, sfCpD);  // the bad FUNC changed nothing
}

TEST(InstrumentModel, HeadsAndValuesAnyCaseButFunctionRepliesInItsOwnCase)
{
    TInstrumentModel m;
    EXPECT_EQ(Replies(m, "func lp-q;:func?"), std::vector<AnsiString>{"Lp-Q"});
    EXPECT_EQ(Replies(m, "FUNC LP-Q;:FUNC?"), std::vector<AnsiString>{"Lp-Q"});
    EXPECT_EQ(Replies(m, "FUNC z-THR;:FUNC?"), std::vector<AnsiString>{"Z-thr"});
    EXPECT_EQ(Replies(m, "syst:res fetch;:SYST:RES?"), std::vector<AnsiString>{"FETCH"});
    EXPECT_EQ(Replies(m, "Disp:Page bset;:disp:page?"), std::vector<AnsiString>{"BSET"});
    EXPECT_EQ(Replies(m, "LEV:ALC on;:LEV:ALC?"), std::vector<AnsiString>{"ON"});
    EXPECT_EQ(Replies(m, "FUNC:MON1 off;:FUNC:MON1?"), std::vector<AnsiString>{"OFF"});
}

TEST(InstrumentModel, TheTerminalsOtherFormsAreAccepted)
{
    TInstrumentModel m;
    EXPECT_EQ(Replies(m, "APER:AVG 7;:APER:AVG?"), std::vector<AnsiString>{"7"});
    EXPECT_EQ(Replies(m, "APER MED;:APER:RATE?"), std::vector<AnsiString>{"MED"});
    EXPECT_EQ(Replies(m, "APER 12;:APER:AVG?;:APER:RATE?"), (std::vector<AnsiString>{"12", "MED"}));
    EXPECT_EQ(Replies(m, "LEV:SRES 50;:LEV:SRES?"), std::vector<AnsiString>{"50"});
    EXPECT_EQ(Replies(m, "FUNC:RANG:AUTO HOLD;:FUNC:RANG:AUTO?"), std::vector<AnsiString>{"HOLD"});
    EXPECT_EQ(Replies(m, "LEV:VOLT 1.50;:LEV:VOLT?;:VOLT?"), (std::vector<AnsiString>{"1.500e+00", "1.500e+00"}));
    EXPECT_EQ(Replies(m, "LEV:VOLT MAX;:VOLT?"), std::vector<AnsiString>{"2.000e+00"});
    EXPECT_EQ(Replies(m, "LEV:CURR MIN;:LEV:CURR?"), std::vector<AnsiString>{"1.000e-04"});
    EXPECT_EQ(Replies(m, "ERR:SHAK OFF;:SYST:SHAK?"), std::vector<AnsiString>{"OFF"});
    EXPECT_EQ(Replies(m, "COMP:TOL:BIN 2,100p,200p;:COMP:TOL:BIN? 2"),
              std::vector<AnsiString>{"+1.00000e-10,+2.00000e-10"});
    EXPECT_EQ(Replies(m, "COMP:SLIM 0.0001,0.0010;:COMP:SLIM?"), std::vector<AnsiString>{"+1.00000e-04,+1.00000e-03"});
    EXPECT_EQ(Replies(m, "FETCH:MON1?").size(), 1u);
}

TEST(InstrumentModel, SettingsOutsideTheInstrumentsLimitsAreLimitedOrRefused)
{
    TInstrumentModel zva(TSimOptions{.Model = "ZVA"});
    EXPECT_EQ(Replies(zva, "FREQ 300.0k;:FREQ?"), std::vector<AnsiString>{"+2.00000e+03"});
    EXPECT_EQ(Replies(zva, "FREQ 5.000;:FREQ?"), std::vector<AnsiString>{"+1.00000e+01"});
    TInstrumentModel zve(TSimOptions{.Model = "ZV-XE"});
    EXPECT_EQ(Replies(zve, "FREQ 300.0k;:FREQ?"), std::vector<AnsiString>{"+3.00000e+05"});
    EXPECT_EQ(Replies(zve, "LEV:VOLT 5.00;:VOLT?"), std::vector<AnsiString>{"2.000e+00"});
    EXPECT_EQ(Replies(zve, "LEV:VOLT 1.00m;:VOLT?"), std::vector<AnsiString>{"1.000e-02"});
    EXPECT_EQ(Replies(zve, "APER 257;:APER:AVG?"), std::vector<AnsiString>{"1"});
    EXPECT_EQ(Replies(zve, "FUNC:IMP:RANG 9;:FUNC:RANG:AUTO?"), std::vector<AnsiString>{"AUTO"});
    EXPECT_EQ(Replies(zve, "VOLT:SRES 75;:LEV:SRES?"), std::vector<AnsiString>{"100"});
    EXPECT_EQ(Replies(zve, "COMP:OPEN 7;:COMP:OPEN?"), std::vector<AnsiString>{"OFF"});
    EXPECT_EQ(Replies(zve, "COMP:BINS 10;:COMP:BINS?"), std::vector<AnsiString>{"1"});
    EXPECT_EQ(Replies(zve, "TRIG:DLY 75.000"), std::vector<AnsiString>{});
    EXPECT_EQ(Replies(zve, "TRIG:DLY?"), std::vector<AnsiString>{"60.000S"});
}

TEST(InstrumentModel, LevelRepliesCanCarryASign)
{
    TInstrumentModel m(TSimOptions{.LevelReplySigned = true});
    EXPECT_EQ(Replies(m, "LEV:VOLT 300.0m;:VOLT?"), std::vector<AnsiString>{"+3.000e-01"});
    EXPECT_EQ(Replies(m, "LEV:CURR 20.00m;:LEV:CURR?"), std::vector<AnsiString>{"+2.000e-02"});
}

TEST(InstrumentModel, PowerOnSequenceLeavesEverySetting)
{
    TInstrumentModel m;
    for (const char* line : {
             "SYST:SHAK OFF", "SYST:CODE OFF", "SYST:RES fetch", "DISP:PAGE MEAS", "TRIG:SOUR BUS;:TRIG:SOUR?",
             "FREQ 1.000k;:FREQ?", "FUNC:IMP:AUTO OFF;:FUNC:IMP:AUTO?", "LEV:ALC 0;:LEV:ALC?", "FUNC Cs-D;:FUNC?",
             "COMP:TOL:NOM 10.0000p;:COMP:TOL:NOM?", "LEV:VOLT 1.00;:VOLT?", "FUNC:IMP:RANG:AUTO AUTO;:FUNC:RANG:AUTO?",
             "APER SLOW;:APER:RATE?", "VOLT:SRES 100;:LEV:SRES?", "BIAS OFF;:BIAS?", "TRIG:DLY 0.000", "APER 1;:APER:AVG?",
             "FUNC:MON1 OFF;:FUNC:MON1?", "FUNC:MON2 OFF;:FUNC:MON2?", "COMP:STAT ON;:COMP:STAT?",
             "COMP:MODE ABS;:COMP:MODE?", "COMP:TOL:BIN 1,0.00000p,0.00000p", "COMP:SLIM 0.00000,0.00000",
             "COMP:BINS 1;:COMP:BINS?", "COMP:AUX ON;:COMP:AUX?", "COMP:BEEP OFF;:COMP:BEEP?",
             "TRIG:SOUR INT;:TRIG:SOUR?", "SYST:KEYLOCK OFF"})
        m.Execute(line, t0);
    const TInstrumentState& s = m.State();
    EXPECT_EQ(m.UnknownCount(), 0);
    EXPECT_FALSE(s.SystShake);
    EXPECT_FALSE(s.SystCode);
    EXPECT_EQ(s.SystResult, "FETCH");
    EXPECT_EQ(s.Page, "MEAS");
    EXPECT_EQ(s.Frequency, 1000.0);
    EXPECT_FALSE(s.AutoLcz);
    EXPECT_FALSE(s.Alc);
    EXPECT_EQ(s.Function, sfCsD);
    EXPECT_DOUBLE_EQ(s.Nominal, 1e-11);
    EXPECT_FALSE(s.LevelIsCurrent);
    EXPECT_EQ(s.LevelVolt, 1.0);
    EXPECT_EQ(s.RangeMode, "AUTO");
    EXPECT_EQ(s.Speed, "SLOW");
    EXPECT_EQ(s.SourceRes, 100);
    EXPECT_EQ(s.Bias, 0.0);
    EXPECT_EQ(s.TrigDelay, 0.0);
    EXPECT_EQ(s.Averaging, 1);
    EXPECT_EQ(s.Monitor1, smOff);
    EXPECT_EQ(s.Monitor2, smOff);
    EXPECT_TRUE(s.CompOn);
    EXPECT_EQ(s.CompMode, "ABS");
    EXPECT_EQ(s.BinLow[1], 0.0);
    EXPECT_EQ(s.BinHigh[1], 0.0);
    EXPECT_EQ(s.Bins, 1);
    EXPECT_TRUE(s.AuxOn);
    EXPECT_EQ(s.Beep, "OFF");
    EXPECT_EQ(s.OpenLimit, 0);
    EXPECT_EQ(s.TrigSource, "INT");
    EXPECT_FALSE(s.KeyLock);
}

TEST(InstrumentModel, AutomaticLczReportsItsChoiceUntilAFunctionIsSet)
{
    TInstrumentModel m;
    EXPECT_EQ(Replies(m, "FUNC Z-D;:FUNC:IMP:AUTO ON;:FUNC?"), std::vector<AnsiString>{"Cp-D"});
    m.Dut() = TDeviceUnderTest::Make(TDutKind::Inductor);
    EXPECT_EQ(Replies(m, "FUNC?"), std::vector<AnsiString>{"Ls-Q"});
    m.Dut() = TDeviceUnderTest::Make(TDutKind::Resistor);
    EXPECT_EQ(Replies(m, "FUNC?"), std::vector<AnsiString>{"Rs-Q"});
    EXPECT_EQ(Replies(m, "FUNC Cs-Rs;:FUNC:IMP:AUTO?;:FUNC?"), (std::vector<AnsiString>{"OFF", "Cs-Rs"}));
}

TEST(InstrumentModel, RangeQueriesGiveTheRangeInUse)
{
    TInstrumentModel m;  // 100 nF at 1 kHz: 1.59 kohm, nearest range 4 (1 kohm)
    EXPECT_EQ(Replies(m, "FUNC:IMP:RANG?"), std::vector<AnsiString>{"4"});
    EXPECT_EQ(Replies(m, "FREQ 100.0;:FUNC:IMP:RANG?"), std::vector<AnsiString>{"2"});  // 15.9 kohm
    EXPECT_EQ(Replies(m, "FUNC:IMP:RANG:AUTO HOLD;:FREQ 1.000k;:FUNC:IMP:RANG?"), std::vector<AnsiString>{"2"});
    EXPECT_EQ(Replies(m, "FUNC:IMP:RANG 7;:FUNC:IMP:RANG?;:FUNC:RANG:AUTO?"), (std::vector<AnsiString>{"7", "OFF"}));
    m.Dut() = TDeviceUnderTest::Make(TDutKind::Resistor);
    EXPECT_EQ(Replies(m, "FUNC:IMP:RANG:AUTO AUTO;:FUNC:DCR:RANG?"), std::vector<AnsiString>{"4"});
    // NOM takes the range of the nominal: 10 nF at 1 kHz is 15.9 kohm.
    EXPECT_EQ(Replies(m, "FUNC Cs-D;:COMP:TOL:NOM 10.0000n;:FUNC:IMP:RANG:AUTO NOM;:FUNC:IMP:RANG?"),
              std::vector<AnsiString>{"2"});
}

TEST(InstrumentModel, MeasuringTimeFollowsFrequencySpeedAveragingAndDelay)
{
    struct Case {
        const char* setup;
        int ms;
    } cases[] = {
        {"FREQ 1.000k;:APER SLOW;:APER 1;:TRIG:DLY 0", 580},
        {"FREQ 1.000k;:APER MED", 225},
        {"FREQ 1.000k;:APER FAST", 160},
        {"FREQ 120.0;:APER FAST", 160},
        {"FREQ 100.0;:APER SLOW", 580},
        {"FREQ 100.0;:APER MED", 260},
        {"FREQ 119.9;:APER FAST", 180},
        {"FREQ 50.00;:APER SLOW", 820},
        {"FREQ 10.00;:APER MED", 440},
        {"FREQ 99.99;:APER FAST", 270},
        {"FREQ 10.00k;:APER SLOW", 500},
        {"FREQ 200.0k;:APER MED", 235},
        {"FREQ 250.0k;:APER FAST", 67},
        {"FREQ 20.00k;:APER FAST;:APER 3", 201},
        {"FREQ 20.00k;:APER FAST;:APER 3;:TRIG:DLY 1.500", 1701},
    };
    TInstrumentModel m;
    for (const auto& c : cases) {
        m.Execute(c.setup, t0);
        EXPECT_EQ(m.MeasureTime().count(), c.ms) << c.setup;
    }
    m.Options().MeasureTimeScale = 0.5;
    EXPECT_EQ(m.MeasureTime().count(), 851);
}

TEST(InstrumentModel, FetchAfterTriggerWaitsForTheReading)
{
    TInstrumentModel m;
    m.Execute("TRIG:SOUR BUS;:APER FAST;:FREQ 20.00k", t0);
    m.Execute("TRIG", At(1000));
    auto early = m.Execute("FETC?", At(1010));
    ASSERT_EQ(early.size(), 1u);
    EXPECT_EQ(early[0].ReadyAt, At(1067));
    auto late = m.Execute("FETC:IMP?", At(1100));
    ASSERT_EQ(late.size(), 1u);
    EXPECT_EQ(late[0].ReadyAt, At(1100));
    // The same reading until the next trigger.
    EXPECT_EQ(late[0].Text.substr(0, 25), early[0].Text.substr(0, 25));
    EXPECT_EQ(m.Execute("FETC?", At(1200))[0].Text, early[0].Text);
}

TEST(InstrumentModel, TriggerIsIgnoredUnderTheInternalSource)
{
    TInstrumentModel m;
    m.Execute("TRIG", At(0));
    auto r = m.Execute("FETC?", At(1));
    ASSERT_EQ(r.size(), 1u);
    EXPECT_EQ(r[0].ReadyAt, At(1));
}

TEST(InstrumentModel, AlcStateAndItsFailures)
{
    TInstrumentModel m;
    EXPECT_EQ(Replies(m, "DISP:LINE?"), std::vector<AnsiString>{"NULL"});
    EXPECT_EQ(Replies(m, "LEV:ALC 1;:LEV:ALC?;:DISP:LINE?"), (std::vector<AnsiString>{"ON", "NULL"}));
    m.Options().AlcFails = true;
    EXPECT_NE(Replies(m, "DISP:LINE?"), std::vector<AnsiString>{"NULL"});
    m.Options().AlcFails = false;
    // 1 mH at 1 kHz is 6.5 ohm: 1 V across it needs far more than the generator gives.
    m.Dut() = TDeviceUnderTest::Make(TDutKind::Inductor);
    EXPECT_NE(Replies(m, "DISP:LINE?"), std::vector<AnsiString>{"NULL"});
    EXPECT_EQ(Replies(m, "LEV:VOLT 100.0m;:DISP:LINE?"), std::vector<AnsiString>{"NULL"});

    TInstrumentModel refusing(TSimOptions{.RefuseAlc = true});
    EXPECT_EQ(Replies(refusing, "LEV:ALC 1;:LEV:ALC?;:LEV:ALC ON;:LEV:ALC?"), (std::vector<AnsiString>{"OFF", "OFF"}));
}

TEST(InstrumentModel, IdentificationOfEachModel)
{
    for (const char* model : {"ZVA", "ZVB", "ZVC", "ZVD", "ZVE", "ZV-XA", "ZV-XE", "ZV-C"}) {
        TInstrumentModel m(TSimOptions{.Model = model, .Firmware = "V2.10", .SerialNumber = "S123"});
        EXPECT_EQ(m.Answer("*IDN?", t0), AnsiString(model) + ",V2.10,S123,");
    }
    TInstrumentModel m;
    EXPECT_FALSE(m.SetModel("ZVF"));
    EXPECT_TRUE(m.SetModel("ZV-XB"));
    EXPECT_EQ(m.ModelInfo().MaxFrequency, 20e3);
}
