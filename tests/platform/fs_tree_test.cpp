// Listing, attributes, deleting trees, paths, the virtual current folder and the application folder.
#include "platform/fs/files.hpp"
#include "tests/support/fs_errors.hpp"
#include "tests/support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <sys/stat.h>

using test_support::error_number_of;
using test_support::read_file;
using test_support::TempDir;

namespace {

std::vector<std::string> names(std::vector<files::DirEntry> entries) {
    std::vector<std::string> out;
    for (auto& e : entries)
        out.push_back(e.Name);
    std::sort(out.begin(), out.end());
    return out;
}

using Names = std::vector<std::string>;

} // namespace

TEST(FsListing, ListsFilesAndFoldersWithoutDotEntriesHiddenOnesOrFolderLinks) {
    TempDir dir("fs");
    dir.write("A.8BF", "12345");
    dir.write("b.txt", "b");
    dir.write(".hidden", "h");
    dir.write("sub/x", "x");
    dir.write(".config/y", "y");
    std::filesystem::create_directory_symlink(dir / "sub", dir / "linked");
    std::filesystem::create_symlink(dir / "gone", dir / "broken");

    EXPECT_EQ(names(files::list_files(dir.path())), (Names{"A.8BF", "b.txt", "broken"}));
    EXPECT_EQ(names(files::list_files(dir.path(), ";*.8b?;*._bf")), (Names{"A.8BF"}));
    EXPECT_EQ(names(files::list_files(dir.path(), {}, {.IncludeHidden = true})),
              (Names{".hidden", "A.8BF", "b.txt", "broken"}));
    EXPECT_EQ(names(files::list_folders(dir.path())), (Names{"sub"}));
    EXPECT_EQ(names(files::list_folders(dir.path(), {.IncludeHidden = true, .IncludeFolderLinks = true})),
              (Names{".config", "linked", "sub"}));
    EXPECT_EQ(files::list_all(dir.path()).size(), 7u);

    auto listed = files::list_files(dir.path(), "*.8bf");
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].Length, 5u);
    EXPECT_EQ(listed[0].Attributes, files::AttrNormal);
}

TEST(FsAttributes, HiddenFilesExistAndAttributesTellLinksFromFolders) {
    TempDir dir("fs");
    auto hidden = dir.write(".profile", "p");
    auto ro = dir.write("ro.txt", "r");
    ::chmod(ro.c_str(), 0444);
    std::filesystem::create_directory(dir / "folder");
    std::filesystem::create_directory_symlink(dir / "folder", dir / "link");

    EXPECT_TRUE(files::exists(hidden));
    EXPECT_TRUE(files::file_exists(hidden));
    EXPECT_FALSE(files::folder_exists(hidden));
    EXPECT_FALSE(files::exists(dir / "nothing"));
    EXPECT_EQ(files::file_attributes(hidden), files::AttrHidden);
    EXPECT_EQ(files::file_attributes(ro), files::AttrReadOnly);
    EXPECT_EQ(files::file_attributes(dir / "folder"), files::AttrFolder);
    EXPECT_EQ(files::file_attributes(dir / "link"), files::AttrFolder | files::AttrLink);
    EXPECT_EQ(error_number_of([&] { files::file_attributes(dir / "nothing"); }), 53);
}

TEST(FsDeleteTree, DoesNotFollowALinkToAFolderOutside) {
    TempDir outside("fs-out");
    outside.write("precious.txt", "keep me");
    TempDir dir("fs");
    dir.write("tree/a", "a");
    dir.write("tree/.hidden", "h");
    dir.write("tree/sub/.dot/b", "b");
    std::filesystem::create_directory_symlink(outside.path(), dir / "tree/sub/out");
    std::filesystem::create_symlink(outside / "precious.txt", dir / "tree/file-link");

    EXPECT_EQ(files::delete_tree(dir / "tree"), 0);
    EXPECT_FALSE(std::filesystem::exists(dir / "tree"));
    EXPECT_EQ(read_file(outside / "precious.txt"), "keep me");

    // Given a link itself, only the link goes.
    std::filesystem::create_directory_symlink(outside.path(), dir / "alias");
    EXPECT_EQ(files::delete_tree(dir / "alias"), 0);
    EXPECT_FALSE(std::filesystem::is_symlink(dir / "alias"));
    EXPECT_EQ(read_file(outside / "precious.txt"), "keep me");
}

TEST(FsDeleteTree, GoesOnPastAnEntryThatCannotGoAndCountsWhatStayed) {
    TempDir dir("fs");
    dir.write("tree/a", "a");
    dir.write("tree/sub/busy", "b");
    dir.write("tree/sub/free", "f");
    dir.write("tree/z", "z");
    files::FaultScope faults;
    files::inject_fault(files::Op::Delete, dir / "tree/sub/busy", EBUSY);
    // The file, its folder and the top folder stay.
    EXPECT_EQ(files::delete_tree(dir / "tree"), 3);
    EXPECT_TRUE(std::filesystem::exists(dir / "tree/sub/busy"));
    EXPECT_FALSE(std::filesystem::exists(dir / "tree/sub/free"));
    EXPECT_FALSE(std::filesystem::exists(dir / "tree/a"));
    EXPECT_FALSE(std::filesystem::exists(dir / "tree/z"));
    EXPECT_EQ(error_number_of([&] { files::delete_tree(dir / "missing"); }), 76);
}

