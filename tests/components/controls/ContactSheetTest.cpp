// The contact sheets: every control of the library in its states on one form, rendered to
// a PNG for a look, and a close-up of the edit family.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "components/controls/OwclassesProps.h"
#include "components/controls/Owbuttons.h"
#include "components/controls/Owdesign.h"
#include "components/controls/Owdisplay.h"
#include "components/controls/Owedit.h"
#include "components/controls/Owhyperctrls.h"
#include "components/controls/Owleds.h"
#include "components/controls/Owsystem.h"
#include "components/controls/Ravdirectoryedit.h"
#include "components/controls/VodurizMask.h"
#include "platform/forms/Form.h"
#include "platform/forms/Label.h"
#include "platform/forms/Render.h"
#include "platform/forms/TestInput.h"
#include "platform/graphics/Canvas.h"
#include "tests/support/ContactSheet.h"
#include "tests/support/TestOutput.h"

namespace {

// The edit family: typed edits, the edit with button in its button's states, the unit,
// directory and mask edits, and last (its list drops below) the lookup list.
void AddEditFamily(ContactSheet& s)
{
    s.Row("Typed edit", 34);
    s.Put<TVodUriz>(0, 170, 24)->SetText("Typed text");
    auto* off = s.Put<TVodUriz>(190, 170, 24);
    off->SetText("Disabled");
    off->SetEnabled(false);
    auto* url = s.Put<TVodUriz>(380, 170, 24);
    url->SetShowURL(true);
    url->SetText("www.example.org");

    // The button normal, hot and pressed; the flat look.
    const char* states[] = {"12.5", "hot", "pressed"};
    for (TButtonStyle style : {bsButton, bsDropDown}) {
        s.Row(style == bsButton ? "Edit with button" : "Drop-down button", 34);
        for (int i = 0; i < 4; ++i) {
            auto* e = s.Put<TVodUrizBtn>(i * 190, 170, 24);
            e->SetButtonStyle(style);
            TRavSpeedButton* b = e->ButtonHost()->Button();
            if (i < 3)
                e->SetText(states[i]);
            if (i == 1)
                b->CMMouseEnter();
            if (i == 2)
                b->HandleMouseDown(mbLeft, 0, 5, 5);
            if (i == 3 && style == bsButton) {
                e->SetText("flat");
                e->SetFlat(true);
            }
            if (i == 3 && style == bsDropDown) {
                e->SetText("disabled");
                e->SetEnabled(false);
            }
        }
    }
    s.Row("Unit edit", 34);
    auto* unit = s.Put<TUnitVodUrizBtn>(0, 170, 24);
    unit->Units()->SetCommaText("mV,V");
    unit->SetUnitID("mV");
    unit->SetText("250");
    auto* unitOff = s.Put<TUnitVodUrizBtn>(190, 170, 24);
    unitOff->SetUnitID("V");
    unitOff->SetText("1.5");
    unitOff->SetEnabled(false);

    s.Row("Directory edit", 34);
    auto* dir = s.Put<TRavDirectoryEdit>(0, 170, 24);
    dir->SetText("/tmp");
    EXPECT_FALSE(dir->Glyph()->Empty());
    auto* dirBad = s.Put<TRavDirectoryEdit>(190, 170, 24);
    dirBad->SetText("/no/such/folder");
    dirBad->SetShowError(true);
    dirBad->IsValidDirectory();

    s.Row("Mask edit", 34);
    auto* mask = s.Put<TRavMaskEdit>(0, 170, 24);
    mask->SetEditMask("000-000;1;_");
    mask->SetText("123456");
    auto* maskFlat = s.Put<TRavMaskEdit>(190, 170, 24);
    maskFlat->SetFlat(true);
    maskFlat->SetEditMask("00:00;1;_");
    auto* maskLabel = s.Put<TRavMaskEdit>(380, 170, 24);
    maskLabel->SetBorder3D(true);
    maskLabel->SetText("3D border");

    s.Row("Lookup list", 80);
    auto* look = s.Put<TVodUriz>(0, 170, 24);
    look->Lookup()->Enabled = true;
    look->Lookup()->DisplayList()->SetCommaText("Apple,apricot,avocado,Banana");
    look->SetFocus();
    TestInput::ProcessEvents();
    TestInput::TypeText(look, "ap");
    TestInput::ProcessEvents();
}

TEST(ContactSheet, EditFamily)
{
    ContactSheet s(900, 310, "Window controls");
    AddEditFamily(s);
    EXPECT_TRUE(SaveControlToPng(s.form.get(), TestOutputPath("controls_edit_family.png")));
}

// ---------------------------------------------------------------- pictures

std::unique_ptr<TBitmap> Strip(int W, int H, int Frames, TColor Back)
{
    auto b = std::make_unique<TBitmap>();
    b->SetSize(W * Frames, H);
    b->Canvas()->Brush()->SetColor(Back);
    b->Canvas()->FillRect(TRect(0, 0, W * Frames, H));
    return b;
}

// Classic 13 x 13 check box frames (unchecked, checked, grayed) on olive, the see-through
// colour; Disabled draws them greyed.
std::unique_ptr<TBitmap> CheckFrames(bool Disabled)
{
    auto b = Strip(13, 13, 3, clOlive);
    TCanvas* c = b->Canvas();
    for (int f = 0; f < 3; ++f) {
        TRect r(f * 13, 0, f * 13 + 13, 13);
        c->DrawEdge(r, EDGE_SUNKEN, BF_RECT);
        c->Brush()->SetColor(Disabled || f == 2 ? clBtnFace : clWindow);
        c->FillRect(TRect(f * 13 + 2, 2, f * 13 + 11, 11));
        if (f == 0)
            continue;
        // The check mark: seven columns, three pixels tall, down then up.
        const TColor mark = Disabled || f == 2 ? clBtnShadow : clWindowText;
        const int tops[] = {5, 6, 7, 6, 5, 4, 3};
        for (int i = 0; i < 7; ++i)
            for (int k = 0; k < 3; ++k)
                c->SetPixels(f * 13 + 3 + i, tops[i] + k, mark);
    }
    return b;
}

// Classic 12 x 12 radio button frames (off, on) on olive.
std::unique_ptr<TBitmap> RadioFrames(bool Disabled)
{
    auto b = Strip(12, 12, 2, clOlive);
    TCanvas* c = b->Canvas();
    for (int f = 0; f < 2; ++f) {
        const int x = f * 12;
        c->Pen()->SetColor(clBtnShadow);
        c->Brush()->SetColor(clBtnHighlight);
        c->Ellipse(x, 0, x + 12, 12);
        c->Pen()->SetColor(cl3DDkShadow);
        c->Brush()->SetColor(Disabled ? clBtnFace : clWindow);
        c->Ellipse(x + 1, 1, x + 11, 11);
        if (f == 1) {
            c->Pen()->SetColor(Disabled ? clBtnShadow : clWindowText);
            c->Brush()->SetColor(Disabled ? clBtnShadow : clWindowText);
            c->Ellipse(x + 4, 4, x + 8, 8);
        }
    }
    return b;
}

// A round key in four frames: up, hot, pressed, disabled, on the button's colour (its
// see-through colour).
std::unique_ptr<TBitmap> KeyFrames()
{
    auto b = Strip(34, 34, 4, ColorToRGB(clBtnFace));
    TCanvas* c = b->Canvas();
    const TColor faces[] = {RGB(60, 110, 200), RGB(90, 150, 240), RGB(30, 70, 150), clSilver};
    for (int f = 0; f < 4; ++f) {
        const int x = f * 34, d = f == 2 ? 1 : 0;
        c->Pen()->SetColor(clBlack);
        c->Brush()->SetColor(faces[f]);
        c->Ellipse(x + 2 + d, 2 + d, x + 32 + d, 32 + d);
        // A play triangle on the key.
        c->Pen()->SetColor(f == 3 ? clGray : clWhite);
        for (int i = 0; i < 6; ++i) {
            c->MoveTo(x + 14 + i + d, 11 + i + d);
            c->LineTo(x + 14 + i + d, 23 - i + d);
        }
    }
    return b;
}

// A picture: a disc in Colour on a square of Back.
std::unique_ptr<TBitmap> Disc(int Size, TColor Colour, TColor Back)
{
    auto b = Strip(Size, Size, 1, Back);
    b->Canvas()->Pen()->SetColor(clBlack);
    b->Canvas()->Brush()->SetColor(Colour);
    b->Canvas()->Ellipse(Size / 6, Size / 6, Size - Size / 6, Size - Size / 6);
    return b;
}

TEST(ContactSheet, OwnerDrawnLibrary)
{
    ContactSheet s(900, 870, "Window controls library");
    auto* list = new TOwBitmapList(s.form.get());
    list->Bitmaps()->Add(CheckFrames(false).get()); // 0 check box
    list->Bitmaps()->Add(CheckFrames(true).get());  // 1 check box, disabled
    list->Bitmaps()->Add(RadioFrames(false).get()); // 2 radio button
    list->Bitmaps()->Add(RadioFrames(true).get());  // 3 radio button, disabled
    auto frames = Strip(30, 30, 4, clBtnFace);      // 4 animation
    const TColor steps[] = {clRed, clLime, clBlue, clYellow};
    for (int i = 0; i < 4; ++i) {
        frames->Canvas()->Brush()->SetColor(steps[i]);
        frames->Canvas()->Pen()->SetColor(clBlack);
        frames->Canvas()->Rectangle(i * 30 + 2, 2, i * 30 + 28, 28);
    }
    list->Bitmaps()->Add(frames.get());
    list->Bitmaps()->Add(Disc(48, RGB(0, 120, 160), clWhite).get()); // 5 picture

    s.Row("Shadow buttons", 46);
    const char* shadowCaptions[] = {"Up", "Pressed", "Disabled"};
    TOwShadowButton* shadows[3];
    for (int i = 0; i < 3; ++i) {
        auto* b = s.Put<TOwShadowButton>(i * 130, 118, 36);
        b->SetCaption(shadowCaptions[i]);
        b->Pen()->SetColor(clBlack);
        b->Brush()->SetColor(clBtnFace);
        b->Font()->SetColor(clBlack);
        b->SetDisabledTextColor(clGray);
        shadows[i] = b;
    }
    TestInput::ProcessEvents();
    TBitmap warm;
    RenderControl(s.form.get(), &warm); // lays out the faces
    shadows[1]->HandleMouseDown(mbLeft, 0, 50, 15);
    shadows[2]->SetEnabled(false);

    s.Row("Bitmap buttons", 44);
    auto keys = KeyFrames();
    for (int i = 0; i < 4; ++i) {
        auto* k = s.Put<TOwBitmapButton>(i * 50, 38, 38);
        k->SetGlyph(keys.get());
        k->SetNumGlyphs(4);
        if (i == 1)
            k->CMMouseEnter();
        if (i == 2)
            k->HandleMouseDown(mbLeft, 0, 19, 19);
        if (i == 3)
            k->SetEnabled(false);
    }

    s.Row("Power buttons", 35);
    for (int i = 0; i < 3; ++i) {
        auto* p = s.Put<TOwPowerButton>(i * 135, 125, 25);
        p->SetCaption(i == 0 ? "Off" : i == 1 ? "On" : "Disabled");
        p->SetActive(i == 1);
        p->SetEnabled(i != 2);
    }

    s.Row("Bevelled buttons", 35);
    for (int i = 0; i < 4; ++i) {
        auto* d = s.Put<TOwDemoButton>(i * 160, 150, 25);
        d->SetCaption(i == 0 ? "Normal" : i == 1 ? "Hot" : i == 2 ? "Pressed" : "Disabled");
        if (i == 1)
            d->CMMouseEnter();
        if (i == 2)
            d->HandleMouseDown(mbLeft, 0, 10, 10);
        d->SetEnabled(i != 3);
        if (i == 0)
            d->Font3D()->SetStyle(f3dRaised);
    }

    s.Row("Flat buttons", 35);
    for (int i = 0; i < 4; ++i) {
        auto* h = s.Put<TOwHyperButton>(i * 110, 100, 25);
        h->SetCaption(i == 0 ? "Normal" : i == 1 ? "Hot" : i == 2 ? "Pressed" : "Disabled");
        if (i == 1)
            h->CMMouseEnter();
        if (i == 2) {
            h->CMMouseEnter();
            h->HandleMouseDown(mbLeft, 0, 10, 10);
        }
        if (i == 3) {
            h->SetEnabled(false);
            h->DisabledAnimate = false;
        }
    }

    s.Row("Check boxes", 28);
    const char* checkCaptions[] = {"Unchecked", "Checked", "Grayed", "Disabled"};
    for (int i = 0; i < 4; ++i) {
        auto* c = s.Put<TOwBitmapCheckBox>(i * 150, 140, 20);
        c->SetBitmapList(list);
        c->SetEnabledGlyphIndex(0);
        c->SetDisabledGlyphIndex(1);
        c->SetMargin(2);
        c->SetCaption(checkCaptions[i]);
        c->SetState(i == 3 ? vcbChecked : static_cast<TOwCheckBoxState>(i));
        c->SetEnabled(i != 3);
    }

    s.Row("Radio buttons", 28);
    const char* radioCaptions[] = {"Radio", "Checked", "Disabled"};
    for (int i = 0; i < 3; ++i) {
        auto* r = s.Put<TOwBitmapRadioButton>(i * 150, 140, 20);
        r->SetBitmapList(list);
        r->SetEnabledGlyphIndex(2);
        r->SetDisabledGlyphIndex(3);
        r->SetMargin(2);
        r->SetCaption(radioCaptions[i]);
        r->SetEnabled(i != 2);
        if (i == 1)
            r->SetChecked(true);
    }

    s.Row("Animated, shaped", 44);
    for (int i = 0; i < 4; ++i) {
        auto* a = s.Put<TOwAniButton>(i * 40, 30, 30);
        a->SetBitmapList(list);
        a->SetImageCount(4);
        a->SetBitmapIndex(4);
        for (int t = 0; t < i; ++t) {
            a->SetSwitchStyle(true);
            a->TimerEvent();
        }
    }
    TBitmap shape;
    shape.SetSize(44, 34);
    shape.Canvas()->Brush()->SetColor(ColorToRGB(clBtnFace)); // the see-through colour is the control's
    shape.Canvas()->FillRect(TRect(0, 0, 44, 34));
    shape.Canvas()->Brush()->SetColor(clSilver);
    shape.Canvas()->Pen()->SetColor(clSilver);
    shape.Canvas()->Ellipse(4, 3, 40, 31);
    for (int i = 0; i < 2; ++i) {
        auto* b = s.Put<TOwShapeBtn>(180 + i * 55, 44, 34, -2);
        b->SetBitmap(&shape);
        b->SetCaption(i ? "In" : "Up");
        if (i)
            b->HandleMouseDown(mbLeft, 0, 22, 17);
    }

    s.Row("LEDs", 36);
    for (int i = 0; i < 2; ++i) {
        auto* u = s.Put<TOwUserLed>(i * 45, 36, 25);
        u->SetActive(i == 1);
    }
    const TOwLedType types[] = {TOwLed::ltRounded, TOwLed::ltRectangle, TOwLed::ltLargeRect};
    for (int i = 0; i < 6; ++i) {
        auto* l = s.Put<TOwLed>(100 + i * 70, 64, 25);
        l->SetLedType(types[i / 2]);
        l->SetActive(i % 2 == 1);
        l->SetCaption(i % 2 ? "On" : "Off");
    }

    s.Row("Hot images", 94);
    auto leave = Disc(40, clGray, clBlack);
    auto enter = Disc(40, clYellow, clBlue);
    for (int i = 0; i < 2; ++i) {
        auto* h = s.Put<TOwHotImage>(i * 95, 85, 85);
        h->SetImageLeave(leave.get());
        h->SetImageEnter(enter.get());
        h->SetCaption(i ? "Hot" : "Normal");
        if (i)
            h->CMMouseEnter();
    }
    auto* img = s.Put<TOwBitmapImage>(200, 60, 60, 10);
    img->SetBitmapList(list);
    img->SetBitmapIndex(5);

    s.Row("Links", 34);
    for (int i = 0; i < 4; ++i) {
        TOwHyperLink* l = i < 2 ? s.Put<TOwHyperLink>(i * 150, 140, 25, 3) : s.Put<TOwWebLabel>(i * 150, 140, 25, 3);
        l->SetCaption(i < 2 ? (i ? "Hot link" : "Hyperlink") : (i == 3 ? "Hot web label" : "www.example.org"));
        l->SetColorLeave(clBtnFace);
        l->SetColorEnter(clBtnFace);
        l->TextOutline()->SetVisible(false);
        TFont f;
        f.SetStyle(fsUnderline);
        f.SetColor(clBlue);
        l->SetFontLeave(&f);
        f.SetColor(clRed);
        l->SetFontEnter(&f);
        if (i % 2)
            l->CMMouseEnter();
    }

    s.Row("Display, edits", 90);
    auto* disp = s.Put<TOwDisplay>(0, 150, 80);
    auto* reading = new TLabel(s.form.get());
    reading->SetParent(disp);
    reading->SetBounds(16, 28, 120, 20);
    reading->SetCaption("12.345 V");
    reading->Font()->SetSize(12);
    auto* num = s.Put<TOwNumEdit>(170, 100, 22);
    num->SetDecimals(2);
    num->SetValue(3.25);
    auto* str = s.Put<TOwStrEdit>(170, 100, 22, 30);
    str->SetText("ABC");

    AddEditFamily(s);
    TestInput::ProcessEvents();
    EXPECT_TRUE(SaveControlToPng(s.form.get(), TestOutputPath("controls_contact_sheet.png")));
}

} // namespace
