// A list run against the simulated instrument, started and ended with the page's buttons.
#include <algorithm>

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

    static void ClickButton(TOwShadowButton* B)
    {
        TBitmap drawn;
        RenderControl(ButtonControl(B), &drawn);
        TestInput::Click(ButtonControl(B));
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
    FillSteps({Step("1", "Cs-Rs", "Primary", "nF", "90.0000", "110.000"),
        Step("2", "Cs-Rs", "Primary", "nF", "101.000", "110.000"),
        Step("3", "Cs-Rs", "Both", "uF", "0.09000", "0.11000", " ohm", "0.00000", "1.00000"),
        Step("4", "DCR", "Primary", " ohm", "0.00000", "10.0000")});
    Form->MeasListSetupLoopEdit->SetText("2");
    StartAndWait();

    const std::vector<AnsiString> firstStep{"FUNC Cs-Rs;:FUNC?", "FUNC:MON1 OFF;:FUNC:MON1?",
        "FUNC:MON2 OFF;:FUNC:MON2?", "FREQ 1.000k;:FREQ?", "LEV:VOLT 1.00;:VOLT?", "TRIG"};
    std::vector<AnsiString> expected = firstStep;
    for (const char* l : {"TRIG", "TRIG", "FUNC DCR;:FUNC?", "TRIG"})
        expected.push_back(l);
    const std::vector<AnsiString> once = expected;
    expected.insert(expected.end(), once.begin(), once.end());
    EXPECT_EQ(Sent(), expected);

    ASSERT_EQ(Meas()->GetRowCountEx(), 9);
    const char* verdicts[] = {"PASS", "P-L", "PASS,S-H", "FAIL"};
    for (int r = 1; r <= 8; ++r) {
        EXPECT_EQ(Meas()->GetCellEx(0, r), r <= 4 ? "1" : "2") << r;
        EXPECT_EQ(Meas()->GetCellEx(1, r), std::to_string((r - 1) % 4 + 1)) << r;
        EXPECT_EQ(Meas()->GetCellEx(11, r), verdicts[(r - 1) % 4]) << r;
    }
    EXPECT_EQ(Meas()->GetCellEx(5, 1), "1.000 kHz");
    EXPECT_EQ(Meas()->GetCellEx(6, 1), "1.00 V");
    EXPECT_EQ(Meas()->GetCellEx(5, 4), "");
    EXPECT_NE(Meas()->GetCellEx(7, 4).find("OVERLOAD"), AnsiString::npos);

    // Colours and hints of the verdicts.
    TBrush brush;
    TFont font;
    const struct { int Row; TColor Back; const char* Hint; } shown[] = {
        {1, TColorOf(0x00FF00), "Primary PASS !"}, {2, TColorOf(0x0000FF), "Primary Lower Over !"},
        {3, TColorOf(0x0000FF), "Primary PASS and Second Upper Over !"}, {4, TColorOf(0x0000FF), ""}};
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

TEST_F(ListRun, AlcRetriggersTheFirstStepTwiceAndTheNominalGoesWithEveryLoop)
{
    auto abs = Step("1", "Cs-Rs", "OFF", "", "", "");
    abs[16] = "ABS";
    FillSteps({abs, Step("2", "Cs-Rs", "OFF", "", "", "")});
    Setup()->SetCellEx(16, 2, "ABS");
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
