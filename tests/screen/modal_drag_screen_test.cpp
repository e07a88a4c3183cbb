// A modal window that opens while a control is being dragged or held ends the drag: the button's
// release over the blocked window never reaches the control, nothing moves it while the modal window
// is open, and once that is answered by the keyboard and closes, the pointer's plain moves no longer
// move it. Checked on the model (the scroll bar's value, and the moves reaching the control under the
// pointer again).
#include "tests/screen/screen_support.hpp"

#include "platform/ui/ui.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

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

// How the user takes hold of the scroll bar: where the button goes down (pixels right of the bar's
// middle), where the pointer drags to, and what the user does, the button still down, once the box is
// open.
struct PressCase {
    const char* name;
    int press;
    std::vector<int> drag;
    const char* meanwhile;
};

void PrintTo(const PressCase& c, std::ostream* os) {
    *os << c.name;
}

const PressCase Cases[] = {
    {"ThumbDragged", 0, {30, 60, 80}, ""},
    // The left arrow, held past the delay after which it repeats.
    {"ArrowHeld", -172, {}, "sleep 0.7\n"},
};

struct ModalDragScreen : test_support::ScreenTest, ::testing::WithParamInterface<PressCase> {};

} // namespace

TEST_P(ModalDragScreen, AModalWindowOpenedDuringADragEndsIt) {
    const PressCase& c = GetParam();
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    if (!installed("xdotool")) GTEST_SKIP() << "xdotool is not installed: this test drives the pointer with it";
    DragWindow w(host);
    w.Show();
    const int x = (w.HScroll1.Left + w.HScroll1.Width / 2) / 15, y = (w.HScroll1.Top + w.HScroll1.Height / 2) / 15;
    const int px = (w.Picture1.Left + w.Picture1.Width / 2) / 15, py = (w.Picture1.Top + w.Picture1.Height / 2) / 15;
    auto move = [](int to_x, int to_y) {
        return "xdotool mousemove --window \"$main\" " + std::to_string(to_x) + " " + std::to_string(to_y) + "\n";
    };
    // The button goes down on the bar (and drags); the release comes while the box is open (over the
    // bar, whose window the box blocks); Return answers the box. Then the pointer moves with no
    // button held: along the bar to its left end, and down onto the picture.
    std::string script = "main=$(find_window '^Vexolan - Drag$')\n";
    script += move(x + c.press, y) + "xdotool mousedown 1\n";
    for (int dx : c.drag)
        script += move(x + dx, y);
    script += "find_window '^Vexolan - Question$' >/dev/null\n";
    script += std::string(c.meanwhile) + "xdotool mouseup 1\n";
    script += "xdotool key Return\ngone '^Vexolan - Question$'\n";
    for (int bx : {x + 60, x + 30, x, x - 60, x - 120})
        script += move(bx, y);
    script += move(px, py) + move(px + 20, py);
    Driver user(*this, script);
    user.finish();
    EXPECT_EQ(w.answer, ui::vbOK) << "the box was not answered by the keyboard";
    ASSERT_TRUE(w.asked) << "the press did not start the timer";
    EXPECT_NE(w.dragged, 100) << "the press did not move the scroll bar";
    EXPECT_EQ(w.closed, w.dragged) << "the scroll bar moved while the box was open";
    // The moves reach the picture under the pointer, not the scroll bar that was being dragged.
    EXPECT_TRUE(pump_until([&] { return w.moved; }, 3)) << "the pointer's moves still go to the dragged scroll bar";
    EXPECT_EQ(w.HScroll1.Value.get(), w.closed) << "the scroll bar followed the pointer with no button held";
    w.Unload();
}

INSTANTIATE_TEST_SUITE_P(Rows, ModalDragScreen, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<PressCase>& info) { return std::string(info.param.name); });
