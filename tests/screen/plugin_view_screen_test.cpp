#include "platform/fs/files.hpp"
#include "preferences/Form2.hpp"
#include "shell/Form1.hpp"
#include "tests/screen/screen_support.hpp"
#include "tests/support/pe_synth.hpp"

#include <fstream>

using namespace vexolan;
using test_support::Driver;

namespace {

struct PluginViewScreen : test_support::ScreenTest {
    Form1& f = app.form1();
    test_support::TempDir data{"plugins"};
    std::string startFolder = files::CurDir();

    void put(const std::string& name, const std::string& title, const std::string& category) {
        auto p = data.path() / name;
        std::filesystem::create_directories(p.parent_path());
        pe_synth::Options o;
        o.Resources.push_back(pe_synth::Pipl({{title, category}}));
        std::ofstream(p, std::ios::binary) << pe_synth::Make(o).Bytes;
    }
    PluginViewScreen() {
        for (int p = 0; p < 2; ++p)
            f.Dir1[p].Path = data.path().string();
        f.Caption = "Vexolan 1.52 - Light Edition";
    }
    ~PluginViewScreen() override {
        files::clear_faults();
        files::ChDir(startFolder);
    }
};

} // namespace

TEST_F(PluginViewScreen, APaneOnAPluginFolderListsCategoriesAndMarkedPlugins) {
    put("Twirl.8bf", "Twirl", "Distort");
    put("wave._bf", "Wave", "Distort");
    put("smear.8bf", "Smear", "Blur");
    for (int p = 0; p < 2; ++p)
        f.Dir1[p].Refresh();
    f.Show();
    Driver user(*this, R"(
        id=$(find_window '^Vexolan 1.52')
        focus "$id"
        xdotool mousemove --window "$id" 116 95 click 1
        sleep 0.8
        shoot "$id" plugin_view
    )");
    user.finish();
    ASSERT_TRUE(pump_until([&] { return app.PaneMode[0] == 2 && f.List3[0].ListCount() > 0; }, 5));
    ASSERT_EQ(f.List2[0].ListCount(), 2);
    EXPECT_EQ(f.List2[0].List(0), "Blur");
    EXPECT_EQ(f.List2[0].List(1), "Distort");
    f.List2[0].user_select(1);
    ASSERT_EQ(f.List3[0].ListCount(), 2);
    EXPECT_EQ(f.List3[0].List(0), "+ Twirl");
    EXPECT_EQ(f.List3[0].List(1), "- Wave");
}

TEST_F(PluginViewScreen, EscHeldDownStopsALongScan) {
    for (int k = 0; k < 20; ++k)
        put("Set" + std::to_string(k) + "/p.8bf", "P" + std::to_string(k), "Blur");
    app.form2().Check1.Value = ui::vbChecked;
    // Every folder listing takes 300 ms longer: the whole scan would last over ten seconds.
    files::inject_delay(files::Op::List, data.path(), 300);
    f.Show();
    auto started = std::chrono::steady_clock::now();
    Driver user(*this, R"(
        id=$(find_window '^Vexolan 1.52')
        focus "$id"
        xdotool mousemove --window "$id" 116 95 click 1
        sleep 1.5
        shoot "$id" plugin_view_scanning
        xdotool keydown Escape
        sleep 1.5
        xdotool keyup Escape
    )");
    user.finish();
    ASSERT_TRUE(pump_until([&] { return app.ScanStopped[0]; }, 10));
    double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    EXPECT_LT(took, 8.0);
    EXPECT_LT(app.PluginCatalog[0].RowBound(), 20);
    EXPECT_TRUE(f.Dir1[0].Enabled);
    EXPECT_EQ(f.Dir1[0].Path.get(), data.path().string());
    EXPECT_TRUE(pump_until([&] { return app.PaneMode[0] == 1; }, 5));
}
