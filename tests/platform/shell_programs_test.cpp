// Opening documents through xdg-open, starting programs with and without waiting, and splitting the
// command lines of the application list. The programs are small scripts in a temporary folder.
#include "platform/fs/files.hpp"
#include "platform/shell/shell.hpp"
#include "tests/support/fs_errors.hpp"
#include "tests/support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <thread>

using desktop::OpenResult;
using test_support::error_number_of;
using test_support::read_file;
using test_support::TempDir;

namespace {

// Puts `folder` first on PATH for the life of the object.
class PathFirst {
public:
    explicit PathFirst(const std::filesystem::path& folder) {
        const char* old = std::getenv("PATH");
        old_ = old ? old : "";
        setenv("PATH", (folder.string() + ":" + old_).c_str(), 1);
    }
    ~PathFirst() { setenv("PATH", old_.c_str(), 1); }

private:
    std::string old_;
};

std::filesystem::path script(const TempDir& dir, std::string_view name, std::string_view body) {
    auto p = dir.write(name, "#!/bin/sh\n" + std::string(body) + "\n");
    ::chmod(p.c_str(), 0755);
    return p;
}

// Waits (a few seconds at most) until a file appears and holds a whole last line.
std::string wait_for(const std::filesystem::path& p) {
    for (int i = 0; i < 500; ++i) {
        if (std::filesystem::exists(p)) {
            std::string s = read_file(p);
            if (!s.empty() && s.back() == '\n') return s;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return "";
}

} // namespace

TEST(ShellOpen, HandsTheTargetToXdgOpenAsOneArgumentAndReadsItsAnswer) {
    TempDir bin("bin");
    TempDir work("work");
    auto log = work / "log";
    script(bin, "xdg-open",
           "printf '%s|%s|%s\\n' \"$#\" \"$1\" \"$PWD\" > '" + log.string() +
               "'\ncase \"$1\" in *noassoc*) exit 3;; *missing*) exit 2;; *broken*) exit 4;; esac\nexit 0");
    PathFirst path(bin.path());

    EXPECT_EQ(desktop::open_document("/help/Help page; it's \"here\".htm", work.path().string()), OpenResult::Opened);
    EXPECT_EQ(wait_for(log), "1|/help/Help page; it's \"here\".htm|" + work.path().string() + "\n");
    EXPECT_EQ(desktop::open_document("mailto:a@b.c?subject=Feedback on "), OpenResult::Opened);
    EXPECT_EQ(desktop::open_document("file.noassoc"), OpenResult::NoAssociation);
    EXPECT_EQ(desktop::open_document("missing.htm"), OpenResult::NotFound);
    EXPECT_EQ(desktop::open_document("broken.htm"), OpenResult::Failed);
}

TEST(ShellOpen, NoOpenerOnThePathMeansNoAssociation) {
    TempDir empty("bin");
    const char* old = std::getenv("PATH");
    std::string saved = old ? old : "";
    setenv("PATH", empty.path().c_str(), 1);
    OpenResult r = desktop::open_document("https://example.org/");
    setenv("PATH", saved.c_str(), 1);
    EXPECT_EQ(r, OpenResult::NoAssociation);
}

TEST(ShellOpen, AnOpenerThatStaysCountsAsOpenedAfterThePatienceRunsOut) {
    TempDir bin("bin");
    script(bin, "xdg-open", "exec >/dev/null 2>&1 </dev/null; sleep 1");
    PathFirst path(bin.path());
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(desktop::open_document("x.htm", {}, std::chrono::milliseconds(50)), OpenResult::Opened);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST(ShellStart, StartsWithoutWaitingInTheWorkingFolderWithEachArgumentWhole) {
    TempDir bin("bin");
    TempDir work("work");
    auto prog = script(bin, "record", "sleep 0.2; printf '%s|%s|%s|%s\\n' \"$#\" \"$1\" \"$2\" \"$PWD\" > out.txt");
    auto process_folder = std::filesystem::current_path();
    auto start = std::chrono::steady_clock::now();
    int pid = desktop::start_program({prog.string(), "my file; rm -rf *.txt", "$HOME"}, work.path().string());
    EXPECT_GT(pid, 0);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(150)) << "does not wait";
    EXPECT_EQ(wait_for(work / "out.txt"), "2|my file; rm -rf *.txt|$HOME|" + work.path().string() + "\n");
    EXPECT_EQ(std::filesystem::current_path(), process_folder);
}

TEST(ShellStart, ReportsProgramsAndFoldersThatCannotBeUsed) {
    TempDir bin("bin");
    auto plain = bin.write("not-executable", "data");
    EXPECT_EQ(error_number_of([&] { desktop::start_program({"no-such-program-vexolan"}); }), 53);
    EXPECT_EQ(error_number_of([&] { desktop::start_program({(bin / "missing").string()}); }), 53);
    EXPECT_EQ(error_number_of([&] { desktop::start_program({plain.string()}); }), 70);
    EXPECT_EQ(error_number_of([&] { desktop::start_program({bin.path().string()}); }), 75);
    EXPECT_EQ(error_number_of([&] { desktop::start_program({"sh"}, (bin / "no-folder").string()); }), 76);
    EXPECT_EQ(error_number_of([&] { desktop::start_program({}); }), 5);
}

TEST(ShellRunAndWait, ReturnsTheExitCodeOnceTheProgramHasEnded) {
    TempDir work("work");
    std::string before = files::CurDir();
    files::ChDir(work.path());
    EXPECT_EQ(desktop::run_and_wait({"sh", "-c", "sleep 0.1; pwd > here.txt; exit 7"}), 7);
    EXPECT_EQ(read_file(work / "here.txt"), work.path().string() + "\n") << "runs in the current folder";
    EXPECT_EQ(desktop::run_and_wait({"sh", "-c", "kill -9 $$"}), 128 + 9);
    EXPECT_EQ(desktop::find_program("sh").front(), '/');
    EXPECT_EQ(desktop::find_program("no-such-program-vexolan"), "");
    files::ChDir(before);
}

TEST(ShellCommandLine, SplitsIntoProgramAndArgumentsWithoutAShell) {
    using Args = std::vector<std::string>;
    EXPECT_EQ(desktop::split_command_line("gimp"), (Args{"gimp"}));
    EXPECT_EQ(desktop::split_command_line("  /usr/bin/gimp   -n\t--verbose "),
              (Args{"/usr/bin/gimp", "-n", "--verbose"}));
    EXPECT_EQ(desktop::split_command_line("\"/opt/My App/app\" --flag"), (Args{"/opt/My App/app", "--flag"}));
    EXPECT_EQ(desktop::split_command_line("'/opt/it''s' \"a\\\"b\\\\c\""), (Args{"/opt/its", "a\"b\\c"}));
    EXPECT_EQ(desktop::split_command_line("a\\ b $HOME;ls|x"), (Args{"a b", "$HOME;ls|x"}));
    EXPECT_EQ(desktop::split_command_line("prog \"\" end"), (Args{"prog", "", "end"}));
    EXPECT_EQ(desktop::split_command_line("pre\"quoted part\"post"), (Args{"prequoted partpost"}));
    EXPECT_EQ(desktop::split_command_line("  "), Args{});
    EXPECT_EQ(desktop::split_command_line("\"unterminated arg"), (Args{"unterminated arg"}));
}
