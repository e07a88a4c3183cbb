// While a modal window is open it keeps every key, shortcut, click and close request: nothing the
// user does reaches the main window behind it, with or without a window manager, however the modal
// window was opened. Checked on disk (the selected file stays), on the windows the program shows
// (no question or window of a main-window command opens) and on the model (the main window stays).
#include "filemanager/fileview.hpp"
#include "filterfactory/conversion.hpp"
#include "filterfactory/names.hpp"
#include "filterfactory/text_source.hpp"
#include "preferences/Form2.hpp"
#include "shell/Form1.hpp"
#include "shell/frmAbout.hpp"
#include "tests/screen/screen_support.hpp"
#include "tests/support/ff_sources.hpp"
#include "tests/support/temp_dir.hpp"

#include "platform/fltk/wm.hpp"
#include "platform/fs/files.hpp"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using namespace vexolan;
using test_support::Driver;

namespace {

struct ModalKeysScreen;

std::vector<std::string> names(const std::filesystem::path& folder) {
    std::vector<std::string> out;
    for (const auto& e : std::filesystem::directory_iterator(folder))
        out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

// One way of reaching the main window while a modal window is open.
struct ModalCase {
    const char* name;
    bool windowManager;
    // Windows of the program that may be on the screen at once (the main window counted).
    int windows;
    // Runs the user's actions (the script and whatever the program does meanwhile).
    std::function<void(ModalKeysScreen&)> act;
    // The batch's sources are converted in the end.
    bool converts = false;
};

void PrintTo(const ModalCase& c, std::ostream* os) {
    *os << c.name;
}

struct ModalKeysScreen : test_support::ScreenTest, ::testing::WithParamInterface<ModalCase> {
    Form1& f = app.form1();
    test_support::TempDir data{"modal_keys"};
    test_support::TempDir out{"modal_keys_out"};
    std::string startFolder = files::CurDir();
    files::FaultScope faults;
    std::filesystem::path kept;
    // The most windows of the program seen on the screen at once, and their captions then.
    int most = 0;
    std::string mostCaptions;
    // A modal window was seen without the keyboard while no menu was open.
    std::string keyboardLost;

    ModalKeysScreen() {
        f.Caption = "Vexolan 1.52 - Light Edition";
        app.form2().Check4.Value = ui::vbChecked; // a conversion writes into the other pane's folder
        app.ExitDraw = [] { return 0.9; };        // no advertisement at exit
        // A Filter Factory settings file: opening it opens a window of the program, no outside program.
        kept = data.write("keep.afs", "%RGB-1.0\r1\r2\r3\r4\r5\r6\r7\r8\r255-r\r\r255-g\r\r255-b\r\ra\r\r");
        Fl::add_check(watch, this);
        Fl::add_timeout(22.0, give_up, this);
    }
    ~ModalKeysScreen() override {
        Fl::remove_check(watch, this);
        Fl::remove_timeout(give_up, this);
        files::ChDir(startFolder);
    }

    // Windows the user's actions left open (a command of the main window that ran where it should
    // not) are closed in the end, so that their loops end and the test reports.
    static void give_up(void* self) {
        auto* t = static_cast<ModalKeysScreen*>(self);
        for (ui::Window* w : t->host.registry().LoadedWindows())
            if (w != &t->f && w->Visible) {
                ADD_FAILURE() << "\"" << w->Caption.get() << "\" was still open";
                w->Hide();
            }
    }

    static void watch(void* self) {
        auto* t = static_cast<ModalKeysScreen*>(self);
        int n = 0;
        std::string captions;
        for (Fl_Window* w = Fl::first_window(); w; w = Fl::next_window(w)) {
            if (w->menu_window() || w->tooltip_window() || !w->visible()) continue;
            ++n;
            captions += std::string(" \"") + (w->label() ? w->label() : "") + "\"";
        }
        if (n > t->most) {
            t->most = n;
            t->mostCaptions = captions;
        }
        // Without a window manager nothing but the program moves the keyboard: the newest modal
        // window of the program must have it whenever the loop waits.
        if (fltk::wm::running() || Fl::grab()) return;
        for (ui::Window* m :
             {static_cast<ui::Window*>(&t->app.form2()), static_cast<ui::Window*>(&t->app.aboutBox())}) {
            Fl_Window* s = t->host.screen_window(*m);
            if (!s || !s->visible() || !m->Visible) continue;
            Fl_Widget* focus = Fl::focus();
            if (!focus || (focus != s && !focus->inside(s))) t->keyboardLost = m->Caption.get();
        }
    }

    // The main window listing the data folder in the left pane's report view, keep.afs selected by a
    // click (done by the script), the other pane on `out`.
    void show_main() {
        f.Left = 40 * 15;
        f.Top = 40 * 15;
        f.Dir1[0].Path = data.path().string();
        f.Dir1[1].Path = out.path().string();
        f.Show();
        f.mnuFileViewMode_Click(3);
        f.Switchit(0);
        FillDirList(app, data.path().string(), 0, false);
        pump_until([&] { return host.screen_window(f) && host.screen_window(f)->visible(); });
        pump_until([] { return false; }, 0.5);
    }
    std::string main_window() { return "id=$(find_window '^Vexolan 1.52')\n"; }
    std::string click_keep() {
        return "xdotool mousemove --window \"$id\" " +
               test_support::report_row_point(host, f.ListView1[0],
                                              test_support::report_row_of(f.ListView1[0], "keep.afs")) +
               " click 1\nsleep 0.3\n";
    }
    // The x of a menu title on the main window's menu bar, as the bar lays its titles out.
    int menu_title_x(std::string_view title) {
        fl_font(FL_HELVETICA, 13);
        int x = 6;
        for (const char* t : {"File", "Edit", "View", "Commands", "Folders", "Apps", "Help"}) {
            if (title == t) return x + 10;
            x += static_cast<int>(fl_width(t)) + 16;
        }
        return x;
    }
    // Opens a menu of the main window with the mouse and clicks the entry `fromBottom` pixels above
    // its lower edge.
    std::string menu_click(std::string_view title, int fromBottom) {
        return "xdotool mousemove --window \"$id\" " + std::to_string(menu_title_x(title)) +
               " 11 click 1\nwait_menu\nxdotool mousemove $((X + 30)) $((Y + HEIGHT - " + std::to_string(fromBottom) +
               ")) click 1\n";
    }
    // Where the window manager draws the main window's close button, on the screen.
    std::string close_button() {
        Fl_Window* w = host.screen_window(f);
        ::Window child = 0;
        int x = 0, y = 0;
        XTranslateCoordinates(fl_display, fl_xid(w), DefaultRootWindow(fl_display), 0, 0, &x, &y, &child);
        fltk::wm::Frame fr = fltk::wm::frame_of(*w).value_or(fltk::wm::Frame{});
        EXPECT_GT(fr.top, 0) << "the window manager gave the main window no title bar";
        return std::to_string(x + w->w() + fr.right - 12) + " " + std::to_string(y - fr.top / 2);
    }
    std::string source_text(int i) {
        ff::FilterRecord r = ff_synth::TwirlRecord();
        r.Title = "Filter " + std::to_string(i);
        r.Filename = "f" + std::to_string(i) + ".8bf";
        return ff::TextSourceBytes(r, nullptr);
    }
};

// Without a window manager: Preferences opened from the File menu with the mouse, the pointer on it.
void preferences_keys(ModalKeysScreen& t, const char* keys) {
    Driver user(t, t.main_window() + t.click_keep() + t.menu_click("File", 36) + R"(
        p=$(find_window '^Preferences$')
        xdotool mousemove --window "$p" 280 200
        sleep 0.3
        )" + keys + R"(
        sleep 0.5
        shoot "$p" modal_keys_preferences
        xdotool mousemove --window "$p" )" +
                       test_support::middle_of(t.app.form2().Command8) +
                       R"( click 1
        gone '^Preferences$'
    )");
    user.finish();
}

const ModalCase Cases[] = {
    {"PreferencesByMouseKeepsShiftDeleteAndReturn", false, 2,
     [](ModalKeysScreen& t) { preferences_keys(t, "xdotool key shift+Delete\nsleep 0.5\nxdotool key Return"); }},
    {"PreferencesByMouseKeepsDeleteAndReturn", false, 2,
     [](ModalKeysScreen& t) { preferences_keys(t, "xdotool key Delete\nsleep 0.5\nxdotool key Return"); }},
    {"AboutByMouseKeepsReturn", false, 2,
     [](ModalKeysScreen& t) {
         // Return presses the About box's OK: the box closes, and nothing else happens.
         Driver user(t, t.main_window() + t.click_keep() + t.menu_click("Help", 14) + R"(
             a=$(find_window '^About Vexolan$')
             xdotool mousemove --window "$a" 100 100
             sleep 0.3
             xdotool key Return
             gone '^About Vexolan$'
         )");
         user.finish();
     }},
    {"QuestionKeepsShortcutsWithThePointerOverTheMainWindow", true, 2,
     [](ModalKeysScreen& t) {
         // Delete asks before the file goes to the trash; the pointer stays on the main window.
         Driver user(t, t.main_window() + t.click_keep() + R"(
             xdotool key Delete
             q=$(find_window '^Delete File$')
             sleep 0.3
             xdotool key shift+F7
             sleep 0.3
             xdotool key F12
             sleep 0.3
             xdotool key shift+Delete
             sleep 0.3
             xdotool key F1
             sleep 0.3
             xdotool key F1
             sleep 0.5
             shoot "$q" modal_keys_question
             xdotool key Tab Return
             gone '^Delete File$'
         )");
         user.finish();
     }},
    {"CloseBoxOfTheMainWindowWaitsForTheOverwritePrompt", true, 2,
     [](ModalKeysScreen& t) {
         for (int i = 1; i <= 3; ++i)
             t.data.write("f" + std::to_string(i) + ".txt", t.source_text(i));
         t.out.write("f1.txt", "older");
         FillDirList(t.app, t.data.path().string(), 0, false);
         auto& items = t.f.ListView1[0].ListItems;
         for (int i = 1; i <= items.Count(); ++i)
             items(i).Selected = items(i).Text.get().starts_with("f");
         Driver user(t, t.main_window() + R"(
             o=$(find_window '^Overwrite$')
             sleep 0.3
             xdotool mousemove )" +
                            t.close_button() + R"( click 1
             sleep 0.8
             o=$(find_window '^Overwrite$')
             focus "$o"
             xdotool key Return
             gone '^Overwrite$'
         )");
         cmd_Convert(t.app, ff::DestText);
         user.finish();
     },
     true},
    {"CloseBoxOfTheMainWindowWaitsForPreferences", true, 2,
     [](ModalKeysScreen& t) {
         Driver user(t, t.main_window() + R"(
             p=$(find_window '^Preferences$')
             sleep 0.3
             xdotool mousemove )" +
                            t.close_button() + R"( click 1
             sleep 0.8
             p=$(find_window '^Preferences$')
             xdotool mousemove --window "$p" )" +
                            test_support::middle_of(t.app.form2().Command8) +
                            R"( click 1
             gone '^Preferences$'
         )");
         t.f.mnuOptions_Click();
         user.finish();
     }},
};

} // namespace

