// Change events as the class library fires them, and finding controls by built names.
#include <gtest/gtest.h>

#include "platform/core/SysUtils.h"
#include "platform/forms/Application.h"
#include "platform/forms/CheckBox.h"
#include "platform/forms/ComboBox.h"
#include "platform/forms/Edit.h"
#include "platform/forms/GroupBox.h"
#include "platform/forms/Image.h"
#include "platform/forms/Label.h"
#include "platform/forms/Memo.h"
#include "platform/forms/PageControl.h"
#include "platform/forms/Panel.h"
#include "platform/forms/StaticText.h"
#include "platform/forms/StatusBar.h"
#include "platform/forms/TestInput.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleFactory>
#include <memory>

#include "platform/forms/Clipboard.h"
#include "platform/forms/Form.h"
#include "platform/forms/FormsImpl_p.h"
#include "platform/forms/Render.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/graphics/QtGraphics_p.h"
#include "platform/graphics/RichText.h"

TEST(PageControl, OnChangeFiresForTheUsersTabChangeOnly)
{
    TForm form(nullptr);
    auto* pc = new TPageControl(&form);
    pc->SetParent(&form);
    TTabSheet* pages[3];
    const char* names[] = {"Main View", "List Meas", "List Setup"};
    for (int i = 0; i < 3; ++i) {
        pages[i] = new TTabSheet(&form);
        pages[i]->SetCaption(names[i]);
        pages[i]->SetPageControl(pc);
    }
    int changes = 0, changings = 0;
    pc->OnChange = [&](TObject*) { ++changes; };
    pc->OnChanging = [&](TObject*, bool&) { ++changings; };

    pc->SetActivePage(pages[2]);
    pc->SetActivePageIndex(1);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(pc->ActivePage(), pages[1]);
    EXPECT_TRUE(pages[1]->Visible());
    EXPECT_FALSE(pages[2]->Visible());

    const TRect tab = pc->TabRect(0);
    TestInput::Click(pc, tab.Left + 5, tab.Top + 5);
    EXPECT_EQ(pc->ActivePage(), pages[0]);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(changings, 1);

    // A refused change keeps the page and fires no OnChange.
    pc->OnChanging = [&](TObject*, bool& allow) { allow = false; };
    const TRect tab2 = pc->TabRect(2);
    TestInput::Click(pc, tab2.Left + 5, tab2.Top + 5);
    EXPECT_EQ(pc->ActivePage(), pages[0]);
    EXPECT_EQ(changes, 1);
}

TEST(PageControl, HiddenTabsShowNoTab)
{
    TForm form(nullptr);
    auto* pc = new TPageControl(&form);
    pc->SetParent(&form);
    auto* a = new TTabSheet(&form);
    a->SetPageControl(pc);
    auto* b = new TTabSheet(&form);
    b->SetPageControl(pc);
    b->SetTabVisible(false);
    EXPECT_EQ(a->TabIndex(), 0);
    EXPECT_EQ(b->TabIndex(), -1);
    EXPECT_TRUE(pc->TabRect(1).IsEmpty());
    EXPECT_EQ(b->PageIndex(), 1);
}

TEST(PageControl, HidingTheActiveTabActivatesTheTabInItsPlace)
{
    TForm form(nullptr);
    auto* pc = new TPageControl(&form);
    pc->SetParent(&form);
    TTabSheet* p[4];
    for (auto*& t : p) {
        t = new TTabSheet(&form);
        t->SetPageControl(pc);
    }
    int changes = 0;
    pc->OnChange = [&](TObject*) { ++changes; };
    pc->SetActivePage(p[1]);
    p[1]->SetTabVisible(false);
    EXPECT_EQ(pc->ActivePage(), p[2]);
    p[3]->SetTabVisible(false);
    p[2]->SetTabVisible(false);
    EXPECT_EQ(pc->ActivePage(), p[0]); // the last visible tab
    p[0]->SetTabVisible(false);
    EXPECT_EQ(pc->ActivePage(), nullptr);
    EXPECT_FALSE(p[0]->Visible());
    // Code may still show a page whose tab is hidden, then show its tab.
    pc->SetActivePageIndex(0);
    p[0]->SetTabVisible(true);
    EXPECT_EQ(pc->ActivePage(), p[0]);
    EXPECT_TRUE(p[0]->Visible());
    EXPECT_EQ(changes, 0);
}

TEST(ComboBox, OnChangeFiresForTheUsersChangeOnly)
{
    TForm form(nullptr);
    auto* cb = new TComboBox(&form);
    cb->SetParent(&form);
    cb->SetStyle(csDropDownList);
    cb->Items()->SetCommaText("1,2,3,4");
    int changes = 0;
    cb->OnChange = [&](TObject*) { ++changes; };
    cb->SetItemIndex(2);
    cb->SetText("4");
    EXPECT_EQ(cb->ItemIndex(), 3);
    EXPECT_EQ(changes, 0);
    form.Show();
    cb->SetFocus();
    TestInput::PressKey(cb, VK_UP);
    EXPECT_EQ(cb->ItemIndex(), 2);
    EXPECT_EQ(cb->Text(), "3");
    EXPECT_EQ(changes, 1);
}

