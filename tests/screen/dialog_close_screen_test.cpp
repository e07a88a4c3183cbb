// A dialog closed with the window manager's close (Alt+F4 under openbox; the small windows have no
// frame of their own, so that is their only close) answers as its Cancel does: nothing is moved,
// copied, made, renamed or added, and Preferences stays loaded for the exit to write its lists.
// Each row opens its dialog as the command does, a script waits for the dialog to take the
// keyboard, types what a user would and closes it with Alt+F4; the rows run in one program, so a
// dialog confirmed before is closed after its confirmed use.

#include "catalogue/Form4.hpp"
#include "filemanager/copy_move.hpp"
#include "filemanager/folders.hpp"
#include "filemanager/rename_files.hpp"
#include "filterfactory/Convert.hpp"
#include "preferences/Form2.hpp"
#include "shell/Form1.hpp"
#include "shell/Form3.hpp"
#include "tests/screen/screen_support.hpp"
#include "tests/support/temp_dir.hpp"

#include "platform/fs/files.hpp"

#include <gtest/gtest.h>

#include <FL/x.H>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

using namespace vexolan;
using test_support::Driver;
using test_support::read_file;

namespace {

// Waits until a window other than the main window has the keyboard: the dialog just shown.
constexpr std::string_view WaitForDialog = R"sh(
for i in $(seq 1 100); do
    active=$(xdotool getactivewindow 2>/dev/null || echo 0)
    [ "$active" != "0" ] && [ "$active" != "$MAIN" ] && break
    sleep 0.05
done
sleep 0.4
)sh";

// The script's step that closes the dialog with the window manager.
constexpr std::string_view CloseByWindowManager = "xdotool key alt+F4\nsleep 0.5\n";

struct DialogCloseScreen : test_support::ScreenTest {
    Form1& f = app.form1();
    test_support::TempDir data{"files"};
    test_support::TempDir other{"other"};
    std::string startFolder = files::CurDir();

    DialogCloseScreen() {
        for (auto name : {"copy.txt", "move.txt", "one.txt", "two.txt"})
            data.write(name, std::string("bytes of ") + name);
        other.write("copy.txt", "the older copy");
        for (int p = 0; p < 2; ++p) {
            f.Combo1[p].AddItem("All Files (*.*)");
            f.Combo1[p].ListIndex = 0;
            f.Dir1[p].Path = (p == 0 ? data.path() : other.path()).string();
        }
        f.Caption = "Vexolan 1.52 - Light Edition";
        app.form2().Command8_Click();
    }
    ~DialogCloseScreen() override { files::ChDir(startFolder); }

    // Selects the rows of `names` in the left report list, as clicks (Ctrl held for the second).
    void select(std::initializer_list<std::string_view> names) {
        ui::ListView& list = f.ListView1[0];
        int shift = 0;
        for (std::string_view name : names) {
            const int row = test_support::report_row_of(list, name);
            if (row == 0) {
                ADD_FAILURE() << name << " is not listed";
                continue;
            }
            list.user_click_item(row, shift);
            shift = ui::vbCtrlMask;
        }
    }
};

struct Row {
    const char* name;
    // What the user does in the dialog before closing it (script lines), for each showing.
    std::vector<std::string> typed;
    // Opens the dialog as its command does; returns once the dialog is gone.
    std::function<void(DialogCloseScreen&)> command;
    // Checks that nothing came of the close.
    std::function<void(DialogCloseScreen&)> nothing_done;
};

const std::string Confirm = "xdotool key Return\nsleep 0.5\n";

// The number of plug-in types before the plug-in type dialog showed.
int typesBefore = 0;

