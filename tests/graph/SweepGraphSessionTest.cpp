// The Sweep Graph tab against the simulated instrument, driven as a user drives it.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "../panel/PanelTestSupport.h"
#include "components/controls/Owbuttons.h"
#include "components/controls/Voduriz.h"
#include "components/grid/Ravgrid.h"
#include "graph/GraphPublic.h"
#include "list/DataFile.h"
#include "list/ListUnits.h"
#include "main/Public.h"
#include "platform/core/FloatConvert.h"
#include "platform/chart/Chart.h"
#include "platform/core/FileUtils.h"
#include "platform/core/StringUtils.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/ModalScript.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/Panel.h"
#include "platform/forms/Render.h"
#include "platform/forms/TestInput.h"
#include "platform/forms/Timer.h"
#include "platform/forms/VirtualKeys.h"
#include "platform/graphics/Bitmap.h"
#include "platform/report/Report.h"
#include "platform/win/Paths.h"
#include "tests/support/TestOutput.h"
#include "tools/instrument-sim/DeviceUnderTest.h"
#include "platform/graphics/PngData.h"

namespace {

bool RunUntil(const std::function<bool()>& Done, int TimeoutMs = 20000)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeoutMs);
    while (!Done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        TestInput::RunFor(5);
    }
    return true;
}

AnsiString ReadFile(const AnsiString& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class SweepGraphSession : public PanelSession {
protected:
    void SetUp() override
    {
        PanelSession::SetUp();
        Connect();
        PowerOn();
        SoftKey(4);
        ASSERT_EQ(Form->PageId, 9);
        NewLines();
    }

    // The user's typing: the field's old text deleted (Delete: the key filters of some
    // fields drop Backspace), the new one typed, then Tab.
    void Enter(TVodUriz* field, const AnsiString& text, bool leave = true)
    {
        field->SetFocus();
        TestInput::PressKey(field, VK_HOME);
        for (size_t i = field->GetText().size(); i > 0; --i)
            TestInput::PressKey(field, VK_DELETE);
        TestInput::TypeText(field, text);
        if (leave)
            TestInput::PressKey(field, VK_TAB);
        TestInput::ProcessEvents();
    }

    void Choose(TComboBox* box, int item)
    {
        // A monitor box hands the focus to the panel after each change: the user clicks it again.
        box->SetFocus();
        TestInput::PressKey(box, VK_HOME);
        for (int i = 0; i < item; ++i) {
            box->SetFocus();
            TestInput::PressKey(box, VK_DOWN);
        }
        TestInput::ProcessEvents();
    }

    void Pick(TRadioGroup* group, int item) { Click(group->Buttons(item)); }

    // Sweep Parameter, the fields as given, Ok.
    void SetUpSweep(int type, const AnsiString& start, const AnsiString& end, const AnsiString& points, int function = 0,
        int mon1 = 0, int mon2 = 0)
    {
        Click(Form->SweepParaBtn);
        ASSERT_TRUE(Form->SweepGraphParaPanel->Visible());
        Pick(Form->SweepGraphTypeGroup, type);
        Choose(Form->SweepGraphFunBox, function);
        Choose(Form->SweepGraphMon1Box, mon1);
        Choose(Form->SweepGraphMon2Box, mon2);
        Enter(Form->SweepGraphEndEdit, end);
        Enter(Form->SweepGraphStartEdit, start);
        Enter(Form->SweepGraphPointEdit, points);
        Click(Form->SweepGraphOkBtn);
        ASSERT_FALSE(Form->SweepGraphParaPanel->Visible()) << ModalScript::LastRequest().Text;
    }

    void RunSweep()
    {
        Click(Form->SweepGraphStartBtn);
        ASSERT_TRUE(Form->TestRunning);
        ASSERT_TRUE(RunUntil([&] { return Form->TestIdle; }));
        TestInput::ProcessEvents();
    }

    // Graph Parameter with the choices given, Ok.
    void GraphParameters(const std::function<void()>& choose)
    {
        Click(Form->GraphParaBtn);
        choose();
        Click(Form->SweepGraphOkBtn);
    }

    AnsiString Cell(int c, int r) { return Form->SweepResultGrid->GetCellEx(c, r); }

    TChartSeries* Screen(int s) { return Form->SweepGraphChart->Series(s); }
    TChartSeries* Report(int s) { return Form->ReportSweepGraphChart->Chart()->Series(s); }
    std::array<TCustomChart*, 2> Charts()
    {
        return {Form->SweepGraphChart, Form->ReportSweepGraphChart->Chart()};
    }

    // Another part on the test leads: the simulator's capacitor or inductor of this value.
    void PutOnLeads(TDutKind kind, double value)
    {
        Sim->Modify([&](TInstrumentModel& m) {
            m.Dut() = TDeviceUnderTest::Make(kind);
            (kind == TDutKind::Inductor ? m.Dut().Inductance : m.Dut().Capacitance) = value;
        });
    }

    // Every trace shown on both charts lies inside the automatic left axis, off its edges
    // (a trace may rest on a zero end), and changes over the sweep.
    void ExpectVaryingTracesInsideTheAxis(int series)
    {
        for (TCustomChart* c : Charts()) {
            const double lo = c->LeftAxis()->Minimum(), hi = c->LeftAxis()->Maximum();
            for (int s = 0; s < series; ++s) {
                const TChartSeries* t = c->Series(s);
                if (!t->Active())
                    continue;
                ASSERT_GT(t->Count(), 1) << s;
                EXPECT_LT(t->MaxYValue(), hi) << s;
                EXPECT_TRUE(t->MinYValue() > lo || (lo == 0 && t->MinYValue() == 0)) << s << " " << lo;
                EXPECT_GT(t->MaxYValue() - t->MinYValue(), 0.1 * std::fabs(t->MaxYValue())) << s; // not flat
            }
        }
    }
};

} // namespace