TEST(ComboBox, TypingInAnEditableComboFiresOnChange)
{
    TForm form(nullptr);
    auto* cb = new TComboBox(&form);
    cb->SetParent(&form);
    cb->Items()->SetCommaText("FETC?,*IDN?");
    int changes = 0;
    cb->OnChange = [&](TObject*) { ++changes; };
    cb->SetText("*IDN?");
    EXPECT_EQ(cb->ItemIndex(), 1);
    EXPECT_EQ(changes, 0);
    TestInput::TypeText(cb, "X");
    EXPECT_EQ(changes, 1);
}

TEST(RadioGroup, OnClickFiresAlsoWhenCodeSetsItemIndex)
{
    TForm form(nullptr);
    auto* rg = new TRadioGroup(&form);
    rg->SetParent(&form);
    rg->Items()->SetCommaText("1200,9600,38400,57600,115200");
    rg->SetColumns(4);
    int clicks = 0;
    rg->OnClick = [&](TObject*) { ++clicks; };
    rg->SetItemIndex(4);
    EXPECT_EQ(clicks, 1);
    rg->SetItemIndex(4);
    EXPECT_EQ(clicks, 1);
    TestInput::Click(rg->Buttons(1), 5, 8);
    EXPECT_EQ(rg->ItemIndex(), 1);
    EXPECT_EQ(clicks, 2);
    EXPECT_TRUE(rg->Buttons(1)->Checked());
    EXPECT_FALSE(rg->Buttons(4)->Checked());
    // Past the end selects the last item; clearing the selection reports nothing.
    rg->SetItemIndex(9);
    EXPECT_EQ(rg->ItemIndex(), 4);
    EXPECT_EQ(clicks, 3);
    rg->SetItemIndex(-1);
    EXPECT_EQ(rg->ItemIndex(), -1);
    EXPECT_EQ(clicks, 3);
    EXPECT_FALSE(rg->Buttons(4)->Checked());
}

