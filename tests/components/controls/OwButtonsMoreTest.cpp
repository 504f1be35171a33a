// The hot-tracking flat button and the bitmap-list image, driven with the mouse.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "components/controls/OwclassesProps.h"
#include "components/controls/Owbuttons.h"
#include "components/controls/OwclassesProps.h"
#include "components/controls/Owdesign.h"
#include "components/controls/Owsystem.h"
#include "platform/forms/Form.h"
#include "platform/forms/Render.h"
#include "platform/forms/TestInput.h"
#include "platform/graphics/Canvas.h"
#include "tests/support/TestOutput.h"

namespace {

struct OnForm : ::testing::Test {
    std::unique_ptr<TForm> form;
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 320, 200);
        form->Show();
        TestInput::ProcessEvents();
    }
    TColor PixelOf(TControl* c, int x, int y)
    {
        TBitmap b;
        RenderControl(c, &b);
        return b.Canvas()->Pixels(x, y);
    }
};

TEST_F(OnForm, HyperButtonFillsWhileHotAndClicksOnRelease)
{
    auto* b = new TOwHyperButton(form.get());
    b->SetParent(form.get());
    b->SetBounds(20, 20, 100, 25);
    b->SetCaption("Go");
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    EXPECT_EQ(PixelOf(b, 0, 0), clGray);
    EXPECT_EQ(PixelOf(b, 50, 3), ColorToRGB(clBtnFace));
    TestInput::MouseMove(form.get(), 60, 30);
    EXPECT_TRUE(b->Hot());
    EXPECT_EQ(PixelOf(b, 50, 3), b->ColorEnter());
    // Press, drag off, release: no click; press, off and back, release: one.
    TestInput::MouseDown(form.get(), 60, 30);
    EXPECT_TRUE(b->Down());
    TestInput::MouseMove(form.get(), 200, 150, ssLeft);
    EXPECT_FALSE(b->Down());
    TestInput::MouseUp(form.get(), 200, 150);
    EXPECT_EQ(clicks, 0);
    TestInput::MouseMove(form.get(), 60, 30);
    TestInput::MouseDown(form.get(), 60, 30);
    TestInput::MouseMove(form.get(), 200, 150, ssLeft);
    TestInput::MouseMove(form.get(), 60, 30, ssLeft);
    TestInput::MouseUp(form.get(), 60, 30);
    EXPECT_EQ(clicks, 1);
    TestInput::MouseDown(form.get(), 60, 30, mbRight);
    EXPECT_FALSE(b->Down());
    TestInput::MouseUp(form.get(), 60, 30, mbRight);
    EXPECT_EQ(clicks, 1);
    // Disabled: still animated unless told not to.
    b->SetEnabled(false);
    EXPECT_EQ(PixelOf(b, 50, 3), b->ColorEnter());
    b->DisabledAnimate = false;
    EXPECT_EQ(PixelOf(b, 50, 3), ColorToRGB(clBtnFace));
}

TEST_F(OnForm, BitmapImagePlacesTheListsBitmap)
{
    TOwBitmapList list(form.get());
    TBitmap red;
    red.SetSize(32, 32);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect(TRect(0, 0, 32, 32));
    list.Bitmaps()->Add(&red);
    auto* img = new TOwBitmapImage(form.get());
    img->SetParent(form.get());
    img->SetBitmapList(&list);
    EXPECT_EQ(PixelOf(img, 50, 50), ColorToRGB(clBtnFace)); // index -1: background only
    img->SetBitmapIndex(0);
    struct Case {
        bool center, stretch;
        int left, right;
    };
    const Case cases[] = {{true, false, 36, 68}, {false, false, 0, 32}, {true, true, 0, 105}};
    for (const Case& c : cases) {
        img->SetCenter(c.center);
        img->SetStretch(c.stretch);
        EXPECT_EQ(img->DestRect().Left, c.left);
        EXPECT_EQ(img->DestRect().Right, c.right);
        EXPECT_EQ(PixelOf(img, c.left + 1, c.left + 1), clRed);
    }
    img->SetBitmapIndex(5);
    EXPECT_EQ(img->GetBitmap(), nullptr);
    img->SetAutoSize(true);
    img->SetBitmapIndex(0);
    EXPECT_EQ(img->Width(), 32);
}

TEST(ContactSheet, ButtonsAndImages)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 360, 110);
    form.SetCaption("Flat buttons");
    form.Show();
    const char* captions[] = {"Normal", "Hot", "Disabled"};
    for (int i = 0; i < 3; ++i) {
        auto* b = new TOwHyperButton(&form);
        b->SetParent(&form);
        b->SetBounds(10 + i * 110, 10, 100, 25);
        b->SetCaption(captions[i]);
        if (i == 2) {
            b->SetEnabled(false);
            b->DisabledAnimate = false;
        }
    }
    TestInput::MouseMove(&form, 160, 20);
    EXPECT_TRUE(SaveControlToPng(&form, TestOutputPath("controls_flat_buttons.png")));
}

} // namespace

