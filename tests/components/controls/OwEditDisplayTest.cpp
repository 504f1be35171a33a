// The bitmap and string list components, the display-style edits and the display panel.
#include <gtest/gtest.h>

#include <memory>

#include "components/controls/OwclassesProps.h"
#include "components/controls/Owdisplay.h"
#include "components/controls/Owedit.h"
#include "components/controls/Owsystem.h"
#include "platform/core/FormatSettings.h"
#include "platform/core/Strings.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/Form.h"
#include "platform/forms/Panel.h"
#include "platform/forms/Render.h"
#include "platform/forms/TestInput.h"
#include "platform/graphics/Canvas.h"
#include "tests/support/TestOutput.h"

namespace {

TEST(OwBitmapList, ClientsHearBeforeOnChange)
{
    TOwBitmapList list(nullptr);
    std::vector<AnsiString> order;
    TOwChangeLink link;
    link.OnChange = [&](TObject*) { order.push_back("client"); };
    list.InsertLink(&link);
    list.OnChange = [&](TObject*) { order.push_back("change"); };
    TBitmap b;
    b.SetSize(2, 2);
    list.Bitmaps()->Add(&b);
    EXPECT_EQ(order, (std::vector<AnsiString>{"client", "change"}));
    EXPECT_EQ(list.GetBitmap(-1), nullptr);
    EXPECT_EQ(list.GetBitmap(1), nullptr);
    EXPECT_EQ(list.GetBitmap(0), list.Bitmaps()->Bitmaps(0));
    TOwBitmaps* owned = list.Bitmaps();
    TOwBitmaps other;
    other.Add(&b);
    other.Add(&b);
    list.SetBitmaps(&other);
    EXPECT_EQ(list.Bitmaps(), owned);
    EXPECT_EQ(list.Bitmaps()->Count(), 2);
    list.RemoveLink(&link);
    TOwStringList s(nullptr);
    s.Strings()->Add("b");
    s.SetSorted(true);
    EXPECT_EQ(s.Count(), s.Strings()->Count());
    EXPECT_TRUE(s.Strings()->Sorted());
}

struct DisplayEdits : ::testing::Test {
    std::unique_ptr<TForm> form;
    TOwNumEdit* num = nullptr;
    TOwStrEdit* str = nullptr;
    void SetUp() override
    {
        FormatSettings.DecimalSeparator = '.';
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 300, 140);
        num = new TOwNumEdit(form.get());
        num->SetParent(form.get());
        num->SetBounds(10, 10, 120, 22);
        str = new TOwStrEdit(form.get());
        str->SetParent(form.get());
        str->SetBounds(10, 50, 120, 22);
        form->Show();
        TestInput::ProcessEvents();
    }
    void Focus(TWinControl* c)
    {
        c->SetFocus();
        TestInput::ProcessEvents();
    }
};

TEST_F(DisplayEdits, NumberEditTypesAndToggleTheSign)
{
    EXPECT_EQ(num->Color(), clBlack);
    EXPECT_EQ(num->Font()->Color(), clLime);
    Focus(num);
    TestInput::TypeText(num, "12.5x");
    EXPECT_EQ(num->Text(), "125");
    num->SetText("42");
    num->SetSelStart(2);
    TestInput::TypeText(num, "-");
    EXPECT_EQ(num->Text(), "-42");
    EXPECT_EQ(num->SelStart(), 3);
    TestInput::TypeText(num, "-");
    EXPECT_EQ(num->Text(), "42");
    num->SetMinValue(20000);
    EXPECT_EQ(num->MinValue(), 0.0);
}

TEST_F(DisplayEdits, MinusTogglesOnlyALeadingSign)
{
    Focus(num);
    num->SetText("5-"); // a minus that is not the sign is not deleted in its place
    num->SetSelStart(2);
    TestInput::TypeText(num, "-");
    EXPECT_EQ(num->Text(), "-5-");
    EXPECT_EQ(num->SelStart(), 3);
    num->SetText("-7");
    num->SetSelStart(0);
    TestInput::TypeText(num, "-");
    EXPECT_EQ(num->Text(), "7");
    EXPECT_EQ(num->SelStart(), 0);
}

