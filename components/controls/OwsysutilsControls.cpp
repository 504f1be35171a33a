// The canvas utilities that look at controls: a control's background copied from its parent.
#include <algorithm>

#include "components/controls/Owsysutils.h"
#include "platform/forms/Controls.h"
#include "platform/graphics/Canvas.h"

void CopyParentImage(TControl* Control, TCanvas* Dest)
{
    if (!Control || !Control->Parent())
        return;
    TWinControl* parent = Control->Parent();
    const TRect self = Control->BoundsRect();
    const TPoint oldOrg = Dest->ViewportOrg();
    const TPoint base(oldOrg.x - Control->Left(), oldOrg.y - Control->Top());
    parent->SetControlState(parent->ControlState() | csPaintCopy);
    struct Unmark {
        TWinControl* p;
        ~Unmark() { p->SetControlState(p->ControlState() & ~csPaintCopy); }
    } unmark{parent};
    Dest->SetViewportOrg(base);
    Dest->IntersectClipRect(TRect(0, 0, parent->ClientWidth(), parent->ClientHeight()));
    parent->PaintBackground(Dest);
    Dest->ResetClip();
    // The graphic controls below this one, each clipped to what it covers of it.
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* c = parent->Controls(i);
        if (c == Control)
            break;
        if (dynamic_cast<TWinControl*>(c) || !c->Visible())
            continue;
        const TRect b = c->BoundsRect();
        const TRect r(std::max(b.Left, self.Left), std::max(b.Top, self.Top), std::min(b.Right, self.Right),
                      std::min(b.Bottom, self.Bottom));
        if (r.Left >= r.Right || r.Top >= r.Bottom)
            continue;
        Dest->SetViewportOrg(base);
        Dest->SetClipRect(r);
        c->PaintTo(Dest, b.Left, b.Top);
        Dest->ResetClip();
    }
    Dest->SetViewportOrg(oldOrg);
}

TWinControl* GetOwnerControl(TComponent* Component)
{
    TWinControl* result = nullptr;
    for (TComponent* o = Component ? Component->Owner() : nullptr; o; o = o->Owner()) {
        auto* w = dynamic_cast<TWinControl*>(o);
        if (!w)
            break;
        result = w;
    }
    return result;
}