TEST_F(SweepGraphSession, ParameterFieldsRefuseOutOfRangeValuesWithTheirMessages)
{
    Click(Form->SweepParaBtn);
    for (TControl* c : std::initializer_list<TControl*>{Form->SweepGraphStartBtn, Form->SweepParaBtn,
             Form->SweepGraphChart, Form->SweepGraphMeasDispBtn})
        EXPECT_FALSE(c->Enabled()); // the rest of the tab waits for the panel
    Enter(Form->SweepGraphEndEdit, "200");
    const struct {
        TVodUriz* Field;
        const char* Typed;
        const char* Message; // nullptr: accepted
    } cases[] = {
        {Form->SweepGraphStartEdit, "0", " ''Start'' over  range! 0.01 kHz <= Start <= 300 kHz !"},
        {Form->SweepGraphStartEdit, "250", " '' Start '' over  range! Start <= End !"},
        {Form->SweepGraphStartEdit, "0.01", nullptr},
        {Form->SweepGraphEndEdit, "300.01", " ''End'' over  range! 0.01 kHz <= End <= 300 kHz !"},
        {Form->SweepGraphEndEdit, "300", nullptr},
        {Form->SweepGraphPointEdit, "0", " ''Point'' over  range!  1 <= Point <= 1000 !"},
        {Form->SweepGraphPointEdit, "1001", " ''Point'' over  range!  1 <= Point <= 1000 !"},
        {Form->SweepGraphPointEdit, "1000", nullptr},
        {Form->SweepGraphLevelEdit, "2.5", " ''Level_V''_v over  range! 0.01 V <= Level(V) <= 2 V !"},
        {Form->SweepGraphLevelEdit, "2", nullptr},
    };
    for (const auto& c : cases) {
        ModalScript::ClearLog();
        if (c.Message)
            ModalScript::AnswerButton(IDOK);
        Enter(c.Field, c.Typed);
        if (c.Message) {
            ASSERT_EQ(ModalScript::Log().size(), 1u) << c.Typed;
            EXPECT_EQ(ModalScript::Log()[0].Text, c.Message);
            EXPECT_EQ(ModalScript::Log()[0].Caption, "Warning");
            EXPECT_TRUE(Form->InputError) << c.Typed;
            EXPECT_TRUE(c.Field->Focused()) << c.Typed; // back in the field
        } else {
            EXPECT_TRUE(ModalScript::Log().empty()) << c.Typed;
            EXPECT_FALSE(Form->InputError) << c.Typed;
        }
    }
    // Enter refuses too, without setting InputError; an emptied Point becomes 10.
    ModalScript::AnswerButton(IDOK);
    Enter(Form->SweepGraphPointEdit, "0\r", false);
    EXPECT_FALSE(Form->InputError);
    ModalScript::ClearLog();
    Enter(Form->SweepGraphPointEdit, "");
    EXPECT_EQ(Form->SweepGraphPointEdit->GetText(), "10");
    EXPECT_TRUE(ModalScript::Log().empty()) << ModalScript::LastRequest().Text;
    EXPECT_FALSE(Form->InputError);

    // The fixed frequency of a level sweep is bounded by the model's 300 kHz.
    Pick(Form->SweepGraphTypeGroup, 1);
    EXPECT_EQ(Form->SweepGraphStartEdit->GetText(), "0.01");
    ModalScript::AnswerButton(IDOK);
    Enter(Form->SweepGraphFreqEdit, "300.5");
    EXPECT_EQ(ModalScript::LastRequest().Text, " ''Freq'' over  range! 0.01 kHz <= Freq <= 300 kHz !");
    Enter(Form->SweepGraphFreqEdit, "250");
    EXPECT_FALSE(Form->InputError);

    // Nominal: shown only for ABS and REL; letters are dropped with a beep.
    EXPECT_FALSE(Form->SweepGraphNomEdit->Visible());
    Choose(Form->SweepGraphMon1Box, 6);
    EXPECT_TRUE(Form->SweepGraphNomEdit->Visible());
    Enter(Form->SweepGraphNomEdit, "12.3x");
    EXPECT_EQ(Form->SweepGraphNomEdit->GetText(), "12.3000");

    // Ok runs the checks: a bad frequency typed and not yet left is refused, the panel stays.
    ModalScript::AnswerButton(IDOK);
    Enter(Form->SweepGraphEndEdit, "3"); // refused on leaving
    EXPECT_TRUE(Form->InputError);
    Click(Form->SweepGraphOkBtn); // InputError set: cleared, nothing else
    EXPECT_FALSE(Form->InputError);
    Enter(Form->SweepGraphEndEdit, "2");
    Enter(Form->SweepGraphFreqEdit, "400", false);
    ModalScript::ClearLog();
    ModalScript::AnswerButton(IDOK);
    Click(Form->SweepGraphOkBtn);
    ASSERT_EQ(ModalScript::Log().size(), 1u);
    EXPECT_EQ(ModalScript::Log()[0].Text, " ''Freq'' over  range! 0.01 kHz <= Freq <= 300 kHz !");
    EXPECT_TRUE(Form->SweepGraphParaPanel->Visible());
    EXPECT_FALSE(Form->InputError);
}

