// The folder commands and DeleteTree on real folders, with faults injected through the fs layer.
#include "filemanager/folders.hpp"
#include "filemanager/refresh.hpp"
#include "tests/filemanager/file_commands_fixture.hpp"

#include <gtest/gtest.h>

#include <cerrno>

using namespace vexolan;
using test_support::read_file;

namespace {

struct FolderCommandsTest : test_support::FileCommandsTest {
    std::string slash(const std::filesystem::path& p) const { return p.string() + "/"; }
};

} // namespace

TEST(NewFolderPath, PutsOneSeparatorBetweenAndNoneDoubledAtTheRoot) {
    EXPECT_EQ(NewFolderPath("/", "x"), "/x");
    EXPECT_EQ(NewFolderPath("/home/u", "New"), "/home/u/New");
    EXPECT_EQ(NewFolderPath("/home/u/", "New"), "/home/u/New");
}

TEST_F(FolderCommandsTest, CreateFolderMakesItOnceAndRefusesNamesThatAreNoName) {
    start();
    type_into_input_box("New");
    cmd_MakeDir(app);
    EXPECT_TRUE(std::filesystem::is_directory(left / "New"));
    EXPECT_TRUE(listed(0, " New"));
    const std::string cannot = std::string("Can't create new folder.") + "\r" + "Folder may exist already.";
    for (const char* name : {"New", "a/b", ".."}) {
        type_into_input_box(name);
        host.answer_msgbox(ui::vbOK, cannot, ui::vbExclamation, "Error");
        cmd_MakeDir(app);
    }
    EXPECT_FALSE(std::filesystem::exists(left / "a"));
}

TEST_F(FolderCommandsTest, DeleteTreeRemovesLinksNotWhatTheyLeadToAndDotFilesToo) {
    test_support::TempDir outside("outside");
    outside.write("precious.txt", "keep");
    left.write("tree/.git/config", "x");
    left.write("tree/sub/file", "y");
    std::filesystem::create_directory_symlink(outside.path(), left / "tree/link");
    start();
    EXPECT_EQ(DeleteTree(app, slash(left / "tree"), false), 0);
    EXPECT_FALSE(std::filesystem::exists(left / "tree"));
    EXPECT_EQ(read_file(outside / "precious.txt"), "keep");
    // A link given as the folder itself: only the link goes.
    std::filesystem::create_directory_symlink(outside.path(), left / "alias");
    EXPECT_EQ(DeleteTree(app, slash(left / "alias"), false), 0);
    EXPECT_EQ(read_file(outside / "precious.txt"), "keep");
}

TEST_F(FolderCommandsTest, DeleteTreeRefusesTheRootTheHomeAndWhatHoldsTheApplicationFolder) {
    const std::string home = std::getenv("HOME");
    for (const std::string& folder : {std::string("/"), home + "/", slash(appFolder.parent_path()), slash(appFolder)}) {
        SCOPED_TRACE(folder);
        EXPECT_EQ(DeleteTree(app, folder, true), 1);
        EXPECT_TRUE(std::filesystem::is_directory(folder));
    }
}

TEST_F(FolderCommandsTest, KillFolderWithAFailureDeepInsideRemovesEverythingElse) {
    left.write("Doomed/a.txt", "a");
    left.write("Doomed/sub/busy.dll", "busy");
    left.write("Doomed/sub/free.txt", "free");
    start();
    select_items(0, {" Doomed"});
    files::inject_fault(files::Op::Delete, left / "Doomed/sub/busy.dll", EBUSY);
    host.answer_msgbox(ui::vbYes, "Kill the selected folder(s) and the files they contain?",
                       ui::vbYesNo | ui::vbCritical, "Kill Folders");
    host.answer_msgbox(ui::vbOK,
                       std::string(" 2 files or folders couldn't be deleted.") + "\r" +
                           "They are probably used by running applications.",
                       ui::vbExclamation);
    host.answer_msgbox(
        ui::vbOK, std::string("Error while deleting...") + "\r" + "Please check, if all selected files were deleted.",
        ui::vbExclamation, "Error");
    cmd_KillDir(app);
    EXPECT_EQ(everything_in(left / "Doomed"), std::vector<std::string>{"sub"});
    EXPECT_EQ(everything_in(left / "Doomed/sub"), std::vector<std::string>{"busy.dll"});
    EXPECT_EQ(f.MousePointer.get(), ui::vbDefault);
}

