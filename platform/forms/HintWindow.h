#pragma once
// THintWindow: a window that shows the hints of the application's controls. While
// HintWindowClass makes one, every control's hint shows in such a window; without it
// (the default) the desktop's own tool tip shows them.
#include <functional>

#include "platform/forms/Controls.h"

class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {}
    // Shows Hint with its top-left at Rect's top-left (screen coordinates).
    virtual void ActivateHint(const TRect& Rect, const AnsiString& Hint) = 0;
    // The size Hint takes within MaxWidth, at (0, 0).
    virtual TRect CalcHintRect(int MaxWidth, const AnsiString& Hint) = 0;
    virtual void ReleaseHint() = 0;
};

using THintWindowClass = std::function<THintWindow*(TComponent* AOwner)>;

// The maker of the application's hint window (empty: the desktop's tool tip).
const THintWindowClass& HintWindowClass();
void SetHintWindowClass(const THintWindowClass& Class);
// The hint window now made by that class (nullptr when none has been needed yet).
THintWindow* ApplicationHintWindow();
// Shows Hint below the screen point in the application's hint window; false when there
// is no hint window class.
bool ShowApplicationHint(const TPoint& ScreenPos, const AnsiString& Hint);
void HideApplicationHint();