TEST_F(SweepGraphSession, PointTableRunsFromStartToEndExactly)
{
    SetUpSweep(0, "1", "300", "4");
    const char* freqs[] = {"1.000", "100.7", "200.3", "300.0"};
    ASSERT_EQ(Form->SweepResultGrid->GetRowCountEx(), 5);
    for (int r = 1; r <= 4; ++r) {
        EXPECT_EQ(Cell(0, r), std::to_string(r));
        EXPECT_EQ(Cell(1, r), "Cs-Rs");
        EXPECT_EQ(Cell(2, r), freqs[r - 1]) << r;
        EXPECT_EQ(Cell(3, r), "1.00");
    }
    // 1.00 to 1.01 kHz in 20 points: never beyond End.
    SetUpSweep(0, "1", "1.01", "20");
    for (int r = 1; r <= 20; ++r)
        EXPECT_LE(std::stod(Cell(2, r)), 1.01) << r;
    EXPECT_EQ(Cell(2, 20), "1.010");

    // Level sweep in mA: the level column, the fixed frequency, the header.
    SetUpSweep(2, "0.1", "20", "4", 3, 6, 5); // Cp-D, ABS, Iac
    const char* levels[] = {"0.10", "6.73", "13.37", "20.00"};
    for (int r = 1; r <= 4; ++r) {
        EXPECT_EQ(Cell(3, r), levels[r - 1]) << r;
        EXPECT_EQ(Cell(2, r), "1.000");
    }
    EXPECT_EQ(Cell(3, 0), "Level(mA)");
    EXPECT_EQ(Cell(6, 0), "Monitor(1)_ABS");
    EXPECT_EQ(Cell(7, 0), "Monitor(2)_Iac");
    EXPECT_EQ(Form->GraphUpperUnitLab1->Caption(), "pF");
    EXPECT_EQ(Form->GraphUpperLimitEdit2->GetText(), "9.999");
    EXPECT_EQ(Form->GraphUpperUnitLab7->Caption(), "pF");
    EXPECT_EQ(Form->GraphUpperUnitLab4->Caption(), "mA");
    EXPECT_EQ(Form->GraphUpperLimitEdit8->GetText(), "20.000");
}

TEST_F(SweepGraphSession, FrequencySweepSendsEachPointsChangesAndPlotsBothCharts)
{
    SetUpSweep(0, "1", "100", "3", 0, 1); // Cs-Rs, monitor 1 Z
    NewLines();
    RunSweep();
    const std::vector<AnsiString> expected = {"FUNC Cs-Rs;:FUNC?", "FUNC:MON1 Z;:FUNC:MON1?",
        "FUNC:MON2 OFF;:FUNC:MON2?", "FREQ 1.000k;:FREQ?", "LEV:VOLT 1.00;:VOLT?", "TRIG", "FREQ 50.50k;:FREQ?",
        "TRIG", "FREQ 100.0k;:FREQ?", "TRIG"};
    EXPECT_EQ(NewLines(), expected);
    EXPECT_EQ(Form->SweepGraphTerminateBtn->Enabled(), false);
    EXPECT_TRUE(Form->SweepGraphStartBtn->Enabled());

    // Every trace holds its three points, x the frequencies, in one prefix each.
    for (int s = 0; s < 3; ++s) {
        ASSERT_EQ(Screen(s)->Count(), 3) << s;
        ASSERT_EQ(Report(s)->Count(), 3) << s;
    }
    EXPECT_EQ(Screen(3)->Count(), 3); // monitor 2 OFF: its empty cells plot at 0
    EXPECT_EQ(Screen(4)->Count(), 0);
    EXPECT_DOUBLE_EQ(Screen(0)->XValue(1), 50.5);
    const AnsiString prefix = Form->TracePrefix[0];
    for (int r = 1; r <= 3; ++r) {
        const TValueParts parts = ParseValueText(Cell(4, r));
        ASSERT_FALSE(parts.Empty || parts.Overload) << Cell(4, r);
        const double v = parts.Value;
        const AnsiString p = parts.Prefix;
        const int shift = PrefixExponent(p.empty() ? " " : p) - PrefixExponent(prefix);
        EXPECT_NEAR(Screen(0)->YValue(r - 1), v * std::pow(1000.0, shift), 1e-9) << Cell(4, r);
        EXPECT_EQ(Report(0)->YValue(r - 1), Screen(0)->YValue(r - 1));
    }
    // The limit fields show the extremes, the unit captions the units of row 1.
    EXPECT_EQ(Form->GraphUpperLimitEdit1->GetText(), FloatToStr(Screen(0)->MaxYValue()));
    EXPECT_EQ(Form->GraphUpperUnitLab1->Caption(), ParseValueText(Cell(4, 1)).Unit);
    EXPECT_EQ(Form->SweepGraphChart->LeftAxis()->Automatic(), true);
}

