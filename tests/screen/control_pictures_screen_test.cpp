// Controls that must draw what they stand for, on a real display: the pane buttons' pictures, the
// scaled logo, the sort mark of a report list's column, a check-box list's boxes, scroll bars that
// stay after a wheel turn, the view-mode menu at its button, the Help menu's line after a submenu,
// the width roll-up of the windows whose bar is on the left, and a picture editor that stays within
// the screen. Checked on the model, on X geometry and on the pixels the windows show.
#include "filemanager/SelectFolder.hpp"
#include "imaging/PicView.hpp"
#include "imaging/handles.hpp"
#include "imaging/preview.hpp"
#include "platform/imgman/images.hpp"
#include "preferences/Form2.hpp"
#include "shell/Form1.hpp"
#include "shell/Form3.hpp"
#include "tests/screen/screen_support.hpp"
#include "tests/support/pictures.hpp"
#include "tests/support/temp_dir.hpp"

#include "platform/fltk/WindowView.hpp"
#include "platform/fs/files.hpp"

#include <FL/Fl.H>
#include <FL/Fl_Menu_Item.H>
#include <FL/Fl_Menu_Window.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>

#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>

using namespace vexolan;
using test_support::Driver;

namespace {

// The pixels of a rectangle of a window's client area as the screen shows them, RGB.
struct Pixels {
    int w = 0, h = 0;
    std::vector<unsigned char> rgb;
    unsigned char at(int x, int y, int channel) const {
        return rgb[(static_cast<std::size_t>(y) * w + x) * 3 + channel];
    }
    // Pixels whose colour is further than `distance` (per channel) from (r, g, b).
    int unlike(int r, int g, int b, int distance) const {
        int n = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (std::abs(at(x, y, 0) - r) > distance || std::abs(at(x, y, 1) - g) > distance ||
                    std::abs(at(x, y, 2) - b) > distance)
                    ++n;
        return n;
    }
    int darker_than(int level) const {
        int n = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (at(x, y, 0) < level && at(x, y, 1) < level && at(x, y, 2) < level) ++n;
        return n;
    }
    bool operator==(const Pixels& o) const { return w == o.w && h == o.h && rgb == o.rgb; }
};

struct ControlPictures : test_support::ScreenTest {
    Form1& f = app.form1();
    test_support::TempDir data{"pictures"};
    std::string startFolder = files::CurDir();

    ControlPictures() { f.Caption = "Vexolan 1.52 - Light Edition"; }
    ~ControlPictures() override { files::ChDir(startFolder); }
    // No picture stays open for the next test.
    void TearDown() override {
        app.host.registry().UnloadAll();
        CloseImg(app, app.PreviewImage);
        CloseImg(app, app.PicImage);
        EXPECT_EQ(imgman::live_handle_count(), 0);
    }

    // Lets the screen draw what the model changed.
    void settle(double seconds = 0.3) { pump_until([] { return false; }, seconds); }
    Pixels read(ui::Window& window, int x, int y, int w, int h) {
        settle();
        Pixels p;
        Fl_Window* win = host.screen_window(window);
        if (!win || !win->shown()) {
            ADD_FAILURE() << window.Name() << " is not on the screen";
            return p;
        }
        win->make_current();
        unsigned char* rgb = fl_read_image(nullptr, x, y, w, h);
        if (!rgb) return p;
        p.w = w;
        p.h = h;
        p.rgb.assign(rgb, rgb + static_cast<std::size_t>(w) * h * 3);
        delete[] rgb;
        return p;
    }
    Pixels read(ui::Window& window, ui::Control& c) {
        Fl_Widget* w = host.widget(c);
        if (!w) {
            ADD_FAILURE() << c.Name() << " has no widget";
            return {};
        }
        return read(window, w->x(), w->y(), w->w(), w->h());
    }
    std::string at(ui::Control& c, int dx, int dy) {
        Fl_Widget* w = host.widget(c);
        return std::to_string(w->x() + dx) + " " + std::to_string(w->y() + dy);
    }
    void show_shown(ui::Window& w) {
        w.Show();
        ASSERT_TRUE(pump_until([&] { return host.screen_window(w) && host.screen_window(w)->shown(); }, 5));
        settle(0.5);
    }
    void files_in_report_view() {
        for (const char* name : {"b.8bf", "a.txt", "c.afs"})
            data.write(name, std::string(std::string_view(name).size() * 100, 'x'));
        for (int p = 0; p < 2; ++p) {
            f.Combo1[p].AddItem("All Files (*.*)");
            f.Combo1[p].ListIndex = 0;
            f.Dir1[p].Path = data.path().string();
        }
        show_shown(f);
        f.mnuFileViewMode_Click(3);
        f.Switchit(0);
        settle();
    }
};

// The corner of the first menu window on the screen, recorded while it is open.
struct MenuWatch {
    int x = -1, y = -1;
    static void look(void* data) {
        auto* m = static_cast<MenuWatch*>(data);
        for (Fl_Window* w = Fl::first_window(); w; w = Fl::next_window(w))
            if (dynamic_cast<Fl_Menu_Window*>(w) && w->shown() && w->h() > 40 && m->x < 0) {
                m->x = w->x_root();
                m->y = w->y_root();
            }
        Fl::repeat_timeout(0.05, look, data);
    }
};

} // namespace