TEST(RadioGroup, RefilledItemsLeaveNoFreedButtonInTheTabOrder)
{
    TForm form(nullptr);
    auto* rg = new TRadioGroup(&form);
    rg->SetParent(&form);
    rg->Items()->SetCommaText("A,B,C,D,E");
    rg->Items()->SetCommaText("OFF,SEQ,STEP");
    std::vector<TWinControl*> order;
    rg->GetTabOrderList(order);
    ASSERT_EQ(order.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(order[static_cast<size_t>(i)], rg->Buttons(i));
    // A windowed child deleted on its own leaves its parent's lists too.
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    delete panel;
    order.clear();
    form.GetTabOrderList(order);
    EXPECT_EQ(order.size(), 4u);
    form.Show();
    form.SelectNext(nullptr, true, true);
}

TEST(CheckBox, ClickTogglesAndCodeChangesFireOnClick)
{
    TForm form(nullptr);
    auto* cb = new TCheckBox(&form);
    cb->SetParent(&form);
    int clicks = 0;
    cb->OnClick = [&](TObject*) { ++clicks; };
    TestInput::Click(cb, 5, 8);
    EXPECT_TRUE(cb->Checked());
    cb->SetChecked(false);
    EXPECT_EQ(clicks, 2);
}

TEST(Memo, LinesAndTextAreOneAndOnChangeFollowsThem)
{
    TForm form(nullptr);
    auto* m = new TMemo(&form);
    m->SetParent(&form);
    int changes = 0;
    m->OnChange = [&](TObject*) { ++changes; };
    m->Lines()->Add("FETC?");
    m->Lines()->Add("+1.23456E-09,+0.00123");
    EXPECT_EQ(m->Text(), "FETC?\r\n+1.23456E-09,+0.00123");
    EXPECT_EQ(m->Lines()->Text(), "FETC?\r\n+1.23456E-09,+0.00123\r\n");
    EXPECT_EQ(changes, 2);
    m->Lines()->Clear();
    EXPECT_EQ(m->Lines()->Count(), 0);
    m->SetText("a\r\nb");
    EXPECT_EQ(m->Lines()->Count(), 2);
    EXPECT_EQ(m->Lines()->Strings(1), "b");
}

// A memo refreshed with the latest reply many times a second: what it shows always follows
// the text set, whether lines change, come or go, and no set text is left for the user's undo.
TEST(Memo, TextSetAgainAndAgainIsShownWhole)
{
    TForm form(nullptr);
    auto* m = new TMemo(&form);
    m->SetParent(&form);
    m->SetBounds(0, 0, 200, 60);
    form.Show();
    auto* e = qobject_cast<QPlainTextEdit*>(zvforms::ImplOf(m)->widget.data());
    ASSERT_NE(e, nullptr);
    const struct {
        const char* text;
        const char* shown;
    } steps[] = {
        {"+1.00008e-07,+1.25677e-03\n", "+1.00008e-07,+1.25677e-03\n"},
        {"+1.00011e-07,+1.25677e-03\n", "+1.00011e-07,+1.25677e-03\n"},
        {"+1.00011e-07,+1.25679e-03\n", "+1.00011e-07,+1.25679e-03\n"},
        {"a\r\nb", "a\nb"},
        {"a\r\nc", "a\nc"},
        {"one", "one"},
        {"", ""},
        {"x\r\ny\r\nz", "x\ny\nz"},
    };
    for (const auto& s : steps) {
        m->SetText(s.text);
        EXPECT_EQ(e->toPlainText().toStdString(), s.shown) << s.text;
        EXPECT_FALSE(e->document()->isUndoAvailable()) << s.text;
    }
}

// Typing in a rich edit keeps the formatting around it; lines set by code replace it.
TEST(RichEdit, TypingKeepsFormattingAndLinesSaveAsRtf)
{
    TForm form(nullptr);
    auto* r = new TRichEdit(&form);
    r->SetParent(&form);
    r->SetBounds(0, 0, 200, 60);
    r->LoadLines("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}\\b\\cf1 Bold}");
    EXPECT_EQ(r->Text(), "Bold");
    EXPECT_FALSE(r->Modified());
    form.Show();
    r->SetFocus();
    r->SetSelection(4, 0);
    TestInput::TypeText(r, "er");
    EXPECT_EQ(r->Text(), "Bolder");
    EXPECT_TRUE(r->Modified());
    const TRichTextContent c = RtfToContent(r->SaveLines());
    ASSERT_EQ(c.size(), 1u);
    ASSERT_EQ(c[0].Runs.size(), 1u);
    EXPECT_EQ(c[0].Runs[0].Text, "Bolder");
    EXPECT_EQ(c[0].Runs[0].Style, fsBold);
    EXPECT_EQ(c[0].Runs[0].Color, clRed);
    r->SelectAll();
    EXPECT_EQ(r->Document()->SelLength(), 6);
    r->Lines()->SetText("plain\r\nlines");
    EXPECT_EQ(r->Document()->PlainText(), "plain\r\nlines");
    EXPECT_EQ(r->Document()->Content()[0].Runs[0].Style, 0u);
    r->SetPlainText(true);
    EXPECT_EQ(r->SaveLines(), "plain\r\nlines");
}

TEST(Edit, SelectionAndMaxLength)
{
    TForm form(nullptr);
    auto* e = new TEdit(&form);
    e->SetParent(&form);
    e->SetText("1.00");
    e->SetSelStart(1);
    e->SetSelLength(3);
    EXPECT_EQ(e->SelText(), ".00");
    e->SetSelText("5");
    EXPECT_EQ(e->Text(), "15");
    e->SetMaxLength(4);
    e->SetText("");
    form.Show();
    e->SetFocus();
    TestInput::TypeText(e, "123456");
    EXPECT_EQ(e->Text(), "1234");
    e->SetReadOnly(true);
    TestInput::TypeText(e, "9");
    EXPECT_EQ(e->Text(), "1234");
}

TEST(Edit, ItsFrameLooksAsTheClassicStyleDrawsIt)
{
    std::unique_ptr<QStyle> classic(QStyleFactory::create("Windows"));
    ASSERT_NE(classic, nullptr);
    struct Case {
        int Width, Height;
        bool Enabled, ReadOnly;
    };
    const Case cases[] = {{200, 24, true, false}, {60, 20, false, false}, {120, 31, true, true}, {6, 6, true, false}};
    for (const Case& k : cases) {
        SCOPED_TRACE(std::to_string(k.Width) + "x" + std::to_string(k.Height));
        TForm form(nullptr);
        auto* e = new TEdit(&form);
        e->SetParent(&form);
        e->SetBounds(4, 4, k.Width, k.Height);
        e->SetEnabled(k.Enabled);
        e->SetReadOnly(k.ReadOnly);
        e->SetText("+1.00008e-07");
        form.Show();
        TestInput::ProcessEvents();
        QWidget* w = zvforms::ImplOf(e)->widget;
        const QImage first = w->grab().toImage();
        const QImage again = w->grab().toImage(); // from the picture kept of the frame
        w->setStyle(classic.get());
        const QImage drawn = w->grab().toImage();
        w->setStyle(QApplication::style());
        EXPECT_TRUE(first == drawn);
        EXPECT_TRUE(again == drawn);
    }
}

TEST(Edit, EveryWayOfPastingGoesThroughPasteFromClipboard)
{
    struct CountingEdit : TEdit {
        using TEdit::TEdit;
        int pastes = 0;
        void PasteFromClipboard() override
        {
            ++pastes;
            TEdit::PasteFromClipboard();
        }
    };
    TForm form(nullptr);
    auto* e = new CountingEdit(&form);
    e->SetParent(&form);
    form.Show();
    e->SetFocus();
    Clipboard()->SetAsText("7");
    TestInput::PressKey(e, 'V', ssCtrl);
    TestInput::PressKey(e, VK_INSERT, ssShift);
    QWidget* w = zvforms::ImplOf(e)->widget;
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), w->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(w, &menu);
    auto* m = w->findChild<QMenu*>();
    ASSERT_NE(m, nullptr);
    QAction* paste = nullptr;
    for (QAction* a : m->actions())
        if (a->text().startsWith("&Paste"))
            paste = a;
    ASSERT_NE(paste, nullptr);
    paste->trigger();
    m->close();
    EXPECT_EQ(e->pastes, 3);
    EXPECT_EQ(e->Text(), "777");
    EXPECT_TRUE(e->Modified());
}

