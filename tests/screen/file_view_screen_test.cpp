// The File View driven on a real screen as a user drives it: into a folder and back out with double
// clicks and with Enter and Backspace, Enter on a document with the desktop's opener, the inline
// rename typed into the binding's edit box, and Ctrl+A. Checked on the model and on the disk.

#include "preferences/Form2.hpp"
#include "shell/Form1.hpp"
#include "tests/screen/screen_support.hpp"
#include "tests/shell/fake_desktop.hpp"
#include "tests/support/fake_mime.hpp"
#include "tests/support/temp_dir.hpp"

#include "platform/fs/files.hpp"

#include <gtest/gtest.h>

using namespace vexolan;
using test_support::Driver;

namespace {

struct FileViewScreen : test_support::ScreenTest {
    Form1& f = app.form1();
    test_support::TempDir data{"files"};
    std::string startFolder = files::CurDir();
    test_support::FakeOpener opener;
    test_support::FakeMime mime{"application/pdf", "viewer.desktop"};

    FileViewScreen() {
        data.write("report.pdf", "%PDF-1.4");
        data.write("old name.txt", "keep these bytes");
        data.write("b.8bf", "x");
        std::filesystem::create_directories(data.path() / "Фото и видео");
        data.write("Фото и видео/inner.txt", "x");
        for (int p = 0; p < 2; ++p) {
            f.Combo1[p].AddItem("All Files (*.*)");
            f.Combo1[p].ListIndex = 0;
            f.Dir1[p].Path = data.path().string();
        }
        f.Caption = "Vexolan 1.52 - Light Edition";
    }
    ~FileViewScreen() override { files::ChDir(startFolder); }

    // Where to click row `index` (from 1) of the left report list, and the row of a name.
    std::string point(int index) const { return test_support::report_row_point(host, f.ListView1[0], index); }
    int index_of(std::string_view text) const { return test_support::report_row_of(f.ListView1[0], text); }
    void run(const std::string& body) {
        Driver user(*this, "id=$(find_window '^Vexolan 1.52')\n" + body);
        user.finish();
    }
};

} // namespace

TEST_F(FileViewScreen, IntoAFolderAndBackRenameOpenAndSelectAll) {
    f.Show();
    f.mnuFileViewMode_Click(3);
    f.Switchit(0);
    const std::string top = data.path().string();
    const std::string sub = (data.path() / "Фото и видео").string();

    // A double click on the folder item enters it; one on " .." comes back to it.
    run("shoot \"$id\" file_view\nxdotool mousemove --window \"$id\" " + point(index_of(" Фото и видео")) +
        " click --repeat 2 1\nsleep 0.5\n");
    EXPECT_TRUE(pump_until([&] { return f.Dir1[0].Path.get() == sub; }, 5));
    EXPECT_EQ(f.ListView1[0].ListItems.Count(), 2); // " .." and inner.txt
    run("xdotool mousemove --window \"$id\" " + point(index_of(" ..")) + " click --repeat 2 1\nsleep 0.5\n");
    EXPECT_TRUE(pump_until([&] { return f.Dir1[0].Path.get() == top; }, 5));
    ASSERT_NE(f.ListView1[0].SelectedItem(), nullptr);
    EXPECT_EQ(f.ListView1[0].SelectedItem()->Text.get(), " Фото и видео");

    // Enter on the selected folder item enters it, Backspace goes back up.
    run("xdotool key --window \"$id\" Return\nsleep 0.5\n");
    EXPECT_TRUE(pump_until([&] { return f.Dir1[0].Path.get() == sub; }, 5));
    run("xdotool key --window \"$id\" BackSpace\nsleep 0.5\n");
    EXPECT_TRUE(pump_until([&] { return f.Dir1[0].Path.get() == top; }, 5));

    // Enter on a document: the desktop names its program, the opener gets the file.
    run("xdotool mousemove --window \"$id\" " + point(index_of("report.pdf")) +
        " click 1\nsleep 0.3\nxdotool key --window \"$id\" Return\nsleep 0.8\n");
    EXPECT_TRUE(pump_until([&] { return opener.targets().size() == 1; }, 5));
    EXPECT_EQ(opener.targets(), std::vector<std::string>{top + "/report.pdf"});

    // With no program for it, the Open With box asks; Escape closes it and nothing opens.
    mime.answer("application/pdf", "");
    run("xdotool key --window \"$id\" Return\nsleep 0.8\nbox=$(find_window '^Open With$')\nshoot \"$box\" "
        "open_with\nxdotool key Escape\nsleep 0.3\n");
    EXPECT_EQ(opener.targets().size(), 1u);

    // The inline rename: the edit starts on the selected item, the user types and presses Enter.
    f.ListView1[0].SetSelectedItem(&f.ListView1[0].ListItems(index_of("old name.txt")));
    f.ListView1[0].StartLabelEdit();
    run("sleep 0.5\nxdotool key --window \"$id\" ctrl+a\nxdotool type --delay 20 'New name.txt'\nsleep 0.2\n"
        "shoot \"$id\" rename_edit\nxdotool key --window \"$id\" Return\nsleep 0.5\n");
    EXPECT_TRUE(pump_until([&] { return std::filesystem::exists(data.path() / "New name.txt"); }, 5));
    EXPECT_FALSE(std::filesystem::exists(data.path() / "old name.txt"));
    EXPECT_EQ(test_support::read_file(data.path() / "New name.txt"), "keep these bytes");
    EXPECT_NE(index_of("New name.txt"), 0);
    EXPECT_NE(index_of("b.8bf"), 0); // no other item took the typed label

    // Ctrl+A selects every file row and no folder row.
    run("xdotool mousemove --window \"$id\" " + point(index_of("b.8bf")) +
        " click 1\nsleep 0.3\nxdotool key --window \"$id\" ctrl+a\nsleep 0.5\nshoot \"$id\" select_all\n");
    EXPECT_TRUE(pump_until(
        [&] {
            const auto& items = f.ListView1[0].ListItems;
            for (int i = 1; i <= items.Count(); ++i)
                if (items(i).Selected.get() != (items(i).Icon > 2)) return false;
            return true;
        },
        5));
}
