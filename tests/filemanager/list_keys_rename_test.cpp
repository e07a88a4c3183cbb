// The mouse and keys of the file lists and the inline rename, on real files: the size sum, entering
// a folder and coming back to its item, Enter and Backspace, renames that never lose a file, and
// Select All / Toggle Select.

#include "filemanager/fileview.hpp"
#include "filemanager/select_all.hpp"
#include "filemanager/selection.hpp"
#include "tests/filemanager/file_view_fixture.hpp"

#include <fstream>
#include <random>

using namespace vexolan;
using test_support::FileViewTest;

namespace {

struct ListKeysTest : FileViewTest {
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(left.path() / name, std::ios::binary) << bytes;
    }
    std::string bytes(const std::string& name) const { return test_support::read_file(left.path() / name); }
    // Where the mouse goes down over item `index` of the pane's report list, in twips.
    void press_on(int pane, int index) {
        ui::ListView& list = f.ListView1[pane];
        const int tpp = host.TwipsPerPixelY();
        f.ListViewMouseX = 10 * tpp;
        f.ListViewMouseY = (list.HeaderHeightPixels() + (index - 1 - list.TopIndex) * list.RowHeightPixels() + 2) * tpp;
    }
    void double_click(int pane, std::string_view text) {
        const int i = item_index(pane, text);
        ASSERT_NE(i, 0) << text;
        select_items(pane, {std::string(text)});
        f.ListView1[pane].SetSelectedItem(&f.ListView1[pane].ListItems(i));
        press_on(pane, i);
        ListView1_DblClick(app, pane);
    }
    // Starts the inline edit on the selected item and finishes it with `text`, as the binding does.
    void rename_selected(int pane, const std::string& text) {
        f.ListView1[pane].StartLabelEdit();
        f.ListView1[pane].user_label_edit(text);
    }
    void key(int pane, int code, int shift = 0) { ListView1_KeyDown(app, pane, code, shift); }
    void select_only(int pane, std::string_view text) {
        select_items(pane, {std::string(text)});
        f.ListView1[pane].SetSelectedItem(&item(pane, text));
    }
};

} // namespace

TEST_F(ListKeysTest, SizeSumRoundsAfterEachAdditionHalvesToEven) {
    struct Case {
        std::vector<int> Sizes;
        std::string Label;
    };
    for (const Case& c : std::vector<Case>{{{1000, 1000, 1000}, " 3 K"}, {{512, 512}, " 0 K"}, {{1536}, " 2 K"}}) {
        std::filesystem::remove_all(left.path());
        std::filesystem::create_directories(left.path());
        for (std::size_t i = 0; i < c.Sizes.size(); ++i)
            write("f" + std::to_string(i), std::string(static_cast<std::size_t>(c.Sizes[i]), 'x'));
        set_mode(0, 4);
        open_folder(0, folder(left));
        f.File1[0].Refresh();
        for (int i = 0; i < f.File1[0].ListCount(); ++i)
            f.File1[0].Selected(i) = true;
        File1_Click(app, 0);
        EXPECT_EQ(f.Label6[0].Caption.get(), c.Label);
        EXPECT_EQ(f.Label6[0].Alignment.get(), ui::vbCenter);
    }
}

TEST_F(ListKeysTest, DoubleClickIntoAFolderAndBackSelectsItsItemOnce) {
    for (const char* d : {"a", "b", "c", "sub folder é"})
        std::filesystem::create_directory(left.path() / d);
    write("x.txt", "x");
    open_folders();
    const int position = item_index(0, " sub folder é");
    ASSERT_GT(position, 0);
    double_click(0, " sub folder é");
    EXPECT_EQ(f.Dir1[0].Path.get(), folder(left, "sub folder é"));
    EXPECT_EQ(texts(0), std::vector<std::string>{" .."});

    double_click(0, " ..");
    EXPECT_EQ(f.Dir1[0].Path.get(), folder(left));
    ASSERT_NE(f.ListView1[0].SelectedItem(), nullptr);
    EXPECT_EQ(f.ListView1[0].SelectedItem()->Index(), position);
    EXPECT_EQ(app.ReturnItemIndex[0], 0);

    double_click(0, " ..");
    EXPECT_EQ(f.Dir1[0].Path.get(), left.path().parent_path().string());
}