namespace {

TEST_F(OnForm, PowerButtonTogglesOnClickAndSpace)
{
    auto* b = new TOwPowerButton(form.get());
    b->SetParent(form.get());
    b->SetLeft(20);
    b->SetTop(60);
    b->SetCaption("Power");
    EXPECT_EQ(b->Width(), 125);
    const TRect led = b->LedRect();
    const int lx = (led.Left + led.Right) / 2, ly = (led.Top + led.Bottom) / 2;
    EXPECT_EQ(PixelOf(b, lx, ly), clGreen);
    std::vector<bool> seen;
    b->OnClick = [&](TObject*) { seen.push_back(b->Active()); };
    TestInput::Click(b, 60, 12);
    EXPECT_TRUE(b->Active());
    EXPECT_EQ(PixelOf(b, lx, ly), clLime);
    // Press, move off, release: nothing.
    TestInput::MouseDown(b, 60, 12);
    TestInput::MouseUp(b, 300, 12);
    EXPECT_TRUE(b->Active());
    b->SetTabStop(true);
    b->SetFocus();
    TestInput::ProcessEvents();
    TestInput::PressKey(b, VK_SPACE);
    EXPECT_FALSE(b->Active());
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
    b->SetEnabled(false);
    EXPECT_EQ(PixelOf(b, lx, ly), ColorToRGB(clBtnFace));
    SaveControlToPng(form.get(), TestOutputPath("controls_power_button.png"));
}

} // namespace

namespace {

TEST_F(OnForm, DemoButtonClicksOnReleaseOverIt)
{
    auto* b = new TOwDemoButton(form.get());
    b->SetParent(form.get());
    b->SetLeft(20);
    b->SetTop(100);
    b->SetCaption("Demo");
    EXPECT_EQ(b->Width(), 150);
    EXPECT_EQ(PixelOf(b, 0, 0), clBlack);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    TestInput::MouseDown(b, 20, 10);
    EXPECT_TRUE(b->Down());
    TestInput::MouseMove(b, 400, 10, ssLeft);
    EXPECT_FALSE(b->Down());
    TestInput::MouseUp(b, 400, 10);
    EXPECT_EQ(clicks, 0);
    TestInput::MouseDown(b, 20, 10);
    TestInput::MouseMove(b, 400, 10, ssLeft);
    TestInput::MouseMove(b, 20, 10, ssLeft);
    TestInput::MouseUp(b, 20, 10);
    EXPECT_EQ(clicks, 1);
    b->SetTabStop(true);
    TestInput::Click(b, 20, 10);
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(b->Focused());
    EXPECT_EQ(PixelOf(b, 0, 0), clBlue);
    TestInput::KeyDown(b, VK_SPACE);
    TestInput::KeyDown(b, VK_SPACE); // key repeat presses nothing more
    TestInput::KeyUp(b, VK_SPACE);
    EXPECT_EQ(clicks, 3);
    SaveControlToPng(form.get(), TestOutputPath("controls_demo_button.png"));
}

} // namespace

#include "components/controls/Owthreads.h"
#include "platform/core/Clock.h"
#include "platform/core/Synchronize.h"

namespace {

struct AniButton : OnForm {
    TOwBitmapList* list = nullptr;
    TOwAniButton* b = nullptr;
    void SetUp() override
    {
        OnForm::SetUp();
        list = new TOwBitmapList(form.get());
        TBitmap strip;
        strip.SetSize(120, 30);
        const TColor frames[] = {clRed, clLime, clBlue, clYellow};
        for (int i = 0; i < 4; ++i) {
            strip.Canvas()->Brush()->SetColor(frames[i]);
            strip.Canvas()->FillRect(TRect(30 * i, 0, 30 * i + 30, 30));
        }
        list->Bitmaps()->Add(&strip);
        TBitmap mask;
        mask.SetSize(30, 30);
        mask.Canvas()->Brush()->SetColor(clWhite);
        mask.Canvas()->FillRect(TRect(0, 0, 30, 30));
        mask.Canvas()->Brush()->SetColor(clBlack);
        mask.Canvas()->FillRect(TRect(0, 0, 15, 30)); // only the left half counts
        list->Bitmaps()->Add(&mask);
        b = new TOwAniButton(form.get());
        b->SetParent(form.get());
        b->SetBounds(10, 10, 50, 50);
        b->SetAutoSize(true);
        b->SetBitmapList(list);
        b->SetImageCount(4);
        b->SetBitmapIndex(0);
    }
    std::vector<int> Run(int Ticks)
    {
        std::vector<int> frames;
        for (int i = 0; i < Ticks && b->Running(); ++i) {
            b->TimerEvent();
            frames.push_back(b->Frame());
        }
        return frames;
    }
};

TEST_F(AniButton, PressRunsTheStripForwardAndBack)
{
    EXPECT_EQ(b->Width(), 30);
    EXPECT_EQ(b->Height(), 30);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    TestInput::Click(b, 10, 10);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(b->Running());
    EXPECT_EQ(Run(20), (std::vector<int>{1, 2, 3, 2, 1, 0, 0, 0}));
    EXPECT_FALSE(b->Running());
    b->SetDown(true); // not a switch: ignored
    EXPECT_FALSE(b->Down());
}

TEST_F(AniButton, SwitchStyleStaysDownUntilTheNextPress)
{
    b->SetSwitchStyle(true);
    TestInput::Click(b, 10, 10);
    EXPECT_EQ(Run(20), (std::vector<int>{1, 2, 3, 3}));
    EXPECT_TRUE(b->Down());
    b->SetBitmapIndex(-1);
    b->SetBitmapIndex(0);
    EXPECT_TRUE(b->Down());
    TestInput::Click(b, 10, 10);
    EXPECT_EQ(Run(20), (std::vector<int>{2, 1, 0, 0}));
    EXPECT_FALSE(b->Down());
    b->SetDown(true);
    EXPECT_EQ(PixelOf(b, 15, 15), clYellow);
}

TEST_F(AniButton, MaskLimitsWherePressesCount)
{
    b->SetMaskIndex(1);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    TestInput::Click(b, 25, 10);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(b->Running());
    TestInput::Click(b, 5, 10);
    EXPECT_EQ(clicks, 1);
}

TEST_F(AniButton, TimerRunsTheAnimationToItsEnd)
{
    SetClockSpeed(50);
    b->SetInterval(100);
    TestInput::Click(b, 10, 10);
    const auto guard = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (b->Running() && std::chrono::steady_clock::now() < guard) {
        CheckSynchronize(5);
        TestInput::ProcessEvents();
    }
    SetClockSpeed(1);
    EXPECT_FALSE(b->Running());
    EXPECT_EQ(b->Frame(), 0);
}

} // namespace

