// What owner-drawn controls rely on: painting on the parent's surface (reading the
// parent's background back), painting into a bitmap, mouse capture, enter and leave,
// and the scroll bars of a custom control.
#include <gtest/gtest.h>

#include <QLineEdit>

#include "platform/forms/Application.h"
#include "platform/forms/Edit.h"
#include "platform/forms/FormsImpl_p.h"
#include "platform/forms/Panel.h"
#include "platform/forms/Render.h"
#include "platform/forms/TestInput.h"

namespace {

// A see-through graphic control: copies what lies under it, then marks its corner.
class SeeThrough : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    TBitmap under;
    std::vector<std::string> mouse;

protected:
    void Paint() override
    {
        const TRect r = Canvas()->ClipRect();
        under.SetSize(Width(), Height());
        under.Canvas()->CopyRect(r, Canvas(), r);
        Canvas()->Brush()->SetColor(clBlue);
        Canvas()->FillRect(TRect(0, 0, 2, 2));
    }
    void MouseDown(TMouseButton b, TShiftState s, int x, int y) override
    {
        mouse.push_back("down " + std::to_string(x) + "," + std::to_string(y));
        TGraphicControl::MouseDown(b, s, x, y);
    }
    void MouseMove(TShiftState s, int x, int y) override
    {
        mouse.push_back("move " + std::to_string(x) + "," + std::to_string(y));
        TGraphicControl::MouseMove(s, x, y);
    }
    void MouseUp(TMouseButton b, TShiftState s, int x, int y) override
    {
        mouse.push_back("up " + std::to_string(x) + "," + std::to_string(y));
        TGraphicControl::MouseUp(b, s, x, y);
    }
};

class Scroller : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    std::vector<std::pair<TScrollCode, int>> scrolls;
    void DoScroll(TScrollBarKind, TScrollCode Code, int& Pos) override { scrolls.emplace_back(Code, Pos); }
};

} // namespace

TEST(GraphicControl, PaintsOnItsParentAndReadsTheParentsBackground)
{
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clRed);
    panel->SetBounds(0, 0, 100, 60);
    auto* c = new SeeThrough(&form);
    c->SetParent(panel);
    c->SetBounds(10, 20, 30, 15);
    TBitmap shot;
    RenderControl(panel, &shot);
    EXPECT_EQ(c->under.Canvas()->Pixels(5, 5), clRed);
    EXPECT_EQ(shot.Canvas()->Pixels(10, 20), clBlue);
    EXPECT_EQ(shot.Canvas()->Pixels(12, 22), clRed);
    // The parent's own drawing alone, as a see-through control copies it.
    TBitmap bg;
    bg.SetSize(100, 60);
    panel->PaintBackground(bg.Canvas());
    EXPECT_EQ(bg.Canvas()->Pixels(10, 20), clRed);
}

TEST(GraphicControl, PaintToDrawsIntoAnyCanvasAtAnOffset)
{
    SeeThrough c(nullptr);
    c.SetBounds(0, 0, 10, 10);
    TBitmap b;
    b.SetSize(30, 30);
    b.Canvas()->Brush()->SetColor(clLime);
    b.Canvas()->FillRect(TRect(0, 0, 30, 30));
    c.PaintTo(b.Canvas(), 5, 7);
    EXPECT_EQ(b.Canvas()->Pixels(5, 7), clBlue);
    EXPECT_EQ(b.Canvas()->Pixels(4, 7), clLime);
    EXPECT_EQ(c.under.Canvas()->Pixels(3, 3), clLime);
}

TEST(Mouse, CapturedControlGetsTheMoveAndReleaseOutsideIt)
{
    TForm form(nullptr);
    auto* c = new SeeThrough(&form);
    c->SetParent(&form);
    c->SetBounds(10, 10, 20, 20);
    int clicks = 0;
    c->OnClick = [&](TObject*) { ++clicks; };
    TestInput::MouseDown(c, 5, 5);
    TestInput::MouseMove(c, 40, 40);
    TestInput::MouseUp(c, 40, 40);
    EXPECT_EQ(c->mouse, (std::vector<std::string>{"down 5,5", "move 40,40", "up 40,40"}));
    EXPECT_EQ(clicks, 0); // released outside: no click
    TestInput::Click(c, 3, 3);
    EXPECT_EQ(clicks, 1);
}

