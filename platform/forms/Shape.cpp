#include "platform/forms/Shape.h"

#include <algorithm>

TShape::TShape(TComponent* AOwner)
    : TGraphicControl(AOwner), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>())
{
    FControlStyle |= csReplicatable;
    FPen->OnChange = [this](TObject*) { Invalidate(); };
    FBrush->OnChange = [this](TObject*) { Invalidate(); };
    SetBounds(0, 0, 65, 65);
}

TShape::~TShape() = default;

void TShape::SetShape(TShapeType v)
{
    if (v == FShape)
        return;
    FShape = v;
    Invalidate();
}

void TShape::Paint()
{
    TCanvas* c = Canvas();
    c->Pen()->Assign(FPen.get());
    c->Brush()->Assign(FBrush.get());
    const int pw = FPen->Width();
    int x = pw / 2, y = pw / 2;
    int w = FWidth - pw + 1, h = FHeight - pw + 1;
    if (pw == 0) {
        --w;
        --h;
    }
    const int s = std::min(w, h);
    if (FShape == TShapeType::stSquare || FShape == TShapeType::stRoundSquare || FShape == TShapeType::stCircle) {
        x += (w - s) / 2;
        y += (h - s) / 2;
        w = h = s;
    }
    switch (FShape) {
    case TShapeType::stRectangle:
    case TShapeType::stSquare: c->Rectangle(x, y, x + w, y + h); break;
    case TShapeType::stRoundRect:
    case TShapeType::stRoundSquare: c->RoundRect(x, y, x + w, y + h, s / 4, s / 4); break;
    case TShapeType::stEllipse:
    case TShapeType::stCircle: c->Ellipse(x, y, x + w, y + h); break;
    }
}

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle |= csReplicatable;
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape v)
{
    if (v == FShape)
        return;
    FShape = v;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle v)
{
    if (v == FStyle)
        return;
    FStyle = v;
    Invalidate();
}

void TBevel::Paint()
{
    TCanvas* c = Canvas();
    const TColor c1 = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
    const TColor c2 = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
    c->Pen()->SetWidth(1);
    auto line = [&](TColor col, int x1, int y1, int x2, int y2) {
        c->Pen()->SetColor(col);
        c->MoveTo(x1, y1);
        c->LineTo(x2, y2);
    };
    const int w = FWidth, h = FHeight;
    switch (FShape) {
    case bsBox: {
        line(c1, 0, h - 1, 0, 0);
        line(c1, 0, 0, w - 1, 0);
        line(c2, w - 1, 0, w - 1, h - 1);
        line(c2, w - 1, h - 1, -1, h - 1);
        break;
    }
    case bsFrame: {
        // Two offset rectangles make the etched frame.
        c->Brush()->SetStyle(bsClear);
        c->Pen()->SetColor(c1);
        c->Rectangle(0, 0, w - 1, h - 1);
        c->Pen()->SetColor(c2);
        c->Rectangle(1, 1, w, h);
        break;
    }
    case bsTopLine:
        line(c1, 0, 0, w, 0);
        line(c2, 0, 1, w, 1);
        break;
    case bsBottomLine:
        line(c1, 0, h - 2, w, h - 2);
        line(c2, 0, h - 1, w, h - 1);
        break;
    case bsLeftLine:
        line(c1, 0, 0, 0, h);
        line(c2, 1, 0, 1, h);
        break;
    case bsRightLine:
        line(c1, w - 2, 0, w - 2, h);
        line(c2, w - 1, 0, w - 1, h);
        break;
    case bsSpacer: break;
    }
}
