// A modal window that opens while a control is being dragged ends the drag: the button's release
// over the blocked window never reaches the control, and once the modal window is answered by the
// keyboard and closes, the pointer's plain moves no longer move it. Checked on the model (the scroll
// bar's value, and the moves reaching the control under the pointer again).
#include "tests/screen/screen_support.hpp"

#include "platform/ui/ui.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

using test_support::Driver;

namespace {

bool installed(std::string_view program) {
    const char* path = std::getenv("PATH");
    std::string_view dirs = path ? path : "/usr/bin:/bin";
    while (!dirs.empty()) {
        const std::size_t end = dirs.find(':');
        const std::string_view dir = dirs.substr(0, end);
        if (!dir.empty() && std::filesystem::exists(std::filesystem::path(dir) / program)) return true;
        dirs = end == std::string_view::npos ? std::string_view{} : dirs.substr(end + 1);
    }
    return false;
}

// A scroll bar whose drag starts a timer, which opens a message box while the drag is still on; a
// picture box below it that hears of the pointer's plain moves.
class DragWindow : public ui::Window {
public:
    explicit DragWindow(ui::Host& host) : ui::Window(host, "DragWindow") {
        add(HScroll1, "HScroll1");
        add(Picture1, "Picture1");
        add(Timer1, "Timer1");
        Caption = "Vexolan - Drag";
        Width = 420 * 15;
        Height = 220 * 15;
        HScroll1.Move(20 * 15, 30 * 15, 360 * 15, 20 * 15);
        HScroll1.Max = 200;
        HScroll1.Value = 100; // the thumb lies in the middle of the bar
        Picture1.Move(20 * 15, 120 * 15, 360 * 15, 60 * 15);
        Timer1.Enabled = false;
        Timer1.Interval = 200;
        HScroll1.Scroll = [this] {
            if (!asked) Timer1.Enabled = true;
        };
        Timer1.Tick = [this] {
            Timer1.Enabled = false;
            asked = true;
            dragged = HScroll1.Value;
            answer = this->host().MsgBox("The drag is interrupted.", ui::vbOKOnly, "Vexolan - Question");
            closed = HScroll1.Value;
        };
        Picture1.MouseMove = [this](int button, int, float, float) {
            if (answer && button == 0) moved = true;
        };
    }
    ui::HScrollBar HScroll1;
    ui::PictureBox Picture1;
    ui::Timer Timer1;
    bool asked = false, moved = false;
    int answer = 0, dragged = -1, closed = -1;
};

struct ModalDragScreen : test_support::ScreenTest {};

} // namespace

TEST_F(ModalDragScreen, AModalWindowOpenedDuringADragEndsIt) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    if (!installed("xdotool")) GTEST_SKIP() << "xdotool is not installed: this test drives the pointer with it";
    DragWindow w(host);
    w.Show();
    const int x = (w.HScroll1.Left + w.HScroll1.Width / 2) / 15, y = (w.HScroll1.Top + w.HScroll1.Height / 2) / 15;
    const int px = (w.Picture1.Left + w.Picture1.Width / 2) / 15, py = (w.Picture1.Top + w.Picture1.Height / 2) / 15;
    auto move = [](int to_x, int to_y) {
        return "xdotool mousemove --window \"$main\" " + std::to_string(to_x) + " " + std::to_string(to_y) + "\n";
    };
    // The thumb is pressed and dragged to the right; the release comes while the box is open (the
    // pointer still over the bar, whose window the box blocks); Return answers the box. Then the
    // pointer moves with no button held: along the bar to its left end, and down onto the picture.
    std::string script = "main=$(find_window '^Vexolan - Drag$')\n";
    script += move(x, y) + "xdotool mousedown 1\n" + move(x + 30, y) + move(x + 60, y);
    script += "find_window '^Vexolan - Question$' >/dev/null\n";
    script += move(x + 80, y) + "xdotool mouseup 1\n";
    script += "xdotool key Return\ngone '^Vexolan - Question$'\n";
    for (int bx : {x + 60, x + 30, x, x - 60, x - 120})
        script += move(bx, y);
    script += move(px, py) + move(px + 20, py);
    Driver user(*this, script);
    user.finish();
    EXPECT_EQ(w.answer, ui::vbOK) << "the box was not answered by the keyboard";
    ASSERT_TRUE(w.asked) << "the drag did not start the timer";
    EXPECT_GT(w.dragged, 100) << "the drag did not move the thumb";
    // The moves reach the picture under the pointer, not the scroll bar that was being dragged.
    EXPECT_TRUE(pump_until([&] { return w.moved; }, 3)) << "the pointer's moves still go to the dragged scroll bar";
    EXPECT_EQ(w.HScroll1.Value.get(), w.closed) << "the scroll bar followed the pointer with no button held";
    w.Unload();
}
