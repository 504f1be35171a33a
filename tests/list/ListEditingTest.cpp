// Editing the list setup table and the list fields as a user does, with the mouse and the keys:
// what a refused cell, a closed combo cell and typed keys leave behind.
#include "components/controls/Owbuttons.h"
#include "components/controls/Voduriz.h"
#include "components/grid/RavgridEditors.h"
#include "list/ListButtons.h"
#include "list/ListPublic.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/Render.h"
#include "tests/list/ListTestSupport.h"

class ListEditing : public ListFixture {
protected:
    void SetUp() override
    {
        ListFixture::SetUp();
        Form->ModelName = "ZV-XC";
        ShowListTab(true);
        ModalScript::AnswerText("4");
        SetupGrid()->SetFocus();
        Press(VK_F2);
        ASSERT_EQ(Form->ListStepCount, 4);
        ModalScript::ClearLog();
    }

    bool FocusInTable() { return Focus() == SetupGrid() || SetupGrid()->ContainsControl(Focus()); }
    // A click in the middle of a cell, where the user aims.
    void ClickCell(int Col, int Row)
    {
        const TRect r = SetupGrid()->CellRect(Col, Row);
        TestInput::Click(SetupGrid(), (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    }
    TRavInplaceEdit* Editor() { return SetupGrid()->GetInplaceEditor(); }
    // Empties a field as the user does (all of it selected, Backspace) and leaves it with Tab.
    void EmptyAndLeave(TVodUriz* E)
    {
        E->SetFocus();
        Press(VK_HOME);
        Press(VK_END, ssShift);
        Press(VK_BACK);
        ASSERT_EQ(E->GetText(), "");
        Press(VK_TAB);
    }
    void RefuseFrequencyOfStep4()
    {
        ClickCell(3, 4);
        Type("500\r");
        ASSERT_EQ(Messages(), std::vector<AnsiString>{Refused});
        ASSERT_TRUE(Form->InvalidCellPending);
        ModalScript::ClearLog();
    }
    const AnsiString Refused = "Step4 ''Freq_Level'' over  range! 0.01 kHz <= Freq_Value <= 100 kHz !";
};

// A click on another step's combo cell brings the refusal back and leaves both cells as they
// were: the clicked cell's editor does not write its text into the refused cell.
TEST_F(ListEditing, ARefusedCellStaysEmptyWhenAComboCellIsClicked)
{
    SetupGrid()->SetCellEx(1, 2, "Cp-D");
    RefuseFrequencyOfStep4();
    ClickCell(1, 2);
    EXPECT_EQ(Messages(), std::vector<AnsiString>{Refused});
    EXPECT_EQ(SetupGrid()->GetCellEx(3, 4), "");
    EXPECT_EQ(SetupGrid()->GetCellEx(1, 2), "Cp-D");
    EXPECT_EQ(SetupGrid()->Col(), 3);
    EXPECT_EQ(SetupGrid()->Row(), 4);
    EXPECT_TRUE(FocusInTable()) << Focus()->Name();
    // The refused cell takes a new value from the keys.
    ModalScript::ClearLog();
    Type("12\r");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(SetupGrid()->GetCellEx(3, 4), "12.00");
    EXPECT_FALSE(Form->InvalidCellPending);
    EXPECT_FALSE(Form->InputError);
}

// Copy Step opened with F3, from wherever the table had the keys, is closed by Cancel and
// gives the List Setup controls back.
TEST_F(ListEditing, CopyStepOpenedWithF3IsCancelled)
{
    const struct { const char* Where; int Col; } ways[] = {{"table", 0}, {"text editor", 3}, {"combo editor", 9}};
    for (const auto& w : ways) {
        SCOPED_TRACE(w.Where);
        ClickCell(w.Col, 2);
        Press(VK_F3);
        ASSERT_TRUE(Form->CopyStepPanel->Visible());
        EXPECT_FALSE(Form->ListSetupGroup->Enabled());
        ClickButton(Form->CopyCancelBtn);
        EXPECT_FALSE(Form->CopyStepPanel->Visible());
        EXPECT_TRUE(Form->ListSetupGroup->Enabled());
        for (TOwShadowButton* b : {Form->ListSetupOpenBtn, Form->ListSetupSaveBtn, Form->ListSetupNewBtn,
                 Form->SetSweepBtn, Form->ListSetupInsertBtn, Form->ListSetupCopyBtn, Form->ListSetupMeasDispBtn})
            EXPECT_TRUE(ButtonControl(b)->Enabled()) << b->Caption();
    }
    EXPECT_TRUE(Messages().empty());
}

// A loop count accepted while a table cell is refused keeps the input error: Save still waits
// for the cell.
TEST_F(ListEditing, AnAcceptedLoopCountKeepsARefusedCellsInputError)
{
    const struct { bool Refused; const char* Loops; bool InputError; } cases[] = {{true, "5", true}, {false, "5", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Loops);
        ShowListTab(true);
        Form->InputError = Form->InvalidCellPending = false;
        if (c.Refused)
            RefuseFrequencyOfStep4();
        ShowListTab(false);
        Form->MeasListSetupLoopEdit->SetFocus();
        Press(VK_HOME);
        Press(VK_END, ssShift);
        Type(c.Loops);
        Press(VK_TAB);
        EXPECT_EQ(Form->InputError, c.InputError);
        Form->MeasListSetupLoopEdit->SetText("1");
        ShowListTab(true);
        ModalScript::ClearLog();
        if (!c.InputError)
            ModalScript::AnswerCancel();
        ClickButton(Form->ListSetupSaveBtn);
        const auto& log = ModalScript::Log();
        const bool asked = std::any_of(log.begin(), log.end(),
            [](const TModalRequest& r) { return r.Kind == TModalKind::SaveDialog; });
        EXPECT_EQ(asked, !c.InputError);
        ModalScript::ClearAnswers();
    }
    Form->InputError = Form->InvalidCellPending = false;
}

// After a choice in a combo cell the table is left (its row check runs) and has the keys again:
// they never reach the terminal's Send Text.
TEST_F(ListEditing, AfterAComboChoiceTheKeysStayInTheTable)
{
    Form->mSend->SetText("FETC?");
    ClickCell(9, 1);
    ASSERT_TRUE(SetupGrid()->GridCombo()->Visible());
    Press(VK_DOWN);
    EXPECT_EQ(SetupGrid()->GetCellEx(9, 1), "nF");
    EXPECT_TRUE(FocusInTable()) << Focus()->Name();
    Press(VK_RIGHT);
    Type("7\r");
    EXPECT_EQ(Form->mSend->GetText(), "FETC?");
    EXPECT_EQ(SetupGrid()->GetCellEx(10, 1), "7.00000");
}

// Typing into a cell that is not being edited replaces its text, however the cell was reached;
// a double click selects the whole number.
TEST_F(ListEditing, TypingIntoACellReplacesItsText)
{
    enum TWay { ClickOnce, ClickTwice, Arrows, DoubleClick };
    const struct { const char* Name; TWay Way; } cases[] = {{"a click", ClickOnce},
        {"a click on the open editor", ClickTwice}, {"the arrow keys", Arrows}, {"a double click", DoubleClick}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        SetupGrid()->SetCellEx(10, 2, "0.00000");
        ClickCell(0, 1);
        switch (c.Way) {
        case ClickOnce: ClickCell(10, 2); break;
        case ClickTwice:
            ClickCell(10, 2);
            TestInput::Click(Editor());
            break;
        case Arrows:
            ClickCell(10, 1);
            Press(VK_DOWN);
            break;
        case DoubleClick:
            ClickCell(10, 2);
            TestInput::DblClick(Editor());
            break;
        }
        ASSERT_EQ(SetupGrid()->Col(), 10);
        ASSERT_EQ(SetupGrid()->Row(), 2);
        Type("1.5\r");
        EXPECT_EQ(SetupGrid()->GetCellEx(10, 2), "1.50000");
        EXPECT_TRUE(Messages().empty());
    }
    // Once editing has begun a click places the caret.
    ClickCell(10, 2);
    Type("12");
    TestInput::Click(Editor(), 1, Editor()->Height() / 2);
    Type("3");
    EXPECT_EQ(Editor()->Text(), "312");
}

// An emptied count field takes its default when it is left, with no message.
TEST_F(ListEditing, EmptiedCountFieldsTakeTheirDefaults)
{
    const struct { TVodUriz* Field; bool SweepPanel; const char* Default; } cases[] = {
        {Form->MeasListSetupLoopEdit, false, "1"}, {Form->SweepPointEdit, true, "10"},
        {Form->SweepDesEdit, true, "1"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Field->Name());
        ShowListTab(c.SweepPanel);
        if (c.SweepPanel && !Form->ListSweepPan->Visible())
            ClickButton(Form->SetSweepBtn);
        EmptyAndLeave(c.Field);
        EXPECT_EQ(c.Field->GetText(), c.Default);
        EXPECT_TRUE(Messages().empty()) << Messages()[0];
        EXPECT_FALSE(Form->InputError);
    }
}

// The decimal fields of the Set List Sweep panel show their values with the panel's decimals.
TEST_F(ListEditing, SweepPanelDecimalFieldsShowTheirDecimals)
{
    ClickButton(Form->SetSweepBtn);
    EXPECT_EQ(Form->SweepLevelEdit->GetText(), "1.00");
    EXPECT_EQ(Form->SweepStartEdit->GetText(), "1.00");
    EXPECT_EQ(Form->SweepEndEdit->GetText(), "200.00");
    const struct { TVodUriz* Field; const char* Typed; const char* Shown; } cases[] = {
        {Form->SweepEndEdit, "80", "80.00"}, {Form->SweepStartEdit, "2.5", "2.50"},
        {Form->SweepLevelEdit, "0.5", "0.50"}};
    for (const auto& c : cases) {
        c.Field->SetFocus();
        Press(VK_HOME);
        Press(VK_END, ssShift);
        Type(c.Typed);
        Press(VK_TAB);
        EXPECT_EQ(c.Field->GetText(), c.Shown);
    }
    TestInput::Click(Form->SweepTypeGroup->Buttons(1));
    EXPECT_EQ(Form->SweepEndEdit->GetText(), "2.00");
    EXPECT_EQ(Form->SweepFreqEdit->GetText(), "1.000");
    EXPECT_TRUE(Messages().empty());
}
