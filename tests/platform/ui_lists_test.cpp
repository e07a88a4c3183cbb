// List boxes, combo boxes and the drive, folder and file boxes over a real temporary folder.
#include "platform/ui/ui.hpp"
#include "tests/support/ScriptedHost.hpp"
#include "tests/support/temp_dir.hpp"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using test_support::ScriptedHost;
using test_support::TempDir;

class PaneWindow : public ui::Window {
public:
    explicit PaneWindow(ui::Host& host) : ui::Window(host, "PaneWindow") {
        add(List2, "List2");
        add(Combo1, "Combo1");
        add(Drive1, "Drive1");
        add(Dir1, "Dir1");
        add(File1, "File1");
        for (int i = 0; i < 2; ++i) {
            Combo1[i].Click = [this, i] { log.push_back("Combo1_Click " + std::to_string(i)); };
            Combo1[i].Change = [this, i] { log.push_back("Combo1_Change " + std::to_string(i)); };
            Dir1[i].Change = [this, i] { log.push_back("Dir1_Change " + std::to_string(i)); };
            Dir1[i].Click = [this, i] { log.push_back("Dir1_Click " + std::to_string(i)); };
            Drive1[i].Change = [this, i] { log.push_back("Drive1_Change " + std::to_string(i)); };
            File1[i].Click = [this, i] { log.push_back("File1_Click " + std::to_string(i)); };
        }
        List2.Click = [this] { log.push_back("List2_Click"); };
        List2.DblClick = [this] { log.push_back("List2_DblClick"); };
    }
    ui::ListBox List2;
    std::array<ui::ComboBox, 2> Combo1;
    std::array<ui::DriveListBox, 2> Drive1;
    std::array<ui::DirListBox, 2> Dir1;
    std::array<ui::FileListBox, 2> File1;
    std::vector<std::string> log;
};

TEST(UiLists, ListIndexRaisesClickExactlyOnceAndNotWhenUnchanged) {
    ScriptedHost host;
    PaneWindow w(host);
    w.Combo1[1].AddItem("Plugins");
    w.Combo1[1].AddItem("All files");
    w.Combo1[1].AddItem("Pictures");
    w.Combo1[1].ListIndex = 2;
    EXPECT_EQ(w.log, (std::vector<std::string>{"Combo1_Click 1"}));
    EXPECT_EQ(w.Combo1[1].Text, "Pictures") << "the entry's text is shown";
    w.Combo1[1].ListIndex = 2;
    EXPECT_EQ(w.log.size(), 1u);
    try {
        w.Combo1[1].ListIndex = 3;
        FAIL() << "no error";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), 380);
    }
    EXPECT_THROW(w.Combo1[1].ListIndex = -2, vb::Error);
    EXPECT_EQ(w.Combo1[1].ListIndex, 2);
}

TEST(UiLists, AddItemAtAPositionShiftsTheCursorWithoutAClick) {
    ScriptedHost host;
    PaneWindow w(host);
    w.List2.AddItem("b");
    w.List2.AddItem("c");
    w.List2.ListIndex = 1;
    w.log.clear();
    w.List2.AddItem("a", 0);
    EXPECT_EQ(w.List2.NewIndex(), 0);
    EXPECT_EQ(w.List2.ListIndex, 2);
    EXPECT_EQ(w.List2.List(2), "c");
    w.List2.RemoveItem(2);
    EXPECT_EQ(w.List2.ListIndex, -1);
    EXPECT_TRUE(w.log.empty());
    EXPECT_EQ(w.List2.List(9), "") << "reading past the end gives empty text";
    EXPECT_THROW(w.List2.RemoveItem(5), vb::Error);
    EXPECT_THROW(w.List2.AddItem("x", 9), vb::Error);
}

TEST(UiLists, SortedListsInsertInCaseInsensitiveOrderAndKeepItemData) {
    ScriptedHost host;
    PaneWindow w(host);
    w.List2.Sorted = true;
    for (const char* s : {"beta", "Alpha", "gamma", "alpha"}) {
        w.List2.AddItem(s);
        w.List2.ItemData(w.List2.NewIndex()) = static_cast<int>(std::string(s).size());
    }
    EXPECT_EQ(w.List2.List(0), "Alpha");
    EXPECT_EQ(w.List2.List(1), "alpha");
    EXPECT_EQ(w.List2.List(2), "beta");
    EXPECT_EQ(w.List2.GetItemData(3), 5);
    EXPECT_THROW(w.List2.ItemData(4) = 1, vb::Error);
}