TEST_F(SweepGraphSession, CompareSweepMeasuresTwoPassesIntoTwoBlocksOfRows)
{
    SetUpSweep(1, "0.5", "2", "4", 1, 3, 0); // level sweep in V, Cs-D, monitor 1 Q
    GraphParameters([&] { Pick(Form->SetSweepGraphCompare, 0); });
    NewLines();
    RunSweep(); // pass 1
    const std::vector<AnsiString> pass1 = {"FUNC Cs-D;:FUNC?", "FUNC:MON1 Q;:FUNC:MON1?", "FUNC:MON2 OFF;:FUNC:MON2?",
        "FREQ 1.000k;:FREQ?", "LEV:VOLT 0.50;:VOLT?", "TRIG", "LEV:VOLT 1.00;:VOLT?", "TRIG", "LEV:VOLT 1.50;:VOLT?",
        "TRIG", "LEV:VOLT 2.00;:VOLT?", "TRIG"};
    EXPECT_EQ(NewLines(), pass1);
    EXPECT_EQ(Form->ComparePass, 1);
    EXPECT_EQ(Form->SweepResultGrid->GetRowCountEx(), 5);
    RunSweep(); // pass 2
    EXPECT_EQ(Form->ComparePass, 2);
    EXPECT_EQ(NewLines(), pass1); // the same points again
    ASSERT_EQ(Form->SweepResultGrid->GetRowCountEx(), 9);
    for (int r = 5; r <= 8; ++r) {
        EXPECT_EQ(Cell(0, r), std::to_string(r));
        EXPECT_EQ(Cell(3, r), Cell(3, r - 4));
        EXPECT_NE(Cell(4, r), "");
    }
    for (int s = 0; s < 8; ++s)
        EXPECT_EQ(Screen(s)->Count(), 4) << s;
    EXPECT_DOUBLE_EQ(Screen(4)->XValue(3), 2.0); // plotted against the level
    EXPECT_EQ(Form->SweepValueText[1][0][4], Cell(4, 8));

    // Replot: both passes in the prefix of pass 1, as they were plotted live.
    std::vector<double> before;
    for (int s : {0, 4})
        for (int i = 0; i < 4; ++i)
            before.push_back(Screen(s)->YValue(i));
    GraphParameters([] {});
    size_t k = 0;
    for (int s : {0, 4})
        for (int i = 0; i < 4; ++i)
            EXPECT_DOUBLE_EQ(Screen(s)->YValue(i), before[k++]) << s << " " << i;
    EXPECT_TRUE(Screen(4)->Active());

    // "No Compare" drops the compare pass.
    GraphParameters([&] { Pick(Form->SetSweepGraphCompare, 1); });
    EXPECT_EQ(Form->SweepResultGrid->GetRowCountEx(), 5);
    EXPECT_EQ(Screen(4)->Count(), 0);
    EXPECT_EQ(Form->SweepValueText[1][0][1], "");
    EXPECT_EQ(Screen(0)->Count(), 4);
}

TEST_F(SweepGraphSession, CompareSweepSendsEachFrequencyOnceWhateverLateReadingsArrive)
{
    // A reading the polling asked for may land just in front of the frequency's read-back: on a
    // loaded machine now and then, here in front of every one of them.
    SetUpSweep(0, "1", "100", "5");
    GraphParameters([&] { Pick(Form->SetSweepGraphCompare, 0); });
    TSimFaultSettings settings;
    settings.OnlyFor = "FREQ";
    Sim->SetFaultSettings(settings);
    Sim->SetFault(TSimFault::UnaskedReply);
    NewLines();
    RunSweep();
    RunSweep();
    ASSERT_EQ(Form->ComparePass, 2);
    const std::vector<AnsiString> lines = NewLines();
    const auto count = [&](const char* head) {
        return std::count_if(lines.begin(), lines.end(), [&](const AnsiString& l) { return l.rfind(head, 0) == 0; });
    };
    EXPECT_EQ(count("FREQ "), 10);
    EXPECT_EQ(count("TRIG"), 10);
    ASSERT_EQ(Form->SweepResultGrid->GetRowCountEx(), 11);
    for (int r = 1; r <= 10; ++r)
        EXPECT_NE(Cell(4, r), "") << r;
}

