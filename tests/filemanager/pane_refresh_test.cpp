// Refreshing one pane, the opposite pane, or both after files changed on disk.
#include "filemanager/refresh.hpp"
#include "tests/filemanager/file_view_fixture.hpp"

#include <gtest/gtest.h>

using namespace vexolan;

namespace {

struct PaneRefreshTest : test_support::FileViewTest {
    bool file_box_has(int pane, std::string_view name) const {
        for (int i = 0; i < f.File1[pane].ListCount(); ++i)
            if (f.File1[pane].List(i) == name) return true;
        return false;
    }
    bool folder_box_has(int pane, std::string_view name) const {
        for (int i = 0; i < f.Dir1[pane].ListCount(); ++i)
            if (f.Dir1[pane].List(i).ends_with("/" + std::string(name))) return true;
        return false;
    }
};

} // namespace

TEST_F(PaneRefreshTest, BothPanesOnOneFolderAreRefilledTogether) {
    std::filesystem::create_directories(left / "Same");
    open_folder(0, folder(left));
    // The same folder spelled with a trailing separator is the same folder.
    open_folder(1, folder(left) + "/");
    left.write("new.txt", "x");
    RefreshFile1(app, 0);
    EXPECT_TRUE(listed(0, "new.txt"));
    EXPECT_TRUE(listed(1, "new.txt"));
    left.write("newer.txt", "x");
    RefreshFile1C(app, 1);
    EXPECT_TRUE(listed(0, "newer.txt"));
    EXPECT_TRUE(listed(1, "newer.txt"));
}

TEST_F(PaneRefreshTest, ClassicPaneGetsItsFileBoxButNoListRefill) {
    open_folder(0, folder(left));
    open_folder(1, folder(left));
    set_mode(1, 4);
    const auto hiddenList = texts(1);
    left.write("new.txt", "x");
    RefreshFile1(app, 0);
    EXPECT_TRUE(listed(0, "new.txt"));
    EXPECT_TRUE(file_box_has(1, "new.txt"));
    EXPECT_EQ(texts(1), hiddenList);
}

TEST_F(PaneRefreshTest, OppositeRefreshOnDifferentFoldersRefillsOnlyTheOtherPane) {
    open_folders();
    right.write("copied.txt", "x");
    left.write("unseen.txt", "x");
    RefreshFile1C(app, 0);
    EXPECT_TRUE(listed(1, "copied.txt"));
    EXPECT_FALSE(listed(0, "unseen.txt"));
    EXPECT_FALSE(file_box_has(0, "unseen.txt"));
}

TEST_F(PaneRefreshTest, BothRefreshesListsButNotTheShownFolderBoxes) {
    open_folders();
    std::filesystem::create_directories(left / "Made");
    std::filesystem::create_directories(right / "Also");
    f.Image5[1].Tag = "1"; // the right pane shows its folder box beside the list
    f.Dir1[1].Visible = true;
    RefreshBoth(app, 0);
    EXPECT_TRUE(listed(0, " Made"));
    EXPECT_FALSE(folder_box_has(1, "Also"));
    f.Dir1[1].Refresh();
    EXPECT_TRUE(folder_box_has(1, "Also"));
}

TEST_F(PaneRefreshTest, RefreshKeepsTheSelectedPosition) {
    for (auto name : {"a", "b", "c"})
        left.write(name, "x");
    open_folder(0, folder(left));
    f.ListView1[0].user_click_item(3);
    left.write("0first", "x");
    RefreshFile1(app, 0);
    ASSERT_NE(f.ListView1[0].SelectedItem(), nullptr);
    EXPECT_EQ(f.ListView1[0].SelectedItem()->Index(), 3);
}
