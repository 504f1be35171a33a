#pragma once
// TOwCustomTrayIcon: one icon in the desktop's notification area whose mouse actions
// become events, with a pop-up menu, and that can stand in for the taskbar button while
// the application is minimised. Where the desktop has no notification area the icon is
// never added (Added stays false) and nothing else changes.
#include <array>
#include <memory>

#include "components/controls/OwcontrolsComponents.h"
#include "platform/forms/Controls.h"
#include "platform/graphics/Icon.h"

class TPopupMenu;
class TTrayIconHandle;

class TOwCustomTrayIcon : public TOwComponent {
public:
    explicit TOwCustomTrayIcon(TComponent* AOwner);
    ~TOwCustomTrayIcon() override;

    TIcon* Icon() const { return FIcon.get(); }
    void SetIcon(TIcon* v) { FIcon->Assign(v); }
    bool Enabled = true;
    const AnsiString& Hint() const { return FHint; }
    void SetHint(const AnsiString& v);
    bool ShowHint() const { return FShowHint; }
    void SetShowHint(bool v);
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(TPopupMenu* v);
    bool HideTaskBtn = false;
    bool LeftBtnPopup = false;
    // The icon is in the notification area now.
    bool Added() const { return FAdded; }
    // The tip as the notification record holds it (63 characters at most).
    AnsiString Tip() const { return AnsiString(FTip.data()); }

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

    // A notification code from the notification area (512 .. 521).
    virtual void WndProc(int Code);
    void ShowMainForm();
    void HideMainForm();

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void Click() { FireEvent(OnClick, this); }
    virtual void DblClick() { FireEvent(OnDblClick, this); }
    virtual void MouseDown(TMouseButton B, TShiftState S, int X, int Y) { FireEvent(OnMouseDown, this, B, S, X, Y); }
    virtual void MouseUp(TMouseButton B, TShiftState S, int X, int Y) { FireEvent(OnMouseUp, this, B, S, X, Y); }
    virtual void MouseMove(TShiftState S, int X, int Y) { FireEvent(OnMouseMove, this, S, X, Y); }

private:
    void UpdateSystemTray();
    void UpdateHint();
    void ShowMenu();
    void DoHideTaskBtn();
    std::unique_ptr<TIcon> FIcon;
    std::unique_ptr<TTrayIconHandle> FTray;
    AnsiString FHint;
    bool FShowHint = false;
    bool FVisible = false;
    TPopupMenu* FPopupMenu = nullptr;
    bool FAdded = false;
    bool FLeftDown = false;
    std::array<char, 64> FTip{};
    TNotifyEvent FSavedMinimize;
};

class TOwTrayIcon : public TOwCustomTrayIcon {
public:
    using TOwCustomTrayIcon::TOwCustomTrayIcon;
};
