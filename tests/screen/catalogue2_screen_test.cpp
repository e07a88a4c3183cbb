#include "platform/fs/files.hpp"
#include "shell/Form1.hpp"
#include "shell/Form3.hpp"
#include "tests/screen/screen_support.hpp"
#include "tests/support/pe_synth.hpp"
#include "tests/support/temp_dir.hpp"

#include <fstream>

using namespace vexolan;
using test_support::Driver;

namespace {

struct CatalogueScreen : test_support::ScreenTest {
    Form1& f = app.form1();
    test_support::TempDir data{"plugins"};
    std::string startFolder = files::CurDir();

    CatalogueScreen() {
        std::ofstream(data.path() / "twirl.8bf", std::ios::binary) << pe_synth::FilterFactoryPlugin("Twirl", "Distort");
        for (int p = 0; p < 2; ++p)
            f.Dir1[p].Path = data.path().string();
        f.Caption = "Vexolan 1.52 - Light Edition";
    }
    ~CatalogueScreen() override { files::ChDir(startFolder); }

    // Opens the left pane's Plugin View by its tab and selects the plug-in of "Distort".
    void select_twirl() {
        f.Show();
        Driver user(*this, R"(
            id=$(find_window '^Vexolan 1.52')
            focus "$id"
            xdotool mousemove --window "$id" 116 95 click 1
            sleep 0.5
        )");
        user.finish();
        ASSERT_TRUE(pump_until([&] { return app.PaneMode[0] == 2 && f.List2[0].ListCount() > 0; }, 5));
        for (int j = 0; j < f.List2[0].ListCount(); ++j)
            if (f.List2[0].List(j) == "Distort") f.List2[0].user_select(j);
        ASSERT_EQ(f.List3[0].ListCount(), 1);
        f.List3[0].user_select(0);
        f.Switchy = 0;
    }
};

} // namespace

TEST_F(CatalogueScreen, ChangeCatWithATypedCategoryRewritesTheFile) {
    select_twirl();
    Driver user(*this, R"(
        id=$(find_window '^Vexolan 1.52')
        focus "$id"
        xdotool key ctrl+h
        box=$(find_window '^Vexolan - Input$')
        shoot "$box" change_category_box
        xdotool type --delay 50 Glow
        xdotool key Return
        sleep 0.5
    )");
    user.finish();
    ASSERT_TRUE(pump_until([&] { return !app.form3().Visible.get(); }, 5));
    EXPECT_EQ(test_support::read_file(data.path() / "twirl.8bf").substr(23894, 6), std::string("\x04" "Glow\0", 6));
    // The list shows the new category; a rescan finds it in the file.
    app.ScanValid[0] = false;
    f.mnuRefresh_Click();
    bool found = false;
    for (int j = 0; j < f.List2[0].ListCount(); ++j)
        found = found || f.List2[0].List(j) == "Glow";
    EXPECT_TRUE(found);
    EXPECT_EQ(app.PluginCatalog[0].CategoryOf(1), "Glow");
}

TEST_F(CatalogueScreen, EnDisableFlipsTheMarkAndTheNameOnDisk) {
    select_twirl();
    Driver user(*this, R"(
        id=$(find_window '^Vexolan 1.52')
        focus "$id"
        xdotool key ctrl+e
        sleep 0.8
        shoot "$id" en_disabled
    )");
    user.finish();
    ASSERT_TRUE(pump_until([&] { return std::filesystem::exists(data.path() / "twirl._bf"); }, 5));
    EXPECT_FALSE(std::filesystem::exists(data.path() / "twirl.8bf"));
    EXPECT_EQ(f.List3[0].List(0), "- Twirl");
    EXPECT_EQ(app.PluginCatalog[0].PathOf(f.List3[0].GetItemData(0)), (data.path() / "twirl._bf").string());
}
