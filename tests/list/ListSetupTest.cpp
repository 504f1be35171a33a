// The List Setup tab as a user works it: keys in the step table, the buttons, the panels.
#include "components/controls/Voduriz.h"
#include "components/grid/RavgridEditors.h"
#include "list/ListButtons.h"
#include "list/ListPublic.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/Label.h"
#include "platform/forms/Render.h"
#include "tests/list/ListTestSupport.h"

class ListSetup : public ListFixture {
protected:
    void SetUp() override
    {
        ListFixture::SetUp();
        ShowListTab(true);
        SetupGrid()->SetFocus();
        ModalScript::ClearLog();
    }

    // Moves the current cell with the arrow keys, as the user does.
    void GoTo(int Col, int Row)
    {
        // Bounded: a refused cell pulls the cursor back.
        for (int i = 0; i < 40 && SetupGrid()->Row() != Row; ++i)
            Press(SetupGrid()->Row() < Row ? VK_DOWN : VK_UP);
        for (int i = 0; i < 40 && SetupGrid()->Col() != Col; ++i)
            Press(SetupGrid()->Col() < Col ? VK_RIGHT : VK_LEFT);
        ASSERT_EQ(SetupGrid()->Col(), Col);
        ASSERT_EQ(SetupGrid()->Row(), Row);
    }
    // The combo of the current cell (open, as every cell's editor is) stepped down to Item.
    void Choose(const AnsiString& Item)
    {
        TGridCombo* cb = SetupGrid()->GridCombo();
        ASSERT_TRUE(cb->Visible());
        const int target = cb->Items()->IndexOf(Item);
        ASSERT_GE(target, 0) << Item;
        // The user scrolls the list to the item just above and takes the next one.
        cb->SetItemIndex(target - 1);
        Press(VK_DOWN);
    }
    // A field's text replaced as the user does it: click in, select it all, type over it.
    void Retype(TVodUriz* E, const AnsiString& Text)
    {
        E->SetFocus();
        Press(VK_HOME);
        Press(VK_END, ssShift);
        TestInput::TypeText(E, Text);
        ASSERT_EQ(E->GetText(), Text);
    }
    void AddStepsWithF2(const AnsiString& Answer)
    {
        ModalScript::AnswerText(Answer);
        SetupGrid()->SetFocus();
        Press(VK_F2);
    }
    // Far to the right, where the editors on the way would take the arrow keys.
    void GoFarRight(int Col, int Row)
    {
        SetupGrid()->SetFocus();
        SetupGrid()->SetRow(Row);
        SetupGrid()->SetCol(Col - 1);
        Press(VK_RIGHT);
        ASSERT_EQ(SetupGrid()->Col(), Col);
    }
};

TEST_F(ListSetup, EmptyListTakesStepsFromF2AndDcrLocksItsColumns)
{
    EXPECT_TRUE(ListIsEmpty());
    Type("5");
    EXPECT_EQ(SetupGrid()->GetCellEx(0, 1), "");    // nothing can be edited in the empty list
    AddStepsWithF2("3");
    EXPECT_EQ(ModalScript::LastRequest().Text, "Please key in Step");
    ASSERT_EQ(SetupGrid()->GetRowCountEx(), 4);
    EXPECT_EQ(Form->ListStepCount, 3);
    EXPECT_EQ(Row(SetupGrid(), 3, 18), (std::vector<AnsiString>{"3", "Cs-Rs", "Freq(kHz)", "1.000", "Level(V)", "1.00",
        "Primary", "SEQ", "", "pF", "0.00000", "0.00000", "", "", "", "", "OFF", "OFF"}));

    SetupGrid()->SetFocus();
    GoTo(1, 2);
    Choose("DCR");
    EXPECT_EQ(Row(SetupGrid(), 2, 18), (std::vector<AnsiString>{"2", "DCR", "", "", "", "", "Primary", "SEQ", "",
        " ohm", "0.00000", "0.00000", "", "", "", "", "OFF", "OFF"}));
    // The frequency, level and monitor cells of a DCR step take nothing; Limit_Type offers Primary and OFF.
    SetupGrid()->SetFocus();
    GoTo(3, 2);
    Type("7");
    EXPECT_EQ(SetupGrid()->GetCellEx(3, 2), "");
    GoTo(6, 2);
    ASSERT_TRUE(SetupGrid()->GridCombo()->Visible());
    TStrings* items = SetupGrid()->GridCombo()->Items();
    ASSERT_EQ(items->Count(), 2);
    EXPECT_EQ(items->Strings(0), "Primary");
    EXPECT_EQ(items->Strings(1), "OFF");
    Press(VK_ESCAPE);
}

