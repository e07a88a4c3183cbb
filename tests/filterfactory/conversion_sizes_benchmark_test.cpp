// A benchmark, not a test: disabled, so ctest never runs it. Run it with
//     build/tests_filterfactory --gtest_also_run_disabled_tests --gtest_filter='*ConversionSizesBenchmark*'
// It converts folders of 100, 1,000 and 10,000 .afs files (made here, each a filter of its own) to
// text through the Convert command into a new folder, and prints the wall and CPU times next to cp of
// the same files into a new folder on the same disk, the best of three turns each.
#include "filterfactory/conversion.hpp"
#include "filterfactory/names.hpp"
#include "filterfactory/settings_files.hpp"
#include "preferences/Form2.hpp"
#include "tests/filemanager/file_view_fixture.hpp"
#include "tests/support/bench.hpp"
#include "tests/support/ff_sources.hpp"

#include <gtest/gtest.h>

#include <iostream>
#include <memory>

using namespace vexolan;

namespace {

struct ConversionSizesBenchmark : test_support::FileViewTest {
    ConversionSizesBenchmark() { app.form2().Check4.Value = ui::vbChecked; }
};

} // namespace

TEST_F(ConversionSizesBenchmark, DISABLED_FoldersOfAfsFilesToTextBesideCp) {
    std::cout << "load average " << test_support::load_average() << std::endl;
    for (int count : {100, 1000, 10000}) {
        test_support::TempDir sources("afs");
        std::vector<std::string> names;
        for (int i = 0; i < count; ++i) {
            ff::FilterRecord r = ff_synth::TwirlRecord();
            r.CodeR = "r+ctl(0)*" + std::to_string(i % 7) + "+x/" + std::to_string(i % 13 + 1);
            r.CtlValue[0] = static_cast<std::uint8_t>(i % 256);
            const std::string name = "set" + std::to_string(i) + ".afs";
            sources.write(name, ff::AfsBytes(r));
            names.push_back(name);
        }
        open_folder(0, sources.path().string());
        test_support::Timing best, floor;
        std::vector<std::unique_ptr<test_support::TempDir>> outputs;
        for (int round = 0; round < 3; ++round) {
            const test_support::TempDir& out = *outputs.emplace_back(std::make_unique<test_support::TempDir>("out"));
            const test_support::TempDir& copies =
                *outputs.emplace_back(std::make_unique<test_support::TempDir>("copies"));
            open_folder(1, out.path().string());
            f.Switchit(0);
            select_items(0, names);
            const test_support::Timing t = test_support::time_work([&] { cmd_Convert(app, ff::DestText); });
            EXPECT_EQ(files_in(out.path()).size(), static_cast<std::size_t>(count));
            std::vector<std::string> argv{"cp", "-t", copies.path().string()};
            for (const auto& name : names)
                argv.push_back((sources.path() / name).string());
            const test_support::Timing c = test_support::time_command(argv);
            if (round == 0 || t.Cpu < best.Cpu) best = t;
            if (round == 0 || c.Cpu < floor.Cpu) floor = c;
        }
        test_support::print_ratio(std::to_string(count) + " .afs files to text (best of 3)", best,
                                  "cp of the same files (best of 3)", floor);
    }
    std::cout << "load average " << test_support::load_average() << std::endl;
}
