// The cleaning of the temporary folder on real files: only what has rested on every count goes.
// A file held open, a file just read, a file just changed (its change time), and files on a file
// system mounted below the folder (a real small tmpfs) all stay; links are never followed.
#include "filemanager/zip_commands.hpp"
#include "tests/filemanager/file_commands_fixture.hpp"
#include "tests/support/small_tmpfs.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <thread>

using namespace vexolan;
using test_support::read_file;

namespace {

struct TempCleaningTest : test_support::FileCommandsTest {};

void set_times(const std::filesystem::path& p, std::time_t accessed, std::time_t modified) {
    struct timespec times[2] = {{accessed, 0}, {modified, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, p.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << p;
}

} // namespace

TEST_F(TempCleaningTest, OnlyWhatRestedOnEveryCountGoesAndNothingHeldOpenOrOnAnotherFileSystem) {
    test_support::TempDir temp{"tmp"}, outside{"outside"};
    const auto t = temp.path();
    std::filesystem::create_directory(t / "share");
    test_support::SmallTmpfs share(t / "share", 64 * 1024);
    if (!share.mounted()) files::inject_device(t / "share", 4242); // the file layer plays the second one
    for (const char* name : {"old.txt", "held.txt", "read.txt", "changed.txt", "share/old.bin"})
        temp.write(name, name);
    outside.write("old.txt", "outside");
    std::filesystem::create_directory_symlink(outside.path(), t / "away");

    const std::time_t now = std::time(nullptr), old = now - 2 * 24 * 3600;
    for (const char* name : {"old.txt", "held.txt", "changed.txt", "share/old.bin", "share", "away"})
        set_times(t / name, old, old);
    set_times(outside / "old.txt", old, old);
    set_times(t / "read.txt", now + 3600, old); // read after the moment the cleaning counts from
    const int held = ::open((t / "held.txt").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(held, 0);

    // Every change time set so far lies before the cutoff; the next change lies after it.
    std::this_thread::sleep_for(std::chrono::milliseconds(1100));
    const std::time_t cutoff = std::time(nullptr);
    ASSERT_EQ(::chmod((t / "changed.txt").c_str(), 0600), 0);

    EXPECT_EQ(CleanTemporaryFolder(app, t.string(), cutoff), 0);
    ::close(held);
    EXPECT_EQ(everything_in(t), (std::vector<std::string>{"changed.txt", "held.txt", "read.txt", "share"}));
    EXPECT_EQ(read_file(t / "share/old.bin"), "share/old.bin");
    EXPECT_EQ(read_file(outside / "old.txt"), "outside");
}
