#pragma once
// Screen tests: real windows on an X display (CTest runs them under xvfb-run), driven from outside
// with xdotool as a user would drive them, and checked on the model.
//
//     struct MyWindowScreen : test_support::ScreenTest {};
//     TEST_F(MyWindowScreen, OkIsClicked) {
//         auto& w = app.form3();
//         Driver user(*this, R"(
//             id=$(find_window '^Vexolan - Input$')
//             shoot "$id" form3
//             xdotool mousemove --window "$id" 232 117 click 1
//         )");
//         w.ShowModal();                        // the loop runs while the script acts
//         EXPECT_TRUE(app.DialogOK);
//         user.finish();                        // the script ended well and its screenshot is not blank
//     }
//
// In a script: `find_window REGEX` waits for a visible window whose caption matches and prints its
// id; `shoot ID NAME` saves a screenshot as NAME.png in the screenshot folder and fails when the
// picture is blank (one colour); `focus ID` gives a window the keyboard; `geometry ID FILE` appends
// "X Y WIDTH HEIGHT" of a window on the screen to FILE; `gone REGEX` waits until no visible window's
// caption matches; `wait_menu` waits for a pull-down menu and sets X, Y, WIDTH and HEIGHT to its place
// on the screen. Coordinates are pixels of the window's client area (twips / 15).

#include "shell/App.hpp"
#include "tests/support/temp_dir.hpp"

#include "platform/fltk/FltkHost.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace test_support {

class ScreenTest : public ::testing::Test {
public:
    ScreenTest();
    ~ScreenTest() override;

    // Runs the event loop until `done` holds or `seconds` pass; false on the time-out.
    bool pump_until(const std::function<bool()>& done, double seconds = 20);
    // Gives up on a window the user's actions never close: after `seconds` the test fails and the
    // window hides, so that a modal loop ends. The timer ends with its test and never reaches the
    // windows of a later one.
    void close_after(ui::Window& window, double seconds);
    // The colour of pixel (x, y) of the picture file `shot` (a screenshot) as 0xRRGGBB; 0 outside it.
    std::uint32_t shot_pixel(const std::string& shot, int x, int y);

    TempDir root{"screen"};
    std::filesystem::path appFolder;
    std::filesystem::path settingsFile;
    fltk::FltkHost host;
    std::unique_ptr<vexolan::App> owned_app;
    vexolan::App& app;

private:
    static vexolan::App* make_app(ScreenTest& self);
    static void give_up(void* window);
};

// A shell script that drives the screen with xdotool, started at once and running beside the
// program's event loop.
class Driver {
public:
    Driver(ScreenTest& test, std::string_view script);
    ~Driver();
    // Runs the event loop until the script ends (20 s at most) and checks that it succeeded.
    void finish();
    bool running();

private:
    int pid_ = -1;
    int status_ = 0;
    std::function<bool(const std::function<bool()>&, double)> pump_;
};

// Openbox on the test's display for the life of the object; `started()` is false without it.
class Openbox {
public:
    Openbox();
    ~Openbox();
    Openbox(const Openbox&) = delete;
    Openbox& operator=(const Openbox&) = delete;
    bool started() const;

private:
    std::string program_;
    int pid_ = -1;
};

#define NEED_OPENBOX(box)                                                                                              \
    if (!(box).started()) GTEST_SKIP() << "openbox is not installed: this test needs a window manager"

// The folder the screenshots go to: $VEXOLAN_SCREENSHOTS, or a temporary one.
std::string screenshot_folder();

// Where a user clicks row `index` (from 1) of a report list: the pixel of the window's client area 40
// pixels into the row, halfway down it, as "x y" for xdotool; and the row whose text is `text` (0: none).
std::string report_row_point(const fltk::FltkHost& host, const ui::ListView& list, int index);
int report_row_of(const ui::ListView& list, std::string_view text);

// The middle of a control, in pixels of its window's client area, as "x y" for xdotool.
std::string middle_of(const ui::Control& c);

// The whole numbers a script wrote into `file`, in order (none when it is missing).
std::vector<int> read_numbers(const std::filesystem::path& file);

} // namespace test_support
