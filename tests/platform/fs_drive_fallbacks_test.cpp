// The whole-file writers on a drive without what their fast path uses, played on the test's own file
// system by fault points: no unnamed temporary files (EOPNOTSUPP, as NTFS, exFAT and FAT through FUSE
// answer), no renames that refuse to replace (EINVAL, as those and NFS and CIFS answer) and no hard
// links (EPERM, as exFAT and FAT answer), alone and together. Every write lands whole, leaves no
// temporary file, and still never replaces where it promises not to.

#include "platform/fs/files.hpp"
#include "platform/settings/settings.hpp"
#include "tests/support/fs_errors.hpp"
#include "tests/support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

namespace {

struct Missing {
    const char* What;
    std::vector<std::pair<files::Op, int>> Faults;
};

const Missing Drives[] = {
    {"no unnamed files", {{files::Op::Unnamed, EOPNOTSUPP}}},
    {"no no-replace rename", {{files::Op::NoReplace, EINVAL}}},
    {"no hard links", {{files::Op::Link, EPERM}}},
    {"none of the three (FAT, exFAT)",
     {{files::Op::Unnamed, EOPNOTSUPP}, {files::Op::NoReplace, EINVAL}, {files::Op::Link, EPERM}}},
};

struct Writer {
    const char* What;
    // Writes `bytes` as `name` in `dir`, over the file there when `old` is set.
    std::function<void(const test_support::TempDir& dir, const std::string& name, const std::string& bytes)> Write;
    bool Replaces = true; // false: a writer that must refuse an existing file
};

std::string source_of(const test_support::TempDir& dir, const std::string& bytes) {
    return dir.write("source.bin", bytes).string();
}

const Writer Writers[] = {
    {"write batch",
     [](const test_support::TempDir& dir, const std::string& name, const std::string& bytes) {
         files::WriteBatch batch;
         files::write_file(dir.path() / name, bytes);
         EXPECT_TRUE(batch.commit().empty());
     }},
    {"replace_file", [](const test_support::TempDir& dir, const std::string& name,
                        const std::string& bytes) { files::replace_file(dir.path() / name, bytes); }},
    {"rewrite_file",
     [](const test_support::TempDir& dir, const std::string& name, const std::string& bytes) {
         if (!files::exists(dir.path() / name)) dir.write(name, "");
         files::rewrite_file(dir.path() / name, bytes);
     }},
    {"copy_file replacing",
     [](const test_support::TempDir& dir, const std::string& name, const std::string& bytes) {
         files::copy_file(source_of(dir, bytes), dir.path() / name, true);
         files::delete_file(dir.path() / "source.bin");
     }},
    {"copy_file without replacing",
     [](const test_support::TempDir& dir, const std::string& name, const std::string& bytes) {
         const std::string source = source_of(dir, bytes);
         try {
             files::copy_file(source, dir.path() / name, false);
         } catch (...) {
             files::delete_file(source);
             throw;
         }
         files::delete_file(source);
     },
     false},
    {"rename (a user's file, never replacing)",
     [](const test_support::TempDir& dir, const std::string& name, const std::string& bytes) {
         const std::string source = source_of(dir, bytes);
         try {
             files::rename(source, dir.path() / name);
         } catch (...) {
             files::delete_file(source);
             throw;
         }
     },
     false},
    {"settings store",
     [](const test_support::TempDir& dir, const std::string& name, const std::string& bytes) {
         settings::Store store(dir.path() / name);
         store.SaveSetting("Vexo10", "Settings", "Value", bytes);
     }},
};

// What a writer left in the file, as the writer itself sees it (the settings store keeps its value
// inside its own file).
std::string read_back(const Writer& w, const test_support::TempDir& dir, const std::string& name) {
    if (std::string(w.What) == "settings store")
        return settings::Store(dir.path() / name).GetSetting("Vexo10", "Settings", "Value");
    return test_support::read_file(dir.path() / name);
}

} // namespace

TEST(FsDriveFallbacks, EveryWholeFileWriteLandsWholeWithoutWhatTheDriveLacks) {
    for (const Missing& drive : Drives) {
        for (const Writer& w : Writers) {
            SCOPED_TRACE(std::string(drive.What) + ", " + w.What);
            test_support::TempDir dir{"fallback"};
            files::FaultScope faults;
            for (const auto& [op, err] : drive.Faults)
                files::inject_fault(op, dir.path(), err);

            // A new file.
            const int made = test_support::error_number_of([&] { w.Write(dir, "new.dat", "first bytes"); });
            EXPECT_EQ(made, 0);
            if (made != 0) continue;
            EXPECT_EQ(read_back(w, dir, "new.dat"), "first bytes");
            // An old file: replaced whole, or, by a writer that never replaces, refused and kept.
            const int err = test_support::error_number_of([&] { w.Write(dir, "new.dat", "second"); });
            if (w.Replaces) {
                EXPECT_EQ(err, 0);
                EXPECT_EQ(read_back(w, dir, "new.dat"), "second");
            } else {
                EXPECT_EQ(err, vb::ErrFileExists);
                EXPECT_EQ(read_back(w, dir, "new.dat"), "first bytes");
            }
            // Nothing else: no temporary file left beside it.
            std::vector<std::string> names;
            for (const auto& e : std::filesystem::directory_iterator(dir.path()))
                names.push_back(e.path().filename().string());
            EXPECT_EQ(names, (std::vector<std::string>{"new.dat"}));
        }
    }
}
