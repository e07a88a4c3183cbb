// The File View's report list: items, icons, size and date texts, sorting per pane, the selection
// kept by position, and the view-mode pop-up.
#include "filemanager/fileview.hpp"
#include "filemanager/refresh.hpp"
#include "tests/filemanager/file_view_fixture.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/time.h>

using namespace vexolan;

namespace {

// Sets a file's or folder's modification time to a local date and time.
void set_mtime(const std::filesystem::path& p, int year, int month, int day, int hour, int minute) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_isdst = -1;
    timeval times[2] = {{std::mktime(&tm), 0}, {std::mktime(&tm), 0}};
    ASSERT_EQ(utimes(p.c_str(), times), 0);
}

struct FileViewListTest : test_support::FileViewTest {
    void make_sample() {
        for (auto name : {"IMAGE.BMP", "image.bmp", "photo.jpeg", "scan.tif", "x.wmf", "filter._bf"})
            left.write(name, "x");
        left.write("e.txt", "");
        {
            std::ofstream big(left / "big.8bf", std::ios::binary);
            big.seekp(1'200'000 - 1);
            big.put('\0');
        }
        std::filesystem::create_directories(left / "A");
        std::filesystem::create_directories(left / "b");
        open_folder(0, folder(left));
    }
    std::vector<std::string> column(int pane, int sub) const {
        std::vector<std::string> out;
        const auto& items = f.ListView1[pane].ListItems;
        for (int i = 1; i <= items.Count(); ++i)
            out.push_back(sub == 0 ? items(i).Text.get() : items(i).SubItemText(sub));
        return out;
    }
};

} // namespace

TEST_F(FileViewListTest, ItemsCarryIconsByExtensionAndSizeTexts) {
    make_sample();
    FillDirList(app, folder(left), 0, false);
    EXPECT_EQ(f.ListView1[0].ListItems.Count(), 11);
    const std::vector<std::pair<std::string, int>> icons{
        {" ..", 2},      {" A", 1},     {" b", 1},         {"IMAGE.BMP", 11}, {"image.bmp", 11}, {"photo.jpeg", 3},
        {"scan.tif", 3}, {"x.wmf", 11}, {"filter._bf", 3}, {"e.txt", 3},      {"big.8bf", 4},
    };
    for (const auto& [text, icon] : icons) {
        EXPECT_EQ(item(0, text).Icon.get(), icon) << text;
        EXPECT_EQ(item(0, text).SmallIcon.get(), icon) << text;
    }
    EXPECT_EQ(item(0, "e.txt").SubItemText(1), "");
    EXPECT_EQ(item(0, "big.8bf").SubItemText(1), "1,200,000");
    EXPECT_EQ(item(0, " A").SubItemText(1), " ");
    EXPECT_EQ(item(0, " ..").SubItemText(1), " ");
    EXPECT_EQ(item(0, " ..").SubItemText(2), " ");
}

TEST_F(FileViewListTest, IconTableCoversEveryListedKind) {
    EXPECT_EQ(FileIcon("a.PRM"), IconPremiere);
    EXPECT_EQ(FileIcon("a.aex"), IconAfterFx);
    EXPECT_EQ(FileIcon("lib.FFL"), IconLibrary);
    EXPECT_EQ(FileIcon("a.zip"), IconZip);
    for (auto name : {"a.tub", "a.psp", "a.msk", "a.pat", "a.tex", "a.jsl", "a.jbr", "a.pfr", "a.jgd", "a.sld"})
        EXPECT_EQ(FileIcon(name), IconPaintShop) << name;
    for (auto name : {"a.jpg", "a.gif", "a.png", "a.tga", "a.pcx"})
        EXPECT_EQ(FileIcon(name), IconPicture) << name;
    EXPECT_EQ(FileIcon("_prm"), IconFile);
    EXPECT_EQ(FileIcon("8bf"), IconFile);
}

