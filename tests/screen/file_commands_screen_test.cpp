// The file commands driven on a real screen by their keys: F2 renames in place, F5 and F6 copy and
// move to the other pane after the target-folder dialog, Del trashes and Shift+Del erases after
// asking. Checked on the disk.

#include "preferences/Form2.hpp"
#include "shell/Form1.hpp"
#include "tests/screen/screen_support.hpp"
#include "tests/support/temp_dir.hpp"

#include "platform/fs/files.hpp"
#include "platform/shell/shell.hpp"

#include <gtest/gtest.h>

using namespace vexolan;
using test_support::Driver;
using test_support::read_file;

namespace {

struct FileCommandsScreen : test_support::ScreenTest {
    Form1& f = app.form1();
    test_support::TempDir data{"files"};
    test_support::TempDir other{"other"};
    std::string startFolder = files::CurDir();

    FileCommandsScreen() {
        for (auto name : {"a.txt", "copy.txt", "move.txt", "trash.txt", "kill.txt"})
            data.write(name, std::string("bytes of ") + name);
        for (int p = 0; p < 2; ++p) {
            f.Combo1[p].AddItem("All Files (*.*)");
            f.Combo1[p].ListIndex = 0;
            f.Dir1[p].Path = (p == 0 ? data.path() : other.path()).string();
        }
        f.Caption = "Vexolan 1.52 - Light Edition";
    }
    ~FileCommandsScreen() override { files::ChDir(startFolder); }

    // Where to click row `index` (from 1) of the left report list, and the row of a name.
    std::string point(int index) const { return test_support::report_row_point(host, f.ListView1[0], index); }
    int index_of(std::string_view text) const { return test_support::report_row_of(f.ListView1[0], text); }
    // Clicks the row of `name` in the left list, then presses `keys`.
    void on_row(std::string_view name, const std::string& keys) {
        run("xdotool mousemove --window \"$id\" " + point(index_of(name)) + " click 1\nsleep 0.3\n" + keys);
    }
    void run(const std::string& body) {
        Driver user(*this, "id=$(find_window '^Vexolan 1.52')\n" + body);
        user.finish();
    }
};

} // namespace

TEST_F(FileCommandsScreen, RenameCopyMoveTrashAndKillByTheirKeys) {
    f.Show();
    f.mnuFileViewMode_Click(3);
    f.Switchit(0);
    const auto exists = [](const std::filesystem::path& p) { return std::filesystem::exists(p); };
    on_row("a.txt", "xdotool key --window \"$id\" F2\nsleep 0.5\nxdotool key --window \"$id\" ctrl+a\n"
                    "xdotool type --delay 20 'renamed.txt'\nxdotool key --window \"$id\" Return\nsleep 0.5\n");
    EXPECT_TRUE(pump_until([&] { return exists(data / "renamed.txt"); }, 5));
    EXPECT_EQ(read_file(data / "renamed.txt"), "bytes of a.txt");

    on_row("copy.txt", "xdotool key --window \"$id\" F5\nsleep 0.8\nshoot \"$(find_window '')\" select_folder\n"
                       "xdotool key Return\nsleep 0.5\n");
    EXPECT_TRUE(pump_until([&] { return exists(other / "copy.txt"); }, 5));
    EXPECT_EQ(read_file(other / "copy.txt"), "bytes of copy.txt");
    EXPECT_EQ(read_file(data / "copy.txt"), "bytes of copy.txt");

    on_row("move.txt", "xdotool key --window \"$id\" F6\nsleep 0.8\nxdotool key Return\nsleep 0.5\n");
    EXPECT_TRUE(pump_until([&] { return exists(other / "move.txt") && !exists(data / "move.txt"); }, 5));

    on_row("trash.txt", "xdotool key --window \"$id\" Delete\nsleep 0.8\nshoot \"$id\" trash_question\n"
                        "xdotool key Return\nsleep 0.5\n");
    const std::filesystem::path trashed = desktop::trash_folder() + "/files/trash.txt";
    EXPECT_TRUE(pump_until([&] { return exists(trashed) && !exists(data / "trash.txt"); }, 5));

    on_row("kill.txt", "xdotool key --window \"$id\" shift+Delete\nsleep 0.8\nxdotool key Return\nsleep 0.5\n");
    EXPECT_TRUE(pump_until([&] { return !exists(data / "kill.txt"); }, 5));
    EXPECT_FALSE(exists(desktop::trash_folder() + "/files/kill.txt"));
}
