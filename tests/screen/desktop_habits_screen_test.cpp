// Habits every desktop user has, checked on a real screen with the main window: Escape is an
// ordinary key there; Escape held during a conversion stops it after the current file while the
// status line keeps repainting; a long report list has a scroll bar that scrolls when dragged; a
// right-click selects the row under the pointer before the pop-up; and every dialog opens over the
// main window wherever that window stands.
#include "filemanager/OverwriteCheck.hpp"
#include "filemanager/SelectFolder.hpp"
#include "filemanager/fileview.hpp"
#include "filemanager/selection.hpp"
#include "filterfactory/Convert.hpp"
#include "filterfactory/conversion.hpp"
#include "filterfactory/text_source.hpp"
#include "preferences/Form2.hpp"
#include "shell/Form1.hpp"
#include "shell/frmTip.hpp"
#include "tests/screen/screen_support.hpp"
#include "tests/support/ff_sources.hpp"
#include "tests/support/temp_dir.hpp"

#include "platform/fltk/WindowView.hpp"
#include "platform/fs/files.hpp"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

using namespace vexolan;
using test_support::Driver;

namespace {

std::string quoted(const std::filesystem::path& p) {
    return "'" + p.string() + "'";
}

struct DesktopHabits : test_support::ScreenTest {
    Form1& f = app.form1();
    test_support::TempDir data{"habits"};
    test_support::TempDir out{"habits_out"};
    std::string startFolder = files::CurDir();
    files::FaultScope faults;

    DesktopHabits() {
        f.Caption = "Vexolan 1.52 - Light Edition";
        app.form2().Check4.Value = ui::vbUnchecked;
    }
    ~DesktopHabits() override { files::ChDir(startFolder); }

    // The main window at `left`, `top` (pixels), its left pane listing `folder` in the report view.
    void show_main(const std::filesystem::path& folder, int left = 40, int top = 30) {
        f.Left = left * 15;
        f.Top = top * 15;
        f.Dir1[0].Path = folder.string();
        f.Dir1[1].Path = out.path().string();
        f.Show();
        f.mnuFileViewMode_Click(3);
        f.Switchit(0);
        FillDirList(app, folder.string(), 0, false);
        pump_until([] { return false; }, 0.2);
    }
    ui::ListView& list() { return f.ListView1[0]; }
    std::set<int> selected_rows() {
        std::set<int> rows;
        for (int i = 1; i <= list().ListItems.Count(); ++i)
            if (list().ListItems(i).Selected) rows.insert(i);
        return rows;
    }
    int focused_row() {
        for (int i = 1; i <= list().ListItems.Count(); ++i)
            if (&list().ListItems(i) == list().SelectedItem()) return i;
        return 0;
    }
    bool main_on_screen() {
        Fl_Window* w = host.screen_window(f);
        return f.Loaded() && f.Visible && w && w->shown() && w->visible();
    }
    // Filter sources the converter reads, named f00.txt, f01.txt, ...
    void write_sources(int count) {
        for (int k = 0; k < count; ++k) {
            ff::FilterRecord r = ff_synth::TwirlRecord();
            std::string name = (k < 10 ? "f0" : "f") + std::to_string(k);
            r.Filename = name + ".8bf";
            r.Title = name;
            data.write(name + ".txt", ff::TextSourceBytes(r, nullptr));
        }
    }
    int files_in(const std::filesystem::path& folder) {
        int n = 0;
        for (auto& e : std::filesystem::directory_iterator(folder))
            n += e.path().extension() == ".txt";
        return n;
    }
};

} // namespace

TEST_F(DesktopHabits, EscapeInTheMainWindowLeavesItOpen) {
    data.write("one.8bf", "x");
    data.write("two.8bf", "x");
    data.write("three.8bf", "x");
    show_main(data.path());
    // Every Escape the list gets reaches the model as an ordinary key, and the pane's own key
    // handling.
    int escapes = 0;
    list().KeyDown = [&](int& KeyCode, int& Shift) {
        escapes += KeyCode == ui::vbKeyEscape;
        ListView1_KeyDown(app, 0, KeyCode, Shift);
    };
    app.tipWindow().Show();
    const int row = test_support::report_row_of(list(), "two.8bf");
    ASSERT_GT(row, 0);
    Driver user(*this, R"(
        id=$(find_window '^Vexolan 1.52')
        tip=$(find_window '^Tip of the Day$')
        focus "$tip"
        xdotool key Escape
        gone '^Tip of the Day$'
        focus "$id"
        xdotool mousemove --window "$id" )" + test_support::report_row_point(host, list(), row) +
                           R"( click 1
        sleep 0.3
        xdotool key Escape
        sleep 0.3
        xdotool mousemove --window "$id" 300 300 key Escape
        sleep 0.5
        xdotool search --onlyvisible --name '^Vexolan 1.52' >/dev/null
        shoot "$id" escape_main_window
    )");
    user.finish();
    EXPECT_FALSE(app.tipWindow().Visible.get()) << "Escape did not close the Tip of the Day";
    EXPECT_TRUE(main_on_screen()) << "Escape closed the main window";
    EXPECT_EQ(selected_rows(), std::set<int>{row});
    EXPECT_EQ(escapes, 2);
    // The run loop of the program goes on as long as a window is shown.
    EXPECT_TRUE(Fl::first_window());
}

