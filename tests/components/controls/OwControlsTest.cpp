#include <gtest/gtest.h>

#include <memory>

#include "components/controls/Owbuttons.h"
#include "components/controls/Owdesign.h"
#include "components/controls/Owhyperctrls.h"
#include "components/controls/Owleds.h"
#include "platform/forms/Edit.h"
#include "platform/forms/Form.h"
#include "platform/forms/Panel.h"
#include "platform/forms/Render.h"
#include "platform/forms/Screen.h"
#include "platform/forms/Shell.h"
#include "platform/forms/TestInput.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "tests/support/TestOutput.h"

namespace {
// Draws a control into a bitmap of its size over a background colour.
std::unique_ptr<TBitmap> Render(TControl* c, TColor background = clBtnFace)
{
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetSize(c->Width(), c->Height());
    bmp->Canvas()->Brush()->SetColor(background);
    bmp->Canvas()->FillRect(TRect(0, 0, c->Width(), c->Height()));
    c->PaintTo(bmp->Canvas(), 0, 0);
    return bmp;
}

// ------------------------------------------------------------ shadow button

struct ShadowButton : ::testing::Test {
    std::unique_ptr<TOwShadowButton> b = std::make_unique<TOwShadowButton>(nullptr);
    int clicks = 0;
    void SetUp() override
    {
        b->OnClick = [this](TObject*) { ++clicks; };
        Render(b.get()); // lays out the face
    }
};

TEST_F(ShadowButton, DefaultLayout)
{
    EXPECT_EQ(b->Width(), 110);
    EXPECT_EQ(b->Height(), 30);
    TRect face, shadow, caption;
    b->Layout(face, shadow, caption);
    EXPECT_EQ(face, TRect(1, 1, 105, 25));
    EXPECT_EQ(shadow, TRect(5, 5, 109, 29));
    EXPECT_EQ(caption, TRect(2, 2, 104, 24));
    EXPECT_EQ(b->FaceRect(), TRect(2, 2, 104, 24));
}

TEST_F(ShadowButton, PressMovesTheFaceTowardItsShadow)
{
    b->HandleMouseDown(mbLeft, 0, 50, 12);
    EXPECT_TRUE(b->Pressed());
    TRect face, shadow, caption;
    b->Layout(face, shadow, caption);
    EXPECT_EQ(shadow, TRect(3, 3, 107, 27));
    EXPECT_EQ(face, TRect(3, 3, 107, 27));
    Render(b.get());
    EXPECT_EQ(b->FaceRect(), TRect(4, 4, 106, 26));
    EXPECT_EQ(clicks, 0);
    b->HandleMouseUp(mbLeft, 0, 50, 12);
    EXPECT_FALSE(b->Pressed());
    EXPECT_EQ(clicks, 1);
}

TEST_F(ShadowButton, ClicksOnlyOnReleaseOverTheFace)
{
    // Press on the shadow strip: nothing.
    b->HandleMouseDown(mbLeft, 0, 107, 27);
    EXPECT_FALSE(b->Pressed());
    b->HandleMouseUp(mbLeft, 0, 107, 27);
    EXPECT_EQ(clicks, 0);
    // Press on the face, leave it, release outside: no click.
    b->HandleMouseDown(mbLeft, 0, 50, 12);
    b->HandleMouseMove(ssLeft, 200, 12);
    EXPECT_FALSE(b->Pressed());
    b->HandleMouseUp(mbLeft, 0, 200, 12);
    EXPECT_EQ(clicks, 0);
    // Leave and come back before the release: one click.
    b->HandleMouseDown(mbLeft, 0, 50, 12);
    b->HandleMouseMove(ssLeft, 200, 12);
    b->HandleMouseMove(ssLeft, 50, 12);
    EXPECT_TRUE(b->Pressed());
    b->HandleMouseUp(mbLeft, 0, 50, 12);
    EXPECT_EQ(clicks, 1);
    // The right button presses nothing.
    b->HandleMouseDown(mbRight, 0, 50, 12);
    b->HandleMouseUp(mbRight, 0, 50, 12);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ShadowButton, DisabledNeverClicks)
{
    b->SetEnabled(false);
    b->HandleMouseDown(mbLeft, 0, 50, 12);
    b->HandleMouseUp(mbLeft, 0, 50, 12);
    b->CMDialogChar('o');
    EXPECT_EQ(clicks, 0);
}

TEST_F(ShadowButton, AcceleratorClicks)
{
    b->SetCaption("&Ok");
    b->CMDialogChar('O');
    EXPECT_EQ(clicks, 1);
    b->CMDialogChar('x');
    EXPECT_EQ(clicks, 1);
}

TEST_F(ShadowButton, DepthBelowThreeIsIgnored)
{
    b->SetDepth(2);
    EXPECT_EQ(b->Depth(), 4);
    b->SetDepth(3);
    EXPECT_EQ(b->Depth(), 3);
}

TEST_F(ShadowButton, PaintsFaceShadowAndDisabledCaption)
{
    b->Brush()->SetColor(clLime);
    b->Pen()->SetColor(clBlack);
    b->SetShadowColor(clGray);
    b->SetColor(clYellow);
    auto up = Render(b.get());
    EXPECT_EQ(up->Canvas()->Pixels(10, 12), clLime);     // face
    EXPECT_EQ(up->Canvas()->Pixels(107, 20), clGray);    // shadow to the right
    EXPECT_EQ(up->Canvas()->Pixels(108, 2), clYellow);   // Color around the shapes
    b->HandleMouseDown(mbLeft, 0, 50, 12);
    auto down = Render(b.get());
    EXPECT_EQ(down->Canvas()->Pixels(105, 20), clLime); // the face moved right and down
    EXPECT_EQ(down->Canvas()->Pixels(106, 20), clBlack); // its outline
    EXPECT_EQ(down->Canvas()->Pixels(2, 10), clYellow);
}

// ------------------------------------------------------------ bitmap button

// A one-frame key: a red disc on the see-through colour.
std::unique_ptr<TBitmap> Disc(int w, int h, TColor background, TColor disc)
{
    auto g = std::make_unique<TBitmap>();
    g->SetSize(w, h);
    TCanvas* c = g->Canvas();
    c->Brush()->SetColor(background);
    c->FillRect(TRect(0, 0, w, h));
    c->Brush()->SetColor(disc);
    c->Pen()->SetColor(disc);
    c->Ellipse(0, 0, w, h);
    return g;
}

struct BitmapButton : ::testing::Test {
    std::unique_ptr<TOwBitmapButton> b = std::make_unique<TOwBitmapButton>(nullptr);
    int clicks = 0, ups = 0;
    void SetUp() override
    {
        b->OnClick = [this](TObject*) { ++clicks; };
        b->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { ++ups; };
    }
    void Click(int x, int y)
    {
        b->HandleMouseDown(mbLeft, 0, x, y);
        b->HandleMouseUp(mbLeft, 0, x, y);
    }
};

TEST_F(BitmapButton, AutoSizeFitsTheFrame)
{
    b->SetAutoSize(true);
    TBitmap g;
    g.SetSize(55, 24);
    b->SetGlyph(&g);
    EXPECT_EQ(b->Width(), 58);
    EXPECT_EQ(b->Height(), 27);
    EXPECT_EQ(b->DestRect(), TRect(1, 1, 56, 25));
    b->HandleMouseDown(mbLeft, 0, 10, 10);
    EXPECT_EQ(b->DestRect(), TRect(3, 3, 58, 27));
    b->HandleMouseUp(mbLeft, 0, 10, 10);
}

TEST_F(BitmapButton, FrameFollowsTheState)
{
    TBitmap g;
    g.SetSize(200, 40);
    b->SetGlyph(&g);
    b->SetNumGlyphs(4);
    EXPECT_EQ(b->FrameWidth(), 50);
    EXPECT_EQ(b->FrameIndex(), 0);
    b->CMMouseEnter();
    EXPECT_EQ(b->FrameIndex(), 1);
    b->HandleMouseDown(mbLeft, 0, 25, 25);
    EXPECT_EQ(b->FrameIndex(), 2);
    b->HandleMouseUp(mbLeft, 0, 25, 25);
    b->SetEnabled(false);
    EXPECT_EQ(b->FrameIndex(), 3);
    b->SetNumGlyphs(2); // frames 2 and 3 fall back to 0
    EXPECT_EQ(b->FrameIndex(), 0);
    b->SetEnabled(true);
    EXPECT_EQ(b->FrameIndex(), 1);
    b->CMMouseLeave();
    EXPECT_EQ(b->FrameIndex(), 0);
}

TEST_F(BitmapButton, TransparentColourByMode)
{
    auto g = Disc(20, 20, clAqua, clRed);
    b->SetGlyph(g.get());
    EXPECT_EQ(b->GetTransparentColor(), clBtnFace);
    b->SetTransparentMode(tmPixel);
    EXPECT_EQ(b->GetTransparentColor(), clAqua);
}

TEST_F(BitmapButton, ClicksOnlyInsideItsPixelMask)
{
    b->SetAutoSize(true);
    b->SetTransparent(true);
    auto g = Disc(41, 41, GetSysColor(COLOR_BTNFACE), clRed);
    b->SetGlyph(g.get());
    const TRect d = b->DestRect();
    Click(d.Left + 1, d.Top + 1); // a see-through corner
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(b->Pressed());
    Click(d.Left + 20, d.Top + 20); // the disc
    EXPECT_EQ(clicks, 1);
    b->SetTransparent(false); // the whole picture rectangle hits
    Click(d.Left + 1, d.Top + 1);
    EXPECT_EQ(clicks, 2);
}

TEST_F(BitmapButton, MaskFollowsAPictureLoadedInPlace)
{
    b->SetAutoSize(true);
    b->SetTransparent(true);
    auto first = Disc(41, 41, GetSysColor(COLOR_BTNFACE), clRed);
    b->SetGlyph(first.get());
    // The next picture: opaque in the corner, see-through in the middle.
    TBitmap next;
    next.SetSize(41, 41);
    next.Canvas()->Brush()->SetColor(clBlue);
    next.Canvas()->FillRect(TRect(0, 0, 41, 41));
    next.Canvas()->Brush()->SetColor(clBtnFace);
    next.Canvas()->FillRect(TRect(10, 10, 31, 31));
    const AnsiString file = TestOutputPath("controls_next_key.bmp");
    next.SaveToFile(file);
    b->Glyph()->LoadFromFile(file);
    const TRect d = b->DestRect();
    Click(d.Left + 20, d.Top + 20);
    EXPECT_EQ(clicks, 0); // now see-through
    Click(d.Left + 1, d.Top + 1);
    EXPECT_EQ(clicks, 1); // now opaque
}

TEST_F(BitmapButton, DraggingOffRaisesNothing)
{
    TBitmap g;
    g.SetSize(30, 30);
    b->SetGlyph(&g);
    b->HandleMouseDown(mbLeft, 0, 25, 25);
    b->HandleMouseMove(ssLeft, 49, 49);
    EXPECT_FALSE(b->Pressed());
    b->HandleMouseUp(mbLeft, 0, 49, 49);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(ups, 0);
    Click(25, 25);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(ups, 1);
}

TEST_F(BitmapButton, ClickRunsWithTheKeyDrawnUp)
{
    TBitmap g;
    g.SetSize(30, 30);
    b->SetGlyph(&g);
    bool pressedInClick = true;
    b->OnClick = [&](TObject*) { pressedInClick = b->Pressed(); };
    Click(25, 25);
    EXPECT_FALSE(pressedInClick); // a dialog opened by the click shows the key up
    EXPECT_EQ(ups, 1);
}

TEST_F(BitmapButton, EmptyPictureCannotBePressed)
{
    Click(25, 25);
    EXPECT_EQ(clicks, 0);
}

// ------------------------------------------------------------ user LED

struct UserLed : ::testing::Test {
    std::unique_ptr<TOwUserLed> led = std::make_unique<TOwUserLed>(nullptr);
    void FormBevel()
    {
        led->SetBounds(0, 0, 36, 25);
        TOwBevel* b = led->Bevel();
        b->SetOuterStyle(TOwBevelStyle::bsRaised);
        b->SetOuterOutline(osOuter);
        b->SetInnerStyle(TOwBevelStyle::bsNone);
        b->SetInnerSpace(1);
    }
    void Plain(TColor c)
    {
        led->PaletteEx()->SetLow1(c);
        led->PaletteEx()->SetLow2(c);
        led->PaletteEx()->SetHigh1(c);
        led->PaletteEx()->SetHigh2(c);
    }
};

TEST_F(UserLed, SwatchFillsInsideTheBevel)
{
    FormBevel();
    Plain(TColorOf(4227327));
    auto bmp = Render(led.get(), clWhite);
    TCanvas* c = bmp->Canvas();
    EXPECT_EQ(c->Pixels(0, 0), clBlack);
    EXPECT_EQ(c->Pixels(1, 5), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(c->Pixels(34, 5), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(c->Pixels(2, 5), GetSysColor(COLOR_BTNFACE));
    for (int y = 3; y < 22; ++y)
        for (int x = 3; x < 33; ++x)
            ASSERT_EQ(c->Pixels(x, y), TColorOf(4227327)) << x << "," << y;
}

TEST_F(UserLed, GradientBetweenThePaletteColours)
{
    led->SetBounds(0, 0, 20, 14);
    led->Bevel()->SetVisible(false);
    led->PaletteEx()->SetLow1(RGB(0, 0, 0));
    led->PaletteEx()->SetLow2(RGB(140, 0, 0));
    auto bmp = Render(led.get());
    EXPECT_EQ(bmp->Canvas()->Pixels(5, 0), RGB(0, 0, 0));
    EXPECT_EQ(bmp->Canvas()->Pixels(5, 7), RGB(70, 0, 0));
    EXPECT_EQ(bmp->Canvas()->Pixels(5, 13), RGB(130, 0, 0));
}

TEST_F(UserLed, ActiveRaisesOnChangeOnce)
{
    int changes = 0;
    led->OnChange = [&](TObject*) { ++changes; };
    led->SetActive(false);
    EXPECT_EQ(changes, 0);
    led->SetActive(true);
    EXPECT_EQ(changes, 1);
    led->SetActive(true);
    EXPECT_EQ(changes, 1);
}

TEST_F(UserLed, OwnerDrawShowsColourOrTheEvent)
{
    led->SetDrawStyle(dsOwnerDraw);
    led->SetColor(clAqua);
    auto bmp = Render(led.get());
    EXPECT_EQ(bmp->Canvas()->Pixels(10, 5), clAqua);
    led->OnDraw = [](TObject*, TCanvas* c, const TRect& r) {
        c->Brush()->SetColor(clFuchsia);
        c->FillRect(r);
    };
    bmp = Render(led.get());
    EXPECT_EQ(bmp->Canvas()->Pixels(10, 5), clFuchsia);
}

// ------------------------------------------------------------ web label

TEST(WebLabel, TheHandCursorIsInstalledFromStartUpOn)
{
    TScreen fresh(nullptr); // as at start-up: no web label made for it
    EXPECT_EQ(fresh.Cursors(crOwHandPoint), crHandPoint);
}

TEST(WebLabel, OnlyWebAndMailAddressesAreOpenable)
{
    EXPECT_TRUE(TOwWebLabel::IsOpenableURL("http://example.org"));
    EXPECT_TRUE(TOwWebLabel::IsOpenableURL("HTTPS://example.org/a?b"));
    EXPECT_TRUE(TOwWebLabel::IsOpenableURL("mailto:someone@example.org"));
    EXPECT_FALSE(TOwWebLabel::IsOpenableURL("file:///etc/passwd"));
    EXPECT_FALSE(TOwWebLabel::IsOpenableURL("/usr/bin/xterm"));
    EXPECT_FALSE(TOwWebLabel::IsOpenableURL("javascript:alert(1)"));
    EXPECT_FALSE(TOwWebLabel::IsOpenableURL("http://"));
    EXPECT_FALSE(TOwWebLabel::IsOpenableURL(""));
}

TEST(WebLabel, HotStateChangesTheBackground)
{
    TOwWebLabel l(nullptr);
    l.SetCaption("www");
    l.SetColorEnter(clYellow);
    l.SetColorLeave(clNavy);
    auto cold = Render(&l);
    EXPECT_EQ(cold->Canvas()->Pixels(1, 1), clNavy);
    int enters = 0, leaves = 0;
    l.OnMouseEnter = [&](TObject*) { enters += l.MouseInside() ? 1 : 100; };
    l.OnMouseLeave = [&](TObject*) { leaves += l.MouseInside() ? 100 : 1; };
    l.CMMouseEnter();
    EXPECT_EQ(enters, 1); // raised once, with the hot state already taken
    auto hot = Render(&l);
    EXPECT_EQ(hot->Canvas()->Pixels(1, 1), clYellow);
    l.SetEnabled(false); // a disabled label always shows the leave look
    auto off = Render(&l);
    EXPECT_EQ(off->Canvas()->Pixels(1, 1), clNavy);
    l.CMMouseLeave();
    EXPECT_EQ(leaves, 1);
}
}

namespace {
struct WebLabelClick : ::testing::Test {
    TOwWebLabel l{nullptr};
    int errors = 0, ups = 0;
    void SetUp() override
    {
        SetShellRecordOnly(true);
        ClearShellOpenedAddresses();
        l.OnError = [this](TObject*) { ++errors; };
        l.OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) { ++ups; };
    }
};

TEST_F(WebLabelClick, LeftClickOverTheLabelOpensItsAddressOnly)
{
    l.SetURL("https://www.example.org/lcr");
    l.CMMouseEnter();
    l.HandleMouseDown(mbLeft, 0, 10, 10);
    l.HandleMouseUp(mbLeft, 0, 10, 10);
    ASSERT_EQ(ShellOpenedAddresses().size(), 1u);
    EXPECT_EQ(ShellOpenedAddresses()[0], "https://www.example.org/lcr");
    EXPECT_EQ(errors, 0);
    EXPECT_EQ(ups, 0); // a web label raises no OnMouseUp
}

TEST_F(WebLabelClick, RightButtonOrALeftMouseOpensNothing)
{
    l.SetURL("http://www.example.org");
    l.CMMouseEnter();
    l.HandleMouseDown(mbRight, 0, 10, 10);
    l.HandleMouseUp(mbRight, 0, 10, 10);
    l.HandleMouseDown(mbLeft, 0, 10, 10);
    l.CMMouseLeave();
    l.HandleMouseUp(mbLeft, 0, 300, 10);
    EXPECT_TRUE(ShellOpenedAddresses().empty());
}

TEST_F(WebLabelClick, OtherAddressesAreRefusedAsAnError)
{
    l.SetURL("file:///usr/bin/xterm");
    l.CMMouseEnter();
    l.HandleMouseDown(mbLeft, 0, 10, 10);
    l.HandleMouseUp(mbLeft, 0, 10, 10);
    EXPECT_TRUE(ShellOpenedAddresses().empty());
    EXPECT_EQ(errors, 1);
}
}

namespace {
TEST(ShadowButtonOnAForm, ClickThroughTheWindowSystem)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 100);
    auto* b = new TOwShadowButton(&form);
    b->SetParent(&form);
    b->SetBounds(20, 20, 110, 30);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    form.Show();
    TestInput::ProcessEvents();
    SaveControlToPng(&form, TestOutputPath("controls_shadow_button_form.png"));
    TestInput::Click(b, 50, 12);
    EXPECT_EQ(clicks, 1);
    TestInput::Click(b, 107, 27); // the shadow strip
    EXPECT_EQ(clicks, 1);
    b->SetEnabled(false);
    TestInput::Click(b, 50, 12);
    EXPECT_EQ(clicks, 1);
}
}

