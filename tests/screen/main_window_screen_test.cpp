// The main window on a real screen: shown through the FLTK binding, driven with xdotool as a user
// drives it (a menu opened and an entry picked, a pane's tab switched, the window resized), and
// checked on the model after each step.
#include "shell/Form1.hpp"
#include "tests/screen/screen_support.hpp"
#include "tests/support/temp_dir.hpp"

#include "platform/fs/files.hpp"

#include <gtest/gtest.h>

#include <cmath>

using namespace vexolan;
using test_support::Driver;

namespace {

struct MainWindowScreen : test_support::ScreenTest {
    Form1& f = app.form1();
    test_support::TempDir data{"panes"};
    std::string startFolder = files::CurDir();
    int scans = 0;

    MainWindowScreen() {
        data.write("one.8bf", "x");
        data.write("two.8bf", "x");
        data.write("notes.txt", "x");
        std::filesystem::create_directories(data.path() / "Photos");
        // The scanner lists the plug-ins of the folder, as the catalogue will.
        app.ScanPluginRecurse = [this](int Index, bool, int, int) -> long {
            ++scans;
            long rows = 0;
            for (int i = 0; i < f.File1[Index].ListCount(); ++i) {
                std::string name = f.File1[Index].List(i);
                auto& cat = app.PluginCatalog[Index];
                cat.Truncate(static_cast<int>(rows));
                cat.Path.push_back(data.path().string() + "/" + name);
                cat.Category.push_back("[Unknown]");
                cat.Title.push_back(name);
                f.List3[Index].AddItem(name);
                f.List3[Index].ItemData(f.List3[Index].NewIndex()) = static_cast<int>(++rows);
            }
            f.List2[Index].AddItem("[Unknown]");
            return rows;
        };
        for (int p = 0; p < 2; ++p) {
            f.Combo1[p].AddItem("All Files (*.*)");
            f.Combo1[p].ListIndex = 0;
            f.Dir1[p].Path = data.path().string();
        }
        f.Caption = "Vexolan 1.52 - Light Edition";
    }
    ~MainWindowScreen() override { files::ChDir(startFolder); }
};

} // namespace

TEST_F(MainWindowScreen, MenusTabsAndResizingWorkOnScreen) {
    f.Show();
    f.mnuFileViewMode_Click(3);
    f.Switchit(0);

    // Shown: both panes in the File View, the left one listing its folder.
    Driver look(*this, R"(
        id=$(find_window '^Vexolan 1.52')
        shoot "$id" main_window
    )");
    look.finish();
    EXPECT_TRUE(f.Visible);
    EXPECT_EQ(app.PaneMode[0], 1);
    EXPECT_EQ(app.PaneMode[1], 1);
    EXPECT_EQ(f.ListView1[0].ListItems.Count(), 5); // "..", " Photos" and three files
    EXPECT_TRUE(f.Frame3[0].Visible);

    // View > "Plugin View" (the menu bar is 19 pixels high; its entries 21 pixels each).
    Driver menu(*this, R"(
        id=$(find_window '^Vexolan 1.52')
        focus "$id"
        xdotool mousemove --window "$id" 104 11 click 1
        sleep 0.5
        import -window root "$SHOTS/main_window_view_menu.png"
        xdotool mousemove --window "$id" 126 77 click 1
        sleep 0.3
    )");
    menu.finish();
    EXPECT_TRUE(pump_until([&] { return app.PaneMode[0] == 2; }, 5));
    EXPECT_EQ(scans, 1);
    EXPECT_TRUE(f.Frame3[1].Visible);
    EXPECT_FALSE(f.Frame3[0].Visible);
    EXPECT_EQ(f.List3[0].ListCount(), 2);
    EXPECT_EQ(f.List2[0].List(0), "[Unknown]");

    // The right pane's "Plugin View" tab, then its "File View" tab.
    Driver tabs(*this, R"(
        id=$(find_window '^Vexolan 1.52')
        xdotool mousemove --window "$id" 508 95 click 1
        sleep 0.5
        shoot "$id" main_window_plugin_views
    )");
    tabs.finish();
    EXPECT_TRUE(pump_until([&] { return app.PaneMode[1] == 2; }, 5));
    EXPECT_EQ(f.Switchy, 1);
    EXPECT_EQ(f.SSTab1[1].SelectedItem.get(), 2);
    EXPECT_EQ(scans, 2);
    Driver back(*this, R"(
        id=$(find_window '^Vexolan 1.52')
        xdotool mousemove --window "$id" 430 95 click 1
        sleep 0.3
    )");
    back.finish();
    EXPECT_TRUE(pump_until([&] { return app.PaneMode[1] == 1; }, 5));
    EXPECT_TRUE(f.Frame4[0].Visible);

    // The window made wider and taller: every control keeps its proportions, the lists end at
    // the filter box, and the window ends at the status line.
    const int tabLeft = f.SSTab1[1].Left, tabTop = f.SSTab1[1].Top, innerWidth = f.ScaleWidth();
    const int innerHeight = f.ScaleHeight();
    Driver resize(*this, R"(
        id=$(find_window '^Vexolan 1.52')
        xdotool windowsize "$id" 1000 700
        sleep 0.8
        shoot "$id" main_window_resized
    )");
    resize.finish();
    EXPECT_TRUE(pump_until([&] { return f.ScaleWidth() == 1000 * 15; }, 5));
    float ratioX = static_cast<float>(f.ScaleWidth()) / static_cast<float>(innerWidth);
    EXPECT_EQ(f.SSTab1[1].Left.get(), static_cast<int>(std::nearbyint(tabLeft * ratioX)));
    EXPECT_GT(f.ScaleHeight(), innerHeight);
    EXPECT_GT(f.SSTab1[1].Top.get(), tabTop);
    EXPECT_EQ(f.ScaleHeight(), f.Label3.Top + f.Label3.Height);
    // The left pane shows its Plugin View, the right one its File View.
    EXPECT_EQ(f.List2[0].Top + f.List2[0].Height, f.Label5[0].Top.get());
    EXPECT_EQ(f.List3[0].Top + f.List3[0].Height, f.Label5[0].Top.get());
    EXPECT_EQ(f.File1[1].Top + f.File1[1].Height, f.Combo1[1].Top.get());
    EXPECT_EQ(f.Dir1[1].Top + f.Dir1[1].Height, f.Combo1[1].Top.get());
}
