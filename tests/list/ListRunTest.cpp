// A list run against the simulated instrument, started and ended with the page's buttons.
#include <algorithm>
#include <thread>

#include "components/controls/Voduriz.h"
#include "list/ListButtons.h"
#include "list/ListPublic.h"
#include "platform/forms/Render.h"
#include "platform/graphics/Brush.h"
#include "platform/graphics/Font.h"
#include "tests/list/ListTestSupport.h"
#include "tests/support/TestOutput.h"

namespace {

std::vector<AnsiString> Step(const char* N, const char* Function, const char* LimitType, const char* Unit,
    const char* Lo, const char* Hi, const char* SecondUnit = "", const char* SLo = "", const char* SHi = "")
{
    const bool dcr = AnsiString(Function) == "DCR";
    return {N, Function, dcr ? "" : "Freq(kHz)", dcr ? "" : "1.000", dcr ? "" : "Level(V)", dcr ? "" : "1.00",
        LimitType, "SEQ", "", Unit, Lo, Hi, "", SecondUnit, SLo, SHi, "OFF", "OFF"};
}

} // namespace

class ListRun : public ListFixture {
protected:
    void SetUp() override
    {
        ListFixture::SetUp();
        StartSim();
        ConnectThroughPanel();
        ASSERT_TRUE(Form->Connected);
        ShowListTab(false);
        Form->LCRTimer->SetEnabled(false);
        RunFor(100);
    }


    // What the run sent, without the fetch queries of the polling.
    std::vector<AnsiString> Sent() const
    {
        std::vector<AnsiString> lines;
        for (const AnsiString& l : Sim->Lines())
            if (l.rfind("FETC", 0) != 0)
                lines.push_back(l);
        return lines;
    }

    void StartAndWait()
    {
        Sim->ClearTranscript();
        ClickButton(Form->ListMeasStartBtn);
        ASSERT_TRUE(RunUntil([&] { return Form->TestIdle && !Form->LCRTimer->Enabled(); }, 20000));
    }
};

TEST_F(ListRun, StepsSendWhatChangedAndEveryReadingIsJudged)
{
    // About 100 nF and 2 ohm come back; the limits of step 4 are both below the reading.
    FillSteps({Step("1", "Cs-Rs", "Primary", "nF", "90.0000", "110.000"),
        Step("2", "Cs-Rs", "Primary", "nF", "101.000", "110.000"),
        Step("3", "Cs-Rs", "Both", "uF", "0.09000", "0.11000", " ohm", "0.00000", "1.00000"),
        Step("4", "Cs-Rs", "Primary", "nF", "-200.000", "-100.000"),
        Step("5", "Cs-Rs", "Second", "", "", "", " ohm", "5.00000", "10.0000"),
        Step("6", "DCR", "Primary", " ohm", "0.00000", "10.0000")});
    Form->MeasListSetupLoopEdit->SetText("2");
    StartAndWait();

    const std::vector<AnsiString> firstStep{"FUNC Cs-Rs;:FUNC?", "FUNC:MON1 OFF;:FUNC:MON1?",
        "FUNC:MON2 OFF;:FUNC:MON2?", "FREQ 1.000k;:FREQ?", "LEV:VOLT 1.00;:VOLT?", "TRIG"};
    std::vector<AnsiString> expected = firstStep;
    for (const char* l : {"TRIG", "TRIG", "TRIG", "TRIG", "FUNC DCR;:FUNC?", "TRIG"})
        expected.push_back(l);
    const std::vector<AnsiString> once = expected;
    expected.insert(expected.end(), once.begin(), once.end());
    EXPECT_EQ(Sent(), expected);

    ASSERT_EQ(Meas()->GetRowCountEx(), 13);
    const char* verdicts[] = {"PASS", "P-L", "PASS,S-H", "P-H", "S-L", "FAIL"};
    for (int r = 1; r <= 12; ++r) {
        EXPECT_EQ(Meas()->GetCellEx(0, r), r <= 6 ? "1" : "2") << r;
        EXPECT_EQ(Meas()->GetCellEx(1, r), std::to_string((r - 1) % 6 + 1)) << r;
        EXPECT_EQ(Meas()->GetCellEx(11, r), verdicts[(r - 1) % 6]) << r;
    }
    EXPECT_EQ(Meas()->GetCellEx(5, 1), "1.000 kHz");
    EXPECT_EQ(Meas()->GetCellEx(6, 1), "1.00 V");
    EXPECT_EQ(Meas()->GetCellEx(5, 6), "");
    EXPECT_NE(Meas()->GetCellEx(7, 6).find("OVERLOAD"), AnsiString::npos);

    // Colours and hints of the verdicts.
    TBrush brush;
    TFont font;
    const struct { int Row; TColor Back; const char* Hint; } shown[] = {
        {1, TColorOf(0x00FF00), "Primary PASS !"}, {2, TColorOf(0x0000FF), "Primary Lower Over !"},
        {3, TColorOf(0x0000FF), "Primary PASS and Second Upper Over !"},
        {4, TColorOf(0x0000FF), "Primary Upper Over !"}, {5, TColorOf(0x0000FF), "Second Lower Over !"},
        {6, TColorOf(0x0000FF), ""}};
    for (const auto& s : shown) {
        Form->ListMeasGridGetCellColor(Meas(), s.Row, 11, 0, &brush, &font);
        EXPECT_EQ(brush.Color(), s.Back) << s.Row;
        EXPECT_EQ(font.Color(), clBlack) << s.Row;
        AnsiString hint;
        Form->ListMeasGridGridHint(Meas(), s.Row, 11, hint);
        EXPECT_EQ(hint, s.Hint) << s.Row;
    }
    // The page is back in its idle state.
    EXPECT_TRUE(ButtonControl(Form->ListMeasStartBtn)->Enabled());
    EXPECT_FALSE(ButtonControl(Form->ListMeasTerminateBtn)->Enabled());
    EXPECT_TRUE(ButtonControl(Form->ListMeasResultSaveBtn)->Enabled());

    // What the user sees after the run.
    Form->ListMeasGrid->Repaint();
    EXPECT_TRUE(SaveControlToPng(Form->ListMeasPan, TestOutputPath("list_meas_after_run.png").c_str()));
    ShowListTab(true);
    EXPECT_TRUE(SaveControlToPng(Form->ListSetupPan, TestOutputPath("list_setup_after_run.png").c_str()));
}