namespace {
TEST(ShadowButtonOnAForm, AltAndTheAcceleratorLetterClicks)
{
    TForm form(nullptr);
    auto* edit = new TEdit(&form);
    edit->SetParent(&form);
    auto* b = new TOwShadowButton(&form);
    b->SetParent(&form);
    b->SetBounds(20, 40, 110, 30);
    b->SetCaption("&Apply");
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };
    form.Show();
    edit->SetFocus();
    TestInput::PressKeyOnForm(&form, 'A', ssAlt);
    EXPECT_EQ(clicks, 1);
    TestInput::PressKeyOnForm(&form, 'P', ssAlt);
    EXPECT_EQ(clicks, 1);
}

TEST(WebLabelOnAForm, PressedDraggedOffAndReleasedOpensNothing)
{
    SetShellRecordOnly(true);
    ClearShellOpenedAddresses();
    TForm form(nullptr);
    form.SetBounds(0, 0, 300, 100);
    auto* l = new TOwWebLabel(&form);
    l->SetParent(&form);
    l->SetBounds(10, 10, 100, 20);
    l->SetURL("https://www.example.org/lcr");
    form.Show();
    TestInput::MouseMove(&form, 20, 15);
    TestInput::MouseDown(l, 10, 5);
    TestInput::MouseMove(&form, 200, 60);
    TestInput::MouseUp(l, 190, 50);
    EXPECT_TRUE(ShellOpenedAddresses().empty());
    // Back over it, a click opens it.
    TestInput::MouseMove(&form, 20, 15);
    TestInput::Click(l, 10, 5);
    EXPECT_EQ(ShellOpenedAddresses().size(), 1u);
}
}

