// The editor window's events on the screen: a code box opened by its channel label takes typed
// keys and refreshes the preview once the typing rests, F1 reaches the window from the focused code
// box, labels mark themselves under the pointer, a value typed into the inline edit box becomes a
// byte on Enter, and the preview box pops up the main window's File menu at the mouse.

#include "ffeditor/FFEditorType1.hpp"
#include "imaging/handles.hpp"
#include "shell/Form1.hpp"
#include "tests/ffeditor/preview_count.hpp"
#include "tests/screen/screen_support.hpp"
#include "tests/shell/fake_desktop.hpp"

#include <FL/Fl_Input.H>
#include <FL/Fl_Window.H>

#include <gtest/gtest.h>

#include <chrono>

using namespace vexolan;
using test_support::Driver;
using test_support::preview_refreshes;

namespace {

struct EditorEventsScreen : test_support::ScreenTest {
    void TearDown() override {
        if (app.EditorForm().Loaded()) app.EditorForm().Unload();
        CloseImg(app, app.PreviewImage);
        CloseImg(app, app.PluginImage);
    }
    FFEditorType1& shown_editor() {
        FFEditorType1& e = app.EditorForm();
        e.Left = 60 * 15;
        e.Top = 60 * 15;
        e.Show();
        EXPECT_TRUE(pump_until([&] { return host.screen_window(e) && host.screen_window(e)->shown(); }));
        return e;
    }
};

} // namespace

TEST_F(EditorEventsScreen, TypingInTheRedCodeBoxRefreshesThePreviewOnceAfterTwoSeconds) {
    FFEditorType1& e = shown_editor();
    e.Text5[1].Text = "r\r\n";
    test_support::clear_preview_refreshes();
    using Clock = std::chrono::steady_clock;
    Clock::time_point lastKey{}, refreshed{};
    e.Text5[1].Change = [&] { lastKey = Clock::now(); };
    Driver user(*this, R"(
        id=$(find_window '^Filter Factory Editor$')
        sleep 0.3
        xdotool mousemove --window "$id" )" +
                           test_support::middle_of(e.Label2[1]) + R"( click 1
        sleep 0.3
        xdotool type --delay 150 '255-r'
        xdotool key Return
        xdotool type --delay 150 '+1'
        sleep 0.5
        shoot "$id" editor_red_code
        sleep 2.5
    )");
    pump_until(
        [&] {
            if (refreshed == Clock::time_point{} && preview_refreshes() > 0) refreshed = Clock::now();
            return !user.running();
        },
        20);
    user.finish();
    // The box opened with its code selected; Enter wrote a CR LF, which the screen shows as one line break.
    EXPECT_EQ(e.Text5[1].Text.get(), "255-r\r\n+1");
    EXPECT_EQ(e.Text5[1].SelStart.get(), 9);
    auto* input = dynamic_cast<Fl_Input*>(host.widget(e.Text5[1]));
    ASSERT_NE(input, nullptr);
    EXPECT_STREQ(input->value(), "255-r\n+1");
    EXPECT_EQ(input->position(), 8);
    EXPECT_TRUE(e.Label2[1].Font.Bold.get());
    EXPECT_EQ(preview_refreshes(), 1);
    EXPECT_FALSE(e.Timer1.Enabled.get());
    ASSERT_NE(refreshed, Clock::time_point{});
    // Not before the typing rested for two seconds.
    EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(refreshed - lastKey).count(), 1990);
}

TEST_F(EditorEventsScreen, F1HoverMarksAndAValueTypedIntoTheEditBox) {
    test_support::FakeOpener opener;
    FFEditorType1& e = shown_editor();
    ASSERT_TRUE(app.GraphSliders);
    Driver user(*this, R"(
        id=$(find_window '^Filter Factory Editor$')
        sleep 0.3
        xdotool mousemove --window "$id" )" +
                           test_support::middle_of(e.Label2[2]) + R"( click 1
        sleep 0.3
        xdotool key F1
        sleep 0.3
        xdotool mousemove --window "$id" 40 470 click 1
        sleep 0.3
        xdotool mousemove --window "$id" )" +
                           test_support::middle_of(e.Label1[3]) + R"(
        sleep 0.3
        xdotool mousemove --window "$id" )" +
                           test_support::middle_of(e.Label1[3]) + R"( click 1
        sleep 0.3
        xdotool type -- '-300'
        xdotool key Return
        sleep 0.3
        shoot "$id" editor_value_edit
    )");
    user.finish();
    ASSERT_TRUE(pump_until([&] { return !opener.targets().empty(); }, 5));
    EXPECT_EQ(opener.targets()[0], (appFolder / "help" / "ffe.htm").string());
    EXPECT_FALSE(e.Text5[2].Visible.get()); // the click on the body closed the code box
    EXPECT_EQ(e.Label1[3].Caption.get(), " 44");
    EXPECT_EQ(e.Label1[3].ForeColor.get(), ui::RGB(255, 255, 255)); // the pointer rests on it
    EXPECT_EQ(e.Label1[2].ForeColor.get(), 0u);
    EXPECT_FALSE(e.Text10.Visible.get());

    // The pointer on the body clears the mark.
    Driver away(*this, R"(
        id=$(find_window '^Filter Factory Editor$')
        xdotool mousemove --window "$id" 40 470
        sleep 0.2
        xdotool mousemove --window "$id" 42 472
        sleep 0.3
    )");
    away.finish();
    EXPECT_EQ(e.Label1[3].ForeColor.get(), 0u);
}

TEST_F(EditorEventsScreen, ThePreviewBoxPopsUpTheMainWindowsFileMenuAtTheMouse) {
    FFEditorType1& e = shown_editor();
    Form1& main = app.form1();
    Driver user(*this, R"(
        id=$(find_window '^Filter Factory Editor$')
        sleep 0.3
        xdotool mousemove --window "$id" )" +
                           test_support::middle_of(e.Picture1) + R"( click 1
        sleep 0.6
        import -window root "$SHOTS/editor_file_popup.png"
        xdotool key Down Return
        dlg=$(find_window '^Open Picture$')
        sleep 0.5
        xdotool key Escape
        sleep 0.4
    )");
    user.finish();
    EXPECT_TRUE(main.mnuOptions.Visible.get());
    EXPECT_TRUE(main.mnuExiting.Visible.get());
}
