// Window life, sizes, focus and key routing of the ui model.
#include "platform/ui/ui.hpp"
#include "tests/support/ScriptedHost.hpp"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace {

using test_support::ScriptedHost;

// A small window with a log of every event procedure that ran, in order.
class LogWindow : public ui::Window {
public:
    explicit LogWindow(ui::Host& host) : ui::Window(host, "LogWindow") {
        add(Text1, "Text1");
        add(Command1, "Command1");
        add(Label1, "Label1");
        add_menu(mnuFile, "mnuFile");
        add_menu(mnuSave, "mnuSave", &mnuFile);
        mnuSave.Shortcut = "Ctrl+S";
        Load = [this] { log.push_back("Load"); };
        Resize = [this] { log.push_back("Resize"); };
        Activate = [this] { log.push_back("Activate"); };
        QueryUnload = [this](int& Cancel, int mode) {
            log.push_back("QueryUnload " + std::to_string(mode));
            Cancel = cancel_query;
        };
        Unload = [this](int& Cancel) {
            log.push_back("Unload");
            Cancel = cancel_unload;
        };
        KeyDown = [this](int& KeyCode, int&) {
            log.push_back("Form_KeyDown " + std::to_string(KeyCode));
            if (KeyCode == zero_key) KeyCode = 0;
        };
        for (int i = 0; i < 2; ++i) {
            Command1[i].Click = [this, i] { log.push_back("Command1_Click " + std::to_string(i)); };
            Command1[i].GotFocus = [this, i] { log.push_back("Command1_GotFocus " + std::to_string(i)); };
            Command1[i].LostFocus = [this, i] { log.push_back("Command1_LostFocus " + std::to_string(i)); };
            Command1[i].MouseDown = [this, i](int button, int, float, float) {
                log.push_back("Command1_MouseDown " + std::to_string(i) + " " + std::to_string(button));
            };
        }
        Text1.KeyDown = [this](int& KeyCode, int&) { log.push_back("Text1_KeyDown " + std::to_string(KeyCode)); };
        Text1.KeyPress = [this](int& KeyAscii) {
            if (KeyAscii == '#') KeyAscii = 0; // refused character
        };
        Text1.Change = [this] { log.push_back("Text1_Change " + Text1.Text.get()); };
        mnuSave.Click = [this] { log.push_back("mnuSave_Click"); };
    }

    ui::TextBox Text1;
    std::array<ui::CommandButton, 2> Command1;
    ui::Label Label1;
    ui::Menu mnuFile, mnuSave;

    std::vector<std::string> log;
    int cancel_query = 0;
    int cancel_unload = 0;
    int zero_key = -1;
};

TEST(UiWindow, FirstShowLoadsOnceAndRaisesResizeThenActivate) {
    ScriptedHost host;
    LogWindow w(host);
    w.Show();
    w.Hide();
    w.Show();
    EXPECT_EQ(w.log, (std::vector<std::string>{"Load", "Resize", "Activate", "Activate"}));
    EXPECT_TRUE(w.Loaded());
    ASSERT_EQ(host.registry().LoadedWindows().size(), 1u);
}

TEST(UiWindow, SizeAndStateChangesRaiseResizeOnlyWhenLoadedAndChanged) {
    ScriptedHost host;
    LogWindow w(host);
    w.Width = 9000; // not loaded yet: nothing runs
    w.Load();
    w.log.clear();
    w.Width = 9000;
    w.Height = 7000;
    w.WindowState = ui::vbMinimized;
    EXPECT_EQ(w.log, (std::vector<std::string>{"Resize", "Resize"}));
    EXPECT_THROW(w.Width = 100, vb::Error) << "sizing a minimized window fails as on Windows";
    w.WindowState = ui::vbNormal;
    EXPECT_EQ(w.Width, 9000);
    EXPECT_THROW(w.WindowState = 5, vb::Error);
}

TEST(UiWindow, MaximizeTakesTheScreenAndRestoreGivesTheSizeBack) {
    ScriptedHost host;
    LogWindow w(host);
    w.Load();
    w.Width = 9000;
    w.user_maximize();
    EXPECT_EQ(w.Width, 1280 * 15);
    w.user_restore();
    EXPECT_EQ(w.Width, 9000);
}

TEST(UiWindow, ScaleSizeIsTheOuterSizeLessFrameCaptionAndMenuBar) {
    ScriptedHost host;
    LogWindow w(host);
    w.Width = 6000;
    w.Height = 4500;
    EXPECT_EQ(w.ScaleWidth(), 6000 - 8 * 15);
    EXPECT_EQ(w.ScaleHeight(), 4500 - (8 + 18 + 19) * 15);
    w.mnuFile.Visible = false; // no menu bar left
    EXPECT_EQ(w.ScaleHeight(), 4500 - (8 + 18) * 15);
}

