#include "platform/forms/Menus.h"

#include <QAction>
#include <QMenu>
#include <algorithm>

#include "platform/forms/FormsImpl_p.h"

using namespace zvqt;

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem()
{
    while (!FItems.empty()) {
        TMenuItem* c = FItems.back();
        FItems.pop_back();
        c->FParent = nullptr;
        delete c;
    }
    if (FParent)
        FParent->Remove(this);
}

void TMenuItem::Changed()
{
    if (TMenu* m = Menu())
        m->Changed();
}

void TMenuItem::SetCaption(const AnsiString& v)
{
    if (v == FCaption)
        return;
    FCaption = v;
    Changed();
}

void TMenuItem::SetChecked(bool v)
{
    if (v == FChecked)
        return;
    FChecked = v;
    // A checked radio item clears the others of its group.
    if (v && FRadioItem && FParent)
        for (TMenuItem* s : FParent->FItems)
            if (s != this && s->FRadioItem && s->FGroupIndex == FGroupIndex)
                s->FChecked = false;
    Changed();
}

void TMenuItem::SetEnabled(bool v)
{
    if (v == FEnabled)
        return;
    FEnabled = v;
    Changed();
}

void TMenuItem::SetVisible(bool v)
{
    if (v == FVisible)
        return;
    FVisible = v;
    Changed();
}

void TMenuItem::SetRadioItem(bool v)
{
    if (v == FRadioItem)
        return;
    FRadioItem = v;
    Changed();
}

int TMenuItem::MenuIndex() const
{
    if (!FParent)
        return -1;
    const auto& v = FParent->FItems;
    return static_cast<int>(std::find(v.begin(), v.end(), this) - v.begin());
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item)
{
    if (!Item)
        return;
    if (Item->FParent)
        throw EInvalidOperation("Menu inserted twice");
    Index = std::clamp(Index, 0, Count());
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
    Changed();
}

void TMenuItem::Remove(TMenuItem* Item)
{
    const auto it = std::find(FItems.begin(), FItems.end(), Item);
    if (it == FItems.end())
        return;
    FItems.erase(it);
    Item->FParent = nullptr;
    Changed();
}

void TMenuItem::Delete(int Index)
{
    if (Index < 0 || Index >= Count())
        throw EMenuError("Menu index out of range");
    Remove(FItems[static_cast<size_t>(Index)]);
}

void TMenuItem::Clear()
{
    while (!FItems.empty())
        delete FItems.back();
}

TMenuItem* TMenuItem::Find(const AnsiString& ACaption) const
{
    auto strip = [](const AnsiString& s) {
        AnsiString r;
        for (char c : s)
            if (c != '&')
                r += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return r;
    };
    for (TMenuItem* i : FItems)
        if (strip(i->FCaption) == strip(ACaption))
            return i;
    return nullptr;
}

void TMenuItem::Click()
{
    if (!FEnabled)
        return;
    if (FRadioItem)
        SetChecked(true);
    zvforms::Guard([&] { FireEvent(OnClick, this); }, this);
}

TMenu* TMenuItem::Menu() const
{
    const TMenuItem* i = this;
    while (i->FParent)
        i = i->FParent;
    return i->FMenu;
}

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(std::make_unique<TMenuItem>(nullptr))
{
    FItems->FMenu = this;
}

TMenu::~TMenu()
{
    OnChange = nullptr;
    FItems->FMenu = nullptr;
}

void TMenu::Changed() { FireEvent(OnChange, this); }

namespace zvforms {

void FillMenu(QMenu* m, TMenuItem* it)
{
    for (int i = 0; i < it->Count(); ++i) {
        TMenuItem* sub = it->Items(i);
        if (!sub->Visible())
            continue;
        if (sub->IsLine()) {
            m->addSeparator();
        } else if (sub->Count() > 0) {
            QMenu* sm = m->addMenu(ToQString(sub->Caption()));
            sm->setEnabled(sub->Enabled());
            FillMenu(sm, sub);
        } else {
            QAction* a = m->addAction(ToQString(sub->Caption()));
            a->setEnabled(sub->Enabled());
            a->setCheckable(sub->Checked());
            a->setChecked(sub->Checked());
            QObject::connect(a, &QAction::triggered, a, [sub] { sub->Click(); });
        }
    }
}

} // namespace zvforms

struct TPopupMenu::TShown {
    QPointer<QMenu> Menu;
    bool Closed = false;
};

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner), FShown(std::make_unique<TShown>()) {}

TPopupMenu::~TPopupMenu() { FreeShown(); }

void TPopupMenu::FreeShown()
{
    // A closed menu is already on its way out (it may still be running the chosen item).
    if (FShown->Menu && !FShown->Closed)
        delete FShown->Menu.data();
    FShown->Menu = nullptr;
    FShown->Closed = false;
}

void TPopupMenu::Popup(int X, int Y)
{
    zvforms::Guard([&] { FireEvent(OnPopup, this); }, this);
    FreeShown();
    auto* menu = new QMenu();
    TShown* shown = FShown.get();
    QObject::connect(menu, &QMenu::aboutToHide, menu, [menu, shown] {
        if (shown->Menu == menu)
            shown->Closed = true;
        menu->deleteLater();
    });
    zvforms::FillMenu(menu, Items());
    FShown->Menu = menu;
    menu->popup(QPoint(X, Y));
}