TEST_F(SweepGraphSession, BothPassesOfAQuantityArePlottedInOnePrefixLiveAndReplotted)
{
    // |Z| over 1-10 kHz of three capacitors, one part per pass: 1 uF reads 159 down to
    // 16 ohm, 100 nF 1.59 kohm and then hundreds of ohm, 10 nF 15.9 down to 1.59 kohm.
    SetUpSweep(0, "1", "10", "4", 13); // Z-D
    GraphParameters([&] { Pick(Form->SetSweepGraphCompare, 0); });
    const struct {
        double Farad;
        int Pass, PassesMeasured;
        const char* Prefix; // of the plot, both passes
    } runs[] = {
        {1e-6, 1, 1, " "},   // in ohm
        {100e-9, 2, 2, " "}, // starts in kohm: plotted in the ohm of pass 1
        {10e-9, 1, 2, "k"},  // pass 1 again, in kohm: the compare pass is redrawn in kohm
    };
    // Each plotted |Z| of both charts, times the plot's prefix, is the reading of its cell.
    auto expectOnePrefix = [&](const AnsiString& prefix, int passes, const char* when) {
        EXPECT_EQ(Form->TracePrefix[0], prefix) << when;
        EXPECT_EQ(Form->GraphUpperUnitLab1->Caption(), Trim(prefix) + "ohm") << when;
        const double scale = std::pow(1000.0, PrefixExponent(prefix));
        int otherPrefix = 0;
        for (int pass = 0; pass < passes; ++pass)
            for (int p = 1; p <= 4; ++p) {
                const TValueParts cell = ParseValueText(Cell(4, 4 * pass + p));
                if (cell.Empty || cell.Overload) {
                    ADD_FAILURE() << when << ": no reading in " << Cell(4, 4 * pass + p);
                    continue;
                }
                const AnsiString cellPrefix = cell.Prefix.empty() ? " " : cell.Prefix;
                otherPrefix += cellPrefix != prefix;
                const double ohm = cell.Value * std::pow(1000.0, PrefixExponent(cellPrefix));
                for (TCustomChart* c : Charts())
                    EXPECT_NEAR(c->Series(4 * pass)->YValue(p - 1) * scale, ohm, ohm * 1e-12)
                        << when << ": pass " << pass + 1 << ", point " << p << ", " << Cell(4, 4 * pass + p);
            }
        return otherPrefix;
    };
    for (const auto& r : runs) {
        PutOnLeads(TDutKind::Capacitor, r.Farad);
        RunSweep();
        ASSERT_EQ(Form->ComparePass, r.Pass);
        const int converted = expectOnePrefix(r.Prefix, r.PassesMeasured, "live");
        if (r.PassesMeasured == 2) {
            EXPECT_GT(converted, 0); // readings in another prefix were among them
        }
        GraphParameters([] {}); // the replot
        expectOnePrefix(r.Prefix, r.PassesMeasured, "replot");
    }
}

TEST_F(SweepGraphSession, TwoPartsComparedGiveVaryingTracesInsideTheAxisAndRemoveAllEmptiesThem)
{
    // Two inductors, 1 mH and 0.47 mH, over 1-100 kHz: |Z| and Q rise with frequency,
    // |Y| falls, the phase climbs towards 90 degrees.
    SetUpSweep(0, "1", "100", "25", 14, 14, 9); // Z-Q, monitors Y and Theta_d
    GraphParameters([&] { Pick(Form->SetSweepGraphCompare, 0); });
    PutOnLeads(TDutKind::Inductor, 1e-3);
    RunSweep();
    PutOnLeads(TDutKind::Inductor, 0.47e-3);
    RunSweep();
    for (TCustomChart* c : Charts())
        for (int s = 0; s < 8; ++s)
            ASSERT_EQ(c->Series(s)->Count(), 25) << s;
    EXPECT_EQ(Form->GraphUpperUnitLab1->Caption(), "ohm");
    EXPECT_EQ(Form->GraphUpperUnitLab3->Caption(), "mS");
    EXPECT_EQ(Form->GraphUpperUnitLab4->Caption(), "d");
    EXPECT_GT(Screen(0)->YValue(24), 2 * Screen(4)->YValue(24)); // 1 mH above 0.47 mH
    // Graph Parameter, Ok: the replot shows the compare pass's traces beside pass 1.
    GraphParameters([] {});
    for (int s = 0; s < 8; ++s)
        ASSERT_TRUE(Screen(s)->Active()) << s;
    ExpectVaryingTracesInsideTheAxis(8);
    SaveControlToPng(Form->SweepGraphTab, TestOutputPath("sweep_graph_two_passes.png"));

    // Remove All: the table, the stored passes and every series of both charts emptied.
    ModalScript::AnswerButton(IDOK);
    Click(Form->SweepGraphRemoveBtn);
    EXPECT_EQ(Form->SweepResultGrid->GetRowCountEx(), 2);
    EXPECT_EQ(Form->ComparePass, 1);
    EXPECT_EQ(Form->SweepValueText[0][0][1], "");
    EXPECT_EQ(Form->SweepValueText[1][3][25], "");
    for (TCustomChart* c : Charts())
        for (int s = 0; s < 8; ++s)
            EXPECT_EQ(c->Series(s)->Count(), 0) << s;
}

