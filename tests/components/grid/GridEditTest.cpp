// Editing the grid as a user does: keys and clicks through the input helpers
// open the editors, filter what is typed, write back, advance, insert and
// delete rows; the combo, spin and unit editors; validation on leaving a cell.
#include <gtest/gtest.h>

#include "GridTestSupport.h"
#include "tests/support/TestOutput.h"
#include "components/grid/Ragcheck.h"
#include "components/grid/RavgridEditors.h"
#include "components/grid/RavgridHint.h"
#include "components/grid/RavgridRich.h"
#include "platform/graphics/RichTextRtf.h"
#include "platform/core/DateTime.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/Edit.h"
#include "platform/forms/Form.h"
#include "platform/forms/Render.h"
#include "platform/forms/Shell.h"
#include "platform/forms/TestInput.h"
#include "platform/forms/Timer.h"
#include "platform/win/Beep.h"

namespace {

struct GridEdit : ::testing::Test {
    TForm form{nullptr};
    TRavArodozIdad* g = nullptr;
    TEdit* other = nullptr;
    std::vector<std::string> log;

    void SetUp() override
    {
        form.SetBounds(0, 0, 500, 320);
        g = new TRavArodozIdad(&form);
        g->SetParent(&form);
        g->SetBounds(0, 0, 480, 260);
        g->SetColCountEx(4);
        g->SetRowCountEx(4);
        g->SetFixedRowsEx(1);
        g->SetFixedColsEx(0);
        g->SetOptions(g->Options() | goEditing);
        other = new TEdit(&form);
        other->SetParent(&form);
        other->SetTop(280);
        form.Show();
        g->SetFocus();
    }

    TWinControl* Focus() { return form.ActiveControl() ? form.ActiveControl() : &form; }
    // A key as the user presses it, to whichever control has the focus.
    void Press(Word Key, TShiftState Shift = 0) { TestInput::PressKeyOnForm(&form, Key, Shift); }
    void Type(const AnsiString& Text)
    {
        for (char c : Text)
            TestInput::TypeText(Focus(), AnsiString(1, c));
    }
    AnsiString EditorText() { return g->GetInplaceEditor() ? g->GetInplaceEditor()->Text() : AnsiString("<none>"); }
    bool EditorShown() { return g->GetInplaceEditor() && g->GetInplaceEditor()->Visible(); }
    void EditorType(TEditorType T)
    {
        g->OnGetEditorType = [T](TObject*, int, int, TEditorType& E) { E = T; };
    }
};

} // namespace

TEST_F(GridEdit, TypingOpensTheEditorAndEveryChangeReachesTheCell)
{
    std::vector<std::string> texts;
    g->OnSetEditText = [&](TObject*, int c, int r, const AnsiString& v) {
        texts.push_back(std::to_string(c) + "," + std::to_string(r) + "=" + v);
    };
    Type("ab");
    ASSERT_TRUE(EditorShown());
    EXPECT_TRUE(g->GetInplaceEditor()->Focused());
    EXPECT_EQ(g->Cells(0, 1), "ab");
    EXPECT_EQ(texts, (std::vector<std::string>{"0,1=a", "0,1=ab"}));
    Press(VK_BACK);
    EXPECT_EQ(g->Cells(0, 1), "a");
    // Enter closes the editor; F2 opens it again on the cell's text.
    Press(VK_RETURN);
    EXPECT_FALSE(EditorShown());
    EXPECT_TRUE(g->Focused());
    Press(VK_F2);
    EXPECT_EQ(EditorText(), "a");
    // Down leaves the cell: the editor closes and the cursor moves.
    Press(VK_DOWN);
    EXPECT_FALSE(EditorShown());
    EXPECT_EQ(g->Row(), 2);
    EXPECT_EQ(g->Cells(0, 1), "a");
}

TEST_F(GridEdit, KeyDownsInEditorsReachTheGridsOnKeyDownFirst)
{
    std::vector<Word> keys;
    g->OnKeyDown = [&](TObject* s, Word& k, TShiftState) {
        EXPECT_EQ(s, g);
        keys.push_back(k);
    };
    Type("1");
    ASSERT_TRUE(EditorShown());
    for (Word k : {Word(VK_F2), Word(VK_F3), Word(VK_RETURN)})
        Press(k);
    EXPECT_EQ(keys, (std::vector<Word>{'1', VK_F2, VK_F3, VK_RETURN}));
    // The same in a combo cell.
    g->AddComboString("A");
    g->AddComboString("B");
    EditorType(edComboList);
    g->SetCol(1);
    keys.clear();
    Press(VK_F2);
    ASSERT_TRUE(g->GridCombo()->Visible());
    ASSERT_TRUE(g->GridCombo()->Focused());
    Press(VK_F3);
    Press(VK_RETURN);
    EXPECT_EQ(keys, (std::vector<Word>{VK_F2, VK_F3, VK_RETURN}));
    EXPECT_FALSE(g->GridCombo()->Visible());
}

TEST_F(GridEdit, TypedCharactersPassTheEditorTypesFilter)
{
    const struct {
        TEditorType type;
        const char* typed;
        const char* text;
        size_t beeps;
    } cases[] = {
        {edNormal, "a-1.", "a-1.", 0},
        {edNumeric, "-12", "-12", 0},
        {edNumeric, "1-", "1", 1},        // a sign only first
        {edNumeric, "-1-", "-1", 1},      // and once
        {edNumeric, "1a", "1", 1},
        {edPositiveNumeric, "-1a2", "12", 2},
        {edFloat, "1.5", "1.5", 0},
        {edFloat, "1.5.,", "1.5", 0},     // one separator, dropped silently
        {edFloat, "1,2", "1,2", 0},
        {edFloat, "-1.2-", "-1.2", 1},
        {edFloat, "x", "", 0},
        {edUpperCase, "ab1", "AB1", 0},
        {edCapital, "ab", "AB", 0},
        {edLowerCase, "AB", "ab", 0},
    };
    int row = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " as type " + std::to_string(int(c.type)));
        EditorType(c.type);
        g->SetRowCountEx(row + 2);
        g->MoveColRow(0, row, true, true);
        if (!g->Focused())
            g->SetFocus();
        const size_t before = RecordedBeeps().size();
        Type(c.typed);
        EXPECT_EQ(g->Cells(0, row), c.text);
        EXPECT_EQ(RecordedBeeps().size() - before, c.beeps);
        Press(VK_RETURN);
        ++row;
    }
}

TEST_F(GridEdit, FloatSeparatorReplacesASelectedOneAndLengthLimitKeepsBackspace)
{
    EditorType(edFloat);
    Type("1.5");
    g->GetInplaceEditor()->SelectAll();
    Type(".");
    EXPECT_EQ(g->Cells(0, 1), ".");
    Press(VK_RETURN);
    g->SetMaxEditLength(3);
    EditorType(edNormal);
    g->SetCol(1);
    Type("abcd");
    EXPECT_EQ(g->Cells(1, 1), "abc");
    Press(VK_BACK);
    EXPECT_EQ(g->Cells(1, 1), "ab");
}

