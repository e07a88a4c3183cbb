// Copy and Move of the selected files into the other pane, with faults injected at every step: each
// byte stays in the source or the target, and no partial file ever carries the target's name.
#include "filemanager/SelectFolder.hpp"
#include "filemanager/copy_move.hpp"
#include "tests/filemanager/file_commands_fixture.hpp"

#include <gtest/gtest.h>

#include <cerrno>

using namespace vexolan;
using test_support::pattern_bytes;
using test_support::read_file;

namespace {

struct CopyMoveTest : test_support::FileCommandsTest {
    const std::string big = pattern_bytes(1 << 20);
    void write_sources() {
        left.write("big.bin", big);
        left.write("small.txt", "small");
        start();
        select_items(0, {"big.bin", "small.txt"});
    }
};

struct Fault {
    const char* what;
    files::Op op;
    const char* on; // "source" or "target"
    int err;
    int successes; // checks let through first
};

} // namespace

TEST_F(CopyMoveTest, CopyFaultsLeaveTheSourceWholeAndNoPartialTarget) {
    const Fault faults[] = {
        {"no space halfway through the large file", files::Op::Write, "target", ENOSPC, 5},
        {"no space at the start", files::Op::Write, "target", ENOSPC, 0},
        {"permission denied on the target", files::Op::Write, "target", EACCES, 0},
        {"read error in the middle", files::Op::Read, "source", EIO, 4},
    };
    write_sources();
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.what);
        const auto path = std::string(fault.on) == "source" ? left / "big.bin" : right / "big.bin";
        files::inject_fault_after(fault.op, path, fault.err, fault.successes);
        // The failure is told once the batch is over, with the file layer's reason.
        host.answer_msgbox(ui::vbOK, "1 item was not copied:\r\nbig.bin (" + vb::ErrorText(vb::ErrorFromErrno(fault.err)) + ")",
                           ui::vbExclamation);
        cmd_CopyFiles(app);
        files::clear_faults();
        EXPECT_EQ(read_file(left / "big.bin"), big);
        EXPECT_EQ(everything_in(right), std::vector<std::string>{"small.txt"});
        EXPECT_EQ(read_file(right / "small.txt"), "small");
        std::filesystem::remove(right / "small.txt");
    }
    EXPECT_EQ(host.message_boxes().size(), std::size(faults)); // one message a batch
}

TEST_F(CopyMoveTest, CopyOverAnExistingFileReplacesItOnlyWhenWhole) {
    right.write("big.bin", "old target");
    write_sources();
    select_items(0, {"big.bin"});
    answer_overwrite(0);
    files::inject_fault_after(files::Op::Write, right / "big.bin", ENOSPC, 6);
    host.answer_msgbox(ui::vbOK, "1 item was not copied:\r\nbig.bin (Disk full)");
    cmd_CopyFiles(app);
    EXPECT_EQ(read_file(right / "big.bin"), "old target");
    EXPECT_EQ(everything_in(right), std::vector<std::string>{"big.bin"});
    files::clear_faults();
    answer_overwrite(0);
    cmd_CopyFiles(app);
    EXPECT_EQ(read_file(right / "big.bin"), big);
    EXPECT_TRUE(listed(1, "big.bin"));
    EXPECT_FALSE(app.ScanValid[1]);
}

TEST_F(CopyMoveTest, MoveFaultsLoseNothing) {
    const Fault faults[] = {
        {"permission denied on the rename", files::Op::Rename, "source", EACCES, 0},
        {"across file systems, no space halfway", files::Op::Write, "target", ENOSPC, 5},
        {"across file systems, the source cannot be removed", files::Op::Delete, "source", EACCES, 0},
    };
    write_sources();
    select_items(0, {"big.bin"});
    for (const Fault& fault : faults) {
        SCOPED_TRACE(fault.what);
        // An EXDEV on the rename takes the road of a move between two file systems.
        if (fault.op != files::Op::Rename) files::inject_fault(files::Op::Rename, left / "big.bin", EXDEV, 1);
        const auto path = std::string(fault.on) == "source" ? left / "big.bin" : right / "big.bin";
        files::inject_fault_after(fault.op, path, fault.err, fault.successes);
        host.answer_msgbox(ui::vbOK);
        cmd_MoveFiles(app);
        files::clear_faults();
        EXPECT_EQ(host.last_msgbox().Prompt.rfind("1 item was not moved:\r\nbig.bin (", 0), 0u);
        EXPECT_EQ(read_file(left / "big.bin"), big);
        EXPECT_TRUE(everything_in(right).empty());
    }
    // Across file systems without a fault: copied, checked, then the source removed.
    files::inject_fault(files::Op::Rename, left / "big.bin", EXDEV, 1);
    cmd_MoveFiles(app);
    EXPECT_EQ(read_file(right / "big.bin"), big);
    EXPECT_FALSE(std::filesystem::exists(left / "big.bin"));
    EXPECT_TRUE(listed(1, "big.bin"));
    EXPECT_FALSE(listed(0, "big.bin"));
}

