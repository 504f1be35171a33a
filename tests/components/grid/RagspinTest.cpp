// The spin edit with its repeating button pair, and the edit-with-button controls.
#include <gtest/gtest.h>

#include "components/grid/Ragedit.h"
#include "components/grid/Ragspin.h"
#include "platform/core/DateTime.h"
#include "platform/forms/Form.h"
#include "platform/forms/Render.h"
#include "platform/forms/TestInput.h"
#include "platform/win/Beep.h"

namespace {

struct SpinForm : ::testing::Test {
    TForm form{nullptr};
    TRagSpinEdit* spin = nullptr;
    void SetUp() override
    {
        spin = new TRagSpinEdit(&form);
        spin->SetParent(&form);
        spin->SetBounds(10, 10, 120, 22);
        form.Show();
        spin->SetFocus();
    }
    void Type(const AnsiString& T) { TestInput::TypeText(spin, T); }
};

} // namespace

TEST_F(SpinForm, IntegerStepsStopAtTheLimits)
{
    EXPECT_EQ(spin->Text(), "0");
    TestInput::PressKey(spin, VK_UP);
    EXPECT_EQ(spin->Text(), "1");
    for (int i = 0; i < 120; ++i)
        spin->UpClick(spin);
    EXPECT_EQ(spin->Text(), "100");
    spin->SetValue(0);
    TestInput::PressKey(spin, VK_DOWN);
    EXPECT_EQ(spin->Text(), "0");
    // Equal limits mean none.
    spin->SetMaxValue(0);
    spin->SetValue(100);
    spin->UpClick(spin);
    EXPECT_EQ(spin->Text(), "101");
    // A text that is no number reads as the lower limit.
    spin->SetMinValue(5);
    spin->SetMaxValue(10);
    spin->SetText("abc");
    EXPECT_EQ(spin->Value(), 5);
    spin->UpClick(spin);
    EXPECT_EQ(spin->Text(), "6");
}

TEST_F(SpinForm, ArrowsNeverReachOnKeyDown)
{
    std::vector<Word> keys;
    spin->OnKeyDown = [&](TObject*, Word& k, TShiftState) { keys.push_back(k); };
    TestInput::PressKey(spin, VK_UP);
    TestInput::PressKey(spin, VK_DOWN);
    TestInput::PressKey(spin, VK_HOME);
    EXPECT_EQ(keys, std::vector<Word>{VK_HOME});
}

TEST_F(SpinForm, FloatsKeepTheirPrecisionAndOneSeparator)
{
    spin->SetSpinType(sptFloat);
    spin->SetText("1.5");
    spin->UpClick(spin); // no float increment yet: the same number
    EXPECT_EQ(spin->Text(), "1.5");
    spin->SetPrecision(2);
    EXPECT_EQ(spin->Text(), "1.50");
    spin->SetText("1.23");
    spin->SetSelStart(4);
    const size_t beeps = RecordedBeeps().size();
    Type("4");
    EXPECT_EQ(spin->Text(), "1.23");
    EXPECT_EQ(RecordedBeeps().size(), beeps + 1);
    spin->SetSelStart(0);
    Type("4");
    EXPECT_EQ(spin->Text(), "41.23");
    Type(".");
    EXPECT_EQ(spin->Text(), "41.23");
    spin->SetText("7");
    spin->SetSelStart(1);
    Type(","); // the thousand separator types the decimal one
    EXPECT_EQ(spin->Text(), "7.");
}

TEST_F(SpinForm, DatesAndTimesStepTheFieldUnderTheCaret)
{
    spin->SetDateValue(EncodeDate(2026, 1, 31));
    spin->SetSpinType(sptDate);
    const AnsiString t = spin->Text();
    spin->SetSelStart(int(t.find('/')) + 1); // the second field: a month
    spin->UpClick(spin);
    EXPECT_EQ(spin->DateValue(), EncodeDate(2026, 2, 28));
    spin->SetSelStart(0);
    spin->DownClick(spin);
    EXPECT_EQ(spin->DateValue(), EncodeDate(2026, 2, 27));

    spin->SetSpinType(sptTime);
    spin->SetTimeValue(EncodeTime(23, 30, 0, 0));
    spin->SetSelStart(0);
    spin->UpClick(spin);
    EXPECT_EQ(spin->Text(), TimeToStr(EncodeTime(0, 30, 0, 0)));
    spin->SetTimeValue(0);
    spin->SetSelStart(0);
    spin->DownClick(spin);
    EXPECT_EQ(spin->Text(), TimeToStr(EncodeTime(23, 0, 0, 0)));
    // Separators: the date one only for dates, a third time one never.
    spin->SetText("1:2:3");
    spin->SetSelStart(5);
    Type(":/");
    EXPECT_EQ(spin->Text(), "1:2:3");
}

TEST_F(SpinForm, ReadOnlyAndDisabledEditorOnlyBeep)
{
    spin->SetEditorEnabled(false);
    spin->SetSelStart(1);
    size_t beeps = RecordedBeeps().size();
    Type("5\b");
    EXPECT_EQ(spin->Text(), "0");
    EXPECT_EQ(RecordedBeeps().size(), beeps + 2);
    TestInput::PressKey(spin, VK_UP); // stepping still works
    EXPECT_EQ(spin->Text(), "1");
    spin->SetReadOnly(true);
    beeps = RecordedBeeps().size();
    TestInput::PressKey(spin, VK_UP);
    EXPECT_EQ(spin->Text(), "1");
    EXPECT_EQ(RecordedBeeps().size(), beeps + 1);
}

