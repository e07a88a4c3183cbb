// The editor's road on a real screen: a filter opened from the File View, a formula typed into its
// red code box, a knob dragged (the preview follows on the release), the preview box's pixels on
// the screen compared with the thumbnail filtered by that formula; then the filter saved as a
// plug-in through the Project menu, and the new file listed in the pane.

#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/preview.hpp"
#include "filemanager/open_by_type.hpp"
#include "imaging/handles.hpp"
#include "platform/fs/files.hpp"
#include "platform/imgman/images.hpp"
#include "preferences/Form2.hpp"
#include "shell/Form1.hpp"
#include "tests/screen/editor_screen.hpp"
#include "tests/screen/screen_support.hpp"
#include "tests/support/editor_support.hpp"

#include <FL/Fl_Window.H>

#include <gtest/gtest.h>

using namespace vexolan;
using test_support::Driver;

namespace {

struct Editor3Screen : test_support::EditorScreenTest {
    test_support::TempDir data{"filters"};

    Editor3Screen() {
        data.write("amount.txt", "Category: Screen\r\nTitle: Amount\r\nR:r\r\nG:g\r\nB:b\r\nA:a\r\n"
                                 "ctl[0]: Amount\r\nval[0]: 10\r\n");
        list_folder(data.path());
    }
};

} // namespace

TEST_F(Editor3Screen, ATypedFormulaChangesThePreviewPixelsAndTheSavedPluginShowsInThePane) {
    f.Show();
    f.Switchit(0);
    // Opened as a double click on the source opens it.
    ASSERT_NO_FATAL_FAILURE(open_in_editor("amount.txt"));
    ASSERT_EQ(e.Label6[2].Caption.get(), "Amount");
    ASSERT_TRUE(app.GraphSliders);
    const ui::Bitmap unfiltered = e.Picture1.Image();

    // The red code box opened (its label's click belongs to the window's events), emptied for typing.
    e.Text5[1].Visible = true;
    e.Text5[1].Text = "";
    const int boxX = e.Text5[1].Left / 15 + 20, boxY = e.Text5[1].Top / 15 + 10;
    const int knobX = e.Picture3[0].Left / 15, knobY = e.Picture3[0].Top / 15;
    const std::string shot = (root / "preview.png").string();
    Driver user(*this, R"(
        id=$(find_window '^Filter Factory Editor$')
        sleep 0.4
        xdotool mousemove --window "$id" )" +
                           std::to_string(boxX) + " " + std::to_string(boxY) + R"( click 1
        sleep 0.2
        xdotool type --delay 30 '255-r'
        sleep 0.3
    )");
    user.finish();
    EXPECT_EQ(e.Text5[1].Text.get(), "255-r");
    // The box closed again (it lies over the sliders); the knob dragged, the preview runs on the release.
    e.Text5[1].Visible = false;
    Driver drag(*this, R"(
        id=$(find_window '^Filter Factory Editor$')
        sleep 0.3
        xdotool mousemove --window "$id" )" +
                           std::to_string(knobX + 4) + " " + std::to_string(knobY + 8) + R"( mousedown 1
        sleep 0.2
        xdotool mousemove --window "$id" )" +
                           std::to_string(knobX + 24) + " " + std::to_string(knobY + 8) + R"(
        sleep 0.2
        xdotool mouseup 1
        sleep 0.6
        import -window "$id" )" +
                           shot +
                           R"(
        shoot "$id" editor3_preview
    )");
    drag.finish();
    EXPECT_NE(e.Label1[0].Caption.get(), "10");

    // The model's preview: the thumbnail with red inverted.
    const ui::Bitmap& shown = e.Picture1.Image();
    ASSERT_EQ(shown.Width, unfiltered.Width);
    ASSERT_EQ(shown.Height, unfiltered.Height);
    int wrong = 0;
    for (int y = 0; y < shown.Height; ++y)
        for (int x = 0; x < shown.Width; ++x) {
            const std::uint32_t before = unfiltered.pixel(x, y), after = shown.pixel(x, y);
            const std::uint32_t want = (before & 0xFF00FFFFu) | ((255 - ((before >> 16) & 0xFF)) << 16);
            if (after != want) ++wrong;
        }
    EXPECT_EQ(wrong, 0);
    // And the screen's: the preview box's pixels are the model's.
    const int inset = e.Picture1.BorderStyle != 0 ? 1 : 0;
    const int px = e.Picture1.Left / 15 + inset, py = e.Picture1.Top / 15 + inset;
    for (auto [x, y] : {std::pair{5, 5}, std::pair{60, 40}, std::pair{shown.Width - 6, shown.Height - 6}}) {
        EXPECT_EQ(shot_pixel(shot, px + x, py + y), shown.pixel(x, y) & 0xFFFFFFu) << x << "," << y;
        EXPECT_NE(shot_pixel(shot, px + x, py + y), unfiltered.pixel(x, y) & 0xFFFFFFu) << x << "," << y;
    }

    // Saved through the Project menu, as the right click on the editor's body pops it up.
    e.Label6[0].Caption = "Inverted";
    for (int i : {1, 3}) // as start-up leaves the submenu
        f.mnuSaveType_FFE[i].Visible = false;
    Driver save(*this, "id=$(find_window '^Filter Factory Editor$')\nsleep 0.6\nxdotool key" +
                           downs_to(f.mnuFfeFunctions_FFE, f.mnuSaveAs_FFE) +
                           " Right\nsleep 0.3\nxdotool key Return\nsleep 0.5\n");
    e.PopupMenu(f.mnuFfeFunctions_FFE);
    save.finish();
    EXPECT_TRUE(files::file_exists((data.path() / "Inverted.8bf").string()));
    EXPECT_EQ(e.Label6[0].Caption.get(), "Inverted.8bf");
    ASSERT_TRUE(pump_until([&] { return test_support::report_row_of(f.ListView1[0], "Inverted.8bf") > 0; }, 5));
    Driver look(*this, "id=$(find_window '^Vexolan 1.52')\nsleep 0.4\nshoot \"$id\" editor3_saved_in_pane\n");
    look.finish();

    // An alpha view: the grey picture with the red word "Alpha" in its lower right corner.
    e.Text5[0].Text = "255-a";
    e.Text5[1].Text = "r";
    RefreshPreview(app);
    ASSERT_EQ(e.Picture1.Texts().size(), 1u);
    const ui::PrintedText& marker = e.Picture1.Texts()[0];
    const std::string alphaShot = (root / "alpha.png").string();
    Driver alpha(*this, "id=$(find_window '^Filter Factory Editor$')\nsleep 0.5\nimport -window \"$id\" " + alphaShot +
                            "\nshoot \"$id\" editor3_alpha\n");
    alpha.finish();
    int red = 0;
    const int mx = px + marker.X / 15, my = py + marker.Y / 15;
    for (int y = my; y < my + e.Picture1.TextHeight("Alpha") / 15; ++y)
        for (int x = mx; x < mx + e.Picture1.TextWidth("Alpha") / 15 + 10; ++x) {
            const std::uint32_t c = shot_pixel(alphaShot, x, y);
            if ((c >> 16) > 200 && ((c >> 8) & 0xFF) < 80 && (c & 0xFF) < 80) ++red;
        }
    EXPECT_GT(red, 5) << "the marker is drawn in red";
}