TEST_F(ListKeysTest, EnterEntersAFolderAndBackspaceGoesUpEvenAtTheRoot) {
    std::filesystem::create_directory(left.path() / "inner");
    open_folders();
    select_only(0, " inner");
    key(0, ui::vbKeyReturn);
    EXPECT_EQ(f.Dir1[0].Path.get(), folder(left, "inner"));
    key(0, ui::vbKeyBack);
    EXPECT_EQ(f.Dir1[0].Path.get(), folder(left));

    open_folder(0, "/");
    FillDirList(app, "/", 0);
    key(0, ui::vbKeyBack);
    EXPECT_EQ(f.Dir1[0].Path.get(), "/");
    EXPECT_FALSE(listed(0, " .."));
}

TEST_F(ListKeysTest, EnterOnAFileOpensItAndOnAnUnlistedNameNothing) {
    // No Filter Factory plug-in: opened, its plug-in information says what it is.
    write("plug.8bf", "x");
    open_folders();
    select_only(0, "plug.8bf");
    host.accept_unscripted_msgboxes = true;
    key(0, ui::vbKeyReturn);
    ASSERT_EQ(host.message_boxes().size(), 1u);
    EXPECT_EQ(host.message_boxes()[0].Prompt, "plug.8bf is an unknown file type or maybe damaged.");

    // The file box no longer lists it (a filter applied to the box but not yet to the list).
    f.File1[0].Pattern = "*.zip";
    key(0, ui::vbKeyReturn);
    EXPECT_EQ(host.message_boxes().size(), 1u);
}

TEST_F(ListKeysTest, KeysDoNothingWhileARenameRuns) {
    std::filesystem::create_directory(left.path() / "inner");
    open_folders();
    select_only(0, " inner");
    app.LabelEditActive = true;
    key(0, ui::vbKeyReturn);
    key(0, ui::vbKeyBack);
    EXPECT_EQ(f.Dir1[0].Path.get(), folder(left));
}

TEST_F(ListKeysTest, FolderRenameTrimsBlanks) {
    std::filesystem::create_directory(left.path() / "Data");
    open_folders();
    select_only(0, " Data");
    rename_selected(0, "  Archive  ");
    EXPECT_TRUE(std::filesystem::is_directory(left.path() / "Archive"));
    EXPECT_FALSE(std::filesystem::exists(left.path() / "Data"));
    EXPECT_TRUE(listed(0, " Archive"));
}

TEST_F(ListKeysTest, RenameOntoAnExistingFileAsksAndCancelKeepsBothWithTheLabelBack) {
    write("a.txt", "AAA");
    write("b.txt", "BBB");
    open_folders();
    select_only(0, "a.txt");
    host.answer_msgbox(ui::vbCancel, "Overwrite b.txt ?", ui::vbOKCancel + ui::vbExclamation, "Overwrite?");
    rename_selected(0, "b.txt");
    EXPECT_EQ(bytes("a.txt"), "AAA");
    EXPECT_EQ(bytes("b.txt"), "BBB");
    EXPECT_EQ(item(0, "a.txt").Text.get(), "a.txt");
    EXPECT_FALSE(app.LabelEditActive);
}

TEST_F(ListKeysTest, RenameOntoAnExistingFileWithOkLeavesOneFileHoldingTheRenamedBytes) {
    write("a.txt", "AAA");
    write("b.txt", "BBB");
    open_folders();
    select_only(0, "a.txt");
    host.answer_msgbox(ui::vbOK, "Overwrite b.txt ?");
    rename_selected(0, "b.txt");
    EXPECT_EQ(files_in(left.path()), std::vector<std::string>{"b.txt"});
    EXPECT_EQ(bytes("b.txt"), "AAA");
    EXPECT_EQ(texts(0), (std::vector<std::string>{" ..", "b.txt"}));
}

TEST_F(ListKeysTest, RenameNamesTheEditedItemNotTheOneUnderTheLastMousePress) {
    write("A file.txt", "A");
    write("B file.txt", "B");
    open_folders();
    press_on(0, item_index(0, "A file.txt"));
    select_only(0, "B file.txt");
    rename_selected(0, "Ж новое.txt");
    EXPECT_EQ(files_in(left.path()), (std::vector<std::string>{"A file.txt", "Ж новое.txt"}));
    EXPECT_EQ(bytes("Ж новое.txt"), "B");
    // Every item still names a file on disk: the label landed on no item that took the old one's place.
    EXPECT_EQ(texts(0), (std::vector<std::string>{" ..", "A file.txt", "Ж новое.txt"}));
}

TEST_F(ListKeysTest, FileBesideAFolderOfItsNameWithoutTheFirstLetterIsRenamedItself) {
    write("abc", "file");
    std::filesystem::create_directory(left.path() / "bc");
    open_folders();
    select_only(0, "abc");
    rename_selected(0, "renamed");
    EXPECT_TRUE(std::filesystem::is_regular_file(left.path() / "renamed"));
    EXPECT_TRUE(std::filesystem::is_directory(left.path() / "bc"));
}

