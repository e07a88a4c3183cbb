#pragma once
// A real small file system for a test: a tmpfs of a chosen size mounted on a folder while the object
// lives, so that a disk that fills up is a real one. Mounting needs the right to mount; where it is
// not granted, mounted() is false and the test skips with a reason.
//
//     test_support::SmallTmpfs disk(folder, 64 * 1024);
//     if (!disk.mounted()) GTEST_SKIP() << disk.why();

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/mount.h>

namespace test_support {

class SmallTmpfs {
public:
    SmallTmpfs(const std::filesystem::path& folder, std::size_t bytes) : folder_(folder) {
        const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
        if (::mount("tmpfs", folder_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) == 0)
            mounted_ = true;
        else
            why_ = std::string("cannot mount a tmpfs here: ") + std::strerror(errno);
    }
    ~SmallTmpfs() {
        if (mounted_) ::umount2(folder_.c_str(), MNT_DETACH);
    }
    SmallTmpfs(const SmallTmpfs&) = delete;
    SmallTmpfs& operator=(const SmallTmpfs&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& why() const { return why_; }

private:
    std::filesystem::path folder_;
    bool mounted_ = false;
    std::string why_;
};

} // namespace test_support