TEST(StaticText, ATransparentOneShowsWhatLiesUnderItsEmptyPixels)
{
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clBlack);
    panel->SetBounds(0, 0, 120, 60);
    auto* under = new TLabel(&form);
    under->SetParent(panel);
    under->SetAutoSize(false);
    under->SetBounds(0, 0, 40, 30);
    under->SetColor(clRed);
    under->SetTransparent(false);
    auto* st = new TStaticText(&form);
    st->SetParent(panel);
    st->SetAutoSize(false);
    st->SetBounds(0, 10, 120, 40);
    st->SetColor(clBlue);
    st->SetCaption("");
    form.Show();
    TBitmap shot;
    RenderControl(panel, &shot);
    EXPECT_EQ(shot.Canvas()->Pixels(5, 15), clBlue);
    st->SetTransparent(true);
    TestInput::ProcessEvents();
    RenderControl(panel, &shot);
    EXPECT_EQ(shot.Canvas()->Pixels(5, 15), clRed);  // the label under it
    EXPECT_EQ(shot.Canvas()->Pixels(80, 15), clBlack); // the panel under it
}

TEST(StaticText, AnOpaqueOnePaintsItsColourUnderItsText)
{
    // Black text on lime over a black panel, opaque from the start or again after being transparent.
    for (const bool wasTransparent : {false, true}) {
        TForm form(nullptr);
        auto* panel = new TPanel(&form);
        panel->SetParent(&form);
        panel->SetBevelOuter(bvNone);
        panel->SetColor(clBlack);
        panel->SetBounds(0, 0, 120, 40);
        auto* st = new TStaticText(&form);
        st->SetParent(panel);
        st->SetAutoSize(false);
        st->SetBounds(0, 0, 100, 24);
        st->SetCaption("MMMM");
        st->Font()->SetColor(clBlack);
        form.Show();
        if (wasTransparent) {
            st->SetTransparent(true);
            TestInput::ProcessEvents();
        }
        st->SetColor(clLime);
        st->SetTransparent(false);
        TestInput::ProcessEvents();
        TBitmap shot;
        RenderControl(panel, &shot);
        EXPECT_EQ(shot.Canvas()->Pixels(98, 22), clLime) << wasTransparent;
        EXPECT_EQ(shot.Canvas()->Pixels(110, 30), clBlack) << wasTransparent; // the panel beside it
        int lime = 0, dark = 0;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 100; ++x) {
                const TColor c = shot.Canvas()->Pixels(x, y);
                lime += c == clLime;
                dark += ((c >> 8) & 0xFF) < 0x80; // the text, its edges smoothed into the lime
            }
        EXPECT_GT(lime, 1200) << wasTransparent;
        EXPECT_GT(dark, 20) << wasTransparent;
    }
}

TEST(Edit, ADisabledEditKeepsItsOwnColour)
{
    TForm form(nullptr);
    auto* e = new TEdit(&form);
    e->SetParent(&form);
    e->SetColor(clYellow);
    e->SetEnabled(false);
    form.Show();
    TBitmap shot;
    RenderControl(e, &shot);
    EXPECT_EQ(shot.Canvas()->Pixels(e->Width() - 6, e->Height() / 2), clYellow);
}

