// Letters beyond ASCII typed on a real screen under a German keyboard layout: ä, ö, ü and ß on their
// own keys, and other alphabets through xdotool type, reach the program whole in a text box (Create
// Folder's name), in editable combo boxes (Select Folder's path, Change Category's box) and in a code
// box of the editor; Backspace takes one whole character; cut, copy and paste work in a combo box.
// Checked on the disk and on the model.

#include "ffeditor/FFEditorType1.hpp"
#include "filemanager/open_by_type.hpp"
#include "imaging/handles.hpp"
#include "platform/fs/files.hpp"
#include "shell/Form1.hpp"
#include "tests/screen/screen_support.hpp"
#include "tests/support/editor_support.hpp"
#include "tests/support/pe_synth.hpp"
#include "tests/support/temp_dir.hpp"

#include <FL/Fl_Window.H>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

using namespace vexolan;
using test_support::Driver;

namespace {

// The names in a folder, for messages.
std::string Names(const std::filesystem::path& folder) {
    std::string out;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        out += " [" + entry.path().filename().string() + "]";
    return out;
}

struct TypedTextScreen : test_support::ScreenTest {
    Form1& f = app.form1();
    test_support::TempDir data{"typed"};
    test_support::TempDir other{"target"};
    std::string startFolder = files::CurDir();
    bool german = std::system("setxkbmap de") == 0 && std::system("setxkbmap -query | grep -q '^layout: *de$'") == 0;

    TypedTextScreen() {
        data.write("copy.txt", "bytes of copy.txt");
        data.write("amount.txt", "Category: Screen\r\nTitle: Amount\r\nR:r\r\nG:g\r\nB:b\r\nA:a\r\n");
        std::ofstream(data.path() / "twirl.8bf", std::ios::binary) << pe_synth::FilterFactoryPlugin("Twirl", "Distort");
        for (int p = 0; p < 2; ++p) {
            f.Combo1[p].AddItem("All Files (*.*)");
            f.Combo1[p].ListIndex = 0;
            f.Dir1[p].Path = (p == 0 ? data.path() : other.path()).string();
        }
        f.Caption = "Vexolan 1.52 - Light Edition";
        test_support::prepare_editor_folder(app);
        test_support::choose_skinned_editor(app);
    }
    ~TypedTextScreen() override {
        // The layout belongs to the display the later tests share.
        if (std::system("setxkbmap us") != 0) ADD_FAILURE() << "the keyboard layout was not put back";
        files::ChDir(startFolder);
    }
    void TearDown() override {
        app.host.registry().UnloadAll();
        CloseImg(app, app.PreviewImage);
        CloseImg(app, app.PluginImage);
    }
    void run(const std::string& body) {
        Driver user(*this, "id=$(find_window '^Vexolan 1.52')\nfocus \"$id\"\n" + body);
        user.finish();
    }
};

// What the user types into a box (the keys of an xdotool script), and the text it gives.
struct Typing {
    std::string Keys;
    std::string Text;
};
const std::vector<Typing> Typings{
    {"xdotool key adiaeresis odiaeresis udiaeresis ssharp\nxdotool type --delay 50 'Жж日本'\n", "äöüßЖж日本"},
    {"xdotool type --delay 50 'Müll日本'\n", "Müll日本"},
    {"xdotool type --delay 50 'Müll日本'\nxdotool key BackSpace\n", "Müll日"},
};

} // namespace

