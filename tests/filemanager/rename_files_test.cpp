// Rename of one file (in place or through the input box) and of several files' extension.
#include "filemanager/rename_files.hpp"
#include "tests/filemanager/file_commands_fixture.hpp"

#include <gtest/gtest.h>

using namespace vexolan;
using test_support::read_file;

namespace {

struct RenameFilesTest : test_support::FileCommandsTest {
    // Classic mode with the named entries of the file box selected (the last one the cursor).
    void select_in_file_box(const std::vector<std::string>& names) {
        set_mode(0, 4);
        auto& box = f.File1[0];
        for (int i = 0; i < box.ListCount(); ++i)
            box.Selected(i) = false;
        for (const auto& n : names)
            for (int i = 0; i < box.ListCount(); ++i)
                if (box.List(i) == n) box.Selected(i) = true;
    }
};

} // namespace

TEST(NameWithExtension, ReplacesEverythingAfterTheFirstPoint) {
    EXPECT_EQ(NameWithExtension("a.txt", "bak"), "a.bak");
    EXPECT_EQ(NameWithExtension("b.tar.gz", "bak"), "b.bak");
    EXPECT_EQ(NameWithExtension("README", "bak"), "bak");
}

TEST_F(RenameFilesTest, SeveralFilesGetTheNewExtensionAndACollisionReplacesNothing) {
    left.write("a.txt", "text");
    left.write("a.doc", "doc");
    left.write("b.tar.gz", "archive");
    start();
    select_items(0, {"a.txt", "a.doc", "b.tar.gz"});
    host.on_modal("Form3", [this](ui::Window&) {
        EXPECT_EQ(app.form3().Label1.Caption.get(), "Rename File Extension");
        app.form3().Text1.Text = "bak";
        app.form3().Command2.user_click();
    });
    app.ScanValid[0] = true;
    cmd_RenameFiles(app);
    EXPECT_EQ(files_in(left.path()), (std::vector<std::string>{"a.bak", "a.txt", "b.bak"}));
    // "a.doc" went first in list order: it holds the name, and "a.txt" keeps its own.
    EXPECT_EQ(read_file(left / "a.bak"), "doc");
    EXPECT_EQ(read_file(left / "a.txt"), "text");
    EXPECT_EQ(read_file(left / "b.bak"), "archive");
    EXPECT_TRUE(app.ScanValid[0]); // no plug-in ending
}

TEST_F(RenameFilesTest, OneFileInTheReportListIsEditedInPlace) {
    left.write("x.8bf", "x");
    start();
    select_items(0, {"x.8bf"});
    bool editing = false;
    f.ListView1[0].BeforeLabelEdit = [&](int&) { editing = true; };
    cmd_RenameFiles(app);
    EXPECT_TRUE(editing);
    EXPECT_TRUE(host.modal_windows().empty());
}

TEST_F(RenameFilesTest, ClassicRenameOntoAnExistingFileAsksAndKeepsOneFile) {
    left.write("my.dir/x.8bf", "x bytes");
    left.write("my.dir/y.8bf", "y bytes");
    start();
    open_folder(0, folder(left, "my.dir"));
    select_in_file_box({"x.8bf"});
    type_into_input_box("y.8bf");
    host.answer_msgbox(ui::vbCancel, "Overwrite y.8bf ?", ui::vbOKCancel | ui::vbExclamation, "Overwrite?");
    cmd_RenameFiles(app);
    EXPECT_EQ(read_file(left / "my.dir/y.8bf"), "y bytes");

    type_into_input_box("y.8bf");
    host.answer_msgbox(ui::vbOK, "Overwrite y.8bf ?");
    app.ScanValid[0] = true;
    cmd_RenameFiles(app);
    EXPECT_EQ(files_in(left / "my.dir"), std::vector<std::string>{"y.8bf"});
    EXPECT_EQ(read_file(left / "my.dir/y.8bf"), "x bytes");
    EXPECT_FALSE(app.ScanValid[0]);

    // Its own name: nothing happens, nothing is asked.
    select_in_file_box({"y.8bf"});
    type_into_input_box("y.8bf");
    cmd_RenameFiles(app);
    EXPECT_EQ(read_file(left / "my.dir/y.8bf"), "x bytes");
}

TEST_F(RenameFilesTest, AFailedReplaceLeavesBothFiles) {
    left.write("x.txt", "x");
    left.write("y.txt", "y");
    start();
    select_in_file_box({"x.txt"});
    type_into_input_box("y.txt");
    host.answer_msgbox(ui::vbOK, "Overwrite y.txt ?");
    host.answer_msgbox(ui::vbOK, "Vexo Error 70: Permission denied");
    // The first try finds the name taken; the second, after y.txt was put aside, fails.
    files::inject_fault_after(files::Op::Rename, left / "x.txt", EACCES, 1);
    cmd_RenameFiles(app);
    EXPECT_EQ(read_file(left / "x.txt"), "x");
    EXPECT_EQ(read_file(left / "y.txt"), "y");
    EXPECT_EQ(files_in(left.path()), (std::vector<std::string>{"x.txt", "y.txt"}));
}
