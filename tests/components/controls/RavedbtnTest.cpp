// The edit with button, the unit edit and the directory edit, driven like a user.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "components/controls/Ravdirectoryedit.h"
#include "platform/core/FileUtils.h"
#include "platform/forms/Clipboard.h"
#include "platform/forms/Dialogs.h"
#include "platform/forms/Form.h"
#include "platform/forms/ModalScript.h"
#include "platform/forms/Render.h"
#include "platform/forms/Screen.h"
#include "platform/forms/TestInput.h"
#include "platform/graphics/Canvas.h"
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

// The pixels of Colour inside R, and their bounding box.
int CountIn(TBitmap& B, const TRect& R, TColor Colour, TRect* Box = nullptr)
{
    int n = 0;
    TRect box(R.Right, R.Bottom, R.Left - 1, R.Top - 1);
    for (int y = R.Top; y < R.Bottom; ++y)
        for (int x = R.Left; x < R.Right; ++x)
            if (B.Canvas()->Pixels(x, y) == ColorToRGB(Colour)) {
                ++n;
                box = TRect(std::min<int>(box.Left, x), std::min<int>(box.Top, y), std::max<int>(box.Right, x + 1),
                            std::max<int>(box.Bottom, y + 1));
            }
    if (Box)
        *Box = box;
    return n;
}

TEST_F(EditWithButton, SpeedButtonHotPressedDropDownAndSetup)
{
    // The classic look (this platform has no visual styles): a drop-down draws the combo
    // box's arrow, moved (1, 1) while pressed, engraved while disabled; Setup only stops the
    // themed look from showing the press.
    struct Case {
        TButtonStyle style;
        bool enabled;
        bool press;
        bool setup;
        int arrow;    // arrow pixels in the button-text colour
        int engraved; // arrow pixels in the shadow colour
    };
    const Case cases[] = {
        {bsButton, true, false, false, 0, 0},    {bsButton, true, true, false, 0, 0},
        {bsDropDown, true, false, false, 16, 0}, {bsDropDown, true, true, false, 16, 0},
        {bsDropDown, true, true, true, 16, 0},   {bsDropDown, false, false, false, 0, 16},
    };
    for (const Case& c : cases) {
        auto* e = Make<TVodUrizBtn>(20);
        e->SetButtonStyle(c.style);
        e->SetEnabled(c.enabled);
        TRavSpeedButton* b = e->ButtonHost()->Button();
        int clicks = 0;
        e->OnClickBtn = [&](TObject*) { ++clicks; };
        if (c.setup)
            e->ButtonHost()->Setup();
        EXPECT_EQ(b->Up(), c.setup);
        const TRect resting = b->ArrowRect();
        if (c.press)
            TestInput::MouseDown(b, 5, 5);
        EXPECT_EQ(b->Pressed(), c.press);
        const TRect a = b->ArrowRect();
        EXPECT_EQ(a.Left - resting.Left, c.press ? 1 : 0);
        EXPECT_EQ(a.Top - resting.Top, c.press ? 1 : 0);
        TBitmap out;
        RenderControl(b, &out);
        const TRect inside(2, 2, b->Width() - 2, b->Height() - 2);
        TRect ink;
        EXPECT_EQ(CountIn(out, inside, clBtnText, &ink), c.arrow) << c.style << c.enabled << c.press << c.setup;
        if (c.arrow) {
            EXPECT_EQ(ink.Left, a.Left);
            EXPECT_EQ(ink.Top, a.Top);
            EXPECT_EQ(ink.Width(), 7);
            EXPECT_EQ(ink.Height(), 4);
        }
        EXPECT_EQ(CountIn(out, a, clBtnShadow), c.engraved);
        if (c.style == bsDropDown) {
            // The two lines over the top-left edge: button face outside, white inside.
            const int w = b->Width(), h = b->Height();
            EXPECT_EQ(out.Canvas()->Pixels(w / 2, 0), ColorToRGB(clBtnFace));
            EXPECT_EQ(out.Canvas()->Pixels(0, h / 2), ColorToRGB(clBtnFace));
            EXPECT_EQ(out.Canvas()->Pixels(w / 2, 1), clWhite);
            EXPECT_EQ(out.Canvas()->Pixels(1, h / 2), clWhite);
        }
        if (c.press) {
            TestInput::MouseUp(b, 5, 5);
            EXPECT_FALSE(b->Pressed());
            EXPECT_EQ(clicks, 1);
        }
        delete e;
    }
    // Hot follows the mouse.
    auto* e = Make<TVodUrizBtn>(20);
    TRavSpeedButton* b = e->ButtonHost()->Button();
    EXPECT_FALSE(b->Hot());
    TestInput::MouseMove(b, 5, 5);
    EXPECT_TRUE(b->Hot());
    TestInput::MouseMove(e->ButtonHost(), 5, 40); // below the button
    EXPECT_FALSE(b->Hot());
}

