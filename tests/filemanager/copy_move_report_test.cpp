// Copy and Move tell, once the batch is over, which items were not written and why: on a real full
// disk (a small tmpfs) and with faults injected through the file layer. A batch that went well
// shows nothing.
#include "filemanager/copy_move.hpp"
#include "tests/filemanager/file_commands_fixture.hpp"
#include "tests/support/small_tmpfs.hpp"

#include <gtest/gtest.h>

#include <cerrno>

using namespace vexolan;
using test_support::pattern_bytes;
using test_support::read_file;

namespace {

struct CopyMoveReportTest : test_support::FileCommandsTest {};

} // namespace

TEST_F(CopyMoveReportTest, CopyOntoAFullDiskNamesTheFilesNotCopiedAndTheReason) {
    test_support::SmallTmpfs disk(right.path(), 256 * 1024);
    if (!disk.mounted()) GTEST_SKIP() << disk.why();
    const std::string big = pattern_bytes(1 << 20);
    left.write("a-big.bin", big);
    left.write("b-small.txt", "small");
    left.write("c-big.bin", big);
    start();
    select_items(0, {"a-big.bin", "b-small.txt", "c-big.bin"});
    host.answer_msgbox(ui::vbOK, "2 items were not copied:\r\na-big.bin (Disk full)\r\nc-big.bin (Disk full)",
                       ui::vbExclamation);
    cmd_CopyFiles(app);
    EXPECT_EQ(everything_in(right), std::vector<std::string>{"b-small.txt"});
    EXPECT_EQ(read_file(right / "b-small.txt"), "small");
    EXPECT_EQ(read_file(left / "a-big.bin"), big);

    // The same batch of small files fits: nothing more is said.
    std::filesystem::remove(right / "b-small.txt");
    left.write("a-big.bin", "a");
    left.write("c-big.bin", "c");
    select_items(0, {"a-big.bin", "b-small.txt", "c-big.bin"});
    cmd_CopyFiles(app);
    EXPECT_EQ(host.message_boxes().size(), 1u);
    EXPECT_EQ(read_file(right / "c-big.bin"), "c");
}

TEST_F(CopyMoveReportTest, MoveNamesTheFirstFewItemsNotMovedAndCountsTheRest) {
    std::vector<std::string> names;
    for (int i = 1; i <= 8; ++i) {
        names.push_back("file" + std::to_string(i) + ".txt");
        left.write(names.back(), names.back());
    }
    left.write("free.txt", "free");
    start();
    std::vector<std::string> selection = names;
    selection.push_back("free.txt");
    select_items(0, selection);
    for (const std::string& n : names)
        files::inject_fault(files::Op::Rename, left / n, EACCES);
    host.answer_msgbox(ui::vbOK,
                       "8 items were not moved:\r\nfile1.txt (Permission denied)\r\nfile2.txt (Permission denied)\r\n"
                       "file3.txt (Permission denied)\r\nfile4.txt (Permission denied)\r\nfile5.txt (Permission "
                       "denied)\r\nand 3 more.",
                       ui::vbExclamation);
    cmd_MoveFiles(app);
    EXPECT_EQ(read_file(right / "free.txt"), "free");
    for (const std::string& n : names)
        EXPECT_EQ(read_file(left / n), n);
    EXPECT_EQ(host.message_boxes().size(), 1u);
}
