#include "filemanager/refresh.hpp"
#include "filemanager/zip_commands.hpp"
#include "platform/fs/files.hpp"
#include "preferences/Form2.hpp"
#include "tests/shell/main_window_fixture.hpp"

#include <chrono>
#include <sys/stat.h>
#include <thread>

using namespace vexolan;

namespace {

struct MenuHandlersTest : test_support::MainWindowTest {
    Form2& prefs = app.form2();

    // What the start-up switches off in the main window's menus for this edition.
    void apply_edition_limits() {
        for (ui::Menu* m : {&f.mnuZipit, &f.mnuUnzipit, &f.mnuUnzipInstall, &f.mnuyyy, &f.mnuAdd, &f.mnuInvoke,
                            &f.mnuCreateLibrary, &f.mnuCreateBMPs, &f.mnuSearch})
            m->Visible = false;
        f.mnuPluginPreview.Enabled = false;
        f.mnuFflview.Enabled = false;
    }

    // A program that writes its argument count and arguments, one per line, to `out`.
    std::string make_argument_writer(const std::string& out) {
        auto script = data.write("bin/args.sh", "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > '" + out + "'\n");
        ::chmod(script.c_str(), 0755);
        return script.string();
    }
    std::string wait_for(const std::filesystem::path& p) {
        for (int i = 0; i < 200 && !std::filesystem::exists(p); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        return std::filesystem::exists(p) ? test_support::read_file(p) : "";
    }
    void set_list(int list, std::vector<std::string> entries) {
        prefs.List1[list].Clear();
        for (auto& e : entries)
            prefs.List1[list].AddItem(e);
        prefs.ListToMenu(list);
    }
};

} // namespace

TEST_F(MenuHandlersTest, MenuPicturesCountOnlyPresentEntries) {
    apply_edition_limits();
    EXPECT_EQ(f.mnuOperations.PresentItems().size(), 14u);
    for (int i = 0; i < 18; ++i)
        f.Image3[i].Picture = 100 + i;
    // The start-up's Commands placements: "Rename...", "Delete", then 12, 15, 19 and 6.
    ChangeMenuBitmap2(f, f.Image3[12], 3, 0);
    ChangeMenuBitmap2(f, f.Image3[3], 3, 3);
    ChangeMenuBitmap2(f, f.Image3[10], 3, 12);
    ChangeMenuBitmap2(f, f.Image3[9], 3, 15);
    ChangeMenuBitmap2(f, f.Image3[7], 3, 19);
    ChangeMenuBitmap2(f, f.Image3[5], 3, 6);
    EXPECT_EQ(f.mnuRename.Picture.get(), 112);
    EXPECT_EQ(f.mnuDelete.Picture.get(), 103);
    for (ui::Menu* m : {&f.mnuConvert, &f.mnuInvoke, &f.mnuCreateLibrary, &f.mnuSearch, &f.zmnu2, &f.zmnuz})
        EXPECT_EQ(m->Picture.get(), 0) << m->Name();
    // The favourite folders follow "Edit Folder List..." at position 6 of Folders (bar position 4).
    ChangeMenuBitmap2(f, f.Image3[11], 4, 6);
    EXPECT_EQ(f.mnuDirectorys[0].Picture.get(), 111);
}

TEST_F(MenuHandlersTest, ShortcutsReachOnlyVisibleAndEnabledEntries) {
    apply_edition_limits();
    host.answer_msgbox(ui::vbOK, "The FFL View is only available in the Pro Edition!");
    f.mnuFflview.Enabled = true;
    f.user_key_down(ui::vbKeyF1 + 2, ui::vbCtrlMask); // Ctrl+F3 while enabled: refused
    f.mnuFflview.Enabled = false;
    f.user_key_down(ui::vbKeyF1 + 2, ui::vbCtrlMask); // disabled: nothing, no second message
    EXPECT_EQ(host.message_boxes().size(), 1u);
    f.user_key_down('F', ui::vbCtrlMask); // "Find..." is hidden
    EXPECT_EQ(host.message_boxes().size(), 1u);
    host.answer_msgbox(ui::vbOK, "Please select one or more files.");
    f.user_key_down(ui::vbKeyF5);
    f.Switchit(1);
    f.SSTab1[1].SelectedItem.store(2);
    app.PaneMode[1] = 2;
    f.user_key_down(ui::vbKeyF1, ui::vbCtrlMask);
    EXPECT_EQ(f.SSTab1[1].SelectedItem.get(), 1);
    EXPECT_EQ(app.PaneMode[1], 1);
}

TEST_F(MenuHandlersTest, ApplicationGetsTheSelectedPathAsOneArgument) {
    auto out = data.path() / "out.txt";
    std::string program = make_argument_writer(out.string());
    make_dir("with blank");
    data.write("with blank/my file.txt", "x");
    open_folder(0, folder("with blank"));
    select_items(0, {"my file.txt"});
    set_list(2, {program + " %1", program + " fixed", program + " x%1"});
    EXPECT_EQ(f.mnuApps[0].Caption.get(), "args.sh %1");

    f.mnuApps[0].user_click();
    EXPECT_EQ(wait_for(out), "1\n" + folder("with blank") + "/my file.txt\n");
    std::filesystem::remove(out);
    f.mnuApps[1].user_click();
    EXPECT_EQ(wait_for(out), "1\nfixed\n");
    std::filesystem::remove(out);
    f.mnuApps[2].user_click();
    EXPECT_EQ(wait_for(out), "1\nx%1\n");
    std::filesystem::remove(out);
    select_items(0, {});
    f.mnuApps[0].user_click();
    EXPECT_EQ(wait_for(out), "0\n");
}

TEST_F(MenuHandlersTest, EmptyListEntriesOpenThePreferencesOnTheirPage) {
    int shownTab = 0;
    host.on_modal("Form2", [&](ui::Window&) { shownTab = prefs.SSTab1.SelectedItem; });
    f.mnuApps[0].user_click();
    EXPECT_EQ(shownTab, 6);
    host.on_modal("Form2", [&](ui::Window&) { shownTab = prefs.SSTab1.SelectedItem; });
    f.mnuDirectorys[0].user_click();
    EXPECT_EQ(shownTab, 4);
    host.on_modal("Form2", [&](ui::Window&) { shownTab = prefs.SSTab1.SelectedItem; });
    f.mnuEditImageList.user_click();
    EXPECT_EQ(shownTab, 5);
}

TEST_F(MenuHandlersTest, FavouriteFolderThatIsGoneIsReportedAndRemoved) {
    make_dir("Kept");
    std::string gone = folder("Gone") + "/";
    set_list(0, {gone, folder("Kept") + "/"});
    host.answer_msgbox(ui::vbOK, gone + "  doesn't exist anymore.", ui::vbExclamation, "Vexolan");
    f.mnuDirectorys[0].user_click();
    ASSERT_EQ(prefs.List1[0].ListCount(), 1);
    EXPECT_EQ(prefs.List1[0].List(0), folder("Kept") + "/");
    EXPECT_EQ(f.mnuDirectorys.Count(), 1);
    EXPECT_EQ(f.mnuDirectorys[0].Caption.get(), folder("Kept") + "/");
}

TEST_F(MenuHandlersTest, FavouriteFolderPointsTheActivePaneThere) {
    make_dir("Kept");
    data.write("Kept/k.txt", "x");
    set_list(0, {folder("Kept") + "/"});
    open_folder(1, folder());
    f.Switchit(1);
    f.mnuDirectorys[0].user_click();
    EXPECT_EQ(f.Dir1[1].Path.get(), folder("Kept"));
    EXPECT_EQ(f.File1[1].Path.get(), folder("Kept"));
    EXPECT_EQ(files::CurDir(), folder("Kept"));
    EXPECT_EQ(f.ListView1[1].ListItems.Count(), 2); // ".." and "k.txt"
    EXPECT_EQ(app.PaneMode[1], 1);
}

TEST_F(MenuHandlersTest, ListModesShowTheirControls) {
    touch("a.txt");
    open_folder(0, folder());
    struct Row {
        int mode;
        const char* tag;
        bool file, dir, list, image;
    };
    for (Row r : {Row{4, "", true, true, false, false}, Row{4, "1", true, true, false, false},
                  Row{3, "", false, false, true, true}, Row{3, "1", false, true, true, true},
                  Row{2, "", false, false, true, true}}) {
        f.Image5[0].Tag = r.tag;
        f.mnuFileViewMode_Click(r.mode);
        EXPECT_EQ(f.File1[0].Visible.get(), r.file) << r.mode << r.tag;
        EXPECT_EQ(f.Dir1[0].Visible.get(), r.dir) << r.mode << r.tag;
        EXPECT_EQ(f.ListView1[0].Visible.get(), r.list) << r.mode << r.tag;
        EXPECT_EQ(f.Image5[0].Visible.get(), r.image) << r.mode << r.tag;
        if (r.mode < 4) {
            EXPECT_EQ(f.ListView1[0].View.get(), r.mode);
        }
    }
    EXPECT_EQ(f.Label6[0].Caption.get(), folder() + "/");
    // The report list sits beside the folder box only while the folder box shows.
    f.Image5[0].Tag = "1";
    f.mnuFileViewMode_Click(3);
    EXPECT_GE(f.ListView1[0].Left.get(), f.Dir1[0].Left + f.Dir1[0].Width);
    f.Image5[0].Tag = "";
    f.mnuFileViewMode_Click(3);
    EXPECT_EQ(f.ListView1[0].Left.get(), f.Dir1[0].Left.get());
}

TEST_F(MenuHandlersTest, ListModeFillsTheListOnlyOnceTheWindowIsShown) {
    open_folder(0, folder());
    int filled = f.ListView1[0].ListItems.Count();
    f.mnuFileViewMode_Click(4);
    touch("late.txt");
    f.mnuFileViewMode_Click(3);
    EXPECT_EQ(f.ListView1[0].ListItems.Count(), filled);
    f.Show();
    f.mnuFileViewMode_Click(1);
    EXPECT_EQ(f.ListView1[0].ListItems.Count(), 2);
}

TEST_F(MenuHandlersTest, ButtonBarConvertNeedsASelectionOutsideTheLibraryView) {
    open_folder(0, folder());
    host.answer_msgbox(ui::vbOK, "Please select one or more files.", ui::vbExclamation, "Attention");
    f.Command1[0].Value = true;
    EXPECT_TRUE(host.modal_windows().empty());
    touch("a.afs");
    RefreshFile1(app, 0);
    select_items(0, {"a.afs"});
    host.on_modal("Convert", {});
    f.mnuConvert.user_click();
    EXPECT_EQ(host.modal_windows(), std::vector<std::string>{"Convert"});
}

TEST_F(MenuHandlersTest, PreviewEntryTogglesTheToolbarButtonWithItsCheckMark) {
    f.mnuPluginPreview.user_click();
    EXPECT_EQ(f.Toolbar1.Buttons(1).Value.get(), ui::tbrPressed);
    EXPECT_TRUE(f.mnuPluginPreview.Checked);
    f.mnuPluginPreview.user_click();
    EXPECT_EQ(f.Toolbar1.Buttons(1).Value.get(), ui::tbrUnpressed);
    EXPECT_FALSE(f.mnuPluginPreview.Checked);
}

TEST_F(MenuHandlersTest, FilterBoxKeepsItsEditingKeys) {
    touch("a.txt");
    open_folder(0, folder());
    select_items(0, {"a.txt"});
    f.Combo1[0].user_focus();
    f.user_key_down(ui::vbKeyDelete);
    f.user_key_down(ui::vbKeyDelete, ui::vbShiftMask);
    f.user_key_down('A', ui::vbCtrlMask);
    EXPECT_TRUE(host.message_boxes().empty());
    EXPECT_TRUE(std::filesystem::exists(data.path() / "a.txt"));
    f.ListView1[0].user_focus();
    host.answer_msgbox(ui::vbNo, "Do you want to move \"a.txt\" to the trash?");
    f.user_key_down(ui::vbKeyDelete);
    EXPECT_EQ(f.mnuDelete.Shortcut.get(), "Del");
}
