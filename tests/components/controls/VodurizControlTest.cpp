// The typed edit as a control on a form: keys through the window system, focus colours,
// the exit reformatting before OnExit, the attached label and the rendered states.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "components/controls/Voduriz.h"
#include "platform/core/FormatSettings.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/Form.h"
#include "platform/forms/Panel.h"
#include "platform/forms/Render.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/forms/TestInput.h"
#include "tests/support/TestOutput.h"

namespace {
struct TypedEdit : ::testing::Test {
    std::unique_ptr<TForm> form;
    TVodUriz* edit = nullptr;
    TVodUriz* other = nullptr;
    void SetUp() override
    {
        FormatSettings.DecimalSeparator = '.';
        FormatSettings.ThousandSeparator = ',';
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 320, 140);
        edit = new TVodUriz(form.get());
        edit->SetParent(form.get());
        edit->SetBounds(100, 40, 120, 24);
        other = new TVodUriz(form.get());
        other->SetParent(form.get());
        other->SetBounds(100, 80, 120, 24);
        form->Show();
        TestInput::ProcessEvents();
        Focus(other); // each test focuses the edit itself
    }
    void TearDown() override { form.reset(); }
    void Focus(TVodUriz* e)
    {
        e->SetFocus();
        TestInput::ProcessEvents();
    }
};

TEST_F(TypedEdit, FloatFieldTypesAndReformatsBeforeOnExit)
{
    edit->SetEditType(etFloat);
    edit->SetPrecision(3);
    edit->SetText("");
    AnsiString seenOnExit;
    edit->OnExit = [&](TObject*) { seenOnExit = edit->GetText(); };
    Focus(edit);
    // The letter is dropped; the second '.' only moves the caret behind the first.
    TestInput::TypeText(edit, "12a.5.7");
    EXPECT_EQ(edit->WindowText(), "12.75");
    Focus(other);
    EXPECT_EQ(seenOnExit, "12.750");
    EXPECT_EQ(edit->GetText(), "12.750");
}

TEST_F(TypedEdit, EmptyFloatShowsZeroBeforeOnExit)
{
    edit->SetEditType(etFloat);
    edit->SetPrecision(3);
    AnsiString seen;
    edit->OnExit = [&](TObject*) { seen = edit->GetText(); };
    Focus(edit);
    TestInput::PressKey(edit, VK_END);
    for (int i = 0; i < 6; ++i)
        TestInput::PressKey(edit, VK_BACK);
    EXPECT_EQ(edit->GetText(), "");
    Focus(other);
    EXPECT_EQ(seen, "0.000");
}

// OnExit sees the reformatted value, and can still read what the user left in the field.
TEST_F(TypedEdit, OnExitCanReadTheValueAsTheUserLeftIt)
{
    const struct { TVodUrizType Type; int Precision; const char* Old; const char* Typed; const char* Shown; } cases[] = {
        {etNumeric, 0, "10", "", "0"}, {etFloat, 2, "1.00", "", "0.00"}, {etFloat, 2, "1.00", "0,5", "5.00"},
        {etNumeric, 0, "10", "42", "42"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Typed);
        edit->SetEditType(c.Type);
        edit->SetPrecision(c.Precision);
        edit->SetText(c.Old);
        AnsiString seen, typed;
        edit->OnExit = [&](TObject*) {
            seen = edit->GetText();
            typed = edit->TypedText();
        };
        Focus(edit);
        TestInput::PressKey(edit, VK_HOME);
        TestInput::PressKey(edit, VK_END, ssShift);
        TestInput::PressKey(edit, VK_BACK);
        TestInput::TypeText(edit, c.Typed);
        Focus(other);
        EXPECT_EQ(seen, c.Shown);
        EXPECT_EQ(typed, c.Typed);
        EXPECT_EQ(edit->TypedText(), c.Shown); // once the exit is over, the value itself
    }
}

