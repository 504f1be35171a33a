// Readings of the simulated device under every function and monitor, ranges and overload,
// and the comparator's verdicts.
#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "tools/instrument-sim/Comparator.h"
#include "tools/instrument-sim/Measurement.h"

namespace {

struct Fixture {
    TInstrumentState State;
    TDeviceUnderTest Dut = TDeviceUnderTest::Make(TDutKind::Capacitor);
    TSimNoise Noise{0.0};

    TSimReading Measure(int function)
    {
        State.Function = function;
        return MeasureDevice(State, Dut, Noise);
    }
};

void ExpectRel(double actual, double expected, double rel, const char* what)
{
    EXPECT_NEAR(actual, expected, std::fabs(expected) * rel) << what;
}

} // namespace

TEST(Measurement, CapacitorUnderEveryFunction)
{
    Fixture f;  // 100 nF with 2 ohm at 1 kHz
    const double w = 2 * std::numbers::pi * 1000.0;
    const double x = -1.0 / (w * 100e-9);
    const double d = 2.0 / -x;
    struct Case {
        int function;
        double primary, secondary;
    } cases[] = {
        {sfCsRs, 100e-9, 2.0},
        {sfCsD, 100e-9, d},
        {sfCpRp, 100e-9 / (1 + d * d), (4.0 + x * x) / 2.0},
        {sfCpD, 100e-9 / (1 + d * d), d},
        {sfLpRp, -1.0 / (w * w * 100e-9 / (1 + d * d)), (4.0 + x * x) / 2.0},
        {sfLsQ, x / w, 1.0 / d},
        {sfRsQ, 2.0, 1.0 / d},
        {sfRX, 2.0, x},
        {sfZthr, std::hypot(2.0, x), std::atan2(x, 2.0)},
        {sfZthd, std::hypot(2.0, x), std::atan2(x, 2.0) * 180.0 / std::numbers::pi},
        {sfZD, std::hypot(2.0, x), d},
        {sfZQ, std::hypot(2.0, x), 1.0 / d},
    };
    for (const auto& c : cases) {
        TSimReading r = f.Measure(c.function);
        EXPECT_FALSE(r.Overload);
        ExpectRel(r.Primary, c.primary, 1e-4, "primary");
        ExpectRel(r.Secondary, c.secondary, 1e-4, "secondary");
    }
}

TEST(Measurement, InductorAndResistor)
{
    Fixture f;
    f.Dut = TDeviceUnderTest::Make(TDutKind::Inductor);
    TSimReading r = f.Measure(sfLsRs);
    ExpectRel(r.Primary, 1e-3, 1e-9, "Ls");
    ExpectRel(r.Secondary, 1.5, 1e-9, "Rs");
    r = f.Measure(sfLpQ);
    ExpectRel(r.Secondary, 2 * std::numbers::pi * 1000.0 * 1e-3 / 1.5, 1e-9, "Q");
    r = f.Measure(sfDCR);
    EXPECT_TRUE(r.Dcr);
    ExpectRel(r.Primary, 1.5, 1e-9, "DCR");

    f.Dut = TDeviceUnderTest::Make(TDutKind::Resistor);
    r = f.Measure(sfRX);
    ExpectRel(r.Primary, 1000.0, 1e-9, "R");
    ExpectRel(r.Secondary, 2 * std::numbers::pi * 1000.0 * 2e-6, 1e-9, "X");
}

TEST(Measurement, MonitorsOfEveryKind)
{
    Fixture f;
    f.State.Nominal = 90e-9;
    const double w = 2 * std::numbers::pi * 1000.0;
    const double x = -1.0 / (w * 100e-9);
    const double z = std::hypot(2.0, x);
    const double i = 1.0 / std::hypot(102.0, x);  // 1 V behind 100 ohm
    struct Case {
        int monitor;
        double value;
    } cases[] = {
        {smZ, z},           {smD, 2.0 / -x},     {smQ, -x / 2.0},  {smVac, i * z},
        {smIac, i},         {smAbs, 10e-9},      {smPer, 100.0 / 9.0},
        {smThr, std::atan2(x, 2.0)},             {smThd, std::atan2(x, 2.0) * 180 / std::numbers::pi},
        {smR, 2.0},         {smX, x},            {smG, 2.0 / (z * z)}, {smB, -x / (z * z)}, {smY, 1.0 / z},
    };
    for (const auto& c : cases) {
        f.State.Monitor1 = c.monitor;
        f.State.Monitor2 = c.monitor;
        TSimReading r = f.Measure(sfCsRs);
        ExpectRel(r.Monitor1, c.value, 1e-4, SimMonitorWord(c.monitor).c_str());
        ExpectRel(r.Monitor2, c.value, 1e-4, SimMonitorWord(c.monitor).c_str());
    }
}

TEST(Measurement, AlcHoldsTheLevelAtTheDevice)
{
    Fixture f;
    f.State.Alc = true;
    f.State.Monitor1 = smVac;
    f.State.Monitor2 = smIac;
    TSimReading r = f.Measure(sfCsD);
    EXPECT_TRUE(r.AlcRegulating);
    ExpectRel(r.Monitor1, 1.0, 1e-9, "Vac");
    f.State.LevelIsCurrent = true;
    f.State.LevelAmp = 100e-6;
    r = f.Measure(sfCsD);
    ExpectRel(r.Monitor2, 100e-6, 1e-9, "Iac");
    f.State.LevelAmp = 20e-3;  // 20 mA through 1.6 kohm needs 32 V
    EXPECT_FALSE(f.Measure(sfCsD).AlcRegulating);
}

