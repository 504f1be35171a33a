// A form with one of each standard control, rendered headless to a PNG.
#include <gtest/gtest.h>

#include "platform/forms/Application.h"
#include "platform/forms/Button.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/DateTimePicker.h"
#include "platform/forms/Edit.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/forms/Memo.h"
#include "platform/forms/Menus.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/Panel.h"
#include "platform/forms/Render.h"
#include "platform/forms/ScrollBar.h"
#include "platform/forms/Shape.h"
#include "platform/forms/SpeedButton.h"
#include "platform/forms/StaticText.h"
#include "platform/forms/StatusBar.h"
#include "TestSupport.h"

namespace {

template <typename T>
T* Make(TComponent* owner, TWinControl* parent, const char* name, int l, int t, int w, int h)
{
    auto* c = new T(owner);
    c->SetName(name);
    c->SetParent(parent);
    c->SetBounds(l, t, w, h);
    return c;
}

class SampleForm : public TForm {
public:
    explicit SampleForm(TComponent* owner) : TForm(owner)
    {
        SetCaption("Sample controls");
        SetBorderStyle(bsSingle);
        SetBorderIcons(biSystemMenu | biMinimize);
        auto* menu = new TMainMenu(this);
        for (const char* cap : {"&File", "&Setting", "&About"}) {
            auto* item = new TMenuItem(this);
            item->SetCaption(cap);
            menu->Items()->Add(item);
        }
        auto* sub = new TMenuItem(this);
        sub->SetCaption("E&xit");
        menu->Items()->Items(0)->Add(sub);
        SetMenu(menu);
        SetClientWidth(560);
        SetClientHeight(400);

        auto* top = Make<TPanel>(this, this, "TopPanel", 0, 0, 560, 34);
        top->SetAlign(alTop);
        top->SetCaption("");
        auto* sb1 = Make<TSpeedButton>(this, top, "OpenBtn", 6, 5, 60, 24);
        sb1->SetCaption("Open");
        auto* sb2 = Make<TSpeedButton>(this, top, "FlatBtn", 70, 5, 60, 24);
        sb2->SetCaption("Flat");
        sb2->SetFlat(true);
        auto* lab = Make<TLabel>(this, top, "TitleLab", 145, 10, 0, 0);
        lab->SetCaption("Label on a panel");

        auto* pages = Make<TPageControl>(this, this, "Pages", 8, 42, 300, 300);
        auto* t1 = new TTabSheet(this);
        t1->SetName("EntryTab");
        t1->SetCaption("Entry");
        t1->SetPageControl(pages);
        auto* t2 = new TTabSheet(this);
        t2->SetName("OtherTab");
        t2->SetCaption("Other");
        t2->SetPageControl(pages);
        auto* t3 = new TTabSheet(this);
        t3->SetName("HiddenTab");
        t3->SetCaption("Hidden");
        t3->SetPageControl(pages);
        t3->SetTabVisible(false);

        auto* l1 = Make<TLabel>(this, t1, "NameLab", 8, 12, 0, 0);
        l1->SetCaption("Name:");
        auto* ed = Make<TEdit>(this, t1, "NameEdit", 80, 8, 190, 21);
        ed->SetText("Zorvane");
        auto* l2 = Make<TLabel>(this, t1, "DateLab", 8, 40, 0, 0);
        l2->SetCaption("Date:");
        auto* mask = Make<TMaskEdit>(this, t1, "DateEdit", 80, 36, 100, 21);
        mask->SetEditMask("99/99/0000;1;_");
        mask->SetText("12/25/2021");
        auto* cb = Make<TComboBox>(this, t1, "KindBox", 80, 64, 190, 21);
        cb->SetStyle(csDropDownList);
        cb->Items()->SetCommaText("Cs-Rs,Cs-D,Cp-Rp");
        cb->SetItemIndex(0);
        auto* chk = Make<TCheckBox>(this, t1, "AutoCheck", 8, 94, 120, 17);
        chk->SetCaption("Automatic");
        chk->SetChecked(true);
        auto* rb = Make<TRadioButton>(this, t1, "SingleRadio", 140, 94, 120, 17);
        rb->SetCaption("Single");
        rb->SetChecked(true);
        auto* rg = Make<TRadioGroup>(this, t1, "SpeedGroup", 8, 118, 262, 60);
        rg->SetCaption("Speed");
        rg->SetColumns(3);
        rg->Items()->SetCommaText("SLOW,MED,FAST");
        rg->SetItemIndex(1);
        auto* memo = Make<TMemo>(this, t1, "LogMemo", 8, 186, 262, 50);
        memo->Lines()->Add("First line");
        memo->Lines()->Add("Second line");
        auto* ok = Make<TButton>(this, t1, "OkBtn", 114, 242, 75, 25);
        ok->SetCaption("OK");
        ok->SetDefault(true);
        auto* cancel = Make<TButton>(this, t1, "CancelBtn", 195, 242, 75, 25);
        cancel->SetCaption("Cancel");

        auto* gb = Make<TGroupBox>(this, this, "Extras", 318, 42, 234, 300);
        gb->SetCaption("Extras");
        auto* lb = Make<TListBox>(this, gb, "StepList", 10, 20, 100, 80);
        lb->Items()->SetCommaText("Step1,Step2,Step3,Step4");
        lb->SetItemIndex(1);
        auto* st = Make<TStaticText>(this, gb, "ValueSta", 120, 22, 0, 0);
        st->SetBorderStyle(sbsSunken);
        st->SetCaption(" 1.23456 nF");
        auto* sh = Make<TShape>(this, gb, "Lamp", 120, 50, 30, 30);
        sh->SetShape(TShapeType::stCircle);
        sh->Brush()->SetColor(clLime);
        auto* sq = Make<TShape>(this, gb, "Box", 160, 50, 50, 30);
        sq->SetShape(TShapeType::stRoundRect);
        sq->Brush()->SetColor(clYellow);
        auto* bev = Make<TBevel>(this, gb, "Line", 10, 108, 214, 2);
        bev->SetShape(bsTopLine);
        auto* img = Make<TImage>(this, gb, "Picture", 10, 116, 64, 48);
        TBitmap* b = img->Picture()->Bitmap();
        b->SetSize(64, 48);
        b->Canvas()->Brush()->SetColor(clNavy);
        b->Canvas()->FillRect(TRect(0, 0, 64, 48));
        b->Canvas()->Brush()->SetColor(clAqua);
        b->Canvas()->Ellipse(8, 4, 56, 44);
        auto* dt = Make<TDateTimePicker>(this, gb, "DatePick", 84, 120, 140, 21);
        dt->SetDateTime(44525.0);
        auto* sbar = Make<TScrollBar>(this, gb, "Level", 84, 150, 140, 17);
        sbar->SetPosition(30);
        auto* inner = Make<TPanel>(this, gb, "InnerPanel", 10, 176, 214, 40);
        inner->SetBevelOuter(bvLowered);
        inner->SetCaption("Lowered panel");
        auto* led = Make<TPanel>(this, gb, "BlackPanel", 10, 224, 214, 40);
        led->SetColor(clBlack);
        led->Font()->SetColor(clLime);
        led->Font()->SetSize(12);
        led->Font()->SetStyle(fsBold);
        led->SetCaption("1.00000 kHz");

        auto* status = Make<TStatusBar>(this, this, "StatusBar", 0, 0, 0, 19);
        status->SetSimplePanel(true);
        status->SetSimpleText(" ComPort Off_Line ");
    }
};

} // namespace

TEST(SampleForm, RendersOneOfEachControlToPng)
{
    SampleForm f(nullptr);
    TBitmap bmp;
    RenderControl(&f, &bmp);
    ASSERT_EQ(bmp.Width(), f.Width());
    ASSERT_EQ(bmp.Height(), f.Height());
    // The client area shows the form's face colour, the caption bar the caption colour.
    const int fx = f.FrameWidth(), fy = f.FrameWidth() + f.CaptionHeight() + f.MenuHeight();
    EXPECT_EQ(bmp.Canvas()->Pixels(fx + 312, fy + 200), ColorToRGB(clBtnFace));
    EXPECT_EQ(bmp.Canvas()->Pixels(fx + 1, f.FrameWidth() + 1), ColorToRGB(clActiveCaption));
    // The lime lamp is drawn in exact colour.
    auto* lamp = static_cast<TControl*>(f.FindComponent("Lamp"));
    ASSERT_NE(lamp, nullptr);
    const TPoint p = lamp->ClientToParent(TPoint(15, 15), &f);
    EXPECT_EQ(bmp.Canvas()->Pixels(fx + p.x, fy + p.y), clLime);
    EXPECT_TRUE(SaveControlToPng(&f, TestOutputPath("sample_form.png")));
}