TEST(Components, FindComponentFindsAControlByABuiltName)
{
    TForm form(nullptr);
    for (int i = 1; i <= 8; ++i) {
        auto* img = new TImage(&form);
        img->SetName("View" + IntToStr(i) + "Ima");
        img->SetParent(&form);
        img->SetTag(i);
    }
    for (int key = 1; key <= 8; ++key) {
        auto* c = dynamic_cast<TImage*>(form.FindComponent("View" + IntToStr(key) + "Ima"));
        ASSERT_NE(c, nullptr) << key;
        EXPECT_EQ(c->Tag(), key);
    }
    EXPECT_NE(form.FindComponent("view3ima"), nullptr);
    EXPECT_EQ(form.FindComponent("View9Ima"), nullptr);
}

TEST(Align, BottomAndClientChildrenFillTheParent)
{
    TForm form(nullptr);
    form.SetBorderStyle(bsSingle);
    form.SetClientWidth(400);
    form.SetClientHeight(300);
    auto* status = new TStatusBar(&form);
    status->SetParent(&form);
    auto* main = new TPanel(&form);
    main->SetParent(&form);
    main->SetAlign(alClient);
    EXPECT_EQ(status->BoundsRect(), TRect(0, 281, 400, 300));
    EXPECT_EQ(main->BoundsRect(), TRect(0, 0, 400, 281));
    form.SetClientHeight(200);
    EXPECT_EQ(status->Top(), 181);
    EXPECT_EQ(main->Height(), 181);
}

TEST(Form, ClientSizeExcludesTheFrameAndMenu)
{
    TForm form(nullptr);
    form.SetBorderStyle(bsSingle);
    form.SetBounds(0, 0, 1101, 621);
    EXPECT_EQ(form.ClientWidth(), 1101 - 2 * form.FrameWidth());
    EXPECT_EQ(form.ClientHeight(), 621 - 2 * form.FrameWidth() - form.CaptionHeight());
}

TEST(Form, AutoSizeFitsTheVisibleChildren)
{
    TForm form(nullptr);
    form.SetBorderStyle(bsSingle);
    form.SetBounds(0, 0, 1101, 621);
    auto* p = new TPanel(&form);
    p->SetParent(&form);
    p->SetBounds(0, 0, 800, 500);
    form.SetAutoSize(true);
    EXPECT_EQ(form.ClientWidth(), 800);
    EXPECT_EQ(form.ClientHeight(), 500);

    // A status bar at the bottom goes below the panel, not over it.
    form.SetAutoSize(false);
    form.SetBounds(0, 0, 1101, 621);
    auto* bar = new TStatusBar(&form);
    bar->SetParent(&form);
    form.SetAutoSize(true);
    EXPECT_EQ(form.ClientWidth(), 800);
    EXPECT_EQ(form.ClientHeight(), 500 + bar->Height());
    EXPECT_EQ(bar->Top(), 500);
    EXPECT_EQ(bar->Width(), 800);
}

// A status bar's size grip promises a frame the user can drag: a fixed window shows none.
TEST(StatusBar, SizeGripShowsOnlyOnAFormTheUserCanSize)
{
    for (const bool sizeable : {true, false}) {
        TForm form(nullptr);
        form.SetBorderStyle(sizeable ? bsSizeable : bsSingle);
        form.SetBounds(0, 0, 400, 300);
        auto* bar = new TStatusBar(&form);
        bar->SetParent(&form);
        bar->SetSimplePanel(true);
        TBitmap shot;
        RenderControl(bar, &shot);
        int light = 0;
        // Inside the panel's own bevel, which is light along its right and bottom edges.
        for (int x = bar->Width() - 12; x < bar->Width() - 2; ++x)
            for (int y = bar->Height() - 12; y < bar->Height() - 2; ++y)
                light += shot.Canvas()->Pixels(x, y) == ColorToRGB(clBtnHighlight);
        EXPECT_EQ(light > 0, sizeable) << "sizeable " << sizeable;
    }
}

