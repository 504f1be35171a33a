// Keys arrive as Windows key codes in the order key-down, character, key-up; focus
// moves fire OnEnter/OnExit between controls of a form, not when a box opens.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFocusEvent>

#include "platform/forms/Application.h"
#include "platform/forms/Button.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Edit.h"
#include "platform/forms/FormsImpl_p.h"
#include "platform/forms/Label.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/Panel.h"
#include "platform/forms/TestInput.h"

namespace {

struct KeyForm : ::testing::Test {
    TForm form{nullptr};
    TEdit* edit = nullptr;
    TEdit* other = nullptr;
    std::vector<std::string> events;

    void SetUp() override
    {
        edit = new TEdit(&form);
        edit->SetParent(&form);
        other = new TEdit(&form);
        other->SetParent(&form);
        other->SetTop(30);
        edit->OnKeyDown = [this](TObject*, Word& k, TShiftState) { events.push_back("down " + std::to_string(k)); };
        edit->OnKeyPress = [this](TObject*, char& c) { events.push_back("char " + std::to_string(int(c))); };
        edit->OnKeyUp = [this](TObject*, Word& k, TShiftState) { events.push_back("up " + std::to_string(k)); };
        form.Show();
        edit->SetFocus();
    }
};

} // namespace

TEST_F(KeyForm, KeysArriveAsWindowsCodesInOrder)
{
    const struct {
        Word key;
        int ch; // 0: no character
    } cases[] = {
        {VK_RETURN, 13}, {VK_ESCAPE, 27}, {VK_F2, 0},       {VK_F3, 0},         {VK_LEFT, 0},
        {VK_RIGHT, 0},   {VK_UP, 0},      {VK_DOWN, 0},     {'0', '0'},         {'7', '7'},
        {VK_OEM_PERIOD, '.'}, {VK_NUMPAD0, '0'}, {VK_NUMPAD9, '9'}, {VK_DECIMAL, '.'}, {VK_BACK, 8},
        {VK_DELETE, 0},  {VK_SUBTRACT, '-'},
    };
    for (const auto& c : cases) {
        events.clear();
        TestInput::PressKey(edit, c.key);
        std::vector<std::string> want{"down " + std::to_string(c.key)};
        if (c.ch)
            want.push_back("char " + std::to_string(c.ch));
        want.push_back("up " + std::to_string(c.key));
        EXPECT_EQ(events, want) << "key " << c.key;
    }
}

TEST_F(KeyForm, TypedCharactersReachTheTextAndEachChangeFiresOnChange)
{
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->SetText("");
    changes = 0;
    TestInput::TypeText(edit, "12.5");
    EXPECT_EQ(edit->Text(), "12.5");
    EXPECT_EQ(changes, 4);
    EXPECT_TRUE(edit->Modified());
    edit->SetText("3");
    EXPECT_EQ(changes, 5);
    EXPECT_FALSE(edit->Modified());
}

TEST_F(KeyForm, ZeroingTheKeyStillDeliversTheCharacter)
{
    edit->SetText("");
    edit->OnKeyDown = [&](TObject*, Word& k, TShiftState) { k = 0; };
    char seen = 0;
    edit->OnKeyPress = [&](TObject*, char& c) { seen = c; };
    TestInput::PressKey(edit, '7');
    EXPECT_EQ(seen, '7');
    EXPECT_EQ(edit->Text(), "7");
}

TEST_F(KeyForm, ZeroingOrReplacingTheCharacterChangesWhatIsTyped)
{
    edit->SetText("");
    edit->OnKeyPress = [&](TObject*, char& c) {
        if (c == 'x')
            c = 0;
        else if (c == ',')
            c = '.';
    };
    TestInput::TypeText(edit, "1x,5");
    EXPECT_EQ(edit->Text(), "1.5");
}

TEST_F(KeyForm, AnExceptionInOnKeyPressStopsTheCharacter)
{
    edit->SetText("");
    edit->OnKeyPress = [&](TObject*, char& c) {
        if (c == 'x')
            throw Exception("no x here");
    };
    ModalScript::AnswerButton(IDOK); // the error's box
    TestInput::TypeText(edit, "1x2");
    EXPECT_EQ(edit->Text(), "12");
}

TEST_F(KeyForm, AltAndALetterClicksTheAcceleratorOfAGraphicControl)
{
    struct Accel : TGraphicControl {
        using TGraphicControl::TGraphicControl;
        int hits = 0;
        bool CMDialogChar(char Key) override
        {
            if (!Enabled() || std::toupper(static_cast<unsigned char>(Key)) != 'A')
                return false;
            ++hits;
            return true;
        }
    };
    auto* a = new Accel(&form);
    a->SetParent(&form);
    edit->SetText("");
    TestInput::PressKey(edit, 'A', ssAlt);
    TestInput::PressKey(edit, 'B', ssAlt);
    EXPECT_EQ(a->hits, 1);
    EXPECT_EQ(edit->Text(), ""); // Alt+letter types nothing
    EXPECT_EQ(std::count(events.begin(), events.end(), "down 65"), 1);
    EXPECT_EQ(std::count_if(events.begin(), events.end(), [](const std::string& e) { return e.rfind("char", 0) == 0; }), 0);
    a->SetEnabled(false);
    TestInput::PressKey(edit, 'A', ssAlt);
    EXPECT_EQ(a->hits, 1);
}

