#pragma once
// Menus: TMenuItem trees under a TMainMenu (the form's menu bar) or a TPopupMenu (shown
// at the mouse on a right click of a control that has it as PopupMenu).
#include <memory>
#include <vector>

#include "platform/forms/Controls.h"

ZV_EXCEPTION_CLASS(EMenuError, Exception)

class TMenu;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;

    const AnsiString& Caption() const { return FCaption; }
    void SetCaption(const AnsiString& v);
    bool Checked() const { return FChecked; }
    void SetChecked(bool v);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool v);
    bool Visible() const { return FVisible; }
    void SetVisible(bool v);
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool v);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int v) { FGroupIndex = v; }
    const AnsiString& Hint() const { return FHint; }
    void SetHint(const AnsiString& v) { FHint = v; }

    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int Index) const { return FItems.at(static_cast<size_t>(Index)); }
    TMenuItem* operator[](int Index) const { return Items(Index); }
    TMenuItem* Parent() const { return FParent; }
    int MenuIndex() const;
    // The item becomes a child here (the menu does not own it; its owner does).
    void Add(TMenuItem* Item);
    void Insert(int Index, TMenuItem* Item);
    void Remove(TMenuItem* Item);
    void Delete(int Index);
    // Removes and frees every child.
    void Clear();
    TMenuItem* Find(const AnsiString& ACaption) const;
    bool IsLine() const { return FCaption == "-"; }

    // Runs OnClick (guarded), as choosing the item does.
    virtual void Click();

    TNotifyEvent OnClick;

    // The menu the item belongs to (nullptr when loose).
    TMenu* Menu() const;

private:
    friend class TMenu;
    void Changed();
    AnsiString FCaption;
    AnsiString FHint;
    bool FChecked = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FRadioItem = false;
    int FGroupIndex = 0;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;
    std::vector<TMenuItem*> FItems;
};

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;

    TMenuItem* Items() const { return FItems.get(); }
    // Called when an item changes (the form rebuilds its menu bar).
    TNotifyEvent OnChange;
    void Changed();

private:
    std::unique_ptr<TMenuItem> FItems;
};

class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
};

class TPopupMenu : public TMenu {
public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;

    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool v) { FAutoPopup = v; }
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* v) { FPopupComponent = v; }
    // Shows the menu at screen point (X, Y) without waiting; OnPopup runs first.
    virtual void Popup(int X, int Y);

    TNotifyEvent OnPopup;

private:
    bool FAutoPopup = true;
    TComponent* FPopupComponent = nullptr;
    // The menu on screen, if any; freed when it closes, when another one pops up, or with
    // this menu when it never closes.
    struct TShown;
    std::unique_ptr<TShown> FShown;
    void FreeShown();
};