TEST(UiWindow, UnloadCanBeCancelledByQueryUnloadOrUnload) {
    ScriptedHost host;
    LogWindow w(host);
    w.Show();
    w.cancel_query = 1;
    w.user_close();
    EXPECT_TRUE(w.Loaded());
    w.cancel_query = 0;
    w.cancel_unload = 1;
    w.Unload();
    EXPECT_TRUE(w.Loaded());
    w.cancel_unload = 0;
    w.log.clear();
    w.Unload();
    EXPECT_EQ(w.log, (std::vector<std::string>{"QueryUnload 1", "Unload"}));
    EXPECT_FALSE(w.Loaded());
    EXPECT_FALSE(w.Visible);
    EXPECT_TRUE(host.registry().LoadedWindows().empty());
}

TEST(UiWindow, UnloadAllUnloadsEveryLoadedWindow) {
    ScriptedHost host;
    LogWindow a(host), b(host);
    a.Show();
    b.Load();
    host.registry().UnloadAll();
    EXPECT_FALSE(a.Loaded());
    EXPECT_FALSE(b.Loaded());
}

TEST(UiWindow, MouseDownOnAnUnfocusedControlRaisesGotFocusFirst) {
    ScriptedHost host;
    LogWindow w(host);
    w.Show();
    w.Command1[0].SetFocus();
    w.log.clear();
    w.Command1[1].user_mouse_down(ui::vbRightButton, 0, 10, 10);
    EXPECT_EQ(w.log,
              (std::vector<std::string>{"Command1_LostFocus 0", "Command1_GotFocus 1", "Command1_MouseDown 1 2"}));
    EXPECT_EQ(w.ActiveControl(), &w.Command1[1]);
    w.log.clear();
    w.Command1[1].user_mouse_down(ui::vbLeftButton, 0, 10, 10);
    EXPECT_EQ(w.log, (std::vector<std::string>{"Command1_MouseDown 1 1"}));
}

TEST(UiWindow, ADisabledWindowTakesNoUserInput) {
    ScriptedHost host;
    LogWindow w(host);
    w.Show();
    w.Enabled = false;
    w.log.clear();
    w.Command1[0].user_click();
    w.user_key_down('S', ui::vbCtrlMask);
    w.user_close();
    EXPECT_TRUE(w.log.empty());
    EXPECT_TRUE(w.Loaded());
    w.Command1[0].Value = true; // code still works
    EXPECT_EQ(w.log, (std::vector<std::string>{"Command1_Click 0"}));
}

TEST(UiWindow, SetFocusOnAHiddenOrDisabledControlFailsWithError5) {
    ScriptedHost host;
    LogWindow w(host);
    w.Command1[0].Visible = false;
    try {
        w.Command1[0].SetFocus();
        FAIL() << "no error";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), 5);
    }
    w.Command1[1].Enabled = false;
    EXPECT_THROW(w.Command1[1].SetFocus(), vb::Error);
    EXPECT_THROW(w.Label1.SetFocus(), vb::Error) << "a label never takes the focus";
}

TEST(UiWindow, MenuShortcutWinsOverTheFocusedControl) {
    ScriptedHost host;
    LogWindow w(host);
    w.Show();
    w.Text1.SetFocus();
    w.log.clear();
    w.user_key_down('S', ui::vbCtrlMask);
    EXPECT_EQ(w.log, (std::vector<std::string>{"mnuSave_Click"}));
    w.mnuSave.Enabled = false;
    w.log.clear();
    w.user_key_down('S', ui::vbCtrlMask);
    EXPECT_TRUE(w.log.empty()) << "a disabled entry's shortcut does nothing";
    w.mnuSave.Visible = false;
    w.user_key_down('S', ui::vbCtrlMask);
    EXPECT_EQ(w.log, (std::vector<std::string>{"Text1_KeyDown 83"})) << "a hidden entry has no shortcut";
}

TEST(UiWindow, KeyPreviewLetsTheWindowSeeAndSwallowKeysFirst) {
    ScriptedHost host;
    LogWindow w(host);
    w.Show();
    w.Text1.SetFocus();
    w.KeyPreview = true;
    w.zero_key = ui::vbKeyF5;
    w.log.clear();
    w.user_key_down(ui::vbKeyF5);
    w.user_key_down(ui::vbKeyF2);
    EXPECT_EQ(w.log, (std::vector<std::string>{"Form_KeyDown 116", "Form_KeyDown 113", "Text1_KeyDown 113"}));
}