TEST(Mouse, EnterAndLeaveFollowTheMouseOverGraphicControls)
{
    TForm form(nullptr);
    auto* a = new SeeThrough(&form);
    a->SetParent(&form);
    a->SetBounds(0, 0, 20, 20);
    auto* b = new SeeThrough(&form);
    b->SetParent(&form);
    b->SetBounds(30, 0, 20, 20);
    std::vector<std::string> seen;
    a->OnMouseEnter = [&](TObject*) { seen.push_back("enter a"); };
    a->OnMouseLeave = [&](TObject*) { seen.push_back("leave a"); };
    b->OnMouseEnter = [&](TObject*) { seen.push_back("enter b"); };
    TestInput::MouseMove(&form, 5, 5);
    TestInput::MouseMove(&form, 8, 5);
    TestInput::MouseMove(&form, 35, 5);
    EXPECT_EQ(seen, (std::vector<std::string>{"enter a", "leave a", "enter b"}));
}

TEST(Mouse, LeavingACapturingGraphicControlRaisesTheLeaveAtOnce)
{
    TForm form(nullptr);
    auto* a = new SeeThrough(&form);
    a->SetParent(&form);
    a->SetBounds(0, 0, 20, 20);
    std::vector<std::string> seen;
    a->OnMouseEnter = [&](TObject*) { seen.push_back("enter a"); };
    a->OnMouseLeave = [&](TObject*) { seen.push_back("leave a"); };
    TestInput::MouseMove(&form, 5, 5);
    TestInput::MouseDown(a, 5, 5);
    TestInput::MouseMove(&form, 60, 5);
    EXPECT_EQ(seen, (std::vector<std::string>{"enter a", "leave a"}));
    TestInput::MouseMove(&form, 6, 5);
    TestInput::MouseUp(a, 6, 5);
    EXPECT_EQ(seen, (std::vector<std::string>{"enter a", "leave a", "enter a"}));
    // The capture still brings the moves and the release to the pressed control.
    EXPECT_EQ(a->mouse, (std::vector<std::string>{"move 5,5", "down 5,5", "move 60,5", "move 6,5", "up 6,5"}));
}

TEST(Mouse, DisabledControlsGetNoEvents)
{
    TForm form(nullptr);
    auto* c = new SeeThrough(&form);
    c->SetParent(&form);
    c->SetBounds(0, 0, 20, 20);
    int clicks = 0;
    c->OnClick = [&](TObject*) { ++clicks; };
    c->SetEnabled(false);
    TestInput::Click(c, 5, 5);
    EXPECT_EQ(clicks, 0);
    EXPECT_TRUE(c->mouse.empty());
}

TEST(CustomControl, ScrollBarsNarrowTheClientAreaAndReportUserScrolls)
{
    TForm form(nullptr);
    auto* s = new Scroller(&form);
    s->SetParent(&form);
    s->SetBounds(0, 0, 200, 100);
    s->SetScrollRange(sbVertical, 0, 99, 10);
    s->ShowScrollBar(sbVertical, true);
    EXPECT_EQ(s->ClientWidth(), 200 - 17);
    s->SetScrollPos(sbVertical, 20);
    EXPECT_EQ(s->ScrollPos(sbVertical), 20);
    s->HandleNeeded();
    zvforms::ImplOf(s)->bars[sbVertical]->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    ASSERT_EQ(s->scrolls.size(), 1u);
    EXPECT_EQ(s->scrolls[0].first, scLineDown);
    EXPECT_EQ(s->scrolls[0].second, 21);
    EXPECT_EQ(s->ScrollPos(sbVertical), 21);
}

TEST(CustomControl, WheelTurnsReachTheWheelEvents)
{
    TForm form(nullptr);
    auto* s = new Scroller(&form);
    s->SetParent(&form);
    s->SetBounds(0, 0, 200, 100);
    int downs = 0, ups = 0;
    s->OnMouseWheelDown = [&](TObject*, TShiftState, const TPoint&, bool& handled) { ++downs; handled = true; };
    s->OnMouseWheelUp = [&](TObject*, TShiftState, const TPoint&, bool& handled) { ++ups; handled = true; };
    TestInput::Wheel(s, -1);
    TestInput::Wheel(s, 2);
    EXPECT_EQ(downs, 1);
    EXPECT_EQ(ups, 1);
    EXPECT_TRUE(s->scrolls.empty());
}