TEST_F(ListSetup, RowCheckRefusesKeepsTheCellPendingAndRewritesAcceptedValues)
{
    Form->ModelName = "ZV-XC";
    AddStepsWithF2("2");
    SetupGrid()->SetFocus();
    GoTo(3, 2);
    Type("100.1\r");
    const AnsiString refused = "Step2 ''Freq_Level'' over  range! 0.01 kHz <= Freq_Value <= 100 kHz !";
    EXPECT_EQ(Messages(), std::vector<AnsiString>{refused}); // one Enter, one warning
    EXPECT_EQ(SetupGrid()->GetCellEx(3, 2), "");
    EXPECT_TRUE(Form->InputError);
    EXPECT_TRUE(Form->InvalidCellPending);
    // The buttons wait for the cell; another move reports it again and returns to it.
    Form->ListSetupNewBtnClick(nullptr);
    EXPECT_EQ(Form->ListStepCount, 2);
    ModalScript::ClearLog();
    SetupGrid()->SetFocus();
    Press(VK_UP);
    EXPECT_GE(Messages().size(), 1u);
    EXPECT_EQ(Messages().back(), refused);
    EXPECT_EQ(SetupGrid()->Col(), 3);
    EXPECT_EQ(SetupGrid()->Row(), 2);
    // Only a value for that cell ends the refusal.
    ModalScript::ClearLog();
    SetupGrid()->SetFocus();
    Type("12.346\r");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(SetupGrid()->GetCellEx(3, 2), "12.35");
    EXPECT_FALSE(Form->InputError);
    EXPECT_FALSE(Form->InvalidCellPending);

}

// The row check's rules, one edited cell at a time, as Enter in the cell marks it.
TEST_F(ListSetup, RowCheckRulesByColumn)
{
    AddStepsWithF2("1");
    const struct { int Col; const char* Function; const char* Unit; const char* Mode; const char* Typed;
        const char* Shown; const char* Message; } cases[] = {
        {5, "Cs-Rs", "pF", "SEQ", "2", "2.00", nullptr},
        {5, "Cs-Rs", "pF", "SEQ", "2.004", "2.00", nullptr},
        {5, "Cs-Rs", "pF", "SEQ", "2.01", "", " ''Level(V)_Value'' over  range! 0.01 V <= Level(V)_Value <= 2 V !"},
        {5, "Cs-Rs", "pF", "SEQ", "0.0049", "", " ''Level(V)_Value'' over  range! 0.01 V <= Level(V)_Value <= 2 V !"},
        {5, "Cs-Rs", "pF", "SEQ", "0.0051", "0.01", nullptr},
        {3, "Cs-Rs", "pF", "SEQ", "0.00951", "0.010", nullptr},
        {10, "Cs-Rs", "pF", "SEQ", "999.9999", "1000.000", nullptr},
        {10, "Cs-Rs", "pF", "SEQ", "-1000", "", " ''Primary Lower'' over  range! -1000 pF < Primary Lower < 1000 pF !"},
        {11, "R-X", "Mohm", "SEQ", "-100", "", " ''Primary Upper'' over  range! -100 Mohm <= Primary Upper <= 100 Mohm !"},
        {10, "R-X", "Mohm", "SEQ", "100", "100.000", nullptr},
        {14, "Cs-D", "", "SEQ", "10.001", "", " ''Second Lower'' over  range! -10 <= Second Lower < 10 !"},
        {15, "Cs-D", "", "PER", "500", "500.000", nullptr},
        {15, "Rs-Q", "", "SEQ", "-12345.67", "-12345.7", nullptr},
        {10, "Cs-Rs", "pF", "SEQ", "0.000001", "0.00000", nullptr},
    };
    const int marks[16] = {0, 0, 0, 1, 0, 2, 0, 0, 3, 0, 4, 5, 6, 0, 7, 8};
    for (const auto& c : cases) {
        SetupGrid()->SetCellEx(1, 1, c.Function);
        SetupGrid()->SetCellEx(9, 1, c.Unit);
        SetupGrid()->SetCellEx(7, 1, c.Mode);
        SetupGrid()->SetCellEx(c.Col, 1, c.Typed);
        Form->EditedColumn[marks[c.Col]] = true;
        Form->EditedRow = 1;
        ModalScript::ClearLog();
        ValidateListSetupRow();
        EXPECT_EQ(SetupGrid()->GetCellEx(c.Col, 1), c.Shown) << c.Typed;
        if (c.Message) {
            EXPECT_EQ(Messages(), std::vector<AnsiString>{AnsiString("Step1") + c.Message}) << c.Typed;
        } else {
            EXPECT_TRUE(Messages().empty()) << c.Typed;
        }
        EXPECT_EQ(Form->InputError, c.Message != nullptr) << c.Typed;
        Form->InvalidCellPending = false;
    }
}