// The window system lets a user drag a window's frame only where the form leaves its
// size to the user, and shows a maximise button only there.
TEST(Form, OnlyASizeableFormWithoutAutoSizeTakesTheUsersSize)
{
    const TBorderIcons all = biSystemMenu | biMinimize | biMaximize;
    struct Case {
        TFormBorderStyle Style;
        bool AutoSize;
        TBorderIcons Icons;
        bool UserSizes;
        TBorderIcons Shown;
    } cases[] = {
        {bsSizeable, false, all, true, all},
        {bsSizeable, false, biSystemMenu | biMinimize, true, biSystemMenu | biMinimize},
        {bsSizeable, true, all, false, biSystemMenu | biMinimize}, // sized by its contents
        {bsSizeable, true, biSystemMenu | biMinimize, false, biSystemMenu | biMinimize},
        {bsSingle, false, all, false, biSystemMenu | biMinimize},
        {bsDialog, false, all, false, biSystemMenu},
    };
    for (const Case& c : cases) {
        TForm form(nullptr);
        form.SetBorderStyle(c.Style);
        form.SetBorderIcons(c.Icons);
        form.SetBounds(0, 0, 400, 300);
        auto* p = new TPanel(&form);
        p->SetParent(&form);
        p->SetBounds(0, 0, 380, 250);
        form.SetAutoSize(c.AutoSize);
        form.Show();
        const int w = form.Width(), h = form.Height();
        const std::string name = std::to_string(c.Style) + (c.AutoSize ? " auto" : "") + " icons " + std::to_string(c.Icons);
        EXPECT_EQ(form.UserSizeable(), c.UserSizes) << name;
        EXPECT_EQ(TestInput::ShownTitleButtons(&form), c.Shown) << name;

        TestInput::DragWindowFrame(&form, 120, 60);
        EXPECT_EQ(form.Width(), c.UserSizes ? w + 120 : w) << name;
        EXPECT_EQ(form.Height(), c.UserSizes ? h + 60 : h) << name;
        TestInput::DragWindowFrame(&form, -240, -120);
        EXPECT_EQ(form.Width(), c.UserSizes ? w - 120 : w) << name;
        EXPECT_EQ(form.Height(), c.UserSizes ? h - 60 : h) << name;
        if (!c.UserSizes) {
            EXPECT_EQ(form.ClientWidth(), c.AutoSize ? 380 : w - 2 * form.FrameWidth()) << name;
            EXPECT_EQ(form.ClientHeight(), c.AutoSize ? 250 : h - 2 * form.FrameWidth() - form.CaptionHeight()) << name;
        }
    }
}

// Switching automatic sizing on takes the size away from the user; off gives it back.
TEST(Form, AutoSizeSwitchedOnAShownFormFixesItsSize)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 300);
    auto* p = new TPanel(&form);
    p->SetParent(&form);
    p->SetBounds(0, 0, 200, 100);
    form.Show();
    EXPECT_TRUE(TestInput::ShownTitleButtons(&form) & biMaximize);
    form.SetAutoSize(true);
    EXPECT_EQ(form.ClientWidth(), 200);
    EXPECT_FALSE(TestInput::ShownTitleButtons(&form) & biMaximize);
    TestInput::DragWindowFrame(&form, 50, 50);
    EXPECT_EQ(form.ClientWidth(), 200);
    EXPECT_EQ(form.ClientHeight(), 100);
    form.SetAutoSize(false);
    TestInput::DragWindowFrame(&form, 50, 50);
    EXPECT_EQ(form.ClientWidth(), 250);
    EXPECT_EQ(form.ClientHeight(), 150);
}

// The title bar's minimise and the task bar's restore reach the form; a button the
// window does not show cannot be clicked.
TEST(Form, UserMinimisesAndRestoresAFixedSizeWindow)
{
    TForm form(nullptr);
    form.SetBorderIcons(biSystemMenu | biMinimize);
    form.SetBounds(0, 0, 400, 300);
    form.SetAutoSize(true);
    auto* p = new TPanel(&form);
    p->SetParent(&form);
    p->SetBounds(0, 0, 300, 200);
    form.Show();
    const int w = form.Width(), h = form.Height();
    TestInput::ClickTitleButton(&form, biMinimize);
    EXPECT_EQ(form.WindowState(), wsMinimized);
    TestInput::RestoreWindow(&form);
    EXPECT_EQ(form.WindowState(), wsNormal);
    EXPECT_EQ(form.Width(), w);
    EXPECT_EQ(form.Height(), h);
    EXPECT_THROW(TestInput::ClickTitleButton(&form, biMaximize), EInvalidOperation);
    EXPECT_EQ(form.WindowState(), wsNormal);
}

TEST(Form, CloseQueryCanRefuseAndOnCloseRuns)
{
    TForm form(nullptr);
    form.Show();
    bool allow = false;
    int closes = 0;
    form.OnCloseQuery = [&](TObject*, bool& can) { can = allow; };
    form.OnClose = [&](TObject*, TCloseAction&) { ++closes; };
    form.Close();
    EXPECT_TRUE(form.Visible());
    EXPECT_EQ(closes, 0);
    allow = true;
    form.Close();
    EXPECT_FALSE(form.Visible());
    EXPECT_EQ(closes, 1);
}

TEST(Label, AutoSizeFollowsTheCaption)
{
    TForm form(nullptr);
    auto* l = new TLabel(&form);
    l->SetParent(&form);
    l->SetCaption("Com Port");
    const int w = l->Width();
    l->SetCaption("Com Port Number");
    EXPECT_GT(l->Width(), w);
    l->SetAutoSize(false);
    l->SetCaption("X");
    EXPECT_GT(l->Width(), w);
}