TEST_F(CopyMoveTest, MoveOverAConfirmedTargetKeepsTheOldOneUntilTheMoveIsDone) {
    right.write("small.txt", "old");
    write_sources();
    select_items(0, {"small.txt"});
    answer_overwrite(0);
    files::inject_fault(files::Op::Rename, left / "small.txt", EACCES);
    host.answer_msgbox(ui::vbOK, "1 item was not moved:\r\nsmall.txt (Permission denied)");
    cmd_MoveFiles(app);
    EXPECT_EQ(read_file(right / "small.txt"), "old");
    EXPECT_EQ(read_file(left / "small.txt"), "small");
    EXPECT_EQ(everything_in(right), std::vector<std::string>{"small.txt"});
    files::clear_faults();
    answer_overwrite(0);
    cmd_MoveFiles(app);
    EXPECT_EQ(read_file(right / "small.txt"), "small");
    EXPECT_EQ(everything_in(right), std::vector<std::string>{"small.txt"});
    EXPECT_FALSE(std::filesystem::exists(left / "small.txt"));
}

TEST_F(CopyMoveTest, PluginViewMoveOfTwoRowsOfOneFileMovesItOnceAndKeepsTheIgnoredRow) {
    left.write("multi.8bf", "two filters");
    left.write("kept.8bf", "mine");
    right.write("kept.8bf", "theirs");
    start();
    show_plugin_rows({(left / "multi.8bf").string(), (left / "kept.8bf").string(), (left / "multi.8bf").string()});
    select_rows({0, 1, 2});
    answer_overwrite(1); // Ignore for kept.8bf; multi.8bf is asked about only once, and not at all
    cmd_MoveFiles(app);
    EXPECT_EQ(read_file(right / "multi.8bf"), "two filters");
    EXPECT_EQ(read_file(left / "kept.8bf"), "mine");
    EXPECT_EQ(read_file(right / "kept.8bf"), "theirs");
    EXPECT_EQ(row_texts(), std::vector<std::string>{"+ filter 2"});
    EXPECT_EQ(app.PluginCatalog[0].Category[1], "");
    EXPECT_EQ(app.PluginCatalog[0].Category[3], "");
    EXPECT_EQ(app.PluginCatalog[0].Category[2], "Cat");
}

TEST_F(CopyMoveTest, ADestinationThatIsTheSourceByALinkIsRefusedAndTouchesNothing) {
    left.write("a.txt", "a");
    std::filesystem::remove_all(right.path());
    std::filesystem::create_directory_symlink(left.path(), right.path());
    start();
    select_items(0, {"a.txt"});
    const std::string refusal = std::string("The source folder is identical to the destination folder!") + "\r\n" +
                                "Please select a different folder.";
    host.answer_msgbox(ui::vbOK, refusal, ui::vbExclamation);
    cmd_CopyFiles(app);
    host.answer_msgbox(ui::vbOK, refusal, ui::vbExclamation);
    cmd_MoveFiles(app);
    EXPECT_EQ(read_file(left / "a.txt"), "a");
    EXPECT_EQ(everything_in(left), std::vector<std::string>{"a.txt"});
    std::filesystem::remove(right.path());
    std::filesystem::create_directories(right.path());
}

TEST_F(CopyMoveTest, EscStopsAfterTheCurrentFileAndIgnoreAllServesOneBatch) {
    for (auto n : {"1.txt", "2.txt", "3.txt"}) {
        left.write(n, n);
        right.write(n, "old");
    }
    start();
    select_items(0, {"1.txt", "2.txt", "3.txt"});
    answer_overwrite(3); // Ignore All
    cmd_CopyFiles(app);
    EXPECT_EQ(read_file(right / "3.txt"), "old");
    answer_overwrite(0);                                                            // a second Copy asks again
    host.press_key_from_poll(ui::vbKeyEscape, host.key_polls(ui::vbKeyEscape) + 2); // before item 2
    cmd_CopyFiles(app);
    EXPECT_EQ(read_file(right / "1.txt"), "1.txt");
    EXPECT_EQ(read_file(right / "2.txt"), "old");
    EXPECT_EQ(app.OverwriteRemembered, 0);
    EXPECT_EQ(f.MousePointer.get(), ui::vbDefault);
}

TEST_F(CopyMoveTest, NoSelectionMessagesAndMoveHandsTheFolderToMoveFolder) {
    std::filesystem::create_directories(left / "Sub");
    start();
    host.answer_msgbox(ui::vbOK, "Please select one or more files.", ui::vbExclamation);
    cmd_CopyFiles(app);
    select_items(0, {" Sub"});
    host.answer_msgbox(ui::vbNo, "Move  " + (left / "Sub").string() + "/  to  " + (right / "Sub").string() + "/  ?",
                       ui::vbYesNo | ui::vbQuestion, "Move Folder");
    cmd_MoveFiles(app);
    EXPECT_TRUE(std::filesystem::is_directory(left / "Sub"));
}

TEST_F(CopyMoveTest, ADropWithTheDialogGoesWhereTheUserConfirms) {
    app.form2().Check4.Value = ui::vbUnchecked;
    left.write("a.txt", "a");
    std::filesystem::create_directories(left / "Drop");
    std::filesystem::create_directories(right / "Chosen");
    start();
    select_items(0, {"a.txt"});
    host.on_modal("SelectFolder", [this](ui::Window&) {
        SelectFolder& d = app.selectFolder();
        EXPECT_EQ(d.Combo1.List(0), (left / "Drop").string() + "/");
        d.Combo1.Text = (right / "Chosen").string() + "/";
        d.Command2.user_click();
    });
    cmd_MoveFiles(app, (left / "Drop").string());
    EXPECT_EQ(read_file(right / "Chosen/a.txt"), "a");
    EXPECT_EQ(f.Dir1[1].Path.get(), folder(right)); // the drop leaves the panes alone
}
