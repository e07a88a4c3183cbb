// A benchmark, not a test: disabled, so ctest never runs it. Run it with
//     build/tests_filterfactory --gtest_also_run_disabled_tests --gtest_filter='*ConversionBenchmark*'
// It converts a library of 1,000 entries and a folder of 1,000 .afs files to text through the Convert
// command and prints the files written per second.
#include "filterfactory/conversion.hpp"
#include "filterfactory/names.hpp"
#include "preferences/Form2.hpp"
#include "tests/filemanager/file_view_fixture.hpp"
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

    double convert_all(const std::vector<std::string>& names) {
        open_folders();
        f.Switchit(0);
        select_items(0, names);
        const auto start = std::chrono::steady_clock::now();
        cmd_Convert(app, ff::DestText);
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    void report(std::string_view what, double seconds) {
        const auto written = files_in(right.path()).size();
        EXPECT_EQ(written, static_cast<std::size_t>(Count));
        std::cout << what << ": " << written << " files in " << seconds << " s, " << written / seconds
                  << " files per second\n";
    }
};

} // namespace

TEST_F(ConversionBenchmark, DISABLED_LibraryOfAThousandEntriesToText) {
    std::string library = JoinLines({"FFL1.0", std::to_string(Count)});
    for (int i = 0; i < Count; ++i)
        library += entry(i);
    left.write("big.ffl", library);
    report("library of 1,000 entries to text", convert_all({"big.ffl"}));
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
    report("folder of 1,000 .afs files to text", convert_all(names));
}