TEST_F(ListRun, TerminateStopsAfterTheStepUnderWay)
{
    FillSteps({Step("1", "Cs-Rs", "OFF", "", "", ""), Step("2", "Cs-Rs", "OFF", "", "", "")});
    Form->MeasListSetupLoopEdit->SetText("50");
    Sim->ClearTranscript();
    ClickButton(Form->ListMeasStartBtn);
    EXPECT_FALSE(ButtonControl(Form->ListMeasStartBtn)->Enabled());
    EXPECT_TRUE(ButtonControl(Form->ListMeasTerminateBtn)->Enabled());
    ASSERT_TRUE(RunUntil([&] { return Form->ListRecordNo >= 3; }, 10000));
    ClickButton(Form->ListMeasTerminateBtn);
    const int records = Form->ListRecordNo;
    RunFor(1500);
    EXPECT_LE(Form->ListRecordNo, records + 1);
    EXPECT_FALSE(Form->LCRTimer->Enabled());
    EXPECT_TRUE(ButtonControl(Form->ListMeasStartBtn)->Enabled());
    EXPECT_FALSE(ButtonControl(Form->ListMeasTerminateBtn)->Enabled());
    const auto sent = Sent();
    EXPECT_LE(std::count(sent.begin(), sent.end(), "TRIG"), records);
    // An OFF limit leaves the verdict empty.
    EXPECT_EQ(Meas()->GetCellEx(11, 1), "");
}

TEST_F(ListRun, TheRowUnderWayStaysInViewAsTheTableGrows)
{
    FillSteps({Step("1", "Cs-Rs", "OFF", "", "", ""), Step("2", "Cs-D", "OFF", "", "", ""),
        Step("3", "Cs-Rs", "OFF", "", "", "")});
    Form->MeasListSetupLoopEdit->SetText("20");
    TRavArodozIdad* g = Form->ListMeasGrid;
    int checked = 0;
    ClickButton(Form->ListMeasStartBtn);
    const bool done = RunUntil([&] {
        const int row = Form->ListRecordNo;
        if (row >= 1 && row < g->RowCount() && g->Row() == row) {
            EXPECT_GE(row, g->TopRow()) << "row " << row;
            EXPECT_LT(row, g->TopRow() + g->VisibleRowCount()) << "row " << row;
            ++checked;
        }
        return Form->TestIdle && !Form->LCRTimer->Enabled();
    }, 60000);
    ASSERT_TRUE(done);
    EXPECT_EQ(g->RowCount(), 61);
    EXPECT_GT(checked, 60);
    // The last row is shown when the run ends.
    EXPECT_LT(60, g->TopRow() + g->VisibleRowCount());
}

