#include "shell/selection.hpp"

#include "tests/shell/main_window_fixture.hpp"

using namespace vexolan;

namespace {

struct SelectionTest : test_support::MainWindowTest {
    std::string base;
    SelectionTest() {
        touch("a.txt");
        touch("B Filter.8BF");
        make_dir("Photos");
        base = folder() + "/";
        open_folder(0, folder());
    }
};

} // namespace

TEST_F(SelectionTest, ReportListGivesSelectedFilesInListOrderWithTheirRealCase) {
    ASSERT_EQ(f.ListView1[0].ListItems.Count(), 4); // " ..", " Photos", "a.txt", "B Filter.8BF"
    select_items(0, {" ..", " Photos", "a.txt", "B Filter.8BF"});
    std::vector<std::string> items{"stale"};
    ASSERT_TRUE(GetSelectedItems(app, items, 0));
    EXPECT_EQ(items, (std::vector<std::string>{base + "a.txt", base + "B Filter.8BF"}));
    std::vector<std::string> folders;
    ASSERT_TRUE(GetSelectedFolders(app, folders, 0));
    EXPECT_EQ(folders, (std::vector<std::string>{base + "Photos/"}));
    EXPECT_EQ(Listview_SelCount(f.ListView1[0]), 4);
    EXPECT_EQ(GetSingleItem(app, 0), base + "a.txt");
}

TEST_F(SelectionTest, OnlyFoldersSelectedGivesNoItemsAndLeavesTheArrayAlone) {
    select_items(0, {" ..", " Photos"});
    std::vector<std::string> items{"kept"};
    EXPECT_FALSE(GetSelectedItems(app, items, 0));
    EXPECT_EQ(items, (std::vector<std::string>{"kept"}));
    EXPECT_EQ(GetSingleItem(app, 0), "");
    select_items(0, {"a.txt"});
    std::vector<std::string> folders{"kept"};
    EXPECT_FALSE(GetSelectedFolders(app, folders, 0));
    EXPECT_EQ(folders, (std::vector<std::string>{"kept"}));
}

TEST_F(SelectionTest, SingleFolderInTheReportList) {
    select_items(0, {" .."});
    EXPECT_EQ(GetSingleFolder(app, 0, true), "..");
    EXPECT_EQ(GetSingleFolder(app, 0, false), base);
    select_items(0, {});
    EXPECT_EQ(GetSingleFolder(app, 0, false), base);
    EXPECT_EQ(GetSingleFolder(app, 0, true), "\\");
    select_items(0, {" Photos", "a.txt"});
    EXPECT_EQ(GetSingleFolder(app, 0, true), base + "Photos/");
}

TEST_F(SelectionTest, SingleFolderOutsideTheFileViewIsALoneBackslash) {
    app.PaneMode[0] = 2;
    EXPECT_EQ(GetSingleFolder(app, 0, false), "\\");
    std::vector<std::string> folders{"kept"};
    EXPECT_FALSE(GetSelectedFolders(app, folders, 0));
    app.PaneMode[0] = 3;
    std::vector<std::string> items{"kept"};
    EXPECT_FALSE(GetSelectedItems(app, items, 0));
    EXPECT_EQ(GetSingleItem(app, 0), "");
}

TEST_F(SelectionTest, ClassicModeUsesTheListCursorAndTheFolderBox) {
    f.mnuFileViewMode_Click(4);
    ASSERT_TRUE(f.File1[0].Visible);
    ASSERT_FALSE(f.ListView1[0].Visible);
    ASSERT_EQ(f.File1[0].ListCount(), 2);
    // No cursor: no file, rather than the folder passing for one.
    EXPECT_EQ(GetSingleItem(app, 0), "");
    f.File1[0].ListIndex = 0;
    f.File1[0].Selected(0) = false;
    EXPECT_EQ(GetSingleItem(app, 0), base + f.File1[0].List(0)); // the cursor counts, selected or not
    EXPECT_EQ(GetSingleFolder(app, 0, false), base);             // the open folder (-1)
    f.Dir1[0].ListIndex = 0;
    EXPECT_EQ(GetSingleFolder(app, 0, false), base + "Photos/");
    std::vector<std::string> folders;
    ASSERT_TRUE(GetSelectedFolders(app, folders, 0));
    EXPECT_EQ(folders, (std::vector<std::string>{base + "Photos/"}));
    f.File1[0].Selected(1) = true;
    std::vector<std::string> items;
    ASSERT_TRUE(GetSelectedItems(app, items, 0));
    EXPECT_EQ(items, (std::vector<std::string>{base + f.File1[0].List(1)}));
}

TEST_F(SelectionTest, RootFolderGetsOneSeparator) {
    open_folder(0, "/");
    EXPECT_EQ(GetSingleFolder(app, 0, false), "/");
    EXPECT_EQ(BaseFolder(app, 0), "/");
    DrawDirLabel(app, 0);
    EXPECT_EQ(f.Label6[0].Caption.get(), "/");
}

TEST_F(SelectionTest, PluginViewGivesCatalogPathsInListOrder) {
    app.PaneMode[0] = 2;
    auto& cat = app.PluginCatalog[0];
    cat.Reset();
    cat.Path = {"", base + "B Filter.8BF", base + "Other.8bf"};
    auto& list = f.List3[0];
    list.AddItem("Second");
    list.ItemData(0) = 2;
    list.AddItem("First");
    list.ItemData(1) = 1;
    list.AddItem("Nothing");
    list.ItemData(2) = 0;
    std::vector<std::string> items{"kept"};
    EXPECT_FALSE(GetSelectedItems(app, items, 0));
    EXPECT_EQ(items, (std::vector<std::string>{"kept"}));
    list.Selected(0) = true;
    list.Selected(1) = true;
    ASSERT_TRUE(GetSelectedItems(app, items, 0));
    EXPECT_EQ(items, (std::vector<std::string>{base + "Other.8bf", base + "B Filter.8BF"}));
    list.ListIndex = 2;
    EXPECT_EQ(GetSingleItem(app, 0), ""); // ItemData 0 names no file
    list.ListIndex = 1;
    EXPECT_EQ(GetSingleItem(app, 0), base + "B Filter.8BF");
}

TEST_F(SelectionTest, FolderLabelIsRightAlignedOnlyWhenTooWide) {
    f.Label6[0].Width = 100000;
    DrawDirLabel(app, 0);
    EXPECT_EQ(f.Label6[0].Caption.get(), base);
    EXPECT_EQ(f.Label6[0].Alignment.get(), ui::vbCenter);
    f.Label6[0].Width = 300;
    DrawDirLabel(app, 0);
    EXPECT_EQ(f.Label6[0].Alignment.get(), ui::vbRightJustify);
}