TEST_F(GridEdit, PasteIntoANumericCellPassesTheFilter)
{
    EditorType(edNumeric);
    Type("12");
    g->GetInplaceEditor()->SetSelStart(0);
    Clipboard()->SetAsText("ab");
    Press('V', ssCtrl);
    EXPECT_EQ(EditorText(), "12");
    EXPECT_EQ(g->GetInplaceEditor()->SelStart(), 2); // as though pasted
    g->GetInplaceEditor()->SetSelStart(2);
    Clipboard()->SetAsText("34");
    Press(VK_INSERT, ssShift);
    EXPECT_EQ(g->Cells(0, 1), "1234");
}

TEST_F(GridEdit, EnterAdvancesAcrossTheRowAndAddsARowAtTheEnd)
{
    g->Navigation()->SetAdvanceOnEnter(true);
    g->Navigation()->SetAdvanceInsert(true);
    std::vector<int> added;
    g->OnAutoAddRow = [&](TObject*, int r) { added.push_back(r); };
    bool canAdd = true;
    g->OnCanAddRow = [&](TObject*, bool& c) { c = canAdd; };
    g->MoveColRow(2, 3, true, true);
    Type("x");
    Press(VK_RETURN);
    EXPECT_EQ(g->Cells(2, 3), "x");
    EXPECT_EQ(g->Col(), 3);
    EXPECT_EQ(g->Row(), 3);
    EXPECT_TRUE(EditorShown()); // the editor opens on the next cell
    Type("y");
    Press(VK_RETURN);
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(added, std::vector<int>{4});
    EXPECT_EQ(g->Col(), 0);
    EXPECT_EQ(g->Row(), 4);
    // Refused: the cursor stays on the last cell.
    canAdd = false;
    g->MoveColRow(3, 4, true, true);
    Type("z");
    Press(VK_RETURN);
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(g->Col(), 3);
    EXPECT_EQ(g->Row(), 4);
}

TEST_F(GridEdit, AdvanceSkipsLockedCellsAndStopsWhenNoneCanBeEdited)
{
    g->Navigation()->SetAdvanceOnEnter(true);
    bool all = false;
    g->OnCanEditCell = [&](TObject*, int, int c, bool& can) { can = !all && c != 1; };
    g->MoveColRow(0, 1, true, true);
    g->AdvanceEdit(0, 1, false, false, true);
    EXPECT_EQ(g->Col(), 2); // column 1 is locked
    // Nothing editable: one pass over the cells, then the cursor stays.
    all = true;
    g->AdvanceEdit(2, 1, false, false, true);
    EXPECT_EQ(g->Col(), 2);
    EXPECT_EQ(g->Row(), 1);
    // A handler that cuts the rows again: the target is clamped into the grid.
    all = false;
    g->Navigation()->SetAdvanceInsert(true);
    g->OnAutoAddRow = [&](TObject*, int) { g->SetRowCountEx(3); };
    g->MoveColRow(3, 3, true, true);
    g->AdvanceEdit(3, 3, false, false, true);
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_LT(g->Row(), g->RowCount());
}

TEST_F(GridEdit, AnAdvanceThatFindsNoEditableCellAddsNoRows)
{
    g->Navigation()->SetAdvanceOnEnter(true);
    g->Navigation()->SetAdvanceInsert(true);
    g->SetRowCountEx(21);
    int added = 0;
    g->OnAutoAddRow = [&](TObject*, int) { ++added; };
    g->MoveColRow(3, 20, true, true);
    g->OnCanEditCell = [&](TObject*, int, int, bool& can) { can = false; };
    g->AdvanceEdit(3, 20, false, false, true);
    EXPECT_EQ(g->RowCount(), 21);
    EXPECT_EQ(added, 0);
    EXPECT_EQ(g->Col(), 3);
    EXPECT_EQ(g->Row(), 20);
    // Only the first data row can be edited: one row is added, then the search wraps to it.
    g->OnCanEditCell = [&](TObject*, int r, int, bool& can) { can = r == 1; };
    g->AdvanceEdit(3, 20, false, false, true);
    EXPECT_EQ(g->RowCount(), 22);
    EXPECT_EQ(added, 1);
    EXPECT_EQ(g->Col(), 0);
    EXPECT_EQ(g->Row(), 1);
}

TEST_F(GridEdit, InsertAndDeleteRows)
{
    g->Navigation()->SetAllowInsertRow(true);
    g->Navigation()->SetAllowDeleteRow(true);
    FillCoords(*g);
    std::vector<std::string> ev;
    g->OnAutoInsertRow = [&](TObject*, int r) { ev.push_back("ins " + std::to_string(r)); };
    g->OnAutoDeleteRow = [&](TObject*, int r) { ev.push_back("del " + std::to_string(r)); };
    bool canDelete = true;
    g->OnCanDeleteRow = [&](TObject*, int, bool& c) { c = canDelete; };
    g->MoveColRow(0, 2, true, true);
    Press(VK_INSERT); // before
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(g->Row(), 2);
    EXPECT_EQ(g->Cells(0, 2), "");
    EXPECT_EQ(g->Cells(0, 3), "0,2");
    g->Navigation()->SetInsertPosition(pInsertAfter);
    Press(VK_INSERT); // after, and the cursor follows
    EXPECT_EQ(g->Row(), 3);
    EXPECT_EQ(g->Cells(0, 4), "0,2");
    Press(VK_INSERT, ssCtrl); // Ctrl+Insert is no row insert
    EXPECT_EQ(g->RowCount(), 6);
    canDelete = false;
    Press(VK_DELETE);
    EXPECT_EQ(g->RowCount(), 6);
    canDelete = true;
    Press(VK_DELETE);
    EXPECT_EQ(g->RowCount(), 5);
    EXPECT_EQ(ev, (std::vector<std::string>{"ins 2", "ins 3", "del 3"}));
    // The only data row is emptied, not removed, and still reported.
    g->SetRowCountEx(2);
    g->SetCellEx(1, 1, "keep?");
    g->MoveColRow(1, 1, true, true);
    ev.clear();
    Press(VK_DELETE);
    EXPECT_EQ(g->RowCount(), 2);
    EXPECT_EQ(g->Cells(1, 1), "");
    EXPECT_EQ(ev, std::vector<std::string>{"del 1"});
}

