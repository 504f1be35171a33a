// The bitmap LED and the hot image: pictures, palette, layout, hover and rendering.
#include <gtest/gtest.h>

#include <memory>

#include "components/controls/OwclassesProps.h"
#include "components/controls/Owhyperctrls.h"
#include "components/controls/Owleds.h"
#include "platform/forms/Form.h"
#include "platform/forms/Render.h"
#include "platform/forms/TestInput.h"
#include "platform/graphics/Canvas.h"
#include "tests/support/TestOutput.h"

namespace {

TColor Centre(TOwCustomLed& l)
{
    TBitmap b;
    RenderControl(&l, &b);
    const TRect r = l.ImageRect();
    return b.Canvas()->Pixels((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
}

struct Owned : ::testing::Test {
    std::unique_ptr<TForm> form;
    void SetUp() override
    {
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 300, 200);
        form->Show();
        TestInput::ProcessEvents();
    }
    template <class T>
    T* Make(int left, int top)
    {
        auto* c = new T(form.get());
        c->SetParent(form.get());
        c->SetLeft(left);
        c->SetTop(top);
        return c;
    }
};

TEST_F(Owned, LedShowsItsPaletteColours)
{
    auto* l = Make<TOwLed>(10, 10);
    EXPECT_EQ(l->Width(), 25);
    EXPECT_EQ(l->Height(), 25);
    EXPECT_EQ(l->Color(), clBlack);
    EXPECT_FALSE(l->Active());
    EXPECT_EQ(Centre(*l), clMaroon);
    int changes = 0;
    l->OnChange = [&](TObject*) { ++changes; };
    l->Palette()->SetHigh(clLime);
    l->SetActive(true);
    l->SetActive(true);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(Centre(*l), clLime);
    const TOwLedType types[] = {TOwLed::ltRectangle, TOwLed::ltLargeRect};
    for (TOwLedType t : types) {
        l->SetLedType(t);
        EXPECT_EQ(Centre(*l), clLime) << t;
    }
}

TEST_F(Owned, CustomLedWithoutGlyphsDrawsOnlyTheCaption)
{
    auto* l = Make<TOwLed>(10, 10);
    l->SetBounds(10, 10, 80, 25);
    l->SetLedType(TOwLed::ltCustom);
    l->SetCaption("On");
    TBitmap b;
    RenderControl(l, &b);
    EXPECT_TRUE(l->LedImage()->Empty());
    bool white = false;
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 80; ++x)
            white |= b.Canvas()->Pixels(x, y) == clWhite;
    EXPECT_TRUE(white);
    // A custom two-frame picture.
    TBitmap g;
    g.SetSize(10, 5);
    g.Canvas()->Brush()->SetColor(clBlue);
    g.Canvas()->FillRect(TRect(0, 0, 5, 5));
    g.Canvas()->Brush()->SetColor(clYellow);
    g.Canvas()->FillRect(TRect(5, 0, 10, 5));
    l->SetGlyphs(&g);
    l->SetActive(true);
    EXPECT_EQ(Centre(*l), clYellow);
}

TEST_F(Owned, LedImageTopCentresPictureAndCaption)
{
    auto* l = Make<TOwLed>(10, 10);
    l->SetBounds(10, 10, 60, 60);
    l->SetCaption("Ready");
    l->SetLayout(ImageTop);
    TBitmap b;
    RenderControl(l, &b);
    const TRect i = l->ImageRect(), t = l->TextRect();
    EXPECT_EQ(t.Top - i.Bottom, 5);
    EXPECT_NEAR(i.Top, 60 - t.Bottom, 1);
}

TEST_F(Owned, HotImageChangesUnderTheMouse)
{
    auto* h = Make<TOwHotImage>(100, 50);
    EXPECT_EQ(h->Width(), 85);
    h->SetCaption("A&B");
    TBitmap enter;
    enter.SetSize(10, 10);
    enter.Canvas()->Brush()->SetColor(clLime);
    enter.Canvas()->FillRect(TRect(0, 0, 10, 10));
    h->SetImageEnter(&enter);
    struct Case {
        bool enabled;
        bool hotRect;
        TColor corner;
        TColor inside;
        TColor middle;
    };
    const Case cases[] = {
        {true, true, clYellow, clBlue, clLime},
        {false, true, clYellow, clBlack, clBlack},
        {true, false, clBlue, clBlue, clLime},
    };
    for (const Case& c : cases) {
        h->SetEnabled(c.enabled);
        h->HotRect()->SetVisible(c.hotRect);
        TestInput::MouseMove(form.get(), 5, 5);
        TBitmap out;
        RenderControl(h, &out);
        EXPECT_EQ(out.Canvas()->Pixels(0, 0), clBlack);
        TestInput::MouseMove(form.get(), 140, 90);
        EXPECT_TRUE(h->MouseInside());
        RenderControl(h, &out);
        EXPECT_EQ(out.Canvas()->Pixels(0, 0), c.corner);
        EXPECT_EQ(out.Canvas()->Pixels(5, 5), c.inside);
        EXPECT_EQ(out.Canvas()->Pixels(42, 42), c.middle);
    }
}

TEST(ContactSheet, LedsAndHotImages)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 420, 140);
    form.SetCaption("LEDs and hot images");
    form.SetColor(clBtnFace);
    form.Show();
    const TOwLedType types[] = {TOwLed::ltRounded, TOwLed::ltRectangle, TOwLed::ltLargeRect};
    for (int i = 0; i < 6; ++i) {
        auto* l = new TOwLed(&form);
        l->SetParent(&form);
        l->SetBounds(10 + (i % 3) * 70, 10 + (i / 3) * 30, 64, 25);
        l->SetLedType(types[i % 3]);
        l->SetCaption(i / 3 ? "On" : "Off");
        l->SetActive(i / 3 == 1);
    }
    auto* h1 = new TOwHotImage(&form);
    h1->SetParent(&form);
    h1->SetBounds(230, 10, 85, 85);
    h1->SetCaption("Leave");
    auto* h2 = new TOwHotImage(&form);
    h2->SetParent(&form);
    h2->SetBounds(325, 10, 85, 85);
    h2->SetCaption("Enter");
    TestInput::MouseMove(&form, 360, 50);
    EXPECT_TRUE(SaveControlToPng(&form, TestOutputPath("controls_leds_hot_images.png")));
}

} // namespace
