#include "platform/fs/files.hpp"

#include "platform/fs/patterns.hpp"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>
#include <utility>

namespace files {

namespace {

std::string g_curdir;
std::string g_app_folder;

struct Fault {
    Op op;
    std::string path;
    int err;
    int times;
    int successes = 0; // calls let through before the fault strikes
};
std::vector<Fault> g_faults;

struct FakeDevice {
    std::string path;
    std::uint64_t device;
};
std::vector<FakeDevice> g_devices;

struct FakeMount {
    std::string path;
    std::uint64_t mount;
};
std::vector<FakeMount> g_mounts;

struct Delay {
    Op op;
    std::string path;
    int milliseconds;
};
std::vector<Delay> g_delays;

// Counts the changes made through this layer, so that a shared listing is never older than one.
std::uint64_t g_changes = 0;

bool is_under(const std::string& path, const std::string& top) {
    if (path == top) return true;
    if (top == "/") return true;
    return path.size() > top.size() && path.compare(0, top.size(), top) == 0 && path[top.size()] == '/';
}

std::string parent_of(const std::string& abs) {
    auto slash = abs.find_last_of('/');
    if (slash == std::string::npos || slash == 0) return "/";
    return abs.substr(0, slash);
}

std::string name_of(const std::string& abs) {
    auto slash = abs.find_last_of('/');
    return slash == std::string::npos ? abs : abs.substr(slash + 1);
}

bool lexists(const std::string& abs) {
    struct stat st;
    return ::lstat(abs.c_str(), &st) == 0;
}

// The Windows error for a failed call on `abs`: a missing name whose folder is missing too is 76
// "Path not found", as Windows tells the two apart.
[[noreturn]] void fail(int err, const std::string& abs) {
    if (err == ENOENT && !lexists(parent_of(abs))) throw vb::Error(vb::ErrPathNotFound);
    throw vb::Error(vb::ErrorFromErrno(err));
}

// The errno a test chose for `op` on `abs`, or 0.
int injected_errno(Op op, const std::string& abs) {
    for (auto& f : g_faults) {
        if (f.times == 0 || !(f.op == Op::Any || f.op == op) || !is_under(abs, f.path)) continue;
        if (f.successes > 0) {
            --f.successes;
            continue;
        }
        if (f.times > 0) --f.times;
        return f.err;
    }
    return 0;
}

void check_fault(Op op, const std::string& abs) {
    for (const auto& d : g_delays) {
        if ((d.op == Op::Any || d.op == op) && is_under(abs, d.path))
            std::this_thread::sleep_for(std::chrono::milliseconds(d.milliseconds));
    }
    if (int err = injected_errno(op, abs)) fail(err, abs);
}

// An open descriptor, closed when it goes.
struct Fd {
    int fd = -1;
    explicit Fd(int f) : fd(f) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    int release() {
        int f = fd;
        fd = -1;
        return f;
    }
};

void write_all(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw errno;
        }
        data += n;
        size -= static_cast<size_t>(n);
    }
}

// Reads up to `size` bytes, fewer only at the end of the file.
size_t read_some(int fd, char* data, size_t size) {
    size_t got = 0;
    while (got < size) {
        ssize_t n = ::read(fd, data + got, size - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw errno;
        }
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    return got;
}

mode_t default_file_mode() {
    static mode_t mode = [] {
        mode_t mask = ::umask(0);
        ::umask(mask);
        return static_cast<mode_t>(0666 & ~mask);
    }();
    return mode;
}

// The file a write to `abs` lands in: a link is followed, so the link stays a link.
std::string write_target(const std::string& abs) {
    struct stat st;
    if (::lstat(abs.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        std::error_code ec;
        auto real = std::filesystem::weakly_canonical(abs, ec);
        if (!ec) return real.string();
    }
    return abs;
}

// A device, a FIFO or a socket is no file to write: replacing it would put a regular file in the
// place of something the system (or the user) relies on. A write that would land on one is refused,
// naming it, as a write onto a folder is refused.
bool is_special(const struct stat& st) {
    return S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) || S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode);
}

void refuse_special(const struct stat& st, const std::string& target) {
    if (is_special(st)) throw vb::Error(vb::ErrPathFileAccess, vb::ErrorText(vb::ErrPathFileAccess) + ": " + target);
}

// Whether a rename that refuses to replace failed only because the drive does not offer it (FAT,
// exFAT and NTFS through FUSE, NFS, CIFS answer EINVAL).
bool no_replace_missing(int err) {
    return err == EINVAL || err == EOPNOTSUPP || err == ENOSYS;
}

// Whether giving a file a second name failed because the drive has no hard links (FAT and exFAT
// answer EPERM).
bool links_missing(int err) {
    return err == EPERM || err == EOPNOTSUPP || err == ENOSYS || err == EMLINK;
}

