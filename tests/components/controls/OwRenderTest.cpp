// Renders each owner-drawn control in its states to PNG files for a look.
#include <gtest/gtest.h>

#include <memory>

#include "components/controls/Owbuttons.h"
#include "components/controls/Owdesign.h"
#include "components/controls/Owhyperctrls.h"
#include "components/controls/Owleds.h"
#include "platform/forms/Panel.h"
#include "platform/forms/Render.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "tests/support/TestOutput.h"

namespace {
std::unique_ptr<TPanel> Sheet(int w, int h, TColor color)
{
    auto p = std::make_unique<TPanel>(nullptr);
    p->SetBounds(0, 0, w, h);
    p->SetColor(color);
    p->SetCaption("");
    return p;
}

TEST(OwRender, ShadowButtons)
{
    auto sheet = Sheet(400, 60, clBtnFace);
    const char* captions[] = {"Up", "Pressed", "Disabled"};
    const TColor faces[] = {clLime, clRed, clAqua};
    TOwShadowButton* buttons[3];
    for (int i = 0; i < 3; ++i) {
        auto* b = new TOwShadowButton(sheet.get());
        b->SetParent(sheet.get());
        b->SetBounds(10 + i * 128, 12, 118, 36);
        b->SetCaption(captions[i]);
        b->SetDepth(3);
        b->Pen()->SetColor(clBlack);
        b->Brush()->SetColor(faces[i]);
        b->Font()->SetStyle(fsBold);
        b->Font()->SetColor(clBlack);
        b->Font()->SetSize(10);
        b->SetDisabledTextColor(clGray);
        buttons[i] = b;
    }
    TBitmap warm;
    RenderControl(sheet.get(), &warm); // lays out the faces
    buttons[1]->HandleMouseDown(mbLeft, 0, 50, 15);
    buttons[2]->SetEnabled(false);
    EXPECT_TRUE(SaveControlToPng(sheet.get(), TestOutputPath("controls_shadow_buttons.png")));
    buttons[1]->HandleMouseUp(mbLeft, 0, 50, 15);
}

// A front-panel key: a grey key with a digit on black, black being see-through.
std::unique_ptr<TBitmap> KeyPicture(int frames)
{
    auto g = std::make_unique<TBitmap>();
    g->SetSize(55 * frames, 24);
    TCanvas* c = g->Canvas();
    c->Brush()->SetColor(clBlack);
    c->FillRect(TRect(0, 0, 55 * frames, 24));
    const TColor faces[] = {clSilver, RGB(230, 230, 160), clGray, RGB(90, 90, 90)};
    for (int f = 0; f < frames; ++f) {
        c->Brush()->SetColor(faces[f]);
        c->Pen()->SetColor(clWhite);
        c->RoundRect(f * 55 + 1, 1, f * 55 + 54, 23, 8, 8);
        c->Brush()->SetStyle(bsClear);
        c->Font()->SetColor(clBlack);
        c->Font()->SetStyle(fsBold);
        TRect r(f * 55, 0, f * 55 + 55, 24);
        c->DrawText("7", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        c->Brush()->SetStyle(bsSolid);
    }
    return g;
}

TEST(OwRender, BitmapKeys)
{
    auto sheet = Sheet(300, 80, clBlack);
    TOwBitmapButton* keys[8];
    for (int row = 0; row < 2; ++row) {
        auto glyph = KeyPicture(row == 0 ? 1 : 4);
        for (int i = 0; i < 4; ++i) {
            auto* k = new TOwBitmapButton(sheet.get());
            k->SetParent(sheet.get());
            k->SetLeft(10 + i * 70);
            k->SetTop(8 + row * 36);
            k->SetAutoSize(true);
            k->SetTransparentMode(tmPixel);
            k->SetColor(clBlack);
            k->SetGlyph(glyph.get());
            k->SetNumGlyphs(row == 0 ? 1 : 4);
            keys[row * 4 + i] = k;
        }
    }
    for (int row = 0; row < 2; ++row) {
        keys[row * 4 + 1]->CMMouseEnter();
        keys[row * 4 + 2]->HandleMouseDown(mbLeft, 0, 20, 10);
        keys[row * 4 + 3]->SetEnabled(false);
    }
    EXPECT_EQ(keys[0]->Width(), 58);
    EXPECT_TRUE(SaveControlToPng(sheet.get(), TestOutputPath("controls_bitmap_keys.png")));
}

TEST(OwRender, UserLeds)
{
    auto sheet = Sheet(380, 80, clBtnFace);
    const TColor swatches[] = {clRed, clBlue, clYellow, clGreen, clFuchsia, clMaroon, clPurple, TColorOf(4227327)};
    for (int i = 0; i < 8; ++i) {
        auto* led = new TOwUserLed(sheet.get());
        led->SetParent(sheet.get());
        led->SetBounds(10 + i * 45, 8, 36, 25);
        led->Bevel()->SetInnerStyle(TOwBevelStyle::bsNone);
        led->PaletteEx()->SetLow1(swatches[i]);
        led->PaletteEx()->SetLow2(swatches[i]);
        led->PaletteEx()->SetHigh1(swatches[i]);
        led->PaletteEx()->SetHigh2(swatches[i]);
    }
    // Gradient LEDs: low and high in the default and two other palettes.
    const TColor palettes[3][4] = {{clMaroon, clBlack, clRed, clBlack},
                                   {clGreen, clBlack, clLime, clBlack},
                                   {clNavy, clBlack, clAqua, clBlue}};
    for (int p = 0; p < 3; ++p)
        for (int a = 0; a < 2; ++a) {
            auto* led = new TOwUserLed(sheet.get());
            led->SetParent(sheet.get());
            led->SetBounds(10 + (p * 2 + a) * 60, 44, 50, 24);
            TOwPaletteEx* pal = led->PaletteEx();
            pal->SetLow1(palettes[p][0]);
            pal->SetLow2(palettes[p][1]);
            pal->SetHigh1(palettes[p][2]);
            pal->SetHigh2(palettes[p][3]);
            led->SetActive(a == 1);
        }
    EXPECT_TRUE(SaveControlToPng(sheet.get(), TestOutputPath("controls_user_leds.png")));
}

TEST(OwRender, WebLabels)
{
    auto sheet = Sheet(470, 45, clBtnFace);
    TOwWebLabel* labels[2];
    for (int i = 0; i < 2; ++i) {
        auto* l = new TOwWebLabel(sheet.get());
        l->SetParent(sheet.get());
        l->SetBounds(10 + i * 230, 10, 220, 25);
        l->SetCaption("www.example.com");
        TFont f;
        f.SetName("Arial");
        f.SetSize(12);
        f.SetStyle(fsBold | fsUnderline);
        f.SetColor(clBlue);
        l->SetFontLeave(&f);
        f.SetColor(clRed); // hot text in another colour, to be seen
        l->SetFontEnter(&f);
        l->SetColorEnter(clBtnFace);
        l->SetColorLeave(clBtnFace);
        l->TextOutline()->SetVisible(false);
        labels[i] = l;
    }
    labels[1]->CMMouseEnter();
    EXPECT_TRUE(SaveControlToPng(sheet.get(), TestOutputPath("controls_web_labels.png")));
}
}
