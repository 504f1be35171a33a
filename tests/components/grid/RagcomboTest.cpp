// The grid's flat combo box: settings and the disabled colour.
#include <gtest/gtest.h>

#include "components/grid/Ragcombo.h"
#include "platform/forms/Form.h"
#include "platform/forms/Render.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "tests/support/TestOutput.h"

#include <cstdlib>

TEST(GridCombo, ButtonWidthAcceptsOnlyFourteenToThirtyTwo)
{
    TRAGComboBox c(nullptr);
    EXPECT_TRUE(c.Flat());
    const int start = c.ButtonWidth();
    c.SetButtonWidth(13);
    EXPECT_EQ(c.ButtonWidth(), start);
    c.SetButtonWidth(33);
    EXPECT_EQ(c.ButtonWidth(), start);
    c.SetButtonWidth(14);
    EXPECT_EQ(c.ButtonWidth(), 14);
    c.SetButtonWidth(32);
    EXPECT_EQ(c.ButtonWidth(), 32);
    c.SetDropWidth(300);
    EXPECT_EQ(c.DropWidth(), 300);
}

TEST(GridCombo, DisabledFlatComboTakesItsParentsColour)
{
    TForm form(nullptr);
    form.SetColor(clSilver);
    auto* c = new TRAGComboBox(&form);
    c->SetParent(&form);
    c->SetColor(clRed);
    c->SetEnabled(false);
    EXPECT_TRUE(c->ParentColor());
    EXPECT_EQ(c->Color(), clSilver);
    c->SetEnabled(true);
    EXPECT_FALSE(c->ParentColor());
    EXPECT_EQ(c->Color(), clRed);
}

TEST(GridCombo, BorderFollowsTheMouse)
{
    TRAGComboBox c(nullptr);
    c.SetFocusBorder(true);
    EXPECT_FALSE(c.Is3DBorderControl());
    c.CMMouseEnter();
    EXPECT_TRUE(c.MouseInControl());
    EXPECT_TRUE(c.Is3DBorderControl());
    EXPECT_TRUE(c.Is3DBorderButton());
    c.CMMouseLeave();
    EXPECT_FALSE(c.Is3DBorderControl());
}

TEST(GridCombo, RendersFlat)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 80);
    auto* c = new TRAGComboBox(&form);
    c->SetParent(&form);
    c->SetBounds(10, 10, 150, 22);
    c->Items()->Add("Cp-D");
    c->Items()->Add("Rs-Q");
    c->SetItemIndex(0);
    ASSERT_TRUE(SaveControlToPng(&form, TestOutputPath("grid_combo_flat.png")));
}

// Idle, the flat border vanishes into the parent; hovered or focused it is a sunken edge.
TEST(GridCombo, FlatBorderIsTheParentsColourUntilHovered)
{
    TForm form(nullptr);
    form.SetBounds(0, 0, 200, 80);
    form.SetColor(clSilver);
    auto* c = new TRAGComboBox(&form);
    c->SetParent(&form);
    c->SetBounds(10, 10, 150, 22);
    c->SetFocusBorder(true);
    TBitmap idle;
    RenderControl(c, &idle);
    const int mid = c->Height() / 2;
    for (int x : {0, 1})
        EXPECT_EQ(idle.Canvas()->Pixels(x, mid), clSilver) << x;
    EXPECT_EQ(idle.Canvas()->Pixels(c->Width() - 1, mid), clSilver);
    c->CMMouseEnter();
    TBitmap hot;
    RenderControl(c, &hot);
    EXPECT_NE(hot.Canvas()->Pixels(0, mid), clSilver);
    EXPECT_EQ(hot.Canvas()->Pixels(1, mid), ColorToRGB(clBtnFace));
    c->CMMouseLeave();
    form.Show();
    c->SetFocus();
    TBitmap focused;
    RenderControl(c, &focused);
    EXPECT_NE(focused.Canvas()->Pixels(0, mid), clSilver);
}