namespace {
TEST(BitmapButtonOnAPanel, SeeThroughPixelsShowThePanel)
{
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clNavy);
    panel->SetBounds(0, 0, 60, 40);
    auto* b = new TOwBitmapButton(&form);
    b->SetParent(panel);
    b->SetBounds(10, 10, 30, 30);
    b->SetColor(clSilver);
    auto g = Disc(20, 20, clAqua, clRed);
    b->SetGlyph(g.get());
    b->SetTransparentMode(tmPixel);
    b->SetTransparent(true);
    TBitmap shot;
    RenderControl(panel, &shot);
    const TRect d = b->DestRect();
    EXPECT_EQ(shot.Canvas()->Pixels(10 + d.Left, 10 + d.Top), clNavy); // the glyph's corner
    EXPECT_EQ(shot.Canvas()->Pixels(10 + d.Left + 10, 10 + d.Top + 10), clRed);
}
}

namespace {
TEST(OwControl, AStrayEndUpdateLeavesTheControlRepainting)
{
    struct Counting : TOwShadowButton {
        using TOwShadowButton::TOwShadowButton;
        int paints = 0;
        void Paint() override
        {
            ++paints;
            TOwShadowButton::Paint();
        }
    };
    TForm form(nullptr);
    auto* b = new Counting(&form);
    b->SetParent(&form);
    b->SetBounds(10, 10, 80, 30);
    form.Show();
    TestInput::ProcessEvents();
    b->EndUpdate(); // one too many
    b->BeginUpdate();
    b->SetCaption("held");
    const int held = b->paints;
    b->EndUpdate();
    EXPECT_GT(b->paints, held);
    const int after = b->paints;
    b->SetCaption("again");
    EXPECT_GT(b->paints, after);
}
}