TEST_F(DesktopHabits, EscapeHeldDuringAConversionStopsItAfterTheCurrentFileAndTheStatusRepaints) {
    constexpr int Files = 24;
    write_sources(Files);
    app.form2().Check4.Value = ui::vbChecked; // no Select Folder dialog: the batch starts at once
    show_main(data.path());
    for (int i = 1; i <= list().ListItems.Count(); ++i)
        if (list().ListItems(i).Text.get().ends_with(".txt")) list().ListItems(i).Selected = true;
    // Every file written takes 400 ms longer: the batch would last about ten seconds, and Escape,
    // held for 200 ms, is down for less than one file.
    files::inject_delay(files::Op::Write, out.path(), 400);
    // The status label's upper part (the progress bar runs along its bottom third), in pixels of
    // the window.
    const int lx = f.Label3.Left / 15, ly = f.Label3.Top / 15 + host.MenuHeight();
    const int lw = f.Label3.Width / 15, lh = f.Label3.Height * 2 / 3 / 15;
    const std::string crop = std::to_string(lw) + "x" + std::to_string(lh) + "+" + std::to_string(lx) + "+" +
                             std::to_string(ly);
    const auto hashes = root / "status_hashes.txt", counts = root / "counts.txt";
    // Escape goes down just after a file was written, so it is up again well before the next one
    // ends: only a press remembered until the conversion looks stops it there.
    Driver user(*this, R"sh(
        count() { ls )sh" + quoted(out.path()) + R"sh( | grep -c '\.txt$' || true; }
        id=$(find_window '^Vexolan 1.52')
        focus "$id"
        for i in $(seq 1 100); do
            [ "$(count)" -ge 1 ] && break
            sleep 0.05
        done
        for k in 1 2 3 4 5 6; do
            import -window "$id" "$SHOTS/conversion_status_$k.png"
            convert "$SHOTS/conversion_status_$k.png" -crop )sh" +
                           crop + R"sh( +repage -format '%#\n' info: >> )sh" + quoted(hashes) + R"sh(
            sleep 0.3
        done
        before=$(count)
        while [ "$(count)" = "$before" ]; do sleep 0.02; done
        xdotool keydown Escape
        sleep 0.2
        xdotool keyup Escape
        count >> )sh" + quoted(counts) + R"sh(
    )sh");
    cmd_Convert(app, 5);
    const int written = files_in(out.path());
    user.finish();
    pump_until([] { return false; }, 0.5);

    // At least three different status texts were on the screen while the batch ran.
    std::ifstream in(hashes);
    std::set<std::string> texts;
    int shots = 0;
    for (std::string line; std::getline(in, line); ++shots)
        texts.insert(line);
    EXPECT_EQ(shots, 6);
    EXPECT_GE(texts.size(), 3u) << "the status line did not repaint during the conversion";
    // The batch ended after the file it was writing when Escape went down.
    const auto afterKeyUp = test_support::read_numbers(counts);
    ASSERT_EQ(afterKeyUp.size(), 1u);
    EXPECT_LT(written, Files) << "Escape did not stop the conversion";
    EXPECT_GE(written, afterKeyUp[0]);
    EXPECT_LE(written, afterKeyUp[0] + 1) << "the conversion went on after the file it was writing";
    EXPECT_TRUE(main_on_screen()) << "Escape closed the main window";
    EXPECT_TRUE(f.Enabled.get());
}

