// A benchmark, not a test: disabled, so ctest never runs it. Run it under an X server with
//     xvfb-run -a -s "-screen 0 1280x1024x24" build/tests_screen --gtest_also_run_disabled_tests
//         --gtest_filter='*PluginViewSpeed*'
// It fills the Plugin View of the shown main window from folders of 100, 1,000 and 10,000 plug-ins
// (the user's click on the tab: the scan up to the lists drawn) and prints its wall time beside `cat`
// of the same files and beside the same scan in a program without a screen, all warm, in one run.
#include "catalogue/scanner.hpp"
#include "preferences/Form2.hpp"
#include "shell/Form1.hpp"
#include "tests/screen/screen_support.hpp"
#include "tests/support/app_fixture.hpp"
#include "tests/support/bench.hpp"
#include "tests/support/pe_synth.hpp"

#include <FL/Fl.H>

#include <cstdio>
#include <fstream>
#include <random>

using namespace vexolan;
using namespace test_support;

namespace {

struct PluginViewSpeed : ScreenTest {
    Form1& f = app.form1();
    std::string startFolder = files::CurDir();
    ~PluginViewSpeed() override { files::ChDir(startFolder); }

    // `count` plug-ins of 20 to 60 KB.
    static void make_plugins(const std::filesystem::path& root, int count) {
        pe_synth::WriteBenchmarkPlugins(root, count, 20 * 1024, 40 * 1024);
    }
};

} // namespace

TEST_F(PluginViewSpeed, DISABLED_PluginViewOnScreenBesideCatAndAScanWithoutScreen) {
    std::printf("load average %s\n", load_average().c_str());
    std::fflush(stdout);
    app.form2().Check1.Value = ui::vbChecked;
    f.Caption = "Vexolan 1.52 - Light Edition";
    f.Show();
    pump_until([] { return false; }, 0.5);
    for (int count : {100, 1000, 10000}) {
        TempDir data{"plugins"};
        make_plugins(data.path(), count);
        const std::string folder = data.path().string();
        const std::vector<std::string> cat = {
            "sh", "-c", "find '" + folder + "' -type f -print0 | xargs -0 cat > /dev/null"};

        // The same scan in a program without a screen.
        AppFixture headless;
        headless.app.form2().Check1.Value = ui::vbChecked;
        Form1& h = headless.app.form1();
        h.Dir1[0].Path = folder;
        h.File1[0].Pattern = "*.8bf;*._bf;*_8bf;*?prm;*.pr-;*_prm;*?aex;*._ex;*_aex;*.bin";
        auto scan_without_screen = [&] {
            h.List2[0].Clear();
            EXPECT_GE(ScanPluginRecurse(headless.app, 0, false, 0, -1), count);
        };

        // On the screen: the click on the Plugin View tab of the shown window, up to the lists drawn.
        f.Dir1[0].Path = folder;
        pump_until([] { return false; }, 0.2);
        auto on_screen = [&] {
            app.ScanValid[0] = false;
            f.SSTab1[0].SelectedItem = 2;
            Fl::flush();
            EXPECT_GE(app.PluginCatalog[0].RowBound(), count);
            EXPECT_GT(f.List2[0].ListCount(), 0);
        };
        auto back = [&] {
            f.SSTab1[0].SelectedItem = 1;
            pump_until([] { return false; }, 0.1);
        };

        time_command(cat); // warm
        scan_without_screen();
        on_screen();
        back();
        Timing best_cat{1e9, 1e9}, best_plain{1e9, 1e9}, best_screen{1e9, 1e9};
        auto keep = [](Timing& best, const Timing& t) {
            best.Wall = std::min(best.Wall, t.Wall);
            best.Cpu = std::min(best.Cpu, t.Cpu);
        };
        for (int round = 0; round < 3; ++round) {
            keep(best_cat, time_command(cat));
            keep(best_plain, time_work(scan_without_screen));
            keep(best_screen, time_work(on_screen));
            back();
        }
        const std::string what = "Plugin View of " + std::to_string(count) + " plug-ins on screen";
        print_ratio(what, best_screen, "cat", best_cat);
        print_ratio(what, best_screen, "the scan without a screen", best_plain);
    }
    std::printf("load average %s\n", load_average().c_str());
    std::fflush(stdout);
}
