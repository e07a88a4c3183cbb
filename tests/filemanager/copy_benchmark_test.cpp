// A benchmark, not a test: disabled, so ctest never runs it. Run it with
//     build/tests_filemanager --gtest_also_run_disabled_tests --gtest_filter='*CopyBenchmark*'
// It copies 1,000 small files, and one file of 1 GB, from the left pane to the right one through the
// Copy command, into a folder of the same file system and into one on /dev/shm (another file system),
// and prints the wall and CPU times next to cp -r of the same folder to the same place, in the same
// run. Each side is run twice, in turns, after a sync, and its best run is shown.
// VEXOLAN_BENCH_BIG_MB sets the size of the large file in MB (1024 unless set).
#include "filemanager/copy_move.hpp"
#include "tests/filemanager/file_commands_fixture.hpp"
#include "tests/support/bench.hpp"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/statvfs.h>

#include <cstdlib>
#include <fcntl.h>
#include <iostream>
#include <unistd.h>

using namespace vexolan;
using namespace test_support;

namespace {

constexpr int SmallCount = 1000;

std::uint64_t big_size() {
    const char* mb = std::getenv("VEXOLAN_BENCH_BIG_MB");
    const long value = mb ? std::atol(mb) : 0;
    return static_cast<std::uint64_t>(value > 0 ? value : 1024) << 20;
}

void write_pattern_file(const std::filesystem::path& p, std::uint64_t size) {
    std::string block = pattern_bytes(1 << 20);
    const int fd = ::open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    for (std::uint64_t done = 0; done < size;) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), size - done));
        block[0] = static_cast<char>(done >> 20); // no two blocks alike
        ASSERT_EQ(::write(fd, block.data(), n), static_cast<ssize_t>(n));
        done += n;
    }
    ::close(fd);
}

std::uint64_t free_bytes(const std::filesystem::path& folder) {
    struct statvfs vfs {};
    if (::statvfs(folder.c_str(), &vfs) != 0) return 0;
    return static_cast<std::uint64_t>(vfs.f_bavail) * vfs.f_frsize;
}

// A folder on another file system than the temporary folder, removed when it goes.
struct ShmDir {
    std::filesystem::path path;
    ShmDir() {
        std::string pattern = "/dev/shm/vexolan-copy-XXXXXX";
        if (::mkdtemp(pattern.data())) path = pattern;
    }
    ~ShmDir() {
        std::error_code ec;
        if (!path.empty()) std::filesystem::remove_all(path, ec);
    }
};

struct CopyBenchmark : FileCommandsTest {
    // Copies every file of `from` into `into` (an empty folder) with the Copy command.
    Timing program_copy(const std::filesystem::path& from, const std::filesystem::path& into) {
        open_folder(0, from.string());
        open_folder(1, into.string());
        f.Switchit(0);
        std::vector<std::string> names = files_in(from);
        select_items(0, names);
        ::sync();
        return time_work([&] { cmd_CopyFiles(app); });
    }
    static Timing cp_copy(const std::filesystem::path& from, const std::filesystem::path& into) {
        ::sync();
        return time_command({"cp", "-r", from.string() + "/.", into.string()});
    }
    static void empty(const std::filesystem::path& folder) {
        for (const auto& e : std::filesystem::directory_iterator(folder))
            std::filesystem::remove_all(e.path());
    }
    static Timing best(const Timing& a, const Timing& b) { return a.Wall <= b.Wall ? a : b; }

    // Both sides twice, in turns; the copies are checked and removed after each run.
    void compare(const std::string& what, const std::filesystem::path& from, const std::filesystem::path& into) {
        const std::vector<std::string> names = files_in(from);
        Timing program[2], floor[2];
        for (int round = 0; round < 2; ++round) {
            program[round] = program_copy(from, into);
            check_copies(from, into, names);
            empty(into);
            floor[round] = cp_copy(from, into);
            check_copies(from, into, names);
            empty(into);
        }
        std::cout << "load average " << load_average() << "\n";
        print_ratio(what, best(program[0], program[1]), "cp -r", best(floor[0], floor[1]));
    }
    static void check_copies(const std::filesystem::path& from, const std::filesystem::path& into,
                             const std::vector<std::string>& names) {
        ASSERT_EQ(files_in(into), names);
        for (const auto& name : names)
            ASSERT_EQ(std::filesystem::file_size(into / name), std::filesystem::file_size(from / name)) << name;
    }
};

void write_small_files(const TempDir& dir) {
    for (int i = 0; i < SmallCount; ++i)
        dir.write("file" + std::to_string(i) + ".8bf", pattern_bytes(1024 + static_cast<std::size_t>(i % 7) * 512));
}

} // namespace

TEST_F(CopyBenchmark, DISABLED_AThousandSmallFilesOnOneFileSystem) {
    write_small_files(left);
    compare("1,000 small files, same file system", left.path(), right.path());
}

TEST_F(CopyBenchmark, DISABLED_AThousandSmallFilesAcrossFileSystems) {
    ShmDir shm;
    ASSERT_FALSE(shm.path.empty());
    write_small_files(left);
    compare("1,000 small files, to /dev/shm", left.path(), shm.path);
}

TEST_F(CopyBenchmark, DISABLED_OneLargeFileOnOneFileSystem) {
    const std::uint64_t size = big_size();
    if (free_bytes(left.path()) < 3 * size) GTEST_SKIP() << "not enough room for the large file";
    write_pattern_file(left.path() / "large.bin", size);
    compare(std::to_string(size >> 20) + " MB file, same file system", left.path(), right.path());
    // The copy holds the same bytes.
    const Timing unused = program_copy(left.path(), right.path());
    (void)unused;
    EXPECT_NO_THROW(time_command({"cmp", (left.path() / "large.bin").string(), (right.path() / "large.bin").string()}));
}

TEST_F(CopyBenchmark, DISABLED_OneLargeFileAcrossFileSystems) {
    const std::uint64_t size = big_size();
    ShmDir shm;
    ASSERT_FALSE(shm.path.empty());
    if (free_bytes(left.path()) < 2 * size || free_bytes(shm.path) < 2 * size)
        GTEST_SKIP() << "not enough room for the large file";
    write_pattern_file(left.path() / "large.bin", size);
    compare(std::to_string(size >> 20) + " MB file, to /dev/shm", left.path(), shm.path);
    const Timing unused = program_copy(left.path(), shm.path);
    (void)unused;
    EXPECT_NO_THROW(time_command({"cmp", (left.path() / "large.bin").string(), (shm.path / "large.bin").string()}));
}
