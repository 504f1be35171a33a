#include "platform/forms/HintWindow.h"

#include "platform/forms/Application.h"

namespace {

// Keeps the class and the one window it made; the window belongs to the application
// (freed with it), and its going is noticed here.
class THintKeeper : public TComponent {
public:
    THintKeeper() : TComponent(nullptr) {}
    THintWindowClass Class;
    THintWindow* Window = nullptr;

    void DropWindow()
    {
        THintWindow* w = Window;
        Window = nullptr;
        delete w;
    }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        if (Operation == TOperation::opRemove && AComponent == Window)
            Window = nullptr;
        TComponent::Notification(AComponent, Operation);
    }
};

THintKeeper& Keeper()
{
    static THintKeeper k;
    return k;
}

} // namespace

const THintWindowClass& HintWindowClass() { return Keeper().Class; }

void SetHintWindowClass(const THintWindowClass& Class)
{
    // The window of the class before goes with it.
    Keeper().DropWindow();
    Keeper().Class = Class;
}

THintWindow* ApplicationHintWindow() { return Keeper().Window; }

bool ShowApplicationHint(const TPoint& ScreenPos, const AnsiString& Hint)
{
    THintKeeper& k = Keeper();
    if (!k.Class)
        return false;
    if (!k.Window) {
        k.Window = k.Class(Application);
        if (!k.Window)
            return false;
        k.Window->FreeNotification(&k);
    }
    // Below the cursor, as the desktop places a tool tip.
    const TRect r = k.Window->CalcHintRect(300, Hint);
    k.Window->ActivateHint(TRect(ScreenPos.x, ScreenPos.y + 20, ScreenPos.x + r.Width(), ScreenPos.y + 20 + r.Height()),
                           Hint);
    return true;
}

void HideApplicationHint()
{
    if (THintWindow* w = Keeper().Window)
        w->ReleaseHint();
}
