// Whole-file writes in a batch: new files land at once, replacements wait for one sync per batch and
// then take their targets' places; any failure leaves the old file whole and no temporary file behind.
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

namespace {

size_t entries_in(const std::filesystem::path& p) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(p), {}));
}

std::vector<std::string> failed_paths(const std::vector<files::BatchFailure>& failures) {
    std::vector<std::string> out;
    for (const auto& f : failures)
        out.push_back(f.Path);
    return out;
}

} // namespace

TEST(FsWriteBatch, NewFilesLandAtOnceReplacementsAtTheCommit) {
    TempDir dir("batch");
    auto old = dir.write("old.txt", "old bytes");
    ::chmod(old.c_str(), 0640);
    files::WriteBatch batch;
    files::write_file(dir / "new.txt", "new bytes");
    EXPECT_EQ(read_file(dir / "new.txt"), "new bytes");
    EXPECT_FALSE(batch.pending(dir / "new.txt"));

    files::write_file(old, "replacing bytes");
    EXPECT_TRUE(batch.pending(old));
    EXPECT_EQ(read_file(old), "old bytes") << "the old file stays in place until the commit";
    EXPECT_TRUE(files::file_exists(old));
    EXPECT_EQ(files::read_file_bytes(old), "replacing bytes") << "the program reads what it wrote";
    // Written twice in one batch: the second write wins.
    files::write_file(old, "second bytes");

    EXPECT_TRUE(batch.commit().empty());
    EXPECT_EQ(read_file(old), "second bytes");
    EXPECT_EQ(std::filesystem::status(old).permissions() & std::filesystem::perms::all, std::filesystem::perms(0640));
    EXPECT_EQ(entries_in(dir.path()), 2u) << "no temporary file stays";
}

TEST(FsWriteBatch, AFileWrittenEarlierInTheBatchCountsAsExisting) {
    TempDir dir("batch");
    files::WriteBatch batch;
    files::write_file(dir / "random.txt", "from random.8bf");
    EXPECT_TRUE(files::exists(dir / "random.txt"));
    files::write_file(dir / "random.txt", "from random.afs");
    EXPECT_TRUE(batch.pending(dir / "random.txt"));
    EXPECT_TRUE(files::file_exists(dir / "random.txt"));
    batch.commit();
    EXPECT_EQ(read_file(dir / "random.txt"), "from random.afs");
}

TEST(FsWriteBatch, AFailedSyncRenamesNothingAndKeepsEveryOldFileWhole) {
    TempDir dir("batch");
    auto a = dir.write("a.txt", "old a");
    auto b = dir.write("b.txt", "old b");
    files::FaultScope faults;
    files::inject_fault(files::Op::Sync, dir.path(), EIO);
    files::WriteBatch batch;
    files::write_file(a, "new a");
    files::write_file(b, "new b");
    EXPECT_EQ(failed_paths(batch.commit()), (std::vector<std::string>{a.string(), b.string()}));
    EXPECT_EQ(read_file(a), "old a");
    EXPECT_EQ(read_file(b), "old b");
    EXPECT_EQ(entries_in(dir.path()), 2u);
}

TEST(FsWriteBatch, AFailureBetweenTheSyncAndARenameKeepsThatOldFileWhole) {
    TempDir dir("batch");
    auto a = dir.write("a.txt", "old a");
    auto b = dir.write("b.txt", "old b");
    auto c = dir.write("c.txt", "old c");
    files::FaultScope faults;
    files::inject_fault(files::Op::Rename, b, EIO, 1);
    files::WriteBatch batch;
    for (const auto& p : {a, b, c})
        files::write_file(p, "new " + p.filename().string());
    EXPECT_EQ(failed_paths(batch.commit()), (std::vector<std::string>{b.string()}));
    EXPECT_EQ(read_file(a), "new a.txt");
    EXPECT_EQ(read_file(b), "old b");
    EXPECT_EQ(read_file(c), "new c.txt");
    EXPECT_EQ(entries_in(dir.path()), 3u);
}

TEST(FsWriteBatch, AFullDiskInTheMiddleOfABatchCostsOnlyTheFileBeingWritten) {
    TempDir dir("batch");
    auto a = dir.write("a.txt", "old a");
    auto b = dir.write("b.txt", "old b");
    files::FaultScope faults;
    files::WriteBatch batch;
    files::write_file(a, "new a");
    files::inject_fault(files::Op::Write, dir.path(), ENOSPC, 2);
    EXPECT_EQ(error_number_of([&] { files::write_file(b, std::string(4096, 'x')); }), 61);
    EXPECT_EQ(error_number_of([&] { files::write_file(dir / "c.txt", std::string(4096, 'y')); }), 61);
    EXPECT_FALSE(files::exists(dir / "c.txt")) << "a new file is never left half-written";
    files::write_file(dir / "d.txt", "new d");
    EXPECT_TRUE(batch.commit().empty());
    EXPECT_EQ(read_file(a), "new a");
    EXPECT_EQ(read_file(b), "old b");
    EXPECT_EQ(read_file(dir / "d.txt"), "new d");
    EXPECT_EQ(entries_in(dir.path()), 3u);
}

TEST(FsWriteBatch, ABatchLeftWithoutCommitCommitsAndWithoutABatchWritesAsReplaceFile) {
    TempDir dir("batch");
    auto a = dir.write("a.txt", "old a");
    {
        files::WriteBatch batch;
        files::WriteBatch inner;
        files::write_file(a, "new a");
        EXPECT_TRUE(batch.pending(a));
        EXPECT_TRUE(inner.commit().empty());
        EXPECT_TRUE(batch.pending(a)) << "an inner batch leaves the commit to the outer one";
    }
    EXPECT_EQ(read_file(a), "new a");
    EXPECT_EQ(files::WriteBatch::open(), nullptr);
    files::write_file(a, "direct");
    EXPECT_EQ(read_file(a), "direct");
    EXPECT_EQ(entries_in(dir.path()), 1u);
}