TEST_F(TypedEdit, EnterReachesOnKeyDownAndOnKeyPressOnce)
{
    edit->SetEditType(etNumeric);
    std::vector<Word> downs;
    std::vector<char> presses;
    edit->OnKeyDown = [&](TObject*, Word& k, TShiftState) { downs.push_back(k); };
    edit->OnKeyPress = [&](TObject*, char& k) { presses.push_back(k); };
    Focus(edit);
    TestInput::TypeText(edit, "7\r");
    EXPECT_EQ(edit->GetText(), "7");
    EXPECT_EQ(downs.back(), VK_RETURN);
    ASSERT_EQ(presses.size(), 2u);
    EXPECT_EQ(presses[1], '\r');
}

TEST_F(TypedEdit, ReturnIsTabMovesTheFocusAfterTheKey)
{
    edit->SetReturnIsTab(true);
    Word seen = 0;
    bool stillFocused = false;
    edit->OnKeyDown = [&](TObject*, Word& k, TShiftState) {
        seen = k;
        stillFocused = edit->Focused();
    };
    Focus(edit);
    TestInput::PressKey(edit, VK_RETURN);
    TestInput::ProcessEvents();
    EXPECT_EQ(seen, VK_TAB);
    EXPECT_TRUE(stillFocused); // OnKeyDown runs before the edit is left
    EXPECT_TRUE(other->Focused());
}

TEST_F(TypedEdit, OnKeyPressMayDropTheCharacter)
{
    edit->OnKeyPress = [](TObject*, char& k) {
        if (k == 'x')
            k = 0;
    };
    Focus(edit);
    TestInput::TypeText(edit, "axb");
    EXPECT_EQ(edit->GetText(), "ab");
}

TEST_F(TypedEdit, NumericFieldRefusesLettersAndSigns)
{
    edit->SetEditType(etNumeric);
    edit->SetMaxLength(8);
    edit->SetLengthLimit(4);
    Focus(edit);
    TestInput::PressKey(edit, VK_END);
    TestInput::TypeText(edit, "-1a2345");
    EXPECT_EQ(edit->GetText(), "0123"); // "0" was there; four characters at most before a separator
}

TEST_F(TypedEdit, ReadOnlyThroughTheBaseEditRefusesTyping)
{
    edit->SetText("12");
    edit->TCustomEdit::SetReadOnly(true); // the program uses the inherited setter
    Focus(edit);
    TestInput::PressKey(edit, VK_END);
    TestInput::TypeText(edit, "3");
    EXPECT_EQ(edit->GetText(), "12");
}

TEST_F(TypedEdit, FocusColoursAndWidth)
{
    edit->SetColorEx(clWhite);
    edit->SetFocusColor(clYellow);
    edit->SetFocusFontColor(clBlue);
    edit->SetFocusWidthInc(20);
    edit->SetEditAlign(eaRight);
    edit->SetFocusAlign(eaCenter);
    Focus(edit);
    EXPECT_EQ(edit->Color(), clYellow);
    EXPECT_EQ(edit->Font()->Color(), clBlue);
    EXPECT_EQ(edit->Width(), 140);
    EXPECT_EQ(edit->Alignment(), taCenter);
    Focus(other);
    EXPECT_EQ(edit->Color(), clWhite);
    EXPECT_EQ(edit->Font()->Color(), clWindowText);
    EXPECT_EQ(edit->Width(), 120);
    EXPECT_EQ(edit->Alignment(), taRightJustify);
}

TEST_F(TypedEdit, FocusColourNoneLeavesTheColours)
{
    edit->SetColorEx(clAqua);
    edit->Font()->SetColor(clMaroon);
    edit->SetFocusColor(clNone);
    edit->SetFocusFontColor(clNone);
    Focus(edit);
    EXPECT_EQ(edit->Color(), clAqua);
    EXPECT_EQ(edit->Font()->Color(), clMaroon);
}

