// The notification-area icon: adding and removing, the tip, the mouse notifications and
// the "no notification area" state.
#include <gtest/gtest.h>

#include <memory>

#include "components/controls/OwsystemTray.h"
#include "platform/forms/Application.h"
#include "platform/forms/Form.h"
#include "platform/forms/Menus.h"
#include "platform/forms/TrayIcon.h"

namespace {

// A 16 x 16 red icon in the Windows icon file form.
std::unique_ptr<TIcon> SomeIcon()
{
    std::vector<Byte> d;
    auto u16 = [&](unsigned v) { d.push_back(v & 0xFF); d.push_back((v >> 8) & 0xFF); };
    auto u32 = [&](unsigned v) { u16(v & 0xFFFF); u16(v >> 16); };
    const unsigned dib = 40 + 16 * 16 * 4 + 16 * 4;
    u16(0); u16(1); u16(1);                           // icon file, one image
    d.push_back(16); d.push_back(16); d.push_back(0); d.push_back(0);
    u16(1); u16(32); u32(dib); u32(22);               // planes, bits, size, offset
    u32(40); u32(16); u32(32); u16(1); u16(32); u32(0); u32(0); u32(0); u32(0); u32(0); u32(0);
    for (int i = 0; i < 16 * 16; ++i) {
        d.push_back(0); d.push_back(0); d.push_back(255); d.push_back(255); // B G R A
    }
    d.insert(d.end(), 16 * 4, 0);                     // the mask: all shown
    auto icon = std::make_unique<TIcon>();
    icon->LoadFromData(d);
    return icon;
}

struct Tray : ::testing::Test {
    void SetUp() override { SetTrayRecordOnly(true); }
    void TearDown() override { SetTrayRecordOnly(false); }
};

TEST_F(Tray, AddedOnlyWithAnIconAndRemovedWhenHidden)
{
    TOwTrayIcon t(nullptr);
    t.SetVisible(true);
    EXPECT_FALSE(t.Added()); // no icon yet
    auto icon = SomeIcon();
    ASSERT_FALSE(icon->Empty());
    t.SetIcon(icon.get());
    EXPECT_TRUE(t.Added());
    EXPECT_EQ(RecordedTrayIcons(), 1);
    // Clearing the icon and then hiding still takes the added icon away.
    TIcon empty;
    t.SetIcon(&empty);
    t.SetVisible(false);
    EXPECT_FALSE(t.Added());
    EXPECT_EQ(RecordedTrayIcons(), 0);
}

TEST_F(Tray, WithoutANotificationAreaNothingIsAdded)
{
    SetTrayRecordOnly(true, false);
    auto icon = SomeIcon();
    {
        TOwTrayIcon t(nullptr);
        t.SetIcon(icon.get());
        t.SetVisible(true);
        EXPECT_FALSE(t.Added());
    }
    EXPECT_EQ(RecordedTrayIcons(), 0);
}

TEST_F(Tray, TipHoldsAtMost63Characters)
{
    TOwTrayIcon t(nullptr);
    t.SetHint(std::string(100, 'h'));
    EXPECT_EQ(t.Tip(), "");
    t.SetShowHint(true);
    EXPECT_EQ(t.Tip(), std::string(63, 'h'));
}

TEST_F(Tray, MouseNotificationsBecomeEvents)
{
    TOwTrayIcon t(nullptr);
    std::vector<AnsiString> log;
    t.OnMouseDown = [&](TObject*, TMouseButton b, TShiftState s, int, int) {
        log.push_back(b == mbLeft && (s & ssLeft) ? "down-left" : b == mbRight ? "down-right" : "down");
    };
    t.OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, int, int) { log.push_back(b == mbLeft ? "up-left" : "up"); };
    t.OnClick = [&](TObject*) { log.push_back("click"); };
    t.OnDblClick = [&](TObject*) { log.push_back("dbl"); };
    TPopupMenu menu(nullptr);
    menu.OnPopup = [&](TObject*) { log.push_back("menu"); };
    t.SetPopupMenu(&menu);
    struct Case {
        std::vector<int> codes;
        bool leftPopup;
        bool enabled;
        std::vector<AnsiString> events;
    };
    const Case cases[] = {
        {{513, 514}, false, true, {"down-left", "click", "up-left"}},
        {{513, 514}, true, true, {"down-left", "menu", "up-left"}},
        {{516, 517}, false, true, {"down-right", "menu", "up"}},
        {{515, 518, 521}, false, true, {"dbl", "dbl", "dbl"}},
        {{513, 514, 516}, false, false, {}},
    };
    for (const Case& c : cases) {
        log.clear();
        t.LeftBtnPopup = c.leftPopup;
        t.Enabled = c.enabled;
        for (int code : c.codes)
            t.WndProc(code);
        EXPECT_EQ(log, c.events);
    }
    t.SetPopupMenu(nullptr);
    EXPECT_EQ(t.PopupMenu(), nullptr);
}

TEST_F(Tray, MinimisingWithHideTaskBtnLeavesTheIcon)
{
    auto icon = SomeIcon();
    auto main = std::make_unique<TForm>(nullptr);
    TCustomForm* oldMain = Application->MainForm();
    Application->SetMainForm(main.get());
    main->Show();
    TOwTrayIcon t(nullptr);
    t.SetIcon(icon.get());
    t.HideTaskBtn = true;
    main->SetWindowState(wsMinimized);
    EXPECT_FALSE(main->Visible());
    EXPECT_TRUE(t.Visible());
    t.ShowMainForm();
    EXPECT_TRUE(main->Visible());
    Application->SetMainForm(oldMain);
}

} // namespace
