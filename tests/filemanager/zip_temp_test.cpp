// The zip commands with a recording stand-in for the zip program and with the real one, and the
// cleaning of the temporary folder on real files of every kind.
#include "filemanager/filters.hpp"
#include "filemanager/zip_commands.hpp"
#include "tests/filemanager/file_commands_fixture.hpp"

#include "platform/shell/shell.hpp"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>

using namespace vexolan;
using test_support::read_file;

namespace {

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        out.push_back(text.substr(start, end - start));
    return out;
}

// Sets an environment variable for the length of a test.
struct ScopedEnv {
    std::string name, old;
    bool had;
    ScopedEnv(const char* n, const std::string& value) : name(n) {
        const char* o = std::getenv(n);
        had = o != nullptr;
        old = o ? o : "";
        setenv(n, value.c_str(), 1);
    }
    ~ScopedEnv() {
        if (had)
            setenv(name.c_str(), old.c_str(), 1);
        else
            unsetenv(name.c_str());
    }
};

struct ZipTest : test_support::FileCommandsTest {
    const std::vector<std::string> names{"-d.8bf", "a b.8bf", "c.8bf", "q\"uote.8bf"};
    std::filesystem::path fake = std::filesystem::path(files::app_folder()) / "zip";

    void install_fake_zip() {
        std::ofstream(fake) << "#!/bin/sh\npwd > \"$0.cwd\"\nfor a; do printf '%s\\n' \"$a\"; done > \"$0.args\"\n";
        std::filesystem::permissions(fake, std::filesystem::perms::owner_all);
    }
    void write_files() {
        AddFilterEntries(app, 0);
        AddFilterEntries(app, 1);
        for (const auto& n : names)
            left.write(n, "bytes of " + n);
        left.write("X.ZIP", "");
        left.write("x.txt", "text");
        start();
    }
    // Selects the given names in the active file box and makes `current` its current entry.
    void choose(const std::vector<std::string>& selected, const std::string& current) {
        ui::FileListBox& box = f.File1[0];
        for (int i = 0; i < box.ListCount(); ++i)
            if (box.List(i) == current) box.ListIndex = i;
        for (int i = 0; i < box.ListCount(); ++i)
            box.Selected(i) = std::find(selected.begin(), selected.end(), box.List(i)) != selected.end();
        for (int i = 0; i < box.ListCount(); ++i)
            if (box.List(i) == current) box.ListIndex = i;
        ASSERT_EQ(box.List(box.ListIndex), current);
    }
    // Answers the name question, noting what it proposed.
    std::string proposed;
    void answer_name(const std::string& name) {
        host.on_modal("Form3", [this, name](ui::Window&) {
            proposed = app.form3().Text1.Text;
            app.form3().Text1.Text = name;
            app.form3().Command2.user_click();
        });
    }
};

} // namespace

TEST_F(ZipTest, AddToZipPassesEveryNameAsOneArgumentInThePanesFolder) {
    install_fake_zip();
    write_files();
    choose(names, "X.ZIP");
    answer_name("X.ZIP");
    mnuAddtoZip_Click(app);
    EXPECT_EQ(proposed, "X.ZIP") << "an entry ending in .zip in any case is offered";
    const std::string folder = left.path().string();
    EXPECT_EQ(lines_of(read_file(fake.string() + ".args")),
              (std::vector<std::string>{"-n", ".zip:.tif:.gif:.jpg:.arj:.rar", folder + "/X.ZIP", "./-d.8bf", "a b.8bf",
                                        "c.8bf", "q\"uote.8bf"}));
    EXPECT_EQ(read_file(fake.string() + ".cwd"), folder + "\n");
    EXPECT_EQ(f.Combo1[1].ListIndex, 1);
    EXPECT_TRUE(host.message_boxes().empty());

    std::filesystem::remove(fake.string() + ".args");
    choose({"c.8bf"}, "x.txt");
    answer_name("New.zip");
    mnuAddtoZip_Click(app);
    EXPECT_EQ(proposed, "New.zip");

    // Nothing selected, or the question cancelled: no program runs.
    std::filesystem::remove(fake.string() + ".args");
    choose({}, "c.8bf");
    mnuAddtoZip_Click(app);
    choose({"c.8bf"}, "c.8bf");
    host.on_modal("Form3", [this](ui::Window&) { app.form3().Command1.user_click(); });
    mnuAddtoZip_Click(app);
    // Test Zip of something that is no archive starts nothing either.
    mnuTestZip_Click(app);
    EXPECT_FALSE(std::filesystem::exists(fake.string() + ".args"));
}