TEST_F(GridEdit, ComboChoiceAndWheelRaiseOnComboChangeOnce)
{
    for (const char* s : {"A", "B", "C"})
        g->AddComboString(s);
    EditorType(edComboList);
    g->SetCellEx(1, 1, "B");
    std::vector<std::string> ev;
    g->OnComboChange = [&](TObject* s, int c, int r, int i, const AnsiString& t) {
        ev.push_back(std::string(s == g ? "grid " : s == g->GridCombo() ? "combo " : "? ") + std::to_string(c) +
                     "," + std::to_string(r) + " " + std::to_string(i) + " " + t);
    };
    g->SetCol(1);
    Press(VK_F2);
    TGridCombo* cb = g->GridCombo();
    ASSERT_TRUE(cb->Visible());
    EXPECT_EQ(cb->ItemIndex(), 1);
    EXPECT_TRUE(ev.empty()); // opening is no choice
    TestInput::Wheel(cb, -1);
    EXPECT_EQ(cb->ItemIndex(), 2);
    TestInput::Wheel(cb, -1); // the last item stays, and is reported again
    TestInput::Wheel(cb, 1);
    cb->SetItemIndex(0); // by code: no event
    Press(VK_DOWN);      // the user's choice on the closed list
    EXPECT_EQ(ev, (std::vector<std::string>{"combo 1,1 2 C", "combo 1,1 2 C", "combo 1,1 1 B", "grid 1,1 1 B"}));
    Press(VK_RETURN);
    EXPECT_FALSE(cb->Visible());
    EXPECT_EQ(g->Cells(1, 1), "B");
    // A letter typed on the grid opens the list on the first item that starts with it.
    ev.clear();
    Type("c");
    EXPECT_TRUE(cb->Visible());
    EXPECT_EQ(cb->ItemIndex(), 2);
    EXPECT_EQ(ev, std::vector<std::string>{"grid 1,1 2 C"});
    Press(VK_ESCAPE);
    EXPECT_EQ(g->Cells(1, 1), "B");
    // A cell text that is no item opens on the preset selection.
    g->SetCellEx(1, 2, "none");
    EXPECT_FALSE(g->SetComboSelectionString("none"));
    EXPECT_TRUE(g->SetComboSelectionString("C"));
    g->MoveColRow(1, 2, true, true);
    Press(VK_F2);
    EXPECT_EQ(cb->ItemIndex(), 2);
}

TEST_F(GridEdit, AnEditableComboReportsTypingAndAChoiceOnceEach)
{
    for (const char* s : {"Alpha", "Beta"})
        g->AddComboString(s);
    EditorType(edComboEdit);
    std::vector<std::string> ev;
    g->OnComboChange = [&](TObject*, int, int, int i, const AnsiString& t) {
        ev.push_back(std::to_string(i) + " " + t);
    };
    Press(VK_F2);
    TGridCombo* cb = g->GridCombo();
    ASSERT_TRUE(cb->Focused());
    TestInput::TypeText(cb, "x");
    cb->UserSelected(1); // a choice from the list
    EXPECT_EQ(ev, (std::vector<std::string>{"-1 x", "1 Beta"}));
    Press(VK_RETURN);
    EXPECT_EQ(g->Cells(0, 1), "Beta");
}

TEST_F(GridEdit, ComboDropDownWidthFitsTheWidestItem)
{
    TGridCombo* cb = g->GridCombo();
    cb->SetWidth(100);
    const AnsiString wide(30, 'W');
    const int t = g->Canvas()->TextWidth(wide);
    ASSERT_GT(t, 100);
    for (const char* s : {"a", "b"})
        g->AddComboString(s);
    g->AddComboString(wide);
    cb->SizeDropDownWidth();
    EXPECT_EQ(cb->DropWidth(), t + 8);
    for (int i = 0; i < 17; ++i)
        g->AddComboString("x");
    cb->SizeDropDownWidth(); // with a scroll bar
    EXPECT_EQ(cb->DropWidth(), t + 25);
}

TEST_F(GridEdit, SpinEditorStepsWithinItsLimitsAndRepeatsWhileHeld)
{
    EditorType(edSpinEdit);
    g->SetCellEx(0, 1, "99");
    Press(VK_F2);
    TGridSpin* sp = g->GridSpin();
    ASSERT_TRUE(sp->Visible());
    ASSERT_TRUE(sp->Focused());
    sp->SetIncrement(5);
    std::vector<int> clicks;
    g->OnSpinClick = [&](TObject*, int, int, int v, bool) { clicks.push_back(v); };
    Press(VK_PRIOR); // 104 would pass the maximum
    EXPECT_EQ(sp->Value(), 99);
    Press(VK_NEXT);
    EXPECT_EQ(sp->Value(), 94);
    Press(VK_UP); // the arrows step by the increment, clamped
    Press(VK_UP);
    EXPECT_EQ(sp->Value(), 100);
    Press(VK_END);
    EXPECT_EQ(sp->Value(), 0);
    Press(VK_DOWN);
    EXPECT_EQ(sp->Value(), 0);
    EXPECT_EQ(clicks, (std::vector<int>{99, 94, 99, 100, 0, 0}));
    // Held down: after 400 ms, then every 100 ms, and once on release.
    sp->SetIncrement(1);
    TRavTimerSpeedButton* up = sp->Button()->UpButton();
    TestInput::MouseDown(up, 3, 3);
    ASSERT_NE(up->RepeatTimer(), nullptr);
    EXPECT_EQ(up->RepeatTimer()->Interval(), 400u);
    for (int i = 0; i < 3; ++i)
        up->RepeatTimer()->Tick();
    EXPECT_EQ(up->RepeatTimer()->Interval(), 100u);
    EXPECT_EQ(sp->Value(), 3);
    TestInput::MouseUp(up, 3, 3);
    EXPECT_EQ(sp->Value(), 4);
    EXPECT_FALSE(up->RepeatTimer()->Enabled());
    // Enter writes the value back.
    sp->SetFocus();
    Press(VK_RETURN);
    EXPECT_FALSE(sp->Visible());
    EXPECT_EQ(g->Cells(0, 1), "4");
}

TEST_F(GridEdit, UnitEditorSplitsValueAndUnitWithoutRewritingEither)
{
    EditorType(edUnitEditBtn);
    const struct {
        const char* cell;
        const char* value;
        const char* unit;
    } cases[] = {{"10 kHz", "10", " kHz"}, {"1.5mA", "1.5", "mA"}, {"5 k-Ohm", "5", " k-Ohm"}, {"-2,5V", "-2,5", "V"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cell);
        g->SetCellEx(0, 1, c.cell);
        g->MoveColRow(0, 1, true, true);
        if (!g->Focused())
            g->SetFocus();
        Press(VK_F2);
        TGridUnitEditBtn* u = g->GridUnitEditBtn();
        ASSERT_TRUE(u->Visible());
        EXPECT_EQ(u->Text(), c.value);
        EXPECT_EQ(u->UnitID(), c.unit);
        Press(VK_RETURN);
        EXPECT_EQ(g->Cells(0, 1), c.cell);
    }
}

