// Small faults of the file manager on real folders: the inline rename onto a link that leads
// nowhere, a pane left on a folder link another pane killed, and Move Folder into its own sub-folder.
// Then the last small faults, one row each: a Move stopped at "Continue anyway?", Move Folder of
// special files onto another mount, the temporary folder's cleaning beside bind mounts, mapped files
// and running programs, filter threads that cannot start, and a shifted source far off the picture.
#include "filemanager/copy_move.hpp"
#include "filemanager/folders.hpp"
#include "filemanager/selection.hpp"
#include "filemanager/zip_commands.hpp"
#include "tests/filemanager/file_commands_fixture.hpp"

#include "platform/imgman/ff_program.hpp"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <functional>
#include <iostream>
#include <memory>
#include <thread>

using namespace vexolan;
using test_support::read_file;

namespace {

struct SmallFaultsTest : test_support::FileCommandsTest {};

} // namespace

TEST_F(SmallFaultsTest, InlineRenameOntoALinkLeadingNowhereAsksOnceAndReplacesTheLink) {
    left.write("a.txt", "AAA");
    std::filesystem::create_symlink(left / "nowhere", left / "b.txt");
    start();
    select_items(0, {"a.txt"});
    f.ListView1[0].SetSelectedItem(&item(0, "a.txt"));
    host.answer_msgbox(ui::vbOK, "Overwrite b.txt ?", ui::vbOKCancel + ui::vbExclamation, "Overwrite?");
    f.ListView1[0].StartLabelEdit();
    f.ListView1[0].user_label_edit("b.txt");
    EXPECT_EQ(host.message_boxes().size(), 1u);
    EXPECT_EQ(everything_in(left), std::vector<std::string>{"b.txt"});
    EXPECT_FALSE(std::filesystem::is_symlink(left / "b.txt"));
    EXPECT_EQ(read_file(left / "b.txt"), "AAA");
    EXPECT_FALSE(std::filesystem::exists(left / "nowhere"));
}

TEST_F(SmallFaultsTest, KillingAFolderLinkTakesTheOtherPaneOffThePathThatIsGone) {
    left.write("Real/sub/x.txt", "x");
    std::filesystem::create_directory_symlink(left / "Real", left / "Link");
    start();
    open_folder(0, folder(left, "Link"));
    open_folder(1, folder(left, "Link/sub"));
    set_mode(0, 4); // Classic: the folder box's open folder is the one killed
    host.answer_msgbox(ui::vbYes, "Kill the selected folder(s) and the files they contain?");
    cmd_KillDir(app);
    EXPECT_FALSE(std::filesystem::exists(left / "Link"));
    EXPECT_EQ(read_file(left / "Real/sub/x.txt"), "x"); // the link went, not what it led to
    EXPECT_EQ(f.Dir1[0].Path.get(), folder(left));
    EXPECT_EQ(f.Dir1[1].Path.get(), folder(left));
    EXPECT_EQ(f.File1[1].Path.get(), folder(left));
}

TEST_F(SmallFaultsTest, MoveFolderIntoItsOwnSubFolderIsRefusedBeforeAskingAndSaysWhy) {
    left.write("Outer/Inner/x.txt", "x");
    std::filesystem::create_directory_symlink(left / "Outer/Inner", left / "ToInner");
    start();
    select_items(0, {" Outer"});
    const std::string refusal =
        "The folder " + (left / "Outer").string() + " cannot be moved into itself or into one of its own sub-folders.";
    // Into its sub-folder by its own name, and by a link that leads there.
    for (const std::string& into : {folder(left, "Outer/Inner"), folder(left, "ToInner")}) {
        SCOPED_TRACE(into);
        open_folder(1, into);
        select_items(0, {" Outer"});
        host.answer_msgbox(ui::vbOK, refusal, ui::vbExclamation, "Move Folder");
        cmd_MoveDir(app);
        EXPECT_EQ(read_file(left / "Outer/Inner/x.txt"), "x");
    }
    EXPECT_EQ(host.message_boxes().size(), 2u);
}

// --- the last small faults: one row each ------------------------------------------------------------

namespace {

// Thread starts this test binary lets through before the system "cannot start" another one; -1: all.
// The program starts its threads through pthread_create, which this binary defines over the C
// library's, so that a failing start is a real one (std::thread throws), not a mock.
std::atomic<int> g_thread_starts_left{-1};

} // namespace

