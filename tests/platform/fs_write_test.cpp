// Whole-file writes through replace_file, reading, writing in place, and the Windows errors of the
// simple file calls.
#include "platform/fs/files.hpp"
#include "tests/support/fs_errors.hpp"
#include "tests/support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

using test_support::error_number_of;
using test_support::read_file;
using test_support::TempDir;

namespace {

size_t entries_in(const std::filesystem::path& p) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(p), {}));
}

} // namespace

TEST(FsReplaceFile, WritesNewAndReplacesOldFilesByteExactly) {
    TempDir dir("fs");
    std::string bytes("line\r\n\0\xA9\xFF", 9);
    files::replace_file(dir / "new.txt", bytes);
    EXPECT_EQ(read_file(dir / "new.txt"), bytes);
    EXPECT_EQ(files::read_file_bytes(dir / "new.txt"), bytes);
    files::replace_file(dir / "new.txt", "");
    EXPECT_EQ(files::file_length(dir / "new.txt"), 0u);
    EXPECT_EQ(entries_in(dir.path()), 1u);
}

TEST(FsReplaceFile, AWriteInterruptedBeforeTheRenameLeavesTheOldFileWhole) {
    TempDir dir("fs");
    auto p = dir.write("settings.ini", "old contents");
    files::FaultScope faults;
    files::inject_fault(files::Op::Rename, p, EIO, 1);
    EXPECT_NE(error_number_of([&] { files::replace_file(p, "new contents that never land"); }), 0);
    EXPECT_EQ(read_file(p), "old contents");
    EXPECT_EQ(entries_in(dir.path()), 1u) << "the temporary file is removed";

    // A disk that fills up halfway through the temporary file.
    files::inject_fault(files::Op::Write, p, ENOSPC, 1);
    EXPECT_EQ(error_number_of([&] { files::replace_file(p, std::string(4096, 'x')); }), 61);
    EXPECT_EQ(read_file(p), "old contents");
    EXPECT_EQ(entries_in(dir.path()), 1u);

    files::replace_file(p, "now it lands");
    EXPECT_EQ(read_file(p), "now it lands");
}

TEST(FsReplaceFile, KeepsPermissionsAndWritesThroughALink) {
    TempDir dir("fs");
    auto real = dir.write("real.txt", "old");
    ::chmod(real.c_str(), 0640);
    std::filesystem::create_symlink("real.txt", dir / "link.txt");
    files::replace_file(dir / "link.txt", "new");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.txt"));
    EXPECT_EQ(read_file(real), "new");
    struct stat st;
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(FsReplaceFile, FailsWith76WhenTheFolderIsMissing) {
    TempDir dir("fs");
    EXPECT_EQ(error_number_of([&] { files::replace_file(dir / "no/such/file", "x"); }), 76);
}

TEST(FsWriteAt, OverwritesBytesInPlace) {
    TempDir dir("fs");
    auto p = dir.write("lib.ffl", "abcdefgh");
    files::write_bytes_at(p, 2, "//");
    EXPECT_EQ(read_file(p), "ab//efgh");
    EXPECT_EQ(error_number_of([&] { files::write_bytes_at(dir / "missing", 0, "x"); }), 53);
}

TEST(FsErrors, SimpleCallsFailWithTheWindowsNumbers) {
    TempDir dir("fs");
    dir.write("full/f", "f");
    EXPECT_EQ(error_number_of([&] { files::read_file_bytes(dir / "missing.txt"); }), 53);
    EXPECT_EQ(error_number_of([&] { files::read_file_bytes(dir / "nofolder/missing.txt"); }), 76);
    EXPECT_EQ(error_number_of([&] { files::delete_file(dir / "missing.txt"); }), 53);
    EXPECT_EQ(error_number_of([&] { files::delete_file(dir / "full"); }), 53);
    EXPECT_EQ(error_number_of([&] { files::make_folder(dir / "full"); }), 75);
    EXPECT_EQ(error_number_of([&] { files::make_folder(dir / "a/b"); }), 76);
    EXPECT_EQ(error_number_of([&] { files::remove_folder(dir / "full"); }), 75);
    EXPECT_EQ(error_number_of([&] { files::remove_folder(dir / "missing"); }), 76);
    EXPECT_EQ(error_number_of([&] { files::file_length(dir / "missing"); }), 53);
    EXPECT_EQ(error_number_of([&] { files::list_files(dir / "missing"); }), 76);

    files::FaultScope faults;
    files::inject_fault(files::Op::Delete, dir / "full", EACCES);
    EXPECT_EQ(error_number_of([&] { files::delete_file(dir / "full/f"); }), 70);
    EXPECT_TRUE(std::filesystem::exists(dir / "full/f"));
    files::inject_fault(files::Op::Read, dir / "full/f", EIO, 1);
    EXPECT_EQ(error_number_of([&] { files::read_file_bytes(dir / "full/f"); }), 57);
    EXPECT_EQ(files::read_file_bytes(dir / "full/f"), "f") << "a fault given a count wears off";
}

TEST(FsErrors, MakeFoldersCreatesEveryMissingLevel) {
    TempDir dir("fs");
    files::make_folders(dir / "a/b/c");
    files::make_folders(dir / "a/b/c");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "a/b/c"));
    files::remove_folder(dir / "a/b/c");
    EXPECT_FALSE(std::filesystem::exists(dir / "a/b/c"));
}

TEST(FsLength, IsSixtyFourBit) {
    TempDir dir("fs");
    auto p = dir.write("big", "");
    ASSERT_EQ(::truncate(p.c_str(), 5'000'000'000LL), 0);
    EXPECT_EQ(files::file_length(p), 5'000'000'000ULL);
}
