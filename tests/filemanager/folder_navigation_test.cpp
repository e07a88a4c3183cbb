// Moving between folders: the recent-folder rules, the folder box's keys, the folder-box button and
// the synchronising of both panes, on real temporary folders.

#include "filemanager/fileview.hpp"
#include "filemanager/navigation.hpp"
#include "preferences/Form2.hpp"
#include "tests/filemanager/file_view_fixture.hpp"

#include <fstream>

using namespace vexolan;
using test_support::FileViewTest;

namespace {

std::vector<std::string> entries(const ui::ListBox& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.ListCount(); ++i)
        out.push_back(list.List(i));
    return out;
}

struct RecentCase {
    bool AutoAdd, AutoTop, Listed;
    std::vector<std::string> Expected;
};

} // namespace

TEST(RecentFolders, AutoAddAutoTopAndListedOrNot) {
    const std::vector<RecentCase> cases{
        // Visiting "/x/Data" while "/x/Data/" is listed: one folder, with or without its separator.
        {false, false, false, {"/a/", "/b/"}},
        {false, false, true, {"/a/", "/x/Data/", "/b/"}},
        {false, true, false, {"/a/", "/b/"}},
        {false, true, true, {"/x/Data/", "/a/", "/b/"}},
        {true, false, false, {"/a/", "/b/", "/x/Data/"}},
        {true, false, true, {"/a/", "/x/Data/", "/b/"}},
        {true, true, false, {"/x/Data/", "/a/", "/b/"}},
        {true, true, true, {"/x/Data/", "/a/", "/b/"}},
    };
    for (const RecentCase& c : cases) {
        ui::ListBox list;
        list.AddItem("/a/");
        if (c.Listed) list.AddItem("/x/Data/");
        list.AddItem("/b/");
        RememberFolder(list, "/x/Data", c.AutoAdd, c.AutoTop, 20);
        EXPECT_EQ(entries(list), c.Expected) << c.AutoAdd << c.AutoTop << c.Listed;
    }
}

TEST(RecentFolders, OverTheLimitOneEntryGoesPerVisit) {
    ui::ListBox top;
    for (const char* p : {"/1/", "/2/", "/3/"})
        top.AddItem(p);
    EXPECT_TRUE(RememberFolder(top, "/4", true, true, 3));
    EXPECT_EQ(entries(top), (std::vector<std::string>{"/4/", "/1/", "/2/"}));

    ui::ListBox oldest;
    for (const char* p : {"/1/", "/2/", "/3/"})
        oldest.AddItem(p);
    RememberFolder(oldest, "/4", true, false, 3);
    EXPECT_EQ(entries(oldest), (std::vector<std::string>{"/2/", "/3/", "/4/"}));

    // A list of six under a limit of three loses one entry only.
    ui::ListBox longer;
    for (const char* p : {"/1/", "/2/", "/3/", "/4/", "/5/", "/6/"})
        longer.AddItem(p);
    RememberFolder(longer, "/1", false, false, 3);
    EXPECT_EQ(longer.ListCount(), 5);
}

TEST_F(FileViewTest, FolderChangeKeepsTheFileBoxLabelAndRecentFoldersInStep) {
    Form2& prefs = app.form2();
    prefs.Check10[0].Value = ui::vbChecked;
    prefs.Check19.Value = ui::vbChecked;
    open_folder(0, folder(left));
    EXPECT_EQ(f.File1[0].Path.get(), folder(left));
    EXPECT_EQ(files::CurDir(), folder(left));
    EXPECT_EQ(f.Label6[0].Caption.get(), folder(left) + "/");
    ASSERT_GE(prefs.List1[0].ListCount(), 1);
    EXPECT_EQ(prefs.List1[0].List(0), folder(left) + "/");
    // The Folders menu is rebuilt from the list.
    EXPECT_EQ(f.mnuDirectorys[0].Caption.get(), folder(left) + "/");
}

