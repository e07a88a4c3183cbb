// A benchmark, not a test: disabled, so ctest never runs it. Run it with
//     build/tests_filterfactory --gtest_also_run_disabled_tests --gtest_filter='*ConversionBenchmark*'
// It converts a library of 1,000 entries and a folder of 1,000 .afs files to text through the Convert
// command into an empty folder and prints the wall
// and CPU times next to cp of the same number of files on the same disk.
#include "filterfactory/conversion.hpp"
#include "filterfactory/names.hpp"
#include "preferences/Form2.hpp"
#include "tests/filemanager/file_view_fixture.hpp"
#include "tests/support/bench.hpp"
#include "tests/support/ff_sources.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <iostream>

using namespace vexolan;
using ff_synth::JoinLines;

namespace {

constexpr int Count = 1000;

std::string entry(int i) {
    const std::string name = "filter" + std::to_string(i) + ".8bf";
    return JoinLines({name,
                      "Bench",
                      "Filter " + std::to_string(i),
                      "Author",
                      "(c) Me",
                      "Angle",
                      "",
                      "",
                      "",
                      "",
                      "",
                      "Amount",
                      "",
                      "",
                      "",
                      "",
                      "",
                      "10",
                      "20",
                      "30",
                      "0",
                      "0",
                      "0",
                      "0",
                      "0",
                      "r+ctl(0)*" + std::to_string(i % 7),
                      "g",
                      "b",
                      "a"});
}

struct ConversionBenchmark : test_support::FileViewTest {
    ConversionBenchmark() { app.form2().Check4.Value = ui::vbChecked; }

    test_support::Timing convert_all(const std::vector<std::string>& names) {
        open_folders();
        f.Switchit(0);
        select_items(0, names);
        return test_support::time_work([&] { cmd_Convert(app, ff::DestText); });
    }
    // cp of every file of `from` into a new folder beside the outputs.
    test_support::Timing copy_floor(const std::filesystem::path& from) {
        test_support::TempDir copies("copies");
        std::vector<std::string> argv{"cp", "-t", copies.path().string()};
        for (const auto& name : files_in(from))
            argv.push_back((from / name).string());
        return test_support::time_command(argv);
    }
    void report(const std::string& what, const test_support::Timing& t, const std::filesystem::path& floorFiles) {
        const auto written = files_in(right.path()).size();
        EXPECT_EQ(written, static_cast<std::size_t>(Count));
        std::cout << "load average " << test_support::load_average() << "\n";
        test_support::print_ratio(what, t, "cp of " + std::to_string(files_in(floorFiles).size()) + " files",
                                  copy_floor(floorFiles));
    }
};

} // namespace

TEST_F(ConversionBenchmark, DISABLED_LibraryOfAThousandEntriesToText) {
    std::string library = JoinLines({"FFL1.0", std::to_string(Count)});
    for (int i = 0; i < Count; ++i)
        library += entry(i);
    left.write("big.ffl", library);
    report("library of 1,000 entries to text", convert_all({"big.ffl"}), right.path());
}

TEST_F(ConversionBenchmark, DISABLED_FolderOfAThousandAfsFilesToText) {
    std::vector<std::filesystem::path> samples;
    for (const auto& e : std::filesystem::directory_iterator(std::string(VEXOLAN_TESTDATA) + "/afs"))
        samples.push_back(e.path());
    std::sort(samples.begin(), samples.end());
    std::vector<std::string> names;
    for (int i = 0; i < Count; ++i) {
        // Each copy has a file name of its own, which names its output.
        std::string bytes = test_support::read_file(samples[static_cast<std::size_t>(i) % samples.size()]);
        const std::string name = "set" + std::to_string(i) + ".afs";
        left.write(name, bytes);
        names.push_back(name);
    }
    const auto start = std::chrono::steady_clock::now();
    open_folders();
    const double listing = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "listing a folder of 1,000 files: " << listing << " s\n";
    report("folder of 1,000 .afs files to text, new files", convert_all(names), left.path());
}
