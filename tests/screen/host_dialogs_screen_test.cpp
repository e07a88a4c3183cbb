// The desktop host's own dialogs and services on a real screen: input box, font chooser, file
// chooser, live key polling and the clipboard.
#include "tests/screen/screen_support.hpp"

#include <gtest/gtest.h>

using test_support::Driver;

namespace {
struct HostDialogs : test_support::ScreenTest {};
} // namespace

TEST_F(HostDialogs, InputBoxReturnsTheTypedTextOrNothingOnCancel) {
    Driver user(*this, R"(
        id=$(find_window '^Rename$')
        shoot "$id" inputbox
        focus "$id"
        xdotool type --delay 30 'Blur'
        xdotool key Return
    )");
    EXPECT_EQ(host.InputBox("New name:", "Rename", "Old"), "Blur");
    user.finish();

    Driver cancel(*this, R"(
        id=$(find_window '^Vexolan$')
        focus "$id"
        xdotool key Escape
    )");
    EXPECT_EQ(host.InputBox("Open with (command):", "", "gimp"), "");
    cancel.finish();
}

TEST_F(HostDialogs, FontChooserReturnsTheChangedStyle) {
    ui::FontChoice initial;
    initial.Name = "Arial";
    initial.Size = 9;
    initial.Italic = true;
    // "Bold" at (280, 66), OK at (280, 190) pixels of the chooser.
    Driver user(*this, R"(
        id=$(find_window '^Font$')
        shoot "$id" fontdialog
        xdotool mousemove --window "$id" 290 78 click 1
        sleep 0.2
        xdotool mousemove --window "$id" 320 204 click 1
    )");
    std::optional<ui::FontChoice> chosen = host.FontDialog(initial);
    user.finish();
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->Name, "Arial");
    EXPECT_EQ(chosen->Size, 9);
    EXPECT_TRUE(chosen->Bold);
    EXPECT_TRUE(chosen->Italic);
    EXPECT_FALSE(chosen->Underline);
}

TEST_F(HostDialogs, KeysArePolledFromTheLiveKeyboard) {
    EXPECT_FALSE(host.KeyDown(ui::vbKeyEscape));
    Driver user(*this, R"(
        xdotool keydown Escape sleep 1.5 keyup Escape
    )");
    pump_until([] { return false; }, 0.8);
    EXPECT_TRUE(host.KeyDown(ui::vbKeyEscape));
    user.finish();
    EXPECT_FALSE(host.KeyDown(ui::vbKeyEscape));
}

TEST_F(HostDialogs, ClipboardTextGoesOutAndComesBack) {
    host.SetClipboardText("R: src(x,y,z)\r\nG: 255 - g");
    EXPECT_EQ(host.ClipboardText(), "R: src(x,y,z)\r\nG: 255 - g");
    host.ClearClipboard();
    EXPECT_EQ(host.ClipboardText(), "");
}

TEST_F(HostDialogs, FileChooserReturnsTheTypedPath) {
    auto file = root.write("plugins/a.8bf", "x");
    Driver user(*this, "id=$(find_window '^Choose a plug-in$')\nshoot \"$id\" filedialog\nfocus \"$id\"\n"
                       "xdotool type --delay 20 '" +
                           file.string() + "'\nsleep 0.3\nxdotool key Return\n");
    ui::FileDialogRequest request;
    request.Title = "Choose a plug-in";
    request.InitialFolder = (root.path() / "plugins").string();
    request.Filters = {{"PC FF Plugin (*.8bf)", "*.8bf"}, {"All Files (*.*)", "*.*"}};
    EXPECT_EQ(host.FileDialog(request), file.string());
    user.finish();
}
