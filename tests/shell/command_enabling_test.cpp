#include "shell/selection.hpp"
#include "tests/shell/main_window_fixture.hpp"

using namespace vexolan;

namespace {

struct CommandEnablingTest : test_support::MainWindowTest {
    // The ten entries of the four groups, in this order: A (5), B (2), C (2), D (1).
    std::vector<ui::Menu*> entries() {
        return {&f.mnuConvert, &f.mnuCreateLibrary, &f.mnuAdd,      &f.mnuListtoFile, &f.mnuCreateBMPs,
                &f.mnuInvoke,  &f.mnuPluginAbout,   &f.mnuPlugInfo, &f.mnuEnable,     &f.mnuChangeCat};
    }
    // "AAAAABBCCD" with "-" for a disabled entry.
    std::string states() {
        std::string s;
        const char* groups = "AAAAABBCCD";
        int i = 0;
        for (ui::Menu* m : entries())
            s += m->Enabled ? groups[i++] : (++i, '-');
        return s;
    }
    void disable_all() {
        for (ui::Menu* m : entries())
            m->Enabled = false;
    }

    // Selects these files of a fresh folder in pane 0's File View.
    void select_in_file_view(const std::vector<std::string>& names) {
        test_support::TempDir dir{"sel"};
        for (const auto& n : names)
            dir.write(n, "x");
        open_folder(0, dir.path().string());
        select_items(0, names);
        app.PaneMode[0] = 1;
        f.Switchit(0);
        disable_all();
        bool state = false;
        f.SwitchCommandItems(state);
    }
    // The same files as plug-in list entries of pane 0's Plugin View.
    void select_in_plugin_view(const std::vector<std::string>& names) {
        app.PaneMode[0] = 2;
        auto& cat = app.PluginCatalog[0];
        cat.Reset();
        cat.Path.resize(names.size() + 1);
        f.List3[0].Clear();
        for (std::size_t i = 0; i < names.size(); ++i) {
            cat.Path[i + 1] = folder() + "/" + names[i];
            f.List3[0].AddItem(names[i]);
            f.List3[0].ItemData(static_cast<int>(i)) = static_cast<int>(i + 1);
            f.List3[0].Selected(static_cast<int>(i)) = true;
        }
        disable_all();
        bool state = false;
        f.SwitchCommandItems(state);
    }
};

} // namespace

TEST_F(CommandEnablingTest, EntriesFollowTheFileTypesOfTheSelection) {
    app.PlugTypes.resize(2);
    app.PlugTypes.set(0, "Acrobat Plugin", "api", "2");
    // The second type is unchecked: its row is empty and matches nothing.
    struct Row {
        std::vector<std::string> files;
        const char* fileView;
        const char* pluginView;
    };
    std::vector<Row> rows = {
        {{"x.8bf"}, "AAAAABBCC-", "AAAAABBCCD"},          {{"a.txt", "b.afs"}, "AAAAA-----", "AAAAA-----"},
        {{"x.aex"}, "-------CC-", "-------CCD"},          {{"x._bf"}, "AAAAABBCC-", "AAAAABBCCD"},
        {{"pic.jpg"}, "----------", "----------"},        {{"x.api"}, "-------CC-", "-------CC-"},
        {{"X.API"}, "-------CC-", "-------CC-"},          {{"xapi"}, "----------", "----------"},
        {{"foo_"}, "----------", "----------"},           {{"pic.jpg", "x.8bf"}, "AAAAABBCC-", "AAAAABBCCD"},
        {{"a.txt", "x.aex"}, "AAAAA--CC-", "AAAAA--CCD"},
    };
    for (const Row& r : rows) {
        select_in_file_view(r.files);
        EXPECT_EQ(states(), r.fileView) << r.files[0] << " in the File View";
        select_in_plugin_view(r.files);
        EXPECT_EQ(states(), r.pluginView) << r.files[0] << " in the Plugin View";
    }
}

TEST_F(CommandEnablingTest, EnablingAllNeedsNoSelectionAndNarrowingDoes) {
    touch("pic.jpg");
    open_folder(0, folder());
    disable_all();
    bool narrow = false;
    f.SwitchCommandItems(narrow);
    EXPECT_EQ(states(), "----------"); // nothing selected: unchanged
    bool all = true;
    f.SwitchCommandItems(all);
    EXPECT_EQ(states(), "AAAAABBCC-");
    EXPECT_TRUE(all);
}

