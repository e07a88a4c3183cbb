// Test Zip with the real zip on archives whose names start with "-": the name reaches zip as a file,
// never as options, and the test's own answer is shown.
#include "filemanager/zip_commands.hpp"
#include "tests/filemanager/file_commands_fixture.hpp"

#include "platform/shell/shell.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace vexolan;

namespace {

struct TestZipNamesTest : test_support::FileCommandsTest {
    void make_current(const std::string& name) {
        ui::FileListBox& box = f.File1[0];
        for (int i = 0; i < box.ListCount(); ++i)
            if (box.List(i) == name) box.ListIndex = i;
        ASSERT_EQ(box.List(box.ListIndex), name);
    }
};

} // namespace

TEST_F(TestZipNamesTest, ANameStartingWithADashIsTestedAsAFile) {
    const std::string zip = desktop::find_program("zip"), unzip = desktop::find_program("unzip");
    if (zip.empty() || unzip.empty()) GTEST_SKIP() << "zip and unzip are not installed";
    // A PATH with zip and the unzip its test runs, but no terminal: the answer comes in a message box.
    test_support::TempDir bin{"bin"};
    std::filesystem::create_symlink(zip, bin / "zip");
    std::filesystem::create_symlink(unzip, bin / "unzip");
    struct PathOnlyTo {
        std::string old = std::getenv("PATH") ? std::getenv("PATH") : "";
        explicit PathOnlyTo(const std::string& folder) { setenv("PATH", folder.c_str(), 1); }
        ~PathOnlyTo() { setenv("PATH", old.c_str(), 1); }
    } path(bin.path().string());
    left.write("inside.txt", "inside");
    const std::string names[] = {"-m.zip", "-TT=touch x.zip"};
    for (const std::string& name : names)
        ASSERT_EQ(desktop::run_and_wait({zip, "-q", "./" + name, "inside.txt"}, left.path().string()), 0);
    start();
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        make_current(name);
        host.answer_msgbox(ui::vbOK);
        mnuTestZip_Click(app);
        const auto& box = host.last_msgbox();
        EXPECT_NE(box.Prompt.find("test of ./" + name + " OK"), std::string::npos) << box.Prompt;
        EXPECT_EQ(box.Style, ui::vbInformation);
    }
    EXPECT_EQ(test_support::read_file(left / "inside.txt"), "inside");
    EXPECT_FALSE(std::filesystem::exists(left / "x.zip"));
    EXPECT_EQ(everything_in(left), (std::vector<std::string>{"-TT=touch x.zip", "-m.zip", "inside.txt"}));
}
