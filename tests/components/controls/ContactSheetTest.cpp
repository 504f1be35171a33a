// The contact sheet: every control of the edit family in its states on one form, rendered
// to a PNG for a look.
#include <gtest/gtest.h>

#include <memory>

#include "components/controls/Ravdirectoryedit.h"
#include "components/controls/VodurizMask.h"
#include "platform/forms/Form.h"
#include "platform/forms/Label.h"
#include "platform/forms/Render.h"
#include "platform/forms/TestInput.h"
#include "tests/support/TestOutput.h"

namespace {

struct Sheet {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    int row = 0;
    Sheet(int w, int h)
    {
        form->SetBounds(0, 0, w, h);
        form->SetCaption("Window controls");
        form->Show();
    }
    template <class T>
    T* Add(int column, const char* caption)
    {
        auto* c = new T(form.get());
        c->SetParent(form.get());
        c->SetBounds(130 + column * 190, 10 + row * 34, 170, 24);
        if (column == 0) {
            auto* l = new TLabel(form.get());
            l->SetParent(form.get());
            l->SetBounds(8, 14 + row * 34, 118, 16);
            l->SetCaption(caption);
        }
        return c;
    }
    void Next() { ++row; }
};

TEST(ContactSheet, EditFamily)
{
    Sheet s(720, 330);
    auto* plain = s.Add<TVodUrizBtn>(0, "Edit with button");
    plain->SetText("12.5");
    auto* flat = s.Add<TVodUrizBtn>(1, "");
    flat->SetText("flat");
    flat->SetFlat(true);
    auto* drop = s.Add<TVodUrizBtn>(2, "");
    drop->SetButtonStyle(bsDropDown);
    drop->SetButtonCaption("v");
    drop->SetText("drop-down");
    s.Next();
    auto* unit = s.Add<TUnitVodUrizBtn>(0, "Unit edit");
    unit->Units()->SetCommaText("mV,V");
    unit->SetUnitID("mV");
    unit->SetText("250");
    auto* unitOff = s.Add<TUnitVodUrizBtn>(1, "");
    unitOff->SetUnitID("V");
    unitOff->SetText("1.5");
    unitOff->SetEnabled(false);
    s.Next();
    auto* dir = s.Add<TRavDirectoryEdit>(0, "Directory edit");
    dir->SetText("/tmp");
    EXPECT_FALSE(dir->Glyph()->Empty());
    auto* dirBad = s.Add<TRavDirectoryEdit>(1, "");
    dirBad->SetText("/no/such/folder");
    dirBad->SetShowError(true);
    dirBad->IsValidDirectory();
    s.Next();
    auto* mask = s.Add<TRavMaskEdit>(0, "Mask edit");
    mask->SetEditMask("000-000;1;_");
    mask->SetText("123456");
    auto* maskFlat = s.Add<TRavMaskEdit>(1, "");
    maskFlat->SetFlat(true);
    maskFlat->SetEditMask("00:00;1;_");
    auto* maskLabel = s.Add<TRavMaskEdit>(2, "");
    maskLabel->SetBorder3D(true);
    maskLabel->SetText("3D border");
    s.Next();
    auto* look = s.Add<TVodUriz>(0, "Lookup list");
    look->Lookup()->Enabled = true;
    look->Lookup()->DisplayList()->SetCommaText("Apple,apricot,avocado,Banana");
    look->SetFocus();
    TestInput::ProcessEvents();
    TestInput::TypeText(look, "ap");
    auto* url = s.Add<TVodUriz>(1, "");
    url->SetShowURL(true);
    url->SetText("www.example.org");
    TestInput::ProcessEvents();
    EXPECT_TRUE(SaveControlToPng(s.form.get(), TestOutputPath("controls_edit_family.png")));
}

} // namespace

#include "components/controls/OwclassesProps.h"
#include "components/controls/Owbuttons.h"
#include "components/controls/Owdesign.h"
#include "components/controls/Owdisplay.h"
#include "components/controls/Owedit.h"
#include "components/controls/Owhyperctrls.h"
#include "components/controls/Owleds.h"
#include "components/controls/Owsystem.h"
#include "platform/graphics/Canvas.h"