TEST(UiWindow, ReturnAndEscapePressTheDefaultAndCancelButtons) {
    ScriptedHost host;
    LogWindow w(host);
    w.Command1[0].Default = true;
    w.Command1[1].Cancel = true;
    w.Show();
    w.Text1.SetFocus();
    w.log.clear();
    w.Text1.user_key(ui::vbKeyReturn);
    w.Text1.user_key(ui::vbKeyEscape);
    EXPECT_EQ(w.log, (std::vector<std::string>{"Command1_Click 0", "Command1_Click 1"}));
    EXPECT_EQ(w.Text1.Text, "") << "the keys did not reach the text box";
    w.Command1[1].Default = true;
    EXPECT_FALSE(w.Command1[0].Default) << "one default button per window";
}

TEST(UiWindow, TypingRaisesChangePerCharacterAndKeyPressCanRefuseOne) {
    ScriptedHost host;
    LogWindow w(host);
    w.Show();
    w.Text1.user_type("a#b");
    EXPECT_EQ(w.Text1.Text, "ab");
    EXPECT_EQ(w.log.back(), "Text1_Change ab");
    w.Text1.user_key(ui::vbKeyBack);
    EXPECT_EQ(w.Text1.Text, "a");
    w.Text1.Locked = true;
    w.Text1.user_type("z");
    EXPECT_EQ(w.Text1.Text, "a");
}

TEST(UiWindow, TextWidthIsAFixedWidthPerCharacterOfTheFont) {
    ScriptedHost host;
    LogWindow w(host);
    EXPECT_EQ(w.TextWidth("abcd"), 4 * 6 * 15);
    EXPECT_EQ(w.TextWidth("ab\r\nabc"), 3 * 6 * 15) << "the widest line counts";
    w.Text1.Font.Size = 12;
    EXPECT_EQ(w.Text1.TextWidth("abcd"), 4 * 9 * 15);
    host.set_twips_per_pixel(12);
    EXPECT_EQ(w.TextHeight("x"), 13 * 12);
}

TEST(UiWindow, DrawnBoxesAreKeptUntilCls) {
    ScriptedHost host;
    LogWindow w(host);
    w.DrawFilledBox(0, 100, 500, 200, ui::RGB(2, 0, 252));
    ASSERT_EQ(w.Boxes().size(), 1u);
    EXPECT_EQ(w.Boxes()[0], (ui::FilledBox{0, 100, 500, 200, ui::RGB(2, 0, 252)}));
    w.Cls();
    EXPECT_TRUE(w.Boxes().empty());
}

TEST(UiWindow, ShowModalRunsTheScriptAndHidesTheWindowAfterIt) {
    ScriptedHost host;
    LogWindow dialog(host);
    bool wasModal = false;
    host.on_modal("LogWindow", [&](ui::Window& w) {
        wasModal = w.Modal() && w.Visible;
        static_cast<LogWindow&>(w).Text1.Text = "typed";
    });
    dialog.ShowModal();
    EXPECT_TRUE(wasModal);
    EXPECT_FALSE(dialog.Visible);
    EXPECT_FALSE(dialog.Modal());
    EXPECT_EQ(dialog.Text1.Text, "typed");
    EXPECT_EQ(host.modal_windows(), (std::vector<std::string>{"LogWindow"}));
}

} // namespace

namespace {

TEST(UiRegistry, ActiveWindowFollowsShowHideAndUnload) {
    ScriptedHost host;
    LogWindow main(host), tip(host);
    main.Show();
    tip.Show();
    EXPECT_EQ(host.registry().ActiveWindow(), &tip);
    tip.Hide();
    EXPECT_EQ(host.registry().ActiveWindow(), &main);
    tip.Show();
    main.user_activate();
    EXPECT_EQ(host.registry().ActiveWindow(), &main);
    main.Unload();
    EXPECT_EQ(host.registry().ActiveWindow(), &tip);
}

TEST(UiRegistry, AScreenHostHearsOfEveryLoadAndUnloadAndOfTheTimerSchedule) {
    ScriptedHost host;
    std::vector<std::string> heard;
    host.registry().on_window_loaded = [&](ui::Window& w) { heard.push_back("loaded " + w.Name()); };
    host.registry().on_window_unloaded = [&](ui::Window& w) { heard.push_back("unloaded " + w.Name()); };
    int reschedules = 0;
    host.registry().on_schedule_changed = [&] { ++reschedules; };
    {
        LogWindow w(host);
        ui::Timer t;
        w.add(t, "Timer1");
        t.Interval = 250;
        w.Load();
        ASSERT_TRUE(host.registry().NextDue().has_value());
        EXPECT_EQ(*host.registry().NextDue() - host.SteadyNow(), std::chrono::milliseconds(250));
        w.Unload();
        EXPECT_FALSE(host.registry().NextDue().has_value());
        w.Show(); // destroyed while loaded
    }
    EXPECT_EQ(heard, (std::vector<std::string>{"loaded LogWindow", "unloaded LogWindow", "loaded LogWindow",
                                               "unloaded LogWindow"}));
    EXPECT_GE(reschedules, 3);
    EXPECT_TRUE(host.registry().Timers().empty());
}

} // namespace
