#pragma once
// TShape: a rectangle, square, rounded one, ellipse or circle drawn with Pen and Brush.
// The shape kinds are scoped (TShapeType::stCircle) so they do not collide with the
// control library's own shape names.
#include <memory>

#include "platform/forms/Controls.h"

enum class TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TGraphicControl {
public:
    explicit TShape(TComponent* AOwner);
    ~TShape() override;

    TShapeType Shape() const { return FShape; }
    void SetShape(TShapeType v);
    TPen* Pen() const { return FPen.get(); }
    void SetPen(TPen* v) { FPen->Assign(v); }
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(TBrush* v) { FBrush->Assign(v); }

protected:
    void Paint() override;

    TShapeType FShape = TShapeType::stRectangle;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
};

// TBevel: a 3-D box, frame or line.
enum TBevelStyle { bsLowered, bsRaised };
enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };

class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* AOwner);

    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape v);
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle v);

protected:
    void Paint() override;

    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};