TEST_F(GridEdit, AValueTheValidateHandlerChangesIsTheOneKept)
{
    g->OnCellValidate = [&](TObject*, int, int, AnsiString& v, bool&) { v += "0"; };
    for (const Word key : {Word(VK_RETURN), Word(VK_DOWN), Word(VK_TAB)}) {
        const int row = g->Row(), col = g->Col();
        Type("5");
        Press(key);
        EXPECT_EQ(g->Cells(col, row), "50") << "key " << key;
        g->SetRow(row + 1 < g->RowCount() ? row + 1 : 1);
        g->SetCol(0);
    }
}

TEST_F(GridEdit, LeavingAnEditedCellValidatesBeforeTheCellChanges)
{
    std::vector<std::string> ev;
    bool valid = true;
    AnsiString replace;
    g->OnCellValidate = [&](TObject*, int c, int r, AnsiString& v, bool& ok) {
        ev.push_back("validate " + std::to_string(c) + "," + std::to_string(r) + " " + v);
        if (!replace.empty())
            v = replace;
        ok = valid;
    };
    g->OnCellChanging = [&](TObject*, int, int, int nr, int nc, bool&) {
        ev.push_back("changing " + std::to_string(nc) + "," + std::to_string(nr));
    };
    g->SetCellEx(0, 1, "old");
    Type("new");
    Press(VK_DOWN);
    EXPECT_EQ(ev, (std::vector<std::string>{"validate 0,1 new", "changing 0,2"}));
    EXPECT_EQ(g->Row(), 2);
    // Refused: the start text comes back and the editor stays on the cell.
    ev.clear();
    valid = false;
    Type("bad");
    Press(VK_UP);
    EXPECT_EQ(ev, std::vector<std::string>{"validate 0,2 bad"});
    EXPECT_EQ(g->Row(), 2);
    EXPECT_EQ(g->Cells(0, 2), "");
    EXPECT_TRUE(EditorShown());
    // Refused with a replacement: the replacement is kept.
    replace = "fixed";
    g->GetInplaceEditor()->SelectAll();
    Type("x");
    Press(VK_UP);
    EXPECT_EQ(g->Cells(0, 2), "fixed");
    EXPECT_EQ(g->Row(), 2);
    // An unchanged value is not validated.
    ev.clear();
    valid = true;
    replace.clear();
    Press(VK_UP);
    EXPECT_EQ(ev, std::vector<std::string>{"changing 0,1"});
}

namespace {

// Capitalises sentences, marks the word "teh", and logs each call with its column.
struct LoggingCheck : TCapitalCheck {
    LoggingCheck(TComponent* Owner, std::vector<std::string>& Log) : TCapitalCheck(Owner), log(Log) {}
    AnsiString Correct(int c, int r, const AnsiString& t) override
    {
        log.push_back("correct " + std::to_string(c) + " " + t);
        return TCapitalCheck::Correct(c, r, t);
    }
    AnsiString MarkError(int c, int, const AnsiString& t) override
    {
        log.push_back("mark " + std::to_string(c) + " " + t);
        return HiLight(t, "teh", "E", false);
    }
    std::vector<std::string>& log;
};

} // namespace

// The cell checker corrects an edited value before the validation handler sees it and marks
// errors in what the handler leaves; both work on real columns.
TEST_F(GridEdit, TheCellCheckerCorrectsAndMarksAnEditedValue)
{
    std::vector<std::string> log;
    LoggingCheck checker(nullptr, log);
    g->SetCellChecker(&checker);
    g->SetRowCountEx(8);
    g->HideColumn(0); // display column 0 is real column 1
    enum Handler { hAccept, hRefuse, hReplace };
    bool valid = true;
    AnsiString replacement;
    g->OnCellValidate = [&](TObject*, int c, int, AnsiString& v, bool& ok) {
        log.push_back("validate " + std::to_string(c) + " " + v);
        if (!replacement.empty())
            v = replacement;
        ok = valid;
    };
    const struct {
        bool correct, mark;
        Handler handler;
        const char* cell;
        std::vector<std::string> log;
    } cases[] = {
        {false, false, hAccept, "ok. teh end", {"validate 1 ok. teh end"}},
        {true, false, hAccept, "Ok. Teh end", {"correct 1 ok. teh end", "validate 1 Ok. Teh end"}},
        {false, true, hAccept, "ok. <E>teh</E> end", {"validate 1 ok. teh end", "mark 1 ok. teh end"}},
        {true, true, hAccept, "Ok. <E>Teh</E> end",
         {"correct 1 ok. teh end", "validate 1 Ok. Teh end", "mark 1 Ok. Teh end"}},
        // Refused as it stands: the cell keeps its start text, whatever the marks.
        {true, true, hRefuse, "", {"correct 1 ok. teh end", "validate 1 Ok. Teh end", "mark 1 Ok. Teh end"}},
        // Refused with a replacement: the replacement is kept, marked.
        {true, true, hReplace, "<E>teh</E>?",
         {"correct 1 ok. teh end", "validate 1 Ok. Teh end", "mark 1 teh?"}},
    };
    // An unchanged value is neither corrected nor marked.
    checker.AutoCorrect = checker.AutoMarkError = true;
    g->SetCellEx(1, 7, "same teh");
    g->MoveColRow(0, 7, true, true);
    Press(VK_F2);
    Press(VK_RETURN);
    EXPECT_TRUE(log.empty()) << ::testing::PrintToString(log);
    EXPECT_EQ(g->GetCellEx(1, 7), "same teh");
    int row = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(row);
        checker.AutoCorrect = c.correct;
        checker.AutoMarkError = c.mark;
        valid = c.handler == hAccept;
        replacement = c.handler == hReplace ? "teh?" : "";
        g->MoveColRow(0, row, true, true);
        log.clear();
        Type("ok. teh end");
        Press(VK_DOWN);
        EXPECT_EQ(g->GetCellEx(1, row), c.cell);
        EXPECT_EQ(log, c.log);
        // A refused value keeps the user in the cell with the editor open.
        EXPECT_EQ(EditorShown(), c.handler != hAccept);
        EXPECT_EQ(g->Row(), c.handler == hAccept ? row + 1 : row);
        if (EditorShown())
            Press(VK_ESCAPE);
        ++row;
    }
    g->SetCellChecker(nullptr);
}

TEST_F(GridEdit, AnEditAfterTheCursorWasMovedByCodeChangesOnlyItsCell)
{
    g->SetCellEx(0, 1, "first");
    g->SetCellEx(0, 2, "second");
    g->MoveColRow(0, 2, true, true);
    Type("x");
    Press(VK_DOWN);
    EXPECT_EQ(g->Cells(0, 1), "first");
    EXPECT_EQ(g->Cells(0, 2), "x");
}

