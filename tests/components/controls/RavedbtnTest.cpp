// The edit with button, the unit edit and the directory edit, driven like a user.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "components/controls/Ravdirectoryedit.h"
#include "platform/core/FileUtils.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Form.h"
#include "platform/forms/ModalScript.h"
#include "platform/forms/TestInput.h"
#include "tests/support/TestOutput.h"

namespace fs = std::filesystem;

namespace {

struct EditWithButton : ::testing::Test {
    std::unique_ptr<TForm> form;
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 320, 160);
        form->Show();
    }
    template <class T>
    T* Make(int top)
    {
        auto* e = new T(form.get());
        e->SetParent(form.get());
        e->SetBounds(20, top, 160, 24);
        TestInput::ProcessEvents();
        return e;
    }
};

TEST_F(EditWithButton, ButtonAndF4RaiseOnClickBtn)
{
    auto* e = Make<TVodUrizBtn>(20);
    int clicks = 0;
    e->OnClickBtn = [&](TObject* s) {
        EXPECT_EQ(s, e);
        ++clicks;
    };
    TRavSpeedButton* b = e->ButtonHost()->Button();
    TestInput::Click(b);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(e->Focused()); // the click gives the edit the focus
    TestInput::Click(b, -1, -1, mbRight);
    EXPECT_EQ(clicks, 1);
    TestInput::PressKey(e, VK_F4);
    EXPECT_EQ(clicks, 2);
    TestInput::PressKey(e, VK_F4, ssAlt);
    TestInput::PressKey(e, VK_F4, ssCtrl);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(e->GetVersion(), "1.3.0.1");
}

TEST_F(EditWithButton, ButtonWidthSetsTheTextArea)
{
    auto* e = Make<TVodUrizBtn>(20);
    e->SetButtonWidth(24);
    EXPECT_EQ(e->ButtonHost()->Width(), 24);
    EXPECT_EQ(e->ButtonHost()->Button()->Width(), 24);
    EXPECT_EQ(e->ClientWidth() - e->TextRight(), 28);
    EXPECT_EQ(e->TextMargins().Right, 28);
    e->ButtonHost()->SetWidth(40);
    EXPECT_EQ(e->ButtonHost()->Width(), 24);
    auto* u = Make<TUnitVodUrizBtn>(60);
    EXPECT_EQ(u->ClientWidth() - u->TextRight(), 16 + 20 + 4);
}

TEST_F(EditWithButton, TooLowGrowsToTheFontsHeight)
{
    auto* e = Make<TVodUrizBtn>(20);
    e->Font()->SetSize(8);
    e->SetHeight(12);
    EXPECT_GT(e->Height(), 12);
    const int grown = e->Height();
    e->SetHeight(grown + 10);
    EXPECT_EQ(e->Height(), grown + 10);
}

TEST_F(EditWithButton, EditorOffBlocksPasteAndCutNotTyping)
{
    auto* e = Make<TVodUrizBtn>(20);
    e->SetEditorEnabled(false);
    Clipboard()->SetAsText("pasted");
    e->SetFocus();
    TestInput::TypeText(e, "ab");
    TestInput::PressKey(e, 'V', ssCtrl);
    TestInput::PressKey(e, VK_INSERT, ssShift);
    EXPECT_EQ(e->GetText(), "ab");
    TestInput::PressKey(e, VK_HOME, ssShift);
    TestInput::PressKey(e, 'X', ssCtrl);
    EXPECT_EQ(e->GetText(), "ab");
    e->SetEditorEnabled(true);
    TestInput::PressKey(e, VK_END);
    TestInput::PressKey(e, 'V', ssCtrl);
    EXPECT_EQ(e->GetText(), "abpasted");
}

TEST_F(EditWithButton, UnitMenuChoosesTheUnit)
{
    auto* e = Make<TUnitVodUrizBtn>(20);
    e->Units()->SetCommaText("mV,V");
    AnsiString changed;
    e->OnUnitChanged = [&](TObject*, const AnsiString& u) { changed = u; };
    TestInput::Click(e->ButtonHost()->Button());
    ASSERT_TRUE(e->UnitMenu());
    ASSERT_EQ(e->UnitMenu()->Items()->Count(), 2);
    e->UnitMenu()->Items()->Items(1)->Click();
    EXPECT_EQ(e->UnitID(), "V");
    EXPECT_EQ(changed, "V");
}

struct DirectoryEdit : EditWithButton {
    fs::path dir;
    void SetUp() override
    {
        EditWithButton::SetUp();
        dir = fs::path(TestOutputPath("diredit"));
        fs::create_directories(dir / "sub");
        ModalScript::ClearLog();
    }
};

TEST_F(DirectoryEdit, BrowserStartsOnTheValueOrTheCurrentFolder)
{
    auto* e = Make<TRavDirectoryEdit>(20);
    const std::pair<AnsiString, AnsiString> cases[] = {
        {"", GetCurrentDir()},
        {(dir / "sub").string() + "/", (dir / "sub").string()},
    };
    for (const auto& [value, start] : cases) {
        e->SetText(value);
        ModalScript::AnswerCancel();
        e->SetModified(false);
        e->ClickButton();
        EXPECT_EQ(ModalScript::LastRequest().Value, start);
        EXPECT_EQ(ModalScript::LastRequest().Caption, "Select Directory");
        EXPECT_EQ(e->GetText(), value); // cancelled: nothing changes
        EXPECT_FALSE(e->GetModified());
    }
    e->AllowNewFolder = false;
    ModalScript::AnswerCancel();
    e->SetFocus();
    TestInput::ProcessEvents();
    TestInput::PressKey(e, VK_F4, ssShift);
    EXPECT_EQ(ModalScript::LastRequest().Flags, sdNoNewFolder);
}

TEST_F(DirectoryEdit, ChosenFolderBecomesTheValue)
{
    auto* e = Make<TRavDirectoryEdit>(20);
    e->SetText(dir.string());
    ModalScript::AnswerFile(dir.string());
    e->ClickButton();
    EXPECT_FALSE(e->GetModified()); // the folder already shown changes nothing
    ModalScript::AnswerFile((dir / "sub").string());
    TestInput::Click(e->ButtonHost()->Button());
    EXPECT_EQ(e->GetText(), (dir / "sub").string());
    EXPECT_TRUE(e->GetModified());
}

TEST_F(DirectoryEdit, ValidWhileTheFolderExists)
{
    auto* e = Make<TRavDirectoryEdit>(20);
    e->SetText(dir.string());
    EXPECT_TRUE(e->IsValidDirectory());
    EXPECT_FALSE(e->GetError());
    e->SetText((dir / "missing").string());
    EXPECT_FALSE(e->IsValidDirectory());
    EXPECT_TRUE(e->GetError());
}

TEST(DirectoryBrowser, SitsBesideTheControl)
{
    struct Case {
        TPoint q;
        TPoint at;
    };
    // A 300 x 200 browser, a 1024 x 768 screen, a 24-pixel control.
    const Case cases[] = {
        {{100, 100}, {100, 100}},
        {{900, 100}, {600, 100}},
        {{100, 700}, {100, 476}},
        {{900, 700}, {600, 476}},
    };
    for (const Case& c : cases) {
        const TPoint p = TRavDirectoryEdit::BrowserPosition(c.q, 300, 200, 1024, 768, 24);
        EXPECT_EQ(p.x, c.at.x);
        EXPECT_EQ(p.y, c.at.y);
    }
}

} // namespace