namespace {
class Sheet : public TCustomControl {
public:
    using TCustomControl::TCustomControl;
    int paints = 0;

protected:
    void Paint() override
    {
        ++paints;
        Canvas()->Brush()->SetColor(clWhite);
        Canvas()->FillRect(ClientRect());
    }
};
} // namespace

TEST(CustomControl, CanvasOutsidePaintDrawsOverTheLastPictureUntilTheNextPaint)
{
    TForm form(nullptr);
    auto* s = new Sheet(&form);
    s->SetParent(&form);
    s->SetBounds(0, 0, 50, 40);
    form.Show();
    TestInput::ProcessEvents();
    // An XOR line drawn twice leaves the picture as it was, and paints nothing new.
    TCanvas* c = s->Canvas();
    const int painted = s->paints;
    EXPECT_GE(painted, 1);
    c->Pen()->SetMode(pmXor);
    c->Pen()->SetColor(clWhite);
    c->MoveTo(10, 0);
    c->LineTo(10, 40);
    EXPECT_EQ(c->Pixels(10, 5), clBlack);
    c->MoveTo(10, 0);
    c->LineTo(10, 40);
    EXPECT_EQ(c->Pixels(10, 5), clWhite);
    c->Pen()->SetMode(pmCopy);
    TestInput::ProcessEvents();
    EXPECT_EQ(s->paints, painted);
}

TEST(CustomControl, NewTextOfAnEditRepaintsTheParentOnlyWhenItShowsThrough)
{
    for (const bool transparent : {false, true}) {
        SCOPED_TRACE(transparent ? "transparent edit" : "edit with its own colour");
        TForm form(nullptr);
        auto* s = new Sheet(&form);
        s->SetParent(&form);
        s->SetBounds(0, 0, 200, 100);
        auto* e = new TEdit(&form);
        e->SetParent(s);
        e->SetBounds(10, 10, 120, 24);
        e->SetTransparent(transparent);
        form.Show();
        TestInput::ProcessEvents();
        const int painted = s->paints;
        e->SetText("+1.00008e-07");
        TestInput::ProcessEvents();
        EXPECT_EQ(s->paints > painted, transparent);
        auto* shown = qobject_cast<QLineEdit*>(zvforms::ImplOf(e)->widget.data());
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->text().toStdString(), "+1.00008e-07");
    }
}

// What a native control draws over its window lands in the same place when only a part of
// the window is painted again as when all of it is.
TEST(NativeControl, OverlayOfAPartialPaintLandsWhereTheWholePaintPutsIt)
{
    struct MarkedEdit : TEdit {
        using TEdit::TEdit;
        void PaintOverlay(TCanvas* c) override
        {
            c->Pen()->SetColor(clRed);
            c->MoveTo(0, Height() - 3);
            c->LineTo(Width(), Height() - 3);
            c->MoveTo(Width() / 2 + 7, 0);
            c->LineTo(Width() / 2 + 7, Height());
        }
    };
    TForm form(nullptr);
    auto* e = new MarkedEdit(&form);
    e->SetParent(&form);
    e->SetBounds(4, 4, 160, 24);
    e->SetText("+1.00008e-07");
    form.Show();
    TestInput::ProcessEvents();
    QWidget* w = zvforms::ImplOf(e)->widget;
    const QImage whole = w->grab().toImage();
    ASSERT_EQ(whole.pixelColor(100, 21), QColor(Qt::red));
    for (const QRect part : {QRect(70, 3, 60, 19), QRect(0, 0, 160, 24), QRect(120, 18, 40, 6)}) {
        SCOPED_TRACE(std::to_string(part.x()) + "," + std::to_string(part.y()));
        QImage drawn(part.size(), whole.format());
        drawn.fill(Qt::black);
        w->render(&drawn, QPoint(), QRegion(part));
        EXPECT_TRUE(drawn == whole.copy(part));
    }
}
