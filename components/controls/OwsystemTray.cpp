#include "components/controls/OwsystemTray.h"

#include <cstring>

#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/forms/Menus.h"
#include "platform/forms/Screen.h"
#include "platform/forms/TrayIcon.h"

TOwCustomTrayIcon::TOwCustomTrayIcon(TComponent* AOwner)
    : TOwComponent(AOwner), FIcon(std::make_unique<TIcon>()),
      FTray(std::make_unique<TTrayIconHandle>([this](int Code) { WndProc(Code); }))
{
    FIcon->OnChange = [this](TObject*) { UpdateSystemTray(); };
    if (!ComponentStateHas(csDesigning) && Application) {
        // Minimising may hide the taskbar button and leave the icon.
        FSavedMinimize = Application->OnMinimize;
        Application->OnMinimize = [this](TObject* s) {
            if (HideTaskBtn)
                DoHideTaskBtn();
            FireEvent(FSavedMinimize, s);
        };
    }
}

TOwCustomTrayIcon::~TOwCustomTrayIcon()
{
    FIcon->OnChange = nullptr;
    SetVisible(false);
    if (FAdded)
        FTray->Delete(); // whatever the icon holds now
    if (Application && !ComponentStateHas(csDesigning))
        Application->OnMinimize = FSavedMinimize;
}

void TOwCustomTrayIcon::SetVisible(bool v)
{
    if (v == FVisible)
        return;
    FVisible = v;
    UpdateSystemTray();
}

void TOwCustomTrayIcon::SetHint(const AnsiString& v)
{
    if (v == FHint)
        return;
    FHint = v;
    UpdateHint();
}

void TOwCustomTrayIcon::SetShowHint(bool v)
{
    if (v == FShowHint)
        return;
    FShowHint = v;
    UpdateHint();
}

void TOwCustomTrayIcon::SetPopupMenu(TPopupMenu* v)
{
    FPopupMenu = v;
    if (v)
        v->FreeNotification(this);
}

void TOwCustomTrayIcon::Notification(TComponent* AComponent, TOperation Operation)
{
    TOwComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FPopupMenu)
        FPopupMenu = nullptr;
}

void TOwCustomTrayIcon::UpdateHint()
{
    FTip.fill(0);
    if (!FHint.empty() && FShowHint)
        std::memcpy(FTip.data(), FHint.data(), std::min<size_t>(FHint.size(), 63));
    UpdateSystemTray();
}

void TOwCustomTrayIcon::UpdateSystemTray()
{
    if (ComponentStateHas(csDesigning))
        return;
    // An added icon goes when it is no longer wanted, whatever the icon holds now.
    if (!FVisible) {
        if (FAdded)
            FTray->Delete();
        FAdded = false;
        return;
    }
    if (FIcon->Empty())
        return;
    if (FAdded)
        FTray->Modify(FIcon.get(), Tip());
    else
        FAdded = FTray->Add(FIcon.get(), Tip()); // added only when the desktop took it
}

void TOwCustomTrayIcon::WndProc(int Code)
{
    if (!Enabled)
        return;
    const TPoint p = GetCursorPos();
    const TShiftState s = 0;
    switch (Code) {
    case 512:
        MouseMove(s, p.x, p.y);
        break;
    case 513:
        MouseDown(mbLeft, s | ssLeft, p.x, p.y);
        FLeftDown = true;
        if (LeftBtnPopup) {
            FLeftDown = false;
            ShowMenu();
        }
        break;
    case 514:
        if (FLeftDown) {
            FLeftDown = false;
            Click();
        }
        MouseUp(mbLeft, s | ssLeft, p.x, p.y);
        break;
    case 515:
    case 518:
    case 521:
        DblClick();
        break;
    case 516:
        MouseDown(mbRight, s | ssRight, p.x, p.y);
        ShowMenu();
        break;
    case 517:
        MouseUp(mbRight, s | ssRight, p.x, p.y);
        break;
    case 519:
        MouseDown(mbMiddle, s | ssMiddle, p.x, p.y);
        break;
    case 520:
        MouseUp(mbMiddle, s | ssMiddle, p.x, p.y);
        break;
    default:
        break;
    }
}

void TOwCustomTrayIcon::ShowMenu()
{
    if (!FPopupMenu)
        return;
    const TPoint p = GetCursorPos();
    Application->ProcessMessages();
    if (TCustomForm* f = Application->MainForm())
        f->BringToFront();
    FPopupMenu->Popup(p.x, p.y);
}

void TOwCustomTrayIcon::ShowMainForm()
{
    if (TCustomForm* f = Application->MainForm()) {
        f->Show();
        f->SetWindowState(wsNormal);
    }
}

void TOwCustomTrayIcon::HideMainForm()
{
    if (TCustomForm* f = Application->MainForm())
        f->Hide();
}

void TOwCustomTrayIcon::DoHideTaskBtn()
{
    HideMainForm();
    SetVisible(true);
}
