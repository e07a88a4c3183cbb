// The freedesktop trash and the desktop files of file associations, under a temporary $XDG_DATA_HOME.
#include "platform/fs/files.hpp"
#include "platform/shell/shell.hpp"
#include "tests/support/fs_errors.hpp"
#include "tests/support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <regex>

using test_support::error_number_of;
using test_support::read_file;
using test_support::TempDir;

namespace {

// A fresh $XDG_DATA_HOME for one test.
class DataHome {
public:
    DataHome() : dir_("data") {
        const char* old = std::getenv("XDG_DATA_HOME");
        old_ = old ? old : "";
        setenv("XDG_DATA_HOME", dir_.path().c_str(), 1);
    }
    ~DataHome() { setenv("XDG_DATA_HOME", old_.c_str(), 1); }
    std::filesystem::path operator/(std::string_view name) const { return dir_ / name; }

private:
    TempDir dir_;
    std::string old_;
};

} // namespace

TEST(ShellTrash, MovesAFileIntoFilesAndWritesItsTrashInfo) {
    DataHome data;
    TempDir dir("user files");
    auto file = dir.write("my plug-in #1.8bf", "plugin");
    std::string trashed = desktop::move_to_trash(file.string());
    EXPECT_EQ(trashed, (data / "Trash/files/my plug-in #1.8bf").string());
    EXPECT_EQ(read_file(trashed), "plugin");
    EXPECT_FALSE(std::filesystem::exists(file));

    std::string info = read_file(data / "Trash/info/my plug-in #1.8bf.trashinfo");
    std::string encoded_folder = std::regex_replace(dir.path().string(), std::regex(" "), "%20");
    EXPECT_EQ(info.rfind("[Trash Info]\nPath=" + encoded_folder + "/my%20plug-in%20%231.8bf\nDeletionDate=", 0), 0u)
        << info;
    EXPECT_TRUE(std::regex_search(info, std::regex("\nDeletionDate=\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d\n$")))
        << info;
}

TEST(ShellTrash, GivesATakenNameANumberAndTrashesFoldersWhole) {
    DataHome data;
    TempDir dir("user");
    desktop::move_to_trash(dir.write("a.txt", "first").string());
    desktop::move_to_trash(dir.write("a.txt", "second").string());
    desktop::move_to_trash(dir.write("a.txt", "third").string());
    EXPECT_EQ(read_file(data / "Trash/files/a.txt"), "first");
    EXPECT_EQ(read_file(data / "Trash/files/a.2.txt"), "second");
    EXPECT_EQ(read_file(data / "Trash/files/a.3.txt"), "third");
    EXPECT_TRUE(std::filesystem::exists(data / "Trash/info/a.3.txt.trashinfo"));

    dir.write("folder.d/inner", "in");
    desktop::move_to_trash((dir / "folder.d").string());
    EXPECT_EQ(read_file(data / "Trash/files/folder.d/inner"), "in");
    EXPECT_TRUE(std::filesystem::exists(data / "Trash/info/folder.d.trashinfo"));
}

TEST(ShellTrash, AFailedMoveLeavesTheFileAndNoInfo) {
    DataHome data;
    TempDir dir("user");
    auto file = dir.write("busy.txt", "busy");
    files::FaultScope faults;
    files::inject_fault(files::Op::Rename, file, EBUSY);
    EXPECT_EQ(error_number_of([&] { desktop::move_to_trash(file.string()); }), 75);
    EXPECT_EQ(read_file(file), "busy");
    EXPECT_TRUE(std::filesystem::is_empty(data / "Trash/info"));
    EXPECT_EQ(error_number_of([&] { desktop::move_to_trash((dir / "missing").string()); }), 53);
}

TEST(ShellAssociations, WritesADesktopFileAndTheDefaultApplication) {
    DataHome data;
    desktop::DesktopEntry entry;
    entry.Id = "vexolan";
    entry.Name = "Vexolan";
    entry.Command = {"/opt/Vexo Lan/vexolan", "--open", "100%$"};
    entry.MimeTypes = {"application/x-8bf", "text/x-afs"};
    std::string path = desktop::write_desktop_entry(entry);
    EXPECT_EQ(path, (data / "applications/vexolan.desktop").string());
    std::string text = read_file(path);
    EXPECT_NE(text.find("\nExec=\"/opt/Vexo Lan/vexolan\" --open \"100%%\\\\$\" %f\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nMimeType=application/x-8bf;text/x-afs;\n"), std::string::npos);

    files::replace_file(data / "applications/mimeapps.list",
                        "[Added Associations]\nimage/png=gimp.desktop;\n\n[Default Applications]\n"
                        "application/x-8bf=other.desktop;\ntext/plain=gedit.desktop;\n");
    desktop::set_default_application("application/x-8bf", "vexolan");
    desktop::set_default_application("text/x-afs", "vexolan");
    EXPECT_EQ(read_file(data / "applications/mimeapps.list"),
              "[Added Associations]\nimage/png=gimp.desktop;\n\n[Default Applications]\n"
              "text/x-afs=vexolan.desktop;\napplication/x-8bf=vexolan.desktop;\ntext/plain=gedit.desktop;\n");
}
