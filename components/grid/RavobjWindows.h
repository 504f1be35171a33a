#pragma once
// The grid's two small pop-up windows: the arrow that marks a drop position
// while columns or rows are moved or dropped, and the caption box that follows
// the cursor while a column header is dragged.
#include <vector>

#include "components/grid/Ravutil.h"
#include "platform/forms/Controls.h"

class TArrowWindow : public TCustomControl {
public:
    TArrowWindow(TComponent* AOwner, TArrowDirection Direction);
    TArrowDirection Direction() const { return FDirection; }
    // The seven points of the arrow's outline, from the window's top-left corner.
    const std::vector<TPoint>& Outline() const { return FOutline; }

protected:
    void Paint() override;

private:
    TArrowDirection FDirection;
    std::vector<TPoint> FOutline;
};

class TPopupButton : public TCustomControl {
public:
    explicit TPopupButton(TComponent* AOwner);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);

protected:
    void Paint() override;

private:
    bool FFlat = false;
};
