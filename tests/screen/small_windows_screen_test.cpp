// The small windows on a real screen: each is found by its caption, driven with xdotool's clicks
// and keys, photographed, and the model is checked for what the user did.
#include "shell/Form3.hpp"
#include "shell/ProVersionAd.hpp"
#include "shell/frmAbout.hpp"
#include "shell/frmSplash.hpp"
#include "shell/frmTip.hpp"
#include "shell/help.hpp"
#include "tests/screen/screen_support.hpp"
#include "tests/shell/fake_desktop.hpp"

#include <FL/Fl_Window.H>

#include <gtest/gtest.h>

using namespace vexolan;
using test_support::Driver;

namespace {

struct SmallWindows : test_support::ScreenTest {};

} // namespace

TEST_F(SmallWindows, InputBoxTakesTypedTextAndTheOkClick) {
    Form3& box = app.form3();
    box.Label1.Caption = "Enter name for new folder";
    box.Text1.Text = "New";
    // OK sits at (2940, 1560) twips, 72 x 27 pixels.
    Driver user(*this, R"(
        id=$(find_window '^Vexolan - Input$')
        shoot "$id" form3
        focus "$id"
        xdotool type --delay 30 'Filters'
        sleep 0.2
        xdotool mousemove --window "$id" 232 117 click 1
    )");
    close_after(box, 15);
    box.ShowModal();
    user.finish();
    EXPECT_TRUE(app.DialogOK);
    EXPECT_EQ(box.Text1.Text, "Filters");
    EXPECT_TRUE(box.Loaded());
    EXPECT_FALSE(box.Visible);
}

TEST_F(SmallWindows, InputBoxConfirmsOnEnterAndCancelsOnEscape) {
    Form3& box = app.form3();
    box.Text1.Text = "New.zip";
    Driver enter(*this, R"(
        id=$(find_window '^Vexolan - Input$')
        focus "$id"
        xdotool key Return
    )");
    close_after(box, 15);
    box.ShowModal();
    enter.finish();
    EXPECT_TRUE(app.DialogOK);
    EXPECT_EQ(box.Text1.Text, "New.zip");

    Driver escape(*this, R"(
        id=$(find_window '^Vexolan - Input$')
        focus "$id"
        xdotool key Escape
    )");
    box.ShowModal();
    escape.finish();
    EXPECT_FALSE(app.DialogOK);
    EXPECT_FALSE(box.Loaded());
}

TEST_F(SmallWindows, InputBoxRollsUpOnADoubleClickOfItsBody) {
    Form3& box = app.form3();
    box.Show();
    Driver user(*this, R"(
        id=$(find_window '^Vexolan - Input$')
        xdotool mousemove --window "$id" 300 8 click --repeat 2 --delay 80 1
        sleep 0.5
    )");
    user.finish();
    EXPECT_EQ(box.Height, 336);
    ASSERT_NE(host.screen_window(box), nullptr);
    EXPECT_EQ(host.screen_window(box)->h(), 336 / 15);
    box.Unload();
}

TEST_F(SmallWindows, AboutBoxLinksLightUpAndOpenTheWebSite) {
    test_support::FakeOpener opener;
    frmAbout& about = app.aboutBox();
    about.Show();
    // The web link is at (2280, 1680) twips; the body below the picture at (60, 200) pixels.
    Driver user(*this, R"(
        id=$(find_window '^About Vexolan$')
        shoot "$id" about
        xdotool mousemove --window "$id" 170 118
        sleep 0.4
    )");
    user.finish();
    EXPECT_TRUE(about.Label1[1].Font.Bold);
    EXPECT_EQ(about.Label1[1].ForeColor, ui::RGB(0, 0, 255));

    Driver click(*this, R"(
        id=$(find_window '^About Vexolan$')
        xdotool mousemove --window "$id" 170 118 click 1
        sleep 0.3
        xdotool mousemove --window "$id" 80 200
        sleep 0.4
    )");
    click.finish();
    EXPECT_FALSE(about.Label1[1].Font.Bold);
    EXPECT_EQ(opener.targets(), std::vector<std::string>{std::string(endpoints::HomePage)});

    Driver ok(*this, R"(
        id=$(find_window '^About Vexolan$')
        xdotool mousemove --window "$id" 400 246 click 1
    )");
    ok.finish();
    EXPECT_TRUE(pump_until([&] { return !about.Loaded(); }, 5));
}