TEST_F(SweepGraphSession, LeftAxisAutoOrFixedToATracesLimitsAndTheLogAxis)
{
    // A 1 mH inductor over 1-100 kHz: |Z| and Q rise, |Y| falls, the phase (trace 3, in
    // radians) nears pi/2.
    PutOnLeads(TDutKind::Inductor, 1e-3);
    SetUpSweep(0, "1", "100", "34", 14, 8, 14); // Z-Q, monitors Theta_r and Y
    RunSweep();
    // A lower limit above the upper one is refused at the field, never an axis error.
    ModalScript::AnswerButton(IDOK);
    GraphParameters([&] {
        Pick(Form->SetYAxisLeftGraphRadio, 3);
        Enter(Form->GraphLowerLimitEdit3, "5");
        Enter(Form->GraphUpperLimitEdit3, "1");
    });
    EXPECT_EQ(ModalScript::LastRequest().Text, " ''Lower Limit'' over  range! Lower Limit <= Upper Limit !");
    EXPECT_TRUE(Form->SweepGraphParaPanel->Visible());
    Enter(Form->GraphUpperLimitEdit3, "3.142");
    Enter(Form->GraphLowerLimitEdit3, "0");
    Pick(Form->SetSweepGraphAxisScale, 1);
    Click(Form->SweepGraphOkBtn);
    ASSERT_FALSE(Form->SweepGraphParaPanel->Visible());
    for (TCustomChart* c : {static_cast<TCustomChart*>(Form->SweepGraphChart),
             static_cast<TCustomChart*>(Form->ReportSweepGraphChart->Chart())}) {
        EXPECT_FALSE(c->LeftAxis()->Automatic());
        EXPECT_EQ(c->LeftAxis()->Minimum(), 0);
        EXPECT_EQ(c->LeftAxis()->Maximum(), 3.142);
        EXPECT_TRUE(c->BottomAxis()->Logarithmic());
    }
    EXPECT_EQ(Form->GraphUpperLimitEdit3->GetText(), "3.142"); // kept
    SaveControlToPng(Form->SweepGraphChart, TestOutputPath("sweep_graph_log_axis_fixed.png"));

    // Back to Auto: the axis follows the data, the limit fields are refilled; traces 2 and
    // 3 hidden, leaving |Z| and |Y| to read.
    GraphParameters([&] {
        Pick(Form->SetYAxisLeftGraphRadio, 0);
        Click(Form->GraphCheck2);
        Click(Form->GraphCheck3);
    });
    EXPECT_TRUE(Form->SweepGraphChart->LeftAxis()->Automatic());
    EXPECT_EQ(Form->GraphUpperLimitEdit1->GetText(), FloatToStr(Screen(0)->MaxYValue()));
    for (int s : {1, 2}) {
        EXPECT_FALSE(Screen(s)->Active()) << s;
        EXPECT_FALSE(Report(s)->Active()) << s;
        EXPECT_EQ(Screen(s)->Count(), 0) << s;
        EXPECT_EQ(Report(s)->Count(), 34) << s;
    }
    ExpectVaryingTracesInsideTheAxis(4);
    SaveControlToPng(Form->SweepGraphChart, TestOutputPath("sweep_graph_log_axis.png"));
}

