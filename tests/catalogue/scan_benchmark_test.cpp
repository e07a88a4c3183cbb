// A benchmark, not a test: run it with --gtest_also_run_disabled_tests. It scans 10,000 synthetic
// plug-ins of 50 to 500 KB in nested folders and prints the time next to `cat` of the same files to
// /dev/null in the same run, both warm.

#include "catalogue/scanner.hpp"
#include "preferences/Form2.hpp"
#include "tests/shell/main_window_fixture.hpp"
#include "tests/support/pe_synth.hpp"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>

using namespace vexolan;

namespace {

double seconds_of(const std::function<void()>& work) {
    auto t0 = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

struct ScanBenchmark : test_support::MainWindowTest {};

} // namespace

TEST_F(ScanBenchmark, DISABLED_ScanOfTenThousandPluginsBesideCat) {
    // Ten thousand plug-ins of 50 to 500 KB, a hundred to a folder.
    pe_synth::WriteBenchmarkPlugins(data.path(), 10000, 50 * 1024, 450 * 1024);
    f.Dir1[0].Path = folder();
    f.File1[0].Pattern = "*.8bf;*._bf;*_8bf;*?prm;*.pr-;*_prm;*?aex;*._ex;*_aex;*.bin";
    app.form2().Check1.Value = ui::vbChecked;
    const std::string cat = "find '" + folder() + "' -type f -print0 | xargs -0 cat > /dev/null";
    auto scan = [&] {
        f.List2[0].Clear();
        EXPECT_GE(ScanPluginRecurse(app, 0, false, 0, -1), 10000);
    };
    // Warm both first.
    ASSERT_EQ(std::system(cat.c_str()), 0);
    scan();
    double catTime = 1e9, scanTime = 1e9;
    for (int round = 0; round < 3; ++round) {
        catTime = std::min(catTime, seconds_of([&] { ASSERT_EQ(std::system(cat.c_str()), 0); }));
        scanTime = std::min(scanTime, seconds_of(scan));
    }
    std::printf("scan of 10,000 plug-ins: %.3f s; cat of the same files: %.3f s; ratio %.2f\n", scanTime, catTime,
                scanTime / catTime);
}