TEST_F(FileViewListTest, SizesBeyondFourGigabytesAreGroupedAndDatesCutAfterTheFirstBlank) {
    EXPECT_EQ(SizeText(5'000'000'000ULL), "5,000,000,000");
    EXPECT_EQ(SizeText(999), "999");
    EXPECT_EQ(DateText({2026, 12, 9, 16, 15, 16}), "12/9/2026 ");
    EXPECT_EQ(DateText({2026, 3, 1, 0, 0, 0}), "3/1/2026");

    left.write("dated.txt", "x");
    set_mtime(left / "dated.txt", 2025, 7, 4, 13, 30);
    std::filesystem::create_directories(left / "Sub");
    set_mtime(left / "Sub", 2024, 1, 2, 8, 0);
    open_folder(0, folder(left));
    EXPECT_EQ(item(0, "dated.txt").SubItemText(2), "7/4/2025 ");
    EXPECT_EQ(item(0, " Sub").SubItemText(2), "1/2/2024 ");
}

TEST_F(FileViewListTest, FolderBoxShownListsNoFolderItemsAndTheRootNoParent) {
    make_sample();
    f.Image5[0].Tag = "1";
    FillDirList(app, folder(left), 0, false);
    EXPECT_FALSE(listed(0, " A"));
    EXPECT_TRUE(listed(0, " .."));
    EXPECT_EQ(f.ListView1[0].ListItems.Count(), 9);

    EXPECT_EQ(FillDirList(app, "/", 1, false), "/");
    EXPECT_FALSE(listed(1, " .."));
}

TEST_F(FileViewListTest, ParentResolvesAgainstThePanesOwnFolder) {
    std::filesystem::create_directories(left / "deep" / "er");
    open_folder(0, folder(left, "deep/er"));
    open_folder(1, folder(right));
    f.Switchit(1); // the current folder is now the right pane's
    EXPECT_EQ(FillDirList(app, "..", 0, false), folder(left, "deep") + "/");
    EXPECT_EQ(f.Dir1[0].Path.get(), folder(left, "deep"));
    EXPECT_TRUE(listed(0, " er"));
}

TEST_F(FileViewListTest, MissingFolderLeavesListFolderBoxAndPointerAlone) {
    make_sample();
    const auto before = texts(0);
    EXPECT_EQ(FillDirList(app, folder(left, "nowhere"), 0, true), "");
    EXPECT_EQ(texts(0), before);
    EXPECT_EQ(f.Dir1[0].Path.get(), folder(left));
    EXPECT_EQ(f.MousePointer.get(), ui::vbDefault);
}

TEST_F(FileViewListTest, TrailingSeparatorRefillsWithoutAChangeOfTheFolderBox) {
    make_sample();
    int changes = 0;
    f.Dir1[0].Change = [&] { ++changes; };
    FillDirList(app, folder(left) + "/", 0, false);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(f.ListView1[0].ListItems.Count(), 11);
}

TEST_F(FileViewListTest, ColumnClicksTurnTheDirectionAndEachPaneKeepsItsOwn) {
    left.write("c.txt", "ccc");
    left.write("a.txt", "aaaaa");
    left.write("b.txt", "b");
    left.write("z.txt", "");
    std::filesystem::create_directories(left / "Dir");
    open_folder(0, folder(left));
    open_folder(1, folder(left));

    f.ListView1[0].user_click_column(2);
    EXPECT_EQ(column(0, 0), (std::vector<std::string>{" ..", " Dir", "z.txt", "b.txt", "c.txt", "a.txt"}));
    f.ListView1[0].user_click_column(2);
    EXPECT_EQ(column(0, 0), (std::vector<std::string>{"a.txt", "c.txt", "b.txt", " ..", " Dir", "z.txt"}));
    EXPECT_EQ(f.ListView1[0].SortKey.get(), 1);

    // The right pane's name column was sorted ascending by its fill: a click turns it. Then it sorts by
    // date, and refills of both panes leave the left one in its descending size order.
    f.ListView1[1].user_click_column(1);
    EXPECT_EQ(column(1, 0), (std::vector<std::string>{"z.txt", "c.txt", "b.txt", "a.txt", " Dir", " .."}));
    f.ListView1[1].user_click_column(3);
    RefreshFile1(app, 1); // refills both, as they show one folder
    RefreshFile1(app, 0);
    auto sizes = column(0, 0);
    sizes.resize(3);
    EXPECT_EQ(sizes, (std::vector<std::string>{"a.txt", "c.txt", "b.txt"}));
    EXPECT_EQ(f.ListView1[1].SortKey.get(), 2);
    EXPECT_EQ(f.ListView1[0].SortKey.get(), 1);

    f.ListView1[0].user_click_column(1);
    EXPECT_EQ(column(0, 0), (std::vector<std::string>{" ..", " Dir", "a.txt", "b.txt", "c.txt", "z.txt"}));
}

TEST_F(FileViewListTest, SelectionIsKeptByPositionNotByName) {
    for (auto name : {"f1", "f2", "f3", "f4", "f5", "f6"})
        left.write(name, "x");
    open_folder(0, folder(left));
    ui::ListView& list = f.ListView1[0];
    list.user_click_item(5); // " ..", f1, f2, f3, f4: the fifth is f4
    ASSERT_EQ(list.SelectedItem()->Text.get(), "f4");
    std::filesystem::remove(left / "f1");
    FillDirList(app, folder(left), 0, true);
    ASSERT_NE(list.SelectedItem(), nullptr);
    EXPECT_EQ(list.SelectedItem()->Index(), 5);
    EXPECT_EQ(list.SelectedItem()->Text.get(), "f5");

    for (auto name : {"f2", "f3", "f4"})
        std::filesystem::remove(left / name);
    FillDirList(app, folder(left), 0, true);
    EXPECT_EQ(list.SelectedItem(), nullptr);
    for (int i = 1; i <= list.ListItems.Count(); ++i)
        EXPECT_FALSE(list.ListItems(i).Selected.get());
}

TEST_F(FileViewListTest, ViewModeImageMakesThePaneActiveAndChecksItsMode) {
    open_folders();
    set_mode(1, 2);
    f.Switchit(0);
    host.choose_no_popup();
    f.Image2[1].user_click();
    EXPECT_EQ(f.Switchy, 1);
    ASSERT_EQ(host.popups().size(), 1u);
    EXPECT_EQ(host.popups()[0].Menu, "mnuFileViewMenu");
    const ui::Image& image = f.Image2[1];
    EXPECT_EQ(host.popups()[0].X, image.Left + image.Width);
    EXPECT_EQ(host.popups()[0].Y, image.Top + image.Height);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(f.mnuFileViewMode[i].Checked.get(), i == 2) << i;

    host.choose_popup("mnuFileViewMode", 4);
    f.Image2[1].user_click();
    EXPECT_EQ(DetermineFileViewMode(app, 1), 4);
    EXPECT_EQ(DetermineFileViewMode(app, 0), 3);
}