TEST_F(SweepGraphSession, ResultFileIsWrittenByteForByte)
{
    SetUpSweep(0, "1", "2", "2", 1); // Cs-D
    Form->SweepResultGrid->SetCellEx(4, 1, " 1.23456 pF");
    Form->SweepResultGrid->SetCellEx(5, 1, "-0.00120   ");
    Form->SweepResultGrid->SetCellEx(4, 2, "OVERLOAD  F");
    Form->SweepResultGrid->SetCellEx(5, 2, "0.00000   ");
    const AnsiString chosen = TestOutputPath("run1");
    const AnsiString saved = chosen + "_SweepGraphResult.txt";
    DeleteFile(saved);
    ModalScript::AnswerFile(chosen);
    Click(Form->SweepGraphSaveBtn);
    const AnsiString file = ReadFile(saved);
    // The running program's date: no installed program file is found.
    ASSERT_EQ(Form->ExeDateTimeText.size(), 19u);
    const AnsiString expectedTail = PadField("File_Name:" + saved, 20) +
        "\r\n"
        "Version:2.05\r\n"
        "Version_Date:2021/11/25\r\n"
        "Exe_DateTime:" + PadField(Form->ExeDateTimeText, 19) + "\r\n"
        "Serial_No:ZV24050117\r\n"
        "**********Sweep_Graph_Result**********\r\n"
        "  Step  Function    Freq(kHz)     Level(V)    Primary   Unit     Second   Unit   Monitor(1)_OFF   Unit   Monitor(2)_OFF   Unit\r\n"
        "     1      Cs-D        1.000         1.00    1.23456     pF   -0.00120 (null)           (null) (null)           (null) (null)\r\n"
        "     2      Cs-D        2.000         1.00   OVERLOAD      F    0.00000 (null)           (null) (null)           (null) (null)\r\n"
        "**********END**********\r\n";
    std::smatch m;
    ASSERT_TRUE(std::regex_search(file, m, std::regex("^Date:\\d{4}/\\d{2}/\\d{2}\r\nTime:\\d{2}:\\d{2}:\\d{2}\r\n")))
        << file;
    EXPECT_EQ(file.substr(m.length()), expectedTail);

    // Saving over it: asked first; Cancel keeps the old file as it was.
    ModalScript::AnswerFile(chosen + ".txt");
    ModalScript::AnswerButton(IDCANCEL);
    Click(Form->SweepGraphSaveBtn);
    EXPECT_EQ(ModalScript::LastRequest().Text, "Overwrite the exists file !");
    EXPECT_EQ(ReadFile(saved), file);

    // A file that cannot be written: the old one stays and a "Warning" box names it.
    const AnsiString blocked = TestOutputPath("blocked_SweepGraphResult.txt");
    ForceDirectories(blocked + ".saving"); // the temporary cannot be created
    ModalScript::AnswerFile(blocked);
    ModalScript::AnswerButton(IDOK);
    Click(Form->SweepGraphSaveBtn);
    EXPECT_EQ(ModalScript::LastRequest().Caption, "Warning");
    EXPECT_NE(ModalScript::LastRequest().Text.find(blocked), AnsiString::npos);
    EXPECT_FALSE(FileExists(blocked));

    // Remove All: one empty row, twelve "(null)" fields.
    ModalScript::AnswerButton(IDOK);
    Click(Form->SweepGraphRemoveBtn);
    EXPECT_EQ(Form->SweepResultGrid->GetRowCountEx(), 2);
    EXPECT_EQ(Cell(1, 1), "");
    const AnsiString text = SweepGraphResultText("x");
    EXPECT_NE(text.find("(null)    (null)       (null)       (null)     (null) (null)     (null) (null)"), AnsiString::npos)
        << text;
}

