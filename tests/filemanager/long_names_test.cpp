// Names that use the whole 255 bytes a name may have (83 Japanese letters and an extension): they
// are overwritten by Copy, replaced by Move, rewritten in place and trashed like any other name.
#include "filemanager/copy_move.hpp"
#include "filemanager/delete.hpp"
#include "filemanager/refresh.hpp"
#include "tests/filemanager/file_commands_fixture.hpp"

#include "platform/fs/files.hpp"

#include <gtest/gtest.h>

#include <regex>

using namespace vexolan;
using test_support::read_file;

namespace {

std::string longest_name() {
    std::string name;
    for (int i = 0; i < 83; ++i)
        name += "\xE3\x81\x82"; // a Japanese letter, three bytes
    name += "ab.8bf";
    return name;
}

struct LongNamesTest : test_support::FileCommandsTest {
    const std::string name = longest_name();
    std::filesystem::path trash() const { return data / "Trash"; }
};

} // namespace

TEST_F(LongNamesTest, TheLongestNameIsReplacedByCopyMoveAndTheFileLayer) {
    ASSERT_EQ(name.size(), 255u);
    left.write(name, "new");
    right.write(name, "old");
    start();

    // Every whole-file write of the file layer over the name.
    files::replace_file(right / name, "replaced");
    EXPECT_EQ(read_file(right / name), "replaced");
    files::rewrite_file(right / name, "rewritten");
    EXPECT_EQ(read_file(right / name), "rewritten");
    {
        files::WriteBatch batch;
        files::write_file(right / name, "batched");
        EXPECT_TRUE(batch.commit().empty());
    }
    EXPECT_EQ(read_file(right / name), "batched");

    // Copy over it, the user agreeing.
    select_items(0, {name});
    answer_overwrite(0);
    cmd_CopyFiles(app);
    EXPECT_EQ(read_file(right / name), "new");

    // Move over it: the old file is put aside, then the moved file takes its name.
    right.write(name, "old again");
    left.write(name, "moved");
    select_items(0, {name});
    answer_overwrite(0);
    cmd_MoveFiles(app);
    EXPECT_EQ(read_file(right / name), "moved");
    EXPECT_FALSE(std::filesystem::exists(left / name));
    EXPECT_EQ(everything_in(right), std::vector<std::string>{name});
    EXPECT_TRUE(host.message_boxes().empty());
}

TEST_F(LongNamesTest, TheTrashTakesTheLongestNameTwiceAndKeepsItWholeInThePath) {
    start();
    for (const char* content : {"first", "second"}) {
        left.write(name, content);
        RefreshFile1(app, 0);
        select_items(0, {name});
        host.answer_msgbox(ui::vbYes, "Do you want to move \"" + name + "\" to the trash?");
        cmd_DeleteFiles(app);
        EXPECT_FALSE(std::filesystem::exists(left / name)) << content;
    }
    std::string encoded;
    for (unsigned char c : name) {
        static const char hex[] = "0123456789ABCDEF";
        if (c >= 0x80) {
            encoded += '%';
            encoded += hex[c >> 4];
            encoded += hex[c & 15];
        } else {
            encoded += static_cast<char>(c);
        }
    }
    std::vector<std::string> contents;
    for (const std::string& entry : everything_in(trash() / "files")) {
        EXPECT_LE(entry.size() + std::string(".trashinfo").size(), 255u);
        EXPECT_TRUE(entry.ends_with(".8bf")) << entry;
        contents.push_back(read_file(trash() / "files" / entry));
        const std::string info = read_file(trash() / "info" / (entry + ".trashinfo"));
        EXPECT_NE(info.find("/" + encoded + "\n"), std::string::npos) << info;
    }
    std::sort(contents.begin(), contents.end());
    EXPECT_EQ(contents, (std::vector<std::string>{"first", "second"}));
}