TEST_F(ListKeysTest, UnchangedEmptyOrSlashedNamesChangeNothingOnDisk) {
    write("keep.txt", "K");
    open_folders();
    for (const std::string& text : {std::string("keep.txt"), std::string("")}) {
        select_only(0, "keep.txt");
        rename_selected(0, text);
        EXPECT_EQ(files_in(left.path()), std::vector<std::string>{"keep.txt"});
        EXPECT_EQ(item(0, "keep.txt").Text.get(), "keep.txt");
    }
    EXPECT_TRUE(host.message_boxes().empty());

    std::filesystem::create_directory(left.path() / "sub");
    open_folders();
    select_only(0, "keep.txt");
    host.answer_msgbox(ui::vbOK);
    rename_selected(0, "sub/keep.txt");
    EXPECT_EQ(files_in(left.path()), std::vector<std::string>{"keep.txt"});
    EXPECT_FALSE(std::filesystem::exists(left.path() / "sub" / "keep.txt"));
    EXPECT_NE(host.last_msgbox().Prompt.find("\"/\""), std::string::npos);
}

TEST_F(ListKeysTest, ParentItemCannotBeRenamed) {
    open_folders();
    select_only(0, " ..");
    f.ListView1[0].StartLabelEdit();
    EXPECT_EQ(f.ListView1[0].EditedItem(), nullptr);
}

TEST_F(ListKeysTest, FailedRenameShowsTheErrorBoxAndRevertsTheLabel) {
    files::FaultScope faults;
    write("p.8bf", "P");
    open_folders();
    app.ScanValid[0] = true;
    select_only(0, "p.8bf");
    files::inject_fault(files::Op::Rename, left.path() / "p.8bf", EACCES);
    host.answer_msgbox(ui::vbOK);
    rename_selected(0, "q.8bf");
    EXPECT_EQ(host.last_msgbox().Title, "Just a small problem...");
    EXPECT_EQ(item(0, "p.8bf").Text.get(), "p.8bf");
    EXPECT_TRUE(app.ScanValid[0]);

    files::clear_faults();
    select_only(0, "p.8bf");
    rename_selected(0, "q.8bf");
    EXPECT_FALSE(app.ScanValid[0]);
}

TEST_F(ListKeysTest, SelectAllTakesFilesOnlyAndToggleTwiceGivesTheStartBack) {
    std::filesystem::create_directory(left.path() / "dir");
    for (int i = 0; i < 12; ++i)
        write("f" + std::to_string(i) + ".txt", "x");
    open_folders();
    f.Switchit(0);
    mnuSelectAll_Click(app);
    for (int i = 1; i <= f.ListView1[0].ListItems.Count(); ++i) {
        const ui::ListItem& it = f.ListView1[0].ListItems(i);
        EXPECT_EQ(it.Selected.get(), it.Icon > 2) << it.Text.get();
    }

    std::mt19937 random(7);
    std::vector<bool> start;
    for (int i = 1; i <= f.ListView1[0].ListItems.Count(); ++i) {
        f.ListView1[0].ListItems(i).Selected = (random() & 1) != 0;
        start.push_back(f.ListView1[0].ListItems(i).Selected);
    }
    mnuToggleselect_Click(app);
    mnuToggleselect_Click(app);
    for (int i = 1; i <= f.ListView1[0].ListItems.Count(); ++i)
        EXPECT_EQ(f.ListView1[0].ListItems(i).Selected.get(), start[static_cast<std::size_t>(i - 1)]);
}

TEST_F(ListKeysTest, SelectAllOnAnEmptyListKeepsThePreviewButtonAsItWas) {
    open_folder(0, "/");
    f.ListView1[0].ListItems.Clear();
    f.Toolbar1.Buttons(1).Value = ui::tbrPressed;
    mnuSelectAll_Click(app);
    EXPECT_TRUE(f.Toolbar1.Buttons(1).Visible.get());
    EXPECT_EQ(f.ListView1[0].ListItems.Count(), 0);
}

TEST_F(ListKeysTest, SelectAllInClassicModeSumsEveryFile) {
    write("a", std::string(2048, 'x'));
    write("b", std::string(1024, 'x'));
    set_mode(0, 4);
    open_folder(0, folder(left));
    mnuSelectAll_Click(app);
    EXPECT_EQ(f.File1[0].SelCount(), 2);
    EXPECT_EQ(f.Label6[0].Caption.get(), " 3 K");
}
