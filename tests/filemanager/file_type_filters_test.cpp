// The file-type filter box of each pane: the six entries, the plug-in type mask and typed patterns.
#include "filemanager/filters.hpp"
#include "preferences/Form2.hpp"
#include "tests/filemanager/file_view_fixture.hpp"

#include <gtest/gtest.h>

using namespace vexolan;

namespace {

struct FileTypeFiltersTest : test_support::FileViewTest {
    FileTypeFiltersTest() {
        for (auto name : {"filter._bf", "filter.8bf", "a_8bf", "b.pr-", "A.8BF", "c.prm", "pic.jpg", "arch.zip",
                          "notes.txt", "memo.doc", "x.api", "y_api", "z.apj", "lib.ffl"})
            left.write(name, "x");
        std::filesystem::create_directories(left / "Sub");
        AddFilterEntries(app, 0);
        AddFilterEntries(app, 1);
        open_folders();
    }
    // The file items of the left list (no folder or parent items), sorted.
    std::vector<std::string> files_listed() const {
        std::vector<std::string> out;
        for (const auto& t : texts(0))
            if (!t.empty() && t[0] != ' ') out.push_back(t);
        std::sort(out.begin(), out.end());
        return out;
    }
    std::vector<std::string> file_box() const {
        std::vector<std::string> out;
        for (int i = 0; i < f.File1[0].ListCount(); ++i)
            out.push_back(f.File1[0].List(i));
        std::sort(out.begin(), out.end());
        return out;
    }
    void check_type(std::string line) {
        Form2& prefs = app.form2();
        prefs.List1[3].Clear();
        // "" leaves one kind unchecked (an empty list would keep the types as they were).
        prefs.List1[3].AddItem(line.empty() ? "Acrobat Plugin (api|2)" : line);
        prefs.List1[3].Selected(0) = !line.empty();
        prefs.GetPlugTypes();
    }
};

} // namespace

TEST_F(FileTypeFiltersTest, EntriesAreTheSixFixedTexts) {
    ASSERT_EQ(f.Combo1[0].ListCount(), 6);
    EXPECT_EQ(f.Combo1[0].List(0), "All Files (*.*)");
    EXPECT_EQ(f.Combo1[0].List(1), "Adobe Plugins (*.8bf;*.prm;*.aex)");
    EXPECT_EQ(f.Combo1[0].List(2), "Image Files (*.jpg;*.gif;*.bmp;*.wmf;*.png;*.tga;*.pcx;*.tif;*.eps)");
    EXPECT_EQ(f.Combo1[0].List(3), "Defined Plugins (see Preferences)");
    EXPECT_EQ(f.Combo1[0].List(4), "FF Source Files (*.ffl;*.txt;*.afs;*.pff;*.ffx)");
    EXPECT_EQ(f.Combo1[0].List(5), "Zip Files (*.zip)");
}

TEST_F(FileTypeFiltersTest, ZipEntryLeavesOnlyZipFilesBesideTheFolderItems) {
    f.Combo1[0].ListIndex = 5;
    EXPECT_EQ(f.File1[0].Pattern.get(), "*.zip");
    EXPECT_EQ(file_box(), (std::vector<std::string>{"arch.zip"}));
    EXPECT_EQ(texts(0), (std::vector<std::string>{" ..", " Sub", "arch.zip"}));
}

TEST_F(FileTypeFiltersTest, PluginEntryShowsDisabledSpellingsInAnyCase) {
    f.Combo1[0].ListIndex = 1;
    EXPECT_EQ(files_listed(),
              (std::vector<std::string>{"A.8BF", "a_8bf", "b.pr-", "c.prm", "filter.8bf", "filter._bf"}));
    f.Combo1[0].ListIndex = 4;
    EXPECT_EQ(files_listed(), (std::vector<std::string>{"lib.ffl", "notes.txt"}));
    f.Combo1[0].ListIndex = 0;
    EXPECT_EQ(files_listed().size(), 14u);
}

TEST_F(FileTypeFiltersTest, DefinedPluginsFollowThePreferencesTypes) {
    check_type("Acrobat Plugin (api|2)");
    ASSERT_EQ(app.PlugTypeMask, ";*?api");
    f.Combo1[0].ListIndex = 3;
    EXPECT_EQ(files_listed(), (std::vector<std::string>{"x.api", "y_api"}));

    // No type checked: the entry lists no files at all, only the folder items.
    check_type("");
    f.Combo1[0].ListIndex = 0;
    f.Combo1[0].ListIndex = 3;
    EXPECT_EQ(f.File1[0].Pattern.get(), "");
    EXPECT_TRUE(files_listed().empty());
    EXPECT_EQ(f.File1[0].ListCount(), 0);
    EXPECT_TRUE(listed(0, " Sub"));
}

TEST_F(FileTypeFiltersTest, TypedPatternsApplyOnEnterOnlyWhenNoEntryIsSelected) {
    f.Combo1[0].user_focus();
    f.Combo1[0].user_type("*.txt;*.doc");
    ASSERT_EQ(f.Combo1[0].ListIndex.get(), -1);
    EXPECT_EQ(files_listed().size(), 14u); // typing alone changes nothing
    f.Combo1[0].user_key(ui::vbKeyReturn);
    EXPECT_EQ(f.File1[0].Pattern.get(), "*.txt;*.doc");
    EXPECT_EQ(files_listed(), (std::vector<std::string>{"memo.doc", "notes.txt"}));

    // With an entry selected, Enter only refills: a file made meanwhile shows, the pattern stays.
    f.Combo1[0].ListIndex = 5;
    left.write("late.zip", "x");
    int enter = ui::vbKeyReturn;
    Combo1_KeyPress(app, 0, enter);
    EXPECT_EQ(f.File1[0].Pattern.get(), "*.zip");
    EXPECT_EQ(files_listed(), (std::vector<std::string>{"arch.zip", "late.zip"}));
}

TEST_F(FileTypeFiltersTest, FocusOnTheBoxMakesItsPaneActive) {
    f.Switchit(0);
    f.Combo1[1].user_focus();
    EXPECT_EQ(f.Switchy, 1);
    f.Combo1[1].ListIndex = 5;
    EXPECT_EQ(f.File1[1].Pattern.get(), "*.zip");
    EXPECT_EQ(f.File1[0].Pattern.get(), "*.*");
}