TEST_F(TypedEdit, EscapeRestoresTheValueOfFocus)
{
    edit->SetText("abc");
    Focus(edit);
    TestInput::PressKey(edit, VK_END);
    TestInput::TypeText(edit, "def");
    EXPECT_EQ(edit->GetText(), "abcdef");
    TestInput::PressKey(edit, VK_ESCAPE);
    EXPECT_EQ(edit->GetText(), "abc");
}

TEST_F(TypedEdit, TransparentShowsTheParentThrough)
{
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(0, 0, 100, 36);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clYellow);
    auto* e = new TVodUriz(form.get());
    e->SetParent(panel);
    e->SetBounds(10, 6, 80, 24);
    e->SetColor(clWhite);
    TestInput::ProcessEvents();
    const int x = 10 + 70, y = 6 + 12; // right of the text, inside the frame
    TBitmap opaque;
    RenderControl(panel, &opaque);
    EXPECT_EQ(opaque.Canvas()->Pixels(x, y), clWhite);
    e->SetTransparent(true);
    EXPECT_TRUE(e->Transparent());
    TBitmap seeThrough;
    RenderControl(panel, &seeThrough);
    EXPECT_EQ(seeThrough.Canvas()->Pixels(x, y), clYellow);
    e->SetText("shown");
    SaveControlToPng(panel, TestOutputPath("typed_edit_transparent.png"));
}

TEST_F(TypedEdit, PasteGoesThroughTheFilter)
{
    edit->SetEditType(etNumeric);
    Focus(edit);
    TestInput::PressKey(edit, VK_END);
    Clipboard()->SetAsText("abc");
    TestInput::PressKey(edit, 'V', ssCtrl);
    EXPECT_EQ(edit->GetText(), "0");
    Clipboard()->SetAsText("42");
    TestInput::PressKey(edit, 'V', ssCtrl);
    EXPECT_EQ(edit->GetText(), "042");
}

TEST_F(TypedEdit, EveryWayOfPastingGoesThroughTheFilter)
{
    const struct {
        const char* way;
        std::function<void(TVodUriz*)> paste;
    } ways[] = {
        {"Ctrl+V", [](TVodUriz* e) { TestInput::PressKey(e, 'V', ssCtrl); }},
        {"Shift+Insert", [](TVodUriz* e) { TestInput::PressKey(e, VK_INSERT, ssShift); }},
        {"the program's paste", [](TVodUriz* e) { e->PasteFromClipboard(); }},
    };
    edit->SetEditType(etNumeric);
    Focus(edit);
    for (const auto& w : ways) {
        edit->SetText("12");
        TestInput::PressKey(edit, VK_END);
        Clipboard()->SetAsText("abc");
        w.paste(edit);
        EXPECT_EQ(edit->GetText(), "12") << w.way;
        Clipboard()->SetAsText("3");
        w.paste(edit);
        EXPECT_EQ(edit->GetText(), "123") << w.way;
    }
}

TEST_F(TypedEdit, BackspaceDoesNotDeleteWhenReadOnlyThroughTheBaseEdit)
{
    edit->SetText("12");
    edit->TCustomEdit::SetReadOnly(true);
    Focus(edit);
    TestInput::PressKey(edit, VK_END);
    TestInput::PressKey(edit, VK_BACK);
    EXPECT_EQ(edit->GetText(), "12");
}

TEST_F(TypedEdit, OnChangeForEveryChange)
{
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->SetText("a");
    EXPECT_EQ(changes, 1);
    Focus(edit);
    TestInput::PressKey(edit, VK_END);
    TestInput::TypeText(edit, "bc");
    EXPECT_EQ(changes, 3);
    edit->SetText("abc"); // same text: no change
    EXPECT_EQ(changes, 3);
}

