// Drag and drop between the panes on a real screen, driven with xdotool's button and pointer moves and
// checked on the disk: files dragged onto the other pane, onto a folder item, and a plug-in dragged
// onto another category of its own pane.

#include "catalogue/readers.hpp"
#include "shell/Form1.hpp"
#include "tests/screen/screen_support.hpp"
#include "tests/support/pe_synth.hpp"
#include "tests/support/temp_dir.hpp"

#include "platform/fs/files.hpp"

#include <gtest/gtest.h>

#include <fstream>

using namespace vexolan;
using test_support::Driver;
using test_support::read_file;

namespace {

struct DragDropScreen : test_support::ScreenTest {
    Form1& f = app.form1();
    test_support::TempDir data{"drag"};
    test_support::TempDir other{"target"};
    std::string startFolder = files::CurDir();

    DragDropScreen() {
        f.Caption = "Vexolan 1.52 - Light Edition";
    }
    ~DragDropScreen() override {
        files::ChDir(startFolder);
    }
    void show_folders() {
        for (int p = 0; p < 2; ++p) {
            f.Combo1[p].AddItem("All Files (*.*)");
            f.Combo1[p].ListIndex = 0;
            f.Dir1[p].Path = (p == 0 ? data.path() : other.path()).string();
        }
        f.Show();
        f.mnuFileViewMode_Click(3);
        f.Switchit(1);
        f.mnuFileViewMode_Click(3);
        f.Switchit(0);
    }
    // A left-button drag from one "x y" point to another in small steps, as a hand makes it.
    static std::string drag(const std::string& from, const std::string& to) {
        std::istringstream a(from), b(to);
        int x0, y0, x1, y1;
        a >> x0 >> y0;
        b >> x1 >> y1;
        std::string s = "xdotool mousemove --window \"$id\" " + from + "\nsleep 0.3\nxdotool mousedown 1\nsleep 0.2\n";
        for (int k = 1; k <= 8; ++k)
            s += "xdotool mousemove --window \"$id\" " + std::to_string(x0 + (x1 - x0) * k / 8) + " " +
                 std::to_string(y0 + (y1 - y0) * k / 8) + "\nsleep 0.05\n";
        return s + "sleep 0.2\nxdotool mouseup 1\nsleep 0.5\n";
    }
    std::string row(int pane, std::string_view text) {
        return test_support::report_row_point(host, f.ListView1[pane],
                                              test_support::report_row_of(f.ListView1[pane], text));
    }
    // The middle of entry `index` (from 0) of a list box, as "x y" in the window's client area.
    std::string entry_point(const ui::ListBox& list, int index) {
        int x = list.Left, y = list.Top;
        for (const ui::Control* c = list.Container(); c; c = c->Container()) {
            x += c->Left;
            y += c->Top;
        }
        const int h = list.ItemHeightPixels();
        return std::to_string(x / 15 + 30) + " " +
               std::to_string(y / 15 + host.MenuHeight() + 2 + (index - list.TopIndex) * h + h / 2);
    }
};

} // namespace

TEST_F(DragDropScreen, FilesDraggedOntoTheOtherPaneOrAFolderItemMoveThere) {
    data.write("first.txt", "bytes of first");
    data.write("second.txt", "bytes of second");
    std::filesystem::create_directory(other / "inner");
    show_folders();
    const auto exists = [](const std::filesystem::path& p) { return std::filesystem::exists(p); };
    {
        // Onto a file of the other list: into its folder, after the target-folder dialog.
        Driver user(*this, "id=$(find_window '^Vexolan 1.52')\n" + drag(row(0, "first.txt"), row(1, " ..")) +
                               "sleep 0.5\nshoot \"$(find_window '')\" drop_target_folder\nxdotool key Return\n"
                               "sleep 0.5\n");
        user.finish();
    }
    EXPECT_TRUE(pump_until([&] { return exists(other / "first.txt") && !exists(data / "first.txt"); }, 5));
    EXPECT_EQ(read_file(other / "first.txt"), "bytes of first");
    {
        Driver user(*this, "id=$(find_window '^Vexolan 1.52')\n" + drag(row(0, "second.txt"), row(1, " inner")) +
                               "sleep 0.5\nxdotool key Return\nsleep 0.5\n");
        user.finish();
    }
    EXPECT_TRUE(pump_until([&] { return exists(other / "inner" / "second.txt"); }, 5));
    EXPECT_FALSE(exists(data / "second.txt"));
    EXPECT_EQ(f.DragSource(), nullptr);
}

TEST_F(DragDropScreen, APluginDraggedOntoAnotherCategoryOfItsPaneGetsThatCategory) {
    auto put = [&](const std::string& name, const std::string& title, const std::string& category) {
        std::ofstream(data / name, std::ios::binary) << pe_synth::FilterFactoryPlugin(title, category);
    };
    put("Twirl.8bf", "Twirl", "Distort");
    put("smear.8bf", "Smear", "Blur");
    for (int p = 0; p < 2; ++p)
        f.Dir1[p].Path = data.path().string();
    f.Show();
    {
        Driver user(*this, R"(
            id=$(find_window '^Vexolan 1.52')
            focus "$id"
            xdotool mousemove --window "$id" 116 95 click 1
            sleep 0.8
        )");
        user.finish();
    }
    ASSERT_TRUE(pump_until([&] { return app.PaneMode[0] == 2 && f.List2[0].ListCount() == 2; }, 5));
    f.Switchit(0);
    f.List2[0].user_select(1); // "Distort": the plug-in list shows Twirl
    ASSERT_EQ(f.List3[0].List(0), "+ Twirl");
    Driver user(*this, "id=$(find_window '^Vexolan 1.52')\n" +
                           drag(entry_point(f.List3[0], 0), entry_point(f.List2[0], 0)) +
                           "shoot \"$id\" plugin_dropped\n");
    user.finish();
    pump_until([] { return false; }, 0.5);
    EXPECT_FALSE(f.PluginDragActive);
    catalogue::PluginInfoList list;
    ASSERT_TRUE(catalogue::ReadCom8bfResources(catalogue::MemoryBytes(read_file(data / "Twirl.8bf")), list));
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list[0].Category, "Blur");
}
