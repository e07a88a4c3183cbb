// Drag and drop between the panes on the model: the drag threshold, the list that carries a drag, the
// highlight under the pointer and every kind of drop, checked on the files it moves.
#include "filemanager/drag_drop.hpp"
#include "filemanager/refresh.hpp"
#include "shell/artwork.hpp"
#include "tests/filemanager/file_commands_fixture.hpp"

#include <gtest/gtest.h>

using namespace vexolan;

namespace {

struct DragDropTest : test_support::FileCommandsTest {
    // A point inside item `index` (from 1) of a report list, in twips.
    static std::pair<float, float> item_point(const ui::ListView& list, int index) {
        const int row = list.HeaderHeightPixels() + (index - 1 - list.TopIndex) * list.RowHeightPixels();
        return {15.0f * 3, static_cast<float>((row + 2) * 15)};
    }
    // Drops the passive report list's drag on `list` at the item with text `text` ("" = empty space).
    void drop_on(ui::ListView& list, std::string_view text) {
        float x = 45, y = 0;
        if (text.empty()) {
            y = static_cast<float>((list.HeaderHeightPixels() + (list.ListItems.Count() + 2) * list.RowHeightPixels()) *
                                   15);
        } else {
            int index = 0;
            for (int i = 1; i <= list.ListItems.Count(); ++i)
                if (list.ListItems(i).Text.get() == text) index = i;
            ASSERT_NE(index, 0) << "no item \"" << text << "\"";
            std::tie(x, y) = item_point(list, index);
        }
        f.ListView1[1].Drag(ui::vbBeginDrag);
        list.user_drag_drop(f.ListView1[1], x, y);
    }
};

} // namespace

TEST_F(DragDropTest, OnlyMoreThanTenPixelsSidewaysFromTheActiveReportListStartAFileDrag) {
    start();
    ASSERT_EQ(app.host.TwipsPerPixelX(), 15);
    ui::ListView& list = f.ListView1[0];
    list.user_mouse_move(ui::vbLeftButton, 0, 1000, 300); // arms at 1000
    list.user_mouse_move(ui::vbLeftButton, 0, 1150, 300); // 10 pixels
    EXPECT_EQ(app.form1().DragSource(), nullptr);
    list.user_mouse_move(ui::vbLeftButton, 0, 1000, 9000); // only down
    EXPECT_EQ(app.form1().DragSource(), nullptr);
    list.user_mouse_move(ui::vbLeftButton, 0, 1165, 300); // 11 pixels
    EXPECT_EQ(app.form1().DragSource(), &f.ListView1[1]) << "the passive pane's list carries the drag";
    EXPECT_EQ(f.ListView1[1].DragIcon, DragFilesPicture);
    f.ListView1[1].Drag(ui::vbCancel_Drag);
    // A move without a button measures afresh; the passive pane's list never starts one.
    list.user_mouse_move(0, 0, 5000, 300);
    list.user_mouse_move(ui::vbLeftButton, 0, 5100, 300);
    EXPECT_EQ(app.form1().DragSource(), nullptr);
    f.ListView1[1].user_mouse_move(0, 0, 0, 300);
    f.ListView1[1].user_mouse_move(ui::vbLeftButton, 0, 3000, 300);
    EXPECT_EQ(app.form1().DragSource(), nullptr);
}

TEST_F(DragDropTest, TheClassicFileBoxStartsADragOnlyWhenLeftSideways) {
    start();
    set_mode(1, 4); // the passive pane shows its file box: that carries the drag
    f.Switchit(0);
    const float width = static_cast<float>(f.File1[0].Width.get());
    f.File1[0].user_mouse_move(ui::vbLeftButton, 0, width / 2, -500);
    f.File1[0].user_mouse_move(0, 0, -15, 300);
    f.File1[1].user_mouse_move(ui::vbLeftButton, 0, -15, 300);
    EXPECT_EQ(app.form1().DragSource(), nullptr);
    f.File1[0].user_mouse_move(ui::vbLeftButton, 0, width + 15, 300);
    EXPECT_EQ(app.form1().DragSource(), &f.File1[1]);
    f.File1[1].Drag(ui::vbCancel_Drag);
    f.File1[0].user_mouse_move(ui::vbLeftButton, 0, -1, 300);
    EXPECT_EQ(app.form1().DragSource(), &f.File1[1]);
}

TEST_F(DragDropTest, EachDropOnAReportListMovesIntoTheFolderItNames) {
    std::filesystem::create_directory(right / "sub");
    std::filesystem::create_directory(right / " x"); // its item reads "  x": the marker blank and the name's own
    std::filesystem::create_directory(left / "lsub");
    struct Row {
        const char* what;
        int pane;
        const char* item; // "" = empty space
        std::filesystem::path ends_in;
    };
    const Row rows[] = {
        {"the passive pane's parent item", 1, " ..", right.path()},
        {"a folder item of the passive pane", 1, " sub", right.path() / "sub"},
        {"a folder whose name begins with a blank", 1, "  x", right.path() / " x"},
        {"empty space of the passive pane", 1, "", left.path()},
        {"a file item of the active pane", 0, "b.txt", left.path()},
        {"a folder item of the active pane", 0, " lsub", left.path() / "lsub"},
    };
    left.write("b.txt", "b");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        left.write("a.txt", "bytes of a");
        start();
        RefreshFile1(app, 0);
        RefreshFile1(app, 1);
        ASSERT_TRUE(listed(0, "a.txt"));
        select_items(0, {"a.txt"});
        f.PluginDragActive = true;
        drop_on(f.ListView1[row.pane], row.item);
        EXPECT_EQ(test_support::read_file(row.ends_in / "a.txt"), "bytes of a");
        if (row.ends_in != left.path()) {
            EXPECT_FALSE(std::filesystem::exists(left / "a.txt"));
        }
        EXPECT_FALSE(f.PluginDragActive);
        EXPECT_EQ(app.form1().DragSource(), nullptr);
        std::filesystem::remove(row.ends_in / "a.txt");
    }
    EXPECT_TRUE(host.message_boxes().empty());
}

