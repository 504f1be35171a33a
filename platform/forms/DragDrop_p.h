#pragma once
// Private: how a test makes the next drag end (set through TestInput).
#include "platform/forms/DragDrop.h"

namespace zvforms {
struct TDropScript {
    bool active = false;
    TWinControl* target = nullptr; // nullptr: released over no target
    TPoint point;                  // client point of target
    TShiftState shift = 0;
    bool cancel = false;           // Escape during the drag
};
void SetDropScript(const TDropScript& S);
} // namespace zvforms