TEST(FsPaths, JoinHandlesTheRootAndTrailingSlashes) {
    EXPECT_EQ(files::join_path("/", "New"), "/New");
    EXPECT_EQ(files::join_path("/home/u/", "New"), "/home/u/New");
    EXPECT_EQ(files::join_path("/home/u", "New"), "/home/u/New");
    EXPECT_EQ(files::join_path("", "New"), "New");
    EXPECT_EQ(files::join_path("/a", "/b"), "/a/b");
    EXPECT_TRUE(files::is_root("/"));
    EXPECT_TRUE(files::is_root("//"));
    EXPECT_FALSE(files::is_root("/a"));
    EXPECT_FALSE(files::is_root(""));
    EXPECT_FALSE(files::is_root("\\"));
}

TEST(FsPaths, FindsAFileWithoutRegardToCaseAndPrefersTheExactName) {
    TempDir dir("fs");
    dir.write("photo30.dll", "t");
    dir.write("Temp.txt", "1");
    dir.write("temp.txt", "2");
    EXPECT_EQ(files::find_file_no_case(dir.path(), "Photo30.dll"), (dir / "photo30.dll").string());
    EXPECT_EQ(files::find_file_no_case(dir.path(), "temp.txt"), (dir / "temp.txt").string());
    EXPECT_EQ(files::find_file_no_case(dir.path(), "Temp.txt"), (dir / "Temp.txt").string());
    EXPECT_EQ(files::find_file_no_case(dir.path(), "missing.dll"), "");
    EXPECT_EQ(files::find_file_no_case(dir / "nofolder", "x"), "");
}

TEST(FsCurrentFolder, ResolvesRelativeNamesWithoutTouchingTheProcessFolder) {
    TempDir dir("fs");
    dir.write("pane/file.txt", "in pane");
    auto process_folder = std::filesystem::current_path();
    std::string before = files::CurDir();
    files::ChDir(dir / "pane");
    EXPECT_EQ(files::CurDir(), (dir / "pane").string());
    EXPECT_EQ(files::read_file_bytes("file.txt"), "in pane");
    files::rename("file.txt", "renamed.txt");
    EXPECT_TRUE(std::filesystem::exists(dir / "pane/renamed.txt"));
    files::ChDir("..");
    EXPECT_EQ(files::CurDir(), dir.path().string());
    EXPECT_EQ(error_number_of([&] { files::ChDir(dir / "missing"); }), 76);
    EXPECT_EQ(files::CurDir(), dir.path().string());
    EXPECT_EQ(std::filesystem::current_path(), process_folder);
    files::ChDir(before);
}

TEST(FsFileSystem, TellsFileSystemsApartAndReportsFreeSpace) {
    TempDir dir("fs");
    EXPECT_TRUE(files::same_file_system(dir.path(), dir / "not/yet/there"));
    EXPECT_GT(files::free_space(dir.path()), 0u);
    EXPECT_EQ(error_number_of([&] { files::free_space(dir / "missing"); }), 76);
    EXPECT_TRUE(files::folder_exists(files::temp_folder()));
    if (std::filesystem::is_directory("/proc/self")) {
        EXPECT_FALSE(files::same_file_system(dir.path(), "/proc/self"));
    }
}

TEST(FsAppFolder, IsUnderTheUsersDataFolderByDefault) {
    files::set_app_folder({});
    EXPECT_EQ(files::app_folder(), files::data_home() + "/vexolan");
    EXPECT_EQ(files::data_home(), std::string(std::getenv("XDG_DATA_HOME")));
}

TEST(FsAppFolder, PreparingCopiesOnlyWhatIsMissingComparedWithoutCase) {
    TempDir installed("installed");
    installed.write("Photo30.dll", "template");
    installed.write("Tips.txt", "installed tips");
    installed.write("help/Help.htm", "help");
    installed.write("interface/Interfc4.des", "des");
    TempDir user("user");
    user.write("vexolan/photo30.dll", "user's template");
    user.write("vexolan/HELP/other.htm", "other");
    auto app = user / "vexolan";
    files::set_app_folder(app);

    files::prepare_app_folder(installed.path());
    EXPECT_EQ(read_file(app / "photo30.dll"), "user's template");
    EXPECT_FALSE(std::filesystem::exists(app / "Photo30.dll"));
    EXPECT_EQ(read_file(app / "Tips.txt"), "installed tips");
    EXPECT_EQ(read_file(app / "HELP/Help.htm"), "help");
    EXPECT_EQ(read_file(app / "interface/Interfc4.des"), "des");

    files::replace_file(app / "Tips.txt", "changed by the user");
    files::prepare_app_folder(installed.path());
    EXPECT_EQ(read_file(app / "Tips.txt"), "changed by the user");

    EXPECT_EQ(files::app_path("Photo30.dll"), (app / "photo30.dll").string());
    EXPECT_EQ(files::app_path("help/help.htm"), (app / "HELP/Help.htm").string());
    EXPECT_EQ(files::app_path("Temp.txt"), (app / "Temp.txt").string());
    EXPECT_EQ(files::app_path("cache/New/x.bmp"), (app / "cache/New/x.bmp").string());
    files::set_app_folder({});
}
