// The Preferences window on a real screen: opened directly and through File > "Preferences...", its
// seven tabs switched from the keyboard and photographed, a box checked with the mouse and Ok pressed;
// the settings file must then hold the new value.
#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "shell/Form1.hpp"
#include "tests/screen/screen_support.hpp"

#include <gtest/gtest.h>

using namespace vexolan;
using test_support::Driver;

namespace {

struct PreferencesScreen : test_support::ScreenTest {};

} // namespace

TEST_F(PreferencesScreen, TabsSwitchABoxIsCheckedAndOkSavesIt) {
    Form2& prefs = app.form2();
    prefs.Command8_Click();
    ASSERT_EQ(prefs.Check4.Value.get(), 0);
    // The first tab sits at the strip's top left (32, 8 pixels); "Suppress the Select Folder dialog"
    // at (4200, 1350) twips; "Ok" at (4800, 5040) twips, 80 x 25 pixels.
    Driver user(*this, R"(
        id=$(find_window '^Preferences$')
        focus "$id"
        xdotool mousemove --window "$id" 45 16 click 1
        shoot "$id" prefs_tab1
        for tab in 2 3 4 5 6 7; do
            xdotool key Right
            shoot "$id" prefs_tab$tab
        done
        xdotool mousemove --window "$id" 45 16 click 1
        sleep 0.3
        xdotool mousemove --window "$id" 288 98 click 1
        sleep 0.3
        shoot "$id" prefs_checked
        xdotool mousemove --window "$id" 360 348 click 1
    )");
    close_after(prefs, 30);
    prefs.ShowModal();
    user.finish();
    EXPECT_FALSE(prefs.Visible.get());
    EXPECT_EQ(prefs.Check4.Value.get(), 1);
    EXPECT_EQ(app.Settings.GetSetting("Vexo10", "Settings", "PassivePaneFolder"), "1");
    EXPECT_NE(test_support::read_file(settingsFile).find("PassivePaneFolder=\"1\""), std::string::npos);
}

TEST_F(PreferencesScreen, FileMenuOpensThePreferences) {
    Form2& prefs = app.form2();
    prefs.Command8_Click();
    Form1& main = app.form1();
    main.Show();
    main.Caption = "Vexolan main window";
    // "&File" is the first menu of the bar; "Preferences..." drops down 182 pixels below the
    // window's top (the entries of the empty picture list and the hidden ones take no room).
    Driver user(*this, R"(
        id=$(find_window '^Vexolan main window$')
        focus "$id"
        xdotool mousemove --window "$id" 18 10 click 1
        sleep 0.5
        xdotool mousemove --window "$id" 50 182 click 1
        pid=$(find_window '^Preferences$')
        shoot "$pid" prefs_from_menu
        xdotool mousemove --window "$pid" 45 16 click 1
        for tab in 2 3 4 5 6 7; do
            xdotool key Right
            sleep 0.1
        done
        xdotool mousemove --window "$pid" 45 16 click 1
        sleep 0.3
        xdotool mousemove --window "$pid" 288 72 click 1
        sleep 0.3
        xdotool mousemove --window "$pid" 360 348 click 1
    )");
    close_after(prefs, 30);
    user.finish();
    EXPECT_FALSE(prefs.Visible.get());
    EXPECT_EQ(prefs.Check16.Value.get(), 1);
    EXPECT_EQ(app.Settings.GetSetting("Vexo10", "Settings", "FullStartUp"), "1");
}