#include "platform/core/Streams.h"

namespace {

// A 40 x 30 picture with a red disc on olive (olive is see-through, the bottom-left pixel).
std::unique_ptr<TBitmap> Disc()
{
    auto b = std::make_unique<TBitmap>();
    b->SetSize(40, 30);
    b->Canvas()->Brush()->SetColor(clOlive);
    b->Canvas()->FillRect(TRect(0, 0, 40, 30));
    b->Canvas()->Brush()->SetColor(clRed);
    b->Canvas()->Pen()->SetColor(clRed);
    b->Canvas()->Ellipse(5, 3, 35, 27);
    return b;
}

TEST_F(OnForm, ShapeButtonCountsPressesOnTheShapeOnly)
{
    auto* b = new TOwShapeBtn(form.get());
    b->SetParent(form.get());
    b->SetLeft(20);
    b->SetTop(20);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    TestInput::Click(b, 20, 15); // no bitmap: nothing counts
    EXPECT_EQ(clicks, 0);
    b->SetBitmap(Disc().get());
    EXPECT_EQ(b->Width(), 40);
    EXPECT_EQ(b->Height(), 30);
    TestInput::Click(b, 1, 1);
    EXPECT_EQ(clicks, 0);
    TestInput::MouseDown(b, 20, 15);
    EXPECT_TRUE(b->Down());
    TestInput::MouseMove(b, 1, 1, ssLeft);
    EXPECT_FALSE(b->Down());
    TestInput::MouseUp(b, 1, 1);
    EXPECT_EQ(clicks, 0);
    TestInput::Click(b, 20, 15);
    EXPECT_EQ(clicks, 1);
}

TEST(ShapeRims, RaisedAndPressedImages)
{
    auto disc = Disc();
    TBitmap up, down;
    Create3DBitmap(disc.get(), false, &up);
    Create3DBitmap(disc.get(), true, &down);
    // Just outside the disc's right edge (x = 35 .. 36) on its middle row.
    int right = 34;
    while (right < 39 && disc->Canvas()->Pixels(right, 15) == clRed)
        ++right;
    EXPECT_EQ(up.Canvas()->Pixels(right, 15), ColorToRGB(clBtnShadow));
    EXPECT_EQ(up.Canvas()->Pixels(right + 1, 15), clBlack);
    EXPECT_EQ(down.Canvas()->Pixels(right, 15), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(down.Canvas()->Pixels(right + 1, 15), clOlive); // no outer rim bottom-right when pressed
    int left = 5;
    while (left < 20 && disc->Canvas()->Pixels(left, 15) != clRed)
        ++left;
    EXPECT_EQ(up.Canvas()->Pixels(left - 1, 15), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(up.Canvas()->Pixels(left - 2, 15), clBlack);
    EXPECT_EQ(down.Canvas()->Pixels(left - 2, 15), clBlack);
    // The generated images round-trip through their stream property.
    TOwShapeBtn a(nullptr), b(nullptr);
    a.SetBitmap(disc.get());
    TMemoryStream s;
    a.WriteBitmapData(&s);
    s.SetPosition(0);
    b.ReadBitmapData(&s);
    EXPECT_EQ(b.DownImage()->Canvas()->Pixels(right, 15), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(s.Position(), s.Size());
}

} // namespace