TEST_F(ListSetup, InsertAndDeleteKeepEveryStepsNominal)
{
    AddStepsWithF2("5");
    Form->StepNominal[3] = 25000;
    Form->StepNominalUnit[3] = 1;
    Form->StepNominal[5] = 7;
    SetupGrid()->SetFocus();
    GoTo(0, 3);
    Press(VK_INSERT);
    ASSERT_EQ(Form->ListStepCount, 6);
    EXPECT_EQ(Form->StepNominal[3], 0);
    EXPECT_EQ(Form->StepNominal[4], 25000);
    EXPECT_EQ(Form->StepNominalUnit[4], 1);
    EXPECT_EQ(Form->StepNominal[6], 7);
    EXPECT_EQ(SetupGrid()->GetCellEx(1, 3), "Cs-Rs");
    EXPECT_EQ(SetupGrid()->GetCellEx(0, 6), "6");

    GoTo(0, 2);
    Press(VK_DELETE);
    EXPECT_EQ(Form->ListStepCount, 5);
    EXPECT_EQ(Form->StepNominal[3], 25000);
    EXPECT_EQ(Form->StepNominal[5], 7);
    EXPECT_EQ(Form->StepNominal[6], 0);
    EXPECT_EQ(SetupGrid()->GetCellEx(0, 5), "5");

    // A full list: the insertion is refused before the table changes.
    ModalScript::AnswerText("100");
    for (int i = 0; i < 10; ++i) {
        ModalScript::AnswerText("100");
    }
    Form->ListSetupInsertBtnClick(nullptr);
    ModalScript::ClearAnswers();
    ASSERT_EQ(Form->ListStepCount, 105);
    SetupGrid()->SetRowCountEx(1001);
    SetupGrid()->AutoNumberCol(0);
    for (int r = 106; r <= 1000; ++r)
        SetupGrid()->SetCellEx(1, r, "Cs-D");
    Form->StepNominal[1000] = 99;
    Form->ListStepCount = 1000;
    SetupGrid()->SetFocus();
    GoTo(0, 4);
    ModalScript::ClearLog();
    ModalScript::AnswerButton(IDOK);
    Press(VK_INSERT);
    EXPECT_EQ(Messages(), std::vector<AnsiString>{" 1 <= Step <= 1000 !"});
    EXPECT_EQ(SetupGrid()->GetRowCountEx(), 1001);
    EXPECT_EQ(Form->StepNominal[4], 25000 * 0 + Form->StepNominal[4]);
    EXPECT_EQ(Form->StepNominal[1000], 99);
    EXPECT_EQ(SetupGrid()->GetCellEx(1, 1000), "Cs-D");
    // F2 on a full list asks nothing.
    ModalScript::ClearLog();
    ModalScript::AnswerButton(IDOK);
    Press(VK_F2);
    EXPECT_EQ(Messages(), std::vector<AnsiString>{" 1 <= Step Count <= 1000 "});
}

