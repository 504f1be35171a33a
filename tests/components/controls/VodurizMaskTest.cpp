// The mask edit with the typed edit's look: mask completion, Enter as Tab, Escape undo,
// colours and the attached label.
#include <gtest/gtest.h>

#include <memory>

#include "components/controls/VodurizMask.h"
#include "platform/forms/Button.h"
#include "platform/forms/Form.h"
#include "platform/forms/Render.h"
#include "platform/forms/TestInput.h"
#include "tests/support/TestOutput.h"

namespace {

struct MaskEdit : ::testing::Test {
    std::unique_ptr<TForm> form;
    TRavMaskEdit* edit = nullptr;
    TRavMaskEdit* next = nullptr;
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 300, 160);
        edit = Make(30);
        next = Make(80);
        form->Show();
        TestInput::ProcessEvents();
    }
    TRavMaskEdit* Make(int top)
    {
        auto* e = new TRavMaskEdit(form.get());
        e->SetParent(form.get());
        e->SetBounds(90, top, 120, 22);
        return e;
    }
    void Focus(TWinControl* c)
    {
        c->SetFocus();
        TestInput::ProcessEvents();
    }
};

TEST_F(MaskEdit, CompleteMaskMovesOnUnlessRefused)
{
    for (bool accept : {true, false}) {
        edit->SetEditMask("000-000;1;_");
        edit->SetText("");
        AnsiString seen;
        edit->OnMaskComplete = [&](TObject*, const AnsiString& v, bool& a) {
            seen = v;
            a = accept;
        };
        Focus(edit);
        TestInput::TypeText(edit, "12345");
        EXPECT_EQ(seen, "");
        TestInput::TypeText(edit, "6");
        TestInput::ProcessEvents();
        EXPECT_EQ(seen, "123-456");
        EXPECT_EQ(next->Focused(), accept);
    }
}

TEST_F(MaskEdit, EnterActsAsTab)
{
    Focus(edit);
    TestInput::PressKey(edit, VK_RETURN);
    TestInput::ProcessEvents();
    EXPECT_TRUE(next->Focused());
    next->ReturnIsTab = false;
    TestInput::PressKey(next, VK_RETURN);
    TestInput::ProcessEvents();
    EXPECT_TRUE(next->Focused());
}

TEST_F(MaskEdit, EscapeUndoesOnlyWithRightAlignment)
{
    auto* cancel = new TButton(form.get());
    cancel->SetParent(form.get());
    cancel->SetBounds(10, 120, 60, 22);
    cancel->SetCancel(true);
    int cancels = 0;
    cancel->OnClick = [&](TObject*) { ++cancels; };
    edit->CanUndo = true;
    edit->SetText("abc");
    struct Case {
        TAlignment align;
        const char* after;
        int cancels;
    };
    const Case cases[] = {{taLeftJustify, "abcx", 1}, {taRightJustify, "abc", 1}};
    for (const Case& c : cases) {
        cancels = 0;
        edit->SetText("abc");
        edit->SetAlignment(c.align);
        Focus(next);
        Focus(edit);
        TestInput::PressKey(edit, VK_END);
        TestInput::TypeText(edit, "x");
        TestInput::PressKey(edit, VK_ESCAPE);
        TestInput::ProcessEvents();
        EXPECT_EQ(edit->Text(), c.after) << c.align;
        EXPECT_EQ(cancels, c.cancels) << c.align;
    }
}

TEST_F(MaskEdit, ColoursFollowFocusModifiedAndEnabling)
{
    edit->FocusColor = clYellow;
    edit->FocusFontColor = clNavy;
    edit->ShowModified = true;
    Focus(next);
    Focus(edit);
    EXPECT_EQ(edit->Color(), clYellow);
    EXPECT_EQ(edit->Font()->Color(), clNavy);
    TestInput::TypeText(edit, "a");
    EXPECT_EQ(edit->Font()->Color(), clRed);
    Focus(next);
    EXPECT_EQ(edit->Color(), clWindow);
    edit->SetEnabled(false);
    EXPECT_EQ(edit->Color(), clSilver);
    edit->SetEnabled(true);
    EXPECT_EQ(edit->Color(), clWindow);
    // Switching the flat look off always gives the window colour.
    edit->SetFlat(true);
    edit->SetColorEx(clAqua);
    edit->SetFlat(false);
    EXPECT_EQ(edit->Color(), clWindow);
}

TEST_F(MaskEdit, LabelFollowsExceptCentredPositions)
{
    edit->SetLabelCaption("Date");
    const int left = edit->EditLabel()->Left();
    EXPECT_LT(left + edit->EditLabel()->Width(), edit->Left());
    edit->SetLabelPosition(lpTopCenter);
    EXPECT_EQ(edit->EditLabel()->Left(), left);
    edit->SetLabelPosition(lpTopLeft);
    EXPECT_EQ(edit->EditLabel()->Left(), edit->Left());
    EXPECT_LT(edit->EditLabel()->Top(), edit->Top());
    edit->SetVisible(false);
    EXPECT_FALSE(edit->EditLabel()->Visible());
    EXPECT_EQ(edit->Version(), "2.7.0.5");
}

} // namespace