TEST(Label, AutoSizeLeavesTheSidesItsAlignmentStretches)
{
    const struct {
        TAlign align;
        bool fullWidth, fullHeight;
    } cases[] = {{alClient, true, true}, {alTop, true, false}, {alBottom, true, false},
                 {alLeft, false, true},  {alRight, false, true}, {alNone, false, false}};
    for (const auto& c : cases) {
        TPanel panel(nullptr);
        panel.SetBounds(0, 0, 300, 120);
        panel.SetBevelOuter(bvNone);
        auto* l = new TLabel(&panel);
        l->SetParent(&panel);
        l->SetCaption("Com Port");
        l->SetAlign(c.align);
        l->SetCaption("Com Port Number");
        EXPECT_EQ(l->Width() == 300, c.fullWidth) << c.align;
        EXPECT_EQ(l->Height() == 120, c.fullHeight) << c.align;
    }
}

TEST(Label, AutoSizeKeepsTheLeftEdgeUnlessRightAligned)
{
    TForm form(nullptr);
    struct Case {
        TAlignment align;
        bool keepsRight;
    } cases[] = {{taLeftJustify, false}, {taCenter, false}, {taRightJustify, true}};
    for (const Case& c : cases) {
        auto* l = new TLabel(&form);
        l->SetParent(&form);
        l->SetAlignment(c.align);
        l->SetCaption("  10 Hz - 300 kHz");
        l->SetLeft(100);
        const int right = l->Left() + l->Width();
        l->SetCaption("");
        EXPECT_EQ(c.keepsRight ? l->Left() + l->Width() : l->Left(), c.keepsRight ? right : 100) << c.align;
    }
}

TEST(StaticText, AutoSizeFitsTheTextWithFourPixelsToSpare)
{
    TForm form(nullptr);
    auto* st = new TStaticText(&form);
    st->SetParent(&form);
    st->SetBorderStyle(sbsSunken);
    st->SetCaption(" 1.23456 nF");
    TCanvas measure;
    measure.Font()->Assign(st->Font());
    // Four border widths beyond the text each way, whatever the border.
    EXPECT_EQ(st->Width(), measure.TextWidth(" 1.23456 nF") + 4);
    EXPECT_EQ(st->Height(), measure.TextHeight("0") + 4);
    EXPECT_EQ(st->ClientWidth(), st->Width() - 2);
    st->SetAlignment(taRightJustify);
    st->SetLeft(50);
    st->SetCaption("1");
    EXPECT_EQ(st->Left(), 50);
}

TEST(StaticText, AChangedTextShowsAsIfDrawnAfresh)
{
    // The screen keeps what did not change of a refreshed text: what it shows after the
    // change must be what a label showing the new text from the start shows.
    const struct { const char* before; const char* after; TAlignment align; bool autoSize; } cases[] = {
        {" 100.008", " 100.012", taLeftJustify, true}, {" 100.008", " 100.012", taRightJustify, true},
        {" 100.008", " 100.012", taCenter, true}, {" 99.9987", " 100.008", taLeftJustify, true},
        {"-1.2345", "-1.2345 k", taLeftJustify, true}, {"1.2345 k", "1.2345", taRightJustify, false},
        {"offi", "offl", taLeftJustify, true}, {"AVAV", "AVAW", taLeftJustify, true},
        {"AVAVAW", "AVAVA", taCenter, false}, {"OVERLOAD", "OVER&LOAD", taLeftJustify, true},
    };
    auto shown = [](const char* first, const char* then, TAlignment align, bool autoSize) {
        TForm form(nullptr);
        form.SetBounds(0, 0, 400, 120);
        auto* st = new TStaticText(&form);
        st->SetParent(&form);
        st->SetAutoSize(autoSize);
        st->SetBounds(10, 10, 300, 80);
        st->SetAlignment(align);
        st->SetColor(clBlack);
        st->Font()->SetColor(clLime);
        st->Font()->SetSize(40);
        st->Font()->SetStyle(fsItalic);
        st->SetCaption(first);
        form.Show();
        TestInput::ProcessEvents();
        if (then) {
            st->SetCaption(then);
            TestInput::ProcessEvents();
        }
        return zvforms::ImplOf(st)->buffer.copy();
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(std::string(k.before) + " -> " + k.after);
        const QImage changed = shown(k.before, k.after, k.align, k.autoSize);
        const QImage fresh = shown(k.after, nullptr, k.align, k.autoSize);
        ASSERT_FALSE(fresh.isNull());
        EXPECT_TRUE(changed == fresh);
    }
}

