// A benchmark, not a test: disabled, so ctest never runs it. Run it with
//     build/tests_filemanager --gtest_also_run_disabled_tests --gtest_filter='*FileViewBenchmark*'
// It opens folders of 1,000, 10,000 and 100,000 files in a pane in Details mode (the folder change up
// to a filled, sorted report list) and prints the CPU time next to ls -l of the same folder.
#include "tests/filemanager/file_view_fixture.hpp"
#include "tests/support/bench.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <iostream>
#include <unistd.h>

using namespace test_support;

namespace {

struct FileViewBenchmark : FileViewTest {
    void list_folder_of(int count) {
        TempDir big("big");
        for (int i = 0; i < count; ++i) {
            const std::string name = (big.path() / ("file" + std::to_string(i) + ".txt")).string();
            const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            ASSERT_GE(fd, 0);
            ASSERT_EQ(::write(fd, "x", 1), 1);
            ::close(fd);
        }
        open_folders();
        set_mode(0, 3);
        const Timing ls = time_command({"ls", "-l", big.path().string()});
        const Timing listing = time_work([&] { open_folder(0, big.path().string()); });
        EXPECT_EQ(f.ListView1[0].ListItems.Count(), count + 1);
        std::cout << "load average " << load_average() << "\n";
        print_ratio("File View, folder of " + std::to_string(count) + " files", listing, "ls -l", ls);
    }
};

} // namespace

TEST_F(FileViewBenchmark, DISABLED_AThousandFiles) {
    list_folder_of(1000);
}
TEST_F(FileViewBenchmark, DISABLED_TenThousandFiles) {
    list_folder_of(10000);
}
TEST_F(FileViewBenchmark, DISABLED_AHundredThousandFiles) {
    list_folder_of(100000);
}