TEST_F(SmallWindows, TipWindowAdvancesAndStoresTheStartUpOption) {
    frmTip& tip = app.tipWindow();
    tip.Show();
    long first = tip.CurrentTip;
    int n = static_cast<int>(tip.TipList.size());
    ASSERT_GT(n, 1);
    // "Next Tip" at (3840, 3270) twips, the check box at (300, 3330).
    Driver user(*this, R"(
        id=$(find_window '^Tip of the Day$')
        shoot "$id" tip
        xdotool mousemove --window "$id" 300 231 click 1
        sleep 0.2
        xdotool mousemove --window "$id" 30 233 click 1
        sleep 0.3
    )");
    user.finish();
    EXPECT_EQ(tip.CurrentTip, first % n + 1);
    EXPECT_EQ(tip.Label3.Caption, std::to_string(first % n + 1) + "/" + std::to_string(n));
    EXPECT_EQ(tip.chkLoadTipsAtStartup.Value, ui::vbUnchecked);
    EXPECT_EQ(app.Settings.GetSetting("Vexo10", "Options", "Show Tips at Startup"), "0");

    // Alt and the underlined letter press "&Next Tip".
    Driver keys(*this, R"(
        id=$(find_window '^Tip of the Day$')
        focus "$id"
        xdotool key alt+n
        sleep 0.3
    )");
    keys.finish();
    EXPECT_EQ(tip.CurrentTip, (first % n + 1) % n + 1);
    tip.Unload();
}

TEST_F(SmallWindows, SplashClosesOnAKey) {
    frmSplash& splash = app.splash();
    splash.Show();
    Driver user(*this, R"(
        id=$(find_window '^Vexolan$')
        shoot "$id" splash
        focus "$id"
        xdotool key space
    )");
    user.finish();
    EXPECT_TRUE(pump_until([&] { return !splash.Loaded(); }, 5));
}

TEST_F(SmallWindows, AdvertisementMovesWhenDraggedByItsBodyAndExitCloses) {
    test_support::FakeOpener opener;
    ProVersionAd& ad = app.proVersionAd();
    // The body left of the picture at (20, 120) pixels; "More Information" at (1800, 2520) design
    // twips (x 1.25 on this screen); "Exit" at (600, 2520).
    Driver user(*this, R"(
        id=$(find_window '^Vexolan Pro Edition$')
        shoot "$id" advertisement
        xdotool mousemove --window "$id" 15 120 mousedown 1
        sleep 0.1
        xdotool mousemove_relative 40 30
        sleep 0.1
        xdotool mousemove_relative 20 10
        sleep 0.1
        xdotool mouseup 1
        sleep 0.3
        xdotool mousemove --window "$id" 200 225 click 1
        sleep 0.3
        xdotool mousemove --window "$id" 60 225 click 1
    )");
    close_after(ad, 15);
    int startLeft = 0, startTop = 0, left = 0, top = 0;
    ad.Activate = [&] {
        startLeft = ad.Left;
        startTop = ad.Top;
    };
    ad.MouseUp = [&](int, int, float, float) {
        left = ad.Left;
        top = ad.Top;
    };
    ad.ShowModal();
    user.finish();
    EXPECT_FALSE(ad.Loaded());
    EXPECT_EQ(left - startLeft, 60 * 15);
    EXPECT_EQ(top - startTop, 40 * 15);
    EXPECT_EQ(opener.targets(), std::vector<std::string>{std::string(endpoints::ProductsPage)});
}

TEST_F(SmallWindows, MessageBoxesAnswerWithTheWindowsNumbers) {
    Driver escape(*this, R"(
        id=$(find_window '^Question$')
        shoot "$id" msgbox
        focus "$id"
        xdotool key Escape
    )");
    EXPECT_EQ(host.MsgBox("Delete 3 files?\r\nThey go to the trash.", ui::vbYesNoCancel + ui::vbQuestion, "Question"),
              ui::vbCancel);
    escape.finish();

    Driver enter(*this, R"(
        id=$(find_window '^Vexolan$')
        focus "$id"
        xdotool key Return
    )");
    EXPECT_EQ(host.MsgBox("Continue anyway?", ui::vbYesNo + ui::vbDefaultButton2), ui::vbNo);
    enter.finish();
}

TEST_F(SmallWindows, InputBoxChoiceListTakesATypedCategory) {
    Form3& box = app.form3();
    box.Label1.Caption = "Choose or enter a new category";
    box.Combo1.Clear();
    box.Combo1.AddItem("Blur");
    box.Combo1.AddItem("Distort");
    box.Combo1.Visible = true;
    Driver user(*this, R"(
        id=$(find_window '^Vexolan - Input$')
        focus "$id"
        xdotool type --delay 30 'Noisy'
        xdotool key BackSpace
        xdotool type --delay 30 'e'
        sleep 0.2
        shoot "$id" form3-category
        xdotool key Return
    )");
    close_after(box, 15);
    box.ShowModal();
    user.finish();
    EXPECT_TRUE(app.DialogOK);
    EXPECT_EQ(box.Combo1.Text, "Noise");
    box.Combo1.Visible = false;
}