extern "C" int pthread_create(pthread_t* thread, const pthread_attr_t* attributes, void* (*start)(void*),
                              void* argument) noexcept {
    using Create = int (*)(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*);
    static const auto real = reinterpret_cast<Create>(::dlsym(RTLD_NEXT, "pthread_create"));
    for (int left = g_thread_starts_left.load(); left >= 0;) {
        if (left == 0) return EAGAIN;
        if (g_thread_starts_left.compare_exchange_weak(left, left - 1)) break;
    }
    return real(thread, attributes, start, argument);
}

namespace {

// A folder bind-mounted onto another while the object lives (tests run as root); where mounting is
// not allowed, mounted() is false and the test plays the second mount through the file layer.
class BindMount {
public:
    BindMount(const std::filesystem::path& from, const std::filesystem::path& onto) : onto_(onto) {
        mounted_ = ::mount(from.c_str(), onto.c_str(), nullptr, MS_BIND, nullptr) == 0;
        if (!mounted_)
            std::cout << "[   NOTE   ] no bind mount here (" << std::strerror(errno)
                      << "): the file layer plays the second mount\n";
    }
    ~BindMount() {
        if (mounted_) ::umount2(onto_.c_str(), MNT_DETACH);
    }
    BindMount(const BindMount&) = delete;
    BindMount& operator=(const BindMount&) = delete;
    bool mounted() const { return mounted_; }

private:
    std::filesystem::path onto_;
    bool mounted_ = false;
};

// A cutoff after everything the test made: only use and place keep a file from the cleaning.
std::int64_t all_rested() {
    return static_cast<std::int64_t>(std::time(nullptr)) + 24 * 3600;
}

// Runs `formula` on red, green and blue of a noise picture large enough to be computed by several
// threads; the number of channel values that differ from `expected(picture, width, x, y, channel)`.
int wrong_values(const std::string& formula, int (*expected)(const std::vector<std::uint8_t>&, int, int, int, int)) {
    constexpr int W = 701, H = 401;
    std::vector<std::uint8_t> src(static_cast<std::size_t>(W) * H * 4);
    for (std::size_t i = 0; i < src.size(); ++i)
        src[i] = static_cast<std::uint8_t>((i * 2654435761u) >> 13);
    std::vector<std::uint8_t> out(src.size(), 0);
    imgman::ff::Filter filter;
    filter.formulas = {formula, formula, formula, "a"};
    std::int32_t seed = 0;
    if (!imgman::ff::run_filter(filter, 3, {src.data(), W, H, W * 4}, {out.data(), W * 4}, seed)) return -1;
    int wrong = 0;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            for (int z = 0; z < 3; ++z)
                wrong += out[(static_cast<std::size_t>(y) * W + static_cast<std::size_t>(x)) * 4 + z] !=
                         expected(src, W, x, y, z);
    return wrong;
}

struct LastSmallFaultsTest : SmallFaultsTest {
    // Points the panes at fresh folders, the left one active.
    void show(const test_support::TempDir& from, const test_support::TempDir& to) {
        open_folder(0, folder(from));
        open_folder(1, folder(to));
        f.Switchit(0);
    }

    // Moves four files, the second of which cannot go and the third of which replaces an old file;
    // `fault` makes that replacement fail (and says what the target folder holds then), the user
    // answers No at "Continue anyway?": the batch ends there, tells the file that failed before and
    // shows in both panes what moved.
    void move_stopped_at_no(const std::function<std::vector<std::string>(const std::filesystem::path&)>& fault) {
        test_support::TempDir from{"from"}, to{"to"};
        for (const char* name : {"0-moves.txt", "a-fails.txt", "b-stops.txt", "c-never.txt"})
            from.write(name, name);
        to.write("b-stops.txt", "old");
        show(from, to);
        select_items(0, {"0-moves.txt", "a-fails.txt", "b-stops.txt", "c-never.txt"});
        files::inject_fault(files::Op::Rename, from / "a-fails.txt", EACCES);
        const std::vector<std::string> left = fault(to.path());
        answer_overwrite(0);
        host.answer_msgbox(ui::vbNo, "Vexo Error 70: Permission denied\r\rContinue anyway?");
        host.answer_msgbox(ui::vbOK, "1 item was not moved:\r\na-fails.txt (Permission denied)", ui::vbExclamation);
        cmd_MoveFiles(app, "");
        files::clear_faults();
        EXPECT_EQ(everything_in(to), left);
        EXPECT_TRUE(listed(1, "0-moves.txt"));
        EXPECT_FALSE(listed(0, "0-moves.txt"));
        EXPECT_TRUE(listed(0, "c-never.txt"));
    }