TEST_F(ListRun, AlcRetriggersTheFirstStepTwiceAndTheNominalGoesWithEveryLoop)
{
    auto abs = Step("1", "Cs-Rs", "OFF", "", "", "");
    abs[16] = "ABS";
    FillSteps({abs, Step("2", "Cs-Rs", "OFF", "", "", "")});
    SetupGrid()->SetCellEx(16, 2, "ABS");
    Form->AlcOn = 1;
    Form->MeasListSetupLoopEdit->SetText("2");
    StartAndWait();
    const auto sent = Sent();
    // Three triggers for the first step after Start, one for every later one.
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "TRIG"), 3 + 3);
    // A zero nominal still goes with step 1 of every loop, and with no other step.
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "COMP:TOL:NOM 0.00000p;:COMP:TOL:NOM?"), 2);
    EXPECT_EQ(Meas()->GetRowCountEx(), 5);
}

TEST_F(ListRun, StepModeMeasuresOneStepPerStart)
{
    FillSteps({Step("1", "Cs-Rs", "OFF", "", "", ""), Step("2", "Cs-Rs", "OFF", "", "", "")});
    Form->TestModeGroup->SetItemIndex(1);
    ClickButton(Form->ListMeasStartBtn);
    ASSERT_TRUE(RunUntil([&] { return !Form->TestRunning && !Form->LCRTimer->Enabled(); }, 10000));
    EXPECT_FALSE(Form->TestIdle);
    EXPECT_EQ(Meas()->GetCellEx(1, 1), "1");
    EXPECT_EQ(Meas()->GetCellEx(1, 2), "");
    EXPECT_TRUE(ButtonControl(Form->ListMeasStartBtn)->Enabled());
    EXPECT_FALSE(ButtonControl(Form->ListMeasResultSaveBtn)->Enabled());
    ClickButton(Form->ListMeasStartBtn);
    ASSERT_TRUE(RunUntil([&] { return Form->TestIdle && !Form->LCRTimer->Enabled(); }, 10000));
    EXPECT_EQ(Meas()->GetCellEx(1, 2), "2");
    EXPECT_TRUE(ButtonControl(Form->ListMeasResultSaveBtn)->Enabled());
}