const Row Rows[] = {
    {"target-folder dialog of Move (F6)",
     {""},
     [](DialogCloseScreen& t) {
         t.select({"move.txt"});
         cmd_MoveFiles(t.app);
     },
     [](DialogCloseScreen& t) {
         EXPECT_TRUE(std::filesystem::exists(t.data / "move.txt"));
         EXPECT_FALSE(std::filesystem::exists(t.other / "move.txt"));
     }},
    {"target-folder dialog of Copy (F5)",
     {""},
     [](DialogCloseScreen& t) {
         t.select({"one.txt"});
         cmd_CopyFiles(t.app);
     },
     [](DialogCloseScreen& t) { EXPECT_FALSE(std::filesystem::exists(t.other / "one.txt")); }},
    {"input box of Create Folder, after a folder made with it",
     {"xdotool type --delay 20 first\n" + Confirm, "xdotool type --delay 20 second\n"},
     [](DialogCloseScreen& t) {
         cmd_MakeDir(t.app);
         ASSERT_TRUE(std::filesystem::is_directory(t.data / "first"));
         t.pump_until([] { return false; }, 0.3);
         cmd_MakeDir(t.app);
     },
     [](DialogCloseScreen& t) {
         std::vector<std::string> folders;
         for (auto& e : std::filesystem::directory_iterator(t.data.path()))
             if (e.is_directory()) folders.push_back(e.path().filename().string());
         EXPECT_EQ(folders, std::vector<std::string>{"first"});
         EXPECT_FALSE(t.app.DialogOK);
     }},
    {"input box of Rename File Extension",
     {"xdotool type --delay 20 zzz\n"},
     [](DialogCloseScreen& t) {
         t.select({"one.txt", "two.txt"});
         cmd_RenameFiles(t.app);
     },
     [](DialogCloseScreen& t) {
         EXPECT_TRUE(std::filesystem::exists(t.data / "one.txt"));
         EXPECT_TRUE(std::filesystem::exists(t.data / "two.txt"));
         EXPECT_FALSE(std::filesystem::exists(t.data / "one.zzz"));
     }},
    {"Overwrite prompt of a copy",
     {""},
     [](DialogCloseScreen& t) {
         // The other pane is the target at once: the question is whether to replace its copy.
         t.app.form2().Check4.Value = ui::vbChecked;
         t.select({"copy.txt"});
         cmd_CopyFiles(t.app);
         t.app.form2().Check4.Value = ui::vbUnchecked;
     },
     [](DialogCloseScreen& t) { EXPECT_EQ(read_file(t.other / "copy.txt"), "the older copy"); }},
    {"Convert dialog",
     {""},
     [](DialogCloseScreen& t) {
         t.select({"one.txt"});
         ShowConvertDialog(t.app);
     },
     [](DialogCloseScreen& t) {
         EXPECT_FALSE(t.app.convertDialog().Visible.get());
         int files = 0;
         for ([[maybe_unused]] auto& e : std::filesystem::directory_iterator(t.data.path()))
             ++files;
         EXPECT_EQ(files, 5) << "four files and the folder made before";
     }},
    {"Plugin List Options",
     {""},
     [](DialogCloseScreen& t) {
         t.app.DialogOK = true; // as a Start before left it
         t.app.form4().ShowModal();
     },
     [](DialogCloseScreen& t) {
         EXPECT_FALSE(t.app.DialogOK);
         EXPECT_FALSE(t.app.form4().Loaded());
     }},
    {"plug-in type dialog of Preferences' Add",
     {"xdotool type --delay 20 Filters\nxdotool key Tab\nxdotool type --delay 20 flt\n"},
     [](DialogCloseScreen& t) {
         typesBefore = t.app.form2().List1[3].ListCount();
         t.app.form2().Command3_Click(3);
     },
     [](DialogCloseScreen& t) {
         EXPECT_EQ(t.app.form2().List1[3].ListCount(), typesBefore);
         for (int i = 0; i < t.app.form2().List1[3].ListCount(); ++i)
             EXPECT_EQ(t.app.form2().List1[3].List(i).find("Filters"), std::string::npos);
     }},
    {"Preferences",
     {""},
     [](DialogCloseScreen& t) {
         Form2& prefs = t.app.form2();
         prefs.Check19.Value = ui::vbChecked; // a change not saved, undone as Cancel undoes it
         prefs.ShowModal();
     },
     [](DialogCloseScreen& t) {
         Form2& prefs = t.app.form2();
         EXPECT_TRUE(prefs.Loaded()) << "stays loaded until the exit";
         EXPECT_FALSE(prefs.Visible.get());
         EXPECT_EQ(prefs.Check19.Value.get(), ui::vbUnchecked);
     }},
};

} // namespace

TEST_F(DialogCloseScreen, TheWindowManagersCloseIsCancel) {
    test_support::Openbox wm;
    NEED_OPENBOX(wm);
    f.Show();
    f.mnuFileViewMode_Click(3);
    f.Switchit(0);
    ASSERT_TRUE(pump_until([&] { return host.screen_window(f) && host.screen_window(f)->shown(); }, 5));
    const std::string main = std::to_string(fl_xid(host.screen_window(f)));

    for (const Row& row : Rows) {
        SCOPED_TRACE(row.name);
        std::string script = "MAIN=" + main + "\n";
        for (std::size_t i = 0; i < row.typed.size(); ++i) {
            script += WaitForDialog;
            script += row.typed[i];
            // The last showing is closed with the window manager; earlier ones were confirmed.
            if (i + 1 == row.typed.size()) script += CloseByWindowManager;
            script += "for i in $(seq 1 100); do [ \"$(xdotool getactivewindow 2>/dev/null || echo 0)\" = \"$MAIN\" ] "
                      "&& break; sleep 0.05; done\n";
        }
        Driver user(*this, script);
        row.command(*this);
        user.finish();
        row.nothing_done(*this);
        for (ui::Window* w : host.registry().LoadedWindows()) {
            if (w != &f) {
                EXPECT_FALSE(w->Visible.get()) << w->Name() << " still shown";
            }
        }
    }
}