    // Move Folder of a folder holding a file and `special` (made by `make`; false when this system
    // cannot), onto another mount of the same file system: the move goes through a copy.
    void move_folder_holding(const std::string& special, const std::function<bool(const std::string&)>& make,
                             bool copied) {
        test_support::TempDir from{"from"}, to{"to"}, real{"real"};
        from.write("Mover/file.txt", "kept");
        const std::filesystem::path made = from / "Mover" / special;
        if (!make(made.string())) {
            std::cout << "[   NOTE   ] row left out: this system cannot make " << special << "\n";
            return;
        }
        BindMount mount(real.path(), to.path());
        if (!mount.mounted()) files::inject_fault(files::Op::Rename, from / "Mover", EXDEV);
        show(from, to);
        select_items(0, {" Mover"});
        host.answer_msgbox(ui::vbYes); // "Move ... ?"
        if (!copied)
            host.answer_msgbox(ui::vbOK,
                               "Vexo Error" + vb::Str(vb::ErrPathFileAccess) + ": " +
                                   vb::Error(vb::ErrPathFileAccess).description(),
                               ui::vbExclamation, "Just a small problem...");
        cmd_MoveDir(app);
        if (copied) {
            EXPECT_EQ(read_file(to / "Mover/file.txt"), "kept");
            EXPECT_TRUE(std::filesystem::is_fifo(to / "Mover" / special));
            EXPECT_FALSE(std::filesystem::exists(from / "Mover"));
        } else {
            // Nothing deleted: the source is whole, and no part of a copy stays.
            EXPECT_EQ(read_file(from / "Mover/file.txt"), "kept");
            EXPECT_TRUE(std::filesystem::exists(std::filesystem::symlink_status(made)));
            EXPECT_FALSE(std::filesystem::exists(to / "Mover"));
        }
        files::clear_faults();
    }
};

} // namespace