TEST_F(SpinForm, LeavingPullsTheValueIntoItsLimits)
{
    auto* other = new TRagSpinEdit(&form);
    other->SetParent(&form);
    other->SetTop(40);
    spin->SetText("250");
    other->SetFocus();
    EXPECT_EQ(spin->Text(), "100");
}

// Transparent buttons let the button pair's own colour show through their faces while
// they are up; a pressed button still shows its face.
TEST_F(SpinForm, TransparentButtonsShowWhatLiesBehind)
{
    TRagSpinButton* pair = spin->Button();
    pair->SetColor(clLime);
    TRavTimerSpeedButton* up = pair->UpButton();
    const int x = up->Left() + 3, y = up->Top() + 2; // inside the frame, clear of the arrow
    auto faceColour = [&] {
        TBitmap bmp;
        RenderControl(pair, &bmp);
        return bmp.Canvas()->Pixels(x, y);
    };
    const TColor face = ColorToRGB(clBtnFace);
    EXPECT_EQ(faceColour(), face);
    const int width = spin->Width();
    spin->SetSpinTransparent(true);
    EXPECT_TRUE(spin->SpinTransparent());
    EXPECT_TRUE(up->Transparent());
    EXPECT_TRUE(pair->DownButton()->Transparent());
    EXPECT_EQ(spin->Width(), width);
    EXPECT_EQ(faceColour(), clLime);
    TestInput::MouseDown(up, up->Width() / 2, up->Height() / 2);
    EXPECT_EQ(faceColour(), face);
    TestInput::MouseUp(up, up->Width() / 2, up->Height() / 2);
    spin->SetSpinTransparent(false);
    EXPECT_EQ(faceColour(), face);
}

TEST(SpinButton, LayoutOfTheArrowPair)
{
    TRagSpinButton b(nullptr);
    b.SetBounds(0, 0, 10, 10);
    EXPECT_EQ(b.Width(), 15);
    EXPECT_EQ(b.Height(), 10);
    b.SetBounds(0, 0, 15, 25);
    EXPECT_EQ(b.UpButton()->Height(), 12);
    EXPECT_EQ(b.DownButton()->Top(), 11);
    EXPECT_EQ(b.DownButton()->Height(), 14);
    b.SetDirection(spHorizontal);
    EXPECT_EQ(b.Width(), 20);
    EXPECT_EQ(b.UpButton()->ButtonDirection(), bdRight);
    b.SetBounds(0, 0, 20, 17);
    EXPECT_EQ(b.DownButton()->Left(), 0);
    EXPECT_EQ(b.DownButton()->Width(), 10);
    EXPECT_EQ(b.UpButton()->Left(), 11);
    EXPECT_EQ(b.UpButton()->Width(), 10);
    TBitmap two;
    two.SetSize(18, 6);
    b.SetDownGlyph(&two);
    b.SetDownNumGlyphs(2);
    b.SetDownGlyph(nullptr);
    EXPECT_EQ(b.DownNumGlyphs(), 1);
    EXPECT_EQ(b.DownGlyph()->Width(), 9);
}

TEST(EditBtn, ButtonAndEditorEnabled)
{
    TForm form(nullptr);
    auto* e = new TRagEditBtn(&form);
    e->SetParent(&form);
    EXPECT_EQ(e->Text(), "0");
    e->SetButtonWidth(10);
    EXPECT_EQ(e->ButtonHost()->Width(), 15);
    int clicks = 0;
    TObject* sender = nullptr;
    e->OnClickBtn = [&](TObject* s) {
        ++clicks;
        sender = s;
    };
    form.Show();
    e->SetFocus();
    e->SetEditorEnabled(false);
    e->SelectAll();
    TestInput::TypeText(e, "12");
    EXPECT_EQ(e->Text(), "0");
    TestInput::PressKey(e, VK_F4);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(sender, e);
    TestInput::Click(e->ButtonHost()->Button());
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(sender, e->ButtonHost());

    auto* u = new TRagUnitEditBtn(&form);
    u->SetParent(&form);
    TStringList units;
    units.Add("nF");
    units.Add("uF");
    u->SetUnits(&units);
    u->UnitCommand(2);
    EXPECT_EQ(u->UnitID(), "uF");
    EXPECT_TRUE(u->RightAlign());
}

TEST_F(SpinForm, YearOfLeapDayStepsToTheLastDayOfFebruary)
{
    spin->SetSpinType(sptDate);
    spin->SetDateValue(EncodeDate(2028, 2, 29));
    const AnsiString t = spin->Text();
    spin->SetSelStart(int(t.rfind('/')) + 1); // the third field: the year
    spin->UpClick(spin);
    EXPECT_EQ(spin->DateValue(), EncodeDate(2029, 2, 28));
}

TEST_F(SpinForm, UnreadableFloatTextReadsTheFloatMinimum)
{
    spin->SetSpinType(sptFloat);
    spin->SetMinValue(3);
    spin->SetMinFloatValue(0.25);
    spin->SetText("-");
    EXPECT_DOUBLE_EQ(spin->FloatValue(), 0.25);
}