TEST_F(ListSetup, DeletingTheOnlyStepEmptiesTheList)
{
    AddStepsWithF2("1");
    SetupGrid()->SetFocus();
    GoTo(2, 1);
    Press(VK_DELETE);
    EXPECT_EQ(SetupGrid()->GetRowCountEx(), 2);
    EXPECT_EQ(Form->ListStepCount, 1);
    EXPECT_TRUE(ListIsEmpty());
    EXPECT_EQ(SetupGrid()->Col(), 0);
}

TEST_F(ListSetup, AddStepAndCopyStepButtons)
{
    // Add Step asks again after a wrong answer; an empty one adds nothing.
    for (const char* a : {"0", "101", "x"}) {
        ModalScript::AnswerText(a);
        ModalScript::AnswerButton(IDOK);
        ModalScript::AnswerButton(IDOK);
    }
    ModalScript::AnswerText("");
    Form->ListSetupInsertBtnClick(nullptr);
    EXPECT_TRUE(ListIsEmpty());
    EXPECT_EQ(Messages().size(), 6u);
    EXPECT_EQ(Messages()[0], "Wrong 1 <= key in step <=100 !");
    EXPECT_EQ(Messages()[1], " 1 <= Step Count <= 1000 ");
    ModalScript::AnswerText("6");
    Form->ListSetupInsertBtnClick(nullptr);
    ASSERT_EQ(Form->ListStepCount, 6);
    for (int r = 1; r <= 6; ++r) {
        SetupGrid()->SetCellEx(3, r, std::to_string(r) + ".000");
        Form->StepNominal[r] = r * 10;
    }

    // Copy steps 2 to 3 in front of step 5.
    Press(VK_F3);
    ASSERT_TRUE(Form->CopyStepPanel->Visible());
    EXPECT_FALSE(Form->ListSetupGroup->Enabled());
    const struct { const char* S; const char* E; const char* D; int Side; const char* Message; } refused[] = {
        {"0", "9", "5", 0, "Illegal start step number !"},
        {"2", "7", "5", 0, "Illegal end step number !"},
        {"2", "3", "3", 0, "Illegal destination step number!"},
        {"2", "3", "1", 1, "Illegal destination step number!"},
    };
    for (const auto& r : refused) {
        Form->CopyStart->SetText(r.S);
        Form->CopyEnd->SetText(r.E);
        Form->CopyDes->SetText(r.D);
        Form->CopyDesType->SetItemIndex(r.Side);
        ModalScript::ClearLog();
        ModalScript::AnswerButton(IDOK);
        ClickButton(Form->CopyOkBtn);
        EXPECT_EQ(Messages(), std::vector<AnsiString>{r.Message}) << r.S << r.E << r.D;
        EXPECT_TRUE(Form->CopyStepPanel->Visible());
    }
    Form->CopyStart->SetText("2");
    Form->CopyEnd->SetText("3");
    Form->CopyDes->SetText("5");
    Form->CopyDesType->SetItemIndex(0);
    ClickButton(Form->CopyOkBtn);
    EXPECT_FALSE(Form->CopyStepPanel->Visible());
    EXPECT_TRUE(Form->ListSetupGroup->Enabled());
    ASSERT_EQ(Form->ListStepCount, 8);
    const char* freqs[] = {"1.000", "2.000", "3.000", "4.000", "2.000", "3.000", "5.000", "6.000"};
    const int noms[] = {10, 20, 30, 40, 20, 30, 50, 60};
    for (int r = 1; r <= 8; ++r) {
        EXPECT_EQ(SetupGrid()->GetCellEx(3, r), freqs[r - 1]) << r;
        EXPECT_EQ(Form->StepNominal[r], noms[r - 1]) << r;
        EXPECT_EQ(SetupGrid()->GetCellEx(0, r), std::to_string(r));
    }
}

