// Delete into the freedesktop trash and Kill, in the File View and the Plugin View, with faults.
#include "filemanager/delete.hpp"
#include "filemanager/refresh.hpp"
#include "tests/filemanager/file_commands_fixture.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <regex>
#include <unistd.h>

using namespace vexolan;
using test_support::read_file;

namespace {

struct DeleteKillTest : test_support::FileCommandsTest {
    const std::string killQuestion =
        std::string("The file(s) will be erased and won't be put in the trash can.") + "\r" + "Proceed anyway?";
    std::filesystem::path trash() const { return data / "Trash"; }
};

std::string uid() {
    return std::to_string(::getuid());
}

} // namespace

TEST_F(DeleteKillTest, DeleteMovesTheFilesToTheTrashWithTrashInfoAfterAsking) {
    left.write("one file.8bf", "1");
    left.write("two%.txt", "2");
    start();
    select_items(0, {"one file.8bf", "two%.txt"});
    host.answer_msgbox(ui::vbNo, "Do you want to move these 2 items to the trash?");
    cmd_DeleteFiles(app);
    EXPECT_TRUE(std::filesystem::exists(left / "one file.8bf"));

    app.ScanValid[0] = true;
    select_items(0, {"one file.8bf", "two%.txt"});
    host.answer_msgbox(ui::vbYes, "Do you want to move these 2 items to the trash?", ui::vbYesNo | ui::vbQuestion);
    cmd_DeleteFiles(app);
    EXPECT_EQ(read_file(trash() / "files/one file.8bf"), "1");
    EXPECT_EQ(read_file(trash() / "files/two%.txt"), "2");
    const std::string info = read_file(trash() / "info/one file.8bf.trashinfo");
    EXPECT_TRUE(std::regex_search(
        info,
        std::regex(
            "^\\[Trash Info\\]\nPath=/.*/one%20file\\.8bf\nDeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n$")))
        << info;
    EXPECT_NE(read_file(trash() / "info/two%.txt.trashinfo").find("two%25.txt"), std::string::npos);
    EXPECT_FALSE(listed(0, "one file.8bf"));
    EXPECT_FALSE(app.ScanValid[0]);

    // The same name again gets a name of its own in the trash.
    left.write("one file.8bf", "again");
    RefreshFile1(app, 0);
    select_items(0, {"one file.8bf"});
    host.answer_msgbox(ui::vbYes, "Do you want to move \"one file.8bf\" to the trash?");
    cmd_DeleteFiles(app);
    EXPECT_EQ(read_file(trash() / "files/one file.8bf"), "1");
    EXPECT_EQ(read_file(trash() / "files/one file.2.8bf"), "again");
}

TEST_F(DeleteKillTest, AFileOnAnotherFileSystemGoesToThatFileSystemsTrash) {
    left.write("a.txt", "a");
    left.write("sub/b.txt", "b");
    start();
    files::inject_device(left.path(), 4242); // the left folder plays a file system of its own
    select_items(0, {"a.txt"});
    host.answer_msgbox(ui::vbYes);
    cmd_DeleteFiles(app);
    const auto own = left / (".Trash-" + uid());
    EXPECT_EQ(read_file(own / "files/a.txt"), "a");
    EXPECT_EQ(read_file(own / "info/a.txt.trashinfo").rfind("[Trash Info]\nPath=a.txt\n", 0), 0u);
    EXPECT_FALSE(std::filesystem::exists(trash() / "files/a.txt"));
    EXPECT_EQ(std::filesystem::status(own).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_all);

    // Where that trash cannot be made, nothing is deleted and the user is told.
    std::filesystem::remove_all(own);
    left.write("c.txt", "c");
    RefreshFile1(app, 0);
    files::inject_fault(files::Op::MakeFolder, own, EACCES);
    select_items(0, {"c.txt"});
    host.answer_msgbox(ui::vbYes);
    host.answer_msgbox(ui::vbOK);
    cmd_DeleteFiles(app);
    EXPECT_EQ(read_file(left / "c.txt"), "c");
    EXPECT_NE(host.last_msgbox().Prompt.find("Cannot move \"c.txt\" to the trash"), std::string::npos);
}

