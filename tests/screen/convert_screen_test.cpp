// The main road on a real screen: two files selected in the left pane with the mouse, "Convert" on the
// button bar, "Text File" chosen in the Convert dialog, the folder confirmed in the target-folder
// dialog, and the text files checked in the right pane's folder.
#include "filemanager/SelectFolder.hpp"
#include "filemanager/fileview.hpp"
#include "filterfactory/Convert.hpp"
#include "filterfactory/text_source.hpp"
#include "preferences/Form2.hpp"
#include "shell/Form1.hpp"
#include "tests/screen/screen_support.hpp"
#include "tests/support/ff_sources.hpp"
#include "tests/support/temp_dir.hpp"

#include "platform/fs/files.hpp"

#include <gtest/gtest.h>

using namespace vexolan;
using test_support::Driver;

namespace {

// A control's position in the client area of its window, in pixels (containers included).
std::pair<int, int> pixels(const ui::Control& c, int dx = 0, int dy = 0) {
    int x = c.Left, y = c.Top;
    for (const ui::Control* k = c.Container(); k; k = k->Container()) {
        x += k->Left;
        y += k->Top;
    }
    return {x / 15 + dx, y / 15 + dy};
}

std::string at(std::pair<int, int> p) {
    return std::to_string(p.first) + " " + std::to_string(p.second);
}

struct ConvertScreen : test_support::ScreenTest {
    Form1& f = app.form1();
    test_support::TempDir source{"source"};
    test_support::TempDir target{"target"};
    std::string startFolder = files::CurDir();

    ConvertScreen() {
        for (auto name : {"alpha", "beta"}) {
            ff::FilterRecord r = ff_synth::TwirlRecord();
            r.Filename = std::string(name) + ".8bf";
            r.Title = name;
            source.write(std::string(name) + ".txt", ff::TextSourceBytes(r, nullptr));
        }
        source.write("readme.doc", "x");
        app.form2().Check4.Value = ui::vbUnchecked;
        f.Dir1[0].Path = source.path().string();
        f.Dir1[1].Path = target.path().string();
        f.Caption = "Vexolan 1.52 - Light Edition";
    }
    ~ConvertScreen() override { files::ChDir(startFolder); }

    // The middle of report-list item `index` (from 1) of the left pane.
    std::pair<int, int> item_point(int index) const {
        const ui::ListView& list = f.ListView1[0];
        int row = list.RowHeightPixels();
        return pixels(list, 40, menu_bar() + 2 + list.HeaderHeightPixels() + (index - 1) * row + row / 2);
    }
    // The main window's menu bar lies above its client area, inside the window xdotool points into.
    int menu_bar() const { return host.MenuHeight(); }
    int item_index(std::string_view text) const {
        const auto& items = f.ListView1[0].ListItems;
        for (int i = 1; i <= items.Count(); ++i)
            if (items(i).Text.get() == text) return i;
        return 0;
    }
};

} // namespace

TEST_F(ConvertScreen, SelectedFilesAreConvertedToTextIntoTheOtherPane) {
    f.Show();
    f.mnuFileViewMode_Click(3);
    f.Switchit(0);
    FillDirList(app, source.path().string(), 0, false);
    ASSERT_NE(item_index("alpha.txt"), 0);

    const ui::CommandButton& convert = f.Command1[0];
    const auto button = pixels(convert, convert.Width / 30, menu_bar() + convert.Height / 30);
    Convert& dialog = app.convertDialog();
    const auto combo = pixels(dialog.Combo1, 20, dialog.Combo1.Height / 30);
    const auto start = pixels(dialog.Command1, dialog.Command1.Width / 30, dialog.Command1.Height / 30);

    Driver user(*this, R"(
        id=$(find_window '^Vexolan 1.52')
        focus "$id"
        xdotool mousemove --window "$id" )" +
                           at(item_point(item_index("alpha.txt"))) + R"( click 1
        sleep 0.2
        xdotool keydown ctrl mousemove --window "$id" )" +
                           at(item_point(item_index("beta.txt"))) + R"( click 1 keyup ctrl
        sleep 0.3
        shoot "$id" convert_selection
        xdotool mousemove --window "$id" )" +
                           at(button) + R"( click 1
        dlg=$(find_window '^Convert$')
        focus "$dlg"
        xdotool mousemove --window "$dlg" )" +
                           at(combo) + R"( click 1
        sleep 0.4
        xdotool key Down Down Down Down Down Return
        sleep 0.3
        shoot "$dlg" convert_dialog
        xdotool mousemove --window "$dlg" )" +
                           at(start) + R"( click 1
        sel=$(find_window '^Select Folder$')
        shoot "$sel" convert_select_folder
        focus "$sel"
        xdotool key Return
        sleep 0.5
        shoot "$id" convert_done
    )");
    EXPECT_TRUE(pump_until(
        [&] { return std::filesystem::exists(target / "alpha.txt") && std::filesystem::exists(target / "beta.txt"); }));
    user.finish();
    EXPECT_EQ(dialog.Combo1.ListIndex.get(), 5);
    EXPECT_FALSE(std::filesystem::exists(target / "readme.txt"));
    EXPECT_EQ(test_support::read_file(target / "alpha.txt"), test_support::read_file(source / "alpha.txt"));
    // The right pane lists the new files.
    bool shown = false;
    const auto& items = f.ListView1[1].ListItems;
    for (int i = 1; i <= items.Count(); ++i)
        if (items(i).Text.get() == "beta.txt") shown = true;
    EXPECT_TRUE(shown);
}
