// A filter author's road on a real screen: a formula typed into the editor, the filter saved as a
// plug-in into the folder the other pane shows in its Plugin View, found there under its category
// after switching the pane's view, and opened again in the editor by a double click on its entry.

#include "ffeditor/FFEditorType1.hpp"
#include "ffeditor/commands.hpp"
#include "filterfactory/compiler.hpp"
#include "filterfactory/library.hpp"
#include "imaging/handles.hpp"
#include "platform/fs/files.hpp"
#include "preferences/Form2.hpp"
#include "shell/Form1.hpp"
#include "tests/screen/editor_screen.hpp"
#include "tests/screen/screen_support.hpp"
#include "tests/support/editor_support.hpp"

#include <FL/Fl_Widget.H>
#include <FL/Fl_Window.H>

#include <gtest/gtest.h>

using namespace vexolan;
using test_support::Driver;

namespace {

struct AuthorRoadScreen : test_support::EditorScreenTest {
    test_support::TempDir data{"myfilters"};

    AuthorRoadScreen() {
        // A plug-in already there, so that the first scan finds something and is kept.
        ff::FFContext old;
        ff::IniVars(old.Record);
        old.Record.Filename = "old.8bf";
        old.Record.Title = "Old One";
        old.Record.Category = "Old Filters";
        old.pFlag = true;
        std::string dir = data.path().string();
        EXPECT_EQ(ff::Write8bf(old, dir, false, false, {}), ff::CompileResult::Written);
        for (int p = 0; p < 2; ++p)
            f.Dir1[p].Path = data.path().string();
        f.Caption = "Vexolan 1.52 - Light Edition";
    }
    // "x y" of a point `dx`, `dy` pixels into a control, in its window's client area.
    std::string point_in(ui::Control& c, int dx, int dy) {
        Fl_Widget* w = host.widget(c);
        EXPECT_NE(w, nullptr);
        return w ? std::to_string(w->x() + dx) + " " + std::to_string(w->y() + dy) : "0 0";
    }
    std::vector<std::string> categories(int pane) {
        std::vector<std::string> out;
        for (int j = 0; j < f.List2[pane].ListCount(); ++j)
            out.push_back(f.List2[pane].List(j));
        return out;
    }
};

} // namespace

TEST_F(AuthorRoadScreen, ASavedPluginIsFoundInTheOtherPanesPluginViewAndOpensAgainInTheEditor) {
    f.Show();
    ASSERT_TRUE(pump_until([&] { return host.screen_window(f) && host.screen_window(f)->shown(); }));
    // The right pane's Plugin View, as a click on its tab shows it.
    const std::string pluginTab = point_in(f.SSTab1[1], 112, 11), fileTab = point_in(f.SSTab1[1], 30, 11);
    Driver tab(*this, "id=$(find_window '^Vexolan 1.52')\nfocus \"$id\"\nshoot \"$id\" author_road_start\nxdotool mousemove --window \"$id\" " +
                          pluginTab + " click 1\nsleep 0.8\n");
    tab.finish();
    ASSERT_TRUE(pump_until([&] { return app.PaneMode[1] == 2 && f.List2[1].ListCount() > 0; }, 5));
    EXPECT_EQ(categories(1), (std::vector<std::string>{"Old Filters"}));

    // The left pane is the active one; the editor opens on a new filter.
    f.Switchit(0);
    ff::IniVars(app.FF.Record);
    LoadintoFFEditor(app, true, false);
    ASSERT_TRUE(pump_until([&] { return host.screen_window(e) && host.screen_window(e)->shown(); }));
    e.Label6[0].Caption = "myxor";
    e.Label6[1].Caption = "My Filters";
    e.Label6[2].Caption = "My Xor";
    e.Text5[1].Visible = true;
    e.Text5[1].Text = "";
    const std::string formula = "((x^y)*ctl(0)/64)&255";
    Driver type(*this, "id=$(find_window '^Filter Factory Editor')\nsleep 0.4\nxdotool mousemove --window \"$id\" " +
                           std::to_string(e.Text5[1].Left / 15 + 20) + " " + std::to_string(e.Text5[1].Top / 15 + 10) + " click 1\nsleep 0.3\nshoot \"$id\" author_road_clicked\nxdotool type --delay 30 '" + formula +
                           "'\nsleep 0.3\n");
    type.finish();
    ASSERT_EQ(e.Text5[1].Text.get(), formula);
    e.Text5[1].Visible = false;

    // Saved as a plug-in through the Project menu.
    for (int i : {1, 3})
        f.mnuSaveType_FFE[i].Visible = false;
    Driver save(*this, "id=$(find_window '^Filter Factory Editor')\nsleep 0.6\nxdotool key" +
                           downs_to(f.mnuFfeFunctions_FFE, f.mnuSaveAs_FFE) +
                           " Right\nsleep 0.3\nxdotool key Return\nsleep 0.5\n");
    e.PopupMenu(f.mnuFfeFunctions_FFE);
    save.finish();
    ASSERT_TRUE(files::file_exists((data.path() / "myxor.8bf").string()));

    // The editor steps aside (it lies over the panes) and shows another filter now, so that the
    // double click must read the file.
    e.Left = 820 * 15;
    e.Text5[1].Text = "r";
    e.Label6[2].Caption = "Something Else";

    // The right pane to its File View and back: the new plug-in is listed under its category.
    Driver back(*this, "id=$(find_window '^Vexolan 1.52')\nfocus \"$id\"\nxdotool mousemove --window \"$id\" " +
                           fileTab + " click 1\nsleep 0.6\nxdotool mousemove --window \"$id\" " + pluginTab +
                           " click 1\nsleep 0.8\n");
    back.finish();
    ASSERT_TRUE(pump_until([&] { return app.PaneMode[1] == 2 && f.List2[1].ListCount() > 1; }, 5))
        << "the Plugin View kept its old list";
    auto listed = categories(1);
    ASSERT_NE(std::find(listed.begin(), listed.end(), "My Filters"), listed.end());
    for (int j = 0; j < f.List2[1].ListCount(); ++j)
        if (f.List2[1].List(j) == "My Filters") f.List2[1].user_select(j);
    ASSERT_EQ(f.List3[1].ListCount(), 1);
    EXPECT_EQ(f.List3[1].List(0), "+ My Xor");

    // A double click on its entry opens it in the editor.
    Driver open(*this, "id=$(find_window '^Vexolan 1.52')\nfocus \"$id\"\nxdotool mousemove --window \"$id\" " +
                           point_in(f.List3[1], 30, 8) + " click --repeat 2 --delay 80 1\nsleep 1\n" +
                           "shoot $(find_window '^Filter Factory Editor') author_road_reopened\n");
    open.finish();
    ASSERT_TRUE(pump_until([&] { return e.Label6[2].Caption.get() == "My Xor"; }, 5));
    EXPECT_EQ(e.Label6[1].Caption.get(), "My Filters");
    EXPECT_EQ(e.Text5[1].Text.get(), formula);
    EXPECT_FALSE(f.Timer1.Enabled.get());
}
