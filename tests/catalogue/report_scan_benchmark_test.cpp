// A benchmark, not a test: run it with --gtest_also_run_disabled_tests. The Plugin View, sources
// included, of a folder of 500 and of 2,000 report-form text sources without a settings file beside
// them, each time printed next to `ls -l` of the same folder in the same run. A scan that looked up
// each report's settings file in a listing of its own would take sixteen times as long for four times
// the reports; a linear one takes four.

#include "preferences/Form2.hpp"
#include "tests/shell/main_window_fixture.hpp"
#include "tests/support/bench.hpp"
#include "tests/support/ff_sources.hpp"

#include <cstdio>

using namespace vexolan;
using ff_synth::JoinLines;

namespace {

struct ReportScanBenchmark : test_support::MainWindowTest {};

std::string report(int n) {
    return JoinLines({"Filter Factory Plugin Information:", "FILENAME: R.8BF", "CATEGORY:", "Reports", "TITLE:"}) +
           JoinLines({"Report " + std::to_string(n), "COPYRIGHT:", "(c) Me", "AUTHOR:", "Me", "", "Map 0: []"}) +
           JoinLines({"Control 0: []", "R=", "r", "G=", "g", "B=", "b", "A=", "a", ""});
}

} // namespace

TEST_F(ReportScanBenchmark, DISABLED_PluginViewOfManyReportsBesideLs) {
    app.form2().Check8.Value = ui::vbChecked; // "include txt, afs and pff files"
    std::printf("load: %s\n", test_support::load_average().c_str());
    double first = 0;
    for (int count : {500, 2000}) {
        const std::string dir = folder("reports" + std::to_string(count));
        for (int i = 0; i < count; ++i)
            data.write("reports" + std::to_string(count) + "/report" + std::to_string(i) + ".txt", report(i));
        auto view = [&] {
            f.SSTab1[0].user_select_tab(1);
            open_folder(0, dir);
            app.ScanValid[0] = false;
            f.SSTab1[0].user_select_tab(2);
            EXPECT_EQ(app.PluginCatalog[0].RowBound(), count);
        };
        view(); // warm
        test_support::Timing best{1e9, 1e9}, floor{1e9, 1e9};
        for (int round = 0; round < 3; ++round) {
            const auto t = test_support::time_work(view);
            if (t.Wall < best.Wall) best = t;
            const auto l = test_support::time_command({"ls", "-l", dir});
            if (l.Wall < floor.Wall) floor = l;
        }
        test_support::print_ratio("Plugin View of " + std::to_string(count) + " reports", best, "ls -l", floor);
        if (count == 500)
            first = best.Wall;
        else
            std::printf("2,000 reports take %.1f times as long as 500 (linear: 4)\n", best.Wall / first);
    }
}