TEST_F(ControlPictures, PaneButtonsShowPicturesOfTheirOwn) {
    show_shown(f);
    const Pixels view = read(f, f.Image2[0]), folders = read(f, f.Image5[0]), sync = read(f, f.Image4[0]);
    // Each shows a picture on the button face (236, 233, 226), and each a different one.
    for (const Pixels* p : {&view, &folders, &sync})
        EXPECT_GT(p->unlike(236, 233, 226, 40), 30);
    EXPECT_FALSE(view == folders);
    EXPECT_FALSE(view == sync);
    EXPECT_FALSE(folders == sync);
}

TEST_F(ControlPictures, TheLogoButtonShowsTheWholeLogoAtThirtyTwoPixels) {
    f.GetIcons();
    show_shown(f);
    ASSERT_EQ(host.widget(f.Image1)->w(), 32);
    // The whole logo carries its white "V" in the middle; its top-left corner alone has none.
    const Pixels logo = read(f, f.Image1);
    int white = 0;
    for (int y = 8; y < 26; ++y)
        for (int x = 8; x < 24; ++x)
            if (logo.at(x, y, 0) > 245 && logo.at(x, y, 1) > 245 && logo.at(x, y, 2) > 245) ++white;
    EXPECT_GT(white, 15);
}

TEST_F(ControlPictures, TheViewModeMenuOpensAtItsButton) {
    show_shown(f);
    MenuWatch menu;
    Fl::add_timeout(0.05, MenuWatch::look, &menu);
    Driver user(*this, "id=$(find_window '^Vexolan 1.52')\nxdotool mousemove --window \"$id\" " +
                           at(f.Image2[1], 9, 9) + " click 1\nsleep 0.8\nxdotool key Escape\nsleep 0.3\n");
    user.finish();
    Fl::remove_timeout(MenuWatch::look, &menu);
    Fl_Widget* button = host.widget(f.Image2[1]);
    Fl_Window* win = host.screen_window(f);
    ASSERT_GE(menu.x, 0) << "no menu opened";
    // The menu's corner is the button's bottom-right corner (the right pane's button, far from the left).
    EXPECT_NEAR(menu.x, win->x_root() + button->x() + button->w(), 3);
    EXPECT_NEAR(menu.y, win->y_root() + button->y() + button->h(), 3);
}

TEST_F(ControlPictures, TheHelpMenuKeepsItsLineAfterTheEmailSubmenu) {
    std::vector<Fl_Menu_Item> items;
    std::deque<std::string> labels;
    fltk::WindowView::build_menu_items(f.mnuHelp1.Items(), items, labels, false);
    const Fl_Menu_Item* email = nullptr;
    for (const Fl_Menu_Item& item : items)
        if (item.text && std::string(item.text) == "Send Email") email = &item;
    ASSERT_NE(email, nullptr);
    EXPECT_TRUE(email->flags & FL_SUBMENU);
    EXPECT_TRUE(email->flags & FL_MENU_DIVIDER);
    // The end mark of the submenu's entries carries nothing.
    for (std::size_t i = 0; i < items.size(); ++i)
        if (!items[i].text) {
            EXPECT_EQ(items[i].flags, 0) << i;
        }
}

TEST_F(ControlPictures, TheSortedColumnShowsItsMarkWhichTurnsOverWithTheSort) {
    files_in_report_view();
    ui::ListView& list = f.ListView1[0];
    Fl_Widget* w = host.widget(list);
    const int header = list.HeaderHeightPixels();
    const int nameWidth = list.ColumnHeaders(1).Width / 15, sizeWidth = list.ColumnHeaders(2).Width / 15;
    // The right end of the Size column's title, where its mark goes.
    auto size_mark = [&] { return read(f, w->x() + 2 + nameWidth + sizeWidth - 14, w->y() + 3, 13, header - 2); };
    auto name_mark = [&] { return read(f, w->x() + 2 + nameWidth - 14, w->y() + 3, 13, header - 2); };
    EXPECT_EQ(size_mark().darker_than(130), 0);
    Driver user(*this, "id=$(find_window '^Vexolan 1.52')\nxdotool mousemove --window \"$id\" " +
                           std::to_string(w->x() + 2 + nameWidth + 10) + " " + std::to_string(w->y() + 2 + header / 2) +
                           " click 1\nsleep 0.4\n");
    user.finish();
    const int first = list.ColumnHeaders(2).Icon;
    ASSERT_TRUE(first == 11 || first == 12);
    const Pixels one = size_mark();
    EXPECT_GT(one.darker_than(130), 6);
    EXPECT_EQ(name_mark().darker_than(130), 0);
    list.user_click_column(2);
    ASSERT_EQ(list.ColumnHeaders(2).Icon, first == 11 ? 12 : 11);
    const Pixels other = size_mark();
    EXPECT_GT(other.darker_than(130), 6);
    EXPECT_FALSE(one == other);
}