TEST_F(FolderCommandsTest, KillingTheFolderBothPanesShowPutsThemOnItsParent) {
    left.write("Shown/deeper/x", "x");
    start();
    open_folder(0, folder(left, "Shown"));
    open_folder(1, folder(left, "Shown/deeper"));
    set_mode(0, 4); // Classic: the folder box's open folder is the one selected
    host.answer_msgbox(ui::vbYes);
    cmd_KillDir(app);
    EXPECT_FALSE(std::filesystem::exists(left / "Shown"));
    EXPECT_EQ(f.Dir1[0].Path.get(), folder(left));
    EXPECT_EQ(f.Dir1[1].Path.get(), folder(left));
    EXPECT_EQ(files::CurDir(), folder(left));
}

TEST_F(FolderCommandsTest, RenameFolderNeverReplacesAndTakesThePaneAlong) {
    std::filesystem::create_directories(left / "Old");
    std::filesystem::create_directories(left / "Taken");
    start();
    select_items(0, {" Old"});
    host.on_modal("Form3", [this](ui::Window&) {
        EXPECT_EQ(app.form3().Text1.Text.get(), "Old");
        app.form3().Text1.Text = "Taken";
        app.form3().Command2.user_click();
    });
    host.answer_msgbox(ui::vbOK, "Vexo Error 58: File already exists", ui::vbExclamation);
    cmd_RenameFolder(app);
    EXPECT_TRUE(std::filesystem::is_directory(left / "Old"));
    EXPECT_TRUE(std::filesystem::is_empty(left / "Taken"));

    open_folder(0, folder(left, "Old"));
    type_into_input_box("Renamed");
    cmd_RenameFolder(app); // nothing selected: the pane's own folder
    EXPECT_TRUE(std::filesystem::is_directory(left / "Renamed"));
    EXPECT_EQ(f.Dir1[0].Path.get(), folder(left, "Renamed"));
}

TEST_F(FolderCommandsTest, MoveFolderAsksGoesBelowTheDropFolderAndStaysOnOneFileSystem) {
    left.write("Mover/file", "bytes");
    std::filesystem::create_directories(left / "Below");
    start();
    select_items(0, {" Mover"});
    host.answer_msgbox(ui::vbYes, "Move  " + slash(left / "Mover") + "  to  " + slash(left / "Below/Mover") + "  ?",
                       ui::vbYesNo | ui::vbQuestion, "Move Folder");
    cmd_MoveDir(app, slash(left / "Below"));
    EXPECT_EQ(read_file(left / "Below/Mover/file"), "bytes");

    RefreshFile1(app, 0);
    select_items(0, {" Below"});
    files::inject_device(right.path(), 77);
    host.answer_msgbox(ui::vbOK,
                       std::string("Move Folder works only within the same drive.") + "\r\n" +
                           "Please use the Copy command.",
                       ui::vbExclamation, "Move Folder");
    cmd_MoveDir(app);
    EXPECT_TRUE(std::filesystem::exists(left / "Below/Mover/file"));
    files::clear_faults();

    // Onto an existing folder of that name: refused, both kept.
    std::filesystem::create_directories(right / "Below");
    host.answer_msgbox(ui::vbYes);
    host.answer_msgbox(ui::vbOK, "Vexo Error 58: File already exists");
    cmd_MoveDir(app);
    EXPECT_TRUE(std::filesystem::exists(left / "Below/Mover/file"));

    host.answer_msgbox(ui::vbOK, "The source folder is identical to the destination folder.", ui::vbExclamation,
                       "Move Folder");
    open_folder(1, folder(left));
    cmd_MoveDir(app);
}