TEST_F(TypedEdit, ErrorColourWhileInvalid)
{
    edit->SetColorEx(clWhite);
    edit->SetShowError(true);
    edit->OnValueValidate = [](TObject*, const AnsiString& v, bool& ok) { ok = v.size() < 4; };
    edit->SetText("12345");
    EXPECT_TRUE(edit->GetError());
    EXPECT_EQ(edit->Color(), clRed);
    EXPECT_EQ(edit->Font()->Color(), clWhite);
    edit->SetText("12");
    EXPECT_FALSE(edit->GetError());
    EXPECT_EQ(edit->Color(), clWhite);
}

TEST_F(TypedEdit, EnabledExSwitchesColourAndLabel)
{
    edit->SetColorEx(clWhite);
    edit->SetLabelCaption("Freq");
    edit->SetEnabledEx(false);
    EXPECT_EQ(edit->Color(), clSilver);
    EXPECT_FALSE(edit->EditLabel()->Enabled());
    edit->SetDisabledColor(clAqua);
    TBitmap shot;
    RenderControl(edit, &shot);
    EXPECT_EQ(shot.Canvas()->Pixels(edit->Width() - 6, edit->Height() / 2), clAqua); // what the user sees
    edit->SetEnabledEx(true);
    EXPECT_EQ(edit->Color(), clWhite);
    EXPECT_TRUE(edit->EditLabel()->Enabled());
    edit->SetLabelAlwaysEnabled(true);
    edit->SetEnabledEx(false);
    EXPECT_TRUE(edit->EditLabel()->Enabled());
}

TEST_F(TypedEdit, LabelStandsBesideOrAbove)
{
    edit->SetLabelMargin(4);
    edit->SetLabelPosition(lpLeftCenter);
    edit->SetLabelCaption("Level");
    TLabel* l = edit->EditLabel();
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->Parent(), form.get());
    EXPECT_EQ(l->Left() + l->Width(), 96);            // its right edge 4 pixels left of the edit
    EXPECT_EQ(l->Top(), 40 + (24 - l->Height()) / 2); // centred on the edit
    edit->SetLabelPosition(lpTopLeft);
    EXPECT_EQ(l->Left(), 100);
    EXPECT_EQ(l->Top(), 40 - l->Height() - 4);
    edit->SetVisible(false);
    EXPECT_FALSE(l->Visible());
}

TEST_F(TypedEdit, FlatStoredWhileLoadingIsAppliedAfterwards)
{
    auto* e = new TVodUriz(form.get());
    e->BeginLoading();
    e->SetParent(form.get());
    e->SetBounds(10, 10, 80, 24);
    e->SetColorEx(clYellow);
    e->SetFlat(true);
    e->SetEnabledEx(false);
    e->EndLoading();
    EXPECT_EQ(e->BorderStyle(), bsNone);
    EXPECT_EQ(e->GetColorEx(), clSilver); // disabled, over the normal colour
    e->SetEnabledEx(true);
    EXPECT_EQ(e->GetColorEx(), clYellow);
}

TEST_F(TypedEdit, LargeTextHintShowsTheWholeValue)
{
    const AnsiString wide(60, 'W');
    edit->SetShowHint(true);
    edit->SetHint("short");
    edit->SetText(wide);
    AnsiString hint;
    bool show = false;
    edit->CMHintShow(hint, TPoint(1, 1), show);
    EXPECT_EQ(hint, "short");
    edit->SetHintShowLargeText(true);
    edit->CMHintShow(hint, TPoint(1, 1), show);
    EXPECT_EQ(hint, wide);
    EXPECT_TRUE(show);
    edit->SetText("W"); // fits: the control's own hint again
    edit->CMHintShow(hint, TPoint(1, 1), show);
    EXPECT_EQ(hint, "short");
}