TEST_F(ControlPictures, ListScrollBarsStayAfterAWheelTurnAndKeysThatMoveNothing) {
    Form2& prefs = app.form2();
    prefs.Command8_Click();
    for (int i = 0; i < 40; ++i)
        prefs.List1[0].AddItem("/home/anna/folder " + std::to_string(i) + "/");
    show_shown(prefs);
    prefs.SSTab1.user_select_tab(4);
    settle();
    Fl_Widget* bar = host.view_of(prefs)->scroll_bar(prefs.List1[0], true);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(prefs.List1[0].TopIndex.get(), 0);
    // The list's background is white; a bar drawn over shows its grey arrows and trough.
    auto bar_pixels = [&] { return read(prefs, bar->x(), bar->y(), bar->w(), bar->h()); };
    const int drawn = bar_pixels().unlike(255, 255, 255, 10);
    ASSERT_GT(drawn, bar->w() * bar->h() / 2);
    // At the top already: the wheel up and the Up key move nothing, and the list redraws alone.
    Driver user(*this, "id=$(find_window '^Preferences$')\nxdotool mousemove --window \"$id\" " +
                           at(prefs.List1[0], 40, 20) + " click 1 click 4 click 4\nsleep 0.3\nxdotool key Up Home\nsleep 0.4\n");
    user.finish();
    EXPECT_EQ(prefs.List1[0].TopIndex.get(), 0);
    EXPECT_GT(bar_pixels().unlike(255, 255, 255, 10), bar->w() * bar->h() / 2);
}

TEST_F(ControlPictures, CheckListDrawsBoxesAndOnlyTheBoxOrSpaceTurnsACheck) {
    Form2& prefs = app.form2();
    prefs.Command8_Click();
    ui::ListBox& types = prefs.List1[3];
    if (types.ListCount() < 2) {
        types.AddItem("trueSpace Plugin (tsx|1)");
        types.AddItem("Other Plugin (oth|1)");
    }
    types.Selected(0) = true;
    types.Selected(1) = false;
    show_shown(prefs);
    prefs.SSTab1.user_select_tab(7);
    settle();
    Fl_Widget* w = host.widget(types);
    const int row = types.ItemHeightPixels();
    // The box of row 0 holds a mark; the box of row 1 is empty, its inside white.
    const Pixels checked = read(prefs, w->x() + 4, w->y() + 2 + (row - 11) / 2, 11, 11);
    const Pixels empty = read(prefs, w->x() + 4, w->y() + 2 + row + (row - 11) / 2, 11, 11);
    EXPECT_GT(checked.darker_than(100), empty.darker_than(100) + 5);
    EXPECT_EQ(empty.at(5, 5, 0), 255);

    auto row_point = [&](int r, int x) { return at(types, x, 2 + r * row + row / 2); };
    Driver text(*this, "id=$(find_window '^Preferences$')\nshoot \"$id\" check_list\nxdotool mousemove --window \"$id\" " + row_point(1, 60) +
                           " click 1\nsleep 0.4\n");
    text.finish();
    EXPECT_EQ(types.ListIndex.get(), 1);
    EXPECT_FALSE(types.IsSelected(1)) << "a click on the text turned the check";
    EXPECT_TRUE(types.IsSelected(0));

    Driver box(*this, "id=$(find_window '^Preferences$')\nxdotool mousemove --window \"$id\" " + row_point(0, 9) +
                          " click 1\nsleep 0.4\n");
    box.finish();
    EXPECT_EQ(types.ListIndex.get(), 0);
    EXPECT_FALSE(types.IsSelected(0));

    Driver space(*this, "id=$(find_window '^Preferences$')\nfocus \"$id\"\nxdotool key space\nsleep 0.4\n");
    space.finish();
    EXPECT_TRUE(types.IsSelected(0));
    EXPECT_FALSE(types.IsSelected(1));
}