TEST_F(GridEdit, LinksOpenOnlyWebAndMailAddresses)
{
    g->SetURLShow(true);
    g->SetOptions(g->Options() & ~goEditing);
    const struct {
        const char* text;
        bool opens;
    } cases[] = {
        {"http://example.com/a", true}, {"https://example.com", true}, {"mailto:lab@example.com", true},
        {"ftp://example.com/f", true},  {"file:///usr/bin/xterm", false}, {"smb://server/share/x.exe", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        ClearShellOpenedAddresses();
        g->SetCellEx(1, 2, c.text);
        const TRect r = g->CellRect(1, 2);
        TestInput::Click(g, r.Left + 5, r.Top + 5);
        EXPECT_EQ(ShellOpenedAddresses().size(), c.opens ? 1u : 0u);
    }
    // A link into the grid moves the cursor instead.
    g->SetCellEx(1, 2, "CELL://R3C2");
    const TRect r = g->CellRect(1, 2);
    ClearShellOpenedAddresses();
    TestInput::Click(g, r.Left + 5, r.Top + 5);
    EXPECT_TRUE(ShellOpenedAddresses().empty());
    EXPECT_EQ(g->Row(), 3);
    EXPECT_EQ(g->Col(), 2);
}

// A picture for people: one grid with a float cell under edit, one with its combo list open.
TEST_F(GridEdit, PictureOfAnOpenFloatEditorAndComboList)
{
    g->SetBounds(0, 0, 240, 160);
    g->SetColWidths(0, 60);
    g->SetCellEx(0, 0, "Value");
    g->SetCellEx(1, 0, "Unit");
    g->SetCellEx(0, 1, "1.000");
    g->SetCellEx(1, 1, "kHz");
    EditorType(edFloat);
    g->MoveColRow(0, 2, true, true);
    Type("-12.5");
    ASSERT_TRUE(EditorShown());
    EXPECT_EQ(g->Cells(0, 1), "1.000");
    EXPECT_EQ(g->Cells(0, 2), "-12.5");
    g->GetInplaceEditor()->SetSelStart(1);
    g->GetInplaceEditor()->SetSelLength(2); // the editor shows as the user's selection

    auto* g2 = new TRavArodozIdad(&form);
    g2->SetParent(&form);
    g2->SetBounds(250, 0, 240, 160);
    g2->SetColCountEx(2);
    g2->SetRowCountEx(4);
    g2->SetFixedColsEx(0);
    g2->SetOptions(g2->Options() | goEditing);
    g2->SetCellEx(0, 0, "Function");
    g2->SetCellEx(0, 1, "Cs-Rs");
    for (const char* s : {"Cs-Rs", "Cs-D", "Cp-Rp", "Cp-D", "Lp-Rp"})
        g2->AddComboString(s);
    g2->OnGetEditorType = [](TObject*, int, int, TEditorType& E) { E = edComboList; };
    g2->SetFocus();
    TestInput::KeyDown(g2, VK_F2);
    ASSERT_TRUE(g2->GridCombo()->Visible());
    g2->GridCombo()->SetDroppedDown(true);
    TestInput::ProcessEvents();
    const std::string png = TestOutputPath("grid_float_editor_and_combo_list.png");
    ASSERT_TRUE(SaveControlToPng(&form, png));
    g2->GridCombo()->SetDroppedDown(false);
}

// The way the program's step table is set up: numbers, floats and choice lists,
// the editor always open, Enter moving on and adding rows, Insert and Delete.
TEST_F(GridEdit, AStepTableIsEditedWithEnterInsertAndDelete)
{
    g->Navigation()->SetAlwaysEdit(true);
    g->Navigation()->SetAdvanceOnEnter(true);
    g->Navigation()->SetAdvanceInsert(true);
    g->Navigation()->SetAllowInsertRow(true);
    g->Navigation()->SetAllowDeleteRow(true);
    g->SetOptions(g->Options() | goRangeSelect);
    g->SetRowCountEx(2);
    g->OnGetEditorType = [this](TObject*, int c, int, TEditorType& E) {
        if (c == 1) {
            g->ClearComboString();
            for (const char* s : {"Cs-Rs", "Cp-D", "DCR"})
                g->AddComboString(s);
            E = edComboList;
        } else
            E = c == 0 ? edNumeric : edFloat;
    };
    g->OnCanEditCell = [](TObject*, int, int c, bool& can) { can = c != 3; };
    std::vector<std::string> ev;
    g->OnKeyDown = [&](TObject*, Word& k, TShiftState) {
        if (k == VK_RETURN)
            ev.push_back("enter " + std::to_string(g->Col()) + "," + std::to_string(g->Row()));
    };
    g->OnComboChange = [&](TObject*, int c, int r, int, const AnsiString& s) {
        ev.push_back("combo " + std::to_string(c) + "," + std::to_string(r) + " " + s);
    };
    g->OnAutoAddRow = [&](TObject*, int r) { ev.push_back("added " + std::to_string(r)); };
    g->OnAutoInsertRow = [&](TObject*, int r) { ev.push_back("inserted " + std::to_string(r)); };
    Type("7");
    Press(VK_RETURN);
    ASSERT_TRUE(g->GridCombo()->Visible());
    Press(VK_DOWN);
    Press(VK_RETURN);
    ASSERT_TRUE(EditorShown());
    Type("1.5");
    Press(VK_RETURN); // column 3 is locked: on to the new row
    EXPECT_EQ(g->Cells(0, 1), "7");
    EXPECT_EQ(g->Cells(1, 1), "Cp-D");
    EXPECT_EQ(g->Cells(2, 1), "1.5");
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(g->Col(), 0);
    EXPECT_EQ(g->Row(), 2);
    EXPECT_TRUE(EditorShown());
    Press(VK_INSERT);
    EXPECT_EQ(g->RowCount(), 4);
    EXPECT_EQ(ev, (std::vector<std::string>{"enter 0,1", "combo 1,1 Cp-D", "enter 1,1", "enter 2,1", "added 2",
                                            "inserted 2"}));
}

TEST_F(GridEdit, WheelMovesByTheWheelLinesAndMiddleButtonPans)
{
    g->SetRowCountEx(30);
    g->MoveColRow(0, 5, true, true);
    TestInput::Wheel(g, -1); // toward the user: three lines, then the base's own step
    EXPECT_EQ(g->Row(), 9);
    TestInput::Wheel(g, 1);
    EXPECT_EQ(g->Row(), 5);
    g->MoveColRow(0, 28, true, true);
    TestInput::Wheel(g, -1);
    EXPECT_EQ(g->Row(), 29);
    // Panning: vertical only; the cell steps toward the pointer each tick.
    g->MoveColRow(1, 10, true, true);
    TestInput::MouseDown(g, 100, 100, mbMiddle);
    ASSERT_TRUE(g->Panning());
    TestInput::MouseMove(g, 300, 100);
    g->PanTimer()->Tick();
    EXPECT_EQ(g->Col(), 1);
    TestInput::MouseMove(g, 100, 150);
    g->PanTimer()->Tick();
    g->PanTimer()->Tick();
    EXPECT_EQ(g->Row(), 12);
    TestInput::MouseDown(g, 100, 150, mbMiddle);
    EXPECT_FALSE(g->Panning());
}

TEST_F(GridEdit, ScrollingClosesAnEditorControlAndKeepsItsValue)
{
    g->SetRowCountEx(40);
    EditorType(edSpinEdit);
    Press(VK_F2);
    ASSERT_TRUE(g->GridSpin()->Visible());
    Press(VK_UP);
    g->SetTopRow(10);
    EXPECT_FALSE(g->GridSpin()->Visible());
    EXPECT_EQ(g->Cells(0, 1), "1");
}

TEST_F(GridEdit, EditButtonCellsTakeTheEllipsisResultAndTheirFilter)
{
    EditorType(edNumericEditBtn);
    g->OnEllipsClick = [](TObject*, int c, int r, AnsiString& s) { s = "4" + std::to_string(c) + std::to_string(r); };
    Press(VK_F2);
    TGridEditBtn* e = g->GridEditBtn();
    ASSERT_TRUE(e->Visible());
    TestInput::Click(e->ButtonHost()->Button());
    EXPECT_EQ(e->Text(), "401");
    e->SetSelStart(3);
    Type("a5");
    EXPECT_EQ(e->Text(), "4015");
    Press(VK_RETURN);
    EXPECT_FALSE(e->Visible());
    EXPECT_EQ(g->Cells(0, 1), "4015");
}

namespace {

// An application's editor: a plain edit.
class TTestLink : public TEditLink {
public:
    using TEditLink::TEditLink;
    TEdit* Edit = nullptr;
    void CreateEditor(TWinControl* AParent) override
    {
        if (!Edit) {
            Edit = new TEdit(this);
            Edit->OnKeyDown = [this](TObject* s, Word& k, TShiftState sh) { EditKeyDown(s, k, sh); };
            // As the application binds it: leaving the control ends the edit.
            Edit->OnExit = [this](TObject* s) { EditExit(s); };
        }
        Edit->SetParent(AParent);
    }
    TWinControl* GetEditControl() override { return Edit; }
    AnsiString GetEditorValue() override { return Edit->Text(); }
    void SetEditorValue(const AnsiString& S) override { Edit->SetText(S); }
};

} // namespace

TEST_F(GridEdit, EditLinksStoreOnEnterAndRestoreOnEscape)
{
    auto* link = new TTestLink(&form);
    g->SetEditLink(link);
    EditorType(edCustom);
    g->Navigation()->SetAdvanceOnEnter(true);
    g->SetCellEx(0, 1, "before");
    Press(VK_F2);
    ASSERT_TRUE(link->Edit->Visible());
    ASSERT_TRUE(link->Edit->Focused());
    EXPECT_EQ(link->Edit->Text(), "before");
    link->Edit->SetText("after");
    Press(VK_RETURN);
    EXPECT_EQ(g->Cells(0, 1), "after");
    EXPECT_EQ(g->Col(), 1);
    Press(VK_F2);
    link->Edit->SetText("dropped");
    Press(VK_ESCAPE);
    EXPECT_EQ(g->Cells(1, 1), "");
    EXPECT_TRUE(g->Focused());
    // A cell with a text gets that text back, whatever was typed over it.
    g->SetCellEx(1, 1, "kept");
    Press(VK_F2);
    ASSERT_TRUE(link->Edit->Focused());
    link->Edit->SetText("dropped");
    Press(VK_ESCAPE);
    EXPECT_EQ(g->Cells(1, 1), "kept");
    EXPECT_FALSE(link->Edit->Visible());
    // Down stores the value and moves on.
    Press(VK_F2);
    link->Edit->SetText("stored");
    Press(VK_DOWN);
    EXPECT_EQ(g->Cells(1, 1), "stored");
    EXPECT_EQ(g->Row(), 2);
}

TEST_F(GridEdit, TypingOnAReadOnlyGridJumpsToTheRowThatStartsWithIt)
{
    g->SetOptions(g->Options() & ~goEditing);
    g->Navigation()->SetAutoGotoWhenSorted(true);
    g->Navigation()->SetAutoGotoIncremental(true);
    g->SetRowCountEx(5);
    const char* names[] = {"", "apple", "banana", "abc", "Abd"};
    for (int r = 1; r < 5; ++r)
        g->SetCellEx(1, r, names[r]);
    Type("b");
    EXPECT_EQ(g->Row(), 2);
    Type("\b");
    Type("a");
    EXPECT_EQ(g->Row(), 1);
    Type("b");
    EXPECT_EQ(g->SearchText(), "ab");
    EXPECT_EQ(g->Row(), 3);
    Type("d");
    EXPECT_EQ(g->Row(), 4);
    Press(VK_DOWN); // navigation empties the search text
    EXPECT_EQ(g->SearchText(), "");
}

TEST_F(GridEdit, RichTextCellsStoreTypedTextAsRtfAndLinksShowTheHand)
{
    EditorType(edRichEdit);
    Type("plain");
    EXPECT_TRUE(g->InplaceRichEdit()->Visible());
    // Down leaves a single-line cell: the text is stored as RTF and the cursor moves on.
    Press(VK_DOWN);
    EXPECT_FALSE(g->InplaceRichEdit()->Visible());
    EXPECT_TRUE(IsRtfText(g->Cells(0, 1)));
    EXPECT_EQ(ContentPlainText(RtfToContent(g->Cells(0, 1))), "plain");
    EXPECT_EQ(g->Row(), 2);
    g->SetURLShow(true);
    g->SetCellEx(1, 2, "http://example.com");
    const TRect r = g->CellRect(1, 2), o = g->CellRect(2, 2);
    TestInput::MouseMove(g, r.Left + 4, r.Top + 4);
    EXPECT_EQ(g->Cursor(), crHandPoint);
    TestInput::MouseMove(g, o.Left + 4, o.Top + 4);
    EXPECT_EQ(g->Cursor(), crDefault);
}

TEST_F(GridEdit, EscapeGivesBackTheTextTheCellHadAndClosesTheEditor)
{
    g->SetCellEx(0, 1, "old");
    Type("new");
    EXPECT_EQ(g->Cells(0, 1), "new");
    Press(VK_ESCAPE);
    EXPECT_EQ(g->Cells(0, 1), "old");
    EXPECT_FALSE(EditorShown());
    EXPECT_FALSE(g->EditActive());
    // The next edit asks for the cell's editor again.
    EditorType(edSpinEdit);
    Press(VK_F2);
    EXPECT_TRUE(g->GridSpin()->Visible());
}

TEST_F(GridEdit, DoubleClicksSizeColumnsOnHeaderBordersAndReportCells)
{
    g->SetOptions(g->Options() | goColSizing);
    g->SetCellEx(1, 2, "a rather long cell text here");
    std::vector<std::string> ev;
    g->OnDblClickCell = [&](TObject*, int r, int c) { ev.push_back(std::to_string(c) + "," + std::to_string(r)); };
    const int before = g->ColWidths(1);
    const TRect h = g->CellRect(1, 0);
    TestInput::DblClick(g, h.Right - 1, h.Top + 5);
    EXPECT_GT(g->ColWidths(1), before);
    EXPECT_TRUE(ev.empty());
    const TRect c = g->CellRect(2, 2);
    TestInput::DblClick(g, c.Left + 10, c.Top + 5);
    EXPECT_EQ(ev, std::vector<std::string>{"2,2"});
}

TEST_F(GridEdit, HeaderClicksSelectWholeColumnsAndDragsExtendThem)
{
    g->MouseActions()->SetColSelect(true);
    const TRect h1 = g->CellRect(1, 0), h2 = g->CellRect(2, 0);
    TestInput::MouseDown(g, h1.Left + 10, h1.Top + 5);
    EXPECT_EQ(g->Selection(), (TGridRect{1, 1, 1, 3}));
    TestInput::MouseMove(g, h2.Left + 10, h2.Top + 5, ssLeft);
    TestInput::MouseUp(g, h2.Left + 10, h2.Top + 5);
    EXPECT_EQ(g->Selection(), (TGridRect{1, 1, 2, 3}));
}

TEST_F(GridEdit, CheckBoxAndDateEditors)
{
    EditorType(edCheckBox);
    g->SetCellEx(0, 1, "Enabled");
    Press(VK_F2);
    TGridCheckBox* cb = g->GridCheckBox();
    ASSERT_TRUE(cb->Visible());
    EXPECT_EQ(cb->Caption(), "Enabled");
    EXPECT_FALSE(cb->Checked());
    Press(VK_SPACE); // toggles once and stays
    EXPECT_TRUE(cb->Checked());
    TestInput::Click(cb);
    EXPECT_FALSE(cb->Checked());
    EXPECT_TRUE(cb->Visible());
    Press(VK_ESCAPE); // no exit key for a check box
    EXPECT_TRUE(cb->Visible());
    Press(VK_DOWN);
    EXPECT_FALSE(cb->Visible());
    EXPECT_EQ(g->Row(), 2);
    EXPECT_EQ(g->Cells(0, 1), "Enabled");

    EditorType(edDateEdit);
    g->SetCellEx(0, 2, DateToStr(EncodeDate(2026, 3, 4)));
    Press(VK_F2);
    TGridDatePicker* dp = g->GetDateTimePicker();
    ASSERT_TRUE(dp->Visible());
    EXPECT_EQ(dp->Date(), EncodeDate(2026, 3, 4));
    dp->SetDate(EncodeDate(2026, 5, 6));
    Press(VK_RETURN);
    EXPECT_FALSE(dp->Visible());
    EXPECT_EQ(g->Cells(0, 2), DateToStr(EncodeDate(2026, 5, 6)));
}

TEST_F(GridEdit, DraggingAColumnLineShowsTheNewWidth)
{
    g->SetOptions(g->Options() | goColSizing);
    g->SetHintShowSizing(true);
    const TRect h = g->CellRect(1, 0);
    TestInput::MouseDown(g, h.Right - 1, h.Top + 5);
    TestInput::MouseMove(g, h.Right + 19, h.Top + 5, ssLeft);
    ASSERT_NE(g->SizingHintWindow(), nullptr);
    EXPECT_TRUE(g->SizingHintWindow()->Visible());
    EXPECT_EQ(g->SizingHintWindow()->Caption(), "cw=<b>" + std::to_string(h.Width() + 20) + "</b>");
    TestInput::MouseUp(g, h.Right + 19, h.Top + 5);
    EXPECT_FALSE(g->SizingHintWindow()->Visible());
}

TEST_F(GridEdit, ClickingAnotherControlValidatesTheEditBeforeTheGridsExit)
{
    std::vector<std::string> ev;
    g->OnCellValidate = [&](TObject*, int c, int r, AnsiString& v, bool&) {
        ev.push_back("validate " + std::to_string(c) + "," + std::to_string(r) + " " + v);
    };
    g->OnExit = [&](TObject*) { ev.push_back("exit " + std::string(g->Cells(0, 1))); };
    Type("5");
    TestInput::Click(other);
    EXPECT_TRUE(other->Focused());
    EXPECT_EQ(ev, (std::vector<std::string>{"validate 0,1 5", "exit 5"}));
}

TEST_F(GridEdit, TabAndHomeEndMoveByCellAndByRow)
{
    g->SetOptions(g->Options() | goTabs);
    Type("a");
    Press(VK_TAB);
    EXPECT_EQ(g->Cells(0, 1), "a");
    EXPECT_EQ(g->Col(), 1);
    EXPECT_FALSE(EditorShown());
    g->MoveColRow(3, 1, true, true);
    Press(VK_TAB); // past the last column: the next row
    EXPECT_EQ(g->Col(), 0);
    EXPECT_EQ(g->Row(), 2);
    Press(VK_TAB, ssShift);
    EXPECT_EQ(g->Col(), 3);
    EXPECT_EQ(g->Row(), 1);
    g->Navigation()->SetHomeEndKey(heFirstLastRow);
    Press(VK_END);
    EXPECT_EQ(g->Row(), 3);
    EXPECT_EQ(g->Col(), 3);
    Press(VK_HOME);
    EXPECT_EQ(g->Row(), 1);
}

TEST_F(GridEdit, EachEditEndsWithOneOnEditingDone)
{
    int done = 0;
    g->OnEditingDone = [&](TObject*) { ++done; };
    Type("1");
    Press(VK_DOWN);
    EXPECT_EQ(done, 1);
    g->AddComboString("A");
    EditorType(edComboList);
    Press(VK_F2);
    Press(VK_RETURN);
    EXPECT_EQ(done, 2);
    Press(VK_F2);
    TestInput::Click(other);
    EXPECT_EQ(done, 3);
}

// Every editor type opens its own editor on the cell and gives the value back on Enter.
TEST_F(GridEdit, EachEditorTypeOpensItsEditorAndWritesBack)
{
    const AnsiString date = DateToStr(EncodeDate(2026, 7, 8));
    const AnsiString time = TimeToStr(EncodeTime(10, 20, 30, 0));
    const struct {
        TEditorType type;
        AnsiString cell;
        int editor; // 0 text editor, 1 spin, 2 combo, 3 edit button, 4 date picker, 5 unit edit
        AnsiString back;
    } cases[] = {
        {edNormal, "a b", 0, "a b"},           {edPassword, "pw", 0, "pw"},
        {edMixedCase, "x", 0, "x"},            {edSpinEdit, "12", 1, "12"},
        {edFloatSpinEdit, "1.5", 1, "1.50"},   {edTimeSpinEdit, time, 1, time},
        {edDateSpinEdit, date, 1, date},       {edComboEdit, "free", 2, "free"},
        {edEditBtn, "e", 3, "e"},              {edFloatEditBtn, "2.5", 3, "2.5"},
        {edDateEditUpDown, date, 4, date},     {edTimeEdit, time, 4, time},
        {edUnitEditBtn, "3 V", 5, "3 V"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.type));
        EditorType(c.type);
        g->SetCellEx(0, 1, c.cell);
        g->MoveColRow(0, 1, true, true);
        if (!g->Focused())
            g->SetFocus();
        Press(VK_F2);
        TWinControl* shown[] = {g->GetInplaceEditor(), g->GridSpin(),      g->GridCombo(),
                                g->GridEditBtn(),      g->GetDateTimePicker(), g->GridUnitEditBtn()};
        ASSERT_TRUE(shown[c.editor] && shown[c.editor]->Visible());
        EXPECT_TRUE(shown[c.editor]->Focused());
        Press(VK_RETURN);
        EXPECT_FALSE(shown[c.editor]->Visible());
        EXPECT_EQ(g->Cells(0, 1), c.back);
    }
    // A push button shows the cell's text and Escape leaves it as it was.
    EditorType(edButton);
    g->SetCellEx(0, 1, "Press");
    Press(VK_F2);
    ASSERT_TRUE(g->GridButton()->Visible());
    EXPECT_EQ(g->GridButton()->Caption(), "Press");
    Press(VK_ESCAPE);
    EXPECT_FALSE(g->GridButton()->Visible());
    EXPECT_EQ(g->Cells(0, 1), "Press");
    // A data check box opens nothing.
    EditorType(edDataCheckBox);
    Press(VK_F2);
    EXPECT_FALSE(EditorShown());
}