TEST_F(EditWithButton, GlyphAndCaptionPlacement)
{
    // A 10 x 10 glyph: red inside an olive (see-through) rim.
    TBitmap glyph;
    glyph.SetSize(10, 10);
    glyph.Canvas()->Brush()->SetColor(clOlive);
    glyph.Canvas()->FillRect(TRect(0, 0, 10, 10));
    glyph.Canvas()->Brush()->SetColor(clRed);
    glyph.Canvas()->FillRect(TRect(1, 1, 9, 9));
    struct Case {
        bool flat;
        const char* caption;
    };
    // Raised: the glyph alone centred, with a caption the glyph first and the caption
    // after it, the two centred together. Flat: the glyph centred in the face, the
    // caption centred over it.
    const Case cases[] = {{false, ""}, {false, "Go"}, {true, ""}, {true, "Go"}};
    for (const Case& c : cases) {
        auto* e = Make<TVodUrizBtn>(20);
        e->SetBounds(20, 20, 220, 24);
        e->SetButtonWidth(60);
        e->SetFlat(c.flat);
        e->SetGlyph(&glyph);
        e->SetButtonCaption(c.caption);
        TRavSpeedButton* b = e->ButtonHost()->Button();
        const int w = b->Width();
        ASSERT_EQ(w, 60);
        TBitmap out;
        RenderControl(b, &out);
        TRect red, text;
        const TRect inside(2, 2, w - 2, b->Height() - 2);
        const int shown = CountIn(out, inside, clRed, &red);
        if (c.flat && *c.caption) { // the caption is drawn over the glyph
            EXPECT_GT(shown, 0);
        } else {
            EXPECT_EQ(shown, 64) << c.flat << c.caption;
        }
        EXPECT_EQ(CountIn(out, inside, clOlive), 0); // the rim is see-through
        const int tw = out.Canvas()->TextWidth(c.caption);
        const int left = c.flat ? 3 + (w - 6 - 10) / 2 : (w - 10 - (tw ? 4 + tw : 0)) / 2;
        EXPECT_EQ(red.Left - 1, left) << c.flat << c.caption;
        if (tw && !c.flat) {
            ASSERT_GT(CountIn(out, inside, clWindowText, &text), 0);
            EXPECT_GE(text.Left, red.Right + 1 + 4);
            EXPECT_LE(text.Right, red.Right + 1 + 4 + tw + 1);
        }
        delete e;
    }
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

TEST_F(DirectoryEdit, TheBrowserOpensBesideTheControl)
{
    auto* e = Make<TRavDirectoryEdit>(20);
    e->SetText(dir.string());
    // Near the top left the browser goes under the control; near the bottom right above it
    // and shifted left by its width.
    for (const TPoint formAt : {TPoint(10, 10), TPoint(Screen->Width() - 200, Screen->Height() - 80)}) {
        form->SetBounds(formAt.x, formAt.y, 320, 160);
        TestInput::ProcessEvents();
        ModalScript::AnswerCancel();
        TestInput::Click(e->ButtonHost()->Button());
        const TRect at = ModalScript::LastRequest().Bounds;
        ASSERT_GT(at.Width(), 0);
        const TPoint q = e->ClientToScreen(TPoint(0, e->Height()));
        const TPoint want =
            TRavDirectoryEdit::BrowserPosition(q, at.Width(), at.Height(), Screen->Width(), Screen->Height(), e->Height());
        EXPECT_EQ(at.Left, want.x);
        EXPECT_EQ(at.Top, want.y);
        if (formAt.x == 10) {
            EXPECT_EQ(at.Left, q.x);
            EXPECT_EQ(at.Top, q.y);
        } else {
            EXPECT_EQ(at.Left, q.x - at.Width());
            EXPECT_EQ(at.Bottom, q.y - e->Height());
        }
    }
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