// Gives the file `from` the second name `to`, never replacing anything: 0, or the errno.
int link_name(const std::string& from, const std::string& to) {
    if (int err = injected_errno(Op::Link, to)) return err;
    return ::link(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

// Renames `from` to `to` only when nothing has that name: 0, or the errno (EEXIST when the name is
// taken). Where the drive cannot refuse by itself, the name is checked and the file takes it as a
// second name, which never replaces, then leaves the first; where links are missing too, the check
// and a plain rename, which is atomic on such drives (the window between the two is the one rename()
// accepts as well).
int rename_no_replace(const std::string& from, const std::string& to) {
    int err = injected_errno(Op::NoReplace, to);
    if (err == 0) {
        if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
        err = errno;
    }
    if (!no_replace_missing(err)) return err;
    if (lexists(to)) return EEXIST;
    err = link_name(from, to);
    if (err == 0) {
        if (::unlink(from.c_str()) == 0) return 0;
        // The first name cannot go: the second is taken back, so the rename did nothing.
        err = errno;
        ::unlink(to.c_str());
        return err;
    }
    if (!links_missing(err)) return err;
    if (lexists(to)) return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

// The umask, read once (reading it means setting it).
mode_t process_umask() {
    static mode_t mask = [] {
        mode_t m = ::umask(0);
        ::umask(m);
        return m;
    }();
    return mask;
}

// Ten characters for a temporary file's name, different at every call.
std::string temp_suffix() {
    static std::uint64_t state = [] {
        timespec now{};
        ::clock_gettime(CLOCK_REALTIME, &now);
        return (static_cast<std::uint64_t>(now.tv_nsec) << 20) ^ static_cast<std::uint64_t>(now.tv_sec) ^
               (static_cast<std::uint64_t>(::getpid()) << 40) ^ 0x9E3779B97F4A7C15ULL;
    }();
    // xorshift64*: cheap, and a clash only costs another try.
    state ^= state >> 12;
    state ^= state << 25;
    state ^= state >> 27;
    std::uint64_t v = state * 0x2545F4914F6CDD1DULL;
    static constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string out(10, 'x');
    for (char& c : out) {
        c = Letters[v % 62];
        v /= 62;
    }
    return out;
}

// The hidden temporary name beside `target` that a write tries next. It is a short fixed prefix and
// random letters, not the target's own name: a target whose name uses the whole 255 bytes a name may
// have must still be replaceable, and a name longer than its target's would not fit.
std::string temp_name_beside(const std::string& target) {
    return join_path(parent_of(target), ".vexolan-" + temp_suffix());
}

// Creates a hidden temporary file beside `target` with the permissions `mode` (as far as the umask
// lets them; `exact` then tells whether they are all there); returns its descriptor and fills
// `tempPath`. Only this process can know the name until the file is complete, as with mkstemp.
int make_temp_beside(const std::string& target, std::string& tempPath, mode_t mode, bool& exact) {
    exact = (mode & process_umask()) == 0 && (mode & 07000) == 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = temp_name_beside(target);
        const int fd = ::open(tempPath.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode & 07777);
        if (fd >= 0) return fd;
        if (errno != EEXIST) fail(errno, target);
    }
    fail(EEXIST, target);
}

// A new file without a name in the folder of `target` (O_TMPFILE), with the permissions `mode` as far
// as the umask lets them (`exact` as for make_temp_beside); -1 where the file system has no such
// files. It takes its name only once it is complete, and vanishes when closed without one: nothing
// half-written ever carries a name, and no temporary name has to be made and renamed.
int open_unnamed_beside(const std::string& target, mode_t mode, bool& exact) {
    exact = (mode & process_umask()) == 0 && (mode & 07000) == 0;
    // The name is given through /proc; without it there are no unnamed files to be had.
    static const bool procThere = ::access("/proc/self/fd", F_OK) == 0;
    if (!procThere) return -1;
    if (int err = injected_errno(Op::Unnamed, target)) {
        errno = err;
        return -1;
    }
    return ::open(parent_of(target).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode & 07777);
}

// Gives the unnamed file `fd` the name `name`, never replacing anything: 0, or the errno (EEXIST when
// the name is taken).
int name_unnamed(int fd, const std::string& name) {
    if (int err = injected_errno(Op::Link, name)) return err;
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0 : errno;
}

// The bytes a copy moves per step. While a test has faults or delays armed, the steps are small, so
// that a fault can strike inside a file of a few pieces.
constexpr size_t CopyPiece = 8 << 20;
constexpr size_t TestCopyPiece = 1 << 16;

// Copies the bytes, date and permissions of the open file `in` (described by `st`) into `out`. The
// kernel copies from file to file where it can (copy_file_range: no trip through this process, and
// a shared extent where the file system offers one); otherwise the bytes pass through a buffer.
// `exactMode` says that `out` already has the permissions of `in`.
void copy_contents(int in, const struct stat& st, int out, const std::string& from, const std::string& to,
                   bool exactMode = false) {
    const bool testing = !g_faults.empty() || !g_delays.empty();
    const size_t piece = testing ? TestCopyPiece : CopyPiece;
    try {
        bool inKernel = true;
        // One buffer serves every copy of this thread.
        constexpr size_t BufferSize = 1 << 20;
        static thread_local std::unique_ptr<char[]> buffer;
        for (;;) {
            size_t n = 0;
            if (inKernel) {
                ssize_t got = ::copy_file_range(in, nullptr, out, nullptr, piece, 0);
                if (got < 0) {
                    const int err = errno;
                    if (err == EINTR) continue;
                    if (err != EXDEV && err != EINVAL && err != ENOSYS && err != EOPNOTSUPP && err != EBADF &&
                        err != ETXTBSY && err != EPERM)
                        throw err;
                    // Not between these two files: the rest goes through a buffer, from where the
                    // kernel stopped (it moved nothing, both offsets are where they were).
                    inKernel = false;
                    continue;
                }
                n = static_cast<size_t>(got);
                if (n == 0) {
                    // The kernel says the end; a read confirms it, as some files (those of /proc,
                    // for one) show the kernel copy nothing at all.
                    inKernel = false;
                    continue;
                }
                check_fault(Op::Read, from);
                check_fault(Op::Write, to);
            } else {
                const size_t bufferSize = std::min(piece, BufferSize);
                if (!buffer) buffer.reset(new char[BufferSize]);
                n = read_some(in, buffer.get(), bufferSize);
                if (n > 0) {
                    check_fault(Op::Read, from);
                    check_fault(Op::Write, to);
                    write_all(out, buffer.get(), n);
                }
            }
            if (n == 0) break;
        }
        check_fault(Op::Write, to);
        if (!exactMode && ::fchmod(out, st.st_mode & 07777) != 0) throw errno;
        struct timespec times[2] = {st.st_atim, st.st_mtim};
        if (::futimens(out, times) != 0) throw errno;
    } catch (int err) {
        fail(err, to);
    }
}

// Whether two files hold the same bytes.
bool same_contents(const std::string& a, const std::string& b) {
    Fd fa(::open(a.c_str(), O_RDONLY | O_CLOEXEC));
    Fd fb(::open(b.c_str(), O_RDONLY | O_CLOEXEC));
    if (fa.fd < 0 || fb.fd < 0) return false;
    std::unique_ptr<char[]> ba(new char[1 << 16]), bb(new char[1 << 16]);
    try {
        for (;;) {
            size_t na = read_some(fa.fd, ba.get(), 1 << 16);
            size_t nb = read_some(fb.fd, bb.get(), 1 << 16);
            if (na != nb || std::memcmp(ba.get(), bb.get(), na) != 0) return false;
            if (na == 0) return true;
        }
    } catch (int) {
        return false;
    }
}

DirEntry make_entry(std::string name, const struct stat& lst, const std::string& full) {
    DirEntry e;
    e.Name = std::move(name);
    struct stat st = lst;
    if (S_ISLNK(lst.st_mode)) {
        e.Attributes |= AttrLink;
        if (::stat(full.c_str(), &st) != 0) st = lst; // a broken link: a file of length 0
    }
    e.Regular = S_ISREG(st.st_mode);
    if (S_ISDIR(st.st_mode))
        e.Attributes |= AttrFolder;
    else if (!S_ISLNK(st.st_mode))
        e.Length = static_cast<std::uint64_t>(st.st_size);
    if (!(st.st_mode & S_IWUSR)) e.Attributes |= AttrReadOnly;
    if (!e.Name.empty() && e.Name[0] == '.') e.Attributes |= AttrHidden;
    e.Modified = st.st_mtim.tv_sec;
    e.Date = vb::DateFromTime(st.st_mtim.tv_sec);
    return e;
}

std::vector<DirEntry> list_entries(const Path& folder) {
    std::string abs = absolute_path(folder);
    check_fault(Op::List, abs);
    DIR* dir = ::opendir(abs.c_str());
    if (!dir) {
        int err = errno;
        if (err == ENOENT || err == ENOTDIR) throw vb::Error(vb::ErrPathNotFound);
        fail(err, abs);
    }
    std::vector<DirEntry> entries;
    while (dirent* d = ::readdir(dir)) {
        std::string name = d->d_name;
        if (name == "." || name == "..") continue;
        std::string full = join_path(abs, name);
        struct stat lst;
        if (::fstatat(::dirfd(dir), d->d_name, &lst, AT_SYMLINK_NOFOLLOW) != 0) continue; // gone meanwhile
        entries.push_back(make_entry(std::move(name), lst, full));
    }
    ::closedir(dir);
    return entries;
}

struct stat stat_or_fail(const std::string& abs) {
    struct stat st;
    if (::stat(abs.c_str(), &st) != 0) fail(errno, abs);
    return st;
}

// Removes everything in the open folder `dirFd` (named `path`), then nothing else; counts what stayed.
int empty_folder(int dirFd, const std::string& path) {
    int failures = 0;
    try {
        check_fault(Op::List, path);
    } catch (const vb::Error&) {
        return 1;
    }
    int listFd = ::dup(dirFd);
    DIR* dir = listFd >= 0 ? ::fdopendir(listFd) : nullptr;
    if (!dir) {
        if (listFd >= 0) ::close(listFd);
        return 1;
    }
    std::vector<std::string> names;
    while (dirent* d = ::readdir(dir)) {
        std::string name = d->d_name;
        if (name != "." && name != "..") names.push_back(std::move(name));
    }
    ::closedir(dir);
    for (const auto& name : names) {
        std::string full = join_path(path, name);
        struct stat st;
        if (::fstatat(dirFd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        try {
            if (S_ISDIR(st.st_mode)) {
                // O_NOFOLLOW: should the folder have been swapped for a link meanwhile, it is not entered.
                Fd sub(::openat(dirFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
                if (sub.fd < 0) throw vb::Error(vb::ErrorFromErrno(errno));
                failures += empty_folder(sub.fd, full);
                check_fault(Op::RemoveFolder, full);
                if (::unlinkat(dirFd, name.c_str(), AT_REMOVEDIR) != 0) throw vb::Error(vb::ErrorFromErrno(errno));
            } else {
                check_fault(Op::Delete, full);
                if (::unlinkat(dirFd, name.c_str(), 0) != 0) throw vb::Error(vb::ErrorFromErrno(errno));
            }
        } catch (const vb::Error&) {
            ++failures;
        }
    }
    return failures;
}

// Gives the copy `to` the permissions and times of the original `st`, as far as it can.
void keep_mode_and_times(const std::string& to, const struct stat& st) {
    ::chmod(to.c_str(), st.st_mode & 07777);
    struct timespec times[2] = {st.st_atim, st.st_mtim};
    ::utimensat(AT_FDCWD, to.c_str(), times, 0);
}

// Copies a file, link or folder tree to `to`, which must not exist (58 when it does). Only regular
// files are opened: a FIFO is made again as a FIFO (opening it would wait for a writer for good) and
// a link again as a link; a socket or a device is no file to copy and fails the copy (75) unopened.
void copy_tree(const std::string& from, const std::string& to) {
    struct stat st;
    if (::lstat(from.c_str(), &st) != 0) fail(errno, from);
    if (S_ISLNK(st.st_mode)) {
        std::string target(static_cast<size_t>(st.st_size) + 256, '\0');
        ssize_t n = ::readlink(from.c_str(), target.data(), target.size());
        if (n < 0) fail(errno, from);
        target.resize(static_cast<size_t>(n));
        check_fault(Op::Write, to);
        if (::symlink(target.c_str(), to.c_str()) != 0) fail(errno, to);
    } else if (S_ISDIR(st.st_mode)) {
        check_fault(Op::MakeFolder, to);
        if (::mkdir(to.c_str(), 0700) != 0) fail(errno, to);
        for (const auto& e : list_all(from))
            copy_tree(join_path(from, e.Name), join_path(to, e.Name));
        keep_mode_and_times(to, st);
    } else if (S_ISFIFO(st.st_mode)) {
        check_fault(Op::Write, to);
        if (::mkfifo(to.c_str(), 0600) != 0) fail(errno, to);
        keep_mode_and_times(to, st);
    } else if (S_ISREG(st.st_mode)) {
        check_fault(Op::Read, from);
        // Without waiting, and checked again once open: the name may lead to something else by now.
        Fd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
        if (in.fd < 0) fail(errno, from);
        if (::fstat(in.fd, &st) != 0) fail(errno, from);
        if (!S_ISREG(st.st_mode)) throw vb::Error(vb::ErrPathFileAccess);
        check_fault(Op::Write, to);
        Fd out(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
        if (out.fd < 0) fail(errno, to);
        copy_contents(in.fd, st, out.fd, from, to);
        if (::close(out.release()) != 0) fail(errno, to);
    } else {
        throw vb::Error(vb::ErrPathFileAccess);
    }
}

// Whether the tree at `b` is a faithful copy of the tree at `a`.
bool same_tree(const std::string& a, const std::string& b) {
    struct stat sa, sb;
    if (::lstat(a.c_str(), &sa) != 0 || ::lstat(b.c_str(), &sb) != 0) return false;
    if ((sa.st_mode & S_IFMT) != (sb.st_mode & S_IFMT)) return false;
    if (S_ISLNK(sa.st_mode)) return true;
    if (S_ISREG(sa.st_mode)) return sa.st_size == sb.st_size && same_contents(a, b);
    if (!S_ISDIR(sa.st_mode)) return true;
    try {
        auto entries = list_all(a);
        if (entries.size() != list_all(b).size()) return false;
        for (const auto& e : entries)
            if (!same_tree(join_path(a, e.Name), join_path(b, e.Name))) return false;
    } catch (const vb::Error&) {
        return false;
    }
    return true;
}

// A move between file systems: copy, check the copy, then remove the source. A failure before the
// source is touched removes the partial copy; the source is never removed unless the copy is whole.
void move_across(const std::string& from, const std::string& to) {
    try {
        copy_tree(from, to);
        if (!same_tree(from, to)) throw vb::Error(vb::ErrDeviceIO);
    } catch (const vb::Error& e) {
        // Only what this call made is removed: a 58 means the target was there before.
        if (e.number() != vb::ErrFileExists && lexists(to)) delete_tree(to);
        throw;
    }
    struct stat st;
    ::lstat(from.c_str(), &st);
    if (!S_ISDIR(st.st_mode)) {
        try {
            check_fault(Op::Delete, from);
            if (::unlink(from.c_str()) != 0) fail(errno, from);
        } catch (const vb::Error&) {
            // The source could not go: take the copy back, so the move did nothing.
            ::unlink(to.c_str());
            throw;
        }
    } else if (delete_tree(from) > 0) {
        // The whole tree is at the target; what could not be removed stays at the source too.
        throw vb::Error(vb::ErrPathFileAccess);
    }
}

std::string env_folder(const char* variable) {
    const char* value = std::getenv(variable);
    if (value && value[0] == '/') return std::string(value);
    return {};
}

std::string home_folder() {
    std::string home = env_folder("HOME");
    if (!home.empty()) return home;
    if (passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return "/";
}

} // namespace

// --- paths ---------------------------------------------------------------------------------------

std::string join_path(std::string_view folder, std::string_view name) {
    while (!name.empty() && name.front() == '/')
        name.remove_prefix(1);
    if (folder.empty()) return std::string(name);
    std::string out(folder);
    while (out.size() > 1 && out.back() == '/')
        out.pop_back();
    if (out != "/") out += '/';
    out += name;
    return out;
}

std::string with_separator(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

bool same_path(const std::string& a, const std::string& b) {
    return with_separator(a) == with_separator(b);
}

bool is_root(std::string_view path) {
    return !path.empty() && path.find_first_not_of('/') == std::string_view::npos;
}

std::string CurDir() {
    if (g_curdir.empty()) {
        std::error_code ec;
        auto cwd = std::filesystem::current_path(ec);
        g_curdir = ec ? "/" : cwd.string();
    }
    return g_curdir;
}

void ChDir(const Path& folder) {
    std::string abs = absolute_path(folder);
    struct stat st;
    if (::stat(abs.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) throw vb::Error(vb::ErrPathNotFound);
    g_curdir = abs;
}

namespace {

// Whether an absolute path is already in the form absolute_path gives: no empty, "." or ".." part and
// no "/" at its end. Most paths the program passes around are, and need no work.
bool is_plain_absolute(const std::string& s) {
    if (s.empty() || s[0] != '/') return false;
    if (s.size() == 1) return true;
    if (s.back() == '/') return false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '/') continue;
        const std::size_t next = s.find('/', i + 1);
        const std::string_view part =
            std::string_view(s).substr(i + 1, (next == std::string::npos ? s.size() : next) - i - 1);
        if (part.empty() || part == "." || part == "..") return false;
    }
    return true;
}

} // namespace

std::string absolute_path(const Path& p) {
    if (const std::string& native = p.native(); is_plain_absolute(native)) return native;
    Path full = p.is_absolute() ? p : Path(CurDir()) / p;
    std::string s = full.lexically_normal().string();
    while (s.size() > 1 && s.back() == '/')
        s.pop_back();
    return s;
}

std::string data_home() {
    std::string d = env_folder("XDG_DATA_HOME");
    return d.empty() ? join_path(home_folder(), ".local/share") : d;
}

std::string config_home() {
    std::string d = env_folder("XDG_CONFIG_HOME");
    return d.empty() ? join_path(home_folder(), ".config") : d;
}

// --- looking at files ----------------------------------------------------------------------------

bool exists(const Path& p) {
    return lexists(absolute_path(p));
}

bool file_exists(const Path& p) {
    struct stat st;
    return ::stat(absolute_path(p).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool folder_exists(const Path& p) {
    struct stat st;
    return ::stat(absolute_path(p).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int file_attributes(const Path& p) {
    std::string abs = absolute_path(p);
    struct stat st;
    if (::lstat(abs.c_str(), &st) != 0) fail(errno, abs);
    return make_entry(is_root(abs) ? "" : name_of(abs), st, abs).Attributes;
}

std::uint64_t file_length(const Path& p) {
    std::string abs = absolute_path(p);
    return static_cast<std::uint64_t>(stat_or_fail(abs).st_size);
}

vb::DateTime file_date(const Path& p) {
    std::string abs = absolute_path(p);
    return vb::DateFromTime(stat_or_fail(abs).st_mtim.tv_sec);
}

namespace {

// Whether the folder `folder` lists an entry of exactly this name.
bool listed(const std::string& folder, std::string_view name) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return false;
    bool found = false;
    while (dirent* d = ::readdir(dir))
        if (name == d->d_name) {
            found = true;
            break;
        }
    ::closedir(dir);
    return found;
}

// Whether two absolute paths that both resolve, and differ only in letter case, are one entry of a
// drive that folds case: at every name where they differ, its folder lists at most one of the two
// spellings. On a drive that keeps case both spellings are listed, as two entries.
bool one_entry_by_case(const std::string& a, const std::string& b) {
    if (a == b || !vb::EqualsNoCase(a, b)) return false;
    std::size_t start = 1;
    while (start < a.size()) {
        std::size_t end = a.find('/', start);
        if (end == std::string::npos) end = a.size();
        const std::string_view x = std::string_view(a).substr(start, end - start);
        const std::string_view y = std::string_view(b).substr(start, end - start);
        if (x != y) {
            const std::string folder = start == 1 ? std::string("/") : a.substr(0, start - 1);
            if (listed(folder, x) && listed(folder, y)) return false;
        }
        start = end + 1;
    }
    return true;
}

} // namespace

bool same_file(const Path& a, const Path& b) {
    // The second name is most often a target that is not there yet: asked first, it settles the
    // question with one call.
    const std::string pb = absolute_path(b);
    struct stat sb, sa;
    if (::stat(pb.c_str(), &sb) != 0) return false;
    const std::string pa = absolute_path(a);
    if (::stat(pa.c_str(), &sa) != 0) return false;
    if (sa.st_dev != sb.st_dev) return false;
    if (sa.st_ino == sb.st_ino) return true;
    return (sa.st_mode & S_IFMT) == (sb.st_mode & S_IFMT) && one_entry_by_case(pa, pb);
}

bool same_folder(const std::string& a, const std::string& b) {
    return same_path(a, b) || same_file(a, b);
}

namespace {

std::uint64_t device_of_abs(std::string abs) {
    // The faked device of the deepest folder a test named.
    const FakeDevice* fake = nullptr;
    for (const auto& d : g_devices)
        if (is_under(abs, d.path) && (!fake || d.path.size() > fake->path.size())) fake = &d;
    if (fake) return fake->device;
    struct stat st;
    while (::stat(abs.c_str(), &st) != 0) {
        if (abs == "/") return 0;
        abs = parent_of(abs);
    }
    return static_cast<std::uint64_t>(st.st_dev);
}

} // namespace

bool same_file_system(const Path& a, const Path& b) {
    return device_of_abs(absolute_path(a)) == device_of_abs(absolute_path(b));
}

std::uint64_t device_of(const Path& p) {
    return device_of_abs(absolute_path(p));
}

namespace {

// The kernel's mount id of `abs` from statx, whose record has a fixed layout: the mask of what was
// filled first, the mount id at byte 144 (named there only as padding by some C libraries). 0 when the
// kernel does not give it.
std::uint64_t statx_mount_id(const std::string& abs) {
    constexpr unsigned MountIdWanted = 0x1000; // STATX_MNT_ID
    alignas(8) unsigned char record[256] = {};
    if (::syscall(SYS_statx, AT_FDCWD, abs.c_str(), AT_SYMLINK_NOFOLLOW, MountIdWanted, record) != 0) return 0;
    std::uint32_t mask = 0;
    std::memcpy(&mask, record, sizeof mask);
    if (!(mask & MountIdWanted)) return 0;
    std::uint64_t id = 0;
    std::memcpy(&id, record + 144, sizeof id);
    return id;
}

// A mount point as /proc/self/mountinfo writes it, with blanks and the like as "\040".
std::string unescape_mount_point(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            out.push_back(
                static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0')));
            i += 3;
        } else {
            out.push_back(field[i]);
        }
    }
    return out;
}

// The mount of `abs` as /proc/self/mountinfo shows it: the mount at the longest mount point above the
// folder that holds it (of mounts on one point, the last, which hides the others). 0 when unknown.
std::uint64_t mountinfo_mount_id(const std::string& abs) {
    char* real = ::realpath(parent_of(abs).c_str(), nullptr);
    if (!real) return 0;
    const std::string where = join_path(real, name_of(abs));
    std::free(real);
    std::FILE* info = std::fopen("/proc/self/mountinfo", "re");
    if (!info) return 0;
    std::uint64_t found = 0;
    std::size_t longest = 0;
    char* line = nullptr;
    std::size_t room = 0;
    while (::getline(&line, &room, info) > 0) {
        unsigned long long id = 0;
        char point[4096];
        if (std::sscanf(line, "%llu %*u %*s %*s %4095s", &id, point) != 2) continue;
        const std::string mountPoint = unescape_mount_point(point);
        if (is_under(where, mountPoint) && mountPoint.size() >= longest) {
            longest = mountPoint.size();
            found = id;
        }
    }
    std::free(line);
    std::fclose(info);
    return found;
}

} // namespace

std::uint64_t mount_of(const Path& p) {
    const std::string abs = absolute_path(p);
    const FakeMount* fake = nullptr;
    for (const auto& m : g_mounts)
        if (is_under(abs, m.path) && (!fake || m.path.size() > fake->path.size())) fake = &m;
    if (fake) return fake->mount;
    if (const std::uint64_t id = statx_mount_id(abs)) return id;
    if (const std::uint64_t id = mountinfo_mount_id(abs)) return id;
    // Nothing tells mounts apart here: the file system has to do.
    return device_of_abs(abs);
}

std::string mount_top(const Path& p) {
    std::string abs = absolute_path(p);
    while (!lexists(abs) && abs != "/")
        abs = parent_of(abs);
    const std::uint64_t device = device_of_abs(abs);
    while (abs != "/" && device_of_abs(parent_of(abs)) == device)
        abs = parent_of(abs);
    return abs;
}

std::uint64_t free_space(const Path& folder) {
    std::string abs = absolute_path(folder);
    struct statvfs vfs;
    if (::statvfs(abs.c_str(), &vfs) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) throw vb::Error(vb::ErrPathNotFound);
        fail(errno, abs);
    }
    return static_cast<std::uint64_t>(vfs.f_bavail) * static_cast<std::uint64_t>(vfs.f_frsize);
}

std::string temp_folder() {
    std::string tmp = env_folder("TMPDIR");
    if (!tmp.empty() && folder_exists(tmp)) return absolute_path(tmp);
    return "/tmp";
}

std::string find_file_no_case(const Path& folder, std::string_view name) {
    if (name.empty() || name.find('/') != std::string_view::npos) return {};
    std::string abs = absolute_path(folder);
    std::string exact = join_path(abs, name);
    if (lexists(exact)) return exact;
    DIR* dir = ::opendir(abs.c_str());
    if (!dir) return {};
    std::string found;
    while (dirent* d = ::readdir(dir)) {
        if (vb::EqualsNoCase(d->d_name, name)) {
            found = join_path(abs, d->d_name);
            break;
        }
    }
    ::closedir(dir);
    return found;
}

// --- listing -------------------------------------------------------------------------------------

namespace {

std::uint64_t g_list_files = 0;

} // namespace

std::uint64_t list_files_count() {
    return g_list_files;
}

std::vector<DirEntry> list_files(const Path& folder, std::string_view patterns, ListOptions options) {
    ++g_list_files;
    std::vector<DirEntry> out;
    for (auto& e : list_entries(folder)) {
        if (e.is_folder() || (e.is_hidden() && !options.IncludeHidden)) continue;
        if (!patterns.empty() && !fs_patterns::MatchPatternList(e.Name, patterns)) continue;
        out.push_back(std::move(e));
    }
    return out;
}

std::vector<DirEntry> list_folders(const Path& folder, ListOptions options) {
    std::vector<DirEntry> out;
    for (auto& e : list_entries(folder)) {
        if (!e.is_folder() || (e.is_hidden() && !options.IncludeHidden)) continue;
        if (e.is_link() && !options.IncludeFolderLinks) continue;
        out.push_back(std::move(e));
    }
    return out;
}

std::vector<DirEntry> list_all(const Path& folder) {
    return list_entries(folder);
}

namespace {

struct FolderStamp {
    dev_t Device = 0;
    ino_t Inode = 0;
    off_t Size = 0;
    timespec Modified{}, Changed{};
    bool operator==(const FolderStamp& o) const {
        return Device == o.Device && Inode == o.Inode && Size == o.Size && Modified.tv_sec == o.Modified.tv_sec &&
               Modified.tv_nsec == o.Modified.tv_nsec && Changed.tv_sec == o.Changed.tv_sec &&
               Changed.tv_nsec == o.Changed.tv_nsec;
    }
};

std::optional<FolderStamp> stamp_of(const std::string& abs) {
    struct stat st;
    if (::stat(abs.c_str(), &st) != 0) return std::nullopt;
    return FolderStamp{st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

long long nanoseconds(const timespec& t) {
    return static_cast<long long>(t.tv_sec) * 1'000'000'000LL + t.tv_nsec;
}

struct SharedListing {
    std::string Folder;
    FolderStamp Stamp;
    std::uint64_t Changes = 0;
    std::chrono::steady_clock::time_point ReadAt;
    std::shared_ptr<const std::vector<DirEntry>> Entries;
};
SharedListing g_listing;
std::uint64_t g_readings = 0;

} // namespace

std::shared_ptr<const std::vector<DirEntry>> list_all_shared(const Path& folder) {
    const std::string abs = absolute_path(folder);
    const auto now = std::chrono::steady_clock::now();
    const auto stamp = stamp_of(abs);
    if (g_listing.Entries && stamp && g_listing.Folder == abs && g_listing.Stamp == *stamp &&
        g_listing.Changes == g_changes && now - g_listing.ReadAt < std::chrono::seconds(1))
        return g_listing.Entries;
    ++g_readings;
    timespec readStart{}, tick{};
    ::clock_gettime(CLOCK_REALTIME, &readStart);
    ::clock_getres(CLOCK_REALTIME_COARSE, &tick);
    auto entries = std::make_shared<const std::vector<DirEntry>>(list_entries(abs));
    g_listing = {};
    // A folder changed within a few clock ticks before the read could change again without its date
    // moving on: such a listing is not shared.
    if (stamp && nanoseconds(stamp->Modified) + 2 * nanoseconds(tick) < nanoseconds(readStart) &&
        nanoseconds(stamp->Changed) + 2 * nanoseconds(tick) < nanoseconds(readStart))
        g_listing = SharedListing{abs, *stamp, g_changes, now, entries};
    return entries;
}

std::uint64_t shared_listing_number() {
    return g_readings;
}

void forget_shared_listing() {
    g_listing = {};
}

// --- reading and writing -------------------------------------------------------------------------

namespace {

// Opens a file for reading, as every reader here does: injected faults first, a folder is no file.
// Only regular files are opened: a FIFO would block the open until a writer came, and a device or
// socket is no file to read, so they fail as a folder does. The type is looked at before the open,
// and the open does not wait (O_NONBLOCK), so that a FIFO put in the file's place meanwhile is still
// refused at once.
int open_for_reading(const std::string& abs, struct stat& st) {
    check_fault(Op::Read, abs);
    // A file that the open write batch has written but not yet put in place reads as written.
    std::string from = abs;
    if (WriteBatch* batch = WriteBatch::open(); batch && batch->has_pending()) from = batch->pending_file(abs);
    if (::stat(from.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) throw vb::Error(vb::ErrPathFileAccess);
    Fd fd(::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.fd < 0) fail(errno, abs);
    if (::fstat(fd.fd, &st) != 0) fail(errno, abs);
    if (!S_ISREG(st.st_mode)) throw vb::Error(vb::ErrPathFileAccess);
    // O_NONBLOCK stays: it changes nothing for a regular file, and clearing it would cost two more
    // calls to the system for every file read.
    return fd.release();
}

} // namespace

std::string read_file_bytes(const Path& p) {
    std::string abs = absolute_path(p);
    struct stat st;
    Fd fd(open_for_reading(abs, st));
    std::string bytes;
    try {
        // The length the file had when opened is read in one go; what it gained since is read after.
        if (st.st_size > 0) {
            bytes.resize(static_cast<size_t>(st.st_size));
            const size_t got = read_some(fd.fd, bytes.data(), bytes.size());
            bytes.resize(got);
            if (got < static_cast<size_t>(st.st_size)) return bytes; // it shrank: the end is reached
        }
        char buffer[1 << 15];
        while (size_t n = read_some(fd.fd, buffer, sizeof buffer))
            bytes.append(buffer, n);
    } catch (int err) {
        fail(err, abs);
    }
    return bytes;
}

namespace {

// Writes the whole of a file being made for `target`; a fault injected on writing `target` strikes
// halfway, as a full disk would.
void write_file_body(int fd, const std::string& target, std::string_view bytes) {
    if (g_faults.empty() && g_delays.empty()) {
        write_all(fd, bytes.data(), bytes.size());
        return;
    }
    size_t half = bytes.size() / 2;
    write_all(fd, bytes.data(), half);
    check_fault(Op::Write, target);
    write_all(fd, bytes.data() + half, bytes.size() - half);
}

// Writes `bytes` to `target`, which has no file yet, through an unnamed file that takes the name once
// complete and never over anything. False when that cannot be done here (no unnamed files on this file
// system, no /proc, or the name was taken meanwhile): the caller then writes through a named temporary
// file. A failure of the writing itself throws, and leaves nothing behind.
bool write_new(const std::string& target, std::string_view bytes, mode_t mode) {
    bool exact = false;
    Fd fd(open_unnamed_beside(target, mode, exact));
    if (fd.fd < 0) return false;
    try {
        write_file_body(fd.fd, target, bytes);
        if (!exact && ::fchmod(fd.fd, mode) != 0) throw errno;
    } catch (int err) {
        fail(err, target);
    }
    check_fault(Op::Rename, target);
    return name_unnamed(fd.fd, target) == 0;
}

// Writes `bytes` to a new temporary file beside `target` with the permissions `mode`, synced to the
// disk when `sync` is set; returns its name. A failure removes it.
std::string write_temp(const std::string& target, std::string_view bytes, mode_t mode, bool sync) {
    std::string temp;
    bool exact = false;
    Fd fd(make_temp_beside(target, temp, mode, exact));
    try {
        write_file_body(fd.fd, target, bytes);
        if (!exact && ::fchmod(fd.fd, mode) != 0) throw errno;
        if (sync && ::fsync(fd.fd) != 0) throw errno;
        if (::close(fd.release()) != 0) throw errno;
    } catch (int err) {
        ::unlink(temp.c_str());
        fail(err, target);
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
    return temp;
}

} // namespace

InputFile::InputFile(const Path& p) : path_(absolute_path(p)) {
    struct stat st;
    fd_ = open_for_reading(path_, st);
    length_ = static_cast<std::uint64_t>(st.st_size);
}

InputFile::~InputFile() {
    if (fd_ >= 0) ::close(fd_);
}

std::string InputFile::Read(std::uint64_t position, std::size_t length) const {
    if (position >= length_) return {};
    length = static_cast<std::size_t>(std::min<std::uint64_t>(length, length_ - position));
    std::string bytes(length, '\0');
    std::size_t got = 0;
    while (got < length) {
        ssize_t n = ::pread(fd_, bytes.data() + got, length - got, static_cast<off_t>(position + got));
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno, path_);
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return bytes;
}

void replace_file(const Path& p, std::string_view bytes) {
    ++g_changes;
    std::string target = write_target(absolute_path(p));
    mode_t mode = default_file_mode();
    if (struct stat old; ::stat(target.c_str(), &old) == 0) {
        if (S_ISDIR(old.st_mode)) throw vb::Error(vb::ErrPathFileAccess);
        refuse_special(old, target);
        mode = old.st_mode & 07777;
    }
    const std::string temp = write_temp(target, bytes, mode, true);
    try {
        check_fault(Op::Rename, target);
        if (::rename(temp.c_str(), target.c_str()) != 0) fail(errno, target);
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
}

namespace {

// Writes `bytes` over the file `target` from its first byte on and cuts what is left beyond them.
void write_over(const std::string& target, std::string_view bytes, std::uint64_t oldSize) {
    check_fault(Op::Write, target);
    Fd fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
    if (fd.fd < 0) fail(errno, target);
    try {
        std::size_t done = 0;
        while (done < bytes.size()) {
            ssize_t n = ::pwrite(fd.fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
            if (n < 0) {
                if (errno == EINTR) continue;
                throw errno;
            }
            done += static_cast<std::size_t>(n);
        }
        if (oldSize > bytes.size() && ::ftruncate(fd.fd, static_cast<off_t>(bytes.size())) != 0) throw errno;
        if (::fsync(fd.fd) != 0) throw errno;
        if (::close(fd.release()) != 0) throw errno;
    } catch (int err) {
        fail(err, target);
    }
}

} // namespace

void rewrite_file(const Path& p, std::string_view bytes) {
    ++g_changes;
    const std::string target = write_target(absolute_path(p));
    struct stat old;
    if (::stat(target.c_str(), &old) != 0) fail(errno, target);
    if (S_ISDIR(old.st_mode)) throw vb::Error(vb::ErrPathFileAccess);
    refuse_special(old, target);
    // Every name of a file with several must see the change: its bytes are written over.
    if (old.st_nlink > 1) return write_over(target, bytes, static_cast<std::uint64_t>(old.st_size));
    const std::string temp = write_temp(target, bytes, old.st_mode & 07777, true);
    // A copy that cannot be given the file's owner would take the file from its owner: the bytes are
    // written over the file instead.
    if (::chown(temp.c_str(), old.st_uid, old.st_gid) != 0) {
        ::unlink(temp.c_str());
        return write_over(target, bytes, static_cast<std::uint64_t>(old.st_size));
    }
    try {
        check_fault(Op::Rename, target);
        if (::rename(temp.c_str(), target.c_str()) != 0) fail(errno, target);
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
}

// --- write batches -------------------------------------------------------------------------------

namespace {

WriteBatch* g_batch = nullptr;

// A batch commits its replacements on the way once they hold this much, so that a large batch does
// not keep twice its size on the disk.
constexpr std::uint64_t CommitEveryBytes = 64ULL << 20;

} // namespace

WriteBatch::WriteBatch() : outer_(g_batch) {
    if (!outer_) g_batch = this;
}

WriteBatch::~WriteBatch() {
    if (outer_) return;
    commit_pending();
    g_batch = nullptr;
}

WriteBatch* WriteBatch::open() {
    return g_batch;
}

std::string WriteBatch::pending_file(const std::string& abs) const {
    const std::string target = write_target(abs);
    for (const auto& w : pending_)
        if (w.Target == target) return w.Temp;
    return abs;
}

bool WriteBatch::pending(const Path& p) const {
    if (outer_) return outer_->pending(p);
    const std::string target = write_target(absolute_path(p));
    return std::any_of(pending_.begin(), pending_.end(), [&](const Pending& w) { return w.Target == target; });
}

void WriteBatch::write(const Path& p, std::string_view bytes) {
    ++g_changes;
    if (outer_) return outer_->write(p, bytes);
    // One look at the name tells a new file (the common case) from a replacement; only a link needs
    // a second look, at the file it leads to.
    std::string target = absolute_path(p);
    mode_t mode = default_file_mode();
    struct stat old;
    bool replaces = ::lstat(target.c_str(), &old) == 0;
    if (replaces && S_ISLNK(old.st_mode)) {
        target = write_target(target);
        if (::stat(target.c_str(), &old) == 0)
            ;
        else if (lexists(target))
            old.st_mode = S_IFREG | mode; // a broken link: its name is taken
        else
            replaces = false;
    }
    if (replaces) {
        if (S_ISDIR(old.st_mode)) throw vb::Error(vb::ErrPathFileAccess);
        refuse_special(old, target);
        mode = old.st_mode & 07777;
    }
    const bool pendingHere =
        std::any_of(pending_.begin(), pending_.end(), [&](const Pending& w) { return w.Target == target; });
    if (!replaces && !pendingHere && write_new(target, bytes, mode)) return;
    std::string temp = write_temp(target, bytes, mode, false);
    auto earlier = std::find_if(pending_.begin(), pending_.end(), [&](const Pending& w) { return w.Target == target; });
    if (earlier != pending_.end()) {
        // Written twice in one batch: the later bytes win, the earlier ones never reach the target.
        ::unlink(earlier->Temp.c_str());
        earlier->Temp = std::move(temp);
        pendingBytes_ += bytes.size();
        return;
    }
    if (!replaces) {
        try {
            check_fault(Op::Rename, target);
        } catch (...) {
            ::unlink(temp.c_str());
            throw;
        }
        const int err = rename_no_replace(temp, target);
        if (err == 0) return;
        if (err != EEXIST) {
            ::unlink(temp.c_str());
            fail(err, target);
        }
        // Something took the name meanwhile: it is replaced like any old file.
    }
    pending_.push_back(Pending{target, std::move(temp)});
    pendingBytes_ += bytes.size();
    if (pendingBytes_ >= CommitEveryBytes) commit_pending();
}

void WriteBatch::commit_pending() {
    ++g_changes;
    // One sync per file system makes every pending temporary file durable; only then does any of them
    // take the place of an old file, so that a crash after a rename finds the new bytes on disk.
    struct Synced {
        dev_t Device;
        std::optional<vb::Error> Failure;
    };
    std::vector<Synced> devices;
    auto sync_of = [&](const Pending& w) -> const Synced& {
        struct stat st;
        const dev_t dev = ::stat(w.Temp.c_str(), &st) == 0 ? st.st_dev : 0;
        for (const Synced& d : devices)
            if (d.Device == dev) return d;
        Synced d{dev, std::nullopt};
        try {
            check_fault(Op::Sync, w.Target);
            Fd fd(::open(w.Temp.c_str(), O_RDONLY | O_CLOEXEC));
            if (fd.fd < 0 || ::syncfs(fd.fd) != 0) fail(errno, w.Target);
        } catch (const vb::Error& e) {
            d.Failure = e;
        }
        devices.push_back(d);
        return devices.back();
    };
    for (const Pending& w : pending_)
        sync_of(w);
    for (const Pending& w : pending_) {
        try {
            if (const Synced& d = sync_of(w); d.Failure) throw *d.Failure;
            check_fault(Op::Rename, w.Target);
            if (::rename(w.Temp.c_str(), w.Target.c_str()) != 0) fail(errno, w.Target);
        } catch (const vb::Error& e) {
            ::unlink(w.Temp.c_str());
            failures_.push_back(BatchFailure{w.Target, e});
        }
    }
    pending_.clear();
    pendingBytes_ = 0;
}

std::vector<BatchFailure> WriteBatch::commit() {
    if (outer_) return {};
    commit_pending();
    return std::exchange(failures_, {});
}

void write_file(const Path& p, std::string_view bytes) {
    if (WriteBatch* batch = WriteBatch::open())
        batch->write(p, bytes);
    else
        replace_file(p, bytes);
}

void write_bytes_at(const Path& p, std::uint64_t position, std::string_view bytes) {
    ++g_changes;
    std::string abs = absolute_path(p);
    check_fault(Op::Write, abs);
    if (struct stat st; ::stat(abs.c_str(), &st) == 0) refuse_special(st, write_target(abs));
    // Not waiting: should a FIFO have taken the file's place meanwhile, the open fails or the check
    // after it refuses, instead of waiting for a reader.
    Fd fd(::open(abs.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.fd < 0) fail(errno, abs);
    if (struct stat st; ::fstat(fd.fd, &st) == 0) refuse_special(st, write_target(abs));
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::pwrite(fd.fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(position + done));
        if (n < 0) {
            if (errno == EINTR) continue;
            fail(errno, abs);
        }
        done += static_cast<size_t>(n);
    }
    if (::close(fd.release()) != 0) fail(errno, abs);
}

// --- changing the tree ---------------------------------------------------------------------------

void rename(const Path& from, const Path& to) {
    ++g_changes;
    std::string a = absolute_path(from), b = absolute_path(to);
    int injected = injected_errno(Op::Rename, a);
    if (!injected) injected = injected_errno(Op::Rename, b);
    if (injected && injected != EXDEV) fail(injected, b);
    if (!lexists(a)) fail(ENOENT, a);
    if (lexists(b)) throw vb::Error(vb::ErrFileExists);
    // POSIX rename() replaces an existing file and even an empty folder; RENAME_NOREPLACE refuses,
    // and where the drive lacks it, rename_no_replace checks first. (An injected EXDEV lets tests take
    // the path of a move between file systems.)
    const int err = injected ? injected : rename_no_replace(a, b);
    if (err == 0) return;
    if (err == EXDEV) return move_across(a, b);
    if (err == EEXIST || err == ENOTEMPTY) throw vb::Error(vb::ErrFileExists);
    fail(err, b);
}

void copy_file(const Path& from, const Path& to, bool replace) {
    ++g_changes;
    std::string a = absolute_path(from);
    std::string b = absolute_path(to);
    // One look at the target's name; only a link needs a second look, at the file it leads to.
    struct stat target;
    bool there = ::lstat(b.c_str(), &target) == 0;
    const bool named = there;
    if (there && S_ISLNK(target.st_mode)) {
        b = write_target(b);
        there = ::stat(b.c_str(), &target) == 0;
    }
    check_fault(Op::Read, a);
    check_fault(Op::Write, b);
    Fd in(::open(a.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.fd < 0) fail(errno, a);
    struct stat st;
    if (::fstat(in.fd, &st) != 0) fail(errno, a);
    if (S_ISDIR(st.st_mode)) throw vb::Error(vb::ErrPathFileAccess);
    if (there) {
        // Onto itself (the same name, a link, a hard link, a bind mount, or another spelling on a drive
        // that folds letter case) the copy would destroy the source while writing it: refuse, as
        // Windows does.
        if (target.st_dev == st.st_dev &&
            (target.st_ino == st.st_ino || (S_ISREG(target.st_mode) && one_entry_by_case(a, b))))
            throw vb::Error(vb::ErrPermissionDenied);
        if (S_ISDIR(target.st_mode)) throw vb::Error(vb::ErrPathFileAccess);
        refuse_special(target, b);
        if (!replace) throw vb::Error(vb::ErrFileExists);
    } else if (named && lexists(b) && !replace) {
        throw vb::Error(vb::ErrFileExists);
    }
    std::string temp;
    // The copy is made with the source's permissions when the umask lets them all through (it is the
    // owner's until it has its name, which no one else knows). Onto a name that is free, it is an
    // unnamed file that takes the name once complete; otherwise a hidden temporary file renamed over
    // the old one.
    bool exact = false;
    if (!named) {
        Fd unnamed(open_unnamed_beside(b, st.st_mode & 0777, exact));
        if (unnamed.fd >= 0) {
            copy_contents(in.fd, st, unnamed.fd, a, b, exact && (st.st_mode & 07000) == 0);
            const int err = name_unnamed(unnamed.fd, b);
            if (err == 0) return;
            if (err == EEXIST && !replace) throw vb::Error(vb::ErrFileExists);
            // The name was taken meanwhile (it is replaced as any old file), or the drive cannot give
            // an unnamed file a name: the copy is made again under a temporary name, from the start.
            if (::lseek(in.fd, 0, SEEK_SET) != 0) fail(errno, a);
        }
    }
    Fd out(make_temp_beside(b, temp, st.st_mode & 0777, exact));
    try {
        copy_contents(in.fd, st, out.fd, a, b, exact && (st.st_mode & 07000) == 0);
        if (::close(out.release()) != 0) fail(errno, b);
        const int err = replace ? (::rename(temp.c_str(), b.c_str()) == 0 ? 0 : errno) : rename_no_replace(temp, b);
        if (err == EEXIST) throw vb::Error(vb::ErrFileExists);
        if (err != 0) fail(err, b);
    } catch (...) {
        ::unlink(temp.c_str());
        throw;
    }
}

void delete_file(const Path& p) {
    ++g_changes;
    std::string abs = absolute_path(p);
    check_fault(Op::Delete, abs);
    struct stat st;
    if (::lstat(abs.c_str(), &st) != 0) fail(errno, abs);
    if (S_ISDIR(st.st_mode)) throw vb::Error(vb::ErrFileNotFound); // Kill matches files only
    if (::unlink(abs.c_str()) != 0) fail(errno, abs);
}

void make_folder(const Path& p) {
    ++g_changes;
    std::string abs = absolute_path(p);
    check_fault(Op::MakeFolder, abs);
    if (::mkdir(abs.c_str(), 0777) == 0) return;
    int err = errno;
    if (err == EEXIST) throw vb::Error(vb::ErrPathFileAccess);
    if (err == ENOENT || err == ENOTDIR) throw vb::Error(vb::ErrPathNotFound);
    fail(err, abs);
}

void make_folders(const Path& p) {
    std::string abs = absolute_path(p);
    if (folder_exists(abs)) return;
    if (!is_root(abs)) make_folders(parent_of(abs));
    make_folder(abs);
}

void remove_folder(const Path& p) {
    ++g_changes;
    std::string abs = absolute_path(p);
    check_fault(Op::RemoveFolder, abs);
    if (::rmdir(abs.c_str()) == 0) return;
    int err = errno;
    if (err == ENOTEMPTY || err == EEXIST || err == EBUSY) throw vb::Error(vb::ErrPathFileAccess);
    if (err == ENOENT || err == ENOTDIR) throw vb::Error(vb::ErrPathNotFound);
    fail(err, abs);
}

int delete_tree(const Path& folder) {
    ++g_changes;
    std::string abs = absolute_path(folder);
    struct stat st;
    if (::lstat(abs.c_str(), &st) != 0) throw vb::Error(vb::ErrPathNotFound);
    if (!S_ISDIR(st.st_mode)) {
        // A link (or a file) in place of the folder: only the link goes, never what it leads to.
        try {
            check_fault(Op::Delete, abs);
            if (::unlink(abs.c_str()) != 0) return 1;
        } catch (const vb::Error&) {
            return 1;
        }
        return 0;
    }
    Fd dir(::open(abs.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (dir.fd < 0) return 1;
    int failures = empty_folder(dir.fd, abs);
    try {
        check_fault(Op::RemoveFolder, abs);
        if (::rmdir(abs.c_str()) != 0) ++failures;
    } catch (const vb::Error&) {
        ++failures;
    }
    return failures;
}

// --- the application folder ----------------------------------------------------------------------

std::string app_folder() {
    return g_app_folder.empty() ? join_path(data_home(), "vexolan") : g_app_folder;
}

void set_app_folder(const Path& folder) {
    g_app_folder = folder.empty() ? std::string() : absolute_path(folder);
}

std::string app_path(std::string_view relative) {
    std::string current = app_folder();
    bool found = true;
    while (!relative.empty()) {
        size_t slash = relative.find('/');
        std::string_view part = relative.substr(0, slash);
        relative = slash == std::string_view::npos ? std::string_view{} : relative.substr(slash + 1);
        if (part.empty()) continue;
        // Once a part is missing, nothing below it can be there.
        std::string there = found ? find_file_no_case(current, part) : std::string();
        found = !there.empty();
        current = found ? there : join_path(current, part);
    }
    return current;
}

namespace {

void fill_missing(const std::string& installed, const std::string& target, std::optional<vb::Error>& first) {
    for (const auto& e : list_all(installed)) {
        std::string source = join_path(installed, e.Name);
        try {
            std::string there = find_file_no_case(target, e.Name);
            if (folder_exists(source)) {
                if (there.empty()) {
                    there = join_path(target, e.Name);
                    make_folder(there);
                }
                if (folder_exists(there)) fill_missing(source, there, first);
            } else if (there.empty() && file_exists(source)) {
                copy_file(source, join_path(target, e.Name), false);
            }
        } catch (const vb::Error& err) {
            if (!first) first = err;
        }
    }
}

} // namespace

void prepare_app_folder(const Path& installed) {
    std::string target = app_folder();
    make_folders(target);
    std::optional<vb::Error> first;
    fill_missing(absolute_path(installed), target, first);
    if (first) throw *first;
}

// --- fault injection -----------------------------------------------------------------------------

void inject_fault(Op op, const Path& path, int err, int times) {
    g_faults.push_back(Fault{op, absolute_path(path), err, times});
}

void inject_fault_after(Op op, const Path& path, int err, int successes) {
    g_faults.push_back(Fault{op, absolute_path(path), err, 1, successes});
}

void inject_device(const Path& path, std::uint64_t device) {
    g_devices.push_back(FakeDevice{absolute_path(path), device});
}

void inject_mount(const Path& path, std::uint64_t mount) {
    g_mounts.push_back(FakeMount{absolute_path(path), mount});
}

void inject_delay(Op op, const Path& path, int milliseconds) {
    g_delays.push_back(Delay{op, absolute_path(path), milliseconds});
}

void clear_faults() {
    g_faults.clear();
    g_delays.clear();
    g_devices.clear();
    g_mounts.clear();
}

} // namespace files
