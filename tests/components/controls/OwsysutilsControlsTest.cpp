// A control's background copied from its parent, and the owner chain.
#include <gtest/gtest.h>

#include <memory>

#include "components/controls/Owsysutils.h"
#include "platform/forms/Panel.h"
#include "platform/forms/Shape.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

namespace {

TEST(CopyParentImage, PaintsTheParentAndTheGraphicControlsBelow)
{
    auto panel = std::make_unique<TPanel>(nullptr);
    panel->SetBounds(0, 0, 100, 60);
    panel->SetBevelOuter(bvNone);
    panel->SetColor(clYellow);
    auto* under = new TShape(panel.get());
    under->SetParent(panel.get());
    under->SetBounds(20, 10, 20, 20);
    under->Brush()->SetColor(clRed);
    under->Pen()->SetColor(clRed);
    auto* self = new TShape(panel.get());
    self->SetParent(panel.get());
    self->SetBounds(30, 20, 40, 30);
    auto* above = new TShape(panel.get());
    above->SetParent(panel.get());
    above->SetBounds(30, 20, 10, 10);
    above->Brush()->SetColor(clBlue);
    TBitmap b;
    b.SetSize(40, 30);
    CopyParentImage(self, b.Canvas());
    EXPECT_EQ(b.Canvas()->Pixels(2, 2), clRed);     // the shape below, at (32, 22)
    EXPECT_EQ(b.Canvas()->Pixels(20, 20), clYellow); // the panel's background
    // Without a parent nothing is drawn.
    TShape loose(nullptr);
    TBitmap c;
    c.SetSize(5, 5);
    c.Canvas()->SetPixels(1, 1, clLime);
    CopyParentImage(&loose, c.Canvas());
    EXPECT_EQ(c.Canvas()->Pixels(1, 1), clLime);
    EXPECT_EQ(GetOwnerControl(under), panel.get());
    EXPECT_EQ(GetOwnerControl(panel.get()), nullptr);
}

} // namespace