TEST_F(ListSetup, SetSweepGeneratesFrequencyAndLevelStepsFrontAndBack)
{
    Form->ModelName = "ZV-D";
    ClickButton(Form->SetSweepBtn);
    ASSERT_TRUE(Form->ListSweepPan->Visible());
    EXPECT_TRUE(Form->SweepDesEdit->ReadOnly());
    ClickButton(Form->SweepOkBtn);
    ASSERT_FALSE(Form->ListSweepPan->Visible());
    ASSERT_EQ(Form->ListStepCount, 10);
    const char* freqs[] = {"1.000", "23.11", "45.22", "67.33", "89.44", "111.6", "133.7", "155.8", "177.9", "200.0"};
    for (int r = 1; r <= 10; ++r) {
        EXPECT_EQ(SetupGrid()->GetCellEx(3, r), freqs[r - 1]) << r;
        EXPECT_EQ(SetupGrid()->GetCellEx(5, r), "1.00") << r;
        EXPECT_EQ(SetupGrid()->GetCellEx(6, r), "OFF") << r;
        EXPECT_EQ(SetupGrid()->GetCellEx(7, r), "") << r;
    }

    // A level sweep behind step 3 with an ABS nominal.
    Form->StepNominal[4] = 44;
    ClickButton(Form->SetSweepBtn);
    Form->SweepTypeGroup->SetItemIndex(1);
    Form->SweepStartEdit->SetText("0.01");
    Form->SweepEndEdit->SetText("2");
    Form->SweepPointEdit->SetText("5");
    Form->SweepDesEdit->SetText("3");
    Form->DesType->SetItemIndex(1);
    Form->SweepFreqEdit->SetText("0.5");
    Form->SweepMon1Box->SetItemIndex(6);
    Form->SweepMon1BoxChange(Form->SweepMon1Box);
    EXPECT_TRUE(Form->SweepNomEdit->Visible());
    Form->SweepNomEdit->SetText("-1.5");
    ClickButton(Form->SweepOkBtn);
    ASSERT_EQ(Form->ListStepCount, 15);
    // Each point on its own: 0.01 + 3 x 1.99 / 4 is 1.5025, shown 1.50.
    const char* levels[] = {"0.01", "0.51", "1.01", "1.50", "2.00"};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(SetupGrid()->GetCellEx(5, 4 + k), levels[k]) << k;
        EXPECT_EQ(SetupGrid()->GetCellEx(3, 4 + k), "0.50") << k;
        EXPECT_EQ(SetupGrid()->GetCellEx(16, 4 + k), "ABS") << k;
        EXPECT_EQ(Form->StepNominal[4 + k], -15000) << k;
    }
    EXPECT_EQ(SetupGrid()->GetCellEx(3, 9), "67.33");   // the old step 4 moved down with its nominal
    EXPECT_EQ(Form->StepNominal[9], 44);

    // Point 0 and a destination past the list are refused; the list stays.
    ClickButton(Form->SetSweepBtn);
    const struct { const char* Point; const char* Des; const char* Message; } refused[] = {
        {"0", "1", "1 <= ''ListSstup'' Step Count <= 1000 !"},
        {"2", "16", " Illegal destination step number !  Destination Step <= Setp Count !"},
    };
    for (const auto& r : refused) {
        Form->SweepPointEdit->SetText(r.Point);
        Form->SweepDesEdit->SetText(r.Des);
        ModalScript::ClearLog();
        ModalScript::AnswerButton(IDOK);
        ClickButton(Form->SweepOkBtn);
        EXPECT_EQ(Messages(), std::vector<AnsiString>{r.Message});
        EXPECT_TRUE(Form->ListSweepPan->Visible());
        EXPECT_EQ(Form->ListStepCount, 15);
    }
}