TEST_F(CommandEnablingTest, RightClickOnTheInactivePaneActivatesItThenWidensAgain) {
    touch("pic.jpg");
    open_folder(1, folder());
    f.Switchy = 1;
    f.mnuFileViewMode_Click(4);
    f.Switchit(0);
    f.File1[1].Selected(0) = true;
    host.choose_no_popup();
    f.File1[1].user_mouse_down(ui::vbRightButton, 0, 100, 100);
    EXPECT_EQ(f.Switchy, 1);
    ASSERT_EQ(host.popups().size(), 1u);
    EXPECT_EQ(host.popups()[0].Menu, "mnuOperations");
    EXPECT_EQ(states(), "AAAAABBCC-");
}

TEST_F(CommandEnablingTest, PopupNarrowsToTheSelectionWhileItIsOpen) {
    touch("pic.jpg");
    open_folder(0, folder());
    select_items(0, {"pic.jpg"});
    std::string during;
    // Delete asks before it trashes: the states are read while it asks.
    host.on_msgbox = [&](std::string_view) { during = states(); };
    host.answer_msgbox(ui::vbNo);
    host.choose_popup("mnuDelete");
    f.ListView1[0].user_click_item(item_index(0, "pic.jpg"), 0, ui::vbRightButton);
    EXPECT_EQ(during, "----------");
    EXPECT_EQ(states(), "AAAAABBCC-");
}

TEST_F(CommandEnablingTest, CommandThatClearsTheSelectionLeavesTheShortcutsWorking) {
    touch("pic.jpg");
    open_folder(0, folder());
    select_items(0, {"pic.jpg"});
    host.on_msgbox = [&](std::string_view) { select_items(0, {}); };
    host.answer_msgbox(ui::vbNo);
    host.choose_popup("mnuDelete");
    f.ListView1[0].user_click_item(item_index(0, "pic.jpg"), 0, ui::vbRightButton);
    EXPECT_EQ(states(), "AAAAABBCC-");
    // Ctrl+E still reaches enable and disable, which finds nothing selected to rename.
    host.answer_msgbox(ui::vbOK, "Enabling and disabling of this file type is not possible.");
    f.user_key_down('E', ui::vbCtrlMask);
    EXPECT_TRUE(std::filesystem::exists(data.path() / "pic.jpg"));
}

TEST_F(CommandEnablingTest, ReportListOpensFoldersForFolderItemsAndCommandsForFiles) {
    touch("a.8bf");
    make_dir("Photos");
    open_folder(0, folder());
    host.choose_no_popup();
    f.ListView1[0].user_click_item(item_index(0, " Photos"), 0, ui::vbRightButton);
    host.choose_no_popup();
    f.ListView1[0].user_click_item(item_index(0, " .."), 0, ui::vbRightButton);
    host.choose_no_popup();
    f.ListView1[0].user_click_item(item_index(0, "a.8bf"), 0, ui::vbRightButton);
    ASSERT_EQ(host.popups().size(), 3u);
    EXPECT_EQ(host.popups()[0].Menu, "mnuDirs");
    EXPECT_EQ(host.popups()[1].Menu, "mnuDirs");
    EXPECT_EQ(host.popups()[2].Menu, "mnuOperations");
    // Empty space below the items opens nothing.
    f.ListView1[0].user_click_empty(0, ui::vbRightButton);
    EXPECT_EQ(host.popups().size(), 3u);
}

TEST_F(CommandEnablingTest, FolderLabelOpensTheFoldersMenuForItsPane) {
    host.choose_no_popup();
    f.Label6[1].user_mouse_down(ui::vbRightButton, 0, 0, 0);
    EXPECT_EQ(f.Switchy, 1);
    ASSERT_EQ(host.popups().size(), 1u);
    EXPECT_EQ(host.popups()[0].Menu, "mnuDirs");
    f.Label6[0].user_mouse_down(ui::vbLeftButton, 0, 0, 0);
    EXPECT_EQ(f.Switchy, 0);
}

TEST_F(CommandEnablingTest, HoverBordersComeOffWhenThePointerLeavesTheImages) {
    f.Image2[1].user_mouse_move(0, 0, 10, 10);
    EXPECT_EQ(f.Image2[1].BorderStyle.get(), 1);
    f.SSTab1[0].user_mouse_move(0, 0, 10, 10);
    EXPECT_EQ(f.Image2[1].BorderStyle.get(), 0);
}

TEST_F(CommandEnablingTest, OpeningTheCommandsMenuNarrowsItToTheSelection) {
    touch("a.txt");
    open_folder(0, folder());
    select_items(0, {"a.txt"});
    f.mnuOperations.user_open();
    EXPECT_EQ(states(), "AAAAA-----");
    select_items(0, {});
    f.mnuOperations.user_open(); // nothing selected: everything enabled again
    EXPECT_EQ(states(), "AAAAABBCC-");
}
