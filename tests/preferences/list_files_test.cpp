// The list files: LoadList and SaveList with and without checked-state lines.

#include "preferences/Form2.hpp"
#include "shell/App.hpp"
#include "tests/support/app_fixture.hpp"

#include "platform/fs/files.hpp"

#include <gtest/gtest.h>

#include <cerrno>

using namespace vexolan;
using test_support::AppTest;

namespace {

struct ListFilesTest : AppTest {
    Form2& f = app.form2();
    std::string file(std::string_view name) { return (root.path() / name).string(); }
};

} // namespace

TEST_F(ListFilesTest, ATypeListOfThreeGivesSixLinesAndComesBack) {
    ui::ListBox& types = f.List1[3];
    types.AddItem("A (aaa|0)");
    types.AddItem("B (bb|1)");
    types.AddItem("C (ccc|3)");
    types.Selected(0) = true;
    types.Selected(2) = true;
    f.SaveList(file("types.ini"), 3, true);
    EXPECT_EQ(test_support::read_file(file("types.ini")),
              "A (aaa|0)\r\nTrue\r\nB (bb|1)\r\nFalse\r\nC (ccc|3)\r\nTrue\r\n");
    types.Clear();
    f.LoadList(file("types.ini"), 3, true);
    ASSERT_EQ(types.ListCount(), 3);
    EXPECT_EQ(types.List(1), "B (bb|1)");
    EXPECT_TRUE(types.IsSelected(0));
    EXPECT_FALSE(types.IsSelected(1));
    EXPECT_TRUE(types.IsSelected(2));
}

TEST_F(ListFilesTest, StateLinesCheckOnTrueOrANonZeroNumber) {
    files::replace_file(file("s.ini"), "a\r\nTRUE\r\nb\r\n1\r\nc\r\n-1\r\nd\r\n0\r\ne\r\nFalse\r\nf\r\nyes\r\ng");
    f.LoadList(file("s.ini"), 3, true);
    ASSERT_EQ(f.List1[3].ListCount(), 7);
    const bool expected[] = {true, true, true, false, false, false, false};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(f.List1[3].IsSelected(i), expected[i]) << i;
}

TEST_F(ListFilesTest, LinesEndWithCrLfLfOrCr) {
    files::replace_file(file("f.log"), "/a, b/\r\n/c/\n/d/\r/e/");
    f.LoadList(file("f.log"), 0, false);
    ASSERT_EQ(f.List1[0].ListCount(), 4);
    EXPECT_EQ(f.List1[0].List(0), "/a, b/");
    EXPECT_EQ(f.List1[0].List(3), "/e/");
}

TEST_F(ListFilesTest, AnEmptyListGivesAnEmptyFileAndAMissingFileChangesNothing) {
    f.SaveList(file("empty.log"), 0, false);
    EXPECT_EQ(test_support::read_file(file("empty.log")), "");
    f.List1[0].AddItem("/kept/");
    f.LoadList(file("missing.log"), 0, false);
    ASSERT_EQ(f.List1[0].ListCount(), 1);
    f.LoadList(file("empty.log"), 0, false);
    EXPECT_EQ(f.List1[0].ListCount(), 0);
}

TEST_F(ListFilesTest, AFailedWriteLeavesTheOldFileWhole) {
    files::replace_file(file("f.log"), "/old/\r\n");
    f.List1[0].AddItem("/new/");
    {
        files::FaultScope faults;
        files::inject_fault(files::Op::Write, file("f.log"), ENOSPC);
        // The failure is told by the list file's name and the reason.
        host.answer_msgbox(ui::vbOK, "Vexo Error 61: Disk full\r\n" + file("f.log") + " was not written.",
                           ui::vbExclamation);
        f.SaveList(file("f.log"), 0, false);
    }
    EXPECT_EQ(test_support::read_file(file("f.log")), "/old/\r\n");
}

TEST_F(ListFilesTest, OldAnsiLinesAreReadAndWrittenBackInUtf8) {
    files::replace_file(file("f.log"), "/caf\xe9/\r\n");
    f.LoadList(file("f.log"), 0, false);
    EXPECT_EQ(f.List1[0].List(0), "/caf\xc3\xa9/");
    f.SaveList(file("g.log"), 0, false);
    EXPECT_EQ(test_support::read_file(file("g.log")), "/caf\xc3\xa9/\r\n");
}

TEST_F(ListFilesTest, OnlyWellFormedUtf8IsTakenAsUtf8) {
    // A lone lead byte, an overlong slash, a surrogate and a byte-order mark at the start.
    files::replace_file(file("f.log"), "\xEF\xBB\xBF/a\xC3/\r\n/\xC0\xAF/\r\n/\xED\xA0\x80/\r\n/\xF0\x9F\x98\x80/\r\n");
    f.LoadList(file("f.log"), 0, false);
    ASSERT_EQ(f.List1[0].ListCount(), 4);
    EXPECT_EQ(f.List1[0].List(0), "/a\xC3\x83/");
    EXPECT_EQ(f.List1[0].List(1), "/\xC3\x80\xC2\xAF/");
    EXPECT_EQ(f.List1[0].List(2), "/\xC3\xAD\xC2\xA0\xE2\x82\xAC/");
    EXPECT_EQ(f.List1[0].List(3), "/\xF0\x9F\x98\x80/");
}
