// Rename, move and copy of a user's files: never replacing, never onto the same file, and moving
// between file systems by copy, check and delete.
#include "platform/fs/files.hpp"
#include "tests/support/fs_errors.hpp"
#include "tests/support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

using test_support::error_number_of;
using test_support::read_file;
using test_support::TempDir;

TEST(FsRename, OntoAnExistingFileFailsWith58AndKeepsBoth) {
    TempDir dir("fs");
    auto a = dir.write("a.txt", "first");
    auto b = dir.write("b.txt", "second");
    EXPECT_EQ(error_number_of([&] { files::rename(a, b); }), 58);
    EXPECT_EQ(read_file(a), "first");
    EXPECT_EQ(read_file(b), "second");
}

TEST(FsRename, OntoAnEmptyFolderFailsWith58AndKeepsBoth) {
    TempDir dir("fs");
    auto file = dir.write("file.8bf", "plugin");
    auto folder = dir.write("sub/x", "x").parent_path();
    std::filesystem::create_directory(dir / "empty");
    EXPECT_EQ(error_number_of([&] { files::rename(file, dir / "empty"); }), 58);
    EXPECT_EQ(error_number_of([&] { files::rename(folder, dir / "empty"); }), 58);
    EXPECT_EQ(read_file(file), "plugin");
    EXPECT_EQ(read_file(folder / "x"), "x");
    EXPECT_TRUE(std::filesystem::is_directory(dir / "empty"));
}

TEST(FsRename, OntoItselfOrAHiddenFileFailsWith58) {
    TempDir dir("fs");
    auto a = dir.write("a", "1");
    dir.write(".hidden", "2");
    EXPECT_EQ(error_number_of([&] { files::rename(a, a); }), 58);
    EXPECT_EQ(error_number_of([&] { files::rename(a, dir / ".hidden"); }), 58);
    EXPECT_EQ(read_file(dir / ".hidden"), "2");
}

TEST(FsRename, RenamesAndMovesFilesAndFoldersAndReportsMissingNames) {
    TempDir dir("fs");
    auto a = dir.write("a.txt", "A");
    dir.write("tree/inner/f", "F");
    std::filesystem::create_directory(dir / "dest");
    files::rename(a, dir / "dest/A.TXT");
    files::rename(dir / "tree", dir / "dest/tree");
    EXPECT_EQ(read_file(dir / "dest/A.TXT"), "A");
    EXPECT_EQ(read_file(dir / "dest/tree/inner/f"), "F");
    EXPECT_FALSE(std::filesystem::exists(a));
    EXPECT_EQ(error_number_of([&] { files::rename(dir / "nothing", dir / "x"); }), 53);
    EXPECT_EQ(error_number_of([&] { files::rename(dir / "dest/A.TXT", dir / "no/such/x"); }), 76);
}

TEST(FsRename, AcrossFileSystemsCopiesChecksThenRemovesTheSource) {
    TempDir dir("fs");
    auto file = dir.write("f.bin", std::string("\0\1\2bytes", 8));
    dir.write("tree/a", "A");
    dir.write("tree/sub/.b", "B");
    std::filesystem::create_symlink("a", dir / "tree/link");
    std::filesystem::create_directory(dir / "other");
    files::FaultScope faults;
    files::inject_fault(files::Op::Rename, dir / "other", EXDEV);
    files::rename(file, dir / "other/f.bin");
    files::rename(dir / "tree", dir / "other/tree");
    EXPECT_EQ(read_file(dir / "other/f.bin"), std::string("\0\1\2bytes", 8));
    EXPECT_EQ(read_file(dir / "other/tree/sub/.b"), "B");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "other/tree/link"));
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_FALSE(std::filesystem::exists(dir / "tree"));
}

TEST(FsRename, AFailedCopyAcrossFileSystemsLeavesTheSourceAndNoPartialCopy) {
    TempDir dir("fs");
    dir.write("tree/a", "A");
    dir.write("tree/b", "B");
    auto file = dir.write("f", "F");
    std::filesystem::create_directory(dir / "other");
    files::FaultScope faults;
    files::inject_fault(files::Op::Rename, dir / "other", EXDEV);
    files::inject_fault(files::Op::Write, dir / "other/tree/b", ENOSPC);
    EXPECT_EQ(error_number_of([&] { files::rename(dir / "tree", dir / "other/tree"); }), 61);
    EXPECT_FALSE(std::filesystem::exists(dir / "other/tree"));
    EXPECT_EQ(read_file(dir / "tree/b"), "B");

    // The source cannot be removed: the copy is taken back and the file stays where it was.
    files::inject_fault(files::Op::Delete, file, EACCES);
    EXPECT_EQ(error_number_of([&] { files::rename(file, dir / "other/f"); }), 70);
    EXPECT_FALSE(std::filesystem::exists(dir / "other/f"));
    EXPECT_EQ(read_file(file), "F");
}