TEST_F(LastSmallFaultsTest, EachIsMended) {
    struct Row {
        std::string Fault;
        std::function<void()> Check;
    };
    const std::vector<Row> rows{
        {"Move stopped by No where the old target cannot be put aside tells what failed and shows what moved",
         [&] {
             move_stopped_at_no([](const std::filesystem::path& to) {
                 files::inject_fault(files::Op::Rename, to / "b-stops.txt", EACCES);
                 return std::vector<std::string>{"0-moves.txt", "b-stops.txt"};
             });
         }},
        {"Move stopped by No where the put-aside file cannot be erased tells what failed and shows what moved",
         [&] {
             move_stopped_at_no([](const std::filesystem::path& to) {
                 files::inject_fault(files::Op::Delete, to / ".b-stops.txt.replaced-1", EACCES);
                 return std::vector<std::string>{".b-stops.txt.replaced-1", "0-moves.txt", "b-stops.txt"};
             });
         }},
        {"Move Folder onto another mount makes a FIFO again without opening it",
         [&] {
             // A writer waits on the FIFO by a second name outside the folder, so that a copy that
             // opened it would read it to its end rather than wait for good.
             test_support::TempDir side{"side"};
             const std::string second = (side / "pipe").string();
             std::thread writer;
             move_folder_holding(
                 "pipe",
                 [&](const std::string& p) {
                     if (::mkfifo(p.c_str(), 0644) != 0 || ::link(p.c_str(), second.c_str()) != 0) return false;
                     writer = std::thread([second] {
                         const int fd = ::open(second.c_str(), O_WRONLY | O_CLOEXEC);
                         if (fd >= 0) ::close(fd);
                     });
                     return true;
                 },
                 true);
             if (!writer.joinable()) return;
             const int reader = ::open(second.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
             writer.join();
             ::close(reader);
         }},
        {"Move Folder of a folder holding a socket fails before anything is deleted",
         [&] {
             move_folder_holding(
                 "socket",
                 [](const std::string& p) {
                     sockaddr_un address{};
                     address.sun_family = AF_UNIX;
                     if (p.size() >= sizeof address.sun_path) return false;
                     std::strcpy(address.sun_path, p.c_str());
                     const int s = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
                     const bool bound = s >= 0 && ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
                     if (s >= 0) ::close(s);
                     return bound;
                 },
                 false);
         }},
        {"Move Folder of a folder holding a device fails before anything is deleted",
         [&] {
             move_folder_holding(
                 "device",
                 [](const std::string& p) { return ::mknod(p.c_str(), S_IFCHR | 0600, ::makedev(1, 3)) == 0; }, false);
         }},
        {"The temporary folder's cleaning stays out of a folder bind-mounted into it",
         [&] {
             test_support::TempDir outside{"outside"}, temp{"tmp"};
             outside.write("mine.txt", "outside");
             temp.write("plain.txt", "old");
             std::filesystem::create_directory(temp / "bound");
             std::filesystem::path kept = outside / "mine.txt";
             {
                 BindMount mount(outside.path(), temp / "bound");
                 if (!mount.mounted()) {
                     temp.write("bound/mine.txt", "outside");
                     files::inject_mount(temp / "bound", 4242);
                     kept = temp / "bound/mine.txt";
                 }
                 EXPECT_EQ(CleanTemporaryFolder(app, temp.path().string(), all_rested()), 0);
             }
             files::clear_faults();
             EXPECT_FALSE(std::filesystem::exists(temp / "plain.txt"));
             EXPECT_EQ(read_file(kept), "outside");
         }},
        {"The temporary folder's cleaning keeps a file a process has mapped and closed",
         [&] {
             test_support::TempDir temp{"tmp"};
             temp.write("plain.txt", "old");
             temp.write("mapped.bin", std::string(4096, 'm'));
             const int fd = ::open((temp / "mapped.bin").c_str(), O_RDONLY | O_CLOEXEC);
             void* map = ::mmap(nullptr, 4096, PROT_READ, MAP_PRIVATE, fd, 0);
             ::close(fd);
             ASSERT_NE(map, MAP_FAILED);
             EXPECT_EQ(CleanTemporaryFolder(app, temp.path().string(), all_rested()), 0);
             ::munmap(map, 4096);
             EXPECT_FALSE(std::filesystem::exists(temp / "plain.txt"));
             EXPECT_TRUE(std::filesystem::exists(temp / "mapped.bin"));
         }},
        {"The temporary folder's cleaning keeps the program of a running process",
         [&] {
             if (!std::filesystem::exists("/bin/sleep")) {
                 std::cout << "[   NOTE   ] row left out: no /bin/sleep to run\n";
                 return;
             }
             test_support::TempDir temp{"tmp"};
             temp.write("plain.txt", "old");
             const std::filesystem::path program = temp / "waits";
             std::filesystem::copy_file("/bin/sleep", program);
             std::filesystem::permissions(program, std::filesystem::perms::owner_all);
             char name[] = "waits", seconds[] = "600";
             char* argv[] = {name, seconds, nullptr};
             pid_t pid = 0;
             ASSERT_EQ(::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ), 0);
             EXPECT_EQ(CleanTemporaryFolder(app, temp.path().string(), all_rested()), 0);
             ::kill(pid, SIGKILL);
             ::waitpid(pid, nullptr, 0);
             EXPECT_FALSE(std::filesystem::exists(temp / "plain.txt"));
             EXPECT_TRUE(std::filesystem::exists(program));
         }},
        {"A filter whose threads cannot all start is finished by those that did and the caller",
         [&] {
             if (imgman::ff::worker_count() < 3)
                 std::cout << "[   NOTE   ] one processor or two: the filter starts too few threads to lose one\n";
             g_thread_starts_left = 1;
             const int wrong = wrong_values("c+1", [](const std::vector<std::uint8_t>& p, int w, int x, int y, int z) {
                 return std::min(p[(static_cast<std::size_t>(y) * w + x) * 4 + z] + 1, 255);
             });
             g_thread_starts_left = -1;
             EXPECT_EQ(wrong, 0);
         }},
        {"A shifted source with a large constant offset is computed without undefined behaviour",
         [&] {
             // The position lies far right of the picture: the last column is read.
             EXPECT_EQ(wrong_values("src(x+7900000,y,0)+1",
                                    [](const std::vector<std::uint8_t>& p, int w, int, int y, int) {
                                        return std::min(p[(static_cast<std::size_t>(y) * w + w - 1) * 4] + 1, 255);
                                    }),
                       0);
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.Fault);
        row.Check();
    }
}