TEST_F(FileViewTest, DisabledFolderBoxOfAVisibleWindowChangesNothing) {
    open_folders();
    f.Show();
    std::filesystem::create_directory(left.path() / "sub");
    FillDirList(app, folder(left), 0);
    const auto before = texts(0);
    f.Dir1[0].Enabled = false;
    f.Dir1[0].Path = folder(left, "sub");
    EXPECT_EQ(f.File1[0].Path.get(), folder(left));
    EXPECT_EQ(texts(0), before);
}

TEST_F(FileViewTest, BackspaceInTheFolderBoxGoesUpAndAtTheRootDoesNothing) {
    std::filesystem::create_directory(left.path() / "sub");
    open_folder(0, folder(left, "sub"));
    int back = ui::vbKeyBack, shift = 0;
    Dir1_KeyUp(app, 0, back, shift);
    EXPECT_EQ(f.Dir1[0].Path.get(), folder(left));
    EXPECT_EQ(f.File1[0].Path.get(), folder(left));

    open_folder(0, "/");
    Dir1_KeyUp(app, 0, back, shift);
    EXPECT_EQ(f.Dir1[0].Path.get(), "/");
    EXPECT_TRUE(host.message_boxes().empty());
}

TEST_F(FileViewTest, EnterInTheFolderBoxOpensTheHighlightedFolder) {
    std::filesystem::create_directory(left.path() / "Zeta folder");
    open_folder(0, folder(left));
    f.Dir1[0].ListIndex = 0;
    int enter = ui::vbKeyReturn;
    Dir1_KeyPress(app, 0, enter);
    EXPECT_EQ(f.Dir1[0].Path.get(), folder(left, "Zeta folder"));
}

TEST_F(FileViewTest, FolderBoxButtonTwiceGivesBackTheFolderItemsAndTheListsPlace) {
    std::filesystem::create_directory(left.path() / "sub");
    std::ofstream(left.path() / "a.txt") << "a";
    open_folders();
    const int left0 = f.ListView1[0].Left, width0 = f.ListView1[0].Width;
    const int width1 = f.ListView1[1].Width;

    Image5_Click(app, 0);
    EXPECT_EQ(f.Image5[0].Tag.get(), "1");
    EXPECT_TRUE(f.Dir1[0].Visible.get());
    EXPECT_FALSE(listed(0, " sub"));
    EXPECT_TRUE(listed(0, "a.txt"));
    EXPECT_EQ(f.ListView1[0].Left.get(), f.File1[0].Left.get());
    EXPECT_EQ(f.ListView1[1].Width.get(), width1);

    Image5_Click(app, 0);
    EXPECT_EQ(f.Image5[0].Tag.get(), "0");
    EXPECT_FALSE(f.Dir1[0].Visible.get());
    EXPECT_TRUE(listed(0, " sub"));
    EXPECT_EQ(f.ListView1[0].Left.get(), left0);
    EXPECT_EQ(f.ListView1[0].Width.get(), width0);
}

TEST_F(FileViewTest, FolderBoxHiddenAfterAWindowResizeSpansBothBoxes) {
    open_folders();
    Image5_Click(app, 0);
    app.FolderBoxWindowWidth = f.Width + 15; // the window changed its width meanwhile
    Image5_Click(app, 0);
    EXPECT_EQ(f.ListView1[0].Width.get(), f.File1[0].Width + f.Dir1[0].Width);
}

TEST_F(FileViewTest, SynchronizeGivesTheOtherPaneThisPanesFolder) {
    std::filesystem::create_directory(left.path() / "deep");
    std::ofstream(left.path() / "deep" / "x.8bf") << "x";
    open_folder(0, folder(left, "deep"));
    open_folder(1, folder(right));
    Image4_Click(app, 0);
    EXPECT_EQ(f.Dir1[1].Path.get(), folder(left, "deep"));
    EXPECT_EQ(f.File1[1].Path.get(), folder(left, "deep"));
    EXPECT_TRUE(listed(1, "x.8bf"));
}
