#pragma once
// The hint window of the grid: a borderless box with a light 3-D frame that
// shows a cell's hint (and the scroll hints) as markup.
#include "platform/forms/HintWindow.h"

class THTMLHintWindow : public THintWindow {
public:
    explicit THTMLHintWindow(TComponent* AOwner);

    // Shows Hint with its top-left at Rect's top-left (screen coordinates),
    // kept 2 pixels inside the screen.
    void ActivateHint(const TRect& Rect, const AnsiString& Hint) override;
    TRect CalcHintRect(int MaxWidth, const AnsiString& Hint) override;
    void ReleaseHint() override;
    int TextWidth() const { return FTextWidth; }
    int TextHeight() const { return FTextHeight; }

protected:
    void Paint() override;

private:
    int FTextWidth = 0;
    int FTextHeight = 0;
};