TEST_F(DesktopHabits, ALongReportListHasAScrollBarThatScrollsWhenDragged) {
    for (int k = 0; k < 3000; ++k)
        data.write("file" + std::to_string(10000 + k) + ".dat", "");
    show_main(data.path());
    ASSERT_GE(list().ListItems.Count(), 3000);
    ASSERT_EQ(list().TopIndex.get(), 0);
    fltk::WindowView* view = host.view_of(f);
    ASSERT_TRUE(view);
    Fl_Widget* bar = view->scroll_bar(list(), true);
    Fl_Widget* box = host.widget(list());
    ASSERT_TRUE(bar) << "a list of 3000 rows has no vertical scroll bar";
    ASSERT_TRUE(box);
    EXPECT_TRUE(bar->visible_r());
    // Along the list's right edge, over most of its height.
    EXPECT_NEAR(bar->x() + bar->w(), box->x() + box->w(), 4);
    EXPECT_GT(bar->h(), box->h() / 2);
    EXPECT_GE(bar->y(), box->y());
    // The thumb lies just below the bar's upper arrow; dragged 120 pixels down, the list follows.
    const int x = bar->x() + bar->w() / 2, y = bar->y() + bar->w() + 3;
    Driver user(*this, R"(
        id=$(find_window '^Vexolan 1.52')
        focus "$id"
        shoot "$id" scroll_bar_top
        xdotool mousemove --window "$id" )" + std::to_string(x) + " " + std::to_string(y) +
                           R"( mousedown 1
        for step in 1 2 3 4 5 6; do
            xdotool mousemove_relative 0 20
            sleep 0.05
        done
        xdotool mouseup 1
        sleep 0.3
        shoot "$id" scroll_bar_dragged
    )");
    user.finish();
    const int top = list().TopIndex.get();
    EXPECT_GT(top, 300) << "dragging the scroll bar's thumb did not scroll the list";
    EXPECT_LT(top, 3000);
    // The row the user now sees first is the one under the header.
    const std::string first = list().ListItems(top + 1).Text.get();
    EXPECT_EQ(list().HitTest(40 * 15, static_cast<float>((list().HeaderHeightPixels() + 2) * 15))->Text.get(), first);
}

TEST_F(DesktopHabits, ARightClickSelectsTheRowUnderThePointerBeforeThePopUp) {
    for (const char* name : {"a.8bf", "b.8bf", "c.8bf", "d.8bf", "e.8bf"})
        data.write(name, "x");
    show_main(data.path());
    const int a = test_support::report_row_of(list(), "a.8bf"), b = test_support::report_row_of(list(), "b.8bf"),
              d = test_support::report_row_of(list(), "d.8bf");
    ASSERT_GT(a * b * d, 0);
    struct Case {
        std::set<int> before;
        int clicked;
        std::set<int> expected;
        int focused;
    };
    // An unselected row becomes the only selected and the focused one; a click on a row of the
    // selection keeps it whole.
    const std::vector<Case> cases = {
        {{a, b}, d, {d}, d},
        {{a, b}, b, {a, b}, b},
        {{}, a, {a}, a},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("right-click on row " + std::to_string(c.clicked));
        for (int i = 1; i <= list().ListItems.Count(); ++i)
            list().ListItems(i).Selected = c.before.count(i) > 0;
        if (!c.before.empty()) list().SetSelectedItem(&list().ListItems(*c.before.rbegin()));
        for (int i : c.before)
            list().ListItems(i).Selected = true;
        // What the list holds the moment the pop-up menu is on the screen.
        struct Seen {
            DesktopHabits* test;
            bool menu = false;
            std::set<int> rows{};
            int focused = 0;
        } seen{this};
        auto watch = [](void* v) {
            auto* s = static_cast<Seen*>(v);
            if (s->menu) return;
            for (Fl_Window* w = Fl::first_window(); w; w = Fl::next_window(w))
                if (w->menu_window() && w->shown()) {
                    s->menu = true;
                    s->rows = s->test->selected_rows();
                    s->focused = s->test->focused_row();
                }
        };
        Fl::add_check(watch, &seen);
        Driver user(*this, R"(
            id=$(find_window '^Vexolan 1.52')
            focus "$id"
            xdotool mousemove --window "$id" )" + test_support::report_row_point(host, list(), c.clicked) +
                               R"( click 3
            sleep 0.6
            xdotool key Escape
            sleep 0.3
        )");
        user.finish();
        Fl::remove_check(watch, &seen);
        EXPECT_TRUE(seen.menu) << "no pop-up menu";
        EXPECT_EQ(seen.rows, c.expected);
        EXPECT_EQ(seen.focused, c.focused);
        EXPECT_TRUE(main_on_screen());
    }
}