TEST(UiLists, MultiSelectionFromCodeMovesTheCursorAndCounts) {
    ScriptedHost host;
    PaneWindow w(host);
    w.List2.MultiSelect = ui::vbMultiSelectExtended;
    for (const char* s : {"a", "b", "c", "d"})
        w.List2.AddItem(s);
    w.List2.Selected(1) = true;
    w.List2.Selected(3) = true;
    EXPECT_EQ(w.List2.ListIndex, 3);
    EXPECT_EQ(w.List2.SelCount(), 2);
    EXPECT_TRUE(w.List2.Selected(1));
    EXPECT_FALSE(w.List2.Selected(2));
    EXPECT_EQ(w.log, (std::vector<std::string>{"List2_Click", "List2_Click"}));
    w.List2.user_select(0);
    EXPECT_EQ(w.List2.SelCount(), 1) << "a plain click selects the entry alone";
    w.List2.user_select(2, ui::vbShiftMask);
    EXPECT_EQ(w.List2.SelCount(), 3);
    w.List2.user_select(1, ui::vbCtrlMask);
    EXPECT_EQ(w.List2.SelCount(), 2);
    EXPECT_EQ(w.List2.ItemHeightPixels(), 13);
}

TEST(UiLists, KeysMoveTheCursorAndDoubleClickFollowsClick) {
    ScriptedHost host;
    PaneWindow w(host);
    for (const char* s : {"a", "b", "c"})
        w.List2.AddItem(s);
    w.Show();
    w.List2.user_dblclick_item(1);
    w.List2.user_key(ui::vbKeyDown);
    w.List2.user_key(ui::vbKeyDown);
    EXPECT_EQ(w.List2.ListIndex, 2);
    EXPECT_EQ(w.log, (std::vector<std::string>{"List2_Click", "List2_DblClick", "List2_Click"}));
}

TEST(UiLists, TypedComboTextHasNoListIndexAndRaisesChange) {
    ScriptedHost host;
    PaneWindow w(host);
    w.Combo1[0].AddItem("*.8bf");
    w.Combo1[0].ListIndex = 0;
    w.log.clear();
    int enter = 0;
    w.Combo1[0].KeyPress = [&](int& KeyAscii) {
        if (KeyAscii == ui::vbKeyReturn) ++enter;
    };
    w.Combo1[0].user_type("*.x");
    w.Combo1[0].user_key(ui::vbKeyReturn);
    EXPECT_EQ(w.Combo1[0].Text, "*.8bf*.x");
    EXPECT_EQ(w.Combo1[0].ListIndex, -1);
    EXPECT_EQ(enter, 1);
    EXPECT_EQ(w.log.front(), "Combo1_Change 0");
    w.Combo1[1].Style = ui::vbComboDropdownList;
    w.Combo1[1].AddItem("One");
    w.Combo1[1].Text = "one";
    EXPECT_EQ(w.Combo1[1].ListIndex, 0);
    EXPECT_THROW(w.Combo1[1].Text = "two", vb::Error);
}

TEST(UiFolderBox, PathWithATrailingSlashIsTheSameFolderAndRaisesNoChange) {
    ScriptedHost host;
    PaneWindow w(host);
    TempDir dir("dirbox");
    std::filesystem::create_directories(dir / "Sub");
    w.Dir1[0].Path = dir.path().string();
    EXPECT_EQ(w.log, (std::vector<std::string>{"Dir1_Change 0"}));
    w.Dir1[0].Path = dir.path().string() + "/";
    w.Dir1[0].Path = (dir / "Sub").string() + "/..";
    EXPECT_EQ(w.log.size(), 1u);
    EXPECT_EQ(w.Dir1[0].Path, dir.path().string());
}

TEST(UiFolderBox, ListsParentsAtNegativeIndicesAndSortedSubfoldersWithoutDotFolders) {
    ScriptedHost host;
    PaneWindow w(host);
    TempDir dir("dirbox");
    for (const char* d : {"beta", "Alpha", ".hidden", "gamma"})
        std::filesystem::create_directories(dir / d);
    dir.write("file.txt", "x");
    w.Dir1[0].Path = dir.path().string();
    ASSERT_EQ(w.Dir1[0].ListCount(), 3);
    EXPECT_EQ(w.Dir1[0].List(0), (dir / "Alpha").string());
    EXPECT_EQ(w.Dir1[0].List(2), (dir / "gamma").string());
    EXPECT_EQ(w.Dir1[0].List(-1), dir.path().string());
    EXPECT_EQ(w.Dir1[0].List(-2), dir.path().parent_path().string());
    EXPECT_EQ(w.Dir1[0].ListIndex, -1);
    w.Dir1[0].Path = "..";
    EXPECT_EQ(w.Dir1[0].Path, dir.path().parent_path().string()) << "relative paths resolve against the open folder";
    w.Dir1[0].Path = "/";
    EXPECT_EQ(w.Dir1[0].List(-1), "/");
    EXPECT_EQ(w.Dir1[0].List(-2), "");
}