// Both save dialogs of the tab start in the result folder under the prefix, with no name yet;
// a name typed without a folder is saved there.
TEST_F(SweepGraphSession, SaveDialogsStartInTheResultFolder)
{
    const AnsiString folder = MapWindowsPath(Form->SweepGraphResultFolder);
    const struct { TOwShadowButton* Button; const char* Typed; const char* File; } cases[] = {
        {Form->SweepGraphSaveBtn, "run3", "run3_SweepGraphResult.txt"},
        {Form->SweepGraphSaveGraphBtn, "picture", "picture.bmp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed);
        ModalScript::ClearLog();
        ModalScript::AnswerCancel();
        Click(c.Button);
        EXPECT_EQ(ModalScript::LastRequest().Kind, TModalKind::SaveDialog);
        EXPECT_EQ(ModalScript::LastRequest().Folder, folder);
        EXPECT_TRUE(DirectoryExists(folder));
        EXPECT_EQ(ModalScript::LastRequest().Value, "");
        DeleteFile(folder + "/" + c.File);
        ModalScript::AnswerFile(c.Typed);
        Click(c.Button);
        EXPECT_TRUE(FileExists(folder + "/" + c.File));
    }
}

TEST_F(SweepGraphSession, SaveGraphPreviewAndTerminate)
{
    PutOnLeads(TDutKind::Inductor, 1e-3);
    SetUpSweep(0, "1", "100", "25", 14, 14, 9); // Z-Q, monitors Y and Theta_d
    RunSweep();
    const AnsiString bmp = TestOutputPath("sweep_graph.bmp");
    DeleteFile(bmp);
    ModalScript::AnswerFile(bmp);
    Click(Form->SweepGraphSaveGraphBtn);
    TBitmap back;
    back.LoadFromFile(bmp);
    EXPECT_EQ(back.Width(), Form->SweepGraphChart->Width());
    EXPECT_EQ(back.Height(), Form->SweepGraphChart->Height());
    // Onto the existing file with Cancel: kept.
    const AnsiString before = ReadFile(bmp);
    ModalScript::AnswerFile(bmp);
    ModalScript::AnswerButton(IDCANCEL);
    Click(Form->SweepGraphSaveGraphBtn);
    EXPECT_EQ(ReadFile(bmp), before);
    // Onto it with OK, but the picture cannot be written: a "Warning" box names the file
    // and the old picture stays.
    const AnsiString blocker = bmp + ".saving";
    ForceDirectories(blocker); // the temporary cannot be created
    ModalScript::ClearLog();
    ModalScript::AnswerFile(bmp);
    ModalScript::AnswerButton(IDOK); // overwrite
    ModalScript::AnswerButton(IDOK); // the warning
    Click(Form->SweepGraphSaveGraphBtn);
    std::filesystem::remove(blocker);
    ASSERT_EQ(ModalScript::Log().size(), 3u);
    EXPECT_EQ(ModalScript::Log()[1].Text, "Overwrite the exists file !");
    EXPECT_EQ(ModalScript::Log()[2].Caption, "Warning");
    EXPECT_EQ(ModalScript::Log()[2].Text, "The file " + bmp + " cannot be written !");
    EXPECT_EQ(ReadFile(bmp), before);

    // The preview opens once; a second click while it shows opens nothing.
    ModalScript::ClearLog();
    TModalAnswer a;
    a.Action = [&](TCustomForm*) {
        EXPECT_TRUE(Form->SweepGraphReport->Previewing());
        Form->SweepGraphPreviewBtnClick(nullptr);
    };
    ModalScript::Answer(a);
    Click(Form->SweepGraphPreviewBtn);
    ASSERT_EQ(ModalScript::Log().size(), 1u);
    EXPECT_EQ(ModalScript::Log()[0].Kind, TModalKind::Preview);
    EXPECT_FALSE(Form->SweepGraphReport->Previewing());
    TBitmap page;
    Form->SweepGraphReport->RenderPage(&page, 96);
    const AnsiString pageBmp = TestOutputPath("sweep_graph_report.bmp");
    page.SaveToFile(pageBmp);
    {
        const std::vector<Byte> png = GraphicToPng(&page);
        std::ofstream(TestOutputPath("sweep_graph_report.png"), std::ios::binary)
            .write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    }

    // Terminate during a run: the pending reading still fills its point, no further one starts.
    Click(Form->SweepGraphStartBtn);
    Click(Form->SweepGraphTerminateBtn);
    EXPECT_TRUE(Form->TestIdle);
    EXPECT_TRUE(Form->SweepGraphStartBtn->Enabled());
    RunUntil([&] { return !Form->LCRTimer->Enabled(); }, 5000);
    EXPECT_NE(Cell(4, 1), "");
    EXPECT_EQ(Cell(4, 2), "");
    EXPECT_EQ(Form->SweepPoint, 2);

    // An instrument that stops answering after Terminate: polling gives up.
    Click(Form->SweepGraphStartBtn);
    Sim->SetFault(TSimFault::Silence);
    Click(Form->SweepGraphTerminateBtn);
    EXPECT_TRUE(RunUntil([&] { return !Form->LCRTimer->Enabled(); }, 10000));
    Sim->ClearFault(TSimFault::Silence);
}

TEST_F(SweepGraphSession, AbsMonitorSendsTheNominalAndPlotsInTheNominalsUnit)
{
    Click(Form->SweepParaBtn);
    Choose(Form->SweepGraphFunBox, 2); // Cp-Rp
    Choose(Form->SweepGraphMon1Box, 6); // ABS
    Choose(Form->SweepGraphNomUnitBox, 1); // nF
    Enter(Form->SweepGraphNomEdit, "100");
    Enter(Form->SweepGraphStartEdit, "1");
    Enter(Form->SweepGraphEndEdit, "2");
    Enter(Form->SweepGraphPointEdit, "2");
    Click(Form->SweepGraphOkBtn);
    ASSERT_FALSE(Form->SweepGraphParaPanel->Visible());
    NewLines();
    RunSweep();
    const auto lines = NewLines();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_EQ(lines[1], "FUNC:MON1 ABS;:FUNC:MON1?");
    EXPECT_EQ(lines[3], "COMP:TOL:NOM 100.000n;:COMP:TOL:NOM?");
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "COMP:TOL:NOM 100.000n;:COMP:TOL:NOM?"), 1); // read back
    // The ABS deviation is plotted in nF, whatever prefix the instrument shows it with.
    for (int r = 1; r <= 2; ++r) {
        const TValueParts parts = ParseValueText(Cell(6, r));
        const double scale = parts.Prefix == "p" ? 1e-3 : parts.Prefix == "u" ? 1e3 : parts.Prefix == "n" ? 1 : 0;
        ASSERT_NE(scale, 0) << Cell(6, r);
        EXPECT_NEAR(Screen(2)->YValue(r - 1), parts.Value * scale, 1e-9) << Cell(6, r);
    }
}