TEST_F(TypedEdit, VersionAndAffixes)
{
    EXPECT_EQ(edit->GetVersion(), "2.7.0.5");
    edit->SetPrefix("$");
    edit->SetSuffix(" kg");
    edit->SetText("12");
    EXPECT_EQ(edit->WindowText(), "$12 kg");
    EXPECT_EQ(edit->GetText(), "12");
    Focus(edit);
    TestInput::PressKey(edit, VK_HOME);
    TestInput::TypeText(edit, "3");
    EXPECT_EQ(edit->GetText(), "312");
    TestInput::PressKey(edit, VK_END);
    TestInput::PressKey(edit, VK_DELETE); // the suffix stays
    EXPECT_EQ(edit->WindowText(), "$312 kg");
}

TEST_F(TypedEdit, RendersItsStates)
{
    auto sheet = std::make_unique<TForm>(nullptr);
    sheet->SetBounds(0, 0, 560, 180);
    sheet->SetColor(clBtnFace);
    const char* captions[] = {"Normal", "Focused", "Error", "Flat"};
    TVodUriz* edits[4];
    for (int i = 0; i < 4; ++i) {
        auto* e = new TVodUriz(sheet.get());
        e->SetParent(sheet.get());
        e->SetBounds(10 + i * 135, 40, 120, 24);
        e->SetEditType(etFloat);
        e->SetPrecision(3);
        e->SetEditAlign(eaRight);
        e->SetFocusAlign(eaCenter);
        e->SetFocusColor(clWindow);
        e->SetLabelPosition(lpTopLeft);
        e->SetLabelCaption(captions[i]);
        e->SetText("1234.5");
        edits[i] = e;
    }
    edits[1]->SetFocusColor(clYellow);
    edits[2]->SetShowError(true);
    edits[2]->OnValueValidate = [](TObject*, const AnsiString&, bool& ok) { ok = false; };
    edits[2]->SetText("-1");
    edits[3]->SetFlat(true);
    edits[3]->SetFlatLineColor(clNavy);
    // Second row: the empty-text hint, the error marker, the 3-D border and the soft flat frame.
    const char* more[] = {"Empty", "Marker", "Border3D", "Soft"};
    TVodUriz* extra[4];
    for (int i = 0; i < 4; ++i) {
        auto* e = new TVodUriz(sheet.get());
        e->SetParent(sheet.get());
        e->SetBounds(10 + i * 135, 110, 120, 24);
        e->SetLabelPosition(lpTopLeft);
        e->SetLabelCaption(more[i]);
        extra[i] = e;
    }
    extra[0]->SetEmptyText("type a value");
    extra[1]->SetText("12x45");
    extra[1]->SetErrorMarkerPos(2);
    extra[1]->SetErrorMarkerLen(1);
    extra[2]->SetText("sunken");
    extra[2]->SetBorder3D(true);
    extra[3]->SetText("soft");
    extra[3]->SetFlat(true);
    extra[3]->SetSoftBorder(true);
    sheet->Show();
    TestInput::ProcessEvents();
    edits[1]->SetFocus();
    TestInput::ProcessEvents();
    EXPECT_EQ(edits[1]->Color(), clYellow);
    EXPECT_EQ(edits[1]->SelLength(), 8); // the value is selected on entry
    EXPECT_TRUE(SaveControlToPng(sheet.get(), TestOutputPath("controls_typed_edits.png")));
}
}

namespace {
TEST_F(TypedEdit, WebAddressLookAndAClickInsideTheAffixes)
{
    edit->SetShowURL(true);
    edit->SetText("www.example.org");
    EXPECT_TRUE(edit->Model().URLShown());
    EXPECT_TRUE(edit->Font()->Style() & fsUnderline);
    EXPECT_EQ(edit->Font()->Color(), clBlue);
    edit->SetText("plain");
    EXPECT_FALSE(edit->Font()->Style() & fsUnderline);

    edit->SetShowURL(false);
    edit->SetPrefix("$");
    edit->SetText("12");
    Focus(edit);
    TestInput::Click(edit, 2, 10); // in the prefix
    EXPECT_GE(edit->SelStart(), 1);
}
}
