// A benchmark, not a test: disabled, so ctest never runs it. Run it with
//     build/tests_filterfactory --gtest_also_run_disabled_tests --gtest_filter='*ConversionBenchmark*'
// It converts a library of 1,000 entries and a folder of 1,000 .afs files to text through the Convert
// command into an empty folder and prints the wall
// and CPU times next to cp of the same number of files on the same disk.
#include "filemanager/OverwriteCheck.hpp"
#include "filterfactory/conversion.hpp"
#include "filterfactory/names.hpp"
#include "preferences/Form2.hpp"
#include "tests/filemanager/file_view_fixture.hpp"
#include "tests/support/afs_samples.hpp"
#include "tests/support/bench.hpp"
#include "tests/support/ff_sources.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <memory>

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
    const auto& samples = test_support::AfsSamples();
    std::vector<std::string> names;
    for (int i = 0; i < Count; ++i) {
        // Each copy has a file name of its own, which names its output.
        const std::string& bytes = samples[static_cast<std::size_t>(i) % samples.size()].Bytes;
        const std::string name = "set" + std::to_string(i) + ".afs";
        left.write(name, bytes);
        names.push_back(name);
    }
    const auto start = std::chrono::steady_clock::now();
    open_folders();
    const double listing = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "listing a folder of 1,000 files: " << listing << " s\n";
    // The cost of creating a file on a real disk varies from one moment to the next: both sides run
    // three times, in turns, and each shows its best run.
    // Each run writes into a new folder of its own, as cp does, and every folder stays until the
    // end: files removed just before a run would make the disk's search for free room slower for
    // that run alone.
    test_support::Timing best, floor;
    std::vector<std::unique_ptr<test_support::TempDir>> outputs;
    for (int round = 0; round < 3; ++round) {
        outputs.push_back(std::make_unique<test_support::TempDir>("out"));
        const test_support::TempDir& out = *outputs.back();
        const test_support::TempDir& copies = *outputs.emplace_back(std::make_unique<test_support::TempDir>("copies"));
        open_folder(1, folder(out));
        f.Switchit(0);
        select_items(0, names);
        const test_support::Timing t = test_support::time_work([&] { cmd_Convert(app, ff::DestText); });
        EXPECT_EQ(files_in(out.path()).size(), static_cast<std::size_t>(Count));
        std::vector<std::string> argv{"cp", "-t", copies.path().string()};
        for (const auto& name : names)
            argv.push_back((left.path() / name).string());
        const test_support::Timing c = test_support::time_command(argv);
        if (round == 0 || t.Wall < best.Wall) best = t;
        if (round == 0 || c.Wall < floor.Wall) floor = c;
    }
    std::cout << "load average " << test_support::load_average() << "\n";
    test_support::print_ratio("folder of 1,000 .afs files to text, new files (best of 3)", best,
                              "cp of 1000 files (best of 3)", floor);
    // Again onto the outputs of the last round, each replaced ("Overwrite All"): the replacements are
    // synced once for the batch before their renames. The floor is cp over the copies it made.
    std::vector<std::string> argv{"cp", "-t", outputs.back()->path().string()};
    for (const auto& name : names)
        argv.push_back((left.path() / name).string());
    host.on_modal("Overwrite", [this](ui::Window&) { app.overwrite().Command1[2].user_click(); });
    f.Switchit(0);
    select_items(0, names);
    const test_support::Timing replacing = test_support::time_work([&] { cmd_Convert(app, ff::DestText); });
    EXPECT_EQ(files_in(outputs[outputs.size() - 2]->path()).size(), static_cast<std::size_t>(Count));
    std::cout << "load average " << test_support::load_average() << "\n";
    test_support::print_ratio("folder of 1,000 .afs files to text, replacing every output", replacing,
                              "cp of 1000 files over their copies", test_support::time_command(argv));
}