TEST(Measurement, OverloadOutsideTheRange)
{
    Fixture f;
    f.Dut = TDeviceUnderTest::Make(TDutKind::Open);  // 0.5 pF: 318 Mohm at 1 kHz
    f.State.Monitor1 = smZ;
    TSimReading r = f.Measure(sfCpD);
    EXPECT_TRUE(r.Overload);
    EXPECT_EQ(r.Primary, kSimOverload);
    EXPECT_EQ(r.Secondary, kSimOverload);
    EXPECT_EQ(r.Monitor1, kSimOverload);
    f.State.Frequency = 100e3;  // 3.2 Mohm: in range
    EXPECT_FALSE(f.Measure(sfCpD).Overload);

    Fixture fixed;  // 1.6 kohm on the fixed 10 ohm range
    fixed.State.RangeMode = "OFF";
    fixed.State.ImpRange = 8;
    EXPECT_TRUE(fixed.Measure(sfCsD).Overload);
    fixed.State.ImpRange = 4;
    EXPECT_FALSE(fixed.Measure(sfCsD).Overload);

    Fixture dcr;  // no direct current through a capacitor
    EXPECT_TRUE(dcr.Measure(sfDCR).Overload);
}

TEST(Measurement, NoiseIsSmallAndShrinksWithAveraging)
{
    Fixture f;
    f.Noise.Level = 1.0;
    double spreadOne = 0.0, spreadMany = 0.0;
    for (int i = 0; i < 50; ++i)
        spreadOne = std::max(spreadOne, std::fabs(f.Measure(sfCsRs).Primary / 100e-9 - 1.0));
    f.State.Averaging = 64;
    for (int i = 0; i < 50; ++i)
        spreadMany = std::max(spreadMany, std::fabs(f.Measure(sfCsRs).Primary / 100e-9 - 1.0));
    EXPECT_GT(spreadOne, 0.0);
    EXPECT_LT(spreadOne, 1e-3);
    EXPECT_LT(spreadMany, spreadOne);
}

TEST(Comparator, BinsFollowTheLimits)
{
    Fixture f;
    f.State.Bins = 3;
    f.State.BinLow[1] = 10e-9, f.State.BinHigh[1] = 50e-9;
    f.State.BinLow[2] = 95e-9, f.State.BinHigh[2] = 105e-9;
    f.State.BinLow[3] = 90e-9, f.State.BinHigh[3] = 110e-9;
    TSimReading r = f.Measure(sfCsRs);
    EXPECT_EQ(r.Bin, "BIN2");
    EXPECT_EQ(r.Aux, "AUX-OK");
    EXPECT_EQ(r.Judgement, "OK");
    f.State.BinHigh[2] = 99e-9;
    EXPECT_EQ(f.Measure(sfCsRs).Bin, "BIN3");
    f.State.Bins = 2;  // bin 3 is not in use
    r = f.Measure(sfCsRs);
    EXPECT_EQ(r.Bin, "OUT ");
    EXPECT_EQ(r.Judgement, "NG");

    f.State.CompMode = "PER";  // limits in percent of the nominal
    f.State.Nominal = 102e-9;
    f.State.BinLow[1] = -1.0, f.State.BinHigh[1] = 1.0;
    f.State.BinLow[2] = -5.0, f.State.BinHigh[2] = 5.0;
    EXPECT_EQ(f.Measure(sfCsRs).Bin, "BIN2");
    f.State.Nominal = 100.5e-9;
    EXPECT_EQ(f.Measure(sfCsRs).Bin, "BIN1");
}

TEST(Comparator, AuxJudgesTheSecondaryValue)
{
    Fixture f;
    f.State.BinLow[1] = 0.0, f.State.BinHigh[1] = 1e-6;
    f.State.SecondaryLow = 0.0, f.State.SecondaryHigh = 1.0;  // Rs is 2 ohm
    EXPECT_EQ(ComparatorField(f.Measure(sfCsRs)), "BIN1,AUX-OK,OK");  // AUX off
    f.State.AuxOn = true;
    EXPECT_EQ(ComparatorField(f.Measure(sfCsRs)), "BIN1,AUX-NG,NG");
    f.State.SecondaryHigh = 3.0;
    EXPECT_EQ(ComparatorField(f.Measure(sfCsRs)), "BIN1,AUX-OK,OK");
}

TEST(Comparator, OpenLimitMarksAnOpenFixture)
{
    Fixture f;
    f.State.OpenLimit = 10;
    f.State.Nominal = 10e-6;  // 100 nF is below 10 % of 10 uF
    EXPECT_EQ(f.Measure(sfCsD).Bin, "OPEN");
    f.State.Nominal = 500e-9;
    EXPECT_EQ(f.Measure(sfCsD).Bin, "OUT ");
    f.State.OpenLimit = 0;
    f.State.Nominal = 10e-6;
    EXPECT_EQ(f.Measure(sfCsD).Bin, "OUT ");
    f.Dut = TDeviceUnderTest::Make(TDutKind::Open);
    f.State.OpenLimit = 2;
    EXPECT_EQ(f.Measure(sfZD).Bin, "OPEN");  // an overload with the open check on
}

TEST(Comparator, DcrFieldHasNoAuxPart)
{
    Fixture f;
    f.Dut = TDeviceUnderTest::Make(TDutKind::Resistor);
    f.State.AuxOn = true;
    f.State.BinLow[1] = 990.0, f.State.BinHigh[1] = 1010.0;
    EXPECT_EQ(ComparatorField(f.Measure(sfDCR)), "BIN1,OK");
    f.State.BinHigh[1] = 999.0;
    EXPECT_EQ(ComparatorField(f.Measure(sfDCR)), "OUT ,NG");
}