TEST_F(TypedTextScreen, LettersBeyondAsciiReachTextBoxesComboBoxesAndCodeBoxesWhole) {
    ASSERT_TRUE(german) << "setxkbmap de failed";
    f.Show();
    f.mnuFileViewMode_Click(3);
    f.Switchit(0);

    // A text box: the name of a new folder (Shift+F7) in the left pane's folder.
    for (const Typing& t : Typings) {
        SCOPED_TRACE("Create Folder: " + t.Text);
        run("xdotool key shift+F7\nbox=$(find_window '^Vexolan - Input$')\nfocus \"$box\"\nxdotool key ctrl+a\n" +
            t.Keys + "xdotool key Return\ngone '^Vexolan - Input$'\n");
        EXPECT_TRUE(pump_until([&] { return std::filesystem::is_directory(data / t.Text); }, 5)) << Names(data.path());
    }

    // An editable combo box: Select Folder's path, typed in full (F5 copies there); the last row cuts,
    // copies and pastes inside the box before Return.
    std::vector<Typing> paths = Typings;
    paths.push_back({"xdotool type --delay 50 'Ablage日本'\nxdotool key ctrl+a ctrl+c\nxdotool type '" +
                         other.path().string() + "/junk'\nxdotool key ctrl+a ctrl+v shift+Left ctrl+x End ctrl+v\n",
                     "Ablage日本"});
    for (const Typing& t : paths) {
        SCOPED_TRACE("Select Folder: " + t.Text);
        const int row = test_support::report_row_of(f.ListView1[0], "copy.txt");
        ASSERT_GT(row, 0);
        run("xdotool mousemove --window \"$id\" " + test_support::report_row_point(host, f.ListView1[0], row) +
            " click 1\nsleep 0.3\nxdotool key F5\nbox=$(find_window '^Select Folder$')\nfocus \"$box\"\n"
            "xdotool key ctrl+a\nxdotool type --delay 20 '" +
            other.path().string() + "/'\n" + t.Keys +
            "xdotool key Return\nq=$(find_window '^Vexolan$')\nfocus \"$q\"\nxdotool key Return\nsleep 0.5\n");
        EXPECT_TRUE(pump_until([&] { return std::filesystem::exists(other / t.Text / "copy.txt"); }, 5))
            << Names(other.path());
    }

    // Change Category's combo box: the category is written into the plug-in in Windows-1252.
    f.SSTab1[0].user_select_tab(2);
    ASSERT_EQ(app.PaneMode[0], 2);
    for (int j = 0; j < f.List2[0].ListCount(); ++j)
        if (f.List2[0].List(j) == "Distort") f.List2[0].user_select(j);
    ASSERT_EQ(f.List3[0].ListCount(), 1);
    f.List3[0].user_select(0);
    run("xdotool key ctrl+h\nbox=$(find_window '^Vexolan - Input$')\nfocus \"$box\"\n"
        "xdotool type --delay 50 'Kätegorie'\nxdotool key Return\ngone '^Vexolan - Input$'\n");
    EXPECT_EQ(test_support::read_file(data / "twirl.8bf").substr(23894, 11), std::string("\x09K\xE4tegorie\0", 11));

    // A code box of the editor, opened on a filter source.
    f.SSTab1[0].user_select_tab(1);
    for (int i = 0; i < f.File1[0].ListCount(); ++i)
        if (f.File1[0].List(i) == "amount.txt") f.File1[0].ListIndex = i;
    File1_DblClick(app, 0);
    FFEditorType1& e = app.EditorForm();
    ASSERT_TRUE(e.Visible.get());
    ASSERT_TRUE(pump_until([&] { return host.screen_window(e) && host.screen_window(e)->shown(); }));
    for (const Typing& t : Typings) {
        SCOPED_TRACE("code box: " + t.Text);
        e.Text5[1].Visible = true;
        e.Text5[1].Text = "";
        Driver user(*this,
                    "id=$(find_window '^Filter Factory Editor$')\nfocus \"$id\"\nxdotool mousemove --window \"$id\" " +
                        std::to_string(e.Text5[1].Left / 15 + 20) + " " + std::to_string(e.Text5[1].Top / 15 + 10) +
                        " click 1\nsleep 0.2\n" + t.Keys + "sleep 0.3\n");
        user.finish();
        EXPECT_EQ(e.Text5[1].Text.get(), t.Text);
        e.Text5[1].Visible = false;
    }
}