TEST_F(GridEdit, DisjunctCellSelectionByCtrlClicks)
{
    g->SetOptions(g->Options() & ~goEditing);
    g->MouseActions()->SetDisjunctCellSelect(true);
    auto click = [this](int c, int r, TShiftState s) {
        const TRect R = g->CellRect(c, r);
        TestInput::MouseDown(g, R.Left + 5, R.Top + 5, mbLeft, s);
        TestInput::MouseUp(g, R.Left + 5, R.Top + 5, mbLeft, s);
    };
    click(1, 1, 0);
    click(2, 2, ssCtrl);
    click(3, 3, ssCtrl);
    EXPECT_EQ(g->SelectedCellsCount(), 3);
    click(2, 2, ssCtrl); // a listed cell leaves the list
    EXPECT_FALSE(g->GetSelectedCells(2, 2));
    EXPECT_EQ(g->SelectedCellsCount(), 2);
    click(0, 3, 0); // a plain click leaves only itself
    EXPECT_EQ(g->SelectedCellsCount(), 1);
    EXPECT_TRUE(g->GetSelectedCells(0, 3));
}

// A handler of the choice that moves the focus away: the cell keeps the choice and the
// grid's exit follows, as the program's step table does it.
TEST_F(GridEdit, AChoiceHandlerThatMovesTheFocusKeepsTheChoice)
{
    for (const char* s : {"Cs-Rs", "Cp-D", "DCR"})
        g->AddComboString(s);
    EditorType(edComboList);
    g->SetCellEx(1, 1, "Cs-Rs");
    std::vector<std::string> ev;
    g->OnComboChange = [&](TObject*, int, int r, int, const AnsiString& s) {
        ev.push_back("choice " + std::string(s));
        g->SetCellEx(2, r, "cleared by " + s);
        other->SetFocus();
    };
    g->OnExit = [&](TObject*) { ev.push_back("exit " + std::string(g->Cells(1, 1))); };
    g->SetCol(1);
    Press(VK_F2);
    ASSERT_TRUE(g->GridCombo()->Focused());
    Press(VK_DOWN);
    EXPECT_TRUE(other->Focused());
    EXPECT_FALSE(g->GridCombo()->Visible());
    EXPECT_EQ(g->Cells(1, 1), "Cp-D");
    EXPECT_EQ(g->Cells(2, 1), "cleared by Cp-D");
    EXPECT_EQ(ev, (std::vector<std::string>{"choice Cp-D", "exit Cp-D"}));
    // Back on the cell, the wheel chooses the same way.
    ev.clear();
    g->SetFocus();
    Press(VK_F2);
    ASSERT_TRUE(g->GridCombo()->Visible());
    TestInput::Wheel(g->GridCombo(), -1);
    EXPECT_EQ(g->Cells(1, 1), "DCR");
    EXPECT_EQ(ev, (std::vector<std::string>{"choice DCR", "exit DCR"}));
}

