#include <gtest/gtest.h>

#include <memory>

#include "components/controls/Owclasses.h"
#include "components/controls/OwcontrolsComponents.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace {
TEST(OwPersistent, UpdatesFoldChangesIntoOne)
{
    TOwPaletteEx p;
    int changes = 0;
    p.OnChange = [&](TObject* s) {
        EXPECT_EQ(s, &p);
        ++changes;
    };
    p.SetLow1(clGreen); // the current value: nothing
    EXPECT_EQ(changes, 0);
    p.SetLow1(clRed);
    EXPECT_EQ(changes, 1);
    p.BeginUpdate();
    for (int i = 0; i < 10; ++i)
        p.SetHigh1(RGB(i, 0, 0));
    EXPECT_EQ(changes, 1);
    p.EndUpdate();
    EXPECT_EQ(changes, 2);
    p.EndUpdate(); // at 0 still reports
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(p.UpdateCount(), 0);
}

TEST(OwPaletteEx, AssignCopiesAllFourAndNotifiesOnce)
{
    TOwPaletteEx a, b;
    a.SetLow1(clRed);
    a.SetLow2(clBlue);
    a.SetHigh1(clYellow);
    a.SetHigh2(clAqua);
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.Assign(&a);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(b.Low1(), clRed);
    EXPECT_EQ(b.Low2(), clBlue);
    EXPECT_EQ(b.High1(), clYellow);
    EXPECT_EQ(b.High2(), clAqua);
    TOwBevel bevel;
    EXPECT_THROW(b.Assign(&bevel), EConvertError);
}

TEST(OwBevel, VisibleAreaCountsEveryRing)
{
    TOwBevel b; // outer outline, raised 1, inner lowered 1, inner space 1
    TRect r(0, 0, 40, 30);
    b.GetVisibleArea(r);
    EXPECT_EQ(r, TRect(4, 4, 36, 26));
    b.SetInnerStyle(TOwBevelStyle::bsNone);
    b.SetBorderWidth(2);
    r = TRect(0, 0, 40, 30);
    b.GetVisibleArea(r);
    EXPECT_EQ(r, TRect(5, 5, 35, 25));
    b.SetVisible(false);
    r = TRect(0, 0, 40, 30);
    b.GetVisibleArea(r);
    EXPECT_EQ(r, TRect(0, 0, 40, 30));
}

TEST(OwBevel, PaintShrinksLikeTheVisibleArea)
{
    TBitmap bmp;
    bmp.SetSize(36, 25);
    TOwBevel b;
    b.SetInnerStyle(TOwBevelStyle::bsNone);
    TRect r(0, 0, 36, 25);
    TRect v = r;
    b.GetVisibleArea(v);
    b.Paint(bmp.Canvas(), r);
    EXPECT_EQ(r, v);
    EXPECT_EQ(r, TRect(3, 3, 33, 22));
    EXPECT_EQ(bmp.Canvas()->Pixels(0, 0), clBlack);
    EXPECT_EQ(bmp.Canvas()->Pixels(1, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(bmp.Canvas()->Pixels(34, 5), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(bmp.Canvas()->Pixels(2, 2), GetSysColor(COLOR_BTNFACE));
}

TEST(OwBevel, AssignNotifiesOnce)
{
    TOwBevel a, b;
    a.SetOuterStyle(TOwBevelStyle::bsLowered);
    a.SetInnerSpace(3);
    a.SetBorderColor(clRed);
    int changes = 0;
    b.OnChange = [&](TObject*) { ++changes; };
    b.Assign(&a);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(b.OuterStyle(), TOwBevelStyle::bsLowered);
    EXPECT_EQ(b.InnerSpace(), 3);
    EXPECT_EQ(b.BorderColor(), clRed);
}

TEST(OwTextOutline, Defaults)
{
    TOwTextOutline o;
    EXPECT_EQ(o.Color(), clNavy);
    EXPECT_TRUE(o.Visible());
    EXPECT_EQ(o.Width(), 1);
}

TEST(OwSharedComponent, LinksComeAndGo)
{
    auto shared = std::make_unique<TOwSharedComponent>(nullptr);
    EXPECT_EQ(shared->Version(), "1.3");
    shared->NotifyClients(); // no links: nothing
    TOwChangeLink a, b;
    std::vector<TObject*> seen;
    a.OnChange = [&](TObject* s) { seen.push_back(s); };
    b.OnChange = [&](TObject* s) { seen.push_back(s); };
    shared->InsertLink(&a);
    shared->InsertLink(&b);
    shared->NotifyClients();
    EXPECT_EQ(seen, (std::vector<TObject*>{shared.get(), shared.get()}));
    {
        TOwChangeLink c;
        shared->InsertLink(&c);
        EXPECT_EQ(shared->LinkCount(), 3);
    }
    EXPECT_EQ(shared->LinkCount(), 2); // a freed link leaves its component
    TOwChangeLink stranger;
    shared->RemoveLink(&stranger); // not in the list: nothing
    shared.reset();
    EXPECT_EQ(a.Sender(), nullptr);
    EXPECT_EQ(b.Sender(), nullptr);
}
}