TEST_F(DisplayEdits, PastesAreHeldToWhatTheKeysCouldType)
{
    const struct {
        int decimals;
        const char* before;
        int selStart, selLength;
        const char* clip;
        const char* after;
    } cases[] = {
        {0, "12", 2, 0, "34", "1234"},
        {0, "12", 2, 0, "5-", "12"},      // a minus not in front
        {0, "12", 0, 0, "-", "-12"},      // a leading sign
        {0, "12", 2, 0, "3.5", "12"},     // no decimals kept
        {2, "12", 2, 0, ".5", "12.5"},
        {2, "1.2", 3, 0, ".5", "1.2"},    // a second separator
        {0, "12", 0, 2, "abc", "12"},
        {0, "12", 0, 2, "99", "99"},      // over the selection
        {0, "12", 2, 0, "1e5", "12"},
    };
    Focus(num);
    for (const auto& c : cases) {
        num->SetDecimals(c.decimals);
        num->SetText(c.before);
        num->SetSelStart(c.selStart);
        num->SetSelLength(c.selLength);
        Clipboard()->SetAsText(c.clip);
        TestInput::PressKey(num, VK_INSERT, ssShift);
        EXPECT_EQ(num->Text(), c.after) << c.before << " + " << c.clip;
    }
    // The program's own paste is held to the same rule.
    num->SetText("1");
    num->SetSelStart(1);
    Clipboard()->SetAsText("x");
    num->PasteFromClipboard();
    EXPECT_EQ(num->Text(), "1");
}

TEST_F(DisplayEdits, ExitReformatsOrAsksOnError)
{
    num->SetDecimals(2);
    Focus(num);
    num->SetText("3.14159");
    Focus(str);
    EXPECT_EQ(num->Text(), "3.14");
    int errors = 0;
    num->OnError = [&](TObject*, bool& canExit) {
        ++errors;
        canExit = false;
    };
    Focus(num);
    num->SetText("10000");
    Focus(str);
    EXPECT_EQ(errors, 1);
    EXPECT_TRUE(num->Focused());
    EXPECT_EQ(num->Text(), "10000");
}

TEST_F(DisplayEdits, EscapeRestoresAndValidKeysFilter)
{
    num->RestoreOnEsc = true;
    num->SetText("7");
    Focus(str);
    Focus(num);
    TestInput::PressKey(num, VK_END);
    TestInput::TypeText(num, "12");
    TestInput::PressKey(num, VK_ESCAPE);
    EXPECT_EQ(num->Text(), "7");
    str->SetText("old");
    str->SetValidKeys("ABC");
    EXPECT_EQ(str->Text(), "");
    Focus(str);
    TestInput::TypeText(str, "aAbB");
    TestInput::PressKey(str, VK_BACK);
    EXPECT_EQ(str->Text(), "A");
}

TEST(OwDisplay, ShadowStepsAndChildrenStayInside)
{
    auto panel = std::make_unique<TPanel>(nullptr);
    panel->SetBounds(0, 0, 200, 130);
    auto* d = new TOwDisplay(panel.get());
    d->SetParent(panel.get());
    EXPECT_EQ(d->Width(), 150);
    auto* child = new TPanel(panel.get());
    child->SetParent(d);
    child->SetAlign(alClient);
    TRect inside = d->ClientRect();
    d->Bevel()->GetVisibleArea(inside);
    EXPECT_EQ(child->Left(), inside.Left);
    EXPECT_EQ(child->Width(), inside.Width());
    child->SetVisible(false);
    TBitmap b;
    RenderControl(d, &b);
    const TColor expected[] = {RGB(102, 119, 94), RGB(108, 125, 100), RGB(114, 132, 106), RGB(120, 138, 112),
                               RGB(126, 145, 118)};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(b.Canvas()->Pixels(inside.Left + i, inside.Top + 40), expected[i]) << i;
    EXPECT_EQ(b.Canvas()->Pixels(inside.Left + 5, inside.Top + 40), d->Color());
    SaveControlToPng(d, TestOutputPath("controls_display_panel.png"));
}

} // namespace