TEST_F(DeleteKillTest, PluginViewDeleteRemovesOnlyTheRowsOfTrashedFiles) {
    left.write("a.8bf", "a");
    left.write("b.8bf", "b");
    left.write("c.8bf", "c");
    start();
    show_plugin_rows({(left / "a.8bf").string(), (left / "b.8bf").string(), (left / "c.8bf").string()});
    select_rows({0, 2});
    host.answer_msgbox(ui::vbNo);
    cmd_DeleteFiles(app);
    EXPECT_EQ(row_texts().size(), 3u);
    // c.8bf cannot be trashed: its row stays, although a.8bf went.
    files::inject_fault(files::Op::Rename, left / "c.8bf", EBUSY);
    host.answer_msgbox(ui::vbYes);
    host.answer_msgbox(ui::vbOK);
    cmd_DeleteFiles(app);
    EXPECT_EQ(row_texts(), (std::vector<std::string>{"+ filter 2", "+ filter 3"}));
    EXPECT_EQ(app.PluginCatalog[0].Category[1], "");
    EXPECT_EQ(read_file(left / "c.8bf"), "c");
}

TEST_F(DeleteKillTest, PluginViewWithoutPluginsRemovesTheSelectedCategory) {
    start();
    app.PaneMode[0] = 2;
    for (auto c : {"Blur", "Empty", "Sharpen"})
        f.List2[0].AddItem(c);
    app.PaneCategories[1] = {"other pane"};
    f.List2[0].ListIndex = 1;
    cmd_DeleteFiles(app);
    EXPECT_EQ(app.PaneCategories[0], (std::vector<std::string>{"Blur", "Sharpen"}));
    EXPECT_EQ(app.PaneCategories[1], std::vector<std::string>{"other pane"});
}

TEST_F(DeleteKillTest, KillWithAFailureOnTheSecondFile) {
    for (auto n : {"1.8bf", "2.8bf", "3.8bf"})
        left.write(n, n);
    start();
    show_plugin_rows({(left / "1.8bf").string(), (left / "2.8bf").string(), (left / "3.8bf").string()});
    select_rows({0, 1, 2});
    files::inject_fault(files::Op::Delete, left / "2.8bf", EACCES);
    host.answer_msgbox(ui::vbYes, killQuestion, ui::vbYesNo | ui::vbCritical, "Kill");
    host.answer_msgbox(ui::vbNo); // "Continue anyway?"
    cmd_Kill(app);
    EXPECT_FALSE(std::filesystem::exists(left / "1.8bf"));
    EXPECT_TRUE(std::filesystem::exists(left / "3.8bf"));
    EXPECT_EQ(row_texts().size(), 3u); // ended with nothing refreshed

    select_rows({1, 2});
    host.answer_msgbox(ui::vbYes, killQuestion);
    host.answer_msgbox(ui::vbYes);
    cmd_Kill(app);
    EXPECT_FALSE(std::filesystem::exists(left / "3.8bf"));
    EXPECT_EQ(read_file(left / "2.8bf"), "2.8bf");
    // Row 2's file is still there; row 1 was not selected and waits for the next scan.
    EXPECT_EQ(row_texts(), (std::vector<std::string>{"+ filter 1", "+ filter 2"}));
    EXPECT_FALSE(app.ScanValid[0]);
}

TEST_F(DeleteKillTest, KillDeclinedOrStoppedByEsc) {
    for (auto n : {"1.txt", "2.txt"})
        left.write(n, n);
    start();
    select_items(0, {"1.txt", "2.txt"});
    host.answer_msgbox(ui::vbNo, killQuestion);
    cmd_Kill(app);
    EXPECT_EQ(files_in(left.path()).size(), 2u);
    host.answer_msgbox(ui::vbYes, killQuestion);
    host.press_key_from_poll(ui::vbKeyEscape, host.key_polls(ui::vbKeyEscape) + 2);
    cmd_Kill(app);
    EXPECT_EQ(files_in(left.path()), std::vector<std::string>{"2.txt"});
    EXPECT_FALSE(listed(0, "1.txt")); // refreshed as after a normal end
}

TEST_F(DeleteKillTest, FflDeleteMarksTheEntryInPlaceWithoutChangingTheLength) {
    const std::string library = "FFL1.0" + std::string(20, 'x') + "Entry name" + std::string(30, 'y');
    auto file = left.write("lib.ffl", library);
    start();
    app.PaneMode[0] = 3;
    app.PaneFFLFile[0] = file.string();
    app.PaneFFLOffsets[0] = {27};
    auto& entry = f.ListView2[0].ListItems.Add(-1, "", "Entry name");
    entry.Tag = "1";
    entry.Selected = true;
    host.answer_msgbox(ui::vbYes, "Do you want to delete these/this FFL item(s)?", ui::vbYesNo | ui::vbQuestion,
                       "Delete FFL Item");
    cmd_DeleteFiles(app);
    std::string expected = library;
    expected.replace(26, 2, "//");
    EXPECT_EQ(read_file(file), expected);
    EXPECT_EQ(f.ListView2[0].ListItems.Count(), 0);
}
