// The bitmap check box and radio button, clicked and keyed like a user.
#include <gtest/gtest.h>

#include <memory>

#include "components/controls/OwclassesProps.h"
#include "components/controls/Owdesign.h"
#include "components/controls/Owsystem.h"
#include "platform/forms/Form.h"
#include "platform/forms/Panel.h"
#include "platform/forms/Render.h"
#include "platform/forms/TestInput.h"
#include "platform/graphics/Canvas.h"
#include "tests/support/TestOutput.h"

namespace {

// A strip of Frames 13 x 13 frames in the given colours on olive (see-through).
std::unique_ptr<TBitmap> Strip(std::vector<TColor> Frames)
{
    auto b = std::make_unique<TBitmap>();
    b->SetSize(13 * static_cast<int>(Frames.size()), 13);
    b->Canvas()->Brush()->SetColor(clOlive);
    b->Canvas()->FillRect(TRect(0, 0, b->Width(), 13));
    for (size_t i = 0; i < Frames.size(); ++i) {
        b->Canvas()->Brush()->SetColor(Frames[i]);
        b->Canvas()->FillRect(TRect(13 * static_cast<int>(i) + 2, 2, 13 * static_cast<int>(i) + 11, 11));
    }
    return b;
}

struct Toggles : ::testing::Test {
    std::unique_ptr<TForm> form;
    TOwBitmapList* list = nullptr;
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 360, 200);
        list = new TOwBitmapList(form.get());
        list->Bitmaps()->Add(Strip({clWhite, clLime, clGray}).get());      // 0: check box
        list->Bitmaps()->Add(Strip({clSilver, clSilver, clSilver}).get()); // 1: disabled
        list->Bitmaps()->Add(Strip({clWhite, clRed}).get());               // 2: radio
        form->Show();
        TestInput::ProcessEvents();
    }
    template <class T>
    T* Make(TWinControl* parent, int top, const char* caption)
    {
        auto* c = new T(form.get());
        c->SetParent(parent);
        c->SetBounds(10, top, 140, 17);
        c->SetCaption(caption);
        c->SetBitmapList(list);
        return c;
    }
    TColor GlyphColour(TOwBitmapToggle* c)
    {
        TBitmap b;
        RenderControl(c, &b);
        const TRect g = c->GlyphRect();
        return b.Canvas()->Pixels((g.Left + g.Right) / 2, (g.Top + g.Bottom) / 2);
    }
};

TEST_F(Toggles, CheckBoxClickOrderAndStates)
{
    auto* cb = Make<TOwBitmapCheckBox>(form.get(), 10, "Hold");
    cb->SetEnabledGlyphIndex(0);
    std::vector<AnsiString> log;
    cb->OnClick = [&](TObject*) { log.push_back(cb->Checked() ? "click-checked" : "click"); };
    cb->OnChange = [&](TObject*) { log.push_back("change"); };
    cb->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { log.push_back("up"); };
    EXPECT_EQ(GlyphColour(cb), clWhite);
    TestInput::Click(cb, 5, 8);
    EXPECT_EQ(log, (std::vector<AnsiString>{"click", "change", "up"}));
    EXPECT_EQ(GlyphColour(cb), clLime);
    // Press inside, release outside: nothing toggles.
    TestInput::MouseDown(cb, 5, 8);
    TestInput::MouseUp(cb, 300, 8);
    EXPECT_TRUE(cb->Checked());
    cb->AllowGrayed = true;
    cb->SetChecked(false);
    const TOwCheckBoxState cycle[] = {vcbGrayed, vcbChecked, vcbUnchecked};
    for (TOwCheckBoxState s : cycle) {
        cb->Toggle();
        EXPECT_EQ(cb->State(), s);
    }
    // Disabled: the disabled strip when there is one.
    cb->SetEnabled(false);
    EXPECT_EQ(GlyphColour(cb), clWhite);
    cb->SetDisabledGlyphIndex(1);
    EXPECT_EQ(GlyphColour(cb), clSilver);
}

TEST_F(Toggles, SpaceTogglesAndTheFocusFrameFollowsItsOffset)
{
    auto* cb = Make<TOwBitmapCheckBox>(form.get(), 10, "Space");
    cb->SetTabStop(true);
    cb->SetFocus();
    TestInput::ProcessEvents();
    TestInput::PressKey(cb, VK_SPACE);
    EXPECT_TRUE(cb->Checked());
    cb->SetFocusOffset(2);
    TBitmap b;
    RenderControl(cb, &b);
    EXPECT_EQ(b.Canvas()->Pixels(2, 8), clBlue);
    cb->SetFocusOffset(-1);
    RenderControl(cb, &b);
    EXPECT_NE(b.Canvas()->Pixels(2, 8), clBlue);
    EXPECT_NE(b.Canvas()->Pixels(0, 8), clBlue);
}