TEST_F(KeyForm, KeyPreviewLetsTheFormSeeKeysFirst)
{
    form.SetKeyPreview(true);
    form.OnKeyDown = [&](TObject*, Word& k, TShiftState) {
        events.push_back("form down " + std::to_string(k));
        if (k == VK_F2)
            k = 0;
    };
    TestInput::PressKey(edit, VK_F2);
    TestInput::PressKey(edit, VK_F3);
    EXPECT_EQ(events, (std::vector<std::string>{"form down 113", "up 113", "form down 114", "down 114", "up 114"}));
}

TEST_F(KeyForm, EnterClicksTheDefaultButtonInsteadOfReachingTheEdit)
{
    auto* ok = new TButton(&form);
    ok->SetParent(&form);
    ok->SetDefault(true);
    int clicks = 0;
    ok->OnClick = [&](TObject*) { ++clicks; };
    TestInput::PressKey(edit, VK_RETURN);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(events, (std::vector<std::string>{"up 13"}));
}

TEST_F(KeyForm, TabMovesTheFocusWithEnterAndExit)
{
    std::vector<std::string> seq;
    edit->OnExit = [&](TObject*) { seq.push_back("exit edit"); };
    other->OnEnter = [&](TObject*) { seq.push_back("enter other"); };
    TestInput::PressKey(edit, VK_TAB);
    EXPECT_EQ(form.ActiveControl(), other);
    EXPECT_EQ(seq, (std::vector<std::string>{"exit edit", "enter other"}));
    EXPECT_TRUE(std::find(events.begin(), events.end(), "down 9") == events.end());
}

TEST_F(KeyForm, KeysReachOnlyTheFocusedControlAndTheReleaseFollowsTheFocus)
{
    std::vector<std::string> seq;
    other->OnKeyDown = [&](TObject*, Word& k, TShiftState) { seq.push_back("other down " + std::to_string(k)); };
    other->OnKeyUp = [&](TObject*, Word& k, TShiftState) { seq.push_back("other up " + std::to_string(k)); };
    EXPECT_THROW(TestInput::PressKey(other, 'A'), EInvalidOperation); // a user cannot type there
    EXPECT_THROW(TestInput::TypeText(other, "a"), EInvalidOperation);
    TestInput::PressKey(edit, VK_TAB);
    EXPECT_EQ(seq, (std::vector<std::string>{"other up 9"}));
    EXPECT_EQ(events, (std::vector<std::string>{}));
}

