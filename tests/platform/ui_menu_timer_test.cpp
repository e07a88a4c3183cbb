// Menus with run-time arrays, pop-ups, and timers on the scripted clock.
#include "platform/ui/ui.hpp"
#include "tests/support/ScriptedHost.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using test_support::ScriptedHost;

class MenuWindow : public ui::Window {
public:
    explicit MenuWindow(ui::Host& host) : ui::Window(host, "MenuWindow") {
        add_menu(mnuDirs, "mnuDirs");
        add_menu(mnuEditFolders, "mnuEditFolders", &mnuDirs);
        add_menu(mnuDirectorys, "mnuDirectorys", &mnuDirs);
        add_menu(mnuHidden, "mnuHidden", &mnuDirs);
        add_menu(mnuHelp, "mnuHelp");
        mnuDirs.Caption = "&Folders";
        mnuHidden.Caption = "Hidden";
        mnuHidden.Visible = false;
        mnuDirs.Click = [this] { log.push_back("mnuDirs_Click"); };
        mnuDirectorys.Click = [this](int Index) { log.push_back("mnuDirectorys_Click " + std::to_string(Index)); };
        add(Timer1, "Timer1");
        add(Timer2, "Timer2");
        Timer1.Tick = [this] { log.push_back("Timer1 " + std::to_string(ticks1++)); };
        Timer2.Tick = [this] {
            log.push_back("Timer2");
            Timer2.Enabled = false; // a one-shot, as deferred work uses it
        };
    }
    ui::Menu mnuDirs, mnuEditFolders, mnuHidden, mnuHelp;
    ui::MenuArray mnuDirectorys;
    ui::Timer Timer1, Timer2;
    std::vector<std::string> log;
    int ticks1 = 0;
};

std::vector<std::string> names_of(const std::vector<ui::Menu*>& items) {
    std::vector<std::string> out;
    for (ui::Menu* m : items)
        out.push_back(m->Name() + (m->Index() >= 0 ? "(" + std::to_string(m->Index()) + ")" : ""));
    return out;
}

TEST(UiMenu, ArrayItemsLoadInIndexOrderAndItemZeroCannotBeUnloaded) {
    ScriptedHost host;
    MenuWindow w(host);
    w.mnuDirectorys[0].Caption = "/home";
    w.mnuDirectorys.Load(2);
    w.mnuDirectorys.Load(1);
    EXPECT_EQ(w.mnuDirectorys[2].Caption, "/home") << "a new item copies the lowest item";
    EXPECT_EQ(names_of(w.mnuDirs.Items()),
              (std::vector<std::string>{"mnuEditFolders", "mnuDirectorys(0)", "mnuDirectorys(1)", "mnuDirectorys(2)",
                                        "mnuHidden"}));
    try {
        w.mnuDirectorys.Unload(0);
        FAIL() << "item 0 unloaded";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), 362);
    }
    EXPECT_THROW(w.mnuDirectorys.Load(1), vb::Error);
    w.mnuDirectorys.Unload(1);
    EXPECT_FALSE(w.mnuDirectorys.Exists(1));
    EXPECT_THROW(w.mnuDirectorys[1], vb::Error);
    EXPECT_EQ(w.mnuDirectorys.UBound(), 2);
    EXPECT_EQ(w.mnuDirectorys.Count(), 2);
    w.mnuDirectorys[2].user_click();
    EXPECT_EQ(w.log, (std::vector<std::string>{"mnuDirectorys_Click 2"}));
}

TEST(UiMenu, PositionsCountOnlyPresentEntries) {
    ScriptedHost host;
    MenuWindow w(host);
    w.mnuEditFolders.Visible = false;
    EXPECT_EQ(w.mnuDirs.PresentItem(0), &w.mnuDirectorys[0]);
    EXPECT_EQ(w.mnuDirs.PresentItem(1), nullptr) << "the hidden entry takes no position";
    EXPECT_EQ(w.PresentMenus().size(), 2u);
    EXPECT_EQ(w.mnuDirs.AccessKey(), 'F');
    EXPECT_EQ(w.mnuDirs.PlainCaption(), "Folders");
}

TEST(UiMenu, ShortcutTextsParseToKeysAndShiftBits) {
    EXPECT_EQ(ui::ParseShortcut("Ctrl+O").KeyCode, 'O');
    EXPECT_EQ(ui::ParseShortcut("Ctrl+O").Shift, ui::vbCtrlMask);
    EXPECT_EQ(ui::ParseShortcut("F12").KeyCode, 123);
    EXPECT_EQ(ui::ParseShortcut("Shift+Del").KeyCode, ui::vbKeyDelete);
    EXPECT_EQ(ui::ParseShortcut("Shift+Del").Shift, ui::vbShiftMask);
    EXPECT_EQ(ui::ParseShortcut("Ctrl+F3").KeyCode, 114);
    EXPECT_EQ(ui::ParseShortcut("Bogus+X").KeyCode, 0);
}

TEST(UiMenu, PopupRunsTheMenuClickThenTheScriptedChoice) {
    ScriptedHost host;
    MenuWindow w(host);
    w.mnuDirectorys.Load(1);
    host.choose_popup("mnuDirectorys", 1);
    w.PopupMenu(w.mnuDirs, 100, 200);
    host.choose_no_popup();
    w.PopupMenu(w.mnuDirs);
    EXPECT_EQ(w.log, (std::vector<std::string>{"mnuDirs_Click", "mnuDirectorys_Click 1", "mnuDirs_Click"}));
    ASSERT_EQ(host.popups().size(), 2u);
    EXPECT_EQ(host.popups()[0].Menu, "mnuDirs");
    EXPECT_EQ(host.popups()[0].X, 100);
}

TEST(UiTimer, FiresOnAdvanceOnlyWhileEnabledAndTheWindowIsLoaded) {
    ScriptedHost host;
    MenuWindow w(host);
    w.Timer1.Interval = 100;
    host.advance(500);
    EXPECT_TRUE(w.log.empty()) << "the window is not loaded";
    w.Load();
    host.advance(99);
    EXPECT_TRUE(w.log.empty());
    host.advance(1);
    host.advance(250);
    EXPECT_EQ(w.log, (std::vector<std::string>{"Timer1 0", "Timer1 1", "Timer1 2"}));
    w.Timer1.Enabled = false;
    host.advance(1000);
    EXPECT_EQ(w.log.size(), 3u);
    w.Timer1.Enabled = true; // restarts the count
    host.advance(50);
    EXPECT_EQ(w.log.size(), 3u);
    host.advance(50);
    EXPECT_EQ(w.log.size(), 4u);
    w.Unload();
    host.advance(1000);
    EXPECT_EQ(w.log.size(), 4u);
}

TEST(UiTimer, TicksInDueOrderAndAOneShotStopsItself) {
    ScriptedHost host;
    MenuWindow w(host);
    w.Load();
    w.Timer1.Interval = 100;
    w.Timer2.Interval = 150;
    host.advance(300);
    EXPECT_EQ(w.log, (std::vector<std::string>{"Timer1 0", "Timer2", "Timer1 1", "Timer1 2"}));
    EXPECT_EQ(host.SteadyNow() - std::chrono::steady_clock::time_point(std::chrono::hours(1000)),
              std::chrono::milliseconds(300));
}

} // namespace