TEST_F(Toggles, RadioButtonsCheckOnePerParent)
{
    auto* p1 = new TPanel(form.get());
    p1->SetParent(form.get());
    p1->SetBounds(0, 0, 170, 100);
    auto* p2 = new TPanel(form.get());
    p2->SetParent(form.get());
    p2->SetBounds(180, 0, 170, 100);
    TOwBitmapRadioButton* r[3];
    for (int i = 0; i < 3; ++i) {
        r[i] = Make<TOwBitmapRadioButton>(p1, 10 + 25 * i, "Radio");
        r[i]->SetEnabledGlyphIndex(2);
    }
    auto* other = Make<TOwBitmapRadioButton>(p2, 10, "Other");
    other->SetChecked(true);
    r[0]->SetChecked(true);
    TestInput::Click(r[1], 5, 8);
    EXPECT_FALSE(r[0]->Checked());
    EXPECT_TRUE(r[1]->Checked());
    EXPECT_TRUE(other->Checked());
    EXPECT_TRUE(r[1]->TabStop());
    EXPECT_FALSE(r[0]->TabStop());
    TestInput::Click(r[1], 5, 8);
    EXPECT_TRUE(r[1]->Checked());
    EXPECT_EQ(GlyphColour(r[1]), clRed);
    EXPECT_EQ(GlyphColour(r[2]), clWhite);
    SaveControlToPng(form.get(), TestOutputPath("controls_bitmap_toggles.png"));
}

TEST_F(Toggles, TextureTiledOrStretchedOverTheWholeControl)
{
    // A 10 x 10 texture in quadrants: red, blue over lime, yellow.
    auto texture = std::make_unique<TBitmap>();
    texture->SetSize(10, 10);
    const std::pair<TRect, TColor> quadrants[] = {{TRect(0, 0, 5, 5), clRed},
                                                  {TRect(5, 0, 10, 5), clBlue},
                                                  {TRect(0, 5, 5, 10), clLime},
                                                  {TRect(5, 5, 10, 10), clYellow}};
    for (const auto& [r, c] : quadrants) {
        texture->Canvas()->Brush()->SetColor(c);
        texture->Canvas()->FillRect(r);
    }
    list->Bitmaps()->Add(texture.get()); // 3
    auto* cb = Make<TOwBitmapCheckBox>(form.get(), 10, "");
    auto* rb = Make<TOwBitmapRadioButton>(form.get(), 40, "");
    EXPECT_EQ(cb->TextureStyle(), cbtTile);
    EXPECT_EQ(rb->TextureStyle(), rbtTile);
    EXPECT_EQ(cb->NumGlyphs(), 3);
    EXPECT_EQ(rb->NumGlyphs(), 2);
    struct Case {
        bool stretch;
        TPoint at;
        TColor colour;
    };
    // 140 x 17: stretched, each texel covers 14 x 1.7 pixels; tiled, the texture repeats.
    const Case cases[] = {
        {true, {0, 0}, clRed},    {true, {100, 2}, clBlue},  {true, {20, 14}, clLime},     {true, {139, 16}, clYellow},
        {false, {100, 2}, clRed}, {false, {100, 14}, clRed}, {false, {135, 16}, clYellow}, {false, {7, 7}, clYellow},
    };
    for (TOwBitmapToggle* t : {static_cast<TOwBitmapToggle*>(cb), static_cast<TOwBitmapToggle*>(rb)}) {
        t->SetTextureIndex(3);
        for (const Case& c : cases) {
            if (t == cb)
                cb->SetTextureStyle(c.stretch ? cbtStretch : cbtTile);
            else
                rb->SetTextureStyle(c.stretch ? rbtStretch : rbtTile);
            TBitmap b;
            RenderControl(t, &b);
            EXPECT_EQ(b.Canvas()->Pixels(c.at.x, c.at.y), c.colour)
                << (t == cb ? "check box " : "radio button ") << c.stretch << " at " << c.at.x << "," << c.at.y;
        }
    }
}

} // namespace

#include "components/controls/Owbuttons.h"

namespace {

TEST_F(Toggles, CaptionAcceleratorsOnTheForm)
{
    auto* cb = Make<TOwBitmapCheckBox>(form.get(), 10, "&Hold");
    auto* rb = Make<TOwBitmapRadioButton>(form.get(), 40, "&Radio");
    auto* pw = new TOwPowerButton(form.get());
    pw->SetParent(form.get());
    pw->SetBounds(10, 70, 125, 25);
    pw->SetCaption("&Power");
    int powerClicks = 0;
    pw->OnClick = [&](TObject*) { ++powerClicks; };
    cb->SetTabStop(true);
    cb->SetFocus();
    TestInput::ProcessEvents();
    TestInput::PressKeyOnForm(form.get(), 'H', ssAlt);
    EXPECT_TRUE(cb->Checked());
    TestInput::PressKeyOnForm(form.get(), 'R', ssAlt);
    EXPECT_TRUE(rb->Focused());
    EXPECT_FALSE(rb->Checked()); // the accelerator only focuses a radio button
    TestInput::PressKeyOnForm(form.get(), 'P', ssAlt);
    EXPECT_EQ(powerClicks, 1);
    EXPECT_FALSE(pw->Active()); // clicked, not toggled
    EXPECT_TRUE(IsAccel('a', "A&&B &apply"));
    EXPECT_FALSE(IsAccel('b', "A&&B"));
}

} // namespace