TEST_F(DesktopHabits, DialogsOpenCentredOverTheMainWindow) {
    data.write("one.8bf", "x");
    show_main(data.path(), 420, 260);
    struct Case {
        const char* name;
        const char* caption; // a regular expression for xdotool
        std::function<void()> open;
        std::function<void()> close;
        bool framed;     // the desktop draws a frame and caption around it
        int moveTo = -1; // moves the main window to (moveTo, moveTo) before the dialog opens
    };
    auto framed = [](ui::Window& w) { return w.BorderStyle != ui::vbBSNone; };
    // Windows that are not the model's are closed by hiding them: their loops end when they go.
    auto hide_others = [this] {
        for (Fl_Window* w = Fl::first_window(); w; w = Fl::next_window(w))
            if (w != host.screen_window(f) && w->shown()) {
                w->hide();
                return;
            }
    };
    auto modal = [](ui::Window& w) { return [&w] { w.ShowModal(); }; };
    auto hide = [](ui::Window& w) { return [&w] { w.Hide(); }; };
    const std::vector<Case> cases = {
        {"Convert", "^Convert$", modal(app.convertDialog()), hide(app.convertDialog()),
         framed(app.convertDialog())},
        {"Select Folder", "^Select Folder$", modal(app.selectFolder()), hide(app.selectFolder()),
         framed(app.selectFolder())},
        {"overwrite prompt", "^Overwrite$", modal(app.overwrite()), hide(app.overwrite()),
         framed(app.overwrite())},
        {"Preferences", "^Preferences$", modal(app.form2()), hide(app.form2()), framed(app.form2())},
        {"message box", "^Vexolan - Placement$",
         [this] { host.MsgBox("Where does this open?", ui::vbOKOnly, "Vexolan - Placement"); }, hide_others,
         true},
        {"folder chooser", "^Vexolan - Choose a folder$",
         [this] { host.BrowseForFolder("Vexolan - Choose a folder", data.path().string()); }, hide_others,
         true},
        // Opened again after the main window moved: it follows the window.
        {"Convert after the main window moved", "^Convert$", modal(app.convertDialog()),
         hide(app.convertDialog()), framed(app.convertDialog()), 150},
    };
    int k = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.moveTo >= 0) {
            f.Left = c.moveTo * 15;
            f.Top = c.moveTo * 15;
            pump_until([] { return false; }, 0.5);
        }
        const auto file = root / ("placement" + std::to_string(++k) + ".txt");
        Driver user(*this, R"(
            main=$(find_window '^Vexolan 1.52')
            dlg=$(find_window ')" + std::string(c.caption) +
                               R"(')
            sleep 0.3
            geometry "$main" )" + quoted(file) + R"(
            geometry "$dlg" )" + quoted(file) + R"(
        )");
        // The dialog closes once the script has seen it.
        struct Closer {
            Driver* user;
            const std::function<void()>* close;
            bool done = false;
            Fl_Timeout_Handler tick = nullptr;
        } closer{&user, &c.close};
        // A timer, not a check: the modal loop sleeps until something happens.
        auto tick = [](void* v) {
            auto* s = static_cast<Closer*>(v);
            if (s->user->running()) {
                Fl::repeat_timeout(0.05, s->tick, v);
                return;
            }
            s->done = true;
            (*s->close)();
        };
        closer.tick = tick;
        Fl::add_timeout(0.05, tick, &closer);
        c.open();
        Fl::remove_timeout(tick, &closer);
        user.finish();
        const std::vector<int> g = test_support::read_numbers(file);
        ASSERT_EQ(g.size(), 8u);
        // Without a window manager xdotool reports the client areas; the frame the desktop draws
        // around a framed window (which the model's size and place count) moves its centre up by
        // half the caption.
        const int caption = host.CaptionHeight();
        const int mainX = g[0] + g[2] / 2, mainY = g[1] + g[3] / 2 - caption / 2;
        const int dlgX = g[4] + g[6] / 2, dlgY = g[5] + g[7] / 2 - (c.framed ? caption / 2 : 0);
        EXPECT_NEAR(dlgX, mainX, 8) << "main window " << g[0] << "," << g[1] << " " << g[2] << "x" << g[3]
                                    << "; dialog " << g[4] << "," << g[5] << " " << g[6] << "x" << g[7];
        EXPECT_NEAR(dlgY, mainY, 8) << "main window " << g[0] << "," << g[1] << " " << g[2] << "x" << g[3]
                                    << "; dialog " << g[4] << "," << g[5] << " " << g[6] << "x" << g[7];
    }
}