TEST_F(ListSetup, MonitorAbsOpensTheNominalPanelWhichChecksItsRange)
{
    AddStepsWithF2("3");
    Form->StepNominal[2] = 25000;
    Form->StepNominalUnit[2] = 1;
    SetupGrid()->SetFocus();
    SetupGrid()->SetRow(2);
    SetupGrid()->SetCol(15);
    Press(VK_RIGHT);
    Choose("ABS");
    ASSERT_TRUE(Form->SetNominalPan->Visible());
    EXPECT_EQ(Form->ListSetupNomSetpLab->Caption(), "2 :");
    EXPECT_EQ(Form->ListSetupStepNomUnitBox->Text(), "nF");
    EXPECT_EQ(Form->ListSetupStepNomEdit->GetText(), "2.50000");
    EXPECT_FALSE(Form->ListSetupGroup->Enabled());

    Form->ListSetupStepNomUnitBox->SetItemIndex(3);
    Form->ListSetupStepNomEdit->SetText("100.5");
    ModalScript::AnswerButton(IDOK);
    ClickButton(Form->ListSetupStepNomOkBtn);
    EXPECT_EQ(Messages(), std::vector<AnsiString>{" ''Nominal'' over  range! ,  -100 mF <  Nominal  < 100 mF !"});
    EXPECT_TRUE(Form->SetNominalPan->Visible());
    Form->ListSetupStepNomEdit->SetText("12.3");
    ClickButton(Form->ListSetupStepNomOkBtn);
    EXPECT_FALSE(Form->SetNominalPan->Visible());
    EXPECT_TRUE(Form->ListSetupGroup->Enabled());
    EXPECT_EQ(Form->StepNominal[2], 123000);
    EXPECT_EQ(Form->StepNominalUnit[2], 3);
    EXPECT_EQ(SetupGrid()->GetCellEx(16, 2), "ABS");
}

