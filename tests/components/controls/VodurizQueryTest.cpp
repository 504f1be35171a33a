// The typed input dialog, answered through the modal script like a user at the dialog.
#include <gtest/gtest.h>

#include "components/controls/Voduriz.h"
#include "components/controls/VodurizQuery.h"
#include "platform/core/FormatSettings.h"
#include "platform/forms/Button.h"
#include "platform/forms/Form.h"
#include "platform/forms/ModalScript.h"
#include "platform/forms/Render.h"
#include "platform/forms/TestInput.h"
#include "tests/support/TestOutput.h"

namespace {

template <class T>
T* Find(TCustomForm* f)
{
    for (int i = 0; i < f->ControlCount(); ++i)
        if (auto* c = dynamic_cast<T*>(f->Controls(i)))
            return c;
    return nullptr;
}

TButton* ButtonNamed(TCustomForm* f, const char* caption)
{
    for (int i = 0; i < f->ControlCount(); ++i)
        if (auto* b = dynamic_cast<TButton*>(f->Controls(i)); b && b->Caption() == caption)
            return b;
    return nullptr;
}

// Runs the dialog; Act plays the user on the shown form.
bool Ask(TVodUrizType type, const TQueryParams* p, AnsiString& value, std::function<void(TCustomForm*, TVodUriz*)> Act,
         AnsiString* opened = nullptr)
{
    TModalAnswer a;
    a.Result = mrCancel;
    a.Action = [&](TCustomForm* f) {
        f->Show();
        TestInput::ProcessEvents();
        TVodUriz* e = Find<TVodUriz>(f);
        if (opened)
            *opened = e->GetText();
        Act(f, e);
        TestInput::ProcessEvents();
    };
    ModalScript::Answer(a);
    return RavInputQuery(type, p, "Value", "Enter a value:", value);
}

struct InputQuery : ::testing::Test {
    void SetUp() override
    {
        FormatSettings.DecimalSeparator = '.';
        FormatSettings.ThousandSeparator = ',';
    }
};

TEST_F(InputQuery, OkReturnsTheTypedValueWithoutAffixes)
{
    TQueryParams p;
    p.Precision = 2;
    p.Prefix = "$";
    p.Suffix = " V";
    AnsiString value = "3", opened;
    const bool ok = Ask(etFloat, &p, value, [](TCustomForm* f, TVodUriz* e) {
        EXPECT_EQ(e->WindowText(), "$3.00 V");
        EXPECT_TRUE(e->Focused());
        TestInput::PressKey(e, VK_HOME);
        TestInput::TypeText(e, "1");
        TestInput::Click(ButtonNamed(f, "OK"));
    }, &opened);
    EXPECT_TRUE(ok);
    EXPECT_EQ(opened, "3.00");
    EXPECT_EQ(value, "13.00");
    // The dialog's request shows its caption.
    EXPECT_EQ(ModalScript::LastRequest().Caption, "Value");
}

TEST_F(InputQuery, EnterConfirmsAndEscapeCancels)
{
    const std::pair<Word, bool> keys[] = {{VK_RETURN, true}, {VK_ESCAPE, false}};
    for (const auto& [key, confirmed] : keys) {
        AnsiString value = "7";
        const bool ok = Ask(etNumeric, nullptr, value, [k = key](TCustomForm*, TVodUriz* e) {
            TestInput::PressKey(e, VK_END);
            TestInput::TypeText(e, "12");
            TestInput::PressKey(e, k);
        });
        EXPECT_EQ(ok, confirmed) << key;
        EXPECT_EQ(value, confirmed ? "712" : "7") << key;
    }
}

TEST_F(InputQuery, OpensWithTheValueFittedToTheType)
{
    AnsiString value = "abc", opened;
    TVodUriz* seen = nullptr;
    EXPECT_FALSE(Ask(etNumeric, nullptr, value, [&](TCustomForm* f, TVodUriz* e) {
        seen = e;
        EXPECT_EQ(e->Prefix(), "");
        EXPECT_FALSE(e->Flat());
        EXPECT_EQ(e->LengthLimit(), 0);
        SaveControlToPng(f, TestOutputPath("input-query.png"));
        TestInput::Click(ButtonNamed(f, "Cancel"));
    }, &opened));
    EXPECT_EQ(opened, "0");
    EXPECT_EQ(value, "abc");
}

} // namespace