TEST_F(GridEdit, PictureOfTheUnitAndSpinEditors)
{
    g->SetColWidths(0, 120);
    g->SetColWidths(1, 120);
    EditorType(edUnitEditBtn);
    g->SetCellEx(0, 1, "10 kHz");
    Press(VK_F2);
    ASSERT_TRUE(SaveControlToPng(g, TestOutputPath("grid_unit_editor.png")));
    Press(VK_RETURN);
    EditorType(edSpinEdit);
    g->SetCellEx(1, 1, "42");
    g->MoveColRow(1, 1, true, true);
    Press(VK_F2);
    ASSERT_TRUE(SaveControlToPng(g, TestOutputPath("grid_spin_editor.png")));
}

// Enter in a cell's editor leaves the cell once: the focus stays inside the grid, so the
// grid is neither left nor clicked twice, whatever the editor.
TEST_F(GridEdit, EnterInAnEditorMovesOnOnceWithoutLeavingTheGrid)
{
    TNavigation* nav = g->Navigation();
    nav->SetAlwaysEdit(true);
    nav->SetAdvanceOnEnter(true);
    nav->SetAdvanceDirection(adLeftRight);
    int downs = 0, exits = 0, clicks = 0;
    g->OnKeyDown = [&](TObject*, Word& k, TShiftState) { downs += k == VK_RETURN; };
    g->OnExit = [&](TObject*) { ++exits; };
    g->OnClick = [&](TObject*) { ++clicks; };
    for (TEditorType t : {edNormal, edFloat, edComboList, edSpinEdit}) {
        EditorType(t);
        g->ClearComboString();
        g->AddComboString("1");
        g->MoveColRow(0, 1, true, true);
        g->ShowInplaceEdit();
        downs = exits = clicks = 0;
        Type("1");
        Press(VK_RETURN);
        EXPECT_EQ(downs, 1) << int(t);
        EXPECT_EQ(exits, 0) << int(t);
        EXPECT_EQ(clicks, 1) << int(t);
        EXPECT_EQ(g->Col(), 1) << int(t);
    }
}