namespace {

std::unique_ptr<TBitmap> Frames(int W, int H, std::vector<TColor> Colours, TColor Back)
{
    auto b = std::make_unique<TBitmap>();
    b->SetSize(W * static_cast<int>(Colours.size()), H);
    b->Canvas()->Brush()->SetColor(Back);
    b->Canvas()->FillRect(TRect(0, 0, b->Width(), H));
    for (size_t i = 0; i < Colours.size(); ++i) {
        const int x = W * static_cast<int>(i);
        b->Canvas()->Brush()->SetColor(Colours[i]);
        b->Canvas()->Pen()->SetColor(clBlack);
        b->Canvas()->Rectangle(x + 2, 2, x + W - 2, H - 2);
    }
    return b;
}

TEST(ContactSheet, OwnerDrawnLibrary)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 760, 470);
    form.SetCaption("Owner-drawn controls");
    form.Show();
    TestInput::ProcessEvents();
    auto place = [&](TControl* c, int x, int y, int w = -1, int h = -1) {
        c->SetParent(&form);
        c->SetBounds(x, y, w < 0 ? c->Width() : w, h < 0 ? c->Height() : h);
    };
    auto label = [&](const char* text, int y) {
        auto* l = new TLabel(&form);
        l->SetParent(&form);
        l->SetBounds(8, y + 4, 110, 16);
        l->SetCaption(text);
    };
    auto* list = new TOwBitmapList(&form);
    list->Bitmaps()->Add(Frames(13, 13, {clWhite, clLime, clGray}, clOlive).get());   // 0 check box
    list->Bitmaps()->Add(Frames(13, 13, {clWhite, clRed}, clOlive).get());            // 1 radio
    list->Bitmaps()->Add(Frames(30, 30, {clRed, clLime, clBlue, clYellow}, clBtnFace).get()); // 2 animation
    list->Bitmaps()->Add(Frames(48, 48, {RGB(0, 120, 160)}, clWhite).get());          // 3 picture

    int y = 10;
    label("Power buttons", y);
    for (int i = 0; i < 3; ++i) {
        auto* p = new TOwPowerButton(&form);
        place(p, 120 + i * 135, y, 125, 25);
        p->SetCaption(i == 0 ? "Off" : i == 1 ? "On" : "Disabled");
        p->SetActive(i == 1);
        p->SetEnabled(i != 2);
    }
    y += 35;
    label("Bevelled buttons", y);
    for (int i = 0; i < 3; ++i) {
        auto* d = new TOwDemoButton(&form);
        place(d, 120 + i * 160, y, 150, 25);
        d->SetCaption(i == 0 ? "Normal" : i == 1 ? "Pressed" : "Disabled");
        if (i == 1)
            d->HandleMouseDown(mbLeft, 0, 10, 10);
        d->SetEnabled(i != 2);
        if (i == 0)
            d->Font3D()->SetStyle(f3dRaised);
    }
    y += 35;
    label("Flat buttons", y);
    TOwHyperButton* hot = nullptr;
    for (int i = 0; i < 3; ++i) {
        auto* h = new TOwHyperButton(&form);
        place(h, 120 + i * 110, y, 100, 25);
        h->SetCaption(i == 0 ? "Normal" : i == 1 ? "Hot" : "Disabled");
        if (i == 1)
            hot = h;
        if (i == 2) {
            h->SetEnabled(false);
            h->DisabledAnimate = false;
        }
    }
    y += 35;
    label("Check boxes", y);
    for (int i = 0; i < 3; ++i) {
        auto* c = new TOwBitmapCheckBox(&form);
        place(c, 120 + i * 150, y, 140, 20);
        c->SetBitmapList(list);
        c->SetEnabledGlyphIndex(0);
        c->SetMargin(2);
        c->SetCaption(i == 0 ? "Unchecked" : i == 1 ? "Checked" : "Grayed");
        c->SetState(static_cast<TOwCheckBoxState>(i));
        c->Font3D()->SetStyle(i == 1 ? f3dShadow : f3dNone);
    }
    y += 30;
    label("Radio buttons", y);
    for (int i = 0; i < 3; ++i) {
        auto* r = new TOwBitmapRadioButton(&form);
        place(r, 120 + i * 150, y, 140, 20);
        r->SetBitmapList(list);
        r->SetEnabledGlyphIndex(1);
        r->SetMargin(2);
        r->SetCaption(i == 1 ? "Checked" : "Radio");
        r->SetChecked(i == 1);
    }
    y += 30;
    label("Animated, shaped", y);
    for (int i = 0; i < 4; ++i) {
        auto* a = new TOwAniButton(&form);
        place(a, 120 + i * 40, y, 30, 30);
        a->SetBitmapList(list);
        a->SetImageCount(4);
        a->SetBitmapIndex(2);
        for (int t = 0; t < i; ++t) {
            a->SetSwitchStyle(true);
            a->TimerEvent();
        }
    }
    TBitmap disc;
    disc.SetSize(44, 34);
    disc.Canvas()->Brush()->SetColor(ColorToRGB(clBtnFace)); // the see-through colour is the control's
    disc.Canvas()->FillRect(TRect(0, 0, 44, 34));
    disc.Canvas()->Brush()->SetColor(clSilver);
    disc.Canvas()->Pen()->SetColor(clSilver);
    disc.Canvas()->Ellipse(4, 3, 40, 31);
    for (int i = 0; i < 2; ++i) {
        auto* s = new TOwShapeBtn(&form);
        place(s, 290 + i * 55, y - 2);
        s->SetBitmap(&disc);
        s->SetCaption(i ? "In" : "Up");
        if (i)
            s->HandleMouseDown(mbLeft, 0, 22, 17);
    }
    y += 45;
    label("LEDs, hot image", y);
    for (int i = 0; i < 4; ++i) {
        auto* l = new TOwLed(&form);
        place(l, 120 + i * 55, y, 50, 25);
        l->SetLedType(static_cast<TOwLedType>(i % 3));
        l->SetActive(i % 2 == 1);
        l->SetCaption(i % 2 ? "On" : "Off");
    }
    auto* hi = new TOwHotImage(&form);
    place(hi, 350, y, 85, 60);
    hi->SetCaption("Hot image");
    auto* img = new TOwBitmapImage(&form);
    place(img, 450, y, 60, 60);
    img->SetBitmapList(list);
    img->SetBitmapIndex(3);
    y += 70;
    label("Display, edits", y);
    auto* disp = new TOwDisplay(&form);
    place(disp, 120, y, 150, 80);
    auto* num = new TOwNumEdit(&form);
    place(num, 290, y, 100, 22);
    num->SetDecimals(2);
    num->SetValue(3.25);
    auto* str = new TOwStrEdit(&form);
    place(str, 290, y + 30, 100, 22);
    str->SetText("ABC");
    TestInput::MouseMove(&form, hot->Left() + 10, hot->Top() + 10);
    TestInput::ProcessEvents();
    EXPECT_TRUE(SaveControlToPng(&form, TestOutputPath("controls_contact_sheet.png")));
}

} // namespace