TEST(StaticText, ShowsItsTextAsTheCanvasDrawsIt)
{
    // The control draws a measured line from the glyphs its measure shaped: the picture must
    // be the one the canvas's DrawText gives for the same text.
    const struct { const char* text; TAlignment align; bool autoSize; bool enabled; TFontStyles style; } cases[] = {
        {" 99.9987 k", taLeftJustify, true, true, 0}, {" 99.9987 k", taRightJustify, true, true, fsItalic},
        {"OVERLOAD  ", taCenter, true, true, fsBold}, {"AVAWAV To", taCenter, false, true, fsItalic},
        {"-0.00123 m", taRightJustify, true, false, 0}, {"Fo&o", taLeftJustify, true, true, 0},
        {"", taLeftJustify, true, true, 0},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.text);
        TForm form(nullptr);
        form.SetBounds(0, 0, 420, 120);
        auto* st = new TStaticText(&form);
        st->SetParent(&form);
        st->SetBounds(10, 10, 380, 80);
        st->SetAutoSize(k.autoSize);
        st->SetAlignment(k.align);
        st->SetEnabled(k.enabled);
        st->SetColor(clBlack);
        st->Font()->SetColor(clLime);
        st->Font()->SetSize(36);
        st->Font()->SetStyle(k.style);
        st->SetCaption(k.text);
        form.Show();
        TestInput::ProcessEvents();

        TBitmap expected;
        expected.SetSize(st->Width(), st->Height());
        TCanvas* c = expected.Canvas();
        c->Brush()->SetColor(clBlack);
        c->FillRect(TRect(0, 0, st->Width(), st->Height()));
        c->Brush()->SetStyle(bsClear);
        c->Font()->Assign(st->Font());
        if (!k.enabled)
            c->Font()->SetColor(clGrayText);
        TRect r(0, 0, st->Width(), st->Height());
        c->DrawText(k.text, r, DT_EXPANDTABS | (k.align == taCenter ? DT_CENTER : k.align == taRightJustify ? DT_RIGHT : DT_LEFT));
        const QImage shown = zvforms::ImplOf(st)->buffer.convertToFormat(QImage::Format_RGB32);
        EXPECT_TRUE(shown == zvqt::BitmapImage(&expected).convertToFormat(QImage::Format_RGB32));
    }
}

TEST(StaticText, TextsChangedOffTheScreenShowAtTheSizeOfTheLastOne)
{
    // A page not shown gets every reading too; what counts is how it looks once shown.
    TForm form(nullptr);
    form.SetBounds(0, 0, 400, 200);
    auto* page = new TPanel(&form);
    page->SetParent(&form);
    page->SetBounds(0, 0, 400, 200);
    auto* st = new TStaticText(&form);
    st->SetParent(page);
    st->SetLeft(10);
    st->Font()->SetSize(40);
    st->SetCaption(" 1.2");
    form.Show();
    TestInput::ProcessEvents();
    page->SetVisible(false);
    TestInput::ProcessEvents();
    for (const char* text : {" 100.008", "OVERLOAD", " 99.9987 k"})
        st->SetCaption(text);
    page->SetVisible(true);
    TestInput::ProcessEvents();
    TCanvas measure;
    measure.Font()->Assign(st->Font());
    EXPECT_EQ(st->Width(), measure.TextWidth(" 99.9987 k") + 4);
    EXPECT_EQ(st->Height(), measure.TextHeight("0") + 4);
    EXPECT_EQ(st->Left(), 10);

    // And drawn as one that had the text all along.
    auto* fresh = new TStaticText(&form);
    fresh->SetParent(page);
    fresh->SetLeft(10);
    fresh->SetTop(100);
    fresh->Font()->SetSize(40);
    fresh->SetCaption(" 99.9987 k");
    TestInput::ProcessEvents();
    EXPECT_TRUE(zvforms::ImplOf(st)->buffer == zvforms::ImplOf(fresh)->buffer);
}

TEST(StaticText, AutoSizeFollowsEveryChangeOfTextOrFontAlsoBackToAnEarlierOne)
{
    TForm form(nullptr);
    auto* st = new TStaticText(&form);
    st->SetParent(&form);
    // Each step changes one thing; the size must always be that of a fresh measure.
    const struct { const char* text; int size; TFontStyles style; } steps[] = {
        {" 99.9977", 40, 0}, {" 99.9977", 26, 0}, {" 99.9977", 40, 0}, {" 99.9977", 40, fsBold},
        {" 100.005", 40, fsBold}, {" 99.9977", 40, fsBold}, {"OVERLOAD", 26, 0}, {"", 26, 0}, {"OVERLOAD", 26, 0},
    };
    for (const auto& s : steps) {
        st->Font()->SetSize(s.size);
        st->Font()->SetStyle(s.style);
        st->SetCaption(s.text);
        TCanvas measure;
        measure.Font()->Assign(st->Font());
        EXPECT_EQ(st->Width(), measure.TextWidth(s.text) + 4) << s.text << " " << s.size << " " << s.style;
        EXPECT_EQ(st->Height(), measure.TextHeight("0") + 4) << s.text << " " << s.size << " " << s.style;
    }
}
