// The drag-and-drop part of the test input helpers.
#include "platform/forms/DragDrop_p.h"
#include "platform/forms/TestInput.h"

namespace TestInput {

void DropOn(TWinControl* Target, int X, int Y, TShiftState Shift)
{
    zvforms::TDropScript s;
    s.active = true;
    s.target = Target;
    s.point = TPoint(X, Y);
    s.shift = Shift;
    zvforms::SetDropScript(s);
}

void CancelNextDrag(TWinControl* Target)
{
    zvforms::TDropScript s;
    s.active = true;
    s.target = Target;
    s.cancel = true;
    zvforms::SetDropScript(s);
}

int DropFromOutside(TWinControl* Target, int X, int Y, const TDragData& Data, TShiftState Shift)
{
    TDropTargetHandler* h = DropTargetOf(Target);
    if (!h)
        return DROPEFFECT_NONE;
    const TPoint p = Target->ClientToScreen(TPoint(X, Y));
    int effect = h->DragEnter(Data, Shift, p);
    if (effect != DROPEFFECT_NONE)
        effect = h->DragOver(Shift, p);
    if (effect == DROPEFFECT_NONE) {
        h->DragLeave();
        return effect;
    }
    effect = h->Drop(Data, Shift, p);
    ProcessEvents();
    return effect;
}

} // namespace TestInput
