// The skinned editor window on the screen: its outline cuts the window (the desktop shows through
// outside it), a drag on its body moves it, and a knob dragged along its track sets the slider.

#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/commands.hpp"
#include "imaging/handles.hpp"
#include "platform/imgman/images.hpp"
#include "tests/screen/screen_support.hpp"

#include <FL/Fl_Window.H>

#include <gtest/gtest.h>

using namespace vexolan;
using test_support::Driver;

namespace {

struct EditorScreen : test_support::ScreenTest {
    // Loading the editor prepared the preview thumbnail; the handles go with the test.
    void TearDown() override {
        CloseImg(app, app.PreviewImage);
        CloseImg(app, app.PluginImage);
    }
};

} // namespace

TEST_F(EditorScreen, SkinnedWindowIsShapedAndMovesWithABodyDrag) {
    FFEditorType1& e = app.EditorForm();
    e.Left = 100 * 15;
    e.Top = 100 * 15;
    e.Show();
    ASSERT_TRUE(e.WindowRegion().has_value());
    ASSERT_TRUE(pump_until([&] { return host.screen_window(e) && host.screen_window(e)->shown(); }));
    const std::string shot = (root / "root.png").string();
    // The outline of "Interfc4.des": a rounded body from y 12 with a round tab at the top right.
    // The window's corner (2, 2) lies outside it; (300, 250) inside.
    Driver look(*this, R"(
        id=$(find_window '^Filter Factory Editor$')
        sleep 0.5
        shoot "$id" editor_skin
        import -window root )" +
                           shot + R"(
    )");
    look.finish();
    Fl_Window* w = host.screen_window(e);
    const int wx = w->x(), wy = w->y();
    EXPECT_FALSE(e.WindowRegion()->contains(2, 2));
    EXPECT_TRUE(e.WindowRegion()->contains(300, 250));
    // Outside the outline the root window's own colour shows; inside, the skin.
    const std::uint32_t rootColour = shot_pixel(shot, 1270, 1015);
    EXPECT_EQ(shot_pixel(shot, wx + 2, wy + 2), rootColour);
    EXPECT_NE(shot_pixel(shot, wx + 300, wy + 470), rootColour);

    // A left drag on the body (a spot with no control) moves the window with the pointer from its
    // first move on.
    const int leftBefore = e.Left, topBefore = e.Top;
    Driver drag(*this, R"(
        id=$(find_window '^Filter Factory Editor$')
        xdotool mousemove --window "$id" 40 470 mousedown 1
        sleep 0.2
        xdotool mousemove --window "$id" 41 470
        sleep 0.2
        xdotool mousemove --window "$id" 101 500
        sleep 0.3
        xdotool mouseup 1
        sleep 0.3
    )");
    drag.finish();
    ASSERT_TRUE(pump_until([&] { return e.Left != leftBefore; }, 5));
    EXPECT_EQ(e.Left - leftBefore, 60 * 15);
    EXPECT_EQ(e.Top - topBefore, 30 * 15);
    e.Unload();
}

TEST_F(EditorScreen, DraggingAKnobSetsTheSliderAndMovesItsPixels) {
    FFEditorType1& e = app.EditorForm();
    e.Show();
    ASSERT_TRUE(app.GraphSliders);
    ASSERT_TRUE(pump_until([&] { return host.screen_window(e) && host.screen_window(e)->shown(); }));
    // Slider 1's track lies at (232, 192) pixels, 137 wide; its knob starts at its left end.
    const int knobX = e.Picture3[0].Left / 15, knobY = e.Picture3[0].Top / 15;
    const std::string before = (root / "before.png").string(), after = (root / "after.png").string();
    Driver user(*this, R"(
        id=$(find_window '^Filter Factory Editor$')
        sleep 0.4
        import -window "$id" )" +
                           before + R"(
        xdotool mousemove --window "$id" )" +
                           std::to_string(knobX + 4) + " " + std::to_string(knobY + 8) + R"( mousedown 1
        sleep 0.2
        for step in 10 20 30 40 50 60; do
            xdotool mousemove --window "$id" $(( )" +
                           std::to_string(knobX + 4) + R"( + step )) )" + std::to_string(knobY + 8) + R"(
            sleep 0.1
        done
        xdotool mouseup 1
        sleep 0.4
        import -window "$id" )" +
                           after + R"(
        shoot "$id" editor_knob
    )");
    user.finish();
    const int moved = e.Picture3[0].Left / 15 - knobX;
    EXPECT_EQ(moved, 60);
    // The value of record follows the knob: its distance from the leftmost place (15 pixels into the
    // track) over the 98 pixels of travel (137 - 9 - 30).
    const int offset = e.Picture3[0].Left - e.Picture2[0].Left - 15 * 15;
    EXPECT_EQ(e.Label1[0].Caption.get(), std::to_string(static_cast<int>(std::nearbyint(offset / (1470.0 / 255)))));
    EXPECT_NE(e.Label1[0].Caption.get(), "0");
    // The knob's pixels went with it: its old place now shows the track, its new place the knob.
    const std::uint32_t knobColour = shot_pixel(before, knobX + 2, knobY + 3);
    EXPECT_EQ(shot_pixel(after, knobX + 60 + 2, knobY + 3), knobColour);
    EXPECT_NE(shot_pixel(after, knobX + 2, knobY + 3), knobColour);
    e.Unload();
}