TEST_F(ControlPictures, WindowsWithTheirBarOnTheLeftRollUpTheirWidth) {
    Form2& prefs = app.form2();
    prefs.Command8_Click();
    SelectFolder& folder = app.selectFolder();
    struct Case {
        ui::Window& window;
        const char* caption;
    };
    for (Case c : {Case{prefs, "^Preferences$"}, Case{folder, "^Select Folder"}}) {
        show_shown(c.window);
        Fl_Window* win = host.screen_window(c.window);
        const int height = win->h();
        Driver user(*this, std::string("id=$(find_window '") + c.caption +
                               "')\nxdotool mousemove --window \"$id\" 10 " + std::to_string(height / 2) +
                               " click --repeat 2 --delay 80 1\nsleep 0.5\n");
        user.finish();
        EXPECT_EQ(c.window.Width.get(), 336) << c.caption;
        EXPECT_EQ(win->w(), 336 / 15) << c.caption;
        EXPECT_EQ(win->h(), height) << c.caption;
        c.window.Hide();
        settle();
    }
}

TEST_F(ControlPictures, APictureLargerThanTheScreenKeepsTheEditorOnItAndScrolls) {
    const std::string big = data.write("big.bmp", test_support::bmp_file(1700, 1300, 24)).string();
    int loaded = 0;
    LoadintoPicView(app, big, loaded);
    PicView& editor = app.picView();
    ASSERT_TRUE(pump_until([&] { return host.screen_window(editor) && host.screen_window(editor)->shown(); }, 5));
    settle(0.5);
    EXPECT_LE(editor.Width.get(), host.ScreenWidth());
    EXPECT_LE(editor.Height.get(), host.ScreenHeight());
    // On X: wholly within the 1280 x 1024 screen.
    Fl_Window* win = host.screen_window(editor);
    EXPECT_GE(win->x(), 0);
    EXPECT_GE(win->y(), 0);
    EXPECT_LE(win->x() + win->w(), 1280);
    EXPECT_LE(win->y() + win->h(), 1024);
    ASSERT_TRUE(editor.HScroll1.Visible.get());
    ASSERT_TRUE(editor.VScroll1.Visible.get());
    EXPECT_EQ(editor.Picture1.Left.get(), 0);
    // The right arrow of the bottom bar and the trough of the side bar bring the rest into view.
    Fl_Widget* across = host.widget(editor.HScroll1);
    Fl_Widget* down = host.widget(editor.VScroll1);
    Driver user(*this, "id=$(find_window '^Picture Editor')\nshoot \"$id\" picture_editor_large\nxdotool mousemove --window \"$id\" " +
                           at(editor.HScroll1, across->w() - 6, 8) + " click 1 click 1\nxdotool mousemove --window \"$id\" " +
                           at(editor.VScroll1, 8, down->h() - 30) + " click 1\nsleep 0.4\n");
    user.finish();
    EXPECT_GT(editor.HScroll1.Value.get(), 0);
    EXPECT_EQ(editor.Picture1.Left.get(), -editor.HScroll1.Value.get() * 15);
    EXPECT_GT(editor.VScroll1.Value.get(), 0);
    EXPECT_EQ(editor.Picture1.Top.get(), -editor.VScroll1.Value.get() * 15);
}

TEST_F(ControlPictures, TheInputBoxChoiceListSelectsItsTextSoTypingReplacesIt) {
    Form3& box = app.form3();
    box.Text1.Visible = false;
    box.Combo1.Visible = true;
    box.Combo1.AddItem("Distort");
    box.Combo1.AddItem("Blur");
    box.Combo1.Text = "Old Category";
    show_shown(box);
    box.Combo1.SetFocus();
    EXPECT_EQ(box.Combo1.SelStart.get(), 0);
    EXPECT_EQ(box.Combo1.SelLength.get(), 12);
    // Selected: the text lies on the highlight, a band at least as tall as the text and wider than
    // a few letters.
    const Pixels selected = read(box, box.Combo1);
    const int highlighted = selected.w * selected.h - selected.unlike(0, 84, 227, 20);
    EXPECT_GT(highlighted, (selected.h - 8) * 30);
    EXPECT_GT(selected.unlike(0, 84, 227, 20), 0);
    Driver user(*this, "id=$(find_window '^Vexolan - Input$')\nshoot \"$id\" input_choice_selected\nfocus \"$id\"\nxdotool type --delay 40 'Sharpen'\n"
                       "sleep 0.2\nxdotool key BackSpace\nsleep 0.3\n");
    user.finish();
    EXPECT_EQ(box.Combo1.Text.get(), "Sharpe");
    EXPECT_EQ(box.Combo1.SelLength.get(), 0);
    box.Unload();
}