TEST_F(ListRun, StartRefusesABlankStep)
{
    FillSteps({Step("1", "Cs-Rs", "OFF", "", "", ""), {"2"}});
    Sim->ClearTranscript();
    ClickButton(Form->ListMeasStartBtn);
    EXPECT_EQ(Messages(), std::vector<AnsiString>{"Step2 is blank !"});
    EXPECT_TRUE(Form->TestIdle);
    RunFor(200);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(ListRun, TerminateGivesUpAReadingThatNeverComes)
{
    FillSteps({Step("1", "Cs-Rs", "OFF", "", "", ""), Step("2", "Cs-Rs", "OFF", "", "", "")});
    TSimFaultSettings onlyFetches;
    onlyFetches.OnlyFor = "FETC";
    Sim->SetFaultSettings(onlyFetches);
    Sim->SetFault(TSimFault::Silence);
    auto fetches = [&] {
        const auto lines = Sim->Lines();
        return std::count_if(lines.begin(), lines.end(), [](const AnsiString& l) { return l.rfind("FETC", 0) == 0; });
    };
    Sim->ClearTranscript();
    ClickButton(Form->ListMeasStartBtn);
    // The step is triggered and polled, and no reading comes.
    ASSERT_TRUE(RunUntil([&] { return fetches() >= 2; }, 10000));
    ClickButton(Form->ListMeasTerminateBtn);
    const auto atTerminate = fetches();
    ASSERT_TRUE(RunUntil([&] { return !Form->LCRTimer->Enabled() && !Form->TriggeredReadingAwaited; }, 10000));
    // Within a few polling intervals: the list page asks on every tick until it gives up.
    EXPECT_LE(fetches() - atTerminate, 5);
    const auto stopped = fetches();
    RunFor(600);
    EXPECT_EQ(fetches(), stopped);
    EXPECT_EQ(Form->ListRecordNo, 1);
    EXPECT_EQ(Meas()->GetCellEx(7, 1), "");
    EXPECT_TRUE(ButtonControl(Form->ListMeasStartBtn)->Enabled());

    // The instrument answers again: the next Start runs the list through.
    Sim->ClearFaults();
    StartAndWait();
    ASSERT_EQ(Meas()->GetRowCountEx(), 3);
    EXPECT_NE(Meas()->GetCellEx(7, 2), "");
}

// The measuring time of a step goes by the step's frequency in its own unit, and "TRIG"
// follows the wait.
TEST_F(ListRun, MeasuringTimeGoesByTheStepsOwnFrequencyUnitBeforeTheTrigger)
{
    const struct { const char* Type; const char* Value; std::uint64_t Base; } steps[] = {
        {"Freq(Hz)", "50.00", 440}, {"Freq(kHz)", "50.00", 235}, {"Freq(Hz)", "100.0", 260},
        {"Freq(kHz)", "1.000", 225}, {"Freq(kHz)", "0.050", 440}};
    std::vector<std::vector<AnsiString>> rows;
    for (const auto& s : steps) {
        auto row = Step(std::to_string(rows.size() + 1).c_str(), "Cs-Rs", "OFF", "", "", "");
        row[2] = s.Type;
        row[3] = s.Value;
        rows.push_back(row);
    }
    FillSteps(rows);
    Form->AverageCount = 2;
    Form->TrigDelay = 3;
    // Every wait of the program, with the triggers the instrument had when it began.
    struct TWait { std::uint64_t Ms; long Triggers; };
    std::vector<TWait> waits;
    SetClockSettleHook([&](std::uint64_t Ms) {
        HoldClock(true);
        for (int i = 0; i < 2000 && Form->LCRCom->WriteBufUsed() > 0; ++i)
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        Sim->Settle(static_cast<int>(std::min<std::uint64_t>(Ms, 60000)), 2000);
        const auto lines = Sim->Lines();
        waits.push_back({Ms, std::count(lines.begin(), lines.end(), "TRIG")});
        HoldClock(false);
    });
    StartAndWait();
    SetClockSettleHook(nullptr);
    // The last wait before each step's "TRIG" went out is that step's measuring time.
    std::vector<std::uint64_t> lastBeforeTrigger(std::size(steps)), expected;
    for (const auto& s : steps)
        expected.push_back(2 * s.Base + 3);
    for (const TWait& w : waits)
        if (w.Triggers < static_cast<long>(std::size(steps)))
            lastBeforeTrigger[static_cast<size_t>(w.Triggers)] = w.Ms;
    EXPECT_EQ(lastBeforeTrigger, expected);
    const auto sent = Sent();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), "TRIG"), static_cast<long>(std::size(steps)));
}

// The result table's own handlers, without an instrument.
class ListMeasTable : public ListFixture {};