TEST_F(DragDropTest, HoveringHighlightsFolderItemsOfThePassiveListOnly) {
    std::filesystem::create_directory(right / "one");
    std::filesystem::create_directory(right / "two");
    right.write("file.txt", "f");
    std::filesystem::create_directory(left / "mine");
    start();
    ui::ListView& passive = f.ListView1[1];
    ASSERT_EQ(passive.SelectedItem(), nullptr);
    auto over = [&](ui::ListView& list, std::string_view text) {
        auto [x, y] = item_point(list, item_index(&list == &passive ? 1 : 0, text));
        list.user_drag_over(passive, x, y, ui::vbOver);
    };
    over(passive, " one"); // highlighted even with nothing selected before
    EXPECT_TRUE(item(1, " one").Selected);
    over(passive, " two");
    EXPECT_FALSE(item(1, " one").Selected);
    EXPECT_TRUE(item(1, " two").Selected);
    over(passive, "file.txt");
    EXPECT_FALSE(item(1, " two").Selected);
    EXPECT_FALSE(item(1, "file.txt").Selected);
    over(f.ListView1[0], " mine");
    EXPECT_FALSE(item(0, " mine").Selected);
}

TEST_F(DragDropTest, PluginsDragOutOfThePluginViewMoveOnlyIntoThePassiveFileBoxOrFolderBox) {
    left.write("p.8bf", "plug-in");
    start();
    show_plugin_rows({(left / "p.8bf").string()});
    struct Row {
        const char* what;
        ui::Control* target;
        bool moves;
    };
    const Row rows[] = {
        {"the passive plug-in list", &f.List3[1], false},
        {"the passive category list", &f.List2[1], false},
        {"the active plug-in list", &f.List3[0], false},
        {"the passive file box", &f.File1[1], true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        select_rows({0});
        f.List3[0].user_mouse_move(ui::vbLeftButton, 0, 100, 100);
        EXPECT_EQ(app.form1().DragSource(), nullptr);
        f.List3[0].user_mouse_move(ui::vbLeftButton, 0, -30, 100);
        ASSERT_EQ(app.form1().DragSource(), &f.List3[0]);
        EXPECT_TRUE(f.PluginDragActive);
        row.target->user_drag_drop(f.List3[0], 0, 0);
        EXPECT_EQ(std::filesystem::exists(right / "p.8bf"), row.moves);
        EXPECT_NE(std::filesystem::exists(left / "p.8bf"), row.moves);
        EXPECT_FALSE(f.PluginDragActive) << "every drop ends the plug-in drag";
    }
}

TEST_F(DragDropTest, ACategoryDropChangesToTheRowUnderThePointerAndADragEndingElsewhereForgetsIt) {
    start();
    app.PaneMode[0] = 2;
    ui::ListBox& categories = f.List2[0];
    for (int i = 0; i < 10; ++i)
        categories.AddItem("Cat " + std::to_string(i));
    categories.TopIndex = 3;
    const float row = static_cast<float>(categories.ItemHeightPixels() * 15);
    f.List3[0].AddItem("+ filter");
    f.List3[0].Selected(0) = true;
    f.List3[0].user_mouse_move(ui::vbLeftButton, 0, -30, 100);
    ASSERT_TRUE(f.PluginDragActive);
    categories.user_drag_over(f.List3[0], 10, 2.5f * row, ui::vbEnter); // entering changes nothing
    EXPECT_EQ(categories.ListIndex, -1);
    categories.user_drag_over(f.List3[0], 10, 2.5f * row, ui::vbOver);
    EXPECT_EQ(categories.ListIndex, 5);
    EXPECT_TRUE(categories.IsSelected(5));
    categories.user_drag_over(f.List3[0], 10, 40 * row, ui::vbOver); // below the last row
    EXPECT_EQ(categories.ListIndex, 5);
    f.List2[1].AddItem("Other");
    f.List2[1].user_drag_over(f.List3[0], 10, 0, ui::vbOver); // the passive pane's list
    EXPECT_EQ(f.List2[1].ListIndex, -1);

    // Change Category runs on the drop, with the category under the pointer and without asking for
    // one: the entry is not a Filter Factory plug-in's, so it is refused and counted.
    host.answer_msgbox(ui::vbOK, " 1 plugin(s) couldn't be moved to the new category.\r\nOnly Filter Factory plugins "
                                 "and sources can be changed in this edition.");
    categories.user_drag_drop(f.List3[0], 10, 2.5f * row);
    EXPECT_EQ(host.message_boxes().size(), 1u);
    EXPECT_TRUE(host.inputbox_prompts().empty());
    EXPECT_FALSE(f.PluginDragActive);

    // A drag given up, or dropped where nothing takes it, leaves no flag behind.
    f.List3[0].user_mouse_move(ui::vbLeftButton, 0, -30, 100);
    ASSERT_TRUE(f.PluginDragActive);
    f.List3[0].Drag(ui::vbCancel_Drag);
    EXPECT_FALSE(f.PluginDragActive);
    f.List3[0].user_mouse_move(ui::vbLeftButton, 0, -30, 100);
    f.Label6[1].user_drag_drop(f.List3[0], 0, 0);
    EXPECT_FALSE(f.PluginDragActive);
    EXPECT_EQ(host.message_boxes().size(), 1u); // nothing ran again
}
