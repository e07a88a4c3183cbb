// Small faults of the file manager on real folders: the inline rename onto a link that leads
// nowhere, a pane left on a folder link another pane killed, and Move Folder into its own sub-folder.
#include "filemanager/folders.hpp"
#include "filemanager/selection.hpp"
#include "tests/filemanager/file_commands_fixture.hpp"

#include <gtest/gtest.h>

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
    const std::string refusal = "The folder " + (left / "Outer").string() +
                                " cannot be moved into itself or into one of its own sub-folders.";
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
