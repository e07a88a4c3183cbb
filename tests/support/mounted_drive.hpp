#pragma once
// A drive of a kind a user's plug-ins live on besides the home folder, made for one test: an image
// file formatted as NTFS, exFAT or FAT and mounted through its FUSE driver (ntfs-3g, exfat-fuse on a
// loop device, fusefat) on a folder while the object lives. Where the machine cannot make or mount it
// (no tools, no /dev/fuse, no right to mount), mounted() is false and why() says why, for a visible
// skip. The drive is unmounted (and its loop device let go) when the object goes, a failed test
// included.
//
//     test_support::MountedDrive drive(test_support::DriveKind::Fat, scratch);
//     if (!drive.mounted()) GTEST_SKIP() << drive.why();

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace test_support {

enum class DriveKind { Ntfs, Exfat, Fat };

inline const char* drive_name(DriveKind kind) {
    switch (kind) {
    case DriveKind::Ntfs:
        return "NTFS";
    case DriveKind::Exfat:
        return "exFAT";
    case DriveKind::Fat:
        return "FAT";
    }
    return "?";
}

class MountedDrive {
public:
    // Makes the image and the mount folder inside `scratch` (a folder of the test's own).
    MountedDrive(DriveKind kind, const std::filesystem::path& scratch)
        : kind_(kind), image_(scratch / "drive.img"), top_(scratch / "drive") {
        std::error_code ec;
        std::filesystem::create_directories(top_, ec);
        if (!std::filesystem::exists("/dev/fuse")) {
            why_ = "no /dev/fuse on this machine";
            return;
        }
        {
            std::FILE* image = std::fopen(image_.c_str(), "wb");
            if (!image) {
                why_ = "cannot make the image file";
                return;
            }
            std::fclose(image);
            std::filesystem::resize_file(image_, 64u << 20, ec);
        }
        switch (kind_) {
        case DriveKind::Ntfs:
            if (!run({"mkntfs", "-F", "-Q", "-q", image_}, "mkntfs")) return;
            if (!run({"ntfs-3g", image_, top_}, "ntfs-3g")) return;
            break;
        case DriveKind::Exfat:
            if (!run({"mkfs.exfat", image_}, "mkfs.exfat")) return;
            loop_ = output_of({"losetup", "-f", "--show", image_});
            if (loop_.empty()) {
                why_ = "no loop device for exfat-fuse (losetup failed)";
                return;
            }
            if (!run({"mount.exfat-fuse", loop_, top_}, "mount.exfat-fuse")) return;
            break;
        case DriveKind::Fat:
            if (!run({"mkfs.vfat", image_}, "mkfs.vfat")) return;
            if (!run({"fusefat", "-o", "rw+", image_, top_}, "fusefat")) return;
            break;
        }
        mounted_ = true;
    }
    ~MountedDrive() {
        // A driver still busy with the last writes refuses for a moment: asked again, then detached.
        bool gone = !mounted_;
        for (int attempt = 0; !gone && attempt < 20; ++attempt) {
            gone = run({"fusermount", "-u", top_}, "");
            if (!gone) ::usleep(100 * 1000);
        }
        if (!gone) run({"fusermount", "-u", "-z", top_}, "");
        for (int attempt = 0; !loop_.empty() && attempt < 20; ++attempt) {
            if (run({"losetup", "-d", loop_}, "")) break;
            ::usleep(100 * 1000);
        }
    }
    MountedDrive(const MountedDrive&) = delete;
    MountedDrive& operator=(const MountedDrive&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& why() const { return why_; }
    // The drive's top folder, and a folder on it made on the spot.
    std::string top() const { return top_.string(); }
    std::string folder(const std::string& name) const {
        std::error_code ec;
        std::filesystem::create_directories(top_ / name, ec);
        return (top_ / name).string();
    }
    DriveKind kind() const { return kind_; }

private:
    // Runs a program (no shell) with its output thrown away; false, with the reason noted, when it
    // cannot run or fails.
    bool run(const std::vector<std::string>& argv, const std::string& what) {
        const int status = spawn(argv, nullptr);
        if (status == 0) return true;
        if (!what.empty())
            why_ = what + (status == 127 ? " is not installed" : " failed (status " + std::to_string(status) + ")") +
                   ": cannot make or mount a " + drive_name(kind_) + " drive here";
        return false;
    }
    // What a program prints on its first line; "" when it fails.
    std::string output_of(const std::vector<std::string>& argv) {
        std::string out;
        if (spawn(argv, &out) != 0) return {};
        while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
            out.pop_back();
        return out;
    }
    static int spawn(const std::vector<std::string>& argv, std::string* out) {
        int pipeFds[2] = {-1, -1};
        if (out && ::pipe(pipeFds) != 0) return -1;
        std::vector<char*> args;
        for (const auto& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        const pid_t pid = ::fork();
        if (pid < 0) return -1;
        if (pid == 0) {
            if (std::FILE* null = std::freopen("/dev/null", "w", stderr)) (void)null;
            if (out) {
                ::dup2(pipeFds[1], 1);
                ::close(pipeFds[0]);
            } else if (std::FILE* null = std::freopen("/dev/null", "w", stdout)) {
                (void)null;
            }
            ::execvp(args[0], args.data());
            _exit(127);
        }
        if (out) {
            ::close(pipeFds[1]);
            char buffer[256];
            ssize_t n;
            while ((n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0)
                out->append(buffer, static_cast<std::size_t>(n));
            ::close(pipeFds[0]);
        }
        int status = 0;
        if (::waitpid(pid, &status, 0) != pid) return -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    DriveKind kind_;
    std::filesystem::path image_, top_;
    std::string loop_;
    bool mounted_ = false;
    std::string why_;
};

} // namespace test_support