TEST(UiFolderBox, AMissingFolderFailsWithError76AndKeepsThePath) {
    ScriptedHost host;
    PaneWindow w(host);
    TempDir dir("dirbox");
    w.Dir1[0].Path = dir.path().string();
    try {
        w.Dir1[0].Path = (dir / "nope").string();
        FAIL() << "no error";
    } catch (const vb::Error& e) {
        EXPECT_EQ(e.number(), 76);
    }
    EXPECT_EQ(w.Dir1[0].Path, dir.path().string());
}

TEST(UiFolderBox, OpeningAnEntryChangesThePathAndRefreshSeesNewFolders) {
    ScriptedHost host;
    PaneWindow w(host);
    TempDir dir("dirbox");
    std::filesystem::create_directories(dir / "a");
    w.Dir1[1].Path = dir.path().string();
    w.log.clear();
    w.Dir1[1].user_open(0);
    EXPECT_EQ(w.Dir1[1].Path, (dir / "a").string());
    EXPECT_EQ(w.log, (std::vector<std::string>{"Dir1_Click 1", "Dir1_Change 1"}));
    std::filesystem::create_directories(dir / "a" / "new");
    EXPECT_EQ(w.Dir1[1].ListCount(), 0);
    w.Dir1[1].Refresh();
    EXPECT_EQ(w.Dir1[1].ListCount(), 1);
}

TEST(UiFileBox, ListsMatchingFilesSortedWithoutRegardToCaseAndLeavesDotFilesOut) {
    ScriptedHost host;
    PaneWindow w(host);
    TempDir dir("filebox");
    for (const char* f : {"zeta.8bf", "Alpha.8BF", "beta.txt", ".hidden.8bf", "gamma._bf", "README"})
        dir.write(f, "x");
    std::filesystem::create_directories(dir / "folder.8bf");
    w.File1[0].Pattern = ";*.8bf;*._bf";
    w.File1[0].Path = dir.path().string();
    std::vector<std::string> names;
    for (int i = 0; i < w.File1[0].ListCount(); ++i)
        names.push_back(w.File1[0].List(i));
    EXPECT_EQ(names, (std::vector<std::string>{"Alpha.8BF", "gamma._bf", "zeta.8bf"}));
    w.File1[0].Pattern = "*.*";
    EXPECT_EQ(w.File1[0].ListCount(), 5) << "\"*.*\" also matches a name without a dot";
}

TEST(UiFileBox, ReReadsOnlyWhenPathOrPatternIsSetOrOnRefresh) {
    ScriptedHost host;
    PaneWindow w(host);
    TempDir dir("filebox");
    dir.write("a.txt", "x");
    w.File1[0].Path = dir.path().string();
    ASSERT_EQ(w.File1[0].ListCount(), 1);
    dir.write("b.txt", "x");
    w.File1[0].Path = dir.path().string();
    EXPECT_EQ(w.File1[0].ListCount(), 1) << "the same path reads nothing";
    w.File1[0].Refresh();
    EXPECT_EQ(w.File1[0].ListCount(), 2);
}

TEST(UiFileBox, SelectingFromCodeAlsoSetsTheListIndex) {
    ScriptedHost host;
    PaneWindow w(host);
    TempDir dir("filebox");
    for (const char* f : {"a", "b", "c"})
        dir.write(f, "x");
    w.File1[0].MultiSelect = ui::vbMultiSelectExtended;
    w.File1[0].Path = dir.path().string();
    w.File1[0].Selected(2) = true;
    EXPECT_EQ(w.File1[0].ListIndex, 2);
    EXPECT_EQ(w.File1[0].List(w.File1[0].ListIndex), "c");
    w.File1[0].Refresh();
    EXPECT_EQ(w.File1[0].ListIndex, -1);
    EXPECT_EQ(w.File1[0].SelCount(), 0);
}

TEST(UiDriveBox, HoldsRootAndHomeAndPicksTheLongestEntryForAPath) {
    ScriptedHost host;
    PaneWindow w(host);
    std::string home = ui::NormaliseFolder(std::getenv("HOME"), "/");
    ASSERT_GE(w.Drive1[0].ListCount(), 2);
    EXPECT_EQ(w.Drive1[0].List(0), "/");
    EXPECT_EQ(w.Drive1[0].List(1), home);
    w.Drive1[0].Drive = home + "/.config/x";
    EXPECT_EQ(w.Drive1[0].Drive, home);
    EXPECT_EQ(w.Drive1[0].ListIndex, 1);
    w.Drive1[0].Drive = home + "/";
    w.Drive1[0].Drive = "/usr";
    EXPECT_EQ(w.Drive1[0].Drive, "/");
    EXPECT_EQ(w.log, (std::vector<std::string>{"Drive1_Change 0", "Drive1_Change 0"}));
}

} // namespace