TEST_F(KeyForm, OnExitDoesNotFireWhenAMessageBoxOpens)
{
    int exits = 0, enters = 0;
    edit->OnExit = [&](TObject*) { ++exits; };
    edit->OnEnter = [&](TObject*) { ++enters; };
    edit->OnKeyDown = [&](TObject*, Word& k, TShiftState) {
        if (k == VK_RETURN)
            ShowMessageBox("Value out of range", "Warning", MB_OK | MB_ICONWARNING);
    };
    ModalScript::AnswerButton(IDOK);
    TestInput::PressKey(edit, VK_RETURN);
    // A real box takes the window's focus and gives it back: no focus move between controls.
    QWidget* w = zvforms::ImplOf(edit)->widget;
    QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(w, &out);
    QFocusEvent in(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(w, &in);
    EXPECT_EQ(exits, 0);
    EXPECT_EQ(enters, 0);
    EXPECT_EQ(form.ActiveControl(), edit);
    // A real move to another control does fire it.
    other->SetFocus();
    EXPECT_EQ(exits, 1);
}

TEST_F(KeyForm, ClickingAnotherEditMovesTheFocus)
{
    int exits = 0;
    edit->OnExit = [&](TObject*) { ++exits; };
    QWidget* w = zvforms::ImplOf(other)->widget;
    QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(w, &in);
    EXPECT_EQ(form.ActiveControl(), other);
    EXPECT_EQ(exits, 1);
}

TEST(Focus, GraphicControlsNeverTakeTheFocus)
{
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->SetCaption("Click me");
    label->SetTop(40);
    int clicks = 0;
    label->OnClick = [&](TObject*) { ++clicks; };
    form.Show();
    edit->SetFocus();
    TestInput::Click(label);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(form.ActiveControl(), edit);
}

TEST(Focus, DisabledControlCannotBeFocused)
{
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    edit->SetEnabled(false);
    EXPECT_FALSE(edit->CanFocus());
    EXPECT_THROW(edit->SetFocus(), EInvalidOperation);
}

TEST(Focus, HidingOrDisablingTheFocusedControlsPanelLeavesItWithoutEnteringAnother)
{
    for (const bool hide : {true, false}) {
        TForm form(nullptr);
        auto* panel = new TPanel(&form);
        panel->SetParent(&form);
        auto* port = new TEdit(&form);
        port->SetParent(panel);
        auto* other = new TEdit(&form);
        other->SetParent(&form);
        other->SetTop(60);
        std::vector<std::string> seq;
        port->OnExit = [&](TObject*) { seq.push_back("exit port"); };
        panel->OnExit = [&](TObject*) { seq.push_back("exit panel"); };
        other->OnEnter = [&](TObject*) { seq.push_back("enter other"); };
        form.Show();
        port->SetFocus();
        if (hide)
            panel->Hide();
        else
            panel->SetEnabled(false);
        TestInput::ProcessEvents();
        EXPECT_EQ(seq, (std::vector<std::string>{"exit port", "exit panel"})) << hide;
        EXPECT_EQ(form.ActiveControl(), nullptr) << hide;
    }
}

// The control that is left hides or disables itself in its OnExit (a grid's editor closing):
// the focus goes where the program sent it, not to the next control of the window system.
TEST(Focus, AControlThatHidesItselfOnExitLeavesTheFocusWhereItWasSent)
{
    for (const bool hide : {true, false}) {
        TForm form(nullptr);
        auto* editor = new TEdit(&form);
        editor->SetParent(&form);
        auto* next = new TEdit(&form);
        next->SetParent(&form);
        next->SetTop(30);
        auto* panel = new TPanel(&form);
        panel->SetParent(&form);
        panel->SetTop(60);
        int nextEntered = 0;
        next->OnEnter = [&](TObject*) { ++nextEntered; };
        editor->OnExit = [&](TObject*) {
            if (hide)
                editor->Hide();
            else
                editor->SetEnabled(false);
        };
        form.Show();
        // An active window, whose focus the window system moves when its holder goes.
        zvforms::ImplOf(&form)->widget->window()->activateWindow();
        TestInput::ProcessEvents();
        editor->SetFocus();
        panel->SetFocus();
        TestInput::ProcessEvents();
        EXPECT_EQ(form.ActiveControl(), panel) << hide;
        EXPECT_EQ(nextEntered, 0) << hide;
        EXPECT_TRUE(zvforms::ImplOf(panel)->widget->hasFocus()) << hide;
    }
}

TEST(Focus, ChangingThePageByCodeMovesTheFocusOutOfTheOldPageToTheNewOne)
{
    TForm form(nullptr);
    auto* pc = new TPageControl(&form);
    pc->SetParent(&form);
    auto* first = new TTabSheet(&form);
    first->SetPageControl(pc);
    auto* second = new TTabSheet(&form);
    second->SetPageControl(pc);
    auto* edit = new TEdit(&form);
    edit->SetParent(first);
    int exits = 0;
    edit->OnExit = [&](TObject*) { ++exits; };
    form.Show();
    edit->SetFocus();
    pc->SetActivePage(second);
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(form.ActiveControl(), second);
}

TEST(Focus, ATestClickMovesTheFocusAsAUsersClickDoes)
{
    enum Target { OtherEdit, Button, Panel, EditInPanel, FocusedEdit };
    const struct {
        Target target;
        const char* active;
        std::vector<std::string> seq;
    } cases[] = {
        {OtherEdit, "other", {"exit edit", "enter other"}},
        {Button, "button", {"exit edit", "enter button", "click button"}},
        {Panel, "edit", {}},
        {EditInPanel, "inner", {"exit edit", "enter panel", "enter inner"}},
        {FocusedEdit, "edit", {}},
    };
    for (const auto& c : cases) {
        TForm form(nullptr);
        std::vector<std::string> seq;
        auto watch = [&](TWinControl* w, const char* name) {
            w->SetName(name);
            w->OnEnter = [&seq, name](TObject*) { seq.push_back(std::string("enter ") + name); };
            w->OnExit = [&seq, name](TObject*) { seq.push_back(std::string("exit ") + name); };
        };
        auto* edit = new TEdit(&form);
        edit->SetParent(&form);
        watch(edit, "edit");
        auto* other = new TEdit(&form);
        other->SetParent(&form);
        other->SetTop(30);
        watch(other, "other");
        auto* button = new TButton(&form);
        button->SetParent(&form);
        button->SetTop(60);
        watch(button, "button");
        button->OnClick = [&](TObject*) { seq.push_back("click button"); };
        auto* panel = new TPanel(&form);
        panel->SetParent(&form);
        panel->SetBounds(0, 100, 200, 80);
        watch(panel, "panel");
        auto* inner = new TEdit(&form);
        inner->SetParent(panel);
        inner->SetBounds(100, 10, 80, 21);
        watch(inner, "inner");
        form.Show();
        edit->SetFocus();
        seq.clear();
        TControl* targets[] = {other, button, panel, inner, edit};
        if (c.target == Panel)
            TestInput::Click(panel, 10, 10);
        else
            TestInput::Click(targets[c.target]);
        ASSERT_NE(form.ActiveControl(), nullptr) << c.target;
        EXPECT_EQ(form.ActiveControl()->Name(), c.active) << c.target;
        EXPECT_EQ(seq, c.seq) << c.target;
    }
}