// The judgement of one reading against its step's limits, whatever their signs.
TEST_F(ListMeasTable, VerdictsByLimitsUnitsAndSigns)
{
    const struct { const char* Function; const char* Type; const char* Unit; const char* Lo; const char* Hi;
        const char* Primary; const char* SecondUnit; const char* SLo; const char* SHi; const char* Second;
        const char* Verdict; } cases[] = {
        {"Cs-Rs", "Primary", "uF", "1.00000", "2.00000", " 1.50000 uF", "", "", "", "", "PASS"},
        {"Cs-Rs", "Primary", "uF", "1.00000", "2.00000", " 999.999 nF", "", "", "", "", "P-L"},
        {"Cs-Rs", "Primary", "uF", "1.00000", "2.00000", " 2.00000 uF", "", "", "", "", "PASS"},
        {"Cs-Rs", "Primary", "uF", "1.00000", "2.00000", " 2001.00 nF", "", "", "", "", "P-H"},
        {"R-X", "Primary", "Kohm", "1.00000", "2.00000", " 1.50000 kohm", "", "", "", "", "PASS"},
        {"R-X", "Primary", " ohm", "0.00000", "500.000", " 0.25000 kohm", "", "", "", "", "PASS"},
        {"Cs-Rs", "Primary", "pF", "", "", " 1.00000 pF", "", "", "", "", "P-H"},
        {"Cs-Rs", "Primary", "pF", "", "", "0.00000 pF", "", "", "", "", "PASS"},
        // Negative limits keep their sense: below lo is low, above hi is high.
        {"Cs-Rs", "Primary", "pF", "-5.00000", "-1.00000", "-3.00000 pF", "", "", "", "", "PASS"},
        {"Cs-Rs", "Primary", "pF", "-5.00000", "-1.00000", "0.00000 pF", "", "", "", "", "P-H"},
        {"Cs-Rs", "Primary", "pF", "-5.00000", "-1.00000", "-1.00000 pF", "", "", "", "", "PASS"},
        {"Cs-Rs", "Primary", "pF", "-5.00000", "-1.00000", "-6.00000 pF", "", "", "", "", "P-L"},
        {"Cs-Rs", "Primary", "nF", "-5.00000", "5.00000", "-4.00000 nF", "", "", "", "", "PASS"},
        {"Cs-Rs", "Second", "", "", "", "", " ohm", "5.00000", "10.0000", " 2.00000  ohm", "S-L"},
        {"Cs-Rs", "Second", "", "", "", "", "Kohm", "1.00000", "2.00000", " 1.50000 kohm", "PASS"},
        {"Cs-Rs", "Second", "", "", "", "", " ohm", "0.00000", "500.000", " 0.60000 kohm", "S-H"},
        {"Cs-D", "Second", "", "", "", "", "", "-0.50000", "-0.10000", "-0.05000", "S-H"},
        {"Cs-D", "Second", "", "", "", "", "", "-0.50000", "-0.10000", "-0.60000", "S-L"},
        {"Cs-D", "Second", "", "", "", "", "", "-0.50000", "-0.10000", "-0.30000", "PASS"},
        {"Cs-Rs", "Both", "nF", "90.0000", "110.000", " 100.000 nF", " ohm", "-1.00000", "1.00000", " 2.00000  ohm",
            "PASS,S-H"},
        {"Cs-Rs", "Both", "nF", "90.0000", "110.000", "OVERLOAD  F", " ohm", "-1.00000", "1.00000", "0.50000  ohm",
            "FAIL,PASS"},
    };
    Form->ListRecordNo = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(AnsiString(c.Function) + " " + c.Primary + c.Second + " " + c.Lo + c.SLo);
        FillSteps({Step("1", c.Function, c.Type, c.Unit, c.Lo, c.Hi, c.SecondUnit, c.SLo, c.SHi)});
        Form->MeasValueText[0] = c.Primary;
        Form->MeasValueText[1] = c.Second;
        CompareListStep(1);
        EXPECT_EQ(Meas()->GetCellEx(11, 1), c.Verdict);
    }
}

// The window-size keys on the result table, with the right button held: the letters O and
// C, capital or small, and no other key.
TEST_F(ListMeasTable, WindowSizeKeysAreTheLettersOAndCOnly)
{
    ShowListTab(false);
    Meas()->SetFocus();
    const struct { Word Key; TShiftState Shift; bool Held; int Height; } presses[] = {
        {'O', 0, true, 818}, {VK_NUMPAD3, 0, true, 818}, {'C', 0, true, 621}, {VK_DIVIDE, 0, true, 621},
        {'O', ssShift, true, 818}, {'C', 0, false, 818}, {'C', ssShift, true, 621}};
    for (const auto& p : presses) {
        SCOPED_TRACE(std::to_string(p.Key) + (p.Held ? " held" : ""));
        if (p.Held)
            TestInput::MouseDown(Meas(), 40, 40, mbRight);
        TestInput::PressKey(Meas(), p.Key, p.Shift);
        if (p.Held)
            TestInput::MouseUp(Meas(), 40, 40, mbRight);
        EXPECT_FALSE(Form->RightButtonDown);
        EXPECT_EQ(Form->Height(), p.Height);
        EXPECT_EQ(Form->Width(), 1101);
    }
}