TEST_F(ZipTest, TheRealZipMakesAnArchiveThatItsOwnTestPasses) {
    if (desktop::find_program("zip").empty() || desktop::find_program("unzip").empty())
        GTEST_SKIP() << "zip and unzip are not installed";
    // A PATH with zip and the unzip its test runs, but no terminal: the answer comes in a message box.
    test_support::TempDir bin{"bin"};
    for (const char* program : {"zip", "unzip"})
        std::filesystem::create_symlink(desktop::find_program(program), bin / program);
    ScopedEnv path("PATH", bin.path().string());
    write_files();
    std::filesystem::remove(left / "X.ZIP");
    start();
    f.File1[0].Refresh();
    choose({"-d.8bf", "a b.8bf", "q\"uote.8bf"}, "c.8bf");
    answer_name("made.zip");
    mnuAddtoZip_Click(app);
    ASSERT_TRUE(std::filesystem::exists(left / "made.zip"));
    const std::string listing =
        desktop::run_and_collect({(bin / "zip").string(), "-sf", "made.zip"}, left.path().string()).Output;
    for (const char* stored : {"-d.8bf", "a b.8bf", "q\"uote.8bf"})
        EXPECT_NE(listing.find(stored), std::string::npos) << stored << " in " << listing;
    EXPECT_TRUE(listed(0, "made.zip")) << "the active pane shows the new archive";

    f.File1[0].Refresh();
    choose({}, "made.zip");
    host.answer_msgbox(ui::vbOK);
    mnuTestZip_Click(app);
    ASSERT_EQ(host.message_boxes().size(), 1u);
    EXPECT_NE(host.message_boxes()[0].Prompt.find("test of made.zip OK"), std::string::npos)
        << host.message_boxes()[0].Prompt;
}

TEST(SpaceGained, IsTheDifferenceInMegabytesWithoutOverflow) {
    const std::uint64_t big = 300ull << 30;
    EXPECT_EQ(SpaceGainedText(big, big + 1572864), " 1.5 MB gained by cleaning the Temporary folder.");
    EXPECT_EQ(SpaceGainedText(big + (5ull << 30), big), " 5120 MB gained by cleaning the Temporary folder.");
    EXPECT_EQ(SpaceGainedText(7, 7), " 0 MB gained by cleaning the Temporary folder.");
    EXPECT_GT(GetFreeDiskSpace("/"), 0u);
}

TEST_F(ZipTest, CleaningTheTemporaryFolderRemovesOnlyTheUsersOwnRestingFilesAndKeepsTheFolder) {
    test_support::TempDir temp{"tmp"}, outside{"outside"};
    const auto t = temp.path();
    outside.write("target.txt", "keep me");
    temp.write("old.txt", std::string(4096, 'o'));
    temp.write("fresh.txt", "in use");
    temp.write("oldtree/deep/old.bin", "o");
    temp.write("busy/old.txt", "o");
    temp.write("busy/fresh.txt", "in use");
    temp.write("theirs.txt", "another user's");
    std::filesystem::create_symlink(outside / "target.txt", t / "link");
    std::filesystem::create_directory_symlink(outside.path(), t / "folderlink");
    ASSERT_EQ(::mkfifo((t / "pipe").c_str(), 0600), 0);
    ASSERT_EQ(::chown((t / "theirs.txt").c_str(), 4242, 4242), 0);
    // Two days old, bottom up (a change inside a folder renews the folder's own date).
    const std::time_t old = std::time(nullptr) - 2 * 24 * 3600;
    auto age = [&](const std::filesystem::path& p) {
        struct timespec times[2] = {{old, 0}, {old, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, p.c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << p;
    };
    for (const char* p : {"old.txt", "oldtree/deep/old.bin", "oldtree/deep", "oldtree", "busy/old.txt", "busy",
                          "theirs.txt", "link", "folderlink", "pipe"})
        age(t / p);
    // The clock stands a day and ten minutes on, so that the change times the ageing just set (which
    // no program can set back) count as rested; the fresh files were touched at that moment.
    const std::time_t later = std::time(nullptr) + 24 * 3600 + 600;
    host.set_start_date(vb::DateFromTime(later));
    for (const char* p : {"fresh.txt", "busy/fresh.txt"}) {
        struct timespec times[2] = {{later, 0}, {later, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, (t / p).c_str(), times, AT_SYMLINK_NOFOLLOW), 0) << p;
    }
    ScopedEnv tmpdir("TMPDIR", t.string());
    host.answer_msgbox(ui::vbOK);
    mnuClearTmp_Click(app);
    ASSERT_EQ(host.message_boxes().size(), 1u);
    EXPECT_EQ(host.message_boxes()[0].Style, ui::vbOKOnly);
    EXPECT_NE(host.message_boxes()[0].Prompt.find(" MB gained by cleaning the Temporary folder."), std::string::npos);
    EXPECT_EQ(everything_in(temp), (std::vector<std::string>{"busy", "fresh.txt", "pipe", "theirs.txt"}));
    EXPECT_EQ(everything_in(t / "busy"), std::vector<std::string>{"fresh.txt"});
    EXPECT_EQ(read_file(outside / "target.txt"), "keep me");

    // A temporary folder that holds the home folder is not touched.
    test_support::TempDir home{"home"};
    home.write("old.txt", "mine");
    age(home / "old.txt");
    ScopedEnv homeVar("HOME", (home / "inner").string());
    std::filesystem::create_directory(home / "inner");
    ScopedEnv tmpHome("TMPDIR", home.path().string());
    host.answer_msgbox(ui::vbOK);
    mnuClearTmp_Click(app);
    EXPECT_EQ(host.message_boxes().back().Style, ui::vbExclamation);
    EXPECT_TRUE(std::filesystem::exists(home / "old.txt"));
}