// The fixed frequency of a level sweep is bounded by the model's highest frequency, like
// Start and End: Enter in the field and Ok refuse alike, and an accepted one is generated.
TEST_F(ListSetup, FixedFrequencyOfALevelSweepIsBoundedByTheModel)
{
    const struct { const char* Model; const char* Typed; const char* Message; const char* Generated; } cases[] = {
        {"ZV-A", "2", nullptr, "2.000"},
        {"ZV-A", "2.01", " ''Start'' over  range! 0.01 kHz <= Start <= 2 kHz !", nullptr},
        {"ZV-E", "250", nullptr, "250.0"},
        {"ZV-E", "300.5", " ''Start'' over  range! 0.01 kHz <= Start <= 300 kHz !", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(AnsiString(c.Model) + " " + c.Typed);
        Form->ListSetupNewBtnClick(nullptr);
        Form->ModelName = c.Model;
        ClickButton(Form->SetSweepBtn);
        TestInput::Click(Form->SweepTypeGroup->Buttons(1));
        ASSERT_TRUE(Form->SweepFreqEdit->Enabled());
        Retype(Form->SweepFreqEdit, c.Typed);
        ModalScript::ClearLog();
        if (c.Message)
            ModalScript::AnswerButton(IDOK);
        Press(VK_RETURN);
        const std::vector<AnsiString> refused = c.Message ? std::vector<AnsiString>{c.Message}
                                                          : std::vector<AnsiString>{};
        EXPECT_EQ(Messages(), refused);
        if (c.Message)
            ModalScript::AnswerButton(IDOK);
        ClickButton(Form->SweepOkBtn);
        EXPECT_EQ(Messages().size(), c.Message ? 2u : 0u);
        if (c.Message) {
            EXPECT_TRUE(Form->ListSweepPan->Visible());
            EXPECT_TRUE(ListIsEmpty());
            Retype(Form->SweepFreqEdit, "1");
            ClickButton(Form->SweepCancelBtn);
            EXPECT_FALSE(Form->ListSweepPan->Visible());
        } else {
            EXPECT_FALSE(Form->ListSweepPan->Visible());
            EXPECT_EQ(SetupGrid()->GetCellEx(3, 1), c.Generated);
        }
    }
}

// With the decimal comma on, generation reads the fields as the checks do.
TEST_F(ListSetup, GenerationReadsDecimalCommas)
{
    Form->DecimalComma = true;
    const struct { int Type; const char* Start; const char* End; const char* Points; const char* Fixed;
        int SweptCol; std::vector<const char*> Swept; int FixedCol; const char* FixedShown; } cases[] = {
        {1, "0,01", "1,21", "3", "0,5", 5, {"0.01", "0.61", "1.21"}, 3, "0.50"},
        {0, "1,5", "4,5", "4", "1,5", 3, {"1.500", "2.500", "3.500", "4.500"}, 5, "1.50"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Start);
        Form->ListSetupNewBtnClick(nullptr);
        ClickButton(Form->SetSweepBtn);
        TestInput::Click(Form->SweepTypeGroup->Buttons(c.Type));
        Retype(c.Type == 0 ? Form->SweepLevelEdit : Form->SweepFreqEdit, c.Fixed);
        Retype(Form->SweepEndEdit, c.End);
        Retype(Form->SweepStartEdit, c.Start);
        Retype(Form->SweepPointEdit, c.Points);
        ClickButton(Form->SweepOkBtn);
        EXPECT_TRUE(Messages().empty()) << (Messages().empty() ? AnsiString() : Messages()[0]);
        ASSERT_EQ(Form->ListStepCount, static_cast<int>(c.Swept.size()));
        for (size_t k = 0; k < c.Swept.size(); ++k) {
            EXPECT_EQ(SetupGrid()->GetCellEx(c.SweptCol, static_cast<int>(k) + 1), c.Swept[k]) << k;
            EXPECT_EQ(SetupGrid()->GetCellEx(c.FixedCol, static_cast<int>(k) + 1), c.FixedShown) << k;
        }
    }
}

// Insert before the only step, Insert into the empty list and Enter behind the only step:
// every step stays, with its nominal, and the new one is the default step.
TEST_F(ListSetup, InsertAndAppendKeepEveryStep)
{
    const struct { const char* Name; bool OneStep; int Col; Word Key; int NewRow; } cases[] = {
        {"Insert into the empty list", false, 0, VK_INSERT, 1},
        {"Insert before the only step", true, 0, VK_INSERT, 1},
        {"Enter behind the only step", true, 17, VK_RETURN, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Form->ListSetupNewBtnClick(nullptr);
        if (c.OneStep) {
            AddStepsWithF2("1");
            SetupGrid()->SetCellEx(1, 1, "Cp-D");
            SetupGrid()->SetCellEx(16, 1, "ABS");
            Form->StepNominal[1] = 77;
            Form->StepNominalUnit[1] = 2;
        }
        if (c.Col == 0) {
            SetupGrid()->SetFocus();
            GoTo(0, 1);
        } else {
            GoFarRight(c.Col, 1);
        }
        Press(c.Key);
        const int steps = c.OneStep ? 2 : 1;
        ASSERT_EQ(SetupGrid()->GetRowCountEx(), steps + 1);
        EXPECT_EQ(Form->ListStepCount, steps);
        EXPECT_EQ(Row(SetupGrid(), c.NewRow, 18), (std::vector<AnsiString>{std::to_string(c.NewRow), "Cs-Rs",
            "Freq(kHz)", "1.000", "Level(V)", "1.00", "Primary", "SEQ", "", "pF", "0.00000", "0.00000", "", "", "", "",
            "OFF", "OFF"}));
        EXPECT_EQ(Form->StepNominal[c.NewRow], 0);
        if (c.OneStep) {
            const int kept = 3 - c.NewRow;
            EXPECT_EQ(SetupGrid()->GetCellEx(0, kept), std::to_string(kept));
            EXPECT_EQ(SetupGrid()->GetCellEx(1, kept), "Cp-D");
            EXPECT_EQ(SetupGrid()->GetCellEx(16, kept), "ABS");
            EXPECT_EQ(Form->StepNominal[kept], 77);
            EXPECT_EQ(Form->StepNominalUnit[kept], 2);
        }
        EXPECT_TRUE(Messages().empty());
        Press(VK_ESCAPE);
    }
}

// F3 opens Copy Step only where the button would: not for the empty list, not while a cell
// is refused.
TEST_F(ListSetup, F3IsRefusedWhereTheCopyStepButtonIs)
{
    enum TState { Empty, Refused, Steps };
    const struct { TState State; bool Opens; } cases[] = {{Empty, false}, {Refused, false}, {Steps, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.State));
        Form->InputError = Form->InvalidCellPending = false;
        Form->ListSetupNewBtnClick(nullptr);
        if (c.State != Empty)
            AddStepsWithF2("2");
        if (c.State == Refused) {
            GoFarRight(5, 2);
            ModalScript::AnswerButton(IDOK);
            Type("7\r");
            ASSERT_TRUE(Form->InputError);
        }
        for (int how = 0; how < 2; ++how) {
            if (how == 0) {
                SetupGrid()->SetFocus();
                Press(VK_F3);
            } else {
                ClickButton(Form->ListSetupCopyBtn);
            }
            EXPECT_EQ(Form->CopyStepPanel->Visible(), c.Opens) << how;
            EXPECT_EQ(Form->ListSetupGroup->Enabled(), !c.Opens) << how;
            if (Form->CopyStepPanel->Visible())
                ClickButton(Form->CopyCancelBtn);
        }
    }
    Form->InputError = Form->InvalidCellPending = false;
}

// The nominal unit boxes are drop-down lists: typed text selects an entry or nothing, and
// never leaves the box without a unit.
TEST_F(ListSetup, NominalUnitBoxesKeepAUnitWhateverIsTyped)
{
    auto typeInto = [&](TComboBox* Box) {
        EXPECT_EQ(Box->Style(), csDropDownList);
        Box->SetFocus();
        for (const char* typed : {"xyz", "kohm", "9 Mohm"}) {
            TestInput::TypeText(Box, typed);
            EXPECT_GE(Box->ItemIndex(), 0) << typed;
            EXPECT_EQ(Box->Text(), Box->Items()->Strings(Box->ItemIndex())) << typed;
        }
        return Box->ItemIndex();
    };
    // The step nominal panel, opened by choosing ABS for step 1.
    AddStepsWithF2("1");
    GoFarRight(16, 1);
    Choose("ABS");
    ASSERT_TRUE(Form->SetNominalPan->Visible());
    int unit = typeInto(Form->ListSetupStepNomUnitBox);
    ClickButton(Form->ListSetupStepNomOkBtn);
    ASSERT_FALSE(Form->SetNominalPan->Visible());
    EXPECT_EQ(Form->StepNominalUnit[1], unit);

    // The Set List Sweep panel's, shown by choosing ABS for monitor 1.
    ClickButton(Form->SetSweepBtn);
    Form->SweepMon1Box->SetFocus();
    TestInput::TypeText(Form->SweepMon1Box, "A");
    ASSERT_EQ(Form->SweepMon1Box->Text(), "ABS");
    ASSERT_TRUE(Form->SweepNomUnitBox->Visible());
    unit = typeInto(Form->SweepNomUnitBox);
    Retype(Form->SweepPointEdit, "2");
    ClickButton(Form->SweepOkBtn);
    EXPECT_TRUE(Messages().empty()) << (Messages().empty() ? AnsiString() : Messages()[0]);
    ASSERT_EQ(Form->ListStepCount, 3);
    EXPECT_EQ(Form->StepNominalUnit[1], unit);
    EXPECT_EQ(Form->StepNominalUnit[2], unit);
}
