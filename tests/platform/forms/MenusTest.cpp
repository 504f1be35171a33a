// A popup menu on screen belongs to its TPopupMenu: no shown menu outlives it, and a
// chosen item still runs.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <algorithm>
#include <memory>
#include <vector>

#include "platform/forms/Menus.h"
#include "platform/forms/TestInput.h"

namespace {

std::vector<QMenu*> ShownMenus()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    std::vector<QMenu*> menus;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<QMenu*>(w))
            menus.push_back(m);
    return menus;
}

TPopupMenu* NewMenu(int& Clicks)
{
    auto* menu = new TPopupMenu(nullptr);
    auto* item = new TMenuItem(menu);
    item->SetCaption("Copy");
    item->OnClick = [&Clicks](TObject*) { ++Clicks; };
    menu->Items()->Add(item);
    return menu;
}

} // namespace

TEST(PopupMenu, AMenuNeverClosedIsFreedWithItsOwner)
{
    const size_t before = ShownMenus().size();
    int clicks = 0;
    TPopupMenu* menu = NewMenu(clicks);
    menu->Popup(10, 10);
    // A second popup replaces the first rather than leaving it open.
    menu->Popup(20, 20);
    EXPECT_EQ(ShownMenus().size(), before + 1);
    delete menu;
    EXPECT_EQ(ShownMenus().size(), before);
}

TEST(PopupMenu, AChosenItemRunsAndTheClosedMenuGoes)
{
    const std::vector<QMenu*> old = ShownMenus();
    const size_t before = old.size();
    int clicks = 0;
    std::unique_ptr<TPopupMenu> menu(NewMenu(clicks));
    menu->Popup(10, 10);
    std::vector<QMenu*> shown = ShownMenus();
    ASSERT_EQ(shown.size(), before + 1);
    std::erase_if(shown, [&](QMenu* m) { return std::find(old.begin(), old.end(), m) != old.end(); });
    ASSERT_EQ(shown.size(), 1u);
    QMenu* m = shown[0];
    ASSERT_EQ(m->actions().size(), 1);
    m->actions()[0]->trigger();
    m->close();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(ShownMenus().size(), before);
    menu.reset();
    EXPECT_EQ(ShownMenus().size(), before);
}