TEST(FsRename, ARealMoveToAnotherFileSystemWorksWhenOneIsAtHand) {
    TempDir dir("fs");
    std::error_code ec;
    std::filesystem::path shm = "/dev/shm";
    if (!std::filesystem::is_directory(shm, ec) || files::same_file_system(dir.path(), shm))
        GTEST_SKIP() << "no second file system";
    auto target = shm / ("vexolan-fs-" + dir.path().filename().string());
    auto source = dir.write("moved.txt", "across");
    files::rename(source, target);
    EXPECT_EQ(read_file(target), "across");
    EXPECT_FALSE(std::filesystem::exists(source));
    std::filesystem::remove(target, ec);
}

TEST(FsCopy, OntoItselfIsRefusedByAnyNameAndChangesNothing) {
    TempDir dir("fs");
    auto a = dir.write("folder/a.8bf", "plugin bytes");
    std::filesystem::create_directory_symlink(dir / "folder", dir / "alias");
    EXPECT_EQ(error_number_of([&] { files::copy_file(a, a); }), 70);
    EXPECT_EQ(error_number_of([&] { files::copy_file(a, dir / "alias/a.8bf"); }), 70);
    EXPECT_EQ(read_file(a), "plugin bytes");
    EXPECT_TRUE(files::same_file(a, dir / "alias/a.8bf"));
    EXPECT_FALSE(files::same_file(a, dir / "alias/missing"));
}

TEST(FsCopy, ReplacesOnlyWhenAskedAndKeepsTheDate) {
    TempDir dir("fs");
    auto a = dir.write("a", "new");
    auto b = dir.write("b", "old");
    auto old_time = std::filesystem::file_time_type::clock::now() - std::chrono::hours(48);
    std::filesystem::last_write_time(a, old_time);
    EXPECT_EQ(error_number_of([&] { files::copy_file(a, b, false); }), 58);
    EXPECT_EQ(read_file(b), "old");
    files::copy_file(a, b);
    EXPECT_EQ(read_file(b), "new");
    EXPECT_EQ(files::file_date(b), files::file_date(a));
    files::copy_file(a, dir / "c", false);
    EXPECT_EQ(read_file(dir / "c"), "new");
    EXPECT_EQ(error_number_of([&] { files::copy_file(dir / "missing", dir / "d"); }), 53);
}

TEST(FsCopy, AFailedCopyLeavesTheOldTargetWholeAndNoTemporaryFile) {
    TempDir dir("fs");
    auto a = dir.write("a", std::string(100000, 'n'));
    auto b = dir.write("b", "old target");
    files::FaultScope faults;
    files::inject_fault(files::Op::Write, b, ENOSPC);
    EXPECT_EQ(error_number_of([&] { files::copy_file(a, b); }), 61);
    EXPECT_EQ(read_file(b), "old target");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST(FsCopy, EveryByteAndThePermissionsArriveWhateverTheSizeOrKindOfSource) {
    TempDir dir("fs");
    std::string large(9 << 20, '\0'); // more than one step of the copy
    for (std::size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<char>((i * 2654435761u) >> 13);
    struct Case {
        const char* name;
        std::string bytes;
        mode_t mode;
    };
    const Case cases[] = {
        {"empty", "", 0644},
        {"small", "plugin bytes", 0600},
        {"read-only", "kept read-only", 0444},
        {"executable", "#!/bin/sh\n", 0755},
        {"set-group", "runs as its group", 02755},
        {"large", large, 0640},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto from = dir.write(std::string("from/") + c.name, c.bytes);
        ASSERT_EQ(::chmod(from.c_str(), c.mode), 0);
        for (const char* into : {"to-new", "to-old"}) {
            auto to = dir.path() / into / c.name;
            std::filesystem::create_directories(to.parent_path());
            if (std::string(into) == "to-old")
                dir.write(std::string(into) + "/" + c.name, "an old file, longer than some");
            files::copy_file(from, to);
            EXPECT_EQ(read_file(to), c.bytes);
            struct stat st {};
            ASSERT_EQ(::stat(to.c_str(), &st), 0);
            EXPECT_EQ(st.st_mode & 07777, c.mode);
            EXPECT_EQ(files::file_date(to), files::file_date(from));
        }
    }
    // A file whose length the system does not know beforehand (the kernel copies nothing of it):
    // its bytes arrive all the same.
    files::copy_file("/proc/self/mounts", dir / "mounts");
    EXPECT_FALSE(read_file(dir / "mounts").empty());
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path() / "to-new"), {}), 6);
}
