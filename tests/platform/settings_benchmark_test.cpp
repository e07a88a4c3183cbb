// A benchmark, not a test: disabled, so ctest never runs it. Run it with
//     build/tests_platform --gtest_also_run_disabled_tests --gtest_filter='*SettingsBenchmark*'
// It loads and saves settings files of 1,000, 8,000 and 100,000 keys in one section and prints the
// times next to cat of the same file.
#include "platform/settings/settings.hpp"
#include "tests/support/bench.hpp"
#include "tests/support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <iostream>

using namespace test_support;

namespace {

void load_and_save(int keys) {
    TempDir dir("settings-bench");
    const auto file = dir / "settings.ini";
    {
        std::ofstream out(file, std::ios::binary);
        out << "[Vexo10\\Big]\n";
        for (int i = 0; i < keys; ++i)
            out << "Key" << i << "=\"value " << i << "\"\n";
    }
    const Timing cat = time_command({"cat", file.string()});
    std::size_t read = 0;
    const Timing load = time_work([&] {
        settings::Store store(file);
        read = store.GetAllSettings("Vexo10", "Big").size();
    });
    EXPECT_EQ(read, static_cast<std::size_t>(keys));
    settings::Store store(file);
    const Timing save = time_work([&] { store.SaveSetting("Vexo10", "big", "KEY0", "changed"); });
    EXPECT_EQ(store.GetSetting("Vexo10", "Big", "key0"), "changed");
    const std::string what = "settings file of " + std::to_string(keys) + " keys";
    print_ratio(what + ", load", load, "cat", cat);
    print_ratio(what + ", one save (reload and write)", save, "cat", cat);
}

} // namespace

TEST(SettingsBenchmark, DISABLED_AThousandKeys) {
    load_and_save(1000);
}
TEST(SettingsBenchmark, DISABLED_EightThousandKeys) {
    load_and_save(8000);
}
TEST(SettingsBenchmark, DISABLED_AHundredThousandKeys) {
    std::cout << "load average " << load_average() << "\n";
    load_and_save(100000);
}