TEST_P(ModalKeysScreen, NothingReachesTheMainWindow) {
    const ModalCase& c = GetParam();
    std::unique_ptr<test_support::Openbox> box;
    if (c.windowManager) {
        box = std::make_unique<test_support::Openbox>();
        NEED_OPENBOX(*box);
    }
    show_main();
    ASSERT_NE(test_support::report_row_of(f.ListView1[0], "keep.afs"), 0);
    c.act(*this);
    pump_until([] { return false; }, 0.3);

    EXPECT_TRUE(std::filesystem::exists(kept)) << "the selected file went";
    EXPECT_LE(most, c.windows) << "windows open at once:" << mostCaptions;
    EXPECT_EQ(keyboardLost, "") << "a window behind the modal window had the keyboard";
    EXPECT_TRUE(f.Loaded() && f.Visible) << "the main window closed";
    EXPECT_TRUE(host.screen_window(f) && host.screen_window(f)->visible());
    // Nothing was made, moved or erased: the folders hold what the case put there, and a batch's output.
    std::vector<std::string> sources{"keep.afs"}, outputs;
    if (c.converts) {
        sources = {"f1.txt", "f2.txt", "f3.txt", "keep.afs"};
        outputs = {"f1.txt", "f2.txt", "f3.txt"};
    }
    EXPECT_EQ(names(data.path()), sources);
    EXPECT_EQ(names(out.path()), outputs);
    if (c.converts)
        for (int i = 1; i <= 3; ++i) {
            const std::string name = "f" + std::to_string(i) + ".txt";
            EXPECT_EQ(test_support::read_file(out / name), source_text(i)) << name;
        }
}

INSTANTIATE_TEST_SUITE_P(Rows, ModalKeysScreen, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<ModalCase>& info) { return std::string(info.param.name); });
